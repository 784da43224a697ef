// CAolSettings: the America Online and CompuServe 2000 clients' side of the
// settings. Those clients connect through a network adapter of their own on
// Windows 9x, so their MTU lives in the client's own key ("aolsock" and
// "AolsockBack"), in the AOL adapter's device key and in that adapter's
// TCP/IP binding rather than where the TCP/IP parameter access writes it.
// This class finds those places, sets, clears, backs up and restores the
// MTU there, keeps the program's own settings for the two clients (program
// path, screen names, redial count) and lists subfolders for the Juno driver.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "settings/SettingsStore.h"

class CAolSettings : public CSettingsStore {
 public:
  // Both read the configured provider to choose between the America Online
  // and the CompuServe 2000 key.
  CAolSettings();
  explicit CAolSettings(int osFamily);

  CAolSettings(const CAolSettings&) = delete;
  CAolSettings& operator=(const CAolSettings&) = delete;

  // "\America Online" or "\CompuServe 2000"; empty when no provider is configured.
  const std::string& ProviderSubkey() const { return subkey_; }

  // --- Discovery (AolDiscovery.cpp) ---------------------------------------
  // Device keys of the AOL adapters among the first 21 network devices.
  std::vector<std::string> FindAolAdapters() const;
  // For each adapter, the tail of its TCP/IP binding ("\0001" of "MSTCP\0001").
  std::vector<std::string> FindAolBindings() const;
  // The NetTrans keys of those bindings. 31 when a binding's network key is
  // missing; the keys found before it are kept.
  int FindAolNetTransKeys(std::vector<std::string>& keys) const;

  // --- The MTU (AolSettings.cpp) -------------------------------------------
  int SetClientMtu(int mtu) const;
  int SetBackMtu(int mtu) const;
  int SetAdapterMtu(int mtu) const;
  int SetBindingMtu(int mtu) const;
  // Clears every MTU value the operations above set; always 0.
  int ResetAfterTest() const;

  // --- Backup and restore (AolBackup.cpp) ------------------------------------
  // `name` is "aolsock" or "AolsockBack".
  int BackupClient(const std::string& name) const;
  int BackupAdapters() const;
  int RestoreAll() const;

  // --- The clients' settings (AolSettings.cpp) ---------------------------------
  int SetProgramPath(const std::string& path) const;
  // Switches to the key of `kind` (CompuServe 2000 for 3, America Online
  // otherwise). The path is left as it was when none is stored; always 0.
  int GetProgramPath(int kind, std::string& path);
  int SetDefaultScreenName(const std::string& name) const;
  // The name is left as it was when none is stored; always 0.
  int GetDefaultScreenName(std::string& name) const;
  int AddScreenName(const std::string& name) const;
  int DeleteScreenName(const std::string& name) const;
  int ListScreenNames(std::vector<std::string>& names) const;
  int SetRedial(DWORD count) const;
  int GetRedial(DWORD& count) const;

  // Appends the names of the subfolders of `folder`, which is the current
  // directory while they are listed; the previous one is put back after.
  int ListSubfolders(const std::string& folder, std::vector<std::string>& names) const;

 private:
  std::string ClientSettingsKey() const;
  // Deletes the live "aolsock" key with everything in it.
  int DeleteClientKey() const;
  // Deletes "aolndi" and "mtu" from the live "AolsockBack" key.
  int DeleteClientBackValues() const;
  int RestoreClient(const std::string& name) const;
  int RestoreAdapters() const;
  int RestoreBindings() const;

  std::string subkey_;
};

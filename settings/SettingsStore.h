// CSettingsStore: the small value object through which the program reads and
// writes the registry. It holds the running operating-system family and the
// one-shot "obscure the next parameter write" flag; everything else goes to
// the registry every time. Keys are opened, used and closed within one call.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "engine/portable/TestRecord.h"
#include "settings/portable/OsFamily.h"

class CSettingsStore {
 public:
  // Detects the family of the running system.
  CSettingsStore();
  // For callers that already know the family (and tests).
  explicit CSettingsStore(int osFamily);

  int GetOsFamily() const { return osFamily_; }
  bool IsNt() const { return IsNtFamily(osFamily_); }

  // The family of the running system from GetVersionExA; kOsUnknown when the
  // version cannot be read.
  static int DetectOsFamily();

  // Path of a subkey of the program key ("\..." appended to the program key).
  static std::string ProgramKeyPath(const std::string& subkey);
  // Path of a provider's key: "\DialUp Profile\{display name}" under the program key.
  static std::string ProviderKeyPath(int kind);

  // --- Generic registry operations --------------------------------------
  int SetDword(HKEY hive, const std::string& key, const std::string& name, DWORD value) const;
  int SetString(HKEY hive, const std::string& key, const std::string& name,
                const std::string& text) const;
  int GetDword(HKEY hive, const std::string& key, const std::string& name, DWORD& value) const;
  int GetString(HKEY hive, const std::string& key, const std::string& name,
                std::string& text) const;
  // Names of the first 21 subkeys of a key under HKEY_LOCAL_MACHINE.
  void EnumSubkeys(const std::string& key, std::vector<std::string>& names) const;
  // The folder of the program's executable, without a trailing backslash.
  int ExecutableFolder(std::string& folder) const;

  // --- The program key ----------------------------------------------------
  int SetProviderKind(int kind) const;
  int GetProviderKind(int& kind) const;
  // The configured provider, or Windows Dial-Up Networking when none can be read.
  int ProviderKindOrDefault() const;
  int SetTuneUpType(DWORD repetitions) const;
  int GetTuneUpType(DWORD& repetitions) const;
  int SetConversionDone(DWORD flag) const;
  DWORD GetConversionDone() const;
  int SetDefaultDialerPath(int kind, DWORD flag) const;
  int GetDefaultDialerPath(int kind, DWORD& flag) const;
  DWORD GetAccess(int kind) const;
  int SetAccess(int kind) const;
  int SetBackupStatus(DWORD value) const;
  int GetBackupStatus(DWORD& value) const;
  int GetWindowRect(DWORD& left, DWORD& top, DWORD& right, DWORD& bottom) const;
  int SetWindowRect(DWORD left, DWORD top, DWORD right, DWORD bottom) const;
  int SetShowDialer(DWORD flag) const;
  int GetShowDialer(DWORD& flag) const;
  int SetSingleClickDial(DWORD flag) const;
  int GetSingleClickDial(DWORD& flag) const;
  int SetInternetDial(DWORD flag) const;
  int GetInternetDial(DWORD& flag) const;

  // --- Values of other programs ------------------------------------------
  int SetStartupEntry() const;
  int GetStartupEntry(std::string& command) const;
  int DeleteStartupEntry() const;
  int GetBrowserVersion(std::string& version) const;
  int GetJunoPath(std::string& path) const;
  int GetNetZeroPath(std::string& path) const;
  int GetAttPath(std::string& path) const;
  int PrepareAttWorldNet() const;
  // `subkey` names one subkey of the AT&T WorldNet client's "Global Data" key.
  int SetAttLaunchBrowser(const std::string& subkey) const;
  int SetAttPromptDisconnect(const std::string& subkey) const;

  // --- TCP/IP parameters (TcpipParameters.cpp) ---------------------------------
  // A location entry is "value name:key path:" under HKEY_LOCAL_MACHINE.
  int BuildLocations(int parameter, std::vector<std::string>& locations);
  int BuildMssLocations(std::vector<std::string>& locations);
  int ReadValue(const std::string& entry, int& value);
  int WriteValue(const std::string& entry, int value);
  int DeleteValue(const std::string& entry);
  // Writes the record's value to every location of its parameter (MTU also writes MSS).
  int Write(const TestRecord& record);
  // The value at the first location of the record's parameter, into record.value.
  int ReadCurrent(TestRecord& record);
  // Stores the record's value (obscured) as the configured provider's best value.
  int StoreBest(const TestRecord& record);
  // The configured provider's best value of the record's parameter, into record.value.
  int ReadBest(TestRecord& record);
  // Writes every stored best value of the configured provider.
  int ApplyBest();

  // --- Backup and restore of the user's TCP/IP values (RegistryBackup.cpp) ---
  // Copies every TCP/IP value the user has, and the AOL client's and
  // adapter's, into "\Backup Registry" and marks the backup complete.
  int Backup();
  // Puts back the user's values of one parameter (MTU with the MSS),
  // deleting those the user never had.
  int RestoreOriginal(int parameter);
  // Restores all four parameters; always 0.
  int RestoreAll();

  // --- Start-up -----------------------------------------------------------
  // 1 when "\DialUp Profile" exists (configured before); otherwise creates it
  // and returns 0: this is a first run.
  int EnsureProfileKey() const;
  // The check for the earlier registry layout: when "\DialUp Profile" has no
  // subkeys, the conversion is recorded as done.
  void RunEarlierLayoutCheck() const;

 protected:
  int osFamily_;
  // When 1, the next parameter write stores its value obscured and clears the flag.
  int obscureNext_;

 private:
  // The typed read and write of one value (DWORD on the NT family, decimal
  // text elsewhere; an empty text is no value).
  int ReadValueAt(const std::string& key, const std::string& name, int& value) const;
  int WriteValueAt(const std::string& key, const std::string& name, int value);
  // Writes the value to every location in order; the first failure ends it.
  int WriteToEach(const std::vector<std::string>& locations, int value);
  // Where the configured provider's best value of a parameter is stored.
  int BestSettingLocation(int parameter, std::string& key, std::string& name) const;
  // Puts back the copies of a list's values; `failureText` is shown for a
  // value that cannot be written.
  void RestoreEach(const std::vector<std::string>& locations, const char* failureText);
};

// CDialUpProfile: what the program keeps about connecting to one service
// provider - its default phone-book entry, and for each entry the login, the
// obscured password, the test page and the redial count - plus the client
// program's path and the list of phone-book entries Windows knows.
//
// The values live under "\DialUp Profile\{provider}". Providers dialled
// through a Windows phone-book entry keep one subkey per entry; the others
// keep the values in the provider key itself and ignore the entry name.
#pragma once

#include <string>
#include <vector>

#include "settings/SettingsStore.h"

class CDialUpProfile : public CSettingsStore {
 public:
  explicit CDialUpProfile(int kind);
  CDialUpProfile(int kind, int osFamily);

  int GetKind() const { return kind_; }
  void SetKind(int kind) { kind_ = kind; }

  int SetDefaultProfile(const std::string& entry) const;
  int GetDefaultProfile(std::string& entry) const;
  int SetLoginPassword(const std::string& entry, const std::string& login,
                       const std::string& password) const;
  // The login may already be set when reading the password fails.
  int GetLoginPassword(const std::string& entry, std::string& login, std::string& password) const;
  int SetUrl(const std::string& entry, const std::string& url) const;
  // An empty entry name means the default profile (13 when there is none).
  int GetUrl(const std::string& entry, std::string& url) const;
  int SetRedial(const std::string& entry, int count) const;
  int GetRedial(const std::string& entry, int& count) const;
  int SetDialerPath(int kind, const std::string& path) const;
  int GetDialerPath(int kind, std::string& path) const;

  // Appends the names of the phone-book entries RAS knows, in RAS's order.
  int ListPhonebookEntries(std::vector<std::string>& entries) const;

 private:
  // Empty for a number that is no provider kind.
  std::string ProviderKey() const;
  std::string EntryKey(const std::string& entry) const;
  static std::string DialerPathKey(int kind);

  // Open or create the key and write one text (8 or 9 on failure).
  static int WriteText(const std::string& key, const char* name, const std::string& text);
  // Open the key for reading and read one text (31 or 32 on failure).
  static int ReadText(const std::string& key, const char* name, std::string& text);

  int kind_;
};

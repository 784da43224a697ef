// CDialUpProfile: the dial-up profile record (see DialUpProfile.h).
#include "settings/DialUpProfile.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "engine/portable/StatusCodes.h"
#include "framework/LoadedModule.h"
#include "framework/RasLayouts.h"
#include "framework/RegKey.h"
#include "settings/RegistryAccess.h"
#include "settings/RegistryNames.h"
#include "settings/portable/DecimalText.h"
#include "settings/portable/PasswordShift.h"
#include "settings/portable/ProviderKinds.h"

namespace {

// More entry names than any phone book holds; a larger size asked for by RAS
// is taken for a broken answer rather than allocated.
constexpr DWORD kMaxEntryBufferSize = 16u * 1024u * 1024u;

// The obscured password is read whole, zero bytes included: a password byte
// that the shift carries to zero is part of the stored text. The limit is
// that of every text: the bytes must fit the 256-byte buffer.
LONG ReadObscuredPassword(const RegKey& key, std::string& stored) {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
  LONG result = key.QueryRaw(regnames::kPassword, type, data);
  if (result != ERROR_SUCCESS) return result;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return ERROR_INVALID_DATA;
  // Windows 9x stores a text up to its terminator and keeps that: the text
  // ends there. Elsewhere the obscured text may hold zero bytes of its own.
  const bool upToTerminator = (GetVersion() & 0x80000000u) != 0;
  auto end = upToTerminator ? std::find(data.begin(), data.end(), BYTE{0}) : data.end();
  stored.assign(data.begin(), end);
  if (!RegKey::FitsText(stored)) return ERROR_MORE_DATA;
  return ERROR_SUCCESS;
}

// One call of RasEnumEntriesA into a buffer of `records` entry-name records.
DWORD EnumerateInto(ras::RasEnumEntriesFunction enumEntries, std::vector<ras::EntryName>& buffer,
                    DWORD records, DWORD& size, DWORD& count) {
  buffer.assign(records, ras::EntryName());
  buffer[0].size = sizeof(ras::EntryName);
  size = records * sizeof(ras::EntryName);
  count = 0;
  return enumEntries(nullptr, nullptr, buffer.data(), &size, &count);
}

DWORD RecordsFor(DWORD size) {
  return std::max<DWORD>(1, (size + sizeof(ras::EntryName) - 1) / sizeof(ras::EntryName));
}

}  // namespace

CDialUpProfile::CDialUpProfile(int kind) : kind_(kind) {}

CDialUpProfile::CDialUpProfile(int kind, int osFamily) : CSettingsStore(osFamily), kind_(kind) {}

std::string CDialUpProfile::ProviderKey() const {
  if (ProviderNameFromKind(kind_).empty()) return std::string();
  return ProviderKeyPath(kind_);
}

std::string CDialUpProfile::EntryKey(const std::string& entry) const {
  std::string key = ProviderKey();
  if (key.empty() || !IsDialUpKind(kind_) || entry.empty()) return key;
  return key + "\\" + entry;
}

std::string CDialUpProfile::DialerPathKey(int kind) {
  if (HasDialerPath(kind)) return ProviderKeyPath(kind);
  return ProgramKeyPath(regnames::kDialUpProfile);
}

int CDialUpProfile::WriteText(const std::string& key, const char* name, const std::string& text) {
  if (!RegKey::FitsText(text)) return status::kRegistryWriteFailed;
  RegKey handle;
  if (key.empty() || OpenOrCreate(handle, HKEY_LOCAL_MACHINE, key) != ERROR_SUCCESS) {
    return status::kRegistryCreateFailed;
  }
  if (handle.SetText(name, text) != ERROR_SUCCESS) return status::kRegistryWriteFailed;
  return status::kOk;
}

int CDialUpProfile::ReadText(const std::string& key, const char* name, std::string& text) {
  RegKey handle;
  if (key.empty() || handle.Open(HKEY_LOCAL_MACHINE, key, KEY_READ) != ERROR_SUCCESS) {
    return status::kRegistryKeyNotFound;
  }
  if (handle.QueryText(name, text) != ERROR_SUCCESS) return status::kRegistryQueryFailed;
  return status::kOk;
}

int CDialUpProfile::SetDefaultProfile(const std::string& entry) const {
  return WriteText(ProviderKey(), regnames::kDefaultProfile, entry);
}

int CDialUpProfile::GetDefaultProfile(std::string& entry) const {
  return ReadText(ProviderKey(), regnames::kDefaultProfile, entry);
}

int CDialUpProfile::SetLoginPassword(const std::string& entry, const std::string& login,
                                     const std::string& password) const {
  // Both texts must be readable back, or neither is written.
  const std::string stored = StoredPassword(password);
  if (!RegKey::FitsText(login) || !RegKey::FitsText(stored)) return status::kRegistryWriteFailed;
  RegKey handle;
  const std::string key = EntryKey(entry);
  if (key.empty() || OpenOrCreate(handle, HKEY_LOCAL_MACHINE, key) != ERROR_SUCCESS) {
    return status::kRegistryCreateFailed;
  }
  if (handle.SetText(regnames::kLogin, login) != ERROR_SUCCESS) return status::kRegistryWriteFailed;
  if (handle.SetText(regnames::kPassword, stored) != ERROR_SUCCESS) {
    return status::kRegistryWriteFailed;
  }
  return status::kOk;
}

int CDialUpProfile::GetLoginPassword(const std::string& entry, std::string& login,
                                     std::string& password) const {
  RegKey handle;
  const std::string key = EntryKey(entry);
  if (key.empty() || handle.Open(HKEY_LOCAL_MACHINE, key, KEY_READ) != ERROR_SUCCESS) {
    return status::kRegistryKeyNotFound;
  }
  if (handle.QueryText(regnames::kLogin, login) != ERROR_SUCCESS) {
    return status::kRegistryQueryFailed;
  }
  std::string stored;
  if (ReadObscuredPassword(handle, stored) != ERROR_SUCCESS) return status::kRegistryQueryFailed;
  password = PasswordFromStored(stored);
  return status::kOk;
}

int CDialUpProfile::SetUrl(const std::string& entry, const std::string& url) const {
  return WriteText(EntryKey(entry), regnames::kUrl, url);
}

int CDialUpProfile::GetUrl(const std::string& entry, std::string& url) const {
  std::string profile = entry;
  if (profile.empty()) {
    // An empty default is no default either: it names no entry key.
    if (GetDefaultProfile(profile) != status::kOk || profile.empty()) {
      return status::kNoDefaultProfile;
    }
  }
  return ReadText(EntryKey(profile), regnames::kUrl, url);
}

int CDialUpProfile::SetRedial(const std::string& entry, int count) const {
  return WriteText(EntryKey(entry), regnames::kRedial, IntToDecimal(count));
}

int CDialUpProfile::GetRedial(const std::string& entry, int& count) const {
  std::string text;
  int result = ReadText(EntryKey(entry), regnames::kRedial, text);
  if (result != status::kOk) return result;
  count = DecimalToInt(text);
  return status::kOk;
}

int CDialUpProfile::SetDialerPath(int kind, const std::string& path) const {
  return SetString(HKEY_LOCAL_MACHINE, DialerPathKey(kind), regnames::kDialerPath, path);
}

int CDialUpProfile::GetDialerPath(int kind, std::string& path) const {
  return GetString(HKEY_LOCAL_MACHINE, DialerPathKey(kind), regnames::kDialerPath, path);
}

int CDialUpProfile::ListPhonebookEntries(std::vector<std::string>& entries) const {
  LoadedModule rasapi32("rasapi32.dll");
  auto enumEntries = rasapi32.Proc<ras::RasEnumEntriesFunction>("RasEnumEntriesA");
  if (enumEntries == nullptr) return status::kProfilesUnavailable;

  std::vector<std::string> names;
  try {
    std::vector<ras::EntryName> buffer;
    DWORD size = 0;
    DWORD count = 0;
    DWORD result = EnumerateInto(enumEntries, buffer, 1, size, count);
    if (result == ras::kBufferTooSmall) {
      if (size > kMaxEntryBufferSize) return status::kProfilesUnavailable;
      result = EnumerateInto(enumEntries, buffer, RecordsFor(size), size, count);
    }
    if (result != ERROR_SUCCESS) return status::kProfilesUnavailable;
    count = std::min<DWORD>(count, static_cast<DWORD>(buffer.size()));
    for (DWORD i = 0; i < count; ++i) {
      const CHAR* name = buffer[i].entryName;
      names.emplace_back(name, strnlen(name, sizeof(buffer[i].entryName)));
    }
  } catch (const std::bad_alloc&) {
    return status::kProfilesUnavailable;
  }
  entries.insert(entries.end(), names.begin(), names.end());
  // Loaded for good once a listing worked, as the dialing code loads it too.
  rasapi32.Release();
  return status::kOk;
}

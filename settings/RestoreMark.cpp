// CRestoreMark: setting, reading and clearing the mark, and the restore that
// is only believed once the registry says so.
#include "settings/RestoreMark.h"

#include "engine/portable/StatusCodes.h"
#include "framework/MessageBoxSeam.h"
#include "framework/RegKey.h"
#include "settings/AolSettings.h"
#include "settings/RegistryNames.h"
#include "settings/UserValuesCheck.h"

namespace {

constexpr char kCaption[] = "Velotune";
constexpr char kRestoredText[] =
    "Velotune did not end normally the last time it ran, while test values of your TCP/IP "
    "settings were in effect.\n\nYour own TCP/IP settings have been put back.";
constexpr char kNotRestoredText[] =
    "Velotune did not end normally the last time it ran, while test values of your TCP/IP "
    "settings were in effect.\n\nYour own TCP/IP settings could not all be put back: ";
constexpr char kNotRestoredTail[] =
    " does not match the saved copy.\n\nVelotune will try again the next time it starts.";

bool IsAolProvider(int kind) { return kind == 2 || kind == 3; }

std::string BackupKey() { return CSettingsStore::ProgramKeyPath(regnames::kBackupRegistry); }

}  // namespace

int CRestoreMark::Set() {
  DWORD mark = Read() | kTcpipValues;
  if (IsAolProvider(store_.ProviderKindOrDefault())) mark |= kAolValues;
  return store_.SetDword(HKEY_LOCAL_MACHINE, BackupKey(), regnames::kRestorePending, mark);
}

DWORD CRestoreMark::Read() const {
  DWORD mark = 0;
  if (store_.GetDword(HKEY_LOCAL_MACHINE, BackupKey(), regnames::kRestorePending, mark) !=
      status::kOk) {
    return 0;
  }
  return mark;
}

void CRestoreMark::Clear() const {
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, BackupKey()) == ERROR_SUCCESS) {
    key.DeleteValue(regnames::kRestorePending);
  }
}

bool CRestoreMark::RestoreAndVerify(bool aol, std::string& difference) {
  const bool withAol = aol || (Read() & kAolValues) != 0;
  if (withAol) CAolSettings(store_.GetOsFamily()).RestoreAll();
  store_.RestoreAll();
  difference = FirstTcpipDifference(store_);
  if (difference.empty() && withAol) difference = FirstAolDifference(store_.GetOsFamily());
  if (!difference.empty()) return false;
  Clear();
  return true;
}

bool CRestoreMark::RestoreAndVerify(bool aol) {
  std::string difference;
  return RestoreAndVerify(aol, difference);
}

void CRestoreMark::RestoreAfterUnfinishedRun(HWND owner) {
  if (Read() == 0) return;
  std::string difference;
  if (RestoreAndVerify(false, difference)) {
    ShowMessageBox(owner, kRestoredText, kCaption, MB_OK | MB_ICONINFORMATION);
  } else {
    ShowMessageBox(owner, kNotRestoredText + difference + kNotRestoredTail, kCaption,
                   MB_OK | MB_ICONEXCLAMATION);
  }
}

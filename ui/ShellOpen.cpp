// Shell opening and help pages (see ShellOpen.h).
#include "ui/ShellOpen.h"

#include <shellapi.h>

#include "framework/MessageBoxSeam.h"
#include "settings/SettingsStore.h"

namespace shellopen {

const char kBrowserMissing[] = "We are unable to locate your default browser.";
const char kMailerMissing[] = "We are unable to locate your default e-mail program.";

bool Open(const std::string& address) {
  HINSTANCE result = ShellExecuteA(GetDesktopWindow(), "open", address.c_str(), nullptr, nullptr,
                                   SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

std::string HelpPagePath(const std::string& page) {
  std::string folder;
  if (CSettingsStore(kOsUnknown).ExecutableFolder(folder) != 0) return std::string();
  return folder + "\\help\\" + page;
}

void OpenHelpPage(HWND owner, const std::string& page) {
  // Without the program folder the path would point at the drive's root.
  const std::string path = HelpPagePath(page);
  if (path.empty() || !Open(path)) ShowProgramMessage(owner, kBrowserMissing);
}

void ShowProgramMessage(HWND owner, const std::string& text) {
  ShowMessageBox(owner, text, "Velotune", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace shellopen

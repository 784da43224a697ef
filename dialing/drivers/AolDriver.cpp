// The America Online / CompuServe 2000 client's windows.
#include "dialing/drivers/AolDriver.h"

#include <shellapi.h>

#include "dialing/DialingMessages.h"
#include "dialing/ForeignWindow.h"
#include "engine/portable/StatusCodes.h"
#include "framework/MessageBoxSeam.h"
#include "framework/TimeScale.h"
#include "settings/AolSettings.h"

namespace {

constexpr char kFrameClass[] = "AOL Frame25";
constexpr char kClientAreaClass[] = "MDIClient";
constexpr char kSignOnClass[] = "_AOL_Modal";
constexpr char kWelcomeClass[] = "AOL Child";
constexpr char kWelcomePrefix[] = "Welcome,";
constexpr char kStepPrefix[] = "Step";
constexpr int kClientAreaTries = 20;
constexpr UINT kClientAreaRetryMs = 500;

constexpr char kBoxCaption[] = "Velotune";
constexpr char kAolLaunchFailed[] =
    "Unable to open America Online browser.  Please ensure that AOL browser path in the "
    "\"Configuration Wizard\" is correct.";
constexpr char kCompuServeLaunchFailed[] =
    "Unable to open CompuServe 2000 browser.  Please ensure that CS browser path in the "
    "\"Configuration Wizard\" is correct.";

}  // namespace

int CAolDriver::Launch() {
  CAolSettings settings;
  int kind = 0;
  settings.GetProviderKind(kind);
  std::string path;
  settings.GetProgramPath(kind, path);
  std::string screenName;
  settings.GetDefaultScreenName(screenName);
  // The client takes the name up to " -u"; it is passed unquoted.
  std::string parameters = "-n" + screenName + " -u\"\"";
  HINSTANCE started = ShellExecuteA(GetDesktopWindow(), "open", path.c_str(), parameters.c_str(),
                                    nullptr, SW_SHOWNORMAL);
  if (reinterpret_cast<INT_PTR>(started) > 32) return status::kOk;
  const char* text = kind == 2 ? kAolLaunchFailed : kind == 3 ? kCompuServeLaunchFailed : nullptr;
  if (text != nullptr) ShowMessageBox(nullptr, text, kBoxCaption, MB_OK | MB_ICONEXCLAMATION);
  return status::kAolBrowserFailed;
}

HWND CAolDriver::FindMainFrame() const { return FindWindowA(kFrameClass, nullptr); }

HWND CAolDriver::FindClientArea() const {
  for (int attempt = 0; attempt < kClientAreaTries; ++attempt) {
    HWND frame = FindMainFrame();
    if (frame == nullptr) return nullptr;
    HWND area = FindWindowExA(frame, nullptr, kClientAreaClass, nullptr);
    if (area != nullptr) return area;
    timescale::Sleep(kClientAreaRetryMs);
  }
  return nullptr;
}

void CAolDriver::MinimiseClient() const {
  if (HWND frame = FindMainFrame()) ShowWindow(frame, SW_MINIMIZE);
}

void CAolDriver::CloseClient() const {
  HWND frame = FindMainFrame();
  if (frame == nullptr) return;
  ShowWindow(frame, SW_HIDE);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(frame, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

int CAolDriver::PollSignOnWindow() {
  HWND signOn = FindWindowA(kSignOnClass, nullptr);
  if (signOn == nullptr) return status::kAolLoginFailed;
  if (!IsWindowVisible(signOn)) return status::kAolStatusWindowNotFound;
  signOnSeen_ = true;
  return status::kAolSignOnScreenNotFound;
}

void CAolDriver::ForwardStepText(HWND engine) const {
  HWND signOn = FindWindowA(kSignOnClass, nullptr);
  for (HWND child : foreignwindow::ChildrenInOrder(signOn)) {
    if (!IsWindowVisible(child)) return;
    std::string text = foreignwindow::TextOf(child);
    if (foreignwindow::StartsWith(text, kStepPrefix)) {
      // The text is only borrowed for the call: it must be sent, not posted.
      SendMessageA(engine, WM_DRIVERNOTIFY, DN_STEPTEXT, reinterpret_cast<LPARAM>(text.c_str()));
      return;
    }
  }
}

bool CAolDriver::HasWelcomeWindow(HWND clientArea, const std::string& screenName) const {
  std::string title = "Welcome, " + screenName + "!";
  HWND child = nullptr;
  while ((child = FindWindowExA(clientArea, child, kWelcomeClass, nullptr)) != nullptr) {
    if (foreignwindow::TextOf(child) == title) return true;
  }
  return false;
}

void CAolDriver::LookForWelcome(HWND engine) const {
  if (FindMainFrame() == nullptr) return;
  HWND area = FindClientArea();
  for (HWND child : foreignwindow::ChildrenInOrder(area)) {
    if (foreignwindow::StartsWith(foreignwindow::TextOf(child), kWelcomePrefix)) {
      PostMessageA(engine, WM_AOLWELCOME, 0, 1);
      return;
    }
  }
}

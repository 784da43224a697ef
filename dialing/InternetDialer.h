// CInternetDialer: dials a phone-book entry through WinINet's Internet dial
// on a worker thread (which may show the system's dial-up dialog), reports
// the outcome to a window as WM_INETDIALRESULT, and hangs up.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

// The two functions an Internet dial goes through. Normally WinINet's own;
// when the environment variable VELOTUNE_INTERNET_DIAL names a module, that
// module's InternetDialA and InternetHangUp are used instead. Wine's
// InternetDial reports success without dialing, so the lab names its own
// dialer there, one that shows the dial-up dialog and dials as Windows does.
struct InternetDialFunctions {
  using Dial = DWORD(WINAPI*)(HWND parent, LPSTR entryName, DWORD flags, DWORD_PTR* connection,
                              DWORD reserved);
  using HangUp = DWORD(WINAPI*)(DWORD_PTR connection, DWORD reserved);

  Dial dial = nullptr;
  HangUp hangUp = nullptr;
  // How the start reaches the worker's queue: PostThreadMessageA, which
  // tests replace to see a start that cannot be posted.
  using PostStart = BOOL(WINAPI*)(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
  PostStart postStart = &PostThreadMessageA;

  // The functions of this process, resolved once; a named module stays loaded
  // for the life of the process, as a system library would. Both are null
  // when the named module or one of its functions is missing.
  static InternetDialFunctions System();
  // InternetDialA and InternetHangUp of a module, which stays loaded while
  // they are found; both null when the module or either function is missing.
  static InternetDialFunctions FromModule(const std::string& moduleName);
};

class CInternetDialer {
 public:
  CInternetDialer();
  // Dials and hangs up through the given functions (the lab and tests).
  explicit CInternetDialer(const InternetDialFunctions& functions);

  CInternetDialer(const CInternetDialer&) = delete;
  CInternetDialer& operator=(const CInternetDialer&) = delete;

  // Starts a worker that dials `entryName` with `window` as the dialog's
  // parent and sends WM_INETDIALRESULT to `window` when the dial has ended.
  // 1 when the worker was started, 0 when it was not (a worker whose start
  // could not be posted ends without dialing).
  int Start(HWND window, const std::string& entryName);

  // Hangs up a connection the dial returned: 0, or 4 when that fails.
  int HangUp(DWORD_PTR connection);

  // Dials made by this object on its own; it never redials, so always 0.
  int AttemptCount() const { return attempts_; }

  // The status code of an InternetDial result.
  static int StatusOfDialResult(DWORD result);

 private:
  struct Request {
    HWND window = nullptr;
    std::string entryName;
  };

  InternetDialFunctions functions_;
  std::unique_ptr<Request> request_;
  int attempts_ = 0;
};

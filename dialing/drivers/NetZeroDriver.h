// CNetZeroDriver: connects NetZero by driving its dialer, nzStart.exe. The
// window work runs on short-lived worker threads, one per request: the
// connect worker launches the dialer (step 1) or not (step 0), clicks its
// Connect control, waits for the connected windows or an error dialog and
// dismisses the error; the disconnect worker presses "Dis&connect" and waits
// for the dialer's windows to go. Workers report to the engine's window with
// WM_DRIVERNOTIFY and WM_NETZEROSTEP and never touch the driver itself.
//
// Before a NetZero dial the dialer's bin\jpeg.dll is set aside into
// bin\bckup\; Put back returns it. Neither move replaces a file.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

class CNetZeroDriver {
 public:
  CNetZeroDriver() = default;
  // Cancels the running workers; they end on their own, reaching nobody.
  ~CNetZeroDriver();

  CNetZeroDriver(const CNetZeroDriver&) = delete;
  CNetZeroDriver& operator=(const CNetZeroDriver&) = delete;

  // Moves bin\jpeg.dll into bin\bckup\ (making the folder).
  void SetAside() const;
  // Moves it back into bin\.
  void PutBack() const;

  // Starts a connect worker: step 1 launches the dialer first, step 0 clicks
  // Connect in the dialer that runs.
  void Advance(HWND engineWindow, int step);
  // Cancels the connect worker and starts a disconnect worker.
  void Disconnect(HWND engineWindow);

  // The dialer's folder: its path without the last 11 characters
  // ("nzStart.exe"); false when the path cannot be read or is too short.
  static bool DialerFolder(std::string& folder);

  // The NZTV dialog seen at any time in this process (the error dialogs
  // count only after it); tests start from a process that has seen none.
  static bool NztvSeen();
  static void ForgetNztvForTests();

 private:
  void StartWorker(UINT startMessage, int step);

  HWND engineWindow_ = nullptr;
  // Raised to cancel the connect workers started since the last Disconnect.
  std::shared_ptr<std::atomic<bool>> connectCancel_ = std::make_shared<std::atomic<bool>>(false);
  std::shared_ptr<std::atomic<bool>> disconnectCancel_ =
      std::make_shared<std::atomic<bool>>(false);
};

// CTuneUpWorker: the hidden window that runs the tune-up's download work on
// worker threads - one data-collection run after the first connection, one
// timed speed test per test - and reports each thread's end to the
// controller. It owns the image list and the pass bytes, which outlive the
// threads, and the result log the speed test appends to. At most one thread
// runs at a time.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/ResultLog.h"
#include "framework/TransferStop.h"

class CTestPlan;

// What the worker needs of the tune-up controller.
class IWorkerController {
 public:
  virtual ~IWorkerController() = default;
  virtual int ProviderKind() const = 0;
  virtual void StepDone() = 0;
  virtual void StepFailed(int status) = 0;
};

class CTuneUpWorker {
 public:
  explicit CTuneUpWorker(IWorkerController& controller);
  ~CTuneUpWorker();

  CTuneUpWorker(const CTuneUpWorker&) = delete;
  CTuneUpWorker& operator=(const CTuneUpWorker&) = delete;

  // Starts the data-collection thread, reporting progress to `progressView`.
  // False when the window or the thread could not be made.
  bool StartCollection(HWND progressView);
  // Starts the speed-test thread for the plan's first test.
  bool StartSpeedTest(HWND progressView, const CTestPlan& plan);
  // Stops the running thread whatever it is doing - its transfers are cut
  // off under it, and from then on it touches nothing of the worker's -
  // waits at most a second for its end, empties the image list and reports
  // the cancellation (44) once, by a posted WM_WORKER_DONE: an ending the
  // thread posted just before is dropped. With no thread running, reports a
  // cancelled speed test at once.
  void Stop();

  bool IsRunning() const { return collection_ != nullptr || speedTest_ != nullptr; }
  HWND Window() const { return window_; }
  CResultLog& ResultLog() { return log_; }
  const std::vector<std::string>& Images() const { return images_; }
  DWORD PassBytes() const { return passBytes_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateWindowOnce();
  bool StartThread(unsigned(__stdcall* procedure)(void*), HWND progressView,
                   const CTestPlan* plan, HANDLE& thread);
  void StopThread(HANDLE& thread);
  // Removes the WM_WORKER_DONE messages still waiting in the window's queue.
  void DropPendingEndings();
  static void ForgetThread(HANDLE& thread);
  LRESULT OnWorkerDone(WPARAM thread, int status);

  IWorkerController& controller_;
  HWND window_ = nullptr;
  HANDLE collection_ = nullptr;
  HANDLE speedTest_ = nullptr;
  DWORD collectionId_ = 0;
  DWORD speedTestId_ = 0;
  // The stop of the running thread's run; a new one for every run.
  std::shared_ptr<TransferStop> stop_;
  std::vector<std::string> images_;
  DWORD passBytes_ = 0;
  CResultLog log_;
};

// The tune-up worker's hidden window and thread handling (see TuneUpWorker.h).
#include "engine/TuneUpWorker.h"

#include <process.h>

#include "engine/TestPlan.h"
#include "engine/WorkerMessages.h"
#include "engine/WorkerThreads.h"
#include "engine/portable/StatusCodes.h"

namespace {

const char kWindowClass[] = "VelotuneTuneUpWorker";
// How long Stop waits for a stopped thread to end (not time-scaled).
constexpr DWORD kStopWaitMs = 1000;

bool RegisterWorkerClass(WNDPROC procedure) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kWindowClass;
  return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

CTuneUpWorker::CTuneUpWorker(IWorkerController& controller) : controller_(controller) {
  CreateWindowOnce();
}

CTuneUpWorker::~CTuneUpWorker() {
  StopThread(collection_);
  StopThread(speedTest_);
  if (window_ != nullptr) DestroyWindow(window_);
}

bool CTuneUpWorker::CreateWindowOnce() {
  if (window_ != nullptr) return true;
  if (!RegisterWorkerClass(&CTuneUpWorker::WindowProc)) return false;
  // Never shown: a message-only window that exists to receive the threads' messages.
  window_ = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleA(nullptr), this);
  return window_ != nullptr;
}

LRESULT CALLBACK CTuneUpWorker::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* worker = reinterpret_cast<CTuneUpWorker*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (worker != nullptr && message == WM_WORKER_DONE) {
    try {
      return worker->OnWorkerDone(wParam, static_cast<int>(lParam));
    } catch (...) {
      return 1;  // the controller's failure must not leave the window procedure
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool CTuneUpWorker::StartCollection(HWND progressView) {
  return StartThread(&CollectionThread, progressView, nullptr, collection_);
}

bool CTuneUpWorker::StartSpeedTest(HWND progressView, const CTestPlan& plan) {
  return StartThread(&SpeedTestThread, progressView, &plan, speedTest_);
}

namespace {

// The speed test measures with copies: the worker's own data may change
// while a run it stopped still finishes a fetch.
void GiveSpeedTestItsData(WorkerStartRecord& start, const CTestPlan& plan,
                          const std::vector<std::string>& images, DWORD passBytes) {
  start.imagesToTime = images;
  start.passBytesToTime = passBytes;
  start.firstTest = plan.First();
}

}  // namespace

bool CTuneUpWorker::StartThread(unsigned(__stdcall* procedure)(void*), HWND progressView,
                                const CTestPlan* plan, HANDLE& thread) {
  if (IsRunning() || !CreateWindowOnce()) return false;
  auto start = std::make_unique<WorkerStartRecord>();
  start->progressView = progressView;
  start->worker = window_;
  start->images = &images_;
  start->passBytes = &passBytes_;
  start->providerKind = controller_.ProviderKind();
  if (plan != nullptr) GiveSpeedTestItsData(*start, *plan, images_, passBytes_);
  start->log = &log_;
  stop_ = std::make_shared<TransferStop>();
  start->stop = stop_;
  unsigned id = 0;
  thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, procedure, start.get(), 0, &id));
  if (thread == nullptr) return false;
  start.release();  // the thread owns it now
  // The thread's queue appears with its first message call; keep posting the
  // start until it is accepted.
  while (!PostThreadMessageA(id, WM_WORKER_START, 0, 0)) {
    if (WaitForSingleObject(thread, 1) == WAIT_OBJECT_0) break;
  }
  (procedure == &CollectionThread ? collectionId_ : speedTestId_) = id;
  return true;
}

void CTuneUpWorker::StopThread(HANDLE& thread) {
  if (thread == nullptr) return;
  DWORD id = &thread == &collection_ ? collectionId_ : speedTestId_;
  // Cuts off the thread's transfers and wakes its waits; from here on the
  // thread touches nothing of the worker's. The quit message reaches it
  // where it waits for its start.
  if (stop_) stop_->Raise();
  const DWORD start = GetTickCount();
  const auto waited = [start] { return GetTickCount() - start; };
  // The thread may not have a queue yet; it makes one at its first wait.
  while (!PostThreadMessageA(id, WM_QUIT, 0, 0) && waited() < kStopWaitMs) {
    if (WaitForSingleObject(thread, 1) == WAIT_OBJECT_0) break;
  }
  // A thread still held in a WinINet call whose handle closing did not cut
  // short is left to end on its own: it can no longer reach the worker.
  if (waited() < kStopWaitMs) WaitForSingleObject(thread, kStopWaitMs - waited());
  ForgetThread(thread);
}

void CTuneUpWorker::ForgetThread(HANDLE& thread) {
  if (thread != nullptr) CloseHandle(thread);
  thread = nullptr;
}

void CTuneUpWorker::DropPendingEndings() {
  MSG message;
  while (PeekMessageA(&message, window_, WM_WORKER_DONE, WM_WORKER_DONE, PM_REMOVE)) {
  }
}

void CTuneUpWorker::Stop() {
  WPARAM stopped = kSpeedTestThread;
  if (collection_ != nullptr) {
    stopped = kCollectionThread;
    StopThread(collection_);
  } else if (speedTest_ != nullptr) {
    StopThread(speedTest_);
  } else {
    OnWorkerDone(kSpeedTestThread, status::kUserCancelled);
    return;
  }
  // The stopped thread posts nothing more, so whatever it posted is in the
  // queue: an ending it posted just before gives way to the one below. A
  // quit empties the list.
  DropPendingEndings();
  images_.clear();
  PostMessageA(window_, WM_WORKER_DONE, stopped, status::kUserCancelled);
}

LRESULT CTuneUpWorker::OnWorkerDone(WPARAM thread, int status) {
  HANDLE& handle = thread == kCollectionThread ? collection_ : speedTest_;
  if (status == status::kOk) {
    ForgetThread(handle);
    controller_.StepDone();
  } else {
    if (status != status::kUserCancelled) ForgetThread(handle);
    controller_.StepFailed(status);
  }
  return 1;
}

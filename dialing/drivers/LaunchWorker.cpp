// A worker thread started by a posted thread message.
#include "dialing/drivers/LaunchWorker.h"

#include <process.h>

#include <memory>

namespace {

// How long a worker waits for its start message before it gives up.
constexpr DWORD kStartWaitMs = 10000;

struct LaunchStart {
  HANDLE queueReady;
  UINT startMessage;
  std::function<void()> work;
};

bool WaitForStart(UINT startMessage) {
  DWORD begun = GetTickCount();
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.hwnd == nullptr && message.message == startMessage) return true;
    }
    DWORD passed = GetTickCount() - begun;
    if (passed >= kStartWaitMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kStartWaitMs - passed, QS_POSTMESSAGE);
  }
}

unsigned __stdcall LaunchThread(void* parameter) {
  std::unique_ptr<LaunchStart> start(static_cast<LaunchStart*>(parameter));
  MSG message;
  // A thread has a message queue only once it asks for a message.
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  SetEvent(start->queueReady);  // the starter's event: not touched after this
  if (!WaitForStart(start->startMessage)) return 0;
  try {
    start->work();
  } catch (...) {
    // Out of memory in the work: the driver's watch ends the dial by its bound.
  }
  return 0;
}

}  // namespace

bool RunLaunchWorker(UINT startMessage, std::function<void()> work) {
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (ready == nullptr) return false;
  auto start = std::make_unique<LaunchStart>(LaunchStart{ready, startMessage, std::move(work)});
  unsigned threadId = 0;
  HANDLE thread = reinterpret_cast<HANDLE>(
      _beginthreadex(nullptr, 0, &LaunchThread, start.get(), 0, &threadId));
  if (thread == nullptr) {
    CloseHandle(ready);
    return false;
  }
  start.release();  // the thread owns it now
  // Either the worker's queue exists or the worker has already ended.
  HANDLE waitFor[] = {ready, thread};
  DWORD woken = WaitForMultipleObjects(2, waitFor, FALSE, INFINITE);
  bool posted = woken == WAIT_OBJECT_0 && PostThreadMessageA(threadId, startMessage, 0, 0);
  CloseHandle(thread);
  CloseHandle(ready);
  return posted;
}

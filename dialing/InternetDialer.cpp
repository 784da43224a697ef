// Internet dial on a worker thread (see InternetDialer.h).
#include "dialing/InternetDialer.h"

#include <wininet.h>

#include <vector>

#include "dialing/DialingMessages.h"
#include "engine/portable/StatusCodes.h"
#include "framework/RasLayouts.h"

namespace {

// WinINet's results that the program tells apart.
constexpr DWORD kDialParameterError = ERROR_INVALID_PARAMETER;  // 87
constexpr DWORD kDialUserCancelled = ras::kUserDisconnection;  // the dialog's Cancel or Work Offline
constexpr DWORD kDialNoConnection = ras::kNoConnection;

// What the worker owns for its one dial: its own copy of the request, so a
// later Start can fill the dialer's record while this dial is still running.
struct WorkerStart {
  HWND window;
  std::vector<char> entryName;  // zero-terminated; InternetDial takes a writable text
  InternetDialFunctions::Dial dial;
  HANDLE queueReady;  // set once the worker's message queue exists
  // Set by Start when the start message could not be posted; shared with
  // Start, which closes its own duplicate.
  HANDLE abandoned;

  ~WorkerStart() {
    if (queueReady != nullptr) CloseHandle(queueReady);
    if (abandoned != nullptr) CloseHandle(abandoned);
  }
};

// Waits for the first message of the worker's queue; false when Start gave
// up on the worker first.
bool WaitForFirstMessage(const WorkerStart& start, MSG& message) {
  for (;;) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return message.message != WM_QUIT;
    DWORD woken =
        MsgWaitForMultipleObjects(1, &start.abandoned, FALSE, INFINITE, QS_ALLPOSTMESSAGE);
    if (woken != WAIT_OBJECT_0 + 1) return false;  // abandoned, or the wait failed
  }
}

void RunDial(const WorkerStart& start) {
  DWORD_PTR connection = 0;
  std::vector<char> entryName = start.entryName;
  DWORD result = start.dial(start.window, entryName.data(), INTERNET_AUTODIAL_FORCE_ONLINE,
                            &connection, 0);
  SendMessageA(start.window, WM_INETDIALRESULT,
               static_cast<WPARAM>(CInternetDialer::StatusOfDialResult(result)),
               static_cast<LPARAM>(connection));
}

DWORD WINAPI InternetDialWorker(void* parameter) {
  std::unique_ptr<WorkerStart> start(static_cast<WorkerStart*>(parameter));
  MSG message;
  // A thread has a message queue only once it asks for a message.
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  SetEvent(start->queueReady);
  if (!WaitForFirstMessage(*start, message) || message.message != WM_INETDIALSTART) return 0;
  try {
    RunDial(*start);
  } catch (...) {
    // Out of memory copying the entry name: the dial never started, and the
    // window learns nothing, as when the system's dialog is closed unanswered.
  }
  return 0;
}

// Start's own handles of the two events it shares with a worker: the
// worker's copies are duplicates, so each side closes its own.
struct StartEvents {
  HANDLE queueReady = nullptr;
  HANDLE abandoned = nullptr;

  ~StartEvents() {
    if (queueReady != nullptr) CloseHandle(queueReady);
    if (abandoned != nullptr) CloseHandle(abandoned);
  }

  // Creates both events and the worker's duplicates of them.
  bool Create(HANDLE& workerQueueReady, HANDLE& workerAbandoned) {
    queueReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    abandoned = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    return queueReady != nullptr && abandoned != nullptr &&
           Duplicate(queueReady, workerQueueReady) && Duplicate(abandoned, workerAbandoned);
  }

  static bool Duplicate(HANDLE source, HANDLE& copy) {
    return DuplicateHandle(GetCurrentProcess(), source, GetCurrentProcess(), &copy, 0, FALSE,
                           DUPLICATE_SAME_ACCESS) != FALSE;
  }
};

InternetDialFunctions ResolveSystemFunctions() {
  char moduleName[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableA("VELOTUNE_INTERNET_DIAL", moduleName, MAX_PATH);
  if (length == 0) {
    InternetDialFunctions functions;
    functions.dial = &InternetDialA;
    functions.hangUp = &InternetHangUp;
    return functions;
  }
  if (length >= MAX_PATH) return InternetDialFunctions();
  return InternetDialFunctions::FromModule(moduleName);
}

}  // namespace

InternetDialFunctions InternetDialFunctions::FromModule(const std::string& moduleName) {
  InternetDialFunctions functions;
  HMODULE module = LoadLibraryA(moduleName.c_str());
  if (module == nullptr) return functions;
  auto dial = reinterpret_cast<Dial>(
      reinterpret_cast<void*>(GetProcAddress(module, "InternetDialA")));
  auto hangUp = reinterpret_cast<HangUp>(
      reinterpret_cast<void*>(GetProcAddress(module, "InternetHangUp")));
  if (dial == nullptr || hangUp == nullptr) {
    FreeLibrary(module);
    return functions;
  }
  functions.dial = dial;
  functions.hangUp = hangUp;
  return functions;
}

InternetDialFunctions InternetDialFunctions::System() {
  static const InternetDialFunctions functions = ResolveSystemFunctions();
  return functions;
}

CInternetDialer::CInternetDialer() : CInternetDialer(InternetDialFunctions::System()) {}

CInternetDialer::CInternetDialer(const InternetDialFunctions& functions)
    : functions_(functions) {}

int CInternetDialer::StatusOfDialResult(DWORD result) {
  switch (result) {
    case ERROR_SUCCESS:
      return status::kOk;
    case kDialParameterError:
      return status::kBadParameters;
    case kDialUserCancelled:
      return status::kInternetDialCancelled;
    case kDialNoConnection:
    default:
      return status::kDialError;
  }
}

int CInternetDialer::Start(HWND window, const std::string& entryName) {
  if (functions_.dial == nullptr) return 0;
  try {
    if (!request_) request_ = std::make_unique<Request>();
    request_->window = window;
    request_->entryName = entryName;

    auto start = std::make_unique<WorkerStart>();
    start->window = request_->window;
    start->entryName.assign(request_->entryName.begin(), request_->entryName.end());
    start->entryName.push_back('\0');
    start->dial = functions_.dial;
    start->queueReady = nullptr;
    start->abandoned = nullptr;
    StartEvents events;
    if (!events.Create(start->queueReady, start->abandoned)) return 0;

    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, &InternetDialWorker, start.get(), 0, &threadId);
    if (thread == nullptr) return 0;
    start.release();  // the worker owns it now
    // Either the worker's queue exists or the worker has already ended.
    HANDLE waitFor[] = {events.queueReady, thread};
    DWORD woken = WaitForMultipleObjects(2, waitFor, FALSE, INFINITE);
    BOOL posted = woken == WAIT_OBJECT_0 &&
                  functions_.postStart(threadId, WM_INETDIALSTART, 0, 0);
    // A worker that never gets its start must not wait for it for ever.
    if (!posted) SetEvent(events.abandoned);
    CloseHandle(thread);
    return posted ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

int CInternetDialer::HangUp(DWORD_PTR connection) {
  if (functions_.hangUp == nullptr) return status::kHangUpFailed;
  return functions_.hangUp(connection, 0) != 0 ? status::kHangUpFailed : status::kOk;
}

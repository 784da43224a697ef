// TransferStop: lets one thread stop the WinINet transfers of another at
// once. A worker thread makes a stop its own (TransferStop::ThisThread); from
// then on every InternetHandle the thread opens is watched by it. Raise, on
// the stopping thread, closes every watched handle, which makes a pending
// WinINet call on it (connect, send, a wait for data) return at once, wakes
// the thread's waits and tells its loops to end. A handle the stop closed is
// never closed again by its owner.
//
// Not every WinINet wait ends when its handle is closed (Wine's waits for
// data do not), so the stopping thread need not wait for the stopped one:
// the stopped thread touches the data it shares only through UnlessRaised,
// which never runs once Raise has returned.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <mutex>
#include <vector>

class TransferStop {
 public:
  TransferStop();
  ~TransferStop();

  TransferStop(const TransferStop&) = delete;
  TransferStop& operator=(const TransferStop&) = delete;

  // Any thread: closes the watched handles, wakes Wait; later handles are
  // closed as soon as they are watched. Waits for an UnlessRaised that runs.
  void Raise();
  // Runs `action` unless the stop was raised, holding Raise off meanwhile.
  // Keep it short and free of waits: the stopping thread waits for it.
  template <typename Action>
  bool UnlessRaised(Action action) {
    std::lock_guard<std::mutex> gate(gate_);
    if (Raised()) return false;
    action();
    return true;
  }
  bool Raised() const { return raised_.load(); }
  // Sleeps `milliseconds` (as given, not time-scaled); true when the stop
  // was raised before or during the wait.
  bool Wait(DWORD milliseconds) const;

  // Called by InternetHandle for the handles of the thread that owns the stop.
  void Watch(HINTERNET handle);
  // False when the stop closed the handle already; the owner closes it otherwise.
  bool Unwatch(HINTERNET handle);

  // The stop of the calling thread; null when it has none.
  static TransferStop* OfThisThread();

  // Makes a stop the calling thread's own for the life of the object.
  class ThisThread {
   public:
    explicit ThisThread(TransferStop* stop);
    ~ThisThread();
    ThisThread(const ThisThread&) = delete;
    ThisThread& operator=(const ThisThread&) = delete;

   private:
    TransferStop* previous_;
  };

 private:
  std::atomic<bool> raised_{false};
  HANDLE event_;
  std::mutex gate_;   // held by UnlessRaised, and by Raise before mutex_
  std::mutex mutex_;  // the watched handles
  std::vector<HINTERNET> watched_;
};

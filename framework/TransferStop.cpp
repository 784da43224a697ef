// A stop for the WinINet transfers of one thread (see TransferStop.h).
#include "framework/TransferStop.h"

#include <algorithm>

namespace {

thread_local TransferStop* t_threadStop = nullptr;

}  // namespace

TransferStop::TransferStop() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

TransferStop::~TransferStop() {
  if (event_ != nullptr) CloseHandle(event_);
}

void TransferStop::Raise() {
  {
    std::lock_guard<std::mutex> gate(gate_);
    raised_.store(true);
  }
  std::lock_guard<std::mutex> lock(mutex_);
  if (event_ != nullptr) SetEvent(event_);
  // The newest first: requests before the connections and sessions they belong to.
  for (auto handle = watched_.rbegin(); handle != watched_.rend(); ++handle) {
    InternetCloseHandle(*handle);
  }
  watched_.clear();
}

bool TransferStop::Wait(DWORD milliseconds) const {
  if (Raised()) return true;
  if (event_ == nullptr) {
    Sleep(milliseconds);
  } else {
    WaitForSingleObject(event_, milliseconds);
  }
  return Raised();
}

void TransferStop::Watch(HINTERNET handle) {
  if (handle == nullptr) return;
  std::lock_guard<std::mutex> lock(mutex_);
  if (raised_.load()) {
    InternetCloseHandle(handle);  // too late to start anything
    return;
  }
  watched_.push_back(handle);
}

bool TransferStop::Unwatch(HINTERNET handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto found = std::find(watched_.begin(), watched_.end(), handle);
  if (found == watched_.end()) return false;
  watched_.erase(found);
  return true;
}

TransferStop* TransferStop::OfThisThread() { return t_threadStop; }

TransferStop::ThisThread::ThisThread(TransferStop* stop) : previous_(t_threadStop) {
  t_threadStop = stop;
}

TransferStop::ThisThread::~ThisThread() { t_threadStop = previous_; }

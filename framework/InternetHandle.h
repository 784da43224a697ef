// An owned WinINet handle (session, connection, request or file), closed
// when the object goes unless it was closed explicitly before. A handle
// opened on a thread that has a TransferStop is watched by it: the stop may
// close it from another thread, and then the owner does not close it again.
#pragma once

#include <windows.h>
#include <wininet.h>

#include "framework/TransferStop.h"

class InternetHandle {
 public:
  InternetHandle() = default;
  explicit InternetHandle(HINTERNET handle)
      : handle_(handle), stop_(handle != nullptr ? TransferStop::OfThisThread() : nullptr) {
    if (stop_ != nullptr) stop_->Watch(handle_);
  }
  ~InternetHandle() { Close(); }

  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  InternetHandle(InternetHandle&& other) noexcept : handle_(other.handle_), stop_(other.stop_) {
    other.Forget();
  }
  InternetHandle& operator=(InternetHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = other.handle_;
      stop_ = other.stop_;
      other.Forget();
    }
    return *this;
  }

  bool IsOpen() const { return handle_ != nullptr; }
  HINTERNET Get() const { return handle_; }

  // Closes the handle now; InternetCloseHandle's result (FALSE when nothing
  // was open). A handle its thread's stop closed already counts as closed.
  BOOL Close() {
    if (handle_ == nullptr) return FALSE;
    HINTERNET handle = handle_;
    TransferStop* stop = stop_;
    Forget();
    if (stop != nullptr && !stop->Unwatch(handle)) return TRUE;
    return InternetCloseHandle(handle);
  }

 private:
  void Forget() {
    handle_ = nullptr;
    stop_ = nullptr;
  }

  HINTERNET handle_ = nullptr;
  TransferStop* stop_ = nullptr;
};

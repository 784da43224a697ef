// An owned WinINet handle (session, connection, request or file), closed
// when the object goes unless it was closed explicitly before.
#pragma once

#include <windows.h>
#include <wininet.h>

class InternetHandle {
 public:
  InternetHandle() = default;
  explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
  ~InternetHandle() { Close(); }

  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  InternetHandle(InternetHandle&& other) noexcept : handle_(other.Release()) {}
  InternetHandle& operator=(InternetHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = other.Release();
    }
    return *this;
  }

  bool IsOpen() const { return handle_ != nullptr; }
  HINTERNET Get() const { return handle_; }

  // Closes the handle now; InternetCloseHandle's result (FALSE when nothing was open).
  BOOL Close() {
    if (handle_ == nullptr) return FALSE;
    BOOL closed = InternetCloseHandle(handle_);
    handle_ = nullptr;
    return closed;
  }

  HINTERNET Release() {
    HINTERNET handle = handle_;
    handle_ = nullptr;
    return handle;
  }

 private:
  HINTERNET handle_ = nullptr;
};

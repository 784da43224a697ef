// Sets (or removes) one environment variable of this process for the life of
// the object and puts the old value back afterwards.
#pragma once

#include <windows.h>

#include <string>

class ScopedEnvironment {
 public:
  // A null value removes the variable.
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    char old[1024] = {};
    DWORD length = GetEnvironmentVariableA(name, old, sizeof(old));
    hadValue_ = length > 0 && length < sizeof(old);
    if (hadValue_) oldValue_.assign(old, length);
    SetEnvironmentVariableA(name, value);
  }
  ~ScopedEnvironment() {
    SetEnvironmentVariableA(name_.c_str(), hadValue_ ? oldValue_.c_str() : nullptr);
  }

  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  std::string name_;
  std::string oldValue_;
  bool hadValue_ = false;
};

// An owned module handle from LoadLibraryA, freed when the object goes.
#pragma once

#include <windows.h>

class LoadedModule {
 public:
  LoadedModule() = default;
  explicit LoadedModule(const char* fileName) : module_(LoadLibraryA(fileName)) {}
  ~LoadedModule() { Free(); }

  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;
  LoadedModule(LoadedModule&& other) noexcept : module_(other.Release()) {}
  LoadedModule& operator=(LoadedModule&& other) noexcept {
    if (this != &other) {
      Free();
      module_ = other.Release();
    }
    return *this;
  }

  bool IsLoaded() const { return module_ != nullptr; }
  HMODULE Get() const { return module_; }

  // The address of an exported function cast to the caller's pointer type; null when missing.
  template <typename Function>
  Function Proc(const char* name) const {
    if (module_ == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

  // Frees the module now; returns FreeLibrary's result (FALSE when nothing was loaded).
  BOOL Free() {
    if (module_ == nullptr) return FALSE;
    BOOL freed = FreeLibrary(module_);
    module_ = nullptr;
    return freed;
  }

  HMODULE Release() {
    HMODULE module = module_;
    module_ = nullptr;
    return module;
  }

 private:
  HMODULE module_ = nullptr;
};

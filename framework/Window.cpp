// The window base: finding the object of a window and forwarding its messages.
#include "framework/Window.h"

namespace {

// The window property that holds the object's address.
const char kObjectProperty[] = "Velotune.Window";

}  // namespace

Window::~Window() { Destroy(); }

bool Window::RegisterClass(const char* className, UINT classStyle, HBRUSH background, HICON icon,
                           HCURSOR cursor, HICON smallIcon) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing = {};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExA(instance, className, &existing)) return true;
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = &Window::WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon;
  windowClass.hIconSm = smallIcon;
  windowClass.hCursor = cursor != nullptr ? cursor : LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = className;
  return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool Window::Create(const char* className, const std::string& title, DWORD style, DWORD exStyle,
                    const RECT& rect, HWND parent, HMENU menuOrId) {
  if (handle_ != nullptr) return false;
  const bool systemPlace = rect.left == static_cast<LONG>(CW_USEDEFAULT);
  const int width = systemPlace ? CW_USEDEFAULT : rect.right - rect.left;
  const int height = systemPlace ? CW_USEDEFAULT : rect.bottom - rect.top;
  HWND created = CreateWindowExA(exStyle, className, title.c_str(), style, rect.left, rect.top,
                                 width, height, parent, menuOrId, GetModuleHandleA(nullptr), this);
  return created != nullptr && handle_ == created;
}

bool Window::Subclass(HWND control) {
  if (handle_ != nullptr || control == nullptr || FromHandle(control) != nullptr) return false;
  if (!SetPropA(control, kObjectProperty, this)) return false;
  handle_ = control;
  originalProcedure_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Window::SubclassProcedure)));
  return true;
}

void Window::Destroy() {
  if (handle_ == nullptr) return;
  if (originalProcedure_ != nullptr) {
    // A control we only borrowed goes back to its own procedure and stays.
    HWND control = handle_;
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(originalProcedure_));
    Detach();
    return;
  }
  DestroyWindow(handle_);
}

Window* Window::FromHandle(HWND window) {
  if (window == nullptr) return nullptr;
  return static_cast<Window*>(GetPropA(window, kObjectProperty));
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(message, wParam, lParam);
}

LRESULT Window::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  if (originalProcedure_ != nullptr) {
    return CallWindowProcA(originalProcedure_, handle_, message, wParam, lParam);
  }
  return DefWindowProcA(handle_, message, wParam, lParam);
}

void Window::Detach() {
  RemovePropA(handle_, kObjectProperty);
  handle_ = nullptr;
  originalProcedure_ = nullptr;
  OnFinalMessage();
}

LRESULT Window::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  try {
    result = HandleMessage(message, wParam, lParam);
  } catch (...) {
    // Nothing may unwind through the system's window procedure.
    result = 0;
  }
  if (message == WM_NCDESTROY && handle_ != nullptr) Detach();
  return result;
}

LRESULT CALLBACK Window::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = FromHandle(window);
  if (self == nullptr && message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    self = static_cast<Window*>(create->lpCreateParams);
    if (self != nullptr) {
      SetPropA(window, kObjectProperty, self);
      self->handle_ = window;
    }
  }
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return self->Dispatch(message, wParam, lParam);
}

LRESULT CALLBACK Window::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Window* self = FromHandle(window);
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    WNDPROC original = self->originalProcedure_;
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    LRESULT result = CallWindowProcA(original, window, message, wParam, lParam);
    self->Detach();
    return result;
  }
  return self->Dispatch(message, wParam, lParam);
}

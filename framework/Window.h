// The window base of the framework: an object that owns one HWND.
//
// A window created through Create (of a class registered with RegisterClass)
// or a control taken over with Subclass finds its object again on every
// message and hands the message to HandleMessage. The object destroys its
// window when it goes; a window destroyed from outside leaves the object with
// a null handle and calls OnFinalMessage.
#pragma once

#include <windows.h>

#include <string>

class Window {
 public:
  Window() = default;
  virtual ~Window();

  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND Handle() const { return handle_; }

  // Registers a window class whose windows forward to their objects; a class
  // that is already registered is fine. Returns false only on a real failure.
  static bool RegisterClass(const char* className, UINT classStyle = CS_DBLCLKS,
                            HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1),
                            HICON icon = nullptr, HCURSOR cursor = nullptr, HICON smallIcon = nullptr);

  // Creates the window of a class registered with RegisterClass; `menuOrId`
  // is the menu of a top-level window or the id of a child. A rectangle whose
  // left is CW_USEDEFAULT asks for the system's default place and size.
  bool Create(const char* className, const std::string& title, DWORD style, DWORD exStyle,
              const RECT& rect, HWND parent, HMENU menuOrId = nullptr);

  // Takes over an existing window (a dialog's control): its messages come to
  // HandleMessage, and DefaultHandling passes them on to its own procedure.
  bool Subclass(HWND control);

  // Destroys the window now (nothing when there is none).
  void Destroy();

  // The object of a window made by this base, or null.
  static Window* FromHandle(HWND window);

 protected:
  // Every message of the window; the default passes it on unhandled.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // What the window would do with the message without this object.
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
  // Called after the window's last message; the handle is already null.
  virtual void OnFinalMessage() {}

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
  void Detach();

  HWND handle_ = nullptr;
  WNDPROC originalProcedure_ = nullptr;
};

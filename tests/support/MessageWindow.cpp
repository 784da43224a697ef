#include "tests/support/MessageWindow.h"

namespace {

const char kClassName[] = "VelotuneTestMessageWindow";

void RegisterClassOnce(WNDPROC procedure) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);  // fails harmlessly when already registered
}

}  // namespace

MessageWindow::MessageWindow() {
  RegisterClassOnce(&Procedure);
  window_ = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleA(nullptr), this);
}

MessageWindow::~MessageWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

LRESULT CALLBACK MessageWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self != nullptr && message >= WM_APP && message <= 0xBFFF) {
    self->messages_.push_back(RecordedMessage{message, wParam, lParam});
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

std::vector<RecordedMessage> MessageWindow::MessagesOf(UINT message) const {
  std::vector<RecordedMessage> found;
  for (const RecordedMessage& recorded : messages_) {
    if (recorded.message == message) found.push_back(recorded);
  }
  return found;
}

bool MessageWindow::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD started = GetTickCount();
  for (;;) {
    MSG pending;
    while (PeekMessageA(&pending, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&pending);
      DispatchMessageA(&pending);
    }
    if (done()) return true;
    DWORD elapsed = GetTickCount() - started;
    if (elapsed >= timeoutMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
  }
}

bool MessageWindow::WaitFor(UINT message, DWORD timeoutMs,
                            const std::function<bool(const RecordedMessage&)>& accept) {
  return PumpUntil(
      [&] {
        for (const RecordedMessage& recorded : messages_) {
          if (recorded.message == message && (!accept || accept(recorded))) return true;
        }
        return false;
      },
      timeoutMs);
}

void MessageWindow::PumpFor(DWORD milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

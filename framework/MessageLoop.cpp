// The message loop with accelerators, dialog keys and idle updates.
#include "framework/MessageLoop.h"

#include "framework/FrameWindow.h"

namespace {

bool IsDialogWindow(HWND window) {
  char className[16] = {};
  return GetClassNameA(window, className, sizeof(className)) > 0 &&
         lstrcmpA(className, "#32770") == 0;
}

// The outermost dialog (modeless dialog or form view) that holds `window`.
HWND DialogOf(HWND window) {
  HWND dialog = nullptr;
  for (HWND current = window; current != nullptr; current = GetParent(current)) {
    if (IsDialogWindow(current)) dialog = current;
    if (!(GetWindowLongPtrA(current, GWL_STYLE) & WS_CHILD)) break;
  }
  return dialog;
}

bool BelongsTo(HWND window, HWND frame) {
  return window == frame || IsChild(frame, window);
}

}  // namespace

bool PreTranslateMessage(FrameWindow* frame, MSG& message) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
  HWND frameWindow = frame != nullptr ? frame->Handle() : nullptr;
  if (frameWindow != nullptr && frame->Accelerators() != nullptr &&
      BelongsTo(message.hwnd, frameWindow) &&
      TranslateAcceleratorA(frameWindow, frame->Accelerators(), &message)) {
    return true;
  }
  HWND dialog = DialogOf(message.hwnd);
  return dialog != nullptr && IsDialogMessageA(dialog, &message);
}

int RunMessageLoop(FrameWindow* frame) {
  MSG message = {};
  bool idlePending = true;
  for (;;) {
    while (!PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      if (idlePending && frame != nullptr && frame->Handle() != nullptr) frame->OnIdle();
      idlePending = false;
      WaitMessage();
    }
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    if (!PreTranslateMessage(frame, message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    idlePending = true;
  }
  return static_cast<int>(message.wParam);
}

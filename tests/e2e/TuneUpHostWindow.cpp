// The lab host's window and its message loop.
#include "tests/e2e/TuneUpHostWindow.h"

#include "tests/e2e/WindowDriver.h"

namespace {

constexpr char kClassName[] = "VelotuneTuneUpHost";
constexpr int kWidth = 720;
constexpr int kHeight = 480;
constexpr UINT_PTR kRefreshTimer = 1;

}  // namespace

TuneUpHostWindow::TuneUpHostWindow(TestMainFrame& frame) : frame_(frame) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = &TuneUpHostWindow::Procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kClassName;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClassA(&windowClass);
  window_ = CreateWindowA(kClassName, "Velotune tune-up in the lab", WS_OVERLAPPEDWINDOW, 0, 0,
                          kWidth, kHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  list_ = CreateWindowA("LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT,
                        0, 0, kWidth - 16, kHeight - 40, window_, nullptr,
                        GetModuleHandleA(nullptr), nullptr);
  SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  ShowWindow(window_, SW_SHOW);
  SetTimer(window_, kRefreshTimer, 100, nullptr);
}

TuneUpHostWindow::~TuneUpHostWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

LRESULT CALLBACK TuneUpHostWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

void TuneUpHostWindow::ShowNewLines() {
  const std::vector<std::string>& log = frame_.Log();
  if (log.size() < shown_) shown_ = 0;
  for (; shown_ < log.size(); ++shown_) {
    SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(log[shown_].c_str()));
  }
  LRESULT count = SendMessageA(list_, LB_GETCOUNT, 0, 0);
  if (count > 0) SendMessageA(list_, LB_SETTOPINDEX, static_cast<WPARAM>(count - 1), 0);
}

bool TuneUpHostWindow::RunUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= timeoutMs) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
      if (done()) break;
    }
    ShowNewLines();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  ShowNewLines();
  UpdateWindow(window_);
  return true;
}

bool TuneUpHostWindow::SaveScreenshot(const std::string& path) const {
  RECT rect;
  GetWindowRect(window_, &rect);
  // Drawn now, then copied from the screen, where the list's lines are.
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  return e2e::SaveScreenArea(rect, path);
}

// The hyperlink label.
#include "ui/LinkStatic.h"

#include <vector>

#include "res/resource.h"
#include "ui/ShellOpen.h"
#include "ui/portable/LinkAddress.h"

bool CLinkStatic::Create(const RECT& rect, const std::string& text, DWORD style, HWND parent,
                         int pointSize, int id) {
  HWND control = CreateWindowExA(0, "STATIC", text.c_str(), style | WS_CHILD, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleA(nullptr), nullptr);
  if (control == nullptr) return false;
  WindowDC screen(nullptr);
  const int height = -MulDiv(pointSize, GetDeviceCaps(screen.Get(), LOGPIXELSY), 72);
  font_.Reset(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, TRUE, FALSE, ANSI_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
  if (!Subclass(control)) {
    DestroyWindow(control);
    return false;
  }
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  return true;
}

void CLinkStatic::SetTarget(int kind, const std::string& target, const std::string& subject) {
  kind_ = kind;
  target_ = target;
  subject_ = subject;
}

void CLinkStatic::Follow() {
  const std::string address = links::AddressFor(kind_, target_, subject_);
  if (address.empty()) return;
  if (shellopen::Open(address)) return;
  shellopen::ShowProgramMessage(Handle(), kind_ == links::kEmail ? shellopen::kMailerMissing
                                                                 : shellopen::kBrowserMissing);
}

void CLinkStatic::Paint() {
  PaintDC paint(Handle());
  RECT client = {};
  GetClientRect(Handle(), &client);
  // The parent's colours for its statics give the background.
  HWND parent = GetParent(Handle());
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
      parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(paint.Get()), reinterpret_cast<LPARAM>(Handle())));
  FillRect(paint.Get(), &client, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
  const int length = GetWindowTextLengthA(Handle());
  std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
  GetWindowTextA(Handle(), text.data(), length + 1);
  SelectedObject font(paint.Get(), font_.Get());
  SetBkMode(paint.Get(), TRANSPARENT);
  SetTextColor(paint.Get(), RGB(0, 0, 255));
  DrawTextA(paint.Get(), text.data(), -1, &client, DT_LEFT | DT_NOPREFIX | DT_SINGLELINE | DT_TOP);
}

LRESULT CLinkStatic::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SETCURSOR: {
      HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDCUR_LINK_HAND));
      SetCursor(hand != nullptr ? hand : LoadCursor(nullptr, IDC_HAND));
      return TRUE;
    }
    case WM_LBUTTONDOWN:
      SetCursor(LoadCursor(nullptr, IDC_WAIT));
      Follow();
      return 0;
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

// The one-row, two-column splitter and its view replacement.
#include "framework/StaticSplitter.h"

#include <windowsx.h>

namespace {

const char kSplitterClass[] = "VelotuneSplitter";

}  // namespace

StaticSplitter::~StaticSplitter() {
  for (auto& pane : panes_) pane.reset();
}

bool StaticSplitter::Create(HWND frame, const RECT& rect, int id) {
  frame_ = frame;
  if (!RegisterClass(kSplitterClass, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1))) {
    return false;
  }
  return Window::Create(kSplitterClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, rect, frame,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

int StaticSplitter::PaneIndex(int row, int column) const {
  if (row < 0 || row >= kRows || column < 0 || column >= kColumns) return -1;
  return row * kColumns + column;
}

bool StaticSplitter::CreateView(int row, int column, const ViewFactory& factory, SIZE initialSize,
                                Document* document) {
  const int index = PaneIndex(row, column);
  if (index < 0 || Handle() == nullptr) return false;
  if (index == 0 && initialSize.cx > 0) firstWidth_ = initialSize.cx;
  return PlaceView(index, factory, document);
}

bool StaticSplitter::PlaceView(int index, const ViewFactory& factory, Document* document) {
  std::unique_ptr<FormView> view = factory ? factory() : nullptr;
  if (!view) return false;
  if (!view->CreateInPane(Handle(), kFirstPaneId + index, document, frame_)) return false;
  SetWindowPos(view->Handle(), nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(view->Handle(), SW_SHOWNA);
  panes_[index] = std::move(view);
  return true;
}

bool StaticSplitter::ReplaceView(int row, int column, const ViewFactory& factory) {
  const int index = PaneIndex(row, column);
  if (index < 0 || !panes_[index]) return false;
  Document* document = panes_[index]->GetDocument();
  // The focus must not stay in a window that is about to go.
  HWND focus = GetFocus();
  const bool hadFocus = focus != nullptr && IsChild(panes_[index]->Handle(), focus);
  panes_[index].reset();
  if (!PlaceView(index, factory, document)) return false;
  RecalcLayout();
  RedrawWindow(panes_[index]->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  if (hadFocus) SetFocus(panes_[index]->Handle());
  return true;
}

FormView* StaticSplitter::GetPane(int row, int column) const {
  const int index = PaneIndex(row, column);
  return index < 0 ? nullptr : panes_[index].get();
}

FormView* StaticSplitter::ActivePane() const {
  HWND focus = GetFocus();
  for (int i = 0; i < kColumns; ++i) {
    if (panes_[i] && focus != nullptr &&
        (focus == panes_[i]->Handle() || IsChild(panes_[i]->Handle(), focus))) {
      lastActive_ = i;
    }
  }
  return panes_[lastActive_].get();
}

void StaticSplitter::NextPane(bool previous) {
  ActivePane();
  const int next = (lastActive_ + (previous ? kColumns - 1 : 1)) % kColumns;
  if (!panes_[next]) return;
  HWND view = panes_[next]->Handle();
  HWND first = GetNextDlgTabItem(view, nullptr, FALSE);
  SetFocus(first != nullptr ? first : view);
  lastActive_ = next;
}

RECT StaticSplitter::BarRect() const {
  RECT client = {};
  GetClientRect(Handle(), &client);
  RECT bar = {firstWidth_, 0, firstWidth_ + kBarWidth, client.bottom};
  return bar;
}

void StaticSplitter::RecalcLayout() {
  if (Handle() == nullptr) return;
  RECT client = {};
  GetClientRect(Handle(), &client);
  if (firstWidth_ > client.right - kBarWidth) firstWidth_ = client.right - kBarWidth;
  if (firstWidth_ < 0) firstWidth_ = 0;
  const RECT rects[kColumns] = {{0, 0, firstWidth_, client.bottom},
                                {firstWidth_ + kBarWidth, 0, client.right, client.bottom}};
  for (int i = 0; i < kColumns; ++i) {
    if (!panes_[i]) continue;
    const RECT& r = rects[i];
    MoveWindow(panes_[i]->Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  }
  RECT bar = BarRect();
  InvalidateRect(Handle(), &bar, TRUE);
}

void StaticSplitter::OnBarDrag(int x) {
  RECT client = {};
  GetClientRect(Handle(), &client);
  if (x < 0) x = 0;
  if (x > client.right - kBarWidth) x = client.right - kBarWidth;
  if (x == firstWidth_) return;
  firstWidth_ = x;
  RecalcLayout();
}

LRESULT StaticSplitter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      RecalcLayout();
      return 0;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == Handle() && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      dragging_ = true;
      SetCapture(Handle());
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_) OnBarDrag(GET_X_LPARAM(lParam) - kBarWidth / 2);
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (dragging_) {
        dragging_ = false;
        if (message == WM_LBUTTONUP) ReleaseCapture();
      }
      return 0;
    default:
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

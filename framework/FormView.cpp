// Form views hosted in panes.
#include "framework/FormView.h"

#include "framework/Document.h"

FormView::FormView(int templateId) : Dialog(templateId) {}

FormView::~FormView() {
  if (document_ != nullptr) document_->DetachView(this);
}

bool FormView::CreateInPane(HWND parent, int paneId, Document* document, HWND frame) {
  document_ = document;
  frame_ = frame;
  if (document_ != nullptr) document_->AttachView(this);
  if (!CreateModeless(parent)) return false;
  SetWindowLongPtrA(Handle(), GWLP_ID, paneId);
  // Tab and the arrow keys move between the controls of the pane.
  SetWindowLongPtrA(Handle(), GWL_EXSTYLE,
                    GetWindowLongPtrA(Handle(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
  OnInitialUpdate();
  return true;
}

void FormView::SetBackgroundColour(COLORREF colour) {
  brush_.Reset(CreateSolidBrush(colour));
  if (Handle() != nullptr) InvalidateRect(Handle(), nullptr, TRUE);
}

bool FormView::OnCommand(int id, int /*notifyCode*/, HWND /*control*/) {
  // Enter and Escape in a pane come here as OK and Cancel: a view stays.
  return id == IDOK || id == IDCANCEL;
}

HBRUSH FormView::OnStaticColour(HDC dc, HWND /*control*/) {
  SetBkMode(dc, TRANSPARENT);
  return brush_.Get();
}

INT_PTR FormView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (!brush_) return FALSE;
  if (message == WM_CTLCOLORDLG) {
    handled = true;
    return reinterpret_cast<INT_PTR>(brush_.Get());
  }
  if (message == WM_CTLCOLORSTATIC) {
    HBRUSH brush = OnStaticColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    handled = brush != nullptr;
    return reinterpret_cast<INT_PTR>(brush);
  }
  return FALSE;
}

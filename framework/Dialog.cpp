// Template dialogs: the dialog procedure that finds the object and its hooks.
#include "framework/Dialog.h"

#include <commctrl.h>

#include <vector>

namespace {

const char kObjectProperty[] = "Velotune.Dialog";

}  // namespace

Dialog::Dialog(int templateId) : templateId_(templateId) {}

Dialog::~Dialog() {
  if (handle_ == nullptr) return;
  HWND window = handle_;
  if (modal_) {
    EndDialog(window, IDCANCEL);
  } else {
    DestroyWindow(window);
  }
  if (handle_ != nullptr) {
    // The window outlives us (a modal dialog still winding down): cut it loose.
    RemovePropA(window, kObjectProperty);
    handle_ = nullptr;
  }
}

INT_PTR Dialog::DoModal(HWND owner) {
  if (handle_ != nullptr) return -1;
  modal_ = true;
  INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner,
                                   &Dialog::DialogProcedure, reinterpret_cast<LPARAM>(this));
  modal_ = false;
  return result;
}

bool Dialog::CreateModeless(HWND owner) {
  if (handle_ != nullptr) return false;
  modal_ = false;
  HWND created = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner,
                                    &Dialog::DialogProcedure, reinterpret_cast<LPARAM>(this));
  return created != nullptr && handle_ == created;
}

void Dialog::End(INT_PTR result) {
  if (handle_ == nullptr) return;
  if (modal_) {
    EndDialog(handle_, result);
  } else {
    DestroyWindow(handle_);
  }
}

Dialog* Dialog::FromHandle(HWND window) {
  if (window == nullptr) return nullptr;
  return static_cast<Dialog*>(GetPropA(window, kObjectProperty));
}

HWND Dialog::Item(int id) const { return handle_ != nullptr ? GetDlgItem(handle_, id) : nullptr; }

std::string Dialog::ItemText(int id) const {
  HWND item = Item(id);
  if (item == nullptr) return std::string();
  int length = GetWindowTextLengthA(item);
  if (length <= 0) return std::string();
  std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(item, buffer.data(), length + 1);
  return std::string(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

void Dialog::SetItemText(int id, const std::string& text) {
  if (HWND item = Item(id)) SetWindowTextA(item, text.c_str());
}

void Dialog::ShowItem(int id, bool show) {
  if (HWND item = Item(id)) ShowWindow(item, show ? SW_SHOW : SW_HIDE);
}

void Dialog::EnableItem(int id, bool enable) {
  if (HWND item = Item(id)) EnableWindow(item, enable ? TRUE : FALSE);
}

bool Dialog::IsChecked(int id) const {
  return SendItem(id, BM_GETCHECK) == BST_CHECKED;
}

void Dialog::SetChecked(int id, bool checked) {
  SendItem(id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

LRESULT Dialog::SendItem(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
  HWND item = Item(id);
  return item != nullptr ? SendMessageA(item, message, wParam, lParam) : 0;
}

bool Dialog::OnInitDialog() { return true; }

bool Dialog::OnCommand(int id, int /*notifyCode*/, HWND /*control*/) {
  if (id == IDOK || id == IDCANCEL) {
    End(id);
    return true;
  }
  return false;
}

void Dialog::OnTimer(UINT_PTR /*id*/) {}

INT_PTR Dialog::OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, bool& handled) {
  handled = false;
  return FALSE;
}

void Dialog::OnDestroy() {}

INT_PTR Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    case WM_TIMER:
      OnTimer(static_cast<UINT_PTR>(wParam));
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      return TRUE;
    default: {
      bool handled = false;
      INT_PTR result = OnMessage(message, wParam, lParam, handled);
      return handled ? result : FALSE;
    }
  }
}

INT_PTR CALLBACK Dialog::DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* created = message == WM_INITDIALOG ? reinterpret_cast<Dialog*>(lParam) : nullptr;
  return Route(window, message, wParam, lParam, created);
}

INT_PTR CALLBACK Dialog::PageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* created = nullptr;
  if (message == WM_INITDIALOG && lParam != 0) {
    created = reinterpret_cast<Dialog*>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
  }
  return Route(window, message, wParam, lParam, created);
}

INT_PTR Dialog::Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Dialog* created) {
  Dialog* self = FromHandle(window);
  if (self == nullptr && created != nullptr) {
    self = created;
    SetPropA(window, kObjectProperty, self);
    self->handle_ = window;
  }
  if (self == nullptr) return FALSE;
  INT_PTR result = FALSE;
  try {
    result = self->Dispatch(message, wParam, lParam);
  } catch (...) {
    // Nothing may unwind through the system's dialog manager.
    result = FALSE;
  }
  if (message == WM_NCDESTROY) {
    RemovePropA(window, kObjectProperty);
    self->handle_ = nullptr;
  }
  return result;
}

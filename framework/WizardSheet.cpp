// Wizard sheets and their pages.
#include "framework/WizardSheet.h"

#include <algorithm>

void WizardPage::SetWizardButtons(DWORD buttons) {
  if (Handle() != nullptr) SendMessageA(GetParent(Handle()), PSM_SETWIZBUTTONS, 0, buttons);
}

HPROPSHEETPAGE WizardPage::CreatePageHandle() {
  PROPSHEETPAGEA record = {};
  record.dwSize = sizeof(record);
  record.hInstance = GetModuleHandleA(nullptr);
  record.pszTemplate = MAKEINTRESOURCEA(TemplateId());
  record.pfnDlgProc = &Dialog::PageProcedure;
  record.lParam = reinterpret_cast<LPARAM>(this);
  return CreatePropertySheetPageA(&record);
}

INT_PTR WizardPage::OnMessage(UINT message, WPARAM /*wParam*/, LPARAM lParam, bool& handled) {
  if (message != WM_NOTIFY) return FALSE;
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (sheet_ != nullptr && header->hwndFrom == GetParent(Handle())) sheet_->handle_ = header->hwndFrom;
  LONG_PTR answer = 0;
  switch (header->code) {
    case PSN_SETACTIVE:
      answer = OnSetActive() ? 0 : -1;
      break;
    case PSN_WIZNEXT:
      answer = OnWizardNext();
      break;
    case PSN_WIZBACK:
      answer = OnWizardBack();
      break;
    case PSN_WIZFINISH:
      answer = OnWizardFinish() ? FALSE : TRUE;
      break;
    case PSN_RESET:
      OnReset();
      break;
    default:
      return FALSE;
  }
  SetWindowLongPtrA(Handle(), DWLP_MSGRESULT, answer);
  handled = true;
  return TRUE;
}

int WizardSheet::IndexOf(const WizardPage* page) const {
  auto found = std::find(pages_.begin(), pages_.end(), page);
  return found == pages_.end() ? -1 : static_cast<int>(found - pages_.begin());
}

WizardPage* WizardSheet::GetPage(int index) const {
  return index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr;
}

WizardPage* WizardSheet::ActivePage() const {
  if (handle_ == nullptr) return nullptr;
  HWND current = reinterpret_cast<HWND>(SendMessageA(handle_, PSM_GETCURRENTPAGEHWND, 0, 0));
  for (WizardPage* page : pages_) {
    if (page->Handle() == current) return page;
  }
  return nullptr;
}

bool WizardSheet::AddPage(WizardPage* page) {
  if (page == nullptr || IndexOf(page) >= 0) return false;
  page->sheet_ = this;
  if (handle_ != nullptr) {
    HPROPSHEETPAGE created = page->CreatePageHandle();
    if (created == nullptr || !SendMessageA(handle_, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(created))) {
      return false;
    }
  }
  pages_.push_back(page);
  return true;
}

bool WizardSheet::RemovePage(WizardPage* page) {
  const int index = IndexOf(page);
  if (index < 0) return false;
  // The sheet destroys the page's window and its page record.
  if (handle_ != nullptr) SendMessageA(handle_, PSM_REMOVEPAGE, static_cast<WPARAM>(index), 0);
  pages_.erase(pages_.begin() + index);
  return true;
}

INT_PTR WizardSheet::DoModal(HWND owner) {
  if (pages_.empty() || handle_ != nullptr) return -1;
  std::vector<HPROPSHEETPAGE> handles;
  for (WizardPage* page : pages_) {
    HPROPSHEETPAGE created = page->CreatePageHandle();
    if (created == nullptr) {
      for (HPROPSHEETPAGE made : handles) DestroyPropertySheetPage(made);
      return -1;
    }
    handles.push_back(created);
  }
  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof(header);
  header.dwFlags = PSH_WIZARD | PSH_NOAPPLYNOW;
  header.hwndParent = owner;
  header.hInstance = GetModuleHandleA(nullptr);
  header.pszCaption = caption_.c_str();
  header.nPages = static_cast<UINT>(handles.size());
  header.phpage = handles.data();
  const INT_PTR result = PropertySheetA(&header);
  handle_ = nullptr;
  return result;
}

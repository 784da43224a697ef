// The configuration wizard's page base (see ConfigWizardPage.h).
#include "ui/ConfigWizardPage.h"

#include "framework/FileDialogSeam.h"
#include "framework/MessageBoxSeam.h"
#include "framework/TransparentDraw.h"
#include "res/resource.h"
#include "ui/ConfigWizardPSheet.h"
#include "ui/portable/ConfigurationText.h"

namespace {

const char kBoxCaption[] = "Velotune";
const COLORREF kArtTransparent = RGB(255, 0, 0);

}  // namespace

CConfigWizardPSheet& CConfigWizardPage::Wizard() const {
  return *static_cast<CConfigWizardPSheet*>(Sheet());
}

void CConfigWizardPage::Inform(const std::string& text, UINT icon) const {
  HWND owner = Handle() != nullptr ? GetParent(Handle()) : nullptr;
  ShowMessageBox(owner, text, kBoxCaption, MB_OK | icon);
}

void CConfigWizardPage::LimitEdit(int id, size_t limit) {
  SendItem(id, EM_LIMITTEXT, limit);
}

std::string CConfigWizardPage::EditText(int id, size_t limit) const {
  return configtext::CutTo(ItemText(id), limit);
}

void CConfigWizardPage::FocusItem(int id) const {
  if (HWND item = Item(id)) SendMessageA(GetParent(Handle()), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE);
}

std::string CConfigWizardPage::BrowseForProgram() const {
  FileOpenRequest request;
  request.owner = GetParent(Handle());
  request.filter = "*.exe|*.exe";
  request.initialPath = "*.exe";
  return configtext::CutTo(ShowFileOpenDialog(request), configtext::kStoredTextLimit);
}

bool CConfigWizardPage::OnInitDialog() {
  // A wizard's frame may take its title from nowhere: it always reads "Configuration Wizard".
  SetWindowTextA(GetParent(Handle()), CConfigWizardPSheet::kCaption);
  art_.Reset(LoadResourceBitmap(IDB_WIZARD_ART));
  return true;
}

void CConfigWizardPage::PaintArt() {
  PaintDC paint(Handle());
  HWND anchor = Item(IDC_WIZARD_ART);
  if (anchor == nullptr || !art_) return;
  RECT place = {};
  GetWindowRect(anchor, &place);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&place), 2);
  DrawTransparentBitmap(paint.Get(), place.left, place.top, art_.Get(), kArtTransparent);
}

INT_PTR CConfigWizardPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  if (message == WM_PAINT) {
    PaintArt();
    handled = true;
    return TRUE;
  }
  return WizardPage::OnMessage(message, wParam, lParam, handled);
}

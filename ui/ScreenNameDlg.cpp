// The screen-name dialog (see ScreenNameDlg.h).
#include "ui/ScreenNameDlg.h"

#include "framework/MessageBoxSeam.h"
#include "res/resource.h"
#include "settings/AolSettings.h"
#include "settings/portable/ProviderKinds.h"
#include "ui/ListControls.h"
#include "ui/portable/ConfigurationText.h"

namespace {

// The adapter on the screen-name key of `kind`.
void UseKind(CAolSettings& settings, int kind) {
  std::string ignored;
  settings.GetProgramPath(kind == kProviderCompuServe ? kProviderCompuServe : kProviderAmericaOnline, ignored);
}

}  // namespace

CScreenNameDlg::CScreenNameDlg(int kind, std::vector<std::string> names)
    : Dialog(IDD_SCREEN_NAMES), kind_(kind), names_(std::move(names)) {}

bool CScreenNameDlg::OnInitDialog() {
  if (kind_ == kProviderCompuServe) SetItemText(IDC_WIZARD_GROUP, "CompuServe 2000 Setup - Screen Name");
  SendItem(IDC_ADDRESS_EDIT, EM_LIMITTEXT, configtext::kStoredTextLimit);
  HWND list = Item(IDC_PROFILE_LIST);
  listcontrols::AddComboItems(list, names_);
  SendMessageA(list, CB_SETCURSEL, 0, 0);
  return true;
}

void CScreenNameDlg::Inform(const std::string& text) const {
  ShowMessageBox(Handle(), text, "Velotune", MB_OK);
}

void CScreenNameDlg::Add() {
  const std::string name = configtext::CutTo(ItemText(IDC_ADDRESS_EDIT), configtext::kStoredTextLimit);
  if (name.empty()) {
    Inform("Nothing to add! Please enter the string you wish to add.");
    SetFocus(Item(IDC_ADDRESS_EDIT));
    return;
  }
  HWND list = Item(IDC_PROFILE_LIST);
  // Stored names are value names, which ignore case: one item per stored name.
  const bool listed = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(name.c_str())) != CB_ERR;
  if (!listed) {
    CAolSettings settings;
    UseKind(settings, kind_);
    if (settings.AddScreenName(name) == 0) listcontrols::AddComboItems(list, {name});
  }
  SetItemText(IDC_ADDRESS_EDIT, "");
}

void CScreenNameDlg::Delete() {
  HWND list = Item(IDC_PROFILE_LIST);
  const LRESULT selected = SendMessageA(list, CB_GETCURSEL, 0, 0);
  if (selected == CB_ERR) {
    Inform("Nothing to delete.");
    return;
  }
  const std::string name = listcontrols::SelectedComboText(list);
  SendMessageA(list, CB_DELETESTRING, static_cast<WPARAM>(selected), 0);
  SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  CAolSettings settings;
  UseKind(settings, kind_);
  settings.DeleteScreenName(name);
}

bool CScreenNameDlg::OnCommand(int id, int notifyCode, HWND /*control*/) {
  if (notifyCode != BN_CLICKED) return false;
  switch (id) {
    case IDC_SCREEN_NAME_ADD:
      Add();
      return true;
    case IDC_SCREEN_NAME_DELETE:
      Delete();
      return true;
    case IDOK:
    case IDC_SCREEN_NAME_OK:
      names_ = listcontrols::ComboItems(Item(IDC_PROFILE_LIST));
      End(IDOK);
      return true;
    case IDCANCEL:
    case IDC_SCREEN_NAME_CANCEL:
      End(IDCANCEL);
      return true;
    default:
      return false;
  }
}

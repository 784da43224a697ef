// The wizard's America Online and CompuServe 2000 page (see AolSetupPPage.h).
#include "ui/AolSetupPPage.h"

#include <algorithm>
#include <string>
#include <vector>

#include "res/resource.h"
#include "settings/AolSettings.h"
#include "settings/portable/DecimalText.h"
#include "settings/portable/ProviderKinds.h"
#include "ui/ConfigWizardPSheet.h"
#include "ui/ListControls.h"
#include "ui/ScreenNameDlg.h"
#include "ui/portable/ConfigurationText.h"

namespace {

// The adapter working on the kind's key rather than on the stored kind's.
void UseKind(CAolSettings& settings, int kind) {
  std::string ignored;
  settings.GetProgramPath(kind, ignored);
}

}  // namespace

CAolSetupPPage::CAolSetupPPage() : CConfigWizardPage(IDD_WIZARD_AOL) {}

bool CAolSetupPPage::OnInitDialog() {
  CConfigWizardPage::OnInitDialog();
  const int kind = Wizard().Answers().providerKind;
  LimitEdit(IDC_ADDRESS_EDIT, configtext::kStoredTextLimit);
  LimitEdit(IDC_REDIAL_EDIT, configtext::kRedialEditLimit);
  if (kind == kProviderCompuServe) {
    SetItemText(IDC_WIZARD_GROUP, "CompuServe 2000 Setup");
    SetItemText(IDC_WIZARD_LABEL, "Location of CompuServe Browser");
  }
  CAolSettings settings;
  std::string path;
  settings.GetProgramPath(kind, path);
  if (!path.empty()) SetItemText(IDC_ADDRESS_EDIT, configtext::CutTo(path, configtext::kStoredTextLimit));
  FillScreenNames(kind);
  ShowRedial(kind);
  return true;
}

void CAolSetupPPage::FillScreenNames(int kind) {
  CAolSettings settings;
  UseKind(settings, kind);
  std::vector<std::string> names;
  settings.ListScreenNames(names);
  HWND list = Item(IDC_PROFILE_LIST);
  listcontrols::AddComboItems(list, names);
  if (names.size() == 1) SendMessageA(list, CB_SETCURSEL, 0, 0);
  std::string name;
  settings.GetDefaultScreenName(name);
  if (!name.empty()) listcontrols::SelectComboExact(list, name);
}

void CAolSetupPPage::ShowRedial(int kind) {
  WizardMemory& memory = CConfigWizardPSheet::Memory();
  if (!memory.aolRedialInitialised) {
    CAolSettings settings;
    UseKind(settings, kind);
    DWORD count = 0;
    memory.aolRedialText = settings.GetRedial(count) == 0 ? std::to_string(count) : "10";
    memory.aolRedialInitialised = true;
  }
  SetItemText(IDC_REDIAL_EDIT, configtext::CutTo(memory.aolRedialText, configtext::kRedialEditLimit));
}

bool CAolSetupPPage::OnSetActive() {
  SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
  return true;
}

bool CAolSetupPPage::OnCommand(int id, int notifyCode, HWND /*control*/) {
  if (notifyCode != BN_CLICKED) return false;
  if (id == IDC_BROWSE) {
    Browse();
    return true;
  }
  if (id == IDC_SCREEN_NAME_BUTTON) {
    EditScreenNames();
    return true;
  }
  return false;
}

void CAolSetupPPage::Browse() {
  const std::string path = BrowseForProgram();
  if (!path.empty()) SetItemText(IDC_ADDRESS_EDIT, path);
}

void CAolSetupPPage::EditScreenNames() {
  const int kind = Wizard().Answers().providerKind;
  CSettingsStore().SetProviderKind(kind);
  HWND list = Item(IDC_PROFILE_LIST);
  std::vector<std::string> names = listcontrols::ComboItems(list);
  names.erase(std::remove(names.begin(), names.end(), std::string()), names.end());
  const std::string selected = listcontrols::SelectedComboText(list);
  CScreenNameDlg dialog(kind, names);
  if (dialog.DoModal(GetParent(Handle())) != IDOK) return;
  listcontrols::ClearCombo(list);
  listcontrols::AddComboItems(list, dialog.Names());
  if (!selected.empty()) listcontrols::SelectComboExactCase(list, selected);
}

int CAolSetupPPage::OnWizardBack() {
  CConfigWizardPSheet::Memory().aolRedialText = EditText(IDC_REDIAL_EDIT, configtext::kRedialEditLimit);
  return 0;
}

bool CAolSetupPPage::OnWizardFinish() {
  const WizardAnswers& answers = Wizard().Answers();
  CConfigWizardPSheet::Memory().aolRedialInitialised = false;
  CAolSettings settings;
  UseKind(settings, answers.providerKind);
  settings.SetProviderKind(answers.providerKind);
  settings.SetProgramPath(EditText(IDC_ADDRESS_EDIT, configtext::kStoredTextLimit));
  // A text that holds no number counts 0, as does a negative one.
  const int redial = DecimalToInt(EditText(IDC_REDIAL_EDIT, configtext::kRedialEditLimit));
  settings.SetRedial(static_cast<DWORD>(std::max(redial, 0)));
  settings.SetDefaultScreenName(listcontrols::SelectedComboText(Item(IDC_PROFILE_LIST)));
  settings.SetTuneUpType(static_cast<DWORD>(answers.tuneUpType));
  return true;
}

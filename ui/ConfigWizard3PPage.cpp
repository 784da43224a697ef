// The wizard's web address page (see ConfigWizard3PPage.h).
#include "ui/ConfigWizard3PPage.h"

#include "res/resource.h"
#include "settings/DialUpProfile.h"
#include "ui/ConfigWizardPSheet.h"
#include "ui/portable/ConfigurationText.h"

CConfigWizard3PPage::CConfigWizard3PPage() : CConfigWizardPage(IDD_WIZARD_WEB_ADDRESS) {}

bool CConfigWizard3PPage::OnInitDialog() {
  CConfigWizardPage::OnInitDialog();
  LimitEdit(IDC_ADDRESS_EDIT, configtext::AddressEditLimit());
  return true;
}

bool CConfigWizard3PPage::OnSetActive() {
  const std::string& address = Wizard().Answers().testAddress;
  const bool stored = !address.empty() && !configtext::EqualNoCase(address, configtext::kHttpPrefix);
  SetItemText(IDC_ADDRESS_EDIT, stored ? configtext::CutTo(address, configtext::AddressEditLimit())
                                       : std::string(configtext::kHttpPrefix));
  UpdateFinish();
  return true;
}

void CConfigWizard3PPage::UpdateFinish() {
  const bool enough = ItemText(IDC_ADDRESS_EDIT).size() > 7;
  SetWizardButtons(PSWIZB_BACK | (enough ? PSWIZB_FINISH : PSWIZB_DISABLEDFINISH));
}

bool CConfigWizard3PPage::OnCommand(int id, int notifyCode, HWND /*control*/) {
  if (id == IDC_ADDRESS_EDIT && notifyCode == EN_CHANGE) {
    UpdateFinish();
    return true;
  }
  return false;
}

int CConfigWizard3PPage::OnWizardBack() {
  Wizard().Answers().testAddress = EditText(IDC_ADDRESS_EDIT, configtext::AddressEditLimit());
  return 0;
}

bool CConfigWizard3PPage::WriteConfiguration() {
  const WizardAnswers& answers = Wizard().Answers();
  const int kind = answers.providerKind;
  CDialUpProfile profile(kind);
  if (profile.SetDefaultProfile(answers.profileName) != 0) return false;
  const std::string login = kind == 4 ? configtext::MsnLoginStored(answers.login) : answers.login;
  if (profile.SetLoginPassword(answers.profileName, login, answers.password) != 0) return false;
  if (profile.SetRedial(answers.profileName, answers.redial) != 0) return false;
  const std::string address =
      configtext::StoredTestAddress(EditText(IDC_ADDRESS_EDIT, configtext::AddressEditLimit()));
  if (profile.SetUrl(answers.profileName, address) != 0) return false;
  profile.SetProviderKind(kind);
  profile.SetTuneUpType(static_cast<DWORD>(answers.tuneUpType));
  return true;
}

bool CConfigWizard3PPage::OnWizardFinish() {
  if (!WriteConfiguration()) Inform("Unable to save the configuration you made", MB_ICONINFORMATION);
  return true;
}

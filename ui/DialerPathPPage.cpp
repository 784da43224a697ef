// The wizard's dialer path page (see DialerPathPPage.h).
#include "ui/DialerPathPPage.h"

#include "res/resource.h"
#include "settings/DialUpProfile.h"
#include "settings/portable/DecimalText.h"
#include "settings/portable/ProviderKinds.h"
#include "ui/ConfigWizardPSheet.h"
#include "ui/portable/ConfigurationText.h"

namespace {

// The dialer's place as the provider's own installation records it.
std::string DefaultDialerPath(int kind) {
  CSettingsStore store;
  std::string path;
  if (kind == kProviderNetZero) store.GetNetZeroPath(path);
  if (kind == kProviderJuno) store.GetJunoPath(path);
  if (kind == kProviderAttWorldNet) store.GetAttPath(path);
  return path;
}

}  // namespace

CDialerPathPPage::CDialerPathPPage() : CConfigWizardPage(IDD_WIZARD_DIALER_PATH) {}

bool CDialerPathPPage::OnInitDialog() {
  CConfigWizardPage::OnInitDialog();
  LimitEdit(IDC_DIALER_PATH_EDIT, configtext::kStoredTextLimit);
  LimitEdit(IDC_REDIAL_EDIT, configtext::kRedialEditLimit);
  return true;
}

bool CDialerPathPPage::OnSetActive() {
  SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
  const int kind = Wizard().Answers().providerKind;
  const std::string name = ProviderNameFromKind(kind);
  SetItemText(IDC_DIALER_GROUP, name + " Setup");
  SetItemText(IDC_DIALER_LABEL, name + " Dialer Path:");
  if (!activated_ || kind != leftKind_) {
    ShowStored(kind);
  } else {
    SetItemText(IDC_DIALER_PATH_EDIT, leftPath_);
    SetChecked(IDC_DEFAULT_DIALER_PATH, leftDefault_);
    UseDefault(leftDefault_);
    SetItemText(IDC_REDIAL_EDIT, leftRedial_);
  }
  activated_ = true;
  return true;
}

void CDialerPathPPage::ShowStored(int kind) {
  CDialUpProfile profile(kind);
  std::string path;
  bool useDefault = true;
  if (profile.GetDialerPath(kind, path) != 0) {
    profile.SetDefaultDialerPath(kind, 1);
  } else {
    DWORD flag = 0;
    useDefault = profile.GetDefaultDialerPath(kind, flag) == 0 && flag != 0;
  }
  if (useDefault) path = DefaultDialerPath(kind);
  SetItemText(IDC_DIALER_PATH_EDIT, configtext::CutTo(path, configtext::kStoredTextLimit));
  SetChecked(IDC_DEFAULT_DIALER_PATH, useDefault);
  UseDefault(useDefault);
  int redial = 0;
  const bool stored = profile.GetRedial(ProviderNameFromKind(kind), redial) == 0;
  SetItemText(IDC_REDIAL_EDIT, stored ? IntToDecimal(redial) : "10");
}

void CDialerPathPPage::UseDefault(bool useDefault) {
  EnableItem(IDC_DIALER_PATH_EDIT, !useDefault);
  EnableItem(IDC_DIALER_BROWSE, !useDefault);
}

bool CDialerPathPPage::OnCommand(int id, int notifyCode, HWND /*control*/) {
  if (notifyCode != BN_CLICKED) return false;
  if (id == IDC_DIALER_BROWSE) {
    Browse();
    return true;
  }
  if (id == IDC_DEFAULT_DIALER_PATH) {
    const bool useDefault = IsChecked(IDC_DEFAULT_DIALER_PATH);
    UseDefault(useDefault);
    const int kind = Wizard().Answers().providerKind;
    CSettingsStore().SetDefaultDialerPath(kind, useDefault ? 1 : 0);
    return true;
  }
  return false;
}

void CDialerPathPPage::Browse() {
  const std::string path = BrowseForProgram();
  if (!path.empty()) SetItemText(IDC_DIALER_PATH_EDIT, path);
}

int CDialerPathPPage::OnWizardBack() {
  leftKind_ = Wizard().Answers().providerKind;
  leftDefault_ = IsChecked(IDC_DEFAULT_DIALER_PATH);
  leftPath_ = EditText(IDC_DIALER_PATH_EDIT, configtext::kStoredTextLimit);
  leftRedial_ = EditText(IDC_REDIAL_EDIT, configtext::kRedialEditLimit);
  return 0;
}

bool CDialerPathPPage::OnWizardFinish() {
  const int kind = Wizard().Answers().providerKind;
  CDialUpProfile profile(kind);
  profile.SetProviderKind(kind);
  profile.SetDialerPath(kind, EditText(IDC_DIALER_PATH_EDIT, configtext::kStoredTextLimit));
  profile.SetRedial(ProviderNameFromKind(kind), DecimalToInt(EditText(IDC_REDIAL_EDIT, configtext::kRedialEditLimit)));
  profile.SetTuneUpType(static_cast<DWORD>(Wizard().Answers().tuneUpType));
  return true;
}

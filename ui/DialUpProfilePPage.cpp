// The wizard's dial-up profile page (see DialUpProfilePPage.h).
#include "ui/DialUpProfilePPage.h"

#include <vector>

#include "res/resource.h"
#include "settings/DialUpProfile.h"
#include "settings/portable/DecimalText.h"
#include "ui/ConfigWizardPSheet.h"
#include "ui/ListControls.h"
#include "ui/portable/ConfigurationText.h"

namespace {

const char kDefaultRedial[] = "10";

bool HasDomains(int kind) { return !configtext::LoginDomains(kind).empty(); }

}  // namespace

CDialUpProfilePPage::CDialUpProfilePPage() : CConfigWizardPage(IDD_WIZARD_PROFILE) {}

bool CDialUpProfilePPage::OnInitDialog() {
  CConfigWizardPage::OnInitDialog();
  const int kind = Wizard().Answers().providerKind;
  LimitEdit(IDC_LOGIN_EDIT, configtext::LoginEditLimit(kind));
  LimitEdit(IDC_PASSWORD_EDIT, configtext::PasswordEditLimit());
  LimitEdit(IDC_REDIAL_EDIT, configtext::kRedialEditLimit);
  SetItemText(IDC_LOGIN_EDIT, "");
  SetItemText(IDC_PASSWORD_EDIT, "");
  SetItemText(IDC_REDIAL_EDIT, kDefaultRedial);
  ShowDomains(kind);
  if (!rememberedDomain_.empty()) listcontrols::SelectComboExact(Item(IDC_DOMAIN_LIST), rememberedDomain_);
  FillProfiles();
  ShowStoredProfile(kind);
  return true;
}

void CDialUpProfilePPage::ShowDomains(int kind) {
  if (HasDomains(kind)) {
    ShowItem(IDC_DOMAIN_AT, true);
    ShowItem(IDC_DOMAIN_LIST, true);
    listcontrols::AddComboItems(Item(IDC_DOMAIN_LIST), configtext::LoginDomains(kind));
    return;
  }
  RECT login = {};
  RECT password = {};
  GetWindowRect(Item(IDC_LOGIN_EDIT), &login);
  GetWindowRect(Item(IDC_PASSWORD_EDIT), &password);
  SetWindowPos(Item(IDC_LOGIN_EDIT), nullptr, 0, 0, password.right - password.left, login.bottom - login.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDialUpProfilePPage::FillProfiles() {
  std::vector<std::string> entries;
  if (CDialUpProfile(Wizard().Answers().providerKind).ListPhonebookEntries(entries) != 0) {
    Inform("Error in retrieving the Dial-Up Profiles in your computer");
    return;
  }
  HWND list = Item(IDC_PROFILE_LIST);
  listcontrols::AddComboItems(list, entries);
  if (entries.empty()) {
    Inform("You have not setup your DialUp profile.  Please setup your Dial-Up profile and run this "
           "Configuration wizard again");
  } else if (entries.size() == 1) {
    SendMessageA(list, CB_SETCURSEL, 0, 0);
  }
}

void CDialUpProfilePPage::ShowStoredProfile(int kind) {
  CDialUpProfile profile(kind);
  std::string entry;
  std::string login;
  std::string password;
  if (profile.GetDefaultProfile(entry) != 0 || profile.GetLoginPassword(entry, login, password) != 0) return;
  listcontrols::SelectComboExact(Item(IDC_PROFILE_LIST), entry);
  int redial = 0;
  if (profile.GetRedial(entry, redial) != 0) return;
  std::string address;
  if (profile.GetUrl(entry, address) != 0) address.clear();
  Wizard().Answers().testAddress = address;
  ShowLogin(kind, login);
  SetItemText(IDC_PASSWORD_EDIT, configtext::CutTo(password, configtext::PasswordEditLimit()));
  SetItemText(IDC_REDIAL_EDIT, IntToDecimal(redial));
}

void CDialUpProfilePPage::ShowLogin(int kind, const std::string& stored) {
  std::string shown = stored;
  if (HasDomains(kind)) {
    std::string domain;
    configtext::SplitDomainLogin(stored, shown, domain);
    if (rememberedDomain_.empty() && !domain.empty()) {
      listcontrols::SelectComboExact(Item(IDC_DOMAIN_LIST), domain);
    }
  } else if (kind == 4) {
    shown = configtext::MsnLoginShown(stored);
  }
  SetItemText(IDC_LOGIN_EDIT, configtext::CutTo(shown, configtext::LoginEditLimit(kind)));
}

bool CDialUpProfilePPage::OnSetActive() {
  SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
  return true;
}

int CDialUpProfilePPage::OnWizardBack() {
  const std::string domain = listcontrols::SelectedComboText(Item(IDC_DOMAIN_LIST));
  if (!domain.empty()) rememberedDomain_ = domain;
  return 0;
}

int CDialUpProfilePPage::OnWizardNext() {
  WizardAnswers& answers = Wizard().Answers();
  const int kind = answers.providerKind;
  HWND list = Item(IDC_PROFILE_LIST);
  const std::string entry = listcontrols::SelectedComboText(list);
  if (SendMessageA(list, CB_GETCURSEL, 0, 0) == CB_ERR) {
    if (SendMessageA(list, CB_GETCOUNT, 0, 0) <= 0) {
      Inform("Sorry, unable to proceed on because there is no Dial-Up Profile setup.", MB_ICONINFORMATION);
    } else {
      Inform("Choose a Dial-Up Profile", MB_ICONINFORMATION);
      FocusItem(IDC_PROFILE_LIST);
    }
    return kStay;
  }
  std::string login = EditText(IDC_LOGIN_EDIT, configtext::LoginEditLimit(kind));
  if (login.empty()) {
    Inform("Enter your login name", MB_ICONINFORMATION);
    FocusItem(IDC_LOGIN_EDIT);
    return kStay;
  }
  if (HasDomains(kind)) {
    const std::string domain = listcontrols::SelectedComboText(Item(IDC_DOMAIN_LIST));
    if (domain.empty()) {
      Inform("Choose a domain", MB_ICONINFORMATION);
      return kStay;
    }
    login += "@" + domain;
  }
  int redial = 0;
  if (!configtext::ParseWholeNumber(ItemText(IDC_REDIAL_EDIT), redial)) {
    Inform("Please enter an integer.", MB_ICONEXCLAMATION);
    FocusItem(IDC_REDIAL_EDIT);
    return kStay;
  }
  answers.profileName = entry;
  answers.login = login;
  answers.password = EditText(IDC_PASSWORD_EDIT, configtext::PasswordEditLimit());
  answers.redial = redial;
  return 0;
}

// The configuration wizard's fixed pages (see ConfigWizardPages.h).
#include "ui/ConfigWizardPages.h"

#include <vector>

#include "res/resource.h"
#include "settings/SettingsStore.h"
#include "settings/portable/ProviderKinds.h"
#include "ui/AolSetupPPage.h"
#include "ui/ConfigWizard3PPage.h"
#include "ui/ConfigWizardPSheet.h"
#include "ui/DialUpProfilePPage.h"
#include "ui/DialerPathPPage.h"

namespace {

const int kTuneUpTypeButtons[] = {IDC_TUNEUP_EXPRESS, IDC_TUNEUP_MODERATE, IDC_TUNEUP_EXHAUSTIVE};

}  // namespace

// --- Welcome ------------------------------------------------------------------

CConfigWizard1PPage::CConfigWizard1PPage() : CConfigWizardPage(IDD_WIZARD_WELCOME) {}

bool CConfigWizard1PPage::OnSetActive() {
  SetWizardButtons(PSWIZB_NEXT);
  return true;
}

// --- Tune-up type -------------------------------------------------------------

CTuneUpTypePPage::CTuneUpTypePPage() : CConfigWizardPage(IDD_WIZARD_TUNEUP_TYPE) {}

bool CTuneUpTypePPage::OnInitDialog() {
  CConfigWizardPage::OnInitDialog();
  for (int id : kTuneUpTypeButtons) SetChecked(id, false);
  DWORD type = 0;
  if (CSettingsStore().GetTuneUpType(type) == 0 && type >= 1 && type <= 3) {
    SetChecked(kTuneUpTypeButtons[type - 1], true);
  } else {
    KeepFirstTypeReachable();
  }
  return true;
}

void CTuneUpTypePPage::KeepFirstTypeReachable() {
  // Clearing a radio button also takes its tab stop, so that Tab lands on the
  // checked one of a group. With none checked, Tab and the label's mnemonic
  // would find no way into the group: the first button keeps its stop, as the
  // template gives it.
  HWND first = Item(kTuneUpTypeButtons[0]);
  SetWindowLongA(first, GWL_STYLE, GetWindowLongA(first, GWL_STYLE) | WS_TABSTOP);
}

bool CTuneUpTypePPage::OnSetActive() {
  SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
  return true;
}

int CTuneUpTypePPage::OnWizardNext() {
  for (int type = 1; type <= 3; ++type) {
    if (IsChecked(kTuneUpTypeButtons[type - 1])) {
      Wizard().Answers().tuneUpType = type;
      return 0;
    }
  }
  Inform("Choose the type of tune-up to run");
  return kStay;
}

// --- Service provider -----------------------------------------------------------

CServiceProviderPPage::CServiceProviderPPage() : CConfigWizardPage(IDD_WIZARD_PROVIDER) {}

CServiceProviderPPage::~CServiceProviderPPage() = default;

bool CServiceProviderPPage::OnInitDialog() {
  CConfigWizardPage::OnInitDialog();
  for (int kind = kFirstProviderKind; kind <= kLastProviderKind; ++kind) {
    SendItem(IDC_PROVIDER_LIST, LB_ADDSTRING, 0,
             reinterpret_cast<LPARAM>(ProviderNameFromKind(kind).c_str()));
  }
  int kind = 0;
  const std::string name =
      CSettingsStore().GetProviderKind(kind) == 0 ? ProviderNameFromKind(kind) : std::string();
  // A stored number that is no provider selects nothing (an empty prefix would match the first).
  if (!name.empty()) {
    SendItem(IDC_PROVIDER_LIST, LB_SELECTSTRING, static_cast<WPARAM>(-1),
             reinterpret_cast<LPARAM>(name.c_str()));
  }
  return true;
}

bool CServiceProviderPPage::OnSetActive() {
  SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
  return true;
}

std::vector<WizardPage*> CServiceProviderPPage::PagesOf(int kind) {
  if (IsDialUpKind(kind)) {
    if (!profile_) profile_ = std::make_unique<CDialUpProfilePPage>();
    if (!webAddress_) webAddress_ = std::make_unique<CConfigWizard3PPage>();
    return {profile_.get(), webAddress_.get()};
  }
  if (kind == kProviderAmericaOnline || kind == kProviderCompuServe) {
    if (!aolSetup_) aolSetup_ = std::make_unique<CAolSetupPPage>();
    return {aolSetup_.get()};
  }
  if (kind == kProviderNetZero || kind == kProviderJuno || kind == kProviderAttWorldNet) {
    if (!dialerPath_) dialerPath_ = std::make_unique<CDialerPathPPage>();
    return {dialerPath_.get()};
  }
  return {};
}

int CServiceProviderPPage::OnWizardNext() {
  const LRESULT selected = SendItem(IDC_PROVIDER_LIST, LB_GETCURSEL);
  if (selected == LB_ERR) {
    Inform("Choose the Service Provider you use to connect to the Internet");
    return kStay;
  }
  CConfigWizardPSheet& wizard = Wizard();
  WizardMemory& memory = CConfigWizardPSheet::Memory();
  if (memory.providerKind != 0) wizard.RemoveProviderPages();
  char text[64] = {};
  if (SendItem(IDC_PROVIDER_LIST, LB_GETTEXTLEN, static_cast<WPARAM>(selected)) < static_cast<LRESULT>(sizeof(text))) {
    SendItem(IDC_PROVIDER_LIST, LB_GETTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text));
  }
  const int kind = ProviderKindFromName(text);
  const std::vector<WizardPage*> pages = PagesOf(kind);
  if (pages.empty()) {
    Inform("Invalid Service Provider");
    return kStay;
  }
  // The kind is the sheet's before its pages are made: they read it when they open.
  wizard.Answers().providerKind = kind;
  for (WizardPage* page : pages) wizard.AddPage(page);
  memory.providerKind = kind;
  wizard.Answers().testAddress.clear();
  return 0;
}

// The configuration wizard's sheet (see ConfigWizardPSheet.h).
#include "ui/ConfigWizardPSheet.h"

namespace {

constexpr int kFixedPages = 3;

}  // namespace

CConfigWizardPSheet::CConfigWizardPSheet() : WizardSheet(kCaption) {
  AddPage(&welcome_);
  AddPage(&tuneUpType_);
  AddPage(&serviceProvider_);
}

WizardMemory& CConfigWizardPSheet::Memory() {
  static WizardMemory memory;
  return memory;
}

void CConfigWizardPSheet::RemoveProviderPages() {
  while (PageCount() > kFixedPages) RemovePage(GetPage(PageCount() - 1));
}

void RunConfigurationWizard(HWND owner) {
  CConfigWizardPSheet wizard;
  wizard.DoModal(owner);
}

// CConfigWizard3PPage: the wizard's web address page, the last page of the
// phone-book kinds. Its Finish writes the default entry, login, password,
// redial count and test address of the entry, then the provider kind and
// the tune-up type; a failed write is reported once and ends the writing.
#pragma once

#include "ui/ConfigWizardPage.h"

class CConfigWizard3PPage : public CConfigWizardPage {
 public:
  CConfigWizard3PPage();

 protected:
  bool OnInitDialog() override;
  bool OnSetActive() override;
  bool OnCommand(int id, int notifyCode, HWND control) override;
  int OnWizardBack() override;
  bool OnWizardFinish() override;

 private:
  // Finish is offered when the address holds more than "http://".
  void UpdateFinish();
  // The writes of Finish in order; false at the first that fails.
  bool WriteConfiguration();
};

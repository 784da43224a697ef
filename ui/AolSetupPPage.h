// CAolSetupPPage: the wizard's page for America Online and CompuServe 2000:
// where the client program is, the default screen name (the names themselves
// are kept by the screen-name dialog) and the redial count. It reads and
// writes the settings of the kind chosen in the wizard, whatever kind is
// stored. The redial text is remembered across runs within the process.
#pragma once

#include "ui/ConfigWizardPage.h"

class CAolSetupPPage : public CConfigWizardPage {
 public:
  CAolSetupPPage();

 protected:
  bool OnInitDialog() override;
  bool OnSetActive() override;
  bool OnCommand(int id, int notifyCode, HWND control) override;
  int OnWizardBack() override;
  bool OnWizardFinish() override;

 private:
  void FillScreenNames(int kind);
  void ShowRedial(int kind);
  void Browse();
  void EditScreenNames();
};

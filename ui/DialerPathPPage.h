// CDialerPathPPage: the wizard's page for NetZero, Juno and AT&T WorldNet:
// where the provider's own dialer is (its default place, read from the
// provider's own registry entries, or a path of the user's) and the redial
// count. The "Use default dialer path" choice is stored at once.
#pragma once

#include <string>

#include "ui/ConfigWizardPage.h"

class CDialerPathPPage : public CConfigWizardPage {
 public:
  CDialerPathPPage();

 protected:
  bool OnInitDialog() override;
  bool OnSetActive() override;
  bool OnCommand(int id, int notifyCode, HWND control) override;
  int OnWizardBack() override;
  bool OnWizardFinish() override;

 private:
  // What is stored for the kind into the controls.
  void ShowStored(int kind);
  // The edit and Browse take input exactly when the default is not used.
  void UseDefault(bool useDefault);
  void Browse();

  bool activated_ = false;
  // What the page showed when it was last left by Back (kind 0: never).
  int leftKind_ = 0;
  bool leftDefault_ = false;
  std::string leftPath_;
  std::string leftRedial_;
};

// CDialUpProfilePPage: the wizard's dial-up profile page for the kinds that
// dial a Windows phone-book entry (Windows Dial-Up Networking, Microsoft
// Network, EarthLink, Prodigy): the entry, login, password and redial count,
// shown from what is stored for the kind's default entry. EarthLink and
// Prodigy logins carry one of the service's login domains after an "@".
#pragma once

#include <string>

#include "ui/ConfigWizardPage.h"

class CDialUpProfilePPage : public CConfigWizardPage {
 public:
  CDialUpProfilePPage();

 protected:
  bool OnInitDialog() override;
  bool OnSetActive() override;
  int OnWizardBack() override;
  int OnWizardNext() override;

 private:
  // The domain list and "@" for EarthLink and Prodigy; a wider login edit otherwise.
  void ShowDomains(int kind);
  // The phone-book entries into the profile list.
  void FillProfiles();
  // What is stored for the kind's default entry into the controls.
  void ShowStoredProfile(int kind);
  void ShowLogin(int kind, const std::string& stored);

  // The domain chosen when the page was last left by Back.
  std::string rememberedDomain_;
};

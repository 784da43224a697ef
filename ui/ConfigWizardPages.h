// The configuration wizard's three fixed pages: welcome, tune-up type and
// service provider. The service provider page owns the pages of each
// provider kind, made when first needed and kept for the sheet's life.
#pragma once

#include <memory>
#include <vector>

#include "ui/ConfigWizardPage.h"

class CDialUpProfilePPage;
class CConfigWizard3PPage;
class CAolSetupPPage;
class CDialerPathPPage;

// Welcome: text only; Next only.
class CConfigWizard1PPage : public CConfigWizardPage {
 public:
  CConfigWizard1PPage();

 protected:
  bool OnSetActive() override;
};

// How many times each test is repeated: Express, Moderate or Exhaustive.
class CTuneUpTypePPage : public CConfigWizardPage {
 public:
  CTuneUpTypePPage();

 protected:
  bool OnInitDialog() override;
  bool OnSetActive() override;
  int OnWizardNext() override;

 private:
  // With no type checked, Tab still reaches the group at its first button.
  void KeepFirstTypeReachable();
};

// The service provider kind; Next puts the kind's own pages after this one.
class CServiceProviderPPage : public CConfigWizardPage {
 public:
  CServiceProviderPPage();
  ~CServiceProviderPPage() override;

 protected:
  bool OnInitDialog() override;
  bool OnSetActive() override;
  int OnWizardNext() override;

 private:
  // The pages of a kind in order, made on first need; empty for no kind.
  std::vector<WizardPage*> PagesOf(int kind);

  std::unique_ptr<CDialUpProfilePPage> profile_;
  std::unique_ptr<CConfigWizard3PPage> webAddress_;
  std::unique_ptr<CAolSetupPPage> aolSetup_;
  std::unique_ptr<CDialerPathPPage> dialerPath_;
};

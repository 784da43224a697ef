// CConfigWizardPSheet: the configuration wizard. A wizard-mode property sheet
// captioned "Configuration Wizard" with three fixed pages (welcome, tune-up
// type, service provider); the service provider page adds the pages of the
// chosen provider kind. The sheet carries the answers the pages collect; each
// branch's last page writes them when Finish is pressed.
#pragma once

#include <windows.h>

#include <string>

#include "framework/WizardSheet.h"
#include "ui/ConfigWizardPages.h"

// The answers collected so far, in the order the pages ask for them.
struct WizardAnswers {
  std::string profileName;
  std::string login;
  std::string password;
  int redial = 0;
  std::string testAddress;
  int providerKind = 0;
  int tuneUpType = 0;
};

// What the wizard remembers from one run to the next within the process.
struct WizardMemory {
  // The kind chosen at the last Next of the service provider page (0 before the first).
  int providerKind = 0;
  // The redial text last shown on the America Online page.
  std::string aolRedialText;
  bool aolRedialInitialised = false;
};

class CConfigWizardPSheet : public WizardSheet {
 public:
  static constexpr char kCaption[] = "Configuration Wizard";

  CConfigWizardPSheet();

  WizardAnswers& Answers() { return answers_; }
  static WizardMemory& Memory();

  // Removes every page after the three fixed ones.
  void RemoveProviderPages();

 private:
  WizardAnswers answers_;
  CConfigWizard1PPage welcome_;
  CTuneUpTypePPage tuneUpType_;
  CServiceProviderPPage serviceProvider_;
};

// Runs the wizard modally over `owner`. Its result is not used: every value
// is written by the page that finishes the wizard.
void RunConfigurationWizard(HWND owner);

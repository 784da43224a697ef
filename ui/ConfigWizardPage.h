// CConfigWizardPage: what every page of the configuration wizard shares - the
// wizard picture painted at the top-left corner of the page's "#254" anchor
// with red as the transparent colour, the wizard's answers, the page's
// messages and the edits' text limits.
#pragma once

#include <windows.h>

#include <string>

#include "framework/GdiObjects.h"
#include "framework/WizardSheet.h"

class CConfigWizardPSheet;

class CConfigWizardPage : public WizardPage {
 public:
  explicit CConfigWizardPage(int templateId) : WizardPage(templateId) {}

 protected:
  // The sheet this page belongs to.
  CConfigWizardPSheet& Wizard() const;

  // A message box over the wizard, captioned with the program's name.
  void Inform(const std::string& text, UINT icon = 0) const;
  // Limits an edit to `limit` characters.
  void LimitEdit(int id, size_t limit);
  // An edit's text, cut to `limit` bytes (text set from outside passes the limit).
  std::string EditText(int id, size_t limit) const;
  void FocusItem(int id) const;
  // The file-open dialog for a program ("*.exe"); the chosen path, or empty.
  std::string BrowseForProgram() const;

  bool OnInitDialog() override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  void PaintArt();

  OwnedBitmap art_;
};

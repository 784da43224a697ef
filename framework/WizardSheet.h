// A wizard: a property sheet in wizard mode over comctl32's PropertySheetA.
//
// Page objects outlive their windows. Pages can be added and removed while
// the wizard runs; a page added again gets a new window and runs its
// OnInitDialog again. Each page sets the wizard's buttons when it becomes
// active and may keep the wizard on itself from Next, Back or Finish.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/Dialog.h"

class WizardSheet;

class WizardPage : public Dialog {
 public:
  // What OnWizardNext and OnWizardBack answer to stay on the page.
  static constexpr int kStay = -1;

  explicit WizardPage(int templateId) : Dialog(templateId) {}

  WizardSheet* Sheet() const { return sheet_; }
  // PSWIZB_BACK, PSWIZB_NEXT, PSWIZB_FINISH, PSWIZB_DISABLEDFINISH, combined.
  void SetWizardButtons(DWORD buttons);

 protected:
  // The page becomes active; false refuses it.
  virtual bool OnSetActive() { return true; }
  // Next or Back pressed: 0 goes on, kStay stays, a template id jumps to that page.
  virtual int OnWizardNext() { return 0; }
  virtual int OnWizardBack() { return 0; }
  // Finish pressed: false keeps the wizard open.
  virtual bool OnWizardFinish() { return true; }
  // The wizard is cancelled.
  virtual void OnReset() {}

  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  friend class WizardSheet;
  HPROPSHEETPAGE CreatePageHandle();

  WizardSheet* sheet_ = nullptr;
};

class WizardSheet {
 public:
  explicit WizardSheet(std::string caption) : caption_(std::move(caption)) {}
  WizardSheet(const WizardSheet&) = delete;
  WizardSheet& operator=(const WizardSheet&) = delete;

  // Appends a page (before the wizard runs, or while it runs).
  bool AddPage(WizardPage* page);
  // Removes a page; its window goes, the object stays the caller's.
  bool RemovePage(WizardPage* page);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  WizardPage* GetPage(int index) const;
  // The page shown now, or null.
  WizardPage* ActivePage() const;

  // Runs the wizard modally; the property sheet's result (IDOK after Finish,
  // 0 after Cancel, -1 on failure).
  INT_PTR DoModal(HWND owner);
  HWND Handle() const { return handle_; }

 private:
  friend class WizardPage;
  int IndexOf(const WizardPage* page) const;

  std::string caption_;
  std::vector<WizardPage*> pages_;
  HWND handle_ = nullptr;
};

// Dialogs from templates in the program's resources, modal or modeless.
//
// The object outlives its window: a modeless dialog ended with End (or
// destroyed from outside) leaves the object with a null handle, and the
// object's destructor destroys a window that still lives. Subclasses react
// through the On... hooks and use the item helpers for their controls.
#pragma once

#include <windows.h>

#include <string>

class Dialog {
 public:
  explicit Dialog(int templateId);
  virtual ~Dialog();

  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Runs the dialog modally; returns what End was given, or -1 when the
  // template could not be loaded.
  INT_PTR DoModal(HWND owner);
  // Creates the dialog as a modeless window (a child when the template says
  // WS_CHILD); false when it could not be made or already exists.
  bool CreateModeless(HWND owner);
  // Ends the dialog: EndDialog when modal, DestroyWindow when modeless.
  void End(INT_PTR result);

  HWND Handle() const { return handle_; }
  int TemplateId() const { return templateId_; }
  bool IsModal() const { return modal_; }

  // The object of a dialog made by this class, or null.
  static Dialog* FromHandle(HWND window);

  // Control helpers.
  HWND Item(int id) const;
  std::string ItemText(int id) const;
  void SetItemText(int id, const std::string& text);
  void ShowItem(int id, bool show);
  void EnableItem(int id, bool enable);
  bool IsChecked(int id) const;
  void SetChecked(int id, bool checked);
  LRESULT SendItem(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

 protected:
  // WM_INITDIALOG; true lets the system give the first control the focus.
  virtual bool OnInitDialog();
  // WM_COMMAND; true when handled. The default ends the dialog on OK and Cancel.
  virtual bool OnCommand(int id, int notifyCode, HWND control);
  // WM_TIMER.
  virtual void OnTimer(UINT_PTR id);
  // Any other message; set `handled` and return the dialog procedure's result.
  virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  // WM_DESTROY, while the controls still exist.
  virtual void OnDestroy();

  // The dialog procedure of a property sheet page, whose object comes with
  // the page's record (PROPSHEETPAGE's lParam) instead of the init parameter.
  static INT_PTR CALLBACK PageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static INT_PTR Route(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Dialog* created);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  int templateId_;
  HWND handle_ = nullptr;
  bool modal_ = false;
};

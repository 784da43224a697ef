// CScreenNameDlg: adds and deletes the screen names of America Online or
// CompuServe 2000. Every addition and deletion is stored at once, so it stays
// even when the dialog is cancelled; OK hands back the names in list order.
#pragma once

#include <string>
#include <vector>

#include "framework/Dialog.h"

class CScreenNameDlg : public Dialog {
 public:
  // `kind` 3 keeps the names of CompuServe 2000, any other those of America Online.
  CScreenNameDlg(int kind, std::vector<std::string> names);

  // The names in the list when the dialog ended with OK.
  const std::vector<std::string>& Names() const { return names_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int notifyCode, HWND control) override;

 private:
  void Add();
  void Delete();
  void Inform(const std::string& text) const;

  int kind_;
  std::vector<std::string> names_;
};

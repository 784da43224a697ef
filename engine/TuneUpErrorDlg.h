// CTuneUpErrorDlg: the modal countdown dialog (template 348) shown after a
// failure. It counts ten seconds down, then ends with "resume"; the pause
// box freezes the count; Cancel or Escape ends it with "stop". The
// controller shows the label below the message; the dial engine uses the
// alternative place beside the seconds.
#pragma once

#include "engine/CountdownDialog.h"
#include "framework/Dialog.h"

class CTuneUpErrorDlg : public Dialog {
 public:
  explicit CTuneUpErrorDlg(const CountdownTexts& texts);

  int Remaining() const { return remaining_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int notifyCode, HWND control) override;
  void OnTimer(UINT_PTR id) override;

 private:
  void ArrangeLayout();
  void ShowRemaining();
  void Finish(int result);

  CountdownTexts texts_;
  int remaining_;
};

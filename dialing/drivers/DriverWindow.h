// CDriverWindow: the invisible window a client driver runs its timers on.
// A modeless dialog made from the dial engine's hidden template and hidden at
// once; it is never shown, so OK and Cancel never end it. Every interval goes
// through the time-scale seam, and the window remembers which of its timers
// are armed, for the drivers' "unless armed" steps.
#pragma once

#include <windows.h>

#include <set>

#include "framework/Dialog.h"

class CDriverWindow : public Dialog {
 public:
  CDriverWindow();
  ~CDriverWindow() override;

 protected:
  void ArmTimer(UINT_PTR id, UINT milliseconds);
  void ArmTimerUnlessArmed(UINT_PTR id, UINT milliseconds);
  void StopTimer(UINT_PTR id);
  bool IsTimerArmed(UINT_PTR id) const { return armed_.count(id) != 0; }

  // The driver's timer handler; only timers that are still armed reach it.
  virtual void OnDriverTimer(UINT_PTR id) = 0;

  bool OnInitDialog() override;
  bool OnCommand(int id, int notifyCode, HWND control) override;

 private:
  void OnTimer(UINT_PTR id) final;

  std::set<UINT_PTR> armed_;
};

// The client drivers' hidden window and its scaled timers.
#include "dialing/drivers/DriverWindow.h"

#include "framework/TimeScale.h"
#include "res/TuneUpDialogIds.h"

CDriverWindow::CDriverWindow() : Dialog(IDD_DIAL_HIDDEN) { CreateModeless(nullptr); }

CDriverWindow::~CDriverWindow() {
  for (UINT_PTR id : armed_) KillTimer(Handle(), id);
}

bool CDriverWindow::OnInitDialog() {
  ShowWindow(Handle(), SW_HIDE);
  return false;
}

bool CDriverWindow::OnCommand(int /*id*/, int /*notifyCode*/, HWND /*control*/) { return true; }

void CDriverWindow::ArmTimer(UINT_PTR id, UINT milliseconds) {
  SetTimer(Handle(), id, timescale::Scaled(milliseconds), nullptr);
  armed_.insert(id);
}

void CDriverWindow::ArmTimerUnlessArmed(UINT_PTR id, UINT milliseconds) {
  if (!IsTimerArmed(id)) ArmTimer(id, milliseconds);
}

void CDriverWindow::StopTimer(UINT_PTR id) {
  KillTimer(Handle(), id);
  armed_.erase(id);
}

void CDriverWindow::OnTimer(UINT_PTR id) {
  // A tick already queued when its timer was stopped belongs to nobody.
  if (!IsTimerArmed(id)) {
    KillTimer(Handle(), id);
    return;
  }
  OnDriverTimer(id);
}

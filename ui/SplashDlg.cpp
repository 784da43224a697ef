// The splash window.
#include "ui/SplashDlg.h"

#include "res/resource.h"

CSplashDlg::CSplashDlg() : PaleYellowDialog(IDD_SPLASH) {}

bool CSplashDlg::ShowNow() {
  if (!CreateModeless(nullptr)) return false;
  ShowWindow(Handle(), SW_SHOW);
  // The wait that follows blocks the thread: paint before it, or it stays grey.
  UpdateWindow(Handle());
  return true;
}

void CSplashDlg::Placements(Placement (&placements)[3]) const {
  placements[0] = {IDB_SPLASH_PICTURE, IDC_SPLASH_PICTURE, {0, 0}};
  placements[1] = {IDB_SPLASH_TITLE, 0, {12, 5}};
  placements[2] = {IDB_SPLASH_EMBLEM, 0, {270, 5}};
}

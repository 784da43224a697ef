// The splash window.
#include "ui/SplashDlg.h"

#include "res/resource.h"

CSplashDlg::CSplashDlg() : PaleYellowDialog(IDD_SPLASH) {}

bool CSplashDlg::ShowNow() {
  if (!CreateModeless(nullptr)) return false;
  FitToPictures();
  ShowWindow(Handle(), SW_SHOW);
  // The wait that follows blocks the thread: paint before it, or it stays grey.
  UpdateWindow(Handle());
  return true;
}

void CSplashDlg::FitToPictures() {
  // The pictures have fixed pixel sizes; the template's units vary with the font.
  const SIZE extent = PicturesExtent();
  if (extent.cx <= 0 || extent.cy <= 0) return;
  const int kMargin = 10;
  RECT rect = {0, 0, extent.cx + kMargin, extent.cy + kMargin};
  AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_EXSTYLE)));
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  SetWindowPos(Handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSplashDlg::Placements(Placement (&placements)[3]) const {
  placements[0] = {IDB_SPLASH_PICTURE, IDC_SPLASH_PICTURE, {0, 0}};
  placements[1] = {IDB_SPLASH_TITLE, 0, {12, 5}};
  placements[2] = {IDB_SPLASH_EMBLEM, 0, {270, 5}};
}

// Pale yellow dialogs with transparent pictures.
#include "ui/PaleYellowDialog.h"

#include "framework/TransparentDraw.h"

#include <algorithm>
#include <cstdlib>

PaleYellowDialog::PaleYellowDialog(int templateId) : Dialog(templateId) {}

bool PaleYellowDialog::OnInitDialog() {
  brush_.Reset(CreateSolidBrush(kPaleYellow));
  Placement placements[3];
  Placements(placements);
  for (int i = 0; i < 3; ++i) {
    bitmaps_[i].Reset(LoadResourceBitmap(placements[i].bitmapId, LR_CREATEDIBSECTION));
  }
  // The first picture's colour table gives the palette of all three.
  palette_.Reset(CreatePaletteFromBitmap(bitmaps_[0].Get()));
  return true;
}

POINT PaleYellowDialog::PicturePosition(const Placement& placement) const {
  POINT at = placement.fixed;
  if (placement.anchorId == 0) return at;
  if (HWND item = Item(placement.anchorId)) {
    RECT anchor = {};
    GetWindowRect(item, &anchor);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&anchor), 2);
    at = {anchor.left, anchor.top};
  }
  return at;
}

SIZE PaleYellowDialog::PicturesExtent() const {
  Placement placements[3];
  Placements(placements);
  SIZE extent = {0, 0};
  for (int i = 0; i < 3; ++i) {
    BITMAP info = {};
    if (GetObjectA(bitmaps_[i].Get(), sizeof(info), &info) == 0) continue;
    const POINT at = PicturePosition(placements[i]);
    extent.cx = std::max<LONG>(extent.cx, at.x + info.bmWidth);
    extent.cy = std::max<LONG>(extent.cy, at.y + std::abs(info.bmHeight));
  }
  return extent;
}

void PaleYellowDialog::PaintPictures() {
  PaintDC paint(Handle());
  HPALETTE previous = nullptr;
  if (palette_) {
    previous = SelectPalette(paint.Get(), palette_.Get(), FALSE);
    RealizePalette(paint.Get());
  }
  Placement placements[3];
  Placements(placements);
  for (int i = 0; i < 3; ++i) {
    const POINT at = PicturePosition(placements[i]);
    DrawTransparentBitmap(paint.Get(), at.x, at.y, bitmaps_[i].Get(), RGB(255, 255, 255));
  }
  if (previous != nullptr) SelectPalette(paint.Get(), previous, FALSE);
}

INT_PTR PaleYellowDialog::OnMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/, bool& handled) {
  switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      handled = true;
      return reinterpret_cast<INT_PTR>(brush_.Get());
    case WM_PAINT:
      PaintPictures();
      handled = true;
      return TRUE;
    default:
      return FALSE;
  }
}

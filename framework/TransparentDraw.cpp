// Mask drawing of bitmaps with a transparent colour.
#include "framework/TransparentDraw.h"

#include <vector>

#include "framework/GdiObjects.h"

void DrawTransparentBitmap(HDC target, int x, int y, HBITMAP bitmap, COLORREF transparent) {
  BITMAP info = {};
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof(info), &info) == 0) return;
  const int width = info.bmWidth;
  const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;

  MemoryDC imageDc(target);
  SelectedObject imageSelection(imageDc.Get(), bitmap);

  // Mask: 1 where the image has the transparent colour, 0 elsewhere.
  MemoryDC maskDc(target);
  OwnedBitmap mask(CreateBitmap(width, height, 1, 1, nullptr));
  SelectedObject maskSelection(maskDc.Get(), mask.Get());
  SetBkColor(imageDc.Get(), transparent);
  BitBlt(maskDc.Get(), 0, 0, width, height, imageDc.Get(), 0, 0, SRCCOPY);

  // The image with the transparent colour turned black.
  MemoryDC blackenedDc(target);
  OwnedBitmap blackened(CreateCompatibleBitmap(target, width, height));
  SelectedObject blackenedSelection(blackenedDc.Get(), blackened.Get());
  BitBlt(blackenedDc.Get(), 0, 0, width, height, imageDc.Get(), 0, 0, SRCCOPY);
  SetBkColor(blackenedDc.Get(), RGB(255, 255, 255));
  SetTextColor(blackenedDc.Get(), RGB(0, 0, 0));
  const DWORD kDestinationAndNotSource = 0x00220326;
  BitBlt(blackenedDc.Get(), 0, 0, width, height, maskDc.Get(), 0, 0, kDestinationAndNotSource);

  // Combine over a copy of what is there, then copy the result in one go.
  MemoryDC workDc(target);
  OwnedBitmap work(CreateCompatibleBitmap(target, width, height));
  SelectedObject workSelection(workDc.Get(), work.Get());
  BitBlt(workDc.Get(), 0, 0, width, height, target, x, y, SRCCOPY);
  SetBkColor(workDc.Get(), RGB(255, 255, 255));
  SetTextColor(workDc.Get(), RGB(0, 0, 0));
  BitBlt(workDc.Get(), 0, 0, width, height, maskDc.Get(), 0, 0, SRCAND);
  BitBlt(workDc.Get(), 0, 0, width, height, blackenedDc.Get(), 0, 0, SRCINVERT);
  BitBlt(target, x, y, width, height, workDc.Get(), 0, 0, SRCCOPY);
}

HPALETTE CreatePaletteFromBitmap(HBITMAP bitmap) {
  DIBSECTION section = {};
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof(section), &section) != sizeof(section)) {
    return nullptr;
  }
  const int bits = section.dsBmih.biBitCount;
  if (bits > 8) return nullptr;
  MemoryDC dc(nullptr);
  SelectedObject selection(dc.Get(), bitmap);
  RGBQUAD colours[256] = {};
  const UINT count = GetDIBColorTable(dc.Get(), 0, 256, colours);
  if (count == 0) return nullptr;
  std::vector<BYTE> storage(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
  auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
  palette->palVersion = 0x300;
  palette->palNumEntries = static_cast<WORD>(count);
  for (UINT i = 0; i < count; ++i) {
    palette->palPalEntry[i].peRed = colours[i].rgbRed;
    palette->palPalEntry[i].peGreen = colours[i].rgbGreen;
    palette->palPalEntry[i].peBlue = colours[i].rgbBlue;
    palette->palPalEntry[i].peFlags = 0;
  }
  return CreatePalette(palette);
}

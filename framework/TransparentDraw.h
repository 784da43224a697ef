// Drawing a bitmap with one colour treated as transparent, and the palette
// of a bitmap's colour table.
#pragma once

#include <windows.h>

// Draws `bitmap` at (x, y) of `target`, leaving what lies under the pixels of
// colour `transparent` as it was: a monochrome mask of those pixels is ANDed
// onto a copy of the target area, the image with that colour turned black is
// XORed onto it, and the result is copied to the target.
void DrawTransparentBitmap(HDC target, int x, int y, HBITMAP bitmap, COLORREF transparent);

// A logical palette of the colours of a bitmap's colour table (a DIB section
// or a bitmap loaded with LR_CREATEDIBSECTION); null for a bitmap without one.
HPALETTE CreatePaletteFromBitmap(HBITMAP bitmap);

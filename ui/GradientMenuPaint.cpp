// The gradient menu's painting: the side bar with its fading bands and the
// rotated title, and each item in the system's menu colours.
#include "ui/GradientMenu.h"

#include "ui/portable/TrayMenuText.h"

namespace {

constexpr int kTitleHeight = 14;
constexpr int kTitleWeight = 600;
constexpr int kTitleLeft = 2;
constexpr int kTitleBottomGap = 2;
constexpr int kUpwards = 900;  // tenths of a degree
constexpr int kTextIndent = 4;

traymenu::Rgb ToRgb(COLORREF colour) {
  traymenu::Rgb rgb;
  rgb.red = GetRValue(colour);
  rgb.green = GetGValue(colour);
  rgb.blue = GetBValue(colour);
  return rgb;
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  OwnedBrush brush(CreateSolidBrush(colour));
  FillRect(dc, &rect, brush.Get());
}

}  // namespace

void CGradientMenu::Paint(HDC dc, const RECT& client) {
  // Drawn off screen first, so that moving the hot item does not flicker.
  HDC memory = CreateCompatibleDC(dc);
  OwnedBitmap canvas(CreateCompatibleBitmap(dc, client.right, client.bottom));
  HGDIOBJ previousBitmap = SelectObject(memory, canvas.Get());
  Fill(memory, client, GetSysColor(COLOR_MENU));
  PaintSideBar(memory, client);
  HGDIOBJ previousFont = SelectObject(memory, font_.Get() != nullptr ? font_.Get() : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(memory, TRANSPARENT);
  for (size_t i = 0; i < items_.size(); ++i) PaintItem(memory, static_cast<int>(i));
  SelectObject(memory, previousFont);
  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previousBitmap);
  DeleteDC(memory);
}

void CGradientMenu::PaintSideBar(HDC dc, const RECT& client) {
  if (look_.sideBarWidth <= 0) return;
  const int height = client.bottom - client.top;
  for (const traymenu::Band& band :
       traymenu::GradientBands(height, ToRgb(look_.top), ToRgb(look_.bottom))) {
    const RECT rect = {0, band.top, look_.sideBarWidth, band.top + band.height};
    Fill(dc, rect, RGB(band.colour.red, band.colour.green, band.colour.blue));
  }
  OwnedFont title(CreateFontA(kTitleHeight, 0, kUpwards, kUpwards, kTitleWeight, FALSE, FALSE, FALSE,
                              ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_SWISS, "Arial"));
  HGDIOBJ previous = SelectObject(dc, title.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, look_.titleColour);
  // Rotated upwards, the text begins at the bottom and its tops face left.
  TextOutA(dc, kTitleLeft, height - kTitleBottomGap, look_.title.c_str(),
           static_cast<int>(look_.title.size()));
  SelectObject(dc, previous);
}

void CGradientMenu::PaintItem(HDC dc, int index) {
  const Item& item = items_[static_cast<size_t>(index)];
  const bool hot = index == hot_ && !item.separator;
  const COLORREF paper = GetSysColor(hot ? COLOR_HIGHLIGHT : COLOR_MENU);
  Fill(dc, item.rect, paper);
  if (item.separator) {
    RECT line = item.rect;
    line.top = (item.rect.top + item.rect.bottom) / 2 - 1;
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  const int check = GetSystemMetrics(SM_CXMENUCHECK);
  RECT text = item.rect;
  text.left += check + kTextIndent;
  text.right -= check;
  const UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_EXPANDTABS;
  COLORREF ink = GetSysColor(hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  if (item.disabled) {
    if (!hot) {
      RECT raised = text;
      OffsetRect(&raised, 1, 1);
      SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
      DrawTextA(dc, item.text.c_str(), -1, &raised, format);
    }
    ink = GetSysColor(COLOR_GRAYTEXT);
  }
  SetTextColor(dc, ink);
  DrawTextA(dc, item.text.c_str(), -1, &text, format);
  if (item.checked) {
    const int top = (item.rect.top + item.rect.bottom - check) / 2;
    const RECT square = {item.rect.left + 2, top, item.rect.left + 2 + check, top + check};
    PaintCheckMark(dc, square, ink, paper);
  }
  if (item.submenu != nullptr) PaintSubmenuArrow(dc, item.rect, ink);
}

void CGradientMenu::PaintCheckMark(HDC dc, const RECT& square, COLORREF ink, COLORREF paper) const {
  const int size = square.right - square.left;
  // The system draws its mark black on white in a one-bit picture; copied
  // onto colour, black takes the text colour and white the background.
  HDC mask = CreateCompatibleDC(dc);
  OwnedBitmap picture(CreateBitmap(size, size, 1, 1, nullptr));
  HGDIOBJ previous = SelectObject(mask, picture.Get());
  RECT whole = {0, 0, size, size};
  DrawFrameControl(mask, &whole, DFC_MENU, DFCS_MENUCHECK);
  const COLORREF oldText = SetTextColor(dc, ink);
  const COLORREF oldBack = SetBkColor(dc, paper);
  BitBlt(dc, square.left, square.top, size, size, mask, 0, 0, SRCCOPY);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBack);
  SelectObject(mask, previous);
  DeleteDC(mask);
}

void CGradientMenu::PaintSubmenuArrow(HDC dc, const RECT& item, COLORREF ink) const {
  const int size = GetSystemMetrics(SM_CXMENUCHECK) / 2;
  const int middle = (item.top + item.bottom) / 2;
  const int tip = item.right - size;
  const POINT corners[] = {
      {tip - size / 2, middle - size / 2}, {tip, middle}, {tip - size / 2, middle + size / 2}};
  OwnedBrush brush(CreateSolidBrush(ink));
  GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, ink));
  HGDIOBJ previousBrush = SelectObject(dc, brush.Get());
  HGDIOBJ previousPen = SelectObject(dc, pen.Get());
  Polygon(dc, corners, 3);
  SelectObject(dc, previousBrush);
  SelectObject(dc, previousPen);
}

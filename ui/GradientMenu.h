// CGradientMenu: the tray's popup menu, drawn by the program itself - a
// top-most tool window of class "BitmapMenu" with a side bar that fades from
// black at the top to a light blue at the bottom and carries the publisher's
// name reading upwards. It shows a menu handle's items, tracks the mouse and
// the keyboard in a modal loop of its own, opens submenus as further
// CGradientMenu windows (same title and colours, no side bar), and posts the
// chosen item's command to the owner window, as a system menu would. The
// owner hears the usual menu notices (initialisation, menu loop, selection,
// menu character).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/GdiObjects.h"
#include "framework/Window.h"

class CGradientMenu : public Window {
 public:
  static constexpr char kClassName[] = "BitmapMenu";

  struct Look {
    int sideBarWidth = 0;
    std::string title;
    COLORREF top = RGB(0, 0, 0);
    COLORREF bottom = RGB(0, 0, 0);
    COLORREF titleColour = RGB(255, 255, 255);
  };

  // Shows `menu` with `look`; the menu handle is destroyed with the object.
  CGradientMenu(HMENU menu, const Look& look);
  ~CGradientMenu() override;

  // Shows the menu with its top-left corner at `at` (screen), kept on the
  // desktop, and returns once it has closed: by a choice (posted to `owner`
  // as WM_COMMAND), Escape, a system key, or activation lost to a window
  // that is no such menu. A WM_QUIT met meanwhile is posted again.
  void Track(HWND owner, POINT at);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct Item {
    bool separator = false;
    bool disabled = false;
    bool checked = false;
    UINT id = 0;
    HMENU submenu = nullptr;
    std::string text;
    RECT rect = {};
  };

  // A submenu of `parent`, shown for its item `parentItem`.
  CGradientMenu(HMENU menu, CGradientMenu& parent, int parentItem);

  // --- Tracking (GradientMenu.cpp) ---------------------------------------------
  void ReadItems();
  SIZE LayOutItems();
  bool CreatePopup(POINT at, const RECT* parentItem);
  POINT PlaceTopLevel(POINT cursor, SIZE size) const;
  POINT PlaceSubmenu(const RECT& item, SIZE size) const;
  void RunLoop();
  void CloseLevel();
  void CloseChain();
  CGradientMenu& Root();

  // --- Input ----------------------------------------------------------------------
  void OnMouseMove(POINT point);
  void OnClick(POINT point);
  void OnKey(UINT key);
  void OnMnemonic(char letter);
  void OnActivate(WPARAM state, HWND other);
  void SetHot(int index);
  void MoveHot(int step);
  int ItemAt(POINT point) const;
  bool IsSelectable(int index) const;
  void Choose(int index, bool selectFirstInSubmenu);
  void OnSubmenuTimer();
  void OpenSubmenu(int index, bool selectFirst);
  void CloseSubmenu();

  // --- Painting (GradientMenuPaint.cpp) ----------------------------------------------
  void Paint(HDC dc, const RECT& client);
  void PaintSideBar(HDC dc, const RECT& client);
  void PaintItem(HDC dc, int index);
  void PaintCheckMark(HDC dc, const RECT& square, COLORREF ink, COLORREF paper) const;
  void PaintSubmenuArrow(HDC dc, const RECT& item, COLORREF ink) const;

  HMENU menu_;
  bool ownsMenu_;
  Look look_;
  CGradientMenu* parent_ = nullptr;
  int parentItem_ = -1;
  HWND owner_ = nullptr;
  std::vector<Item> items_;
  int hot_ = -1;
  bool closed_ = false;
  OwnedFont font_;
  std::unique_ptr<CGradientMenu> child_;
  int childItem_ = -1;
  bool pendingSelectFirst_ = false;
};

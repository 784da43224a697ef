// The gradient menu's items, size, placement, modal loop and input.
#include "ui/GradientMenu.h"

#include <cctype>

#include "ui/portable/TrayMenuText.h"

namespace {

constexpr int kMargin = 3;            // between the border and the items, each side
constexpr int kSeparatorHeight = 8;
constexpr int kItemTextPadding = 6;   // above and below an item's text
constexpr UINT_PTR kSubmenuTimer = 1;  // resting on an item with a submenu

bool IsGradientMenuWindow(HWND window) {
  char className[32] = {};
  return window != nullptr && GetClassNameA(window, className, sizeof(className)) > 0 &&
         lstrcmpA(className, CGradientMenu::kClassName) == 0;
}

OwnedFont CreateMenuFont() {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    return OwnedFont(nullptr);
  }
  return OwnedFont(CreateFontIndirectA(&metrics.lfMenuFont));
}

bool Fits(POINT at, SIZE size) {
  return at.x >= 0 && at.y >= 0 && at.x + size.cx <= GetSystemMetrics(SM_CXSCREEN) &&
         at.y + size.cy <= GetSystemMetrics(SM_CYSCREEN);
}

}  // namespace

constexpr char CGradientMenu::kClassName[];

CGradientMenu::CGradientMenu(HMENU menu, const Look& look)
    : menu_(menu), ownsMenu_(true), look_(look) {}

CGradientMenu::CGradientMenu(HMENU menu, CGradientMenu& parent, int parentItem)
    : menu_(menu), ownsMenu_(false), look_(parent.look_), parent_(&parent),
      parentItem_(parentItem), owner_(parent.owner_) {
  look_.sideBarWidth = 0;
}

CGradientMenu::~CGradientMenu() {
  child_.reset();
  Destroy();
  if (ownsMenu_ && menu_ != nullptr) DestroyMenu(menu_);
}

// --- Tracking ---------------------------------------------------------------------------

void CGradientMenu::Track(HWND owner, POINT at) {
  owner_ = owner;
  SendMessageA(owner_, WM_INITMENU, reinterpret_cast<WPARAM>(menu_), 0);
  // The owner first, so that the menu shown next becomes the active window.
  SetForegroundWindow(owner_);
  if (!CreatePopup(at, nullptr)) return;
  RunLoop();
}

void CGradientMenu::ReadItems() {
  items_.clear();
  const int count = GetMenuItemCount(menu_);
  for (int i = 0; i < count; ++i) {
    char text[traymenu::kMaxItemText + 1] = {};
    MENUITEMINFOA info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof(text) - 1;
    if (!GetMenuItemInfoA(menu_, static_cast<UINT>(i), TRUE, &info)) continue;
    Item item;
    item.separator = (info.fType & MFT_SEPARATOR) != 0;
    item.disabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) != 0;
    item.checked = (info.fState & MFS_CHECKED) != 0;
    item.id = info.wID;
    item.submenu = info.hSubMenu;
    item.text.assign(text, strnlen(text, traymenu::kMaxItemText));
    items_.push_back(item);
  }
}

SIZE CGradientMenu::LayOutItems() {
  HDC screen = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(screen, font_.Get() != nullptr ? font_.Get() : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA metrics = {};
  GetTextMetricsA(screen, &metrics);
  int widest = 0;
  for (const Item& item : items_) {
    RECT measured = {0, 0, 0, 0};
    DrawTextA(screen, item.text.c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
    if (measured.right > widest) widest = measured.right;
  }
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  const int check = GetSystemMetrics(SM_CXMENUCHECK);
  // A column for the check mark at the left, one for the submenu arrow at the right.
  const int width = widest + check + check + 2 * kItemTextPadding;
  const int itemHeight = metrics.tmHeight + metrics.tmExternalLeading + kItemTextPadding;
  int y = kMargin;
  const int left = look_.sideBarWidth + kMargin;
  for (Item& item : items_) {
    const int height = item.separator ? kSeparatorHeight : itemHeight;
    item.rect = {left, y, left + width, y + height};
    y += height;
  }
  return SIZE{left + width + kMargin, y + kMargin};
}

bool CGradientMenu::CreatePopup(POINT at, const RECT* parentItem) {
  if (!RegisterClass(kClassName, CS_SAVEBITS, nullptr)) return false;
  font_ = CreateMenuFont();
  ReadItems();
  const SIZE client = LayOutItems();
  RECT frame = {0, 0, client.cx, client.cy};
  const DWORD style = WS_POPUP | WS_BORDER;
  const DWORD exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const SIZE size = {frame.right - frame.left, frame.bottom - frame.top};
  const POINT place = parentItem != nullptr ? PlaceSubmenu(*parentItem, size) : PlaceTopLevel(at, size);
  const RECT rect = {place.x, place.y, place.x + size.cx, place.y + size.cy};
  if (!Create(kClassName, look_.title, style, exStyle, rect, owner_)) return false;
  ShowWindow(Handle(), SW_SHOW);
  SetFocus(Handle());
  SendMessageA(owner_, WM_ENTERMENULOOP, TRUE, 0);
  return true;
}

POINT CGradientMenu::PlaceTopLevel(POINT cursor, SIZE size) const {
  POINT at = cursor;
  if (at.x + size.cx > GetSystemMetrics(SM_CXSCREEN)) at.x = cursor.x - size.cx;
  if (at.y + size.cy > GetSystemMetrics(SM_CYSCREEN)) at.y = cursor.y - size.cy;
  if (at.x < 0) at.x = 0;
  if (at.y < 0) at.y = 0;
  return at;
}

POINT CGradientMenu::PlaceSubmenu(const RECT& item, SIZE size) const {
  RECT parentWindow = {};
  GetWindowRect(parent_->Handle(), &parentWindow);
  const POINT tries[] = {
      {parentWindow.right, item.top},              // right, going down
      {parentWindow.right, item.bottom - size.cy}, // right, going up
      {parentWindow.left - size.cx, item.top},     // left, going down
      {parentWindow.left - size.cx, item.bottom - size.cy},
  };
  for (const POINT& at : tries) {
    if (Fits(at, size)) return at;
  }
  return PlaceTopLevel(tries[0], size);
}

void CGradientMenu::RunLoop() {
  MSG message = {};
  while (!closed_ && Handle() != nullptr) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      // The program is ending: the loop that owns the quit must see it too.
      PostQuitMessage(static_cast<int>(message.wParam));
      CloseChain();
      break;
    }
    if (got == -1) {
      CloseChain();
      break;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  SendMessageA(owner_, WM_EXITMENULOOP, TRUE, 0);
  if (parent_ != nullptr && !parent_->closed_ && parent_->Handle() != nullptr) {
    // The parent takes the focus back before this window goes, so that the
    // activation stays among the menus.
    SetActiveWindow(parent_->Handle());
    SetFocus(parent_->Handle());
  }
  Destroy();
}

void CGradientMenu::CloseLevel() {
  closed_ = true;
  if (child_) child_->CloseLevel();
}

void CGradientMenu::CloseChain() { Root().CloseLevel(); }

CGradientMenu& CGradientMenu::Root() {
  CGradientMenu* level = this;
  while (level->parent_ != nullptr) level = level->parent_;
  return *level;
}

// --- Input ------------------------------------------------------------------------------

LRESULT CGradientMenu::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint = {};
      HDC dc = BeginPaint(Handle(), &paint);
      RECT client = {};
      GetClientRect(Handle(), &client);
      Paint(dc, client);
      EndPaint(Handle(), &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE:
      OnMouseMove(point);
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      OnClick(point);
      return 0;
    case WM_KEYDOWN:
      OnKey(static_cast<UINT>(wParam));
      return 0;
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
      CloseChain();
      return 0;
    case WM_ACTIVATE:
      OnActivate(wParam, reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_ACTIVATE;
    case WM_TIMER:
      if (wParam == kSubmenuTimer) OnSubmenuTimer();
      return 0;
    default:
      return Window::HandleMessage(message, wParam, lParam);
  }
}

int CGradientMenu::ItemAt(POINT point) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (PtInRect(&items_[i].rect, point)) return static_cast<int>(i);
  }
  return -1;
}

bool CGradientMenu::IsSelectable(int index) const {
  return index >= 0 && static_cast<size_t>(index) < items_.size() &&
         !items_[static_cast<size_t>(index)].separator;
}

void CGradientMenu::SetHot(int index) {
  if (index == hot_) return;
  hot_ = index;
  InvalidateRect(Handle(), nullptr, FALSE);
  if (hot_ < 0) return;
  const Item& item = items_[static_cast<size_t>(hot_)];
  UINT flags = MF_HILITE;
  if (item.submenu != nullptr) flags |= MF_POPUP;
  if (item.disabled) flags |= MF_GRAYED;
  if (item.checked) flags |= MF_CHECKED;
  const UINT idOrIndex = item.submenu != nullptr ? static_cast<UINT>(hot_) : item.id;
  SendMessageA(owner_, WM_MENUSELECT, MAKEWPARAM(idOrIndex, flags), reinterpret_cast<LPARAM>(menu_));
}

void CGradientMenu::MoveHot(int step) {
  const int count = static_cast<int>(items_.size());
  int index = hot_;
  for (int tried = 0; tried < count; ++tried) {
    index = index < 0 ? (step > 0 ? 0 : count - 1) : (index + step + count) % count;
    if (IsSelectable(index) && !items_[static_cast<size_t>(index)].disabled) {
      SetHot(index);
      return;
    }
  }
}

void CGradientMenu::OnMouseMove(POINT point) {
  const int index = ItemAt(point);
  if (!IsSelectable(index) || index == hot_) return;
  SetHot(index);
  if (child_ && childItem_ != index) CloseSubmenu();
  if (items_[static_cast<size_t>(index)].submenu != nullptr && childItem_ != index) {
    UINT delay = 400;
    SystemParametersInfoA(SPI_GETMENUSHOWDELAY, 0, &delay, 0);
    SetTimer(Handle(), kSubmenuTimer, delay, nullptr);
  }
}

void CGradientMenu::OnClick(POINT point) {
  const int index = ItemAt(point);
  if (!IsSelectable(index)) return;
  SetHot(index);
  Choose(index, false);
}

void CGradientMenu::OnKey(UINT key) {
  switch (key) {
    case VK_RETURN:
      if (IsSelectable(hot_)) Choose(hot_, true);
      return;
    case VK_RIGHT:
      if (IsSelectable(hot_) && items_[static_cast<size_t>(hot_)].submenu != nullptr) {
        OpenSubmenu(hot_, true);
      }
      return;
    case VK_LEFT:
      if (parent_ != nullptr) CloseLevel();
      return;
    case VK_ESCAPE:
      CloseLevel();
      return;
    case VK_UP:
      MoveHot(-1);
      return;
    case VK_DOWN:
      MoveHot(1);
      return;
    default:
      break;
  }
  // Keys without a character (Shift, function keys) are no mnemonic.
  const UINT character = MapVirtualKeyA(key, 2 /* MAPVK_VK_TO_CHAR */) & 0x7FFF;
  if (character != 0 && character < 0x80) {
    OnMnemonic(static_cast<char>(std::toupper(static_cast<int>(character))));
  }
}

void CGradientMenu::OnMnemonic(char letter) {
  std::vector<int> matches;
  for (size_t i = 0; i < items_.size(); ++i) {
    const Item& item = items_[i];
    if (!item.separator && !item.disabled && traymenu::Mnemonic(item.text) == letter) {
      matches.push_back(static_cast<int>(i));
    }
  }
  if (matches.size() == 1) {
    SetHot(matches.front());
    Choose(matches.front(), true);
    return;
  }
  if (matches.size() > 1) {
    size_t next = 0;
    for (size_t i = 0; i < matches.size(); ++i) {
      if (matches[i] > hot_) {
        next = i;
        break;
      }
    }
    SetHot(matches[next]);
    return;
  }
  const LRESULT answer =
      SendMessageA(owner_, WM_MENUCHAR, MAKEWPARAM(static_cast<unsigned char>(letter), MF_POPUP),
                   reinterpret_cast<LPARAM>(menu_));
  const int index = static_cast<int>(LOWORD(answer));
  switch (HIWORD(answer)) {
    case MNC_CLOSE:
      CloseChain();
      return;
    case MNC_EXECUTE:
      if (IsSelectable(index)) Choose(index, true);
      return;
    case MNC_SELECT:
      if (IsSelectable(index)) SetHot(index);
      return;
    default:
      return;
  }
}

void CGradientMenu::OnActivate(WPARAM state, HWND other) {
  if (LOWORD(state) != WA_INACTIVE || closed_) return;
  if (!IsGradientMenuWindow(other)) CloseChain();
}

void CGradientMenu::Choose(int index, bool selectFirstInSubmenu) {
  const Item& item = items_[static_cast<size_t>(index)];
  if (item.disabled) return;
  if (item.submenu != nullptr) {
    if (childItem_ != index) OpenSubmenu(index, selectFirstInSubmenu);
    return;
  }
  PostMessageA(owner_, WM_COMMAND, MAKEWPARAM(item.id, 0), 0);
  CloseChain();
}

void CGradientMenu::OnSubmenuTimer() {
  KillTimer(Handle(), kSubmenuTimer);
  const bool selectFirst = pendingSelectFirst_;
  pendingSelectFirst_ = false;
  if (child_ || !IsSelectable(hot_) || items_[static_cast<size_t>(hot_)].submenu == nullptr) return;
  OpenSubmenu(hot_, selectFirst);
}

void CGradientMenu::OpenSubmenu(int index, bool selectFirst) {
  KillTimer(Handle(), kSubmenuTimer);
  if (child_) {
    // One submenu at a time: the open one's loop must unwind before the
    // next one starts, so the next one opens from the timer.
    CloseSubmenu();
    SetHot(index);
    pendingSelectFirst_ = selectFirst;
    SetTimer(Handle(), kSubmenuTimer, 1, nullptr);
    return;
  }
  const Item& item = items_[static_cast<size_t>(index)];
  if (item.disabled || item.submenu == nullptr) return;
  SendMessageA(owner_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(item.submenu),
               MAKELPARAM(index, FALSE));
  RECT itemOnScreen = item.rect;
  MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&itemOnScreen), 2);
  child_.reset(new CGradientMenu(item.submenu, *this, index));
  childItem_ = index;
  CGradientMenu& child = *child_;
  if (child.CreatePopup(POINT{itemOnScreen.right, itemOnScreen.top}, &itemOnScreen)) {
    if (selectFirst) child.MoveHot(1);
    child.RunLoop();
  }
  // The child's loop has ended; it may have been replaced meanwhile.
  if (child_.get() == &child) {
    child_.reset();
    childItem_ = -1;
  }
}

void CGradientMenu::CloseSubmenu() {
  if (child_) child_->CloseLevel();
}

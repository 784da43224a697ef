// The tray dialer's menus: the provider entries ("Dial To"), the plain
// provider menu of a left click and the gradient menu of a right click.
#include "ui/TrayDialer.h"

#include "engine/portable/StatusCodes.h"
#include "framework/RegKey.h"
#include "res/resource.h"
#include "settings/SettingsStore.h"
#include "settings/portable/ProviderKinds.h"
#include "ui/GradientMenu.h"
#include "ui/portable/TrayMenuText.h"

namespace {

constexpr char kTitle[] = "Orvalis";
constexpr int kSideBarWidth = 24;
constexpr DWORD kEnumeratedIndexes = 21;

// Where one "Dial To" submenu finds its names: the older short-named key
// first, then the key the configuration writes; subkeys (phone-book entries)
// or value names (screen names).
struct ProviderList {
  int kind;
  const char* title;
  const char* shortKey;
  const char* providerKey;
  bool valueNames;
};

const ProviderList kProviderLists[] = {
    {kProviderDialUpNetworking, "Dial-Up Networking", "\\DUN", "\\Windows Dial-Up Networking", false},
    {kProviderAmericaOnline, "America Online", "\\AOL\\ScreenNames", "\\America Online\\ScreenNames", true},
    {kProviderCompuServe, "CompuServe 2000", "\\CS2000\\ScreenNames", "\\CompuServe 2000\\ScreenNames", true},
    {kProviderMsn, "Microsoft Network", "\\MSN", "\\Microsoft Network", false},
};

std::string ProfileKey(const char* subkey) {
  return CSettingsStore::ProgramKeyPath(std::string("\\DialUp Profile") + subkey);
}

// Names at the indexes 0 to 20 of a key: the listing stops at its end or
// when the key cannot be opened; an index that fails otherwise is skipped.
std::vector<std::string> ListNames(const char* subkey, bool valueNames) {
  std::vector<std::string> names;
  RegKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, ProfileKey(subkey), KEY_READ) != ERROR_SUCCESS) return names;
  for (DWORD index = 0; index < kEnumeratedIndexes; ++index) {
    std::string name;
    const LONG result = valueNames ? key.EnumValueName(index, name) : key.EnumSubkey(index, name);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result == ERROR_SUCCESS) names.push_back(name);
  }
  return names;
}

bool KeyExists(const char* subkey) {
  RegKey key;
  return key.Open(HKEY_LOCAL_MACHINE, ProfileKey(subkey), KEY_READ) == ERROR_SUCCESS;
}

// The first popup of a menu resource, detached from its bar; null when it cannot be loaded.
HMENU LoadPopup(int menuId) {
  HMENU bar = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(menuId));
  if (bar == nullptr) return nullptr;
  HMENU popup = GetSubMenu(bar, 0);
  if (popup != nullptr) RemoveMenu(bar, 0, MF_BYPOSITION);
  DestroyMenu(bar);
  return popup;
}

UINT Greyed(bool greyed) { return greyed ? MF_GRAYED : MF_ENABLED; }

}  // namespace

void CTrayDialer::AppendProviderEntries(HMENU parent) {
  entries_.clear();
  nextCommandId_ = kFirstDialToId - 1;
  for (const ProviderList& list : kProviderLists) {
    AppendProviderList(parent, list.kind,
                       traymenu::MergeNames(ListNames(list.shortKey, list.valueNames),
                                            ListNames(list.providerKey, list.valueNames)),
                       list.title);
  }
  if (KeyExists("\\NetZero")) {
    const bool first = GetMenuItemCount(parent) == 0;
    entries_.push_back(DialToEntry{kProviderNetZero, "NetZero"});
    AppendMenuA(parent, MF_STRING, ++nextCommandId_, first ? "Dial to NetZero" : "NetZero");
  }
}

void CTrayDialer::AppendProviderList(HMENU parent, int kind, const std::vector<std::string>& names,
                                     const char* title) {
  if (names.empty()) return;
  HMENU popup = CreatePopupMenu();
  if (popup == nullptr) return;
  for (const std::string& name : names) {
    entries_.push_back(DialToEntry{kind, name});
    AppendMenuA(popup, MF_STRING, ++nextCommandId_, traymenu::ItemText(name).c_str());
  }
  AppendMenuA(parent, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), title);
}

void CTrayDialer::ShowPlainProviderMenu() {
  HMENU popup = LoadPopup(IDR_TRAY_PROVIDER_MENU);
  if (popup == nullptr) return;
  DeleteMenu(popup, ID_TRAY_PLACEHOLDER, MF_BYCOMMAND);
  AppendProviderEntries(popup);
  POINT cursor = {};
  GetCursorPos(&cursor);
  SetForegroundWindow(Handle());
  TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, Handle(), nullptr);
  SetForegroundWindow(Handle());
  DestroyMenu(popup);
}

HMENU CTrayDialer::BuildTrayMenu() {
  HMENU popup = LoadPopup(IDR_TRAY_MENU);
  if (popup == nullptr) return nullptr;
  DeleteMenu(popup, 0, MF_BYPOSITION);
  const bool busy = IsBusy();
  HWND main = owner_.MainWindow();
  const bool mainVisible = main != nullptr && IsWindowVisible(main);
  const UINT showState = mainVisible ? MF_CHECKED : Greyed(busy);
  AppendMenuA(popup, MF_STRING | showState, ID_TRAY_SHOW_MAIN, "Show Main Program");
  AppendMenuA(popup, MF_STRING, ID_TRAY_CONFIG_WIZARD, "Configuration Wizard");
  AppendMenuA(popup, MF_STRING, ID_TOOLS_OPTIONS, "Options");
  AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  DWORD singleClick = 0;
  if (CSettingsStore().GetSingleClickDial(singleClick) == status::kOk && singleClick != 0) {
    AppendMenuA(popup, MF_STRING | Greyed(busy), ID_TRAY_DIAL, "&Dial");
  } else {
    HMENU dialTo = CreatePopupMenu();
    AppendProviderEntries(dialTo);
    AppendMenuA(popup, MF_POPUP | Greyed(busy), reinterpret_cast<UINT_PTR>(dialTo), "&Dial To");
  }
  AppendMenuA(popup, MF_STRING | Greyed(!busy), ID_TRAY_HANG_UP, "Hang &Up");
  AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(popup, MF_STRING, ID_TRAY_ABOUT, "&About Velotune");
  AppendMenuA(popup, MF_STRING, ID_TRAY_HELP, "Online &Help");
  AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(popup, MF_STRING, ID_TRAY_EXIT, "E&xit");
  return popup;
}

void CTrayDialer::ShowTrayMenu() {
  HMENU popup = BuildTrayMenu();
  if (popup == nullptr) return;
  CGradientMenu::Look look;
  look.sideBarWidth = kSideBarWidth;
  look.title = kTitle;
  look.top = RGB(0, 0, 0);
  look.bottom = RGB(128, 128, 255);
  look.titleColour = RGB(255, 255, 255);
  CGradientMenu menu(popup, look);
  POINT cursor = {};
  GetCursorPos(&cursor);
  menu.Track(GetAncestor(Handle(), GA_ROOT), cursor);
}

// The frame window: bars, prompts, update rules and command routing.
#include "framework/FrameWindow.h"

#include <commctrl.h>

#include <vector>

#include "framework/StaticSplitter.h"
#include "framework/ToolBarResource.h"

namespace {

const int kToolBarId = 0xE800;
const int kStatusBarId = 0xE801;
const int kReBarId = 0xE81C;
const char* const kIndicators[] = {"CAP", "NUM", "SCRL"};
const int kIndicatorKeys[] = {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL};
const int kIndicatorWidth = 40;

}  // namespace

FrameWindow::~FrameWindow() {
  // The menu belongs to the window while it lives; after that it is ours.
  if (menu_ != nullptr && !IsMenu(menu_)) menu_ = nullptr;
  if (Handle() == nullptr && menu_ != nullptr) DestroyMenu(menu_);
}

bool FrameWindow::CreateFrame(const char* className, const std::string& title, DWORD style,
                              const RECT& rect, int menuId, int acceleratorsId, HICON icon,
                              HICON smallIcon) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls),
                                   ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterClass(className, CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), icon,
                     nullptr, smallIcon)) {
    return false;
  }
  menu_ = LoadMenuA(instance, MAKEINTRESOURCEA(menuId));
  accelerators_ = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(acceleratorsId));
  if (!Create(className, title, style, 0, rect, nullptr, menu_)) {
    if (menu_ != nullptr) DestroyMenu(menu_);
    menu_ = nullptr;
    return false;
  }
  return true;
}

CommandRoute FrameWindow::Route() { return CommandRoute{this}; }

bool FrameWindow::ExecuteCommand(int id) {
  const bool ran = Route().Run(id);
  if (ran && Handle() != nullptr) UpdateToolBarButtons();
  return ran;
}

bool FrameWindow::UpdateCommand(int id, CommandState& /*state*/) {
  if (id == kExitCommand) return true;
  if (id == kNextPaneCommand || id == kPreviousPaneCommand) return Splitter() != nullptr;
  return false;
}

void FrameWindow::RunCommand(int id) {
  if (id == kExitCommand) {
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
  } else if (id == kNextPaneCommand || id == kPreviousPaneCommand) {
    if (StaticSplitter* splitter = Splitter()) splitter->NextPane(id == kPreviousPaneCommand);
  }
}

void FrameWindow::OnClose() { Destroy(); }

bool FrameWindow::CreateToolBarInReBar(int toolBarId, int bitmapId) {
  ToolBarResource layout;
  if (!LoadToolBarResource(toolBarId, layout)) return false;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  reBar_ = CreateWindowExA(WS_EX_TOOLWINDOW, REBARCLASSNAMEA, nullptr,
                           WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN |
                               RBS_BANDBORDERS | RBS_VARHEIGHT | CCS_NODIVIDER | CCS_TOP,
                           0, 0, 0, 0, Handle(), reinterpret_cast<HMENU>(kReBarId), instance,
                           nullptr);
  if (reBar_ == nullptr) return false;
  toolBar_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                             WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                 CCS_NORESIZE | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_TOP,
                             0, 0, 0, 0, reBar_, reinterpret_cast<HMENU>(kToolBarId), instance,
                             nullptr);
  if (toolBar_ == nullptr) return false;
  SendMessageA(toolBar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageA(toolBar_, TB_SETPARENT, reinterpret_cast<WPARAM>(Handle()), 0);
  SendMessageA(toolBar_, TB_SETBITMAPSIZE, 0, MAKELPARAM(layout.width, layout.height));
  TBADDBITMAP bitmap = {instance, static_cast<UINT_PTR>(bitmapId)};
  SendMessageA(toolBar_, TB_ADDBITMAP, layout.ImageCount(), reinterpret_cast<LPARAM>(&bitmap));
  std::vector<TBBUTTON> buttons;
  int image = 0;
  for (WORD id : layout.commands) {
    TBBUTTON button = {};
    button.idCommand = id;
    if (id == 0) {
      button.fsStyle = TBSTYLE_SEP;
    } else {
      button.iBitmap = image++;
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = TBSTYLE_BUTTON;
    }
    buttons.push_back(button);
  }
  SendMessageA(toolBar_, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageA(toolBar_, TB_AUTOSIZE, 0, 0);

  SIZE size = {};
  SendMessageA(toolBar_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
  REBARBANDINFOA band = {};
  band.cbSize = sizeof(band);
  band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE | RBBIM_ID;
  band.fStyle = RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP | RBBS_CHILDEDGE;
  band.hwndChild = toolBar_;
  band.cxMinChild = size.cx;
  band.cyMinChild = size.cy;
  band.cx = size.cx;
  band.wID = kToolBarId;
  if (SendMessageA(reBar_, RB_INSERTBANDA, static_cast<WPARAM>(-1),
                   reinterpret_cast<LPARAM>(&band)) == 0) {
    return false;
  }
  // The rebar became the tool bar's parent: its commands and tips still come here.
  SendMessageA(toolBar_, TB_SETPARENT, reinterpret_cast<WPARAM>(Handle()), 0);
  return true;
}

bool FrameWindow::CreateStatusBar() {
  statusBar_ = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP,
                               0, 0, 0, 0, Handle(), reinterpret_cast<HMENU>(kStatusBarId),
                               GetModuleHandleA(nullptr), nullptr);
  if (statusBar_ == nullptr) return false;
  SetMessageText(IdleMessage());
  return true;
}

void FrameWindow::SetMessageText(const std::string& text) {
  if (statusBar_ != nullptr) SendMessageA(statusBar_, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string FrameWindow::IdleMessage() const {
  char text[256] = {};
  if (LoadStringA(GetModuleHandleA(nullptr), kIdleMessageString, text, sizeof(text)) > 0) return text;
  return "Ready";
}

std::string FrameWindow::PromptOf(int id, bool tip) const {
  char text[512] = {};
  if (LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), text, sizeof(text)) <= 0) {
    return std::string();
  }
  const std::string prompt(text);
  const size_t split = prompt.find('\n');
  if (tip) return split == std::string::npos ? std::string() : prompt.substr(split + 1);
  return prompt.substr(0, split);
}

void FrameWindow::RecalcLayout() {
  if (Handle() == nullptr) return;
  RECT client = {};
  GetClientRect(Handle(), &client);
  int top = 0;
  int bottom = client.bottom;
  if (reBar_ != nullptr) {
    SendMessageA(reBar_, WM_SIZE, 0, 0);
    RECT bar = {};
    GetWindowRect(reBar_, &bar);
    top = bar.bottom - bar.top;
  }
  if (statusBar_ != nullptr) {
    SendMessageA(statusBar_, WM_SIZE, 0, 0);
    RECT bar = {};
    GetWindowRect(statusBar_, &bar);
    bottom -= bar.bottom - bar.top;
    // The message pane takes what the three indicators leave.
    const int messageEnd = client.right - 3 * kIndicatorWidth - 16;
    int parts[4];
    parts[0] = messageEnd > 0 ? messageEnd : 0;
    parts[1] = parts[0] + kIndicatorWidth;
    parts[2] = parts[1] + kIndicatorWidth;
    parts[3] = -1;
    SendMessageA(statusBar_, SB_SETPARTS, 4, reinterpret_cast<LPARAM>(parts));
    UpdateKeyIndicators();
  }
  if (StaticSplitter* splitter = Splitter()) {
    if (splitter->Handle() != nullptr) {
      MoveWindow(splitter->Handle(), 0, top, client.right, bottom > top ? bottom - top : 0, TRUE);
    }
  }
}

void FrameWindow::UpdateToolBarButtons() {
  if (toolBar_ == nullptr) return;
  CommandRoute route = Route();
  const int count = static_cast<int>(SendMessageA(toolBar_, TB_BUTTONCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TBBUTTON button = {};
    if (!SendMessageA(toolBar_, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button))) continue;
    if (button.fsStyle & TBSTYLE_SEP) continue;
    const CommandState state = route.Query(button.idCommand);
    const bool enabled = SendMessageA(toolBar_, TB_ISBUTTONENABLED, button.idCommand, 0) != 0;
    if (enabled != state.enabled) {
      SendMessageA(toolBar_, TB_ENABLEBUTTON, button.idCommand, MAKELONG(state.enabled ? TRUE : FALSE, 0));
    }
  }
}

void FrameWindow::UpdateKeyIndicators() {
  if (statusBar_ == nullptr) return;
  for (int i = 0; i < 3; ++i) {
    const bool on = (GetKeyState(kIndicatorKeys[i]) & 1) != 0;
    char current[16] = {};
    if (SendMessageA(statusBar_, SB_GETTEXTLENGTHA, i + 1, 0) < static_cast<LRESULT>(sizeof(current))) {
      SendMessageA(statusBar_, SB_GETTEXTA, i + 1, reinterpret_cast<LPARAM>(current));
    }
    const char* wanted = on ? kIndicators[i] : "";
    if (lstrcmpA(current, wanted) != 0) {
      SendMessageA(statusBar_, SB_SETTEXTA, i + 1, reinterpret_cast<LPARAM>(wanted));
    }
  }
}

void FrameWindow::OnIdle() {
  UpdateToolBarButtons();
  UpdateKeyIndicators();
}

void FrameWindow::OnInitMenuPopup(HMENU menu) {
  CommandRoute route = Route();
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const UINT id = GetMenuItemID(menu, i);
    if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separators and submenus
    const CommandState state = route.Query(static_cast<int>(id));
    EnableMenuItem(menu, i, MF_BYPOSITION | (state.enabled ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, i, MF_BYPOSITION | (state.checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

void FrameWindow::OnMenuSelect(UINT item, UINT flags, HMENU menu) {
  if (flags == 0xFFFF && menu == nullptr) {
    SetMessageText(IdleMessage());
  } else if (flags & (MF_POPUP | MF_SEPARATOR)) {
    SetMessageText(std::string());
  } else {
    SetMessageText(PromptOf(static_cast<int>(item), false));
  }
}

LRESULT FrameWindow::OnNotify(NMHDR* header) {
  switch (header->code) {
    case TTN_GETDISPINFOA: {
      auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
      tipBuffer_ = PromptOf(static_cast<int>(header->idFrom), true);
      info->lpszText = const_cast<char*>(tipBuffer_.c_str());
      return 0;
    }
    case TTN_GETDISPINFOW: {
      auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
      tipBuffer_ = PromptOf(static_cast<int>(header->idFrom), true);
      wideTipBuffer_.assign(tipBuffer_.size() + 1, L'\0');
      MultiByteToWideChar(CP_ACP, 0, tipBuffer_.c_str(), -1, &wideTipBuffer_[0],
                          static_cast<int>(wideTipBuffer_.size()));
      info->lpszText = &wideTipBuffer_[0];
      return 0;
    }
    case TBN_HOTITEMCHANGE: {
      auto* hot = reinterpret_cast<NMTBHOTITEM*>(header);
      if (hot->dwFlags & HICF_LEAVING) {
        SetMessageText(IdleMessage());
      } else {
        SetMessageText(PromptOf(hot->idNew, false));
      }
      return 0;
    }
    case RBN_HEIGHTCHANGE:
      RecalcLayout();
      return 0;
    default:
      return 0;
  }
}

LRESULT FrameWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate() ? 0 : -1;
    case WM_SIZE:
      RecalcLayout();
      return 0;
    case WM_COMMAND:
      // Every source of a command meets its update rule first.
      ExecuteCommand(LOWORD(wParam));
      return 0;
    case WM_INITMENUPOPUP:
      if (!HIWORD(lParam)) OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_MENUSELECT:
      OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_SETFOCUS:
      // The keyboard belongs to the active pane, as when the frame was left.
      if (StaticSplitter* splitter = Splitter()) {
        if (FormView* pane = splitter->ActivePane()) {
          HWND first = GetNextDlgTabItem(pane->Handle(), nullptr, FALSE);
          SetFocus(first != nullptr ? first : pane->Handle());
          return 0;
        }
      }
      break;
    case WM_CLOSE:
      OnClose();
      return 0;
    default:
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

// Driving the Windows dial-up dialogs from the dial engine's thread.
#include "dialing/SystemDialDialog.h"

#include <vector>

#include "dialing/ForeignWindow.h"

namespace dialdialog {
namespace {

constexpr UINT kAnswerTimeoutMs = 2000;
constexpr UINT kEnterScanCode = 69;
constexpr int kEnterChecks = 20;
constexpr DWORD kEnterCheckMs = 25;

using foreignwindow::ChildWithText;
using foreignwindow::ChildrenInOrder;
using foreignwindow::FocusAcrossThreads;
using foreignwindow::PostKey;

void SetText(HWND window, const std::string& text) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                      SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &ignored);
}

HWND DefaultButton(HWND dialog) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(dialog, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                           &answer) ||
      HIWORD(answer) != DC_HASDEFID) {
    return GetDlgItem(dialog, IDOK);
  }
  return GetDlgItem(dialog, LOWORD(answer));
}

}  // namespace

void WaitAnsweringSentMessages(DWORD milliseconds) {
  DWORD start = GetTickCount();
  for (;;) {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    DWORD passed = GetTickCount() - start;
    if (passed >= milliseconds) return;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - passed, QS_SENDMESSAGE);
  }
}

HWND FindTitled(const std::string& title) { return FindWindowA(nullptr, title.c_str()); }

std::string TextOf(HWND window) { return foreignwindow::TextOf(window); }

HWND FillLogin(HWND dialog, const std::string& userName, const std::string& password) {
  enum class Next { Nothing, UserName, Password } next = Next::Nothing;
  for (HWND child : ChildrenInOrder(dialog)) {
    if (next == Next::UserName) {
      SetText(child, userName);
    } else if (next == Next::Password) {
      FocusAcrossThreads(child);
      SetText(child, password);
      return child;
    }
    std::string text = TextOf(child);
    next = text == "&Password:" ? Next::Password
           : text == "&User name:" ? Next::UserName
                                   : Next::Nothing;
  }
  return nullptr;
}

bool HasLoginFields(HWND dialog) {
  std::vector<HWND> children = ChildrenInOrder(dialog);
  for (size_t i = 0; i + 1 < children.size(); ++i) {
    if (TextOf(children[i]) == "&Password:") return true;
  }
  return false;
}

bool HasEnabledChild(HWND window, const std::string& text) {
  for (HWND child : ChildrenInOrder(window)) {
    if (IsWindowEnabled(child) && TextOf(child) == text) return true;
  }
  return false;
}

bool PressChild(HWND window, const std::string& text) {
  HWND child = ChildWithText(window, text);
  if (child == nullptr) return false;
  foreignwindow::Press(child);
  return true;
}

void PressEnter(HWND dialog, HWND control) {
  HWND button = DefaultButton(dialog);
  PostKey(control != nullptr ? control : dialog, VK_RETURN, kEnterScanCode);
  // The dialog disables its button once it starts dialing. If the key did not
  // reach it, the button is pressed by message.
  for (int check = 0; check < kEnterChecks; ++check) {
    if (!IsWindow(dialog) || button == nullptr || !IsWindowEnabled(button)) return;
    WaitAnsweringSentMessages(kEnterCheckMs);
  }
  if (IsWindow(dialog) && button != nullptr && IsWindowEnabled(button)) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  }
}

}  // namespace dialdialog

// VelotuneDriver.exe: the window driver as a console program, for scripts.
// Each call does one thing and prints its result on one line; the exit code
// is 0 on success, 1 when the window or item was not found in time.
//
//   wait-window <class|-> <title|-> <timeout-ms> [child-id]   prints the handle
//   wait-gone <hwnd> <timeout-ms>
//   child <hwnd> <id> <timeout-ms>                           prints the handle
//   text <hwnd> [id]
//   wait-text <hwnd> <id> <text> <timeout-ms>
//   rect <hwnd>                                              prints "x y width height"
//   tree <hwnd> <id>                                         one item text a line
//   select <hwnd> <id> <item text>
//   click <hwnd> <id>
//   command <hwnd> <command-id>
//   key <hwnd> <key> [ctrl] [shift] [alt]                    key: a letter, F1..F12, ESC, TAB, ENTER,
//                                                            SPACE, HOME, DOWN, UP
//   type <hwnd> <text>                                       types the text key by key
//   close <hwnd>
//   exit <hwnd> <timeout-ms>                                 ends Velotune.exe, tray and all
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/e2e/VelotuneRun.h"
#include "tests/e2e/WindowDriver.h"

namespace {

HWND ParseWindow(const char* text) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(std::strtoll(text, nullptr, 0)));
}

std::string Optional(const char* text) { return std::string(text) == "-" ? std::string() : text; }

WORD ParseKey(const std::string& key) {
  if (key.size() == 1) return static_cast<WORD>(toupper(static_cast<unsigned char>(key[0])));
  if (key[0] == 'F' && key.size() <= 3) return static_cast<WORD>(VK_F1 + std::atoi(key.c_str() + 1) - 1);
  if (key == "ESC") return VK_ESCAPE;
  if (key == "TAB") return VK_TAB;
  if (key == "ENTER") return VK_RETURN;
  if (key == "DOWN") return VK_DOWN;
  if (key == "UP") return VK_UP;
  if (key == "SPACE") return VK_SPACE;
  if (key == "HOME") return VK_HOME;
  return 0;
}

int Found(HWND window) {
  if (window == nullptr) return 1;
  std::printf("0x%llx\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window)));
  return 0;
}

int Run(const std::vector<std::string>& args) {
  if (args.empty()) return 2;
  const std::string& verb = args[0];
  auto arg = [&](size_t i) { return i < args.size() ? args[i].c_str() : ""; };
  auto window = [&](size_t i) { return ParseWindow(arg(i)); };
  auto number = [&](size_t i) { return std::atoi(arg(i)); };
  auto child = [&](size_t w, size_t id) { return e2e::FindChild(window(w), number(id)); };
  if (verb == "wait-window") {
    return Found(e2e::WaitForWindow(Optional(arg(1)), Optional(arg(2)), number(3), number(4)));
  }
  if (verb == "wait-gone") return e2e::WaitGone(window(1), number(2)) ? 0 : 1;
  if (verb == "child") return Found(e2e::WaitForChild(window(1), number(2), number(3)));
  if (verb == "text") {
    HWND target = args.size() > 2 ? child(1, 2) : window(1);
    if (target == nullptr) return 1;
    std::printf("%s\n", e2e::Text(target).c_str());
    return 0;
  }
  if (verb == "wait-text") return e2e::WaitForText(child(1, 2), arg(3), number(4)) ? 0 : 1;
  if (verb == "rect") {
    const RECT rect = e2e::Rect(window(1));
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return IsWindow(window(1)) ? 0 : 1;
  }
  if (verb == "tree") {
    for (const std::string& text : e2e::TreeItemTexts(child(1, 2))) std::printf("%s\n", text.c_str());
    return 0;
  }
  if (verb == "select") return e2e::SelectTreeItem(child(1, 2), arg(3)) ? 0 : 1;
  if (verb == "click") return e2e::Click(child(1, 2)) ? 0 : 1;
  if (verb == "command") return e2e::PostCommand(window(1), number(2)) ? 0 : 1;
  if (verb == "key") {
    std::vector<WORD> modifiers;
    for (size_t i = 3; i < args.size(); ++i) {
      if (args[i] == "ctrl") modifiers.push_back(VK_CONTROL);
      if (args[i] == "shift") modifiers.push_back(VK_SHIFT);
      if (args[i] == "alt") modifiers.push_back(VK_MENU);
    }
    const WORD key = ParseKey(arg(2));
    return key != 0 && e2e::TypeKey(window(1), key, modifiers) ? 0 : 1;
  }
  if (verb == "type") return e2e::TypeText(window(1), arg(2)) ? 0 : 1;
  if (verb == "close") return PostMessageA(window(1), WM_CLOSE, 0, 0) ? 0 : 1;
  if (verb == "exit") return e2e::EndVelotune(window(1), number(2)) ? 0 : 1;
  std::fprintf(stderr, "VelotuneDriver: unknown command %s\n", verb.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return Run(args);
}

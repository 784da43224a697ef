// The lab client programs' common frame: windows, logging of what the
// drivers do to them, delayed steps and the message loop.
#include "sim/clients/common/ClientProgram.h"

#include <cstdio>

namespace {

// One program per process; the shared window procedure finds it here.
ClientProgram* g_program = nullptr;

constexpr char kStepWindowClass[] = "LabClientSteps";
constexpr char kOriginalProcedure[] = "LabClientOriginalProcedure";

std::string KeyName(WPARAM key) {
  switch (key) {
    case VK_SPACE: return "VK_SPACE";
    case VK_MENU: return "VK_MENU";
    case VK_F4: return "VK_F4";
    case VK_RETURN: return "VK_RETURN";
    default: return std::to_string(static_cast<unsigned>(key));
  }
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

std::string Point(LPARAM lParam) {
  char text[32];
  std::snprintf(text, sizeof(text), "%d,%d", static_cast<short>(LOWORD(lParam)),
                static_cast<short>(HIWORD(lParam)));
  return text;
}

}  // namespace

ClientProgram::ClientProgram(const std::string& name)
    : scenario_(name), log_(name, scenario_.LogPath()), link_(log_) {
  g_program = this;
}

ClientProgram::~ClientProgram() {
  if (steps_ != nullptr) DestroyWindow(steps_);
  g_program = nullptr;
}

int ClientProgram::Run() {
  log_.Write("start", GetCommandLineA());
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  log_.Write("folder", folder);
  RegisterOwnClass(kStepWindowClass);
  steps_ = CreateWindowExA(0, kStepWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  Start();
  MSG message;
  while (!quitting_ && GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

void ClientProgram::Quit() {
  if (quitting_) return;
  quitting_ = true;
  link_.Down();
  log_.Write("exit");
  PostQuitMessage(0);
}

void ClientProgram::RegisterOwnClass(const char* windowClass) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA info = {};
  info.cbSize = sizeof(info);
  // Windows' own controls are used as they are; any other name is the
  // program's own class, even where a library of Wine has registered one
  // of that name (comctl32's "ToolbarWindow32", say).
  for (const char* control : {"BUTTON", "STATIC", "EDIT", "MDIClient"}) {
    if (lstrcmpiA(control, windowClass) == 0) return;
  }
  if (GetClassInfoExA(instance, windowClass, &info) && info.lpfnWndProc == WindowProcedure) return;
  info = WNDCLASSEXA{};
  info.cbSize = sizeof(info);
  info.lpfnWndProc = WindowProcedure;
  info.hInstance = instance;
  info.hCursor = LoadCursor(nullptr, IDC_ARROW);
  info.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  info.lpszClassName = windowClass;
  RegisterClassExA(&info);
}

HWND ClientProgram::TopLevel(const char* windowClass, const std::string& title, int width,
                             int height, bool visible, HWND owner) {
  RegisterOwnClass(windowClass);
  // Visible from its creation on: a driver polling for it never sees it hidden.
  DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0);
  HWND window = CreateWindowExA(0, windowClass, title.c_str(), style, CW_USEDEFAULT,
                                CW_USEDEFAULT, width, height, owner, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) {
    log_.Write("error", "cannot create " + std::string(windowClass));
    return nullptr;
  }
  log_.Write("window", std::string(windowClass) + " " + ClientLog::Quoted(title) +
                           (visible ? "" : " hidden"));
  return window;
}

HWND ClientProgram::Child(HWND parent, const char* windowClass, const std::string& text, int x,
                          int y, int width, int height, bool visible, DWORD extraStyle) {
  RegisterOwnClass(windowClass);
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | extraStyle | (visible ? WS_VISIBLE : 0);
  return CreateWindowExA(0, windowClass, text.c_str(), style, x, y, width, height, parent,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

HWND ClientProgram::Button(HWND parent, const std::string& text, int x, int y, int width,
                           int height) {
  HWND button = Child(parent, "BUTTON", text, x, y, width, height, true, BS_PUSHBUTTON | WS_TABSTOP);
  if (button == nullptr) return nullptr;
  LONG_PTR original = SetWindowLongPtrA(button, GWLP_WNDPROC,
                                        reinterpret_cast<LONG_PTR>(ButtonProcedure));
  SetPropA(button, kOriginalProcedure, reinterpret_cast<HANDLE>(original));
  return button;
}

HWND ClientProgram::MdiClient(HWND frame) {
  CLIENTCREATESTRUCT create = {};
  create.idFirstChild = 1000;
  return CreateWindowExA(0, "MDIClient", "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 600,
                         400, frame, nullptr, GetModuleHandleA(nullptr), &create);
}

HWND ClientProgram::Question(const char* windowClass, const std::string& title,
                             const std::string& question, HWND owner) {
  HWND box = TopLevel(windowClass, title, 300, 140, true, owner);
  Child(box, "STATIC", question, 10, 10, 270, 30);
  Button(box, "&Yes", 40, 60, 80);
  Button(box, "&No", 160, 60, 80);
  return box;
}

void ClientProgram::After(UINT delayMs, std::function<void()> step) {
  UINT_PTR id = ++nextStep_;
  pending_[id] = std::move(step);
  SetTimer(steps_, id, delayMs == 0 ? 1 : delayMs, nullptr);
}

void ClientProgram::RunStep(UINT_PTR id) {
  KillTimer(steps_, id);
  auto found = pending_.find(id);
  if (found == pending_.end()) return;
  std::function<void()> step = std::move(found->second);
  pending_.erase(found);
  if (!quitting_) step();
}

std::string ClientProgram::TextOf(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

bool ClientProgram::LogInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
  std::string target = ClassOf(window) + " " + ClientLog::Quoted(TextOf(window));
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      log_.Write("key", "down " + KeyName(wParam) + " " + target);
      return true;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      log_.Write("key", "up " + KeyName(wParam) + " " + target);
      return true;
    case WM_LBUTTONDOWN:
      log_.Write("mouse", "down " + Point(lParam) + " " + target);
      return true;
    case WM_LBUTTONUP:
      log_.Write("mouse", "up " + Point(lParam) + " " + target);
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK ClientProgram::ButtonProcedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  auto original = reinterpret_cast<WNDPROC>(GetPropA(window, kOriginalProcedure));
  if (g_program != nullptr) g_program->LogInput(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) RemovePropA(window, kOriginalProcedure);
  return original != nullptr ? CallWindowProcA(original, window, message, wParam, lParam)
                             : DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK ClientProgram::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  ClientProgram* program = g_program;
  if (program == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (window == program->steps_) {
    if (message == WM_TIMER) {
      program->RunStep(wParam);
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  program->LogInput(window, message, wParam, lParam);
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && lParam != 0) {
    HWND button = reinterpret_cast<HWND>(lParam);
    std::string text = TextOf(button);
    program->log_.Write("click", ClientLog::Quoted(text));
    program->OnButton(button, text);
    return 0;
  }
  if (message == WM_CLOSE) {
    program->log_.Write("close", ClassOf(window) + " " + ClientLog::Quoted(TextOf(window)));
    program->OnClose(window);
    return 0;
  }
  if (message == WM_SIZE && wParam == SIZE_MINIMIZED) {
    program->log_.Write("minimised", ClassOf(window) + " " + ClientLog::Quoted(TextOf(window)));
  }
  LRESULT result = 0;
  if (program->OnMessage(window, message, wParam, lParam, result)) return result;
  return DefWindowProcA(window, message, wParam, lParam);
}

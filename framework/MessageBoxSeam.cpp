// Message-box seam (see MessageBoxSeam.h).
#include "framework/MessageBoxSeam.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

std::mutex g_handlerMutex;
MessageBoxHandler g_handler;

std::string EnvironmentValue(const char* name) {
  char buffer[MAX_PATH + 1] = {};
  DWORD length = GetEnvironmentVariableA(name, buffer, sizeof(buffer));
  if (length == 0 || length >= sizeof(buffer)) return std::string();
  return std::string(buffer, length);
}

std::string OneLine(const std::string& text) {
  std::string line;
  for (char c : text) {
    if (c == '\n') {
      line += "\\n";
    } else if (c != '\r') {
      line += c;
    }
  }
  return line;
}

}  // namespace

int DefaultButtonOf(UINT type) {
  const UINT buttons = type & MB_TYPEMASK;
  const UINT defaultIndex = (type & MB_DEFMASK) >> 8;  // 0, 1, 2 or 3
  static const int kButtonsOfType[][3] = {
      {IDOK, IDOK, IDOK},                 // MB_OK
      {IDOK, IDCANCEL, IDCANCEL},         // MB_OKCANCEL
      {IDABORT, IDRETRY, IDIGNORE},       // MB_ABORTRETRYIGNORE
      {IDYES, IDNO, IDCANCEL},            // MB_YESNOCANCEL
      {IDYES, IDNO, IDNO},                // MB_YESNO
      {IDRETRY, IDCANCEL, IDCANCEL},      // MB_RETRYCANCEL
      {IDCANCEL, IDTRYAGAIN, IDCONTINUE}  // MB_CANCELTRYCONTINUE
  };
  if (buttons >= sizeof(kButtonsOfType) / sizeof(kButtonsOfType[0])) return IDOK;
  return kButtonsOfType[buttons][defaultIndex > 2 ? 2 : defaultIndex];
}

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
  MessageBoxHandler handler;
  {
    std::lock_guard<std::mutex> lock(g_handlerMutex);
    handler = g_handler;
  }
  if (handler) return handler(MessageBoxRequest{owner, text, caption, type});
  return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
  std::lock_guard<std::mutex> lock(g_handlerMutex);
  g_handler = std::move(handler);
}

void InstallMessageBoxHandlerFromEnvironment() {
  const std::string logPath = EnvironmentValue("VELOTUNE_MESSAGEBOX_LOG");
  if (logPath.empty()) return;
  const std::string answer = EnvironmentValue("VELOTUNE_MESSAGEBOX_ANSWER");
  const int fixedAnswer = answer.empty() ? 0 : std::atoi(answer.c_str());
  SetMessageBoxHandler([logPath, fixedAnswer](const MessageBoxRequest& box) {
    if (FILE* log = std::fopen(logPath.c_str(), "ab")) {
      std::fprintf(log, "%s|%s|%u\n", OneLine(box.caption).c_str(), OneLine(box.text).c_str(),
                   box.type);
      std::fclose(log);
    }
    return fixedAnswer != 0 ? fixedAnswer : DefaultButtonOf(box.type);
  });
}

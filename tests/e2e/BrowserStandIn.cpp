// The logging browser of the end-to-end tests.
#include "tests/e2e/BrowserStandIn.h"

#include <fstream>
#include <sstream>

#include "framework/RegKey.h"

namespace e2e {

namespace {

// Wine does not hand its environment to the script: it logs to this file.
const char kLog[] = "Z:\\tmp\\velotune-browser.log";
const char kWineBrowser[] = "Software\\Wine\\WineBrowser";
const char kHtm[] = "Software\\Classes\\.htm";
const char kHtml[] = "Software\\Classes\\.html";
const char kCommand[] = "Software\\Classes\\htmlfile\\shell\\open\\command";

void SetText(HKEY root, const char* path, const char* name, const std::string& text) {
  RegKey key;
  if (key.Create(root, path) != ERROR_SUCCESS) return;
  RegSetValueExA(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
}

}  // namespace

BrowserStandIn::BrowserStandIn(const std::string& script) {
  for (const char* name : {"Browsers", "Mailers"}) SetText(HKEY_CURRENT_USER, kWineBrowser, name, script);
  DeleteFileA(kLog);
  // Wine reads the classes of the machine only; an association that was
  // there before is left alone.
  RegKey existing;
  madeAssociation_ = existing.Open(HKEY_LOCAL_MACHINE, kHtm, KEY_READ) != ERROR_SUCCESS;
  if (!madeAssociation_) return;
  for (const char* extension : {kHtm, kHtml}) SetText(HKEY_LOCAL_MACHINE, extension, nullptr, "htmlfile");
  SetText(HKEY_LOCAL_MACHINE, kCommand, nullptr, "winebrowser.exe \"%1\"");
}

BrowserStandIn::~BrowserStandIn() {
  RegDeleteKeyA(HKEY_CURRENT_USER, kWineBrowser);
  DeleteFileA(kLog);
  if (!madeAssociation_) return;
  for (const char* key : {kCommand, "Software\\Classes\\htmlfile\\shell\\open",
                          "Software\\Classes\\htmlfile\\shell", "Software\\Classes\\htmlfile", kHtm,
                          kHtml}) {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, key);
  }
}

std::string BrowserStandIn::Logged() const {
  std::ifstream file(kLog);
  std::stringstream text;
  text << file.rdbuf();
  std::string logged = text.str();
  for (size_t at = logged.find("%20"); at != std::string::npos; at = logged.find("%20")) {
    logged.replace(at, 3, " ");
  }
  return logged;
}

bool BrowserStandIn::WaitForLogged(const std::string& text, DWORD timeoutMs) const {
  const DWORD start = GetTickCount();
  while (Logged().find(text) == std::string::npos) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(100);
  }
  return true;
}

}  // namespace e2e

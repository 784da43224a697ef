// Opening addresses and documents with the shell, and the program's help.
#pragma once

#include <windows.h>

#include <string>

namespace shellopen {

extern const char kBrowserMissing[];
extern const char kMailerMissing[];

// Opens `address` with the shell's "open" verb, the desktop window as owner,
// shown normally; false when the shell answers 32 or less.
bool Open(const std::string& address);

// Opens "<program folder>\help\<page>" in the browser; when the folder is
// unknown or the page cannot be opened, says that no browser was found.
void OpenHelpPage(HWND owner, const std::string& page);

// The path of a help page, or an empty text when the program folder is unknown.
std::string HelpPagePath(const std::string& page);

// Shows one of the program's plain messages through the message-box seam.
void ShowProgramMessage(HWND owner, const std::string& text);

}  // namespace shellopen

// Every message box of the program goes through ShowMessageBox.
//
// Normally it is MessageBoxA. A test installs a handler that records the box
// and answers it, so nothing ever waits for a person. Setting the environment
// variable VELOTUNE_MESSAGEBOX_LOG to a file name does the same for a whole
// program run (the lab and end-to-end tests): each box is appended to the file
// as one line "caption|text|type" (line breaks in the text written as \n) and
// answered with VELOTUNE_MESSAGEBOX_ANSWER (a button id such as 1 for OK,
// 6 for Yes, 7 for No) or, when that is not set, the box's default button.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct MessageBoxRequest {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
};

using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;

// Shows (or hands to the installed handler) one message box; returns the button id.
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);

// Installs a handler for every following box; an empty handler restores MessageBoxA.
void SetMessageBoxHandler(MessageBoxHandler handler);

// The button a box answers with when nobody is there to choose: its default button.
int DefaultButtonOf(UINT type);

// Installs the file-recording handler when VELOTUNE_MESSAGEBOX_LOG is set.
void InstallMessageBoxHandlerFromEnvironment();

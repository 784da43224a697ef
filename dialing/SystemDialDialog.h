// The Windows dial-up dialogs that an Internet dial shows ("Dial-up
// Connection" on Windows 9x; "Connect To" and then "Connecting to <entry>" on
// the NT family), as the dial engine drives them from outside: found by
// title, read and filled through their child windows, pressed with keys.
// The dialogs run on the Internet-dial worker's thread, so every key goes to
// the control as a message; a system-wide key would reach only the
// foreground thread, and these dialogs are kept hidden.
#pragma once

#include <windows.h>

#include <string>

namespace dialdialog {

// A top-level window with this title (any case), visible or not; null when none.
HWND FindTitled(const std::string& title);

// Walks the dialog's children in order: the child after "&User name:" gets
// the user name, the child after "&Password:" gets the password and the
// focus, and the walk ends there. The password field, or null when none.
HWND FillLogin(HWND dialog, const std::string& userName, const std::string& password);

// True when the dialog has its "&Password:" label and a control after it.
bool HasLoginFields(HWND dialog);

// True when the window has an enabled child with exactly this text.
bool HasEnabledChild(HWND window, const std::string& text);

// Presses the child with this text: focus, then the space bar down and up.
// False when there is no such child.
bool PressChild(HWND window, const std::string& text);

// Presses Enter in a control of the dialog (key down and up, scan code 69),
// which the dialog turns into its default button. When the dialog's default
// button is still enabled shortly after, it is pressed by message instead.
void PressEnter(HWND dialog, HWND control);

// Waits up to `milliseconds` (real time) while answering messages that other
// threads send to this one (the dialogs send some to their owner).
void WaitAnsweringSentMessages(DWORD milliseconds);

// The text of a window of any thread of this process; empty when it does
// not answer within a short time.
std::string TextOf(HWND window);

}  // namespace dialdialog

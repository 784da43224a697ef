// The program's message loop: accelerators of the frame, then the dialog
// keys (Tab, arrows, Enter, Escape) of the modeless dialog or form view the
// message is for, then idle updates of the frame whenever the queue runs dry.
#pragma once

#include <windows.h>

class FrameWindow;

// Handles `message` before dispatch; true when it was used up.
bool PreTranslateMessage(FrameWindow* frame, MSG& message);

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop(FrameWindow* frame);

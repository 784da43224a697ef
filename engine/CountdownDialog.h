// The countdown the tune-up shows after a failure: the tune-up error dialog
// (template 348) counts ten seconds down and then resumes, unless the user
// pauses or cancels it. The controller and the dial engine run it through a
// CountdownRunner so that tests can answer it without a window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Dialog results.
constexpr int kCountdownResume = 1;  // the count ran out
constexpr int kCountdownStop = 2;    // Cancel or Escape

// Where the countdown label stands: below the message (the controller), or
// in the alternative place beside the seconds (the dial engine).
enum class CountdownLayout { BesideSeconds = 1, BelowMessage = 2 };

struct CountdownTexts {
  std::string caption;
  std::string heading;
  std::string message;
  std::string label;
  CountdownLayout layout = CountdownLayout::BelowMessage;
};

using CountdownRunner = std::function<int(HWND owner, const CountdownTexts& texts)>;

// Runs the real dialog modally: kCountdownResume or kCountdownStop
// (kCountdownStop also when the dialog cannot be created).
int RunCountdownDialog(HWND owner, const CountdownTexts& texts);

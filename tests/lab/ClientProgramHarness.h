// The tests' side of the lab's client programs: a fixture that installs a
// program in a folder of its own with the scenario it plays, starts it, and
// drives its windows as the program's client drivers do (windows found by
// class and title, texts read with WM_GETTEXT, buttons pressed with the
// space bar, clicks at client points), then reads the programs' log and the
// ISP server's link.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/RegistryFixture.h"
#include "tests/support/ScopedEnvironment.h"

class ClientProgramTest : public RegistryTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The scenario file's text (without the [Lab] section, which the fixture adds).
  void WriteScenario(const std::string& text);
  // Copies a lab program (built beside the tests) to <install>\<relative path>.
  std::string Install(const std::string& program, const std::string& relativePath);
  std::string InstallFolder() const { return install_; }

  // Starts an installed program with these arguments in `folder` (default: its own).
  void Start(const std::string& path, const std::string& arguments = std::string(),
             const std::string& folder = std::string());
  // Whether the last started program ends within the time.
  bool WaitForExit(DWORD timeoutMs);

  // The log's lines so far; whether one contains `text`; waiting for such a line.
  std::vector<std::string> LogLines() const;
  bool Logged(const std::string& text) const;
  bool WaitForLog(const std::string& text, DWORD timeoutMs);
  // The index of the first line that contains `text`; -1 when none does.
  int LogIndex(const std::string& text) const;
  // How many lines contain `text`.
  int CountLogged(const std::string& text) const;

  // The ISP server's link state ("up" or "down") and its MTU, RWIN and TTL.
  static std::string Link();
  static std::string LinkValues();

 private:
  std::string folder_;
  std::string install_;
  std::string scenario_;
  std::string log_;
  std::vector<HANDLE> processes_;
  std::unique_ptr<ScopedEnvironment> scenarioVariable_;
};

namespace drive {

// A top-level window by class and/or exact title (null: any), waited for.
HWND WaitForWindow(const char* windowClass, const char* title, DWORD timeoutMs);
// Waits until no top-level window of the class (and title) exists.
bool WaitForNoWindow(const char* windowClass, const char* title, DWORD timeoutMs);
// A window's text read with WM_GETTEXT into a 256-byte buffer.
std::string Text(HWND window);
std::string ClassOf(HWND window);
// Every descendant in EnumChildWindows order.
std::vector<HWND> Descendants(HWND parent);
// The first descendant with this text (and class, if given); null when none.
HWND FindChild(HWND parent, const std::string& text, const char* windowClass = nullptr);
// Waits for such a descendant.
HWND WaitForChild(HWND parent, const std::string& text, DWORD timeoutMs,
                  const char* windowClass = nullptr);
// Waits for a direct child of the class (FindWindowEx).
HWND WaitForChildOfClass(HWND parent, const char* windowClass, DWORD timeoutMs);
// Waits until the window has at least `count` descendants; them.
std::vector<HWND> WaitForDescendants(HWND parent, size_t count, DWORD timeoutMs);
// Key-down and key-up of the space bar, posted.
void PressSpace(HWND control);
// WM_LBUTTONDOWN and WM_LBUTTONUP at a client point, posted.
void Click(HWND window, int x, int y);
// Polls `done` every 20 ms for at most `timeoutMs`.
bool Eventually(const std::function<bool()>& done, DWORD timeoutMs);

}  // namespace drive

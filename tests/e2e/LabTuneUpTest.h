// The shared ground of the end-to-end tests that run tune-ups of the real
// Velotune.exe in the lab: a Windows 98 machine with the user's own TCP/IP
// values, the lab's dial-up profile as the configuration wizard writes it,
// a phone book with the lab's entry, the ISP server paced fast and without
// noise, and helpers to start a tune-up and watch the lab from outside.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "tests/e2e/LabProgram.h"
#include "tests/support/LabPhonebookFile.h"
#include "tests/support/RegistryFixture.h"
#include "tests/support/ScopedEnvironment.h"

class LabTuneUpTest : public RegistryTest {
 protected:
  // `folder` is the program's folder, below the test's own.
  explicit LabTuneUpTest(const std::string& folder);

  void SetUp() override;
  void TearDown() override;

  static std::string TestFolder();
  // Every Windows 9x TCP/IP place the program may change, as stored (the
  // AOL adapter's and client's included).
  static RegistryValueMap UserState();
  // Polls the condition every 10 ms; false when it is not met in time.
  static bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs);
  static bool MarkSet();
  static bool LinkUp();
  // Chooses "Auto Tune-Up" in the tree and "&Start Tune-Up" from the menu.
  static bool StartAutoTuneUp(HWND main);

  // The best MTU of the tray dials (the user's is 1500).
  static constexpr int kTrayBestMtu = 1000;

  // Tray dials: the option that starts the program in the notification
  // area, and best values of an earlier tune-up that differ from the user's.
  static void PrepareTrayDial();
  // Starts the program, which hides in the tray; its icon once start-up has
  // ended, else null.
  HWND StartInTray();
  // One click on the icon; true once the link is up with the best MTU and
  // the user's values are back in the registry (the mark gone).
  bool TrayDial(HWND icon);
  // One click on the icon; true once the link is down and the hang-up's
  // waits have ended, so that the next click dials again.
  bool TrayHangUp(HWND icon);

  ScopedEnvironment scale_{"VELOTUNE_TIME_SCALE", "0.1"};
  LabPhonebookFile phonebook_;
  ScopedEnvironment phonebookName_;
  LabProgram program_;
};

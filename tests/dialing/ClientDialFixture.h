// The dial engine with its real client dial paths against the lab's client
// programs: the programs are installed in a folder of the test's own, the
// engine starts them as it starts the real ones, and the test reads what the
// controller heard, the dial view's lines, the countdowns and boxes, the
// programs' log and the ISP server's link.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialing/ClientDialPaths.h"
#include "dialing/DialHiddenDlg.h"
#include "tests/lab/ClientProgramHarness.h"
#include "tests/support/MessageBoxRecorder.h"
#include "tests/support/RecordingDialController.h"
#include "tests/support/TuneUpTestFrame.h"

class ClientDialTest : public ClientProgramTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Makes the engine anew (after the provider is configured, as the program
  // makes it once the wizard has run).
  void MakeEngine();
  // Runs the engine's messages until `done` holds; false after `timeoutMs`.
  bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
  // Until the controller has heard `report`.
  bool PumpUntilReport(const std::string& report, DWORD timeoutMs);
  // Runs the engine's messages for a while (real milliseconds).
  void PumpFor(DWORD milliseconds);
  bool Reported(const std::string& report) const;
  // The dial view's lines that begin with `prefix`.
  std::vector<std::string> ViewLines(const std::string& prefix) const {
    return frame_.LogStartingWith(prefix);
  }
  // Closes every client program that still shows a window of these classes
  // and waits until it has ended.
  void CloseLeftoverClients(const std::vector<const char*>& windowClasses);

  TestMainFrame frame_;
  RecordingDialController controller_{frame_};
  std::vector<CountdownTexts> countdowns_;
  int countdownAnswer_ = kCountdownResume;
  std::unique_ptr<MessageBoxRecorder> boxes_;
  CClientDialPaths paths_;
  std::unique_ptr<CDialHiddenDlg> engine_;
};

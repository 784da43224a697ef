// The engine with its client dial paths in the lab.
#include "tests/dialing/ClientDialFixture.h"

#include "framework/TimeScale.h"
#include "tests/support/LabClient.h"

namespace {

// The engine's waits and polls at a tenth: a Wine process still needs its
// real time to start, so the 20 s frame wait keeps two seconds.
constexpr double kEngineScale = 0.1;
constexpr DWORD kLeftoverWaitMs = 5000;

}  // namespace

void ClientDialTest::SetUp() {
  ClientProgramTest::SetUp();
  timescale::OverrideFactor(kEngineScale);
  boxes_ = std::make_unique<MessageBoxRecorder>();
  frame_.SwitchRightPane(RightPane::Dial);
}

void ClientDialTest::TearDown() {
  engine_.reset();
  boxes_.reset();
  timescale::OverrideFactor(0);
  ClientProgramTest::TearDown();
}

void ClientDialTest::MakeEngine() {
  engine_ = std::make_unique<CDialHiddenDlg>(controller_, nullptr, &paths_,
                                             [this](HWND, const CountdownTexts& texts) {
                                               countdowns_.push_back(texts);
                                               return countdownAnswer_;
                                             });
  ASSERT_TRUE(engine_->Create());
}

bool ClientDialTest::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  // The client programs change nothing of this thread: look again every
  // slice even when no message arrives.
  constexpr DWORD kSliceMs = 20;
  const DWORD started = GetTickCount();
  while (!frame_.Progress().PumpUntil(done, kSliceMs)) {
    if (GetTickCount() - started >= timeoutMs) return false;
  }
  return true;
}

bool ClientDialTest::PumpUntilReport(const std::string& report, DWORD timeoutMs) {
  return PumpUntil([&] { return Reported(report); }, timeoutMs);
}

void ClientDialTest::PumpFor(DWORD milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

bool ClientDialTest::Reported(const std::string& report) const {
  for (const std::string& seen : controller_.reports) {
    if (seen == report) return true;
  }
  return false;
}

void ClientDialTest::CloseLeftoverClients(const std::vector<const char*>& windowClasses) {
  constexpr int kMostWindows = 20;
  for (const char* windowClass : windowClasses) {
    for (int closed = 0; closed < kMostWindows; ++closed) {
      HWND window = FindWindowA(windowClass, nullptr);
      if (window == nullptr) break;
      DWORD process = 0;
      GetWindowThreadProcessId(window, &process);
      HANDLE handle = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process);
      PostMessageA(window, WM_CLOSE, 0, 0);
      if (handle == nullptr) continue;
      // The program's files stay in use until it has ended.
      if (WaitForSingleObject(handle, kLeftoverWaitMs) != WAIT_OBJECT_0) {
        TerminateProcess(handle, 1);
        WaitForSingleObject(handle, kLeftoverWaitMs);
      }
      CloseHandle(handle);
    }
  }
}

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
  return frame_.Progress().PumpUntil(done, timeoutMs);
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

void ClientDialTest::EndLeftoverClients(const std::vector<const char*>& windowClasses) {
  for (const char* windowClass : windowClasses) {
    while (HWND window = FindWindowA(windowClass, nullptr)) {
      ADD_FAILURE() << "a client window is still there: " << windowClass;
      DWORD process = 0;
      GetWindowThreadProcessId(window, &process);
      HANDLE handle = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process);
      if (handle == nullptr) break;
      TerminateProcess(handle, 1);
      WaitForSingleObject(handle, kLeftoverWaitMs);
      CloseHandle(handle);
    }
  }
}

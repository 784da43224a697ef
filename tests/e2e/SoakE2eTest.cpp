// Soak: consecutive Express Auto Tune-Ups, and consecutive one-click dials
// and hang-ups from the notification area, each in one run of Velotune.exe
// in the lab. After each cycle the program's handles, GDI objects and
// working set are sampled (and its windows: Wine counts no GDI objects of
// another process); once the first cycles have settled, none may keep
// growing, and at the end the user's TCP/IP values are byte for byte what
// they were. VELOTUNE_SOAK_TUNEUPS sets the number of tune-ups (CI: 3; the
// long soak 20), VELOTUNE_SOAK_TRAY_DIALS the number of tray dials (CI: 4;
// the long soak 200).
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/LabTuneUpTest.h"

namespace {

const char kOptionsKey[] = "SOFTWARE\\Orvalis\\Velotune\\Options";
const DWORD kTuneUpWait = 300000;
// Cycles before the figures are taken as the baseline: first use of the
// views, the log and WinINet settles there.
const size_t kSettlingCycles = 2;
// What a settled run may still vary by between cycles.
const DWORD kHandleSlack = 8;
const DWORD kGdiSlack = 4;
const SIZE_T kWorkingSetSlack = 2 * 1024 * 1024;

int CycleCount(const char* variable, int ciCount) {
  const char* text = std::getenv(variable);
  const int count = text != nullptr ? std::atoi(text) : 0;
  return count > 0 ? count : ciCount;
}

void Print(const char* what, int cycle, DWORD started, const LabProgram::Footprint& now) {
  std::printf("[ soak ] %s %d: %lu ms, handles %lu, GDI objects %lu, windows %lu, "
              "working set %lu KB (peak %lu KB)\n",
              what, cycle, static_cast<unsigned long>(GetTickCount() - started),
              static_cast<unsigned long>(now.handles), static_cast<unsigned long>(now.gdiObjects),
              static_cast<unsigned long>(now.windows),
              static_cast<unsigned long>(now.workingSet / 1024),
              static_cast<unsigned long>(now.peakWorkingSet / 1024));
}

// Every sample after the settling cycles stays within the slack of the last
// settling one.
void ExpectSettled(const std::vector<LabProgram::Footprint>& samples, const char* what) {
  if (samples.empty()) return;
  const size_t base = std::min(kSettlingCycles, samples.size()) - 1;
  for (size_t i = base + 1; i < samples.size(); ++i) {
    EXPECT_LE(samples[i].handles, samples[base].handles + kHandleSlack) << what << " " << i + 1;
    EXPECT_LE(samples[i].gdiObjects, samples[base].gdiObjects + kGdiSlack) << what << " " << i + 1;
    EXPECT_LE(samples[i].windows, samples[base].windows) << what << " " << i + 1;
    EXPECT_LE(samples[i].workingSet, samples[base].workingSet + kWorkingSetSlack)
        << what << " " << i + 1;
  }
}

class SoakE2eTest : public LabTuneUpTest {
 protected:
  SoakE2eTest() : LabTuneUpTest("soak") {}

  // One Auto Tune-Up from the menu to its end: "ShowVTDialer" written (the
  // completion), the user's values back (the mark gone) and the link down.
  bool RunTuneUp(HWND main) {
    testreg::DeleteTree(kOptionsKey);
    return StartAutoTuneUp(main) &&
           WaitFor([] { return testreg::ValueExists(kOptionsKey, "ShowVTDialer") && !MarkSet() &&
                               !LinkUp(); },
                   kTuneUpWait);
  }

  // Runs the cycles in the running program, sampling it after each; then
  // ends it and compares the user's values with `userValues`.
  void Soak(const char* what, int count, const std::function<bool()>& cycle,
            const RegistryValueMap& userValues) {
    std::vector<LabProgram::Footprint> samples;
    for (int i = 1; i <= count; ++i) {
      const DWORD started = GetTickCount();
      ASSERT_TRUE(cycle()) << what << " " << i << " did not complete";
      samples.push_back(program_.Measure());
      Print(what, i, started, samples.back());
    }
    ExpectSettled(samples, what);
    ASSERT_TRUE(program_.Close(30000));
    const RegistryValueMap after = UserState();
    EXPECT_TRUE(userValues == after) << DescribeDifferences(userValues, after);
  }
};

TEST_F(SoakE2eTest, ConsecutiveTuneUpsLeakNothingAndLeaveTheUsersValues) {
  const RegistryValueMap userValues = UserState();
  ASSERT_TRUE(program_.Start());
  HWND main = program_.WaitForMain(30000);
  ASSERT_NE(nullptr, main);
  Soak("tune-up", CycleCount("VELOTUNE_SOAK_TUNEUPS", 3), [&] { return RunTuneUp(main); },
       userValues);
}

TEST_F(SoakE2eTest, ConsecutiveTrayDialsLeakNothingAndLeaveTheUsersValues) {
  PrepareTrayDial();
  const RegistryValueMap userValues = UserState();
  HWND icon = StartInTray();
  ASSERT_NE(nullptr, icon);
  // A click dials with the best values, a click hangs up.
  Soak("tray dial", CycleCount("VELOTUNE_SOAK_TRAY_DIALS", 4),
       [&] { return TrayDial(icon) && TrayHangUp(icon); }, userValues);
}

}  // namespace

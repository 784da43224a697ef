// The time scale and the message-box seam.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "framework/MessageBoxSeam.h"
#include "framework/TimeScale.h"
#include "tests/support/MessageBoxRecorder.h"

namespace {

class TimeScaleTest : public ::testing::Test {
 protected:
  void TearDown() override { timescale::OverrideFactor(0); }
};

TEST_F(TimeScaleTest, IntervalsAreMultipliedButNeverVanish) {
  timescale::OverrideFactor(0.01);
  EXPECT_EQ(30u, timescale::Scaled(3000));
  EXPECT_EQ(1u, timescale::Scaled(10));
  EXPECT_EQ(0u, timescale::Scaled(0));
  timescale::OverrideFactor(2.0);
  EXPECT_EQ(20000u, timescale::Scaled(10000));
  timescale::OverrideFactor(1e9);
  EXPECT_EQ(0xFFFFFFFFu, timescale::Scaled(10000));
}

TEST_F(TimeScaleTest, ScaledSleepIsShort) {
  timescale::OverrideFactor(0.001);
  DWORD start = GetTickCount();
  timescale::Sleep(10000);
  EXPECT_LT(GetTickCount() - start, 1000u);
}

TEST(MessageBoxSeamTest, DefaultButtons) {
  EXPECT_EQ(IDOK, DefaultButtonOf(MB_OK | MB_ICONERROR));
  EXPECT_EQ(IDYES, DefaultButtonOf(MB_YESNO));
  EXPECT_EQ(IDNO, DefaultButtonOf(MB_YESNO | MB_DEFBUTTON2));
  EXPECT_EQ(IDCANCEL, DefaultButtonOf(MB_YESNOCANCEL | MB_DEFBUTTON3));
  EXPECT_EQ(IDCANCEL, DefaultButtonOf(MB_RETRYCANCEL | MB_DEFBUTTON2));
}

TEST(MessageBoxSeamTest, RecorderAnswersWithTheChosenButton) {
  MessageBoxRecorder recorder(IDNO);
  EXPECT_EQ(IDNO, ShowMessageBox(nullptr, "Stop?", "Velotune", MB_YESNO));
  ASSERT_EQ(1u, recorder.Boxes().size());
  EXPECT_EQ("Stop?", recorder.Boxes()[0].text);
}

TEST(MessageBoxSeamTest, EnvironmentHandlerWritesOneLinePerBox) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string log = std::string(folder) + "velotune-boxes.txt";
  DeleteFileA(log.c_str());
  SetEnvironmentVariableA("VELOTUNE_MESSAGEBOX_LOG", log.c_str());
  SetEnvironmentVariableA("VELOTUNE_MESSAGEBOX_ANSWER", nullptr);
  InstallMessageBoxHandlerFromEnvironment();

  EXPECT_EQ(IDNO, ShowMessageBox(nullptr, "line one\nline two", "Caption",
                                 MB_YESNO | MB_DEFBUTTON2));
  FailOnUnexpectedMessageBoxes();
  SetEnvironmentVariableA("VELOTUNE_MESSAGEBOX_LOG", nullptr);

  std::ifstream file(log);
  std::string line;
  ASSERT_TRUE(std::getline(file, line));
  EXPECT_EQ("Caption|line one\\nline two|" + std::to_string(MB_YESNO | MB_DEFBUTTON2), line);
  file.close();
  DeleteFileA(log.c_str());
}

}  // namespace

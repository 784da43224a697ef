// System and RAS error texts.
#include <windows.h>
#include <gtest/gtest.h>

#include "engine/SystemErrorText.h"
#include "tests/support/MessageBoxRecorder.h"

namespace {

TEST(SystemErrorTextTest, SystemErrorIsShownInAnErrorBox) {
  MessageBoxRecorder recorder;
  ShowSystemError(ERROR_FILE_NOT_FOUND);
  auto boxes = recorder.Boxes();
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("Error", boxes[0].caption);
  EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONERROR), boxes[0].type);
  EXPECT_EQ(nullptr, boxes[0].owner);
  EXPECT_FALSE(boxes[0].text.empty());
}

TEST(SystemErrorTextTest, UnknownSystemErrorShowsAnEmptyBoxRatherThanNothing) {
  MessageBoxRecorder recorder;
  ShowSystemError(0x2FFFFFFF);
  ASSERT_EQ(1u, recorder.Boxes().size());
}

TEST(SystemErrorTextTest, RasTextWithoutAModuleLoadsAndFreesRasapi32) {
  ASSERT_EQ(nullptr, GetModuleHandleA("rasapi32.dll"));
  std::string text = "stale";
  DWORD result = RasErrorText(nullptr, 676, text);
  EXPECT_NE(static_cast<DWORD>(FALSE), result) << "FreeLibrary's result";
  EXPECT_EQ(nullptr, GetModuleHandleA("rasapi32.dll"));
  // Wine's own rasapi32 writes no text: the result must still be a defined string.
  EXPECT_EQ("", text);
}

TEST(SystemErrorTextTest, RasTextWithTheCallersModuleLeavesItLoaded) {
  HMODULE rasapi32 = LoadLibraryA("rasapi32.dll");
  ASSERT_NE(nullptr, rasapi32);
  std::string text = "stale";
  RasErrorText(rasapi32, 691, text);
  EXPECT_LT(text.size(), 256u);
  EXPECT_EQ(rasapi32, GetModuleHandleA("rasapi32.dll"));
  FreeLibrary(rasapi32);
}

TEST(SystemErrorTextTest, AModuleWithoutTheFunctionGivesAnEmptyText) {
  std::string text = "stale";
  EXPECT_EQ(static_cast<DWORD>(ERROR_PROC_NOT_FOUND),
            RasErrorText(GetModuleHandleA("kernel32.dll"), 691, text));
  EXPECT_EQ("", text);
}

}  // namespace

// The countdown dialog run modally at a small time scale: both layouts, the
// count from 10, pause, Cancel and Escape, and Enter doing nothing.
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/CountdownDialog.h"
#include "framework/TimeScale.h"
#include "res/TuneUpDialogIds.h"
#include "tests/support/WindowPicture.h"

namespace {

constexpr char kCaption[] = "  Tune-Up Error";

// Runs `onTick` on every tick of a thread timer while the dialog is up, with
// the dialog's window; the timer lives as long as the object.
class DialogWatch {
 public:
  explicit DialogWatch(std::function<void(HWND)> onTick) {
    Current() = std::move(onTick);
    timer_ = SetTimer(nullptr, 0, 5, &DialogWatch::Tick);
  }
  ~DialogWatch() {
    KillTimer(nullptr, timer_);
    Current() = nullptr;
  }

 private:
  static std::function<void(HWND)>& Current() {
    static std::function<void(HWND)> current;
    return current;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindWindowA(nullptr, kCaption);
    if (dialog != nullptr && Current()) Current()(dialog);
  }
  UINT_PTR timer_;
};

std::string Text(HWND dialog, int id) {
  char text[64] = {};
  GetDlgItemTextA(dialog, id, text, sizeof(text));
  return text;
}

bool Shown(HWND dialog, int id) {
  return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

RECT ClientRectOf(HWND dialog, int id) {
  RECT rect;
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

CountdownTexts Texts(CountdownLayout layout) {
  CountdownTexts texts;
  texts.caption = kCaption;
  texts.heading = "The following error has occured:";
  texts.message = "Failed to download";
  texts.label = "Tune-up will resume in:";
  texts.layout = layout;
  return texts;
}

class TuneUpErrorDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { timescale::OverrideFactor(0.02); }
  void TearDown() override { timescale::OverrideFactor(0); }
};

TEST_F(TuneUpErrorDialogTest, CountsDownFromTenAndResumesUnlessPaused) {
  std::vector<std::string> seen;
  bool checked = false;
  HWND shown = nullptr;
  int pausedTicks = 0;
  bool pictured = false;
  DialogWatch watch([&](HWND dialog) {
    shown = dialog;
    std::string count = Text(dialog, IDC_COUNTDOWN_SECONDS);
    if (seen.empty() || seen.back() != count) seen.push_back(count);
    // A picture of the controller's layout for the test's record, once the
    // dialog has been up for a second.
    if (seen.size() == 2 && !pictured) {
      pictured = true;
      EXPECT_TRUE(SaveWindowPicture(dialog, TestPicturePath("countdown-below-message")));
    }
    EXPECT_EQ("Failed to download", Text(dialog, IDC_ERROR_MESSAGE));
    EXPECT_TRUE(Shown(dialog, IDC_COUNTDOWN_LABEL));
    EXPECT_FALSE(Shown(dialog, IDC_COUNTDOWN_LABEL_BESIDE));
    EXPECT_EQ("Tune-up will resume in:", Text(dialog, IDC_COUNTDOWN_LABEL));
    // Enter presses the hidden OK, which must not end the countdown.
    if (seen.size() == 2 && !checked) {
      PostMessageA(GetDlgItem(dialog, IDC_PAUSE_TUNEUP), WM_KEYDOWN, VK_RETURN, 0);
      CheckDlgButton(dialog, IDC_PAUSE_TUNEUP, BST_CHECKED);
      checked = true;
    } else if (checked && IsDlgButtonChecked(dialog, IDC_PAUSE_TUNEUP) && ++pausedTicks > 30) {
      CheckDlgButton(dialog, IDC_PAUSE_TUNEUP, BST_UNCHECKED);
    }
  });
  EXPECT_EQ(kCountdownResume, RunCountdownDialog(nullptr, Texts(CountdownLayout::BelowMessage)));
  ASSERT_NE(nullptr, shown);
  EXPECT_EQ((std::vector<std::string>{"10", "9", "8", "7", "6", "5", "4", "3", "2", "1"}), seen);
  EXPECT_GT(pausedTicks, 30);
}

TEST_F(TuneUpErrorDialogTest, TheEngineLayoutAndCancelOrEscapeStop) {
  int ticks = 0;
  DialogWatch cancel([&](HWND dialog) {
    EXPECT_TRUE(Shown(dialog, IDC_COUNTDOWN_LABEL_BESIDE));
    EXPECT_FALSE(Shown(dialog, IDC_COUNTDOWN_LABEL));
    RECT seconds = ClientRectOf(dialog, IDC_COUNTDOWN_SECONDS);
    RECT sec = ClientRectOf(dialog, IDC_COUNTDOWN_SEC);
    EXPECT_EQ(100, seconds.left);
    EXPECT_EQ(91, seconds.top);
    EXPECT_EQ(14, seconds.right - seconds.left);
    EXPECT_EQ(114, sec.left);
    EXPECT_EQ(20, sec.right - sec.left);
    // Cancelled once the dialog has been up for a while, after its picture.
    if (++ticks == 5) {
      EXPECT_TRUE(SaveWindowPicture(dialog, TestPicturePath("countdown-beside-seconds")));
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
  });
  // The engine's layout, with the longest of the engine's labels.
  CountdownTexts engineTexts = Texts(CountdownLayout::BesideSeconds);
  engineTexts.label = "Re-dialing in:";
  EXPECT_EQ(kCountdownStop, RunCountdownDialog(nullptr, engineTexts));
  EXPECT_GE(ticks, 5);

  DialogWatch escape([&](HWND dialog) {
    PostMessageA(GetDlgItem(dialog, IDC_PAUSE_TUNEUP), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  EXPECT_EQ(kCountdownStop, RunCountdownDialog(nullptr, Texts(CountdownLayout::BelowMessage)));
}

}  // namespace

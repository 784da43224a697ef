// The main window, its views and the dial windows in the test process, with
// the tune-up controller as document, recorded results and a recording engine
// double.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "dialing/DialUpDlg.h"
#include "dialing/DialView.h"
#include "engine/WorkerMessages.h"
#include "engine/portable/LogRecordFormat.h"
#include "engine/views/LeftView.h"
#include "engine/views/ProgressView.h"
#include "engine/views/ResultView.h"
#include "framework/TimeScale.h"
#include "res/resource.h"
#include "settings/SettingsStore.h"
#include "tests/engine/LogFileFixture.h"
#include "tests/support/WindowPicture.h"
#include "tests/support/WindowPump.h"
#include "ui/VelotuneDocument.h"
#include "ui/MainFrame.h"
#include "ui/RightView.h"

namespace {

class ShellTest : public LogFileTest {
 protected:
  void SetUp() override {
    LogFileTest::SetUp();
    timescale::OverrideFactor(0.01);
    frame_.SetDocument(&document_);
    ASSERT_TRUE(frame_.CreateMainWindow(SW_SHOW));
  }
  void TearDown() override {
    frame_.Destroy();
    timescale::OverrideFactor(0);
    LogFileTest::TearDown();
  }

  HWND Tree() { return frame_.LeftView()->Tree(); }
  CRightView* Page() { return dynamic_cast<CRightView*>(frame_.ViewSplitter().GetPane(0, 1)); }
  bool Select(int item) {
    HTREEITEM target = frame_.LeftView()->TreeItem(item);
    return SendMessageA(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(target)) != 0;
  }
  std::string Text(CRightView* view, int id) { return view->ItemText(id); }
  bool Visible(CRightView* view, int id) { return IsWindowVisible(view->Item(id)) != FALSE; }

  CVelotuneDocument document_{frame_};
  CMainFrame frame_;
};

TEST_F(ShellTest, StartsTitledWithTheRootPageAndManualTuneUpOpen) {
  EXPECT_EQ("Velotune", WindowText(frame_.Handle()));
  EXPECT_NE(0, SendMessageA(frame_.Handle(), WM_GETICON, ICON_BIG, 0));
  EXPECT_NE(0, SendMessageA(frame_.Handle(), WM_GETICON, ICON_SMALL, 0));
  EXPECT_EQ(0, frame_.LeftView()->SelectedItem());
  EXPECT_EQ(0, document_.Controller().SelectedItem());
  ASSERT_NE(nullptr, Page());
  EXPECT_EQ(0, Page()->Page());
  TVITEMA manual = {};
  manual.mask = TVIF_STATE;
  manual.hItem = frame_.LeftView()->TreeItem(2);
  manual.stateMask = TVIS_EXPANDED;
  SendMessageA(Tree(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&manual));
  EXPECT_TRUE(manual.state & TVIS_EXPANDED);
  // Nothing to start with the product item selected; nothing to stop.
  EXPECT_FALSE(frame_.ExecuteCommand(ID_TUNEUP_START));
  EXPECT_FALSE(frame_.Route().Query(ID_TUNEUP_STOP).enabled);
  EXPECT_TRUE(frame_.Route().Query(ID_VIEW_LAST_RESULT).enabled);
  ASSERT_TRUE(Select(1));
  EXPECT_TRUE(frame_.Route().Query(ID_TUNEUP_START).enabled);
}

TEST_F(ShellTest, EveryItemShowsItsOwnPageWithNothingLeftOver) {
  struct Expected {
    const char* title;
    const char* first;
    const char* second;
  };
  const Expected pages[] = {
      {"Velotune", "What Is Velotune?", "How Does Velotune Do It?"},
      {"Auto Tune-Up", "What Is Auto Tune-Up?", nullptr},
      {"Manual Tune-Up (For Advanced Users Only)", "Why Manual Tune-Up?", nullptr},
      {"Maximum Transmission Unit (MTU)", "When Establishing Connection .....", "What's Next?"},
      {"Receive Window (RWIN)", "When You're Surfing .....", "What's Next?"},
      {"Time To Live (TTL)", "Along The Way .....", "What's Next?"},
      {"Cache Size", "Now I Have The Data, But .....", nullptr},
  };
  for (int item = 0; item < 7; ++item) {
    if (frame_.LeftView()->TreeItem(item) == nullptr) continue;  // cache size on NT
    ASSERT_TRUE(Select(item)) << item;
    CRightView* view = Page();
    ASSERT_NE(nullptr, view);
    EXPECT_EQ(item, view->Page());
    EXPECT_EQ(pages[item].title, Text(view, IDC_PAGE_TITLE)) << item;
    EXPECT_EQ(pages[item].first, Text(view, IDC_PAGE_SUBTITLE1)) << item;
    EXPECT_TRUE(Visible(view, IDC_PAGE_BODY1)) << item;
    EXPECT_EQ(pages[item].second != nullptr, Visible(view, IDC_PAGE_SUBTITLE2)) << item;
    EXPECT_EQ(pages[item].second != nullptr, Visible(view, IDC_PAGE_BODY2)) << item;
    if (pages[item].second != nullptr) {
      EXPECT_EQ(pages[item].second, Text(view, IDC_PAGE_SUBTITLE2));
    }
    EXPECT_EQ("For further information, click here", WindowText(view->HelpLink().Handle()));
    const std::string target = view->HelpLink().Target();
    EXPECT_EQ("\\help\\main.htm", target.substr(target.size() - 14));
    EXPECT_EQ(4, view->HelpLink().Kind());
  }
  // The arrow keys move the selection through the tree's own notifications.
  ASSERT_TRUE(Select(0));
  SetFocus(Tree());
  SendMessageA(Tree(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(1, frame_.LeftView()->SelectedItem());
  EXPECT_EQ(1, Page()->Page());
  EXPECT_FALSE(Visible(Page(), IDC_PAGE_SUBTITLE2));
}

TEST_F(ShellTest, ProgressViewFollowsTheWorkerAndHoldsTheTree) {
  // The 200 ms blink must stay longer than the system's shortest timer.
  timescale::OverrideFactor(0.1);
  frame_.SwitchRightPane(RightPane::Progress);
  HWND progress = frame_.ProgressViewWindow();
  ASSERT_NE(nullptr, progress);
  auto* view = dynamic_cast<CProgressView*>(frame_.ViewSplitter().GetPane(0, 1));
  ASSERT_NE(nullptr, view);
  // No other page while the tune-up measures.
  EXPECT_FALSE(Select(3));
  EXPECT_EQ(0, frame_.LeftView()->SelectedItem());
  EXPECT_EQ(progress, frame_.ProgressViewWindow());

  EXPECT_EQ(1, SendMessageA(progress, WM_COLLECT_PASS, 0, 0));
  EXPECT_EQ("Downloading data to be tested:", view->ItemText(IDC_PHASE_TEXT));
  // Dots grow every (scaled) second; the title blinks off and back.
  bool blinked = false;
  ASSERT_TRUE(PumpUntil([&] {
    blinked = blinked || view->ItemText(IDC_PROGRESS_TITLE).empty();
    return view->ItemText(IDC_PHASE_TEXT) == "Downloading data to be tested:.." && blinked;
  }, 3000));
  EXPECT_TRUE(PumpUntil([&] { return view->ItemText(IDC_PROGRESS_TITLE) == "Tune-Up In Progress"; }, 2000));

  SendMessageA(progress, WM_IMAGES_FOUND, 4, 0);
  EXPECT_EQ("Testing validity of the downloaded data:", view->ItemText(IDC_PHASE_TEXT));
  EXPECT_EQ(4, SendMessageA(view->Item(IDC_PHASE_PROGRESS), PBM_GETRANGE, FALSE, 0));
  SendMessageA(progress, WM_IMAGE_CHECKED, 0, 0);
  EXPECT_EQ(1, SendMessageA(view->Item(IDC_PHASE_PROGRESS), PBM_GETPOS, 0, 0));
  // A later pass adds no dots once an image has been checked.
  SendMessageA(progress, WM_COLLECT_PASS, 0, 0);
  PumpFor(60);
  EXPECT_EQ("Downloading data to be tested:", view->ItemText(IDC_PHASE_TEXT));

  SendMessageA(progress, WM_TIMED_FETCHES, 6, 0);
  SendMessageA(progress, WM_TIMED_FETCH_DONE, 0, 0);
  SendMessageA(progress, WM_TIMED_FETCH_DONE, 0, 0);
  EXPECT_EQ("Performing modem speed test:", view->ItemText(IDC_PHASE_TEXT));
  EXPECT_EQ(6, SendMessageA(view->Item(IDC_PHASE_PROGRESS), PBM_GETRANGE, FALSE, 0));
  EXPECT_EQ(2, SendMessageA(view->Item(IDC_PHASE_PROGRESS), PBM_GETPOS, 0, 0));

  EXPECT_FALSE(IsWindowVisible(view->Item(IDC_TESTS_TEXT)));
  view->Prepare(36, 32);
  EXPECT_EQ("4 of 36 tests completed:", view->ItemText(IDC_TESTS_TEXT));
  EXPECT_TRUE(IsWindowVisible(view->Item(IDC_TESTS_PROGRESS)));
  EXPECT_EQ(4, SendMessageA(view->Item(IDC_TESTS_PROGRESS), PBM_GETPOS, 0, 0));
  EXPECT_FALSE(IsWindowVisible(view->Item(IDC_TEST_STATISTICS)));

  frame_.SetTreeItemsNormal(false);
  TVITEMA root = {};
  root.mask = TVIF_IMAGE;
  root.hItem = frame_.LeftView()->TreeItem(4);
  SendMessageA(Tree(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&root));
  EXPECT_EQ(4 + 7, root.iImage);
}

TEST(ResultFigureTest, DigitsOnlyWithTheSmallGainsShownAsOne) {
  EXPECT_EQ("0 %", CResultView::FigureText(0.0, false));
  EXPECT_EQ("0 %", CResultView::FigureText(0.0, true));
  EXPECT_EQ("0 %", CResultView::FigureText(0.4, false));
  EXPECT_EQ("1 %", CResultView::FigureText(0.4, true));
  EXPECT_EQ("13 %", CResultView::FigureText(12.6, true));
  EXPECT_EQ("13 %", CResultView::FigureText(-12.6, false));
  EXPECT_EQ("0 %", CResultView::FigureText(std::nan(""), true));
}

TEST_F(ShellTest, ResultViewShowsTheLogsFiguresUnderItsCaptions) {
  std::string log;
  for (auto run : std::vector<std::pair<int, int>>{{0, 7700}, {0, 7800}, {0, 8000}}) {
    log += FormatLogRecord({kRecordBaseline, kParameterNone, run.first, double(run.second)});
  }
  for (auto run : std::vector<std::pair<int, int>>{{576, 9000}, {576, 8800}, {576, 8900}, {1000, 7000},
                                                   {1000, 7100}, {1000, 9500}, {1500, 7000},
                                                   {1500, 8000}, {1500, 8000}}) {
    log += FormatLogRecord({kRecordManual, kParameterMtu, run.first, double(run.second)});
  }
  WriteLogText(log);
  frame_.SwitchRightPane(RightPane::Result);
  frame_.ShowResultRequest({kRecordManual, kParameterMtu, 0, 0.0});
  auto* view = dynamic_cast<CResultView*>(frame_.ViewSplitter().GetPane(0, 1));
  ASSERT_NE(nullptr, view);
  EXPECT_EQ("36 %", view->ItemText(IDC_EXTREME_FIGURE));
  EXPECT_EQ("2 %", view->ItemText(IDC_BEST_FIGURE));
  EXPECT_EQ("10 %", view->ItemText(IDC_AVERAGE_FIGURE));
  const int anchors[] = {IDC_EXTREME_CAPTION_ANCHOR, IDC_BEST_CAPTION_ANCHOR, IDC_AVERAGE_CAPTION_ANCHOR};
  const char* captions[] = {"Extreme Performance", "Best of the Best Performance", "Average Performance"};
  for (int i = 0; i < 3; ++i) {
    RECT anchor = {};
    RECT caption = {};
    GetWindowRect(view->Item(anchors[i]), &anchor);
    GetWindowRect(view->Caption(i).Handle(), &caption);
    EXPECT_TRUE(EqualRect(&anchor, &caption)) << i;
    EXPECT_EQ(captions[i], WindowText(view->Caption(i).Handle()));
    const std::string target = view->Caption(i).Target();
    EXPECT_EQ("\\help\\results.htm", target.substr(target.size() - 17));
  }

  // A garbled log, a binary one and a huge one give zeros, never a failure.
  std::string huge(3 * 1024 * 1024, 'x');
  for (size_t i = 0; i < huge.size(); i += 997) huge[i] = '>';
  for (const std::string& garbled :
       {std::string(">>2:1:5x6:abc:\r\n>>"), std::string("\0\xff\x01>>", 6), huge}) {
    WriteLogText(garbled);
    frame_.SwitchRightPane(RightPane::Result);
    frame_.ShowResultRequest({kRecordManual, kParameterMtu, 0, 0.0});
    view = dynamic_cast<CResultView*>(frame_.ViewSplitter().GetPane(0, 1));
    EXPECT_EQ("0 %", view->ItemText(IDC_EXTREME_FIGURE));
    EXPECT_EQ("0 %", view->ItemText(IDC_AVERAGE_FIGURE));
  }
}

// A connected animation lasts 8 ticks, 9 on Windows NT 4 (CTest runs the
// dial window tests once more as NT 4).
int ConnectedTicksOfThisSystem() {
  return CSettingsStore::DetectOsFamily() == kOsWindowsNT4 ? 9 : 8;
}

// The engine as the dial view sees it, recording the notices it gets.
class RecordingEngine : public IDialViewSource {
 public:
  bool trayMode = false;
  int notices = 0;
  std::string ConnectionName() const override { return "Lab ISP"; }
  bool IsTrayMode() const override { return trayMode; }
  void OnConnectedAnimationEnded() override { ++notices; }
};

TEST_F(ShellTest, DialViewAnimatesAndReportsOneConnectionPerAnimation) {
  frame_.SwitchRightPane(RightPane::Dial);
  IDialView* seam = frame_.DialView();
  auto* view = dynamic_cast<CDialView*>(seam);
  ASSERT_NE(nullptr, view);
  RecordingEngine engine;

  seam->ShowStatus(engine, kDialStatusDialing, "Dialing...");
  EXPECT_EQ("Connecting to Lab ISP", view->ItemText(IDC_DIAL_CAPTION));
  EXPECT_EQ("Dialing...", view->ItemText(IDC_DIAL_STATUS));
  // Each picture runs through all seven frames and wraps. Looked at after
  // every message: on a busy machine one pump may hold several ticks.
  std::vector<int> seen{view->LeftFrame()};
  const DWORD start = GetTickCount();
  while (seen.size() < 9 && GetTickCount() - start < 5000) {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
    if (seen.back() != view->LeftFrame()) seen.push_back(view->LeftFrame());
  }
  ASSERT_GE(seen.size(), 9u);
  for (size_t i = 1; i < seen.size(); ++i) EXPECT_EQ((seen[i - 1] + 1) % 7, seen[i]);

  // An empty text keeps the line; a RAS state changes only the text.
  seam->ShowStatus(engine, 3, "");
  EXPECT_EQ("Dialing...", view->ItemText(IDC_DIAL_STATUS));
  seam->ShowStatus(engine, 3, "Connecting device");
  EXPECT_EQ("Connecting device", view->ItemText(IDC_DIAL_STATUS));
  EXPECT_EQ("Connecting to Lab ISP", view->ItemText(IDC_DIAL_CAPTION));

  seam->ShowStatus(engine, kDialStatusConnected, "Connection to Lab ISP established");
  ASSERT_TRUE(PumpUntil([&] { return engine.notices > 0; }, 3000));
  PumpFor(200);
  EXPECT_EQ(1, engine.notices);
  EXPECT_EQ(ConnectedTicksOfThisSystem(), view->ConnectedTicksShown());

  // A drop during the connected animation is never reported as connected.
  seam->ShowStatus(engine, kDialStatusConnected, "");
  PumpFor(5);
  seam->ShowStatus(engine, kDialStatusDisconnected, "Line dropped");
  PumpFor(300);
  EXPECT_EQ(1, engine.notices);

  // Nor does a tray dial tell the tune-up anything.
  engine.trayMode = true;
  seam->ShowStatus(engine, kDialStatusConnected, "");
  PumpFor(300);
  EXPECT_EQ(1, engine.notices);
  seam->SetCaption("Disconnecting...");
  EXPECT_EQ("Disconnecting...", view->ItemText(IDC_DIAL_CAPTION));
}

// The engine as the dial status dialog sees it.
class RecordingOwner : public IDialUpDialogOwner {
 public:
  std::vector<std::string> calls;
  HWND windowWhenClosed = nullptr;
  CDialUpDlg* dialog = nullptr;
  int TrayDial(int kind, const std::string& name) override {
    calls.push_back("dial " + std::to_string(kind) + " " + name);
    return 0;
  }
  void OnDialUpDialogClosed(int result) override {
    calls.push_back("closed " + std::to_string(result));
    windowWhenClosed = dialog->Handle();
  }
};

TEST(DialUpDlgTest, TitlesButtonsAndTheSelfCloseThatTellsTheEngineFirst) {
  timescale::OverrideFactor(0.01);
  RecordingOwner owner;
  int hangUps = 0;
  CDialUpDlgFactory factory([&] { ++hangUps; });
  std::unique_ptr<IDialUpDialog> made = factory.Create(owner);
  ASSERT_NE(nullptr, made);
  auto* dialog = dynamic_cast<CDialUpDlg*>(made.get());
  owner.dialog = dialog;
  HWND window = dialog->Handle();
  EXPECT_EQ("", WindowText(window));

  dialog->SetProviderAndName(1, "Lab ISP");
  dialog->Enable(true);
  EXPECT_TRUE(IsWindowEnabled(dialog->Item(IDC_DIALUP_DIAL)));
  EXPECT_FALSE(IsWindowEnabled(dialog->Item(IDC_DIALUP_HANG_UP)));
  SendMessageA(dialog->Item(IDC_DIALUP_DIAL), BM_CLICK, 0, 0);
  EXPECT_EQ(std::vector<std::string>{"dial 1 Lab ISP"}, owner.calls);
  EXPECT_FALSE(IsWindowEnabled(dialog->Item(IDC_DIALUP_DIAL)));
  EXPECT_TRUE(IsWindowEnabled(dialog->Item(IDC_DIALUP_HANG_UP)));
  EXPECT_EQ("Dialing to Lab ISP", WindowText(window));

  dialog->ShowStatus(kDialStatusDialing, "Dialing...");
  EXPECT_EQ("Dialing...", dialog->ItemText(IDC_DIALUP_STATUS));
  dialog->ShowStatus(3, "Verifying user name and password...");
  EXPECT_TRUE(SaveWindowPicture(window, TestPicturePath("dial-status-dialog")));
  dialog->ShowStatus(3, "Dialing...");
  dialog->ShowStatus(3, "");
  EXPECT_EQ("Dialing...", dialog->ItemText(IDC_DIALUP_STATUS));
  SendMessageA(dialog->Item(IDC_DIALUP_HANG_UP), BM_CLICK, 0, 0);
  EXPECT_EQ(1, hangUps);
  EXPECT_EQ("Disconnected from Lab ISP", WindowText(window));

  // A drop mid-animation leaves the dialog open.
  dialog->ShowStatus(kDialStatusConnected, "Connected");
  EXPECT_EQ("Connected to Lab ISP", WindowText(window));
  PumpFor(5);
  dialog->ShowStatus(kDialStatusDisconnected, "Failed to connect to: Lab ISP");
  EXPECT_EQ("Disconnected from Lab ISP", WindowText(window));
  PumpFor(200);
  EXPECT_TRUE(IsWindow(window));

  // Connected: about (2 + 3) s scaled later it closes, the engine told while the window still lived.
  dialog->ShowStatus(kDialStatusConnected, "");
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(window); }, 3000));
  ASSERT_EQ(2u, owner.calls.size());
  EXPECT_EQ("closed 1", owner.calls.back());
  EXPECT_EQ(window, owner.windowWhenClosed);
  EXPECT_EQ(ConnectedTicksOfThisSystem(), dialog->ConnectedTicksShown());
  EXPECT_EQ(nullptr, dialog->Handle());
  // A late status after the window went is harmless.
  dialog->ShowStatus(kDialStatusDialing, "Dialing...");
  timescale::OverrideFactor(0);
}

}  // namespace

// The framework's windows in the test process: view replacement, command
// routing and update rules from every source, transparent drawing, template
// dialogs and the tool bar resource.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "framework/Dialog.h"
#include "framework/Document.h"
#include "framework/FormView.h"
#include "framework/FrameWindow.h"
#include "framework/GdiObjects.h"
#include "framework/MessageLoop.h"
#include "framework/StaticSplitter.h"
#include "framework/ToolBarResource.h"
#include "framework/TransparentDraw.h"
#include "framework/WizardSheet.h"
#include "res/resource.h"
#include "tests/support/WindowPump.h"

namespace {

// A document that handles Start and Stop; Start only while allowed.
class CountingDocument : public Document {
 public:
  bool startAllowed = false;
  int starts = 0;
  int stops = 0;
  int updates = 0;

  bool UpdateCommand(int id, CommandState& state) override {
    if (id == ID_TUNEUP_START) {
      state.enabled = startAllowed;
      return true;
    }
    return id == ID_TUNEUP_STOP;
  }
  void RunCommand(int id) override { (id == ID_TUNEUP_START ? starts : stops)++; }
};

class CountingView : public FormView {
 public:
  CountingView() : FormView(IDD_RIGHT_VIEW) {}
  int updates = 0;
  void OnUpdate() override { ++updates; }
};

class TestFrame : public FrameWindow {
 public:
  CountingDocument document;

  CommandRoute Route() override { return CommandRoute{this, splitter_.ActivePane(), &document}; }
  StaticSplitter& Panes() { return splitter_; }

 protected:
  bool OnCreate() override {
    if (!CreateToolBarInReBar(IDR_MAINFRAME, IDB_TOOLBAR) || !CreateStatusBar()) return false;
    RECT client = {};
    GetClientRect(Handle(), &client);
    const SIZE size = {120, 100};
    auto make = [] { return std::unique_ptr<FormView>(new CountingView()); };
    return splitter_.Create(Handle(), client, 1) && splitter_.CreateView(0, 0, make, size, &document) &&
           splitter_.CreateView(0, 1, make, size, &document);
  }
  StaticSplitter* Splitter() const override { return const_cast<StaticSplitter*>(&splitter_); }

 private:
  StaticSplitter splitter_;
};

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RECT rect = {40, 40, 640, 480};
    ASSERT_TRUE(frame_.CreateFrame("VelotuneTestFrame", "Frame", WS_OVERLAPPEDWINDOW, rect,
                                   IDR_MAINFRAME, IDR_MAINFRAME, nullptr, nullptr));
    ShowWindow(frame_.Handle(), SW_SHOW);
  }

  int ChildCount(HWND parent) {
    int count = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
      ++count;
    }
    return count;
  }

  TestFrame frame_;
};

TEST_F(FrameTest, ReplacingAViewManyTimesLeavesOneViewThatBelongsToTheDocument) {
  StaticSplitter& panes = frame_.Panes();
  for (int i = 0; i < 200; ++i) {
    ASSERT_TRUE(panes.ReplaceView<CountingView>(0, 1));
  }
  EXPECT_EQ(2, ChildCount(panes.Handle()));
  EXPECT_EQ(2u, frame_.document.Views().size());
  FormView* right = panes.GetPane(0, 1);
  ASSERT_NE(nullptr, right);
  EXPECT_EQ(&frame_.document, right->GetDocument());
  EXPECT_EQ(frame_.Handle(), right->Frame());
  EXPECT_EQ(StaticSplitter::kFirstPaneId + 1, GetDlgCtrlID(right->Handle()));
  // The new view fills its pane and is painted at once.
  RECT pane = {};
  GetClientRect(right->Handle(), &pane);
  EXPECT_GT(pane.right, 0);
  EXPECT_TRUE(IsWindowVisible(right->Handle()));

  frame_.document.UpdateAllViews();
  EXPECT_EQ(2, static_cast<CountingView*>(right)->updates);  // initial update + this one
}

TEST_F(FrameTest, DisabledCommandIsRefusedFromEverySourceAndRunsOnceAllowed) {
  // A posted WM_COMMAND, as any program could send it.
  PostMessageA(frame_.Handle(), WM_COMMAND, ID_TUNEUP_START, 0);
  PumpFor(50);
  // The tool bar's own command message.
  SendMessageA(frame_.Handle(), WM_COMMAND, MAKEWPARAM(ID_TUNEUP_START, BN_CLICKED),
               reinterpret_cast<LPARAM>(frame_.ToolBar()));
  // The accelerator Ctrl+S, through the message loop's translation.
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  HWND focus = frame_.Panes().GetPane(0, 0)->Handle();
  MSG key = {focus, WM_KEYDOWN, 'S', 0x001F0001, 0, {0, 0}};
  EXPECT_TRUE(PreTranslateMessage(&frame_, key));
  PumpFor(20);
  EXPECT_EQ(0, frame_.document.starts);

  // Idle updates grey the button; the rule allows it later.
  frame_.OnIdle();
  EXPECT_FALSE(SendMessageA(frame_.ToolBar(), TB_ISBUTTONENABLED, ID_TUNEUP_START, 0));
  EXPECT_TRUE(SendMessageA(frame_.ToolBar(), TB_ISBUTTONENABLED, ID_TUNEUP_STOP, 0));
  frame_.document.startAllowed = true;
  frame_.OnIdle();
  EXPECT_TRUE(SendMessageA(frame_.ToolBar(), TB_ISBUTTONENABLED, ID_TUNEUP_START, 0));
  EXPECT_TRUE(PreTranslateMessage(&frame_, key));
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  EXPECT_EQ(1, frame_.document.starts);
}

TEST_F(FrameTest, MenusGreyWhatIsDisabledOrUnhandledAndShowPrompts) {
  HMENU menu = GetMenu(frame_.Handle());
  HMENU tuneUp = GetSubMenu(menu, 0);
  HMENU tools = GetSubMenu(menu, 2);
  SendMessageA(frame_.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(tuneUp), 0);
  SendMessageA(frame_.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(tools), 2);
  EXPECT_TRUE(GetMenuState(tuneUp, ID_TUNEUP_START, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(tuneUp, ID_TUNEUP_STOP, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(tuneUp, ID_APP_EXIT, MF_BYCOMMAND) & MF_GRAYED);
  // Nobody in this frame handles the wizard: greyed, and refused when posted.
  EXPECT_TRUE(GetMenuState(tools, ID_TOOLS_CONFIG_WIZARD, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(frame_.ExecuteCommand(ID_TOOLS_CONFIG_WIZARD));

  char text[256] = {};
  SendMessageA(frame_.Handle(), WM_MENUSELECT, MAKEWPARAM(ID_TUNEUP_START, MF_STRING),
               reinterpret_cast<LPARAM>(tuneUp));
  SendMessageA(frame_.StatusBar(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ("Start a new tune-up session", text);
  SendMessageA(frame_.Handle(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  SendMessageA(frame_.StatusBar(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ("Ready", text);

  // The indicators follow the keys' toggle states.
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  const BYTE capsBefore = keys[VK_CAPITAL];
  keys[VK_CAPITAL] = 1;
  keys[VK_NUMLOCK] = 0;
  SetKeyboardState(keys);
  frame_.OnIdle();
  SendMessageA(frame_.StatusBar(), SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ("CAP", text);
  text[0] = '\0';
  SendMessageA(frame_.StatusBar(), SB_GETTEXTA, 2, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ("", text);
  keys[VK_CAPITAL] = capsBefore;
  SetKeyboardState(keys);

  // The tip is the text after the line break.
  NMTTDISPINFOA tip = {};
  tip.hdr.hwndFrom = frame_.ToolBar();
  tip.hdr.idFrom = ID_TUNEUP_STOP;
  tip.hdr.code = TTN_GETDISPINFOA;
  SendMessageA(frame_.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
  ASSERT_NE(nullptr, tip.lpszText);
  EXPECT_STREQ("Stop tune-up", tip.lpszText);
}

TEST_F(FrameTest, NextPaneMovesTheFocusBetweenPanesBothWays) {
  StaticSplitter& panes = frame_.Panes();
  SetForegroundWindow(frame_.Handle());
  SetFocus(panes.GetPane(0, 0)->Handle());
  ASSERT_TRUE(frame_.ExecuteCommand(FrameWindow::kNextPaneCommand));
  EXPECT_EQ(panes.GetPane(0, 1), panes.ActivePane());
  ASSERT_TRUE(frame_.ExecuteCommand(FrameWindow::kPreviousPaneCommand));
  EXPECT_EQ(panes.GetPane(0, 0), panes.ActivePane());
}

TEST(ToolBarResourceTest, ProgramToolBarAndMalformedData) {
  ToolBarResource layout;
  ASSERT_TRUE(LoadToolBarResource(IDR_MAINFRAME, layout));
  EXPECT_EQ(16, layout.width);
  EXPECT_EQ(15, layout.height);
  ASSERT_EQ(2u, layout.commands.size());
  EXPECT_EQ(ID_TUNEUP_START, layout.commands[0]);
  EXPECT_EQ(ID_TUNEUP_STOP, layout.commands[1]);

  const WORD truncated[] = {1, 16, 15, 5, 32771};
  const DWORD wide[] = {16, 15, 2, 32771, 0};
  ASSERT_TRUE(ParseToolBarResource(wide, sizeof(wide), layout));
  EXPECT_EQ(0, layout.commands[1]);
  EXPECT_EQ(1, layout.ImageCount());
  EXPECT_FALSE(ParseToolBarResource(truncated, sizeof(truncated), layout));
  const WORD wrongVersion[] = {2, 16, 15, 0};
  EXPECT_FALSE(ParseToolBarResource(wrongVersion, sizeof(wrongVersion), layout));
  EXPECT_FALSE(ParseToolBarResource(nullptr, 0, layout));
}

// Pixels of a 24-bit DIB section.
HBITMAP MakeBitmap(int width, int height, void** bits) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

TEST(TransparentDrawTest, OnlyTheTransparentColourLetsTheBackgroundThrough) {
  for (COLORREF transparent : {RGB(255, 255, 255), RGB(255, 0, 0)}) {
    void* imageBits = nullptr;
    OwnedBitmap image(MakeBitmap(2, 2, &imageBits));
    auto* pixels = static_cast<DWORD*>(imageBits);
    const DWORD key = (GetRValue(transparent) << 16) | (GetGValue(transparent) << 8) | GetBValue(transparent);
    pixels[0] = key;        // transparent
    pixels[1] = 0x000000FF; // blue
    pixels[2] = 0x00000000; // black stays black
    pixels[3] = key;

    void* targetBits = nullptr;
    OwnedBitmap target(MakeBitmap(4, 4, &targetBits));
    auto* canvas = static_cast<DWORD*>(targetBits);
    for (int i = 0; i < 16; ++i) canvas[i] = 0x0000FF00;  // green
    MemoryDC dc(nullptr);
    SelectedObject selection(dc.Get(), target.Get());
    DrawTransparentBitmap(dc.Get(), 1, 1, image.Get(), transparent);
    GdiFlush();

    EXPECT_EQ(0x0000FF00u, canvas[1 * 4 + 1] & 0xFFFFFF);
    EXPECT_EQ(0x000000FFu, canvas[1 * 4 + 2] & 0xFFFFFF);
    EXPECT_EQ(0x00000000u, canvas[2 * 4 + 1] & 0xFFFFFF);
    EXPECT_EQ(0x0000FF00u, canvas[2 * 4 + 2] & 0xFFFFFF);
    EXPECT_EQ(0x0000FF00u, canvas[0] & 0xFFFFFF);  // outside the picture untouched
  }
}

class EndingDialog : public Dialog {
 public:
  EndingDialog() : Dialog(IDD_HIDDEN_WINDOW) {}
  int inits = 0;
  int destroys = 0;

 protected:
  bool OnInitDialog() override {
    ++inits;
    SetTimer(Handle(), 7, 1, nullptr);
    return true;
  }
  void OnTimer(UINT_PTR id) override {
    KillTimer(Handle(), id);
    if (IsModal()) End(42);
  }
  void OnDestroy() override { ++destroys; }
};

TEST(DialogTest, ModalEndsWithItsResultAndModelessGoesWithItsObject) {
  EndingDialog modal;
  EXPECT_EQ(42, modal.DoModal(nullptr));
  EXPECT_EQ(nullptr, modal.Handle());
  EXPECT_EQ(1, modal.destroys);

  HWND window = nullptr;
  {
    EndingDialog modeless;
    ASSERT_TRUE(modeless.CreateModeless(nullptr));
    window = modeless.Handle();
    EXPECT_FALSE(modeless.CreateModeless(nullptr));  // one window per object
    EXPECT_EQ(&modeless, Dialog::FromHandle(window));
    modeless.End(1);
    EXPECT_EQ(nullptr, modeless.Handle());
    EXPECT_FALSE(IsWindow(window));
    ASSERT_TRUE(modeless.CreateModeless(nullptr));  // and again, with a fresh init
    EXPECT_EQ(2, modeless.inits);
    window = modeless.Handle();
  }
  EXPECT_FALSE(IsWindow(window));

  Dialog missing(9999);
  EXPECT_EQ(-1, missing.DoModal(nullptr));
}

// A page that counts its inits and can refuse Next once.
class CountingPage : public WizardPage {
 public:
  CountingPage(int templateId, DWORD buttons) : WizardPage(templateId), buttons_(buttons) {}
  int inits = 0;
  int refusals = 0;
  bool finished = false;

 protected:
  bool OnInitDialog() override {
    ++inits;
    return true;
  }
  bool OnSetActive() override {
    SetWizardButtons(buttons_);
    return true;
  }
  int OnWizardNext() override {
    if (refusals-- > 0) return kStay;
    return 0;
  }
  bool OnWizardFinish() override {
    finished = true;
    return true;
  }

 private:
  DWORD buttons_;
};

// Steps run one by one from a thread timer while the wizard's modal loop runs.
std::vector<std::function<void()>>* g_steps = nullptr;
void CALLBACK RunNextStep(HWND, UINT, UINT_PTR timer, DWORD) {
  if (g_steps == nullptr || g_steps->empty()) {
    KillTimer(nullptr, timer);
    return;
  }
  std::function<void()> step = g_steps->front();
  g_steps->erase(g_steps->begin());
  step();
}

TEST(WizardSheetTest, PagesComeAndGoWhileItRunsAndNextCanBeRefused) {
  WizardSheet sheet("Configuration Wizard");
  CountingPage welcome(IDD_WIZARD_WELCOME, PSWIZB_NEXT);
  CountingPage type(IDD_WIZARD_TUNEUP_TYPE, PSWIZB_BACK | PSWIZB_NEXT);
  CountingPage last(IDD_WIZARD_WEB_ADDRESS, PSWIZB_BACK | PSWIZB_DISABLEDFINISH);
  ASSERT_TRUE(sheet.AddPage(&welcome));
  ASSERT_TRUE(sheet.AddPage(&type));
  EXPECT_FALSE(sheet.AddPage(&type));
  type.refusals = 1;

  bool finishWasDisabled = false;
  WizardPage* stayedOn = nullptr;
  int lastInitsBeforeReadd = 0;
  auto press = [&](int button) { SendMessageA(sheet.Handle(), PSM_PRESSBUTTON, button, 0); };
  std::vector<std::function<void()>> steps = {
      [&] { press(PSBTN_NEXT); },
      [&] { press(PSBTN_NEXT); },  // refused once
      [&] { stayedOn = sheet.ActivePage(); },
      [&] { ASSERT_TRUE(sheet.AddPage(&last)); },
      [&] { press(PSBTN_NEXT); },
      [&] {
        HWND finish = GetDlgItem(sheet.Handle(), 0x3025);
        finishWasDisabled = finish != nullptr && !IsWindowEnabled(finish);
        lastInitsBeforeReadd = last.inits;
      },
      [&] { press(PSBTN_BACK); },
      [&] {
        ASSERT_TRUE(sheet.RemovePage(&last));
        ASSERT_TRUE(sheet.AddPage(&last));
      },
      [&] { press(PSBTN_NEXT); },
      [&] { last.SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH); },
      [&] { press(PSBTN_FINISH); },
  };
  g_steps = &steps;
  const UINT_PTR timer = SetTimer(nullptr, 0, 60, &RunNextStep);
  const INT_PTR result = sheet.DoModal(nullptr);
  KillTimer(nullptr, timer);
  g_steps = nullptr;

  EXPECT_NE(-1, result);
  EXPECT_EQ(&type, stayedOn);
  EXPECT_EQ(1, lastInitsBeforeReadd);
  EXPECT_EQ(2, last.inits);  // a page added again gets a new window and a new init
  EXPECT_TRUE(finishWasDisabled);
  EXPECT_TRUE(last.finished);
  EXPECT_EQ(nullptr, last.Handle());
  EXPECT_EQ(nullptr, sheet.Handle());
  EXPECT_EQ(3, sheet.PageCount());
}

}  // namespace

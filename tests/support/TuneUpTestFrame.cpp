// The recording main frame and dial view of the tune-up tests.
#include "tests/support/TuneUpTestFrame.h"

#include <cstdio>
#include <cstdlib>
#include <map>

#include "engine/TestPlan.h"
#include "framework/TimeScale.h"
#include "settings/portable/OsFamily.h"

namespace {

constexpr UINT kAnimationMs = 2000;
constexpr UINT kAnimationNt4Ms = 2250;
constexpr UINT kWaitAfterAnimationMs = 3000;

std::map<UINT_PTR, TestDialView*>& PendingAnimations() {
  static std::map<UINT_PTR, TestDialView*> pending;
  return pending;
}

void Add(std::vector<std::string>& log, const std::string& line);

// With VELOTUNE_TRACE_FRAME set, every line is also written to stderr with its time.
void Trace(const std::string& line) {
  static const bool tracing = std::getenv("VELOTUNE_TRACE_FRAME") != nullptr;
  if (tracing) std::fprintf(stderr, "%8lu %s\n", GetTickCount(), line.c_str());
}

void Add(std::vector<std::string>& log, const std::string& line) {
  Trace(line);
  log.push_back(line);
}

}  // namespace

const char* PaneName(RightPane pane) {
  switch (pane) {
    case RightPane::Information: return "information";
    case RightPane::Dial: return "dial";
    case RightPane::Progress: return "progress";
    case RightPane::Result: return "result";
  }
  return "?";
}

TestDialView::TestDialView(std::vector<std::string>& log, int osFamily)
    : log_(log), osFamily_(osFamily) {}

TestDialView::~TestDialView() {
  if (animationTimer_ != 0) {
    KillTimer(nullptr, animationTimer_);
    PendingAnimations().erase(animationTimer_);
  }
}

void TestDialView::SetCaption(const std::string& text) {
  caption_ = text;
  Add(log_, "caption " + text);
}

void TestDialView::ShowStatus(IDialViewSource& engine, int status, const std::string& text) {
  engine_ = &engine;
  if (!text.empty()) statusLine_ = text;
  Add(log_, "status " + std::to_string(status) + " " + text);
  if (status == kDialStatusDialing) {
    caption_ = "Connecting to " + engine.ConnectionName();
    StartDialingAnimation();
  } else if (status == kDialStatusConnected) {
    StartConnectedAnimation();
  } else if (status == kDialStatusDisconnected) {
    if (animationTimer_ != 0) {
      KillTimer(nullptr, animationTimer_);
      PendingAnimations().erase(animationTimer_);
      animationTimer_ = 0;
    }
  }
}

void TestDialView::SetStatusText(const std::string& text) {
  statusLine_ = text;
  Add(log_, "text " + text);
}

void TestDialView::StartDialingAnimation() { Add(log_, "dialing animation"); }

void TestDialView::StartConnectedAnimation() {
  Add(log_, "connected animation");
  if (animationTimer_ != 0) return;
  UINT length = (osFamily_ == kOsWindowsNT4 ? kAnimationNt4Ms : kAnimationMs) +
                kWaitAfterAnimationMs;
  animationTimer_ = SetTimer(nullptr, 0, timescale::Scaled(length), &TestDialView::AnimationEnded);
  PendingAnimations()[animationTimer_] = this;
}

void CALLBACK TestDialView::AnimationEnded(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  auto found = PendingAnimations().find(timer);
  if (found == PendingAnimations().end()) return;
  TestDialView* view = found->second;
  PendingAnimations().erase(found);
  view->animationTimer_ = 0;
  if (view->engine_ != nullptr && !view->engine_->IsTrayMode()) {
    Add(view->log_, "connected notice");
    view->engine_->OnConnectedAnimationEnded();
  }
}

void TestDialView::ShowHungUpPictures(const std::string& text) {
  if (text == "HangUp") Add(log_, "hung-up pictures");
}

TestMainFrame::TestMainFrame(int osFamily) : osFamily_(osFamily) {}

void TestMainFrame::SwitchRightPane(RightPane pane) {
  pane_ = pane;
  view_.reset();
  if (pane == RightPane::Dial) view_ = std::make_unique<TestDialView>(log_, osFamily_);
  Add(log_, std::string("pane ") + PaneName(pane));
}

HWND TestMainFrame::ProgressViewWindow() {
  return pane_ == RightPane::Progress ? progress_.Handle() : nullptr;
}

void TestMainFrame::PrepareProgressView(const CTestPlan& plan) {
  Add(log_, "progress plan " + std::to_string(plan.Remaining()));
}

void TestMainFrame::ShowResultRequest(const TestRecord& request) {
  results_.push_back(request);
  Add(log_, "result " + std::to_string(request.kind) + ":" +
                 std::to_string(request.parameter));
}

void TestMainFrame::ShowInformationItem(int item) {
  Add(log_, "information " + std::to_string(item));
}

void TestMainFrame::SetTreeItemsNormal(bool normal) {
  treeNormal_ = normal;
  Add(log_, normal ? "tree normal" : "tree grey");
}

int TestMainFrame::ShowTrayIcon() {
  ++trayIcons_;
  Add(log_, "tray icon");
  return 0;
}

void TestMainFrame::HideWindow() { Add(log_, "hide window"); }

std::vector<std::string> TestMainFrame::LogStartingWith(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& line : log_) {
    if (line.compare(0, prefix.size(), prefix) == 0) found.push_back(line);
  }
  return found;
}

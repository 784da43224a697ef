// Stand-ins for the main window's side of a tune-up: a frame that records
// which view fills the right pane, the left tree's look, the result request
// and the tray icon, with a dial view that records captions, status lines
// and pictures. Like the real view, the dial view is made anew on every
// switch to it and, after its connected animation (2 s, 2.25 s on NT 4) and
// the wait after it (3 s), both time-scaled, tells its engine that the
// connection is up unless the engine is in tray mode; a view replaced
// before then tells nobody.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "dialing/DialViewSeam.h"
#include "engine/MainFrameSeam.h"
#include "tests/support/MessageWindow.h"

class TestDialView : public IDialView {
 public:
  TestDialView(std::vector<std::string>& log, int osFamily);
  ~TestDialView() override;

  void SetCaption(const std::string& text) override;
  void ShowStatus(IDialViewSource& engine, int status, const std::string& text) override;
  void SetStatusText(const std::string& text) override;
  void StartDialingAnimation() override;
  void StartConnectedAnimation() override;
  void ShowHungUpPictures(const std::string& text) override;
  void Repaint() override {}

  const std::string& Caption() const { return caption_; }
  const std::string& StatusLine() const { return statusLine_; }

 private:
  static void CALLBACK AnimationEnded(HWND, UINT, UINT_PTR timer, DWORD);

  std::vector<std::string>& log_;
  int osFamily_;
  IDialViewSource* engine_ = nullptr;
  UINT_PTR animationTimer_ = 0;
  std::string caption_;
  std::string statusLine_;
};

class TestMainFrame : public IMainFrame {
 public:
  explicit TestMainFrame(int osFamily = 2);

  void SwitchRightPane(RightPane pane) override;
  RightPane CurrentRightPane() const override { return pane_; }
  IDialView* DialView() override { return view_.get(); }
  HWND ProgressViewWindow() override;
  void PrepareProgressView(const CTestPlan& plan) override;
  void ShowResultRequest(const TestRecord& request) override;
  void ShowInformationItem(int item) override;
  void SetTreeItemsNormal(bool normal) override;
  void RecalcLayout() override {}
  void Repaint() override {}
  int ShowTrayIcon() override;
  void HideWindow() override;
  HWND Window() const override { return nullptr; }

  // Every switch, status line and caption, in order ("pane dial",
  // "status 0 Dialing...", "caption Connecting...", "tree normal", ...).
  const std::vector<std::string>& Log() const { return log_; }
  std::vector<std::string> LogStartingWith(const std::string& prefix) const;
  void ClearLog() { log_.clear(); }
  TestDialView* View() { return view_.get(); }
  MessageWindow& Progress() { return progress_; }
  bool TreeNormal() const { return treeNormal_; }
  int TrayIconShown() const { return trayIcons_; }
  const std::vector<TestRecord>& ResultRequests() const { return results_; }

 private:
  int osFamily_;
  RightPane pane_ = RightPane::Information;
  std::unique_ptr<TestDialView> view_;
  MessageWindow progress_;
  std::vector<std::string> log_;
  std::vector<TestRecord> results_;
  bool treeNormal_ = true;
  int trayIcons_ = 0;
};

// The pane names the log uses.
const char* PaneName(RightPane pane);

// CMainFrame: the program's main window - menu, tool bar in a rebar, status
// bar, and the split client area with the tree on the left and, on the
// right, the information page, dial view, progress view or result view the
// document asks for. It reopens where it was closed and is always titled
// "Velotune". While the tray dialer's icon exists, closing the window only
// hides it and the program lives on in the notification area.
#pragma once

#include <functional>
#include <memory>

#include "engine/MainFrameSeam.h"
#include "framework/FrameWindow.h"
#include "ui/TrayDialer.h"
#include "ui/ViewSplitter.h"

class Document;
class CLeftView;

class CMainFrame : public FrameWindow, public IMainFrame, public ITrayDialerOwner {
 public:
  CMainFrame() = default;
  ~CMainFrame() override;

  // The document behind the views and the application's commands; both
  // outlive the window.
  void SetDocument(Document* document) { document_ = document; }
  void SetApplication(CommandTarget* application) { application_ = application; }
  // Called first when the window closes (the document's stop of a running tune-up).
  void SetClosingHook(std::function<void()> hook) { closingHook_ = std::move(hook); }
  // The document's dial engine, for the tray dialer's dials.
  void SetDialEngine(IDialEngine* engine) { dialEngine_ = engine; }

  // Creates the window at its saved place (or the default) and shows it.
  bool CreateMainWindow(int showCommand);

  CViewSplitter& ViewSplitter() { return splitter_; }
  CLeftView* LeftView() const;

  CommandRoute Route() override;
  bool UpdateCommand(int id, CommandState& state) override;
  void RunCommand(int id) override;

  // IMainFrame
  void SwitchRightPane(RightPane pane) override;
  RightPane CurrentRightPane() const override { return rightPane_; }
  IDialView* DialView() override;
  HWND ProgressViewWindow() override;
  void PrepareProgressView(const CTestPlan& plan) override;
  void ShowResultRequest(const TestRecord& request) override;
  void ShowInformationItem(int item) override;
  void SetTreeItemsNormal(bool normal) override;
  void RecalcLayout() override;
  void Repaint() override;
  int ShowTrayIcon() override;
  void HideWindow() override;
  HWND Window() const override { return Handle(); }

  // The tray icon: 0, or 39 to 42 with the shown flag kept as it was.
  int HideTrayIcon();
  bool IsTrayIconShown() const { return trayIconShown_ != 0; }
  // The tray dialer, created on first use; null when it cannot be made.
  CTrayDialer* GetTrayDialer();

  // ITrayDialerOwner
  IDialEngine* TrayDialEngine() override { return dialEngine_; }
  HWND MainWindow() const override { return Handle(); }
  void RunMainCommand(int id) override { ExecuteCommand(id); }
  // Ends the program for good (the tray's "E&xit", Options without the
  // dialer): a running tune-up stops and a tray dial still dialing hangs
  // up, both restoring the user's values, then the window goes.
  void EndProgram() override;

 protected:
  bool OnCreate() override;
  StaticSplitter* Splitter() const override;
  void OnClose() override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool CreateClient();
  // Shows the tray icon as the "ShowVTDialer" option says.
  void ApplyShowDialerOption();
  // What every end of the program runs before the window goes.
  void StopBeforeEnd();

  CViewSplitter splitter_;
  Document* document_ = nullptr;
  CommandTarget* application_ = nullptr;
  std::function<void()> closingHook_;
  RightPane rightPane_ = RightPane::Information;
  IDialEngine* dialEngine_ = nullptr;
  std::unique_ptr<CTrayDialer> trayDialer_;
  int trayIconShown_ = 0;
};

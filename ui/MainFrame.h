// CMainFrame: the program's main window - menu, tool bar in a rebar, status
// bar, and the split client area with the tree on the left and, on the
// right, the information page, dial view, progress view or result view the
// document asks for. It reopens where it was closed and is always titled
// "Velotune".
#pragma once

#include <functional>

#include "engine/MainFrameSeam.h"
#include "framework/FrameWindow.h"
#include "ui/ViewSplitter.h"

class Document;
class CLeftView;

class CMainFrame : public FrameWindow, public IMainFrame {
 public:
  CMainFrame() = default;
  ~CMainFrame() override;

  // The document behind the views and the application's commands; both
  // outlive the window.
  void SetDocument(Document* document) { document_ = document; }
  void SetApplication(CommandTarget* application) { application_ = application; }
  // Called first when the window closes (the document's stop of a running tune-up).
  void SetClosingHook(std::function<void()> hook) { closingHook_ = std::move(hook); }

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
  void ShowTrayIcon() override;
  // Takes the tray dialer's icon away (the Options dialog's OK).
  void HideTrayIcon();
  void HideWindow() override;
  HWND Window() const override { return Handle(); }

 protected:
  bool OnCreate() override;
  StaticSplitter* Splitter() const override;
  void OnClose() override;
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool CreateClient();

  CViewSplitter splitter_;
  Document* document_ = nullptr;
  CommandTarget* application_ = nullptr;
  std::function<void()> closingHook_;
  RightPane rightPane_ = RightPane::Information;
};

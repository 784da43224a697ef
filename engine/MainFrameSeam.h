// IMainFrame: what the tune-up controller and the dial engine need of the
// main window - which view fills the right pane, the progress view it reports
// to, the result view's request, the left tree's look, repaints, the tray
// icon. The main frame implements it; tests use a recording stand-in.
#pragma once

#include <windows.h>

#include "engine/portable/TestRecord.h"

class CTestPlan;
class IDialView;

// The views of the right pane (row 0, column 1 of the splitter).
enum class RightPane { Information, Dial, Progress, Result };

class IMainFrame {
 public:
  virtual ~IMainFrame() = default;

  // Replaces the right pane's view by a new one of the kind and updates all views.
  virtual void SwitchRightPane(RightPane pane) = 0;
  // The kind of view the right pane shows now.
  virtual RightPane CurrentRightPane() const = 0;

  // The dial view while it fills the right pane, else null.
  virtual IDialView* DialView() = 0;
  // The progress view's window (the worker posts its progress there); null
  // while the progress view is not shown.
  virtual HWND ProgressViewWindow() = 0;
  // Prepares the progress view for a plan's speed tests.
  virtual void PrepareProgressView(const CTestPlan& plan) = 0;
  // Tells the result view which tune-up request to show.
  virtual void ShowResultRequest(const TestRecord& request) = 0;
  // Tells the information view which left-tree item it describes.
  virtual void ShowInformationItem(int item) = 0;

  // The left tree's items greyed (false) or normal (true).
  virtual void SetTreeItemsNormal(bool normal) = 0;
  // The splitter recalculates its layout and the main window is repainted.
  virtual void RecalcLayout() = 0;
  // Repaints the main window at once.
  virtual void Repaint() = 0;
  // Brings up the tray dialer's notification-area icon; 0 or the status code
  // of the failure (the icon then stays as it was).
  virtual int ShowTrayIcon() = 0;
  // Hides the main window when it is visible (a tray dial).
  virtual void HideWindow() = 0;
  // The main window (owner of the program's boxes and dialogs); may be null.
  virtual HWND Window() const = 0;
};

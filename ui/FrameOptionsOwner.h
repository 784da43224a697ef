// The main frame as the Options dialog's owner: its tray icon and its window.
#pragma once

#include "ui/MainFrame.h"
#include "ui/OptionsDlg.h"

class CFrameOptionsOwner : public IOptionsOwner {
 public:
  explicit CFrameOptionsOwner(CMainFrame& frame) : frame_(frame) {}

  void ShowTrayIcon() override { frame_.ShowTrayIcon(); }
  void HideTrayIcon() override { frame_.HideTrayIcon(); }
  HWND MainWindow() const override { return frame_.Handle(); }

 private:
  CMainFrame& frame_;
};

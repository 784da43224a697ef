// CVelotuneApp: the application - its start-up in order (first-start check,
// splash, sockets, the main window with its document and views, the first
// configuration, the backup of the user's TCP/IP values), the message loop,
// and the About command.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "framework/CommandTarget.h"
#include "ui/VelotuneDocument.h"
#include "ui/MainFrame.h"

class CVelotuneApp : public CommandTarget {
 public:
  CVelotuneApp();
  ~CVelotuneApp() override;

  CVelotuneApp(const CVelotuneApp&) = delete;
  CVelotuneApp& operator=(const CVelotuneApp&) = delete;

  int OsFamily() const { return osFamily_; }
  CMainFrame& MainFrame() { return frame_; }

  // Runs on the first start, modally over the shown main window.
  void SetFirstRunWizard(std::function<void(HWND)> wizard) { firstRunWizard_ = std::move(wizard); }

  // Start-up; false when the program must end at once.
  bool InitInstance(int showCommand);
  // The message loop until the main window is gone; the exit code.
  int Run();

  bool UpdateCommand(int id, CommandState& state) override;
  void RunCommand(int id) override;

 private:
  void ShowSplash();
  bool StartSockets();
  static void CreateFrameworkKey();
  void BackUpUserValuesOnce();

  int osFamily_;
  bool firstRun_ = false;
  bool socketsStarted_ = false;
  std::function<void(HWND)> firstRunWizard_;
  // The document outlives the frame, whose views are attached to it.
  std::unique_ptr<CVelotuneDocument> document_;
  CMainFrame frame_;
};

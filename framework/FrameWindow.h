// The main frame of a document/view program: menu, accelerators, a flat tool
// bar in a rebar band, a status bar with a message pane and the CAP, NUM and
// SCRL indicators, and the client window between the bars.
//
// Every command (menu, accelerator, tool bar button, posted WM_COMMAND) goes
// through the route the subclass gives (frame, active view, document,
// application) and its update rules; menus ask those rules when they open and
// tool bar buttons on idle. Prompts come from the string table: the text
// before "\n" in the status bar while a menu item or button is pointed at,
// the text after it as the button's tip.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/CommandTarget.h"
#include "framework/Window.h"

class StaticSplitter;

class FrameWindow : public Window, public CommandTarget {
 public:
  // Commands the frame itself handles.
  static constexpr int kExitCommand = 57665;
  static constexpr int kNextPaneCommand = 57680;
  static constexpr int kPreviousPaneCommand = 57681;
  // The status bar's idle text.
  static constexpr int kIdleMessageString = 57345;

  FrameWindow() = default;
  ~FrameWindow() override;

  // Registers the frame class and creates the window with menu `menuId` and
  // accelerators `acceleratorsId` of the program's resources.
  bool CreateFrame(const char* className, const std::string& title, DWORD style, const RECT& rect,
                   int menuId, int acceleratorsId, HICON icon, HICON smallIcon);

  HACCEL Accelerators() const { return accelerators_; }
  HWND ToolBar() const { return toolBar_; }
  HWND ReBar() const { return reBar_; }
  HWND StatusBar() const { return statusBar_; }

  // The route of every command; the default is the frame alone.
  virtual CommandRoute Route();
  // Runs a command through the route; false when refused.
  bool ExecuteCommand(int id);
  // Refreshes the tool bar buttons and the key indicators.
  virtual void OnIdle();
  // Puts a text into the status bar's message pane.
  void SetMessageText(const std::string& text);
  // The idle text: string 57345, "Ready" without it.
  std::string IdleMessage() const;

  bool UpdateCommand(int id, CommandState& state) override;
  void RunCommand(int id) override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // WM_CREATE: make bars and client here; false fails the creation.
  virtual bool OnCreate() { return true; }
  // The splitter between the bars, if any (pane switching, layout).
  virtual StaticSplitter* Splitter() const { return nullptr; }
  // WM_CLOSE; the default destroys the window.
  virtual void OnClose();

  // Bars, for OnCreate.
  bool CreateToolBarInReBar(int toolBarId, int bitmapId);
  bool CreateStatusBar();

  // Fits the bars and the client window to the frame.
  void RecalcLayout();
  // Asks the update rules of the tool bar's buttons now; idle time also does,
  // but a long command or a modal loop leaves no idle time in between.
  void UpdateToolBarButtons();

 private:
  void OnInitMenuPopup(HMENU menu);
  void OnMenuSelect(UINT item, UINT flags, HMENU menu);
  LRESULT OnNotify(NMHDR* header);
  void UpdateKeyIndicators();
  std::string PromptOf(int id, bool tip) const;

  HACCEL accelerators_ = nullptr;
  HMENU menu_ = nullptr;
  HWND toolBar_ = nullptr;
  HWND reBar_ = nullptr;
  HWND statusBar_ = nullptr;
  std::string tipBuffer_;
  std::vector<wchar_t> wideTipBuffer_;
};

// The frame of every lab client program: its scenario, log and ISP link,
// the windows it shows (classes registered on first use, buttons that log
// how they are pressed), one-shot steps after a delay, and the message loop.
//
// Every window of the program goes through one window procedure, which logs
// what the drivers do to it (mouse clicks with their points, keys with their
// targets, WM_CLOSE) and hands the rest to the program's hooks. Buttons are
// Windows' own, so they react to the space bar and the mouse as real ones do.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "sim/clients/common/ClientLink.h"
#include "sim/clients/common/ClientLog.h"
#include "sim/clients/common/ClientScenario.h"

class ClientProgram {
 public:
  // `name` is the program's name in the log and its section of the scenario.
  explicit ClientProgram(const std::string& name);
  virtual ~ClientProgram();

  ClientProgram(const ClientProgram&) = delete;
  ClientProgram& operator=(const ClientProgram&) = delete;

  // Logs the start, runs Start and the message loop until Quit.
  int Run();

 protected:
  virtual void Start() = 0;
  // A button of the program was pressed.
  virtual void OnButton(HWND /*button*/, const std::string& /*text*/) {}
  // WM_CLOSE reached one of the program's windows; by default the program ends.
  virtual void OnClose(HWND /*window*/) { Quit(); }
  // Any other message of the program's own windows; true when handled.
  virtual bool OnMessage(HWND /*window*/, UINT /*message*/, WPARAM /*wParam*/,
                         LPARAM /*lParam*/, LRESULT& /*result*/) {
    return false;
  }

  // A top-level window (owned by `owner`, if given).
  HWND TopLevel(const char* windowClass, const std::string& title, int width, int height,
                bool visible = true, HWND owner = nullptr);
  // A child window of any class; the program's own classes are registered on first use.
  HWND Child(HWND parent, const char* windowClass, const std::string& text, int x, int y,
             int width, int height, bool visible = true, DWORD extraStyle = 0);
  HWND Button(HWND parent, const std::string& text, int x, int y, int width = 90,
              int height = 24);
  HWND MdiClient(HWND frame);
  // A small window owned by `owner` that asks `question` with "&Yes" and "&No".
  HWND Question(const char* windowClass, const std::string& title, const std::string& question,
                HWND owner);

  // Runs `step` once after `delayMs` (already scaled; 0 runs it at the next turn).
  void After(UINT delayMs, std::function<void()> step);
  // Takes the link down, logs the end and leaves the message loop.
  void Quit();

  static std::string TextOf(HWND window);

  ClientScenario scenario_;
  ClientLog log_;
  ClientLink link_;

 private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam);
  static LRESULT CALLBACK ButtonProcedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam);
  void RegisterOwnClass(const char* windowClass);
  bool LogInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const;
  void RunStep(UINT_PTR id);

  HWND steps_ = nullptr;
  UINT_PTR nextStep_ = 0;
  std::map<UINT_PTR, std::function<void()>> pending_;
  bool quitting_ = false;
};

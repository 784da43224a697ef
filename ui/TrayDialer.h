// CTrayDialer: the one-click dialer in the notification area. A hidden
// top-level dialog that is never shown owns the icon, hears the clicks on it
// and the commands of its menus, and hands every dial and hang-up to the dial
// engine, which puts the tuned values into the registry only for the
// connections it makes from here. A left click dials the default connection
// (or hangs up the one it made, or offers the configured connections); a
// right click opens the gradient menu with the program's commands. The main
// frame creates it on first use and owns it.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "framework/GdiObjects.h"

class IDialEngine;

// What the tray dialer needs of the main window.
class ITrayDialerOwner {
 public:
  virtual ~ITrayDialerOwner() = default;
  // The document's dial engine; null when there is none.
  virtual IDialEngine* TrayDialEngine() = 0;
  virtual HWND MainWindow() const = 0;
  // Runs one of the main window's commands through its own route (the
  // configuration wizard, Options, stopping a tune-up); refused ones do nothing.
  virtual void RunMainCommand(int id) = 0;
  // Ends the program: a running tune-up and a tray dial still dialing are
  // ended first, so that no tuned value stays behind.
  virtual void EndProgram() = 0;
};

// One dynamic item of the provider menus.
struct DialToEntry {
  int providerKind = 0;
  std::string name;
};

class CTrayDialer : public Dialog {
 public:
  static constexpr UINT kIconId = 142;
  static constexpr UINT kFirstDialToId = 60001;

  explicit CTrayDialer(ITrayDialerOwner& owner);
  ~CTrayDialer() override;

  // Creates the hidden window (42), loads the icon (40) and adds it (39); 0 on success.
  int AddIcon();
  // Removes the icon; 41 when the shell refuses.
  int DeleteIcon();
  // The dial engine's tray hang-up; also the dial status dialog's "&Hang Up".
  int HangUp();

  // The entries of the provider menu last built, in command-id order.
  const std::vector<DialToEntry>& Entries() const { return entries_; }

 protected:
  bool OnInitDialog() override;
  bool OnCommand(int id, int notifyCode, HWND control) override;
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  // --- Clicks and dials (TrayDialer.cpp) ----------------------------------------------
  void OnIconMouse(UINT mouseMessage);
  void OnLeftClick();
  bool IsBusy() const { return dialingSnapshot_ || connectedSnapshot_; }
  void DefaultDial();
  void Dial(int providerKind, const std::string& name);
  void ChooseEntry(int commandId);
  void HangUpCommand();
  void ToggleMainWindow();
  void ShowMessage(const std::string& text);

  // --- Menus (TrayDialerMenus.cpp) -------------------------------------------------------
  // Fills `parent` with the "Dial To" submenus and the NetZero item.
  void AppendProviderEntries(HMENU parent);
  // One submenu of `title` holding `names` of `kind`; nothing when there are none.
  void AppendProviderList(HMENU parent, int kind, const std::vector<std::string>& names,
                          const char* title);
  void ShowPlainProviderMenu();
  void ShowTrayMenu();
  HMENU BuildTrayMenu();

  ITrayDialerOwner& owner_;
  bool windowCreated_ = false;
  bool iconAdded_ = false;
  // Set while a click or command is being handled: the menus, the dialogs
  // and the engine's hang-up pump messages, and a click arriving meanwhile
  // would dial or hang up in the middle of it.
  bool handling_ = false;
  OwnedIcon icon_;
  NOTIFYICONDATAA record_ = {};
  UINT taskbarCreated_ = 0;
  bool dialingSnapshot_ = false;
  bool connectedSnapshot_ = false;
  UINT nextCommandId_ = kFirstDialToId - 1;
  std::vector<DialToEntry> entries_;
};

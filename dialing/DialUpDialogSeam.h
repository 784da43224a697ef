// The tray dialer's dial status dialog as the dial engine uses it: created on
// the first tray dial of a dial-up kind through a factory, given the provider
// and name, shown statuses, enabled or disabled; it tells the engine when it
// has closed and with which result.
#pragma once

#include <memory>
#include <string>

// What the dialog calls on the engine that created it.
class IDialUpDialogOwner {
 public:
  virtual ~IDialUpDialogOwner() = default;
  // "&Dial" pressed: a tray dial of the dialog's provider and name.
  virtual int TrayDial(int providerKind, const std::string& connectionName) = 0;
  // The dialog's window is gone (Close or Cancel), with its result. The
  // engine forgets the dialog and destroys the object later, never inside
  // this call.
  virtual void OnDialUpDialogClosed(int result) = 0;
};

class IDialUpDialog {
 public:
  virtual ~IDialUpDialog() = default;
  virtual void SetProviderAndName(int providerKind, const std::string& connectionName) = 0;
  // A non-empty text goes into status line 1081; then by value (dialing,
  // a RAS state, connected, anything else = disconnected or failed).
  virtual void ShowStatus(int status, const std::string& text) = 0;
  // true: "&Dial" enabled, "&Hang Up" disabled; false: the other way round.
  virtual void Enable(bool dialEnabled) = 0;
};

class IDialUpDialogFactory {
 public:
  virtual ~IDialUpDialogFactory() = default;
  // Creates, shows and brings to the foreground a new dialog; null on failure.
  virtual std::unique_ptr<IDialUpDialog> Create(IDialUpDialogOwner& owner) = 0;
};

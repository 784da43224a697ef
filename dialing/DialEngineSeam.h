// IDialEngine: the dial engine as the tune-up controller and the tray dialer
// use it. CDialHiddenDlg implements it; controller tests use a stand-in.
#pragma once

#include <string>

class IDialEngine {
 public:
  virtual ~IDialEngine() = default;
  // Tune-up mode: the kind and name are read from the settings and the
  // profile; `restart` matters only for NetZero. 0 when dialing has begun
  // (the outcome arrives later); otherwise a status code already shown
  // (13: no provider or profile configured).
  virtual int Dial(int providerKind, const std::string& connectionName, bool restart) = 0;
  // Tears the connection down; `statusText` is shown as the final line (empty:
  // the engine's own); `closeClient` asks the AT&T WorldNet client to close
  // its windows too.
  virtual int Disconnect(const std::string& statusText, bool closeClient) = 0;
  // A tray dial of the kind and connection (the tuned values apply only to it).
  virtual int TrayDial(int providerKind, const std::string& connectionName) = 0;
  virtual int TrayHangUp() = 0;

  virtual bool IsDialing() const = 0;
  virtual bool IsConnected() const = 0;
  virtual bool IsTrayMode() const = 0;
};

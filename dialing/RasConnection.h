// CRasConnection: dials a phone-book entry through Remote Access Service with
// the user name and password of the program's dial-up profile, reports every
// connection state to a window as WM_RASDIALEVENT, hangs up and waits for the
// port to close, tells whether a RAS connection is up, counts redials and
// turns a connection state into text. rasapi32.dll is loaded at run time, so
// the program starts on systems without Dial-Up Networking.
#pragma once

#include <windows.h>

#include <string>

#include "framework/LoadedModule.h"
#include "framework/RasLayouts.h"
#include "settings/DialUpProfile.h"

class CRasConnection {
 public:
  // Copies the profile record and loads rasapi32.dll; a failed load is
  // retried by Dial.
  explicit CRasConnection(const CDialUpProfile& profile);
  virtual ~CRasConnection() = default;

  CRasConnection(const CRasConnection&) = delete;
  CRasConnection& operator=(const CRasConnection&) = delete;

  // 0, or 2 when rasapi32.dll cannot be loaded.
  int Load();

  // Starts dialing `entryName`, or the provider's default profile when it is
  // empty; progress arrives at `window` as WM_RASDIALEVENT. 0 when the dial
  // is under way; 2, 13, 60, 51 (port held by another program) or 1.
  int Dial(int providerKind, HWND window, const std::string& entryName);
  // Counts a redial and dials `entryName` again (the last provider's
  // default profile when it is empty).
  int Redial(const std::string& entryName = std::string());

  // Hangs up and waits (bounded) until the port has closed: 0; 1 when there
  // is no connection or no RasHangUpA; 4 when RAS refuses.
  int HangUp();

  // 11 when a RAS connection (of any entry) is up, 12 when none is, 3 when
  // RAS cannot tell.
  int CheckConnection();

  // The text of a connection state; "Connected" also resets the redial count.
  std::string StateText(int state);

  int RedialCount() const { return redialCount_; }
  void ResetRedialCount() { redialCount_ = 0; }

  // The connection being dialled or up; null when there is none.
  ras::ConnectionHandle Connection() const { return connection_; }
  bool IsLoaded() const { return module_.IsLoaded(); }

  // The window the RAS callback posts to (one per process).
  static HWND NotificationWindow();

 private:
  // A function of the loaded library; null (with the last error set) when
  // it or the library is missing.
  template <typename Function>
  Function RasFunction(const char* name) const;
  // Fetches RAS's text of an error, which this layer does not show.
  void FetchErrorText(DWORD error) const;
  void WaitForPortToClose(ras::RasGetConnectStatusFunction getConnectStatus) const;

  static VOID WINAPI DialCallback(UINT message, DWORD state, DWORD error);

  LoadedModule module_;
  ras::ConnectionHandle connection_ = nullptr;
  CDialUpProfile profile_;
  int redialCount_ = 0;
  int lastKind_ = 0;
};

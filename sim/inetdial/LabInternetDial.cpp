// The lab's Internet dial: InternetDialA and InternetHangUp as Windows'
// WinINet would run them with the lab's RAS, for the program to use through
// VELOTUNE_INTERNET_DIAL (Wine's own InternetDial reports success without
// dialing). The dial shows the system's dial-up dialog of the running family,
// waits for the user (or the program) to fill in the user name and password
// and to press its button, dials the entry through rasapi32.dll while the
// dialog shows the progress, and ends when the connection is up or when the
// dialog is cancelled (631). A failed dial leaves the dialog open with its
// button enabled again, as Windows does.
#include <windows.h>

#include <string>

#include "framework/LoadedModule.h"
#include "framework/RasLayouts.h"
#include "framework/TimeScale.h"
#include "settings/portable/OsFamily.h"
#include "sim/inetdial/LabDialIds.h"
#include "sim/link/TcpipInEffect.h"

namespace {

// The message RAS posts to a window notifier.
constexpr UINT kRasDialEvent = 0xCCCD;
constexpr DWORD kWindowNotifier = 0xFFFFFFFF;
constexpr DWORD kPortClosePollMs = 100;
constexpr int kPortClosePolls = 100;
constexpr INT_PTR kConnected = 100;

// rasapi32.dll, loaded on first use and kept for the life of the process.
struct Ras {
  LoadedModule module{"rasapi32.dll"};
  ras::RasDialFunction dial = module.Proc<ras::RasDialFunction>("RasDialA");
  ras::RasHangUpFunction hangUp = module.Proc<ras::RasHangUpFunction>("RasHangUpA");
  ras::RasGetConnectStatusFunction status =
      module.Proc<ras::RasGetConnectStatusFunction>("RasGetConnectStatusA");
  ras::RasGetErrorStringFunction errorString =
      module.Proc<ras::RasGetErrorStringFunction>("RasGetErrorStringA");

  static Ras& Get() {
    static Ras* ras = new Ras();  // never freed: callbacks may still be on their way
    return *ras;
  }
};

// One Internet dial: the entry, what the user typed and the RAS connection.
struct DialSession {
  std::string entry;
  std::string userName;
  std::string password;
  ras::ConnectionHandle connection = nullptr;
  bool dialing = false;
};

HMODULE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&ThisModule), &module);
  return module;
}

std::string ItemText(HWND dialog, int id) {
  char text[ras::kMaxUserName + 1] = {};
  GetDlgItemTextA(dialog, id, text, sizeof(text));
  return text;
}

std::string ErrorText(DWORD error) {
  char text[256] = {};
  Ras& ras = Ras::Get();
  if (ras.errorString == nullptr || ras.errorString(error, text, sizeof(text)) != 0) {
    return "Error " + std::to_string(error) + ".";
  }
  return text;
}

std::string ProgressText(DWORD state) {
  if (state <= 2) return "Dialing...";
  if (state <= 6) return "Verifying user name and password...";
  if (state == ras::kStateConnected) return "Connected.";
  return "Logging on to network...";
}

// Hangs up and waits until RAS has closed the port, so that the next dial finds it free.
DWORD Release(ras::ConnectionHandle connection) {
  Ras& ras = Ras::Get();
  if (connection == nullptr || ras.hangUp == nullptr) return ERROR_INVALID_HANDLE;
  DWORD result = ras.hangUp(connection);
  if (result != ERROR_SUCCESS || ras.status == nullptr) return result;
  for (int poll = 0; poll < kPortClosePolls; ++poll) {
    ras::ConnectionStatus status = {};
    status.size = sizeof(status);
    if (ras.status(connection, &status) == ERROR_INVALID_HANDLE) break;
    timescale::Sleep(kPortClosePollMs);
  }
  return ERROR_SUCCESS;
}

void ShowFailure(HWND dialog, DialSession& session, DWORD error) {
  Release(session.connection);
  session.connection = nullptr;
  session.dialing = false;
  SetDlgItemTextA(dialog, IDC_DIAL_STATUS, ErrorText(error).c_str());
}

void ReadLogin(HWND dialog, DialSession& session) {
  session.userName = ItemText(dialog, IDC_DIAL_USER);
  session.password = ItemText(dialog, IDC_DIAL_PASSWORD);
}

// Starts dialing with the session's login; progress arrives at the dialog as
// kRasDialEvent. False (with the failure shown) when RAS refuses at once.
bool StartDial(HWND dialog, DialSession& session) {
  ras::DialParams params = {};
  params.size = sizeof(params);
  lstrcpynA(params.entryName, session.entry.c_str(), sizeof(params.entryName));
  lstrcpynA(params.userName, session.userName.c_str(), sizeof(params.userName));
  lstrcpynA(params.password, session.password.c_str(), sizeof(params.password));
  Ras& ras = Ras::Get();
  session.connection = nullptr;
  session.dialing = true;
  SetDlgItemTextA(dialog, IDC_DIAL_STATUS, ProgressText(0).c_str());
  DWORD result = ras.dial == nullptr ? static_cast<DWORD>(ERROR_PROC_NOT_FOUND)
                                     : ras.dial(nullptr, nullptr, &params, kWindowNotifier,
                                                dialog, &session.connection);
  SecureZeroMemory(params.password, sizeof(params.password));
  if (result == ERROR_SUCCESS) return true;
  ShowFailure(dialog, session, result);
  return false;
}

// A state RAS reported: the dialog ends once the connection is up. A failure
// leaves the dialog's `retryButton` enabled for another try.
void OnRasEvent(HWND dialog, DialSession& session, WPARAM state, LPARAM error, int retryButton) {
  if (!session.dialing) return;
  const DWORD rasError = static_cast<DWORD>(error);
  if (rasError != 0 && rasError != ras::kPending) {
    ShowFailure(dialog, session, rasError);
    EnableWindow(GetDlgItem(dialog, retryButton), TRUE);
    return;
  }
  SetDlgItemTextA(dialog, IDC_DIAL_STATUS, ProgressText(static_cast<DWORD>(state)).c_str());
  if (state == ras::kStateConnected) EndDialog(dialog, kConnected);
}

void OnCancel(HWND dialog, DialSession& session) {
  if (session.connection != nullptr) Release(session.connection);
  session.connection = nullptr;
  session.dialing = false;
  EndDialog(dialog, IDCANCEL);
}

DialSession* SessionOf(HWND dialog) {
  return reinterpret_cast<DialSession*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

DialSession* Attach(HWND dialog, LPARAM session) {
  SetWindowLongPtrA(dialog, DWLP_USER, session);
  return reinterpret_cast<DialSession*>(session);
}

// Windows 95, 98 and Me: one dialog takes the login and shows the progress.
INT_PTR CALLBACK DialUpConnectionProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetDlgItemTextA(dialog, IDC_DIAL_ENTRY, Attach(dialog, lParam)->entry.c_str());
    return TRUE;
  }
  DialSession* session = SessionOf(dialog);
  if (session == nullptr) return FALSE;
  if (message == kRasDialEvent) {
    OnRasEvent(dialog, *session, wParam, lParam, IDOK);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  if (LOWORD(wParam) == IDOK && !session->dialing) {
    EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
    ReadLogin(dialog, *session);
    if (!StartDial(dialog, *session)) EnableWindow(GetDlgItem(dialog, IDOK), TRUE);
  } else if (LOWORD(wParam) == IDCANCEL) {
    OnCancel(dialog, *session);
  }
  return TRUE;
}

// The NT family, first: the login.
INT_PTR CALLBACK ConnectToProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    DialSession* session = Attach(dialog, lParam);
    SetDlgItemTextA(dialog, IDC_DIAL_ENTRY, ("Connect " + session->entry).c_str());
    return TRUE;
  }
  DialSession* session = SessionOf(dialog);
  if (session == nullptr || message != WM_COMMAND) return FALSE;
  if (LOWORD(wParam) == IDOK) ReadLogin(dialog, *session);
  if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
  return TRUE;
}

// The NT family, then: the progress window, which dials as it opens. After
// a failure its "&Details >>" button is enabled; Cancel goes back to the login.
INT_PTR CALLBACK ConnectingProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    DialSession* session = Attach(dialog, lParam);
    SetWindowTextA(dialog, ("Connecting to " + session->entry).c_str());
    if (!StartDial(dialog, *session)) EnableWindow(GetDlgItem(dialog, IDC_DIAL_DETAILS), TRUE);
    return TRUE;
  }
  DialSession* session = SessionOf(dialog);
  if (session == nullptr) return FALSE;
  if (message == kRasDialEvent) {
    OnRasEvent(dialog, *session, wParam, lParam, IDC_DIAL_DETAILS);
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) OnCancel(dialog, *session);
  return message == WM_COMMAND;
}

INT_PTR RunDialog(int id, HWND parent, DLGPROC procedure, DialSession& session) {
  return DialogBoxParamA(ThisModule(), MAKEINTRESOURCEA(id), parent, procedure,
                         reinterpret_cast<LPARAM>(&session));
}

// Windows 95, 98 and Me: the dialog ends connected or cancelled.
INT_PTR DialWindows9x(HWND parent, DialSession& session) {
  return RunDialog(IDD_DIALUP_CONNECTION, parent, &DialUpConnectionProc, session);
}

// The NT family: login, progress, and back to the login after a cancelled dial.
INT_PTR DialWindowsNt(HWND parent, DialSession& session) {
  for (;;) {
    INT_PTR login = RunDialog(IDD_CONNECT_TO, parent, &ConnectToProc, session);
    if (login != IDOK) return login;
    INT_PTR progress = RunDialog(IDD_CONNECTING, parent, &ConnectingProc, session);
    if (progress != IDCANCEL) return progress;
  }
}

}  // namespace

extern "C" DWORD WINAPI InternetDialA(HWND parent, LPSTR entryName, DWORD /*flags*/,
                                      DWORD_PTR* connection, DWORD /*reserved*/) {
  if (connection == nullptr) return ERROR_INVALID_PARAMETER;
  *connection = 0;
  DialSession session;
  if (entryName != nullptr) session.entry.assign(entryName, strnlen(entryName, ras::kMaxEntryName));
  INT_PTR result = IsNtFamily(RunningOsFamily()) ? DialWindowsNt(parent, session)
                                                 : DialWindows9x(parent, session);
  SecureZeroMemory(&session.password[0], session.password.size());
  if (result == -1) return GetLastError();
  if (result != kConnected) return ras::kUserDisconnection;
  *connection = reinterpret_cast<DWORD_PTR>(session.connection);
  return ERROR_SUCCESS;
}

extern "C" DWORD WINAPI InternetHangUp(DWORD_PTR connection, DWORD /*reserved*/) {
  if (connection == 0) return ERROR_INVALID_PARAMETER;
  return Release(reinterpret_cast<ras::ConnectionHandle>(connection));
}

// Dialing through Remote Access Service (see RasConnection.h).
#include "dialing/RasConnection.h"

#include <atomic>
#include <cstring>

#include "dialing/DialingMessages.h"
#include "dialing/portable/RasStates.h"
#include "engine/SystemErrorText.h"
#include "engine/portable/StatusCodes.h"
#include "framework/TimeScale.h"

namespace {

// The window RAS's own thread posts the connection states to.
std::atomic<HWND> g_notificationWindow{nullptr};

// Hang-up: RAS closes the port in the background; its handle turns invalid
// once it has. Polled every half second, at most 61 times.
constexpr DWORD kPortClosedPollMs = 500;
constexpr int kPortClosedLastPoll = 60;

// Any domain: the entry's own settings decide.
const char kAnyDomain[] = "*";

template <size_t Size>
void CopyText(char (&field)[Size], const std::string& text) {
  const size_t length = text.size() < Size - 1 ? text.size() : Size - 1;
  std::memcpy(field, text.data(), length);
  field[length] = '\0';
}

}  // namespace

CRasConnection::CRasConnection(const CDialUpProfile& profile) : profile_(profile) { Load(); }

int CRasConnection::Load() {
  if (!module_.IsLoaded()) module_ = LoadedModule("rasapi32.dll");
  return module_.IsLoaded() ? status::kOk : status::kRasLoadFailed;
}

HWND CRasConnection::NotificationWindow() { return g_notificationWindow.load(); }

template <typename Function>
Function CRasConnection::RasFunction(const char* name) const {
  if (!module_.IsLoaded()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return module_.Proc<Function>(name);
}

void CRasConnection::FetchErrorText(DWORD error) const {
  std::string text;
  RasErrorText(module_.Get(), error, text);
}

VOID WINAPI CRasConnection::DialCallback(UINT, DWORD state, DWORD error) {
  PostMessageA(g_notificationWindow.load(), WM_RASDIALEVENT, static_cast<WPARAM>(state),
               static_cast<LPARAM>(error));
}

int CRasConnection::Dial(int providerKind, HWND window, const std::string& entryName) {
  g_notificationWindow.store(window);
  profile_.SetKind(providerKind);
  if (!module_.IsLoaded() && Load() != status::kOk) return status::kRasLoadFailed;

  std::string entry = entryName;
  if (entry.empty() && (profile_.GetDefaultProfile(entry) != status::kOk || entry.empty())) {
    return status::kNoDefaultProfile;
  }
  lastKind_ = providerKind;
  profile_.SetKind(providerKind);

  std::string login;
  std::string password;
  if (profile_.GetLoginPassword(entry, login, password) != status::kOk) {
    return status::kDialInfoUnavailable;
  }

  auto rasDial = RasFunction<ras::RasDialFunction>("RasDialA");
  if (rasDial == nullptr) {
    FetchErrorText(GetLastError());
    return status::kRasError;
  }

  ras::DialParams params = {};
  params.size = sizeof(params);
  CopyText(params.entryName, entry);
  CopyText(params.userName, login);
  CopyText(params.password, password);
  CopyText(params.domain, kAnyDomain);

  connection_ = nullptr;
  DWORD result = rasDial(nullptr, nullptr, &params, ras::kNotifierType0,
                         reinterpret_cast<void*>(static_cast<ras::DialNotifier0>(&DialCallback)), &connection_);
  SecureZeroMemory(params.password, sizeof(params.password));
  password.assign(password.size(), '\0');

  if (result == ERROR_SUCCESS) return status::kOk;
  // A failed dial may still have been given a handle, which holds the port
  // until it is hung up.
  HangUp();
  return result == ras::kPortAlreadyOpen ? status::kPortInUse : status::kRasError;
}

int CRasConnection::Redial(const std::string& entryName) {
  ++redialCount_;
  return Dial(lastKind_, g_notificationWindow.load(), entryName);
}

int CRasConnection::HangUp() {
  if (connection_ == nullptr) return status::kRasError;
  auto hangUp = RasFunction<ras::RasHangUpFunction>("RasHangUpA");
  if (hangUp == nullptr) {
    ShowSystemError(GetLastError());
    return status::kRasError;
  }
  DWORD result = hangUp(connection_);
  if (result != ERROR_SUCCESS) {
    FetchErrorText(result);
    return status::kHangUpFailed;
  }
  WaitForPortToClose(RasFunction<ras::RasGetConnectStatusFunction>("RasGetConnectStatusA"));
  connection_ = nullptr;
  return status::kOk;
}

void CRasConnection::WaitForPortToClose(
    ras::RasGetConnectStatusFunction getConnectStatus) const {
  if (getConnectStatus == nullptr) return;
  for (int poll = 0; poll <= kPortClosedLastPoll; ++poll) {
    ras::ConnectionStatus connectionStatus = {};
    connectionStatus.size = sizeof(connectionStatus);
    if (getConnectStatus(connection_, &connectionStatus) == ERROR_INVALID_HANDLE) return;
    timescale::Sleep(kPortClosedPollMs);
  }
}

int CRasConnection::CheckConnection() {
  auto enumConnections = RasFunction<ras::RasEnumConnectionsFunction>("RasEnumConnectionsA");
  if (enumConnections == nullptr) {
    ShowSystemError(GetLastError());
    return status::kDialError;
  }
  ras::Connection connection = {};
  connection.size = sizeof(connection);
  DWORD bytes = sizeof(connection);
  DWORD count = 0;
  DWORD result = enumConnections(&connection, &bytes, &count);
  if (result != ERROR_SUCCESS) {
    FetchErrorText(result);
    return status::kDialError;
  }
  return connection.entryName[0] == '\0' ? status::kConnectionLost : status::kConnectionAlive;
}

std::string CRasConnection::StateText(int state) {
  if (state == rasstate::kConnected) redialCount_ = 0;
  return RasStateText(state);
}

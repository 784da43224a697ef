// The lab's connections (see LabConnections.h).
#include "sim/ras/LabConnections.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "dialing/portable/RasStates.h"
#include "framework/RasLayouts.h"
#include "framework/TimeScale.h"
#include "sim/link/IspLink.h"
#include "sim/link/TcpipInEffect.h"
#include "sim/ras/EntryBehaviour.h"
#include "sim/ras/LabPhonebook.h"

namespace labras {
namespace {

// The message RAS passes to its notifiers.
constexpr UINT kRasDialEventMessage = 0xCCCD;
constexpr DWORD kWindowNotifier = 0xFFFFFFFF;
constexpr std::uintptr_t kHandleBase = 0x52A50000;
const char kDeviceType[] = "modem";

// Where a dial reports its states: a type-0 function, a window, or nobody
// (a synchronous dial).
struct Notifier {
  DWORD type = 0;
  void* target = nullptr;

  void Notify(DWORD state, DWORD error) const {
    if (target == nullptr) return;
    if (type == kWindowNotifier) {
      PostMessageA(static_cast<HWND>(target), kRasDialEventMessage, state, error);
    } else {
      reinterpret_cast<ras::DialNotifier0>(target)(kRasDialEventMessage, state, error);
    }
  }
};

struct Connection {
  DWORD id = 0;
  std::string entry;
  EntryBehaviour behaviour;
  std::vector<DialStep> script;
  Notifier notifier;
  HANDLE stop = nullptr;     // set by the hang-up
  HANDLE settled = nullptr;  // set when the dial has connected, failed or run out of steps
  // Guarded by the table's mutex.
  DWORD state = rasstate::kOpenPort;
  DWORD error = 0;
  bool connected = false;
  bool dropped = false;
  bool hangingUp = false;

  ~Connection() {
    if (stop != nullptr) CloseHandle(stop);
    if (settled != nullptr) CloseHandle(settled);
  }
  bool Live() const { return !hangingUp && !dropped && error == 0; }
};

using ConnectionPtr = std::shared_ptr<Connection>;

struct Table {
  std::mutex mutex;
  std::map<DWORD, ConnectionPtr> connections;
  std::map<std::string, int> dials;  // dials made of each entry, by lower-case name
  DWORD nextId = 1;
  DWORD linkOwner = 0;  // the connection whose link is up at the ISP
  // Held across a link-up or link-down request, so that the ISP hears them in
  // order and a hang-up returns only once the ISP has heard it, even when the
  // dial thread started taking the link down.
  std::mutex linkMutex;
};

Table& TheTable() {
  static Table* table = new Table();  // outlives every dial thread at process exit
  return *table;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// A text field of a caller's structure; false when it has no terminating zero.
template <size_t Size>
bool FieldText(const char (&field)[Size], std::string& text) {
  size_t length = strnlen(field, Size);
  if (length == Size) return false;
  text.assign(field, length);
  return true;
}

template <size_t Size>
void CopyField(char (&field)[Size], const std::string& text) {
  size_t length = std::min(text.size(), Size - 1);
  memcpy(field, text.data(), length);
  field[length] = '\0';
}

ras::ConnectionHandle HandleOf(DWORD id) {
  return reinterpret_cast<ras::ConnectionHandle>(kHandleBase + id);
}

ConnectionPtr FindLocked(Table& table, ras::ConnectionHandle handle) {
  std::uintptr_t value = reinterpret_cast<std::uintptr_t>(handle);
  if (value <= kHandleBase) return nullptr;
  auto found = table.connections.find(static_cast<DWORD>(value - kHandleBase));
  return found == table.connections.end() ? nullptr : found->second;
}

// True when the hang-up came first.
bool HungUpWithin(const Connection& connection, DWORD milliseconds) {
  DWORD wait = milliseconds == INFINITE ? INFINITE : timescale::Scaled(milliseconds);
  return WaitForSingleObject(connection.stop, wait) == WAIT_OBJECT_0;
}

void Report(Connection& connection, DWORD state, DWORD error) {
  {
    std::lock_guard<std::mutex> lock(TheTable().mutex);
    connection.state = state;
    connection.error = error;
  }
  connection.notifier.Notify(state, error);
}

// Brings the ISP's link up for the connection; false when the ISP does not answer.
bool LinkUp(Connection& connection) {
  const std::string isp = LabIspAddress();
  if (isp.empty()) return true;  // a lab without an ISP: the line carries nothing
  std::lock_guard<std::mutex> linkChange(TheTable().linkMutex);
  if (!BringLinkUp(isp, ReadTcpipInEffect(RunningOsFamily()), connection.behaviour.speed)) {
    return false;
  }
  std::lock_guard<std::mutex> lock(TheTable().mutex);
  TheTable().linkOwner = connection.id;
  return true;
}

void LinkDown(const Connection& connection) {
  std::lock_guard<std::mutex> linkChange(TheTable().linkMutex);
  {
    std::lock_guard<std::mutex> lock(TheTable().mutex);
    if (TheTable().linkOwner != connection.id) return;
  }
  const std::string isp = LabIspAddress();
  if (!isp.empty()) TakeLinkDown(isp);
  std::lock_guard<std::mutex> lock(TheTable().mutex);
  if (TheTable().linkOwner == connection.id) TheTable().linkOwner = 0;
}

// Plays the script; true when the connection came up.
bool PlayScript(Connection& connection) {
  for (const DialStep& step : connection.script) {
    if (HungUpWithin(connection, step.delayMs)) return false;
    const bool connects = step.state == static_cast<unsigned>(rasstate::kConnected) &&
                          step.error == 0;
    if (connects && !LinkUp(connection)) {
      Report(connection, rasstate::kAuthProject, ras::kPppTimeout);
      return false;
    }
    if (connects) {
      {
        std::lock_guard<std::mutex> lock(TheTable().mutex);
        connection.connected = true;
      }
      Report(connection, step.state, 0);
      return true;
    }
    Report(connection, step.state, step.error);
    if (step.error != 0) return false;
  }
  return false;
}

void HoldLine(Connection& connection) {
  const DWORD dropAfter = connection.behaviour.dropAfterMs;
  if (dropAfter == 0 || HungUpWithin(connection, dropAfter)) return;
  LinkDown(connection);
  {
    std::lock_guard<std::mutex> lock(TheTable().mutex);
    connection.dropped = true;
    connection.connected = false;
  }
  Report(connection, rasstate::kDisconnected, connection.behaviour.dropError);
}

void RunConnection(const ConnectionPtr& connection) {
  const bool connected = PlayScript(*connection);
  SetEvent(connection->settled);
  if (connected) HoldLine(*connection);
  HungUpWithin(*connection, INFINITE);
  LinkDown(*connection);
  timescale::Sleep(connection->behaviour.portCloseMs);
  std::lock_guard<std::mutex> lock(TheTable().mutex);
  TheTable().connections.erase(connection->id);
}

DWORD WINAPI ConnectionThread(void* parameter) {
  std::unique_ptr<ConnectionPtr> connection(static_cast<ConnectionPtr*>(parameter));
  // The reference StartThread took on the library, released as the thread ends.
  HMODULE self = nullptr;
  GetModuleHandleExA(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCSTR>(&ConnectionThread), &self);
  try {
    RunConnection(*connection);
  } catch (...) {
    // Out of memory: the connection stays in the table until the process ends.
  }
  connection.reset();
  FreeLibraryAndExitThread(self, 0);
}

// The phone book the caller names, or the lab's.
bool LoadPhonebook(LPCSTR phonebook, LabPhonebook& book) {
  if (phonebook != nullptr) return book.Load(phonebook);
  book.Load(LabPhonebook::DefaultPath());
  return true;
}

bool DeviceInUseLocked(const Table& table, const std::string& device) {
  for (const auto& entry : table.connections) {
    if (Lower(entry.second->behaviour.device) == Lower(device)) return true;
  }
  return false;
}

// Starts the connection's thread, which keeps the library loaded while it runs.
bool StartThread(const ConnectionPtr& connection) {
  HMODULE self = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                          reinterpret_cast<LPCSTR>(&ConnectionThread), &self)) {
    return false;
  }
  auto* start = new ConnectionPtr(connection);
  HANDLE thread = CreateThread(nullptr, 0, &ConnectionThread, start, 0, nullptr);
  if (thread == nullptr) {
    delete start;
    FreeLibrary(self);
    return false;
  }
  CloseHandle(thread);
  return true;
}

}  // namespace

DWORD Dial(LPCSTR phonebook, const ras::DialParams& params, DWORD notifierType, void* notifier,
           ras::ConnectionHandle* handle) {
  if (notifier != nullptr && notifierType != ras::kNotifierType0 &&
      notifierType != kWindowNotifier) {
    return ERROR_INVALID_PARAMETER;
  }
  std::string entry, userName, password;
  if (!FieldText(params.entryName, entry) || !FieldText(params.userName, userName) ||
      !FieldText(params.password, password)) {
    return ERROR_INVALID_PARAMETER;
  }
  LabPhonebook book;
  if (!LoadPhonebook(phonebook, book)) return ras::kCannotOpenPhonebook;
  if (entry.empty() || !book.HasEntry(entry)) return ras::kCannotFindPhonebookEntry;

  auto connection = std::make_shared<Connection>();
  connection->entry = entry;
  connection->behaviour = ReadEntryBehaviour(book, entry);
  if (HoldsPortElsewhere(connection->behaviour)) return ras::kPortAlreadyOpen;
  connection->notifier.type = notifierType;
  connection->notifier.target = notifier;
  connection->stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  connection->settled = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (connection->stop == nullptr || connection->settled == nullptr) return ERROR_OUTOFMEMORY;

  Table& table = TheTable();
  {
    std::lock_guard<std::mutex> lock(table.mutex);
    if (DeviceInUseLocked(table, connection->behaviour.device)) return ras::kPortAlreadyOpen;
    const int dialNumber = ++table.dials[Lower(entry)];
    connection->behaviour.dropAfterMs = DropAfterMs(connection->behaviour, dialNumber);
    if (Answers602WithHandle(connection->behaviour)) {
      connection->error = ras::kPortAlreadyOpen;  // no script: it waits for its hang-up
    } else {
      connection->script = BuildDialScript(connection->behaviour, dialNumber, userName, password);
    }
    connection->id = table.nextId++;
    table.connections[connection->id] = connection;
  }
  *handle = HandleOf(connection->id);
  if (!StartThread(connection)) {
    std::lock_guard<std::mutex> lock(table.mutex);
    table.connections.erase(connection->id);
    *handle = nullptr;
    return ERROR_OUTOFMEMORY;
  }
  if (Answers602WithHandle(connection->behaviour)) return ras::kPortAlreadyOpen;
  if (notifier != nullptr) return ERROR_SUCCESS;
  // Without a notifier RAS dials synchronously: the outcome is the result.
  WaitForSingleObject(connection->settled, INFINITE);
  std::lock_guard<std::mutex> lock(table.mutex);
  if (connection->connected) return ERROR_SUCCESS;
  return connection->error != 0 ? connection->error : ras::kNoAnswer;
}

DWORD HangUp(ras::ConnectionHandle handle) {
  Table& table = TheTable();
  ConnectionPtr connection;
  {
    std::lock_guard<std::mutex> lock(table.mutex);
    connection = FindLocked(table, handle);
    if (connection == nullptr) return ERROR_INVALID_HANDLE;
    connection->hangingUp = true;
    SetEvent(connection->stop);
  }
  // The carrier is gone as soon as the modem hangs up, even if the program
  // ends before RAS has closed the port.
  LinkDown(*connection);
  return ERROR_SUCCESS;
}

DWORD ConnectStatus(ras::ConnectionHandle handle, ras::ConnectionStatus& status) {
  if (status.size != sizeof(ras::ConnectionStatus)) return ras::kInvalidSize;
  Table& table = TheTable();
  std::lock_guard<std::mutex> lock(table.mutex);
  ConnectionPtr connection = FindLocked(table, handle);
  if (connection == nullptr) return ERROR_INVALID_HANDLE;
  status.state = connection->hangingUp ? static_cast<DWORD>(rasstate::kDisconnected)
                                       : connection->state;
  status.error = connection->hangingUp ? 0 : connection->error;
  CopyField(status.deviceType, kDeviceType);
  CopyField(status.deviceName, connection->behaviour.device);
  return ERROR_SUCCESS;
}

DWORD EnumConnections(ras::Connection* connections, DWORD& bufferSize, DWORD& count) {
  if (connections->size != sizeof(ras::Connection)) return ras::kInvalidSize;
  Table& table = TheTable();
  std::lock_guard<std::mutex> lock(table.mutex);
  std::vector<ConnectionPtr> live;
  for (const auto& entry : table.connections) {
    if (entry.second->Live()) live.push_back(entry.second);
  }
  const DWORD needed = static_cast<DWORD>(live.size() * sizeof(ras::Connection));
  count = static_cast<DWORD>(live.size());
  if (bufferSize < needed) {
    bufferSize = needed;
    return ras::kBufferTooSmall;
  }
  for (size_t i = 0; i < live.size(); ++i) {
    ras::Connection& record = connections[i];
    memset(&record, 0, sizeof(record));
    record.size = sizeof(ras::Connection);
    record.handle = HandleOf(live[i]->id);
    CopyField(record.entryName, live[i]->entry);
    CopyField(record.deviceType, kDeviceType);
    CopyField(record.deviceName, live[i]->behaviour.device);
  }
  bufferSize = needed;
  return ERROR_SUCCESS;
}

}  // namespace labras

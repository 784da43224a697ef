// Dialing through the lab's RAS stand-in as a caller of rasapi32.dll sees it:
// the checks of the arguments, the type-0 notifier on RAS's own thread, the
// connection status and list, and the port closing after a hang-up.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "framework/LoadedModule.h"
#include "framework/RasLayouts.h"
#include "tests/support/LabPhonebookFile.h"
#include "tests/support/ScopedEnvironment.h"

namespace {

// The last entry's name is longer than any RAS record holds.
std::string Phonebook() {
  return "[Home]\n"
         "[Office]\nDevice=Second Modem\n"
         "[Busy]\nOutcome=busy\nDevice=Third Modem\n"
         "[No Tone]\nOutcome=nodialtone\nDevice=Third Modem\n"
         "[Refused]\nOutcome=authfail\nDevice=Third Modem\n"
         "[Cancelled]\nOutcome=cancel\nDevice=Third Modem\n"
         "[" + std::string(ras::kMaxEntryName + 32, 'W') + "]\n";
}

// What the type-0 notifier received, from which thread.
struct Notifications {
  std::mutex mutex;
  std::vector<DWORD> states;
  std::vector<DWORD> errors;
  std::vector<UINT> messages;
  std::vector<DWORD> threads;
};
Notifications g_notifications;

VOID WINAPI RecordNotification(UINT message, DWORD state, DWORD error) {
  std::lock_guard<std::mutex> lock(g_notifications.mutex);
  g_notifications.messages.push_back(message);
  g_notifications.states.push_back(state);
  g_notifications.errors.push_back(error);
  g_notifications.threads.push_back(GetCurrentThreadId());
}

class RasStandInDialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(rasapi32_.IsLoaded());
    dial_ = rasapi32_.Proc<ras::RasDialFunction>("RasDialA");
    hangUp_ = rasapi32_.Proc<ras::RasHangUpFunction>("RasHangUpA");
    status_ = rasapi32_.Proc<ras::RasGetConnectStatusFunction>("RasGetConnectStatusA");
    enum_ = rasapi32_.Proc<ras::RasEnumConnectionsFunction>("RasEnumConnectionsA");
    std::lock_guard<std::mutex> lock(g_notifications.mutex);
    g_notifications.states.clear();
    g_notifications.errors.clear();
    g_notifications.messages.clear();
    g_notifications.threads.clear();
  }

  void TearDown() override {
    for (ras::ConnectionHandle connection : opened_) HangUpAndWaitForPort(connection);
  }

  ras::DialParams Params(const std::string& entry) {
    ras::DialParams params = {};
    params.size = sizeof(params);
    entry.copy(params.entryName, sizeof(params.entryName) - 1);
    return params;
  }

  // A dial without a notifier: RAS answers when the dial has ended.
  DWORD DialAndWait(const std::string& entry, ras::ConnectionHandle& connection) {
    ras::DialParams params = Params(entry);
    connection = nullptr;
    DWORD result = dial_(nullptr, nullptr, &params, 0, nullptr, &connection);
    if (connection != nullptr) opened_.push_back(connection);
    return result;
  }

  DWORD StatusOf(ras::ConnectionHandle connection, ras::ConnectionStatus& status) {
    status = ras::ConnectionStatus();
    status.size = sizeof(status);
    return status_(connection, &status);
  }

  void HangUpAndWaitForPort(ras::ConnectionHandle connection) {
    hangUp_(connection);
    ras::ConnectionStatus status;
    for (int i = 0; i < 500 && StatusOf(connection, status) != ERROR_INVALID_HANDLE; ++i) {
      Sleep(10);
    }
  }

  std::unique_ptr<LabPhonebookFile> phonebook_ = LabPhonebookFile::FromText(Phonebook());
  LoadedModule rasapi32_{"rasapi32.dll"};
  ras::RasDialFunction dial_ = nullptr;
  ras::RasHangUpFunction hangUp_ = nullptr;
  ras::RasGetConnectStatusFunction status_ = nullptr;
  ras::RasEnumConnectionsFunction enum_ = nullptr;
  std::vector<ras::ConnectionHandle> opened_;
  // Connections carry nothing here: no ISP is told about them.
  ScopedEnvironment noIsp_{"VELOTUNE_LAB_ISP", nullptr};
};

TEST_F(RasStandInDialTest, CallerMistakesAreRefusedAtOnce) {
  ras::ConnectionHandle connection = nullptr;
  ras::DialParams params = Params("Home");
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER),
            dial_(nullptr, nullptr, nullptr, 0, nullptr, &connection));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER),
            dial_(nullptr, nullptr, &params, 0, nullptr, nullptr));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER),
            dial_(nullptr, nullptr, &params, 2, reinterpret_cast<void*>(&RecordNotification),
                  &connection));
  params.size = 1060;  // a later Windows' layout
  EXPECT_EQ(ras::kInvalidSize, dial_(nullptr, nullptr, &params, 0, nullptr, &connection));

  ras::DialParams unterminated = Params("");
  memset(unterminated.entryName, 'H', sizeof(unterminated.entryName));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER),
            dial_(nullptr, nullptr, &unterminated, 0, nullptr, &connection));

  EXPECT_EQ(ras::kCannotFindPhonebookEntry, DialAndWait("Nowhere", connection));
  // An entry whose name does not fit the record cannot be dialled by its first 256 characters.
  EXPECT_EQ(ras::kCannotFindPhonebookEntry,
            DialAndWait(std::string(ras::kMaxEntryName, 'W'), connection));
  EXPECT_EQ(ras::kCannotFindPhonebookEntry, DialAndWait("", connection));
  params = Params("Home");
  EXPECT_EQ(ras::kCannotOpenPhonebook,
            dial_(nullptr, "C:\\no such folder\\x.pbk", &params, 0, nullptr, &connection));
  EXPECT_EQ(nullptr, connection);

  ras::ConnectionStatus status = {};
  status.size = 400;
  EXPECT_EQ(ras::kInvalidSize, status_(nullptr, &status));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), StatusOf(nullptr, status));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE),
            hangUp_(reinterpret_cast<ras::ConnectionHandle>(0x1234)));
}

TEST_F(RasStandInDialTest, NotifiesEveryStateFromItsOwnThread) {
  ras::DialParams params = Params("Home");
  ras::ConnectionHandle connection = nullptr;
  ASSERT_EQ(0u, dial_(nullptr, nullptr, &params, 0, reinterpret_cast<void*>(&RecordNotification),
                      &connection));
  ASSERT_NE(nullptr, connection);
  opened_.push_back(connection);
  for (int i = 0; i < 1000; ++i) {
    {
      std::lock_guard<std::mutex> lock(g_notifications.mutex);
      if (!g_notifications.states.empty() && g_notifications.states.back() == 0x2000) break;
    }
    Sleep(10);
  }
  std::lock_guard<std::mutex> lock(g_notifications.mutex);
  EXPECT_EQ((std::vector<DWORD>{0, 1, 2, 3, 4, 5, 6, 10, 14, 0x2000}), g_notifications.states);
  for (size_t i = 0; i < g_notifications.states.size(); ++i) {
    EXPECT_EQ(0xCCCDu, g_notifications.messages[i]);
    EXPECT_EQ(0u, g_notifications.errors[i]);
    EXPECT_NE(GetCurrentThreadId(), g_notifications.threads[i]);
  }
}

TEST_F(RasStandInDialTest, FailedDialsEndWithTheirErrorsAndHoldThePortUntilHungUp) {
  const struct {
    const char* entry;
    DWORD state;
    DWORD error;
  } cases[] = {
      {"Busy", 2, 676}, {"No Tone", 2, 680}, {"Refused", 6, 691}, {"Cancelled", 0x2001, 631}};
  for (const auto& c : cases) {
    ras::ConnectionHandle connection = nullptr;
    EXPECT_EQ(c.error, DialAndWait(c.entry, connection)) << c.entry;
    ASSERT_NE(nullptr, connection) << c.entry;
    ras::ConnectionStatus status;
    ASSERT_EQ(0u, StatusOf(connection, status));
    EXPECT_EQ(c.state, status.state) << c.entry;
    EXPECT_EQ(c.error, status.error) << c.entry;
    ras::ConnectionHandle again = nullptr;
    EXPECT_EQ(ras::kPortAlreadyOpen, DialAndWait(c.entry, again)) << "same modem";
    HangUpAndWaitForPort(connection);
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), StatusOf(connection, status));
  }
}

TEST_F(RasStandInDialTest, ConnectionsAreListedAndThePortClosesAfterAHangUp) {
  ras::ConnectionHandle home = nullptr;
  ras::ConnectionHandle office = nullptr;
  ASSERT_EQ(0u, DialAndWait("Home", home));
  ras::ConnectionStatus status;
  ASSERT_EQ(0u, StatusOf(home, status));
  EXPECT_EQ(0x2000u, status.state);
  EXPECT_STREQ("modem", status.deviceType);
  EXPECT_STREQ("Lab Modem", status.deviceName);
  ASSERT_EQ(0u, DialAndWait("Office", office));

  ras::Connection records[2] = {};
  records[0].size = sizeof(ras::Connection);
  DWORD size = sizeof(ras::Connection);
  DWORD count = 0;
  EXPECT_EQ(ras::kBufferTooSmall, enum_(records, &size, &count));
  EXPECT_EQ(2 * sizeof(ras::Connection), size);
  ASSERT_EQ(0u, enum_(records, &size, &count));
  ASSERT_EQ(2u, count);
  EXPECT_STREQ("Home", records[0].entryName);
  EXPECT_EQ(home, records[0].handle);
  EXPECT_STREQ("Second Modem", records[1].deviceName);

  ASSERT_EQ(0u, hangUp_(home));
  EXPECT_EQ(0u, hangUp_(home)) << "a second hang-up while the port closes";
  ASSERT_EQ(0u, StatusOf(home, status)) << "the port closes a while after the hang-up";
  EXPECT_EQ(0x2001u, status.state);
  size = sizeof(records);
  ASSERT_EQ(0u, enum_(records, &size, &count));
  EXPECT_EQ(1u, count) << "a connection being hung up is no longer listed";
  HangUpAndWaitForPort(home);
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), StatusOf(home, status));
  EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), hangUp_(home));
}

}  // namespace

// The Internet dialer with dial functions of the test's own: the worker
// thread, the result mapping and the hang-up.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "dialing/DialingMessages.h"
#include "dialing/InternetDialer.h"
#include "engine/portable/StatusCodes.h"
#include "tests/support/MessageWindow.h"

namespace {

struct DialCall {
  HWND parent;
  std::string entryName;
  DWORD flags;
  DWORD reserved;
  DWORD threadId;
};

// What the fake WinINet answers, and what it was asked.
struct FakeWinInet {
  std::mutex mutex;
  DWORD dialResult = 0;
  DWORD_PTR connection = 0;
  std::vector<DialCall> dials;
  DWORD hangUpResult = 0;
  std::vector<DWORD_PTR> hangUps;
};

FakeWinInet g_fake;

DWORD WINAPI FakeDial(HWND parent, LPSTR entryName, DWORD flags, DWORD_PTR* connection,
                      DWORD reserved) {
  std::lock_guard<std::mutex> lock(g_fake.mutex);
  g_fake.dials.push_back(
      DialCall{parent, entryName, flags, reserved, GetCurrentThreadId()});
  *connection = g_fake.connection;
  return g_fake.dialResult;
}

DWORD WINAPI FakeHangUp(DWORD_PTR connection, DWORD reserved) {
  std::lock_guard<std::mutex> lock(g_fake.mutex);
  g_fake.hangUps.push_back(reserved == 0 ? connection : ~connection);
  return g_fake.hangUpResult;
}

// A post of the start message that never gets through; the worker's thread id is kept.
std::atomic<DWORD> g_refusedThread{0};
BOOL WINAPI RefusePost(DWORD threadId, UINT, WPARAM, LPARAM) {
  g_refusedThread = threadId;
  SetLastError(ERROR_NOT_ENOUGH_QUOTA);
  return FALSE;
}

class InternetDialerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::lock_guard<std::mutex> lock(g_fake.mutex);
    g_fake.dialResult = 0;
    g_fake.connection = 0;
    g_fake.dials.clear();
    g_fake.hangUpResult = 0;
    g_fake.hangUps.clear();
  }

  void Answer(DWORD result, DWORD_PTR connection) {
    std::lock_guard<std::mutex> lock(g_fake.mutex);
    g_fake.dialResult = result;
    g_fake.connection = connection;
  }

  std::vector<DialCall> Dials() {
    std::lock_guard<std::mutex> lock(g_fake.mutex);
    return g_fake.dials;
  }

  InternetDialFunctions functions_{&FakeDial, &FakeHangUp};
  CInternetDialer dialer_{functions_};
  MessageWindow window_;
};

TEST_F(InternetDialerTest, DialsOnItsOwnThreadAndSendsTheResultToTheWindow) {
  Answer(0, 0x5150);
  ASSERT_EQ(1, dialer_.Start(window_.Handle(), "Home"));
  ASSERT_TRUE(window_.WaitFor(WM_INETDIALRESULT, 5000));

  auto results = window_.MessagesOf(WM_INETDIALRESULT);
  ASSERT_EQ(1u, results.size());
  EXPECT_EQ(static_cast<WPARAM>(status::kOk), results[0].wParam);
  EXPECT_EQ(static_cast<LPARAM>(0x5150), results[0].lParam);

  auto dials = Dials();
  ASSERT_EQ(1u, dials.size());
  EXPECT_EQ(window_.Handle(), dials[0].parent);
  EXPECT_EQ("Home", dials[0].entryName);
  EXPECT_EQ(1u, dials[0].flags) << "force online";
  EXPECT_EQ(0u, dials[0].reserved);
  EXPECT_NE(GetCurrentThreadId(), dials[0].threadId);
}

TEST_F(InternetDialerTest, DialResultsBecomeStatusCodes) {
  const struct {
    DWORD result;
    int status;
  } cases[] = {
      {0, status::kOk},
      {87, status::kBadParameters},
      {668, status::kDialError},
      {631, status::kInternetDialCancelled},
      {5, status::kDialError},
      {0xFFFFFFFF, status::kDialError},
  };
  for (const auto& c : cases) {
    window_.Clear();
    Answer(c.result, 0);
    ASSERT_EQ(1, dialer_.Start(window_.Handle(), "Work"));
    ASSERT_TRUE(window_.WaitFor(WM_INETDIALRESULT, 5000)) << c.result;
    EXPECT_EQ(static_cast<WPARAM>(c.status), window_.MessagesOf(WM_INETDIALRESULT)[0].wParam)
        << c.result;
  }
}

TEST_F(InternetDialerTest, EveryStartDialsOnceWithItsOwnEntry) {
  ASSERT_EQ(1, dialer_.Start(window_.Handle(), "First"));
  ASSERT_EQ(1, dialer_.Start(window_.Handle(), "Second"));
  ASSERT_TRUE(window_.PumpUntil(
      [&] { return window_.MessagesOf(WM_INETDIALRESULT).size() == 2; }, 5000));
  window_.PumpFor(50);
  EXPECT_EQ(2u, window_.MessagesOf(WM_INETDIALRESULT).size());

  std::vector<std::string> entries;
  for (const DialCall& dial : Dials()) entries.push_back(dial.entryName);
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ((std::vector<std::string>{"First", "Second"}), entries);
  EXPECT_EQ(0, dialer_.AttemptCount());
}

TEST_F(InternetDialerTest, WithoutADialFunctionNothingStarts) {
  CInternetDialer unavailable{InternetDialFunctions{}};
  EXPECT_EQ(0, unavailable.Start(window_.Handle(), "Home"));
  EXPECT_EQ(status::kHangUpFailed, unavailable.HangUp(0x10));
}

TEST_F(InternetDialerTest, HangUpPassesTheConnectionAndReportsFailure) {
  EXPECT_EQ(status::kOk, dialer_.HangUp(0x77));
  g_fake.hangUpResult = 1;
  EXPECT_EQ(status::kHangUpFailed, dialer_.HangUp(0x78));
  EXPECT_EQ((std::vector<DWORD_PTR>{0x77, 0x78}), g_fake.hangUps);
}

TEST(InternetDialFunctionsTest, AModuleMustOfferBothFunctions) {
  InternetDialFunctions missing = InternetDialFunctions::FromModule("no-such-dialer.dll");
  EXPECT_EQ(nullptr, missing.dial);
  EXPECT_EQ(nullptr, missing.hangUp);

  InternetDialFunctions unrelated = InternetDialFunctions::FromModule("kernel32.dll");
  EXPECT_EQ(nullptr, unrelated.dial);
  EXPECT_EQ(nullptr, unrelated.hangUp);

  InternetDialFunctions winInet = InternetDialFunctions::FromModule("wininet.dll");
  EXPECT_NE(nullptr, winInet.dial);
  EXPECT_NE(nullptr, winInet.hangUp);
}

TEST_F(InternetDialerTest, AWorkerWhoseStartCannotBePostedEndsWithoutDialing) {
  InternetDialFunctions refusing = functions_;
  refusing.postStart = &RefusePost;
  CInternetDialer dialer(refusing);
  EXPECT_EQ(0, dialer.Start(window_.Handle(), "Lab ISP"));
  ASSERT_NE(0u, g_refusedThread.load());
  HANDLE worker = OpenThread(SYNCHRONIZE, FALSE, g_refusedThread.load());
  if (worker != nullptr) {  // otherwise it has ended and gone already
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(worker, 5000)) << "the worker still waits";
    CloseHandle(worker);
  }
  window_.PumpFor(50);
  EXPECT_TRUE(Dials().empty());
  EXPECT_TRUE(window_.MessagesOf(WM_INETDIALRESULT).empty());
}

}  // namespace

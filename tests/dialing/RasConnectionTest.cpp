// The RAS access layer dialling the entries of the lab's phone book through
// the lab's RAS stand-in, with the login of the program's dial-up profile.
#include <windows.h>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "dialing/DialingMessages.h"
#include "dialing/RasConnection.h"
#include "dialing/portable/RasStates.h"
#include "engine/SystemErrorText.h"
#include "engine/portable/StatusCodes.h"
#include "framework/TimeScale.h"
#include "settings/DialUpProfile.h"
#include "settings/portable/ProviderKinds.h"
#include "tests/support/LabPhonebookFile.h"
#include "tests/support/MessageWindow.h"
#include "tests/support/RegistryFixture.h"
#include "tests/support/ScopedEnvironment.h"

namespace {

constexpr DWORD kWaitMs = 10000;

// Home checks the login the profile stores; Office sits on a second modem;
// the others script what can go wrong.
const char kPhonebook[] =
    "[Home]\n"
    "Login=jdoe\nPassword=s3cret!\n"
    "[Office]\n"
    "Device=Second Modem\n"
    "[Busy Once]\n"
    "Busy=1\n"
    "[Dropping]\n"
    "Device=Third Modem\nDropAfter=1\n"
    "[Held]\n"
    "Outcome=portopen\n"
    "[Held Here]\n"
    "Outcome=portopen-handle\nCloseMs=150000\n"
    "[Odd]\n"
    "Script=0,1,0x4000,2:12345,3\nStepMs=10\n";

class RasConnectionTest : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    ASSERT_EQ(status::kOk, profile_.SetLoginPassword("Home", "jdoe", "s3cret!"));
    ASSERT_EQ(status::kOk, profile_.SetLoginPassword("Office", "jdoe", ""));
    ASSERT_EQ(status::kOk, profile_.SetLoginPassword("Busy Once", "jdoe", "x"));
    ASSERT_EQ(status::kOk, profile_.SetLoginPassword("Dropping", "jdoe", "x"));
    ASSERT_EQ(status::kOk, profile_.SetLoginPassword("Held", "jdoe", "x"));
    ASSERT_EQ(status::kOk, profile_.SetLoginPassword("Held Here", "jdoe", "x"));
    ASSERT_EQ(status::kOk, profile_.SetLoginPassword("Odd", "jdoe", "x"));
  }

  void TearDown() override {
    ras_.HangUp();
    RegistryTest::TearDown();
  }

  void UseDefault(const std::string& entry) {
    ASSERT_EQ(status::kOk, profile_.SetDefaultProfile(entry));
  }

  // The states that arrived, in order, up to one that `last` names.
  std::vector<WPARAM> StatesUntil(WPARAM last, MessageWindow& window) {
    EXPECT_TRUE(window.WaitFor(WM_RASDIALEVENT, kWaitMs,
                               [&](const RecordedMessage& m) { return m.wParam == last; }))
        << "state " << last;
    std::vector<WPARAM> states;
    for (const RecordedMessage& m : window.MessagesOf(WM_RASDIALEVENT)) states.push_back(m.wParam);
    return states;
  }

  std::unique_ptr<LabPhonebookFile> phonebook_ = LabPhonebookFile::FromText(kPhonebook);
  CDialUpProfile profile_{kProviderDialUpNetworking, kOsWindows98};
  CRasConnection ras_{profile_};
  MessageWindow window_;
  // Connections carry nothing here: no ISP is told about them.
  ScopedEnvironment noIsp_{"VELOTUNE_LAB_ISP", nullptr};
};

TEST_F(RasConnectionTest, WithoutADefaultProfileNothingIsDialled) {
  EXPECT_TRUE(ras_.IsLoaded());
  EXPECT_EQ(status::kNoDefaultProfile, ras_.Dial(kProviderDialUpNetworking, window_.Handle(), ""));
  UseDefault("");
  EXPECT_EQ(status::kNoDefaultProfile, ras_.Dial(kProviderDialUpNetworking, window_.Handle(), ""));
  EXPECT_EQ(nullptr, ras_.Connection());
  EXPECT_EQ(status::kConnectionLost, ras_.CheckConnection());
  window_.PumpFor(50);
  EXPECT_TRUE(window_.MessagesOf(WM_RASDIALEVENT).empty());
}

TEST_F(RasConnectionTest, DialsTheDefaultProfileWithItsLoginAndReportsEveryState) {
  UseDefault("Home");
  ASSERT_EQ(status::kOk, ras_.Dial(kProviderDialUpNetworking, window_.Handle(), ""));
  EXPECT_NE(nullptr, ras_.Connection());
  EXPECT_EQ(window_.Handle(), CRasConnection::NotificationWindow());

  // The stand-in refuses any other login with 691 on state 6.
  const std::vector<WPARAM> expected = {0, 1, 2, 3, 4, 5, 6, 10, 14, 0x2000};
  EXPECT_EQ(expected, StatesUntil(0x2000, window_));
  for (const RecordedMessage& m : window_.MessagesOf(WM_RASDIALEVENT)) {
    EXPECT_EQ(0, m.lParam) << "state " << m.wParam;
  }
  std::vector<std::string> texts;
  for (WPARAM state : expected) texts.push_back(ras_.StateText(static_cast<int>(state)));
  EXPECT_EQ("Opening port", texts.front());
  EXPECT_EQ("Authenticating", texts[6]);
  EXPECT_EQ("Connected", texts.back());

  EXPECT_EQ(status::kConnectionAlive, ras_.CheckConnection());
  EXPECT_EQ(status::kOk, ras_.HangUp());
  EXPECT_EQ(nullptr, ras_.Connection());
  EXPECT_EQ(status::kConnectionLost, ras_.CheckConnection());
  EXPECT_EQ(status::kRasError, ras_.HangUp()) << "nothing left to hang up";
}

TEST_F(RasConnectionTest, AWrongPasswordFailsAuthenticationOnState6) {
  ASSERT_EQ(status::kOk, profile_.SetLoginPassword("Home", "jdoe", "guess"));
  ASSERT_EQ(status::kOk, ras_.Dial(kProviderDialUpNetworking, window_.Handle(), "Home"));
  ASSERT_TRUE(window_.WaitFor(WM_RASDIALEVENT, kWaitMs,
                              [](const RecordedMessage& m) { return m.lParam != 0; }));
  RecordedMessage failure = window_.MessagesOf(WM_RASDIALEVENT).back();
  EXPECT_EQ(6u, failure.wParam);
  EXPECT_EQ(691, failure.lParam);
  EXPECT_EQ(status::kConnectionLost, ras_.CheckConnection()) << "a failed dial is no connection";
  EXPECT_EQ(status::kOk, ras_.HangUp());
}

TEST_F(RasConnectionTest, RedialsCountUntilConnected) {
  UseDefault("Busy Once");
  ASSERT_EQ(status::kOk, ras_.Dial(kProviderDialUpNetworking, window_.Handle(), ""));
  ASSERT_TRUE(window_.WaitFor(WM_RASDIALEVENT, kWaitMs,
                              [](const RecordedMessage& m) { return m.lParam == 676; }));
  EXPECT_EQ(status::kOk, ras_.HangUp());

  window_.Clear();
  ASSERT_EQ(status::kOk, ras_.Redial());
  EXPECT_EQ(1, ras_.RedialCount());
  StatesUntil(0x2000, window_);
  EXPECT_EQ("Connected", ras_.StateText(0x2000));
  EXPECT_EQ(0, ras_.RedialCount());
  EXPECT_EQ(status::kOk, ras_.HangUp());
}

TEST_F(RasConnectionTest, APortHeldElsewhereGives51AndNoConnection) {
  EXPECT_EQ(status::kPortInUse, ras_.Dial(kProviderDialUpNetworking, window_.Handle(), "Held"));
  EXPECT_EQ(nullptr, ras_.Connection());

  // The same modem cannot dial twice.
  ASSERT_EQ(status::kOk, ras_.Dial(kProviderDialUpNetworking, window_.Handle(), "Home"));
  CRasConnection second(profile_);
  EXPECT_EQ(status::kPortInUse,
            second.Dial(kProviderDialUpNetworking, window_.Handle(), "Busy Once"));
  EXPECT_EQ(nullptr, second.Connection());
}

TEST_F(RasConnectionTest, A602WithAHandleIsHungUpAtOnceAndTheNextDialWaitsForThePort) {
  // The program's polling as on a real system; the port takes 3 s to close.
  timescale::OverrideFactor(1);
  struct Unscaled {
    ~Unscaled() { timescale::OverrideFactor(0); }
  } unscaled;
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(status::kPortInUse, ras_.Dial(kProviderDialUpNetworking, window_.Handle(), "Held Here"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
  EXPECT_EQ(nullptr, ras_.Connection());

  // The refused dial's handle held the modem: dialing it again works only
  // once that handle was hung up and its port has closed.
  ASSERT_EQ(status::kOk, ras_.Dial(kProviderDialUpNetworking, window_.Handle(), "Home"));
  StatesUntil(0x2000, window_);
  EXPECT_EQ(status::kOk, ras_.HangUp());
}

TEST_F(RasConnectionTest, CheckConnectionCountsAnyEntryAndCannotTellTwo) {
  EXPECT_EQ(status::kConnectionLost, ras_.CheckConnection());
  ASSERT_EQ(status::kOk, ras_.Dial(kProviderDialUpNetworking, window_.Handle(), "Office"));
  StatesUntil(0x2000, window_);
  EXPECT_EQ(status::kConnectionAlive, ras_.CheckConnection());

  window_.Clear();
  CRasConnection second(profile_);
  ASSERT_EQ(status::kOk, second.Dial(kProviderDialUpNetworking, window_.Handle(), "Home"));
  StatesUntil(0x2000, window_);
  EXPECT_EQ(status::kDialError, ras_.CheckConnection()) << "two connections overflow one record";
  EXPECT_EQ(status::kOk, second.HangUp());
  EXPECT_EQ(status::kConnectionAlive, ras_.CheckConnection());
}

TEST_F(RasConnectionTest, ALineThatDropsReportsDisconnectedAndIsNoLongerAlive) {
  ASSERT_EQ(status::kOk, ras_.Dial(kProviderDialUpNetworking, window_.Handle(), "Dropping"));
  StatesUntil(0x2001, window_);
  EXPECT_EQ(629, window_.MessagesOf(WM_RASDIALEVENT).back().lParam);
  EXPECT_EQ(status::kConnectionLost, ras_.CheckConnection());
  EXPECT_EQ(status::kOk, ras_.HangUp()) << "the port is still released by a hang-up";
}

TEST_F(RasConnectionTest, UnknownStatesAndErrorsPassThroughAsUndefined) {
  ASSERT_EQ(status::kOk, ras_.Dial(kProviderDialUpNetworking, window_.Handle(), "Odd"));
  ASSERT_TRUE(window_.WaitFor(WM_RASDIALEVENT, kWaitMs,
                              [](const RecordedMessage& m) { return m.lParam == 12345; }));
  std::vector<WPARAM> states;
  for (const RecordedMessage& m : window_.MessagesOf(WM_RASDIALEVENT)) states.push_back(m.wParam);
  EXPECT_EQ((std::vector<WPARAM>{0, 1, 0x4000, 2}), states);
  EXPECT_EQ("Undefined error", ras_.StateText(0x4000));

  std::string text = "stale";
  RasErrorText(GetModuleHandleA("rasapi32.dll"), 12345, text);
  EXPECT_EQ("", text) << "RAS has no text for it";
  EXPECT_EQ(status::kOk, ras_.HangUp());
}

TEST_F(RasConnectionTest, ProfilesRasCannotDialAreRefusedWithoutOverrun) {
  // A default profile too long for the registry's texts (which the program
  // refuses to store, but another writer may) is no default profile.
  EXPECT_EQ(status::kRegistryWriteFailed, profile_.SetDefaultProfile(std::string(300, 'L')));
  testreg::WriteText(CSettingsStore::ProviderKeyPath(kProviderDialUpNetworking), "Default Profile",
                     std::string(300, 'L'));
  EXPECT_EQ(status::kNoDefaultProfile, ras_.Dial(kProviderDialUpNetworking, window_.Handle(), ""));

  // An entry the profile has no login for.
  EXPECT_EQ(status::kDialInfoUnavailable,
            ras_.Dial(kProviderDialUpNetworking, window_.Handle(), "Nowhere"));

  // A long entry RAS does not know, with the longest login and password the registry keeps.
  const std::string longEntry(150, 'E');
  ASSERT_EQ(status::kOk,
            profile_.SetLoginPassword(longEntry, std::string(255, 'u'), std::string(255, 'p')));
  EXPECT_EQ(status::kRasError, ras_.Dial(kProviderDialUpNetworking, window_.Handle(), longEntry));
  EXPECT_EQ(nullptr, ras_.Connection());
}

TEST_F(RasConnectionTest, AnEmptyPasswordIsDialledAsIs) {
  ASSERT_EQ(status::kOk, ras_.Dial(kProviderDialUpNetworking, window_.Handle(), "Office"));
  StatesUntil(0x2000, window_);
  EXPECT_EQ(status::kOk, ras_.HangUp());
}

}  // namespace

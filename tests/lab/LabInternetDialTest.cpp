// The lab's Internet dial as the program uses it: through the Internet
// dialer's worker, with the dial-up dialog driven as a user would drive it.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dialing/DialingMessages.h"
#include "dialing/InternetDialer.h"
#include "engine/portable/StatusCodes.h"
#include "framework/LoadedModule.h"
#include "framework/RasLayouts.h"
#include "tests/support/LabPhonebookFile.h"
#include "tests/support/MessageWindow.h"
#include "tests/support/ScopedEnvironment.h"

namespace {

constexpr DWORD kWaitMs = 10000;

const char kPhonebook[] =
    "[Home]\nLogin=jdoe\nPassword=pw\n"
    "[Busy]\nOutcome=busy\n";

struct Child {
  HWND window;
  std::string text;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM children) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof(text));
  reinterpret_cast<std::vector<Child>*>(children)->push_back(Child{window, text});
  return TRUE;
}

class LabInternetDialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(nullptr, functions_.dial) << "LabInternetDial.dll beside the tests";
  }

  HWND WaitForDialog(const char* title) {
    HWND dialog = nullptr;
    window_.PumpUntil([&] { return (dialog = FindWindowA(nullptr, title)) != nullptr; }, kWaitMs);
    return dialog;
  }

  static std::vector<Child> Children(HWND dialog) {
    std::vector<Child> children;
    EnumChildWindows(dialog, &CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
  }

  // The control after the label with this text, as the program finds its fields.
  static HWND FieldAfter(HWND dialog, const std::string& label) {
    std::vector<Child> children = Children(dialog);
    for (size_t i = 0; i + 1 < children.size(); ++i) {
      if (children[i].text == label) return children[i + 1].window;
    }
    return nullptr;
  }

  static HWND ChildWithText(HWND dialog, const std::string& text) {
    for (const Child& child : Children(dialog)) {
      if (child.text == text) return child.window;
    }
    return nullptr;
  }

  void FillAndConnect(HWND dialog, const char* user, const char* password) {
    SendMessageA(FieldAfter(dialog, "&User name:"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(user));
    SendMessageA(FieldAfter(dialog, "&Password:"), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(password));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }

  DWORD LiveConnections() {
    auto enumConnections =
        rasapi32_.Proc<ras::RasEnumConnectionsFunction>("RasEnumConnectionsA");
    ras::Connection records[4] = {};
    records[0].size = sizeof(ras::Connection);
    DWORD size = sizeof(records);
    DWORD count = 99;
    EXPECT_EQ(0u, enumConnections(records, &size, &count));
    return count;
  }

  std::unique_ptr<LabPhonebookFile> phonebook_ = LabPhonebookFile::FromText(kPhonebook);
  LoadedModule rasapi32_{"rasapi32.dll"};
  InternetDialFunctions functions_ = InternetDialFunctions::FromModule("LabInternetDial.dll");
  CInternetDialer dialer_{functions_};
  MessageWindow window_;
  // Connections carry nothing here: no ISP is told about them.
  ScopedEnvironment noIsp_{"VELOTUNE_LAB_ISP", nullptr};
};

TEST_F(LabInternetDialTest, TheDialogDialsWithTheLoginTypedIntoItAndConnects) {
  ASSERT_EQ(1, dialer_.Start(window_.Handle(), "Home"));
  HWND dialog = WaitForDialog("Dial-up Connection");
  ASSERT_NE(nullptr, dialog);
  ASSERT_NE(nullptr, FieldAfter(dialog, "&User name:"));
  ASSERT_NE(nullptr, FieldAfter(dialog, "&Password:"));
  ASSERT_NE(nullptr, ChildWithText(dialog, "&Connect"));
  ASSERT_NE(nullptr, ChildWithText(dialog, "Cancel"));

  FillAndConnect(dialog, "jdoe", "pw");
  ASSERT_TRUE(window_.WaitFor(WM_INETDIALRESULT, kWaitMs));
  RecordedMessage result = window_.MessagesOf(WM_INETDIALRESULT)[0];
  EXPECT_EQ(static_cast<WPARAM>(status::kOk), result.wParam);
  ASSERT_NE(0, result.lParam);
  EXPECT_EQ(nullptr, FindWindowA(nullptr, "Dial-up Connection"));
  EXPECT_EQ(1u, LiveConnections());

  EXPECT_EQ(status::kOk, dialer_.HangUp(static_cast<DWORD_PTR>(result.lParam)));
  EXPECT_EQ(0u, LiveConnections());
  EXPECT_EQ(status::kHangUpFailed, dialer_.HangUp(static_cast<DWORD_PTR>(result.lParam)));
  EXPECT_EQ(status::kHangUpFailed, dialer_.HangUp(0));
}

TEST_F(LabInternetDialTest, AFailedDialEnablesConnectAgainAndCancelEndsTheDial) {
  ASSERT_EQ(1, dialer_.Start(window_.Handle(), "Busy"));
  HWND dialog = WaitForDialog("Dial-up Connection");
  ASSERT_NE(nullptr, dialog);
  HWND connect = ChildWithText(dialog, "&Connect");
  FillAndConnect(dialog, "jdoe", "pw");
  ASSERT_TRUE(window_.PumpUntil([&] { return !IsWindowEnabled(connect); }, kWaitMs));
  ASSERT_TRUE(window_.PumpUntil([&] { return IsWindowEnabled(connect) != FALSE; }, kWaitMs));
  EXPECT_NE(nullptr, ChildWithText(dialog, "The line is busy."));
  EXPECT_TRUE(window_.MessagesOf(WM_INETDIALRESULT).empty()) << "the dialog stays open";

  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  ASSERT_TRUE(window_.WaitFor(WM_INETDIALRESULT, kWaitMs));
  EXPECT_EQ(static_cast<WPARAM>(status::kInternetDialCancelled),
            window_.MessagesOf(WM_INETDIALRESULT)[0].wParam);
  EXPECT_EQ(0, window_.MessagesOf(WM_INETDIALRESULT)[0].lParam);
  EXPECT_EQ(0u, LiveConnections());
}

}  // namespace

// The status messages, verbatim (their typos and double blanks are the
// program's own texts), and the flow texts built around them.
#include <gtest/gtest.h>

#include <string>

#include "engine/portable/StatusCodes.h"

namespace {

TEST(StatusCodesTest, EveryCodeHasItsExactMessage) {
  const char* const expected[] = {
      "Operation succeeded",
      "RAS error",
      "Unable to load RASAPI32.DLL",
      "There error during dial to ISP",
      "Fail to hang up connection",
      "Fail to open log file",
      "Fail to create log file",
      "Log file is corrupted",
      "Fail to create Registry key",
      "Fail to write to the Registry",
      "The redial limits have reached",
      "The connection is still alive",
      "The connection is not longer alive",
      "There is no default dial-up profile was setup",
      "Fail to retreive dial-up profiles",
      "Fail to open URL",
      "Fail to open InternetOpen",
      "Fail to open InternetConnect",
      "Fail to open HTPPOpenRequest",
      "Fail to send request",
      "Unable to find Redirected_URL",
      "Re-directed URL was found",
      "Unable to find HTML file",
      "The URL specified is not supported by Velotune.  Please set the URL to another site "
      "such as http://www.yahoo.com",
      "Fail to close Internent session",
      "Fail to close Internet connection",
      "Fail to close HttpOpenRequest",
      "LogFile was successfully created",
      "Unable to read the logfile",
      "Finish reading the logfile",
      "Failed to retrieve the path of the logfile",
      "The Registry directory not found",
      "Error in querying Registry key",
      "Registry does not contain default data",
      "Empty string for password",
      "No Registry path in list",
      "Dial-Up Network not installed",
      "TestType is undefined",
      "Either there no Registry value or error in deleting Registry value",
      "Fail to load TrayIcon",
      "Fail to load icon",
      "Fail to delete TrayIcon",
      "Fail to create modeless dialog box",
      "Variable not properly initialized",
      "User has cancelled the test",
      "Fastpane download has been cancelled",
      "",
      "",
      "Invalid TuneUpType which has been initialize",
      "Failed to close the logfile",
      "Fail to modify tray icon",
      "Another program is dialing the selected connection",
      "Using another url to parse for image source",
      "There is no dial tone",
      "Fatal Error in trying to delete the Registry key",
      "Failed to open AOL browser",
      "Failed to sign-on to America Online",
      "Failed to find sign-on screenFound AOL Dialing Window",
      "Failed to find AOL dialing status windows",
      "Unable to login to AOL for user",
      "Failed to get dial-up information",
      "Failed to download data",
      "Unable to download data due to problem with proxy setting",
      "NetZero connection failed",
      "NetZero port terminated",
      "NetZero connection problem",
      "NetZero ConnectWnd Error",
      "One or more parameters is incorrect",
      "The user clicked either the Work Offline or Cancel button on the Internet connection dialog box.",
      "Failed to connect to service provider",
      "Failed to initialize Windows Dial-Up",
      "continue to monitor dialing",
  };
  static_assert(sizeof(expected) / sizeof(expected[0]) == 72, "72 entries");
  for (int code = 0; code <= status::kHighestCode; ++code) {
    std::string message = "stale";
    EXPECT_EQ(0, StatusMessage(code, message));
    EXPECT_EQ(expected[code], message) << "code " << code;
  }
}

TEST(StatusCodesTest, UnsupportedUrlTextSuggestsAFullAddress) {
  const std::string text = StatusText(status::kUrlNotSupported);
  EXPECT_NE(std::string::npos, text.find("by Velotune.  Please"));
  EXPECT_EQ(0u, text.rfind("The URL specified", 0));
  EXPECT_NE(std::string::npos, text.find(std::string("such as ") + status::kSuggestedTestSite));
  EXPECT_EQ(0u, std::string(status::kSuggestedTestSite).rfind("http://", 0));
}

TEST(StatusCodesTest, NumbersOutsideTheTableGiveAnEmptyText) {
  for (int code : {-1, 72, 1000, 46, 47}) {
    std::string message = "stale";
    EXPECT_EQ(0, StatusMessage(code, message));
    EXPECT_EQ("", message) << code;
  }
}

TEST(StatusCodesTest, CancellationIsShownAsTuneUpTestCancelled) {
  EXPECT_EQ("Tune-Up Test Cancelled", DisconnectStatusText(status::kUserCancelled));
  EXPECT_EQ("Fail to send request", DisconnectStatusText(status::kSendRequestFailed));
}

TEST(StatusCodesTest, CannotProceedTextsDifferOnlyInTheirSeparator) {
  EXPECT_EQ("Cannot proceed with further tune-up tests due to the following error: "
            "Failed to download data",
            CannotProceedText(status::kDownloadFailed, false));
  EXPECT_EQ("Cannot proceed with further tune-up tests due to the following error:\n"
            "Failed to download data",
            CannotProceedText(status::kDownloadFailed, true));
}

TEST(StatusCodesTest, ErrorDialogTexts) {
  EXPECT_STREQ("  Tune-Up Error", status::kErrorDialogCaption);
  EXPECT_STREQ("The following error has occured:", status::kErrorDialogHeading);
  EXPECT_STREQ("Tune-up will resume in:", status::kErrorDialogCountdownLabel);
}

}  // namespace

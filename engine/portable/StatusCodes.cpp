// The program-wide table of status messages.
#include "engine/portable/StatusCodes.h"

// A large public portal, suggested when the configured test page yields nothing to download.
#define VT_SUGGESTED_TEST_SITE "http://www.yahoo.com"

namespace status {

const char kSuggestedTestSite[] = VT_SUGGESTED_TEST_SITE;
const char kCancelledText[] = "Tune-Up Test Cancelled";
const char kCannotProceedCollecting[] =
    "Cannot proceed with further tune-up tests due to the following error: ";
const char kCannotProceedTesting[] =
    "Cannot proceed with further tune-up tests due to the following error:\n";
const char kErrorDialogCaption[] = "  Tune-Up Error";
const char kErrorDialogHeading[] = "The following error has occured:";
const char kErrorDialogCountdownLabel[] = "Tune-up will resume in:";

}  // namespace status

namespace {

// Indexed by the code; 46 and 47 have no message.
const char* const kMessages[status::kHighestCode + 1] = {
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
    "The URL specified is not supported by Velotune.  Please set the URL to another site such "
    "as " VT_SUGGESTED_TEST_SITE,
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
    ("The user clicked either the Work Offline or Cancel button on the Internet connection "
     "dialog box."),
    "Failed to connect to service provider",
    "Failed to initialize Windows Dial-Up",
    "continue to monitor dialing",
};

}  // namespace

int StatusMessage(int code, std::string& message) {
  if (code < 0 || code > status::kHighestCode) {
    message.clear();
  } else {
    message = kMessages[code];
  }
  return status::kOk;
}

std::string StatusText(int code) {
  std::string message;
  StatusMessage(code, message);
  return message;
}

std::string DisconnectStatusText(int code) {
  if (code == status::kUserCancelled) return status::kCancelledText;
  return StatusText(code);
}

std::string CannotProceedText(int code, bool speedTestPhase) {
  return std::string(speedTestPhase ? status::kCannotProceedTesting
                                    : status::kCannotProceedCollecting) +
         StatusText(code);
}

// Status codes: every operation that can fail reports one of these small
// numbers (0 is success), and each has one fixed English message.
// Windows-free.
#pragma once

#include <string>

namespace status {

constexpr int kOk = 0;
constexpr int kRasError = 1;
constexpr int kRasLoadFailed = 2;
constexpr int kDialError = 3;
constexpr int kHangUpFailed = 4;
constexpr int kLogOpenFailed = 5;
constexpr int kLogCreateFailed = 6;
constexpr int kLogCorrupted = 7;
constexpr int kRegistryCreateFailed = 8;
constexpr int kRegistryWriteFailed = 9;
constexpr int kRedialLimitReached = 10;
constexpr int kConnectionAlive = 11;
constexpr int kConnectionLost = 12;
constexpr int kNoDefaultProfile = 13;
constexpr int kProfilesUnavailable = 14;
constexpr int kUrlOpenFailed = 15;
constexpr int kInternetOpenFailed = 16;
constexpr int kInternetConnectFailed = 17;
constexpr int kOpenRequestFailed = 18;
constexpr int kSendRequestFailed = 19;
constexpr int kRedirectNotFound = 20;
constexpr int kRedirectFound = 21;
constexpr int kHtmlNotFound = 22;
constexpr int kUrlNotSupported = 23;
constexpr int kCloseSessionFailed = 24;
constexpr int kCloseConnectionFailed = 25;
constexpr int kCloseRequestFailed = 26;
constexpr int kLogCreated = 27;
constexpr int kLogUnreadable = 28;
constexpr int kLogReadFinished = 29;
constexpr int kLogPathUnavailable = 30;
constexpr int kRegistryKeyNotFound = 31;
constexpr int kRegistryQueryFailed = 32;
constexpr int kRegistryNoDefaultData = 33;
constexpr int kEmptyPassword = 34;
constexpr int kNoRegistryPath = 35;
constexpr int kDialUpNotInstalled = 36;
constexpr int kTestTypeUndefined = 37;
constexpr int kRegistryDeleteFailed = 38;
constexpr int kTrayIconLoadFailed = 39;
constexpr int kIconLoadFailed = 40;
constexpr int kTrayIconDeleteFailed = 41;
constexpr int kModelessDialogFailed = 42;
constexpr int kNotInitialized = 43;
constexpr int kUserCancelled = 44;
constexpr int kDownloadCancelled = 45;
constexpr int kInvalidTuneUpType = 48;
constexpr int kLogCloseFailed = 49;
constexpr int kTrayIconModifyFailed = 50;
constexpr int kPortInUse = 51;
constexpr int kUsingAnotherUrl = 52;
constexpr int kNoDialTone = 53;
constexpr int kRegistryKeyDeleteFailed = 54;
constexpr int kAolBrowserFailed = 55;
constexpr int kAolSignOnFailed = 56;
constexpr int kAolSignOnScreenNotFound = 57;
constexpr int kAolStatusWindowNotFound = 58;
constexpr int kAolLoginFailed = 59;
constexpr int kDialInfoUnavailable = 60;
constexpr int kDownloadFailed = 61;
constexpr int kProxyProblem = 62;
constexpr int kNetZeroConnectFailed = 63;
constexpr int kNetZeroPortTerminated = 64;
constexpr int kNetZeroConnectionProblem = 65;
constexpr int kNetZeroConnectWndError = 66;
constexpr int kBadParameters = 67;
constexpr int kInternetDialCancelled = 68;
constexpr int kProviderConnectFailed = 69;
constexpr int kDialUpInitFailed = 70;
constexpr int kContinueMonitoring = 71;

constexpr int kHighestCode = 71;

// The web portal suggested as the test site when the configured page yields
// nothing to download.
extern const char kSuggestedTestSite[];

// Texts of the tune-up flow that surround a code's message.
extern const char kCancelledText[];            // shown for kUserCancelled instead of its message
extern const char kCannotProceedCollecting[];  // data-collection phase, retries used up
extern const char kCannotProceedTesting[];     // speed-test phase, retries used up or refused
extern const char kErrorDialogCaption[];
extern const char kErrorDialogHeading[];
extern const char kErrorDialogCountdownLabel[];

}  // namespace status

// Replaces `message` with the code's text; always returns 0. Numbers outside
// the table (and the two unused numbers 46 and 47) give an empty text.
int StatusMessage(int code, std::string& message);

// The code's text as a value.
std::string StatusText(int code);

// The text of a failed test's disconnect: "Tune-Up Test Cancelled" for a
// cancellation, the plain message otherwise.
std::string DisconnectStatusText(int code);

// "Cannot proceed with further tune-up tests ..." followed by the message; the
// data-collection phase separates them with a blank, the speed-test phase with
// a line break.
std::string CannotProceedText(int code, bool speedTestPhase);

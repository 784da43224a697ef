// The RAS connection states a dial passes through (the values of
// RASCONNSTATE) and the line of English text shown for each. Windows-free, so
// the RAS stand-in of the lab and native tests share it.
#pragma once

#include <string>

namespace rasstate {

constexpr int kOpenPort = 0;
constexpr int kPortOpened = 1;
constexpr int kConnectDevice = 2;
constexpr int kDeviceConnected = 3;
constexpr int kAllDevicesConnected = 4;
constexpr int kAuthenticate = 5;
constexpr int kAuthNotify = 6;
constexpr int kAuthRetry = 7;
constexpr int kAuthCallback = 8;
constexpr int kAuthChangePassword = 9;
constexpr int kAuthProject = 10;
constexpr int kAuthLinkSpeed = 11;
constexpr int kAuthAck = 12;
constexpr int kReAuthenticate = 13;
constexpr int kAuthenticated = 14;
constexpr int kPrepareForCallback = 15;
constexpr int kWaitForModemReset = 16;
constexpr int kWaitForCallback = 17;
constexpr int kProjected = 18;
constexpr int kStartAuthentication = 19;
constexpr int kCallbackComplete = 20;
constexpr int kLogonNetwork = 21;
constexpr int kSubEntryConnected = 22;
constexpr int kSubEntryDisconnected = 23;
constexpr int kInteractive = 0x1000;
constexpr int kRetryAuthentication = 0x1001;
constexpr int kCallbackSetByCaller = 0x1002;
constexpr int kPasswordExpired = 0x1003;
constexpr int kConnected = 0x2000;
constexpr int kDisconnected = 0x2001;

}  // namespace rasstate

// The text of a state; "Undefined error" for a value RAS does not define.
std::string RasStateText(int state);

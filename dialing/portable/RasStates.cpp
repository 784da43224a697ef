// Texts of the RAS connection states.
#include "dialing/portable/RasStates.h"

namespace {

struct StateText {
  int state;
  const char* text;
};

const StateText kStateTexts[] = {
    {rasstate::kOpenPort, "Opening port"},
    {rasstate::kPortOpened, "Port opened"},
    {rasstate::kConnectDevice, "Initiating connection"},
    {rasstate::kDeviceConnected, "Connecting"},
    {rasstate::kAllDevicesConnected, "Establishing link"},
    {rasstate::kAuthenticate, "Initiating authentication"},
    {rasstate::kAuthNotify, "Authenticating"},
    {rasstate::kAuthRetry, "Retrying authentication"},
    {rasstate::kAuthCallback, "Remote server requesting for callback number"},
    {rasstate::kAuthChangePassword, "Requesting change of password"},
    {rasstate::kAuthProject, "Logging on to network"},
    {rasstate::kAuthLinkSpeed, "Starting link-speed calculation"},
    {rasstate::kAuthAck, "Authentication request acknowledged"},
    {rasstate::kReAuthenticate, "Starting reauthentication"},
    {rasstate::kAuthenticated, "Authenticated"},
    {rasstate::kPrepareForCallback, "Disconnecting for callback"},
    {rasstate::kWaitForModemReset, "Resetting modem for callback"},
    {rasstate::kWaitForCallback, "Waiting for callback"},
    {rasstate::kProjected, "Projection phase done"},
    {rasstate::kStartAuthentication, "Initiating user authentication"},
    {rasstate::kCallbackComplete, "Resuming authentication"},
    {rasstate::kLogonNetwork, "Logging on to network"},
    {rasstate::kSubEntryConnected, "Secondary connection established"},
    {rasstate::kSubEntryDisconnected, "Secondary connection disconnected"},
    {rasstate::kInteractive, "Terminal state"},
    {rasstate::kRetryAuthentication, "Retrying authentication"},
    {rasstate::kCallbackSetByCaller, "Setting callback"},
    {rasstate::kPasswordExpired, "Password expired"},
    {rasstate::kConnected, "Connected"},
    {rasstate::kDisconnected, "Disconnected"},
};

}  // namespace

std::string RasStateText(int state) {
  for (const StateText& entry : kStateTexts) {
    if (entry.state == state) return entry.text;
  }
  return "Undefined error";
}

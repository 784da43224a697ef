// Dial scripts of the lab's phone-book entries (see EntryBehaviour.h).
#include "sim/ras/EntryBehaviour.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "dialing/portable/RasStates.h"
#include "sim/ras/LabPhonebook.h"

namespace {

constexpr unsigned kBusy = 676;
constexpr unsigned kNoDialTone = 680;
constexpr unsigned kAuthenticationFailure = 691;
constexpr unsigned kUserDisconnection = 631;
constexpr unsigned kDefaultDropAfterMs = 5000;
constexpr unsigned kDefaultStepMs = 300;
constexpr unsigned kMaxScriptSteps = 64;
constexpr unsigned kMaxDropSeconds = 0x7FFFFFFF / 1000;

// A modem dialling an ISP: a quick port, a long dial and handshake, then PPP.
const DialStep kOpenPort = {rasstate::kOpenPort, 0, 50};
const DialStep kPortOpened = {rasstate::kPortOpened, 0, 300};
const DialStep kConnectDevice = {rasstate::kConnectDevice, 0, 200};
const DialStep kDeviceConnected = {rasstate::kDeviceConnected, 0, 3000};
const DialStep kAllDevicesConnected = {rasstate::kAllDevicesConnected, 0, 500};
const DialStep kAuthenticate = {rasstate::kAuthenticate, 0, 200};
const DialStep kAuthNotify = {rasstate::kAuthNotify, 0, 800};
const DialStep kAuthProject = {rasstate::kAuthProject, 0, 800};
const DialStep kAuthenticated = {rasstate::kAuthenticated, 0, 600};
const DialStep kConnected = {static_cast<unsigned>(rasstate::kConnected), 0, 300};

// Decimal, or hexadecimal with 0x; false for anything else.
bool ParseNumber(const std::string& text, unsigned long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtoul(text.c_str(), &end, 0);
  return end != text.c_str() && *end == '\0' && text[0] != '-';
}

unsigned NumberOr(const LabPhonebook& book, const std::string& entry, const char* key,
                  unsigned fallback) {
  unsigned long value = 0;
  if (!ParseNumber(book.Value(entry, key), value) || value > 0x7FFFFFFFul) return fallback;
  return static_cast<unsigned>(value);
}

// "0,1,2:676" -> states with their errors; items that are no numbers are skipped.
std::vector<DialStep> ParseScript(const std::string& text, unsigned stepMs) {
  std::vector<DialStep> steps;
  size_t start = 0;
  while (start <= text.size() && steps.size() < kMaxScriptSteps) {
    size_t comma = text.find(',', start);
    std::string item = text.substr(start, comma == std::string::npos ? std::string::npos
                                                                      : comma - start);
    size_t first = item.find_first_not_of(" \t");
    size_t last = item.find_last_not_of(" \t");
    item = first == std::string::npos ? std::string() : item.substr(first, last - first + 1);
    size_t colon = item.find(':');
    unsigned long state = 0;
    unsigned long error = 0;
    if (ParseNumber(item.substr(0, colon), state) &&
        (colon == std::string::npos || ParseNumber(item.substr(colon + 1), error))) {
      steps.push_back(DialStep{static_cast<unsigned>(state), static_cast<unsigned>(error),
                               stepMs});
    }
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return steps;
}

std::vector<DialStep> FailingAt(std::vector<DialStep> steps, unsigned state, unsigned error,
                                unsigned delayMs) {
  steps.push_back(DialStep{state, error, delayMs});
  return steps;
}

}  // namespace

EntryBehaviour ReadEntryBehaviour(const LabPhonebook& book, const std::string& entry) {
  EntryBehaviour behaviour;
  std::string outcome = book.Value(entry, "Outcome", behaviour.outcome);
  for (char& c : outcome) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  behaviour.outcome = outcome;
  behaviour.busyDials = static_cast<int>(NumberOr(book, entry, "Busy", 0));
  const unsigned dropSeconds = std::min(NumberOr(book, entry, "DropAfter", 0), kMaxDropSeconds);
  behaviour.dropAfterMs = dropSeconds > 0 ? dropSeconds * 1000
                          : outcome == "drop" ? kDefaultDropAfterMs
                                              : 0;
  behaviour.dropError = NumberOr(book, entry, "DropError", behaviour.dropError);
  behaviour.dropDials = static_cast<int>(NumberOr(book, entry, "Drops", 0));
  behaviour.checksLogin = book.HasValue(entry, "Login");
  behaviour.checksPassword = book.HasValue(entry, "Password");
  behaviour.login = book.Value(entry, "Login");
  behaviour.password = book.Value(entry, "Password");
  behaviour.speed = static_cast<int>(NumberOr(book, entry, "Speed", 0));
  behaviour.device = book.Value(entry, "Device", behaviour.device);
  behaviour.portCloseMs = NumberOr(book, entry, "CloseMs", behaviour.portCloseMs);
  behaviour.script =
      ParseScript(book.Value(entry, "Script"), NumberOr(book, entry, "StepMs", kDefaultStepMs));
  return behaviour;
}

unsigned DropAfterMs(const EntryBehaviour& behaviour, int dialNumber) {
  if (behaviour.dropDials > 0 && dialNumber > behaviour.dropDials) return 0;
  return behaviour.dropAfterMs;
}

bool HoldsPortElsewhere(const EntryBehaviour& behaviour) {
  return behaviour.outcome == "portopen";
}

bool Answers602WithHandle(const EntryBehaviour& behaviour) {
  return behaviour.outcome == "portopen-handle";
}

std::vector<DialStep> BuildDialScript(const EntryBehaviour& behaviour, int dialNumber,
                                      const std::string& userName, const std::string& password) {
  if (!behaviour.script.empty()) return behaviour.script;
  const std::vector<DialStep> dialling = {kOpenPort, kPortOpened, kConnectDevice};
  if (dialNumber <= behaviour.busyDials || behaviour.outcome == "busy") {
    return FailingAt(dialling, rasstate::kConnectDevice, kBusy, 2500);
  }
  if (behaviour.outcome == "nodialtone") {
    return FailingAt(dialling, rasstate::kConnectDevice, kNoDialTone, 1000);
  }
  if (behaviour.outcome == "cancel") {
    return FailingAt(dialling, rasstate::kDisconnected, kUserDisconnection, 1500);
  }
  std::vector<DialStep> steps = dialling;
  steps.insert(steps.end(), {kDeviceConnected, kAllDevicesConnected, kAuthenticate});
  const bool refused = behaviour.outcome == "authfail" ||
                       (behaviour.checksLogin && userName != behaviour.login) ||
                       (behaviour.checksPassword && password != behaviour.password);
  if (refused) {
    return FailingAt(steps, rasstate::kAuthNotify, kAuthenticationFailure, kAuthNotify.delayMs);
  }
  steps.insert(steps.end(), {kAuthNotify, kAuthProject, kAuthenticated, kConnected});
  return steps;
}

// The lab host's disturbances (see TuneUpDisturbance.h).
#include "tests/e2e/TuneUpDisturbance.h"

#include <windows.h>

#include <cstdio>

#include "engine/WorkerMessages.h"
#include "engine/portable/StatusCodes.h"
#include "framework/LoadedModule.h"
#include "framework/RasLayouts.h"
#include "settings/SettingsStore.h"
#include "tests/support/LabClient.h"
#include "tests/support/TcpipSnapshot.h"

namespace disturbance {
namespace {

constexpr char kPhonebookVariable[] = "VELOTUNE_LAB_PHONEBOOK";
constexpr DWORD kEndLimitMs = 120000;
constexpr DWORD kLinkDownWaitMs = 10000;
// The status the dial view shows for a failed or ended connection.
const std::string kFailedStatusLine = "status " + std::to_string(0x2001) + " ";

std::string Phonebook() {
  char path[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableA(kPhonebookVariable, path, sizeof(path));
  return length == 0 || length >= sizeof(path) ? std::string() : std::string(path, length);
}

// One key of an entry of the host's phone book; a null value removes the key.
void SetEntryKey(const std::string& entry, const char* key, const char* value) {
  WritePrivateProfileStringA(entry.c_str(), key, value, Phonebook().c_str());
}

std::string EntryKey(const std::string& entry, const char* key) {
  char value[256] = {};
  GetPrivateProfileStringA(entry.c_str(), key, "", value, sizeof(value), Phonebook().c_str());
  return value;
}

// Puts back a key as it was before the host changed it.
void RestoreEntryKey(const std::string& entry, const char* key, const std::string& before) {
  SetEntryKey(entry, key, before.empty() ? nullptr : before.c_str());
}

DWORD RasConnections() {
  LoadedModule rasapi32("rasapi32.dll");
  auto enumerate = rasapi32.Proc<ras::RasEnumConnectionsFunction>("RasEnumConnectionsA");
  if (enumerate == nullptr) return 0;
  ras::Connection records[4] = {};
  records[0].size = sizeof(ras::Connection);
  DWORD size = sizeof(records);
  DWORD count = 0;
  return enumerate(records, &size, &count) == 0 ? count : 99;
}

// Every connection of a tune-up (the collection's first) switches to the progress view.
size_t ConnectionsMade(TestMainFrame& frame) { return frame.LogStartingWith("pane progress").size(); }

bool DialsThroughAolClient() {
  int kind = 0;
  return CSettingsStore().GetProviderKind(kind) == status::kOk && (kind == 2 || kind == 3);
}

// The America Online / CompuServe client shows its sign-on window while it dials.
bool AolClientSigningOn() {
  HWND signOn = FindWindowA("_AOL_Modal", nullptr);
  return signOn != nullptr && IsWindowVisible(signOn);
}

bool SpeedTestBegun(TestMainFrame& frame) { return !frame.LogStartingWith("progress plan").empty(); }

size_t TimedFetchesDone(TestMainFrame& frame) {
  return frame.Progress().MessagesOf(WM_TIMED_FETCH_DONE).size();
}

// When the end's moment has come (it is then acted on once).
std::function<bool()> MomentOf(const std::string& name, CVTDoc& doc, TestMainFrame& frame) {
  if (name == "stop-wait") {
    // The speed-test thread has just been started: it waits before it measures.
    return [&frame] { return SpeedTestBegun(frame) && TimedFetchesDone(frame) == 0; };
  }
  if (name == "stop-fetch") {
    return [&frame] { return SpeedTestBegun(frame) && TimedFetchesDone(frame) > 0; };
  }
  if (name == "stop-dial") {
    // The dial of the first test after the baseline, with its test value
    // written: the client is signing on (through RAS: the engine is dialing).
    return [&frame, &doc] {
      if (ConnectionsMade(frame) < 2 || !doc.DialEngine().IsDialing()) return false;
      return !DialsThroughAolClient() || AolClientSigningOn();
    };
  }
  // port-held: once the collection has connected, the next dial finds the modem taken.
  return [&frame] { return ConnectionsMade(frame) > 0; };
}

}  // namespace

bool UseOwnPhonebook(const std::string& folder) {
  const std::string lab = Phonebook();
  const std::string own = folder + "\\host-phonebook.pbk";
  if (lab.empty() || !CopyFileA(lab.c_str(), own.c_str(), FALSE)) return false;
  return SetEnvironmentVariableA(kPhonebookVariable, own.c_str()) != FALSE;
}

std::string UncleanEnd(CVTDoc& doc, TestMainFrame& frame, const RegistryValueMap& userValues) {
  std::string why;
  auto note = [&why](bool fault, const char* text) {
    if (fault) why += std::string(why.empty() ? "" : "; ") + text;
  };
  note(doc.IsRunning() || doc.IsInProgress(), "still in progress");
  note(!doc.CanStart(), "Start disabled");
  note(!frame.TreeNormal(), "tree greyed");
  note(doc.Worker().ResultLog().IsOpen(), "log open");
  note(doc.DialEngine().IsDialing() || doc.DialEngine().IsConnected(), "engine not idle");
  note(RasConnections() != 0, "RAS connection left");
  note(lab::StatusValue("link") != "down", "link up");
  note(FindWindowA("AOL Frame25", nullptr) != nullptr, "AOL client left open");
  const std::string changed = DescribeDifferences(userValues, UserNetworkValues());
  if (!changed.empty()) note(true, ("values changed: " + changed).c_str());
  return why;
}

bool IsEnd(const std::string& name) {
  return name == "stop-wait" || name == "stop-fetch" || name == "stop-dial" ||
         name == "port-held";
}

bool RunEnd(const std::string& name, const std::string& entry, int item, CVTDoc& doc,
            TestMainFrame& frame, TuneUpHostWindow& window,
            const RegistryValueMap& userValues) {
  frame.ClearLog();
  frame.Progress().Clear();
  std::function<bool()> moment = MomentOf(name, doc, frame);
  const std::string outcomeBefore = EntryKey(entry, "Outcome");
  bool acted = false;
  bool testValues = false;
  doc.SetSelectedItem(item);
  doc.Start();
  bool ended = window.RunUntil(
      [&] {
        if (!acted && moment()) {
          acted = true;
          testValues = !DescribeDifferences(userValues, UserNetworkValues()).empty();
          if (name == "port-held") {
            SetEntryKey(entry, "Outcome", "portopen-handle");
          } else {
            doc.Stop();
          }
        }
        return !doc.IsRunning();
      },
      kEndLimitMs);
  if (name == "port-held") RestoreEntryKey(entry, "Outcome", outcomeBefore);
  if (!ended) doc.StopIfRunning();
  // A refused dial's port closes a moment after the refusal.
  window.RunUntil([] { return lab::StatusValue("link") == "down" && RasConnections() == 0; },
                  kLinkDownWaitMs);

  std::string why = UncleanEnd(doc, frame, userValues);
  if (!acted) why = "the moment never came" + (why.empty() ? "" : "; " + why);
  if (!ended) why = "did not end" + (why.empty() ? "" : "; " + why);
  const std::string status = frame.View() != nullptr ? frame.View()->StatusLine() : "";
  std::printf("end %s: %s\n", name.c_str(), why.empty() ? "clean" : ("unclean: " + why).c_str());
  std::printf("end %s status: %s\n", name.c_str(), status.c_str());
  std::printf("end %s acted with: %s\n", name.c_str(),
              testValues ? "test values in effect" : "the user's values in effect");
  return why.empty();
}

void AuthFailure::Poll(TestMainFrame& frame) {
  if (seen_) return;
  if (!armed_) {
    if (frame.LogStartingWith("pane progress").empty()) return;
    passwordBefore_ = EntryKey(entry_, "Password");
    SetEntryKey(entry_, "Password", "not what the program sends");
    armed_ = true;
    armedAt_ = frame.Log().size();
    return;
  }
  // The failure shows RAS's text; the hang-ups between tests show none.
  for (size_t i = armedAt_; i < frame.Log().size(); ++i) {
    const std::string& line = frame.Log()[i];
    if (line.size() > kFailedStatusLine.size() &&
        line.compare(0, kFailedStatusLine.size(), kFailedStatusLine) == 0) {
      RestoreEntryKey(entry_, "Password", passwordBefore_);
      seen_ = true;
      std::printf("disturbance auth-fail: %s\n", line.c_str());
      return;
    }
  }
}

void AuthFailure::Report() const {
  std::printf("disturbance auth-fail: %s\n", seen_ ? "failed once, then went on" : "never failed");
}

}  // namespace disturbance

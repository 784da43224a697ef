// TuneUpHost: a complete tune-up in the lab without the program's windows.
// It runs the real tune-up controller, dial engine, worker and RAS layer with
// a plain window for a main frame that lists every pane switch and status
// line, then prints what the tune-up chose and whether the user's TCP/IP
// values and the AOL client's own came back byte for byte. A test tool:
// scripts/lab.sh tuneup runs it.
//
//   TuneUpHost.exe [--mode auto|mtu|rwin|ttl|cache] [--type 1|2|3]
//                  [--entry NAME] [--provider 1|2|3|5|6|9] [--out FOLDER] [--limit SECONDS]
//                  [--disturb stop-wait,stop-fetch,stop-dial,port-held,auth-fail]
//
// Provider kinds 2, 3, 5, 6 and 9 dial through the lab's client programs, which
// the lab has installed with what their installers leave.
//
// --disturb first runs one tune-up per named end (stop-wait, stop-fetch, stop-dial,
// port-held), each cut short and checked, then the complete tune-up, with
// an authentication failure inside it for auth-fail (TuneUpDisturbance.h).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "dialing/ClientDialPaths.h"
#include "dialing/DialHiddenDlg.h"
#include "dialing/drivers/ClientPreparation.h"
#include "engine/ResultLog.h"
#include "engine/VTDoc.h"
#include "engine/portable/StatusCodes.h"
#include "framework/MessageBoxSeam.h"
#include "framework/RegKey.h"
#include "settings/AolSettings.h"
#include "settings/DialUpProfile.h"
#include "settings/portable/ProviderKinds.h"
#include "tests/e2e/TuneUpDisturbance.h"
#include "tests/e2e/TuneUpHostWindow.h"
#include "tests/support/TcpipSnapshot.h"
#include "tests/support/TuneUpTestFrame.h"

namespace {

struct Options {
  std::string mode = "auto";
  int type = 1;
  std::string entry = "Lab ISP";
  int provider = 1;
  std::string out = ".";
  int limitSeconds = 900;
  std::vector<std::string> disturbances;
};

std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> items;
  std::stringstream stream(list);
  for (std::string item; std::getline(stream, item, ',');) {
    if (!item.empty()) items.push_back(item);
  }
  return items;
}

bool Contains(const std::vector<std::string>& items, const std::string& item) {
  for (const std::string& present : items) {
    if (present == item) return true;
  }
  return false;
}

bool KnownDisturbances(const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    if (!disturbance::IsEnd(name) && name != "auth-fail") return false;
  }
  return true;
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string name = argv[i];
    std::string value = argv[i + 1];
    if (name == "--mode") options.mode = value;
    else if (name == "--type") options.type = std::atoi(value.c_str());
    else if (name == "--entry") options.entry = value;
    else if (name == "--provider") options.provider = std::atoi(value.c_str());
    else if (name == "--out") options.out = value;
    else if (name == "--limit") options.limitSeconds = std::atoi(value.c_str());
    else if (name == "--disturb") options.disturbances = SplitList(value);
    else return false;
  }
  return (argc % 2) == 1 && KnownDisturbances(options.disturbances);
}

// The left-tree item of a mode; 0 for an unknown one.
int ItemOfMode(const std::string& mode) {
  if (mode == "auto") return 1;
  if (mode == "mtu") return 3;
  if (mode == "rwin") return 4;
  if (mode == "ttl") return 5;
  if (mode == "cache") return 6;
  return 0;
}

// The NetZero dialer's path as its installer registers it.
std::string InstalledNetZeroDialer() {
  RegKey key;
  std::string path;
  if (key.Open(HKEY_LOCAL_MACHINE,
               "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\nzStart.Exe",
               KEY_READ) == ERROR_SUCCESS) {
    key.QueryText("", path);
  }
  return path;
}

// What the wizard records for a client-program provider: NetZero's dialer
// path, and its profile with the redial count; the AOL clients' paths and
// screen names are the lab's (lab.sh start --client-profiles).
bool ConfigureClientProvider(int kind) {
  if (kind == 2 || kind == 3) return CAolSettings().SetRedial(10) == status::kOk;
  CDialUpProfile profile(kind);
  std::string dialer = InstalledNetZeroDialer();
  // Juno and AT&T WorldNet: the wizard's default paths, from their installers' values.
  if (kind == 6) profile.GetJunoPath(dialer);
  if (kind == 9) profile.GetAttPath(dialer);
  const std::string name = ProviderNameFromKind(kind);
  return !dialer.empty() && profile.SetDialerPath(kind, dialer) == status::kOk &&
         profile.SetDefaultProfile(name) == status::kOk &&
         profile.SetRedial(name, 10) == status::kOk;
}

// The profile as the configuration wizard leaves it.
bool ConfigureAsTheWizardDoes(const Options& options) {
  CSettingsStore store;
  if (store.SetProviderKind(options.provider) != status::kOk ||
      store.SetTuneUpType(static_cast<DWORD>(options.type)) != status::kOk) {
    return false;
  }
  if (options.provider != 1) return ConfigureClientProvider(options.provider);
  CDialUpProfile profile(1);
  return profile.SetDefaultProfile(options.entry) == status::kOk &&
         profile.SetLoginPassword(options.entry, "velotune", "tuneup") == status::kOk &&
         profile.SetRedial(options.entry, 10) == status::kOk &&
         profile.SetUrl(options.entry, "www.velotune-lab.test") == status::kOk;
}

// The user's values are backed up once, as at the program's first start.
void BackUpOnce() {
  CSettingsStore store;
  DWORD backedUp = 0;
  if (store.GetBackupStatus(backedUp) != status::kOk || backedUp == 0) store.Backup();
}

void PrintChosenValues() {
  const char* names[] = {"", "MTU", "RWIN", "TTL", "cache size"};
  CSettingsStore store;
  for (int parameter = kParameterMtu; parameter <= kParameterCacheSize; ++parameter) {
    TestRecord best;
    best.kind = kRecordAuto;
    best.parameter = parameter;
    if (store.ReadBest(best) == status::kOk) {
      std::printf("best %s: %d\n", names[parameter], best.value);
    } else {
      std::printf("best %s: none\n", names[parameter]);
    }
  }
}

void PrintLog() {
  CResultLog log;
  std::string text;
  if (log.Open("Read") == status::kOk && log.ReadText(text)) {
    std::printf("log: %s\n", text.c_str());
  } else {
    std::printf("log: none\n");
  }
}

void PrintSettings() {
  CSettingsStore store;
  DWORD showDialer = 0;
  std::string startup;
  std::printf("ShowVTDialer: %s\n",
              store.GetShowDialer(showDialer) == status::kOk ? std::to_string(showDialer).c_str()
                                                              : "missing");
  std::printf("start-up entry: %s\n",
              store.GetStartupEntry(startup) == status::kOk ? startup.c_str() : "missing");
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  int item = 0;
  if (!ParseOptions(argc, argv, options) || (item = ItemOfMode(options.mode)) == 0) {
    std::fprintf(stderr,
                 "usage: TuneUpHost [--mode auto|mtu|rwin|ttl|cache] [--type N] [--entry NAME] "
                 "[--provider N] [--out FOLDER] [--limit SECONDS] [--disturb LIST]\n");
    return 2;
  }
  // Nobody is there to answer a box: each is listed and answered by default.
  SetMessageBoxHandler([](const MessageBoxRequest& box) {
    std::printf("message box: %s\n", box.text.c_str());
    return DefaultButtonOf(box.type);
  });
  if (!ConfigureAsTheWizardDoes(options)) {
    std::fprintf(stderr, "host: cannot write the program's settings\n");
    return 1;
  }
  BackUpOnce();
  RegistryValueMap userValues = UserNetworkValues();
  CResultLog().Delete();

  TestMainFrame frame(CSettingsStore().GetOsFamily());
  TuneUpHostWindow window(frame);
  CClientPreparation preparation;
  CClientDialPaths clientPaths;
  CVTDoc doc(frame,
             [&clientPaths](IDialController& controller) {
               auto engine = std::make_unique<CDialHiddenDlg>(controller, nullptr, &clientPaths);
               engine->Create();
               return engine;
             },
             preparation);
  bool endsClean = true;
  if (!options.disturbances.empty() && !disturbance::UseOwnPhonebook(options.out)) {
    std::fprintf(stderr, "host: no lab phone book to disturb\n");
    return 1;
  }
  for (const std::string& name : options.disturbances) {
    if (!disturbance::IsEnd(name)) continue;
    endsClean = disturbance::RunEnd(name, options.entry, item, doc, frame, window, userValues) &&
                endsClean;
  }
  frame.ClearLog();
  frame.Progress().Clear();
  std::unique_ptr<disturbance::AuthFailure> authFailure;
  if (Contains(options.disturbances, "auth-fail")) {
    authFailure = std::make_unique<disturbance::AuthFailure>(options.entry);
  }

  DWORD started = GetTickCount();
  doc.SetSelectedItem(item);
  doc.Start();
  bool ended = window.RunUntil(
      [&] {
        if (authFailure) authFailure->Poll(frame);
        return !doc.IsRunning();
      },
      static_cast<DWORD>(options.limitSeconds) * 1000);
  if (authFailure) authFailure->Report();
  if (!ended) {
    std::printf("host: the tune-up did not end in %d s; stopping it\n", options.limitSeconds);
    doc.StopIfRunning();
  }
  DWORD elapsedMs = GetTickCount() - started;
  // The engine closes Juno a few seconds after the last hang-up, on its own
  // timers: they run before the host ends, so that no client is left open.
  window.RunUntil([] { return FindWindowA("JunoMainWndXQW21", nullptr) == nullptr; }, 30000);

  window.SaveScreenshot(options.out + "\\tuneup-host.bmp");
  for (const std::string& line : frame.Log()) std::printf("frame: %s\n", line.c_str());
  PrintChosenValues();
  PrintLog();
  PrintSettings();
  std::printf("tests: %d\n", static_cast<int>(frame.LogStartingWith("progress plan").size()));
  std::printf("wall time: %lu s\n", static_cast<unsigned long>(elapsedMs / 1000));
  std::printf("wall time ms: %lu\n", static_cast<unsigned long>(elapsedMs));
  std::string differences = DescribeDifferences(userValues, UserNetworkValues());
  std::printf("user values restored: %s\n", differences.empty() ? "yes" : "no");
  if (!differences.empty()) std::printf("%s\n", differences.c_str());
  std::printf("result: %s\n", frame.LogStartingWith("result ").empty() ? "none"
                                                                      : frame.LogStartingWith("result ").back().c_str());
  return ended && differences.empty() && endsClean ? 0 : 1;
}

// LabProfile.exe: writes the lab's dial-up configuration as the configuration
// wizard's Finish writes it - provider "Windows Dial-Up Networking", the lab
// entry as default profile with its login, password, redial count and test
// address, and the tune-up type - so that a demo can start a tune-up at once.
//   LabProfile.exe [entry] [tune-up type]     (default: "Lab ISP", 1 = Express)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/portable/StatusCodes.h"
#include "settings/DialUpProfile.h"
#include "settings/SettingsStore.h"

int main(int argc, char** argv) {
  const std::string entry = argc > 1 ? argv[1] : "Lab ISP";
  const int type = argc > 2 ? std::atoi(argv[2]) : 1;
  CSettingsStore store;
  CDialUpProfile profile(1);
  const bool written = profile.SetDefaultProfile(entry) == status::kOk &&
                       profile.SetLoginPassword(entry, "velotune", "tuneup") == status::kOk &&
                       profile.SetRedial(entry, 10) == status::kOk &&
                       profile.SetUrl(entry, "http://www.velotune-lab.test") == status::kOk &&
                       store.SetProviderKind(1) == status::kOk &&
                       store.SetTuneUpType(static_cast<DWORD>(type)) == status::kOk;
  std::printf(written ? "profile: %s, tune-up type %d\n" : "profile: cannot write %s (type %d)\n",
              entry.c_str(), type);
  return written ? 0 : 1;
}

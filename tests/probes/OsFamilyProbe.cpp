// Reports the operating-system family the program detects as its exit code.
// The OS family tests start it under each Windows version Wine can play.
#include "settings/SettingsStore.h"

int main() { return CSettingsStore::DetectOsFamily(); }

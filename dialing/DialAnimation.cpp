// The connected-animation count.
#include "dialing/DialAnimation.h"

#include "settings/SettingsStore.h"

namespace dialanimation {
namespace {

int g_connectedTicks = 0;

}  // namespace

int ConnectedTickLimit() {
  return CSettingsStore::DetectOsFamily() == kOsWindowsNT4 ? kConnectedTicksNt4 : kConnectedTicks;
}

void RestartConnectedTicks() { g_connectedTicks = 0; }

bool CountConnectedTick() {
  ++g_connectedTicks;
  if (g_connectedTicks < ConnectedTickLimit()) return false;
  g_connectedTicks = 0;
  return true;
}

int ConnectedTicks() { return g_connectedTicks; }

}  // namespace dialanimation

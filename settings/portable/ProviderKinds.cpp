// Service-provider kinds and their names.
#include "settings/portable/ProviderKinds.h"

#include <cctype>

namespace {

const char* const kDisplayNames[] = {
    "Windows Dial-Up Networking", "America Online", "CompuServe 2000",
    "Microsoft Network",          "NetZero",        "Juno",
    "EarthLink",                  "Prodigy",        "AT&T WorldNet",
};

const char* const kShortNames[] = {"DUN", "AOL", "CS2000", "MSN", "NetZero"};

bool EqualIgnoringCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return i == a.size() && b[i] == '\0';
}

bool IsProviderKind(int kind) { return kind >= kFirstProviderKind && kind <= kLastProviderKind; }

}  // namespace

int ProviderKindFromName(const std::string& name) {
  for (int kind = kFirstProviderKind; kind <= kLastProviderKind; ++kind) {
    if (EqualIgnoringCase(name, kDisplayNames[kind - 1])) return kind;
  }
  return kProviderNone;
}

std::string ProviderNameFromKind(int kind) {
  return IsProviderKind(kind) ? kDisplayNames[kind - 1] : std::string();
}

std::string ProviderShortName(int kind) {
  const int count = static_cast<int>(sizeof(kShortNames) / sizeof(kShortNames[0]));
  return (kind >= 1 && kind <= count) ? kShortNames[kind - 1] : std::string();
}

bool IsDialUpKind(int kind) {
  return kind == kProviderDialUpNetworking || kind == kProviderMsn ||
         kind == kProviderEarthLink || kind == kProviderProdigy;
}

bool HasDialerPath(int kind) { return kind >= kProviderNetZero && kind <= kProviderAttWorldNet; }

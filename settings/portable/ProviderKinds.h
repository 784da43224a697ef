// The service-provider kinds, their display names (also the names of their
// registry subkeys) and the short names some older keys use. Windows-free.
#pragma once

#include <string>

enum ProviderKind : int {
  kProviderNone = -1,
  kProviderDialUpNetworking = 1,
  kProviderAmericaOnline = 2,
  kProviderCompuServe = 3,
  kProviderMsn = 4,
  kProviderNetZero = 5,
  kProviderJuno = 6,
  kProviderEarthLink = 7,
  kProviderProdigy = 8,
  kProviderAttWorldNet = 9,
};

constexpr int kFirstProviderKind = kProviderDialUpNetworking;
constexpr int kLastProviderKind = kProviderAttWorldNet;

// The kind whose display name equals `name` without regard to case; -1 when none does.
int ProviderKindFromName(const std::string& name);

// The display name of a kind; empty for any other number.
std::string ProviderNameFromKind(int kind);

// "DUN", "AOL", "CS2000", "MSN" or "NetZero" for kinds 1 to 5; empty otherwise.
std::string ProviderShortName(int kind);

// Kinds dialled through a Windows phone-book entry (1, 4, 7 and 8); their
// profile values are kept per phone-book entry.
bool IsDialUpKind(int kind);

// Kinds with a client program of their own whose path the program keeps (5 to 9).
bool HasDialerPath(int kind);

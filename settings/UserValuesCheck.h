// Reading back, after a restore, whether the user's values are really in
// place: each live value the program may change is compared, type and bytes,
// with its copy in "\Backup Registry" (a value without a copy must be absent).
#pragma once

#include <string>

#include "settings/SettingsStore.h"

// The first TCP/IP value (of the four parameters and the MSS) that differs
// from its backup copy, named as "<value name>" in <key>; empty when all match.
std::string FirstTcpipDifference(CSettingsStore& store);

// The same for the AOL client's "aolsock" and "AolsockBack" values, the AOL
// adapters' "mtu" and the MTU values of the AOL adapters' bindings.
std::string FirstAolDifference(int osFamily);

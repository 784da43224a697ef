// The MTU an America Online or CompuServe 2000 connection runs with on
// Windows 9x: both clients dial through the AOL adapter, whose device key
// "mtu" (set by a tune-up or the tray dialer) rules; without it the TCP/IP
// binding of that adapter gives "MaxMTU". Each value read is logged.
#pragma once

#include "sim/clients/common/ClientLog.h"

// The AOL adapter's MTU; `fallback` when there is no AOL adapter or no value.
int ReadAolAdapterMtu(const ClientLog& log, int fallback);

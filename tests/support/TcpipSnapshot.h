// Every TCP/IP value the program may change on the running family, and the
// AOL client's own, flattened for a byte-for-byte comparison before and
// after a tune-up or a tray dial.
#pragma once

#include "tests/support/RegistrySnapshot.h"

RegistryValueMap TcpipValues();

// The America Online / CompuServe client's own values that the program may
// change: its "aolsock" and "AolsockBack" keys, every network device under
// Enum\Root\Net (the AOL adapter among them) and every protocol binding
// under Class\NetTrans (the adapter's TCP/IP binding among them). Whole
// trees, so that a write beside the places the program means is seen too.
RegistryValueMap AolClientValues();

// Both of the above: everything of the user's network settings a tune-up or
// a dial through any provider must leave as it found it.
RegistryValueMap UserNetworkValues();

// For tray dial tests: the user's MTU written and backed up, and a best MTU
// stored for the configured provider. Returns the user's values as they are
// then; a step that fails is a test failure.
RegistryValueMap SetUserAndBestMtu(int userMtu, int bestMtu);

// The value of one parameter in effect (as the program reads it); -1 when unset.
int TcpipValueInEffect(int parameter);

// Every TCP/IP value the program may change on the running family, flattened
// for a byte-for-byte comparison before and after a tune-up or a tray dial.
#pragma once

#include "tests/support/RegistrySnapshot.h"

RegistryValueMap TcpipValues();

// The value of one parameter in effect (as the program reads it); -1 when unset.
int TcpipValueInEffect(int parameter);

// The obscure transform of the stored best settings, so that the best values
// are not kept as plain numbers. 32-bit signed arithmetic, wrapping as the
// machine does. Windows-free.
#pragma once

int ObscureValue(int value);
// Undoes ObscureValue (integer division, truncating toward zero).
int RevealValue(int stored);

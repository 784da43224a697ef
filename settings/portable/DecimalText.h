// Numbers kept in the registry as decimal texts. Windows-free.
#pragma once

#include <string>

// The plain decimal conversion of a text: leading blanks, an optional sign
// and the digits up to the first other character; 0 when there are none.
// Numbers beyond the 32-bit range stop at its ends.
int DecimalToInt(const std::string& text);

std::string IntToDecimal(int value);

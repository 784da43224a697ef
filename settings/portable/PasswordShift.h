// The password obscuring of the dial-up profile record: every byte is
// shifted by a fixed amount on the way into the registry and back on the way
// out, so that the password is not stored as plain text. Windows-free.
#pragma once

#include <string>

// Shifts every byte up by the password shift, modulo 256. A password byte
// that the shift carries to zero stays in the text as a zero byte: the
// caller stores the whole text, not only the part before that byte.
std::string ObscurePassword(const std::string& password);

// Undoes ObscurePassword.
std::string RevealPassword(const std::string& stored);

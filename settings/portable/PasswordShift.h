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

// The bytes stored for a password: the obscured bytes exactly, and one zero
// byte more when they end in a zero byte (a password ending in the character
// the shift carries to zero). Readers drop one final zero byte, which other
// writers (a .reg import, a tool that counts the terminator) commonly add,
// so the extra zero keeps such a password's own last byte.
std::string StoredPassword(const std::string& password);

// The password of the bytes read from the registry: one final zero byte
// dropped, the rest revealed.
std::string PasswordFromStored(const std::string& stored);

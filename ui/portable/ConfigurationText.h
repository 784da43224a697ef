// The text rules of the configuration wizard and the Options dialog: the test
// address as it is stored, the Microsoft Network login prefix, EarthLink and
// Prodigy logins with their domains, the redial count typed by the user, the
// Internet Explorer version check and the lengths the edits may take so that
// what is stored can be read back. No Windows here, so it is also built natively.
#pragma once

#include <string>
#include <vector>

namespace configtext {

// The longest text the settings store reads back (its buffers hold 256 bytes).
constexpr size_t kStoredTextLimit = 255;
constexpr char kHttpPrefix[] = "http://";
constexpr char kMsnPrefix[] = "MSN/";

// The address stored for what the user typed: "http://" put in front when the
// text is shorter than 7 characters or does not begin with it (any case), then
// one trailing "/" removed. An address naming "https://" is kept as typed.
std::string StoredTestAddress(const std::string& typed);

// A stored Microsoft Network login as the page shows it: longer than 4
// characters and beginning with "MSN/" (any case): without the prefix; 4
// characters or shorter: with "MSN/" in front; otherwise as it is.
std::string MsnLoginShown(const std::string& stored);
// The Microsoft Network login stored for what the user typed: "MSN/" in front
// unless it is longer than 4 characters and already begins with it.
std::string MsnLoginStored(const std::string& typed);

// The login domains offered for EarthLink (7) and Prodigy (8), in their fixed
// order; empty for every other kind.
const std::vector<std::string>& LoginDomains(int kind);
// Splits "name@domain" at the first "@"; `domain` is empty without one.
void SplitDomainLogin(const std::string& stored, std::string& name, std::string& domain);

// The redial count of the profile page, which takes only a whole number
// (blanks around it allowed) within the 32-bit range; false otherwise.
bool ParseWholeNumber(const std::string& text, int& value);

// True when the Internet Explorer version text, compared byte by byte, is no
// greater than "4.99.9999.9" (a version older than 5).
bool IsBrowserOlderThanVersion5(const std::string& version);

// True when `text` begins with `prefix`, compared without case.
bool StartsWithNoCase(const std::string& text, const std::string& prefix);
bool EqualNoCase(const std::string& a, const std::string& b);

// How many characters each edit takes so that what is stored from it fits
// kStoredTextLimit: the login leaves room for "MSN/" (kind 4) or for "@" and
// the longest domain (kinds 7, 8); the address for "http://"; the password
// for the byte its stored form may gain.
size_t LoginEditLimit(int kind);
size_t AddressEditLimit();
size_t PasswordEditLimit();
// Redial counts take at most this many digits (any 32-bit count fits).
constexpr size_t kRedialEditLimit = 10;

// `text` cut to at most `limit` bytes (a text set from outside passes an
// edit's own limit).
std::string CutTo(const std::string& text, size_t limit);

}  // namespace configtext

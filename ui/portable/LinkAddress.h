// What a hyperlink label opens: the address formed from its kind, target and
// subject. No Windows here, so it is also built natively.
#pragma once

#include <string>

namespace links {

constexpr int kEmail = 1;
constexpr int kWeb = 2;
constexpr int kDocument = 4;

// The address to open, or an empty text for a kind that opens nothing.
// E-mail: "mailto:" put in front unless there (any case), then
// "?subject=" and the subject when there is one. Web: "http://" put in front
// unless the target already names "http://" or "https://" (any case).
// Document: the target as it is.
std::string AddressFor(int kind, const std::string& target, const std::string& subject);

// True when `text` begins with `prefix`, compared without case.
bool StartsWithNoCase(const std::string& text, const std::string& prefix);

}  // namespace links

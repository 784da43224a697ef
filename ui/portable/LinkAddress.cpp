// Link addresses (see LinkAddress.h).
#include "ui/portable/LinkAddress.h"

#include <cctype>

namespace links {

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

std::string AddressFor(int kind, const std::string& target, const std::string& subject) {
  switch (kind) {
    case kEmail: {
      std::string address = StartsWithNoCase(target, "mailto:") ? target : "mailto:" + target;
      if (!subject.empty()) address += "?subject=" + subject;
      return address;
    }
    case kWeb:
      // A secure address keeps its own scheme rather than becoming "http://https://...".
      if (StartsWithNoCase(target, "http://") || StartsWithNoCase(target, "https://")) return target;
      return "http://" + target;
    case kDocument:
      return target;
    default:
      return std::string();
  }
}

}  // namespace links

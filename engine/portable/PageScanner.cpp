// Reading a test page (see PageScanner.h).
#include "engine/portable/PageScanner.h"

#include <algorithm>
#include <cctype>

namespace pagescan {
namespace {

const char kScheme[] = "http://";
const size_t kSchemeLength = sizeof(kScheme) - 1;
// How far after "IMG SRC =" the opening double quote may stand.
const size_t kQuoteWindow = 8;
// A frame search moves on this far past the start of the source it found.
const size_t kFrameStep = 4;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

std::string KeywordWithoutBlanks(const std::string& keyword) {
  std::string compact;
  for (char c : keyword) {
    if (!IsBlank(c)) compact += Upper(c);
  }
  return compact;
}

// Matches the compact keyword at `at`; `last` is the index of the last character matched.
bool MatchesAt(const std::string& text, const std::string& compact, size_t at, size_t& last) {
  size_t position = at;
  for (size_t k = 0; k < compact.size(); ++k) {
    if (k > 0) {
      while (position < text.size() && IsBlank(text[position])) ++position;
    }
    if (position >= text.size() || Upper(text[position]) != compact[k]) return false;
    last = position++;
  }
  return true;
}

bool Contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

// A relative source made absolute: "/" in front unless it starts with one, then the base.
std::string Absolute(const std::string& source, const std::string& base) {
  if (Contains(source, kScheme)) return source;
  return base + (source.compare(0, 1, "/") == 0 ? source : "/" + source);
}

// The first of the frame source extensions found from `from`, in order of preference.
size_t FindFrameExtension(const std::string& page, size_t from) {
  for (const char* extension : {".html", ".HTML", ".htm", ".HTM"}) {
    size_t found = page.find(extension, from);
    if (found != std::string::npos) return found;
  }
  return std::string::npos;
}

}  // namespace

bool FindKeyword(const std::string& text, const std::string& keyword, size_t start, size_t& first,
                 size_t& last) {
  const std::string compact = KeywordWithoutBlanks(keyword);
  if (compact.empty()) return false;
  for (size_t at = start; at < text.size(); ++at) {
    if (Upper(text[at]) == compact[0] && MatchesAt(text, compact, at, last)) {
      first = at;
      return true;
    }
  }
  return false;
}

int FindRefresh(const std::string& page, const std::string& pageAddress, std::string& target) {
  size_t position = 0;
  size_t first;
  size_t last;
  while (FindKeyword(page, "<META HTTP-EQUIV", position, first, last)) {
    size_t close = page.find('>', last + 1);
    if (close == std::string::npos) return 0;
    size_t urlFirst;
    size_t urlLast;
    if (FindKeyword(page, "URL=", first, urlFirst, urlLast) && urlLast < close) {
      if (page[close - 1] != '"') return 20;
      std::string address = page.substr(urlLast + 1, close - 1 - (urlLast + 1));
      target = Absolute(address, pageAddress);
      return 21;
    }
    position = close + 1;
  }
  return 0;
}

int ListFrames(const std::string& page, std::vector<std::string>& frames) {
  size_t listed = 0;
  size_t position = 0;
  size_t first;
  size_t last;
  while (listed < kMaxFrames && (FindKeyword(page, "<FRAME NAME=", position, first, last) ||
                                 FindKeyword(page, "<FRAME SRC=", position, first, last))) {
    size_t extension = FindFrameExtension(page, first);
    size_t open = extension == std::string::npos ? extension : page.rfind('"', extension);
    size_t close = open == std::string::npos ? open : page.find('"', open + 1);
    if (close == std::string::npos) return listed > 0 ? 0 : 22;
    std::string source = page.substr(open + 1, close - open - 1);
    frames.push_back(source.compare(0, 1, "/") == 0 ? source : "/" + source);
    ++listed;
    // Always beyond this tag, even when the source's quote stood before it.
    position = std::max(open + 1 + kFrameStep, first + 1);
  }
  return 0;
}

std::string FrameBase(const std::string& redirectAddress, const std::string& pageAddress) {
  const std::string& base = redirectAddress.empty() ? pageAddress : redirectAddress;
  return base.compare(0, kSchemeLength, kScheme) == 0 ? base : kScheme + base;
}

size_t ListImages(const std::string& page, const std::string& baseAddress,
                  std::vector<std::string>& images) {
  size_t listed = 0;
  size_t position = 0;
  size_t first;
  size_t last;
  while (images.size() < kMaxImages && FindKeyword(page, "IMG SRC =", position, first, last)) {
    size_t window = std::min(page.size(), last + 1 + kQuoteWindow);
    size_t open = page.find('"', last + 1);
    if (open == std::string::npos || open >= window) {
      position = first + 1;
      continue;
    }
    size_t close = page.find('"', open + 1);
    if (close == std::string::npos) break;
    images.push_back(Absolute(page.substr(open + 1, close - open - 1), baseAddress));
    ++listed;
    position = close + 1;
  }
  return listed;
}

int ImageListStatus(size_t listed, int toggle) {
  if (listed > 0) return 0;
  return toggle == 1 ? 23 : 52;
}

bool SplitHttpAddress(const std::string& address, HttpTarget& target) {
  size_t scheme = address.find(kScheme);
  if (scheme == std::string::npos) return false;
  std::string rest = address.substr(scheme + kSchemeLength);
  size_t slash = rest.find('/');
  std::string host = rest.substr(0, slash);
  target.path = slash == std::string::npos ? "/" : rest.substr(slash);
  target.port = 80;
  size_t colon = host.find(':');
  if (colon != std::string::npos) {
    std::string digits = host.substr(colon + 1);
    if (digits.empty() || digits.size() > 5 ||
        !std::all_of(digits.begin(), digits.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; })) {
      return false;
    }
    unsigned long port = std::stoul(digits);
    if (port == 0 || port > 65535) return false;
    target.port = static_cast<unsigned short>(port);
    host.erase(colon);
  }
  target.host = host;
  return !host.empty();
}

std::string WithHttpScheme(const std::string& address) {
  return address.compare(0, kSchemeLength, kScheme) == 0 ? address : kScheme + address;
}

void AppendWithoutLineBreaks(std::string& text, const char* data, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    if (data[i] != '\r' && data[i] != '\n') text += data[i];
  }
}

}  // namespace pagescan

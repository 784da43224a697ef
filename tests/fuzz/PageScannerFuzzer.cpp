// Fuzz target of the page scanner. Whatever the page, nothing may crash or
// overrun; every listed frame begins with "/", lists stay within their
// bounds, every image address is absolute, and a matched keyword lies
// inside the text.
//
// Input: byte 0 chooses the base address form, the rest is the page text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/portable/PageScanner.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string base = data[0] % 2 == 0 ? "http://www.example.com" : "www.example.com/dir";
  const std::string page(reinterpret_cast<const char*>(data + 1), size - 1);

  std::size_t first = 0;
  std::size_t last = 0;
  if (pagescan::FindKeyword(page, "IMG SRC =", 0, first, last)) {
    Require(first <= last && last < page.size());
  }

  std::string target;
  int refresh = pagescan::FindRefresh(page, base, target);
  Require(refresh == 0 || refresh == 20 || refresh == 21);

  std::vector<std::string> frames;
  int framesStatus = pagescan::ListFrames(page, frames);
  Require(framesStatus == 0 || framesStatus == 22);
  Require(frames.size() <= pagescan::kMaxFrames);
  for (const std::string& frame : frames) Require(!frame.empty() && frame[0] == '/');

  std::vector<std::string> images;
  std::size_t listed = pagescan::ListImages(page, base, images);
  Require(listed == images.size() && listed <= pagescan::kMaxImages);
  for (const std::string& image : images) {
    Require(image.find("http://") != std::string::npos || image.compare(0, base.size(), base) == 0);
    pagescan::HttpTarget split;
    if (pagescan::SplitHttpAddress(image, split)) Require(!split.host.empty() && split.port != 0);
  }
  return 0;
}

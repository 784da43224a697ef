// Reading a test page: the keyword matcher, the META refresh, the frame
// sources and the image sources, and splitting an image address for a
// request. Windows-free, so it is also built natively and fuzzed: every
// function here takes text from the network and must stay within it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace pagescan {

// Bounds for hostile pages: a page of tags only lists this many frames and images.
constexpr size_t kMaxFrames = 16;
constexpr size_t kMaxImages = 200;

// Finds `keyword` in `text` from index `start`, ignoring letter case and
// blanks: blanks are removed from the keyword, and blanks in the text
// between the keyword's characters are skipped (a match starts on the
// keyword's first character). On success `first` and `last` are the
// indexes of the match's first and last characters.
bool FindKeyword(const std::string& text, const std::string& keyword, size_t start, size_t& first,
                 size_t& last);

// The META refresh of a page. 0 when there is none; 20 when the refresh
// address is not closed by a double quote just before the tag's ">"; 21 with
// `target` the absolute address to fetch instead.
int FindRefresh(const std::string& page, const std::string& pageAddress, std::string& target);

// The frame sources of a page, each beginning with "/", in page order.
// 0, also when there are none; 22 when a frame tag names no HTML source and
// no frame was listed before it.
int ListFrames(const std::string& page, std::vector<std::string>& frames);

// The address a frame source is appended to: the refresh target when one was
// followed, else the page address, with "http://" in front when it lacks it.
std::string FrameBase(const std::string& redirectAddress, const std::string& pageAddress);

// Appends the page's image sources to `images` as absolute addresses (a
// relative source is put after `baseAddress` and a "/"); returns how many
// were listed.
size_t ListImages(const std::string& page, const std::string& baseAddress,
                  std::vector<std::string>& images);

// The outcome of listing a page's images: 0 when some were listed; else 23
// when `toggle` is 1 (the default test site was read) and 52 when it is 0.
int ImageListStatus(size_t listed, int toggle);

// An image address split for a request: host name, port (80 unless the
// address names one) and object path. False for an address without
// "http://", an empty host or a port that is not a number from 1 to 65535.
struct HttpTarget {
  std::string host;
  unsigned short port = 80;
  std::string path;
};
bool SplitHttpAddress(const std::string& address, HttpTarget& target);

// The address with "http://" in front unless its first seven characters are exactly that.
std::string WithHttpScheme(const std::string& address);

// Appends a document's bytes to page text without line breaks.
void AppendWithoutLineBreaks(std::string& text, const char* data, size_t size);

}  // namespace pagescan

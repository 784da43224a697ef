// The texts and figures of the tray's menus that need no window: the names
// listed under one "Dial To" submenu, an item's text with its ampersands
// kept literal, an item's mnemonic, and the side bar's colour bands. No
// Windows here, so it is also built natively.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace traymenu {

// At most this many names per "Dial To" submenu.
constexpr size_t kMaxNamesPerList = 21;
// An item's text is read up to this many characters.
constexpr size_t kMaxItemText = 259;

// The names of one submenu: those of the older short-named key first, then
// those kept under the provider's own key, each name once (compared without
// case), at most kMaxNamesPerList in all.
std::vector<std::string> MergeNames(const std::vector<std::string>& shortKeyNames,
                                    const std::vector<std::string>& providerKeyNames);

// A connection or screen name as a menu item's text: "&" doubled so that the
// name shows as it is, cut to kMaxItemText characters without splitting a
// doubled "&".
std::string ItemText(const std::string& name);

// The upper-case letter after the first single "&" of an item's text; 0 when
// the text has none.
char Mnemonic(const std::string& text);

struct Rgb {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
};

struct Band {
  int top = 0;     // first row of the band
  int height = 0;  // rows, the last band may be shorter
  Rgb colour;
};

// The side bar's vertical gradient over `height` rows: bands of
// height / 128 rows (at least 1), the first band `top`, the last `bottom`,
// the ones between linearly interpolated.
std::vector<Band> GradientBands(int height, Rgb top, Rgb bottom);

}  // namespace traymenu

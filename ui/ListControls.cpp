// Drop-down list helpers (see ListControls.h).
#include "ui/ListControls.h"

namespace listcontrols {

namespace {

std::string ItemText(HWND combo, int index) {
  const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR || length <= 0) return std::string();
  std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
  const LRESULT copied =
      SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  return std::string(text.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

}  // namespace

void AddComboItems(HWND combo, const std::vector<std::string>& items) {
  for (const std::string& item : items) {
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
}

std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) items.push_back(ItemText(combo, i));
  return items;
}

std::string SelectedComboText(HWND combo) {
  const LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  return selected == CB_ERR ? std::string() : ItemText(combo, static_cast<int>(selected));
}

int SelectComboExact(HWND combo, const std::string& text) {
  const LRESULT found = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(text.c_str()));
  if (found == CB_ERR) return -1;
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
  return static_cast<int>(found);
}

int SelectComboExactCase(HWND combo, const std::string& text) {
  const std::vector<std::string> items = ComboItems(combo);
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] == text) {
      SendMessageA(combo, CB_SETCURSEL, i, 0);
      return static_cast<int>(i);
    }
  }
  return -1;
}

void ClearCombo(HWND combo) { SendMessageA(combo, CB_RESETCONTENT, 0, 0); }

}  // namespace listcontrols

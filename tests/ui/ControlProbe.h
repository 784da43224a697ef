// Reading what the configuration dialogs show and what they stored: the
// items and selection of a drop-down list, and a registry value as text.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/RegistryFixture.h"

namespace probe {

inline std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) {
    char text[300] = {};
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    items.push_back(text);
  }
  return items;
}

// The selected item's text, or "<none>".
inline std::string ComboSelection(HWND combo) {
  const LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (selected == CB_ERR) return "<none>";
  char text[300] = {};
  SendMessageA(combo, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text));
  return text;
}

// A value's bytes as text, a DWORD as its decimal number, "<none>" when missing.
inline std::string Stored(const std::string& key, const std::string& name) {
  DWORD type = 0;
  std::vector<BYTE> data;
  if (!testreg::ReadRaw(key, name, type, data)) return "<none>";
  if (type == REG_DWORD && data.size() == 4) return std::to_string(*reinterpret_cast<DWORD*>(data.data()));
  return std::string(data.begin(), data.end());
}

}  // namespace probe

// Small helpers for the drop-down lists of the configuration wizard, the
// screen-name dialog and the Options dialog.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace listcontrols {

// Appends the texts to a combo box, in order.
void AddComboItems(HWND combo, const std::vector<std::string>& items);
// Every item's text, in list order.
std::vector<std::string> ComboItems(HWND combo);
// The selected item's text; empty when nothing is selected.
std::string SelectedComboText(HWND combo);
// Selects the item whose text equals `text` (without case); its index or -1.
int SelectComboExact(HWND combo, const std::string& text);
// Selects the item whose text equals `text` byte for byte; its index or -1.
int SelectComboExactCase(HWND combo, const std::string& text);
void ClearCombo(HWND combo);

}  // namespace listcontrols

// Small helpers for the controls of dialogs and pages: check boxes, radio
// groups, combo boxes, edits with numbers, spin buttons, sliders and enabling.
// Texts cross here as CP932 (the program's text) or UTF-16.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace wingui {

bool IsChecked(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool on);

// A group of radio buttons given in order: the index of the checked one, or -1.
int CheckedIndex(HWND dialog, std::initializer_list<int> ids);
// Checks the button at `index` and clears the others (an index outside the group checks none).
void CheckIndex(HWND dialog, std::initializer_list<int> ids, int index);

// Combo and list boxes of a fixed list (CP932 items).
void FillCombo(HWND dialog, int id, const std::vector<std::string>& items);
// Selects `index`; an index that matches no item selects item 0.
void SelectComboItem(HWND dialog, int id, int index);
int ComboSelection(HWND dialog, int id);  // -1 when nothing is selected
int ComboCount(HWND dialog, int id);

// A control's text as CP932, and back.
std::string GetItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& cp932);
// A number typed into an edit; `fallback` when the text is no number.
int GetItemNumber(HWND dialog, int id, int fallback = 0);
void SetItemNumber(HWND dialog, int id, int value);

// The range of an up-down control.
void SetSpinRange(HWND dialog, int id, int low, int high);
// The range and position of a trackbar.
void SetSliderRange(HWND dialog, int id, int low, int high);
void SetSliderPosition(HWND dialog, int id, int position);
int SliderPosition(HWND dialog, int id);

void EnableItems(HWND dialog, std::initializer_list<int> ids, bool on);

}  // namespace wingui

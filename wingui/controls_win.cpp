#include "wingui/controls_win.h"

#include <commctrl.h>

#include <cerrno>
#include <cstdlib>

#include "wingui/text_win.h"

namespace wingui {

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void SetChecked(HWND dialog, int id, bool on) { CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }

int CheckedIndex(HWND dialog, std::initializer_list<int> ids) {
  int index = 0;
  for (int id : ids) {
    if (IsChecked(dialog, id)) return index;
    ++index;
  }
  return -1;
}

void CheckIndex(HWND dialog, std::initializer_list<int> ids, int index) {
  int i = 0;
  for (int id : ids) SetChecked(dialog, id, i++ == index);
}

void FillCombo(HWND dialog, int id, const std::vector<std::string>& items) {
  SendDlgItemMessageW(dialog, id, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    const std::wstring wide = WideFromAnsi(item);
    SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
}

void SelectComboItem(HWND dialog, int id, int index) {
  const int count = ComboCount(dialog, id);
  SendDlgItemMessageW(dialog, id, CB_SETCURSEL, index >= 0 && index < count ? index : 0, 0);
}

int ComboSelection(HWND dialog, int id) {
  return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
}

int ComboCount(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageW(dialog, id, CB_GETCOUNT, 0, 0)); }

std::string GetItemText(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  const int n = item ? GetWindowTextLengthW(item) : 0;
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  if (n > 0) GetWindowTextW(item, &text[0], n + 1);
  text.resize(static_cast<std::size_t>(n));
  return AnsiFromWide(text);
}

void SetItemText(HWND dialog, int id, const std::string& cp932) {
  SetDlgItemTextW(dialog, id, WideFromAnsi(cp932).c_str());
}

int GetItemNumber(HWND dialog, int id, int fallback) {
  const std::string text = GetItemText(dialog, id);
  if (text.empty()) return fallback;
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str() || errno == ERANGE || value > 0x7fffffffL || value < -0x7fffffffL) return fallback;
  return static_cast<int>(value);
}

void SetItemNumber(HWND dialog, int id, int value) { SetDlgItemInt(dialog, id, static_cast<UINT>(value), TRUE); }

void SetSpinRange(HWND dialog, int id, int low, int high) {
  SendDlgItemMessageW(dialog, id, UDM_SETRANGE32, static_cast<WPARAM>(low), static_cast<LPARAM>(high));
}

void SetSliderRange(HWND dialog, int id, int low, int high) {
  SendDlgItemMessageW(dialog, id, TBM_SETRANGEMIN, FALSE, low);
  SendDlgItemMessageW(dialog, id, TBM_SETRANGEMAX, TRUE, high);
}

void SetSliderPosition(HWND dialog, int id, int position) {
  SendDlgItemMessageW(dialog, id, TBM_SETPOS, TRUE, position);
}

int SliderPosition(HWND dialog, int id) { return static_cast<int>(SendDlgItemMessageW(dialog, id, TBM_GETPOS, 0, 0)); }

void EnableItems(HWND dialog, std::initializer_list<int> ids, bool on) {
  for (int id : ids) EnableWindow(GetDlgItem(dialog, id), on ? TRUE : FALSE);
}

}  // namespace wingui

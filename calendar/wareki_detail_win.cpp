#include "calendar/wareki_detail_win.h"

#include <cstdio>
#include <cwchar>

#include "base/string_table.h"
#include "calendar/holidays.h"
#include "wingui/text_win.h"

namespace {
constexpr int kLetterList = 1768;
constexpr int kDifferenceEdit = 1780;
constexpr int kMinDifference = 0;
constexpr int kMaxDifference = 3000;
constexpr unsigned kRangeMessage = 63111;
}  // namespace

void CWarekiDetail::SetLetter(const std::string& text) {
  if (quorel::IsEraLetter(text)) letter = text;
}

bool CWarekiDetail::OnInitDialog() {
  for (wchar_t c = L'A'; c <= L'Z'; ++c) {
    const wchar_t text[2] = {c, 0};
    SendDlgItemMessageW(hwnd(), kLetterList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  SendDlgItemMessageW(hwnd(), kLetterList, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(wingui::WideFromAnsi(letter).c_str()));
  SetDlgItemInt(hwnd(), kDifferenceEdit, static_cast<UINT>(difference), TRUE);
  return true;
}

void CWarekiDetail::OnOK() {
  wchar_t text[32] = {};
  GetDlgItemTextW(hwnd(), kDifferenceEdit, text, 32);
  wchar_t* end = nullptr;
  const long value = std::wcstol(text, &end, 10);
  bool number = end != text;
  while (number && *end == L' ') ++end;
  if (!number || *end || value < kMinDifference || value > kMaxDifference) {
    char message[128];
    std::snprintf(message, sizeof message, quorel::LoadText(kRangeMessage).c_str(), kMinDifference, kMaxDifference);
    ShowRangeError(wingui::WideFromAnsi(message));
    SetFocus(Item(kDifferenceEdit));
    SendDlgItemMessageW(hwnd(), kDifferenceEdit, EM_SETSEL, 0, -1);
    return;  // the dialog stays open
  }
  wchar_t chosen[8] = {};
  GetDlgItemTextW(hwnd(), kLetterList, chosen, 8);
  SetLetter(wingui::AnsiFromWide(chosen));
  difference = static_cast<int>(value);
  End(IDOK);
}

void CWarekiDetail::ShowRangeError(const std::wstring& text) {
  MessageBoxW(hwnd(), text.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
}

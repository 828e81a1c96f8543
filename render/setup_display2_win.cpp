#include "render/setup_display2_win.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "base/string_table.h"
#include "render/bitmap_test_win.h"
#include "render/character_choice.h"
#include "settings_ui/help_dialog_win.h"
#include "wingui/controls_win.h"
#include "wingui/text_win.h"

namespace {

enum : int {
  kCharacter = 1007, kBlink = 1001, kBackground = 1002, kImageLabel = 1161, kInfoLabel = 1162, kImage = 1163,
  kInfo = 1164, kBrowseImage = 1165, kBrowseInfo = 1166, kTest = 1167, kFileGroup = 1168, kGuide = 1179,
  kInfoNote = 1191,
};
constexpr unsigned kStrImageFilter = 205, kStrImageTitle = 206, kStrInfoFilter = 208, kStrInfoTitle = 209;
constexpr unsigned kStrNoImageToTest = 251, kStrTitle = 57344;

// "description|pattern||" as the double-nul list of a file dialog.
std::wstring FilterList(unsigned text) {
  std::wstring filter = wingui::WideFromAnsi(quorel::LoadText(text));
  for (wchar_t& c : filter)
    if (c == L'|') c = L'\0';
  filter.push_back(L'\0');
  return filter;
}

}  // namespace

bool CSetupDisplay2::OnInitDialog() {
  Loading loading(*this);
  const quorel::QuorelSettings& s = host_.settings();
  HWND d = hwnd();
  std::vector<std::string> labels;
  for (int item = 0; item < quorel::kCharacterChoiceCount; ++item)
    labels.push_back(quorel::LoadText(quorel::CharacterChoiceLabel(item)));
  wingui::FillCombo(d, kCharacter, labels);
  wingui::SelectComboItem(d, kCharacter, quorel::CharacterChoiceItem(s.character));
  wingui::SetChecked(d, kBlink, s.blink_animation != 0);
  wingui::SetChecked(d, kBackground, s.background_animation != 0);
  wingui::SetItemText(d, kImage, s.user_character_bitmap);
  wingui::SetItemText(d, kInfo, s.user_character_info);
  EnableFileGroup();
  return true;
}

void CSetupDisplay2::EnableFileGroup() {
  const bool files = quorel::CharacterChoiceValue(wingui::ComboSelection(hwnd(), kCharacter)) ==
                     quorel::kCharacterChoiceUserFiles;
  wingui::EnableItems(hwnd(),
                      {kFileGroup, kImageLabel, kImage, kBrowseImage, kInfoLabel, kInfo, kBrowseInfo, kTest,
                       kInfoNote, kGuide},
                      files);
}

bool CSetupDisplay2::OnCommand(int id, int code) {
  if (loading()) return false;
  if (id == kCharacter && code == CBN_SELCHANGE) {
    EnableFileGroup();
    return true;
  }
  if (code != BN_CLICKED) return false;
  switch (id) {
    case kBrowseImage: Browse(kImage, kStrImageFilter, L"bmp", kStrImageTitle); return true;
    case kBrowseInfo: Browse(kInfo, kStrInfoFilter, L"inf", kStrInfoTitle); return true;
    case kTest: Test(); return true;
    case kGuide: {
      CHelpDialog guide(CHelpDialog::kCharacterGuide);
      guide.DoModal(hwnd());
      return true;
    }
    default: return false;
  }
}

void CSetupDisplay2::Browse(int edit, unsigned filter, const wchar_t* extension, unsigned title) {
  const std::wstring filters = FilterList(filter);
  const std::wstring caption = wingui::WideFromAnsi(quorel::LoadText(title));
  std::wstring file = wingui::WideFromAnsi(wingui::GetItemText(hwnd(), edit));
  file.resize(MAX_PATH * 4, L'\0');
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = hwnd();
  ofn.lpstrFilter = filters.c_str();
  ofn.lpstrFile = &file[0];
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrTitle = caption.c_str();
  ofn.lpstrDefExt = extension;
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&ofn)) return;
  file.resize(wcslen(file.c_str()));
  wingui::SetItemText(hwnd(), edit, wingui::AnsiFromWide(file));
}

void CSetupDisplay2::Test() {
  const std::string image = wingui::GetItemText(hwnd(), kImage);
  if (image.empty()) {
    MessageBoxW(hwnd(), wingui::WideFromAnsi(quorel::LoadText(kStrNoImageToTest)).c_str(),
                wingui::WideFromAnsi(quorel::LoadText(kStrTitle)).c_str(), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  CBitmapTest test(image, wingui::GetItemText(hwnd(), kInfo));
  test.DoModal(hwnd());
}

void CSetupDisplay2::OnApply() {
  quorel::QuorelSettings& s = host_.settings();
  HWND d = hwnd();
  const int item = wingui::ComboSelection(d, kCharacter);
  s.character = quorel::CharacterChoiceValue(item >= 0 ? item : 0);
  s.blink_animation = wingui::IsChecked(d, kBlink) ? 1 : 0;
  s.background_animation = wingui::IsChecked(d, kBackground) ? 1 : 0;
  s.user_character_bitmap = wingui::GetItemText(d, kImage);
  s.user_character_info = wingui::GetItemText(d, kInfo);
}

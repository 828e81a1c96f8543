#include "alarm/setup_alarm_win.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "alarm/alarm_check.h"
#include "alarm/alarm_page_rules.h"
#include "alarm/alarm_strings.h"
#include "alarm/clock_alarms_win.h"
#include "app/messages.h"
#include "base/string_table.h"
#include "settings_ui/help_dialog_win.h"
#include "wingui/controls_win.h"
#include "wingui/text_win.h"

namespace {

constexpr unsigned kStrTypeFirst = 62310, kStrToneMessage = 62314, kStrToneFile = 62315, kStrWindowFirst = 62316;
constexpr unsigned kStrTitle = 57344;
constexpr int kManualText = 152;

std::vector<std::string> Numbers(int first, int last, int step = 1) {
  std::vector<std::string> out;
  char buf[8];
  for (int i = first; i <= last; i += step) {
    std::snprintf(buf, sizeof buf, "%02d", i);
    out.push_back(buf);
  }
  return out;
}

std::vector<std::string> Texts(unsigned first, unsigned count) {
  std::vector<std::string> out;
  for (unsigned i = 0; i < count; ++i) out.push_back(quorel::LoadText(first + i));
  return out;
}

void Limit(HWND dialog, int id, int chars) { SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, chars, 0); }

// An open-file dialog; empty when nothing was chosen.
std::string ChooseFile(HWND owner, unsigned title, unsigned filter, const wchar_t* default_ext,
                       const std::string& start, DWORD extra_flags) {
  std::wstring filters = wingui::WideFromAnsi(quorel::LoadText(filter));
  for (wchar_t& c : filters) {
    if (c == L'|') c = L'\0';
  }
  filters.push_back(L'\0');
  const std::wstring caption = wingui::WideFromAnsi(quorel::LoadText(title));
  std::vector<wchar_t> file(MAX_PATH * 4, L'\0');
  const std::wstring initial = wingui::WideFromAnsi(start);
  if (initial.size() < file.size()) std::copy(initial.begin(), initial.end(), file.begin());
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filters.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrTitle = caption.c_str();
  ofn.lpstrDefExt = default_ext;
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER | extra_flags;
  if (!GetOpenFileNameW(&ofn)) return "";
  return wingui::AnsiFromWide(file.data());
}

void Message(HWND owner, const std::string& text) {
  MessageBoxW(owner, wingui::WideFromAnsi(text).c_str(), wingui::WideFromAnsi(quorel::LoadText(kStrTitle)).c_str(),
              MB_OK | MB_ICONINFORMATION);
}

}  // namespace

// ---- The program dialog ----

bool CAlarmProgramSet::OnInitDialog() {
  HWND d = hwnd();
  Limit(d, kProgramText, quorel::kMaxAlarmText);
  wingui::SetItemText(d, kProgramText, program_);
  wingui::FillCombo(d, kProgramWindow, Texts(kStrWindowFirst, 3));
  wingui::SelectComboItem(d, kProgramWindow, window_ >= 0 && window_ <= 2 ? window_ : 0);
  return true;
}

bool CAlarmProgramSet::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return false;
  HWND d = hwnd();
  if (id == kProgramBrowse) {
    std::string program, parameters;
    quorel::SplitProgram(wingui::GetItemText(d, kProgramText), program, parameters);
    std::string chosen = ChooseFile(d, quorel::kStrProgramFileTitle, quorel::kStrAllFilesFilter, nullptr, program,
                                    OFN_NODEREFERENCELINKS);
    if (chosen.empty()) return true;
    if (chosen.find(' ') != std::string::npos) chosen = "\"" + chosen + "\"";
    wingui::SetItemText(d, kProgramText, chosen);
    return true;
  }
  if (id == kProgramTest) {
    const std::string text = wingui::GetItemText(d, kProgramText);
    if (text.empty()) return true;
    SYSTEMTIME t;
    GetLocalTime(&t);
    quorel::ClockTime now;
    now.year = t.wYear, now.month = t.wMonth, now.day = t.wDay, now.day_of_week = t.wDayOfWeek;
    now.hour = t.wHour, now.minute = t.wMinute, now.second = t.wSecond;
    const std::string expanded = quorel::ExpandProgramMacros(text, now);
    char what[2400];
    std::snprintf(what, sizeof what, quorel::LoadText(quorel::kStrProgramTestWhat).c_str(), expanded.c_str());
    Message(d, what);
    std::string program, parameters;
    quorel::SplitProgram(expanded, program, parameters);
    const int window = wingui::ComboSelection(d, kProgramWindow);
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", wingui::WideFromAnsi(program).c_str(),
                                           parameters.empty() ? nullptr : wingui::WideFromAnsi(parameters).c_str(),
                                           nullptr, ShowCommandOfWindowValue(window >= 0 ? window : 0));
    Message(d, quorel::LoadText(reinterpret_cast<INT_PTR>(result) > 32 ? quorel::kStrProgramTestDone
                                                                         : quorel::kStrProgramTestFailed));
    return true;
  }
  return false;
}

void CAlarmProgramSet::OnOK() {
  program_ = wingui::GetItemText(hwnd(), kProgramText);
  const int window = wingui::ComboSelection(hwnd(), kProgramWindow);
  window_ = window >= 0 && window <= 2 ? window : 0;
  End(IDOK);
}

// ---- The alarm dialog ----

bool CAlarmSet::PackLoaded(int position) const {
  switch (quorel::AlarmPackOfPosition(position)) {
    case quorel::SoundPack::kLight: return host_.light_voice_loaded();
    case quorel::SoundPack::kSerious: return host_.serious_voice_loaded();
    case quorel::SoundPack::kChime: return host_.chime_pack_loaded();
    default: return true;
  }
}

bool CAlarmSet::OnInitDialog() {
  HWND d = hwnd();
  const quorel::_ALARM_INFO& a = alarm_;
  wingui::FillCombo(d, kAlarmType, Texts(kStrTypeFirst, 4));
  wingui::SelectComboItem(d, kAlarmType, a.type >= 0 && a.type <= 3 ? a.type : 0);
  wingui::FillCombo(d, kAlarmHour, Numbers(0, 23));
  wingui::SelectComboItem(d, kAlarmHour, a.hour >= 0 && a.hour <= 23 ? a.hour : 0);
  wingui::FillCombo(d, kAlarmMinute, Numbers(0, 55, 5));
  SendDlgItemMessageW(d, kAlarmMinute, CB_LIMITTEXT, 2, 0);
  wingui::SetItemText(d, kAlarmMinute, Numbers(a.minute, a.minute)[0]);
  wingui::FillCombo(d, kAlarmMonth, Numbers(1, 12));
  wingui::SelectComboItem(d, kAlarmMonth, a.month >= 1 && a.month <= 12 ? a.month - 1 : 0);
  wingui::FillCombo(d, kAlarmDay, Numbers(1, 31));
  wingui::SelectComboItem(d, kAlarmDay, a.day >= 1 && a.day <= 31 ? a.day - 1 : 0);
  for (int w = 0; w < 7; ++w) wingui::SetChecked(d, kAlarmSunday + w, (a.weekdays & (1 << w)) != 0);
  std::vector<std::string> tones = Texts(quorel::kStrAlarmToneLight1, 5);
  tones.push_back(quorel::LoadText(kStrToneMessage));
  tones.push_back(quorel::LoadText(kStrToneFile));
  wingui::FillCombo(d, kAlarmTone, tones);
  wingui::SelectComboItem(d, kAlarmTone, quorel::AlarmTonePosition(a.tone));
  wingui::CheckIndex(d, {kAlarmOnce, kAlarmAlways}, a.reuse == 1 ? 1 : 0);
  wingui::SetChecked(d, kAlarmStartProgram, a.start_program == 1);
  wingui::CheckIndex(d, {kAlarmNoRepeat, kAlarmRepeatCount, kAlarmRepeatForever},
                     a.repeat_kind >= 0 && a.repeat_kind <= 2 ? a.repeat_kind : 0);
  Limit(d, kAlarmCount, 2);
  Limit(d, kAlarmInterval, 4);
  wingui::SetSpinRange(d, kAlarmCountSpin, quorel::kMinRepeatCount, quorel::kMaxRepeatCount);
  wingui::SetSpinRange(d, kAlarmIntervalSpin, quorel::kMinRepeatInterval, quorel::kMaxRepeatInterval);
  wingui::SetItemNumber(d, kAlarmCount, a.repeat_count);
  wingui::SetItemNumber(d, kAlarmInterval, a.repeat_interval);
  Limit(d, kAlarmFileName, quorel::kMaxAlarmText);
  Limit(d, kAlarmMessageText, quorel::kMaxAlarmText);
  wingui::SetItemText(d, kAlarmFileName, a.tone_file);
  wingui::SetItemText(d, kAlarmMessageText, a.message);
  Enable();
  return true;
}

void CAlarmSet::Enable() {
  HWND d = hwnd();
  const int type = wingui::ComboSelection(d, kAlarmType);
  wingui::EnableItems(d, {kAlarmDateGroup}, type == 1 || type == 2);
  wingui::EnableItems(d, {kAlarmMonth, kAlarmMonthLabel}, type == 2);
  wingui::EnableItems(d, {kAlarmDay, kAlarmDayLabel}, type == 1 || type == 2);
  for (int w = 0; w <= 7; ++w) EnableWindow(Item(w < 7 ? kAlarmSunday + w : kAlarmWeekGroup), type == 3);

  const int tone = wingui::ComboSelection(d, kAlarmTone);
  const bool file = tone == 6, message = tone == 5;
  wingui::EnableItems(d, {kAlarmFileGroup, kAlarmFileLabel, kAlarmFileName, kAlarmBrowse, kAlarmFileTest,
                          kAlarmFileNote}, file);
  wingui::EnableItems(d, {kAlarmMessageGroup, kAlarmMessageLabel, kAlarmMessageText}, message);
  wingui::EnableItems(d, {kAlarmRepeatGroup, kAlarmNoRepeat, kAlarmRepeatCount, kAlarmRepeatForever}, !message);
  const int kind = wingui::CheckedIndex(d, {kAlarmNoRepeat, kAlarmRepeatCount, kAlarmRepeatForever});
  wingui::EnableItems(d, {kAlarmCountLabel, kAlarmCount, kAlarmCountSpin}, !message && kind == 1);
  wingui::EnableItems(d, {kAlarmIntervalLabel, kAlarmInterval, kAlarmIntervalSpin}, !message && kind >= 1);
  wingui::EnableItems(d, {kAlarmToneTest}, tone >= 0 && tone <= 4);
  wingui::EnableItems(d, {kAlarmProgramButton}, wingui::IsChecked(d, kAlarmStartProgram));
}

bool CAlarmSet::OnCommand(int id, int code) {
  HWND d = hwnd();
  if (id == kAlarmType && code == CBN_SELCHANGE) {
    Enable();
    return true;
  }
  if (id == kAlarmTone && code == CBN_DROPDOWN) {
    remembered_tone_ = wingui::ComboSelection(d, kAlarmTone);
    return true;
  }
  if (id == kAlarmTone && code == CBN_SELCHANGE) {
    if (!PackLoaded(wingui::ComboSelection(d, kAlarmTone))) wingui::SelectComboItem(d, kAlarmTone, remembered_tone_);
    Enable();
    return true;
  }
  if (code != BN_CLICKED) return false;
  switch (id) {
    case kAlarmNoRepeat: case kAlarmRepeatCount: case kAlarmRepeatForever: case kAlarmStartProgram:
      Enable();
      return true;
    case kAlarmToneTest: case kAlarmFileTest:
      Test();
      return true;
    case kAlarmBrowse:
      Browse();
      return true;
    case kAlarmHelp: {
      CHelpDialog help(kManualText);
      help.DoModal(d);
      return true;
    }
    case kAlarmProgramButton: {
      CAlarmProgramSet program(alarm_.program, alarm_.program_window);
      if (program.DoModal(d) == IDOK) {
        alarm_.program = program.program();
        alarm_.program_window = program.window();
      }
      return true;
    }
    default:
      return false;
  }
}

bool CAlarmSet::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  if (msg != quorel::WM_PLAYSOUND_END) return false;
  test_.OnPlaySoundEnd(wp);
  result = 0;
  return true;
}

void CAlarmSet::Test() {
  if (test_.playing()) {
    test_.Stop();
    return;
  }
  HWND d = hwnd();
  const int position = wingui::ComboSelection(d, kAlarmTone);
  static const char* const kNames[] = {"ALARM", "ALARM2", "ALARM", "CHIME1", "CHIME2"};
  std::vector<quorel::SoundClip> clips;
  if (position >= 0 && position <= 4) {
    if (!PackLoaded(position)) return;
    const HMODULE module = host_.sound_pack(static_cast<quorel::SoundPack>(quorel::AlarmPackOfPosition(position)));
    if (!module) return;
    clips.push_back({kNames[position], module});
  } else if (position == 6) {
    const std::string file = wingui::GetItemText(d, kAlarmFileName);
    if (file.empty()) return;
    clips.push_back({file, nullptr});
  } else {
    return;
  }
  SoundJobOptions options = SoundOptionsFrom(host_.settings());
  options.use_vcmp = host_.wave_through_acm;
  options.repeat_count = 0;  // the test plays once
  options.repeat_interval = 0;
  test_.Play(d, clips, options);
}

void CAlarmSet::Browse() {
  HWND d = hwnd();
  const std::string chosen =
      ChooseFile(d, quorel::kStrSoundFileTitle, host_.mp3_library_loaded() ? 203 : 200, L"wav",
                 wingui::GetItemText(d, kAlarmFileName), 0);
  if (!chosen.empty()) wingui::SetItemText(d, kAlarmFileName, chosen);
}

void CAlarmSet::OnOK() {
  HWND d = hwnd();
  quorel::AlarmDialogValues v;
  v.type = wingui::ComboSelection(d, kAlarmType);
  v.month = wingui::ComboSelection(d, kAlarmMonth) + 1;
  v.day = wingui::ComboSelection(d, kAlarmDay) + 1;
  for (int w = 0; w < 7; ++w) v.weekday_bits |= wingui::IsChecked(d, kAlarmSunday + w) ? 1 << w : 0;
  v.hour = wingui::ComboSelection(d, kAlarmHour);
  v.minute = wingui::GetItemNumber(d, kAlarmMinute, 0);
  v.repeat_count = wingui::GetItemNumber(d, kAlarmCount, alarm_.repeat_count);
  v.repeat_interval = wingui::GetItemNumber(d, kAlarmInterval, alarm_.repeat_interval);
  v.reuse = wingui::CheckedIndex(d, {kAlarmOnce, kAlarmAlways}) == 1 ? 1 : 0;
  v.repeat_kind = wingui::CheckedIndex(d, {kAlarmNoRepeat, kAlarmRepeatCount, kAlarmRepeatForever});
  if (v.repeat_kind < 0) v.repeat_kind = 0;
  v.tone_file = wingui::GetItemText(d, kAlarmFileName);
  v.message = wingui::GetItemText(d, kAlarmMessageText);
  v.tone_position = wingui::ComboSelection(d, kAlarmTone);
  v.start_program = wingui::IsChecked(d, kAlarmStartProgram) ? 1 : 0;
  quorel::StoreAlarmDialog(v, alarm_);
  if (test_.playing()) {
    test_.Stop();
    test_.Wait();
  }
  End(IDOK);
}

void CAlarmSet::OnCancel() {
  if (test_.playing()) {
    test_.Stop();
    test_.Wait();
  }
  End(IDCANCEL);
}

// ---- The page ----

quorel::LoadedPacks CSetupAlarm::Packs() const {
  return quorel::LoadedPacks{host_.light_voice_loaded(), host_.serious_voice_loaded(), host_.chime_pack_loaded()};
}

bool CSetupAlarm::OnInitDialog() {
  Loading loading(*this);
  HWND list = Item(kAlarmList);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  RECT client = {};
  GetClientRect(list, &client);
  const int widths[] = {130, 165, 57, client.right - 370 > 30 ? client.right - 370 : 30};
  for (int c = 0; c < 4; ++c) {
    std::wstring title = wingui::WideFromAnsi(quorel::LoadText(quorel::kStrAlarmColumnTime + c));
    LVCOLUMNW col = {};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.cx = widths[c];
    col.pszText = &title[0];
    SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&col));
  }
  copy_ = host_.alarms();
  wingui::SetItemText(hwnd(), kAlarmInfo, quorel::MissingPackInfo(Packs()));
  Rebuild();
  wingui::EnableItems(hwnd(), {kAlarmAdd}, copy_.size() < static_cast<std::size_t>(quorel::kMaxAlarms));
  wingui::EnableItems(hwnd(), {kAlarmDelete, kAlarmChange}, false);
  return true;
}

void CSetupAlarm::Rebuild() {
  HWND list = Item(kAlarmList);
  SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
  for (std::size_t i = 0; i < copy_.size(); ++i) {
    const std::vector<std::string> row = quorel::AlarmRowTexts(copy_[i], Packs());
    for (int c = 0; c < 4; ++c) {
      std::wstring text = wingui::WideFromAnsi(row[c]);
      LVITEMW item = {};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(i);
      item.iSubItem = c;
      item.pszText = &text[0];
      SendMessageW(list, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, c == 0 ? 0 : i, reinterpret_cast<LPARAM>(&item));
    }
  }
}

int CSetupAlarm::Selected() const {
  return static_cast<int>(SendMessageW(Item(kAlarmList), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void CSetupAlarm::Select(int row) {
  HWND list = Item(kAlarmList);
  ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(list, row, FALSE);
}

void CSetupAlarm::UpdateButtons() {
  const bool rows = !copy_.empty();
  wingui::EnableItems(hwnd(), {kAlarmDelete, kAlarmChange}, rows && Selected() >= 0);
  wingui::EnableItems(hwnd(), {kAlarmAdd}, copy_.size() < static_cast<std::size_t>(quorel::kMaxAlarms));
}

void CSetupAlarm::Add() {
  if (copy_.size() >= static_cast<std::size_t>(quorel::kMaxAlarms)) return;
  CAlarmSet dialog(host_, quorel::_ALARM_INFO());
  if (dialog.DoModal(hwnd()) != IDOK) return;
  copy_.push_back(dialog.alarm());
  Rebuild();
  Select(static_cast<int>(copy_.size()) - 1);
  UpdateButtons();
  if (copy_.size() >= static_cast<std::size_t>(quorel::kMaxAlarms)) SetFocus(Item(kAlarmList));
}

void CSetupAlarm::Remove() {
  const int row = Selected();
  if (row < 0 || row >= static_cast<int>(copy_.size())) return;
  copy_.erase(copy_.begin() + row);
  Rebuild();
  if (!copy_.empty()) Select(row < static_cast<int>(copy_.size()) ? row : static_cast<int>(copy_.size()) - 1);
  UpdateButtons();
  if (copy_.empty()) SetFocus(Item(kAlarmAdd));
}

void CSetupAlarm::Change() {
  const int row = Selected();
  if (row < 0 || row >= static_cast<int>(copy_.size())) return;
  HWND list = Item(kAlarmList);
  const int top = ListView_GetTopIndex(list);
  CAlarmSet dialog(host_, copy_[row]);
  if (dialog.DoModal(hwnd()) != IDOK) return;
  copy_[row] = dialog.alarm();
  Rebuild();
  ListView_EnsureVisible(list, top, FALSE);
  Select(row);
  UpdateButtons();
}

bool CSetupAlarm::OnCommand(int id, int code) {
  if (loading() || code != BN_CLICKED) return false;
  if (id == kAlarmAdd) Add();
  else if (id == kAlarmDelete) Remove();
  else if (id == kAlarmChange) Change();
  else return false;
  return true;
}

bool CSetupAlarm::OnNotify(const NMHDR& header, LRESULT& result) {
  if (PropertyPage::OnNotify(header, result)) return true;
  if (static_cast<int>(header.idFrom) != kAlarmList) return false;
  if (header.code == NM_SETFOCUS) {
    if (!copy_.empty() && Selected() < 0) {
      Select(0);
      ListView_EnsureVisible(Item(kAlarmList), 0, FALSE);
    }
    UpdateButtons();
    return false;
  }
  if (header.code == LVN_ITEMCHANGED) {
    UpdateButtons();
    return false;
  }
  if (header.code == NM_DBLCLK) {
    const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
    int row = click.iItem;
    if (row < 0) {
      // Below the last row: the row that the rows' height would give there.
      LVHITTESTINFO hit = {};
      hit.pt = click.ptAction;
      RECT first = {};
      if (!copy_.empty() && ListView_GetItemRect(Item(kAlarmList), 0, &first, LVIR_BOUNDS)) {
        const int height = first.bottom - first.top;
        if (height > 0 && hit.pt.y >= first.top) row = ListView_GetTopIndex(Item(kAlarmList)) + (hit.pt.y - first.top) / height;
      }
    }
    if (row >= 0 && row < static_cast<int>(copy_.size())) {
      Select(row);
      Change();
    }
    return true;
  }
  return false;
}

void CSetupAlarm::OnApply() { host_.alarms() = copy_; }

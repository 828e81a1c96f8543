#include "schedule/schedule_reg_dialogs_win.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>
#include <vector>

#include "app/messages.h"
#include "base/string_table.h"
#include "calendar/holidays.h"
#include "wingui/controls_win.h"
#include "wingui/text_win.h"

namespace {

constexpr unsigned kStrRepeatKinds = 56600;
constexpr unsigned kStrNoticeTones = 56601;
constexpr unsigned kStrSoundFileTitle = 201;
constexpr unsigned kStrSoundFilter = 200;
constexpr unsigned kStrSoundFilterMp3 = 203;

std::vector<std::string> SplitList(unsigned number) {
  std::vector<std::string> out;
  const std::string text = quorel::LoadText(number);
  std::size_t at = 0;
  while (true) {
    const std::size_t comma = text.find(',', at);
    out.push_back(text.substr(at, comma == std::string::npos ? std::string::npos : comma - at));
    if (comma == std::string::npos) break;
    at = comma + 1;
  }
  return out;
}

std::vector<std::string> Numbers(int first, int last) {
  std::vector<std::string> out;
  for (int n = first; n <= last; ++n) out.push_back(std::to_string(n));
  return out;
}

// A number edit's value, -1 when it holds no number.
int EditNumber(HWND dialog, int id) {
  BOOL ok = FALSE;
  const UINT v = GetDlgItemInt(dialog, id, &ok, FALSE);
  return ok ? static_cast<int>(v) : -1;
}

void ShowText(const ScheduleDialogEnv& env, HWND owner, unsigned number) { env.Show(owner, quorel::LoadText(number)); }

// An open-file dialog; empty when nothing was chosen.
std::string ChooseSoundFile(HWND owner, bool mp3, const std::string& start) {
  std::wstring filters = wingui::WideFromAnsi(quorel::LoadText(mp3 ? kStrSoundFilterMp3 : kStrSoundFilter));
  for (wchar_t& c : filters) {
    if (c == L'|') c = L'\0';
  }
  filters.push_back(L'\0');
  const std::wstring caption = wingui::WideFromAnsi(quorel::LoadText(kStrSoundFileTitle));
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
  ofn.lpstrDefExt = L"wav";
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!GetOpenFileNameW(&ofn)) return "";
  return wingui::AnsiFromWide(file.data());
}

}  // namespace

// ---- The repetition dialog ----

CScheduleRegRepeat::CScheduleRegRepeat(const quorel::RepeatValues& values, ScheduleDialogEnv env)
    : wingui::Dialog(kTemplate), values_(values), env_(std::move(env)) {}

bool CScheduleRegRepeat::OnInitDialog() {
  HWND d = hwnd();
  wingui::FillCombo(d, kRepeatKind, SplitList(kStrRepeatKinds));
  for (int id : {kRepeatMonth, kRepeatStartMonth, kRepeatEndMonth}) wingui::FillCombo(d, id, Numbers(1, 12));
  for (int id : {kRepeatDay, kRepeatStartDay, kRepeatEndDay}) wingui::FillCombo(d, id, Numbers(1, 31));
  for (int id : {kRepeatYear, kRepeatStartYear, kRepeatEndYear}) SendDlgItemMessageW(d, id, EM_LIMITTEXT, 4, 0);
  for (int id : {kRepeatYearSpin, kRepeatStartSpin, kRepeatEndSpin}) wingui::SetSpinRange(d, id, 2000, 2099);
  const quorel::RepeatValues v = quorel::OpenRepeatValues(values_, env_.Now());
  Show(v);
  for (int i = 0; i < 7; ++i) wingui::SetChecked(d, kRepeatSunday + i, (v.weekdays >> i) & 1);
  wingui::SelectComboItem(d, kRepeatKind, quorel::PositionOfRepeatKind(v.kind));
  Enable();
  return true;
}

void CScheduleRegRepeat::Show(const quorel::RepeatValues& v) {
  HWND d = hwnd();
  auto row = [&](int year_id, int month_id, int day_id, int y, int m, int day) {
    SetDlgItemInt(d, year_id, static_cast<UINT>(y), FALSE);
    SendDlgItemMessageW(d, month_id, CB_SETCURSEL, m >= 1 && m <= 12 ? m - 1 : -1, 0);
    SendDlgItemMessageW(d, day_id, CB_SETCURSEL, day >= 1 && day <= 31 ? day - 1 : -1, 0);
  };
  row(kRepeatYear, kRepeatMonth, kRepeatDay, v.year, v.month, v.day);
  row(kRepeatStartYear, kRepeatStartMonth, kRepeatStartDay, v.start_year, v.start_month, v.start_day);
  row(kRepeatEndYear, kRepeatEndMonth, kRepeatEndDay, v.end_year, v.end_month, v.end_day);
}

quorel::RepeatValues CScheduleRegRepeat::Read() const {
  HWND d = hwnd();
  quorel::RepeatValues v;
  v.kind = quorel::RepeatKindOfPosition(wingui::ComboSelection(d, kRepeatKind));
  v.year = EditNumber(d, kRepeatYear);
  v.month = wingui::ComboSelection(d, kRepeatMonth) + 1;
  v.day = wingui::ComboSelection(d, kRepeatDay) + 1;
  v.weekdays = 0;
  for (int i = 0; i < 7; ++i) {
    if (wingui::IsChecked(d, kRepeatSunday + i)) v.weekdays |= 1 << i;
  }
  v.start_year = EditNumber(d, kRepeatStartYear);
  v.start_month = wingui::ComboSelection(d, kRepeatStartMonth) + 1;
  v.start_day = wingui::ComboSelection(d, kRepeatStartDay) + 1;
  v.end_year = EditNumber(d, kRepeatEndYear);
  v.end_month = wingui::ComboSelection(d, kRepeatEndMonth) + 1;
  v.end_day = wingui::ComboSelection(d, kRepeatEndDay) + 1;
  return v;
}

void CScheduleRegRepeat::Enable() {
  HWND d = hwnd();
  const quorel::RepeatEnabling e =
      quorel::RepeatEnablingFor(quorel::RepeatKindOfPosition(wingui::ComboSelection(d, kRepeatKind)));
  wingui::EnableItems(d, {kRepeatYear, kRepeatYearSpin, kRepeatYearUnit}, e.year);
  wingui::EnableItems(d, {kRepeatPicker}, e.picker);
  wingui::EnableItems(d, {kRepeatMonth, kRepeatMonthUnit}, e.month);
  wingui::EnableItems(d, {kRepeatDay, kRepeatDayUnit}, e.day);
  wingui::EnableItems(d, {kRepeatDateLabel}, e.day);
  wingui::EnableItems(d, {kRepeatWeekGroup}, e.weekdays);
  for (int i = 0; i < 7; ++i) wingui::EnableItems(d, {kRepeatSunday + i}, e.weekdays);
  wingui::EnableItems(d, {kRepeatRangeGroup, kRepeatStartLabel, kRepeatStartYear, kRepeatStartSpin, kRepeatStartMonth,
                          kRepeatStartDay, kRepeatStartPicker, kRepeatEndLabel, kRepeatEndYear, kRepeatEndSpin,
                          kRepeatEndMonth, kRepeatEndDay, kRepeatEndPicker, kRepeatShortcutGroup},
                      e.range);
  for (int id = kRepeatFromToday; id <= kRepeatWhole; ++id) wingui::EnableItems(d, {id}, e.range);
}

void CScheduleRegRepeat::PickDate(int year_id, int month_id, int day_id) {
  HWND d = hwnd();
  CSelectDate picker(EditNumber(d, year_id), wingui::ComboSelection(d, month_id) + 1, env_);
  if (picker.DoModal(d) != IDOK || picker.day() <= 0) return;
  SetDlgItemInt(d, year_id, static_cast<UINT>(picker.year()), FALSE);
  SendDlgItemMessageW(d, month_id, CB_SETCURSEL, picker.month() - 1, 0);
  SendDlgItemMessageW(d, day_id, CB_SETCURSEL, picker.day() - 1, 0);
}

bool CScheduleRegRepeat::OnCommand(int id, int code) {
  if (id == kRepeatKind && code == CBN_SELCHANGE) {
    Enable();
    return true;
  }
  if (code != BN_CLICKED) return false;
  if (id == kRepeatPicker) {
    PickDate(kRepeatYear, kRepeatMonth, kRepeatDay);
    return true;
  }
  if (id == kRepeatStartPicker) {
    PickDate(kRepeatStartYear, kRepeatStartMonth, kRepeatStartDay);
    return true;
  }
  if (id == kRepeatEndPicker) {
    PickDate(kRepeatEndYear, kRepeatEndMonth, kRepeatEndDay);
    return true;
  }
  if (id >= kRepeatFromToday && id <= kRepeatWhole) {
    quorel::RepeatValues v = Read();
    const unsigned message =
        quorel::ApplyRangeShortcut(static_cast<quorel::RangeShortcut>(id - kRepeatFromToday), env_.Now(), v);
    if (message) {
      ShowText(env_, hwnd(), message);
      return true;
    }
    Show(v);
    return true;
  }
  return false;
}

void CScheduleRegRepeat::OnOK() {
  quorel::RepeatValues v = Read();
  if (const unsigned message = quorel::CheckRepeatValues(v)) {
    ShowText(env_, hwnd(), message);
    return;
  }
  v.weekdays |= 0x80;
  values_ = v;
  End(IDOK);
}

// ---- The notice settings dialog ----

CScheduleRegAlert::CScheduleRegAlert(const quorel::NoticeValues& values, ScheduleDialogEnv env)
    : wingui::Dialog(kTemplate), values_(values), env_(std::move(env)) {}

CScheduleRegAlert::~CScheduleRegAlert() {
  // A test still playing ends with the dialog.
  if (test_.playing()) {
    test_.Stop();
    test_.Wait();
  }
}

bool CScheduleRegAlert::OnInitDialog() {
  HWND d = hwnd();
  const std::vector<int>& leads = quorel::NoticeLeads();
  std::vector<std::string> lead_texts;
  for (int lead : leads) lead_texts.push_back(std::to_string(lead));
  wingui::FillCombo(d, kNoticeLead, lead_texts);
  wingui::FillCombo(d, kNoticeTone, SplitList(kStrNoticeTones));
  wingui::SetChecked(d, kNoticeNotify, values_.flags & quorel::kNoticeOn);
  wingui::SetChecked(d, kNoticeByWindow, values_.flags & quorel::kNoticeWindow);
  wingui::SetChecked(d, kNoticeBySound, values_.flags & quorel::kNoticeSound);
  // The lead is chosen by its text: a value the list does not have selects nothing.
  const std::wstring lead = std::to_wstring(values_.lead);
  SendDlgItemMessageW(d, kNoticeLead, CB_SETCURSEL,
                      SendDlgItemMessageW(d, kNoticeLead, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(lead.c_str())),
                      0);
  wingui::SelectComboItem(d, kNoticeTone, quorel::NoticeSoundKindWithPacks(values_.sound_kind, env_.Packs()));
  wingui::SetItemText(d, kNoticeFile, values_.file);
  Enable();
  return true;
}

int CScheduleRegAlert::SelectedKind() const {
  return quorel::NoticeSoundKindWithPacks(wingui::ComboSelection(hwnd(), kNoticeTone), env_.Packs());
}

void CScheduleRegAlert::Enable() {
  HWND d = hwnd();
  const quorel::NoticeEnabling e = quorel::NoticeEnablingFor(
      wingui::IsChecked(d, kNoticeNotify), wingui::IsChecked(d, kNoticeBySound), wingui::ComboSelection(d, kNoticeTone));
  wingui::EnableItems(d, {kNoticeLeadLabel, kNoticeLead, kNoticeLeadUnit}, e.lead);
  wingui::EnableItems(d, {kNoticeMethodGroup, kNoticeByWindow, kNoticeBySound}, e.methods);
  wingui::EnableItems(d, {kNoticeSoundGroup, kNoticeToneLabel, kNoticeTone, kNoticeFileGroup}, e.sound);
  wingui::EnableItems(d, {kNoticeToneTest}, e.pack_test);
  wingui::EnableItems(d, {kNoticeFileLabel, kNoticeFile, kNoticeBrowse, kNoticeFileTest}, e.file_row);
}

bool CScheduleRegAlert::OnCommand(int id, int code) {
  HWND d = hwnd();
  if (id == kNoticeTone && code == CBN_SELCHANGE) {
    // A tone whose pack is missing cannot be chosen: the file takes its place.
    const int kind = wingui::ComboSelection(d, kNoticeTone);
    if (quorel::NoticeSoundKindWithPacks(kind, env_.Packs()) != kind) {
      wingui::SelectComboItem(d, kNoticeTone, quorel::kNoticeFileKind);
    }
    Enable();
    return true;
  }
  if (code != BN_CLICKED) return false;
  switch (id) {
    case kNoticeNotify: case kNoticeByWindow: case kNoticeBySound:
      Enable();
      return true;
    case kNoticeToneTest: case kNoticeFileTest:
      Test();
      return true;
    case kNoticeBrowse:
      Browse();
      return true;
    default:
      return false;
  }
}

bool CScheduleRegAlert::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  if (msg != quorel::WM_PLAYSOUND_END) return false;
  test_.OnPlaySoundEnd(wp);
  result = 0;
  return true;
}

void CScheduleRegAlert::Test() {
  if (test_.playing()) {
    test_.Stop();
    return;
  }
  HWND d = hwnd();
  const int kind = wingui::ComboSelection(d, kNoticeTone);
  const quorel::PackClip clip = quorel::NoticeTestClip(kind, wingui::GetItemText(d, kNoticeFile));
  if (clip.name.empty()) return;
  const HMODULE module = env_.PackModule(clip.pack);
  if (clip.pack != quorel::SoundPack::kFile && !module) return;  // the pack is not loaded
  SoundJobOptions options = env_.sound_options;
  options.repeat_count = 0;
  options.repeat_interval = 0;
  test_.Play(d, {quorel::SoundClip{clip.name, module}}, options);
}

void CScheduleRegAlert::Browse() {
  HWND d = hwnd();
  const std::string chosen = ChooseSoundFile(d, env_.mp3_library, wingui::GetItemText(d, kNoticeFile));
  if (!chosen.empty()) wingui::SetItemText(d, kNoticeFile, chosen);
}

void CScheduleRegAlert::OnOK() {
  HWND d = hwnd();
  quorel::NoticeValues v;
  if (wingui::IsChecked(d, kNoticeNotify)) v.flags |= quorel::kNoticeOn;
  if (wingui::IsChecked(d, kNoticeByWindow)) v.flags |= quorel::kNoticeWindow;
  if (wingui::IsChecked(d, kNoticeBySound)) v.flags |= quorel::kNoticeSound;
  const int lead = wingui::ComboSelection(d, kNoticeLead);
  const std::vector<int>& leads = quorel::NoticeLeads();
  v.lead = lead >= 0 && lead < static_cast<int>(leads.size()) ? leads[lead] : 0;
  v.sound_kind = SelectedKind();
  v.file = wingui::GetItemText(d, kNoticeFile);
  if (const unsigned message = quorel::CheckNoticeValues(v)) {
    ShowText(env_, d, message);
    return;
  }
  if (test_.playing()) test_.Stop();
  values_ = v;
  End(IDOK);
}

void CScheduleRegAlert::OnCancel() {
  if (test_.playing()) test_.Stop();
  End(IDCANCEL);
}

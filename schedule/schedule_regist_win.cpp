#include "schedule/schedule_regist_win.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "base/string_table.h"
#include "schedule/schedule_reg_dialogs_win.h"
#include "schedule/select_date_win.h"
#include "wingui/controls_win.h"
#include "wingui/text_win.h"

namespace {

constexpr unsigned kStrTitleNew = 375, kStrTitleChange = 376, kStrButtonNew = 377, kStrButtonChange = 378;
constexpr unsigned kStrBarStart = 568, kStrBarEnd = 569, kStrBarStartEnd = 570;
constexpr int kNoPosition = -9999;

std::vector<std::string> Numbers(int first, int last, bool two_digits, int step = 1) {
  std::vector<std::string> out;
  for (int n = first; n <= last; n += step) {
    char text[8];
    std::snprintf(text, sizeof text, two_digits ? "%02d" : "%d", n);
    out.push_back(text);
  }
  return out;
}

void SetCaption(HWND window, unsigned number) {
  SetWindowTextW(window, wingui::WideFromAnsi(quorel::LoadText(number)).c_str());
}

}  // namespace

CScheduleRegist::CScheduleRegist(HWND owner, quorel::CScheduleInfo& store, quorel::_SCHE_MEM_ITEM& item,
                                 ScheduleDialogEnv env)
    : wingui::Dialog(kTemplate), owner_(owner), store_(store), item_(&item), env_(std::move(env)) {}

CScheduleRegist::CScheduleRegist(HWND owner, quorel::CScheduleInfo& store, int year, int month, int day,
                                 ScheduleDialogEnv env)
    : wingui::Dialog(kTemplate), owner_(owner), store_(store), item_(&own_), env_(std::move(env)) {
  store_.NewSchedule(own_);
  own_.year = static_cast<std::int16_t>(year);
  own_.month = static_cast<std::uint8_t>(month);
  own_.day = static_cast<std::uint8_t>(day);
  quorel::SetDefaultTimes(own_, env_.Now());
}

CScheduleRegist::~CScheduleRegist() = default;

INT_PTR CScheduleRegist::DoModal() { return wingui::Dialog::DoModal(owner_); }

int CScheduleRegist::Number(int id) const { return quorel::FieldNumber(wingui::GetItemText(hwnd(), id)); }

void CScheduleRegist::SetNumber(int id, int value, bool two_digits) {
  if (value < 0) {
    wingui::SetItemText(hwnd(), id, "");
    return;
  }
  char text[16];
  std::snprintf(text, sizeof text, two_digits ? "%02d" : "%d", value);
  wingui::SetItemText(hwnd(), id, text);
}

bool CScheduleRegist::OnInitDialog() {
  HWND d = hwnd();
  loading_ = true;
  const quorel::_SCHE_MEM_ITEM& item = *item_;
  const quorel::ClockTime today = env_.Now();
  // 1. Place.
  if (env_.dialog_left != kNoPosition) {
    SetWindowPos(d, nullptr, env_.dialog_left, env_.dialog_top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetWindowPos(d, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  // 2. The working state.
  repeat_kind_ = item.repetition;
  weekdays_ = item.weekdays;
  range_start_ = {item.range_start_year, item.range_start_month, item.range_start_day};
  range_end_ = {item.range_end_year, item.range_end_month, item.range_end_day};
  notice_.flags = static_cast<std::uint16_t>(item.notice_flags);
  notice_.lead = item.notice_lead;
  notice_.sound_kind = item.notice_sound_kind;
  notice_.file = item.notice_sound_file;
  for (int id : {kRegStartYear, kRegEndYear}) SendDlgItemMessageW(d, id, EM_LIMITTEXT, 4, 0);
  for (int id : {kRegStartYearSpin, kRegEndYearSpin}) wingui::SetSpinRange(d, id, 2000, 2099);
  for (int id : {kRegStartMonth, kRegEndMonth}) wingui::FillCombo(d, id, Numbers(1, 12, false));
  for (int id : {kRegStartDay, kRegEndDay}) wingui::FillCombo(d, id, Numbers(1, 31, false));
  for (int id : {kRegStartHour, kRegEndHour}) wingui::FillCombo(d, id, Numbers(0, 23, false));
  for (int id : {kRegStartMinute, kRegEndMinute}) wingui::FillCombo(d, id, Numbers(0, 55, true, 5));
  // 3. A change or a new entry.
  if (!item.Identifier().empty()) {
    SetCaption(d, kStrTitleChange);
    SetCaption(Item(IDOK), kStrButtonChange);
    if (item.flags & quorel::kItemReadOnly) wingui::EnableItems(d, {IDOK, kRegAsNew}, false);
  } else {
    SetCaption(d, kStrTitleNew);
    SetCaption(Item(IDOK), kStrButtonNew);
    ShowWindow(Item(kRegAsNew), SW_HIDE);
  }
  // The bars take the places of their placeholders.
  for (int id : {kRegBar1, kRegBar2}) {
    HWND placeholder = Item(id);
    RECT r;
    GetWindowRect(placeholder, &r);
    POINT at = {r.left, r.top};
    ScreenToClient(d, &at);
    DestroyWindow(placeholder);
    CScheduleTimeBar& bar = id == kRegBar1 ? bar1_ : bar2_;
    bar.CreateBar(d, at, id);
    bar.SetNotify(d, WM_TIMEBAR_CHANGED);
    bar.SetHighContrast(env_.high_contrast);
  }
  // 4. The start date by repeat kind; 5. a multi-day entry's end.
  const quorel::DateFields start = quorel::StartFieldsForKind(item, today);
  SetNumber(kRegStartYear, start.year);
  SetNumber(kRegStartMonth, start.month);
  SetNumber(kRegStartDay, start.day);
  const bool multi = item.MultiDay();
  wingui::SetChecked(d, kRegMultiDay, multi);
  if (multi) {
    SetNumber(kRegEndYear, item.end_year);
    SetNumber(kRegEndMonth, item.end_month);
    SetNumber(kRegEndDay, item.end_day);
  }
  wingui::EnableItems(d, {kRegRepeat, kRegRepeatLabel, kRegRepeatSummary}, !multi);
  // 6. Times, texts, places.
  SetNumber(kRegStartHour, item.start_hour);
  SetNumber(kRegStartMinute, item.start_minute, true);
  SetNumber(kRegEndHour, item.end_hour);
  SetNumber(kRegEndMinute, item.end_minute, true);
  SendDlgItemMessageW(d, kRegContent, EM_LIMITTEXT, quorel::kContentLimit, 0);
  wingui::SetItemText(d, kRegContent, item.content);
  for (const std::string& place : store_.GetPlaces()) {
    if (place.empty()) continue;
    const std::wstring text = wingui::WideFromAnsi(place);
    SendDlgItemMessageW(d, kRegPlace, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  wingui::SetItemText(d, kRegPlace, item.place);
  wingui::SetChecked(d, kRegNoTime, item.NoTime());
  // 7. The plug-in's fields.
  plugin_ = store_.sync() != nullptr;
  if (plugin_) {
    wingui::EnableItems(d, {kRegRepeat, kRegRepeatLabel, kRegRepeatSummary, kRegMultiDay}, false);
    wingui::SetItemText(d, kRegMemo, item.memo);
    kinds_ = store_.GetKinds();
    int selected = -1;
    for (std::size_t i = 0; i < kinds_.size(); ++i) {
      const std::wstring name = wingui::WideFromAnsi(kinds_[i].name);
      SendDlgItemMessageW(d, kRegKind, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
      if (selected < 0 && kinds_[i].kind == item.kind) selected = static_cast<int>(i);
    }
    if (item.Identifier().empty()) selected = kinds_.empty() ? -1 : 0;
    SendDlgItemMessageW(d, kRegKind, CB_SETCURSEL, selected, 0);
    wingui::SetChecked(d, kRegPrivate, item.flags & quorel::kItemPrivate);
  } else {
    HideExtras();
  }
  loading_ = false;
  // 8.
  EnableDates();
  EnableTimes();
  ShowSummaries();
  return true;
}

void CScheduleRegist::HideExtras() {
  HWND d = hwnd();
  RECT group, button;
  GetWindowRect(Item(kRegExtraGroup), &group);
  GetWindowRect(Item(IDOK), &button);
  const int shift = button.top - group.top;
  for (int id : {kRegExtraGroup, kRegMemoLabel, kRegMemo, kRegKindLabel, kRegKind, kRegPrivate}) {
    ShowWindow(Item(id), SW_HIDE);
  }
  for (HWND child = GetWindow(d, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r;
    GetWindowRect(child, &r);
    if (r.top < group.top + (group.bottom - group.top)) continue;
    POINT at = {r.left, r.top - shift};
    ScreenToClient(d, &at);
    SetWindowPos(child, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RECT w;
  GetWindowRect(d, &w);
  SetWindowPos(d, nullptr, 0, 0, w.right - w.left, w.bottom - w.top - shift, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CScheduleRegist::EnableDates() {
  HWND d = hwnd();
  const quorel::DateEnabling e = quorel::DateEnablingFor(wingui::IsChecked(d, kRegMultiDay), repeat_kind_);
  wingui::EnableItems(d, {kRegStartYear, kRegStartYearSpin, kRegStartPicker}, e.start_year);
  wingui::EnableItems(d, {kRegStartMonth}, e.start_month);
  wingui::EnableItems(d, {kRegStartDay}, e.start_day);
  wingui::EnableItems(d, {kRegEndYear, kRegEndYearSpin, kRegEndMonth, kRegEndDay, kRegEndPicker, kRegEndDateLabel},
                      e.end);
}

void CScheduleRegist::EnableTimes() {
  HWND d = hwnd();
  const bool timed = !wingui::IsChecked(d, kRegNoTime);
  const bool multi = wingui::IsChecked(d, kRegMultiDay);
  wingui::EnableItems(d, {kRegStartHour, kRegStartMinute, kRegEndHour, kRegEndMinute, kRegEndRowLabel, kRegNotice,
                          kRegNoticeLabel, kRegNoticeSummary},
                      timed);
  bar1_.Enable(timed);
  bar2_.Enable(timed);
  ShowWindow(bar2_.hwnd(), multi ? SW_SHOW : SW_HIDE);
  ShowWindow(Item(kRegBar2Label), multi ? SW_SHOW : SW_HIDE);
  SetCaption(Item(kRegBar1Label), multi ? kStrBarStart : kStrBarStartEnd);
  wingui::EnableItems(d, {kRegBar1Label, kRegBar2Label}, timed);
  bar1_.SetMode(multi ? quorel::TimeBarMode::kStartOnly : quorel::TimeBarMode::kStartEnd);
  bar2_.SetMode(quorel::TimeBarMode::kEndOnly);
  TimeFieldChanged(0);
}

void CScheduleRegist::TimeFieldChanged(int changed) {
  HWND d = hwnd();
  // A selection's text reaches the combo only after its notification.
  auto value = [&](int id) {
    if (id == changed) {
      const int sel = wingui::ComboSelection(d, id);
      if (sel >= 0) {
        const int len = static_cast<int>(SendDlgItemMessageW(d, id, CB_GETLBTEXTLEN, sel, 0));
        std::wstring text(static_cast<std::size_t>(len > 0 ? len : 0) + 1, L'\0');
        SendDlgItemMessageW(d, id, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<std::size_t>(len > 0 ? len : 0));
        return quorel::FieldNumber(wingui::AnsiFromWide(text));
      }
    }
    return Number(id);
  };
  const int sh = value(kRegStartHour), sm = value(kRegStartMinute), eh = value(kRegEndHour), em = value(kRegEndMinute);
  if (wingui::IsChecked(d, kRegMultiDay)) {
    bar1_.SetTimes(sh, sm, 23, 59);
    bar2_.SetTimes(0, 0, eh, em);
  } else {
    bar1_.SetTimes(sh, sm, eh, em);
  }
}

void CScheduleRegist::BarChanged() {
  const bool multi = wingui::IsChecked(hwnd(), kRegMultiDay);
  const quorel::TimeBarModel& first = bar1_.model();
  const quorel::BarTime end = multi ? bar2_.model().end() : first.end();
  loading_ = true;
  SetNumber(kRegStartHour, first.start().hour);
  SetNumber(kRegStartMinute, first.start().minute, true);
  SetNumber(kRegEndHour, end.hour);
  SetNumber(kRegEndMinute, end.minute, true);
  loading_ = false;
}

void CScheduleRegist::ShowSummaries() {
  HWND d = hwnd();
  wingui::SetItemText(d, kRegRepeatSummary,
                      quorel::LoadText(quorel::RepeatSummaryMessage(wingui::IsChecked(d, kRegMultiDay), repeat_kind_)));
  wingui::SetItemText(d, kRegNoticeSummary, quorel::NoticeSummaryText(notice_.flags, notice_.lead));
}

void CScheduleRegist::ToggleMultiDay() {
  HWND d = hwnd();
  const bool multi = wingui::IsChecked(d, kRegMultiDay);
  loading_ = true;
  if (multi) {
    const quorel::DateFields end = quorel::EndFieldsForMultiDay(
        {Number(kRegStartYear), Number(kRegStartMonth), Number(kRegStartDay)}, env_.Now());
    SetNumber(kRegEndYear, end.year);
    SetNumber(kRegEndMonth, end.month);
    SetNumber(kRegEndDay, end.day);
  } else {
    for (int id : {kRegEndYear, kRegEndMonth, kRegEndDay}) wingui::SetItemText(d, id, "");
  }
  loading_ = false;
  wingui::EnableItems(d, {kRegRepeat, kRegRepeatLabel, kRegRepeatSummary}, !multi && !plugin_);
  EnableDates();
  EnableTimes();
  ShowSummaries();
}

void CScheduleRegist::PickDate(bool end_row) {
  const int year_id = end_row ? kRegEndYear : kRegStartYear;
  const int month_id = end_row ? kRegEndMonth : kRegStartMonth;
  const int day_id = end_row ? kRegEndDay : kRegStartDay;
  CSelectDate picker(Number(year_id), Number(month_id), env_);
  if (picker.DoModal(hwnd()) != IDOK || picker.day() <= 0) return;
  loading_ = true;
  SetNumber(year_id, picker.year());
  SetNumber(month_id, picker.month());
  SetNumber(day_id, picker.day());
  loading_ = false;
}

void CScheduleRegist::OpenRepeat() {
  quorel::RepeatValues v;
  v.kind = repeat_kind_;
  v.year = Number(kRegStartYear), v.month = Number(kRegStartMonth), v.day = Number(kRegStartDay);
  v.weekdays = weekdays_;
  v.start_year = range_start_.year, v.start_month = range_start_.month, v.start_day = range_start_.day;
  v.end_year = range_end_.year, v.end_month = range_end_.month, v.end_day = range_end_.day;
  CScheduleRegRepeat dialog(v, env_);
  if (dialog.DoModal(hwnd()) != IDOK) return;
  const quorel::RepeatValues& r = dialog.values();
  loading_ = true;
  SetNumber(kRegStartYear, r.year);
  SetNumber(kRegStartMonth, r.month);
  SetNumber(kRegStartDay, r.day);
  loading_ = false;
  repeat_kind_ = r.kind;
  weekdays_ = r.weekdays;
  range_start_ = {r.start_year, r.start_month, r.start_day};
  range_end_ = {r.end_year, r.end_month, r.end_day};
  EnableDates();
  ShowSummaries();
}

void CScheduleRegist::OpenNotice() {
  CScheduleRegAlert dialog(notice_, env_);
  if (dialog.DoModal(hwnd()) != IDOK) return;
  notice_ = dialog.values();
  ShowSummaries();
}

bool CScheduleRegist::OnCommand(int id, int code) {
  if (loading_) return false;
  switch (id) {
    case kRegStartHour: case kRegStartMinute: case kRegEndHour: case kRegEndMinute:
      if (code == CBN_EDITCHANGE || code == CBN_SELCHANGE) {
        TimeFieldChanged(code == CBN_SELCHANGE ? id : 0);
        return true;
      }
      return false;
    default:
      break;
  }
  if (code != BN_CLICKED) return false;
  switch (id) {
    case kRegMultiDay: ToggleMultiDay(); return true;
    case kRegNoTime: EnableTimes(); return true;
    case kRegStartPicker: PickDate(false); return true;
    case kRegEndPicker: PickDate(true); return true;
    case kRegRepeat: OpenRepeat(); return true;
    case kRegNotice: OpenNotice(); return true;
    case kRegAsNew: Confirm(quorel::kRegistAsNew); return true;
    default: return false;
  }
}

bool CScheduleRegist::OnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result) {
  if (msg != WM_TIMEBAR_CHANGED) return false;
  BarChanged();
  result = 0;
  return true;
}

quorel::RegistForm CScheduleRegist::ReadForm() const {
  HWND d = hwnd();
  quorel::RegistForm f;
  f.multi_day = wingui::IsChecked(d, kRegMultiDay);
  f.no_time = wingui::IsChecked(d, kRegNoTime);
  f.start = {Number(kRegStartYear), Number(kRegStartMonth), Number(kRegStartDay)};
  f.end = {Number(kRegEndYear), Number(kRegEndMonth), Number(kRegEndDay)};
  f.start_hour = Number(kRegStartHour), f.start_minute = Number(kRegStartMinute);
  f.end_hour = Number(kRegEndHour), f.end_minute = Number(kRegEndMinute);
  f.content = wingui::GetItemText(d, kRegContent);
  f.place = wingui::GetItemText(d, kRegPlace);
  f.repeat_kind = repeat_kind_;
  f.weekdays = weekdays_;
  f.range_start = range_start_;
  f.range_end = range_end_;
  f.notice_flags = notice_.flags;
  f.notice_lead = notice_.lead;
  f.notice_sound_kind = notice_.sound_kind;
  f.notice_sound_file = notice_.file;
  f.plugin = plugin_;
  if (plugin_) {
    f.memo = wingui::GetItemText(d, kRegMemo);
    f.private_entry = wingui::IsChecked(d, kRegPrivate);
    const int sel = wingui::ComboSelection(d, kRegKind);
    f.kind_selected = sel >= 0 && sel < static_cast<int>(kinds_.size());
    if (f.kind_selected) f.kind_id = kinds_[static_cast<std::size_t>(sel)].kind;
  }
  return f;
}

void CScheduleRegist::Confirm(int result) {
  const quorel::RegistCheck check = quorel::ConfirmRegistration(ReadForm(), *item_);
  if (check.message) {
    const std::string pattern = quorel::LoadText(check.message);
    std::vector<char> text(pattern.size() + 16);
    std::snprintf(text.data(), text.size(), pattern.c_str(), check.argument);
    env_.Show(hwnd(), text.data());
    return;
  }
  store_.AddPlace(item_->place);
  if (result == quorel::kRegistAsNew) {
    // A second entry beside the first: it must not carry the first one's identifier.
    item_->SetIdentifier("");
    End(quorel::kRegistAsNew);
    return;
  }
  StorePosition();
  End(quorel::kRegistOk);
}

void CScheduleRegist::StorePosition() {
  RECT r;
  GetWindowRect(hwnd(), &r);
  env_.dialog_left = r.left, env_.dialog_top = r.top;
  if (env_.store_position) env_.store_position(r.left, r.top);
}

void CScheduleRegist::OnOK() { Confirm(quorel::kRegistOk); }

void CScheduleRegist::OnCancel() {
  StorePosition();
  End(quorel::kRegistCancel);
}

INT_PTR RegisterNewSchedule(HWND owner, quorel::CScheduleInfo& store, int year, int month, int day,
                            ScheduleDialogEnv env) {
  CScheduleRegist dialog(owner, store, year, month, day, std::move(env));
  const INT_PTR result = dialog.DoModal();
  if (result != quorel::kRegistOk && result != quorel::kRegistAsNew) return result;
  quorel::_SCHE_MEM_ITEM item = dialog.item();
  store.AddSchedule(item);
  store.SaveSchedules();
  return result;
}

INT_PTR ChangeSchedule(HWND owner, quorel::CScheduleInfo& store, const quorel::_SCHE_MEM_ITEM& old_item,
                       ScheduleDialogEnv env) {
  quorel::_SCHE_MEM_ITEM changed = old_item;
  CScheduleRegist dialog(owner, store, changed, std::move(env));
  const INT_PTR result = dialog.DoModal();
  if (result == quorel::kRegistOk) {
    store.ReplaceSchedule(old_item, changed);
  } else if (result == quorel::kRegistAsNew) {
    store.AddSchedule(changed);  // the old entry stays
  } else {
    return result;
  }
  store.SaveSchedules();
  return result;
}

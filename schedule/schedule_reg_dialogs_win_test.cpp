// The repetition dialog, the notice settings dialog and the date picker,
// driven through their controls from a second thread.
#include "schedule/schedule_reg_dialogs_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include "base/string_table.h"
#include "sound/sound_record_win_test.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"

namespace {

using wingui::test::WaitFor;

const quorel::ClockTime kToday{2013, 8, 2, 6, 10, 9, 15, 2};  // Tuesday 2013-08-06

struct Shown {
  std::mutex lock;
  std::vector<std::string> texts;
  void Add(const std::string& t) {
    std::lock_guard<std::mutex> g(lock);
    texts.push_back(t);
  }
  std::size_t Count() {
    std::lock_guard<std::mutex> g(lock);
    return texts.size();
  }
  std::string Last() {
    std::lock_guard<std::mutex> g(lock);
    return texts.empty() ? "" : texts.back();
  }
};

std::wstring ItemText(HWND d, int id) {
  wchar_t text[256] = {};
  GetDlgItemTextW(d, id, text, 256);
  return text;
}
bool Enabled(HWND d, int id) { return IsWindowEnabled(GetDlgItem(d, id)) != FALSE; }
void PostClick(HWND d, int id) { PostMessageW(GetDlgItem(d, id), BM_CLICK, 0, 0); }
void Click(HWND d, int id) { SendMessageW(GetDlgItem(d, id), BM_CLICK, 0, 0); }
int Selection(HWND d, int id) { return static_cast<int>(SendDlgItemMessageW(d, id, CB_GETCURSEL, 0, 0)); }
void SelectCombo(HWND d, int id, int index) {
  HWND combo = GetDlgItem(d, id);
  SendMessageW(combo, CB_SETCURSEL, index, 0);
  SendMessageW(d, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

class SmallDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    env.now = [] { return kToday; };
    env.show_message = [this](HWND, const std::string& text) { shown.Add(text); };
  }
  ScheduleDialogEnv env;
  Shown shown;
};

const wchar_t kRepeatTitle[] = L"\u4e88\u5b9a\u306e\u7e70\u308a\u8fd4\u3057\u8a2d\u5b9a";  // 予定の繰り返し設定
const wchar_t kNoticeTitle[] = L"\u4e88\u5b9a\u306e\u901a\u77e5";                            // 予定の通知
const wchar_t kDateTitle[] = L"\u65e5\u4ed8\u306e\u9078\u629e";                              // 日付の選択

TEST_F(SmallDialogs, RepetitionOpensWithRepairedFieldsAndTheKindsEnabling) {
  quorel::RepeatValues v;
  v.kind = 1, v.year = 1999, v.month = 2, v.day = 29, v.weekdays = 0x80 | 4;
  v.start_year = 2013, v.start_month = 0, v.start_day = 1;
  v.end_year = 2013, v.end_month = 12, v.end_day = 31;
  CScheduleRegRepeat dialog(v, env);
  std::wstring year, start_year;
  bool year_on = true, month_on = false, weekday_on = true, range_on = false, tuesday = false, weekly_weekday_on = false;
  const INT_PTR result = wingui::test::RunModalDriven(kRepeatTitle, [&] { return dialog.DoModal(nullptr); },
                                                      [&](HWND d) {
    year = ItemText(d, kRepeatYear);
    start_year = ItemText(d, kRepeatStartYear);
    year_on = Enabled(d, kRepeatYear);
    month_on = Enabled(d, kRepeatMonth);
    weekday_on = Enabled(d, kRepeatSunday);
    range_on = Enabled(d, kRepeatFromToday);
    tuesday = SendDlgItemMessageW(d, kRepeatSunday + 2, BM_GETCHECK, 0, 0) == BST_CHECKED;
    SelectCombo(d, kRepeatKind, 3);  // 毎週
    weekly_weekday_on = Enabled(d, kRepeatSunday);
    SelectCombo(d, kRepeatKind, 1);
    SelectCombo(d, kRepeatDay, 29);  // 30 February
    PostClick(d, IDOK);
    WaitFor([&] { return shown.Count() == 1; }, 3000);
    SelectCombo(d, kRepeatDay, 28);  // 29 February is fine for a yearly entry
    PostClick(d, IDOK);
  });
  EXPECT_EQ(year, L"2013");
  EXPECT_EQ(start_year, L"2000");
  EXPECT_FALSE(year_on);
  EXPECT_TRUE(month_on);
  EXPECT_FALSE(weekday_on);
  EXPECT_TRUE(range_on);
  EXPECT_TRUE(tuesday);
  EXPECT_TRUE(weekly_weekday_on);
  ASSERT_EQ(shown.Count(), 1u);
  EXPECT_EQ(shown.Last(), quorel::LoadText(519));
  EXPECT_EQ(result, IDOK);
  const quorel::RepeatValues& r = dialog.values();
  EXPECT_EQ(r.kind, 1);
  EXPECT_EQ(r.month, 2);
  EXPECT_EQ(r.day, 29);
  EXPECT_EQ(r.weekdays, 0x80 | 4);
  EXPECT_EQ(r.start_month, 1);
}

TEST_F(SmallDialogs, RepetitionShortcutsAndTheRangeChecks) {
  quorel::RepeatValues v;
  v.kind = 4, v.weekdays = 0;
  v.start_year = 2013, v.start_month = 8, v.start_day = 10;  // a Saturday
  v.end_year = 2099, v.end_month = 12, v.end_day = 31;
  CScheduleRegRepeat dialog(v, env);
  std::wstring friday, monday_start;
  const INT_PTR result = wingui::test::RunModalDriven(kRepeatTitle, [&] { return dialog.DoModal(nullptr); },
                                                      [&](HWND d) {
    Click(d, kRepeatToFriday);
    friday = ItemText(d, kRepeatEndYear) + L"/" + std::to_wstring(Selection(d, kRepeatEndMonth) + 1) + L"/" +
             std::to_wstring(Selection(d, kRepeatEndDay) + 1);
    PostClick(d, IDOK);  // weekly without a weekday
    WaitFor([&] { return shown.Count() == 1; }, 3000);
    Click(d, kRepeatSunday + 1);
    Click(d, kRepeatFromMonday);  // from Tuesday the 6th: Monday the 12th
    monday_start = std::to_wstring(Selection(d, kRepeatStartDay) + 1);
    SelectCombo(d, kRepeatEndDay, 10);  // the 11th: the range would end before it starts
    PostClick(d, IDOK);
    WaitFor([&] { return shown.Count() == 2; }, 3000);
    SelectCombo(d, kRepeatStartMonth, 1);  // February 30th
    SelectCombo(d, kRepeatStartDay, 29);
    Click(d, kRepeatToSaturday);
    WaitFor([&] { return shown.Count() == 3; }, 3000);
    Click(d, kRepeatWhole);
    PostClick(d, IDOK);
  });
  EXPECT_EQ(friday, L"2013/8/16");
  EXPECT_EQ(monday_start, L"12");
  ASSERT_EQ(shown.texts.size(), 3u);
  EXPECT_EQ(shown.texts[0], quorel::LoadText(519));
  EXPECT_EQ(shown.texts[1], quorel::LoadText(521));
  EXPECT_EQ(shown.texts[2], quorel::LoadText(520));
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dialog.values().weekdays, 0x82);
  EXPECT_EQ(dialog.values().start_year, 2000);
  EXPECT_EQ(dialog.values().end_year, 2099);
}

TEST_F(SmallDialogs, NoticeRefusesNoMethodAndNoFile) {
  quorel::NoticeValues v;
  v.flags = 1, v.lead = 15, v.sound_kind = 5;
  CScheduleRegAlert dialog(v, env);
  int lead = -1;
  bool sound_group_on = true, lead_off_without_notice = false, file_on = false;
  const INT_PTR result = wingui::test::RunModalDriven(kNoticeTitle, [&] { return dialog.DoModal(nullptr); },
                                                      [&](HWND d) {
    lead = Selection(d, kNoticeLead);
    sound_group_on = Enabled(d, kNoticeTone);
    PostClick(d, IDOK);
    WaitFor([&] { return shown.Count() == 1; }, 3000);
    Click(d, kNoticeBySound);
    file_on = Enabled(d, kNoticeFile);
    PostClick(d, IDOK);
    WaitFor([&] { return shown.Count() == 2; }, 3000);
    Click(d, kNoticeNotify);
    lead_off_without_notice = !Enabled(d, kNoticeLead) && !Enabled(d, kNoticeBySound);
    Click(d, kNoticeNotify);
    SetDlgItemTextW(d, kNoticeFile, L"C:\\chime.wav");
    SelectCombo(d, kNoticeLead, 8);
    PostClick(d, IDOK);
  });
  EXPECT_EQ(lead, 3);  // "15" by its text
  EXPECT_FALSE(sound_group_on);
  EXPECT_TRUE(file_on);
  EXPECT_TRUE(lead_off_without_notice);
  ASSERT_EQ(shown.texts.size(), 2u);
  EXPECT_EQ(shown.texts[0], quorel::LoadText(563));
  EXPECT_EQ(shown.texts[1], quorel::LoadText(564));
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dialog.values().flags, 1 | 32);
  EXPECT_EQ(dialog.values().lead, 60);
  EXPECT_EQ(dialog.values().sound_kind, 5);
  EXPECT_EQ(dialog.values().file, "C:\\chime.wav");
}

TEST_F(SmallDialogs, NoticeKindOfAMissingPackBecomesAFile) {
  quorel::NoticeValues v;
  v.flags = 1 | 32, v.lead = 7, v.sound_kind = 3, v.file = "a.wav";
  CScheduleRegAlert dialog(v, env);  // no packs loaded
  int tone = -1, lead = 0, after_choice = -1;
  bool pack_test_on = true;
  const INT_PTR result = wingui::test::RunModalDriven(kNoticeTitle, [&] { return dialog.DoModal(nullptr); },
                                                      [&](HWND d) {
    tone = Selection(d, kNoticeTone);
    lead = Selection(d, kNoticeLead);
    pack_test_on = Enabled(d, kNoticeToneTest);
    SelectCombo(d, kNoticeTone, 1);  // the light voice is not there either
    after_choice = Selection(d, kNoticeTone);
    PostClick(d, IDOK);
  });
  EXPECT_EQ(tone, 5);
  EXPECT_EQ(lead, -1);  // 7 is not in the list
  EXPECT_FALSE(pack_test_on);
  EXPECT_EQ(after_choice, 5);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(dialog.values().sound_kind, 5);
  EXPECT_EQ(dialog.values().lead, 0);
}

TEST_F(SmallDialogs, NoticeTestPlaysThePackClipOfTheChosenKind) {
  ASSERT_FALSE(soundtest::RecordFolder().empty()) << "run with scripts/wine-run.sh --record DIR";
  soundtest::ClearRecordings();
  HMODULE light = LoadLibraryW((wingui::test::ProgramFolder() + L"\\voxlite.dll").c_str());
  ASSERT_NE(light, nullptr);
  env.light_voice = light;
  quorel::NoticeValues v;
  v.flags = 1 | 32, v.sound_kind = 1;
  CScheduleRegAlert dialog(v, env);
  bool played_to_end = false;
  wingui::test::RunModalDriven(kNoticeTitle, [&] { return dialog.DoModal(nullptr); }, [&](HWND d) {
    PostClick(d, kNoticeToneTest);
    WaitFor([&] { return dialog.testing(); }, 3000);
    played_to_end = WaitFor([&] { return !dialog.testing(); }, 20000);
    PostClick(d, IDCANCEL);
  });
  EXPECT_TRUE(played_to_end);
  const auto rec = soundtest::WaitForRecordings(1, 3000);
  ASSERT_EQ(rec.size(), 1u);
  EXPECT_TRUE(soundtest::Holds(rec[0], soundtest::WaveData(soundtest::PackWave(light, L"ALARM2"))));
  FreeLibrary(light);
}

TEST_F(SmallDialogs, DatePickerStopsAtTheLastMonthAndOpensOnTheCurrentMonthForMonthZero) {
  CSelectDate last(2099, 12, env);
  std::wstring year, after_next;
  wingui::test::RunModalDriven(kDateTitle, [&] { return last.DoModal(nullptr); }, [&](HWND d) {
    Click(d, kSelectNext);
    year = ItemText(d, kSelectYear);
    after_next = std::to_wstring(Selection(d, kSelectMonth) + 1);
    PostMessageW(d, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(year, L"2099");
  EXPECT_EQ(after_next, L"12");
  EXPECT_EQ(last.day(), 0);

  CSelectDate current(2013, 0, env, 40, 50);
  RECT placed = {};
  bool today = false, other = true;
  const INT_PTR result = wingui::test::RunModalDriven(kDateTitle, [&] { return current.DoModal(nullptr); },
                                                      [&](HWND d) {
    GetWindowRect(d, &placed);
    today = current.IsTodayCell(6);
    other = current.IsTodayCell(7);
    PostMessageW(d, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(current.DayCell(15)), STN_CLICKED),
                 reinterpret_cast<LPARAM>(current.DayCell(15)));
  });
  EXPECT_EQ(placed.left, 40);
  EXPECT_EQ(placed.top, 50);
  EXPECT_TRUE(today);
  EXPECT_FALSE(other);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(current.year(), 2013);
  EXPECT_EQ(current.month(), 8);
  EXPECT_EQ(current.day(), 15);
  EXPECT_EQ(current.left(), 40);
}

TEST_F(SmallDialogs, DatePickerShowsSundaysAndHolidaysInTheHolidayColour) {
  CSelectDate picker(2013, 8, env);
  COLORREF sunday = 0, holiday = 0, weekday = 0;
  bool after_last_hidden = false, thirty_first_hidden = false;
  wingui::test::RunModalDriven(kDateTitle, [&] { return picker.DoModal(nullptr); }, [&](HWND d) {
    Click(d, kSelectNext);  // September 2013: the 1st is a Sunday, the 16th Respect for the Aged Day
    sunday = picker.DayColour(1);
    holiday = picker.DayColour(16);
    weekday = picker.DayColour(17);
    after_last_hidden = !IsWindowVisible(GetDlgItem(d, kSelectFirstCell + 30));
    thirty_first_hidden = picker.DayCell(31) == nullptr;
    PostMessageW(d, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(sunday, holiday);
  EXPECT_NE(sunday, weekday);
  EXPECT_EQ(weekday, RGB(0, 0, 0));
  EXPECT_TRUE(thirty_first_hidden);
  EXPECT_TRUE(after_last_hidden);
  EXPECT_EQ(picker.day(), 0);
}

}  // namespace

// The registration dialog driven through its controls from a second thread,
// as a person would, with a real store writing its year files to a folder.
#include "schedule/schedule_regist_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "base/file_system_win.h"
#include "base/string_table.h"
#include "schedule/schedule_reg_dialogs_win.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"

namespace {

using wingui::test::WaitFor;

class FixedClock : public quorel::TimeSource {
 public:
  quorel::ClockTime now{2013, 8, 2, 6, 10, 9, 15, 2};  // Tuesday 2013-08-06 10:09
  quorel::ClockTime LocalNow() override { return now; }
  quorel::ClockTime UtcNow() override { return now; }
};

// Messages the dialogs showed, in order (shown on the dialog's thread, read by the driver's).
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

std::string Text(unsigned number, int argument = -1) {
  std::string pattern = quorel::LoadText(number);
  if (argument < 0) return pattern;
  char out[512];
  std::snprintf(out, sizeof out, pattern.c_str(), argument);
  return out;
}

std::wstring W(unsigned number) { return wingui::WideFromAnsi(quorel::LoadText(number)); }

std::wstring ItemText(HWND d, int id) {
  wchar_t text[256] = {};
  GetDlgItemTextW(d, id, text, 256);
  return text;
}

bool Enabled(HWND d, int id) { return IsWindowEnabled(GetDlgItem(d, id)) != FALSE; }
bool Visible(HWND d, int id) { return IsWindowVisible(GetDlgItem(d, id)) != FALSE; }

// Types into an edit or an editable combo as the keyboard would.
void Type(HWND d, int id, const std::wstring& text) {
  HWND item = GetDlgItem(d, id);
  SendMessageW(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  wchar_t cls[32] = {};
  GetClassNameW(item, cls, 32);
  if (std::wstring(cls) == L"ComboBox") SendMessageW(d, WM_COMMAND, MAKEWPARAM(id, CBN_EDITCHANGE), reinterpret_cast<LPARAM>(item));
}

// A click posted, so that a button that opens a dialog does not hold the driver.
void PostClick(HWND d, int id) { PostMessageW(GetDlgItem(d, id), BM_CLICK, 0, 0); }
void Click(HWND d, int id) { SendMessageW(GetDlgItem(d, id), BM_CLICK, 0, 0); }

void SelectCombo(HWND d, int id, int index) {
  HWND combo = GetDlgItem(d, id);
  SendMessageW(combo, CB_SETCURSEL, index, 0);
  SendMessageW(d, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// The window of this process with the caption, once it is visible.
HWND WaitShown(const std::wstring& caption) {
  HWND w = wingui::test::WaitForWindow(caption.c_str(), 5000);
  if (w) WaitFor([&] { return IsWindowVisible(w) != FALSE; }, 5000);
  return w;
}

class RegistTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dir = std::wstring(temp) + L"quorel_regist_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                             std::to_wstring(++counter_);
    CreateDirectoryW(dir.c_str(), nullptr);
    folder = wingui::AnsiFromWide(dir) + "\\";
    quorel::ScheduleEnvironment se;
    se.fs = &fs;
    se.clock = &clock;
    se.folder = folder;
    se.notice_flags = 1 | 16;
    se.notice_lead = 10;
    se.show_message = [this](unsigned, const std::string& text) { shown.Add(text); };
    store = std::make_unique<quorel::CScheduleInfo>(se);
    env.now = [this] { return clock.now; };
    env.show_message = [this](HWND, const std::string& text) { shown.Add(text); };
    env.store_position = [this](int left, int top) {
      stored_left = left;
      stored_top = top;
      ++position_stores;
    };
  }

  quorel::ScheduleList StoredFile(int year) {
    std::string bytes;
    fs.Read(folder + "sche" + std::to_string(year) + ".dat", 1 << 20, bytes);
    return quorel::ParseScheduleFile(bytes, year != 9999).items;
  }

  INT_PTR RunNew(int y, int m, int d, const std::function<void(HWND)>& drive) {
    return wingui::test::RunModalDriven(
        W(375).c_str(), [&] { return RegisterNewSchedule(nullptr, *store, y, m, d, env); }, drive);
  }

  static int counter_;
  CWinFileSystem fs;
  FixedClock clock;
  std::string folder;
  std::unique_ptr<quorel::CScheduleInfo> store;
  ScheduleDialogEnv env;
  Shown shown;
  int stored_left = -1, stored_top = -1, position_stores = 0;
};
int RegistTest::counter_ = 0;

TEST_F(RegistTest, NewEntryOnTodayIsWrittenToItsYearFile) {
  std::wstring start_hour, end_hour, start_minute, bar_label;
  bool as_new_visible = true, extras_visible = true;
  const INT_PTR result = RunNew(2013, 8, 6, [&](HWND d) {
    start_hour = ItemText(d, kRegStartHour);
    start_minute = ItemText(d, kRegStartMinute);
    end_hour = ItemText(d, kRegEndHour);
    bar_label = ItemText(d, kRegBar1Label);
    as_new_visible = Visible(d, kRegAsNew);
    extras_visible = Visible(d, kRegMemo);
    Type(d, kRegContent, L"\u4f1a\u8b70");  // 会議
    Type(d, kRegPlace, L"room 1");
    PostClick(d, IDOK);
  });
  EXPECT_EQ(result, quorel::kRegistOk);
  EXPECT_EQ(start_hour, L"11");
  EXPECT_EQ(start_minute, L"00");
  EXPECT_EQ(end_hour, L"12");
  EXPECT_EQ(bar_label, W(570));
  EXPECT_FALSE(as_new_visible);
  EXPECT_FALSE(extras_visible);
  EXPECT_EQ(position_stores, 1);

  const quorel::ScheduleList items = StoredFile(2013);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].content, "\x89\xef\x8b\x63");
  EXPECT_EQ(items[0].place, "room 1");
  EXPECT_EQ(items[0].month, 8);
  EXPECT_EQ(items[0].day, 6);
  EXPECT_EQ(items[0].start_hour, 11);
  EXPECT_EQ(items[0].end_hour, 12);
  EXPECT_EQ(items[0].notice_flags, 17);  // the store's defaults for new entries
  EXPECT_EQ(items[0].notice_lead, 10);
  EXPECT_EQ(items[0].Identifier().substr(0, 8), "20130806");
  EXPECT_EQ(store->GetPlaces()[0], "room 1");
}

TEST_F(RegistTest, RefusedInputShowsItsMessageAndKeepsTheDialogOpen) {
  bool still_open = false;
  std::string first, second;
  const INT_PTR result = RunNew(2013, 8, 7, [&](HWND d) {
    Type(d, kRegEndHour, L"7");  // 08:00 - 07:00
    PostClick(d, IDOK);
    WaitFor([&] { return shown.Count() == 1; }, 3000);
    first = shown.Last();
    still_open = IsWindowVisible(d) != FALSE;
    Type(d, kRegEndHour, L"9");
    std::wstring long_text(33, L'\u3042');
    Type(d, kRegContent, long_text);  // the edit takes 64 characters; 33 full-width are 66 bytes
    PostClick(d, IDOK);
    WaitFor([&] { return shown.Count() == 2; }, 3000);
    second = shown.Last();
    Type(d, kRegContent, std::wstring(32, L'\u3042'));
    PostClick(d, IDOK);
  });
  EXPECT_EQ(first, Text(516));
  EXPECT_TRUE(still_open);
  EXPECT_EQ(second, Text(517, 32));
  EXPECT_EQ(result, quorel::kRegistOk);
  ASSERT_EQ(StoredFile(2013).size(), 1u);
  EXPECT_EQ(StoredFile(2013)[0].content.size(), 64u);
}

TEST_F(RegistTest, DraggingOnTheBarWritesTheTimeFields) {
  std::wstring sh, sm, eh, em, back_eh, back_em;
  const INT_PTR result = RunNew(2013, 8, 7, [&](HWND d) {
    HWND bar = GetDlgItem(d, kRegBar1);
    auto at = [](int cell) { return MAKELPARAM(7 + 7 * cell + 3, 20); };
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, at(20));  // 10:00
    SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, at(23));    // 11:30
    SendMessageW(bar, WM_LBUTTONUP, 0, at(23));
    WaitFor([&] { return ItemText(d, kRegEndHour) == L"12"; }, 2000);
    sh = ItemText(d, kRegStartHour), sm = ItemText(d, kRegStartMinute);
    eh = ItemText(d, kRegEndHour), em = ItemText(d, kRegEndMinute);
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, at(20));
    SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, at(12));  // left of the start
    SendMessageW(bar, WM_LBUTTONUP, 0, at(12));
    WaitFor([&] { return ItemText(d, kRegEndHour) == L"10"; }, 2000);
    back_eh = ItemText(d, kRegEndHour), back_em = ItemText(d, kRegEndMinute);
    PostClick(d, IDOK);
  });
  EXPECT_EQ(sh + L":" + sm, L"10:00");
  EXPECT_EQ(eh + L":" + em, L"12:00");
  EXPECT_EQ(back_eh + L":" + back_em, L"10:00");
  EXPECT_EQ(result, quorel::kRegistOk);
  ASSERT_EQ(StoredFile(2013).size(), 1u);
  EXPECT_EQ(StoredFile(2013)[0].end_hour, 10);
}

TEST_F(RegistTest, TypedTimesFillTheBar) {
  std::vector<int> cells;
  RunNew(2013, 8, 7, [&](HWND d) {
    Type(d, kRegStartHour, L"10");
    Type(d, kRegStartMinute, L"00");
    Type(d, kRegEndHour, L"12");
    Type(d, kRegEndMinute, L"01");
    HWND bar = GetDlgItem(d, kRegBar1);
    auto* self = static_cast<CScheduleTimeBar*>(wingui::Window::FromHandle(bar));
    for (int i = 0; i < quorel::kTimeBarCells; ++i) {
      if (self && self->model().cell(i)) cells.push_back(i);
    }
    PostClick(d, IDCANCEL);
  });
  EXPECT_EQ(cells, (std::vector<int>{20, 21, 22, 23, 24}));
  EXPECT_TRUE(StoredFile(2013).empty());
  EXPECT_EQ(position_stores, 1);  // cancel stores the place too
}

TEST_F(RegistTest, MultiDayEntryWithinTwentyDays) {
  std::wstring end_day, bar_label;
  bool bar2_shown = false, repeat_enabled = true;
  const INT_PTR result = RunNew(2009, 3, 1, [&](HWND d) {
    Click(d, kRegMultiDay);
    end_day = ItemText(d, kRegEndDay);
    bar2_shown = Visible(d, kRegBar2);
    bar_label = ItemText(d, kRegBar1Label);
    repeat_enabled = Enabled(d, kRegRepeat);
    Type(d, kRegEndDay, L"22");
    PostClick(d, IDOK);
    WaitFor([&] { return shown.Count() == 1; }, 3000);
    Type(d, kRegEndDay, L"1");
    PostClick(d, IDOK);
    WaitFor([&] { return shown.Count() == 2; }, 3000);
    Type(d, kRegEndDay, L"21");
    PostClick(d, IDOK);
  });
  EXPECT_EQ(end_day, L"2");
  EXPECT_TRUE(bar2_shown);
  EXPECT_EQ(bar_label, W(568));
  EXPECT_FALSE(repeat_enabled);
  ASSERT_EQ(shown.texts.size(), 2u);
  EXPECT_EQ(shown.texts[0], Text(567, 20));
  EXPECT_EQ(shown.texts[1], Text(559));
  EXPECT_EQ(result, quorel::kRegistOk);
  const quorel::ScheduleList items = StoredFile(2009);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].end_day, 21);
  EXPECT_EQ(items[0].repetition, 0);
}

TEST_F(RegistTest, WeeklyRepetitionChosenInTheRepetitionDialogGoesToTheRepeatFile) {
  std::wstring summary;
  bool year_enabled = true, day_enabled = true;
  const INT_PTR result = RunNew(2013, 8, 7, [&](HWND d) {
    PostClick(d, kRegRepeat);
    HWND r = WaitShown(L"\u4e88\u5b9a\u306e\u7e70\u308a\u8fd4\u3057\u8a2d\u5b9a");  // 予定の繰り返し設定
    ASSERT_NE(r, nullptr);
    SelectCombo(r, kRepeatKind, 3);  // 毎週
    Click(r, kRepeatSunday + 1);     // Monday
    Click(r, kRepeatWhole);
    PostClick(r, IDOK);
    WaitFor([&] { return !IsWindow(r); }, 3000);
    summary = ItemText(d, kRegRepeatSummary);
    year_enabled = Enabled(d, kRegStartYear);
    day_enabled = Enabled(d, kRegStartDay);
    PostClick(d, IDOK);
  });
  EXPECT_EQ(result, quorel::kRegistOk);
  EXPECT_EQ(summary, W(527));
  EXPECT_FALSE(year_enabled);
  EXPECT_FALSE(day_enabled);
  EXPECT_TRUE(StoredFile(2013).empty());
  const quorel::ScheduleList items = StoredFile(9999);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].repetition, 4);
  EXPECT_EQ(items[0].weekdays, 0x82);
  EXPECT_EQ(items[0].year, 0);
  EXPECT_EQ(items[0].range_start_year, 2000);
  EXPECT_EQ(items[0].range_end_year, 2099);
  EXPECT_EQ(items[0].range_end_day, 31);
  EXPECT_EQ(items[0].Identifier().substr(0, 8), "99999999");
}

TEST_F(RegistTest, RegisteringAsNewKeepsTheOldEntryAndMakesASecond) {
  quorel::_SCHE_MEM_ITEM old_item;
  store->NewSchedule(old_item);
  old_item.year = 2013, old_item.month = 8, old_item.day = 9, old_item.start_hour = 9, old_item.end_hour = 10;
  old_item.content = "old";
  ASSERT_TRUE(store->AddSchedule(old_item));
  ASSERT_TRUE(store->SaveSchedules());
  bool as_new_visible = false;
  std::wstring button;
  const INT_PTR result = wingui::test::RunModalDriven(
      W(376).c_str(), [&] { return ChangeSchedule(nullptr, *store, old_item, env); },
      [&](HWND d) {
        as_new_visible = Visible(d, kRegAsNew);
        button = ItemText(d, IDOK);
        Type(d, kRegContent, L"new");
        PostClick(d, kRegAsNew);
      });
  EXPECT_EQ(result, quorel::kRegistAsNew);
  EXPECT_TRUE(as_new_visible);
  EXPECT_EQ(button, W(378));
  EXPECT_EQ(position_stores, 0);  // "as new" keeps the stored place
  const quorel::ScheduleList items = StoredFile(2013);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].content, "old");
  EXPECT_EQ(items[1].content, "new");
  EXPECT_EQ(items[0].Identifier().size(), 25u);
  EXPECT_EQ(items[1].Identifier().size(), 25u);

  // Changing replaces: still two entries, the first one now with its new text.
  const INT_PTR changed = wingui::test::RunModalDriven(
      W(376).c_str(), [&] { return ChangeSchedule(nullptr, *store, items[0], env); },
      [&](HWND d) {
        Type(d, kRegContent, L"changed");
        PostClick(d, IDOK);
      });
  EXPECT_EQ(changed, quorel::kRegistOk);
  const quorel::ScheduleList after = StoredFile(2013);
  ASSERT_EQ(after.size(), 2u);
  EXPECT_EQ(after[0].content, "new");
  EXPECT_EQ(after[1].content, "changed");
}

TEST_F(RegistTest, ReadOnlyEntryCannotBeConfirmed) {
  quorel::_SCHE_MEM_ITEM item;
  store->NewSchedule(item);
  item.year = 2013, item.month = 8, item.day = 9;
  item.flags = quorel::kItemReadOnly;
  item.SetIdentifier("2013080920130801101010123");
  bool ok_enabled = true, as_new_enabled = true;
  const INT_PTR result = wingui::test::RunModalDriven(
      W(376).c_str(), [&] { return CScheduleRegist(nullptr, *store, item, env).DoModal(); },
      [&](HWND d) {
        ok_enabled = Enabled(d, IDOK);
        as_new_enabled = Enabled(d, kRegAsNew);
        PostMessageW(d, WM_CLOSE, 0, 0);
      });
  EXPECT_EQ(result, quorel::kRegistCancel);
  EXPECT_FALSE(ok_enabled);
  EXPECT_FALSE(as_new_enabled);
}

// A plug-in as the store sees it: it records what it was handed.
class RecordingSync : public quorel::ScheduleSync {
 public:
  std::vector<quorel::_SCHE_MEM_ITEM> added;
  quorel::ScheduleList DayItems(int, int, int) override { return {}; }
  quorel::ScheduleList MonthItems(int, int) override { return {}; }
  void Add(const quorel::_SCHE_MEM_ITEM& item) override { added.push_back(item); }
  void Delete(const quorel::_SCHE_MEM_ITEM&) override {}
  void Replace(const quorel::_SCHE_MEM_ITEM&, const quorel::_SCHE_MEM_ITEM&) override {}
  void Save() override {}
  void Reload() override {}
  bool Kinds(std::vector<quorel::_SCHE_KIND_INFO>& kinds) override {
    kinds = {{"work", 3}, {"home", 7}};
    return true;
  }
};

TEST_F(RegistTest, WithAPluginTheExtraFieldsAreOfferedAndANewCopyHasNoIdentifier) {
  RecordingSync sync;
  store->SetSync(&sync);
  quorel::_SCHE_MEM_ITEM item;
  store->NewSchedule(item);
  item.year = 2013, item.month = 8, item.day = 9, item.kind = 7, item.memo = "m";
  item.SetIdentifier("2013080920130801101010123");
  bool memo_visible = false, repeat_enabled = true, multi_enabled = true;
  int kind_selected = -1;
  std::wstring memo;
  const INT_PTR result = wingui::test::RunModalDriven(
      W(376).c_str(), [&] { return ChangeSchedule(nullptr, *store, item, env); },
      [&](HWND d) {
        memo_visible = Visible(d, kRegMemo);
        memo = ItemText(d, kRegMemo);
        repeat_enabled = Enabled(d, kRegRepeat);
        multi_enabled = Enabled(d, kRegMultiDay);
        kind_selected = static_cast<int>(SendDlgItemMessageW(d, kRegKind, CB_GETCURSEL, 0, 0));
        SelectCombo(d, kRegKind, 0);
        Click(d, kRegPrivate);
        Type(d, kRegMemo, L"memo 2");
        PostClick(d, kRegAsNew);
      });
  store->SetSync(nullptr);
  EXPECT_EQ(result, quorel::kRegistAsNew);
  EXPECT_TRUE(memo_visible);
  EXPECT_EQ(memo, L"m");
  EXPECT_FALSE(repeat_enabled);
  EXPECT_FALSE(multi_enabled);
  EXPECT_EQ(kind_selected, 1);  // the entry's kind 7
  ASSERT_EQ(sync.added.size(), 1u);
  EXPECT_EQ(sync.added[0].Identifier(), "");  // the plug-in must not take it for the old entry
  EXPECT_EQ(sync.added[0].kind, 3);
  EXPECT_EQ(sync.added[0].flags, quorel::kItemPrivate);
  EXPECT_EQ(sync.added[0].memo, "memo 2");
}

TEST_F(RegistTest, NoTimeSkipsTheTimeChecksAndDisablesTheBars) {
  bool bar_enabled = true, notice_enabled = true;
  const INT_PTR result = RunNew(2013, 8, 7, [&](HWND d) {
    Type(d, kRegStartHour, L"x");
    Click(d, kRegNoTime);
    bar_enabled = IsWindowEnabled(GetDlgItem(d, kRegBar1)) != FALSE;
    notice_enabled = Enabled(d, kRegNotice);
    PostClick(d, IDOK);
  });
  EXPECT_EQ(result, quorel::kRegistOk);
  EXPECT_FALSE(bar_enabled);
  EXPECT_FALSE(notice_enabled);
  EXPECT_EQ(shown.Count(), 0u);
  const quorel::ScheduleList items = StoredFile(2013);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].flags, quorel::kItemNoTime);
  EXPECT_EQ(items[0].start_hour, 0);
}

TEST_F(RegistTest, StoredPositionPlacesTheDialog) {
  env.dialog_left = 123, env.dialog_top = 77;
  RECT r = {};
  RunNew(2013, 8, 7, [&](HWND d) {
    GetWindowRect(d, &r);
    PostClick(d, IDCANCEL);
  });
  EXPECT_EQ(r.left, 123);
  EXPECT_EQ(r.top, 77);
  EXPECT_EQ(stored_left, 123);
  EXPECT_EQ(stored_top, 77);
}

}  // namespace

// The schedule window beside a real clock window, on a store in memory: what
// it lists and draws, its buttons with their repetition, clicks that open the
// registration, the context menu's deletion, the day change, the height that
// follows the entries and the cursor reaction.
#include "schedule/schedule_wnd_win.h"

#include <gtest/gtest.h>

#include <thread>

#include "app/common_util.h"
#include "app/messages.h"
#include "app/quorel_e2e_support_win.h"
#include "base/memory_file_system.h"
#include "schedule/schedule_delete_win.h"
#include "schedule/schedule_info.h"
#include "wingui/test_support_win.h"

namespace {

using wingui::test::PumpMessages;

const char kFolder[] = "C:\\data\\";

class FixedTime : public quorel::TimeSource {
 public:
  quorel::ClockTime now{2026, 12, 4, 24, 17, 59, 5, 0};  // a Thursday
  quorel::ClockTime LocalNow() override { return now; }
  quorel::ClockTime UtcNow() override { return now; }
};

std::string Sjis(const std::string& utf8) { return quorel::CCommonUtil::Utf8ToAnsi(utf8); }

quorel::_SCHE_MEM_ITEM Entry(int y, int m, int d, int sh, int eh, const char* content, const char* place = "") {
  quorel::_SCHE_MEM_ITEM e;
  e.year = static_cast<std::int16_t>(y);
  e.month = static_cast<std::uint8_t>(m);
  e.day = static_cast<std::uint8_t>(d);
  e.start_hour = static_cast<std::uint8_t>(sh);
  e.end_hour = static_cast<std::uint8_t>(eh);
  e.end_minute = 30;
  e.content = Sjis(content);
  e.place = Sjis(place);
  return e;
}

class ScheduleWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wingui::WindowSpec spec;
    spec.class_name = L"ScheduleTestMain";
    spec.ex_style = WS_EX_TOOLWINDOW;
    ASSERT_TRUE(main_.Create(spec));
    SetCursorPos(1200, 1000);
    s().startup_placement = 2;
    s().clock_left = 900, s().clock_top = 700, s().clock_right = 982, s().clock_bottom = 753;
    s().schedule_enabled = 1;
    s().schedule_left = 100, s().schedule_top = 100, s().schedule_right = 320, s().schedule_bottom = 400;
    s().schedule_days = 7;
    s().schedule_font_size = 12;
    s().schedule_font_name = Sjis("ＭＳ ゴシック");
    s().schedule_fit_height = 0;
    s().schedule_cursor_reaction = 0;
    s().schedule_list_empty_days = 0;
    s().schedule_one_line = 0;
    s().schedule_week_from_monday = 0;
    s().schedule_translucent = 0;
    s().schedule_return_to_today = 0;
    clock_.SetTimeSource(&time_);
    clock_.SetSaveSettings([] {});
    fs_.AddDirectory("C:\\data");
    quorel::ScheduleEnvironment env;
    env.fs = &fs_;
    env.clock = &time_;
    env.folder = kFolder;
    store_ = std::make_unique<quorel::CScheduleInfo>(env);
  }
  void Create() {
    ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
    ScheduleWindowEnv env;
    env.schedule = store_.get();
    env.register_entry = [this](HWND, const quorel::ScheduleDate& date, const quorel::_SCHE_MEM_ITEM* entry) {
      registrations_.push_back({date, entry ? entry->content : std::string("(new)")});
      return false;
    };
    env.schedule_changed = [this] { ++changes_told_; };
    env.build_notice_queue = [this] { ++queue_builds_; };
    env.check_notices = [this] { ++notice_checks_; };
    window_ = std::make_unique<CScheduleWnd>(clock_, env);
    ASSERT_TRUE(window_->CreateScheduleWindow(main_.hwnd()));
    PumpMessages(100);
  }
  void TearDown() override { window_.reset(); }
  void Add(quorel::_SCHE_MEM_ITEM e) {
    store_->AddSchedule(e);
    store_->SaveSchedules();
  }
  // A click as the mouse makes it, at a client point.
  void Click(UINT down, POINT p) {
    SendMessageW(window_->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    SendMessageW(window_->hwnd(), down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(p.x, p.y));
    if (down == WM_LBUTTONDOWN) SendMessageW(window_->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  }
  POINT CentreOf(int kind, int nth = 0) {
    for (const quorel::ScheduleArea& a : window_->areas()) {
      if (a.kind == kind && nth-- == 0) return POINT{(a.rect.left + a.rect.right) / 2, (a.rect.top + a.rect.bottom) / 2};
    }
    ADD_FAILURE() << "no area of kind " << kind;
    return POINT{-1, -1};
  }
  quorel::QuorelSettings& s() { return clock_.settings(); }
  // The window's client pixels as drawn.
  COLORREF PixelOfRow(int top, int x) {
    HDC dc = GetDC(window_->hwnd());
    const COLORREF c = GetPixel(dc, x, top + 1);
    ReleaseDC(window_->hwnd(), dc);
    return c;
  }

  wingui::Window main_;
  FixedTime time_;
  CQuorelWin clock_;
  quorel::MemoryFileSystem fs_;
  std::unique_ptr<quorel::CScheduleInfo> store_;
  std::unique_ptr<CScheduleWnd> window_;
  std::vector<std::pair<quorel::ScheduleDate, std::string>> registrations_;
  int changes_told_ = 0, queue_builds_ = 0, notice_checks_ = 0;
};

TEST_F(ScheduleWindowTest, ListsTheWeekAndHighlightsTheEntryInProgress) {
  Add(Entry(2026, 12, 24, 17, 18, "会議", "本社"));  // 17:00-18:30: in progress at 17:59
  Add(Entry(2026, 12, 24, 19, 20, "夕食"));
  Add(Entry(2026, 12, 26, 10, 11, "買い物"));
  Add(Entry(2027, 1, 5, 10, 11, "先の予定"));  // beyond the seven days
  Create();
  const quorel::ScheduleListModel& m = window_->model();
  std::vector<std::string> texts;
  for (const quorel::ScheduleLine& l : m.lines) texts.push_back(l.text);
  const std::vector<std::string> expected = {
      Sjis("12/24(木)の予定(2件)"), Sjis("17:00 会議"), Sjis("本社"), Sjis("19:00 夕食"),
      Sjis("12/26(土)の予定(1件)"), Sjis("10:00 買い物"),
  };
  EXPECT_EQ(expected, texts);
  EXPECT_EQ(Sjis("26/12/24(木)から7日間の予定"), m.title);
  const auto rows = window_->InProgressRows();
  ASSERT_EQ(1u, rows.size());
  EXPECT_EQ(0, rows[0].second);
  // The in-progress row is drawn on its own background, the next one is not.
  const int top = window_->metrics().title_height;
  const int line = window_->metrics().line_height;
  EXPECT_EQ(RGB(255, 224, 160), PixelOfRow(top + line, 150));
  EXPECT_NE(RGB(255, 224, 160), PixelOfRow(top + 3 * line, 150));
  EXPECT_GE(notice_checks_ + queue_builds_, 1);  // the notices were built when applied
}

TEST_F(ScheduleWindowTest, ButtonsStepTheDaysAndTodayComesBack) {
  Create();
  Click(WM_LBUTTONDOWN, CentreOf(quorel::kAreaNextDay));
  EXPECT_EQ((quorel::ScheduleDate{2026, 12, 25}), window_->shown_date());
  Click(WM_LBUTTONDOWN, CentreOf(quorel::kAreaNextWeek));
  EXPECT_EQ((quorel::ScheduleDate{2027, 1, 1}), window_->shown_date());
  s().schedule_week_from_monday = 1;
  Click(WM_LBUTTONDOWN, CentreOf(quorel::kAreaPrevWeek));  // Friday: back to Monday the 28th
  EXPECT_EQ((quorel::ScheduleDate{2026, 12, 28}), window_->shown_date());
  Click(WM_LBUTTONDOWN, CentreOf(quorel::kAreaPrevDay));
  EXPECT_EQ((quorel::ScheduleDate{2026, 12, 27}), window_->shown_date());
  Click(WM_LBUTTONDOWN, CentreOf(quorel::kAreaToday));
  EXPECT_EQ((quorel::ScheduleDate{2026, 12, 24}), window_->shown_date());
}

TEST_F(ScheduleWindowTest, AHeldButtonRepeatsAfter900MsThenEvery400Ms) {
  Create();
  const POINT p = CentreOf(quorel::kAreaNextDay);
  POINT screen = p;
  ClientToScreen(window_->hwnd(), &screen);
  SetCursorPos(screen.x, screen.y);
  const LPARAM at = MAKELPARAM(p.x, p.y);
  SendMessageW(window_->hwnd(), WM_MOUSEMOVE, 0, at);
  SendMessageW(window_->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  PumpMessages(150);
  EXPECT_EQ((quorel::ScheduleDate{2026, 12, 25}), window_->shown_date());  // the press
  PumpMessages(550);                                                         // 700 ms: not yet
  EXPECT_EQ((quorel::ScheduleDate{2026, 12, 25}), window_->shown_date());
  PumpMessages(450);  // 1150 ms: the first repeat, at 900
  EXPECT_EQ((quorel::ScheduleDate{2026, 12, 26}), window_->shown_date());
  PumpMessages(400);  // 1550 ms: the next, 400 later
  EXPECT_EQ((quorel::ScheduleDate{2026, 12, 27}), window_->shown_date());
  SendMessageW(window_->hwnd(), WM_LBUTTONUP, 0, at);
  PumpMessages(900);
  EXPECT_EQ((quorel::ScheduleDate{2026, 12, 27}), window_->shown_date());  // released: no more steps
  SetCursorPos(1200, 1000);
}

TEST_F(ScheduleWindowTest, LeftClicksOpenTheRegistrationOnTheHeaderDateOrTheEntry) {
  Add(Entry(2026, 12, 26, 10, 11, "買い物"));
  Create();
  Click(WM_LBUTTONDOWN, CentreOf(quorel::kAreaDayHeader, 1));  // the 26th (today is listed first)
  Click(WM_LBUTTONDOWN, CentreOf(quorel::kAreaEntry));
  ASSERT_EQ(2u, registrations_.size());
  EXPECT_EQ((quorel::ScheduleDate{2026, 12, 26}), registrations_[0].first);
  EXPECT_EQ("(new)", registrations_[0].second);
  EXPECT_EQ((quorel::ScheduleDate{2026, 12, 26}), registrations_[1].first);
  EXPECT_EQ(Sjis("買い物"), registrations_[1].second);
}

TEST_F(ScheduleWindowTest, TheMenusDeleteAsksAndRemovesTheEntryFromTheFile) {
  Add(Entry(2026, 12, 24, 19, 20, "夕食", "家"));
  Add(Entry(2026, 12, 24, 21, 22, "残す"));
  Create();
  const std::string before = fs_.Contents(std::string(kFolder) + "sche2026.dat");
  ASSERT_NE(std::string::npos, before.find(Sjis("夕食")));
  std::string date_seen;
  window_->SetDeleteRunner([&](HWND owner, const std::string& date, const std::string& content,
                               const std::string& place) {
    date_seen = date;
    CScheduleDelete dialog(date, content, place);
    return wingui::test::RunModalDriven(L"予定の削除", [&] { return dialog.DoModal(owner); }, [](HWND d) {
      Sleep(200);
      quorel_e2e::SavePpm(quorel_e2e::Capture(quorel_e2e::RectOf(d)),
                          wingui::test::ProgramFolder() + L"\\tests\\schedule_delete.ppm");
      wchar_t text[64] = {};
      GetDlgItemTextW(d, CScheduleDelete::kContent, text, 64);
      if (std::wstring(text) == L"夕食") wingui::test::ClickButton(d, IDOK);
      else wingui::test::ClickButton(d, IDCANCEL);
    });
  });
  // The menu is driven by its keys: "予定の削除(&D)".
  HWND hwnd = window_->hwnd();
  std::thread keys([hwnd] {
    if (wingui::test::WaitFor([] { return FindWindowW(L"#32768", nullptr) != nullptr; }, 5000)) {
      PostMessageW(FindWindowW(L"#32768", nullptr), WM_CHAR, L'd', 0);  // the item's letter
    }
    (void)hwnd;
  });
  Click(WM_RBUTTONDOWN, CentreOf(quorel::kAreaEntry));
  keys.join();
  PumpMessages(50);
  EXPECT_EQ(Sjis("26/12/24 19:00～20:30"), date_seen);
  const std::string after = fs_.Contents(std::string(kFolder) + "sche2026.dat");
  EXPECT_EQ(std::string::npos, after.find(Sjis("夕食")));
  EXPECT_NE(std::string::npos, after.find(Sjis("残す")));
  ASSERT_EQ(2u, window_->model().lines.size());  // the header and the entry left
  EXPECT_EQ(1, changes_told_);
}

TEST_F(ScheduleWindowTest, TheDayChangeShowsTheNewDay) {
  Create();
  Click(WM_LBUTTONDOWN, CentreOf(quorel::kAreaNextWeek));
  time_.now = quorel::ClockTime{2026, 12, 5, 25, 0, 0, 1, 0};
  const int builds = queue_builds_;
  PumpMessages(1300);
  EXPECT_EQ((quorel::ScheduleDate{2026, 12, 25}), window_->shown_date());
  EXPECT_GT(queue_builds_, builds);
  EXPECT_GE(notice_checks_, 1);
  EXPECT_TRUE(window_->model().lines.front().today);
}

TEST_F(ScheduleWindowTest, TheHeightFollowsTheEntries) {
  s().schedule_fit_height = 1;
  Add(Entry(2026, 12, 24, 10, 11, "一"));
  Add(Entry(2026, 12, 25, 10, 11, "二"));
  Create();
  RECT r;
  GetWindowRect(window_->hwnd(), &r);
  EXPECT_EQ(quorel::FittedHeight(window_->model(), window_->metrics()), r.bottom - r.top);
  EXPECT_EQ(220, r.right - r.left);
  Add(Entry(2026, 12, 26, 10, 11, "三"));
  SendMessageW(window_->hwnd(), quorel::WM_SCHEDULE_CHANGED, 0, 0);
  RECT grown;
  GetWindowRect(window_->hwnd(), &grown);
  EXPECT_EQ(2 * window_->metrics().line_height, (grown.bottom - grown.top) - (r.bottom - r.top));
}

TEST_F(ScheduleWindowTest, VanishesUnderTheCursorAndComesBackOnceItLeaves) {
  s().schedule_cursor_reaction = 1;
  s().sensitivity = 1;
  Create();
  ASSERT_TRUE(IsWindowVisible(window_->hwnd()));
  SetCursorPos(150, 110);
  SendMessageW(window_->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 10));
  EXPECT_FALSE(IsWindowVisible(window_->hwnd()));
  EXPECT_TRUE(window_->faded());
  SetCursorPos(1200, 1000);
  PumpMessages(700);
  EXPECT_TRUE(IsWindowVisible(window_->hwnd()));
  EXPECT_FALSE(window_->faded());
}

TEST_F(ScheduleWindowTest, ReturnsToTodayOnceTheCursorStaysAway) {
  s().schedule_return_to_today = 1;
  s().schedule_return_seconds = 1;
  Create();
  Click(WM_LBUTTONDOWN, CentreOf(quorel::kAreaNextWeek));
  ASSERT_EQ((quorel::ScheduleDate{2026, 12, 31}), window_->shown_date());
  SetCursorPos(1200, 1000);  // away from the window
  PumpMessages(800);
  EXPECT_EQ((quorel::ScheduleDate{2026, 12, 31}), window_->shown_date());  // not before its second
  PumpMessages(1800);
  EXPECT_EQ((quorel::ScheduleDate{2026, 12, 24}), window_->shown_date());
}

}  // namespace

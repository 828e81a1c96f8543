// The calendar window beside a real clock window: it follows the clock,
// vanishes and fades with it, steps months within 2000-2099 and places its
// day popup away from the clock.
#include "calendar/calendar_win.h"

#include <gtest/gtest.h>

#include "app/messages.h"
#include "base/memory_file_system.h"
#include "schedule/schedule_info.h"
#include "wingui/test_support_win.h"

namespace {

using wingui::test::PumpMessages;

class FixedTime : public quorel::TimeSource {
 public:
  quorel::ClockTime now{2026, 12, 4, 24, 17, 59, 5, 0};
  quorel::ClockTime LocalNow() override { return now; }
  quorel::ClockTime UtcNow() override { return now; }
};

class CalendarWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wingui::WindowSpec spec;
    spec.class_name = L"CalendarTestMain";
    spec.ex_style = WS_EX_TOOLWINDOW;
    ASSERT_TRUE(main_.Create(spec));
    SetCursorPos(1000, 900);
    s().startup_placement = 2;
    s().clock_left = 200, s().clock_top = 300, s().clock_right = 282, s().clock_bottom = 353;
    s().calendar_kind = 1;
    s().calendar_placement = 1;
    s().calendar_frame_today = 1;
    s().calendar_today_color = 0xFFFF00;
    s().calendar_cursor_reaction = 0;  // the calendar keeps the cursor to itself
    clock_.SetTimeSource(&time_);
    clock_.SetSaveSettings([] {});
  }
  void Create(quorel::CScheduleInfo* schedule = nullptr) {
    ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
    CalendarWindowEnv env;
    env.schedule = schedule;
    calendar_ = std::make_unique<CCalenderWin>(clock_, env);
    ASSERT_TRUE(calendar_->CreateCalendar(main_.hwnd()));
    clock_.SetCalendar(calendar_.get());
    PumpMessages(100);
    UpdateWindow(calendar_->hwnd());  // the first paint takes today's month
  }
  void TearDown() override {
    clock_.SetCalendar(nullptr);
    calendar_.reset();
  }
  quorel::QuorelSettings& s() { return clock_.settings(); }
  RECT Rect(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return r;
  }

  wingui::Window main_;
  FixedTime time_;
  CQuorelWin clock_;
  std::unique_ptr<CCalenderWin> calendar_;
};

TEST_F(CalendarWindowTest, AttachedBelowTheClockAndFollowsIt) {
  Create();
  const RECT clock = Rect(clock_.hwnd());
  RECT cal = Rect(calendar_->hwnd());
  EXPECT_EQ(cal.left, clock.left);
  EXPECT_EQ(cal.top, clock.bottom);
  EXPECT_EQ(cal.right - cal.left, 82);
  EXPECT_EQ(cal.bottom - cal.top, 69);
  EXPECT_TRUE(IsWindowVisible(calendar_->hwnd()));
  SetWindowPos(clock_.hwnd(), nullptr, 400, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  PumpMessages(100);
  cal = Rect(calendar_->hwnd());
  EXPECT_EQ(cal.left, 400);
  EXPECT_EQ(cal.top, 120 + 53);
  // Above the clock.
  s().calendar_placement = 2;
  SendMessageW(calendar_->hwnd(), quorel::WM_APPLY_SETTINGS, 0, 0);
  cal = Rect(calendar_->hwnd());
  EXPECT_EQ(cal.bottom, 120);
  quorel::Rect unit{400, 120, 482, 173};
  calendar_->ExtendUnitRect(unit);
  EXPECT_EQ(unit.top, 120 - 69);
}

TEST_F(CalendarWindowTest, VanishesAndFadesWithTheClock) {
  s().flee_kind = 5;  // vanish
  Create();
  const RECT clock = Rect(clock_.hwnd());
  SetCursorPos(clock.left + 5, clock.top + 5);
  SendMessageW(clock_.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(IsWindowVisible(clock_.hwnd()));
  EXPECT_FALSE(IsWindowVisible(calendar_->hwnd()));
  calendar_->ShowWithClock(true);
  EXPECT_TRUE(IsWindowVisible(calendar_->hwnd()));
  calendar_->FadeWithClock(true);
  const LONG ex = GetWindowLongW(calendar_->hwnd(), GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_LAYERED);
  EXPECT_TRUE(ex & WS_EX_TRANSPARENT);
  calendar_->FadeWithClock(false);
  EXPECT_FALSE(GetWindowLongW(calendar_->hwnd(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
}

TEST_F(CalendarWindowTest, ButtonsStayWithin2000To2099) {
  time_.now = quorel::ClockTime{2099, 12, 4, 24, 17, 59, 5, 0};
  Create();
  EXPECT_EQ(calendar_->shown_month(), 12);
  calendar_->StepMonth(3);
  EXPECT_EQ(calendar_->shown_year(), 2099);
  EXPECT_EQ(calendar_->shown_month(), 12);
  calendar_->StepMonth(1);
  EXPECT_EQ(calendar_->shown_month(), 11);
  calendar_->StepMonth(2);
  EXPECT_EQ(calendar_->shown_month(), 12);
  // A click on the next-month button (73, 1) of the small calendar does nothing either.
  SendMessageW(calendar_->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(75, 3));
  SendMessageW(calendar_->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(75, 3));
  SendMessageW(calendar_->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(75, 3));
  EXPECT_EQ(calendar_->shown_year(), 2099);
  EXPECT_EQ(calendar_->shown_month(), 12);
}

TEST_F(CalendarWindowTest, DayPopupAppearsBesideTheCalendarAwayFromTheClock) {
  Create();
  // December 2026: the 23rd (Christmas week) has no name; the 31st neither; use New Year's Day of
  // January 2027 shown as a neighbouring day, or a holiday of the month: none in December.
  calendar_->StepMonth(3);  // January 2027: the 1st is a holiday
  const quorel::CalendarDrawing& d = calendar_->drawing();
  const int cell = d.CellOf(1, 0);
  ASSERT_GE(cell, 0);
  const quorel::Point p = d.CellPosition(cell);
  const RECT cal = Rect(calendar_->hwnd());
  SetCursorPos(cal.left + p.x + 2, cal.top + p.y + 2);
  SendMessageW(calendar_->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x + 2, p.y + 2));
  EXPECT_EQ(calendar_->shown_month(), 1);
  EXPECT_EQ(calendar_->hovered(), (quorel::CalendarHit{0, 1, 0}));
  ASSERT_TRUE(calendar_->popup_shown());
  ASSERT_TRUE(IsWindowVisible(calendar_->popup().hwnd()));
  const RECT popup = Rect(calendar_->popup().hwnd());
  const RECT clock = Rect(clock_.hwnd());
  EXPECT_EQ(popup.left, cal.right + 2);  // anchor one beyond the calendar, popup one beyond the anchor
  RECT overlap;
  EXPECT_FALSE(IntersectRect(&overlap, &popup, &clock));
  // Leaving the days hides it.
  SendMessageW(calendar_->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(40, 4));
  EXPECT_FALSE(calendar_->popup_shown());
}

TEST_F(CalendarWindowTest, TurnsToTheNewDayAtMidnight) {
  time_.now = quorel::ClockTime{2026, 12, 4, 31, 23, 59, 59, 0};
  Create();
  EXPECT_EQ(calendar_->shown_month(), 12);
  time_.now = quorel::ClockTime{2027, 1, 5, 1, 0, 0, 0, 0};
  calendar_->CheckDay();
  EXPECT_EQ(calendar_->shown_year(), 2027);
  EXPECT_EQ(calendar_->shown_month(), 1);
}

TEST_F(CalendarWindowTest, ScheduledDaysShowTheirBarAndEntriesInTheDetailedPopup) {
  quorel::MemoryFileSystem fs;
  quorel::ScheduleEnvironment env;
  env.fs = &fs;
  env.clock = &time_;
  env.folder = "C:\\u\\";
  quorel::CScheduleInfo store(env);
  quorel::_SCHE_MEM_ITEM entry;
  store.NewSchedule(entry);
  entry.year = 2026, entry.month = 12, entry.day = 24;
  entry.start_hour = 18, entry.start_minute = 30;
  entry.content = "party";
  ASSERT_TRUE(store.AddSchedule(entry));
  s().schedule_enabled = 1;
  s().schedule_calendar_marking = 2;
  s().schedule_calendar_color = 0xFF80FF;
  Create(&store);
  const quorel::CalendarDrawing& d = calendar_->drawing();
  const quorel::Point p = d.CellPosition(d.CellOf(24, 0));
  // Today's colour above, the bar below: e = 7 - 2, the bar from y + 4.
  EXPECT_EQ(d.image().At(p.x - 1, p.y + 4), quorel::Rgb(255, 128, 255));
  EXPECT_EQ(d.image().At(p.x - 1, p.y + 1), quorel::Rgb(0, 255, 255));
  const RECT cal = Rect(calendar_->hwnd());
  SetCursorPos(cal.left + p.x + 2, cal.top + p.y + 2);
  SendMessageW(calendar_->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x + 2, p.y + 2));
  EXPECT_TRUE(calendar_->popup_shown());
  EXPECT_NE(calendar_->popup().text().find("\n18:30 party"), std::string::npos);
}

}  // namespace

// The notice window on screen: its rows, caption, scrolling, size, the close
// buttons, and how it is shown (without the focus, topmost and translucent by
// the settings, at its saved place).
#include "schedule/schedule_alert_msg_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "app/quorel_e2e_support_win.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"
#include "wingui/window_win.h"

namespace {

using wingui::test::ClickButton;

quorel::ScheduleNotice Notice(int n) {
  quorel::ScheduleNotice x;
  x.month = 3, x.day = 10, x.start_hour = 9 + n, x.start_minute = 0, x.end_hour = 10 + n, x.end_minute = 0;
  x.content = "entry " + std::to_string(n);
  if (n % 2) x.place = "room " + std::to_string(n);
  return x;
}

std::wstring Text(HWND dialog, int id) {
  wchar_t buf[512] = {};
  GetDlgItemTextW(dialog, id, buf, 512);
  return buf;
}

std::wstring Caption(HWND w) {
  wchar_t buf[256] = {};
  GetWindowTextW(w, buf, 256);
  return buf;
}

bool Shown(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

class AlertMsgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.notice_left = s.notice_top = CScheduleAlertMsg::kNotPlaced;
  }
  void TearDown() override { window.Close(); }
  CScheduleAlertMsg::Environment Env() {
    return {&s, [this] { ++saves; }};
  }
  void Open(int count) {
    ASSERT_TRUE(window.Create());
    for (int i = 1; i <= count; ++i) window.AddNotice(Notice(i));
    window.ShowWithoutActivating();
  }
  SIZE Size() {
    RECT r;
    GetWindowRect(window.hwnd(), &r);
    return {r.right - r.left, r.bottom - r.top};
  }
  // Dialog units of the window in pixels.
  SIZE Pixels(int w, int h) {
    RECT r = {0, 0, w, h};
    MapDialogRect(window.hwnd(), &r);
    return {r.right, r.bottom};
  }

  quorel::QuorelSettings s;
  int saves = 0;
  CScheduleAlertMsg window{Env()};
};

TEST_F(AlertMsgTest, FiveNoticesShowTheLastFourAndScrollUpToTheFirst) {
  Open(5);
  HWND w = window.hwnd();
  ASSERT_TRUE(IsWindowVisible(w));
  EXPECT_EQ(Caption(w), wingui::WideFromAnsi(quorel::NoticeCaption(5)));
  EXPECT_EQ(Text(w, CScheduleAlertMsg::kFirstNumber), L"2");
  EXPECT_EQ(Text(w, CScheduleAlertMsg::kFirstText), wingui::WideFromAnsi(quorel::NoticeRowText(Notice(2))));
  EXPECT_EQ(Text(w, CScheduleAlertMsg::kFirstText + 3), wingui::WideFromAnsi(quorel::NoticeRowText(Notice(5))));
  ASSERT_TRUE(Shown(w, CScheduleAlertMsg::kScrollUp));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(w, CScheduleAlertMsg::kScrollUp)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(w, CScheduleAlertMsg::kScrollDown)));

  ClickButton(w, CScheduleAlertMsg::kScrollUp);
  EXPECT_EQ(Text(w, CScheduleAlertMsg::kFirstNumber), L"1");
  EXPECT_EQ(Text(w, CScheduleAlertMsg::kFirstText), wingui::WideFromAnsi(quorel::NoticeRowText(Notice(1))));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(w, CScheduleAlertMsg::kScrollUp)));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(w, CScheduleAlertMsg::kScrollDown)));

  // Removing the third row's notice (number 3) leaves four: back to the top, no scroll buttons.
  ClickButton(w, CScheduleAlertMsg::kFirstClose + 2);
  EXPECT_EQ(window.list().size(), 4);
  EXPECT_EQ(Text(w, CScheduleAlertMsg::kFirstText + 2), wingui::WideFromAnsi(quorel::NoticeRowText(Notice(4))));
  EXPECT_FALSE(Shown(w, CScheduleAlertMsg::kScrollUp));
  EXPECT_FALSE(Shown(w, CScheduleAlertMsg::kScrollDown));
  EXPECT_EQ(Caption(w), wingui::WideFromAnsi(quorel::NoticeCaption(4)));
}

TEST_F(AlertMsgTest, TheWindowShrinksToItsRowsAndLosesTheScrollColumn) {
  Open(5);
  const SIZE full = Size();
  window.RemoveNotice(0);
  window.RemoveNotice(0);
  window.RemoveNotice(0);  // two left
  const SIZE two = Size();
  const SIZE less = Pixels(25, 84);
  EXPECT_EQ(two.cx, full.cx - less.cx);
  EXPECT_EQ(two.cy, full.cy - less.cy);
  HWND w = window.hwnd();
  EXPECT_TRUE(Shown(w, CScheduleAlertMsg::kFirstText + 1));
  EXPECT_FALSE(Shown(w, CScheduleAlertMsg::kFirstText + 2));
  EXPECT_FALSE(Shown(w, CScheduleAlertMsg::kFirstClose + 3));
}

TEST_F(AlertMsgTest, RemovingTheLastNoticeClosesTheWindowAndSavesItsPlace) {
  Open(1);
  HWND w = window.hwnd();
  SetWindowPos(w, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ClickButton(w, CScheduleAlertMsg::kFirstClose);
  EXPECT_FALSE(IsWindow(w));
  EXPECT_FALSE(window.exists());
  EXPECT_EQ(s.notice_left, 123);
  EXPECT_EQ(s.notice_top, 77);
  EXPECT_EQ(saves, 1);
  // The next notice opens it again at that place, with only the new notice.
  Open(0);
  window.AddNotice(Notice(7));
  RECT r;
  GetWindowRect(window.hwnd(), &r);
  EXPECT_EQ(r.left, 123);
  EXPECT_EQ(r.top, 77);
  EXPECT_EQ(window.list().size(), 1);
}

TEST_F(AlertMsgTest, ThePlaceOfAScreenThatIsGoneIsNotUsed) {
  s.notice_left = -30000, s.notice_top = -30000;
  Open(1);
  RECT r, work;
  GetWindowRect(window.hwnd(), &r);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_GE(r.left, work.left);
  EXPECT_GE(r.top, work.top);
  EXPECT_LE(r.right, work.right);
}

TEST_F(AlertMsgTest, ShownWithoutTheFocusTopmostAndTranslucentByTheSettings) {
  wingui::WindowSpec spec;
  spec.class_name = L"AlertFocusHolder";
  spec.style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  spec.x = 40, spec.y = 40, spec.width = 200, spec.height = 150;
  wingui::Window holder;
  ASSERT_TRUE(holder.Create(spec));
  SetForegroundWindow(holder.hwnd());
  SetActiveWindow(holder.hwnd());
  s.schedule_notice_topmost = 1;
  s.schedule_translucent = 1, s.schedule_alpha = 180;
  Open(1);
  HWND w = window.hwnd();
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_NE(GetActiveWindow(), w);
  EXPECT_TRUE(GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(w, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 180);
  window.Close();

  s.schedule_notice_topmost = 0;
  s.schedule_translucent = 0;
  Open(1);
  EXPECT_FALSE(GetWindowLongW(window.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongW(window.hwnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(AlertMsgTest, EachRowInViewDrawsItsText) {
  Open(5);
  HWND w = window.hwnd();
  SetWindowPos(w, HWND_TOPMOST, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  wingui::test::PumpMessages(300);
  // Ink in a row's text box: pixels other than its most common colour.
  auto ink = [&](int id) {
    const quorel::Surface shot = quorel_e2e::Capture(quorel_e2e::RectOf(GetDlgItem(w, id)));
    std::map<std::uint32_t, int> colours;
    for (int y = 2; y < shot.Height() - 2; ++y)
      for (int x = 2; x < shot.Width() - 2; ++x) ++colours[shot.At(x, y)];
    int most = 0, all = 0;
    for (const auto& c : colours) most = std::max(most, c.second), all += c.second;
    return all - most;
  };
  for (int row = 0; row < 4; ++row) EXPECT_GT(ink(CScheduleAlertMsg::kFirstText + row), 50) << row;
  quorel_e2e::SavePpm(quorel_e2e::Capture(quorel_e2e::RectOf(w)),
                      wingui::test::ProgramFolder() + L"\\tests\\schedule_notice_window.ppm");
}

}  // namespace

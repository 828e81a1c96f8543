// The clock window on a real (virtual) screen: placement, fleeing and its
// return, fading, and what the mouse buttons post to the main window.
#include "app/clock_window_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "wingui/test_support_win.h"

#include "app/messages.h"
#include "base/string_table.h"

namespace {

using wingui::test::PumpMessages;

// Stands in for the main window: records what the clock posts to it.
class RecordingMain : public wingui::Window {
 public:
  std::vector<UINT> received;

 protected:
  void OnClose() override { received.push_back(WM_CLOSE); }
  bool OnMessage(UINT msg, WPARAM, LPARAM, LRESULT&) override {
    if (msg < WM_USER) return false;
    received.push_back(msg);
    return true;
  }
};

class ClockWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wingui::WindowSpec spec;
    spec.class_name = L"RecordingMain";
    spec.ex_style = WS_EX_TOOLWINDOW;
    ASSERT_TRUE(main_.Create(spec));
    SetCursorPos(1000, 900);  // far from every place the clock takes here
    s().startup_placement = 2;
    s().clock_left = 200, s().clock_top = 300, s().clock_right = 282, s().clock_bottom = 353;
    clock_.SetSaveSettings([this] { ++saves_; });
  }
  quorel::QuorelSettings& s() { return clock_.settings(); }
  RECT Rect() {
    RECT r;
    GetWindowRect(clock_.hwnd(), &r);
    return r;
  }
  void MouseOverClock() {
    RECT r = Rect();
    SetCursorPos(r.left + 10, r.top + 10);
    SendMessageW(clock_.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  }

  RecordingMain main_;
  CQuorelWin clock_;
  int saves_ = 0;
};

TEST_F(ClockWindowTest, PlacesItselfAtTheConfiguredCornerWithTheMagnifiedSize) {
  s().magnification = 2;
  s().startup_placement = 0;
  s().margin_horizontal = 4, s().margin_vertical = 6;
  ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
  RECT r = Rect();
  EXPECT_EQ(r.left, 4);
  EXPECT_EQ(r.top, 6);
  EXPECT_EQ(r.right - r.left, 123);
  EXPECT_EQ(r.bottom - r.top, 79);
  EXPECT_TRUE(IsWindowVisible(clock_.hwnd()));
  EXPECT_TRUE(GetWindowLongW(clock_.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(clock_.last_frame().Width(), 123);
  EXPECT_EQ(clock_.last_frame().Height(), 79);
}

TEST_F(ClockWindowTest, FleesALittleUpAndComesBackAfterTheReturnTime) {
  s().flee_kind = 3;
  s().flee_up_left_first = 1;
  s().return_home = 1;
  s().return_delay_seconds = 1;
  ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
  ASSERT_EQ(Rect().top, 300);

  MouseOverClock();
  EXPECT_EQ(Rect().top, 300 - 53);
  EXPECT_EQ(Rect().left, 200);
  EXPECT_EQ(s().fled, 1);
  EXPECT_EQ(s().clock_top, 247);  // the position was saved
  EXPECT_GE(saves_, 1);

  SetCursorPos(1000, 900);
  PumpMessages(1400);
  EXPECT_EQ(Rect().top, 300);
  EXPECT_EQ(s().fled, 0);
}

TEST_F(ClockWindowTest, TheReturnWaitsWhileTheCursorIsOverTheHomePlace) {
  s().flee_kind = 3;
  s().return_home = 1;
  s().return_delay_seconds = 1;
  ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
  MouseOverClock();
  ASSERT_EQ(Rect().top, 247);
  SetCursorPos(210, 320);  // over the home place, below the fled clock
  PumpMessages(1300);
  EXPECT_EQ(Rect().top, 247);
  EXPECT_EQ(s().fled, 1);
  SetCursorPos(1000, 900);
  PumpMessages(1200);
  EXPECT_EQ(Rect().top, 300);
}

TEST_F(ClockWindowTest, ShiftHeldNeverFlees) {
  s().flee_kind = 3;
  ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
  // The cursor goes near the clock first, just outside it (the clock itself
  // sees no move then): moving it later would report the pointer's real
  // modifier state and so release the injected Shift.
  RECT r = Rect();
  SetCursorPos(r.left - 5, r.top + 10);
  PumpMessages(100);
  INPUT shift = {};
  shift.type = INPUT_KEYBOARD;
  shift.ki.wVk = VK_SHIFT;
  SendInput(1, &shift, sizeof(shift));
  for (int i = 0; i < 100 && GetAsyncKeyState(VK_SHIFT) >= 0; ++i) PumpMessages(10);  // the state follows asynchronously
  bool held = GetAsyncKeyState(VK_SHIFT) < 0;
  SendMessageW(clock_.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  int top_with_shift = Rect().top;
  shift.ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(1, &shift, sizeof(shift));
  for (int i = 0; i < 100 && GetAsyncKeyState(VK_SHIFT) < 0; ++i) PumpMessages(10);
  ASSERT_TRUE(held) << "the Shift key could not be pressed";
  EXPECT_EQ(top_with_shift, 300);
  // Without Shift the same move flees.
  SendMessageW(clock_.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(Rect().top, 247);
}

TEST_F(ClockWindowTest, HypersensitiveFleesFromACursorThatOnlyComesNear) {
  s().flee_kind = 3;
  s().sensitivity = 3;
  s().hypersensitive_range = 40;
  ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
  SetCursorPos(200 - 30, 310);  // 30 px left of the clock: it sees no mouse move of its own
  int top = 300;
  for (int i = 0; i < 60 && top == 300; ++i) {  // the 200 ms test notices it
    PumpMessages(10);
    top = Rect().top;
  }
  EXPECT_EQ(top, 247);
  SetCursorPos(1000, 900);

  // With normal sensitivity (15 px) the same distance is not near.
  s().sensitivity = 0;
  s().fled = 0;
  SetWindowPos(clock_.hwnd(), nullptr, 200, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(clock_.hwnd(), quorel::WM_APPLY_SETTINGS, 0, 0);
  SetCursorPos(200 - 30, 310);
  PumpMessages(500);
  EXPECT_EQ(Rect().top, 300);
}

TEST_F(ClockWindowTest, TransparentFleeFadesDownTo35AndBackUp) {
  s().flee_kind = 6;
  s().fade_while_fleeing = 1;
  ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
  MouseOverClock();
  EXPECT_TRUE(clock_.faded());
  LONG ex = GetWindowLongW(clock_.hwnd(), GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_LAYERED);
  EXPECT_TRUE(ex & WS_EX_TRANSPARENT);
  PumpMessages(500);  // 9 steps of 20 ms
  EXPECT_EQ(clock_.current_alpha(), 35);
  BYTE alpha = 0;
  DWORD flags = 0;
  if (GetLayeredWindowAttributes(clock_.hwnd(), nullptr, &alpha, &flags)) EXPECT_EQ(alpha, 35);

  SetCursorPos(1000, 900);
  PumpMessages(700);  // the main tick notices, then the fade runs back up
  EXPECT_FALSE(clock_.faded());
  EXPECT_EQ(clock_.current_alpha(), 255);
  ex = GetWindowLongW(clock_.hwnd(), GWL_EXSTYLE);
  EXPECT_FALSE(ex & WS_EX_LAYERED);
  EXPECT_FALSE(ex & WS_EX_TRANSPARENT);
}

TEST_F(ClockWindowTest, VanishHidesUntilTheCursorLeaves) {
  s().flee_kind = 5;
  ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
  MouseOverClock();
  EXPECT_FALSE(IsWindowVisible(clock_.hwnd()));
  SetCursorPos(1000, 900);
  PumpMessages(400);
  EXPECT_TRUE(IsWindowVisible(clock_.hwnd()));
}

TEST_F(ClockWindowTest, DoubleClickClosesTheProgramAndRightClickOpensTheSettings) {
  ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
  SendMessageW(clock_.hwnd(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
  SendMessageW(clock_.hwnd(), WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
  PumpMessages(50);
  ASSERT_EQ(main_.received.size(), 2u);
  EXPECT_EQ(main_.received[0], static_cast<UINT>(WM_CLOSE));
  EXPECT_EQ(main_.received[1], quorel::WM_OPEN_SETTINGS);

  clock_.SetSettingsSheetOpen(true);  // a second sheet is never asked for
  SendMessageW(clock_.hwnd(), WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
  PumpMessages(50);
  EXPECT_EQ(main_.received.size(), 2u);
}

TEST_F(ClockWindowTest, DraggingMovesTheClockAndSavesWhereItWasDropped) {
  s().flee_kind = 0;
  ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
  SendMessageW(clock_.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  // 50 pixels right and 20 down, in the window's own coordinates at the time.
  SendMessageW(clock_.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 30));
  SendMessageW(clock_.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(60, 30));
  EXPECT_EQ(Rect().left, 250);
  EXPECT_EQ(Rect().top, 320);
  EXPECT_EQ(s().clock_left, 250);
  EXPECT_EQ(s().clock_top, 320);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ClockWindowTest, AnnouncementsWithinTheDisplayTimeShareOnePopup) {
  s().popup_seconds = 1;
  ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
  clock_.ShowTimePopup("12:00");
  clock_.ShowTimePopup("mail");
  EXPECT_TRUE(clock_.popup_visible());
  EXPECT_EQ(clock_.popup().text(), "12:00\r\nmail");
  RECT popup, clock;
  GetWindowRect(clock_.popup().hwnd(), &popup);
  GetWindowRect(clock_.hwnd(), &clock);
  EXPECT_EQ(popup.right, clock.left);  // position 0: left of the clock
  EXPECT_EQ(popup.top, clock.top);
  PumpMessages(1300);
  EXPECT_FALSE(clock_.popup_visible());
  EXPECT_FALSE(IsWindowVisible(clock_.popup().hwnd()));
}

// A fingerprint of the clock's picture.
std::size_t FrameHash(const quorel::Surface& frame) {
  std::size_t h = 0;
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(frame.Data());
  const std::size_t n = static_cast<std::size_t>(frame.Width()) * frame.Height() * sizeof(*frame.Data());
  for (std::size_t i = 0; i < n; ++i) h = h * 131 + bytes[i];
  return h;
}

// A clock that stands still, so that only the icons change the picture.
class StillTime : public quorel::TimeSource {
 public:
  quorel::ClockTime at;
  StillTime() {
    at.year = 2026, at.month = 12, at.day = 11, at.hour = 10, at.minute = 20, at.second = 30;
    at.day_of_week = quorel::DayOfWeek(2026, 12, 11);
  }
  quorel::ClockTime LocalNow() override { return at; }
  quorel::ClockTime UtcNow() override { return at; }
};

TEST_F(ClockWindowTest, MailResultBlinksTheIconAndNotifiesOnlyAChangedCount) {
  StillTime still;
  clock_.SetTimeSource(&still);
  s().background_animation = 0;  // a still scene: falling snow would change the picture too
  ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
  int count = 3;
  std::vector<int> sounds;
  clock_.net_hooks().copy_mail_client = [&](quorel::QuorelSettings& st) { st.mail_count = count; };
  clock_.net_hooks().play_mail_sound = [&](int kind) { sounds.push_back(kind); };
  s().mail_sound_kind = 1;
  s().mail_count = 0;
  auto report = [&] { SendMessageW(clock_.hwnd(), quorel::WM_MAIL_RESULT, 0, 0); };
  PumpMessages(300);
  const std::size_t without = FrameHash(clock_.last_frame());
  report();
  EXPECT_EQ(s().mail_arrived, 1);
  EXPECT_EQ(s().mail_count, 3);
  EXPECT_EQ(sounds, std::vector<int>{1});
  // The icon comes and goes every half second.
  std::vector<std::size_t> seen;
  for (int i = 0; i < 6; ++i) {
    PumpMessages(250);
    seen.push_back(FrameHash(clock_.last_frame()));
  }
  EXPECT_NE(std::count(seen.begin(), seen.end(), without), 0);
  EXPECT_NE(std::count(seen.begin(), seen.end(), without), 6);
  report();  // the same count again (the end of the same check)
  EXPECT_EQ(sounds.size(), 1u);
  count = 2;  // fewer: a change too
  report();
  EXPECT_EQ(sounds.size(), 2u);
  s().mail_sound_kind = 5;
  count = 4;
  report();
  EXPECT_TRUE(clock_.popup_visible());
  EXPECT_EQ(clock_.popup().text(), "\x83\x81\x81\x5b\x83\x8b\x82\xaa" "4" "\x92\xca\x93\xcd\x82\xa2\x82\xc4\x82\xdc\x82\xb7");
  count = 0;
  report();
  EXPECT_EQ(s().mail_arrived, 0);
  PumpMessages(300);
  EXPECT_EQ(FrameHash(clock_.last_frame()), without);
}

TEST_F(ClockWindowTest, NewsUpdateKeepsTheNewEditionLightsTheIconAndSaysPinpon) {
  ASSERT_TRUE(clock_.CreateClock(main_.hwnd()));
  int written = 0, sounds = 0;
  const std::string updated = quorel::LoadText(55620);  // "更新あり"
  clock_.net_hooks().copy_news_client = [&](quorel::QuorelSettings& st) {
    st.news_last_result = updated;
    st.news_title = "ID 2";
    st.news_text = "ID 2\r\nnews\r\n";
    return true;
  };
  clock_.net_hooks().write_news_file = [&] { ++written; };
  clock_.net_hooks().play_news_sound = [&] { ++sounds; };
  s().news_sound = 1;
  s().news_no_blink = 1;
  SendMessageW(clock_.hwnd(), quorel::WM_NEWS_UPDATED, 0, 0);
  EXPECT_EQ(s().news_updated, 1);
  EXPECT_EQ(s().news_text, "ID 2\r\nnews\r\n");
  EXPECT_EQ(written, 1);
  EXPECT_EQ(saves_, 1);
  EXPECT_EQ(sounds, 1);
  // Not while the settings sheet is open; without a news client nothing happens.
  clock_.SetSettingsSheetOpen(true);
  SendMessageW(clock_.hwnd(), quorel::WM_NEWS_UPDATED, 0, 0);
  EXPECT_EQ(sounds, 1);
  clock_.SetSettingsSheetOpen(false);
  s().news_updated = 0;
  clock_.net_hooks().copy_news_client = [](quorel::QuorelSettings&) { return false; };
  SendMessageW(clock_.hwnd(), quorel::WM_NEWS_UPDATED, 0, 0);
  EXPECT_EQ(s().news_updated, 0);
}

}  // namespace

// End-to-end: the real quorel.exe with the small calendar attached below the
// clock, started from the fixed moment of the build. The calendar's pixels
// are compared with quorel-render's picture of the same day.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/quorel_e2e_support_win.h"
#include "render/image_load_win.h"

namespace {

using namespace quorel_e2e;

quorel::Surface Reference(const wchar_t* name) {
  std::wstring path = ProgramFolder() + L"\\tests\\ref\\" + name;
  char narrow[MAX_PATH * 2];
  WideCharToMultiByte(932, 0, path.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
  return quorel::LoadImageFromFile(narrow);
}

// The tests start at 23:59:30 on the 24th (the folder's own moment).
bool BeforeMidnight() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return t.wDay == 24;
}

class CalendarOnScreen : public ::testing::Test {
 protected:
  void Start() {
    std::wstring cmd = L"\"" + ProgramFolder() + L"\\quorel.exe\"";
    STARTUPINFOW si = {sizeof(si)};
    ASSERT_TRUE(CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, ProgramFolder().c_str(), &si,
                               &pi_));
    ASSERT_TRUE(WaitFor(
        [this] {
          clock_ = FindProcessWindow(pi_.dwProcessId, L"QuorelClockWnd");
          calendar_ = FindProcessWindow(pi_.dwProcessId, L"QuorelCalendarWnd");
          return clock_ && calendar_ && IsWindowVisible(clock_) && IsWindowVisible(calendar_);
        },
        15000))
        << "no clock or calendar window";
    Sleep(500);  // the first paint
  }
  void TearDown() override {
    if (pi_.hProcess) {
      if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 1);
      CloseHandle(pi_.hProcess);
      CloseHandle(pi_.hThread);
    }
  }
  void WriteCalendarSettings(DWORD flee, DWORD calendar_reaction = 0) {
    WriteSettings({{L"時計の種別", 1}, {L"起動時の配置", 2}, {L"Left座標", 200}, {L"Top座標", 300},
                   {L"Right座標", 282}, {L"Bottom座標", 353}, {L"デジタルの秒", 0}, {L"移動", flee},
                   {L"初期移動", 1}, {L"元に戻る", 1}, {L"元に戻るまでの時間", 1}, {L"移動量", 100},
                   {L"カレンダーの種類", 1}, {L"カレンダーの配置", 1}, {L"カレンダーの当日を囲む", 1},
                   {L"カレンダーにカーソルが来たとき", calendar_reaction}, {L"カレンダーを今月に戻す", 0}});
  }
  void CursorOntoClock() {
    SetCursorPos(220, 320);
    PostMessageW(clock_, WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
  }

  PROCESS_INFORMATION pi_ = {};
  HWND clock_ = nullptr, calendar_ = nullptr;
};

TEST_F(CalendarOnScreen, AttachedBelowTheClockDrawnAsRenderedAndFollowsWhenItFlees) {
  SetCursorPos(1000, 900);
  WriteCalendarSettings(3);
  Start();
  RECT cal = RectOf(calendar_);
  EXPECT_EQ(cal.left, 200);
  EXPECT_EQ(cal.top, 353);
  EXPECT_EQ(cal.right - cal.left, 82);
  EXPECT_EQ(cal.bottom - cal.top, 69);
  {
    quorel::GdiplusSession gdiplus;
    std::wstring path = ProgramFolder() + L"\\tests\\ref\\calendar_1224_small.png";
    char narrow[MAX_PATH * 2];
    WideCharToMultiByte(932, 0, path.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
    const quorel::Surface expected = quorel::LoadImageFromFile(narrow);
    ASSERT_TRUE(BeforeMidnight()) << "the run was too slow to compare on the 24th";
    ASSERT_FALSE(expected.IsEmpty()) << "no reference picture";
    const quorel::Surface shown = Capture(cal);
    const int differing = DifferingPixels(shown, expected);
    EXPECT_EQ(differing, 0);
    if (differing != 0) SavePpm(shown, ProgramFolder() + L"\\tests\\calendar_1224_small_shown.ppm");
  }
  // The clock flees up by the height of the clock and its calendar together; the calendar keeps
  // below it, and after the return time both come back home, the same distance down.
  CursorOntoClock();
  EXPECT_TRUE(WaitFor([this] { return RectOf(clock_).top < 300; }, 2000)) << RectOf(clock_).top;
  EXPECT_EQ(RectOf(clock_).top, 300 - 53 - 69);
  EXPECT_TRUE(WaitFor([this] { return RectOf(calendar_).top == RectOf(clock_).bottom; }, 2000));
  EXPECT_EQ(RectOf(calendar_).left, RectOf(clock_).left);
  SetCursorPos(1000, 900);
  EXPECT_TRUE(WaitFor([this] { return RectOf(clock_).top == 300 && RectOf(calendar_).top == 353; }, 4000))
      << RectOf(clock_).top << " " << RectOf(calendar_).top;
  SetCursorPos(1000, 900);

  // A day popup beside the calendar, on the right (the calendar lies in the left half).
  const int x = 3 + 4 * 11 + 2, y = 20 + 3 * 8 + 2;  // the 24th: Thursday of the fourth row
  SetCursorPos(200 + x, 353 + y);
  PostMessageW(calendar_, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  Sleep(300);
  // The 24th has no name: no popup. The pale January 1st at the end of the fifth row has one.
  const int jx = 3 + 5 * 11 + 2, jy = 20 + 4 * 8 + 2;
  SetCursorPos(200 + jx, 353 + jy);
  PostMessageW(calendar_, WM_MOUSEMOVE, 0, MAKELPARAM(jx, jy));
  HWND popup = nullptr;
  EXPECT_TRUE(WaitFor(
      [&] {
        // The popups carry their text as their title: the shown one is the calendar's here.
        popup = nullptr;
        for (HWND w = FindWindowExW(nullptr, nullptr, L"QuorelPopup", nullptr); w && !popup;
             w = FindWindowExW(nullptr, w, L"QuorelPopup", nullptr)) {
          if (IsWindowVisible(w)) popup = w;
        }
        return popup != nullptr;
      },
      2000));
  if (popup) EXPECT_GE(RectOf(popup).left, 282);

  // The next-month button up to December 2099, and on: the calendar stays there.
  SetCursorPos(200 + 75, 353 + 3);
  const int clicks = (2099 - 2026) * 12 + 5;
  for (int i = 0; i < clicks; ++i) {
    PostMessageW(calendar_, WM_MOUSEMOVE, 0, MAKELPARAM(75, 3));
    PostMessageW(calendar_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(75, 3));
    PostMessageW(calendar_, WM_LBUTTONUP, 0, MAKELPARAM(75, 3));
  }
  SetCursorPos(1000, 900);
  PostMessageW(calendar_, WM_MOUSEMOVE, 0, MAKELPARAM(40, 5));  // the title: off the buttons and days
  quorel::GdiplusSession gdiplus;
  const quorel::Surface last = Reference(L"calendar_209912_small.png");
  ASSERT_FALSE(last.IsEmpty()) << "no reference picture";
  EXPECT_TRUE(WaitFor([&] { return DifferingPixels(Capture(RectOf(calendar_)), last) == 0; }, 10000))
      << DifferingPixels(Capture(RectOf(calendar_)), last);
}

TEST_F(CalendarOnScreen, VanishesAndFadesWithTheClock) {
  SetCursorPos(1000, 900);
  WriteCalendarSettings(5, 1);
  Start();
  CursorOntoClock();
  EXPECT_TRUE(WaitFor([this] { return !IsWindowVisible(clock_) && !IsWindowVisible(calendar_); }, 2000));
  // A calendar that reacts with the clock keeps both away while the cursor is over it.
  SetCursorPos(240, 390);
  Sleep(2500);
  EXPECT_FALSE(IsWindowVisible(clock_));
  EXPECT_FALSE(IsWindowVisible(calendar_));
  SetCursorPos(1000, 900);
  EXPECT_TRUE(WaitFor([this] { return IsWindowVisible(clock_) && IsWindowVisible(calendar_); }, 3000));
  TerminateProcess(pi_.hProcess, 0);
  WaitForSingleObject(pi_.hProcess, 5000);
  CloseHandle(pi_.hProcess);
  CloseHandle(pi_.hThread);
  pi_ = {};

  WriteCalendarSettings(6);
  Start();
  CursorOntoClock();
  EXPECT_TRUE(WaitFor([this] { return (GetWindowLongW(calendar_, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0; }, 2000));
  SetCursorPos(1000, 900);
  EXPECT_TRUE(WaitFor([this] { return (GetWindowLongW(calendar_, GWL_EXSTYLE) & WS_EX_TRANSPARENT) == 0; }, 3000));
}

TEST_F(CalendarOnScreen, TurnsToTheNewDayAtMidnight) {
  SetCursorPos(1000, 900);
  WriteCalendarSettings(0);
  Start();
  ASSERT_TRUE(BeforeMidnight());
  quorel::GdiplusSession gdiplus;
  const quorel::Surface next_day = Reference(L"calendar_1225_small.png");
  ASSERT_FALSE(next_day.IsEmpty()) << "no reference picture";
  EXPECT_NE(DifferingPixels(Capture(RectOf(calendar_)), next_day), 0);
  EXPECT_TRUE(WaitFor([] { return !BeforeMidnight(); }, 60000));
  EXPECT_TRUE(WaitFor([&] { return DifferingPixels(Capture(RectOf(calendar_)), next_day) == 0; }, 5000))
      << DifferingPixels(Capture(RectOf(calendar_)), next_day);
}

}  // namespace

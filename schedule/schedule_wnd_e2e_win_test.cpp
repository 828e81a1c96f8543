// End-to-end: the real quorel.exe with the schedule on, started from the fixed
// moment of the build (Thursday 2026-12-24, 17:59). A week of entries is
// written to sche2026.dat straight from the file's byte layout; the schedule
// window lists them, one header per day with entries, today's 17:00 entry in
// progress, and its height follows the lines.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/quorel_e2e_support_win.h"
#include "base/string_table.h"
#include "wingui/text_win.h"

namespace {

using namespace quorel_e2e;

constexpr unsigned kStrDataFolderValue = 62185;  // the registry value of the data base folder
const COLORREF kInProgress = RGB(255, 224, 160);
const std::uint32_t kSeparator = 0x4060A0;  // the frame colour, 0x00RRGGBB

// One record as the file holds it: the packed block of 91 bytes, the four
// string lengths (terminator included) and the strings, each with its zero.
struct Record {
  int year, month, day, start_hour, start_minute, end_hour, end_minute;
  const wchar_t* content;
  const wchar_t* place;
  bool no_time;
  int end_year, end_month, end_day;  // 0: one day
};

std::string Sjis(const wchar_t* text) { return wingui::AnsiFromWide(text); }

void Put16(std::string& b, std::size_t at, int v) {
  b[at] = static_cast<char>(v & 0xFF);
  b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

std::string RecordBytes(const Record& r, int serial) {
  std::string block(91, '\0');
  char id[32];
  std::snprintf(id, sizeof id, "%04d%02d%02d%04d%02d%02d%02d%02d%02d%03d", r.year, r.month, r.day, 2026, 12, 20, 10, 0,
                0, serial);
  block.replace(0, 25, id, 25);
  Put16(block, 26, r.no_time ? 2 : 0);
  Put16(block, 30, r.year);
  block[32] = static_cast<char>(r.month);
  block[33] = static_cast<char>(r.day);
  block[34] = static_cast<char>(0x80);
  block[35] = static_cast<char>(r.start_hour);
  block[36] = static_cast<char>(r.start_minute);
  block[37] = static_cast<char>(r.end_hour);
  block[38] = static_cast<char>(r.end_minute);
  Put16(block, 51, 0);  // no notice: the test hears nothing
  Put16(block, 53, 5);
  Put16(block, 59, r.end_year);
  block[61] = static_cast<char>(r.end_month);
  block[62] = static_cast<char>(r.end_day);
  const std::string texts[4] = {"", Sjis(r.content), Sjis(r.place), ""};
  std::string out = block;
  std::string lengths(8, '\0');
  for (int i = 0; i < 4; ++i) Put16(lengths, static_cast<std::size_t>(2 * i), static_cast<int>(texts[i].size() + 1));
  out += lengths;
  for (const std::string& t : texts) out += t + std::string(1, '\0');
  return out;
}

class ScheduleOnScreen : public QuorelOnScreen {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    base_ = std::wstring(temp) + L"quorel_schedule_e2e\\";
    CreateDirectoryW(base_.c_str(), nullptr);
    CreateDirectoryW((base_ + L"userdata").c_str(), nullptr);
    DeleteFileW((base_ + L"userdata\\sche2026.dat").c_str());
    DeleteFileW((base_ + L"userdata\\sche9999.dat").c_str());
    WriteSettings({{L"時計の種別", 1}, {L"起動時の配置", 2}, {L"Left座標", 700}, {L"Top座標", 100},
                   {L"Right座標", 782}, {L"Bottom座標", 153}, {L"時報の種類", 0}, {L"開始/終了時もしゃべる", 0},
                   {L"移動", 0}, {L"スケジュールを使用する", 1}, {L"スケジュールのLeft座標", 300},
                   {L"スケジュールのTop座標", 100}, {L"スケジュールのRight座標", 560},
                   {L"スケジュールのBottom座標", 600}, {L"スケジュールの表示日数", 7},
                   {L"スケジュールのフォントサイズ", 12}, {L"スケジュールの縦幅を予定の件数に合わせる", 1},
                   {L"スケジュールにカーソルがきたとき", 0}, {L"スケジュールを今日に戻す", 0}});
    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kConfigKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    const std::wstring name = wingui::WideFromAnsi(quorel::LoadText(kStrDataFolderValue));
    RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(base_.c_str()),
                   static_cast<DWORD>((base_.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
  void WriteYear(const std::vector<Record>& records) {
    std::string bytes = {7, 84};
    int serial = 1;
    for (const Record& r : records) bytes += RecordBytes(r, serial++);
    HANDLE h = CreateFileW((base_ + L"userdata\\sche2026.dat").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                           nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
  }
  HWND WaitForSchedule() {
    HWND w = nullptr;
    WaitFor([&] {
      w = FindProcessWindow(pi_.dwProcessId, L"QuorelScheduleWnd");
      return w && IsWindowVisible(w);
    }, 10000);
    return w;
  }

  std::wstring base_;
};

TEST_F(ScheduleOnScreen, AWeekWrittenFromTheByteLayoutIsListed) {
  SetCursorPos(1000, 900);
  // Stored day by day, as the program writes: the 24th, 25th, 27th, 28th and 30th.
  WriteYear({
      {2026, 12, 24, 9, 0, 10, 0, L"朝会", L"", false, 0, 0, 0},
      {2026, 12, 24, 17, 0, 18, 30, L"打ち合わせ", L"第二会議室", false, 0, 0, 0},
      {2026, 12, 24, 0, 0, 0, 0, L"年賀状を書く", L"", true, 0, 0, 0},
      {2026, 12, 25, 18, 0, 21, 0, L"クリスマス会", L"本社", false, 0, 0, 0},
      {2026, 12, 27, 10, 0, 12, 0, L"大掃除", L"", false, 0, 0, 0},
      {2026, 12, 28, 20, 0, 9, 0, L"帰省", L"実家", false, 2026, 12, 30},
      {2026, 12, 30, 13, 0, 14, 0, L"もちつき", L"", false, 0, 0, 0},
  });
  Start();
  HWND schedule = WaitForSchedule();
  ASSERT_NE(nullptr, schedule) << "no schedule window";
  Sleep(1500);  // the applied settings and the first check
  const RECT r = RectOf(schedule);
  EXPECT_EQ(300, r.left);
  EXPECT_EQ(100, r.top);
  EXPECT_EQ(260, r.right - r.left);
  const quorel::Surface shown = Capture(r);
  SavePpm(shown, ProgramFolder() + L"\\tests\\schedule_week_shown.ppm");  // for a look
  // One separator above each day header after the first: the 24th ... the 30th
  // (the trip continues on the 29th), seven days listed.
  // The title line above the list has the same colour: the list starts at the
  // first row of another colour below the title's buttons, at the right edge.
  int list_top = 11;
  while (list_top < shown.Height() && shown.At(shown.Width() - 3, list_top) == kSeparator) ++list_top;
  int separators = 0, in_progress_rows = 0;
  for (int y = list_top; y < shown.Height() - 1; ++y) {
    bool line = true;
    for (int x = 1; x < shown.Width() - 1 && line; ++x) line = shown.At(x, y) == kSeparator;
    separators += line;
    const std::uint32_t p = shown.At(shown.Width() - 3, y);
    in_progress_rows += p == ((GetRValue(kInProgress) << 16) | (GetGValue(kInProgress) << 8) | GetBValue(kInProgress));
  }
  EXPECT_EQ(5, separators);  // 24, 25, 27, 28, 29, 30: six headers
  EXPECT_GT(in_progress_rows, 0) << "the 17:00 meeting is in progress at 17:59";
  // The height follows the lines: six headers, eight entry lines, three places.
  EXPECT_LT(r.bottom - r.top, 500);
}

std::string ReadAll(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes(1 << 16, '\0');
  DWORD read = 0;
  ReadFile(h, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(h);
  bytes.resize(read);
  return bytes;
}

TEST_F(ScheduleOnScreen, AnEntryRegisteredThroughTheDialogIsStoredListedAndMarkedOnTheCalendar) {
  SetCursorPos(1000, 900);
  HKEY key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kConfigKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  const std::pair<const wchar_t*, DWORD> calendar[] = {
      {L"カレンダーの種類", 1}, {L"カレンダーの配置", 1}, {L"カレンダーにカーソルが来たとき", 0},
      {L"スケジュールのカレンダへの表示", 2}, {L"カレンダーを今月に戻す", 0},
  };
  for (const auto& v : calendar) {
    RegSetValueExW(key, v.first, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v.second), sizeof(DWORD));
  }
  RegCloseKey(key);
  Start();
  HWND schedule = WaitForSchedule();
  ASSERT_NE(nullptr, schedule) << "no schedule window";
  HWND calendar_window = FindProcessWindow(pi_.dwProcessId, L"QuorelCalendarWnd");
  ASSERT_NE(nullptr, calendar_window) << "no calendar window";
  Sleep(1000);
  const RECT before = RectOf(schedule);
  const quorel::Surface calendar_before = Capture(RectOf(calendar_window));
  // Today's header (the only line): a click opens the registration for today.
  SetCursorPos(before.left + 100, before.top + 22);
  PostMessageW(schedule, WM_MOUSEMOVE, 0, MAKELPARAM(100, 22));
  PostMessageW(schedule, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 22));
  PostMessageW(schedule, WM_LBUTTONUP, 0, MAKELPARAM(100, 22));
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindWindowW(nullptr, L"予定の登録")) != nullptr && IsWindowVisible(dialog); },
                      5000))
      << "no registration dialog";
  Sleep(300);
  SetCursorPos(1000, 900);
  SendMessageW(GetDlgItem(dialog, 1321), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"忘年会"));
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 5000)) << "the dialog stayed open";
  const std::wstring file = base_ + L"userdata\\sche2026.dat";
  EXPECT_TRUE(WaitFor([&] { return ReadAll(file).find(Sjis(L"忘年会")) != std::string::npos; }, 3000))
      << "the entry is not in sche2026.dat";
  // Listed: the window grows by the entry's line; the calendar marks the day.
  EXPECT_TRUE(WaitFor([&] { return RectOf(schedule).bottom > before.bottom; }, 3000));
  EXPECT_TRUE(WaitFor([&] { return DifferingPixels(Capture(RectOf(calendar_window)), calendar_before) > 0; }, 3000))
      << "the calendar did not change";
  SavePpm(Capture(RectOf(schedule)), ProgramFolder() + L"\\tests\\schedule_registered_shown.ppm");
}

}  // namespace

// End-to-end: the real quorel.exe with the iCalendar plug-in chosen. The
// schedule comes from the .ics file named in the plug-in's state, an entry
// registered through the program's dialog lands there, and events that another
// program adds appear after "予定の再読込(&R)" and, without any command, at the
// plug-in's automatic synchronisation.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/quorel_e2e_support_win.h"
#include "base/string_table.h"
#include "schedule/ics_sync_plugin.h"
#include "wingui/text_win.h"

namespace {

using namespace quorel_e2e;

constexpr unsigned kStrDataFolderValue = 62185;  // the registry value of the data base folder
constexpr unsigned kStrPluginValue = 62159;      // the registry value of the plug-in's file name
constexpr WPARAM kCommandReload = 32808;
constexpr int kContentEdit = 1321;                                    // "内容(&I):" of the registration dialog
const wchar_t kRegistCaption[] = L"\x4E88\x5B9A\x306E\x767B\x9332";  // "予定の登録"

std::string Event(const char* uid, const char* start, const char* end, const char* summary) {
  return std::string("BEGIN:VEVENT\r\nUID:") + uid + "\r\nDTSTAMP:20261201T000000Z\r\nDTSTART:" + start +
         "\r\nDTEND:" + end + "\r\nSUMMARY:" + summary + "\r\nEND:VEVENT\r\n";
}

std::string Calendar(const std::string& events) {
  return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Calendar//EN\r\n" + events + "END:VCALENDAR\r\n";
}

class IcsScheduleOnScreen : public QuorelOnScreen {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    base_ = std::wstring(temp) + L"quorel_ics_e2e\\";
    CreateDirectoryW(base_.c_str(), nullptr);
    CreateDirectoryW((base_ + L"userdata").c_str(), nullptr);
    DeleteFileW((base_ + L"userdata\\sche2026.dat").c_str());
    ics_ = base_ + L"team.ics";
    WriteSettings({{L"時計の種別", 1}, {L"起動時の配置", 2}, {L"Left座標", 700}, {L"Top座標", 100},
                   {L"Right座標", 782}, {L"Bottom座標", 153}, {L"時報の種類", 0}, {L"開始/終了時もしゃべる", 0},
                   {L"移動", 0}, {L"スケジュールを使用する", 1}, {L"スケジュールのLeft座標", 300},
                   {L"スケジュールのTop座標", 100}, {L"スケジュールのRight座標", 560},
                   {L"スケジュールのBottom座標", 600}, {L"スケジュールの表示日数", 7},
                   {L"スケジュールのフォントサイズ", 12}, {L"スケジュールの縦幅を予定の件数に合わせる", 1},
                   {L"スケジュールにカーソルがきたとき", 0}, {L"スケジュールを今日に戻す", 0}});
    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kConfigKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    SetText(key, kStrDataFolderValue, base_);
    SetText(key, kStrPluginValue, L"QORL_SYNC_ICS.DLL");
    RegCloseKey(key);
    // The plug-in's state: the file, and an automatic synchronisation every minute.
    quorel::IcsPluginState state;
    state.path = wingui::AnsiFromWide(ics_);
    state.period_minutes = 1;
    const auto block = quorel::FormatIcsPluginState(state);
    WriteFile(base_ + L"QORL_SYNC_ICS.DLL.inf", std::string(block.begin(), block.end()));
  }
  static void SetText(HKEY key, unsigned name_number, const std::wstring& value) {
    const std::wstring name = wingui::WideFromAnsi(quorel::LoadText(name_number));
    RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  static void WriteFile(const std::wstring& path, const std::string& bytes) {
    std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << bytes;
  }
  static std::string ReadFile(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  HWND WaitForSchedule() {
    HWND w = nullptr;
    WaitFor([&] {
      w = FindProcessWindow(pi_.dwProcessId, L"QuorelScheduleWnd");
      return w && IsWindowVisible(w);
    }, 10000);
    return w;
  }
  static int Height(HWND w) {
    const RECT r = RectOf(w);
    return r.bottom - r.top;
  }

  std::wstring base_, ics_;
};

TEST_F(IcsScheduleOnScreen, EntriesGoThroughTheIcsFileAndAnotherProgramsEventsAppearOnReload) {
  SetCursorPos(1000, 900);
  const std::string mine = Event("e-1@example.org", "20261224T170000", "20261224T183000", "Meeting");
  WriteFile(ics_, Calendar(mine));
  Start();
  HWND schedule = WaitForSchedule();
  ASSERT_NE(nullptr, schedule) << "no schedule window";
  Sleep(1500);
  const int from_file = Height(schedule);
  SavePpm(Capture(RectOf(schedule)), ProgramFolder() + L"\\tests\\schedule_ics_shown.ppm");  // for a look

  // Registered through the program's own dialog (a click on today's header): the entry lands in the .ics file.
  PostMessageW(schedule, WM_MOUSEMOVE, 0, MAKELPARAM(100, 22));
  PostMessageW(schedule, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 22));
  PostMessageW(schedule, WM_LBUTTONUP, 0, MAKELPARAM(100, 22));
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindWindowW(nullptr, kRegistCaption)) != nullptr && IsWindowVisible(dialog); },
                      5000))
      << "no registration dialog";
  Sleep(300);
  SendMessageW(GetDlgItem(dialog, kContentEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Added here"));
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 5000)) << "the dialog stayed open";
  EXPECT_TRUE(WaitFor([&] { return ReadFile(ics_).find("SUMMARY:Added here\r\n") != std::string::npos; }, 5000))
      << ReadFile(ics_);
  const std::string saved = ReadFile(ics_);
  const std::size_t added = saved.find("SUMMARY:Added here");
  const std::size_t event = saved.rfind("BEGIN:VEVENT", added);
  ASSERT_NE(event, std::string::npos);
  EXPECT_NE(saved.substr(event, added - event).find("DTSTART:20261224T"), std::string::npos) << saved;
  EXPECT_NE(saved.find("UID:e-1@example.org"), std::string::npos);  // the other program's event is kept
  EXPECT_TRUE(WaitFor([&] { return Height(schedule) > from_file; }, 5000));
  const int registered = Height(schedule);

  // Another program adds an event on the 26th: shown after the reload command, one day header and line more.
  std::string other = ReadFile(ics_);
  other.insert(other.rfind("END:VCALENDAR"), Event("e-2@example.org", "20261226T100000", "20261226T110000", "Visit"));
  WriteFile(ics_, other);
  PostMessageW(schedule, WM_COMMAND, kCommandReload, 0);
  EXPECT_TRUE(WaitFor([&] { return Height(schedule) > registered; }, 5000)) << Height(schedule) << " " << registered;
  const int reloaded = Height(schedule);

  // And one more, picked up by the automatic synchronisation within its minute.
  other.insert(other.rfind("END:VCALENDAR"), Event("e-3@example.org", "20261228T100000", "20261228T110000", "Dentist"));
  WriteFile(ics_, other);
  EXPECT_TRUE(WaitFor([&] { return Height(schedule) > reloaded; }, 75000)) << "no automatic synchronisation";

  // Reloading only read the file; no schedule file of the program's own was written.
  EXPECT_EQ(ReadFile(ics_), other);
  EXPECT_EQ(GetFileAttributesW((base_ + L"userdata\\sche2026.dat").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace

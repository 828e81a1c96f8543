#include "sound/setup_chime_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "settings_ui/fake_setup_host_win.h"
#include "settings_ui/setup_property_win.h"
#include "sound/chime_debug_win.h"
#include "sound/sound_record_win_test.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"

namespace {

using soundtest::Holds;
using soundtest::PackWave;
using soundtest::WaveData;
using wingui::test::ClickButton;

// Controls of the page and its dialogs.
enum : int {
  kTimingNone = 1301, kTimingHalf = 1302, kTimingHourly = 1303, kTone = 1304, kToneTest = 1305,
  kEndNone = 1306, kEndDesu = 1307, kEndDayo = 1308, kChimeFirst = 1309,
  kHourlyLabel = 1310, kHourlyFile = 1311, kHourlyBrowse = 1312, kHourlyTest = 1313,
  kHalfLabel = 1314, kHalfFile = 1315, kHalfBrowse = 1316, kHalfTest = 1317, kSuppress = 1318, kInfo = 1319,
  kHourFirst = 1400, kSuppressAll = 1424, kClearAll = 1425,
  kDebugLight = 1430, kDebugSerious = 1431, kDebugHour = 1432, kDebugHalf = 1434, kDebugDesu = 1436,
  kDebugSpeak = 1438,
  kVcmp = 1536,  // on "その他２"
};
enum { kPageChime = 3, kPageEtc2 = 13 };
// List positions of the tones.
enum { kPosLight = 0, kPosSerious = 1, kPosChime1 = 5, kPosText = 7, kPosFile = 8, kPosFolder = 9 };

const wchar_t kCaption[] = L"ころぷくの設定";
const wchar_t kSuppressCaption[] = L"特定の時刻の時報を抑止";
const wchar_t kDebugCaption[] = L"音声チャイムのテスト用画面！";

HMODULE LoadPack(const wchar_t* name) {
  return LoadLibraryW((wingui::test::ProgramFolder() + L"\\" + name).c_str());
}

// The shared fake of the program, giving the packs this test program loaded
// while its switches say they are there.
class FakeHost : public FakeSetupHost {
 public:
  HMODULE light_pack = nullptr, serious_pack = nullptr, chime_pack = nullptr;
  HMODULE sound_pack(quorel::SoundPack pack) const override {
    return pack == quorel::SoundPack::kLight     ? (light ? light_pack : nullptr)
           : pack == quorel::SoundPack::kSerious ? (serious ? serious_pack : nullptr)
           : pack == quorel::SoundPack::kChime   ? (chimes ? chime_pack : nullptr)
                                                 : nullptr;
  }
};

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }
HWND ShowPage(HWND sheet, int index) {
  SendMessageW(sheet, PSM_SETCURSEL, index, 0);
  return CurrentPage(sheet);
}
std::wstring Text(HWND window) {
  wchar_t buf[512] = {};
  GetWindowTextW(window, buf, 512);
  return buf;
}
std::wstring ItemText(HWND d, int id) { return Text(GetDlgItem(d, id)); }
void Type(HWND d, int id, const std::wstring& text) {
  SendMessageW(GetDlgItem(d, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
void Choose(HWND d, int id, int item) {
  SendMessageW(GetDlgItem(d, id), CB_SETCURSEL, item, 0);
  SendMessageW(d, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
}
bool Checked(HWND d, int id) { return SendMessageW(GetDlgItem(d, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
bool Enabled(HWND d, int id) { return IsWindowEnabled(GetDlgItem(d, id)) != FALSE; }
int Selection(HWND d, int id) { return static_cast<int>(SendMessageW(GetDlgItem(d, id), CB_GETCURSEL, 0, 0)); }
void Press(HWND sheet) { wingui::test::PressSheetButton(sheet, PSBTN_OK); }
// A click whose handler opens a modal dialog or waits: posted, so that the driver goes on.
void PostClick(HWND d, int id) { PostMessageW(GetDlgItem(d, id), BM_CLICK, 0, 0); }

INT_PTR RunSheet(FakeHost& host, const std::function<void(HWND)>& drive) {
  CSetupProperty sheet(host);
  return wingui::test::RunModalDriven(kCaption, [&] { return sheet.Run(nullptr); }, drive);
}

// Runs `drive` on a dialog the page opened by a posted click, once it shows.
void InDialog(const wchar_t* caption, const std::function<void(HWND)>& drive) {
  HWND dialog = wingui::test::WaitForWindow(caption);
  ASSERT_TRUE(dialog) << "no dialog";
  wingui::test::WaitFor([&] { return IsWindowVisible(dialog) != FALSE; }, 5000);
  drive(dialog);
  wingui::test::WaitFor([&] { return !IsWindow(dialog); }, 5000);  // gone before the next one opens
}

// What of a window's controls is cut off or overlaps: texts wider (or, for
// the multi-line information line, taller) than their control, and controls
// that cover each other (a group box may hold others). Empty when tidy.
std::wstring LayoutFaults(HWND window) {
  struct Item {
    HWND h;
    RECT r;
    std::wstring cls, text;
    LONG style;
  };
  std::vector<Item> items;
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    Item it{c, {}, {}, Text(c), GetWindowLongW(c, GWL_STYLE)};
    wchar_t cls[32] = {};
    GetClassNameW(c, cls, 32);
    it.cls = cls;
    GetWindowRect(c, &it.r);
    items.push_back(it);
  }
  std::wstring faults;
  HDC dc = GetDC(window);
  for (const Item& it : items) {
    const LONG type = it.style & BS_TYPEMASK;
    const bool button = it.cls == L"Button", group = button && type == BS_GROUPBOX;
    if (it.text.empty() || (!button && it.cls != L"Static")) continue;
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(it.h, WM_GETFONT, 0, 0)));
    const int width = it.r.right - it.r.left, height = it.r.bottom - it.r.top;
    const bool multi_line = !button && height > 24;
    RECT need = {0, 0, width, 0};
    DrawTextW(dc, it.text.c_str(), -1, &need, DT_CALCRECT | (multi_line ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    const bool box = button && !group && type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON;
    const int room = width - (box ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : button && !group ? 6 : group ? 12 : 0);
    if (multi_line ? need.bottom > height : need.right > room) faults += L"cut off: " + it.text + L"\n";
  }
  ReleaseDC(window, dc);
  auto is_group = [](const Item& it) { return it.cls == L"Button" && (it.style & BS_TYPEMASK) == BS_GROUPBOX; };
  for (std::size_t i = 0; i < items.size(); ++i) {
    for (std::size_t j = i + 1; j < items.size(); ++j) {
      RECT both;
      // A group box holds controls; two group boxes or two controls never meet.
      if (is_group(items[i]) != is_group(items[j]) || items[i].cls == L"msctls_updown32" ||
          items[j].cls == L"msctls_updown32" || !IntersectRect(&both, &items[i].r, &items[j].r)) {
        continue;
      }
      faults += L"overlap: " + items[i].text + L" / " + items[j].text + L"\n";
    }
  }
  return faults;
}

class ChimePageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    light = LoadPack(L"voxlite.dll");
    serious = LoadPack(L"voxgrave.dll");
    chime = LoadPack(L"chimepak.dll");
  }
  void SetUp() override {
    ASSERT_TRUE(light && serious && chime);
    host.light_pack = light, host.serious_pack = serious, host.chime_pack = chime;
    host.record.settings_page = kPageChime;
  }
  static std::string Data(HMODULE pack, const wchar_t* name) { return WaveData(PackWave(pack, name)); }

  static HMODULE light, serious, chime;
  FakeHost host;
};
HMODULE ChimePageTest::light, ChimePageTest::serious, ChimePageTest::chime;

TEST_F(ChimePageTest, ShowsTheRecordAndOkStoresTheEditsWithTheListsMapping) {
  quorel::QuorelSettings& s = host.record;
  s.time_signal_kind = 1;
  s.time_signal_sound = quorel::kToneSeriousAlarm;  // the list's fifth entry
  s.announcement_ending = 2;
  s.chime_before_signal = 1;
  s.hourly_signal_file = "C:\\sounds\\hour.wav";
  s.signal_suppressed[3] = 1;
  struct {
    int tone = -1, tone_after = -1;
    bool half = false, dayo = false, chime = false;
    std::wstring hourly, hourly_label, info;
    bool three = false;
  } seen;
  const INT_PTR r = RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    seen.tone = Selection(page, kTone);
    seen.half = Checked(page, kTimingHalf);
    seen.dayo = Checked(page, kEndDayo);
    seen.chime = Checked(page, kChimeFirst);
    seen.hourly = ItemText(page, kHourlyFile);
    seen.info = ItemText(page, kInfo);
    ClickButton(page, kTimingHourly);
    Choose(page, kTone, kPosFolder);
    seen.tone_after = Selection(page, kTone);
    seen.hourly_label = ItemText(page, kHourlyLabel);
    Type(page, kHourlyFile, L"C:\\sounds\\hourly");
    Type(page, kHalfFile, L"C:\\sounds\\half");
    ClickButton(page, kEndDesu);
    ClickButton(page, kChimeFirst);
    PostClick(page, kSuppress);
    InDialog(kSuppressCaption, [&](HWND dialog) {
      seen.three = Checked(dialog, kHourFirst + 3);
      ClickButton(dialog, kHourFirst + 3);
      ClickButton(dialog, kHourFirst + 0);
      ClickButton(dialog, kHourFirst + 23);
      ClickButton(dialog, IDOK);
    });
    Press(sheet);
  });
  EXPECT_EQ(r, IDOK);
  EXPECT_EQ(seen.tone, 4);
  EXPECT_TRUE(seen.half);
  EXPECT_TRUE(seen.dayo);
  EXPECT_TRUE(seen.chime);
  EXPECT_EQ(seen.hourly, L"C:\\sounds\\hour.wav");
  EXPECT_EQ(seen.info, L"") << "every pack is there";
  EXPECT_TRUE(seen.three);
  EXPECT_EQ(seen.tone_after, kPosFolder);
  EXPECT_EQ(seen.hourly_label, L"フォルダ名(&F):");
  EXPECT_EQ(s.time_signal_kind, 2);
  EXPECT_EQ(s.time_signal_sound, quorel::kToneFolder);
  EXPECT_EQ(s.hourly_signal_file, "C:\\sounds\\hourly");
  EXPECT_EQ(s.half_hour_signal_file, "C:\\sounds\\half");
  EXPECT_EQ(s.announcement_ending, 1);
  EXPECT_EQ(s.chime_before_signal, 0);
  for (int h = 0; h < 24; ++h) EXPECT_EQ(s.signal_suppressed[h], h == 0 || h == 23 ? 1 : 0) << h << "時";
}

TEST_F(ChimePageTest, CancelStoresNothingAlsoAfterTheSuppressionDialogsOk) {
  host.record.time_signal_kind = 2;
  host.record.time_signal_sound = quorel::kToneChime1;
  const quorel::QuorelSettings before = host.record;
  const INT_PTR r = RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    ClickButton(page, kTimingHalf);
    Choose(page, kTone, kPosText);
    ClickButton(page, kEndDayo);
    PostClick(page, kSuppress);
    InDialog(kSuppressCaption, [&](HWND dialog) {
      ClickButton(dialog, kSuppressAll);
      ClickButton(dialog, IDOK);
    });
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(r, IDCANCEL);
  EXPECT_EQ(host.record.time_signal_kind, before.time_signal_kind);
  EXPECT_EQ(host.record.time_signal_sound, before.time_signal_sound);
  EXPECT_EQ(host.record.announcement_ending, before.announcement_ending);
  for (int h = 0; h < 24; ++h) EXPECT_EQ(host.record.signal_suppressed[h], 0) << h << "時";
}

TEST_F(ChimePageTest, TheSuppressionDialogsButtonsAndItsCancel) {
  host.record.signal_suppressed[5] = 1;
  bool all_checked = false, all_clear = false;
  RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    PostClick(page, kSuppress);
    InDialog(kSuppressCaption, [&](HWND dialog) {
      ClickButton(dialog, kSuppressAll);
      all_checked = true;
      for (int h = 0; h < 24; ++h) all_checked = all_checked && Checked(dialog, kHourFirst + h);
      ClickButton(dialog, IDCANCEL);  // keeps the hours as they were
    });
    PostClick(page, kSuppress);
    InDialog(kSuppressCaption, [&](HWND dialog) {
      ClickButton(dialog, kClearAll);
      all_clear = true;
      for (int h = 0; h < 24; ++h) all_clear = all_clear && !Checked(dialog, kHourFirst + h);
      ClickButton(dialog, IDOK);
    });
    Press(sheet);
  });
  EXPECT_TRUE(all_checked);
  EXPECT_TRUE(all_clear);
  EXPECT_EQ(host.record.signal_suppressed[5], 0);
}

TEST_F(ChimePageTest, TheControlsFollowTimingAndTone) {
  host.record.time_signal_kind = 0;
  host.record.time_signal_sound = quorel::kToneSerious;
  host.record.announcement_ending = 2;
  struct State {
    bool tone, end_none, dayo, chime, tone_test, hourly, half, suppress;
  };
  auto state = [](HWND p) {
    return State{Enabled(p, kTone),        Enabled(p, kEndNone),    Enabled(p, kEndDayo),
                 Enabled(p, kChimeFirst),  Enabled(p, kToneTest),   Enabled(p, kHourlyFile) && Enabled(p, kHourlyTest),
                 Enabled(p, kHalfFile) && Enabled(p, kHalfBrowse), Enabled(p, kSuppress)};
  };
  State off{}, serious{}, text{}, file_hourly{}, file_half{};
  bool desu_for_serious = false;
  std::wstring file_label, half_label;
  RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    off = state(page);
    ClickButton(page, kTimingHourly);
    serious = state(page);
    desu_for_serious = Checked(page, kEndDesu) && !Checked(page, kEndDayo);
    Choose(page, kTone, kPosText);
    text = state(page);
    Choose(page, kTone, kPosFile);
    file_hourly = state(page);
    ClickButton(page, kTimingHalf);
    file_half = state(page);
    file_label = ItemText(page, kHourlyLabel);
    half_label = ItemText(page, kHalfLabel);
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_FALSE(off.tone || off.end_none || off.chime || off.tone_test || off.hourly || off.half || off.suppress)
      << "使用しない disables every other control";
  EXPECT_TRUE(serious.tone && serious.end_none && serious.chime && serious.tone_test && serious.suppress);
  EXPECT_FALSE(serious.dayo) << "the serious voice has no だよ";
  EXPECT_TRUE(desu_for_serious) << "a chosen だよ becomes です";
  EXPECT_FALSE(serious.hourly || serious.half);
  EXPECT_TRUE(text.end_none && text.dayo);
  EXPECT_FALSE(text.chime || text.tone_test || text.hourly);
  EXPECT_FALSE(file_hourly.end_none || file_hourly.tone_test || file_hourly.half);
  EXPECT_TRUE(file_hourly.hourly);
  EXPECT_TRUE(file_half.hourly && file_half.half);
  EXPECT_EQ(file_label, L"ファイル名(&G):");
  EXPECT_EQ(half_label, L"ファイル名(&H):");
}

TEST_F(ChimePageTest, AMissingPackTakesItsTonesAwayAndTheInformationLineSaysSo) {
  host.light = false;
  host.chimes = false;
  host.record.time_signal_kind = 2;
  host.record.time_signal_sound = quorel::kToneLight;
  int opened = -1, after_light = -1, after_chime = -1, after_serious = -1;
  bool chime_box = true;
  std::wstring info;
  RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    opened = Selection(page, kTone);
    info = ItemText(page, kInfo);
    Choose(page, kTone, kPosLight);
    after_light = Selection(page, kTone);
    Choose(page, kTone, kPosSerious);
    after_serious = Selection(page, kTone);
    chime_box = Enabled(page, kChimeFirst);
    Choose(page, kTone, kPosChime1);
    after_chime = Selection(page, kTone);
    Press(sheet);
  });
  EXPECT_EQ(opened, kPosFile) << "a tone without its pack opens as ファイルを指定する";
  EXPECT_EQ(info,
            L"音声ﾃﾞｰﾀﾌｧｲﾙ(voxlite.dll ,chimepak.dll)がないので、時報の音色として音声(軽め) ,チャイム1 ,チャイム2は選択"
            L"できません。音声ﾃﾞｰﾀﾌｧｲﾙの取得方法については、「ﾍﾙﾌﾟ」の内容をご覧ください。m(_\"_)m");
  EXPECT_EQ(after_light, kPosFile) << "the list goes back";
  EXPECT_EQ(after_serious, kPosSerious);
  EXPECT_FALSE(chime_box) << "no chime before the voice without chimepak";
  EXPECT_EQ(after_chime, kPosSerious);
  EXPECT_EQ(host.record.time_signal_sound, quorel::kToneSerious);
}

TEST_F(ChimePageTest, BrowseOpensTheSoundFileDialogAndPutsTheChosenFileInTheEdit) {
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  const std::wstring path = std::wstring(tmp) + L"quorel-browse.wav";
  CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  host.record.time_signal_kind = 1;
  host.record.time_signal_sound = quorel::kToneFile;
  std::wstring chosen;
  bool dialog_shown = false;
  RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    PostClick(page, kHalfBrowse);
    HWND dialog = wingui::test::WaitForWindow(L"サウンドファイルの選択");
    dialog_shown = dialog != nullptr;
    if (dialog) {
      wingui::test::WaitFor([&] { return IsWindowVisible(dialog) != FALSE; }, 5000);
      HWND name = GetDlgItem(dialog, 0x47c);  // the file name box
      if (!name) name = GetDlgItem(dialog, 0x480);
      SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
      PostMessageW(dialog, WM_COMMAND, IDOK, 0);
      wingui::test::WaitFor([&] { return !IsWindow(dialog); }, 5000);
    }
    chosen = ItemText(page, kHalfFile);
    Press(sheet);
  });
  DeleteFileW(path.c_str());
  EXPECT_TRUE(dialog_shown);
  EXPECT_EQ(chosen, path);
  EXPECT_EQ(host.record.half_hour_signal_file, wingui::AnsiFromWide(path));
}

class ChimePageSoundTest : public ChimePageTest {
 protected:
  void SetUp() override {
    ChimePageTest::SetUp();
    ASSERT_FALSE(soundtest::RecordFolder().empty()) << "run with scripts/wine-run.sh --record DIR";
    soundtest::ClearRecordings();
  }
};

TEST_F(ChimePageSoundTest, TheToneTestPlaysTwelveOClockAsThePageShowsItAndWaits) {
  host.record.time_signal_kind = 2;
  host.record.time_signal_sound = quorel::kToneLight;
  bool off_while_playing = false, on_after = false;
  RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    ClickButton(page, kTimingHalf);   // with 30M
    ClickButton(page, kEndDesu);      // WORD2 in the light voice
    ClickButton(page, kChimeFirst);   // CHIME1 first
    PostClick(page, kToneTest);
    off_while_playing = wingui::test::WaitFor([&] { return !Enabled(page, kToneTest); }, 3000);
    on_after = wingui::test::WaitFor([&] { return Enabled(page, kToneTest); }, 20000);
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_TRUE(off_while_playing);
  EXPECT_TRUE(on_after);
  const auto rec = soundtest::WaitForRecordings(4, 2000);
  ASSERT_EQ(rec.size(), 4u);
  EXPECT_TRUE(Holds(rec[0], Data(chime, L"CHIME1")));
  EXPECT_TRUE(Holds(rec[1], Data(light, L"12H")));
  EXPECT_TRUE(Holds(rec[2], Data(light, L"30M")));
  EXPECT_TRUE(Holds(rec[3], Data(light, L"WORD2")));
}

TEST_F(ChimePageSoundTest, TheFileTestFollowsTheVcmpBoxOfTheSheetBeforeOk) {
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  const std::wstring path = std::wstring(tmp) + L"quorel-chime-page.wav";
  const std::string wav = PackWave(serious, L"ALARM");
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD put = 0;
  WriteFile(h, wav.data(), static_cast<DWORD>(wav.size()), &put, nullptr);
  CloseHandle(h);
  host.record.time_signal_kind = 2;
  host.record.time_signal_sound = quorel::kToneFile;
  host.record.wave_through_acm = 0;
  std::size_t heard_with_vcmp = 99;
  RunSheet(host, [&](HWND sheet) {
    ClickButton(ShowPage(sheet, kPageEtc2), kVcmp);  // on: WAVE goes to the MP3 library, which is not there
    HWND page = ShowPage(sheet, kPageChime);
    Type(page, kHourlyFile, path);
    ClickButton(page, kHourlyTest);
    Sleep(1500);
    heard_with_vcmp = soundtest::Recordings().size();
    ClickButton(ShowPage(sheet, kPageEtc2), kVcmp);  // off again: MCI plays it
    page = ShowPage(sheet, kPageChime);
    ClickButton(page, kHourlyTest);
    soundtest::WaitForRecordings(1, 10000);
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  DeleteFileW(path.c_str());
  EXPECT_EQ(heard_with_vcmp, 0u);
  const auto rec = soundtest::Recordings();
  ASSERT_EQ(rec.size(), 1u);
  EXPECT_TRUE(Holds(rec[0], WaveData(wav)));
  EXPECT_EQ(host.record.wave_through_acm, 0) << "Cancel stores nothing";
}

TEST_F(ChimePageSoundTest, TheFolderTestDrawsOnlyLowerCaseSoundFilesOfTheFolder) {
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  const std::wstring folder = std::wstring(tmp) + L"quorel-chime-folder";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::string drawn = PackWave(light, L"1H"), never = PackWave(light, L"2H");
  auto write = [&](const wchar_t* name, const std::string& bytes) {
    HANDLE h = CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD put = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    CloseHandle(h);
  };
  write(L"one.wav", drawn);
  write(L"FOO.WAV", never);
  write(L"notes.txt", never);
  host.record.time_signal_kind = 1;
  host.record.time_signal_sound = quorel::kToneFolder;
  RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    Type(page, kHalfFile, folder);  // no backslash at the end
    for (std::size_t n = 1; n <= 3; ++n) {
      ClickButton(page, kHalfTest);
      soundtest::WaitForRecordings(n, 10000);
      wingui::test::WaitFor([&] { return Enabled(page, kHalfTest); }, 1000);
      Sleep(500);  // the job's end reaches the page
    }
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  for (const wchar_t* name : {L"one.wav", L"FOO.WAV", L"notes.txt"}) DeleteFileW((folder + L"\\" + name).c_str());
  RemoveDirectoryW(folder.c_str());
  const auto rec = soundtest::Recordings();
  ASSERT_EQ(rec.size(), 3u);
  for (const auto& r : rec) EXPECT_TRUE(Holds(r, WaveData(drawn)));
}

// Holds CTRL down for the page's thread while a click is handled.
class CtrlDown {
 public:
  explicit CtrlDown(HWND window) : page_thread_(GetWindowThreadProcessId(window, nullptr)) {
    MSG m;
    PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE);  // a thread attaches its input once it has a queue
    AttachThreadInput(GetCurrentThreadId(), page_thread_, TRUE);
    GetKeyboardState(keys_);
    BYTE down[256];
    std::copy(keys_, keys_ + 256, down);
    down[VK_CONTROL] = down[VK_LCONTROL] = 0x80;
    SetKeyboardState(down);
  }
  ~CtrlDown() {
    SetKeyboardState(keys_);
    AttachThreadInput(GetCurrentThreadId(), page_thread_, FALSE);
  }

 private:
  DWORD page_thread_;
  BYTE keys_[256] = {};
};

TEST_F(ChimePageSoundTest, CtrlWithTheToneTestOpensTheVoiceTest) {
  host.record.time_signal_kind = 2;
  host.record.time_signal_sound = quorel::kToneLight;
  host.light = false;  // the light voice cannot be chosen
  struct {
    bool light = true, serious = false, half = false, speak = false;
    std::wstring hour;
  } seen;
  RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    Choose(page, kTone, kPosSerious);
    {
      CtrlDown ctrl(page);
      PostClick(page, kToneTest);
      InDialog(kDebugCaption, [&](HWND dialog) {
        seen.light = Enabled(dialog, kDebugLight);
        seen.serious = Checked(dialog, kDebugSerious);
        seen.half = Checked(dialog, kDebugHalf);
        seen.hour = ItemText(dialog, kDebugHour);
        Type(dialog, kDebugHour, L"17");  // no 12-hour form here
        ClickButton(dialog, kDebugDesu);
        ClickButton(dialog, kDebugSpeak);  // returns once the sound has ended
        seen.speak = Enabled(dialog, kDebugSpeak);
        ClickButton(dialog, IDCANCEL);
      });
    }
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_FALSE(seen.light);
  EXPECT_TRUE(seen.serious);
  EXPECT_TRUE(seen.half);
  EXPECT_EQ(seen.hour, L"0");
  EXPECT_TRUE(seen.speak);
  const auto rec = soundtest::WaitForRecordings(3, 2000);
  ASSERT_EQ(rec.size(), 3u);
  EXPECT_TRUE(Holds(rec[0], Data(serious, L"17H")));
  EXPECT_TRUE(Holds(rec[1], Data(serious, L"30M")));
  EXPECT_TRUE(Holds(rec[2], Data(serious, L"WORD")));
}

TEST_F(ChimePageTest, ThePageAndItsDialogsShowEveryTextWhole) {
  host.light = host.serious = host.chimes = false;  // the longest information line
  host.record.time_signal_kind = 1;
  std::wstring page_faults = L"?", suppress_faults = L"?", debug_faults = L"?";
  bool speak_enabled = true;
  RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    page_faults = LayoutFaults(page);
    PostClick(page, kSuppress);
    InDialog(kSuppressCaption, [&](HWND dialog) {
      suppress_faults = LayoutFaults(dialog);
      ClickButton(dialog, IDCANCEL);
    });
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  CChimeDebug voice_test(host);
  wingui::test::RunModalDriven(kDebugCaption, [&] { return voice_test.DoModal(nullptr); }, [&](HWND dialog) {
    debug_faults = LayoutFaults(dialog);
    speak_enabled = Enabled(dialog, kDebugSpeak);
    ClickButton(dialog, IDCANCEL);
  });
  EXPECT_EQ(page_faults, L"");
  EXPECT_EQ(suppress_faults, L"");
  EXPECT_EQ(debug_faults, L"");
  EXPECT_FALSE(speak_enabled) << "nothing to speak with both voices missing";
}

// The manual (TEXT 152, Shift-JIS) tells where the time signal is set.
TEST(ChimeManual, TheTimeSignalSectionIsWritten) {
  HRSRC r = FindResourceW(nullptr, MAKEINTRESOURCEW(152), L"TEXT");
  ASSERT_TRUE(r);
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, r)));
  const int size = static_cast<int>(SizeofResource(nullptr, r));
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  text.resize(static_cast<std::size_t>(MultiByteToWideChar(932, 0, bytes, size, &text[0], size)));
  const std::size_t at = text.find(L"■ 時報\r\n");
  ASSERT_NE(at, std::wstring::npos);
  const std::wstring section = text.substr(at, text.find(L"■", at + 1) - at);
  EXPECT_EQ(section.find(L"準備中"), std::wstring::npos);
  for (const wchar_t* part : {L"「時報」ページ", L"特定の時刻の時報を抑止", L"フォルダを指定する", L"voxlite.dll"}) {
    EXPECT_NE(section.find(part), std::wstring::npos) << wingui::AnsiFromWide(part);
  }
}

}  // namespace

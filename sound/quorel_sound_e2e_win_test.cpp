// End-to-end: the real quorel.exe, started a few seconds before 15:00, heard
// through the recording sound device: the greeting at start, the time signal
// at 15:00 (chime, hour, ending in this order) and the farewell at exit; no
// greeting after a restart ("-r").
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/quorel_e2e_support_win.h"
#include "sound/sound_record_win_test.h"
#include "wingui/test_support_win.h"

namespace {

using soundtest::Holds;
using soundtest::PackWave;
using soundtest::WaveData;
using wingui::test::FindProcessWindow;
using wingui::test::ProgramFolder;
using wingui::test::WaitFor;

// With a clock kind stored the program takes the section as its own (no migration).
void WriteSettings(std::vector<std::pair<std::wstring, DWORD>> dwords) {
  dwords.emplace_back(L"時計の種別", 1);
  quorel_e2e::WriteSettings(dwords);
}

class QuorelHeard : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(soundtest::RecordFolder().empty()) << "run with scripts/wine-run.sh --record DIR";
    light_ = LoadLibraryW((ProgramFolder() + L"\\voxlite.dll").c_str());
    serious_ = LoadLibraryW((ProgramFolder() + L"\\voxgrave.dll").c_str());
    chime_ = LoadLibraryW((ProgramFolder() + L"\\chimepak.dll").c_str());
    ASSERT_TRUE(light_ && serious_ && chime_);
    soundtest::ClearRecordings();
  }
  void Start(const wchar_t* args) {
    std::wstring cmd = L"\"" + ProgramFolder() + L"\\quorel.exe\"" + args;
    STARTUPINFOW si = {sizeof(si)};
    ASSERT_TRUE(
        CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, ProgramFolder().c_str(), &si, &pi_));
    ASSERT_TRUE(WaitFor([this] { return (clock_ = FindProcessWindow(pi_.dwProcessId, L"QuorelClockWnd")) != nullptr; },
                        30000))
        << "no clock window";
  }
  void Close() {
    PostMessageW(clock_, WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(WaitForSingleObject(pi_.hProcess, 15000), WAIT_OBJECT_0);
  }
  void TearDown() override {
    if (pi_.hProcess) {
      if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 1);
      CloseHandle(pi_.hProcess);
      CloseHandle(pi_.hThread);
    }
  }
  // The clips heard, by name ("?" for anything that is no clip of the packs).
  std::vector<std::string> Heard() {
    const std::pair<const char*, std::string> clips[] = {
        {"START", WaveData(PackWave(light_, L"START"))}, {"END", WaveData(PackWave(light_, L"END"))},
        {"CHIME1", WaveData(PackWave(chime_, L"CHIME1"))}, {"3H", WaveData(PackWave(light_, L"3H"))},
        {"WORD2", WaveData(PackWave(light_, L"WORD2"))},
        {"serious START", WaveData(PackWave(serious_, L"START"))}, {"serious END", WaveData(PackWave(serious_, L"END"))},
    };
    std::vector<std::string> out;
    for (const soundtest::Recording& r : soundtest::Recordings()) {
      std::string name = "?";
      for (const auto& c : clips) {
        if (Holds(r, c.second)) name = c.first;
      }
      out.push_back(name);
    }
    return out;
  }
  HMODULE light_ = nullptr, serious_ = nullptr, chime_ = nullptr;
  PROCESS_INFORMATION pi_ = {};
  HWND clock_ = nullptr;
};

TEST_F(QuorelHeard, GreetsThenAt1500ChimesSaysTheHourAndEndingAndSaysGoodbye) {
  SYSTEMTIME t;
  GetLocalTime(&t);
  ASSERT_TRUE(t.wHour == 14 && t.wMinute == 59) << "starts before 15:00 (the program's own moment)";
  // Hourly, light voice with "です", the chime first, the 12-hour mode, greeting by the light voice.
  WriteSettings({{L"時報の種類", 2}, {L"時報の音色", 0}, {L"です/だよの付加", 1}, {L"時報の前にチャイムを鳴らす", 1},
                 {L"２４時間制で表示する", 0}, {L"開始/終了時もしゃべる", 1}, {L"移動", 0}});
  Start(L"");
  ASSERT_TRUE(WaitFor([this] { return Heard().size() >= 4; }, 40000)) << Heard().size();
  Sleep(500);
  Close();
  Sleep(500);
  const std::vector<std::string> expected = {"START", "CHIME1", "3H", "WORD2", "END"};
  EXPECT_EQ(Heard(), expected);
}

TEST_F(QuorelHeard, NoGreetingAfterARestartButTheFarewellStill) {
  WriteSettings({{L"時報の種類", 0}, {L"開始/終了時もしゃべる", 1}, {L"移動", 0}});
  Start(L" -r");  // waits 10 s before it starts, as after its own restart
  Sleep(1500);
  EXPECT_TRUE(Heard().empty());
  Close();
  Sleep(500);
  EXPECT_EQ(Heard(), std::vector<std::string>{"END"});
}

TEST_F(QuorelHeard, SaysGoodbyeWhenWindowsEndsAndNotAgainAtItsEnd) {
  WriteSettings({{L"時報の種類", 0}, {L"開始/終了時もしゃべる", 2}, {L"Windows終了時もしゃべる", 1}, {L"移動", 0}});
  Start(L"");
  ASSERT_TRUE(WaitFor([this] { return Heard().size() >= 1; }, 10000));
  Sleep(500);
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutW(clock_, WM_ENDSESSION, TRUE, 0, SMTO_BLOCK, 10000, &answer));
  Close();
  Sleep(500);
  const std::vector<std::string> expected = {"serious START", "serious END"};
  EXPECT_EQ(Heard(), expected);
}

}  // namespace

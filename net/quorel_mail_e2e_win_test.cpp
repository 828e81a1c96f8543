// End-to-end: the real quorel.exe checks a real POP3 server on loopback (dovecot
// with three messages, started around this program by the test runner) at its
// start, blinks its mail icon in the clock's corner and plays
// the arrival chime through the recording sound device.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/credential_scramble.h"
#include "app/quorel_e2e_support_win.h"
#include "net/net_test_support_win.h"
#include "sound/sound_record_win_test.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"

namespace {

using namespace quorel_e2e;

void SetText(HKEY key, const wchar_t* name, const std::string& cp932) {
  const std::wstring value = wingui::WideFromAnsi(cp932);
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

class QuorelMail : public QuorelOnScreen {
 protected:
  void WriteMailSettings() {
    // A still clock (no seconds, no character, a still background, no time signal) so that only the mail icon changes.
    WriteSettings({{L"時計の種別", 1}, {L"起動時の配置", 2}, {L"Left座標", 200}, {L"Top座標", 300},
                   {L"Right座標", 282}, {L"Bottom座標", 353}, {L"デジタルの秒", 0}, {L"移動", 0},
                   {L"キャラクタ", 0}, {L"瞬きアニメーション", 0}, {L"背景アニメーション", 0}, {L"時報の種類", 0}, {L"開始/終了時もしゃべる", 0},
                   {L"メールチェックを行う", 1}, {L"メールのチェック間隔", 5},
                   {L"メールポート番号", quorel::test::PeerPort("QUOREL_POP3_PORT")}, {L"メールでSSLを使用する", 0},
                   {L"メールの着信音の種類", 2}, {L"メールのアイコンを点滅させない", 0}});
    HKEY key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kConfigKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    auto rand = [] { return std::rand() % 32768; };
    SetText(key, L"メールサーバ", "127.0.0.1");
    SetText(key, L"メール情報1", quorel::ScrambleCredential(quorel::test::PeerText("QUOREL_POP3_USER"), rand));
    SetText(key, L"メール情報2", quorel::ScrambleCredential(quorel::test::PeerText("QUOREL_POP3_PASSWORD"), rand));
    RegCloseKey(key);
  }
};

TEST_F(QuorelMail, ThreeMessagesOnDovecotBlinkTheIconAndChime) {
  ASSERT_FALSE(soundtest::RecordFolder().empty()) << "run with scripts/wine-run.sh --record DIR";
  ASSERT_NE(quorel::test::PeerPort("QUOREL_POP3_PORT"), 0) << "run with scripts/net-test-peers.py";
  HMODULE chimes = LoadLibraryW((ProgramFolder() + L"\\chimepak.dll").c_str());
  ASSERT_TRUE(chimes);
  const std::string chime = soundtest::WaveData(soundtest::PackWave(chimes, L"CHIME1"));
  soundtest::ClearRecordings();
  WriteMailSettings();
  Start();

  // The check runs at the start: the chime of kind 2 is heard once the three messages are counted.
  EXPECT_TRUE(WaitFor(
      [&] {
        for (const soundtest::Recording& r : soundtest::Recordings())
          if (soundtest::Holds(r, chime)) return true;
        return false;
      },
      30000))
      << "no arrival chime";

  // The icon blinks: the still clock alternates between two pictures, half a second each.
  const RECT at = RectOf(clock_);
  std::vector<quorel::Surface> frames;
  for (int i = 0; i < 12; ++i) {
    frames.push_back(Capture(at));
    Sleep(250);
  }
  int changes = 0;
  for (size_t i = 1; i < frames.size(); ++i) changes += DifferingPixels(frames[i], frames[i - 1]) != 0 ? 1 : 0;
  EXPECT_GE(changes, 4) << "the mail icon does not blink";
  int distinct_from_first = 0;
  for (size_t i = 1; i < frames.size(); ++i) {
    if (DifferingPixels(frames[i], frames[0]) == 0) continue;
    ++distinct_from_first;
    for (size_t j = 1; j < frames.size(); ++j)
      if (j != i && DifferingPixels(frames[j], frames[0]) != 0)
        EXPECT_EQ(DifferingPixels(frames[j], frames[i]), 0) << "more than two pictures: something else moves";
    break;
  }
  EXPECT_EQ(distinct_from_first, 1);
}

}  // namespace

#include "sound/chime_debug_win.h"

#include "app/messages.h"
#include "sound/chime_page_rules.h"
#include "sound/setup_sounds_win.h"
#include "wingui/controls_win.h"

namespace {
enum : int {
  kLight = 1430, kSerious = 1431, kHour = 1432, kHourSpin = 1433, kWithHalf = 1434,
  kEndNone = 1435, kEndDesu = 1436, kEndDayo = 1437, kSpeak = 1438,
};
}  // namespace

bool CChimeDebug::OnInitDialog() {
  HWND d = hwnd();
  const bool light = host_.light_voice_loaded(), serious = host_.serious_voice_loaded();
  EnableWindow(Item(kLight), light);
  EnableWindow(Item(kSerious), serious);
  EnableWindow(Item(kSpeak), light || serious);
  wingui::CheckIndex(d, {kLight, kSerious}, light ? 0 : serious ? 1 : -1);
  wingui::SetSpinRange(d, kHourSpin, 0, 23);
  wingui::SetItemNumber(d, kHour, 0);
  wingui::SetChecked(d, kWithHalf, true);
  wingui::CheckIndex(d, {kEndNone, kEndDesu, kEndDayo}, 0);
  return true;
}

bool CChimeDebug::OnCommand(int id, int code) {
  if (id != kSpeak || code != BN_CLICKED) return false;
  Speak();
  return true;
}

bool CChimeDebug::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  if (msg == quorel::WM_PLAYSOUND_END) {
    sounds_.OnPlaySoundEnd(wp);
    result = 0;
    return true;
  }
  if (msg == WM_DESTROY) sounds_.Stop();  // the owner's destructor waits for the thread
  return false;
}

void CChimeDebug::Speak() {
  HWND d = hwnd();
  const int voice = wingui::CheckedIndex(d, {kLight, kSerious});
  const bool serious = voice == 1;
  if (voice < 0 || (serious ? !host_.serious_voice_loaded() : !host_.light_voice_loaded())) return;
  const int hour = wingui::GetItemNumber(d, kHour, 0);
  if (hour < 0 || hour > 23) return;  // no such clip: nothing to say
  const int ending = wingui::CheckedIndex(d, {kEndNone, kEndDesu, kEndDayo});
  const auto clips = quorel::VoiceTestClips(serious, hour, wingui::IsChecked(d, kWithHalf), ending);
  if (!sounds_.Play(d, HostSoundClips(host_, clips), HostSoundOptions(host_))) return;
  EnableWindow(Item(kSpeak), FALSE);
  sounds_.WaitForEnd(d);
  EnableWindow(Item(kSpeak), TRUE);
}

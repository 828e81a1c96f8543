#include "sound/setup_chime_win.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "app/common_util_win.h"
#include "app/messages.h"
#include "base/file_system_win.h"
#include "base/random.h"
#include "base/string_table.h"
#include "sound/chime_debug_win.h"
#include "sound/chime_page_rules.h"
#include "sound/clock_sounds_win.h"
#include "sound/no_chime_set_win.h"
#include "sound/random_sound_folder.h"
#include "sound/setup_sounds_win.h"
#include "sound/sound_strings.h"
#include "wingui/controls_win.h"
#include "wingui/text_win.h"

namespace {

enum : int {
  kTimingNone = 1301, kTimingHalf = 1302, kTimingHourly = 1303, kTone = 1304, kToneTest = 1305,
  kEndNone = 1306, kEndDesu = 1307, kEndDayo = 1308, kChimeFirst = 1309,
  kHourlyLabel = 1310, kHourlyFile = 1311, kHourlyBrowse = 1312, kHourlyTest = 1313,
  kHalfLabel = 1314, kHalfFile = 1315, kHalfBrowse = 1316, kHalfTest = 1317,
  kSuppress = 1318, kInfo = 1319, kToneLabel = 1320, kEndingGroup = 1321, kHourlyGroup = 1322, kHalfGroup = 1323,
};
constexpr unsigned kStrChooseSoundFile = 201;
constexpr int kTimingHalfHourly = 1;

// Every control that "使用しない" disables: all but the timing radios and the information line.
constexpr int kTimingDependent[] = {
    kToneLabel, kTone, kToneTest, kEndingGroup, kEndNone, kEndDesu, kEndDayo, kChimeFirst,
    kHourlyGroup, kHourlyLabel, kHourlyFile, kHourlyBrowse, kHourlyTest,
    kHalfGroup, kHalfLabel, kHalfFile, kHalfBrowse, kHalfTest, kSuppress,
};

std::string SoundFilter(const CSetupHost& host) {
  return quorel::LoadText(host.mp3_library_loaded() ? quorel::kStrSoundFilterMp3 : quorel::kStrSoundFilter);
}

}  // namespace

CSetupChime::CSetupChime(CSetupHost& host) : wingui::PropertyPage(kTemplate), host_(host) {}

int CSetupChime::Timing() const { return wingui::CheckedIndex(hwnd(), {kTimingNone, kTimingHalf, kTimingHourly}); }

int CSetupChime::Tone() const { return quorel::ToneAt(wingui::ComboSelection(hwnd(), kTone)); }

bool CSetupChime::OnInitDialog() {
  Loading loading(*this);
  const quorel::QuorelSettings& s = host_.settings();
  const quorel::LoadedPacks packs = HostPacks(host_);
  HWND d = hwnd();
  const int timing = s.time_signal_kind >= 0 && s.time_signal_kind <= 2 ? s.time_signal_kind : 0;
  wingui::CheckIndex(d, {kTimingNone, kTimingHalf, kTimingHourly}, timing);
  std::vector<std::string> labels;
  for (int i = 0; i < quorel::kToneCount; ++i) labels.push_back(quorel::ToneLabel(quorel::ToneAt(i)));
  wingui::FillCombo(d, kTone, labels);
  const int tone = quorel::ToneOnOpen(s.time_signal_sound, packs);
  accepted_tone_position_ = quorel::TonePosition(tone);
  wingui::SelectComboItem(d, kTone, accepted_tone_position_);
  const int ending = s.announcement_ending >= 0 && s.announcement_ending <= 2 ? s.announcement_ending : 0;
  wingui::CheckIndex(d, {kEndNone, kEndDesu, kEndDayo}, ending);
  wingui::SetChecked(d, kChimeFirst, s.chime_before_signal != 0);
  wingui::SetItemText(d, kHourlyFile, s.hourly_signal_file);
  wingui::SetItemText(d, kHalfFile, s.half_hour_signal_file);
  wingui::SetItemText(d, kInfo, quorel::MissingPacksMessage(packs));
  for (int h = 0; h < 24; ++h) suppressed_[h] = s.signal_suppressed[h] != 0 ? 1 : 0;
  UpdateEnabling();
  return true;
}

void CSetupChime::UpdateEnabling() {
  HWND d = hwnd();
  const int tone = Tone();
  const quorel::ChimePageControls c = quorel::ChimePageEnabling(Timing(), tone, host_.chime_pack_loaded());
  wingui::SetItemText(d, kHourlyLabel, quorel::LoadText(c.hourly_label));
  wingui::SetItemText(d, kHalfLabel, quorel::LoadText(c.half_label));
  for (int id : kTimingDependent) EnableWindow(GetDlgItem(d, id), c.all);
  if (!c.all) return;
  wingui::EnableItems(d, {kEndingGroup, kEndNone, kEndDesu}, c.endings);
  EnableWindow(GetDlgItem(d, kEndDayo), c.ending_dayo);
  if (tone == quorel::kToneSerious && wingui::IsChecked(d, kEndDayo)) {
    wingui::CheckIndex(d, {kEndNone, kEndDesu, kEndDayo}, quorel::EndingForTone(tone, 2));
  }
  EnableWindow(GetDlgItem(d, kChimeFirst), c.chime_first);
  EnableWindow(GetDlgItem(d, kToneTest), c.tone_test);
  wingui::EnableItems(d, {kHourlyGroup, kHourlyLabel, kHourlyFile, kHourlyBrowse, kHourlyTest}, c.hourly_file);
  wingui::EnableItems(d, {kHalfGroup, kHalfLabel, kHalfFile, kHalfBrowse, kHalfTest}, c.half_file);
}

void CSetupChime::OnToneChosen() {
  const int position = wingui::ComboSelection(hwnd(), kTone);
  if (position < 0 || quorel::ToneUnavailable(quorel::ToneAt(position), HostPacks(host_))) {
    // A tone whose pack is missing cannot be chosen: the list goes back.
    wingui::SelectComboItem(hwnd(), kTone, accepted_tone_position_);
  } else {
    accepted_tone_position_ = position;
  }
  UpdateEnabling();
}

bool CSetupChime::OnCommand(int id, int code) {
  if (loading()) return false;
  switch (id) {
    case kTimingNone:
    case kTimingHalf:
    case kTimingHourly:
      if (code != BN_CLICKED) return false;
      UpdateEnabling();
      return true;
    case kTone:
      if (code == CBN_DROPDOWN) {
        const int position = wingui::ComboSelection(hwnd(), kTone);
        if (position >= 0) accepted_tone_position_ = position;
        return true;
      }
      if (code != CBN_SELCHANGE) return false;
      OnToneChosen();
      return true;
    default: break;
  }
  if (code != BN_CLICKED) return false;
  switch (id) {
    case kToneTest: ToneTest(); return true;
    case kHourlyTest: FileTest(false); return true;
    case kHalfTest: FileTest(true); return true;
    case kHourlyBrowse: Browse(false); return true;
    case kHalfBrowse: Browse(true); return true;
    case kSuppress: {
      CNoChimeSet dialog(suppressed_);
      dialog.DoModal(hwnd());
      return true;
    }
    default: return false;
  }
}

bool CSetupChime::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
  if (msg == quorel::WM_PLAYSOUND_END) {
    sounds_.OnPlaySoundEnd(wp);
    result = 0;
    return true;
  }
  if (msg == WM_DESTROY) sounds_.Stop();  // the owner's destructor waits for the thread
  return false;
}

void CSetupChime::ToneTest() {
  HWND d = hwnd();
  if (sounds_.playing()) {
    sounds_.Stop();
    sounds_.WaitForEnd(d);
  }
  if (GetKeyState(VK_CONTROL) < 0) {
    CChimeDebug dialog(host_);
    dialog.DoModal(d);
    return;
  }
  const int ending = wingui::CheckedIndex(d, {kEndNone, kEndDesu, kEndDayo});
  const auto clips = quorel::ToneTestClips(Tone(), Timing() == kTimingHalfHourly, ending < 0 ? 0 : ending,
                                           wingui::IsChecked(d, kChimeFirst), HostPacks(host_));
  if (clips.empty()) return;
  if (!sounds_.Play(d, HostSoundClips(host_, clips), HostSoundOptions(host_))) return;
  // The page waits for the sample, with its button off meanwhile.
  HWND button = GetDlgItem(d, kToneTest);
  EnableWindow(button, FALSE);
  sounds_.WaitForEnd(d);
  EnableWindow(button, TRUE);
}

void CSetupChime::FileTest(bool half) {
  if (sounds_.playing()) {
    sounds_.Stop();
    return;
  }
  std::string path = wingui::GetItemText(hwnd(), half ? kHalfFile : kHourlyFile);
  CWinFileSystem fs;
  if (Tone() == quorel::kToneFolder) {
    // A draw from the folder, as the time signal makes it.
    CWinFolderLister lister;
    quorel::CRandomSoundFolder folder(fs, lister, quorel::ProcessRandom());
    folder.SetExtensions(quorel::ExtensionsFromFilter(SoundFilter(host_)));
    if (fs.FolderExists(path)) folder.SetFolder(path);
    path = folder.Pick();
  }
  if (path.empty() || !fs.Exists(path)) return;
  sounds_.Play(hwnd(), {{path, nullptr}}, HostSoundOptions(host_));
}

void CSetupChime::Browse(bool half) {
  HWND d = hwnd();
  const int edit = half ? kHalfFile : kHourlyFile;
  const std::string current = wingui::GetItemText(d, edit);
  if (Tone() == quorel::kToneFolder) {
    std::string chosen;
    if (CCommonUtilWin::BrowseForFolder(d, current, false, &chosen)) wingui::SetItemText(d, edit, chosen);
    return;
  }
  // The filter's "|" separators become the dialog's NULs.
  std::wstring filter = wingui::WideFromAnsi(SoundFilter(host_));
  for (wchar_t& c : filter) {
    if (c == L'|') c = L'\0';
  }
  const std::wstring title = wingui::WideFromAnsi(quorel::LoadText(kStrChooseSoundFile));
  wchar_t file[MAX_PATH] = L"";
  const std::wstring initial = wingui::WideFromAnsi(current);
  if (initial.size() < MAX_PATH) initial.copy(file, initial.size());
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = d;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrTitle = title.c_str();
  ofn.lpstrDefExt = L"wav";
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (GetOpenFileNameW(&ofn)) wingui::SetItemText(d, edit, wingui::AnsiFromWide(file));
}

void CSetupChime::OnApply() {
  quorel::QuorelSettings& s = host_.settings();
  HWND d = hwnd();
  const int timing = Timing();
  if (timing >= 0) s.time_signal_kind = timing;
  if (wingui::ComboSelection(d, kTone) >= 0) s.time_signal_sound = Tone();
  const int ending = wingui::CheckedIndex(d, {kEndNone, kEndDesu, kEndDayo});
  if (ending >= 0) s.announcement_ending = ending;
  s.chime_before_signal = wingui::IsChecked(d, kChimeFirst) ? 1 : 0;
  s.hourly_signal_file = wingui::GetItemText(d, kHourlyFile);
  s.half_hour_signal_file = wingui::GetItemText(d, kHalfFile);
  for (int h = 0; h < 24; ++h) s.signal_suppressed[h] = suppressed_[h];
}

#include "app/quorel_app_win.h"

#include <psapi.h>
#include <shlobj.h>

#include <cstdlib>
#include <ctime>

#include "app/common_util_win.h"
#include "app/credential_scramble.h"
#include "app/messages.h"
#include "calendar/calendar_texts.h"
#include "app/news_file.h"
#include "net/news_check.h"
#include "app/settings_values.h"
#include "base/random.h"
#include "schedule/schedule_notice.h"
#include "sound/notice_sounds.h"
#include "settings_ui/app_setup_host_win.h"
#include "base/string_table.h"
#include "wingui/text_win.h"

namespace {

constexpr unsigned kStrAppTitle = 57344;
constexpr unsigned kStrOldProduct = 3000;
const char kCompany[] = "Yoveta Inc.";

CQuorelApp* g_app = nullptr;

const char* const kMp3EntryNames[CQuorelApp::kMp3EntryCount] = {
    "vbmp3_init", "vbmp3_free", "vbmp3_open", "vbmp3_close",
    "vbmp3_play", "vbmp3_stop", "vbmp3_callback", "vbmp3_setFftWindow",
};

HMODULE LoadFromFolder(const std::string& folder, const char* name) {
  return LoadLibraryW(wingui::WideFromAnsi(folder + name).c_str());
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoW(monitor, &info)) {
    const RECT& r = info.rcMonitor;
    reinterpret_cast<std::vector<quorel::Rect>*>(data)->push_back(quorel::Rect{r.left, r.top, r.right, r.bottom});
  }
  return TRUE;
}

}  // namespace

CQuorelApp::CQuorelApp()
    : store_(kCompany, quorel::LoadText(kStrAppTitle)),
      old_store_(kCompany, quorel::LoadText(kStrOldProduct)),
      sleep_([](DWORD ms) { Sleep(ms); }) {
  g_app = this;
  CClockAlarms::Environment alarms;
  alarms.list = &clock_.alarms();
  alarms.fs = &fs_;
  alarms.store = &store_;
  alarms.user_data_folder = [this] { return GetUserDataFolder(); };
  alarms.save_settings = [this] { SaveSettings(""); };
  alarms_ = std::make_unique<CClockAlarms>(std::move(alarms));
  hooks_.load_alarms = [this](bool new_format, quorel::SettingsVersion v, const std::string& section) {
    alarms_->Load(new_format, v, section);
  };
  hooks_.save_alarms = [this] { alarms_->Save(); };
  hooks_.create_schedule_store = [this] { CreateScheduleStore(); };
  hooks_.load_weather_definitions = [this](const std::string& folder, const std::string& site) {
    quorel::CWeatherService loader;
    loader.LoadDefinitions(folder, site);
    weather_define_ = loader.define();
  };
  quorel::SeedProcessRandom(static_cast<std::uint32_t>(std::time(nullptr)) ^ GetCurrentProcessId());
}

CQuorelApp::~CQuorelApp() {
  schedule_wnd_.reset();
  noticer_.reset();
  schedule_.reset();  // saves what is still modified, while the file system lives
  if (instance_mutex_) CloseHandle(instance_mutex_);
  if (g_app == this) g_app = nullptr;
}

CQuorelApp* CQuorelApp::Get() { return g_app; }

bool CQuorelApp::InitInstance(const std::wstring& command_line) {
  WaitIfRestarted(command_line);
  AcquireInstanceMutex();
  LoadLibraries();
  AllowRightClickFromLowerRights();
  MigrateSettings();
  if (!ApplySecondInstanceRule()) return false;
  RecoverScheduleFiles();
  EnumerateMonitors();
  if (hooks_.create_schedule_store) hooks_.create_schedule_store();
  BindSchedulePlugin();
  if (hooks_.load_weather_definitions) {
    hooks_.load_weather_definitions(ProgramFolder(), settings().weather_site_name);
  }
  return CreateMainWindow();
}

int CQuorelApp::Run() { return wingui::RunMessageLoop(); }

void CQuorelApp::WaitIfRestarted(const std::wstring& command_line) {
  greeting_.restarted = quorel::HasRestartOption(wingui::AnsiFromWide(command_line));
  if (greeting_.restarted) sleep_(kRestartWaitMs);  // lets the instance that started this one finish
}

void CQuorelApp::AcquireInstanceMutex() {
  HANDLE mutex = CreateMutexW(nullptr, TRUE, kMutexName);
  if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS) {
    if (mutex) CloseHandle(mutex);
    instance_mutex_ = nullptr;  // a second instance
    return;
  }
  instance_mutex_ = mutex;
}

void CQuorelApp::LoadLibraries() {
  const std::string folder = ProgramFolder();
  voice_light_ = LoadFromFolder(folder, "voxlite.dll");
  voice_serious_ = LoadFromFolder(folder, "voxgrave.dll");
  chime_pack_ = LoadFromFolder(folder, "chimepak.dll");
  mp3_library_ = LoadFromFolder(folder, "vbmp3.dll");
  if (!mp3_library_) return;
  bool complete = true;
  for (int i = 0; i < kMp3EntryCount; ++i) {
    mp3_entries_[i] = GetProcAddress(mp3_library_, kMp3EntryNames[i]);
    complete = complete && mp3_entries_[i];
  }
  if (!complete) {  // MP3 playback needs every entry point
    FreeLibrary(mp3_library_);
    mp3_library_ = nullptr;
    for (FARPROC& entry : mp3_entries_) entry = nullptr;
  }
}

void CQuorelApp::AllowRightClickFromLowerRights() { CCommonUtilWin::SetMessageFilter(WM_RBUTTONDOWN, true); }

quorel::SettingsContext CQuorelApp::MakeContext() {
  folders_.is_nt = CCommonUtilWin::IsNT();
  folders_.program_folder = ProgramFolder();
  folders_.app_data_folder = CCommonUtilWin::GetSpecialFolder(nullptr, CSIDL_APPDATA);
  folders_.fs = &fs_;
  folders_.show_message = [](unsigned, const std::string& text) {
    MessageBoxW(nullptr, wingui::WideFromAnsi(text).c_str(), wingui::WideFromAnsi(quorel::LoadText(kStrAppTitle)).c_str(),
                MB_OK);
  };

  quorel::SettingsContext c;
  c.program_folder = folders_.program_folder;
  c.second_instance = second_instance();
  c.rand = [] { return quorel::ProcessRandom().Next(); };
  c.hooks.prepare_data_folder = [this](quorel::QuorelSettings& s) { quorel::PrepareUserDataFolder(s, folders_); };
  c.hooks.read_news_file = [this](quorel::QuorelSettings& s) {
    quorel::ReadNewsFile(fs_, quorel::GetDataBaseFolder(s, folders_), s.news_title, s.news_text);
  };
  c.hooks.write_news_file = [this](const quorel::QuorelSettings& s) {
    quorel::WriteNewsFile(fs_, quorel::GetDataBaseFolder(s, folders_), s.news_text);
  };
  c.hooks.load_alarms = hooks_.load_alarms;
  c.hooks.save_alarms = hooks_.save_alarms;
  c.hooks.copy_time_client = hooks_.copy_time_client;
  c.hooks.copy_news_client = hooks_.copy_news_client;
  c.hooks.copy_mail_client = hooks_.copy_mail_client;
  return c;
}

void CQuorelApp::MigrateSettings() { quorel::MigrateSettings(store_, old_store_, MakeContext(), settings()); }

void CQuorelApp::LoadSettings(const std::string& section) {
  quorel::LoadSettings(store_, MakeContext(), section, settings());
}

void CQuorelApp::SaveSettings(const std::string& section) {
  quorel::SaveSettings(store_, MakeContext(), section, settings());
}

std::string CQuorelApp::GetSettingsSection() { return quorel::ActiveSettingsSection(MakeContext(), settings()); }

bool CQuorelApp::ApplySecondInstanceRule() {
  if (!second_instance()) return true;
  if (settings().allow_second_instance == 0) return false;  // ends silently
  if (settings().second_uses_own_settings == 1) LoadSettings("");
  return true;
}

void CQuorelApp::RecoverScheduleFiles() {
  quorel::QuorelSettings& s = settings();
  if (s.files_to_recover.empty()) return;
  quorel::RecoverFiles(fs_, s.files_to_recover);
  s.files_to_recover.clear();
  const std::string section = GetSettingsSection();
  for (int i = 1; i <= quorel::kFilesToRecoverCount; ++i) {
    store_.WriteString(section, quorel::SettingName(quorel::kNameFilesToRecover, i), "");
  }
}

void CQuorelApp::EnumerateMonitors() {
  monitors_.clear();
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors_));
  clock_.SetMonitors(monitors_);
}

void CQuorelApp::BindSchedulePlugin() {
  const std::string& name = settings().schedule_plugin_file;
  if (name.empty()) return;
  // From here on every query and change of the store goes to the plug-in.
  if (plugin_.Load(ProgramFolder(), name, GetDataBaseFolder(), fs_) && schedule_) schedule_->SetSync(plugin_.sync());
}

// The plug-in's automatic synchronisation, while the schedule window is shown.
void CQuorelApp::StartScheduleSync() {
  if (!schedule_wnd_ || !schedule_ || !schedule_->sync()) {
    sync_timer_.Stop();
    return;
  }
  CScheduleSyncTimer::Views views;
  views.windows = [this] {
    return std::vector<HWND>{schedule_wnd_ ? schedule_wnd_->hwnd() : nullptr, calendar_ ? calendar_->hwnd() : nullptr};
  };
  views.busy = [this] { return ScheduleWindowBusy(schedule_wnd_ ? schedule_wnd_->hwnd() : nullptr); };
  sync_timer_.Start(plugin_.object(), views);
}

bool CQuorelApp::CreateMainWindow() {
  clock_.SetSaveSettings([this] { SaveSettings(""); });
  ClockTickHooks tick;
  tick.daily_restart = [this](const quorel::ClockTime& t) { CheckDailyRestart(t); };
  tick.memory_release = [this](const quorel::ClockTime& t) { CheckMemoryRelease(t); };
  SetVbmp3Entries(Vbmp3EntriesFrom(mp3_entries_));
  sounds_ = std::make_unique<CClockSounds>(settings(), PackModules{voice_light_, voice_serious_, chime_pack_},
                                           mp3_library_ != nullptr);
  sounds_->SetShowPopup([this](const std::string& text) { clock_.ShowTimePopup(text); });
  alarms_->SetClock(&clock_, sounds_.get(), voice_light_, voice_serious_, chime_pack_);
  tick.check_alarms = [this](const quorel::ClockTime& t) { return alarms_->Check(t); };
  tick.mouse_over = [this] { alarms_->MouseOver(); };
  tick.applied = [this] {
    ResetMemoryCheck();
    sounds_->Apply();
  };
  tick.greeting = [this] {
    sounds_->SetClockWindow(clock_.hwnd());
    const bool greet = ConsiderGreeting();
    if (greet) sounds_->PlayGreeting(false, clock_.settings_sheet_open());
    return greet;
  };
  tick.check_time_signal = [this](const quorel::ClockTime& t, bool claimed) {
    sounds_->CheckTimeSignal(t, claimed, clock_.settings_sheet_open());
  };
  tick.sound_ended = [this](WPARAM job) { sounds_->OnPlaySoundEnd(job); };
  tick.stop_sound = [this] { sounds_->StopAndWait(); };
  tick.sound_playing = [this] { return sounds_->playing(); };  // the character talks on meanwhile
  tick.destroying = [this](bool session_ending) { sounds_->AtDestroy(session_ending); };
  tick.session_ends = [this] { sounds_->AtEndSession(); };
  tick.play_schedule_sound = [this](int kind, const std::string& file) {
    sounds_->PlayNotice(quorel::ScheduleNoticeClip(kind, file), /*talk=*/true);
  };
  tick.schedule_with_clock = [this](ClockTickHooks::FleeFollow what) {
    if (schedule_wnd_) schedule_wnd_->FollowClockFlee(what);
  };
  tick.calendar_day = [this](const quorel::ClockTime&) {
    if (calendar_) calendar_->CheckDay();
  };
  clock_.SetHooks(tick);
  main_wnd_ = std::make_unique<CMainWnd>(clock_);
  main_wnd_->SetSettingsSheet([this] { return RunSettingsSheet(*this, main_wnd_->hwnd()); });
  if (system_clock_) {
    main_wnd_->SetSystemClock(system_clock_);
    hooks_.copy_time_client = [this](quorel::QuorelSettings& s) {
      quorel::CNTPClient* client = main_wnd_ ? main_wnd_->time_service()->client() : nullptr;
      if (client) quorel::StoreTimeLastValues(client->shared().Last(), s);
    };
    main_wnd_->EnableMailAndNews(
        [this](const std::string& page) { quorel::WriteNewsErrorFile(fs_, GetDataBaseFolder(), page); });
    clock_.net_hooks().write_news_file = [this] { WriteNewsFile(clock_.settings().news_text); };
    clock_.net_hooks().play_mail_sound = [this](int kind) {
      sounds_->PlayNotice(quorel::MailNoticeClip(kind, settings().mail_sound_file), /*talk=*/true);
    };
    clock_.net_hooks().play_news_sound = [this] { sounds_->PlayNotice(quorel::NewsNoticeClip(), /*talk=*/true); };
    hooks_.copy_mail_client = [this](quorel::QuorelSettings& s) {
      quorel::CMailClient* client = main_wnd_ ? main_wnd_->mail_service().client() : nullptr;
      if (client) quorel::StoreMailLastValues(client->shared().Last(), s);
    };
    main_wnd_->weather_service().set_define(weather_define_);
    clock_.net_hooks().weather_runs = [this] { return main_wnd_ && main_wnd_->weather_service().client(); };
    clock_.net_hooks().weather_forecast = [this](int month, int day) -> std::optional<quorel::Forecast> {
      quorel::CWeatherClient* client = main_wnd_ ? main_wnd_->weather_service().client() : nullptr;
      const std::optional<quorel::CWeatherInfoObjects> r = client ? client->Forecast(month, day) : std::nullopt;
      if (!r) return std::nullopt;
      return quorel::ForecastCodes(*r);
    };
    hooks_.copy_news_client = [this](quorel::QuorelSettings& s) {
      quorel::CNewsClient* client = main_wnd_ ? main_wnd_->news_service().client() : nullptr;
      if (client) quorel::StoreNewsLastValues(client->shared().Last(), s);
    };
  }
  main_wnd_->SetOnClose([this] {
    clock_.SetCalendar(nullptr);
    calendar_.reset();
    schedule_wnd_.reset();
    noticer_.reset();
    main_wnd_->weather_service().Stop();
    if (hooks_.shutdown) hooks_.shutdown();
  });
  CMainWnd::SettingsSheetHooks sheet;
  sheet.apply_calendar = [this] { ApplyCalendar(); };
  sheet.apply_schedule = [this] {
    ApplySchedule();
    StartScheduleSync();
  };
  if (system_clock_) {
    sheet.align_clients = [this] { main_wnd_->weather_service().Apply(settings(), clock_.hwnd()); };
  }
  main_wnd_->SetSettingsSheetHooks(sheet);
  main_wnd_->SetCalendarActions([this] { if (calendar_) calendar_->ShowOnContact(); },
                                [this] {
                                  if (calendar_) calendar_->ForceOntoScreen();
                                  if (schedule_wnd_) schedule_wnd_->ForceOntoScreen();
                                });
  if (!main_wnd_->CreateHidden()) return false;
  if (system_clock_) main_wnd_->weather_service().Apply(settings(), clock_.hwnd());
  ApplyCalendar();
  ApplySchedule();
  StartScheduleSync();
  return true;
}

void CQuorelApp::ApplyCalendar() {
  if (settings().calendar_kind == 0) {
    clock_.SetCalendar(nullptr);
    calendar_.reset();
    return;
  }
  if (calendar_) {
    SendMessageW(calendar_->hwnd(), quorel::WM_APPLY_SETTINGS, 0, 0);
    return;
  }
  CalendarWindowEnv env;
  env.fs = &fs_;
  env.user_data_folder = [this] { return GetUserDataFolder(); };
  env.save_settings = [this] { SaveSettings(""); };
  env.settings_sheet_open = [this] { return clock_.settings_sheet_open(); };
  env.schedule = schedule_.get();
  env.edit_schedule = [this](HWND self) { return ScheduleEdits(self); };
  env.show_schedule_date = [this](int year, int month, int day) {
    if (schedule_wnd_) schedule_wnd_->ShowDate(quorel::ScheduleDate{year, month, day});
  };
  env.forecast = [this](int year, int month, int day, std::string& text) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    quorel::ClockTime today;
    today.year = now.wYear, today.month = now.wMonth, today.day = now.wDay;
    return main_wnd_ && main_wnd_->weather_service().ShortText(year, month, day, today, text);
  };
  calendar_ = std::make_unique<CCalenderWin>(clock_, env);
  if (!calendar_->CreateCalendar(main_wnd_->hwnd())) {
    calendar_.reset();
    return;
  }
  clock_.SetCalendar(calendar_.get());
}

void CQuorelApp::CreateScheduleStore() {
  const quorel::QuorelSettings& s = settings();
  quorel::ScheduleEnvironment env;
  env.fs = &fs_;
  env.clock = &schedule_time_;
  env.folder = GetUserDataFolder();
  env.backup_generations = s.schedule_backup_generations;
  env.notice_flags = static_cast<std::int16_t>(s.schedule_default_notice_flags);
  env.notice_lead = static_cast<std::int16_t>(s.schedule_default_advance_minutes);
  env.notice_sound_kind = s.schedule_default_sound_kind;
  env.notice_sound_file = s.schedule_default_sound_file;
  env.show_message = [](unsigned, const std::string& text) {
    MessageBoxW(nullptr, wingui::WideFromAnsi(text).c_str(), wingui::WideFromAnsi(quorel::LoadText(kStrAppTitle)).c_str(),
                MB_OK | MB_ICONEXCLAMATION);
  };
  schedule_ = std::make_unique<quorel::CScheduleInfo>(env);
}

// The other views re-read the schedule; the one that made the change has done so.
void CQuorelApp::ScheduleChangedBy(HWND self) {
  for (HWND view : {clock_.hwnd(), calendar_ ? calendar_->hwnd() : nullptr,
                    schedule_wnd_ ? schedule_wnd_->hwnd() : nullptr}) {
    if (view && view != self) PostMessageW(view, quorel::WM_SCHEDULE_CHANGED, 0, 0);
  }
}

ScheduleEditor CQuorelApp::ScheduleEdits(HWND self) {
  ScheduleEditor editor;
  editor.store = schedule_.get();
  editor.run_regist = [this](HWND owner, quorel::_SCHE_MEM_ITEM& item, bool) {
    return RunScheduleRegist(owner, item, *schedule_);
  };
  editor.changed = [this, self] { ScheduleChangedBy(self); };
  return editor;
}

void CQuorelApp::ApplySchedule() {
  if (!settings().schedule_enabled || !schedule_) {
    schedule_wnd_.reset();
    noticer_.reset();  // no notices without the schedule
    return;
  }
  if (schedule_wnd_) {
    SendMessageW(schedule_wnd_->hwnd(), quorel::WM_APPLY_SETTINGS, 0, 0);
    return;
  }
  ScheduleWindowEnv env;
  env.schedule = schedule_.get();
  env.save_settings = [this] { SaveSettings(""); };
  env.settings_sheet_open = [this] { return clock_.settings_sheet_open(); };
  env.schedule_changed = [this] { ScheduleChangedBy(schedule_wnd_ ? schedule_wnd_->hwnd() : nullptr); };
  env.register_entry = [this](HWND owner, const quorel::ScheduleDate& date, const quorel::_SCHE_MEM_ITEM* entry) {
    ScheduleEditor editor = ScheduleEdits(owner);
    editor.changed = nullptr;  // the window tells the others itself
    if (entry) return editor.Change(owner, *entry);
    const quorel::ClockTime now = clock_.MainTime();
    int start = 8, end = 9;
    quorel::DefaultEntryHours(quorel::DateOf(now) == date, now.hour, start, end);
    return editor.Register(owner, date, start, end);
  };
  env.plugin_active = [this] { return schedule_ && schedule_->sync() != nullptr; };
  env.pick_date = [this](HWND owner, quorel::ScheduleDate& date) {
    return RunDatePicker(owner, date, settings(), [this] { SaveSettings(""); });
  };
  // The notices: their queue after each change, their check every second.
  if (!noticer_) {
    CScheduleNoticer::Environment notices;
    notices.settings = &settings();
    notices.save_settings = [this] { SaveSettings(""); };
    notices.clock = clock_.hwnd();
    notices.clock_playing = [this] { return sounds_ && sounds_->playing(); };
    noticer_ = std::make_unique<CScheduleNoticer>(notices);
  }
  env.build_notice_queue = [this] { noticer_->Rebuild(*schedule_, clock_.MainTime()); };
  env.check_notices = [this] { noticer_->Check(clock_.MainTime()); };
  schedule_wnd_ = std::make_unique<CScheduleWnd>(clock_, env);
  if (!schedule_wnd_->CreateScheduleWindow(main_wnd_->hwnd())) schedule_wnd_.reset();
}

std::string CQuorelApp::ProgramFolder() const {
  return program_folder_override_.empty() ? GetProgramFolder() : program_folder_override_;
}

std::string CQuorelApp::ScrambleCredential(const std::string& plain) {
  return quorel::ScrambleCredential(plain, [] { return quorel::ProcessRandom().Next(); });
}

std::string CQuorelApp::UnscrambleCredential(const std::string& scrambled) {
  return quorel::UnscrambleCredential(scrambled);
}

std::string CQuorelApp::GetProgramFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  path.resize(path.find_last_of(L'\\') + 1);
  return wingui::AnsiFromWide(path);
}

std::string CQuorelApp::GetExeFileName() {
  wchar_t path[MAX_PATH * 2] = L"";
  GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
  std::wstring name(path);
  name = name.substr(name.find_last_of(L'\\') + 1);
  const std::size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos) name.resize(dot);
  return wingui::AnsiFromWide(name) + ".exe";
}

std::string CQuorelApp::GetDataBaseFolder() {
  MakeContext();
  return quorel::GetDataBaseFolder(settings(), folders_);
}

std::string CQuorelApp::GetUserDataFolder() {
  MakeContext();
  return quorel::GetUserDataFolder(settings(), folders_);
}

int CQuorelApp::ReadNewsFile(std::string& title, std::string& text) {
  return quorel::ReadNewsFile(fs_, GetDataBaseFolder(), title, text);
}

int CQuorelApp::WriteNewsFile(const std::string& text) { return quorel::WriteNewsFile(fs_, GetDataBaseFolder(), text); }

void CQuorelApp::RestartProgram() {
  if (clock_.hwnd() && main_wnd_ && main_wnd_->hwnd()) PostMessageW(main_wnd_->hwnd(), WM_CLOSE, 0, 0);
  SaveSettings("");
  CCommonUtilWin::StartProcess(ProgramFolder() + GetExeFileName(), "-r");
}

void CQuorelApp::ReleaseMemory() {
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

std::uint64_t CQuorelApp::GetWorkingSetSize() {
  constexpr std::size_t kPages = 256u * 1024 * 1024 / 4096;  // the largest limit that can be set
  std::vector<ULONG_PTR> buffer(kPages + 1);
  auto* info = reinterpret_cast<PSAPI_WORKING_SET_INFORMATION*>(buffer.data());
  const bool listed =
      QueryWorkingSet(GetCurrentProcess(), info, static_cast<DWORD>(buffer.size() * sizeof(ULONG_PTR))) != 0;
  // Larger than the buffer: the count is still reported, and is above any limit.
  if ((listed || GetLastError() == ERROR_BAD_LENGTH) && info->NumberOfEntries > 0) {
    return static_cast<std::uint64_t>(info->NumberOfEntries) * 4096;
  }
  // Where the page list is not available, the process counters give the same size.
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof(counters);
  if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) return counters.WorkingSetSize;
  return 0;
}

void CQuorelApp::CheckDailyRestart(const quorel::ClockTime& now) {
  quorel::QuorelSettings& s = settings();
  std::string stamp;
  if (!quorel::DailyRestartDue(s, now.year, now.month, now.day, now.hour, now.minute, &stamp)) return;
  s.last_auto_restart = stamp;  // once per configured minute, even if the start fails
  clock_.SaveWindowPositions();
  SaveSettings("");
  std::wstring command =
      wingui::WideFromAnsi(quorel::RestartCommandLine(ProgramFolder(), GetExeFileName().substr(0, GetExeFileName().size() - 4)));
  STARTUPINFOW si = {};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi = {};
  if (CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | CREATE_DEFAULT_ERROR_MODE,
                     nullptr, nullptr, &si, &pi)) {
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (clock_.hwnd()) PostMessageW(clock_.hwnd(), WM_CLOSE, 0, 0);
  }
}

void CQuorelApp::CheckMemoryRelease(const quorel::ClockTime& now) {
  const quorel::QuorelSettings& s = settings();
  if (!memory_check_.Due(s, now.hour)) return;
  if (quorel::MemoryReleaseCheck::ShouldRelease(s, GetWorkingSetSize())) ReleaseMemory();
}

RECT CQuorelApp::GetWindowMonitorRect(HWND window) const {
  return CCommonUtilWin::GetWindowMonitorRect(window, monitors_.size());
}

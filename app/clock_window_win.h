// The clock window: the small borderless window with the character and the
// face. Its timers drive the picture and the checks that happen by time; it
// places itself, flees from the cursor, fades and comes back, and can be dragged.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/layered_fade_win.h"
#include "app/clock_character_win.h"
#include "app/clock_geometry.h"
#include "app/popup_window_win.h"
#include "app/settings.h"
#include "base/geometry.h"
#include "render/compositor.h"
#include "render/draw_background.h"
#include "render/image_load_win.h"
#include "app/main_time.h"
#include "render/sprite_sheet.h"
#include "render/weather_icon.h"
#include "alarm/alarm_info.h"
#include "wingui/window_win.h"

// What happens by time beyond the window itself. Each hook is optional; they
// run in the main tick in the order of the members.
struct ClockTickHooks {
  std::function<void()> applied;    // the settings were applied (the memory check starts afresh)
  std::function<bool()> greeting;   // at creation: true when the start greeting is to be played
  std::function<void(const quorel::ClockTime&)> daily_restart;
  std::function<void(const quorel::ClockTime&)> memory_release;
  std::function<bool(const quorel::ClockTime&)> check_alarms;       // true: the minute is claimed
  std::function<void(const quorel::ClockTime&, bool minute_claimed)> check_time_signal;
  std::function<void()> hourly_character;
  std::function<bool(const quorel::ClockTime&)> advance_background;  // true: the scene changed
  std::function<void(const quorel::ClockTime&)> idle_motions;
  std::function<void(const quorel::ClockTime&)> calendar_day;
  // The clock window's sound job (each optional).
  std::function<void(WPARAM job)> sound_ended;           // WM_PLAYSOUND_END
  std::function<void()> stop_sound;                      // a right click silences a playing sound, and waits
  std::function<void(bool session_ending)> destroying;   // the farewell at exit
  std::function<void()> session_ends;                    // WM_ENDSESSION: the farewell when Windows ends
  std::function<void()> mouse_over;                      // the mouse moved over the clock (stops a repeating alarm)
  std::function<bool()> sound_playing;  // a sound job of the clock plays: the character goes on talking
  // The schedule window vanishes, fades and comes back with a fleeing clock.
  enum FleeFollow { kFleeHide, kFleeFade, kFleeBack };
  std::function<void(FleeFollow)> schedule_with_clock;
  std::function<void(int kind, const std::string& file)> play_schedule_sound;  // WM_SCHEDULE_SOUND's request
};

// What the clock shows of the mail and news clients. Each hook is optional.
struct ClockNetHooks {
  std::function<void(quorel::QuorelSettings&)> copy_mail_client;  // the mail client's last values
  std::function<void(int kind)> play_mail_sound;  // kinds 1-4 when no sound plays and its pack or file is there
  std::function<bool(quorel::QuorelSettings&)> copy_news_client;  // false when no news client exists
  std::function<void()> write_news_file;          // the settings' news text to news.txt
  std::function<void()> play_news_sound;          // the voice pack's "ALARM" when no sound plays
  std::function<bool()> weather_runs;             // a weather service runs
  quorel::ForecastLookup weather_forecast;        // its forecast of a month and day
};

// The calendar window as the clock sees it (an attached calendar follows,
// vanishes and fades with the clock and counts as part of it).
class ClockCalendarLink {
 public:
  virtual ~ClockCalendarLink() = default;
  virtual void FollowClock(const quorel::Rect& clock) = 0;
  virtual void ShowWithClock(bool show) = 0;
  virtual void FadeWithClock(bool transparent) = 0;
  virtual void ExtendUnitRect(quorel::Rect& r) const = 0;
  virtual void ShowOnContact() = 0;
  // The calendar window's screen rectangle, shown or hidden; empty without a window.
  virtual quorel::Rect ScreenRect() const = 0;
};

class CQuorelWin : public wingui::Window {
 public:
  static constexpr const wchar_t* kClassName = L"QuorelClockWnd";
  enum Timer : UINT_PTR {
    kTimerAnimation = 1,
    kTimerMainTick = 2,
    kTimerTopmost = 3,
    kTimerReturn = 4,
    kTimerFade = 5,
    kTimerBlink = 6,
    kTimerPopup = 21,
    kTimerHypersensitive = 22,
  };
  // Every timer of the clock; Apply restarts those it owns, the destruction ends them all.
  struct TimerUse {
    Timer id;
    bool restarted_by_apply;
  };
  static constexpr TimerUse kTimers[] = {
      {kTimerAnimation, false}, {kTimerMainTick, true}, {kTimerTopmost, true}, {kTimerReturn, true},
      {kTimerFade, true},       {kTimerBlink, true},    {kTimerPopup, true},   {kTimerHypersensitive, true},
  };

  CQuorelWin();
  ~CQuorelWin() override;

  // The settings record lives with the clock window.
  quorel::QuorelSettings& settings() { return settings_; }
  // So does the alarm list, in the order of creation.
  quorel::AlarmList& alarms() { return alarms_; }

  // Creates the window as a child of the main window, places it and applies the settings.
  bool CreateClock(HWND main_window);

  // The face (PNG 311) and icon (PNG 310) sheets; without this call the window
  // loads them from the program's resources when it is created.
  void SetSheets(quorel::SpriteSheet face, quorel::SpriteSheet icons) {
    face_sheet_ = std::move(face), icon_sheet_ = std::move(icons);
  }
  // The scene sheet (PNG 309), likewise.
  void SetSceneSheet(quorel::SpriteSheet scenes) { scene_sheet_ = std::move(scenes); }
  void SetMonitors(std::vector<quorel::Rect> monitors) { monitors_ = std::move(monitors); }
  void SetHooks(ClockTickHooks hooks) { hooks_ = std::move(hooks); }
  ClockNetHooks& net_hooks() { return net_hooks_; }
  void SetCalendar(ClockCalendarLink* calendar) { calendar_ = calendar; }
  // The clock's own reaction to the cursor, also for movements an attached calendar hands on.
  void ReactToCursor();
  // Saves the settings record (the application's store, active section).
  void SetSaveSettings(std::function<void()> save) { save_settings_ = std::move(save); }
  // The clock reads the time through this source (the system's by default).
  void SetTimeSource(quorel::TimeSource* source) { time_source_ = source; }

  void Apply();
  // Moves the clock to the place its placement settings give, now, and keeps it there.
  void PlaceNow();
  void ShowTimePopup(const std::string& text);
  // A popup text of its own (the mail count), without the character's talk.
  void ShowPopupText(const std::string& text);
  void SaveWindowPositions();
  void SaveSettingsNow() {
    if (save_settings_) save_settings_();
  }
  void ForceOntoScreen();
  bool IsCursorNear() const;
  // The monitor that shows the clock (the desktop with one monitor).
  quorel::Rect MonitorOfWindow() const;

  // Flags other windows set while they are busy.
  void SetSettingsSheetOpen(bool open) {
    settings_open_ = open;
    if (open && character_) character_->SetForcedMotion(0);  // the debug dialog's choice ends
  }
  bool settings_sheet_open() const { return settings_open_; }
  void SetMenuOpen(bool open) { menu_open_ = open; }
  void SetOtherDialogOpen(bool open) { other_dialog_open_ = open; }

  quorel::ClockTime MainTime();
  const quorel::Surface& last_frame() const { return frame_; }
  bool faded() const { return faded_; }
  int current_alpha() const { return fade_.current(); }
  bool popup_visible() const { return popup_visible_; }
  CPopupWindow& popup() { return popup_; }
  CClockCharacter* character() { return character_.get(); }
  quorel::CDrawBackground* background() { return background_.get(); }

 protected:
  bool OnCreate(const CREATESTRUCTW& cs) override;
  void OnPaint(HDC dc, const PAINTSTRUCT& ps) override;
  void OnTimer(UINT_PTR id) override;
  void OnMouseMove(POINT pt, UINT keys) override;
  void OnLButtonDown(POINT pt, UINT keys) override;
  void OnLButtonUp(POINT pt, UINT keys) override;
  void OnLButtonDblClk(POINT pt, UINT keys) override;
  void OnRButtonDown(POINT pt, UINT keys) override;
  void OnClose() override;
  void OnDestroy() override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

 private:
  // The steps of Apply, in its order.
  void ResetTransientState();
  quorel::Point ApplyPlacement(UINT& flags);
  void ApplyTimers();
  void ApplyLayering();
  void ApplyPopupColours();
  void ApplyBlinking();
  void ApplyCharacter();
  void StartAnimation();
  void AnimationTick();
  void KillTimers(bool only_those_of_apply);
  void StartReturnTimerIfAway();
  void MainTick();
  bool UpdateBackground(const quorel::ClockTime& now);
  void Flee();
  void ReturnTick();
  void FadeTick();
  void BlinkTick();
  void TopmostTick();
  void StartFade(int from, int to);
  void Unfade();
  void RepaintIfNeeded(bool forced);
  void RenderFrame();
  void OnMailResult();
  void OnNewsUpdated();
  quorel::Rect WindowRect() const;
  quorel::FleeInput FleeSettings() const;

  quorel::GdiplusSession gdiplus_;  // first member: GDI+ lives as long as the window object
  quorel::QuorelSettings settings_;
  quorel::AlarmList alarms_;
  HWND main_window_ = nullptr;
  CPopupWindow popup_;
  std::vector<quorel::Rect> monitors_;
  quorel::Rect taskbar_;
  quorel::Rect work_area_;
  ClockTickHooks hooks_;
  ClockNetHooks net_hooks_;
  ClockCalendarLink* calendar_ = nullptr;
  std::function<void()> save_settings_;
  quorel::TimeSource* time_source_ = nullptr;
  std::unique_ptr<quorel::TimeSource> system_time_;

  quorel::SpriteSheet face_sheet_, icon_sheet_, scene_sheet_;
  std::unique_ptr<quorel::CDrawClock> face_;
  std::unique_ptr<quorel::CDrawBackground> background_;
  std::unique_ptr<quorel::CDrawInformations> informations_;
  std::unique_ptr<CClockCharacter> character_;
  quorel::Surface frame_;  // the window's picture, as last composed

  bool placing_ = false;
  bool faded_ = false;
  LayeredFade fade_;
  bool button_down_ = false, captured_ = false;
  POINT click_point_ = {};
  bool popup_visible_ = false;
  bool news_blink_phase_ = false, mail_blink_phase_ = false;
  bool settings_open_ = false, menu_open_ = false, other_dialog_open_ = false;
  bool session_ending_ = false;
  bool painted_once_ = false;
  quorel::ClockTime last_painted_;
};

#include "app/clock_window_win.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/background_inputs.h"
#include "app/clock_geometry.h"
#include "app/clock_timing.h"
#include "app/common_util_win.h"
#include "app/messages.h"
#include "app/popup_layout.h"
#include "app/resource_ids.h"
#include "app/scene_inputs.h"
#include "app/setting_meanings.h"
#include "app/system_time_source_win.h"
#include "base/string_table.h"
#include "net/mail_rules.h"
#include "net/mail_texts.h"
#include "schedule/schedule_notice_win.h"
#include "wingui/text_win.h"

namespace {

quorel::Rect FromRECT(const RECT& r) { return quorel::Rect{r.left, r.top, r.right, r.bottom}; }

quorel::Rect TaskbarRect() {
  HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
  RECT r = {};
  if (!tray || !GetWindowRect(tray, &r)) return quorel::Rect{};
  return FromRECT(r);
}

quorel::Rect DesktopRect() {
  RECT r;
  GetWindowRect(GetDesktopWindow(), &r);
  return FromRECT(r);
}

void SetLayered(HWND hwnd, bool on, DWORD extra = 0) {
  LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
  LONG_PTR wanted = on ? (ex | WS_EX_LAYERED | extra) : (ex & ~(WS_EX_LAYERED | extra));
  if (wanted != ex) SetWindowLongPtrW(hwnd, GWL_EXSTYLE, wanted);
}

}  // namespace

CQuorelWin::CQuorelWin() : system_time_(std::make_unique<SystemTimeSource>()) { time_source_ = system_time_.get(); }

CQuorelWin::~CQuorelWin() = default;

bool CQuorelWin::CreateClock(HWND main_window) {
  main_window_ = main_window;
  static const std::wstring title = wingui::WideFromAnsi(quorel::LoadText(kStrAppTitle));
  HINSTANCE inst = GetModuleHandleW(nullptr);
  wingui::WindowSpec spec;
  spec.class_name = kClassName;
  spec.title = title.c_str();
  spec.style = WS_POPUP;
  spec.ex_style = settings_.topmost ? WS_EX_TOPMOST : 0;
  spec.class_style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  spec.cursor = LoadCursorW(inst, MAKEINTRESOURCEW(kCursorClock));
  spec.icon = LoadIconW(inst, MAKEINTRESOURCEW(kIconApp));
  spec.x = settings_.clock_left;
  spec.y = settings_.clock_top;
  spec.width = settings_.clock_right - settings_.clock_left;
  spec.height = settings_.clock_bottom - settings_.clock_top;
  spec.parent = main_window;
  return Create(spec);
}

bool CQuorelWin::OnCreate(const CREATESTRUCTW&) {
  HMODULE module = GetModuleHandleW(nullptr);
  if (!face_sheet_.IsLoaded()) face_sheet_ = quorel::LoadSheetFromResource(module, kPngClockFace);
  if (!icon_sheet_.IsLoaded()) icon_sheet_ = quorel::LoadSheetFromResource(module, kPngInformations);
  if (!scene_sheet_.IsLoaded()) scene_sheet_ = quorel::LoadSheetFromResource(module, kPngScenes);
  face_ = std::make_unique<quorel::CDrawClock>(std::move(face_sheet_));
  background_ = std::make_unique<quorel::CDrawBackground>(std::move(scene_sheet_), nullptr);
  informations_ = std::make_unique<quorel::CDrawInformations>(std::move(icon_sheet_));
  character_ = std::make_unique<CClockCharacter>(module);
  if (settings_.startup_placement != quorel::kPlaceAsLastTime) settings_.fled = 0;
  placing_ = true;
  popup_.CreatePopup(hwnd());
  Apply();
  // The greeting itself is played by the sound jobs; the decision is taken here, once per process.
  if (hooks_.greeting) hooks_.greeting();
  placing_ = false;
  return true;
}

quorel::ClockTime CQuorelWin::MainTime() { return quorel::GetMainTime(*time_source_, MainZone(settings_)); }

quorel::Rect CQuorelWin::WindowRect() const {
  RECT r;
  GetWindowRect(hwnd(), &r);
  return FromRECT(r);
}

quorel::Rect CQuorelWin::MonitorOfWindow() const {
  return FromRECT(CCommonUtilWin::GetWindowMonitorRect(hwnd(), monitors_.size()));
}

void CQuorelWin::Apply() {
  ResetTransientState();
  UINT flags = SWP_NOACTIVATE | (settings_.hide_clock ? SWP_HIDEWINDOW : SWP_SHOWWINDOW);
  const quorel::Point pos = ApplyPlacement(flags);
  const quorel::Size size = quorel::ClockWindowSize(settings_.magnification);
  ApplyTimers();
  SetWindowPos(hwnd(), settings_.topmost ? HWND_TOPMOST : HWND_NOTOPMOST, pos.x, pos.y, size.width, size.height,
               flags);
  ApplyLayering();
  ApplyPopupColours();
  ApplyBlinking();
  ApplyCharacter();
  quorel::ApplyBackgroundSettings(*background_, settings_, MainTime());
  RepaintIfNeeded(true);
  if (settings_.flee_kind != quorel::kFleeNone && settings_.sensitivity == quorel::kSensitivityHyper) {
    SetTimer(hwnd(), kTimerHypersensitive, 200, nullptr);
  }
}

void CQuorelWin::PlaceNow() {
  placing_ = true;
  UINT flags = SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOZORDER;
  const quorel::Point pos = ApplyPlacement(flags);
  placing_ = false;
  settings_.fled = 0;
  KillTimer(hwnd(), kTimerReturn);
  SetWindowPos(hwnd(), nullptr, pos.x, pos.y, 0, 0, flags);
  SaveWindowPositions();
}

void CQuorelWin::KillTimers(bool only_those_of_apply) {
  for (const TimerUse& t : kTimers) {
    if (t.restarted_by_apply || !only_those_of_apply) KillTimer(hwnd(), t.id);
  }
}

void CQuorelWin::ResetTransientState() {
  if (monitors_.empty()) monitors_.push_back(DesktopRect());
  KillTimers(/*only_those_of_apply=*/true);
  popup_.Hide();
  popup_visible_ = false;
  button_down_ = captured_ = false;
  faded_ = false;
  if (hooks_.applied) hooks_.applied();
  if (calendar_) calendar_->FollowClock(WindowRect());
  news_blink_phase_ = mail_blink_phase_ = false;
}

// The monitor and work area, and where the window goes: its start-up place
// while it is being placed, else where it is (SWP_NOMOVE joins `flags`).
quorel::Point CQuorelWin::ApplyPlacement(UINT& flags) {
  const quorel::QuorelSettings& s = settings_;
  const int count = static_cast<int>(monitors_.size());
  const int index = (s.monitor_number >= 1 && s.monitor_number <= count) ? s.monitor_number - 1 : 0;
  const quorel::Rect monitor = monitors_[index];
  taskbar_ = TaskbarRect();
  work_area_ = quorel::WorkArea(monitor, taskbar_);
  if (!placing_) {
    flags |= SWP_NOMOVE;
    return quorel::Point{s.clock_left, s.clock_top};
  }
  const quorel::Size size = quorel::ClockWindowSize(s.magnification);
  quorel::PlacementInput in;
  in.placement = s.startup_placement;
  in.margin_x = s.margin_horizontal;
  in.margin_y = s.margin_vertical;
  in.calendar = quorel::AttachedCalendarOffsets(s.calendar_kind, s.calendar_placement);
  const quorel::Rect saved{s.clock_left, s.clock_top, s.clock_left + size.width, s.clock_top + size.height};
  quorel::Point pos = quorel::StartupPosition(in, work_area_, size, saved);
  if (s.startup_placement != quorel::kPlaceAsLastTime) return pos;
  if (count > 1) {
    // The saved place on a monitor that is gone: the first monitor's corner.
    if (!MonitorFromRect(reinterpret_cast<const RECT*>(&saved), MONITOR_DEFAULTTONULL)) {
      pos = quorel::Point{monitors_[0].left, monitors_[0].top};
    }
  } else {
    const quorel::Rect kept = quorel::KeepInsideMonitor(saved, monitor);
    pos = quorel::Point{kept.left, kept.top};
  }
  return pos;
}

void CQuorelWin::ApplyTimers() {
  const quorel::QuorelSettings& s = settings_;
  const quorel::ClockTickPeriods periods =
      quorel::TickPeriods(s.blink_animation, s.background_animation, s.magnification, s.high_quality_zoom);
  SetTimer(hwnd(), kTimerMainTick, periods.main_tick_ms, nullptr);
  if (s.topmost && s.retopmost_periodically) SetTimer(hwnd(), kTimerTopmost, 1500, nullptr);
  StartReturnTimerIfAway();
}

void CQuorelWin::StartReturnTimerIfAway() {
  const quorel::QuorelSettings& s = settings_;
  if (quorel::FleeStepsAway(s.flee_kind) && s.return_home && s.fled) {
    SetTimer(hwnd(), kTimerReturn, s.return_delay_seconds * 1000, nullptr);
  }
}

void CQuorelWin::ApplyLayering() {
  const quorel::QuorelSettings& s = settings_;
  if (s.translucent) {
    SetLayered(hwnd(), true);
    SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(s.alpha), LWA_ALPHA);
  } else {
    SetLayered(hwnd(), false);
  }
  fade_.Set(s.translucent ? s.alpha : 255);
}

void CQuorelWin::ApplyPopupColours() {
  if (settings_.high_contrast) {
    popup_.SetBackgroundColour(RGB(0, 0, 0)), popup_.SetFrameColour(RGB(255, 255, 255));
    popup_.SetTextColour(RGB(255, 255, 255)), popup_.SetShadowColour(RGB(0, 0, 0));
  } else {
    popup_.SetBackgroundColour(RGB(224, 255, 224)), popup_.SetFrameColour(RGB(0, 255, 0));
    popup_.SetTextColour(RGB(0, 0, 0)), popup_.SetShadowColour(RGB(224, 224, 224));
  }
}

// The news and mail icons blink on a timer, or stand lit when blinking is off.
void CQuorelWin::ApplyBlinking() {
  const quorel::QuorelSettings& s = settings_;
  bool blink = false;
  if (s.news_updated) {
    news_blink_phase_ = s.news_no_blink != 0;
    blink |= !s.news_no_blink;
  }
  if (s.mail_arrived) {
    mail_blink_phase_ = s.mail_no_blink != 0;
    blink |= !s.mail_no_blink;
  }
  if (blink) SetTimer(hwnd(), kTimerBlink, 500, nullptr);
}

// The character is chosen anew (the user's files loaded again) and stands still.
void CQuorelWin::ApplyCharacter() {
  KillTimer(hwnd(), kTimerAnimation);
  if (character_) character_->Apply(settings_, MainTime());
}

void CQuorelWin::StartAnimation() {
  const quorel::ClockTickPeriods periods = quorel::TickPeriods(
      settings_.blink_animation, settings_.background_animation, settings_.magnification, settings_.high_quality_zoom);
  SetTimer(hwnd(), kTimerAnimation, periods.animation_ms, nullptr);
}

// A motion's tick: repaint on a change, and stop the timer once the character stands still.
void CQuorelWin::AnimationTick() {
  const bool announcing = popup_visible_ || (hooks_.sound_playing && hooks_.sound_playing());
  const quorel::AnimationTick tick = character_ ? character_->AnimationTick(announcing) : quorel::AnimationTick{};
  if (tick.repaint) RepaintIfNeeded(true);
  if (!tick.keep_timer) KillTimer(hwnd(), kTimerAnimation);
}

void CQuorelWin::RenderFrame() {
  quorel::ClockTime now = MainTime();
  quorel::ClockTime second = quorel::GetSubTime(*time_source_, SubZone(settings_));
  const bool user_character = character_ && character_->IsUserCharacter();
  face_->SetInputs(ClockFaceInputsFrom(settings_, now, second, /*bare_face=*/user_character, /*emblem_closed=*/false));
  quorel::InformationInputs info = InformationInputsFrom(settings_, mail_blink_phase_, news_blink_phase_);
  quorel::UpdateWeatherInputs(info, settings_.weather_fetch != 0, net_hooks_.weather_runs && net_hooks_.weather_runs(),
                              settings_.weather_corner_kind, settings_.weather_switch_hour, now, net_hooks_.weather_forecast);
  informations_->SetInputs(info);
  quorel::SceneParts parts;
  parts.background = background_.get();
  parts.clock = face_.get();
  parts.informations = informations_.get();
  if (character_) parts.character = &character_->drawable();
  frame_ = quorel::Compose(parts, ComposeInputsFrom(settings_, now));
  last_painted_ = now;
  painted_once_ = true;
}

void CQuorelWin::RepaintIfNeeded(bool forced) {
  quorel::ClockTime now = MainTime();
  bool changed = !painted_once_ || now.day != last_painted_.day || now.hour != last_painted_.hour ||
                 now.minute != last_painted_.minute || now.second != last_painted_.second;
  if (!forced && !changed) return;
  RenderFrame();
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CQuorelWin::OnPaint(HDC dc, const PAINTSTRUCT&) {
  if (frame_.IsEmpty()) RenderFrame();
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = frame_.Width();
  bi.bmiHeader.biHeight = -frame_.Height();  // top-down, as the surface is laid out
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, 0, 0, frame_.Width(), frame_.Height(), 0, 0, 0, frame_.Height(), frame_.Data(), &bi,
                    DIB_RGB_COLORS);
}

void CQuorelWin::OnTimer(UINT_PTR id) {
  switch (id) {
    case kTimerAnimation: AnimationTick(); break;
    case kTimerMainTick: MainTick(); break;
    case kTimerTopmost: TopmostTick(); break;
    case kTimerReturn: ReturnTick(); break;
    case kTimerFade: FadeTick(); break;
    case kTimerBlink: BlinkTick(); break;
    case kTimerPopup:
      KillTimer(hwnd(), kTimerPopup);
      popup_visible_ = false;
      popup_.Hide();
      break;
    case kTimerHypersensitive:
      if (!faded_ && !CCommonUtilWin::IsShiftDown() && IsCursorNear()) {
        POINT p;
        GetCursorPos(&p);
        if (!WindowRect().Contains(quorel::Point{p.x, p.y})) Flee();
      }
      break;
    default: break;
  }
}

void CQuorelWin::MainTick() {
  const quorel::ClockTime now = MainTime();
  if (hooks_.daily_restart) hooks_.daily_restart(now);
  if (hooks_.memory_release) hooks_.memory_release(now);
  if (faded_ && !IsCursorNear()) Unfade();
  bool claimed = hooks_.check_alarms ? hooks_.check_alarms(now) : false;
  if (hooks_.check_time_signal) hooks_.check_time_signal(now, claimed);
  if (hooks_.hourly_character) hooks_.hourly_character();
  const bool character_changed = character_ && character_->HourlyChange(settings_, now, settings_open_);
  bool scene_changed = UpdateBackground(now);
  if (hooks_.advance_background) scene_changed |= hooks_.advance_background(now);
  scene_changed |= character_changed;
  RepaintIfNeeded(scene_changed);
  if (hooks_.idle_motions) hooks_.idle_motions(now);
  if (character_ && character_->IdleTick(settings_, now)) StartAnimation();
  if (hooks_.calendar_day) hooks_.calendar_day(now);
}

// The scene of this minute and forecast, then one tick of its animation.
bool CQuorelWin::UpdateBackground(const quorel::ClockTime& now) {
  bool changed = background_->UpdateMoment(now.month, now.day, now.hour, now.minute);
  // Today's forecast, while the weather service runs and the scene is to follow it.
  if (settings_.weather_fetch && settings_.weather_background && net_hooks_.weather_runs &&
      net_hooks_.weather_runs() && net_hooks_.weather_forecast) {
    if (const std::optional<quorel::Forecast> f = net_hooks_.weather_forecast(now.month, now.day)) {
      changed |= background_->UpdateWeather(quorel::SceneWeather{f->primary, f->secondary, f->connector});
    }
  }
  changed |= background_->Advance();
  return changed;
}

bool CQuorelWin::IsCursorNear() const {
  POINT p;
  if (!GetCursorPos(&p)) return false;
  const quorel::QuorelSettings& s = settings_;
  const quorel::Point cursor{p.x, p.y};
  if (quorel::IsCursorNearRect(cursor, WindowRect(), s.sensitivity, s.hypersensitive_range)) return true;
  // A clock that vanishes or turns transparent stays so while the cursor is over its calendar
  // when the calendar is set to react with the clock.
  const bool fades = s.flee_kind == quorel::kFleeVanish || s.flee_kind == quorel::kFleeTransparent;
  if (fades && calendar_ && s.calendar_kind != 0 && s.calendar_cursor_reaction == 1) {
    const quorel::Rect cal = calendar_->ScreenRect();
    if (cal.Width() > 0 && quorel::IsCursorNearRect(cursor, cal, s.sensitivity, s.hypersensitive_range)) return true;
  }
  return false;
}

quorel::FleeInput CQuorelWin::FleeSettings() const {
  quorel::FleeInput in;
  in.kind = settings_.flee_kind;
  in.initial_up = settings_.flee_up_left_first != 0;
  in.moved_away = settings_.fled != 0;
  in.amount = settings_.flee_distance;
  return in;
}

void CQuorelWin::Flee() {
  quorel::QuorelSettings& s = settings_;
  const quorel::Rect window = WindowRect();
  quorel::Rect unit = window;
  if (calendar_) calendar_->ExtendUnitRect(unit);
  quorel::Rect area = MonitorOfWindow();
  if (s.avoid_taskbar) area = quorel::SubtractRect(area, taskbar_);
  switch (s.flee_kind) {
    case quorel::kFleeVanish:
      if (!faded_) {
        SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (calendar_) calendar_->ShowWithClock(false);
        if (hooks_.schedule_with_clock) hooks_.schedule_with_clock(ClockTickHooks::kFleeHide);
        faded_ = true;
      }
      return;
    case quorel::kFleeTransparent:
      if (!faded_) {
        SetLayered(hwnd(), true, WS_EX_TRANSPARENT);
        if (s.fade_while_fleeing) {
          StartFade(s.translucent ? s.alpha : 255, quorel::kFadedAlpha);
        } else {
          KillTimer(hwnd(), kTimerFade);
          fade_.Set(quorel::kFadedAlpha);
          SetLayeredWindowAttributes(hwnd(), 0, quorel::kFadedAlpha, LWA_ALPHA);
        }
        if (calendar_) calendar_->FadeWithClock(true);
        if (hooks_.schedule_with_clock) hooks_.schedule_with_clock(ClockTickHooks::kFleeFade);
        faded_ = true;
      }
      return;
    default: break;
  }
  quorel::FleeStep step = quorel::Flee(FleeSettings(), window, unit, area);
  if (!step.moves) return;
  s.fled = step.moved_away;
  MoveWindow(hwnd(), step.window.left, step.window.top, step.window.Width(), step.window.Height(), TRUE);
  SaveWindowPositions();
  StartReturnTimerIfAway();
}

void CQuorelWin::ReturnTick() {
  KillTimer(hwnd(), kTimerReturn);
  quorel::QuorelSettings& s = settings_;
  if (s.return_home && s.fled) {
    const quorel::Rect window = WindowRect();
    // The way back is the flee's step reversed, so it must measure the same unit.
    quorel::Rect unit = window;
    quorel::Rect calendar_rect{};
    if (calendar_) {
      calendar_->ExtendUnitRect(unit);
      calendar_rect = calendar_->ScreenRect();
    }
    POINT p;
    GetCursorPos(&p);
    quorel::ReturnStep step =
        quorel::ReturnHome(FleeSettings(), window, unit, MonitorOfWindow(), quorel::Point{p.x, p.y}, calendar_rect);
    if (step.moves) {
      MoveWindow(hwnd(), step.window.left, step.window.top, step.window.Width(), step.window.Height(), TRUE);
      s.fled = step.moved_away;
      SaveWindowPositions();
    }
  }
  if (s.fled) SetTimer(hwnd(), kTimerReturn, s.return_delay_seconds * 1000, nullptr);
}

void CQuorelWin::StartFade(int from, int to) { fade_.Start(hwnd(), kTimerFade, from, to); }

void CQuorelWin::FadeTick() {
  if (fade_.Tick(hwnd(), kTimerFade) && fade_.target() == 255 && !settings_.translucent) SetLayered(hwnd(), false);
}

void CQuorelWin::Unfade() {
  const quorel::QuorelSettings& s = settings_;
  if (s.flee_kind == quorel::kFleeVanish) {
    SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else if (s.flee_kind == quorel::kFleeTransparent) {
    LONG_PTR ex = GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
    SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, ex & ~WS_EX_TRANSPARENT);
    if (s.fade_while_fleeing) {
      StartFade(quorel::kFadedAlpha, s.translucent ? s.alpha : 255);
    } else if (s.translucent) {
      fade_.Set(s.alpha);
      SetLayeredWindowAttributes(hwnd(), 0, static_cast<BYTE>(s.alpha), LWA_ALPHA);
    } else {
      fade_.Set(255);
      SetLayered(hwnd(), false);
    }
  }
  if (calendar_ && s.flee_kind == quorel::kFleeVanish) calendar_->ShowWithClock(true);
  if (calendar_ && s.flee_kind == quorel::kFleeTransparent) calendar_->FadeWithClock(false);
  if (hooks_.schedule_with_clock) hooks_.schedule_with_clock(ClockTickHooks::kFleeBack);
  faded_ = false;
}

void CQuorelWin::BlinkTick() {
  const quorel::QuorelSettings& s = settings_;
  if (s.news_updated || s.mail_arrived) {
    if (s.news_updated && !s.news_no_blink) news_blink_phase_ = !news_blink_phase_;
    if (s.mail_arrived && !s.mail_no_blink) mail_blink_phase_ = !mail_blink_phase_;
  } else {
    KillTimer(hwnd(), kTimerBlink);
  }
  RepaintIfNeeded(true);
}

void CQuorelWin::TopmostTick() {
  // A full-screen program in front keeps its place.
  HWND fg = GetForegroundWindow();
  RECT r;
  if (fg && GetWindowRect(fg, &r) && FromRECT(r) == MonitorOfWindow()) return;
  if (settings_open_ || menu_open_ || popup_visible_ || other_dialog_open_ || button_down_) return;
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CQuorelWin::ShowTimePopup(const std::string& text) {
  ShowPopupText(text);
  PostMessageW(hwnd(), quorel::WM_CHIME_TALK, 0, 0);
}

void CQuorelWin::ShowPopupText(const std::string& text) {
  const quorel::Rect clock = WindowRect();
  const quorel::Rect area = quorel::SubtractRect(MonitorOfWindow(), taskbar_);
  const std::string shown = quorel::AppendAnnouncement(popup_visible_, popup_.text(), text);
  const quorel::Size size = popup_.Measure(shown);
  const quorel::Point at = quorel::PopupPosition(settings_.popup_position, clock, area, size);
  popup_.Show(at.x - 1, at.y - 1, shown, true, true, true, true);
  popup_visible_ = true;
  SetTimer(hwnd(), kTimerPopup, settings_.popup_seconds * 1000, nullptr);
}

void CQuorelWin::SaveWindowPositions() {
  const quorel::Rect r = WindowRect();
  settings_.clock_left = r.left, settings_.clock_top = r.top;
  settings_.clock_right = r.right, settings_.clock_bottom = r.bottom;
  if (save_settings_) save_settings_();
}

void CQuorelWin::ForceOntoScreen() {
  if (settings_.hide_clock || settings_open_) return;
  SetWindowPos(hwnd(), nullptr, 30, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  settings_.fled = 0;
  KillTimer(hwnd(), kTimerReturn);
}

void CQuorelWin::OnMouseMove(POINT pt, UINT) {
  if (hooks_.mouse_over) hooks_.mouse_over();
  if (character_ && character_->MouseMoved()) StartAnimation();  // woken from a doze
  if (button_down_) {
    POINT screen = pt;
    ClientToScreen(hwnd(), &screen);
    const quorel::Rect r = WindowRect();
    MoveWindow(hwnd(), screen.x - click_point_.x, screen.y - click_point_.y, r.Width(), r.Height(), TRUE);
    settings_.fled = 0;
    KillTimer(hwnd(), kTimerReturn);
    return;
  }
  if (calendar_) calendar_->ShowOnContact();
  ReactToCursor();
}

void CQuorelWin::ReactToCursor() {
  if (!CCommonUtilWin::IsShiftDown() && IsCursorNear()) Flee();
}

void CQuorelWin::OnLButtonDown(POINT pt, UINT) {
  button_down_ = true;
  click_point_ = pt;
  if (!captured_) {
    SetCapture(hwnd());
    captured_ = true;
  }
}

void CQuorelWin::OnLButtonUp(POINT, UINT) {
  if (button_down_) {
    SaveWindowPositions();
    if (captured_) ReleaseCapture();
    captured_ = false;
  }
  button_down_ = false;
}

void CQuorelWin::OnLButtonDblClk(POINT, UINT) { PostMessageW(main_window_, WM_CLOSE, 0, 0); }

void CQuorelWin::OnRButtonDown(POINT, UINT) {
  if (settings_open_) return;
  if (hooks_.stop_sound) hooks_.stop_sound();
  PostMessageW(main_window_, quorel::WM_OPEN_SETTINGS, 0, 0);
}

void CQuorelWin::OnClose() { PostMessageW(main_window_, WM_CLOSE, 0, 0); }

void CQuorelWin::OnDestroy() {
  KillTimers(/*only_those_of_apply=*/false);
  if (hooks_.destroying) hooks_.destroying(session_ending_);
}

void CQuorelWin::OnMailResult() {
  quorel::QuorelSettings& s = settings_;
  const int previous = s.mail_count;
  if (net_hooks_.copy_mail_client) net_hooks_.copy_mail_client(s);
  if (s.mail_count < 1) {
    s.mail_arrived = 0;
    mail_blink_phase_ = false;
    RepaintIfNeeded(true);
  } else {
    s.mail_arrived = 1;
    if (s.mail_no_blink) {
      mail_blink_phase_ = true;
      RepaintIfNeeded(true);
    } else {
      mail_blink_phase_ = false;
      SetTimer(hwnd(), kTimerBlink, 500, nullptr);
    }
  }
  switch (quorel::MailNotification(s.mail_sound_kind, s.mail_count, previous, settings_open_)) {
    case quorel::MailNotify::kSound:
      if (net_hooks_.play_mail_sound) net_hooks_.play_mail_sound(s.mail_sound_kind);
      break;
    case quorel::MailNotify::kPopup:
      ShowPopupText(quorel::FormatNetText(quorel::kStrMailPopup, s.mail_count));
      break;
    case quorel::MailNotify::kNone:
      break;
  }
}

void CQuorelWin::OnNewsUpdated() {
  quorel::QuorelSettings& s = settings_;
  if (!net_hooks_.copy_news_client || !net_hooks_.copy_news_client(s)) return;
  if (s.news_last_result == quorel::LoadText(quorel::kStrNewsUpdated)) {
    if (net_hooks_.write_news_file) net_hooks_.write_news_file();
    SaveSettingsNow();
  }
  s.news_updated = 1;
  if (s.news_no_blink) {
    news_blink_phase_ = true;
    RepaintIfNeeded(true);
  } else {
    news_blink_phase_ = false;
    SetTimer(hwnd(), kTimerBlink, 500, nullptr);
  }
  if (s.news_sound && !settings_open_ && net_hooks_.play_news_sound) net_hooks_.play_news_sound();
}

bool CQuorelWin::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_QUERYENDSESSION: result = TRUE; return true;
    case WM_ENDSESSION:
      if (wp) {
        session_ending_ = true;
        if (hooks_.session_ends) hooks_.session_ends();
      }
      return true;
    case quorel::WM_PLAYSOUND_END:
      if (hooks_.sound_ended) hooks_.sound_ended(wp);
      return true;
    case quorel::WM_CLOCK_IGNORED: return true;
    case quorel::WM_APPLY_SETTINGS: Apply(); return true;
    case WM_MOVE:
      if (calendar_) calendar_->FollowClock(WindowRect());
      return false;
    case quorel::WM_CHIME_TALK:
    case quorel::WM_ALARM_TALK:
    case quorel::WM_GREETING_TALK:
      if (character_ && character_->Talk(settings_)) StartAnimation();
      return true;
    case quorel::WM_MAIL_RESULT: OnMailResult(); return true;
    case quorel::WM_NEWS_UPDATED: OnNewsUpdated(); return true;
    case quorel::WM_WEATHER_DONE: RepaintIfNeeded(true); return true;
    case quorel::WM_SCHEDULE_SOUND: {
      // The request is ours now, played or not; a message that brings none of ours is ignored.
      const std::unique_ptr<quorel::ScheduleNoticeSound> request = TakeScheduleSound(lp);
      if (request && hooks_.play_schedule_sound) hooks_.play_schedule_sound(request->kind, request->file);
      return true;
    }
    default: return false;
  }
}

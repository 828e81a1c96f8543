// Window messages that cross the program's windows and threads (fixed numbers).
#pragma once

namespace quorel {

constexpr unsigned kWmUser = 0x0400;  // WM_USER

constexpr unsigned WM_OPEN_SETTINGS = kWmUser + 1;
constexpr unsigned WM_CLOCK_IGNORED = kWmUser + 2;
constexpr unsigned WM_PLAYSOUND_END = kWmUser + 3;
constexpr unsigned WM_PLAYSOUND_STOP = kWmUser + 4;
constexpr unsigned WM_CLIENT_STOP = kWmUser + 4;
constexpr unsigned WM_APPLY_SETTINGS = kWmUser + 5;
constexpr unsigned WM_CLIENT_START = kWmUser + 5;
constexpr unsigned WM_CHIME_TALK = kWmUser + 11;
constexpr unsigned WM_ALARM_TALK = kWmUser + 12;
constexpr unsigned WM_GREETING_TALK = kWmUser + 13;
constexpr unsigned WM_NEWS_UPDATED = kWmUser + 72;
constexpr unsigned WM_MAIL_RESULT = kWmUser + 82;
constexpr unsigned WM_SCHEDULE_CHANGED = kWmUser + 91;
constexpr unsigned WM_SCHEDULE_SOUND = kWmUser + 93;
constexpr unsigned WM_WEATHER_DONE = kWmUser + 101;
constexpr unsigned WM_TRAY_NOTIFY = kWmUser + 500;

}  // namespace quorel

// The settings record: one field per registry value of the settings, plus the
// news title and text read from the news file. The clock window carries it;
// LoadSettings and SaveSettings (settings_store.h) fill and store it.
// Every field's default is the value used when the registry value is absent.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quorel {

// The version every save writes; older versions are converted at load.
constexpr const char kSettingsVersion[] = "v7.84";
constexpr int kSettingsVersionMajor = 7;
constexpr int kSettingsVersionMinor = 84;

struct QuorelSettings {
  int allow_second_instance = 0;
  int second_uses_own_settings = 0;
  std::string version;
  int clock_kind = 1;
  int digital_bold = 1;
  int digital_seconds = 1;
  int weekday_display = 2;
  int second_hand = 1;
  int dial_picture = 0;
  int dial_numerals = 0;
  int magnification = 0;
  int high_quality_zoom = 0;
  int frame_kind = 0;
  int frame_color_top_left = 16777215;
  int frame_color_bottom_right = 0;
  int topmost = 1;
  int tray_icon = 1;
  int retopmost_periodically = 0;
  int translucent = 0;
  int alpha = 255;
  int hide_clock = 0;
  int hour24 = 1;
  int character = 1;
  int blink_animation = 1;
  int background_animation = 1;
  std::string user_character_bitmap;
  std::string user_character_info;
  int flee_kind = 4;
  int flee_up_left_first = 1;
  int avoid_taskbar = 0;
  int fade_while_fleeing = 0;
  int return_home = 0;
  int return_delay_seconds = 2;
  int flee_distance = 100;
  int sensitivity = 0;
  int startup_placement = 2;
  int margin_vertical = 0;
  int margin_horizontal = 0;
  int monitor_number = 1;
  int hypersensitive_range = 10;
  int time_signal_kind = 0;
  int time_signal_sound = 0;
  std::string hourly_signal_file;
  std::string half_hour_signal_file;
  int announcement_ending = 2;
  int chime_before_signal = 0;
  int signal_suppressed[24] = {};
  int popup_position = 0;
  int popup_seconds = 5;
  int calendar_kind = 0;
  int calendar_placement = 1;
  int calendar_cursor_reaction = 1;
  int calendar_show_timing = 0;
  int calendar_saturday_holiday = 0;
  int calendar_monday_first = 0;
  int calendar_frame_today = 0;
  int calendar_topmost = 1;
  int calendar_return_to_month = 0;
  int calendar_return_seconds = 3;
  int calendar_button_repeat = 1;
  int calendar_repeat_delay_ms = 900;
  int calendar_repeat_interval_ms = 400;
  int calendar_retopmost = 0;
  int calendar_translucent = 0;
  int calendar_alpha = 255;
  int calendar_click_through = 0;
  int calendar_show_seconds = 3;
  int calendar_week_second_row = 0;
  int calendar_today_color = 16776960;
  int calendar_today_color_high_contrast = 16711680;
  int calendar_year_format = 0;
  std::string calendar_era_letter = "R";  // the current era
  int calendar_era_offset = 2018;
  int time_source = 0;
  std::string ntp_server = "ntp.nict.jp";
  int connection_kind = 1;
  std::string ntp_last_connect_time;
  std::string ntp_last_result;
  std::string last_adjust_time;
  int adjust_interval_minutes = 180;
  int correction_threshold = 1000;
  int adjust_only_at_start = 0;
  int adjust_start_delay = 0;
  int http_time_server_index = -1;
  std::string http_time_server = "http://ntp-a1.nict.go.jp/cgi-bin/ntp";
  int proxy_kind = 0;
  std::string proxy_server;
  std::string proxy_user;
  std::string proxy_password;
  int clock_top = 30;
  int clock_bottom = 83;
  int clock_left = 0;
  int clock_right = 82;
  int calendar_top = 83;      // default: the loaded clock bottom
  int calendar_bottom = 152;  // default: calendar top + 69
  int calendar_left = 0;      // default: the loaded clock left
  int calendar_right = 82;    // default: calendar left + 82
  int schedule_top = 0;
  int schedule_bottom = 100;
  int schedule_left = 0;
  int schedule_right = 200;
  int fled = 0;
  int news_check_daily = 0;
  std::string news_last_download;
  std::string news_last_check;
  std::string news_last_result;
  int news_updated = 0;
  int news_no_blink = 0;
  int news_sound = 0;
  std::string mail_server;
  int mail_port = 110;
  std::string mail_user;
  std::string mail_password;
  std::string mail_last_result;
  std::string mail_last_check;
  int mail_interval_minutes = 180;
  int mail_count = 0;
  int mail_check = 0;
  int mail_arrived = 0;
  int mail_no_blink = 0;
  int mail_sound_kind = -1;
  std::string mail_sound_file;
  int mail_ssl = 0;
  int main_offset_choice = 0;
  int main_offset_hours = 0;
  int main_offset_minutes = 0;
  int main_summer_time = 0;
  int sub_time_shown = 0;
  int sub_offset_choice = 0;
  int sub_offset_hours = 0;
  int sub_offset_minutes = 0;
  int sub_summer_time = 0;
  int sub_time_format = 0;
  int schedule_enabled = 0;
  int schedule_calendar_marking = 2;
  int schedule_calendar_color = 16744703;
  int schedule_cursor_reaction = 1;
  int schedule_topmost = 0;
  int schedule_retopmost = 0;
  int schedule_translucent = 0;
  int schedule_alpha = 255;
  int schedule_click_through = 0;
  int schedule_list_empty_days = 0;
  int schedule_font_size = 12;
  std::string schedule_font_name;  // default: string 62250
  int schedule_days = 7;
  int schedule_fit_height = 1;
  int schedule_one_line = 0;
  int schedule_return_to_today = 0;
  int schedule_return_seconds = 3;
  int schedule_notice_stops_saver = 0;
  int schedule_notice_topmost = 0;
  std::uint16_t schedule_default_notice_flags = 16;
  int schedule_default_advance_minutes = 5;
  int schedule_default_sound_kind = 0;
  std::string schedule_default_sound_file;
  int schedule_calendar_click_moves = 1;
  int schedule_calendar_click_registers = 0;
  std::string schedule_plugin_file;
  int schedule_week_from_monday = 0;
  int schedule_backup_generations = 3;
  int notice_left = -9999;
  int notice_top = -9999;
  int schedule_dialog_left = -9999;
  int schedule_dialog_top = -9999;
  int date_dialog_left = -9999;
  int date_dialog_top = -9999;
  std::uint8_t weather_fetch = 0;
  int weather_interval = 6;
  int weather_corner_kind = 2;
  std::uint8_t weather_background = 0;
  std::uint8_t special_background_first = 1;
  std::string weather_rss_url;
  std::string weather_site_name = "Yahoo!";
  int weather_switch_hour = 18;
  int auto_restart = 0;
  int restart_hour = 4;
  int restart_minute = 45;
  std::string last_auto_restart;
  int release_memory = 0;
  int release_memory_mb = 10;
  int tray_left_click = 0;
  int rts_with_sound = 0;
  std::string rts_port;
  int rts_delay = 0;
  std::string data_base_folder_setting;
  std::string pending_data_folder;
  int wave_through_acm = 0;
  int high_contrast = 0;
  int info_icon_corner = 0;
  int speak_at_windows_exit = 0;
  int greeting_voice = 1;
  int settings_page = 0;
  int time_client_log = 0;
  int time_messages = 0;
  int debug_hide_character = 0;
  int debug_hide_time = 0;
  int debug_background_kind = 0;
  std::string debug_background_still;
  std::string debug_background_animated;
  std::string debug_background_event;
  std::string debug_background_weather;
  std::vector<std::string> files_to_recover;

  // Not registry values: the news file's title line and whole text.
  std::string news_title;
  std::string news_text;
};

}  // namespace quorel

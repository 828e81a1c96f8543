#include "app/settings_values.h"

#include <cstdio>

#include "base/string_table.h"

namespace quorel {

namespace {

using S = QuorelSettings;

constexpr SettingValue Int(unsigned id, int S::*field, int def, ValueRule rule, unsigned flags) {
  return {id, ValueKind::kInt, def, "", 0, rule, flags, field, nullptr, nullptr, nullptr};
}
constexpr SettingValue Bool8(unsigned id, std::uint8_t S::*field, int def) {
  return {id, ValueKind::kBool8, def, "", 0, ValueRule::kNone, 0, nullptr, field, nullptr, nullptr};
}
constexpr SettingValue Flag16(unsigned id, std::uint16_t S::*field, int def) {
  return {id, ValueKind::kFlag16, def, "", 0, ValueRule::kNone, 0, nullptr, nullptr, field, nullptr};
}
constexpr SettingValue Text(unsigned id, std::string S::*field, ValueKind kind, const char* def, unsigned def_id,
                            ValueRule rule, unsigned flags) {
  return {id, kind, 0, def, def_id, rule, flags, nullptr, nullptr, nullptr, field};
}
constexpr SettingValue Special(unsigned id, ValueKind kind, const char* def = "") {
  return {id, kind, 0, def, 0, ValueRule::kNone, 0, nullptr, nullptr, nullptr, nullptr};
}

}  // namespace

// Values flagged kInConfig live in "Config" whatever the active section: the two
// instance rules, and the farewell at the end of the Windows session, which
// belongs to the session rather than to one instance (so a second instance
// with its own settings reads the value it writes).
const SettingValue kSettingValues[] = {
    Int(62000, &S::allow_second_instance, 0, ValueRule::kNone, kInConfig),
    Int(62001, &S::second_uses_own_settings, 0, ValueRule::kNone, kInConfig),
    Special(62002, ValueKind::kVersion),
    Int(62003, &S::clock_kind, 1, ValueRule::kNone, 0),
    Int(62004, &S::digital_bold, 1, ValueRule::kNone, 0),
    Int(62005, &S::digital_seconds, 1, ValueRule::kNone, 0),
    Int(62006, &S::weekday_display, 2, ValueRule::kNone, 0),
    Int(62007, &S::second_hand, 1, ValueRule::kNone, 0),
    Int(62008, &S::dial_picture, 0, ValueRule::kNone, 0),
    Int(62009, &S::dial_numerals, 0, ValueRule::kNumerals, 0),
    Int(62010, &S::magnification, 0, ValueRule::kMagnification, 0),
    Int(62011, &S::high_quality_zoom, 0, ValueRule::kNone, 0),
    Int(62012, &S::frame_kind, 0, ValueRule::kNone, 0),
    Int(62013, &S::frame_color_top_left, 16777215, ValueRule::kNone, 0),
    Int(62014, &S::frame_color_bottom_right, 0, ValueRule::kNone, 0),
    Int(62015, &S::topmost, 1, ValueRule::kNone, 0),
    Int(62016, &S::tray_icon, 1, ValueRule::kNone, 0),
    Int(62017, &S::retopmost_periodically, 0, ValueRule::kNone, 0),
    Int(62018, &S::translucent, 0, ValueRule::kNone, 0),
    Int(62019, &S::alpha, 255, ValueRule::kNone, 0),
    Int(62020, &S::hide_clock, 0, ValueRule::kNone, 0),
    Int(62021, &S::hour24, 1, ValueRule::kNone, 0),
    Int(62022, &S::character, 1, ValueRule::kCharacter, 0),
    Int(62023, &S::blink_animation, 1, ValueRule::kNone, 0),
    Int(62024, &S::background_animation, 1, ValueRule::kNone, 0),
    Text(62025, &S::user_character_bitmap, ValueKind::kString, "samples\\mike.bmp", 0, ValueRule::kProgramFolderFile, 0),
    Text(62026, &S::user_character_info, ValueKind::kString, "samples\\mike.inf", 0, ValueRule::kProgramFolderFile, 0),
    Int(62027, &S::flee_kind, 4, ValueRule::kNone, 0),
    Int(62028, &S::flee_up_left_first, 1, ValueRule::kNone, 0),
    Int(62029, &S::avoid_taskbar, 0, ValueRule::kNone, 0),
    Int(62030, &S::fade_while_fleeing, 0, ValueRule::kNone, 0),
    Int(62031, &S::return_home, 0, ValueRule::kNone, 0),
    Int(62032, &S::return_delay_seconds, 2, ValueRule::kNone, 0),
    Int(62033, &S::flee_distance, 100, ValueRule::kNone, 0),
    Int(62034, &S::sensitivity, 0, ValueRule::kSensitivity, 0),
    Int(62035, &S::startup_placement, 2, ValueRule::kNone, 0),
    Int(62036, &S::margin_vertical, 0, ValueRule::kNone, 0),
    Int(62037, &S::margin_horizontal, 0, ValueRule::kNone, 0),
    Int(62038, &S::monitor_number, 1, ValueRule::kNone, 0),
    Int(62039, &S::hypersensitive_range, 10, ValueRule::kNone, 0),
    Int(62040, &S::time_signal_kind, 0, ValueRule::kNone, 0),
    Int(62041, &S::time_signal_sound, 0, ValueRule::kNone, 0),
    Text(62042, &S::hourly_signal_file, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Text(62043, &S::half_hour_signal_file, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Int(62044, &S::announcement_ending, 2, ValueRule::kNone, 0),
    Int(62045, &S::chime_before_signal, 0, ValueRule::kNone, 0),
    Special(62046, ValueKind::kHourFlags),
    Int(62047, &S::popup_position, 0, ValueRule::kNone, 0),
    Int(62048, &S::popup_seconds, 5, ValueRule::kNone, kSaveAlarmsAfter),
    Int(62049, &S::calendar_kind, 0, ValueRule::kNone, 0),
    Int(62050, &S::calendar_placement, 1, ValueRule::kNone, 0),
    Int(62051, &S::calendar_cursor_reaction, 1, ValueRule::kNone, 0),
    Int(62052, &S::calendar_show_timing, 0, ValueRule::kNone, 0),
    Int(62053, &S::calendar_saturday_holiday, 0, ValueRule::kNone, 0),
    Int(62054, &S::calendar_monday_first, 0, ValueRule::kNone, 0),
    Int(62055, &S::calendar_frame_today, 0, ValueRule::kNone, 0),
    Int(62056, &S::calendar_topmost, 1, ValueRule::kNone, 0),
    Int(62057, &S::calendar_return_to_month, 0, ValueRule::kNone, 0),
    Int(62058, &S::calendar_return_seconds, 3, ValueRule::kNone, 0),
    Int(62059, &S::calendar_button_repeat, 1, ValueRule::kNone, 0),
    Int(62060, &S::calendar_repeat_delay_ms, 900, ValueRule::kNone, 0),
    Int(62061, &S::calendar_repeat_interval_ms, 400, ValueRule::kNone, 0),
    Int(62062, &S::calendar_retopmost, 0, ValueRule::kNone, 0),
    Int(62063, &S::calendar_translucent, 0, ValueRule::kNone, 0),
    Int(62064, &S::calendar_alpha, 255, ValueRule::kNone, 0),
    Int(62065, &S::calendar_click_through, 0, ValueRule::kNone, 0),
    Int(62066, &S::calendar_show_seconds, 3, ValueRule::kNone, 0),
    Int(62067, &S::calendar_week_second_row, 0, ValueRule::kNone, 0),
    Int(62068, &S::calendar_today_color, 16776960, ValueRule::kNone, 0),
    Int(62069, &S::calendar_today_color_high_contrast, 16711680, ValueRule::kNone, 0),
    Int(62070, &S::calendar_year_format, 0, ValueRule::kNone, 0),
    Text(62071, &S::calendar_era_letter, ValueKind::kString, "R", 0, ValueRule::kNone, 0),
    Int(62072, &S::calendar_era_offset, 2018, ValueRule::kNone, 0),
    Int(62073, &S::time_source, 0, ValueRule::kNone, 0),
    Text(62074, &S::ntp_server, ValueKind::kString, "ntp.nict.jp", 0, ValueRule::kNone, 0),
    Int(62075, &S::connection_kind, 1, ValueRule::kNone, 0),
    Text(62076, &S::ntp_last_connect_time, ValueKind::kString, "", 0, ValueRule::kNone, kTimeClientBefore),
    Text(62077, &S::ntp_last_result, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Text(62078, &S::last_adjust_time, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Int(62079, &S::adjust_interval_minutes, 180, ValueRule::kNone, 0),
    Int(62080, &S::correction_threshold, 1000, ValueRule::kNone, 0),
    Int(62081, &S::adjust_only_at_start, 0, ValueRule::kNone, 0),
    Int(62082, &S::adjust_start_delay, 0, ValueRule::kNone, 0),
    Int(62083, &S::http_time_server_index, -1, ValueRule::kNone, 0),
    Text(62084, &S::http_time_server, ValueKind::kString, "http://ntp-a1.nict.go.jp/cgi-bin/ntp", 0, ValueRule::kNone, 0),
    Int(62085, &S::proxy_kind, 0, ValueRule::kNone, 0),
    Text(62086, &S::proxy_server, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Text(62087, &S::proxy_user, ValueKind::kCredential, "", 0, ValueRule::kNone, 0),
    Text(62088, &S::proxy_password, ValueKind::kCredential, "", 0, ValueRule::kNone, 0),
    Int(62089, &S::clock_top, 30, ValueRule::kNone, 0),
    Int(62090, &S::clock_bottom, 83, ValueRule::kNone, 0),
    Int(62091, &S::clock_left, 0, ValueRule::kNone, 0),
    Int(62092, &S::clock_right, 82, ValueRule::kNone, 0),
    Int(62093, &S::calendar_top, 0, ValueRule::kCalendarTop, 0),
    Int(62094, &S::calendar_bottom, 0, ValueRule::kCalendarBottom, 0),
    Int(62095, &S::calendar_left, 0, ValueRule::kCalendarLeft, 0),
    Int(62096, &S::calendar_right, 0, ValueRule::kCalendarRight, 0),
    Int(62097, &S::schedule_top, 0, ValueRule::kNone, 0),
    Int(62098, &S::schedule_bottom, 100, ValueRule::kNone, 0),
    Int(62099, &S::schedule_left, 0, ValueRule::kNone, 0),
    Int(62100, &S::schedule_right, 200, ValueRule::kNone, 0),
    Int(62101, &S::fled, 0, ValueRule::kNone, 0),
    Int(62102, &S::news_check_daily, 0, ValueRule::kNone, kNewsClientBefore),
    Text(62103, &S::news_last_download, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Text(62104, &S::news_last_check, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Text(62105, &S::news_last_result, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Int(62106, &S::news_updated, 0, ValueRule::kNone, 0),
    Int(62107, &S::news_no_blink, 0, ValueRule::kNone, 0),
    Int(62108, &S::news_sound, 0, ValueRule::kNone, kNewsFileAfter),
    Text(62109, &S::mail_server, ValueKind::kString, "", 0, ValueRule::kNone, kMailClientBefore),
    Int(62110, &S::mail_port, 110, ValueRule::kNone, 0),
    Text(62111, &S::mail_user, ValueKind::kCredential, "", 0, ValueRule::kNone, 0),
    Text(62112, &S::mail_password, ValueKind::kCredential, "", 0, ValueRule::kNone, 0),
    Text(62113, &S::mail_last_result, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Text(62114, &S::mail_last_check, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Int(62115, &S::mail_interval_minutes, 180, ValueRule::kNone, 0),
    Int(62116, &S::mail_count, 0, ValueRule::kNone, 0),
    Int(62117, &S::mail_check, 0, ValueRule::kNone, 0),
    Int(62118, &S::mail_arrived, 0, ValueRule::kNone, 0),
    Int(62119, &S::mail_no_blink, 0, ValueRule::kNone, 0),
    Int(62120, &S::mail_sound_kind, 0, ValueRule::kMailSound, 0),
    // 62121: read only, by the arrival-sound rule above
    Text(62122, &S::mail_sound_file, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Int(62123, &S::mail_ssl, 0, ValueRule::kNone, 0),
    Int(62124, &S::main_offset_choice, 0, ValueRule::kNone, 0),
    Int(62125, &S::main_offset_hours, 0, ValueRule::kNone, 0),
    Int(62126, &S::main_offset_minutes, 0, ValueRule::kNone, 0),
    Int(62127, &S::main_summer_time, 0, ValueRule::kNone, 0),
    Int(62128, &S::sub_time_shown, 0, ValueRule::kNone, 0),
    Int(62129, &S::sub_offset_choice, 0, ValueRule::kNone, 0),
    Int(62130, &S::sub_offset_hours, 0, ValueRule::kNone, 0),
    Int(62131, &S::sub_offset_minutes, 0, ValueRule::kNone, 0),
    Int(62132, &S::sub_summer_time, 0, ValueRule::kNone, 0),
    Int(62133, &S::sub_time_format, 0, ValueRule::kNone, 0),
    Int(62134, &S::schedule_enabled, 0, ValueRule::kNone, 0),
    Int(62135, &S::schedule_calendar_marking, 2, ValueRule::kNone, 0),
    Int(62136, &S::schedule_calendar_color, 16744703, ValueRule::kNone, 0),
    Int(62137, &S::schedule_cursor_reaction, 1, ValueRule::kNone, 0),
    Int(62138, &S::schedule_topmost, 0, ValueRule::kNone, 0),
    Int(62139, &S::schedule_retopmost, 0, ValueRule::kNone, 0),
    Int(62140, &S::schedule_translucent, 0, ValueRule::kNone, 0),
    Int(62141, &S::schedule_alpha, 255, ValueRule::kNone, 0),
    Int(62142, &S::schedule_click_through, 0, ValueRule::kNone, 0),
    Int(62143, &S::schedule_list_empty_days, 0, ValueRule::kNone, 0),
    Int(62144, &S::schedule_font_size, 12, ValueRule::kNone, 0),
    Text(62145, &S::schedule_font_name, ValueKind::kString, "", 62250, ValueRule::kNone, 0),
    Int(62146, &S::schedule_days, 7, ValueRule::kNone, 0),
    Int(62147, &S::schedule_fit_height, 1, ValueRule::kNone, 0),
    Int(62148, &S::schedule_one_line, 0, ValueRule::kNone, 0),
    Int(62149, &S::schedule_return_to_today, 0, ValueRule::kNone, 0),
    Int(62150, &S::schedule_return_seconds, 3, ValueRule::kNone, 0),
    Int(62151, &S::schedule_notice_stops_saver, 0, ValueRule::kNone, 0),
    Int(62152, &S::schedule_notice_topmost, 0, ValueRule::kNone, 0),
    Flag16(62153, &S::schedule_default_notice_flags, 16),
    Int(62154, &S::schedule_default_advance_minutes, 5, ValueRule::kNone, 0),
    Int(62155, &S::schedule_default_sound_kind, 0, ValueRule::kNone, 0),
    Text(62156, &S::schedule_default_sound_file, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Int(62157, &S::schedule_calendar_click_moves, 1, ValueRule::kNone, 0),
    Int(62158, &S::schedule_calendar_click_registers, 0, ValueRule::kNone, 0),
    Text(62159, &S::schedule_plugin_file, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Int(62160, &S::schedule_week_from_monday, 0, ValueRule::kNone, 0),
    Int(62161, &S::schedule_backup_generations, 3, ValueRule::kNone, 0),
    Int(62162, &S::notice_left, -9999, ValueRule::kNone, 0),
    Int(62163, &S::notice_top, -9999, ValueRule::kNone, 0),
    Int(62164, &S::schedule_dialog_left, -9999, ValueRule::kNone, 0),
    Int(62165, &S::schedule_dialog_top, -9999, ValueRule::kNone, 0),
    Int(62166, &S::date_dialog_left, -9999, ValueRule::kNone, 0),
    Int(62167, &S::date_dialog_top, -9999, ValueRule::kNone, 0),
    Bool8(62168, &S::weather_fetch, 0),
    Int(62169, &S::weather_interval, 6, ValueRule::kNone, 0),
    Int(62170, &S::weather_corner_kind, 2, ValueRule::kNone, 0),
    Bool8(62171, &S::weather_background, 0),
    Bool8(62172, &S::special_background_first, 1),
    Text(62173, &S::weather_rss_url, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Text(62174, &S::weather_site_name, ValueKind::kString, "Yahoo!", 0, ValueRule::kNone, kNeverWritten),
    Int(62175, &S::weather_switch_hour, 18, ValueRule::kNone, 0),
    Int(62176, &S::auto_restart, 0, ValueRule::kNone, 0),
    Special(62177, ValueKind::kRestartTime, "04:45"),
    Text(62178, &S::last_auto_restart, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Int(62179, &S::release_memory, 0, ValueRule::kNone, 0),
    Int(62180, &S::release_memory_mb, 10, ValueRule::kNone, 0),
    Int(62181, &S::tray_left_click, 0, ValueRule::kNone, 0),
    Int(62182, &S::rts_with_sound, 0, ValueRule::kNone, 0),
    Text(62183, &S::rts_port, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Int(62184, &S::rts_delay, 0, ValueRule::kNone, 0),
    Text(62185, &S::data_base_folder_setting, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Text(62186, &S::pending_data_folder, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Int(62187, &S::wave_through_acm, 0, ValueRule::kNone, 0),
    Int(62188, &S::high_contrast, 0, ValueRule::kNone, 0),
    Int(62189, &S::info_icon_corner, 0, ValueRule::kNone, 0),
    Int(62190, &S::speak_at_windows_exit, 0, ValueRule::kNone, kInConfig | kRecoverListAfter),
    Int(62191, &S::greeting_voice, 1, ValueRule::kGreeting, 0),
    Int(62192, &S::settings_page, 0, ValueRule::kSettingsPage, 0),
    Int(62193, &S::time_client_log, 0, ValueRule::kNone, 0),
    Int(62194, &S::time_messages, 0, ValueRule::kNone, 0),
    Int(62195, &S::debug_hide_character, 0, ValueRule::kNone, 0),
    Int(62196, &S::debug_hide_time, 0, ValueRule::kNone, 0),
    Int(62197, &S::debug_background_kind, 0, ValueRule::kNone, 0),
    Text(62198, &S::debug_background_still, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Text(62199, &S::debug_background_animated, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Text(62200, &S::debug_background_event, ValueKind::kString, "", 0, ValueRule::kNone, 0),
    Text(62201, &S::debug_background_weather, ValueKind::kString, "", 0, ValueRule::kNone, 0),
};

const std::size_t kSettingValueCount = sizeof(kSettingValues) / sizeof(kSettingValues[0]);

std::string SettingName(unsigned name_id) { return LoadText(name_id); }

std::string SettingName(unsigned name_id, int index) {
  const std::string format = LoadText(name_id);
  char buffer[256];
  std::snprintf(buffer, sizeof(buffer), format.c_str(), index);
  return buffer;
}

}  // namespace quorel

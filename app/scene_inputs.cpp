#include "app/scene_inputs.h"

namespace quorel {

ZoneChoice MainZone(const QuorelSettings& s) {
  return ZoneChoice{s.main_offset_choice, s.main_offset_hours, s.main_offset_minutes, s.main_summer_time != 0};
}

ZoneChoice SubZone(const QuorelSettings& s) {
  return ZoneChoice{s.sub_offset_choice, s.sub_offset_hours, s.sub_offset_minutes, s.sub_summer_time != 0};
}

ClockFaceInputs ClockFaceInputsFrom(const QuorelSettings& s, const ClockTime& main, const ClockTime& second,
                                    bool bare_face, bool emblem_closed) {
  ClockFaceInputs in;
  in.analog = s.clock_kind != 1;
  in.high_contrast = s.high_contrast == 1;
  in.bold_digits = s.digital_bold == 1;
  in.digital_seconds = s.digital_seconds == 1;
  in.weekday_style = s.weekday_display;
  in.second_hand = s.second_hand == 1;
  in.dial_emblem = s.dial_picture == 1;
  in.dial_time = s.dial_numerals;
  in.hour24 = s.hour24 != 0;
  in.bare_face = bare_face;
  in.second_time_mode = s.sub_time_shown ? (s.sub_time_format == 1 ? 2 : 1) : 0;
  in.corner_side = s.info_icon_corner;
  in.emblem_closed = emblem_closed && s.blink_animation;
  in.main_moment = main;
  in.second_moment = second;
  return in;
}

InformationInputs InformationInputsFrom(const QuorelSettings& s, bool mail_phase, bool news_phase) {
  InformationInputs in;
  in.corner_side = s.info_icon_corner;
  in.weather_shown = s.weather_fetch != 0;  // the forecast itself arrives with the weather client
  in.mail_shown = s.mail_arrived != 0;
  in.mail_visible = mail_phase;
  in.mail_count = s.mail_count;
  in.news_shown = s.news_updated != 0;
  in.news_visible = news_phase;
  return in;
}

ComposeInputs ComposeInputsFrom(const QuorelSettings& s, const ClockTime& main) {
  ComposeInputs in;
  in.debug_hide_character = s.debug_hide_character != 0;
  in.debug_hide_time = s.debug_hide_time != 0;
  in.border_kind = s.frame_kind;
  in.border_top_left = ColorFromColorref(static_cast<std::uint32_t>(s.frame_color_top_left));
  in.border_bottom_right = ColorFromColorref(static_cast<std::uint32_t>(s.frame_color_bottom_right));
  in.magnify = s.magnification;
  in.high_quality = s.high_quality_zoom != 0;
  in.moment = main;
  return in;
}

}  // namespace quorel

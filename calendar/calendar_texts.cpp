#include "calendar/calendar_texts.h"

#include <cstdio>

#include "base/string_table.h"
#include "calendar/calendar_drawing.h"

namespace quorel {

namespace {

constexpr unsigned kPopupDateTitle = 65300;
constexpr unsigned kPopupNameLine = 65301;
constexpr unsigned kPopupCompact = 65302;

std::string Format(const std::string& pattern, int a, int b, int c) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, pattern.c_str(), a, b, c);
  return buffer;
}

std::string FormatText(const std::string& pattern, const std::string& text) {
  const std::size_t at = pattern.find("%s");
  if (at == std::string::npos) return pattern;
  return pattern.substr(0, at) + text + pattern.substr(at + 2);
}

}  // namespace

bool EntryStartOn(const _SCHE_MEM_ITEM& entry, int year, int month, int day, int& hour, int& minute) {
  if (entry.NoTime()) return false;
  hour = entry.start_hour;
  minute = entry.start_minute;
  if (entry.MultiDay() && DayNumber(year, month, day) > DayNumber(entry.year, entry.month, entry.day)) {
    hour = minute = 0;
  }
  return true;
}

DayPopupText MakeDayPopupText(const DayPopupInputs& in) {
  DayPopupText out;
  if (in.detailed) {
    std::string text = Format(LoadText(kPopupDateTitle), in.year, in.month, in.day);
    bool lines = false;
    std::string forecast;
    if (in.forecast && in.forecast(in.year, in.month, in.day, forecast)) {
      text += "\n" + forecast;
      lines = true;
    }
    if (!in.display_name.empty()) {
      text += FormatText(LoadText(kPopupNameLine), in.display_name);
      lines = true;
    }
    if (in.schedule_marking && in.entries) {
      for (const _SCHE_MEM_ITEM& e : *in.entries) {
        const std::string content = CutBytes(e.content, 20, "..");
        int hour = 0, minute = 0;
        char line[64];
        if (EntryStartOn(e, in.year, in.month, in.day, hour, minute)) {
          std::snprintf(line, sizeof line, "\n%02d:%02d ", hour, minute);
        } else {
          std::snprintf(line, sizeof line, "\n--:-- ");
        }
        text += line + content;
        if (!e.place.empty()) text += "\n      " + CutBytes(e.place, 20, "..");
        lines = true;
      }
    }
    if (!lines) return out;
    out.text = text;
    out.font_width = 6;
    out.font_height = 12;
    return out;
  }
  if (in.display_name.empty()) return out;
  const std::string pattern = LoadText(kPopupCompact);
  const std::size_t at = pattern.find("%s");
  out.text = Format(pattern.substr(0, at), in.year, in.month, in.day) + in.display_name +
             (at == std::string::npos ? std::string() : pattern.substr(at + 2));
  out.centred = true;
  out.font_width = 8;
  out.font_height = 16;
  return out;
}

std::string DayMenuItemText(const _SCHE_MEM_ITEM& entry) {
  const std::string content = CutBytes(entry.content, 16, "...");
  char head[16];
  if (entry.NoTime()) std::snprintf(head, sizeof head, "--:-- ");
  else std::snprintf(head, sizeof head, "%02d:%02d ", entry.start_hour, entry.start_minute);
  return head + content;
}

void DefaultEntryHours(bool today, int now_hour, int& start_hour, int& end_hour) {
  if (!today) {
    start_hour = 8;
    end_hour = 9;
    return;
  }
  start_hour = now_hour + 1 > 23 ? 23 : now_hour + 1;
  end_hour = start_hour + 1 > 23 ? 23 : start_hour + 1;
}

}  // namespace quorel

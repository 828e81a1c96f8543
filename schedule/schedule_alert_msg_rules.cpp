#include "schedule/schedule_alert_msg_rules.h"

#include <algorithm>
#include <cstdio>

#include "base/string_table.h"

namespace quorel {

void ScheduleAlertList::Add(const ScheduleNotice& notice) {
  items_.erase(std::remove(items_.begin(), items_.end(), notice), items_.end());
  items_.push_back(notice);
  first_ = scroll_buttons() ? size() - kNoticeRowsShown : 0;
}

bool ScheduleAlertList::Remove(int index) {
  if (index < 0 || index >= size()) return false;
  items_.erase(items_.begin() + index);
  // The rows stay filled: back to the top with four or fewer, else no gap after the last.
  first_ = scroll_buttons() ? std::min(first_, size() - kNoticeRowsShown) : 0;
  return true;
}

void ScheduleAlertList::ScrollUp() {
  if (can_scroll_up()) --first_;
}

void ScheduleAlertList::ScrollDown() {
  if (can_scroll_down()) ++first_;
}

int ScheduleAlertList::rows() const { return std::min(kNoticeRowsShown, size() - first_); }

namespace {

template <class... Args>
std::string Format(unsigned number, Args... args) {
  const std::string format = LoadText(number);
  const int size = std::snprintf(nullptr, 0, format.c_str(), args...);
  if (size <= 0) return format;
  std::string out(static_cast<std::size_t>(size) + 1, '\0');
  std::snprintf(&out[0], out.size(), format.c_str(), args...);
  out.resize(static_cast<std::size_t>(size));
  return out;
}

}  // namespace

std::string NoticeRowText(const ScheduleNotice& n) {
  std::string text = n.end_month != 0
                         ? Format(kStrNoticeMultiDay, n.month, n.day, n.start_hour, n.start_minute, n.end_month,
                                  n.end_day, n.end_hour, n.end_minute)
                         : Format(kStrNoticeOneDay, n.month, n.day, n.start_hour, n.start_minute, n.end_hour,
                                  n.end_minute);
  text += Format(kStrNoticeContent, n.content.c_str());
  if (!n.place.empty()) text += Format(kStrNoticePlace, n.place.c_str());
  return text;
}

std::string NoticeCaption(int count) { return Format(kStrNoticeCaption, count); }

DialogUnits NoticeWindowSize(int count, DialogUnits full) {
  const int shown = std::max(1, std::min(count, kNoticeRowsShown));
  DialogUnits size = full;
  size.height -= kNoticeRowHeightDu * (kNoticeRowsShown - shown);
  if (count <= kNoticeRowsShown) size.width -= kNoticeScrollWidthDu;
  return size;
}

}  // namespace quorel

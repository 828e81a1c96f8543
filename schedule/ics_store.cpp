#include "schedule/ics_store.h"

#include "schedule/schedule_info.h"

namespace quorel {

namespace {

constexpr std::size_t kMaxIcsFile = 64 * 1024 * 1024;

std::int64_t DayNumber(int year, int month, int day) { return DaysFromCivil(year, month, day); }

bool Applies(const _SCHE_MEM_ITEM& item, int year, int month, int day) {
  if (!IsValidDate(item.range_start_year, item.range_start_month, item.range_start_day) ||
      !IsValidDate(item.range_end_year, item.range_end_month, item.range_end_day)) {
    return false;
  }
  const std::int64_t d = DayNumber(year, month, day);
  if (d < DayNumber(item.range_start_year, item.range_start_month, item.range_start_day) ||
      d > DayNumber(item.range_end_year, item.range_end_month, item.range_end_day)) {
    return false;
  }
  switch (item.repetition) {
    case kRepeatYearly: return item.month == month && item.day == day;
    case kRepeatMonthly: return item.day == day;
    case kRepeatDaily: return true;
    case kRepeatWeekly: return (item.weekdays >> DayOfWeek(year, month, day)) & 1;
    default: return false;
  }
}

// A multi-day entry shown on a later day than its first.
bool Continues(const _SCHE_MEM_ITEM& item, std::int64_t d) {
  if (item.repetition != kRepeatNone || !item.MultiDay() || !IsValidDate(item.year, item.month, item.day) ||
      !IsValidDate(item.end_year, item.end_month, item.end_day)) {
    return false;
  }
  return DayNumber(item.year, item.month, item.day) < d && d <= DayNumber(item.end_year, item.end_month, item.end_day);
}

}  // namespace

void IcsScheduleStore::Load() {
  if (modified_ && Save() != 0) return;  // what is only in memory must not be lost
  std::string bytes;
  const int error = fs_.Read(path_, kMaxIcsFile, bytes);
  if (error != 0) {
    blocked_ = fs_.Exists(path_);
    if (!blocked_) calendar_ = IcsCalendar();
    return;
  }
  blocked_ = false;
  calendar_ = ParseIcsCalendar(bytes, options_);
}

ScheduleList IcsScheduleStore::Day(int year, int month, int day) const {
  ScheduleList list;
  if (!IsValidDate(year, month, day)) return list;
  const std::int64_t d = DayNumber(year, month, day);
  std::vector<int> keys;
  for (const IcsEntry& e : calendar_.entries) {
    if (Continues(e.item, d)) InsertInDisplayOrder(list, keys, e.item, true);
  }
  for (const IcsEntry& e : calendar_.entries) {
    const _SCHE_MEM_ITEM& item = e.item;
    if (item.repetition == kRepeatNone && item.year == year && item.month == month && item.day == day) {
      InsertInDisplayOrder(list, keys, item, false);
    }
  }
  for (const IcsEntry& e : calendar_.entries) {
    if (e.item.repetition != kRepeatNone && Applies(e.item, year, month, day)) {
      InsertInDisplayOrder(list, keys, e.item, false);
    }
  }
  return list;
}

ScheduleList IcsScheduleStore::Month(int year, int month) const {
  ScheduleList all;
  for (int d = 1; d <= DaysInMonth(year, month); ++d) {
    for (_SCHE_MEM_ITEM& item : Day(year, month, d)) {
      item.day = static_cast<std::uint8_t>(d);
      all.push_back(std::move(item));
    }
  }
  return all;
}

IcsEntry* IcsScheduleStore::Find(const std::string& identifier) {
  if (identifier.empty()) return nullptr;
  for (IcsEntry& e : calendar_.entries) {
    if (e.item.Identifier() == identifier) return &e;
  }
  return nullptr;
}

std::string IcsScheduleStore::NewIdentifier(const _SCHE_MEM_ITEM& item) {
  ClockTime now = clock_.LocalNow();
  for (int tries = 0;; ++tries) {
    const std::string id = FormatIdentifier(
        item, {now.year, now.month, now.day, now.hour, now.minute, now.second, now.milliseconds});
    if (!Find(id) || tries == 100000) return id;
    if (++now.milliseconds < 1000) continue;
    now.milliseconds = 0;
    if (++now.second == 60) now.second = 0, now = AddMinutes(now, 1);
  }
}

void IcsScheduleStore::Add(const _SCHE_MEM_ITEM& item) {
  IcsEntry entry;
  entry.item = item;
  entry.item.weekdays |= 0x80;
  if (entry.item.Identifier().size() != 25 || Find(entry.item.Identifier())) {
    entry.item.SetIdentifier(NewIdentifier(entry.item));
  }
  calendar_.entries.push_back(std::move(entry));
  modified_ = true;
}

void IcsScheduleStore::Delete(const _SCHE_MEM_ITEM& item) {
  IcsEntry* found = Find(item.Identifier());
  if (!found) return;
  calendar_.entries.erase(calendar_.entries.begin() + (found - calendar_.entries.data()));
  modified_ = true;
}

void IcsScheduleStore::Replace(const _SCHE_MEM_ITEM& old_item, const _SCHE_MEM_ITEM& new_item) {
  IcsEntry* found = Find(old_item.Identifier());
  if (!found) {
    Add(new_item);
    return;
  }
  IcsEntry entry;
  entry.uid = found->uid;
  entry.item = new_item;
  entry.item.weekdays |= 0x80;
  entry.item.identifier.fill(0);
  *found = entry;
  // Stamped after the old identifier is gone, so the new one cannot collide with it.
  found->item.SetIdentifier(NewIdentifier(found->item));
  if (found->uid.empty()) found->uid = old_item.Identifier() + "@quorel";
  modified_ = true;
}

int IcsScheduleStore::Save() {
  if (!modified_) return 0;
  if (blocked_) return 5;  // ERROR_ACCESS_DENIED: the unreadable file stays as it is
  const int error = fs_.Write(path_, FormatIcsCalendar(calendar_));
  if (error == 0) modified_ = false;
  return error;
}

}  // namespace quorel

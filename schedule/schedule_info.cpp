#include "schedule/schedule_info.h"

#include <cstdio>

#include "app/data_folders.h"
#include "base/string_table.h"
#include "calendar/holidays.h"
#include "schedule/schedule_backups.h"

namespace quorel {

namespace {

constexpr unsigned kMessageFolderFailed = 522;
constexpr unsigned kMessageSaveFailed = 523;
constexpr unsigned kMessageSetAside = 63100;
constexpr unsigned kMessageUnreadable = 63102;

constexpr int kErrorFileNotFound = 2;
constexpr int kErrorPathNotFound = 3;
constexpr int kErrorInvalidData = 13;
constexpr std::size_t kMaxScheduleFile = 64u * 1024 * 1024;
constexpr std::size_t kMaxPlacesFile = 64 * 1024;
constexpr std::size_t kMaxPlaceLine = 95;

std::string Format(unsigned number, const std::string& text, int code) {
  const std::string pattern = LoadText(number);
  std::vector<char> out(pattern.size() + text.size() + 32);
  std::snprintf(out.data(), out.size(), pattern.c_str(), text.c_str(), code);
  return out.data();
}

std::string FormatCode(unsigned number, int code) {
  const std::string pattern = LoadText(number);
  std::vector<char> out(pattern.size() + 32);
  std::snprintf(out.data(), out.size(), pattern.c_str(), code);
  return out.data();
}

std::string FormatTwo(unsigned number, const std::string& a, const std::string& b) {
  const std::string pattern = LoadText(number);
  std::vector<char> out(pattern.size() + a.size() + b.size() + 8);
  std::snprintf(out.data(), out.size(), pattern.c_str(), a.c_str(), b.c_str());
  return out.data();
}

int EndDay(const _SCHE_MEM_ITEM& item) { return DayNumber(item.end_year, item.end_month, item.end_day); }

bool RepeatApplies(const _SCHE_MEM_ITEM& item, int year, int month, int day) {
  if (item.range_start_year == 0 && item.range_start_month == 0 && item.range_start_day == 0 &&
      item.range_end_year == 0 && item.range_end_month == 0 && item.range_end_day == 0) {
    return false;
  }
  if (!IsValidDate(year, month, day)) return false;
  const int d = DayNumber(year, month, day);
  const int first = DayNumber(item.range_start_year, item.range_start_month, item.range_start_day);
  const int last = DayNumber(item.range_end_year, item.range_end_month, item.range_end_day);
  if (last < first || d < first || d > last) return false;
  switch (item.repetition) {
    case kRepeatYearly: return item.month == month && item.day == day;
    case kRepeatMonthly: return item.day == day;
    case kRepeatDaily: return true;
    case kRepeatWeekly: return (item.weekdays >> Weekday(year, month, day)) & 1;
    default: return false;
  }
}

}  // namespace

unsigned DaysWithSchedules(const MonthSchedules& lists) {
  unsigned bits = 0;
  for (std::size_t d = 0; d < lists.size(); ++d) {
    if (!lists[d].empty()) bits |= 1u << d;
  }
  return bits;
}

void InsertInDisplayOrder(ScheduleList& list, std::vector<int>& keys, const _SCHE_MEM_ITEM& item,
                          bool continuation) {
  std::size_t at = 0;
  int key = -1;
  if (item.NoTime()) {
    while (at < list.size() && list[at].NoTime()) ++at;
  } else {
    key = continuation ? 0 : item.start_hour * 60 + item.start_minute;
    while (at < list.size() && (keys[at] < 0 || keys[at] <= key)) ++at;
  }
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), item);
  keys.insert(keys.begin() + static_cast<std::ptrdiff_t>(at), key);
}

CScheduleInfo::CScheduleInfo(ScheduleEnvironment env) : env_(std::move(env)) {
  years_.resize(kLastScheduleYear - kFirstScheduleYear + 1);
  ReadPlaces();
}

CScheduleInfo::~CScheduleInfo() { SaveSchedules(); }

void CScheduleInfo::Show(unsigned number, const std::string& text) {
  if (env_.show_message) env_.show_message(number, text);
}

std::string CScheduleInfo::FilePath(int year) const {
  char name[32];
  std::snprintf(name, sizeof name, "sche%04d.dat", year);
  return env_.folder + name;
}

bool CScheduleInfo::IsModified(int year) const {
  if (year == kRepeatFileYear) return repeat_state_.modified;
  if (year < kFirstScheduleYear || year > kLastScheduleYear) return false;
  const auto& slot = years_[year - kFirstScheduleYear];
  return slot && slot->file.modified;
}

void CScheduleInfo::ReadFile(int year, FileState& state, ScheduleList& items) {
  state = FileState();
  state.loaded = true;
  items.clear();
  if (env_.folder.empty() || !env_.fs) return;
  const std::string path = FilePath(year);
  std::string bytes;
  const int error = env_.fs->Read(path, kMaxScheduleFile + 1, bytes);
  if (error == kErrorFileNotFound || error == kErrorPathNotFound) return;  // an empty year
  ParsedScheduleFile parsed;
  if (error == 0 && bytes.size() <= kMaxScheduleFile) {
    parsed = ParseScheduleFile(bytes, year != kRepeatFileYear);
    items = std::move(parsed.items);
    if (parsed.state == ScheduleFileState::kRead || parsed.state == ScheduleFileState::kEmpty) return;
  }
  // Damaged or unreadable: what was read is shown, but the file is kept aside
  // so that no save of the part that was read replaces it.
  state.damaged = true;
  std::string aside = path + ".damaged";
  for (int n = 2; env_.fs->Exists(aside) && n < 100; ++n) aside = path + ".damaged" + std::to_string(n);
  if (error == 0 && env_.fs->Move(path, aside)) {
    Show(kMessageSetAside, FormatTwo(kMessageSetAside, path, aside));
  } else {
    state.blocked = true;
    state.read_error = error ? error : kErrorInvalidData;
    Show(kMessageUnreadable, Format(kMessageUnreadable, path, state.read_error));
  }
}

CScheduleInfo::Slot* CScheduleInfo::YearSlot(int year) {
  if (year < kFirstScheduleYear || year > kLastScheduleYear) return nullptr;
  auto& slot = years_[year - kFirstScheduleYear];
  if (!slot) slot = std::make_unique<Slot>();
  if (!slot->file.loaded) {
    ScheduleList items;
    ReadFile(year, slot->file, items);
    for (auto& item : items) slot->days[item.month - 1][item.day - 1].push_back(std::move(item));
  }
  return slot.get();
}

void CScheduleInfo::LoadRepeat() {
  if (!repeat_state_.loaded) ReadFile(kRepeatFileYear, repeat_state_, repeat_);
}

void CScheduleInfo::AddContinuing(int year, int month, int day, ScheduleList& list, std::vector<int>& keys) {
  const int d = DayNumber(year, month, day);
  for (int e = d - kContinuationDays; e < d; ++e) {
    int y, m, dd;
    DateOfDayNumber(e, y, m, dd);
    Slot* slot = y >= kFirstScheduleYear ? YearSlot(y) : nullptr;
    if (!slot) continue;
    for (const auto& item : slot->days[m - 1][dd - 1]) {
      if (item.MultiDay() && EndDay(item) >= d) InsertInDisplayOrder(list, keys, item, true);
    }
  }
}

void CScheduleInfo::AddRepeats(int year, int month, int day, ScheduleList& list, std::vector<int>& keys) {
  for (const auto& item : repeat_) {
    if (RepeatApplies(item, year, month, day)) InsertInDisplayOrder(list, keys, item, false);
  }
}

int CScheduleInfo::GetDaySchedules(int year, int month, int day, ScheduleList& list) {
  list.clear();
  if (year < kFirstScheduleYear || year > kLastScheduleYear - 1 || !IsValidDate(year, month, day)) return 0;
  if (sync_) {
    list = sync_->DayItems(year, month, day);
    return static_cast<int>(list.size());
  }
  Slot* slot = YearSlot(year);
  LoadRepeat();
  std::vector<int> keys;
  AddContinuing(year, month, day, list, keys);
  for (const auto& item : slot->days[month - 1][day - 1]) InsertInDisplayOrder(list, keys, item, false);
  AddRepeats(year, month, day, list, keys);
  return static_cast<int>(list.size());
}

int CScheduleInfo::GetMonthSchedules(int year, int month, MonthSchedules& lists) {
  for (auto& list : lists) list.clear();
  if (year < kFirstScheduleYear || year > kLastScheduleYear - 1 || month < 1 || month > 12) return 0;
  int filled = 0;
  if (sync_) {
    for (auto& item : sync_->MonthItems(year, month)) {
      // A day the month does not have would index past its lists or show on no day.
      if (item.day >= 1 && item.day <= DaysInMonth(year, month)) lists[item.day - 1].push_back(std::move(item));
    }
    for (const auto& list : lists) filled += list.empty() ? 0 : 1;
    return filled;
  }
  Slot* slot = YearSlot(year);
  LoadRepeat();
  for (int d = 1; d <= DaysInMonth(year, month); ++d) {
    std::vector<int> keys;
    for (const auto& item : slot->days[month - 1][d - 1]) InsertInDisplayOrder(lists[d - 1], keys, item, false);
    AddContinuing(year, month, d, lists[d - 1], keys);
    AddRepeats(year, month, d, lists[d - 1], keys);
    filled += lists[d - 1].empty() ? 0 : 1;
  }
  return filled;
}

bool CScheduleInfo::AddSchedule(_SCHE_MEM_ITEM& item) {
  if (sync_) {
    // An added entry is always a new one: a copy of a stored entry ("register
    // as new") must not reach the plug-in under the identifier of the original.
    item.SetIdentifier("");
    sync_->Add(item);
    return true;
  }
  const bool repeating = item.repetition != kRepeatNone;
  if (!repeating && (!IsValidDate(item.year, item.month, item.day) || item.year < kFirstScheduleYear ||
                     item.year > kLastScheduleYear)) {
    return false;
  }
  item.weekdays |= 0x80;  // entries in memory carry weekday bits, never the old index
  ClockTime now;
  if (env_.clock) now = env_.clock->LocalNow();
  item.SetIdentifier(FormatIdentifier(
      item, {now.year, now.month, now.day, now.hour, now.minute, now.second, now.milliseconds}));
  if (repeating) {
    LoadRepeat();
    repeat_.push_back(item);
    repeat_state_.modified = true;
  } else {
    Slot* slot = YearSlot(item.year);
    slot->days[item.month - 1][item.day - 1].push_back(item);
    slot->file.modified = true;
  }
  return true;
}

void CScheduleInfo::DeleteSchedule(const _SCHE_MEM_ITEM& item) {
  if (sync_) {
    sync_->Delete(item);
    return;
  }
  const std::string id = item.Identifier();
  if (id.size() != 25) return;
  for (char c : id) {
    if (c < '0' || c > '9') return;
  }
  const int year = std::stoi(id.substr(0, 4));
  const int month = std::stoi(id.substr(4, 2));
  const int day = std::stoi(id.substr(6, 2));
  ScheduleList* list = nullptr;
  bool* modified = nullptr;
  if (year == kRepeatFileYear) {
    if (!repeat_state_.loaded) return;
    list = &repeat_;
    modified = &repeat_state_.modified;
  } else {
    if (year < kFirstScheduleYear || year > kLastScheduleYear || month < 1 || month > 12 || day < 1 || day > 31) {
      return;
    }
    auto& slot = years_[year - kFirstScheduleYear];
    if (!slot || !slot->file.loaded) return;
    list = &slot->days[month - 1][day - 1];
    modified = &slot->file.modified;
  }
  for (auto it = list->begin(); it != list->end(); ++it) {
    if (it->Identifier() == id) {
      list->erase(it);
      *modified = true;
      return;
    }
  }
}

bool CScheduleInfo::ReplaceSchedule(const _SCHE_MEM_ITEM& old_item, _SCHE_MEM_ITEM& new_item) {
  if (sync_) {
    sync_->Replace(old_item, new_item);
    return true;
  }
  DeleteSchedule(old_item);
  return AddSchedule(new_item);
}

bool CScheduleInfo::SaveFile(int year, FileState& state, const ScheduleList& items) {
  const std::string path = FilePath(year);
  if (state.blocked) {
    // The file could not be read whole nor set aside: writing would lose it.
    if (!state.blocked_reported) Show(kMessageSaveFailed, FormatCode(kMessageSaveFailed, state.read_error));
    state.blocked_reported = true;
    return false;
  }
  std::uint8_t major = 0, minor = 0;
  VersionBytes(env_.version_text, major, minor);
  const std::string bytes = FormatScheduleFile(items, major, minor);
  int error = env_.fs->Write(path, bytes);
  if (error == 0) {
    std::string back;
    if (env_.fs->Read(path, bytes.size() + 1, back) != 0 || back != bytes) error = kErrorInvalidData;
  }
  if (error != 0) {
    Show(kMessageSaveFailed, FormatCode(kMessageSaveFailed, error));
    return false;  // still modified: the next save tries again
  }
  // After damage the backups hold the year as it was before: a save of the
  // part that could be read must not push them out.
  if (!state.damaged) RotateBackups(*env_.fs, path, env_.backup_generations);
  state.modified = false;
  return true;
}

bool CScheduleInfo::SaveSchedules() {
  if (sync_) {
    sync_->Save();
    return true;
  }
  if (env_.folder.empty() || !env_.fs) return true;
  bool pending = repeat_state_.loaded && repeat_state_.modified;
  for (const auto& slot : years_) pending = pending || (slot && slot->file.loaded && slot->file.modified);
  if (!pending) return true;
  if (!EnsureFolderExists(*env_.fs, env_.folder)) {
    std::string folder = env_.folder;
    if (folder.size() > 1 && folder.back() == '\\') folder.pop_back();
    Show(kMessageFolderFailed, Format(kMessageFolderFailed, folder, kErrorPathNotFound));
  }
  bool all = true;
  for (int year = kFirstScheduleYear; year <= kLastScheduleYear; ++year) {
    auto& slot = years_[year - kFirstScheduleYear];
    if (!slot || !slot->file.loaded || !slot->file.modified) continue;
    ScheduleList items;  // day by day, each day in list order
    for (const auto& month : slot->days) {
      for (const auto& day : month) items.insert(items.end(), day.begin(), day.end());
    }
    all = SaveFile(year, slot->file, items) && all;
  }
  if (repeat_state_.loaded && repeat_state_.modified) all = SaveFile(kRepeatFileYear, repeat_state_, repeat_) && all;
  return all;
}

void CScheduleInfo::NewSchedule(_SCHE_MEM_ITEM& item) const {
  item = _SCHE_MEM_ITEM();
  item.notice_flags = env_.notice_flags;
  item.notice_lead = env_.notice_lead;
  item.notice_sound_kind = env_.notice_sound_kind;
  item.notice_sound_file = env_.notice_sound_file;
}

std::vector<_SCHE_KIND_INFO> CScheduleInfo::GetKinds() {
  if (sync_ && !kinds_asked_) {
    kinds_asked_ = true;
    std::vector<_SCHE_KIND_INFO> kinds;
    if (sync_->Kinds(kinds)) kinds_ = kinds;
  }
  return kinds_;
}

void CScheduleInfo::ReadPlaces() {
  for (auto& place : places_) place.clear();
  if (env_.folder.empty() || !env_.fs) return;
  std::string bytes;
  if (env_.fs->Read(env_.folder + "places.txt", kMaxPlacesFile, bytes) != 0) return;
  std::size_t at = 0;
  for (auto& place : places_) {
    if (at >= bytes.size()) break;
    std::size_t end = at;
    while (end < bytes.size() && end - at < kMaxPlaceLine && bytes[end] != '\n') ++end;
    std::string line = bytes.substr(at, end - at);
    at = end < bytes.size() && bytes[end] == '\n' ? end + 1 : end;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    place = line;
  }
}

void CScheduleInfo::WritePlaces() {
  if (env_.folder.empty() || !env_.fs) return;
  std::string bytes;
  for (const auto& place : places_) bytes += place + "\r\n";
  env_.fs->Write(env_.folder + "places.txt", bytes);
}

void CScheduleInfo::AddPlace(const std::string& place) {
  if (place.empty()) return;
  if (places_[0].empty()) {
    places_[0] = place;
  } else {
    int k = kPlaceCount - 1;
    for (int i = 0; i < kPlaceCount; ++i) {
      if (places_[i] == place) {
        k = i;
        break;
      }
    }
    if (k == 0) return;
    for (int i = k; i > 0; --i) places_[i] = places_[i - 1];
    places_[0] = place;
  }
  WritePlaces();
}

}  // namespace quorel

// The schedule store: the entries by date in memory, read lazily from one file
// per year and one of repeating entries, the day and month queries of the
// schedule window and the calendar, the changes and their saving (each save
// replaces the file through a new one and keeps backup generations), and the
// list of recent places. While a synchronisation plug-in is active, queries
// and changes go to it instead and no file is used.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "base/clock_time.h"
#include "schedule/schedule_item.h"

namespace quorel {

constexpr int kFirstScheduleYear = 2000;
constexpr int kLastScheduleYear = 2100;  // slots; dates of 2000-2099 are shown
constexpr int kRepeatFileYear = 9999;
constexpr int kPlaceCount = 15;
constexpr int kContinuationDays = 20;  // a multi-day entry lasts at most this many days after its first

struct _SCHE_KIND_INFO {
  std::string name;
  std::int16_t kind = 0;
};

// A synchronisation plug-in as the store sees it.
class ScheduleSync {
 public:
  virtual ~ScheduleSync() = default;
  virtual ScheduleList DayItems(int year, int month, int day) = 0;
  virtual ScheduleList MonthItems(int year, int month) = 0;  // each entry's day says where it goes
  virtual void Add(const _SCHE_MEM_ITEM& item) = 0;
  virtual void Delete(const _SCHE_MEM_ITEM& item) = 0;
  virtual void Replace(const _SCHE_MEM_ITEM& old_item, const _SCHE_MEM_ITEM& new_item) = 0;
  virtual void Save() = 0;
  virtual void Reload() = 0;
  virtual bool Kinds(std::vector<_SCHE_KIND_INFO>& kinds) = 0;
};

struct ScheduleEnvironment {
  FileSystem* fs = nullptr;
  TimeSource* clock = nullptr;  // local time stamps the identifiers
  std::string folder;           // user data folder with its trailing backslash; "" = no files
  std::string version_text = "v7.84";
  int backup_generations = 3;  // "スケジュール情報のバックアップ世代数"
  // New entries' reminder (without a clock window: 16, 5, 0 and no file).
  std::int16_t notice_flags = 16;
  std::int16_t notice_lead = 5;
  std::int32_t notice_sound_kind = 0;
  std::string notice_sound_file;
  // Shows a message of the string table, already formatted (CP932).
  std::function<void(unsigned number, const std::string& text)> show_message;
};

using MonthSchedules = std::array<ScheduleList, 31>;

class CScheduleInfo {
 public:
  explicit CScheduleInfo(ScheduleEnvironment env);
  ~CScheduleInfo();  // saves what is still modified
  CScheduleInfo(const CScheduleInfo&) = delete;
  CScheduleInfo& operator=(const CScheduleInfo&) = delete;

  void SetSync(ScheduleSync* sync) { sync_ = sync; }
  ScheduleSync* sync() const { return sync_; }

  int GetDaySchedules(int year, int month, int day, ScheduleList& list);
  int GetMonthSchedules(int year, int month, MonthSchedules& lists);
  // Stamps the identifier and stores the entry; false for a date no list holds.
  bool AddSchedule(_SCHE_MEM_ITEM& item);
  void DeleteSchedule(const _SCHE_MEM_ITEM& item);
  bool ReplaceSchedule(const _SCHE_MEM_ITEM& old_item, _SCHE_MEM_ITEM& new_item);
  // True when every modified year (and the repeat list) is on disk.
  bool SaveSchedules();
  void NewSchedule(_SCHE_MEM_ITEM& item) const;
  std::vector<_SCHE_KIND_INFO> GetKinds();
  // The views' re-read after a change elsewhere: the plug-in reloads its data.
  void ReloadSchedules() {
    if (sync_) sync_->Reload();
  }

  void AddPlace(const std::string& place);
  const std::array<std::string, kPlaceCount>& GetPlaces() const { return places_; }

  // The file of a year (or kRepeatFileYear).
  std::string FilePath(int year) const;
  bool IsModified(int year) const;
  void SetBackupGenerations(int generations) { env_.backup_generations = generations; }

 private:
  struct FileState {
    bool loaded = false;
    bool modified = false;
    bool blocked = false;  // damaged and not set aside: never written over
    bool blocked_reported = false;
    bool damaged = false;  // found damaged: its backups are from before, keep them
    int read_error = 0;
  };
  struct Slot {
    FileState file;
    std::array<std::array<ScheduleList, 31>, 12> days;
  };
  Slot* YearSlot(int year);  // loaded; null outside the slots
  void LoadRepeat();
  void ReadFile(int year, FileState& state, ScheduleList& items);
  bool SaveFile(int year, FileState& state, const ScheduleList& items);
  void ReadPlaces();
  void WritePlaces();
  void AddRepeats(int year, int month, int day, ScheduleList& list, std::vector<int>& keys);
  void AddContinuing(int year, int month, int day, ScheduleList& list, std::vector<int>& keys);
  void Show(unsigned number, const std::string& text);

  ScheduleEnvironment env_;
  ScheduleSync* sync_ = nullptr;
  std::vector<std::unique_ptr<Slot>> years_;
  FileState repeat_state_;
  ScheduleList repeat_;
  std::array<std::string, kPlaceCount> places_;
  bool kinds_asked_ = false;
  std::vector<_SCHE_KIND_INFO> kinds_;
};

// Bit d-1 set for each day of the month that has an entry (the calendar's marks).
unsigned DaysWithSchedules(const MonthSchedules& lists);

// The display order: entries without time first in insertion order, then by
// start time (a continuation day of a multi-day entry counts as 0:00), equal
// keys in insertion order. `keys` runs beside `list`.
void InsertInDisplayOrder(ScheduleList& list, std::vector<int>& keys, const _SCHE_MEM_ITEM& item, bool continuation);

}  // namespace quorel

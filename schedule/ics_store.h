// The schedule kept by the iCalendar plug-in: every entry of one .ics file in
// memory, the day and month views the program asks for, and the changes,
// written back whole (through a new file renamed over the old one).
#pragma once

#include <string>

#include "base/clock_time.h"
#include "base/file_system.h"
#include "schedule/ics_calendar.h"

namespace quorel {

class IcsScheduleStore {
 public:
  IcsScheduleStore(FileSystem& fs, TimeSource& clock, std::string path, IcsReadOptions options)
      : fs_(fs), clock_(clock), path_(std::move(path)), options_(std::move(options)) {}

  // Reads the file. A missing file is an empty schedule; a file that cannot
  // be read is never written over. Changes not yet saved are saved first and
  // kept when that fails.
  void Load();
  // The entries shown on a day, in display order (multi-day entries
  // continuing from earlier days, the day's own, then the repeating ones).
  ScheduleList Day(int year, int month, int day) const;
  // Every day's entries of the month, each with its day field set to the day it is shown on.
  ScheduleList Month(int year, int month) const;

  // An entry without an identifier, or with one already in use, gets a new one.
  void Add(const _SCHE_MEM_ITEM& item);
  void Delete(const _SCHE_MEM_ITEM& item);
  // The new entry takes the old one's place (and its UID, so that other
  // programs see a change) under a new identifier; added when the old one is gone.
  void Replace(const _SCHE_MEM_ITEM& old_item, const _SCHE_MEM_ITEM& new_item);
  // 0 when the file holds every entry, else the system's error code.
  int Save();

  const IcsCalendar& calendar() const { return calendar_; }
  bool modified() const { return modified_; }
  const std::string& path() const { return path_; }

 private:
  IcsEntry* Find(const std::string& identifier);
  std::string NewIdentifier(const _SCHE_MEM_ITEM& item);

  FileSystem& fs_;
  TimeSource& clock_;
  std::string path_;
  IcsReadOptions options_;
  IcsCalendar calendar_;
  bool modified_ = false;
  bool blocked_ = false;  // the file exists but could not be read
};

}  // namespace quorel

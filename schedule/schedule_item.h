// One schedule entry and its file record: four strings and a packed block of
// 91 bytes, which is also the head of the record in the year files
// "sche%04d.dat" (and "sche9999.dat" for the repeating entries).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quorel {

constexpr std::size_t kPackedItemSize = 91;
constexpr std::size_t kRecordHeadSize = kPackedItemSize + 8;  // the block and four string lengths
constexpr int kMaxRecordString = 4096;                       // bytes, terminator included
constexpr std::size_t kContentLimit = 64;
constexpr std::size_t kPlaceLimit = 48;
constexpr std::size_t kMemoLimit = 64;

enum ScheduleFlags : std::uint16_t { kItemReadOnly = 1, kItemNoTime = 2, kItemPrivate = 4 };
enum ScheduleRepeat : std::int32_t { kRepeatNone = 0, kRepeatYearly, kRepeatMonthly, kRepeatDaily, kRepeatWeekly };

struct _SCHE_MEM_ITEM {
  std::string notice_sound_file;
  std::string content;
  std::string place;
  std::string memo;
  // The packed block, offsets in the comments.
  std::array<char, 26> identifier{};  // 0: 25 digits and a terminator
  std::uint16_t flags = 0;            // 26
  std::int16_t kind = 0;              // 28
  std::int16_t year = 0;              // 30
  std::uint8_t month = 0;             // 32
  std::uint8_t day = 0;               // 33
  std::uint8_t weekdays = 0;          // 34: bit 0 Sunday ... bit 6 Saturday, bit 7 set
  std::uint8_t start_hour = 0;        // 35
  std::uint8_t start_minute = 0;      // 36
  std::uint8_t end_hour = 0;          // 37
  std::uint8_t end_minute = 0;        // 38
  std::int32_t repetition = 0;        // 39
  std::int16_t range_start_year = 0;  // 43
  std::uint8_t range_start_month = 0;
  std::uint8_t range_start_day = 0;
  std::int16_t range_end_year = 0;  // 47
  std::uint8_t range_end_month = 0;
  std::uint8_t range_end_day = 0;
  std::int16_t notice_flags = 0;       // 51
  std::int16_t notice_lead = 0;        // 53
  std::int32_t notice_sound_kind = 0;  // 55
  std::int16_t end_year = 0;           // 59: last day of a multi-day entry, 0 = one day
  std::uint8_t end_month = 0;
  std::uint8_t end_day = 0;
  std::array<std::uint8_t, 28> reserved{};  // 63..90, kept as read

  std::string Identifier() const;  // up to the terminator
  void SetIdentifier(const std::string& digits);
  bool NoTime() const { return (flags & kItemNoTime) != 0; }
  bool MultiDay() const { return end_year != 0; }
};

using ScheduleList = std::vector<_SCHE_MEM_ITEM>;

std::array<std::uint8_t, kPackedItemSize> PackItem(const _SCHE_MEM_ITEM& item);
void UnpackItem(const std::uint8_t* block, _SCHE_MEM_ITEM& item);

// "%04d%02d%02d%04d%02d%02d%02d%02d%02d%03d": the entry's date (9999, 99, 99
// for a repeating entry), then the moment it was stored.
struct StampTime {
  int year, month, day, hour, minute, second, milliseconds;
};
std::string FormatIdentifier(const _SCHE_MEM_ITEM& item, const StampTime& now);

enum class ScheduleFileState {
  kRead,       // every record read
  kEmpty,      // no bytes at all
  kForeign,    // a version byte missing or zero: nothing read
  kTruncated,  // ended inside a record: the records before it were kept
  kBadRecord,  // a record with impossible fields: the records before it were kept
};

struct ParsedScheduleFile {
  ScheduleFileState state = ScheduleFileState::kRead;
  ScheduleList items;
};

// `year_file`: a file of dated entries, whose month and day index the day lists.
ParsedScheduleFile ParseScheduleFile(const std::string& bytes, bool year_file);
// The version bytes and the records, in the given order.
std::string FormatScheduleFile(const ScheduleList& items, std::uint8_t major, std::uint8_t minor);
// "v7.84" -> 7 and 84.
void VersionBytes(const std::string& version_text, std::uint8_t& major, std::uint8_t& minor);

}  // namespace quorel

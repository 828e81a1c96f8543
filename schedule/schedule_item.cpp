#include "schedule/schedule_item.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace quorel {

namespace {

struct Writer {
  std::uint8_t* p;
  void U8(std::uint8_t v) { *p++ = v; }
  void U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v & 0xFF));
    U8(static_cast<std::uint8_t>(v >> 8));
  }
  void U32(std::uint32_t v) {
    U16(static_cast<std::uint16_t>(v & 0xFFFF));
    U16(static_cast<std::uint16_t>(v >> 16));
  }
};

struct Reader {
  const std::uint8_t* p;
  std::uint8_t U8() { return *p++; }
  std::uint16_t U16() {
    std::uint16_t lo = U8();
    return static_cast<std::uint16_t>(lo | (U8() << 8));
  }
  std::uint32_t U32() {
    std::uint32_t lo = U16();
    return lo | (static_cast<std::uint32_t>(U16()) << 16);
  }
};

// The old files kept a weekday index 0..6 where the bits now are.
std::uint8_t ConvertWeekdays(std::uint8_t value) {
  if (value & 0x80) return value;
  return static_cast<std::uint8_t>(0x80 | (value <= 6 ? 1u << value : 0u));
}

}  // namespace

std::string _SCHE_MEM_ITEM::Identifier() const {
  std::size_t n = 0;
  while (n < identifier.size() && identifier[n]) ++n;
  return std::string(identifier.data(), n);
}

void _SCHE_MEM_ITEM::SetIdentifier(const std::string& digits) {
  identifier.fill(0);
  std::memcpy(identifier.data(), digits.data(), std::min(digits.size(), identifier.size() - 1));
}

std::array<std::uint8_t, kPackedItemSize> PackItem(const _SCHE_MEM_ITEM& item) {
  std::array<std::uint8_t, kPackedItemSize> block{};
  std::memcpy(block.data(), item.identifier.data(), 26);
  Writer w{block.data() + 26};
  w.U16(item.flags);
  w.U16(static_cast<std::uint16_t>(item.kind));
  w.U16(static_cast<std::uint16_t>(item.year));
  w.U8(item.month);
  w.U8(item.day);
  w.U8(item.weekdays);
  w.U8(item.start_hour);
  w.U8(item.start_minute);
  w.U8(item.end_hour);
  w.U8(item.end_minute);
  w.U32(static_cast<std::uint32_t>(item.repetition));
  w.U16(static_cast<std::uint16_t>(item.range_start_year));
  w.U8(item.range_start_month);
  w.U8(item.range_start_day);
  w.U16(static_cast<std::uint16_t>(item.range_end_year));
  w.U8(item.range_end_month);
  w.U8(item.range_end_day);
  w.U16(static_cast<std::uint16_t>(item.notice_flags));
  w.U16(static_cast<std::uint16_t>(item.notice_lead));
  w.U32(static_cast<std::uint32_t>(item.notice_sound_kind));
  w.U16(static_cast<std::uint16_t>(item.end_year));
  w.U8(item.end_month);
  w.U8(item.end_day);
  std::memcpy(w.p, item.reserved.data(), item.reserved.size());
  return block;
}

void UnpackItem(const std::uint8_t* block, _SCHE_MEM_ITEM& item) {
  std::memcpy(item.identifier.data(), block, 26);
  Reader r{block + 26};
  item.flags = r.U16();
  item.kind = static_cast<std::int16_t>(r.U16());
  item.year = static_cast<std::int16_t>(r.U16());
  item.month = r.U8();
  item.day = r.U8();
  item.weekdays = r.U8();
  item.start_hour = r.U8();
  item.start_minute = r.U8();
  item.end_hour = r.U8();
  item.end_minute = r.U8();
  item.repetition = static_cast<std::int32_t>(r.U32());
  item.range_start_year = static_cast<std::int16_t>(r.U16());
  item.range_start_month = r.U8();
  item.range_start_day = r.U8();
  item.range_end_year = static_cast<std::int16_t>(r.U16());
  item.range_end_month = r.U8();
  item.range_end_day = r.U8();
  item.notice_flags = static_cast<std::int16_t>(r.U16());
  item.notice_lead = static_cast<std::int16_t>(r.U16());
  item.notice_sound_kind = static_cast<std::int32_t>(r.U32());
  item.end_year = static_cast<std::int16_t>(r.U16());
  item.end_month = r.U8();
  item.end_day = r.U8();
  std::memcpy(item.reserved.data(), r.p, item.reserved.size());
}

std::string FormatIdentifier(const _SCHE_MEM_ITEM& item, const StampTime& now) {
  const bool repeating = item.repetition != kRepeatNone;
  char text[64];
  std::snprintf(text, sizeof text, "%04d%02d%02d%04d%02d%02d%02d%02d%02d%03d", repeating ? 9999 : item.year,
                repeating ? 99 : item.month, repeating ? 99 : item.day, now.year, now.month, now.day, now.hour,
                now.minute, now.second, now.milliseconds);
  return text;
}

ParsedScheduleFile ParseScheduleFile(const std::string& bytes, bool year_file) {
  ParsedScheduleFile out;
  if (bytes.empty()) {
    out.state = ScheduleFileState::kEmpty;
    return out;
  }
  if (bytes.size() < 2 || bytes[0] == 0 || bytes[1] == 0) {
    out.state = ScheduleFileState::kForeign;
    return out;
  }
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
  std::size_t at = 2;
  while (at < bytes.size()) {
    if (bytes.size() - at < kRecordHeadSize) {
      out.state = ScheduleFileState::kTruncated;
      return out;
    }
    _SCHE_MEM_ITEM item;
    UnpackItem(data + at, item);
    Reader lengths{data + at + kPackedItemSize};
    at += kRecordHeadSize;
    int length[4];
    bool bad = std::memchr(item.identifier.data(), 0, item.identifier.size()) == nullptr;
    for (int& n : length) {
      n = static_cast<std::int16_t>(lengths.U16());
      if (n < 1 || n > kMaxRecordString) bad = true;
    }
    if (year_file && (item.month < 1 || item.month > 12 || item.day < 1 || item.day > 31)) bad = true;
    if (bad) {
      out.state = ScheduleFileState::kBadRecord;
      return out;
    }
    std::string* fields[4] = {&item.notice_sound_file, &item.content, &item.place, &item.memo};
    for (int i = 0; i < 4; ++i) {
      if (bytes.size() - at < static_cast<std::size_t>(length[i])) {
        out.state = ScheduleFileState::kTruncated;
        return out;
      }
      const char* text = bytes.data() + at;
      fields[i]->assign(text, strnlen(text, static_cast<std::size_t>(length[i])));
      at += static_cast<std::size_t>(length[i]);
    }
    item.weekdays = ConvertWeekdays(item.weekdays);
    out.items.push_back(std::move(item));
  }
  return out;
}

std::string FormatScheduleFile(const ScheduleList& items, std::uint8_t major, std::uint8_t minor) {
  std::string out;
  out += static_cast<char>(major);
  out += static_cast<char>(minor);
  for (const _SCHE_MEM_ITEM& item : items) {
    const auto block = PackItem(item);
    out.append(reinterpret_cast<const char*>(block.data()), block.size());
    const std::string* fields[4] = {&item.notice_sound_file, &item.content, &item.place, &item.memo};
    std::string strings;
    for (const std::string* field : fields) {
      // A string ends at its first zero byte, and a record holds at most 4096 bytes of one.
      std::string text = field->substr(0, std::min(field->find('\0'), std::size_t(kMaxRecordString - 1)));
      const std::uint16_t n = static_cast<std::uint16_t>(text.size() + 1);
      out += static_cast<char>(n & 0xFF);
      out += static_cast<char>(n >> 8);
      strings += text;
      strings += '\0';
    }
    out += strings;
  }
  return out;
}

void VersionBytes(const std::string& version_text, std::uint8_t& major, std::uint8_t& minor) {
  // A letter, the major version, a point and the two-digit minor version.
  const char* text = version_text.c_str();
  if (*text) ++text;
  major = static_cast<std::uint8_t>(std::atoi(text));
  const char* point = std::strchr(text, '.');
  minor = static_cast<std::uint8_t>(point ? std::atoi(point + 1) : 0);
}

}  // namespace quorel

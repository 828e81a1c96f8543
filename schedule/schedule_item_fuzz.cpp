// A schedule year file, the repetition file and places.txt, read through the
// store as the clock reads them from the user data folder.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/clock_time.h"
#include "base/memory_file_system.h"
#include "schedule/schedule_info.h"
#include "schedule/schedule_item.h"

namespace {

class FixedClock : public quorel::TimeSource {
 public:
  quorel::ClockTime LocalNow() override { return Moment(12); }
  quorel::ClockTime UtcNow() override { return Moment(3); }
  static quorel::ClockTime Moment(int hour) {
    quorel::ClockTime t;
    t.year = 2026, t.month = 12, t.day_of_week = 4, t.day = 24, t.hour = hour;
    return t;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  (void)quorel::ParseScheduleFile(bytes, true);
  (void)quorel::ParseScheduleFile(bytes, false);

  quorel::MemoryFileSystem fs;
  fs.AddDirectory("C:\\data");
  fs.AddFile("C:\\data\\sche2026.dat", bytes);
  fs.AddFile("C:\\data\\sche9999.dat", bytes);
  fs.AddFile("C:\\data\\places.txt", bytes);
  FixedClock clock;
  quorel::ScheduleEnvironment env;
  env.fs = &fs;
  env.clock = &clock;
  env.folder = "C:\\data\\";
  env.show_message = [](unsigned, const std::string&) {};
  quorel::CScheduleInfo store(env);
  quorel::MonthSchedules month;
  store.GetMonthSchedules(2026, 12, month);
  quorel::ScheduleList day;
  store.GetDaySchedules(2026, 2, 28, day);
  return 0;
}

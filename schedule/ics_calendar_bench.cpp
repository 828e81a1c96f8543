// The iCalendar plug-in's costs with a large schedule: reading and writing
// the whole file (every change saves it whole), and the month view the
// calendar asks for.
#include <benchmark/benchmark.h>

#include "base/memory_file_system.h"
#include "schedule/ics_calendar.h"
#include "schedule/ics_store.h"

namespace {

using namespace quorel;

// `n` entries over the years 2020-2029: one-off, all-day, multi-day and each repeating kind.
IcsCalendar Large(int n) {
  IcsCalendar calendar;
  for (int i = 0; i < n; ++i) {
    _SCHE_MEM_ITEM item;
    item.year = static_cast<std::int16_t>(2020 + i % 10);
    item.month = static_cast<std::uint8_t>(1 + i % 12);
    item.day = static_cast<std::uint8_t>(1 + i % 28);
    item.start_hour = static_cast<std::uint8_t>(i % 20);
    item.end_hour = static_cast<std::uint8_t>(i % 20 + 1);
    item.weekdays = 0x80;
    item.notice_flags = 17;
    item.notice_lead = 10;
    item.content = "Entry number " + std::to_string(i);
    item.place = "Room " + std::to_string(i % 7);
    switch (i % 6) {
      case 1: item.flags = kItemNoTime; break;
      case 2: item.end_year = item.year, item.end_month = item.month, item.end_day = item.day + 2; break;
      case 3: case 4: case 5:
        item.repetition = i % 6 == 3 ? kRepeatWeekly : i % 6 == 4 ? kRepeatMonthly : kRepeatYearly;
        item.weekdays = 0x80 | 0x2A;
        item.range_start_year = item.year, item.range_start_month = 1, item.range_start_day = 1;
        item.range_end_year = item.year, item.range_end_month = 12, item.range_end_day = 31;
        break;
      default: break;
    }
    char id[64];
    std::snprintf(id, sizeof id, "%04d%02d%02d2020010100%07d", item.year % 10000, item.month % 100, item.day % 100,
                  i % 10000000);
    item.SetIdentifier(id);
    calendar.entries.push_back({item, "", {}});
  }
  return calendar;
}

void BM_ReadIcs(benchmark::State& state) {
  const std::string text = FormatIcsCalendar(Large(static_cast<int>(state.range(0))));
  for (auto _ : state) benchmark::DoNotOptimize(ParseIcsCalendar(text, IcsReadOptions()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadIcs)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_WriteIcs(benchmark::State& state) {
  const IcsCalendar calendar = Large(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(FormatIcsCalendar(calendar));
}
BENCHMARK(BM_WriteIcs)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

class NoClock : public TimeSource {
 public:
  ClockTime LocalNow() override { return ClockTime(); }
  ClockTime UtcNow() override { return ClockTime(); }
};

void BM_MonthView(benchmark::State& state) {
  MemoryFileSystem fs;
  fs.AddDirectory("C:\\d");
  fs.AddFile("C:\\d\\s.ics", FormatIcsCalendar(Large(static_cast<int>(state.range(0)))));
  NoClock clock;
  IcsScheduleStore store(fs, clock, "C:\\d\\s.ics", IcsReadOptions());
  store.Load();
  for (auto _ : state) benchmark::DoNotOptimize(store.Month(2024, 6));
}
BENCHMARK(BM_MonthView)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// The weather feed read with the shipped "Yahoo!" definition: a feed as large
// as the conversion takes (128 KB) of real items, and one of tiny items that
// never scan. Runs on the service's thread, once every few hours.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "app/common_util.h"
#include "net/weather_info.h"

namespace {

using quorel::CCommonUtil;

quorel::CWeatherDefineObjects Yahoo() {
  std::ifstream in(std::string(QUOREL_SOURCE_DIR) + "/net/rssdefine.inf.in", std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  quorel::CWeatherDefine defines;
  defines.LoadText(CCommonUtil::Utf8ToAnsi(s.str()));
  return *defines.Find("Yahoo!");
}

std::string Repeated(const std::string& item) {
  std::string page;
  while (page.size() + item.size() <= 131072) page += item;
  return page;
}

void BM_FeedOfForecasts(benchmark::State& state) {
  const quorel::CWeatherDefineObjects d = Yahoo();
  const std::string page = Repeated(CCommonUtil::Utf8ToAnsi(
      "<title>24\xE6\x97\xA5(\xE6\x9C\xA8) Tokyo \xE6\x99\xB4\xE3\x82\x8C 12/-3</title>\n"));
  for (auto _ : state) benchmark::DoNotOptimize(quorel::ParseWeatherFeed(page, d, 2026, 12, 24));
}
BENCHMARK(BM_FeedOfForecasts)->Unit(benchmark::kMillisecond);

void BM_FeedOfTinyItems(benchmark::State& state) {
  const quorel::CWeatherDefineObjects d = Yahoo();
  const std::string page = Repeated("<title>x</title>");
  for (auto _ : state) benchmark::DoNotOptimize(quorel::ParseWeatherFeed(page, d, 2026, 12, 24));
}
BENCHMARK(BM_FeedOfTinyItems)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

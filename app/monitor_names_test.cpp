#include "app/monitor_names.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

TEST(MonitorNames, PositionBySignsOfTopAndLeft) {
  struct {
    Rect monitor;
    unsigned expected;
  } cases[] = {
      {{0, 0, 1280, 1024}, 451},         {{-1280, 0, 0, 1024}, 456},     {{1280, 0, 2560, 1024}, 455},
      {{0, -768, 1024, 0}, 453},         {{-1024, -768, 0, 0}, 452},     {{1280, -768, 2304, 0}, 454},
      {{0, 1024, 1280, 2048}, 458},      {{-1280, 1024, 0, 2048}, 457},  {{1280, 1024, 2560, 2048}, 459},
  };
  for (const auto& c : cases) EXPECT_EQ(MonitorPositionString(c.monitor), c.expected) << c.monitor;
}

TEST(MonitorNames, NumberAndPositionInTheSettingsText) {
  // "2台目(右)" in CP932.
  EXPECT_EQ(MonitorName(2, Rect{1280, 0, 2560, 1024}), "2\x91\xe4\x96\xda(\x89\x45)");
}

}  // namespace
}  // namespace quorel

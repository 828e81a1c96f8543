#include "render/layer_object.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorel {
namespace {

TEST(LayerPeriod, MonthsOverTheYearEnd) {
  CLayerObject layer;
  layer.SetPeriod({12, 1, 2, 31, 0, 0, 23, 59});
  EXPECT_TRUE(layer.Contains(1, 15, 12, 0));
  EXPECT_TRUE(layer.Contains(2, 31, 12, 0));
  EXPECT_TRUE(layer.Contains(12, 1, 0, 0));
  EXPECT_FALSE(layer.Contains(3, 1, 12, 0));
  EXPECT_FALSE(layer.Contains(11, 30, 12, 0));
}

TEST(LayerPeriod, HoursOverMidnight) {
  CLayerObject layer;
  layer.SetPeriod({1, 1, 12, 31, 18, 0, 5, 59});
  EXPECT_TRUE(layer.Contains(6, 1, 3, 0));
  EXPECT_TRUE(layer.Contains(6, 1, 18, 0));
  EXPECT_TRUE(layer.Contains(6, 1, 5, 59));
  EXPECT_FALSE(layer.Contains(6, 1, 6, 0));
  EXPECT_FALSE(layer.Contains(6, 1, 17, 59));
}

TEST(LayerPeriod, DateAndTimeWindowsAreIndependent) {
  CLayerObject layer;
  layer.SetPeriod({12, 24, 12, 24, 18, 0, 5, 59});
  EXPECT_TRUE(layer.Contains(12, 24, 2, 0));  // the early hours of the same date
  EXPECT_TRUE(layer.Contains(12, 24, 20, 0));
  EXPECT_FALSE(layer.Contains(12, 25, 2, 0));
  EXPECT_FALSE(layer.Contains(12, 24, 12, 0));
}

class Probe : public CDrawObject {
 public:
  Probe(std::vector<int>* log, int id, bool changes) : log_(log), id_(id), changes_(changes) {}
  void Reset() override { log_->push_back(100 + id_); }
  bool Advance() override {
    log_->push_back(200 + id_);
    return changes_;
  }
  bool IsAnimated() override {
    log_->push_back(300 + id_);
    return changes_;
  }
  void Draw(Surface&) override { log_->push_back(400 + id_); }

 private:
  std::vector<int>* log_;
  int id_;
  bool changes_;
};

TEST(LayerObject, AdvancesEveryChildButAsksAnimationOnlyUntilTheFirstYes) {
  std::vector<int> log;
  Probe a(&log, 1, true), b(&log, 2, false);
  CLayerObject layer;
  layer.Add(&a);
  layer.Add(&b);
  EXPECT_TRUE(layer.Advance());
  EXPECT_TRUE(layer.IsAnimated());
  Surface s(1, 1);
  layer.Draw(s);
  layer.Reset();
  EXPECT_EQ(log, (std::vector<int>{201, 202, 301, 401, 402, 101, 102}));
}

}  // namespace
}  // namespace quorel

#include "schedule/schedule_time_bar.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

std::vector<int> SetCells(const TimeBarModel& bar) {
  std::vector<int> cells;
  for (int i = 0; i < kTimeBarCells; ++i) {
    if (bar.cell(i)) cells.push_back(i);
  }
  return cells;
}

// The middle of a cell, in control coordinates.
int CellX(int cell) { return 7 + 7 * cell + 3; }
constexpr int kCellY = 20;

TEST(TimeBarGeometry, HitTestStaysWithinTheCells) {
  struct {
    int x, y, cell;
  } cases[] = {
      {7, 12, 0},   {6, 20, -1},  {13, 20, 0},  {14, 20, 1},  {336, 20, 47}, {342, 20, 47},
      {343, 20, 47},  // the edge of the last cell's gap is still the last cell
      {344, 20, -1}, {100, 11, -1}, {100, 29, 13}, {100, 30, -1},
  };
  for (const auto& c : cases) EXPECT_EQ(TimeBarHitTest(c.x, c.y), c.cell) << c.x << "," << c.y;
}

TEST(TimeBarGeometry, CellTimes) {
  EXPECT_EQ(CellStartTime(0), (BarTime{0, 0}));
  EXPECT_EQ(CellStartTime(21), (BarTime{10, 30}));
  EXPECT_EQ(CellEndTime(20), (BarTime{10, 30}));
  EXPECT_EQ(CellEndTime(21), (BarTime{11, 0}));
  EXPECT_EQ(CellEndTime(47), (BarTime{23, 59}));
  const CellBox b = TimeBarCellBox(47);
  EXPECT_EQ(b.x, 336);
  EXPECT_EQ(b.y, 12);
  EXPECT_EQ(b.width, 6);
  EXPECT_EQ(b.height, 17);
}

TEST(TimeBarTimes, CellsRunToTheMinuteBeforeTheEnd) {
  struct {
    int sh, sm, eh, em;
    std::vector<int> cells;
  } cases[] = {
      {10, 0, 12, 0, {20, 21, 22, 23}},
      {10, 0, 12, 1, {20, 21, 22, 23, 24}},
      {10, 45, 11, 0, {21}},
      {10, 0, 10, 0, {20}},   // the end before the start cell: the start cell alone
      {10, 0, 9, 0, {20}},
      {10, 0, -1, -1, {20}},  // no end
      {-1, -1, 12, 0, {}},    // no start: nothing
      {23, 0, 23, 59, {46, 47}},
      {0, 0, 0, 0, {0}},
  };
  for (const auto& c : cases) {
    TimeBarModel bar;
    bar.SetTimes(c.sh, c.sm, c.eh, c.em);
    EXPECT_EQ(SetCells(bar), c.cells) << c.sh << ":" << c.sm << "-" << c.eh << ":" << c.em;
  }
}

TEST(TimeBarTimes, ModesHoldOneEndAndBadTimesAreUnset) {
  TimeBarModel bar;
  bar.SetMode(TimeBarMode::kStartOnly);
  EXPECT_TRUE(bar.SetTimes(22, 0, 3, 0));
  EXPECT_EQ(bar.end(), (BarTime{23, 59}));
  EXPECT_EQ(SetCells(bar), (std::vector<int>{44, 45, 46, 47}));
  EXPECT_FALSE(bar.SetTimes(22, 0, 5, 5));  // the end is held: nothing changes
  bar.SetMode(TimeBarMode::kEndOnly);
  EXPECT_TRUE(bar.SetTimes(9, 0, 1, 0));
  EXPECT_EQ(bar.start(), (BarTime{0, 0}));
  EXPECT_EQ(SetCells(bar), (std::vector<int>{0, 1}));
  bar.SetMode(TimeBarMode::kStartEnd);
  EXPECT_TRUE(bar.SetTimes(24, 0, 10, 60));
  EXPECT_EQ(bar.start(), BarTime{});
  EXPECT_EQ(bar.end(), BarTime{});
}

TEST(TimeBarMouse, DragFromTenToHalfPastElevenSetsTenToTwelve) {
  TimeBarModel bar;
  EXPECT_FALSE(bar.Press(CellX(20), kCellY));
  EXPECT_TRUE(bar.dragging());
  EXPECT_EQ(bar.start(), (BarTime{10, 0}));
  EXPECT_EQ(bar.end(), (BarTime{10, 30}));
  bar.Move(CellX(22), kCellY);
  bar.Move(CellX(23), kCellY);
  bar.Move(CellX(23), 40);  // off the cells: the end stays
  EXPECT_TRUE(bar.Release());
  EXPECT_FALSE(bar.dragging());
  EXPECT_EQ(bar.start(), (BarTime{10, 0}));
  EXPECT_EQ(bar.end(), (BarTime{12, 0}));
  EXPECT_EQ(SetCells(bar), (std::vector<int>{20, 21, 22, 23}));
}

TEST(TimeBarMouse, DraggingLeftOfTheStartEndsAtTheStart) {
  TimeBarModel bar;
  bar.Press(CellX(20), kCellY);
  bar.Move(CellX(15), kCellY);
  EXPECT_EQ(bar.end(), (BarTime{8, 0}));
  EXPECT_TRUE(bar.Release());
  EXPECT_EQ(bar.end(), (BarTime{10, 0}));
  EXPECT_EQ(SetCells(bar), (std::vector<int>{20}));
}

TEST(TimeBarMouse, StartOnlyModeChangesTheStartAtOnce) {
  TimeBarModel bar;
  bar.SetMode(TimeBarMode::kStartOnly);
  bar.SetTimes(10, 0, 0, 0);
  EXPECT_TRUE(bar.Press(CellX(41), kCellY));
  EXPECT_FALSE(bar.dragging());
  EXPECT_EQ(bar.start(), (BarTime{20, 30}));
  EXPECT_EQ(bar.end(), (BarTime{23, 59}));
  EXPECT_FALSE(bar.Release());
}

TEST(TimeBarMouse, EndOnlyModeDragsTheEnd) {
  TimeBarModel bar;
  bar.SetMode(TimeBarMode::kEndOnly);
  bar.Press(CellX(3), kCellY);
  bar.Move(CellX(47) + 4, kCellY);  // past the last cell
  EXPECT_TRUE(bar.Release());
  EXPECT_EQ(bar.start(), (BarTime{0, 0}));
  EXPECT_EQ(bar.end(), (BarTime{23, 59}));
  EXPECT_FALSE(bar.Press(2, kCellY));  // beside the cells: nothing
  EXPECT_FALSE(bar.dragging());
}

TEST(TimeBarPicture, CellsShowTheirLooks) {
  TimeBarModel bar;
  bar.SetTimes(10, 0, 11, 0);
  bar.Move(CellX(30), kCellY);
  const TimeBarColours& c = TimeBarPalette(false);
  Surface s = RenderTimeBar(bar, true, false);
  ASSERT_EQ(s.Width(), 349);
  ASSERT_EQ(s.Height(), 31);
  EXPECT_EQ(s.At(CellX(20), kCellY), c.set);
  EXPECT_EQ(s.At(CellX(21), kCellY), c.set);
  EXPECT_EQ(s.At(CellX(22), kCellY), c.unset);
  EXPECT_EQ(s.At(CellX(30), kCellY), c.hover);
  EXPECT_EQ(s.At(13, kCellY), c.background);  // the gap between cells

  const TimeBarColours& h = TimeBarPalette(true);
  s = RenderTimeBar(bar, true, true);
  EXPECT_EQ(s.At(CellX(20), kCellY), h.set);
  EXPECT_EQ(s.At(CellX(22), kCellY), h.unset);
  EXPECT_NE(h.set, c.set);

  s = RenderTimeBar(bar, false, false);  // disabled: no cells
  EXPECT_EQ(s.At(CellX(20), kCellY), s.At(CellX(22), kCellY));
  EXPECT_EQ(s.At(CellX(20), kCellY), s.At(13, kCellY));
}

}  // namespace
}  // namespace quorel

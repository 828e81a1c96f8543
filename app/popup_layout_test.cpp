#include "app/popup_layout.h"

#include <gtest/gtest.h>

namespace quorel {
namespace {

// A fixed-pitch measurer: 8 x 16 per byte, lines split at "\n" (a "\r" before it does not count).
Size FixedMeasure(const std::string& text) {
  int lines = 1, longest = 0, current = 0;
  for (char c : text) {
    if (c == '\n') {
      ++lines, longest = std::max(longest, current), current = 0;
    } else if (c != '\r') {
      ++current;
    }
  }
  longest = std::max(longest, current);
  return Size{longest * 8, lines * 16};
}

TEST(PopupLayout, MeasureAddsFourAndMakesRoomForThePicture) {
  EXPECT_EQ(MeasurePopup("12:00", Size{}, FixedMeasure), (Size{44, 20}));
  // A short first line with a 30-pixel picture: at least 16 + 30 + 1, plus 4.
  EXPECT_EQ(MeasurePopup("ab\nabcd", Size{30, 12}, FixedMeasure), (Size{51, 36}));
  // A longer text wins over the picture rule.
  EXPECT_EQ(MeasurePopup("ab\na much longer line", Size{30, 12}, FixedMeasure), (Size{148, 36}));
}

TEST(PopupLayout, PositionsBesideTheClockWithTheirCorrections) {
  const Rect area{0, 0, 1280, 984};
  const Size size{100, 40};
  const Rect middle{500, 500, 582, 553};
  const Rect left_edge{0, 300, 82, 353};
  const Rect top_right{1230, 0, 1280, 53};
  struct {
    int position;
    Rect clock;
    Point expected;
  } cases[] = {
      {0, middle, {400, 500}},
      {0, left_edge, {82, 300}},        // no room on the left: to the right of the clock
      {1, middle, {582, 500}},
      {1, top_right, {1130, 0}},        // no room on the right: to the left
      {2, middle, {500, 460}},
      {2, top_right, {1180, 53}},       // no room above: below, and kept inside on the right
      {3, middle, {500, 553}},
      {3, Rect{500, 960, 582, 984}, {500, 920}},
      {4, middle, {0, 0}},
      {5, middle, {1180, 0}},
      {6, middle, {0, 944}},
      {7, middle, {1180, 944}},
      {8, left_edge, {590, 472}},       // the centre of the work area, not of the clock
  };
  for (const auto& c : cases) EXPECT_EQ(PopupPosition(c.position, c.clock, area, size), c.expected) << c.position;
}

TEST(PopupLayout, TwoAnnouncementsMakeOnePopupWithTwoLines) {
  std::string text = AppendAnnouncement(false, "", "first");
  text = AppendAnnouncement(true, text, "second");
  EXPECT_EQ(text, "first\r\nsecond");
  EXPECT_EQ(MeasurePopup(text, Size{}, FixedMeasure).height, 36);
  EXPECT_EQ(AppendAnnouncement(false, "old", "new"), "new");  // a hidden popup starts afresh
}

}  // namespace
}  // namespace quorel

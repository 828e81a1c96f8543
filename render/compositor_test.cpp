#include "render/compositor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/stretch.h"
#include "render/picture_test_support.h"

namespace quorel {
namespace {

// Paints one pixel colour over the whole scene and logs its turn.
class Painter : public CDrawObject {
 public:
  Painter(std::vector<std::string>* log, std::string name, Color c) : log_(log), name_(std::move(name)), c_(c) {}
  void Draw(Surface& dc) override {
    log_->push_back(name_);
    dc.Fill(c_);
  }

 protected:
  std::vector<std::string>* log_;
  std::string name_;
  Color c_;
};

class Character : public SceneCharacter {
 public:
  Character(std::vector<std::string>* log, int number) : log_(log), number_(number) {}
  int CharacterNumber() const override { return number_; }
  void SetMoment(int month, int day, int hour, int minute) override {
    moment_ = std::to_string(month) + "/" + std::to_string(day) + " " + std::to_string(hour) + ":" +
              std::to_string(minute);
  }
  void Draw(Surface&) override { log_->push_back("character " + moment_); }

 private:
  std::vector<std::string>* log_;
  int number_;
  std::string moment_;
};

// A face sheet whose light plate paints a known colour, to see where the face lies in the order.
struct FaceAndIcons {
  FaceAndIcons() : clock(testing_support::NumberedSheet(220, 172)), icons(testing_support::NumberedSheet(70, 90)) {}
  CDrawClock clock;
  CDrawInformations icons;
};

ComposeInputs Moment(int month, int day, int hour, int minute) {
  ComposeInputs in;
  in.moment.month = month;
  in.moment.day = day;
  in.moment.hour = hour;
  in.moment.minute = minute;
  return in;
}

TEST(Compose, CharacterIsGivenTheMomentAfterTheBackground) {
  std::vector<std::string> log;
  Painter background(&log, "background", Rgb(1, 2, 3));
  FaceAndIcons parts;
  for (int number : {0, 5}) {
    log.clear();
    Character character(&log, number);
    const Surface scene = ComposeScene({&background, &character, &parts.clock, &parts.icons}, Moment(12, 24, 17, 59));
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0], "background");
    EXPECT_EQ(log[1], "character 12/24 17:59");
    EXPECT_EQ(scene.At(2, 28), testing_support::SheetPixel(1, 1));  // this character paints nothing
  }
}

class FillingCharacter : public SceneCharacter {
 public:
  explicit FillingCharacter(int number) : number_(number) {}
  int CharacterNumber() const override { return number_; }
  void SetMoment(int, int, int, int) override {}
  void Draw(Surface& dc) override { dc.Fill(Rgb(9, 9, 9)); }

 private:
  int number_;
};

TEST(Compose, PaintOrderAndDebugSwitches) {
  FaceAndIcons parts;
  FillingCharacter user(0), fox(1), unknown(13);
  const Color plate = testing_support::SheetPixel(1, 1);
  EXPECT_EQ(ComposeScene({nullptr, &user, &parts.clock, nullptr}, {}).At(2, 28), plate);
  EXPECT_EQ(ComposeScene({nullptr, &fox, &parts.clock, nullptr}, {}).At(2, 28), Rgb(9, 9, 9));
  EXPECT_EQ(ComposeScene({nullptr, &unknown, &parts.clock, nullptr}, {}).At(2, 28), plate);  // not a character

  ComposeInputs hide;
  hide.debug_hide_character = true;
  EXPECT_EQ(ComposeScene({nullptr, &fox, &parts.clock, nullptr}, hide).At(2, 28), plate);
  hide.debug_hide_time = true;
  EXPECT_EQ(ComposeScene({nullptr, &fox, &parts.clock, nullptr}, hide).At(2, 28), kBlack);

  // Icons and the second time come after the character.
  parts.icons.Inputs().mail_shown = true;
  parts.clock.Inputs().second_time_mode = 1;
  parts.clock.Inputs().corner_side = 0;
  const Surface s = ComposeScene({nullptr, &fox, &parts.clock, &parts.icons}, {});
  EXPECT_EQ(s.At(1, 1), testing_support::SheetPixel(31, 12));
  EXPECT_EQ(s.At(57, 1), testing_support::SheetPixel(142, 63) | Rgb(9, 9, 9));  // OR-ed box
}

TEST(Compose, BorderFiveTopLeftThenBottomRightColours) {
  ComposeInputs in;
  in.border_kind = kBorderLines;
  in.border_top_left = Rgb(255, 0, 0);
  in.border_bottom_right = Rgb(0, 0, 255);
  const Surface s = ComposeScene({}, in);
  EXPECT_EQ(s.At(0, 0), Rgb(255, 0, 0));
  EXPECT_EQ(s.At(0, 30), Rgb(255, 0, 0));
  EXPECT_EQ(s.At(40, 0), Rgb(255, 0, 0));
  EXPECT_EQ(s.At(0, 52), Rgb(255, 0, 0));   // where the first line starts
  EXPECT_EQ(s.At(81, 0), Rgb(0, 0, 255));   // where the second colour starts
  EXPECT_EQ(s.At(81, 30), Rgb(0, 0, 255));
  EXPECT_EQ(s.At(40, 52), Rgb(0, 0, 255));
  EXPECT_EQ(s.At(1, 52), Rgb(0, 0, 255));
  EXPECT_EQ(s.At(1, 1), kBlack);
}

TEST(Compose, EdgeBordersByKind) {
  const EdgeColors c;
  struct {
    int kind;
    Color top, bottom;
  } cases[] = {{kBorderBump, c.light, c.dark_shadow}, {kBorderEtched, c.shadow, c.highlight},
               {kBorderRaised, c.light, c.dark_shadow}, {kBorderSunken, c.shadow, c.highlight}};
  for (const auto& k : cases) {
    ComposeInputs in;
    in.border_kind = k.kind;
    const Surface s = ComposeScene({}, in);
    EXPECT_EQ(s.At(40, 0), k.top) << k.kind;
    EXPECT_EQ(s.At(40, 52), k.bottom) << k.kind;
  }
  ComposeInputs none;
  EXPECT_EQ(ComposeScene({}, none), Surface(82, 53));
}

class Stripes : public CDrawObject {
 public:
  void Draw(Surface& dc) override {
    for (int y = 0; y < dc.Height(); ++y)
      for (int x = 0; x < dc.Width(); ++x) dc.At(x, y) = Rgb(3 * x, 4 * y, x % 2 ? 255 : 0);
  }
};

TEST(Compose, EnlargementsBySetting) {
  Stripes background;
  ComposeInputs in;
  const Surface scene = ComposeScene({&background}, in);
  struct {
    int magnify;
    bool hq;
    int w, h;
  } sizes[] = {{0, false, 82, 53}, {1, false, 98, 63}, {2, false, 123, 79}, {3, false, 147, 95},
               {4, false, 164, 106}, {4, true, 164, 106}, {1, true, 123, 79}, {3, true, 123, 79}};
  for (const auto& c : sizes) {
    in.magnify = c.magnify;
    in.high_quality = c.hq;
    const Surface out = Compose({&background}, in);
    EXPECT_EQ(out.Width(), c.w) << c.magnify << c.hq;
    EXPECT_EQ(out.Height(), c.h) << c.magnify << c.hq;
  }
  in.magnify = 2;
  in.high_quality = true;
  const Surface hq = Compose({&background}, in);
  for (int y : {0, 3, 78}) {
    const int sy = y * 2 / 3;
    EXPECT_EQ(hq.At(1, y), AverageColor(scene.At(0, sy), scene.At(1, sy))) << y;
    EXPECT_EQ(hq.At(2, y), scene.At(1, sy)) << y;
  }
  in.magnify = 0;
  EXPECT_EQ(Compose({&background}, in), scene);
}

}  // namespace
}  // namespace quorel

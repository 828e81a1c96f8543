// The generated character sheets and the sample user character, as the clock
// uses them: the fox's motions change only its face cell, and the sample
// character loads with all five motions in both layouts.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "base/image_decode.h"
#include "base/memory_file_system.h"
#include "render/draw_character.h"

namespace quorel {
namespace {

std::string ReadArt(const std::string& name) {
  std::ifstream in(std::string(QUOREL_ART_DIR) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

SpriteSheet Sheet(const char* name) { return MakeSpriteSheet(DecodeImage(ReadArt(name))); }

Surface Scene(CDrawCharacter& character) {
  Surface scene(82, 53, Rgb(90, 160, 220));
  character.Draw(scene);
  return scene;
}

// The smallest rectangle holding every differing pixel; empty when equal.
Rect Difference(const Surface& a, const Surface& b) {
  Rect r{a.Width(), a.Height(), 0, 0};
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.At(x, y) != b.At(x, y)) {
        r.left = std::min(r.left, x);
        r.top = std::min(r.top, y);
        r.right = std::max(r.right, x + 1);
        r.bottom = std::max(r.bottom, y + 1);
      }
  return r;
}

TEST(CharacterArt, EveryFoxFaceChangesOnlyTheFaceCellInBothLayouts) {
  CDrawCharacter fox(Sheet("png312.png"), Sheet("png313.png"), nullptr);
  for (int layout = 0; layout < 2; ++layout) {
    fox.SetLayout(layout);
    fox.StartMotion(kMotionNone);
    const Surface still = Scene(fox);
    const Rect face = fox.FaceRect();
    for (int type = 1; type <= 5; ++type) {
      fox.StartMotion(type);
      bool changed = false;
      while (fox.RunningMotion() == type) {
        const Rect d = Difference(Scene(fox), still);
        if (d.left < d.right) {
          changed = true;
          EXPECT_GE(d.left, face.left);
          EXPECT_GE(d.top, face.top);
          EXPECT_LE(d.right, face.right);
          EXPECT_LE(d.bottom, face.bottom);
        }
        fox.Advance();
      }
      EXPECT_TRUE(changed) << "motion " << type << " shows no other face";
    }
  }
}

TEST(CharacterArt, TheSampleCharacterLoadsWithAllFiveMotionsInBothLayouts) {
  MemoryFileSystem files;
  files.AddDirectory("C:\\q\\samples");
  files.AddFile("C:\\q\\samples\\mike.inf", ReadArt("samples/mike.inf"));
  CDrawCharacter character(SpriteSheet(), SpriteSheet(), nullptr);
  std::string message;
  ASSERT_TRUE(character.LoadUserCharacter(DecodeImage(ReadArt("samples/mike.bmp")), "C:\\q\\samples\\mike.inf",
                                          files, message))
      << message;
  character.SetCharacter(0);
  for (int layout = 0; layout < 2; ++layout) {
    character.SetLayout(layout);
    for (int type = 1; type <= 5; ++type) EXPECT_TRUE(character.HasMotion(type)) << layout << " " << type;
    EXPECT_EQ(character.MotionWeight(kMotionBlink), 67);
    // The still is drawn: the scene is no longer only the ground.
    Surface ground(82, 53, Rgb(90, 160, 220));
    EXPECT_NE(Scene(character), ground);
  }
}

}  // namespace
}  // namespace quorel

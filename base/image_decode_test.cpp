#include "base/image_decode.h"

#include <gtest/gtest.h>

#include <string>

namespace quorel {
namespace {

// A 2 x 1 24-bit BMP: blue, then the key colour.
std::string TinyBmp() {
  const unsigned char header[] = {
      'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                   // file header
      40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,    // info header
      8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
      255, 0, 0, 128, 0, 128, 0, 0};                                   // BGR BGR + padding
  return std::string(reinterpret_cast<const char*>(header), sizeof(header));
}

TEST(ImageDecode, ReadsPixelsAsRgb) {
  const Surface s = DecodeImage(TinyBmp());
  ASSERT_EQ(s.Width(), 2);
  ASSERT_EQ(s.Height(), 1);
  EXPECT_EQ(s.At(0, 0), Rgb(0, 0, 255));
  EXPECT_EQ(s.At(1, 0), kKeyColor);
}

TEST(ImageDecode, NotAnImageGivesAnEmptySurface) {
  EXPECT_TRUE(DecodeImage(std::string("not a picture")).IsEmpty());
  EXPECT_TRUE(DecodeImage(std::string()).IsEmpty());
  std::string cut = TinyBmp();
  cut.resize(20);
  EXPECT_TRUE(DecodeImage(cut).IsEmpty());
}

TEST(ImageDecode, HugePictureIsRefusedBeforeDecoding) {
  std::string bmp = TinyBmp();
  bmp[18] = 0x00, bmp[19] = 0x20, bmp[20] = 0, bmp[21] = 0;  // width 8192
  bmp[22] = 0x00, bmp[23] = 0x20, bmp[24] = 0, bmp[25] = 0;  // height 8192: 64 M pixels
  EXPECT_TRUE(DecodeImage(bmp).IsEmpty());
}

}  // namespace
}  // namespace quorel

#include "ui/skin_pixels.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvane {
namespace {

TEST(SkinPixelsTest, PremultiplyFloorsEveryColourChannelAndKeepsAlpha) {
  struct Row {
    const char* name;
    Argb straight;
    Argb premultiplied;
  };
  const Row rows[] = {
      {"half", MakeArgb(128, 50, 100, 200), MakeArgb(128, 25, 50, 100)},
      {"transparent", MakeArgb(0, 255, 128, 7), MakeArgb(0, 0, 0, 0)},
      {"opaque", MakeArgb(255, 1, 254, 77), MakeArgb(255, 1, 254, 77)},
      {"floor not round", MakeArgb(1, 255, 254, 128), MakeArgb(1, 1, 0, 0)},
      {"254", MakeArgb(254, 255, 3, 128), MakeArgb(254, 254, 2, 127)},
  };
  for (const Row& row : rows) EXPECT_EQ(PremultiplyPixel(row.straight), row.premultiplied) << row.name;
}

TEST(SkinPixelsTest, SourceOverAddsTheSourceToTheUncoveredPartOfTheDestination) {
  EXPECT_EQ(BlendPixelOver(MakeArgb(255, 10, 20, 30), MakeArgb(255, 1, 2, 3)), MakeArgb(255, 1, 2, 3));
  EXPECT_EQ(BlendPixelOver(MakeArgb(255, 10, 20, 30), 0), MakeArgb(255, 10, 20, 30));
  // 25 + 200 * 127 / 255 = 25 + 99.6 -> 125.
  EXPECT_EQ(BlendPixelOver(MakeArgb(255, 200, 200, 200), MakeArgb(128, 25, 50, 100)),
            MakeArgb(255, 125, 150, 200));
  EXPECT_EQ(BlendPixelOver(MakeArgb(0, 0, 0, 0), MakeArgb(128, 25, 50, 100)), MakeArgb(128, 25, 50, 100));
}

class DrawPixelsTest : public ::testing::Test {
 protected:
  static constexpr int kSize = 4;
  std::vector<Argb> canvas = std::vector<Argb>(kSize * kSize, MakeArgb(255, 200, 200, 200));
  PixelView view() { return {canvas.data(), kSize, kSize, kSize}; }
  Argb at(int x, int y) const { return canvas[y * kSize + x]; }
};

TEST_F(DrawPixelsTest, ImageWithAlphaIsPremultipliedThenBlended) {
  const Argb image[] = {MakeArgb(128, 50, 100, 200)};
  DrawPixels(view(), {image, 1, 1, 1}, true, 1, 2);
  EXPECT_EQ(at(1, 2), MakeArgb(255, 125, 150, 200));
  EXPECT_EQ(at(0, 0), MakeArgb(255, 200, 200, 200));
}

TEST_F(DrawPixelsTest, ImageWithoutAlphaIsCopiedOpaque) {
  const Argb image[] = {0x00112233u, 0x00445566u};
  DrawPixels(view(), {image, 2, 1, 2}, false, 0, 0);
  EXPECT_EQ(at(0, 0), 0xFF112233u);
  EXPECT_EQ(at(1, 0), 0xFF445566u);
}

TEST_F(DrawPixelsTest, DrawingTwiceDiffersOnlyWhereTheImageIsPartlyTransparent) {
  const Argb image[] = {MakeArgb(255, 9, 9, 9), MakeArgb(0, 9, 9, 9), MakeArgb(128, 50, 100, 200)};
  DrawPixels(view(), {image, 3, 1, 3}, true, 0, 0);
  const std::vector<Argb> once = canvas;
  DrawPixels(view(), {image, 3, 1, 3}, true, 0, 0);
  EXPECT_EQ(at(0, 0), once[0]);
  EXPECT_EQ(at(1, 0), once[1]);
  EXPECT_NE(at(2, 0), once[2]);
}

TEST_F(DrawPixelsTest, ImageIsClippedToTheCanvas) {
  const Argb image[] = {MakeArgb(255, 1, 1, 1), MakeArgb(255, 2, 2, 2), MakeArgb(255, 3, 3, 3),
                        MakeArgb(255, 4, 4, 4)};
  DrawPixels(view(), {image, 2, 2, 2}, true, -1, 3);
  EXPECT_EQ(at(0, 3), MakeArgb(255, 2, 2, 2));
  for (int x = 1; x < kSize; ++x) EXPECT_EQ(at(x, 3), MakeArgb(255, 200, 200, 200));
}

TEST(SkinPixelsTest, ThumbReleasedLookIsBrightenedAndClamped) {
  EXPECT_EQ(ThumbReleasedPixel(MakeArgb(77, 0, 100, 250)), MakeArgb(77, 13, 118, 255));
}

TEST(PreparedPixelsTest, DrawingAPreparedImageGivesThePixelsOfThePerPixelBlend) {
  // Every alpha, with colours that exercise the rounding, over a canvas that is not uniform.
  constexpr int kWidth = 256, kHeight = 3;
  std::vector<Argb> straight;
  for (int row = 0; row < kHeight; ++row) {
    for (int a = 0; a < kWidth; ++a) straight.push_back(MakeArgb(a, (a * 7 + row) % 256, (a * 13) % 256, 255 - a));
  }
  std::vector<Argb> background;
  for (int i = 0; i < (kWidth + 2) * (kHeight + 2); ++i) background.push_back(MakeArgb(i % 256, i % 199, i % 97, i % 53));
  for (const bool hasAlpha : {true, false}) {
    std::vector<Argb> expected = background, actual = background;
    const PixelView expectedView{expected.data(), kWidth + 2, kHeight + 2, kWidth + 2};
    const PixelView actualView{actual.data(), kWidth + 2, kHeight + 2, kWidth + 2};
    // The blend pixel by pixel, the image's first row clipped off above the canvas.
    for (int row = 1; row < kHeight; ++row) {
      for (int column = 0; column < kWidth; ++column) {
        const Argb source = straight[row * kWidth + column];
        Argb& target = expectedView.At(column + 1, row - 1);
        target = hasAlpha ? BlendPixelOver(target, PremultiplyPixel(source)) : (source | 0xFF000000u);
      }
    }
    std::vector<Argb> prepared = straight;
    PreparePixels({prepared.data(), kWidth, kHeight, kWidth}, hasAlpha);
    DrawPreparedPixels(actualView, {prepared.data(), kWidth, kHeight, kWidth}, hasAlpha, 1, -1);
    EXPECT_EQ(actual, expected) << hasAlpha;
    EXPECT_NE(actual, background);
  }
}

}  // namespace
}  // namespace korvane

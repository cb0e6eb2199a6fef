#include "ui/skin_colours.h"

#include <gtest/gtest.h>

#include <vector>

namespace korvane {
namespace {

SkinSettings TextColour(int red, int green, int blue) {
  SkinSettings skin;
  skin.red = red;
  skin.green = green;
  skin.blue = blue;
  return skin;
}

TEST(SkinColoursTest, TheGroundIsTheAverageOfTheOpaquePixels) {
  std::vector<Argb> pixels = {MakeArgb(255, 10, 20, 30), MakeArgb(255, 30, 40, 51), MakeArgb(0, 255, 255, 255),
                              MakeArgb(128, 255, 255, 255)};
  const ConstPixelView image{pixels.data(), 2, 2, 2};
  EXPECT_EQ(AverageOpaqueColour(image, kFallbackGround), (Rgb{20, 30, 41})) << "translucent pixels do not count";
  pixels[0] = pixels[1] = MakeArgb(0, 0, 0, 0);
  EXPECT_EQ(AverageOpaqueColour(image, kFallbackGround), kFallbackGround);
}

TEST(SkinColoursTest, TheSkinTextColourOnItsDarkGroundWithTheRestBetweenThem) {
  const SkinColours c = SkinColoursFrom(TextColour(220, 200, 100), {20, 24, 30});
  EXPECT_EQ(c.text, (Rgb{220, 200, 100}));
  EXPECT_EQ(c.ground, (Rgb{20, 24, 30}));
  EXPECT_EQ(c.line, MixColour(c.ground, c.text, 0.3));
  for (const Rgb between : {c.raised, c.line, c.selected, c.dim}) {
    EXPECT_GT(between.red, c.ground.red);
    EXPECT_LT(between.red, c.text.red);
  }
}

TEST(SkinColoursTest, ALightGroundIsDarkenedAndUnreadableTextFallsBackToTheDefault) {
  const SkinColours light = SkinColoursFrom(TextColour(250, 250, 250), {200, 200, 200});
  EXPECT_LT(light.ground.red, 60);
  EXPECT_EQ(light.ground.red, light.ground.blue) << "darkened, not tinted";
  EXPECT_EQ(light.text, (Rgb{250, 250, 250}));

  // Black text, as a skin whose colour keys hold no number would give, stays readable.
  const SkinColours black = SkinColoursFrom(TextColour(0, 0, 0), {20, 24, 30});
  EXPECT_EQ(black.text, (Rgb{kDefaultSkinTextChannel, kDefaultSkinTextChannel, kDefaultSkinTextChannel}));
}

}  // namespace
}  // namespace korvane

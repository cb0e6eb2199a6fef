#include "ui/skin_colours.h"

#include <algorithm>
#include <cmath>

namespace korvane {

namespace {

// The darkest a ground may be made lighter than, on the 0-255 luminance scale.
constexpr double kGroundLuminance = 48.0;
// Text closer than this to its ground, in luminance, cannot be read.
constexpr double kReadableContrast = 90.0;

double Luminance(Rgb c) { return 0.299 * c.red + 0.587 * c.green + 0.114 * c.blue; }

}  // namespace

Rgb AverageOpaqueColour(ConstPixelView image, Rgb fallback) {
  long red = 0, green = 0, blue = 0, count = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const Argb p = image.At(x, y);
      if (AlphaOf(p) != 255) continue;
      red += RedOf(p);
      green += GreenOf(p);
      blue += BlueOf(p);
      ++count;
    }
  }
  if (count == 0) return fallback;
  const auto mean = [count](long sum) { return static_cast<int>((sum + count / 2) / count); };
  return {mean(red), mean(green), mean(blue)};
}

Rgb MixColour(Rgb from, Rgb to, double weight) {
  const auto mix = [weight](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * weight)); };
  return {mix(from.red, to.red), mix(from.green, to.green), mix(from.blue, to.blue)};
}

SkinColours SkinColoursFrom(const SkinSettings& skin, Rgb mainGround) {
  SkinColours c;
  c.ground = mainGround;
  if (const double luminance = Luminance(mainGround); luminance > kGroundLuminance) {
    c.ground = MixColour(Rgb{}, mainGround, kGroundLuminance / luminance);
  }
  c.text = {skin.red, skin.green, skin.blue};
  if (Luminance(c.text) - Luminance(c.ground) < kReadableContrast) {
    const int channel = kDefaultSkinTextChannel;
    c.text = {channel, channel, channel};
  }
  c.raised = MixColour(c.ground, c.text, 0.08);
  c.line = MixColour(c.ground, c.text, 0.3);
  c.selected = MixColour(c.ground, c.text, 0.22);
  c.dim = MixColour(c.ground, c.text, 0.5);
  return c;
}

}  // namespace korvane

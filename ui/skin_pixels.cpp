#include "ui/skin_pixels.h"

#include <algorithm>
#include <cmath>

namespace korvane {

Argb PremultiplyPixel(Argb straight) {
  const int a = AlphaOf(straight);
  return MakeArgb(a, RedOf(straight) * a / 255, GreenOf(straight) * a / 255, BlueOf(straight) * a / 255);
}

namespace {

int Over(int source, int destination, int sourceAlpha) {
  return std::min(255, source + (destination * (255 - sourceAlpha) + 127) / 255);
}

int ToChannel(double value) { return std::clamp(static_cast<int>(std::lround(value)), 0, 255); }

}  // namespace

Argb BlendPixelOver(Argb destination, Argb premultipliedSource) {
  const int sa = AlphaOf(premultipliedSource);
  if (sa == 255) return premultipliedSource;
  return MakeArgb(Over(sa, AlphaOf(destination), sa),
                  Over(RedOf(premultipliedSource), RedOf(destination), sa),
                  Over(GreenOf(premultipliedSource), GreenOf(destination), sa),
                  Over(BlueOf(premultipliedSource), BlueOf(destination), sa));
}

void DrawPixels(PixelView canvas, ConstPixelView image, bool hasAlpha, int x, int y) {
  const int left = std::max(0, x);
  const int top = std::max(0, y);
  const int right = std::min(canvas.width, x + image.width);
  const int bottom = std::min(canvas.height, y + image.height);
  for (int row = top; row < bottom; ++row) {
    for (int column = left; column < right; ++column) {
      const Argb source = image.At(column - x, row - y);
      Argb& target = canvas.At(column, row);
      target = hasAlpha ? BlendPixelOver(target, PremultiplyPixel(source)) : (source | 0xFF000000u);
    }
  }
}

Argb ThumbReleasedPixel(Argb straight) {
  const auto lift = [](int c) { return ToChannel(c * 1.05 + 0.05 * 255); };
  return MakeArgb(AlphaOf(straight), lift(RedOf(straight)), lift(GreenOf(straight)), lift(BlueOf(straight)));
}

}  // namespace korvane

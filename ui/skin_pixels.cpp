#include "ui/skin_pixels.h"

#include <vector>

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
  std::vector<Argb> prepared(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
  const PixelView copy{prepared.data(), image.width, image.height, image.width};
  for (int row = 0; row < image.height; ++row) {
    for (int column = 0; column < image.width; ++column) copy.At(column, row) = image.At(column, row);
  }
  PreparePixels(copy, hasAlpha);
  DrawPreparedPixels(canvas, {prepared.data(), image.width, image.height, image.width}, hasAlpha, x, y);
}

void PreparePixels(PixelView image, bool hasAlpha) {
  for (int row = 0; row < image.height; ++row) {
    for (int column = 0; column < image.width; ++column) {
      Argb& pixel = image.At(column, row);
      pixel = hasAlpha ? PremultiplyPixel(pixel) : (pixel | 0xFF000000u);
    }
  }
}

void DrawPreparedPixels(PixelView canvas, ConstPixelView prepared, bool hasAlpha, int x, int y) {
  const int left = std::max(0, x);
  const int top = std::max(0, y);
  const int right = std::min(canvas.width, x + prepared.width);
  const int bottom = std::min(canvas.height, y + prepared.height);
  if (left >= right) return;
  for (int row = top; row < bottom; ++row) {
    const Argb* source = &prepared.pixels[static_cast<long>(row - y) * prepared.stride + (left - x)];
    Argb* target = &canvas.At(left, row);
    if (!hasAlpha) {
      std::copy(source, source + (right - left), target);
      continue;
    }
    for (int i = 0; i < right - left; ++i) {
      // Fully transparent pixels leave the canvas as it is and opaque ones replace it, as the blend does.
      const int alpha = AlphaOf(source[i]);
      if (alpha == 0xFF) {
        target[i] = source[i];
      } else if (alpha != 0) {
        target[i] = BlendPixelOver(target[i], source[i]);
      }
    }
  }
}

Argb ThumbReleasedPixel(Argb straight) {
  const auto lift = [](int c) { return ToChannel(c * 1.05 + 0.05 * 255); };
  return MakeArgb(AlphaOf(straight), lift(RedOf(straight)), lift(GreenOf(straight)), lift(BlueOf(straight)));
}

}  // namespace korvane

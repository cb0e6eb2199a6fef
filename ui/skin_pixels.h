#pragma once

#include <cstdint>

namespace korvane {

// One pixel as a 32-bit word 0xAARRGGBB (the layout of Qt's ARGB32 images in memory order of the word).
using Argb = std::uint32_t;

constexpr int AlphaOf(Argb p) { return static_cast<int>(p >> 24); }
constexpr int RedOf(Argb p) { return static_cast<int>((p >> 16) & 0xFF); }
constexpr int GreenOf(Argb p) { return static_cast<int>((p >> 8) & 0xFF); }
constexpr int BlueOf(Argb p) { return static_cast<int>(p & 0xFF); }
constexpr Argb MakeArgb(int a, int r, int g, int b) {
  return (static_cast<Argb>(a) << 24) | (static_cast<Argb>(r) << 16) | (static_cast<Argb>(g) << 8) |
         static_cast<Argb>(b);
}

// Straight alpha to premultiplied: every colour channel becomes floor(c * a / 255), alpha stays.
Argb PremultiplyPixel(Argb straight);
// Source over with a premultiplied source and constant alpha 255: d = s + d * (255 - sa) / 255, the
// product rounded to nearest, for the colour channels and alpha alike.
Argb BlendPixelOver(Argb destination, Argb premultipliedSource);

// A rectangle of pixels; stride counts pixels, not bytes.
struct PixelView {
  Argb* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
  Argb& At(int x, int y) const { return pixels[static_cast<long>(y) * stride + x]; }
};

struct ConstPixelView {
  const Argb* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
  Argb At(int x, int y) const { return pixels[static_cast<long>(y) * stride + x]; }
};

// Draws a decoded image onto the canvas with its top-left corner at (x, y), clipped to the canvas. An
// image with an alpha channel (straight alpha) is premultiplied and blended source-over; one without is
// copied opaque.
void DrawPixels(PixelView canvas, ConstPixelView image, bool hasAlpha, int x, int y);
// The same for an image prepared once with PreparePixels: the result is the same, pixel for pixel.
void DrawPreparedPixels(PixelView canvas, ConstPixelView prepared, bool hasAlpha, int x, int y);
// Makes a decoded image ready for DrawPreparedPixels, in place: premultiplied when it has alpha, opaque
// otherwise.
void PreparePixels(PixelView image, bool hasAlpha);

// The scroll thumb's released look, made from a straight-alpha pixel of its image: every colour channel
// scaled by 1.05 and raised by 0.05 of full scale (clamped), alpha unchanged.
Argb ThumbReleasedPixel(Argb straight);

}  // namespace korvane

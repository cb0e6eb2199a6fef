#pragma once

#include "ui/skin_pixels.h"
#include "ui/skin_settings.h"

namespace korvane {

struct Rgb {
  int red = 0, green = 0, blue = 0;
  bool operator==(const Rgb&) const = default;
};

// The colours of the standard pieces (message boxes, menus, lists, edit boxes, scroll bars, the colour
// chooser), taken from the skin: its text colour, and the ground of its main window.
struct SkinColours {
  Rgb text;      // the skin text colour
  Rgb ground;    // window and list ground
  Rgb raised;    // edit boxes, a menu's ground, a scroll bar's track
  Rgb line;      // borders, separators, a scroll bar's handle
  Rgb selected;  // the ground of a selected row or item under the pointer
  Rgb dim;       // disabled text
};

// Where the main window's ground cannot be read.
inline constexpr Rgb kFallbackGround{30, 34, 40};

// The average colour of the opaque pixels of an image (alpha 255); nullopt-like fallback when none is.
Rgb AverageOpaqueColour(ConstPixelView image, Rgb fallback);
// `weight` 0 gives from, 1 gives to; rounded to nearest.
Rgb MixColour(Rgb from, Rgb to, double weight);

// The ground is kept dark whatever the skin's background: a light average is darkened until the text
// colour stands out against it. The other colours lie between the ground and the text colour.
SkinColours SkinColoursFrom(const SkinSettings& skin, Rgb mainGround);

}  // namespace korvane

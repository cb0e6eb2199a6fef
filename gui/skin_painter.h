#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <string_view>

#include "ui/rect.h"
#include "ui/skin_pixels.h"
#include "ui/skin_settings.h"
#include "ui/text_layout.h"
#include "text/strings.h"

class QWidget;

namespace korvane {

QString ToQString(std::string_view text);

// The pixels of a 32-bit image (ARGB32 or its premultiplied form) for the core drawing functions.
PixelView PixelsOf(QImage& image);
ConstPixelView PixelsOf(const QImage& image);

// A window's canvas: premultiplied ARGB, the window's face; paintEvent only copies it to the screen.
QImage MakeCanvas(const SkinSettings& skin, std::string_view backgroundName);

// Draws one skin image at its natural size with its top-left corner at (x, y): premultiplied and blended
// source-over when the PNG has alpha, copied opaque otherwise. False when the image is missing or
// cannot be decoded; nothing is drawn then.
bool DrawSkinImage(QImage& canvas, const SkinSettings& skin, std::string_view name, int x, int y);
// The part of a skin image (in the image's pixels), turned half round about its own centre when `turned`,
// drawn where that part lies when the image is drawn at (x, y). False, drawing nothing, when the image is
// missing or does not hold the whole part.
bool DrawSkinImagePart(QImage& canvas, const SkinSettings& skin, std::string_view name, const Rect& part, int x,
                       int y, bool turned = false);
// DrawSkinImage, and a failure also shows "LoadPng---Load image failed." in a message box owned by owner.
bool DrawSkinImageReporting(QWidget* owner, QImage& canvas, const SkinSettings& skin, std::string_view name,
                            int x, int y);

// How many skin files have been read and decoded so far: each at most once.
int SkinImageDecodes();

// The size of a skin image; an empty size when it is missing.
QSize SkinImageSize(const SkinSettings& skin, std::string_view name);

// Text in the skin's text colour on a transparent background; flags are Qt::Alignment and text flags.
// One line, elided to the rectangle, unless the flags ask for Qt::TextWordWrap.
void DrawSkinText(QImage& canvas, const SkinSettings& skin, const Rect& rect, std::string_view text,
                  const QFont& font, int flags);

// The font made smaller, a pixel at a time down to 9 pixels, until the text fits the width.
QFont FittingFont(QFont font, std::string_view text, int width);
// The font made smaller, a pixel at a time down to kSmallestTextPixels, until the text wrapped at word
// boundaries fits the rectangle.
QFont FittingWrappedFont(QFont font, std::string_view text, const Rect& rect);

// What DrawSkinText was asked to draw: the whole text, before any ellipsis.
struct DrawnText {
  QRect rect;
  QFont font;
  int flags;
  QString text;
};
// Tells recorder of every text DrawSkinText draws from now on; an empty function stops it. For tests
// that measure the texts of a window against their rectangles.
void SetDrawnTextRecorder(std::function<void(const DrawnText&)> recorder);

inline QRect ToQRect(const Rect& rect) { return QRect(rect.left, rect.top, rect.width(), rect.height()); }

// A font of the table with the language's fallback faces behind the named one.
QFont MakeFont(const FontSpec& wanted, Language language);

}  // namespace korvane

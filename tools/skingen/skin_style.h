#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <initializer_list>
#include <set>
#include <string>
#include <string_view>

#include "ui/rect.h"
#include "ui/skin_inventory.h"

namespace korvane::skingen {

// The one palette of the default skin: dark greys, one accent.
namespace colour {
inline constexpr QColor kWindow{14, 16, 19};      // window ground between the areas
inline constexpr QColor kStrip{21, 24, 28};       // title and bottom strips, dialog headers
inline constexpr QColor kPanel{24, 27, 32};       // columns and panel bodies
inline constexpr QColor kDialog{26, 29, 34};      // dialog bodies
inline constexpr QColor kRaised{35, 39, 46};      // headers, buttons, boxes
inline constexpr QColor kRaisedHover{44, 50, 59};
inline constexpr QColor kHairline{40, 45, 53};
inline constexpr QColor kEdge{56, 62, 72};
inline constexpr QColor kWell{12, 14, 17};        // sunken tracks and fields
inline constexpr QColor kText{224, 228, 234};
inline constexpr QColor kTextDim{128, 136, 148};
inline constexpr QColor kAccent{38, 198, 218};
inline constexpr QColor kAccentDeep{18, 110, 128};
inline constexpr QColor kAccentGlow{38, 198, 218, 70};
inline constexpr QColor kRecord{214, 64, 72};
}  // namespace colour

// Collects the images of the skin, checking each against the inventory, and tells what is missing.
class SkinWriter {
 public:
  explicit SkinWriter(QString folder);

  // Writes the image as folder + name. A name outside the inventory, a size that differs from it or a failed
  // write is remembered as an error.
  void Save(std::string_view name, const QImage& image);
  // The same for each number of a family ("%d" in the name).
  template <typename Draw>
  void SaveFamily(std::string_view family, std::span<const int> numbers, Draw draw) {
    for (int number : numbers) Save(NumberedSkinImage(family, number), draw(number));
  }

  // Reports every error and every inventory image not written to stderr; true when there was none.
  bool Finish() const;

 private:
  QString folder_;
  std::set<std::string> written_;
  std::string errors_;
};

// The inventory size of an image or of a family ("%d" in its name); ends the program for any other name.
SkinSize InventorySize(std::string_view name);
// A new opaque image of the inventory size of the named image or family, filled with one colour.
QImage NewImage(std::string_view name, QColor fill);
QImage NewImage(int width, int height, QColor fill);
// The part of a larger picture under a rectangle, as an image of its own.
QImage Crop(const QImage& picture, const Rect& rect);
// A painter with anti-aliasing on.
void StartPainter(QPainter& painter, QImage& image);

QFont SkinFont(int pixelSize, bool bold = false);
void DrawText(QPainter& painter, const QRectF& box, const QString& text, const QColor& colour, int pixelSize,
              bool bold = false, int flags = Qt::AlignCenter);

QPainterPath RoundedBox(const QRectF& box, qreal radius);
// A rounded box with a vertical gradient from top to bottom and a one-pixel border (none when transparent).
void FillBox(QPainter& painter, const QRectF& box, qreal radius, const QColor& top, const QColor& bottom,
             const QColor& border);
// The faces of push buttons, drop-down boxes and switches: resting, under the pointer, and chosen.
enum class Look { kNormal, kHover, kChosen };
void ButtonFace(QPainter& painter, const QRectF& box, qreal radius, Look look);
// A new image of the named inventory size holding one button face over the ground colour.
QImage ButtonImage(std::string_view name, QColor ground, qreal radius, Look look);

// A closed outline through cubic segments, from a start point.
struct Cubic {
  QPointF control1;
  QPointF control2;
  QPointF end;
};
QPainterPath CurvePath(QPointF start, std::initializer_list<Cubic> segments);

// A soft glow: a radial fade of the colour around a centre.
void Glow(QPainter& painter, QPointF centre, qreal radius, const QColor& colour);

// The product's emblem, a faceted "K" chevron, centred on a point with the given height.
void DrawEmblem(QPainter& painter, QPointF centre, qreal height, const QColor& colour);

// A soft shadow on the ground: a glow squashed vertically.
void GroundShadow(QPainter& painter, QPointF centre, qreal radius, qreal squash, int alpha);

QColor Mix(const QColor& a, const QColor& b, qreal t);

}  // namespace korvane::skingen

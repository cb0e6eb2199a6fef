#include "tools/skingen/skin_style.h"

#include <QDir>
#include <QFileInfo>
#include <QLinearGradient>
#include <QRadialGradient>

#include <cstdio>
#include <cstdlib>

namespace korvane::skingen {

SkinWriter::SkinWriter(QString folder) : folder_(std::move(folder)) {}

void SkinWriter::Save(std::string_view name, const QImage& image) {
  const std::string key(name);
  const auto size = SkinImageSize(name);
  if (!size) {
    errors_ += "not in the inventory: " + key + "\n";
    return;
  }
  if (image.width() != size->width || image.height() != size->height) {
    errors_ += key + ": drawn " + std::to_string(image.width()) + "x" + std::to_string(image.height()) +
               ", inventory " + std::to_string(size->width) + "x" + std::to_string(size->height) + "\n";
    return;
  }
  const QString path = folder_ + QString::fromStdString(key);
  QDir().mkpath(QFileInfo(path).path());
  if (!image.save(path, "PNG")) {
    errors_ += "cannot write " + path.toStdString() + "\n";
    return;
  }
  written_.insert(key);
}

bool SkinWriter::Finish() const {
  std::string missing;
  for (const SkinImage& image : SkinInventory()) {
    if (!written_.contains(image.name)) missing += "not drawn: " + image.name + "\n";
  }
  std::fputs(errors_.c_str(), stderr);
  std::fputs(missing.c_str(), stderr);
  return errors_.empty() && missing.empty();
}

QImage NewImage(int width, int height, QColor fill) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(fill);
  return image;
}

SkinSize InventorySize(std::string_view name) {
  for (const SkinImageFamily& family : kSkinImageFamilies) {
    if (family.name == name) return family.size;
  }
  if (const auto size = SkinImageSize(name)) return *size;
  std::fprintf(stderr, "skingen: no inventory size for %.*s\n", static_cast<int>(name.size()), name.data());
  std::exit(1);
}

QImage NewImage(std::string_view name, QColor fill) {
  const SkinSize size = InventorySize(name);
  return NewImage(size.width, size.height, fill);
}

QImage Crop(const QImage& picture, const Rect& rect) {
  return picture.copy(rect.left, rect.top, rect.width(), rect.height());
}

void StartPainter(QPainter& painter, QImage& image) {
  painter.begin(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

QFont SkinFont(int pixelSize, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

void DrawText(QPainter& painter, const QRectF& box, const QString& text, const QColor& colour, int pixelSize,
              bool bold, int flags) {
  painter.save();
  painter.setFont(SkinFont(pixelSize, bold));
  painter.setPen(colour);
  painter.drawText(box, flags, text);
  painter.restore();
}

QPainterPath RoundedBox(const QRectF& box, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(box, radius, radius);
  return path;
}

void FillBox(QPainter& painter, const QRectF& box, qreal radius, const QColor& top, const QColor& bottom,
             const QColor& border) {
  painter.save();
  QLinearGradient gradient(box.topLeft(), box.bottomLeft());
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  const bool hasBorder = border.alpha() > 0;
  const QRectF inner = hasBorder ? box.adjusted(0.5, 0.5, -0.5, -0.5) : box;
  painter.setPen(hasBorder ? QPen(border, 1) : Qt::NoPen);
  painter.setBrush(gradient);
  painter.drawPath(RoundedBox(inner, radius));
  painter.restore();
}

void ButtonFace(QPainter& painter, const QRectF& box, qreal radius, Look look) {
  switch (look) {
    case Look::kNormal:
      FillBox(painter, box, radius, colour::kRaised, QColor(29, 33, 39), colour::kEdge);
      break;
    case Look::kHover:
      FillBox(painter, box, radius, colour::kRaisedHover, colour::kRaised, QColor(38, 198, 218, 190));
      break;
    case Look::kChosen:
      FillBox(painter, box, radius, QColor(22, 64, 74), QColor(16, 42, 50), colour::kAccent);
      break;
  }
}

QImage ButtonImage(std::string_view name, QColor ground, qreal radius, Look look) {
  QImage image = NewImage(name, ground);
  QPainter painter;
  StartPainter(painter, image);
  ButtonFace(painter, QRectF(0, 0, image.width(), image.height()), radius, look);
  return image;
}

QPainterPath CurvePath(QPointF start, std::initializer_list<Cubic> segments) {
  QPainterPath path;
  path.moveTo(start);
  for (const Cubic& segment : segments) path.cubicTo(segment.control1, segment.control2, segment.end);
  path.closeSubpath();
  return path;
}

void GroundShadow(QPainter& painter, QPointF centre, qreal radius, qreal squash, int alpha) {
  painter.save();
  painter.translate(centre);
  painter.scale(1.0, squash);
  Glow(painter, {0, 0}, radius, QColor(0, 0, 0, alpha));
  painter.restore();
}

void Glow(QPainter& painter, QPointF centre, qreal radius, const QColor& colour) {
  painter.save();
  QRadialGradient gradient(centre, radius);
  gradient.setColorAt(0, colour);
  QColor clear = colour;
  clear.setAlpha(0);
  gradient.setColorAt(1, clear);
  painter.setPen(Qt::NoPen);
  painter.setBrush(gradient);
  painter.drawEllipse(centre, radius, radius);
  painter.restore();
}

void DrawEmblem(QPainter& painter, QPointF centre, qreal height, const QColor& colour) {
  // Drawn on a 100-unit grid: a bar on the left and two blades meeting it, the lower one set off by a gap.
  painter.save();
  painter.translate(centre);
  painter.scale(height / 100.0, height / 100.0);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour);
  painter.drawPolygon(QPolygonF({{-38, -50}, {-18, -50}, {-18, 50}, {-38, 50}}));
  painter.drawPolygon(QPolygonF({{-12, -2}, {22, -50}, {44, -50}, {10, -2}}));
  painter.setBrush(Mix(colour, QColor(255, 255, 255), 0.35));
  painter.drawPolygon(QPolygonF({{-4, 10}, {18, 10}, {44, 50}, {22, 50}}));
  painter.restore();
}

QColor Mix(const QColor& a, const QColor& b, qreal t) {
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                          a.blueF() + (b.blueF() - a.blueF()) * t, a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

}  // namespace korvane::skingen

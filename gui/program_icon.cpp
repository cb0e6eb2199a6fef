#include "gui/program_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <array>

namespace korvane {

namespace {

// The drawing on a 64-unit grid.
constexpr double kGrid = 64.0;
constexpr double kTileInset = 2.0;
constexpr double kCornerRadius = 14.0;
constexpr double kBorderWidth = 4.0;
constexpr const char* kTileColour = "#1c2028";
constexpr const char* kInkColour = "#00c8e6";
constexpr std::array<QPointF, 11> kLetterK = {{{18, 14}, {27, 14}, {27, 29}, {40, 14}, {51, 14}, {35, 32},
                                               {52, 50}, {41, 50}, {27, 35}, {27, 50}, {18, 50}}};

}  // namespace

QImage ProgramIconImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / kGrid, size / kGrid);
  const double side = kGrid - 2 * kTileInset;
  QPainterPath tile;
  tile.addRoundedRect(QRectF(kTileInset, kTileInset, side, side), kCornerRadius, kCornerRadius);
  painter.fillPath(tile, QColor(kTileColour));
  painter.setPen(QPen(QColor(kInkColour), kBorderWidth));
  painter.drawPath(tile);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(kInkColour));
  painter.drawPolygon(QPolygonF(QList<QPointF>(kLetterK.begin(), kLetterK.end())));
  return image;
}

QByteArray ProgramIconSvg() {
  QString points;
  for (const QPointF& point : kLetterK) points += QStringLiteral("%1,%2 ").arg(point.x()).arg(point.y());
  const double side = kGrid - 2 * kTileInset;
  return QStringLiteral(
             "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n"
             "  <rect x=\"%2\" y=\"%2\" width=\"%3\" height=\"%3\" rx=\"%4\" fill=\"%5\" stroke=\"%6\" "
             "stroke-width=\"%7\"/>\n"
             "  <polygon points=\"%8\" fill=\"%6\"/>\n"
             "</svg>\n")
      .arg(kGrid)
      .arg(kTileInset)
      .arg(side)
      .arg(kCornerRadius)
      .arg(QLatin1String(kTileColour), QLatin1String(kInkColour))
      .arg(kBorderWidth)
      .arg(points.trimmed())
      .toUtf8();
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64}) icon.addPixmap(QPixmap::fromImage(ProgramIconImage(size)));
  return icon;
}

}  // namespace korvane

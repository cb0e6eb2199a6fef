// The dial panels: USB report rate, mouse and double-click speed, scroll speed, angle snap.
#include <QLinearGradient>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "config/settings_page.h"
#include "ui/setting_panels.h"
#include "tools/skingen/skin_art.h"

namespace korvane::skingen {

namespace {

// A ring segment between two radii, angles in degrees counter-clockwise from the right-hand end.
QPainterPath RingSegment(QPointF centre, qreal inner, qreal outer, qreal fromDegrees, qreal spanDegrees) {
  QPainterPath path;
  const QRectF outerBox(centre.x() - outer, centre.y() - outer, 2 * outer, 2 * outer);
  const QRectF innerBox(centre.x() - inner, centre.y() - inner, 2 * inner, 2 * inner);
  path.arcMoveTo(outerBox, fromDegrees);
  path.arcTo(outerBox, fromDegrees, spanDegrees);
  path.arcTo(innerBox, fromDegrees + spanDegrees, -spanDegrees);
  path.closeSubpath();
  return path;
}

QPointF Polar(QPointF centre, qreal radius, qreal degrees) {
  const qreal a = degrees * M_PI / 180.0;
  return centre + QPointF(radius * std::cos(a), -radius * std::sin(a));
}

// Report-rate dial: the quadrants of kReportDialHz counter-clockwise from the top right; the press ring is
// 35 to 64 pixels from the centre.
QImage ReportRateDial(int hz) {
  QImage image = NewImage("/USBReportRate/%dHZ.png", colour::kPanel);
  QPainter painter;
  StartPainter(painter, image);
  const QPointF centre(64, 64);
  struct Quadrant {
    int hz;
    qreal from;
  };
  for (std::size_t i = 0; i < kReportDialHz.size(); ++i) {
    const Quadrant q{kReportDialHz[i], 90.0 * static_cast<qreal>(i)};
    const bool chosen = q.hz == hz;
    const QPainterPath segment = RingSegment(centre, 36, 62, q.from + 2.5, 85);
    if (chosen) {
      // The square is opaque: a glow reaching its edge would be cut off there in a hard line. This one
      // fades out a pixel inside the nearest edge.
      const QPointF glow = Polar(centre, 42, q.from + 45);
      const qreal reach = centre.x() - std::max(std::abs(glow.x() - centre.x()), std::abs(glow.y() - centre.y())) - 1;
      Glow(painter, glow, reach, QColor(38, 198, 218, 70));
      QLinearGradient fill(Polar(centre, 62, q.from + 45), Polar(centre, 36, q.from + 45));
      fill.setColorAt(0, colour::kAccent);
      fill.setColorAt(1, colour::kAccentDeep);
      painter.setPen(QPen(QColor(120, 230, 242), 1));
      painter.setBrush(fill);
    } else {
      painter.setPen(QPen(colour::kHairline, 1));
      painter.setBrush(colour::kRaised);
    }
    painter.drawPath(segment);
    const QPointF label = Polar(centre, 49, q.from + 45);
    DrawText(painter, QRectF(label.x() - 18, label.y() - 8, 36, 16), QString::number(q.hz),
             chosen ? QColor(6, 22, 26) : colour::kTextDim, 10, true);
  }
  painter.setPen(QPen(colour::kEdge, 1));
  painter.setBrush(colour::kWell);
  painter.drawEllipse(centre, 30, 30);
  DrawText(painter, QRectF(24, 46, 80, 24), QString::number(hz), colour::kText, hz >= 1000 ? 17 : 19, true);
  DrawText(painter, QRectF(24, 68, 80, 14), QStringLiteral("Hz"), colour::kAccent, 10, true);
  return image;
}

// Speed dial: the upper half of a ring around (71, 71), ten sectors of 18 degrees; value 2 is the left-hand
// sector, 11 the right-hand one, and the sectors up to the value are lit.
QImage SpeedDial(int value) {
  QImage image = NewImage("/MouseAttribute/Speed/%d.png", colour::kPanel);
  QPainter painter;
  StartPainter(painter, image);
  const QPointF centre(71, 71);
  for (int i = 0; i < 10; ++i) {
    const int sectorValue = 2 + i;
    const qreal from = 180 - 18 * (i + 1);
    const QPainterPath segment = RingSegment(centre, 46, 69, from + 1.2, 15.6);
    if (sectorValue <= value) {
      const QColor lit = Mix(colour::kAccentDeep, colour::kAccent, i / 9.0);
      painter.setPen(QPen(Mix(lit, QColor(255, 255, 255), 0.3), 1));
      painter.setBrush(lit);
    } else {
      painter.setPen(QPen(colour::kHairline, 1));
      painter.setBrush(colour::kRaised);
    }
    painter.drawPath(segment);
  }
  if (value >= 2) {
    const qreal tip = 180 - 18 * (std::min(value, 11) - 1) + 9;
    Glow(painter, Polar(centre, 57, tip), 16, QColor(38, 198, 218, 80));
  }
  painter.setPen(QPen(colour::kEdge, 1));
  painter.setBrush(colour::kWell);
  painter.drawChord(QRectF(centre.x() - 38, centre.y() - 38, 76, 76), 0, 180 * 16);
  DrawText(painter, QRectF(41, 42, 60, 28), QString::number(value), colour::kText, 22, true);
  painter.fillRect(QRectF(22, 71.5, 98, 1), colour::kHairline);
  return image;
}

QImage ScrollLines() {
  QImage image = NewImage("/MouseAttribute/ScrollSpeed/ScrollLines.png", colour::kPanel);
  QPainter painter;
  StartPainter(painter, image);
  FillBox(painter, QRectF(0, 0, image.width(), image.height()), 3, colour::kWell, QColor(17, 19, 23), colour::kEdge);
  const qreal split = kScrollLinesTextArea.right + 1.5;
  painter.fillRect(QRectF(split, 1, 1, image.height() - 2), colour::kEdge);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour::kAccent);
  const Rect up = kScrollLinesUpArrow;
  const Rect down = kScrollLinesDownArrow;
  painter.drawPolygon(QPolygonF({{qreal(up.left), qreal(up.bottom)},
                                 {qreal(up.right), qreal(up.bottom)},
                                 {(up.left + up.right) / 2.0, qreal(up.top)}}));
  painter.drawPolygon(QPolygonF({{qreal(down.left), qreal(down.top)},
                                 {qreal(down.right), qreal(down.top)},
                                 {(down.left + down.right) / 2.0, qreal(down.bottom)}}));
  return image;
}

// An unsteady stroke across the card, as a hand draws a straight line.
qreal Wobble(qreal x) { return 7 * std::sin(x / 11.0) + 3.5 * std::sin(x / 4.7 + 1.3) + 1.5 * std::sin(x / 2.3 + 0.4); }

// Angle snap illustration: the drawn stroke (dim) and the stroke the mouse reports (lit), straighter as
// the value grows from 2 to 10. The positions the mouse is sent as "off" (1 and 11) leave the stroke as
// drawn.
QImage AngleSnapCard(int value) {
  QImage image = NewImage("/AngleSnap/%d.png", colour::kPanel);
  QPainter painter;
  StartPainter(painter, image);
  const qreal w = image.width();
  const qreal h = image.height();
  FillBox(painter, QRectF(0, 0, w, h), 6, colour::kWell, QColor(16, 18, 22), colour::kHairline);
  painter.setPen(QPen(QColor(255, 255, 255, 10), 1));
  for (int x = 20; x < w; x += 20) painter.drawLine(QPointF(x + 0.5, 4), QPointF(x + 0.5, h - 4));
  for (int y = 17; y < h; y += 17) painter.drawLine(QPointF(4, y + 0.5), QPointF(w - 4, y + 0.5));
  const qreal baseline = 50;
  const bool off = AngleSnapByte(static_cast<Byte>(value)) == 0;
  const qreal keep = off ? 1.0 : (11 - value) / 10.0;
  QPolygonF drawn;
  QPolygonF reported;
  for (qreal x = 14; x <= w - 14; x += 1.5) {
    drawn << QPointF(x, baseline + Wobble(x));
    reported << QPointF(x, baseline + Wobble(x) * keep);
  }
  painter.setPen(QPen(QColor(128, 136, 148, 140), 1.2, Qt::DashLine, Qt::RoundCap));
  painter.drawPolyline(drawn);
  painter.setPen(QPen(QColor(38, 198, 218, 60), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPolyline(reported);
  painter.setPen(QPen(colour::kAccent, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPolyline(reported);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour::kAccent);
  painter.drawEllipse(reported.back(), 3, 3);
  const QRectF badge(w - 30, 6, 24, 16);
  FillBox(painter, badge, 8, colour::kRaised, colour::kRaised, colour::kEdge);
  DrawText(painter, badge, QString::number(value), colour::kAccent, 10, true);
  return image;
}

}  // namespace

void DrawDialPanels(SkinWriter& writer) {
  writer.Save("/USBReportRate/BK_USBReportRate.png", PanelBody("/USBReportRate/BK_USBReportRate.png"));
  writer.SaveFamily("/USBReportRate/%dHZ.png", kReportRatesHz, ReportRateDial);
  writer.Save("/MouseAttribute/BK_MouseAttribute.png", PanelBody("/MouseAttribute/BK_MouseAttribute.png"));
  writer.SaveFamily("/MouseAttribute/Speed/%d.png", kSpeedDialPositions, SpeedDial);
  writer.Save("/MouseAttribute/BK_ScrollSpeed.png", PanelBody("/MouseAttribute/BK_ScrollSpeed.png", {37}));
  writer.Save("/MouseAttribute/ScrollSpeed/ScrollLines.png", ScrollLines());
  writer.Save("/AngleSnap/BK_AngleSnap.png", PanelBody("/AngleSnap/BK_AngleSnap.png"));
  writer.SaveFamily("/AngleSnap/%d.png", kAngleSnapPositions, AngleSnapCard);
}

}  // namespace korvane::skingen

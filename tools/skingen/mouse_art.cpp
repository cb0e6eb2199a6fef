// The mouse pictures of the main window, top and side view, and their hot spots. Every hot spot image is
// cut from the same scene as its picture: "-normal" is exactly the picture under its rectangle, "-over" the
// same with that button's callout lit, so both line up with the picture and drawing either over the
// other leaves no trace.
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRegion>

#include <array>
#include <vector>

#include "tools/skingen/skin_art.h"
#include "ui/main_window_geometry.h"

namespace korvane::skingen {

namespace {

// A numbered tag joined by a leader to the point of the mouse it names, in window coordinates.
struct Callout {
  int number;
  QPointF tag;
  std::vector<QPointF> leader;  // from the tag's edge to the target; the last point is the target
};

const std::array<Callout, 8> kTopCallouts{{
    {1, {347, 113}, {{356, 113}, {400, 113}, {424, 136}}},
    {2, {597, 113}, {{588, 113}, {548, 113}, {524, 136}}},
    {3, {597, 188}, {{588, 188}, {481, 188}}},
    {4, {347, 175}, {{356, 175}, {468, 175}}},
    {5, {347, 201}, {{356, 201}, {468, 201}}},
    {6, {597, 262}, {{588, 262}, {481, 262}}},
    {7, {347, 239}, {{356, 239}, {396, 239}}},
    {8, {347, 275}, {{356, 275}, {402, 275}}},
}};

const std::array<Callout, 8> kSideCallouts{{
    {1, {354, 339}, {{354, 330}, {354, 251}}},
    {2, {362, 141}, {{362, 150}, {362, 226}}},
    {3, {426, 141}, {{426, 150}, {426, 195}}},
    {4, {415, 339}, {{415, 330}, {415, 213}}},
    {5, {443, 339}, {{443, 330}, {443, 203}}},
    {6, {505, 141}, {{505, 150}, {505, 173}}},
    {7, {475, 339}, {{475, 330}, {475, 241}}},
    {8, {520, 339}, {{520, 330}, {520, 240}}},
}};

QColor Alpha(QColor colour, int alpha) {
  colour.setAlpha(alpha);
  return colour;
}

void DrawCallout(QPainter& painter, const Callout& callout, bool lit) {
  painter.save();
  const QPointF target = callout.leader.back();
  if (lit) Glow(painter, target, 11, QColor(38, 198, 218, 120));
  painter.setPen(QPen(lit ? colour::kAccent : Alpha(colour::kTextDim, 150), lit ? 1.6 : 1.0, Qt::SolidLine,
                      Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPolyline(callout.leader.data(), static_cast<int>(callout.leader.size()));
  painter.setPen(Qt::NoPen);
  painter.setBrush(lit ? colour::kAccent : colour::kTextDim);
  painter.drawEllipse(target, lit ? 3.0 : 2.4, lit ? 3.0 : 2.4);
  if (lit) Glow(painter, callout.tag, 14, QColor(38, 198, 218, 90));
  painter.setPen(QPen(lit ? QColor(120, 230, 242) : colour::kEdge, 1));
  painter.setBrush(lit ? colour::kAccent : colour::kRaised);
  painter.drawEllipse(callout.tag, 8.5, 8.5);
  DrawText(painter, QRectF(callout.tag.x() - 9, callout.tag.y() - 9, 18, 18), QString::number(callout.number),
           lit ? QColor(8, 24, 28) : colour::kText, 10, true);
  painter.restore();
}

QRectF ToRectF(const Rect& rect) { return QRectF(rect.left, rect.top, rect.width(), rect.height()); }

// A chip beside the side view's tail for the wheel's up (4) and down (5) directions.
void DrawBackChip(QPainter& painter, const Rect& rect, int number, bool lit) {
  painter.save();
  const QRectF box = ToRectF(rect).adjusted(3, 3, -3, -3);
  if (lit) Glow(painter, box.center(), 30, QColor(38, 198, 218, 60));
  FillBox(painter, box, box.height() / 2, lit ? colour::kAccent : colour::kRaised,
          lit ? QColor(28, 160, 178) : QColor(29, 33, 39), lit ? QColor(120, 230, 242) : colour::kEdge);
  const QColor ink = lit ? QColor(8, 24, 28) : colour::kText;
  DrawText(painter, box.adjusted(6, 0, 0, 0), QString::number(number), ink, 10, true, Qt::AlignVCenter | Qt::AlignLeft);
  const qreal x = box.right() - 14;
  const qreal y = box.center().y();
  const qreal d = number == 4 ? -1 : 1;
  painter.setPen(Qt::NoPen);
  painter.setBrush(lit ? ink : colour::kAccent);
  painter.drawPolygon(QPolygonF({{x - 4, y - 2 * d}, {x + 4, y - 2 * d}, {x, y + 3 * d}}));
  painter.restore();
}

// The shell seen from above, symmetric about x 474; window coordinates.
QPainterPath TopBody() {
  return CurvePath({474, 70}, {{{512, 69}, {538, 82}, {541, 116}},
                               {{544, 150}, {537, 190}, {540, 228}},
                               {{543, 268}, {552, 318}, {546, 356}},
                               {{540, 394}, {510, 412}, {474, 412}},
                               {{438, 412}, {408, 394}, {402, 356}},
                               {{396, 318}, {405, 268}, {408, 228}},
                               {{411, 190}, {404, 150}, {407, 116}},
                               {{410, 82}, {436, 69}, {474, 70}}});
}

void PaintTopMouse(QPainter& painter) {
  const QPainterPath body = TopBody();
  painter.save();
  // Shadow on the stage.
  GroundShadow(painter, {474, 258}, 104, 1.9, 150);
  // Side buttons 7 and 8 stand out of the left flank.
  for (const QRectF side : {QRectF(397.5, 228, 15, 24), QRectF(397.5, 263, 15, 25)}) {
    FillBox(painter, side, 5, QColor(78, 86, 98), QColor(48, 53, 61), QColor(96, 104, 118));
  }
  // Body.
  QLinearGradient shell(404, 0, 544, 0);
  shell.setColorAt(0, QColor(34, 38, 45));
  shell.setColorAt(0.45, QColor(52, 58, 68));
  shell.setColorAt(1, QColor(28, 31, 37));
  painter.setPen(QPen(QColor(70, 77, 88), 1.2));
  painter.setBrush(shell);
  painter.drawPath(body);
  painter.setClipPath(body);
  QRadialGradient palm(QPointF(460, 300), 110);
  palm.setColorAt(0, QColor(255, 255, 255, 22));
  palm.setColorAt(1, QColor(255, 255, 255, 0));
  painter.fillRect(QRectF(400, 180, 150, 240), palm);
  // Buttons end at a curved seam; the middle seam runs down to the wheel slot.
  QPainterPath seam;
  seam.moveTo(400, 221);
  seam.quadTo(474, 246, 548, 221);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(10, 12, 15), 2));
  painter.drawPath(seam);
  painter.drawLine(QPointF(474, 70), QPointF(474, 144));
  painter.setPen(QPen(QColor(255, 255, 255, 22), 1));
  painter.drawPath(seam.translated(0, 2));
  painter.drawLine(QPointF(475.5, 72), QPointF(475.5, 144));
  // Rear light strip.
  painter.setPen(QPen(QColor(38, 198, 218, 60), 9));
  painter.drawPath(body);
  painter.setClipping(false);
  painter.restore();
  QLinearGradient strip(0, 330, 0, 380);
  strip.setColorAt(0, Alpha(colour::kAccent, 0));
  strip.setColorAt(1, colour::kAccent);
  painter.setPen(QPen(QBrush(strip), 1.6));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(body);
  // Wheel in its slot.
  FillBox(painter, QRectF(462, 143, 24, 76), 9, QColor(8, 10, 12), QColor(14, 16, 19), QColor(0, 0, 0));
  Glow(painter, {474, 181}, 26, QColor(38, 198, 218, 45));
  QLinearGradient wheel(467, 0, 481, 0);
  wheel.setColorAt(0, QColor(38, 42, 48));
  wheel.setColorAt(0.5, QColor(86, 94, 106));
  wheel.setColorAt(1, QColor(38, 42, 48));
  painter.setPen(Qt::NoPen);
  painter.setBrush(wheel);
  painter.drawRoundedRect(QRectF(467, 150, 14, 62), 6, 6);
  painter.setPen(QPen(QColor(24, 27, 31), 1));
  for (int y = 154; y < 210; y += 4) painter.drawLine(QPointF(468.5, y + 0.5), QPointF(479.5, y + 0.5));
  // Stage (CPI) button with its light.
  FillBox(painter, QRectF(468, 250, 13, 24), 4, QColor(56, 62, 72), QColor(36, 40, 47), QColor(14, 16, 19));
  Glow(painter, {474.5, 262}, 8, QColor(38, 198, 218, 160));
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour::kAccent);
  painter.drawEllipse(QPointF(474.5, 262), 1.8, 1.8);
  // Emblem on the palm.
  Glow(painter, {474, 336}, 22, QColor(38, 198, 218, 50));
  DrawEmblem(painter, {474, 336}, 22, Alpha(colour::kAccent, 220));
}

// The mouse from its left side, nose to the left, seen a little from above; window coordinates.
QPainterPath SideBody() {
  return CurvePath({345, 300}, {{{330, 300}, {321, 296}, {321, 284}},
                                {{321, 268}, {324, 258}, {330, 248}},
                                {{350, 222}, {395, 196}, {440, 184}},
                                {{470, 176}, {490, 166}, {512, 166}},
                                {{536, 166}, {552, 186}, {552, 215}},
                                {{552, 250}, {548, 282}, {532, 296}},
                                {{526, 300}, {520, 300}, {512, 300}}});
}

void PaintSideMouse(QPainter& painter) {
  const QPainterPath body = SideBody();
  painter.save();
  GroundShadow(painter, {438, 303}, 138, 0.12, 190);
  QLinearGradient fill(0, 166, 0, 300);
  fill.setColorAt(0, QColor(58, 64, 74));
  fill.setColorAt(0.45, QColor(40, 44, 51));
  fill.setColorAt(1, QColor(22, 25, 29));
  painter.setPen(QPen(QColor(70, 77, 88), 1.2));
  painter.setBrush(fill);
  painter.drawPath(body);
  painter.setClipPath(body);
  // The shell above the waist catches more light than the flank below it.
  QPainterPath waist;
  waist.moveTo(318, 262);
  waist.quadTo(440, 228, 556, 238);
  QPainterPath flank = waist;
  flank.lineTo(556, 310);
  flank.lineTo(318, 310);
  flank.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, 70));
  painter.drawPath(flank);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QColor(10, 12, 15), 1.6));
  painter.drawPath(waist);
  painter.setPen(QPen(QColor(255, 255, 255, 20), 1));
  painter.drawPath(waist.translated(0, -1.5));
  // Seams: between the two main buttons, and behind them.
  QPainterPath split;
  split.moveTo(322, 244);
  split.quadTo(370, 214, 412, 204);
  painter.setPen(QPen(QColor(10, 12, 15), 1.6));
  painter.drawPath(split);
  QPainterPath rear;
  rear.moveTo(450, 190);
  rear.quadTo(458, 214, 452, 236);
  painter.drawPath(rear);
  // Top highlight and the light strip along the base.
  painter.setPen(QPen(QColor(255, 255, 255, 30), 2));
  painter.drawPath(body.translated(0, 2.5));
  painter.setPen(QPen(QColor(38, 198, 218, 70), 8));
  painter.drawLine(QPointF(330, 300), QPointF(540, 300));
  painter.setPen(QPen(colour::kAccent, 1.6));
  painter.drawLine(QPointF(336, 298.5), QPointF(530, 298.5));
  painter.restore();
  // Side buttons 7 (front) and 8 on the flank.
  painter.save();
  for (const auto& [x, y] : {std::pair{452.0, 233.0}, std::pair{499.0, 231.5}}) {
    painter.save();
    painter.translate(x, y);
    painter.rotate(-2);
    FillBox(painter, QRectF(0, 0, 45, 14), 6, QColor(70, 77, 88), QColor(42, 46, 53), QColor(16, 18, 21));
    painter.fillRect(QRectF(5, 1.5, 35, 1), QColor(255, 255, 255, 30));
    painter.restore();
  }
  // Wheel, standing out of the shell.
  Glow(painter, {428, 200}, 24, QColor(38, 198, 218, 45));
  painter.translate(428, 199);
  painter.rotate(-16);
  QLinearGradient wheel(0, -8, 0, 8);
  wheel.setColorAt(0, QColor(92, 100, 112));
  wheel.setColorAt(1, QColor(32, 35, 40));
  painter.setPen(QPen(QColor(10, 12, 15), 1));
  painter.setBrush(wheel);
  painter.drawRoundedRect(QRectF(-19, -8, 38, 16), 8, 8);
  painter.setPen(QPen(QColor(22, 25, 29), 1));
  for (int x = -14; x <= 14; x += 4) painter.drawLine(QPointF(x, -6), QPointF(x, 6));
  painter.restore();
  // Stage (CPI) button on the hump.
  painter.save();
  painter.translate(505, 172);
  painter.rotate(-3);
  FillBox(painter, QRectF(-9, -4, 18, 8), 4, QColor(70, 77, 88), QColor(40, 44, 51), QColor(12, 14, 17));
  painter.restore();
  Glow(painter, {505, 172}, 7, QColor(38, 198, 218, 150));
  // Emblem on the rear flank.
  DrawEmblem(painter, {520, 268}, 16, Alpha(colour::kAccent, 190));
}

// Draws the view's scene, then cuts the picture and every hot spot out of it.
struct View {
  std::string_view picture;
  int pictureX;
  int pictureY;
  void (*paintMouse)(QPainter&);
  const std::array<Callout, 8>* callouts;
  int view;
};

QImage Scene(const View& view, int litButton) {
  QImage scene = MiddleBackdrop();
  QPainter painter;
  StartPainter(painter, scene);
  painter.translate(-kMouseArea.left, -kMouseArea.top);
  view.paintMouse(painter);
  for (const Callout& callout : *view.callouts) DrawCallout(painter, callout, false);
  if (view.view == kSideView) {
    const auto& back = SideBackHotSpots();
    DrawBackChip(painter, back[0].rect, 4, false);
    DrawBackChip(painter, back[1].rect, 5, false);
  }
  if (litButton == 0) return scene;

  // The lit look stays inside the button's own rectangles, off every other hot spot, so that drawing the
  // hot spots in any order gives the same picture.
  std::vector<Rect> own{MouseHotSpot(view.view, litButton).rect};
  std::vector<Rect> others;
  for (int n = 1; n <= 8; ++n) {
    if (n != litButton) others.push_back(MouseHotSpot(view.view, n).rect);
  }
  if (view.view == kSideView) {
    const auto& back = SideBackHotSpots();
    for (int i = 0; i < 2; ++i) ((litButton == 4 + i) ? own : others).push_back(back[i].rect);
  }
  QRegion clip;
  for (const Rect& rect : own) clip += QRect(rect.left, rect.top, rect.width(), rect.height());
  for (const Rect& rect : others) clip -= QRect(rect.left, rect.top, rect.width(), rect.height());
  painter.setClipRegion(clip);
  DrawCallout(painter, (*view.callouts)[litButton - 1], true);
  if (view.view == kSideView && (litButton == 4 || litButton == 5)) {
    DrawBackChip(painter, SideBackHotSpots()[litButton - 4].rect, litButton, true);
  }
  return scene;
}

Rect InScene(const Rect& rect) {
  return {rect.left - kMouseArea.left, rect.top - kMouseArea.top, rect.right - kMouseArea.left,
          rect.bottom - kMouseArea.top};
}

void DrawView(SkinWriter& writer, const View& view) {
  const QImage plain = Scene(view, 0);
  const SkinSize size = InventorySize(view.picture);
  writer.Save(view.picture, Crop(plain, InScene({view.pictureX, view.pictureY, view.pictureX + size.width,
                                                 view.pictureY + size.height})));
  for (int n = 1; n <= 8; ++n) {
    const HotSpot& spot = MouseHotSpot(view.view, n);
    const QImage lit = Scene(view, n);
    writer.Save(spot.normalImage, Crop(plain, InScene(spot.rect)));
    writer.Save(spot.overImage, Crop(lit, InScene(spot.rect)));
    if (view.view == kSideView && (n == 4 || n == 5)) {
      const HotSpot& back = SideBackHotSpots()[n - 4];
      writer.Save(back.normalImage, Crop(plain, InScene(back.rect)));
      writer.Save(back.overImage, Crop(lit, InScene(back.rect)));
    }
  }
}

}  // namespace

void DrawMouseViews(SkinWriter& writer) {
  DrawView(writer, {kTopPicture, kTopPictureX, kTopPictureY, PaintTopMouse, &kTopCallouts, kTopView});
  DrawView(writer, {kSidePicture, kSidePictureX, kSidePictureY, PaintSideMouse, &kSideCallouts, kSideView});
}

}  // namespace korvane::skingen

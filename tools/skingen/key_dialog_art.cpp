// The small modal dialogs: single key, combo key and macro key, with their shared buttons and tick boxes.
#include <QLinearGradient>

#include "tools/skingen/skin_art.h"

namespace korvane::skingen {

namespace {

constexpr int kDialogHeader = 30;  // holds the close button at 352, 6

// A keycap seen from above at a slant: a skirt and a lighter top face.
void Keycap(QPainter& painter, const QRectF& box, bool accent) {
  painter.save();
  Glow(painter, box.center() + QPointF(0, box.height() * 0.35), box.width() * 0.6,
       accent ? QColor(38, 198, 218, 70) : QColor(0, 0, 0, 90));
  FillBox(painter, box, box.height() * 0.16, QColor(48, 53, 62), QColor(26, 29, 34), QColor(12, 14, 17));
  const QRectF face = box.adjusted(box.width() * 0.12, box.height() * 0.08, -box.width() * 0.12, -box.height() * 0.22);
  FillBox(painter, face, face.height() * 0.16, QColor(66, 73, 84), QColor(46, 51, 59), QColor(80, 88, 100));
  if (accent) painter.fillRect(QRectF(box.left() + 6, box.bottom() - 3, box.width() - 12, 1.5), colour::kAccent);
  painter.restore();
}

void PlusSign(QPainter& painter, QPointF centre, qreal size) {
  painter.save();
  painter.setPen(QPen(colour::kAccent, 2, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(centre - QPointF(size, 0), centre + QPointF(size, 0));
  painter.drawLine(centre - QPointF(0, size), centre + QPointF(0, size));
  painter.restore();
}

void Caret(QPainter& painter, QPointF centre) {
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour::kAccent);
  painter.drawPolygon(QPolygonF({centre + QPointF(-3.5, -2), centre + QPointF(3.5, -2), centre + QPointF(0, 2.5)}));
  painter.restore();
}

QImage TickBox(std::string_view name, bool ticked) {
  QImage image = NewImage(name, colour::kDialog);
  QPainter painter;
  StartPainter(painter, image);
  const qreal s = image.width();
  if (ticked) {
    FillBox(painter, QRectF(0, 0, s, s), 3, colour::kAccent, QColor(28, 160, 178), QColor(120, 230, 242));
    painter.setPen(QPen(QColor(6, 22, 26), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({{s * 0.25, s * 0.52}, {s * 0.43, s * 0.7}, {s * 0.76, s * 0.32}}));
  } else {
    FillBox(painter, QRectF(0, 0, s, s), 3, colour::kWell, colour::kWell, colour::kEdge);
  }
  return image;
}

}  // namespace

QImage SmallButton(std::string_view name, bool over) {
  QImage image = ButtonImage(name, colour::kDialog, 4, over ? Look::kChosen : Look::kNormal);
  QPainter painter(&image);
  painter.fillRect(QRectF(4, 1, image.width() - 8, 1), QColor(255, 255, 255, 16));
  return image;
}

QImage DialogFrame(std::string_view name, int headerHeight, bool productMark) {
  QImage image = NewImage(name, colour::kDialog);
  QPainter painter;
  StartPainter(painter, image);
  const qreal w = image.width();
  const qreal h = image.height();
  painter.fillRect(QRectF(0, 0, w, headerHeight), colour::kStrip);
  painter.fillRect(QRectF(0, headerHeight - 1, w, 1), colour::kHairline);
  painter.fillRect(QRectF(0, 0, w, 2), colour::kAccent);
  if (productMark) {
    DrawEmblem(painter, {18, headerHeight / 2.0 + 1}, 13, colour::kAccent);
    QFont font = SkinFont(10, true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2.2);
    painter.setFont(font);
    painter.setPen(colour::kTextDim);
    painter.drawText(QRectF(30, 1, 160, headerHeight), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("KORVANE"));
  }
  QLinearGradient body(0, headerHeight, 0, h);
  body.setColorAt(0, QColor(30, 34, 40));
  body.setColorAt(0.25, colour::kDialog);
  painter.fillRect(QRectF(0, headerHeight, w, h * 0.25), body);
  painter.setPen(colour::kEdge);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
  return image;
}

void FieldFrame(QPainter& painter, const Rect& field, const QColor& fill) {
  const QRectF box(field.left - 2, field.top - 2, field.width() + 4, field.height() + 4);
  FillBox(painter, box, 3, fill, fill, colour::kEdge);
}

void DrawKeyDialogs(SkinWriter& writer) {
  {
    QImage image = DialogFrame("/single-key.png", kDialogHeader);
    QPainter painter;
    StartPainter(painter, image);
    FieldFrame(painter, {74, 129, 150, 143}, QColor(250, 250, 250));  // the captured key name, black on white
    painter.fillRect(QRectF(34, 124, 146, 1), QColor(38, 198, 218, 120));
    Keycap(painter, QRectF(236, 72, 104, 100), true);
    painter.fillRect(QRectF(16, 238, 360, 1), colour::kHairline);
    painter.end();
    writer.Save("/single-key.png", image);
  }
  {
    QImage image = DialogFrame("/combo-key.png", kDialogHeader);
    QPainter painter;
    StartPainter(painter, image);
    FieldFrame(painter, {50, 70, 132, 84}, QColor(40, 40, 40));  // modifier name and its drop-down
    Caret(painter, {125, 77});
    PlusSign(painter, {91, 93}, 4);  // between the modifier box and the first key's caption
    FieldFrame(painter, {50, 120, 131, 134}, QColor(40, 40, 40));
    PlusSign(painter, {91, 143}, 4);
    FieldFrame(painter, {50, 170, 131, 184}, QColor(40, 40, 40));
    Keycap(painter, QRectF(214, 66, 136, 52), true);
    PlusSign(painter, {282, 136}, 5);
    Keycap(painter, QRectF(214, 154, 60, 56), false);
    Keycap(painter, QRectF(290, 154, 60, 56), false);
    painter.fillRect(QRectF(16, 238, 360, 1), colour::kHairline);
    painter.end();
    writer.Save("/combo-key.png", image);
  }
  {
    QImage image = DialogFrame("/macro-key.png", kDialogHeader);
    QPainter painter;
    StartPainter(painter, image);
    Glow(painter, {96, 74}, 30, QColor(38, 198, 218, 50));
    painter.setPen(QPen(colour::kAccent, 2));
    painter.setBrush(colour::kWell);
    painter.drawEllipse(QPointF(96, 74), 19, 19);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour::kAccent);
    painter.drawPolygon(QPolygonF({{90, 64}, {90, 84}, {106, 74}}));
    FieldFrame(painter, {42, 128, 151, 144}, QColor(40, 40, 40));  // chosen macro and its drop-down
    painter.fillRect(QRectF(136.5, 127, 1, 18), colour::kEdge);
    Caret(painter, {144, 136});
    painter.fillRect(QRectF(200, 62, 1, 150), colour::kHairline);
    painter.fillRect(QRectF(16, 238, 360, 1), colour::kHairline);
    painter.end();
    writer.Save("/macro-key.png", image);
  }
  writer.Save("/Pane.png", TickBox("/Pane.png", false));
  writer.Save("/PaneMakingTick.png", TickBox("/PaneMakingTick.png", true));
  writer.Save("/MacroManagement/Pane.png", TickBox("/MacroManagement/Pane.png", false));
  writer.Save("/MacroManagement/PaneMakingTick.png", TickBox("/MacroManagement/PaneMakingTick.png", true));
  for (bool over : {false, true}) {
    const std::string look = over ? "over" : "normal";
    const std::string ok = "/MacroManagement/button-new-" + look + ".png";
    const std::string cancel = "/MacroManagement/button-cancel-" + look + ".png";
    writer.Save(ok, SmallButton(ok, over));
    writer.Save(cancel, SmallButton(cancel, over));
  }
}

}  // namespace korvane::skingen

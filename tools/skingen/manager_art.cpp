// The macro manager, the profile manager and the help panel.
#include "tools/skingen/skin_art.h"

namespace korvane::skingen {

namespace {

constexpr int kMacroHeader = 56;    // holds the close box at 427, 17, 478, 41
constexpr int kProfileHeader = 31;  // above the profile list (top 31)
constexpr int kProfileNewRowTop = 575;
const QColor kListFill{40, 40, 40};  // the profile list's own background
const QColor kNewRowFill{30, 34, 40};

QImage MacroClose(std::string_view name, bool over) {
  QImage image = NewImage(name, colour::kStrip);
  QPainter painter;
  StartPainter(painter, image);
  const QRectF box(0, 0, image.width(), image.height());
  if (over) {
    FillBox(painter, box, box.height() / 2, colour::kRecord, QColor(170, 44, 52), QColor(236, 110, 118));
  } else {
    ButtonFace(painter, box, box.height() / 2, Look::kNormal);
  }
  const QPointF c = box.center();
  painter.setPen(QPen(over ? colour::kText : colour::kTextDim, 1.6, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(c + QPointF(-4, -4), c + QPointF(4, 4));
  painter.drawLine(c + QPointF(4, -4), c + QPointF(-4, 4));
  return image;
}

QImage RecordButton() {
  QImage image = NewImage("/MacroManagement/Record-normal.png", colour::kDialog);
  QPainter painter;
  StartPainter(painter, image);
  const QRectF box(0, 0, image.width(), image.height());
  FillBox(painter, box, box.height() / 2, QColor(150, 42, 50), QColor(104, 28, 34), colour::kRecord);
  painter.fillRect(QRectF(10, 1, box.width() - 20, 1), QColor(255, 255, 255, 40));
  return image;
}

// A button with a "+" beside three list lines: inserts an entry into a macro.
QImage InsertButton(std::string_view name, bool over) {
  QImage image = SmallButton(name, over);
  QPainter painter;
  StartPainter(painter, image);
  const QColor ink = over ? colour::kAccent : colour::kTextDim;
  painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(18, 12.5), QPointF(26, 12.5));
  painter.drawLine(QPointF(22, 8.5), QPointF(22, 16.5));
  painter.setPen(QPen(ink, 1.2, Qt::SolidLine, Qt::RoundCap));
  for (qreal y : {8.5, 12.5, 16.5}) painter.drawLine(QPointF(31, y), QPointF(41, y));
  return image;
}

void ListIcon(QPainter& painter, QPointF at) {
  painter.save();
  painter.setPen(QPen(colour::kAccent, 1.4, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < 3; ++i) {
    const qreal y = at.y() + 4 * i;
    painter.drawPoint(QPointF(at.x(), y));
    painter.drawLine(QPointF(at.x() + 4, y), QPointF(at.x() + 14, y));
  }
  painter.restore();
}

void ClockIcon(QPainter& painter, QPointF centre) {
  painter.save();
  painter.setPen(QPen(colour::kAccent, 1.4, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(centre, 6, 6);
  painter.drawLine(centre, centre + QPointF(0, -3.5));
  painter.drawLine(centre, centre + QPointF(2.5, 1.5));
  painter.restore();
}

}  // namespace

void DrawMacroManager(SkinWriter& writer) {
  QImage image = DialogFrame("/MacroManagement/MacroManagement.png", kMacroHeader);
  QPainter painter;
  StartPainter(painter, image);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour::kRecord);
  painter.drawEllipse(QPointF(118, kMacroHeader / 2.0 + 1), 3.5, 3.5);
  ListIcon(painter, {23, 65});
  ClockIcon(painter, {161, 69});
  FieldFrame(painter, {21, 82, 130, 353}, QColor(109, 109, 109));   // macro list
  FieldFrame(painter, {153, 82, 262, 353}, QColor(109, 109, 109));  // event list
  // The recording options, around the record button, the delays box, the loop box and the loop count.
  painter.setPen(QPen(colour::kHairline, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(QRectF(284.5, 78.5, 114, 279), 6, 6);
  painter.fillRect(QRectF(292, 128, 100, 1), colour::kHairline);
  painter.fillRect(QRectF(292, 302, 100, 1), colour::kHairline);
  FieldFrame(painter, {298, 333, 379, 345}, QColor(34, 24, 21));  // loop count
  painter.fillRect(QRectF(12, 361, 472, 1), colour::kHairline);
  painter.end();
  writer.Save("/MacroManagement/MacroManagement.png", image);
  writer.Save("/MacroManagement/Record-normal.png", RecordButton());
  for (bool over : {false, true}) {
    const std::string look = over ? "over" : "normal";
    const std::string close = "/macro-button-close-" + look + ".png";
    const std::string insert = "/Insert-Macro-" + look + ".png";
    writer.Save(close, MacroClose(close, over));
    writer.Save(insert, InsertButton(insert, over));
  }
}

void DrawProfileAndHelp(SkinWriter& writer) {
  {
    QImage image = DialogFrame("/Config/Config.png", kProfileHeader, false);  // the title is drawn there
    QPainter painter;
    StartPainter(painter, image);
    const qreal w = image.width();
    painter.fillRect(QRectF(1, kProfileHeader, w - 2, kProfileNewRowTop - kProfileHeader), kListFill);
    painter.fillRect(QRectF(1, kProfileNewRowTop, w - 2, image.height() - kProfileNewRowTop - 1), kNewRowFill);
    painter.fillRect(QRectF(1, kProfileNewRowTop, w - 2, 1), colour::kEdge);
    painter.end();
    writer.Save("/Config/Config.png", image);
  }
  {
    QImage icon = NewImage("/Config/New-Config.png", kNewRowFill);
    QPainter painter;
    StartPainter(painter, icon);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour::kAccent);
    painter.drawEllipse(QRectF(0, 0, 12, 12));
    painter.setPen(QPen(QColor(6, 22, 26), 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
    painter.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
    painter.end();
    writer.Save("/Config/New-Config.png", icon);
  }
  {
    // Three rows: web address (0-25), update (26-49), version (50-77).
    QImage image = NewImage("/Help/HelpWindow.png", colour::kRaised);
    QPainter painter;
    StartPainter(painter, image);
    const qreal w = image.width();
    const qreal h = image.height();
    FillBox(painter, QRectF(0, 0, w, h), 0, colour::kRaised, QColor(29, 33, 39), colour::kEdge);
    painter.fillRect(QRectF(0, 0, w, 2), colour::kAccent);
    painter.fillRect(QRectF(8, 25, w - 16, 1), colour::kHairline);
    painter.fillRect(QRectF(8, 49, w - 16, 1), colour::kHairline);
    painter.end();
    writer.Save("/Help/HelpWindow.png", image);
  }
}

}  // namespace korvane::skingen

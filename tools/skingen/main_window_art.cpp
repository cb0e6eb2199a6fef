// The main window's frame: background, columns, logo, headers, title and bottom buttons, view switch.
#include <QLinearGradient>
#include <QRadialGradient>

#include "tools/skingen/skin_art.h"
#include "ui/main_page_layout.h"
#include "ui/main_window_geometry.h"

namespace korvane::skingen {

namespace {

constexpr int kStripHeight = 32;       // title strip, above the logo and the columns
constexpr int kBottomStripTop = 598;   // below the scroll track, around the bottom buttons

QImage ColumnBackground(std::string_view name) {
  QImage image = NewImage(name, colour::kPanel);
  QPainter painter;
  StartPainter(painter, image);
  painter.setPen(colour::kHairline);
  painter.drawLine(QPointF(0.5, 0), QPointF(0.5, image.height()));
  painter.drawLine(QPointF(image.width() - 0.5, 0), QPointF(image.width() - 0.5, image.height()));
  return image;
}

QImage Logo() {
  QImage image = NewImage("/Logo.png", colour::kWindow);
  QPainter painter;
  StartPainter(painter, image);
  Glow(painter, {26, 36}, 30, QColor(38, 198, 218, 40));
  DrawEmblem(painter, {26, 36}, 34, colour::kAccent);
  QFont small = SkinFont(10, true);
  small.setLetterSpacing(QFont::AbsoluteSpacing, 3.2);
  painter.setFont(small);
  painter.setPen(colour::kTextDim);
  painter.drawText(QPointF(54, 27), QStringLiteral("TELLURIX"));
  QFont big = SkinFont(25, true);
  big.setLetterSpacing(QFont::AbsoluteSpacing, 2.0);
  painter.setFont(big);
  painter.setPen(colour::kText);
  painter.drawText(QPointF(53, 53), QStringLiteral("KORVANE"));
  QLinearGradient rule(54, 0, 230, 0);
  rule.setColorAt(0, colour::kAccent);
  rule.setColorAt(1, QColor(38, 198, 218, 0));
  painter.fillRect(QRectF(54, 60, 176, 1.5), rule);
  return image;
}

QImage Version() {
  QImage image = NewImage("/version.png", colour::kWindow);
  QPainter painter;
  StartPainter(painter, image);
  painter.setPen(Qt::NoPen);
  painter.setBrush(colour::kAccent);
  painter.drawEllipse(QPointF(6, 20), 2.5, 2.5);
  QFont font = SkinFont(10);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
  painter.setFont(font);
  painter.setPen(colour::kTextDim);
  painter.drawText(QRectF(14, 0, 228, 40), Qt::AlignVCenter | Qt::AlignLeft,
                   QStringLiteral("KORVANE  ·  " KORVANE_VERSION));
  return image;
}

QImage Track() {
  QImage image = NewImage("/Bar1.png", colour::kWindow);
  QPainter painter;
  StartPainter(painter, image);
  FillBox(painter, QRectF(0, 0, image.width(), image.height()), 3.5, colour::kWell, QColor(17, 19, 23),
          colour::kHairline);
  return image;
}

QImage SectionHeader(std::string_view name) {
  QImage image = NewImage(name, colour::kPanel);
  const qreal w = image.width();
  const qreal h = image.height();
  QPainter painter;
  StartPainter(painter, image);
  QLinearGradient fill(0, 0, 0, h);
  fill.setColorAt(0, QColor(40, 45, 53));
  fill.setColorAt(1, QColor(31, 35, 41));
  painter.fillRect(QRectF(0, 0, w, h), fill);
  painter.fillRect(QRectF(0, 0, w, 1), QColor(255, 255, 255, 14));
  painter.fillRect(QRectF(0, h - 1, w, 1), colour::kWell);
  painter.fillRect(QRectF(0, 0, 3, h), colour::kAccent);
  if (h > 30) {
    // The Macro Manager header: it opens a window, so it carries a "record" mark instead of a chevron.
    painter.setPen(QPen(colour::kAccent, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(w - 20, h / 2), 8, 8);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour::kRecord);
    painter.drawEllipse(QPointF(w - 20, h / 2), 3.5, 3.5);
  } else {
    painter.setPen(QPen(colour::kTextDim, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF centre((kHeaderChevronArea.left + kHeaderChevronArea.right) / 2.0,
                         (kHeaderChevronArea.top + kHeaderChevronArea.bottom) / 2.0);
    painter.drawPolyline(QPolygonF({centre + QPointF(-4, -2), centre + QPointF(0, 2), centre + QPointF(4, -2)}));
  }
  return image;
}

enum class Glyph { kHelp, kMinimise, kClose };

QImage TitleButton(std::string_view name, Glyph glyph, bool over) {
  QImage image = NewImage(name, colour::kStrip);
  QPainter painter;
  StartPainter(painter, image);
  const QRectF box(0, 0, 15, 15);
  if (over) {
    const QColor fill = glyph == Glyph::kClose ? colour::kRecord : colour::kRaisedHover;
    FillBox(painter, box, 3, fill, fill, Qt::transparent);
  }
  const QColor ink = over ? colour::kText : colour::kTextDim;
  painter.setPen(QPen(ink, 1.4, Qt::SolidLine, Qt::RoundCap));
  switch (glyph) {
    case Glyph::kHelp:
      DrawText(painter, box.adjusted(0, 0, 0, 1), QStringLiteral("?"), ink, 11, true);
      break;
    case Glyph::kMinimise:
      painter.drawLine(QPointF(4, 10.5), QPointF(11, 10.5));
      break;
    case Glyph::kClose:
      painter.drawLine(QPointF(4.5, 4.5), QPointF(10.5, 10.5));
      painter.drawLine(QPointF(10.5, 4.5), QPointF(4.5, 10.5));
      break;
  }
  return image;
}

// Bottom buttons: the program writes their captions over them.
QImage BottomButton(std::string_view name, bool primary, bool over, bool withIcon) {
  QImage image = NewImage(name, colour::kStrip);
  QPainter painter;
  StartPainter(painter, image);
  const QRectF box(0, 0, image.width(), image.height());
  if (primary) {
    FillBox(painter, box, 5, over ? QColor(50, 208, 228) : QColor(30, 160, 178),
            over ? QColor(28, 150, 168) : QColor(18, 112, 126), over ? QColor(120, 230, 242) : QColor(46, 190, 208));
  } else {
    ButtonFace(painter, box, 5, over ? Look::kHover : Look::kNormal);
  }
  painter.fillRect(QRectF(5, 1, box.width() - 10, 1), QColor(255, 255, 255, primary ? 40 : 16));
  if (withIcon) {
    // Three sliders: the profile settings.
    const QColor ink = over ? colour::kAccent : colour::kTextDim;
    painter.setPen(QPen(ink, 1.3, Qt::SolidLine, Qt::RoundCap));
    const qreal knobs[] = {11, 16, 13};
    for (int i = 0; i < 3; ++i) {
      const qreal y = 10.5 + 4.5 * i;
      painter.drawLine(QPointF(8, y), QPointF(19, y));
      painter.setBrush(over ? colour::kAccent : colour::kRaised);
      painter.drawEllipse(QPointF(knobs[i], y), 1.8, 1.8);
    }
  }
  return image;
}

QImage ViewSwitch(std::string_view name, bool shown) {
  QImage image = ButtonImage(name, colour::kWindow, 6, shown ? Look::kChosen : Look::kNormal);
  if (shown) {
    QPainter painter(&image);
    painter.fillRect(QRectF(14, image.height() - 4, image.width() - 28, 2), colour::kAccent);
  }
  return image;
}

void DrawWebIcon(QPainter& painter, QPointF centre) {
  painter.save();
  painter.setPen(QPen(colour::kAccent, 1.2));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(centre, 6.5, 6.5);
  painter.drawEllipse(centre, 2.8, 6.5);
  painter.drawLine(centre + QPointF(-6.5, 0), centre + QPointF(6.5, 0));
  painter.restore();
}

}  // namespace

QImage PanelBody(std::string_view name, std::initializer_list<qreal> rules) {
  QImage image = NewImage(name, colour::kPanel);
  QPainter painter;
  StartPainter(painter, image);
  QLinearGradient shade(0, 0, 0, 6);
  shade.setColorAt(0, QColor(0, 0, 0, 90));
  shade.setColorAt(1, QColor(0, 0, 0, 0));
  painter.fillRect(QRectF(0, 0, image.width(), 6), shade);
  painter.setPen(colour::kHairline);
  painter.drawLine(QPointF(0.5, 0), QPointF(0.5, image.height()));
  painter.drawLine(QPointF(image.width() - 0.5, 0), QPointF(image.width() - 0.5, image.height()));
  for (qreal y : rules) painter.fillRect(QRectF(12, y, image.width() - 24, 1), colour::kHairline);
  return image;
}

QImage MiddleBackdrop() {
  QImage image = NewImage("/BK_MainMid.png", colour::kWindow);
  const qreal w = image.width();
  const qreal h = image.height();
  QPainter painter;
  StartPainter(painter, image);
  // An elliptical spotlight that fades to the window ground exactly at the edges, so the area has no seam.
  painter.save();
  painter.translate(w / 2, h * 0.52);
  painter.scale(w / 2, h * 0.52);
  QRadialGradient light(QPointF(0, 0), 1.0);
  light.setColorAt(0, QColor(30, 35, 43));
  light.setColorAt(0.55, QColor(21, 24, 29));
  light.setColorAt(1, colour::kWindow);
  painter.setPen(Qt::NoPen);
  painter.setBrush(light);
  painter.drawRect(QRectF(-1, -1, 2, 2));
  painter.restore();
  // A faint dot grid, brighter towards the centre.
  for (int y = 12; y < h; y += 18) {
    for (int x = 10; x < w; x += 18) {
      const qreal dx = (x - w / 2) / (w / 2);
      const qreal dy = (y - h * 0.52) / (h * 0.52);
      const qreal fade = std::max<qreal>(0, 1 - std::sqrt(dx * dx + dy * dy));
      if (fade <= 0) continue;
      painter.setPen(Qt::NoPen);
      painter.setBrush(QColor(120, 140, 160, static_cast<int>(34 * fade)));
      painter.drawEllipse(QPointF(x, y), 0.9, 0.9);
    }
  }
  return image;
}

void DrawMainWindow(SkinWriter& writer) {
  const QImage left = ColumnBackground("/BK_MainLeft.png");
  const QImage middle = MiddleBackdrop();
  const QImage right = ColumnBackground("/BK_MainRight.png");
  const QImage logo = Logo();
  const QImage version = Version();
  const QImage track = Track();
  writer.Save("/BK_MainLeft.png", left);
  writer.Save("/BK_MainMid.png", middle);
  writer.Save("/BK_MainRight.png", right);
  writer.Save("/Logo.png", logo);
  writer.Save("/version.png", version);
  writer.Save("/Bar1.png", track);
  writer.Save("/ItemBK.png", SectionHeader("/ItemBK.png"));
  writer.Save("/MacroManagementBK.png", SectionHeader("/MacroManagementBK.png"));

  for (bool over : {false, true}) {
    const char* look = over ? "over" : "normal";
    const auto named = [look](const char* stem) { return std::string(stem) + look + ".png"; };
    writer.Save(named("/button-help-"), TitleButton(named("/button-help-"), Glyph::kHelp, over));
    writer.Save(named("/button-min-"), TitleButton(named("/button-min-"), Glyph::kMinimise, over));
    writer.Save(named("/button-close-"), TitleButton(named("/button-close-"), Glyph::kClose, over));
    writer.Save(named("/button-save-"), BottomButton(named("/button-save-"), true, over, false));
    writer.Save(named("/button-cancel-"), BottomButton(named("/button-cancel-"), false, over, false));
    writer.Save(named("/button-config-"), BottomButton(named("/button-config-"), false, over, true));
  }
  writer.Save("/button-mouse-normal.png", ViewSwitch("/button-mouse-normal.png", false));
  writer.Save("/button-mouse-leave.png", ViewSwitch("/button-mouse-leave.png", true));

  QImage window = NewImage("/main.png", colour::kWindow);
  QPainter painter;
  StartPainter(painter, window);
  const qreal w = window.width();
  const qreal h = window.height();
  painter.fillRect(QRectF(0, 0, w, kStripHeight), colour::kStrip);
  painter.fillRect(QRectF(0, kStripHeight - 1, w, 1), colour::kHairline);
  painter.fillRect(QRectF(0, kBottomStripTop, w, h - kBottomStripTop), colour::kStrip);
  painter.fillRect(QRectF(0, kBottomStripTop, w, 1), colour::kHairline);
  DrawWebIcon(painter, {16.5, 16.5});
  painter.drawImage(kLeftColumnLeft, kLeftColumnTop, left);
  painter.drawImage(kMouseArea.left, kMouseArea.top, middle);
  painter.drawImage(kRightColumnLeft, kRightColumnTop, right);
  painter.drawImage(kLogoX, kLogoY, logo);
  painter.drawImage(kVersionX, kLeftColumnTop + kVersionOffset, version);
  painter.drawImage(kThumbLeft, kTrackTop, track);
  painter.setPen(colour::kEdge);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
  painter.end();
  writer.Save("/main.png", window);
}

}  // namespace korvane::skingen

// The Button Assignment section and the panels built from sliders and bars: CPI stages, X/Y sensitivity,
// lighting. Images that a panel redraws in place (bars, sliders, selectors, boxes) are opaque and carry
// the panel colour behind their shapes, so a redraw never blends over the previous look.
#include <QLinearGradient>

#include "tools/skingen/skin_art.h"
#include "ui/main_page_layout.h"

namespace korvane::skingen {

namespace {

// Body origin of the CPI Setting panel: it is always the first section of page 1.
constexpr int kCpiBodyX = kRightColumnLeft;
constexpr int kCpiBodyY = kRightColumnTop + 20;
constexpr int kStageBarLeft[] = {775, 825, 885, 935};
constexpr int kStageBarBottom = 203;
constexpr int kSwatchTop = 255;
const QColor kGroupFill{29, 33, 39};  // behind the bars, number boxes and swatches

// Centre of a slider's knob for a value. A press left of the margin gives value 1, then each pitch one
// more, the last value on the track's last pixels; knobs sit at one pitch apart inside those bands.
qreal KnobCentre(int value, int margin, int pitch, int width) {
  const qreal x = margin - 5 + pitch * (value - 1);
  return std::clamp<qreal>(x, 4.5, width - 4.5);
}

QImage Slider(std::string_view name, int value, int values, int margin, int pitch) {
  QImage image = NewImage(name, colour::kPanel);
  QPainter painter;
  StartPainter(painter, image);
  const qreal w = image.width();
  const qreal mid = image.height() / 2.0;
  const qreal knob = KnobCentre(value, margin, pitch, image.width());
  FillBox(painter, QRectF(1, mid - 2, w - 2, 4), 2, colour::kWell, colour::kWell, QColor(0, 0, 0));
  QLinearGradient fill(0, 0, knob, 0);
  fill.setColorAt(0, colour::kAccentDeep);
  fill.setColorAt(1, colour::kAccent);
  painter.setPen(Qt::NoPen);
  painter.setBrush(fill);
  painter.drawRoundedRect(QRectF(1, mid - 1.5, knob - 1, 3), 1.5, 1.5);
  for (int v = 1; v <= values; ++v) {
    const qreal x = KnobCentre(v, margin, pitch, image.width());
    painter.setBrush(v < value ? QColor(180, 240, 248) : colour::kEdge);
    painter.drawEllipse(QPointF(x, mid), 0.9, 0.9);
  }
  Glow(painter, {knob, mid}, 7, QColor(38, 198, 218, 90));
  painter.setPen(QPen(colour::kAccent, 1.5));
  painter.setBrush(QColor(236, 240, 244));
  painter.drawEllipse(QPointF(knob, mid), 3.4, 3.4);
  return image;
}

QImage Selector(std::string_view name, bool chosen) {
  QImage image = NewImage(name, colour::kPanel);
  QPainter painter;
  StartPainter(painter, image);
  const QPointF centre(image.width() / 2.0, image.height() / 2.0);
  const qreal r = std::min(image.width(), image.height()) / 2.0 - 0.7;
  painter.setPen(QPen(chosen ? colour::kAccent : colour::kEdge, 1.2));
  painter.setBrush(colour::kWell);
  painter.drawEllipse(centre, r, r);
  if (chosen) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour::kAccent);
    painter.drawEllipse(centre, r * 0.5, r * 0.5);
  }
  return image;
}

QImage Dropdown(std::string_view name, Look look) {
  QImage image = ButtonImage(name, colour::kPanel, 3, look);
  QPainter painter;
  StartPainter(painter, image);
  const qreal x = image.width() - 10;
  painter.setPen(Qt::NoPen);
  painter.setBrush(look == Look::kNormal ? colour::kTextDim : colour::kAccent);
  painter.drawPolygon(QPolygonF({{x - 3.5, 6.5}, {x + 3.5, 6.5}, {x, 10.5}}));
  return image;
}

QImage CpiPanel() {
  QImage image = PanelBody("/DPISetting/BK_DPISetting.png");
  QPainter painter;
  StartPainter(painter, image);
  painter.translate(-kCpiBodyX, -kCpiBodyY);
  for (const QRectF group : {QRectF(748, 59, 108, 213), QRectF(862, 59, 107, 213)}) {
    FillBox(painter, group, 6, kGroupFill, kGroupFill, colour::kHairline);
    painter.fillRect(QRectF(group.left() + 10, 86, group.width() - 20, 1), colour::kHairline);
  }
  painter.setPen(QPen(colour::kEdge, 1));
  for (int left : kStageBarLeft) {
    for (int v = 0; v <= 100; v += 25) {
      const qreal y = kStageBarBottom - 1 - v + 0.5;
      painter.drawLine(QPointF(left - (v % 50 == 0 ? 7 : 5), y), QPointF(left - 2, y));
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(left - 2.5, kSwatchTop - 2.5, 15, 15), 3, 3);
  }
  return image;
}

QImage StageBar(int value) {
  QImage image = NewImage("/DPISetting/DPIStage/%d.png", kGroupFill);
  QPainter painter;
  StartPainter(painter, image);
  const qreal w = image.width();
  const qreal h = image.height();
  QPainterPath track = RoundedBox(QRectF(0.5, 0.5, w - 1, h - 1), 4);
  painter.setPen(QPen(QColor(0, 0, 0), 1));
  painter.setBrush(colour::kWell);
  painter.drawPath(track);
  // A press on row y stores bottom - y - 1, so value v fills the bottom v + 1 rows.
  const qreal fillTop = std::max<qreal>(0, h - (value + 1));
  painter.setClipPath(track);
  QLinearGradient fill(0, h, 0, 0);
  fill.setColorAt(0, colour::kAccentDeep);
  fill.setColorAt(1, colour::kAccent);
  painter.fillRect(QRectF(0, fillTop, w, h - fillTop), fill);
  painter.fillRect(QRectF(0, fillTop, w, 1.5), QColor(200, 246, 252));
  painter.fillRect(QRectF(1, 0, 1.5, h), QColor(255, 255, 255, 24));
  return image;
}

QImage NumberBoxFrame() {
  QImage image = NewImage("/DPISetting/BK-DPIValue.png", kGroupFill);
  QPainter painter;
  StartPainter(painter, image);
  FillBox(painter, QRectF(0, 0, image.width(), image.height()), 3, colour::kWell, QColor(17, 19, 23), colour::kEdge);
  return image;
}

}  // namespace

void DrawButtonAssignment(SkinWriter& writer) {
  QImage panel = PanelBody("/ButtonAssignment/BK_ButtonAssignment.png");
  QPainter painter;
  StartPainter(painter, panel);
  for (int k = 0; k < 8; ++k) {
    const qreal top = 27 + 20 * k;  // rows start 27 below the header (y 154 with the header at 107)
    painter.fillRect(QRectF(6, top + 3, 2, 10), QColor(38, 198, 218, 110));
    if (k < 7) painter.fillRect(QRectF(10, top + 17, 222, 1), QColor(40, 45, 53, 150));
  }
  painter.end();
  writer.Save("/ButtonAssignment/BK_ButtonAssignment.png", panel);
  writer.Save("/ButtonAssignment/DropdownBox-normal.png", Dropdown("/ButtonAssignment/DropdownBox-normal.png", Look::kNormal));
  writer.Save("/ButtonAssignment/DropdownBox-over.png", Dropdown("/ButtonAssignment/DropdownBox-over.png", Look::kHover));
  writer.Save("/ButtonAssignment/DropdownBox-leave.png", Dropdown("/ButtonAssignment/DropdownBox-leave.png", Look::kChosen));
}

void DrawSliderPanels(SkinWriter& writer) {
  writer.Save("/DPISetting/BK_DPISetting.png", CpiPanel());
  writer.Save("/DPISetting/BK-DPIValue.png", NumberBoxFrame());
  writer.SaveFamily("/DPISetting/DPIStage/%d.png", kDpiStageValues, StageBar);

  writer.Save("/XYSensitivity/BK_XYSensSetting.png", PanelBody("/XYSensitivity/BK_XYSensSetting.png", {67}));
  writer.SaveFamily("/StageSlider/%d.png", kSliderPositions,
                    [](int v) { return Slider("/StageSlider/%d.png", v, 11, 9, 21); });

  writer.Save("/Lighting/BK_Lighting.png", PanelBody("/Lighting/BK_Lighting.png", {45, 74}));
  writer.SaveFamily("/Lighting/%d.png", kLightingPositions,
                    [](int v) { return Slider("/Lighting/%d.png", v, 6, 4, 30); });
  writer.Save("/Enable.png", Selector("/Enable.png", true));
  writer.Save("/Disable.png", Selector("/Disable.png", false));
  writer.Save("/MouseAttribute/ScrollSpeed/Enable.png", Selector("/MouseAttribute/ScrollSpeed/Enable.png", true));
  writer.Save("/MouseAttribute/ScrollSpeed/Disable.png", Selector("/MouseAttribute/ScrollSpeed/Disable.png", false));
}

}  // namespace korvane::skingen

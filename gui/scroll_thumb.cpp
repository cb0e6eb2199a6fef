#include "gui/scroll_thumb.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/main_page_layout.h"
#include "gui/skin_painter.h"
#include "ui/skin_pixels.h"

namespace korvane {

namespace {

// The program's own thumb image, 8 x 114 (the window shows 7 columns of it): a rounded bar with a soft
// vertical sheen and three grip lines in the middle.
QImage ThumbImage() {
  constexpr int kWidth = 8;
  QImage image(kWidth, kThumbHeight, QImage::Format_ARGB32);
  for (int y = 0; y < kThumbHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const double cx = 3.0, radius = 3.5;
      const double dy = y < 4 ? 4 - y : (y > kThumbHeight - 5 ? y - (kThumbHeight - 5) : 0);
      const double distance = std::hypot(x - cx, dy);
      const int alpha = std::clamp(static_cast<int>(std::lround((radius + 0.5 - distance) * 255)), 0, 255);
      const int shade = 96 - 6 * std::abs(x - 2);
      const bool grip = std::abs(y - kThumbHeight / 2) <= 5 && (y - kThumbHeight / 2) % 5 == 0 && x >= 1 && x <= 5;
      const int red = grip ? 40 : shade + 20, green = grip ? 190 : shade + 60, blue = grip ? 220 : shade + 70;
      image.setPixel(x, y, MakeArgb(alpha, std::min(red, 255), std::min(green, 255), std::min(blue, 255)));
    }
  }
  return image;
}

}  // namespace

CGdipButton::CGdipButton(QWidget* parent, const QImage& parentFace, MovedCallback moved)
    : QWidget(parent), parentFace_(parentFace), moved_(std::move(moved)) {
  setGeometry(kThumbLeft, kTrackTop, kThumbWidth, kThumbHeight);
  pressedLook_ = ThumbImage();
  releasedLook_ = pressedLook_;
  const PixelView released = PixelsOf(releasedLook_);
  for (int y = 0; y < released.height; ++y) {
    for (int x = 0; x < released.width; ++x) released.At(x, y) = ThumbReleasedPixel(released.At(x, y));
  }
}

void CGdipButton::MoveToTop(int top) { move(kThumbLeft, top); }

void CGdipButton::paintEvent(QPaintEvent*) {
  QImage face = parentFace_.copy(geometry());
  DrawPixels(PixelsOf(face), PixelsOf(std::as_const(dragging_ ? pressedLook_ : releasedLook_)), true, 0, 0);
  QPainter(this).drawImage(0, 0, face);
}

void CGdipButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  pressPoint_ = event->position().toPoint();
  update();
}

void CGdipButton::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void CGdipButton::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  // The thumb follows the pointer, so the pointer's offset from the press point inside the thumb is the
  // vertical change since the last accepted move.
  const int newTop = y() + event->position().toPoint().y() - pressPoint_.y();
  if (newTop == y() || x() != kThumbLeft || !ThumbTopAllowed(newTop)) return;
  MoveToTop(newTop);
  QMetaObject::invokeMethod(
      parentWidget(), [callback = moved_, newTop] { callback(newTop); }, Qt::QueuedConnection);
}

void CGdipButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = false;
  update();
}

}  // namespace korvane

#include "gui/skin_painter.h"

#include <QFontMetrics>
#include <QImageReader>
#include <QMessageBox>
#include <QPainter>
#include <QStringList>

#include <utility>

namespace korvane {

namespace {

QString PathOf(const SkinSettings& skin, std::string_view name) {
  return QString::fromStdString(skin.ImagePath(name).string());
}

}  // namespace

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

PixelView PixelsOf(QImage& image) {
  return {reinterpret_cast<Argb*>(image.bits()), image.width(), image.height(),
          static_cast<int>(image.bytesPerLine() / sizeof(Argb))};
}

ConstPixelView PixelsOf(const QImage& image) {
  return {reinterpret_cast<const Argb*>(image.constBits()), image.width(), image.height(),
          static_cast<int>(image.bytesPerLine() / sizeof(Argb))};
}

QImage MakeCanvas(const SkinSettings& skin, std::string_view backgroundName) {
  const QImage background(PathOf(skin, backgroundName));
  if (background.isNull()) return {};
  QImage canvas(background.size(), QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::transparent);
  DrawSkinImage(canvas, skin, backgroundName, 0, 0);
  return canvas;
}

bool DrawSkinImage(QImage& canvas, const SkinSettings& skin, std::string_view name, int x, int y) {
  if (canvas.isNull()) return false;
  QImage image(PathOf(skin, name));
  if (image.isNull()) return false;
  const bool hasAlpha = image.hasAlphaChannel();
  // Straight alpha, so that the premultiplication is ours and exact.
  image = image.convertToFormat(hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  DrawPixels(PixelsOf(canvas), PixelsOf(std::as_const(image)), hasAlpha, x, y);
  return true;
}

bool DrawSkinImageReporting(QWidget* owner, QImage& canvas, const SkinSettings& skin, std::string_view name,
                            int x, int y) {
  if (DrawSkinImage(canvas, skin, name, x, y)) return true;
  QMessageBox::warning(owner, QString(), QStringLiteral("LoadPng---Load image failed."));
  return false;
}

QSize SkinImageSize(const SkinSettings& skin, std::string_view name) {
  QImageReader reader(PathOf(skin, name));
  const QSize size = reader.size();
  return size.isValid() ? size : QSize();
}

void DrawSkinText(QImage& canvas, const SkinSettings& skin, const Rect& rect, std::string_view text,
                  const QFont& font, int flags) {
  if (canvas.isNull()) return;
  QPainter painter(&canvas);
  painter.setFont(font);
  painter.setPen(QColor(skin.red, skin.green, skin.blue));
  const QRect box(rect.left, rect.top, rect.width(), rect.height());
  if ((flags & Qt::TextWordWrap) != 0) {
    painter.drawText(box, flags, ToQString(text));
    return;
  }
  // A text wider than its rectangle (a long label in a narrow box, a fallback font wider than the
  // named one) ends in an ellipsis rather than being cut at both sides.
  const QString shown = painter.fontMetrics().elidedText(ToQString(text), Qt::ElideRight, rect.width());
  painter.drawText(box, flags | Qt::TextSingleLine, shown);
}

QFont FittingFont(QFont font, std::string_view text, int width) {
  const QString shown = ToQString(text);
  while (font.pixelSize() > 9 && QFontMetrics(font).horizontalAdvance(shown) > width) {
    font.setPixelSize(font.pixelSize() - 1);
  }
  return font;
}

QFont MakeFont(const FontSpec& wanted, Language language) {
  QStringList families{ToQString(wanted.face)};
  for (std::string_view face : SubstituteFaces(wanted.face)) families << ToQString(face);
  for (std::string_view face : FallbackFaces(language)) families << ToQString(face);
  QFont font;
  font.setFamilies(families);
  font.setPixelSize(wanted.pixelHeight);
  font.setWeight(static_cast<QFont::Weight>(wanted.weight));
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace korvane

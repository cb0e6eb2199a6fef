#include "gui/skin_painter.h"

#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>

#include "gui/skin_message_box.h"

namespace korvane {

namespace {

// A skin image decoded once and kept ready to draw; a null image when the file is missing or broken.
struct PreparedImage {
  QImage pixels;
  bool hasAlpha = false;
};

int decodes = 0;

std::function<void(const DrawnText&)>& Recorder() {
  static std::function<void(const DrawnText&)> recorder;
  return recorder;
}

// Skins do not change while the program runs: each file is read and decoded once, on first use.
std::unordered_map<std::string, PreparedImage>& Cache() {
  static std::unordered_map<std::string, PreparedImage> cache;
  return cache;
}

const PreparedImage& Prepared(const SkinSettings& skin, std::string_view name) {
  std::unordered_map<std::string, PreparedImage>& cache = Cache();
  const std::string path = PathToUtf8(skin.ImagePath(name));
  const auto found = cache.find(path);
  if (found != cache.end()) return found->second;
  ++decodes;
  PreparedImage prepared;
  QImage image(QString::fromStdString(path));
  if (!image.isNull()) {
    prepared.hasAlpha = image.hasAlphaChannel();
    // Straight alpha, so that the premultiplication is ours and exact.
    prepared.pixels = image.convertToFormat(prepared.hasAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    // Qt's RGB32 is opaque already; only straight alpha needs our premultiplication.
    if (prepared.hasAlpha) PreparePixels(PixelsOf(prepared.pixels), true);
  }
  return cache.emplace(path, std::move(prepared)).first->second;
}

// How far a vertically centred line of Chinese text moves down so that its ink, not the line of the font's
// ascent and descent, is centred in the box: CJK faces set their ideographs low in that line, which put
// titles on the bottom edge of their bars. Other scripts keep the line centred, and with it their baseline.
int IdeographShift(const QFontMetrics& metrics, const QString& text, const QRect& box, int flags) {
  if ((flags & Qt::AlignVCenter) == 0) return 0;
  if (std::none_of(text.begin(), text.end(), [](QChar c) { return c.script() == QChar::Script_Han; })) return 0;
  const QRect ink = metrics.tightBoundingRect(text);  // about the baseline
  const int lineBaseline = box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent();
  const int inkBaseline = box.top() + (box.height() - ink.height()) / 2 - ink.top();
  return inkBaseline - lineBaseline;
}

}  // namespace

int SkinImageDecodes() { return decodes; }

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
  const PreparedImage& background = Prepared(skin, backgroundName);
  if (background.pixels.isNull()) return {};
  // The background drawn onto a transparent canvas is the prepared image itself.
  QImage canvas = background.pixels.copy();
  canvas.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
  return canvas;
}

bool DrawSkinImage(QImage& canvas, const SkinSettings& skin, std::string_view name, int x, int y) {
  if (canvas.isNull()) return false;
  const PreparedImage& image = Prepared(skin, name);
  if (image.pixels.isNull()) return false;
  DrawPreparedPixels(PixelsOf(canvas), PixelsOf(image.pixels), image.hasAlpha, x, y);
  return true;
}

bool DrawSkinImagePart(QImage& canvas, const SkinSettings& skin, std::string_view name, const Rect& part, int x,
                       int y, bool turned) {
  if (canvas.isNull()) return false;
  const PreparedImage& image = Prepared(skin, name);
  if (image.pixels.isNull() || !image.pixels.rect().contains(ToQRect(part))) return false;
  const QImage pixels = image.pixels.copy(ToQRect(part)).mirrored(turned, turned);
  DrawPreparedPixels(PixelsOf(canvas), PixelsOf(pixels), image.hasAlpha, x + part.left, y + part.top);
  return true;
}

bool DrawSkinImageReporting(QWidget* owner, QImage& canvas, const SkinSettings& skin, std::string_view name,
                            int x, int y) {
  if (DrawSkinImage(canvas, skin, name, x, y)) return true;
  ShowSkinMessage(owner, skin, MessageBoxKind::kWarning, {}, "LoadPng---Load image failed.");
  return false;
}

QSize SkinImageSize(const SkinSettings& skin, std::string_view name) {
  // From the file's header when it has not been decoded yet: a size needs no pixels.
  const std::string path = PathToUtf8(skin.ImagePath(name));
  if (const auto found = Cache().find(path); found != Cache().end()) return found->second.pixels.size();
  const QSize size = QImageReader(QString::fromStdString(path)).size();
  return size.isValid() ? size : QSize();
}

void DrawSkinText(QImage& canvas, const SkinSettings& skin, const Rect& rect, std::string_view text,
                  const QFont& font, int flags) {
  if (canvas.isNull()) return;
  if (Recorder()) Recorder()({ToQRect(rect), font, flags, ToQString(text)});
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
  // Measured as FittingFont measures, so that a text made to fit is never elided.
  const QFontMetrics metrics(font);
  const QString whole = ToQString(text);
  const QString shown = metrics.horizontalAdvance(whole) <= rect.width()
                            ? whole
                            : metrics.elidedText(whole, Qt::ElideRight, rect.width());
  painter.drawText(box.translated(0, IdeographShift(metrics, shown, box, flags)), flags | Qt::TextSingleLine, shown);
}

QFont FittingFont(QFont font, std::string_view text, int width) {
  const QString shown = ToQString(text);
  while (font.pixelSize() > kSmallestTextPixels && QFontMetrics(font).horizontalAdvance(shown) > width) {
    font.setPixelSize(font.pixelSize() - 1);
  }
  return font;
}

QFont FittingWrappedFont(QFont font, std::string_view text, const Rect& rect) {
  const QString shown = ToQString(text);
  const QRect box = ToQRect(rect);
  const auto fits = [&](const QFont& candidate) {
    return box.contains(QFontMetrics(candidate).boundingRect(box, Qt::TextWordWrap, shown), false);
  };
  while (font.pixelSize() > kSmallestTextPixels && !fits(font)) font.setPixelSize(font.pixelSize() - 1);
  return font;
}

void SetDrawnTextRecorder(std::function<void(const DrawnText&)> recorder) { Recorder() = std::move(recorder); }

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

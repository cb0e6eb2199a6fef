#include "gui/skin_message_box.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "gui/skin_painter.h"
#include "ui/skin_inventory.h"
#include "gui/skin_style.h"

namespace korvane {

namespace {

// A skin button image stretched to the rectangle's width through its middle; false when it is missing.
bool DrawStretchedImage(QImage& canvas, const SkinSettings& skin, std::string_view name, const QRect& rect) {
  const QImage image = MakeCanvas(skin, name);
  if (image.isNull()) return false;
  if (image.width() == rect.width() && image.height() == rect.height()) {
    return DrawSkinImage(canvas, skin, name, rect.left(), rect.top());
  }
  QPainter painter(&canvas);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const int end = std::min(kMessageBoxButtonEnd, image.width() / 2);
  const int h = image.height();
  painter.drawImage(QRect(rect.left(), rect.top(), end, rect.height()), image, QRect(0, 0, end, h));
  painter.drawImage(QRect(rect.left() + end, rect.top(), rect.width() - 2 * end, rect.height()), image,
                    QRect(end, 0, image.width() - 2 * end, h));
  painter.drawImage(QRect(rect.right() + 1 - end, rect.top(), end, rect.height()), image,
                    QRect(image.width() - end, 0, end, h));
  return true;
}

void DrawMark(QPainter& painter, MessageBoxKind kind, const QRect& box, const SkinColours& colours) {
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF area = QRectF(box).adjusted(2, 2, -2, -2);
  painter.setPen(QPen(ToQColor(colours.text), 2));
  painter.setBrush(ToQColor(colours.raised));
  QString glyph = QStringLiteral("i");
  if (kind == MessageBoxKind::kWarning) {
    QPainterPath triangle;
    triangle.moveTo(area.center().x(), area.top());
    triangle.lineTo(area.right(), area.bottom());
    triangle.lineTo(area.left(), area.bottom());
    triangle.closeSubpath();
    painter.drawPath(triangle);
    glyph = QStringLiteral("!");
  } else {
    painter.drawEllipse(area);
    if (kind == MessageBoxKind::kQuestion) glyph = QStringLiteral("?");
  }
  QFont font = painter.font();
  font.setPixelSize(17);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(kind == MessageBoxKind::kWarning ? area.adjusted(0, 8, 0, 0) : area, Qt::AlignCenter, glyph);
}

Language& MessageBoxLanguage() {
  static Language language = Language::English;
  return language;
}

}  // namespace

void SetMessageBoxLanguage(Language language) { MessageBoxLanguage() = language; }

CSkinMessageBox::CSkinMessageBox(QWidget* owner, const SkinSettings& skin, MessageBoxKind kind,
                                 std::string_view caption, std::string_view text, std::string_view copyCaption)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint),
      skin_(skin),
      model_(kind, MessageStringsFor(MessageBoxLanguage()), copyCaption),
      colours_(SkinColoursOf(skin)),
      caption_(ToQString(caption)),
      text_(ToQString(text)) {
  setWindowTitle(caption_);
  setMouseTracking(true);
  const QFontMetrics metrics(font());
  const QRect wrapWidth(0, 0, kMessageBoxTextWidth, 100000);
  QRect textSize = metrics.boundingRect(wrapWidth, Qt::TextWordWrap, text_);
  if (textSize.width() > kMessageBoxTextWidth) {
    // A word longer than a line (a path, a command) is broken where the line ends.
    wrap_ = Qt::TextWrapAnywhere;
    textSize = metrics.boundingRect(wrapWidth, wrap_, text_);
  }
  std::vector<int> widths;
  for (const MessageBoxButton& button : model_.buttons()) {
    widths.push_back(std::max(kMessageBoxButtonMinimumWidth,
                              metrics.horizontalAdvance(ToQString(button.caption)) + kMessageBoxButtonPadding));
  }
  const MessageBoxLayout& layout = model_.LayOut(textSize.width(), textSize.height(), widths, kMessageBoxButtonHeight);
  setFixedSize(layout.width, layout.height);
}

void CSkinMessageBox::Answer(MessageBoxAnswer answer) {
  answer_ = answer;
  done(answer == model_.escapeAnswer() ? QDialog::Rejected : QDialog::Accepted);
}

void CSkinMessageBox::Redraw() {
  const MessageBoxLayout& layout = model_.layout();
  canvas_ = QImage(size(), QImage::Format_ARGB32_Premultiplied);
  canvas_.fill(ToQColor(colours_.ground));
  {
    QPainter painter(&canvas_);
    painter.fillRect(QRect(0, 0, width(), kMessageBoxCaptionHeight), ToQColor(colours_.raised));
    painter.setPen(ToQColor(colours_.line));
    painter.drawLine(0, kMessageBoxCaptionHeight, width() - 1, kMessageBoxCaptionHeight);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(ToQColor(colours_.text));
    const QRect caption = ToQRect(layout.caption);
    painter.drawText(caption, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(caption_, Qt::ElideRight, caption.width()));
    painter.setFont(font());
    painter.drawText(ToQRect(layout.text), Qt::AlignLeft | Qt::AlignVCenter | wrap_, text_);
    DrawMark(painter, model_.kind(), ToQRect(layout.mark), colours_);
  }
  const QRect close = ToQRect(layout.close);
  const std::string_view closeImage = closeHot_ ? kCloseButtonOverImage : kCloseButtonImage;
  if (!DrawSkinImage(canvas_, skin_, closeImage, close.left(), close.top())) {
    QPainter painter(&canvas_);
    painter.setPen(QPen(ToQColor(colours_.text), 2));
    painter.drawLine(close.topLeft() + QPoint(4, 4), close.bottomRight() - QPoint(4, 4));
    painter.drawLine(close.topRight() + QPoint(-4, 4), close.bottomLeft() + QPoint(4, -4));
  }
  for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
    const QRect button = ToQRect(layout.buttons[i]);
    const bool hot = static_cast<int>(i) == hovered_;
    if (!DrawStretchedImage(canvas_, skin_, hot ? kNewButtonOverImage : kNewButtonImage, button)) {
      // A skin without the button images: the box must still be answerable.
      QPainter painter(&canvas_);
      painter.setPen(ToQColor(colours_.line));
      painter.setBrush(ToQColor(hot ? colours_.selected : colours_.raised));
      painter.drawRect(button.adjusted(0, 0, -1, -1));
    }
    const std::string_view caption = model_.buttons()[i].caption;
    DrawSkinText(canvas_, skin_, layout.buttons[i], caption, FittingFont(font(), caption, button.width() - 4),
                 Qt::AlignCenter);
  }
  update();
}

void CSkinMessageBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect(), canvas_, event->rect());
}

void CSkinMessageBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  const MessageBoxAnswer answer = model_.Press(at.x(), at.y());
  if (answer != MessageBoxAnswer::kNone) {
    Answer(answer);
    return;
  }
  move_.Press(event);
}

void CSkinMessageBox::mouseMoveEvent(QMouseEvent* event) {
  if (move_.Moved(this, event)) return;
  const QPoint at = event->position().toPoint();
  const int over = model_.ButtonAt(at.x(), at.y());
  const bool closeHot = model_.layout().close.Contains(at.x(), at.y());
  if (over == hovered_ && closeHot == closeHot_) return;
  hovered_ = over;
  closeHot_ = closeHot;
  Redraw();
}

void CSkinMessageBox::leaveEvent(QEvent*) {
  hovered_ = -1;
  closeHot_ = false;
  Redraw();
}

void CSkinMessageBox::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: Answer(model_.enterAnswer()); return;
    case Qt::Key_Escape: reject(); return;
    default: break;
  }
  // A button's letter answers, alone or with Alt.
  const bool plain = (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) == 0;
  if (plain && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z) {
    const auto answer = model_.AnswerForLetter(static_cast<char>('A' + (event->key() - Qt::Key_A)));
    if (answer != MessageBoxAnswer::kNone) {
      Answer(answer);
      return;
    }
  }
  QDialog::keyPressEvent(event);
}

void CSkinMessageBox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Redraw();
  activateWindow();
  setFocus();
}

void CSkinMessageBox::reject() {
  // Escape, the close button and the desktop's close request all answer as the box's cancel.
  if (answer_ == MessageBoxAnswer::kNone) answer_ = model_.escapeAnswer();
  QDialog::reject();
}

MessageBoxAnswer ShowSkinMessage(QWidget* owner, const SkinSettings& skin, MessageBoxKind kind,
                                 std::string_view caption, std::string_view text) {
  CSkinMessageBox box(owner, skin, kind, caption, text);
  PlaceOverOwner(box, owner);
  box.exec();
  return box.answer();
}

}  // namespace korvane

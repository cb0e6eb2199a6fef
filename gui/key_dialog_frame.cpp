#include "gui/key_dialog_frame.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>

#include "gui/key_names.h"
#include "gui/popup_list.h"
#include "gui/skin_message_box.h"
#include "gui/skin_painter.h"
#include "ui/skin_inventory.h"
#include "text/strings.h"

namespace korvane {

namespace {

constexpr int kLargestKeycapText = 18;

}  // namespace

CKeyDialogFrame::CKeyDialogFrame(QWidget* owner, const SkinSettings& skin, const Face& face, const QFont& font)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint),
      skin_(skin),
      font_(font),
      face_(face),
      hold_(this, [this] { Redraw(); }) {
  setMouseTracking(true);
  background_ = MakeCanvas(skin, face.background);
  if (background_.isNull()) {
    // The dialog still opens, without capturing, and OK, Cancel and close still end it.
    ShowSkinMessage(owner, skin, MessageBoxKind::kWarning, kErrorCaption, face.backgroundFailed);
    setFixedSize(kKeyDialogCancel.right + 20, kKeyDialogCancel.bottom + 13);
    return;
  }
  setFixedSize(background_.size());
  qApp->installEventFilter(this);
}

CKeyDialogFrame::~CKeyDialogFrame() { qApp->removeEventFilter(this); }

void CKeyDialogFrame::Redraw() {
  if (background_.isNull()) return;
  canvas_ = background_.copy();
  const auto button = [&](KeyDialogButton which, const Rect& rect, std::string_view caption) {
    DrawSkinImage(canvas_, skin_, hovered_ == which ? kNewButtonOverImage : kNewButtonImage, rect.left, rect.top);
    DrawSkinText(canvas_, skin_, rect, caption, FittingFont(font_, caption, rect.width() - 4), Qt::AlignCenter);
  };
  DrawSkinImage(canvas_, skin_, hovered_ == KeyDialogButton::kClose ? kCloseButtonOverImage : kCloseButtonImage,
                kKeyDialogClose.left, kKeyDialogClose.top);
  button(KeyDialogButton::kOk, kKeyDialogOk, face_.ok);
  button(KeyDialogButton::kCancel, kKeyDialogCancel, face_.cancel);
  DrawFace();
  if (hold_.blocked()) {
    QFont small = font_;
    small.setPixelSize(11);
    DrawSkinText(canvas_, skin_, kKeyDialogHeldNote, face_.keyboardHeld, small,
                 Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap);
  }
  update();
}

void CKeyDialogFrame::SyncList(bool open, const Rect& rect, const QStringList& rows, int rowHeight,
                               std::function<void(int)> choose) {
  if (open && list_ == nullptr) {
    // As wide as its widest row; as tall as its rows where the dialog has the room, with a scroll bar beyond.
    const ListRows fit = PopupRows(font_, rows, rowHeight);
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    Rect grown = ListHoldingRows(rect, {fit.widestText + scrollBar, fit.count, fit.rowHeight});
    grown.bottom = std::min(grown.bottom, height());
    list_ = MakePopupList(this, ToQRect(grown), font_, rows, fit.rowHeight);
    connect(list_, &QListWidget::itemClicked, this, [this, choose = std::move(choose)](QListWidgetItem* item) {
      choose(list_->row(item));
      Redraw();
    });
    list_->show();
  } else if (!open && list_ != nullptr) {
    // Deleted later: the list may be closing from within its own click.
    list_->deleteLater();
    list_ = nullptr;
  }
}

void CKeyDialogFrame::DrawKeycapName(const Rect& face, std::string_view name) {
  if (name.empty()) return;
  const Rect inner{face.left + 3, face.top + 2, face.right - 3, face.bottom - 2};
  QFont font = font_;
  font.setBold(true);
  font.setPixelSize(std::min(kLargestKeycapText, inner.height() / 2));
  const QFont oneLine = FittingFont(font, name, inner.width());
  if (name.find(' ') == std::string_view::npos ||
      QFontMetrics(oneLine).horizontalAdvance(ToQString(name)) <= inner.width()) {
    DrawSkinText(canvas_, skin_, inner, name, oneLine, Qt::AlignCenter);
    return;
  }
  QFont wrapped = font;
  for (std::size_t start = 0; start <= name.size();) {
    const std::size_t end = std::min(name.find(' ', start), name.size());
    wrapped = FittingFont(wrapped, name.substr(start, end - start), inner.width());
    start = end + 1;
  }
  DrawSkinText(canvas_, skin_, inner, name, wrapped, Qt::AlignCenter | Qt::TextWordWrap);
}

bool CKeyDialogFrame::PressButton(KeyDialogButton button) {
  switch (button) {
    case KeyDialogButton::kOk: accept(); return true;
    case KeyDialogButton::kCancel:
    case KeyDialogButton::kClose: reject(); return true;
    case KeyDialogButton::kNone: return false;
  }
  return false;
}

void CKeyDialogFrame::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (canvas_.isNull()) {
    painter.fillRect(rect(), QColor(40, 40, 40));
    return;
  }
  painter.drawImage(event->rect(), canvas_, event->rect());
}

void CKeyDialogFrame::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const KeyDialogButton over = KeyDialogButtonAt(at.x(), at.y());
  if (over == hovered_) return;
  hovered_ = over;
  Redraw();
}

void CKeyDialogFrame::leaveEvent(QEvent*) {
  if (hovered_ == KeyDialogButton::kNone) return;
  hovered_ = KeyDialogButton::kNone;
  Redraw();
}

void CKeyDialogFrame::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Redraw();
  // Keys such as Alt+F4, Super or Print are names to capture here, not commands for the desktop.
  if (loaded()) hold_.Start();
}

void CKeyDialogFrame::done(int result) {
  hold_.Stop();
  QDialog::done(result);
}

bool CKeyDialogFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != this) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (!key->isAutoRepeat()) OnKey(KeyNameOf(*key));
  // Every key is taken by the capture: none edits a box, confirms, cancels or asks for help.
  return true;
}

}  // namespace korvane

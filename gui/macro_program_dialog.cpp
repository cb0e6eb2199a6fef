#include "gui/macro_program_dialog.h"

#include <QApplication>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <algorithm>

#include "gui/key_names.h"
#include "gui/lb_editor_wnd.h"
#include "gui/skin_message_box.h"
#include "gui/skin_painter.h"
#include "gui/skin_style.h"

namespace korvane {

namespace {

QString ListStyle(const SkinSettings& skin, int red, int green, int blue) {
  return QStringLiteral("color: rgb(%1, %2, %3); background: rgb(%4, %5, %6); border: none;")
      .arg(skin.red)
      .arg(skin.green)
      .arg(skin.blue)
      .arg(red)
      .arg(green)
      .arg(blue);
}

// Rows on the skin's ground, the selected one lit; the in-place editor framed in the text colour.
QString MacroListStyle(const SkinColours& c) {
  return QStringLiteral(
             "QListWidget { background: %2; color: %1; border: 1px solid %4; outline: none; }"
             "QListWidget::item { padding: 1px 4px; border: none; }"
             "QListWidget::item:selected { background: %5; color: %1; }"
             "QListWidget::item:hover:!selected { background: %3; }"
             "QLineEdit { background: %3; color: %1; border: 1px solid %1; padding: 0 3px;"
             " selection-background-color: %5; selection-color: %1; }")
      .arg(CssColour(c.text), CssColour(c.ground), CssColour(c.raised), CssColour(c.line), CssColour(c.selected));
}

}  // namespace

CMacroProgramDialog::CMacroProgramDialog(QWidget* mainWindow, MainController& controller)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint),
      controller_(controller),
      strings_(MacroManagerStringsFor(controller.language())),
      model_(controller.files().macroPath(), controller.macroSession(), controller.languageCode()),
      hold_(this, [this] { Redraw(); }) {
  setWindowTitle(QStringLiteral("Macro Manager"));
  setMouseTracking(true);
  clock_.start();
  const SkinSettings& skin = controller.skin();
  background_ = MakeCanvas(skin, kMacroBackground);
  if (background_.isNull()) {
    // Without its background the window has no controls and loads no macro; Cancel still closes it.
    ShowSkinMessage(mainWindow, skin, MessageBoxKind::kWarning, kErrorCaption, strings_.backgroundLoadFailed);
    setFixedSize(AreaRect(MacroArea::kCancel).right + 8, AreaRect(MacroArea::kCancel).bottom + 8);
    return;
  }
  setFixedSize(background_.size());
  const Language language = controller.language();
  font_ = MakeFont(FontsFor(language).macroManager, language);

  macroList_ = new QListWidget(this);
  eventList_ = new QListWidget(this);
  const QString listStyle = MacroListStyle(SkinColoursOf(skin));
  for (QListWidget* list : {macroList_, eventList_}) list->setStyleSheet(listStyle);
  macroList_->setGeometry(ToQRect(kMacroListRect));
  eventList_->setGeometry(ToQRect(kEventListRect));
  eventList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  eventList_->setContextMenuPolicy(Qt::CustomContextMenu);
  loopCount_ = new QLineEdit(this);
  loopCount_->setAlignment(Qt::AlignCenter);
  loopCount_->setValidator(new QIntValidator(0, 99999, loopCount_));
  loopCount_->setStyleSheet(ListStyle(skin, 34, 24, 21));
  // Over its place in the skin, as tall as the font's whole line needs.
  loopCount_->setGeometry(ToQRect(LineAbout(kLoopCountRect, loopCount_->minimumSizeHint().height())));

  connect(macroList_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row < 0) return;
    model_.SelectMacro(row);
    RefillEvents();
    Redraw();
  });
  connect(macroList_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    const int row = macroList_->row(item);
    if (!model_.MacroRowDoubleClicked(row)) return;
    new CLBEditorWnd(
        macroList_, row,
        [this, row](const std::string& text) {
          std::string refusal = model_.CommitMacroName(row, text);
          if (refusal.empty()) QMetaObject::invokeMethod(this, [this] { RefillMacros(); }, Qt::QueuedConnection);
          return refusal;
        },
        [this](const std::string& refusal) { Warn(refusal); });
  });
  const auto chooseEvent = [this](int row) {
    if (!model_.EventRowChosen(row)) return;
    new CLBEditorWnd(
        eventList_, row,
        [this, row](const std::string& text) {
          model_.CommitDelay(row, text);  // text that is no delay leaves the row as it was
          QMetaObject::invokeMethod(this, [this] { RefillEvents(); }, Qt::QueuedConnection);
          return std::string();
        },
        [this](const std::string& refusal) { Warn(refusal); });
  };
  connect(eventList_, &QListWidget::currentRowChanged, this, chooseEvent);
  connect(eventList_, &QListWidget::itemDoubleClicked, this,
          [this, chooseEvent](QListWidgetItem* item) { chooseEvent(eventList_->row(item)); });
  connect(eventList_, &QListWidget::customContextMenuRequested, this, [this](const QPoint& at) { ShowEventMenu(at); });
  connect(loopCount_, &QLineEdit::textEdited, this, [this](const QString& text) {
    model_.SetLoopCount(text.toStdString());
    if (loopCount_->text().toStdString() != model_.store().loopCountText) {
      loopCount_->setText(QString::fromStdString(model_.store().loopCountText));
    }
  });

  // A release the recorder holds back is a real one when no key event comes for a moment.
  settle_.setSingleShot(true);
  settle_.setInterval(kHeldReleaseWaitMs);
  connect(&settle_, &QTimer::timeout, this, [this] { AfterKey(model_.SettleKeys()); });

  // Keys reach the recorder, and the key rules apply, whichever control has the focus.
  qApp->installEventFilter(this);
  RefillMacros();
  OnRecordingChanged();
}

CMacroProgramDialog::~CMacroProgramDialog() {
  qApp->removeEventFilter(this);
  model_.Closing();
}

void CMacroProgramDialog::RefillMacros() {
  if (macroList_ == nullptr) return;
  {
    const QSignalBlocker quiet(macroList_);
    macroList_->clear();
    for (const std::string& name : model_.store().macroList) macroList_->addItem(QString::fromStdString(name));
    macroList_->setCurrentRow(model_.store().selectedMacro);
  }
  RefillEvents();
  Redraw();
}

void CMacroProgramDialog::RefillEvents() {
  if (eventList_ == nullptr) return;
  const QSignalBlocker quiet(eventList_);
  eventList_->clear();
  for (const std::string& line : model_.store().eventList) eventList_->addItem(QString::fromStdString(line));
  eventList_->setCurrentRow(model_.selectedEvent());
  if (model_.selectedEvent() >= 0) eventList_->scrollToItem(eventList_->item(model_.selectedEvent()));
  const QSignalBlocker quietLoop(loopCount_);
  loopCount_->setText(QString::fromStdString(model_.store().loopCountText));
}

void CMacroProgramDialog::OnRecordingChanged() {
  const bool recording = model_.recording();
  setWindowTitle(recording ? ToQString(strings_.recordingTitle) : QStringLiteral("Macro Manager"));
  if (loopCount_ != nullptr) loopCount_->setEnabled(!recording && model_.store().options().loopEnabled);
  // While recording, the desktop's shortcuts (Alt+F4, Super…) come here and are recorded.
  if (recording) {
    hold_.Start();
  } else {
    hold_.Stop();
  }
  if (eventList_ != nullptr && recording) eventList_->setFocus();
  Redraw();
}

void CMacroProgramDialog::Redraw() {
  if (background_.isNull()) return;
  const SkinSettings& skin = controller_.skin();
  canvas_ = background_.copy();
  const int centred = Qt::AlignCenter;
  const int left = Qt::AlignLeft | Qt::AlignVCenter;
  DrawSkinText(canvas_, skin, kMacroTitleText, strings_.title, font_, left);
  const auto heading = [&](const Rect& rect, std::string_view text) {
    DrawSkinText(canvas_, skin, rect, text, FittingFont(font_, text, rect.width()), left);
  };
  heading(kMacroListHeading, strings_.selectMacro);
  heading(kEventListHeading, strings_.keyPressSequence);
  heading(kRecordOptionHeading, strings_.recordOption);
  for (const MacroButtonFace& button : kMacroButtonFaces) {
    const Rect rect = AreaRect(button.area);
    DrawSkinImage(canvas_, skin, hovered_ == button.area ? button.over : button.normal, rect.left, rect.top);
    if (button.caption != nullptr) {
      const std::string_view caption = strings_.*button.caption;
      DrawSkinText(canvas_, skin, rect, caption, FittingFont(font_, caption, rect.width() - 4), centred);
    }
  }
  const Rect record = AreaRect(MacroArea::kRecord);
  DrawSkinImage(canvas_, skin, kMacroRecordImage, record.left, record.top);
  const std::string_view recordCaption = model_.recording() ? strings_.stopRecording : strings_.startRecording;
  DrawSkinText(canvas_, skin, record, recordCaption, FittingFont(font_, recordCaption, record.width() - 6), centred);
  const MacroOptions& options = model_.store().options();
  const Rect delays = AreaRect(MacroArea::kDelaysOption);
  DrawSkinImage(canvas_, skin, options.recordDelays ? kMacroOptionTickedImage : kMacroOptionImage, delays.left,
                delays.top);
  QFont small = font_;
  small.setPixelSize(std::min(font_.pixelSize(), 13));
  small.setBold(false);
  DrawSkinText(canvas_, skin, kDelaysOptionText, strings_.recordDelays,
               FittingWrappedFont(small, strings_.recordDelays, kDelaysOptionText),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
  const Rect loop = AreaRect(MacroArea::kLoopOption);
  DrawSkinImage(canvas_, skin, options.loopEnabled ? kMacroOptionTickedImage : kMacroOptionImage, loop.left, loop.top);
  DrawSkinText(canvas_, skin, kLoopOptionText, strings_.loopTimes,
               FittingFont(font_, strings_.loopTimes, kLoopOptionText.width()), left);
  if (hold_.blocked()) {
    small.setPixelSize(11);
    DrawSkinText(canvas_, skin, kKeyboardHeldText, controller_.messages().keyboardHeld, small,
                 Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
  }
  update();
}

void CMacroProgramDialog::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (canvas_.isNull()) {
    painter.fillRect(rect(), QColor(40, 40, 40));
    return;
  }
  painter.drawImage(event->rect(), canvas_, event->rect());
}

void CMacroProgramDialog::Warn(const std::string& message) {
  ShowSkinMessage(this, controller_.skin(), MessageBoxKind::kWarning, strings_.warning, message);
}

void CMacroProgramDialog::mousePressEvent(QMouseEvent* event) {
  // A press beside an open name or delay editor leaves it, although the window takes no focus.
  CLBEditorWnd::CommitOpen(this);
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  const bool recordingBefore = model_.recording();
  const MacroManagerModel::PressResult result = model_.Press(at.x(), at.y());
  if (!result.message.empty()) Warn(result.message);
  switch (result.reply) {
    case MacroManagerModel::Reply::kCloseWithOk: Ok(); return;
    case MacroManagerModel::Reply::kCloseWithCancel: reject(); return;
    case MacroManagerModel::Reply::kMoveWindow:
      move_.Press(event);
      return;
    case MacroManagerModel::Reply::kNothing: break;
  }
  if (recordingBefore == model_.recording()) {
    RefillMacros();
  } else {
    RefillEvents();
  }
  OnRecordingChanged();
}

void CMacroProgramDialog::mouseMoveEvent(QMouseEvent* event) {
  if (move_.Moved(this, event)) return;
  const QPoint at = event->position().toPoint();
  const MacroArea area = MacroAreaAt(at.x(), at.y());
  if (area == hovered_) return;
  hovered_ = area;
  Redraw();
}

void CMacroProgramDialog::leaveEvent(QEvent*) {
  if (hovered_ == MacroArea::kNone) return;
  hovered_ = MacroArea::kNone;
  Redraw();
}

bool CMacroProgramDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != this) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const bool release = event->type() == QEvent::KeyRelease;
  if (model_.recording()) {
    // Every key, the Windows keys too, as it came: the recorder tells auto-repeat (which X11 does not
    // always mark) from what the keys do and when. The X server's time of the event; the window's own
    // clock where a platform gives none.
    const quint64 stamp = key->timestamp();
    const auto time = static_cast<std::uint32_t>(stamp != 0 ? stamp : static_cast<quint64>(clock_.elapsed()));
    AfterKey(model_.OnKey(KeyNameOf(*key), release, time));
    return true;
  }
  if (release) return false;
  // An open name or delay editor takes Enter (commit) and Escape (cancel) itself.
  if (dynamic_cast<CLBEditorWnd*>(widget) != nullptr) return false;
  using WindowKey = MacroManagerModel::WindowKey;
  const int code = key->key();
  const WindowKey windowKey = code == Qt::Key_Escape                             ? WindowKey::kEscape
                              : code == Qt::Key_Return || code == Qt::Key_Enter ? WindowKey::kEnter
                                                                                : WindowKey::kOther;
  switch (model_.OnWindowKey(windowKey, watched == this)) {
    case MacroManagerModel::KeyReply::kPassOn: return false;
    case MacroManagerModel::KeyReply::kSwallow: return true;
    case MacroManagerModel::KeyReply::kOk: Ok(); return true;
  }
  return false;
}

void CMacroProgramDialog::AfterKey(MacroRecorder::KeyOutcome outcome) {
  if (outcome == MacroRecorder::KeyOutcome::Recorded || outcome == MacroRecorder::KeyOutcome::LimitReached) {
    RefillEvents();
  }
  if (outcome == MacroRecorder::KeyOutcome::LimitReached) OnRecordingChanged();
  if (model_.HoldsRelease()) {
    settle_.start();  // again from now: each event restarts the wait
  } else {
    settle_.stop();
  }
}

void CMacroProgramDialog::ShowEventMenu(const QPoint& at) {
  if (model_.recording()) return;
  model_.SelectEvent(eventList_->currentRow());
  QMenu menu(this);
  const std::pair<std::string_view, EventCommand> items[] = {
      {strings_.deleteButton, EventCommand::kDelete},
      {strings_.insertLeftButton, EventCommand::kInsertLeftButton},
      {strings_.insertMiddleButton, EventCommand::kInsertMiddleButton},
      {strings_.insertRightButton, EventCommand::kInsertRightButton},
      {strings_.insertDelay, EventCommand::kInsertDelay},
  };
  for (const auto& [text, command] : items) {
    menu.addAction(ToQString(text), this, [this, command = command] {
      model_.RunEventCommand(command);
      RefillEvents();
    });
  }
  menu.exec(eventList_->viewport()->mapToGlobal(at));
}

void CMacroProgramDialog::Ok() {
  // A window that could not load its skin has no macros to hand over: OK keeps the mouse's pages.
  if (background_.isNull()) {
    reject();
    return;
  }
  const MacroManagerModel::Encoded encoded = model_.EncodeForOk();
  if (!encoded.report.empty()) {
    ShowSkinMessage(this, controller_.skin(), MessageBoxKind::kWarning, strings_.warning, encoded.report);
  }
  pages_ = encoded.pages;
  accept();
}

void CMacroProgramDialog::reject() {
  model_.Closing();
  QDialog::reject();
}

}  // namespace korvane

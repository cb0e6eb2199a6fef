#include "gui/tavik_dlg.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QIcon>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QRegularExpressionValidator>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <future>
#include <cstdio>
#include <utility>

#include "app/emulator_menu.h"
#include "ui/assignment_lists.h"
#include "gui/combo_dialog.h"
#include "gui/config_dialog.h"
#include "gui/desktop_notifications.h"
#include "gui/help_dialog.h"
#include "gui/macro_dialog.h"
#include "gui/macro_program_dialog.h"
#include "gui/popup_list.h"
#include "gui/single_dialog.h"
#include "ui/main_window_geometry.h"
#include "gui/scroll_thumb.h"
#include "gui/program_icon.h"
#include "gui/skin_message_box.h"
#include "gui/skin_painter.h"
#include "gui/skin_style.h"

namespace korvane {

CTavikDlg::CTavikDlg(ProgramFolder folder, HidBackend& backend)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      fileChoice_(PathFromUtf8(QDir::homePath().toStdString())),
      controller_(std::make_unique<MainController>(std::move(folder), backend, *this)) {
  setAttribute(Qt::WA_StaticContents);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setWindowIcon(ProgramIcon());
}

CTavikDlg::~CTavikDlg() {
  closing_ = true;
  controller_.reset();
}

void CTavikDlg::SetUpWindow() {
  const MainController& controller = *controller_;
  setWindowTitle(ToQString(controller.strings().productTitle));
  // The standard widgets and message boxes take the skin's look, even where the main window cannot.
  ApplySkinStyle(controller.skin(), controller.language());
  SetMessageBoxLanguage(controller.language());
  canvas_ = MakeCanvas(controller.skin(), kMainBackground);
  if (canvas_.isNull()) {
    ShowMessage(FillIn(controller.messages().skinMissing, {PathToUtf8(controller.skin().ImagePath(kMainBackground))}),
                controller.strings().productTitle);
    return;
  }
  setFixedSize(canvas_.size());
  const Language language = controller.language();
  pages_ = std::make_unique<MainPages>(MainPages::Context{
      &canvas_, &controller.skin(), &controller.strings(), &controller.labels(), &controller.config(),
      MakeFont(FontsFor(language).mainText, language), [this](int top) { MoveThumb(top); },
      [this] { return controller_->Footer(); }});
  thumb_ = new CGdipButton(this, canvas_, [this](int top) { OnThumbMoved(top); });
  WatchProgramFolder();
}

void CTavikDlg::WatchProgramFolder() {
  // Without the watch the window still works; it only does not follow changes made elsewhere.
  if (!FolderWatch::Start(controller_->files().folder().dir(), folderWatch_)) return;
  auto* notifier = new QSocketNotifier(folderWatch_->descriptor(), QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, [this] {
    const std::vector<std::string> names = folderWatch_->TakeChanges();
    controller_->OnFilesChanged(names);
  });
}

void CTavikDlg::RepaintMainWindow() {
  if (!pages_) return;
  pages_->Repaint();
  SyncPanelBoxes();
  update();
}

void CTavikDlg::RedrawFooter() {
  if (!pages_) return;
  pages_->DrawFooter();
  update(ToQRect(kFooterRect));
}

void CTavikDlg::ToggleSection(MainSection section) {
  if (!pages_) return;
  pages_->ToggleSection(section);
  SyncPanelBoxes();
  update();
}

void CTavikDlg::RedrawPanels() {
  if (!pages_) return;
  pages_->RedrawPanels();
  SyncPanelBoxes();
  update();
}

std::optional<StageColour> CTavikDlg::ChooseStageColour(int stage, StageColour current) {
  // Qt's own chooser, which takes the skin's palette; a desktop's would stay in the desktop's colours.
  const QColor chosen = QColorDialog::getColor(QColor(current.red, current.green, current.blue), this,
                                               ToQString(controller_->strings().cpiSetting) +
                                                   QStringLiteral(" %1").arg(stage + 1),
                                               QColorDialog::DontUseNativeDialog);
  if (!chosen.isValid()) return std::nullopt;
  return StageColour{static_cast<Byte>(chosen.red()), static_cast<Byte>(chosen.green()),
                     static_cast<Byte>(chosen.blue())};
}

QLineEdit* CTavikDlg::MakePanelBox(const Rect& rect, std::function<std::string(std::string_view)> take) {
  auto* box = new QLineEdit(this);
  box->setAlignment(Qt::AlignCenter);
  box->setFrame(false);
  // The widest value with a margin at each side of the box's image, a smaller font where the image is narrow.
  const QString widest(kNumberBoxDigits, QLatin1Char('0'));
  box->setFont(FittingFont(pages_->textFont(), widest.toStdString(), rect.width() - 2 * kNumberBoxMargin));
  PlacePanelBox(box, rect);
  // Only digits go in, and no more than the largest value (5000) has: the box shows no text that the record
  // cannot hold, nor one wider than itself.
  box->setMaxLength(kNumberBoxDigits);
  box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
  const SkinSettings& skin = controller_->skin();
  box->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; color: %1; border: none; }"
                                    "QLineEdit:disabled { color: gray; }")
                         .arg(QColor(skin.red, skin.green, skin.blue).name()));
  // Each edit puts the box's value into the record at once, so that Save takes what the box shows; the
  // text itself is corrected only when the user is done with it (Enter, leaving the box) or pastes, so
  // that a number can be typed digit by digit.
  connect(box, &QLineEdit::textEdited, box, [this, box, take](const QString& edited) {
    const bool pasted = InsertedAtOnce(box->property("shown").toString().toStdString(), edited.toStdString());
    takingFrom_ = box;
    const std::string corrected = take(edited.toStdString());
    takingFrom_ = nullptr;
    if (pasted) box->setText(QString::fromStdString(corrected));
    box->setProperty("shown", box->text());
  });
  // Done: the box shows what the record holds.
  connect(box, &QLineEdit::editingFinished, this, [this] { SyncPanelBoxes(); });
  box->show();
  return box;
}

void CTavikDlg::PlacePanelBox(QLineEdit* box, const Rect& image) {
  // Over its image, and as tall as the line edit needs for its font's whole line.
  box->setGeometry(ToQRect(LineAbout(image, box->minimumSizeHint().height())));
}

void CTavikDlg::SyncPanelBoxes() {
  std::array<std::optional<Rect>, 4> stageRects;
  std::optional<Rect> scrollRect;
  for (const PanelPlacement& panel : OpenPanels(pages_->state())) {
    for (const PanelControl& control : PanelControls(panel.section, panel.left, panel.top)) {
      if (control.kind == PanelControl::Kind::kStageBox) stageRects[static_cast<std::size_t>(control.index)] = control.rect;
      if (control.kind == PanelControl::Kind::kScrollBox) scrollRect = control.rect;
    }
  }
  // A box exists only while its panel is open; the one whose edit is being taken keeps the user's text.
  const auto sync = [this](QLineEdit*& box, const std::optional<Rect>& rect, const auto& make, int value) {
    if (!rect) {
      // Deleted later: the box may be the one whose editingFinished asked for this. Hidden now, so that
      // nothing (a screenshot taken before the event loop runs again) shows it over another panel.
      if (QLineEdit* gone = std::exchange(box, nullptr)) {
        gone->hide();
        gone->deleteLater();
      }
      return;
    }
    if (box == nullptr) box = make(*rect);
    PlacePanelBox(box, *rect);
    if (box != takingFrom_) {
      box->setText(QString::number(value));
      box->setProperty("shown", box->text());
    }
  };
  const MouseConfig& config = controller_->config();
  for (int k = 0; k < 4; ++k) {
    sync(stageBoxes_[static_cast<std::size_t>(k)], stageRects[static_cast<std::size_t>(k)],
         [this, k](const Rect& rect) {
           return MakePanelBox(rect, [this, k](std::string_view text) { return controller_->OnStageBoxText(k, text); });
         },
         StageCpi(config.dpiStage[static_cast<std::size_t>(k)]));
  }
  sync(scrollBox_, scrollRect,
       [this](const Rect& rect) {
         return MakePanelBox(rect, [this](std::string_view text) { return controller_->OnScrollLinesText(text); });
       },
       config.scrollLines);
  if (scrollBox_ != nullptr) scrollBox_->setEnabled(config.scrollOneScreen == 0);
}

void CTavikDlg::MoveThumb(int top) {
  if (thumb_ != nullptr) thumb_->MoveToTop(top);
}

void CTavikDlg::OnThumbMoved(int top) {
  if (!pages_) return;
  pages_->ScrollTo(top);
  SyncPanelBoxes();
  update();
}

void CTavikDlg::paintEvent(QPaintEvent* event) {
  if (canvas_.isNull()) return;
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(event->rect(), canvas_, event->rect());
}

void CTavikDlg::mousePressEvent(QMouseEvent* event) {
  if (!pages_) return;
  // The face takes no focus itself, so a press on it ends a box's editing here: the box lets the focus go
  // and shows what the record took from it.
  if (QWidget* editing = focusWidget()) {
    editing->clearFocus();
    SyncPanelBoxes();
  }
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  const MainClick click = controller_->MainClickDispatcher(pages_->state(), at.x(), at.y());
  if (click.kind == MainClick::Kind::kViewSwitch) pages_->SwitchView(click.view);
  if (click.kind == MainClick::Kind::kHeader) ToggleSection(click.section);
  update();
  if (click.drags()) move_.Press(event);
}

void CTavikDlg::mouseMoveEvent(QMouseEvent* event) {
  if (!pages_ || move_.Moved(this, event)) return;
  const QPoint at = event->position().toPoint();
  if ((event->buttons() & Qt::LeftButton) != 0) {
    controller_->DragPanel(pages_->state(), at.x(), at.y());
  } else {
    // The release went elsewhere (a window that took the pointer meanwhile).
    controller_->EndPanelDrag();
  }
  pages_->PointerMoved(at.x(), at.y());
  update();
}

void CTavikDlg::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) controller_->EndPanelDrag();
}

void CTavikDlg::wheelEvent(QWheelEvent* event) {
  if (!pages_) return;
  const QPoint at = event->position().toPoint();
  const std::optional<int> top = pages_->state().ThumbTopForWheel(at.x(), at.y(), event->angleDelta().y());
  if (!top) return;
  MoveThumb(*top);
  OnThumbMoved(*top);
}

void CTavikDlg::leaveEvent(QEvent*) {
  if (!pages_) return;
  pages_->PointerMoved(-1, -1);
  update();
}

void CTavikDlg::keyPressEvent(QKeyEvent* event) {
  // Neither key may end or change the main window.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void CTavikDlg::AddEmulatorItems(QMenu& menu) {
  if (emulated_ == nullptr) return;
  for (const EmulatorMenuItem& item : EmulatorMenuItems(*emulated_, controller_->language())) {
    menu.addAction(ToQString(item.text), this, [this, action = item.action] { RunEmulatorAction(*emulated_, action); });
  }
  menu.addSeparator();
}

void CTavikDlg::contextMenuEvent(QContextMenuEvent* event) {
  if (emulated_ == nullptr) return;
  QMenu menu(this);
  AddEmulatorItems(menu);
  menu.exec(event->globalPos());
}

void CTavikDlg::closeEvent(QCloseEvent* event) {
  event->ignore();
  HideWindow();
}

void CTavikDlg::ShowMessage(std::string_view text, std::string_view caption) {
  // Where nobody could answer a box, the message goes to standard error and the run counts as failed.
  if (noDialogs_) {
    std::fprintf(stderr, "korvane: %s%s%s\n", std::string(caption).c_str(), caption.empty() ? "" : ": ",
                 std::string(text).c_str());
    messagesWithoutDialog_ = true;
    return;
  }
  const bool warning = caption == controller_->strings().warningTitle || caption == kErrorCaption;
  ShowSkinMessage(isVisible() ? this : nullptr, controller_->skin(),
                  warning ? MessageBoxKind::kWarning : MessageBoxKind::kInformation, caption, text);
}

void CTavikDlg::ShowCommandMessage(const CommandMessage& message) {
  const std::string text = std::string(message.text) + "\n\n" + std::string(message.command) + "\n\n" +
                           std::string(message.note);
  if (noDialogs_) {
    ShowMessage(text, message.caption);
    return;
  }
  QWidget* owner = isVisible() ? this : nullptr;
  CSkinMessageBox box(owner, controller_->skin(), MessageBoxKind::kWarning, message.caption, text, message.copyLabel);
  PlaceOverOwner(box, owner);
  box.exec();
  if (box.answer() == MessageBoxAnswer::kCopy) QGuiApplication::clipboard()->setText(ToQString(message.command));
}

void CTavikDlg::ShowBalloon(std::string_view text, std::string_view title, int timeoutMs) {
  const int shown = std::max(timeoutMs, kShortestReadableBalloonMs);
  // The tray icon shows one balloon at a time where it draws them itself; where the tray is a D-Bus one,
  // Qt sends each balloon as a new notification, and they would pile up. The notification service, when
  // there is one, takes them directly, each replacing the one before.
  if (tray_ != nullptr && !HaveNotificationService()) {
    tray_->showMessage(ToQString(title), ToQString(text), QSystemTrayIcon::Information, shown);
  } else {
    SendDesktopNotification(ToQString(title), ToQString(text), shown);
  }
}

void CTavikDlg::HideWindow() {
  // Without a tray icon a hidden window could not be brought back.
  if (tray_ != nullptr) {
    // Some window systems forget where a hidden window was; it comes back at the same place.
    if (isVisible()) restorePosition_ = pos();
    hide();
  } else {
    showMinimized();
  }
}

void CTavikDlg::ShowWindow() {
  // A Wayland client cannot take its own window out of the minimised state, nor raise it: the compositor
  // alone does. A window mapped anew is shown, and in front.
  if (isVisible() && QGuiApplication::platformName().startsWith(QStringLiteral("wayland"))) hide();
  if (restorePosition_) move(*restorePosition_);
  showNormal();
  raise();
  activateWindow();
}

void CTavikDlg::AddTrayIcon(std::string_view tooltip) {
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
  // While the tray holds the program, the window keeps out of the taskbar.
  setWindowFlag(Qt::Tool, true);
  tray_ = new QSystemTrayIcon(windowIcon(), this);
  tray_->setToolTip(ToQString(tooltip));
  auto* menu = new QMenu(this);
  // Built each time it opens, so that the emulated mouse's plug item says what it will do and the
  // autostart item shows the entry as it is on disk.
  connect(menu, &QMenu::aboutToShow, this, [this, menu] {
    menu->clear();
    AddEmulatorItems(*menu);
    if (autostart_) {
      QAction* autostart = menu->addAction(ToQString(controller_->messages().startWithDesktop));
      autostart->setCheckable(true);
      autostart->setChecked(autostart_->IsOn());
      connect(autostart, &QAction::toggled, this, [this](bool on) {
        const Status status = on ? autostart_->Enable() : autostart_->Disable();
        if (!status) ShowMessage(status.message(), controller_->strings().productTitle);
      });
      menu->addSeparator();
    }
    menu->addAction(ToQString(controller_->strings().exit), this, [this] { controller_->Exit(); });
  });
  tray_->setContextMenu(menu);
  connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
      controller_->OnTrayRestore();
    }
  });
  tray_->show();
}

bool CTavikDlg::OpenWebPage(std::string_view address) { return QDesktopServices::openUrl(QUrl(ToQString(address))); }

void CTavikDlg::ShowHelpPanel(bool shown) {
  delete help_;
  help_ = nullptr;
  if (!shown) return;
  help_ = new CHelpDialog(this, *controller_);
  help_->show();
}

std::optional<MacroPages> CTavikDlg::RunMacroManager() {
  CMacroProgramDialog dialog(this, *controller_);
  PlaceBesideMainWindow(dialog, *this);
  dialog.exec();
  return dialog.pages();
}

void CTavikDlg::ShowAssignmentList(int button) {
  CloseAssignmentList();
  if (!pages_) return;
  listButton_ = button;
  // The list starts at the row of its box, wherever the section has put the box.
  const Rect box = pages_->DropdownBox(button);
  QStringList kinds;
  for (const ButtonKindInfo& info : BUTTON_KINDS) kinds << ToQString(info.text.In(controller_->languageCode()));
  const ListRows rows = PopupRows(font(), kinds, kAssignmentRowHeight);
  Rect rect = AssignmentListRect(button, rows);
  const int shift = box.top - rect.top;
  rect.top += shift;
  rect.bottom += shift;
  assignmentList_ = MakePopupList(this, ToQRect(rect), font(), kinds, rows.rowHeight);
  connect(assignmentList_, &QListWidget::itemEntered, this,
          [this](QListWidgetItem* item) { ShowSubList(assignmentList_->row(item)); });
  connect(assignmentList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int row = assignmentList_->row(item);
    ShowSubList(row);
    controller_->OnAssignmentChosen(listButton_, static_cast<ButtonKind>(row));
    update();
  });
  assignmentList_->show();
  pages_->HighlightButton(button + 1);
  update();
}

void CTavikDlg::ShowSubList(int row) {
  if (subList_ != nullptr && subListRow_ == row) return;
  delete subList_;
  subList_ = nullptr;
  subListRow_ = row;
  if (assignmentList_ == nullptr || row < 0 || row >= static_cast<int>(BUTTON_KINDS.size())) return;
  const ButtonKindInfo& info = BUTTON_KINDS[static_cast<std::size_t>(row)];
  const QRect item = assignmentList_->visualItemRect(assignmentList_->item(row))
                         .translated(assignmentList_->geometry().topLeft() + assignmentList_->viewport()->pos());
  const QRect list = assignmentList_->geometry();
  QStringList entries;
  for (const SubListItem& entry : info.subList) entries << ToQString(entry.text.In(controller_->languageCode()));
  const ListRows rows = PopupRows(font(), entries, kAssignmentRowHeight);
  const std::optional<Rect> place = SubListRect(info.kind, {item.left(), item.top(), item.right() + 1, item.bottom() + 1},
                                                {list.left(), list.top(), list.right() + 1, list.bottom() + 1}, rows);
  if (!place) return;
  subList_ = MakePopupList(this, ToQRect(*place), font(), entries, rows.rowHeight);
  connect(subList_, &QListWidget::itemClicked, this, [this, kind = info.kind](QListWidgetItem* entry) {
    controller_->OnSubListChosen(listButton_, kind, subList_->row(entry));
    update();
  });
  subList_->show();
}

void CTavikDlg::CloseAssignmentList() {
  // Deleted later: a list may be closing from within its own click. Hidden now, like the panels' boxes.
  for (QListWidget* list : {subList_, assignmentList_}) {
    if (list == nullptr) continue;
    list->hide();
    list->deleteLater();
  }
  subList_ = nullptr;
  assignmentList_ = nullptr;
  listButton_ = -1;
  if (pages_) pages_->HighlightButton(0);
  update();
}

void CTavikDlg::RedrawButtonLabel(int button) {
  if (!pages_) return;
  pages_->ShowChosenLabel(button);
  update();
}

std::optional<std::string> CTavikDlg::RunSingleKeyDialog() {
  CSingleDialog dialog(this, controller_->skin(), controller_->language());
  PlaceBesideMainWindow(dialog, *this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.keyName();
}

std::optional<ComboKeyResult> CTavikDlg::RunComboKeyDialog() {
  CComboDialog dialog(this, controller_->skin(), controller_->language());
  PlaceBesideMainWindow(dialog, *this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const ComboKeyModel& model = dialog.model();
  return ComboKeyResult{model.modifierName(), model.firstKeyName(), model.secondKeyName()};
}

std::optional<MacroKeyResult> CTavikDlg::RunMacroKeyDialog(const std::vector<std::string>& macroNames) {
  CMacroDialog dialog(this, controller_->skin(), controller_->language(), macroNames);
  PlaceBesideMainWindow(dialog, *this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const MacroKeyModel& model = dialog.model();
  return MacroKeyResult{model.macroNumber(), model.repeatMode(), model.chosenName()};
}

void CTavikDlg::ShowProfileManager() {
  profileManager_ = new CConfigDialog(this, *controller_, [this](std::string_view question) {
    return Confirm(question, controller_->strings().warningTitle);
  });
  PlaceBesideMainWindow(*profileManager_, *this);
  profileManager_->show();
}

std::optional<std::filesystem::path> CTavikDlg::ChooseProfileFile(bool save, std::string_view profileName) {
  // The desktop's own chooser (a portal where the desktop offers one).
  const QString start = QString::fromStdString(
      PathToUtf8(save ? fileChoice_.ExportSuggestion(profileName) : fileChoice_.StartFolder()));
  const MessageStrings& text = controller_->messages();
  const QString filter = ToQString(text.profileFilter);
  QWidget* owner = profileManager_ ? static_cast<QWidget*>(profileManager_) : this;
  const QString chosen = save ? QFileDialog::getSaveFileName(owner, ToQString(text.exportTitle), start, filter)
                              : QFileDialog::getOpenFileName(owner, ToQString(text.importTitle), start, filter);
  if (chosen.isEmpty()) return std::nullopt;
  const std::filesystem::path file = PathFromUtf8(chosen.toStdString());
  fileChoice_.Chosen(file);
  return file;
}

bool CTavikDlg::Confirm(std::string_view question, std::string_view caption) {
  if (noDialogs_) return false;
  return ShowSkinMessage(this, controller_->skin(), MessageBoxKind::kQuestion, caption, question) ==
         MessageBoxAnswer::kYes;
}

Status CTavikDlg::StartProgram(const std::filesystem::path& program) {
  const QString path = QString::fromStdString(PathToUtf8(program));
  if (QProcess::startDetached(path, {})) return Status::Ok();
  return Status::Failure(FillIn(controller_->messages().cannotStart, {PathToUtf8(program)}));
}

void CTavikDlg::SetWaitCursor(bool wait) {
  if (wait == waitCursor_) return;
  waitCursor_ = wait;
  if (wait) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

QTimer* CTavikDlg::TimerFor(MainTimer timer) {
  QTimer*& slot = timers_[timer];
  if (slot == nullptr) {
    slot = new QTimer(this);
    connect(slot, &QTimer::timeout, this, [this, timer] { controller_->OnTimer(timer); });
  }
  return slot;
}

void CTavikDlg::StartTimer(MainTimer timer, int milliseconds) { TimerFor(timer)->start(milliseconds); }

void CTavikDlg::StopTimer(MainTimer timer) { TimerFor(timer)->stop(); }

void CTavikDlg::Quit() {
  closing_ = true;
  if (tray_ != nullptr) tray_->hide();
  QCoreApplication::exit(0);
}

void CTavikDlg::RunOnWindowThread(std::function<void()> work, bool wait) {
  if (!wait) {
    QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
    return;
  }
  auto done = std::make_shared<std::promise<void>>();
  std::future<void> finished = done->get_future();
  QMetaObject::invokeMethod(
      this,
      [work = std::move(work), done] {
        work();
        done->set_value();
      },
      Qt::QueuedConnection);
  // A window that is going away no longer runs queued work; the caller must not wait for it then.
  while (finished.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
    if (closing_) return;
  }
}

}  // namespace korvane

#include "gui/config_dialog.h"

#include <QCloseEvent>
#include <QInputDialog>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "app/profile_manager_areas.h"
#include "gui/lb_editor_wnd.h"
#include "gui/skin_message_box.h"
#include "gui/skin_painter.h"
#include "ui/skin_inventory.h"

namespace korvane {

namespace {

constexpr double kOpacity = 178.0 / 255.0;


}  // namespace

CConfigDialog::CConfigDialog(QWidget* mainWindow, MainController& controller,
                             std::function<bool(std::string_view)> confirm)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint),
      controller_(controller),
      strings_(ProfileManagerStringsFor(controller.language())),
      confirm_(std::move(confirm)),
      model_(ReadProfileList(controller.files().profileListPath()), strings_.copyItem, strings_.newProfilePrefix,
             controller.language(), ReadAppProfiles(controller.files().folder().File(kAppProfilesName))) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(ToQString(strings_.title));
  setWindowOpacity(kOpacity);
  const SkinSettings& skin = controller.skin();
  canvas_ = MakeCanvas(skin, kProfileManagerBackground);
  if (canvas_.isNull()) {
    // Without its background the window stays empty, but it can still be closed with its close button.
    ShowSkinMessage(mainWindow, skin, MessageBoxKind::kWarning, kErrorCaption, strings_.backgroundLoadFailed);
    setFixedSize(kProfileManagerNew.right, kProfileManagerNew.bottom);
    return;
  }
  setFixedSize(canvas_.size());
  const Language language = controller.language();
  const QFont font = MakeFont(FontsFor(language).dialog, language);
  DrawSkinImage(canvas_, skin, kCloseButtonImage, kProfileManagerClose.left, kProfileManagerClose.top);
  DrawSkinImage(canvas_, skin, kProfileManagerNewImage, kProfileManagerNewImageLeft, kProfileManagerNewImageTop);
  DrawSkinText(canvas_, skin, kProfileManagerTitleText, strings_.title, font, Qt::AlignLeft | Qt::AlignVCenter);
  DrawSkinText(canvas_, skin, kProfileManagerNewText, strings_.newButton, font, Qt::AlignLeft | Qt::AlignVCenter);

  list_ = new QListWidget(this);
  list_->setGeometry(ToQRect(kProfileManagerList));
  list_->setFont(font);
  list_->setFrameShape(QFrame::NoFrame);
  list_->setStyleSheet(QStringLiteral("QListWidget { color: rgb(250, 250, 250); background: rgb(40, 40, 40); }"));
  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { model_.Select(row); });
  connect(list_, &QListWidget::customContextMenuRequested, this, [this](const QPoint& at) { ShowMenu(at); });
  Refill();
}

void CConfigDialog::Refill() {
  if (list_ == nullptr) return;
  const QSignalBlocker quiet(list_);
  list_->clear();
  for (const auto& entry : model_.entries()) list_->addItem(QString::fromStdString(entry.name));
  list_->setCurrentRow(model_.selected());
}

void CConfigDialog::Warn(std::string_view message) {
  ShowSkinMessage(this, controller_.skin(), MessageBoxKind::kWarning, strings_.warning, message);
}

void CConfigDialog::Refuse(ProfileManagerModel::Outcome outcome) {
  // A press without a selection needs no word.
  if (outcome == ProfileManagerModel::Outcome::kNoSelection) return;
  if (const std::string_view refusal = model_.RefusalOf(outcome); !refusal.empty()) Warn(refusal);
}

int CConfigDialog::SelectedPair() const { return model_.entries()[static_cast<std::size_t>(model_.selected())].pair; }

void CConfigDialog::ShowMenu(const QPoint& at) {
  QMenu menu(this);
  menu.addAction(ToQString(strings_.deleteItem), this, [this] {
    const int row = model_.selected();
    if (row < 0) return;
    const std::string& name = model_.entries()[static_cast<std::size_t>(row)].name;
    // The last profile is refused without a question; any other goes only when the user says so.
    if (model_.entries().size() > 1 && !confirm_(FillIn(controller_.messages().deleteProfile, {name}))) return;
    Refuse(model_.Delete());
    Refill();
  });
  menu.addAction(ToQString(strings_.editItem), this, [this] {
    if (!model_.Edit()) return;
    const int row = model_.selected();
    new CLBEditorWnd(
        list_, row,
        [this, row](const std::string& text) {
          std::string refusal = model_.Rename(row, text);
          if (refusal.empty()) list_->item(row)->setText(QString::fromStdString(text));
          return refusal;
        },
        [this](const std::string& refusal) { Warn(refusal); });
  });
  menu.addAction(ToQString(strings_.copyItem), this, [this] {
    Refuse(model_.Copy());
    Refill();
  });
  menu.addAction(ToQString(strings_.loadItem), this, [this] {
    if (model_.selected() >= 0) controller_.ImportIntoProfile(SelectedPair());
  });
  menu.addAction(ToQString(strings_.saveItem), this, [this] {
    if (model_.selected() >= 0) {
      const ProfileManagerModel::Entry& entry = model_.entries()[static_cast<std::size_t>(model_.selected())];
      controller_.ExportProfile(entry.pair, entry.name);
    }
  });
  AddLinkItems(menu);
  menu.exec(list_->viewport()->mapToGlobal(at));
}

void CConfigDialog::AddLinkItems(QMenu& menu) {
  const int row = model_.selected();
  if (row < 0) return;
  const ProfileManagerModel::LinkMenu links = model_.LinkMenuFor(row, controller_.seenApplications());
  const auto linkTo = [this, row](const std::string& app) {
    if (const std::string refusal = model_.Link(row, app); !refusal.empty()) Warn(refusal);
  };
  QMenu* linkMenu = menu.addMenu(ToQString(strings_.linkItem));
  for (const std::string& app : links.link) {
    linkMenu->addAction(QString::fromStdString(app), this, [linkTo, app] { linkTo(app); });
  }
  linkMenu->addAction(ToQString(strings_.otherApplication), this, [this, linkTo] {
    bool ok = false;
    const QString app = QInputDialog::getText(this, ToQString(strings_.linkItem), ToQString(strings_.applicationPrompt),
                                              QLineEdit::Normal, {}, &ok);
    if (ok) linkTo(app.trimmed().toStdString());
  });
  for (const std::string& app : links.unlink) {
    menu.addAction(ToQString(FillIn(strings_.unlinkItem, {app})), this, [this, app] { model_.Unlink(app); });
  }
}

void CConfigDialog::CloseDialog() {
  if (closed_) return;
  closed_ = true;
  controller_.CloseProfileManager(model_);
  close();
}

void CConfigDialog::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (canvas_.isNull()) {
    painter.fillRect(rect(), QColor(40, 40, 40));
    return;
  }
  painter.drawImage(event->rect(), canvas_, event->rect());
}

void CConfigDialog::mousePressEvent(QMouseEvent* event) {
  // A press beside an open name editor leaves it, although the window takes no focus.
  CLBEditorWnd::CommitOpen(this);
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  const ProfileManagerArea area = ProfileManagerAreaAt(at.x(), at.y());
  if (area == ProfileManagerArea::kClose) {
    CloseDialog();
  } else if (area == ProfileManagerArea::kNew && list_ != nullptr) {
    Refuse(model_.New());
    Refill();
  } else {
    move_.Press(event);
  }
}

void CConfigDialog::mouseMoveEvent(QMouseEvent* event) { move_.Moved(this, event); }

void CConfigDialog::keyPressEvent(QKeyEvent* event) {
  // Enter must not end the window.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void CConfigDialog::closeEvent(QCloseEvent* event) {
  // Closed by the window system (for example Alt+F4): the same as the close button.
  if (!closed_) {
    closed_ = true;
    CLBEditorWnd::CommitOpen(this);
    controller_.CloseProfileManager(model_);
  }
  event->accept();
}

}  // namespace korvane

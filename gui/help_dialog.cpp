#include "gui/help_dialog.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/help_panel.h"
#include "gui/skin_message_box.h"
#include "gui/skin_painter.h"

namespace korvane {

CHelpDialog::CHelpDialog(QWidget* mainWindow, MainController& controller)
    : QWidget(mainWindow), controller_(controller) {
  setAttribute(Qt::WA_StaticContents);
  const SkinSettings& skin = controller.skin();
  canvas_ = MakeCanvas(skin, kHelpBackground);
  const Language language = controller.language();
  const HelpStrings& strings = HelpStringsFor(language);
  if (canvas_.isNull()) {
    // Without its background the panel still opens, as large as its rows, and says why it is empty.
    ShowSkinMessage(mainWindow, skin, MessageBoxKind::kWarning, kErrorCaption, strings.backgroundLoadFailed);
    setGeometry(kHelpPanelLeft, kHelpPanelTop, kHelpVersionRect.right, kHelpVersionRect.bottom);
    return;
  }
  setGeometry(kHelpPanelLeft, kHelpPanelTop, canvas_.width(), canvas_.height());
  const QFont font = MakeFont(FontsFor(language).dialog, language);
  const int centred = Qt::AlignHCenter | Qt::AlignVCenter;
  DrawSkinText(canvas_, skin, kHelpLinkRect, controller.strings().webAddress, font, centred);
  DrawSkinText(canvas_, skin, kHelpUpdateRect, strings.updateText, font, centred);
  DrawSkinText(canvas_, skin, kHelpVersionRect, strings.versionText, font, centred);
}

void CHelpDialog::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (canvas_.isNull()) {
    painter.fillRect(rect(), QColor(0x28, 0x28, 0x28));
    return;
  }
  painter.drawImage(event->rect(), canvas_, event->rect());
}

void CHelpDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  controller_.OnHelpPanelPress(at.x(), at.y());
}

}  // namespace korvane

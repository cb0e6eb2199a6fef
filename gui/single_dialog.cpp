#include "gui/single_dialog.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "gui/skin_painter.h"

namespace korvane {

CSingleDialog::CSingleDialog(QWidget* owner, const SkinSettings& skin, Language language)
    : CKeyDialogFrame(owner, skin,
                      {SingleKeyModel::kBackground, SingleKeyStringsFor(language).backgroundLoadFailed,
                       SingleKeyStringsFor(language).ok, SingleKeyStringsFor(language).cancel,
                       MessageStringsFor(language).keyboardHeld},
                      MakeFont(FontsFor(language).singleKey, language)),
      strings_(SingleKeyStringsFor(language)) {
  setWindowTitle(ToQString(strings_.prompt));
}

void CSingleDialog::DrawFace() {
  DrawSkinText(canvas_, skin_, SingleKeyModel::kPromptRect, strings_.prompt, font_, Qt::AlignCenter);
  // The captured name: black on white.
  const Rect& box = SingleKeyModel::kKeyNameRect;
  QPainter painter(&canvas_);
  const QRect rect(box.left, box.top, box.width(), box.height());
  painter.fillRect(rect, Qt::white);
  painter.setPen(Qt::black);
  painter.setFont(FittingFont(font_, model_.keyName, box.width()));
  painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, ToQString(model_.keyName));
  painter.end();
  DrawKeycapName(SingleKeyModel::kKeycapRect, model_.keyName);
}

void CSingleDialog::OnKey(const std::string& name) {
  if (!loaded()) return;
  model_.OnKey(name);
  Redraw();
}

void CSingleDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  if (PressButton(KeyDialogButtonAt(at.x(), at.y()))) return;
  move_.Press(event);
}

void CSingleDialog::mouseMoveEvent(QMouseEvent* event) {
  if (!move_.Moved(this, event)) CKeyDialogFrame::mouseMoveEvent(event);
}

}  // namespace korvane

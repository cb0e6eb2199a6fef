#include "gui/macro_dialog.h"

#include <QListWidget>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "gui/skin_message_box.h"
#include "gui/skin_painter.h"

namespace korvane {

CMacroDialog::CMacroDialog(QWidget* owner, const SkinSettings& skin, Language language,
                           std::vector<std::string> macroNames)
    : CKeyDialogFrame(owner, skin,
                      {MacroKeyModel::kBackground, MacroKeyStringsFor(language).backgroundLoadFailed,
                       MacroKeyStringsFor(language).ok, MacroKeyStringsFor(language).cancel,
                       MessageStringsFor(language).keyboardHeld},
                      MakeFont(FontsFor(language).dialog, language)),
      strings_(MacroKeyStringsFor(language)),
      model_(std::move(macroNames)) {
  setWindowTitle(QStringLiteral("Macro Key"));
}

void CMacroDialog::DrawFace() {
  QPainter painter(&canvas_);
  painter.setFont(font_);
  painter.setPen(Qt::white);
  painter.drawText(ToQRect(MacroKeyModel::kPromptRect), Qt::AlignLeft | Qt::AlignVCenter,
                   ToQString(strings_.selectMacroPrompt));
  painter.end();
  const QFontMetrics metrics(font_);
  DrawSkinText(canvas_, skin_, LineAbout(MacroKeyModel::kNameRect, metrics.ascent() + metrics.descent()),
               model_.chosenName(), font_, Qt::AlignCenter);
  QFont small = font_;
  small.setPixelSize(std::min(font_.pixelSize(), 12));
  for (int mode = 0; mode < static_cast<int>(MacroKeyModel::kModeBoxes.size()); ++mode) {
    const Rect& box = MacroKeyModel::kModeBoxes[mode];
    const std::string_view image =
        mode == model_.repeatMode() ? MacroKeyModel::kModeBoxTickedImage : MacroKeyModel::kModeBoxImage;
    DrawSkinImage(canvas_, skin_, image, box.left, box.top);
    const Rect& label = MacroKeyModel::kModeLabels[mode];
    DrawSkinText(canvas_, skin_, label, strings_.repeatMode[mode],
                 FittingWrappedFont(small, strings_.repeatMode[mode], label),
                 Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap);
  }
}

void CMacroDialog::SyncList() {
  QStringList names;
  for (const std::string& name : model_.names()) names << QString::fromStdString(name);
  CKeyDialogFrame::SyncList(model_.listOpen(), MacroKeyModel::kListRect, names, 16, [this](int row) {
    model_.Choose(row);
    SyncList();
  });
}

void CMacroDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  const KeyDialogButton button = model_.Press(at.x(), at.y());
  SyncList();
  Redraw();
  PressButton(button);
}

void CMacroDialog::accept() {
  // A button given a macro that does not exist would play nothing: say what to do instead.
  if (const std::string refusal = model_.OkRefusal(); !refusal.empty()) {
    ShowSkinMessage(this, skin_, MessageBoxKind::kInformation, windowTitle().toStdString(), refusal);
    return;
  }
  CKeyDialogFrame::accept();
}

}  // namespace korvane

#include "gui/combo_dialog.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>

#include "gui/skin_painter.h"
#include "keys/key_tables.h"

namespace korvane {

namespace {

const QString kFieldStyle = QStringLiteral("color: white; background: rgb(40, 40, 40); border: none;");


}  // namespace

CComboDialog::CComboDialog(QWidget* owner, const SkinSettings& skin, Language language)
    : CKeyDialogFrame(owner, skin,
                      {ComboKeyModel::kBackground, ComboKeyStringsFor(language).backgroundLoadFailed,
                       ComboKeyStringsFor(language).ok, ComboKeyStringsFor(language).cancel,
                       MessageStringsFor(language).keyboardHeld},
                      MakeFont(FontsFor(language).dialog, language)),
      strings_(ComboKeyStringsFor(language)) {
  setWindowTitle(QStringLiteral("Combo Key"));
  if (!loaded()) return;
  for (QLineEdit** box : {&first_, &second_}) {
    *box = new QLineEdit(this);
    (*box)->setReadOnly(true);
    (*box)->setAlignment(Qt::AlignCenter);
    (*box)->setStyleSheet(kFieldStyle);
    (*box)->setFont(font_);
    (*box)->installEventFilter(this);
  }
  first_->setGeometry(ToQRect(ComboKeyModel::kFirstKeyRect));
  second_->setGeometry(ToQRect(ComboKeyModel::kSecondKeyRect));
  setFocus();
}

void CComboDialog::DrawFace() {
  QPainter painter(&canvas_);
  const QRect name = ToQRect(ComboKeyModel::kModifierNameRect);
  painter.fillRect(name, QColor(40, 40, 40));
  painter.setPen(Qt::white);
  painter.setFont(FittingFont(font_, model_.modifierName(), name.width()));
  painter.drawText(name, Qt::AlignCenter | Qt::TextSingleLine, ToQString(model_.modifierName()));
  painter.end();
  QFont small = font_;
  small.setPixelSize(11);
  const int label = Qt::AlignLeft | Qt::AlignVCenter;
  DrawSkinText(canvas_, skin_, ComboKeyModel::kModifierLabelRect, strings_.modifierLabel, small, label);
  DrawSkinText(canvas_, skin_, ComboKeyModel::kFirstKeyLabelRect, strings_.firstKeyLabel, small, label);
  DrawSkinText(canvas_, skin_, ComboKeyModel::kSecondKeyLabelRect, strings_.secondKeyLabel, small, label);
  DrawKeycapName(ComboKeyModel::kModifierCapRect, model_.modifierName());
  DrawKeycapName(ComboKeyModel::kFirstKeyCapRect, model_.firstKeyName());
  DrawKeycapName(ComboKeyModel::kSecondKeyCapRect, model_.secondKeyName());
}

bool CComboDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn && (watched == first_ || watched == second_)) {
    model_.SetFocus(watched == first_ ? ComboKeyModel::Focus::kFirstKey : ComboKeyModel::Focus::kSecondKey);
  }
  return CKeyDialogFrame::eventFilter(watched, event);
}

void CComboDialog::OnKey(const std::string& name) {
  if (!loaded()) return;
  model_.OnKey(name);
  first_->setText(QString::fromStdString(model_.firstKeyName()));
  second_->setText(QString::fromStdString(model_.secondKeyName()));
  Redraw();
}

void CComboDialog::SyncList() {
  QStringList names;
  for (const std::string_view name : MODIFIER_NAMES) names << ToQString(name);
  CKeyDialogFrame::SyncList(model_.listOpen(), ComboKeyModel::kModifierListRect, names, 14, [this](int row) {
    model_.ChooseModifier(row);
    SyncList();
  });
  // While the list is open no key box takes key names, and the dialog keeps the focus.
  first_->setEnabled(!model_.listOpen());
  second_->setEnabled(!model_.listOpen());
  if (model_.listOpen()) setFocus();
}

void CComboDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  const KeyDialogButton button = model_.Press(at.x(), at.y());
  if (loaded()) SyncList();
  PressButton(button);
}

}  // namespace korvane

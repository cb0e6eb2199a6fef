#include "gui/skin_style.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>

#include "gui/skin_painter.h"
#include "ui/main_window_geometry.h"

namespace korvane {

namespace {

QPalette SkinPalette(const SkinColours& c) {
  QPalette palette;
  const auto set = [&palette](QPalette::ColorRole role, Rgb colour) { palette.setColor(role, ToQColor(colour)); };
  set(QPalette::Window, c.ground);
  set(QPalette::WindowText, c.text);
  set(QPalette::Base, c.raised);
  set(QPalette::AlternateBase, c.ground);
  set(QPalette::Text, c.text);
  set(QPalette::Button, c.raised);
  set(QPalette::ButtonText, c.text);
  set(QPalette::BrightText, c.text);
  set(QPalette::Highlight, c.selected);
  set(QPalette::HighlightedText, c.text);
  set(QPalette::ToolTipBase, c.raised);
  set(QPalette::ToolTipText, c.text);
  set(QPalette::PlaceholderText, c.dim);
  set(QPalette::Link, c.text);
  set(QPalette::Light, c.line);
  set(QPalette::Midlight, c.line);
  set(QPalette::Mid, c.raised);
  set(QPalette::Dark, c.ground);
  set(QPalette::Shadow, Rgb{});
  for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    palette.setColor(QPalette::Disabled, role, ToQColor(c.dim));
  }
  return palette;
}

}  // namespace

SkinColours SkinColoursOf(const SkinSettings& skin) {
  const QImage ground = MakeCanvas(skin, kMainBackground);
  return SkinColoursFrom(skin, ground.isNull() ? kFallbackGround : AverageOpaqueColour(PixelsOf(ground), kFallbackGround));
}

QString SkinStyleSheet(const SkinColours& c) {
  // %1 text, %2 ground, %3 raised, %4 line, %5 selected, %6 dim.
  return QStringLiteral(
             "QMenu { background: %3; color: %1; border: 1px solid %4; padding: 3px; }"
             "QMenu::item { padding: 4px 20px 4px 22px; background: transparent; }"
             "QMenu::item:selected { background: %5; }"
             "QMenu::item:disabled { color: %6; }"
             "QMenu::separator { height: 1px; background: %4; margin: 3px 6px; }"
             "QListView, QListWidget { background: %2; color: %1; border: 1px solid %4; outline: none;"
             " selection-background-color: %5; selection-color: %1; }"
             "QListView::item:selected, QListWidget::item:selected { background: %5; color: %1; }"
             "QListView::item:hover, QListWidget::item:hover { background: %3; }"
             "QLineEdit, QSpinBox { background: %3; color: %1; border: 1px solid %4;"
             " selection-background-color: %5; selection-color: %1; }"
             "QLineEdit:focus, QSpinBox:focus { border-color: %6; }"
             "QPushButton { background: %3; color: %1; border: 1px solid %4; border-radius: 3px; padding: 4px 14px; }"
             "QPushButton:hover { background: %5; }"
             "QPushButton:default { border-color: %6; }"
             "QPushButton:disabled { color: %6; }"
             "QScrollBar:vertical { background: %3; width: 10px; margin: 0; border: none; }"
             "QScrollBar:horizontal { background: %3; height: 10px; margin: 0; border: none; }"
             "QScrollBar::handle { background: %4; border-radius: 3px; margin: 1px; }"
             "QScrollBar::handle:hover { background: %6; }"
             "QScrollBar::handle:vertical { min-height: 20px; }"
             "QScrollBar::handle:horizontal { min-width: 20px; }"
             "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; border: none; background: none; }"
             "QScrollBar::add-page, QScrollBar::sub-page { background: none; }"
             "QToolTip { background: %3; color: %1; border: 1px solid %4; }")
      .arg(CssColour(c.text), CssColour(c.ground), CssColour(c.raised), CssColour(c.line), CssColour(c.selected),
           CssColour(c.dim));
}

void ApplySkinStyle(const SkinSettings& skin, Language language) {
  const SkinColours colours = SkinColoursOf(skin);
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) QApplication::setStyle(fusion);
  QApplication::setPalette(SkinPalette(colours));
  qApp->setStyleSheet(SkinStyleSheet(colours));
  const QFont font = MakeFont(FontsFor(language).dialog, language);
  QApplication::setFont(font, "QDialog");
  QApplication::setFont(font, "QMenu");
}

}  // namespace korvane

#include "gui/popup_list.h"

#include "gui/skin_painter.h"

namespace korvane {

QListWidget* MakePopupList(QWidget* parent, const QRect& geometry, const QFont& font, const QStringList& rows,
                           int rowHeight) {
  auto* list = new QListWidget(parent);
  list->setGeometry(geometry);
  // Every row fits: the font shrinks to the widest.
  QFont fitting = font;
  for (const QString& row : rows) fitting = FittingFont(fitting, row.toStdString(), geometry.width() - 10);
  list->setFont(fitting);
  list->setMouseTracking(true);
  list->setFocusPolicy(Qt::NoFocus);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list->setStyleSheet(QStringLiteral(
      "QListWidget { background: rgb(22, 26, 32); color: rgb(225, 225, 225); border: 1px solid rgb(70, 150, 170);"
      " outline: none; }"
      "QListWidget::item { padding-left: 3px; }"
      "QListWidget::item:selected { background: rgb(40, 150, 170); color: white; }"));
  for (const QString& row : rows) {
    auto* item = new QListWidgetItem(row, list);
    item->setSizeHint(QSize(geometry.width() - 2, rowHeight));
  }
  QObject::connect(list, &QListWidget::itemEntered, list, [list](QListWidgetItem* item) { list->setCurrentItem(item); });
  return list;
}

}  // namespace korvane

#include "gui/popup_list.h"


#include <QFontMetrics>

namespace korvane {

ListRows PopupRows(const QFont& font, const QStringList& texts, int tableRowHeight) {
  const QFontMetrics metrics(font);
  ListRows rows{0, static_cast<int>(texts.size()), RowHeightFor(tableRowHeight, metrics.ascent() + metrics.descent())};
  for (const QString& text : texts) rows.widestText = std::max(rows.widestText, metrics.horizontalAdvance(text));
  return rows;
}

QListWidget* MakePopupList(QWidget* parent, const QRect& geometry, const QFont& font, const QStringList& rows,
                           int rowHeight) {
  auto* list = new QListWidget(parent);
  list->setGeometry(geometry);
  list->setFont(font);
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

#pragma once

#include <QFont>
#include <QListWidget>
#include <QRect>
#include <QStringList>

#include "ui/text_layout.h"

namespace korvane {

// What rows of these texts need in this font, each row at least tableRowHeight tall.
ListRows PopupRows(const QFont& font, const QStringList& texts, int tableRowHeight);

// The drop-down lists of the windows (button kinds, their sub-lists, modifiers, macro names): dark rows of
// a fixed height, no horizontal scroll bar, and the row under the pointer selected as it moves. The
// geometry is the caller's, grown to hold the rows (PopupRows).
QListWidget* MakePopupList(QWidget* parent, const QRect& geometry, const QFont& font, const QStringList& rows,
                           int rowHeight = 16);

}  // namespace korvane

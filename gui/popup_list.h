#pragma once

#include <QFont>
#include <QListWidget>
#include <QRect>
#include <QStringList>

namespace korvane {

// The drop-down lists of the windows (button kinds, their sub-lists, modifiers, macro names): dark rows of
// a fixed height, no scroll bars, and the row under the pointer selected as it moves.
QListWidget* MakePopupList(QWidget* parent, const QRect& geometry, const QFont& font, const QStringList& rows,
                           int rowHeight = 16);

}  // namespace korvane

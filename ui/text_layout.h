#pragma once

#include <algorithm>

#include "ui/rect.h"

namespace korvane {

// The room texts get in the windows beyond the fixed rectangles of the skin.

// A text is made smaller to fit down to this height and no further: below it, it is no longer readable.
inline constexpr int kSmallestTextPixels = 9;

// What the rows of a drop-down list need: the width of the widest row's text, the number of rows, and the
// height of one row.
struct ListRows {
  int widestText = 0;
  int count = 0;
  int rowHeight = 0;
};
// Beside its text a row keeps its padding and the item view's text margins, and the list its frame.
inline constexpr int kListRowChrome = 16;

constexpr int ListWidthFor(const ListRows& rows) { return rows.widestText + kListRowChrome; }
constexpr int ListHeightFor(const ListRows& rows) { return rows.count * rows.rowHeight + 2; }
// A row is as tall as the table wants, or as the font's line where that is taller.
constexpr int RowHeightFor(int tableRowHeight, int lineHeight) { return std::max(tableRowHeight, lineHeight); }

// The list's rectangle grown, from its top-left corner, to hold every row whole; never smaller.
constexpr Rect ListHoldingRows(const Rect& rect, const ListRows& rows) {
  return {rect.left, rect.top, rect.left + std::max(rect.width(), ListWidthFor(rows)),
          rect.top + std::max(rect.height(), ListHeightFor(rows))};
}

// A rectangle grown about its middle to at least this height: the line a text centred in it takes.
constexpr Rect LineAbout(const Rect& rect, int lineHeight) {
  const int grow = std::max(0, lineHeight - rect.height());
  return {rect.left, rect.top - grow / 2, rect.right, rect.bottom + grow - grow / 2};
}

// A number box keeps this much room between its digits and each side of its skin image.
inline constexpr int kNumberBoxMargin = 3;
// The panels' number boxes hold no more digits than this (5000 CPI).
inline constexpr int kNumberBoxDigits = 4;

}  // namespace korvane

#pragma once

#include <optional>

#include "keys/button_catalogue.h"
#include "ui/rect.h"
#include "ui/text_layout.h"

namespace korvane {

// The assignment lists of the Button Assignment section: one list of the fourteen kinds beside the
// drop-down box of a button, and the sub-list of a kind that needs a further choice. Each is at least its
// table size and grows to hold its rows in the window's font.
Rect AssignmentListRect(int button, const ListRows& rows);  // button 0-7
inline constexpr int kAssignmentRowHeight = 16;
// The sub-list of a kind (2, 6, 7, 8 or 9) for a hovered item of the list; nullopt for other kinds.
std::optional<Rect> SubListRect(ButtonKind kind, const Rect& item, const Rect& list, const ListRows& rows);

}  // namespace korvane

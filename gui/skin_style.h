#pragma once

#include <QColor>
#include <QString>

#include "text/strings.h"
#include "ui/skin_colours.h"

namespace korvane {

inline QColor ToQColor(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }
// A colour as a style sheet writes it.
inline QString CssColour(Rgb colour) { return ToQColor(colour).name(); }

// The skin's colours, the ground averaged from its main window's background.
SkinColours SkinColoursOf(const SkinSettings& skin);

// The style sheet of the standard widgets that remain among the skinned windows: menus, lists, edit
// boxes, scroll bars, push buttons and the pieces of the colour chooser.
QString SkinStyleSheet(const SkinColours& colours);

// Gives the whole application the skin's look: Fusion with a palette and style sheet from the skin's
// colours, and the language's dialog font for dialogs and menus. Once the skin is known.
void ApplySkinStyle(const SkinSettings& skin, Language language);

}  // namespace korvane

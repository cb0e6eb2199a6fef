#pragma once

#include <QImage>

#include <initializer_list>
#include <string_view>

#include "tools/skingen/skin_style.h"

namespace korvane::skingen {

// The stage behind the mouse pictures ("/BK_MainMid.png"); the pictures and their hot spots are cut from
// scenes drawn on it, so that they line up with it and with each other pixel for pixel.
QImage MiddleBackdrop();
// A panel body: the panel colour with a faint shade under its header and hairline rules at the given rows.
QImage PanelBody(std::string_view name, std::initializer_list<qreal> rules = {});

// A dialog face: a header strip, with the product mark where the window draws no title there, a body and
// a one-pixel border.
QImage DialogFrame(std::string_view name, int headerHeight, bool productMark = true);
// The frame around a child control placed on a painted face, two pixels outside the control's rectangle.
void FieldFrame(QPainter& painter, const Rect& field, const QColor& fill);
// A small push button of the dialogs, on the dialog body, in its normal or hover look.
QImage SmallButton(std::string_view name, bool over);

// Each draws the images of one window or group of panels.
void DrawMainWindow(SkinWriter& writer);
void DrawMouseViews(SkinWriter& writer);
void DrawButtonAssignment(SkinWriter& writer);
void DrawSliderPanels(SkinWriter& writer);
void DrawDialPanels(SkinWriter& writer);
void DrawKeyDialogs(SkinWriter& writer);
void DrawMacroManager(SkinWriter& writer);
void DrawProfileAndHelp(SkinWriter& writer);

}  // namespace korvane::skingen

#pragma once

#include <optional>

#include "config/mouse_config.h"
#include "ui/main_page_layout.h"
#include "ui/setting_panels.h"

namespace korvane {

// Whether a control follows the pointer while the left button stays down after a press on it: the
// sliders, the stage level bars and the dials. Selectors, swatches, boxes and arrows take one press.
bool Drags(PanelControl::Kind kind);

// A press-and-drag on a setting panel's control. Only the control the press began on takes the drag; each
// pointer position goes through that control's press rule, so the record holds the value under the
// pointer when the button comes up.
class PanelDrag {
 public:
  // The press that began on a control; one that does not drag starts nothing.
  void Begin(const PanelHit& hit);
  // The pointer moved to (x, y) with the button held. A slider or bar takes the point level with it when
  // the pointer has left it, so a drag past either end stores that end's value; a dial takes only points
  // on its ring. Ends the drag instead when the control is no longer on the page (its panel closed or
  // moved). True when the record changed.
  bool MoveTo(const MainPageState& pages, int x, int y, MouseConfig& config);
  // The button came up.
  void End() { held_.reset(); }
  bool active() const { return held_.has_value(); }

 private:
  std::optional<PanelHit> held_;
};

}  // namespace korvane

#include "ui/panel_drag.h"

#include <algorithm>

namespace korvane {

namespace {

using Kind = PanelControl::Kind;

bool SameControl(const PanelHit& a, MainSection section, const PanelControl& b) {
  return a.section == section && a.control.kind == b.kind && a.control.index == b.index && a.control.rect == b.rect;
}

bool StillShown(const MainPageState& pages, const PanelHit& held) {
  for (const PanelPlacement& panel : OpenPanels(pages)) {
    if (panel.section != held.section) continue;
    for (const PanelControl& control : PanelControls(panel.section, panel.left, panel.top)) {
      if (SameControl(held, panel.section, control)) return true;
    }
  }
  return false;
}

}  // namespace

bool Drags(Kind kind) {
  switch (kind) {
    case Kind::kStageBar:
    case Kind::kSensitivitySlider:
    case Kind::kLightSlider:
    case Kind::kAngleSnapSlider:
    case Kind::kReportDial:
    case Kind::kSpeedDial: return true;
    case Kind::kStageBox:
    case Kind::kStageSwatch:
    case Kind::kLightSelector:
    case Kind::kScrollChoice:
    case Kind::kScrollBox:
    case Kind::kScrollArrow:
    case Kind::kAngleSnapPicture: return false;
  }
  return false;
}

void PanelDrag::Begin(const PanelHit& hit) {
  held_.reset();
  if (Drags(hit.control.kind)) held_ = hit;
}

bool PanelDrag::MoveTo(const MainPageState& pages, int x, int y, MouseConfig& config) {
  if (!held_) return false;
  if (!StillShown(pages, *held_)) {
    End();
    return false;
  }
  const PanelControl& control = held_->control;
  const Rect& r = control.rect;
  const bool dial = control.kind == Kind::kReportDial || control.kind == Kind::kSpeedDial;
  if (!dial) {
    x = std::clamp(x, r.left, r.right - 1);
    y = std::clamp(y, r.top, r.bottom - 1);
  }
  const MouseConfig before = config;
  PressPanelControl(held_->section, control, x, y, config);
  return config != before;
}

}  // namespace korvane

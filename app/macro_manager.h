#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "macro/macro_recorder.h"
#include "macro/macro_store.h"
#include "text/strings.h"
#include "ui/rect.h"
#include "ui/skin_inventory.h"

namespace korvane {

// The macro manager window: its click areas, what each does to the macro store, the event editor's
// rules and the recording. The Qt view paints these fields and forwards presses and keys.
enum class MacroArea { kOk, kCancel, kClose, kRecord, kDelaysOption, kLoopOption, kNew, kDelete, kNone };

struct MacroAreaInfo {
  MacroArea area;
  Rect rect;
};
// In the order a press tests them.
inline constexpr std::array<MacroAreaInfo, 8> kMacroAreas = {{
    {MacroArea::kOk, {298, 394, 352, 422}},
    {MacroArea::kCancel, {354, 394, 408, 422}},
    {MacroArea::kClose, {427, 17, 478, 41}},
    {MacroArea::kRecord, {295, 87, 384, 111}},
    {MacroArea::kDelaysOption, {370, 144, 384, 158}},
    {MacroArea::kLoopOption, {296, 314, 310, 328}},
    {MacroArea::kNew, {17, 367, 75, 392}},
    {MacroArea::kDelete, {77, 367, 135, 392}},
}};
inline constexpr Rect kMacroListRect{21, 82, 130, 353};
// The rectangle of an area of kMacroAreas; an empty one for kNone.
constexpr Rect AreaRect(MacroArea area) {
  for (const MacroAreaInfo& info : kMacroAreas) {
    if (info.area == area) return info.rect;
  }
  return {};
}
inline constexpr Rect kEventListRect{153, 82, 262, 353};
inline constexpr Rect kLoopCountRect{298, 333, 379, 345};

// What the window draws: its background, the buttons' normal and "-over" faces with their captions (none
// for the close button), the record button, the options' tick boxes, and its texts.
inline constexpr std::string_view kMacroBackground = "/MacroManagement/MacroManagement.png";
struct MacroButtonFace {
  MacroArea area;
  std::string_view normal, over;
  std::string_view MacroManagerStrings::*caption;
};
inline constexpr std::array<MacroButtonFace, 5> kMacroButtonFaces = {{
    {MacroArea::kNew, kNewButtonImage, kNewButtonOverImage, &MacroManagerStrings::newButton},
    {MacroArea::kDelete, kNewButtonImage, kNewButtonOverImage, &MacroManagerStrings::deleteButton},
    {MacroArea::kOk, "/MacroManagement/button-cancel-normal.png", "/MacroManagement/button-cancel-over.png",
     &MacroManagerStrings::ok},
    {MacroArea::kCancel, "/MacroManagement/button-cancel-normal.png", "/MacroManagement/button-cancel-over.png",
     &MacroManagerStrings::cancel},
    {MacroArea::kClose, "/macro-button-close-normal.png", "/macro-button-close-over.png", nullptr},
}};
inline constexpr std::string_view kMacroRecordImage = "/MacroManagement/Record-normal.png";
inline constexpr std::string_view kMacroOptionImage = "/MacroManagement/Pane.png";
inline constexpr std::string_view kMacroOptionTickedImage = "/MacroManagement/PaneMakingTick.png";
inline constexpr Rect kMacroTitleText{128, 0, 420, 56};
inline constexpr Rect kMacroListHeading{42, 58, 140, 80};
inline constexpr Rect kEventListHeading{172, 58, 280, 80};
inline constexpr Rect kRecordOptionHeading{290, 58, 398, 78};
// Beside its tick box in at most three lines: a smaller font rather than a column of single words.
inline constexpr Rect kDelaysOptionText{292, 140, 366, 194};
// Clear of the option column's frame at its right.
inline constexpr Rect kLoopOptionText{314, 310, 393, 332};
// Under the options, while the desktop keeps the keyboard to itself.
inline constexpr Rect kKeyboardHeldText{290, 234, 398, 306};

MacroArea MacroAreaAt(int x, int y);

// The event list's context menu, in menu order.
enum class EventCommand { kDelete, kInsertLeftButton, kInsertMiddleButton, kInsertRightButton, kInsertDelay };

// What the state of a manager that outlives one window holds: the two options and the recorder.
struct MacroManagerSession {
  MacroOptions options;
  MacroRecorder recorder;
};

class MacroManagerModel {
 public:
  MacroManagerModel(std::filesystem::path recordPath, MacroManagerSession& session, std::string languageCode);

  MacroStore& store() { return store_; }
  const MacroStore& store() const { return store_; }
  bool recording() const { return session_.recorder.active(); }
  int selectedEvent() const { return selectedEvent_; }
  void SelectEvent(int row) { selectedEvent_ = row; }

  enum class Reply { kNothing, kCloseWithOk, kCloseWithCancel, kMoveWindow };
  struct PressResult {
    Reply reply = Reply::kNothing;
    std::string message;  // shown with caption "Warning" when not empty
  };
  // A left press at a point of the window. Only a press outside every area moves the window: a move
  // started from a button would take the pointer away from the click.
  PressResult Press(int x, int y);

  // The macro list's selection changed.
  void SelectMacro(int row);
  // A double-click on a macro row: the first arms the row, the second on the same row returns true and
  // the view opens the name editor over it.
  bool MacroRowDoubleClicked(int row);
  // The name editor ends: an empty string when the name was taken, else the reason it was refused (the
  // row keeps its old name; the window tells the reason once).
  std::string CommitMacroName(int row, std::string_view name);

  // A row of the event list was chosen (selected or double-clicked): true when the delay editor opens.
  bool EventRowChosen(int row);
  // The delay editor ends with its text: spaces removed, digits then "ms", at most 6553500; other text
  // leaves the row as it was. True when the row changed.
  bool CommitDelay(int row, std::string_view text);
  void RunEventCommand(EventCommand command);
  Status SetLoopCount(std::string_view text) { return store_.SetLoopCount(text); }

  // A raw key event from the window while recording, repeats included; see MacroRecorder::OnKey.
  MacroRecorder::KeyOutcome OnKey(std::string_view name, bool release, std::uint32_t time);
  // No key event for kHeldReleaseWaitMs: a release the recorder holds back is a real one.
  MacroRecorder::KeyOutcome SettleKeys();
  bool HoldsRelease() const { return session_.recorder.holdsRelease(); }
  // A key pressed while no recording runs (releases and the name and delay editors' keys pass by): Escape
  // never closes the window, Enter is kept from it until a recording has been stopped in this run, and
  // then Enter that reaches the window itself (toWindow) is OK in full, never a default action that
  // skips the encoding.
  enum class WindowKey { kEscape, kEnter, kOther };
  enum class KeyReply { kPassOn, kSwallow, kOk };
  KeyReply OnWindowKey(WindowKey key, bool toWindow) const;
  // The window closes: a recording still running is abandoned, unsaved.
  void Closing() { session_.recorder.Abandon(); }

  // OK: the current macro saved and all macros encoded. `report` tells what the pages could not carry
  // (which macro, how many events), empty when everything fitted.
  struct Encoded {
    MacroPages pages{};
    std::string report;
  };
  Encoded EncodeForOk();

 private:
  void StartOrStopRecording();
  MacroRecorder::KeyOutcome AfterKey(MacroRecorder::KeyOutcome outcome);
  void InsertMouseButton(std::string_view button);
  void InsertDelay();

  MacroManagerSession& session_;
  std::string languageCode_;
  MacroStore store_;
  int selectedEvent_ = -1;
  int lastDelayRow_ = -1;
  int lastRenameRow_ = -1;
};

}  // namespace korvane

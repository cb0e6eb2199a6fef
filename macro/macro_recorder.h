#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// A recording accepts at most this many key events (presses and releases; delay lines not counted).
inline constexpr std::uint32_t MACRO_EVENT_LIMIT = 64;

// How long the view waits without a key event before it calls MacroRecorder::Settle on a release the
// recorder holds back. X11 sends the release and the press of an auto-repeat pair together, so the press
// always comes long before this.
inline constexpr int kHeldReleaseWaitMs = 100;

// Turns the key presses and releases that reach the macro manager while recording into event lines:
// "<name>   Dn" / "<name>   Up", with "%u ms" delay lines between them when delays are recorded. Fed with
// the window's raw key events and their times; no keyboard needed to test it.
//
// Auto-repeat is told from what the keys do, never from a flag the platform may or may not set:
// - the recorder keeps the set of keys that are down: a press of a key already down is a repeat;
// - X11 repeats a held key as a release and a press with the same time. The release comes first, so the
//   recorder holds every release back until the next event decides it: a press of the same key with the
//   same time makes both a repeat (the key stays down); anything else makes the release a real one,
//   recorded with its own time before the next event. Settle (the view's short wait without events) and
//   Stop decide a held release as a real one.
// Repeats are not recorded, so they count neither towards the event limit nor as delays.
class MacroRecorder {
 public:
  // 0 = started, no event yet; 1 = at least one event recorded; 2 = the last recording was stopped.
  enum class Phase { Started = 0, Recording = 1, Stopped = 2 };

  enum class KeyOutcome {
    NotRecording,  // no recording runs
    Filtered,      // an auto-repeat (or a second release of a key already released): nothing recorded
    Held,          // a release held back until the next event tells whether it was a real one
    Recorded,      // lines appended
    LimitReached,  // the event past the limit: the recording has stopped; save the list now
  };

  bool active() const { return active_; }
  // Phase of the last recording; Started before the first one (the manager's Enter rule reads it).
  Phase phase() const { return phase_; }
  // A release waits for its decision: the view calls Settle after kHeldReleaseWaitMs without events.
  bool holdsRelease() const { return held_.has_value(); }

  // Empties the event list and starts recording into it. No key counts as down.
  void Start(std::vector<std::string>& eventList);

  // One raw key event as the platform delivered it, repeats included. keyName is cut to 31 characters.
  // time: the event's time in milliseconds (X11's server time), a counter that may wrap; a release and a
  // press of the same key with the same time are an auto-repeat pair. recordDelays is read at every event,
  // so toggling it during a recording takes effect at once. A release of a key that was down before the
  // recording started is recorded (it comes first); a release of a key already released is not.
  KeyOutcome OnKey(std::string_view keyName, bool release, std::uint32_t time, bool recordDelays,
                   std::vector<std::string>& eventList);

  // No event came for a while: a held release is a real one. Recorded (or LimitReached) when there was
  // one, else Filtered; NotRecording when no recording runs.
  KeyOutcome Settle(bool recordDelays, std::vector<std::string>& eventList);

  // Ends the recording; a held release is recorded first (within the limit). Returns true when one was
  // running: the caller then saves the event list as the selected macro.
  bool Stop(bool recordDelays, std::vector<std::string>& eventList);
  // The manager closes during a recording: ends it without a save and without changing the phase.
  void Abandon();

 private:
  struct HeldRelease {
    std::string name;
    std::uint32_t time;
  };
  // Appends the event's lines; LimitReached (and the recording stopped) for the event past the limit.
  KeyOutcome Record(const std::string& name, bool release, std::uint32_t time, bool recordDelays,
                    std::vector<std::string>& eventList);
  void End();

  bool active_ = false;
  Phase phase_ = Phase::Started;
  std::uint32_t recordedEventCount_ = 0;
  std::uint32_t lastEventTick_ = 0;
  std::set<std::string> down_;      // keys pressed and not released
  std::set<std::string> seen_;      // keys pressed or released in this recording
  std::optional<HeldRelease> held_;
};

}  // namespace korvane

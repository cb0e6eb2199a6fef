#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

// A recording accepts at most this many key events (presses and releases; delay lines not counted).
inline constexpr std::uint32_t MACRO_EVENT_LIMIT = 64;

// Turns the key presses and releases that reach the macro manager while recording into event lines:
// "<name>   Dn" / "<name>   Up", with "%u ms" delay lines between them when delays are recorded. Fed by
// the window's key events; no keyboard needed to test it.
class MacroRecorder {
 public:
  // 0 = started, no event yet; 1 = at least one event recorded; 2 = the last recording was stopped.
  enum class Phase { Started = 0, Recording = 1, Stopped = 2 };

  enum class KeyOutcome {
    NotRecording,  // no recording runs
    Filtered,      // auto-repeat of the key recorded last
    Recorded,      // lines appended
    LimitReached,  // the event past the limit: the recording has stopped; save the list now
  };

  bool active() const { return active_; }
  // Phase of the last recording; Started before the first one (the manager's Enter rule reads it).
  Phase phase() const { return phase_; }

  // Empties the event list and starts recording into it.
  void Start(std::vector<std::string>& eventList);

  // One key event. keyName is cut to 31 characters. wasDown: the key was down before this event. For a
  // press that means auto-repeat; a release of a held key passes true. Platforms that synthesise a
  // release before each auto-repeated press must not pass those releases. tick is a millisecond counter
  // that may wrap; recordDelays is read at every event, so toggling it during a recording takes effect at
  // once.
  KeyOutcome OnKey(std::string_view keyName, bool release, bool wasDown, std::uint32_t tick,
                   bool recordDelays, std::vector<std::string>& eventList);

  // Ends the recording. Returns true when one was running: the caller then saves the event list as the
  // selected macro.
  bool Stop();
  // The manager closes during a recording: ends it without a save and without changing the phase.
  void Abandon();

 private:
  bool active_ = false;
  Phase phase_ = Phase::Started;
  std::uint32_t recordedEventCount_ = 0;
  std::string lastRecordedKey_;
  std::uint32_t lastEventTick_ = 0;
};

}  // namespace korvane

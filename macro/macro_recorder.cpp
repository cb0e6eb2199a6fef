#include "macro/macro_recorder.h"

#include <utility>

#include "keys/name_text.h"
#include "macro/macro_section.h"

namespace korvane {

void MacroRecorder::Start(std::vector<std::string>& eventList) {
  End();
  eventList.clear();
  phase_ = Phase::Started;
  active_ = true;
}

MacroRecorder::KeyOutcome MacroRecorder::OnKey(std::string_view keyName, bool release, std::uint32_t time,
                                               bool recordDelays, std::vector<std::string>& eventList) {
  if (!active_) return KeyOutcome::NotRecording;
  const std::string name = CutName(keyName);
  KeyOutcome outcome = KeyOutcome::Filtered;
  if (held_) {
    const HeldRelease held = *std::exchange(held_, std::nullopt);
    if (!release && name == held.name && time == held.time) {
      // X11's auto-repeat pair: the key never went up. Neither half is an event.
      down_.insert(name);
      return KeyOutcome::Filtered;
    }
    outcome = Record(held.name, true, held.time, recordDelays, eventList);
    if (outcome == KeyOutcome::LimitReached) return outcome;
  }
  if (release) {
    // A key released twice: the second is no event. A key never seen was down before the start: its
    // release is one.
    if (!down_.contains(name) && seen_.contains(name)) return outcome;
    held_ = HeldRelease{name, time};
    return outcome == KeyOutcome::Recorded ? outcome : KeyOutcome::Held;
  }
  if (down_.contains(name)) return outcome;  // a press of a key already down repeats it
  return Record(name, false, time, recordDelays, eventList);
}

MacroRecorder::KeyOutcome MacroRecorder::Settle(bool recordDelays, std::vector<std::string>& eventList) {
  if (!active_) return KeyOutcome::NotRecording;
  if (!held_) return KeyOutcome::Filtered;
  const HeldRelease held = *std::exchange(held_, std::nullopt);
  return Record(held.name, true, held.time, recordDelays, eventList);
}

MacroRecorder::KeyOutcome MacroRecorder::Record(const std::string& name, bool release, std::uint32_t time,
                                                bool recordDelays, std::vector<std::string>& eventList) {
  if (++recordedEventCount_ > MACRO_EVENT_LIMIT) {
    End();
    return KeyOutcome::LimitReached;
  }
  if (phase_ != Phase::Started && recordDelays) {
    eventList.push_back(std::to_string(time - lastEventTick_) + " ms");
  }
  eventList.push_back(name + std::string(release ? kReleaseMark : kPressMark));
  phase_ = Phase::Recording;
  lastEventTick_ = time;
  if (release) {
    down_.erase(name);
  } else {
    down_.insert(name);
  }
  seen_.insert(name);
  return KeyOutcome::Recorded;
}

bool MacroRecorder::Stop(bool recordDelays, std::vector<std::string>& eventList) {
  if (!active_) {
    recordedEventCount_ = 0;
    return false;
  }
  if (held_) {
    const HeldRelease held = *std::exchange(held_, std::nullopt);
    Record(held.name, true, held.time, recordDelays, eventList);  // past the limit it is left out
  }
  End();
  return true;
}

void MacroRecorder::End() {
  if (active_) phase_ = Phase::Stopped;
  Abandon();
}

void MacroRecorder::Abandon() {
  recordedEventCount_ = 0;
  active_ = false;
  down_.clear();
  seen_.clear();
  held_.reset();
}

}  // namespace korvane

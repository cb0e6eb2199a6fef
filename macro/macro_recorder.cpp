#include "macro/macro_recorder.h"

#include "keys/name_text.h"
#include "macro/macro_section.h"

namespace korvane {

void MacroRecorder::Start(std::vector<std::string>& eventList) {
  recordedEventCount_ = 0;
  eventList.clear();
  phase_ = Phase::Started;
  active_ = true;
}

MacroRecorder::KeyOutcome MacroRecorder::OnKey(std::string_view keyName, bool release, bool wasDown,
                                               std::uint32_t tick, bool recordDelays,
                                               std::vector<std::string>& eventList) {
  if (!active_) return KeyOutcome::NotRecording;
  const std::string name = CutName(keyName);
  // A held key repeats its press with wasDown set: only its first press is recorded. (A release that
  // claims the key was up is dropped the same way.)
  const bool repeated = release ? !wasDown : wasDown;
  if (repeated && name == lastRecordedKey_) return KeyOutcome::Filtered;

  if (++recordedEventCount_ > MACRO_EVENT_LIMIT) {
    Stop();
    return KeyOutcome::LimitReached;
  }
  if (phase_ != Phase::Started && recordDelays) {
    eventList.push_back(std::to_string(tick - lastEventTick_) + " ms");
  }
  eventList.push_back(name + std::string(release ? kReleaseMark : kPressMark));
  phase_ = Phase::Recording;
  lastEventTick_ = tick;
  lastRecordedKey_ = name;
  return KeyOutcome::Recorded;
}

bool MacroRecorder::Stop() {
  recordedEventCount_ = 0;
  if (!active_) return false;
  active_ = false;
  phase_ = Phase::Stopped;
  return true;
}

void MacroRecorder::Abandon() {
  recordedEventCount_ = 0;
  active_ = false;
}

}  // namespace korvane

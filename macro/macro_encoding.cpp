#include "macro/macro_encoding.h"

#include <algorithm>
#include <string>

#include "common/numbers.h"
#include "keys/key_tables.h"

namespace korvane {
namespace {

constexpr Byte kReleaseFlag = 0x80;
constexpr Byte kDelayFieldMask = 0x7F;
constexpr long long kOneSlotDelayLimit = 1270;   // tens of milliseconds in the 7-bit field
constexpr long long kTwoSlotDelayLimit = 25500;  // hundreds in one byte

struct EventSlots {
  std::array<Byte, 6> bytes{};
  std::size_t size = 0;
};

// The one, two or three two-byte slots of a key event with its delay in milliseconds.
EventSlots SlotsOf(bool release, Byte code, long long delay) {
  const Byte flag = release ? kReleaseFlag : 0;
  const unsigned hundreds = static_cast<unsigned>(delay / 100);
  const Byte remainder = Byte(flag | (Byte(delay % 100) & kDelayFieldMask));
  if (delay <= kOneSlotDelayLimit) return {{Byte(flag | (Byte(delay / 10) & kDelayFieldMask)), code}, 2};
  if (delay <= kTwoSlotDelayLimit) return {{remainder, code, Byte(hundreds), DELAY_EXTEND_CODE}, 4};
  // A zero-valued extension slot announces a 16-bit count of hundreds, high byte first.
  return {{remainder, code, 0x00, DELAY_EXTEND_CODE, Byte(hundreds >> 8), Byte(hundreds & 0xFF)}, 6};
}

std::string WithoutAll(std::string text, std::string_view part) {
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at)) {
    text.erase(at, part.size());
  }
  return text;
}

}  // namespace

MacroPageEncoding EncodeMacroPage(const MacroSection& section) {
  MacroPageEncoding result;
  if (section.items.empty()) return result;

  const bool delaysRecorded = LeadingNumber(section.delayTimeSelStatus) != 0;
  const long long loopTimes = LeadingNumber(section.macroLoopTimes);
  const bool loopEnabled = LeadingNumber(section.loopTimeSelStatus) != 0;
  const bool loopInRange = loopTimes >= 1 && loopTimes <= 65535;
  const unsigned loopCount = (loopEnabled && loopInRange) ? unsigned(loopTimes) : 1u;
  if (loopEnabled && !loopInRange) {
    result.loopCountReplaced = true;
    result.loopCountText = section.macroLoopTimes;
  }
  result.page[0] = Byte(loopCount >> 8);
  result.page[1] = Byte(loopCount & 0xFF);

  std::size_t position = kMacroPageEventStart;
  bool full = false;
  for (std::size_t j = 0; j < section.items.size(); ++j) {
    const std::string& line = section.items[j];
    const bool press = line.find(kPressMark) != std::string::npos;
    const bool release = !press && line.find(kReleaseMark) != std::string::npos;
    if (!press && !release) continue;
    if (full) {
      ++result.droppedEvents;
      continue;
    }
    const std::string keyName = WithoutAll(line, press ? kPressMark : kReleaseMark);
    const Byte code = MacroKeyNameToUsage(keyName);
    std::vector<std::string>& unknown = result.unknownKeyNames;
    if (code == kNoKeyCode && std::ranges::find(unknown, keyName) == unknown.end()) unknown.push_back(keyName);
    std::string delayLine = j + 1 < section.items.size() ? section.items[j + 1] : std::string();
    if (!delaysRecorded && delayLine.find("ms") == std::string::npos) delayLine = DEFAULT_STEP_DELAY;
    // A hand-edited file may hold delays the slots cannot carry.
    const long long written = LeadingNumber(WithoutAll(delayLine, " ms"));
    const long long delay = std::clamp(written, 0LL, kMaxMacroDelay);
    if (delay != written) ++result.clampedDelays;

    const EventSlots slots = SlotsOf(release, code, delay);
    if (position + slots.size > kPageSize) {
      full = true;
      ++result.droppedEvents;
      continue;
    }
    std::copy_n(slots.bytes.begin(), slots.size, result.page.begin() + position);
    position += slots.size;
  }
  return result;
}

MacroEncoding EncodeMacroPages(const IniDocument& document) {
  MacroEncoding result;
  const std::vector<std::string> names = MacroNames(document);
  result.unlistedSections = int(document.SectionNames().size() - names.size());
  for (std::size_t k = 0; k < names.size(); ++k) {
    if (k >= kMacroCount) {
      result.droppedMacros = int(names.size() - kMacroCount);
      break;
    }
    const MacroPageEncoding page = EncodeMacroPage(ReadMacroSection(document, names[k]));
    result.pages[k] = page.page;
    result.changes[k] = page;
    result.droppedEvents += page.droppedEvents;
  }
  return result;
}

}  // namespace korvane

#include "app/macro_manager.h"

#include <algorithm>

#include "macro/macro_encoding.h"
#include "macro/macro_section.h"

namespace korvane {

namespace {

bool IsDelayLine(std::string_view line) { return line.find("ms") != std::string_view::npos; }

// "L-Button Click" gives "L-Button   Dn" and "L-Button   Up".
std::pair<std::string, std::string> ButtonLines(std::string_view button) {
  const std::string base(button.substr(0, button.find(" Click")));
  return {base + "   Dn", base + "   Up"};
}

}  // namespace

MacroArea MacroAreaAt(int x, int y) {
  for (const MacroAreaInfo& info : kMacroAreas) {
    if (info.rect.Contains(x, y)) return info.area;
  }
  return MacroArea::kNone;
}

MacroManagerModel::MacroManagerModel(std::filesystem::path recordPath, MacroManagerSession& session,
                                     std::string languageCode)
    : session_(session),
      languageCode_(std::move(languageCode)),
      store_(std::move(recordPath), session.options, LanguageFromCode(languageCode_)) {
  store_.LoadMacroList();
}

MacroManagerModel::PressResult MacroManagerModel::Press(int x, int y) {
  PressResult result;
  switch (MacroAreaAt(x, y)) {
    case MacroArea::kOk: result.reply = Reply::kCloseWithOk; return result;
    case MacroArea::kCancel:
    case MacroArea::kClose: result.reply = Reply::kCloseWithCancel; return result;
    case MacroArea::kRecord: StartOrStopRecording(); return result;  // the window does not move for it
    case MacroArea::kDelaysOption: session_.options.recordDelays = !session_.options.recordDelays; break;
    case MacroArea::kLoopOption: session_.options.loopEnabled = !session_.options.loopEnabled; break;
    case MacroArea::kNew:
      if (const Status status = store_.NewMacro(languageCode_); !status) result.message = status.message();
      selectedEvent_ = -1;
      break;
    case MacroArea::kDelete:
      if (const Status status = store_.DeleteMacro(); !status && !store_.macroList.empty()) {
        result.message = status.message();
      }
      selectedEvent_ = -1;
      break;
    case MacroArea::kNone: result.reply = Reply::kMoveWindow; break;
  }
  return result;
}

void MacroManagerModel::StartOrStopRecording() {
  if (!session_.recorder.active()) {
    session_.recorder.Start(store_.eventList);
    selectedEvent_ = -1;
    return;
  }
  if (session_.recorder.Stop(session_.options.recordDelays, store_.eventList)) store_.SaveCurrentMacro();
}

void MacroManagerModel::SelectMacro(int row) {
  store_.SelectMacro(row);
  selectedEvent_ = -1;
  lastDelayRow_ = -1;
}

bool MacroManagerModel::MacroRowDoubleClicked(int row) {
  if (row < 0 || row >= static_cast<int>(store_.macroList.size())) return false;
  if (row == lastRenameRow_) return true;
  lastRenameRow_ = row;
  return false;
}

std::string MacroManagerModel::CommitMacroName(int row, std::string_view name) {
  if (row >= 0 && row < static_cast<int>(store_.macroList.size()) && store_.macroList[row] == name) return {};
  const Status renamed = store_.RenameMacro(row, name);
  return renamed ? std::string() : renamed.message();
}

bool MacroManagerModel::EventRowChosen(int row) {
  selectedEvent_ = row;
  if (row < 0 || row >= static_cast<int>(store_.eventList.size())) return false;
  if (store_.eventList[row].find(" ms") == std::string::npos) return false;
  if (row == lastDelayRow_) return true;
  lastDelayRow_ = row;
  return false;
}

bool MacroManagerModel::CommitDelay(int row, std::string_view text) {
  if (row < 0 || row >= static_cast<int>(store_.eventList.size()) || !IsDelayLine(text)) return false;
  std::string digits;
  for (const char c : text) {
    if (c != ' ') digits += c;
  }
  digits.erase(digits.find("ms"), 2);
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return false;
  // Leading zeros and long digit runs are read without overflow: anything past the limit is the limit.
  long long value = 0;
  for (const char c : digits) value = std::min(kMaxMacroDelay + 1, value * 10 + (c - '0'));
  value = std::min(value, kMaxMacroDelay);
  store_.eventList[row] = std::to_string(value) + " ms";
  selectedEvent_ = row;
  store_.SaveCurrentMacro();
  return true;
}

void MacroManagerModel::RunEventCommand(EventCommand command) {
  switch (command) {
    case EventCommand::kDelete:
      if (selectedEvent_ >= 0 && selectedEvent_ < static_cast<int>(store_.eventList.size())) {
        store_.eventList.erase(store_.eventList.begin() + selectedEvent_);
        selectedEvent_ = -1;
        store_.SaveCurrentMacro();
      }
      return;
    case EventCommand::kInsertLeftButton: InsertMouseButton("L-Button Click"); return;
    case EventCommand::kInsertMiddleButton: InsertMouseButton("M-Button Click"); return;
    case EventCommand::kInsertRightButton: InsertMouseButton("R-Button Click"); return;
    case EventCommand::kInsertDelay: InsertDelay(); return;
  }
}

void MacroManagerModel::InsertMouseButton(std::string_view button) {
  auto [press, release] = ButtonLines(button);
  std::vector<std::string>& events = store_.eventList;
  if (selectedEvent_ < 0 || selectedEvent_ >= static_cast<int>(events.size())) {
    if (events.empty()) events = {press, release};
  } else {
    const auto at = events.begin() + selectedEvent_ + 1;
    events.insert(events.insert(at, press) + 1, release);
    ++selectedEvent_;
  }
  store_.SaveCurrentMacro();
}

void MacroManagerModel::InsertDelay() {
  std::vector<std::string>& events = store_.eventList;
  const int s = selectedEvent_;
  if (s < 1 || s >= static_cast<int>(events.size())) return;
  if (IsDelayLine(events[s]) || IsDelayLine(events[s - 1])) return;
  events.insert(events.begin() + s, std::string(DEFAULT_STEP_DELAY));
  store_.SaveCurrentMacro();
}

MacroRecorder::KeyOutcome MacroManagerModel::OnKey(std::string_view name, bool release, std::uint32_t time) {
  return AfterKey(session_.recorder.OnKey(name, release, time, session_.options.recordDelays, store_.eventList));
}

MacroManagerModel::KeyReply MacroManagerModel::OnWindowKey(WindowKey key, bool toWindow) const {
  switch (key) {
    case WindowKey::kEscape: return KeyReply::kSwallow;
    case WindowKey::kEnter:
      if (session_.recorder.phase() != MacroRecorder::Phase::Stopped) return KeyReply::kSwallow;
      return toWindow ? KeyReply::kOk : KeyReply::kPassOn;
    case WindowKey::kOther: break;
  }
  return KeyReply::kPassOn;
}

MacroRecorder::KeyOutcome MacroManagerModel::SettleKeys() {
  return AfterKey(session_.recorder.Settle(session_.options.recordDelays, store_.eventList));
}

MacroRecorder::KeyOutcome MacroManagerModel::AfterKey(MacroRecorder::KeyOutcome outcome) {
  if (outcome == MacroRecorder::KeyOutcome::Recorded) selectedEvent_ = static_cast<int>(store_.eventList.size()) - 1;
  if (outcome == MacroRecorder::KeyOutcome::LimitReached) store_.SaveCurrentMacro();
  return outcome;
}

MacroManagerModel::Encoded MacroManagerModel::EncodeForOk() {
  // A recording still running ends here; what it caught is the macro's content.
  session_.recorder.Stop(session_.options.recordDelays, store_.eventList);
  store_.SaveCurrentMacro();
  const MacroEncoding encoding = store_.EncodeMacroPages();
  Encoded result{store_.macroPageImage, {}};
  const MessageStrings& text = MessageStringsFor(LanguageFromCode(languageCode_));
  // Pages follow the order of the sections in the file, which saving changes.
  const std::vector<std::string> names = MacroNames(IniFile(store_.path()).Load());
  for (std::size_t page = 0; page < kMacroCount && page < names.size(); ++page) {
    const MacroPageChanges& changes = encoding.changes[page];
    if (changes.droppedEvents != 0) {
      result.report += FillIn(text.macroTooLong, {names[page], std::to_string(changes.droppedEvents)}) + "\n";
    }
  }
  if (encoding.droppedMacros != 0) {
    result.report += FillIn(text.macrosLeftOut, {std::to_string(encoding.droppedMacros)}) + "\n";
  }
  return result;
}

}  // namespace korvane

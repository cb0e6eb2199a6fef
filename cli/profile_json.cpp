#include "cli/profile_json.h"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "cli/json_reader.h"
#include "cli/json_writer.h"
#include "cli/record_text.h"
#include "common/utf8.h"

namespace korvane::cli {

namespace {

// The first key names the format and its version; a later format that reads differently gets another.
constexpr std::string_view kFormatKey = "korvaneProfile";
constexpr long kFormatVersion = 1;

// Label files are read in buffers of 1024 UTF-16 units, the terminator included.
constexpr std::size_t kMaxLabelUnits = 1023;

// The fields before the button table, in record order. stageColor is written as its colours.
struct RecordField {
  std::string_view name;
  std::span<Byte> (*bytes)(MouseConfig&);  // one byte, or an array written as one
};

template <auto Member>
std::span<Byte> BytesOf(MouseConfig& config) {
  if constexpr (requires { (config.*Member).data(); }) {
    return config.*Member;
  } else {
    return std::span<Byte>(&(config.*Member), 1);
  }
}

constexpr std::string_view kStageColorName = "stageColor";

const std::array<RecordField, 20> RECORD_FIELDS = {{
    {"reserved001", BytesOf<&MouseConfig::reserved001>},
    {"reportRate", BytesOf<&MouseConfig::reportRate>},
    {"reserved006", BytesOf<&MouseConfig::reserved006>},
    {"dpiStage", BytesOf<&MouseConfig::dpiStage>},
    {"reserved00B", BytesOf<&MouseConfig::reserved00B>},
    {kStageColorName, BytesOf<&MouseConfig::stageColor>},
    {"reserved023", BytesOf<&MouseConfig::reserved023>},
    {"lightMode", BytesOf<&MouseConfig::lightMode>},
    {"lightBrightness", BytesOf<&MouseConfig::lightBrightness>},
    {"pulseSpeed", BytesOf<&MouseConfig::pulseSpeed>},
    {"cycleSpeed", BytesOf<&MouseConfig::cycleSpeed>},
    {"pointerPrecision", BytesOf<&MouseConfig::pointerPrecision>},
    {"scrollOneScreen", BytesOf<&MouseConfig::scrollOneScreen>},
    {"pointerSpeed", BytesOf<&MouseConfig::pointerSpeed>},
    {"scrollLines", BytesOf<&MouseConfig::scrollLines>},
    {"doubleClickSpeed", BytesOf<&MouseConfig::doubleClickSpeed>},
    {"angleSnap", BytesOf<&MouseConfig::angleSnap>},
    {"reserved039", BytesOf<&MouseConfig::reserved039>},
    {"sensitivityX", BytesOf<&MouseConfig::sensitivityX>},
    {"sensitivityY", BytesOf<&MouseConfig::sensitivityY>},
}};

constexpr std::string_view kButtonsName = "buttons";
constexpr std::string_view kMacroDataName = "macroData";
constexpr std::array<std::string_view, 4> BUTTON_KEYS = {"button", "buttonKind", "buttonArg", "buttonLabel"};
constexpr std::size_t kStageCount = 4;

constexpr std::string_view kHexDigits = "0123456789abcdef";

// A macro page as hex without its trailing zero bytes, so that an empty page is "".
std::string PageHex(const DevicePage& page) {
  const auto last = std::find_if(page.rbegin(), page.rend(), [](Byte b) { return b != 0; });
  std::string text;
  for (auto it = page.begin(); it != last.base(); ++it) {
    text += kHexDigits[*it >> 4];
    text += kHexDigits[*it & 0x0F];
  }
  return text;
}

std::string Indexed(std::string_view where, std::size_t index) {
  return std::string(where) + "[" + std::to_string(index) + "]";
}

std::string Key(std::string_view where, std::string_view key) {
  return where.empty() ? std::string(key) : std::string(where) + "." + std::string(key);
}

Status Wrong(std::string_view where, std::string_view what, const JsonValue& value) {
  std::string text = std::string(where) + ": expected " + std::string(what) + ", not ";
  if (value.type == JsonValue::Type::Number || value.type == JsonValue::Type::Boolean) {
    text += value.type == JsonValue::Type::Number ? value.text : (value.boolean ? "true" : "false");
  } else {
    text += JsonTypeName(value.type);
  }
  return Status::Failure(text);
}

// An object with exactly the given keys.
Status ExpectObject(const JsonValue& value, std::string_view where, std::span<const std::string_view> keys) {
  if (value.type != JsonValue::Type::Object) return Wrong(where.empty() ? "the file" : where, "an object", value);
  for (const JsonMember& member : value.members) {
    if (std::ranges::find(keys, member.key) == keys.end()) {
      return Status::Failure(Key(where, member.key) + ": unknown key" + (where.empty() ? " in a profile" : ""));
    }
  }
  for (const std::string_view key : keys) {
    if (value.Member(key) == nullptr) return Status::Failure(Key(where, key) + ": missing");
  }
  return Status::Ok();
}

Status ExpectArray(const JsonValue& value, std::string_view where, std::size_t size) {
  const std::string what = "an array of " + std::to_string(size);
  if (value.type != JsonValue::Type::Array) return Wrong(where, what, value);
  if (value.items.size() != size) {
    return Status::Failure(std::string(where) + ": expected " + what + ", not " + std::to_string(value.items.size()));
  }
  return Status::Ok();
}

Status ReadWhole(const JsonValue& value, std::string_view where, long low, long high, long& number) {
  const std::optional<long long> whole = value.Integer();
  if (!whole || *whole < low || *whole > high) {
    return Wrong(where, "a whole number from " + std::to_string(low) + " to " + std::to_string(high), value);
  }
  number = static_cast<long>(*whole);
  return Status::Ok();
}

Status ReadByte(const JsonValue& value, std::string_view where, Byte& byte) {
  long number = 0;
  if (Status s = ReadWhole(value, where, 0, 255, number); !s) return s;
  byte = static_cast<Byte>(number);
  return Status::Ok();
}

Status ReadBytes(const JsonValue& value, std::string_view where, std::span<Byte> bytes) {
  if (Status s = ExpectArray(value, where, bytes.size()); !s) return s;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (Status s = ReadByte(value.items[i], Indexed(where, i), bytes[i]); !s) return s;
  }
  return Status::Ok();
}

Status ReadString(const JsonValue& value, std::string_view where, const std::string*& text) {
  if (value.type != JsonValue::Type::String) return Wrong(where, "a string", value);
  text = &value.text;
  return Status::Ok();
}

Status ReadStageColors(const JsonValue& value, std::string_view where, MouseConfig& config) {
  if (Status s = ExpectArray(value, where, kStageCount); !s) return s;
  for (std::size_t stage = 0; stage < kStageCount; ++stage) {
    const std::string at = Indexed(where, stage);
    const std::string* text = nullptr;
    if (Status s = ReadString(value.items[stage], at, text); !s) return s;
    const std::optional<StageColour> colour = ParseStageColorText(*text);
    if (!colour) return Status::Failure(at + ": a colour is written #rrggbb, not \"" + *text + "\"");
    StoreStageColour(config, static_cast<int>(stage), *colour);
  }
  return Status::Ok();
}

// A label goes into a line of a label file, which holds no line break and loses surrounding blanks.
Status ReadLabel(const JsonValue& value, std::string_view where, std::string& label) {
  const std::string* text = nullptr;
  if (Status s = ReadString(value, where, text); !s) return s;
  if (std::ranges::any_of(*text, [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
    return Status::Failure(std::string(where) + ": a label may not hold line breaks or other control characters");
  }
  if (!text->empty() && (text->front() == ' ' || text->back() == ' ')) {
    return Status::Failure(std::string(where) + ": a label may not begin or end with a blank");
  }
  if (Utf8Length(*text, Utf8Measure::kUtf16Units) > kMaxLabelUnits) {
    return Status::Failure(std::string(where) + ": a label is at most " + std::to_string(kMaxLabelUnits) +
                           " characters long");
  }
  label = *text;
  return Status::Ok();
}

Status ReadButtons(const JsonValue& value, MouseConfig& config, ButtonLabels& labels) {
  const std::string_view where = kButtonsName;
  if (Status s = ExpectArray(value, where, kButtonCount); !s) return s;
  for (std::size_t button = 0; button < kButtonCount; ++button) {
    const JsonValue& entry = value.items[button];
    const std::string at = Indexed(where, button);
    if (Status s = ExpectObject(entry, at, BUTTON_KEYS); !s) return s;
    long number = 0;
    const long expected = static_cast<long>(button) + 1;
    if (Status s = ReadWhole(*entry.Member("button"), Key(at, "button"), expected, expected, number); !s) return s;
    if (Status s = ReadByte(*entry.Member("buttonKind"), Key(at, "buttonKind"), config.buttonKind[button]); !s) {
      return s;
    }
    const std::string args = Key(at, "buttonArg");
    if (Status s = ExpectArray(*entry.Member("buttonArg"), args, kButtonArgArrays); !s) return s;
    for (std::size_t k = 0; k < kButtonArgArrays; ++k) {
      const JsonValue& arg = entry.Member("buttonArg")->items[k];
      if (Status s = ReadByte(arg, Indexed(args, k), config.buttonArg[k][button]); !s) return s;
    }
    if (Status s = ReadLabel(*entry.Member("buttonLabel"), Key(at, "buttonLabel"), labels[button]); !s) return s;
  }
  return Status::Ok();
}

Status ReadMacroPages(const JsonValue& value, MouseConfig& config) {
  const std::string_view where = kMacroDataName;
  if (Status s = ExpectArray(value, where, kMacroCount); !s) return s;
  for (std::size_t n = 0; n < kMacroCount; ++n) {
    const std::string at = Indexed(where, n);
    const std::string* text = nullptr;
    if (Status s = ReadString(value.items[n], at, text); !s) return s;
    const bool hex = std::ranges::all_of(*text, [](char c) { return kHexDigits.find(c) != kHexDigits.npos; });
    if (!hex || text->size() % 2 != 0 || text->size() > 2 * kPageSize) {
      return Status::Failure(at + ": a macro page is written as up to " + std::to_string(kPageSize) +
                             " bytes in lowercase hex (two digits a byte)");
    }
    DevicePage& page = config.macroData[n];
    page.fill(0);
    for (std::size_t i = 0; i < text->size() / 2; ++i) {
      page[i] = static_cast<Byte>(kHexDigits.find((*text)[2 * i]) << 4 | kHexDigits.find((*text)[2 * i + 1]));
    }
  }
  return Status::Ok();
}

std::vector<std::string_view> TopLevelKeys() {
  std::vector<std::string_view> keys = {kFormatKey};
  for (const RecordField& field : RECORD_FIELDS) keys.push_back(field.name);
  keys.push_back(kButtonsName);
  keys.push_back(kMacroDataName);
  return keys;
}

}  // namespace

void WriteProfileJson(std::ostream& out, const MouseConfig& config, const ButtonLabels& labels) {
  MouseConfig c = config;
  JsonWriter json(out);
  json.BeginObject();
  json.Value(kFormatKey, kFormatVersion);
  for (const RecordField& field : RECORD_FIELDS) {
    if (field.name == kStageColorName) {
      json.BeginArray(field.name);
      for (std::size_t stage = 0; stage < kStageCount; ++stage) {
        json.Value({}, StageColorText(c, static_cast<int>(stage)));
      }
      json.EndArray();
    } else if (field.bytes(c).size() > 1) {
      json.Numbers(field.name, field.bytes(c));
    } else {
      json.Value(field.name, field.bytes(c)[0]);
    }
  }
  json.BeginArray(kButtonsName);
  for (std::size_t button = 0; button < kButtonCount; ++button) {
    json.BeginObject();
    json.Value("button", static_cast<long>(button) + 1);
    json.Value("buttonKind", c.buttonKind[button]);
    std::array<Byte, kButtonArgArrays> args{};
    for (std::size_t k = 0; k < kButtonArgArrays; ++k) args[k] = c.buttonArg[k][button];
    json.Numbers("buttonArg", args);
    json.Value("buttonLabel", labels[button]);
    json.EndObject();
  }
  json.EndArray();
  json.BeginArray(kMacroDataName);
  for (const DevicePage& page : c.macroData) json.Value({}, PageHex(page));
  json.EndArray();
  json.EndObject();
}

Status ReadProfileJson(std::string_view text, MouseConfig& config, ButtonLabels& labels) {
  JsonValue document;
  if (Status s = ParseJson(text, document); !s) return s;
  const std::vector<std::string_view> keys = TopLevelKeys();
  if (document.type == JsonValue::Type::Object && document.Member(kFormatKey) == nullptr) {
    return Status::Failure("not a profile: \"" + std::string(kFormatKey) + "\" is missing");
  }
  if (Status s = ExpectObject(document, "", keys); !s) return s;
  if (const JsonValue& version = *document.Member(kFormatKey); version.Integer() != kFormatVersion) {
    return Wrong(kFormatKey, "format " + std::to_string(kFormatVersion) + ", the one this korvanectl reads", version);
  }
  MouseConfig read;
  read.profileSlot = config.profileSlot;
  ButtonLabels readLabels;
  for (const RecordField& field : RECORD_FIELDS) {
    const JsonValue& value = *document.Member(field.name);
    Status s = field.name == kStageColorName ? ReadStageColors(value, field.name, read)
               : field.bytes(read).size() > 1 ? ReadBytes(value, field.name, field.bytes(read))
                                             : ReadByte(value, field.name, field.bytes(read)[0]);
    if (!s) return s;
  }
  if (Status s = ReadButtons(*document.Member(kButtonsName), read, readLabels); !s) return s;
  if (Status s = ReadMacroPages(*document.Member(kMacroDataName), read); !s) return s;
  config = read;
  labels = std::move(readLabels);
  return Status::Ok();
}

}  // namespace korvane::cli

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <map>

#include "common/file_io.h"
#include "config/factory_profile.h"
#include "device/transport.h"
#include "keys/button_catalogue.h"
#include "keys/key_tables.h"
#include "profile/config_files.h"
#include "support/golden.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

struct Result {
  int exitCode = -1;
  std::string out;
  std::string err;
};

std::string Quote(const std::string& word) {
  std::string quoted = "'";
  for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

// Runs korvanectl as a process on a program folder of the factory files.
class KorvanectlTest : public ::testing::Test {
 protected:
  Result Run(const std::vector<std::string>& args) {
    std::string words = "--home " + Quote(folder.path());
    for (const std::string& arg : args) words += " " + Quote(arg);
    return RunWords(words);
  }

  // Runs korvanectl with words as a shell reads them, without the test's --home.
  Result RunWords(const std::string& words) {
    // Bounded, so that a command that would wait for ever fails the test instead of hanging it.
    std::string command = "timeout 60 " + Quote(std::string(KORVANE_PROGRAM_DIR) + "/korvanectl") + " " + words;
    const auto out = output.File("out"), err = output.File("err");
    command += " >" + Quote(out) + " 2>" + Quote(err) + " </dev/null";
    const int status = std::system(command.c_str());
    Result result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = output.ReadText("out");
    result.err = output.ReadText("err");
    return result;
  }

  std::map<std::string, std::string> Snapshot() const { return folder.Snapshot(); }

  MouseConfig Profile(int index) const {
    ConfigFileContent content;
    EXPECT_TRUE(ReadConfigFile(folder.File("config" + std::to_string(index) + ".bin"), content));
    return content.config;
  }

  testing::FactoryFolder folder;
  testing::TempFolder output;
};

TEST_F(KorvanectlTest, PagesPrintsWhatAnUploadSends) {
  const Result result = Run({"pages"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const std::vector<std::string> lines = Lines(result.out);
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[0], "settings: " + HexBytes(testing::GoldenBytes("settings_page_factory.hex")));
  EXPECT_EQ(lines[1], "keys: " + HexBytes(testing::GoldenBytes("key_page_factory.hex")));
  EXPECT_EQ(lines[13], "macro 12: " + HexBytes(DevicePage{}));
}

TEST_F(KorvanectlTest, SetThenShow) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"set", "cpi", "2", "1650"},
           {"set", "color", "1", "#00ff80"},
           {"set", "report-rate", "250"},
           {"set", "lighting", "pulsating", "2"},
           {"set", "scroll", "screen"},
           {"set", "--profile", "3", "button", "4", "single-key", "A"},
       }) {
    const Result result = Run(args);
    ASSERT_EQ(result.exitCode, 0) << args[1] << ": " << result.err;
  }
  const MouseConfig current = Profile(0);
  EXPECT_EQ(current.dpiStage[1], 33);
  EXPECT_EQ(current.stageColor[0], 0x00);  // red, blue, green
  EXPECT_EQ(current.stageColor[1], 0x80);
  EXPECT_EQ(current.stageColor[2], 0xFF);
  EXPECT_EQ(current.reportRate, 4);
  EXPECT_EQ(current.lightMode, 2);
  EXPECT_EQ(current.pulseSpeed, 2);
  EXPECT_EQ(current.scrollOneScreen, 1);
  EXPECT_EQ(current.buttonKind, FactoryConfig().buttonKind) << "--profile 3 edits profile 3 only";

  const Result text = Run({"show"});
  ASSERT_EQ(text.exitCode, 0) << text.err;
  EXPECT_THAT(text.out, HasSubstr("CPI stage 1:        800 CPI, colour #00ff80"));
  EXPECT_THAT(text.out, HasSubstr("CPI stage 2:        1650 CPI, colour #00ff00"));
  EXPECT_THAT(text.out, HasSubstr("250 Hz"));
  EXPECT_THAT(text.out, HasSubstr("one screen per notch"));

  const Result json = Run({"show", "--profile", "3", "--json"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  EXPECT_THAT(json.out, HasSubstr("\"reportRate\": 1,"));
  EXPECT_THAT(json.out, HasSubstr("\"buttonKind\": 10,"));
  EXPECT_THAT(json.out, HasSubstr("\"buttonLabel\": \"Single Key-A\""));
}

TEST_F(KorvanectlTest, JsonStaysUtf8WhenALabelFileIsNot) {
  // Stray, cut, overlong and surrogate bytes each become U+FFFD; good characters pass through.
  folder.WriteText("str0.ini", "[Setting-EN]\r\nItem1=a\x80" "b\r\nItem2=\xC3\r\nItem3=\xC0\xAF\r\n"
                               "Item4=\xED\xA0\x80\r\nItem5=\xC3\xA9\xE5\xAE\x8F\xF0\x9F\x96\xB1\r\n");
  const Result json = Run({"show", "--json"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  EXPECT_THAT(json.out, HasSubstr("\"buttonLabel\": \"a\\ufffdb\""));
  EXPECT_THAT(json.out, HasSubstr("\"buttonLabel\": \"\\ufffd\""));
  EXPECT_THAT(json.out, HasSubstr("\"buttonLabel\": \"\\ufffd\\ufffd\""));
  EXPECT_THAT(json.out, HasSubstr("\"buttonLabel\": \"\\ufffd\\ufffd\\ufffd\""));
  EXPECT_THAT(json.out, HasSubstr("\"buttonLabel\": \"\xC3\xA9\xE5\xAE\x8F\xF0\x9F\x96\xB1\""));
}

// set takes a field's whole range as validation allows it, and no more; its help says the same.
TEST_F(KorvanectlTest, SetTakesTheRangesValidationAllows) {
  struct Edge {
    std::vector<std::string> highest, beyond;
    std::string help;
  };
  for (const Edge& edge : std::vector<Edge>{
           {{"cpi", "4", "5000"}, {"cpi", "4", "5050"}, "100-5000 CPI in steps of 50"},
           {{"lighting", "cycle", "6"}, {"lighting", "cycle", "7"}, "level 1-6"},
           {{"scroll", "lines", "100"}, {"scroll", "lines", "101"}, "lines per notch (1-100)"},
           {{"angle-snap", "11"}, {"angle-snap", "12"}, "1-11 (1 and 11: off)"},
           {{"report-rate", "125"}, {"report-rate", "124"}, "125, 250, 500 or 1000"},
       }) {
    std::vector<std::string> set = {"set"}, refused = {"set"};
    set.insert(set.end(), edge.highest.begin(), edge.highest.end());
    refused.insert(refused.end(), edge.beyond.begin(), edge.beyond.end());
    EXPECT_EQ(Run(set).exitCode, 0) << edge.help;
    EXPECT_NE(Run(refused).exitCode, 0) << edge.help;
    EXPECT_THAT(Run({"set", "--help"}).out, HasSubstr(edge.help));
  }
  const Result show = Run({"show"});
  EXPECT_THAT(show.out, HasSubstr("cycle, period position 6"));
  EXPECT_THAT(show.out, Not(HasSubstr("out of range")));
}

TEST_F(KorvanectlTest, BadArgumentsFailWithOneLineAndChangeNothing) {
  const auto before = Snapshot();
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"set", "cpi", "2", "1625"},
           {"set", "cpi", "5", "800"},
           {"set", "color", "1", "red"},
           {"set", "report-rate", "300"},
           {"set", "angle-snap", "12"},
           {"set", "button", "1", "single-key", "A"},  // the only left click
           {"set", "button", "3", "macro", "0", "0"},  // no record.ini
           {"set", "button", "9", "cpi", "loop"},
           {"set", "nonsense", "1"},
           {"show", "--profile", "6"},
           {"show", "--bogus"},
           {"frobnicate"},
       }) {
    const Result result = Run(args);
    EXPECT_NE(result.exitCode, 0) << args[0] << " " << args[1];
    EXPECT_THAT(result.err, StartsWith("korvanectl: "));
    EXPECT_EQ(Lines(result.err).size(), 1u) << result.err;
  }
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(KorvanectlTest, BadFilesFailAndChangeNothing) {
  output.WriteText("short.bin", std::string(1756, '\0'));
  output.WriteText("long.bin", std::string(1758, '\0'));
  std::filesystem::create_directory(output.File("folder.bin"));
  const auto before = Snapshot();
  for (const std::string file : {"short.bin", "long.bin", "missing.bin", "folder.bin"}) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"show", "--file", output.File(file)},
             {"set", "--file", output.File(file), "angle-snap", "3"},
             {"import", output.File(file)},
         }) {
      const Result result = Run(args);
      EXPECT_NE(result.exitCode, 0) << args[0] << " " << file;
      EXPECT_EQ(Lines(result.err).size(), 1u) << result.err;
    }
  }
  std::filesystem::remove(folder.File("config0.bin"));
  EXPECT_NE(Run({"show"}).exitCode, 0);
  EXPECT_NE(Run({"--emulate", "upload"}).exitCode, 0);
  std::filesystem::remove(folder.File("str.ini"));
  EXPECT_THAT(Run({"show"}).err, HasSubstr("profile list"));
  EXPECT_EQ(Snapshot().size(), before.size() - 2);
}

TEST_F(KorvanectlTest, UploadTraceIsTheWholeExchange) {
  const Result result = Run({"--emulate", "upload", "--trace"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_TRUE(testing::SameLines(testing::GoldenLines("factory_upload.trace"), Lines(result.out)));

  // The profile is saved: written by the program, on-board profile 0.
  ConfigFileContent content;
  ASSERT_TRUE(ReadConfigFile(folder.File("config0.bin"), content));
  EXPECT_EQ(content.firstRunFlag, 1);
  EXPECT_EQ(content.config, FactoryConfig());
}

TEST_F(KorvanectlTest, EventsPrintTheBalloons) {
  const Result result = Run({"--emulate", "events", "--press-cpi", "2", "--macro", "3"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out,
            "Info: Switch CPI into the second stage 800\n"
            "Info: Switch CPI into the third stage 1000\n"
            "Info: Switch to macro key3\n");
}

TEST_F(KorvanectlTest, EventsEndWithTheirScriptOrTimeOutWithAReason) {
  const Result short_ = Run({"--emulate", "events", "--count", "2", "--press-cpi", "1"});
  EXPECT_EQ(short_.exitCode, 1);
  EXPECT_EQ(short_.out, "Info: Switch CPI into the second stage 800\n");
  EXPECT_EQ(short_.err, "korvanectl: the emulated mouse sent the 1 events of its script, not the 2 --count asks for\n");

  const Result waited = Run({"--emulate", "events", "--timeout", "1"});
  EXPECT_EQ(waited.exitCode, 1);
  EXPECT_EQ(waited.err, "korvanectl: no event came within 1 s\n");
  EXPECT_EQ(Run({"--emulate", "events"}).exitCode, 1);
  EXPECT_NE(Run({"--emulate", "events", "--timeout", "0", "--press-cpi", "1"}).exitCode, 0);
}

TEST_F(KorvanectlTest, TheEmulatedMouseKeepsItsMemoryBetweenRuns) {
  for (const char* stage : {"1", "2", "3"}) {
    ASSERT_EQ(Run({"set", "cpi", stage, std::to_string(800 * (std::stoi(stage) + 1))}).exitCode, 0);
  }
  ASSERT_EQ(Run({"--emulate", "upload"}).exitCode, 0);
  ASSERT_EQ(Run({"reset"}).exitCode, 0);  // the profile forgets; the mouse does not
  const Result pressed = Run({"--emulate", "events", "--press-cpi", "3"});
  ASSERT_EQ(pressed.exitCode, 0) << pressed.err;
  EXPECT_EQ(pressed.out,
            "Info: Switch CPI into the second stage 2400\n"
            "Info: Switch CPI into the third stage 3200\n"
            "Info: Switch CPI into the fourth stage 3200\n");
  // The stage is kept too: the next press goes round to the first.
  EXPECT_EQ(Run({"--emulate", "events", "--press-cpi", "1"}).out, "Info: Switch CPI into the first stage 1600\n");

  folder.WriteText("emulated-mouse.bin", "torn");
  const Result damaged = Run({"--emulate", "events", "--press-cpi", "1"});
  EXPECT_EQ(damaged.exitCode, 0);
  EXPECT_THAT(damaged.err, HasSubstr("emulated-mouse.bin is damaged; the emulated mouse starts from its factory pages"));
  EXPECT_EQ(damaged.out, "Info: Switch CPI into the second stage 800\n");
}

TEST_F(KorvanectlTest, DevicesMarksTheMouseInterfaces) {
  const Result result = Run({"--emulate", "devices"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("04d9:a0f4  usage ff00:ff00  input 65 output 65 feature 9  <- mouse command interface"));
  EXPECT_THAT(result.out, HasSubstr("usage ff01:0001"));
  EXPECT_THAT(result.out, HasSubstr("<- mouse event interface"));
}

TEST_F(KorvanectlTest, ExportImportAndReset) {
  ASSERT_EQ(Run({"set", "angle-snap", "5"}).exitCode, 0);
  ASSERT_EQ(Run({"export", output.File("backup")}).exitCode, 0);
  EXPECT_TRUE(std::filesystem::exists(output.File("backup.bin")));
  EXPECT_TRUE(std::filesystem::exists(output.File("backup.ini")));
  EXPECT_TRUE(std::filesystem::exists(folder.File("backup.bin")));

  const Result reset = Run({"reset"});
  ASSERT_EQ(reset.exitCode, 0) << reset.err;
  EXPECT_EQ(Profile(0).angleSnap, 1);

  ASSERT_EQ(Run({"import", output.File("backup.bin")}).exitCode, 0);
  EXPECT_EQ(Profile(0).angleSnap, 5);

  ASSERT_EQ(Run({"--emulate", "reset"}).exitCode, 0);
  EXPECT_EQ(Profile(0).angleSnap, 1);
}

TEST_F(KorvanectlTest, ImportWithoutItsLabelFileRebuildsTheLabelsFromTheSettings) {
  folder.WriteText("record.ini", "[Jump]\nItemCount=0\n");
  ASSERT_EQ(Run({"set", "button", "2", "combo-key", "Left Ctrl", "A", "B"}).exitCode, 0);
  ASSERT_EQ(Run({"set", "button", "4", "single-key", "Num 1"}).exitCode, 0);
  ASSERT_EQ(Run({"set", "button", "5", "macro", "0", "1"}).exitCode, 0);
  ASSERT_EQ(Run({"set", "button", "6", "multimedia", "volume-up"}).exitCode, 0);
  ASSERT_EQ(Run({"export", output.File("bare")}).exitCode, 0);
  std::filesystem::remove(output.File("bare.ini"));
  ASSERT_EQ(Run({"reset"}).exitCode, 0);

  const Result imported = Run({"import", output.File("bare.bin")});
  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  EXPECT_THAT(imported.err, HasSubstr("were made anew from its settings"));
  const ButtonLabels labels = ReadLabels(folder.File("str0.ini"), "").buttonLabel;
  EXPECT_EQ(labels[0], "Click");
  EXPECT_EQ(labels[1], "Combo Key-Left Ctrl+A+B");
  EXPECT_EQ(labels[3], "Single Key-Num 1");
  EXPECT_EQ(labels[4], "Macro Key-Jump");
  EXPECT_EQ(labels[5], "Volume Up");

  // With its label file beside it, the file's labels are taken as they are, without a note.
  ASSERT_EQ(Run({"export", output.File("full")}).exitCode, 0);
  const Result withLabels = Run({"import", output.File("full.bin")});
  ASSERT_EQ(withLabels.exitCode, 0) << withLabels.err;
  EXPECT_EQ(withLabels.err, "");
}

TEST_F(KorvanectlTest, HelpForTheToolAndEachCommand) {
  const Result tool = Run({"--help"});
  EXPECT_EQ(tool.exitCode, 0);
  EXPECT_THAT(tool.out, HasSubstr("commands:"));
  const Result set = Run({"set", "--help"});
  EXPECT_EQ(set.exitCode, 0);
  EXPECT_THAT(set.out, HasSubstr("report-rate HZ"));
}

TEST_F(KorvanectlTest, KeysListsEveryNameThatSetButtonTakes) {
  const Result result = Run({"keys"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  const std::vector<std::string> lines = Lines(result.out);
  const auto listed = [&](std::string_view name) {
    return std::ranges::any_of(lines, [&](const std::string& line) {
      return line == "  " + std::string(name) || line.starts_with("  " + std::string(name) + " ");
    });
  };
  for (const KeyNameCode& row : KEY_TABLE) EXPECT_TRUE(listed(row.name)) << row.name;
  for (const std::string_view name : MODIFIER_NAMES) EXPECT_TRUE(listed(name)) << name;
  for (const ButtonKindInfo& kind : BUTTON_KINDS) {
    for (const SubListItem& item : kind.subList) EXPECT_TRUE(listed(item.token)) << item.token;
  }
}

// A button function as the record stores it.
struct StoredFunction {
  ButtonKind kind;
  std::vector<std::pair<int, Byte>> args;  // array k, value
};

std::vector<StoredFunction> EveryStoredFunction() {
  std::vector<StoredFunction> functions;
  for (const ButtonKindInfo& info : BUTTON_KINDS) {
    if (info.subList.empty()) {
      functions.push_back({info.kind, {}});
      continue;
    }
    for (const SubListItem& item : info.subList) functions.push_back({info.kind, {{info.subListArg, item.stored}}});
  }
  for (const KeyNameCode& row : KEY_TABLE) functions.push_back({ButtonKind::SingleKey, {{kSingleKeyArg, row.code}}});
  // Modifier, first key, second key; the awkward ones are where a word could be read as another place.
  const std::vector<std::array<Byte, 3>> combos = {
      {0x01, 0x04, 0x05}, {0x00, 0x04, 0x05}, {0x20, 0x00, 0x00}, {0x00, 0x00, 0x00}, {0x00, 0x00, 0x05},
      {0x02, 0x00, 0x05}, {0x00, 0xE4, 0x04}, {0x00, 0xE4, 0x00}, {0x00, 0xE0, 0x04}, {0x00, 0xE0, 0xE1},
      {0x80, 0x31, 0x34}, {0x00, 0x35, 0x00}, {0x40, 0x2F, 0x32}, {0x10, 0xE4, 0xE7}};
  for (const auto& [modifier, first, second] : combos) {
    functions.push_back({ButtonKind::ComboKey,
                         {{kComboModifierArg, modifier}, {kComboFirstKeyArg, first}, {kComboSecondKeyArg, second}}});
  }
  for (Byte macro = 0; macro < kMacroCount; ++macro) {
    functions.push_back({ButtonKind::MacroKey, {{kMacroNumberArg, macro}, {kMacroRepeatArg, Byte(macro % 3)}}});
  }
  return functions;
}

TEST_F(KorvanectlTest, ShowPrintsEachButtonAsSetTakesIt) {
  std::string record;
  for (int k = 0; k < 12; ++k) {
    record += "[Macro_" + std::to_string(k) + "]\nDelayTimeSelStatus=0\nLoopTimeSelStatus=0\nMacroLoopTimes=1\nItemCount=0\n";
  }
  folder.WriteText("record.ini", record);
  const std::vector<StoredFunction> functions = EveryStoredFunction();
  // Button 1 keeps its click, so that every other button may take any function.
  for (std::size_t next = 0; next < functions.size();) {
    MouseConfig config = FactoryConfig();
    for (int button = 1; button < int(kButtonCount) && next < functions.size(); ++button, ++next) {
      config.buttonKind[button] = static_cast<Byte>(functions[next].kind);
      for (const auto& [k, value] : functions[next].args) config.Arg(k, button) = value;
    }
    ASSERT_TRUE(WriteConfigFile(folder.File("config0.bin"), config));
    const Result show = Run({"show"});
    ASSERT_EQ(show.exitCode, 0) << show.err;
    int buttons = 0;
    for (const std::string& line : Lines(show.out)) {
      if (!line.starts_with("Button ")) continue;
      ++buttons;
      const std::string number = line.substr(7, line.find(':') - 7);
      const std::size_t start = line.find_first_not_of(' ', line.find(':') + 1);
      const std::string words = line.substr(start, line.rfind("  [") - start);
      const Result set = RunWords("--home " + Quote(folder.path()) + " set button " + number + " " + words);
      ASSERT_EQ(set.exitCode, 0) << line << "\n" << set.err;
      EXPECT_EQ(Profile(0), config) << line;
    }
    EXPECT_EQ(buttons, 8);
  }
}

TEST_F(KorvanectlTest, LeftModifiersAreSingleKeysUnderTheirModifierNames) {
  for (const auto& [name, code] : std::vector<std::pair<std::string, Byte>>{
           {"Left Ctrl", 0xE0}, {"Left Shift", 0xE1}, {"Left Alt", 0xE2}, {"Left Win", 0xE3}, {"Right Ctrl", 0xE4}}) {
    const Result result = Run({"set", "button", "4", "single-key", name});
    ASSERT_EQ(result.exitCode, 0) << name << ": " << result.err;
    EXPECT_EQ(Profile(0).Arg(kSingleKeyArg, 3), code) << name;
  }
  EXPECT_THAT(Run({"show", "--json"}).out, HasSubstr("\"buttonLabel\": \"Single Key-Right Ctrl\""));
  ASSERT_EQ(Run({"set", "button", "4", "single-key", "Left Ctrl"}).exitCode, 0);
  EXPECT_THAT(Run({"show", "--json"}).out, HasSubstr("\"buttonLabel\": \"Single Key-Ctrl\""))
      << "stored under the key's own name, as the key dialog stores it";
}

TEST_F(KorvanectlTest, MacrosWithoutRecordIniAreEmpty) {
  ASSERT_FALSE(std::filesystem::exists(folder.File("record.ini")));
  const Result encoded = Run({"macros", "--encode"});
  ASSERT_EQ(encoded.exitCode, 0) << encoded.err;
  const std::vector<std::string> lines = Lines(encoded.out);
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], "macro 1: " + HexBytes(DevicePage{}));
  EXPECT_EQ(encoded.err, "");
  EXPECT_EQ(Run({"macros"}).out, "no macros\n");
  // A file named on purpose has to be there.
  const Result named = Run({"macros", "--record", output.File("missing.ini")});
  EXPECT_EQ(named.exitCode, 1);
  EXPECT_THAT(named.err, HasSubstr("does not exist"));
}

TEST_F(KorvanectlTest, RecordValuesThePagesCannotCarryAreReported) {
  std::string record = "[Long]\nDelayTimeSelStatus=1\nLoopTimeSelStatus=1\nMacroLoopTimes=70000\nItemCount=200\n";
  for (int i = 0; i < 200; ++i) record += "Item" + std::to_string(i) + "=" + (i % 2 ? "A   Up" : "A   Dn") + "\n";
  record += "[Short]\nDelayTimeSelStatus=1\nLoopTimeSelStatus=1\nMacroLoopTimes=2\nItemCount=2\n"
            "Item0=Application   Dn\nItem1=9999999 ms\n";
  folder.WriteText("record.ini", record);
  const Result result = Run({"macros", "--encode"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(Lines(result.out).size(), 12u);
  const std::vector<std::string> notes = Lines(result.err);
  ASSERT_EQ(notes.size(), 4u) << result.err;
  EXPECT_THAT(notes[0], HasSubstr("macro 0 (Long): loop count '70000' is not 1-65535"));
  EXPECT_THAT(notes[1], HasSubstr("macro 0 (Long): 137 key events do not fit"));
  EXPECT_THAT(notes[2], HasSubstr("macro 1 (Short): 1 delays are outside 0-6553500 ms"));
  EXPECT_THAT(notes[3], HasSubstr("macro 1 (Short): the mouse has no key 'Application'"));
  for (const std::string& note : notes) EXPECT_THAT(note, StartsWith("korvanectl: note: "));
}

TEST_F(KorvanectlTest, OptionsWithoutAValueAreRefused) {
  const auto before = Snapshot();
  const std::string home = "--home " + Quote(folder.path());
  for (const std::string& words : {
           std::string("--home"),
           std::string("--home ''"),
           std::string("--home '' show"),
           home + " --home",
           home + " show --profile",
           home + " show --profile ''",
           home + " set --file '' angle-snap 3",
           home + " set angle-snap 3 --profile",
           home + " macros --record ''",
           home + " events --count",
           home + " show --bogus",
       }) {
    const Result result = RunWords(words);
    EXPECT_EQ(result.exitCode, 2) << words;
    EXPECT_THAT(result.err, StartsWith("korvanectl: ")) << words;
    EXPECT_THAT(result.err, ::testing::AnyOf(HasSubstr("needs a value"), HasSubstr("empty value"),
                                           HasSubstr("unknown option"))) << words;
    EXPECT_EQ(Lines(result.err).size(), 1u) << result.err;
    EXPECT_EQ(result.out, "") << words;
  }
  EXPECT_EQ(Snapshot(), before);
}

// A profile file as a new user's hand-made one: two fields out of range, the rest the factory's.
MouseConfig OutOfRange() {
  MouseConfig config = FactoryConfig();
  config.reportRate = 95;
  config.dpiStage[0] = 233;
  return config;
}

TEST_F(KorvanectlTest, ShowMarksFieldsOutOfRange) {
  ASSERT_TRUE(WriteConfigFile(folder.File("config0.bin"), OutOfRange()));
  const Result text = Run({"show"});
  ASSERT_EQ(text.exitCode, 0) << text.err;
  EXPECT_THAT(text.out, HasSubstr("Report rate:        unknown (code 95)  <- out of range: reportRate = 95 "
                                  "(allowed: 1, 2, 4, 8)\n"));
  EXPECT_THAT(text.out, HasSubstr("CPI stage 1:        11650 CPI, colour #ff0000  <- out of range: dpiStage[0] = 233 "
                                  "(allowed: 2-100)\n"));
  EXPECT_THAT(text.out, HasSubstr("CPI stage 2:        1600 CPI, colour #00ff00\n"));
  EXPECT_EQ(std::ranges::count(Lines(text.out), true, [](const std::string& line) {
              return line.find("out of range") != std::string::npos;
            }),
            2);

  const Result json = Run({"show", "--json"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  EXPECT_THAT(json.out, HasSubstr("\"field\": \"dpiStage\",\n      \"entry\": 0,\n      \"value\": 233,\n"
                                  "      \"allowed\": \"2-100\""));
  ASSERT_TRUE(WriteConfigFile(folder.File("config0.bin"), FactoryConfig()));
  EXPECT_THAT(Run({"show", "--json"}).out, HasSubstr("\"outOfRange\": []"));
}

TEST_F(KorvanectlTest, UploadImportAndResetRefuseFieldsOutOfRange) {
  ASSERT_TRUE(WriteConfigFile(folder.File("config2.bin"), OutOfRange()));
  ASSERT_TRUE(WriteConfigFile(output.File("hostile.bin"), OutOfRange()));
  const auto before = Snapshot();
  const auto refused = [&](const std::vector<std::string>& args) {
    const Result result = Run(args);
    EXPECT_EQ(result.exitCode, 1) << args[1];
    EXPECT_EQ(Lines(result.err).size(), 1u) << result.err;
    EXPECT_THAT(result.err, HasSubstr("reportRate = 95 (allowed: 1, 2, 4, 8), dpiStage[0] = 233 (allowed: 2-100)"));
    EXPECT_EQ(result.out, "") << "nothing reaches the mouse: " << args[1];
    return result.err;
  };
  EXPECT_THAT(refused({"--emulate", "upload", "--profile", "2", "--trace"}), HasSubstr("nothing was sent"));
  EXPECT_THAT(refused({"import", output.File("hostile.bin")}), HasSubstr("nothing was written"));
  EXPECT_EQ(Snapshot(), before);

  ASSERT_TRUE(WriteConfigFile(folder.File("config0.bin"), OutOfRange()));
  const Result current = Run({"--emulate", "upload", "--trace"});
  EXPECT_EQ(current.exitCode, 1);
  EXPECT_EQ(current.out, "");
  // A damaged factory file is not taken for the factory settings.
  ASSERT_TRUE(WriteConfigFile(folder.File("config.bin"), OutOfRange(), 0));
  const auto damaged = Snapshot();
  EXPECT_THAT(refused({"--emulate", "reset"}), HasSubstr("config.bin"));
  EXPECT_EQ(Snapshot(), damaged);
}

TEST_F(KorvanectlTest, ButtonParametersOutsideTheirChoicesAreShownAndRefused) {
  // Button 3 on "macro 255 255": a macro number and a repeat mode no dialog offers.
  MouseConfig config = FactoryConfig();
  config.buttonKind[2] = static_cast<Byte>(ButtonKind::MacroKey);
  config.Arg(kMacroNumberArg, 2) = 255;
  config.Arg(kMacroRepeatArg, 2) = 255;
  ASSERT_TRUE(WriteConfigFile(folder.File("config0.bin"), config));
  const std::string number = "button 3 macro number = 255 (allowed: 0-11)";
  const std::string mode = "button 3 macro repeat mode = 255 (allowed: 0-2)";

  const Result json = Run({"show", "--json"});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  EXPECT_THAT(json.out, HasSubstr("\"field\": \"button 3 macro number\",\n      \"value\": 255,\n"
                                  "      \"allowed\": \"0-11\",\n      \"offset\": 206\n"));
  EXPECT_THAT(json.out, HasSubstr("\"field\": \"button 3 macro repeat mode\",\n      \"value\": 255,\n"
                                  "      \"allowed\": \"0-2\",\n      \"offset\": 214\n"));
  const std::vector<std::string> lines = Lines(Run({"show"}).out);
  const auto button3 =
      std::ranges::find_if(lines, [](const std::string& line) { return line.starts_with("Button 3:"); });
  ASSERT_NE(button3, lines.end());
  EXPECT_THAT(*button3, HasSubstr("macro 255 255  ["));
  EXPECT_THAT(*button3, ::testing::EndsWith("  <- out of range: " + number + ", " + mode));

  const auto before = Snapshot();
  const Result upload = Run({"--emulate", "upload"});
  EXPECT_EQ(upload.exitCode, 1);
  EXPECT_THAT(upload.err, HasSubstr(number + ", " + mode));
  EXPECT_EQ(upload.out, "");

  // Button 4 scrolling by a choice the list does not have.
  config = FactoryConfig();
  config.Arg(kScrollSelectArg, 3) = 255;
  ASSERT_TRUE(WriteConfigFile(output.File("hostile.bin"), config));
  const Result import = Run({"import", output.File("hostile.bin")});
  EXPECT_EQ(import.exitCode, 1);
  EXPECT_THAT(import.err, HasSubstr("button 4 scroll choice = 255 (allowed: 1-3)"));
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(KorvanectlTest, EditsMadeAtTheSameTimeAreAllKept) {
  // Sixteen editors of one profile at once, each changing something else, labels included, and an
  // upload, which reads the profile and writes it back too.
  std::vector<std::string> commands;
  for (int stage = 1; stage <= 4; ++stage) {
    commands.push_back("set cpi " + std::to_string(stage) + " " + std::to_string(1000 + 50 * stage));
    commands.push_back("set color " + std::to_string(stage) + " '#0000" + std::to_string(10 + stage) + "'");
  }
  commands.insert(commands.end(), {"set angle-snap 4", "set sensitivity-x 7", "set sensitivity-y 8",
                                   "set pointer-speed 9", "set double-click 10", "set button 6 single-key F6",
                                   "set button 7 single-key F7", "set button 8 single-key F8", "--emulate upload"});
  std::string script;
  for (std::size_t i = 0; i < commands.size(); ++i) {
    const std::string status = Quote(output.File("status" + std::to_string(i)));
    script += "(" + Quote(std::string(KORVANE_PROGRAM_DIR) + "/korvanectl") + " --home " + Quote(folder.path()) +
              " " + commands[i] + " 2>&1; echo $? >" + status + ") & ";
  }
  script += "wait";
  ASSERT_EQ(std::system(("sh -c " + Quote(script) + " >" + Quote(output.File("log"))).c_str()), 0);
  for (std::size_t i = 0; i < commands.size(); ++i) {
    EXPECT_EQ(output.ReadText("status" + std::to_string(i)), "0\n") << commands[i] << "\n" << output.ReadText("log");
  }

  const MouseConfig profile = Profile(0);
  for (int stage = 0; stage < 4; ++stage) {
    EXPECT_EQ(profile.dpiStage[stage], 21 + stage) << "cpi " << stage + 1;
    EXPECT_EQ(profile.stageColor[3 * stage + 1], 0x11 + stage) << "color " << stage + 1;  // blue
  }
  EXPECT_EQ(profile.angleSnap, 4);
  EXPECT_EQ(profile.sensitivityX, 7);
  EXPECT_EQ(profile.sensitivityY, 8);
  EXPECT_EQ(profile.pointerSpeed, 9);
  EXPECT_EQ(profile.doubleClickSpeed, 10);
  for (int button = 5; button < 8; ++button) {
    EXPECT_EQ(profile.Arg(kSingleKeyArg, button), KeyNameToUsage("F" + std::to_string(button + 1)));
  }
  const std::string labels = folder.ReadText("str0.ini");
  for (const char* label : {"Item6=Single Key-F6", "Item7=Single Key-F7", "Item8=Single Key-F8"}) {
    EXPECT_THAT(labels, HasSubstr(label));
  }
}

TEST_F(KorvanectlTest, StoredMacrosAreThePagesTheProfileSendsAndAnEmptyOneIsPointedOut) {
  folder.WriteText("record.ini",
                   "[Jump]\nDelayTimeSelStatus=0\nLoopTimeSelStatus=0\nMacroLoopTimes=1\nItemCount=2\n"
                   "Item0=Space   Dn\nItem1=Space   Up\n[Fire]\nDelayTimeSelStatus=0\nLoopTimeSelStatus=0\n"
                   "MacroLoopTimes=1\nItemCount=2\nItem0=F   Dn\nItem1=F   Up\n");
  const Result bound = Run({"set", "button", "7", "macro", "1", "0"});
  ASSERT_EQ(bound.exitCode, 0) << bound.err;
  EXPECT_THAT(bound.err, HasSubstr("macro 1 (Fire) is empty in this profile's macro pages"));
  EXPECT_THAT(bound.err, HasSubstr("korvanectl macros --store"));

  const Result stored = Run({"macros", "--store"});
  ASSERT_EQ(stored.exitCode, 0) << stored.err;
  const std::vector<std::string> encoded = Lines(Run({"macros", "--encode"}).out);
  const std::vector<std::string> pages = Lines(Run({"pages"}).out);
  ASSERT_EQ(pages.size(), 14u);
  EXPECT_EQ(std::vector<std::string>(pages.begin() + 2, pages.end()), encoded);
  EXPECT_NE(Profile(0).macroData[1], DevicePage{});
  EXPECT_EQ(Run({"set", "button", "7", "macro", "1", "0"}).err, "");
  EXPECT_EQ(Run({"macros", "--encode", "--store"}).exitCode, 1);
}

TEST_F(KorvanectlTest, AFailedEditChangesNeitherFileOfThePair) {
  const auto before = Snapshot();
  std::filesystem::remove(folder.File("str0.ini"));
  std::filesystem::create_directory(folder.File("str0.ini"));
  const Result result = Run({"set", "cpi", "1", "1600"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_THAT(result.err, HasSubstr("str0.ini is a folder"));
  EXPECT_EQ(folder.ReadText("config0.bin"), before.at("config0.bin"));
}

TEST_F(KorvanectlTest, AnEditKeepsEveryLineOfTheLabelFileItDoesNotSet) {
  // Old Mac line ends, a comment, an unknown key and section: a CPI edit leaves the file as it is, and
  // a button edit changes that button's line only.
  const std::string labels =
      "; my labels\r[Skins]\rLan=EN\rPath=Default\rRColor=1\rGColor=2\rBColor=3\rMine=kept\r[Setting-EN]\r"
      "Item1=Click\rItem2=Menu\rItem3=Mouse M Button\rItem4=Mouse Scroll Up\rItem5=Mouse Scroll Down\r"
      "Item6=CPI loop\rItem7=IE Forward\rItem8=IE Backward\r[Other]\rx=y\r";
  folder.WriteText("str0.ini", labels);
  ASSERT_EQ(Run({"set", "cpi", "2", "2000"}).exitCode, 0);
  EXPECT_EQ(folder.ReadText("str0.ini"), labels);
  ASSERT_EQ(Run({"set", "button", "4", "single-key", "A"}).exitCode, 0);
  std::string expected = labels;
  expected.replace(expected.find("Item4=Mouse Scroll Up"), 21, "Item4=Single Key-A");
  EXPECT_EQ(folder.ReadText("str0.ini"), expected);
}

TEST_F(KorvanectlTest, WhatIsNotARegularFileIsRefusedAtOnce) {
  for (const char* name : {"str0.ini", "str.ini", "record.ini", "emulated-mouse.bin"}) {
    SCOPED_TRACE(name);
    std::filesystem::remove(folder.File(name));
    ASSERT_EQ(::mkfifo(folder.File(name).c_str(), 0600), 0);
    const std::vector<std::vector<std::string>> commands = {
        {"show"}, {"set", "cpi", "1", "1600"}, {"macros", "--store"}, {"--emulate", "upload"}};
    bool refused = false;
    for (const std::vector<std::string>& args : commands) {
      const Result result = Run(args);
      EXPECT_NE(result.exitCode, 124) << args[0] << " waited for the FIFO";
      refused = refused || result.err.find(std::string(name) + " is not a regular file") != std::string::npos;
    }
    EXPECT_TRUE(refused);
    std::filesystem::remove(folder.File(name));
    testing::FactoryFolder fresh;
    if (std::filesystem::exists(fresh.File(name))) std::filesystem::copy_file(fresh.File(name), folder.File(name));
  }
}

TEST_F(KorvanectlTest, FailuresToReadOrNameAFileAreReported) {
  const auto before = Snapshot();
  std::filesystem::create_directory(folder.File("record.ini"));
  const Result stored = Run({"macros", "--store"});
  EXPECT_EQ(stored.exitCode, 1);
  EXPECT_THAT(stored.err, HasSubstr("record.ini is a folder"));
  std::filesystem::remove(folder.File("record.ini"));

  const Result unnamed = Run({"export", ""});
  EXPECT_EQ(unnamed.exitCode, 1);
  EXPECT_THAT(unnamed.err, HasSubstr("needs a file name"));

  ASSERT_EQ(Run({"export", output.File("game")}).exitCode, 0);
  std::filesystem::remove(output.File("game.ini"));
  std::filesystem::create_directory(output.File("game.ini"));
  const Result imported = Run({"import", output.File("game.bin")});
  EXPECT_EQ(imported.exitCode, 1);
  EXPECT_THAT(imported.err, HasSubstr("game.ini is a folder"));

  std::filesystem::remove(folder.File("game.bin"));
  std::filesystem::remove(folder.File("game.ini"));
  EXPECT_EQ(Snapshot(), before);

  // Reset from a damaged factory file reports it and saves nothing.
  folder.WriteText("config.bin", "damaged");
  const Result reset = Run({"reset"});
  EXPECT_EQ(reset.exitCode, 1);
  EXPECT_THAT(reset.err, HasSubstr("config.bin"));
  EXPECT_EQ(folder.ReadText("config0.bin"), before.at("config0.bin"));
}

// Commands killed at any moment leave every profile whole: a record and labels that describe it, and no
// temporary file once the next command has run.
TEST_F(KorvanectlTest, KilledCommandsLeaveWholePairsAndNoTemporaries) {
  ASSERT_EQ(Run({"export", output.File("other")}).exitCode, 0);
  const std::vector<std::vector<std::string>> commands = {
      {"set", "button", "4", "single-key", "A"}, {"set", "button", "4", "single-key", "B"},
      {"import", output.File("other.bin")},       {"--emulate", "upload"}};
  std::srand(7);
  const std::map<std::string, std::string> files = Snapshot();
  const ConfigFiles profiles{ProgramFolder(folder.path())};
  for (int round = 0; round < 48; ++round) {
    const std::vector<std::string>& args = commands[static_cast<std::size_t>(round) % commands.size()];
    const int delayMs = std::rand() % (args.back() == "upload" ? 900 : 12);
    std::string words = "--home " + Quote(folder.path());
    for (const std::string& arg : args) words += " " + Quote(arg);
    const std::string command = Quote(std::string(KORVANE_PROGRAM_DIR) + "/korvanectl") + " " + words +
                                " >/dev/null 2>&1 & sleep " + std::to_string(delayMs / 1000.0) +
                                "; kill -9 $! 2>/dev/null; wait";
    ASSERT_EQ(std::system(command.c_str()) == -1, false);

    ASSERT_EQ(Run({"show"}).exitCode, 0) << "round " << round;
    for (const auto& [name, bytes] : Snapshot()) {
      EXPECT_TRUE(files.contains(name) || name == "emulated-mouse.bin") << "round " << round << ": " << name;
    }
    StoredProfile profile;
    ASSERT_TRUE(profiles.Load(profiles.ProfileFiles(0), "", profile)) << "round " << round;
    const std::string key(UsageToKeyName(profile.config.Arg(kSingleKeyArg, 3)));
    if (profile.config.buttonKind[3] == static_cast<Byte>(ButtonKind::SingleKey)) {
      EXPECT_EQ(profile.labels.buttonLabel[3], "Single Key-" + key) << "round " << round;
    }
  }
}

}  // namespace
}  // namespace korvane

// korvanectl export --json and import of the JSON it writes, in this process, on a folder of the factory
// files: the round trip gives back the profile's files byte for byte, and a file that is not a whole,
// well-formed profile changes nothing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "config/config_file.h"
#include "config/label_file.h"
#include "keys/button_catalogue.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

// A label kept as written: the macro it names is not in record.ini, so it is not made anew.
constexpr std::string_view kKeptLabel = "Jump \xF0\x9F\x98\x80 \\ \"high\"";

class ProfileJsonTest : public ::testing::Test {
 protected:
  // Profile 0 with every kind of byte the record holds set to something other than the factory value.
  void SetUp() override {
    ASSERT_EQ(Run({"set", "button", "2", "combo-key", "Left Ctrl", "A", "B"}), 0) << err.str();
    ASSERT_EQ(Run({"set", "color", "2", "#12ab3c"}), 0) << err.str();
    ASSERT_EQ(Run({"set", "angle-snap", "5"}), 0) << err.str();
    ConfigFileContent content;
    ASSERT_TRUE(ReadConfigFile(folder.File("config0.bin"), content));
    MouseConfig& c = content.config;
    c.profileSlot = 2;
    c.buttonKind[4] = static_cast<Byte>(ButtonKind::MacroKey);
    c.Arg(kMacroNumberArg, 4) = 3;
    c.Arg(kMacroRepeatArg, 4) = 2;
    c.reserved001 = {1, 2, 3, 4};
    c.reserved039 = 0xFF;
    c.reserved023[11] = 0x80;
    c.macroData[0][0] = 0x00;
    c.macroData[0][1] = 0x03;
    c.macroData[0][2] = 0x84;
    c.macroData[11].fill(0xA5);  // a full page: nothing to leave out at its end
    ASSERT_TRUE(WriteConfigFile(folder.File("config0.bin"), c));
    ButtonLabels labels = ReadLabels(folder.File("str0.ini"), "").buttonLabel;
    labels[4] = kKeptLabel;
    ASSERT_TRUE(WriteLabels(folder.File("str0.ini"), "", labels));
    ASSERT_EQ(Run({"export", "--json", PathToUtf8(output.File("p.json"))}), 0) << err.str();
    exported = output.ReadText("p.json");
  }

  int Run(std::vector<std::string> words) {
    words.insert(words.begin(), {"--home", PathToUtf8(folder.path())});
    out.str({});
    err.str({});
    return cli::Run(words, out, err);
  }

  testing::FactoryFolder folder;
  testing::TempFolder output;
  std::ostringstream out, err;
  std::string exported;
};

TEST_F(ProfileJsonTest, ImportGivesBackTheSameFilesByteForByte) {
  const std::string config = folder.ReadText("config0.bin");
  const std::string labels = folder.ReadText("str0.ini");
  ASSERT_EQ(config.size(), kConfigFileSize);
  ASSERT_EQ(Run({"reset"}), 0) << err.str();
  ASSERT_NE(folder.ReadText("config0.bin"), config);
  ASSERT_NE(folder.ReadText("str0.ini"), labels);

  ASSERT_EQ(Run({"import", PathToUtf8(output.File("p.json"))}), 0) << err.str();
  EXPECT_EQ(err.str(), "");
  EXPECT_EQ(folder.ReadText("config0.bin"), config);
  EXPECT_EQ(folder.ReadText("str0.ini"), labels);
  EXPECT_EQ(ReadLabels(folder.File("str0.ini"), "").buttonLabel[4], kKeptLabel);

  // The text is stable: exporting again writes the same bytes.
  ASSERT_EQ(Run({"export", "--json", PathToUtf8(output.File("again.json"))}), 0) << err.str();
  EXPECT_EQ(output.ReadText("again.json"), exported);
}

TEST_F(ProfileJsonTest, TheFileReadsInRecordOrderWithColoursAndTrimmedPages) {
  EXPECT_THAT(exported, StartsWith("{\n  \"korvaneProfile\": 1,\n  \"reserved001\": [1, 2, 3, 4],\n  \"reportRate\": 1,\n"));
  EXPECT_THAT(exported, HasSubstr("\"stageColor\": [\n    \"#ff0000\",\n    \"#12ab3c\","));
  EXPECT_THAT(exported, HasSubstr("\"angleSnap\": 5,\n  \"reserved039\": 255,\n  \"sensitivityX\""));
  EXPECT_THAT(exported, HasSubstr("      \"buttonLabel\": \"Jump \xF0\x9F\x98\x80 \\\\ \\\"high\\\"\"\n"));
  EXPECT_THAT(exported, HasSubstr("\"macroData\": [\n    \"000384\",\n    \"\",\n"));
  std::string fullPage;
  for (std::size_t i = 0; i < kPageSize; ++i) fullPage += "a5";
  EXPECT_THAT(exported, HasSubstr("\n    \"" + fullPage + "\"\n  ]\n}\n"));
  EXPECT_THAT(exported, Not(HasSubstr("profileSlot")));
}

TEST_F(ProfileJsonTest, TargetsAndContentChooseWhereAndHow) {
  // Into another profile: everything but the profile slot, which that profile keeps.
  ConfigFileContent other;
  ASSERT_TRUE(ReadConfigFile(folder.File("config1.bin"), other));
  other.config.profileSlot = 5;
  ASSERT_TRUE(WriteConfigFile(folder.File("config1.bin"), other.config));
  // A JSON profile is known by its first character whatever its name.
  output.WriteText("p.txt", exported);
  ASSERT_EQ(Run({"import", "--profile", "1", PathToUtf8(output.File("p.txt"))}), 0) << err.str();
  ConfigFileContent zero, one;
  ASSERT_TRUE(ReadConfigFile(folder.File("config0.bin"), zero));
  ASSERT_TRUE(ReadConfigFile(folder.File("config1.bin"), one));
  EXPECT_EQ(one.config.profileSlot, 5);
  one.config.profileSlot = zero.config.profileSlot;
  EXPECT_EQ(one.config, zero.config);

  ASSERT_EQ(Run({"export", "--json", "--profile", "1", PathToUtf8(output.File("one.json"))}), 0) << err.str();
  EXPECT_EQ(output.ReadText("one.json"), exported);

  // The program's own file names are not written over.
  EXPECT_EQ(Run({"export", "--json", PathToUtf8(output.File("config0.bin"))}), 1);
  EXPECT_THAT(err.str(), HasSubstr("config0.bin is the name of one of the program's own files"));
}

TEST_F(ProfileJsonTest, LabelsThatNameAnotherFunctionAreMadeAnew) {
  std::string text = exported;
  const std::string from = "\"buttonLabel\": \"Combo Key-Left Ctrl+A+B\"";
  ASSERT_NE(text.find(from), std::string::npos) << text;
  text.replace(text.find(from), from.size(), "\"buttonLabel\": \"\"");
  output.WriteText("p.json", text);
  ASSERT_EQ(Run({"import", PathToUtf8(output.File("p.json"))}), 0) << err.str();
  EXPECT_THAT(err.str(), HasSubstr("were made anew from its settings"));
  EXPECT_EQ(ReadLabels(folder.File("str0.ini"), "").buttonLabel[1], "Combo Key-Left Ctrl+A+B");
}

// An edit of the exported text: the first occurrence of `from` becomes `to`.
struct BadEdit {
  const char* name;
  std::string from;
  std::string to;
  const char* error;
};

void PrintTo(const BadEdit& edit, std::ostream* out) { *out << edit.name; }

class ProfileJsonRefusalTest : public ProfileJsonTest, public ::testing::WithParamInterface<BadEdit> {};

TEST_P(ProfileJsonRefusalTest, NamesTheFieldAndWritesNothing) {
  const BadEdit& edit = GetParam();
  std::string text = exported;
  const std::size_t at = text.find(edit.from);
  ASSERT_NE(at, std::string::npos) << edit.from;
  text.replace(at, edit.from.size(), edit.to);
  output.WriteText("bad.json", text);
  const auto before = folder.Snapshot();
  EXPECT_EQ(Run({"import", PathToUtf8(output.File("bad.json"))}), 1);
  EXPECT_THAT(err.str(), StartsWith("korvanectl: " + PathToUtf8(output.File("bad.json"))));
  EXPECT_THAT(err.str(), HasSubstr(edit.error));
  EXPECT_THAT(err.str(), HasSubstr("nothing was written"));
  EXPECT_EQ(folder.Snapshot(), before);
}

const std::string kLongLabel = "\"" + std::string(1024, 'x') + "\"";

INSTANTIATE_TEST_SUITE_P(
    Refusals, ProfileJsonRefusalTest,
    ::testing::Values(
        BadEdit{"NotJson", "\"angleSnap\": 5,", "\"angleSnap\": 5,,", "line "},
        BadEdit{"NotAProfile", "\"korvaneProfile\": 1,", "", "not a profile: \"korvaneProfile\" is missing"},
        BadEdit{"LaterFormat", "\"korvaneProfile\": 1,", "\"korvaneProfile\": 2,",
                "korvaneProfile: expected format 1, the one this korvanectl reads, not 2"},
        BadEdit{"UnknownKey", "\"angleSnap\": 5,", "\"angleSnap\": 5, \"angleSnaps\": 5,", "angleSnaps: unknown key"},
        BadEdit{"UnknownButtonKey", "\"button\": 1,", "\"button\": 1, \"function\": \"click\",",
                "buttons[0].function: unknown key"},
        BadEdit{"MissingField", "\"angleSnap\": 5,", "", "angleSnap: missing"},
        BadEdit{"MissingLabel", ",\n      \"buttonLabel\": \"Click\"", "", "buttons[0].buttonLabel: missing"},
        BadEdit{"WrongType", "\"angleSnap\": 5,", "\"angleSnap\": \"5\",",
                "angleSnap: expected a whole number from 0 to 255, not a string"},
        BadEdit{"Fraction", "\"angleSnap\": 5,", "\"angleSnap\": 5.0,", "angleSnap: expected a whole number"},
        BadEdit{"NotAByte", "\"angleSnap\": 5,", "\"angleSnap\": 256,", "angleSnap: expected a whole number from 0 to 255, not 256"},
        BadEdit{"Negative", "\"buttonKind\": 0,", "\"buttonKind\": -1,", "buttons[0].buttonKind: expected a whole number"},
        BadEdit{"ShortArray", "[1, 2, 3, 4]", "[1, 2, 3]", "reserved001: expected an array of 4, not 3"},
        BadEdit{"OutOfItsRange", "\"angleSnap\": 5,", "\"angleSnap\": 200,", "has values outside their ranges: angleSnap = 200 (allowed: 1-11)"},
        BadEdit{"WrongButtonNumber", "\"button\": 2,", "\"button\": 3,", "buttons[1].button: expected a whole number from 2 to 2"},
        BadEdit{"BadColour", "\"#12ab3c\"", "\"12ab3c\"", "stageColor[1]: a colour is written #rrggbb"},
        BadEdit{"OddPage", "\"000384\"", "\"00038\"", "macroData[0]: a macro page is written as up to 128 bytes"},
        BadEdit{"UpperCasePage", "\"000384\"", "\"0003AB\"", "macroData[0]: a macro page"},
        BadEdit{"LongLabel", "\"Click\"", kLongLabel, "buttons[0].buttonLabel: a label is at most 1023 characters"},
        BadEdit{"LabelLineBreak", "\"Click\"", "\"Cl\\nick\"", "buttons[0].buttonLabel: a label may not hold line breaks"},
        BadEdit{"LabelBlank", "\"Click\"", "\"Click \"", "buttons[0].buttonLabel: a label may not begin or end with a blank"}),
    [](const ::testing::TestParamInfo<BadEdit>& info) { return info.param.name; });

}  // namespace
}  // namespace korvane

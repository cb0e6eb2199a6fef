#include "app/command_line.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(CommandLineTest, ReadsEveryOption) {
  const auto parsed =
      ParseCommandLine({"--emulate", "--home", "/tmp/k", "--screenshot", "a.png", "--open", "cpi", "page2", "top"});
  ASSERT_TRUE(parsed.line) << parsed.error;
  EXPECT_TRUE(parsed.line->emulate);
  EXPECT_EQ(parsed.line->home, "/tmp/k");
  EXPECT_EQ(parsed.line->screenshot, "a.png");
  EXPECT_EQ(parsed.line->open, (std::vector<std::string>{"cpi", "page2", "top"}));
}

TEST(CommandLineTest, AScreenshotCanShowTheListsAndWindowsOverTheMainWindow) {
  const auto parsed = ParseCommandLine({"--screenshot", "a.png", "--open", "button-assignment", "list1", "list8",
                                        "macro-manager", "recording", "single-key", "profile-manager", "help", "message"});
  ASSERT_TRUE(parsed.line) << parsed.error;
  EXPECT_EQ(parsed.line->open.size(), 9u);
  EXPECT_EQ(OpenStepButton("list1"), 0);
  EXPECT_EQ(OpenStepButton("list8"), 7);
  EXPECT_EQ(OpenStepButton("cpi"), -1);
}

TEST(CommandLineTest, HiddenStartsInTheTrayWithTheOtherOptions) {
  const auto parsed = ParseCommandLine({"--hidden", "--home", "/tmp/k", "--emulate"});
  ASSERT_TRUE(parsed.line) << parsed.error;
  EXPECT_TRUE(parsed.line->hidden);
  EXPECT_EQ(parsed.line->home, "/tmp/k");
  EXPECT_TRUE(parsed.line->emulate);
  EXPECT_NE(kUsage.find("--hidden"), std::string_view::npos);
}

TEST(CommandLineTest, NothingMeansTheRealMouseAndTheExecutablesFolder) {
  const auto parsed = ParseCommandLine({});
  ASSERT_TRUE(parsed.line);
  EXPECT_FALSE(parsed.line->emulate);
  EXPECT_FALSE(parsed.line->hidden);
  EXPECT_TRUE(parsed.line->home.empty());
  EXPECT_TRUE(parsed.line->screenshot.empty());
}

TEST(CommandLineTest, HelpAndVersionAreAnswers) {
  const auto help = ParseCommandLine({"--emulate", "--help"});
  ASSERT_TRUE(help.line) << help.error;
  EXPECT_TRUE(help.line->help);
  const auto version = ParseCommandLine({"--version"});
  ASSERT_TRUE(version.line) << version.error;
  EXPECT_TRUE(version.line->version);
}

TEST(CommandLineTest, RefusesWhatItCannotCarryOut) {
  const std::vector<std::vector<std::string>> refused = {
      {"--home"},
      {"--home", ""},
      {"--screenshot", ""},
      {"--screenshot"},
      {"--frobnicate"},
      {"--open", "cpi"},
      {"--screenshot", "a.png", "--open", "nonsense"},
      {"--screenshot", "a.png", "--open", "list0"},
      {"--screenshot", "a.png", "--open", "list9"},
      {"--screenshot", "a.png", "--open", "list10"},
  };
  for (const auto& arguments : refused) {
    const auto parsed = ParseCommandLine(arguments);
    EXPECT_FALSE(parsed.line) << arguments.front();
    EXPECT_FALSE(parsed.error.empty());
  }
}

}  // namespace
}  // namespace korvane

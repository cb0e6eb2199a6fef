#include "macro/macro_recorder.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

using Outcome = MacroRecorder::KeyOutcome;

class MacroRecorderTest : public ::testing::Test {
 protected:
  Outcome Press(const char* key, bool repeat = false) {
    return recorder.OnKey(key, false, repeat, tick += 100, delays, lines);
  }
  Outcome Release(const char* key) { return recorder.OnKey(key, true, true, tick += 100, delays, lines); }

  MacroRecorder recorder;
  std::vector<std::string> lines{"old line"};
  std::uint32_t tick = 1000;
  bool delays = true;
};

TEST_F(MacroRecorderTest, DelaysGoBetweenEventsNotBeforeTheFirst) {
  recorder.Start(lines);
  EXPECT_TRUE(lines.empty());
  Press("A");
  Release("A");
  tick += 1234;
  Press("B");
  Release("B");
  EXPECT_EQ(lines, (std::vector<std::string>{"A   Dn", "100 ms", "A   Up", "1334 ms", "B   Dn", "100 ms",
                                             "B   Up"}));
}

TEST_F(MacroRecorderTest, WithoutDelaysOnlyKeyLines) {
  delays = false;
  recorder.Start(lines);
  Press("A");
  Release("A");
  delays = true;  // read at every event
  Press("B");
  EXPECT_EQ(lines, (std::vector<std::string>{"A   Dn", "A   Up", "100 ms", "B   Dn"}));
}

TEST_F(MacroRecorderTest, AutoRepeatOfTheLastKeyMakesOnePress) {
  recorder.Start(lines);
  EXPECT_EQ(Press("Right Ctrl"), Outcome::Recorded);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(Press("Right Ctrl", true), Outcome::Filtered);
  Release("Right Ctrl");
  Press("Right Ctrl");  // pressed again after its release: a new press
  EXPECT_EQ(lines, (std::vector<std::string>{"Right Ctrl   Dn", "2100 ms", "Right Ctrl   Up", "100 ms",
                                             "Right Ctrl   Dn"}));
}

TEST_F(MacroRecorderTest, KeyHeldAtTheStartGivesAReleaseFirst) {
  recorder.Start(lines);
  Release("Shift");
  EXPECT_EQ(lines, std::vector<std::string>{"Shift   Up"});
  EXPECT_EQ(recorder.phase(), MacroRecorder::Phase::Recording);
}

TEST_F(MacroRecorderTest, SixtyFifthEventStopsTheRecording) {
  recorder.Start(lines);
  for (int i = 0; i < 32; ++i) {
    ASSERT_EQ(Press(i % 2 ? "A" : "B"), Outcome::Recorded);
    ASSERT_EQ(Release(i % 2 ? "A" : "B"), Outcome::Recorded);
  }
  EXPECT_EQ(Press("C"), Outcome::LimitReached);
  EXPECT_FALSE(recorder.active());
  EXPECT_EQ(recorder.phase(), MacroRecorder::Phase::Stopped);
  EXPECT_EQ(lines.size(), 64u + 63u);
  EXPECT_EQ(lines.back(), "A   Up");
  EXPECT_EQ(Press("D"), Outcome::NotRecording);
}

TEST_F(MacroRecorderTest, StopReportsWhetherARecordingRan) {
  EXPECT_EQ(recorder.phase(), MacroRecorder::Phase::Started);
  EXPECT_FALSE(recorder.Stop());
  recorder.Start(lines);
  EXPECT_TRUE(recorder.active());
  EXPECT_TRUE(recorder.Stop());
  EXPECT_EQ(recorder.phase(), MacroRecorder::Phase::Stopped);
  recorder.Start(lines);
  Press("A");
  recorder.Abandon();
  EXPECT_FALSE(recorder.active());
  EXPECT_EQ(Press("B"), Outcome::NotRecording);
}

TEST_F(MacroRecorderTest, TickWrapAndLongNames) {
  tick = 0xFFFFFFF0u;
  recorder.Start(lines);
  Press(std::string(40, 'k').c_str());
  Press("A");
  EXPECT_EQ(lines, (std::vector<std::string>{std::string(31, 'k') + "   Dn", "100 ms", "A   Dn"}));
}

}  // namespace
}  // namespace korvane

#include "macro/macro_recorder.h"

#include <gtest/gtest.h>

#include "keys/keysym_names.h"

namespace korvane {
namespace {

using Outcome = MacroRecorder::KeyOutcome;
using Lines = std::vector<std::string>;

class MacroRecorderTest : public ::testing::Test {
 protected:
  // Each event 100 ms after the one before, unless it repeats the last time (X11's auto-repeat pairs).
  Outcome Press(const std::string& key) { return recorder.OnKey(key, false, tick += 100, delays, lines); }
  Outcome Release(const std::string& key) { return recorder.OnKey(key, true, tick += 100, delays, lines); }
  Outcome PressAtTheSameTime(const std::string& key) { return recorder.OnKey(key, false, tick, delays, lines); }
  // X11's auto-repeat of a held key: a release and a press with one time.
  void RepeatPair(const std::string& key) {
    EXPECT_EQ(Release(key), Outcome::Held);
    EXPECT_EQ(PressAtTheSameTime(key), Outcome::Filtered);
  }
  bool Stop() { return recorder.Stop(delays, lines); }

  MacroRecorder recorder;
  Lines lines{"old line"};
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
  Stop();
  EXPECT_EQ(lines, (Lines{"A   Dn", "100 ms", "A   Up", "1334 ms", "B   Dn", "100 ms", "B   Up"}));
}

TEST_F(MacroRecorderTest, WithoutDelaysOnlyKeyLines) {
  delays = false;
  recorder.Start(lines);
  Press("A");
  Release("A");
  recorder.Settle(delays, lines);
  delays = true;  // read at every event
  Press("B");
  EXPECT_EQ(lines, (Lines{"A   Dn", "A   Up", "100 ms", "B   Dn"}));
}

TEST_F(MacroRecorderTest, AHeldKeyRepeatingItsPressAloneMakesOnePressAndOneRelease) {
  recorder.Start(lines);
  EXPECT_EQ(Press("Right Ctrl"), Outcome::Recorded);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(Press("Right Ctrl"), Outcome::Filtered);
  EXPECT_EQ(Release("Right Ctrl"), Outcome::Held);
  EXPECT_EQ(Press("Right Ctrl"), Outcome::Recorded);  // pressed again later: the release was real
  EXPECT_EQ(lines, (Lines{"Right Ctrl   Dn", "2100 ms", "Right Ctrl   Up", "100 ms", "Right Ctrl   Dn"}));
}

TEST_F(MacroRecorderTest, AHeldKeyRepeatingAsX11PairsMakesOnePressAndOneRelease) {
  recorder.Start(lines);
  Press("A");  // 1100
  tick += 400;
  for (int i = 0; i < 40; ++i) RepeatPair("A");  // 1600 ... 5500
  EXPECT_EQ(lines, (Lines{"A   Dn"}));
  EXPECT_EQ(Release("A"), Outcome::Held);  // 5600: the key goes up
  EXPECT_TRUE(recorder.holdsRelease());
  EXPECT_EQ(recorder.Settle(delays, lines), Outcome::Recorded);  // no press came with its time
  EXPECT_FALSE(recorder.holdsRelease());
  EXPECT_EQ(lines, (Lines{"A   Dn", "4500 ms", "A   Up"}));
  EXPECT_EQ(recorder.Settle(delays, lines), Outcome::Filtered);  // nothing held any more
}

TEST_F(MacroRecorderTest, PairsAndLonePressesMixedStillMakeOnePress) {
  delays = false;
  recorder.Start(lines);
  Press("A");
  RepeatPair("A");
  Press("A");
  RepeatPair("A");
  Release("A");
  Press("B");  // the next event decides the held release
  EXPECT_EQ(lines, (Lines{"A   Dn", "A   Up", "B   Dn"}));
}

TEST_F(MacroRecorderTest, AQuickRealRepressWithAnotherTimeIsRecorded) {
  delays = false;
  recorder.Start(lines);
  Press("A");
  Release("A");
  tick += 1;  // 1 ms later: a person can't, but a different time is a different event
  EXPECT_EQ(recorder.OnKey("A", false, tick, delays, lines), Outcome::Recorded);
  EXPECT_EQ(lines, (Lines{"A   Dn", "A   Up", "A   Dn"}));
}

TEST_F(MacroRecorderTest, AnotherKeyWithTheSameTimeDecidesTheReleaseAsReal) {
  delays = false;
  recorder.Start(lines);
  Press("A");
  Release("A");
  EXPECT_EQ(PressAtTheSameTime("B"), Outcome::Recorded);
  EXPECT_EQ(lines, (Lines{"A   Dn", "A   Up", "B   Dn"}));
  // A release decided by another key's release at the same time: recorded, the second held in turn.
  Press("C");
  EXPECT_EQ(Release("B"), Outcome::Held);
  EXPECT_EQ(recorder.OnKey("C", true, tick, delays, lines), Outcome::Recorded);
  EXPECT_TRUE(recorder.holdsRelease());
  EXPECT_EQ(lines, (Lines{"A   Dn", "A   Up", "B   Dn", "C   Dn", "B   Up"}));
  Stop();
  EXPECT_EQ(lines.back(), "C   Up");
}

TEST_F(MacroRecorderTest, OverlappingKeysKeepTheirOrder) {
  delays = false;
  recorder.Start(lines);
  Press("Shift");
  Press("A");
  RepeatPair("A");
  Press("Shift");  // a repeat of the other held key
  Release("A");
  Release("Shift");
  Stop();
  EXPECT_EQ(lines, (Lines{"Shift   Dn", "A   Dn", "A   Up", "Shift   Up"}));
}

TEST_F(MacroRecorderTest, KeyHeldAtTheStartGivesAReleaseFirst) {
  recorder.Start(lines);
  EXPECT_EQ(Release("Shift"), Outcome::Held);
  EXPECT_EQ(recorder.phase(), MacroRecorder::Phase::Started);  // nothing recorded yet
  EXPECT_EQ(recorder.Settle(delays, lines), Outcome::Recorded);
  EXPECT_EQ(lines, Lines{"Shift   Up"});
  EXPECT_EQ(recorder.phase(), MacroRecorder::Phase::Recording);
  EXPECT_EQ(Release("Shift"), Outcome::Filtered);  // released again without a press: no event
  EXPECT_FALSE(recorder.holdsRelease());
}

TEST_F(MacroRecorderTest, AKeyHeldAtTheStartAndRepeatingGivesOnlyItsRelease) {
  delays = false;
  recorder.Start(lines);
  RepeatPair("A");
  RepeatPair("A");
  Release("A");
  Stop();
  EXPECT_EQ(lines, Lines{"A   Up"});
}

TEST_F(MacroRecorderTest, SixtyFifthEventStopsTheRecording) {
  recorder.Start(lines);
  for (int i = 0; i < 32; ++i) {
    ASSERT_EQ(Press(i % 2 ? "A" : "B"), Outcome::Recorded);
    ASSERT_EQ(Release(i % 2 ? "A" : "B"), Outcome::Held);
  }
  EXPECT_EQ(Press("C"), Outcome::LimitReached);  // A's release is the 64th event, C's press the 65th
  EXPECT_FALSE(recorder.active());
  EXPECT_FALSE(recorder.holdsRelease());
  EXPECT_EQ(recorder.phase(), MacroRecorder::Phase::Stopped);
  EXPECT_EQ(lines.size(), 64u + 63u);
  EXPECT_EQ(lines.back(), "A   Up");
  EXPECT_EQ(Press("D"), Outcome::NotRecording);
  EXPECT_EQ(recorder.Settle(delays, lines), Outcome::NotRecording);
}

TEST_F(MacroRecorderTest, RepeatsDoNotCountTowardsTheLimit) {
  delays = false;
  recorder.Start(lines);
  Press("A");
  for (int i = 0; i < 200; ++i) {
    RepeatPair("A");
    ASSERT_EQ(Press("A"), Outcome::Filtered);
  }
  Release("A");
  for (int i = 0; i < 31; ++i) {
    ASSERT_EQ(Press("B"), Outcome::Recorded);
    RepeatPair("B");
    Release("B");
  }
  EXPECT_TRUE(recorder.active());  // 63 events and a held release
  EXPECT_TRUE(Stop());
  EXPECT_EQ(lines.size(), 64u);
  EXPECT_EQ(lines.back(), "B   Up");
}

TEST_F(MacroRecorderTest, StopRecordsAHeldReleaseButNotPastTheLimit) {
  delays = false;
  recorder.Start(lines);
  for (int i = 0; i < 64; ++i) Press("K" + std::to_string(i));
  Release("K0");
  EXPECT_TRUE(Stop());  // the release would be the 65th event
  EXPECT_EQ(lines.size(), 64u);
  EXPECT_EQ(lines.back(), "K63   Dn");
  EXPECT_EQ(recorder.phase(), MacroRecorder::Phase::Stopped);
}

TEST_F(MacroRecorderTest, StopReportsWhetherARecordingRan) {
  EXPECT_EQ(recorder.phase(), MacroRecorder::Phase::Started);
  EXPECT_FALSE(Stop());
  recorder.Start(lines);
  EXPECT_TRUE(recorder.active());
  EXPECT_TRUE(Stop());
  EXPECT_EQ(recorder.phase(), MacroRecorder::Phase::Stopped);
  recorder.Start(lines);
  Press("A");
  Release("A");
  recorder.Abandon();
  EXPECT_FALSE(recorder.active());
  EXPECT_FALSE(recorder.holdsRelease());
  EXPECT_EQ(lines, Lines{"A   Dn"});  // abandoned: the held release is dropped
  EXPECT_EQ(Press("B"), Outcome::NotRecording);
}

TEST_F(MacroRecorderTest, ANewRecordingForgetsTheKeysOfTheLast) {
  delays = false;
  recorder.Start(lines);
  Press("A");  // still down when the recording stops
  Stop();
  recorder.Start(lines);
  EXPECT_EQ(Press("A"), Outcome::Recorded);
  EXPECT_EQ(lines, Lines{"A   Dn"});
}

TEST_F(MacroRecorderTest, TickWrapAndLongNames) {
  tick = 0xFFFFFFF0u;
  recorder.Start(lines);
  Press(std::string(40, 'k'));
  Press("A");
  EXPECT_EQ(lines, (Lines{std::string(31, 'k') + "   Dn", "100 ms", "A   Dn"}));
  // The cut name is the key: its repeats and release match it.
  EXPECT_EQ(Press(std::string(40, 'k')), Outcome::Filtered);
  Release(std::string(35, 'k'));
  Stop();
  EXPECT_EQ(lines.back(), std::string(31, 'k') + "   Up");
}

TEST_F(MacroRecorderTest, TheWindowsKeysAreRecordedUnderTheirTableNames) {
  delays = false;
  recorder.Start(lines);
  for (const std::uint32_t keysym : {0xFFEBu, 0xFFECu}) {  // Super_L, Super_R
    Press(KeyNameFromKeysym(keysym));
    Release(KeyNameFromKeysym(keysym));
  }
  Stop();
  EXPECT_EQ(lines, (Lines{"Left Windows   Dn", "Left Windows   Up", "Right Windows   Dn", "Right Windows   Up"}));
}

}  // namespace
}  // namespace korvane

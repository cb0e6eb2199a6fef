#include "app/macro_manager.h"

#include <gtest/gtest.h>

#include "config/ini_file.h"
#include "support/test_folder.h"
#include "ui/skin_inventory.h"

namespace korvane {
namespace {

using Lines = std::vector<std::string>;

class MacroManagerTest : public ::testing::Test {
 protected:
  MacroManagerModel Open() { return MacroManagerModel(folder.File("record.ini"), session, ""); }

  // A manager with one new macro holding the given event lines.
  MacroManagerModel WithEvents(const Lines& events) {
    MacroManagerModel model = Open();
    model.Press(20, 370);  // New
    model.store().eventList = events;
    model.store().SaveCurrentMacro();
    return model;
  }

  testing::TempFolder folder;
  MacroManagerSession session;
};

TEST_F(MacroManagerTest, AreasAreTestedInOrderAndOnlyAPressOutsideThemMovesTheWindow) {
  MacroManagerModel model = Open();
  EXPECT_EQ(model.Press(298, 394).reply, MacroManagerModel::Reply::kCloseWithOk);
  EXPECT_EQ(model.Press(407, 421).reply, MacroManagerModel::Reply::kCloseWithCancel);
  EXPECT_EQ(model.Press(427, 17).reply, MacroManagerModel::Reply::kCloseWithCancel);
  EXPECT_EQ(model.Press(200, 20).reply, MacroManagerModel::Reply::kMoveWindow);
  EXPECT_EQ(model.Press(370, 144).reply, MacroManagerModel::Reply::kNothing);
  EXPECT_TRUE(session.options.recordDelays);
  model.Press(20, 370);  // New, so that there is a macro to record into
  EXPECT_EQ(model.Press(295, 87).reply, MacroManagerModel::Reply::kNothing);
  EXPECT_TRUE(model.recording());
  model.Press(383, 110);
  EXPECT_FALSE(model.recording());
}

// Each button is drawn as a skin image that fills its click area, and every text lies on the background.
TEST(MacroManagerFacesTest, ButtonImagesFillTheirAreasAndTextsLieOnTheBackground) {
  const auto sizeIs = [](std::string_view image, const Rect& rect) {
    const std::optional<SkinSize> size = SkinImageSize(image);
    return size && size->width == rect.width() && size->height == rect.height();
  };
  for (const MacroButtonFace& face : kMacroButtonFaces) {
    EXPECT_TRUE(sizeIs(face.normal, AreaRect(face.area))) << face.normal;
    EXPECT_TRUE(sizeIs(face.over, AreaRect(face.area))) << face.over;
  }
  EXPECT_TRUE(sizeIs(kMacroRecordImage, AreaRect(MacroArea::kRecord)));
  EXPECT_TRUE(sizeIs(kMacroOptionImage, AreaRect(MacroArea::kDelaysOption)));
  EXPECT_TRUE(sizeIs(kMacroOptionTickedImage, AreaRect(MacroArea::kLoopOption)));

  const std::optional<SkinSize> background = SkinImageSize(kMacroBackground);
  ASSERT_TRUE(background);
  for (const Rect& text : {kMacroTitleText, kMacroListHeading, kEventListHeading, kRecordOptionHeading,
                           kDelaysOptionText, kLoopOptionText, kKeyboardHeldText}) {
    EXPECT_TRUE(text.left >= 0 && text.top >= 0 && text.right <= background->width &&
                text.bottom <= background->height)
        << text.left << "," << text.top;
  }
}

TEST_F(MacroManagerTest, ARecordingOfAAndBIsSavedAsTheMacroWhenItStops) {
  session.options.recordDelays = true;
  MacroManagerModel model = WithEvents({});
  model.Press(300, 90);
  model.OnKey("A", false, 1000);
  model.OnKey("A", true, 1030);  // X11's auto-repeat: a release and a press at the same time
  model.OnKey("A", false, 1030);
  model.OnKey("A", false, 1060);  // or a press alone
  model.OnKey("A", true, 1100);
  EXPECT_EQ(model.OnKey("B", false, 1250), MacroRecorder::KeyOutcome::Recorded);
  EXPECT_EQ(model.selectedEvent(), 4);  // the last line: "B   Dn"
  EXPECT_EQ(model.OnKey("B", true, 1300), MacroRecorder::KeyOutcome::Held);
  EXPECT_TRUE(model.HoldsRelease());
  model.Press(300, 90);  // Stop: the held release is a real one
  const Lines expected = {"A   Dn", "100 ms", "A   Up", "150 ms", "B   Dn", "50 ms", "B   Up"};
  EXPECT_EQ(model.store().eventList, expected);
  const IniDocument file = IniFile(folder.File("record.ini")).Load();
  EXPECT_EQ(file.Get("Macro_0", "Item0"), "A   Dn");
  EXPECT_EQ(file.Get("Macro_0", "Item6"), "B   Up");
}

TEST_F(MacroManagerTest, EscapeNeverClosesAndEnterIsOkOnlyOnceARecordingHasStopped) {
  using Key = MacroManagerModel::WindowKey;
  using Reply = MacroManagerModel::KeyReply;
  MacroManagerModel model = WithEvents({});
  EXPECT_EQ(model.OnWindowKey(Key::kEscape, true), Reply::kSwallow);
  EXPECT_EQ(model.OnWindowKey(Key::kEnter, true), Reply::kSwallow);  // no recording yet
  EXPECT_EQ(model.OnWindowKey(Key::kOther, true), Reply::kPassOn);
  model.Press(300, 90);
  model.OnKey("A", false, 1000);
  model.Press(300, 90);
  EXPECT_EQ(model.OnWindowKey(Key::kEnter, true), Reply::kOk);
  EXPECT_EQ(model.OnWindowKey(Key::kEnter, false), Reply::kPassOn);  // a control's own Enter
  EXPECT_EQ(model.OnWindowKey(Key::kEscape, true), Reply::kSwallow);
  // The recorder outlives the window: a stopped recording still frees Enter in the next one.
  EXPECT_EQ(Open().OnWindowKey(Key::kEnter, true), Reply::kOk);
}

TEST_F(MacroManagerTest, AReleaseNoEventFollowsIsSettledByTheWindowsWait) {
  session.options.recordDelays = false;
  MacroManagerModel model = WithEvents({});
  model.Press(300, 90);
  model.OnKey("Left Windows", false, 10);
  model.OnKey("Left Windows", true, 90);
  EXPECT_EQ(model.store().eventList, (Lines{"Left Windows   Dn"}));
  EXPECT_EQ(model.SettleKeys(), MacroRecorder::KeyOutcome::Recorded);
  EXPECT_FALSE(model.HoldsRelease());
  EXPECT_EQ(model.store().eventList, (Lines{"Left Windows   Dn", "Left Windows   Up"}));
  EXPECT_EQ(model.selectedEvent(), 1);
  EXPECT_EQ(model.SettleKeys(), MacroRecorder::KeyOutcome::Filtered);  // nothing held
}

TEST_F(MacroManagerTest, MouseButtonsAndDelaysAreInsertedByTheirRules) {
  MacroManagerModel model = WithEvents({"A   Dn", "A   Up", "B   Dn"});
  model.SelectEvent(1);
  model.RunEventCommand(EventCommand::kInsertLeftButton);
  EXPECT_EQ(model.store().eventList, (Lines{"A   Dn", "A   Up", "L-Button   Dn", "L-Button   Up", "B   Dn"}));
  EXPECT_EQ(model.selectedEvent(), 2);

  model.SelectEvent(2);
  model.RunEventCommand(EventCommand::kInsertDelay);
  EXPECT_EQ(model.store().eventList[2], "50 ms");
  const Lines withDelay = model.store().eventList;
  for (const int refused : {0, 2, 3}) {  // the first row, a delay line, the row under a delay line
    model.SelectEvent(refused);
    model.RunEventCommand(EventCommand::kInsertDelay);
    EXPECT_EQ(model.store().eventList, withDelay) << refused;
  }

  model.SelectEvent(0);
  model.RunEventCommand(EventCommand::kDelete);
  EXPECT_EQ(model.store().eventList.front(), "A   Up");
  EXPECT_EQ(IniFile(folder.File("record.ini")).Read("Macro_0", "Item0"), "A   Up");

  MacroManagerModel empty = WithEvents({});
  empty.RunEventCommand(EventCommand::kInsertRightButton);
  EXPECT_EQ(empty.store().eventList, (Lines{"R-Button   Dn", "R-Button   Up"}));
}

TEST_F(MacroManagerTest, DelayEditsFollowTheirRules) {
  MacroManagerModel model = WithEvents({"A   Dn", "120 ms", "A   Up"});
  EXPECT_FALSE(model.EventRowChosen(1));  // first choice arms
  EXPECT_TRUE(model.EventRowChosen(1));   // second opens the editor
  EXPECT_FALSE(model.EventRowChosen(0));  // not a delay line
  struct Row {
    const char* typed;
    const char* result;
  };
  const Row rows[] = {{"1 500 ms", "1500 ms"}, {"99999999 ms", "6553500 ms"}, {"12a ms", "6553500 ms"},
                      {"ms", "0 ms"},          {"300", "0 ms"},               {"00042ms", "42 ms"}};
  for (const Row& row : rows) {
    model.CommitDelay(1, row.typed);
    EXPECT_EQ(model.store().eventList[1], row.result) << row.typed;
  }
  EXPECT_EQ(IniFile(folder.File("record.ini")).Read("Macro_0", "Item1"), "42 ms");
}

TEST_F(MacroManagerTest, RefusedMacroNamesAreExplained) {
  MacroManagerModel model = WithEvents({"A   Dn"});
  model.Press(20, 370);  // Macro_1
  EXPECT_EQ(model.CommitMacroName(1, "macro_0"), "There is already a macro named \"Macro_0\".");
  EXPECT_EQ(model.CommitMacroName(1, " x"), "A macro name cannot begin or end with a space.");
  EXPECT_EQ(model.CommitMacroName(1, "Jump"), "");
  EXPECT_EQ(model.store().macroList, (Lines{"Macro_0", "Jump"}));
}

TEST_F(MacroManagerTest, OkHandsOverTheCoreEncodingAndSaysWhatDidNotFit) {
  MacroManagerModel fits = WithEvents({"A   Dn", "A   Up"});
  EXPECT_EQ(fits.EncodeForOk().report, "");

  Lines longMacro;
  for (int i = 0; i < 40; ++i) {
    longMacro.push_back("A   Dn");
    longMacro.push_back("A   Up");
  }
  MacroManagerModel model = WithEvents(longMacro);
  const MacroManagerModel::Encoded encoded = model.EncodeForOk();
  EXPECT_EQ(encoded.pages, EncodeMacroPages(IniFile(folder.File("record.ini")).Load()).pages);
  EXPECT_EQ(encoded.report, "Macro \"Macro_1\" is too long for the mouse: its last 17 events are left out.\n");
}

}  // namespace
}  // namespace korvane

#include "macro/macro_store.h"

#include <gtest/gtest.h>

#include <chrono>

#include "support/test_folder.h"

namespace korvane {
namespace {

using testing::TempFolder;

std::string SectionText(const std::string& name, int loopTimes, std::vector<std::string> items) {
  std::string text = "[" + name + "]\r\nDelayTimeSelStatus=1\r\nLoopTimeSelStatus=1\r\nMacroLoopTimes=" +
                     std::to_string(loopTimes) + "\r\nItemCount=" + std::to_string(items.size()) + "\r\n";
  for (std::size_t i = 0; i < items.size(); ++i) text += "Item" + std::to_string(i) + "=" + items[i] + "\r\n";
  return text;
}

class MacroStoreTest : public ::testing::Test {
 protected:
  MacroStore Store() { return MacroStore(folder.File("record.ini"), options); }
  IniDocument File() const { return IniDocument::Parse(folder.ReadText("record.ini")); }
  void WriteThree() {
    folder.WriteText("record.ini", SectionText("first", 1, {"A   Dn"}) +
                                       SectionText("second", 2, {"B   Dn"}) +
                                       SectionText("third", 3, {"C   Dn"}));
  }

  TempFolder folder;
  MacroOptions options;
};

TEST_F(MacroStoreTest, SaveMovesTheMacroSectionToTheEndAndShiftsThePages) {
  WriteThree();
  MacroStore store = Store();
  store.LoadMacroList();
  ASSERT_EQ(store.macroList, (std::vector<std::string>{"first", "second", "third"}));
  ASSERT_EQ(store.selectedMacro, 0);
  ASSERT_TRUE(store.SaveCurrentMacro());

  EXPECT_EQ(File().SectionNames(), (std::vector<std::string>{"second", "third", "first"}));
  const MacroEncoding encoding = store.EncodeMacroPages();
  EXPECT_EQ(encoding.pages[0][1], 2);  // the former second macro is now on page 1
  EXPECT_EQ(encoding.pages[2][3], 0x04);
  EXPECT_EQ(store.macroPageImage, encoding.pages);
}

TEST_F(MacroStoreTest, SaveWritesTheSectionKeysInOrder) {
  WriteThree();
  MacroStore store = Store();
  store.LoadMacroList();
  store.SelectMacro(1);
  store.eventList = {"B   Dn", "120 ms", "B   Up"};
  options.recordDelays = false;
  store.loopCountText = "9";
  ASSERT_TRUE(store.SaveCurrentMacro());
  EXPECT_EQ(File().Entries("second"), (std::vector<IniDocument::Entry>{{"DelayTimeSelStatus", "0"},
                                                                       {"LoopTimeSelStatus", "1"},
                                                                       {"MacroLoopTimes", "9"},
                                                                       {"ItemCount", "3"},
                                                                       {"Item0", "B   Dn"},
                                                                       {"Item1", "120 ms"},
                                                                       {"Item2", "B   Up"}}));
}

TEST_F(MacroStoreTest, MissingFileShowsNothingUntilTheFirstNewMacro) {
  MacroStore store = Store();
  store.LoadMacroList();
  EXPECT_TRUE(store.macroList.empty());
  store.macroPageImage[0][0] = 0x77;
  EXPECT_EQ(store.EncodeMacroPages().pages[0][0], 0x77);  // nothing to encode: the image stays

  ASSERT_TRUE(store.NewMacro("EN"));
  EXPECT_EQ(store.macroList, std::vector<std::string>{"Macro_0"});
  EXPECT_EQ(File().Entries("Macro_0"), (std::vector<IniDocument::Entry>{{"MacroLoopTimes", "1"}}));
}

TEST_F(MacroStoreTest, NewMacroNamesFollowTheLastRow) {
  MacroStore store = Store();
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(store.NewMacro("EN"));
  EXPECT_EQ(store.macroList.back(), "Macro_3");
  ASSERT_TRUE(store.RenameMacro(3, "Sprint"));
  ASSERT_TRUE(store.NewMacro("EN"));  // no "_" in the last row: the row count
  EXPECT_EQ(store.macroList.back(), "Macro_4");
  ASSERT_TRUE(store.NewMacro("CHS"));
  EXPECT_EQ(store.macroList.back(), "宏_5");
  EXPECT_EQ(store.selectedMacro, 5);
}

TEST_F(MacroStoreTest, NewMacroSkipsANameInUse) {
  folder.WriteText("record.ini", SectionText("Macro_2", 1, {}) + SectionText("Keys_1", 1, {}));
  MacroStore store = Store();
  store.LoadMacroList();
  ASSERT_TRUE(store.NewMacro("EN"));  // the rule gives Macro_2, which exists
  EXPECT_EQ(store.macroList.back(), "Macro_3");
  EXPECT_EQ(File().SectionNames().size(), 3u);
}

TEST_F(MacroStoreTest, ThirteenthMacroIsRefused) {
  MacroStore store = Store();
  for (int i = 0; i < 12; ++i) ASSERT_TRUE(store.NewMacro("EN"));
  const Status status = store.NewMacro("CHT");
  EXPECT_FALSE(status);
  EXPECT_EQ(status.message(), "最多可以新建12個巨集。");
  EXPECT_EQ(store.macroList.size(), 12u);
}

TEST_F(MacroStoreTest, RenameKeepsTheContentAndMovesItToTheEnd) {
  WriteThree();
  MacroStore store = Store();
  store.LoadMacroList();
  ASSERT_TRUE(store.RenameMacro(1, "Second"));  // a change of case is no clash with itself
  ASSERT_TRUE(store.RenameMacro(1, "Dash"));
  EXPECT_EQ(store.selectedMacro, 1);
  EXPECT_EQ(store.macroList, (std::vector<std::string>{"first", "Dash", "third"}));
  EXPECT_EQ(File().SectionNames(), (std::vector<std::string>{"first", "third", "Dash"}));
  EXPECT_EQ(File().Get("Dash", "Item0"), "B   Dn");
  EXPECT_EQ(File().Get("Dash", "MacroLoopTimes"), "2");
}

TEST_F(MacroStoreTest, RefusedNamesChangeNothing) {
  WriteThree();
  const std::string before = folder.ReadText("record.ini");
  MacroStore store = Store();
  store.LoadMacroList();
  const std::string longName(32, 'n');
  for (const std::string& name : {std::string(), std::string("   "), std::string(" pad"), std::string("pad "),
                                  std::string("THIRD"), std::string("a]b"), std::string("a\nb"), longName}) {
    EXPECT_FALSE(store.RenameMacro(0, name)) << name;
  }
  EXPECT_TRUE(store.CheckMacroName(0, std::string(31, 'n')));
  EXPECT_EQ(store.macroList, (std::vector<std::string>{"first", "second", "third"}));
  EXPECT_EQ(folder.ReadText("record.ini"), before);
}

TEST_F(MacroStoreTest, NamesMustFitTheNameList) {
  MacroStore store = Store();
  for (int i = 0; i < 8; ++i) {
    ASSERT_TRUE(store.NewMacro("EN"));
    ASSERT_TRUE(store.RenameMacro(i, std::string(30, char('a' + i)))) << i;  // 31 characters each
  }
  // Eight names take 248 of the 255 characters; a ninth "Macro_8" needs eight more.
  const Status status = store.NewMacro("EN");
  EXPECT_FALSE(status);
  EXPECT_NE(status.message().find("255"), std::string::npos);
  EXPECT_TRUE(store.RenameMacro(7, "short"));
  EXPECT_TRUE(store.NewMacro("EN"));
  EXPECT_EQ(MacroNames(File()).size(), 9u);
}

TEST_F(MacroStoreTest, DeleteRemovesRowAndSection) {
  WriteThree();
  MacroStore store = Store();
  store.LoadMacroList();
  store.SelectMacro(1);
  ASSERT_TRUE(store.DeleteMacro());
  EXPECT_EQ(store.macroList, (std::vector<std::string>{"first", "third"}));
  EXPECT_EQ(store.selectedMacro, -1);
  EXPECT_TRUE(store.eventList.empty());
  EXPECT_EQ(File().SectionNames(), (std::vector<std::string>{"first", "third"}));
}

TEST_F(MacroStoreTest, SelectingKeepsOptionsThatAreNeitherZeroNorOne) {
  folder.WriteText("record.ini",
                   "[a]\r\nDelayTimeSelStatus=1\r\nLoopTimeSelStatus=0\r\nMacroLoopTimes=70000\r\n"
                   "[b]\r\nDelayTimeSelStatus=2\r\nLoopTimeSelStatus=1\r\nMacroLoopTimes=4\r\n");
  MacroStore store = Store();
  store.LoadMacroList();
  EXPECT_TRUE(options.recordDelays);
  EXPECT_FALSE(options.loopEnabled);
  EXPECT_EQ(store.loopCountText, "1");  // 70000 is out of range
  store.SelectMacro(1);
  EXPECT_TRUE(options.recordDelays);
  EXPECT_TRUE(options.loopEnabled);
  EXPECT_EQ(store.loopCountText, "4");
}

TEST_F(MacroStoreTest, LoopCountWritesTheFileAndThePageBytes) {
  WriteThree();
  MacroStore store = Store();
  store.LoadMacroList();
  store.SelectMacro(2);
  ASSERT_TRUE(store.SetLoopCount("300"));
  EXPECT_EQ(store.macroPageImage[2][0], 0x01);
  EXPECT_EQ(store.macroPageImage[2][1], 0x2C);
  EXPECT_EQ(File().Get("third", "MacroLoopTimes"), "300");
  ASSERT_TRUE(store.SetLoopCount("0"));
  EXPECT_EQ(store.loopCountText, "1");
  EXPECT_EQ(File().SectionNames().back(), "third");  // a loop count change does not move the section
}

TEST_F(MacroStoreTest, LargeDamagedFileLoadsQuickly) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += "[S" + std::to_string(i) + "]\r\nItemCount=999999999\r\n";
  text += "[Long]\r\nItem0=" + std::string(1 << 20, 'x') + "\r\n";
  folder.WriteText("record.ini", text);
  MacroStore store = Store();
  const auto start = std::chrono::steady_clock::now();
  store.LoadMacroList();
  const MacroEncoding encoding = store.EncodeMacroPages();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(store.macroList.size(), 66u);  // "S0".."S9" take 3 characters each, then 4: 30 + 56 * 4
  EXPECT_EQ(encoding.droppedMacros, 54);
  EXPECT_EQ(store.eventList.size(), 1u);  // the count is held to the section's lines
}

TEST_F(MacroStoreTest, UnreadableFileIsNotOverwritten) {
  // Larger than the program reads: the store must refuse to write rather than replace it.
  folder.WriteText("record.ini", SectionText("a", 1, {}));
  const std::uintmax_t size = (64u << 20) + 1;
  std::filesystem::resize_file(folder.File("record.ini"), size);
  MacroStore store = Store();
  store.macroList = {"a"};
  store.selectedMacro = 0;
  EXPECT_FALSE(store.SaveCurrentMacro());
  EXPECT_FALSE(store.DeleteMacro());
  EXPECT_EQ(std::filesystem::file_size(folder.File("record.ini")), size);
}

}  // namespace
}  // namespace korvane

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "config/ini_file.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

using ::testing::ElementsAre;

TEST(IniDocumentTest, MissingSectionOrKeyReadsEmpty) {
  const IniDocument document = IniDocument::Parse("[A]\nx=1\n");
  EXPECT_EQ(document.Get("A", "x"), "1");
  EXPECT_EQ(document.Get("A", "y"), "");
  EXPECT_EQ(document.Get("B", "x"), "");
}

TEST(IniDocumentTest, NamesMatchWithoutRegardToCase) {
  IniDocument document = IniDocument::Parse("[Setting-EN]\r\nItem1 = Click \r\n");
  EXPECT_EQ(document.Get("setting-en", "ITEM1"), "Click");
  document.Set("SETTING-EN", "item1", "Menu");
  EXPECT_EQ(document.Serialize(), "[Setting-EN]\r\nItem1=Menu\r\n");
}

TEST(IniDocumentTest, WritingCreatesTheSectionAtTheEnd) {
  IniDocument document = IniDocument::Parse("[B]\nk=1\n[A]\nk=2\n");
  document.Set("C", "k", "3");
  document.Set("B", "j", "4");
  EXPECT_THAT(document.SectionNames(), ElementsAre("B", "A", "C"));
  EXPECT_EQ(document.Serialize(), "[B]\r\nk=1\r\nj=4\r\n[A]\r\nk=2\r\n[C]\r\nk=3\r\n");
}

TEST(IniDocumentTest, ARewrittenSectionMovesToTheEnd) {
  IniDocument document = IniDocument::Parse("[M1]\nItemCount=0\n[M2]\nItemCount=0\n[M3]\nItemCount=0\n");
  document.DeleteSection("M1");
  document.Set("M1", "ItemCount", "2");
  EXPECT_THAT(document.SectionNames(), ElementsAre("M2", "M3", "M1"));
}

TEST(IniDocumentTest, ValuesKeepInnerBlanksAndEntriesKeepOrder) {
  const IniDocument document = IniDocument::Parse("[Macro_1]\nItem0=A   Dn\nItem1=95 ms\nItem2=A   Up\n");
  EXPECT_THAT(document.Entries("Macro_1"),
              ElementsAre(IniDocument::Entry{"Item0", "A   Dn"}, IniDocument::Entry{"Item1", "95 ms"},
                          IniDocument::Entry{"Item2", "A   Up"}));
}

TEST(IniDocumentTest, LinesOutsideSectionsAndCommentsAreIgnored) {
  const IniDocument document = IniDocument::Parse("stray=1\n; note\n[A]\nnot a pair\nk=v\n");
  EXPECT_THAT(document.SectionNames(), ElementsAre("A"));
  EXPECT_THAT(document.Entries("A"), ElementsAre(IniDocument::Entry{"k", "v"}));
}

TEST(IniDocumentTest, ReadsUtf16LittleEndianWithBom) {
  // "[Setting-CHS]\r\nItem1=左键\r\n" in UTF-16LE with BOM; 左 = U+5DE6, 键 = U+952E.
  std::u16string text = u"[Setting-CHS]\r\nItem1=\u5DE6\u952E\r\n";
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  EXPECT_EQ(IniDocument::Parse(bytes).Get("Setting-CHS", "Item1"), "\xE5\xB7\xA6\xE9\x94\xAE");
}

TEST(IniDocumentTest, ReadsUtf8WithAndWithoutBom) {
  EXPECT_EQ(IniDocument::Parse("\xEF\xBB\xBF[S]\nk=\xE5\xB7\xA6\n").Get("S", "k"), "\xE5\xB7\xA6");
  EXPECT_EQ(IniDocument::Parse("[S]\nk=\xE5\xB7\xA6\n").Get("S", "k"), "\xE5\xB7\xA6");
}

TEST(IniFileTest, WriteCreatesTheFileAndKeepsOtherSections) {
  testing::TempFolder folder;
  const IniFile file(folder.File("str0.ini"));
  EXPECT_FALSE(file.Exists());
  EXPECT_EQ(file.Read("Skins", "Lan"), "");
  ASSERT_TRUE(file.Write("Skins", "Lan", "CHS"));
  ASSERT_TRUE(file.Write("Setting-EN", "Item1", "Click"));
  EXPECT_TRUE(file.Exists());
  EXPECT_EQ(IniFile(folder.File("str0.ini")).Read("skins", "lan"), "CHS");
  EXPECT_THAT(file.SectionNames(), ElementsAre("Skins", "Setting-EN"));
  ASSERT_TRUE(file.DeleteSection("Skins"));
  EXPECT_THAT(file.SectionNames(), ElementsAre("Setting-EN"));
}

TEST(IniFileTest, AFailedWriteLeavesTheOldFileIntact) {
  if (!testing::FileSizeLimit::Supported()) GTEST_SKIP() << "no file size limit on this system";
  testing::TempFolder folder;
  const IniFile file(folder.File("str0.ini"));
  ASSERT_TRUE(file.Write("Setting-EN", "Item1", "Click"));
  const std::string before = folder.ReadText("str0.ini");
  {
    testing::FileSizeLimit limit(8);
    EXPECT_FALSE(file.Write("Setting-EN", "Item1", "A label long enough to pass the limit"));
  }
  EXPECT_EQ(folder.ReadText("str0.ini"), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "no temporary left";
}

}  // namespace
}  // namespace korvane

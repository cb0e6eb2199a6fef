#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "config/ini_file.h"
#include "support/test_folder.h"

namespace korvane {
namespace {

using ::testing::ElementsAre;
using Encoding = IniDocument::Encoding;

// One text in the two forms the tests write files in: UTF-8, and UTF-16 for the UTF-16 files. The
// compiler encodes both from the same literal, so the tests do not lean on the converter they check.
struct Text {
  std::string utf8;
  std::u16string utf16;
};

std::string Utf8Of(std::u8string_view text) { return std::string(text.begin(), text.end()); }

#define INI_TEXT(literal) \
  Text { Utf8Of(u8##literal), u##literal }

// The text with every "\n" replaced by the given line end.
Text WithLineEnds(const Text& text, std::string_view end) {
  Text out;
  for (char c : text.utf8) {
    if (c == '\n') {
      out.utf8 += end;
    } else {
      out.utf8 += c;
    }
  }
  for (char16_t unit : text.utf16) {
    if (unit == u'\n') {
      out.utf16.append(end.begin(), end.end());
    } else {
      out.utf16 += unit;
    }
  }
  return out;
}

std::string Utf16Bytes(std::u16string_view text, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
  }
  return out;
}

// The file's bytes: the text in the encoding, with its byte-order mark.
std::string Encoded(const Text& text, Encoding encoding) {
  switch (encoding) {
    case Encoding::kUtf8: return text.utf8;
    case Encoding::kUtf8Bom: return "\xEF\xBB\xBF" + text.utf8;
    case Encoding::kUtf16Le: return Utf16Bytes(text.utf16, false);
    case Encoding::kUtf16Be: return Utf16Bytes(text.utf16, true);
  }
  return {};
}

// A label file as people edit them: a comment and a stray line before the first section, comments and
// blank lines inside sections, blanks around "=", a line without "=", a key nobody reads, a section
// nobody reads, text outside the BMP (a surrogate pair in UTF-16).
const Text kLabelFile = INI_TEXT(
    "; Korvane labels\n"
    "stray line before any section\n"
    "\n"
    "[Skins]\n"
    "Lan=CHS\n"
    "; the colour\n"
    "  RColor = 255 \n"
    "\n"
    "[Setting-CHS]\n"
    "Item1=左键\n"
    "Item2=右键 😀\n"
    "not a pair\n"
    "Unknown Key = x=y\n"
    "\n"
    "; trailing comment\n"
    "[Unknown]\n"
    "whatever=1\n");

// kLabelFile after Set("setting-chs", "ITEM2", "中键"), Set("skins", "gcolor", "128"),
// Set("Setting-CHS", "Item3", "滚轮") and Set("New", "k", "v").
const Text kLabelFileAfterSet = INI_TEXT(
    "; Korvane labels\n"
    "stray line before any section\n"
    "\n"
    "[Skins]\n"
    "Lan=CHS\n"
    "; the colour\n"
    "  RColor = 255 \n"
    "gcolor=128\n"
    "\n"
    "[Setting-CHS]\n"
    "Item1=左键\n"
    "Item2=中键\n"
    "not a pair\n"
    "Unknown Key = x=y\n"
    "Item3=滚轮\n"
    "\n"
    "; trailing comment\n"
    "[Unknown]\n"
    "whatever=1\n"
    "[New]\n"
    "k=v\n");

// --- Reading: the Windows profile-function semantics ---------------------------------------------------

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
  EXPECT_EQ(document.Get("setting-en", "ITEM1"), "Menu");
  // The line keeps the key as the file spells it, and the blanks around "=".
  EXPECT_EQ(document.Serialize(), "[Setting-EN]\r\nItem1 = Menu\r\n");
}

TEST(IniDocumentTest, TheFirstMatchingSectionAndKeyAreRead) {
  IniDocument document = IniDocument::Parse("[A]\nk=1\nK=2\n[a]\nk=3\nj=4\n");
  EXPECT_EQ(document.Get("A", "k"), "1");
  EXPECT_EQ(document.Get("A", "j"), "");
  document.Set("A", "K", "5");
  EXPECT_EQ(document.Serialize(), "[A]\nk=5\nK=2\n[a]\nk=3\nj=4\n");
}

TEST(IniDocumentTest, WritingCreatesTheSectionAtTheEnd) {
  IniDocument document = IniDocument::Parse("[B]\nk=1\n[A]\nk=2\n");
  document.Set("C", "k", "3");
  document.Set("B", "j", "4");
  EXPECT_THAT(document.SectionNames(), ElementsAre("B", "A", "C"));
  EXPECT_EQ(document.Serialize(), "[B]\nk=1\nj=4\n[A]\nk=2\n[C]\nk=3\n");
}

TEST(IniDocumentTest, ARewrittenSectionMovesToTheEnd) {
  IniDocument document = IniDocument::Parse("[M1]\nItemCount=0\n[M2]\nItemCount=0\n[M3]\nItemCount=0\n");
  document.DeleteSection("M1");
  document.Set("M1", "ItemCount", "2");
  EXPECT_THAT(document.SectionNames(), ElementsAre("M2", "M3", "M1"));
  EXPECT_EQ(document.Serialize(), "[M2]\nItemCount=0\n[M3]\nItemCount=0\n[M1]\nItemCount=2\n");
}

TEST(IniDocumentTest, ValuesKeepInnerBlanksAndEntriesKeepOrder) {
  const IniDocument document = IniDocument::Parse("[Macro_1]\nItem0=A   Dn\nItem1=95 ms\nItem2=A   Up\n");
  EXPECT_THAT(document.Entries("Macro_1"),
              ElementsAre(IniDocument::Entry{"Item0", "A   Dn"}, IniDocument::Entry{"Item1", "95 ms"},
                          IniDocument::Entry{"Item2", "A   Up"}));
}

TEST(IniDocumentTest, LinesOutsideSectionsAndCommentsAreNotEntries) {
  const std::string text = "stray=1\n; note\n[A]\nnot a pair\n; k=comment\nk=v\n";
  const IniDocument document = IniDocument::Parse(text);
  EXPECT_THAT(document.SectionNames(), ElementsAre("A"));
  EXPECT_THAT(document.Entries("A"), ElementsAre(IniDocument::Entry{"k", "v"}));
  EXPECT_EQ(document.Get("A", "; k"), "");
  EXPECT_TRUE(document.HasSection("a"));
  EXPECT_FALSE(document.HasSection("stray"));
  EXPECT_EQ(document.Serialize(), text);
}

TEST(IniDocumentTest, ANewDocumentIsUtf8WithCrlf) {
  IniDocument document;
  EXPECT_EQ(document.encoding(), Encoding::kUtf8);
  EXPECT_EQ(document.lineEnd(), "\r\n");
  document.Set("S", "k", "v");
  EXPECT_EQ(document.Serialize(), "[S]\r\nk=v\r\n");
}

TEST(IniDocumentTest, AnEmptyFileWritesCrlf) {
  IniDocument document = IniDocument::Parse("");
  EXPECT_EQ(document.Serialize(), "");
  document.Set("S", "k", "v");
  EXPECT_EQ(document.Serialize(), "[S]\r\nk=v\r\n");

  // A file with a byte-order mark and nothing else keeps the mark and its encoding.
  IniDocument utf16 = IniDocument::Parse("\xFE\xFF");
  EXPECT_EQ(utf16.Serialize(), "\xFE\xFF");
  utf16.Set("S", "k", "v");
  EXPECT_EQ(utf16.Serialize(), Utf16Bytes(u"[S]\r\nk=v\r\n", true));
}

// --- Round trip: every encoding and line-end style -----------------------------------------------------

struct Style {
  Encoding encoding;
  std::string_view lineEnd;
};

std::string StyleName(const ::testing::TestParamInfo<Style>& info) {
  static constexpr std::string_view kEncodings[] = {"Utf8", "Utf8Bom", "Utf16Le", "Utf16Be"};
  const std::string_view end = info.param.lineEnd == "\r\n" ? "Crlf" : info.param.lineEnd == "\n" ? "Lf" : "Cr";
  return std::string(kEncodings[static_cast<int>(info.param.encoding)]) + std::string(end);
}

class IniRoundTripTest : public ::testing::TestWithParam<Style> {
 protected:
  std::string Bytes(const Text& text) const {
    return Encoded(WithLineEnds(text, GetParam().lineEnd), GetParam().encoding);
  }
};

INSTANTIATE_TEST_SUITE_P(AllStyles, IniRoundTripTest,
                         ::testing::Values(Style{Encoding::kUtf8, "\r\n"}, Style{Encoding::kUtf8, "\n"},
                                           Style{Encoding::kUtf8, "\r"}, Style{Encoding::kUtf8Bom, "\r\n"},
                                           Style{Encoding::kUtf8Bom, "\n"}, Style{Encoding::kUtf8Bom, "\r"},
                                           Style{Encoding::kUtf16Le, "\r\n"}, Style{Encoding::kUtf16Le, "\n"},
                                           Style{Encoding::kUtf16Le, "\r"}, Style{Encoding::kUtf16Be, "\r\n"},
                                           Style{Encoding::kUtf16Be, "\n"}, Style{Encoding::kUtf16Be, "\r"}),
                         StyleName);

TEST_P(IniRoundTripTest, AnUnchangedDocumentWritesTheBytesItWasParsedFrom) {
  const std::string bytes = Bytes(kLabelFile);
  const IniDocument document = IniDocument::Parse(bytes);
  EXPECT_EQ(document.encoding(), GetParam().encoding);
  EXPECT_EQ(document.lineEnd(), GetParam().lineEnd);
  EXPECT_EQ(document.Serialize(), bytes);
}

TEST_P(IniRoundTripTest, AFileWithoutAFinalLineEndWritesTheBytesItWasParsedFrom) {
  const std::string bytes = Bytes(INI_TEXT("[A]\nk=v\n; no line end after this"));
  EXPECT_EQ(IniDocument::Parse(bytes).Serialize(), bytes);
}

TEST_P(IniRoundTripTest, ReadsEveryKey) {
  const IniDocument document = IniDocument::Parse(Bytes(kLabelFile));
  EXPECT_THAT(document.SectionNames(), ElementsAre("Skins", "Setting-CHS", "Unknown"));
  EXPECT_THAT(document.Entries("Skins"), ElementsAre(IniDocument::Entry{"Lan", "CHS"},
                                                     IniDocument::Entry{"RColor", "255"}));
  EXPECT_EQ(document.Get("setting-chs", "item1"), Utf8Of(u8"左键"));
  EXPECT_EQ(document.Get("Setting-CHS", "Item2"), Utf8Of(u8"右键 😀"));
  EXPECT_EQ(document.Get("Setting-CHS", "Unknown Key"), "x=y");
  EXPECT_EQ(document.Get("Unknown", "whatever"), "1");
}

TEST_P(IniRoundTripTest, SetChangesOnlyTheLinesOfItsKeys) {
  IniDocument document = IniDocument::Parse(Bytes(kLabelFile));
  document.Set("setting-chs", "ITEM2", Utf8Of(u8"中键"));
  document.Set("skins", "gcolor", "128");
  document.Set("Setting-CHS", "Item3", Utf8Of(u8"滚轮"));
  document.Set("New", "k", "v");
  EXPECT_EQ(document.Serialize(), Bytes(kLabelFileAfterSet));
  EXPECT_EQ(IniDocument::Parse(document.Serialize()).Serialize(), Bytes(kLabelFileAfterSet));
}

TEST_P(IniRoundTripTest, DeleteSectionLeavesTheOtherLinesAlone) {
  IniDocument document = IniDocument::Parse(Bytes(kLabelFile));
  document.DeleteSection("setting-chs");
  EXPECT_EQ(document.Serialize(), Bytes(INI_TEXT(
                                      "; Korvane labels\n"
                                      "stray line before any section\n"
                                      "\n"
                                      "[Skins]\n"
                                      "Lan=CHS\n"
                                      "; the colour\n"
                                      "  RColor = 255 \n"
                                      "\n"
                                      "[Unknown]\n"
                                      "whatever=1\n")));
}

// --- Line ends ----------------------------------------------------------------------------------------

TEST(IniLineEndTest, ACrOnlyFileReadsEveryKey) {
  const std::string bytes =
      "; written by an old editor\r[Profile]\rCurProfileName=Office\rItemCount=3\rItem0=Office\r"
      "Item1=Game\rItem2=Draw\r\r[Other]\rk=v\r";
  IniDocument document = IniDocument::Parse(bytes);
  EXPECT_EQ(document.lineEnd(), "\r");
  EXPECT_THAT(document.SectionNames(), ElementsAre("Profile", "Other"));
  EXPECT_THAT(document.Entries("Profile"),
              ElementsAre(IniDocument::Entry{"CurProfileName", "Office"}, IniDocument::Entry{"ItemCount", "3"},
                          IniDocument::Entry{"Item0", "Office"}, IniDocument::Entry{"Item1", "Game"},
                          IniDocument::Entry{"Item2", "Draw"}));
  EXPECT_EQ(document.Get("Other", "k"), "v");

  document.Set("Profile", "CurProfileName", "Game");
  document.Set("Profile", "Item3", "Web");
  EXPECT_EQ(document.Serialize(),
            "; written by an old editor\r[Profile]\rCurProfileName=Game\rItemCount=3\rItem0=Office\r"
            "Item1=Game\rItem2=Draw\rItem3=Web\r\r[Other]\rk=v\r");
}

TEST(IniLineEndTest, EachLineKeepsItsOwnEndAndTheFirstSetsTheStyle) {
  // "\r\r\n" is a CR-only line end, then an empty line with CRLF.
  const std::string bytes = "[A]\nk=1\r\nj=2\r\r\n[B]\rx=1";
  IniDocument document = IniDocument::Parse(bytes);
  EXPECT_EQ(document.lineEnd(), "\n");
  EXPECT_THAT(document.Entries("A"), ElementsAre(IniDocument::Entry{"k", "1"}, IniDocument::Entry{"j", "2"}));
  EXPECT_EQ(document.Get("B", "x"), "1");
  EXPECT_EQ(document.Serialize(), bytes);

  document.Set("A", "i", "3");
  EXPECT_EQ(document.Serialize(), "[A]\nk=1\r\nj=2\ri=3\n\r\n[B]\rx=1");
}

TEST(IniLineEndTest, ALineAddedAfterTheLastLineGivesThatLineAnEnd) {
  IniDocument key = IniDocument::Parse("[A]\r\nk=1");
  key.Set("A", "j", "2");
  EXPECT_EQ(key.Serialize(), "[A]\r\nk=1\r\nj=2\r\n");

  IniDocument header = IniDocument::Parse("[A]\r\n[B]");
  header.Set("B", "j", "2");
  EXPECT_EQ(header.Serialize(), "[A]\r\n[B]\r\nj=2\r\n");

  IniDocument section = IniDocument::Parse("; only a comment");
  section.Set("A", "k", "1");
  EXPECT_EQ(section.Serialize(), "; only a comment\r\n[A]\r\nk=1\r\n");
}

// --- Set: where lines go and what they keep ------------------------------------------------------------

TEST(IniSetTest, AnExistingKeyKeepsItsSpellingAndTheBlanksBeforeItsValue) {
  IniDocument document = IniDocument::Parse("[A]\n  ITEM1 =\t Click  \nItem2=\n");
  document.Set("a", "item1", "Menu");
  document.Set("a", "item2", "Back");
  EXPECT_EQ(document.Serialize(), "[A]\n  ITEM1 =\t Menu\nItem2=Back\n");
  document.Set("a", "item1", "");
  EXPECT_EQ(document.Serialize(), "[A]\n  ITEM1 =\t \nItem2=Back\n");
  EXPECT_EQ(document.Get("A", "Item1"), "");
}

TEST(IniSetTest, ANewKeyFollowsTheLastKeyLineOfItsSection) {
  IniDocument document = IniDocument::Parse(
      "[A]\n; about A\nk=1\nnot a pair\nj=2\n\n; about B\n[B]\n; nothing but a comment\n\n[C]\n");
  document.Set("A", "i", "3");
  document.Set("B", "x", "1");
  document.Set("C", "y", "2");
  EXPECT_EQ(document.Serialize(),
            "[A]\n; about A\nk=1\nnot a pair\nj=2\ni=3\n\n; about B\n[B]\nx=1\n; nothing but a comment\n\n"
            "[C]\ny=2\n");
}

TEST(IniSetTest, AMissingSectionGoesAfterEverythingElse) {
  IniDocument document = IniDocument::Parse("[A]\nk=1\n\n; the end\n");
  document.Set("B", "k", "2");
  EXPECT_EQ(document.Serialize(), "[A]\nk=1\n\n; the end\n[B]\nk=2\n");
}

TEST(IniSetTest, DeleteThenSetPutsTheSectionAtTheEnd) {
  // What WriteProfileList does with [Profile].
  IniDocument document = IniDocument::Parse("; list\r\n[Profile]\r\nItemCount=1\r\nItem0=A\r\n[Keep]\r\nk=v\r\n");
  document.DeleteSection("profile");
  EXPECT_FALSE(document.HasSection("Profile"));
  EXPECT_EQ(document.Serialize(), "; list\r\n[Keep]\r\nk=v\r\n");
  document.Set("Profile", "ItemCount", "2");
  document.Set("Profile", "Item0", "A");
  EXPECT_THAT(document.SectionNames(), ElementsAre("Keep", "Profile"));
  EXPECT_EQ(document.Serialize(), "; list\r\n[Keep]\r\nk=v\r\n[Profile]\r\nItemCount=2\r\nItem0=A\r\n");
}

// --- Encodings ----------------------------------------------------------------------------------------

TEST(IniEncodingTest, ReadsUtf16LittleEndianWithBom) {
  // "[Setting-CHS]\r\nItem1=左键\r\n" in UTF-16LE with BOM; 左 = U+5DE6, 键 = U+952E.
  const std::string bytes = Utf16Bytes(u"[Setting-CHS]\r\nItem1=\u5DE6\u952E\r\n", false);
  EXPECT_EQ(IniDocument::Parse(bytes).Get("Setting-CHS", "Item1"), "\xE5\xB7\xA6\xE9\x94\xAE");
  EXPECT_EQ(IniDocument::Parse(bytes).encoding(), Encoding::kUtf16Le);
}

TEST(IniEncodingTest, ReadsUtf8WithAndWithoutBom) {
  EXPECT_EQ(IniDocument::Parse("\xEF\xBB\xBF[S]\nk=\xE5\xB7\xA6\n").Get("S", "k"), "\xE5\xB7\xA6");
  EXPECT_EQ(IniDocument::Parse("\xEF\xBB\xBF[S]\nk=\xE5\xB7\xA6\n").encoding(), Encoding::kUtf8Bom);
  EXPECT_EQ(IniDocument::Parse("[S]\nk=\xE5\xB7\xA6\n").Get("S", "k"), "\xE5\xB7\xA6");
  EXPECT_EQ(IniDocument::Parse("[S]\nk=\xE5\xB7\xA6\n").encoding(), Encoding::kUtf8);
}

TEST(IniEncodingTest, Utf16BigEndianChineseReadsAndWritesBackInUtf16BigEndian) {
  const std::string bytes = Utf16Bytes(u"[Setting-CHS]\r\nItem1=左键\r\nItem2=右键\r\n", true);
  EXPECT_EQ(bytes.substr(0, 6), std::string("\xFE\xFF\x00[\x00S", 6));
  IniDocument document = IniDocument::Parse(bytes);
  EXPECT_EQ(document.encoding(), Encoding::kUtf16Be);
  EXPECT_EQ(document.Get("Setting-CHS", "Item1"), Utf8Of(u8"左键"));
  EXPECT_EQ(document.Get("Setting-CHS", "Item2"), Utf8Of(u8"右键"));
  document.Set("Setting-CHS", "Item2", Utf8Of(u8"中键"));
  document.Set("Setting-CHS", "Item3", Utf8Of(u8"滚轮"));
  EXPECT_EQ(document.Serialize(),
            Utf16Bytes(u"[Setting-CHS]\r\nItem1=左键\r\nItem2=中键\r\nItem3=滚轮\r\n", true));
}

TEST(IniEncodingTest, CharactersBeyondTheBmpBecomeSurrogatePairs) {
  IniDocument document = IniDocument::Parse(Utf16Bytes(u"[S]\nk=\n", false));
  document.Set("S", "k", Utf8Of(u8"a😀b"));  // U+1F600: D83D DE00
  const std::string bytes = document.Serialize();
  EXPECT_EQ(bytes, Utf16Bytes(u"[S]\nk=a\U0001F600b\n", false));
  EXPECT_EQ(bytes.substr(16, 4), std::string("\x3D\xD8\x00\xDE", 4));
  EXPECT_EQ(IniDocument::Parse(document.Serialize()).Get("S", "k"), Utf8Of(u8"a😀b"));
}

TEST(IniEncodingTest, UnpairedSurrogatesReadAsReplacementCharacters) {
  // A high surrogate alone, a low surrogate alone, and an odd last byte.
  std::string bytes = Utf16Bytes(u"[S]\nk=a", true);
  bytes += std::string("\xD8\x00\x00" "b\xDC\x00\x00" "c", 8);
  bytes += 'd';
  IniDocument document = IniDocument::Parse(bytes);
  EXPECT_EQ(document.Get("S", "k"), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD" "c");
  // What is written parses back to the same text.
  EXPECT_EQ(document.Serialize(), Utf16Bytes(u"[S]\nk=a\uFFFDb\uFFFDc", true));
}

TEST(IniEncodingTest, BytesThatAreNotUtf8BecomeReplacementCharactersInUtf16) {
  IniDocument document = IniDocument::Parse(Utf16Bytes(u"[S]\r\n", false));
  // A stray continuation byte, a sequence cut short, an overlong "/", a surrogate, beyond U+10FFFF.
  document.Set("S", "k", "\x80|\xE5\xB7|\xC0\xAF|\xED\xA0\x80|\xF4\x90\x80\x80|\xE5\xB7\xA6");
  EXPECT_EQ(document.Serialize(),
            Utf16Bytes(u"[S]\r\nk=\uFFFD|\uFFFD|\uFFFD\uFFFD|\uFFFD\uFFFD\uFFFD|\uFFFD\uFFFD\uFFFD\uFFFD|左\r\n",
                       false));
}

TEST(IniEncodingTest, Utf8BytesAreKeptAsTheyAre) {
  // Not UTF-8, but a UTF-8 file is written back byte for byte.
  const std::string bytes = std::string("[S]\nk=\xC0\xAF\xFF\0z\n", 12);
  IniDocument document = IniDocument::Parse(bytes);
  EXPECT_EQ(document.Get("S", "k"), std::string("\xC0\xAF\xFF\0z", 5));
  EXPECT_EQ(document.Serialize(), bytes);
}

// --- Files on disk ------------------------------------------------------------------------------------

TEST(IniFileTest, WriteCreatesTheFileAndKeepsOtherSections) {
  testing::TempFolder folder;
  const IniFile file(folder.File("str0.ini"));
  EXPECT_FALSE(file.Exists());
  EXPECT_EQ(file.Read("Skins", "Lan"), "");
  ASSERT_TRUE(file.Write("Skins", "Lan", "CHS"));
  ASSERT_TRUE(file.Write("Setting-EN", "Item1", "Click"));
  EXPECT_TRUE(file.Exists());
  EXPECT_EQ(folder.ReadText("str0.ini"), "[Skins]\r\nLan=CHS\r\n[Setting-EN]\r\nItem1=Click\r\n");
  EXPECT_EQ(IniFile(folder.File("str0.ini")).Read("skins", "lan"), "CHS");
  EXPECT_THAT(file.SectionNames(), ElementsAre("Skins", "Setting-EN"));
  ASSERT_TRUE(file.DeleteSection("Skins"));
  EXPECT_THAT(file.SectionNames(), ElementsAre("Setting-EN"));
}

TEST(IniFileTest, WriteChangesOnlyItsKeyInACrOnlyFile) {
  testing::TempFolder folder;
  const std::string before =
      "; Labels for the Korvane mouse\r; keep this comment\r\r[Skins]\rLan=EN\rPath=skins/dark\r\r"
      "[Setting-EN]\rItem1=Left\rItem2=Right\rItem3=Middle\rItem4=Forward\rItem5=Back\r; custom\r"
      "Item6=DPI+\rItem7=DPI-\rItem8=Macro\r";
  folder.WriteText("str0.ini", before);
  const IniFile file(folder.File("str0.ini"));
  EXPECT_EQ(file.Read("Setting-EN", "Item8"), "Macro");
  ASSERT_TRUE(file.Write("Setting-EN", "Item2", "Menu"));
  std::string after = before;
  after.replace(after.find("Item2=Right"), 11, "Item2=Menu");
  EXPECT_EQ(folder.ReadText("str0.ini"), after);
}

TEST(IniFileTest, WriteKeepsAUtf16BigEndianFileInUtf16BigEndian) {
  testing::TempFolder folder;
  folder.WriteText("str0.ini", Utf16Bytes(u"; 标签\r\n[Setting-CHS]\r\nItem1=左键\r\n", true));
  const IniFile file(folder.File("str0.ini"));
  ASSERT_TRUE(file.Write("Setting-CHS", "Item2", Utf8Of(u8"右键")));
  EXPECT_EQ(folder.ReadText("str0.ini"),
            Utf16Bytes(u"; 标签\r\n[Setting-CHS]\r\nItem1=左键\r\nItem2=右键\r\n", true));
  EXPECT_EQ(file.Read("Setting-CHS", "Item1"), Utf8Of(u8"左键"));
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

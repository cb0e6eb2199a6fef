#include "macro/macro_encoding.h"

#include <gtest/gtest.h>

#include "support/golden.h"

namespace korvane {
namespace {

MacroSection Section(const char* delays, const char* loop, const char* times,
                     std::vector<std::string> items) {
  return {delays, loop, times, std::move(items)};
}

DevicePage PageStarting(std::vector<Byte> head) {
  DevicePage page{};
  std::copy(head.begin(), head.end(), page.begin());
  return page;
}

struct PageCase {
  const char* name;
  MacroSection section;
  std::vector<Byte> head;  // the page's first bytes; the rest is zero
};

// Test lists show a case by its name.
void PrintTo(const PageCase& c, std::ostream* out) { *out << '"' << c.name << '"'; }

class MacroPageTest : public ::testing::TestWithParam<PageCase> {};

TEST_P(MacroPageTest, Encodes) {
  const MacroPageEncoding encoding = EncodeMacroPage(GetParam().section);
  EXPECT_EQ(encoding.page, PageStarting(GetParam().head));
  EXPECT_EQ(encoding.droppedEvents, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Slots, MacroPageTest,
    ::testing::Values(
        PageCase{"DefaultDelayAndLoopForcedToOne",
                 Section("0", "0", "5", {"A   Dn", "A   Up"}),
                 {0x00, 0x01, 0x05, 0x04, 0x85, 0x04}},
        PageCase{"RecordedWithoutDelayLines",
                 Section("1", "1", "5", {"A   Dn", "A   Up"}),
                 {0x00, 0x05, 0x00, 0x04, 0x80, 0x04}},
        PageCase{"Release1500",
                 Section("1", "0", "1", {"B   Up", "1500 ms"}),
                 {0x00, 0x01, 0x80, 0x05, 0x0F, 0x03}},
        PageCase{
            "Press1550", Section("1", "0", "1", {"B   Dn", "1550 ms"}), {0x00, 0x01, 0x32, 0x05, 0x0F, 0x03}},
        PageCase{"Press30000",
                 Section("1", "0", "1", {"B   Dn", "30000 ms"}),
                 {0x00, 0x01, 0x00, 0x05, 0x00, 0x03, 0x01, 0x2C}},
        PageCase{"OneSlotUpTo1270", Section("1", "0", "1", {"B   Dn", "1270 ms"}), {0x00, 0x01, 0x7F, 0x05}},
        PageCase{"TwoSlotsFrom1271",
                 Section("1", "0", "1", {"B   Dn", "1271 ms"}),
                 {0x00, 0x01, 0x47, 0x05, 0x0C, 0x03}},
        PageCase{"TwoSlotsUpTo25500",
                 Section("1", "0", "1", {"B   Dn", "25500 ms"}),
                 {0x00, 0x01, 0x00, 0x05, 0xFF, 0x03}},
        PageCase{"ThreeSlotsFrom25501",
                 Section("1", "0", "1", {"B   Dn", "25501 ms"}),
                 {0x00, 0x01, 0x01, 0x05, 0x00, 0x03, 0x00, 0xFF}},
        PageCase{"LargestEditorDelay",
                 Section("1", "0", "1", {"B   Dn", "6553500 ms"}),
                 {0x00, 0x01, 0x00, 0x05, 0x00, 0x03, 0xFF, 0xFF}},
        PageCase{"HugeDelayHeldToLargest",
                 Section("1", "0", "1", {"B   Dn", "99999999 ms"}),
                 {0x00, 0x01, 0x00, 0x05, 0x00, 0x03, 0xFF, 0xFF}},
        PageCase{
            "NegativeDelayIsZero", Section("1", "0", "1", {"B   Dn", "-500 ms"}), {0x00, 0x01, 0x00, 0x05}},
        PageCase{
            "DelayWithoutNumberIsZero", Section("0", "0", "1", {"B   Dn", " ms"}), {0x00, 0x01, 0x00, 0x05}},
        PageCase{"MouseButtons",
                 Section("0", "0", "1", {"L-Button   Dn", "M-Button   Up"}),
                 {0x00, 0x01, 0x05, 0xF0, 0x85, 0xF2}},
        PageCase{"ApplicationHasNoMacroCode",
                 Section("1", "0", "1", {"Application   Dn"}),
                 {0x00, 0x01, 0x00, 0x00}},
        PageCase{"LeadingReleaseAndDelayStartAtByte2",
                 Section("0", "0", "1", {"95 ms", "C   Up", "200 ms"}),
                 {0x00, 0x01, 0x94, 0x06}},
        PageCase{"SecondDelayLineIgnored",
                 Section("1", "0", "1", {"C   Dn", "100 ms", "900 ms", "C   Up"}),
                 {0x00, 0x01, 0x0A, 0x06, 0x80, 0x06}},
        PageCase{
            "LoopCountKeptWhenEnabled", Section("0", "1", "65535", {"D   Dn"}), {0xFF, 0xFF, 0x05, 0x07}},
        PageCase{"LoopCountZeroBecomesOne", Section("0", "1", "0", {"D   Dn"}), {0x00, 0x01, 0x05, 0x07}},
        PageCase{
            "LoopCountTooLargeBecomesOne", Section("0", "1", "65536", {"D   Dn"}), {0x00, 0x01, 0x05, 0x07}},
        PageCase{
            "LoopCountNotANumberBecomesOne", Section("0", "1", "many", {"D   Dn"}), {0x00, 0x01, 0x05, 0x07}},
        PageCase{"EmptyMacroIsAllZero", Section("0", "1", "9", {}), {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MacroPage, SixtyFourShortEventsDropTheLast) {
  std::vector<std::string> items;
  for (int i = 0; i < 32; ++i) {
    items.push_back("A   Dn");
    items.push_back("A   Up");
  }
  const MacroPageEncoding encoding = EncodeMacroPage(Section("1", "0", "1", items));
  EXPECT_EQ(encoding.droppedEvents, 1);
  // The 63rd event, a press, fills bytes 126-127.
  EXPECT_EQ(encoding.page[126], 0x00);
  EXPECT_EQ(encoding.page[127], 0x04);
}

TEST(MacroPages, ThreeMacrosAreTheGoldenBytes) {
  IniDocument document;
  WriteMacroSection(document, "Copy",
                    Section("1", "1", "300",
                            {"Ctrl   Dn", "20 ms", "C   Dn", "30 ms", "C   Up", "40 ms", "Ctrl   Up", "50 ms"}));
  WriteMacroSection(document, "Long",
                    Section("0", "0", "5", {"Space   Dn", "1300 ms", "Space   Up", "70000 ms", "A   Dn", "A   Up"}));
  std::vector<std::string> full;
  for (int i = 0; i < 64; ++i) full.insert(full.end(), {i % 2 == 0 ? "A   Dn" : "A   Up", "10 ms"});
  WriteMacroSection(document, "Full", Section("1", "0", "1", full));

  const MacroEncoding encoding = EncodeMacroPages(document);
  EXPECT_EQ(encoding.droppedEvents, 1);
  std::vector<Byte> pages;
  for (const DevicePage& page : encoding.pages) pages.insert(pages.end(), page.begin(), page.end());
  EXPECT_TRUE(testing::SameBytes(testing::GoldenBytes("macro_pages.hex"), pages));
}

TEST(MacroPage, AnEventThatDoesNotFitWholeIsDroppedWithAllAfterIt) {
  std::vector<std::string> items(61, "E   Dn");       // 61 one-slot events: bytes 2-123
  items.insert(items.end(), {"F   Dn", "30000 ms"});  // needs six bytes, four are left
  items.push_back("G   Dn");                          // would fit, but follows a dropped event
  const MacroPageEncoding encoding = EncodeMacroPage(Section("1", "0", "1", items));
  EXPECT_EQ(encoding.droppedEvents, 2);
  EXPECT_EQ(encoding.page[122], 0x00);
  EXPECT_EQ(encoding.page[123], 0x08);
  for (std::size_t i = 124; i < kPageSize; ++i) EXPECT_EQ(encoding.page[i], 0) << i;
}

TEST(MacroPages, EncodesListedSectionsInFileOrderAndDropsPastTwelve) {
  std::string text;
  for (int k = 0; k < 13; ++k) {
    text += "[M" + std::to_string(k) +
            "]\nDelayTimeSelStatus=1\nLoopTimeSelStatus=1\nMacroLoopTimes=" + std::to_string(k + 1) +
            "\nItemCount=1\nItem0=A   Dn\n";
  }
  const MacroEncoding encoding = EncodeMacroPages(IniDocument::Parse(text));
  EXPECT_EQ(encoding.droppedMacros, 1);
  for (int k = 0; k < 12; ++k) EXPECT_EQ(encoding.pages[k], PageStarting({0x00, Byte(k + 1), 0x00, 0x04}));
}

TEST(MacroPages, NamesBeyondTheListLengthGetNoPage) {
  // Seven names of 35 characters take 7 * 36 = 252 characters; the eighth no longer fits in 255.
  std::string text;
  for (char c = 'a'; c < 'a' + 8; ++c) {
    text +=
        "[" + std::string(35, c) + "]\nLoopTimeSelStatus=1\nMacroLoopTimes=7\nItemCount=1\nItem0=A   Dn\n";
  }
  const IniDocument document = IniDocument::Parse(text);
  EXPECT_EQ(MacroNames(document).size(), 7u);
  const MacroEncoding encoding = EncodeMacroPages(document);
  EXPECT_EQ(encoding.pages[6][1], 7);
  EXPECT_EQ(encoding.pages[7], DevicePage{});
}

// What a page cannot carry as the section writes it is reported with the page.
TEST(MacroPage, ReportsWhatItCouldNotCarry) {
  EXPECT_FALSE(EncodeMacroPage(Section("1", "1", "65535", {"A   Dn", "6553500 ms", "A   Up"})).Any());

  const MacroPageEncoding loop = EncodeMacroPage(Section("1", "1", "70000", {"A   Dn"}));
  EXPECT_TRUE(loop.loopCountReplaced);
  EXPECT_EQ(loop.loopCountText, "70000");
  EXPECT_EQ(loop.page[1], 1);
  EXPECT_FALSE(EncodeMacroPage(Section("1", "0", "70000", {"A   Dn"})).loopCountReplaced)
      << "with looping off the count is not used";

  const MacroPageEncoding delays =
      EncodeMacroPage(Section("1", "0", "1", {"A   Dn", "9999999 ms", "A   Up", "-5 ms", "B   Dn", "20 ms"}));
  EXPECT_EQ(delays.clampedDelays, 2);

  const MacroPageEncoding keys =
      EncodeMacroPage(Section("1", "0", "1", {"Application   Dn", "Application   Up", "Strg   Dn", "A   Up"}));
  EXPECT_EQ(keys.unknownKeyNames, (std::vector<std::string>{"Application", "Strg"}));
  EXPECT_TRUE(keys.Any());
}

TEST(MacroPages, ReportEachPageAndTheSectionsWithoutOne) {
  std::string text = "[Long]\nDelayTimeSelStatus=1\nLoopTimeSelStatus=1\nMacroLoopTimes=70000\nItemCount=200\n";
  for (int i = 0; i < 200; ++i) text += "Item" + std::to_string(i) + "=" + (i % 2 ? "A   Up" : "A   Dn") + "\n";
  text += "[Fine]\nLoopTimeSelStatus=1\nMacroLoopTimes=3\nItemCount=1\nItem0=A   Dn\n[]\n[After a blank name]\n";
  const MacroEncoding encoding = EncodeMacroPages(IniDocument::Parse(text));
  EXPECT_EQ(encoding.changes[0].droppedEvents, 200 - 63);
  EXPECT_TRUE(encoding.changes[0].loopCountReplaced);
  EXPECT_FALSE(encoding.changes[1].Any());
  EXPECT_EQ(encoding.unlistedSections, 2);
}

TEST(MacroSections, DamagedCountsStayBounded) {
  const IniDocument document = IniDocument::Parse(
      "[Huge]\nItemCount=4000000000\nItem0=A   Dn\nitem1=A   Up\nItem0=B   Dn\n[Negative]\nItemCount=-5\n"
      "Item0=A   Dn\n");
  const MacroSection huge = ReadMacroSection(document, "Huge");
  // Bounded by the section's lines; the first of two equal keys counts, key case does not matter.
  ASSERT_EQ(huge.items.size(), 4u);
  EXPECT_EQ(huge.items[0], "A   Dn");
  EXPECT_EQ(huge.items[1], "A   Up");
  EXPECT_EQ(huge.items[2], "");
  EXPECT_TRUE(ReadMacroSection(document, "Negative").items.empty());
}

}  // namespace
}  // namespace korvane

#include "app/emulator_menu.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

std::vector<std::string_view> Texts(const EmulatedMouse& mouse, Language language = Language::English) {
  std::vector<std::string_view> texts;
  for (const EmulatorMenuItem& item : EmulatorMenuItems(mouse, language)) texts.push_back(item.text);
  return texts;
}

TEST(EmulatorMenuTest, TheLastItemSaysWhatPluggingWillDo) {
  EmulatedMouse mouse;
  EXPECT_EQ(Texts(mouse), (std::vector<std::string_view>{"Press the CPI button", "Switch to macro 3",
                                                          "Unplug the mouse"}));
  EXPECT_EQ(Texts(mouse, Language::TraditionalChinese).back(), "拔出滑鼠");
  RunEmulatorAction(mouse, EmulatorMenuItems(mouse, Language::English).back().action);
  EXPECT_FALSE(mouse.pluggedIn());
  EXPECT_EQ(Texts(mouse).back(), "Plug the mouse in");
  EXPECT_EQ(Texts(mouse, Language::SimplifiedChinese).back(), "插入鼠标");
  RunEmulatorAction(mouse, EmulatorMenuItems(mouse, Language::English).back().action);
  EXPECT_TRUE(mouse.pluggedIn());
}

TEST(EmulatorMenuTest, TheCpiItemStepsThroughTheFourStagesAndRoundAgain) {
  EmulatedMouse mouse;
  ASSERT_EQ(EmulatorMenuItems(mouse, Language::English).front().action, EmulatorAction::kPressCpi);
  std::vector<int> stages{mouse.stage()};
  for (int press = 0; press < 4; ++press) {
    RunEmulatorAction(mouse, EmulatorAction::kPressCpi);
    stages.push_back(mouse.stage());
  }
  EXPECT_EQ(stages, (std::vector<int>{1, 2, 3, 4, 1}));
}

}  // namespace
}  // namespace korvane

#include <gtest/gtest.h>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdlib>

#include "support/test_folder.h"
#include "system/desktop_pointer.h"

namespace korvane {
namespace {

// Sets the system's own settings and reads them back, so it runs only where that is wanted: in the
// Wine prefix of scripts/windows_test.sh, never on a developer's Windows session.
TEST(WindowsPointerTest, TheFourSettingsReachTheSystem) {
  if (std::getenv("KORVANE_TEST_SYSTEM_SETTINGS") == nullptr) GTEST_SKIP() << "KORVANE_TEST_SYSTEM_SETTINGS unset";
  ASSERT_EQ(DesktopKindOfThisSession(), DesktopKind::kWindows);
  const std::unique_ptr<DesktopPointer> pointer = MakeDesktopPointer(DesktopKindOfThisSession());
  testing::RecordingMessages messages;
  for (const bool precision : {true, false}) {
    MouseConfig config;
    config.pointerPrecision = precision ? 1 : 0;
    config.pointerSpeed = precision ? 11 : 1;
    config.scrollOneScreen = precision ? 1 : 0;
    config.scrollLines = 7;
    config.doubleClickSpeed = precision ? 6 : 1;
    ApplyPointerSettings(config, *pointer, messages);
    EXPECT_TRUE(messages.shown.empty());

    int mouse[3] = {-1, -1, -1};
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETMOUSE, 0, mouse, 0));
    EXPECT_EQ(mouse[0], precision ? 6 : 0);
    EXPECT_EQ(mouse[1], precision ? 10 : 0);
    EXPECT_EQ(mouse[2], precision ? 1 : 0);
    // The speed is not read back: Wine 8 takes it but answers SPI_GETMOUSESPEED with 0.
    UINT lines = 0;
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    EXPECT_EQ(lines, precision ? WHEEL_PAGESCROLL : 7u);
    EXPECT_EQ(::GetDoubleClickTime(), precision ? 550u : 900u);
  }
}

}  // namespace
}  // namespace korvane

// The default skin as the build draws it into the program folder.
#include <QImage>
#include <QString>
#include <gtest/gtest.h>

#include "ui/skin_inventory.h"

namespace korvane {
namespace {

QImage SkinImage(std::string_view name) {
  const std::string path = std::string(KORVANE_PROGRAM_DIR) + "/Skins/Default" + std::string(name);
  return QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_ARGB32);
}

TEST(DefaultSkinTest, AngleSnapShowsBothOffPositionsAlike) {
  // 1 and 11 both send "off": the same picture but for the number in its corner.
  QImage one = SkinImage(NumberedSkinImage("/AngleSnap/%d.png", 1));
  QImage eleven = SkinImage(NumberedSkinImage("/AngleSnap/%d.png", 11));
  const QImage ten = SkinImage(NumberedSkinImage("/AngleSnap/%d.png", 10));
  ASSERT_FALSE(one.isNull());
  ASSERT_EQ(one.size(), eleven.size());
  const QRect stroke(0, 24, one.width(), one.height() - 24);  // below the number
  EXPECT_TRUE(one.copy(stroke) == eleven.copy(stroke));
  EXPECT_FALSE(ten.copy(stroke) == eleven.copy(stroke));
}

TEST(DefaultSkinTest, TheReportRateGlowFadesOutInsideTheDial) {
  // The dial square's edge is the panel's ground all round: no glow cut off by the square.
  for (const int hz : kReportRatesHz) {
    const QImage dial = SkinImage(NumberedSkinImage("/USBReportRate/%dHZ.png", hz));
    ASSERT_FALSE(dial.isNull()) << hz;
    const QRgb ground = dial.pixel(0, dial.height() / 2);
    int differing = 0;
    for (int i = 0; i < dial.width(); ++i) {
      for (const QPoint at : {QPoint(i, 0), QPoint(i, dial.height() - 1), QPoint(0, i), QPoint(dial.width() - 1, i)}) {
        differing += dial.pixel(at) == ground ? 0 : 1;
      }
    }
    EXPECT_EQ(differing, 0) << hz << " Hz";
  }
}

}  // namespace
}  // namespace korvane

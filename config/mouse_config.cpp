#include "config/mouse_config.h"

#include <algorithm>

namespace korvane {

namespace {

// Visits every field in image order with a callback taking (offset, bytes). One list serves both
// directions, so reading and writing can never disagree about the layout.
template <typename Config, typename Visit>
void ForEachField(Config& c, Visit&& visit) {
  auto one = [&](std::size_t offset, auto& byte) { visit(offset, &byte, std::size_t{1}); };
  auto many = [&](std::size_t offset, auto& array) { visit(offset, array.data(), array.size()); };
  one(kProfileSlotOffset, c.profileSlot);
  many(0x001, c.reserved001);
  one(kReportRateOffset, c.reportRate);
  one(0x006, c.reserved006);
  many(kDpiStageOffset, c.dpiStage);
  many(0x00B, c.reserved00B);
  many(kStageColorOffset, c.stageColor);
  many(0x023, c.reserved023);
  one(kLightModeOffset, c.lightMode);
  one(kLightBrightnessOffset, c.lightBrightness);
  one(kPulseSpeedOffset, c.pulseSpeed);
  one(kCycleSpeedOffset, c.cycleSpeed);
  one(kPointerPrecisionOffset, c.pointerPrecision);
  one(kScrollOneScreenOffset, c.scrollOneScreen);
  one(kPointerSpeedOffset, c.pointerSpeed);
  one(kScrollLinesOffset, c.scrollLines);
  one(kDoubleClickSpeedOffset, c.doubleClickSpeed);
  one(kAngleSnapOffset, c.angleSnap);
  one(0x039, c.reserved039);
  one(kSensitivityXOffset, c.sensitivityX);
  one(kSensitivityYOffset, c.sensitivityY);
  many(kButtonKindOffset, c.buttonKind);
  for (std::size_t k = 0; k < kButtonArgArrays; ++k) {
    many(kButtonArgOffset + kButtonCount * k, c.buttonArg[k]);
  }
  for (std::size_t n = 0; n < kMacroCount; ++n) {
    many(kMacroDataOffset + kPageSize * n, c.macroData[n]);
  }
}

static_assert(kButtonArgOffset + kButtonCount * kButtonArgArrays == kMacroDataOffset);
static_assert(kMacroDataOffset + kPageSize * kMacroCount == kMouseConfigSize);
static_assert(kMacroDataOffset == kSettingsAndButtonsSize);

}  // namespace

MouseConfigImage MouseConfig::ToBytes() const {
  MouseConfigImage image{};
  ForEachField(*this, [&](std::size_t offset, const Byte* bytes, std::size_t size) {
    std::copy_n(bytes, size, image.begin() + offset);
  });
  return image;
}

MouseConfig MouseConfig::FromBytes(const MouseConfigImage& image) {
  MouseConfig config;
  ForEachField(config, [&](std::size_t offset, Byte* bytes, std::size_t size) {
    std::copy_n(image.begin() + offset, size, bytes);
  });
  return config;
}

void MouseConfig::ReplaceSettingsAndButtons(const MouseConfigImage& image) {
  MouseConfigImage merged = ToBytes();
  std::copy_n(image.begin(), kSettingsAndButtonsSize, merged.begin());
  *this = FromBytes(merged);
}

}  // namespace korvane

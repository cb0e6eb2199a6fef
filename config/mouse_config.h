#pragma once

#include <array>
#include <cstddef>

#include "common/small_types.h"

namespace korvane {

inline constexpr std::size_t kMouseConfigSize = 1756;
inline constexpr std::size_t kButtonArgArrays = 19;
// The defaults loader refreshes only the settings and the button table, never the macro area.
inline constexpr std::size_t kSettingsAndButtonsSize = 0x0DC;

using MouseConfigImage = std::array<Byte, kMouseConfigSize>;

// Byte offsets of the fields in the 1756-byte image. The image is the body of every profile file,
// so these offsets are a file format.
inline constexpr std::size_t kProfileSlotOffset = 0x000;
inline constexpr std::size_t kReportRateOffset = 0x005;
inline constexpr std::size_t kDpiStageOffset = 0x007;
inline constexpr std::size_t kStageColorOffset = 0x017;
inline constexpr std::size_t kLightModeOffset = 0x02F;
inline constexpr std::size_t kLightBrightnessOffset = 0x030;
inline constexpr std::size_t kPulseSpeedOffset = 0x031;
inline constexpr std::size_t kCycleSpeedOffset = 0x032;
inline constexpr std::size_t kPointerPrecisionOffset = 0x033;
inline constexpr std::size_t kScrollOneScreenOffset = 0x034;
inline constexpr std::size_t kPointerSpeedOffset = 0x035;
inline constexpr std::size_t kScrollLinesOffset = 0x036;
inline constexpr std::size_t kDoubleClickSpeedOffset = 0x037;
inline constexpr std::size_t kAngleSnapOffset = 0x038;
inline constexpr std::size_t kSensitivityXOffset = 0x03A;
inline constexpr std::size_t kSensitivityYOffset = 0x03B;
inline constexpr std::size_t kButtonKindOffset = 0x03C;
inline constexpr std::size_t kButtonArgOffset = 0x044;  // array k (1-19) at 0x03C + 8k
inline constexpr std::size_t kMacroDataOffset = 0x0DC;  // macro n (1-12) at 0x0DC + 128(n-1)

// The configuration record. All fields are single bytes; reserved bytes are kept so that a file
// loads and saves unchanged. Serialised field by field in ToBytes/FromBytes.
struct MouseConfig {
  Byte profileSlot = 0;
  std::array<Byte, 4> reserved001{};
  // Report interval in milliseconds (REPORT_RATES in value_rules.h).
  Byte reportRate = 0;
  Byte reserved006 = 0;
  // Stages 1-4 in units of kCpiPerUnit (value_rules.h).
  std::array<Byte, 4> dpiStage{};
  std::array<Byte, 12> reserved00B{};
  // Three bytes per stage, read and stored by StageColourOf and StoreStageColour (value_rules.h).
  std::array<Byte, 12> stageColor{};
  std::array<Byte, 12> reserved023{};
  Byte lightMode = 0;  // 1 single colour, 2 pulsating, 3 multi-colour
  Byte lightBrightness = 0;
  Byte pulseSpeed = 0;
  Byte cycleSpeed = 0;
  Byte pointerPrecision = 0;
  Byte scrollOneScreen = 0;
  Byte pointerSpeed = 0;
  Byte scrollLines = 0;
  Byte doubleClickSpeed = 0;
  Byte angleSnap = 0;
  Byte reserved039 = 0;
  Byte sensitivityX = 0;
  Byte sensitivityY = 0;
  // Function kind 0-13 of buttons 1-8 (index 0-7).
  std::array<Byte, kButtonCount> buttonKind{};
  // Parameter arrays 1-19: buttonArg[k - 1][i] is parameter k of button index i.
  std::array<std::array<Byte, kButtonCount>, kButtonArgArrays> buttonArg{};
  // Twelve encoded macro pages, macro n (1-12) at index n - 1.
  std::array<DevicePage, kMacroCount> macroData{};

  // Parameter k (1-19) of the button with index i (0-7).
  Byte& Arg(int k, int button) { return buttonArg[k - 1][button]; }
  Byte Arg(int k, int button) const { return buttonArg[k - 1][button]; }

  MouseConfigImage ToBytes() const;
  static MouseConfig FromBytes(const MouseConfigImage& image);
  // Replaces the settings and button table (the first 220 bytes) from an image, keeping the macros.
  void ReplaceSettingsAndButtons(const MouseConfigImage& image);

  bool operator==(const MouseConfig&) const = default;
};

}  // namespace korvane

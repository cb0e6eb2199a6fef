#include "text/strings.h"

namespace korvane {
namespace {

constexpr int kLight = 300;
constexpr int kNormal = 400;
constexpr int kBold = 700;

// The main window's third font is the same in every language.
constexpr FontSpec kMainSmall = {"Arial", 13, kNormal};

// Simplified Chinese uses the song face; the hei face replaced it only on Windows 8.
constexpr std::string_view kSong = "宋体";
constexpr std::string_view kHei = "黑体";

constexpr PerLanguage<FontTable> kFonts = {{
    {
        .mainText = {"Segoe UI", 15, kLight},
        .mainTitle = {"Tahoma", 18, kBold},
        .mainSmall = kMainSmall,
        .macroManager = {"Segoe UI", 15, kBold},
        .singleKey = {"Segoe UI", 15, kNormal},
        .dialog = {"Arial", 14, kNormal},
    },
    {
        .mainText = {kSong, 13, kNormal},
        .mainTitle = {kSong, 18, kBold},
        .mainSmall = kMainSmall,
        .macroManager = {kSong, 13, kNormal},
        .singleKey = {kSong, 13, kNormal},
        .dialog = {kSong, 13, kNormal},
    },
    {
        .mainText = {kHei, 14, kNormal},
        .mainTitle = {kHei, 18, kBold},
        .mainSmall = kMainSmall,
        .macroManager = {kHei, 14, kNormal},
        .singleKey = {kHei, 14, kNormal},
        .dialog = {kHei, 14, kNormal},
    },
}};

// The faces that stand in for the named ones where those are not installed, closest first. Debian:
// fonts-liberation2 (metric-compatible with Arial), fonts-open-sans (a humanist sans of Segoe UI's widths
// and weights, light included), fonts-dejavu-core (Tahoma's relative).
struct Substitutes {
  std::string_view face;
  std::array<std::string_view, 2> by;
};
constexpr std::array<Substitutes, 3> kSubstitutes = {{
    {"Arial", {"Liberation Sans", "Arimo"}},
    {"Segoe UI", {"Open Sans", "Noto Sans"}},
    {"Tahoma", {"DejaVu Sans", "Verdana"}},
}};

// Behind every face, by language. Debian: fonts-dejavu-core; fonts-noto-cjk, fonts-wqy-microhei,
// fonts-droid-fallback for Chinese.
constexpr std::array<std::string_view, 2> kLatinFallback = {"DejaVu Sans", "Liberation Sans"};
constexpr std::array<std::string_view, 4> kSimplifiedFallback = {"Noto Sans CJK SC", "Source Han Sans SC",
                                                                 "WenQuanYi Micro Hei", "Droid Sans Fallback"};
constexpr std::array<std::string_view, 4> kTraditionalFallback = {"Noto Sans CJK TC", "Source Han Sans TC",
                                                                  "WenQuanYi Micro Hei", "Droid Sans Fallback"};

constexpr PerLanguage<std::span<const std::string_view>> kFallbackFaces = {kLatinFallback, kSimplifiedFallback,
                                                                           kTraditionalFallback};

}  // namespace

const FontTable& FontsFor(Language language) { return ForLanguage(kFonts, language); }

std::span<const std::string_view> FallbackFaces(Language language) {
  return ForLanguage(kFallbackFaces, language);
}

std::span<const std::string_view> SubstituteFaces(std::string_view face) {
  for (const Substitutes& entry : kSubstitutes) {
    if (entry.face == face) return entry.by;
  }
  return {};
}

}  // namespace korvane

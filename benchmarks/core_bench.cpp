// The core's page builders and the macro encoder.
#include <benchmark/benchmark.h>

#include <string>

#include "config/factory_profile.h"
#include "config/settings_page.h"
#include "keys/key_page.h"
#include "macro/macro_encoding.h"

namespace korvane {
namespace {

// Twelve macros that fill their pages: key presses and releases, each followed by its delay.
IniDocument TwelveFullMacros() {
  std::string text;
  for (std::size_t macro = 0; macro < kMacroCount; ++macro) {
    text += "[Macro_" + std::to_string(macro) + "]\nDelayTimeSelStatus=1\nLoopTimeSelStatus=1\nMacroLoopTimes=5\n";
    constexpr int kLines = 120;
    text += "ItemCount=" + std::to_string(kLines) + "\n";
    for (int line = 0; line < kLines; line += 3) {
      const char key = static_cast<char>('A' + line % 26);
      text += "Item" + std::to_string(line) + "=" + key + "   Dn\n";
      text += "Item" + std::to_string(line + 1) + "=" + std::to_string(10 + line) + " ms\n";
      text += "Item" + std::to_string(line + 2) + "=" + key + "   Up\n";
    }
  }
  return IniDocument::Parse(text);
}

void BM_SettingsPage(benchmark::State& state) {
  const MouseConfig config = FactoryConfig();
  for (auto _ : state) benchmark::DoNotOptimize(BuildSettingsPage(config));
}
BENCHMARK(BM_SettingsPage);

void BM_KeyPage(benchmark::State& state) {
  const MouseConfig config = FactoryConfig();
  for (auto _ : state) benchmark::DoNotOptimize(BuildKeyPage(config));
}
BENCHMARK(BM_KeyPage);

void BM_TwelveMacroPages(benchmark::State& state) {
  const IniDocument document = TwelveFullMacros();
  for (auto _ : state) benchmark::DoNotOptimize(EncodeMacroPages(document));
}
BENCHMARK(BM_TwelveMacroPages)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvane

BENCHMARK_MAIN();

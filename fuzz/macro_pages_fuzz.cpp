// Any bytes as record.ini, through the macro list, the section reader and the page encoder, both on a
// parsed document and through the macro manager's store over the file.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/file_io.h"
#include "config/value_rules.h"
#include "keys/name_text.h"
#include "macro/macro_encoding.h"
#include "macro/macro_section.h"
#include "macro/macro_store.h"
#include "support/test_folder.h"
#include "fuzz_input.h"

using namespace korvane;
using fuzz::Require;

namespace {

testing::TempFolder& TheFolder() {
  static testing::TempFolder* folder = new testing::TempFolder();  // kept until exit
  return *folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const IniDocument document = IniDocument::Parse(bytes);

  const std::vector<std::string> names = MacroNames(document);
  std::size_t listLength = 0;
  for (const std::string& name : names) {
    Require(!name.empty());
    listLength += NameLength(name) + 1;
  }
  Require(listLength <= kMacroNameListLength);

  const MacroEncoding encoding = EncodeMacroPages(document);
  Require(encoding.droppedMacros == (names.size() > kMacroCount ? int(names.size() - kMacroCount) : 0));
  for (std::size_t k = 0; k < kMacroCount; ++k) {
    if (k >= names.size()) {
      Require(encoding.pages[k] == DevicePage{});
      continue;
    }
    const MacroSection section = ReadMacroSection(document, names[k]);
    Require(section.items.size() <= document.Entries(names[k]).size());
    const MacroPageEncoding page = EncodeMacroPage(section);
    Require(page.page == encoding.pages[k]);
    if (section.items.empty()) Require(page.page == DevicePage{});
    // The loop count is 1-65535.
    Require(section.items.empty() || (page.page[0] << 8 | page.page[1]) >= 1);
  }

  // The manager reads the same pages from the file.
  const std::filesystem::path record = TheFolder().File(kMacroFileName);
  Require(WriteFileReplacing(record, bytes).ok());
  MacroOptions options;
  MacroStore store(record, options);
  store.LoadMacroList();
  Require(store.macroList == names);
  Require(store.selectedMacro == (names.empty() ? -1 : 0));
  if (!names.empty()) {
    store.SelectMacro(int(names.size()) - 1);
    const MacroEncoding fromStore = store.EncodeMacroPages();
    Require(fromStore.pages == encoding.pages);
    Require(store.macroPageImage == encoding.pages);
  }
  return 0;
}

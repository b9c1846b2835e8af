// XLIFF files from arbitrary bytes: the reader either raises EReadError or gives catalogs;
// each that XML can carry is written in both versions and read back unit for unit.
#include <cstdlib>

#include "XliffFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace xel;
  std::vector<TTranslationCatalog> read;
  try {
    read = ReadXliffFile(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.xlf", nullptr);
  } catch (const EReadError&) {
    return 0;
  }
  for (const TTranslationCatalog& first : read)
    for (TXliffVersion version : {xv12, xv20}) {
      String text;
      try {
        text = WriteXliffFile(first, version);
      } catch (const Exception&) {
        continue;  // a text with characters that XML cannot carry
      }
      const std::vector<TTranslationCatalog> again = ReadXliffFile(text, "again.xlf", nullptr);
      if (again.size() != 1 || again[0].Units.size() != first.Units.size()) std::abort();
      for (size_t i = 0; i < first.Units.size(); ++i) {
        const TTranslationUnit &a = first.Units[i], &b = again[0].Units[i];
        if (a.Key != b.Key || a.Source != b.Source || a.Target != b.Target || a.HasTarget != b.HasTarget)
          std::abort();
      }
    }
  return 0;
}

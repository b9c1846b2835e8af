// PO files from arbitrary bytes: the reader either raises EReadError or gives a catalog
// that the writer writes and the reader reads back unit for unit.
#include <cstdlib>

#include "PoFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace xel;
  TTranslationCatalog first;
  try {
    first = ReadPoFile(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.po", nullptr);
  } catch (const EReadError&) {
    return 0;
  }
  const TTranslationCatalog second = ReadPoFile(WritePoFile(first), "again.po", nullptr);
  if (second.Units.size() != first.Units.size()) std::abort();
  for (size_t i = 0; i < first.Units.size(); ++i) {
    const TTranslationUnit &a = first.Units[i], &b = second.Units[i];
    if (a.Key != b.Key || a.Source != b.Source || a.Target != b.Target || a.HasTarget != b.HasTarget ||
        a.State != b.State)
      std::abort();
  }
  return 0;
}

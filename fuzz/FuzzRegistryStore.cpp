// The registry store reader: a store it accepts writes back to text that reads the same.
#include <cstdlib>

#include "Registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace xel;
  TRegistryStore store;
  try {
    store.Parse(std::string_view(reinterpret_cast<const char*>(data), size), "HKEY_CURRENT_USER", "fuzz");
  } catch (const Exception&) {
    return 0;
  }
  String text = store.Format("HKEY_CURRENT_USER");
  TRegistryStore again;
  again.Parse(text, "HKEY_CURRENT_USER", "fuzz");
  if (again.Format("HKEY_CURRENT_USER") != text) std::abort();
  return 0;
}

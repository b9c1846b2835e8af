// The INI reader: whatever it reads it writes back, and that reads back the same.
#include <cstdlib>

#include "IniFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace xel;
  TIniData ini;
  ini.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
  String once = ini.Format();
  TIniData again;
  again.Parse(once);
  if (again.Format() != once) std::abort();
  return 0;
}

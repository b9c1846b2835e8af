// The 32-bit resource file reader and the 16-bit component resource header.
#include "FuzzCommon.h"
#include "ResFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace xel;
  try {
    std::size_t total = 0;
    ParseResourceImage(data, size, [&](const TResourceEntry& e) { total += e.Size; });
    if (total > size) std::abort();
  } catch (const Exception&) {
  }
  try {
    TStringStream in(String(reinterpret_cast<const char*>(data), size));
    Int64 length = 0;
    in.ReadResHeader(&length);
  } catch (const Exception&) {
  }
  return 0;
}

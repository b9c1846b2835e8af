// The text form parser: text to binary, and the binary back to text must then succeed.
#include <cstdlib>

#include "FuzzCommon.h"
#include "TextForms.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace xel;
  String text(reinterpret_cast<const char*>(data), size);
  String binary;
  try {
    binary = ObjectTextToBinary(text);
  } catch (const Exception&) {
    return 0;
  }
  // A binary the converter wrote is well formed: converting it must not fail, and the
  // canonical text must give the same binary again.
  String canonical = ObjectBinaryToText(binary);
  if (ObjectTextToBinary(canonical) != binary) std::abort();
  return 0;
}

// The form tool's check on arbitrary bytes: text, binary and resource forms, read as their
// application would and checked against their stored language data.
#include "FormCheck.h"
#include "FuzzHeadless.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace xel;
  fuzz::PrepareHeadlessGlotta();
  String binary;
  CheckFormData(String(reinterpret_cast<const char*>(data), size), &binary);
  FinalizeGlottaUnit();  // every input starts without frames
  return 0;
}

// The binary form reader and the binary-to-text converter on arbitrary bytes.
#include <memory>

#include "FuzzCommon.h"
#include "TextForms.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace xel;
  fuzz::RegisterFuzzClasses();
  String bytes(reinterpret_cast<const char*>(data), size);
  try {
    TStringStream in(bytes);
    std::unique_ptr<TComponent> root(in.ReadComponent(nullptr));
    // What was read must be writable again.
    TStringStream out;
    out.WriteComponent(root.get());
  } catch (const Exception&) {
  }
  try {
    ObjectBinaryToText(bytes);
  } catch (const Exception&) {
  }
  return 0;
}

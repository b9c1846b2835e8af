// Forms of the visual classes with their language data (TGlotta), pictures and menus,
// read from arbitrary bytes on the headless widget set, switched, and written again.
#include <memory>

#include "Application.h"
#include "Glotta.h"
#include "FuzzHeadless.h"
#include "HeadlessWidgetSet.h"
#include "RegisterControls.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace xel;
  fuzz::PrepareHeadlessGlotta();
  String bytes(reinterpret_cast<const char*>(data), size);
  try {
    TStringStream in(bytes);
    std::unique_ptr<TComponent> root(in.ReadComponent(nullptr));
    for (int i = 0; i < root->ComponentCount(); ++i)
      if (auto* g = dynamic_cast<TGlotta*>(root->Components(i))) {
        TStringList names;
        g->GetLanguages(&names);
        for (int k = 0; k < names.Count(); ++k) g->SetLanguage(names.Strings(k));
      }
    TStringStream out;
    out.WriteComponent(root.get());
  } catch (const Exception&) {
  }
  FinalizeGlottaUnit();  // every input starts without frames
  return 0;
}

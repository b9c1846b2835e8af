#include "EditorFormsEnv.h"

#include "EditorDialogs.h"
#include "GlottaModule.h"
#include "RegisterControls.h"
#include "Sounds.h"

namespace xel::test {

namespace {

int gBeeps = 0;

struct TEditorFormsEnvironment : testing::Environment {
  void SetUp() override {
    RegisterCoreClasses();
    RegisterGlottaEditorClasses();
    RegisterGlottaModuleClasses();
    RegisterClasses({TEditorProbe::StaticClass()});
    InstallHeadlessWidgetSet();
    // The system's beep, as a search without hit sounds it.
    SetBeepProc([] { ++gBeeps; });
  }
};
[[maybe_unused]] testing::Environment* const kEnvironment =
    testing::AddGlobalTestEnvironment(new TEditorFormsEnvironment);

}  // namespace

int SystemBeeps() { return gBeeps; }

}  // namespace xel::test

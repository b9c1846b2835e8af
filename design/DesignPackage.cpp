// The design package's entry points: the designer calls the registration when it loads
// the package and the finalisation before it unloads it.
#include "DesignPackages.h"
#include "GlottaEditor.h"
#include "GlottaExpert.h"
#include "GlottaModule.h"
#include "GlottaReg.h"
#include "ToolLibReg.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /design/DesignPackage.cpp 1 11.12.26 0:40 XG $")

using namespace xel;

namespace {
// Whether the module of the package's texts was made here, to be freed here.
bool OwnsGlottaModule = false;
}  // namespace

extern "C" __attribute__((visibility("default"))) void XelRegisterDesignPackage() {
  if (!GlottaModule) {
    InitializeGlottaModuleUnit();
    OwnsGlottaModule = GlottaModule != nullptr;
  }
  // The translation editor that the component editor and the expert open.
  RegisterGlottaEditorClasses();
  RegisterToolLib();
  RegisterGlotta();
  RegisterGlottaExpert();
}

extern "C" __attribute__((visibility("default"))) void XelFinalizeDesignPackage() {
  if (!OwnsGlottaModule) return;
  OwnsGlottaModule = false;
  FinalizeGlottaModuleUnit();
}

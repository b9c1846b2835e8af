// The design package's entry points: the designer calls the registration when it loads
// the package and the finalisation before it unloads it.
#include "DesignInterfaceTools.h"
#include "DesignPackages.h"
#include "GlottaCheck.h"
#include "GlottaEditor.h"
#include "GlottaExpert.h"
#include "GlottaModule.h"
#include "GlottaReg.h"
#include "GlottaView.h"
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
  // The editor reads and writes units through the designer's buffers; the expert's report
  // shows the overview.
  SetGlottaSourceAccess(ReadSourceCode, WriteSourceCode);
  SetGlottaReportRunner(RunGlottaView);
}

extern "C" __attribute__((visibility("default"))) void XelFinalizeDesignPackage() {
  SetGlottaSourceAccess(nullptr, nullptr);
  SetGlottaReportRunner(nullptr);
  if (!OwnsGlottaModule) return;
  OwnsGlottaModule = false;
  FinalizeGlottaModuleUnit();
}

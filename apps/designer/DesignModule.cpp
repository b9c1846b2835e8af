#include "DesignModule.h"

#include "SysUtils.h"

namespace xel {

TDesignModule::TDesignModule(const String& unitFile) : FUnitFile(ExpandFileName(unitFile)) {
  FSource = ReadTextFile(FUnitFile, true);
  for (const char* ext : {".dfm", ".xfm"}) {
    const String form = ChangeFileExt(FUnitFile, ext);
    if (FileExists(form)) {
      FFormFile = form;
      FDocument = std::make_unique<TGlottaDocument>(form, true);
      break;
    }
  }
}

TDesignModule::~TDesignModule() = default;

void TDesignModule::SetSource(const String& source) {
  if (source == FSource) return;
  FSource = source;
  FSourceModified = true;
}

void TDesignModule::Save() {
  if (FDocument) FDocument->SaveToFile(FFormFile);
  WriteFileAtomically(FUnitFile, FSource);
  FModified = false;
  FSourceModified = false;
}

}  // namespace xel

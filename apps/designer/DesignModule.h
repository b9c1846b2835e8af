// One module open in the designer: a unit's source in an editor buffer and, when a form
// file lies beside the unit, its form in design state, kept in the format it was read in.
#pragma once

#include <memory>

#include "GlottaDocument.h"

namespace xel {

class TDesignModule {
public:
  // Reads the unit and the form file beside it (.dfm, then .xfm); raises when either
  // cannot be read.
  explicit TDesignModule(const String& unitFile);
  ~TDesignModule();

  const String& UnitFile() const { return FUnitFile; }
  const String& FormFile() const { return FFormFile; }
  // The form's root component; null for a unit without a form.
  TComponent* Root() const { return FDocument ? FDocument->Root() : nullptr; }
  TGlottaDocument* Document() const { return FDocument.get(); }

  // The editor buffer of the unit.
  const String& Source() const { return FSource; }
  void SetSource(const String& source);

  bool Modified() const { return FModified || FSourceModified; }
  void SetModified() { FModified = true; }

  // Form and unit, each written through a temporary file and a rename.
  void Save();

private:
  String FUnitFile;
  String FFormFile;
  String FSource;
  std::unique_ptr<TGlottaDocument> FDocument;
  bool FModified = false;
  bool FSourceModified = false;
};

}  // namespace xel

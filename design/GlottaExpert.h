// The expert that makes the current module multilingual: four commands in the designer's
// main menu. Form puts a TGlotta on the current form and opens the translation editor on
// it; Unit keeps a unit's translations in a language file (.lng) beside it and writes the
// code that loads them into the unit; Auto picks one of the two; Report shows the overview.
#pragma once

#include "CustomExpert.h"

namespace xel {

class TSourceParser;
class TGlotta;

class TGlottaExpert : public TCustomExpert {
  XEL_CLASS(TGlottaExpert, TCustomExpert)
public:
  TGlottaExpert();
  ~TGlottaExpert() override;

  String GetName() override { return "Glotta"; }
  // The package's icon resource.
  std::uintptr_t GetGlyph() override;
  TExpertStyle GetStyle() override { return esForm; }

  // The menu captions in the tools' language.
  void LangChange(TObject* sender);
  void ExecuteForm(TIMenuItemIntf* menuItem);
  void ExecuteUnit(TIMenuItemIntf* menuItem);
  void ExecuteAuto(TIMenuItemIntf* menuItem);
  void ExecuteReport(TIMenuItemIntf* menuItem);

  const String& FormItemName() const { return FFormItem; }
  const String& UnitItemName() const { return FUnitItem; }
  const String& AutoItemName() const { return FAutoItem; }
  const String& ReportItemName() const { return FReportItem; }

private:
  String FFormItem;
  String FUnitItem;
  String FAutoItem;
  String FReportItem;
};

// The resource identifier of an existing unit: the literal first argument of the first
// InitGlotta call (in Pascal before the unit's final "end."); false when there is none or
// it is empty.
bool GetResIDFromSource(const TSourceParser& parser, String& resID);
// Inserts into the parser's text what loads the unit's language file with resID. Pascal:
// the declarations, the resource directive, the InitGlotta call and the unit Glotta in the
// interface's uses clause. C++ (a parser scanned as C): GlottaUnit.h, GetString, LangChange
// and a TUnitInitialization that calls InitGlotta, after the unit's leading includes. The
// parser has scanned the result. False, with the text as it was, when the unit has not the
// shape this needs.
bool ModifySourceCode(TSourceParser& parser, const String& resID);

// What the Report command shows; the package installs the overview window. Returns the
// runner it replaces.
using TGlottaReportRunner = void (*)();
TGlottaReportRunner SetGlottaReportRunner(TGlottaReportRunner runner);

// The expert unit's registration: one expert, handed to the designer, as long as the
// package's message module exists.
void RegisterGlottaExpert();
// The expert registered last, while the designer holds it.
TGlottaExpert* GlottaExpert();

}  // namespace xel

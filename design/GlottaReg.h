// The design-time editors of TGlotta and the registration of the localization unit: the
// component editor with its verbs "Edit Languages..." and "About", and the property
// editors of Domain (the visible domains), Language (the component's languages) and
// Languages (opens the translation editor).
#pragma once

#include "DsgnIntf.h"

namespace xel {

class TGlottaEditor : public TComponentEditor {
  XEL_CLASS(TGlottaEditor, TComponentEditor)
public:
  using TComponentEditor::TComponentEditor;
  void ExecuteVerb(int index) override;
  String GetVerb(int index) override;
  int GetVerbCount() override { return 2; }
};

// Offered for one component only; the list is a choice, not a limit.
class TDomainPropertyEditor : public TEnumProperty {
  XEL_CLASS(TDomainPropertyEditor, TEnumProperty)
public:
  TPropertyAttributes GetAttributes() override;
  String GetValue() override { return GetStrValue(); }
  void SetValue(const String& value) override { SetStrValue(value); }
  void GetValues(const TGetStrProc& proc) override;
};

class TLanguagePropertyEditor : public TEnumProperty {
  XEL_CLASS(TLanguagePropertyEditor, TEnumProperty)
public:
  TPropertyAttributes GetAttributes() override;
  String GetValue() override { return GetStrValue(); }
  void SetValue(const String& value) override { SetStrValue(value); }
  void GetValues(const TGetStrProc& proc) override;
};

class TLanguagesPropertyEditor : public TPropertyEditor {
  XEL_CLASS(TLanguagesPropertyEditor, TPropertyEditor)
public:
  TPropertyAttributes GetAttributes() override { return {paDialog, paReadOnly}; }
  String GetValue() override { return "(TLanguages)"; }
  void Edit() override;
};

// The package's information box of the "About" verbs.
void ShowAboutBox();

// The localization unit's registration.
void RegisterGlotta();

}  // namespace xel

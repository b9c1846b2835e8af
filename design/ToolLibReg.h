// The design-time half of the tool library: the palette of its components, the component
// editor of the extended component base, and the custom module and property editor of the
// form base that open the size editor.
#pragma once

#include "DsgnIntf.h"

namespace xel {

class TSuperForm;

// Every descendant of TExComponent: "About...".
class TExComponentEditor : public TComponentEditor {
  XEL_CLASS(TExComponentEditor, TComponentEditor)
public:
  using TComponentEditor::TComponentEditor;
  void ExecuteVerb(int index) override;
  String GetVerb(int index) override { return index == 0 ? "About..." : String(); }
  int GetVerbCount() override { return 1; }
};

// A button panel: ready-made button sets and two button sizes.
class TButtonPanelEditor : public TComponentEditor {
  XEL_CLASS(TButtonPanelEditor, TComponentEditor)
public:
  using TComponentEditor::TComponentEditor;
  void ExecuteVerb(int index) override;
  String GetVerb(int index) override;
  int GetVerbCount() override;
};

// A push button: the roles OK, Cancel and Help, and two sizes.
class TButtonEditor : public TComponentEditor {
  XEL_CLASS(TButtonEditor, TComponentEditor)
public:
  using TComponentEditor::TComponentEditor;
  void ExecuteVerb(int index) override;
  String GetVerb(int index) override;
  int GetVerbCount() override;
};

// A TSuperForm in the designer: "Edit SuperForm..." opens the size editor.
class TSuperFormModule : public TCustomModule {
  XEL_CLASS(TSuperFormModule, TCustomModule)
public:
  using TCustomModule::TCustomModule;
  void ExecuteVerb(int index) override;
  String GetVerb(int index) override { return index == 0 ? "Edit SuperForm..." : String(); }
  int GetVerbCount() override { return 1; }
};

// The pseudo-property SuperForm: its "..." opens the size editor.
class TSuperFormPropertyEditor : public TPropertyEditor {
  XEL_CLASS(TSuperFormPropertyEditor, TPropertyEditor)
public:
  TPropertyAttributes GetAttributes() override { return {paDialog, paReadOnly}; }
  String GetValue() override { return "(TSuperForm)"; }
  void Edit() override;
};

// The size editor on a form being designed; true when the user accepted a change.
bool RunSuperFormEditor(TSuperForm* form);

// The registrations of the tool library's units.
void RegisterToolLib();

}  // namespace xel

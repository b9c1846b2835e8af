// The design-time half of the tool library: the palette of its components, the component
// editor of the extended component base, and the custom module and property editor of the
// form base that open the size editor.
#pragma once

#include "DsgnIntf.h"

namespace xel {

class TSuperForm;
class TCustomConfigFile;

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

// Every property of the type TFName: "..." opens a file-open box on the current value and
// takes the chosen file's name without its folder.
class TFileNameProperty : public TPropertyEditor {
  XEL_CLASS(TFileNameProperty, TPropertyEditor)
public:
  TPropertyAttributes GetAttributes() override { return {paDialog, paMultiSelect, paRevertable}; }
  String GetValue() override { return GetStrValue(); }
  void SetValue(const String& value) override { SetStrValue(value); }
  void Edit() override;
};

// Ports: a number from 0 to 65535 or the name of a service of the protocol ("http").
class TTCPPortProperty : public TIntegerProperty {
  XEL_CLASS(TTCPPortProperty, TIntegerProperty)
public:
  void SetValue(const String& value) override;
};

class TUDPPortProperty : public TIntegerProperty {
  XEL_CLASS(TUDPPortProperty, TIntegerProperty)
public:
  void SetValue(const String& value) override;
};

// A configuration file: "Edit..." chooses the stored properties, "About" the notice.
class TConfigFileEditor : public TComponentEditor {
  XEL_CLASS(TConfigFileEditor, TComponentEditor)
public:
  using TComponentEditor::TComponentEditor;
  void ExecuteVerb(int index) override;
  String GetVerb(int index) override;
  int GetVerbCount() override { return 2; }
};

// The pseudo-property ConfigFile: its "..." chooses the stored properties.
class TConfigFilePropertyEditor : public TPropertyEditor {
  XEL_CLASS(TConfigFilePropertyEditor, TPropertyEditor)
public:
  TPropertyAttributes GetAttributes() override { return {paDialog, paReadOnly}; }
  String GetValue() override { return "(TConfigFile)"; }
  void Edit() override;
};

// The property selection of a configuration file: the component explorer dialog on the
// components of its owner, preset with what it stores; true when the user accepted.
bool EditConfigFile(TCustomConfigFile* configFile);

// The size editor on a form being designed; true when the user accepted a change.
bool RunSuperFormEditor(TSuperForm* form);

// The registrations of the tool library's units.
void RegisterToolLib();

}  // namespace xel

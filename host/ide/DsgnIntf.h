// The editors a design package gives the designer: component editors (verbs on the context
// menu, double-click), property editors (how the inspector shows and changes one property)
// and custom modules. A package derives from these classes and registers its classes with
// the calls of DsgnRegistry.h; the designer creates an editor per use.
#pragma once

#include <functional>
#include <vector>

#include "Component.h"
#include "TypInfo.h"

namespace xel {

// What the designer offers an editor of the form being designed.
class TFormDesigner {
public:
  virtual ~TFormDesigner() = default;
  // The form changed: it is marked for saving.
  virtual void Modified() = 0;
  // The root component of the form (or data module) being designed.
  virtual TComponent* GetRoot() const = 0;
};

// ---- component editors --------------------------------------------------------------------

class TComponentEditor : public TObject {
  XEL_CLASS(TComponentEditor, TObject)
public:
  TComponentEditor(TComponent* component, TFormDesigner* designer) : FComponent(component), FDesigner(designer) {}
  TComponent* Component() const { return FComponent; }
  TFormDesigner* Designer() const { return FDesigner; }

  virtual void ExecuteVerb(int index) { (void)index; }
  virtual String GetVerb(int index) {
    (void)index;
    return String();
  }
  virtual int GetVerbCount() { return 0; }
  // Double-click. The base runs the first verb when there is one.
  virtual void Edit();

private:
  TComponent* FComponent;
  TFormDesigner* FDesigner;
};

// The editor of components without one of their own.
class TDefaultEditor : public TComponentEditor {
  XEL_CLASS(TDefaultEditor, TComponentEditor)
public:
  using TComponentEditor::TComponentEditor;
};

// ---- property editors ---------------------------------------------------------------------

XEL_ENUM(TPropertyAttribute, paValueList, paSubProperties, paDialog, paMultiSelect, paAutoUpdate, paSortList,
         paReadOnly, paRevertable)
XEL_SET(TPropertyAttributes, TPropertyAttribute)

using TGetStrProc = std::function<void(const String&)>;

// One property of the selected components. Getters read the first component; setters
// write every selected one.
class TPropertyEditor : public TObject {
  XEL_CLASS(TPropertyEditor, TObject)
public:
  TPropertyEditor() = default;
  // Done by the designer before the first use.
  void Initialize(TFormDesigner* designer, std::vector<TPersistent*> components, PPropInfo prop);

  virtual TPropertyAttributes GetAttributes() { return {paRevertable}; }
  virtual String GetValue() { return "(unknown)"; }
  virtual void SetValue(const String& value) { (void)value; }
  virtual void GetValues(const TGetStrProc& proc) { (void)proc; }
  // The "..." button of a dialog property.
  virtual void Edit() {}

  String GetName() const { return FProp ? FProp->Name() : String(); }
  PPropInfo GetPropInfo() const { return FProp; }
  PTypeInfo GetPropType() const { return FProp ? FProp->PropType() : nullptr; }
  int PropCount() const { return static_cast<int>(FComponents.size()); }
  TPersistent* GetComponent(int index) const { return FComponents.at(static_cast<size_t>(index)); }
  TFormDesigner* Designer() const { return FDesigner; }
  void Modified();

protected:
  String GetStrValue() const;
  void SetStrValue(const String& value);
  Int64 GetOrdValue() const;
  void SetOrdValue(Int64 value);

private:
  TFormDesigner* FDesigner = nullptr;
  std::vector<TPersistent*> FComponents;
  PPropInfo FProp = nullptr;
};

// An enumeration: its value names in a list.
class TEnumProperty : public TPropertyEditor {
  XEL_CLASS(TEnumProperty, TPropertyEditor)
public:
  TPropertyAttributes GetAttributes() override { return {paMultiSelect, paValueList, paSortList, paRevertable}; }
  String GetValue() override;
  void SetValue(const String& value) override;
  void GetValues(const TGetStrProc& proc) override;
};

class TStringProperty : public TPropertyEditor {
  XEL_CLASS(TStringProperty, TPropertyEditor)
public:
  TPropertyAttributes GetAttributes() override { return {paMultiSelect, paRevertable}; }
  String GetValue() override { return GetStrValue(); }
  void SetValue(const String& value) override { SetStrValue(value); }
};

// Raises EPropertyError for a text that is no number or lies outside the type's range.
class TIntegerProperty : public TPropertyEditor {
  XEL_CLASS(TIntegerProperty, TPropertyEditor)
public:
  TPropertyAttributes GetAttributes() override { return {paMultiSelect, paRevertable}; }
  String GetValue() override;
  void SetValue(const String& value) override;
};

// Booleans and the other kinds the designer offers without a registered editor.
class TBoolProperty : public TEnumProperty {
  XEL_CLASS(TBoolProperty, TEnumProperty)
public:
  TPropertyAttributes GetAttributes() override { return {paMultiSelect, paValueList, paRevertable}; }
};

// Sets, floats and variants as the streaming system writes them; objects read-only.
class TGenericProperty : public TPropertyEditor {
  XEL_CLASS(TGenericProperty, TPropertyEditor)
public:
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
  void SetValue(const String& value) override;
};

// ---- custom modules -----------------------------------------------------------------------

XEL_ENUM(TCustomModuleAttribute, cmaVirtualSize)
XEL_SET(TCustomModuleAttributes, TCustomModuleAttribute)

// What the designer offers for a form class of the package (a form base with properties of
// its own): attributes and verbs on the form's own context menu.
class TCustomModule : public TObject {
  XEL_CLASS(TCustomModule, TObject)
public:
  TCustomModule(TComponent* root, TFormDesigner* designer) : FRoot(root), FDesigner(designer) {}
  TComponent* Root() const { return FRoot; }
  TFormDesigner* Designer() const { return FDesigner; }
  virtual TCustomModuleAttributes GetAttributes() { return {}; }
  virtual void ExecuteVerb(int index) { (void)index; }
  virtual String GetVerb(int index) {
    (void)index;
    return String();
  }
  virtual int GetVerbCount() { return 0; }

private:
  TComponent* FRoot;
  TFormDesigner* FDesigner;
};

}  // namespace xel

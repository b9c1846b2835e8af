// A drop-down list of the values of an enumeration: bound to a published enumeration
// property of a component it shows that property's value names and writes the one the user
// picks; unbound, it offers the names of a type given in code.
#pragma once

#include "StdCtrls.h"

namespace xel {

class TEnumComboBox : public TCustomComboBox {
  XEL_CLASS(TEnumComboBox, TCustomComboBox)
public:
  explicit TEnumComboBox(TComponent* owner);

  // The type whose names are offered: the bound property's, or the one given here.
  PTypeInfo EnumType() const { return FEnumType; }
  void SetEnumType(PTypeInfo type);
  // The ordinal value picked, or -1.
  Integer GetValue() const;
  void SetValue(Integer v);
  // Reads the bound property's value again.
  void Refresh();

  TComponent* GetComponent() const { return FComponent; }
  void SetComponent(TComponent* v);
  const String& GetPropName() const { return FPropName; }
  void SetPropName(const String& v);

  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

  static auto Published() {
    using C = TEnumComboBox;
    return PropTable<C>(Prop("Align", &C::GetAlign, &C::SetAlign).Default(alNone),
                        Prop("Component", &C::GetComponent, &C::SetComponent),
                        Prop("PropName", &C::GetPropName, &C::SetPropName),
                        Prop("DropDownCount", &C::GetDropDownCount, &C::SetDropDownCount).Default(8),
                        XEL_WIN_COMMON(C), Prop("OnChange", &C::OnChange, &C::OnChange),
                        Prop("OnClick", &C::OnClick, &C::OnClick));
  }

protected:
  // A pick of the user writes the bound property before OnChange.
  void Change() override;

private:
  // The bound property when it exists and is an enumeration.
  PPropInfo BoundProp() const;
  void Bind();
  TComponent* FComponent = nullptr;
  String FPropName;
  PTypeInfo FEnumType = nullptr;
};

void RegisterEnumComboBoxClasses();

}  // namespace xel

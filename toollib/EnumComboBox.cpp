#include "EnumComboBox.h"

#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/EnumComboBox.cpp 1 11.12.26 4:35 XG $")

namespace xel {

TEnumComboBox::TEnumComboBox(TComponent* owner) : TCustomComboBox(owner) { SetStyle(csDropDownList); }

PPropInfo TEnumComboBox::BoundProp() const {
  if (!FComponent || FPropName.empty()) return nullptr;
  PPropInfo prop = GetPropInfo(FComponent, FPropName);
  return prop && prop->Kind() == tkEnumeration ? prop : nullptr;
}

void TEnumComboBox::SetEnumType(PTypeInfo type) {
  FEnumType = type && type->Kind == tkEnumeration ? type : nullptr;
  TStrings* items = GetItems();
  items->BeginUpdate();
  items->Clear();
  if (FEnumType)
    for (Int64 v = FEnumType->Data.MinValue; v <= FEnumType->Data.MaxValue; ++v) items->Add(GetEnumName(FEnumType, v));
  items->EndUpdate();
  SetItemIndex(-1);
}

Integer TEnumComboBox::GetValue() const {
  return FEnumType && GetItemIndex() >= 0 ? static_cast<Integer>(FEnumType->Data.MinValue) + GetItemIndex() : -1;
}

void TEnumComboBox::SetValue(Integer v) {
  if (!FEnumType || v < FEnumType->Data.MinValue || v > FEnumType->Data.MaxValue) SetItemIndex(-1);
  else SetItemIndex(v - static_cast<Integer>(FEnumType->Data.MinValue));
}

void TEnumComboBox::Refresh() {
  if (PPropInfo prop = BoundProp()) SetValue(static_cast<Integer>(GetOrdProp(FComponent, prop)));
}

// While the form loads, the component named may not exist yet; Loaded binds then.
void TEnumComboBox::Bind() {
  if (ComponentState().Contains(csLoading)) return;
  PPropInfo prop = BoundProp();
  SetEnumType(prop ? prop->PropType() : nullptr);
  Refresh();
}

void TEnumComboBox::SetComponent(TComponent* v) {
  if (v == FComponent) return;
  if (FComponent) FComponent->RemoveFreeNotification(this);
  FComponent = v;
  if (FComponent) FComponent->FreeNotification(this);
  Bind();
}

void TEnumComboBox::SetPropName(const String& v) {
  FPropName = v;
  Bind();
}

void TEnumComboBox::Loaded() {
  TCustomComboBox::Loaded();
  Bind();
}

void TEnumComboBox::Notification(TComponent* component, TOperation operation) {
  TCustomComboBox::Notification(component, operation);
  if (operation == opRemove && component == FComponent) {
    FComponent = nullptr;
    SetEnumType(nullptr);
  }
}

void TEnumComboBox::Change() {
  PPropInfo prop = BoundProp();
  if (prop && prop->Writable() && GetValue() >= 0) SetOrdProp(FComponent, prop, GetValue());
  TCustomComboBox::Change();
}

void RegisterEnumComboBoxClasses() { RegisterClasses({TEnumComboBox::StaticClass()}); }

}  // namespace xel

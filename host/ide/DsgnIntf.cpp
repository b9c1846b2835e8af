#include "DsgnIntf.h"

#include "Filer.h"
#include "Format.h"
#include "SysUtils.h"

namespace xel {

void TComponentEditor::Edit() {
  if (GetVerbCount() > 0) ExecuteVerb(0);
}

void TPropertyEditor::Initialize(TFormDesigner* designer, std::vector<TPersistent*> components, PPropInfo prop) {
  FDesigner = designer;
  FComponents = std::move(components);
  FProp = prop;
}

void TPropertyEditor::Modified() {
  if (FDesigner) FDesigner->Modified();
}

String TPropertyEditor::GetStrValue() const { return FComponents.empty() ? String() : FProp->GetStr(FComponents[0]); }

void TPropertyEditor::SetStrValue(const String& value) {
  for (TPersistent* c : FComponents) FProp->SetStr(c, value);
  Modified();
}

Int64 TPropertyEditor::GetOrdValue() const { return FComponents.empty() ? 0 : FProp->GetOrd(FComponents[0]); }

void TPropertyEditor::SetOrdValue(Int64 value) {
  for (TPersistent* c : FComponents) FProp->SetOrd(c, value);
  Modified();
}

String TEnumProperty::GetValue() { return GetEnumName(GetPropType(), GetOrdValue()); }

void TEnumProperty::SetValue(const String& value) {
  const Int64 v = GetEnumValue(GetPropType(), value);
  if (v < 0) throw EPropertyError(Format("Invalid property value: %s", {value}));
  SetOrdValue(v);
}

void TEnumProperty::GetValues(const TGetStrProc& proc) {
  for (const String& name : GetTypeData(GetPropType())->NameList) proc(name);
}

// Integer types with named values (colours, cursors) show and take the names.
String TIntegerProperty::GetValue() {
  const Int64 v = GetOrdValue();
  String ident;
  return IntToIdent(GetPropType(), v, ident) ? ident : IntToStr(v);
}

void TIntegerProperty::SetValue(const String& value) {
  Int64 v;
  if (!IdentToInt(GetPropType(), Trim(value), v) && !TryStrToInt64(Trim(value), v)) throw EPropertyError(Format("'%s' is not a valid integer value", {value}));
  const TTypeData* data = GetTypeData(GetPropType());
  if (data->MinValue < data->MaxValue && (v < data->MinValue || v > data->MaxValue))
    throw EPropertyError(Format("Value must be between %d and %d", {data->MinValue, data->MaxValue}));
  SetOrdValue(v);
}

TPropertyAttributes TGenericProperty::GetAttributes() {
  const TTypeKind kind = GetPropInfo()->Kind();
  if (kind == tkClass || kind == tkMethod || !GetPropInfo()->Writable()) return {paReadOnly};
  return {paMultiSelect, paRevertable};
}

String TGenericProperty::GetValue() {
  if (PropCount() == 0) return String();
  TPersistent* c = GetComponent(0);
  switch (GetPropInfo()->Kind()) {
    case tkClass: {
      TObject* o = GetObjectProp(c, GetPropInfo());
      return o ? "(" + o->ClassName() + ")" : String();
    }
    case tkMethod:
      return String();
    default:
      return VarToStr(GetPropValue(c, GetName(), true));
  }
}

void TGenericProperty::SetValue(const String& value) {
  if (GetAttributes().Contains(paReadOnly)) return;
  for (int i = 0; i < PropCount(); ++i) SetPropValue(GetComponent(i), GetName(), Variant(value));
  Modified();
}

}  // namespace xel

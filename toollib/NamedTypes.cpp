#include "NamedTypes.h"

#include "SysUtils.h"
#include "Format.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/NamedTypes.cpp 1 11.12.26 4:05 XG $")

namespace xel {

namespace {

// The property as it was, seen through another type of the same kind.
class TRetypedPropInfo final : public TPropInfo {
public:
  TRetypedPropInfo(std::unique_ptr<TPropInfo> inner, PTypeInfo type) : FInner(std::move(inner)) {
    FName = FInner->Name();
    FPropType = type;
    FDeclaringClass = FInner->DeclaringClass();
    FIndex = FInner->Index();
    FDefault = FInner->Default();
    FReadable = FInner->Readable();
    FWritable = FInner->Writable();
    FNameIndex = FInner->NameIndex();
    FStoredKind = FInner->HasStoredProc() ? StoredByMethod : StoredAlways;
  }
  String GetStr(const TObject* obj) const override { return FInner->GetStr(obj); }
  void GetStrTo(const TObject* obj, String& out) const override { FInner->GetStrTo(obj, out); }
  void SetStr(TObject* obj, const String& value) const override { FInner->SetStr(obj, value); }
  Variant GetVariant(const TObject* obj) const override { return FInner->GetVariant(obj); }
  void SetVariant(TObject* obj, const Variant& value) const override { FInner->SetVariant(obj, value); }
  bool IsStored(const TObject* obj) const override { return FInner->IsStored(obj); }

private:
  std::unique_ptr<TPropInfo> FInner;
};

}  // namespace

PTypeInfo TypeInfoOf(TypeTag<TFName>) {
  static const TTypeInfo info = [] {
    TTypeInfo ti;
    ti.Kind = TypeInfo<String>()->Kind;
    ti.Name = "TFName";
    return ti;
  }();
  return &info;
}

std::unique_ptr<TPropInfo> RetypeStringProp(std::unique_ptr<TPropInfo> prop, PTypeInfo type) {
  if (!prop || !type || prop->Kind() != type->Kind)
    throw EPropertyError(Format("RetypeStringProp: %s is no property of the kind of %s",
                                {prop ? prop->Name() : String("(none)"), type ? type->Name : String("(none)")}));
  return std::make_unique<TRetypedPropInfo>(std::move(prop), type);
}

}  // namespace xel

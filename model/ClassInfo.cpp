#include "ClassInfo.h"

#include <cstring>

#include "ConvertTools.h"
#include "Format.h"
#include "TypeTools.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /model/ClassInfo.cpp 1 10.12.26 15:20 XG $")

namespace xel {

namespace {

constexpr int PointerDigits = static_cast<int>(2 * sizeof(void*));

String AddressText(const void* p) {
  return IntToHex(static_cast<Int64>(reinterpret_cast<std::uintptr_t>(p)), PointerDigits) + "h";
}

// The objects a text address may name: nil, the value the property holds now, and the
// components of the instance's owner tree. Anything else would be a dangling pointer.
bool KnownComponent(TObject* instance, const TObject* target) {
  auto* c = dynamic_cast<TComponent*>(instance);
  for (TComponent* root = c; root; root = root->Owner()) {
    if (root == target) return true;
    for (int i = 0; i < root->ComponentCount(); ++i)
      if (root->Components(i) == target) return true;
  }
  return false;
}

}  // namespace

TClassInfo::TClassInfo(TObject* instance) { SetInstance(instance); }

TClassInfo::TClassInfo(TObject* instance, PPropInfo descriptor) : FGiven(descriptor) {
  SetInstance(instance);
  Select(0);
}

void TClassInfo::SetInstance(TObject* instance) {
  FInstance = instance;
  FClassTypeInfo = instance ? instance->ClassType()->ClassInfo() : nullptr;
  FClassTypeData = GetTypeData(FClassTypeInfo);
  FHasList = !FGiven;
  FPropList = FHasList && instance ? GetPropList(FClassTypeInfo) : TPropList();
  FCount = FGiven ? 1 : static_cast<int>(FPropList.size());
  FIndex = -1;
  FPropInfo = nullptr;
  FPropType = nullptr;
  FOrdinal = FText = false;
  FKind = tkUnknown;
  FAccess = 0;
  FPropIndex = -1;
}

void TClassInfo::Fail(const char* op, const String& message) const {
  throw EObjectBrowseError(ClassName() + "." + op + ": " + message);
}

bool TClassInfo::Select(int index) {
  if (index < 0 || index >= FCount) throw EObjectBrowseError(ClassName() + ".Select: Invalid Index");
  FPropInfo = FHasList ? FPropList[static_cast<size_t>(index)] : FGiven;
  FIndex = index;
  FPropType = FPropInfo ? FPropInfo->PropType() : nullptr;
  if (!FPropType) {
    FKind = tkUnknown;
    FOrdinal = FText = false;
    FAccess = 0;
    FPropIndex = -1;
    return false;
  }
  FKind = FPropType->Kind;
  FOrdinal = FKind == tkInteger || FKind == tkChar || FKind == tkWChar || FKind == tkEnumeration ||
             FKind == tkSet || FKind == tkClass;
  FText = FKind == tkString || FKind == tkLString || FKind == tkWString;
  FAccess = (FPropInfo->Readable() ? 1 : 0) | (FPropInfo->Writable() ? 2 : 0);
  FPropIndex = FPropInfo->Index();
  return true;
}

void TClassInfo::CheckAccess(const char* op, bool write) const {
  if (FIndex < 0) Fail(op, "No property selected");
  if (!FPropInfo) Fail(op, "Property information not available");
  if (!FPropType) Fail(op, "Property type information not available");
  if (!(FAccess & (write ? 2 : 1))) Fail(op, "Method for read or write access not available");
}

String TClassInfo::Name() const { return FPropInfo ? FPropInfo->Name() : String(); }
String TClassInfo::Typ() const { return FPropType ? FPropType->Name : String(); }
String TClassInfo::UnitName() const { return FClassTypeData ? FClassTypeData->UnitName : String(); }

String TClassInfo::TypDef() const {
  if (!FPropType) return {};
  if (FKind == tkEnumeration) return "(" + EnumTypeDecl(FPropType) + ")";
  if (FKind == tkSet) return "[" + SetTypeDecl(FPropType) + "]";
  return {};
}

Int64 TClassInfo::DefaultInteger() const { return FPropInfo ? FPropInfo->Default() : NoDefault; }

bool TClassInfo::IsStored() const { return FPropInfo && FInstance && FPropInfo->IsStored(FInstance); }

Variant TClassInfo::Default() const {
  if (FPropInfo && FOrdinal && FPropInfo->HasDefault()) return FormatValue(FPropInfo->Default());
  return EmptyValue();
}

Variant TClassInfo::GetValue() const {
  CheckAccess("GetValue", false);
  switch (FKind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
      return Variant(FPropInfo->GetOrd(FInstance));
    case tkEnumeration:
      return Variant(EnumToStr(FPropType, FPropInfo->GetOrd(FInstance)));
    case tkFloat:
      return Variant(static_cast<double>(FPropInfo->GetFloat(FInstance)));
    case tkString:
    case tkLString:
    case tkWString:
      return Variant(FPropInfo->GetStr(FInstance));
    case tkSet:
      return Variant(SetToStr(FPropType, static_cast<std::uint32_t>(FPropInfo->GetOrd(FInstance))));
    case tkClass:
      return Variant(AddressText(GetObjectProp(FInstance, FPropInfo)));
    case tkMethod: {
      TMethod m = FPropInfo->GetMethod(FInstance);
      return Variant(AddressText(m.Code).substr(0, PointerDigits) + AddressText(m.Data));
    }
    case tkVariant:
      return FPropInfo->GetVariant(FInstance);
    default:
      Fail("GetValue", "Type cannot be handled");
  }
}

// A character travels as its text (FormatValue, the language slots): one character is
// that character and the empty text is #0; a number is the code itself.
Integer TClassInfo::CharCode(const Variant& value) const {
  if (!value.IsStringType()) return value.AsInteger();
  const String text = value.AsString();
  if (text.empty()) return 0;
  if (FKind == tkChar) {
    if (text.size() == 1) return static_cast<Byte>(text[0]);
  } else if (WideString w = Utf8ToWide(text); w.size() == 1) {
    return w[0];
  }
  return value.AsInteger();
}

void TClassInfo::SetValue(const Variant& value) {
  CheckAccess("SetValue", true);
  switch (FKind) {
    case tkInteger:
      FPropInfo->SetOrd(FInstance, value.AsInteger());
      break;
    case tkChar:
    case tkWChar:
      FPropInfo->SetOrd(FInstance, CharCode(value));
      break;
    case tkEnumeration:
      FPropInfo->SetOrd(FInstance, StrToEnum(FPropType, value.AsString()));
      break;
    case tkFloat:
      FPropInfo->SetFloat(FInstance, value.AsFloat());
      break;
    case tkString:
    case tkLString:
    case tkWString:
      FPropInfo->SetStr(FInstance, value.AsString());
      break;
    case tkSet:
      FPropInfo->SetOrd(FInstance, StrToSet(FPropType, value.AsString()));
      break;
    case tkClass: {
      auto* target = reinterpret_cast<TObject*>(static_cast<std::uintptr_t>(HexToInt(value.AsString())));
      if (target && target != GetObjectProp(FInstance, FPropInfo) && !KnownComponent(FInstance, target))
        Fail("SetValue", "Invalid object reference");
      SetObjectProp(FInstance, FPropInfo, target);
      break;
    }
    case tkMethod: {
      String s = value.AsString();
      if (s.size() != static_cast<size_t>(2 * PointerDigits + 1) || s.back() != 'h')
        Fail("SetValue", "Invalid method descriptor");
      auto* code = reinterpret_cast<void*>(static_cast<std::uintptr_t>(HexToInt(s.substr(0, PointerDigits))));
      auto* data = reinterpret_cast<void*>(
          static_cast<std::uintptr_t>(HexToInt(s.substr(PointerDigits, PointerDigits))));
      TMethod m{code, data};
      // Only nil, the value held now, or a published method of a component of the owner
      // tree can be named by text; any other pair would be called as code.
      bool known = !code || m == FPropInfo->GetMethod(FInstance);
      auto* c = dynamic_cast<TComponent*>(FInstance);
      for (TComponent* root = c; !known && root; root = root->Owner())
        known = MethodAddress(root, MethodName(root, code)) == m;
      if (!known) Fail("SetValue", "Invalid method descriptor");
      FPropInfo->SetMethod(FInstance, m);
      break;
    }
    case tkVariant:
      FPropInfo->SetVariant(FInstance, value);
      break;
    default:
      Fail("SetValue", "Type cannot be handled");
  }
}

Variant TClassInfo::EmptyValue() const {
  if (!FPropInfo || !FPropType) return Variant(String());
  if (FOrdinal && FPropInfo->HasDefault()) return Variant(FPropInfo->Default());
  const TTypeData& d = FPropType->Data;
  switch (FKind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
      return Variant((0 < d.MinValue || 0 > d.MaxValue) ? d.MinValue : 0);
    case tkSet:
      if (d.CompType && d.CompType->Data.MinValue <= 0 && d.CompType->Data.MaxValue >= 0) return Variant(0);
      return Variant(String());
    default:
      return Variant(String());
  }
}

Variant TClassInfo::FormatValue(Int64 number) const {
  switch (FKind) {
    case tkChar:
      return Variant(String(1, static_cast<char>(number)));
    case tkWChar:
      return Variant(WideToUtf8(std::u16string(1, static_cast<char16_t>(number))));
    case tkEnumeration:
      return Variant(EnumToStr(FPropType, number));
    case tkSet:
      return Variant(SetToStr(FPropType, static_cast<std::uint32_t>(number)));
    default:
      return Variant(number);
  }
}

TObject* TClassInfo::GetAsObject() const {
  CheckAccess("GetAsObject", false);
  if (FKind != tkClass) Fail("GetAsObject", "Property is not an object reference");
  return GetObjectProp(FInstance, FPropInfo);
}

void TClassInfo::SetAsObject(TObject* value) {
  CheckAccess("SetAsObject", true);
  if (FKind != tkClass) Fail("SetAsObject", "Property is not an object reference");
  SetObjectProp(FInstance, FPropInfo, value);
}

Int64 TClassInfo::GetAsInteger() const {
  CheckAccess("GetAsInteger", false);
  if (FKind == tkInt64) return FPropInfo->GetInt64(FInstance);
  if (!FOrdinal || FKind == tkClass) Fail("GetAsInteger", "Property is not ordinal");
  return FPropInfo->GetOrd(FInstance);
}

void TClassInfo::SetAsInteger(Int64 value) {
  CheckAccess("SetAsInteger", true);
  if (FKind == tkInt64) return FPropInfo->SetInt64(FInstance, value);
  if (!FOrdinal || FKind == tkClass) Fail("SetAsInteger", "Property is not ordinal");
  FPropInfo->SetOrd(FInstance, value);
}

TMethod TClassInfo::GetAsMethod() const {
  CheckAccess("GetAsMethod", false);
  if (FKind != tkMethod) Fail("GetAsMethod", "Property is not a method");
  return FPropInfo->GetMethod(FInstance);
}

void TClassInfo::SetAsMethod(TMethod value) {
  CheckAccess("SetAsMethod", true);
  if (FKind != tkMethod) Fail("SetAsMethod", "Property is not a method");
  FPropInfo->SetMethod(FInstance, value);
}

double TClassInfo::GetAsFloat() const {
  CheckAccess("GetAsFloat", false);
  if (FKind != tkFloat) Fail("GetAsFloat", "Property is not a float");
  return static_cast<double>(FPropInfo->GetFloat(FInstance));
}

void TClassInfo::SetAsFloat(double value) {
  CheckAccess("SetAsFloat", true);
  if (FKind != tkFloat) Fail("SetAsFloat", "Property is not a float");
  FPropInfo->SetFloat(FInstance, value);
}

String TClassInfo::GetAsString() const {
  CheckAccess("GetAsString", false);
  if (!FText) Fail("GetAsString", "Property is not a string");
  return FPropInfo->GetStr(FInstance);
}

void TClassInfo::SetAsString(const String& value) {
  CheckAccess("SetAsString", true);
  if (!FText) Fail("SetAsString", "Property is not a string");
  FPropInfo->SetStr(FInstance, value);
}

int TClassInfo::Size() const {
  if (!FPropType) return 0;
  switch (FKind) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
      switch (FPropType->Data.OrdType) {
        case otSByte: case otUByte: return FKind == tkSet ? 4 : 1;
        case otSWord: case otUWord: return 2;
        default: return 4;
      }
    case tkFloat:
      switch (FPropType->Data.FloatType) {
        case ftSingle: return 4;
        case ftExtended: return 10;
        default: return 8;
      }
    case tkInt64: return 8;
    case tkVariant: return 16;
    case tkMethod: return static_cast<int>(2 * sizeof(void*));
    default: return static_cast<int>(sizeof(void*));
  }
}

void TClassInfo::CopyTo(void* buffer) const {
  CheckAccess("CopyTo", false);
  int n = Size();
  if (FKind == tkFloat) {
    long double v = FPropInfo->GetFloat(FInstance);
    if (n == 4) { float f = static_cast<float>(v); std::memcpy(buffer, &f, 4); }
    else if (n == 8) { double d = static_cast<double>(v); std::memcpy(buffer, &d, 8); }
    else std::memcpy(buffer, &v, 10);
  } else if ((FOrdinal && FKind != tkClass) || FKind == tkInt64) {
    Int64 v = FKind == tkInt64 ? FPropInfo->GetInt64(FInstance) : FPropInfo->GetOrd(FInstance);
    std::memcpy(buffer, &v, static_cast<size_t>(n));
  } else {
    Fail("CopyTo", "Type cannot be handled");
  }
}

void TClassInfo::CopyFrom(const void* buffer) {
  CheckAccess("CopyFrom", true);
  int n = Size();
  if (FKind == tkFloat) {
    long double v = 0;
    if (n == 4) { float f; std::memcpy(&f, buffer, 4); v = f; }
    else if (n == 8) { double d; std::memcpy(&d, buffer, 8); v = d; }
    else std::memcpy(&v, buffer, 10);
    FPropInfo->SetFloat(FInstance, v);
  } else if ((FOrdinal && FKind != tkClass) || FKind == tkInt64) {
    Int64 v = 0;
    std::memcpy(&v, buffer, static_cast<size_t>(n));
    bool isSigned = FPropType->Data.OrdType == otSByte || FPropType->Data.OrdType == otSWord ||
                    FPropType->Data.OrdType == otSLong;
    if (isSigned && n < 8 && FKind == tkInteger) v = (v << (64 - 8 * n)) >> (64 - 8 * n);
    if (FKind == tkInt64) FPropInfo->SetInt64(FInstance, v);
    else FPropInfo->SetOrd(FInstance, v);
  } else {
    Fail("CopyFrom", "Type cannot be handled");
  }
}

}  // namespace xel

#include "TypInfo.h"

#include <bit>
#include <cstring>

#include "Format.h"
#include "PropTable.h"

namespace xel {

// ---- TObject ---------------------------------------------------------------------------

TClass TObject::StaticClass() {
  static const TMetaClass meta("TObject", nullptr, "System", [](TObject*) -> TObject* { return new TObject(); }, false,
                               nullptr);
  return &meta;
}

const String& TObject::ClassName() const { return ClassType()->ClassName(); }
TClass TObject::ClassParent() const { return ClassType()->ClassParent(); }
bool TObject::InheritsFrom(TClass cls) const { return ClassType()->InheritsFrom(cls); }
bool TObject::ClassNameIs(std::string_view name) const { return ClassType()->ClassNameIs(name); }

// ---- TMetaClass ------------------------------------------------------------------------

TMetaClass::TMetaClass(const char* name, TClass parent, String unitName, TFactory factory, bool needsArg,
                       TPropsBuilder builder, TMethodsBuilder methods)
    : FParent(parent), FFactory(factory), FNeedsArg(needsArg), FBuilder(builder), FMethodsBuilder(methods) {
  FTypeInfo.Kind = tkClass;
  FTypeInfo.Name = name;
  FTypeInfo.Data.ClassType = this;
  FTypeInfo.Data.ParentInfo = parent ? parent->ClassInfo() : nullptr;
  FTypeInfo.Data.UnitName = std::move(unitName);
}

bool TMetaClass::InheritsFrom(TClass cls) const {
  for (TClass c = this; c; c = c->FParent)
    if (c == cls) return true;
  return false;
}

TObject* TMetaClass::Create(TObject* arg) const {
  if (!FFactory) throw EInvalidOperation(Format("Cannot create an instance of the abstract class %s", {ClassName()}));
  return FFactory(arg);
}

namespace {
// The first eight bytes of a name, zero-padded: most names of a lookup are spelled as
// declared and most are no longer than that, so one comparison settles them.
inline std::uint64_t NameHead(std::string_view name) {
  std::uint64_t head = 0;
  if (name.size() >= 8) std::memcpy(&head, name.data(), 8);
  else for (size_t i = 0; i < name.size(); ++i) head |= static_cast<std::uint64_t>(static_cast<unsigned char>(name[i])) << (8 * i);
  return head;
}

}  // namespace

void TMetaClass::Build() const {
  if (FBuilt.load(std::memory_order_acquire)) return;
  std::call_once(FBuildOnce, [this] {
    if (FBuilder) FBuilder(FOwnProps, this);
    if (FMethodsBuilder) FMethodsBuilder(FMethods);
    if (FParent) FProps = FParent->Props();
    for (auto& own : FOwnProps) {
      bool replaced = false;
      for (auto& p : FProps)
        if (SameText(p->Name(), own->Name())) {
          p = own.get();
          replaced = true;
          break;
        }
      if (!replaced) FProps.push_back(own.get());
    }
    size_t size = 8;
    while (size < FProps.size() * 2) size *= 2;
    FIndexTable.assign(size, TIndexEntry{});
    for (PPropInfo p : FProps) {
      auto h = static_cast<std::uint32_t>(HashText(p->Name()));
      size_t i = h & (size - 1);
      while (FIndexTable[i].Prop) i = (i + 1) & (size - 1);
      FIndexTable[i] = {h, static_cast<std::uint32_t>(p->Name().size()), NameHead(p->Name()), p};
    }
    FBuilt.store(true, std::memory_order_release);
  });
}

const TPropList& TMetaClass::Props() const {
  Build();
  return FProps;
}

const std::vector<std::unique_ptr<TPropInfo>>& TMetaClass::OwnProps() const {
  Build();
  return FOwnProps;
}

namespace {
// SameText for the short identifiers of properties, kept inline on the lookup path.
inline bool SameNameAscii(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x == y) continue;
    unsigned char lx = x | 0x20u;
    if ((x ^ y) != 0x20u || lx < 'a' || lx > 'z') return false;
  }
  return true;
}
}  // namespace

PPropInfo TMetaClass::FindProp(std::string_view name) const {
  Build();
  auto h = static_cast<std::uint32_t>(HashText(name));
  auto len = static_cast<std::uint32_t>(name.size());
  std::uint64_t head = NameHead(name);
  size_t mask = FIndexTable.size() - 1;
  for (size_t i = h & mask;; i = (i + 1) & mask) {
    const TIndexEntry& e = FIndexTable[i];
    if (!e.Prop) return nullptr;
    if (e.Hash != h || e.Length != len) continue;
    if ((len <= 8 && e.Head == head) || SameNameAscii(e.Prop->Name(), name)) return e.Prop;
  }
}

const TMethodEntry* TMetaClass::FindMethod(std::string_view name) const {
  for (TClass c = this; c; c = c->FParent) {
    c->Build();
    for (const TMethodEntry& m : c->FMethods)
      if (SameText(m.Name, name)) return &m;
  }
  return nullptr;
}

const TMethodEntry* TMetaClass::FindMethodByCode(const void* code) const {
  for (TClass c = this; c; c = c->FParent) {
    c->Build();
    for (const TMethodEntry& m : c->FMethods)
      if (m.Code == code) return &m;
  }
  return nullptr;
}

TMethod MethodAddress(TObject* instance, std::string_view name) {
  if (!instance) return {};
  const TMethodEntry* m = instance->ClassType()->FindMethod(name);
  return m ? TMethod{m->Code, m->DataOf(instance)} : TMethod{};
}

String MethodName(const TObject* instance, const void* code) {
  if (!instance || !code) return {};
  const TMethodEntry* m = instance->ClassType()->FindMethodByCode(code);
  return m ? m->Name : String();
}

// ---- TPropInfo -------------------------------------------------------------------------

void TPropInfo::KindError() const {
  throw EPropertyError(Format(SConst::InvalidPropertyType, {FPropType ? FPropType->Name : String("?")}));
}

void TPropInfo::ReadOnlyError() const { throw EPropertyError(SConst::ReadOnlyProperty); }

Int64 TPropInfo::GetOrd(const TObject*) const { KindError(); }
void TPropInfo::SetOrd(TObject*, Int64) const { KindError(); }
Int64 TPropInfo::GetInt64(const TObject*) const { KindError(); }
void TPropInfo::SetInt64(TObject*, Int64) const { KindError(); }
long double TPropInfo::GetFloat(const TObject*) const { KindError(); }
void TPropInfo::SetFloat(TObject*, long double) const { KindError(); }
String TPropInfo::GetStr(const TObject*) const { KindError(); }
void TPropInfo::SetStr(TObject*, const String&) const { KindError(); }
Variant TPropInfo::GetVariant(const TObject*) const { KindError(); }
void TPropInfo::SetVariant(TObject*, const Variant&) const { KindError(); }
TMethod TPropInfo::GetMethod(const TObject*) const { KindError(); }
void TPropInfo::SetMethod(TObject*, TMethod) const { KindError(); }
bool TPropInfo::IsStored(const TObject*) const { return FStoredKind == StoredAlways; }

// ---- Type information of the built-in types ----------------------------------------------

namespace {

TTypeInfo Ordinal(TTypeKind kind, const char* name, TOrdType ot, Int64 lo, Int64 hi) {
  TTypeInfo ti;
  ti.Kind = kind;
  ti.Name = name;
  ti.Data.OrdType = ot;
  ti.Data.MinValue = lo;
  ti.Data.MaxValue = hi;
  return ti;
}

TTypeInfo Simple(TTypeKind kind, const char* name) {
  TTypeInfo ti;
  ti.Kind = kind;
  ti.Name = name;
  return ti;
}

TTypeInfo FloatType(const char* name, TFloatType ft) {
  TTypeInfo ti = Simple(tkFloat, name);
  ti.Data.FloatType = ft;
  return ti;
}

}  // namespace

#define XEL_BUILTIN(Type, ...)                  \
  PTypeInfo TypeInfoOf(TypeTag<Type>) {         \
    static const TTypeInfo info = __VA_ARGS__;  \
    return &info;                               \
  }

TTypeInfo MakeIntegerTypeInfo(const char* name) { return Ordinal(tkInteger, name, otSLong, INT32_MIN, INT32_MAX); }

XEL_BUILTIN(bool, MakeEnumTypeInfo("Boolean", "False, True"))
XEL_BUILTIN(char, Ordinal(tkChar, "Char", otUByte, 0, 255))
XEL_BUILTIN(char16_t, Ordinal(tkWChar, "WideChar", otUWord, 0, 65535))
XEL_BUILTIN(ShortInt, Ordinal(tkInteger, "ShortInt", otSByte, -128, 127))
XEL_BUILTIN(Byte, Ordinal(tkInteger, "Byte", otUByte, 0, 255))
XEL_BUILTIN(SmallInt, Ordinal(tkInteger, "SmallInt", otSWord, -32768, 32767))
XEL_BUILTIN(Word, Ordinal(tkInteger, "Word", otUWord, 0, 65535))
XEL_BUILTIN(Integer, Ordinal(tkInteger, "Integer", otSLong, INT32_MIN, INT32_MAX))
XEL_BUILTIN(Cardinal, Ordinal(tkInteger, "Cardinal", otULong, 0, UINT32_MAX))
XEL_BUILTIN(Int64, Ordinal(tkInt64, "Int64", otSLong, INT64_MIN, INT64_MAX))
XEL_BUILTIN(float, FloatType("Single", ftSingle))
XEL_BUILTIN(double, FloatType("Double", ftDouble))
XEL_BUILTIN(long double, FloatType("Extended", ftExtended))
XEL_BUILTIN(Currency, FloatType("Currency", ftCurr))
XEL_BUILTIN(TDateTime, FloatType("TDateTime", ftDouble))
XEL_BUILTIN(String, Simple(tkLString, "String"))
XEL_BUILTIN(WideString, Simple(tkWString, "WideString"))
XEL_BUILTIN(Variant, Simple(tkVariant, "Variant"))
XEL_BUILTIN(TTypeKind, MakeEnumTypeInfo("TTypeKind",
                                        "tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, "
                                        "tkClass, tkMethod, tkWChar, tkLString, tkWString, tkVariant, tkArray, "
                                        "tkRecord, tkInterface, tkInt64, tkDynArray"))
XEL_BUILTIN(TTypeKinds, MakeSetTypeInfo("TTypeKinds", TypeInfo<TTypeKind>()))

#undef XEL_BUILTIN

TTypeInfo MakeEnumTypeInfo(const char* name, const char* valueList) {
  TTypeInfo ti;
  ti.Kind = tkEnumeration;
  ti.Name = name;
  std::string_view rest(valueList);
  while (!rest.empty()) {
    size_t comma = rest.find(',');
    ti.Data.NameList.push_back(Trim(rest.substr(0, comma)));
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  Int64 n = static_cast<Int64>(ti.Data.NameList.size());
  ti.Data.OrdType = n <= 256 ? otUByte : otUWord;
  ti.Data.MinValue = 0;
  ti.Data.MaxValue = n - 1;
  return ti;
}

TTypeInfo MakeSetTypeInfo(const char* name, PTypeInfo elementType) {
  TTypeInfo ti;
  ti.Kind = tkSet;
  ti.Name = name;
  ti.Data.CompType = elementType;
  ti.Data.OrdType = otULong;
  return ti;
}

namespace detail {
String UnitNameOf(const char* file) { return ChangeFileExt(ExtractFileName(file), ""); }
}  // namespace detail

// ---- Access routines ----------------------------------------------------------------------

TPropList GetPropList(PTypeInfo typeInfo, TTypeKinds kinds) {
  TPropList result;
  if (!typeInfo || typeInfo->Kind != tkClass) return result;
  for (PPropInfo p : typeInfo->Data.ClassType->Props())
    if (kinds.Contains(p->Kind())) result.push_back(p);
  return result;
}

TPropList GetPropList(const TObject* obj, TTypeKinds kinds) {
  return obj ? GetPropList(obj->ClassType()->ClassInfo(), kinds) : TPropList();
}

PPropInfo GetPropInfo(PTypeInfo typeInfo, std::string_view name) {
  if (!typeInfo || typeInfo->Kind != tkClass) return nullptr;
  return typeInfo->Data.ClassType->FindProp(name);
}

PPropInfo GetPropInfo(const TObject* obj, std::string_view name) {
  return obj ? obj->ClassType()->FindProp(name) : nullptr;
}

PPropInfo FindPropInfo(const TObject* obj, std::string_view name) {
  PPropInfo p = GetPropInfo(obj, name);
  if (!p) throw EPropertyError(Format(SConst::UnknownProperty, {String(name)}));
  return p;
}

bool IsPublishedProp(const TObject* obj, std::string_view name) { return GetPropInfo(obj, name) != nullptr; }
TTypeKind PropType(const TObject* obj, std::string_view name) { return FindPropInfo(obj, name)->Kind(); }
bool PropIsType(const TObject* obj, std::string_view name, TTypeKind kind) { return PropType(obj, name) == kind; }


TObject* GetObjectProp(const TObject* obj, PPropInfo prop, TClass minClass) {
  if (prop->Kind() != tkClass) throw EPropertyError(Format(SConst::InvalidPropertyType, {prop->PropType()->Name}));
  auto* o = reinterpret_cast<TObject*>(static_cast<std::intptr_t>(prop->GetOrd(obj)));
  if (o && minClass && !o->InheritsFrom(minClass)) return nullptr;
  return o;
}

void SetObjectProp(TObject* obj, PPropInfo prop, TObject* value) {
  if (prop->Kind() != tkClass) throw EPropertyError(Format(SConst::InvalidPropertyType, {prop->PropType()->Name}));
  prop->SetOrd(obj, static_cast<Int64>(reinterpret_cast<std::intptr_t>(value)));
}

String GetEnumProp(const TObject* obj, PPropInfo prop) {
  if (prop->Kind() != tkEnumeration) throw EPropertyError(Format(SConst::InvalidPropertyType, {prop->PropType()->Name}));
  return GetEnumName(prop->PropType(), prop->GetOrd(obj));
}

void SetEnumProp(TObject* obj, PPropInfo prop, std::string_view value) {
  if (prop->Kind() != tkEnumeration) throw EPropertyError(Format(SConst::InvalidPropertyType, {prop->PropType()->Name}));
  Int64 v = GetEnumValue(prop->PropType(), value);
  if (v < 0) throw EPropertyError(SConst::InvalidPropertyValue);
  prop->SetOrd(obj, v);
}

String GetSetProp(const TObject* obj, PPropInfo prop, bool brackets) {
  if (prop->Kind() != tkSet) throw EPropertyError(Format(SConst::InvalidPropertyType, {prop->PropType()->Name}));
  return SetToString(prop->PropType(), static_cast<std::uint32_t>(prop->GetOrd(obj)), brackets);
}

void SetSetProp(TObject* obj, PPropInfo prop, std::string_view value) {
  if (prop->Kind() != tkSet) throw EPropertyError(Format(SConst::InvalidPropertyType, {prop->PropType()->Name}));
  prop->SetOrd(obj, StringToSet(prop->PropType(), value));
}

Int64 GetOrdProp(const TObject* obj, std::string_view name) { return GetOrdProp(obj, FindPropInfo(obj, name)); }
void SetOrdProp(TObject* obj, std::string_view name, Int64 v) { SetOrdProp(obj, FindPropInfo(obj, name), v); }
String GetStrProp(const TObject* obj, std::string_view name) { return GetStrProp(obj, FindPropInfo(obj, name)); }
void SetStrProp(TObject* obj, std::string_view name, const String& v) { SetStrProp(obj, FindPropInfo(obj, name), v); }
long double GetFloatProp(const TObject* obj, std::string_view name) { return GetFloatProp(obj, FindPropInfo(obj, name)); }
void SetFloatProp(TObject* obj, std::string_view name, long double v) { SetFloatProp(obj, FindPropInfo(obj, name), v); }
Variant GetVariantProp(const TObject* obj, std::string_view name) { return GetVariantProp(obj, FindPropInfo(obj, name)); }
void SetVariantProp(TObject* obj, std::string_view name, const Variant& v) {
  SetVariantProp(obj, FindPropInfo(obj, name), v);
}
TMethod GetMethodProp(const TObject* obj, std::string_view name) { return GetMethodProp(obj, FindPropInfo(obj, name)); }
void SetMethodProp(TObject* obj, std::string_view name, TMethod v) { SetMethodProp(obj, FindPropInfo(obj, name), v); }
TObject* GetObjectProp(const TObject* obj, std::string_view name) { return GetObjectProp(obj, FindPropInfo(obj, name)); }
String GetEnumProp(const TObject* obj, std::string_view name) { return GetEnumProp(obj, FindPropInfo(obj, name)); }
void SetEnumProp(TObject* obj, std::string_view name, std::string_view v) {
  SetEnumProp(obj, FindPropInfo(obj, name), v);
}

Variant GetPropValue(const TObject* obj, std::string_view name, bool preferStrings) {
  PPropInfo p = FindPropInfo(obj, name);
  PTypeInfo t = p->PropType();
  switch (p->Kind()) {
    case tkInteger:
    case tkChar:
    case tkWChar:
      return Variant(p->GetOrd(obj));
    case tkEnumeration:
      if (t == TypeInfo<bool>()) return Variant(p->GetOrd(obj) != 0);
      return preferStrings ? Variant(GetEnumName(t, p->GetOrd(obj))) : Variant(p->GetOrd(obj));
    case tkSet:
      return preferStrings ? Variant(SetToString(t, static_cast<std::uint32_t>(p->GetOrd(obj)))) : Variant(p->GetOrd(obj));
    case tkFloat:
      if (t->Data.FloatType == ftCurr) return Variant(Currency::FromDouble(static_cast<double>(p->GetFloat(obj))));
      if (t == TypeInfo<TDateTime>()) return Variant(TDateTime(static_cast<double>(p->GetFloat(obj))));
      return Variant(static_cast<double>(p->GetFloat(obj)));
    case tkString:
    case tkLString:
    case tkWString:
      return Variant(p->GetStr(obj));
    case tkVariant:
      return p->GetVariant(obj);
    case tkInt64:
      return Variant(p->GetInt64(obj));
    default:
      throw EPropertyError(Format(SConst::InvalidPropertyType, {t->Name}));
  }
}

void SetPropValue(TObject* obj, std::string_view name, const Variant& value) {
  PPropInfo p = FindPropInfo(obj, name);
  PTypeInfo t = p->PropType();
  switch (p->Kind()) {
    case tkInteger:
    case tkChar:
    case tkWChar:
      p->SetOrd(obj, value.AsInteger());
      break;
    case tkEnumeration:
      if (value.IsStringType()) SetEnumProp(obj, p, value.RawString());
      else p->SetOrd(obj, t == TypeInfo<bool>() ? (value.AsBoolean() ? 1 : 0) : value.AsInteger());
      break;
    case tkSet:
      if (value.IsStringType()) SetSetProp(obj, p, value.RawString());
      else p->SetOrd(obj, value.AsInt64());
      break;
    case tkFloat:
      p->SetFloat(obj, value.AsFloat());
      break;
    case tkString:
    case tkLString:
    case tkWString:
      p->SetStr(obj, value.AsString());
      break;
    case tkVariant:
      p->SetVariant(obj, value);
      break;
    case tkInt64:
      p->SetInt64(obj, value.AsInt64());
      break;
    default:
      throw EPropertyError(Format(SConst::InvalidPropertyType, {t->Name}));
  }
}

String GetEnumName(PTypeInfo typeInfo, Int64 value) {
  if (!typeInfo || typeInfo->Kind != tkEnumeration) return {};
  const auto& names = typeInfo->Data.NameList;
  if (value < 0 || value >= static_cast<Int64>(names.size())) return {};
  return names[static_cast<size_t>(value)];
}

Int64 GetEnumValue(PTypeInfo typeInfo, std::string_view name) {
  if (!typeInfo || typeInfo->Kind != tkEnumeration) return -1;
  const auto& names = typeInfo->Data.NameList;
  for (size_t i = 0; i < names.size(); ++i)
    if (SameText(names[i], name)) return static_cast<Int64>(i);
  return -1;
}

String SetToString(PTypeInfo setType, std::uint32_t bits, bool brackets) {
  String r;
  PTypeInfo elem = setType ? setType->Data.CompType : nullptr;
  for (int i = 0; i < 32; ++i)
    if (bits & (1u << i)) {
      if (!r.empty()) r += ',';
      r += GetEnumName(elem, i);
    }
  return brackets ? "[" + r + "]" : r;
}

std::uint32_t StringToSet(PTypeInfo setType, std::string_view value) {
  PTypeInfo elem = setType ? setType->Data.CompType : nullptr;
  String v = Trim(value);
  if (!v.empty() && v.front() == '[') v.erase(0, 1);
  if (!v.empty() && v.back() == ']') v.pop_back();
  std::uint32_t bits = 0;
  std::string_view rest(v);
  while (!Trim(rest).empty()) {
    size_t comma = rest.find(',');
    String member = Trim(rest.substr(0, comma));
    Int64 e = GetEnumValue(elem, member);
    if (e < 0 || e > 31) throw EPropertyError(Format("Invalid property element: %s", {member}));
    bits |= 1u << e;
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  return bits;
}

}  // namespace xel

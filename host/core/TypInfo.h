// Run-time type information: type kinds, type data, published property information,
// class references, and the access routines of the host's TypInfo unit.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

#include "Sets.h"
#include "System.h"
#include "Variants.h"

namespace xel {

class TPropInfo;
struct TTypeInfo;
using PTypeInfo = const TTypeInfo*;
using PPropInfo = const TPropInfo*;
using TPropList = std::vector<PPropInfo>;

template <class T>
struct TypeTag {};

// Type information of T, found through the TypeInfoOf overloads (by argument-dependent
// lookup, so that enumerations and classes of any namespace can provide theirs).
template <class T>
PTypeInfo TypeInfo();

// The kinds in the host's order: streams store their names and kind sets are bit sets
// over this order.
enum TTypeKind : int {
  tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod,
  tkWChar, tkLString, tkWString, tkVariant, tkArray, tkRecord, tkInterface, tkInt64, tkDynArray
};
using TTypeKinds = SetOf<TTypeKind>;
PTypeInfo TypeInfoOf(TypeTag<TTypeKind>);
PTypeInfo TypeInfoOf(TypeTag<TTypeKinds>);
inline const TTypeKinds tkAny = TTypeKinds::FromBits((1u << (tkDynArray + 1)) - 1);
inline const TTypeKinds tkProperties = tkAny - TTypeKinds{tkMethod};

enum TOrdType : int { otSByte, otUByte, otSWord, otUWord, otSLong, otULong };
enum TFloatType : int { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };
enum TMethodKind : int { mkProcedure, mkFunction };

struct TTypeData {
  // Ordinal kinds.
  TOrdType OrdType = otSLong;
  Int64 MinValue = 0;
  Int64 MaxValue = 0;
  // Enumerations: the value names, in ordinal order.
  std::vector<String> NameList;
  // Sets: the element type.
  PTypeInfo CompType = nullptr;
  // Floats.
  TFloatType FloatType = ftDouble;
  // Classes.
  TClass ClassType = nullptr;
  PTypeInfo ParentInfo = nullptr;
  String UnitName;
  // Methods.
  TMethodKind MethodKind = mkProcedure;
  String ParamList;
};

struct TTypeInfo {
  TTypeKind Kind = tkUnknown;
  String Name;
  TTypeData Data;
};

inline const TTypeData* GetTypeData(PTypeInfo info) { return info ? &info->Data : nullptr; }

// The marker of an ordinal property without declared default, and of a property
// without index specifier; both are the host's 0x80000000.
inline constexpr Int64 NoDefault = INT32_MIN;
inline constexpr Integer NoIndex = INT32_MIN;

// One published property. Access goes through the virtual accessors that the property
// table generates from member pointers; a mismatch of kind raises EPropertyError.
class TPropInfo {
public:
  virtual ~TPropInfo() = default;

  const String& Name() const { return FName; }
  PTypeInfo PropType() const { return FPropType; }
  TTypeKind Kind() const { return FPropType->Kind; }
  TClass DeclaringClass() const { return FDeclaringClass; }
  Integer Index() const { return FIndex; }
  Int64 Default() const { return FDefault; }
  bool HasDefault() const { return FDefault != NoDefault; }
  bool Readable() const { return FReadable; }
  bool Writable() const { return FWritable; }
  bool HasStoredProc() const { return FStoredKind == StoredByMethod; }
  int NameIndex() const { return FNameIndex; }

  virtual Int64 GetOrd(const TObject* obj) const;
  virtual void SetOrd(TObject* obj, Int64 value) const;
  virtual Int64 GetInt64(const TObject* obj) const;
  virtual void SetInt64(TObject* obj, Int64 value) const;
  virtual long double GetFloat(const TObject* obj) const;
  virtual void SetFloat(TObject* obj, long double value) const;
  virtual String GetStr(const TObject* obj) const;
  // The same into a string that keeps its capacity (no new string per call when the
  // getter hands out a reference).
  virtual void GetStrTo(const TObject* obj, String& out) const { out = GetStr(obj); }
  virtual void SetStr(TObject* obj, const String& value) const;
  virtual Variant GetVariant(const TObject* obj) const;
  virtual void SetVariant(TObject* obj, const Variant& value) const;
  virtual TMethod GetMethod(const TObject* obj) const;
  virtual void SetMethod(TObject* obj, TMethod value) const;
  virtual bool IsStored(const TObject* obj) const;

protected:
  enum TStoredKind { StoredAlways, StoredNever, StoredByMethod };
  [[noreturn]] void KindError() const;
  [[noreturn]] void ReadOnlyError() const;

  String FName;
  PTypeInfo FPropType = nullptr;
  TClass FDeclaringClass = nullptr;
  Integer FIndex = NoIndex;
  Int64 FDefault = NoDefault;
  bool FReadable = true;
  bool FWritable = false;
  TStoredKind FStoredKind = StoredAlways;
  int FNameIndex = 0;

  friend class TMetaClass;
};

// A published method: what event properties of a form stream name ("OnClick = Button1Click").
struct TMethodEntry {
  String Name;
  void* Code;
  void* (*DataOf)(TObject* instance);  // the object pointer the method runs on
};

// The class reference: name, parent, unit, factory, the published properties and methods.
class TMetaClass {
public:
  using TFactory = TObject* (*)(TObject* arg);
  using TPropsBuilder = void (*)(std::vector<std::unique_ptr<TPropInfo>>& props, TClass owner);
  using TMethodsBuilder = void (*)(std::vector<TMethodEntry>& methods);

  TMetaClass(const char* name, TClass parent, String unitName, TFactory factory, bool needsArg,
             TPropsBuilder builder, TMethodsBuilder methods = nullptr);

  const String& ClassName() const { return FTypeInfo.Name; }
  TClass ClassParent() const { return FParent; }
  const String& UnitName() const { return FTypeInfo.Data.UnitName; }
  PTypeInfo ClassInfo() const { return &FTypeInfo; }
  bool InheritsFrom(TClass cls) const;
  bool ClassNameIs(std::string_view name) const { return SameText(ClassName(), name); }

  // Whether instances can be made through the class reference, and how: the argument is
  // the owner of a component, the collection of a collection item, ignored otherwise.
  bool CanCreate() const { return FFactory != nullptr; }
  bool NeedsCreateArg() const { return FNeedsArg; }
  TObject* Create(TObject* arg = nullptr) const;

  // All published properties: the inherited ones first, then this class's in declaration
  // order; a property published again replaces the inherited one in place.
  const TPropList& Props() const;
  // Only the properties this class itself declares.
  const std::vector<std::unique_ptr<TPropInfo>>& OwnProps() const;
  // Case-insensitive lookup by name, through a hash index; nullptr when there is none.
  PPropInfo FindProp(std::string_view name) const;
  // Published methods of this class and its ancestors, by name (ignoring case) or by code.
  const TMethodEntry* FindMethod(std::string_view name) const;
  const TMethodEntry* FindMethodByCode(const void* code) const;

private:
  void Build() const;

  TClass FParent;
  TTypeInfo FTypeInfo;
  TFactory FFactory;
  bool FNeedsArg;
  TPropsBuilder FBuilder;
  TMethodsBuilder FMethodsBuilder;
  mutable std::vector<TMethodEntry> FMethods;
  mutable std::once_flag FBuildOnce;
  mutable std::atomic<bool> FBuilt{false};
  mutable std::vector<std::unique_ptr<TPropInfo>> FOwnProps;
  mutable TPropList FProps;
  struct TIndexEntry {
    std::uint32_t Hash = 0;
    std::uint32_t Length = 0;
    std::uint64_t Head = 0;  // the first eight bytes of the name as declared
    PPropInfo Prop = nullptr;
  };
  mutable std::vector<TIndexEntry> FIndexTable;
};

// Built-in types.
PTypeInfo TypeInfoOf(TypeTag<bool>);
PTypeInfo TypeInfoOf(TypeTag<char>);
PTypeInfo TypeInfoOf(TypeTag<char16_t>);
PTypeInfo TypeInfoOf(TypeTag<ShortInt>);
PTypeInfo TypeInfoOf(TypeTag<Byte>);
PTypeInfo TypeInfoOf(TypeTag<SmallInt>);
PTypeInfo TypeInfoOf(TypeTag<Word>);
PTypeInfo TypeInfoOf(TypeTag<Integer>);
PTypeInfo TypeInfoOf(TypeTag<Cardinal>);
PTypeInfo TypeInfoOf(TypeTag<Int64>);
PTypeInfo TypeInfoOf(TypeTag<float>);
PTypeInfo TypeInfoOf(TypeTag<double>);
PTypeInfo TypeInfoOf(TypeTag<long double>);
PTypeInfo TypeInfoOf(TypeTag<Currency>);
PTypeInfo TypeInfoOf(TypeTag<TDateTime>);
PTypeInfo TypeInfoOf(TypeTag<String>);
PTypeInfo TypeInfoOf(TypeTag<WideString>);
PTypeInfo TypeInfoOf(TypeTag<Variant>);

template <class C>
  requires std::is_base_of_v<TObject, C>
PTypeInfo TypeInfoOf(TypeTag<C*>) {
  return C::StaticClass()->ClassInfo();
}

template <class T>
PTypeInfo TypeInfo() {
  return TypeInfoOf(TypeTag<T>{});
}

// Builds enumeration type information from the enumerator list as written in source.
TTypeInfo MakeEnumTypeInfo(const char* name, const char* valueList);
TTypeInfo MakeSetTypeInfo(const char* name, PTypeInfo elementType);

// Declares an enumeration with its value names once: XEL_ENUM(TAlign, alNone, alTop, ...).
// The values run from 0 without gaps, as the host's enumerations with type information do.
#define XEL_ENUM(Name, ...)                                                         \
  enum Name : int { __VA_ARGS__ };                                                  \
  inline ::xel::PTypeInfo TypeInfoOf(::xel::TypeTag<Name>) {                        \
    static const ::xel::TTypeInfo info = ::xel::MakeEnumTypeInfo(#Name, #__VA_ARGS__); \
    return &info;                                                                   \
  }

// A named integer type (the host's "TColor = -$7FFFFFFF-1..$7FFFFFFF"): a distinct C++ type
// of kind tkInteger, so that streams can give its values names (RegisterIntegerConsts).
TTypeInfo MakeIntegerTypeInfo(const char* name);
#define XEL_INTEGER_TYPE(Name)                                                 \
  enum Name : ::xel::Integer {};                                               \
  inline ::xel::PTypeInfo TypeInfoOf(::xel::TypeTag<Name>) {                   \
    static const ::xel::TTypeInfo info = ::xel::MakeIntegerTypeInfo(#Name);     \
    return &info;                                                              \
  }

// Declares a named set type over an enumeration: XEL_SET(TFontStyles, TFontStyle).
#define XEL_SET(Name, Element)                                                        \
  using Name = ::xel::SetOf<Element>;                                                 \
  inline ::xel::PTypeInfo TypeInfoOf(::xel::TypeTag<::xel::SetOf<Element>>) {         \
    static const ::xel::TTypeInfo info =                                              \
        ::xel::MakeSetTypeInfo(#Name, ::xel::TypeInfo<Element>());                    \
    return &info;                                                                     \
  }

// The access routines of the host's TypInfo unit.
TPropList GetPropList(PTypeInfo typeInfo, TTypeKinds kinds = tkAny);
TPropList GetPropList(const TObject* obj, TTypeKinds kinds = tkAny);
PPropInfo GetPropInfo(PTypeInfo typeInfo, std::string_view name);
PPropInfo GetPropInfo(const TObject* obj, std::string_view name);
// As GetPropInfo, but raises EPropertyError when there is no such property.
PPropInfo FindPropInfo(const TObject* obj, std::string_view name);
bool IsPublishedProp(const TObject* obj, std::string_view name);
TTypeKind PropType(const TObject* obj, std::string_view name);
bool PropIsType(const TObject* obj, std::string_view name, TTypeKind kind);

inline Int64 GetOrdProp(const TObject* obj, PPropInfo prop) { return prop->GetOrd(obj); }
inline void SetOrdProp(TObject* obj, PPropInfo prop, Int64 value) { prop->SetOrd(obj, value); }
inline Int64 GetInt64Prop(const TObject* obj, PPropInfo prop) { return prop->GetInt64(obj); }
inline void SetInt64Prop(TObject* obj, PPropInfo prop, Int64 value) { prop->SetInt64(obj, value); }
inline String GetStrProp(const TObject* obj, PPropInfo prop) { return prop->GetStr(obj); }
inline void SetStrProp(TObject* obj, PPropInfo prop, const String& value) { prop->SetStr(obj, value); }
inline long double GetFloatProp(const TObject* obj, PPropInfo prop) { return prop->GetFloat(obj); }
inline void SetFloatProp(TObject* obj, PPropInfo prop, long double value) { prop->SetFloat(obj, value); }
inline Variant GetVariantProp(const TObject* obj, PPropInfo prop) { return prop->GetVariant(obj); }
inline void SetVariantProp(TObject* obj, PPropInfo prop, const Variant& value) { prop->SetVariant(obj, value); }
inline TMethod GetMethodProp(const TObject* obj, PPropInfo prop) { return prop->GetMethod(obj); }
inline void SetMethodProp(TObject* obj, PPropInfo prop, TMethod value) { prop->SetMethod(obj, value); }
TObject* GetObjectProp(const TObject* obj, PPropInfo prop, TClass minClass = nullptr);
void SetObjectProp(TObject* obj, PPropInfo prop, TObject* value);
String GetEnumProp(const TObject* obj, PPropInfo prop);
void SetEnumProp(TObject* obj, PPropInfo prop, std::string_view value);
String GetSetProp(const TObject* obj, PPropInfo prop, bool brackets = false);
void SetSetProp(TObject* obj, PPropInfo prop, std::string_view value);
inline bool IsStoredProp(const TObject* obj, PPropInfo prop) { return prop->IsStored(obj); }

Int64 GetOrdProp(const TObject* obj, std::string_view name);
void SetOrdProp(TObject* obj, std::string_view name, Int64 value);
String GetStrProp(const TObject* obj, std::string_view name);
void SetStrProp(TObject* obj, std::string_view name, const String& value);
long double GetFloatProp(const TObject* obj, std::string_view name);
void SetFloatProp(TObject* obj, std::string_view name, long double value);
Variant GetVariantProp(const TObject* obj, std::string_view name);
void SetVariantProp(TObject* obj, std::string_view name, const Variant& value);
TMethod GetMethodProp(const TObject* obj, std::string_view name);
void SetMethodProp(TObject* obj, std::string_view name, TMethod value);
TObject* GetObjectProp(const TObject* obj, std::string_view name);
String GetEnumProp(const TObject* obj, std::string_view name);
void SetEnumProp(TObject* obj, std::string_view name, std::string_view value);

// The host's MethodAddress and MethodName: a published method of the instance's class as
// a method reference bound to the instance (unassigned when there is none), and back.
TMethod MethodAddress(TObject* instance, std::string_view name);
String MethodName(const TObject* instance, const void* code);

// Any property as a variant: enumerations and sets as their names when preferStrings.
Variant GetPropValue(const TObject* obj, std::string_view name, bool preferStrings = true);
void SetPropValue(TObject* obj, std::string_view name, const Variant& value);

// Enumeration names; GetEnumName gives "" for an ordinal outside the type, GetEnumValue
// -1 for an unknown name (compared without regard to case).
String GetEnumName(PTypeInfo typeInfo, Int64 value);
Int64 GetEnumValue(PTypeInfo typeInfo, std::string_view name);
// "a,b" (or "[a,b]"), and back; unknown members raise EPropertyError.
String SetToString(PTypeInfo setType, std::uint32_t bits, bool brackets = false);
std::uint32_t StringToSet(PTypeInfo setType, std::string_view value);

}  // namespace xel

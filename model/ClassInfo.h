// TClassInfo: walks the published properties of an object and reads or writes one of
// them as a variant, as text where the property's type is no variant type.
#pragma once

#include "Classes.h"

namespace xel {

XEL_EXCEPTION(EObjectBrowseError, Exception);

class TClassInfo : public TObject {
  XEL_CLASS(TClassInfo, TObject)
public:
  // Selects nothing.
  explicit TClassInfo(TObject* instance);
  // Count 1, and that property selected.
  TClassInfo(TObject* instance, PPropInfo descriptor);

  void SetInstance(TObject* instance);
  TObject* Instance() const { return FInstance; }
  int Count() const { return FCount; }
  int CurrentIndex() const { return FIndex; }
  // Makes the property at index current; true when it has type information.
  bool Select(int index);

  String Name() const;
  String Typ() const;
  PPropInfo PropRef() const { return FPropInfo; }
  TTypeKind Kind() const { return FKind; }
  bool IsOrdinal() const { return FOrdinal; }
  bool IsText() const { return FText; }
  bool Readable() const { return FAccess & 1; }
  bool Writable() const { return FAccess & 2; }
  Integer PropIndex() const { return FPropIndex; }
  String UnitName() const;
  // "(a,b)" for an enumeration, "[a,b]" for a set, empty for every other kind.
  String TypDef() const;

  Int64 DefaultInteger() const;
  bool IsStored() const;
  // The declared default as FormatValue shows it, or EmptyValue when there is none.
  Variant Default() const;

  Variant GetValue() const;
  void SetValue(const Variant& value);
  Variant EmptyValue() const;
  Variant FormatValue(Int64 number) const;

  TObject* GetAsObject() const;
  void SetAsObject(TObject* value);
  Int64 GetAsInteger() const;
  void SetAsInteger(Int64 value);
  TMethod GetAsMethod() const;
  void SetAsMethod(TMethod value);
  double GetAsFloat() const;
  void SetAsFloat(double value);
  String GetAsString() const;
  void SetAsString(const String& value);
  String GetAsPChar() const { return GetAsString(); }
  void SetAsPChar(const String& value) { SetAsString(value); }
  // The byte size of the value, and raw copies of it (ordinal, float and Int64 kinds).
  int Size() const;
  void CopyTo(void* buffer) const;
  void CopyFrom(const void* buffer);

private:
  Integer CharCode(const Variant& value) const;
  [[noreturn]] void Fail(const char* op, const String& message) const;
  void CheckAccess(const char* op, bool write) const;

  TObject* FInstance = nullptr;
  PTypeInfo FClassTypeInfo = nullptr;
  const TTypeData* FClassTypeData = nullptr;
  TPropList FPropList;
  bool FHasList = false;
  PPropInfo FPropInfo = nullptr;
  PTypeInfo FPropType = nullptr;
  int FCount = 0;
  int FIndex = -1;
  bool FOrdinal = false;
  bool FText = false;
  TTypeKind FKind = tkUnknown;
  int FAccess = 0;
  Integer FPropIndex = -1;
  PPropInfo FGiven = nullptr;
};

}  // namespace xel

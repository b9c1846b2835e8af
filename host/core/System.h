// TObject, class references and method references: the root of the host framework.
#pragma once

#include <utility>

#include <string_view>

#include "SysUtils.h"

namespace xel {

class TMetaClass;
using TClass = const TMetaClass*;

// A bound method reference as the host stores it: the code of the method and the
// object it runs on. Two references are equal exactly when both words are.
struct TMethod {
  void* Code = nullptr;
  void* Data = nullptr;
  bool Assigned() const { return Code != nullptr; }
  friend bool operator==(const TMethod&, const TMethod&) = default;
};

class TObject {
public:
  // What the factory of a class hands to its constructor; classes that are created
  // with an owner or a collection redefine it.
  using TCreateArg = void;

  TObject() = default;
  virtual ~TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

  static TClass StaticClass();
  virtual TClass ClassType() const { return StaticClass(); }
  const String& ClassName() const;
  TClass ClassParent() const;
  bool InheritsFrom(TClass cls) const;
  bool ClassNameIs(std::string_view name) const;
};

// Stores a setter's new value; true when it differs from the old one, so that the setter
// tells of the change only then.
template <class T, class V>
bool SetIfChanged(T& field, V&& value) {
  if (field == value) return false;
  field = std::forward<V>(value);
  return true;
}

// Frees an object and clears the pointer; safe on nullptr, as the host's FreeAndNil.
template <class T>
void FreeAndNil(T*& obj) {
  T* p = obj;
  obj = nullptr;
  delete p;
}

// The host's "is" and "as": As raises EInvalidCast when the object is of another class.
template <class T>
bool Is(const TObject* obj) {
  return dynamic_cast<const T*>(obj) != nullptr;
}

// The object as a T when its class is T or a descendant, else nullptr: through the class
// references (a pointer walk), cheaper than dynamic_cast across shared libraries. T must
// name its class with XEL_CLASS.
template <class T>
T* ClassCast(TObject* obj) {
  return obj && obj->InheritsFrom(T::StaticClass()) ? static_cast<T*>(obj) : nullptr;
}

template <class T>
T* As(TObject* obj) {
  if (!obj) return nullptr;
  T* r = dynamic_cast<T*>(obj);
  if (!r) throw EInvalidCast(SConst::InvalidCast);
  return r;
}

}  // namespace xel

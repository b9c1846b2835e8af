// Published property tables: each class declares its properties once, from member
// pointers, in a static function
//
//   static auto Published() {
//     return PropTable<TButton>(
//         Prop("Caption", &TButton::GetCaption, &TButton::SetCaption),
//         Prop("Default", &TButton::FDefault, &TButton::SetDefault).Default(false));
//   }
//
// and names its class with XEL_CLASS(TButton, TButtonControl) at the top of its body.
// A wrong getter/setter pair fails to compile; nothing is built per instance.
#pragma once

#include <concepts>
#include <functional>
#include <tuple>
#include <type_traits>

#include "Events.h"
#include "TypInfo.h"

namespace xel {

namespace detail {

template <class T>
struct IsSetOf : std::false_type {};
template <class E>
struct IsSetOf<SetOf<E>> : std::true_type {};

template <class T>
concept EventType = requires { T::EventTypeName; } && requires(const T& t) { t.GetMethod(); };

template <class T>
concept ObjectPointer = std::is_pointer_v<T> && std::is_base_of_v<TObject, std::remove_cv_t<std::remove_pointer_t<T>>>;

template <class T>
concept OrdinalValue = (std::is_integral_v<T> && sizeof(T) <= 4) || std::is_enum_v<T> || IsSetOf<T>::value ||
                       ObjectPointer<T>;

template <class T>
concept Int64Value = std::is_integral_v<T> && sizeof(T) == 8;

template <class T>
concept FloatValue = std::is_floating_point_v<T> || std::is_same_v<T, Currency> || std::is_same_v<T, TDateTime>;

template <class T>
concept StringValue = std::is_same_v<T, String> || std::is_same_v<T, WideString>;

template <class T>
Int64 ToOrd(const T& v) {
  if constexpr (IsSetOf<T>::value) return static_cast<Int64>(v.Bits());
  else if constexpr (std::is_same_v<T, char>) return static_cast<unsigned char>(v);
  else if constexpr (ObjectPointer<T>) return static_cast<Int64>(reinterpret_cast<std::intptr_t>(v));
  else return static_cast<Int64>(v);
}

// Getter and setter shapes: a member function or a field; the indexed forms take the
// index specifier first.
template <class G, class C, bool Indexed>
decltype(auto) InvokeGet(const G& get, const C* obj, Integer index) {
  if constexpr (std::is_member_object_pointer_v<G>) return (obj->*get);
  else if constexpr (Indexed) return std::invoke(get, const_cast<C*>(obj), index);
  else return std::invoke(get, const_cast<C*>(obj));
}

template <class S, class C, bool Indexed, class V>
void InvokeSet(const S& set, C* obj, Integer index, V&& value) {
  if constexpr (std::is_member_object_pointer_v<S>) obj->*set = std::forward<V>(value);
  else if constexpr (Indexed) std::invoke(set, obj, index, std::forward<V>(value));
  else std::invoke(set, obj, std::forward<V>(value));
}

template <class G, bool Indexed>
struct GetterValue;
template <class G>
  requires std::is_member_object_pointer_v<G>
struct GetterValue<G, false> {
  template <class T, class C>
  static T Of(T C::*);
  using Type = std::remove_cvref_t<decltype(Of(std::declval<G>()))>;
};
template <class R, class C>
struct GetterValue<R (C::*)() const, false> { using Type = std::remove_cvref_t<R>; };
template <class R, class C>
struct GetterValue<R (C::*)(), false> { using Type = std::remove_cvref_t<R>; };
template <class R, class C>
struct GetterValue<R (C::*)(Integer) const, true> { using Type = std::remove_cvref_t<R>; };
template <class R, class C>
struct GetterValue<R (C::*)(Integer), true> { using Type = std::remove_cvref_t<R>; };

}  // namespace detail

// One entry of a property table, before it is bound to its class.
template <class G, class S, class St, bool Indexed>
struct TPropDef {
  using Value = typename detail::GetterValue<G, Indexed>::Type;
  static constexpr bool IsOrdinal = detail::OrdinalValue<Value>;

  const char* Name;
  G Get;
  S Set;
  St StoredFn{};
  int StoredKind = 0;  // 0 always, 1 never, 2 by method
  Int64 DefaultValue = xel::NoDefault;
  Integer IndexSpec = NoIndex;

  // The declared default of an ordinal property: stored only when the value differs.
  TPropDef Default(Value v) const
    requires IsOrdinal
  {
    TPropDef d = *this;
    d.DefaultValue = detail::ToOrd(v);
    return d;
  }
  TPropDef NoDefault() const {
    TPropDef d = *this;
    d.DefaultValue = xel::NoDefault;
    return d;
  }
  TPropDef Stored(bool stored) const {
    TPropDef d = *this;
    d.StoredKind = stored ? 0 : 1;
    return d;
  }
  template <class B>
  TPropDef<G, S, bool (B::*)() const, Indexed> Stored(bool (B::*fn)() const) const {
    return {Name, Get, Set, fn, 2, DefaultValue, IndexSpec};
  }
};

template <class G, class S>
TPropDef<G, S, std::nullptr_t, false> Prop(const char* name, G get, S set) {
  return {name, get, set};
}

template <class G>
TPropDef<G, std::nullptr_t, std::nullptr_t, false> Prop(const char* name, G get) {
  return {name, get, nullptr};
}

// A property with an index specifier: the getter takes the index, the setter the index
// and the value (the host's "property Left: Integer index 0 read GetBound write SetBound").
template <class G, class S>
TPropDef<G, S, std::nullptr_t, true> IndexedProp(const char* name, Integer index, G get, S set) {
  TPropDef<G, S, std::nullptr_t, true> d{name, get, set};
  d.IndexSpec = index;
  return d;
}

// The accessors generated for one property of class C.
template <class C, class Def>
class TPropInfoT final : public TPropInfo {
  using T = typename Def::Value;
  static constexpr bool HasSetter = !std::is_same_v<decltype(Def::Set), std::nullptr_t>;

public:
  TPropInfoT(const Def& def, TClass owner, int nameIndex) : FDef(def) {
    FName = def.Name;
    FPropType = TypeInfo<T>();
    FDeclaringClass = owner;
    FIndex = def.IndexSpec;
    FDefault = def.DefaultValue;
    FReadable = true;
    FWritable = HasSetter;
    FStoredKind = def.StoredKind == 0 ? StoredAlways : def.StoredKind == 1 ? StoredNever : StoredByMethod;
    FNameIndex = nameIndex;
  }

  Int64 GetOrd(const TObject* obj) const override {
    if constexpr (Def::IsOrdinal) return detail::ToOrd(Get(obj));
    else KindError();
  }
  void SetOrd(TObject* obj, Int64 v) const override {
    if constexpr (Def::IsOrdinal) {
      if constexpr (detail::IsSetOf<T>::value) Put(obj, T::FromBits(static_cast<std::uint32_t>(v)));
      else if constexpr (detail::ObjectPointer<T>) {
        auto* o = reinterpret_cast<TObject*>(static_cast<std::intptr_t>(v));
        auto* typed = dynamic_cast<T>(o);
        if (o && !typed) throw EPropertyError(SConst::InvalidPropertyValue);
        Put(obj, typed);
      } else Put(obj, static_cast<T>(v));
    } else KindError();
  }
  Int64 GetInt64(const TObject* obj) const override {
    if constexpr (detail::Int64Value<T>) return static_cast<Int64>(Get(obj));
    else return GetOrd(obj);
  }
  void SetInt64(TObject* obj, Int64 v) const override {
    if constexpr (detail::Int64Value<T>) Put(obj, static_cast<T>(v));
    else SetOrd(obj, v);
  }
  long double GetFloat(const TObject* obj) const override {
    if constexpr (std::is_same_v<T, Currency>) return static_cast<long double>(Get(obj).Scaled) / 10000.0L;
    else if constexpr (std::is_same_v<T, TDateTime>) return Get(obj).Value();
    else if constexpr (std::is_floating_point_v<T>) return Get(obj);
    else KindError();
  }
  void SetFloat(TObject* obj, long double v) const override {
    if constexpr (std::is_same_v<T, Currency>) Put(obj, Currency::FromDouble(static_cast<double>(v)));
    else if constexpr (std::is_same_v<T, TDateTime>) Put(obj, TDateTime(static_cast<double>(v)));
    else if constexpr (std::is_floating_point_v<T>) Put(obj, static_cast<T>(v));
    else KindError();
  }
  String GetStr(const TObject* obj) const override {
    if constexpr (std::is_same_v<T, String>) return Get(obj);
    else if constexpr (std::is_same_v<T, WideString>) return WideToUtf8(Get(obj));
    else KindError();
  }
  void GetStrTo(const TObject* obj, String& out) const override {
    if constexpr (std::is_same_v<T, String>) out.assign(Get(obj));
    else out = GetStr(obj);
  }
  void SetStr(TObject* obj, const String& v) const override {
    if constexpr (std::is_same_v<T, String>) Put(obj, v);
    else if constexpr (std::is_same_v<T, WideString>) Put(obj, Utf8ToWide(v));
    else KindError();
  }
  Variant GetVariant(const TObject* obj) const override {
    if constexpr (std::is_same_v<T, Variant>) return Get(obj);
    else KindError();
  }
  void SetVariant(TObject* obj, const Variant& v) const override {
    if constexpr (std::is_same_v<T, Variant>) Put(obj, v);
    else KindError();
  }
  TMethod GetMethod(const TObject* obj) const override {
    if constexpr (detail::EventType<T>) return Get(obj).GetMethod();
    else KindError();
  }
  void SetMethod(TObject* obj, TMethod m) const override {
    if constexpr (detail::EventType<T>) Put(obj, T::FromMethod(m));
    else KindError();
  }
  bool IsStored(const TObject* obj) const override {
    if constexpr (std::is_same_v<decltype(Def::StoredFn), std::nullptr_t>) return FStoredKind == StoredAlways;
    else if (FStoredKind == StoredByMethod) return (static_cast<const C*>(obj)->*FDef.StoredFn)();
    else return FStoredKind == StoredAlways;
  }

private:
  static constexpr bool IsIndexed() { return IsIndexedDef(static_cast<const Def*>(nullptr)); }
  template <class G, class S, class St, bool I>
  static constexpr bool IsIndexedDef(const TPropDef<G, S, St, I>*) { return I; }

  decltype(auto) Get(const TObject* obj) const {
    return detail::InvokeGet<decltype(Def::Get), C, IsIndexed()>(FDef.Get, static_cast<const C*>(obj), FDef.IndexSpec);
  }
  template <class V>
  void Put(TObject* obj, V&& v) const {
    if constexpr (HasSetter)
      detail::InvokeSet<decltype(Def::Set), C, IsIndexed()>(FDef.Set, static_cast<C*>(obj), FDef.IndexSpec,
                                                           std::forward<V>(v));
    else ReadOnlyError();
  }

  Def FDef;
};

// The published properties of class C, in declaration order.
template <class C, class... Defs>
struct TPropTable {
  using Owner = C;
  std::tuple<Defs...> Defs_;

  void Emit(std::vector<std::unique_ptr<TPropInfo>>& out, TClass owner) const {
    int index = 0;
    std::apply([&](const auto&... d) { (out.push_back(Make(d, owner, index++)), ...); }, Defs_);
  }

private:
  template <class Def>
  static std::unique_ptr<TPropInfo> Make(const Def& d, TClass owner, int index) {
    return std::make_unique<TPropInfoT<C, Def>>(d, owner, index);
  }
};

template <class C, class... Defs>
TPropTable<C, Defs...> PropTable(Defs... defs) {
  return {std::tuple<Defs...>(defs...)};
}

namespace detail {

// A class has a table of its own when Published() names the class itself as owner; an
// inherited Published() belongs to the parent and is not taken twice.
template <class C>
concept HasOwnPublished = requires { C::Published(); } &&
                          std::is_same_v<typename decltype(C::Published())::Owner, C>;

template <class C>
void BuildProps(std::vector<std::unique_ptr<TPropInfo>>& out, TClass owner) {
  if constexpr (HasOwnPublished<C>) C::Published().Emit(out, owner);
}

template <class C>
concept HasOwnMethods = requires { C::PublishedMethods(); } &&
                        std::is_same_v<typename decltype(C::PublishedMethods())::Owner, C>;

template <class C>
void BuildMethods(std::vector<TMethodEntry>& out) {
  if constexpr (HasOwnMethods<C>) out = C::PublishedMethods().Entries;
}

template <class C>
TObject* Factory(TObject* arg) {
  using A = typename C::TCreateArg;
  if constexpr (std::is_void_v<A>) {
    (void)arg;
    return new C();
  } else {
    return new C(C::CastCreateArg(arg));
  }
}

template <class C>
constexpr bool Creatable() {
  using A = typename C::TCreateArg;
  if constexpr (std::is_abstract_v<C>) return false;
  else if constexpr (std::is_void_v<A>) return std::is_default_constructible_v<C>;
  else return std::is_constructible_v<C, A>;
}

String UnitNameOf(const char* file);

}  // namespace detail

template <class C, class P>
TMetaClass MakeMetaClass(const char* name, const char* file) {
  TMetaClass::TFactory factory = nullptr;
  if constexpr (detail::Creatable<C>()) factory = &detail::Factory<C>;
  return TMetaClass(name, P::StaticClass(), detail::UnitNameOf(file), factory,
                    !std::is_void_v<typename C::TCreateArg>, &detail::BuildProps<C>, &detail::BuildMethods<C>);
}

// Names a class to the type system: its class reference, ClassType(), and `inherited`.
// The unit name is the source file's name without its extension.
#define XEL_CLASS(Name, Parent)                                                              \
public:                                                                                      \
  using inherited = Parent;                                                                  \
  static ::xel::TClass StaticClass() {                                                       \
    static const ::xel::TMetaClass meta = ::xel::MakeMetaClass<Name, Parent>(#Name, __FILE__); \
    return &meta;                                                                            \
  }                                                                                          \
  ::xel::TClass ClassType() const override { return StaticClass(); }                         \
                                                                                             \
private:

// Published methods, which form streams name in their event properties:
//
//   static auto PublishedMethods() {
//     return MethodTable<TMainForm>({PublishedMethod<&TMainForm::OkClick>("OkClick")});
//   }
template <class C>
struct TMethodTable {
  using Owner = C;
  std::vector<TMethodEntry> Entries;
};

template <class C>
TMethodTable<C> MethodTable(std::initializer_list<TMethodEntry> entries) {
  return {std::vector<TMethodEntry>(entries)};
}

template <auto M>
TMethodEntry PublishedMethod(const char* name) {
  using Traits = TMemberFnTraits<decltype(M)>;
  using C = typename Traits::Class;
  return TMethodEntry{name, reinterpret_cast<void*>(&Traits::template Thunk<M>),
                      [](TObject* o) -> void* { return static_cast<void*>(static_cast<C*>(o)); }};
}

// Type information of an event type declared with XEL_EVENT.
template <class T>
  requires detail::EventType<T>
PTypeInfo TypeInfoOf(TypeTag<T>) {
  static const TTypeInfo info = [] {
    TTypeInfo ti;
    ti.Kind = tkMethod;
    ti.Name = T::EventTypeName;
    ti.Data.MethodKind = mkProcedure;
    ti.Data.ParamList = T::EventParams;
    return ti;
  }();
  return &info;
}

}  // namespace xel

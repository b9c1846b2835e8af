// Method references bound to an object and a member function, compared by identity.
#pragma once

#include <utility>

#include "System.h"

namespace xel {

// A member function bound to its object, convertible to every event type of the same
// signature (as a method of the host may be assigned to any matching event).
template <class... Args>
struct TBoundMethod {
  void (*Thunk)(void*, Args...);
  void* Data;
};

template <class T>
struct TMemberFnTraits;

template <class C, class... A>
struct TMemberFnTraits<void (C::*)(A...)> {
  using Class = C;
  using Bound = TBoundMethod<A...>;
  template <auto M>
  static void Thunk(void* data, A... args) {
    (static_cast<C*>(data)->*M)(std::forward<A>(args)...);
  }
};

// MakeMethod<&TForm1::Button1Click>(form): the thunk is one per member function, so two
// references are equal exactly when member function and object are equal.
template <auto M, class Obj>
auto MakeMethod(Obj* obj) {
  using Traits = TMemberFnTraits<decltype(M)>;
  using C = typename Traits::Class;
  return typename Traits::Bound{&Traits::template Thunk<M>, static_cast<void*>(static_cast<C*>(obj))};
}

template <class Derived, class... Args>
class TEventBase {
public:
  using TThunk = void (*)(void*, Args...);

  TEventBase() = default;
  TEventBase(std::nullptr_t) {}
  TEventBase(TBoundMethod<Args...> bound) : FThunk(bound.Thunk), FData(bound.Data) {}

  bool Assigned() const { return FThunk != nullptr; }
  explicit operator bool() const { return Assigned(); }
  void* Data() const { return FData; }

  // Calling an unassigned event does nothing.
  void operator()(Args... args) const {
    if (FThunk) FThunk(FData, std::forward<Args>(args)...);
  }

  TMethod GetMethod() const { return TMethod{reinterpret_cast<void*>(FThunk), FData}; }
  static Derived FromMethod(TMethod m) {
    Derived d;
    d.FThunk = reinterpret_cast<TThunk>(m.Code);
    d.FData = m.Data;
    return d;
  }

  friend bool operator==(const TEventBase& a, const TEventBase& b) {
    return a.FThunk == b.FThunk && a.FData == b.FData;
  }

private:
  TThunk FThunk = nullptr;
  void* FData = nullptr;
};

// Declares an event type: XEL_EVENT(TNotifyEvent, TObject* /*Sender*/).
#define XEL_EVENT(Name, ...)                                                       \
  struct Name : ::xel::TEventBase<Name __VA_OPT__(, ) __VA_ARGS__> {               \
    using ::xel::TEventBase<Name __VA_OPT__(, ) __VA_ARGS__>::TEventBase;          \
    static constexpr const char* EventTypeName = #Name;                            \
    static constexpr const char* EventParams = #__VA_ARGS__;                       \
  }

XEL_EVENT(TNotifyEvent, TObject* /*Sender*/);

}  // namespace xel

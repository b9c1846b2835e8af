// Checks every published property of every registered class: readable, writable where
// declared, the declared default reads back after a write, names unique. Shared by the
// suites of each library, so that each checks the classes it registers.
#pragma once

#include <gtest/gtest.h>

#include <set>

#include "Classes.h"

namespace xel::test {

// An instance of any creatable class: components with an owner, collection items inside
// a collection of their own class.
struct TInstance {
  std::unique_ptr<TComponent> OwnerOf;  // components are made with an owner, as forms hold them
  std::unique_ptr<TCollection> Holder;
  std::unique_ptr<TObject> Own;
  TObject* Obj = nullptr;
};

inline TInstance Make(TClass cls) {
  TInstance i;
  if (cls->InheritsFrom(TCollectionItem::StaticClass())) {
    i.Holder = std::make_unique<TCollection>(cls);
    i.Obj = i.Holder->Add();
  } else if (cls->InheritsFrom(TComponent::StaticClass())) {
    i.OwnerOf = std::make_unique<TComponent>(nullptr);
    i.Obj = CreateComponent(cls, i.OwnerOf.get());
  } else {
    i.Own.reset(cls->Create(nullptr));
    i.Obj = i.Own.get();
  }
  return i;
}

inline void CheckProperty(TObject* obj, PPropInfo p) {
  SCOPED_TRACE(obj->ClassName() + "." + p->Name());
  ASSERT_NE(p->PropType(), nullptr);
  EXPECT_FALSE(p->PropType()->Name.empty());
  EXPECT_TRUE(p->Readable());
  switch (p->Kind()) {
    case tkClass:
      EXPECT_NO_THROW(GetObjectProp(obj, p));
      break;
    case tkMethod: {
      TMethod m = GetMethodProp(obj, p);
      if (p->Writable()) {
        SetMethodProp(obj, p, m);
        EXPECT_EQ(GetMethodProp(obj, p), m);
      }
      break;
    }
    case tkInteger: case tkChar: case tkWChar: case tkEnumeration: case tkSet: {
      Int64 v = GetOrdProp(obj, p);
      if (!p->Writable()) break;
      SetOrdProp(obj, p, v);
      EXPECT_EQ(GetOrdProp(obj, p), v);
      if (p->HasDefault()) {
        SetOrdProp(obj, p, p->Default());
        EXPECT_EQ(GetOrdProp(obj, p), p->Default());
      }
      break;
    }
    default: {
      Variant v = GetPropValue(obj, p->Name());
      if (!p->Writable() || SameText(p->Name(), "Name")) break;
      SetPropValue(obj, p->Name(), v);
      EXPECT_EQ(GetPropValue(obj, p->Name()), v);
    }
  }
  // The stored rule answers without failing.
  EXPECT_NO_THROW(IsStoredProp(obj, p));
}

// Returns the number of properties checked on instances.
inline int CheckRegisteredClasses() {
  std::vector<TClass> classes = GetRegisteredClasses();
  EXPECT_GE(classes.size(), 10u);
  int checked = 0;
  for (TClass cls : classes) {
    SCOPED_TRACE(cls->ClassName());
    EXPECT_EQ(FindClass(cls->ClassName()), cls);
    std::set<String> names;
    for (PPropInfo p : cls->Props()) {
      EXPECT_TRUE(names.insert(UpperCase(p->Name())).second) << "duplicate " << p->Name();
      EXPECT_EQ(cls->FindProp(p->Name()), p);
      EXPECT_EQ(cls->FindProp(LowerCase(p->Name())), p);
      EXPECT_TRUE(cls->InheritsFrom(p->DeclaringClass()));
    }
    std::set<String> own;
    for (auto& p : cls->OwnProps()) EXPECT_TRUE(own.insert(UpperCase(p->Name())).second) << p->Name();
    if (!cls->CanCreate()) continue;
    TInstance inst = Make(cls);
    EXPECT_NE(inst.Obj, nullptr);
    if (!inst.Obj) continue;
    EXPECT_EQ(inst.Obj->ClassType(), cls);
    for (PPropInfo p : cls->Props()) {
      CheckProperty(inst.Obj, p);
      ++checked;
    }
  }
  return checked;
}

}  // namespace xel::test

// Walks every registered class and checks every published property at once: a broken
// table entry anywhere in the framework shows up here.
#include <gtest/gtest.h>

#include <set>

#include "Classes.h"
#include "Fixtures.h"

namespace xel::test {
namespace {

// An instance of any creatable class: components without owner, collection items inside
// a collection of their own class.
struct TInstance {
  std::unique_ptr<TCollection> Holder;
  std::unique_ptr<TObject> Own;
  TObject* Obj = nullptr;
};

TInstance Make(TClass cls) {
  TInstance i;
  if (cls->InheritsFrom(TCollectionItem::StaticClass())) {
    i.Holder = std::make_unique<TCollection>(cls);
    i.Obj = i.Holder->Add();
  } else {
    i.Own.reset(cls->Create(nullptr));
    i.Obj = i.Own.get();
  }
  return i;
}

void CheckProperty(TObject* obj, PPropInfo p) {
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

TEST(RegistryWideTest, EveryPublishedPropertyOfEveryRegisteredClassWorks) {
  RegisterCoreClasses();
  RegisterFixtureClasses();
  std::vector<TClass> classes = GetRegisteredClasses();
  ASSERT_GE(classes.size(), 10u);
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
    ASSERT_NE(inst.Obj, nullptr);
    EXPECT_EQ(inst.Obj->ClassType(), cls);
    for (PPropInfo p : cls->Props()) {
      CheckProperty(inst.Obj, p);
      ++checked;
    }
  }
  EXPECT_GT(checked, 20);
}

TEST(RegistryWideTest, RegistrationIncludesAncestorsAndRefusesNameClashes) {
  RegisterClass(TPlainWidget::StaticClass());
  EXPECT_EQ(GetClass("TWidget"), TWidget::StaticClass());
  EXPECT_EQ(GetClass("TPersistent"), TPersistent::StaticClass());
  RegisterClass(TPlainWidget::StaticClass());  // again: no effect
  // Another class that calls itself TWidget cannot take the name.
  static const TMetaClass fake("TWidget", TComponent::StaticClass(), "Fake", nullptr, true, nullptr);
  EXPECT_THROW(RegisterClass(&fake), EFilerError);
}

}  // namespace
}  // namespace xel::test

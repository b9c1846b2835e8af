#include <gtest/gtest.h>

#include "Classes.h"
#include "Fixtures.h"

namespace xel::test {
namespace {

// Records what happens to it in a shared log.
class TTracer : public TComponent {
  XEL_CLASS(TTracer, TComponent)
public:
  TTracer(TComponent* owner, const String& name, std::vector<String>* log) : TComponent(owner), FLog(log) {
    SetName(name);
  }
  ~TTracer() override {
    FLog->push_back("free " + Name() + (ComponentState().Contains(csDestroying) ? " destroying" : ""));
  }
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (Watched == c && op == opRemove) Watched = nullptr;
    FLog->push_back(Name() + (op == opInsert ? " +" : " -") + (c->Name().empty() ? String("?") : c->Name()));
  }
  void Watch(TComponent* c) {
    Watched = c;
    if (c) c->FreeNotification(this);
  }
  TComponent* Watched = nullptr;

private:
  std::vector<String>* FLog;
};

TEST(ComponentTest, OwnerKeepsCreationOrderAndFreesTheLastCreatedFirst) {
  std::vector<String> log;
  {
    TComponent owner(nullptr);
    new TTracer(&owner, "A", &log);
    new TTracer(&owner, "B", &log);
    new TTracer(&owner, "C", &log);
    ASSERT_EQ(owner.ComponentCount(), 3);
    EXPECT_EQ(owner.Components(0)->Name(), "A");
    EXPECT_EQ(owner.Components(2)->Name(), "C");
    EXPECT_EQ(owner.Components(1)->ComponentIndex(), 1);
    EXPECT_THROW(owner.Components(3), EListError);
    log.clear();
  }
  EXPECT_EQ(log, (std::vector<String>{"free C destroying", "free B destroying", "free A destroying"}));
}

TEST(ComponentTest, NamesMustBeValidIdentifiersAndUniqueAmongSiblings) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName("Button1");
  struct Case {
    const char* name;
    const char* error;  // nullptr: accepted
  };
  const Case cases[] = {
      {"BUTTON1", "A component named BUTTON1 already exists"},
      {"1Button", "'1Button' is not a valid component name"},
      {"Two Words", "'Two Words' is not a valid component name"},
      {"Über", "'Über' is not a valid component name"},
      {"_Edit2", nullptr},
      {"", nullptr},
  };
  for (const Case& c : cases) {
    try {
      b->SetName(c.name);
      EXPECT_EQ(c.error, nullptr) << c.name;
      EXPECT_EQ(b->Name(), c.name);
    } catch (const EComponentError& e) {
      ASSERT_NE(c.error, nullptr) << c.name;
      EXPECT_STREQ(e.what(), c.error);
    }
  }
  a->SetName("BUTTON1");  // a change of case of its own name is no clash
  EXPECT_EQ(owner.FindComponent("button1"), a);
  a->SetName("Renamed");
  EXPECT_EQ(owner.FindComponent("Button1"), nullptr);
  EXPECT_EQ(owner.FindComponent("RENAMED"), a);
  b->SetName("Button1");  // the old name is free again
  EXPECT_EQ(owner.FindComponent("Button1"), b);
  auto* c = new TComponent(&owner);  // several unnamed components may coexist
  EXPECT_EQ(owner.FindComponent(""), nullptr);
  delete c;
  EXPECT_EQ(owner.ComponentCount(), 2);
}

TEST(ComponentTest, FreeNotificationReachesComponentsOfOtherOwners) {
  std::vector<String> log;
  TComponent formA(nullptr), formB(nullptr);
  auto* watcher = new TTracer(&formA, "Watcher", &log);
  auto* target = new TTracer(&formB, "Target", &log);
  watcher->Watch(target);
  EXPECT_TRUE(target->ComponentState().Contains(csFreeNotification));
  log.clear();
  delete target;
  EXPECT_EQ(watcher->Watched, nullptr);
  EXPECT_NE(std::find(log.begin(), log.end(), "Watcher -Target"), log.end());

  // After RemoveFreeNotification nothing more arrives, and freeing the watcher first
  // leaves no dangling reference in the target (the sanitizer build checks this).
  auto* t2 = new TTracer(&formB, "T2", &log);
  watcher->Watch(t2);
  t2->RemoveFreeNotification(watcher);
  log.clear();
  delete t2;
  EXPECT_EQ(std::count(log.begin(), log.end(), "Watcher -T2"), 0);
  auto* t3 = new TTracer(&formB, "T3", &log);
  watcher->Watch(t3);
  delete watcher;
  delete t3;
}

TEST(ComponentTest, LongWatchListsKeepTheirOrderThroughRemovals) {
  std::vector<String> log;
  TComponent formA(nullptr), formB(nullptr);
  auto* target = new TTracer(&formB, "Target", &log);
  std::vector<TTracer*> watchers;
  for (int i = 0; i < 40; ++i) {
    watchers.push_back(new TTracer(&formA, "W" + IntToStr(i), &log));
    watchers.back()->Watch(target);
  }
  // Freeing watchers in the middle takes them off the target's list.
  for (int i = 1; i < 40; i += 3) delete watchers[i];
  log.clear();
  delete target;
  std::vector<String> expected{"free Target"};
  for (int i = 39; i >= 0; --i)
    if (i % 3 != 1) expected.push_back("W" + IntToStr(i) + " -Target");
  EXPECT_EQ(log, expected);  // the latest to ask hears first
  for (int i = 0; i < 40; ++i) {
    if (i % 3 == 1) continue;
    EXPECT_EQ(watchers[i]->Watched, nullptr);
  }
}

TEST(ComponentTest, InsertAndRemoveAreBroadcastToOwnedComponents) {
  std::vector<String> log;
  TComponent form(nullptr);
  auto* listener = new TTracer(&form, "Listener", &log);
  log.clear();
  auto* x = new TComponent(&form);
  x->SetName("X");
  EXPECT_EQ(log, (std::vector<String>{"Listener +?"}));  // inserted before it was named
  log.clear();
  delete x;
  EXPECT_EQ(log, (std::vector<String>{"Listener -X"}));
  (void)listener;
}

TEST(ComponentTest, AnOwnerThatIsLoadingDoesNotAnnounceEachInsertion) {
  std::vector<String> log;
  TComponent form(nullptr);
  new TTracer(&form, "Listener", &log);
  form.IncludeState(csLoading);
  log.clear();
  auto* x = new TComponent(&form);
  x->SetName("X");
  EXPECT_TRUE(log.empty());
  form.Loaded();
  delete x;  // removal is announced as always
  EXPECT_EQ(log, (std::vector<String>{"Listener -X"}));
}

TEST(ComponentTest, TakingOverAComponentReleasesItFromItsFormerOwner) {
  TComponent first(nullptr), second(nullptr);
  auto* c = new TComponent(&first);
  c->SetName("Edit1");
  second.InsertComponent(c);
  EXPECT_EQ(c->Owner(), &second);
  EXPECT_EQ(first.ComponentCount(), 0);
  EXPECT_EQ(first.FindComponent("Edit1"), nullptr);
  EXPECT_EQ(second.FindComponent("Edit1"), c);
  auto* clash = new TComponent(&first);
  clash->SetName("Edit1");
  EXPECT_THROW(second.InsertComponent(clash), EComponentError);
  EXPECT_EQ(clash->Owner(), &first);
  second.RemoveComponent(c);
  EXPECT_EQ(c->Owner(), nullptr);
  delete c;
}

TEST(ComponentTest, StateFlagsAndDesigningPropagate) {
  TComponent form(nullptr);
  auto* child = new TComponent(&form);
  form.SetDesigning(true);
  EXPECT_TRUE(child->ComponentState().Contains(csDesigning));
  auto* late = new TComponent(&form);
  EXPECT_TRUE(late->ComponentState().Contains(csDesigning));  // inherited on insertion
  form.IncludeState(csLoading);
  form.Loaded();
  EXPECT_FALSE(form.ComponentState().Contains(csLoading));
}

TEST(ComponentTest, ClassReferencesCreateComponentsWithAnOwner) {
  RegisterCoreClasses();
  RegisterFixtureClasses();
  TComponent form(nullptr);
  TComponent* w = CreateComponent(FindClass("twidget"), &form);
  EXPECT_EQ(w->ClassName(), "TWidget");
  EXPECT_TRUE(w->InheritsFrom(TComponent::StaticClass()));
  EXPECT_EQ(w->Owner(), &form);
  EXPECT_EQ(w->ClassParent(), TComponent::StaticClass());
  EXPECT_THROW(CreateComponent(TStringList::StaticClass(), &form), EInvalidCast);
  try {
    FindClass("TNoSuchThing");
    FAIL();
  } catch (const EClassNotFound& e) {
    EXPECT_STREQ(e.what(), "Class TNoSuchThing not found");
  }
  EXPECT_EQ(GetClass("TNoSuchThing"), nullptr);
}

// Classes that only this test registers: one under a name that clashes with a fixture's.
class TRegisteredOnce : public TComponent {
  XEL_CLASS(TRegisteredOnce, TComponent)
public:
  using TComponent::TComponent;
};
namespace clash {
class TWidget : public TComponent {
  XEL_CLASS(TWidget, TComponent)
public:
  using TComponent::TComponent;
};
}  // namespace clash

TEST(ComponentTest, TheClassRegistryFindsByNameInAnyCaseUntilUnregistered) {
  RegisterCoreClasses();
  RegisterFixtureClasses();
  RegisterClass(TRegisteredOnce::StaticClass());
  EXPECT_EQ(GetClass("tregisteredONCE"), TRegisteredOnce::StaticClass());
  UnRegisterClass(TRegisteredOnce::StaticClass());
  EXPECT_EQ(GetClass("TRegisteredOnce"), nullptr);
  EXPECT_EQ(GetClass("TComponent"), TComponent::StaticClass());  // the parent stays
  RegisterClass(TRegisteredOnce::StaticClass());
  EXPECT_EQ(GetClass("TRegisteredOnce"), TRegisteredOnce::StaticClass());
  UnRegisterClass(TRegisteredOnce::StaticClass());
  // Another class of a registered name is refused; the first keeps the name.
  EXPECT_THROW(RegisterClass(clash::TWidget::StaticClass()), EFilerError);
  EXPECT_EQ(GetClass("TWIDGET"), TWidget::StaticClass());
}

TEST(ComponentTest, ManyNamedComponentsStayFindable) {
  TComponent form(nullptr);
  const int n = 20000;
  for (int i = 0; i < n; ++i) (new TComponent(&form))->SetName("C" + IntToStr(i));
  EXPECT_EQ(form.ComponentCount(), n);
  EXPECT_EQ(form.FindComponent("c19999")->ComponentIndex(), n - 1);
  EXPECT_THROW((new TComponent(&form))->SetName("C123"), EComponentError);
}

}  // namespace
}  // namespace xel::test

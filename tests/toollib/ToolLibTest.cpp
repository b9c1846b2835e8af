#include <gtest/gtest.h>

#include "ClassList.h"
#include "MethodList.h"
#include "VersionControl.h"

namespace xel {
namespace {

struct THandlers : TObject {
  void A(TObject*) {}
  void B(TObject*) {}
};

TMethod A(THandlers* h) { return TNotifyEvent(MakeMethod<&THandlers::A>(h)).GetMethod(); }
TMethod B(THandlers* h) { return TNotifyEvent(MakeMethod<&THandlers::B>(h)).GetMethod(); }

TEST(MethodListTest, EntriesCompareByCodeAndData) {
  THandlers h1, h2;
  TMethod a1 = A(&h1), b1 = B(&h1), a2 = A(&h2);
  TMethodList list;
  EXPECT_EQ(list.IndexOf(a1), -1);
  list.AddEx(a1, 10);
  list.Add(b1);
  list.AddEx(a1, 30);  // duplicates are allowed
  list.Add(a2);
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.IndexOf(a2), 3);
  Integer param = -1;
  EXPECT_EQ(list.RemoveEx(a1, param), 0);  // the first of the two
  EXPECT_EQ(param, 10);
  EXPECT_EQ(list.IndexOf(a1), 1);
  param = -1;
  EXPECT_EQ(list.RemoveEx(B(&h2), param), -1);
  EXPECT_EQ(param, -1);
  list.SetParams(0, 7);
  list.SetItems(0, a2);  // keeps the parameter
  EXPECT_EQ(list.Items(0), a2);
  EXPECT_EQ(list.Params(0), 7);
  list.AddEx(TMethod{}, 99);  // an empty entry is skipped by ForEach
  std::vector<Integer> seen;
  list.ForEach([&](TMethod m, Integer p) { seen.push_back(p + (m == a2 ? 1000 : 0)); }, 5);
  EXPECT_EQ(seen, (std::vector<Integer>{1005, 5, 1005}));
  EXPECT_THROW(list.Delete(9), EListError);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

// Counts its own destruction, to see which list frees what.
struct TTracked : TObject {
  explicit TTracked(int* freed) : Freed(freed) {}
  ~TTracked() override { ++*Freed; }
  int* Freed;
};

TEST(ClassListTest, OwningListsFreeWhatTheyLoseButNotWhatTheyHandOn) {
  int freed = 0;
  {
    TOwnerClassList owner;
    auto* a = new TTracked(&freed);
    auto* b = new TTracked(&freed);
    owner.Add(a);
    owner.Add(b);
    owner.Add(nullptr);
    owner.SetItems(0, new TTracked(&freed));  // the replaced item goes
    EXPECT_EQ(freed, 1);
    TClassList other;
    owner.MoveTo(1, &other);  // b changes lists without being freed
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(other.Items(0), b);
    EXPECT_TRUE(owner.OwnsObjects());
    auto* stranger = new TTracked(&freed);
    EXPECT_EQ(owner.Remove(stranger), -1);
    EXPECT_EQ(freed, 1);
    std::unique_ptr<TClassList> shared(TClassList::CreateAsOwner());
    shared->SetOwnsObjects(false);
    shared->Assign(&owner);  // both hold the same objects now
    EXPECT_EQ(shared->Count(), owner.Count());
    EXPECT_EQ(shared->Items(0), owner.Items(0));
    int visited = 0;
    owner.ForEach([&](TObject*, void*) { ++visited; }, nullptr);
    EXPECT_EQ(visited, 1);  // nil items are skipped
    delete b;
    delete stranger;
    EXPECT_EQ(freed, 3);
  }
  EXPECT_EQ(freed, 4);  // the owner freed what it still held
}

TEST(VersionControlTest, HeadersAreRegisteredAndTakenApart) {
  UnitVersion("$Header: /Xel/Glotta/ToolLibTest.cpp 3 10.12.26 4:05 XG $");
  TStringList versions;
  GetUnitVersions(&versions);
  ASSERT_GE(versions.Count(), 1);
  EXPECT_EQ(versions[versions.Count() - 1], "$Header: /Xel/Glotta/ToolLibTest.cpp 3 10.12.26 4:05 XG $");

  // Every unit of the library registered a header of its own file when it loaded.
  for (const char* unit : {"/toollib/MethodList.cpp", "/toollib/ClassList.cpp", "/toollib/Expand.cpp",
                           "/toollib/VersionControl.cpp", "/toollib/StringTools.cpp", "/toollib/FileTools.cpp",
                           "/toollib/LogFile.cpp", "/toollib/SuperForm.cpp", "/toollib/ButtonPanel.cpp"}) {
    int found = -1;
    for (int i = 0; i < versions.Count(); ++i)
      if (versions[i].find(unit) != String::npos) found = i;
    ASSERT_GE(found, 0) << unit;
    TUnitHeader parsed;
    EXPECT_TRUE(ExtractHeader(versions[found], parsed)) << versions[found];
    EXPECT_EQ(parsed.Path, unit);
  }

  TUnitHeader h;
  ASSERT_TRUE(ExtractHeader("$Header: /Xel/Tools/Glotta.pas 12 10.09.99 15:15 JS $", h));
  EXPECT_EQ(h.Path, "/Xel/Tools/Glotta.pas");
  EXPECT_EQ(h.FileName, "Glotta.pas");
  EXPECT_EQ(h.Revision, "12");
  EXPECT_EQ(h.DateText, "10.09.99");
  EXPECT_EQ(h.TimeText, "15:15");
  EXPECT_EQ(h.Author, "JS");
  EXPECT_DOUBLE_EQ(h.DateTime.Value(), EncodeDate(1999, 9, 10).Value() + EncodeTime(15, 15, 0, 0).Value());
  ASSERT_TRUE(ExtractHeader("$Header: /Xel/Tools/Glotta.pas 12 09/10/99 3:15p JS $", h));
  EXPECT_DOUBLE_EQ(h.DateTime.Value(), EncodeDate(1999, 9, 10).Value() + EncodeTime(15, 15, 0, 0).Value());
  for (const char* bad : {"$Header: Xel/x.pas 1 10.09.99 15:15 JS $", "$Header: /Xel/x.pas 1 10.09.99 15:15 JS",
                          "$Header: /x 1 $"}) {
    EXPECT_FALSE(ExtractHeader(bad, h)) << bad;
    EXPECT_EQ(h.Path, "");
  }
}

}  // namespace
}  // namespace xel

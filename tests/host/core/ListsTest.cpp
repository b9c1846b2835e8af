#include <gtest/gtest.h>

#include "Lists.h"

namespace xel {
namespace {

int Values[6] = {0, 1, 2, 3, 4, 5};
void* P(int i) { return &Values[i]; }

std::vector<int> Content(const TList& l) {
  std::vector<int> r;
  for (int i = 0; i < l.Count(); ++i) r.push_back(l[i] ? *static_cast<int*>(l[i]) : -1);
  return r;
}

TEST(ListTest, EditingOperations) {
  TList l;
  for (int i = 1; i <= 4; ++i) l.Add(P(i));
  l.Insert(0, P(0));
  EXPECT_EQ(Content(l), (std::vector<int>{0, 1, 2, 3, 4}));
  l.Move(0, 4);
  EXPECT_EQ(Content(l), (std::vector<int>{1, 2, 3, 4, 0}));
  l.Exchange(0, 4);
  EXPECT_EQ(Content(l), (std::vector<int>{0, 2, 3, 4, 1}));
  EXPECT_EQ(l.Remove(P(3)), 2);
  EXPECT_EQ(l.Remove(P(5)), -1);
  l.Sort([](void* a, void* b) { return *static_cast<int*>(a) - *static_cast<int*>(b); });
  EXPECT_EQ(Content(l), (std::vector<int>{0, 1, 2, 4}));
  l.Add(nullptr);
  l.Insert(1, nullptr);
  l.Pack();
  EXPECT_EQ(Content(l), (std::vector<int>{0, 1, 2, 4}));
  EXPECT_EQ(l.IndexOf(P(4)), 3);
  EXPECT_EQ(l.Extract(P(1)), P(1));
  EXPECT_EQ(l.First(), P(0));
  EXPECT_EQ(l.Last(), P(4));
  l.SetCount(5);
  EXPECT_EQ(l.Count(), 5);
  EXPECT_EQ(l[4], nullptr);
}

TEST(ListTest, IndexAndCapacityErrors) {
  TList l;
  l.Add(P(0));
  struct Case {
    const char* what;
    std::function<void()> op;
    const char* message;
  };
  const Case cases[] = {
      {"get", [&] { l.Get(1); }, "List index out of bounds (1)"},
      {"delete", [&] { l.Delete(-1); }, "List index out of bounds (-1)"},
      {"insert past end", [&] { l.Insert(2, nullptr); }, "List index out of bounds (2)"},
      {"move", [&] { l.Move(0, 3); }, "List index out of bounds (3)"},
      {"capacity", [&] { l.SetCapacity(0); }, "List capacity out of bounds (0)"},
      {"count", [&] { l.SetCount(-1); }, "List count out of bounds (-1)"},
  };
  for (const Case& c : cases) {
    try {
      c.op();
      ADD_FAILURE() << c.what;
    } catch (const EListError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.what;
    }
  }
  EXPECT_EQ(l.Count(), 1);
}

}  // namespace
}  // namespace xel

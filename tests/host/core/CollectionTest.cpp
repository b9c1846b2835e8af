#include <gtest/gtest.h>

#include "Classes.h"
#include "Fixtures.h"

namespace xel::test {
namespace {

class TColumn : public TCollectionItem {
  XEL_CLASS(TColumn, TCollectionItem)
public:
  using TCollectionItem::TCollectionItem;
  String FTitle;
  Integer FWidth = 64;
  void Assign(TPersistent* source) override {
    if (auto* c = dynamic_cast<TColumn*>(source)) {
      FTitle = c->FTitle;
      FWidth = c->FWidth;
      return;
    }
    TCollectionItem::Assign(source);
  }
  String GetDisplayName() const override { return FTitle.empty() ? TCollectionItem::GetDisplayName() : FTitle; }
  static auto Published() {
    return PropTable<TColumn>(Prop("Title", &TColumn::FTitle, &TColumn::FTitle),
                              Prop("Width", &TColumn::FWidth, &TColumn::FWidth).Default(64));
  }
};

// A narrower item class, to show that assignment keeps the target's item class.
class TWideColumn : public TColumn {
  XEL_CLASS(TWideColumn, TColumn)
public:
  using TColumn::TColumn;
};

class TColumns : public TOwnedCollection {
  XEL_CLASS(TColumns, TOwnedCollection)
public:
  TColumns(TPersistent* owner, TClass itemClass) : TOwnedCollection(owner, itemClass) {}
  std::vector<TCollectionItem*> Updates;

protected:
  void Update(TCollectionItem* item) override { Updates.push_back(item); }
};

class TGrid : public TComponent {
  XEL_CLASS(TGrid, TComponent)
public:
  explicit TGrid(TComponent* owner) : TComponent(owner) {}
  TColumns* GetColumns() const { return FColumns.get(); }
  void SetColumns(TColumns* v) { FColumns->Assign(v); }
  static auto Published() { return PropTable<TGrid>(Prop("Columns", &TGrid::GetColumns, &TGrid::SetColumns)); }

private:
  std::unique_ptr<TColumns> FColumns = std::make_unique<TColumns>(this, TColumn::StaticClass());
};

TColumn* Col(TCollection& c, int i) { return static_cast<TColumn*>(c.Items(i)); }

TEST(CollectionTest, ItemsAreOwnedOrderedAndNumbered) {
  TColumns cols(nullptr, TColumn::StaticClass());
  auto* a = static_cast<TColumn*>(cols.Add());
  auto* b = static_cast<TColumn*>(cols.Add());
  auto* c = static_cast<TColumn*>(cols.Insert(0));
  EXPECT_EQ(cols.Count(), 3);
  EXPECT_EQ(c->Index(), 0);
  EXPECT_EQ(a->Index(), 1);
  EXPECT_EQ(std::vector<int>({a->ID(), b->ID(), c->ID()}), std::vector<int>({0, 1, 2}));
  EXPECT_EQ(cols.FindItemID(1), b);
  c->SetIndex(2);
  EXPECT_EQ(cols.Items(2), c);
  EXPECT_EQ(cols.Items(0), a);
  EXPECT_THROW(c->SetIndex(3), EListError);
  delete a;  // an item freed directly leaves its collection
  EXPECT_EQ(cols.Count(), 2);
  EXPECT_EQ(cols.Items(0), b);
  cols.Delete(0);
  EXPECT_EQ(cols.Count(), 1);
  EXPECT_EQ(cols.Add()->ID(), 3);  // IDs are never reused
  EXPECT_THROW(cols.Items(5), EListError);
  EXPECT_THROW(TCollection bad(TStringList::StaticClass()), EInvalidOperation);
}

TEST(CollectionTest, UpdatesAreReportedOncePerBlock) {
  TColumns cols(nullptr, TColumn::StaticClass());
  cols.Add();
  EXPECT_EQ(cols.Updates.size(), 1u);
  cols.BeginUpdate();
  cols.Add();
  cols.Add();
  cols.Delete(0);
  EXPECT_EQ(cols.Updates.size(), 1u);
  cols.EndUpdate();
  EXPECT_EQ(cols.Updates.size(), 2u);
  EXPECT_EQ(cols.Updates.back(), nullptr);
  cols.Clear();
  EXPECT_EQ(cols.Count(), 0);
  EXPECT_EQ(cols.Updates.size(), 3u);
}

TEST(CollectionTest, AssignClearsThenCopiesEachItemIntoTheTargetsItemClass) {
  TColumns src(nullptr, TColumn::StaticClass());
  for (const char* t : {"Name", "Size"}) static_cast<TColumn*>(src.Add())->FTitle = t;
  Col(src, 1)->FWidth = 120;
  TColumns dst(nullptr, TWideColumn::StaticClass());
  dst.Add();
  dst.Add();
  dst.Add();
  dst.Assign(&src);
  ASSERT_EQ(dst.Count(), 2);
  EXPECT_EQ(Col(dst, 0)->FTitle, "Name");
  EXPECT_EQ(Col(dst, 1)->FWidth, 120);
  EXPECT_EQ(dst.Items(0)->ClassName(), "TWideColumn");
  EXPECT_EQ(dst.ItemClass(), TWideColumn::StaticClass());
  TStringList notAColl;
  EXPECT_THROW(dst.Assign(&notAColl), EConvertError);
}

TEST(CollectionTest, NamePathsAndDisplayNames) {
  TComponent form(nullptr);
  auto* grid = new TGrid(&form);
  grid->SetName("Grid1");
  TColumns* cols = grid->GetColumns();
  cols->Add();
  auto* second = static_cast<TColumn*>(cols->Add());
  EXPECT_EQ(cols->PropName(), "Columns");
  EXPECT_EQ(cols->GetNamePath(), "Grid1.Columns");
  EXPECT_EQ(second->GetNamePath(), "Grid1.Columns[1]");
  EXPECT_EQ(second->DisplayName(), "TColumn");
  second->FTitle = "Price";
  EXPECT_EQ(second->DisplayName(), "Price");
  TColumns loose(nullptr, TColumn::StaticClass());
  EXPECT_EQ(loose.GetNamePath(), "TColumns");
}

TEST(CollectionTest, ItemsMoveBetweenCollections) {
  TColumns a(nullptr, TColumn::StaticClass()), b(nullptr, TColumn::StaticClass());
  TCollectionItem* item = a.Add();
  item->SetCollection(&b);
  EXPECT_EQ(a.Count(), 0);
  EXPECT_EQ(b.Count(), 1);
  EXPECT_EQ(item->Collection(), &b);
  EXPECT_EQ(item->GetOwner(), &b);
}

}  // namespace
}  // namespace xel::test

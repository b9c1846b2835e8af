// The list view in report style: columns, sub-items, sorting, header clicks, storage.
#include <gtest/gtest.h>

#include "Forms.h"
#include "HeadlessWidgetSet.h"
#include "ListView.h"
#include "TextForms.h"

namespace xel {
namespace {

struct TListEvents : TObject {
  std::vector<String> Log;
  int SortColumn = -1;
  void Column(TObject*, TListColumn* c) { Log.push_back("column:" + c->GetCaption()); }
  void Select(TObject*, TListItem* i, bool selected) { Log.push_back((selected ? "+" : "-") + i->Caption()); }
  // Sorts by the first sub-item.
  void Compare(TObject*, TListItem* a, TListItem* b, Integer, Integer& result) {
    result = CompareText(a->SubItems()->Strings(0), b->SubItems()->Strings(0));
  }
};

TEST(ListViewTest, ReportRowsSortSelectAndStore) {
  TForm form(nullptr, TCreateNew{});
  auto* lv = new TListView(&form);
  lv->SetName("List");
  lv->SetParent(&form);
  lv->SetViewStyle(vsReport);
  lv->SetRowSelect(true);
  for (const char* caption : {"Name", "Value"}) lv->GetColumns()->Add()->SetCaption(caption);
  lv->GetColumns()->Items(1)->SetWidth(120);
  const std::pair<const char*, const char*> rows[] = {{"beta", "2"}, {"Alpha", "3"}, {"gamma", "1"}};
  for (auto [caption, value] : rows) {
    TListItem* item = lv->AddItem();
    item->SetCaption(caption);
    item->SubItems()->Add(value);
  }
  lv->AlphaSort();
  EXPECT_EQ(lv->Item(0)->Caption(), "Alpha");
  EXPECT_EQ(lv->Item(2)->Caption(), "gamma");

  TListEvents events;
  lv->OnColumnClick = MakeMethod<&TListEvents::Column>(&events);
  lv->OnSelectItem = MakeMethod<&TListEvents::Select>(&events);
  form.Show();
  Integer h = lv->RowHeight();
  Headless::MouseDown(lv, mbLeft, {ssLeft}, 60, 1);  // the header of the second column
  Headless::MouseDown(lv, mbLeft, {ssLeft}, 100, 2 * h + 1);  // the second row; row select takes any column
  Headless::PressKey(&form, VK_UP);
  EXPECT_EQ(events.Log, (std::vector<String>{"column:Value", "+beta", "-beta", "+Alpha"}));
  lv->OnCompare = MakeMethod<&TListEvents::Compare>(&events);
  lv->CustomSort(1);
  EXPECT_EQ(lv->Item(0)->SubItems()->Strings(0), "1");
  EXPECT_EQ(lv->ItemIndex(), 2);  // the selection moved with its item
  auto log = Headless::Paint(lv);
  EXPECT_NE(std::find(log.begin(), log.end(), "TextRect 50," + IntToStr(h) + ",170," + IntToStr(2 * h) + " 54," +
                                                  IntToStr(h + 2) + " 1"),
            log.end());

  lv->OnColumnClick = nullptr;
  lv->OnSelectItem = nullptr;
  lv->OnCompare = nullptr;
  TStringStream s;
  s.WriteComponent(&form);
  TForm copy(nullptr, TCreateNew{});
  s.SetPosition(0);
  s.ReadComponent(&copy);
  auto* read = static_cast<TListView*>(copy.FindComponent("List"));
  ASSERT_EQ(read->ItemCount(), 3);
  EXPECT_EQ(read->Item(1)->Caption(), "beta");  // the stored order
  EXPECT_EQ(read->Item(1)->SubItems()->Strings(0), "2");
  EXPECT_EQ(read->GetColumns()->Items(1)->GetWidth(), 120);
  read->DeleteItem(0);
  EXPECT_EQ(read->ItemCount(), 2);
}

}  // namespace
}  // namespace xel

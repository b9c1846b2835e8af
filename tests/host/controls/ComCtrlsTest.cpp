// The status bar's panels and the tool bar's buttons.
#include <gtest/gtest.h>

#include <memory>

#include "ComCtrls.h"
#include "Forms.h"
#include "HeadlessWidgetSet.h"
#include "TextForms.h"

namespace xel {
namespace {

TEST(StatusBarTest, PanelsPaintStoreAndReachTheWindow) {
  TForm form(nullptr, TCreateNew{});
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, 300, 200);
  auto* bar = new TStatusBar(&form);
  bar->SetName("Status");
  bar->SetParent(&form);
  EXPECT_EQ(bar->BoundsRect(), Rect(0, 181, 300, 200));  // aligned to the bottom
  TStatusPanel* first = bar->GetPanels()->Add();
  first->SetText("Ready");
  first->SetWidth(100);
  TStatusPanel* second = bar->GetPanels()->Add();
  second->SetText("Deutsch");
  second->SetAlignment(taRightJustify);
  EXPECT_EQ(bar->PanelRect(1), Rect(100, 2, 300, 19));  // the last panel takes the rest
  auto log = Headless::Paint(bar);
  EXPECT_NE(std::find(log.begin(), log.end(), "TextRect 0,2,100,19 2,4 Ready"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "TextRect 100,2,300,19 256,4 Deutsch"), log.end());
  form.Show();
  int before = HeadlessHandle(bar)->Updates[waItems];
  second->SetText("English");
  EXPECT_EQ(HeadlessHandle(bar)->Updates[waItems], before + 1);
  bar->SetSimplePanel(true);
  bar->SetSimpleText("Saving...");
  log = Headless::Paint(bar);
  EXPECT_EQ(log.back(), "TextRect 0,2,300,19 2,4 Saving...");

  TStringStream s;
  s.WriteComponent(&form);
  String text = ObjectBinaryToText(s.DataString());
  EXPECT_NE(text.find("    Panels = <\r\n      item\r\n        Text = 'Ready'\r\n        Width = 100\r\n      end"),
            String::npos)
      << text;
  TForm copy(nullptr, TCreateNew{});
  s.SetPosition(0);
  s.ReadComponent(&copy);
  auto* read = static_cast<TStatusBar*>(copy.FindComponent("Status"));
  ASSERT_EQ(read->GetPanels()->Count(), 2);
  EXPECT_EQ(read->GetPanels()->Items(1)->GetText(), "English");
  EXPECT_EQ(read->GetPanels()->Items(1)->GetAlignment(), taRightJustify);
}

struct TClicks : TObject {
  std::vector<String> Log;
  void Click(TObject* s) { Log.push_back(static_cast<TComponent*>(s)->GetName()); }
};

TEST(ToolBarTest, ButtonsLineUpAndCheckGroupsKeepOneDown) {
  TForm form(nullptr, TCreateNew{});
  auto* bar = new TToolBar(&form);
  bar->SetParent(&form);
  TClicks clicks;
  auto add = [&](const char* name, TToolButtonStyle style, bool grouped = false) {
    auto* b = new TToolButton(&form);
    b->SetName(name);
    b->SetStyle(style);
    b->SetGrouped(grouped);
    b->SetParent(bar);
    b->OnClick = MakeMethod<&TClicks::Click>(&clicks);
    return b;
  };
  auto* open = add("Open", tbsButton);
  auto* sep = add("Sep", tbsSeparator);
  auto* left = add("AlignLeft", tbsCheck, true);
  auto* right = add("AlignRight", tbsCheck, true);
  EXPECT_EQ(bar->ButtonCount(), 4);
  EXPECT_EQ(bar->GetButton(1), sep);
  EXPECT_EQ(open->BoundsRect(), Rect(0, 2, 23, 24));
  EXPECT_EQ(sep->Width(), 8);
  EXPECT_EQ(left->Left(), 31);
  EXPECT_EQ(right->Left(), 54);

  form.Show();
  for (TControl* c : std::vector<TControl*>{open, sep, left, right, right}) Headless::Click(c);
  EXPECT_EQ(clicks.Log, (std::vector<String>{"Open", "AlignLeft", "AlignRight", "AlignRight"}));
  EXPECT_FALSE(left->GetDown());
  EXPECT_TRUE(right->GetDown());  // the last one down in its group stays down

  // A button bound to a menu item takes its caption and hint, and clicks it.
  auto* item = new TMenuItem(&form);
  item->SetCaption("&Save");
  item->SetHint("Saves the file");
  auto* save = add("Save", tbsButton);
  save->OnClick = nullptr;
  save->SetMenuItem(item);
  EXPECT_EQ(save->GetText(), "Save");
  EXPECT_EQ(save->GetHint(), "Saves the file");
  TClicks itemClicks;
  item->OnClick = MakeMethod<&TClicks::Click>(&itemClicks);
  item->SetName("SaveItem");
  Headless::Click(save);
  EXPECT_EQ(itemClicks.Log, std::vector<String>{"SaveItem"});
  delete item;
  EXPECT_EQ(save->GetMenuItem(), nullptr);
}

}  // namespace
}  // namespace xel

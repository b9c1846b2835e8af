// The tree view: nodes, expanding with vetoes, keyboard and mouse selection, storage.
#include <gtest/gtest.h>

#include <memory>

#include "Forms.h"
#include "HeadlessWidgetSet.h"
#include "TextForms.h"
#include "TreeView.h"

namespace xel {
namespace {

struct TTreeEvents : TObject {
  std::vector<String> Log;
  bool VetoCollapse = false;
  void Change(TObject*, TTreeNode* n) { Log.push_back("change:" + (n ? n->Text() : String("-"))); }
  void Collapsing(TObject*, TTreeNode* n, bool& allow) {
    Log.push_back("collapsing:" + n->Text());
    allow = !VetoCollapse;
  }
};

struct TreeFixture : testing::Test {
  TForm Form{nullptr, TCreateNew{}};
  TTreeView* Tree;
  TTreeNode *Fruit, *Apple, *Pear, *Veg;
  TTreeEvents Events;
  TreeFixture() {
    Tree = new TTreeView(&Form);
    Tree->SetName("Tree");
    Tree->SetParent(&Form);
    Fruit = Tree->GetItems()->Add(nullptr, "Fruit");
    Apple = Tree->GetItems()->AddChild(Fruit, "Apple");
    Pear = Tree->GetItems()->AddChild(Fruit, "Pear");
    Veg = Tree->GetItems()->Add(Fruit, "Vegetables");
    Tree->OnChange = MakeMethod<&TTreeEvents::Change>(&Events);
    Tree->OnCollapsing = MakeMethod<&TTreeEvents::Collapsing>(&Events);
  }
};

TEST_F(TreeFixture, KeysWalkTheVisibleNodesAndCollapseGuardsTheSelection) {
  EXPECT_EQ(Tree->GetItems()->Count(), 4);
  EXPECT_EQ(Tree->GetItems()->Item(2), Pear);
  EXPECT_EQ(Pear->Level(), 1);
  EXPECT_FALSE(Apple->IsVisible());
  Form.Show();
  Tree->SetFocus();
  for (Word key : {VK_DOWN, VK_RIGHT, VK_RIGHT, VK_DOWN}) Headless::PressKey(&Form, key);
  EXPECT_EQ(Tree->Selected(), Pear);
  EXPECT_TRUE(Fruit->Expanded());
  Events.VetoCollapse = true;
  Fruit->Collapse(false);
  EXPECT_TRUE(Fruit->Expanded());
  Events.VetoCollapse = false;
  Headless::PressKey(&Form, VK_LEFT);  // to the parent
  Headless::PressKey(&Form, VK_LEFT);  // collapses it
  EXPECT_FALSE(Fruit->Expanded());
  EXPECT_EQ(Events.Log, (std::vector<String>{"change:Fruit", "change:Apple", "change:Pear", "collapsing:Fruit",
                                             "change:Fruit", "collapsing:Fruit"}));
  // A click on the third visible row; deleting the selection clears it.
  Tree->FullExpand();
  Integer h = Tree->ItemHeight();
  Headless::MouseDown(Tree, mbLeft, {ssLeft}, 60, 2 * h + 1);
  EXPECT_EQ(Tree->Selected(), Pear);
  Fruit->Delete();
  EXPECT_EQ(Tree->Selected(), nullptr);
  EXPECT_EQ(Tree->GetItems()->Count(), 1);
  EXPECT_EQ(Tree->GetNodeAt(5, 1), Veg);
}

TEST_F(TreeFixture, NodesTravelInTheFormStream) {
  Apple->SetImageIndex(3);
  Tree->GetItems()->AddChild(Pear, String(300, 'x'));  // stored as at most 255 characters
  Tree->OnChange = nullptr;  // handlers of the test are no published methods of the form
  Tree->OnCollapsing = nullptr;
  TStringStream s;
  s.WriteComponent(&Form);
  EXPECT_NE(ObjectBinaryToText(s.DataString()).find("Items.Data = {"), String::npos);
  TForm copy(nullptr, TCreateNew{});
  s.SetPosition(0);
  s.ReadComponent(&copy);
  auto* tree = static_cast<TTreeView*>(copy.FindComponent("Tree"));
  ASSERT_EQ(tree->GetItems()->Count(), 5);
  TTreeNode* fruit = tree->GetItems()->GetFirstNode();
  EXPECT_EQ(fruit->Text(), "Fruit");
  EXPECT_EQ(fruit->Item(0)->ImageIndex(), 3);
  EXPECT_EQ(fruit->Item(1)->Item(0)->Text().size(), 255u);
  EXPECT_EQ(fruit->GetNextSibling()->Text(), "Vegetables");

  // A stream whose node counts promise more than it holds fails to load.
  String bytes = s.DataString();
  size_t at = bytes.find("Fruit");
  ASSERT_NE(at, String::npos);
  bytes[at - 5] = 100;  // the child count of "Fruit"
  TStringStream broken(bytes);
  TForm other(nullptr, TCreateNew{});
  EXPECT_THROW(broken.ReadComponent(&other), EReadError);
}

}  // namespace
}  // namespace xel

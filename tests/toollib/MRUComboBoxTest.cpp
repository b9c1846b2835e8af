// The history combo box: the stored history, confirming and its rules, the count limit,
// validation and focus.
#include <gtest/gtest.h>

#include "Forms.h"
#include "HeadlessWidgetSet.h"
#include "MRUComboBox.h"

namespace xel {
namespace {

struct TMRULog : TObject {
  int Changed = 0;
  std::vector<String> Asked;
  bool Upper = false;
  void OnChanged(TObject*) { ++Changed; }
  void OnValidate(TObject*, String& text, bool& ok) {
    Asked.push_back(text + (ok ? "+" : "-"));
    if (Upper) text = UpperCase(text);
  }
};

struct MRUComboBoxTest : testing::Test {
  static void SetUpTestSuite() {
    if (!WidgetSet()) InstallHeadlessWidgetSet();
  }
  MRUComboBoxTest() : Form(nullptr, TCreateNew{}) {
    Box = new TMRUComboBox(&Form);
    Box->SetName("Patterns");
    Box->SetParent(&Form);
    Box->OnChanged = MakeMethod<&TMRULog::OnChanged>(&Log);
    Box->OnValidate = MakeMethod<&TMRULog::OnValidate>(&Log);
  }
  std::vector<String> Entries() const {
    std::vector<String> e;
    for (int i = 0; i < Box->GetHistoryList()->Count(); ++i) e.push_back(Box->GetHistoryList()->Strings(i));
    return e;
  }
  TForm Form;
  TMRUComboBox* Box;
  TMRULog Log;
};

TEST_F(MRUComboBoxTest, HistoryTextAndConfirming) {
  Box->SetHistory("x;y;z");
  EXPECT_EQ(Entries(), (std::vector<String>{"x", "y", "z"}));
  EXPECT_EQ(Box->GetFieldText(), "x");
  EXPECT_EQ(Box->GetHistory(), "x;y;z");
  // A known entry in another case moves to the top with the new case; the length stays.
  Box->SetFieldText("  Z ");
  EXPECT_EQ(Entries(), (std::vector<String>{"Z", "x", "y"}));
  EXPECT_EQ(Box->GetFieldText(), "Z");
  Box->SetFieldText("new");
  EXPECT_EQ(Entries(), (std::vector<String>{"new", "Z", "x", "y"}));
  EXPECT_EQ(Log.Changed, 3);
  Box->SetFieldText("NEW");  // only the case differs: no change is reported
  EXPECT_EQ(Log.Changed, 3);
  EXPECT_EQ(Entries().front(), "NEW");
}

TEST_F(MRUComboBoxTest, TheCountLimitDropsTheOldest) {
  Box->SetDropDownCount(3);
  Box->SetHistoryListCount(1);  // never below the drop-down count
  EXPECT_EQ(Box->GetHistoryListCount(), 3);
  Box->SetHistory("a;b;c");
  Box->SetFieldText("d");
  EXPECT_EQ(Entries(), (std::vector<String>{"d", "a", "b"}));
  Box->SetHistory("1;2;3;4;5");
  EXPECT_EQ(Entries(), (std::vector<String>{"1", "2", "3"}));
}

TEST_F(MRUComboBoxTest, RejectedTextsAndTheHandlersWord) {
  Box->SetHistory("keep");
  Log.Asked.clear();
  Box->SetFieldText("   ");  // empty is rejected; without the focus the last text returns
  EXPECT_EQ(Box->GetFieldText(), "keep");
  EXPECT_EQ(Log.Asked, std::vector<String>{"-"});
  Log.Upper = true;
  Box->SetFieldText("shout");
  EXPECT_EQ(Entries().front(), "SHOUT");
  EXPECT_EQ(Box->LastText(), "SHOUT");
  // With the focus a rejected text stays for correction; Enter confirms, leaving too.
  Log.Upper = false;
  Form.Show();
  Box->Combo()->SetFocus();
  ASSERT_TRUE(Box->HasFocus());
  Box->Combo()->SetText("");
  Headless::PressKey(&Form, VK_RETURN);
  EXPECT_EQ(Box->GetFieldText(), "");
  Headless::TypeText(&Form, "typed");
  Headless::PressKey(&Form, VK_RETURN);
  EXPECT_EQ(Entries().front(), "typed");
  // Confirmed with the focus, the whole text is selected, so that typing replaces it.
  EXPECT_EQ(Box->Combo()->SelText(), "typed");
  Box->Combo()->SetText("left");
  auto* other = new TEdit(&Form);
  other->SetParent(&Form);
  other->SetFocus();
  EXPECT_FALSE(Box->HasFocus());
  EXPECT_EQ(Entries().front(), "left");
}

// The button takes part in the tab order only when asked.
TEST_F(MRUComboBoxTest, ButtonTabStopPutsTheButtonInTheTabOrder) {
  auto* after = new TEdit(&Form);
  after->SetParent(&Form);
  Box->SetButtonVisible(true);
  Form.Show();
  for (bool tabStop : {false, true}) {
    Box->SetButtonTabStop(tabStop);
    EXPECT_EQ(GetPropValue(Box, "ButtonTabStop", false).AsBoolean(), tabStop);
    Box->Combo()->SetFocus();
    Headless::PressKey(&Form, VK_TAB);
    EXPECT_EQ(Form.GetActiveControl(), tabStop ? static_cast<TWinControl*>(Box->Button()) : after) << tabStop;
  }
}

}  // namespace
}  // namespace xel

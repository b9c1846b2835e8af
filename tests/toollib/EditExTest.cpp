// The edit and combo box extensions: the character filters keep the text a number while
// typing, Enter moves on like Tab where asked (not out of an open list), and the focus
// colour comes and goes with the focus.
#include <gtest/gtest.h>

#include "EditEx.h"
#include "Forms.h"
#include "HeadlessWidgetSet.h"

namespace xel {
namespace {

struct EditExTest : testing::Test {
  static void SetUpTestSuite() {
    if (!WidgetSet()) InstallHeadlessWidgetSet();
  }
  EditExTest() : Form(nullptr, TCreateNew{}) {
    Edit = Add(new TEditEx(&Form), "Edit1");
    Plain = Add(new TEditEx(&Form), "Edit2");
    Combo = Add(new TComboBoxEx(&Form), "Combo1");
    Combo->GetItems()->SetText("one\r\ntwo\r\n");
    Form.Show();
  }
  template <class T>
  T* Add(T* control, const char* name) {
    control->SetName(name);
    control->SetParent(&Form);
    return control;
  }
  TForm Form;
  TEditEx* Edit;
  TEditEx* Plain;
  TComboBoxEx* Combo;
};

TEST_F(EditExTest, CharFiltersKeepTheTextANumberWhileTyping) {
  struct TCase {
    TCharFilter Filter;
    const char* Typed;
    const char* Text;
  };
  const TCase cases[] = {
      {cfAll, "a-1.5", "a-1.5"},       {cfDigits, "a1-2.3", "123"},      {cfInteger, "-1-2a3", "-123"},
      {cfInteger, "1-2", "12"},        {cfFloat, "-1.5,2.7", "-1.527"},  {cfFloat, ",5", ",5"},
  };
  Edit->SetFocus();
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Typed);
    Edit->SetCharFilter(c.Filter);
    Edit->Clear();
    Headless::TypeText(&Form, c.Typed);
    EXPECT_EQ(Edit->GetText(), c.Text);
  }
  // What replaces a selection counts, not what it would be beside it; Backspace is no text.
  Edit->SetCharFilter(cfInteger);
  Edit->SetText("12");
  Edit->SetSelStart(1);
  Headless::TypeText(&Form, "-");
  EXPECT_EQ(Edit->GetText(), "12");
  Edit->SelectAll();
  Headless::TypeText(&Form, "-4");
  EXPECT_EQ(Edit->GetText(), "-4");
  Headless::PressKey(&Form, VK_BACK);
  EXPECT_EQ(Edit->GetText(), "-");
  EXPECT_EQ(Edit->AsInteger(7), 7);
  Edit->SetText(" -42 ");
  EXPECT_EQ(Edit->AsInteger(), -42);
}

TEST_F(EditExTest, EnterMovesOnWhereAskedAndTheFocusColourFollowsTheFocus) {
  Edit->SetEnterAsTab(true);
  Edit->SetFocusColor(clYellow);
  Combo->SetEnterAsTab(true);
  const TColor normal = Edit->GetColor();
  Edit->Clear();
  Plain->SetFocus();
  Edit->SetFocus();
  EXPECT_EQ(Edit->GetColor(), clYellow);
  Headless::PressKey(&Form, VK_RETURN);
  EXPECT_EQ(Form.GetActiveControl(), Plain);
  EXPECT_EQ(Edit->GetColor(), normal);
  EXPECT_EQ(Edit->GetText(), "");
  // Without the option Enter stays where it is.
  Headless::PressKey(&Form, VK_RETURN);
  EXPECT_EQ(Form.GetActiveControl(), Plain);
  // Shift+Enter is no Tab.
  Combo->SetFocus();
  Headless::PressKey(&Form, VK_RETURN, {ssShift});
  EXPECT_EQ(Form.GetActiveControl(), Combo);
  // In an open list Enter picks; once closed it moves on, round to the first.
  Combo->SetDroppedDown(true);
  Headless::PressKey(&Form, VK_RETURN);
  EXPECT_EQ(Form.GetActiveControl(), Combo);
  EXPECT_FALSE(Combo->DroppedDown());
  Headless::PressKey(&Form, VK_RETURN);
  EXPECT_EQ(Form.GetActiveControl(), Edit);
  EXPECT_EQ(Edit->GetColor(), clYellow);
  // Without a focus colour the colour is left alone.
  Plain->SetColor(clAqua);
  Plain->SetFocus();
  EXPECT_EQ(Plain->GetColor(), clAqua);
  EXPECT_EQ(Edit->GetColor(), normal);
}

}  // namespace
}  // namespace xel

// A whole window from a text form file driven as a user would: menu shortcuts, the tool
// bar, the tree, typing into the grid, a confirmation answered by the modal script, and
// a clean teardown.
#include <gtest/gtest.h>

#include <memory>

#include "HeadlessWidgetSet.h"
#include "WorkbenchForm.h"

namespace xel::test {
namespace {

TEST(WorkbenchTest, AFormWithEveryKindOfControlWorksEndToEnd) {
  const int handlesBefore = HeadlessWidgetSet()->HandleCount();
  std::unique_ptr<TWorkbenchForm> form(New<TWorkbenchForm>(nullptr));
  TStringGrid* grid = form->Grid();
  // The aligned controls share the client area as the file describes.
  EXPECT_EQ(grid->BoundsRect(), Bounds(121, 29, 359, 192));
  EXPECT_EQ(form->Tree()->GetItems()->Count(), 4);
  EXPECT_EQ(form->List()->GetColumns()->Items(1)->GetCaption(), "Value");
  EXPECT_EQ(grid->Cells(2, 0), "Deutsch");
  EXPECT_EQ(HeadlessWidgetSet()->HandleCount(), handlesBefore);  // no window before showing

  form->Show();
  EXPECT_GT(HeadlessWidgetSet()->HandleCount(), handlesBefore);
  Headless::MouseDown(form->Tree(), mbLeft, {ssLeft}, 30, 1);
  EXPECT_EQ(form->Log, std::vector<String>{"tree:Forms"});

  // Name, English text, then a German text that Escape takes back.
  TRect cell = grid->CellRect(0, 1);
  Headless::MouseDown(grid, mbLeft, {ssLeft}, cell.Left + 3, cell.Top + 3);
  Headless::TypeText(form.get(), "Title");
  Headless::PressKey(form.get(), VK_RETURN);
  Headless::PressKey(form.get(), VK_TAB);
  Headless::TypeText(form.get(), "Hello");
  Headless::PressKey(form.get(), VK_TAB);
  Headless::TypeText(form.get(), "Hallo");
  Headless::PressKey(form.get(), VK_ESCAPE);
  EXPECT_EQ(grid->Cells(0, 1), "Title");
  EXPECT_EQ(grid->Cells(1, 1), "Hello");
  EXPECT_EQ(grid->Cells(2, 1), "");
  EXPECT_EQ(form->Status()->GetPanels()->Items(0)->GetText(), "Modified");

  // Ctrl+S reaches the menu from inside the cell editor.
  Headless::TypeText(form.get(), "Gruss");
  ASSERT_EQ(form->GetActiveControl(), grid->InplaceEditor());
  Headless::PressKey(form.get(), 'S', {ssCtrl});
  ASSERT_EQ(form->List()->ItemCount(), 1);
  EXPECT_EQ(form->List()->Item(0)->Caption(), "Title");
  EXPECT_EQ(form->List()->Item(0)->SubItems()->Strings(0), "Hello");
  EXPECT_EQ(form->Status()->GetPanels()->Items(0)->GetText(), "Saved");
  EXPECT_EQ(grid->Cells(2, 1), "Gruss");

  // Alt+Q asks first: No keeps the window, Yes closes it.
  std::vector<String> asked;
  bool yes = false;
  TModalScript script([&](TCustomForm* dialog) {
    asked.push_back(dialog->GetText());
    Headless::PressKey(dialog, yes ? VK_RETURN : VK_ESCAPE);
  });
  Headless::PressKey(form.get(), 'Q', {ssAlt});
  EXPECT_TRUE(form->GetVisible());
  yes = true;
  Headless::PressKey(form.get(), 'Q', {ssAlt});
  EXPECT_FALSE(form->GetVisible());
  EXPECT_EQ(asked, (std::vector<String>{"Confirm", "Confirm"}));
  EXPECT_EQ(form->Log, (std::vector<String>{"tree:Forms", "save", "stay", "quit"}));

  form.reset();
  EXPECT_EQ(HeadlessWidgetSet()->HandleCount(), handlesBefore);
}

}  // namespace
}  // namespace xel::test

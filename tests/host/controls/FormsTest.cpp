// A form read from its embedded text form file, shown and driven by simulated input.
#include <gtest/gtest.h>

#include <memory>

#include "HeadlessWidgetSet.h"
#include "SampleForm.h"
#include "TextForms.h"

namespace xel::test {
namespace {

struct FormsTest : testing::Test {
  void SetUp() override { Form.reset(New<TSampleForm>(nullptr)); }
  std::unique_ptr<TSampleForm> Form;
};

TEST_F(FormsTest, ReadsItsResourceBeforeOnCreateAndMakesWindowsOnlyWhenShown) {
  TSampleForm& f = *Form;
  EXPECT_EQ(f.Log, std::vector<String>{"create:initial"});
  EXPECT_EQ(f.GetText(), "Sample");
  // A dialog frame of 3 px and a 22 px caption, plus the menu bar, around a 300x200 client.
  EXPECT_EQ(f.GetClientWidth(), 300);
  EXPECT_EQ(f.GetClientHeight(), 200);
  EXPECT_EQ(f.Width(), 306);
  EXPECT_EQ(f.Height(), 245);
  EXPECT_EQ(f.Memo1()->GetLines()->Count(), 2);
  EXPECT_EQ(f.Memo1()->GetText(), "first line\r\nsecond line");
  EXPECT_EQ(f.Combo1()->GetItemIndex(), 1);
  EXPECT_EQ(f.Combo1()->GetText(), "Deutsch");
  EXPECT_EQ(f.Label1()->GetFocusControl(), f.Edit1());
  EXPECT_EQ(f.GetMenu()->Items()->Count(), 1);
  EXPECT_EQ(f.GetMenu()->Items()->Find("file")->Count(), 3);
  EXPECT_TRUE(f.GetMenu()->Items()->Items(0)->Items(1)->IsLine());
  // Auto-sized label: "Name:" is 5 characters of the default 11 px font, 6 px each.
  EXPECT_EQ(f.Label1()->Width(), 30);

  EXPECT_FALSE(f.HandleAllocated());
  EXPECT_FALSE(f.Edit1()->HandleAllocated());
  f.Show();
  ASSERT_TRUE(f.Edit1()->HandleAllocated());
  EXPECT_EQ(f.Left(), (1024 - 306) / 2);
  EXPECT_EQ(HeadlessHandle(&f)->MenuCaptions, std::vector<String>{"&File"});
  EXPECT_EQ(HeadlessHandle(f.Combo1())->Items.size(), 3u);
  EXPECT_EQ(HeadlessHandle(f.Combo1())->ItemIndex, 1);
  EXPECT_EQ(f.GetActiveControl(), f.Edit1());
  EXPECT_TRUE(f.Edit1()->Focused());

  // A setter pushes to the window that exists, once.
  f.Edit1()->SetText("changed");
  EXPECT_EQ(HeadlessHandle(f.Edit1())->Text, "changed");
  EXPECT_EQ(HeadlessHandle(f.Edit1())->Updates[waText], 1);
  f.GetMenu()->Items()->Items(0)->SetCaption("&Datei");
  EXPECT_EQ(HeadlessHandle(&f)->MenuCaptions, std::vector<String>{"&Datei"});
}

TEST_F(FormsTest, ShortcutsReachTheMenuFromAnyFocusedControl) {
  TSampleForm& f = *Form;
  f.Show();
  f.Memo1()->SetFocus();
  Headless::PressKey(&f, 'S', {ssCtrl});
  Headless::PressKey(&f, 'X', {ssAlt});  // disabled: nothing
  f.ExitItem()->SetEnabled(true);
  Headless::PressKey(&f, 'X', {ssAlt});
  // A hidden menu still answers its shortcuts; a disabled one does not.
  TMenuItem* fileMenu = f.GetMenu()->Items()->Items(0);
  fileMenu->SetVisible(false);
  Headless::PressKey(&f, 'X', {ssAlt});
  fileMenu->SetVisible(true);
  fileMenu->SetEnabled(false);
  Headless::PressKey(&f, 'X', {ssAlt});
  fileMenu->SetEnabled(true);
  EXPECT_EQ(f.Log, (std::vector<String>{"create:initial", "save", "exit", "exit"}));
  // The memo received no character for the shortcut keys.
  EXPECT_EQ(f.Memo1()->GetText(), "first line\r\nsecond line");
}

TEST_F(FormsTest, TypingTabbingAndAccelerators) {
  TSampleForm& f = *Form;
  f.Show();
  // Entering an edit selects its text; typing replaces it.
  Headless::TypeText(&f, "Zoë");
  Headless::PressKey(&f, VK_BACK);
  Headless::TypeText(&f, "e!");
  EXPECT_EQ(f.Edit1()->GetText(), "Zoe!");
  Headless::PressKey(&f, VK_HOME);
  Headless::PressKey(&f, VK_DELETE);
  EXPECT_EQ(f.Edit1()->GetText(), "oe!");

  std::vector<String> order;
  for (int i = 0; i < 6; ++i) {
    Headless::PressKey(&f, VK_TAB);
    order.push_back(f.GetActiveControl()->GetName());
  }
  EXPECT_EQ(order, (std::vector<String>{"Memo1", "Combo1", "OkButton", "CancelButton", "Edit1", "Memo1"}));
  Headless::PressKey(&f, VK_TAB, {ssShift});
  EXPECT_EQ(f.GetActiveControl(), f.Edit1());

  // In the memo, Enter starts a line instead of pressing the default button.
  f.Memo1()->SetFocus();
  f.Memo1()->SetSelStart(static_cast<Integer>(f.Memo1()->GetText().size()));
  Headless::PressKey(&f, VK_RETURN);
  Headless::TypeText(&f, "third");
  EXPECT_EQ(f.Memo1()->GetLines()->Count(), 3);
  EXPECT_EQ(f.Memo1()->GetLines()->Strings(2), "third");
  EXPECT_EQ(f.ModalResult(), mrNone);

  // Alt+N: the label's accelerator focuses its control.
  Headless::PressKey(&f, 'N', {ssAlt});
  EXPECT_EQ(f.GetActiveControl(), f.Edit1());
}

TEST_F(FormsTest, DropDownListFollowsKeysAndLetters) {
  TSampleForm& f = *Form;
  f.Show();
  f.Combo1()->SetFocus();
  Headless::PressKey(&f, VK_DOWN);
  Headless::PressKey(&f, VK_DOWN);  // at the end: no change
  Headless::TypeText(&f, "e");
  Headless::TypeText(&f, "d");
  EXPECT_EQ(f.Log, (std::vector<String>{"create:initial", "combo:Français", "combo:English", "combo:Deutsch"}));
  EXPECT_EQ(HeadlessHandle(f.Combo1())->ItemIndex, 1);
  // Replacing the items drops a selection that no longer exists.
  f.Combo1()->GetItems()->Clear();
  EXPECT_EQ(f.Combo1()->GetItemIndex(), -1);
  EXPECT_EQ(f.Combo1()->GetText(), "");
}

struct TModalCase {
  const char* Name;
  Word Key;
  bool RefuseOnce;
  TModalResult Expected;
};

TEST_F(FormsTest, ModalDialogAnsweredByScript) {
  const TModalCase cases[] = {
      {"Enter presses the default button", VK_RETURN, false, mrOk},
      {"Escape presses the cancel button", VK_ESCAPE, false, mrCancel},
      {"a refused close keeps the dialog open", VK_RETURN, true, mrOk},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    auto form = std::unique_ptr<TSampleForm>(New<TSampleForm>(nullptr));
    struct TQuery : TObject {
      int Refusals = 0;
      void CloseQuery(TObject*, bool& canClose) {
        if (Refusals > 0) {
          --Refusals;
          canClose = false;
        }
      }
    } query;
    query.Refusals = c.RefuseOnce ? 1 : 0;
    form->OnCloseQuery = MakeMethod<&TQuery::CloseQuery>(&query);
    int asked = 0;
    TModalScript script([&](TCustomForm* shown) {
      ++asked;
      EXPECT_EQ(shown, form.get());
      EXPECT_TRUE(shown->GetVisible());
      Headless::TypeText(shown, "typed");
      Headless::PressKey(shown, c.Key);
    });
    EXPECT_EQ(form->ShowModal(), c.Expected);
    EXPECT_EQ(asked, c.RefuseOnce ? 2 : 1);
    EXPECT_FALSE(form->GetVisible());
    EXPECT_EQ(form->Edit1()->GetText(), c.RefuseOnce ? "typedtyped" : "typed");
  }
}

TEST_F(FormsTest, ModalFormThatNobodyClosesFailsAndHides) {
  TModalScript script([](TCustomForm*) {});
  try {
    Form->ShowModal();
    FAIL() << "expected EInvalidOperation";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "No modal handler closed the form TSampleForm");
  }
  EXPECT_FALSE(Form->GetVisible());
  EXPECT_FALSE(Form->Modal());
  Form->Show();
  EXPECT_THROW(Form->ShowModal(), EInvalidOperation);  // already visible
}

TEST_F(FormsTest, WritesBackWhatItRead) {
  TStringStream first;
  first.WriteComponent(Form.get());
  auto again = std::make_unique<TSampleForm>(nullptr, TCreateNew{});
  first.SetPosition(0);
  first.ReadComponent(again.get());
  TStringStream second;
  second.WriteComponent(again.get());
  EXPECT_EQ(ObjectBinaryToText(first.DataString()), ObjectBinaryToText(second.DataString()));
  String text = ObjectBinaryToText(first.DataString());
  EXPECT_NE(text.find("ClientHeight = 200"), String::npos);
  EXPECT_EQ(text.find("\n  Width = "), String::npos);  // forms store their client size only
  EXPECT_NE(text.find("ShortCut = 16467"), String::npos);
}

}  // namespace
}  // namespace xel::test

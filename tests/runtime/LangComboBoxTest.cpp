// The language combo box on real forms with their language data: binding once the window
// exists, the sorted list with the current language, switching the frame, following
// switches from elsewhere, moving on when its component goes, and the disabled colour.
#include <gtest/gtest.h>

#include "GlottaFixtures.h"
#include "HeadlessWidgetSet.h"

namespace xel::test {
namespace {

struct LangComboBoxTest : testing::Test {
  void SetUp() override {
    TFormRecipe first, second;
    second.Name = "Form2";
    String a = BuildFormStream(first), b = BuildFormStream(second);
    RestartUnit("ka_GE.UTF-8");
    Form1 = LoadForm(a);
    Form2 = LoadForm(b);
    Box1 = AddBox(Form1.get());
    Box2 = AddBox(Form2.get());
  }
  void TearDown() override {
    Form1.reset();
    Form2.reset();
    RestartUnit();
  }
  static TLangComboBox* AddBox(TForm* form) {
    auto* box = new TLangComboBox(form);
    box->SetName("LangCombo");
    box->SetParent(form);
    return box;
  }
  static std::vector<String> Items(TLangComboBox* box) {
    std::vector<String> items;
    for (int i = 0; i < box->GetItems()->Count(); ++i) items.push_back(box->GetItems()->Strings(i));
    return items;
  }
  std::unique_ptr<TForm> Form1, Form2;
  TLangComboBox* Box1 = nullptr;
  TLangComboBox* Box2 = nullptr;
};

TEST_F(LangComboBoxTest, BindsWhenItsWindowExistsAndListsTheLanguagesSorted) {
  // Without a window the box is empty, disabled and shaded.
  EXPECT_EQ(Box1->GetGlotta(), nullptr);
  EXPECT_FALSE(Box1->GetEnabled());
  EXPECT_EQ(Box1->GetColor(), clBtnFace);
  Form1->Show();
  EXPECT_EQ(Box1->GetGlotta(), GlottaOf(Form1.get()));  // adopted as the property's value
  EXPECT_EQ(Box1->ActiveGlotta(), GlottaOf(Form1.get()));
  EXPECT_EQ(Items(Box1), (std::vector<String>{"Deutsch", "English"}));
  EXPECT_EQ(Box1->GetText(), "English");
  EXPECT_TRUE(Box1->GetEnabled());
  EXPECT_EQ(Box1->GetColor(), clWindow);
  EXPECT_EQ(HeadlessHandle(Box1)->Items, (std::vector<String>{"Deutsch", "English"}));
}

TEST_F(LangComboBoxTest, PickingALanguageSwitchesTheFrameAndEveryBoxFollows) {
  Form1->Show();
  Form2->Show();
  Box1->SelectItem(0);  // "Deutsch", as the user picks it
  EXPECT_EQ(LabelText(Form1.get()), Expected("Label", "Deutsch"));
  EXPECT_EQ(LabelText(Form2.get()), Expected("Label", "Deutsch"));
  EXPECT_EQ(Box2->GetText(), "Deutsch");
  EXPECT_EQ(Box1->GetText(), "Deutsch");
  // A switch from code is shown too.
  GlottaOf(Form2.get())->SetLanguage("English");
  EXPECT_EQ(Box1->GetText(), "English");
  EXPECT_EQ(Box1->GetItemIndex(), 1);
  // Through the keyboard: the drop-down list selects by the first letter.
  Box1->SetFocus();
  Headless::TypeText(Form1.get(), "d");
  EXPECT_EQ(LabelText(Form2.get()), Expected("Label", "Deutsch"));
}

TEST_F(LangComboBoxTest, MovesToAnotherComponentWhenItsOwnGoes) {
  // A second component further down the form's ownership tree.
  auto* holder = new TComponent(Form1.get());
  holder->SetName("Holder");
  auto* other = new TGlotta(holder);
  other->SetName("Other");
  FillLanguages(other, {"English", "Fran\xC3\xA7" "ais"});
  other->InitLanguages();
  other->SetDomain("Other");
  Form1->Show();
  ASSERT_EQ(Box1->ActiveGlotta(), other);  // children before parents
  Box1->SetGlotta(GlottaOf(Form1.get()));
  ASSERT_EQ(Items(Box1), (std::vector<String>{"Deutsch", "English"}));
  delete GlottaOf(Form1.get());
  EXPECT_EQ(Box1->GetGlotta(), other);
  EXPECT_EQ(Items(Box1), (std::vector<String>{"English", "Fran\xC3\xA7" "ais"}));
  delete other;
  EXPECT_EQ(Box1->GetGlotta(), nullptr);
  EXPECT_TRUE(Items(Box1).empty());
  EXPECT_FALSE(Box1->GetEnabled());
  EXPECT_EQ(Box1->GetColor(), clBtnFace);
}

TEST_F(LangComboBoxTest, ColoursFollowTheEnabledStateUnlessChosen) {
  Form1->Show();
  struct TCase {
    TColor Chosen;
    bool AutoColor;
    TColor Disabled;
  };
  for (const TCase& c : {TCase{clWindow, true, clBtnFace}, TCase{clYellow, true, clYellow},
                         TCase{clWindow, false, clWindow}}) {
    Box1->SetAutoColor(c.AutoColor);
    Box1->SetColor(c.Chosen);
    Box1->SetEnabled(false);
    EXPECT_EQ(Box1->GetColor(), c.Disabled) << ColorToString(c.Chosen);
    Box1->SetEnabled(true);
    EXPECT_EQ(Box1->GetColor(), c.Chosen);
  }
}

TEST_F(LangComboBoxTest, FreesCleanlyBeforeAndAfterItsComponent) {
  Form1->Show();
  delete Box1;  // unregisters from the component
  GlottaOf(Form1.get())->SetLanguage("Deutsch");
  EXPECT_EQ(Box2->GetItems()->Count(), 0);  // no window yet, never bound
  Form2->Show();
  EXPECT_EQ(Box2->GetText(), "Deutsch");
  Form2.reset();  // the box goes with its form
  GlottaOf(Form1.get())->SetLanguage("English");
  EXPECT_EQ(LabelText(Form1.get()), Expected("Label", "English"));
}

}  // namespace
}  // namespace xel::test

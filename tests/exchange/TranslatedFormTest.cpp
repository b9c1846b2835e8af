#include <gtest/gtest.h>

#include "ExchangeFixtures.h"

namespace xel::test {
namespace {

// The window of data/GreetingForm.dfm, whose languages the build merged in.
class TGreetingForm : public TForm {
  XEL_CLASS(TGreetingForm, TForm)
public:
  explicit TGreetingForm(TComponent* owner) : TForm(owner) {}
  void Button1Click(TObject*) { ++Clicks; }
  static auto PublishedMethods() {
    return MethodTable<TGreetingForm>({PublishedMethod<&TGreetingForm::Button1Click>("Button1Click")});
  }
  int Clicks = 0;
};

TEST(TranslatedFormTest, TheBuildMergesTheLanguageFileIntoTheFormResource) {
  RegisterClasses({TGreetingForm::StaticClass()});
  std::unique_ptr<TGreetingForm> form(New<TGreetingForm>(nullptr));
  auto* glotta = OwnedComponent<TGlotta>(form.get(), "Glotta1");
  auto* button = OwnedComponent<TButton>(form.get(), "Button1");
  auto* memo = OwnedComponent<TMemo>(form.get(), "Memo1");
  TStringList languages;
  glotta->GetLanguages(&languages);
  EXPECT_EQ(languages.GetText(), "Deutsch\r\nEnglish\r\n");
  glotta->SetLanguage("Deutsch");
  EXPECT_EQ(button->GetText(), "&Schlie\xC3\x9F" "en");
  EXPECT_EQ(glotta->GetString("Question"), "Wirklich schlie\xC3\x9F" "en?");
  glotta->SetLanguage("English");
  EXPECT_EQ(button->GetText(), "&Close");
  EXPECT_EQ(button->GetHint(), "Close the window");
  EXPECT_EQ(form->GetText(), "Greeting");
  EXPECT_EQ(memo->GetLines()->Strings(1), "Second line");
  EXPECT_EQ(glotta->GetString("Question"), "Really close?");
  button->Click();
  EXPECT_EQ(form->Clicks, 1);
  glotta->SetLanguage("Deutsch");
}

}  // namespace
}  // namespace xel::test

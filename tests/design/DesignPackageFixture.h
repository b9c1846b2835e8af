// The designer with the package's design half loaded, driven headless: the package's
// questions are answered by a script that notes their names, and the translation editor is
// a scripted runner.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>

#include "Designer.h"
#include "ExIniFile.h"
#include "GlottaExpert.h"
#include "GlottaModule.h"
#include "HeadlessWidgetSet.h"

namespace xel::test {

// The names of the module's messages the expert may show.
inline const char* const kExpertMessages[] = {
    "ENoDesignInterface", "ENoFileName", "ENoModuleInterface", "ENoFormInterface", "ENoFormComponent",
    "EAddComponentFailed", "CreateMultilingualForm", "CreateMultilingualUnit", "ESourceReadError",
    "ESyntaxError Continue", "ESourceWriteError Continue", "ELangFileError", "ELangFileError ReadOnly Continue",
    "EStatementNotFound Restore", "ERestoreError Continue", "ERestoreError ReadOnly Continue",
    "ESaveError ReadOnly Reopen", "EWriteError Reopen"};

// The name of the module's message that text shows, or text itself when none does.
inline String MessageName(const String& text) {
  auto squeeze = [](String s) {
    std::erase_if(s, [](char c) { return c == ' ' || c == '\r' || c == '\n'; });
    return s;
  };
  for (const char* name : kExpertMessages)
    if (squeeze(GlottaModule->GetString(name)) == squeeze(text)) return name;
  return text;
}

// The translation editor as a script: what it does with the component, and whether the
// user accepts.
struct TEditorScript {
  static inline std::function<bool(const String&, TGlotta*)> Run;
  static inline std::vector<String> Titles;
  static bool Runner(const String& title, TGlotta* glotta) {
    Titles.push_back(title);
    return Run ? Run(title, glotta) : false;
  }
};

class DesignPackageTest : public testing::Test {
protected:
  void SetUp() override {
    String pattern = std::filesystem::temp_directory_path().string() + "/xel-design-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    Dir = pattern + "/";
    setenv("XEL_REGISTRY_DIR", (Dir + "registry").c_str(), 1);
    {
      // The tools speak English whatever the machine's language.
      TExIniFile ini(rkLocalMachine, DesignersRegistryPath, true);
      ini.WriteString(DesignersSection, "Glotta.Language", "English");
    }
    TEditorScript::Run = {};
    TEditorScript::Titles.clear();
    SetGlottaEditorRunner(&TEditorScript::Runner);
    Designer = std::make_unique<TDesigner>();
    String error;
    ASSERT_TRUE(Designer->Packages().Load(XEL_DESIGN_PACKAGE, error)) << error;
    Designer->RefreshPalette();
    FScript = std::make_unique<TModalScript>([this](TCustomForm* form) { Answer(form); });
  }
  void TearDown() override {
    FScript.reset();
    Designer.reset();
    SetGlottaEditorRunner(nullptr);
    EXPECT_EQ(LiveInterfaceCount(), 0);
    EXPECT_EQ(GlottaModule, nullptr);
    std::filesystem::remove_all(Dir);
  }

  // The answers to the next questions, in order; a question beyond them fails the test.
  void AnswerWith(std::initializer_list<MsgBox::TMsgBoxButton> buttons) { Answers.assign(buttons); }

  TMenuItem* MenuItem(const String& name) const {
    std::function<TMenuItem*(TMenuItem*)> find = [&](TMenuItem* item) -> TMenuItem* {
      for (int i = 0; i < item->Count(); ++i) {
        if (SameText(item->Items(i)->Name(), name)) return item->Items(i);
        if (TMenuItem* found = find(item->Items(i))) return found;
      }
      return nullptr;
    };
    return find(Designer->MainMenu()->Items());
  }
  void Click(const String& itemName) {
    TMenuItem* item = MenuItem(itemName);
    ASSERT_NE(item, nullptr) << itemName;
    item->Click();
  }

  String Dir;
  std::unique_ptr<TDesigner> Designer;
  // The names of the messages shown, and what else modal forms showed (their captions).
  std::vector<String> Asked;
  std::deque<MsgBox::TMsgBoxButton> Answers;

private:
  void Answer(TCustomForm* form) {
    auto* dialog = dynamic_cast<TMyMsgForm*>(form);
    if (!dialog) return;  // for the scripts of the tests themselves
    String text;
    for (const String& line : dialog->Lines()) text += line + " ";
    Asked.push_back(MessageName(text));
    if (Answers.empty()) {
      ADD_FAILURE() << "unexpected question: " << text;
      dialog->SetModalResult(mrCancel);
      return;
    }
    TButtonItem* button = dialog->FindButton(Answers.front());
    Answers.pop_front();
    ASSERT_NE(button, nullptr) << text;
    button->Button()->Click();
  }
  std::unique_ptr<TModalScript> FScript;
};

}  // namespace xel::test

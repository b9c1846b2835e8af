#include <gtest/gtest.h>

#include <memory>

#include "ButtonPanel.h"
#include "DesignHost.h"
#include "ExIniFile.h"
#include "Expand.h"
#include "GlottaModule.h"
#include "HeadlessWidgetSet.h"

namespace xel::test {
namespace {

using namespace MsgBox;

struct TAsked {
  std::vector<String> Lines;
  std::vector<String> Buttons;
};

// Answers the next message dialogs with the button of that kind, noting what they showed.
class TAnswer {
public:
  explicit TAnswer(TMsgBoxButton kind)
      : FScript([this, kind](TCustomForm* f) {
          auto* dialog = dynamic_cast<TMyMsgForm*>(f);
          if (!dialog) return;
          TAsked asked{dialog->Lines(), {}};
          TButtonCollection* items = dialog->ButtonPanel()->GetButtons();
          for (int i = 0; i < items->Count(); ++i)
            if (items->Items(i)->GetVisible()) asked.Buttons.push_back(items->Items(i)->GetCaption());
          Asked.push_back(asked);
          dialog->FindButton(kind)->Button()->Click();
        }) {}
  std::vector<TAsked> Asked;

private:
  TModalScript FScript;
};

void StoreToolsLanguage(const String& language) {
  TExIniFile ini(rkLocalMachine, DesignersRegistryPath, true);
  ini.WriteString(DesignersSection, "Glotta.Language", language);
}

String StoredToolsLanguage() {
  TExIniFile ini(rkLocalMachine, DesignersRegistryPath, true);
  return ini.ReadString(DesignersSection, "Glotta.Language", "(none)");
}

struct GlottaModuleTest : testing::Test {
  void SetUp() override {
    StoreToolsLanguage("English");
    Module.reset(New<TGlottaModule>(nullptr));
  }
  void TearDown() override { Module.reset(); }
  std::unique_ptr<TGlottaModule> Module;
};

TEST_F(GlottaModuleTest, HoldsEveryMessageInEnglishAndGerman) {
  ASSERT_EQ(GlottaModule, Module.get());
  const String names[] = {"CreateMultilingualForm", "CreateMultilingualUnit", "EAddComponentFailed",
                          "ELangFileError", "ELangFileError ReadOnly Continue", "ENoDesignInterface", "ENoFileName",
                          "ENoFormComponent", "ENoFormInterface", "ENoModuleInterface", "EReadError",
                          "ERestoreError Continue", "ERestoreError ReadOnly Continue", "ESaveError ReadOnly Reopen",
                          "ESourceReadError", "ESourceWriteError Continue", "EStatementNotFound Restore",
                          "ESyntaxError Continue", "EWriteError Reopen", "Multilingual Form", "Multilingual Form Unit",
                          "Multilingual Unit", "About", "EditLanguages", "ReallyAddFurtherComponent", "Glotta Report"};
  std::map<String, String> english;
  for (const String& name : names) english[name] = Module->GetString(name);
  EXPECT_EQ(english["ELangFileError ReadOnly Continue"],
            "Language file (*.lng) is read only and cannot be changed. Continue?");
  EXPECT_EQ(english["Glotta Report"], "Glotta - Overview");
  Module->SetLanguage("Deutsch");
  for (const String& name : names) EXPECT_NE(Module->GetString(name), english[name]) << name;
  EXPECT_EQ(Module->GetString("Glotta Report"), "Glotta - \xC3\x9C" "berblick");
  EXPECT_EQ(Module->GetString("About"), "Info...");
  EXPECT_THROW(Module->GetString("Missing"), EStringNotFound);
}

TEST_F(GlottaModuleTest, ServiceMessageSpeaksTheToolsLanguageWithAndWithoutTheModule) {
  struct {
    bool WithModule;
    const char* Language;
    TAsked Expected;
  } cases[] = {
      {true, "Deutsch", {{"M\xC3\xB6" "chten Sie das aktuelle Formular mehrsprachig einrichten?"}, {"&Ja", "&Nein"}}},
      {true, "English", {{"Do you want to create a multilingual form?"}, {"&Yes", "&No"}}},
      {false, "", {{"CreateMultilingualForm"}, {"&Yes", "&No"}}},
  };
  for (const auto& c : cases) {
    if (c.WithModule) Module->SetLanguage(c.Language);
    else Module.reset();
    TAnswer answer(mbNo);
    EXPECT_EQ(ServiceMessage("CreateMultilingualForm", mtConfirmation, {mbYes, mbNo}), mrNo);
    ASSERT_EQ(answer.Asked.size(), 1u);
    EXPECT_EQ(answer.Asked[0].Lines, c.Expected.Lines);
    EXPECT_EQ(answer.Asked[0].Buttons, c.Expected.Buttons);
  }
  EXPECT_EQ(GlottaModule, nullptr);
}

TEST_F(GlottaModuleTest, ServiceMessageOfAnUnknownNameFails) {
  EXPECT_THROW(ServiceMessage("Missing", mtError, {mbOK}), EStringNotFound);
}

// The designer asks before a second TGlotta goes on a form, and only a No keeps it off.
TEST_F(GlottaModuleTest, SecondComponentOnADesignedFormIsAskedFor) {
  Module->SetLanguage("Deutsch");
  for (TMsgBoxButton answerKind : {mbYes, mbNo}) {
    TForm designed(nullptr, TCreateNew{});
    designed.SetDesigning(true);
    new TGlotta(&designed);
    TAnswer answer(answerKind);
    if (answerKind == mbNo) EXPECT_THROW(new TGlotta(&designed), EAbort);
    else new TGlotta(&designed);
    EXPECT_EQ(designed.ComponentCount(), answerKind == mbYes ? 2 : 1);
    ASSERT_EQ(answer.Asked.size(), 1u);
    EXPECT_EQ(answer.Asked[0].Lines,
              std::vector<String>{"M\xC3\xB6" "chten Sie wirklich eine weitere Glotta-Komponente hinzuf\xC3\xBC" "gen?"});
  }
  // Nothing is asked for the first component, on a form that is not designed, or without
  // the module (no answer is scripted: a question would fail the test).
  TForm designed(nullptr, TCreateNew{});
  designed.SetDesigning(true);
  new TGlotta(&designed);
  TForm running(nullptr, TCreateNew{});
  new TGlotta(&running);
  new TGlotta(&running);
  Module.reset();
  EXPECT_EQ(ServiceQuestion(), nullptr);
  new TGlotta(&designed);
  EXPECT_EQ(designed.ComponentCount(), 2);
}

TEST_F(GlottaModuleTest, ReportsEveryLanguageChangeWithItsComponent) {
  struct TListener : TObject {
    void Changed(TObject* sender) { Senders.push_back(sender); }
    std::vector<TObject*> Senders;
  } listener;
  Module->OnChange = MakeMethod<&TListener::Changed>(&listener);
  Module->SetLanguage("Deutsch");
  Module->SetLanguage("English");
  EXPECT_EQ(listener.Senders, (std::vector<TObject*>{Module->Glotta(), Module->Glotta()}));
}

// The tools keep the language the developer chose last; an entry is written back with its type
// hint, a missing one with the language in use, as the editor's configuration file does.
TEST(GlottaModuleLanguageTest, StartsInTheStoredLanguage) {
  struct {
    const char* Stored;  // nullptr: the key holds no value
    const char* Language;
    const char* StoredAfter;
  } cases[] = {
      {"Deutsch", "Deutsch", "Deutsch ;String"},
      {"English", "English", "English ;String"},
      {"Deutsch ;String", "Deutsch", "Deutsch ;String"},
      {nullptr, nullptr, nullptr},
  };
  for (const auto& c : cases) {
    StoreToolsLanguage("");
    {
      TExIniFile ini(rkLocalMachine, DesignersRegistryPath, true);
      ini.DeleteKey(DesignersSection, "Glotta.Language");
      if (c.Stored) ini.WriteString(DesignersSection, "Glotta.Language", c.Stored);
    }
    std::unique_ptr<TGlottaModule> module(New<TGlottaModule>(nullptr));
    const String language = module->Glotta()->GetLanguage();
    if (c.Language) {
      EXPECT_EQ(language, c.Language);
      EXPECT_EQ(StoredToolsLanguage(), c.StoredAfter);
    } else {
      EXPECT_EQ(StoredToolsLanguage(), language + " ;String");  // written back
    }
  }
}

TEST(GlottaModuleUnitTest, TheModuleExistsOnlyInsideTheDesigner) {
  InitializeGlottaModuleUnit();
  EXPECT_EQ(GlottaModule, nullptr);
  SetDesignHostActive(true);
  InitializeGlottaModuleUnit();
  SetDesignHostActive(false);
  ASSERT_NE(GlottaModule, nullptr);
  EXPECT_NE(ServiceQuestion(), nullptr);
  EXPECT_EQ(GlottaModule->Glotta()->GetDomain(), PrivateXelDomain);
  FinalizeGlottaModuleUnit();
  EXPECT_EQ(GlottaModule, nullptr);
  EXPECT_EQ(ServiceQuestion(), nullptr);
}

}  // namespace
}  // namespace xel::test

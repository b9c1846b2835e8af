// A live multilingual form for the translation editor's tests, and the means to drive the
// editor as a user does: typed cells, menu commands and answered message dialogs.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

#include "../toollib/TempFolder.h"
#include "ButtonPanel.h"
#include "Forms.h"
#include "Glotta.h"
#include "GlottaEditor.h"
#include "HeadlessWidgetSet.h"
#include "MsgBox.h"
#include "StdCtrls.h"

namespace xel::test {

// Published values of the kinds no control of the framework has.
class TEditorProbe : public TComponent {
  XEL_CLASS(TEditorProbe, TComponent)
public:
  using TComponent::TComponent;
  Integer FCount = 3;
  char FLetter = 'a';
  bool FActive = false;
  double FRatio = 0.5;
  static auto Published() {
    using C = TEditorProbe;
    return PropTable<C>(Prop("Count", &C::FCount, &C::FCount), Prop("Letter", &C::FLetter, &C::FLetter),
                        Prop("Active", &C::FActive, &C::FActive), Prop("Ratio", &C::FRatio, &C::FRatio));
  }
};

// A fresh temporary folder and registry for every test: the editor writes its log, its
// backups and its options there.
class EditorTest : public TTempFolderTest {
protected:
  void SetUp() override {
    TTempFolderTest::SetUp();
    setenv("XEL_REGISTRY_DIR", (Dir + "registry").c_str(), 1);
  }
  void TearDown() override {
    Form.reset();
    unsetenv("XEL_REGISTRY_DIR");
    TTempFolderTest::TearDown();
  }

  // Form1 in English (active) and Deutsch: a label's caption, alignment, font colour and
  // style, a button's hint, a memo line, the probe's four values and two named strings.
  void BuildForm(bool withLanguages = true) {
    Form.reset(new TForm(nullptr, TCreateNew{}));
    Form->SetName("Form1");
    Label = new TLabel(Form.get());
    Label->SetName("Label1");
    Label->SetParent(Form.get());
    Label->SetText("Name");
    Button = new TButton(Form.get());
    Button->SetName("Button1");
    Button->SetParent(Form.get());
    Button->SetHint("Press");
    Memo = new TMemo(Form.get());
    Memo->SetName("Memo1");
    Memo->SetParent(Form.get());
    Memo->GetLines()->SetText("first\nsecond");
    Probe = new TEditorProbe(Form.get());
    Probe->SetName("Probe");
    Glotta = new TGlotta(Form.get());
    Glotta->SetName("Glotta");
    TLanguageManager* m = Glotta->LanguageManager();
    if (withLanguages)
      for (const char* name : {"English", "Deutsch"}) {
        TLanguageEntry* l = m->Langs()->Add();
        l->SetName(name);
        l->SetSubIndex(m->Langs()->Count() - 1);
      }
    TMainEntry* label = TMainEntry::Create(m->Comps(), Label, "Label1", "TLabel", {stPubPropObject});
    TPropertyEntry::Create(label, "Caption", "", tkLString);
    TPropertyEntry::Create(label, "Alignment", "", tkEnumeration);
    TMainEntry* font = TMainEntry::Create(label->GetItems(), nullptr, "Font", "", {stPubPropObject});
    TPropertyEntry::Create(font, "Color", "", tkInteger);
    TPropertyEntry::Create(font, "Style", "", tkSet);
    TMainEntry* button = TMainEntry::Create(m->Comps(), Button, "Button1", "TButton", {stPubPropObject});
    TPropertyEntry::Create(button, "Hint", "", tkLString);
    TMainEntry* memo = TMainEntry::Create(m->Comps(), Memo, "Memo1", "TMemo", {stPubPropObject});
    TMainEntry* lines = TMainEntry::Create(memo->GetItems(), nullptr, "Lines", "", {stTStringsObject});
    TPropertyEntry::Create(lines, "Strings[1]", "", tkLString);
    TMainEntry* probe = TMainEntry::Create(m->Comps(), Probe, "Probe", "TEditorProbe", {stPubPropObject});
    TPropertyEntry::Create(probe, "Count", "", tkInteger);
    TPropertyEntry::Create(probe, "Letter", "", tkChar);
    TPropertyEntry::Create(probe, "Active", "", tkEnumeration);
    TPropertyEntry::Create(probe, "Ratio", "", tkFloat);
    m->AddString("Greeting");
    m->AddString("Farewell");
    m->Init(cmInitAll);
    if (withLanguages) SetValue("Resources.Greeting", 1, "Hallo");
    SetValue("Resources.Greeting", 0, "Hello");
  }

  // The manager's item of that path ("Label1.Caption", "Resources.Greeting").
  TConsistentLangPropertyEntry* ItemOf(const String& path) {
    TStringList rows;
    TComponentEntries* comps = Glotta->LanguageManager()->Comps();
    for (int i = 0; i < comps->Count(); ++i) {
      TStringList sub;
      comps->Items(i)->MoveSubItemsToStrings(mmNameOnly, &sub);
      for (int k = 0; k < sub.Count(); ++k)
        if (comps->Items(i)->Name() + "." + sub[k] == path || sub[k] == path)
          return static_cast<TConsistentLangPropertyEntry*>(sub.Objects(k));
    }
    return nullptr;
  }
  void SetValue(const String& path, int slot, const String& value) { ItemOf(path)->SetLangValue(slot, Variant(value)); }
  String Value(const String& path, int slot) { return VarToStr(ItemOf(path)->GetLangValue(slot)); }

  std::unique_ptr<TForm> Form;
  TLabel* Label = nullptr;
  TButton* Button = nullptr;
  TMemo* Memo = nullptr;
  TEditorProbe* Probe = nullptr;
  TGlotta* Glotta = nullptr;
};

// Drives one run of ExecuteGlottaEditor: every time the editor waits for the user, the next
// step acts (and closes the window, or asks to); message dialogs are answered in order with
// the buttons given, mrNone (or no answer left) closing one with its close box.
struct TEditorSession {
  std::deque<std::function<void(TGlottaEditorForm*)>> Steps;
  std::deque<TModalResult> Answers;
  // The editor's other modal windows (dialogs of its commands), in the order they open;
  // each step plays the user and closes its window.
  std::deque<std::function<void(TCustomForm*)>> Dialogs;
  std::vector<String> Messages;  // every message shown, its lines joined by blanks
  std::vector<std::vector<String>> MessageButtons;

  bool Run(TGlotta* glotta) {
    TModalScript script([this](TCustomForm* f) {
      if (auto* dialog = dynamic_cast<TMyMsgForm*>(f)) return Answer(dialog);
      auto* editor = dynamic_cast<TGlottaEditorForm*>(f);
      if (!editor) {
        ASSERT_FALSE(Dialogs.empty()) << "an unexpected window: " << f->ClassName();
        auto dialog = std::move(Dialogs.front());
        Dialogs.pop_front();
        dialog(f);
        return;
      }
      ASSERT_FALSE(Steps.empty()) << "the editor waits once more than the test expected";
      auto step = std::move(Steps.front());
      Steps.pop_front();
      step(editor);
    });
    return ExecuteGlottaEditor("", glotta);
  }

  void Answer(TMyMsgForm* dialog) {
    String text;
    for (const String& line : dialog->Lines()) text += (text.empty() ? "" : " ") + line;
    Messages.push_back(text);
    std::vector<String> buttons;
    TButtonCollection* items = dialog->ButtonPanel()->GetButtons();
    for (int i = 0; i < items->Count(); ++i)
      if (items->Items(i)->GetVisible()) buttons.push_back(items->Items(i)->GetCaption());
    MessageButtons.push_back(buttons);
    const TModalResult answer = Answers.empty() ? mrNone : Answers.front();
    if (!Answers.empty()) Answers.pop_front();
    if (answer == mrNone) {
      dialog->Close();
      return;
    }
    for (int i = 0; i < items->Count(); ++i)
      if (items->Items(i)->GetVisible() && items->Items(i)->GetModalResult() == answer) {
        items->Items(i)->Button()->Click();
        return;
      }
    FAIL() << "the dialog has no button for the answer " << answer;
  }
};

// The grid row of an item, by component and path as the descriptor names it.
inline Integer RowOf(TGlottaEditorForm* editor, const String& component, const String& path) {
  for (Integer row = 1; row < editor->Grid()->GetRowCount(); ++row) {
    TConsistentLangPropertyEntry* entry = editor->RowEntry(row);
    if (!entry) continue;
    const String descriptor = editor->Rows()->Strings(row - 1);
    TMainEntry* main = entry->MainEntry()->FindFirstMainEntry();
    if (main->Name() == component && descriptor.substr(0, descriptor.find(':')) == path) return row;
  }
  return -1;
}

// Types text into the cell as a user does and ends with Enter (or another key; none: the
// editor stays open with the text).
inline void TypeInto(TGlottaEditorForm* editor, Integer col, Integer row, const String& text, char finish = '\r') {
  TSortGrid* grid = editor->Grid();
  grid->MoveTo(col, row);
  ASSERT_EQ(grid->Col(), col);
  ASSERT_EQ(grid->Row(), row);
  grid->ShowEditor();
  ASSERT_TRUE(grid->GetEditorMode());
  grid->InplaceEditor()->SetText(text);
  if (finish == 0) return;
  char key = finish;
  grid->InplaceEditor()->KeyPress(key);
}

}  // namespace xel::test

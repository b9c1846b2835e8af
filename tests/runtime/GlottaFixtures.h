// Multilingual forms built through the language manager and stored by the framework's
// writer, as the translation editor would leave them.
#pragma once

#include <cstdlib>
#include <memory>
#include <vector>

#include "ConvertTools.h"
#include "Forms.h"
#include "Glotta.h"
#include "StdCtrls.h"

namespace xel::test {

struct TFormRecipe {
  String Name = "Form1";
  std::vector<String> Languages{"English", "Deutsch"};
  String Domain;
  bool TopLevel = false;
  int StoredIndex = 0;  // the language active when the form was saved
};

// Label1.Caption, Button1.Hint, Memo1.Lines.Strings[1] and the string "Greeting" carry
// the language's name: "Label-Deutsch", "Hint-Deutsch", "line-Deutsch", "Hello-Deutsch".
inline String Expected(const char* what, const String& language) { return String(what) + "-" + language; }

// Starts the unit afresh under the given locale, as a newly loaded program would.
inline void RestartUnit(const char* locale = "en_US.UTF-8") {
  FinalizeGlottaUnit();
  setenv("LC_ALL", locale, 1);
  InitializeGlottaUnit();
}

inline TGlotta* GlottaOf(TComponent* form) { return static_cast<TGlotta*>(form->FindComponent("Glotta")); }

inline void FillLanguages(TGlotta* g, const std::vector<String>& languages) {
  TLanguageManager* m = g->LanguageManager();
  for (size_t i = 0; i < languages.size(); ++i) {
    TLanguageEntry* l = m->Langs()->Add();
    l->SetName(languages[i]);
    l->SetSubIndex(static_cast<Integer>(i));
  }
}

inline String BuildFormStream(const TFormRecipe& recipe) {
  RestartUnit();
  auto form = std::make_unique<TForm>(nullptr, TCreateNew{});
  form->SetName(recipe.Name);
  const String first = recipe.Languages[0];
  auto* label = new TLabel(form.get());
  label->SetName("Label1");
  label->SetParent(form.get());
  label->SetText(Expected("Label", first));
  auto* button = new TButton(form.get());
  button->SetName("Button1");
  button->SetParent(form.get());
  button->SetHint(Expected("Hint", first));
  auto* memo = new TMemo(form.get());
  memo->SetName("Memo1");
  memo->SetParent(form.get());
  memo->GetLines()->SetText("line one\n" + Expected("line", first));
  auto* g = new TGlotta(form.get());
  g->SetName("Glotta");
  g->SetDomain(recipe.Domain);
  if (recipe.TopLevel) {
    g->SetDesigning(true, false);
    g->SetTopLevel(true);
    g->SetDesigning(false, false);
  }
  TLanguageManager* m = g->LanguageManager();
  FillLanguages(g, recipe.Languages);
  auto add = [&](TComponent* c, const char* cls, const char* prop, TTypeKind kind) {
    TMainEntry* e = TMainEntry::Create(m->Comps(), c, c->GetName(), cls, {stPubPropObject});
    if (String(prop) == "Lines") {
      TMainEntry* lines = TMainEntry::Create(e->GetItems(), nullptr, "Lines", "", {stTStringsObject});
      TPropertyEntry::Create(lines, "Strings[1]", "", kind);
    } else {
      TPropertyEntry::Create(e, prop, "", kind);
    }
  };
  add(label, "TLabel", "Caption", tkLString);
  add(button, "TButton", "Hint", tkLString);
  add(memo, "TMemo", "Lines", tkLString);
  TConsistentLangPropertyEntry* greeting = m->AddString("Greeting");
  m->Init(cmInitAll);
  greeting->SetLangValue(0, Variant(Expected("Hello", first)));
  std::vector<TConsistentLangPropertyEntry*> items;
  for (int c = 0; c < m->Comps()->Count(); ++c) {
    TMainEntry* e = m->Comps()->Items(c);
    if (e->GetProps()->Count() > 0) items.push_back(static_cast<TConsistentLangPropertyEntry*>(e->GetProps()->Items(0)));
    for (int s = 0; s < e->GetItems()->Count(); ++s)
      items.push_back(static_cast<TConsistentLangPropertyEntry*>(e->GetItems()->Items(s)->GetProps()->Items(0)));
  }
  const char* kinds[] = {"Label", "Hint", "line"};
  for (size_t slot = 1; slot < recipe.Languages.size(); ++slot) {
    for (size_t i = 0; i < items.size() && i < 3; ++i)
      items[i]->SetLangValue(static_cast<int>(slot), Variant(Expected(kinds[i], recipe.Languages[slot])));
    greeting->SetLangValue(static_cast<int>(slot), Variant(Expected("Hello", recipe.Languages[slot])));
  }
  if (recipe.StoredIndex > 0) m->SetLanguageByIndex(recipe.StoredIndex);
  TStringStream s;
  s.WriteComponent(form.get());
  form.reset();
  RestartUnit();
  return s.DataString();
}

inline std::unique_ptr<TForm> LoadForm(const String& stream) {
  TStringStream s(stream);
  return std::unique_ptr<TForm>(static_cast<TForm*>(s.ReadComponent(nullptr)));
}

inline String LabelText(TComponent* form) { return static_cast<TLabel*>(form->FindComponent("Label1"))->GetText(); }
inline String HintText(TComponent* form) { return static_cast<TButton*>(form->FindComponent("Button1"))->GetHint(); }
inline String MemoLine(TComponent* form) {
  return static_cast<TMemo*>(form->FindComponent("Memo1"))->GetLines()->Strings(1);
}

}  // namespace xel::test

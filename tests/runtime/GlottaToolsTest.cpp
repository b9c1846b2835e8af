#include <gtest/gtest.h>

#include "../model/ModelFixtures.h"
#include "ConvertTools.h"
#include "GlottaTools.h"
#include "TextForms.h"

namespace xel::test {
namespace {

// Keeps a live language manager in its form stream, as the language component does.
class TLangHolder : public TComponent {
  XEL_CLASS(TLangHolder, TComponent)
public:
  explicit TLangHolder(TComponent* owner)
      : TComponent(owner), FManager(std::make_unique<TLanguageManager>(owner, this, this, cmInconsistent)) {}
  TLanguageManager* Manager() const { return FManager.get(); }
  void DefineProperties(TFiler* filer) override {
    TComponent::DefineProperties(filer);
    FManager->DefineProperties("LanguageManager_", filer);
  }
  void Loaded() override {
    TComponent::Loaded();
    FManager->Init(cmInitNone);
  }

private:
  std::unique_ptr<TLanguageManager> FManager;
};

struct TLangFixture {
  std::unique_ptr<TDataModule> Form = std::make_unique<TDataModule>(nullptr);
  TLangHolder* Holder;
  TModelWidget* W;
  TLanguageManager* M;
  TConsistentLangPropertyEntry* Caption;

  TLangFixture() {
    RegisterModelFixtures();
    RegisterGlottaToolsClasses();
    RegisterClass(TLangHolder::StaticClass());
    Form->SetName("Form1");
    Holder = new TLangHolder(Form.get());
    Holder->SetName("Glotta1");
    W = new TModelWidget(Form.get());
    W->SetName("W");
    W->FCaption = "OK";
    W->GetLines()->SetText("one\ntwo");
    M = Holder->Manager();
    AddLanguage("English", 0);
    AddLanguage("Deutsch", 1);
    TMainEntry* e = TMainEntry::Create(M->Comps(), W, "W", "TModelWidget", {stPubPropObject});
    Caption = static_cast<TConsistentLangPropertyEntry*>(TPropertyEntry::Create(e, "Caption", "", tkLString));
    TMainEntry* lines = TMainEntry::Create(e->GetItems(), nullptr, "Lines", "", {stTStringsObject});
    TPropertyEntry::Create(lines, "Strings[1]", "", tkLString);
    M->Init(cmInitAll);
    Caption->SetLangValue(1, Variant("Gut"));
    Line()->SetLangValue(1, Variant("zwei"));
  }

  void AddLanguage(const char* name, int slot) {
    TLanguageEntry* l = M->Langs()->Add();
    l->SetName(name);
    l->SetSubIndex(slot);
  }

  TConsistentLangPropertyEntry* Line() const {
    return static_cast<TConsistentLangPropertyEntry*>(
        M->Comps()->Items(0)->GetItems()->Items(0)->GetProps()->Items(0));
  }
};

TEST(LanguageManagerTest, SwitchingExchangesLiveValuesAndBringsBackRunTimeChanges) {
  TLangFixture f;
  EXPECT_EQ(f.Caption->Count(), 2);
  EXPECT_TRUE(f.M->SetLanguageByIndex(1));
  EXPECT_EQ(f.W->FCaption, "Gut");
  EXPECT_EQ(f.W->GetLines()->Strings(1), "zwei");
  EXPECT_EQ(f.M->Langs()->Items(1)->SubIndex(), 0);
  EXPECT_EQ(f.M->Langs()->Items(0)->SubIndex(), 1);
  EXPECT_FALSE(f.M->SetLanguageByIndex(1));  // already active
  f.W->FCaption = "Mine";                     // the program's own caption while German is active
  EXPECT_TRUE(f.M->SetLanguageByIndex(0));
  EXPECT_EQ(f.W->FCaption, "OK");
  EXPECT_EQ(f.W->GetLines()->Strings(1), "two");
  f.M->SetLanguageByIndex(1);
  EXPECT_EQ(f.W->FCaption, "Mine");
  f.M->Langs()->Add()->SetName("Français");  // no slot yet
  EXPECT_FALSE(f.M->SetLanguageByIndex(2));
}

// A setter that refuses the value of one language: the switch still changes every other
// item, raises that setter's error afterwards, and no value changes its language for good.
TEST(LanguageManagerTest, ARefusingSetterInTheMiddleOfASwitch) {
  TLangFixture f;
  f.AddLanguage("Français", 2);
  f.M->SyncCount(cmInitAll);
  TMainEntry* e = f.M->Comps()->Items(0);
  auto* mood = static_cast<TConsistentLangPropertyEntry*>(TPropertyEntry::Create(e, "Mood", "", tkEnumeration));
  auto* hint = static_cast<TConsistentLangPropertyEntry*>(TPropertyEntry::Create(e, "Hint", "", tkLString));
  f.W->FMood = mdCalm;
  f.W->FHint = "Tip";
  f.M->Init(cmInitAll);
  f.Caption->SetLangValue(2, Variant("Bien"));
  mood->SetLangValue(1, Variant("mdUnknown"));  // the enumeration's setter refuses this name
  mood->SetLangValue(2, Variant("mdBusy"));
  hint->SetLangValue(1, Variant("Tipp"));
  hint->SetLangValue(2, Variant("Astuce"));
  auto shown = [&] { return f.W->FCaption + "|" + GetEnumName(TypeInfo<TMood>(), f.W->FMood) + "|" + f.W->FHint; };

  EXPECT_THROW(f.M->SetLanguageByIndex(1), Exception);
  EXPECT_EQ(shown(), "Gut|mdCalm|Tipp");  // the items on both sides of the refusing one switched
  EXPECT_EQ(mood->GetLangValue(0), Variant("mdUnknown"));  // German's value, waiting
  EXPECT_EQ(mood->GetLangValue(1), Variant("mdCalm"));     // English's, in English's slot
  EXPECT_TRUE(f.M->SetLanguageByIndex(2));
  EXPECT_EQ(shown(), "Bien|mdBusy|Astuce");
  EXPECT_TRUE(f.M->SetLanguageByIndex(0));
  EXPECT_EQ(shown(), "OK|mdCalm|Tip");
  EXPECT_THROW(f.M->SetLanguageByIndex(1), Exception);
  EXPECT_TRUE(f.M->SetLanguageByIndex(0));  // straight back
  EXPECT_EQ(shown(), "OK|mdCalm|Tip");
  // A copy of the manager, as the editor takes, sees every language's own value.
  TLanguageManager copy(nullptr, f.Holder, nullptr, cmConsistent);
  copy.Assign(f.M);
  TStringList lines;
  copy.Comps()->MoveSubItemsToStrings(mmNameOnly, &lines);
  auto* moodCopy = static_cast<TConsistentLangPropertyEntry*>(lines.Objects(lines.IndexOf("Mood")));
  auto slotOf = [&](int language) { return static_cast<int>(copy.Langs()->Items(language)->SubIndex()); };
  EXPECT_EQ(moodCopy->GetLangValue(slotOf(0)), Variant("mdCalm"));
  EXPECT_EQ(moodCopy->GetLangValue(slotOf(1)), Variant("mdUnknown"));
  EXPECT_EQ(moodCopy->GetLangValue(slotOf(2)), Variant("mdBusy"));
}

// The slots of an item share one block: values of every size and type keep their places
// while others grow, shrink, swap, go Null, and while the count changes.
TEST(LanguageManagerTest, SlotsKeepTheirValuesWhileOthersChange) {
  RegisterGlottaToolsClasses();
  TMainEntries entries(nullptr, TConsistentLangPropertyEntry::StaticClass());
  TMainEntry* e = TMainEntry::Create(&entries, nullptr, "E", "", {stPubPropObject});
  auto* item = static_cast<TConsistentLangPropertyEntry*>(TPropertyEntry::Create(e, "X", "", tkLString));
  std::vector<Variant> expected(4, Variant::Null());
  auto check = [&](const char* step) {
    SCOPED_TRACE(step);
    ASSERT_EQ(item->Count(), static_cast<Integer>(expected.size()));
    for (int i = 0; i < item->Count(); ++i) EXPECT_EQ(item->GetLangValue(i), expected[i]) << "slot " << i;
  };
  auto set = [&](int slot, const Variant& v) {
    item->SetLangValue(slot, v);
    expected[slot] = v;
  };
  item->SetCount(4);
  check("new slots are Null");
  set(1, Variant("a much longer text than the others"));
  set(2, Variant(String()));
  set(3, Variant(42));
  set(0, Variant("zero"));
  check("filled");
  set(1, Variant("short"));
  set(0, Variant("a text that is longer than before"));
  check("one shrinks, one grows");
  item->ExchangeLangValues(0, 3);
  std::swap(expected[0], expected[3]);
  item->ExchangeLangValues(1, 1);
  check("exchanged");
  set(3, Variant::Null());
  check("back to Null");
  item->SetCount(6);
  expected.resize(6, Variant::Null());
  check("more slots");
  item->SetCount(2);
  expected.resize(2);
  check("fewer slots");
  std::string_view bytes;
  EXPECT_FALSE(item->Buffer(5, bytes));
  ASSERT_TRUE(item->Buffer(1, bytes));
  EXPECT_EQ(bytes, String("\x00\x01\x00\x00", 4) + "short");
}

TEST(LanguageManagerTest, NamedStrings) {
  TLangFixture f;
  TConsistentLangPropertyEntry* s1 = f.M->AddString("");
  TConsistentLangPropertyEntry* t1 = f.M->AddString("Title");
  TConsistentLangPropertyEntry* t2 = f.M->AddString("title");
  EXPECT_EQ(s1->Name(), "String1");
  EXPECT_EQ(t1->Name(), "Title");
  EXPECT_EQ(t2->Name(), "title1");
  EXPECT_EQ(t2->IndexValue(), 2);
  EXPECT_EQ(t2->GetDescriptor(""), "title1: String");  // the row is never shown
  EXPECT_EQ(t1->Count(), 2);
  t1->SetLangValue(0, Variant("Hello"));
  t1->SetLangValue(1, Variant("Hallo"));
  String v;
  EXPECT_TRUE(f.M->GetString("  title ", v));
  EXPECT_EQ(v, "Hello");
  f.M->SetLanguageByIndex(1);
  EXPECT_TRUE(f.M->GetString("Title", v));
  EXPECT_EQ(v, "Hallo");
  EXPECT_FALSE(f.M->GetString("Missing", v));
  EXPECT_EQ(v, "");
  f.M->RemoveString(s1);  // row 0 of three: the others become rows 0 and 1
  EXPECT_EQ(t1->IndexValue(), 0);
  EXPECT_EQ(t2->IndexValue(), 1);
  EXPECT_EQ(f.M->Names()->CommaText(), "Title,title1");
  EXPECT_TRUE(f.M->GetString("Title", v));
  EXPECT_EQ(v, "Hallo");
  EXPECT_THROW(f.M->RemoveString(nullptr), Exception);
  try {
    f.M->RemoveString(f.Caption);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "TLanguageManager.RemoveString failed.");
  }
  struct Case {
    const char* name;
    bool valid;
  };
  for (const Case& c : {Case{"   ", false}, Case{"Button Caption_2", true}, Case{"2nd", true},
                        Case{"a.b", false}, Case{"Grüße", false}, Case{"x-y", false}})
    EXPECT_EQ(TLanguageManager::IsStringNameValid(c.name), c.valid) << c.name;
}

TEST(LanguageManagerTest, NewSlotsAreFilledByTheSyncMode) {
  TLangFixture f;
  TMainEntry* e = f.M->Comps()->Items(0);
  auto* checked = static_cast<TConsistentLangPropertyEntry*>(TPropertyEntry::Create(e, "Checked", "", tkEnumeration));
  auto* mood = static_cast<TConsistentLangPropertyEntry*>(TPropertyEntry::Create(e, "Mood", "", tkEnumeration));
  f.W->FMood = mdBusy;
  f.M->Init(cmInitNone);
  EXPECT_EQ(checked->GetLangValue(1), Variant("False"));  // a Boolean without declared default
  EXPECT_EQ(mood->GetLangValue(1), Variant("mdCalm"));    // the name of value 0
  EXPECT_EQ(f.W->FMood, mdCalm);                          // cmInitNone filled slot 0 too
  // A wide character has no empty value of its own: the empty string, as for texts.
  auto* wide = static_cast<TConsistentLangPropertyEntry*>(TPropertyEntry::Create(e, "Wide", "", tkWChar));
  f.M->Init(cmInitNone);
  EXPECT_EQ(wide->GetLangValue(1), Variant(""));
  f.AddLanguage("Français", 2);
  f.M->SyncCount(cmInitNone);
  EXPECT_EQ(f.Caption->GetLangValue(2), Variant(""));
  f.AddLanguage("Tiếng Việt", 3);
  f.M->SyncCount(cmInitAll);
  EXPECT_EQ(f.Caption->GetLangValue(3), Variant("OK"));  // slot 0's value
  EXPECT_EQ(f.Caption->Count(), 4);

  TLanguageManager empty(nullptr, f.Holder, nullptr, cmInconsistent);
  TMainEntry* e2 = TMainEntry::Create(empty.Comps(), f.W, "W", "TModelWidget", {stPubPropObject});
  auto* only = static_cast<TConsistentLangPropertyEntry*>(TPropertyEntry::Create(e2, "Hint", "", tkLString));
  empty.Init(cmInitNone);
  EXPECT_EQ(only->Count(), 1);  // no languages: one slot
}

TEST(LanguageManagerTest, DeletingTheActiveLanguageMovesTheNextIntoTheLiveProperties) {
  TLangFixture f;
  TLanguageEntries edited(nullptr);
  edited.Assign(f.M->Langs());
  delete edited.Items(0);  // English, the active language
  f.M->AssignLangsAndSync(&edited, cmInitNone);
  EXPECT_EQ(f.M->GetLangCount(), 1);
  EXPECT_EQ(f.M->Langs()->Items(0)->SubIndex(), 0);
  EXPECT_EQ(f.W->FCaption, "Gut");
  EXPECT_EQ(f.Caption->Count(), 1);
  // An added language gets the next slot and is made active when marked.
  edited.Assign(f.M->Langs());
  TLanguageEntry* fr = edited.Add();
  fr->SetName("Français");
  fr->Mark();
  f.M->AssignLangsAndSync(&edited, cmInitAll);
  EXPECT_EQ(f.M->Langs()->Items(1)->SubIndex(), 0);
  EXPECT_FALSE(f.M->Langs()->Items(1)->Marked());
  EXPECT_EQ(f.W->FCaption, "Gut");  // cmInitAll copied the active value
}

TEST(LanguageManagerTest, AnEditorCopyHoldsEverySlotAndWritesBack) {
  TLangFixture f;
  f.M->AddString("Greeting")->SetLangValue(1, Variant("Guten Tag"));
  TLanguageManager copy(f.Form.get(), f.Holder, nullptr, cmConsistent);
  copy.Assign(f.M);
  TStringList items;
  copy.Comps()->MoveSubItemsToStrings(mmNameOnly, &items);
  EXPECT_EQ(items.CommaText(), "Caption,Lines.Strings[1],Resources.Greeting");
  auto* caption = static_cast<TConsistentLangPropertyEntry*>(items.Objects(0));
  std::string_view bytes;
  ASSERT_TRUE(caption->Buffer(0, bytes));  // slot 0 was read from the live property
  EXPECT_EQ(caption->GetLangValue(0), Variant("OK"));
  caption->SetLangValue(0, Variant("Okay"));
  EXPECT_EQ(f.W->FCaption, "OK");  // the copy is detached
  f.M->Assign(&copy);
  EXPECT_EQ(f.W->FCaption, "Okay");
  EXPECT_EQ(f.M->Values()->Count(), 1);
  f.M->SetLanguageByIndex(1);
  String v;
  EXPECT_TRUE(f.M->GetString("Greeting", v));
  EXPECT_EQ(v, "Guten Tag");
}

TEST(LanguageManagerTest, ErrorsNameTheRaisingClass) {
  TLangFixture f;
  // A damaged stored count is refused before it allocates; the item keeps its slots.
  EXPECT_THROW(f.Caption->SetCount(1 << 30), Exception);
  EXPECT_EQ(f.Caption->Count(), 2);
  try {
    f.Caption->GetLangValue(5);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "TInconsistentLangPropertyEntry.GetLangValue: Invalid index");
  }
  EXPECT_THROW(f.Caption->ExchangeLangValues(0, 2), Exception);
  TLanguageManager noControl(nullptr, nullptr, nullptr, cmConsistent);
  try {
    noControl.GetStringInterface(true);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "TLanguageManager.GetStringInterface failed. NIL Control");
  }
  // A value the live property refuses is recognised and the live value stays.
  auto* mood = static_cast<TConsistentLangPropertyEntry*>(
      TPropertyEntry::Create(f.M->Comps()->Items(0), "Mood", "", tkEnumeration));
  f.M->Init(cmInitNone);
  EXPECT_FALSE(mood->IsValueValid("mdHappy"));
  EXPECT_TRUE(mood->IsValueValid("mdGone"));
  EXPECT_EQ(f.W->FMood, mdCalm);
  EXPECT_THROW(VariantToBuffer(Variant::Error(1)), Exception);
}

TEST(LanguagePersistenceTest, TheManagerRoundTripsThroughTheFormStream) {
  TLangFixture f;
  String sentence = "The quick brown fox jumps over a lazy dog.";
  f.M->AddString("Greeting")->SetLangValue(1, Variant(sentence));
  f.M->Langs()->Items(1)->SetHint("German");
  TStringStream s;
  s.WriteComponent(f.Form.get());
  String text = ObjectBinaryToText(s.DataString());
  EXPECT_NE(text.find("    LanguageManager_Langs = <\r\n      item\r\n        Name = 'English'\r\n        SubIndex = 0\r\n"
                      "      end\r\n      item\r\n        Name = 'Deutsch'\r\n        Hint = 'German'\r\n"),
            String::npos)
      << text;
  // The named string's stored slot: size 46, type code 256, the 42 text bytes.
  EXPECT_NE(text.find("Name = 'Greeting'\r\n                Kind = tkLString\r\n                Index = 0\r\n"
                      "                Count = 2\r\n                Values = {\r\n"
                      "                  2E00000000010000"),
            String::npos)
      << text;
  EXPECT_NE(text.find("    LanguageManager_Names = 'Greeting'#13#10\r\n"), String::npos);

  TStringStream in(s.DataString());
  std::unique_ptr<TComponent> form(in.ReadComponent(nullptr));
  auto* holder = static_cast<TLangHolder*>(form->FindComponent("Glotta1"));
  auto* w = static_cast<TModelWidget*>(form->FindComponent("W"));
  ASSERT_TRUE(holder && w);
  TLanguageManager* m = holder->Manager();
  EXPECT_EQ(m->GetLangCount(), 2);
  EXPECT_EQ(m->Langs()->Items(1)->Hint(), "German");
  // Of the entries read, only the one that holds the lines keeps a collection of sub-entries.
  TMainEntry* wEntry = m->Comps()->Items(m->Comps()->IndexOfName("W"));
  ASSERT_NE(wEntry->ItemsOrNull(), nullptr);
  EXPECT_EQ(wEntry->ItemsOrNull()->Items(0)->ItemsOrNull(), nullptr);
  ASSERT_TRUE(m->SetLanguageByIndex(1));
  EXPECT_EQ(w->FCaption, "Gut");
  EXPECT_EQ(w->GetLines()->Strings(1), "zwei");
  String v;
  EXPECT_TRUE(m->GetString("Greeting", v));
  EXPECT_EQ(v, sentence);
  // Written again, the stream is the same.
  m->SetLanguageByIndex(0);
  TStringStream again;
  again.WriteComponent(form.get());
  EXPECT_EQ(ObjectBinaryToText(again.DataString()), text);
}

// A named string whose active value holds a line break stays one string: the rows after it
// keep their texts, a copy of the manager still works, and lists without one keep the
// layout that older readers expect.
TEST(LanguagePersistenceTest, NamedStringsWithLineBreaks) {
  TLangFixture f;
  f.M->AddString("First")->SetLangValue(0, Variant("two\r\nlines"));
  f.M->AddString("Second")->SetLangValue(0, Variant("one line"));
  TConsistentLangPropertyEntry* third = f.M->AddString("Third");
  third->SetLangValue(0, Variant("last"));
  third->SetLangValue(1, Variant("letzte\nZeile"));
  TStringStream s;
  s.WriteComponent(f.Form.get());
  String text = ObjectBinaryToText(s.DataString());
  EXPECT_NE(text.find("LanguageManager_Names = 'First'#13#10'Second'#13#10'Third'#13#10\r\n"), String::npos) << text;
  EXPECT_NE(text.find("LanguageManager_Values = (\r\n      'two'#13#10'lines'\r\n      'one line'\r\n      'last')"),
            String::npos)
      << text;

  TStringStream in(s.DataString());
  std::unique_ptr<TComponent> form(in.ReadComponent(nullptr));
  TLanguageManager* m = static_cast<TLangHolder*>(form->FindComponent("Glotta1"))->Manager();
  String v;
  for (auto [name, value] : {std::pair{"First", "two\r\nlines"}, {"Second", "one line"}, {"Third", "last"}}) {
    EXPECT_TRUE(m->GetString(name, v));
    EXPECT_EQ(v, value) << name;
  }
  ASSERT_TRUE(m->SetLanguageByIndex(1));
  EXPECT_TRUE(m->GetString("Third", v));
  EXPECT_EQ(v, "letzte\nZeile");
  TLanguageManager copy(nullptr, f.Holder, nullptr, cmConsistent);
  copy.Assign(m);
  EXPECT_EQ(copy.Values()->Count(), 3);
  // Stored with German active, the line break is in another row, and read back the same.
  TStringStream again;
  again.WriteComponent(form.get());
  TStringStream in2(again.DataString());
  std::unique_ptr<TComponent> form2(in2.ReadComponent(nullptr));
  TLanguageManager* m2 = static_cast<TLangHolder*>(form2->FindComponent("Glotta1"))->Manager();
  EXPECT_EQ(m2->Values()->Count(), 3);
  EXPECT_TRUE(m2->GetString("Third", v));
  EXPECT_EQ(v, "letzte\nZeile");
}

TEST(LanguagePersistenceTest, EmptyManagersAndShortStreams) {
  RegisterModelFixtures();
  RegisterClass(TLangHolder::StaticClass());
  TDataModule form(nullptr);
  form.SetName("F");
  auto* holder = new TLangHolder(&form);
  holder->SetName("G");
  TStringStream s;
  s.WriteComponent(&form);
  String text = ObjectBinaryToText(s.DataString());
  EXPECT_NE(text.find("    LanguageManager_Langs = <>\r\n    LanguageManager_Comps = <>\r\n"
                      "    LanguageManager_Names = ''\r\n    LanguageManager_Values = ''\r\n"),
            String::npos)
      << text;
  TStringStream in(s.DataString());
  std::unique_ptr<TComponent> back(in.ReadComponent(nullptr));
  EXPECT_EQ(static_cast<TLangHolder*>(back->FindComponent("G"))->Manager()->GetLangCount(), 0);

  // One slot stores an empty block; a slot without buffer stores a size of 0.
  TLangFixture f;
  f.Caption->SetCount(1);
  f.Line()->ChangeCount(3);
  TStringStream slots;
  slots.WriteComponent(f.Form.get());
  String st = ObjectBinaryToText(slots.DataString());
  EXPECT_NE(st.find("Name = 'Caption'\r\n            Kind = tkLString\r\n            Count = 1\r\n            Values = {}"),
            String::npos)
      << st;
  EXPECT_NE(st.find("Count = 3\r\n                Values = {\r\n                  08000000000100007A77656900000000}"),
            String::npos)
      << st;
  // An item whose Values block ends early stops the form from loading.
  f.Caption->SetCount(2);
  TStringStream full;
  full.WriteComponent(f.Form.get());
  String t = ObjectBinaryToText(full.DataString());
  size_t at = t.find("Values = {");
  ASSERT_NE(at, String::npos);
  size_t end = t.find('}', at);
  String cut = t.substr(0, at) + "Values = {00}" + t.substr(end + 1);  // one byte instead of a size
  TStringStream bad(ObjectTextToBinary(cut));
  EXPECT_THROW(std::unique_ptr<TComponent>(bad.ReadComponent(nullptr)), EReadError);
}

// A damaged stream may give the entries twice: the second copy replaces the first, and the
// references of the freed first copy are not resolved into it when the stream ends.
TEST(LanguagePersistenceTest, EntriesGivenTwiceBindTheSecondCopy) {
  TLangFixture f;
  TStringStream out;
  out.WriteComponent(f.Form.get());
  String text = ObjectBinaryToText(out.DataString());
  const size_t from = text.find("LanguageManager_Comps = <"), to = text.find("LanguageManager_Names");
  ASSERT_TRUE(from != String::npos && to != String::npos && from < to) << text;
  text.insert(to, text.substr(from, to - from));
  TStringStream in(ObjectTextToBinary(text));
  std::unique_ptr<TComponent> form(in.ReadComponent(nullptr));
  TLanguageManager* m = static_cast<TLangHolder*>(form->FindComponent("Glotta1"))->Manager();
  ASSERT_EQ(m->Comps()->Count(), 1);
  EXPECT_EQ(m->Comps()->Items(0)->GetRef(), form->FindComponent("W"));
}

}  // namespace
}  // namespace xel::test

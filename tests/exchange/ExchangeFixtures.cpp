#include "ExchangeFixtures.h"

#include <filesystem>

#include "FileTools.h"
#include "HeadlessWidgetSet.h"
#include "RegisterControls.h"

namespace xel::test {

TScratch::TScratch() {
  char pattern[] = "/tmp/xel-exchange-XXXXXX";
  FDir = String(mkdtemp(pattern)) + "/";
}

TScratch::~TScratch() { std::filesystem::remove_all(FDir); }

String TScratch::Write(const String& name, const String& text) const {
  WriteFileAtomically(Path(name), text);
  return Path(name);
}

String ReadFile(const String& fileName) { return ReadTextFile(fileName, true); }

TFormFixture::TFormFixture(std::vector<String> languages) : FLanguages(std::move(languages)) {
  FForm = std::make_unique<TMainForm>(nullptr, TCreateNew{});
  TMainForm* f = FForm.get();
  f->SetName("MainForm");
  f->SetText("Main window");
  auto* button = new TButton(f);
  button->SetName("Button1");
  button->SetParent(f);
  button->SetText("OK");
  button->SetHint("Accept");
  auto* memo = new TMemo(f);
  memo->SetName("Memo1");
  memo->SetParent(f);
  memo->GetLines()->SetText("first line\nsecond line\n\nfourth line");
  auto* list = new TListView(f);
  list->SetName("ListView1");
  list->SetParent(f);
  list->GetColumns()->Add();
  auto* status = new TStatusBar(f);
  status->SetName("StatusBar1");
  status->SetParent(f);
  status->GetPanels()->Add();
  auto* check = new TCheckBox(f);
  check->SetName("CheckBox1");
  check->SetParent(f);
  check->SetText("Check");
  FGlotta = new TGlotta(f);
  FGlotta->SetName("Glotta1");
  TLanguageManager* m = Manager();
  for (size_t i = 0; i < FLanguages.size(); ++i) {
    TLanguageEntry* l = m->Langs()->Add();
    l->SetName(FLanguages[i]);
    l->SetSubIndex(static_cast<Integer>(i));
  }
}

TFormFixture::~TFormFixture() { FForm.reset(); }

TMainEntry* TFormFixture::EntryOf(TComponent* component) {
  TComponentEntries* comps = Manager()->Comps();
  for (int i = 0; i < comps->Count(); ++i)
    if (comps->Items(i)->Object() == component) return comps->Items(i);
  return TMainEntry::Create(comps, component, component->GetName(), component->ClassName(), {stPubPropObject});
}

void TFormFixture::Fill(TConsistentLangPropertyEntry* item, const std::vector<String>& texts) {
  Manager()->Init(cmInitAll);
  for (size_t slot = 0; slot < texts.size(); ++slot) item->SetLangValue(static_cast<int>(slot), Variant(texts[slot]));
}

TConsistentLangPropertyEntry* TFormFixture::Translate(TComponent* component, const String& path,
                                                      const std::vector<String>& texts, TTypeKind kind) {
  TMainEntry* e = EntryOf(component);
  String rest = path;
  for (size_t dot = rest.find('.'); dot != String::npos; dot = rest.find('.')) {
    String part = rest.substr(0, dot);
    rest.erase(0, dot + 1);
    TMainEntrySubType sub = part.find('[') != String::npos ? TMainEntrySubType{stPubPropObject, stCollectionObject}
                            : rest.rfind("Strings[", 0) == 0 ? TMainEntrySubType{stTStringsObject}
                                                              : TMainEntrySubType{stPubPropObject};
    int at = e->GetItems()->IndexOfName(part);
    e = at >= 0 ? e->GetItems()->Items(at) : TMainEntry::Create(e->GetItems(), nullptr, part, "", sub);
  }
  auto* item = static_cast<TConsistentLangPropertyEntry*>(TPropertyEntry::Create(e, rest, "", kind));
  Fill(item, texts);
  return item;
}

TConsistentLangPropertyEntry* TFormFixture::TranslateString(const String& name, const std::vector<String>& texts) {
  TConsistentLangPropertyEntry* item = Manager()->AddString(name);
  Fill(item, texts);
  return item;
}

TConsistentLangPropertyEntry* FindItem(TLanguageManager* m, const String& component, const String& path) {
  TComponentEntries* comps = m->Comps();
  for (int i = 0; i < comps->Count(); ++i) {
    TComponentEntry* e = comps->Items(i);
    bool match = SameText(e->Name(), component) || (m->Owner() && e->Object() == m->Owner() &&
                                                     component == m->Owner()->ClassName());
    if (!match) continue;
    TStringList paths;
    e->MoveSubItemsToStrings(mmNameOnly, &paths);
    for (int k = 0; k < paths.Count(); ++k)
      if (SameText(paths[k], path)) return static_cast<TConsistentLangPropertyEntry*>(paths.Objects(k));
  }
  return nullptr;
}

namespace {
String Shown(const Variant& v) { return v.IsNull() ? String("<null>") : VarToStr(v); }
int SlotOf(TLanguageManager* m, const String& language) {
  int i = m->Langs()->IndexOfName(language);
  return i < 0 ? -1 : m->Langs()->Items(i)->SubIndex();
}
}  // namespace

String TFormFixture::Value(const String& component, const String& path, const String& language) const {
  TConsistentLangPropertyEntry* item = FindItem(Manager(), component, path);
  int slot = SlotOf(Manager(), language);
  if (!item || slot < 0) return "<none>";
  return Shown(item->GetLangValue(slot));
}

String TFormFixture::StringValue(const String& name, const String& language) const {
  TMainEntry* r = Manager()->GetStringInterface(false);
  int slot = SlotOf(Manager(), language);
  if (!r || slot < 0) return "<none>";
  int k = r->GetProps()->IndexOfProp(name);
  if (k < 0) return "<none>";
  return Shown(static_cast<TConsistentLangPropertyEntry*>(r->GetProps()->Items(k))->GetLangValue(slot));
}

void RegisterExchangeFixtures() {
  RegisterCoreClasses();
  RegisterControlClasses();
  RegisterGlottaClasses();
  RegisterClasses({TMainForm::StaticClass()});
}

}  // namespace xel::test

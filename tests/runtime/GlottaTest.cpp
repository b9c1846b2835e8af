// The language component end to end: forms stored with their language data, read back,
// switched in groups; program units with linked language resources; the startup language.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>

#include "Application.h"
#include "GlottaFixtures.h"
#include "HeadlessWidgetSet.h"
#include "ResFile.h"
#include "Resources.h"
#include "TextForms.h"

namespace xel::test {
namespace {

// Records the events of the components it listens to, in order.
struct TRecorder : TObject {
  std::vector<String> Log;
  String SwitchTo;  // when set, OnChange asks for another switch
  void Before(TObject* s) { Log.push_back(Name(s) + ":before"); }
  void Change(TObject* s) {
    Log.push_back(Name(s) + ":change");
    if (!SwitchTo.empty()) static_cast<TGlotta*>(s)->SetLanguage(SwitchTo);
  }
  void After(TObject* s) { Log.push_back(Name(s) + ":after"); }
  void Raise(TGlotta*) { throw EConvertError("listener failed"); }
  void Listen(TGlotta* g) { Log.push_back(g ? "listen:" + g->Owner()->GetName() : String("listen:gone")); }
  void Failure(TObject*, const Exception& e) { Log.push_back("error:" + e.Message()); }
  static String Name(TObject* s) { return static_cast<TComponent*>(s)->Owner()->GetName(); }
  void Attach(TGlotta* g) {
    g->BeforeChange = MakeMethod<&TRecorder::Before>(this);
    g->OnChange = MakeMethod<&TRecorder::Change>(this);
    g->AfterChange = MakeMethod<&TRecorder::After>(this);
  }
};

struct GlottaTest : testing::Test {
  void SetUp() override {
    RestartUnit("ka_GE.UTF-8");  // a language outside the table: no startup language
    Application->OnException = MakeMethod<&TRecorder::Failure>(&Errors);
  }
  void TearDown() override {
    Application->OnException = nullptr;
    RestartUnit();
  }
  // Loads a form in a fresh unit under the locale.
  std::unique_ptr<TForm> Load(const TFormRecipe& recipe, const char* locale = "ka_GE.UTF-8") {
    String stream = BuildFormStream(recipe);
    RestartUnit(locale);
    return LoadForm(stream);
  }
  // Forms named as given, all built first, then read in order into one fresh unit.
  std::vector<std::unique_ptr<TForm>> LoadNamed(std::vector<TFormRecipe> recipes) {
    std::vector<String> streams;
    for (const TFormRecipe& recipe : recipes) streams.push_back(BuildFormStream(recipe));
    std::vector<std::unique_ptr<TForm>> forms;
    for (const String& s : streams) forms.push_back(LoadForm(s));
    return forms;
  }
  static TFormRecipe Named(const char* name, const char* domain = "") {
    TFormRecipe recipe;
    recipe.Name = name;
    recipe.Domain = domain;
    return recipe;
  }
  TRecorder Errors;
};

void ExpectLanguage(TForm* form, const String& language) {
  SCOPED_TRACE(form->GetName() + " in " + language);
  EXPECT_EQ(GlottaOf(form)->GetLanguage(), language);
  EXPECT_EQ(LabelText(form), Expected("Label", language));
  EXPECT_EQ(HintText(form), Expected("Hint", language));
  EXPECT_EQ(MemoLine(form), Expected("line", language));
  EXPECT_EQ(GlottaOf(form)->GetString("Greeting"), Expected("Hello", language));
}

TEST_F(GlottaTest, AFormStreamCarriesEveryLanguageAndSwitchesLive) {
  TFormRecipe recipe;
  recipe.Languages = {"English", "Deutsch", "Français"};
  String stream = BuildFormStream(recipe);
  // The language data follow the component's own properties, under the manager's prefix.
  String text = ObjectBinaryToText(stream);
  size_t glotta = text.find("object Glotta: TGlotta");
  ASSERT_NE(glotta, String::npos);
  size_t language = text.find("Language = 'English'", glotta);
  size_t langs = text.find("LanguageManager_Langs = <", glotta);
  size_t comps = text.find("LanguageManager_Comps = <", glotta);
  size_t names = text.find("LanguageManager_Names = 'Greeting'#13#10", glotta);
  size_t values = text.find("LanguageManager_Values = ", glotta);
  EXPECT_TRUE(language < langs && langs < comps && comps < names && names < values) << text;
  // The Hint item: its two other languages, each as size, type code 256 and the bytes.
  const String hintDe = "Hint-Deutsch", hintFr = "Hint-Français";
  String block;
  for (const String* v : {&hintDe, &hintFr}) {
    Integer size = static_cast<Integer>(v->size()) + 4;
    block += String(reinterpret_cast<const char*>(&size), 4) + String("\x00\x01\x00\x00", 4) + *v;
  }
  Integer blockSize = static_cast<Integer>(block.size());
  EXPECT_NE(stream.find(String("\x06Values") + '\x0A' + String(reinterpret_cast<const char*>(&blockSize), 4) + block),
            String::npos);

  RestartUnit("ka_GE.UTF-8");
  auto form = LoadForm(stream);
  ExpectLanguage(form.get(), "English");
  for (const char* l : {"Français", "Deutsch", "English", "Deutsch"}) {
    GlottaOf(form.get())->SetLanguage(l);
    ExpectLanguage(form.get(), l);
  }
  // Saved in German, it opens in German when nothing else decides.
  TStringStream saved;
  saved.WriteComponent(form.get());
  form.reset();
  RestartUnit("ka_GE.UTF-8");
  form = LoadForm(saved.DataString());
  ExpectLanguage(form.get(), "Deutsch");
  EXPECT_EQ(Errors.Log, std::vector<String>{});
}

// Language data that name a component or property the form no longer has: the form loads
// and switches without them, and the debug trace names the form and each dropped item.
TEST_F(GlottaTest, DroppedLanguageDataGoToTheDebugTrace) {
  String text = ObjectBinaryToText(BuildFormStream(TFormRecipe{}));
  for (auto [from, to] : {std::pair{"Ref = Button1", "Ref = Button9"}, {"Name = 'Caption'", "Name = 'Captoin'"}}) {
    const size_t at = text.find(from);
    ASSERT_NE(at, String::npos) << from;
    text.replace(at, std::strlen(from), to);
  }
  const String trace = testing::TempDir() + "glotta-dropped.trace";
  std::remove(trace.c_str());
  setenv("XEL_DEBUG_TRACE", trace.c_str(), 1);
  RestartUnit("ka_GE.UTF-8");
  auto form = LoadForm(ObjectTextToBinary(text));
  unsetenv("XEL_DEBUG_TRACE");
  std::vector<String> dropped;
  std::ifstream in(trace);
  for (String line; std::getline(in, line);)
    if (line.find("dropped") != String::npos) dropped.push_back(TrimRight(line));
  EXPECT_EQ(dropped, (std::vector<String>{
                         "TGlotta: Form1.Glotta.Loaded: language data dropped: Button9.Hint: component Button9 does "
                         "not exist",
                         "TGlotta: Form1.Glotta.Loaded: language data dropped: Label1.Captoin: property does not exist"}));
  GlottaOf(form.get())->SetLanguage("Deutsch");
  EXPECT_EQ(MemoLine(form.get()), Expected("line", "Deutsch"));
  EXPECT_EQ(GlottaOf(form.get())->GetString("Greeting"), Expected("Hello", "Deutsch"));
  EXPECT_EQ(Errors.Log, std::vector<String>{});
}

TEST_F(GlottaTest, FormsOfOneFrameSwitchPhaseByPhase) {
  auto forms = LoadNamed({Named("FormA"), Named("FormB")});
  TForm *fa = forms[0].get(), *fb = forms[1].get();
  TRecorder rec;
  rec.Attach(GlottaOf(fa));
  rec.Attach(GlottaOf(fb));
  GlottaOf(fa)->SetLanguage("Deutsch");
  EXPECT_EQ(rec.Log, (std::vector<String>{"FormA:before", "FormB:before", "FormA:change", "FormB:change",
                                          "FormA:after", "FormB:after"}));
  ExpectLanguage(fb, "Deutsch");
  // The frame's language again, in any case, or only blanks: no phase at all.
  rec.Log.clear();
  GlottaOf(fb)->SetLanguage("DEUTSCH");
  GlottaOf(fb)->SetLanguage("   ");
  EXPECT_EQ(rec.Log, std::vector<String>{});
  // A table name reaches the native one.
  GlottaOf(fb)->SetLanguage("english");
  ExpectLanguage(fa, "English");
  GlottaOf(fb)->SetLanguage(" German ");
  ExpectLanguage(fa, "Deutsch");
  EXPECT_EQ(FrameDomain(GlottaOf(fa)->Notify()), "");
}

TEST_F(GlottaTest, DomainsGroupFormsWhateverTheLetterCase) {
  auto forms = LoadNamed({Named("FormA", "Main"), Named("FormB", "MAIN"), Named("FormC")});
  TForm *fa = forms[0].get(), *fb = forms[1].get(), *fc = forms[2].get();
  EXPECT_EQ(DomainFrames()->Count(), 1);
  EXPECT_EQ(FrameDomain(GlottaOf(fb)->Notify()), "MAIN");  // the case given last
  GlottaOf(fb)->SetLanguage("Deutsch");
  ExpectLanguage(fa, "Deutsch");
  ExpectLanguage(fc, "English");
  // Moving a component into the domain makes it follow that frame alone.
  GlottaOf(fc)->SetDomain("main");
  ExpectLanguage(fc, "Deutsch");
  EXPECT_EQ(UnnamedFrames()->Count(), 0);
}

TEST_F(GlottaTest, ATopLevelFormOpensAFrameThatLaterFormsJoin) {
  TFormRecipe first, top, later;
  first.Name = "First";
  top.Name = "Top";
  top.TopLevel = true;
  later.Name = "Later";
  String s1 = BuildFormStream(first), s2 = BuildFormStream(top), s3 = BuildFormStream(later);
  auto f1 = LoadForm(s1);
  GlottaOf(f1.get())->SetLanguage("Deutsch");
  auto f2 = LoadForm(s2);
  auto f3 = LoadForm(s3);
  EXPECT_EQ(UnnamedFrames()->Count(), 2);
  ExpectLanguage(f2.get(), "Deutsch");  // a new frame starts in the language of the last one
  GlottaOf(f3.get())->SetLanguage("English");
  ExpectLanguage(f2.get(), "English");
  ExpectLanguage(f1.get(), "Deutsch");
}

TEST_F(GlottaTest, ASwitchFromInsideOnChangeFailsWhileTheRunningOneCompletes) {
  auto forms = LoadNamed({Named("FormA"), Named("FormB")});
  TForm *fa = forms[0].get(), *fb = forms[1].get();
  TRecorder rec;
  rec.Attach(GlottaOf(fa));
  rec.SwitchTo = "English";
  GlottaOf(fb)->SetLanguage("Deutsch");
  EXPECT_EQ(Errors.Log, std::vector<String>{"error:SetGlobalLanguage cannot be called when still processing"});
  ExpectLanguage(fa, "Deutsch");
  ExpectLanguage(fb, "Deutsch");
  EXPECT_EQ(rec.Log.back(), "FormA:after");
}

TEST_F(GlottaTest, FailingListenersDoNotStopTheOthers) {
  auto form = Load({});
  TGlotta* g = GlottaOf(form.get());
  TRecorder rec;
  g->RegisterChangeNotify(MakeMethod<&TRecorder::Listen>(&rec));
  g->RegisterChangeNotify(MakeMethod<&TRecorder::Raise>(&rec));  // the latest is served first
  g->RegisterChangeNotify(MakeMethod<&TRecorder::Listen>(&rec));  // moves to the end
  g->SetLanguage("Deutsch");
  EXPECT_EQ(Errors.Log, std::vector<String>{"error:listener failed"});
  EXPECT_EQ(rec.Log, std::vector<String>{"listen:Form1"});
  ExpectLanguage(form.get(), "Deutsch");
  g->UnregisterChangeNotify(MakeMethod<&TRecorder::Raise>(&rec));
  form.reset();  // listeners learn that the component goes
  EXPECT_EQ(rec.Log.back(), "listen:gone");
}

TEST_F(GlottaTest, AComponentWithoutTheLanguageKeepsItsTextsAndStillHearsTheChange) {
  TFormRecipe french = Named("FormB");
  french.Languages = {"English", "Français"};
  auto forms = LoadNamed({Named("FormA"), french});
  TForm *fa = forms[0].get(), *fb = forms[1].get();
  TRecorder rec;
  rec.Attach(GlottaOf(fb));
  GlottaOf(fa)->SetLanguage("Deutsch");
  ExpectLanguage(fa, "Deutsch");
  ExpectLanguage(fb, "English");
  EXPECT_EQ(rec.Log, (std::vector<String>{"FormB:before", "FormB:change", "FormB:after"}));
  EXPECT_EQ(Errors.Log, std::vector<String>{});
  EXPECT_EQ(GetGlobalLanguage(GlottaOf(fb)->Notify()), "Deutsch");
}

TEST_F(GlottaTest, RunTimeChangesSurviveASwitchAwayAndBack) {
  auto form = Load({});
  static_cast<TLabel*>(form->FindComponent("Label1"))->SetText("Changed by the program");
  GlottaOf(form.get())->SetLanguage("Deutsch");
  EXPECT_EQ(LabelText(form.get()), "Label-Deutsch");
  GlottaOf(form.get())->SetLanguage("English");
  EXPECT_EQ(LabelText(form.get()), "Changed by the program");
}

// A switch re-binds only what can have changed since the last one; whatever the program did
// to the components in between, the switch reaches live objects only.
TEST_F(GlottaTest, SwitchesFollowWhatChangedSinceTheLastOne) {
  auto form = Load({});
  TGlotta* g = GlottaOf(form.get());
  TComponentEntries* comps = g->LanguageManager()->Comps();
  auto entryOf = [&](TComponent* c) -> TComponentEntry* {
    for (int i = 0; i < comps->Count(); ++i)
      if (comps->Items(i)->GetRef() == c) return comps->Items(i);
    return nullptr;
  };
  g->SetLanguage("Deutsch");
  ExpectLanguage(form.get(), "Deutsch");

  // A renamed component is known by its new name at once.
  auto* label = static_cast<TLabel*>(form->FindComponent("Label1"));
  label->SetName("Caption1");
  ASSERT_NE(entryOf(label), nullptr);
  EXPECT_EQ(entryOf(label)->Name(), "Caption1");

  // The memo's translated line is gone: the next switch drops its item, the rest switch.
  auto* memo = static_cast<TMemo*>(form->FindComponent("Memo1"));
  memo->GetLines()->Clear();
  g->SetLanguage("English");
  EXPECT_EQ(label->GetText(), "Label-English");
  EXPECT_EQ(HintText(form.get()), "Hint-English");
  EXPECT_EQ(entryOf(memo), nullptr);

  // A freed sibling's entry goes at once; one that only moves to another owner stays and
  // is still heard of when it is freed there.
  delete form->FindComponent("Button1");
  EXPECT_EQ(comps->Count(), 2);  // the label and the named strings
  TComponent elsewhere(nullptr);
  form->RemoveComponent(label);
  elsewhere.InsertComponent(label);
  ASSERT_NE(entryOf(label), nullptr);
  g->SetLanguage("Deutsch");
  EXPECT_EQ(label->GetText(), "Label-Deutsch");
  delete label;
  EXPECT_EQ(entryOf(label), nullptr);
  g->SetLanguage("English");
  EXPECT_EQ(g->GetString("Greeting"), "Hello-English");
  EXPECT_EQ(Errors.Log, std::vector<String>{});
}

// A setter whose handler frees components in the middle of a switch: the items not yet
// switched are switched from a fresh binding, and no freed component is reached.
TEST_F(GlottaTest, AHandlerThatFreesComponentsDuringASwitch) {
  struct TFreer : TObject {
    std::vector<TComponent*> Victims;
    void Change(TObject*) {
      for (TComponent* c : Victims) delete c;
      Victims.clear();
    }
  } freer;
  TForm form(nullptr, TCreateNew{});
  form.SetName("Form1");
  std::vector<TEdit*> edits;
  for (int i = 0; i < 4; ++i) {
    edits.push_back(new TEdit(&form));
    edits.back()->SetName("Edit" + IntToStr(i));
    edits.back()->SetText("en" + IntToStr(i));
  }
  auto* g = new TGlotta(&form);
  g->SetName("Glotta");
  FillLanguages(g, {"English", "Deutsch"});
  TLanguageManager* m = g->LanguageManager();
  std::vector<TConsistentLangPropertyEntry*> items;
  for (TEdit* e : edits)
    items.push_back(static_cast<TConsistentLangPropertyEntry*>(
        TPropertyEntry::Create(TMainEntry::Create(m->Comps(), e, e->GetName(), "TEdit", {stPubPropObject}), "Text",
                               "", tkLString)));
  m->Init(cmInitAll);
  for (size_t i = 0; i < items.size(); ++i) items[i]->SetLangValue(1, Variant("de" + IntToStr(static_cast<int>(i))));
  // The switch walks the entries from the last: Edit2's handler frees Edit1, not yet
  // switched, and Edit3, already switched.
  freer.Victims = {edits[1], edits[3]};
  edits[2]->OnChange = MakeMethod<&TFreer::Change>(&freer);
  ASSERT_TRUE(m->SetLanguageByIndex(1));
  EXPECT_EQ(edits[0]->GetText(), "de0");
  EXPECT_EQ(edits[2]->GetText(), "de2");
  EXPECT_EQ(m->Comps()->Count(), 2);
  // Edit2's own exchange finished: its English text waits in its slot.
  ASSERT_TRUE(m->SetLanguageByIndex(0));
  EXPECT_EQ(edits[0]->GetText(), "en0");
  EXPECT_EQ(edits[2]->GetText(), "en2");
}

TEST_F(GlottaTest, StartupLanguageFromTheLocaleAndFromTheApplication) {
  struct TCase {
    const char* Name;
    const char* Locale;
    const char* Defined;  // DefineStartupLanguage before the first form
    const char* Opens;
  };
  const TCase cases[] = {
      {"German locale", "de_DE.UTF-8", nullptr, "Deutsch"},
      {"defined before the first form", "de_DE.UTF-8", "English", "English"},
      {"a locale outside the table", "ka_GE.UTF-8", nullptr, "Deutsch"},
      {"a table language the form lacks", "vi_VN.UTF-8", nullptr, "Deutsch"},
  };
  TFormRecipe recipe;
  recipe.StoredIndex = 1;  // saved in German; without a startup language it opens so
  String stream = BuildFormStream(recipe);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    RestartUnit(c.Locale);
    if (c.Defined) DefineStartupLanguage(c.Defined);
    auto form = LoadForm(stream);
    ExpectLanguage(form.get(), c.Opens);
  }
  RestartUnit("de_DE.UTF-8");
  auto form = LoadForm(stream);
  DefineStartupLanguage("English");  // too late: a frame exists
  EXPECT_EQ(UnnamedFrames()->StartupLanguage(), "German");
  // The last frame goes; its language starts the next first frame.
  GlottaOf(form.get())->SetLanguage("English");
  form.reset();
  EXPECT_EQ(UnnamedFrames()->Count(), 0);
  form = LoadForm(stream);
  ExpectLanguage(form.get(), "English");
  EXPECT_EQ(GetCurrentUserLanguage(), "German");
  RestartUnit("vi_VN.UTF-8");
  EXPECT_EQ(GetCurrentUserLanguage(), "Vietnamese");
  RestartUnit("ka_GE.UTF-8");
  EXPECT_EQ(GetCurrentUserLanguage(), "");
}

// A program unit's language file: the stream of one TGlotta with named strings only,
// in a resource linked into this program (registered with its resource table).
String UnitLanguages;
void UnitLangChange(const String& language) { UnitLanguages += language + ";"; }

const String& UnitResourceImage() {
  static const String image = [] {
    RestartUnit();
    TComponent holder(nullptr);
    auto* g = new TGlotta(&holder);
    g->SetName("UnitStrings");
    FillLanguages(g, {"English", "Deutsch"});
    TConsistentLangPropertyEntry* s = g->LanguageManager()->AddString("Greeting");
    g->InitLanguages();
    s->SetLangValue(0, Variant(String("Hello-English")));
    s->SetLangValue(1, Variant(String("Hello-Deutsch")));
    TStringStream stream;
    stream.WriteComponent(g);
    TResourceFile rf;
    rf.Put("UNITSTRINGS", std::vector<Byte>(stream.DataString().begin(), stream.DataString().end()));
    TStringStream out;
    rf.SaveToStream(&out);
    return out.DataString();
  }();
  return image;
}

TEST_F(GlottaTest, AProgramUnitGetsItsStringsAndTheFormsJoinItsFrame) {
  static const bool registered = [] {
    const String& image = UnitResourceImage();
    RegisterModuleResources(reinterpret_cast<const void*>(&UnitLangChange),
                            reinterpret_cast<const Byte*>(image.data()), image.size());
    return true;
  }();
  ASSERT_TRUE(registered);
  TFormRecipe recipe;
  String stream = BuildFormStream(recipe);
  RestartUnit("ka_GE.UTF-8");
  DefineStartupLanguage("Deutsch");
  UnitLanguages.clear();
  TGetString getString;
  InitGlotta("UnitStrings", &UnitLangChange, getString);
  EXPECT_EQ(UnitLanguages, "Deutsch;");
  EXPECT_EQ(getString("Greeting"), "Hello-Deutsch");
  try {
    getString("Farewell");
    FAIL() << "expected EStringNotFound";
  } catch (const EStringNotFound& e) {
    EXPECT_STREQ(e.what(), "Character string identifier not found: Farewell");
  }
  // A form created afterwards joins the unit's frame; its switches reach the unit.
  auto form = LoadForm(stream);
  ExpectLanguage(form.get(), "Deutsch");
  GlottaOf(form.get())->SetLanguage("English");
  EXPECT_EQ(UnitLanguages, "Deutsch;English;");
  EXPECT_EQ(getString("Greeting"), "Hello-English");
  EXPECT_THROW(InitGlotta("NoSuchUnit", &UnitLangChange, getString), EResNotFound);
}

// The editor's library installs a runner; the unit answers for what surrounds it.
TEST_F(GlottaTest, TheEditorOpensOnlyOnLanguageDataAndListenersHearAnAcceptance) {
  static String Opened;
  static bool Accept = false;
  auto form = Load({});
  TGlotta* g = GlottaOf(form.get());
  for (TGlotta* target : {static_cast<TGlotta*>(nullptr), g}) {  // no runner installed yet
    try {
      ExecuteGlottaEditor("", target);
      FAIL() << "expected an exception";
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), "Component editor cannot be started for this component");
    }
  }
  SetGlottaEditorRunner([](const String& title, TGlotta* glotta) {
    Opened = title + ":" + glotta->Owner()->GetName();
    return Accept;
  });
  TRecorder rec;
  g->RegisterChangeNotify(MakeMethod<&TRecorder::Listen>(&rec));
  EXPECT_FALSE(ExecuteGlottaEditor("Unit1.pas", g));
  EXPECT_EQ(Opened, "Unit1.pas:Form1");
  EXPECT_TRUE(rec.Log.empty());
  Accept = true;
  EXPECT_TRUE(ExecuteGlottaEditor("", g));
  EXPECT_EQ(rec.Log, std::vector<String>{"listen:Form1"});
  EXPECT_THROW(ExecuteGlottaEditor("", nullptr), Exception);
  g->UnregisterChangeNotify(MakeMethod<&TRecorder::Listen>(&rec));
  SetGlottaEditorRunner(nullptr);
}

TEST_F(GlottaTest, RulesOfTheComponent) {
  try {
    TGlotta orphan(nullptr);
    FAIL() << "expected an exception";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Component owner for TGlotta required");
  }
  EXPECT_EQ(UnnamedFrames()->Count(), 0);  // nothing was registered

  auto form = Load({});
  TGlotta* g = GlottaOf(form.get());
  try {
    g->SetTopLevel(true);
    FAIL() << "expected an exception";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "TGlotta.TopLevel can only be changed at designing time");
  }
  TStringList names;
  names.Add("old");
  g->LanguageManager()->Langs()->Add()->SetName("Afrikaans");
  g->GetLanguages(&names);
  EXPECT_EQ(names.CommaText(), "Afrikaans,Deutsch,English");

  TForm empty(nullptr, TCreateNew{});
  auto* bare = new TGlotta(&empty);
  EXPECT_EQ(bare->GetLanguage(), "");

  // At design time a dropped component takes the shortest free name.
  TForm designed(nullptr, TCreateNew{});
  designed.SetDesigning(true);
  auto* g1 = new TGlotta(&designed);
  g1->SetName("Glotta1");
  auto* g2 = new TGlotta(&designed);
  g2->SetName("Glotta1");
  EXPECT_EQ(g1->GetName(), "Glotta");
  EXPECT_EQ(g2->GetName(), "Glotta1");
}

}  // namespace
}  // namespace xel::test

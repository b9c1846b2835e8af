// xeldemoforms OUTDIR: the demo's build step. Lays out the demo's windows, enters their
// translations through the language manager as the translation editor would, and stores
// them with the framework's writer: MainForm.dfm, DetailsForm.dfm, ToolsForm.dfm and the
// language file of the unit without a form, DemoStrings.res. Each window is then read back
// and switched to every language to check what was written.
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "DemoForms.h"
#include "DemoTexts.h"
#include "Menus.h"
#include "RegisterControls.h"
#include "ResFile.h"
#include "TextForms.h"

namespace xel::demo {
namespace {

// Every text entered, for the checks of the build step and of the tour.
TDemoTexts gEntered;

// The items of one TGlotta: each property path with its three texts.
class TTranslations {
public:
  explicit TTranslations(TGlotta* glotta) : FGlotta(glotta), FManager(glotta->LanguageManager()) {
    const auto& names = DemoLanguages();
    for (size_t i = 0; i < names.size(); ++i) {
      TLanguageEntry* l = FManager->Langs()->Add();
      l->SetName(names[i]);
      l->SetSubIndex(static_cast<Integer>(i));
    }
  }

  // path: "Caption", "Lines.Strings[1]" or "Panels[0].Text"; the English text is set now.
  void Add(TComponent* c, const String& path, const TTexts& texts) {
    TMainEntry* main = MainOf(c);
    TPropertyEntry* item;
    if (auto dot = path.find('.'); dot == String::npos) {
      SetStrProp(c, path, texts[0]);
      item = TPropertyEntry::Create(main, path, "", tkLString);
    } else {
      String owner = path.substr(0, dot), prop = path.substr(dot + 1);
      TMainEntrySubType sub = owner.find('[') != String::npos ? TMainEntrySubType{stPubPropObject, stCollectionObject}
                                                              : TMainEntrySubType{stTStringsObject};
      TMainEntry* holder = nullptr;
      for (int i = 0; i < main->GetItems()->Count() && !holder; ++i)
        if (main->GetItems()->Items(i)->Name() == owner) holder = main->GetItems()->Items(i);
      if (!holder) holder = TMainEntry::Create(main->GetItems(), nullptr, owner, "", sub);
      item = TPropertyEntry::Create(holder, prop, "", tkLString);
    }
    FItems.push_back({static_cast<TConsistentLangPropertyEntry*>(item), texts});
    gEntered.push_back({WindowName(), c->GetName(), path, texts});
  }
  void AddString(const String& name, const TTexts& texts) {
    FStrings.push_back({FManager->AddString(name), texts});
    gEntered.push_back({WindowName(), "", name, texts});
  }

  // Gives every item its slots and fills the translations; slot 0 is the live property.
  void Finish() {
    FManager->Init(cmInitAll);
    for (auto* items : {&FStrings, &FItems})
      for (auto& [item, texts] : *items)
        for (int slot = 0; slot < 3; ++slot) item->SetLangValue(slot, Variant(texts[static_cast<size_t>(slot)]));
  }

private:
  String WindowName() const { return FGlotta->Owner() && !FGlotta->Owner()->GetName().empty() ? FGlotta->Owner()->GetName() : FGlotta->GetName(); }
  TMainEntry* MainOf(TComponent* c) {
    for (int i = 0; i < FManager->Comps()->Count(); ++i)
      if (FManager->Comps()->Items(i)->Object() == c) return FManager->Comps()->Items(i);
    return TMainEntry::Create(FManager->Comps(), c, c->GetName(), c->ClassName(), {stPubPropObject});
  }
  TGlotta* FGlotta;
  TLanguageManager* FManager;
  std::vector<std::pair<TConsistentLangPropertyEntry*, TTexts>> FItems, FStrings;
};

template <class T>
T* Make(TComponent* owner, TWinControl* parent, const String& name, TRect bounds) {
  auto* c = new T(owner);
  c->SetName(name);
  c->SetParent(parent);
  c->SetBoundsRect(bounds);
  return c;
}

TGlotta* AddGlotta(TForm* form, const String& domain) {
  auto* g = new TGlotta(form);
  g->SetName("Glotta");
  g->SetDomain(domain);
  return g;
}

TLangComboBox* AddLangCombo(TForm* form, TGlotta* glotta, TRect bounds) {
  auto* box = Make<TLangComboBox>(form, form, "LangCombo", bounds);
  box->SetGlotta(glotta);
  return box;
}

TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const String& name, TShortCut shortCut = 0,
                   TNotifyEvent onClick = nullptr) {
  auto* item = new TMenuItem(owner);
  item->SetName(name);
  item->SetShortCut(shortCut);
  item->OnClick = onClick;
  parent->Add(item);
  return item;
}

// A window at its place with its client size, the demo's font and its TGlotta.
TGlotta* Prepare(TForm* form, const String& name, TRect place, const String& domain) {
  form->SetName(name);
  form->SetBorderStyle(bsSingle);
  form->SetPosition(poDesigned);
  form->SetLeft(place.Left);
  form->SetTop(place.Top);
  form->SetClientWidth(place.Width());
  form->SetClientHeight(place.Height());
  form->GetFont()->SetName("MS Sans Serif");
  form->GetFont()->SetHeight(-12);
  return AddGlotta(form, domain);
}

std::unique_ptr<TForm> BuildMainForm() {
  auto form = std::make_unique<TDemoMainForm>(nullptr, TCreateNew{});
  TDemoMainForm* f = form.get();
  TGlotta* g = Prepare(f, "MainForm", Bounds(60, 60, 440, 330), "");
  g->OnChange = MakeMethod<&TDemoMainForm::GlottaChange>(f);
  TTranslations t(g);
  t.Add(f, "Caption", {"Xel Glotta Demo", "Xel Glotta Demo", "D\xC3\xA9mo Xel Glotta"});

  auto* menu = new TMainMenu(f);
  menu->SetName("MainMenu");
  f->SetMenu(menu);
  TMenuItem* file = AddItem(f, menu->Items(), "FileMenu");
  t.Add(file, "Caption", {"&File", "&Datei", "&Fichier"});
  TMenuItem* details = AddItem(f, file, "DetailsItem", scCtrl + 'D', MakeMethod<&TDemoMainForm::DetailsClick>(f));
  t.Add(details, "Caption", {"&Details...", "&Einzelheiten...", "&D\xC3\xA9tails..."});
  TMenuItem* tools = AddItem(f, file, "ToolsItem", scCtrl + 'T', MakeMethod<&TDemoMainForm::ToolsClick>(f));
  t.Add(tools, "Caption", {"&Tools...", "&Werkzeuge...", "&Outils..."});
  TMenuItem* translate = AddItem(f, file, "TranslateItem", 0, MakeMethod<&TDemoMainForm::TranslateClick>(f));
  t.Add(translate, "Caption", {"T&ranslate...", "\xC3\x9C&bersetzen...", "T&raduire..."});
  AddItem(f, file, "N1")->SetCaption("-");
  TMenuItem* exitItem = AddItem(f, file, "ExitItem", scAlt + 'X', MakeMethod<&TDemoMainForm::ExitClick>(f));
  t.Add(exitItem, "Caption", {"E&xit", "&Beenden", "&Quitter"});
  TMenuItem* help = AddItem(f, menu->Items(), "HelpMenu");
  t.Add(help, "Caption", {"&Help", "&Hilfe", "&Aide"});
  TMenuItem* about = AddItem(f, help, "AboutItem", VK_F1, MakeMethod<&TDemoMainForm::AboutClick>(f));
  t.Add(about, "Caption", {"&About...", "\xC3\x9C&ber...", "\xC3\x80 &propos..."});

  auto* title = Make<TLabel>(f, f, "LabelTitle", Bounds(12, 12, 300, 16));
  title->GetFont()->SetStyle({fsBold});
  t.Add(title, "Caption",
        {"Welcome to the multilingual demo", "Willkommen in der mehrsprachigen Demo",
         "Bienvenue dans la d\xC3\xA9mo multilingue"});
  auto* langLabel = Make<TLabel>(f, f, "LabelLanguage", Bounds(12, 40, 80, 16));
  t.Add(langLabel, "Caption", {"&Language:", "&Sprache:", "&Langue :"});
  TLangComboBox* combo = AddLangCombo(f, g, Bounds(100, 38, 150, 21));
  langLabel->SetFocusControl(combo);

  auto* memo = Make<TMemo>(f, f, "Memo", Bounds(12, 72, 280, 100));
  memo->SetReadOnly(true);
  memo->GetLines()->SetText("1\n2\n3");
  t.Add(memo, "Lines.Strings[0]",
        {"Every text on these windows is stored", "Jeder Text dieser Fenster ist f\xC3\xBCr jede",
         "Chaque texte de ces fen\xC3\xAAtres est stock\xC3\xA9"});
  t.Add(memo, "Lines.Strings[1]",
        {"for each language inside the form file.", "Sprache in der Formulardatei gespeichert.",
         "pour chaque langue, dans la fiche m\xC3\xAAme."});
  t.Add(memo, "Lines.Strings[2]",
        {"Pick a language to switch them all.", "W\xC3\xA4hlen Sie eine Sprache f\xC3\xBCr alle Fenster.",
         "Choisissez une langue pour tout basculer."});
  auto* listLabel = Make<TLabel>(f, f, "LabelTopics", Bounds(300, 52, 128, 16));
  t.Add(listLabel, "Caption", {"Translated:", "\xC3\x9C" "bersetzt:", "Traduit :"});
  auto* list = Make<TListBox>(f, f, "TopicList", Bounds(300, 72, 128, 100));
  list->GetItems()->SetText("1\n2\n3\n4");
  const TTexts topics[] = {{"Captions", "Beschriftungen", "Libell\xC3\xA9s"},
                           {"Hints", "Hinweise", "Info-bulles"},
                           {"List lines", "Listenzeilen", "Lignes de liste"},
                           {"Messages", "Meldungen", "Messages"}};
  for (int i = 0; i < 4; ++i) t.Add(list, "Items.Strings[" + IntToStr(i) + "]", topics[i]);

  struct TButtonDef {
    const char* Name;
    TNotifyEvent Handler;
    TTexts Caption, Hint;
  };
  const TButtonDef buttons[] = {
      {"ButtonDetails", MakeMethod<&TDemoMainForm::DetailsClick>(f), {"&Details...", "&Einzelheiten...", "&D\xC3\xA9tails..."},
       {"Opens the second window", "\xC3\x96" "ffnet das zweite Fenster", "Ouvre la deuxi\xC3\xA8me fen\xC3\xAAtre"}},
      {"ButtonMessage", MakeMethod<&TDemoMainForm::MessageClick>(f), {"&Message", "&Meldung", "&Message"},
       {"Shows a message from the program", "Zeigt eine Meldung des Programms",
        "Affiche un message du programme"}},
      {"ButtonTools", MakeMethod<&TDemoMainForm::ToolsClick>(f), {"&Tools...", "&Werkzeuge...", "&Outils..."},
       {"Opens a window with a language of its own", "\xC3\x96" "ffnet ein Fenster mit eigener Sprache",
        "Ouvre une fen\xC3\xAAtre avec sa propre langue"}},
  };
  Integer x = 12;
  for (const TButtonDef& b : buttons) {
    auto* button = Make<TButton>(f, f, b.Name, Bounds(x, 190, 130, 25));
    button->SetShowHint(true);
    button->OnClick = b.Handler;
    t.Add(button, "Caption", b.Caption);
    t.Add(button, "Hint", b.Hint);
    x += 142;
  }
  auto* status = Make<TStatusBar>(f, f, "StatusBar", Bounds(0, 311, 440, 19));
  status->SetAlign(alBottom);
  status->GetPanels()->Add()->SetWidth(120);
  status->GetPanels()->Add()->SetWidth(200);
  t.AddString("MessageText",
              {"This message comes from the program's code. The language is %s.",
               "Diese Meldung kommt aus dem Programmcode. Die Sprache ist %s.",
               "Ce message vient du code du programme. La langue est : %s."});
  t.AddString("AboutText",
              {"A demonstration of multilingual windows.", "Eine Vorf\xC3\xBChrung mehrsprachiger Fenster.",
               "Une d\xC3\xA9monstration de fen\xC3\xAAtres multilingues."});
  t.Finish();
  return form;
}

// What the secondary windows share: a line of text, the language box with its label, and
// a Close button in the bottom right corner.
void AddCommonParts(TForm* f, TTranslations& t, TGlotta* g, const TTexts& info, TNotifyEvent onClose) {
  const Integer width = f->GetClientWidth(), height = f->GetClientHeight();
  t.Add(Make<TLabel>(f, f, "LabelInfo", Bounds(12, 12, width - 24, 16)), "Caption", info);
  t.Add(Make<TLabel>(f, f, "LabelLanguage", Bounds(12, 44, 80, 16)), "Caption", {"Language:", "Sprache:", "Langue :"});
  AddLangCombo(f, g, Bounds(100, 40, 150, 21));
  auto* close = Make<TButton>(f, f, "ButtonClose", Bounds(width - 98, height - 36, 86, 25));
  close->SetCancel(true);
  close->OnClick = onClose;
  t.Add(close, "Caption", {"&Close", "&Schlie\xC3\x9F" "en", "&Fermer"});
}

std::unique_ptr<TForm> BuildDetailsForm() {
  auto form = std::make_unique<TDemoDetailsForm>(nullptr, TCreateNew{});
  TDemoDetailsForm* f = form.get();
  TGlotta* g = Prepare(f, "DetailsForm", Bounds(520, 60, 380, 170), "");
  TTranslations t(g);
  t.Add(f, "Caption", {"Details", "Einzelheiten", "D\xC3\xA9tails"});
  AddCommonParts(f, t, g,
                 {"This window follows the main window's language.", "Dieses Fenster folgt der Sprache des Hauptfensters.",
                  "Cette fen\xC3\xAAtre suit la langue principale."},
                 MakeMethod<&TDemoDetailsForm::CloseClick>(f));
  auto* check = Make<TCheckBox>(f, f, "CheckHints", Bounds(12, 76, 356, 17));
  check->SetChecked(true);
  t.Add(check, "Caption", {"Show &hints", "&Hinweise anzeigen", "Afficher les &info-bulles"});
  t.Finish();
  return form;
}

std::unique_ptr<TForm> BuildToolsForm() {
  auto form = std::make_unique<TDemoToolsForm>(nullptr, TCreateNew{});
  TDemoToolsForm* f = form.get();
  TGlotta* g = Prepare(f, "ToolsForm", Bounds(520, 280, 320, 200), "Tools");
  TTranslations t(g);
  t.Add(f, "Caption", {"Tools", "Werkzeuge", "Outils"});
  AddCommonParts(f, t, g,
                 {"This window has a language of its own.", "Dieses Fenster hat eine eigene Sprache.",
                  "Cette fen\xC3\xAAtre a sa propre langue."},
                 MakeMethod<&TDemoToolsForm::CloseClick>(f));
  auto* group = Make<TGroupBox>(f, f, "GroupUnits", Bounds(12, 74, 296, 76));
  t.Add(group, "Caption", {"Units", "Einheiten", "Unit\xC3\xA9s"});
  auto* metric = Make<TRadioButton>(f, group, "RadioMetric", Bounds(12, 22, 270, 17));
  metric->SetChecked(true);
  t.Add(metric, "Caption", {"&Metric", "&Metrisch", "&M\xC3\xA9trique"});
  auto* imperial = Make<TRadioButton>(f, group, "RadioImperial", Bounds(12, 46, 270, 17));
  t.Add(imperial, "Caption", {"&Imperial", "&Angloamerikanisch", "&Imp\xC3\xA9rial"});
  t.Finish();
  return form;
}

// The unit's language file: one owner-less TGlotta with named strings only.
String BuildUnitStrings() {
  TComponent holder(nullptr);
  auto* g = new TGlotta(&holder);
  g->SetName("DemoStrings");
  TTranslations t(g);
  t.AddString("StatusReady", {"Ready", "Bereit", "Pr\xC3\xAAt"});
  t.Finish();
  TStringStream stream;
  stream.WriteComponent(g);
  TResourceFile rf;
  const String& data = stream.DataString();
  rf.Put("DEMOSTRINGS", std::vector<Byte>(data.begin(), data.end()));
  TStringStream out;
  rf.SaveToStream(&out);
  return out.DataString();
}

void WriteFile(const std::filesystem::path& path, const String& data) {
  std::ofstream out(path, std::ios::binary);
  out.write(data.data(), static_cast<std::streamsize>(data.size()));
  if (!out) throw EInOutError("Cannot write " + path.string());
}

template <class T>
std::unique_ptr<TForm> Blank() {
  return std::make_unique<T>(nullptr, TCreateNew{});
}

// Reads a written window back and checks every text it was given, in every language.
void Check(const String& binary, std::unique_ptr<TForm> form) {
  TStringStream s(binary);
  s.ReadComponent(form.get());
  auto* g = static_cast<TGlotta*>(form->FindComponent("Glotta"));
  for (const String& language : DemoLanguages()) {
    g->SetLanguage(language);
    std::vector<String> differences = CompareDemoTexts(form.get(), gEntered);
    if (!differences.empty()) throw Exception("The stored window differs: " + differences.front());
  }
  g->SetLanguage(DemoLanguages()[0]);
}

}  // namespace
}  // namespace xel::demo

int main(int argc, char** argv) {
  using namespace xel;
  using namespace xel::demo;
  if (argc != 2) {
    std::fprintf(stderr, "usage: xeldemoforms OUTDIR\n");
    return 2;
  }
  try {
    RegisterCoreClasses();
    RegisterControlClasses();
    RegisterGlottaClasses();
    RegisterDemoClasses();
    std::filesystem::path dir(argv[1]);
    std::filesystem::create_directories(dir);
    struct TWindow {
      const char* File;
      std::unique_ptr<TForm> (*Build)();
      std::unique_ptr<TForm> (*Blank)();
    };
    const TWindow windows[] = {
        {"MainForm.dfm", BuildMainForm, Blank<TDemoMainForm>},
        {"DetailsForm.dfm", BuildDetailsForm, Blank<TDemoDetailsForm>},
        {"ToolsForm.dfm", BuildToolsForm, Blank<TDemoToolsForm>},
    };
    for (const TWindow& w : windows) {
      InitializeGlottaUnit();
      TStringStream s;
      {
        std::unique_ptr<TForm> form = w.Build();
        s.WriteComponent(form.get());
      }
      Check(s.DataString(), w.Blank());
      WriteFile(dir / w.File, ObjectBinaryToText(s.DataString()));
      FinalizeGlottaUnit();
    }
    InitializeGlottaUnit();
    WriteFile(dir / "DemoStrings.res", BuildUnitStrings());
    FinalizeGlottaUnit();
    TResourceFile texts;
    const String entered = SaveDemoTexts(gEntered);
    texts.Put("DEMOTEXTS", std::vector<Byte>(entered.begin(), entered.end()));
    TStringStream out;
    texts.SaveToStream(&out);
    WriteFile(dir / "DemoTexts.res", out.DataString());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "xeldemoforms: %s\n", e.what());
    return 1;
  }
}

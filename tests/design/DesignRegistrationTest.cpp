// What the design package announces to the designer: the palette, the component editors'
// verbs and the property editors of TGlotta, the About box, and the size editor of the
// form base.
#include "ButtonPanel.h"
#include "ComponentExplorerDialog.h"
#include "ConfigFile.h"
#include "DesignPackageFixture.h"
#include "DsgnRegistry.h"
#include "NetTypes.h"
#include "GlottaReg.h"
#include "LogFile.h"
#include "StdCtrls.h"
#include "SuperFormEditor.h"
#include "ToolLibReg.h"

namespace xel::test {
namespace {

const char* const kUnit = "unit Unit1;\r\n\r\ninterface\r\n\r\nimplementation\r\n\r\n{$R *.DFM}\r\n\r\nend.\r\n";
const char* const kForm =
    "object Form1: TSuperForm\n  Left = 10\n  Top = 10\n  Width = 320\n  Height = 200\n  Caption = 'Form1'\n"
    "  object Glotta: TGlotta\n    Left = 8\n    Top = 8\n  end\n"
    "  object Glotta2: TGlotta\n    Left = 40\n    Top = 8\n  end\n"
    "end\n";

class DesignRegistrationTest : public DesignPackageTest {
protected:
  void SetUp() override {
    DesignPackageTest::SetUp();
    WriteFileAtomically(Dir + "Unit1.pas", kUnit);
    WriteFileAtomically(Dir + "Unit1.dfm", kForm);
    Designer->Open(Dir + "Unit1.pas");
    Glotta = dynamic_cast<TGlotta*>(Designer->GetRoot()->FindComponent("Glotta"));
    ASSERT_NE(Glotta, nullptr);
  }
  // The text and caption of the next host message box, answered with OK.
  std::pair<String, String> ShownBox(const std::function<void()>& action) {
    std::pair<String, String> shown;
    TModalScript script([&](TCustomForm* form) {
      auto* message = dynamic_cast<TLabel*>(form->FindComponent("Message"));
      if (!message) return;
      shown = {message->GetText(), form->GetText()};
      Headless::PressKey(form, VK_RETURN);
    });
    action();
    return shown;
  }
  TGlotta* Glotta = nullptr;
};

TEST_F(DesignRegistrationTest, PaletteHasItsTwoPagesWithABitmapPerClass) {
  std::vector<String> xelTools, xel;
  for (const TPaletteEntry& e : PaletteClasses()) {
    if (e.Page == "XelTools") xelTools.push_back(e.Class->ClassName());
    if (e.Page == "Xel") xel.push_back(e.Class->ClassName());
  }
  EXPECT_EQ(xelTools, (std::vector<String>{"TFileSearch", "TFileDelete", "TLogFile", "TKeepDirectory", "TEditEx",
                                           "TComboBoxEx", "TColorPanel", "TComponentExplorer", "TStrList", "TLabelEx",
                                           "TConfigFile", "TComponentExplorerDialog", "TMRUComboBox", "TGlotta",
                                           "TLangComboBox"}));
  EXPECT_EQ(xel, (std::vector<String>{"TButtonPanel", "TSortGrid", "TEnumComboBox", "TURLLabel", "TVersionInfo",
                                      "TXelInfoPanel", "TXelInfo", "TSortGridEx", "TSyncThread"}));
  for (const TPaletteEntry& e : PaletteClasses()) {
    if (e.Page != "Xel" && e.Page != "XelTools") continue;
    EXPECT_TRUE(PaletteBitmap(e.Class)) << e.Class->ClassName();
    // The palette drops the class by its name.
    EXPECT_EQ(GetClass(e.Class->ClassName()), e.Class);
  }
}

TEST_F(DesignRegistrationTest, GlottaEditorVerbsOpenTheEditorOrTheAboutBox) {
  Designer->Select(Glotta);
  EXPECT_EQ(Designer->Verbs(), (std::vector<String>{"Edit Languages...", "About"}));
  GlottaModule->SetLanguage("Deutsch");
  EXPECT_EQ(Designer->Verbs(), (std::vector<String>{"Sprachen bearbeiten...", "Info..."}));
  GlottaModule->SetLanguage("English");
  // Accepted edits mark the form changed, rejected ones do not; a double-click is verb 0.
  bool accept = false;
  TEditorScript::Run = [&](const String& title, TGlotta* g) {
    EXPECT_EQ(title, "");
    EXPECT_EQ(g, Glotta);
    return accept;
  };
  Designer->ExecuteVerb(0);
  EXPECT_EQ(TEditorScript::Titles.size(), 1u);
  EXPECT_FALSE(Designer->Current()->Modified());
  accept = true;
  Designer->EditComponent();
  EXPECT_EQ(TEditorScript::Titles.size(), 2u);
  EXPECT_TRUE(Designer->Current()->Modified());
  // An editor that cannot start raises to the designer, and nothing is marked.
  Designer->Current()->Save();
  SetGlottaEditorRunner(nullptr);
  EXPECT_THROW(Designer->ExecuteVerb(0), Exception);
  EXPECT_FALSE(Designer->Current()->Modified());

  const auto [text, caption] = ShownBox([&] { Designer->ExecuteVerb(1); });
  EXPECT_EQ(caption, "Information");
  EXPECT_EQ(text, GlottaModule->GetString("AboutNotice"));
  EXPECT_FALSE(Designer->Current()->Modified());
}

TEST_F(DesignRegistrationTest, GlottaEditorWithoutMessageModuleHasEmptyVerbs) {
  TGlottaEditor editor(Glotta, nullptr);
  TGlottaModule* module = GlottaModule;
  GlottaModule = nullptr;
  EXPECT_EQ(editor.GetVerb(0), "");
  EXPECT_EQ(editor.GetVerb(1), "");
  EXPECT_EQ(editor.GetVerbCount(), 2);
  const auto [text, caption] = ShownBox([&] { editor.ExecuteVerb(1); });
  GlottaModule = module;
  EXPECT_EQ(caption, "Information");
  EXPECT_FALSE(text.empty());
}

TEST_F(DesignRegistrationTest, PropertyEditorsOfGlottaOfferDomainsLanguagesAndTheEditor) {
  // Domains of other components, the package's own hidden one left out.
  TComponent owner(nullptr);
  (new TGlotta(&owner))->SetDomain("Alpha");
  (new TGlotta(&owner))->SetDomain(".Hidden");
  Designer->Select(Glotta);
  const std::vector<String> domains = Designer->PropertyValues("Domain");
  EXPECT_NE(std::find(domains.begin(), domains.end(), "Alpha"), domains.end());
  for (const String& d : domains) EXPECT_FALSE(d.starts_with(".")) << d;
  Designer->SetPropertyValue("Domain", "Anything");
  EXPECT_EQ(Glotta->GetDomain(), "Anything");
  // The component's own languages, in its order.
  TEditorScript::Run = [](const String&, TGlotta* g) {
    for (const char* name : {"English", "Deutsch"}) {
      TLanguageEntry* l = g->LanguageManager()->Langs()->Add();
      l->SetName(name);
      l->SetSubIndex(g->LanguageManager()->GetLangCount() - 1);
    }
    g->InitLanguages();
    return true;
  };
  EXPECT_EQ(Designer->PropertyValues("Language"), std::vector<String>{});
  Designer->EditProperty("Languages");
  EXPECT_TRUE(Designer->Current()->Modified());
  TStringList expected;
  Glotta->GetLanguages(&expected);
  std::vector<String> languages;
  for (int i = 0; i < expected.Count(); ++i) languages.push_back(expected[i]);
  EXPECT_EQ(Designer->PropertyValues("Language"), languages);
  EXPECT_EQ(languages.size(), 2u);
  // Languages is a dialog with a fixed text.
  EXPECT_EQ(Designer->PropertyAttributes("Languages"), (TPropertyAttributes{paDialog, paReadOnly}));
  bool shown = false;
  for (const TInspectorRow& r : Designer->InspectorRows()) shown |= r.Name == "Languages" && r.Value == "(TLanguages)";
  EXPECT_TRUE(shown);
  // Two components: none of the three is offered.
  Designer->Select(Designer->GetRoot()->FindComponent("Glotta2"), true);
  for (const TInspectorRow& r : Designer->InspectorRows())
    EXPECT_TRUE(r.Name != "Domain" && r.Name != "Language" && r.Name != "Languages") << r.Name;
}

TEST_F(DesignRegistrationTest, ToolComponentsOfferAboutAndTheFormItsSizeEditor) {
  TComponent* log = Designer->DropComponent(TLogFile::StaticClass(), nullptr, 60, 8);
  Designer->Select(log);
  EXPECT_EQ(Designer->Verbs(), std::vector<String>{"About..."});
  const auto [text, caption] = ShownBox([&] { Designer->ExecuteVerb(0); });
  EXPECT_EQ(caption, "Information");

  // The designer reads forms into a stand-in of their class: the form base offers its verb.
  Designer->Select(Designer->GetRoot());
  EXPECT_EQ(Designer->Verbs(), std::vector<String>{"Edit SuperForm..."});
}

TEST_F(DesignRegistrationTest, ButtonEditorsMakeButtonSetsAndSizes) {
  auto* panel = static_cast<TButtonPanel*>(Designer->DropComponent(TButtonPanel::StaticClass(), nullptr, 0, 100));
  EXPECT_EQ(Designer->Verbs(), (std::vector<String>{"OK", "OK, Cancel", "OK, Cancel, Help", "Yes, No",
                                                    "Yes, No, Cancel", "-", "Large Buttons", "Small Buttons"}));
  Designer->Current()->Save();
  Designer->ExecuteVerb(4);
  std::vector<String> captions;
  for (int i = 0; i < panel->GetButtons()->Count(); ++i) captions.push_back(panel->GetButtons()->Items(i)->GetCaption());
  EXPECT_EQ(captions, (std::vector<String>{"&Yes", "&No", "Cancel"}));
  EXPECT_TRUE(panel->GetButtons()->Items(2)->GetCancel());
  EXPECT_TRUE(Designer->Current()->Modified());
  Designer->ExecuteVerb(0);
  EXPECT_EQ(panel->GetButtons()->Count(), 1);
  Designer->ExecuteVerb(6);
  EXPECT_EQ(panel->GetButtonDimX(), 128);
  EXPECT_EQ(panel->GetButtonDimY(), 32);
  // The separator does nothing.
  Designer->Current()->Save();
  Designer->ExecuteVerb(5);
  EXPECT_FALSE(Designer->Current()->Modified());

  auto* button = static_cast<TButton*>(Designer->DropComponent(TButton::StaticClass(), nullptr, 8, 40));
  EXPECT_EQ(Designer->Verbs(), (std::vector<String>{"OK", "Cancel", "Help", "-", "Large Button", "Small Button"}));
  Designer->ExecuteVerb(1);
  EXPECT_EQ(button->GetText(), "Cancel");
  EXPECT_EQ(button->GetModalResult(), mrCancel);
  EXPECT_TRUE(button->GetCancel());
  EXPECT_FALSE(button->GetDefault());
  Designer->ExecuteVerb(4);
  EXPECT_EQ(button->Width(), 128);
  EXPECT_EQ(button->Left(), 8);
}

TEST_F(DesignRegistrationTest, ConfigFileEditorsChooseTheStoredPropertiesInTheExplorer) {
  auto* config = static_cast<TConfigFile*>(Designer->DropComponent(TConfigFile::StaticClass(), nullptr, 80, 8));
  EXPECT_EQ(Designer->Verbs(), (std::vector<String>{"Edit...", "About"}));
  // The explorer dialog on the form's components: the script moves every property or none
  // over, then closes with OK or Cancel.
  std::vector<bool> storedAtStart;
  auto explorer = [&](bool all, bool ok) {
    return [&storedAtStart, all, ok](TCustomForm* form) {
      auto* dialog = dynamic_cast<TCEDialogForm*>(form);
      if (!dialog) return;
      TComponentExplorerForm* ex = dialog->Explorer()->ExplorerForm();
      storedAtStart.push_back(ex->TreeDest()->GetItems()->GetFirstNode()->HasChildren());
      Headless::Click(all ? ex->BtnAddAllProps() : ex->BtnDelAllProps());
      Headless::Click(dialog->ButtonPanel()->GetButtons()->Items(ok ? 0 : 1)->Button());
    };
  };
  struct TCase {
    bool All, Ok;
    bool Modified;
    bool Stored;  // whether the configuration file stores properties afterwards
  };
  const TCase cases[] = {{true, false, false, false}, {true, true, true, true}, {false, false, false, true},
                         {false, true, true, false}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.All << c.Ok);
    Designer->Current()->Save();
    TModalScript script(explorer(c.All, c.Ok));
    Designer->ExecuteVerb(0);
    EXPECT_EQ(Designer->Current()->Modified(), c.Modified);
    EXPECT_EQ(config->Entries()->Count() > 0, c.Stored);
  }
  // The dialog starts from what the file stores.
  EXPECT_EQ(storedAtStart, (std::vector<bool>{false, false, true, true}));
  const auto [text, caption] = ShownBox([&] { Designer->ExecuteVerb(1); });
  EXPECT_EQ(caption, "Information");

  // The pseudo-property and the file name, each with its dialog.
  bool shown = false;
  for (const TInspectorRow& r : Designer->InspectorRows()) shown |= r.Name == "ConfigFile" && r.Value == "(TConfigFile)";
  EXPECT_TRUE(shown);
  EXPECT_EQ(Designer->PropertyAttributes("ConfigFile"), (TPropertyAttributes{paDialog, paReadOnly}));
  Designer->Current()->Save();
  {
    TModalScript script(explorer(true, true));
    Designer->EditProperty("ConfigFile");
  }
  EXPECT_TRUE(Designer->Current()->Modified());
  EXPECT_GT(config->Entries()->Count(), 0);

  EXPECT_TRUE(Designer->PropertyAttributes("FileName").Contains(paDialog));
  Designer->SetPropertyValue("FileName", "old.cfg");
  std::vector<String> presets;
  bool accept = false;
  TDialogScript files([&](TCommonDialog* d) {
    auto* open = dynamic_cast<TOpenDialog*>(d);
    if (!open) return false;
    EXPECT_EQ(open->GetFilter(), "All files (*.*)|*.*|Initialization files (*.cfg;*.ini)|*.cfg;*.ini|");
    presets.push_back(open->GetFileName());
    open->SetFileName(Dir + "settings/App.ini");
    return accept;
  });
  Designer->EditProperty("FileName");
  EXPECT_EQ(config->GetFileNameProp(), "old.cfg");
  accept = true;
  Designer->EditProperty("FileName");
  EXPECT_EQ(config->GetFileNameProp(), "App.ini");
  EXPECT_EQ(presets, (std::vector<String>{"old.cfg", "old.cfg"}));
}

// A component with a port of each protocol.
class TPortHolder : public TComponent {
  XEL_CLASS(TPortHolder, TComponent)
public:
  using TComponent::TComponent;
  static auto Published() {
    return PropTable<TPortHolder>(Prop("Listen", &TPortHolder::FListen, &TPortHolder::FListen),
                                  Prop("Send", &TPortHolder::FSend, &TPortHolder::FSend));
  }
  TTCPPort FListen = TTCPPort(8080);
  TUDPPort FSend = TUDPPort(514);
};

TEST_F(DesignRegistrationTest, PortEditorsTakeNumbersAndServicesOfTheirProtocolOnly) {
  TPortHolder holder(nullptr);
  auto editorOf = [&](const char* name) {
    std::unique_ptr<TPropertyEditor> editor(CreatePropertyEditor(TPortHolder::StaticClass(), GetPropInfo(&holder, name)));
    editor->Initialize(nullptr, {&holder}, GetPropInfo(&holder, name));
    return editor;
  };
  std::unique_ptr<TPropertyEditor> tcp = editorOf("Listen"), udp = editorOf("Send");
  EXPECT_TRUE(Is<TTCPPortProperty>(tcp.get()));
  EXPECT_TRUE(Is<TUDPPortProperty>(udp.get()));
  EXPECT_EQ(tcp->GetValue(), "8080");
  struct TCase {
    TPropertyEditor* Editor;
    const char* Text;
    Integer Port;  // -1: refused, the value stays
  };
  const TCase cases[] = {
      {tcp.get(), "80", 80},      {tcp.get(), " 65535 ", 65535}, {tcp.get(), "0", 0},       {tcp.get(), "http", 80},
      {tcp.get(), "65536", -1},   {tcp.get(), "-1", -1},         {tcp.get(), "", -1},       {tcp.get(), "no-such-service", -1},
      {udp.get(), "domain", 53},  {udp.get(), "http", -1},       {udp.get(), "70000", -1},  {udp.get(), "123", 123},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    const String before = c.Editor->GetValue();
    if (c.Port < 0) {
      EXPECT_THROW(c.Editor->SetValue(c.Text), EPropertyError);
      EXPECT_EQ(c.Editor->GetValue(), before);
    } else {
      c.Editor->SetValue(c.Text);
      EXPECT_EQ(c.Editor->GetValue(), IntToStr(c.Port));
    }
  }
}

// Counts what the size editor tells the designer.
struct TCountingDesigner : TFormDesigner {
  void Modified() override { ++Count; }
  TComponent* GetRoot() const override { return nullptr; }
  int Count = 0;
};

TEST_F(DesignRegistrationTest, SizeEditorChangesTheTrackingSizesOnlyWhenAccepted) {
  std::unique_ptr<TSuperForm> form(new TSuperForm(nullptr, TCreateNew{}));
  form->SetBounds(0, 0, 400, 300);
  TCountingDesigner designer;
  TSuperFormModule module(form.get(), &designer);
  EXPECT_EQ(module.GetVerbCount(), 1);
  std::vector<String> titles;
  auto script = [&titles](bool ok) {
    return [&titles, ok](TCustomForm* f) {
      auto* editor = dynamic_cast<TSuperFormEditorForm*>(f);
      if (!editor) return;
      titles.push_back(editor->GetText());
      editor->MinEnabled()->SetChecked(true);
      editor->MinCurrent()->Click();
      editor->MaxWidth()->SetText("900");
      editor->SetModalResult(ok ? mrOk : mrCancel);
    };
  };
  {
    TModalScript cancel(script(false));
    module.ExecuteVerb(0);
  }
  EXPECT_FALSE(form->GetSizeMinTrack()->GetEnabled());
  EXPECT_EQ(designer.Count, 0);
  {
    TModalScript ok(script(true));
    module.ExecuteVerb(0);
  }
  EXPECT_EQ(titles, (std::vector<String>{"Window Size Limits", "Window Size Limits"}));
  EXPECT_TRUE(form->GetSizeMinTrack()->GetEnabled());
  EXPECT_EQ(form->GetSizeMinTrack()->GetSizeX(), 400);
  EXPECT_EQ(form->GetSizeMinTrack()->GetSizeY(), 300);
  EXPECT_EQ(form->GetSizeMaxTrack()->GetSizeX(), 900);
  EXPECT_EQ(designer.Count, 1);
  // Accepting without a change is no change.
  {
    TModalScript ok(script(true));
    module.ExecuteVerb(0);
  }
  EXPECT_EQ(designer.Count, 1);
  // The pseudo-property shows its fixed text and opens the same editor.
  TSuperFormPropertyEditor editor;
  editor.Initialize(&designer, {form.get()}, GetPropInfo(form.get(), "SuperForm"));
  EXPECT_EQ(editor.GetValue(), "(TSuperForm)");
  EXPECT_EQ(editor.GetAttributes(), (TPropertyAttributes{paDialog, paReadOnly}));
  {
    TModalScript ok(script(true));
    form->GetSizeMaxTrack()->SetSizeX(0);
    editor.Edit();
  }
  EXPECT_EQ(titles.size(), 4u);
  EXPECT_EQ(designer.Count, 2);
}

}  // namespace
}  // namespace xel::test

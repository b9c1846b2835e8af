// The designer driven headless: a module with a form, selection, the inspector through
// registered editors, component editor verbs, an expert's menu items, the editor buffer,
// saving, and design packages from the registry store.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "Designer.h"
#include "Expand.h"
#include "Grids.h"
#include "GlottaDocument.h"
#include "HeadlessWidgetSet.h"
#include "Registry.h"
#include "RegisterControls.h"
#include "StdCtrls.h"
#include "TextForms.h"

using namespace xel;

namespace {

struct TIdeEnvironment : testing::Environment {
  void SetUp() override {
    RegisterCoreClasses();
    RegisterControlClasses();
    RegisterGlottaClasses();
    InstallHeadlessWidgetSet();
  }
};
[[maybe_unused]] testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new TIdeEnvironment);

const char* const kUnit =
    "unit Unit1;\r\n\r\ninterface\r\n\r\nuses Forms;\r\n\r\nimplementation\r\n\r\n{$R *.DFM}\r\n\r\nend.\r\n";
const char* const kForm =
    "object Form1: TForm1\n"
    "  Left = 10\n  Top = 10\n  Width = 320\n  Height = 200\n  Caption = 'Form1'\n"
    "  object Label1: TLabel\n    Left = 8\n    Top = 8\n    Width = 60\n    Height = 16\n    Caption = 'Name'\n  end\n"
    "  object Button1: TButton\n    Left = 8\n    Top = 40\n    Width = 75\n    Height = 25\n    Caption = 'OK'\n"
    "    OnClick = Button1Click\n  end\n"
    "end\n";

class DesignerTest : public testing::Test {
protected:
  void SetUp() override {
    String pattern = std::filesystem::temp_directory_path().string() + "/xel-designer-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    Dir = pattern + "/";
    setenv("XEL_REGISTRY_DIR", (Dir + "registry").c_str(), 1);
    WriteFileAtomically(Dir + "Unit1.pas", kUnit);
    WriteFileAtomically(Dir + "Unit1.dfm", kForm);
  }
  void TearDown() override {
    Designer.reset();
    EXPECT_EQ(LiveInterfaceCount(), 0);
    std::filesystem::remove_all(Dir);
  }
  TDesigner& Open() {
    Designer = std::make_unique<TDesigner>();
    String error;
    EXPECT_TRUE(Designer->Packages().Load(XEL_TEST_PACKAGE, error)) << error;
    Designer->RefreshPalette();
    Designer->Open(Dir + "Unit1.pas");
    return *Designer;
  }
  TComponent* Find(const char* name) { return Designer->GetRoot()->FindComponent(name); }

  String Dir;
  std::unique_ptr<TDesigner> Designer;
};

TEST_F(DesignerTest, DesignStateExistsExactlyWhileTheServicesDo) {
  EXPECT_FALSE(IsDesigning());
  EXPECT_EQ(ToolServices(), nullptr);
  Open();
  EXPECT_TRUE(IsDesigning());
  EXPECT_NE(ToolServices(), nullptr);
  EXPECT_TRUE(Designer->GetRoot()->ComponentState().Contains(csDesigning));
  EXPECT_EQ(Designer->GetRoot()->Name(), "Form1");
  EXPECT_TRUE(Find("Button1")->ComponentState().Contains(csDesigning));
  Designer.reset();
  EXPECT_FALSE(IsDesigning());
  EXPECT_EQ(ToolServices(), nullptr);
}

TEST_F(DesignerTest, ClicksSelectAndDoNotAct) {
  TDesigner& d = Open();
  d.ShowForm(d.Current());
  auto* button = static_cast<TButton*>(Find("Button1"));
  int clicks = 0;
  struct TCounter {
    int* N;
    void Click(TObject*) { ++*N; }
  } counter{&clicks};
  button->OnClick = MakeMethod<&TCounter::Click>(&counter);
  Headless::Click(button);
  EXPECT_EQ(clicks, 0);
  ASSERT_EQ(d.Selection().size(), 1u);
  EXPECT_EQ(d.Selection()[0], button);
  Headless::MouseDown(static_cast<TControl*>(Find("Label1")), mbLeft, {ssShift}, 1, 1);
  EXPECT_EQ(d.Selection().size(), 2u);
  // A click that a native button reports on its own selects too, and gives its form no
  // modal result.
  button->SetModalResult(mrOk);
  button->Click();
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(static_cast<TCustomForm*>(d.GetRoot())->ModalResult(), mrNone);
  EXPECT_EQ(d.Selection(), std::vector<TComponent*>{button});
  button->OnClick = {};
}

TEST_F(DesignerTest, InspectorUsesTheRegisteredEditors) {
  TDesigner& d = Open();
  // The registered enumeration editor offers its own list.
  TComponent* lamp = d.DropComponent(GetClass("TTestLamp"), nullptr, 40, 8);
  ASSERT_EQ(d.Selection(), std::vector<TComponent*>{lamp});
  EXPECT_EQ(d.PropertyValues("Shade"), (std::vector<String>{"lsOff", "lsBright"}));
  d.SetPropertyValue("Shade", "lsBright");
  EXPECT_EQ(GetEnumProp(lamp, "Shade"), "lsBright");
  EXPECT_THROW(d.SetPropertyValue("Shade", "lsSideways"), EPropertyError);
  EXPECT_EQ(GetEnumProp(lamp, "Shade"), "lsBright");
  // The registered string editor trims and has a dialog; the default one of a label does not.
  d.Select(Find("Button1"));
  d.SetPropertyValue("Caption", "  Go  ");
  EXPECT_EQ(GetStrProp(Find("Button1"), "Caption"), "Go");
  EXPECT_TRUE(d.PropertyAttributes("Caption").Contains(paDialog));
  d.EditProperty("Caption");
  EXPECT_EQ(GetStrProp(Find("Button1"), "Caption"), "From dialog");
  EXPECT_TRUE(d.Current()->Modified());
  // Defaults by kind: enumerations list their names (sorted), integers check their text,
  // objects are read-only.
  d.Select(Find("Label1"));
  EXPECT_FALSE(d.PropertyAttributes("Caption").Contains(paDialog));
  EXPECT_EQ(d.PropertyValues("Align"),
            (std::vector<String>{"alBottom", "alClient", "alLeft", "alNone", "alRight", "alTop"}));
  EXPECT_THROW(d.SetPropertyValue("Left", "x"), EPropertyError);
  d.SetPropertyValue("Left", "33");
  EXPECT_EQ(GetOrdProp(Find("Label1"), "Left"), 33);
  // Integers with named values show and take the names.
  d.SetPropertyValue("Color", "clRed");
  EXPECT_EQ(GetOrdProp(Find("Label1"), "Color"), clRed);
  bool named = false;
  for (const TInspectorRow& r : d.InspectorRows()) named |= r.Name == "Color" && r.Value == "clRed";
  EXPECT_TRUE(named);
  EXPECT_THROW(d.SetPropertyValue("Font", "x"), EPropertyError);
  // Several components: the single-selection editor of the button's Caption is left out.
  d.Select(Find("Button1"), true);
  bool hasCaption = false, hasLeft = false;
  for (const TInspectorRow& r : d.InspectorRows()) {
    hasCaption |= r.Name == "Caption";
    hasLeft |= r.Name == "Left";
  }
  EXPECT_FALSE(hasCaption);
  EXPECT_TRUE(hasLeft);
  d.SetPropertyValue("Left", "12");
  EXPECT_EQ(GetOrdProp(Find("Label1"), "Left"), 12);
  EXPECT_EQ(GetOrdProp(Find("Button1"), "Left"), 12);
}

TEST_F(DesignerTest, InspectorWindowEditsTheRowInItsValueBox) {
  TDesigner& d = Open();
  // The component box lists the form and its components and selects.
  ASSERT_EQ(d.ComponentList()->GetItems()->Count(), 3);
  EXPECT_EQ(d.ComponentList()->GetItems()->Strings(2), "Button1: TButton");
  d.ComponentList()->SetItemIndex(2);
  d.ComponentListChange(nullptr);
  ASSERT_EQ(d.Selection(), std::vector<TComponent*>{Find("Button1")});
  d.EditRow("Caption");
  EXPECT_EQ(d.ValueEditor()->GetText(), "OK");
  d.ValueEditor()->SetText(" Go ");
  Word enter = VK_RETURN;
  d.ValueKeyDown(nullptr, enter, {});
  EXPECT_EQ(GetStrProp(Find("Button1"), "Caption"), "Go");
  // A value the editor refuses is shown as an error and changes nothing.
  d.EditRow("Left");
  d.ValueEditor()->SetText("left");
  std::vector<String> shown;
  {
    TModalScript script([&](TCustomForm* form) {
      shown.push_back(static_cast<TLabel*>(form->FindComponent("Message"))->GetText());
      Headless::PressKey(form, VK_RETURN);
    });
    d.ApplyValue();
  }
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_NE(shown[0].find("left"), String::npos);
  EXPECT_EQ(GetOrdProp(Find("Button1"), "Left"), 8);
  EXPECT_EQ(d.ValueEditor()->GetText(), "8");
  // The grid shows the rows; a dialog property marks its value.
  bool marked = false;
  for (int r = 1; r < d.Inspector()->GetRowCount(); ++r)
    marked |= d.Inspector()->Cells(0, r) == "Caption" && d.Inspector()->Cells(1, r) == "Go ...";
  EXPECT_TRUE(marked);
}

TEST_F(DesignerTest, ComponentEditorVerbsMarkTheFormModified) {
  TDesigner& d = Open();
  d.Select(Find("Button1"));
  EXPECT_EQ(d.Verbs(), (std::vector<String>{"Make Default", "About"}));
  EXPECT_FALSE(d.Current()->Modified());
  d.ExecuteVerb(1);
  EXPECT_FALSE(d.Current()->Modified());
  d.ExecuteVerb(0);
  EXPECT_TRUE(static_cast<TButton*>(Find("Button1"))->GetDefault());
  EXPECT_TRUE(d.Current()->Modified());
  // A double-click runs the first verb; a component without an editor has no verbs.
  static_cast<TButton*>(Find("Button1"))->SetDefault(false);
  static_cast<TControl*>(Find("Button1"))->DblClick();
  EXPECT_TRUE(static_cast<TButton*>(Find("Button1"))->GetDefault());
  d.Select(Find("Label1"));
  EXPECT_TRUE(d.Verbs().empty());
  // A right click offers the verbs on the context menu.
  static_cast<TButton*>(Find("Button1"))->SetDefault(false);
  std::vector<String> offered;
  HeadlessWidgetSet()->SetPopupHandler([&](TPopupMenu* menu, TPoint) {
    for (int i = 0; i < menu->Items()->Count(); ++i) offered.push_back(menu->Items()->Items(i)->GetCaption());
    menu->Items()->Items(0)->Click();
  });
  Headless::MouseDown(static_cast<TControl*>(Find("Button1")), mbRight, {}, 2, 2);
  HeadlessWidgetSet()->SetPopupHandler({});
  EXPECT_EQ(offered, (std::vector<String>{"Make Default", "About"}));
  EXPECT_TRUE(static_cast<TButton*>(Find("Button1"))->GetDefault());
  // The form offers the verbs of its registered custom module.
  d.Select(d.GetRoot());
  EXPECT_EQ(d.Verbs(), std::vector<String>{"Center Caption"});
  d.ExecuteVerb(0);
  EXPECT_EQ(GetStrProp(d.GetRoot(), "Caption"), "Centered");
}

TEST_F(DesignerTest, ExpertMenuItemsComeAndGoWithTheirPackage) {
  TDesigner& d = Open();
  TMenuItem* tools = d.MainMenu()->Items()->Items(1);
  ASSERT_EQ(tools->Count(), 1);
  EXPECT_EQ(tools->Items(0)->GetCaption(), "Test Command");

  TIMainMenuIntf* menu = ToolServices()->GetMainMenu();
  TIMenuItemIntf* found = menu->FindMenuItem("TestExpertItem");
  ASSERT_NE(found, nullptr);
  EXPECT_TRUE(found->SetCaption("Renamed"));
  EXPECT_EQ(tools->Items(0)->GetCaption(), "Renamed");
  // A second item of the same name is refused.
  TIMenuItemIntf* parent = found->GetParent();
  EXPECT_EQ(parent->InsertItem(0, "Again", "TestExpertItem", "", 0, 0, 0, {mfEnabled, mfVisible}, {}), nullptr);
  TIMenuItemIntf* other = parent->InsertItem(99, "Other", "OtherItem", "", 0, 0, 0, {mfEnabled, mfVisible}, {});
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(other->GetIndex(), 1);
  EXPECT_TRUE(other->DestroyMenuItem());
  // The holder of a destroyed item gets empty answers, not a dangling item.
  EXPECT_EQ(other->GetCaption(), "");
  EXPECT_FALSE(other->DestroyMenuItem());
  other->Release();
  parent->Release();

  auto executed = reinterpret_cast<int (*)()>(dlsym(d.Packages().Packages()[0].Handle, "TestExpertExecuted"));
  ASSERT_NE(executed, nullptr);
  const int before = executed();
  tools->Items(0)->Click();
  EXPECT_EQ(executed(), before + 1);

  d.Packages().UnloadAll();
  EXPECT_EQ(tools->Count(), 0);
  EXPECT_EQ(found->GetCaption(), "");
  found->Release();
  EXPECT_EQ(menu->FindMenuItem("TestExpertItem"), nullptr);
  menu->Release();
}

TEST_F(DesignerTest, EditorBufferReadsAndReplacesTheUnit) {
  TDesigner& d = Open();
  TIModuleInterface* module = ToolServices()->GetModuleInterface(ToolServices()->GetCurrentFile());
  ASSERT_NE(module, nullptr);
  TIEditorInterface* editor = module->GetEditorInterface();
  TIEditReader* reader = editor->CreateReader();
  String text;
  char buffer[7];
  for (int pos = 0, n; (n = reader->GetText(pos, buffer, sizeof buffer)) > 0; pos += n) text.append(buffer, n);
  reader->Release();
  EXPECT_EQ(text, kUnit);

  TIEditWriter* writer = editor->CreateWriter();
  EXPECT_TRUE(writer->CopyTo(4));
  EXPECT_TRUE(writer->DeleteTo(10));
  EXPECT_TRUE(writer->Insert(" Main"));
  EXPECT_FALSE(writer->CopyTo(2));  // no way back
  writer->Release();
  EXPECT_EQ(d.Current()->Source().substr(0, 12), "unit Main;\r\n");
  EXPECT_TRUE(d.Current()->Modified());
  EXPECT_EQ(d.SourceEditor()->GetLines()->Strings(0), "unit Main;");

  TIFormInterface* form = module->GetFormInterface();
  ASSERT_NE(form, nullptr);
  TIComponentInterface* root = form->GetFormComponent();
  EXPECT_EQ(root->GetComponentCount(), 2);
  TIComponentInterface* child = root->GetComponent(1);
  EXPECT_EQ(child->GetComponentType(), "TButton");
  child->Release();
  TIComponentInterface* lamp = form->CreateComponent(root, "TTestLamp", 32, 8, 8, 8);
  ASSERT_NE(lamp, nullptr);
  EXPECT_EQ(lamp->GetComponentHandle()->Name(), "TestLamp1");
  lamp->Release();
  EXPECT_EQ(form->CreateComponent(root, "TNoSuchClass", 0, 0, 8, 8), nullptr);
  root->Release();
  form->Release();
  editor->Release();
  module->Release();
}

TEST_F(DesignerTest, SavedFormReadsBackEqual) {
  TDesigner& d = Open();
  d.Select(Find("Button1"));
  d.SetPropertyValue("Caption", "Go");
  d.Current()->SetSource(String(kUnit) + "{ changed }\r\n");
  d.DropComponent(GetClass("TTestLamp"), nullptr, 40, 8);
  d.Save();
  EXPECT_FALSE(d.Current()->Modified());
  EXPECT_EQ(ReadTextFile(Dir + "Unit1.pas"), String(kUnit) + "{ changed }\r\n");
  // Kept as a text form, with the handler's name.
  const String saved = ReadTextFile(Dir + "Unit1.dfm");
  EXPECT_NE(saved.find("OnClick = Button1Click"), String::npos);
  EXPECT_NE(saved.find("Caption = 'Go'"), String::npos);
  TGlottaDocument again(Dir + "Unit1.dfm");
  EXPECT_EQ(again.FileFormat(), dfText);
  EXPECT_EQ(again.SaveToString(), d.Current()->Document()->SaveToString());
}

TEST_F(DesignerTest, PackagesOfTheRegistryStoreAreLoadedAndFailuresReported) {
  {
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKey(String(DesignerRegistryKey) + "\\Known Packages", true));
    reg.WriteString(XEL_TEST_PACKAGE, "Test package");
    reg.WriteString(XEL_BROKEN_PACKAGE, "Broken package");
    reg.WriteString(XEL_NOENTRY_PACKAGE, "No package");
    reg.WriteString(Dir + "missing.so", "Missing");
  }
  Designer = std::make_unique<TDesigner>();
  Designer->LoadPackages({});
  ASSERT_EQ(Designer->Packages().Packages().size(), 1u);
  EXPECT_EQ(Designer->Messages().size(), 3u);
  const std::vector<String> pages = PalettePages();
  EXPECT_EQ(pages, (std::vector<String>{"Standard", "Test"}));
  bool lamp = false;
  for (const TPaletteEntry& e : PaletteClasses()) lamp |= e.Class->ClassName() == "TTestLamp";
  EXPECT_TRUE(lamp);
  // The designer still works.
  Designer->Open(Dir + "Unit1.pas");
  EXPECT_NE(Designer->GetRoot(), nullptr);
  TRegistry reg;
  // A first start: no package list yet.
  ASSERT_TRUE(reg.DeleteKey(String("\\") + DesignerRegistryKey + "\\Known Packages"));
  RecordDesignerInstallation("/opt/xel/bin/xeldesigner");
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKeyReadOnly(DesignerRegistryKey));
  EXPECT_EQ(reg.ReadString(DesignerProgramValue), "/opt/xel/bin/xeldesigner");
  // The package list the installer writes into exists from the first start on.
  reg.CloseKey();
  reg.SetRootKey(HKEY_CURRENT_USER);
  EXPECT_TRUE(reg.KeyExists(String("\\") + DesignerRegistryKey + "\\Known Packages"));
}

}  // namespace

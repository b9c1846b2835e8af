// The component explorer driven as a user drives it: through the modal dialog on the
// headless widget set, its trees, buttons, check boxes and keys.
#include <gtest/gtest.h>

#include <functional>

#include "ComCtrls.h"
#include "ComponentExplorerDialog.h"
#include "Glotta.h"
#include "HeadlessWidgetSet.h"
#include "Streams.h"
#include "TextForms.h"

namespace xel::test {
namespace {

struct TExplorerEnvironment : testing::Environment {
  void SetUp() override {
    RegisterCoreClasses();
    RegisterComponentExplorerDialogClasses();
    InstallHeadlessWidgetSet();
  }
};
[[maybe_unused]] testing::Environment* const kEnvironment =
    testing::AddGlobalTestEnvironment(new TExplorerEnvironment);

// The item class a caller asks the chosen properties to be made of.
class TPickedEntry : public TPropertyEntry {
  XEL_CLASS(TPickedEntry, TPropertyEntry)
public:
  using TPropertyEntry::TPropertyEntry;
};

// A property path under its component, as the tree shows it without the type.
String PathOf(const String& nodeText) { return nodeText.substr(0, nodeText.rfind(": ")); }

TTreeNode* ComponentNode(TTreeView* tree, const String& name) {
  TTreeNode* root = tree->GetItems()->GetFirstNode();
  for (TTreeNode* n = root ? root->GetFirstChild() : nullptr; n; n = n->GetNextSibling())
    if (static_cast<TMainEntry*>(n->Data())->Name() == name) return n;
  return nullptr;
}

// The property paths the tree shows under a component, in tree order; empty when the
// component is not there.
std::vector<String> Paths(TTreeView* tree, const String& component) {
  std::vector<String> paths;
  if (TTreeNode* c = ComponentNode(tree, component))
    for (TTreeNode* n = c->GetFirstChild(); n; n = n->GetNextSibling()) paths.push_back(PathOf(n->Text()));
  return paths;
}

TTreeNode* PropertyNode(TTreeView* tree, const String& component, const String& path) {
  if (TTreeNode* c = ComponentNode(tree, component))
    for (TTreeNode* n = c->GetFirstChild(); n; n = n->GetNextSibling())
      if (PathOf(n->Text()) == path) return n;
  return nullptr;
}

bool Has(const std::vector<String>& paths, const String& path) {
  return std::find(paths.begin(), paths.end(), path) != paths.end();
}

// "Button1.Caption:TPickedEntry" for every item of the tree, component by component.
std::vector<String> Dump(TMainEntries* entries) {
  std::vector<String> lines;
  for (int i = 0; i < entries->Count(); ++i) {
    TStringList items;
    entries->Items(i)->MoveSubItemsToStrings(mmNameOnly, &items);
    for (int k = 0; k < items.Count(); ++k)
      lines.push_back(entries->Items(i)->Name() + "." + items[k] + ":" + items.Objects(k)->ClassName());
  }
  return lines;
}

// A window with a button, an empty label, a memo with an empty line, an edit and a status
// bar whose panel is a collection item.
struct ExplorerDialogTest : testing::Test {
  ExplorerDialogTest() {
    Root.reset(new TForm(nullptr, TCreateNew{}));
    Root->SetName("Demo");
    Root->SetText("Demo window");
    auto add = [this]<class T>(T* control, const char* name) {
      control->SetName(name);
      control->SetParent(Root.get());
      return control;
    };
    Button = add(New<TButton>(Root.get()), "Button1");
    Button->SetText("OK");
    Button->SetHint("Press");
    add(New<TLabel>(Root.get()), "Label1")->SetText("");  // naming gave it its name
    Memo = add(New<TMemo>(Root.get()), "Memo1");
    Memo->GetLines()->SetText("one\r\n\r\nthree\r\n");
    add(New<TEdit>(Root.get()), "Edit1")->SetText("typed");
    auto* status = add(New<TStatusBar>(Root.get()), "Status1");
    status->GetPanels()->Add()->SetText("Ready");
    Dialog.reset(New<TComponentExplorerDialog>(nullptr));
  }
  ~ExplorerDialogTest() override {
    Dialog.reset();
    Root.reset();
  }

  // Runs the dialog; the script plays the user, then the named button closes it.
  bool Run(const std::function<void(TComponentExplorerForm*, TCEDialogForm*)>& script, int button = 0) {
    TModalScript modal([&](TCustomForm* form) {
      auto* dialog = static_cast<TCEDialogForm*>(form);
      TComponentExplorerForm* explorer = dialog->Explorer()->ExplorerForm();
      script(explorer, dialog);
      if (form->ModalResult() == mrNone) Headless::Click(dialog->ButtonPanel()->GetButtons()->Items(button)->Button());
    });
    return Dialog->ExecuteEx(Root.get(), &Entries, TPickedEntry::StaticClass());
  }
  bool Cancel(const std::function<void(TComponentExplorerForm*, TCEDialogForm*)>& script) { return Run(script, 1); }

  static void Select(TTreeView* tree, TTreeNode* node) {
    ASSERT_NE(node, nullptr);
    tree->SetSelected(node);
  }

  std::unique_ptr<TForm> Root;
  TButton* Button = nullptr;
  TMemo* Memo = nullptr;
  std::unique_ptr<TComponentExplorerDialog> Dialog;
  TComponentEntries Entries{nullptr, nullptr};
};

TEST_F(ExplorerDialogTest, EachFilterOffersItsPropertiesOfComponentsAndSubObjects) {
  struct TCase {
    const char* Name;
    TPropFilter Filter;
    const char* Text;
    std::vector<std::pair<const char*, const char*>> Offered;  // component, path
    std::vector<std::pair<const char*, const char*>> Hidden;
  };
  const TCase cases[] = {
      {"default",
       DefaultPropFilter,
       "",
       {{"Button1", "Caption"}, {"Button1", "Hint"}, {"Memo1", "Lines.Strings[0]"}, {"Memo1", "Lines.Strings[2]"},
        {"Edit1", "Text"}, {"Status1", "Panels[0].Text"}, {"Demo", "Caption"}},
       {{"Memo1", "Lines.Strings[1]"}, {"Label1", "Caption"}, {"Button1", "Font.Name"}, {"Edit1", "Hint"}}},
      {"without Assigned",
       {pfCaption, pfHint, pfStrings, pfText},
       "",
       {{"Label1", "Caption"}, {"Memo1", "Lines.Strings[1]"}, {"Edit1", "Hint"}},
       {{"Button1", "Font.Name"}}},
      {"names typed",
       {pfUser, pfAssigned},
       "Name  alignment",
       // Enumerations are offered whatever their value.
       {{"Button1", "Font.Name"}, {"Button1", "Name"}, {"Label1", "Name"}, {"Label1", "Alignment"}},
       {{"Button1", "Caption"}, {"Memo1", "Lines.Strings[0]"}, {"Label1", "Caption"}}},
      {"names without assigned",
       {pfUser},
       "Name Alignment",
       {{"Label1", "Alignment"}, {"Status1", "Panels[0].Alignment"}},
       {{"Button1", "Caption"}}},
      {"typed but not checked", {pfCaption}, "Hint", {{"Button1", "Caption"}}, {{"Button1", "Hint"}}},
      {"all",
       {pfAll},
       "",
       {{"Button1", "Caption"}, {"Button1", "Font.Size"}, {"Button1", "Left"}, {"Memo1", "Lines.Strings[1]"}},
       {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Dialog->GetSettings()->SetPropFilter(c.Filter);
    Dialog->GetSettings()->SetPropFilterText(c.Text);
    EXPECT_FALSE(Cancel([&](TComponentExplorerForm* ex, TCEDialogForm*) {
      for (auto [component, path] : c.Offered) EXPECT_TRUE(Has(Paths(ex->TreeSource(), component), path)) << path;
      for (auto [component, path] : c.Hidden) EXPECT_FALSE(Has(Paths(ex->TreeSource(), component), path)) << path;
      EXPECT_TRUE(Paths(ex->TreeDest(), "Button1").empty());
    }));
  }
}

TEST_F(ExplorerDialogTest, TreesListComponentsSortedByNameOrByType) {
  for (bool byName : {true, false}) {
    Dialog->GetSettings()->SetSortByCompName(byName);
    Cancel([&](TComponentExplorerForm* ex, TCEDialogForm* dialog) {
      // The embedded form is no window of its own: the dialog stays active and the focus
      // starts on the first tree, past the read-only value bar.
      EXPECT_EQ(Screen->ActiveForm(), dialog);
      EXPECT_EQ(dialog->GetActiveControl(), ex->TreeSource());
      TTreeNode* root = ex->TreeSource()->GetItems()->GetFirstNode();
      ASSERT_NE(root, nullptr);
      EXPECT_EQ(root->Text(), "Demo");
      EXPECT_TRUE(root->Expanded());
      std::vector<String> labels;
      for (TTreeNode* n = root->GetFirstChild(); n; n = n->GetNextSibling()) labels.push_back(n->Text());
      const std::vector<String> expected =
          byName ? std::vector<String>{"Button1: TButton", "Demo: TForm", "Edit1: TEdit", "Memo1: TMemo",
                                       "Status1: TStatusBar"}
                 : std::vector<String>{"TButton, Button1", "TEdit, Edit1", "TForm, Demo", "TMemo, Memo1",
                                       "TStatusBar, Status1"};
      EXPECT_EQ(labels, expected);
      EXPECT_EQ(ex->BtnByName()->GetChecked(), byName);
      EXPECT_EQ(ex->BtnByType()->GetChecked(), !byName);
      // The root stays open; a component closes.
      root->Collapse(false);
      EXPECT_TRUE(root->Expanded());
      root->GetFirstChild()->Expand(false);
      root->GetFirstChild()->Collapse(false);
      EXPECT_FALSE(root->GetFirstChild()->Expanded());
    });
  }
}

TEST_F(ExplorerDialogTest, AddingAndRemovingMovesPropertiesBetweenTheTrees) {
  EXPECT_TRUE(Run([&](TComponentExplorerForm* ex, TCEDialogForm*) {
    TTreeView* left = ex->TreeSource();
    TTreeView* right = ex->TreeDest();
    EXPECT_FALSE(ex->BtnAddProp()->GetEnabled());  // the root is selected
    EXPECT_FALSE(ex->BtnDelAllProps()->GetEnabled());
    EXPECT_TRUE(ex->BtnAddAllProps()->GetEnabled());

    Select(left, PropertyNode(left, "Button1", "Caption"));
    EXPECT_EQ(ex->EditLValue()->GetText(), "Caption = OK");
    EXPECT_TRUE(ex->BtnAddProp()->GetEnabled());
    Headless::Click(ex->BtnAddProp());
    EXPECT_EQ(Paths(left, "Button1"), std::vector<String>{"Hint"});
    EXPECT_EQ(Paths(right, "Button1"), std::vector<String>{"Caption"});
    EXPECT_EQ(ex->EditRValue()->GetText(), "Caption = OK");  // the moved node is selected
    EXPECT_TRUE(ex->BtnDelAllProps()->GetEnabled());

    // A double-click moves a property, not a component.
    Select(left, PropertyNode(left, "Memo1", "Lines.Strings[2]"));
    left->DblClick();
    Select(left, ComponentNode(left, "Edit1"));
    left->DblClick();
    EXPECT_EQ(Paths(right, "Memo1"), std::vector<String>{"Lines.Strings[2]"});
    EXPECT_TRUE(Paths(right, "Edit1").empty());
    EXPECT_EQ(Paths(left, "Edit1"), std::vector<String>{"Text"});

    // The rest of a component joins its node on the right.
    Select(left, ComponentNode(left, "Button1"));
    Headless::Click(ex->BtnAddProp());
    EXPECT_EQ(ComponentNode(left, "Button1"), nullptr);
    EXPECT_EQ(Paths(right, "Button1"), (std::vector<String>{"Caption", "Hint"}));

    Select(right, PropertyNode(right, "Button1", "Hint"));
    Headless::Click(ex->BtnDelProp());
    EXPECT_EQ(Paths(left, "Button1"), std::vector<String>{"Hint"});
    EXPECT_EQ(Paths(right, "Button1"), std::vector<String>{"Caption"});

    // Everything over and back again, then the one property.
    Headless::Click(ex->BtnAddAllProps());
    EXPECT_FALSE(left->GetItems()->GetFirstNode()->HasChildren());
    EXPECT_FALSE(ex->BtnAddAllProps()->GetEnabled());
    EXPECT_EQ(Paths(right, "Memo1"), (std::vector<String>{"Lines.Strings[0]", "Lines.Strings[2]"}));
    Headless::Click(ex->BtnDelAllProps());
    EXPECT_FALSE(right->GetItems()->GetFirstNode()->HasChildren());
    EXPECT_EQ(Paths(left, "Button1"), (std::vector<String>{"Caption", "Hint"}));
    Select(left, PropertyNode(left, "Status1", "Panels[0].Text"));
    Headless::Click(ex->BtnAddProp());
  }));
  EXPECT_EQ(Dump(&Entries), std::vector<String>{"Status1.Panels[0].Text:TPickedEntry"});
  ASSERT_EQ(Entries.Count(), 1);
  EXPECT_EQ(Entries.Items(0)->GetRef(), Root->FindComponent("Status1"));
  EXPECT_EQ(Entries.Items(0)->GetProps()->Count() + Entries.Items(0)->ItemCount(), 1);
}

TEST_F(ExplorerDialogTest, CancelLeavesEntriesAndSettingsOkTakesBoth) {
  ASSERT_TRUE(Run([&](TComponentExplorerForm* ex, TCEDialogForm*) {
    Select(ex->TreeSource(), PropertyNode(ex->TreeSource(), "Button1", "Caption"));
    Headless::Click(ex->BtnAddProp());
    Select(ex->TreeSource(), PropertyNode(ex->TreeSource(), "Memo1", "Lines.Strings[0]"));
    Headless::Click(ex->BtnAddProp());
  }));
  const std::vector<String> chosen{"Button1.Caption:TPickedEntry", "Memo1.Lines.Strings[0]:TPickedEntry"};
  ASSERT_EQ(Dump(&Entries), chosen);

  EXPECT_FALSE(Cancel([&](TComponentExplorerForm* ex, TCEDialogForm*) {
    // The chosen properties start on the right and are not offered on the left.
    EXPECT_EQ(Paths(ex->TreeDest(), "Button1"), std::vector<String>{"Caption"});
    EXPECT_EQ(Paths(ex->TreeSource(), "Button1"), std::vector<String>{"Hint"});
    Headless::Click(ex->BtnDelAllProps());
    Select(ex->TreeSource(), PropertyNode(ex->TreeSource(), "Edit1", "Text"));
    Headless::Click(ex->BtnAddProp());
    Headless::Click(ex->FilterBox(pfAssigned));
    Headless::Click(ex->BtnByType());
  }));
  EXPECT_EQ(Dump(&Entries), chosen);
  EXPECT_EQ(Dialog->GetSettings()->GetPropFilter(), DefaultPropFilter);
  EXPECT_TRUE(Dialog->GetSettings()->GetSortByCompName());

  EXPECT_TRUE(Run([&](TComponentExplorerForm* ex, TCEDialogForm*) {
    Headless::Click(ex->FilterBox(pfAssigned));
    Headless::Click(ex->BtnByType());
    Select(ex->TreeDest(), ComponentNode(ex->TreeDest(), "Memo1"));
    Headless::Click(ex->BtnDelProp());
  }));
  EXPECT_EQ(Dump(&Entries), std::vector<String>{"Button1.Caption:TPickedEntry"});
  EXPECT_EQ(Dialog->GetSettings()->GetPropFilter(), (TPropFilter{pfCaption, pfHint, pfStrings, pfText}));
  EXPECT_FALSE(Dialog->GetSettings()->GetSortByCompName());

  // The next run starts with what the last OK kept.
  Cancel([&](TComponentExplorerForm* ex, TCEDialogForm*) {
    EXPECT_FALSE(ex->FilterBox(pfAssigned)->GetChecked());
    EXPECT_TRUE(ex->BtnByType()->GetChecked());
    EXPECT_TRUE(Has(Paths(ex->TreeSource(), "Memo1"), "Lines.Strings[1]"));
  });
}

TEST_F(ExplorerDialogTest, APropertyTheFilterHidesLeavesBothTreesUntilTheFilterOffersItAgain) {
  Run([&](TComponentExplorerForm* ex, TCEDialogForm*) {
    TTreeView* left = ex->TreeSource();
    Select(left, PropertyNode(left, "Button1", "Hint"));
    Headless::Click(ex->BtnAddProp());
    Headless::Click(ex->FilterBox(pfHint));
    EXPECT_FALSE(ex->FilterBox(pfHint)->GetChecked());
    EXPECT_EQ(Paths(left, "Button1"), std::vector<String>{"Caption"});

    Select(ex->TreeDest(), PropertyNode(ex->TreeDest(), "Button1", "Hint"));
    Headless::Click(ex->BtnDelProp());
    EXPECT_EQ(Paths(left, "Button1"), std::vector<String>{"Caption"});
    EXPECT_EQ(ComponentNode(ex->TreeDest(), "Button1"), nullptr);

    // A whole component coming back keeps only what the filter offers.
    Select(left, ComponentNode(left, "Button1"));
    Headless::Click(ex->BtnAddProp());
    Headless::Click(ex->FilterBox(pfCaption));
    Headless::Click(ex->BtnDelAllProps());
    EXPECT_EQ(ComponentNode(left, "Button1"), nullptr);

    Headless::Click(ex->FilterBox(pfHint));
    Headless::Click(ex->FilterBox(pfCaption));
    EXPECT_EQ(Paths(left, "Button1"), (std::vector<String>{"Caption", "Hint"}));
  });
  EXPECT_EQ(Entries.Count(), 0);
}

TEST_F(ExplorerDialogTest, TypedNamesApplyOnEnterOrWhenTypingPauses) {
  EXPECT_TRUE(Run([&](TComponentExplorerForm* ex, TCEDialogForm* dialog) {
    ex->EditFilter()->SetFocus();
    Headless::TypeText(dialog, "Alignment");
    EXPECT_EQ(ex->GetSettings()->GetPropFilterText(), "Alignment");
    EXPECT_TRUE(HeadlessWidgetSet()->RunningTimers().empty());  // "User" is not checked
    EXPECT_FALSE(Has(Paths(ex->TreeSource(), "Status1"), "Panels[0].Alignment"));

    // Enter checks "User" and applies the names; it does not close the dialog.
    Headless::PressKey(dialog, VK_RETURN);
    EXPECT_EQ(dialog->ModalResult(), mrNone);
    EXPECT_TRUE(ex->FilterBox(pfUser)->GetChecked());
    EXPECT_TRUE(Has(Paths(ex->TreeSource(), "Status1"), "Panels[0].Alignment"));

    Headless::TypeText(dialog, " Name");
    EXPECT_FALSE(Has(Paths(ex->TreeSource(), "Button1"), "Font.Name"));
    ASSERT_EQ(HeadlessWidgetSet()->RunningTimers().size(), 1u);
    HeadlessWidgetSet()->FireTimers();
    EXPECT_TRUE(HeadlessWidgetSet()->RunningTimers().empty());
    EXPECT_TRUE(Has(Paths(ex->TreeSource(), "Button1"), "Font.Name"));

    // Leaving the edit applies what was typed as well.
    Headless::TypeText(dialog, "X");
    ex->TreeSource()->SetFocus();
    EXPECT_TRUE(HeadlessWidgetSet()->RunningTimers().empty());
    EXPECT_FALSE(Has(Paths(ex->TreeSource(), "Button1"), "Font.Name"));
  }));
  EXPECT_EQ(Dialog->GetSettings()->GetPropFilterText(), "Alignment NameX");
}

TEST_F(ExplorerDialogTest, SettingsDriveTheControls) {
  Cancel([&](TComponentExplorerForm* ex, TCEDialogForm*) {
    TCESettings* s = ex->GetSettings();
    s->SetInfoBarVisible(false);
    s->SetPropFilterVisible(false);
    EXPECT_FALSE(ex->EditLValue()->GetVisible());
    EXPECT_FALSE(ex->EditRValue()->GetVisible());
    EXPECT_FALSE(ex->GroupFilter()->GetVisible());
    EXPECT_TRUE(ex->GroupSort()->GetVisible());
    s->SetSortByCompName(false);
    EXPECT_TRUE(ex->BtnByType()->GetChecked());
    EXPECT_NE(ComponentNode(ex->TreeSource(), "Button1")->Text().find("TButton, "), String::npos);
    s->SetPropFilter({pfAll});
    EXPECT_TRUE(ex->FilterBox(pfAll)->GetChecked());
    for (TPropFilterEnum e : {pfCaption, pfHint, pfStrings, pfText, pfUser})
      EXPECT_FALSE(ex->FilterBox(e)->GetEnabled()) << e;
    EXPECT_FALSE(ex->EditFilter()->GetEnabled());
    EXPECT_TRUE(ex->FilterBox(pfAssigned)->GetEnabled());
    EXPECT_TRUE(Has(Paths(ex->TreeSource(), "Button1"), "Font.Size"));
    s->SetPropFilterVisible(true);
    EXPECT_TRUE(ex->GroupFilter()->GetVisible());
    Headless::Click(ex->FilterBox(pfAll));
    EXPECT_TRUE(ex->FilterBox(pfCaption)->GetEnabled());
    EXPECT_FALSE(Has(Paths(ex->TreeSource(), "Button1"), "Font.Size"));
  });
}

// An explorer read from a form file shows the settings stored with it once loading ends.
TEST(ComponentExplorerTest, AnExplorerReadFromAFormShowsItsStoredSettings) {
  TStringStream binary(ObjectTextToBinary(
      "object Host: TForm\n"
      "  object Explorer1: TComponentExplorer\n"
      "    Settings.InfoBarVisible = False\n"
      "    Settings.PropFilter = [pfCaption, pfUser]\n"
      "    Settings.PropFilterText = 'Items'\n"
      "    Settings.SortByCompName = False\n"
      "  end\n"
      "end\n"));
  std::unique_ptr<TForm> host(new TForm(nullptr, TCreateNew{}));
  binary.ReadComponent(host.get());
  auto* explorer = OwnedComponent<TComponentExplorer>(host.get(), "Explorer1");
  TComponentExplorerForm* ex = explorer->ExplorerForm();
  EXPECT_FALSE(ex->EditLValue()->GetVisible());
  EXPECT_TRUE(ex->BtnByType()->GetChecked());
  EXPECT_TRUE(ex->FilterBox(pfUser)->GetChecked());
  EXPECT_FALSE(ex->FilterBox(pfHint)->GetChecked());
  EXPECT_EQ(ex->EditFilter()->GetText(), "Items");
  EXPECT_EQ(explorer->Width(), 635);  // the embedded form's designed size

  // And writes them back the same way.
  TStringStream again;
  again.WriteComponent(host.get());
  const String back = ObjectBinaryToText(again.DataString());
  EXPECT_NE(back.find("Settings.PropFilterText = 'Items'"), String::npos) << back;
  EXPECT_EQ(back.find("Settings.SortByVisible"), String::npos) << back;
}

TEST_F(ExplorerDialogTest, TextsFollowThePrivateDomainAndHelpNeedsAContext) {
  Cancel([&](TComponentExplorerForm* ex, TCEDialogForm* dialog) {
    EXPECT_EQ(dialog->GetText(), "Select Components and Properties");
    EXPECT_EQ(ex->BtnAddProp()->GetText(), "&Add >");
    EXPECT_FALSE(dialog->HelpButton()->Button()->GetVisible());
    EXPECT_EQ(dialog->GetClientWidth(), dialog->Explorer()->Width());
    // Switching the dialog's language switches the explorer inside it: one domain.
    auto* glotta = OwnedComponent<TGlotta>(dialog, "Glotta");
    EXPECT_EQ(glotta->GetDomain(), ".Private Xel Domain");
    glotta->SetLanguage("Deutsch");
    EXPECT_EQ(dialog->GetText(), "Komponenten und Eigenschaften ausw\xC3\xA4hlen");
    EXPECT_EQ(dialog->ButtonPanel()->GetButtons()->Items(1)->GetCaption(), "&Abbruch");
    EXPECT_EQ(ex->BtnAddProp()->GetText(), "&Hinzuf\xC3\xBCgen >");
    EXPECT_EQ(ex->GroupSort()->GetText(), "Baumansicht sortieren nach");
    EXPECT_EQ(OwnedComponent<TGlotta>(ex, "Glotta")->GetLanguage(), "Deutsch");
  });
  // A dialog made while the domain speaks German starts in German.
  TDataModule module(nullptr);
  auto* keeper = New<TGlotta>(&module);
  keeper->SetDomain(".Private Xel Domain");
  keeper->SetLanguage("Deutsch");
  Dialog->SetHelpContext(7000);
  Application->SetHelpFile(XEL_HELP_SOURCE "/XelGlottaEng.hlp");
  const size_t shown = HeadlessWidgetSet()->HelpShown().size();
  Cancel([&](TComponentExplorerForm* ex, TCEDialogForm* dialog) {
    EXPECT_EQ(OwnedComponent<TLabel>(ex, "LabelSource")->GetText(), "Verf\xC3\xBCgbare Eigenschaften:");
    TButtonItem* help = dialog->HelpButton();
    EXPECT_TRUE(help->Button()->GetVisible());
    EXPECT_EQ(help->GetCaption(), "&Hilfe");
    Headless::Click(help->Button());
    EXPECT_EQ(dialog->ModalResult(), mrNone);  // help does not close
  });
  ASSERT_EQ(HeadlessWidgetSet()->HelpShown().size(), shown + 1);
  EXPECT_NE(HeadlessWidgetSet()->HelpShown().back().find("XelGlottaEng.html#context-7000"), String::npos);
  Application->SetHelpFile("");
}

}  // namespace
}  // namespace xel::test

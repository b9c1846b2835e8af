// The editor's small windows: the component setup (domain and top level, written to the
// component only when the editor accepts), the import's report and its file, and the
// overview of the process's language frames.
#include <filesystem>

#include "Application.h"
#include "EditorDialogs.h"
#include "GlottaModule.h"
#include "GlottaSetup.h"
#include "GlottaStatus.h"
#include "GlottaView.h"
#include "IniFiles.h"
#include "RegisterControls.h"

namespace xel::test {
namespace {

// ---- setup --------------------------------------------------------------------------------------

TEST(GlottaSetupTest, TopLevelIsOfferedOnlyWithoutDomainAndCancelKeepsTheValues) {
  TStringList domains;
  domains.SetText("Alpha\nBeta");
  struct {
    const char* Typed;
    bool TopLevelEnabled;
  } typing[] = {{"Alpha", false}, {"   ", true}, {" Beta ", false}, {"", true}};
  String domain = "Beta";
  bool topLevel = true;
  for (bool ok : {false, true}) {
    TModalScript script([&](TCustomForm* f) {
      auto* dialog = dynamic_cast<TGlottaSetupForm*>(f);
      ASSERT_NE(dialog, nullptr);
      TComboBox* edit = dialog->EditDomain();
      EXPECT_EQ(edit->GetItems()->Count(), 2);
      EXPECT_EQ(edit->GetItems()->Strings(1), "Beta");
      EXPECT_EQ(edit->GetText(), "Beta");
      EXPECT_TRUE(dialog->BtnTopLevel()->GetChecked());
      EXPECT_FALSE(dialog->BtnTopLevel()->GetEnabled());
      for (const auto& t : typing) {
        edit->EditText(t.Typed);
        EXPECT_EQ(dialog->BtnTopLevel()->GetEnabled(), t.TopLevelEnabled) << "'" << t.Typed << "'";
      }
      edit->EditText("  ");
      dialog->BtnTopLevel()->SetChecked(false);
      Press(dialog->ButtonPanel(), ok ? 0 : 1);
    });
    EXPECT_EQ(TGlottaSetupForm::Execute(&domains, domain, topLevel), ok);
    EXPECT_EQ(domain, ok ? "  " : "Beta");
    EXPECT_EQ(topLevel, !ok);
    domain = "Beta";
    topLevel = true;
  }
}

class SetupTest : public EditorTest {};

TEST_F(SetupTest, TheEditorOffersTheVisibleDomainsAndWritesTheChoiceOnAcceptanceOnly) {
  BuildForm();
  TForm other(nullptr, TCreateNew{});
  for (const char* domain : {"Alpha", ".Hidden"}) {
    auto* member = new TGlotta(&other);
    member->SetDomain(domain);
  }
  TEditorDialogs run;
  std::vector<String> offered;
  run.Steps.push_back([&](TGlottaEditorForm* editor) {
    ASSERT_FALSE(editor->Modified());
    run.Dialogs.push_back([&](TCustomForm* f) {
      auto* dialog = dynamic_cast<TGlottaSetupForm*>(f);
      ASSERT_NE(dialog, nullptr);
      for (int i = 0; i < dialog->EditDomain()->GetItems()->Count(); ++i)
        offered.push_back(dialog->EditDomain()->GetItems()->Strings(i));
      dialog->EditDomain()->EditText("Alpha");
      Press(dialog->ButtonPanel(), 0);
    });
    editor->ItemSetupClick(editor->Item("ItemSetup"));
    EXPECT_TRUE(editor->Modified());
    EXPECT_EQ(editor->Domain(), "Alpha");
    EXPECT_EQ(Glotta->GetDomain(), "");  // not yet
    editor->ItemAcceptClick(nullptr);
    EXPECT_EQ(Glotta->GetDomain(), "Alpha");
    editor->Close();
  });
  EXPECT_TRUE(run.Run(Glotta));
  EXPECT_EQ(offered, std::vector<String>{"Alpha"});
}

// ---- import status ------------------------------------------------------------------------------

class StatusTest : public EditorTest {
protected:
  void SetUp() override {
    EditorTest::SetUp();
    Form.reset(New<TGlottaStatusForm>(nullptr));
    Status = static_cast<TGlottaStatusForm*>(Form.get());
    Status->Glotta()->SetLanguage("English");
  }
  std::vector<String> Row(Integer row) {
    return {Status->Grid()->Cells(0, row), Status->Grid()->Cells(1, row), Status->Grid()->Cells(2, row)};
  }
  TGlottaStatusForm* Status = nullptr;
};

TEST_F(StatusTest, ListsErrorsThenWarningsAndSavesThemAsALanguageFile) {
  TStringList warnings, errors;
  warnings.SetText("[English] Button1.Caption='OK'\nno bracket at all");
  errors.SetText("[Deutsch] Label1.Caption");
  Status->Init(&warnings, &errors, nullptr);
  EXPECT_EQ(Status->LabelWarningCount()->GetText(), "2");
  EXPECT_EQ(Status->LabelErrorCount()->GetText(), "1");
  ASSERT_EQ(Status->Grid()->GetRowCount(), 4);
  EXPECT_TRUE(Status->Grid()->GetEnabled());
  EXPECT_EQ(Row(0), (std::vector<String>{"Type", "Section", "Text"}));
  EXPECT_EQ(Row(1), (std::vector<String>{"Error", "Deutsch", "Label1.Caption"}));
  EXPECT_EQ(Row(2), (std::vector<String>{"Warning", "English", "Button1.Caption='OK'"}));
  EXPECT_EQ(Row(3), (std::vector<String>{"Warning", "", "no bracket at all"}));

  // The first name exists: No asks again, Yes replaces it (read-only as it is).
  const String taken = Dir + "taken.txt", chosen = Dir + "status.txt";
  WriteFileAtomically(taken, "old");
  std::filesystem::permissions(taken, std::filesystem::perms::owner_read);
  std::deque<String> names = {taken, chosen};
  TDialogScript answer([&](TCommonDialog* d) {
    static_cast<TSaveDialog*>(d)->SetFileName(names.front());
    names.pop_front();
    return true;
  });
  TEditorSession messages;
  messages.Answers = {mrNo};
  {
    TModalScript script([&](TCustomForm* f) { messages.Answer(dynamic_cast<TMyMsgForm*>(f)); });
    Status->ButtonPanelSaveClick(nullptr);
  }
  ASSERT_EQ(messages.Messages.size(), 1u);
  EXPECT_EQ(messages.Messages[0], "Destination file already exists. Overwrite '" + taken + "'?");
  EXPECT_EQ(ReadTextFile(taken), "old");
  TMemIniFile saved(chosen);
  EXPECT_EQ(saved.ReadString("Deutsch", "Label1.Caption", "?"), "");
  EXPECT_EQ(saved.ReadString("English", "Button1.Caption", "?"), "'OK'");
  EXPECT_EQ(saved.ReadString("", "no bracket at all", "?"), "");

  names = {taken};
  messages.Answers = {mrYes};
  {
    TModalScript script([&](TCustomForm* f) { messages.Answer(dynamic_cast<TMyMsgForm*>(f)); });
    Status->ButtonPanelSaveClick(nullptr);
  }
  EXPECT_NE(ReadTextFile(taken).find("Button1.Caption='OK'"), String::npos);
}

TEST_F(StatusTest, NothingToReportGivesADisabledGridThatCannotBeSaved) {
  TStringList none;
  Status->Init(&none, &none, nullptr);
  EXPECT_EQ(Status->LabelWarningCount()->GetText(), "0");
  EXPECT_EQ(Status->LabelErrorCount()->GetText(), "0");
  EXPECT_FALSE(Status->Grid()->GetEnabled());
  bool asked = false;
  TDialogScript answer([&](TCommonDialog*) { return asked = true; });
  Status->ButtonPanelSaveClick(nullptr);
  EXPECT_FALSE(asked);
}

// ---- overview -----------------------------------------------------------------------------------

// Every node as "level: text", depth first.
std::vector<String> Nodes(TTreeView* tree) {
  std::vector<String> nodes;
  for (TTreeNode* n = tree->GetItems()->GetFirstNode(); n; n = n->GetNext())
    nodes.push_back(IntToStr(n->Level()) + ": " + n->Text());
  return nodes;
}

bool Has(const std::vector<String>& nodes, const String& node) {
  return std::find(nodes.begin(), nodes.end(), node) != nodes.end();
}

TEST(GlottaViewTest, ShowsEveryFrameOfTwoDomainsWithItsMembers) {
  auto makeForm = [](const char* name, const char* caption, const char* domain) {
    auto* form = new TForm(nullptr, TCreateNew{});
    form->SetName(name);
    form->SetText(caption);
    auto* glotta = new TGlotta(form);
    glotta->SetName("Glotta");
    TLanguageEntry* l = glotta->LanguageManager()->Langs()->Add();
    l->SetName("English");
    l->SetSubIndex(0);
    glotta->LanguageManager()->Init(cmInitAll);
    glotta->SetDomain(domain);
    glotta->SetLanguage("English");
    return std::unique_ptr<TForm>(form);
  };
  auto alpha = makeForm("AlphaForm", "Alpha window", "Alpha");
  auto beta = makeForm("BetaForm", "", "Beta");
  std::unique_ptr<TGlotta> unit(new TGlotta(Application));
  std::vector<String> nodes;
  bool collapsible = true;
  TModalScript script([&](TCustomForm* f) {
    auto* view = dynamic_cast<TGlottaViewForm*>(f);
    ASSERT_NE(view, nullptr);
    view->Glotta()->SetLanguage("English");
    view->Init();
    nodes = Nodes(view->TreeView());
    view->TreeViewCollapsing(view->TreeView(), view->TreeView()->GetItems()->GetFirstNode(), collapsible);
    view->SetModalResult(mrOk);
  });
  RunGlottaView();
  ASSERT_GE(nodes.size(), 3u);
  EXPECT_EQ(nodes[0], "0: Glotta");
  EXPECT_EQ(nodes[1], "1: Unnamed frames");
  EXPECT_FALSE(collapsible);
  auto frameIndex = [](const char* name) {
    for (int i = 0; i < DomainFrames()->Count(); ++i)
      if (DomainFrames()->Items(i)->Name() == name) return i;
    return -1;
  };
  const String unitOfForm = alpha->ClassType()->UnitName().empty() ? "" : " (" + alpha->ClassType()->UnitName() + ")";
  EXPECT_TRUE(Has(nodes, "1: Named frames"));
  EXPECT_TRUE(Has(nodes, "2: #" + IntToStr(frameIndex("Alpha")) + " - Alpha (English)"));
  EXPECT_TRUE(Has(nodes, "3: AlphaForm: TForm" + unitOfForm + " - 'Alpha window' (English)"));
  EXPECT_TRUE(Has(nodes, "2: #" + IntToStr(frameIndex("Beta")) + " - Beta (English)"));
  EXPECT_TRUE(Has(nodes, "3: BetaForm: TForm" + unitOfForm + " (English)"));
  EXPECT_TRUE(Has(nodes, "3: Multilingual unit (" + unit->GetLanguage() + ")"));
  // The package's own hidden domain stays out of the picture.
  for (const String& node : nodes) EXPECT_EQ(node.find(".Private"), String::npos) << node;
}

}  // namespace
}  // namespace xel::test

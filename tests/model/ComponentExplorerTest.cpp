#include <gtest/gtest.h>

#include "ComponentExplorer.h"
#include "ModelFixtures.h"

namespace xel::test {
namespace {

// Sub-objects that can be read and written, as the enumeration takes them.
class TExplorerTitle : public TPersistent {
  XEL_CLASS(TExplorerTitle, TPersistent)
public:
  String FCaption, FTitleFont;
  void Assign(TPersistent* source) override {
    auto* s = static_cast<TExplorerTitle*>(source);
    FCaption = s->FCaption;
  }
  static auto Published() {
    using C = TExplorerTitle;
    return PropTable<C>(Prop("Caption", &C::FCaption, &C::FCaption), Prop("TitleFont", &C::FTitleFont, &C::FTitleFont));
  }
};

class TExplorerColumn : public TCollectionItem {
  XEL_CLASS(TExplorerColumn, TCollectionItem)
public:
  using TCollectionItem::TCollectionItem;
  TExplorerTitle* GetTitle() const { return FTitle.get(); }
  void SetTitle(TExplorerTitle* v) { FTitle->Assign(v); }
  static auto Published() {
    return PropTable<TExplorerColumn>(Prop("Title", &TExplorerColumn::GetTitle, &TExplorerColumn::SetTitle));
  }

private:
  std::unique_ptr<TExplorerTitle> FTitle = std::make_unique<TExplorerTitle>();
};

class TExplorerWidget : public TComponent {
  XEL_CLASS(TExplorerWidget, TComponent)
public:
  explicit TExplorerWidget(TComponent* owner) : TComponent(owner) {}
  TExplorerTitle* GetTitle() const { return FTitle.get(); }
  void SetTitle(TExplorerTitle* v) { FTitle->Assign(v); }
  TStringList* GetLines() const { return FLines.get(); }
  void SetLines(TStringList* v) { FLines->Assign(v); }
  TCollection* GetColumns() const { return FColumns.get(); }
  void SetColumns(TCollection* v) { FColumns->Assign(v); }

  String FCaption, FHint, FText, FItems;
  Integer FTag = 0;
  bool FChecked = false;
  TComponent* FBuddy = nullptr;

  static auto Published() {
    using C = TExplorerWidget;
    return PropTable<C>(Prop("Caption", &C::FCaption, &C::FCaption), Prop("Hint", &C::FHint, &C::FHint),
                        Prop("Text", &C::FText, &C::FText), Prop("Items", &C::FItems, &C::FItems),
                        Prop("Tag", &C::FTag, &C::FTag), Prop("Checked", &C::FChecked, &C::FChecked),
                        Prop("Title", &C::GetTitle, &C::SetTitle), Prop("Lines", &C::GetLines, &C::SetLines),
                        Prop("Columns", &C::GetColumns, &C::SetColumns), Prop("Buddy", &C::FBuddy, &C::FBuddy));
  }

private:
  std::unique_ptr<TExplorerTitle> FTitle = std::make_unique<TExplorerTitle>();
  std::unique_ptr<TStringList> FLines = std::make_unique<TStringList>();
  std::unique_ptr<TCollection> FColumns = std::make_unique<TOwnedCollection>(this, TExplorerColumn::StaticClass());
};

class ComponentExplorerTest : public testing::Test {
protected:
  static void SetUpTestSuite() {
    RegisterModelFixtures();
    RegisterComponentExplorerClasses();
    RegisterClasses({TExplorerWidget::StaticClass(), TExplorerColumn::StaticClass(), TExplorerTitle::StaticClass()});
  }
  void SetUp() override {
    root.SetName("Form1");
    widget = new TExplorerWidget(&root);
    widget->SetName("Widget1");
    widget->FCaption = "OK";
    widget->FHint = "";
    widget->FTag = 3;
    widget->GetLines()->SetText("one\n\nthree");
    static_cast<TExplorerColumn*>(widget->GetColumns()->Add())->GetTitle()->FCaption = "Name";
    static_cast<TExplorerColumn*>(widget->GetColumns()->Add());
    widget->GetTitle()->FCaption = "Title";
    widget->FBuddy = widget;
  }
  // Every property path the enumeration offers, "Widget1.Lines.Strings[0]".
  std::vector<String> Offered(const TCESettings* settings) {
    TMainEntries entries(nullptr, TPropertyEntry::StaticClass());
    AddRootToMainEntries(&root, &entries, settings, nullptr);
    std::vector<String> out;
    for (int i = 0; i < entries.Count(); ++i) {
      TStringList paths;
      entries.Items(i)->MoveSubItemsToStrings(mmNameOnly, &paths);
      for (int k = 0; k < paths.Count(); ++k) out.push_back(entries.Items(i)->Name() + "." + paths[k]);
    }
    return out;
  }
  TComponent root{nullptr};
  TExplorerWidget* widget = nullptr;
};

TEST_F(ComponentExplorerTest, SettingsStartWithTheirDefaultsAndTellWhatToRebuild) {
  TCESettings s;
  EXPECT_TRUE(s.GetInfoBarVisible());
  EXPECT_EQ(s.GetPropFilter(), (TPropFilter{pfCaption, pfHint, pfStrings, pfText, pfAssigned}));
  EXPECT_EQ(s.GetTypeKinds().Bits(), 7934u);
  EXPECT_TRUE(s.GetSortByCompName());

  std::vector<TCERebuild> told;
  struct TListener {
    std::vector<TCERebuild>* Told;
    void Changed(TCESettings*, TCERebuild r) { Told->push_back(r); }
  } listener{&told};
  s.OnChange = MakeMethod<&TListener::Changed>(&listener);
  s.SetSortByVisible(false);
  s.SetPropFilter({pfAll});
  s.SetPropFilterText("Title");
  s.SetSortByCompName(false);
  s.SetTypeKinds({tkLString});
  EXPECT_EQ(told, (std::vector<TCERebuild>{rbNone, rbSource, rbSource, rbBoth, rbBoth}));

  TCESettings copy;
  told.clear();
  copy.OnChange = MakeMethod<&TListener::Changed>(&listener);
  copy.Assign(&s);
  EXPECT_EQ(told, std::vector<TCERebuild>{rbBoth});
  EXPECT_FALSE(copy.GetSortByVisible());
  EXPECT_EQ(copy.GetPropFilter(), TPropFilter{pfAll});
  EXPECT_EQ(copy.GetPropFilterText(), "Title");
  EXPECT_EQ(copy.GetTypeKinds(), TTypeKinds{tkLString});
}

TEST_F(ComponentExplorerTest, FilterPassesByNameAndAssignedValue) {
  PPropInfo caption = GetPropInfo(widget, "Caption");
  PPropInfo hint = GetPropInfo(widget, "Hint");
  PPropInfo tag = GetPropInfo(widget, "Tag");
  struct TCase {
    TPropFilter Filter;
    const char* Text;
    const char* Name;
    PPropInfo Prop;
    bool Visible;
  } cases[] = {
      {{pfCaption}, "", "Caption", caption, true},
      {{pfCaption}, "", "caption", nullptr, true},
      {{pfHint}, "", "Caption", caption, false},
      {{pfStrings}, "", "Strings[12]", nullptr, true},
      {{pfText}, "", "Text", nullptr, true},
      {{pfUser}, "Title Items", "Title", nullptr, true},
      {{pfUser}, "Title Items", "items", nullptr, true},
      {{pfUser}, "Title Items", "TitleFont", nullptr, false},
      {{pfUser}, "", "Title", nullptr, false},
      {{pfAll}, "", "Tag", tag, true},
      {{pfHint, pfAssigned}, "", "Hint", hint, false},  // empty text
      {{pfCaption, pfAssigned}, "", "Caption", caption, true},
      {{pfAll, pfAssigned}, "", "Tag", tag, true},
  };
  for (const TCase& c : cases) {
    TCESettings s;
    s.SetPropFilter(c.Filter);
    s.SetPropFilterText(c.Text);
    EXPECT_EQ(s.IsPropVisible(c.Name, "", c.Prop ? widget : nullptr, c.Prop), c.Visible) << c.Name << " / " << c.Text;
  }
  TCESettings assigned;
  assigned.SetPropFilter({pfAll, pfAssigned});
  widget->FTag = 0;
  EXPECT_FALSE(assigned.IsPropVisible("Tag", "Integer", widget, tag));
}

TEST_F(ComponentExplorerTest, DefaultFilterOffersTextsLinesAndCollectionItems) {
  EXPECT_EQ(Offered(nullptr), (std::vector<String>{"Widget1.Caption", "Widget1.Title.Caption",
                                                    "Widget1.Lines.Strings[0]", "Widget1.Lines.Strings[2]",
                                                    "Widget1.Columns[0].Title.Caption"}));
}

TEST_F(ComponentExplorerTest, UserWordsAndKindsDecideWhatElseIsOffered) {
  TCESettings s;
  s.SetPropFilter({pfUser});
  s.SetPropFilterText("Tag Checked TitleFont");
  EXPECT_EQ(Offered(&s), (std::vector<String>{"Widget1.Tag", "Widget1.Checked", "Widget1.Title.TitleFont",
                                               "Widget1.Columns[0].Title.TitleFont",
                                               "Widget1.Columns[1].Title.TitleFont", "Form1.Tag"}));
  // Without the class kind nothing below the component is reached.
  s.SetTypeKinds(DefaultCETypeKinds - TTypeKinds{tkClass});
  EXPECT_EQ(Offered(&s), (std::vector<String>{"Widget1.Tag", "Widget1.Checked", "Form1.Tag"}));
  // The root itself comes last; a component without name is left out.
  auto* second = new TExplorerWidget(&root);
  second->FCaption = "unnamed";
  TMainEntries entries(nullptr, TPropertyEntry::StaticClass());
  TCESettings captions;
  captions.SetPropFilter({pfCaption});
  AddRootToMainEntries(&root, &entries, &captions, nullptr);
  ASSERT_EQ(entries.Count(), 1);  // the root has no caption
  EXPECT_EQ(entries.Items(0)->Name(), "Widget1");
}

TEST_F(ComponentExplorerTest, ItemsAreOfTheGivenClassAndBoundToTheirProperties) {
  TComponentEntries entries(nullptr, TPropertyEntry::StaticClass());
  TPropVisibleEvent onlyCaption;
  struct TOnly {
    void Visible(const String& name, const String&, PPropInfo, TObject*, bool& visible) { visible = name == "Caption"; }
  } only;
  onlyCaption = MakeMethod<&TOnly::Visible>(&only);
  AddRootToMainEntries(&root, &entries, nullptr, TPropertyEntry::StaticClass(), onlyCaption);
  ASSERT_EQ(entries.Count(), 1);
  TComponentEntry* e = entries.Items(0);
  EXPECT_EQ(e->GetRef(), widget);
  ASSERT_EQ(e->GetProps()->Count(), 1);
  EXPECT_EQ(e->GetProps()->Items(0)->GetValue().AsString(), "OK");
  // The callback rejects the lines ("Strings"), so only sub-objects with captions remain.
  EXPECT_EQ(e->GetItems()->IndexOfName("Lines"), -1);
  TCESettings s;
  EXPECT_TRUE(s.IsPropVisibleEx(nullptr, e->GetProps()->Items(0)));
  widget->FCaption = "";
  EXPECT_FALSE(s.IsPropVisibleEx(nullptr, e->GetProps()->Items(0)));
  EXPECT_FALSE(s.IsPropVisibleEx(widget, e->GetProps()->Items(0)));
}

}  // namespace
}  // namespace xel::test

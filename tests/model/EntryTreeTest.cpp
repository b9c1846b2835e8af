#include <gtest/gtest.h>

#include "ModelFixtures.h"
#include "../host/core/RegistryCheck.h"
#include "TextForms.h"

namespace xel::test {
namespace {

TEST(EntryTreeTest, EveryPublishedPropertyOfTheModelClassesWorks) {
  RegisterModelFixtures();
  EXPECT_GT(CheckRegisteredClasses(), 20);
}

TEST(EntryTreeTest, ItemIndexOfNames) {
  struct Case {
    const char* name;
    bool ok;
    int index;
  };
  const Case cases[] = {{"Strings[12]", true, 12}, {"[5]", true, 5},       {"Columns[0]", true, 0},
                        {"Strings[]", false, -1},  {"Strings[x]", false, -1}, {"Strings", false, -1},
                        {"5]", false, -1},         {"Strings12]", false, -1}, {"]", false, -1}};
  TPropertyEntries props(nullptr, nullptr);
  auto* e = static_cast<TPropertyEntry*>(props.Add());
  for (const Case& c : cases) {
    e->SetName(c.name);
    int index = 99;
    EXPECT_EQ(e->GetItemIndex(index), c.ok) << c.name;
    EXPECT_EQ(index, c.index) << c.name;
  }
}

// A form with one widget and a tree naming Caption, Font.Name, Lines.Strings[2] and
// Columns[1].Title.Caption of it.
struct TTreeFixture {
  std::unique_ptr<TDataModule> Form = std::make_unique<TDataModule>(nullptr);
  TTreeHolder* Holder;
  TModelWidget* W;
  TComponentEntry* Entry;

  TTreeFixture() {
    RegisterModelFixtures();
    Form->SetName("Form1");
    Holder = new TTreeHolder(Form.get());
    Holder->SetName("Holder");
    W = new TModelWidget(Form.get());
    W->SetName("W");
    W->FCaption = "OK";
    W->GetFont()->FName = "Tahoma";
    W->GetLines()->SetText("zero\none\ntwo");
    W->GetColumns()->Add();
    static_cast<TModelColumn*>(W->GetColumns()->Add())->GetTitle()->FCaption = "Price";
    TComponentEntries* comps = Holder->GetComps();
    Entry = static_cast<TComponentEntry*>(TMainEntry::Create(comps, W, "W", "TModelWidget", {stPubPropObject}));
    TPropertyEntry::Create(Entry, "Caption", "", tkLString);
    TMainEntry* font = TMainEntry::Create(Entry->GetItems(), nullptr, "Font", "", {stPubPropObject});
    TPropertyEntry::Create(font, "Name", "", tkLString);
    TMainEntry* lines = TMainEntry::Create(Entry->GetItems(), nullptr, "Lines", "", {stTStringsObject});
    TPropertyEntry::Create(lines, "Strings[2]", "", tkLString);
    TMainEntry* col = TMainEntry::Create(Entry->GetItems(), nullptr, "Columns[1]", "",
                                         {stPubPropObject, stCollectionObject});
    TMainEntry* title = TMainEntry::Create(col->GetItems(), nullptr, "Title", "", {stPubPropObject});
    TPropertyEntry::Create(title, "Caption", "", tkLString);
    comps->Init();
  }

  std::vector<String> Lines(TMoveSubItemsMode mode) const {
    TStringList list;
    Holder->GetComps()->MoveSubItemsToStrings(mode, &list);
    std::vector<String> r;
    for (int i = 0; i < list.Count(); ++i) r.push_back(list[i]);
    return r;
  }

  Variant ValueAt(int line) const {
    TStringList list;
    Holder->GetComps()->MoveSubItemsToStrings(mmNameOnly, &list);
    return static_cast<TPropertyEntry*>(list.Objects(line))->GetValue();
  }
};

TEST(EntryTreeTest, InitBindsEveryLevelAndValuesReadAndWrite) {
  TTreeFixture f;
  EXPECT_EQ(f.Lines(mmNameOnly),
            (std::vector<String>{"Caption", "Font.Name", "Lines.Strings[2]", "Columns[1].Title.Caption"}));
  EXPECT_EQ(f.Lines(mmNameAndType), (std::vector<String>{"Caption: String", "Font.Name: String",
                                                         "Lines.Strings[2]: String", "Columns[1].Title.Caption: String"}));
  EXPECT_EQ(f.ValueAt(0), Variant("OK"));
  EXPECT_EQ(f.ValueAt(1), Variant("Tahoma"));
  EXPECT_EQ(f.ValueAt(2), Variant("two"));
  EXPECT_EQ(f.ValueAt(3), Variant("Price"));
  TStringList list;
  f.Holder->GetComps()->MoveSubItemsToStrings(mmNameOnly, &list);
  static_cast<TPropertyEntry*>(list.Objects(2))->SetValue(Variant(42));
  EXPECT_EQ(f.W->GetLines()->Strings(2), "42");
  static_cast<TPropertyEntry*>(list.Objects(3))->SetValue(Variant("Cost"));
  EXPECT_EQ(static_cast<TModelColumn*>(f.W->GetColumns()->Items(1))->GetTitle()->FCaption, "Cost");
  EXPECT_EQ(f.Entry->Name(), "W");
  EXPECT_EQ(f.Entry->TypeName(), "TModelWidget");
  EXPECT_EQ(f.Entry->GetDisplayName(), "W:TModelWidget");
}

TEST(EntryTreeTest, ItemsThatNoLongerExistAreDroppedByInit) {
  TTreeFixture f;
  TPropertyEntry::Create(f.Entry, "Gone", "", tkLString);       // no longer published
  TPropertyEntry::Create(f.Entry, "Caption", "", tkInteger);    // published, but of another kind
  TMainEntry* lines = f.Entry->GetItems()->Items(1);
  TPropertyEntry::Create(lines, "Strings[3]", "", tkLString);   // beyond the last line
  f.Holder->GetComps()->Init();
  EXPECT_EQ(f.Lines(mmNameOnly),
            (std::vector<String>{"Caption", "Font.Name", "Lines.Strings[2]", "Columns[1].Title.Caption"}));
  // A collection item that went away takes its whole entry with it.
  delete f.W->GetColumns()->Items(1);
  f.Holder->GetComps()->Init();
  EXPECT_EQ(f.Lines(mmNameOnly), (std::vector<String>{"Caption", "Font.Name", "Lines.Strings[2]"}));
  // An item that is not bound reads as Null.
  TPropertyEntry* loose = TPropertyEntry::Create(f.Entry, "Loose", "", tkLString);
  EXPECT_TRUE(loose->GetValue().IsNull());
  loose->SetValue(Variant("ignored"));
}

TEST(EntryTreeTest, ADestroyedComponentsEntryVanishesAtOnce) {
  TTreeFixture f;
  ASSERT_EQ(f.Holder->GetComps()->Count(), 1);
  delete f.W;
  EXPECT_EQ(f.Holder->GetComps()->Count(), 0);
}

TEST(EntryTreeTest, TheTreeRoundTripsThroughAFormStream) {
  TTreeFixture f;
  // A line named by Index, as named strings are: Index is stored only for such items.
  TPropertyEntry::Create(f.Entry->GetItems()->Items(1), "Named", "", tkLString)->SetIndexValue(1);
  TStringStream s;
  s.WriteComponent(f.Form.get());
  String text = ObjectBinaryToText(s.DataString());
  // Only names, kinds and indices are stored; the component entry's name is not.
  EXPECT_NE(text.find("    Comps = <\r\n      item\r\n        Items = <\r\n          item\r\n            Name = 'Font'"),
            String::npos)
      << text;
  EXPECT_NE(text.find("        SubType = [stPubPropObject]\r\n        Ref = W\r\n      end>"), String::npos) << text;
  EXPECT_NE(text.find("            Name = 'Caption'\r\n            Kind = tkLString\r\n          end"), String::npos);
  EXPECT_EQ(text.find("Index = "), text.rfind("Index = "));
  EXPECT_NE(text.find("Name = 'Named'\r\n                Kind = tkLString\r\n                Index = 1\r\n"),
            String::npos)
      << text;
  TStringStream in(s.DataString());
  std::unique_ptr<TComponent> form(in.ReadComponent(nullptr));
  auto* holder = static_cast<TTreeHolder*>(form->FindComponent("Holder"));
  auto* w = static_cast<TModelWidget*>(form->FindComponent("W"));
  ASSERT_TRUE(holder && w);
  TComponentEntries* comps = holder->GetComps();
  ASSERT_EQ(comps->Count(), 1);
  EXPECT_EQ(comps->Items(0)->GetRef(), w);  // the forward reference was fixed up
  comps->Init();
  TStringList list;
  comps->MoveSubItemsToStrings(mmNameOnly, &list);
  ASSERT_EQ(list.Count(), 5);
  EXPECT_EQ(list[3], "Lines.Named");
  EXPECT_EQ(static_cast<TPropertyEntry*>(list.Objects(3))->GetValue(), Variant("one"));
  EXPECT_EQ(static_cast<TPropertyEntry*>(list.Objects(4))->GetValue(), Variant("Price"));
  EXPECT_EQ(comps->Items(0)->Name(), "W");
  delete w;
  EXPECT_EQ(comps->Count(), 0);  // the read tree watches its component too
}

TEST(EntryTreeTest, TraversalOrderAndComparison) {
  TTreeFixture f;
  auto* other = new TModelWidget(f.Form.get());
  other->SetName("Other");
  TMainEntry* second = TMainEntry::Create(f.Holder->GetComps(), other, "Other", "TModelWidget", {stPubPropObject});
  TPropertyEntry::Create(second, "Hint", "", tkLString);
  TPropertyEntry::Create(f.Entry, "Hint", "", tkLString);
  f.Holder->GetComps()->Init();
  std::vector<String> visited;
  bool done = f.Holder->GetComps()->ForEachPropertyEntry(
      [&](TMainEntry* main, TPropertyEntry* item, void*, bool&) { visited.push_back(main->Name() + "." + item->Name()); },
      nullptr);
  EXPECT_TRUE(done);
  // The last component entry first; inside an entry its own items (last first) before its sub-entries.
  EXPECT_EQ(visited, (std::vector<String>{"Other.Hint", "W.Hint", "W.Caption", "Title.Caption", "Lines.Strings[2]",
                                          "Font.Name"}));
  int seen = 0;
  EXPECT_FALSE(f.Holder->GetComps()->ForEachPropertyEntry(
      [&](TMainEntry*, TPropertyEntry*, void*, bool& stop) { stop = ++seen == 2; }, nullptr));
  EXPECT_EQ(seen, 2);

  TPropertyEntries props(nullptr, nullptr);
  auto* a = static_cast<TPropertyEntry*>(props.Add());
  auto* b = static_cast<TPropertyEntry*>(props.Add());
  a->SetName("Caption");
  b->SetName("caption");
  EXPECT_TRUE(a->Compare(b));
  b->SetKind(tkInteger);
  EXPECT_FALSE(a->Compare(b));
  EXPECT_EQ(props.IndexOfProp("CAPTION"), 0);
  a->SetIndexValue(3);
  a->SetTypeName("String");
  EXPECT_EQ(a->GetDescriptor("Lines."), "Lines.Caption[3]: String");
}

class TTaggedEntry : public TPropertyEntry {
  XEL_CLASS(TTaggedEntry, TPropertyEntry)
public:
  using TPropertyEntry::TPropertyEntry;
};

TEST(EntryTreeTest, AssignModeDecidesWhoseItemClassSurvives) {
  struct TWatcher : TObject {
    std::vector<std::pair<TObject*, TPersistent*>> Calls;
    void Assigned(TObject* sender, TPersistent* source) { Calls.push_back({sender, source}); }
  } watcher;
  TMainEntries src(nullptr, TTaggedEntry::StaticClass());
  TMainEntry* e = TMainEntry::Create(&src, nullptr, "Font", "TFont", {stPubPropObject});
  TPropertyEntry::Create(e, "Name", "String", tkLString);
  TMainEntries taking(nullptr, TPropertyEntry::StaticClass());
  taking.OnAssign = MakeMethod<&TWatcher::Assigned>(&watcher);
  taking.Assign(&src);
  EXPECT_EQ(taking.PropertyItemClass(), TTaggedEntry::StaticClass());
  EXPECT_EQ(taking.Items(0)->GetProps()->Items(0)->ClassName(), "TTaggedEntry");
  ASSERT_EQ(watcher.Calls.size(), 1u);
  EXPECT_EQ(watcher.Calls[0].first, &taking);
  EXPECT_EQ(watcher.Calls[0].second, &src);
  TMainEntries keeping(nullptr, TPropertyEntry::StaticClass());
  keeping.SetAssignMode(false);
  keeping.Assign(&src);
  EXPECT_EQ(keeping.PropertyItemClass(), TPropertyEntry::StaticClass());
  EXPECT_EQ(keeping.Items(0)->GetProps()->Items(0)->ClassName(), "TPropertyEntry");
  EXPECT_EQ(keeping.Items(0)->GetProps()->Items(0)->Name(), "Name");
}

TEST(EntryTreeTest, ClassInfoAndTypeDefinitionsOfBoundItems) {
  TTreeFixture f;
  TPropertyEntry* mood = TPropertyEntry::Create(f.Entry, "Mood", "", tkEnumeration);
  f.Holder->GetComps()->Init();
  EXPECT_EQ(mood->GetTypDef(), "(mdCalm,mdBusy,mdGone)");
  std::unique_ptr<TClassInfo> info;
  ASSERT_TRUE(mood->GetClassInfo(info));
  EXPECT_EQ(info->Name(), "Mood");
  TMainEntry* title = f.Entry->GetItems()->Items(2)->GetItems()->Items(0);
  EXPECT_EQ(title->FindFirstMainEntry(), f.Entry);
  TPropertyEntry* line = f.Entry->GetItems()->Items(1)->GetProps()->Items(0);
  EXPECT_FALSE(line->GetClassInfo(info));  // a string-list line has no descriptor
  EXPECT_EQ(info, nullptr);
  EXPECT_EQ(line->GetTypDef(), "");
}

TEST(EntryTreeTest, AssignCopyMoveAndRemoveEqual) {
  TTreeFixture f;
  TComponentEntries copy(nullptr, TPropertyEntry::StaticClass());
  copy.Assign(f.Holder->GetComps());
  ASSERT_EQ(copy.Count(), 1);
  EXPECT_EQ(copy.Items(0)->GetRef(), f.W);
  copy.Init();
  TStringList list;
  copy.MoveSubItemsToStrings(mmNameOnly, &list);
  EXPECT_EQ(list.Count(), 4);

  // A component entry cannot stand for an object that is no component.
  TMainEntries plain(nullptr, nullptr);
  TMainEntry::Create(&plain, f.W->GetFont(), "Font", "TModelFont", {stPubPropObject});
  TComponentEntries target(nullptr, nullptr);
  try {
    target.Assign(&plain);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "TComponentEntry.Assign failed. Type of Ref is not TComponent");
  }

  // Copying one item into an empty tree builds the levels above it.
  TComponentEntries chosen(nullptr, TPropertyEntry::StaticClass());
  f.Holder->GetComps()->MoveSubItemsToStrings(mmNameOnly, &list);
  auto* titleCaption = static_cast<TPropertyEntry*>(list.Objects(list.Count() - 1));
  TPropertyEntry* copied = titleCaption->CopyItem(&chosen);
  ASSERT_NE(copied, nullptr);
  TStringList chosenLines;
  chosen.MoveSubItemsToStrings(mmNameOnly, &chosenLines);
  EXPECT_EQ(chosenLines.CommaText(), "Columns[1].Title.Caption");
  EXPECT_EQ(chosen.Items(0)->GetRef(), f.W);
  EXPECT_EQ(copied->GetValue(), Variant("Price"));  // objects came along with the levels

  // The explorer leaves only what was not chosen yet.
  copy.RemoveEqualPropertyEntries(&chosen);
  TStringList left;
  copy.MoveSubItemsToStrings(mmNameOnly, &left);
  EXPECT_EQ(left.CommaText(), "Caption,Font.Name,Lines.Strings[2]");

  // Moving takes the item out of its tree.
  TPropertyEntry* caption = f.Entry->GetProps()->Items(0);
  TPropertyEntry* moved = caption->MoveItem(&chosen);
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ(f.Entry->GetProps()->Count(), 0);
  chosenLines.Clear();
  chosen.MoveSubItemsToStrings(mmNameOnly, &chosenLines);
  EXPECT_EQ(chosenLines.CommaText(), "Caption,Columns[1].Title.Caption");
}

// An entry moved within its own tree is already where it would go; into its own subtree it
// cannot go at all. Either way it stays whole and nothing freed is handed back.
TEST(EntryTreeTest, MovingAnEntryIntoItsOwnTree) {
  TTreeFixture f;
  TComponentEntries* comps = f.Holder->GetComps();
  TStringList before;
  comps->MoveSubItemsToStrings(mmNameOnly, &before);
  TMainEntry* columns = f.Entry->GetItems()->Items(2);
  EXPECT_EQ(columns->MoveItem(comps, true), columns);
  EXPECT_EQ(f.Entry->MoveItem(comps, true), f.Entry);
  EXPECT_EQ(f.Entry->CopyItem(comps, true), f.Entry);
  EXPECT_EQ(f.Entry->MoveItem(columns->GetItems(), true), nullptr);
  EXPECT_EQ(f.Entry->CopyItem(f.Entry->GetItems(), false), nullptr);
  TStringList after;
  comps->MoveSubItemsToStrings(mmNameOnly, &after);
  EXPECT_EQ(after.CommaText(), before.CommaText());
  EXPECT_EQ(columns->GetItems()->Count(), 1);
}

}  // namespace
}  // namespace xel::test

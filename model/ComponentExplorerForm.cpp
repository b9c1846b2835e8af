#include "ComponentExplorerForm.h"

#include <algorithm>

#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /model/ComponentExplorerForm.cpp 1 10.12.26 20:10 XG $")

namespace xel {

namespace {

// Tree levels: the root component, the component nodes, the property nodes.
constexpr int ComponentLevel = 1;
constexpr int PropertyLevel = 2;

TTreeNode* RootNode(TTreeView* tree) { return tree->GetItems()->GetFirstNode(); }

// The children of a node stay sorted as text; a new one goes where it belongs.
TTreeNode* AddSorted(TTreeNodes* nodes, TTreeNode* parent, const String& text, void* data) {
  int lo = 0, hi = parent->Count();
  while (lo < hi) {
    int mid = (lo + hi) / 2;
    if (CompareText(parent->Item(mid)->Text(), text) <= 0) lo = mid + 1;
    else hi = mid;
  }
  TTreeNode* node =
      lo < parent->Count() ? nodes->Insert(parent->Item(lo), text) : nodes->AddChildObject(parent, text, nullptr);
  node->SetData(data);
  return node;
}

// The component node whose entry equals entry (same object, sub-type and name).
TTreeNode* FindComponentNode(TTreeNode* root, const TMainEntry* entry) {
  for (TTreeNode* n = root->GetFirstChild(); n; n = n->GetNextSibling())
    if (static_cast<TMainEntry*>(n->Data())->Compare(entry)) return n;
  return nullptr;
}

TTreeNode* FindDataNode(TTreeNode* root, const void* data) {
  for (TTreeNode* n = root->GetFirstChild(); n; n = n->GetNextSibling())
    if (n->Data() == data) return n;
  return nullptr;
}

// The node to select once node is gone: a sibling, else the parent's.
TTreeNode* Neighbour(TTreeNode* node) {
  if (!node->Parent()) return node;
  if (TTreeNode* n = node->GetNextSibling()) return n;
  if (TTreeNode* p = node->GetPrevSibling()) return p;
  return node->Level() == PropertyLevel ? Neighbour(node->Parent()) : node->Parent();
}

}  // namespace

TComponentExplorerForm::TComponentExplorerForm(TComponent* owner)
    : TSuperForm(owner), FSettings(std::make_unique<TCESettings>()) {
  FSettings->OnChange = MakeMethod<&TComponentExplorerForm::SettingsChanged>(this);
  // Set here, not in the form file: the language tool reads that file into a plain form.
  TMinMaxInfo* track = GetSizeMinTrack();
  track->SetSizeX(643);
  track->SetSizeY(256);
  track->SetEnabled(true);
}

TComponentExplorerForm::~TComponentExplorerForm() {
  FSettings->OnChange = nullptr;
  // The nodes point at entries: the views go first.
  Destroying();
  DestroyComponents();
  FreeTrees();
}

void TComponentExplorerForm::FreeTrees() {
  FSource.reset();
  FDest.reset();
}

TCheckBox* TComponentExplorerForm::FilterBox(TPropFilterEnum element) const {
  static const char* const names[] = {"BtnCaption", "BtnHint", "BtnStrings", "BtnText",
                                      "BtnUser",    "BtnAll",  "BtnAssigned"};
  return OwnedComponent<TCheckBox>(this, names[static_cast<int>(element)]);
}

void TComponentExplorerForm::AssignClassRefs(TClass itemClass) { FItemClass = itemClass; }

void TComponentExplorerForm::Notification(TComponent* component, TOperation operation) {
  TSuperForm::Notification(component, operation);
  if (operation != opRemove || component != FRoot) return;
  // The entries hold the root's objects: without the root nothing is left to show.
  FRoot = nullptr;
  FInitialized = false;
  if (ComponentState().Contains(csDestroying)) return;
  TreeSource()->GetItems()->Clear();
  TreeDest()->GetItems()->Clear();
  FreeTrees();
  UpdateButtons();
}

// ---- settings and controls -----------------------------------------------------------------------

bool TComponentExplorerForm::Live() const {
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return false;
  return !Owner() || !Owner()->ComponentState().Contains(csLoading);
}

void TComponentExplorerForm::SettingsChanged(TCESettings*, TCERebuild rebuild) {
  if (!Live() || !FindComponent("TreeSource")) return;
  SyncControls();
  if (!FInitialized || FUpdating > 0) return;
  if (rebuild == rbSource) RefreshTreeSource();
  else if (rebuild == rbBoth) RefreshTreeViews();
}

void TComponentExplorerForm::SyncControls() {
  ++FUpdating;
  TFinally done([this] { --FUpdating; });
  const TCESettings& s = *FSettings;
  for (TEdit* bar : {EditLValue(), EditRValue()}) {
    bar->SetVisible(s.GetInfoBarVisible());
    bar->Parent()->SetVisible(s.GetInfoBarVisible());
  }
  GroupFilter()->SetVisible(s.GetPropFilterVisible());
  GroupSort()->SetVisible(s.GetSortByVisible());
  OwnedComponent<TControl>(this, "PanelBottom")->SetVisible(s.GetPropFilterVisible() || s.GetSortByVisible());
  for (int e = pfCaption; e <= pfAssigned; ++e)
    FilterBox(TPropFilterEnum(e))->SetChecked(s.GetPropFilter().Contains(TPropFilterEnum(e)));
  if (EditFilter()->GetText() != s.GetPropFilterText()) EditFilter()->SetText(s.GetPropFilterText());
  if (s.GetSortByCompName()) BtnByName()->SetChecked(true);
  else BtnByType()->SetChecked(true);
  EnableFilterBoxes();
}

void TComponentExplorerForm::EnableFilterBoxes() {
  const bool specific = !FSettings->GetPropFilter().Contains(pfAll);
  for (TPropFilterEnum e : {pfCaption, pfHint, pfStrings, pfText, pfUser}) FilterBox(e)->SetEnabled(specific);
  EditFilter()->SetEnabled(specific);
}

// The two trees share what the button column leaves; the one-line edits, which do not
// align, follow the width of what holds them.
void TComponentExplorerForm::FormResize(TObject*) {
  auto* left = OwnedComponent<TControl>(this, "PanelSource");
  auto* buttons = OwnedComponent<TControl>(this, "PanelButtons");
  left->SetWidth(std::max(0, (GetClientWidth() - buttons->Width()) / 2));
  for (TEdit* bar : {EditLValue(), EditRValue()}) bar->SetWidth(bar->Parent()->GetClientWidth());
  TEdit* filter = EditFilter();
  filter->SetWidth(std::max(0, GroupFilter()->Width() - filter->Left() - 9));
}

void TComponentExplorerForm::FilterClick(TObject* sender) {
  if (FUpdating > 0) return;
  auto* box = static_cast<TCheckBox*>(sender);
  TPropFilter filter = FSettings->GetPropFilter();
  const auto element = TPropFilterEnum(box->Tag());
  if (box->GetChecked()) filter.Include(element);
  else filter.Exclude(element);
  FSettings->SetPropFilter(filter);
}

void TComponentExplorerForm::EditFilterChange(TObject*) {
  if (FUpdating > 0) return;
  {
    // Typing is taken in at once but applied when the typing pauses or ends.
    ++FUpdating;
    TFinally done([this] { --FUpdating; });
    FSettings->SetPropFilterText(EditFilter()->GetText());
  }
  FFilterModified = true;
  if (FilterBox(pfUser)->GetChecked()) {
    TimerRefresh()->SetEnabled(false);
    TimerRefresh()->SetEnabled(true);
  }
}

void TComponentExplorerForm::ApplyFilterText() {
  TimerRefresh()->SetEnabled(false);
  if (FFilterModified) RefreshTreeSource();
}

void TComponentExplorerForm::EditFilterExit(TObject*) { ApplyFilterText(); }

void TComponentExplorerForm::TimerRefreshTimer(TObject*) { ApplyFilterText(); }

// Enter takes the names typed as the filter; it must not reach the dialog's default button.
void TComponentExplorerForm::EditFilterKeyDown(TObject*, Word& key, TShiftState) {
  if (key != VK_RETURN) return;
  key = 0;
  FilterBox(pfUser)->SetChecked(true);
  ApplyFilterText();
}

void TComponentExplorerForm::SortClick(TObject*) {
  if (FUpdating > 0) return;
  FSettings->SetSortByCompName(BtnByName()->GetChecked());
}

// ---- trees ---------------------------------------------------------------------------------------

void TComponentExplorerForm::Init(TComponent* root, TMainEntries* entries) {
  const TCursor cursor = Screen->GetCursor();
  Screen->SetCursor(crHourGlass);
  TFinally restore([cursor] { Screen->SetCursor(cursor); });
  TreeSource()->GetItems()->Clear();
  TreeDest()->GetItems()->Clear();
  FSource = std::make_unique<TMainEntries>(nullptr, FItemClass);
  FDest = std::make_unique<TMainEntries>(nullptr, FItemClass);
  // The caller's tree must not replace the item class: the chosen properties come back as
  // items of the class asked for.
  FDest->SetAssignMode(false);
  if (FRoot) FRoot->RemoveFreeNotification(this);
  FRoot = root;
  if (FRoot) FRoot->FreeNotification(this);
  SyncControls();
  FParam = entries;
  if (entries) {
    FDest->Assign(entries);
    FDest->RefreshProps();
    FDest->ValidateAndPack();
  }
  FInitialized = true;
  RefreshTreeViews();
}

void TComponentExplorerForm::GetParam(TMainEntries* entries) {
  TMainEntries* target = entries ? entries : FParam;
  if (!FDest || !target) return;
  target->Assign(FDest.get());
  target->ValidateAndPack();
}

String TComponentExplorerForm::GetCompDesc(const TMainEntry* entry) const {
  if (FSettings->GetSortByCompName()) return entry->Name() + ": " + entry->TypeName();
  return entry->TypeName() + ", " + entry->Name();
}

void TComponentExplorerForm::MoveMainEntriesToTreeView(TMainEntries* entries, TTreeView* tree) {
  TTreeNodes* nodes = tree->GetItems();
  {
    nodes->BeginUpdate();
    TFinally done([nodes] { nodes->EndUpdate(); });
    nodes->Clear();
    TTreeNode* root = nodes->AddObject(nullptr, FRoot ? FRoot->Name() : String(), nullptr);
    TStringList components;
    for (int i = 0; i < entries->Count(); ++i) components.AddObject(GetCompDesc(entries->Items(i)), entries->Items(i));
    components.Sort();
    TStringList lines;
    for (int i = 0; i < components.Count(); ++i) {
      auto* entry = static_cast<TMainEntry*>(components.Objects(i));
      TTreeNode* node = nodes->AddChildObject(root, components[i], entry);
      lines.Clear();
      entry->MoveSubItemsToStrings(mmNameAndType, &lines);
      lines.Sort();
      for (int k = 0; k < lines.Count(); ++k) nodes->AddChildObject(node, lines[k], lines.Objects(k));
    }
  }
  TTreeNode* root = RootNode(tree);
  tree->SetSelected(root);
  root->Expand(false);
}

void TComponentExplorerForm::RefreshTreeSource() {
  if (FUpdating > 0 || !FRoot || !FSource) return;
  ++FNoAllButtons;
  {
    TFinally done([this] { --FNoAllButtons; });
    FFilterModified = false;
    TreeSource()->GetItems()->Clear();
    FSource->Clear();
    AddRootToMainEntries(FRoot, FSource.get(), FSettings.get(), FItemClass);
    FSource->RemoveEqualPropertyEntries(FDest.get());
    FSource->ValidateAndPack();
    MoveMainEntriesToTreeView(FSource.get(), TreeSource());
  }
  UpdateButtons();
}

void TComponentExplorerForm::RefreshTreeDest() {
  if (FUpdating > 0 || !FDest) return;
  MoveMainEntriesToTreeView(FDest.get(), TreeDest());
  UpdateButtons();
}

void TComponentExplorerForm::RefreshTreeViews() {
  RefreshTreeSource();
  RefreshTreeDest();
}

void TComponentExplorerForm::UpdateButtons() {
  auto chosen = [](TTreeView* tree) { return tree->Selected() && tree->Selected()->Level() > 0; };
  auto filled = [](TTreeView* tree) { return RootNode(tree) && RootNode(tree)->HasChildren(); };
  BtnAddProp()->SetEnabled(chosen(TreeSource()));
  BtnDelProp()->SetEnabled(chosen(TreeDest()));
  if (FNoAllButtons > 0) return;
  BtnAddAllProps()->SetEnabled(filled(TreeSource()));
  BtnDelAllProps()->SetEnabled(filled(TreeDest()));
}

void TComponentExplorerForm::ShowInfo(TTreeView* tree, TEdit* bar) const {
  TTreeNode* node = tree->Selected();
  String text;
  if (node && node->Level() == PropertyLevel) {
    auto* item = static_cast<TPropertyEntry*>(node->Data());
    try {
      text = item->Name() + " = " + VarToStr(item->GetValue());
    } catch (const Exception&) {
      text = node->Text();  // a value that cannot be read: the node says what it is
    }
  } else if (node) {
    text = node->Text();
  }
  bar->SetText(text);
}

void TComponentExplorerForm::TreeChange(TObject*, TTreeNode*) {
  for (TTreeView* tree : {TreeSource(), TreeDest()})
    if (TTreeNode* root = RootNode(tree)) root->Expand(false);
  UpdateButtons();
  ShowInfo(TreeSource(), EditLValue());
  ShowInfo(TreeDest(), EditRValue());
}

void TComponentExplorerForm::TreeCollapsing(TObject*, TTreeNode* node, bool& allowCollapse) {
  allowCollapse = node->Data() != nullptr;
}

void TComponentExplorerForm::TreeSourceDblClick(TObject*) {
  if (TTreeNode* node = TreeSource()->Selected(); node && node->Level() == PropertyLevel) BtnAddPropClick(this);
}

// ---- moving --------------------------------------------------------------------------------------

void TComponentExplorerForm::BtnAddPropClick(TObject*) {
  MoveNode(TreeSource()->Selected(), TreeSource(), TreeDest(), FDest.get());
}

void TComponentExplorerForm::BtnDelPropClick(TObject*) {
  MoveNode(TreeDest()->Selected(), TreeDest(), TreeSource(), FSource.get());
}

void TComponentExplorerForm::BtnAddAllPropsClick(TObject*) {
  MoveNode(RootNode(TreeSource()), TreeSource(), TreeDest(), FDest.get());
}

void TComponentExplorerForm::BtnDelAllPropsClick(TObject*) {
  MoveNode(RootNode(TreeDest()), TreeDest(), TreeSource(), FSource.get());
}

bool TComponentExplorerForm::Offered(const TPropertyEntry* item) const {
  TMainEntry* main = item->MainEntry();
  return FSettings->IsPropVisibleEx(main ? main->Object() : nullptr, item);
}

namespace {

// Frees the items of entry's subtree that test rejects and the sub-entries left empty;
// true when nothing is left.
template <class Test>
bool DropRejected(TMainEntry* entry, const Test& test) {
  TPropertyEntries* props = entry->GetProps();
  for (int i = props->Count() - 1; i >= 0; --i)
    if (!test(props->Items(i))) delete props->Items(i);
  if (TMainEntries* items = entry->ItemsOrNull())
    for (int i = items->Count() - 1; i >= 0; --i)
      if (DropRejected(items->Items(i), test)) delete items->Items(i);
  return props->Count() == 0 && entry->ItemCount() == 0;
}

}  // namespace

void TComponentExplorerForm::MoveNode(TTreeNode* node, TTreeView* fromTree, TTreeView* toTree,
                                      TMainEntries* toEntries) {
  if (!node || !toEntries || !RootNode(toTree)) return;
  TTreeNodes* from = fromTree->GetItems();
  TTreeNodes* to = toTree->GetItems();
  TTreeNode* next = Neighbour(node);
  TTreeNode* moved = nullptr;  // where a single node went
  {
    from->BeginUpdate();
    to->BeginUpdate();
    TFinally done([from, to] {
      to->EndUpdate();
      from->EndUpdate();
    });
    if (node->Level() == 0) {
      while (TTreeNode* child = node->GetFirstChild()) MoveComponentNode(child, toTree, toEntries);
    } else if (node->Level() == ComponentLevel) {
      moved = MoveComponentNode(node, toTree, toEntries);
    } else {
      moved = MovePropertyNode(node, toTree, toEntries);
    }
  }
  if (moved) toTree->SetSelected(moved);
  fromTree->SetSelected(next);
  if (!fromTree->Selected()) fromTree->SetSelected(RootNode(fromTree));
  TreeChange(fromTree, fromTree->Selected());
}

TTreeNode* TComponentExplorerForm::MoveComponentNode(TTreeNode* node, TTreeView* toTree, TMainEntries* toEntries) {
  auto* entry = static_cast<TMainEntry*>(node->Data());
  const bool toSource = toEntries == FSource.get();
  auto offered = [this](const TPropertyEntry* item) { return Offered(item); };
  TTreeNodes* to = toTree->GetItems();
  TTreeNode* root = RootNode(toTree);
  TStringList lines;
  TTreeNode* target = FindComponentNode(root, entry);
  if (target) {
    // The component is there already: its properties join the others.
    entry->MoveSubItemsToStrings(mmNameAndType, &lines);
    for (int i = 0; i < lines.Count(); ++i) {
      auto* item = static_cast<TPropertyEntry*>(lines.Objects(i));
      if (toSource && !Offered(item)) continue;
      if (TPropertyEntry* copy = item->CopyItem(toEntries)) AddSorted(to, target, lines[i], copy);
    }
  } else if (TMainEntry* copy = entry->CopyItem(toEntries, true)) {
    if (toSource && DropRejected(copy, offered)) {
      delete copy;
    } else {
      copy->MoveSubItemsToStrings(mmNameAndType, &lines);
      lines.Sort();
      target = AddSorted(to, root, GetCompDesc(copy), copy);
      for (int i = 0; i < lines.Count(); ++i) to->AddChildObject(target, lines[i], lines.Objects(i));
    }
  }
  node->Delete();
  delete entry;
  return target;
}

TTreeNode* TComponentExplorerForm::MovePropertyNode(TTreeNode* node, TTreeView* toTree, TMainEntries* toEntries) {
  auto* item = static_cast<TPropertyEntry*>(node->Data());
  TTreeNode* moved = nullptr;
  TTreeNode* component = node->Parent();
  const bool toSource = toEntries == FSource.get();
  if (!toSource || Offered(item)) {
    if (TPropertyEntry* copy = item->CopyItem(toEntries)) {
      TTreeNodes* to = toTree->GetItems();
      TTreeNode* root = RootNode(toTree);
      TMainEntry* top = copy->MainEntry()->FindFirstMainEntry();
      TTreeNode* target = FindDataNode(root, top);
      if (!target) target = AddSorted(to, root, GetCompDesc(top), top);
      moved = AddSorted(to, target, node->Text(), copy);
    }
  }
  node->Delete();
  delete item;
  if (!component->HasChildren()) {
    auto* entry = static_cast<TMainEntry*>(component->Data());
    component->Delete();
    delete entry;
  }
  return moved;
}

// ---- the embedding control ------------------------------------------------------------------------

void TComponentExplorer::CreateForm() {
  TFormFrame::CreateForm();
  GetSettings()->Changed(rbBoth);
}

void TComponentExplorer::Loaded() {
  TFormFrame::Loaded();
  GetSettings()->Changed(rbBoth);
}

}  // namespace xel

#include "TreeView.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "Forms.h"

namespace xel {

// ---------------------------------------------------------------- TTreeNode

TTreeNode::~TTreeNode() {
  for (TTreeNode* c : std::exchange(FChildren, {})) {
    c->FParent = nullptr;
    delete c;
  }
}

TCustomTreeView* TTreeNode::TreeView() const { return FOwner ? FOwner->Owner() : nullptr; }

void TTreeNode::SetText(const String& v) {
  if (FText == v) return;
  FText = v;
  if (FOwner) FOwner->Changed();
}

TTreeNode* TTreeNode::Item(int index) const {
  if (index < 0 || index >= Count()) throw EListError(Format(SConst::ListIndexError, {index}));
  return FChildren[index];
}

int TTreeNode::Index() const {
  const auto& list = FParent ? FParent->FChildren : FOwner->FRoots;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

int TTreeNode::Level() const {
  int level = 0;
  for (TTreeNode* p = FParent; p; p = p->FParent) ++level;
  return level;
}

TTreeNode* TTreeNode::GetNextSibling() const {
  const auto& list = FParent ? FParent->FChildren : FOwner->FRoots;
  int i = Index();
  return i + 1 < static_cast<int>(list.size()) ? list[i + 1] : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
  const auto& list = FParent ? FParent->FChildren : FOwner->FRoots;
  int i = Index();
  return i > 0 ? list[i - 1] : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
  if (!FChildren.empty()) return FChildren.front();
  for (const TTreeNode* n = this; n; n = n->FParent)
    if (TTreeNode* s = n->GetNextSibling()) return s;
  return nullptr;
}

TTreeNode* TTreeNode::GetNextVisible() const {
  if (FExpanded && !FChildren.empty()) return FChildren.front();
  for (const TTreeNode* n = this; n; n = n->FParent)
    if (TTreeNode* s = n->GetNextSibling()) return s;
  return nullptr;
}

TTreeNode* TTreeNode::GetPrevVisible() const {
  TTreeNode* p = GetPrevSibling();
  if (!p) return FParent;
  while (p->FExpanded && !p->FChildren.empty()) p = p->FChildren.back();
  return p;
}

bool TTreeNode::IsVisible() const {
  for (TTreeNode* p = FParent; p; p = p->FParent)
    if (!p->FExpanded) return false;
  return true;
}

// Expanding and collapsing ask the tree's events first; a collapse that hides the
// selection moves it to this node.
void TTreeNode::SetExpanded(bool v) {
  if (FExpanded == v) return;
  TCustomTreeView* tv = TreeView();
  bool allow = true;
  if (tv) {
    if (v) tv->OnExpanding(tv, this, allow);
    else tv->OnCollapsing(tv, this, allow);
  }
  if (!allow) return;
  FExpanded = v;
  if (tv) {
    if (!v && tv->FSelected && tv->FSelected != this) {
      for (TTreeNode* p = tv->FSelected->FParent; p; p = p->FParent)
        if (p == this) {
          tv->SetSelected(this);
          break;
        }
    }
    if (v) tv->OnExpanded(tv, this);
    else tv->OnCollapsed(tv, this);
    tv->NodesChanged();
  }
}

void TTreeNode::Expand(bool recurse) {
  if (HasChildren()) SetExpanded(true);
  if (recurse)
    for (TTreeNode* c : std::vector<TTreeNode*>(FChildren)) c->Expand(true);
}

void TTreeNode::Collapse(bool recurse) {
  if (recurse)
    for (TTreeNode* c : std::vector<TTreeNode*>(FChildren)) c->Collapse(true);
  SetExpanded(false);
}

bool TTreeNode::Selected() const {
  TCustomTreeView* tv = TreeView();
  return tv && tv->FSelected == this;
}

void TTreeNode::SetSelected(bool v) {
  TCustomTreeView* tv = TreeView();
  if (!tv) return;
  if (v) tv->SetSelected(this);
  else if (tv->FSelected == this) tv->SetSelected(nullptr);
}

void TTreeNode::Delete() {
  if (FOwner) FOwner->Detach(this);
  delete this;
}

void TTreeNode::DeleteChildren() {
  while (!FChildren.empty()) FChildren.back()->Delete();
}

void TTreeNode::Assign(TPersistent* source) {
  if (auto* n = dynamic_cast<TTreeNode*>(source)) {
    FText = n->FText;
    FData = n->FData;
    FImageIndex = n->FImageIndex;
    FSelectedIndex = n->FSelectedIndex;
    return;
  }
  TPersistent::Assign(source);
}

// ---------------------------------------------------------------- TTreeNodes

TTreeNodes::~TTreeNodes() {
  for (TTreeNode* n : std::exchange(FRoots, {})) {
    n->FOwner = nullptr;
    delete n;
  }
}

TPersistent* TTreeNodes::GetOwner() const { return FOwner; }

int TTreeNodes::Count() const {
  int n = 0;
  for (TTreeNode* node = GetFirstNode(); node; node = node->GetNext()) ++n;
  return n;
}

TTreeNode* TTreeNodes::Item(int index) const {
  int i = 0;
  for (TTreeNode* node = GetFirstNode(); node; node = node->GetNext(), ++i)
    if (i == index) return node;
  throw EListError(Format(SConst::ListIndexError, {index}));
}

TTreeNode* TTreeNodes::Attach(TTreeNode* parent, int index, const String& text, void* data) {
  auto* node = new TTreeNode(this, parent);
  node->FText = text;
  node->FData = data;
  auto& list = parent ? parent->FChildren : FRoots;
  index = std::clamp(index, 0, static_cast<int>(list.size()));
  list.insert(list.begin() + index, node);
  Changed();
  return node;
}

void TTreeNodes::Detach(TTreeNode* node) {
  if (FOwner) FOwner->NodeDeleting(node);
  auto& list = node->FParent ? node->FParent->FChildren : FRoots;
  std::erase(list, node);
  node->FOwner = nullptr;
  std::function<void(TTreeNode*)> orphan = [&](TTreeNode* n) {
    n->FOwner = nullptr;
    for (TTreeNode* c : n->FChildren) orphan(c);
  };
  orphan(node);
  Changed();
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const String& text, void* data) {
  TTreeNode* parent = sibling ? sibling->FParent : nullptr;
  return Attach(parent, INT32_MAX, text, data);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const String& text, void* data) {
  return Attach(parent, INT32_MAX, text, data);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const String& text) {
  if (!sibling) return Attach(nullptr, INT32_MAX, text, nullptr);
  return Attach(sibling->FParent, sibling->Index(), text, nullptr);
}

void TTreeNodes::Clear() {
  BeginUpdate();
  TFinally done([this] { EndUpdate(); });
  while (!FRoots.empty()) FRoots.back()->Delete();
}

void TTreeNodes::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TTreeNodes::Changed() {
  if (FUpdateCount == 0 && FOwner) FOwner->NodesChanged();
}

void TTreeNodes::Assign(TPersistent* source) {
  if (auto* src = dynamic_cast<TTreeNodes*>(source)) {
    BeginUpdate();
    TFinally done([this] { EndUpdate(); });
    Clear();
    std::function<void(TTreeNode*, TTreeNode*)> copy = [&](TTreeNode* from, TTreeNode* parent) {
      TTreeNode* n = Attach(parent, INT32_MAX, from->Text(), from->Data());
      n->Assign(from);
      for (TTreeNode* c : from->FChildren) copy(c, n);
    };
    for (TTreeNode* r : src->FRoots) copy(r, nullptr);
    return;
  }
  TPersistent::Assign(source);
}

// "Data": the number of top-level nodes, then each node as the host's node record
// (image, selected, state and overlay index, data, child count, a 255-character short
// string), its children following it.
namespace {
constexpr size_t kNodeRecord = 4 * 6 + 256;
}

void TTreeNodes::WriteData(TStream* s) const {
  std::function<void(const TTreeNode*)> write = [&](const TTreeNode* n) {
    Byte rec[kNodeRecord] = {};
    auto put = [&](size_t at, Integer v) { std::memcpy(rec + at, &v, 4); };
    put(0, n->FImageIndex);
    put(4, n->FSelectedIndex);
    put(8, -1);
    put(12, -1);
    put(16, 0);
    put(20, n->Count());
    String text = n->FText.substr(0, 255);
    rec[24] = static_cast<Byte>(text.size());
    std::memcpy(rec + 25, text.data(), text.size());
    s->WriteBuffer(rec, kNodeRecord);
    for (TTreeNode* c : n->FChildren) write(c);
  };
  auto count = static_cast<Integer>(FRoots.size());
  s->WriteBuffer(&count, 4);
  for (TTreeNode* r : FRoots) write(r);
}

void TTreeNodes::ReadData(TStream* s) {
  Clear();
  BeginUpdate();
  TFinally done([this] { EndUpdate(); });
  std::function<void(TTreeNode*, int)> read = [&](TTreeNode* parent, int depth) {
    if (depth > 256) throw EReadError("Tree nodes nested too deeply");
    Byte rec[kNodeRecord];
    s->ReadBuffer(rec, kNodeRecord);
    auto get = [&](size_t at) {
      Integer v;
      std::memcpy(&v, rec + at, 4);
      return v;
    };
    Integer children = get(20);
    if (children < 0 || static_cast<Int64>(children) * static_cast<Int64>(kNodeRecord) > s->Remaining())
      throw EReadError("Invalid tree node data");
    TTreeNode* n = Attach(parent, INT32_MAX, String(reinterpret_cast<const char*>(rec + 25), rec[24]), nullptr);
    n->FImageIndex = get(0);
    n->FSelectedIndex = get(4);
    for (Integer i = 0; i < children; ++i) read(n, depth + 1);
  };
  Integer count = 0;
  s->ReadBuffer(&count, 4);
  if (count < 0 || static_cast<Int64>(count) * static_cast<Int64>(kNodeRecord) > s->Remaining()) throw EReadError("Invalid tree node data");
  for (Integer i = 0; i < count; ++i) read(nullptr, 0);
}

void TTreeNodes::DefineProperties(TFiler* filer) {
  filer->DefineBinaryProperty(
      "Data", [this](TStream* s) { ReadData(s); }, [this](TStream* s) { WriteData(s); }, !FRoots.empty());
}

// ---------------------------------------------------------------- TCustomTreeView

TCustomTreeView::TCustomTreeView(TComponent* owner)
    : TWinControl(owner), FItems(std::make_unique<TTreeNodes>(this)), FCanvas(std::make_unique<TCanvas>()) {
  FControlStyle = {csCaptureMouse, csClickEvents, csDoubleClicks};
  SetTabStop(true);
  SetBounds(0, 0, 121, 97);
}

TCustomTreeView::~TCustomTreeView() {
  FSelected = nullptr;
  FItems.reset();
}

void TCustomTreeView::NodeDeleting(TTreeNode* node) {
  OnDeletion(this, node);
  if (FSelected) {
    for (TTreeNode* n = FSelected; n; n = n->Parent())
      if (n == node) {
        FSelected = nullptr;
        break;
      }
  }
}

void TCustomTreeView::SetSelected(TTreeNode* node) {
  if (node == FSelected) return;
  bool allow = true;
  OnChanging(this, node, allow);
  if (!allow) return;
  FSelected = node;
  if (node)
    for (TTreeNode* p = node->Parent(); p; p = p->Parent()) p->FExpanded = true;  // the selection is shown
  Changed(waSelection);
  OnChange(this, node);
}

void TCustomTreeView::SetShowRoot(bool v) {
  if (SetIfChanged(FShowRoot, v)) Changed(waStyle);
}
void TCustomTreeView::SetShowLines(bool v) {
  if (SetIfChanged(FShowLines, v)) Changed(waStyle);
}
void TCustomTreeView::SetShowButtons(bool v) {
  if (SetIfChanged(FShowButtons, v)) Changed(waStyle);
}
void TCustomTreeView::SetIndent(Integer v) {
  if (SetIfChanged(FIndent, v)) Changed(waStyle);
}
void TCustomTreeView::SetHideSelection(bool v) {
  if (SetIfChanged(FHideSelection, v)) Changed(waStyle);
}

Integer TCustomTreeView::ItemHeight() const { return ScreenTextExtent(*GetFont(), "Xy").Y + 3; }

std::vector<TTreeNode*> TCustomTreeView::VisibleNodes() const {
  std::vector<TTreeNode*> rows;
  for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNextVisible()) rows.push_back(n);
  return rows;
}

TTreeNode* TCustomTreeView::TopItem() const {
  std::vector<TTreeNode*> rows = VisibleNodes();
  return FTopIndex < static_cast<Integer>(rows.size()) ? rows[FTopIndex] : nullptr;
}

TTreeNode* TCustomTreeView::GetNodeAt(Integer x, Integer y) const {
  if (x < 0 || y < 0) return nullptr;
  std::vector<TTreeNode*> rows = VisibleNodes();
  Integer row = FTopIndex + y / ItemHeight();
  return row < static_cast<Integer>(rows.size()) ? rows[row] : nullptr;
}

void TCustomTreeView::FullExpand() {
  for (TTreeNode* r : std::vector<TTreeNode*>(FItems->Roots())) r->Expand(true);
}

void TCustomTreeView::FullCollapse() {
  for (TTreeNode* r : std::vector<TTreeNode*>(FItems->Roots())) r->Collapse(true);
}

// A click on a node's button (left of its text) toggles it; anywhere on the row selects.
void TCustomTreeView::MouseDown(TMouseButton button, TShiftState shift, Integer x, Integer y) {
  if (IsEnabled() && (button == mbLeft || button == mbRight)) {
    if (TTreeNode* n = GetNodeAt(x, y)) {
      Integer indent = (n->Level() + (FShowRoot ? 1 : 0)) * FIndent;
      if (button == mbLeft && FShowButtons && n->HasChildren() && x < indent && x >= indent - FIndent)
        n->SetExpanded(!n->Expanded());
      else
        SetSelected(n);
    }
  }
  TWinControl::MouseDown(button, shift, x, y);
}

void TCustomTreeView::DblClick() {
  if (FSelected && FSelected->HasChildren()) FSelected->SetExpanded(!FSelected->Expanded());
  TWinControl::DblClick();
}

bool TCustomTreeView::WantsKey(Word key, TShiftState) const {
  return key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT || key == VK_HOME || key == VK_END;
}

void TCustomTreeView::KeyDown(Word& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  TTreeNode* n = FSelected;
  std::vector<TTreeNode*> rows = VisibleNodes();
  switch (key) {
    case VK_DOWN:
      if (!n && !rows.empty()) SetSelected(rows.front());
      else if (n && n->GetNextVisible()) SetSelected(n->GetNextVisible());
      break;
    case VK_UP:
      if (n && n->GetPrevVisible()) SetSelected(n->GetPrevVisible());
      break;
    case VK_HOME:
      if (!rows.empty()) SetSelected(rows.front());
      break;
    case VK_END:
      if (!rows.empty()) SetSelected(rows.back());
      break;
    case VK_RIGHT:
      if (n && n->HasChildren()) {
        if (!n->Expanded()) n->SetExpanded(true);
        else SetSelected(n->GetFirstChild());
      }
      break;
    case VK_LEFT:
      if (n && n->Expanded()) n->SetExpanded(false);
      else if (n && n->Parent()) SetSelected(n->Parent());
      break;
    default: return;
  }
  key = 0;
}

void TCustomTreeView::PaintWindow(TCanvas* canvas) {
  TCanvas* c = FCanvas.get();
  TCanvasScope scope(c, canvas, GetFont());
  c->Brush()->SetColor(GetColor());
  c->FillRect(Rect(0, 0, Width(), Height()));
  Integer h = ItemHeight();
  std::vector<TTreeNode*> rows = VisibleNodes();
  for (size_t i = static_cast<size_t>(FTopIndex); i < rows.size(); ++i) {
    TTreeNode* n = rows[i];
    Integer y = static_cast<Integer>(i - FTopIndex) * h;
    if (y > Height()) break;
    Integer x = (n->Level() + (FShowRoot ? 1 : 0)) * FIndent;
    if (FShowButtons && n->HasChildren()) c->TextOut(x - FIndent + 4, y, n->Expanded() ? "-" : "+");
    bool selected = n == FSelected && (!FHideSelection || Focused());
    TPoint ext = c->TextExtent(n->Text());
    if (selected) {
      c->Brush()->SetColor(clHighlight);
      c->FillRect(Rect(x, y, x + ext.X + 4, y + h));
      c->Font()->SetColor(clHighlightText);
    }
    c->Brush()->SetStyle(bsClear);
    c->TextOut(x + 2, y + 1, n->Text());
    c->Font()->SetColor(GetFont()->GetColor());
    c->Brush()->SetColor(GetColor());
  }
}

void RegisterTreeViewClasses() { RegisterClasses({TTreeView::StaticClass()}); }

}  // namespace xel

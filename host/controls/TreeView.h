// The tree view and its nodes (the host's ComCtrls tree).
#pragma once

#include <memory>
#include <vector>

#include "StdCtrls.h"

namespace xel {

class TTreeNodes;
class TCustomTreeView;

class TTreeNode : public TPersistent {
  XEL_CLASS(TTreeNode, TPersistent)
public:
  TTreeNode(TTreeNodes* owner, TTreeNode* parent) : FOwner(owner), FParent(parent) {}
  ~TTreeNode() override;

  const String& Text() const { return FText; }
  void SetText(const String& v);
  void* Data() const { return FData; }
  void SetData(void* v) { FData = v; }
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer v) { FImageIndex = v; }
  Integer SelectedIndex() const { return FSelectedIndex; }
  void SetSelectedIndex(Integer v) { FSelectedIndex = v; }

  TTreeNode* Parent() const { return FParent; }
  TTreeNodes* Owner() const { return FOwner; }
  TCustomTreeView* TreeView() const;
  int Count() const { return static_cast<int>(FChildren.size()); }
  TTreeNode* Item(int index) const;
  bool HasChildren() const { return !FChildren.empty(); }
  int Index() const;
  int Level() const;
  // The node below this one in the whole tree (depth first), and the visible one.
  TTreeNode* GetNext() const;
  TTreeNode* GetNextVisible() const;
  TTreeNode* GetPrevVisible() const;
  TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
  TTreeNode* GetNextSibling() const;
  TTreeNode* GetPrevSibling() const;
  // Shown: every parent expanded.
  bool IsVisible() const;
  bool Expanded() const { return FExpanded; }
  void SetExpanded(bool v);
  void Expand(bool recurse);
  void Collapse(bool recurse);
  bool Selected() const;
  void SetSelected(bool v);
  // Frees the node and its children.
  void Delete();
  void DeleteChildren();
  void Assign(TPersistent* source) override;

private:
  friend class TTreeNodes;
  friend class TCustomTreeView;
  TTreeNodes* FOwner;
  TTreeNode* FParent;
  std::vector<TTreeNode*> FChildren;
  String FText;
  void* FData = nullptr;
  Integer FImageIndex = -1;
  Integer FSelectedIndex = -1;
  bool FExpanded = false;
};

// The nodes of a tree; stores them as the host does, in its "Data" property.
class TTreeNodes : public TPersistent {
  XEL_CLASS(TTreeNodes, TPersistent)
public:
  explicit TTreeNodes(TCustomTreeView* owner) : FOwner(owner) {}
  ~TTreeNodes() override;
  TCustomTreeView* Owner() const { return FOwner; }
  TPersistent* GetOwner() const override;

  // Count and Item run over the whole tree, depth first.
  int Count() const;
  TTreeNode* Item(int index) const;
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front(); }
  const std::vector<TTreeNode*>& Roots() const { return FRoots; }
  // After the last sibling of `sibling` (nullptr: at the top level).
  TTreeNode* Add(TTreeNode* sibling, const String& text) { return AddObject(sibling, text, nullptr); }
  TTreeNode* AddObject(TTreeNode* sibling, const String& text, void* data);
  TTreeNode* AddChild(TTreeNode* parent, const String& text) { return AddChildObject(parent, text, nullptr); }
  TTreeNode* AddChildObject(TTreeNode* parent, const String& text, void* data);
  // Before `sibling`.
  TTreeNode* Insert(TTreeNode* sibling, const String& text);
  void Delete(TTreeNode* node) { node->Delete(); }
  void Clear();
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  void Assign(TPersistent* source) override;
  void DefineProperties(TFiler* filer) override;

private:
  friend class TTreeNode;
  TTreeNode* Attach(TTreeNode* parent, int index, const String& text, void* data);
  void Detach(TTreeNode* node);
  void Changed();
  void ReadData(TStream* s);
  void WriteData(TStream* s) const;
  TCustomTreeView* FOwner;
  std::vector<TTreeNode*> FRoots;
  int FUpdateCount = 0;
};

XEL_EVENT(TTVChangedEvent, TObject* /*Sender*/, TTreeNode* /*Node*/);
XEL_EVENT(TTVChangingEvent, TObject* /*Sender*/, TTreeNode* /*Node*/, bool& /*AllowChange*/);
XEL_EVENT(TTVExpandingEvent, TObject* /*Sender*/, TTreeNode* /*Node*/, bool& /*AllowExpansion*/);
XEL_EVENT(TTVCollapsingEvent, TObject* /*Sender*/, TTreeNode* /*Node*/, bool& /*AllowCollapse*/);
XEL_EVENT(TTVExpandedEvent, TObject* /*Sender*/, TTreeNode* /*Node*/);

class TCustomTreeView : public TWinControl {
  XEL_CLASS(TCustomTreeView, TWinControl)
public:
  explicit TCustomTreeView(TComponent* owner);
  ~TCustomTreeView() override;
  TTreeNodes* GetItems() const { return FItems.get(); }
  void SetItems(TTreeNodes* v) { FItems->Assign(v); }
  TTreeNode* Selected() const { return FSelected; }
  // Asks OnChanging, then selects and tells OnChange.
  void SetSelected(TTreeNode* node);
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v) { FReadOnly = v; }
  bool GetShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool v);
  bool GetShowLines() const { return FShowLines; }
  void SetShowLines(bool v);
  bool GetShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool v);
  Integer GetIndent() const { return FIndent; }
  void SetIndent(Integer v);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool v);
  Integer ItemHeight() const;
  // The visible rows from the top; the node of a client point.
  std::vector<TTreeNode*> VisibleNodes() const;
  TTreeNode* GetNodeAt(Integer x, Integer y) const;
  TTreeNode* TopItem() const;
  void FullExpand();
  void FullCollapse();

  void MouseDown(TMouseButton button, TShiftState shift, Integer x, Integer y) override;
  void DblClick() override;
  void KeyDown(Word& key, TShiftState shift) override;
  bool WantsKey(Word key, TShiftState shift) const override;
  void PaintWindow(TCanvas* canvas) override;
  TCanvas* Canvas() const { return FCanvas.get(); }

  TTVChangedEvent OnChange;
  TTVChangingEvent OnChanging;
  TTVExpandingEvent OnExpanding;
  TTVExpandedEvent OnExpanded;
  TTVCollapsingEvent OnCollapsing;
  TTVExpandedEvent OnCollapsed;
  TTVExpandedEvent OnDeletion;

private:
  friend class TTreeNode;
  friend class TTreeNodes;
  void NodeDeleting(TTreeNode* node);
  void NodesChanged() { Changed(waItems); }
  std::unique_ptr<TTreeNodes> FItems;
  std::unique_ptr<TCanvas> FCanvas;
  TTreeNode* FSelected = nullptr;
  Integer FTopIndex = 0;
  bool FReadOnly = false;
  bool FShowRoot = true;
  bool FShowLines = true;
  bool FShowButtons = true;
  Integer FIndent = 19;
  bool FHideSelection = true;
};

class TTreeView : public TCustomTreeView {
  XEL_CLASS(TTreeView, TCustomTreeView)
public:
  using TCustomTreeView::TCustomTreeView;
  static auto Published() {
    using C = TTreeView;
    return PropTable<C>(Prop("Align", &C::GetAlign, &C::SetAlign).Default(alNone),
                        Prop("HideSelection", &C::GetHideSelection, &C::SetHideSelection).Default(true),
                        Prop("Indent", &C::GetIndent, &C::SetIndent).Default(19),
                        Prop("ReadOnly", &C::GetReadOnly, &C::SetReadOnly).Default(false),
                        Prop("ShowButtons", &C::GetShowButtons, &C::SetShowButtons).Default(true),
                        Prop("ShowLines", &C::GetShowLines, &C::SetShowLines).Default(true),
                        Prop("ShowRoot", &C::GetShowRoot, &C::SetShowRoot).Default(true), XEL_WIN_COMMON(C),
                        Prop("OnChange", &C::OnChange, &C::OnChange), Prop("OnChanging", &C::OnChanging, &C::OnChanging),
                        Prop("OnClick", &C::OnClick, &C::OnClick),
                        Prop("OnCollapsed", &C::OnCollapsed, &C::OnCollapsed),
                        Prop("OnCollapsing", &C::OnCollapsing, &C::OnCollapsing),
                        Prop("OnDblClick", &C::OnDblClick, &C::OnDblClick),
                        Prop("OnDeletion", &C::OnDeletion, &C::OnDeletion),
                        Prop("OnExpanded", &C::OnExpanded, &C::OnExpanded),
                        Prop("OnExpanding", &C::OnExpanding, &C::OnExpanding),
                        Prop("Items", &C::GetItems, &C::SetItems));
  }
};

void RegisterTreeViewClasses();

}  // namespace xel

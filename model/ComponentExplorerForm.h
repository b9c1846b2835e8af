// The component explorer: two trees, the properties of a form's components that the filter
// offers on the left and the chosen ones on the right, with the commands that move them,
// the property filter and the sort order. TComponentExplorerForm is the panel itself (a
// form without a frame, read from its form file, with its own TGlotta in the tools'
// private domain); TComponentExplorer is the control that embeds it.
#pragma once

#include <memory>

#include "ComponentExplorer.h"
#include "ExtCtrls.h"
#include "FormFrame.h"
#include "StdCtrls.h"
#include "SuperForm.h"
#include "TreeView.h"

namespace xel {

class TComponentExplorerForm : public TSuperForm {
  XEL_CLASS(TComponentExplorerForm, TSuperForm)
public:
  explicit TComponentExplorerForm(TComponent* owner);
  ~TComponentExplorerForm() override;

  TCESettings* GetSettings() const { return FSettings.get(); }
  void SetSettings(TCESettings* v) { FSettings->Assign(v); }
  // The class of the property items of both trees; nullptr means TPropertyEntry.
  void AssignClassRefs(TClass itemClass);
  TClass ItemClass() const { return FItemClass; }
  // Offers the properties of root's components; those of entries (kept as the caller's
  // tree, may be nullptr) start on the right.
  void Init(TComponent* root, TMainEntries* entries);
  // Writes the chosen properties into entries (nullptr: the tree given to Init).
  void GetParam(TMainEntries* entries = nullptr);
  bool Initialized() const { return FInitialized; }
  TComponent* Root() const { return FRoot; }
  TMainEntries* SourceEntries() const { return FSource.get(); }
  TMainEntries* DestEntries() const { return FDest.get(); }

  // The controls of the form file.
  TTreeView* TreeSource() const { return OwnedComponent<TTreeView>(this, "TreeSource"); }
  TTreeView* TreeDest() const { return OwnedComponent<TTreeView>(this, "TreeDest"); }
  TEdit* EditLValue() const { return OwnedComponent<TEdit>(this, "EditLValue"); }
  TEdit* EditRValue() const { return OwnedComponent<TEdit>(this, "EditRValue"); }
  TEdit* EditFilter() const { return OwnedComponent<TEdit>(this, "EditFilter"); }
  TButton* BtnAddProp() const { return OwnedComponent<TButton>(this, "BtnAddProp"); }
  TButton* BtnDelProp() const { return OwnedComponent<TButton>(this, "BtnDelProp"); }
  TButton* BtnAddAllProps() const { return OwnedComponent<TButton>(this, "BtnAddAllProps"); }
  TButton* BtnDelAllProps() const { return OwnedComponent<TButton>(this, "BtnDelAllProps"); }
  // The check box of a filter element (its Tag is the element).
  TCheckBox* FilterBox(TPropFilterEnum element) const;
  TRadioButton* BtnByName() const { return OwnedComponent<TRadioButton>(this, "BtnByName"); }
  TRadioButton* BtnByType() const { return OwnedComponent<TRadioButton>(this, "BtnByType"); }
  TGroupBox* GroupFilter() const { return OwnedComponent<TGroupBox>(this, "GroupFilter"); }
  TGroupBox* GroupSort() const { return OwnedComponent<TGroupBox>(this, "GroupSort"); }
  TTimer* TimerRefresh() const { return OwnedComponent<TTimer>(this, "TimerRefresh"); }

  // The handlers the form file names.
  void FormResize(TObject* sender);
  void FilterClick(TObject* sender);
  void EditFilterChange(TObject* sender);
  void EditFilterExit(TObject* sender);
  void EditFilterKeyDown(TObject* sender, Word& key, TShiftState shift);
  void TimerRefreshTimer(TObject* sender);
  void SortClick(TObject* sender);
  void TreeChange(TObject* sender, TTreeNode* node);
  void TreeCollapsing(TObject* sender, TTreeNode* node, bool& allowCollapse);
  void TreeSourceDblClick(TObject* sender);
  void BtnAddPropClick(TObject* sender);
  void BtnDelPropClick(TObject* sender);
  void BtnAddAllPropsClick(TObject* sender);
  void BtnDelAllPropsClick(TObject* sender);

  // Both trees from the entry trees; the left one enumerated anew.
  void RefreshTreeSource();
  void RefreshTreeDest();
  void RefreshTreeViews();

  void Notification(TComponent* component, TOperation operation) override;

  static auto PublishedMethods() {
    using C = TComponentExplorerForm;
    return MethodTable<C>({PublishedMethod<&C::FormResize>("FormResize"),
                           PublishedMethod<&C::FilterClick>("FilterClick"),
                           PublishedMethod<&C::EditFilterChange>("EditFilterChange"),
                           PublishedMethod<&C::EditFilterExit>("EditFilterExit"),
                           PublishedMethod<&C::EditFilterKeyDown>("EditFilterKeyDown"),
                           PublishedMethod<&C::TimerRefreshTimer>("TimerRefreshTimer"),
                           PublishedMethod<&C::SortClick>("SortClick"),
                           PublishedMethod<&C::TreeChange>("TreeChange"),
                           PublishedMethod<&C::TreeCollapsing>("TreeCollapsing"),
                           PublishedMethod<&C::TreeSourceDblClick>("TreeSourceDblClick"),
                           PublishedMethod<&C::BtnAddPropClick>("BtnAddPropClick"),
                           PublishedMethod<&C::BtnDelPropClick>("BtnDelPropClick"),
                           PublishedMethod<&C::BtnAddAllPropsClick>("BtnAddAllPropsClick"),
                           PublishedMethod<&C::BtnDelAllPropsClick>("BtnDelAllPropsClick")});
  }

private:
  void SettingsChanged(TCESettings* sender, TCERebuild rebuild);
  // The settings apply to the controls only once the form and the control that embeds it
  // are read.
  bool Live() const;
  void SyncControls();
  void EnableFilterBoxes();
  void ApplyFilterText();
  void UpdateButtons();
  void ShowInfo(TTreeView* tree, TEdit* bar) const;
  String GetCompDesc(const TMainEntry* entry) const;
  void MoveMainEntriesToTreeView(TMainEntries* entries, TTreeView* tree);
  void MoveNode(TTreeNode* node, TTreeView* fromTree, TTreeView* toTree, TMainEntries* toEntries);
  // Each answers the node that now stands for what it moved (none when it was dropped).
  TTreeNode* MoveComponentNode(TTreeNode* node, TTreeView* toTree, TMainEntries* toEntries);
  TTreeNode* MovePropertyNode(TTreeNode* node, TTreeView* toTree, TMainEntries* toEntries);
  // Whether a property item may stand in the left tree under the current filter.
  bool Offered(const TPropertyEntry* item) const;
  void FreeTrees();

  std::unique_ptr<TCESettings> FSettings;
  TClass FItemClass = nullptr;
  TComponent* FRoot = nullptr;
  TMainEntries* FParam = nullptr;
  std::unique_ptr<TMainEntries> FSource;
  std::unique_ptr<TMainEntries> FDest;
  int FUpdating = 0;      // controls are synchronised from the settings: no refreshes
  int FNoAllButtons = 0;  // the left tree is rebuilt: the all-buttons wait for its end
  bool FInitialized = false;
  bool FFilterModified = false;
};

// A control that embeds one TComponentExplorerForm.
class TComponentExplorer : public TFormFrame {
  XEL_CLASS(TComponentExplorer, TFormFrame)
public:
  explicit TComponentExplorer(TComponent* owner) : TFormFrame(owner) {}

  TComponentExplorerForm* ExplorerForm() const { return static_cast<TComponentExplorerForm*>(Form()); }
  TCESettings* GetSettings() const { return ExplorerForm()->GetSettings(); }
  void SetSettings(TCESettings* v) { ExplorerForm()->SetSettings(v); }
  void AssignClassRefs(TClass itemClass) { ExplorerForm()->AssignClassRefs(itemClass); }
  void Init(TComponent* root, TMainEntries* entries) { ExplorerForm()->Init(root, entries); }
  void GetParam(TMainEntries* entries = nullptr) { ExplorerForm()->GetParam(entries); }
  void Loaded() override;

  static auto Published() {
    using C = TComponentExplorer;
    return PropTable<C>(Prop("Settings", &C::GetSettings, &C::SetSettings));
  }

protected:
  TClass GetFormClass() const override { return TComponentExplorerForm::StaticClass(); }
  void CreateForm() override;
};

}  // namespace xel

// The form of WorkbenchForm.dfm: a table editor with a menu, a tool bar, a status bar, a
// grid, a tree view and a list view; its handlers record what ran.
#pragma once

#include <vector>

#include "ComCtrls.h"
#include "Dialogs.h"
#include "Forms.h"
#include "Grids.h"
#include "ListView.h"
#include "TreeView.h"

namespace xel::test {

class TWorkbenchForm : public TForm {
  XEL_CLASS(TWorkbenchForm, TForm)
public:
  explicit TWorkbenchForm(TComponent* owner) : TForm(owner) {}

  template <class T>
  T* Find(const char* name) const {
    return OwnedComponent<T>(this, name);
  }
  TStringGrid* Grid() const { return Find<TStringGrid>("Grid"); }
  TTreeView* Tree() const { return Find<TTreeView>("Tree"); }
  TListView* List() const { return Find<TListView>("List"); }
  TStatusBar* Status() const { return Find<TStatusBar>("StatusBar1"); }

  void FormCreate(TObject*) {
    const char* header[] = {"Name", "English", "Deutsch"};
    for (Integer c = 0; c < 3; ++c) Grid()->SetCells(c, 0, header[c]);
  }
  // The table goes into the list view, one item per data row.
  void SaveClick(TObject*) {
    Log.push_back("save");
    List()->ClearItems();
    for (Integer r = 1; r < Grid()->GetRowCount(); ++r) {
      if (Grid()->Cells(0, r).empty()) continue;
      TListItem* item = List()->AddItem();
      item->SetCaption(Grid()->Cells(0, r));
      item->SubItems()->Add(Grid()->Cells(1, r));
    }
    Status()->GetPanels()->Items(0)->SetText("Saved");
  }
  void QuitClick(TObject*) {
    if (MessageDlg("Quit the workbench?", mtConfirmation, {mbYes, mbNo}, 0) == mrYes) {
      Log.push_back("quit");
      Close();
    } else {
      Log.push_back("stay");
    }
  }
  void TreeChange(TObject*, TTreeNode* node) { Log.push_back("tree:" + node->Text()); }
  void GridSetEditText(TObject*, Integer, Integer, const String&) {
    Status()->GetPanels()->Items(0)->SetText("Modified");
  }

  static auto PublishedMethods() {
    using C = TWorkbenchForm;
    return MethodTable<C>({PublishedMethod<&C::FormCreate>("FormCreate"), PublishedMethod<&C::SaveClick>("SaveClick"),
                           PublishedMethod<&C::QuitClick>("QuitClick"), PublishedMethod<&C::TreeChange>("TreeChange"),
                           PublishedMethod<&C::GridSetEditText>("GridSetEditText")});
  }

  std::vector<String> Log;
};

}  // namespace xel::test

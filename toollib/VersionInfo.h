// The unit version registry shown to the user: one row per registered unit, sortable by
// any column, and saved as a text list.
#pragma once

#include "ComCtrls.h"
#include "Dialogs.h"
#include "ListView.h"
#include "Menus.h"
#include "SuperForm.h"

namespace xel {

class TGlotta;

class TVersionInfoForm : public TSuperForm {
  XEL_CLASS(TVersionInfoForm, TSuperForm)
public:
  explicit TVersionInfoForm(TComponent* owner);

  TListView* List() const;
  TStatusBar* StatusBar() const;
  TSaveDialog* SaveDialog() const;
  TGlotta* Glotta() const;

  Integer SortColumn() const { return FSortColumn; }
  bool Descending() const { return FDescending; }
  // As a click on the column's header: a second click on the same column reverses.
  void SortBy(Integer column);
  // Header line and rows as shown, columns separated by tabs; false when it cannot be written.
  bool SaveToFile(const String& fileName) const;
  int InvalidCount() const { return FInvalid; }

  void FormCreate(TObject*);
  void GlottaChange(TObject*);
  void ListColumnClick(TObject*, TListColumn* column);
  void ListCompare(TObject*, TListItem* item1, TListItem* item2, Integer data, Integer& compare);
  void ListKeyDown(TObject*, Word& key, TShiftState shift);
  void SaveAsClick(TObject*);
  void CloseClick(TObject*);

  static auto PublishedMethods() {
    using C = TVersionInfoForm;
    return MethodTable<C>({PublishedMethod<&C::FormCreate>("FormCreate"),
                           PublishedMethod<&C::GlottaChange>("GlottaChange"),
                           PublishedMethod<&C::ListColumnClick>("ListColumnClick"),
                           PublishedMethod<&C::ListCompare>("ListCompare"),
                           PublishedMethod<&C::ListKeyDown>("ListKeyDown"),
                           PublishedMethod<&C::SaveAsClick>("SaveAsClick"),
                           PublishedMethod<&C::CloseClick>("CloseClick")});
  }

private:
  void Fill();
  void ShowCounts();

  Integer FSortColumn = -1;
  bool FDescending = false;
  int FInvalid = 0;
};

// Opens the version window modally.
class TVersionInfo : public TComponent {
  XEL_CLASS(TVersionInfo, TComponent)
public:
  using TComponent::TComponent;
  void Execute();
};

void RegisterVersionInfoClasses();

}  // namespace xel

// The table dialog: the names of the language table, in English or in their own language,
// to pick one for a cell of the language dialog.
#pragma once

#include "ExtCtrls.h"
#include "Glotta.h"
#include "ButtonPanel.h"
#include "StdCtrls.h"
#include "SuperForm.h"

namespace xel {

class TLanguageListForm : public TSuperForm {
  XEL_CLASS(TLanguageListForm, TSuperForm)
public:
  explicit TLanguageListForm(TComponent* owner);

  // Shows the table with name selected (its other name form when the list shows that);
  // on OK name is the chosen one and english the name form shown. changed tells whether
  // name differs from the trimmed one handed in. formClass is the window's class (nullptr:
  // this one); font (may be nullptr) the list's. True when closed with OK.
  static bool Execute(TFormClass formClass, String& name, bool& changed, TFont* font, bool& english);

  TListBox* ListBox() const { return OwnedComponent<TListBox>(this, "ListBox"); }
  TCheckBox* BtnEnglishLangNames() const { return OwnedComponent<TCheckBox>(this, "BtnEnglishLangNames"); }
  TButtonPanel* ButtonPanel() const { return OwnedComponent<TButtonPanel>(this, "ButtonPanel"); }
  TGlotta* Glotta() const { return OwnedComponent<TGlotta>(this, "Glotta"); }
  const String& SelectedName() const { return FSelectedName; }
  void SetSelectedName(const String& name) { FSelectedName = name; }

  // Fills the list with the names of the form the check box asks for and selects the one
  // that stands for SelectedName.
  void FillList();

  void ListBoxClick(TObject* sender);
  void ListBoxDblClick(TObject* sender);
  void BtnEnglishLangNamesClick(TObject* sender);
  void ButtonPanelButtonClick(TObject* sender, TButtonItem* item);

  static auto PublishedMethods() {
    using C = TLanguageListForm;
    return MethodTable<C>({PublishedMethod<&C::ListBoxClick>("ListBoxClick"),
                           PublishedMethod<&C::ListBoxDblClick>("ListBoxDblClick"),
                           PublishedMethod<&C::BtnEnglishLangNamesClick>("BtnEnglishLangNamesClick"),
                           PublishedMethod<&C::ButtonPanelButtonClick>("ButtonPanelButtonClick")});
  }

private:
  String FSelectedName;
};

}  // namespace xel

#include "GlottaList.h"

#include <memory>

#include "Application.h"
#include "GlottaSystem.h"
#include "SysUtils.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /runtime/GlottaList.cpp 1 11.12.26 04:15 XG $")

namespace xel {

namespace {
constexpr Integer kHelpContext = 2000;

int IndexOfText(TStrings* items, const String& text) {
  for (int i = 0; i < items->Count(); ++i)
    if (SameText(items->Get(i), text)) return i;
  return -1;
}
}  // namespace

TLanguageListForm::TLanguageListForm(TComponent* owner) : TSuperForm(owner) {}

bool TLanguageListForm::Execute(TFormClass formClass, String& name, bool& changed, TFont* font, bool& english) {
  const String old = Trim(name);
  if (!formClass) formClass = StaticClass();
  if (!formClass->InheritsFrom(StaticClass())) throw EInvalidCast("TLanguageListForm.Execute: Invalid form class");
  std::unique_ptr<TLanguageListForm> form(static_cast<TLanguageListForm*>(CreateComponent(formClass, Application)));
  if (font) form->ListBox()->GetFont()->Assign(font);
  form->FSelectedName = old;
  form->BtnEnglishLangNames()->SetChecked(english);
  form->FillList();
  const bool ok = form->ShowModal() == mrOk;
  if (ok) {
    TListBox* list = form->ListBox();
    if (list->GetItemIndex() >= 0) name = Trim(list->GetItems()->Get(list->GetItemIndex()));
    english = form->BtnEnglishLangNames()->GetChecked();
  }
  form.reset();
  changed = name != old;
  return ok;
}

void TLanguageListForm::FillList() {
  TListBox* list = ListBox();
  TStrings* items = list->GetItems();
  const bool englishNames = BtnEnglishLangNames()->GetChecked();
  items->Clear();
  GetDefaultLanguages(englishNames ? lnEnglish : lnOriginal, items);
  int index = -1;
  if (!FSelectedName.empty()) {
    index = IndexOfText(items, FSelectedName);
    for (TLanguageNameType from : {lnEnglish, lnOriginal}) {
      if (index >= 0) break;
      String other = FSelectedName;
      if (TranslateLanguage(from, other) && !other.empty()) index = IndexOfText(items, other);
    }
  } else {
    String englishName, nativeName;
    if (GetDefaultLanguage(englishName, nativeName))
      index = IndexOfText(items, !englishNames && !nativeName.empty() ? nativeName : englishName);
  }
  list->SetItemIndex(index);
  if (index >= 0) FSelectedName = items->Get(index);
}

void TLanguageListForm::ListBoxClick(TObject*) {
  TListBox* list = ListBox();
  if (list->GetItemIndex() >= 0) FSelectedName = list->GetItems()->Get(list->GetItemIndex());
}

void TLanguageListForm::ListBoxDblClick(TObject*) {
  if (ListBox()->GetItemIndex() >= 0) SetModalResult(mrOk);
}

void TLanguageListForm::BtnEnglishLangNamesClick(TObject*) { FillList(); }

void TLanguageListForm::ButtonPanelButtonClick(TObject*, TButtonItem* item) {
  if (item == ButtonPanel()->GetButtons()->Items(2)) Application->HelpContext(kHelpContext);
}

}  // namespace xel

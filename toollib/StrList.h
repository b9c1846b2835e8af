// A string list as a component: a list of texts kept in the form file (a table of names,
// a word list) with the sorting options of the host's string list.
#pragma once

#include <memory>

#include "Expand.h"
#include "StringList.h"

namespace xel {

class TStrList : public TExComponent {
  XEL_CLASS(TStrList, TExComponent)
public:
  explicit TStrList(TComponent* owner);
  ~TStrList() override;

  TStringList* GetStrings() const { return FStrings.get(); }
  void SetStrings(TStrings* v) { FStrings->Assign(v); }
  bool GetSorted() const { return FStrings->Sorted(); }
  void SetSorted(bool v) { FStrings->SetSorted(v); }
  TDuplicates GetDuplicates() const { return FStrings->Duplicates(); }
  void SetDuplicates(TDuplicates v) { FStrings->SetDuplicates(v); }
  bool GetCaseSensitive() const { return FStrings->CaseSensitive(); }
  void SetCaseSensitive(bool v) { FStrings->SetCaseSensitive(v); }

  // Every change of the list, also one made through Strings directly.
  TNotifyEvent OnChange;

  static auto Published() {
    using C = TStrList;
    // Strings before Sorted, so that a sorted list read from a form is sorted once.
    return PropTable<C>(Prop("CaseSensitive", &C::GetCaseSensitive, &C::SetCaseSensitive).Default(false),
                        Prop("Duplicates", &C::GetDuplicates, &C::SetDuplicates).Default(dupIgnore),
                        Prop("Strings", &C::GetStrings, &C::SetStrings),
                        Prop("Sorted", &C::GetSorted, &C::SetSorted).Default(false),
                        Prop("OnChange", &C::OnChange, &C::OnChange));
  }

private:
  void StringsChange(TObject*) { OnChange(this); }
  std::unique_ptr<TStringList> FStrings;
};

void RegisterStrListClasses();

}  // namespace xel

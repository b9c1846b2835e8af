// The size editor of a TSuperForm in the designer: the minimum and maximum tracking size,
// each with its switch and a button that takes the form's current size.
#pragma once

#include "ButtonPanel.h"
#include "StdCtrls.h"
#include "SuperForm.h"

namespace xel {

class TSuperFormEditorForm : public TSuperForm {
  XEL_CLASS(TSuperFormEditorForm, TSuperForm)
public:
  using TSuperForm::TSuperForm;

  TCheckBox* MinEnabled() const { return OwnedComponent<TCheckBox>(this, "MinEnabled"); }
  TEdit* MinWidth() const { return OwnedComponent<TEdit>(this, "MinWidth"); }
  TEdit* MinHeight() const { return OwnedComponent<TEdit>(this, "MinHeight"); }
  TCheckBox* MaxEnabled() const { return OwnedComponent<TCheckBox>(this, "MaxEnabled"); }
  TEdit* MaxWidth() const { return OwnedComponent<TEdit>(this, "MaxWidth"); }
  TEdit* MaxHeight() const { return OwnedComponent<TEdit>(this, "MaxHeight"); }
  TButton* MinCurrent() const { return OwnedComponent<TButton>(this, "MinCurrent"); }
  TButton* MaxCurrent() const { return OwnedComponent<TButton>(this, "MaxCurrent"); }

  // Shows the sizes of the edited form.
  void Init(TSuperForm* edited);
  // Writes the shown sizes to the edited form; true when any changed. A text that is no
  // number counts as 0.
  bool Apply();

  void MinCurrentClick(TObject* sender);
  void MaxCurrentClick(TObject* sender);

  static auto PublishedMethods() {
    using C = TSuperFormEditorForm;
    return MethodTable<C>({PublishedMethod<&C::MinCurrentClick>("MinCurrentClick"),
                           PublishedMethod<&C::MaxCurrentClick>("MaxCurrentClick")});
  }

private:
  TSuperForm* FEdited = nullptr;
};

void RegisterSuperFormEditorClasses();

}  // namespace xel

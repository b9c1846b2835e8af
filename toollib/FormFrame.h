// A control that shows a form inside itself: the form of the class that GetFormClass
// names is made with the control, loses its frame and fills the control. Components such
// as the component explorer publish the embedded form's settings through it.
#pragma once

#include "Forms.h"

namespace xel {

class TFormFrame : public TWinControl {
  XEL_CLASS(TFormFrame, TWinControl)
public:
  explicit TFormFrame(TComponent* owner);
  ~TFormFrame() override;
  // Makes the embedded form once the derived class is complete.
  void AfterConstruction() override;

  TCustomForm* Form() const { return FForm; }
  // The control takes the embedded form's designed size when the form is made.
  bool GetDefaultSize() const { return FDefaultSize; }
  void SetDefaultSize(bool v);

  static auto Published() {
    using C = TFormFrame;
    return PropTable<C>(Prop("Align", &C::GetAlign, &C::SetAlign).Default(alNone),
                        Prop("DefaultSize", &C::GetDefaultSize, &C::SetDefaultSize).Default(true),
                        Prop("Font", &C::GetFont, &C::SetFont).Stored(&C::IsFontStored),
                        Prop("ParentFont", &C::GetParentFont, &C::SetParentFont).Default(true),
                        Prop("Visible", &C::GetVisible, &C::SetVisible).Default(true));
  }

protected:
  // The class of the embedded form, a TCustomForm descendant.
  virtual TClass GetFormClass() const = 0;
  // Makes the form (owned by this control) and places it inside.
  virtual void CreateForm();

private:
  TCustomForm* FForm = nullptr;
  bool FDefaultSize = true;
};

}  // namespace xel

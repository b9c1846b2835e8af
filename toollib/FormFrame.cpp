#include "FormFrame.h"

#include <utility>

#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/FormFrame.cpp 1 10.12.26 19:50 XG $")

namespace xel {

TFormFrame::TFormFrame(TComponent* owner) : TWinControl(owner) {
  FControlStyle = {csCaptureMouse, csClickEvents, csDoubleClicks};
  FColor = clBtnFace;
  SetBounds(0, 0, 185, 41);
}

// The form goes first: it is a child window of this control, whose own parts the
// inherited destructors take apart before they free what the control owns.
TFormFrame::~TFormFrame() { delete std::exchange(FForm, nullptr); }

void TFormFrame::AfterConstruction() {
  TWinControl::AfterConstruction();
  CreateForm();
}

void TFormFrame::SetDefaultSize(bool v) {
  if (SetIfChanged(FDefaultSize, v) && v && FForm) SetBounds(Left(), Top(), FForm->Width(), FForm->Height());
}

void TFormFrame::CreateForm() {
  TClass cls = GetFormClass();
  if (!cls || !cls->InheritsFrom(TCustomForm::StaticClass()))
    throw EInvalidOperation(Format("%s.CreateForm: no form class", {ClassName()}));
  auto* form = static_cast<TCustomForm*>(CreateComponent(cls, this));
  FForm = form;
  form->SetBorderStyle(bsNone);
  if (FDefaultSize) SetBounds(Left(), Top(), form->Width(), form->Height());
  form->SetParent(this);
  form->SetAlign(alClient);
  form->SetVisible(true);
}

}  // namespace xel

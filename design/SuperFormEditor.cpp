#include "SuperFormEditor.h"

#include "Application.h"
#include "ToolLibReg.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /design/SuperFormEditor.cpp 1 11.12.26 0:45 XG $")

namespace xel {

namespace {

void ShowSizes(const TMinMaxInfo* info, TCheckBox* enabled, TEdit* width, TEdit* height) {
  enabled->SetChecked(info->GetEnabled());
  width->SetText(IntToStr(info->GetSizeX()));
  height->SetText(IntToStr(info->GetSizeY()));
}

bool TakeSizes(TMinMaxInfo* info, const TCheckBox* enabled, const TEdit* width, const TEdit* height) {
  const bool on = enabled->GetChecked();
  const Integer x = static_cast<Integer>(StrToIntDef(Trim(width->GetText()), 0));
  const Integer y = static_cast<Integer>(StrToIntDef(Trim(height->GetText()), 0));
  const bool changed = on != info->GetEnabled() || x != info->GetSizeX() || y != info->GetSizeY();
  info->SetEnabled(on);
  info->SetSizeX(x);
  info->SetSizeY(y);
  return changed;
}

}  // namespace

void TSuperFormEditorForm::Init(TSuperForm* edited) {
  FEdited = edited;
  ShowSizes(edited->GetSizeMinTrack(), MinEnabled(), MinWidth(), MinHeight());
  ShowSizes(edited->GetSizeMaxTrack(), MaxEnabled(), MaxWidth(), MaxHeight());
}

bool TSuperFormEditorForm::Apply() {
  if (!FEdited) return false;
  const bool min = TakeSizes(FEdited->GetSizeMinTrack(), MinEnabled(), MinWidth(), MinHeight());
  const bool max = TakeSizes(FEdited->GetSizeMaxTrack(), MaxEnabled(), MaxWidth(), MaxHeight());
  return min || max;
}

void TSuperFormEditorForm::MinCurrentClick(TObject*) {
  if (!FEdited) return;
  MinWidth()->SetText(IntToStr(FEdited->Width()));
  MinHeight()->SetText(IntToStr(FEdited->Height()));
}

void TSuperFormEditorForm::MaxCurrentClick(TObject*) {
  if (!FEdited) return;
  MaxWidth()->SetText(IntToStr(FEdited->Width()));
  MaxHeight()->SetText(IntToStr(FEdited->Height()));
}

bool RunSuperFormEditor(TSuperForm* form) {
  if (!form) return false;
  RegisterSuperFormEditorClasses();
  std::unique_ptr<TSuperFormEditorForm> dialog(New<TSuperFormEditorForm>(Application));
  dialog->Init(form);
  return dialog->ShowModal() == mrOk && dialog->Apply();
}

void RegisterSuperFormEditorClasses() {
  RegisterButtonPanelClasses();
  RegisterClasses({TSuperFormEditorForm::StaticClass()});
}

}  // namespace xel

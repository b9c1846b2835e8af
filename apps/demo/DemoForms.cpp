#include "DemoForms.h"

#include "Application.h"
#include "DemoUnit.h"

namespace xel::demo {

String TDemoMainForm::MessageText() const {
  return Format(Glotta()->GetString("MessageText"), {Glotta()->GetLanguage()});
}

void TDemoMainForm::DetailsClick(TObject*) { DetailsForm()->Show(); }
void TDemoMainForm::ToolsClick(TObject*) { ToolsForm()->Show(); }
void TDemoMainForm::TranslateClick(TObject*) { ExecuteGlottaEditor("", Glotta()); }
void TDemoMainForm::MessageClick(TObject*) { MessageDlg(MessageText(), mtInformation, {mbOK}, 0); }
void TDemoMainForm::AboutClick(TObject*) { MessageDlg(Glotta()->GetString("AboutText"), mtInformation, {mbOK}, 0); }
void TDemoMainForm::ExitClick(TObject*) { Close(); }

// Every switch of the program's language: the status bar names it (the unit keeps the
// second panel itself).
void TDemoMainForm::GlottaChange(TObject*) { Status()->GetPanels()->Items(0)->SetText(Glotta()->GetLanguage()); }

void TDemoMainForm::DoCreate() {
  TDemoForm::DoCreate();
  GlottaChange(this);
  Status()->GetPanels()->Items(1)->SetText(UnitStatusText());
}

void TDemoDetailsForm::CloseClick(TObject*) { Close(); }
void TDemoToolsForm::CloseClick(TObject*) { Close(); }

namespace {
template <class T>
T* Window() {
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (auto* form = dynamic_cast<T*>(Screen->Forms(i))) return form;
  T* form = nullptr;
  Application->CreateForm(form);
  return form;
}
}  // namespace

TDemoMainForm* MainForm() { return Window<TDemoMainForm>(); }
TDemoDetailsForm* DetailsForm() { return Window<TDemoDetailsForm>(); }
TDemoToolsForm* ToolsForm() { return Window<TDemoToolsForm>(); }

void RegisterDemoClasses() {
  RegisterClasses({TDemoMainForm::StaticClass(), TDemoDetailsForm::StaticClass(), TDemoToolsForm::StaticClass()});
}

}  // namespace xel::demo

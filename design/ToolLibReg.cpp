#include "ToolLibReg.h"

#include "ButtonPanel.h"
#include "ComponentExplorerDialog.h"
#include "ComponentExplorerForm.h"
#include "ConfigFile.h"
#include "DsgnRegistry.h"
#include "GlottaReg.h"
#include "LogFile.h"
#include "MRUComboBox.h"
#include "SortGridEx.h"
#include "SuperForm.h"
#include "StdCtrls.h"
#include "SyncThread.h"
#include "VersionControl.h"
#include "VersionInfo.h"

XEL_UNIT_VERSION("$Header: /design/ToolLibReg.cpp 1 11.12.26 0:35 XG $")

namespace xel {

namespace {

// The size editor for the designer that shows the form; marks the form changed.
void EditSizes(TComponent* root, TFormDesigner* designer) {
  auto* form = dynamic_cast<TSuperForm*>(root);
  if (form && RunSuperFormEditor(form) && designer) designer->Modified();
}

// The sizes of the "Large" and "Small" verbs.
constexpr Integer kLargeX = 128, kLargeY = 32, kSmallX = 75, kSmallY = 25;

const char* const kPanelVerbs[] = {"OK",      "OK, Cancel",    "OK, Cancel, Help", "Yes, No",
                                   "Yes, No, Cancel", "-", "Large Buttons", "Small Buttons"};
const std::vector<TBitBtnKind> kPanelSets[] = {
    {bkOK}, {bkOK, bkCancel}, {bkOK, bkCancel, bkHelp}, {bkYes, bkNo}, {bkYes, bkNo, bkCancel}};

const char* const kButtonVerbs[] = {"OK", "Cancel", "Help", "-", "Large Button", "Small Button"};

template <size_t N>
String VerbOf(const char* const (&verbs)[N], int index) {
  return index >= 0 && index < static_cast<int>(N) ? String(verbs[index]) : String();
}

void Changed(TFormDesigner* designer) {
  if (designer) designer->Modified();
}

}  // namespace

void TButtonPanelEditor::ExecuteVerb(int index) {
  auto* panel = dynamic_cast<TButtonPanel*>(Component());
  if (!panel) return;
  if (index >= 0 && index < static_cast<int>(std::size(kPanelSets))) {
    TButtonCollection* buttons = panel->GetButtons();
    panel->BeginUpdateButtons();
    TFinally done([panel] { panel->EndUpdateButtons(); });
    buttons->Clear();
    for (TBitBtnKind kind : kPanelSets[index]) buttons->Add()->SetKind(kind);
  } else if (index == 6 || index == 7) {
    panel->SetButtonDimX(index == 6 ? kLargeX : kSmallX);
    panel->SetButtonDimY(index == 6 ? kLargeY : kSmallY);
  } else {
    return;
  }
  Changed(Designer());
}

String TButtonPanelEditor::GetVerb(int index) { return VerbOf(kPanelVerbs, index); }
int TButtonPanelEditor::GetVerbCount() { return static_cast<int>(std::size(kPanelVerbs)); }

void TButtonEditor::ExecuteVerb(int index) {
  auto* button = dynamic_cast<TButton*>(Component());
  if (!button) return;
  switch (index) {
    case 0:
    case 1:
      button->SetText(index == 0 ? "OK" : "Cancel");
      button->SetModalResult(index == 0 ? mrOk : mrCancel);
      button->SetDefault(index == 0);
      button->SetCancel(index == 1);
      break;
    case 2:
      button->SetText("Help");
      button->SetModalResult(mrNone);
      break;
    case 4:
    case 5:
      button->SetBounds(button->Left(), button->Top(), index == 4 ? kLargeX : kSmallX, index == 4 ? kLargeY : kSmallY);
      break;
    default:
      return;
  }
  Changed(Designer());
}

String TButtonEditor::GetVerb(int index) { return VerbOf(kButtonVerbs, index); }
int TButtonEditor::GetVerbCount() { return static_cast<int>(std::size(kButtonVerbs)); }

void TExComponentEditor::ExecuteVerb(int index) {
  if (index == 0) ShowAboutBox();
}

void TSuperFormModule::ExecuteVerb(int index) {
  if (index == 0) EditSizes(Root(), Designer());
}

void TSuperFormPropertyEditor::Edit() {
  if (PropCount() > 0) EditSizes(dynamic_cast<TComponent*>(GetComponent(0)), Designer());
}

void RegisterToolLib() {
  RegisterButtonPanelClasses();
  RegisterLogFileClasses();
  RegisterSortGridClasses();
  RegisterConfigFileClasses();
  RegisterComponentExplorerClasses();
  RegisterComponentExplorerDialogClasses();
  RegisterMRUComboBoxClasses();
  RegisterSyncThreadClasses();
  RegisterVersionInfoClasses();
  RegisterSuperFormClasses();

  RegisterComponents("Xel", {TButtonPanel::StaticClass()});
  RegisterComponentEditor(TButtonPanel::StaticClass(), ComponentEditorClass<TButtonPanelEditor>());
  RegisterComponentEditor(TButton::StaticClass(), ComponentEditorClass<TButtonEditor>());
  RegisterComponents("XelTools", {TLogFile::StaticClass(), TKeepDirectory::StaticClass()});
  RegisterComponents("Xel", {TSortGrid::StaticClass()});
  RegisterCustomModule(TSuperForm::StaticClass(), CustomModuleClass<TSuperFormModule>());
  RegisterCustomModule(TSuperDataModule::StaticClass(), CustomModuleClass<TCustomModule>());
  RegisterPropertyEditor(TypeInfo<TSuperFormProperty*>(), TSuperForm::StaticClass(), "SuperForm",
                         PropertyEditorClass<TSuperFormPropertyEditor>());
  RegisterComponents("XelTools", {TComponentExplorer::StaticClass()});
  RegisterComponents("Xel", {TVersionInfo::StaticClass()});
  RegisterComponents("XelTools", {TConfigFile::StaticClass()});
  RegisterComponents("XelTools", {TComponentExplorerDialog::StaticClass()});
  RegisterComponents("Xel", {TSortGridEx::StaticClass()});
  RegisterComponents("XelTools", {TMRUComboBox::StaticClass()});
  RegisterComponents("Xel", {TSyncThread::StaticClass()});
  RegisterComponentEditor(TExComponent::StaticClass(), ComponentEditorClass<TExComponentEditor>());
}

}  // namespace xel

#include "ToolLibReg.h"

#include "ButtonPanel.h"
#include "ColorPanel.h"
#include "ComponentExplorerDialog.h"
#include "ComponentExplorerForm.h"
#include "ConfigFile.h"
#include "Dialogs.h"
#include "DsgnRegistry.h"
#include "EditEx.h"
#include "EnumComboBox.h"
#include "FileDelete.h"
#include "GlottaReg.h"
#include "LabelEx.h"
#include "LogFile.h"
#include "MRUComboBox.h"
#include "NamedTypes.h"
#include "NetTypes.h"
#include "SortGridEx.h"
#include "SuperForm.h"
#include "StdCtrls.h"
#include "StrList.h"
#include "SyncThread.h"
#include "VersionControl.h"
#include "URLLabel.h"
#include "VersionInfo.h"
#include "XelInfo.h"

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

void TFileNameProperty::Edit() {
  TOpenDialog dialog(nullptr);
  dialog.SetFilter("All files (*.*)|*.*|Initialization files (*.cfg;*.ini)|*.cfg;*.ini|");
  dialog.SetFileName(GetValue());
  if (dialog.Execute()) SetValue(ExtractFileName(dialog.GetFileName()));
}

namespace {
Integer CheckedPort(const String& value, const char* protocol) {
  Integer port = 0;
  if (!TryStrToPort(value, protocol, port))
    throw EPropertyError(Format("'%s' is no port number from %d to %d and no %s service",
                                {value, MinPort, MaxPort, UpperCase(protocol)}));
  return port;
}
}  // namespace

void TTCPPortProperty::SetValue(const String& value) { SetOrdValue(CheckedPort(value, "tcp")); }
void TUDPPortProperty::SetValue(const String& value) { SetOrdValue(CheckedPort(value, "udp")); }

bool EditConfigFile(TCustomConfigFile* configFile) {
  TComponent* root = configFile ? configFile->Owner() : nullptr;
  if (!root) return false;
  // Bound to the components as they are now, so that the dialog marks what still exists.
  configFile->RefreshEntries();
  TComponentExplorerDialog dialog(nullptr);
  return dialog.ExecuteEx(root, configFile->Entries(), TPropertyEntry::StaticClass());
}

void TConfigFileEditor::ExecuteVerb(int index) {
  switch (index) {
    case 0:
      if (EditConfigFile(dynamic_cast<TCustomConfigFile*>(Component()))) Changed(Designer());
      break;
    case 1:
      ShowAboutBox();
      break;
    default:
      break;
  }
}

String TConfigFileEditor::GetVerb(int index) {
  switch (index) {
    case 0:
      return "Edit...";
    case 1:
      return "About";
    default:
      return String();
  }
}

void TConfigFilePropertyEditor::Edit() {
  if (PropCount() > 0 && EditConfigFile(dynamic_cast<TCustomConfigFile*>(GetComponent(0)))) Modified();
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

  RegisterFileSearchClasses();
  RegisterFileDeleteClasses();
  RegisterEditExClasses();
  RegisterColorPanelClasses();
  RegisterEnumComboBoxClasses();
  RegisterStrListClasses();
  RegisterURLLabelClasses();
  RegisterLabelExClasses();
  RegisterXelInfoClasses();

  RegisterComponents("Xel", {TButtonPanel::StaticClass()});
  RegisterComponentEditor(TButtonPanel::StaticClass(), ComponentEditorClass<TButtonPanelEditor>());
  RegisterComponentEditor(TButton::StaticClass(), ComponentEditorClass<TButtonEditor>());
  RegisterPropertyEditor(TypeInfo<TFName>(), nullptr, "", PropertyEditorClass<TFileNameProperty>());
  RegisterPropertyEditor(TypeInfo<TUDPPort>(), nullptr, "", PropertyEditorClass<TUDPPortProperty>());
  RegisterPropertyEditor(TypeInfo<TTCPPort>(), nullptr, "", PropertyEditorClass<TTCPPortProperty>());
  RegisterComponents("XelTools", {TFileSearch::StaticClass()});
  RegisterComponents("XelTools", {TFileDelete::StaticClass()});
  RegisterComponents("XelTools", {TLogFile::StaticClass(), TKeepDirectory::StaticClass()});
  RegisterComponents("Xel", {TSortGrid::StaticClass()});
  RegisterComponents("XelTools", {TEditEx::StaticClass(), TComboBoxEx::StaticClass()});
  RegisterCustomModule(TSuperForm::StaticClass(), CustomModuleClass<TSuperFormModule>());
  RegisterCustomModule(TSuperDataModule::StaticClass(), CustomModuleClass<TCustomModule>());
  RegisterPropertyEditor(TypeInfo<TSuperFormProperty*>(), TSuperForm::StaticClass(), "SuperForm",
                         PropertyEditorClass<TSuperFormPropertyEditor>());
  RegisterComponents("XelTools", {TColorPanel::StaticClass()});
  RegisterComponents("XelTools", {TComponentExplorer::StaticClass()});
  RegisterComponents("Xel", {TEnumComboBox::StaticClass()});
  RegisterComponents("XelTools", {TStrList::StaticClass()});
  RegisterComponents("Xel", {TURLLabel::StaticClass()});
  RegisterComponents("XelTools", {TLabelEx::StaticClass()});
  RegisterComponents("Xel", {TVersionInfo::StaticClass()});
  RegisterComponents("Xel", {TXelInfoPanel::StaticClass(), TXelInfo::StaticClass()});
  RegisterComponents("XelTools", {TConfigFile::StaticClass()});
  RegisterComponentEditor(TConfigFile::StaticClass(), ComponentEditorClass<TConfigFileEditor>());
  RegisterPropertyEditor(TypeInfo<TConfigFileProperty*>(), TCustomConfigFile::StaticClass(), "ConfigFile",
                         PropertyEditorClass<TConfigFilePropertyEditor>());
  RegisterComponents("XelTools", {TComponentExplorerDialog::StaticClass()});
  RegisterComponents("Xel", {TSortGridEx::StaticClass()});
  RegisterComponents("XelTools", {TMRUComboBox::StaticClass()});
  RegisterComponents("Xel", {TSyncThread::StaticClass()});
  RegisterComponentEditor(TExComponent::StaticClass(), ComponentEditorClass<TExComponentEditor>());
}

}  // namespace xel

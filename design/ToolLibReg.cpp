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

}  // namespace

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

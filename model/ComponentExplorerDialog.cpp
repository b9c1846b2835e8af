#include "ComponentExplorerDialog.h"

#include "Glotta.h"
#include "RegisterControls.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /model/ComponentExplorerDialog.cpp 1 10.12.26 20:40 XG $")

namespace xel {

// ---- the window ------------------------------------------------------------------------------------

// The explorer is made here rather than read: the language tool that translates the form
// file at build time knows the classes of the runtime only.
void TCEDialogForm::FormCreate(TObject*) {
  auto* explorer = New<TComponentExplorer>(this);
  explorer->SetName("Explorer");
  explorer->SetParent(this);
  explorer->SetTabOrder(0);
  explorer->SetAlign(alLeft);
  SetClientWidth(explorer->Width());
  SetClientHeight(explorer->Height() + ButtonPanel()->Height());
}

void TCEDialogForm::SetHelpContext(Integer context) {
  FHelpContext = context;
  HelpButton()->SetVisible(context != 0);
}

void TCEDialogForm::ButtonPanelButtonClick(TObject*, TButtonItem* item) {
  if (item == HelpButton() && FHelpContext != 0) Application->HelpContext(FHelpContext);
}

// ---- the dialog component -------------------------------------------------------------------------

TComponentExplorerDialog::TComponentExplorerDialog(TComponent* owner)
    : TCommonDialog(owner), FSettings(std::make_unique<TCESettings>()) {}

TComponentExplorerDialog::~TComponentExplorerDialog() = default;

bool TComponentExplorerDialog::ExecuteEx(TComponent* root, TMainEntries* entries, TClass itemClass) {
  FRoot = root;
  FEntries = entries;
  FItemClass = itemClass;
  TFinally clear([this] {
    FRoot = nullptr;
    FEntries = nullptr;
    FItemClass = nullptr;
  });
  return Execute();
}

bool TComponentExplorerDialog::Execute() {
  std::unique_ptr<TCEDialogForm> form(New<TCEDialogForm>(Application));
  form->SetHelpContext(GetHelpContext());
  TComponentExplorer* explorer = form->Explorer();
  explorer->SetSettings(FSettings.get());
  explorer->AssignClassRefs(FItemClass);
  explorer->Init(FRoot, FEntries);
  OnShow(this);
  bool ok;
  {
    TFinally closed([this] { OnClose(this); });
    ok = form->ShowModal() == mrOk;
  }
  if (ok) {
    FSettings->Assign(explorer->GetSettings());
    if (FEntries) explorer->GetParam(FEntries);
  }
  return ok;
}

void RegisterComponentExplorerDialogClasses() {
  RegisterControlClasses();
  RegisterGlottaClasses();
  RegisterComponentExplorerClasses();
  RegisterClasses({TComponentExplorerForm::StaticClass(), TComponentExplorer::StaticClass(),
                   TCEDialogForm::StaticClass(), TComponentExplorerDialog::StaticClass()});
}

}  // namespace xel

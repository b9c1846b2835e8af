#include "GlottaSetup.h"

#include <memory>

#include "Application.h"
#include "Glotta.h"
#include "GlottaEditor.h"
#include "GlottaModule.h"
#include "RegisterControls.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /editor/GlottaSetup.cpp 1 11.12.26 4:15 XG $")

namespace xel {

namespace {
constexpr Integer kSetupHelpContext = 9000;
}  // namespace

TGlotta* TGlottaSetupForm::Glotta() const { return OwnedComponent<TGlotta>(this, "Glotta"); }

// A component in a domain is never a top-level one, so the choice is offered only without.
void TGlottaSetupForm::EditDomainChange(TObject*) { BtnTopLevel()->SetEnabled(Trim(EditDomain()->GetText()).empty()); }

void TGlottaSetupForm::HelpClick(TObject*) { ShowGlottaHelp(kSetupHelpContext); }

bool TGlottaSetupForm::Execute(TStrings* domains, String& domain, bool& topLevel) {
  RegisterGlottaSetupClasses();
  std::unique_ptr<TGlottaSetupForm> dialog(New<TGlottaSetupForm>(Application));
  TComboBox* edit = dialog->EditDomain();
  if (domains) edit->GetItems()->Assign(domains);
  edit->SetText(domain);
  dialog->BtnTopLevel()->SetChecked(topLevel);
  dialog->EditDomainChange(edit);
  if (dialog->ShowModal() != mrOk) return false;
  domain = edit->GetText();
  topLevel = dialog->BtnTopLevel()->GetChecked();
  return true;
}

namespace {
[[maybe_unused]] const bool kHookInstalled =
    (TGlottaEditorForm::OnExecuteSetup = [](TStrings* domains, String& domain,
                                            bool& topLevel) { return TGlottaSetupForm::Execute(domains, domain, topLevel); },
     true);
}  // namespace

void RegisterGlottaSetupClasses() {
  RegisterControlClasses();
  RegisterGlottaClasses();
  RegisterButtonPanelClasses();
  RegisterClasses({TGlottaSetupForm::StaticClass()});
}

}  // namespace xel

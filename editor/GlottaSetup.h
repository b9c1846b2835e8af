// The component setup of the translation editor: the domain of the edited TGlotta and
// whether it is a top-level component, written back to it when the editor accepts.
#pragma once

#include "ButtonPanel.h"
#include "StdCtrls.h"
#include "SuperForm.h"

namespace xel {

class TGlotta;
class TGlottaEditorForm;

class TGlottaSetupForm : public TSuperForm {
  XEL_CLASS(TGlottaSetupForm, TSuperForm)
public:
  using TSuperForm::TSuperForm;

  TComboBox* EditDomain() const { return OwnedComponent<TComboBox>(this, "EditDomain"); }
  TCheckBox* BtnTopLevel() const { return OwnedComponent<TCheckBox>(this, "BtnTopLevel"); }
  TButtonPanel* ButtonPanel() const { return OwnedComponent<TButtonPanel>(this, "ButtonPanel"); }
  TGlotta* Glotta() const;

  // domains: the names offered. On OK domain takes the text as typed (blanks too) and
  // topLevel the check box; on Cancel both keep their values.
  static bool Execute(TStrings* domains, String& domain, bool& topLevel);

  void EditDomainChange(TObject* sender);
  void HelpClick(TObject* sender);

  static auto PublishedMethods() {
    using C = TGlottaSetupForm;
    return MethodTable<C>({PublishedMethod<&C::EditDomainChange>("EditDomainChange"),
                           PublishedMethod<&C::HelpClick>("HelpClick")});
  }
};

void RegisterGlottaSetupClasses();

}  // namespace xel

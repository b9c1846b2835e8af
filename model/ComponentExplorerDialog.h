// The component explorer as a modal dialog: TComponentExplorerDialog keeps the settings
// between runs and exchanges the chosen properties as an entry tree; TCEDialogForm is its
// window, the explorer above an OK / Cancel / Help button panel.
#pragma once

#include <memory>

#include "ButtonPanel.h"
#include "ComponentExplorerForm.h"
#include "Dialogs.h"

namespace xel {

class TCEDialogForm : public TSuperForm {
  XEL_CLASS(TCEDialogForm, TSuperForm)
public:
  explicit TCEDialogForm(TComponent* owner) : TSuperForm(owner) {}

  TComponentExplorer* Explorer() const { return OwnedComponent<TComponentExplorer>(this, "Explorer"); }
  TButtonPanel* ButtonPanel() const { return OwnedComponent<TButtonPanel>(this, "ButtonPanel"); }
  TButtonItem* HelpButton() const { return ButtonPanel()->GetButtons()->Items(2); }
  // The help context the help button shows; 0 hides the button.
  void SetHelpContext(Integer context);

  void FormCreate(TObject* sender);
  // The panel's OnButtonClick: the help button shows the help context.
  void ButtonPanelButtonClick(TObject* sender, TButtonItem* item);

  static auto PublishedMethods() {
    using C = TCEDialogForm;
    return MethodTable<C>({PublishedMethod<&C::FormCreate>("FormCreate"),
                           PublishedMethod<&C::ButtonPanelButtonClick>("ButtonPanelButtonClick")});
  }

private:
  Integer FHelpContext = 0;
};

class TComponentExplorerDialog : public TCommonDialog {
  XEL_CLASS(TComponentExplorerDialog, TCommonDialog)
public:
  explicit TComponentExplorerDialog(TComponent* owner);
  ~TComponentExplorerDialog() override;

  TCESettings* GetSettings() const { return FSettings.get(); }
  void SetSettings(TCESettings* v) { FSettings->Assign(v); }

  // Shows the properties of root's components; on OK, entries (may be nullptr) takes the
  // chosen ones, as items of itemClass (nullptr: TPropertyEntry), and the settings the
  // user's last choice. True when OK was pressed.
  bool ExecuteEx(TComponent* root, TMainEntries* entries, TClass itemClass);
  // The same with what ExecuteEx stored (nothing to show when called alone).
  bool Execute() override;

  static auto Published() {
    using C = TComponentExplorerDialog;
    return PropTable<C>(Prop("HelpContext", &C::GetHelpContext, &C::SetHelpContext).Default(0),
                        Prop("Settings", &C::GetSettings, &C::SetSettings),
                        Prop("OnClose", &C::OnClose, &C::OnClose), Prop("OnShow", &C::OnShow, &C::OnShow));
  }

private:
  std::unique_ptr<TCESettings> FSettings;
  TComponent* FRoot = nullptr;
  TMainEntries* FEntries = nullptr;
  TClass FItemClass = nullptr;
};

// The classes of the explorer's form files and components.
void RegisterComponentExplorerDialogClasses();

}  // namespace xel

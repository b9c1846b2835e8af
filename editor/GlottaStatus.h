// The import's report: every error and warning of one import in a grid (kind, section,
// text), which can be saved as a file in the form of a language file.
#pragma once

#include "ButtonPanel.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "SortGrid.h"
#include "StdCtrls.h"
#include "SuperForm.h"

namespace xel {

class TGlotta;

class TGlottaStatusForm : public TSuperForm {
  XEL_CLASS(TGlottaStatusForm, TSuperForm)
public:
  using TSuperForm::TSuperForm;

  TSortGrid* Grid() const { return OwnedComponent<TSortGrid>(this, "Grid"); }
  TLabel* LabelWarningCount() const { return OwnedComponent<TLabel>(this, "LabelWarningCount"); }
  TLabel* LabelErrorCount() const { return OwnedComponent<TLabel>(this, "LabelErrorCount"); }
  TButtonPanel* ButtonPanel() const { return OwnedComponent<TButtonPanel>(this, "ButtonPanel"); }
  TSaveDialog* SaveDialog() const { return OwnedComponent<TSaveDialog>(this, "SaveDialog"); }
  TGlotta* Glotta() const;

  // Errors first, then warnings; a line "[Section] text" is split into section and text.
  void Init(TStrings* warnings, TStrings* errors, TFont* font);
  // Writes the listed entries as an INI file: each row's text "key=value" into its section.
  // Raises what the writing raises.
  void SaveToFile(const String& fileName) const;

  void FormCreate(TObject* sender);
  void ButtonPanelSaveClick(TObject* sender);

  static auto PublishedMethods() {
    using C = TGlottaStatusForm;
    return MethodTable<C>({PublishedMethod<&C::FormCreate>("FormCreate"),
                           PublishedMethod<&C::ButtonPanelSaveClick>("ButtonPanelSaveClick")});
  }

private:
  int FEntries = 0;
};

// Shows the import's report modally.
void ShowGlottaImportStatus(TStrings* warnings, TStrings* errors, TFont* font);

void RegisterGlottaStatusClasses();

}  // namespace xel

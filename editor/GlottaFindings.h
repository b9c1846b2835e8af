// The list of the translation editor's findings: every cell that breaks a check rule, with
// its item, language, rule and message; choosing a line takes the editor's cursor there.
#pragma once

#include <vector>

#include "ButtonPanel.h"
#include "ExtCtrls.h"
#include "GlottaEditor.h"
#include "SortGrid.h"
#include "SuperForm.h"

namespace xel {

class TGlotta;

class TGlottaFindingsForm : public TSuperForm {
  XEL_CLASS(TGlottaFindingsForm, TSuperForm)
public:
  using TSuperForm::TSuperForm;

  TSortGrid* Grid() const { return OwnedComponent<TSortGrid>(this, "Grid"); }
  TPanel* PanelTop() const { return OwnedComponent<TPanel>(this, "PanelTop"); }
  TButtonPanel* ButtonPanel() const { return OwnedComponent<TButtonPanel>(this, "ButtonPanel"); }
  TGlotta* Glotta() const;

  void Init(std::vector<TGlottaEditorForm::TCellFinding> findings, TFont* font);
  // The finding a user chose (double click, Enter, the Show button); nullptr before.
  const TGlottaEditorForm::TCellFinding* Chosen() const { return FChosen; }
  // Chooses the finding of the grid's current line and closes the window.
  void ChooseCurrent();

  void FormCreate(TObject* sender);
  void GridDblClick(TObject* sender);
  void GridKeyPress(TObject* sender, char& key);
  void ButtonPanelShowClick(TObject* sender);

  static auto PublishedMethods() {
    using C = TGlottaFindingsForm;
    return MethodTable<C>({PublishedMethod<&C::FormCreate>("FormCreate"),
                           PublishedMethod<&C::GridDblClick>("GridDblClick"),
                           PublishedMethod<&C::GridKeyPress>("GridKeyPress"),
                           PublishedMethod<&C::ButtonPanelShowClick>("ButtonPanelShowClick")});
  }

private:
  std::vector<TGlottaEditorForm::TCellFinding> FFindings;
  const TGlottaEditorForm::TCellFinding* FChosen = nullptr;
};

// Lists the editor's findings modally and moves its cursor to the one chosen.
void ShowGlottaFindings(TGlottaEditorForm* editor);

void RegisterGlottaFindingsClasses();

}  // namespace xel

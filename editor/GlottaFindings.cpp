#include "GlottaFindings.h"

#include <algorithm>
#include <memory>

#include "Application.h"
#include "Format.h"
#include "Glotta.h"
#include "GlottaModule.h"
#include "GlottaTools.h"
#include "RegisterControls.h"
#include "SortGridEx.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /editor/GlottaFindings.cpp 1 12.12.26 10:20 XG $")

namespace xel {

namespace {

constexpr Integer kKeyCol = 0, kLanguageCol = 1, kRuleCol = 2, kMessageCol = 3;

}  // namespace

TGlotta* TGlottaFindingsForm::Glotta() const { return OwnedComponent<TGlotta>(this, "Glotta"); }

void TGlottaFindingsForm::FormCreate(TObject*) {
  GetSizeMinTrack()->SetSizeX(500);
  GetSizeMinTrack()->SetSizeY(250);
  GetSizeMinTrack()->SetEnabled(true);
}

void TGlottaFindingsForm::Init(std::vector<TGlottaEditorForm::TCellFinding> findings, TFont* font) {
  FFindings = std::move(findings);
  FChosen = nullptr;
  TSortGrid* grid = Grid();
  if (font) {
    grid->SetFont(font);
    AdjustGridDefaultRowHeight(grid);
  }
  TGlotta* glotta = Glotta();
  PanelTop()->SetText(" " + Format(glotta->GetString("Count"), {static_cast<Integer>(FFindings.size())}));
  // A grid keeps one line below its header; without findings it stays empty and disabled.
  grid->SetRowCount(1 + std::max<Integer>(static_cast<Integer>(FFindings.size()), 1));
  const char* const headers[] = {"Item", "Language", "Rule", "Message"};
  for (Integer col = 0; col < 4; ++col) grid->SetCells(col, 0, glotta->GetString(headers[col]));
  Integer row = 1;
  for (const auto& f : FFindings) {
    grid->SetCells(kKeyCol, row, f.Finding.Key);
    grid->SetCells(kLanguageCol, row, f.Finding.Language);
    grid->SetCells(kRuleCol, row, CheckRuleName(f.Finding.Rule));
    grid->SetCells(kMessageCol, row, f.Finding.Message);
    ++row;
  }
  grid->AutoSizeColumns(true, 16);
  grid->SetEnabled(!FFindings.empty());
  ButtonPanel()->GetButtons()->Items(0)->SetEnabled(!FFindings.empty());
}

void TGlottaFindingsForm::ChooseCurrent() {
  TSortGrid* grid = Grid();
  if (!grid->GetEnabled()) return;
  // A click on a header sorts the lines: a line is known by what it shows, not by its place.
  const Integer row = grid->Row();
  for (const auto& f : FFindings)
    if (grid->Cells(kKeyCol, row) == f.Finding.Key && grid->Cells(kLanguageCol, row) == f.Finding.Language &&
        grid->Cells(kRuleCol, row) == CheckRuleName(f.Finding.Rule) && grid->Cells(kMessageCol, row) == f.Finding.Message) {
      FChosen = &f;
      SetModalResult(mrOk);
      return;
    }
}

void TGlottaFindingsForm::GridDblClick(TObject*) { ChooseCurrent(); }

void TGlottaFindingsForm::GridKeyPress(TObject*, char& key) {
  if (key != '\r') return;
  key = 0;
  ChooseCurrent();
}

void TGlottaFindingsForm::ButtonPanelShowClick(TObject*) { ChooseCurrent(); }

void ShowGlottaFindings(TGlottaEditorForm* editor) {
  RegisterGlottaFindingsClasses();
  std::unique_ptr<TGlottaFindingsForm> form(New<TGlottaFindingsForm>(Application));
  form->Init(editor->Findings(), editor->Grid()->GetFont());
  if (form->ShowModal() != mrOk || !form->Chosen()) return;
  const TGlottaEditorForm::TCellFinding chosen = *form->Chosen();
  form.reset();
  editor->Grid()->MoveTo(chosen.Col, chosen.Row);
  if (editor->Grid()->CanFocus()) editor->Grid()->SetFocus();
}

namespace {
[[maybe_unused]] const bool kHookInstalled = (TGlottaEditorForm::OnCheckTranslations = ShowGlottaFindings, true);
}  // namespace

void RegisterGlottaFindingsClasses() {
  RegisterControlClasses();
  RegisterGlottaClasses();
  RegisterButtonPanelClasses();
  RegisterSortGridClasses();
  RegisterClasses({TGlottaFindingsForm::StaticClass()});
}

}  // namespace xel

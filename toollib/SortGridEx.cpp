#include "SortGridEx.h"

#include <algorithm>

#include "Format.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/SortGridEx.cpp 1 10.12.26 16:40 XG $")

namespace xel {

// ---------------------------------------------------------------- range selection

TAutoRangeSelect::TAutoRangeSelect(TSortGridEx* grid) : FGrid(grid) {}

TAutoRangeSelect::~TAutoRangeSelect() = default;

void TAutoRangeSelect::CheckAllocated() const {
  if (!FBuffer) throw Exception(ClassName() + ".CheckAllocated failed. Buffer not created");
}

bool TAutoRangeSelect::SavedState(Integer index) const {
  CheckAllocated();
  if (index < 0 || index >= static_cast<Integer>(FBuffer->size()))
    throw EListError(Format(SConst::ListIndexError, {index}));
  return (*FBuffer)[static_cast<size_t>(index)] != 0;
}

TAutoRangeSelect::TRun TAutoRangeSelect::RunTo(TGridCoord cell) const {
  if (cell.X == FAnchor.X) return {true, FAnchor.X, std::min(cell.Y, FAnchor.Y), std::max(cell.Y, FAnchor.Y)};
  if (cell.Y == FAnchor.Y) return {false, FAnchor.Y, std::min(cell.X, FAnchor.X), std::max(cell.X, FAnchor.X)};
  return {true, FAnchor.X, FAnchor.Y, FAnchor.Y};
}

void TAutoRangeSelect::Restore(const TRun& run) {
  CheckAllocated();
  const auto size = static_cast<Integer>(FBuffer->size());
  for (Integer i = std::max<Integer>(run.From, 0); i <= run.To && i < size; ++i) {
    const bool state = (*FBuffer)[static_cast<size_t>(i)] != 0;
    if (run.Vertical) FGrid->SetSelected(run.Line, i, state);
    else FGrid->SetSelected(i, run.Line, state);
  }
}

void TAutoRangeSelect::Cover(const TRun& run) {
  CheckAllocated();
  const auto size = static_cast<Integer>(FBuffer->size());
  for (Integer i = std::max<Integer>(run.From, 0); i <= run.To && i < size; ++i) {
    const Integer col = run.Vertical ? run.Line : i, row = run.Vertical ? i : run.Line;
    (*FBuffer)[static_cast<size_t>(i)] = FGrid->GetSelected(col, row) ? 1 : 0;
    FGrid->SetSelected(col, row, FNewState);
  }
}

void TAutoRangeSelect::BeginSelection(Integer col, Integer row) {
  if (FActive) CancelSelection();
  FBuffer = std::make_unique<std::vector<Byte>>(
      static_cast<size_t>(std::max(FGrid->GetColCount(), FGrid->GetRowCount())), Byte(0));
  FAnchor = {col, row};
  FCurrent = {-1, -1};
  FNewState = !FGrid->GetSelected(col, row);
  FActive = true;
  FGrid->BeginSelectUpdate();
  try {
    AdjustSelection(col, row);
  } catch (...) {
    EndSelection(false);
    throw;
  }
}

void TAutoRangeSelect::AdjustSelection(Integer col, Integer row) {
  if (!FActive || FCurrent == TGridCoord{col, row}) return;
  if (FCurrent.X >= 0) Restore(RunTo(FCurrent));
  FCurrent = {col, row};
  Cover(RunTo(FCurrent));
}

void TAutoRangeSelect::EndSelection(bool accept) {
  if (!FActive) return;
  FActive = false;
  TFinally done([this] {
    FBuffer.reset();
    FGrid->EndSelectUpdate();
  });
  if (!accept && FCurrent.X >= 0) Restore(RunTo(FCurrent));
}

void TAutoRangeSelect::GridSizeChanged() {
  if (!FBuffer) return;
  const auto size = static_cast<size_t>(std::max(FGrid->GetColCount(), FGrid->GetRowCount()));
  if (size > FBuffer->size()) FBuffer->resize(size, Byte(0));
}

// ---------------------------------------------------------------- the grid

TSortGridEx::TSortGridEx(TComponent* owner)
    : TSortGrid(owner), FRangeSelect(std::make_unique<TAutoRangeSelect>(this)) {}

TSortGridEx::~TSortGridEx() = default;

void TSortGridEx::SetHighLightColor(TColor v) {
  if (SetIfChanged(FHighLightColor, v)) Invalidate();
}

bool TSortGridEx::SelectQuery(Integer col, Integer row) {
  if (!CheckCoords(col, row)) return false;
  bool selectable = col >= GetFixedCols() && row >= GetFixedRows();
  OnSelectQuery(this, col, row, selectable);
  return selectable;
}

bool TSortGridEx::HighLightQuery(Integer col, Integer row) {
  bool highLight = false;
  OnHighLightQuery(this, col, row, highLight);
  return highLight;
}

bool TSortGridEx::GetSelected(Integer col, Integer row) { return SelectQuery(col, row) && GetSelectedFast(col, row); }

void TSortGridEx::SetSelected(Integer col, Integer row, bool value) {
  if (!SelectQuery(col, row) || GetSelectedFast(col, row) == value) return;
  SetCells(col, row, value ? "X" : "");
  OnSelect(this, col, row, value);
  SelectionChanged();
}

void TSortGridEx::SelectionChanged() {
  if (FSelectUpdateCount > 0) FChangesPending = true;
  else SelectUpdate();
}

void TSortGridEx::EndSelectUpdate() {
  if (FSelectUpdateCount == 0 || --FSelectUpdateCount > 0 || !FChangesPending) return;
  FChangesPending = false;
  SelectUpdate();
}

bool TSortGridEx::AutoRangeSelectQuery(TMouseButton button, TShiftState shift, Integer x, Integer y, Integer col,
                                       Integer row) {
  bool begin = true;
  OnAutoRangeSelectQuery(this, button, shift, x, y, col, row, begin);
  return begin;
}

void TSortGridEx::MouseClick(TMouseButton button, TShiftState shift, Integer x, Integer y, Integer col, Integer row) {
  OnMouseClick(this, button, shift, x, y, col, row);
}

void TSortGridEx::GetCellFormat(Integer col, Integer row, TGridDrawState state, TFormatOptions& f) {
  if (HighLightQuery(col, row)) f.Brush->SetColor(FHighLightColor);
  TSortGrid::GetCellFormat(col, row, state, f);
}

void TSortGridEx::DrawCell(Integer col, Integer row, const TRect& rect, TGridDrawState state) {
  if (ComponentState().Contains(csDesigning)) {
    TSortGrid::DrawCell(col, row, rect, state);
    return;
  }
  bool handled = false;
  BeforeDrawCell(this, col, row, rect, state, handled);
  if (!handled) {
    if (SelectQuery(col, row)) DrawCheckBox(col, row, rect, state);
    else TSortGrid::DrawCell(col, row, rect, state);
  }
  AfterDrawCell(this, col, row, rect, state);
}

// The cell in its format (highlighting shows), a framed square in the middle, and a cross
// in it when the cell is selected.
void TSortGridEx::DrawCheckBox(Integer col, Integer row, const TRect& rect, TGridDrawState state) {
  TFormatOptions f;
  InitializeFormatOptions(f);
  GetCellFormat(col, row, state, f);
  TCanvas* c = Canvas();
  c->FillRect(rect);
  const Integer side = std::min(rect.Width(), rect.Height()) - 4;
  if (side > 0) {
    const Integer left = rect.Left + (rect.Width() - side) / 2, top = rect.Top + (rect.Height() - side) / 2;
    c->Brush()->SetColor(clWindow);
    c->Brush()->SetStyle(bsSolid);
    c->Pen()->SetColor(clWindowText);
    c->Rectangle(left, top, left + side, top + side);
    if (GetSelectedFast(col, row) && side > 2) {
      // Corner to corner, a pixel inside the frame.
      const Integer right = left + side - 2, bottom = top + side - 2;
      c->MoveTo(left + 1, top + 1);
      c->LineTo(right, bottom);
      c->MoveTo(left + 1, bottom);
      c->LineTo(right, top + 1);
    }
  }
  c->Brush()->SetStyle(bsSolid);
}

void TSortGridEx::SizeChanged(Integer oldColCount, Integer oldRowCount) {
  TSortGrid::SizeChanged(oldColCount, oldRowCount);
  FRangeSelect->GridSizeChanged();
}

// ---------------------------------------------------------------- mouse

void TSortGridEx::MouseDown(TMouseButton button, TShiftState shift, Integer x, Integer y) {
  TSortGrid::MouseDown(button, shift, x, y);
  const TGridCoord cell = MouseCoord(x, y);
  FDownButton = button;
  FDownCell = cell;
  FClickPending = CheckCoords(cell.X, cell.Y);
  CancelRangeSelect();
  if (FAutoRangeSelect && FClickPending && AutoRangeSelectQuery(button, shift, x, y, cell.X, cell.Y))
    BeginRangeSelect(cell.X, cell.Y);
}

void TSortGridEx::MouseMove(TShiftState shift, Integer x, Integer y) {
  TSortGrid::MouseMove(shift, x, y);
  if (!FRangeSelect->Active()) return;
  const TGridCoord cell = MouseCoord(x, y);
  if (CheckCoords(cell.X, cell.Y)) AdjustRangeSelect(cell.X, cell.Y);
}

void TSortGridEx::MouseUp(TMouseButton button, TShiftState shift, Integer x, Integer y) {
  TSortGrid::MouseUp(button, shift, x, y);
  const TGridCoord cell = MouseCoord(x, y);
  const bool click = FClickPending && button == FDownButton && cell == FDownCell;
  FClickPending = false;
  if (click) MouseClick(button, shift, x, y, cell.X, cell.Y);
  if (FRangeSelect->Active()) EndRangeSelect(AutoRangeSelectQuery(button, shift, x, y, cell.X, cell.Y));
}

void RegisterSortGridClasses() { RegisterClasses({TSortGrid::StaticClass(), TSortGridEx::StaticClass()}); }

}  // namespace xel

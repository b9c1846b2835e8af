#include "Grids.h"

#include <algorithm>

#include "Forms.h"

namespace xel {

namespace {
constexpr const char* SIndexOutOfRange = "Grid index out of range";
constexpr const char* SFixedColTooBig = "Fixed column count must be less than column count";
constexpr const char* SFixedRowTooBig = "Fixed row count must be less than row count";
// How close to a grid line the mouse must be to size a column or row.
constexpr Integer SizingMargin = 2;
}  // namespace

// ---------------------------------------------------------------- the in-place editor

TInplaceEdit::TInplaceEdit(TCustomGrid* grid) : TCustomEdit(nullptr), FGrid(grid) {
  SetBorderStyle(bsNone);
  SetVisible(false);
  SetParentFont(true);
}

// Keys that move between cells belong to the grid; Left and Right only at the ends of the text.
void TInplaceEdit::KeyDown(Word& key, TShiftState shift) {
  const auto length = static_cast<Integer>(GetText().size());
  bool toGrid = key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT ||
                (key == VK_TAB && FGrid->GetOptions().Contains(goTabs)) ||
                (key == VK_LEFT && SelStart() == 0 && SelLength() == 0) ||
                (key == VK_RIGHT && SelStart() == length && SelLength() == 0) ||
                ((key == VK_HOME || key == VK_END) && shift.Contains(ssCtrl));
  if (toGrid) {
    FGrid->KeyDown(key, shift);
    return;
  }
  TCustomEdit::KeyDown(key, shift);
}

void TInplaceEdit::KeyPress(char& key) {
  FGrid->KeyPress(key);
  if (key == '\t' || key == '\r' || key == 27) key = 0;
  if (key == 0) return;
  TCustomEdit::KeyPress(key);
}

// Enter and Escape end or cancel the edit rather than pressing the form's buttons.
bool TInplaceEdit::WantsKey(Word key, TShiftState shift) const {
  if (key == VK_TAB) return FGrid->GetOptions().Contains(goTabs);
  return key == VK_RETURN || key == VK_ESCAPE || FGrid->WantsKey(key, shift) || TCustomEdit::WantsKey(key, shift);
}

void TInplaceEdit::Change() {
  TCustomEdit::Change();
  FGrid->UpdateText();
}

// ---------------------------------------------------------------- layout

TCustomGrid::TCustomGrid(TComponent* owner) : TCustomControl(owner) {
  FControlStyle = {csCaptureMouse, csOpaque, csDoubleClicks, csClickEvents};
  FColor = clWindow;
  SetTabStop(true);
  SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid() {
  // The editor is a child window: it goes while the grid is still whole.
  FInplaceEdit.reset();
}

Integer TCustomGrid::ColWidths(Integer col) const {
  return col >= 0 && col < static_cast<Integer>(FColWidths.size()) ? FColWidths[col] : FDefaultColWidth;
}

Integer TCustomGrid::RowHeights(Integer row) const {
  return row >= 0 && row < static_cast<Integer>(FRowHeights.size()) ? FRowHeights[row] : FDefaultRowHeight;
}

namespace {
// One line's extent; every line gets its own entry on the first change.
bool SetExtent(std::vector<Integer>& extents, Integer count, Integer fallback, Integer index, Integer value) {
  if (index < 0 || index >= count) throw EInvalidGridOperation(SIndexOutOfRange);
  if (extents.empty()) extents.assign(static_cast<size_t>(count), fallback);
  return SetIfChanged(extents[static_cast<size_t>(index)], std::max<Integer>(0, value));
}
}  // namespace

void TCustomGrid::LayoutChanged() {
  PlaceEditor();
  Invalidate();
}

void TCustomGrid::SetColWidths(Integer col, Integer width) {
  if (!SetExtent(FColWidths, FColCount, FDefaultColWidth, col, width)) return;
  ColWidthsChanged();
  LayoutChanged();
}

void TCustomGrid::SetRowHeights(Integer row, Integer height) {
  if (!SetExtent(FRowHeights, FRowCount, FDefaultRowHeight, row, height)) return;
  RowHeightsChanged();
  LayoutChanged();
}

// A new default applies to every column (row), as in the host.
void TCustomGrid::SetDefaultColWidth(Integer v) {
  FDefaultColWidth = v;
  FColWidths.clear();
  ColWidthsChanged();
  LayoutChanged();
}

void TCustomGrid::SetDefaultRowHeight(Integer v) {
  FDefaultRowHeight = v;
  FRowHeights.clear();
  RowHeightsChanged();
  LayoutChanged();
}

void TCustomGrid::SetGridLineWidth(Integer v) {
  if (SetIfChanged(FGridLineWidth, std::max<Integer>(0, v))) Invalidate();
}

void TCustomGrid::SetFixedColor(TColor v) {
  if (SetIfChanged(FFixedColor, v)) Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle v) {
  if (SetIfChanged(FScrollBars, v)) Changed(waScroll);
}

void TCustomGrid::SetBorderStyle(TBorderStyle v) {
  if (SetIfChanged(FBorderStyle, v)) Changed(waBorder);
}

void TCustomGrid::SetOptions(TGridOptions v) {
  if (v.Contains(goRowSelect)) v.Exclude(goAlwaysShowEditor);
  if (FOptions == v) return;
  FOptions = v;
  if (!v.Contains(goEditing)) HideEditor();
  else if (v.Contains(goAlwaysShowEditor) && !ComponentState().Contains(csLoading)) ShowEditor();
  if (v.Contains(goRowSelect)) FAnchor.X = FCurrent.X;
  Invalidate();
}

// One direction of the layout, columns across or rows down: the fixed lines first, then
// the scrolled ones from the first visible.
struct TCustomGrid::TAxis {
  const TCustomGrid* Grid;
  bool Columns;
  Integer Count, Fixed, First, Client;

  Integer Extent(Integer i) const { return Columns ? Grid->ColWidths(i) : Grid->RowHeights(i); }
  Integer Step(Integer i) const { return Extent(i) + Grid->FGridLineWidth; }
  Integer FixedExtent() const {
    Integer e = 0;
    for (Integer i = 0; i < Fixed; ++i) e += Step(i);
    return e;
  }
  // Where line i starts in client coordinates; -1 when it is scrolled away.
  Integer Start(Integer i) const {
    Integer p = 0;
    for (Integer k = 0; k < Fixed && k < i; ++k) p += Step(k);
    if (i < Fixed) return p;
    if (i < First) return -1;
    for (Integer k = First; k < i; ++k) p += Step(k);
    return p;
  }
  // The line under a client position; -1 outside the lines.
  Integer At(Integer p) const {
    if (p < 0 || p >= Client) return -1;
    Integer edge = 0;
    for (Integer i = 0; i < Count; ++i) {
      Integer index = i < Fixed ? i : First + (i - Fixed);
      if (index >= Count) break;
      edge += Step(index);
      if (p < edge) return index;
    }
    return -1;
  }
  // Scrolled lines that fit wholly into the client area.
  Integer VisibleCount() const {
    if (Fixed >= Count) return 0;
    Integer p = FixedExtent(), n = 0;
    for (Integer i = First; i < Count; ++i) {
      p += Extent(i);
      if (p > Client) break;
      p += Grid->FGridLineWidth;
      ++n;
    }
    return n;
  }
  // The line whose far grid line lies within a few pixels of p; -1 when none.
  Integer SizingLine(Integer p) const {
    for (Integer i = 0; i < Count; ++i) {
      Integer start = Start(i);
      if (start < 0) continue;
      Integer edge = start + Extent(i);
      if (p >= edge - SizingMargin && p <= edge + Grid->FGridLineWidth + SizingMargin) return i;
      if (start > Client) break;
    }
    return -1;
  }
};

TCustomGrid::TAxis TCustomGrid::Axis(bool columns) const {
  return columns ? TAxis{this, true, FColCount, FFixedCols, FTopLeft.X, GetClientWidth()}
                 : TAxis{this, false, FRowCount, FFixedRows, FTopLeft.Y, GetClientHeight()};
}

TRect TCustomGrid::CellRect(Integer col, Integer row) const {
  if (col < 0 || col >= FColCount || row < 0 || row >= FRowCount) return TRect{};
  Integer left = Axis(true).Start(col), top = Axis(false).Start(row);
  if (left < 0 || top < 0 || left >= GetClientWidth() || top >= GetClientHeight()) return TRect{};
  return Rect(left, top, left + ColWidths(col), top + RowHeights(row));
}

TGridCoord TCustomGrid::MouseCoord(Integer x, Integer y) const { return {Axis(true).At(x), Axis(false).At(y)}; }

void TCustomGrid::MouseToCell(Integer x, Integer y, Integer& col, Integer& row) const {
  TGridCoord c = MouseCoord(x, y);
  col = c.X;
  row = c.Y;
}

Integer TCustomGrid::VisibleRowCount() const { return Axis(false).VisibleCount(); }
Integer TCustomGrid::VisibleColCount() const { return Axis(true).VisibleCount(); }

// ---------------------------------------------------------------- size and position

void TCustomGrid::SetColCount(Integer v) {
  v = std::max<Integer>(1, v);
  if (v <= FFixedCols) SetFixedCols(v - 1);
  ChangeSize(v, FRowCount);
}

void TCustomGrid::SetRowCount(Integer v) {
  v = std::max<Integer>(1, v);
  if (v <= FFixedRows) SetFixedRows(v - 1);
  ChangeSize(FColCount, v);
}

void TCustomGrid::SetFixedCols(Integer v) {
  if (v < 0) throw EInvalidGridOperation(SIndexOutOfRange);
  if (v >= FColCount) throw EInvalidGridOperation(SFixedColTooBig);
  if (FFixedCols == v) return;
  HideEditor();
  FFixedCols = v;
  FTopLeft.X = v;
  FCurrent.X = std::max(FCurrent.X, v);
  FAnchor = FCurrent;
  ClampPositions();
  Invalidate();
}

void TCustomGrid::SetFixedRows(Integer v) {
  if (v < 0) throw EInvalidGridOperation(SIndexOutOfRange);
  if (v >= FRowCount) throw EInvalidGridOperation(SFixedRowTooBig);
  if (FFixedRows == v) return;
  HideEditor();
  FFixedRows = v;
  FTopLeft.Y = v;
  FCurrent.Y = std::max(FCurrent.Y, v);
  FAnchor = FCurrent;
  ClampPositions();
  Invalidate();
}

void TCustomGrid::ChangeSize(Integer colCount, Integer rowCount) {
  Integer oldCols = FColCount, oldRows = FRowCount;
  if (oldCols == colCount && oldRows == rowCount) return;
  FColCount = colCount;
  FRowCount = rowCount;
  if (!FColWidths.empty()) FColWidths.resize(static_cast<size_t>(colCount), FDefaultColWidth);
  if (!FRowHeights.empty()) FRowHeights.resize(static_cast<size_t>(rowCount), FDefaultRowHeight);
  if (FEditorMode && (FEditCell.X >= colCount || FEditCell.Y >= rowCount)) HideEditor();
  ClampPositions();
  SizeChanged(oldCols, oldRows);
  PlaceEditor();
  Invalidate();
}

void TCustomGrid::ClampPositions() {
  auto clamp = [](Integer v, Integer lo, Integer hi) { return std::clamp(v, lo, std::max(lo, hi)); };
  FCurrent = {clamp(FCurrent.X, FFixedCols, FColCount - 1), clamp(FCurrent.Y, FFixedRows, FRowCount - 1)};
  FAnchor = {clamp(FAnchor.X, FFixedCols, FColCount - 1), clamp(FAnchor.Y, FFixedRows, FRowCount - 1)};
  FTopLeft = {clamp(FTopLeft.X, FFixedCols, FColCount - 1), clamp(FTopLeft.Y, FFixedRows, FRowCount - 1)};
}

void TCustomGrid::SetCol(Integer v) {
  if (v != FCurrent.X) FocusCell(v, FCurrent.Y, true);
}

void TCustomGrid::SetRow(Integer v) {
  if (v != FCurrent.Y) FocusCell(FCurrent.X, v, true);
}

TGridRect TCustomGrid::Selection() const {
  TGridRect r{std::min(FAnchor.X, FCurrent.X), std::min(FAnchor.Y, FCurrent.Y), std::max(FAnchor.X, FCurrent.X),
              std::max(FAnchor.Y, FCurrent.Y)};
  if (FOptions.Contains(goRowSelect)) {
    r.Left = FFixedCols;
    r.Right = FColCount - 1;
  }
  return r;
}

void TCustomGrid::SetSelection(const TGridRect& v) {
  if (v.Left < FFixedCols || v.Top < FFixedRows || v.Right >= FColCount || v.Bottom >= FRowCount ||
      v.Left > v.Right || v.Top > v.Bottom)
    throw EInvalidGridOperation(SIndexOutOfRange);
  FAnchor = {v.Left, v.Top};
  FCurrent = {v.Right, v.Bottom};
  Invalidate();
}

void TCustomGrid::SetTopLeft(Integer col, Integer row) {
  TGridCoord old = FTopLeft;
  FTopLeft = {col, row};
  ClampPositions();
  if (FTopLeft == old) return;
  PlaceEditor();
  Invalidate();
  TopLeftChanged();
}

void TCustomGrid::SetTopRow(Integer v) { SetTopLeft(FTopLeft.X, v); }
void TCustomGrid::SetLeftCol(Integer v) { SetTopLeft(v, FTopLeft.Y); }

// Scrolls as little as needed for the cell to be wholly visible (or first, when it is larger).
void TCustomGrid::ScrollIntoView(Integer col, Integer row) {
  const TGridCoord old = FTopLeft;
  if (col >= FFixedCols) {
    if (col < FTopLeft.X) FTopLeft.X = col;
    while (FTopLeft.X < col && col >= FTopLeft.X + std::max<Integer>(1, VisibleColCount())) ++FTopLeft.X;
  }
  if (row >= FFixedRows) {
    if (row < FTopLeft.Y) FTopLeft.Y = row;
    while (FTopLeft.Y < row && row >= FTopLeft.Y + std::max<Integer>(1, VisibleRowCount())) ++FTopLeft.Y;
  }
  ClampPositions();
  if (!(FTopLeft == old)) TopLeftChanged();
}

bool TCustomGrid::SelectCell(Integer col, Integer row) {
  bool canSelect = true;
  OnSelectCell(this, col, row, canSelect);
  return canSelect;
}

void TCustomGrid::MoveCurrent(Integer col, Integer row, bool moveAnchor) {
  if (col < FFixedCols || col >= FColCount || row < FFixedRows || row >= FRowCount)
    throw EInvalidGridOperation(SIndexOutOfRange);
  if (!SelectCell(col, row)) return;
  if (FEditorMode && !(FEditCell == TGridCoord{col, row})) HideEditor();
  FCurrent = {col, row};
  if (moveAnchor || !FOptions.Contains(goRangeSelect)) FAnchor = FCurrent;
  ScrollIntoView(col, row);
  if (FOptions.Contains(goAlwaysShowEditor) && FOptions.Contains(goEditing)) ShowEditor();
  Invalidate();
  Click();
}

void TCustomGrid::InvalidateCell(Integer, Integer) { Invalidate(); }

void TCustomGrid::BoundsChanged() {
  TCustomControl::BoundsChanged();
  PlaceEditor();
}

// ---------------------------------------------------------------- editing

String TCustomGrid::GetEditText(Integer col, Integer row) {
  String value;
  OnGetEditText(this, col, row, value);
  return value;
}

void TCustomGrid::SetEditText(Integer col, Integer row, const String& value) { OnSetEditText(this, col, row, value); }

bool TCustomGrid::CanEditShow() const {
  return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) &&
         !ComponentState().Contains(csDesigning) && FCurrent.X >= FFixedCols && FCurrent.Y >= FFixedRows;
}

void TCustomGrid::SetEditorMode(bool v) {
  if (v) ShowEditor();
  else HideEditor();
}

void TCustomGrid::ShowEditor() {
  if (!CanEditShow()) return;
  if (FEditorMode && FEditCell == FCurrent) return;
  if (FEditorMode) HideEditor();
  if (!FInplaceEdit) FInplaceEdit = std::make_unique<TInplaceEdit>(this);
  ScrollIntoView(FCurrent.X, FCurrent.Y);
  FEditorMode = true;
  FEditCell = FCurrent;
  FEditOriginal = GetEditText(FCurrent.X, FCurrent.Y);
  // Loading the editor is not an edit: no cell is being edited while its text is set.
  FEditCell = {-1, -1};
  FInplaceEdit->SetText(FEditOriginal);
  FEditCell = FCurrent;
  FInplaceEdit->SelectAll();
  FInplaceEdit->SetModified(false);
  FInplaceEdit->SetParent(this);
  PlaceEditor();
  FInplaceEdit->SetVisible(true);
  if (TCustomForm* form = GetParentForm(this); form && form->GetActiveControl() == this && FInplaceEdit->CanFocus())
    form->FocusControl(FInplaceEdit.get());
}

void TCustomGrid::HideEditor() {
  if (!FEditorMode) return;
  FEditorMode = false;
  FEditCell = {-1, -1};
  if (!FInplaceEdit) return;
  TCustomForm* form = GetParentForm(this);
  bool hadFocus = form && form->GetActiveControl() == FInplaceEdit.get();
  FInplaceEdit->SetVisible(false);
  if (hadFocus && CanFocus()) form->FocusControl(this);
  Invalidate();
}

void TCustomGrid::PlaceEditor() {
  if (!FEditorMode || !FInplaceEdit) return;
  TRect r = CellRect(FEditCell.X, FEditCell.Y);
  FInplaceEdit->SetBoundsRect(r);
}

// Every change of the editor's text goes to the cell at once, as the host's grid does.
void TCustomGrid::UpdateText() {
  if (FEditCell.X < 0 || FEditCell.Y < 0 || !FInplaceEdit) return;
  SetEditText(FEditCell.X, FEditCell.Y, FInplaceEdit->GetText());
}

// Escape puts back the text the cell had when editing began.
void TCustomGrid::CancelEdit() {
  if (!FEditorMode || !FInplaceEdit) return;
  if (FInplaceEdit->GetText() != FEditOriginal) FInplaceEdit->SetText(FEditOriginal);
  FInplaceEdit->SetModified(false);
  if (FOptions.Contains(goAlwaysShowEditor)) FInplaceEdit->SelectAll();
  else HideEditor();
}

// ---------------------------------------------------------------- moving lines

namespace {
// Moves the line at from to to, the lines between shifting by one (nothing when there are none).
template <class Line>
void MoveLine(std::vector<Line>& lines, Integer from, Integer to) {
  if (lines.size() <= static_cast<size_t>(std::max(from, to))) return;
  auto first = lines.begin();
  if (from < to) std::rotate(first + from, first + from + 1, first + to + 1);
  else std::rotate(first + to, first + from, first + from + 1);
}
}  // namespace

Integer MovedIndex(Integer i, Integer from, Integer to) {
  if (i == from) return to;
  if (from < to && i > from && i <= to) return i - 1;
  if (from > to && i >= to && i < from) return i + 1;
  return i;
}

void TCustomGrid::MoveColumn(Integer fromIndex, Integer toIndex) {
  if (fromIndex < 0 || fromIndex >= FColCount || toIndex < 0 || toIndex >= FColCount)
    throw EInvalidGridOperation(SIndexOutOfRange);
  if (fromIndex == toIndex) return;
  HideEditor();
  MoveLine(FColWidths, fromIndex, toIndex);
  FCurrent.X = MovedIndex(FCurrent.X, fromIndex, toIndex);
  FAnchor.X = MovedIndex(FAnchor.X, fromIndex, toIndex);
  ClampPositions();
  ColumnMoved(fromIndex, toIndex);
  ColWidthsChanged();
  Invalidate();
}

void TCustomGrid::MoveRow(Integer fromIndex, Integer toIndex) {
  if (fromIndex < 0 || fromIndex >= FRowCount || toIndex < 0 || toIndex >= FRowCount)
    throw EInvalidGridOperation(SIndexOutOfRange);
  if (fromIndex == toIndex) return;
  HideEditor();
  MoveLine(FRowHeights, fromIndex, toIndex);
  FCurrent.Y = MovedIndex(FCurrent.Y, fromIndex, toIndex);
  FAnchor.Y = MovedIndex(FAnchor.Y, fromIndex, toIndex);
  ClampPositions();
  RowMoved(fromIndex, toIndex);
  RowHeightsChanged();
  Invalidate();
}

void TCustomGrid::ColumnMoved(Integer fromIndex, Integer toIndex) { OnColumnMoved(this, fromIndex, toIndex); }
void TCustomGrid::RowMoved(Integer fromIndex, Integer toIndex) { OnRowMoved(this, fromIndex, toIndex); }

// The line goes to the end and the count shrinks; the last line cannot go.
void TCustomGrid::DeleteColumn(Integer col) {
  if (col < 0 || col >= FColCount) throw EInvalidGridOperation(SIndexOutOfRange);
  MoveColumn(col, FColCount - 1);
  SetColCount(FColCount - 1);
}

void TCustomGrid::DeleteRow(Integer row) {
  if (row < 0 || row >= FRowCount) throw EInvalidGridOperation(SIndexOutOfRange);
  MoveRow(row, FRowCount - 1);
  SetRowCount(FRowCount - 1);
}

// ---------------------------------------------------------------- input

// Column lines are dragged in the fixed rows, row lines in the fixed columns.
Integer TCustomGrid::SizingLine(bool columns, Integer x, Integer y) const {
  Integer across = columns ? y : x;
  if (across < 0 || across >= Axis(!columns).FixedExtent()) return -1;
  return Axis(columns).SizingLine(columns ? x : y);
}

void TCustomGrid::MouseDown(TMouseButton button, TShiftState shift, Integer x, Integer y) {
  if (IsEnabled()) {
    if (!ActiveWithin(false) && CanFocus()) SetFocus();
    if (button == mbLeft) {
      TGridCoord cell = MouseCoord(x, y);
      Integer c = FOptions.Contains(goColSizing) ? SizingLine(true, x, y) : -1;
      Integer r = c < 0 && FOptions.Contains(goRowSizing) ? SizingLine(false, x, y) : -1;
      if (c >= 0) {
        FGridState = gsColSizing;
        FMoveFrom = c;
        FSizingOrigin = Axis(true).Start(c);
      } else if (r >= 0) {
        FGridState = gsRowSizing;
        FMoveFrom = r;
        FSizingOrigin = Axis(false).Start(r);
      } else if (cell.X >= 0 && cell.Y >= 0) {
        if (cell.Y < FFixedRows && cell.X >= FFixedCols && FOptions.Contains(goColMoving)) {
          FGridState = gsColMoving;
          FMoveFrom = cell.X;
        } else if (cell.X < FFixedCols && cell.Y >= FFixedRows && FOptions.Contains(goRowMoving)) {
          FGridState = gsRowMoving;
          FMoveFrom = cell.Y;
        } else if (cell.X >= FFixedCols && cell.Y >= FFixedRows) {
          if (cell == FCurrent && FOptions.Contains(goEditing) && !FEditorMode && !shift.Contains(ssShift)) {
            ShowEditor();
          } else {
            MoveCurrent(cell.X, cell.Y, !(shift.Contains(ssShift) && FOptions.Contains(goRangeSelect)));
            if (FOptions.Contains(goRangeSelect)) FGridState = gsSelecting;
          }
        }
      }
    }
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomGrid::MouseMove(TShiftState shift, Integer x, Integer y) {
  switch (FGridState) {
    case gsColSizing: SetColWidths(FMoveFrom, x - FSizingOrigin); break;
    case gsRowSizing: SetRowHeights(FMoveFrom, y - FSizingOrigin); break;
    case gsSelecting: {
      TGridCoord cell = MouseCoord(x, y);
      if (cell.X >= FFixedCols && cell.Y >= FFixedRows && !(cell == FCurrent)) MoveCurrent(cell.X, cell.Y, false);
      break;
    }
    default: break;
  }
  TCustomControl::MouseMove(shift, x, y);
}

void TCustomGrid::MouseUp(TMouseButton button, TShiftState shift, Integer x, Integer y) {
  TGridState state = std::exchange(FGridState, gsNormal);
  TGridCoord cell = MouseCoord(x, y);
  if (state == gsColMoving && cell.X >= FFixedCols && cell.X != FMoveFrom) MoveColumn(FMoveFrom, cell.X);
  if (state == gsRowMoving && cell.Y >= FFixedRows && cell.Y != FMoveFrom) MoveRow(FMoveFrom, cell.Y);
  FMoveFrom = -1;
  TCustomControl::MouseUp(button, shift, x, y);
}

bool TCustomGrid::WantsKey(Word key, TShiftState) const {
  switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END: return true;
    case VK_TAB: return FOptions.Contains(goTabs);
    case VK_RETURN: return FOptions.Contains(goEditing);
    case VK_ESCAPE: return FEditorMode;
    default: return false;
  }
}

void TCustomGrid::KeyDown(Word& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == 0) return;
  const bool ctrl = shift.Contains(ssCtrl);
  Integer col = FCurrent.X, row = FCurrent.Y;
  const Integer page = std::max<Integer>(1, VisibleRowCount());
  switch (key) {
    case VK_UP: --row; break;
    case VK_DOWN: ++row; break;
    case VK_LEFT:
      if (FOptions.Contains(goRowSelect)) {
        SetLeftCol(FTopLeft.X - 1);
        key = 0;
        return;
      }
      --col;
      break;
    case VK_RIGHT:
      if (FOptions.Contains(goRowSelect)) {
        SetLeftCol(FTopLeft.X + 1);
        key = 0;
        return;
      }
      ++col;
      break;
    case VK_PRIOR: row -= page; break;
    case VK_NEXT: row += page; break;
    case VK_HOME:
      if (ctrl) row = FFixedRows;
      col = FFixedCols;
      break;
    case VK_END:
      if (ctrl) row = FRowCount - 1;
      col = FColCount - 1;
      break;
    case VK_TAB:
      if (!FOptions.Contains(goTabs) || ctrl || shift.Contains(ssAlt)) return;
      // Tab wraps to the next row (Shift+Tab to the previous one) and round the grid.
      if (shift.Contains(ssShift)) {
        if (--col < FFixedCols) {
          col = FColCount - 1;
          if (--row < FFixedRows) row = FRowCount - 1;
        }
      } else if (++col >= FColCount) {
        col = FFixedCols;
        if (++row >= FRowCount) row = FFixedRows;
      }
      shift = {};
      break;
    case VK_F2:
      if (!FOptions.Contains(goEditing)) return;
      key = 0;
      ShowEditor();
      return;
    default: return;
  }
  key = 0;
  col = std::clamp(col, FFixedCols, FColCount - 1);
  row = std::clamp(row, FFixedRows, FRowCount - 1);
  if (col != FCurrent.X || row != FCurrent.Y)
    MoveCurrent(col, row, !(shift.Contains(ssShift) && FOptions.Contains(goRangeSelect)));
}

// A typed character starts editing with it (it replaces the cell's text); Enter starts and
// ends editing, Escape cancels it. The grid's handler hears the keys typed into the editor.
void TCustomGrid::KeyPress(char& key) {
  const auto u = static_cast<unsigned char>(key);
  if (!FEditorMode && FOptions.Contains(goEditing) && (key == '\b' || u >= 32)) {
    ShowEditor();
    if (FEditorMode && FInplaceEdit) {
      // As if typed into the editor: the grid's handler hears it, then it replaces the text.
      char typed = key;
      KeyPress(typed);
      FInplaceEdit->SelectAll();
      if (typed == '\b') FInplaceEdit->SetSelText("");
      else if (static_cast<unsigned char>(typed) >= 32 && !FInplaceEdit->GetReadOnly())
        FInplaceEdit->SetSelText(String(1, typed));
    }
    key = 0;
    return;
  }
  TCustomControl::KeyPress(key);
  if (key == '\r' && !FOptions.Contains(goAlwaysShowEditor) && FOptions.Contains(goEditing)) {
    if (FEditorMode) HideEditor();
    else ShowEditor();
    key = 0;
  } else if (key == 27 && FEditorMode) {
    CancelEdit();
    key = 0;
  }
}

// ---------------------------------------------------------------- painting

bool TCustomGrid::ActiveWithin(bool formActive) const {
  TCustomForm* form = GetParentForm(this);
  if (!form || (formActive && !form->Active())) return false;
  TWinControl* active = form->GetActiveControl();
  return active == this || (FInplaceEdit && active == FInplaceEdit.get());
}

TGridDrawState TCustomGrid::DrawStateOf(Integer col, Integer row) const {
  TGridDrawState state;
  if (col < FFixedCols || row < FFixedRows) {
    state.Include(gdFixed);
    return state;
  }
  bool focused = col == FCurrent.X && row == FCurrent.Y && ActiveWithin(true);
  if (focused) state.Include(gdFocused);
  if (Selection().Contains(col, row) &&
      (!focused || FOptions.Contains(goDrawFocusSelected) || FOptions.Contains(goRowSelect)))
    state.Include(gdSelected);
  return state;
}

void TCustomGrid::DrawCell(Integer col, Integer row, const TRect& rect, TGridDrawState state) {
  OnDrawCell(this, col, row, rect, state);
}

void TCustomGrid::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(GetColor());
  c->FillRect(GetClientRect());
  const Integer width = GetClientWidth(), height = GetClientHeight();
  // The lines that start inside the client area: a long grid paints one screen, not all of it.
  auto visibleLines = [this](const TAxis& axis, Integer extent) {
    std::vector<Integer> lines;
    Integer p = 0;
    for (Integer i = 0; i < axis.Fixed && p < extent; p += axis.Step(i), ++i) lines.push_back(i);
    for (Integer i = axis.First; i < axis.Count && p < extent; p += axis.Step(i), ++i) lines.push_back(i);
    return lines;
  };
  const std::vector<Integer> cols = visibleLines(Axis(true), width);
  const std::vector<Integer> rows = visibleLines(Axis(false), height);
  // The visible lines lie side by side in this order: positions add up.
  Integer top = 0;
  for (Integer row : rows) {
    if (top >= height) break;
    Integer left = 0;
    for (Integer col : cols) {
      if (left >= width) break;
      TRect r = Rect(left, top, left + ColWidths(col), top + RowHeights(row));
      TGridDrawState state = DrawStateOf(col, row);
      bool fixed = state.Contains(gdFixed);
      if (FDefaultDrawing) {
        bool selected = state.Contains(gdSelected);
        c->Brush()->SetColor(fixed ? FFixedColor : selected ? clHighlight : GetColor());
        c->Font()->SetColor(selected && !fixed ? clHighlightText : GetFont()->GetColor());
        c->FillRect(r);
      }
      DrawCell(col, row, r, state);
      if (FGridLineWidth > 0) {
        bool vert = FOptions.Contains(fixed ? goFixedVertLine : goVertLine);
        bool horz = FOptions.Contains(fixed ? goFixedHorzLine : goHorzLine);
        c->Pen()->SetColor(fixed ? clBlack : clSilver);
        if (vert) {
          c->MoveTo(r.Right, r.Top);
          c->LineTo(r.Right, r.Bottom + FGridLineWidth);
        }
        if (horz) {
          c->MoveTo(r.Left, r.Bottom);
          c->LineTo(r.Right + FGridLineWidth, r.Bottom);
        }
      }
      left += ColWidths(col) + FGridLineWidth;
    }
    top += RowHeights(row) + FGridLineWidth;
  }
  TCustomControl::Paint();
}

// ---------------------------------------------------------------- string grid lines

void TStringGridStrings::Check(int index) const {
  if (index < 0 || index >= GetCount()) Error(SConst::ListIndexError, index);
}

int TStringGridStrings::GetCount() const { return FIsColumn ? FGrid->GetRowCount() : FGrid->GetColCount(); }

String TStringGridStrings::Get(int index) const {
  Check(index);
  return FGrid->Cells(ColOf(index), RowOf(index));
}

TObject* TStringGridStrings::GetObject(int index) const {
  Check(index);
  return FGrid->Objects(ColOf(index), RowOf(index));
}

void TStringGridStrings::Put(int index, const String& s) {
  Check(index);
  FGrid->SetCells(ColOf(index), RowOf(index), s);
}

void TStringGridStrings::PutObject(int index, TObject* obj) {
  Check(index);
  FGrid->SetObjects(ColOf(index), RowOf(index), obj);
}

int TStringGridStrings::Add(const String& s) {
  for (int i = 0; i < GetCount(); ++i)
    if (Get(i).empty()) {
      Put(i, s);
      return i;
    }
  return -1;
}

// A line of a grid has a fixed length: inserting writes over, deleting empties.
void TStringGridStrings::Insert(int index, const String& s) { Put(index, s); }

void TStringGridStrings::Delete(int index) {
  Put(index, "");
  PutObject(index, nullptr);
}

void TStringGridStrings::Clear() {
  for (int i = 0; i < GetCount(); ++i) {
    FGrid->SetCells(ColOf(i), RowOf(i), "");
    FGrid->SetObjects(ColOf(i), RowOf(i), nullptr);
  }
}

// ---------------------------------------------------------------- the string grid

TStringGrid::TStringGrid(TComponent* owner) : TDrawGrid(owner) { SizeChanged(0, 0); }

TStringGrid::~TStringGrid() = default;

// Cells keep their text when the grid shrinks and show it again when it grows, as the host's do.
void TStringGrid::SizeChanged(Integer, Integer) {
  auto rows = static_cast<size_t>(GetRowCount()), cols = static_cast<size_t>(GetColCount());
  if (FCells.size() < rows) FCells.resize(rows);
  for (auto& line : FCells)
    if (line.size() < cols) line.resize(cols);
}

void TStringGrid::CheckCell(Integer col, Integer row) const {
  if (col < 0 || row < 0 || col >= GetColCount() || row >= GetRowCount()) throw EInvalidGridOperation(SIndexOutOfRange);
}

const TStringGrid::TCell* TStringGrid::Stored(Integer col, Integer row) const {
  if (col < 0 || row < 0 || static_cast<size_t>(row) >= FCells.size() ||
      static_cast<size_t>(col) >= FCells[static_cast<size_t>(row)].size())
    return nullptr;
  return &CellAt(col, row);
}

String TStringGrid::Cells(Integer col, Integer row) const {
  const TCell* cell = Stored(col, row);
  return cell ? cell->Text : String();
}

void TStringGrid::SetCells(Integer col, Integer row, const String& v) {
  CheckCell(col, row);
  TCell& cell = CellAt(col, row);
  if (cell.Text == v) return;
  cell.Text = v;
  // A cell being edited shows the new text.
  if (GetEditorMode() && col == Col() && row == Row() && InplaceEditor() && InplaceEditor()->GetText() != v)
    InplaceEditor()->SetText(v);
  InvalidateCell(col, row);
}

TObject* TStringGrid::Objects(Integer col, Integer row) const {
  const TCell* cell = Stored(col, row);
  return cell ? cell->Object : nullptr;
}

void TStringGrid::SetObjects(Integer col, Integer row, TObject* v) {
  CheckCell(col, row);
  CellAt(col, row).Object = v;
}

TStrings* TStringGrid::Cols(Integer col) {
  if (col < 0 || col >= GetColCount()) throw EInvalidGridOperation(SIndexOutOfRange);
  if (FColLists.size() <= static_cast<size_t>(col)) FColLists.resize(static_cast<size_t>(col) + 1);
  auto& list = FColLists[static_cast<size_t>(col)];
  if (!list) list = std::make_unique<TStringGridStrings>(this, true, col);
  return list.get();
}

TStrings* TStringGrid::Rows(Integer row) {
  if (row < 0 || row >= GetRowCount()) throw EInvalidGridOperation(SIndexOutOfRange);
  if (FRowLists.size() <= static_cast<size_t>(row)) FRowLists.resize(static_cast<size_t>(row) + 1);
  auto& list = FRowLists[static_cast<size_t>(row)];
  if (!list) list = std::make_unique<TStringGridStrings>(this, false, row);
  return list.get();
}

void TStringGrid::DrawCell(Integer col, Integer row, const TRect& rect, TGridDrawState state) {
  if (GetDefaultDrawing()) Canvas()->TextRect(rect, rect.Left + 2, rect.Top + 2, Cells(col, row));
  TDrawGrid::DrawCell(col, row, rect, state);
}

String TStringGrid::GetEditText(Integer col, Integer row) {
  String value = Cells(col, row);
  OnGetEditText(this, col, row, value);
  return value;
}

void TStringGrid::SetEditText(Integer col, Integer row, const String& value) {
  CheckCell(col, row);
  if (CellAt(col, row).Text != value) {
    CellAt(col, row).Text = value;
    InvalidateCell(col, row);
  }
  TDrawGrid::SetEditText(col, row, value);
}

void TStringGrid::ColumnMoved(Integer fromIndex, Integer toIndex) {
  for (auto& line : FCells) MoveLine(line, fromIndex, toIndex);
  TDrawGrid::ColumnMoved(fromIndex, toIndex);
}

void TStringGrid::ReorderRows(Integer first, const std::vector<Integer>& sources) {
  const auto count = static_cast<Integer>(sources.size());
  if (first < 0 || first + count > GetRowCount()) throw EInvalidGridOperation(SIndexOutOfRange);
  std::vector<bool> taken(static_cast<size_t>(count), false);
  for (Integer source : sources) {
    if (source < first || source >= first + count || taken[static_cast<size_t>(source - first)])
      throw EInvalidGridOperation(SIndexOutOfRange);
    taken[static_cast<size_t>(source - first)] = true;
  }
  std::vector<std::vector<TCell>> block;
  block.reserve(sources.size());
  for (Integer source : sources) block.push_back(std::move(FCells[static_cast<size_t>(source)]));
  std::move(block.begin(), block.end(), FCells.begin() + first);
  Invalidate();
}

void TStringGrid::RowMoved(Integer fromIndex, Integer toIndex) {
  MoveLine(FCells, fromIndex, toIndex);
  TDrawGrid::RowMoved(fromIndex, toIndex);
}

void RegisterGridsClasses() { RegisterClasses({TDrawGrid::StaticClass(), TStringGrid::StaticClass()}); }

}  // namespace xel

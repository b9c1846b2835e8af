// The grids: TCustomGrid (cells drawn through the canvas, fixed rows and columns, the
// current cell, selection, scrolling, sizing and moving, the in-place editor), TDrawGrid
// (cells drawn by an event) and TStringGrid (a text and an object per cell).
#pragma once

#include <memory>
#include <vector>

#include "StdCtrls.h"

namespace xel {

class TCustomGrid;

XEL_EXCEPTION(EInvalidGridOperation, Exception);

XEL_ENUM(TGridOption, goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
         goDrawFocusSelected, goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect,
         goAlwaysShowEditor, goThumbTracking)
XEL_SET(TGridOptions, TGridOption)
XEL_ENUM(TGridDrawStateItem, gdSelected, gdFocused, gdFixed)
XEL_SET(TGridDrawState, TGridDrawStateItem)
XEL_ENUM(TGridState, gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving)

struct TGridCoord {
  Integer X = 0;
  Integer Y = 0;
  bool operator==(const TGridCoord&) const = default;
};

// Columns Left..Right and rows Top..Bottom, all inclusive.
struct TGridRect {
  Integer Left = 0;
  Integer Top = 0;
  Integer Right = 0;
  Integer Bottom = 0;
  bool operator==(const TGridRect&) const = default;
  bool Contains(Integer col, Integer row) const { return col >= Left && col <= Right && row >= Top && row <= Bottom; }
};

XEL_EVENT(TDrawCellEvent, TObject* /*Sender*/, Integer /*ACol*/, Integer /*ARow*/, TRect /*Rect*/,
          TGridDrawState /*State*/);
XEL_EVENT(TSelectCellEvent, TObject* /*Sender*/, Integer /*ACol*/, Integer /*ARow*/, bool& /*CanSelect*/);
XEL_EVENT(TGetEditEvent, TObject* /*Sender*/, Integer /*ACol*/, Integer /*ARow*/, String& /*Value*/);
XEL_EVENT(TSetEditEvent, TObject* /*Sender*/, Integer /*ACol*/, Integer /*ARow*/, const String& /*Value*/);
XEL_EVENT(TMovedEvent, TObject* /*Sender*/, Integer /*FromIndex*/, Integer /*ToIndex*/);

// The editor that a grid places over its current cell; the grid hears its keys first.
class TInplaceEdit : public TCustomEdit {
  XEL_CLASS(TInplaceEdit, TCustomEdit)
public:
  explicit TInplaceEdit(TCustomGrid* grid);
  TCustomGrid* Grid() const { return FGrid; }
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  bool WantsKey(Word key, TShiftState shift) const override;

protected:
  void Change() override;

private:
  TCustomGrid* FGrid;
};

class TCustomGrid : public TCustomControl {
  XEL_CLASS(TCustomGrid, TCustomControl)
public:
  explicit TCustomGrid(TComponent* owner);
  ~TCustomGrid() override;

  Integer GetColCount() const { return FColCount; }
  void SetColCount(Integer v);
  Integer GetRowCount() const { return FRowCount; }
  void SetRowCount(Integer v);
  Integer GetFixedCols() const { return FFixedCols; }
  void SetFixedCols(Integer v);
  Integer GetFixedRows() const { return FFixedRows; }
  void SetFixedRows(Integer v);
  Integer GetDefaultColWidth() const { return FDefaultColWidth; }
  void SetDefaultColWidth(Integer v);
  Integer GetDefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultRowHeight(Integer v);
  Integer ColWidths(Integer col) const;
  void SetColWidths(Integer col, Integer width);
  Integer RowHeights(Integer row) const;
  void SetRowHeights(Integer row, Integer height);
  Integer GetGridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(Integer v);
  TGridOptions GetOptions() const { return FOptions; }
  void SetOptions(TGridOptions v);
  TColor GetFixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor v);
  bool GetDefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool v) { FDefaultDrawing = v; }
  TScrollStyle GetScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle v);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle v);

  // The current cell; moving there asks SelectCell first.
  Integer Col() const { return FCurrent.X; }
  Integer Row() const { return FCurrent.Y; }
  void SetCol(Integer v);
  void SetRow(Integer v);
  TGridRect Selection() const;
  void SetSelection(const TGridRect& v);
  Integer TopRow() const { return FTopLeft.Y; }
  void SetTopRow(Integer v);
  Integer LeftCol() const { return FTopLeft.X; }
  void SetLeftCol(Integer v);
  // Scrollable rows (columns) that fit wholly into the client area below (beside) the fixed ones.
  Integer VisibleRowCount() const;
  Integer VisibleColCount() const;

  // Client rectangle of a cell; empty when the cell is scrolled out of sight.
  TRect CellRect(Integer col, Integer row) const;
  // The cell under a client point; -1 for each coordinate outside the cells.
  TGridCoord MouseCoord(Integer x, Integer y) const;
  void MouseToCell(Integer x, Integer y, Integer& col, Integer& row) const;

  bool GetEditorMode() const { return FEditorMode; }
  void SetEditorMode(bool v);
  TInplaceEdit* InplaceEditor() const { return FInplaceEdit.get(); }
  void ShowEditor();
  void HideEditor();
  TGridState GridState() const { return FGridState; }

  // Row and column structure; the current cell stays on its data.
  void MoveColumn(Integer fromIndex, Integer toIndex);
  void MoveRow(Integer fromIndex, Integer toIndex);
  virtual void DeleteColumn(Integer col);
  virtual void DeleteRow(Integer row);
  void InvalidateCell(Integer col, Integer row);

  void MouseDown(TMouseButton button, TShiftState shift, Integer x, Integer y) override;
  void MouseMove(TShiftState shift, Integer x, Integer y) override;
  void MouseUp(TMouseButton button, TShiftState shift, Integer x, Integer y) override;
  void KeyDown(Word& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  bool WantsKey(Word key, TShiftState shift) const override;
  void Paint() override;

  TSelectCellEvent OnSelectCell;
  TDrawCellEvent OnDrawCell;
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;
  TMovedEvent OnColumnMoved;
  TMovedEvent OnRowMoved;
  TNotifyEvent OnTopLeftChanged;

protected:
  friend class TInplaceEdit;
  virtual bool SelectCell(Integer col, Integer row);
  virtual void DrawCell(Integer col, Integer row, const TRect& rect, TGridDrawState state);
  virtual String GetEditText(Integer col, Integer row);
  virtual void SetEditText(Integer col, Integer row, const String& value);
  virtual bool CanEditShow() const;
  virtual void ColumnMoved(Integer fromIndex, Integer toIndex);
  virtual void RowMoved(Integer fromIndex, Integer toIndex);
  virtual void ColWidthsChanged() {}
  virtual void RowHeightsChanged() {}
  virtual void SizeChanged(Integer oldColCount, Integer oldRowCount) {
    (void)oldColCount;
    (void)oldRowCount;
  }
  virtual void TopLeftChanged() { OnTopLeftChanged(this); }
  // Moves the current cell (and with it the anchor of the selection unless extending).
  void MoveCurrent(Integer col, Integer row, bool moveAnchor);
  void FocusCell(Integer col, Integer row, bool moveAnchor) { MoveCurrent(col, row, moveAnchor); }
  void UpdateText();
  TGridDrawState DrawStateOf(Integer col, Integer row) const;
  void BoundsChanged() override;

private:
  void ChangeSize(Integer colCount, Integer rowCount);
  void ClampPositions();
  void ScrollIntoView(Integer col, Integer row);
  void SetTopLeft(Integer col, Integer row);
  void PlaceEditor();
  void LayoutChanged();
  void CancelEdit();
  // The grid or its editor is the form's active control (and the form active, if asked).
  bool ActiveWithin(bool formActive) const;
  struct TAxis;
  TAxis Axis(bool columns) const;
  // The column (or row) whose far grid line the mouse is on for sizing; -1 when none.
  Integer SizingLine(bool columns, Integer x, Integer y) const;

  Integer FColCount = 5;
  Integer FRowCount = 5;
  Integer FFixedCols = 1;
  Integer FFixedRows = 1;
  Integer FDefaultColWidth = 64;
  Integer FDefaultRowHeight = 24;
  Integer FGridLineWidth = 1;
  std::vector<Integer> FColWidths;  // empty while every column has the default width
  std::vector<Integer> FRowHeights;
  TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  TColor FFixedColor = clBtnFace;
  bool FDefaultDrawing = true;
  TScrollStyle FScrollBars = ssBoth;
  TBorderStyle FBorderStyle = bsSingle;
  TGridCoord FCurrent{1, 1};
  TGridCoord FAnchor{1, 1};
  TGridCoord FTopLeft{1, 1};
  bool FEditorMode = false;
  std::unique_ptr<TInplaceEdit> FInplaceEdit;
  TGridCoord FEditCell{-1, -1};
  String FEditOriginal;
  TGridState FGridState = gsNormal;
  Integer FMoveFrom = -1;      // the line being sized or moved
  Integer FSizingOrigin = 0;   // its left or top edge
};

#define XEL_GRID_COMMON(C)                                                                                      \
  Prop("Align", &C::GetAlign, &C::SetAlign).Default(alNone),                                                    \
      Prop("BorderStyle", &C::GetBorderStyle, &C::SetBorderStyle).Default(bsSingle),                           \
      Prop("ColCount", &C::GetColCount, &C::SetColCount).Default(5),                                           \
      Prop("DefaultColWidth", &C::GetDefaultColWidth, &C::SetDefaultColWidth).Default(64),                     \
      Prop("DefaultDrawing", &C::GetDefaultDrawing, &C::SetDefaultDrawing).Default(true),                      \
      Prop("DefaultRowHeight", &C::GetDefaultRowHeight, &C::SetDefaultRowHeight).Default(24),                  \
      Prop("FixedColor", &C::GetFixedColor, &C::SetFixedColor).Default(clBtnFace),                             \
      Prop("FixedCols", &C::GetFixedCols, &C::SetFixedCols).Default(1),                                        \
      Prop("FixedRows", &C::GetFixedRows, &C::SetFixedRows).Default(1),                                        \
      Prop("GridLineWidth", &C::GetGridLineWidth, &C::SetGridLineWidth).Default(1),                            \
      Prop("Options", &C::GetOptions, &C::SetOptions)                                                           \
          .Default(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect}),      \
      Prop("RowCount", &C::GetRowCount, &C::SetRowCount).Default(5),                                           \
      Prop("ScrollBars", &C::GetScrollBars, &C::SetScrollBars).Default(ssBoth), XEL_WIN_COMMON(C),            \
      Prop("OnClick", &C::OnClick, &C::OnClick), Prop("OnColumnMoved", &C::OnColumnMoved, &C::OnColumnMoved), \
      Prop("OnDblClick", &C::OnDblClick, &C::OnDblClick), Prop("OnDrawCell", &C::OnDrawCell, &C::OnDrawCell), \
      Prop("OnGetEditText", &C::OnGetEditText, &C::OnGetEditText),                                            \
      Prop("OnMouseDown", &C::OnMouseDown, &C::OnMouseDown), Prop("OnMouseUp", &C::OnMouseUp, &C::OnMouseUp), \
      Prop("OnRowMoved", &C::OnRowMoved, &C::OnRowMoved),                                                     \
      Prop("OnSelectCell", &C::OnSelectCell, &C::OnSelectCell),                                               \
      Prop("OnSetEditText", &C::OnSetEditText, &C::OnSetEditText),                                            \
      Prop("OnTopLeftChanged", &C::OnTopLeftChanged, &C::OnTopLeftChanged)

class TDrawGrid : public TCustomGrid {
  XEL_CLASS(TDrawGrid, TCustomGrid)
public:
  using TCustomGrid::TCustomGrid;
  static auto Published() { return PropTable<TDrawGrid>(XEL_GRID_COMMON(TDrawGrid)); }
};

class TStringGrid;

// One row or one column of a string grid seen as a list of strings.
class TStringGridStrings : public TStrings {
  XEL_CLASS(TStringGridStrings, TStrings)
public:
  TStringGridStrings(TStringGrid* grid, bool isColumn, Integer index) : FGrid(grid), FIsColumn(isColumn), FIndex(index) {}
  String Get(int index) const override;
  int GetCount() const override;
  TObject* GetObject(int index) const override;
  void Put(int index, const String& s) override;
  void PutObject(int index, TObject* obj) override;
  // Fills the first empty cell; -1 when the line is full.
  int Add(const String& s) override;
  void Insert(int index, const String& s) override;
  void Delete(int index) override;
  void Clear() override;

private:
  Integer ColOf(int index) const { return FIsColumn ? FIndex : index; }
  Integer RowOf(int index) const { return FIsColumn ? index : FIndex; }
  void Check(int index) const;
  TStringGrid* FGrid;
  bool FIsColumn;
  Integer FIndex;
};

class TStringGrid : public TDrawGrid {
  XEL_CLASS(TStringGrid, TDrawGrid)
public:
  explicit TStringGrid(TComponent* owner);
  ~TStringGrid() override;
  String Cells(Integer col, Integer row) const;
  void SetCells(Integer col, Integer row, const String& v);
  TObject* Objects(Integer col, Integer row) const;
  void SetObjects(Integer col, Integer row, TObject* v);
  TStrings* Cols(Integer col);
  TStrings* Rows(Integer row);
  void SetCols(Integer col, TStrings* v) { Cols(col)->Assign(v); }
  void SetRows(Integer row, TStrings* v) { Rows(row)->Assign(v); }

  static auto Published() { return PropTable<TStringGrid>(XEL_GRID_COMMON(TStringGrid)); }

protected:
  void DrawCell(Integer col, Integer row, const TRect& rect, TGridDrawState state) override;
  String GetEditText(Integer col, Integer row) override;
  void SetEditText(Integer col, Integer row, const String& value) override;
  void ColumnMoved(Integer fromIndex, Integer toIndex) override;
  void RowMoved(Integer fromIndex, Integer toIndex) override;
  void SizeChanged(Integer oldColCount, Integer oldRowCount) override;
  // Rows first + i take the cells (texts and objects) that row sources[i] had; sources is a
  // permutation of first .. first + size - 1. Row heights stay where they are.
  void ReorderRows(Integer first, const std::vector<Integer>& sources);

private:
  struct TCell {
    String Text;
    TObject* Object = nullptr;
  };
  void CheckCell(Integer col, Integer row) const;
  // The stored cell, or nullptr outside what was ever stored.
  const TCell* Stored(Integer col, Integer row) const;
  TCell& CellAt(Integer col, Integer row) { return FCells[static_cast<size_t>(row)][static_cast<size_t>(col)]; }
  const TCell& CellAt(Integer col, Integer row) const {
    return FCells[static_cast<size_t>(row)][static_cast<size_t>(col)];
  }
  std::vector<std::vector<TCell>> FCells;  // rows of cells
  std::vector<std::unique_ptr<TStringGridStrings>> FColLists, FRowLists;
};

// Where line i of a grid ends up when the line at from moves to to.
Integer MovedIndex(Integer i, Integer from, Integer to);

void RegisterGridsClasses();

}  // namespace xel

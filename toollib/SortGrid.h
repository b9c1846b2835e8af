// The sort grid: a string grid that sorts its data rows by a column (by a click on a fixed
// row or by call; alphabetic, numeric or date order, chosen from the column's content when
// asked), undoes the last sort, lets the application format each cell through an event,
// validates an edited cell before it is left, sizes columns to their content, and reads and
// writes its content as separator-delimited text.
#pragma once

#include <memory>

#include <vector>

#include "Grids.h"

namespace xel {

XEL_ENUM(TSortStyle, ssAutomatic, ssAlphabetic, ssNumeric, ssDate)
XEL_ENUM(TSortDirection, sdAscending, sdDescending)
XEL_ENUM(TCellBevelStyle, cbNone, cbRaised, cbLowered)
XEL_ENUM(TVertAlignment, taTopJustify, taBottomJustify, taMiddle)

struct TSortOptions {
  TSortStyle SortStyle = ssAutomatic;
  TSortDirection SortDirection = sdAscending;
  bool SortCaseSensitive = false;
};

// How one cell is drawn. Brush and Font are the grid canvas's own: a handler changes them in
// place. Every cell starts with the grid's font and the colours of its draw state.
struct TFormatOptions {
  TBrush* Brush = nullptr;
  TFont* Font = nullptr;
  TAlignment AlignmentHorz = taLeftJustify;
  TVertAlignment AlignmentVert = taTopJustify;
  TCellBevelStyle Bevel = cbNone;
  TColor HighlightColor = clWindow;  // the bevel's light edges
  TColor ShadowColor = clWindow;     // and its dark ones
  bool HideText = false;             // fill the cell, draw no text
};

// One data row of the last sort: the text it was sorted by and the row it came from.
struct TSortedListEntry {
  String Key;
  Integer Index = 0;
};

// The rows of the last sort in their sorted order; the grid keeps it to undo that sort.
class TSortedList {
public:
  Integer Count() const { return static_cast<Integer>(FItems.size()); }
  const TSortedListEntry& Items(Integer index) const;
  void Add(const String& key, Integer index) { FItems.push_back({key, index}); }
  void Reset() { FItems.clear(); }

private:
  friend class TSortGrid;
  std::vector<TSortedListEntry> FItems;
};

XEL_EVENT(TGetCellFormatEvent, TObject* /*Sender*/, Integer /*Col*/, Integer /*Row*/, TGridDrawState /*State*/,
          TFormatOptions& /*FormatOptions*/);
XEL_EVENT(TClickSortEvent, TObject* /*Sender*/, Integer /*Col*/, Integer /*Row*/, TSortOptions& /*SortOptions*/);
XEL_EVENT(TUpdateGridEvent, TObject* /*Sender*/, Integer /*Index*/);
XEL_EVENT(TSizeChangedEvent, TObject* /*Sender*/, Integer /*OldColCount*/, Integer /*OldRowCount*/);
XEL_EVENT(TBeginSortEvent, TObject* /*Sender*/, Integer /*Col*/, TSortOptions& /*SortOptions*/);
XEL_EVENT(TEndSortEvent, TObject* /*Sender*/, Integer /*Col*/);
XEL_EVENT(TCellValidateEvent, TObject* /*Sender*/, Integer /*Col*/, Integer /*Row*/, String& /*Value*/,
          bool& /*Valid*/);

class TSortGrid : public TStringGrid {
  XEL_CLASS(TSortGrid, TStringGrid)
public:
  explicit TSortGrid(TComponent* owner);
  ~TSortGrid() override;

  // Sorts the data rows by the column; nothing happens while a cell is edited or when there
  // are fewer than two data rows. Equal keys keep their order in both directions.
  virtual void SortByColumn(Integer col, TSortOptions options);
  virtual void ListQuickSort(Integer col, const TSortOptions& options);
  // Numeric when every data cell of the column is a number, else date when every one is a
  // date (the host's conversions under FormatSettings), else alphabetic.
  virtual TSortStyle DetermineSortStyle(Integer col);
  // Possible while the grid still has the rows of the last sort; otherwise the undo
  // information is dropped.
  bool CanUndoSort();
  void UndoSort();
  const TSortedList& SortedList() const { return FSortedList; }
  bool Sorting() const { return FSorting; }

  // The widest text of the column (fixed rows included, each in its cell's format) plus an "x".
  virtual void AutoSizeCol(Integer col);
  void AutoSizeColumns(bool includeFixed, Integer extra);

  void InsertRow(Integer index);
  void InsertColumn(Integer index);
  void DeleteRow(Integer index) override;
  void DeleteColumn(Integer index) override;
  void MoveRow(Integer fromIndex, Integer toIndex);
  void MoveColumn(Integer fromIndex, Integer toIndex);
  void SwapRows(Integer a, Integer b);
  void SwapColumns(Integer a, Integer b);
  // Moves the current cell there, clamped into the data cells, if the cell may be selected.
  void MoveTo(Integer col, Integer row);
  void Clear();
  // The first cell (columns from the left, each searched as its list searches) holding text.
  bool IsCell(const String& text, Integer& col, Integer& row);

  // One line per row, fixed rows included, the cells split (or joined) at every separator;
  // no quoting.
  void LoadFromFile(const String& fileName, char separator);
  void SaveToFile(const String& fileName, char separator);

  void InitializeFormatOptions(TFormatOptions& formatOptions);
  // The draw state painting would give the cell, for formatting outside painting.
  TGridDrawState GetCellDrawState(Integer col, Integer row) const;
  // Remembers the current cell and its text; ValidateCell asks OnCellValidate when that
  // cell's text has changed since, and is false when the handler refused it.
  void InitValidate();
  bool ValidateCell();
  bool GetModified() const { return FModified; }
  void SetModified(bool v) { FModified = v; }
  bool HasFocus() const { return FHasFocus; }

  TAlignment GetAlignmentHorz() const { return FAlignmentHorz; }
  void SetAlignmentHorz(TAlignment v);
  TVertAlignment GetAlignmentVert() const { return FAlignmentVert; }
  void SetAlignmentVert(TVertAlignment v);
  TCellBevelStyle GetBevelStyle() const { return FBevelStyle; }
  void SetBevelStyle(TCellBevelStyle v);
  bool GetClickSorting() const { return FClickSorting; }
  void SetClickSorting(bool v) { FClickSorting = v; }
  bool GetProportionalScrollBars() const { return FProportionalScrollBars; }
  void SetProportionalScrollBars(bool v);
  bool GetExtendedKeys() const { return FExtendedKeys; }
  void SetExtendedKeys(bool v) { FExtendedKeys = v; }

  void MouseUp(TMouseButton button, TShiftState shift, Integer x, Integer y) override;
  void KeyDown(Word& key, TShiftState shift) override;
  void DoEnter() override;
  void DoExit() override;

  TGetCellFormatEvent OnGetCellFormat;
  TClickSortEvent OnClickSort;
  TUpdateGridEvent OnRowInsert;
  TUpdateGridEvent OnRowDelete;
  TUpdateGridEvent OnColumnInsert;
  TUpdateGridEvent OnColumnDelete;
  TNotifyEvent OnColumnWidthsChanged;
  TNotifyEvent OnRowHeightsChanged;
  TSizeChangedEvent OnSizeChanged;
  TBeginSortEvent OnBeginSort;
  TEndSortEvent OnEndSort;
  TCellValidateEvent OnCellValidate;

  static auto Published() {
    using C = TSortGrid;
    return PropTable<C>(
        Prop("AlignmentHorz", &C::GetAlignmentHorz, &C::SetAlignmentHorz).Default(taLeftJustify),
        Prop("AlignmentVert", &C::GetAlignmentVert, &C::SetAlignmentVert).Default(taTopJustify),
        Prop("BevelStyle", &C::GetBevelStyle, &C::SetBevelStyle).Default(cbNone),
        Prop("ClickSorting", &C::GetClickSorting, &C::SetClickSorting).Default(true),
        Prop("ExtendedKeys", &C::GetExtendedKeys, &C::SetExtendedKeys).Default(false),
        Prop("ProportionalScrollBars", &C::GetProportionalScrollBars, &C::SetProportionalScrollBars)
            .Default(false),
        Prop("OnBeginSort", &C::OnBeginSort, &C::OnBeginSort),
        Prop("OnCellValidate", &C::OnCellValidate, &C::OnCellValidate),
        Prop("OnClickSort", &C::OnClickSort, &C::OnClickSort),
        Prop("OnColumnDelete", &C::OnColumnDelete, &C::OnColumnDelete),
        Prop("OnColumnInsert", &C::OnColumnInsert, &C::OnColumnInsert),
        Prop("OnColumnWidthsChanged", &C::OnColumnWidthsChanged, &C::OnColumnWidthsChanged),
        Prop("OnEndSort", &C::OnEndSort, &C::OnEndSort),
        Prop("OnGetCellFormat", &C::OnGetCellFormat, &C::OnGetCellFormat),
        Prop("OnRowDelete", &C::OnRowDelete, &C::OnRowDelete),
        Prop("OnRowHeightsChanged", &C::OnRowHeightsChanged, &C::OnRowHeightsChanged),
        Prop("OnRowInsert", &C::OnRowInsert, &C::OnRowInsert),
        Prop("OnSizeChanged", &C::OnSizeChanged, &C::OnSizeChanged));
  }

protected:
  // Fills in the format of one cell: OnGetCellFormat.
  virtual void GetCellFormat(Integer col, Integer row, TGridDrawState state, TFormatOptions& formatOptions);
  void DrawCell(Integer col, Integer row, const TRect& rect, TGridDrawState state) override;
  bool SelectCell(Integer col, Integer row) override;
  void SetEditText(Integer col, Integer row, const String& value) override;
  void ColumnMoved(Integer fromIndex, Integer toIndex) override;
  void RowMoved(Integer fromIndex, Integer toIndex) override;
  void ColWidthsChanged() override;
  void RowHeightsChanged() override;
  void SizeChanged(Integer oldColCount, Integer oldRowCount) override;
  // Tells the window that the scrolling range or page changed.
  void UpdateScrollBars();

private:
  // Puts the data rows in the order given (row FixedRows + i takes row sources[i]); the
  // current cell and the validation snapshot go with their rows.
  void ArrangeRows(const std::vector<Integer>& sources);
  // Runs a structural change with the always-shown editor switched off.
  template <class F>
  void WithoutEditor(F change);

  struct TValidation {
    Integer Col = -1;
    Integer Row = -1;
    String Text;
    bool Modified = false;
  };

  // Whether the font measured last draws its digits interchangeably (column sizing).
  struct TDigitWidths;
  std::unique_ptr<TDigitWidths> FDigitWidths;
  TSortedList FSortedList;
  TValidation FValidation;
  TAlignment FAlignmentHorz = taLeftJustify;
  TVertAlignment FAlignmentVert = taTopJustify;
  TCellBevelStyle FBevelStyle = cbNone;
  bool FClickSorting = true;
  bool FProportionalScrollBars = false;
  bool FExtendedKeys = false;
  bool FSorting = false;
  bool FModified = false;
  bool FHasFocus = false;
  bool FValidating = false;
};

}  // namespace xel

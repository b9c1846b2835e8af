// The sort grid with check-box cells: a selectable cell is drawn as a check box and is
// selected exactly when its text is "X". Adds highlight colouring, drawing hooks, a click
// event per cell and range selection by dragging along a column or a row.
#pragma once

#include <memory>

#include "SortGrid.h"

namespace xel {

class TSortGridEx;

XEL_EVENT(TBeforeDrawCellEvent, TObject* /*Sender*/, Integer /*Col*/, Integer /*Row*/, TRect /*Rect*/,
          TGridDrawState /*State*/, bool& /*Handled*/);
XEL_EVENT(TAutoRangeSelectQueryEvent, TObject* /*Sender*/, TMouseButton /*Button*/, TShiftState /*Shift*/,
          Integer /*X*/, Integer /*Y*/, Integer /*Col*/, Integer /*Row*/, bool& /*BeginRangeSelect*/);
XEL_EVENT(THighLightQueryEvent, TObject* /*Sender*/, Integer /*Col*/, Integer /*Row*/, bool& /*HighLight*/);
XEL_EVENT(TGridMouseClickEvent, TObject* /*Sender*/, TMouseButton /*Button*/, TShiftState /*Shift*/,
          Integer /*X*/, Integer /*Y*/, Integer /*Col*/, Integer /*Row*/);
XEL_EVENT(TCellSelectEvent, TObject* /*Sender*/, Integer /*Col*/, Integer /*Row*/, bool /*Selected*/);
XEL_EVENT(TSelectQueryEvent, TObject* /*Sender*/, Integer /*Col*/, Integer /*Row*/, bool& /*Selectable*/);

// A range selection by dragging. It is linear: the cells between the anchor and the current
// cell when both lie in one column or one row, else the anchor alone. Every cell takes the
// inverse of the anchor's first state; the cells the range leaves get their state back.
class TAutoRangeSelect : public TObject {
  XEL_CLASS(TAutoRangeSelect, TObject)
public:
  explicit TAutoRangeSelect(TSortGridEx* grid);
  ~TAutoRangeSelect() override;

  bool Active() const { return FActive; }
  TGridCoord Anchor() const { return FAnchor; }
  void BeginSelection(Integer col, Integer row);
  void AdjustSelection(Integer col, Integer row);
  // Accepting keeps the states; otherwise the covered cells are restored first.
  void EndSelection(bool accept);
  void CancelSelection() { EndSelection(false); }
  // The grid grew or shrank: the buffer grows with it and keeps what it holds.
  void GridSizeChanged();
  // The state a covered cell had before the range reached it (by row in a column, by
  // column in a row).
  bool SavedState(Integer index) const;

private:
  struct TRun {
    bool Vertical = true;
    Integer Line = 0;  // the column of a vertical run, the row of a horizontal one
    Integer From = 0;
    Integer To = -1;
  };
  void CheckAllocated() const;
  TRun RunTo(TGridCoord cell) const;
  void Restore(const TRun& run);
  void Cover(const TRun& run);

  TSortGridEx* FGrid;
  std::unique_ptr<std::vector<Byte>> FBuffer;
  bool FActive = false;
  bool FNewState = false;
  TGridCoord FAnchor{-1, -1};
  TGridCoord FCurrent{-1, -1};
};

class TSortGridEx : public TSortGrid {
  XEL_CLASS(TSortGridEx, TSortGrid)
public:
  explicit TSortGridEx(TComponent* owner);
  ~TSortGridEx() override;

  // False for cells that cannot be selected; the fast test reads the text alone.
  bool GetSelected(Integer col, Integer row);
  bool GetSelectedFast(Integer col, Integer row) const { return Cells(col, row) == "X"; }
  void SetSelected(Integer col, Integer row, bool value);
  // True for a data cell of the grid unless OnSelectQuery says otherwise.
  virtual bool SelectQuery(Integer col, Integer row);
  virtual bool HighLightQuery(Integer col, Integer row);
  // Changes of selection inside these nest and report once, at the outermost end.
  void BeginSelectUpdate() { ++FSelectUpdateCount; }
  void EndSelectUpdate();
  void SelectionChanged();
  virtual void SelectUpdate() { OnSelectUpdate(this); }

  void BeginRangeSelect(Integer col, Integer row) { FRangeSelect->BeginSelection(col, row); }
  void AdjustRangeSelect(Integer col, Integer row) { FRangeSelect->AdjustSelection(col, row); }
  void EndRangeSelect(bool accept) { FRangeSelect->EndSelection(accept); }
  void CancelRangeSelect() { FRangeSelect->CancelSelection(); }
  TAutoRangeSelect* RangeSelect() const { return FRangeSelect.get(); }
  virtual bool AutoRangeSelectQuery(TMouseButton button, TShiftState shift, Integer x, Integer y, Integer col,
                                    Integer row);
  virtual void MouseClick(TMouseButton button, TShiftState shift, Integer x, Integer y, Integer col, Integer row);
  bool CheckCoords(Integer col, Integer row) const {
    return col >= 0 && row >= 0 && col < GetColCount() && row < GetRowCount();
  }

  bool GetAutoRangeSelect() const { return FAutoRangeSelect; }
  void SetAutoRangeSelect(bool v) { FAutoRangeSelect = v; }
  TColor GetHighLightColor() const { return FHighLightColor; }
  void SetHighLightColor(TColor v);

  void MouseDown(TMouseButton button, TShiftState shift, Integer x, Integer y) override;
  void MouseMove(TShiftState shift, Integer x, Integer y) override;
  void MouseUp(TMouseButton button, TShiftState shift, Integer x, Integer y) override;

  TDrawCellEvent AfterDrawCell;
  TBeforeDrawCellEvent BeforeDrawCell;
  TAutoRangeSelectQueryEvent OnAutoRangeSelectQuery;
  THighLightQueryEvent OnHighLightQuery;
  TGridMouseClickEvent OnMouseClick;
  TCellSelectEvent OnSelect;
  TSelectQueryEvent OnSelectQuery;
  TNotifyEvent OnSelectUpdate;

  static auto Published() {
    using C = TSortGridEx;
    return PropTable<C>(Prop("AutoRangeSelect", &C::GetAutoRangeSelect, &C::SetAutoRangeSelect).Default(true),
                        Prop("HighLightColor", &C::GetHighLightColor, &C::SetHighLightColor).Default(clYellow),
                        Prop("AfterDrawCell", &C::AfterDrawCell, &C::AfterDrawCell),
                        Prop("BeforeDrawCell", &C::BeforeDrawCell, &C::BeforeDrawCell),
                        Prop("OnAutoRangeSelectQuery", &C::OnAutoRangeSelectQuery, &C::OnAutoRangeSelectQuery),
                        Prop("OnHighLightQuery", &C::OnHighLightQuery, &C::OnHighLightQuery),
                        Prop("OnMouseClick", &C::OnMouseClick, &C::OnMouseClick),
                        Prop("OnSelect", &C::OnSelect, &C::OnSelect),
                        Prop("OnSelectQuery", &C::OnSelectQuery, &C::OnSelectQuery),
                        Prop("OnSelectUpdate", &C::OnSelectUpdate, &C::OnSelectUpdate));
  }

protected:
  // The highlight colour first, then OnGetCellFormat.
  void GetCellFormat(Integer col, Integer row, TGridDrawState state, TFormatOptions& formatOptions) override;
  void DrawCell(Integer col, Integer row, const TRect& rect, TGridDrawState state) override;
  void SizeChanged(Integer oldColCount, Integer oldRowCount) override;
  void DrawCheckBox(Integer col, Integer row, const TRect& rect, TGridDrawState state);

private:
  std::unique_ptr<TAutoRangeSelect> FRangeSelect;
  bool FAutoRangeSelect = true;
  TColor FHighLightColor = clYellow;
  Integer FSelectUpdateCount = 0;
  bool FChangesPending = false;
  // The press that may become a click.
  bool FClickPending = false;
  TMouseButton FDownButton = mbLeft;
  TGridCoord FDownCell{-1, -1};
};

// Both sort grids, for streaming.
void RegisterSortGridClasses();

}  // namespace xel

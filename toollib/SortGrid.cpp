#include "SortGrid.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <unordered_map>

#include "DateTime.h"
#include "Format.h"
#include "Forms.h"
#include "VersionControl.h"

XEL_UNIT_VERSION("$Header: /toollib/SortGrid.cpp 1 10.12.26 16:40 XG $")

namespace xel {

namespace {

constexpr const char* SIndexOutOfRange = "Grid index out of range";

// A sort key converted once, so that comparing does not convert again.
struct TSortKey {
  String Text;         // upper-cased unless the sort is case-sensitive
  long double Value = 0;
  bool Converted = false;
  Integer Index = 0;   // the row it came from
};

TSortKey MakeKey(const String& cell, Integer index, const TSortOptions& options) {
  TSortKey key{options.SortCaseSensitive ? cell : UpperCase(cell), 0, false, index};
  if (options.SortStyle == ssNumeric) {
    key.Converted = TryStrToFloat(key.Text, key.Value);
  } else if (options.SortStyle == ssDate) {
    TDateTime date;
    key.Converted = TryStrToDateTime(key.Text, date, FormatSettings);
    key.Value = date.Value();
  }
  // Not a number is no order either.
  if (key.Converted && std::isnan(key.Value)) key.Converted = false;
  return key;
}

template <class T>
int Sign(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

// The key order alone: texts compare by their bytes; numbers and dates by value, and a
// cell that does not convert comes before every one that does (among themselves by text).
int CompareKeys(const TSortKey& a, const TSortKey& b, TSortStyle style) {
  if (style == ssNumeric || style == ssDate) {
    if (a.Converted && b.Converted) return Sign(a.Value, b.Value);
    if (a.Converted != b.Converted) return a.Converted ? 1 : -1;
  }
  return Sign(CompareStr(a.Text, b.Text), 0);
}

// The colour does not change a width.
bool SameMetrics(const TFont& a, const TFont& b) {
  return a.GetHeight() == b.GetHeight() && a.GetStyle() == b.GetStyle() && a.GetPitch() == b.GetPitch() &&
         a.GetCharset() == b.GetCharset() && a.GetName() == b.GetName();
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether the font draws its digits interchangeably in ASCII texts: each as wide as the
// others, and beside any other character as wide as any other digit (kerning). Fonts with
// tabular figures do, and then "Row 1234" is as wide as "Row 5678". Some two thousand
// measurements, so a grid keeps the answer for its font.
bool DigitsInterchangeable(const TFont& font) {
  auto width = [&](const String& text) { return ScreenTextExtent(font, text).X; };
  const Integer digit = width("0");
  for (char d = '1'; d <= '9'; ++d)
    if (width(String(1, d)) != digit) return false;
  for (char c = ' '; c <= '~'; ++c) {
    const Integer before = width(String{'0', c}), after = width(String{c, '0'});
    for (char d = '1'; d <= '9'; ++d)
      if (width(String{d, c}) != before || width(String{c, d}) != after) return false;
  }
  return true;
}

}  // namespace

struct TSortGrid::TDigitWidths {
  TFont Font;
  bool Interchangeable = false;

  bool For(const TFont& font) {
    if (!Known || !SameMetrics(Font, font)) {
      Font.Assign(const_cast<TFont*>(&font));
      Interchangeable = DigitsInterchangeable(font);
      Known = true;
    }
    return Interchangeable;
  }

private:
  bool Known = false;
};

namespace {

// Widths of texts measured through the widget set, each text once per font: measuring is
// the expensive part of sizing a column. Where the font allows, texts that differ only in
// their digits are measured once (numbers, amounts, dates, numbered names).
template <class TDigits>
class TTextWidths {
public:
  explicit TTextWidths(TDigits& digits) : FDigits(digits) {}

  Integer Width(const TFont& font, const String& text) {
    if (text.empty()) return 0;
    if (!SameMetrics(FFont, font)) {
      FFont.Assign(const_cast<TFont*>(&font));
      FWidths.clear();
    }
    String key = text;
    if (std::any_of(text.begin(), text.end(), IsDigit) &&
        std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }) &&
        FDigits.For(font))
      std::replace_if(key.begin(), key.end(), IsDigit, '0');
    auto [it, added] = FWidths.try_emplace(std::move(key), 0);
    if (added) it->second = ScreenTextExtent(font, text).X;
    return it->second;
  }

private:
  TDigits& FDigits;
  TFont FFont;
  std::unordered_map<String, Integer> FWidths;
};

}  // namespace

const TSortedListEntry& TSortedList::Items(Integer index) const {
  if (index < 0 || index >= Count()) throw EListError(Format(SConst::ListIndexError, {index}));
  return FItems[static_cast<size_t>(index)];
}

TSortGrid::TSortGrid(TComponent* owner) : TStringGrid(owner) {}

TSortGrid::~TSortGrid() = default;

// ---------------------------------------------------------------- properties

void TSortGrid::SetAlignmentHorz(TAlignment v) {
  if (SetIfChanged(FAlignmentHorz, v)) Invalidate();
}

void TSortGrid::SetAlignmentVert(TVertAlignment v) {
  if (SetIfChanged(FAlignmentVert, v)) Invalidate();
}

void TSortGrid::SetBevelStyle(TCellBevelStyle v) {
  if (SetIfChanged(FBevelStyle, v)) Invalidate();
}

void TSortGrid::SetProportionalScrollBars(bool v) {
  if (SetIfChanged(FProportionalScrollBars, v)) UpdateScrollBars();
}

// ---------------------------------------------------------------- sorting

void TSortGrid::SortByColumn(Integer col, TSortOptions options) {
  if (GetEditorMode() || GetFixedRows() + 1 >= GetRowCount()) return;
  if (col < 0 || col >= GetColCount()) throw EInvalidGridOperation(SIndexOutOfRange);
  OnBeginSort(this, col, options);
  if (options.SortStyle == ssAutomatic) options.SortStyle = DetermineSortStyle(col);
  ListQuickSort(col, options);
  OnEndSort(this, col);
}

TSortStyle TSortGrid::DetermineSortStyle(Integer col) {
  bool numeric = true, date = true;
  for (Integer row = GetFixedRows(); row < GetRowCount() && (numeric || date); ++row) {
    const String cell = Cells(col, row);
    if (numeric) {
      long double value;
      numeric = TryStrToFloat(cell, value);
    }
    if (date) {
      TDateTime value;
      date = TryStrToDateTime(cell, value, FormatSettings);
    }
  }
  return numeric ? ssNumeric : date ? ssDate : ssAlphabetic;
}

void TSortGrid::ListQuickSort(Integer col, const TSortOptions& options) {
  FSorting = true;
  TFinally done([this] { FSorting = false; });
  const Integer first = GetFixedRows(), count = GetRowCount() - first;
  FSortedList.Reset();
  std::vector<TSortKey> keys;
  keys.reserve(static_cast<size_t>(count));
  for (Integer row = first; row < GetRowCount(); ++row) keys.push_back(MakeKey(Cells(col, row), row, options));
  const TSortStyle style = options.SortStyle;
  const bool descending = options.SortDirection == sdDescending;
  // The row index breaks ties and is never reversed: the order is total and the sort stable.
  std::sort(keys.begin(), keys.end(), [style, descending](const TSortKey& a, const TSortKey& b) {
    int c = CompareKeys(a, b, style);
    if (descending) c = -c;
    return c != 0 ? c < 0 : a.Index < b.Index;
  });
  std::vector<Integer> sources;
  sources.reserve(keys.size());
  FSortedList.FItems.reserve(keys.size());
  for (const TSortKey& key : keys) {
    sources.push_back(key.Index);
    FSortedList.Add(Cells(col, key.Index), key.Index);
  }
  ArrangeRows(sources);
}

void TSortGrid::ArrangeRows(const std::vector<Integer>& sources) {
  const Integer first = GetFixedRows(), count = static_cast<Integer>(sources.size());
  ReorderRows(first, sources);
  // Where each row went.
  std::vector<Integer> target(sources.size());
  for (Integer i = 0; i < count; ++i) target[static_cast<size_t>(sources[static_cast<size_t>(i)] - first)] = first + i;
  auto moved = [&](Integer row) {
    return row >= first && row - first < count ? target[static_cast<size_t>(row - first)] : row;
  };
  FValidation.Row = moved(FValidation.Row);
  const Integer focused = moved(Row());
  if (focused != Row()) FocusCell(Col(), focused, true);
  if (FValidation.Col != Col() || FValidation.Row != Row()) InitValidate();
}

bool TSortGrid::CanUndoSort() {
  const Integer first = GetFixedRows(), count = GetRowCount() - first;
  bool possible = FSortedList.Count() == count && count > 0;
  // The entries must still name every data row once; a changed grid cannot go back.
  if (possible) {
    std::vector<bool> seen(static_cast<size_t>(count), false);
    for (const TSortedListEntry& e : FSortedList.FItems) {
      const Integer i = e.Index - first;
      if (i < 0 || i >= count || seen[static_cast<size_t>(i)]) {
        possible = false;
        break;
      }
      seen[static_cast<size_t>(i)] = true;
    }
  }
  if (!possible) FSortedList.Reset();
  return possible;
}

void TSortGrid::UndoSort() {
  if (!CanUndoSort()) return;
  FSorting = true;
  TFinally done([this] {
    FSorting = false;
    FSortedList.Reset();
  });
  const Integer first = GetFixedRows();
  std::vector<Integer> sources(FSortedList.FItems.size());
  for (size_t i = 0; i < sources.size(); ++i)
    sources[static_cast<size_t>(FSortedList.FItems[i].Index - first)] = first + static_cast<Integer>(i);
  ArrangeRows(sources);
}

// ---------------------------------------------------------------- formatting and drawing

void TSortGrid::InitializeFormatOptions(TFormatOptions& f) {
  TCanvas* c = Canvas();
  // Each cell starts from the grid's font: what a handler did to one cell stays there.
  const TColor textColor = c->Font()->GetColor();
  c->Font()->Assign(GetFont());
  c->Font()->SetColor(textColor);
  f.Brush = c->Brush();
  f.Font = c->Font();
  f.AlignmentHorz = FAlignmentHorz;
  f.AlignmentVert = FAlignmentVert;
  f.Bevel = FBevelStyle;
  f.HideText = false;
  switch (FBevelStyle) {
    case cbRaised:
      f.HighlightColor = clBtnHighlight;
      f.ShadowColor = clBtnShadow;
      break;
    case cbLowered:
      f.HighlightColor = clBtnShadow;
      f.ShadowColor = clBtnHighlight;
      break;
    default: f.HighlightColor = f.ShadowColor = clWindow; break;
  }
}

// Fixed as painting has it: a cell of a fixed row or a fixed column, so that a column is
// measured in the font its header is drawn in.
TGridDrawState TSortGrid::GetCellDrawState(Integer col, Integer row) const {
  TGridDrawState state;
  if (col < GetFixedCols() || row < GetFixedRows()) state.Include(gdFixed);
  if (FHasFocus && col == Col() && row == Row()) state.Include(gdFocused);
  if (Selection().Contains(col, row)) state.Include(gdSelected);
  return state;
}

void TSortGrid::GetCellFormat(Integer col, Integer row, TGridDrawState state, TFormatOptions& f) {
  OnGetCellFormat(this, col, row, state, f);
}

void TSortGrid::DrawCell(Integer col, Integer row, const TRect& rect, TGridDrawState state) {
  TFormatOptions f;
  InitializeFormatOptions(f);
  GetCellFormat(col, row, state, f);
  if (!GetDefaultDrawing()) {
    TStringGrid::DrawCell(col, row, rect, state);
    return;
  }
  TCanvas* c = Canvas();
  if (f.HideText) {
    c->FillRect(rect);
  } else {
    const String text = Cells(col, row);
    // Left and top need no measuring; a screen of cells is drawn without it.
    TPoint extent{0, 0};
    if (f.AlignmentHorz != taLeftJustify || f.AlignmentVert != taTopJustify) extent = c->TextExtent(text);
    const Integer width = rect.Width(), height = rect.Height();
    Integer x = 2, y = 2;
    if (f.AlignmentHorz == taRightJustify) x = width - extent.X - 2;
    else if (f.AlignmentHorz == taCenter) x = (width - extent.X) / 2;
    if (f.AlignmentVert == taBottomJustify) y = height - extent.Y - 3;
    else if (f.AlignmentVert == taMiddle) y = (height - extent.Y) / 2;
    c->TextRect(rect, rect.Left + x, rect.Top + y, text);
  }
  if (f.Bevel != cbNone && col >= GetFixedCols() && row >= GetFixedRows()) {
    const Integer right = rect.Right - 1, bottom = rect.Bottom - 1;
    auto line = [c](TColor color, Integer x1, Integer y1, Integer x2, Integer y2) {
      c->Pen()->SetColor(color);
      c->MoveTo(x1, y1);
      c->LineTo(x2, y2);
    };
    if (GetOptions().Contains(goFixedVertLine)) {
      line(f.ShadowColor, right, rect.Top, right, bottom);
      line(f.HighlightColor, rect.Left, rect.Top, rect.Left, bottom);
    }
    if (GetOptions().Contains(goFixedHorzLine)) {
      line(f.ShadowColor, rect.Left, bottom, right, bottom);
      line(f.HighlightColor, rect.Left, rect.Top, right, rect.Top);
    }
  }
  // A clear brush of one cell must not keep the grid from filling the next.
  c->Brush()->SetStyle(bsSolid);
  TDrawGrid::DrawCell(col, row, rect, state);
}

// ---------------------------------------------------------------- column sizing

void TSortGrid::AutoSizeCol(Integer col) {
  if (col < 0 || col >= GetColCount()) throw EInvalidGridOperation(SIndexOutOfRange);
  if (!FDigitWidths) FDigitWidths = std::make_unique<TDigitWidths>();
  TTextWidths<TDigitWidths> widths(*FDigitWidths);
  Integer widest = 0;
  TFormatOptions f;
  for (Integer row = 0; row < GetRowCount(); ++row) {
    InitializeFormatOptions(f);
    GetCellFormat(col, row, GetCellDrawState(col, row), f);
    widest = std::max(widest, widths.Width(*f.Font, Cells(col, row)));
  }
  SetColWidths(col, widest + ScreenTextExtent(*GetFont(), "x").X);
}

void TSortGrid::AutoSizeColumns(bool includeFixed, Integer extra) {
  for (Integer col = includeFixed ? 0 : GetFixedCols(); col < GetColCount(); ++col) {
    AutoSizeCol(col);
    if (extra != 0) SetColWidths(col, ColWidths(col) + extra);
  }
}

// ---------------------------------------------------------------- rows and columns

template <class F>
void TSortGrid::WithoutEditor(F change) {
  const TGridOptions options = GetOptions();
  if (options.Contains(goAlwaysShowEditor)) SetOptions(options - TGridOptions{goAlwaysShowEditor});
  TFinally restore([this, options] {
    if (GetOptions() != options) SetOptions(options);
  });
  change();
}

void TSortGrid::InsertRow(Integer index) {
  if (index < 0 || index > GetRowCount()) throw EInvalidGridOperation(SIndexOutOfRange);
  SetRowCount(GetRowCount() + 1);
  MoveRow(GetRowCount() - 1, index);
  Rows(index)->Clear();
  MoveTo(Col(), index);
  OnRowInsert(this, index);
}

void TSortGrid::InsertColumn(Integer index) {
  if (index < 0 || index > GetColCount()) throw EInvalidGridOperation(SIndexOutOfRange);
  SetColCount(GetColCount() + 1);
  MoveColumn(GetColCount() - 1, index);
  Cols(index)->Clear();
  MoveTo(index, Row());
  OnColumnInsert(this, index);
}

// The cells are emptied first: the string grid would show them again when it grows.
void TSortGrid::DeleteRow(Integer index) {
  Rows(index)->Clear();
  WithoutEditor([&] { TStringGrid::DeleteRow(index); });
  OnRowDelete(this, index);
}

void TSortGrid::DeleteColumn(Integer index) {
  Cols(index)->Clear();
  WithoutEditor([&] { TStringGrid::DeleteColumn(index); });
  OnColumnDelete(this, index);
}

void TSortGrid::MoveRow(Integer fromIndex, Integer toIndex) {
  WithoutEditor([&] { TStringGrid::MoveRow(fromIndex, toIndex); });
}

void TSortGrid::MoveColumn(Integer fromIndex, Integer toIndex) {
  WithoutEditor([&] { TStringGrid::MoveColumn(fromIndex, toIndex); });
}

void TSortGrid::SwapRows(Integer a, Integer b) {
  if (a == b) return;
  const Integer low = std::min(a, b), high = std::max(a, b);
  MoveRow(high, low);
  MoveRow(low + 1, high);
}

void TSortGrid::SwapColumns(Integer a, Integer b) {
  if (a == b) return;
  const Integer low = std::min(a, b), high = std::max(a, b);
  MoveColumn(high, low);
  MoveColumn(low + 1, high);
}

void TSortGrid::RowMoved(Integer fromIndex, Integer toIndex) {
  TStringGrid::RowMoved(fromIndex, toIndex);
  FValidation.Row = MovedIndex(FValidation.Row, fromIndex, toIndex);
}

void TSortGrid::ColumnMoved(Integer fromIndex, Integer toIndex) {
  TStringGrid::ColumnMoved(fromIndex, toIndex);
  FValidation.Col = MovedIndex(FValidation.Col, fromIndex, toIndex);
}

void TSortGrid::MoveTo(Integer col, Integer row) {
  col = std::clamp(col, GetFixedCols(), GetColCount() - 1);
  row = std::clamp(row, GetFixedRows(), GetRowCount() - 1);
  if (col != Col() || row != Row()) FocusCell(col, row, true);
}

void TSortGrid::Clear() {
  for (Integer col = 0; col < GetColCount(); ++col) Cols(col)->Clear();
  InitValidate();
}

bool TSortGrid::IsCell(const String& text, Integer& col, Integer& row) {
  for (Integer c = 0; c < GetColCount(); ++c) {
    int r = Cols(c)->IndexOf(text);
    if (r >= 0) {
      col = c;
      row = r;
      return true;
    }
  }
  return false;
}

// ---------------------------------------------------------------- text files

void TSortGrid::LoadFromFile(const String& fileName, char separator) {
  TStringList lines;
  lines.LoadFromFile(fileName);
  std::vector<std::vector<String>> rows;
  rows.reserve(static_cast<size_t>(lines.Count()));
  Integer fields = GetFixedCols() + 1;
  for (int i = 0; i < lines.Count(); ++i) {
    const String& line = lines[i];
    std::vector<String> cells;
    for (size_t start = 0;;) {
      size_t end = line.find(separator, start);
      cells.push_back(line.substr(start, end == String::npos ? String::npos : end - start));
      if (end == String::npos) break;
      start = end + 1;
    }
    fields = std::max(fields, static_cast<Integer>(cells.size()));
    rows.push_back(std::move(cells));
  }
  // The final size first, then cleared: no text that an earlier content left in the string
  // grid's hidden cells shows through.
  SetRowCount(std::max<Integer>(1, static_cast<Integer>(rows.size())));
  SetColCount(fields);
  Clear();
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c)
      SetCells(static_cast<Integer>(c), static_cast<Integer>(r), rows[r][c]);
  FSortedList.Reset();
  InitValidate();
}

void TSortGrid::SaveToFile(const String& fileName, char separator) {
  String text;
  for (Integer row = 0; row < GetRowCount(); ++row) {
    for (Integer col = 0; col < GetColCount(); ++col) {
      if (col > 0) text += separator;
      text += Cells(col, row);
    }
    text += "\r\n";
  }
  WriteFileAtomically(fileName, text);
}

// ---------------------------------------------------------------- validation

void TSortGrid::InitValidate() {
  FValidation = {Col(), Row(), Cells(Col(), Row()), FModified};
}

bool TSortGrid::ValidateCell() {
  const Integer col = FValidation.Col, row = FValidation.Row;
  if (FValidating || col < 0 || row < 0 || col >= GetColCount() || row >= GetRowCount()) return true;
  const String current = Cells(col, row);
  if (current == FValidation.Text) return true;
  FValidating = true;
  TFinally done([this] { FValidating = false; });
  String value = current;
  bool valid = true;
  OnCellValidate(this, col, row, value, valid);
  if (valid) {
    if (value != current) SetCells(col, row, value);
  } else {
    SetCells(col, row, value != current ? value : FValidation.Text);
    FModified = FValidation.Modified;
  }
  return valid;
}

// Leaving a cell validates it; a refused text stays where it is typed, restored, and the
// current cell does not move (the next attempt leaves the restored cell).
bool TSortGrid::SelectCell(Integer col, Integer row) {
  if (!TStringGrid::SelectCell(col, row)) return false;
  if (FSorting || (col == Col() && row == Row())) return true;
  if (!ValidateCell()) {
    InitValidate();
    return false;
  }
  FValidation = {col, row, Cells(col, row), FModified};
  return true;
}

void TSortGrid::SetEditText(Integer col, Integer row, const String& value) {
  if (value != Cells(col, row)) FModified = true;
  TStringGrid::SetEditText(col, row, value);
}

void TSortGrid::DoEnter() {
  FHasFocus = true;
  TStringGrid::DoEnter();
}

void TSortGrid::DoExit() {
  FHasFocus = false;
  ValidateCell();
  InitValidate();
  TStringGrid::DoExit();
}

// ---------------------------------------------------------------- size events

void TSortGrid::ColWidthsChanged() {
  TStringGrid::ColWidthsChanged();
  OnColumnWidthsChanged(this);
  UpdateScrollBars();
}

void TSortGrid::RowHeightsChanged() {
  TStringGrid::RowHeightsChanged();
  OnRowHeightsChanged(this);
  UpdateScrollBars();
}

void TSortGrid::SizeChanged(Integer oldColCount, Integer oldRowCount) {
  TStringGrid::SizeChanged(oldColCount, oldRowCount);
  // A snapshot of a cell that is gone follows the current cell.
  if (FValidation.Col >= GetColCount() || FValidation.Row >= GetRowCount()) InitValidate();
  OnSizeChanged(this, oldColCount, oldRowCount);
  UpdateScrollBars();
}

void TSortGrid::UpdateScrollBars() {
  if (HandleAllocated()) Changed(waScroll);
}

// ---------------------------------------------------------------- input

void TSortGrid::MouseUp(TMouseButton button, TShiftState shift, Integer x, Integer y) {
  const TGridCoord cell = MouseCoord(x, y);
  const bool modified = shift.Contains(ssShift) || shift.Contains(ssCtrl) || shift.Contains(ssAlt);
  if (FHasFocus && FClickSorting && GridState() == gsNormal && GetFixedRows() >= 1 && !modified &&
      (button == mbLeft || button == mbRight) && cell.X >= 0 && cell.Y >= 0 && cell.Y < GetFixedRows()) {
    TSortOptions options{ssAutomatic, button == mbLeft ? sdAscending : sdDescending, true};
    OnClickSort(this, cell.X, cell.Y, options);
    const TCursor cursor = Screen->GetCursor();
    Screen->SetCursor(crHourGlass);
    TFinally restore([cursor] { Screen->SetCursor(cursor); });
    SortByColumn(cell.X, options);
  }
  TStringGrid::MouseUp(button, shift, x, y);
}

void TSortGrid::KeyDown(Word& key, TShiftState shift) {
  TStringGrid::KeyDown(key, shift);
  if (!FExtendedKeys || GetEditorMode() || !shift.Contains(ssCtrl) || shift.Contains(ssAlt)) return;
  const bool columns = shift.Contains(ssShift);
  if (key == VK_INSERT) {
    if (columns) InsertColumn(Col());
    else InsertRow(Row());
    key = 0;
  } else if (key == VK_DELETE) {
    if (columns && GetColCount() - GetFixedCols() > 1) DeleteColumn(Col());
    else if (!columns && GetRowCount() - GetFixedRows() > 1) DeleteRow(Row());
    key = 0;
  }
}

}  // namespace xel

// The sort grid: the sort cases and their undo, click sorting, validation through typed keys,
// cell formats as painted, column sizing, the text files, rows and columns, and the check-box
// grid's selection and range selection by dragging.
#include <gtest/gtest.h>

#include "../host/core/RegistryCheck.h"
#include "DateTime.h"
#include "FileTools.h"
#include "Forms.h"
#include "HeadlessWidgetSet.h"
#include "RegisterControls.h"
#include "SortGridEx.h"
#include "TempFolder.h"

namespace xel {
namespace {

// Lines of the headless canvas's drawing log.
String Corners(const TRect& r) {
  return IntToStr(r.Left) + "," + IntToStr(r.Top) + "," + IntToStr(r.Right) + "," + IntToStr(r.Bottom);
}
String TextLine(const TRect& r, Integer x, Integer y, const String& text) {
  return "TextRect " + Corners(r) + " " + IntToStr(x) + "," + IntToStr(y) + " " + text;
}
String LineLine(Integer x1, Integer y1, Integer x2, Integer y2) {
  return "Line " + IntToStr(x1) + "," + IntToStr(y1) + " " + IntToStr(x2) + "," + IntToStr(y2);
}

struct TSortGridLog : TObject {
  std::vector<String> Log;
  // Cell validation: refuses what is not a number; a text with blanks around is trimmed.
  void Validate(TObject*, Integer c, Integer r, String& value, bool& valid) {
    Log.push_back("validate " + IntToStr(c) + "," + IntToStr(r) + "=" + value);
    long double number;
    valid = TryStrToFloat(Trim(value), number);
    if (valid) value = Trim(value);
  }
  TSortOptions ClickOptions{ssAutomatic, sdAscending, true};
  bool ChangeClick = false;
  void ClickSort(TObject*, Integer c, Integer r, TSortOptions& o) {
    Log.push_back("click " + IntToStr(c) + "," + IntToStr(r) + (o.SortDirection == sdAscending ? " up" : " down"));
    if (ChangeClick) o = ClickOptions;
  }
  void BeginSort(TObject*, Integer c, TSortOptions&) { Log.push_back("begin " + IntToStr(c)); }
  void EndSort(TObject*, Integer c) { Log.push_back("end " + IntToStr(c)); }
  void Inserted(TObject*, Integer i) { Log.push_back("insert " + IntToStr(i)); }
  void Deleted(TObject*, Integer i) { Log.push_back("delete " + IntToStr(i)); }
  void Sized(TObject*, Integer c, Integer r) { Log.push_back("size " + IntToStr(c) + "x" + IntToStr(r)); }
  // Formats: the fixed row twice as high a font, column 2 right-aligned, column 3 hidden.
  std::vector<Integer> FormattedRows;
  void Format(TObject*, Integer c, Integer r, TGridDrawState state, TFormatOptions& f) {
    FormattedRows.push_back(r);
    if (state.Contains(gdFixed) && r == 0) f.Font->SetHeight(-22);
    if (c == 2) f.AlignmentHorz = taRightJustify;
    if (c == 3) f.HideText = true;
  }
};

struct SortGridTest : test::TTempFolderTest {
  static void SetUpTestSuite() {
    if (!WidgetSet()) InstallHeadlessWidgetSet();
  }
  SortGridTest() : Form(nullptr, TCreateNew{}) {
    Grid = new TSortGrid(&Form);
    Grid->SetName("Grid");
    Grid->SetParent(&Form);
    Grid->SetBounds(0, 0, 300, 200);
    Grid->SetDefaultRowHeight(20);
    Grid->SetDefaultColWidth(60);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goEditing});
    Other = new TButton(&Form);
    Other->SetParent(&Form);
    Form.Show();
    Grid->SetFocus();
  }
  // Column 1 the keys, column 2 the rows' tags; one header row, one fixed column.
  void Fill(const std::vector<String>& keys) {
    Grid->SetColCount(3);
    Grid->SetRowCount(static_cast<Integer>(keys.size()) + 1);
    for (size_t i = 0; i < keys.size(); ++i) {
      Grid->SetCells(1, static_cast<Integer>(i) + 1, keys[i]);
      Grid->SetCells(2, static_cast<Integer>(i) + 1, IntToStr(static_cast<Int64>(i) + 1));
    }
  }
  String Column(Integer col) const {
    String s;
    for (Integer r = Grid->GetFixedRows(); r < Grid->GetRowCount(); ++r)
      s += (r > Grid->GetFixedRows() ? " " : "") + Grid->Cells(col, r);
    return s;
  }
  // A click at the middle of a cell, as the window system delivers it.
  void ClickCell(Integer col, Integer row, TMouseButton button = mbLeft, TShiftState shift = {}) {
    TRect r = Grid->CellRect(col, row);
    Integer x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
    Headless::MouseDown(Grid, button, shift, x, y);
    Headless::MouseUp(Grid, button, shift, x, y);
  }
  TForm Form;
  TSortGrid* Grid;
  TButton* Other;
  TSortGridLog Events;
};

TEST_F(SortGridTest, SortCases) {
  const String d1 = DateToStr(EncodeDate(2026, 12, 1)), d2 = DateToStr(EncodeDate(2025, 1, 15)),
               d3 = DateToStr(EncodeDate(2026, 2, 3));
  struct TCase {
    const char* Name;
    std::vector<String> Keys;
    TSortOptions Options;
    TSortStyle Detected;
    String Tags;  // the rows in their new order
  };
  const TSortOptions automatic{ssAutomatic, sdAscending, true};
  const TCase cases[] = {
      {"numbers", {"10", "9", "100"}, automatic, ssNumeric, "2 1 3"},
      {"signed and decimal", {"-1.5", "2", "-10", "0.25"}, automatic, ssNumeric, "3 1 4 2"},
      {"numbers descending", {"1", "10", "2"}, {ssAutomatic, sdDescending, true}, ssNumeric, "2 3 1"},
      {"a text among numbers", {"abc", "10"}, automatic, ssAlphabetic, "2 1"},
      {"an empty cell", {"5", "", "3"}, automatic, ssAlphabetic, "2 3 1"},
      // In alphabetic order "1/15/2025" < "12/1/2026" < "2/3/2026" would hold.
      {"dates", {d1, d2, d3}, automatic, ssDate, "2 3 1"},
      {"equal keys ascending", {"b", "a", "b", "a"}, automatic, ssAlphabetic, "2 4 1 3"},
      {"equal keys descending", {"b", "a", "b", "a"}, {ssAutomatic, sdDescending, true}, ssAlphabetic, "1 3 2 4"},
      {"case-sensitive", {"b", "B", "a", "A"}, automatic, ssAlphabetic, "4 2 3 1"},
      {"case-insensitive", {"b", "B", "a", "A"}, {ssAlphabetic, sdAscending, false}, ssAlphabetic, "3 4 1 2"},
      {"numeric by request", {"3", "x", "1", ""}, {ssNumeric, sdAscending, true}, ssAlphabetic, "4 2 3 1"},
      {"numbers alphabetically", {"10", "9", "100"}, {ssAlphabetic, sdAscending, true}, ssNumeric, "1 3 2"},
  };
  for (const TCase& c : cases) {
    Fill(c.Keys);
    EXPECT_EQ(Grid->DetermineSortStyle(1), c.Detected) << c.Name;
    Grid->SortByColumn(1, c.Options);
    EXPECT_EQ(Column(2), c.Tags) << c.Name;
  }
}

TEST_F(SortGridTest, DatesAndNumbersFollowTheFormatSettings) {
  const TFormatSettings saved = FormatSettings;
  FormatSettings.ShortDateFormat = "dd.mm.yyyy";
  FormatSettings.DateSeparator = '.';
  FormatSettings.DecimalSeparator = ',';
  Fill({"01.02.2026", "15.01.2026", "31.12.2025"});
  EXPECT_EQ(Grid->DetermineSortStyle(1), ssDate);
  Grid->SortByColumn(1, {});
  EXPECT_EQ(Column(2), "3 2 1");
  Fill({"1,5", "10", "-0,5"});
  EXPECT_EQ(Grid->DetermineSortStyle(1), ssNumeric);
  Grid->SortByColumn(1, {});
  EXPECT_EQ(Column(2), "3 1 2");
  FormatSettings = saved;
}

TEST_F(SortGridTest, RowsMoveWholeAndTheSortCanBeUndoneOnce) {
  Fill({"c", "a", "b"});
  TObject marker;
  Grid->SetObjects(0, 1, &marker);
  Grid->SetRow(1);  // "c"
  Grid->OnBeginSort = MakeMethod<&TSortGridLog::BeginSort>(&Events);
  Grid->OnEndSort = MakeMethod<&TSortGridLog::EndSort>(&Events);
  Grid->SortByColumn(1, {});
  EXPECT_EQ(Column(1), "a b c");
  EXPECT_EQ(Grid->Objects(0, 3), &marker);
  EXPECT_EQ(Grid->Row(), 3);  // the focus stays on its row's data
  EXPECT_EQ(Events.Log, (std::vector<String>{"begin 1", "end 1"}));
  ASSERT_EQ(Grid->SortedList().Count(), 3);
  EXPECT_EQ(Grid->SortedList().Items(0).Key, "a");
  EXPECT_EQ(Grid->SortedList().Items(0).Index, 2);

  ASSERT_TRUE(Grid->CanUndoSort());
  Grid->UndoSort();
  EXPECT_EQ(Column(1), "c a b");
  EXPECT_EQ(Grid->Objects(0, 1), &marker);
  EXPECT_EQ(Grid->Row(), 1);
  EXPECT_FALSE(Grid->CanUndoSort());  // one level

  // A row added since the sort: the undo information is forgotten.
  Grid->SortByColumn(1, {});
  Grid->InsertRow(2);
  EXPECT_FALSE(Grid->CanUndoSort());
  EXPECT_EQ(Grid->SortedList().Count(), 0);
  Grid->DeleteRow(2);
  EXPECT_FALSE(Grid->CanUndoSort());

  // Nothing to sort: one data row, or a cell being edited.
  Fill({"b"});
  Grid->SortByColumn(1, {});
  EXPECT_EQ(Grid->SortedList().Count(), 0);
  Fill({"b", "a"});
  EXPECT_THROW(Grid->SortByColumn(3, {}), EInvalidGridOperation);
  Grid->ShowEditor();
  ASSERT_TRUE(Grid->GetEditorMode());
  Grid->SortByColumn(1, {});
  EXPECT_EQ(Column(1), "b a");
}

TEST_F(SortGridTest, ClickingAHeaderSorts) {
  Fill({"2", "10", "1"});
  Grid->OnClickSort = MakeMethod<&TSortGridLog::ClickSort>(&Events);
  ClickCell(1, 0);
  EXPECT_EQ(Column(1), "1 2 10");
  ClickCell(1, 0, mbRight);
  EXPECT_EQ(Column(1), "10 2 1");
  ClickCell(1, 0, mbLeft, {ssShift});
  ClickCell(1, 0, mbLeft, {ssCtrl});
  EXPECT_EQ(Column(1), "10 2 1");
  EXPECT_EQ(Events.Log, (std::vector<String>{"click 1,0 up", "click 1,0 down"}));
  EXPECT_EQ(Screen->GetCursor(), crDefault);

  // The handler's options rule; a data cell is no header.
  Events.ChangeClick = true;
  Events.ClickOptions = {ssAlphabetic, sdAscending, true};
  ClickCell(1, 0);
  EXPECT_EQ(Column(1), "1 10 2");
  ClickCell(1, 2);
  EXPECT_EQ(Column(1), "1 10 2");
  Grid->SetClickSorting(false);
  Events.ClickOptions = {ssNumeric, sdDescending, true};
  ClickCell(1, 0);
  EXPECT_EQ(Column(1), "1 10 2");

  // Without the focus a click on the header does not sort (the first click brings it).
  Grid->SetClickSorting(true);
  Other->SetFocus();
  EXPECT_FALSE(Grid->HasFocus());
  Grid->MouseUp(mbLeft, {}, 70, 10);
  EXPECT_EQ(Column(1), "1 10 2");
}

TEST_F(SortGridTest, ValidationRefusesABadCellAndKeepsTheFocusThere) {
  Fill({"1", "2", "3"});
  Grid->OnCellValidate = MakeMethod<&TSortGridLog::Validate>(&Events);
  Grid->SetCol(1);
  Grid->SetRow(1);
  Grid->InitValidate();
  Headless::TypeText(&Form, "x1");
  EXPECT_TRUE(Grid->GetModified());
  Headless::PressKey(&Form, VK_DOWN);
  EXPECT_EQ(Grid->Row(), 1);  // refused: the cell keeps the focus, with its old text
  EXPECT_EQ(Grid->Cells(1, 1), "1");
  EXPECT_FALSE(Grid->GetModified());
  EXPECT_EQ(Events.Log, std::vector<String>{"validate 1,1=x1"});

  // The next try leaves the restored cell without asking.
  Headless::PressKey(&Form, VK_DOWN);
  EXPECT_EQ(Grid->Row(), 2);
  EXPECT_EQ(Events.Log.size(), 1u);

  // An accepted value may be changed by the handler; an unchanged cell is not asked about.
  Headless::TypeText(&Form, " 42");
  Headless::PressKey(&Form, VK_RETURN);
  Headless::PressKey(&Form, VK_DOWN);
  EXPECT_EQ(Grid->Row(), 3);
  EXPECT_EQ(Grid->Cells(1, 2), "42");
  Headless::PressKey(&Form, VK_UP);
  EXPECT_EQ(Events.Log, (std::vector<String>{"validate 1,1=x1", "validate 1,2= 42"}));

  // Leaving the grid from its editor validates too.
  Headless::TypeText(&Form, "bad");
  EXPECT_EQ(Form.GetActiveControl(), Grid->InplaceEditor());
  Other->SetFocus();
  EXPECT_EQ(Grid->Cells(1, 2), "42");
  EXPECT_EQ(Events.Log.back(), "validate 1,2=bad");
}

TEST_F(SortGridTest, ValidationFollowsItsCellWhenRowsMove) {
  Fill({"3", "1", "2"});
  Grid->OnCellValidate = MakeMethod<&TSortGridLog::Validate>(&Events);
  Grid->SetCol(1);
  Grid->SetRow(1);
  Grid->InitValidate();
  Headless::TypeText(&Form, "y");
  Headless::PressKey(&Form, VK_RETURN);  // the edit is done, the cell not yet left
  // The sort and the new row move the edited row; leaving it at last restores the old text
  // in that row, not in the one that took its place.
  Grid->SortByColumn(1, {ssAlphabetic, sdAscending, true});
  EXPECT_EQ(Column(1), "1 2 y");
  EXPECT_EQ(Grid->Row(), 3);
  Grid->InsertRow(1);
  EXPECT_EQ(Column(1), " 1 2 3");
  EXPECT_EQ(Events.Log, std::vector<String>{"validate 1,4=y"});
  EXPECT_EQ(Grid->Row(), 4);  // refused: the focus stays on the restored cell
}

TEST_F(SortGridTest, CellFormatsAsPainted) {
  Fill({"a", "bb", "c"});
  Grid->SetColCount(4);
  Grid->SetCells(2, 1, "xyz");
  Grid->SetCells(3, 1, "secret");
  Grid->SetBevelStyle(cbRaised);
  Grid->OnGetCellFormat = MakeMethod<&TSortGridLog::Format>(&Events);
  const std::vector<String> log = Headless::Paint(Grid);
  auto has = [&](const String& line) { return std::find(log.begin(), log.end(), line) != log.end(); };
  const TRect c1 = Grid->CellRect(1, 1), c2 = Grid->CellRect(2, 1);
  // Left and top: 2 pixels in. Right: width - text width - 2 (three 6-pixel characters).
  EXPECT_TRUE(has(TextLine(c1, c1.Left + 2, c1.Top + 2, "a")));
  EXPECT_TRUE(has(TextLine(c2, c2.Right - 18 - 2, c2.Top + 2, "xyz")));
  for (const String& line : log) EXPECT_EQ(line.find("secret"), String::npos) << line;
  // The raised bevel of a data cell: right and left, bottom and top edges.
  const Integer r = c1.Right - 1, b = c1.Bottom - 1;
  for (const String& edge : {LineLine(r, c1.Top, r, b), LineLine(c1.Left, c1.Top, c1.Left, b),
                             LineLine(c1.Left, b, r, b), LineLine(c1.Left, c1.Top, r, c1.Top)})
    EXPECT_TRUE(has(edge)) << edge;
  TFormatOptions f;
  Grid->InitializeFormatOptions(f);
  EXPECT_EQ(f.HighlightColor, clBtnHighlight);
  EXPECT_EQ(f.ShadowColor, clBtnShadow);
  Grid->SetBevelStyle(cbLowered);
  Grid->InitializeFormatOptions(f);
  EXPECT_EQ(f.HighlightColor, clBtnShadow);
  // What one cell's handler did to the font does not reach the next cell.
  EXPECT_EQ(f.Font->GetHeight(), Grid->GetFont()->GetHeight());
}

TEST_F(SortGridTest, PaintingFormatsOnlyTheRowsOnTheScreen) {
  Grid->SetRowCount(10001);
  for (Integer r = 1; r < 10001; ++r) Grid->SetCells(1, r, IntToStr(r));
  Grid->OnGetCellFormat = MakeMethod<&TSortGridLog::Format>(&Events);
  Grid->SetTopRow(5000);
  Headless::Paint(Grid);
  ASSERT_FALSE(Events.FormattedRows.empty());
  for (Integer r : Events.FormattedRows) EXPECT_TRUE(r == 0 || (r >= 5000 && r <= 5000 + Grid->VisibleRowCount())) << r;
}

TEST_F(SortGridTest, ColumnsSizeToTheirWidestText) {
  // The headless metrics: 6 pixels a character at height 11, 11 at height 22.
  Fill({"abcd", "ab", "abcdefgh"});
  Grid->SetCells(1, 0, "Key");
  Grid->SetCells(0, 2, "fixed cell");
  Grid->SetCells(2, 0, "Numbers");
  Grid->AutoSizeCol(1);
  EXPECT_EQ(Grid->ColWidths(1), 8 * 6 + 6);
  Grid->OnGetCellFormat = MakeMethod<&TSortGridLog::Format>(&Events);
  Grid->AutoSizeColumns(false, 3);
  EXPECT_EQ(Grid->ColWidths(0), 60);             // fixed columns stay
  EXPECT_EQ(Grid->ColWidths(1), 8 * 6 + 6 + 3);  // the header "Key" is 33 wide in its font
  EXPECT_EQ(Grid->ColWidths(2), 7 * 11 + 6 + 3);
  Grid->AutoSizeColumns(true, 0);
  EXPECT_EQ(Grid->ColWidths(0), 10 * 6 + 6);
}

// Texts that differ only in their digits are measured once where the font draws every digit
// alike; a narrower figure or a kerned pair is measured on its own.
TEST_F(SortGridTest, ColumnsSizeToTheWidestTextOfAProportionalFont) {
  THeadlessWidgetSet* ws = HeadlessWidgetSet();
  ASSERT_NE(ws, nullptr);
  struct TCase {
    const char* Name;
    bool NarrowOne;  // "1" 3 pixels, every other character 6
    bool KernedA1;   // "A1" 3 pixels closer
    std::vector<String> Cells;
    Integer Widest;
  } cases[] = {
      {"tabular figures", false, false, {"Row 1", "Row 8888", "Row 9"}, 8 * 6},
      {"a narrower one", true, false, {"1111", "8888"}, 4 * 6},
      {"a kerned pair", false, true, {"A1", "A8"}, 2 * 6},
      {"not ASCII", true, false, {"\xC3\x9C 1111", "\xC3\x9C 8888"}, 6 * 6},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    ws->SetTextMetrics([&c](const TFont& font, const String& text) {
      Integer width = 0;
      for (unsigned char ch : text)
        if ((ch & 0xC0) != 0x80) width += c.NarrowOne && ch == '1' ? 3 : 6;
      for (size_t at = text.find("A1"); c.KernedA1 && at != String::npos; at = text.find("A1", at + 1)) width -= 3;
      return TPoint{width, DefaultTextExtent(font, text).Y};
    });
    // A grid of its own: a grid keeps what it learnt of its font's digits.
    auto* grid = new TSortGrid(&Form);
    grid->SetParent(&Form);
    grid->SetColCount(2);
    grid->SetRowCount(static_cast<Integer>(c.Cells.size()) + 1);
    for (size_t i = 0; i < c.Cells.size(); ++i) grid->SetCells(1, static_cast<Integer>(i) + 1, c.Cells[i]);
    grid->AutoSizeCol(1);
    EXPECT_EQ(grid->ColWidths(1), c.Widest + 6);
    delete grid;
    ws->SetTextMetrics(nullptr);
  }
}

TEST_F(SortGridTest, TextFilesSplitAtEverySeparator) {
  const String in = Dir + "in.txt", out = Dir + "out.txt";
  Grid->SetColCount(8);
  Grid->SetRowCount(8);
  Grid->SetCells(3, 3, "old");
  Grid->SetColCount(2);  // the string grid keeps the hidden cell for a later growth
  WriteFileAtomically(in, "a;b;\r\n\r\nx;;y;z\nlast");
  Grid->LoadFromFile(in, ';');
  EXPECT_EQ(Grid->GetRowCount(), 4);
  EXPECT_EQ(Grid->GetColCount(), 4);
  EXPECT_EQ(Grid->Cells(0, 0), "a");
  EXPECT_EQ(Grid->Cells(1, 0), "b");
  EXPECT_EQ(Grid->Cells(2, 0), "");
  EXPECT_EQ(Grid->Cells(1, 2), "");
  EXPECT_EQ(Grid->Cells(3, 2), "z");
  EXPECT_EQ(Grid->Cells(3, 3), "");  // the file's content only
  Grid->SaveToFile(out, ';');
  EXPECT_EQ(Read("out.txt"), "a;b;;\r\n;;;\r\nx;;y;z\r\nlast;;;\r\n");
}

TEST_F(SortGridTest, RowsAndColumns) {
  Fill({"a", "b", "c"});
  Grid->OnRowInsert = MakeMethod<&TSortGridLog::Inserted>(&Events);
  Grid->OnRowDelete = MakeMethod<&TSortGridLog::Deleted>(&Events);
  Grid->OnColumnInsert = MakeMethod<&TSortGridLog::Inserted>(&Events);
  Grid->OnColumnDelete = MakeMethod<&TSortGridLog::Deleted>(&Events);
  Grid->OnSizeChanged = MakeMethod<&TSortGridLog::Sized>(&Events);
  Grid->InsertRow(2);
  EXPECT_EQ(Column(1), "a  b c");
  EXPECT_EQ(Grid->Row(), 2);
  Grid->SetCells(1, 2, "new");
  Grid->SwapRows(4, 1);
  EXPECT_EQ(Column(1), "c new b a");
  Grid->DeleteRow(2);
  EXPECT_EQ(Column(1), "c b a");
  Grid->InsertRow(4);  // a row after the last: nothing of the deleted row shows again
  EXPECT_EQ(Column(1), "c b a ");
  Grid->InsertColumn(1);
  Grid->SwapColumns(2, 1);
  EXPECT_EQ(Column(1), "c b a ");
  Grid->DeleteColumn(2);
  EXPECT_EQ(Events.Log, (std::vector<String>{"size 3x4", "insert 2", "size 3x5", "delete 2", "size 3x4", "insert 4",
                                             "size 3x5", "insert 1", "size 4x5", "delete 2"}));
  Integer col = -1, row = -1;
  EXPECT_TRUE(Grid->IsCell("B", col, row));  // the column's list compares without case
  EXPECT_EQ(col, 1);
  EXPECT_EQ(row, 2);
  EXPECT_FALSE(Grid->IsCell("zz", col, row));
  Grid->MoveTo(0, 0);
  EXPECT_EQ(Grid->Col(), 1);
  EXPECT_EQ(Grid->Row(), 1);
  Grid->Clear();
  EXPECT_EQ(Column(1), "   ");
}

TEST_F(SortGridTest, ExtendedKeysInsertAndDeleteLines) {
  Fill({"a", "b"});
  Grid->SetRow(2);
  Headless::PressKey(&Form, VK_INSERT, {ssCtrl});
  EXPECT_EQ(Column(1), "a b");  // off by default
  Grid->SetExtendedKeys(true);
  Headless::PressKey(&Form, VK_INSERT, {ssCtrl});
  EXPECT_EQ(Column(1), "a  b");
  Headless::PressKey(&Form, VK_INSERT, {ssCtrl, ssShift});
  EXPECT_EQ(Grid->GetColCount(), 4);
  Headless::PressKey(&Form, VK_DELETE, {ssCtrl, ssShift});
  Headless::PressKey(&Form, VK_DELETE, {ssCtrl});
  Headless::PressKey(&Form, VK_DELETE, {ssCtrl});
  EXPECT_EQ(Grid->GetColCount(), 3);
  EXPECT_EQ(Column(1), "a");
  Headless::PressKey(&Form, VK_DELETE, {ssCtrl});  // the last data row stays
  EXPECT_EQ(Column(1), "a");
}

// ---------------------------------------------------------------- the check-box grid

struct TSelectLog : TObject {
  std::vector<String> Log;
  Integer Updates = 0;
  bool VetoRelease = false;
  void Select(TObject*, Integer c, Integer r, bool selected) {
    Log.push_back(IntToStr(c) + "," + IntToStr(r) + (selected ? "+" : "-"));
  }
  void Update(TObject*) { ++Updates; }
  // Only column 1 holds check boxes; row 3 is highlighted.
  void Query(TObject*, Integer c, Integer, bool& selectable) { selectable = selectable && c == 1; }
  void HighLight(TObject*, Integer, Integer r, bool& h) { h = r == 3; }
  void RangeQuery(TObject*, TMouseButton, TShiftState, Integer, Integer, Integer, Integer, bool& begin) {
    begin = !VetoRelease;
  }
  void Clicked(TObject*, TMouseButton, TShiftState, Integer, Integer, Integer c, Integer r) {
    Log.push_back("click " + IntToStr(c) + "," + IntToStr(r));
  }
};

struct SortGridExTest : testing::Test {
  static void SetUpTestSuite() {
    if (!WidgetSet()) InstallHeadlessWidgetSet();
  }
  SortGridExTest() : Form(nullptr, TCreateNew{}) {
    Grid = new TSortGridEx(&Form);
    Grid->SetParent(&Form);
    Grid->SetBounds(0, 0, 300, 200);
    Grid->SetDefaultRowHeight(20);
    Grid->SetColCount(3);
    Grid->SetRowCount(6);
    Grid->OnSelect = MakeMethod<&TSelectLog::Select>(&Events);
    Grid->OnSelectUpdate = MakeMethod<&TSelectLog::Update>(&Events);
    Grid->OnSelectQuery = MakeMethod<&TSelectLog::Query>(&Events);
    Form.Show();
  }
  String Column(Integer col) const {
    String s;
    for (Integer r = 1; r < Grid->GetRowCount(); ++r) s += Grid->GetSelectedFast(col, r) ? "X" : ".";
    return s;
  }
  TPoint Centre(Integer col, Integer row) const {
    TRect r = Grid->CellRect(col, row);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  TForm Form;
  TSortGridEx* Grid;
  TSelectLog Events;
};

TEST_F(SortGridExTest, SelectionIsTheTextXAndReportsOncePerUpdate) {
  Grid->SetSelected(1, 2, true);
  EXPECT_EQ(Grid->Cells(1, 2), "X");
  EXPECT_TRUE(Grid->GetSelected(1, 2));
  Grid->SetSelected(1, 2, true);  // no change, no report
  Grid->SetSelected(2, 2, true);  // not selectable
  Grid->SetSelected(1, 0, true);  // a fixed cell
  EXPECT_EQ(Grid->Cells(2, 2), "");
  Grid->SetCells(2, 3, "X");
  EXPECT_TRUE(Grid->GetSelectedFast(2, 3));
  EXPECT_FALSE(Grid->GetSelected(2, 3));
  EXPECT_EQ(Events.Log, std::vector<String>{"1,2+"});
  EXPECT_EQ(Events.Updates, 1);

  Grid->BeginSelectUpdate();
  Grid->BeginSelectUpdate();
  Grid->SetSelected(1, 2, false);
  Grid->SetSelected(1, 4, true);
  Grid->EndSelectUpdate();
  EXPECT_EQ(Events.Updates, 1);
  Grid->EndSelectUpdate();
  EXPECT_EQ(Events.Updates, 2);
  EXPECT_EQ(Grid->Cells(1, 2), "");
  Grid->BeginSelectUpdate();
  Grid->EndSelectUpdate();  // nothing changed
  EXPECT_EQ(Events.Updates, 2);
}

TEST_F(SortGridExTest, DraggingAlongAColumnSelectsTheRunAndReleasingCanUndoIt) {
  Grid->SetSelected(1, 3, true);
  Events.Updates = 0;
  Events.Log.clear();
  Grid->OnMouseClick = MakeMethod<&TSelectLog::Clicked>(&Events);
  Grid->OnAutoRangeSelectQuery = MakeMethod<&TSelectLog::RangeQuery>(&Events);
  TPoint p1 = Centre(1, 1), p4 = Centre(1, 4), p2 = Centre(1, 2);
  Headless::MouseDown(Grid, mbLeft, {ssLeft}, p1.X, p1.Y);
  EXPECT_EQ(Column(1), "X.X..");
  Grid->MouseMove({ssLeft}, p4.X, p4.Y);
  EXPECT_EQ(Column(1), "XXXX.");
  EXPECT_FALSE(Grid->RangeSelect()->SavedState(2));
  EXPECT_TRUE(Grid->RangeSelect()->SavedState(3));
  Grid->MouseMove({ssLeft}, p2.X, p2.Y);  // back: the cells left behind get their state again
  EXPECT_EQ(Column(1), "XXX..");
  TPoint side = Centre(2, 2);
  Grid->MouseMove({ssLeft}, side.X, side.Y);  // off the line: the anchor alone
  EXPECT_EQ(Column(1), "X.X..");
  Grid->MouseMove({ssLeft}, p2.X, p2.Y);
  Headless::MouseUp(Grid, mbLeft, {}, p2.X, p2.Y);
  EXPECT_EQ(Column(1), "XXX..");
  EXPECT_EQ(Events.Updates, 1);  // the whole drag is one update
  EXPECT_FALSE(Grid->RangeSelect()->Active());
  EXPECT_EQ(std::count(Events.Log.begin(), Events.Log.end(), String("click 1,1")), 0);  // released elsewhere

  // A click on a box toggles it and is a click; a release the query vetoes undoes the run.
  Headless::MouseDown(Grid, mbLeft, {ssLeft}, p4.X, p4.Y);
  Headless::MouseUp(Grid, mbLeft, {}, p4.X, p4.Y);
  EXPECT_EQ(Column(1), "XXXX.");
  EXPECT_EQ(Events.Log.back(), "click 1,4");
  Headless::MouseDown(Grid, mbLeft, {ssLeft}, p4.X, p4.Y);
  EXPECT_EQ(Column(1), "XXX..");
  Events.VetoRelease = true;
  Headless::MouseUp(Grid, mbLeft, {}, p4.X, p4.Y);
  EXPECT_EQ(Column(1), "XXXX.");
  // A veto at the press starts no range at all.
  Headless::MouseDown(Grid, mbLeft, {ssLeft}, p1.X, p1.Y);
  EXPECT_FALSE(Grid->RangeSelect()->Active());
  EXPECT_EQ(Column(1), "XXXX.");

  TAutoRangeSelect unused(Grid);
  try {
    unused.SavedState(0);
    FAIL() << "no buffer yet";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "TAutoRangeSelect.CheckAllocated failed. Buffer not created");
  }
}

TEST_F(SortGridExTest, CheckBoxesAndHighlightAsPainted) {
  Grid->OnHighLightQuery = MakeMethod<&TSelectLog::HighLight>(&Events);
  Grid->SetSelected(1, 2, true);
  Grid->SetCells(2, 3, "text");
  const std::vector<String> log = Headless::Paint(Grid);
  auto has = [&](const String& line) { return std::find(log.begin(), log.end(), line) != log.end(); };
  const TRect box = Grid->CellRect(1, 1), ticked = Grid->CellRect(1, 2), text = Grid->CellRect(2, 3);
  // A 16-pixel square in the middle of a 64 x 20 cell; the cross a pixel inside it.
  const Integer left = box.Left + 24, top = box.Top + 2;
  EXPECT_TRUE(has("Rectangle " + Corners(Rect(left, top, left + 16, top + 16))));
  const Integer tl = ticked.Left + 24, tt = ticked.Top + 2;
  EXPECT_TRUE(has(LineLine(tl + 1, tt + 1, tl + 14, tt + 14)));
  EXPECT_TRUE(has(LineLine(tl + 1, tt + 14, tl + 14, tt + 1)));
  EXPECT_FALSE(has(LineLine(left + 1, top + 1, left + 14, top + 14)));
  // Row 3 in the highlight colour (the box's cell), the text cell beside it drawn as text.
  EXPECT_TRUE(has(TextLine(text, text.Left + 2, text.Top + 2, "text")));
  EXPECT_TRUE(has("FillRect " + Corners(Grid->CellRect(1, 3)) + " " + ColorToString(clYellow)));
}

TEST(SortGridRegistryTest, BothGridsHaveSoundProperties) {
  RegisterControlClasses();
  RegisterSortGridClasses();
  ASSERT_NE(FindClass("TSortGridEx"), nullptr);
  EXPECT_GT(test::CheckRegisteredClasses(), 100);
}

}  // namespace
}  // namespace xel

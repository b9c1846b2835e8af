// The grids: layout and hit testing, the current cell and selection, the in-place editor
// driven by keys, sizing and moving by mouse, and the string grid's lines.
#include <gtest/gtest.h>

#include "Forms.h"
#include "Grids.h"
#include "HeadlessWidgetSet.h"

namespace xel {
namespace {

struct TGridLog : TObject {
  std::vector<String> Log;
  Integer Refuse = -1;  // a column that cannot be selected
  void Select(TObject*, Integer c, Integer r, bool& can) {
    can = c != Refuse;
    Log.push_back("select " + IntToStr(c) + "," + IntToStr(r));
  }
  void SetText(TObject*, Integer c, Integer r, const String& v) {
    Log.push_back("set " + IntToStr(c) + "," + IntToStr(r) + "=" + v);
  }
  void Moved(TObject*, Integer from, Integer to) { Log.push_back("moved " + IntToStr(from) + ">" + IntToStr(to)); }
  void Press(TObject*, char& key) { Log.push_back("press " + IntToStr(static_cast<unsigned char>(key))); }
};

class GridsTest : public ::testing::Test {
protected:
  GridsTest() : Form(nullptr, TCreateNew{}) {
    Grid = new TStringGrid(&Form);
    Grid->SetName("Grid");
    Grid->SetParent(&Form);
    Grid->SetBounds(0, 0, 300, 100);
    Grid->SetColCount(4);
    Grid->SetRowCount(10);
    Grid->SetDefaultColWidth(50);
    Grid->SetDefaultRowHeight(20);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goEditing, goTabs});
    for (Integer r = 0; r < 10; ++r)
      for (Integer c = 0; c < 4; ++c) Grid->SetCells(c, r, IntToStr(c) + ":" + IntToStr(r));
    Form.Show();
    Grid->SetFocus();
  }
  TForm Form;
  TStringGrid* Grid;
  TGridLog Events;
};

TEST_F(GridsTest, CellsRectanglesAndHitTesting) {
  // Each cell is followed by a line one pixel wide; row 1 is the first scrolled row.
  EXPECT_EQ(Grid->CellRect(0, 0), Rect(0, 0, 50, 20));
  EXPECT_EQ(Grid->CellRect(2, 1), Rect(102, 21, 152, 41));
  EXPECT_EQ(Grid->VisibleRowCount(), 3);  // 21 + 3 * 21 = 84 fits into 100, a fourth does not
  EXPECT_EQ(Grid->VisibleColCount(), 3);
  struct THit {
    Integer X, Y, Col, Row;
  };
  for (const THit& h : {THit{0, 0, 0, 0}, THit{50, 20, 0, 0}, THit{51, 21, 1, 1}, THit{299, 99, -1, 4},
                        THit{-1, 5, -1, 0}, THit{160, 300, 3, -1}}) {
    TGridCoord c = Grid->MouseCoord(h.X, h.Y);
    EXPECT_EQ(c, (TGridCoord{h.Col, h.Row})) << h.X << "," << h.Y;
  }
  Grid->SetTopRow(5);
  EXPECT_EQ(Grid->MouseCoord(10, 25), (TGridCoord{0, 5}));
  EXPECT_EQ(Grid->CellRect(1, 2), TRect{});  // scrolled away
  EXPECT_EQ(Grid->Cells(1, 5), "1:5");
  EXPECT_EQ(Grid->Cells(9, 99), "");  // outside reads as empty
  EXPECT_THROW(Grid->SetCells(4, 0, "x"), EInvalidGridOperation);
  EXPECT_THROW(Grid->SetFixedRows(10), EInvalidGridOperation);
}

TEST_F(GridsTest, KeysMoveTheCurrentCellAndScroll) {
  Grid->OnSelectCell = MakeMethod<&TGridLog::Select>(&Events);
  struct TStep {
    Word Key;
    TShiftState Shift;
    Integer Col, Row;
  };
  const TStep steps[] = {
      {VK_DOWN, {}, 1, 2},  {VK_RIGHT, {}, 2, 2},     {VK_END, {}, 3, 2},    {VK_TAB, {}, 1, 3},
      {VK_TAB, {ssShift}, 3, 2}, {VK_NEXT, {}, 3, 5}, {VK_END, {ssCtrl}, 3, 9}, {VK_HOME, {ssCtrl}, 1, 1},
      {VK_UP, {}, 1, 1},
  };
  for (const TStep& s : steps) {
    Headless::PressKey(&Form, s.Key, s.Shift);
    EXPECT_EQ(Grid->Col(), s.Col) << s.Key;
    EXPECT_EQ(Grid->Row(), s.Row) << s.Key;
  }
  Grid->SetRow(9);
  EXPECT_EQ(Grid->TopRow(), 7);  // scrolled so that row 9 is the last wholly visible one
  // A refused cell is not entered.
  Events.Refuse = 2;
  Headless::PressKey(&Form, VK_RIGHT);
  EXPECT_EQ(Grid->Col(), 1);
  EXPECT_EQ(Events.Log.back(), "select 2,9");
}

TEST_F(GridsTest, TypingEditsTheCellEnterKeepsEscapeRestores) {
  Grid->OnSetEditText = MakeMethod<&TGridLog::SetText>(&Events);
  Grid->OnKeyPress = MakeMethod<&TGridLog::Press>(&Events);
  Headless::TypeText(&Form, "ab");
  ASSERT_TRUE(Grid->GetEditorMode());
  EXPECT_EQ(Form.GetActiveControl(), Grid->InplaceEditor());
  EXPECT_EQ(Grid->Cells(1, 1), "ab");  // the typed text replaced the old one, a key at a time
  Headless::PressKey(&Form, VK_RETURN);
  EXPECT_FALSE(Grid->GetEditorMode());
  EXPECT_EQ(Form.GetActiveControl(), Grid);
  EXPECT_EQ(Grid->Cells(1, 1), "ab");
  EXPECT_EQ(Events.Log, (std::vector<String>{"press 97", "set 1,1=a", "press 98", "set 1,1=ab", "press 13"}));

  Events.Log.clear();
  Headless::PressKey(&Form, VK_F2);  // edit the existing text
  Headless::PressKey(&Form, VK_END);
  Headless::TypeText(&Form, "c");
  EXPECT_EQ(Grid->Cells(1, 1), "abc");
  Headless::PressKey(&Form, VK_ESCAPE);
  EXPECT_FALSE(Grid->GetEditorMode());
  EXPECT_EQ(Grid->Cells(1, 1), "ab");
  EXPECT_EQ(Events.Log.back(), "set 1,1=ab");

  // Leaving by an arrow keeps the edit and moves on.
  Headless::TypeText(&Form, "z");
  Headless::PressKey(&Form, VK_DOWN);
  EXPECT_EQ(Grid->Cells(1, 1), "z");
  EXPECT_EQ(Grid->Row(), 2);
  EXPECT_FALSE(Grid->GetEditorMode());
}

TEST_F(GridsTest, EnterAndEscapeWhileEditingDoNotReachTheFormsButtons) {
  auto* ok = new TButton(&Form);
  ok->SetParent(&Form);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  auto* cancel = new TButton(&Form);
  cancel->SetParent(&Form);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  Headless::TypeText(&Form, "x");
  Headless::PressKey(&Form, VK_ESCAPE);
  Headless::PressKey(&Form, VK_RETURN);  // starts editing again
  Headless::PressKey(&Form, VK_RETURN);
  EXPECT_EQ(Form.ModalResult(), mrNone);
  Grid->SetOptions(Grid->GetOptions() - TGridOptions{goEditing});
  Headless::PressKey(&Form, VK_RETURN);  // a grid that does not edit leaves Enter to the form
  EXPECT_EQ(Form.ModalResult(), mrOk);
}

TEST_F(GridsTest, AlwaysShownEditorFollowsTheCurrentCell) {
  Grid->SetOptions(Grid->GetOptions() + TGridOptions{goAlwaysShowEditor});
  ASSERT_TRUE(Grid->GetEditorMode());
  Headless::PressKey(&Form, VK_TAB);
  EXPECT_TRUE(Grid->GetEditorMode());
  EXPECT_EQ(Grid->InplaceEditor()->GetText(), "2:1");
  EXPECT_EQ(Grid->InplaceEditor()->BoundsRect(), Grid->CellRect(2, 1));
  Headless::TypeText(&Form, "q");
  Headless::PressKey(&Form, VK_RETURN);  // Enter does not close an editor that is always shown
  EXPECT_TRUE(Grid->GetEditorMode());
  EXPECT_EQ(Grid->Cells(2, 1), "q");
}

TEST_F(GridsTest, FocusLeavesTheGridFromItsEditorButNotForIt) {
  struct TFocusLog : TObject {
    std::vector<String> Log;
    void Enter(TObject* sender) { Log.push_back("enter " + static_cast<TComponent*>(sender)->GetName()); }
    void Exit(TObject* sender) { Log.push_back("exit " + static_cast<TComponent*>(sender)->GetName()); }
  } focus;
  auto* other = new TButton(&Form);
  other->SetName("Other");
  other->SetParent(&Form);
  for (TWinControl* c : std::initializer_list<TWinControl*>{Grid, other}) {
    c->OnEnter = MakeMethod<&TFocusLog::Enter>(&focus);
    c->OnExit = MakeMethod<&TFocusLog::Exit>(&focus);
  }
  Headless::TypeText(&Form, "x");  // the editor takes the focus inside the grid
  ASSERT_EQ(Form.GetActiveControl(), Grid->InplaceEditor());
  other->SetFocus();
  Grid->SetFocus();
  EXPECT_EQ(focus.Log, (std::vector<String>{"exit Grid", "enter Other", "exit Other", "enter Grid"}));
}

TEST_F(GridsTest, MouseSelectsSizesAndMovesColumns) {
  Grid->OnColumnMoved = MakeMethod<&TGridLog::Moved>(&Events);
  Grid->SetOptions(Grid->GetOptions() + TGridOptions{goColSizing, goColMoving});
  // A drag across data cells selects a range.
  Headless::MouseDown(Grid, mbLeft, {ssLeft}, 120, 50);
  Grid->MouseMove({ssLeft}, 60, 25);
  Headless::MouseUp(Grid, mbLeft, {}, 60, 25);
  EXPECT_EQ(Grid->Selection(), (TGridRect{1, 1, 2, 2}));
  // Dragging the line right of column 1 in the header makes it 80 wide.
  Headless::MouseDown(Grid, mbLeft, {ssLeft}, 101, 5);
  EXPECT_EQ(Grid->GridState(), gsColSizing);
  Grid->MouseMove({ssLeft}, 131, 5);
  Headless::MouseUp(Grid, mbLeft, {}, 131, 5);
  EXPECT_EQ(Grid->ColWidths(1), 80);
  // Dragging the header of column 3 onto column 1 moves its cells and width along.
  Grid->SetColWidths(3, 30);
  Headless::MouseDown(Grid, mbLeft, {ssLeft}, 190, 5);
  Headless::MouseUp(Grid, mbLeft, {}, 60, 5);
  EXPECT_EQ(Events.Log, (std::vector<String>{"moved 3>1"}));
  EXPECT_EQ(Grid->Cells(1, 4), "3:4");
  EXPECT_EQ(Grid->Cells(2, 4), "1:4");
  EXPECT_EQ(Grid->ColWidths(1), 30);
  EXPECT_EQ(Grid->ColWidths(2), 80);
}

TEST_F(GridsTest, RowsAndColumnsAsListsAndDeleting) {
  Grid->Rows(2)->SetCommaText("a,b,c,d");
  EXPECT_EQ(Grid->Cells(3, 2), "d");
  EXPECT_EQ(Grid->Cols(0)->Count(), 10);
  EXPECT_EQ(Grid->Cols(0)->Strings(2), "a");
  Grid->Cols(3)->Clear();
  EXPECT_EQ(Grid->Cells(3, 5), "");
  EXPECT_EQ(Grid->Cols(3)->Add("new"), 0);
  Grid->SetObjects(1, 3, Grid);
  Grid->SetRow(5);
  Grid->DeleteRow(3);
  EXPECT_EQ(Grid->GetRowCount(), 9);
  EXPECT_EQ(Grid->Cells(0, 3), "0:4");
  EXPECT_EQ(Grid->Objects(1, 3), nullptr);
  EXPECT_EQ(Grid->Row(), 4);  // still on the row it was on
  Grid->DeleteColumn(0);
  EXPECT_EQ(Grid->GetColCount(), 3);
  EXPECT_EQ(Grid->Cells(0, 2), "b");
  // Shrinking keeps the text for when the grid grows again.
  Grid->SetRowCount(2);
  Grid->SetRowCount(9);
  EXPECT_EQ(Grid->Cells(0, 8), "1:9");
}

TEST_F(GridsTest, PaintsCellsThroughTheCanvas) {
  Grid->SetCells(1, 1, "hello");
  auto log = Headless::Paint(Grid);
  auto has = [&](const String& line) { return std::find(log.begin(), log.end(), line) != log.end(); };
  EXPECT_TRUE(has("TextRect 51,21,101,41 53,23 hello"));
  EXPECT_TRUE(has("TextRect 0,0,50,20 2,2 0:0"));
  EXPECT_TRUE(has("TextRect 0,84,50,104 2,86 0:4"));  // partly visible
  EXPECT_FALSE(has("TextRect 0,105,50,125 2,107 0:5"));  // below the client area
}

}  // namespace
}  // namespace xel

// The check-box sort grid as a real Qt window on the offscreen platform: formats, bevels and
// check boxes painted owner-drawn into a picture, and a click on a header sorting through
// Qt's mouse events.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>
#include <memory>

#include "Forms.h"
#include "QtWSControls.h"
#include "../QtTestEnvironment.h"
#include "QtWidgetSet.h"
#include "RegisterControls.h"
#include "SortGridEx.h"

namespace xel {
namespace {

[[maybe_unused]] testing::Environment* const kEnvironment = AddQtTestEnvironment([] {
  RegisterControlClasses();
  RegisterSortGridClasses();
});

// The format of the picture: a bold header row, the numbers right-aligned, the dates
// centred, the data of every third row highlighted, the "hidden" column filled without its
// text; raised bevels on the face colour.
struct TGridLook : TObject {
  void Format(TObject*, Integer col, Integer row, TGridDrawState state, TFormatOptions& f) {
    if (state.Contains(gdFixed) && row == 0) f.Font->SetStyle({fsBold});
    if (row == 0) f.Bevel = cbNone;
    if (col == 2) f.AlignmentHorz = taRightJustify;
    if (col == 3) f.AlignmentHorz = taCenter;
    if (col == 4 && row > 0) f.HideText = true;
  }
  void HighLight(TObject*, Integer col, Integer row, bool& h) { h = col > 0 && row > 0 && row % 3 == 0; }
  void Boxes(TObject*, Integer col, Integer, bool& selectable) { selectable = selectable && col == 1; }
};

struct QtSortGridTest : testing::Test {
  QtSortGridTest() {
    Form = std::make_unique<TForm>(nullptr, TCreateNew{});
    Form->SetBounds(40, 40, 430, 230);
    Form->SetText("Sort grid");
    Grid = new TSortGridEx(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetAlign(alClient);
    Grid->SetColCount(5);
    Grid->SetRowCount(9);
    Grid->SetDefaultRowHeight(22);
    Grid->SetBevelStyle(cbRaised);
    Grid->SetColor(clBtnFace);
    Grid->OnGetCellFormat = MakeMethod<&TGridLook::Format>(&Look);
    Grid->OnHighLightQuery = MakeMethod<&TGridLook::HighLight>(&Look);
    Grid->OnSelectQuery = MakeMethod<&TGridLook::Boxes>(&Look);
    const char* header[] = {"#", "Done", "Amount", "Date", "Hidden"};
    for (Integer c = 0; c < 5; ++c) Grid->SetCells(c, 0, header[c]);
    const char* amounts[] = {"12.5", "7", "1200", "0.75", "88", "3", "45.25", "9"};
    for (Integer r = 1; r < 9; ++r) {
      Grid->SetCells(0, r, IntToStr(r));
      Grid->SetCells(2, r, amounts[r - 1]);
      Grid->SetCells(3, r, "12/" + IntToStr(r + 10) + "/2026");
      Grid->SetCells(4, r, "secret");
      Grid->SetSelected(1, r, r % 2 == 1);
    }
    Grid->AutoSizeColumns(true, 12);
    Form->Show();
    QApplication::processEvents();
  }
  ~QtSortGridTest() override { Form.reset(); }
  QColor At(Integer x, Integer y, const QImage& image) const {
    // The grid's client point in the window's picture.
    QWidget* window = QtWidget(Form.get());
    QPoint p = QtWidget(Grid)->mapTo(window, QPoint(x, y)) * window->devicePixelRatio();
    return image.pixelColor(p);
  }
  TGridLook Look;
  std::unique_ptr<TForm> Form;
  TSortGridEx* Grid;
};

TEST_F(QtSortGridTest, AFormattedGridWithBevelsAndCheckBoxesPaints) {
  const String file = String(XEL_PICTURE_DIR) + "/sort-grid.png";
  ASSERT_TRUE(SaveControlImage(Form.get(), file));
  QImage image(QString::fromStdString(file));
  ASSERT_FALSE(image.isNull());
  // Highlighted rows are yellow beside their text; the others have the grid's colour.
  const TRect amount3 = Grid->CellRect(2, 3), amount2 = Grid->CellRect(2, 2);
  const Integer face = ColorToRGB(clBtnFace);
  const QColor faceColor(GetRValue(face), GetGValue(face), GetBValue(face));
  EXPECT_EQ(At(amount3.Left + 3, amount3.Bottom - 4, image), QColor(255, 255, 0));
  EXPECT_EQ(At(amount2.Left + 3, amount2.Bottom - 4, image), faceColor);
  // The raised bevel: a light left edge, a dark right one.
  const QColor light = At(amount2.Left, amount2.Top + 8, image), dark = At(amount2.Right - 1, amount2.Top + 8, image);
  EXPECT_GT(light.lightness(), dark.lightness() + 60);
  // A ticked box has its cross through the middle, an empty one is white there.
  const TRect ticked = Grid->CellRect(1, 1), empty = Grid->CellRect(1, 2);
  const Integer cx = (ticked.Left + ticked.Right) / 2, cy = (ticked.Top + ticked.Bottom) / 2;
  EXPECT_LT(At(cx, cy, image).lightness(), 100);
  EXPECT_EQ(At(cx, (empty.Top + empty.Bottom) / 2, image), QColor(255, 255, 255));
  // The hidden column is filled and has no text: one colour across the cell.
  const TRect hidden = Grid->CellRect(4, 2);
  for (Integer x = hidden.Left + 1; x < hidden.Right - 1; ++x)
    EXPECT_EQ(At(x, (hidden.Top + hidden.Bottom) / 2, image), faceColor) << x;
}

TEST_F(QtSortGridTest, AClickOnAHeaderSortsThroughQtsEvents) {
  QWidget* widget = QtWidget(Grid);
  ASSERT_NE(widget, nullptr);
  const TRect header = Grid->CellRect(2, 0);
  const QPoint at((header.Left + header.Right) / 2, (header.Top + header.Bottom) / 2);
  QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at);
  String column;
  for (Integer r = 1; r < 9; ++r) column += Grid->Cells(2, r) + " ";
  EXPECT_EQ(column, "0.75 3 7 9 12.5 45.25 88 1200 ");
  QTest::mouseClick(widget, Qt::RightButton, Qt::NoModifier, at);
  EXPECT_EQ(Grid->Cells(2, 1), "1200");
  ASSERT_TRUE(Grid->CanUndoSort());
  Grid->UndoSort();
  EXPECT_EQ(Grid->Cells(2, 1), "0.75");
}

}  // namespace
}  // namespace xel

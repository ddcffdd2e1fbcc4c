// The string grid's stretch column, the sizing that follows a column or row
// the user sized, the sizing edges, and the floating footer's calculated cells.
#include <gtest/gtest.h>

#include <QScopeGuard>
#include <QTest>
#include <cmath>

#include "grid/ProGrid.h"
#include "platform/ui/Forms.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

// A borderless grid of 3 columns and 3 rows, 300 x 200 pixels, on a shown form.
class GridStretch : public testing::Test {
 protected:
  void SetUp() override {
    G = new TProStringGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBorderStyle(bsNone);
    G->SetBounds(0, 0, 300, 200);
    G->SetColCount(3);
    G->SetRowCount(3);
    F.Show();
  }
  std::vector<int> Widths() const {
    std::vector<int> w;
    for (int c = 0; c < G->ColCount(); ++c) w.push_back(G->ColWidths(c));
    return w;
  }
  TShownForm F{400, 300};
  TProStringGrid* G = nullptr;
};

TEST_F(GridStretch, TheStretchColumnFillsTheClientWidth) {
  ASSERT_EQ(G->ClientWidth(), 300);
  G->ColumnSize()->SetStretch(true);
  EXPECT_EQ(Widths(), (std::vector<int>{64, 64, 171}));  // 300 - 128 - 1
  // Another column's width change refits it.
  G->SetColWidths(0, 100);
  EXPECT_EQ(G->ColWidths(2), 300 - 164 - 1);
  // A middle column stretches as well.
  G->ColumnSize()->SetStretchColumn(1);
  G->StretchColumn(1);
  EXPECT_EQ(G->ColWidths(1), 300 - 100 - G->ColWidths(2) - 1);
}

TEST_F(GridStretch, TooWideOtherColumnsGiveTheDefaultWidth) {
  G->SetDefaultColWidth(50);
  G->ColumnSize()->SetStretch(true);
  G->SetColWidths(0, 200);
  G->SetColWidths(1, 200);
  EXPECT_EQ(G->LeftCol(), G->FixedCols());
  EXPECT_EQ(G->ColWidths(2), 50);
}

TEST_F(GridStretch, ASingleColumnTakesTheClientRectangle) {
  G->SetFixedCols(0);
  G->SetColCount(1);
  G->ColumnSize()->SetStretch(true);
  EXPECT_EQ(G->ColWidths(0), G->ClientRect().Right);
}

// A stretch column beyond the columns (here after columns were removed) must
// not make column-width changes fail while stretching is off.
TEST_F(GridStretch, AStretchColumnBeyondTheColumnsRaisesOnlyWhenStretchingIsOn) {
  G->SetOptions(G->Options() + goColSizing);
  G->ColumnSize()->SetStretchColumn(7);
  QStringList errors;
  Application->OnException = [&](TObject*, Exception& E) { errors << E.Message(); };
  auto restore = qScopeGuard([] { Application->OnException = nullptr; });
  EXPECT_NO_THROW(G->SetColWidths(1, 80));
  EXPECT_NO_THROW(G->StretchColumn(7));
  EXPECT_NO_THROW(G->SetColCount(4));
  // The user sizes column 1 by its header border.
  const TRect hr = G->CellRect(1, 0);
  QTest::mousePress(G->View(), Qt::LeftButton, {}, QPoint(hr.Right - 1, 8));
  QTest::mouseMove(G->View(), QPoint(hr.Right + 19, 8));
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, QPoint(hr.Right + 19, 8));
  EXPECT_EQ(G->ColWidths(1), 100);
  EXPECT_TRUE(errors.isEmpty()) << errors.join("; ").toStdString();
  // With stretching on, an explicit call with a bad index raises and changes nothing.
  G->ColumnSize()->SetStretchColumn(-1);
  G->ColumnSize()->SetStretch(true);
  const std::vector<int> before = Widths();
  for (int bad : {4, 7, -2}) {
    try {
      G->StretchColumn(bad);
      ADD_FAILURE() << "no error for " << bad;
    } catch (const EProGridError& e) {
      EXPECT_EQ(e.Message(), "Stretch column index out of range");
    }
    EXPECT_EQ(Widths(), before);
  }
}

// ------------------------------------------------------------ sizing by the user

// A grid of 6 columns of 50 pixels and 10 rows of 24 on a shown form.
class GridUserSizing : public testing::Test {
 protected:
  void SetUp() override {
    G = new TProStringGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBorderStyle(bsNone);
    G->SetBounds(0, 0, 600, 400);
    G->SetColCount(6);
    G->SetRowCount(10);
    G->SetDefaultColWidth(50);
    G->SetDefaultRowHeight(24);
    G->SetOptions(G->Options() + goColSizing + goRowSizing);
    G->OnEndColumnSize = [this](TObject*, int ACol) { Log << QStringLiteral("end col %1").arg(ACol); };
    G->OnEndRowSize = [this](TObject*, int ARow) { Log << QStringLiteral("end row %1").arg(ARow); };
    F.Show();
  }
  // Drags the right border of column ACol's header by DX.
  void SizeColumn(int ACol, int DX) {
    const TRect hr = G->CellRect(ACol, 0);
    QTest::mousePress(G->View(), Qt::LeftButton, {}, QPoint(hr.Right - 1, 8));
    QTest::mouseMove(G->View(), QPoint(hr.Right - 1 + DX / 2, 8));
    QTest::mouseMove(G->View(), QPoint(hr.Right - 1 + DX, 8));
    QTest::mouseRelease(G->View(), Qt::LeftButton, {}, QPoint(hr.Right - 1 + DX, 8));
  }
  // Drags the bottom border of row ARow's fixed cell by DY.
  void SizeRow(int ARow, int DY) {
    const TRect rr = G->CellRect(0, ARow);
    QTest::mousePress(G->View(), Qt::LeftButton, {}, QPoint(20, rr.Bottom - 1));
    QTest::mouseMove(G->View(), QPoint(20, rr.Bottom - 1 + DY / 2));
    QTest::mouseMove(G->View(), QPoint(20, rr.Bottom - 1 + DY));
    QTest::mouseRelease(G->View(), Qt::LeftButton, {}, QPoint(20, rr.Bottom - 1 + DY));
  }
  TShownForm F{700, 500};
  TProStringGrid* G = nullptr;
  QStringList Log;
};

TEST_F(GridUserSizing, AllColumnSizeScalesTheOtherScrollingColumns) {
  G->MouseActions()->SetAllColumnSize(true);
  SizeColumn(2, 50);
  EXPECT_EQ(G->ColWidths(2), 100);
  for (int c : {1, 3, 4, 5}) EXPECT_EQ(G->ColWidths(c), 100) << c;
  EXPECT_EQ(G->ColWidths(0), 50);  // the fixed column stays
  EXPECT_EQ(Log, QStringList{"end col 2"});
  // Halves go to the even neighbour.
  Log.clear();
  G->SetColWidths(1, 26);
  G->SetColWidths(2, 40);
  G->SetColWidths(3, 30);
  SizeColumn(2, 10);  // 40 -> 50: factor 1.25
  EXPECT_EQ(G->ColWidths(1), 32);  // 32.5
  EXPECT_EQ(G->ColWidths(3), 38);  // 37.5
}

TEST_F(GridUserSizing, OnUpdateColumnSizeCorrectsTheSizedColumn) {
  G->OnUpdateColumnSize = [](TObject*, int ACol, int& AWidth) {
    if (ACol == 2) AWidth = std::min(AWidth, 70);
  };
  SizeColumn(2, 50);
  EXPECT_EQ(G->ColWidths(2), 70);
  EXPECT_EQ(Log, QStringList{"end col 2"});  // the correction is not another sizing
  EXPECT_EQ(G->ColWidths(3), 50);
}

TEST_F(GridUserSizing, TheEndEventsFollowUserSizingOnly) {
  G->MouseActions()->SetAllColumnSize(true);
  G->MouseActions()->SetAllRowSize(true);
  G->SetColWidths(3, 90);
  G->SetRowHeights(4, 30);
  EXPECT_TRUE(Log.isEmpty()) << Log.join("; ").toStdString();
  EXPECT_EQ(G->ColWidths(1), 50);  // no proportional sizing either
  EXPECT_EQ(G->RowHeights(1), 24);
  // A row sized by the user: the other rows follow, then the event.
  G->SetRowHeights(4, 24);
  SizeRow(3, 24);
  EXPECT_EQ(G->RowHeights(3), 48);
  for (int r = 1; r < 10; ++r)
    if (r != 3) {
      EXPECT_EQ(G->RowHeights(r), 48) << r;
    }
  EXPECT_EQ(G->RowHeights(0), 24);  // the fixed row stays
  EXPECT_EQ(Log, QStringList{"end row 3"});
}

// A row that had no height when the user began sizing it gives no ratio: the
// other rows keep their heights.
TEST_F(GridUserSizing, SizingARowThatStartedAtZeroSizesNothingElse) {
  G->MouseActions()->SetAllRowSize(true);
  G->SetRowHeights(1, 0);
  // The first scrolling row's edge lies on the fixed row's bottom; a row of no
  // height is only under the mouse where it comes first.
  const int y = G->CellRect(0, 0).Bottom + 1;
  QTest::mousePress(G->View(), Qt::LeftButton, {}, QPoint(20, y));
  ASSERT_EQ(G->GridState(), gsRowSizing);
  QTest::mouseMove(G->View(), QPoint(20, y + 10));
  QTest::mouseMove(G->View(), QPoint(20, y + 20));
  QTest::mouseRelease(G->View(), Qt::LeftButton, {}, QPoint(20, y + 20));
  EXPECT_EQ(Log, QStringList{"end row 1"});
  EXPECT_GT(G->RowHeights(1), 0);
  for (int r = 0; r < 10; ++r)
    if (r != 1) {
      EXPECT_EQ(G->RowHeights(r), 24) << r;
    }
}

TEST_F(GridUserSizing, SizingEdgesAsATable) {
  struct Case {
    int X, Y;
    bool Col, Row, Edge;
  };
  const TRect c2 = G->CellRect(2, 0), r3 = G->CellRect(0, 3), inner = G->CellRect(3, 5);
  const int midY0 = (c2.Top + c2.Bottom) / 2, midY3 = (r3.Top + r3.Bottom) / 2;
  for (const Case c : {
           Case{c2.Right - 3, midY0, true, false, true},   // 3 pixels inside the right edge
           Case{c2.Right - 4, midY0, true, false, false},  // 4 pixels: not on the edge
           Case{c2.Left + 3, midY0, true, false, true},    // the left edge counts too
           Case{c2.Right - 3, midY0, false, true, false},  // without goColSizing
           Case{10, r3.Bottom - 2, false, true, true},     // a row edge in the fixed column
           Case{10, r3.Top + 3, false, true, true},
           Case{10, midY3, false, true, false},
           Case{10, r3.Bottom - 2, true, false, false},    // without goRowSizing
           Case{inner.Right - 1, (inner.Top + inner.Bottom) / 2, true, true, false},  // a normal cell
           Case{G->CellRect(2, 1).Right - 1, G->CellRect(2, 1).Top + 8, true, false, true},  // first normal row
           Case{590, 390, true, true, false},              // outside the cells
       }) {
    TGridOptions o = G->Options() - goColSizing - goRowSizing;
    if (c.Col) o = o + goColSizing;
    if (c.Row) o = o + goRowSizing;
    G->SetOptions(o);
    EXPECT_EQ(G->IsOnSizingEdge(c.X, c.Y), c.Edge) << c.X << "," << c.Y;
  }
}

// ------------------------------------------------------------ footer calculation

// Column 1 holds 1..9 over rows 1..9 (row 10 is the footer row of 11 rows).
void FillFooterGrid(TProStringGrid& G) {
  G.SetColCount(4);
  G.SetRowCount(11);
  for (int r = 1; r <= 9; ++r) {
    G.SetCells(1, r, QString::number(r));
    G.SetCells(2, r, r % 3 == 0 ? "a" : "b");
  }
  G.FloatingFooter()->SetVisible(true);
}

TEST(GridFooterCalc, EveryCalculationKindAsATable) {
  struct Case {
    TColumnCalcType Kind;
    int Col;
    const char* Expected;
  };
  for (const Case c : {
           Case{acSUM, 1, "45.00"}, Case{acAVG, 1, "5.00"}, Case{acMIN, 1, "1.00"},
           Case{acMAX, 1, "9.00"}, Case{acCOUNT, 1, "9"}, Case{acDISTINCT, 2, "2.00"},
           Case{acSTDDEV, 1, "2.58"},  // population deviation of 1..9: sqrt(60/9)
           Case{acSPREAD, 1, "keep"}, Case{acNONE, 1, "keep"},
       }) {
    TProStringGrid g(nullptr);
    FillFooterGrid(g);
    g.SetCells(c.Col, 10, "keep");
    g.FloatingFooter()->SetColumnCalc(c.Col, c.Kind);
    g.SetCells(c.Col, 10, "keep");
    g.CalcFooter(-1);
    EXPECT_EQ(g.Cells(c.Col, 10), c.Expected) << int(c.Kind);
  }
}

TEST(GridFooterCalc, CustomCellsTakeTheGridsEventThenTheFootersOrAreEmptied) {
  TProStringGrid g(nullptr);
  FillFooterGrid(g);
  g.FloatingFooter()->SetColumnCalc(3, acCUSTOM);
  g.SetCells(3, 10, "old");
  g.CalcFooter(-1);
  EXPECT_EQ(g.Cells(3, 10), "");  // neither event: emptied
  g.FloatingFooter()->OnCalcFooter = [](TObject*, int ACol, int ARow, QString& V) {
    V = QStringLiteral("footer %1,%2").arg(ACol).arg(ARow);
  };
  g.CalcFooter(3);
  EXPECT_EQ(g.Cells(3, 10), "footer 3,10");
  g.OnFooterCalc = [](TObject*, int, int, QString& V) { V = "grid"; };
  g.CalcFooter(-1);
  EXPECT_EQ(g.Cells(3, 10), "grid");
  // Without EnableCalculation, or with another footer style, nothing is computed.
  g.FloatingFooter()->SetEnableCalculation(false);
  g.SetCells(3, 10, "x");
  g.CalcFooter(-1);
  EXPECT_EQ(g.Cells(3, 10), "x");
  g.FloatingFooter()->SetEnableCalculation(true);
  g.FloatingFooter()->SetFooterStyle(fsColumnPreview);
  g.CalcFooter(-1);
  EXPECT_EQ(g.Cells(3, 10), "x");
}

}  // namespace

// The grid's computations without a window: cell store, layout, cursor moves,
// scroll-bar thumb model.
#include <gtest/gtest.h>

#include <QStringList>

#include "platform/grids/GridsModel.h"
#include "platform/ui/Messages.h"

namespace {

class TTag : public TObject {};

// ------------------------------------------------------------------ store

TEST(GridCellStore, StoresOnlyWrittenCells) {
  TGridCellStore s;
  EXPECT_EQ(s.Text(3, 1000000), QString());
  EXPECT_EQ(s.Object(3, 1000000), nullptr);
  EXPECT_EQ(s.StoredCells(), 0);

  TTag tag;
  s.SetText(2, 7, "a");
  s.SetObject(4, 7, &tag);
  s.SetText(0, 7, "b");
  EXPECT_EQ(s.StoredCells(), 3);
  EXPECT_EQ(s.Text(2, 7), "a");
  EXPECT_EQ(s.Text(0, 7), "b");
  EXPECT_EQ(s.Text(4, 7), QString());
  EXPECT_EQ(s.Object(4, 7), &tag);
  EXPECT_EQ(s.Object(2, 7), nullptr);

  // Reading and writing empty values into cells never written stores nothing.
  s.SetText(9, 9, "");
  s.SetObject(9, 9, nullptr);
  EXPECT_EQ(s.StoredCells(), 3);

  // A cell emptied of text and object is gone again; text and object are independent.
  s.SetText(4, 7, "c");
  s.SetObject(4, 7, nullptr);
  EXPECT_EQ(s.Text(4, 7), "c");
  s.SetText(4, 7, "");
  s.SetText(2, 7, "");
  s.SetText(0, 7, "");
  EXPECT_EQ(s.StoredCells(), 0);
}

TEST(GridCellStore, MovesColumnsAndRows) {
  TGridCellStore s;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 5; ++c)
      if ((c + r) % 2 == 0) s.SetText(c, r, QString("%1:%2").arg(c).arg(r));
  auto row = [&](int r) {
    QStringList l;
    for (int c = 0; c < 5; ++c) l << s.Text(c, r);
    return l.join(',');
  };
  EXPECT_EQ(row(0), "0:0,,2:0,,4:0");
  s.MoveColumn(0, 3);  // column 0 goes to 3, columns 1..3 move left
  EXPECT_EQ(row(0), ",2:0,,0:0,4:0");
  EXPECT_EQ(row(1), "1:1,,3:1,,");
  s.MoveColumn(3, 0);
  EXPECT_EQ(row(0), "0:0,,2:0,,4:0");
  EXPECT_EQ(row(1), ",1:1,,3:1,");
  s.MoveColumn(4, 1);
  EXPECT_EQ(row(0), "0:0,4:0,,2:0,");
  EXPECT_EQ(row(1), ",,1:1,,3:1");

  s.MoveRow(0, 2);  // row 0 goes to 2, rows 1 and 2 move up
  EXPECT_EQ(row(2), "0:0,4:0,,2:0,");
  EXPECT_EQ(row(0), ",,1:1,,3:1");
  EXPECT_EQ(row(1), "0:2,4:2,,2:2,");
  s.MoveRow(2, 10);  // beyond the written rows
  EXPECT_EQ(row(10), "0:0,4:0,,2:0,");
  EXPECT_EQ(row(2), QString(",,,,"));
  s.MoveRow(10, 0);
  EXPECT_EQ(row(0), "0:0,4:0,,2:0,");

  s.ClearRow(0);
  EXPECT_EQ(row(0), ",,,,");
  s.ClearColumn(1);
  EXPECT_EQ(row(2), "0:2,,,2:2,");
  EXPECT_EQ(row(1), ",,1:1,,3:1");
  s.Clear();
  EXPECT_EQ(s.StoredCells(), 0);
}

// ----------------------------------------------------------------- layout

// A layout of columns and rows for a client area.
struct TLayout {
  TGridAxis Cols{5, 1, 64};
  TGridAxis Rows{5, 1, 24};
  TGridDrawInfo Info;
  void Calc(int Width, int Height, int LeftCol, int TopRow, int LineWidth = 1) {
    Info.Horz.Axis = &Cols;
    Info.Vert.Axis = &Rows;
    Info.Horz.EffectiveLineWidth = Info.Vert.EffectiveLineWidth = LineWidth;
    Info.Horz.GridExtent = Width;
    Info.Vert.GridExtent = Height;
    Info.Horz.FirstGridCell = LeftCol;
    Info.Vert.FirstGridCell = TopRow;
    Info.Horz.Calc();
    Info.Vert.Calc();
  }
};

TEST(GridLayout, CellRectsOfDefaultGrid) {
  TLayout g;
  g.Calc(400, 200, 1, 1);
  EXPECT_EQ(GridCellRect(g.Info, 0, 0), TRect(0, 0, 64, 24));
  EXPECT_EQ(GridCellRect(g.Info, 1, 0), TRect(65, 0, 129, 24));
  EXPECT_EQ(GridCellRect(g.Info, 4, 4), TRect(260, 100, 324, 124));
  EXPECT_EQ(g.Info.Horz.FixedBoundary, 65);
  EXPECT_EQ(g.Info.Horz.GridBoundary, 325);
  EXPECT_EQ(g.Info.Horz.VisibleCount(), 4);
  EXPECT_EQ(GridCellAt(g.Info, 324, 0), (TGridCoord{4, 0}));  // a line belongs to the cell before it
  EXPECT_EQ(GridCellAt(g.Info, 325, 0), (TGridCoord{-1, 0}));  // beyond the last column
  EXPECT_EQ(GridCellAt(g.Info, -1, 300), (TGridCoord{-1, -1}));
}

TEST(GridLayout, CellRectAndCellAtAgreeUnderScrolling) {
  TLayout g;
  g.Cols.SetCount(40);
  g.Rows.SetCount(300);
  g.Cols.SetFixedCount(2);
  g.Cols.SetExtent(3, 10);
  g.Cols.SetExtent(5, -1);  // hidden
  g.Cols.SetExtent(6, 0);   // zero width: only its line
  g.Rows.SetExtent(50, 70);
  struct TCase {
    int Left, Top, LineWidth;
  };
  for (TCase t : {TCase{2, 1, 1}, TCase{4, 45, 1}, TCase{7, 51, 0}, TCase{20, 290, 3}}) {
    SCOPED_TRACE(testing::Message() << "left " << t.Left << " top " << t.Top);
    g.Calc(333, 217, t.Left, t.Top, t.LineWidth);
    int visible = 0;
    for (int c = 0; c < g.Cols.Count(); ++c)
      for (int r = 0; r < g.Rows.Count(); ++r) {
        const TRect rc = GridCellRect(g.Info, c, r);
        const bool shown = (c < 2 || (c >= t.Left && c <= g.Info.Horz.LastVisibleCell())) &&
                           (r < 1 || (r >= t.Top && r <= g.Info.Vert.LastVisibleCell())) &&
                           g.Cols.Extent(c) > 0;
        ASSERT_EQ(!IsRectEmpty(rc), shown) << c << "," << r;
        if (!shown) continue;
        ++visible;
        // Every pixel of the rectangle maps back to the cell, and so does its line.
        for (TPoint p : {rc.TopLeft(), TPoint(rc.Right - 1, rc.Bottom - 1)})
          ASSERT_EQ(GridCellAt(g.Info, p.X, p.Y), (TGridCoord{c, r})) << c << "," << r;
        if (t.LineWidth > 0 && rc.Right < 333 && rc.Bottom < 217) {
          ASSERT_EQ(GridCellAt(g.Info, rc.Right, rc.Bottom), (TGridCoord{c, r}));
        }
      }
    EXPECT_GT(visible, 8);
  }
}

TEST(GridLayout, VisibleCountsAndScrollLimits) {
  TLayout g;
  g.Rows.SetCount(100);
  // 24 + 1 per row: the fixed row takes 25, nine rows of 25 fill 225 more.
  g.Calc(400, 250, 1, 1);
  EXPECT_EQ(g.Info.Vert.VisibleCount(), 9);
  EXPECT_EQ(g.Info.Vert.LastVisibleCell(), 9);
  EXPECT_EQ(g.Info.Vert.MaxFirst(), 91);
  g.Calc(400, 249, 1, 1);  // the ninth row's line is cut off: still fully visible
  EXPECT_EQ(g.Info.Vert.VisibleCount(), 9);
  g.Calc(400, 248, 1, 1);  // the ninth row itself is cut: eight rows and a partial one
  EXPECT_EQ(g.Info.Vert.VisibleCount(), 8);
  EXPECT_EQ(g.Info.Vert.LastVisibleCell(), 9);
  EXPECT_EQ(g.Info.Vert.MaxFirst(), 92);
  g.Calc(400, 10, 1, 1);  // not even one row fits: one counts as visible
  EXPECT_EQ(g.Info.Vert.VisibleCount(), 1);
  EXPECT_EQ(g.Info.Vert.MaxFirst(), 99);
  g.Calc(400, 3000, 1, 1);  // everything fits
  EXPECT_EQ(g.Info.Vert.MaxFirst(), 1);
  EXPECT_EQ(g.Info.Horz.MaxFirst(), 1);
}

TEST(GridLayout, SizingEdges) {
  TLayout g;
  g.Calc(400, 200, 1, 1);
  int index = -1, pos = 0, ofs = 0;
  // Column 1 ends at 129; its line is 129; the edge can be taken from 126 to 132.
  EXPECT_FALSE(GridSizingEdgeAt(g.Info.Horz, 125, index, pos, ofs));
  ASSERT_TRUE(GridSizingEdgeAt(g.Info.Horz, 126, index, pos, ofs));
  EXPECT_EQ(index, 1);
  EXPECT_EQ(pos, 129);
  EXPECT_EQ(ofs, 3);
  ASSERT_TRUE(GridSizingEdgeAt(g.Info.Horz, 132, index, pos, ofs));
  EXPECT_EQ(ofs, -3);
  EXPECT_FALSE(GridSizingEdgeAt(g.Info.Horz, 133, index, pos, ofs));
  // The fixed column's edge is not offered; neither is an edge beyond the client area.
  EXPECT_FALSE(GridSizingEdgeAt(g.Info.Horz, 64, index, pos, ofs));
  g.Calc(300, 200, 1, 1);
  EXPECT_FALSE(GridSizingEdgeAt(g.Info.Horz, 324, index, pos, ofs));
}

// ------------------------------------------------------------ cursor moves

TEST(GridKeyMoves, StandardMoves) {
  TGridMoveContext c;
  c.ColCount = 10;
  c.RowCount = 100;
  c.FixedCols = 1;
  c.FixedRows = 1;
  c.Current = {4, 20};
  c.TopLeft = {2, 15};
  c.MaxTopLeft = {5, 90};
  c.PageWidth = 4;
  c.PageHeight = 10;
  struct TCase {
    TGridNavKey Key;
    bool Ctrl, Shift, RowSelect;
    TGridCoord Current, TopLeft;
  };
  const TCase cases[] = {
      {gnkUp, false, false, false, {4, 19}, {2, 15}},
      {gnkDown, false, false, false, {4, 21}, {2, 15}},
      {gnkLeft, false, false, false, {3, 20}, {2, 15}},
      {gnkRight, false, false, false, {5, 20}, {2, 15}},
      {gnkLeft, false, false, true, {4, 19}, {2, 15}},
      {gnkRight, false, false, true, {4, 21}, {2, 15}},
      {gnkPageUp, false, false, false, {4, 10}, {2, 5}},
      {gnkPageDown, false, false, false, {4, 30}, {2, 25}},
      {gnkHome, false, false, false, {1, 20}, {2, 15}},
      {gnkEnd, false, false, false, {9, 20}, {2, 15}},
      {gnkHome, false, false, true, {4, 1}, {2, 15}},
      {gnkEnd, false, false, true, {4, 99}, {2, 15}},
      {gnkHome, true, false, false, {1, 1}, {2, 15}},
      {gnkEnd, true, false, false, {9, 99}, {2, 15}},
      {gnkPageUp, true, false, false, {4, 15}, {2, 15}},
      {gnkPageDown, true, false, false, {4, 24}, {2, 15}},
      {gnkUp, true, false, false, {4, 20}, {2, 14}},
      {gnkDown, true, false, false, {4, 20}, {2, 16}},
      {gnkLeft, true, false, false, {1, 20}, {1, 15}},  // 4 - 4 = 0 is clipped to the first normal column
      {gnkRight, true, false, false, {8, 20}, {5, 15}},  // the left column stops at its maximum
      {gnkLeft, true, false, true, {4, 20}, {2, 15}},
      {gnkRight, true, false, true, {4, 20}, {2, 15}},
      {gnkDown, false, true, false, {4, 21}, {2, 15}},
  };
  for (const TCase& t : cases) {
    SCOPED_TRACE(testing::Message() << "key " << t.Key << " ctrl " << t.Ctrl << " rowselect " << t.RowSelect);
    c.RowSelect = t.RowSelect;
    const TGridMoveResult r = GridKeyMove(c, t.Key, t.Ctrl, t.Shift);
    EXPECT_EQ(r.Current, t.Current);
    EXPECT_EQ(r.TopLeft, t.TopLeft);
    EXPECT_EQ(r.MoveAnchor, !t.Shift);
  }
}

TEST(GridKeyMoves, ClippedAtTheEdges) {
  TGridMoveContext c;
  c.ColCount = 5;
  c.RowCount = 30;
  c.FixedCols = 1;
  c.FixedRows = 2;
  c.MaxTopLeft = {1, 21};
  c.PageWidth = 4;
  c.PageHeight = 8;
  c.Current = {1, 2};
  c.TopLeft = {1, 2};
  EXPECT_EQ(GridKeyMove(c, gnkUp, false, false).Current, (TGridCoord{1, 2}));
  EXPECT_EQ(GridKeyMove(c, gnkLeft, false, false).Current, (TGridCoord{1, 2}));
  EXPECT_EQ(GridKeyMove(c, gnkPageUp, false, false).TopLeft, (TGridCoord{1, 2}));
  EXPECT_EQ(GridKeyMove(c, gnkUp, true, false).TopLeft, (TGridCoord{1, 2}));
  c.Current = {4, 27};
  c.TopLeft = {1, 20};
  TGridMoveResult r = GridKeyMove(c, gnkPageDown, false, false);
  EXPECT_EQ(r.Current, (TGridCoord{4, 29}));
  EXPECT_EQ(r.TopLeft, (TGridCoord{1, 21}));
  EXPECT_EQ(GridKeyMove(c, gnkRight, false, false).Current, (TGridCoord{4, 27}));
  EXPECT_EQ(GridKeyMove(c, gnkDown, true, false).TopLeft, (TGridCoord{1, 21}));
}

TEST(GridKeyMoves, TabWrapsThroughTabStops) {
  TGridMoveContext c;
  c.ColCount = 5;
  c.RowCount = 4;
  c.Current = {4, 1};
  TGridMoveResult r = GridKeyMove(c, gnkTab, false, false);
  EXPECT_EQ(r.Current, (TGridCoord{1, 2}));
  c.Current = {4, 3};
  EXPECT_EQ(GridKeyMove(c, gnkTab, false, false).Current, (TGridCoord{1, 1}));
  c.Current = {1, 1};
  r = GridKeyMove(c, gnkTab, false, true);  // Shift+Tab goes back and moves the anchor
  EXPECT_EQ(r.Current, (TGridCoord{4, 3}));
  EXPECT_TRUE(r.MoveAnchor);
  c.TabStops = {true, true, false, false, true};
  c.Current = {1, 1};
  EXPECT_EQ(GridKeyMove(c, gnkTab, false, false).Current, (TGridCoord{4, 1}));
  c.TabStops = {true, false, false, false, false};  // no stop: back in the same column
  EXPECT_EQ(GridKeyMove(c, gnkTab, false, false).Current, (TGridCoord{1, 2}));
}

// ------------------------------------------------------------ scroll bars

TEST(GridScrollModel, ThumbPositions) {
  // 100 rows, 1 fixed, 10 visible: the first row runs from 1 to 90.
  EXPECT_EQ(GridScrollPos(1, 1, 100, 10), 0);
  EXPECT_EQ(GridScrollPos(90, 1, 100, 10), 127);
  EXPECT_EQ(GridScrollPos(45, 1, 100, 10), 63);  // 44 * 127 / 89 = 62.8
  EXPECT_EQ(GridScrollFirst(0, 1, 100, 10), 1);
  EXPECT_EQ(GridScrollFirst(127, 1, 100, 10), 90);
  EXPECT_EQ(GridScrollFirst(64, 1, 100, 10), 46);  // 64 * 89 / 127 = 44.85
  EXPECT_EQ(GridScrollPos(1, 1, 5, 10), 0);  // nothing to scroll
  EXPECT_EQ(GridScrollFirst(100, 1, 5, 10), 1);
  for (int first = 1; first <= 90; ++first) {
    const int back = GridScrollFirst(GridScrollPos(first, 1, 100, 10), 1, 100, 10);
    ASSERT_LE(std::abs(back - first), 1) << first;
  }
}

TEST(GridScrollModel, ScrollActions) {
  TLayout g;
  g.Rows.SetCount(100);
  g.Calc(400, 250, 1, 40);  // nine rows in view, the first can go from 1 to 91
  struct TCase {
    int Code, Pos;
    bool Tracking;
    int First;
  };
  const TCase cases[] = {
      {SB_LINEUP, 0, false, 39},        {SB_LINEDOWN, 0, false, 41},     {SB_PAGEUP, 0, false, 31},
      {SB_PAGEDOWN, 0, false, 49},      {SB_THUMBPOSITION, 127, false, 91}, {SB_THUMBPOSITION, 0, false, 1},
      {SB_THUMBTRACK, 127, false, 40},  {SB_THUMBTRACK, 127, true, 91},  {SB_TOP, 0, false, 1},
      {SB_BOTTOM, 0, false, 91},        {SB_ENDSCROLL, 77, false, 40},
  };
  for (const TCase& t : cases)
    EXPECT_EQ(GridScrollAction(t.Code, t.Pos, g.Info.Vert, t.Tracking), t.First) << t.Code;
  g.Calc(400, 250, 1, 91);
  EXPECT_EQ(GridScrollAction(SB_LINEDOWN, 0, g.Info.Vert, false), 91);
  EXPECT_EQ(GridScrollAction(SB_PAGEDOWN, 0, g.Info.Vert, false), 91);
}

}  // namespace

// Row nodes of the string grid: levels, collapsing and expanding, parents.
#include <gtest/gtest.h>

#include <QScopeGuard>
#include <QTest>

#include "grid/ProGrid.h"
#include "platform/rtl/SysLocale.h"
#include "platform/ui/Forms.h"
#include "tests/platform/ControlTestSupport.h"

namespace {

// A 3 x 10 grid, row r holding "r" in column 1, nothing collapsed.
class Nodes : public ::testing::Test {
 protected:
  void SetUp() override {
    G.SetColCount(3);
    G.SetRowCount(10);
    for (int r = 0; r < 10; ++r) G.SetCells(1, r, QString::number(r));
  }
  QStringList Column1() {
    QStringList l;
    for (int r = 0; r < G.RowCount(); ++r) l << G.Cells(1, r);
    return l;
  }
  TProStringGrid G{nullptr};
};

}  // namespace

TEST_F(Nodes, AddNodeRaisesLevelsAndMovesTheCursorOffColumnZero) {
  G.SetCol(0);
  EXPECT_FALSE(G.HasNodes());
  G.AddNode(1, 3);
  EXPECT_TRUE(G.HasNodes());
  EXPECT_TRUE(G.IsNode(1));
  EXPECT_FALSE(G.IsNode(2));
  EXPECT_EQ(G.GetNodeSpan(1), 3);
  EXPECT_EQ(G.GetNodeSpan(2), -1);
  EXPECT_EQ(G.GetNodeLevel(1), 1);
  EXPECT_EQ(G.GetNodeLevel(2), -1);
  EXPECT_EQ(G.GetNodeIndent(2), 12);
  EXPECT_EQ(G.GetNodeIndent(3), 12);
  EXPECT_EQ(G.GetNodeIndent(4), 0);
  EXPECT_EQ(G.Col(), 1);
  EXPECT_EQ(G.GetSubNodeCount(1), 0);
  G.UpdateSubNodeCount(1, 2);
  EXPECT_EQ(G.GetSubNodeCount(1), 2);
  EXPECT_EQ(G.GetSubNodeCount(2), 0);
}

TEST_F(Nodes, ContractAndExpandHideAndRestoreTheSpan) {
  G.AddNode(1, 3);
  G.SetRowHeights(3, 40);
  G.ContractNode(1);
  EXPECT_TRUE(G.GetNodeState(1));
  EXPECT_EQ(G.NumHiddenRows(), 2);
  EXPECT_EQ(G.RowCount(), 8);
  EXPECT_EQ(G.Cells(1, 2), "4");
  G.ExpandNode(1);
  EXPECT_FALSE(G.GetNodeState(1));
  EXPECT_EQ(G.RowCount(), 10);
  EXPECT_EQ(G.NumHiddenRows(), 0);
  EXPECT_EQ(Column1().join(','), "0,1,2,3,4,5,6,7,8,9");
  EXPECT_EQ(G.RowHeights(3), 40);
  // The state setter takes display rows and does the same.
  G.SetNodeState(1, true);
  EXPECT_EQ(G.RowCount(), 8);
  G.SetNodeState(1, false);
  EXPECT_EQ(G.RowCount(), 10);
}

TEST_F(Nodes, OuterNodeReopensWithItsCollapsedInnerNodeOpen) {
  G.AddNode(1, 6);  // rows 1..6
  G.AddNode(2, 3);  // rows 2..4 inside
  EXPECT_EQ(G.GetNodeLevel(1), 1);
  EXPECT_EQ(G.GetNodeLevel(2), 2);
  G.ContractNode(2);
  EXPECT_EQ(G.RowCount(), 8);
  G.ContractNode(1);
  EXPECT_EQ(G.RowCount(), 5);
  EXPECT_EQ(G.Cells(1, 2), "7");
  G.ExpandNode(1);
  EXPECT_EQ(Column1().join(','), "0,1,2,3,4,5,6,7,8,9");
  EXPECT_FALSE(G.GetNodeState(2));
}

TEST_F(Nodes, ExpandOneCollapsesTheOthers) {
  G.AddNode(1, 3);
  G.AddNode(4, 3);
  G.ContractNode(1);
  G.ContractNode(4);
  EXPECT_EQ(G.RowCount(), 6);
  G.CellNode()->SetExpandOne(true);
  G.ExpandNode(1);
  EXPECT_FALSE(G.GetNodeState(1));
  EXPECT_TRUE(G.GetNodeState(4));
  G.ExpandNode(4);  // real row 4
  EXPECT_TRUE(G.GetNodeState(1));
  EXPECT_FALSE(G.GetNodeState(2));
  EXPECT_EQ(G.RowCount(), 8);
}

TEST_F(Nodes, SpanZeroCoversTheRowsUpToTheNextNode) {
  G.AddNode(1, 0);
  G.AddNode(5, 2);
  G.ContractNode(1);
  EXPECT_EQ(G.RowCount(), 7);
  EXPECT_EQ(G.Cells(1, 2), "5");
  EXPECT_TRUE(G.IsNode(2));
  G.ExpandNode(1);
  EXPECT_EQ(Column1().join(','), "0,1,2,3,4,5,6,7,8,9");
}

TEST_F(Nodes, ParentRow) {
  EXPECT_EQ(G.GetParentRow(2), -1);
  G.AddNode(1, 6);
  G.AddNode(2, 3);
  EXPECT_EQ(G.GetParentRow(3), 2);
  EXPECT_EQ(G.GetParentRow(5), 1);
  EXPECT_EQ(G.GetParentRow(2), 1);
  EXPECT_EQ(G.GetParentRow(1), 1);
  EXPECT_EQ(G.GetParentRow(8), -1);
}

TEST_F(Nodes, ExpandAllRestoresEveryRowAndRemoveAllNodesLowersTheLevels) {
  G.AddNode(1, 6);
  G.AddNode(2, 3);
  G.AddNode(7, 3);
  G.ContractNode(2);
  G.ContractNode(1);
  G.ContractNode(7);
  G.ExpandAll();
  EXPECT_EQ(Column1().join(','), "0,1,2,3,4,5,6,7,8,9");
  G.ContractNode(1);
  G.RemoveAllNodes();
  EXPECT_FALSE(G.HasNodes());
  EXPECT_EQ(Column1().join(','), "0,1,2,3,4,5,6,7,8,9");
  for (int r = 0; r < 10; ++r) EXPECT_EQ(G.GetNodeIndent(r), 0) << r;
  for (int r = 0; r < 10; ++r) EXPECT_FALSE(G.IsNode(r)) << r;
}

TEST_F(Nodes, BadRowsRaiseAndChangeNothing) {
  for (int row : {-1, 10}) {
    EXPECT_THROW(G.AddNode(row, 2), EProGridError) << row;
  }
  EXPECT_FALSE(G.HasNodes());
  // A span past the last row covers the rows that exist.
  G.AddNode(8, 5);
  EXPECT_EQ(G.GetNodeIndent(9), 12);
  G.ContractNode(8);
  EXPECT_EQ(G.RowCount(), 9);
  G.ExpandNode(8);
  EXPECT_EQ(G.RowCount(), 10);
  // Queries and changes on rows without nodes answer as for a plain row.
  G.RemoveNode(-3);
  G.ContractNode(40);
  EXPECT_EQ(G.GetNodeSpan(-1), -1);
  EXPECT_FALSE(G.GetNodeState(50));
}

TEST_F(Nodes, GridWithCollapsedNestedNodesIsDestroyedCleanly) {
  auto g = std::make_unique<TProStringGrid>(nullptr);
  g->SetRowCount(10);
  g->AddNode(1, 6);
  g->AddNode(2, 3);
  g->ContractNode(2);
  g->ContractNode(1);
  g.reset();
}

TEST_F(Nodes, ContractAllThenExpandAllRestoresEveryRow) {
  G.AddNode(1, 6);
  G.AddNode(2, 3);
  G.AddNode(7, 2);
  G.ContractAll();
  EXPECT_EQ(Column1().join(','), "0,1,7,9");
  EXPECT_TRUE(G.GetNodeState(1));
  EXPECT_TRUE(G.GetNodeState(2));  // the node of row 7
  G.ExpandAll();
  EXPECT_EQ(Column1().join(','), "0,1,2,3,4,5,6,7,8,9");
}

TEST_F(Nodes, InsertChildRowIntoANodeRowKeepsTheFirstChildsTexts) {
  G.AddNode(1, 3);
  G.InsertChildRow(1, 0);
  // The node row's content moved into the new row; the first child kept its text.
  EXPECT_TRUE(G.IsNode(1));
  EXPECT_EQ(G.Cells(1, 1), "");
  EXPECT_EQ(G.Cells(1, 2), "1");
  EXPECT_EQ(G.Cells(1, 3), "2");
  EXPECT_EQ(G.RowCount(), 11);
  EXPECT_EQ(G.GetNodeSpan(1), 4);
  EXPECT_EQ(G.GetNodeIndent(2), 12);
  EXPECT_THROW(G.InsertChildRow(-1, 0), EProGridError);
  EXPECT_THROW(G.InsertChildRow(11, 0), EProGridError);
  EXPECT_EQ(G.RowCount(), 11);
}

TEST_F(Nodes, ChildRowsWidenAndNarrowEveryEnclosingNode) {
  G.AddNode(1, 6);
  G.AddNode(2, 3);
  G.InsertChildRow(3, 1);
  EXPECT_EQ(G.RowCount(), 11);
  EXPECT_EQ(G.Cells(1, 4), "");
  EXPECT_EQ(G.GetNodeSpan(2), 4);
  EXPECT_EQ(G.GetNodeSpan(1), 7);
  EXPECT_EQ(G.GetNodeIndent(4), 24);
  EXPECT_EQ(G.GetParentRow(4), 2);
  G.RemoveChildRow(4);
  EXPECT_EQ(G.RowCount(), 10);
  EXPECT_EQ(G.GetNodeSpan(2), 3);
  EXPECT_EQ(G.GetNodeSpan(1), 6);
  EXPECT_EQ(Column1().join(','), "0,1,2,3,4,5,6,7,8,9");
}

TEST_F(Nodes, PreciseGlyphHitsByTypeAndLevel) {
  const TSysLocale kept = SysLocale;
  auto restore = qScopeGuard([&] { SysLocale = kept; });
  G.AddNode(1, 6);  // level 1
  G.AddNode(2, 3);  // level 2
  ASSERT_EQ(G.Width(), 400);
  TBitmap glyph;
  glyph.SetSize(10, 10);
  // The first and last hit x of each glyph, left to right and mirrored (the grid is 400 wide
  // and every row fits, so no scroll bar is taken off).
  struct Case {
    TCellNodeType type;
    bool withGlyph;
    int row, first, last, rtlFirst, rtlLast;
  } cases[] = {
      {cnFlat, false, 1, 5, 15, 382, 399},   {cnFlat, false, 2, 17, 27, 370, 387},
      {cnXP, false, 1, 5, 15, 382, 399},     {cnXP, false, 2, 17, 27, 370, 387},
      {cn3D, false, 1, 1, 17, 380, 399},     {cn3D, false, 2, 13, 29, 368, 387},
      {cnLeaf, false, 1, 3, 19, 378, 399},   {cnLeaf, false, 2, 15, 31, 366, 387},
      {cnGlyph, true, 1, 3, 16, 381, 399},   {cnGlyph, true, 2, 15, 28, 369, 387},
      {cnGlyph, false, 1, 1, 11, 386, 399},  {cnGlyph, false, 2, 13, 23, 374, 387},
  };
  TBitmap none;
  for (const Case& c : cases) {
    G.CellNode()->SetNodeType(c.type);
    G.CellNode()->SetExpandGlyph(c.withGlyph ? &glyph : &none);
    const auto where = [&](const char* dir) {
      return ::testing::Message() << dir << " type " << c.type << (c.withGlyph ? " with glyph" : "") << " row "
                                  << c.row;
    };
    // The glyph is hit from First to Last, not a pixel beyond either.
    const auto expectHitSpan = [&](const char* dir, int First, int Last) {
      EXPECT_FALSE(G.IsNodeGlyphHit(c.row, First - 1)) << where(dir);
      EXPECT_TRUE(G.IsNodeGlyphHit(c.row, First)) << where(dir);
      EXPECT_TRUE(G.IsNodeGlyphHit(c.row, Last)) << where(dir);
      EXPECT_FALSE(G.IsNodeGlyphHit(c.row, Last + 1)) << where(dir);
    };
    SysLocale.MiddleEast = false;
    G.SetBiDiMode(bdLeftToRight);
    expectHitSpan("ltr", c.first, c.last);
    SysLocale.MiddleEast = true;
    G.SetBiDiMode(bdRightToLeft);
    expectHitSpan("rtl", c.rtlFirst, c.rtlLast);
    EXPECT_FALSE(G.IsNodeGlyphHit(c.row, c.first)) << where("rtl");
  }
  // Mirrored with more rows than fit: the vertical scroll bar shifts the glyph left by its width.
  G.CellNode()->SetNodeType(cnXP);
  G.SetRowCount(40);
  const int s = GetSystemMetrics(SM_CXVSCROLL);
  ASSERT_GT(s, 0);
  EXPECT_TRUE(G.IsNodeGlyphHit(1, 382 - s));
  EXPECT_FALSE(G.IsNodeGlyphHit(1, 382 - s - 1));
  EXPECT_TRUE(G.IsNodeGlyphHit(1, 399 - s));
  EXPECT_FALSE(G.IsNodeGlyphHit(1, 400 - s));
  // Right-to-left mode outside a Middle-Eastern locale keeps the glyph at the left.
  SysLocale.MiddleEast = false;
  EXPECT_TRUE(G.IsNodeGlyphHit(1, 5));
  EXPECT_FALSE(G.IsNodeGlyphHit(1, 382));
  G.MouseActions()->SetPreciseNodeClick(false);
  EXPECT_TRUE(G.IsNodeGlyphHit(1, 100));
}

TEST(NodeClicks, GlyphPressContractsAndExpandsAndARefusalKeepsTheRows) {
  TShownForm F{400, 300};
  auto* G = new TProStringGrid(F.Form);
  G->SetParent(F.Form);
  G->SetBounds(0, 0, 300, 250);
  G->SetRowCount(10);
  G->AddNode(2, 4);
  F.Show();
  std::vector<QString> seen;
  bool allow = false;
  G->OnBeforeContractNode = [&](TObject*, int r, int rr, bool& a) {
    seen.push_back(QStringLiteral("before %1 %2").arg(r).arg(rr));
    a = allow;
  };
  G->OnContractNode = [&](TObject*, int r, int) { seen.push_back(QStringLiteral("contract %1").arg(r)); };
  G->OnExpandNode = [&](TObject*, int r, int) { seen.push_back(QStringLiteral("expand %1").arg(r)); };
  auto click = [&](int X) {
    const TRect cr = G->CellRect(0, 2);
    QTest::mouseClick(G->View(), Qt::LeftButton, Qt::NoModifier, QPoint(X, (cr.Top + cr.Bottom) / 2));
  };
  click(10);
  EXPECT_EQ(G->RowCount(), 10);
  EXPECT_FALSE(G->GetNodeState(2));
  allow = true;
  click(10);
  EXPECT_EQ(G->RowCount(), 7);
  click(20);  // beside the glyph
  EXPECT_EQ(G->RowCount(), 7);
  click(10);
  EXPECT_EQ(G->RowCount(), 10);
  EXPECT_EQ(seen, (std::vector<QString>{"before 2 2", "before 2 2", "contract 2", "expand 2"}));
}

TEST_F(Nodes, GroupCountFollowsTheNodeText) {
  G.AddNode(1, 3);
  EXPECT_EQ(G.Cells(1, 1), "1");
  G.Grouping()->SetShowGroupCount(true);
  EXPECT_EQ(G.Cells(1, 1), "1 (2)");
  EXPECT_EQ(G.Cells(1, 2), "2");
  G.Grouping()->SetGroupCountFormat(" [%d rows]");
  EXPECT_EQ(G.Cells(1, 1), "1 [2 rows]");
  G.Grouping()->SetGroupCountFormat(" %s");  // no integer format: the plain count
  EXPECT_EQ(G.Cells(1, 1), "1 (2)");
}

TEST_F(Nodes, ASpanPastTheLastRowCoversTheRowsThatExist) {
  G.AddNode(7, 10);
  EXPECT_EQ(G.GetNodeIndent(9), 12);
  G.ContractNode(7);
  EXPECT_EQ(G.RowCount(), 8);
  G.ExpandNode(7);
  EXPECT_EQ(Column1().join(','), "0,1,2,3,4,5,6,7,8,9");
}

namespace {

// A shown grid with nodes for keys and mouse presses.
class NodeInput : public ::testing::Test {
 protected:
  void SetUp() override {
    G = new TProStringGrid(F.Form);
    G->SetParent(F.Form);
    G->SetBorderStyle(bsNone);
    G->SetBounds(0, 0, 380, 280);
    G->SetColCount(3);
    G->SetRowCount(10);
    for (int r = 0; r < 10; ++r) G->SetCells(1, r, QString::number(r));
    F.Show();
    G->SetFocus();
  }
  void Key(Qt::Key K) { QTest::keyClick(G->View(), K); }
  void ClickGlyph(int R) {
    const TRect cr = G->CellRect(0, R);
    const TRect ins = G->NonClientInsets();
    QTest::mouseClick(G->View(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(G->GetNodeIndent(R) - 2 + ins.Left, (cr.Top + cr.Bottom) / 2 + ins.Top));
  }
  TShownForm F{400, 300};
  TProStringGrid* G = nullptr;
};

}  // namespace

TEST_F(NodeInput, InsertAndDeleteKeysKeepTheNodesWhole) {
  G->Navigation()->SetAllowInsertRow(true);
  G->Navigation()->SetAllowDeleteRow(true);
  G->Navigation()->SetInsertPosition(pInsertBefore);
  G->AddNode(2, 3);
  // In a node: a child row, the node widens.
  G->FocusCell(1, 3);
  Key(Qt::Key_Insert);
  EXPECT_EQ(G->RowCount(), 11);
  EXPECT_EQ(G->GetNodeSpan(2), 4);
  EXPECT_EQ(G->GetNodeIndent(3), 12);
  // Outside any node: a normal row, the node keeps its span.
  G->FocusCell(1, 8);
  Key(Qt::Key_Insert);
  EXPECT_EQ(G->RowCount(), 12);
  EXPECT_EQ(G->GetNodeSpan(2), 4);
  EXPECT_EQ(G->GetNodeIndent(8), 0);
  // Deleting a child row narrows the node; a normal row leaves it.
  G->FocusCell(1, 3);
  Key(Qt::Key_Delete);
  EXPECT_EQ(G->GetNodeSpan(2), 3);
  G->FocusCell(1, 8);
  Key(Qt::Key_Delete);
  EXPECT_EQ(G->GetNodeSpan(2), 3);
  EXPECT_EQ(G->RowCount(), 10);
}

TEST_F(NodeInput, RightAndLeftOpenAndCloseANodeRow) {
  G->AddNode(2, 4);
  G->MergeCells(1, 2, 2, 1);
  G->FocusCell(1, 2);
  Key(Qt::Key_Left);
  EXPECT_TRUE(G->GetNodeState(2));
  EXPECT_EQ(G->RowCount(), 7);
  Key(Qt::Key_Right);
  EXPECT_FALSE(G->GetNodeState(2));
  EXPECT_EQ(G->RowCount(), 10);
}

TEST_F(NodeInput, HeaderGlyphContractsAndExpandsAll) {
  G->MouseActions()->SetNodeAllExpandContract(true);
  G->AddNode(0, 1);
  G->AddNode(2, 3);
  G->AddNode(6, 3);
  ClickGlyph(0);
  EXPECT_TRUE(G->GetNodeState(2));
  EXPECT_EQ(G->RowCount(), 6);
  ClickGlyph(0);
  EXPECT_EQ(G->RowCount(), 10);
  EXPECT_FALSE(G->GetNodeState(2));
  // Without the setting the header glyph does nothing.
  G->MouseActions()->SetNodeAllExpandContract(false);
  ClickGlyph(0);
  EXPECT_EQ(G->RowCount(), 10);
}

TEST_F(NodeInput, PressesInTheNodeColumnBesideTheGlyphNeverSelect) {
  G->AddNode(2, 3);
  G->FocusCell(1, 5);
  std::vector<TPoint> clicked;
  G->OnClickCell = [&](TObject*, int r, int c) { clicked.push_back(TPoint(c, r)); };
  const TRect cr = G->CellRect(0, 4);
  const TRect ins = G->NonClientInsets();
  QTest::mouseClick(G->View(), Qt::LeftButton, Qt::NoModifier,
                    QPoint(cr.Right - 3 + ins.Left, (cr.Top + cr.Bottom) / 2 + ins.Top));
  EXPECT_EQ(G->Row(), 5);
  EXPECT_EQ(clicked, (std::vector<TPoint>{TPoint(0, 4)}));
}

// The base grid's cell model, merged cells and undo, on offscreen grids.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/BaseGrid.h"
#include "controls/ProUtil.h"

// A graphic of the class the grid frees with its cells (the real one belongs to
// the string grid; only the class name counts here), and a graphic of another
// class. Both count their destructions.
int gGraphicsFreed = 0;
class TCellGraphic : public TObject {
 public:
  ~TCellGraphic() override { ++gGraphicsFreed; }
};
class TOtherGraphic : public TObject {
 public:
  ~TOtherGraphic() override { ++gGraphicsFreed; }
};

namespace {

class TTestGrid : public TBaseGrid {
 public:
  explicit TTestGrid(TComponent* AOwner = nullptr) : TBaseGrid(AOwner) {}
  void SetNormalRowCount(int Value) { FNormalRowCount = Value; }
  void SetHideLastRow(bool Value) { FHideLastRow = Value; }
  int HiddenCols = 0;
  int LastRowChanges = 0;
  std::vector<TPoint> Changed;
  int TotalColCount() override { return ColCount() + HiddenCols; }
  void LastRowChanged() override { ++LastRowChanges; }
  void CellChanged(int ACol, int ARow) override { Changed.push_back({ACol, ARow}); }
  using TBaseGrid::ResolveBaseCell;
  using TBaseGrid::SnapToBaseCell;
  using TBaseGrid::UnclippedCellRect;
};

class BaseGridFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    grid = std::make_unique<TTestGrid>();
    grid->SetColCount(6);
    grid->SetRowCount(8);
    gGraphicsFreed = 0;
  }
  std::unique_ptr<TTestGrid> grid;
};

}  // namespace

// ---------------------------------------------------------------------------
// Cell texts and display hooks

class BaseGridCells : public BaseGridFixture {};

TEST_F(BaseGridCells, PlainCellsReadAndWriteOnlyThemselves) {
  grid->SetCells(2, 3, "x");
  EXPECT_EQ(grid->Cells(2, 3), "x");
  EXPECT_EQ(grid->GridCells(2, 3), "x");
  EXPECT_EQ(grid->Cells(3, 3), "");
  EXPECT_FALSE(grid->HasCellProperties(2, 3));
  EXPECT_TRUE(grid->Changed.empty());  // only cells with properties tell CellChanged
}

TEST_F(BaseGridCells, DisplayHooksChangeWhatIsReadNotWhatIsStored) {
  grid->SetNormalRowCount(5);
  grid->OnGetDisplText = [](TObject*, int, int, QString& v) { v += " kg"; };
  grid->SetCells(1, 2, "12");
  grid->SetCells(1, 6, "12");  // a row at or past FNormalRowCount: no hooks
  EXPECT_EQ(grid->Cells(1, 2), "12 kg");
  EXPECT_EQ(grid->GridCells(1, 2), "12");
  EXPECT_EQ(grid->Cells(1, 6), "12");
  grid->SetNormalRowCount(0);  // a bare base grid runs no hooks
  EXPECT_EQ(grid->Cells(1, 2), "12");
}

TEST_F(BaseGridCells, WideHookAnswersInTheWideForm) {
  grid->SetNormalRowCount(8);
  QString seen;
  grid->OnGetDisplWideText = [&](TObject*, int, int, QString& v) {
    seen = v;
    v = v + QString::fromUtf8(" Ω");
  };
  grid->SetCells(0, 1, "plain");
  const QString got = grid->Cells(0, 1);
  EXPECT_EQ(seen, "plain");
  EXPECT_EQ(ClassifyCellText(got, false), ctkWide);
  EXPECT_EQ(DecodeWideText(got), QString::fromUtf8("plain Ω"));
  // A stored wide text reaches the hook decoded.
  grid->SetCells(0, 2, EncodeWideText(QString::fromUtf8("Привет")));
  EXPECT_EQ(DecodeWideText(grid->Cells(0, 2)), QString::fromUtf8("Привет Ω"));
  EXPECT_EQ(seen, QString::fromUtf8("Привет"));
}

TEST_F(BaseGridCells, LastRowWritesAreReportedWhenTheLastRowIsHidden) {
  grid->SetCells(0, 7, "a");
  EXPECT_EQ(grid->LastRowChanges, 0);
  grid->SetHideLastRow(true);
  grid->SetCells(0, 7, "b");
  grid->SetCells(3, 7, "c");
  grid->SetCells(0, 6, "d");
  EXPECT_EQ(grid->LastRowChanges, 2);
}

// ---------------------------------------------------------------------------
// Property objects

class BaseGridProperties : public BaseGridFixture {};

TEST_F(BaseGridProperties, NewPropertiesCarryTheCellDefaults) {
  grid->Font()->SetName("Tahoma");
  grid->Font()->SetSize(11);
  grid->Font()->SetStyle({fsBold});
  grid->Font()->SetColor(0x123456);
  grid->SetColor(0x00FFEEDD);
  grid->SetWordWrap(false);
  EXPECT_FALSE(grid->HasCellProperties(2, 2));
  TCellProperties* p = grid->CellProperties(2, 2);
  ASSERT_NE(p, nullptr);
  EXPECT_TRUE(grid->HasCellProperties(2, 2));
  EXPECT_EQ(grid->CellProperties(2, 2), p);  // made once
  EXPECT_EQ(p->FontName(), "Tahoma");
  EXPECT_EQ(p->FontSize(), 11);
  EXPECT_EQ(p->FontStyle(), TFontStyles{fsBold});
  EXPECT_EQ(p->FontColor(), 0x123456);
  EXPECT_EQ(p->BrushColor(), 0x00FFEEDD);
  EXPECT_EQ(p->BrushColorTo(), clNone);
  EXPECT_EQ(p->Alignment(), taLeftJustify);
  EXPECT_EQ(p->VAlignment(), vtaTop);
  EXPECT_FALSE(p->WordWrap());
  EXPECT_EQ(p->GradientDirection(), GradientVertical);
  EXPECT_EQ(p->CalcType(), acNONE);
  EXPECT_TRUE(p->IsBaseCell());
  EXPECT_EQ(p->CellSpanX(), -1);
  EXPECT_EQ(p->CellSpanY(), -1);
  EXPECT_EQ(p->OwnerCol(), 2);
  EXPECT_EQ(p->OwnerRow(), 2);
  EXPECT_EQ(p->Editor(), edNormal);
  EXPECT_FALSE(p->ReadOnly());

  // Made on its own, an object carries the "not set" values.
  TCellProperties bare(grid.get(), 0, 0);
  EXPECT_EQ(bare.BrushColor(), clNone);
  EXPECT_EQ(bare.FontColor(), clNone);
  EXPECT_EQ(bare.FontSize(), 0);
  EXPECT_TRUE(bare.FontName().isEmpty());
  EXPECT_EQ(bare.BorderColor(), 0);
}

TEST_F(BaseGridProperties, AssignCopiesAllButGraphicGradientAndCalculation) {
  TCellProperties a(grid.get(), 1, 2), b(grid.get(), 3, 4);
  TCellGraphic g;
  TObject user;
  a.SetGraphicObject(&g);
  a.SetCellObject(&user);
  a.SetBrushColor(0x11);
  a.SetBrushColorTo(0x22);
  a.SetGradientDirection(GradientHorizontal);
  a.SetCalcType(acSUM);
  a.SetReadOnly(true);
  a.SetEditor(edComboList);
  a.SetCellSpanX(2);
  a.SetAlignment(taCenter);
  b.Assign(&a);
  EXPECT_EQ(b.GraphicObject(), nullptr);
  EXPECT_EQ(b.CellObject(), &user);
  EXPECT_EQ(b.BrushColor(), 0x11);
  EXPECT_EQ(b.BrushColorTo(), clNone);
  EXPECT_EQ(b.GradientDirection(), GradientVertical);
  EXPECT_EQ(b.CalcType(), acNONE);
  EXPECT_TRUE(b.ReadOnly());
  EXPECT_EQ(b.Editor(), edComboList);
  EXPECT_EQ(b.CellSpanX(), 2);
  EXPECT_EQ(b.Alignment(), taCenter);
  EXPECT_EQ(b.OwnerCol(), 1);
  EXPECT_EQ(b.OwnerRow(), 2);
  a.SetGraphicObject(nullptr);
}

TEST_F(BaseGridProperties, ObjectsOfEmptyCellsLeaveThemEmpty) {
  TObject user;
  EXPECT_EQ(grid->Objects(1, 1), nullptr);
  EXPECT_FALSE(grid->HasCellProperties(1, 1));  // reading creates nothing
  grid->SetObjects(1, 1, &user);
  EXPECT_EQ(grid->Cells(1, 1), "");
  EXPECT_EQ(grid->GridCells(1, 1), "");
  EXPECT_TRUE(grid->HasCellProperties(1, 1));
  EXPECT_EQ(grid->Objects(1, 1), &user);
  EXPECT_EQ(grid->GridObjects(1, 1), grid->CellProperties(1, 1));
  grid->SetCells(2, 1, "kept");
  grid->SetObjects(2, 1, &user);
  EXPECT_EQ(grid->Cells(2, 1), "kept");
  TOtherGraphic* other = new TOtherGraphic;
  grid->SetGraphicObjects(3, 1, other);
  EXPECT_EQ(grid->GraphicObjects(3, 1), other);
  EXPECT_EQ(grid->GraphicObjects(4, 1), nullptr);
  EXPECT_EQ(grid->Cells(3, 1), "");
  grid->FreeCellProps(3, 1);
  EXPECT_EQ(gGraphicsFreed, 0);  // a graphic of another class is not the grid's
  delete other;
}

TEST_F(BaseGridProperties, FreeingTakesTheGridsGraphicsButNoUserObjects) {
  TObject user;
  TOtherGraphic other;
  grid->SetGraphicObjects(0, 0, new TCellGraphic);
  grid->SetObjects(0, 0, &user);
  grid->SetGraphicObjects(1, 0, &other);
  grid->SetGraphicObjects(2, 0, new TCellGraphic);
  grid->FreeCellPropsRange(0, 0, 1, 0);
  EXPECT_EQ(gGraphicsFreed, 1);
  EXPECT_FALSE(grid->HasCellProperties(0, 0));
  EXPECT_FALSE(grid->HasCellProperties(1, 0));
  EXPECT_TRUE(grid->HasCellProperties(2, 0));
  grid->FreeAllCellProps();
  EXPECT_EQ(gGraphicsFreed, 2);
  EXPECT_FALSE(grid->HasCellProperties(2, 0));

  // Cells of columns beyond ColCount (hidden ones) are freed too.
  grid->HiddenCols = 2;
  grid->SetGraphicObjects(7, 3, new TCellGraphic);
  grid->CellProperties(6, 7);
  grid->FreeAllCellProps();
  EXPECT_EQ(gGraphicsFreed, 3);
  EXPECT_EQ(grid->GridObjects(7, 3), nullptr);
  EXPECT_EQ(grid->GridObjects(6, 7), nullptr);
}

TEST_F(BaseGridProperties, ReplacingPropertiesFreesTheOldGraphic) {
  grid->SetGraphicObjects(1, 1, new TCellGraphic);
  auto* fresh = new TCellProperties(grid.get(), 1, 1);
  grid->SetCellProperties(1, 1, fresh);
  EXPECT_EQ(gGraphicsFreed, 1);
  EXPECT_EQ(grid->CellProperties(1, 1), fresh);
  grid->SetCellProperties(1, 1, fresh);  // the same object again: kept, not freed
  EXPECT_EQ(grid->CellProperties(1, 1), fresh);
  fresh->SetReadOnly(true);
  // A graphic taken over by the new object stays.
  auto* g = new TCellGraphic;
  fresh->SetGraphicObject(g);
  auto* next = new TCellProperties(grid.get(), 1, 1);
  next->SetGraphicObject(g);
  grid->SetCellProperties(1, 1, next);
  EXPECT_EQ(gGraphicsFreed, 1);
  EXPECT_EQ(grid->GraphicObjects(1, 1), g);
}

TEST_F(BaseGridProperties, ResetDetachesWithoutFreeing) {
  grid->SetCells(1, 2, "a");
  TCellProperties* p = grid->CellProperties(1, 2);
  grid->ResetCell(1, 2);
  EXPECT_EQ(grid->Cells(1, 2), "");
  EXPECT_FALSE(grid->HasCellProperties(1, 2));
  grid->SetGridObjects(4, 4, p);  // moved elsewhere by the caller
  EXPECT_EQ(grid->CellProperties(4, 4), p);
  grid->SetCells(0, 3, "r");
  grid->CellProperties(0, 3);
  grid->CellProperties(5, 3);
  grid->ResetRowCells(3);
  EXPECT_FALSE(grid->HasCellProperties(0, 3));
  EXPECT_FALSE(grid->HasCellProperties(5, 3));
  EXPECT_EQ(grid->Cells(0, 3), "");
  grid->CellProperties(2, 0);
  grid->CellProperties(2, 7);
  grid->ResetColumnCells(2);
  EXPECT_FALSE(grid->HasCellProperties(2, 0));
  EXPECT_FALSE(grid->HasCellProperties(2, 7));
  // The detached objects are not lost: the grid frees them when it goes (the
  // sanitizer build would report them otherwise).
}

TEST_F(BaseGridProperties, DestructionFreesPropertiesEverywhere) {
  // Properties in hidden columns (kept beyond ColCount), detached ones, and a
  // graphic of the grid's class in each.
  grid->HiddenCols = 2;
  grid->SetColCount(8);
  grid->SetGraphicObjects(7, 1, new TCellGraphic);
  grid->SetGraphicObjects(6, 5, new TCellGraphic);
  grid->SetColCount(6);
  EXPECT_TRUE(grid->HasCellProperties(7, 1));  // inside TotalColCount
  grid->SetGraphicObjects(0, 0, new TCellGraphic);
  grid->ResetCell(0, 0);  // detached and never stored again
  grid->MergeCells(1, 1, 2, 2);
  TObject user;
  grid->SetObjects(3, 3, &user);
  grid.reset();
  EXPECT_EQ(gGraphicsFreed, 3);
}

// ---------------------------------------------------------------------------
// Merged cells

class BaseGridMerge : public BaseGridFixture {};

TEST_F(BaseGridMerge, ThreeByTwoBlock) {
  grid->MergeCells(1, 1, 3, 2);
  EXPECT_EQ(grid->MergeCount(), 1);
  TCellProperties* base = grid->CellProperties(1, 1);
  EXPECT_TRUE(base->IsBaseCell());
  EXPECT_EQ(base->CellSpanX(), 2);
  EXPECT_EQ(base->CellSpanY(), 1);
  TCellProperties* last = grid->CellProperties(3, 2);
  EXPECT_FALSE(last->IsBaseCell());
  EXPECT_EQ(last->CellSpanX(), 2);
  EXPECT_EQ(last->CellSpanY(), 1);
  EXPECT_EQ(grid->BaseCell(3, 2), TPoint(1, 1));
  EXPECT_EQ(grid->CellSpan(2, 2), TPoint(2, 1));
  EXPECT_EQ(grid->CellExt(2, 1), TPoint(1, 1));
  EXPECT_EQ(grid->CellExt(1, 1), TPoint(2, 1));
  EXPECT_EQ(grid->FullCell(3, 2), TRect(1, 1, 3, 2));
  for (int c = 1; c <= 3; ++c) {
    for (int r = 1; r <= 2; ++r) {
      const bool isBase = c == 1 && r == 1;
      EXPECT_TRUE(grid->IsMergedCell(c, r)) << c << "," << r;
      EXPECT_EQ(grid->IsMergedNonBaseCell(c, r), !isBase) << c << "," << r;
      EXPECT_EQ(grid->IsBaseCell(c, r), isBase) << c << "," << r;
      EXPECT_TRUE(grid->IsXMergedCell(c, r));
      EXPECT_TRUE(grid->IsYMergedCell(c, r));
      EXPECT_EQ(grid->BaseCell(c, r), TPoint(1, 1));
      int bc = -1, br = -1;
      EXPECT_EQ(grid->ResolveBaseCell(c, r, bc, br), isBase);
      EXPECT_EQ(TPoint(bc, br), TPoint(1, 1));
    }
  }
  EXPECT_FALSE(grid->IsMergedCell(4, 1));
  EXPECT_EQ(grid->BaseCell(4, 1), TPoint(4, 1));
  EXPECT_EQ(grid->CellSpan(0, 0), TPoint(0, 0));
  EXPECT_EQ(grid->FullCell(0, 0), TRect(0, 0, 0, 0));
}

TEST_F(BaseGridMerge, CoveredCellsReadAndWriteTheBaseCell) {
  grid->SetCells(1, 1, "base");
  grid->SetCells(3, 2, "hidden");
  grid->MergeCells(1, 1, 3, 2);
  EXPECT_EQ(grid->Cells(3, 2), "base");
  grid->Changed.clear();
  grid->SetCells(3, 2, "new");
  EXPECT_EQ(grid->GridCells(1, 1), "new");
  EXPECT_EQ(grid->GridCells(3, 2), "hidden");
  EXPECT_EQ(grid->Cells(2, 1), "new");
  ASSERT_EQ(grid->Changed.size(), 1u);
  EXPECT_EQ(grid->Changed[0], TPoint(1, 1));

  grid->SplitCells(2, 2);  // any cell of the block
  EXPECT_EQ(grid->MergeCount(), 0);
  EXPECT_EQ(grid->Cells(1, 1), "new");
  EXPECT_EQ(grid->Cells(3, 2), "hidden");
  EXPECT_EQ(grid->Cells(2, 1), "");
  for (int c = 1; c <= 3; ++c)
    for (int r = 1; r <= 2; ++r) {
      EXPECT_FALSE(grid->IsMergedCell(c, r));
      EXPECT_EQ(grid->CellProperties(c, r)->CellSpanX(), -1);
      EXPECT_TRUE(grid->IsBaseCell(c, r));
    }
}

TEST_F(BaseGridMerge, SingleCellBlocksAndBadBlocks) {
  grid->MergeCells(2, 2, 1, 1);
  TCellProperties* p = grid->CellProperties(2, 2);
  EXPECT_TRUE(p->IsBaseCell());
  EXPECT_EQ(p->CellSpanX(), 0);
  EXPECT_FALSE(grid->IsMergedCell(2, 2));
  EXPECT_EQ(grid->CellSpan(2, 2), TPoint(0, 0));
  grid->SetColWidths(2, 50);
  grid->SetRowHeights(2, 30);
  const TRect r = grid->CellRect(2, 2);
  EXPECT_EQ(r.Width(), 50);
  EXPECT_EQ(r.Height(), 30);
  EXPECT_EQ(grid->MergeCount(), 1);

  // Blocks reaching outside the grid, or empty, are refused and create nothing.
  grid->MergeCells(5, 6, 2, 1);
  grid->MergeCells(4, 7, 1, 2);
  grid->MergeCells(-1, 0, 2, 2);
  grid->MergeCells(0, 0, 0, 3);
  EXPECT_EQ(grid->MergeCount(), 1);
  EXPECT_FALSE(grid->HasCellProperties(5, 6));
  EXPECT_FALSE(grid->HasCellProperties(4, 7));
  EXPECT_FALSE(grid->HasCellProperties(0, 0));

  // Splitting a cell that is not merged leaves the count alone.
  grid->SplitCells(4, 4);
  grid->SplitCells(4, 4);
  EXPECT_EQ(grid->MergeCount(), 1);
  grid->MergeCells(0, 5, 2, 2);
  grid->SplitCells(1, 6);
  grid->SplitCells(1, 6);
  EXPECT_EQ(grid->MergeCount(), 1);
  grid->SplitCells(2, 2);  // the one-cell block
  EXPECT_EQ(grid->MergeCount(), 0);
}

TEST_F(BaseGridMerge, RowAndColumnSpans) {
  // Rows 1 and 2 share the vertical merge of column 1; row 3 lies in another.
  grid->MergeCells(1, 1, 1, 2);
  grid->MergeCells(1, 3, 1, 3);
  EXPECT_TRUE(grid->RowSpanIdentical(1, 2));
  EXPECT_FALSE(grid->RowSpanIdentical(2, 3));
  EXPECT_FALSE(grid->RowSpanIdentical(0, 6));  // no vertical merge at all
  EXPECT_EQ(grid->MinRowSpan(0), grid->RowCount());
  EXPECT_EQ(grid->MaxRowSpan(0), 0);
  grid->MergeCells(3, 1, 1, 3);
  EXPECT_EQ(grid->MinRowSpan(1), 1);
  EXPECT_EQ(grid->MaxRowSpan(2), 2);

  // Columns 2 and 3 lie in one horizontal merge in row 0 only.
  grid->MergeCells(2, 0, 2, 1);
  EXPECT_TRUE(grid->ColSpanIdentical(2, 3));
  EXPECT_FALSE(grid->ColSpanIdentical(4, 5));  // never merged
  grid->MergeCells(3, 6, 2, 1);  // row 6: only column 3 is in a horizontal merge
  EXPECT_FALSE(grid->ColSpanIdentical(2, 3));
  grid->MergeCells(3, 7, 2, 1);
  EXPECT_FALSE(grid->ColSpanIdentical(3, 4));  // in row 0 only column 3 is merged
}

TEST_F(BaseGridMerge, CellRectCoversTheBlockAlsoWhenScrolled) {
  grid->SetRowCount(40);
  grid->SetColCount(8);
  grid->SetBounds(0, 0, 300, 200);
  grid->MergeCells(1, 2, 2, 3);  // columns 1-2, rows 2-4
  const TRect whole = grid->CellRect(1, 2);
  EXPECT_EQ(grid->CellRect(2, 4), whole);
  EXPECT_EQ(whole.Width(), grid->ColWidths(1) + grid->ColWidths(2));
  EXPECT_EQ(whole.Height(), grid->RowHeights(2) + grid->RowHeights(3) + grid->RowHeights(4));
  EXPECT_EQ(grid->CellSize(2, 3), TPoint(whole.Width(), whole.Height()));

  grid->SetTopRow(4);  // the base cell's row is scrolled out
  const TRect top = grid->TStringGrid::CellRect(grid->LeftCol(), grid->TopRow());
  const TRect scrolled = grid->CellRect(2, 4);
  EXPECT_EQ(grid->CellRect(1, 2), scrolled);
  EXPECT_EQ(scrolled.Top, top.Top - grid->RowHeights(2) - grid->RowHeights(3));
  EXPECT_EQ(scrolled.Bottom, top.Top + grid->RowHeights(4));
  EXPECT_EQ(scrolled.Width(), whole.Width());
  // A single cell above the view lies above the client area, unclipped.
  const TRect above = grid->UnclippedCellRect(3, 1);
  EXPECT_EQ(above.Bottom, top.Top - grid->RowHeights(2) - grid->RowHeights(3));

  // A last column of width 0 still leaves the block all its rows.
  grid->SetTopRow(1);
  grid->SetColWidths(2, 0);
  const TRect narrow = grid->CellRect(1, 2);
  EXPECT_EQ(narrow.Height(), grid->RowHeights(2) + grid->RowHeights(3) + grid->RowHeights(4));
}

TEST_F(BaseGridMerge, SnapToBaseCellMovesTheCursor) {
  grid->MergeCells(2, 2, 2, 2);
  grid->SetCol(3);
  grid->SetRow(3);
  grid->SnapToBaseCell();
  EXPECT_EQ(grid->Col(), 2);
  EXPECT_EQ(grid->Row(), 2);
}

// ---------------------------------------------------------------------------
// Undo and redo

class GridUndoRedo : public BaseGridFixture {
 protected:
  void SetUp() override {
    BaseGridFixture::SetUp();
    undo = new TProGridUndoRedo(grid.get());
    grid->SetUndoRedo(undo);
  }
  // Writes a cell the way the grid records a user's change.
  void Change(int c, int r, const QString& v) {
    undo->RegisterChange(c, r, grid->Cells(c, r), v);
    grid->SetCells(c, r, v);
  }
  TProGridUndoRedo* undo = nullptr;  // owned by the grid
};

TEST_F(GridUndoRedo, HistoryWithoutAGrid) {
  TProGridUndoRedo u(nullptr);
  EXPECT_FALSE(u.CanUndo());
  EXPECT_FALSE(u.CanRedo());
  u.RegisterChange(1, 1, "", "A");
  EXPECT_TRUE(u.CanUndo());
  EXPECT_FALSE(u.CanRedo());
  u.Undo();  // no grid: nothing happens
  EXPECT_EQ(u.Level(), 1);
  u.Reset();
  EXPECT_FALSE(u.CanUndo());
  EXPECT_EQ(u.Items()->Count(), 0);
}

TEST_F(GridUndoRedo, UndoAndRedoSingleChanges) {
  EXPECT_EQ(undo->Grid(), grid.get());
  std::vector<std::pair<QString, QString>> undone, redone;
  undo->OnUndo = [&](TObject* Sender, TBaseGrid* g, int c, int r, const QString& o, const QString& n) {
    EXPECT_EQ(Sender, undo);
    EXPECT_EQ(g, grid.get());
    EXPECT_EQ(c, 1);
    EXPECT_EQ(r, 1);
    undone.push_back({o, n});
  };
  undo->OnRedo = [&](TObject*, TBaseGrid*, int, int, const QString& o, const QString& n) {
    redone.push_back({o, n});
  };
  Change(1, 1, "A");
  Change(1, 1, "B");
  grid->SetCol(4);
  undo->Undo();
  EXPECT_EQ(grid->Cells(1, 1), "A");
  EXPECT_EQ(grid->Col(), 1);  // the cursor follows the change
  EXPECT_EQ(grid->Row(), 1);
  ASSERT_EQ(undone.size(), 1u);
  EXPECT_EQ(undone[0], std::make_pair(QString("B"), QString("A")));
  undo->Undo();
  EXPECT_EQ(grid->Cells(1, 1), "");
  EXPECT_FALSE(undo->CanUndo());
  undo->Undo();  // nothing left
  EXPECT_EQ(undo->Level(), 0);
  undo->Redo();
  EXPECT_EQ(grid->Cells(1, 1), "A");
  undo->Redo();
  EXPECT_EQ(grid->Cells(1, 1), "B");
  EXPECT_FALSE(undo->CanRedo());
  ASSERT_EQ(redone.size(), 2u);
  EXPECT_EQ(redone[1], std::make_pair(QString("A"), QString("B")));
}

TEST_F(GridUndoRedo, SequencesAreOneStep) {
  Change(0, 0, "x");
  undo->StartSequence();
  Change(1, 1, "a");
  Change(2, 2, "b");
  Change(1, 1, "c");
  undo->StopSequence();
  std::vector<QString> order;
  undo->OnUndo = [&](TObject*, TBaseGrid*, int, int, const QString& o, const QString&) { order.push_back(o); };
  undo->Undo();
  EXPECT_EQ(order, (std::vector<QString>{"c", "b", "a"}));  // last change first
  EXPECT_EQ(grid->Cells(1, 1), "");
  EXPECT_EQ(grid->Cells(2, 2), "");
  EXPECT_EQ(grid->Cells(0, 0), "x");
  EXPECT_EQ(undo->Level(), 1);
  order.clear();
  undo->OnRedo = [&](TObject*, TBaseGrid*, int, int, const QString&, const QString& n) { order.push_back(n); };
  undo->Redo();
  EXPECT_EQ(order, (std::vector<QString>{"a", "b", "c"}));  // first change first
  EXPECT_EQ(grid->Cells(1, 1), "c");
  EXPECT_EQ(undo->Level(), undo->Items()->Count());
}

TEST_F(GridUndoRedo, MaxLevelAndChangesAfterUndo) {
  undo->SetMaxLevel(3);
  for (const char* v : {"1", "2", "3", "4"}) Change(0, 1, v);
  EXPECT_EQ(undo->Items()->Count(), 3);
  EXPECT_EQ(undo->Items()->Items(0)->Value(), "2");

  undo->Reset();
  undo->SetMaxLevel(0);
  Change(0, 2, "a");
  Change(0, 2, "b");
  undo->Undo();
  EXPECT_TRUE(undo->CanRedo());
  Change(0, 3, "n");  // appended after the undone change, which stays
  EXPECT_EQ(undo->Items()->Count(), 3);
  EXPECT_EQ(undo->Level(), 3);
  EXPECT_FALSE(undo->CanRedo());
  undo->Undo();
  EXPECT_EQ(grid->Cells(0, 3), "");
  undo->Undo();  // the undone change once more
  EXPECT_EQ(grid->Cells(0, 2), "a");
}

TEST_F(GridUndoRedo, TrimmedSequencesNeverPushLevelBelowZero) {
  // Trimming drops the start marker of the sequence; its stop marker remains.
  undo->SetMaxLevel(4);
  undo->StartSequence();
  Change(1, 1, "a");
  Change(2, 1, "b");
  Change(3, 1, "c");
  undo->StopSequence();
  ASSERT_EQ(undo->Items()->Count(), 4);
  EXPECT_FALSE(undo->Items()->Items(0)->SequenceStart());
  undo->Undo();
  EXPECT_EQ(undo->Level(), 0);
  EXPECT_EQ(grid->Cells(2, 1), "");
  EXPECT_EQ(grid->Cells(3, 1), "");
  undo->Undo();
  EXPECT_EQ(undo->Level(), 0);

  // Markers out of pairs are stepped over, never written into a cell.
  undo->Reset();
  undo->SetMaxLevel(0);
  grid->SetCells(0, 0, "keep");
  undo->StopSequence();
  undo->StartSequence();
  std::vector<int> cols;
  undo->OnUndo = [&](TObject*, TBaseGrid*, int c, int, const QString&, const QString&) { cols.push_back(c); };
  undo->OnRedo = undo->OnUndo;
  undo->Undo();  // the open start marker
  undo->Undo();  // the lone stop marker
  EXPECT_EQ(undo->Level(), 0);
  undo->Redo();
  undo->Redo();
  EXPECT_EQ(undo->Level(), 2);
  EXPECT_TRUE(cols.empty());
  EXPECT_EQ(grid->Cells(0, 0), "keep");
}

TEST_F(GridUndoRedo, LinksAreForgottenWhenEitherSideGoes) {
  delete undo;
  EXPECT_EQ(grid->UndoRedo(), nullptr);
  auto other = std::make_unique<TProGridUndoRedo>(nullptr);
  grid->SetUndoRedo(other.get());
  EXPECT_EQ(other->Grid(), grid.get());
  grid.reset();
  EXPECT_EQ(other->Grid(), nullptr);
  other->Undo();  // no grid: nothing
}

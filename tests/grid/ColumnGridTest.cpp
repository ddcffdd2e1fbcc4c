// The column grid: its column items and the per-cell answers it takes from them.
#include <gtest/gtest.h>

#include <QScopeGuard>
#include <vector>

#include "grid/ProCGrid.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/TestHooks.h"

namespace {

// Moves columns as the user's header drag does.
class TMovableColumnGrid : public TProColumnGrid {
 public:
  using TProColumnGrid::TProColumnGrid;
  using TProColumnGrid::MoveColumn;
  // A mouse press on the grid.
  void Press(TMouseButton Button, int X, int Y) { MouseDown(Button, TShiftState(), X, Y); }
};

}  // namespace

TEST(ColumnGrid, NewGridHasFiveItemsWithTheirDefaults) {
  TProColumnGrid g(nullptr);
  ASSERT_EQ(g.Columns()->Count(), 5);
  for (int i = 0; i < 5; ++i) {
    TGridColumnItem* c = g.Columns()->Items(i);
    EXPECT_EQ(c->CheckTrue(), "Y");
    EXPECT_EQ(c->CheckFalse(), "N");
    EXPECT_EQ(c->DropDownCount(), 8);
    EXPECT_EQ(c->SpinStep(), 1);
    EXPECT_EQ(c->PrintColor(), TColor(0xFFFFFF));
    EXPECT_EQ(c->PrintBorders(), (TCellBorders{cbTop, cbLeft, cbRight, cbBottom}));
    EXPECT_EQ(c->Editor(), edNormal);
    EXPECT_EQ(c->Color(), g.Color());
    EXPECT_EQ(c->Width(), g.ColWidths(i));
  }
  EXPECT_EQ(g.Version(), "3.1.3.1");
  EXPECT_EQ(g.GetVersionString(), "3.1.3.1 Aug, 2012");
  EXPECT_EQ(g.ColumnByName(QStringLiteral("x")), nullptr);
  g.Columns()->Items(3)->SetName(QStringLiteral("x"));
  EXPECT_EQ(g.ColumnByName(QStringLiteral("x")), g.Columns()->Items(3));
  EXPECT_EQ(g.ColumnByName(QStringLiteral("X")), nullptr);
  EXPECT_EQ(g.Columns()->Items(3)->DisplayName(), "Col 3: x");
  EXPECT_EQ(g.Columns()->Items(2)->DisplayName(), "Column 2");
}

TEST(ColumnGrid, ColCountAddsItemsThatCopyTheLastLookAndFreesItems) {
  TProColumnGrid g(nullptr);
  TGridColumnItem* last = g.Columns()->Items(4);
  last->SetEditor(edDataCheckBox);
  last->SetAlignment(taCenter);
  last->SetReadOnly(true);
  last->SetCheckTrue(QStringLiteral("1"));
  last->SetHeader(QStringLiteral("H"));
  last->SetName(QStringLiteral("n"));
  last->ComboItems()->Add(QStringLiteral("a"));
  g.SetColCount(8);
  ASSERT_EQ(g.Columns()->Count(), 8);
  for (int i = 5; i < 8; ++i) {
    TGridColumnItem* c = g.Columns()->Items(i);
    EXPECT_EQ(c->Editor(), edDataCheckBox);
    EXPECT_EQ(c->Alignment(), taCenter);
    EXPECT_TRUE(c->ReadOnly());
    EXPECT_EQ(c->CheckTrue(), "1");
    // Header, name and combo items are the column's own.
    EXPECT_EQ(c->Header(), QString());
    EXPECT_EQ(c->Name(), QString());
    EXPECT_EQ(c->ComboItems()->Count(), 0);
  }
  g.SetColCount(3);
  EXPECT_EQ(g.Columns()->Count(), 3);
  EXPECT_EQ(g.ColCount(), 3);
}

TEST(ColumnGrid, ItemsFollowHiddenColumnsAndAddingItemsGrowsTheGrid) {
  TProColumnGrid g(nullptr);
  g.HideColumn(2);
  EXPECT_EQ(g.ColCount(), 4);
  g.SetColCount(4);
  EXPECT_EQ(g.Columns()->Count(), 5);  // one per real column, the hidden one too
  g.Columns()->Add();
  EXPECT_EQ(g.ColCount(), 5);
  EXPECT_EQ(g.Columns()->Count(), 6);
}

TEST(ColumnGrid, HeaderReachesRowZeroAndWidthTheGrid) {
  TProColumnGrid g(nullptr);
  g.Columns()->Items(2)->SetHeader(QStringLiteral("Name"));
  EXPECT_EQ(g.Cells(2, 0), "Name");
  g.Columns()->Items(1)->SetWidth(77);
  EXPECT_EQ(g.ColWidths(1), 77);
  g.SetColWidths(3, 41);
  EXPECT_EQ(g.Columns()->Items(3)->Width(), 41);
  // A header written into row 0 is taken over by an item without one.
  g.SetCells(4, 0, QStringLiteral("Typed"));
  g.Columns()->Items(1)->SetColor(clRed);
  EXPECT_EQ(g.Columns()->Items(4)->Header(), "Typed");
  // Without fixed rows the header is only stored.
  g.SetFixedRows(0);
  g.Columns()->Items(3)->SetHeader(QStringLiteral("Kept"));
  EXPECT_EQ(g.Cells(3, 0), QString());
  EXPECT_EQ(g.Columns()->Items(3)->Header(), "Kept");
}

TEST(ColumnGrid, DataCheckBoxColumnReportsItsKinds) {
  TProColumnGrid g(nullptr);
  g.Columns()->Items(2)->SetEditor(edDataCheckBox);
  EXPECT_EQ(g.GetCellType(2, 3), ctDataCheckBox);
  TCellGraphic* gr = g.GetCellGraphic(2, 3);
  ASSERT_NE(gr, nullptr);
  EXPECT_EQ(gr->CellType(), ctVirtCheckBox);
  // Fixed cells and other columns are no check boxes.
  EXPECT_EQ(g.GetCellType(2, 0), ctEmpty);
  EXPECT_EQ(g.GetCellType(1, 3), ctEmpty);
  EXPECT_EQ(g.GetCellGraphic(2, 0), nullptr);
  // A cell's own graphic wins over the column's.
  g.AddCheckBox(2, 4, true, false);
  EXPECT_EQ(g.GetCellType(2, 4), ctCheckBox);
  // Removing the shared box frees nothing.
  EXPECT_TRUE(g.RemoveCellGraphic(2, 5));
  EXPECT_EQ(g.GetCellGraphic(2, 6), gr);
  EXPECT_TRUE(g.HasDataCheckBox(2, 5));
  EXPECT_TRUE(g.IsControlCell(2, 5));
}

TEST(ColumnGrid, ColumnCheckTextsDecideTheState) {
  TProColumnGrid g(nullptr);
  TGridColumnItem* c = g.Columns()->Items(2);
  c->SetEditor(edDataCheckBox);
  c->SetCheckTrue(QStringLiteral("1"));
  c->SetCheckFalse(QStringLiteral("0"));
  // The grid's own handler is overruled by the column.
  g.OnGetCheckTrue = [](TObject*, int, int, QString& v) { v = QStringLiteral("T"); };
  g.SetCells(2, 1, QStringLiteral("1"));
  g.SetCells(2, 2, QStringLiteral("Y"));
  EXPECT_TRUE(g.IsChecked(2, 1));
  EXPECT_FALSE(g.IsChecked(2, 2));
  EXPECT_FALSE(g.IsChecked(2, 3));  // empty: unchecked
  EXPECT_TRUE(g.SetCheckBoxState(2, 3, true));
  EXPECT_EQ(g.Cells(2, 3), "1");
  std::vector<bool> changes;
  g.OnCheckBoxChange = [&](TObject*, int, int, bool s) { changes.push_back(s); };
  EXPECT_TRUE(g.SetCheckBoxState(2, 3, false));
  EXPECT_EQ(g.Cells(2, 3), "0");
  EXPECT_TRUE(changes.empty());
  EXPECT_TRUE(g.DoToggleCheckBox(2, 3, true));
  EXPECT_EQ(g.Cells(2, 3), "1");
  EXPECT_EQ(changes, std::vector<bool>{true});
  // Outside the normal cells the grid's texts apply.
  QString v;
  g.GetCheckTrue(2, 0, v);
  EXPECT_EQ(v, "T");
}

TEST(ColumnGrid, ReadOnlyAndFixedColumnsAndFixedCellsRefuseEditing) {
  TProColumnGrid g(nullptr);
  g.Columns()->Items(2)->SetReadOnly(true);
  g.Columns()->Items(3)->SetFixed(true);
  auto editable = [&](int c, int r) {
    bool e = true;
    g.CanEditCell(c, r, e);
    return e;
  };
  EXPECT_TRUE(editable(1, 1));  // whatever goEditing says
  EXPECT_FALSE(editable(2, 1));
  EXPECT_FALSE(editable(3, 1));
  EXPECT_FALSE(editable(0, 1));
  EXPECT_FALSE(editable(1, 0));
  g.GetCellProperties(4, 2)->SetReadOnly(true);
  EXPECT_FALSE(editable(4, 2));
  EXPECT_TRUE(editable(4, 3));
  // The handler has the last word, with row before column.
  std::vector<std::pair<int, int>> asked;
  g.OnCanEditCell = [&](TObject*, int r, int c, bool& e) {
    asked.emplace_back(c, r);
    e = true;
  };
  EXPECT_TRUE(editable(2, 1));
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], std::make_pair(2, 1));
  // A read-only column's check box is not toggled by the user.
  g.OnCanEditCell = nullptr;
  g.Columns()->Items(2)->SetEditor(edDataCheckBox);
  EXPECT_FALSE(g.DoToggleCheckBox(2, 1, true));
  EXPECT_EQ(g.Cells(2, 1), QString());
  // A fixed column counts as fixed.
  bool fixed = false;
  g.IsFixedCell(3, 1, fixed);
  EXPECT_TRUE(fixed);
  fixed = false;
  g.IsFixedCell(1, 1, fixed);
  EXPECT_FALSE(fixed);
}

TEST(ColumnGrid, EditorSettingsComeFromTheColumnAndTheNumberFormatIsRestored) {
  TProColumnGrid g(nullptr);
  TGridColumnItem* c = g.Columns()->Items(2);
  c->SetEditor(edComboList);
  c->SetDropDownCount(12);
  c->SetFloatFormat(QStringLiteral("%.3f"));
  const QString gridFormat = g.FloatFormat();
  QString seen;
  g.OnGetEditorType = [&](TObject*, int, int, TEditorType&) { seen = g.FloatFormat(); };
  TEditorType e = edNormal;
  g.GetCellEditor(2, 1, e);
  EXPECT_EQ(e, edComboList);
  EXPECT_EQ(g.ControlLook()->DropDownCount(), 12);
  EXPECT_EQ(seen, "%.3f");
  // The other columns keep the grid's format.
  EXPECT_EQ(g.FloatFormat(), gridFormat);
  EXPECT_EQ(g.GetCellFloatFormat(1, 1), gridFormat);
  EXPECT_EQ(g.GetCellFloatFormat(2, 1), "%.3f");
  EXPECT_TRUE(g.HasComboBox(2, 1));
  EXPECT_FALSE(g.HasComboBox(2, 0));
  EXPECT_FALSE(g.HasComboBox(1, 1));
  // The fixed rows keep the caller's editor.
  e = edNormal;
  g.OnGetEditorType = nullptr;
  g.GetCellEditor(2, 0, e);
  EXPECT_EQ(e, edNormal);
}

TEST(ColumnGrid, AlignmentPasswordAndSortFormatFromTheColumn) {
  TProColumnGrid g(nullptr);
  TGridColumnItem* c = g.Columns()->Items(1);
  c->SetAlignment(taCenter);
  c->SetHeaderAlignment(taRightJustify);
  c->SetPassword(true);
  c->SetSortStyle(ssNumeric);
  c->SetSortPrefix(QStringLiteral("$"));
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  g.GetCellAlignment(1, 1, ha, va);
  EXPECT_EQ(ha, taCenter);
  g.GetCellAlignment(1, 0, ha, va);
  EXPECT_EQ(ha, taRightJustify);
  bool pw = false;
  g.IsPasswordCell(1, 1, pw);
  EXPECT_TRUE(pw);
  TSortStyle st = ssAutomatic;
  QString pre, suf;
  g.GetCellFormat(1, st, pre, suf);
  EXPECT_EQ(st, ssNumeric);
  EXPECT_EQ(pre, "$");
}

TEST(ColumnGrid, MovingAColumnMovesItsItem) {
  TMovableColumnGrid g(nullptr);
  g.Columns()->Items(1)->SetName(QStringLiteral("one"));
  g.Columns()->Items(1)->SetColumnPopupType(cpNormalCellsLClick);
  g.Columns()->Items(1)->SetPrintFontCustom(false);
  g.Columns()->Items(3)->SetName(QStringLiteral("three"));
  std::vector<std::pair<int, int>> moved;
  g.OnAfterColumnMoved = [&](TObject*, int f, int t) { moved.emplace_back(f, t); };
  g.MoveColumn(1, 3);
  EXPECT_EQ(g.Columns()->Count(), 5);
  EXPECT_EQ(g.Columns()->Items(3)->Name(), "one");
  // The whole item moves, its popup type and print switches too.
  EXPECT_EQ(g.Columns()->Items(3)->ColumnPopupType(), cpNormalCellsLClick);
  EXPECT_FALSE(g.Columns()->Items(3)->PrintFontCustom());
  EXPECT_EQ(g.Columns()->Items(2)->Name(), "three");
  ASSERT_EQ(moved.size(), 1u);
  EXPECT_EQ(moved[0], std::make_pair(1, 3));
}

TEST(ColumnGrid, ColoursAndFontsFromTheColumnThenTheCell) {
  TProColumnGrid g(nullptr);
  TGridColumnItem* c = g.Columns()->Items(2);
  c->SetColor(TColor(0x00FF00));
  c->Font()->SetSize(15);
  c->HeaderFont()->SetSize(9);
  TBrush brush;
  TFont font;
  g.GetCellColor(2, 1, TGridDrawState(), &brush, &font);
  EXPECT_EQ(brush.Color(), TColor(0x00FF00));
  EXPECT_EQ(font.Size(), 15);
  g.GetCellColor(2, 0, TGridDrawState(), &brush, &font);
  EXPECT_EQ(font.Size(), 9);
  // A cell's own colour wins; a Fixed column takes the fixed colour.
  g.GetCellProperties(2, 3)->SetBrushColor(TColor(0x0000FF));
  g.GetCellColor(2, 3, TGridDrawState(), &brush, &font);
  EXPECT_EQ(brush.Color(), TColor(0x0000FF));
  c->SetFixed(true);
  g.GetCellColor(2, 1, TGridDrawState(), &brush, &font);
  EXPECT_EQ(brush.Color(), g.FixedColor());
  // Printing: the print colour, the print font unless the column says otherwise.
  c->SetFixed(false);
  c->PrintFont()->SetSize(21);
  g.GetCellPrintColor(2, 1, TGridDrawState(), &brush, &font);
  EXPECT_EQ(brush.Color(), TColor(0xFFFFFF));
  EXPECT_EQ(font.Size(), 21);
  c->SetPrintFontCustom(false);
  g.GetCellPrintColor(2, 1, TGridDrawState(), &brush, &font);
  EXPECT_EQ(font.Size(), g.PrintSettings()->Font()->Size());
}

TEST(ColumnGrid, ColumnSizeLimits) {
  TProColumnGrid g(nullptr);
  TGridColumnItem* c = g.Columns()->Items(1);
  c->SetMinSize(30);
  c->SetMaxSize(200);
  c->SetAutoMaxSize(120);
  const struct {
    int In, Sized, Auto;
  } cases[] = {{10, 30, 10}, {100, 100, 100}, {150, 150, 120}, {500, 200, 120}};
  for (const auto& k : cases) {
    int w = k.In;
    g.UpdateColumnSize(1, w);
    EXPECT_EQ(w, k.Sized) << k.In;
    w = k.In;
    g.UpdateAutoColumnSize(1, w);
    EXPECT_EQ(w, k.Auto) << k.In;
  }
  int w = 5;
  g.UpdateColumnSize(2, w);  // no limits
  EXPECT_EQ(w, 5);
}

TEST(ColumnGrid, NumbersShowInTheColumnFormat) {
  TProColumnGrid g(nullptr);
  g.Columns()->Items(1)->SetFloatFormat(QStringLiteral("%.2f"));
  g.SetCells(1, 1, QStringLiteral("3"));
  g.SetCells(1, 2, QStringLiteral("abc"));
  g.SetCells(2, 1, QStringLiteral("3"));
  EXPECT_EQ(g.GetFormattedCell(1, 1), "3.00");
  EXPECT_EQ(g.GetFormattedCell(1, 2), "abc");
  EXPECT_EQ(g.GetFormattedCell(2, 1), "3");
  // A format that takes no number leaves the text.
  g.Columns()->Items(1)->SetFloatFormat(QStringLiteral("%d"));
  EXPECT_EQ(g.GetFormattedCell(1, 1), "3");
  // The handler may set the format.
  g.OnGetFloatFormat = [](TObject*, int c, int, bool&, QString& f) {
    if (c == 2) f = QStringLiteral("%.1f");
  };
  EXPECT_EQ(g.GetFormattedCell(2, 1), "3.0");
}

TEST(ColumnGrid, ColumnPopupOpensBelowTheCellForTheClicksItsTypeNames) {
  TForm form(nullptr);
  auto* grid = new TMovableColumnGrid(&form);
  grid->SetParent(&form);
  TMovableColumnGrid& g = *grid;
  auto* menu = new TPopupMenu(nullptr);
  std::vector<TPoint> opened;
  TestHooks::SetPopupMenuHook([&](TPopupMenu* m, int x, int y) -> TMenuItem* {
    EXPECT_EQ(m, menu);
    opened.push_back(TPoint{x, y});
    return nullptr;
  });
  auto done = qScopeGuard([] { TestHooks::SetPopupMenuHook(nullptr); });
  std::vector<std::pair<int, int>> events;
  g.OnColumnPopup = [&](TObject*, int c, int r, TPopupMenu*) { events.emplace_back(c, r); };
  g.Columns()->Items(2)->SetColumnPopup(menu);
  auto click = [&](TMouseButton b, int c, int r) {
    const TRect R = g.CellRect(c, r);
    g.Press(b, R.Left + 3, R.Top + 3);
  };
  // Default: a right click on a fixed cell of the column.
  click(mbLeft, 2, 0);
  EXPECT_TRUE(opened.empty());
  click(mbRight, 2, 3);  // the event fires, the menu stays shut on a normal row
  EXPECT_EQ(events.size(), 1u);
  EXPECT_TRUE(opened.empty());
  click(mbRight, 2, 0);
  ASSERT_EQ(opened.size(), 1u);
  const TRect R = g.CellRect(2, 0);
  EXPECT_EQ(opened[0], g.ClientToScreen(TPoint{R.Left, R.Bottom}));
  click(mbRight, 1, 0);  // another column
  EXPECT_EQ(opened.size(), 1u);
  g.Columns()->Items(2)->SetColumnPopupType(cpNormalCellsLClick);
  click(mbLeft, 2, 4);
  EXPECT_EQ(opened.size(), 2u);
  // A destroyed menu is forgotten by its column.
  delete menu;
  EXPECT_EQ(g.Columns()->Items(2)->ColumnPopup(), nullptr);
  click(mbLeft, 2, 4);
  EXPECT_EQ(opened.size(), 2u);
}

TEST(ColumnGrid, EditMaskAndLengthFromTheColumn) {
  class TEditGrid : public TProColumnGrid {
   public:
    using TProColumnGrid::TProColumnGrid;
    using TProColumnGrid::GetEditLimit;
    using TProColumnGrid::GetEditMask;
  } g(nullptr);
  g.Columns()->Items(2)->SetEditMask(QStringLiteral("999"));
  g.Columns()->Items(2)->SetEditLength(3);
  EXPECT_EQ(g.GetEditMask(2, 1), "999");
  EXPECT_EQ(g.GetEditMask(1, 1), QString());
  g.FocusCell(2, 1);
  EXPECT_EQ(g.GetEditLimit(), 3);
  // With a hidden column the display column is mapped to its item.
  g.HideColumn(1);
  EXPECT_EQ(g.GetEditMask(1, 1), "999");
}

TEST(ColumnGrid, LoadedBringsItemsInStepAndNumbersTheDefinedOrder) {
  class TLoadGrid : public TProColumnGrid {
   public:
    using TProColumnGrid::TProColumnGrid;
    void RunLoaded() { Loaded(); }
  } g(nullptr);
  // A window definition set the column count without the items following.
  g.TProStringGrid::SetColCount(8);
  ASSERT_EQ(g.Columns()->Count(), 5);
  g.RunLoaded();
  EXPECT_EQ(g.ColCount(), 8);
  ASSERT_EQ(g.Columns()->Count(), 8);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(g.Columns()->Items(i)->DefIdx(), i);
}

TEST(ColumnGrid, BordersFromTheColumn) {
  TProColumnGrid g(nullptr);
  TGridColumnItem* c = g.Columns()->Items(1);
  c->SetBorders(TCellBorders{cbLeft, cbBottom});
  c->BorderPen()->SetWidth(2);
  TPen pen;
  TCellBorders b;
  g.GetCellBorder(1, 2, &pen, b);
  EXPECT_EQ(b, (TCellBorders{cbLeft, cbBottom}));
  EXPECT_EQ(pen.Width(), 2);
  EXPECT_EQ(pen.Color(), TColor(0xC0C0C0));
  b = TCellBorders();
  g.GetCellBorder(1, 0, &pen, b);  // fixed row: the caller's
  EXPECT_TRUE(b.empty());
  g.GetCellPrintBorder(1, 2, &pen, b);
  EXPECT_EQ(b, (TCellBorders{cbTop, cbLeft, cbRight, cbBottom}));
  EXPECT_EQ(pen.Color(), TColor(0));
  c->SetPrintBorderCustom(false);
  b = TCellBorders();
  g.GetCellPrintBorder(1, 2, &pen, b);
  EXPECT_TRUE(b.empty());
}

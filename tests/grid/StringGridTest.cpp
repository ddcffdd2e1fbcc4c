// The string grid's defaults, loading and dimensions.
#include <gtest/gtest.h>

#include "grid/ProGrid.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/Forms.h"

namespace {

// A grid whose window definition is read: property settings between
// BeginLoading and EndLoading.
class TLoadingGrid : public TProStringGrid {
 public:
  TLoadingGrid() : TProStringGrid(nullptr) {}
};

}  // namespace

TEST(StringGridLife, DefaultsOfANewGrid) {
  TProStringGrid g(nullptr);
  EXPECT_EQ(g.ColCount(), 5);
  EXPECT_EQ(g.RowCount(), 10);
  EXPECT_EQ(g.FixedRows(), 1);
  EXPECT_EQ(g.FixedCols(), 1);
  EXPECT_EQ(g.DefaultRowHeight(), 22);
  EXPECT_EQ(g.FixedRowHeight(), 22);
  EXPECT_EQ(g.DefaultColWidth(), 64);
  EXPECT_EQ(g.FixedColWidth(), 64);
  EXPECT_EQ(g.Width(), 400);
  EXPECT_EQ(g.Height(), 250);
  EXPECT_EQ(g.CheckTrue(), "Y");
  EXPECT_EQ(g.CheckFalse(), "N");
  EXPECT_EQ(g.FloatFormat(), "%.2f");
  EXPECT_EQ(g.PasswordChar(), u'*');
  EXPECT_EQ(g.FilterDropDownClear(), "(All)");
  EXPECT_EQ(g.XMLEncoding(), "ISO-8859-1");
  EXPECT_EQ(g.FixedFont()->Name(), "Tahoma");
  EXPECT_EQ(g.FixedFont()->Style(), TFontStyles{fsBold});
  EXPECT_EQ(g.ActiveCellFont()->Style(), TFontStyles{fsBold});
  EXPECT_EQ(g.ActiveCellColor(), TColor(0x808080));
  EXPECT_EQ(g.ActiveCellColorTo(), clNone);
  EXPECT_EQ(g.SelectionColor(), TColor(0xEACAB6));
  EXPECT_EQ(g.SelectionColorTo(), clNone);
  EXPECT_EQ(g.SelectionTextColor(), TColor(0));
  EXPECT_EQ(g.SelectionColorMixerFactor(), 50);
  EXPECT_EQ(g.HintColor(), clInfoBk);
  EXPECT_EQ(g.HighlightColor(), clHighlight);
  EXPECT_EQ(g.HighlightTextColor(), clHighlightText);
  EXPECT_EQ(g.URLColor(), TColor(0xFF0000));
  EXPECT_EQ(g.DisabledFontColor(), TColor(0xC0C0C0));
  EXPECT_EQ(g.BorderColor(), TColor(0xB99D7F));
  EXPECT_EQ(g.Look(), glXP);
  EXPECT_EQ(g.ScrollBars(), ssBoth);
  EXPECT_EQ(g.ScrollType(), ssNormal);
  EXPECT_EQ(g.ScrollColor(), clNone);
  EXPECT_EQ(g.ScrollWidth(), 17);
  EXPECT_EQ(g.ScrollBarAlways(), saNone);
  EXPECT_EQ(g.ScrollHints(), shNone);
  EXPECT_TRUE(g.EnableHTML() && g.EnableWheel() && g.ShowSelection() && g.ShowDesignHelper() &&
              g.EnhRowColMove() && g.AutoFilterUpdate() && g.FilterNormalCellsOnly() &&
              g.UseInternalHintClass() && g.IntelliZoom() && g.WordWrap());
  EXPECT_FALSE(g.FixedRowAlways() || g.FixedColAlways() || g.IntegralHeight() || g.AutoSize() ||
               g.AutoThemeAdapt() || g.HintShowCells() || g.HTMLHint() || g.URLShow() ||
               g.ActiveCellShow() || g.FilterDropDownAuto() || g.FilterDropDownCheck());
  EXPECT_EQ(g.FilterDropDownColumns(), fdNormal);
  EXPECT_EQ(g.FilterDropDownRow(), 0);
  EXPECT_EQ(g.InvalidEntryIcon(), ieWarning);
  EXPECT_EQ(g.XYOffset(), TPoint(2, 2));
  EXPECT_TRUE(g.SaveFixedCells() && g.SaveVirtCells() && g.SaveWithHTML() && g.QuoteEmptyCells());
  EXPECT_FALSE(g.SaveFixedRows() || g.SaveFixedCols() || g.SaveHiddenCells() || g.AlwaysQuotes() ||
               g.JavaCSV());
  EXPECT_TRUE(g.Delimiter().isNull());
  EXPECT_EQ(g.PrintPageFrom(), 1);
  EXPECT_EQ(g.PrintPageTo(), 1);
  EXPECT_EQ(g.FixedFooters(), 0);
  EXPECT_EQ(g.FixedRightCols(), 0);
  EXPECT_EQ(g.DefaultAlignment(), taLeftJustify);
  EXPECT_EQ(g.VAlignment(), vtaTop);
  EXPECT_EQ(g.ColumnSize()->StretchColumn(), -1);
  EXPECT_EQ(g.ColumnSize()->Rows(), arAll);
  EXPECT_EQ(g.Version(), "6.2.1.3");
  EXPECT_EQ(g.GetVersionString(), "6.2.1.3 Sep, 2012");
  g.SetVersion("1.0.0.0");
  EXPECT_EQ(g.Version(), "6.2.1.3");
}

TEST(StringGridLife, LoadingRecordsMinimaAndTakesOverTheAlwaysShownEditor) {
  TLoadingGrid g;
  g.BeginLoading();
  g.SetFixedRows(3);
  g.SetOptions(g.Options() + TGridOptions{goAlwaysShowEditor});
  g.SetRowCount(20);
  g.EndLoading();
  EXPECT_TRUE(g.IsLoaded());
  EXPECT_TRUE(g.Navigation()->AlwaysEdit());
  EXPECT_FALSE(g.Options().contains(goAlwaysShowEditor));
  EXPECT_EQ(g.MaxRowCount(), 20);
  // The fixed rows read during loading are the minimum that FixedRowAlways restores.
  g.SetFixedRowAlways(true);
  g.SetRowCount(3);
  EXPECT_EQ(g.RowCount(), 3);
  g.SetRowCount(8);
  EXPECT_EQ(g.FixedRows(), 3);
}

TEST(StringGridDimensions, FixedRowAlwaysKeepsTheHeaderThroughAnEmptyGrid) {
  TProStringGrid g(nullptr);
  g.SetFixedRowAlways(true);
  g.SetRowCount(1);
  EXPECT_EQ(g.TBaseGrid::FixedRows(), 0);
  EXPECT_EQ(g.FixedRows(), 1);
  g.SetRowCount(10);
  EXPECT_EQ(g.TBaseGrid::FixedRows(), 1);
  // A fixed count not below the row count leaves one normal row.
  g.SetRowCount(3);
  g.SetFixedRows(3);
  EXPECT_EQ(g.TBaseGrid::FixedRows(), 2);
  EXPECT_EQ(g.MaxRowCount(), 10);
}

TEST(StringGridDimensions, FixedSizesAndIntegralHeight) {
  TProStringGrid g(nullptr);
  g.SetColWidths(0, 30);
  g.SetFixedColWidth(g.DefaultColWidth());
  EXPECT_EQ(g.ColWidths(0), 30);
  g.SetFixedColWidth(40);
  EXPECT_EQ(g.ColWidths(0), 40);
  EXPECT_EQ(g.FixedColWidth(), 40);

  g.SetFixedRowHeight(30);
  EXPECT_EQ(g.RowHeights(0), 30);
  EXPECT_EQ(g.RowHeights(1), 22);
  g.SetRowHeights(4, 50);
  g.SetFixedRowHeight(g.DefaultRowHeight());
  EXPECT_EQ(g.RowHeights(0), 22);
  EXPECT_EQ(g.RowHeights(4), 22);

  g.SetColCount(2);
  g.SetBorderStyle(bsSingle);
  g.SetIntegralHeight(true);
  g.SetBounds(0, 0, 400, 250);
  EXPECT_EQ(g.Height(), 246);
}

TEST(StringGridDimensions, DefaultRowHeightSizesTheFloatingFooter) {
  TProStringGrid g(nullptr);
  g.SetDefaultRowHeight(25);
  EXPECT_EQ(g.FloatingFooter()->Height(), 25);
  g.FloatingFooter()->SetVisible(true);
  EXPECT_EQ(g.FooterPanel()->Height(), 24);
  // The footer row stays the last row when rows are added.
  g.SetCells(1, 9, "sum");
  g.SetRowCount(12);
  EXPECT_EQ(g.Cells(1, 11), "sum");
  EXPECT_EQ(g.Cells(1, 9), "");
}

TEST(StringGridUnit, SharedNumbersOfTheUnit) {
  TProStringGrid a(nullptr), b(nullptr);
  EXPECT_NE(GridClipboardFormat(), 0);
  EXPECT_EQ(GridClipboardFormat(), RegisterClipboardFormat("TProStringGrid Cells"));
  EXPECT_EQ(GridEditDoneMessage(), RegisterWindowMessage("GridEditDone"));
  EXPECT_EQ(DTPShiftFocusMessage(), RegisterWindowMessage("DTPShiftFocus"));
  EXPECT_NE(GridEditDoneMessage(), DTPShiftFocusMessage());
  EXPECT_TRUE(GridCommonControlsFlag());
}

TEST(StringGridForm, TwoGridsFollowTheFormAndGoInEitherOrder) {
  for (bool firstGoesFirst : {true, false}) {
    TForm* form = NewForm<TForm>(nullptr);
    form->SetBounds(0, 0, 600, 400);
    int formResizes = 0;
    form->OnResize = [&](TObject*) { ++formResizes; };
    auto* a = new TProStringGrid(form);
    auto* b = new TProStringGrid(form);
    for (TProStringGrid* g : {a, b}) {
      g->SetParent(form);
      g->SetSizeWithForm(true);
    }
    form->Show();
    form->SetBounds(0, 0, 650, 420);
    EXPECT_EQ(a->Width(), 450);
    EXPECT_EQ(b->Height(), 270);
    EXPECT_GE(formResizes, 1);
    delete (firstGoesFirst ? a : b);
    const int before = formResizes;
    form->SetBounds(0, 0, 700, 450);
    EXPECT_GT(formResizes, before);  // the form's own handler still runs
    TProStringGrid* left = firstGoesFirst ? b : a;
    EXPECT_EQ(left->Width(), 500);
    delete left;
    form->SetBounds(0, 0, 640, 430);
    delete form;
  }
}

TEST(StringGridSwitches, SpreadSheetSwitchesItsOptionsOnOnly) {
  TProStringGrid g(nullptr);
  g.SetSpreadSheet(true);
  EXPECT_TRUE(g.SelectionRectangle() && g.SelectionResizer());
  EXPECT_TRUE(g.Navigation()->AllowSmartClipboard());
  EXPECT_TRUE(g.Options().contains(goRangeSelect) && g.Options().contains(goEditing));
  EXPECT_TRUE(g.MouseActions()->RangeSelectAndEdit());
  g.SetSpreadSheet(false);
  EXPECT_TRUE(g.SelectionRectangle());
  EXPECT_TRUE(g.Options().contains(goEditing));
  // AutoSize fits the columns to their texts at once.
  g.SetCells(1, 1, QString(40, u'W'));
  const int narrow = g.ColWidths(1);
  g.SetAutoSize(true);
  EXPECT_GT(g.ColWidths(1), narrow);
}

TEST(StringGridHeaders, ColumnAndRowHeadersAreWrittenIntoTheFixedCells) {
  TProStringGrid g(nullptr);
  g.ColumnHeaders()->Add("Name");
  g.ColumnHeaders()->Add("Two\\nlines");
  EXPECT_EQ(g.Cells(0, 0), "Name");
  EXPECT_EQ(g.Cells(1, 0), "Two\rlines");
  g.SetCells(4, 0, "old");
  TStringList other;
  other.Add("A");
  g.SetColumnHeaders(&other);
  EXPECT_EQ(g.Cells(0, 0), "A");
  EXPECT_EQ(g.Cells(1, 0), "");
  EXPECT_EQ(g.Cells(4, 0), "");
  g.RowHeaders()->Add("");
  g.RowHeaders()->Add("row 1");
  EXPECT_EQ(g.Cells(0, 1), "row 1");
  g.SetFixedCols(0);
  g.RowHeaders()->Add("ignored");
  EXPECT_EQ(g.Cells(0, 2), "");
}

// Typed cell access, selection membership and counts, and the text measuring
// and placement routines of the string grid.
#include <gtest/gtest.h>

#include <QScopeGuard>

#include "controls/ProUtil.h"
#include "grid/ProGrid.h"
#include "platform/rtl/SysUtils.h"

namespace {

QString MessageOf(const std::function<void()>& Action) {
  try {
    Action();
  } catch (const Exception& e) {
    return e.Message();
  }
  return QStringLiteral("(nothing raised)");
}

const QString kNoInteger = QStringLiteral("Cell does not contain integer value");
const QString kNoFloat = QStringLiteral("Cell does not contain a float value");

}  // namespace

// ---------------------------------------------------------------------------
// Typed access

TEST(GridTypedAccess, IntsParseTable) {
  struct Case {
    const char* Text;
    int Value;
    bool Error;
  };
  const Case cases[] = {
      {"", 0, false},     {"   ", 0, false},   {"-", 0, false},   {"+12", 12, false},
      {"$1F", 31, false}, {" 42 ", 42, false}, {"0x10", 16, false}, {"<b>42</b>", 42, false},
      {"12a", 0, true},   {"1.5", 0, true},    {"99999999999", 0, true},
  };
  for (const Case& k : cases) {
    TProStringGrid g(nullptr);
    g.SetCells(1, 1, QString::fromLatin1(k.Text));
    if (k.Error) {
      EXPECT_EQ(MessageOf([&] { g.Ints(1, 1); }), kNoInteger) << k.Text;
      EXPECT_EQ(g.Cells(1, 1), QString::fromLatin1(k.Text));  // a failed read changes nothing
    } else {
      EXPECT_EQ(g.Ints(1, 1), k.Value) << k.Text;
    }
  }
  // AllInts parses the text with its tags.
  TProStringGrid g(nullptr);
  g.SetCells(1, 1, QStringLiteral("<b>42</b>"));
  EXPECT_EQ(MessageOf([&] { g.AllInts(1, 1); }), kNoInteger);
}

TEST(GridTypedAccess, FloatsParseTable) {
  struct Case {
    QString Text;
    double Value;
    bool Error;
  };
  const Case cases[] = {
      {QStringLiteral("(1,234.50)"), -1234.5, false},
      {QStringLiteral("\u20AC 7"), 7, false},
      {QStringLiteral("abc"), 0, false},
      {QStringLiteral("12.5 kg"), 12.5, false},
      {QStringLiteral("1e3"), 1000, false},
      {QStringLiteral(""), 0, false},
      {QStringLiteral("1-2"), 0, true},
      {QStringLiteral("1e"), 0, true},
  };
  for (const Case& k : cases) {
    TProStringGrid g(nullptr);
    g.SetCells(1, 1, k.Text);
    if (k.Error)
      EXPECT_EQ(MessageOf([&] { g.Floats(1, 1); }), kNoFloat) << k.Text.toStdString();
    else
      EXPECT_DOUBLE_EQ(g.Floats(1, 1), k.Value) << k.Text.toStdString();
  }
}

TEST(GridTypedAccess, FloatWritesUseTheFormatAndSeparator) {
  TProStringGrid g(nullptr);
  g.SetFloats(1, 1, 3.14159);
  EXPECT_EQ(g.Cells(1, 1), "3.14");
  EXPECT_DOUBLE_EQ(g.Floats(1, 1), 3.14);
  const TFormatSettings keep = FormatSettings;
  auto restore = qScopeGuard([&] { FormatSettings = keep; });
  FormatSettings.DecimalSeparator = u',';
  FormatSettings.ThousandSeparator = u'.';
  g.SetFloats(1, 2, 3.14159);
  EXPECT_EQ(g.Cells(1, 2), "3,14");
  EXPECT_DOUBLE_EQ(g.Floats(1, 2), 3.14);
}

TEST(GridTypedAccess, DatesAndTimes) {
  TProStringGrid g(nullptr);
  g.SetDates(1, 1, 0);
  EXPECT_EQ(g.Cells(1, 1), DateToStr(0));
  EXPECT_FALSE(g.Cells(1, 1).isEmpty());
  g.SetShowNullDates(false);
  g.SetDates(1, 1, 0);
  EXPECT_EQ(g.Cells(1, 1), "");
  g.SetDates(1, 2, EncodeDate(2024, 2, 29));
  EXPECT_EQ(g.Dates(1, 2), EncodeDate(2024, 2, 29));
  g.SetTimes(1, 3, EncodeTime(13, 5, 7, 0));
  EXPECT_NEAR(g.Times(1, 3), EncodeTime(13, 5, 7, 0), 1e-9);
  g.SetCells(1, 4, QStringLiteral("no date"));
  EXPECT_THROW(g.Dates(1, 4), EConvertError);
}

TEST(GridTypedAccess, ViewsAndTables) {
  TProStringGrid g(nullptr);
  g.SetCells(1, 1, QStringLiteral("<b>a</b><br>b<hr>c"));
  EXPECT_EQ(g.StrippedCells(1, 1), "a\rb\rc");
  g.SetCells(1, 2, QStringLiteral("a\rb\rc"));
  EXPECT_EQ(g.LinesInCell(1, 2), 3);
  EXPECT_EQ(g.LinesInCell(1, 3), 1);
  g.PrintColOffsets()[511] = 7;
  EXPECT_EQ(g.PrintColOffset(511), 7);
  EXPECT_EQ(MessageOf([&] { g.PrintColOffset(512); }), "Columns is not in valid range");
  EXPECT_EQ(MessageOf([&] { g.PrintColWidth(-1); }), "Columns is not in valid range");
  g.SetCurrentCell(QStringLiteral("here"));
  EXPECT_EQ(g.Cells(g.Col(), g.Row()), "here");
  EXPECT_EQ(g.CurrentCell(), "here");
}

TEST(GridTypedAccess, HiddenRowsThroughAllCells) {
  TProStringGrid g(nullptr);
  g.SetCells(2, 3, QStringLiteral("kept"));
  g.SetCells(2, 4, QStringLiteral("below"));
  g.HideRow(3);
  EXPECT_EQ(g.AllCells(2, 3), "kept");
  EXPECT_EQ(g.AllCells(2, 4), "below");
  EXPECT_EQ(g.Cells(2, 3), "below");
  g.SetAllInts(2, 3, 5);
  EXPECT_EQ(g.AllInts(2, 3), 5);
  g.UnHideRow(3);
  EXPECT_EQ(g.Cells(2, 3), "5");
  EXPECT_EQ(g.AllCells(-1, 3), "");
}

TEST(GridTypedAccess, Fills) {
  TProStringGrid g(nullptr);
  g.LinearFill(false);
  EXPECT_EQ(g.Cells(1, 1), "1:1");
  EXPECT_EQ(g.Cells(4, 9), "4:9");
  EXPECT_EQ(g.Cells(0, 0), "");
  EXPECT_EQ(g.Cells(0, 3), "");
  g.FormatFill(true, QStringLiteral("%d/%d"));
  EXPECT_EQ(g.Cells(3, 7), "3/7");
  EXPECT_EQ(g.Cells(0, 0), "0/0");
  g.RandomFill(false, 3);
  for (int r = 1; r < g.RowCount(); ++r) {
    EXPECT_GE(g.Ints(2, r), 0);
    EXPECT_LT(g.Ints(2, r), 3);
  }
  g.TextFill(false, QStringLiteral("x"));
  EXPECT_EQ(g.Cells(2, 2), "x");
  EXPECT_EQ(g.Cells(2, 0), "2/0");
}

TEST(GridTypedAccess, HeaderLists) {
  TProStringGrid g(nullptr);
  g.SetCells(3, 0, QStringLiteral("old"));
  TStringList h;
  h.Add(QStringLiteral("N"));
  h.Add(QStringLiteral("Net\\nWeight"));
  g.SetColumnHeaders(&h);
  EXPECT_EQ(g.Cells(1, 0), "Net\rWeight");
  EXPECT_EQ(g.Cells(3, 0), "");  // cleared first
  // Changing the list shows it again.
  g.ColumnHeaders()->Add(QStringLiteral("Tare"));
  EXPECT_EQ(g.Cells(2, 0), "Tare");
  TStringList rows;
  rows.Add(QString());
  rows.Add(QStringLiteral("first"));
  g.SetRowHeaders(&rows);
  EXPECT_EQ(g.Cells(0, 1), "first");
}

TEST(GridTypedAccess, SortOrderAndRawAccess) {
  TProStringGrid g(nullptr);
  g.SetCells(1, 5, QStringLiteral("five"));
  // Never sorted: the cell of row 5 is the cell of row 5.
  EXPECT_EQ(g.UnSortedCells(1, 5), "five");
  EXPECT_EQ(g.SortedRowIndex(5), 5);
  EXPECT_EQ(g.UnSortedRowIndex(5), 5);
  // Rows 1..3 moved: the row now at 1 stood at 3 before.
  for (int v : {0, 3, 1, 2}) g.SortCrossReference()->Add(v);
  EXPECT_EQ(g.SortedRowIndex(1), 3);
  EXPECT_EQ(g.UnSortedRowIndex(3), 1);
  g.SetCells(1, 1, QStringLiteral("was three"));
  EXPECT_EQ(g.UnSortedCells(1, 3), "was three");
  EXPECT_EQ(g.UnSortedCells(1, 5), "five");  // beyond the list

  // Raw access keeps merged cells apart and leaves out the display hooks.
  g.OnGetDisplText = [](TObject*, int, int, QString& V) { V = V.toUpper(); };
  g.SetCells(2, 2, QStringLiteral("raw"));
  EXPECT_EQ(g.AllCells(2, 2), "RAW");
  EXPECT_EQ(g.AllGridCells(2, 2), "raw");
  g.HideRow(2);
  EXPECT_EQ(g.AllCells(2, 2), "RAW");
  EXPECT_EQ(g.AllGridCells(2, 2), "raw");
  TObject marker;
  g.SetAllObjects(3, 2, &marker);
  EXPECT_EQ(g.AllObjects(3, 2), &marker);
  g.UnHideRow(2);
  EXPECT_EQ(g.Objects(3, 2), &marker);
  g.SetObjects(3, 2, nullptr);
}

// ---------------------------------------------------------------------------
// Selection membership and selected text

TEST(GridSelectionQueries, FixedCellsAreNeverSelected) {
  TProStringGrid g(nullptr);
  g.SelectCells(0, 0, 3, 3);
  EXPECT_FALSE(g.IsSelected(0, 2));
  EXPECT_FALSE(g.IsSelected(2, 0));
  EXPECT_TRUE(g.IsSelected(2, 2));
  g.MouseActions()->SetDisjunctCellSelect(true);
  g.SetSelectedCells(0, 2, true);
  EXPECT_FALSE(g.IsSelected(0, 2));
}

TEST(GridSelectionQueries, SelectedText) {
  TProStringGrid g(nullptr);
  g.SetCells(1, 1, QStringLiteral("a"));
  g.SetCells(2, 1, QStringLiteral("b"));
  g.SetCells(1, 2, QStringLiteral("c"));
  g.SetCells(2, 2, QStringLiteral("d"));
  g.SelectCells(1, 1, 1, 1);
  EXPECT_EQ(g.SelectedText(), "a");
  g.SelectCells(1, 1, 2, 2);
  EXPECT_EQ(g.SelectedText(), "a\tb\r\nc\td");
  // Disjunct rows: exactly the selected rows, in row order, no trailing break.
  g.MouseActions()->SetDisjunctRowSelect(true);
  g.SetCells(1, 5, QStringLiteral("e"));
  g.SetRowSelect(5, true);
  g.SetRowSelect(2, true);
  EXPECT_EQ(g.SelectedText(), "c\td\r\ne\t");
  // Multi-line cells in the spreadsheet form.
  g.MouseActions()->SetDisjunctRowSelect(false);
  g.SetMultilinecells(true);
  g.SetExcelClipboardFormat(true);
  g.SetCells(1, 1, QStringLiteral("x\r\ny"));
  g.SelectCells(1, 1, 1, 1);
  EXPECT_EQ(g.SelectedText(), EncodeExcelMultiLine(QStringLiteral("x\r\ny")));
}

TEST(GridSelectionQueries, DisjunctCellsAndCounts) {
  TProStringGrid g(nullptr);
  g.SelectCells(1, 1, 3, 2);
  EXPECT_EQ(g.SelectedCellsCount(), 6);
  EXPECT_EQ(g.SelectedCellsCount(), 6);
  EXPECT_EQ(g.SelectedCell(5), (TGridCoord{3, 2}));
  EXPECT_TRUE(g.SelectedCells(2, 2));
  EXPECT_FALSE(g.SelectedCells(4, 2));

  g.MouseActions()->SetDisjunctCellSelect(true);
  g.ClearSelectedCells();
  EXPECT_EQ(g.SelectedCellsCount(), 0);
  g.SetSelectedCells(2, 3, true);
  g.SetSelectedCells(2, 3, true);
  EXPECT_EQ(g.SelectedCellsCount(), 1);
  EXPECT_TRUE(g.SelectedCells(2, 3));
  g.SetSelectedCells(2, 3, false);
  EXPECT_EQ(g.SelectedCellsCount(), 0);
}

TEST(GridSelectionQueries, CellsBeyondTheKeyRangeAreNeverListed) {
  TProStringGrid g(nullptr);
  g.MouseActions()->SetDisjunctCellSelect(true);
  g.SetSelectedCells(2, 3, true);
  // Row 65536 + 3 would pack to the key of row 3.
  EXPECT_FALSE(g.SelectedCells(2, 65539));
  EXPECT_FALSE(g.IsSelected(2, 65539));
  g.SetSelectedCells(2, 65540, true);
  EXPECT_EQ(g.SelectedCellsCount(), 1);
  EXPECT_FALSE(g.SelectedCells(2, 4));
}

TEST(GridSelectionQueries, ClearModifiedRows) {
  TProStringGrid g(nullptr);
  g.SetRowModified(2, true);
  g.SetRowModified(5, true);
  EXPECT_EQ(g.ModifiedRowCount(), 2);
  g.ClearModifiedRows();
  EXPECT_EQ(g.ModifiedRowCount(), 0);
  EXPECT_FALSE(g.RowModified(2));
}

TEST(GridSelectionQueries, ColumnAndRowCounts) {
  TProStringGrid g(nullptr);
  g.SetColCount(6);
  g.MergeCells(2, 1, 2, 1);  // columns 2 and 3
  g.SelectCells(2, 1, 4, 1);
  EXPECT_EQ(g.SelectedColCount(), 3);
  g.SelectCells(1, 5, 1, 3);  // dragged upwards
  EXPECT_EQ(g.SelectedRowCount(), 3);
  EXPECT_EQ(g.SelectedRow(0), 3);
  EXPECT_EQ(g.SelectedRow(2), 5);
  EXPECT_EQ(g.SelectedRow(3), -1);
  EXPECT_EQ(g.SelectedRow(-1), -1);
  g.MouseActions()->SetDisjunctRowSelect(true);
  g.SetRowSelect(7, true);
  g.SetRowSelect(4, true);
  EXPECT_EQ(g.SelectedRowCount(), 2);
  EXPECT_EQ(g.SelectedRow(0), 7);  // in the order selected
  EXPECT_EQ(g.SelectedRow(2), -1);
  g.MouseActions()->SetDisjunctColSelect(true);
  g.SetColSelect(2, true);
  EXPECT_EQ(g.SelectedColCount(), 1);
}

// ---------------------------------------------------------------------------
// Measuring and placement

TEST(GridTextMeasure, OffsetsAndLines) {
  TProStringGrid g(nullptr);
  g.SetXYOffset(TPoint(4, 3));
  EXPECT_EQ(g.GetTotalYOffset(), 6);
  EXPECT_EQ(g.GetTotalXOffset(), 8);
  g.SetXYOffsetTopLeftOnly(true);
  EXPECT_EQ(g.GetTotalYOffset(), 3);

  g.SetCells(2, 1, QStringLiteral("ab"));
  g.SetCells(2, 2, QStringLiteral("a\r\nbcdef"));
  EXPECT_EQ(g.GetMaxColTextLen(2), 2);
  EXPECT_EQ(g.MaxLinesInRow(2), 1);
  g.SetMultilinecells(true);
  EXPECT_EQ(g.GetMaxColTextLen(2), 5);
  EXPECT_EQ(g.MaxLinesInRow(2), 2);
  EXPECT_EQ(g.MaxLinesInRow(3), 1);
}

TEST(GridTextMeasure, RotatedTextQuarters) {
  // W = 100, H = 50; CW 30, SH 4, SW 20, CH 6.
  struct Case {
    int Angle, HA, VA;
    TPoint TopLeft;
  };
  const Case cases[] = {
      {90, 0, 0, {0, 20}},   {90, 1, 2, {66, 44}},  {180, 0, 0, {30, 26}}, {180, 1, 2, {96, 50}},
      {270, 0, 0, {34, 6}},  {270, 1, 2, {100, 30}}, {271, 0, 0, {4, 0}},  {271, 1, 2, {70, 24}},
      {45, 2, 1, {33, 20 - (20 + 6 - 50) / 2}},
  };
  for (const Case& k : cases) {
    TRect r(0, 0, 100, 50);
    AdjustRotatedTextRect(r, k.HA, k.VA, k.Angle, 30, 4, 20, 6);
    EXPECT_EQ(TPoint(r.Left, r.Top), k.TopLeft) << k.Angle << " " << k.HA << " " << k.VA;
    EXPECT_EQ(r.Right, 100);
    EXPECT_EQ(r.Bottom, 50);
  }
}

TEST(GridTextMeasure, CellTextSize) {
  TProStringGrid g(nullptr);
  g.SetCells(2, 2, QStringLiteral("a\rbb"));
  const TSize one = g.GetCellTextSize(2, 2, false, false);
  g.SetMultilinecells(true);
  const TSize two = g.GetCellTextSize(2, 2, false, false);
  EXPECT_EQ(two.cy, 2 * one.cy);
  EXPECT_GT(two.cx, one.cx);
}

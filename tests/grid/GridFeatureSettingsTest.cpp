// Settings objects of the grid's features: sorting, filtering, the floating
// footer, column sizes, HTML export and printing.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <vector>

#include "grid/ProGrid.h"
#include "platform/rtl/IniFiles.h"
#include "platform/ui/Messages.h"

namespace {

// A grid that records the sorts asked of it instead of sorting.
class TSortRecordingGrid : public TProStringGrid {
 public:
  TSortRecordingGrid() : TProStringGrid(nullptr) {}
  std::vector<QString> Sorts;
  void QSort() override { Sorts.push_back("QSort"); }
  void QSortIndexed() override { Sorts.push_back("QSortIndexed"); }
};

QString ReadFile(const QString& Name) {
  TStringList l;
  l.LoadFromFile(Name);
  return l.Text();
}

}  // namespace

// ------------------------------------------------------------------- sorting

TEST(GridSortSettings, Defaults) {
  TProStringGrid grid(nullptr);
  TSortSettings& s = *grid.SortSettings();
  EXPECT_EQ(s.Column(), -1);
  EXPECT_EQ(s.Direction(), sdAscending);
  EXPECT_FALSE(s.Show() || s.IndexShow() || s.SingleColumn() || s.IgnoreBlanks() ||
               s.IgnoreCase() || s.FixedCols() || s.NormalCellsOnly() || s.UndoSort() ||
               s.AutoColumnMerge());
  EXPECT_TRUE(s.Full() && s.AutoFormat() && s.SortOnVirtualCells() && s.AutoSortForGrouping());
  EXPECT_EQ(s.IndexColor(), TColor(0xFFFF));
  EXPECT_EQ(s.IndexSortKey(), ikShift);
  EXPECT_EQ(s.BlankPos(), blFirst);
  EXPECT_EQ(s.InitSortDirection(), sdAscending);
  EXPECT_EQ(s.Row(), 0);
  EXPECT_EQ(s.HeaderColor(), clNone);
  EXPECT_EQ(s.HeaderColorTo(), clNone);
  EXPECT_EQ(s.HeaderMirrorColor(), clNone);
  EXPECT_EQ(s.HeaderMirrorColorTo(), clNone);
  EXPECT_TRUE(s.UpGlyph()->Empty() && s.DownGlyph()->Empty() && s.IndexUpGlyph()->Empty() &&
              s.IndexDownGlyph()->Empty());
}

TEST(GridSortSettings, TextFormRoundTripsAndSorts) {
  TSortRecordingGrid a, b;
  a.SortSettings()->SetColumn(3);
  a.SortSettings()->SetDirection(sdDescending);
  EXPECT_EQ(a.SortSettings()->SaveToString(), "d3");
  b.SortSettings()->LoadFromString("d3");
  EXPECT_TRUE(b.SortSettings()->Show());
  EXPECT_EQ(b.SortSettings()->Column(), 3);
  EXPECT_EQ(b.SortSettings()->Direction(), sdDescending);
  EXPECT_EQ(b.Sorts, std::vector<QString>{"QSort"});
  EXPECT_EQ(b.SortSettings()->SaveToString(), "d3");

  b.SortSettings()->LoadFromString("u12");
  EXPECT_EQ(b.SortSettings()->SaveToString(), "u12");

  // The index form carries the index list.
  a.SortSettings()->SetIndexShow(true);
  a.SortIndexes()->AddIndex(1, true);
  a.SortIndexes()->AddIndex(4, false);
  const QString indexed = a.SortSettings()->SaveToString();
  EXPECT_EQ(indexed, "i;u1;d4");
  TSortRecordingGrid c;
  c.SortSettings()->LoadFromString(indexed);
  EXPECT_TRUE(c.SortSettings()->IndexShow());
  EXPECT_EQ(c.Sorts, std::vector<QString>{"QSortIndexed"});
  EXPECT_EQ(c.SortSettings()->SaveToString(), indexed);
}

TEST(GridSortSettings, BadTextsAndRows) {
  TSortRecordingGrid g;
  TSortSettings& s = *g.SortSettings();
  s.LoadFromString("");
  EXPECT_FALSE(s.Show());
  EXPECT_THROW(s.LoadFromString("u"), Exception);
  EXPECT_TRUE(s.Show());
  // A rest that is no number changes the direction but neither column nor order.
  s.SetColumn(2);
  s.LoadFromString("dx");
  EXPECT_EQ(s.Column(), 2);
  EXPECT_EQ(s.Direction(), sdDescending);
  EXPECT_TRUE(g.Sorts.empty());

  try {
    s.SetRow(1);  // the grid has one fixed row
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Sort row should be smaller than number of fixed rows");
  }
  EXPECT_EQ(s.Row(), 0);
}

TEST(GridSortSettings, AssignLeavesOutIgnoreCaseAndVirtualCells) {
  TProStringGrid a(nullptr), b(nullptr);
  TSortSettings& src = *a.SortSettings();
  src.SetColumn(2);
  src.SetShow(true);
  src.SetIndexColor(clRed);
  src.SetFull(false);
  src.SetBlankPos(blLast);
  src.SetHeaderColor(clBlue);
  src.SetHeaderMirrorColorTo(clLime);
  src.UpGlyph()->SetSize(5, 5);
  src.SetIgnoreCase(true);
  src.SetSortOnVirtualCells(false);
  src.SetUndoSort(true);
  TSortSettings& dst = *b.SortSettings();
  dst.Assign(&src);
  EXPECT_EQ(dst.Column(), 2);
  EXPECT_TRUE(dst.Show());
  EXPECT_EQ(dst.IndexColor(), clRed);
  EXPECT_FALSE(dst.Full());
  EXPECT_EQ(dst.BlankPos(), blLast);
  EXPECT_EQ(dst.HeaderColor(), clBlue);
  EXPECT_EQ(dst.HeaderMirrorColorTo(), clLime);
  EXPECT_EQ(dst.UpGlyph()->Width(), 5);
  EXPECT_NE(dst.UpGlyph(), src.UpGlyph());
  EXPECT_TRUE(dst.UndoSort());
  EXPECT_FALSE(dst.IgnoreCase());
  EXPECT_TRUE(dst.SortOnVirtualCells());

  dst.ToggleDirection();
  EXPECT_EQ(dst.Direction(), sdDescending);
  b.SortIndexes()->AddIndex(0, true);
  dst.Remove();
  EXPECT_EQ(dst.Column(), -1);
  EXPECT_EQ(b.SortIndexes()->Count(), 0);
}

// ----------------------------------------------------------------- filtering

TEST(GridFilter, AddCombinesAndColumnLookups) {
  TProStringGrid grid(nullptr);
  TFilter& f = *grid.Filter();
  EXPECT_EQ(f.Grid(), &grid);
  TFilterData* first = f.Add();
  EXPECT_EQ(first->Operation(), foNONE);
  EXPECT_EQ(first->Column(), 0);
  EXPECT_EQ(first->Condition(), "");
  EXPECT_TRUE(first->CaseSensitive());
  EXPECT_EQ(first->Data(), fcVirtual);
  EXPECT_EQ(first->Method(), fmExpression);
  EXPECT_EQ(f.Add()->Operation(), foAND);
  EXPECT_EQ(f.Insert(0)->Operation(), foSHORT);

  f.Items(1)->SetColumn(2);
  EXPECT_EQ(f.GetColFilter(2), f.Items(1));
  EXPECT_TRUE(f.HasFilter(2));
  EXPECT_FALSE(f.HasFilter(3));
  TFilterData* made = f.GetColFilter(3);
  EXPECT_EQ(made->Column(), 3);
  EXPECT_EQ(f.Count(), 4);
  f.GetColFilter(2)->SetCondition("x*");
  f.Add()->SetColumn(2);
  f.RemoveColumnFilter(2);
  EXPECT_FALSE(f.HasFilter(2));
  EXPECT_EQ(f.Count(), 3);
}

TEST(GridFilter, ConditionAssignLeavesOutMethod) {
  TProStringGrid grid(nullptr);
  TFilterData* src = grid.Filter()->Add();
  src->SetColumn(4);
  src->SetCondition(">5");
  src->SetCaseSensitive(false);
  src->SetData(fcStripHTML);
  src->SetPrefix("$");
  src->SetSuffix("%");
  src->SetOperation(foOR);
  src->SetMethod(fmLiteral);
  TFilterData* dst = grid.Filter()->Add();
  dst->Assign(src);
  EXPECT_EQ(dst->Column(), 4);
  EXPECT_EQ(dst->Condition(), ">5");
  EXPECT_FALSE(dst->CaseSensitive());
  EXPECT_EQ(dst->Data(), fcStripHTML);
  EXPECT_EQ(dst->Prefix(), "$");
  EXPECT_EQ(dst->Suffix(), "%");
  EXPECT_EQ(dst->Operation(), foOR);
  EXPECT_EQ(dst->Method(), fmExpression);

  TProStringGrid copy(nullptr);
  copy.SetFilter(grid.Filter());
  EXPECT_EQ(copy.Filter()->Count(), 2);
  EXPECT_EQ(copy.Filter()->Items(1)->Condition(), ">5");
}

TEST(GridFilterDropDown, DefaultsGlyphChangesAndAssign) {
  TProStringGrid grid(nullptr);
  TFilterDropDown& d = *grid.FilterDropDown();
  EXPECT_FALSE(d.AutoSize());
  EXPECT_EQ(d.Color(), clWindow);
  EXPECT_FALSE(d.ColumnWidth());
  EXPECT_EQ(d.Width(), 150);
  EXPECT_EQ(d.Height(), 150);
  EXPECT_TRUE(d.Glyph()->Empty() && d.GlyphActive()->Empty());

  TFilterDropDown src;
  int changes = 0;
  src.OnChange = [&](TObject*) { ++changes; };
  src.Glyph()->SetSize(16, 16);
  EXPECT_GE(changes, 1);
  const int afterGlyph = changes;
  src.SetWidth(90);
  src.SetColor(clYellow);
  EXPECT_EQ(changes, afterGlyph);
  src.SetAutoSize(true);
  src.SetColumnWidth(true);
  src.Font()->SetName("Courier New");
  d.Assign(&src);
  EXPECT_EQ(d.Width(), 90);
  EXPECT_EQ(d.Color(), clYellow);
  EXPECT_TRUE(d.ColumnWidth());
  EXPECT_EQ(d.Font()->Name(), "Courier New");
  EXPECT_EQ(d.Glyph()->Width(), 16);
  EXPECT_FALSE(d.AutoSize());
}

TEST(GridFilterLists, CreatedHiddenAndReportPicks) {
  TProStringGrid grid(nullptr);
  TDropList* list = grid.DropList();
  TDropCheckList* checks = grid.DropCheckList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Owner(), &grid);
  EXPECT_EQ(list->Parent(), &grid);
  EXPECT_FALSE(list->Visible());
  EXPECT_EQ(list->Width(), 0);
  EXPECT_EQ(checks->Parent(), &grid);
  EXPECT_FALSE(checks->Visible());
}

namespace {
// The filter lists with their key and tick handlers within reach.
class TOpenDropList : public TDropList {
 public:
  using TDropList::KeyDown;
  using TDropList::TDropList;
};
class TOpenDropCheckList : public TDropCheckList {
 public:
  using TDropCheckList::ClickCheck;
  using TDropCheckList::TDropCheckList;
};
}  // namespace

TEST(GridFilterLists, EnterHidesTheListAndReportsTheItemTicksReportMinusOne) {
  TOpenDropList list(nullptr);
  list.Items()->Add("a");
  list.Items()->Add("b");
  list.SetVisible(true);
  list.SetItemIndex(1);
  std::vector<int> picks;
  list.OnSelect = [&](TObject* Sender, int Index) {
    EXPECT_EQ(Sender, &list);
    picks.push_back(Index);
  };
  Word key = 'A';
  list.KeyDown(key, {});
  EXPECT_TRUE(picks.empty());
  key = VK_RETURN;
  list.KeyDown(key, {});
  EXPECT_EQ(picks, std::vector<int>{1});
  EXPECT_FALSE(list.Visible());

  TOpenDropCheckList checks(nullptr);
  checks.Items()->Add("a");
  int ownTickEvents = 0;
  checks.OnClickCheck = [&](TObject*) { ++ownTickEvents; };
  std::vector<int> ticks;
  checks.OnSelect = [&](TObject*, int Index) { ticks.push_back(Index); };
  checks.ClickCheck();
  EXPECT_EQ(ticks, std::vector<int>{-1});
  EXPECT_EQ(ownTickEvents, 0);
}

// ----------------------------------------------------------- floating footer

TEST(GridFloatingFooter, DefaultsAndVisibility) {
  TProStringGrid grid(nullptr);
  TFloatingFooter& f = *grid.FloatingFooter();
  EXPECT_FALSE(f.Visible());
  EXPECT_EQ(f.FooterStyle(), fsFixedLastRow);
  EXPECT_EQ(f.Color(), clBtnFace);
  EXPECT_EQ(f.BorderColor(), clNone);
  EXPECT_EQ(f.Column(), 0);
  EXPECT_EQ(f.CustomTemplate(), "");
  EXPECT_TRUE(f.CalculateHiddenRows());
  EXPECT_FALSE(f.ShowHint());
  EXPECT_TRUE(f.EnableCalculation());
  ASSERT_NE(grid.FooterPanel(), nullptr);
  EXPECT_EQ(grid.FooterPanel()->Grid(), &grid);
  EXPECT_EQ(grid.FooterPanel()->Height(), 0);
  EXPECT_EQ(grid.FooterPanel()->Align(), alBottom);
  EXPECT_EQ(grid.FooterPanel()->LastHintX(), -1);

  f.SetHeight(23);
  f.SetVisible(true);
  EXPECT_EQ(grid.FooterPanel()->Height(), 22);
  EXPECT_EQ(grid.FixedFooters(), 1);
  EXPECT_TRUE(grid.HideLastRow());
  f.SetFooterStyle(fsColumnPreview);
  EXPECT_FALSE(grid.HideLastRow());
  EXPECT_EQ(grid.FixedFooters(), 1);  // the style leaves the fixed footers alone
  f.SetVisible(false);
  EXPECT_EQ(grid.FixedFooters(), 0);
  EXPECT_EQ(grid.FooterPanel()->Height(), 0);
}

TEST(GridFloatingFooter, ColumnCalculationsLiveInTheLastRow) {
  TProStringGrid grid(nullptr);
  TFloatingFooter& f = *grid.FloatingFooter();
  EXPECT_EQ(f.ColumnCalc(2), acNONE);
  f.SetColumnCalc(2, acSUM);  // hidden footer: nothing to recompute
  EXPECT_EQ(f.ColumnCalc(2), acSUM);
  EXPECT_EQ(grid.GetCellProperties(2, grid.RowCount() - 1)->CalcType(), acSUM);
  // A shown footer is recomputed at once.
  for (int r = 1; r < 9; ++r) grid.SetCells(1, r, QString::number(r));
  f.SetVisible(true);
  f.SetColumnCalc(1, acAVG);
  EXPECT_EQ(f.ColumnCalc(1), acAVG);
  EXPECT_EQ(grid.Cells(1, 9), "4.50");
}

TEST(GridFloatingFooter, AssignCopiesTheListedSettings) {
  TProStringGrid a(nullptr), b(nullptr);
  TFloatingFooter& src = *a.FloatingFooter();
  src.SetCalculateHiddenRows(false);
  src.SetColor(clRed);
  src.SetColumn(3);
  src.SetCustomTemplate("<#1>-<#2>");
  src.SetFooterStyle(fsCustomPreview);
  src.SetShowHint(true);
  src.SetBorderColor(clBlue);
  src.SetEnableCalculation(false);
  src.SetVisible(true);
  b.FloatingFooter()->Assign(&src);
  TFloatingFooter& dst = *b.FloatingFooter();
  EXPECT_FALSE(dst.CalculateHiddenRows());
  EXPECT_EQ(dst.Color(), clRed);
  EXPECT_EQ(dst.Column(), 3);
  EXPECT_EQ(dst.CustomTemplate(), "<#1>-<#2>");
  EXPECT_EQ(dst.FooterStyle(), fsCustomPreview);
  EXPECT_TRUE(dst.ShowHint());
  EXPECT_TRUE(dst.Visible());
  EXPECT_EQ(b.FixedFooters(), 0);  // Visible went through its setter: not fsFixedLastRow
  EXPECT_EQ(dst.BorderColor(), clNone);
  EXPECT_TRUE(dst.EnableCalculation());
}

// --------------------------------------------------------------- column size

TEST(GridColumnSize, DefaultsAndAssign) {
  TProStringGrid grid(nullptr);
  TColumnSize& c = *grid.ColumnSize();
  EXPECT_EQ(c.Rows(), arAll);
  EXPECT_FALSE(c.Save() || c.Stretch() || c.SynchWithGrid() || c.SynchNormalCellsOnly());
  EXPECT_EQ(c.Key(), "");
  EXPECT_EQ(c.Section(), "");
  EXPECT_EQ(c.StretchColumn(), -1);
  EXPECT_EQ(c.Location(), clRegistry);

  TColumnSize src(nullptr);
  src.SetRows(arFixed);
  src.SetSave(true);
  src.SetKey("grid.ini");
  src.SetSection("Cols");
  src.SetStretch(true);  // no grid: nothing to stretch
  src.SetStretchColumn(2);
  src.SetSynchWithGrid(true);
  src.SetSynchNormalCellsOnly(true);
  src.SetLocation(clIniFile);
  c.Assign(&src);
  EXPECT_EQ(c.Rows(), arFixed);
  EXPECT_TRUE(c.Save() && c.Stretch() && c.SynchWithGrid() && c.SynchNormalCellsOnly());
  EXPECT_EQ(c.Key(), "grid.ini");
  EXPECT_EQ(c.Section(), "Cols");
  EXPECT_EQ(c.StretchColumn(), 2);
  EXPECT_EQ(c.Location(), clIniFile);
}

// ------------------------------------------------------------- HTML settings

TEST(GridHTMLSettings, DefaultsAndAssign) {
  TProStringGrid grid(nullptr);
  THTMLSettings& h = *grid.HTMLSettings();
  EXPECT_FALSE(h.AutoPreview() || h.ConvertSpecialChars() || h.NonBreakingText() || h.XHTML());
  EXPECT_TRUE(h.SaveColor() && h.SaveFonts() && h.ExportImages());
  EXPECT_EQ(h.BorderSize(), 1);
  EXPECT_EQ(h.CellSpacing(), 0);
  EXPECT_EQ(h.CellPadding(), 0);
  EXPECT_EQ(h.Width(), 100);
  EXPECT_EQ(h.ColWidths()->Count(), 0);
  EXPECT_EQ(h.PrefixTag(), "");

  THTMLSettings src;
  src.SetXHTML(true);
  src.SetBorderSize(0);
  src.SetSummary("Table");
  src.SetTableStyle("class=\"t\"");
  src.SetHeaderFile("head.html");
  src.SetSaveFonts(false);
  src.SetExportImages(false);
  src.ColWidths()->Add(40);
  h.Assign(&src);
  EXPECT_TRUE(h.XHTML());
  EXPECT_EQ(h.BorderSize(), 0);
  EXPECT_EQ(h.Summary(), "Table");
  EXPECT_EQ(h.TableStyle(), "class=\"t\"");
  EXPECT_EQ(h.HeaderFile(), "head.html");
  EXPECT_FALSE(h.SaveFonts());
  EXPECT_TRUE(h.ExportImages());
  EXPECT_EQ(h.ColWidths()->Count(), 0);
}

// ------------------------------------------------------------ print settings

TEST(GridPrintSettings, Defaults) {
  TProStringGrid grid(nullptr);
  TPrintSettings& p = *grid.PrintSettings();
  EXPECT_EQ(p.Grid(), &grid);
  EXPECT_TRUE(p.UseDisplayFont() && p.Centered());
  EXPECT_EQ(p.Time(), ppNone);
  EXPECT_EQ(p.Date(), ppNone);
  EXPECT_EQ(p.PageNr(), ppNone);
  EXPECT_EQ(p.Title(), ppNone);
  EXPECT_EQ(p.DateFormat(), "dd/mm/yyyy");
  EXPECT_EQ(p.PageNumSep(), "/");
  EXPECT_EQ(p.PagePrefix(), "");
  EXPECT_EQ(p.PageSuffix(), "");
  EXPECT_EQ(p.PageNumberOffset(), 0);
  EXPECT_EQ(p.MaxPagesOffset(), 0);
  EXPECT_EQ(p.TitleSpacing(), 0);
  EXPECT_EQ(p.HeaderSize(), 0);
  EXPECT_EQ(p.LeftSize(), 0);
  EXPECT_EQ(p.ColumnSpacing(), 0);
  EXPECT_FALSE(p.RepeatFixedRows() || p.RepeatFixedCols() || p.FixedCellsAlways() ||
               p.NoAutoSize() || p.NoAutoSizeRow() || p.UseFixedWidth() || p.UseFixedHeight() ||
               p.PrintGraphics() || p.UseDefaultOrientation());
  EXPECT_EQ(p.Borders(), pbSingle);
  EXPECT_EQ(p.BorderStyle(), psSolid);
  EXPECT_EQ(p.BorderColor(), clBlack);
  EXPECT_EQ(p.FitToPage(), fpNever);
  EXPECT_EQ(p.Orientation(), poPortrait);
  EXPECT_EQ(p.TitleLines()->Count(), 0);
  EXPECT_EQ(p.JobName(), "");
}

TEST(GridPrintSettings, AssignCopiesAllButFixedCellsAlways) {
  TProStringGrid a(nullptr), b(nullptr);
  TPrintSettings& src = *a.PrintSettings();
  src.SetJobName("Job");
  src.SetFitToPage(fpShrink);
  src.SetMaxPagesOffset(4);
  src.HeaderFont()->SetName("Courier New");
  src.TitleLines()->Add("T");
  src.SetFixedCellsAlways(true);
  TPrintSettings& dst = *b.PrintSettings();
  dst.Assign(&src);
  EXPECT_EQ(dst.JobName(), "Job");
  EXPECT_EQ(dst.FitToPage(), fpShrink);
  EXPECT_EQ(dst.MaxPagesOffset(), 4);
  EXPECT_EQ(dst.HeaderFont()->Name(), "Courier New");
  EXPECT_NE(dst.HeaderFont(), src.HeaderFont());
  EXPECT_EQ(dst.TitleLines()->Text(), src.TitleLines()->Text());
  EXPECT_FALSE(dst.FixedCellsAlways());
  TBands other;
  EXPECT_THROW(dst.Assign(&other), Exception);
}

TEST(GridPrintSettings, IniTextRoundTripsExactly) {
  QTemporaryDir dir;
  const QString first = dir.filePath("first.ini"), second = dir.filePath("second.ini");
  TProStringGrid a(nullptr), b(nullptr);
  TPrintSettings& p = *a.PrintSettings();
  p.SetColumnSpacing(7);
  p.SetRowSpacing(0);
  p.SetFixedHeight(30);
  p.SetCentered(false);
  p.SetUseFixedWidth(true);
  p.SetUseDisplayFont(false);
  p.SetBorders(pbAroundVertical);
  p.SetBorderColor(clRed);
  p.SetBorderStyle(psDot);
  p.SetDate(ppBottomCenter);
  p.SetPageNr(ppTopRight);
  p.SetTitle(ppTopCenter);
  p.SetTime(ppBottomLeft);
  p.SetDateFormat("yyyy-mm-dd");
  p.SetTitleText("Report");
  p.SetHeaderSize(50);
  p.SetFitToPage(fpAlways);
  p.Font()->SetName("Courier New");
  p.Font()->SetSize(12);
  p.Font()->SetStyle(TFontStyles{fsBold, fsItalic});
  p.Font()->SetColor(clBlue);
  p.FooterFont()->SetStyle(TFontStyles{fsUnderline, fsStrikeOut});
  p.SetPageNumSep(" of ");
  p.SetPagePrefix("Page ");
  p.SetOrientation(poLandscape);
  p.TitleLines()->Add("A");
  p.TitleLines()->Add("B");
  p.SetPrintGraphics(true);
  a.SavePrintSettings(first, "Print");

  // The target starts with fonts of another style: loading restores the saved
  // style exactly, bits that are not stored included.
  b.PrintSettings()->HeaderFont()->SetStyle(TFontStyles{fsBold});
  b.LoadPrintSettings(first, "Print");
  b.SavePrintSettings(second, "Print");
  EXPECT_EQ(ReadFile(second), ReadFile(first));

  TPrintSettings& q = *b.PrintSettings();
  EXPECT_FALSE(q.HeaderFont()->Style().contains(fsBold));
  EXPECT_EQ(q.Font()->Style(), (TFontStyles{fsBold, fsItalic}));
  EXPECT_EQ(q.Borders(), pbAroundVertical);
  EXPECT_EQ(q.Orientation(), poLandscape);
  ASSERT_EQ(q.TitleLines()->Count(), 2);
  EXPECT_EQ(q.TitleLines()->Strings(1), "B");

  TMemIniFile ini(first);
  EXPECT_EQ(ini.ReadString("Print", "TitleLines", ""), "A\\nB\\n");
  EXPECT_EQ(ini.ReadString("Print", "FontStyle", ""), "3");
  EXPECT_EQ(ini.ReadString("Print", "FooterFontStyle", ""), "12");
  EXPECT_EQ(ini.ReadString("Print", "UseDisplFont", ""), "N");
  EXPECT_EQ(ini.ReadString("Print", "Centered", ""), "N");
  EXPECT_FALSE(ini.ValueExists("Print", "JobName"));
}

TEST(GridPrintSettings, LoadingAnEmptySectionGivesTheStoredFormDefaults) {
  QTemporaryDir dir;
  TProStringGrid grid(nullptr);
  grid.LoadPrintSettings(dir.filePath("none.ini"), "Print");
  TPrintSettings& p = *grid.PrintSettings();
  EXPECT_TRUE(p.Centered());
  EXPECT_FALSE(p.UseDisplayFont());
  EXPECT_EQ(p.Borders(), pbNoborder);
  EXPECT_EQ(p.HeaderSize(), 100);
  EXPECT_EQ(p.ColumnSpacing(), 20);
  EXPECT_EQ(p.DateFormat(), "");
  EXPECT_EQ(p.PageNumSep(), "");
  EXPECT_EQ(p.Font()->Name(), "Arial");
  EXPECT_EQ(p.Font()->Size(), 10);
  EXPECT_EQ(p.Font()->Color(), clBlack);
}

TEST(GridPrintSettings, OutOfRangeValuesLeaveTheSettingAlone) {
  QTemporaryDir dir;
  const QString file = dir.filePath("bad.ini");
  {
    TMemIniFile ini(file);
    ini.WriteString("P", "Borders", "9");
    ini.WriteString("P", "BorderStyle", "7");
    ini.WriteString("P", "FitToPage", "5");
    ini.WriteString("P", "Orientation", "2");
    ini.WriteString("P", "Date", "7");
    ini.WriteString("P", "Time", "6");
    ini.WriteString("P", "Centered", "y");
    ini.UpdateFile();
  }
  TProStringGrid grid(nullptr);
  TPrintSettings& p = *grid.PrintSettings();
  p.SetBorders(pbDouble);
  p.SetBorderStyle(psDash);
  p.SetFitToPage(fpGrow);
  p.SetOrientation(poLandscape);
  p.SetDate(ppTopLeft);
  grid.LoadPrintSettings(file, "P");
  EXPECT_EQ(p.Borders(), pbDouble);
  EXPECT_EQ(p.BorderStyle(), psDash);
  EXPECT_EQ(p.FitToPage(), fpGrow);
  EXPECT_EQ(p.Orientation(), poLandscape);
  EXPECT_EQ(p.Date(), ppNone);
  EXPECT_EQ(p.Time(), ppBottomCenter);
  EXPECT_FALSE(p.Centered());  // only exactly "Y" is true
}

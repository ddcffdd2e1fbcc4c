// The string grid's per-cell questions and reports.
#include <gtest/gtest.h>

#include <vector>

#include "grid/ProGrid.h"

TEST(StringGridQueries, AnswersWithoutHandlers) {
  TProStringGrid g(nullptr);
  TEditorType editor = g.DefaultEditor();
  g.GetCellEditorType(2, 2, editor);
  EXPECT_EQ(editor, edNormal);
  g.GetCellEditor(2, 2, editor);
  EXPECT_EQ(editor, edNormal);
  EXPECT_FALSE(g.HasNoEditor(2, 2));
  bool password = true, wrap = false;
  g.IsPasswordCell(2, 2, password);
  g.GetCellWordWrap(2, 2, wrap);
  EXPECT_TRUE(password);
  EXPECT_FALSE(wrap);
  EXPECT_FALSE(g.HasComboBox(2, 2));
  EXPECT_FALSE(g.HasSpinEdit(2, 2));
  QString check = "x";
  g.GetCheckTrue(2, 2, check);
  EXPECT_EQ(check, "Y");
  g.GetCheckFalse(2, 2, check);
  EXPECT_EQ(check, "N");
  TAlignment ha = taLeftJustify;
  TVAlignment va = vtaTop;
  g.GetCellAlignment(0, 2, ha, va);
  EXPECT_EQ(ha, taLeftJustify);
  g.MouseActions()->SetHotmailRowSelect(true);
  g.GetCellAlignment(0, 2, ha, va);
  EXPECT_EQ(ha, taCenter);
  EXPECT_EQ(g.GetCellFont(2, 2), g.Font());
}

TEST(StringGridQueries, AlwaysVisibleButtonsFollowTheEditorKind) {
  TProStringGrid g(nullptr);
  g.OnGetEditorType = [](TObject*, int ACol, int, TEditorType& E) {
    E = ACol == 1 ? edComboList : ACol == 2 ? edFloatSpinEdit : edNone;
  };
  g.ControlLook()->SetDropDownAlwaysVisible(true);
  g.ControlLook()->SetSpinButtonsAlwaysVisible(true);
  EXPECT_TRUE(g.HasComboBox(1, 3));
  EXPECT_FALSE(g.HasComboBox(2, 3));
  EXPECT_TRUE(g.HasSpinEdit(2, 3));
  EXPECT_FALSE(g.HasSpinEdit(2, 0));  // a fixed row
  EXPECT_TRUE(g.HasNoEditor(3, 3));
  g.OnHasComboBox = [](TObject*, int, int, bool& Has) { Has = true; };
  EXPECT_TRUE(g.HasComboBox(3, 3));
}

TEST(StringGridQueries, FixedCellsAnswerWithoutAsking) {
  TProStringGrid g(nullptr);
  std::vector<std::pair<int, int>> asked;
  g.OnIsFixedCell = [&](TObject*, int ARow, int ACol, bool& IsFixed) {
    asked.push_back({ARow, ACol});
    IsFixed = ACol == 4;
  };
  bool fixed = false;
  g.IsFixedCell(2, 0, fixed);
  EXPECT_TRUE(fixed);
  EXPECT_TRUE(asked.empty());
  fixed = false;
  g.IsFixedCell(4, 3, fixed);
  EXPECT_TRUE(fixed);
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{3, 4}}));
  g.SetFixedFooters(1);
  EXPECT_TRUE(g.IsFixed(2, 9));
  EXPECT_FALSE(g.IsFixed(2, 8));
  // A grid holding only its kept header row: every cell counts as fixed.
  g.SetFixedFooters(0);
  g.SetFixedRowAlways(true);
  g.SetRowCount(1);
  fixed = false;
  g.IsFixedCell(3, 1, fixed);
  EXPECT_TRUE(fixed);
}

TEST(StringGridQueries, CanEditCellAsksAboutTheBaseCellOfAMerge) {
  TProStringGrid g(nullptr);
  g.MergeCells(1, 2, 2, 2);
  std::vector<std::pair<int, int>> asked;
  g.OnCanEditCell = [&](TObject*, int ARow, int ACol, bool&) { asked.push_back({ARow, ACol}); };
  bool can = true;
  g.CanEditCell(2, 3, can);
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{2, 1}}));
  // The merged base cell has properties: without goEditing it is not editable.
  EXPECT_FALSE(can);
  g.SetOptions(g.Options() + TGridOptions{goEditing});
  can = true;
  g.CanEditCell(2, 3, can);
  EXPECT_TRUE(can);
  g.GetCellProperties(1, 2)->SetReadOnly(true);
  g.CanEditCell(2, 3, can);
  EXPECT_FALSE(can);
  // A cell without properties keeps what it came with; the handler decides last.
  g.OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = !CanEdit; };
  can = true;
  g.CanEditCell(4, 6, can);
  EXPECT_FALSE(can);
}

TEST(StringGridQueries, ColumnFilterValues) {
  TProStringGrid g(nullptr);
  g.SetRowCount(6);
  const char* texts[] = {"b", "a", " a ", "x y", ""};
  for (int r = 1; r < 6; ++r) g.SetCells(1, r, texts[r - 1]);
  EXPECT_FALSE(g.GetColumnFilter(1));
  EXPECT_EQ(g.FilterList()->Count(), 0);
  g.SetFilterDropDownAuto(true);
  EXPECT_TRUE(g.GetColumnFilter(1));
  EXPECT_EQ(g.FilterList()->Text(), "(All)\r\n\r\na\r\nb\r\nx y=\"x y\"\r\n");
  EXPECT_FALSE(g.GetColumnFilter(0));  // a fixed column
  g.SetFilterDropDownColumns(fdAll);
  EXPECT_TRUE(g.GetColumnFilter(0));
  // Values of hidden rows are offered too, and the handler has the last word.
  g.HideRow(5);
  g.OnGetColumnFilter = [](TObject*, int, TStrings* Filter) { Filter->Add("extra"); };
  g.GetColumnFilter(1);
  EXPECT_EQ(g.FilterList()->Strings(g.FilterList()->Count() - 1), "extra");
  EXPECT_EQ(g.FilterList()->Count(), 6);
}

TEST(StringGridQueries, CellColoursComeFromPropertiesThenTheHandler) {
  TProStringGrid g(nullptr);
  TBrush brush;
  TFont font;
  brush.SetColor(clWhite);
  g.GetCellProperties(2, 3)->SetBrushColor(clRed);
  g.GetCellProperties(2, 3)->SetFontColor(clBlue);
  g.GetCellColor(2, 3, {}, &brush, &font);
  EXPECT_EQ(brush.Color(), clRed);
  EXPECT_EQ(font.Color(), clBlue);
  g.SetActiveCellShow(true);
  g.SetRow(3);
  g.GetCellColor(0, 3, {}, &brush, &font);  // the fixed column of the current row
  EXPECT_EQ(brush.Color(), g.ActiveCellColor());
  EXPECT_TRUE(font.Style().contains(fsBold));
  g.OnGetCellColor = [](TObject*, int, int, TGridDrawState, TBrush* B, TFont*) {
    B->SetColor(clLime);
  };
  g.GetCellColor(2, 3, {}, &brush, &font);
  EXPECT_EQ(brush.Color(), clLime);
  TFont* cellFont = g.GetCellFont(2, 3);
  EXPECT_EQ(cellFont->Color(), clBlue);
}

TEST(StringGridQueries, DeletingTheOnlyNormalRowEmptiesIt) {
  TProStringGrid g(nullptr);
  g.SetRowCount(2);
  g.SetCells(1, 1, "only");
  std::vector<int> reports;
  g.OnAutoDeleteRow = [&](TObject*, int ARow) { reports.push_back(ARow); };
  g.DoDeleteRow(1);
  EXPECT_EQ(g.RowCount(), 2);
  EXPECT_EQ(g.Cells(1, 1), "");
  g.DoInsertRow(1);
  g.SetCells(1, 1, "first");
  g.SetCells(1, 2, "second");
  g.DoDeleteRow(1);
  EXPECT_EQ(g.RowCount(), 2);
  EXPECT_EQ(g.Cells(1, 1), "second");
  EXPECT_EQ(reports, (std::vector<int>{1, 1}));
}

TEST(StringGridQueries, SaveAndLoadTextsPassTheirEvents) {
  TProStringGrid g(nullptr);
  g.OnGetDisplText = [](TObject*, int, int, QString& Value) { Value += "!"; };
  g.SetCells(1, 1, "raw");
  EXPECT_EQ(g.GetSaveCellText(1, 1), "raw!");
  g.SetSaveVirtCells(false);
  EXPECT_EQ(g.GetSaveCellText(1, 1), "raw");
  g.OnSaveCell = [](TObject*, int, int, QString& Value) { Value = "<" + Value + ">"; };
  EXPECT_EQ(g.GetSaveCellText(1, 1), "<raw>");
  g.OnLoadCell = [](TObject*, int, int, QString& Value) { Value = Value.toUpper(); };
  g.SetLoadCellText(2, 2, "load");
  EXPECT_EQ(g.GridCells(2, 2), "LOAD");
}

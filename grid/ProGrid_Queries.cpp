// The per-cell questions of the string grid and the reports it makes.
#include "grid/ProGrid.h"

// ------------------------------------------------------ colours, borders, alignment

void TProStringGrid::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                                  TFont* AFont) {
  if (F.ActiveCellShow) {
    const int d = DisplColIndex(ACol);
    if ((ARow == Row() && d == FixedCols() - 1 && FixedCols() > 0) ||
        (d == Col() && ARow == FixedRows() - 1 && FixedRows() > 0)) {
      AFont->Assign(FActiveCellFont.get());
      ABrush->SetColor(F.ActiveCellColor);
    }
  }
  if (HasCellProperties(ACol, ARow)) {
    TCellProperties* p = GetCellProperties(ACol, ARow);
    // Cells without a graphic take the brush of their properties.
    if (p->BrushColor() != clNone) ABrush->SetColor(p->BrushColor());
    if (p->FontColor() != clNone) AFont->SetColor(p->FontColor());
    if (!p->FontStyle().empty()) AFont->SetStyle(p->FontStyle());
    if (p->FontSize() != 0) AFont->SetSize(p->FontSize());
    if (!p->FontName().isEmpty()) AFont->SetName(p->FontName());
  }
  if (OnGetCellColor) OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TProStringGrid::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                                       TFont* AFont) {
  if (OnGetCellPrintColor) OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TProStringGrid::GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
  if (OnGetCellBorder) OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TProStringGrid::GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) {
  if (OnGetCellPrintBorder) OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TProStringGrid::GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) {
  // The row check boxes of the hotmail selection sit centred in column 0.
  if (ACol == 0 && FMouseActions->HotmailRowSelect()) HAlign = taCenter;
  if (OnGetAlignment) OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TProStringGrid::GetCellFormat(int ACol, TSortStyle& AStyle, QString& APrefix,
                                   QString& ASuffix) {
  if (OnGetFormat) OnGetFormat(this, ACol, AStyle, APrefix, ASuffix);
}

TFont* TProStringGrid::GetCellFont(int ACol, int ARow) {
  if (!HasCellProperties(ACol, ARow)) return Font();
  TCellProperties* p = GetCellProperties(ACol, ARow);
  FCellFont->SetName(p->FontName());
  FCellFont->SetSize(p->FontSize());
  FCellFont->SetStyle(p->FontStyle());
  FCellFont->SetColor(p->FontColor());
  return FCellFont.get();
}

// ------------------------------------------------------- editor kind, editability

void TProStringGrid::GetCellEditorType(int ACol, int ARow, TEditorType& AEditor) {
  if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

void TProStringGrid::GetCellEditor(int ACol, int ARow, TEditorType& AEditor) {
  if (OnGetEditorType) OnGetEditorType(this, ACol, ARow, AEditor);
}

bool TProStringGrid::HasNoEditor(int ACol, int ARow) {
  if (!OnGetEditorType) return false;
  TEditorType editor = edNormal;
  OnGetEditorType(this, ACol, ARow, editor);
  return editor == edNone;
}

void TProStringGrid::IsFixedCell(int ACol, int ARow, bool& IsFixed) {
  if (!IsFixed)
    IsFixed = (FFixedRowAlways && ARow <= FFixedRowsMin && RowCount() == FFixedRowsMin) ||
              (FFixedColAlways && ACol < FFixedColsMin && ColCount() == FFixedColsMin) ||
              ACol < FixedCols() || ARow < FixedRows();
  if (!IsFixed && OnIsFixedCell) OnIsFixedCell(this, ARow, ACol, IsFixed);
}

void TProStringGrid::CanEditCell(int ACol, int ARow, bool& CanEdit) {
  const TPoint b = BaseCell(ACol, ARow);
  if (HasCellProperties(b.X, b.Y) && CanEdit) {
    CanEdit = !GetCellProperties(b.X, b.Y)->ReadOnly();
    if (!Options().contains(goEditing) && !FEditDisable && !FMouseActions->RangeSelectAndEdit())
      CanEdit = false;
  }
  if (b.X < ColCount() + NumHiddenColumns())
    DoCanEditCell(b.X, b.Y, CanEdit);
  else
    CanEdit = true;
}

void TProStringGrid::IsPasswordCell(int ACol, int ARow, bool& IsPassword) {
  if (OnIsPasswordCell) OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

void TProStringGrid::GetCellWordWrap(int ACol, int ARow, bool& WordWrap) {
  if (OnGetWordWrap) OnGetWordWrap(this, ACol, ARow, WordWrap);
}

bool TProStringGrid::HasComboBox(int ACol, int ARow) {
  bool answer = false;
  if (OnHasComboBox) {
    OnHasComboBox(this, ACol, ARow, answer);
  } else if (FControlLook->DropDownAlwaysVisible()) {
    TEditorType editor = FDefaultEditor;
    GetCellEditor(ACol, ARow, editor);
    answer = editor == edComboEdit || editor == edComboList;
  }
  return answer;
}

bool TProStringGrid::HasSpinEdit(int ACol, int ARow) {
  if (ACol < FixedCols() || ARow < FixedRows()) return false;
  bool answer = false;
  if (OnHasSpinEdit) {
    OnHasSpinEdit(this, ACol, ARow, answer);
  } else if (FControlLook->SpinButtonsAlwaysVisible()) {
    TEditorType editor = FDefaultEditor;
    GetCellEditorType(ACol, ARow, editor);
    answer = editor == edSpinEdit || editor == edFloatSpinEdit || editor == edTimeSpinEdit ||
             editor == edDateSpinEdit;
  }
  return answer;
}

// ------------------------------------------------------- check texts and filter values

void TProStringGrid::GetCheckTrue(int ACol, int ARow, QString& Value) {
  Value = F.CheckTrue;
  if (OnGetCheckTrue) OnGetCheckTrue(this, ACol, ARow, Value);
}

void TProStringGrid::GetCheckFalse(int ACol, int ARow, QString& Value) {
  Value = F.CheckFalse;
  if (OnGetCheckFalse) OnGetCheckFalse(this, ACol, ARow, Value);
}

namespace {

// A value with a blank becomes name="value", so that the condition takes it as one literal.
QString FilterEntry(const QString& T) {
  return T.contains(u' ') ? T + QStringLiteral("=\"") + T + u'"' : T;
}

}  // namespace

bool TProStringGrid::GetColumnFilter(int Column) {
  FFilterList->Clear();
  if (F.FilterDropDownAuto && (Column >= FixedCols() || F.FilterDropDownColumns == fdAll)) {
    FFilterList->SetSorted(true);
    for (int r = FixedRows(); r <= RowCount() - FFixedFooters - 1; ++r)
      FFilterList->Add(FilterEntry(Trim(Cells(Column, r))));
    if (!FFilterIncremental) {
      for (int i = 0; i < FGridItems->Count(); ++i) {
        TStrings* cells = FGridItems->Items(i)->Items();
        if (Column >= 0 && Column < cells->Count())
          FFilterList->Add(FilterEntry(cells->Strings(Column)));
      }
    }
    FFilterList->SetSorted(false);
    if (!F.FilterDropDownClear.isEmpty()) FFilterList->Insert(0, F.FilterDropDownClear);
  }
  if (OnGetColumnFilter) OnGetColumnFilter(this, Column, FFilterList.get());
  return FFilterList->Count() > 0;
}

// --------------------------------------------------------- saving and loading cells

QString TProStringGrid::GetSaveCellText(int ACol, int ARow) {
  QString value = F.SaveVirtCells ? Cells(ACol, ARow) : GridCells(ACol, ARow);
  if (OnSaveCell) OnSaveCell(this, ACol, ARow, value);
  return value;
}

void TProStringGrid::SetLoadCellText(int ACol, int ARow, const QString& Value) {
  QString v = Value;
  if (OnLoadCell) OnLoadCell(this, ACol, ARow, v);
  SetGridCells(ACol, ARow, v);
}

QString TProStringGrid::GetCurrentCellText() {
  const TPoint b = BaseCell(RealColIndex(Col()), Row());
  return Cells(b.X, b.Y);
}

// ------------------------------------------------------------------------ reports

void TProStringGrid::DoCanEditCell(int ACol, int ARow, bool& CanEdit) {
  if (OnCanEditCell) OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TProStringGrid::DoSearchFooterAction(const QString& Value, int ACol, int ARow,
                                          TSearchAction SearchAction) {
  if (OnSearchFooterAction) OnSearchFooterAction(this, Value, ACol, ARow, SearchAction);
}

void TProStringGrid::DoButtonClick(int ACol, int ARow) {
  if (OnButtonClick) OnButtonClick(this, ACol, ARow);
}

void TProStringGrid::DoComboCloseUp(int ARow, int ACol) {
  if (OnComboCloseUp) OnComboCloseUp(this, ARow, ACol);
}

void TProStringGrid::DoComboDropDown(int ARow, int ACol) {
  if (OnComboDropDown) OnComboDropDown(this, ARow, ACol);
}

void TProStringGrid::DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom) {
  if (F.Look == glVista || F.Look == glWin7 || F.Look == glOffice2007) {
    const TGridRect s = Selection();
    RepaintRect(TRect(s.Left, s.Top, s.Right, s.Bottom));
  }
  FSelChange = true;
  if (OnSelectionChanged) OnSelectionChanged(this, ALeft, ATop, ARight, ABottom);
}

void TProStringGrid::DoInsertRow(int ARow) {
  // ARow is a display position (RowCount appends); the node operations take real rows.
  if (FNumNodes == 0 || ARow >= RowCount())
    InsertRows(ARow, 1, true);
  else if (GetParentRow(ARow) == -1)
    InsertNormalRow(RealRowIndex(ARow));
  else
    InsertChildRow(RealRowIndex(ARow), 0);
}

void TProStringGrid::DoDeleteRow(int ARow) {
  // ARow is the cursor's display row; the child-row removal takes real rows.
  if (FNumNodes > 0) {
    if (GetParentRow(ARow) == -1)
      RemoveNormalRow(ARow);
    else
      RemoveChildRow(RealRowIndex(ARow));
  } else if (RowCount() - FixedRows() - FFixedFooters != 1 || FFixedRowAlways)
    RemoveRowRange(ARow, 1);
  else
    ClearRows(ARow, 1);
  if (OnAutoDeleteRow) OnAutoDeleteRow(this, ARow);
}

void TProStringGrid::DoFilterDone() {
  if (OnFilterDone) OnFilterDone(this);
}

void TProStringGrid::DoFixedEdit(int ACol, int ARow, TGridFixedCellEditor& AEditor,
                                 TStrings* Values) {
  if (OnFixedEdit) OnFixedEdit(this, ACol, ARow, AEditor, Values);
}

void TProStringGrid::DisableEditing() { SetOptions(Options() - TGridOptions{goEditing}); }

// ----------------------------------------------------------------- rows and cells

void TProStringGrid::InsertRows(int RowIndex, int RCount, bool UpdateCellControls) {
  DoInsertRows(RowIndex, RCount, UpdateCellControls);
}

void TProStringGrid::RemoveRowRange(int ARow, int Count) {
  for (int r = ARow; r < ARow + Count && r < RowCount(); ++r)
    for (int c = 0; c < ColCount(); ++c)
      if (IsMergedCell(c, r)) SplitCells(BaseCell(c, r).X, BaseCell(c, r).Y);
  FreeAndRemoveRows(ARow, Count);
}


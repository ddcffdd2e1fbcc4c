// Check boxes, three-state check boxes, radio buttons and radio groups in cells:
// adding them, reading and writing their state, the user's toggle and the
// column-wide operations.
//
// Columns are real column indexes throughout. GetCheckBoxState and
// SetCheckBoxState take real rows; every other operation takes display rows.
#include "grid/ProGrid.h"

namespace {

const TCellTypes kCheckBoxKinds{ctCheckBox, ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox,
                                ctTriStateCheckBox};
const TCellTypes kDataCheckBoxKinds{ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox};

TCellVAlign CheckVAlign(TVAlignment VA) {
  switch (VA) {
    case vtaCenter: return vaCenter;
    case vtaBottom: return vaBottom;
    default: return vaTop;
  }
}

// The kept item of a hidden real row; nullptr when the row is shown.
TGridItem* KeptRowItem(const TProStringGrid* Grid, int ARow) {
  TGridItems* items = Grid->GridItems();
  for (int i = 0; i < items->Count(); ++i)
    if (items->Items(i)->Idx() == ARow) return items->Items(i);
  return nullptr;
}

}  // namespace

// ------------------------------------------------------------------- helpers

void TProStringGrid::CheckCellIndex(int ACol, int ARow) {
  // Negative indexes are refused like any other cell outside the grid.
  if (ACol < 0 || ARow < 0 || ACol >= TotalColCount() || ARow >= TotalRowCount())
    throw EProGridError(QStringLiteral("Invalid cell"));
}

QString TProStringGrid::CellCheckTrue(int ACol, int ARow) {
  QString v;
  GetCheckTrue(ACol, ARow, v);
  return v;
}

QString TProStringGrid::CellCheckFalse(int ACol, int ARow) {
  QString v;
  GetCheckFalse(ACol, ARow, v);
  return v;
}

void TProStringGrid::RepaintRealCell(int ACol, int ARow) { RepaintCell(DisplColIndex(ACol), ARow); }

bool TProStringGrid::UserMayChange(int ACol, int ARow, bool FromUser, bool AlwaysActive) {
  if (!FromUser || AlwaysActive) return true;
  bool allow = true;
  CanEditCell(ACol, ARow, allow);
  return allow;
}

int TProStringGrid::FirstCheckRow() { return MouseActions()->CheckAllCheck() ? 0 : FixedRows(); }

TCellGraphic* TProStringGrid::CheckBoxGraphic(int ACol, int ARow) {
  if (NumHiddenRows() == 0) return GetCellGraphic(ACol, ARow);
  // A hidden row keeps its cells aside: look at the cell's own object there.
  TObject* own = nullptr;
  if (TGridItem* item = KeptRowItem(this, ARow)) {
    if (ACol >= 0 && ACol < item->Items()->Count())
      if (auto* p = dynamic_cast<TCellProperties*>(item->Items()->Objects(ACol)))
        own = p->GraphicObject();
    if (auto* g = dynamic_cast<TCellGraphic*>(own)) return g;
    // Without one of its own only a shared box answers: the cell shown at the
    // row's display index is another row's.
    TCellGraphic* shared = GetCellGraphic(ACol, std::max(0, DisplRowIndex(ARow)));
    if (shared && (shared->CellType() == ctVirtCheckBox || shared->CellType() == ctRowCheckBox))
      return shared;
    return nullptr;
  }
  return GetCellGraphic(ACol, DisplRowIndex(ARow));
}

namespace {

// The text of a cell at a real row, kept aside when the row is hidden.
QString RealRowText(TProStringGrid* Grid, int ACol, int ARow) {
  if (TGridItem* item = KeptRowItem(Grid, ARow))
    return ACol < item->Items()->Count() ? item->Items()->Strings(ACol) : QString();
  return Grid->Cells(ACol, Grid->DisplRowIndex(ARow));
}

void SetRealRowText(TProStringGrid* Grid, int ACol, int ARow, const QString& Value) {
  if (TGridItem* item = KeptRowItem(Grid, ARow)) {
    while (item->Items()->Count() <= ACol) item->Items()->Add(QString());
    item->Items()->SetStrings(ACol, Value);
    return;
  }
  Grid->SetCells(ACol, Grid->DisplRowIndex(ARow), Value);
}

}  // namespace

// ------------------------------------------------------------------ check boxes

void TProStringGrid::AddCheckBox(int ACol, int ARow, bool State, bool AData) {
  CheckCellIndex(ACol, ARow);
  TCellGraphic* g = CreateCellGraphic(ACol, ARow);
  g->SetCheckBox(State, AData, true, haBeforeText, CheckVAlign(VAlignment()));
  if (!AData) return;
  const QString text = Cells(ACol, ARow);
  if (text != CheckTrue() && text != CheckFalse()) SetCells(ACol, ARow, State ? CheckTrue() : CheckFalse());
}

void TProStringGrid::AddCheckBox(int ACol, int ARow, TCheckBoxState State) {
  CheckCellIndex(ACol, ARow);
  TCellGraphic* g = CreateCellGraphic(ACol, ARow);
  g->SetCheckBox(State, true, haBeforeText, CheckVAlign(VAlignment()));
}

void TProStringGrid::AddCheckBoxColumn(int ACol, bool DefaultState, bool DataCheckBox) {
  for (int r = FirstCheckRow(); r < RowCount(); ++r) {
    if (IsSummary(r)) continue;
    if (IsNode(r)) AddCheckBox(ACol, r, cbUnchecked);
    else AddCheckBox(ACol, r, DefaultState, DataCheckBox);
  }
}

void TProStringGrid::AddTriStateCheckBoxColumn(int ACol, TCheckBoxState state) {
  for (int r = FirstCheckRow(); r < RowCount(); ++r) AddCheckBox(ACol, r, state);
}

void TProStringGrid::RemoveCheckBox(int ACol, int ARow) {
  const TCellType t = GetCellType(ACol, ARow);
  if (t != ctCheckBox && t != ctDataCheckBox && t != ctTriStateCheckBox) return;
  // The graphic frees an attached balloon's texts with itself.
  RemoveCellGraphic(ACol, ARow);
}

void TProStringGrid::RemoveCheckBoxColumn(int ACol) {
  for (int r = FirstCheckRow(); r < RowCount(); ++r)
    if (HasCheckBox(ACol, r)) RemoveCheckBox(ACol, r);
}

bool TProStringGrid::HasCheckBox(int ACol, int ARow) { return HasGraphicType(ACol, ARow, kCheckBoxKinds); }

bool TProStringGrid::HasDataCheckBox(int ACol, int ARow) {
  return HasGraphicType(ACol, ARow, kDataCheckBoxKinds);
}

bool TProStringGrid::IsChecked(int ACol, int ARow) {
  bool state = false;
  GetCheckBoxState(ACol, ARow, state);
  return state;
}

bool TProStringGrid::GetCheckBoxState(int ACol, int ARow, bool& State) {
  TCellGraphic* g = CheckBoxGraphic(ACol, ARow);
  if (!g) return false;
  switch (g->CellType()) {
    case ctCheckBox:
      State = g->CellBoolean();
      return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
      State = RealRowText(this, ACol, ARow) == CellCheckTrue(ACol, ARow);
      return true;
    case ctRowCheckBox:
      if (ACol != 0) return false;
      State = ARow >= 0 && ARow < RowCount() && RowSelect(ARow);
      return true;
    case ctTriStateCheckBox:
      // The Boolean reading of a three-state box: checked only in cbChecked.
      State = g->CellCheckBoxState() == cbChecked;
      return true;
    default:
      return false;
  }
}

bool TProStringGrid::GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State) {
  TCellGraphic* g = CheckBoxGraphic(ACol, ARow);
  if (g && g->CellType() == ctTriStateCheckBox) {
    State = g->CellCheckBoxState();
    return true;
  }
  bool b = false;
  if (!GetCheckBoxState(ACol, ARow, b)) return false;
  State = BoolToCheckBoxState(b);
  return true;
}

bool TProStringGrid::SetCheckBoxState(int ACol, int ARow, bool State) {
  TCellGraphic* g = CheckBoxGraphic(ACol, ARow);
  if (!g) return false;
  switch (g->CellType()) {
    case ctCheckBox:
      g->SetCellBoolean(State);
      RepaintRealCell(ACol, DisplRowIndex(ARow));
      return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
      SetRealRowText(this, ACol, ARow, State ? CellCheckTrue(ACol, ARow) : CellCheckFalse(ACol, ARow));
      return true;
    case ctRowCheckBox:
      if (ACol != 0) return false;
      SetRowSelect(ARow, State);
      return true;
    default:
      return false;
  }
}

bool TProStringGrid::SetCheckBoxState(int ACol, int ARow, TCheckBoxState State) {
  TCellGraphic* g = CheckBoxGraphic(ACol, ARow);
  if (!g || g->CellType() != ctTriStateCheckBox) return false;
  g->SetCellCheckBoxState(State);
  RepaintRealCell(ACol, DisplRowIndex(ARow));
  return true;
}

bool TProStringGrid::ChangeCheckBoxState(int ACol, int ARow, bool State) {
  const int real = NumHiddenRows() > 0 ? RealRowIndex(ARow) : ARow;
  TCellGraphic* g = CheckBoxGraphic(ACol, real);
  if (!g) return false;
  switch (g->CellType()) {
    case ctCheckBox:
      if (State != g->CellBoolean()) {
        g->SetCellBoolean(State);
        DoCheckBoxChange(ACol, ARow, State);
        RepaintRealCell(ACol, ARow);
      }
      return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
      const bool was = Cells(ACol, ARow) == CellCheckTrue(ACol, ARow);
      SetCells(ACol, ARow, State ? CellCheckTrue(ACol, ARow) : CellCheckFalse(ACol, ARow));
      if (State != was) DoCheckBoxChange(ACol, ARow, State);
      return true;
    }
    case ctRowCheckBox:
      if (ACol != 0) return false;
      if (State != RowSelect(ARow)) {
        SetRowSelect(ARow, State);
        DoCheckBoxChange(ACol, ARow, State);
      }
      return true;
    default:
      return false;
  }
}

void TProStringGrid::CheckAll(int ACol) {
  for (int r = FixedRows(); r < RowCount(); ++r) ChangeCheckBoxState(ACol, r, true);
}

void TProStringGrid::UnCheckAll(int ACol) {
  for (int r = FixedRows(); r < RowCount(); ++r) ChangeCheckBoxState(ACol, r, false);
}

void TProStringGrid::DoCheckBoxChange(int ACol, int ARow, bool State) {
  if (OnCheckBoxChange) OnCheckBoxChange(this, ACol, ARow, State);
}

bool TProStringGrid::DoToggleCheckBox(int ACol, int ARow, bool FromUser) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g) return false;
  const bool group = Grouping()->AutoCheckGroup();
  bool nodeRow = false, collapsed = false;
  int span = 0, parent = -1;
  if (group) {
    if (IsNode(ARow)) {
      nodeRow = true;
      span = GetNodeSpan(ARow);
      collapsed = GetNodeState(ARow);
    } else {
      parent = GetParentRow(ARow);
      span = GetNodeSpan(parent);
    }
  }
  if (!kCheckBoxKinds.contains(g->CellType())) return false;
  if (!UserMayChange(ACol, ARow, FromUser, ControlLook()->CheckAlwaysActive())) return false;

  bool state = false;
  switch (g->CellType()) {
    case ctCheckBox:
      g->SetCellBoolean(!g->CellBoolean());
      state = g->CellBoolean();
      break;
    case ctTriStateCheckBox: {
      const bool groupNode = group && nodeRow;
      switch (g->CellCheckBoxState()) {
        case cbUnchecked: g->SetCellCheckBoxState(groupNode ? cbChecked : cbGrayed); break;
        case cbChecked: g->SetCellCheckBoxState(cbUnchecked); break;
        case cbGrayed: g->SetCellCheckBoxState(cbChecked); break;
      }
      state = groupNode && g->CellCheckBoxState() == cbChecked;
      break;
    }
    case ctRowCheckBox: {
      // The box shows the row's selection: toggling it selects or deselects
      // the row and leaves the cell's text alone. The header box stands for
      // all normal rows.
      if (ARow < FixedRows()) {
        state = !g->CellBoolean();
        for (int r = FixedRows(); r < RowCount(); ++r) SetRowSelect(r, state);
      } else {
        const int real = RealRowIndex(ARow);
        state = !RowSelect(real);
        SetRowSelect(real, state);
      }
      break;
    }
    default: {
      const QString ct = CellCheckTrue(ACol, ARow);
      state = Cells(ACol, ARow) != ct;
      SetCells(ACol, ARow, state ? ct : CellCheckFalse(ACol, ARow));
      break;
    }
  }
  RepaintRealCell(ACol, ARow);
  DoCheckBoxChange(ACol, ARow, state);

  if (group && nodeRow) {
    for (int k = 1; k < span; ++k) {
      const int r = collapsed ? RealRowIndex(ARow) + k : RealRowIndex(ARow + k);
      SetCheckBoxState(ACol, r, state);
    }
  } else if (group && parent >= 0 && span > 1) {
    bool first = false;
    GetCheckBoxState(ACol, RealRowIndex(parent + 1), first);
    bool same = true;
    for (int k = 1; k < span && same; ++k) {
      bool s = false;
      GetCheckBoxState(ACol, RealRowIndex(parent + k), s);
      same = s == first;
    }
    SetCheckBoxState(ACol, RealRowIndex(parent), same ? BoolToCheckBoxState(first) : cbGrayed);
  }

  if (UndoRedo()) {
    const QString ct = CellCheckTrue(ACol, ARow), cf = CellCheckFalse(ACol, ARow);
    if (state) UndoRedo()->RegisterChange(ACol, ARow, cf, ct);
    else UndoRedo()->RegisterChange(ACol, ARow, ct, cf);
  }
  return true;
}

bool TProStringGrid::IsInCheckBox(int ACol, int ARow, int XPos, int YPos) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g || !(kCheckBoxKinds.contains(g->CellType()) || g->CellType() == ctRadioButton)) return false;
  if (!MouseActions()->PreciseCheckBoxCheck()) return true;
  const int size = ControlLook()->CheckSize();
  const TRect R = CellRect(DisplColIndex(ACol), ARow);
  int top = 0;
  switch (g->CellVAlign()) {
    case vaTop: top = R.Top + 2; break;
    case vaBottom: top = R.Bottom - size - 2; break;
    case vaCenter: top = R.Top + (R.Bottom - R.Top - size) / 2; break;
    default: break;
  }
  TAlignment ha = taLeftJustify;
  TVAlignment va = VAlignment();
  GetCellAlignment(ACol, ARow, ha, va);
  int left = R.Left + 2;
  if (ha == taRightJustify) {
    left = R.Right - size - 2;
    const QString text = Cells(ACol, ARow);
    if (!text.isEmpty()) left -= Canvas()->TextWidth(text);
  } else if (ha == taCenter) {
    left = R.Left + (R.Right - R.Left - size) / 2;
  }
  return XPos >= left && XPos < left + size && YPos >= top && YPos < top + size;
}

// ---------------------------------------------------------------- radio buttons

void TProStringGrid::AddRadioButton(int ACol, int ARow, bool State) {
  CheckCellIndex(ACol, ARow);
  CreateCellGraphic(ACol, ARow)->SetRadioButton(State, true, haBeforeText, CheckVAlign(VAlignment()));
}

void TProStringGrid::RemoveRadioButton(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRadioButton); }

bool TProStringGrid::HasRadioButton(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0) return false;
  const TPoint b = BaseCell(ACol, ARow);
  return GetCellType(b.X, b.Y) == ctRadioButton;
}

void TProStringGrid::AddRadioButtonColumn(int ACol) {
  for (int r = FixedRows(); r < RowCount(); ++r) AddRadioButton(ACol, r, false);
}

void TProStringGrid::RemoveRadioButtonColumn(int ACol) {
  for (int r = FixedRows(); r < RowCount(); ++r)
    if (HasRadioButton(ACol, r)) RemoveRadioButton(ACol, r);
}

bool TProStringGrid::IsRadioButtonChecked(int ACol, int ARow) {
  if (!HasRadioButton(ACol, ARow)) return false;
  const TPoint b = BaseCell(ACol, ARow);
  return GetCellGraphic(b.X, b.Y)->CellBoolean();
}

bool TProStringGrid::SetRadioButtonState(int ACol, int ARow, bool State) {
  if (!HasRadioButton(ACol, ARow)) return false;
  const TPoint b = BaseCell(ACol, ARow);
  TCellGraphic* g = GetCellGraphic(b.X, b.Y);
  if (g->CellBoolean() != State) {
    g->SetCellBoolean(State);
    RepaintRealCell(b.X, b.Y);
  }
  return true;
}

void TProStringGrid::SetRadioButtonColumnIndex(int ACol, int Index) {
  for (int r = FixedRows(); r < RowCount(); ++r) SetRadioButtonState(ACol, r, r == Index);
}

int TProStringGrid::GetRadioButtonColumnIndex(int ACol) {
  for (int r = FixedRows(); r < RowCount(); ++r)
    if (IsRadioButtonChecked(ACol, r)) return r;
  return -1;
}

bool TProStringGrid::DoToggleRadioButton(int ACol, int ARow, bool FromUser) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g || g->CellType() != ctRadioButton) return false;
  if (!UserMayChange(ACol, ARow, FromUser, ControlLook()->CheckAlwaysActive())) return false;
  if (g->CellBoolean()) return true;
  g->SetCellBoolean(true);
  RepaintRealCell(ACol, ARow);
  // Only one button of the column is on, fixed rows included.
  for (int r = 0; r < RowCount(); ++r) {
    if (r == ARow) continue;
    TCellGraphic* other = GetCellGraphic(ACol, r);
    if (other && other->CellType() == ctRadioButton && other->CellBoolean()) {
      other->SetCellBoolean(false);
      RepaintRealCell(ACol, r);
    }
  }
  return true;
}

// ----------------------------------------------------------------- radio groups

void TProStringGrid::AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStrings* sl) {
  TCellGraphic* g = CreateCellGraphic(ACol, ARow);
  g->SetCellType(ctRadio);
  g->SetCellBitmap(sl);
  g->SetCellCreated(false);
  g->SetCellAngle(sl ? sl->Count() : 0);
  g->SetCellBoolean(DirRadio != 0);
  g->SetCellIndex(IdxRadio);
  g->SetCellHAlign(haBeforeText);
  g->SetCellVAlign(CheckVAlign(VAlignment()));
  g->SetCellTransparent(true);
}

TStrings* TProStringGrid::CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio) {
  auto* sl = new TStringList();
  AddRadio(ACol, ARow, DirRadio, IdxRadio, sl);
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  g->SetCellCreated(true);
  g->SetCellAngle(0);
  return sl;
}

bool TProStringGrid::GetRadioIdx(int ACol, int ARow, int& IdxRadio) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g) return false;
  IdxRadio = g->CellIndex();
  return g->CellType() == ctRadio;
}

bool TProStringGrid::SetRadioIdx(int ACol, int ARow, int IdxRadio) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g) return false;
  g->SetCellIndex(IdxRadio);
  if (IdxRadio == -1) SetCells(ACol, ARow, QString());
  RepaintRealCell(ACol, ARow);
  return g->CellType() == ctRadio;
}

TStrings* TProStringGrid::GetRadioStrings(int ACol, int ARow) {
  if (!IsRadio(ACol, ARow)) return nullptr;
  const TPoint b = BaseCell(ACol, ARow);
  return dynamic_cast<TStrings*>(GetCellGraphic(b.X, b.Y)->CellBitmap());
}

bool TProStringGrid::IsRadio(int ACol, int ARow) { return HasGraphicType(ACol, ARow, TCellTypes{ctRadio}); }

void TProStringGrid::RemoveRadio(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRadio); }

bool TProStringGrid::CycleRadio(int ACol, int ARow, bool FromUser) {
  TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (!g || g->CellType() != ctRadio) return false;
  if (!UserMayChange(ACol, ARow, FromUser, ControlLook()->RadioAlwaysActive())) return false;
  auto* options = dynamic_cast<TStrings*>(g->CellBitmap());
  const int count = options ? options->Count() : 0;
  int next = g->CellIndex() >= 0 ? g->CellIndex() + 1
                                 : (options ? options->IndexOf(Cells(ACol, ARow)) : -1) + 1;
  if (next >= count) next = 0;
  if (g->CellIndex() >= -1) g->SetCellIndex(next);
  g->SetCellVar(next);
  if (next < count) SetCells(ACol, ARow, options->Strings(next));
  return false;
}

// ---------------------------------------------------------- kinds of a cell

bool TProStringGrid::IsControlCell(int ACol, int ARow) {
  return HasGraphicType(ACol, ARow,
                        TCellTypes{ctCheckBox, ctDataCheckBox, ctRadio, ctButton, ctVirtCheckBox,
                                   ctRowCheckBox, ctRadioButton, ctTriStateCheckBox});
}

bool TProStringGrid::IsDataGraphicCell(int ACol, int ARow) {
  return HasGraphicType(ACol, ARow,
                        TCellTypes{ctDataCheckBox, ctDataImage, ctVirtCheckBox, ctRowCheckBox});
}

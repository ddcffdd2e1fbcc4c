// Row nodes: adding and removing them, collapsing and expanding their rows,
// parent lookup and the node settings.
#include "grid/ProGrid.h"

#include <QScopedValueRollback>
#include <algorithm>

// ------------------------------------------------------------------- TCellNode

void TCellNode::Assign(TCellNode* Source) {
  if (!Source) return;
  FColor = Source->FColor;
  FExpandOne = Source->FExpandOne;
  FNodeType = Source->FNodeType;
  FNodeColor = Source->FNodeColor;
  FNodeIndent = Source->FNodeIndent;
  FShowTree = Source->FShowTree;
  FShowTreeFull = Source->FShowTreeFull;
  FTreeColor = Source->FTreeColor;
  FExpandGlyph->Assign(Source->FExpandGlyph.get());
  FContractGlyph->Assign(Source->FContractGlyph.get());
  Changed();
}

void TCellNode::Changed() {
  if (FGrid) FGrid->Invalidate();
}

void TCellNode::SetNodeType(TCellNodeType Value) {
  if (FNodeType == Value) return;
  FNodeType = Value;
  Changed();
}

void TCellNode::SetNodeIndent(int Value) {
  if (FNodeIndent == Value) return;
  FNodeIndent = Value;
  Changed();
}

void TCellNode::SetShowTree(bool Value) {
  if (FShowTree == Value) return;
  FShowTree = Value;
  Changed();
}

void TCellNode::SetShowTreeFull(bool Value) {
  if (FShowTreeFull == Value) return;
  FShowTreeFull = Value;
  Changed();
}

void TCellNode::SetTreeColor(TColor Value) {
  if (FTreeColor == Value) return;
  FTreeColor = Value;
  Changed();
}

// ------------------------------------------------------------------- the nodes

void TProStringGrid::CheckNodeRow(int ARow) {
  if (ARow < 0 || ARow >= AllRowCount()) throw EProGridError(QStringLiteral("Invalid cell"));
}

void TProStringGrid::AddNode(int ARow, int Span) {
  CheckNodeRow(ARow);
  const int d = DisplRowIndex(ARow);
  TCellGraphic* g = CreateCellGraphic(0, d);
  g->SetCellType(ctNode);
  g->SetCellIndex(Span);
  g->SetCellBoolean(false);
  g->SetCellErrFrom(0);
  g->SetCellAngle(d);
  g->SetCellVar(-1);
  g->SetCellHAlign(haBeforeText);
  g->SetCellVAlign(vaCenter);
  // A span reaching past the last row covers the rows that exist.
  for (int r = d; r < d + Span && r < RowCount(); ++r) {
    TCellProperties* p = GetCellProperties(0, r);
    p->SetNodeLevel(p->NodeLevel() + 1);
  }
  if (FNumNodes == 0) Invalidate();
  ++FNumNodes;
  if (Col() == 0 && ColCount() > 1) SetCol(1);
}

void TProStringGrid::RemoveNode(int ARow) {
  if (ARow < 0 || ARow >= AllRowCount()) return;
  ExpandNodeRows(ARow);
  const int d = DisplRowIndex(ARow);
  if (!IsNode(d)) return;
  const int span = GetNodeSpan(d);
  for (int r = d; r < d + span && r < RowCount(); ++r) {
    TCellProperties* p = GetCellProperties(0, r);
    p->SetNodeLevel(std::max(0, p->NodeLevel() - 1));
  }
  RemoveCellGraphicOfType(0, d, ctNode);
  FNumNodes = std::max(0, FNumNodes - 1);
  Invalidate();
}

void TProStringGrid::RemoveAllNodes() {
  for (int r = 0; r < RowCount(); ++r) {
    if (!IsNode(r)) continue;
    RemoveNode(RealRowIndex(r));
  }
  Invalidate();
}

bool TProStringGrid::IsNode(int ARow) { return ARow >= 0 && ARow < RowCount() && GetCellType(0, ARow) == ctNode; }

bool TProStringGrid::IsSummary(int ARow) {
  return ARow >= 0 && ARow < RowCount() && GetCellType(0, ARow) == ctSummary;
}

bool TProStringGrid::GetNodeState(int ARow) { return IsNode(ARow) && GetCellGraphic(0, ARow)->CellBoolean(); }

void TProStringGrid::SetNodeState(int ARow, bool Value) {
  if (!IsNode(ARow) || GetNodeState(ARow) == Value) return;
  if (Value)
    ContractNode(RealRowIndex(ARow));
  else
    ExpandNode(RealRowIndex(ARow));
}

int TProStringGrid::GetNodeLevel(int ARow) { return IsNode(ARow) ? GetCellProperties(0, ARow)->NodeLevel() : -1; }

int TProStringGrid::GetNodeSpan(int ARow) { return IsNode(ARow) ? GetCellGraphic(0, ARow)->CellIndex() : -1; }

void TProStringGrid::SetNodeSpan(int ARow, int Span) {
  if (IsNode(ARow)) GetCellGraphic(0, ARow)->SetCellIndex(Span);
}

void TProStringGrid::UpdateNodeSpan(int ARow, int Delta) {
  if (IsNode(ARow)) SetNodeSpan(ARow, GetNodeSpan(ARow) + Delta);
}

int TProStringGrid::GetSubNodeCount(int ARow) { return IsNode(ARow) ? GetCellGraphic(0, ARow)->CellErrFrom() : 0; }

void TProStringGrid::UpdateSubNodeCount(int ARow, int Delta) {
  if (IsNode(ARow)) GetCellGraphic(0, ARow)->SetCellErrFrom(GetSubNodeCount(ARow) + Delta);
}

// The end (exclusive display row) of the node at display row ARow.
static int NodeEnd(TProStringGrid* G, int ARow, int From) {
  const int span = G->GetNodeSpan(ARow);
  if (span > 0) return ARow + span;
  int e = From;
  while (e < G->RowCount() && !G->IsNode(e)) ++e;
  return e;
}

void TProStringGrid::ExpandNodeRows(int ARow) {
  if (ARow < 0 || ARow >= AllRowCount()) return;
  const int b = DisplRowIndex(ARow);
  if (!GetNodeState(b)) return;
  GetCellGraphic(0, b)->SetCellBoolean(false);
  int e;
  if (GetNodeSpan(b) != 0) {
    e = b + 1;
  } else {
    e = b + 1;
    while (e < RowCount() && !IsNode(e)) ++e;
  }
  const int first = RealRowIndex(b) + 1;
  const int last = (e < RowCount() ? RealRowIndex(e) : AllRowCount()) - 1;
  BeginUpdate();
  if (first <= last) UnHideRows(first, last);
  EndUpdate();
  CalcFooter(-1);
}

void TProStringGrid::ExpandNode(int ARow) {
  if (CellNode()->ExpandOne()) {
    for (int r = FixedRows(); r < RowCount(); ++r)
      if (IsNode(r) && !GetNodeState(r) && RealRowIndex(r) != ARow) ContractNode(RealRowIndex(r));
  }
  ExpandNodeRows(ARow);
}

void TProStringGrid::ContractNode(int ARow) {
  if (ARow < 0 || ARow >= AllRowCount()) return;
  HideInplaceEdit();
  QScopedValueRollback<bool> forced(FForceSel, true);
  const int a = DisplRowIndex(ARow);
  if (!IsNode(a) || GetNodeState(a)) return;
  GetCellGraphic(0, a)->SetCellBoolean(true);
  const int b = a + 1;
  int e = std::min(NodeEnd(this, a, b), RowCount());
  int r = b;
  while (r < e) {
    if (IsNode(r) && GetNodeState(r)) {
      // The sub-node comes back open with this node; its hidden children no
      // longer count towards the end.
      const int sub = GetNodeSpan(r);
      GetCellGraphic(0, r)->SetCellBoolean(false);
      HideRows(RealRowIndex(b), RealRowIndex(r));
      e -= (r - b + 1) + (std::max(sub, 1) - 1);
      r = b;
    } else {
      ++r;
    }
  }
  if (r > b) HideRows(RealRowIndex(b), RealRowIndex(r - 1));
  CalcFooter(-1);
}

void TProStringGrid::ExpandAll() {
  BeginUpdate();
  for (int r = FixedRows(); r < AllRowCount() && r < RowCount(); ++r)
    if (IsNode(r)) ExpandNode(r);
  EndUpdate();
  CalcFooter(-1);
}

int TProStringGrid::GetParentRow(int ARow) {
  if (FNumNodes == 0) return -1;
  const bool node = IsNode(ARow);
  const int own = node ? GetCellProperties(0, ARow)->NodeLevel() : 65535;
  int hidden = 0;
  for (int r = std::min(ARow, RowCount() - 1); r >= FixedRows(); --r) {
    if (!IsNode(r) || GetCellProperties(0, r)->NodeLevel() >= own) continue;
    if (GetNodeState(r)) hidden += GetNodeSpan(r) - 1;
    if (ARow < r + GetNodeSpan(r) - hidden) return r;
  }
  return node ? ARow : -1;
}

int TProStringGrid::GetNodeSpanType(int ARow) {
  if (IsNode(ARow)) return 0;
  if (ARow < 0 || ARow >= RowCount() - FixedFooters() - 1) return 1;
  if (!HasCellProperties(0, ARow + 1)) return 1;
  const int own = HasCellProperties(0, ARow) ? GetCellProperties(0, ARow)->NodeLevel() : 0;
  return GetCellProperties(0, ARow + 1)->NodeLevel() >= own ? 2 : 1;
}

int TProStringGrid::GetNodeIndent(int ARow) {
  if (!HasNodes() || ARow < 0 || ARow >= RowCount() || !HasCellProperties(0, ARow)) return 0;
  return GetCellProperties(0, ARow)->NodeLevel() * CellNode()->NodeIndent();
}

// Hidden rows kept beyond real row After move one row down for an inserted row.
static void ShiftHiddenRows(TGridItems* Items, int After) {
  if (!Items) return;
  for (int i = 0; i < Items->Count(); ++i)
    if (Items->Items(i)->Idx() > After) Items->Items(i)->SetIdx(Items->Items(i)->Idx() + 1);
}

void TProStringGrid::ContractAll() {
  BeginUpdate();
  ExpandAll();
  TIntList rows(0, 0);
  int r = FixedRows();
  while (r < RowCount()) {
    if (!IsNode(r)) {
      ++r;
      continue;
    }
    GetCellGraphic(0, r)->SetCellBoolean(true);
    const int e = std::min(NodeEnd(this, r, r + 1), RowCount());
    for (int h = r + 1; h < e; ++h) rows.Add(h);
    r = std::max(e, r + 1);
  }
  if (rows.Count() > 0) HideRowList(&rows);
  EndUpdate();
  CalcFooter(-1);
}

bool TProStringGrid::IsNodeGlyphHit(int ARow, int X) {
  if (!MouseActions()->PreciseNodeClick()) return true;
  const int level = GetNodeLevel(ARow);
  const int indent = CellNode()->NodeIndent();
  int w = 4, m = 4;
  switch (CellNode()->NodeType()) {
    case cnFlat:
    case cnXP:
      break;
    case cn3D:
      w = 6;
      m = 0;
      break;
    case cnGlyph: {
      // A set glyph is drawn from its own width; without one nothing is there to hit but the indent.
      TBitmap* g = CellNode()->ExpandGlyph();
      const bool has = g && !g->Empty();
      w = has ? g->Width() / 2 : 0;
      m = has ? 2 : 0;
      break;
    }
    case cnLeaf:
      w = 8;
      m = 2;
      break;
  }
  if (UseRightToLeftAlignment()) {
    // Mirrored: the glyph sits at the right, left of the vertical scroll bar when that is shown.
    const int normalRows = RowCount() - FixedRows() - FixedFooters();
    const int s = VisibleRowCount() < normalRows ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    return Width() - level * indent - w - 2 <= X + s && X + s < Width() - (level - 1) * indent;
  }
  return m + (level - 1) * indent < X && X < w + level * indent;
}

void TProStringGrid::InsertChildRow(int ARow, int InsertAt) {
  CheckNodeRow(ARow);
  const int d = DisplRowIndex(ARow);
  const int p = GetParentRow(d);
  const int q = p != -1 ? RealRowIndex(p) : -1;
  int level = 0;
  if (p != -1) {
    UpdateNodeSpan(p, 1);
    UpdateSubNodeCount(p, 1);
    ExpandNodeRows(q);
    level = GetCellProperties(0, p)->NodeLevel();
    // Every enclosing node of a lower level widens too.
    int a = p, inHand = level;
    while (inHand > 1 && a != -1 && a >= FixedRows()) {
      const int up = GetParentRow(a);
      if (up == a || up == -1) break;
      a = up;
      const int l = GetCellProperties(0, a)->NodeLevel();
      if (l < inHand) {
        UpdateNodeSpan(a, 1);
        UpdateSubNodeCount(p, 1);
        ExpandNodeRows(RealRowIndex(a));
        inHand = l;
      }
    }
  }
  const bool intoNode = IsNode(d) && InsertAt == 0;
  const int pos = intoNode ? d + 1 : d + InsertAt;
  // Insert first, then move the node row's content into the new row: moving
  // first would overwrite the node's first child.
  InsertRows(pos, 1, true);
  if (intoNode) {
    for (int c = 0; c < ColCount(); ++c) {
      SetCells(c, pos, Cells(c, d));
      SetCells(c, d, QString());
      if (c == 0) continue;
      SetObjects(c, pos, Objects(c, d));
      SetObjects(c, d, nullptr);
    }
  }
  if (p != -1) GetCellProperties(0, pos)->SetNodeLevel(level);
  ShiftHiddenRows(FGridItems.get(), q);
}

void TProStringGrid::RemoveChildRow(int ARow) {
  if (ARow < 0 || ARow >= AllRowCount()) return;
  const int d = DisplRowIndex(ARow);
  int p = GetParentRow(d);
  if (p != -1) {
    const int own = GetCellProperties(0, p)->NodeLevel();
    if (GetNodeSpan(p) > 1) {
      UpdateNodeSpan(p, -1);
      UpdateSubNodeCount(p, -1);
    }
    for (;;) {
      ExpandNodeRows(RealRowIndex(p));
      if (GetCellProperties(0, p)->NodeLevel() <= 1) break;
      const int up = GetParentRow(p);
      if (up == -1 || up == p || GetCellProperties(0, up)->NodeLevel() >= own) break;
      p = up;
      if (GetNodeSpan(p) > 1) {
        UpdateNodeSpan(p, -1);
        UpdateSubNodeCount(p, -1);
      }
    }
  }
  RemoveRows(d, 1);
  FMaxRowCount = std::max(0, FMaxRowCount - 1);
}

void TProStringGrid::InsertNormalRow(int ARow) {
  CheckNodeRow(ARow);
  InsertRows(DisplRowIndex(ARow), 1, true);
  ShiftHiddenRows(FGridItems.get(), ARow);
}

void TProStringGrid::RemoveNormalRow(int ARow) {
  if (ARow < 0 || ARow >= RowCount()) return;
  RemoveRows(ARow, 1);
  FMaxRowCount = std::max(0, FMaxRowCount - 1);
}

bool TProStringGrid::NodeGlyphPress(int R, int X, TShiftState Shift, int Y) {
  if (!IsNode(R) || !IsNodeGlyphHit(R, X)) return false;
  TCellGraphic* g = GetCellGraphic(0, R);
  if (R < FixedRows()) {
    // The header glyph opens or closes every node; the press goes on.
    if (MouseActions()->NodeAllExpandContract()) {
      if (!g->CellBoolean())
        ContractAll();
      else
        ExpandAll();
      g->SetCellBoolean(!g->CellBoolean());
    }
    return false;
  }
  if (OnMouseDown) OnMouseDown(this, mbLeft, Shift, X, Y);
  if (OnClickCell) OnClickCell(this, R, 0);
  const int RR = RealRowIndex(R);
  bool allow = true;
  if (!g->CellBoolean()) {
    if (OnBeforeContractNode) OnBeforeContractNode(this, R, RR, allow);
    if (allow) {
      ContractNode(RR);
      if (OnContractNode) OnContractNode(this, R, RR);
    }
  } else {
    if (OnBeforeExpandNode) OnBeforeExpandNode(this, R, RR, allow);
    if (allow) {
      ExpandNode(RR);
      if (OnExpandNode) OnExpandNode(this, R, RR);
    }
  }
  if (MouseActions()->MoveRowOnNodeClick()) SetRow(R);
  return true;
}

void TProStringGrid::DoGetDisplText(int ACol, int ARow, QString& Value) {
  TBaseGrid::DoGetDisplText(ACol, ARow, Value);
  if (ACol != 1 || !Grouping()->ShowGroupCount() || !IsNode(ARow)) return;
  const int count = GetNodeSpan(ARow) - GetSubNodeCount(ARow) - 1;
  const QString fmt = Grouping()->GroupCountFormat();
  if (fmt.isEmpty()) {
    Value += QStringLiteral(" (%1)").arg(count);
    return;
  }
  try {
    Value += Format(fmt, {count});
  } catch (const Exception&) {
    // A format that takes no integer shows the plain count.
    Value += QStringLiteral(" (%1)").arg(count);
  }
}

// The string grid's Tab moves and its advance to the next cell (Enter, editors).
#include <algorithm>
#include <set>

#include <QScopedValueRollback>

#include "grid/ProGrid.h"

void SimulateCellClick(TProStringGrid* Grid, int ACol, int ARow) {
  const TRect r = Grid->CellRect(ACol, ARow);
  if (r.Right <= r.Left || r.Bottom <= r.Top) return;
  QScopedValueRollback<bool> force(Grid->FForceSel, true);
  QScopedValueRollback<TMouseEvent> down(Grid->OnMouseDown, nullptr);
  QScopedValueRollback<TMouseEvent> up(Grid->OnMouseUp, nullptr);
  Grid->TCustomGrid::MouseDown(mbLeft, TShiftState(), r.Left + 2, r.Top + 2);
  Grid->TCustomGrid::MouseUp(mbLeft, TShiftState(), r.Left + 2, r.Top + 2);
}

bool TProStringGrid::CanTabToCell(int ACol, int ARow) {
  bool can = Options().contains(goEditing) ? IsEditable(RealColIndex(ACol), ARow) : !IsFixed(ACol, ARow);
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
  return can;
}

int TProStringGrid::FirstTabCol(int ARow) {
  for (int c = 0; c < ColCount(); ++c)
    if (CanTabToCell(c, ARow)) return c;
  return -1;
}

int TProStringGrid::LastTabCol(int ARow) {
  for (int c = ColCount() - 1; c >= 0; --c)
    if (CanTabToCell(c, ARow)) return c;
  return -1;
}

namespace {

// What one Tab step asks of the move that runs it.
struct TTabStep {
  bool Again = false;   // take another step (a covered cell was reached, or a wrap)
  bool HandOn = false;  // the Tab goes on to the parent window
};

}  // namespace

bool TProStringGrid::TabAdvance(bool Backward) {
  bool result = true;
  TShiftState ss;
  if (Backward) ss.Include(ssShift);
  // OnKeyDown hears the Tab once per move, also when the move takes several steps.
  if (OnKeyDown && FTabDepth == 0) {
    Word k = VK_TAB;
    OnKeyDown(this, k, ss);
    if (k != VK_TAB) return true;
  }
  if (Col() == FLastTabCol && Row() == FLastTabRow) return true;
  FLastTabCol = Col();
  FLastTabRow = Row();
  ++FTabDepth;

  const int lastNormalRow = RowCount() - FixedFooters() - 1;
  const int limit = ColCount() - VisibleFixedRightCols();
  auto selectSingle = [this](int c, int r) { SetSelection(TGridRect{c, r, c, r}); };

  bool rowAdded = false;
  // One step of the move; the move repeats steps until it settles.
  auto step = [&]() -> TTabStep {
    TTabStep s;
    const int fnc = FirstNormalCol();
    const bool alongRow = Navigation()->TabAdvanceDirection() == adLeftRight;
    if (Backward && !alongRow) {
      if (Row() > FixedRows()) {
        SetRow(Row() - 1);
      } else {
        SetRow(lastNormalRow);
        SetCol(Col() > fnc ? Col() - 1 : limit - 1);
      }
    } else if (Backward) {
      if (Col() > fnc) {
        int b = 1;
        while (Col() - b >= fnc && !(CanTabToCell(Col() - b, Row()) && IsBaseCell(Col() - b, Row()))) ++b;
        if (Col() - b >= fnc) {
          SetCol(Col() - b);
        } else {
          if (Row() > FixedRows()) {
            const int t = LastTabCol(Row() - 1);
            if (t != -1) selectSingle(t, Row() - 1);
          } else {
            const int t = LastTabCol(lastNormalRow);
            if (t != -1) {
              selectSingle(t, lastNormalRow);
              MoveToColRow(t, lastNormalRow);
            }
          }
          if (!IsBaseCell(Col(), Row())) {
            const TPoint base = BaseCell(Col(), Row());
            SetCol(base.X);
            SetRow(base.Y);
          }
        }
      } else {
        int c = limit - 1;
        while (c >= FixedCols() && !CanTabToCell(c, Row())) --c;
        // A row without an accepted column keeps the column where it is.
        if (c >= FixedCols()) SetCol(c);
        SetRow(Row() > FixedRows() ? Row() - 1 : lastNormalRow);
      }
    } else if (!alongRow) {
      const int sy = CellExt(Col(), Row()).Y;
      if (Row() + sy + 1 < RowCount() - FixedFooters()) {
        SetRow(Row() + sy + 1);
      } else {
        GotoFirstRow();
        if (Col() < limit - 1) {
          SetCol(Col() + 1);
        } else {
          SetCol(fnc);
          s.HandOn = true;
        }
      }
    } else {
      const int sx = CellExt(Col(), Row()).X;
      if (Col() + sx + 1 < limit) {
        int c = 1;
        while (Col() + sx + c < limit && !CanTabToCell(Col() + sx + c, Row())) ++c;
        if (Col() + sx + c >= limit) {
          FForceSel = true;
          if (Row() < lastNormalRow) {
            const int t = FirstTabCol(Row() + 1);
            bool allow = true;
            if (OnRowChanging) OnRowChanging(this, Row(), Row() + 1, allow);
            if (OnCellChanging) OnCellChanging(this, Row(), Col(), Row() + 1, t, allow);
            if (OnColChanging) OnColChanging(this, Col(), t, allow);
            if (allow) {
              SetCol(t == -1 ? FixedCols() : t);
              SetRow(Row() + 1);
            }
          } else {
            const int t = FirstTabCol(FixedRows());
            if (t != -1) selectSingle(t, FixedRows());
            s.HandOn = true;
          }
          FForceSel = false;
        } else {
          SetCol(Col() + sx + c);
          s.Again = !IsBaseCell(Col(), Row());
        }
      } else if (Row() < lastNormalRow) {
        int e = fnc;
        while (e < ColCount() && !(IsBaseCell(e, Row() + 1) && CanTabToCell(e, Row() + 1))) ++e;
        if (e < ColCount()) {
          FForceSel = true;
          SetCol(e);
          FForceSel = false;
          SetRow(Row() + 1);
        } else {
          int g = Row() + 2;
          while (g < RowCount() && FirstTabCol(g) == -1) ++g;
          if (g < RowCount()) {
            SetRow(g);
            SetCol(FirstTabCol(g));
          } else {
            SetRow(RowCount() - 1);
            SetCol(ColCount() - 1);
            s.Again = true;
          }
        }
      } else {
        bool added = false;
        // One Tab adds one row at the most, also when it passes over read-only cells.
        if (!Navigation()->TabToNextAtEnd() && Navigation()->AdvanceInsert() && !rowAdded) {
          bool canAdd = true;
          DoCanAddRow(canAdd);
          if (canAdd) {
            if (FloatingFooter()->Visible()) {
              InsertRows(RowCount() - 1, 1, true);
              SetRow(RowCount() - 2);
            } else {
              SetRowCount(RowCount() + 1);
              SetRow(RowCount() - 1);
            }
            if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FixedFooters() - 1);
            added = true;
            rowAdded = true;
          }
        }
        if (!added) GotoFirstRow();
        const int t = FirstTabCol(Row());
        if (t != -1) SetCol(t);
        s.HandOn = true;
      }
    }
    return s;
  };

  // Read-only cells are passed over under goEditing; one pass over the grid is
  // the most a move may take: it ends when it comes back to a cell it already
  // passed, so a grid without any cell to stop at leaves the cursor where the
  // pass ends.
  const long long maxSteps = static_cast<long long>(ColCount()) * RowCount() + 1;
  std::set<std::pair<int, int>> passed{{Col(), Row()}};
  bool handOn = false;
  for (long long n = 0; n < maxSteps; ++n) {
    const int c0 = Col(), r0 = Row();
    const TTabStep s = step();
    handOn = handOn || s.HandOn;
    const bool moved = Col() != c0 || Row() != r0;
    if (!moved || !passed.insert({Col(), Row()}).second) break;
    const bool readOnly = Options().contains(goEditing) && !IsEditable(RealColIndex(Col()), Row());
    if (!s.Again && !readOnly) break;
  }

  if (handOn && Parent() != nullptr && Navigation()->TabToNextAtEnd()) {
    PostMessage(Parent()->Handle(), WM_KEYDOWN, VK_TAB, 0);
    result = false;
  }
  if (Navigation()->AdvanceAutoEdit() && !IsControlCell(RealColIndex(Col()), Row()))
    SimulateCellClick(this, Col(), Row());
  --FTabDepth;
  FLastTabCol = -1;
  FLastTabRow = -1;
  if (Navigation()->AlwaysEdit() && CanFocus()) SetFocus();
  return result;
}

void TProStringGrid::AdvanceToNextCell(int ACol, int ARow, bool Force, bool AutoEdit, bool Forward,
                                       bool Recursing, bool ShowEditor) {
  if (!Navigation()->AdvanceOnEnter() && !Force) return;
  if (MouseActions()->RangeSelectAndEdit() && !Options().contains(goEditing)) SetOptions(Options() + goEditing);
  if (!Recursing) {
    FAECol = ACol;
    FAERow = ARow;
  }
  const int c0 = ACol, r0 = ARow;
  FStartEditChar = QChar();
  const int fnc = FirstNormalCol();
  const int lastCol = ColCount() - 1 - VisibleFixedRightCols();
  const int lastRow = RowCount() - FixedFooters() - 1;
  const TAdvanceDirection dir = Navigation()->AdvanceDirection();
  // Read-only cells are skipped for at most one pass over the grid.
  const long long maxSteps = static_cast<long long>(ColCount()) * RowCount() + 1;
  int C = ACol, R = ARow;
  std::set<std::pair<int, int>> passed{{C, R}};
  for (long long n = 0; n < maxSteps; ++n) {
    const int pc = C, pr = R;
    const TPoint span = CellExt(C, R);
    if (Forward && (dir == adLeftRight || dir == adLeftRightInRow)) {
      if (C + span.X < lastCol) {
        C = C + span.X + 1;
      } else if (dir == adLeftRightInRow) {
        if (Navigation()->AdvanceOnEnterLoop()) C = fnc;
      } else if (R != lastRow) {
        ++R;
        C = fnc;
      } else if (Navigation()->AdvanceInsert()) {
        bool canAdd = true;
        DoCanAddRow(canAdd);
        C = fnc;
        if (canAdd) {
          AddRow();
          ++R;
          if (OnAutoAddRow) OnAutoAddRow(this, RowCount() - FixedFooters() - 1);
          bool any = false;
          for (int c = FixedCols(); c < ColCount() && !any; ++c) any = IsEditable(RealColIndex(c), R);
          if (!any) {
            MoveToColRow(C, R);
            return;
          }
        }
      } else if (Navigation()->AdvanceOnEnterLoop()) {
        R = FixedRows();
        C = fnc;
      }
    } else if (Forward) {
      if (R != lastRow) {
        ++R;
      } else if (dir == adTopBottomInCol) {
        R = FixedRows();
      } else if (C != ColCount() - FixedRightCols() - 1) {
        R = FixedRows();
        if (++C >= ColCount()) C = fnc;
      } else if (Navigation()->AdvanceInsert()) {
        SetColCount(ColCount() + 1);
        C = C + span.X + 1;
        R = FixedRows();
        if (OnAutoInsertCol) OnAutoInsertCol(this, ColCount() - FixedRightCols() - 1);
      } else {
        R = FixedRows();
        C = fnc;
      }
    } else if (dir == adLeftRight) {
      if (C > fnc) {
        --C;
      } else {
        R = R > FixedRows() ? R - 1 : lastRow;
        C = ColCount() - FixedRightCols() - 1;
      }
    } else if (dir == adTopBottom) {
      if (R > FixedRows()) {
        --R;
      } else {
        C = C > fnc ? C - 1 : ColCount() - FixedRightCols() - 1;
        R = lastRow;
      }
    }
    bool editable = true;
    CanEditCell(RealColIndex(C), R, editable);
    if (editable) {
      bool allow = true;
      if (OnAutoAdvance) OnAutoAdvance(this, FAERow, FAECol, R, C, allow);
      if (allow) {
        if (OnCellChanging) OnCellChanging(this, FAERow, FAECol, R, C, allow);
        if (allow) MoveToColRow(C, R);
        else MoveToColRow(c0, r0);
      } else {
        MoveToColRow(c0, r0);
      }
      FDisableChange = false;
      break;
    }
    const bool stuck = (C == pc && R == pr) || !passed.insert({C, R}).second;
    if (!Navigation()->AdvanceSkipReadOnlyCells() || stuck || n + 1 == maxSteps) {
      MoveToColRow(C, R);
      break;
    }
  }
  if (ShowEditor && AutoEdit && Navigation()->AdvanceAutoEdit() && IsEditable(RealColIndex(Col()), Row()) &&
      !IsControlCell(RealColIndex(Col()), Row()))
    ShowInplaceEdit();
  if (MouseActions()->DisjunctRowSelect()) {
    ClearRowSelect();
    SetRowSelect(Row(), true);
  }
}

// Hidden columns and rows, the translation between real and display indexes,
// the current and top row, and the row insertion and removal workers.
#include "grid/ProGrid.h"

// ------------------------------------------------------------------ hidden rows

TGridItem::TGridItem(TCollection* Collection)
    : TCollectionItem(Collection), FItems(std::make_unique<TStringList>()) {}

// The cell objects belong to the grid, which frees what is left of them.
TGridItem::~TGridItem() = default;

// ----------------------------------------------------------------- hidden columns

namespace {
constexpr int kHidingColumns = 512;  // real columns 0..511 take part in hiding
}  // namespace

bool TProStringGrid::IsHiddenColumn(int ColIndex) const {
  if (ColIndex < 0 || ColIndex >= kHidingColumns) return false;
  return !FVisibleCol[size_t(ColIndex)];
}

int TProStringGrid::DisplColIndex(int ACol) {
  if (FNumHidden == 0 || ACol < 0 || ACol >= kHidingColumns) return ACol;
  int hidden = 0;
  for (int j = 0; j < ACol; ++j)
    if (!FVisibleCol[size_t(j)]) ++hidden;
  return ACol - hidden;
}

int TProStringGrid::RealColIndex(int ACol) const {
  if (FNumHidden == 0 || ACol >= kHidingColumns) return ACol;
  int visible = 0;
  for (int j = 0; j < kHidingColumns; ++j) {
    if (!FVisibleCol[size_t(j)]) continue;
    if (visible == ACol) return j;
    ++visible;
  }
  return 0;
}

void TProStringGrid::HideColumns(int FromCol, int ToCol) {
  for (int x = std::max(0, FromCol); x <= ToCol && x < kHidingColumns; ++x) {
    if (!FVisibleCol[size_t(x)] || x >= TotalColCount() || ColCount() < 2) continue;
    const int d = DisplColIndex(x);
    FAllColWidths[size_t(x)] = int16_t(ColWidths(d));
    for (int k = d; k <= ColCount() - 2; ++k) SetColWidths(k, ColWidths(k + 1));
    ++FNumHidden;
    FVisibleCol[size_t(x)] = false;
    if (Col() == ColCount() - 1) TBaseGrid::SetCol(Col() - 1);
    SetColCount(ColCount() - 1);
  }
  Invalidate();
}

void TProStringGrid::UnHideColumns(int FromCol, int ToCol) {
  for (int x = std::max(0, FromCol); x <= ToCol && x < kHidingColumns; ++x) {
    if (FVisibleCol[size_t(x)]) continue;
    --FNumHidden;
    FVisibleCol[size_t(x)] = true;
    SetColCount(ColCount() + 1);
    for (int k = ColCount() - 1; k >= DisplColIndex(x + 1) && k > 0; --k)
      SetColWidths(k, ColWidths(k - 1));
    SetColWidths(DisplColIndex(x), FAllColWidths[size_t(x)]);
  }
  Invalidate();
}

// ---------------------------------------------------------------- index mapping

bool TProStringGrid::IsHiddenRow(int RowIndex) const {
  for (int i = 0; i < FGridItems->Count(); ++i)
    if (FGridItems->Items(i)->Idx() == RowIndex) return true;
  return false;
}

int TProStringGrid::RealRowIndex(int ARow) const {
  if (NumHiddenRows() == 0) return ARow;
  if (ARow < 0) return -1;
  std::vector<int> hidden;
  for (int i = 0; i < FGridItems->Count(); ++i) hidden.push_back(FGridItems->Items(i)->Idx());
  std::sort(hidden.begin(), hidden.end());
  // The real index of the (ARow + 1)-th row that is not hidden.
  int shown = 0;
  size_t h = 0;
  for (int r = 0;; ++r) {
    while (h < hidden.size() && hidden[h] < r) ++h;
    if (h < hidden.size() && hidden[h] == r) continue;
    if (shown++ == ARow) return r;
  }
}

int TProStringGrid::DisplRowIndex(int ARow) const {
  int below = 0;
  for (int i = 0; i < FGridItems->Count(); ++i)
    if (FGridItems->Items(i)->Idx() < ARow) ++below;
  return ARow - below;
}

// ------------------------------------------------------------ current and top row

void TProStringGrid::SetRow(int Value) {
  if (Col() >= ColCount() || Col() < 0) MoveToColRow(FixedCols(), Value);
  TBaseGrid::SetRow(Value);
  if (Row() != FLastRowUpdate && OnRowUpdate) {
    const int old = FLastRowUpdate;
    FLastRowUpdate = Row();
    OnRowUpdate(this, old, Row());
  }
  if (FMouseActions->DisjunctRowSelect()) SelectionToRowSelect(false);
  if (FSyncGrid->Grid() && FSyncGrid->SelectionRow()) FSyncGrid->Grid()->SetRow(Row());
}

void TProStringGrid::SetTopRow(int Value) {
  if (Value < FixedRows() || Value > RowCount() - 1) return;
  TBaseGrid::SetTopRow(Value);
}

// ------------------------------------------------------------ moving row contents

void TProStringGrid::RowToItem(int ARow, TGridItem* Item) {
  Item->SetHeight(RowHeights(ARow));
  for (int c = 0; c < StoredColCount(); ++c) {
    Item->Items()->AddObject(GridCells(c, ARow), GridObjects(c, ARow));
    SetGridObjects(c, ARow, nullptr);
    SetGridCells(c, ARow, QString());
  }
}

void TProStringGrid::ItemToRow(TGridItem* Item, int ARow) {
  TStrings* cells = Item->Items();
  for (int c = 0; c < cells->Count(); ++c) {
    SetGridCells(c, ARow, cells->Strings(c));
    SetGridObjects(c, ARow, cells->Objects(c));
  }
  // The objects live in the row again: the item lets go of them.
  cells->Clear();
  SetRowHeights(ARow, Item->Height());
}

// ------------------------------------------------------------------ hiding rows

void TProStringGrid::HideRows(int FromRow, int ToRow) {
  int n = 0, p = 0;
  for (int i = 0; i < FGridItems->Count(); ++i) {
    const int idx = FGridItems->Items(i)->Idx();
    if (idx >= FromRow && idx <= ToRow) ++n;
    if (idx < FromRow) ++p;
  }
  if (ToRow - FromRow + 1 <= n) return;
  const int d = FromRow - p;
  int k = 0;
  for (int r = FromRow; r <= ToRow; ++r) {
    if (IsHiddenRow(r)) continue;
    // Inserted where its index belongs, so the list stays in ascending order.
    int at = 0;
    while (at < FGridItems->Count() && FGridItems->Items(at)->Idx() < r) ++at;
    TGridItem* item = FGridItems->Insert(at);
    item->SetIdx(r);
    RowToItem(d + k, item);
    ++k;
  }
  DoRemoveRows(d, k, false);
}

void TProStringGrid::HideRowList(TIntList* RowList) {
  if (!RowList) return;
  std::vector<int> heights;
  for (int r = 0; r < RowCount(); ++r) heights.push_back(RowHeights(r));
  for (int i = 0; i < RowList->Count(); ++i) {
    const int r = RowList->Items(i);
    TGridItem* item = FGridItems->Add();
    item->SetIdx(r);
    // Filter levels count from 1: level 0 marks rows hidden one by one.
    item->SetLevel(FFilterLevel + 1);
    RowToItem(r, item);
  }
  ++FFilterLevel;
  // The remaining rows move up over the gaps.
  int w = 0, next = 0;
  for (int r = 0; r < RowCount(); ++r) {
    if (next < RowList->Count() && RowList->Items(next) == r) {
      ++next;
      continue;
    }
    if (w != r) {
      for (int c = 0; c < StoredColCount(); ++c) {
        SetGridCells(c, w, GridCells(c, r));
        SetGridObjects(c, w, GridObjects(c, r));
        SetGridObjects(c, r, nullptr);
        SetGridCells(c, r, QString());
      }
      SetRowHeights(w, heights[size_t(r)]);
    }
    ++w;
  }
  TBaseGrid::SetRowCount(RowCount() - RowList->Count());
  FNormalRowCount = RowCount();
}

// ---------------------------------------------------------------- showing rows

void TProStringGrid::UnHideRow(int RowIndex) {
  const bool modified = FShowModified->Enabled();
  FShowModified->SetEnabled(false);
  int below = 0;
  TGridItem* found = nullptr;
  for (int i = 0; i < FGridItems->Count(); ++i) {
    TGridItem* item = FGridItems->Items(i);
    if (item->Idx() < RowIndex) ++below;
    if (item->Idx() == RowIndex && !found) found = item;
  }
  if (found) {
    const int d = RowIndex - below;
    DoInsertRows(d, 1, false);
    ItemToRow(found, d);
    FGridItems->Delete(found->Index());
  }
  FShowModified->SetEnabled(modified);
}

void TProStringGrid::UnHideRows(int FromRow, int ToRow) {
  if (!IsHiddenRow(FromRow)) return;
  const bool modified = FShowModified->Enabled();
  FShowModified->SetEnabled(false);
  int below = 0;
  std::vector<TGridItem*> run;
  for (int i = 0; i < FGridItems->Count(); ++i) {
    TGridItem* item = FGridItems->Items(i);
    if (item->Idx() < FromRow) ++below;
    if (item->Idx() >= FromRow && item->Idx() <= ToRow) run.push_back(item);
  }
  const int d = FromRow - below;
  if (!run.empty()) {
    DoInsertRows(d, int(run.size()), false);
    for (TGridItem* item : run) {
      ItemToRow(item, d + item->Idx() - FromRow);
      FGridItems->Delete(item->Index());
    }
  }
  FShowModified->SetEnabled(modified);
}

void TProStringGrid::UnHideRowsAll() {
  while (FGridItems->Count() > 0) {
    int last = 0;
    while (last + 1 < FGridItems->Count() &&
           FGridItems->Items(last + 1)->Idx() == FGridItems->Items(last)->Idx() + 1)
      ++last;
    UnHideRows(FGridItems->Items(0)->Idx(), FGridItems->Items(last)->Idx());
  }
}

void TProStringGrid::UnHideRowList() {
  const int level = FFilterLevel;
  std::vector<TGridItem*> items;
  for (int i = 0; i < FGridItems->Count(); ++i)
    if (FGridItems->Items(i)->Level() == level) items.push_back(FGridItems->Items(i));
  const int n = int(items.size());
  if (n == 0) return;
  if (Row() >= RowCount()) FocusCell(FixedCols(), FixedRows());
  const int oldCount = RowCount();
  TBaseGrid::SetRowCount(oldCount + n);
  FNormalRowCount = RowCount();
  auto moveRow = [this](int From, int To) {
    for (int c = 0; c < StoredColCount(); ++c) {
      SetGridCells(c, To, GridCells(c, From));
      SetGridObjects(c, To, GridObjects(c, From));
      SetGridObjects(c, From, nullptr);
      SetGridCells(c, From, QString());
    }
    SetRowHeights(To, RowHeights(From));
  };
  int d = RowCount() - 1, s = oldCount - 1;
  // The floating footer's row stays last.
  if (FFloatingFooter->Visible()) {
    moveRow(s, d);
    --d;
    --s;
  }
  int ip = n - 1;
  for (; d >= 0; --d) {
    if (ip >= 0 && items[size_t(ip)]->Idx() == d) {
      ItemToRow(items[size_t(ip)], d);
      --ip;
    } else if (s < d) {
      moveRow(s--, d);
    } else {
      --s;
    }
  }
  // Only this level's rows come back; rows hidden otherwise stay hidden.
  for (TGridItem* item : items) FGridItems->Delete(item->Index());
}

// ----------------------------------------------------- row insertion and removal

void TProStringGrid::DoInsertRows(int RowIndex, int RCount, bool) {
  if (RCount <= 0) return;
  const int lastCol = ColCount() - 1, lastWidth = ColWidths(lastCol);
  if (FSelHidden || Col() >= ColCount() || Row() >= RowCount()) UnHideSelection();
  RowIndex = std::clamp(RowIndex, 0, RowCount());
  // The row count setter keeps a floating footer's row last.
  SetRowCount(RowCount() + RCount);
  const int last = FFloatingFooter->Visible() ? RowCount() - 2 : RowCount() - 1;
  for (int i = last; i >= RowIndex + RCount; --i) {
    for (int c = 0; c < StoredColCount(); ++c) {
      SetGridCells(c, i, GridCells(c, i - RCount));
      SetGridObjects(c, i, GridObjects(c, i - RCount));
    }
    SetRowHeights(i, RowHeights(i - RCount));
  }
  // The new rows let go of the objects that moved down.
  for (int r = RowIndex; r < RowIndex + RCount && r < RowCount(); ++r) {
    SetRowHeights(r, DefaultRowHeight());
    for (int c = 0; c < StoredColCount(); ++c) {
      SetGridObjects(c, r, nullptr);
      SetGridCells(c, r, QString());
    }
  }
  if (FModifiedRows->Count() > RowIndex)
    for (int i = 0; i < RCount; ++i) FModifiedRows->Insert(RowIndex, 0);
  if (FUseEnabledRows && FEnabledRows->Count() > RowIndex)
    for (int i = 0; i < RCount; ++i) FEnabledRows->Insert(RowIndex, 0);
  SetColWidths(lastCol, lastWidth);
  if (!ComponentState().contains(csDestroying))
    DoCellsChanged(TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
}

void TProStringGrid::DoRemoveRows(int RowIndex, int RCount, bool Adjust) {
  if (RowIndex < 0 || RowIndex >= RowCount() || RCount <= 0) return;
  RCount = std::min(RCount, RowCount() - RowIndex);
  // Footer rows and disjunct selection step aside while rows go.
  const int fixedFooters = FFixedFooters;
  FFixedFooters = 0;
  const bool footerVisible = FFloatingFooter->Visible();
  if (footerVisible) FFloatingFooter->SetVisible(false);
  const bool disjunct = FMouseActions->DisjunctRowSelect();
  FMouseActions->SetDisjunctRowSelect(false);
  const int lastCol = ColCount() - 1, lastWidth = ColWidths(lastCol);
  const int current = Row(), top = TopRow();

  std::vector<int> heights;
  for (int r = 0; r < RowCount(); ++r) heights.push_back(RowHeights(r));
  if (Adjust && NumHiddenRows() > 0) {
    const int realStart = RealRowIndex(RowIndex);
    for (int i = 0; i < FGridItems->Count(); ++i)
      if (FGridItems->Items(i)->Idx() > realStart)
        FGridItems->Items(i)->SetIdx(FGridItems->Items(i)->Idx() - RCount);
  }
  for (int n = 0; n < RCount; ++n) {
    // The row's cells (hidden columns too) go; the objects are the caller's.
    for (int c = 0; c < StoredColCount(); ++c) {
      SetGridObjects(c, RowIndex, nullptr);
      SetGridCells(c, RowIndex, QString());
    }
    DeleteRow(RowIndex);
    heights.erase(heights.begin() + RowIndex);
    if (disjunct && !FMouseActions->RowSelectPersistent() && RowIndex < int(FRowSelect.size()))
      FRowSelect.erase(FRowSelect.begin() + RowIndex);
    if (RowIndex < FModifiedRows->Count()) FModifiedRows->Delete(RowIndex);
    if (RowIndex < FEnabledRows->Count()) FEnabledRows->Delete(RowIndex);
  }
  FNormalRowCount = RowCount();

  if (current < RowCount() - fixedFooters) {
    TBaseGrid::SetTopRow(std::clamp(top, TBaseGrid::FixedRows(), RowCount() - 1));
    TBaseGrid::SetRow(std::max(current, TBaseGrid::FixedRows()));
  } else if (FixedRows() < RowCount() - fixedFooters) {
    TBaseGrid::SetRow(RowCount() - fixedFooters - 1);
  } else {
    HideSelection();
  }
  for (int r = 0; r < RowCount() && r < int(heights.size()); ++r)
    SetRowHeights(r, heights[size_t(r)]);
  SetColWidths(std::min(lastCol, ColCount() - 1), lastWidth);
  DoCellsChanged(TRect(0, RowIndex, ColCount() - 1, RowIndex + RCount));
  if (TopRow() >= RowCount() - 1 && RowCount() - 1 >= TBaseGrid::FixedRows())
    TBaseGrid::SetTopRow(RowCount() - 1);

  FMouseActions->SetDisjunctRowSelect(disjunct);
  FFixedFooters = fixedFooters;
  if (footerVisible) FFloatingFooter->SetVisible(true);
}

void TProStringGrid::FreeAndRemoveRows(int ARow, int ACount) {
  if (ACount <= 0 || ARow < 0 || ARow >= RowCount()) return;
  FreeCellPropsRange(0, ARow, StoredColCount() - 1, std::min(ARow + ACount, RowCount()) - 1);
  DoRemoveRows(ARow, ACount, true);
}

void TProStringGrid::RemoveRows(int RowIndex, int RCount) {
  if (RowIndex > RowCount() || RCount <= 0) return;
  FreeAndRemoveRows(RowIndex, RCount);
  FMaxRowCount = std::max(RowCount(), FMaxRowCount - RCount);
  // The view stays filled.
  const int limit = RowCount() + FixedRows() - VisibleRowCount() - 2;
  if (TopRow() >= limit && RowCount() - VisibleRowCount() - 1 > 0) SetTopRow(limit);
}

void TProStringGrid::AddRow() {
  if (FFloatingFooter->Visible()) {
    InsertRows(RowCount() - 1, 1, true);
    if (FFloatingFooter->FooterStyle() == fsFixedLastRow) ClearRows(RowCount() - 2, 1);
  } else {
    InsertRows(RowCount(), 1, true);
    ClearRows(RowCount() - 1, 1);
  }
}

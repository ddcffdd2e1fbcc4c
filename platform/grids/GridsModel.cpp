// The computations behind the grid controls: cell store, axis layout, cursor
// moves and the scroll-bar thumb model (see GridsModel.h).
#include "platform/grids/GridsModel.h"

#include <algorithm>

#include "platform/ui/Messages.h"
#include "platform/gdi/WinGdi.h"

namespace {
int Clamp(int Value, int Low, int High) { return Value < Low ? Low : (Value > High ? High : Value); }
}  // namespace

TGridRect GridRect(const TGridCoord& Coord1, const TGridCoord& Coord2) {
  return {std::min(Coord1.X, Coord2.X), std::min(Coord1.Y, Coord2.Y), std::max(Coord1.X, Coord2.X),
          std::max(Coord1.Y, Coord2.Y)};
}

bool PointInGridRect(int Col, int Row, const TGridRect& Rect) {
  return Col >= Rect.Left && Col <= Rect.Right && Row >= Rect.Top && Row <= Rect.Bottom;
}

// ---------------------------------------------------------------- TGridAxis

TGridAxis::TGridAxis(int Count, int FixedCount, int DefaultExtent)
    : FCount(Count), FFixedCount(FixedCount), FDefaultExtent(DefaultExtent) {}

void TGridAxis::SetCount(int Value) {
  if (!FExtents.empty()) FExtents.resize(static_cast<size_t>(Value), FDefaultExtent);
  FCount = Value;
  ++FVersion;
}

void TGridAxis::SetDefaultExtent(int Value) {
  FDefaultExtent = Value;
  FExtents.clear();
  FExtents.shrink_to_fit();
  ++FVersion;
}

int TGridAxis::Extent(int Index) const {
  if (Index < 0 || Index >= FCount) return FDefaultExtent;
  return FExtents.empty() ? FDefaultExtent : FExtents[static_cast<size_t>(Index)];
}

void TGridAxis::SetExtent(int Index, int Value) {
  if (Index < 0 || Index >= FCount) return;
  if (FExtents.empty()) {
    if (Value == FDefaultExtent) return;
    FExtents.assign(static_cast<size_t>(FCount), FDefaultExtent);
  }
  FExtents[static_cast<size_t>(Index)] = Value;
  ++FVersion;
}

void TGridAxis::MoveExtent(int From, int To) {
  if (FExtents.empty() || From == To || From < 0 || To < 0 || From >= FCount || To >= FCount) return;
  auto first = FExtents.begin();
  if (From < To)
    std::rotate(first + From, first + From + 1, first + To + 1);
  else
    std::rotate(first + To, first + From, first + From + 1);
  ++FVersion;
}

void TGridAxis::Scale(int M, int D) {
  if (M == D || D == 0) return;
  FDefaultExtent = MulDiv(FDefaultExtent, M, D);
  for (int& e : FExtents)
    if (e > 0) e = MulDiv(e, M, D);
  ++FVersion;
}

// -------------------------------------------------------- TGridAxisDrawInfo

void TGridAxisDrawInfo::Calc() {
  FixedCellCount = Axis->FixedCount();
  GridCellCount = Axis->Count();
  FixedBoundary = 0;
  for (int i = 0; i < FixedCellCount; ++i) FixedBoundary += Advance(i);
  LastFullVisibleCell = FirstGridCell;
  FullVisBoundary = FixedBoundary;
  LastVisible = FirstGridCell - 1;
  int pos = FixedBoundary;
  bool full = true;
  for (int i = FirstGridCell; i < GridCellCount && pos < GridExtent; ++i) {
    LastVisible = i;
    const int end = pos + Advance(i);
    if (full && end <= GridExtent + EffectiveLineWidth) {
      LastFullVisibleCell = i;
      FullVisBoundary = end;
    } else {
      full = false;
    }
    pos = end;
  }
  GridBoundary = std::min(pos, GridExtent);
}

bool TGridAxisDrawInfo::CellStart(int Index, int& Start) const {
  if (Index < 0 || Index >= GridCellCount) return false;
  int pos = 0;
  if (Index < FixedCellCount) {
    for (int i = 0; i < Index; ++i) pos += Advance(i);
  } else {
    if (Index < FirstGridCell || Index > LastVisible) return false;
    pos = FixedBoundary;
    for (int i = FirstGridCell; i < Index; ++i) {
      if (pos >= GridExtent) return false;
      pos += Advance(i);
    }
  }
  if (pos >= GridExtent) return false;
  Start = pos;
  return true;
}

int TGridAxisDrawInfo::CellAt(int Pos) const {
  if (Pos < 0 || Pos >= GridExtent) return -1;
  int start = 0;
  for (int i = 0; i < FixedCellCount; ++i) {
    start += Advance(i);
    if (Pos < start) return i;
  }
  for (int i = FirstGridCell; i < GridCellCount && start < GridExtent; ++i) {
    start += Advance(i);
    if (Pos < start) return i;
  }
  return -1;
}

int TGridAxisDrawInfo::FirstForLast(int Last) const {
  if (Last < FixedCellCount) return FixedCellCount;
  // The line after the last cell may be cut off, as for a fully visible cell.
  const int room = GridExtent - FixedBoundary + EffectiveLineWidth;
  int result = Last;
  int used = 0;
  for (int i = Last; i >= FixedCellCount; --i) {
    used += Advance(i);
    if (used > room) break;
    result = i;
  }
  return result;
}

TRect GridCellRect(const TGridDrawInfo& Info, int ACol, int ARow) {
  int left = 0;
  int top = 0;
  if (!Info.Horz.CellStart(ACol, left) || !Info.Vert.CellStart(ARow, top)) return TRect();
  const int w = Info.Horz.GetExtent(ACol);
  const int h = Info.Vert.GetExtent(ARow);
  if (w <= 0 || h <= 0) return TRect();
  return TRect(left, top, std::min(left + w, Info.Horz.GridExtent), std::min(top + h, Info.Vert.GridExtent));
}

TGridCoord GridCellAt(const TGridDrawInfo& Info, int X, int Y) {
  return {Info.Horz.CellAt(X), Info.Vert.CellAt(Y)};
}

bool GridSizingEdgeAt(const TGridAxisDrawInfo& Axis, int Pos, int& Index, int& SizingPos,
                      int& SizingOfs) {
  const int lw = Axis.EffectiveLineWidth;
  int line = Axis.FixedBoundary;
  for (int i = Axis.FirstGridCell; i < Axis.GridCellCount; ++i) {
    const int e = Axis.GetExtent(i);
    if (e < 0) continue;
    line += e;  // where the cell ends and its line begins
    if (line > Axis.GridExtent) break;
    if (Pos >= line - 3 && Pos <= line + lw + 2) {
      Index = i;
      SizingPos = line;
      SizingOfs = line - Pos;
      return true;
    }
    line += lw;
  }
  return false;
}

// ------------------------------------------------------------- cursor moves

TGridMoveResult GridKeyMove(const TGridMoveContext& C, TGridNavKey Key, bool Ctrl, bool Shift) {
  TGridMoveResult r;
  r.Current = C.Current;
  r.TopLeft = C.TopLeft;
  r.MoveAnchor = !Shift;
  TGridCoord& cur = r.Current;
  TGridCoord& tl = r.TopLeft;
  if (Ctrl) {
    switch (Key) {
      case gnkUp: --tl.Y; break;
      case gnkDown: ++tl.Y; break;
      case gnkLeft:
        if (!C.RowSelect) {
          cur.X -= C.PageWidth;
          tl.X -= C.PageWidth;
        }
        break;
      case gnkRight:
        if (!C.RowSelect) {
          cur.X += C.PageWidth;
          tl.X += C.PageWidth;
        }
        break;
      case gnkPageUp: cur.Y = C.TopLeft.Y; break;
      case gnkPageDown: cur.Y = C.TopLeft.Y + C.PageHeight - 1; break;
      case gnkHome: cur = {C.FixedCols, C.FixedRows}; break;
      case gnkEnd: cur = {C.ColCount - 1, C.RowCount - 1}; break;
      case gnkTab: break;
    }
  } else {
    switch (Key) {
      case gnkUp: --cur.Y; break;
      case gnkDown: ++cur.Y; break;
      case gnkLeft:
        if (C.RowSelect) --cur.Y; else --cur.X;
        break;
      case gnkRight:
        if (C.RowSelect) ++cur.Y; else ++cur.X;
        break;
      case gnkPageUp:
        cur.Y -= C.PageHeight;
        tl.Y -= C.PageHeight;
        break;
      case gnkPageDown:
        cur.Y += C.PageHeight;
        tl.Y += C.PageHeight;
        break;
      case gnkHome:
        if (C.RowSelect) cur.Y = C.FixedRows; else cur.X = C.FixedCols;
        break;
      case gnkEnd:
        if (C.RowSelect) cur.Y = C.RowCount - 1; else cur.X = C.ColCount - 1;
        break;
      case gnkTab: {
        r.MoveAnchor = true;
        auto stop = [&](int col) {
          return C.TabStops.empty() || col >= static_cast<int>(C.TabStops.size()) ||
                 C.TabStops[static_cast<size_t>(col)];
        };
        const int start = cur.X;
        // At most one round through the columns: a row without tab stops ends
        // back in the starting column.
        for (int n = 0; n < C.ColCount; ++n) {
          if (Shift) {
            if (--cur.X < C.FixedCols) {
              cur.X = C.ColCount - 1;
              if (--cur.Y < C.FixedRows) cur.Y = C.RowCount - 1;
            }
          } else if (++cur.X >= C.ColCount) {
            cur.X = C.FixedCols;
            if (++cur.Y >= C.RowCount) cur.Y = C.FixedRows;
          }
          if (stop(cur.X) || cur.X == start) break;
        }
        break;
      }
    }
  }
  tl.X = Clamp(tl.X, C.FixedCols, std::max(C.FixedCols, C.MaxTopLeft.X));
  tl.Y = Clamp(tl.Y, C.FixedRows, std::max(C.FixedRows, C.MaxTopLeft.Y));
  cur.X = Clamp(cur.X, C.FixedCols, C.ColCount - 1);
  cur.Y = Clamp(cur.Y, C.FixedRows, C.RowCount - 1);
  return r;
}

// -------------------------------------------------------------- scroll bars

int GridScrollPos(int First, int FixedCount, int Count, int VisibleCount) {
  const int range = Count - VisibleCount - FixedCount;
  if (range <= 0) return 0;
  return Clamp(MulDiv(First - FixedCount, GridScrollRange, range), 0, GridScrollRange);
}

int GridScrollFirst(int Pos, int FixedCount, int Count, int VisibleCount) {
  const int range = Count - VisibleCount - FixedCount;
  if (range <= 0) return FixedCount;
  return MulDiv(Pos, range, GridScrollRange) + FixedCount;
}

int GridScrollAction(int Code, int Pos, const TGridAxisDrawInfo& Axis, bool ThumbTracking) {
  const int fixed = Axis.FixedCellCount;
  const int maxFirst = std::max(fixed, Axis.MaxFirst());
  const int page = Axis.VisibleCount();
  int first = Axis.FirstGridCell;
  switch (Code) {
    case SB_LINEUP: --first; break;
    case SB_LINEDOWN: ++first; break;
    case SB_PAGEUP: first -= page; break;
    case SB_PAGEDOWN: first += page; break;
    case SB_THUMBPOSITION:
      first = GridScrollFirst(Pos, fixed, Axis.GridCellCount, page);
      break;
    case SB_THUMBTRACK:
      if (ThumbTracking) first = GridScrollFirst(Pos, fixed, Axis.GridCellCount, page);
      break;
    case SB_TOP: first = fixed; break;
    case SB_BOTTOM: first = maxFirst; break;
    default: break;
  }
  return Clamp(first, fixed, maxFirst);
}

// ----------------------------------------------------------- TGridCellStore

namespace {
template <typename Row>
auto LowerBound(Row& Cells, int ACol) {
  return std::lower_bound(Cells.begin(), Cells.end(), ACol,
                          [](const auto& e, int c) { return e.Col < c; });
}
}  // namespace

const TGridCellStore::TEntry* TGridCellStore::Find(int ACol, int ARow) const {
  if (ARow < 0 || ARow >= static_cast<int>(FRows.size())) return nullptr;
  const TRowCells& row = FRows[static_cast<size_t>(ARow)];
  auto it = LowerBound(row, ACol);
  return it != row.end() && it->Col == ACol ? &*it : nullptr;
}

TGridCellStore::TEntry* TGridCellStore::Slot(int ACol, int ARow) {
  if (ARow >= static_cast<int>(FRows.size())) FRows.resize(static_cast<size_t>(ARow) + 1);
  TRowCells& row = FRows[static_cast<size_t>(ARow)];
  if (row.empty()) row.reserve(static_cast<size_t>(FRowReserve));
  auto it = LowerBound(row, ACol);
  if (it == row.end() || it->Col != ACol) it = row.insert(it, TEntry{ACol, QString(), nullptr});
  return &*it;
}

void TGridCellStore::Drop(int ACol, int ARow) {
  TRowCells& row = FRows[static_cast<size_t>(ARow)];
  auto it = LowerBound(row, ACol);
  if (it == row.end() || it->Col != ACol || !it->Text.isEmpty() || it->Obj != nullptr) return;
  row.erase(it);
  if (row.empty()) TRowCells().swap(row);
  while (!FRows.empty() && FRows.back().empty()) FRows.pop_back();
}

QString TGridCellStore::Text(int ACol, int ARow) const {
  const TEntry* e = Find(ACol, ARow);
  return e != nullptr ? e->Text : QString();
}

TObject* TGridCellStore::Object(int ACol, int ARow) const {
  const TEntry* e = Find(ACol, ARow);
  return e != nullptr ? e->Obj : nullptr;
}

void TGridCellStore::SetText(int ACol, int ARow, const QString& Value) {
  if (ACol < 0 || ARow < 0) return;
  if (Value.isEmpty()) {
    if (Find(ACol, ARow) == nullptr) return;
    Slot(ACol, ARow)->Text = QString();
    Drop(ACol, ARow);
    return;
  }
  Slot(ACol, ARow)->Text = Value;
}

void TGridCellStore::SetObject(int ACol, int ARow, TObject* Value) {
  if (ACol < 0 || ARow < 0) return;
  if (Value == nullptr) {
    if (Find(ACol, ARow) == nullptr) return;
    Slot(ACol, ARow)->Obj = nullptr;
    Drop(ACol, ARow);
    return;
  }
  Slot(ACol, ARow)->Obj = Value;
}

void TGridCellStore::MoveColumn(int From, int To) {
  if (From == To || From < 0 || To < 0) return;
  const int lo = std::min(From, To);
  const int hi = std::max(From, To);
  for (TRowCells& row : FRows) {
    auto b = LowerBound(row, lo);
    auto e = LowerBound(row, hi + 1);
    if (b == e) continue;
    for (auto it = b; it != e; ++it) {
      if (it->Col == From)
        it->Col = To;
      else
        it->Col += From < To ? -1 : 1;
    }
    // The moved column's entry goes from one end of the range to the other.
    if (From < To && b->Col == To)
      std::rotate(b, b + 1, e);
    else if (From > To && (e - 1)->Col == To)
      std::rotate(b, e - 1, e);
  }
}

void TGridCellStore::MoveRow(int From, int To) {
  if (From == To || From < 0 || To < 0) return;
  const size_t need = static_cast<size_t>(std::max(From, To)) + 1;
  if (FRows.size() < need) FRows.resize(need);
  auto first = FRows.begin();
  if (From < To)
    std::rotate(first + From, first + From + 1, first + To + 1);
  else
    std::rotate(first + To, first + From, first + From + 1);
  while (!FRows.empty() && FRows.back().empty()) FRows.pop_back();
}

void TGridCellStore::ClearRow(int ARow) {
  if (ARow < 0 || ARow >= static_cast<int>(FRows.size())) return;
  TRowCells().swap(FRows[static_cast<size_t>(ARow)]);
  while (!FRows.empty() && FRows.back().empty()) FRows.pop_back();
}

void TGridCellStore::ClearColumn(int ACol) {
  for (TRowCells& row : FRows) {
    auto it = LowerBound(row, ACol);
    if (it != row.end() && it->Col == ACol) row.erase(it);
    if (row.empty() && row.capacity() > 0) TRowCells().swap(row);
  }
  while (!FRows.empty() && FRows.back().empty()) FRows.pop_back();
}

void TGridCellStore::Clear() {
  FRows.clear();
  FRows.shrink_to_fit();
}

int TGridCellStore::StoredCells() const {
  size_t n = 0;
  for (const TRowCells& row : FRows) n += row.size();
  return static_cast<int>(n);
}

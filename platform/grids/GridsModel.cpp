// The computations behind the grid controls: cell store, axis layout, cursor
// moves and the scroll-bar thumb model (see GridsModel.h).
#include "platform/grids/GridsModel.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

#if defined(__SANITIZE_ADDRESS__)
#define ZIDI_ARENA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZIDI_ARENA_ASAN 1
#endif
#endif
// Under AddressSanitizer the arena's free room and freed blocks are poisoned
// and blocks are kept apart by a poisoned gap, so that overruns and uses after
// freeing are still caught.
#ifdef ZIDI_ARENA_ASAN
#include <sanitizer/asan_interface.h>
#define ZIDI_ARENA_POISON(P, N) ASAN_POISON_MEMORY_REGION(P, N)
#define ZIDI_ARENA_UNPOISON(P, N) ASAN_UNPOISON_MEMORY_REGION(P, N)
#define ZIDI_ARENA_REDZONE 16
#else
#define ZIDI_ARENA_POISON(P, N) ((void)(P), (void)(N))
#define ZIDI_ARENA_UNPOISON(P, N) ((void)(P), (void)(N))
#define ZIDI_ARENA_REDZONE 0
#endif

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

// ----------------------------------------------------------- row block arena

namespace {

// Row blocks are carved one after the other from chunks of 2 MiB that the
// system may back with huge pages: filling a large grid then touches a few
// hundred pages where one page per few rows was touched before (on a machine
// where the first touch of a page costs microseconds, that was most of a fill).
// A chunk goes back to the system when its last block is freed; blocks larger
// than a sixteenth of a chunk are allocated on their own. The grids live on the
// user-interface thread, and so does the arena.
class TRowArena {
 public:
  static constexpr size_t kChunk = size_t(2) << 20;
  static constexpr size_t kLargest = kChunk / 16;
  static TRowArena& Instance() {
    static TRowArena a;
    return a;
  }
  // Room for Bytes from a chunk; nullptr when Bytes is too large for one or no
  // chunk could be had (the caller allocates on its own then).
  void* Allocate(size_t Bytes) {
    const size_t need = Round(Bytes) + ZIDI_ARENA_REDZONE;
    if (need > kLargest) return nullptr;
    if (FCurrent == nullptr || FCurrent->Used + need > kChunk) {
      TChunk* c = NewChunk();
      if (c == nullptr) return nullptr;
      // The chunk given up is released once its blocks are freed (at once
      // when none is left).
      if (FCurrent != nullptr && FCurrent->Live == 0) Release(FCurrent);
      FCurrent = c;
    }
    char* p = reinterpret_cast<char*>(FCurrent) + FCurrent->Used;
    FCurrent->Used += static_cast<uint32_t>(need);
    ++FCurrent->Live;
    ZIDI_ARENA_UNPOISON(p, Bytes);
    return p;
  }
  // Frees the Bytes at P (as allocated).
  void Free(void* P, size_t Bytes) {
    TChunk* c = ChunkOf(P);
    ZIDI_ARENA_POISON(P, Bytes);
    if (--c->Live != 0) return;
    if (c == FCurrent) {
      // The current chunk is used again from its start.
      c->Used = kHeader;
      ZIDI_ARENA_POISON(reinterpret_cast<char*>(c) + kHeader, kChunk - kHeader);
      return;
    }
    Release(c);
  }

 private:
  struct TChunk {
    uint32_t Live;  // blocks not freed
    uint32_t Used;  // bytes carved, the header included
  };
  static constexpr uint32_t kHeader = 16;
  static size_t Round(size_t Bytes) { return (Bytes + 15) & ~size_t(15); }
  static TChunk* ChunkOf(void* P) {
    return reinterpret_cast<TChunk*>(reinterpret_cast<uintptr_t>(P) & ~uintptr_t(kChunk - 1));
  }
  // A chunk aligned to its size (so that a block finds its chunk by its
  // address), offered to the system for huge pages.
  static TChunk* NewChunk() {
    void* raw = mmap(nullptr, 2 * kChunk, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return nullptr;
    char* r = static_cast<char*>(raw);
    char* a = reinterpret_cast<char*>((reinterpret_cast<uintptr_t>(r) + kChunk - 1) & ~uintptr_t(kChunk - 1));
    if (a > r) munmap(r, static_cast<size_t>(a - r));
    if (a + kChunk < r + 2 * kChunk) munmap(a + kChunk, static_cast<size_t>(r + 2 * kChunk - (a + kChunk)));
#ifdef MADV_HUGEPAGE
    madvise(a, kChunk, MADV_HUGEPAGE);
#endif
    auto* c = reinterpret_cast<TChunk*>(a);
    c->Live = 0;
    c->Used = kHeader;
    ZIDI_ARENA_POISON(a + kHeader, kChunk - kHeader);
    return c;
  }
  static void Release(TChunk* C) {
    ZIDI_ARENA_UNPOISON(C, kChunk);
    munmap(C, kChunk);
  }
  TChunk* FCurrent = nullptr;
};

}  // namespace

// ----------------------------------------------------------- TGridCellStore

// One row's texts: the header, Cap entries (column and where its text ends, in
// characters from the start of the texts), then CharCap characters of one byte
// (Latin-1) or, once a text of the row needs it, two (UTF-16).
struct TGridCellStore::TRowBlock {
  struct TEntry {
    int32_t Col;
    uint32_t End;
  };
  uint32_t Count;    // cells in the row
  uint32_t Cap;      // room for entries
  uint32_t CharCap;  // room for characters
  uint16_t Wide;       // 1: texts in UTF-16
  uint16_t FromArena;  // 1: carved from the row block arena, else allocated alone

  TEntry* Entries() { return reinterpret_cast<TEntry*>(this + 1); }
  const TEntry* Entries() const { return reinterpret_cast<const TEntry*>(this + 1); }
  char* Chars() { return reinterpret_cast<char*>(Entries() + Cap); }
  const char* Chars() const { return reinterpret_cast<const char*>(Entries() + Cap); }
  int CharSize() const { return Wide ? 2 : 1; }
  uint32_t Used() const { return Count == 0 ? 0 : Entries()[Count - 1].End; }
  uint32_t Start(uint32_t Index) const { return Index == 0 ? 0 : Entries()[Index - 1].End; }
  // The index of the entry for ACol, or where it would go.
  uint32_t Find(int ACol) const {
    const TEntry* e = Entries();
    // A row filled from its first column on holds column c at entry c: looked
    // at first, it spares the search's unforeseeable branches.
    if (ACol >= 0 && static_cast<uint32_t>(ACol) < Count && e[ACol].Col == ACol) return static_cast<uint32_t>(ACol);
    // Rows are mostly written from the left: a column after the last is the common case.
    if (Count == 0 || e[Count - 1].Col < ACol) return Count;
    return static_cast<uint32_t>(
        std::lower_bound(e, e + Count, ACol, [](const TEntry& x, int c) { return x.Col < c; }) - e);
  }
  bool Has(uint32_t Index, int ACol) const { return Index < Count && Entries()[Index].Col == ACol; }
  QAnyStringView View(uint32_t Index) const {
    const uint32_t b = Start(Index);
    const qsizetype n = static_cast<qsizetype>(Entries()[Index].End - b);
    if (Wide) return QStringView(reinterpret_cast<const char16_t*>(Chars()) + b, n);
    return QLatin1StringView(Chars() + b, n);
  }

  // The bytes of a block of these sizes.
  static size_t Bytes(uint32_t Cap, uint32_t CharCap, bool Wide) {
    return sizeof(TRowBlock) + Cap * sizeof(TEntry) + CharCap * (Wide ? 2u : 1u);
  }
  size_t Bytes() const { return Bytes(Cap, CharCap, Wide != 0); }
  static TRowBlock* Make(uint32_t Cap, uint32_t CharCap, bool Wide) {
    const size_t bytes = Bytes(Cap, CharCap, Wide);
    auto* b = static_cast<TRowBlock*>(TRowArena::Instance().Allocate(bytes));
    const bool arena = b != nullptr;
    if (!arena) b = static_cast<TRowBlock*>(std::malloc(bytes));
    if (b == nullptr) throw std::bad_alloc();
    b->Count = 0;
    b->Cap = Cap;
    b->CharCap = CharCap;
    b->Wide = Wide ? 1 : 0;
    b->FromArena = arena ? 1 : 0;
    return b;
  }
  // Copies N characters of one row block's texts into another's, widening when needed.
  static void CopyChars(const TRowBlock* From, uint32_t FromPos, TRowBlock* To, uint32_t ToPos, uint32_t N) {
    if (N == 0) return;
    if (From->Wide == To->Wide) {
      std::memcpy(To->Chars() + ToPos * To->CharSize(), From->Chars() + FromPos * From->CharSize(),
                  N * static_cast<size_t>(From->CharSize()));
      return;
    }
    // Only ever Latin-1 to UTF-16.
    const auto* src = reinterpret_cast<const unsigned char*>(From->Chars()) + FromPos;
    auto* dst = reinterpret_cast<char16_t*>(To->Chars()) + ToPos;
    for (uint32_t i = 0; i < N; ++i) dst[i] = src[i];
  }

  // Writes a text (already known to fit the block's width) at character Pos.
  static void PutText(TRowBlock* B, uint32_t Pos, QStringView S) {
    if (B->Wide) {
      std::memcpy(reinterpret_cast<char16_t*>(B->Chars()) + Pos, S.utf16(), static_cast<size_t>(S.size()) * 2);
    } else {
      char* dst = B->Chars() + Pos;
      const char16_t* src = S.utf16();
      for (qsizetype i = 0; i < S.size(); ++i) dst[i] = static_cast<char>(src[i]);
    }
  }
};

void TGridCellStore::TBlockFree::operator()(TRowBlock* Block) const noexcept {
  if (Block == nullptr) return;
  if (Block->FromArena)
    TRowArena::Instance().Free(Block, Block->Bytes());
  else
    std::free(Block);
}

namespace {

template <typename Row>
auto LowerBound(Row& Cells, int ACol) {
  return std::lower_bound(Cells.begin(), Cells.end(), ACol,
                          [](const auto& e, int c) { return e.Col < c; });
}

// True when every character fits into one byte.
bool FitsLatin1(QStringView S) {
  char16_t all = 0;
  const char16_t* p = S.utf16();
  for (qsizetype i = 0; i < S.size(); ++i) all |= p[i];
  return all < 0x100;
}

}  // namespace

TGridCellStore::~TGridCellStore() = default;

int TGridCellStore::CellCount(const TRowBlock* Block) { return static_cast<int>(Block->Count); }
int TGridCellStore::CellCol(const TRowBlock* Block, int Index) { return Block->Entries()[Index].Col; }
QString TGridCellStore::CellText(const TRowBlock* Block, int Index) {
  return Block->View(static_cast<uint32_t>(Index)).toString();
}

QAnyStringView TGridCellStore::TextView(int ACol, int ARow) const {
  const TRowBlock* b = RowBlock(ARow);
  if (b == nullptr) return QAnyStringView();
  const uint32_t i = b->Find(ACol);
  return b->Has(i, ACol) ? b->View(i) : QAnyStringView();
}

QString TGridCellStore::Text(int ACol, int ARow) const { return TextView(ACol, ARow).toString(); }

TObject* TGridCellStore::ObjectIn(const TObjectRow& Row, int ACol) {
  auto it = LowerBound(Row, ACol);
  return it != Row.end() && it->Col == ACol ? it->Obj : nullptr;
}

void TGridCellStore::SetText(int ACol, int ARow, const QString& Value) {
  if (ACol < 0 || ARow < 0) return;
  const size_t row = static_cast<size_t>(ARow);
  if (Value.isEmpty()) {
    TRowBlock* b = row < FRows.size() ? FRows[row].get() : nullptr;
    if (b == nullptr) return;
    const uint32_t i = b->Find(ACol);
    if (!b->Has(i, ACol)) return;
    // The entry and its text go; the texts after it move up.
    const uint32_t start = b->Start(i);
    const uint32_t len = b->Entries()[i].End - start;
    const uint32_t used = b->Used();
    const int cs = b->CharSize();
    std::memmove(b->Chars() + start * cs, b->Chars() + (start + len) * cs, (used - start - len) * cs);
    TRowBlock::TEntry* e = b->Entries();
    for (uint32_t k = i + 1; k < b->Count; ++k) e[k - 1] = {e[k].Col, e[k].End - len};
    if (--b->Count == 0) {
      FRows[row].reset();
      Trim();
    }
    return;
  }
  if (Value.size() > INT_MAX / 4) throw std::length_error("Cell text too long");
  const uint32_t len = static_cast<uint32_t>(Value.size());
  const bool wideText = !FitsLatin1(Value);
  if (row >= FRows.size()) FRows.resize(row + 1);
  TRowPtr& slot = FRows[row];
  TRowBlock* b = slot.get();
  if (b == nullptr) {
    // A new row: room for the grid's columns, texts about as long as the first
    // (a little longer, so that a row of similar texts is not moved again).
    const uint32_t cap = static_cast<uint32_t>(FRowReserve);
    slot.reset(TRowBlock::Make(cap, len <= 256 ? (len + 2) * cap : len, wideText));
    b = slot.get();
  }
  uint32_t i = b->Find(ACol);
  const bool exists = b->Has(i, ACol);
  const uint32_t oldLen = exists ? b->Entries()[i].End - b->Start(i) : 0;
  const uint32_t used = b->Used();
  if (uint64_t(used) - oldLen + len > INT_MAX / 4) throw std::length_error("Row texts too long");
  const uint32_t needChars = used - oldLen + len;
  const uint32_t needCells = b->Count + (exists ? 0 : 1);
  const bool wide = b->Wide || wideText;
  if (needChars > b->CharCap || needCells > b->Cap || wide != static_cast<bool>(b->Wide)) {
    // A bigger (or wider) block: the entries and texts move over with a little room to grow.
    const uint32_t cap = needCells > b->Cap ? std::max(needCells, b->Cap + b->Cap / 2) : b->Cap;
    const uint32_t charCap = needChars > b->CharCap ? needChars + needChars / 8 : b->CharCap;
    TRowPtr grown(TRowBlock::Make(cap, charCap, wide));
    std::copy(b->Entries(), b->Entries() + b->Count, grown->Entries());
    grown->Count = b->Count;
    TRowBlock::CopyChars(b, 0, grown.get(), 0, used);
    slot = std::move(grown);
    b = slot.get();
  }
  const int cs = b->CharSize();
  TRowBlock::TEntry* e = b->Entries();
  const uint32_t start = b->Start(i);
  if (len != oldLen) {
    // The texts after the cell's move to make room (or close up).
    const uint32_t tail = used - start - oldLen;
    if (tail != 0) std::memmove(b->Chars() + (start + len) * cs, b->Chars() + (start + oldLen) * cs, tail * cs);
    const uint32_t from = exists ? i + 1 : i;
    for (uint32_t k = from; k < b->Count; ++k) e[k].End = e[k].End - oldLen + len;
  }
  if (!exists) {
    for (uint32_t k = b->Count; k > i; --k) e[k] = e[k - 1];
    ++b->Count;
    e[i].Col = ACol;
  }
  e[i].End = start + len;
  TRowBlock::PutText(b, start, Value);
}

void TGridCellStore::SetObject(int ACol, int ARow, TObject* Value) {
  if (ACol < 0 || ARow < 0) return;
  const size_t row = static_cast<size_t>(ARow);
  if (Value == nullptr) {
    if (row >= FObjects.size()) return;
    TObjectRow& o = FObjects[row];
    auto it = LowerBound(o, ACol);
    if (it == o.end() || it->Col != ACol) return;
    o.erase(it);
    if (o.empty()) {
      TObjectRow().swap(o);
      Trim();
    }
    return;
  }
  if (row >= FObjects.size()) FObjects.resize(row + 1);
  TObjectRow& o = FObjects[row];
  auto it = LowerBound(o, ACol);
  if (it != o.end() && it->Col == ACol)
    it->Obj = Value;
  else
    o.insert(it, TObjectCell{ACol, Value});
}

void TGridCellStore::Trim() {
  while (!FRows.empty() && !FRows.back()) FRows.pop_back();
  while (!FObjects.empty() && FObjects.back().empty()) FObjects.pop_back();
}

namespace {
// Where a column goes when column From moves to To.
int MovedCol(int Col, int From, int To) {
  if (Col == From) return To;
  if (From < To && Col > From && Col <= To) return Col - 1;
  if (From > To && Col >= To && Col < From) return Col + 1;
  return Col;
}
}  // namespace

void TGridCellStore::MoveColumn(int From, int To) {
  if (From == To || From < 0 || To < 0) return;
  const int lo = std::min(From, To);
  const int hi = std::max(From, To);
  for (TRowPtr& slot : FRows) {
    TRowBlock* b = slot.get();
    if (b == nullptr) continue;
    const uint32_t first = b->Find(lo);
    const uint32_t last = b->Find(hi + 1);  // one past the cells in range
    if (first == last) continue;
    // The cells in range are laid out again in their new column order.
    struct TCell {
      int Col;
      uint32_t Start, Len;
    };
    std::vector<TCell> cells;
    for (uint32_t k = first; k < last; ++k)
      cells.push_back({MovedCol(b->Entries()[k].Col, From, To), b->Start(k), b->Entries()[k].End - b->Start(k)});
    std::sort(cells.begin(), cells.end(), [](const TCell& x, const TCell& y) { return x.Col < y.Col; });
    const uint32_t base = b->Start(first);
    const uint32_t span = b->Start(last) - base;
    const int cs = b->CharSize();
    std::vector<char> texts(b->Chars() + base * cs, b->Chars() + (base + span) * cs);
    uint32_t pos = base;
    for (uint32_t k = first; k < last; ++k) {
      const TCell& c = cells[k - first];
      std::memcpy(b->Chars() + pos * cs, texts.data() + (c.Start - base) * cs, c.Len * cs);
      pos += c.Len;
      b->Entries()[k] = {c.Col, pos};
    }
  }
  for (TObjectRow& o : FObjects) {
    auto b = LowerBound(o, lo);
    auto e = LowerBound(o, hi + 1);
    if (b == e) continue;
    for (auto it = b; it != e; ++it) it->Col = MovedCol(it->Col, From, To);
    std::sort(b, e, [](const TObjectCell& x, const TObjectCell& y) { return x.Col < y.Col; });
  }
}

void TGridCellStore::MoveRow(int From, int To) {
  if (From == To || From < 0 || To < 0) return;
  auto rotate = [&](auto& rows) {
    const size_t need = static_cast<size_t>(std::max(From, To)) + 1;
    if (rows.size() < need) rows.resize(need);
    auto first = rows.begin();
    if (From < To)
      std::rotate(first + From, first + From + 1, first + To + 1);
    else
      std::rotate(first + To, first + From, first + From + 1);
  };
  rotate(FRows);
  if (!FObjects.empty()) rotate(FObjects);
  Trim();
}

void TGridCellStore::ClearRow(int ARow) {
  if (ARow < 0) return;
  const size_t row = static_cast<size_t>(ARow);
  if (row < FRows.size()) FRows[row].reset();
  if (row < FObjects.size()) TObjectRow().swap(FObjects[row]);
  Trim();
}

void TGridCellStore::ClearColumn(int ACol) {
  for (size_t r = 0; r < FRows.size(); ++r)
    if (FRows[r] && FRows[r]->Has(FRows[r]->Find(ACol), ACol)) SetText(ACol, static_cast<int>(r), QString());
  for (size_t r = 0; r < FObjects.size(); ++r)
    if (!FObjects[r].empty()) SetObject(ACol, static_cast<int>(r), nullptr);
  Trim();
}

void TGridCellStore::Clear() {
  FRows.clear();
  FRows.shrink_to_fit();
  FObjects.clear();
  FObjects.shrink_to_fit();
}

int TGridCellStore::StoredCells() const {
  int n = 0;
  ForEach([&n](int, int, const QString&, TObject*) { ++n; });
  return n;
}

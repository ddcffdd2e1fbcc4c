// The grid controls: dimensions, scrolling, the current cell and the
// selection, painting, keys, mouse and scroll bars (Grids.h). The in-place
// editor's part is in Grids_Editor.cpp, TStringGrid in Grids_Strings.cpp.
#include "platform/grids/Grids.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <utility>

#include "platform/gdi/DeviceContext_p.h"
#include "platform/gdi/WinGdi.h"
#include "platform/ui/ControlWidget_p.h"
#include "platform/ui/Forms.h"
#include "platform/ui/WinApi.h"

namespace {

const char* const kIndexOutOfRange = "Grid index out of range";
const char* const kFixedColTooBig = "Fixed column count must be less than column count";
const char* const kFixedRowTooBig = "Fixed row count must be less than row count";

// The timer that scrolls while the mouse selects or moves outside the cells.
constexpr UINT_PTR kScrollTimer = 1;
constexpr UINT kScrollInterval = 60;

// Normal grid lines and the lines of the fixed cells.
constexpr TColor kLineColor = clSilver;
constexpr TColor kFixedLineColor = clBlack;

int Clamp(int Value, int Low, int High) { return Value < Low ? Low : (Value > High ? High : Value); }

// Sets the fixed count of a column or row axis; false when it had that count
// already. At least one cell of the axis stays scrollable (TooBig otherwise).
bool StoreFixedCount(TGridAxis& Axis, int Value, const char* TooBig) {
  if (Value == Axis.FixedCount()) return false;
  if (Value < 0) throw EInvalidGridOperation(kIndexOutOfRange);
  if (Value >= Axis.Count()) throw EInvalidGridOperation(TooBig);
  Axis.SetFixedCount(Value);
  return true;
}

// Sets the width of a column or the height of a row; false when unchanged.
bool StoreExtent(TGridAxis& Axis, int Index, int Value) {
  if (Index < 0 || Index >= Axis.Count()) throw EInvalidGridOperation(kIndexOutOfRange);
  if (Value == Axis.Extent(Index)) return false;
  Axis.SetExtent(Index, Value);
  return true;
}

// Where a cell index goes when the cell From moves to To.
void MoveAdjust(int& CellPos, int From, int To) {
  if (CellPos == From)
    CellPos = To;
  else if (From < To && CellPos > From && CellPos <= To)
    --CellPos;
  else if (From > To && CellPos >= To && CellPos < From)
    ++CellPos;
}

bool NavKey(Word Key, TGridNavKey& Nav) {
  switch (Key) {
    case VK_UP: Nav = gnkUp; return true;
    case VK_DOWN: Nav = gnkDown; return true;
    case VK_LEFT: Nav = gnkLeft; return true;
    case VK_RIGHT: Nav = gnkRight; return true;
    case VK_PRIOR: Nav = gnkPageUp; return true;
    case VK_NEXT: Nav = gnkPageDown; return true;
    case VK_HOME: Nav = gnkHome; return true;
    case VK_END: Nav = gnkEnd; return true;
    case VK_TAB: Nav = gnkTab; return true;
    default: return false;
  }
}

// The span [Start, End) of the cells Low..High that are in view on one axis,
// with their lines; false when none is.
bool AxisSpan(const TGridAxisDrawInfo& A, int Low, int High, int& Start, int& End) {
  bool any = false;
  auto take = [&](int i, int pos) {
    if (i < Low || i > High || A.GetExtent(i) < 0) return;
    if (!any) Start = pos;
    any = true;
    End = pos + A.Advance(i);
  };
  int pos = 0;
  for (int i = 0; i < A.FixedCellCount && pos < A.GridExtent; ++i) {
    take(i, pos);
    pos += A.Advance(i);
  }
  if (High >= A.FirstGridCell && Low <= A.LastVisible) {
    pos = A.FixedBoundary;
    for (int i = A.FirstGridCell; i <= A.LastVisible && i <= High; ++i) {
      take(i, pos);
      pos += A.Advance(i);
    }
  }
  if (any) End = std::min(End, A.GridExtent);
  return any && End > Start;
}

// True when two fonts draw the same glyphs (their colours aside).
bool SameFace(const TFont& A, const TFont& B) {
  return A.Height() == B.Height() && A.PixelsPerInch() == B.PixelsPerInch() && A.Style() == B.Style() &&
         A.Orientation() == B.Orientation() && A.Charset() == B.Charset() && A.Pitch() == B.Pitch() &&
         A.Name() == B.Name();
}

}  // namespace

// The texts of the cells in view: a text is written directly the first time it
// is painted, and from then on from an image of it in its colour (written once,
// transparent around the glyphs), which is much quicker than writing glyph by
// glyph. Entries of cells no longer drawn go when the cache has grown well
// beyond one screen.
struct TCustomGrid::TTextCache {
  struct TEntry {
    QString Text;
    const TFontInfo* Font = nullptr;
    bool Seen = false;  // painted once already
    QImage Written;
    QRect Ink;  // where the image's glyphs may reach, from the text's top-left corner
    QPoint Offset;  // of the image from the text's top-left corner
    QRgb Color = 0;
    unsigned Paint = 0;  // the paint that drew it last
  };
  std::unordered_map<uint64_t, TEntry> Cells;
  unsigned Paint = 0;
  int Drawn = 0;  // cells drawn by the current paint
  // Whether the last font asked about can be drawn directly (no symbol face,
  // no rotation).
  const TFontInfo* CheckedFont = nullptr;
  bool Direct = false;

  static uint64_t Key(int ACol, int ARow) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(ARow)) << 32) | static_cast<uint32_t>(ACol);
  }
  bool DrawsDirectly(const TFontInfo* F) {
    if (F != CheckedFont) {
      CheckedFont = F;
      Direct = F->Log.lfEscapement == 0 &&
               F->Log.lfFaceName.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) != 0;
    }
    return Direct;
  }
  // Drops the cells that the last paint did not draw once there are many more
  // of them than it drew.
  void Sweep() {
    if (Cells.size() <= static_cast<size_t>(2 * Drawn + 64)) return;
    for (auto it = Cells.begin(); it != Cells.end();)
      it = it->second.Paint == Paint ? std::next(it) : Cells.erase(it);
  }
};

// ---------------------------------------------------------------- TCustomGrid

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  // No csClickEvents: the grid fires OnClick itself when the cursor moves.
  SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks});
  SetParentColor(false);
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(Left(), Top(), 320, 120);
  FTextCache = std::make_unique<TTextCache>();
  Initialize();
}

TCustomGrid::~TCustomGrid() {
  // The editor goes first, while the grid is still whole, and no focus change
  // on the way may make a new one.
  FEditorMode = false;
  delete std::exchange(FInplaceEdit, nullptr);
  DestroyComponents();
}

void TCustomGrid::Initialize() {
  FCurrent = {FixedCols(), FixedRows()};
  FTopLeft = FCurrent;
  FAnchor = FCurrent;
  if (FOptions.contains(goRowSelect)) FAnchor.X = ColCount() - 1;
}

// --- layout ---

void TCustomGrid::CalcDrawInfo(TGridDrawInfo& DrawInfo) { DrawInfo = Layout(); }

const TGridDrawInfo& TCustomGrid::Layout() {
  const TRect client = ClientRect();
  const bool vertLines = FOptions.contains(goFixedVertLine) || FOptions.contains(goVertLine);
  const bool horzLines = FOptions.contains(goFixedHorzLine) || FOptions.contains(goHorzLine);
  // The layout is kept until one of the things it depends on changes.
  const TLayoutKey key{client.Width(), client.Height(), FTopLeft.X, FTopLeft.Y,
                       vertLines ? FGridLineWidth : 0, horzLines ? FGridLineWidth : 0,
                       FHorz.Version(), FVert.Version()};
  if (!FLayoutValid || !(key == FLayoutKey)) {
    TGridAxisDrawInfo& h = FLayout.Horz;
    TGridAxisDrawInfo& v = FLayout.Vert;
    h.Axis = &FHorz;
    v.Axis = &FVert;
    h.EffectiveLineWidth = key.LineH;
    v.EffectiveLineWidth = key.LineV;
    h.GridExtent = key.Width;
    v.GridExtent = key.Height;
    h.FirstGridCell = FTopLeft.X;
    v.FirstGridCell = FTopLeft.Y;
    h.Calc();
    v.Calc();
    FLayoutKey = key;
    FLayoutValid = true;
  }
  return FLayout;
}

void TCustomGrid::CalcFixedInfo(TGridDrawInfo& DrawInfo) { CalcDrawInfo(DrawInfo); }

TRect TCustomGrid::CellRect(int ACol, int ARow) {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  return GridCellRect(info, ACol, ARow);
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) {
  const TGridCoord c = MouseCoord(X, Y);
  ACol = c.X;
  ARow = c.Y;
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  return GridCellAt(info, X, Y);
}

int TCustomGrid::VisibleColCount() {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  return info.Horz.VisibleCount();
}

int TCustomGrid::VisibleRowCount() {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  return info.Vert.VisibleCount();
}

TRect TCustomGrid::GridRectToScreenRect(const TGridRect& ARect) {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  TRect r;
  if (!AxisSpan(info.Horz, ARect.Left, ARect.Right, r.Left, r.Right) ||
      !AxisSpan(info.Vert, ARect.Top, ARect.Bottom, r.Top, r.Bottom))
    return TRect();
  return r;
}

// --- dimensions ---

void TCustomGrid::SetColCount(int Value) {
  if (Value == ColCount()) return;
  if (Value < 1) Value = 1;
  if (Value <= FixedCols()) SetFixedCols(Value - 1);
  ChangeSize(Value, RowCount());
  if (FOptions.contains(goRowSelect)) {
    FAnchor.X = ColCount() - 1;
    InvalidateGrid();
  }
}

void TCustomGrid::SetRowCount(int Value) {
  if (Value == RowCount()) return;
  if (Value < 1) Value = 1;
  if (Value <= FixedRows()) SetFixedRows(Value - 1);
  ChangeSize(ColCount(), Value);
}

void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount) {
  NewColCount = std::max(1, NewColCount);
  NewRowCount = std::max(1, NewRowCount);
  const int oldCols = ColCount();
  const int oldRows = RowCount();
  if (FixedCols() >= NewColCount) FHorz.SetFixedCount(NewColCount - 1);
  if (FixedRows() >= NewRowCount) FVert.SetFixedCount(NewRowCount - 1);
  FHorz.SetCount(NewColCount);
  FVert.SetCount(NewRowCount);
  if (!FTabStops.empty()) FTabStops.resize(static_cast<size_t>(NewColCount), true);
  // The cursor, the anchor and the scroll position stay inside the grid.
  auto inside = [&](TGridCoord& c) {
    c.X = Clamp(c.X, FixedCols(), NewColCount - 1);
    c.Y = Clamp(c.Y, FixedRows(), NewRowCount - 1);
  };
  inside(FCurrent);
  inside(FAnchor);
  inside(FTopLeft);
  if (FOptions.contains(goRowSelect)) {
    FCurrent.X = FixedCols();
    FAnchor.X = NewColCount - 1;
  }
  if (FInplaceCol >= NewColCount || FInplaceRow >= NewRowCount) HideEdit();
  SizeChanged(oldCols, oldRows);
  LayoutChanged();
}

void TCustomGrid::SetFixedCols(int Value) {
  if (!StoreFixedCount(FHorz, Value, kFixedColTooBig)) return;
  Initialize();
  LayoutChanged();
}

void TCustomGrid::SetFixedRows(int Value) {
  if (!StoreFixedCount(FVert, Value, kFixedRowTooBig)) return;
  Initialize();
  LayoutChanged();
}

void TCustomGrid::SetDefaultColWidth(int Value) {
  FHorz.SetDefaultExtent(Value);
  ColWidthsChanged();
  InvalidateGrid();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
  FVert.SetDefaultExtent(Value);
  RowHeightsChanged();
  InvalidateGrid();
}

void TCustomGrid::SetColWidths(int Index, int Value) {
  if (!StoreExtent(FHorz, Index, Value)) return;
  ColWidthsChanged();
  InvalidateGrid();
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
  if (!StoreExtent(FVert, Index, Value)) return;
  RowHeightsChanged();
  InvalidateGrid();
}

bool TCustomGrid::TabStops(int Index) const {
  if (Index < 0 || Index >= static_cast<int>(FTabStops.size())) return true;
  return FTabStops[static_cast<size_t>(Index)];
}

void TCustomGrid::SetTabStops(int Index, bool Value) {
  if (Index < 0 || Index >= ColCount()) throw EInvalidGridOperation(kIndexOutOfRange);
  if (FTabStops.empty()) {
    if (Value) return;
    FTabStops.assign(static_cast<size_t>(ColCount()), true);
  }
  FTabStops[static_cast<size_t>(Index)] = Value;
}

void TCustomGrid::SetGridLineWidth(int Value) {
  if (Value == FGridLineWidth) return;
  FGridLineWidth = std::max(0, Value);
  LayoutChanged();
}

void TCustomGrid::SetFixedColor(TColor Value) {
  if (Value == FFixedColor) return;
  FFixedColor = Value;
  InvalidateGrid();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
  if (Value == FOptions) return;
  if (Value.contains(goRowSelect)) Value.Exclude(goAlwaysShowEditor);
  FOptions = Value;
  if (!FEditorMode) {
    if (Value.contains(goAlwaysShowEditor))
      ShowEditor();
    else
      HideEditor();
  }
  if (Value.contains(goRowSelect)) MoveColRow(Col(), Row(), true, false);
  LayoutChanged();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  UpdateScrollRange();
}

void TCustomGrid::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
  if (Value == FDefaultDrawing) return;
  FDefaultDrawing = Value;
  InvalidateGrid();
}

void TCustomGrid::ChangeScale(int M, int D) {
  if (M == D || D == 0) return;
  FHorz.Scale(M, D);
  FVert.Scale(M, D);
  LayoutChanged();
}

void TCustomGrid::LayoutChanged() {
  UpdateScrollRange();
  InvalidateGrid();
  UpdateEdit();
}

// --- overridable behaviour ---

bool TCustomGrid::SelectCell(int, int) { return true; }

bool TCustomGrid::CanEditAcceptKey(QChar) { return true; }
bool TCustomGrid::CanEditModify() { return FCanEditModify; }
bool TCustomGrid::CanGridAcceptKey(Word, TShiftState) { return true; }
QString TCustomGrid::GetEditText(int, int) { return QString(); }
void TCustomGrid::SetEditText(int, int, const QString&) {}
QString TCustomGrid::GetEditMask(int, int) { return QString(); }
int TCustomGrid::GetEditLimit() { return 0; }
void TCustomGrid::SizeChanged(int, int) {}
void TCustomGrid::ColumnMoved(int, int) {}
void TCustomGrid::RowMoved(int, int) {}

void TCustomGrid::ColWidthsChanged() {
  UpdateScrollRange();
  UpdateEdit();
}

void TCustomGrid::RowHeightsChanged() {
  UpdateScrollRange();
  UpdateEdit();
}

void TCustomGrid::TopLeftChanged() {
  // The editor moves with its cell (and hides while the cell is out of view).
  if (FEditorMode && FInplaceEdit != nullptr) UpdateEdit();
}

void TCustomGrid::DeleteColumn(int ACol) {
  MoveColumn(ACol, ColCount() - 1);
  SetColCount(ColCount() - 1);
}

void TCustomGrid::DeleteRow(int ARow) {
  MoveRow(ARow, RowCount() - 1);
  SetRowCount(RowCount() - 1);
}

// --- scrolling ---

void TCustomGrid::SetLeftCol(int Value) {
  MoveTopLeft(Clamp(Value, FixedCols(), ColCount() - 1), TopRow());
}

void TCustomGrid::SetTopRow(int Value) {
  MoveTopLeft(LeftCol(), Clamp(Value, FixedRows(), RowCount() - 1));
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop) {
  if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
  FTopLeft = {ALeft, ATop};
  UpdateScrollPos();
  InvalidateGrid();
  TopLeftChanged();
}

void TCustomGrid::ClampInView(const TGridCoord& Coord) {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  int left = FTopLeft.X;
  int top = FTopLeft.Y;
  if (Coord.X >= FixedCols()) {
    if (Coord.X < left)
      left = Coord.X;
    else if (Coord.X > info.Horz.LastFullVisibleCell)
      left = info.Horz.FirstForLast(Coord.X);
  }
  if (Coord.Y >= FixedRows()) {
    if (Coord.Y < top)
      top = Coord.Y;
    else if (Coord.Y > info.Vert.LastFullVisibleCell)
      top = info.Vert.FirstForLast(Coord.Y);
  }
  MoveTopLeft(left, top);
}

void TCustomGrid::UpdateScrollRange() {
  if (!HandleAllocated() || FInScrollUpdate) return;
  FInScrollUpdate = true;
  // Showing or hiding a bar changes the client area, so the layout is taken again
  // until the bars stay as they are.
  for (int pass = 0; pass < 3; ++pass) {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    const int maxLeft = info.Horz.MaxFirst();
    const int maxTop = info.Vert.MaxFirst();
    // A grid that shows all its cells shows them from the first one.
    if (maxLeft <= FixedCols() && FTopLeft.X != FixedCols()) MoveTopLeft(FixedCols(), FTopLeft.Y);
    if (maxTop <= FixedRows() && FTopLeft.Y != FixedRows()) MoveTopLeft(FTopLeft.X, FixedRows());
    const bool needH = (FScrollBars == ssHorizontal || FScrollBars == ssBoth) && maxLeft > FixedCols();
    const bool needV = (FScrollBars == ssVertical || FScrollBars == ssBoth) && maxTop > FixedRows();
    const bool hadH = (WindowStyle() & WS_HSCROLL) != 0;
    const bool hadV = (WindowStyle() & WS_VSCROLL) != 0;
    HWND h = Handle();
    if (needH)
      SetScrollRange(h, SB_HORZ, 0, GridScrollRange, true);
    else
      ShowScrollBar(h, SB_HORZ, false);
    if (needV)
      SetScrollRange(h, SB_VERT, 0, GridScrollRange, true);
    else
      ShowScrollBar(h, SB_VERT, false);
    if (needH == hadH && needV == hadV) break;
  }
  FInScrollUpdate = false;
  UpdateScrollPos();
}

void TCustomGrid::UpdateScrollPos() {
  if (!HandleAllocated()) return;
  TGridDrawInfo info;
  CalcDrawInfo(info);
  HWND h = Handle();
  if ((WindowStyle() & WS_HSCROLL) != 0)
    SetScrollPos(h, SB_HORZ, GridScrollPos(FTopLeft.X, FixedCols(), ColCount(), info.Horz.VisibleCount()), true);
  if ((WindowStyle() & WS_VSCROLL) != 0)
    SetScrollPos(h, SB_VERT, GridScrollPos(FTopLeft.Y, FixedRows(), RowCount(), info.Vert.VisibleCount()), true);
}

void TCustomGrid::ModifyScrollBar(int Bar, int ScrollCode, int Pos) {
  if (Visible() && CanFocus() && TabStop() && !ComponentState().contains(csDesigning) && !IsActiveControl())
    SetFocus();
  TGridDrawInfo info;
  CalcDrawInfo(info);
  const bool tracking = FOptions.contains(goThumbTracking);
  if (Bar == SB_HORZ)
    MoveTopLeft(GridScrollAction(ScrollCode, Pos, info.Horz, tracking), FTopLeft.Y);
  else
    MoveTopLeft(FTopLeft.X, GridScrollAction(ScrollCode, Pos, info.Vert, tracking));
  // The thumb settles on the position of the cell shown.
  if (ScrollCode == SB_THUMBPOSITION || ScrollCode == SB_ENDSCROLL) UpdateScrollPos();
}

void TCustomGrid::WMHScroll(TWMScroll& Message) {
  // A scroll-bar control placed on the grid hears of its own messages.
  if (Message.ScrollBar() != nullptr) {
    TCustomControl::WMHScroll(Message);
    return;
  }
  ModifyScrollBar(SB_HORZ, Message.ScrollCode(), Message.Pos());
  Message.Result = 0;
}

void TCustomGrid::WMVScroll(TWMScroll& Message) {
  if (Message.ScrollBar() != nullptr) {
    TCustomControl::WMVScroll(Message);
    return;
  }
  ModifyScrollBar(SB_VERT, Message.ScrollCode(), Message.Pos());
  Message.Result = 0;
}

// --- current cell and selection ---

TGridRect TCustomGrid::Selection() const { return GridRect(FCurrent, FAnchor); }

void TCustomGrid::SetSelection(const TGridRect& Value) {
  const TGridRect old = Selection();
  FAnchor = {Value.Left, Value.Top};
  FCurrent = {Value.Right, Value.Bottom};
  SelectionMoved(old);
}

void TCustomGrid::SetCol(int Value) {
  if (Value != Col()) FocusCell(Value, Row(), true);
}

void TCustomGrid::SetRow(int Value) {
  if (Value != Row()) FocusCell(Col(), Value, true);
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show) {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
    throw EInvalidGridOperation(kIndexOutOfRange);
  if (!SelectCell(ACol, ARow)) return;
  const TGridRect old = Selection();
  // The editor's text reaches its cell before the cursor leaves it.
  if (!FOptions.contains(goAlwaysShowEditor)) HideEditor();
  FCurrent = {ACol, ARow};
  if (MoveAnchor || !FOptions.contains(goRangeSelect)) {
    FAnchor = FCurrent;
    if (FOptions.contains(goRowSelect)) FAnchor.X = ColCount() - 1;
  }
  if (FOptions.contains(goRowSelect)) FCurrent.X = FixedCols();
  if (Show) ClampInView(FCurrent);
  SelectionMoved(old);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor) {
  MoveColRow(ACol, ARow, MoveAnchor, true);
  UpdateEdit();
  Click();
}

void TCustomGrid::MoveAnchor(const TGridCoord& NewAnchor) {
  if (!FOptions.contains(goRangeSelect)) {
    MoveColRow(NewAnchor.X, NewAnchor.Y, true, true);
    return;
  }
  const TGridRect old = Selection();
  FAnchor = NewAnchor;
  if (FOptions.contains(goRowSelect)) FAnchor.X = ColCount() - 1;
  ClampInView(NewAnchor);
  SelectionMoved(old);
}

void TCustomGrid::SelectionMoved(const TGridRect& OldSel) {
  const TGridRect sel = Selection();
  if (sel == OldSel) {
    InvalidateGridRect(sel);
    return;
  }
  InvalidateGridRect(OldSel);
  InvalidateGridRect(sel);
}

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex) {
  if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= ColCount() ||
      ToIndex >= ColCount())
    return;
  FHorz.MoveExtent(FromIndex, ToIndex);
  if (!FTabStops.empty()) {
    auto first = FTabStops.begin();
    if (FromIndex < ToIndex)
      std::rotate(first + FromIndex, first + FromIndex + 1, first + ToIndex + 1);
    else
      std::rotate(first + ToIndex, first + FromIndex, first + FromIndex + 1);
  }
  MoveAdjust(FCurrent.X, FromIndex, ToIndex);
  MoveAdjust(FAnchor.X, FromIndex, ToIndex);
  MoveAdjust(FInplaceCol, FromIndex, ToIndex);
  if (FOptions.contains(goRowSelect)) {
    FCurrent.X = FixedCols();
    FAnchor.X = ColCount() - 1;
  }
  InvalidateGrid();
  ColumnMoved(FromIndex, ToIndex);
  UpdateScrollRange();
  UpdateEdit();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex) {
  if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= RowCount() ||
      ToIndex >= RowCount())
    return;
  FVert.MoveExtent(FromIndex, ToIndex);
  MoveAdjust(FCurrent.Y, FromIndex, ToIndex);
  MoveAdjust(FAnchor.Y, FromIndex, ToIndex);
  MoveAdjust(FInplaceRow, FromIndex, ToIndex);
  InvalidateGrid();
  RowMoved(FromIndex, ToIndex);
  UpdateScrollRange();
  UpdateEdit();
}

// --- repainting ---

void TCustomGrid::InvalidateGridRect(const TGridRect& ARect) {
  if (!HandleAllocated()) return;
  const TRect r = GridRectToScreenRect(ARect);
  if (!IsRectEmpty(r)) InvalidateRect(r, false);
}

void TCustomGrid::InvalidateCell(int ACol, int ARow) {
  if (CellInView(ACol, ARow)) InvalidateGridRect({ACol, ARow, ACol, ARow});
}

bool TCustomGrid::CellInView(int ACol, int ARow) {
  // A grid filled cell by cell asks this for every cell: the cells out of view
  // are passed over with a few comparisons.
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return false;
  if ((ARow >= FixedRows() && ARow < FTopLeft.Y) || (ACol >= FixedCols() && ACol < FTopLeft.X)) return false;
  // Rows of one height: a row whose distance from the top row alone is more
  // than the window's height is out of view, whatever the client area is.
  if (ARow >= FixedRows() && !FVert.HasExtents() && FVert.DefaultExtent() > 0 &&
      static_cast<int64_t>(ARow - FTopLeft.Y) * FVert.DefaultExtent() >= Height())
    return false;
  if (!HandleAllocated() || !TControlAccess::PaintOf(this)->Redraw) return false;
  const TGridDrawInfo& info = Layout();
  return !((ARow >= FixedRows() && ARow > info.Vert.LastVisible) ||
           (ACol >= FixedCols() && ACol > info.Horz.LastVisible));
}

void TCustomGrid::InvalidateCol(int ACol) {
  InvalidateGridRect({ACol, 0, ACol, RowCount() - 1});
}

void TCustomGrid::InvalidateRow(int ARow) {
  InvalidateGridRect({0, ARow, ColCount() - 1, ARow});
}

// --- painting ---

void TCustomGrid::Invalidate() {
  if (!PaintsWholeClient()) {
    TCustomControl::Invalidate();
    return;
  }
  InvalidateRect(ClientRect(), false);
}

void TCustomGrid::WMEraseBkgnd(TWMEraseBkgnd& Message) {
  if (!PaintsWholeClient()) {
    TCustomControl::WMEraseBkgnd(Message);
    return;
  }
  Message.Result = 1;
}

void TCustomGrid::Paint() {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  TCanvas* cv = Canvas();
  cv->SetFont(Font());
  const TRect clip = cv->ClipRect();
  ++FTextCache->Paint;
  FTextCache->Drawn = 0;
  // The fixed cells first: the corner, the fixed rows, the fixed columns; then the others.
  PaintBand(info, true, true, clip);
  PaintBand(info, false, true, clip);
  PaintBand(info, true, false, clip);
  PaintBand(info, false, false, clip);
  // The area beyond the last column and below the last row.
  const TRect client = ClientRect();
  cv->Brush()->SetStyle(bsSolid);
  cv->Brush()->SetColor(Color());
  if (info.Horz.GridBoundary < client.Right)
    cv->FillRect(TRect(info.Horz.GridBoundary, 0, client.Right, info.Vert.GridBoundary));
  if (info.Vert.GridBoundary < client.Bottom)
    cv->FillRect(TRect(0, info.Vert.GridBoundary, client.Right, client.Bottom));
  // The line that follows a column or row being sized, the mark where a moved
  // column or row would go.
  if (FGridState == gsColSizing || FGridState == gsRowSizing) {
    cv->Brush()->SetColor(clBlack);
    if (FGridState == gsColSizing)
      cv->FillRect(TRect(FSizingPos, 0, FSizingPos + 1, info.Vert.GridBoundary));
    else
      cv->FillRect(TRect(0, FSizingPos, info.Horz.GridBoundary, FSizingPos + 1));
  } else if ((FGridState == gsColMoving || FGridState == gsRowMoving) && FMoveIndex != FMovePos) {
    const bool cols = FGridState == gsColMoving;
    const TGridAxisDrawInfo& a = cols ? info.Horz : info.Vert;
    int start = 0;
    if (a.CellStart(FMovePos, start)) {
      const int edge = FMovePos < FMoveIndex ? start : start + std::max(0, a.GetExtent(FMovePos));
      cv->Brush()->SetColor(clBlack);
      if (cols)
        cv->FillRect(TRect(edge - 1, 0, edge + 2, info.Vert.GridBoundary));
      else
        cv->FillRect(TRect(0, edge - 1, info.Horz.GridBoundary, edge + 2));
    }
  }
  FTextCache->Sweep();
}

void TCustomGrid::PaintBand(const TGridDrawInfo& Info, bool FixedCols, bool FixedRows, const TRect& Clip) {
  const TGridAxisDrawInfo& h = Info.Horz;
  const TGridAxisDrawInfo& v = Info.Vert;
  const int colFirst = FixedCols ? 0 : h.FirstGridCell;
  const int colLast = FixedCols ? h.FixedCellCount - 1 : h.LastVisible;
  const int rowFirst = FixedRows ? 0 : v.FirstGridCell;
  const int rowLast = FixedRows ? v.FixedCellCount - 1 : v.LastVisible;
  if (colLast < colFirst || rowLast < rowFirst) return;
  const int x0 = FixedCols ? 0 : h.FixedBoundary;
  const int y0 = FixedRows ? 0 : v.FixedBoundary;
  if (x0 >= h.GridExtent || y0 >= v.GridExtent) return;
  const bool fixedBand = FixedCols || FixedRows;
  const bool focused = IsActiveControl();
  const TGridRect sel = Selection();

  int xEnd = x0;
  for (int c = colFirst; c <= colLast; ++c) xEnd += h.Advance(c);
  int yEnd = y0;
  for (int r = rowFirst; r <= rowLast; ++r) yEnd += v.Advance(r);
  const TGridBand band{colFirst, colLast, rowFirst, rowLast, fixedBand,
                       TRect(x0, y0, std::min(xEnd, h.GridExtent), std::min(yEnd, v.GridExtent))};
  const TColor bandFill = PaintBandBackground(Info, band, Clip);

  int y = y0;
  for (int r = rowFirst; r <= rowLast && y < v.GridExtent; ++r) {
    const int ht = v.GetExtent(r);
    if (ht < 0) continue;
    int x = x0;
    for (int c = colFirst; c <= colLast && x < h.GridExtent; ++c) {
      const int w = h.GetExtent(c);
      if (w < 0) continue;
      TGridDrawState state;
      if (fixedBand) {
        state.Include(gdFixed);
      } else {
        if (focused && c == FCurrent.X && r == FCurrent.Y) state.Include(gdFocused);
        if (PointInGridRect(c, r, sel)) state.Include(gdSelected);
      }
      PaintCell(c, r, TRect(x, y, x + w, y + ht), state, Clip, bandFill);
      x += w + h.EffectiveLineWidth;
    }
    y += ht + v.EffectiveLineWidth;
  }
}

TColor TCustomGrid::PaintBandBackground(const TGridDrawInfo& Info, const TGridBand& Band, const TRect& Clip) {
  const TGridAxisDrawInfo& h = Info.Horz;
  const TGridAxisDrawInfo& v = Info.Vert;
  const int x0 = Band.Rect.Left, y0 = Band.Rect.Top, xEnd = Band.Rect.Right, yEnd = Band.Rect.Bottom;
  TCanvas* cv = Canvas();
  // The background of the band in one go (the fixed colour, or Color): the
  // cells of that colour are not filled again one by one.
  TColor bandFill = clNone;
  if (FDefaultDrawing && CellsDrawnInside()) {
    bandFill = Band.Fixed ? FFixedColor : Color();
    TRect band;
    if (IntersectRect(band, Band.Rect, Clip)) {
      cv->Brush()->SetStyle(bsSolid);
      cv->Brush()->SetColor(bandFill);
      cv->FillRect(band);
    }
  }
  // Grid lines: the space after each cell, drawn in the line colour when the
  // options ask for lines there, else in the grid's colour.
  const bool vertLine = FOptions.contains(Band.Fixed ? goFixedVertLine : goVertLine);
  const bool horzLine = FOptions.contains(Band.Fixed ? goFixedHorzLine : goHorzLine);
  const TColor lineColor = Band.Fixed ? kFixedLineColor : kLineColor;
  cv->Brush()->SetStyle(bsSolid);
  if (h.EffectiveLineWidth > 0) {
    cv->Brush()->SetColor(vertLine ? lineColor : Color());
    int x = x0;
    for (int c = Band.ColFirst; c <= Band.ColLast && x < h.GridExtent; ++c) {
      const int w = h.GetExtent(c);
      if (w < 0) continue;
      cv->FillRect(TRect(x + w, y0, x + w + h.EffectiveLineWidth, yEnd));
      x += w + h.EffectiveLineWidth;
    }
  }
  if (v.EffectiveLineWidth > 0) {
    cv->Brush()->SetColor(horzLine ? lineColor : Color());
    int y = y0;
    for (int r = Band.RowFirst; r <= Band.RowLast && y < v.GridExtent; ++r) {
      const int ht = v.GetExtent(r);
      if (ht < 0) continue;
      cv->FillRect(TRect(x0, y + ht, xEnd, y + ht + v.EffectiveLineWidth));
      y += ht + v.EffectiveLineWidth;
    }
  }
  return bandFill;
}

void TCustomGrid::PaintCell(int ACol, int ARow, const TRect& Where, TGridDrawState State, const TRect& Clip,
                            TColor Filled) {
  TRect visible;
  if (!IntersectRect(visible, Where, Clip)) return;
  TCanvas* cv = Canvas();
  FCellFilled = false;
  if (FDefaultDrawing) {
    // The canvas keeps the grid's font from cell to cell; a cell that changed it
    // (or only its colour) gives the next one the grid's font back.
    TFont* font = cv->Font();
    if (!SameFace(*font, *Font()))
      cv->SetFont(Font());
    else
      font->SetColor(Font()->Color());
    cv->Brush()->SetStyle(bsSolid);
    const bool highlight =
        State.contains(gdSelected) &&
        (!State.contains(gdFocused) || FOptions.contains(goDrawFocusSelected) || FOptions.contains(goRowSelect));
    if (State.contains(gdFixed)) {
      cv->Brush()->SetColor(FFixedColor);
    } else if (highlight) {
      cv->Brush()->SetColor(clHighlight);
      cv->Font()->SetColor(clHighlightText);
    } else {
      cv->Brush()->SetColor(Color());
    }
    if (Filled == clNone || cv->Brush()->Color() != Filled) cv->FillRect(Where);
    FCellFill = cv->Brush()->Color();
    FCellFilled = true;
  }
  DrawCell(ACol, ARow, Where, State);
  FCellFilled = false;
  if (!FDefaultDrawing) return;
  if (State.contains(gdFixed) && FOptions.contains(goFixedVertLine) && FOptions.contains(goFixedHorzLine))
    DrawEdge(cv->Handle(), Where, BDR_RAISEDINNER, BF_RECT);
  if (State.contains(gdFocused) && !FOptions.contains(goRowSelect) &&
      !(FOptions.contains(goEditing) && FOptions.contains(goAlwaysShowEditor)))
    cv->DrawFocusRect(Where);
}

void TCustomGrid::DrawCellText(int ACol, int ARow, const TRect& ARect, int X, int Y, QAnyStringView Text) {
  TCanvas* cv = Canvas();
  // The direct way needs no extra text options, the usual text alignment, a
  // font without rotation or symbol face, and no background to fill: either
  // none is asked for (clear brush, transparent text background) or the cell
  // has just been filled in that colour.
  HDC dc = cv->TextFlags() == 0 ? cv->Handle() : nullptr;
  const TFontInfo* f = dc != nullptr ? dc->S.Font.get() : nullptr;
  QPainter* p = nullptr;
  if (f != nullptr && dc->S.TextAlign == (TA_TOP | TA_LEFT) && FTextCache->DrawsDirectly(f)) {
    const bool fills = cv->Brush()->Style() != bsClear || dc->S.BkMode == OPAQUE;
    if (!fills || (FCellFilled && dc->S.BkColor == ColorToRGB(FCellFill))) p = dc->Painter();
  }
  if (p == nullptr || p->compositionMode() != QPainter::CompositionMode_SourceOver) {
    cv->TextRect(ARect, X, Y, Text.toString());
    return;
  }
  if (Text.isEmpty()) return;
  ++FTextCache->Drawn;
  TTextCache::TEntry& e = FTextCache->Cells[TTextCache::Key(ACol, ARow)];
  p->setFont(f->Font);
  const int ascent = f->Tm.tmAscent;
  if (e.Font != f || QAnyStringView::compare(Text, e.Text) != 0) {
    e.Text = Text.toString();
    e.Font = f;
    e.Seen = false;
    e.Written = QImage();
  }
  e.Paint = FTextCache->Paint;
  const QRect cell(ARect.Left, ARect.Top, ARect.Width(), ARect.Height());
  const QColor color = QColorOf(dc->S.TextColor);
  // Images are used where they land on whole device pixels unscaled.
  const QTransform& m = p->transform();
  const bool images = m.type() <= QTransform::TxTranslate && p->device()->devicePixelRatio() == 1 &&
                      m.dx() == std::floor(m.dx()) && m.dy() == std::floor(m.dy());
  if (!e.Seen || !images) {
    // The first time: written directly, clipped to the cell.
    e.Seen = true;
    p->save();
    p->setClipRect(cell, Qt::IntersectClip);
    p->setPen(color);
    p->drawText(QPoint(X, Y + ascent), e.Text);
    p->restore();
    return;
  }
  if (e.Written.isNull() || e.Color != color.rgb()) {
    e.Ink = f->Metrics->boundingRect(e.Text).translated(0, ascent).adjusted(-1, -1, 1, 1);
    const QRect area = e.Ink.adjusted(-1, -1, 1, 1);
    e.Written = QImage(std::max(1, area.width()), std::max(1, area.height()), QImage::Format_ARGB32_Premultiplied);
    e.Written.fill(Qt::transparent);
    e.Offset = area.topLeft();
    e.Color = color.rgb();
    QPainter w(&e.Written);
    w.setRenderHint(QPainter::Antialiasing, p->testRenderHint(QPainter::Antialiasing));
    w.setRenderHint(QPainter::TextAntialiasing, p->testRenderHint(QPainter::TextAntialiasing));
    w.setFont(p->font());
    w.setPen(color);
    w.drawText(QPoint(-e.Offset.x(), ascent - e.Offset.y()), e.Text);
  }
  // Clipped only where the glyphs may reach beyond the cell.
  const bool clip = !cell.contains(e.Ink.translated(X, Y));
  if (clip) {
    p->save();
    p->setClipRect(cell, Qt::IntersectClip);
  }
  p->drawImage(X + e.Offset.x(), Y + e.Offset.y(), e.Written);
  if (clip) p->restore();
}

// --- keys ---

void TCustomGrid::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  if (!CanGridAcceptKey(Key, Shift)) {
    Key = 0;
    return;
  }
  if (Key == VK_F2 && !Shift.contains(ssCtrl)) {
    SetEditorMode(true);
    return;
  }
  TGridNavKey nav;
  if (!NavKey(Key, nav)) return;
  if (nav == gnkTab && (!FOptions.contains(goTabs) || Shift.contains(ssAlt))) return;
  TGridDrawInfo info;
  CalcDrawInfo(info);
  TGridMoveContext c;
  c.ColCount = ColCount();
  c.RowCount = RowCount();
  c.FixedCols = FixedCols();
  c.FixedRows = FixedRows();
  c.Current = FCurrent;
  c.TopLeft = FTopLeft;
  c.MaxTopLeft = {info.Horz.MaxFirst(), info.Vert.MaxFirst()};
  c.PageWidth = info.Horz.VisibleCount();
  c.PageHeight = info.Vert.VisibleCount();
  c.RowSelect = FOptions.contains(goRowSelect);
  c.TabStops = FTabStops;
  const TGridMoveResult m = GridKeyMove(c, nav, Shift.contains(ssCtrl), Shift.contains(ssShift));
  if (m.TopLeft != FTopLeft) MoveTopLeft(m.TopLeft.X, m.TopLeft.Y);
  if (m.Current != FCurrent) FocusCell(m.Current.X, m.Current.Y, m.MoveAnchor);
}

void TCustomGrid::KeyPress(QChar& Key) {
  TCustomControl::KeyPress(Key);
  if (!FOptions.contains(goAlwaysShowEditor) && Key == QChar('\r')) {
    if (FEditorMode)
      HideEditor();
    else
      ShowEditor();
    Key = QChar(0);
  }
}

void TCustomGrid::KeyUp(Word& Key, TShiftState Shift) { TCustomControl::KeyUp(Key, Shift); }

void TCustomGrid::WMChar(TWMKey& Message) {
  const Word ch = Message.CharCode();
  if (FOptions.contains(goEditing) && (ch == VK_BACK || (ch >= 32 && ch != 127)))
    ShowEditorChar(QChar(ch));
  else
    TCustomControl::WMChar(Message);
}

void TCustomGrid::WMGetDlgCode(TMessageView& Message) {
  Message.Result = DLGC_WANTARROWS;
  if (FOptions.contains(goRowSelect)) return;
  if (FOptions.contains(goTabs)) Message.Result |= DLGC_WANTTAB;
  if (FOptions.contains(goEditing)) Message.Result |= DLGC_WANTCHARS;
}

// --- mouse ---

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (!ComponentState().contains(csDesigning) && CanFocus()) {
    SetFocus();
    if (!IsActiveControl()) {
      SetMouseCapture(false);
      return;
    }
  }
  FLastMouse = {X, Y};
  if (Button == mbLeft && Shift.contains(ssDouble)) {
    DblClick();
  } else if (Button == mbLeft) {
    TGridDrawInfo info;
    CalcDrawInfo(info);
    CalcSizingState(X, Y, FGridState, FSizingIndex, FSizingPos, FSizingOfs, info);
    if (FGridState != gsNormal) {
      DrawSizingLine(info);
    } else {
      const TGridCoord hit = GridCellAt(info, X, Y);
      if (hit.X >= FixedCols() && hit.Y >= FixedRows()) {
        if (FOptions.contains(goEditing)) {
          if (hit == FCurrent) {
            ShowEditor();
          } else {
            MoveColRow(hit.X, hit.Y, true, true);
            UpdateEdit();
          }
          Click();
        } else {
          FGridState = gsSelecting;
          FTimerActive = SetTimer(Handle(), kScrollTimer, kScrollInterval) != 0;
          if (Shift.contains(ssShift))
            MoveAnchor(hit);
          else
            MoveColRow(hit.X, hit.Y, true, true);
        }
      } else if (FOptions.contains(goRowMoving) && hit.X >= 0 && hit.X < FixedCols() && hit.Y >= FixedRows()) {
        FMoveIndex = hit.Y;
        FMovePos = hit.Y;
        FGridState = gsRowMoving;
        FTimerActive = SetTimer(Handle(), kScrollTimer, kScrollInterval) != 0;
      } else if (FOptions.contains(goColMoving) && hit.Y >= 0 && hit.Y < FixedRows() && hit.X >= FixedCols()) {
        FMoveIndex = hit.X;
        FMovePos = hit.X;
        FGridState = gsColMoving;
        FTimerActive = SetTimer(Handle(), kScrollTimer, kScrollInterval) != 0;
      }
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  FLastMouse = {X, Y};
  TGridDrawInfo info;
  CalcDrawInfo(info);
  switch (FGridState) {
    case gsSelecting: {
      const TGridCoord hit = GridCellAt(info, X, Y);
      if (hit.X >= FixedCols() && hit.Y >= FixedRows() && hit.X <= info.Horz.LastFullVisibleCell + 1 &&
          hit.Y <= info.Vert.LastFullVisibleCell + 1 && hit != FAnchor)
        MoveAnchor(hit);
      break;
    }
    case gsColSizing:
    case gsRowSizing:
      DrawSizingLine(info);
      FSizingPos = (FGridState == gsColSizing ? X : Y) + FSizingOfs;
      DrawSizingLine(info);
      break;
    case gsColMoving:
    case gsRowMoving: {
      const TGridCoord hit = GridCellAt(info, X, Y);
      const bool cols = FGridState == gsColMoving;
      int pos = cols ? hit.X : hit.Y;
      const int fixed = cols ? FixedCols() : FixedRows();
      if (pos >= 0 && pos < fixed) pos = fixed;
      if (pos >= fixed && pos != FMovePos) {
        DrawMove();
        FMovePos = pos;
        DrawMove();
      }
      break;
    }
    default:
      break;
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FLastMouse = {X, Y};
  struct TResetState {
    TCustomGrid* G;
    ~TResetState() { G->FGridState = gsNormal; }
  } reset{this};
  switch (FGridState) {
    case gsSelecting:
      MouseMove(Shift, X, Y);
      KillTimer(Handle(), kScrollTimer);
      FTimerActive = false;
      UpdateEdit();
      Click();
      break;
    case gsColSizing:
    case gsRowSizing: {
      TGridDrawInfo info;
      CalcDrawInfo(info);
      DrawSizingLine(info);
      const bool cols = FGridState == gsColSizing;
      FSizingPos = (cols ? X : Y) + FSizingOfs;
      int start = 0;
      if ((cols ? info.Horz : info.Vert).CellStart(FSizingIndex, start)) {
        const int size = FSizingPos - start;
        FGridState = gsNormal;
        if (size > 1) {
          if (cols)
            SetColWidths(FSizingIndex, size);
          else
            SetRowHeights(FSizingIndex, size);
        }
      }
      break;
    }
    case gsColMoving:
    case gsRowMoving: {
      KillTimer(Handle(), kScrollTimer);
      FTimerActive = false;
      DrawMove();
      const bool cols = FGridState == gsColMoving;
      FGridState = gsNormal;
      if (FMoveIndex != FMovePos) {
        if (cols)
          MoveColumn(FMoveIndex, FMovePos);
        else
          MoveRow(FMoveIndex, FMovePos);
      }
      UpdateEdit();
      break;
    }
    default:
      UpdateEdit();
      break;
  }
  FGridState = gsNormal;
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::DblClick() { TCustomControl::DblClick(); }

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool result = TCustomControl::DoMouseWheelDown(Shift, MousePos);
  if (!result) {
    if (Row() < RowCount() - 1) SetRow(Row() + 1);
    result = true;
  }
  return result;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool result = TCustomControl::DoMouseWheelUp(Shift, MousePos);
  if (!result) {
    if (Row() > FixedRows()) SetRow(Row() - 1);
    result = true;
  }
  return result;
}

void TCustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                                  int& SizingOfs, TGridDrawInfo& FixedInfo) {
  State = gsNormal;
  Index = -1;
  TGridOptions opts = FOptions;
  if (ComponentState().contains(csDesigning)) opts += TGridOptions{goColSizing, goRowSizing};
  if (opts.contains(goColSizing) && Y >= 0 && Y < FixedInfo.Vert.FixedBoundary &&
      X >= FixedInfo.Horz.FixedBoundary) {
    if (GridSizingEdgeAt(FixedInfo.Horz, X, Index, SizingPos, SizingOfs)) State = gsColSizing;
  } else if (opts.contains(goRowSizing) && X >= 0 && X < FixedInfo.Horz.FixedBoundary &&
             Y >= FixedInfo.Vert.FixedBoundary) {
    if (GridSizingEdgeAt(FixedInfo.Vert, Y, Index, SizingPos, SizingOfs)) State = gsRowSizing;
  }
  if (State == gsNormal) Index = -1;
}

void TCustomGrid::DrawSizingLine(const TGridDrawInfo& DrawInfo) {
  if (!HandleAllocated()) return;
  const TRect line = FGridState == gsColSizing
                         ? TRect(FSizingPos, 0, FSizingPos + 1, DrawInfo.Vert.GridBoundary)
                         : TRect(0, FSizingPos, DrawInfo.Horz.GridBoundary, FSizingPos + 1);
  InvalidateRect(line, false);
}

void TCustomGrid::DrawMove() {
  if (!HandleAllocated() || FMovePos < 0) return;
  // The mark lies on an edge of the drop cell; repainting the cell and its
  // neighbours takes it away or brings it.
  if (FGridState == gsColMoving)
    InvalidateGridRect({std::max(0, FMovePos - 1), 0, std::min(ColCount() - 1, FMovePos + 1), RowCount() - 1});
  else if (FGridState == gsRowMoving)
    InvalidateGridRect({0, std::max(0, FMovePos - 1), ColCount() - 1, std::min(RowCount() - 1, FMovePos + 1)});
}

void TCustomGrid::WMTimer(TWMTimer& Message) {
  if (Message.TimerID() != kScrollTimer ||
      !(FGridState == gsSelecting || FGridState == gsColMoving || FGridState == gsRowMoving)) {
    TCustomControl::WMTimer(Message);
    return;
  }
  ScrollWhileMoving(FLastMouse.X, FLastMouse.Y);
}

void TCustomGrid::ScrollWhileMoving(int X, int Y) {
  TGridDrawInfo info;
  CalcDrawInfo(info);
  // Beyond an edge of the cells the grid scrolls one cell that way per tick.
  auto target = [](const TGridAxisDrawInfo& a, int pos, int current) {
    if (pos < a.FixedBoundary) return std::max(a.FixedCellCount, a.FirstGridCell - 1);
    if (pos >= a.GridBoundary) return std::min(a.GridCellCount - 1, a.LastFullVisibleCell + 1);
    return current;
  };
  if (FGridState == gsSelecting) {
    const TGridCoord hit = GridCellAt(info, X, Y);
    TGridCoord to{target(info.Horz, X, hit.X >= 0 ? hit.X : FAnchor.X),
                  target(info.Vert, Y, hit.Y >= 0 ? hit.Y : FAnchor.Y)};
    to.X = Clamp(to.X, FixedCols(), ColCount() - 1);
    to.Y = Clamp(to.Y, FixedRows(), RowCount() - 1);
    if (to != FAnchor) MoveAnchor(to);
    return;
  }
  const bool cols = FGridState == gsColMoving;
  const TGridAxisDrawInfo& a = cols ? info.Horz : info.Vert;
  const int pos = cols ? X : Y;
  if (pos >= a.FixedBoundary && pos < a.GridBoundary) return;
  const int to = target(a, pos, FMovePos);
  if (to == FMovePos || to < a.FixedCellCount) return;
  DrawMove();
  FMovePos = to;
  if (cols)
    ClampInView({to, FTopLeft.Y});
  else
    ClampInView({FTopLeft.X, to});
  DrawMove();
}

void TCustomGrid::CancelMode() {
  switch (FGridState) {
    case gsSelecting:
    case gsColMoving:
    case gsRowMoving:
      if (FTimerActive && HandleAllocated()) KillTimer(Handle(), kScrollTimer);
      FTimerActive = false;
      if (FGridState != gsSelecting) DrawMove();
      break;
    case gsColSizing:
    case gsRowSizing: {
      TGridDrawInfo info;
      CalcDrawInfo(info);
      DrawSizingLine(info);
      break;
    }
    default:
      break;
  }
  FGridState = gsNormal;
}

void TCustomGrid::WMCancelMode(TMessageView& Message) {
  TCustomControl::WMCancelMode(Message);
  CancelMode();
}

void TCustomGrid::CMCancelMode(TMessageView& Message) {
  TCustomControl::CMCancelMode(Message);
  CancelMode();
}

void TCustomGrid::WMSetCursor(TWMSetCursor& Message) {
  if (Message.HitTest() == HTCLIENT && Screen != nullptr) {
    TGridState state = FGridState;
    if (state == gsNormal) {
      TPoint p;
      GetCursorPos(&p);
      p = ScreenToClient(p);
      TGridDrawInfo info;
      CalcDrawInfo(info);
      int index = 0, pos = 0, ofs = 0;
      CalcSizingState(p.X, p.Y, state, index, pos, ofs, info);
    }
    if (state == gsColSizing || state == gsRowSizing) {
      ::SetCursor(Screen->Cursors(state == gsColSizing ? crHSplit : crVSplit));
      Message.Result = 1;
      return;
    }
  }
  TCustomControl::WMSetCursor(Message);
}

// --- window ---

void TCustomGrid::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
  Params.WindowClassStyle |= CS_DBLCLKS;
}

void TCustomGrid::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateScrollRange();
}

void TCustomGrid::WMSize(TWMSize& Message) {
  TCustomControl::WMSize(Message);
  UpdateScrollRange();
  UpdateEdit();
}

void TCustomGrid::WMSetFocus(TWMSetFocus& Message) {
  TCustomControl::WMSetFocus(Message);
  if (FInplaceEdit == nullptr || !IsEditorWindow(Message.FocusedWnd())) {
    InvalidateGridRect(Selection());
    UpdateEdit();
  }
}

void TCustomGrid::WMKillFocus(TWMKillFocus& Message) {
  TCustomControl::WMKillFocus(Message);
  InvalidateGridRect(Selection());
}

void TCustomGrid::DoExit() {
  // The editor closes when the focus leaves the grid, handing its text back.
  if (FEditorMode && !FOptions.contains(goAlwaysShowEditor)) HideEditor();
  TCustomControl::DoExit();
}

// ------------------------------------------------------------ TCustomDrawGrid

TCustomDrawGrid::TCustomDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}

void TCustomDrawGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) {
  if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

bool TCustomDrawGrid::SelectCell(int ACol, int ARow) {
  bool result = true;
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, result);
  return result;
}

QString TCustomDrawGrid::GetEditMask(int ACol, int ARow) {
  QString result;
  if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, result);
  return result;
}

QString TCustomDrawGrid::GetEditText(int ACol, int ARow) {
  QString result;
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, result);
  return result;
}

void TCustomDrawGrid::SetEditText(int ACol, int ARow, const QString& Value) {
  if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

void TCustomDrawGrid::ColumnMoved(int FromIndex, int ToIndex) {
  if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::RowMoved(int FromIndex, int ToIndex) {
  if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

void TCustomDrawGrid::TopLeftChanged() {
  TCustomGrid::TopLeftChanged();
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

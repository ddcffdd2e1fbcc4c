// String grid: the scroll-bar styles (flat bars of the common controls and the
// grid's own thin metro bars), proportional thumbs, the scroll hint and
// synchronous scrolling, scrolling while something is dragged over the edges,
// the in-cell scroll bar, and bringing a cell into view.
#include <QScopeGuard>
#include <cmath>

#include "grid/ProGrid.h"
#include "grid/ProGrid_HintWindow.h"
#include "grid/ProGrid_ScrollControl.h"
#include "platform/gdi/WinGdi.h"
#include "platform/ui/Forms.h"
#include "platform/widgets/StdCtrls.h"

// ------------------------------------------------------------ flat scroll bars

namespace {

TFlatScrollBarApi& FlatApiStore() {
  static TFlatScrollBarApi api;
  return api;
}

// Single-precision values rounded as the framework rounds them (half to even).
int RoundSingle(float v) { return int(std::nearbyint(v)); }

bool HasHorzBar(TScrollStyle s) { return s == ssHorizontal || s == ssBoth; }
bool HasVertBar(TScrollStyle s) { return s == ssVertical || s == ssBoth; }

// The height of the search bar under the grid while it shows.
constexpr int kSearchPanelHeight = 32;

}  // namespace

const TFlatScrollBarApi& FlatScrollBarApi() { return FlatApiStore(); }

TFlatScrollBarApi SetFlatScrollBarApi(TFlatScrollBarApi Api) {
  TFlatScrollBarApi old = FlatApiStore();
  FlatApiStore() = std::move(Api);
  return old;
}

void TProStringGrid::InitFlatScrollBars() {
  const TFlatScrollBarApi& api = FlatScrollBarApi();
  FFlatScrollInit = bool(api.InitializeFlatSB);
  if (FFlatScrollInit && HandleAllocated()) api.InitializeFlatSB(Handle());
}

void TProStringGrid::DoneFlatScrollBars() {
  const bool was = FFlatScrollInit;
  FFlatScrollInit = false;
  const TFlatScrollBarApi& api = FlatScrollBarApi();
  if (was && api.UninitializeFlatSB && HandleAllocated()) api.UninitializeFlatSB(Handle());
}

void TProStringGrid::FlatSetScrollProp(int Index, int NewValue) {
  const TFlatScrollBarApi& api = FlatScrollBarApi();
  if (FFlatScrollInit && api.FlatSB_SetScrollProp && HandleAllocated())
    api.FlatSB_SetScrollProp(Handle(), Index, NewValue, true);
}

void TProStringGrid::ApplyFlatScrollStyle() {
  int style = -1;
  switch (F.ScrollType) {
    case ssNormal: style = FSB_REGULAR_MODE; break;
    case ssFlat: style = FSB_FLAT_MODE; break;
    case ssEncarta: style = FSB_ENCARTA_MODE; break;
    case ssMetro: return;
  }
  FlatSetScrollProp(WSB_PROP_VSTYLE, style);
  FlatSetScrollProp(WSB_PROP_HSTYLE, style);
}

void TProStringGrid::ApplyFlatScrollColor() {
  if (F.ScrollColor == clNone) return;
  FlatSetScrollProp(WSB_PROP_VBKGCOLOR, int(ColorToRGB(F.ScrollColor)));
  FlatSetScrollProp(WSB_PROP_HBKGCOLOR, int(ColorToRGB(F.ScrollColor)));
}

void TProStringGrid::ApplyFlatScrollWidth() {
  FlatSetScrollProp(WSB_PROP_CXVSCROLL, F.ScrollWidth);
  FlatSetScrollProp(WSB_PROP_CYHSCROLL, F.ScrollWidth);
}

void TProStringGrid::FlatShowScrollBar(int Bar, bool Show) {
  const TFlatScrollBarApi& api = FlatScrollBarApi();
  if (!FFlatScrollInit || !api.FlatSB_ShowScrollBar || !HandleAllocated()) return;
  if (Bar == SB_HORZ && !HasHorzBar(ScrollBars())) return;
  if (Bar == SB_VERT && !HasVertBar(ScrollBars())) return;
  api.FlatSB_ShowScrollBar(Handle(), Bar, Show);
}

void TProStringGrid::SyncFlatVertScroll() {
  const TFlatScrollBarApi& api = FlatScrollBarApi();
  if (!FFlatScrollInit || !api.FlatSB_SetScrollInfo || !HandleAllocated() || !HasVertBar(ScrollBars()))
    return;
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  GetScrollInfo(Handle(), SB_VERT, &si);
  api.FlatSB_SetScrollInfo(Handle(), SB_VERT, si, true);
}

void TProStringGrid::SyncFlatHorzScroll() {
  const TFlatScrollBarApi& api = FlatScrollBarApi();
  if (!FFlatScrollInit || !api.FlatSB_SetScrollInfo || !HandleAllocated() || !HasHorzBar(ScrollBars()))
    return;
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  GetScrollInfo(Handle(), SB_HORZ, &si);
  api.FlatSB_SetScrollInfo(Handle(), SB_HORZ, si, true);
}

void TProStringGrid::UpdateFlatScrollBars() {
  ApplyFlatScrollStyle();
  ApplyFlatScrollColor();
  ApplyFlatScrollWidth();
  const bool vert = VisibleRowCount() + FixedRows() < RowCount();
  FlatShowScrollBar(SB_VERT, vert);
  if (vert) SyncFlatVertScroll();
  const bool horz = VisibleColCount() + FixedCols() < ColCount();
  FlatShowScrollBar(SB_HORZ, horz);
  if (horz) SyncFlatHorzScroll();
}

// ------------------------------------------------------------ the settings

void TProStringGrid::SetScrollType(TScrollType Value) {
  if (Value < ssNormal || Value > ssMetro)
    throw EProGridError(QStringLiteral("Invalid scroll type %1").arg(int(Value)));
  if (Value != F.ScrollType) {
    F.ScrollType = Value;
    if (Value == ssFlat || Value == ssEncarta) {
      InitFlatScrollBars();
      UpdateFlatScrollBars();
    } else {
      DoneFlatScrollBars();
    }
    if (HandleAllocated()) {
      if (Value == ssMetro) {
        CreateScrollControls();
        SetScrollBars(ssNone);
      } else if (FVScrollControl != nullptr || FHScrollControl != nullptr) {
        FreeScrollControls();
        SetScrollBars(ssBoth);
      }
    }
  }
  ApplyFlatScrollStyle();
}

void TProStringGrid::SetScrollColor(TColor Value) {
  F.ScrollColor = Value;
  ApplyFlatScrollColor();
}

void TProStringGrid::SetScrollWidth(int Value) {
  if (Value < 0)
    throw EProGridError(QStringLiteral("Invalid scroll width %1: it cannot be negative").arg(Value));
  F.ScrollWidth = Value;
  ApplyFlatScrollWidth();
}

void TProStringGrid::SetScrollProportional(bool Value) {
  FScrollProportional = Value;
  if (Value) {
    UpdateVScrollProportional();
    UpdateHScrollProportional();
  } else if (FFlatScrollInit && F.ScrollType == ssNormal) {
    DoneFlatScrollBars();
    if (HandleAllocated()) {
      SCROLLINFO si;
      si.fMask = SIF_PAGE;
      si.nPage = 0;
      SetScrollInfo(Handle(), SB_VERT, si, true);
      SetScrollInfo(Handle(), SB_HORZ, si, true);
    }
  }
}

void TProStringGrid::ScrollWindowCreated() {
  if (IsDesigning()) return;
  if (F.ScrollType == ssMetro) CreateScrollControls();
  if (F.ScrollType == ssFlat || F.ScrollType == ssEncarta) {
    InitFlatScrollBars();
    UpdateFlatScrollBars();
  }
}

void TProStringGrid::CreateScrollControls() {
  if (FVScrollControl == nullptr) {
    FVScrollControl = new TScrollControl(this);
    FVScrollControl->SetDirection(sdVertical);
    FVScrollControl->SetParent(this);
    FVScrollControl->SetDoubleBuffered(true);
    FVScrollControl->SetWidth(6);
    FVScrollControl->SetAlign(alRight);
    FVScrollControl->SetVisible(true);
  }
  if (FHScrollControl == nullptr) {
    FHScrollControl = new TScrollControl(this);
    FHScrollControl->SetDirection(sdHorizontal);
    FHScrollControl->SetParent(this);
    FHScrollControl->SetDoubleBuffered(true);
    FHScrollControl->SetHeight(6);
    FHScrollControl->SetAlign(alBottom);
    FHScrollControl->SetVisible(true);
  }
}

void TProStringGrid::FreeScrollControls() {
  delete FVScrollControl;
  FVScrollControl = nullptr;
  delete FHScrollControl;
  FHScrollControl = nullptr;
}

// ------------------------------------------------------------ proportional thumbs

void TProStringGrid::UpdateHScrollProportional() {
  if (!FScrollProportional || !HandleAllocated() || IsDesigning() || LockUpdate() ||
      ComponentState().contains(csLoading))
    return;
  const int lw = GridLineWidth();
  int fixed = lw, total = lw, left = lw, plain = 0;
  for (int c = 0; c < ColCount(); ++c) {
    plain += ColWidths(c);
    if (c < FixedCols())
      fixed += lw + ColWidths(c);
    else
      total += lw + ColWidths(c);
    if (c >= FixedCols() && c < LeftCol()) left += lw + ColWidths(c);
  }
  // Without scrolling columns there is nothing to scroll in proportion.
  if (ColCount() <= FixedCols() || total <= 0) return;
  const float v = float(Width() - fixed) / float(total);
  if (v >= 0.9999f || fixed + total - Width() < 5) return;
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  GetScrollInfo(Handle(), SB_HORZ, &si);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = RoundSingle((v + 127) / (1 - v));
  si.nPage = UINT(std::max(0, si.nMax - 126));
  if (Width() < total) si.nPos = RoundSingle(float(left) / float(total - Width()) * 128);
  SetScrollInfo(Handle(), SB_HORZ, si, true);
  SyncFlatHorzScroll();
  if (F.ScrollBarAlways != saHorz && F.ScrollBarAlways != saBoth &&
      (plain < Width() || !HasHorzBar(ScrollBars())))
    ShowScrollBar(Handle(), SB_HORZ, false);
}

void TProStringGrid::UpdateVScrollProportional() {
  if (!FScrollProportional || !HandleAllocated() || IsDesigning() || LockUpdate() ||
      ComponentState().contains(csLoading))
    return;
  if (VisibleRowCount() + FixedRows() >= RowCount()) return;
  const int lw = GridLineWidth();
  int fixed = lw, total = lw, above = lw;
  for (int r = 0; r < RowCount(); ++r) {
    if (r < FixedRows())
      fixed += lw + RowHeights(r);
    else
      total += lw + RowHeights(r);
    if (r >= FixedRows() && r < TopRow()) above += lw + RowHeights(r);
  }
  if (total <= 0) return;
  const float v = float(Height() - fixed) / float(total);
  if (v >= 0.9999f) return;
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = RoundSingle((v + 127) / (1 - v));
  si.nPage = UINT(std::max(0, si.nMax - 126));
  si.nPos = Height() < total ? RoundSingle(float(above) / float(total - Height()) * 128) : 127;
  SetScrollInfo(Handle(), SB_VERT, si, true);
  SyncFlatVertScroll();
}

// ------------------------------------------------------------ scroll messages

void TProStringGrid::ReleaseScrollHint() {
  if (FScrollHintWnd != nullptr) FScrollHintWnd->ReleaseHandle();
  FScrollHintShow = false;
}

void TProStringGrid::ScrollHintStep(int Code, const QString& Prefix, int Number) {
  if (Code == SB_ENDSCROLL) ReleaseScrollHint();
  if (Code != SB_THUMBTRACK) return;
  QString text = Prefix + QString::number(Number);
  if (OnScrollHint) OnScrollHint(this, Number, text);
  ShowScrollHint(text);
}

void TProStringGrid::ShowScrollHint(const QString& Text) {
  if (FScrollHintWnd == nullptr) FScrollHintWnd = new THTMLHintWindow(this);
  FScrollHintWnd->SetColor(F.HintColor);
  const TRect m = FScrollHintWnd->CalcHintRect(100, Text, nullptr);
  TPoint p;
  GetCursorPos(&p);
  p.X += 10;
  FScrollHintWnd->ActivateHint(TRect{p.X, p.Y, p.X + m.Width(), p.Y + m.Height()}, Text);
  FScrollHintShow = true;
}

TGridRect TProStringGrid::FixedBackgroundCells() {
  if (!FBackGround->HasPicture() || FBackGround->Display() != bdFixed) return TGridRect{-1, -1, -1, -1};
  int c1 = -1, r1 = -1, c2 = -1, r2 = -1;
  MouseToCell(FBackGround->Left(), FBackGround->Top(), c1, r1);
  MouseToCell(FBackGround->Left() + FBackGround->Bitmap()->Width(),
              FBackGround->Top() + FBackGround->Bitmap()->Height(), c2, r2);
  return TGridRect{c1, r1, c2, r2};
}

void TProStringGrid::WMHScroll(TWMScroll& Message) {
  const int code = Message.ScrollCode();
  // A scroll-bar control on the grid hears of its own messages.
  if (Message.ScrollBar() != nullptr) {
    TBaseGrid::WMHScroll(Message);
    return;
  }
  const int c = MulDiv(Message.Pos(), ColCount() - VisibleColCount() - FixedCols(), GridScrollRange) + FixedCols();
  if (F.ScrollHints == shHorizontal || F.ScrollHints == shBoth) ScrollHintStep(code, QStringLiteral("Col : "), c);
  // The flat bars report thumb positions over the whole range.
  if (code == SB_THUMBPOSITION && FFlatScrollInit && ColCount() > 0) {
    const int v = RoundSingle(float(VisibleColCount()) * 128 / ColCount());
    if (v != 128) {
      const int pos = RoundSingle(float(Message.Pos()) * 127 / (128 - v));
      Message.WParam = MAKEWPARAM(SB_THUMBPOSITION, pos);
    }
  }
  if (code == SB_THUMBTRACK && FScrollSynch) SetLeftCol(c);
  const TGridRect bgBefore = FixedBackgroundCells();
  const int leftBefore = LeftCol();
  if (FixedCols() == 0 && c >= Col()) HideEditor();
  TBaseGrid::WMHScroll(Message);
  if (bgBefore.Left >= 0 && code != SB_THUMBTRACK && LeftCol() != leftBefore) Invalidate();
  SyncFlatHorzScroll();
  SyncFlatVertScroll();
  if (HasCheckBox(RealColIndex(Col()), Row())) HideEditor();
  UpdateFooter();
}

void TProStringGrid::WMVScroll(TWMScroll& Message) {
  if (IsDesigning()) {
    TBaseGrid::WMVScroll(Message);
    return;
  }
  const int code = Message.ScrollCode();
  // The in-cell scroll bar of the current cell.
  if (Message.ScrollBar() != nullptr) {
    TScrollBar* bar = FCellScrollBar;
    if (bar == nullptr || !bar->HandleAllocated() || Message.ScrollBar() != bar->Handle()) {
      TBaseGrid::WMVScroll(Message);
      return;
    }
    const int p = bar->Position();
    TBaseGrid::WMVScroll(Message);
    int np = p;
    switch (code) {
      case SB_LINEUP: np = std::max(bar->Min(), p - 10); break;
      case SB_LINEDOWN: np = std::min(bar->Max(), p + 10); break;
      case SB_PAGEUP: np = p - 100; break;
      case SB_PAGEDOWN: np = p + 100; break;
      case SB_THUMBTRACK: np = Message.Pos(); break;
      default: break;
    }
    bar->SetPosition(std::clamp(np, bar->Min(), bar->Max()));
    if (bar->Position() != p) {
      Message.Result = 1;
      SetScrollPosition(RealColIndex(Col()), Row(), bar->Position());
      RepaintCell(Col(), Row());
      DoScrollCell(RealColIndex(Col()), Row(), bar->Position(), bar->Min(), bar->Max());
    }
    return;
  }
  const int r = MulDiv(Message.Pos(), RowCount() - VisibleRowCount() - FixedRows(), GridScrollRange) + FixedRows();
  if (F.ScrollHints == shVertical || F.ScrollHints == shBoth) ScrollHintStep(code, QStringLiteral("Row : "), r);
  if (code == SB_THUMBTRACK && FScrollSynch) SetTopRow(r);
  const TGridRect bgBefore = FixedBackgroundCells();
  const int topBefore = TopRow();
  const bool search = FSearchFooter->Visible();
  if (search && (code == SB_ENDSCROLL || code == SB_LINEDOWN) && LastRowAboveSearchFooter()) {
    Message.Result = 1;
    return;
  }
  TBaseGrid::WMVScroll(Message);
  if (search && code == SB_LINEUP && TopRow() == RowCount() - VisibleRowCount()) SetTopRow(TopRow() - 1);
  if (search && (code == SB_ENDSCROLL || code == SB_LINEDOWN) && TopRow() == RowCount() - VisibleRowCount())
    ScrollAboveSearchFooter();
  if (bgBefore.Left >= 0 && TopRow() != topBefore) Invalidate();
  SyncFlatVertScroll();
  SyncFlatHorzScroll();
  if (HasCheckBox(RealColIndex(Col()), Row())) HideEditor();
}

void TProStringGrid::ScrolledFollowUp() {
  SyncFlatVertScroll();
  SyncFlatHorzScroll();
  UpdateFooter();
  if (FVScrollControl != nullptr) FVScrollControl->Invalidate();
  if (FHScrollControl != nullptr) FHScrollControl->Invalidate();
}

void TProStringGrid::DoScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax) {
  if (OnScrollCell) OnScrollCell(this, ACol, ARow, ScrollPosition, ScrollMin, ScrollMax);
}

TScrollBar* TProStringGrid::CellScrollBar() {
  if (FCellScrollBar == nullptr) {
    FCellScrollBar = new TScrollBar(this);
    FCellScrollBar->SetVisible(false);
    FCellScrollBar->SetKind(sbVertical);
    FCellScrollBar->SetTabStop(false);
    FCellScrollBar->SetParent(this);
  }
  return FCellScrollBar;
}

void TProStringGrid::PlaceCellScrollBar() {
  if (FCellScrollBar == nullptr || !FCellScrollBar->Visible()) return;
  const bool inView = Row() >= TopRow() && Col() >= LeftCol() && Col() < LeftCol() + VisibleColCount() &&
                      Row() < TopRow() + VisibleRowCount();
  if (!inView) {
    FCellScrollBar->SetHeight(0);
    return;
  }
  const TRect r = CellRect(Col(), Row());
  FCellScrollBar->SetBounds(r.Right - FCellScrollBar->Width(), r.Top, FCellScrollBar->Width(), r.Height());
}

void TProStringGrid::WMGetDlgCode(TMessageView& Message) {
  TBaseGrid::WMGetDlgCode(Message);
  if (!Options().contains(goEditing) || FNavigation->AutoGotoWhenSorted()) Message.Result |= DLGC_WANTCHARS;
}

void TProStringGrid::SizeChanged(int OldColCount, int OldRowCount) {
  const bool quiet = Parent() == nullptr || ComponentState().contains(csLoading) ||
                     ComponentState().contains(csReading) || Application->Terminated();
  if (!quiet && FColumnSize->Stretch()) StretchColumn(FColumnSize->StretchColumn());
  TBaseGrid::SizeChanged(OldColCount, OldRowCount);
  if (quiet) return;
  const bool vert = VisibleRowCount() + FixedRows() < RowCount();
  FlatShowScrollBar(SB_VERT, vert);
  SyncFlatVertScroll();
  const bool horz = VisibleColCount() + FixedCols() < ColCount();
  FlatShowScrollBar(SB_HORZ, horz);
  SyncFlatHorzScroll();
}

// ------------------------------------------------------------ dragging over the edges

void TProStringGrid::DragOver(TObject*, int X, int Y, TDragState State, bool&) {
  const TDragScrollDirection before = FDragScrollDir;
  FDragScrollDir = {};
  if (!FDragScrollOptions->Active()) {
    FDragScrollTimer.reset();
    return;
  }
  if (State == dsDragLeave) {
    FDragScrollTimer.reset();
    return;
  }
  const TDragScrollMargins* m = FDragScrollOptions->Margins();
  if (Y < m->TopMargin())
    FDragScrollDir.Include(dsdUp);
  else if (Y > Height() - m->BottomMargin())
    FDragScrollDir.Include(dsdDown);
  if (X < m->LeftMargin())
    FDragScrollDir.Include(dsdLeft);
  else if (X > Width() - m->RightMargin())
    FDragScrollDir.Include(dsdRight);
  if (FDragScrollDir.empty()) {
    FDragScrollTimer.reset();
    return;
  }
  const unsigned initial = unsigned(FDragScrollOptions->Delays()->InitialDelay());
  if (!FDragScrollTimer) {
    FDragScrollTimer = std::make_unique<TTimer>(nullptr);
    FDragScrollTimer->SetInterval(initial);
    FDragScrollTimer->OnTimer = [this](TObject*) { DragScrollTick(); };
    FDragScrollTimer->SetEnabled(true);
  } else if (!before.empty()) {
    FDragScrollTimer->SetInterval(initial);
  }
}

void TProStringGrid::DragScrollTick() {
  // Drag scrolling was switched off meanwhile: the timer stops (it is freed by
  // the next drag over the grid, not from inside its own tick).
  if (!FDragScrollOptions->Active()) {
    FDragScrollTimer->SetEnabled(false);
    return;
  }
  FDragScrollTimer->SetInterval(unsigned(FDragScrollOptions->Delays()->RepeatDelay()));
  TDragScrollDirection dir = FDragScrollDir;
  bool canScroll = true;
  if (OnDragScroll) OnDragScroll(this, TopRow(), LeftCol(), dir, canScroll);
  if (!canScroll) return;
  if (dir.contains(dsdUp) && TopRow() > FixedRows()) SetTopRow(TopRow() - 1);
  if (dir.contains(dsdDown) && TopRow() + VisibleRowCount() < RowCount()) SetTopRow(TopRow() + 1);
  if (dir.contains(dsdLeft) && LeftCol() > FixedCols()) SetLeftCol(LeftCol() - 1);
  if (dir.contains(dsdRight) && LeftCol() + VisibleColCount() < ColCount()) SetLeftCol(LeftCol() + 1);
}

// ------------------------------------------------------------ cells into view

void TProStringGrid::ScrollInView(int ColIndex, int RowIndex) {
  if (ColIndex >= ColCount() || RowIndex >= RowCount() || ColIndex < 0 || RowIndex < 0) return;
  const int visCols = VisibleColCount(), visRows = VisibleRowCount();
  int c = LeftCol(), r = TopRow();
  if (ColIndex < LeftCol() || ColIndex >= LeftCol() + visCols) {
    SetCol(ColIndex);
    c = std::max(FixedCols(), ColIndex - visCols / 2);
  }
  if (RowIndex < TopRow() || RowIndex >= TopRow() + visRows) {
    SetRow(RowIndex);
    r = std::max(FixedRows(), RowIndex - visRows / 2);
  }
  c = std::min(c, ColCount() - visCols + 1);
  if (FixedCols() + visCols < ColCount()) SetLeftCol(c);
  r = std::min(r, RowCount() - visRows + 1);
  if (FixedRows() + visRows < RowCount()) SetTopRow(r);
  if (FSearchFooter->Visible()) {
    int h = Height() - SearchPanelHeight();
    if (VisibleColCount() + FixedCols() < ColCount()) h -= GetSystemMetrics(SM_CYHSCROLL);
    while (TopRow() < RowCount() - 1) {
      const TRect cr = CellRect(0, RowIndex);
      if (cr.Bottom <= h) break;
      SetTopRow(TopRow() + 1);
    }
  }
}

void TProStringGrid::ScreenToCell(TPoint pt, int& ACol, int& ARow) {
  const TPoint p = ScreenToClient(pt);
  MouseToCell(p.X, p.Y, ACol, ARow);
}

int TProStringGrid::SearchPanelHeight() const { return FSearchFooter->Visible() ? kSearchPanelHeight : 0; }

bool TProStringGrid::LastRowAboveSearchFooter() {
  if (!FSearchFooter->Visible()) return true;
  const TRect r = CellRect(0, RowCount() - 1);
  if (r.Bottom <= r.Top) return false;
  return r.Bottom <= ClientHeight() - SearchPanelHeight() - 2;
}

void TProStringGrid::ScrollAboveSearchFooter() {
  if (!FSearchFooter->Visible() || !HandleAllocated()) return;
  // A client area that holds no more than one row besides the bar stays as it is.
  if (ClientHeight() <= DefaultRowHeight() + SearchPanelHeight()) return;
  while (!LastRowAboveSearchFooter() && TopRow() < RowCount() - 1) {
    const int top = TopRow();
    SetTopRow(top + 1);
    if (TopRow() == top) break;
  }
}

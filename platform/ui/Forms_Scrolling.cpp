// Scrolling windows: TControlScrollBar, TScrollingWinControl and TScrollBox.
#include <algorithm>

#include "platform/ui/Forms.h"

#include "platform/ui/ControlWidget_p.h"
#include "platform/widgets/StdCtrls_p.h"

// ------------------------------------------------------------ TControlScrollBar

TControlScrollBar::TControlScrollBar(TScrollingWinControl* Control, TScrollBarKind Kind)
    : FControl(Control), FKind(Kind) {}

void TControlScrollBar::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TControlScrollBar*>(Source)) {
    FRange = s->FRange;
    FIncrement = s->FIncrement;
    FMargin = s->FMargin;
    FTracking = s->FTracking;
    FVisible = s->FVisible;
    FSmooth = s->FSmooth;
    SetPosition(s->FPosition);
    Update();
    return;
  }
  TPersistent::Assign(Source);
}

int TControlScrollBar::ClientSize() const {
  return FKind == sbHorizontal ? FControl->ClientWidth() : FControl->ClientHeight();
}

int TControlScrollBar::MaxPosition() const { return std::max(0, FRange - ClientSize()); }

bool TControlScrollBar::IsScrollBarVisible() const { return FVisible && FRange > ClientSize(); }

void TControlScrollBar::SetRange(int Value) {
  Value = std::max(0, Value);
  FAutoRange = false;
  if (Value == FRange) return;
  FRange = Value;
  Update();
}

void TControlScrollBar::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Update();
}

void TControlScrollBar::SetPosition(int Value) {
  Value = std::clamp(Value, 0, MaxPosition());
  if (Value == FPosition) return;
  const int old = FPosition;
  FPosition = Value;
  if (FKind == sbHorizontal) FControl->ScrollBy(old - Value, 0);
  else FControl->ScrollBy(0, old - Value);
  Update();
}

void TControlScrollBar::Update() {
  if (!FControl->HandleAllocated() || FControl->FUpdatingBars > 0) return;
  ++FControl->FUpdatingBars;
  const int bar = FKind == sbHorizontal ? SB_HORZ : SB_VERT;
  if (!FVisible || FRange <= 0) {
    ShowScrollBar(FControl->View(), bar, false);
  } else {
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = FRange - 1;
    si.nPage = static_cast<UINT>(std::max(0, ClientSize()));
    si.nPos = FPosition;
    SetScrollInfo(FControl->View(), bar, si, true);
  }
  --FControl->FUpdatingBars;
  // The client size may have changed with the bar: the position stays in range.
  const int maxPos = MaxPosition();
  if (FPosition > maxPos) SetPosition(maxPos);
}

void TControlScrollBar::ScrollMessage(TWMScroll& Message) {
  const int page = std::max(1, ClientSize());
  switch (Message.ScrollCode()) {
    case SB_LINEUP: SetPosition(FPosition - FIncrement); break;
    case SB_LINEDOWN: SetPosition(FPosition + FIncrement); break;
    case SB_PAGEUP: SetPosition(FPosition - page); break;
    case SB_PAGEDOWN: SetPosition(FPosition + page); break;
    case SB_THUMBPOSITION: SetPosition(Message.Pos()); break;
    case SB_THUMBTRACK:
      if (FTracking) SetPosition(Message.Pos());
      break;
    case SB_TOP: SetPosition(0); break;
    case SB_BOTTOM: SetPosition(MaxPosition()); break;
    default: break;
  }
}

// ------------------------------------------------------------ TScrollingWinControl

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner) : TWinControl(AOwner) {
  FHorzScrollBar = std::make_unique<TControlScrollBar>(this, sbHorizontal);
  FVertScrollBar = std::make_unique<TControlScrollBar>(this, sbVertical);
}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::SetAutoScroll(bool Value) {
  if (FAutoScroll == Value) return;
  FAutoScroll = Value;
  if (Value) CalcAutoRange();
  else {
    FHorzScrollBar->SetRange(0);
    FVertScrollBar->SetRange(0);
  }
}

void TScrollingWinControl::AdjustClientRect(TRect& Rect) {
  const TRect cr = ClientRect();
  Rect = Bounds(-FHorzScrollBar->Position(), -FVertScrollBar->Position(),
                std::max(FHorzScrollBar->Range(), cr.Width()), std::max(cr.Height(), FVertScrollBar->Range()));
  TWinControl::AdjustClientRect(Rect);
}

void TScrollingWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  TWinControl::AlignControls(AControl, Rect);
  CalcAutoRange();
}

void TScrollingWinControl::CalcAutoRange() {
  if (!FAutoScroll || FUpdatingBars > 0) return;
  for (TControlScrollBar* bar : {FHorzScrollBar.get(), FVertScrollBar.get()}) {
    // Controls aligned to the near edge or placed there count; those at the far
    // edge add their size; filling controls follow the range and do not make it.
    int range = 0, margin = 0;
    const bool horz = bar->Kind() == sbHorizontal;
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      if (!c->Visible()) continue;
      const TAlign a = c->Align();
      const TAnchors an = c->Anchors();
      if (horz) {
        if (a == alLeft || (a == alNone && an * TAnchors{akLeft, akRight} == TAnchors{akLeft}))
          range = std::max(range, bar->Position() + c->Left() + c->Width());
        else if (a == alRight)
          margin += c->Width();
      } else {
        if (a == alTop || (a == alNone && an * TAnchors{akTop, akBottom} == TAnchors{akTop}))
          range = std::max(range, bar->Position() + c->Top() + c->Height());
        else if (a == alBottom)
          margin += c->Height();
      }
    }
    const int r = range + margin + bar->Margin();
    if (bar->FRange != r) {
      bar->FRange = r;
      bar->Update();
    }
  }
}

void TScrollingWinControl::UpdateScrollBars() {
  FHorzScrollBar->Update();
  FVertScrollBar->Update();
}

void TScrollingWinControl::ScrollBy(int DeltaX, int DeltaY) {
  if (DeltaX == 0 && DeltaY == 0) return;
  DisableAlign();
  try {
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      c->SetBounds(c->Left() + DeltaX, c->Top() + DeltaY, c->Width(), c->Height());
    }
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
  Invalidate();
}

void TScrollingWinControl::ScrollInView(TControl* AControl) {
  if (AControl == nullptr || !ContainsControl(AControl)) return;
  const TPoint p = AControl->ClientToParent(TPoint(0, 0), this);
  const TRect cr = ClientRect();
  if (p.Y < 0) FVertScrollBar->SetPosition(FVertScrollBar->Position() + p.Y);
  else if (p.Y + AControl->Height() > cr.Bottom)
    FVertScrollBar->SetPosition(FVertScrollBar->Position() + std::min(p.Y, p.Y + AControl->Height() - cr.Bottom));
  if (p.X < 0) FHorzScrollBar->SetPosition(FHorzScrollBar->Position() + p.X);
  else if (p.X + AControl->Width() > cr.Right)
    FHorzScrollBar->SetPosition(FHorzScrollBar->Position() + std::min(p.X, p.X + AControl->Width() - cr.Right));
}

void TScrollingWinControl::WMHScroll(TWMScroll& Message) {
  if (Message.ScrollBar() == nullptr) FHorzScrollBar->ScrollMessage(Message);
  else TWinControl::WMHScroll(Message);
}

void TScrollingWinControl::WMVScroll(TWMScroll& Message) {
  if (Message.ScrollBar() == nullptr) FVertScrollBar->ScrollMessage(Message);
  else TWinControl::WMVScroll(Message);
}

void TScrollingWinControl::WMSize(TWMSize& Message) {
  TWinControl::WMSize(Message);
  UpdateScrollBars();
}

void TScrollingWinControl::CreateWnd() {
  TWinControl::CreateWnd();
  CalcAutoRange();
  UpdateScrollBars();
}

// ------------------------------------------------------------ TScrollBox

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FView->setObjectName(QStringLiteral("TScrollBox"));
  SetBounds(0, 0, 185, 41);
}

TScrollBox::~TScrollBox() = default;

void TScrollBox::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  StdCtrlsPrivate::SetClientEdge(this, Value == bsSingle);
}

void TScrollBox::CreateParams(TCreateParams& Params) {
  TScrollingWinControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

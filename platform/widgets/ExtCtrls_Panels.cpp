// Panels, shapes, images and splitters.
#include <algorithm>

#include "platform/ui/ControlWidget_p.h"
#include "platform/widgets/ExtCtrls.h"
#include "platform/widgets/StdCtrls_p.h"

using namespace StdCtrlsPrivate;

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width) {
  Canvas->Pen()->SetWidth(1);
  Canvas->Pen()->SetStyle(psSolid);
  --Rect.Bottom;
  --Rect.Right;
  while (Width > 0) {
    --Width;
    const TPoint topLeft(Rect.Left, Rect.Top);
    const TPoint topRight(Rect.Right, Rect.Top);
    TPoint bottomLeft(Rect.Left, Rect.Bottom);
    const TPoint bottomRight(Rect.Right, Rect.Bottom);
    Canvas->Pen()->SetColor(TopColor);
    Canvas->Polyline({bottomLeft, topLeft, topRight});
    Canvas->Pen()->SetColor(BottomColor);
    --bottomLeft.X;
    Canvas->Polyline({topRight, bottomRight, bottomLeft});
    InflateRect(Rect, -1, -1);
  }
  ++Rect.Bottom;
  ++Rect.Right;
}

// ------------------------------------------------------------ TCustomPanel

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                csDoubleClicks, csReplicatable, csParentBackground};
  FView->setObjectName(QStringLiteral("TCustomPanel"));
  FColor = clBtnFace;
  FParentColor = false;
  FBrush->SetColor(clBtnFace);
  SetBounds(0, 0, 185, 41);
}

TCustomPanel::~TCustomPanel() = default;

void TCustomPanel::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) {
    Params.Style &= ~WS_BORDER;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  }
}

void TCustomPanel::Changed() {
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomPanel::SetVerticalAlignment(TVerticalAlignment Value) {
  if (FVerticalAlignment == Value) return;
  FVerticalAlignment = Value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
  if (FBevelInner == Value) return;
  FBevelInner = Value;
  Changed();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
  if (FBevelOuter == Value) return;
  FBevelOuter = Value;
  Changed();
}

void TCustomPanel::SetBevelWidth(int Value) {
  if (Value < 1) Value = 1;
  if (FBevelWidth == Value) return;
  FBevelWidth = Value;
  Changed();
}

void TCustomPanel::SetBorderWidth(int Value) {
  if (Value < 0) Value = 0;
  if (FBorderWidth == Value) return;
  FBorderWidth = Value;
  Changed();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  SetClientEdge(this, Value == bsSingle);
}

void TCustomPanel::SetShowCaption(bool Value) {
  if (FShowCaption == Value) return;
  FShowCaption = Value;
  Invalidate();
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  int bevel = FBorderWidth;
  if (FBevelOuter != bvNone) bevel += FBevelWidth;
  if (FBevelInner != bvNone) bevel += FBevelWidth;
  InflateRect(Rect, -bevel, -bevel);
}

void TCustomPanel::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  auto colors = [](TBevelCut Bevel, TColor& Top, TColor& Bottom) {
    Top = Bevel == bvLowered ? clBtnShadow : clBtnHighlight;
    Bottom = Bevel == bvLowered ? clBtnHighlight : clBtnShadow;
  };
  TColor top, bottom;
  if (FBevelOuter != bvNone) {
    colors(FBevelOuter, top, bottom);
    Frame3D(c, r, top, bottom, FBevelWidth);
  }
  if (ParentBackground()) InflateRect(r, -FBorderWidth, -FBorderWidth);
  else Frame3D(c, r, Color(), Color(), FBorderWidth);
  if (FBevelInner != bvNone) {
    colors(FBevelInner, top, bottom);
    Frame3D(c, r, top, bottom, FBevelWidth);
  }
  if (!ParentBackground()) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(r);
  }
  if (FShowCaption && !Caption().isEmpty()) {
    c->Brush()->SetStyle(bsClear);
    c->SetFont(Font());
    UINT flags = DT_EXPANDTABS | DT_SINGLELINE;
    flags |= FVerticalAlignment == taAlignTop ? DT_TOP : (FVerticalAlignment == taAlignBottom ? DT_BOTTOM : DT_VCENTER);
    flags |= FAlignment == taLeftJustify ? DT_LEFT : (FAlignment == taRightJustify ? DT_RIGHT : DT_CENTER);
    DrawTextLook(c->Handle(), Caption(), r, flags, Enabled(), Font()->Color());
    c->Brush()->SetStyle(bsSolid);
  }
}

void TCustomPanel::WMEraseBkgnd(TWMEraseBkgnd& Message) {
  // With the parent's background the panel leaves what lies behind it.
  if (ParentBackground()) {
    Message.Result = 1;
    return;
  }
  TCustomControl::WMEraseBkgnd(Message);
}

void TCustomPanel::CMTextChanged(TMessageView& Message) {
  Invalidate();
  TCustomControl::CMTextChanged(Message);
}

void TCustomPanel::CMFontChanged(TMessageView& Message) {
  TCustomControl::CMFontChanged(Message);
  Invalidate();
}

void TCustomPanel::CMColorChanged(TMessageView& Message) {
  TCustomControl::CMColorChanged(Message);
  Invalidate();
}

// ------------------------------------------------------------ TShape

TShape::TShape(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csReplicatable);
  FView->setObjectName(QStringLiteral("TShape"));
  FPen = std::make_unique<TPen>();
  FPen->OnChange = [this](TObject*) { Invalidate(); };
  FBrush = std::make_unique<TBrush>();
  FBrush->OnChange = [this](TObject*) { Invalidate(); };
  SetBounds(0, 0, 65, 65);
}

TShape::~TShape() {
  FPen->OnChange = nullptr;
  FBrush->OnChange = nullptr;
}

void TShape::SetShape(TShapeType Value) {
  if (FShape == Value) return;
  FShape = Value;
  Invalidate();
}

void TShape::Paint() {
  TCanvas* c = Canvas();
  c->SetPen(FPen.get());
  c->SetBrush(FBrush.get());
  const int pw = FPen->Width();
  int x = pw / 2;
  int y = x;
  int w = Width() - pw + 1;
  int h = Height() - pw + 1;
  if (pw == 0) {
    --w;
    --h;
  }
  const int s = std::min(w, h);
  if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
    x += (w - s) / 2;
    y += (h - s) / 2;
    w = s;
    h = s;
  }
  switch (FShape) {
    case stRectangle:
    case stSquare: c->Rectangle(x, y, x + w, y + h); break;
    case stRoundRect:
    case stRoundSquare: c->RoundRect(x, y, x + w, y + h, s / 4, s / 4); break;
    case stCircle:
    case stEllipse: c->Ellipse(x, y, x + w, y + h); break;
  }
}

// ------------------------------------------------------------ TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csReplicatable);
  FView->setObjectName(QStringLiteral("TImage"));
  FPicture = std::make_unique<TPicture>();
  FPicture->OnChange = [this](TObject*) { PictureChanged(); };
  SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

void TImage::PictureChanged() {
  TGraphic* g = FPicture->Graphic();
  if (g != nullptr) {
    g->SetTransparent(FTransparent);
    if (FAutoSize && g->Width() > 0 && g->Height() > 0) SetBounds(Left(), Top(), g->Width(), g->Height());
  }
  Invalidate();
}

void TImage::SetStretch(bool Value) {
  if (FStretch == Value) return;
  FStretch = Value;
  Invalidate();
}

void TImage::SetProportional(bool Value) {
  if (FProportional == Value) return;
  FProportional = Value;
  Invalidate();
}

void TImage::SetCenter(bool Value) {
  if (FCenter == Value) return;
  FCenter = Value;
  Invalidate();
}

void TImage::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  PictureChanged();
}

void TImage::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  PictureChanged();
}

TCanvas* TImage::ImageCanvas() {
  TBitmap* b = FPicture->Bitmap();
  if (b->Empty()) b->SetSize(std::max(1, Width()), std::max(1, Height()));
  Invalidate();
  return b->Canvas();
}

TRect TImage::DestRect() const {
  int w = FPicture->Width();
  int h = FPicture->Height();
  const int cw = ClientWidth();
  const int ch = ClientHeight();
  if (FStretch || (FProportional && (w > cw || h > ch))) {
    if (FProportional && w > 0 && h > 0) {
      const double aspect = static_cast<double>(w) / h;
      if (w > h) {
        w = cw;
        h = static_cast<int>(cw / aspect);
        if (h > ch) {
          h = ch;
          w = static_cast<int>(ch * aspect);
        }
      } else {
        h = ch;
        w = static_cast<int>(ch * aspect);
        if (w > cw) {
          w = cw;
          h = static_cast<int>(cw / aspect);
        }
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r(0, 0, w, h);
  if (FCenter) OffsetRect(r, (cw - w) / 2, (ch - h) / 2);
  return r;
}

void TImage::Paint() {
  TGraphic* g = FPicture->Graphic();
  if (g == nullptr || g->Empty()) return;
  Canvas()->StretchDraw(DestRect(), g);
}

// ------------------------------------------------------------ TSplitter

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
  FView->setObjectName(QStringLiteral("TSplitter"));
  SetAlign(alLeft);
  SetBounds(0, 0, 3, 100);
  SetCursor(crHSplit);
}

TSplitter::~TSplitter() = default;

void TSplitter::SetBeveled(bool Value) {
  if (FBeveled == Value) return;
  FBeveled = Value;
  Invalidate();
}

void TSplitter::RequestAlign() {
  TGraphicControl::RequestAlign();
  if (Cursor() != crVSplit && Cursor() != crHSplit) return;
  SetCursor(Align() == alTop || Align() == alBottom ? crVSplit : crHSplit);
}

void TSplitter::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  if (FBeveled) {
    if (Align() == alLeft || Align() == alRight) InflateRect(r, -1, 2);
    else InflateRect(r, 2, -1);
    OffsetRect(r, 1, 1);
    c->Brush()->SetColor(clBtnHighlight);
    c->FrameRect(r);
    OffsetRect(r, -2, -2);
    c->Brush()->SetColor(clBtnShadow);
    c->FrameRect(r);
  }
  if (OnPaint) OnPaint(this);
}

TControl* TSplitter::FindControl() const {
  if (FParent == nullptr) return nullptr;
  TPoint p(Left(), Top());
  switch (Align()) {
    case alLeft: --p.X; break;
    case alRight: p.X += Width(); break;
    case alTop: --p.Y; break;
    case alBottom: p.Y += Height(); break;
    default: return nullptr;
  }
  for (int i = 0; i < FParent->ControlCount(); ++i) {
    TControl* c = FParent->Controls(i);
    if (c == this || !c->Visible() || !c->Enabled()) continue;
    TRect r = c->BoundsRect();
    if (r.Width() == 0) {
      if (Align() == alTop || Align() == alLeft) --r.Left;
      else ++r.Right;
    }
    if (r.Height() == 0) {
      if (Align() == alTop || Align() == alLeft) --r.Top;
      else ++r.Bottom;
    }
    if (PtInRect(r, p)) return c;
  }
  return nullptr;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  FControl = FindControl();
  FDownPos = TPoint(X, Y);
  if (FControl == nullptr) return;
  const bool horz = Align() == alLeft || Align() == alRight;
  FMaxSize = (horz ? FParent->ClientWidth() : FParent->ClientHeight()) - FMinSize;
  for (int i = 0; i < FParent->ControlCount(); ++i) {
    TControl* c = FParent->Controls(i);
    if (!c->Visible()) continue;
    if (horz && (c->Align() == alLeft || c->Align() == alRight)) FMaxSize -= c->Width();
    if (!horz && (c->Align() == alTop || c->Align() == alBottom)) FMaxSize -= c->Height();
  }
  FMaxSize += horz ? FControl->Width() : FControl->Height();
  FStartSize = horz ? FControl->Width() : FControl->Height();
  FDragging = true;
}

void TSplitter::UpdateSize(int Delta) {
  if (FControl == nullptr) return;
  const bool horz = Align() == alLeft || Align() == alRight;
  const int current = horz ? FControl->Width() : FControl->Height();
  int size = current + Delta;
  if (size < FMinSize) size = FMinSize;
  if (size > FMaxSize) size = FMaxSize;
  if (size == current) return;
  bool accept = true;
  if (OnCanResize) OnCanResize(this, size, accept);
  if (!accept || size == current) return;
  if (horz) {
    FControl->SetWidth(size);
  } else if (Align() == alBottom) {
    FControl->SetBounds(FControl->Left(), FControl->Top() - (size - current), FControl->Width(), size);
  } else {
    FControl->SetHeight(size);
  }
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging || FControl == nullptr) return;
  int s = (Align() == alLeft || Align() == alRight) ? X - FDownPos.X : Y - FDownPos.Y;
  if (Align() == alRight || Align() == alBottom) s = -s;
  UpdateSize(s);
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging) return;
  FDragging = false;
  const bool moved = FControl != nullptr &&
                     FStartSize != ((Align() == alLeft || Align() == alRight) ? FControl->Width() : FControl->Height());
  FControl = nullptr;
  if (moved && OnMoved) OnMoved(this);
}

// Controls: painting (the back buffer of a windowed control, WM_NCPAINT,
// WM_ERASEBKGND, WM_PAINT, BeginPaint/EndPaint, device contexts of windows),
// TCustomControl and TGraphicControl. The window scroll bars are in
// Controls_ScrollBars.cpp, the wrapping of native Qt widgets in Controls_Native.cpp.
#include <QPaintEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QScopedValueRollback>

#include "platform/ui/ControlWidget_p.h"
#include "platform/ui/Forms.h"
#include "platform/ui/UiState_p.h"

QSize WindowSizeOf(const TWinControl* C) {
  if (TControlAccess::IsTopLevel(C)) {
    const TRect cr = C->ClientRect();
    return QSize(std::max(0, cr.Right), std::max(0, cr.Bottom));
  }
  return QSize(std::max(0, C->Width()), std::max(0, C->Height()));
}

bool PassingToNative() { return UiState().PassingTo != nullptr; }

// ------------------------------------------------------------ paint state

TPaintState* TControlAccess::PaintOf(TWinControl* C) {
  if (!C->FPaint) C->FPaint = std::make_unique<TPaintState>();
  return C->FPaint.get();
}

void TControlAccess::ClientDCChanged(TWinControl* C) {
  TPaintState* s = PaintOf(C);
  if (!s->ClientDC) s->ClientDC = std::make_unique<TDeviceContext>();
  const TRect ins = C->NonClientInsets();
  const TRect cr = C->ClientRect();
  TDeviceContext* dc = s->ClientDC.get();
  // Drawing outside a paint shows with the next refresh of the widget.
  dc->OnDrawn = [C] {
    if (QWidget* view = C->View()) view->update();
  };
  dc->SetDevice(&s->Image, true);
  dc->S.ViewportOrg = TPoint(ins.Left, ins.Top);
  dc->S.HasClip = true;
  dc->S.Clip = QRegion(ins.Left, ins.Top, cr.Right, cr.Bottom);
  dc->StateChanged();
}

TDeviceContext* TControlAccess::ClientDC(TWinControl* C) {
  EnsureBackBuffer(C);
  return C->FPaint->ClientDC.get();
}

void TControlAccess::EnsureBackBuffer(TWinControl* C) {
  TPaintState* s = PaintOf(C);
  const QSize size = WindowSizeOf(C);
  if (s->Image.size() != size || s->Image.isNull() != size.isEmpty()) {
    ReleaseDevicePainters(&s->Image);
    QImage img;
    if (!size.isEmpty()) {
      img = QImage(size, QImage::Format_ARGB32_Premultiplied);
      img.fill(Qt::transparent);
      if (!s->Image.isNull()) {
        QPainter p(&img);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, s->Image);
      }
    }
    s->Image = img;
    const TRect cr = C->ClientRect();
    s->Invalid = QRegion(0, 0, cr.Right, cr.Bottom);
    s->EraseNeeded = true;
    s->FrameNeeded = true;
    ClientDCChanged(C);
    if (s->PaintDC) {
      const TRect ins = C->NonClientInsets();
      s->PaintDC->SetDevice(&s->Image, true);
      s->PaintDC->S.ViewportOrg = TPoint(ins.Left, ins.Top);
      s->PaintDC->StateChanged();
    }
  }
  if (!s->ClientDC) ClientDCChanged(C);
}

void TControlAccess::PaintWindowNow(TWinControl* C) {
  TControlGuard guard(C);
  if (!C->FHandleCreated) {
    RunGuarded(C, [C] { C->HandleNeeded(); });
    if (!guard.Alive() || !C->FHandleCreated) return;
  }
  EnsureBackBuffer(C);
  TPaintState* s = C->FPaint.get();
  if (!s->Redraw) return;
  if (s->FrameNeeded) {
    s->FrameNeeded = false;
    DeliverMessage(C, WM_NCPAINT, 1, 0);
    if (!guard.Alive()) return;
  }
  if (!s->Invalid.isEmpty() || s->EraseNeeded) {
    if (s->Invalid.isEmpty()) {
      const TRect cr = C->ClientRect();
      s->Invalid = QRegion(0, 0, cr.Right, cr.Bottom);
    }
    const int began = s->PaintDepth;
    DeliverMessage(C, WM_PAINT, 0, 0);
    if (!guard.Alive()) return;
    s = C->FPaint.get();
    // A handler that never began a paint leaves the area painted as it is.
    if (s->PaintDepth == began && !s->Invalid.isEmpty() && s->PaintDepth == 0 && !s->BeganPaint) {
      s->Invalid = QRegion();
      s->EraseNeeded = false;
    }
    s->BeganPaint = false;
  }
}

// ------------------------------------------------------------ the widget's paint

void TControlWidget::paintEvent(QPaintEvent* Event) {
  if (FControl == nullptr) return;
  TDispatchScope scope;
  if (FControl->IsWindowed()) {
    auto* w = static_cast<TWinControl*>(FControl);
    TControlGuard guard(w);
    TControlAccess::PaintWindowNow(w);
    if (!guard.Alive()) return;
    TPaintState* s = TControlAccess::PaintOf(w);
    ReleaseDevicePainters(&s->Image);
    if (s->Image.isNull()) return;
    QPainter p(this);
    p.setClipRegion(Event->region());
    p.drawImage(0, 0, s->Image);
    return;
  }
  auto* g = dynamic_cast<TGraphicControl*>(FControl);
  if (g == nullptr || g->Canvas() == nullptr) return;
  TCanvas* canvas = g->Canvas();
  canvas->SetDevice(this);
  DeliverMessage(g, WM_PAINT, reinterpret_cast<WPARAM>(canvas->Handle()), 0);
  // The control may have gone while it painted; its canvas with it.
  if (FControl == g) {
    canvas->ReleasePainter();
    canvas->SetDevice(nullptr);
  }
}

// ------------------------------------------------------------ BeginPaint / EndPaint

HDC BeginPaint(HWND Wnd, PAINTSTRUCT* Paint) {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr) return nullptr;
  TControlAccess::EnsureBackBuffer(c);
  TPaintState* s = c->FPaint.get();
  s->BeganPaint = true;
  if (s->PaintDC) {
    ++s->PaintDepth;
    if (Paint != nullptr) {
      Paint->hdc = s->PaintDC.get();
      Paint->fErase = false;
      Paint->rcPaint = c->ClientRect();
    }
    return s->PaintDC.get();
  }
  ReleaseDevicePainters(&s->Image);
  const TRect ins = c->NonClientInsets();
  const TRect cr = c->ClientRect();
  QRegion inv = s->Invalid & QRect(0, 0, cr.Right, cr.Bottom);
  const bool erase = s->EraseNeeded;
  s->Invalid = QRegion();
  s->EraseNeeded = false;
  const QRegion device = inv.translated(ins.Left, ins.Top);
  if (erase && !s->Image.isNull() && !inv.isEmpty()) {
    // What lies behind the window shows through until the background is drawn.
    QPainter p(&s->Image);
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setClipRegion(device);
    p.fillRect(s->Image.rect(), Qt::transparent);
  }
  s->PaintDC = std::make_unique<TDeviceContext>();
  TDeviceContext* dc = s->PaintDC.get();
  dc->SetDevice(&s->Image, true);
  dc->S.ViewportOrg = TPoint(ins.Left, ins.Top);
  dc->S.HasClip = true;
  dc->S.Clip = device;
  dc->StateChanged();
  ++s->PaintDepth;
  const QRect b = inv.boundingRect();
  if (Paint != nullptr) {
    Paint->hdc = dc;
    Paint->rcPaint = TRect(b.left(), b.top(), b.left() + b.width(), b.top() + b.height());
    Paint->fErase = false;
  }
  if (erase && !inv.isEmpty()) {
    const LRESULT r = c->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    if (Paint != nullptr) Paint->fErase = r == 0;
  }
  return dc;
}

BOOL EndPaint(HWND Wnd, const PAINTSTRUCT*) {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr || !c->FPaint) return false;
  TPaintState* s = c->FPaint.get();
  if (s->PaintDepth > 0) --s->PaintDepth;
  if (s->PaintDepth == 0 && s->PaintDC) {
    s->PaintDC->ReleasePainter();
    s->PaintDC.reset();
  }
  return true;
}

// ------------------------------------------------------------ TWinControl painting

void TWinControl::Invalidate() {
  TPaintState* s = TControlAccess::PaintOf(this);
  const TRect cr = ClientRect();
  s->Invalid = QRegion(0, 0, cr.Right, cr.Bottom);
  s->EraseNeeded = true;
  if (FView != nullptr) FView->update();
}

void TWinControl::InvalidateRect(const TRect& R, bool Erase) {
  TPaintState* s = TControlAccess::PaintOf(this);
  const TRect cr = ClientRect();
  QRegion r = QRegion(R.Left, R.Top, std::max(0, R.Width()), std::max(0, R.Height())) &
              QRect(0, 0, cr.Right, cr.Bottom);
  if (r.isEmpty()) return;
  s->Invalid |= r;
  if (Erase) s->EraseNeeded = true;
  if (FView != nullptr) {
    const TRect ins = NonClientInsets();
    FView->update(r.translated(ins.Left, ins.Top));
  }
}

void TWinControl::Update() {
  if (FView == nullptr) return;
  if (FView->isVisible()) {
    FView->repaint();
  } else if (FHandleCreated) {
    TControlAccess::PaintWindowNow(this);
  }
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

QImage* TWinControl::BackBuffer() const {
  if (!FPaint || FPaint->Image.isNull()) return nullptr;
  ReleaseDevicePainters(&FPaint->Image);
  return &FPaint->Image;
}

void TWinControl::PaintNow() {
  HandleNeeded();
  TPaintState* s = TControlAccess::PaintOf(this);
  s->FrameNeeded = true;
  Invalidate();
  TControlAccess::PaintWindowNow(this);
}

void TWinControl::PaintTo(TCanvas* Canvas, int X, int Y) {
  if (Canvas == nullptr || FView == nullptr) return;
  PaintNow();
  const QImage img = FView->grab().toImage();
  HDC dc = Canvas->Handle();
  if (QPainter* p = dc->Painter()) p->drawImage(X, Y, img);
}

void TWinControl::WMPaint(TWMPaint& Message) { PaintHandler(Message); }

void TWinControl::PaintHandler(TWMPaint& Message) {
  PAINTSTRUCT ps;
  HDC dc = Message.DC();
  const bool own = dc == nullptr;
  if (own) dc = BeginPaint(FView, &ps);
  if (dc == nullptr) return;
  const auto endPaint = qScopeGuard([&] {
    if (own) EndPaint(FView, &ps);
  });
  PaintWindow(dc);
}

void TWinControl::PaintWindow(HDC DC) {
  TMessage m;
  m.Msg = WM_PAINT;
  m.WParam = reinterpret_cast<WPARAM>(DC);
  DefaultHandler(m);
}

void TWinControl::WMEraseBkgnd(TWMEraseBkgnd& Message) {
  if (!FDoubleBuffered || Message.WParam == static_cast<WPARAM>(Message.LParam)) {
    HDC dc = Message.DC();
    if (dc != nullptr) ::FillRect(dc, ClientRect(), FBrush->Handle());
  }
  Message.Result = 1;
}

void TWinControl::WMNCPaint(TMessageView& Message) {
  HDC dc = GetWindowDC(FView);
  if (dc != nullptr) {
    PaintNonClient(dc);
    ReleaseDC(FView, dc);
  }
  Message.Result = 0;
}

void TWinControl::PaintNonClient(HDC WindowDC) {
  if (TControlAccess::IsTopLevel(this)) return;
  TRect r(0, 0, FWidth, FHeight);
  if ((FStyle & WS_BORDER) != 0) {
    ::FrameRect(WindowDC, r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(r, -1, -1);
  }
  if ((FExStyle & WS_EX_CLIENTEDGE) != 0) {
    DrawEdge(WindowDC, r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  } else if ((FExStyle & WS_EX_STATICEDGE) != 0) {
    DrawEdge(WindowDC, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  }
  if ((FStyle & WS_VSCROLL) && (FStyle & WS_HSCROLL)) {
    const int w = GetSystemMetrics(SM_CXVSCROLL);
    const int h = GetSystemMetrics(SM_CYHSCROLL);
    ::FillRect(WindowDC, TRect(r.Right - w, r.Bottom - h, r.Right, r.Bottom), GetSysColorBrush(COLOR_BTNFACE));
  }
}

void TWinControl::ApplyStyleToView() {
  TPaintState* s = TControlAccess::PaintOf(this);
  TControlAccess::LayoutScrollBars(this);
  for (TControl* c : FControls) c->UpdateViewGeometry();
  if (FNative != nullptr) {
    const TRect ins = NonClientInsets();
    const TRect cr = ClientRect();
    FNative->setGeometry(ins.Left, ins.Top, cr.Right, cr.Bottom);
  }
  if (s->ClientDC) TControlAccess::ClientDCChanged(this);
  s->FrameNeeded = true;
  const TRect cr = ClientRect();
  const QSize now(cr.Right, cr.Bottom);
  if (s->LastClient != now) {
    const bool first = !s->LastClientKnown;
    s->LastClient = now;
    s->LastClientKnown = true;
    if (!first && FHandleCreated) Perform(WM_SIZE, SIZE_RESTORED, MAKELPARAM(cr.Right, cr.Bottom));
  }
  Invalidate();
}

// ------------------------------------------------------------ window DCs

namespace {

// A device context on the back buffer of the window's control, for the whole
// window, registered for ReleaseDC; nullptr when the window is no control of
// ours. The painters open on the buffer are closed first.
TDeviceContext* OpenWindowDC(HWND Wnd, TWinControl*& Control) {
  Control = FindControl(Wnd);
  if (Control == nullptr) return nullptr;
  TControlAccess::EnsureBackBuffer(Control);
  TPaintState* s = TControlAccess::PaintOf(Control);
  if (s->ClientDC) s->ClientDC->ReleasePainter();
  if (s->PaintDC) s->PaintDC->ReleasePainter();
  auto* dc = new TDeviceContext();
  dc->SetDevice(&s->Image, true);
  UiState().WindowDcs[dc] = Wnd;
  return dc;
}

}  // namespace

HDC GetDC(HWND Wnd) {
  TWinControl* c = nullptr;
  TDeviceContext* dc = OpenWindowDC(Wnd, c);
  if (dc == nullptr) return nullptr;
  // The client area only: origin at its corner, clipped to it.
  const TRect ins = TControlAccess::Insets(c);
  const TRect cr = c->ClientRect();
  dc->S.ViewportOrg = TPoint(ins.Left, ins.Top);
  dc->S.HasClip = true;
  dc->S.Clip = QRegion(ins.Left, ins.Top, cr.Right, cr.Bottom);
  dc->StateChanged();
  return dc;
}

HDC GetWindowDC(HWND Wnd) {
  TWinControl* c = nullptr;
  return OpenWindowDC(Wnd, c);
}

int ReleaseDC(HWND, HDC DC) {
  auto& m = UiState().WindowDcs;
  auto it = m.find(DC);
  if (it == m.end()) return 0;
  QPointer<QWidget> w = it->second;
  m.erase(it);
  DC->ReleasePainter();
  delete DC;
  if (!w.isNull()) w->update();
  return 1;
}

BOOL InvalidateRect(HWND Wnd, const TRect* Rect, BOOL Erase) {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr) return false;
  if (Rect == nullptr) {
    c->Invalidate();
    if (!Erase) TControlAccess::PaintOf(c)->EraseNeeded = false;
  } else {
    c->InvalidateRect(*Rect, Erase);
  }
  return true;
}

BOOL ValidateRect(HWND Wnd, const TRect* Rect) {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr) return false;
  TPaintState* s = TControlAccess::PaintOf(c);
  if (Rect == nullptr) s->Invalid = QRegion();
  else s->Invalid -= QRegion(Rect->Left, Rect->Top, Rect->Width(), Rect->Height());
  return true;
}

BOOL UpdateWindow(HWND Wnd) {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr) return false;
  c->Update();
  return true;
}

BOOL RedrawWindow(HWND Wnd, const TRect* Rect, HRGN Region, UINT Flags) {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr) return false;
  TPaintState* s = TControlAccess::PaintOf(c);
  if (Flags & RDW_INVALIDATE) {
    if (Rect != nullptr) {
      c->InvalidateRect(*Rect, (Flags & RDW_ERASE) != 0);
    } else if (Region != nullptr) {
      TRect box;
      GetRgnBox(Region, &box);
      c->InvalidateRect(box, (Flags & RDW_ERASE) != 0);
    } else {
      c->Invalidate();
      if (!(Flags & RDW_ERASE)) s->EraseNeeded = false;
    }
    if (Flags & RDW_ALLCHILDREN) {
      std::function<void(TWinControl*)> all = [&](TWinControl* w) {
        for (int i = 0; i < w->ControlCount(); ++i) {
          TControl* ch = w->Controls(i);
          ch->Invalidate();
          if (ch->IsWindowed()) all(static_cast<TWinControl*>(ch));
        }
      };
      all(c);
    }
  }
  if (Flags & RDW_VALIDATE) s->Invalid = QRegion();
  if (Flags & RDW_FRAME) {
    s->FrameNeeded = true;
    if (c->View() != nullptr) c->View()->update();
  }
  if (Flags & (RDW_UPDATENOW | RDW_ERASENOW)) c->Update();
  return true;
}

// ------------------------------------------------------------ TCustomControl

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {
  FCanvas = std::make_unique<TCanvas>();
  FView->setObjectName(QStringLiteral("TCustomControl"));
}

TCustomControl::~TCustomControl() = default;

TCanvas* TCustomControl::Canvas() {
  // Outside a paint the canvas draws on the client area's context, which
  // refreshes the widget when something is drawn (not when the canvas is asked for).
  if (!FCanvasInPaint) {
    TDeviceContext* dc = TControlAccess::ClientDC(this);
    if (!FCanvasOnClient || FCanvasDC != dc) {
      FCanvas->SetHandle(dc);
      FCanvasOnClient = true;
      FCanvasDC = dc;
    }
  }
  return FCanvas.get();
}

void TCustomControl::Paint() {}

void TCustomControl::PaintWindow(HDC DC) {
  FCanvas->Lock();
  const auto unlock = qScopeGuard([this] { FCanvas->Unlock(); });
  FCanvas->SetHandle(DC);
  FCanvasOnClient = false;
  const QScopedValueRollback inPaint(FCanvasInPaint, true);
  Paint();
}

// ------------------------------------------------------------ TGraphicControl

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {
  FCanvas = std::make_unique<TCanvas>();
  FView->setObjectName(QStringLiteral("TGraphicControl"));
  FView->setAttribute(Qt::WA_TranslucentBackground);
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::Paint() {}

void TGraphicControl::WMPaint(TWMPaint& Message) {
  HDC dc = Message.DC();
  if (dc == nullptr || ComponentState().contains(csDestroying)) return;
  FCanvas->Lock();
  const auto release = qScopeGuard([this] {
    FCanvas->SetHandle(nullptr);
    FCanvas->Unlock();
  });
  FCanvas->SetHandle(dc);
  Paint();
}

// Controls: painting (the back buffer of a windowed control, WM_NCPAINT,
// WM_ERASEBKGND, WM_PAINT, BeginPaint/EndPaint, device contexts of windows),
// the window scroll bars, the wrapping of native Qt widgets, TCustomControl
// and TGraphicControl.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <map>

#include "platform/ui/ControlWidget_p.h"
#include "platform/ui/Forms.h"
#include "platform/ui/UiState_p.h"

namespace {

// The window size of a control: its frame for a child window; the client
// area for a top-level window (its frame belongs to the window system).
QSize WindowSizeOf(const TWinControl* C) {
  if (TControlAccess::IsTopLevel(C)) {
    const TRect cr = C->ClientRect();
    return QSize(std::max(0, cr.Right), std::max(0, cr.Bottom));
  }
  return QSize(std::max(0, C->Width()), std::max(0, C->Height()));
}

}  // namespace

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

// ------------------------------------------------------------ scroll bars

namespace {

class TScrollBarFilter : public QObject {
 public:
  TScrollBarFilter(TWinControl* C, int Bar, QObject* Parent) : QObject(Parent), FGuard(C), FBar(Bar) {}

 protected:
  bool eventFilter(QObject* Obj, QEvent* E) override {
    if (E->type() == QEvent::MouseButtonRelease) {
      auto* sb = static_cast<QScrollBar*>(Obj);
      if (!sb->isSliderDown() && FGuard.Alive()) {
        TControl* c = FGuard.Get();
        // The release comes after Qt's own handling.
        QMetaObject::invokeMethod(
            this,
            [this, c] {
              if (FGuard.Alive()) TControlAccess::ScrollBarReleased(static_cast<TWinControl*>(c), FBar);
            },
            Qt::QueuedConnection);
      }
    }
    return false;
  }

 private:
  TControlGuard FGuard;
  int FBar;
};

int MaxScrollPos(const SCROLLINFO& si) {
  if (si.nPage > 0) return std::max(si.nMin, si.nMax - static_cast<int>(si.nPage) + 1);
  return si.nMax;
}

bool Scrollable(const SCROLLINFO& si) {
  if (si.nMax <= si.nMin) return false;
  if (si.nPage > 0 && static_cast<int64_t>(si.nPage) > static_cast<int64_t>(si.nMax) - si.nMin) return false;
  return true;
}

void ApplyBarToWidget(TPaintState* s, int bar) {
  QScrollBar* sb = s->Bars[bar];
  if (sb == nullptr) return;
  const SCROLLINFO& si = s->BarInfo[bar];
  const QSignalBlocker block(sb);
  sb->setRange(si.nMin, std::max(si.nMin, MaxScrollPos(si)));
  sb->setPageStep(std::max(1, static_cast<int>(si.nPage)));
  sb->setSingleStep(1);
  if (!sb->isSliderDown()) sb->setValue(si.nPos);
  sb->setEnabled(!s->BarDisabled[bar] && Scrollable(si));
}

}  // namespace

void TControlAccess::LayoutScrollBars(TWinControl* C) {
  TPaintState* s = PaintOf(C);
  const bool top = IsTopLevel(C);
  int border = 0;
  if (C->FExStyle & WS_EX_CLIENTEDGE) border += 2;
  if (C->FExStyle & WS_EX_STATICEDGE) border += 1;
  if ((C->FStyle & WS_BORDER) && !top) border += 1;
  const int vw = GetSystemMetrics(SM_CXVSCROLL);
  const int hh = GetSystemMetrics(SM_CYHSCROLL);
  const bool hasV = (C->FStyle & WS_VSCROLL) != 0;
  const bool hasH = (C->FStyle & WS_HSCROLL) != 0;
  const QSize ws = WindowSizeOf(C);
  for (int bar = 0; bar < 2; ++bar) {
    const bool want = bar == SB_VERT ? hasV : hasH;
    if (!want) {
      if (s->Bars[bar] != nullptr) s->Bars[bar]->hide();
      continue;
    }
    if (s->Bars[bar] == nullptr) {
      auto* sb = new QScrollBar(bar == SB_VERT ? Qt::Vertical : Qt::Horizontal, C->FView);
      sb->setFocusPolicy(Qt::NoFocus);
      sb->setTracking(true);
      sb->installEventFilter(new TScrollBarFilter(C, bar, sb));
      TControlGuard guard(C);
      QObject::connect(sb, &QAbstractSlider::actionTriggered, sb, [guard, bar](int action) {
        if (guard.Alive()) ScrollBarAction(static_cast<TWinControl*>(guard.Get()), bar, action);
      });
      QObject::connect(sb, &QAbstractSlider::sliderReleased, sb, [guard, bar] {
        if (guard.Alive()) ScrollBarReleased(static_cast<TWinControl*>(guard.Get()), bar);
      });
      QObject::connect(sb, &QAbstractSlider::valueChanged, sb, [guard, bar, sb](int value) {
        // The window's program moves the thumb (SetScrollPos), not the bar itself.
        if (!guard.Alive() || sb->isSliderDown()) return;
        TPaintState* st = PaintOf(static_cast<TWinControl*>(guard.Get()));
        if (value != st->BarInfo[bar].nPos) {
          const QSignalBlocker block(sb);
          sb->setValue(st->BarInfo[bar].nPos);
        }
      });
      s->Bars[bar] = sb;
      ApplyBarToWidget(s, bar);
    }
    QScrollBar* sb = s->Bars[bar];
    if (bar == SB_VERT) {
      sb->setGeometry(ws.width() - border - vw, border, vw, std::max(0, ws.height() - 2 * border - (hasH ? hh : 0)));
    } else {
      sb->setGeometry(border, ws.height() - border - hh, std::max(0, ws.width() - 2 * border - (hasV ? vw : 0)), hh);
    }
    sb->raise();
    sb->show();
  }
}

void TControlAccess::ScrollBarAction(TWinControl* C, int Bar, int Action) {
  TPaintState* s = PaintOf(C);
  QScrollBar* sb = s->Bars[Bar];
  if (sb == nullptr) return;
  int code = -1;
  switch (Action) {
    case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
    case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
    case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
    case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
    default: return;
  }
  const int pos = code == SB_THUMBTRACK ? sb->sliderPosition() : s->BarInfo[Bar].nPos;
  if (code == SB_THUMBTRACK) s->BarInfo[Bar].nTrackPos = pos;
  const UINT msg = Bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
  DeliverMessage(C, msg, MAKEWPARAM(code, pos & 0xFFFF), 0);
}

void TControlAccess::ScrollBarReleased(TWinControl* C, int Bar) {
  TPaintState* s = PaintOf(C);
  QScrollBar* sb = s->Bars[Bar];
  if (sb == nullptr) return;
  const UINT msg = Bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
  TControlGuard guard(C);
  if (s->BarInfo[Bar].nTrackPos != s->BarInfo[Bar].nPos && sb->sliderPosition() == s->BarInfo[Bar].nTrackPos) {
    DeliverMessage(C, msg, MAKEWPARAM(SB_THUMBPOSITION, s->BarInfo[Bar].nTrackPos & 0xFFFF), 0);
    if (!guard.Alive()) return;
  }
  DeliverMessage(C, msg, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
  if (!guard.Alive()) return;
  s = PaintOf(C);
  s->BarInfo[Bar].nTrackPos = s->BarInfo[Bar].nPos;
  ApplyBarToWidget(s, Bar);
}

namespace {

void SetBarShown(TWinControl* c, int bar, bool show) {
  const DWORD bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
  const DWORD style = c->WindowStyle();
  const bool has = (style & bit) != 0;
  if (has == show) return;
  c->SetWindowStyle(show ? (style | bit) : (style & ~bit), c->WindowExStyle());
}

}  // namespace

int SetScrollInfo(HWND Wnd, int Bar, const SCROLLINFO& Info, BOOL Redraw) {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr || (Bar != SB_HORZ && Bar != SB_VERT)) return 0;
  TPaintState* s = TControlAccess::PaintOf(c);
  SCROLLINFO& si = s->BarInfo[Bar];
  if (Info.fMask & SIF_RANGE) {
    si.nMin = Info.nMin;
    si.nMax = Info.nMax;
  }
  if (Info.fMask & SIF_PAGE) {
    const int64_t range = static_cast<int64_t>(si.nMax) - si.nMin + 1;
    si.nPage = static_cast<UINT>(std::clamp<int64_t>(Info.nPage, 0, std::max<int64_t>(0, range)));
  }
  if (Info.fMask & SIF_POS) si.nPos = Info.nPos;
  si.nPos = std::clamp(si.nPos, si.nMin, std::max(si.nMin, MaxScrollPos(si)));
  if (Info.fMask & (SIF_RANGE | SIF_PAGE)) {
    if (Scrollable(si)) {
      SetBarShown(c, Bar, true);
    } else if (Info.fMask & SIF_DISABLENOSCROLL) {
      SetBarShown(c, Bar, true);
    } else {
      SetBarShown(c, Bar, false);
    }
  }
  s = TControlAccess::PaintOf(c);
  ApplyBarToWidget(s, Bar);
  (void)Redraw;
  return s->BarInfo[Bar].nPos;
}

BOOL GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO* Info) {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr || Info == nullptr || (Bar != SB_HORZ && Bar != SB_VERT)) return false;
  const SCROLLINFO& si = TControlAccess::PaintOf(c)->BarInfo[Bar];
  if (Info->fMask & SIF_RANGE) {
    Info->nMin = si.nMin;
    Info->nMax = si.nMax;
  }
  if (Info->fMask & SIF_PAGE) Info->nPage = si.nPage;
  if (Info->fMask & SIF_POS) Info->nPos = si.nPos;
  if (Info->fMask & SIF_TRACKPOS) Info->nTrackPos = si.nTrackPos;
  return true;
}

int SetScrollPos(HWND Wnd, int Bar, int Pos, BOOL Redraw) {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr || (Bar != SB_HORZ && Bar != SB_VERT)) return 0;
  const int old = TControlAccess::PaintOf(c)->BarInfo[Bar].nPos;
  SCROLLINFO si;
  si.fMask = SIF_POS;
  si.nPos = Pos;
  SetScrollInfo(Wnd, Bar, si, Redraw);
  return old;
}

int GetScrollPos(HWND Wnd, int Bar) {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr || (Bar != SB_HORZ && Bar != SB_VERT)) return 0;
  return TControlAccess::PaintOf(c)->BarInfo[Bar].nPos;
}

BOOL SetScrollRange(HWND Wnd, int Bar, int Min, int Max, BOOL Redraw) {
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  si.nMin = Min;
  si.nMax = Max;
  return SetScrollInfo(Wnd, Bar, si, Redraw) >= 0 && FindControl(Wnd) != nullptr;
}

BOOL GetScrollRange(HWND Wnd, int Bar, int* Min, int* Max) {
  SCROLLINFO si;
  si.fMask = SIF_RANGE;
  if (!GetScrollInfo(Wnd, Bar, &si)) return false;
  if (Min != nullptr) *Min = si.nMin;
  if (Max != nullptr) *Max = si.nMax;
  return true;
}

BOOL ShowScrollBar(HWND Wnd, int Bar, BOOL Show) {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr) return false;
  if (Bar == SB_HORZ || Bar == SB_BOTH) SetBarShown(c, SB_HORZ, Show);
  if (Bar == SB_VERT || Bar == SB_BOTH) SetBarShown(c, SB_VERT, Show);
  return true;
}

BOOL EnableScrollBar(HWND Wnd, UINT Bar, UINT Arrows) {
  TWinControl* c = FindControl(Wnd);
  if (c == nullptr) return false;
  TPaintState* s = TControlAccess::PaintOf(c);
  for (int bar = 0; bar < 2; ++bar) {
    if (!(Bar == static_cast<UINT>(bar) || Bar == SB_BOTH)) continue;
    s->BarDisabled[bar] = Arrows == ESB_DISABLE_BOTH;
    ApplyBarToWidget(s, bar);
  }
  return true;
}

// ------------------------------------------------------------ native widgets

namespace {

class TNativeFilter : public QObject {
 public:
  TNativeFilter(TWinControl* C, QObject* Parent) : QObject(Parent), FGuard(C) {}

 protected:
  bool eventFilter(QObject* Obj, QEvent* E) override {
    if (!Obj->isWidgetType() || Obj == UiState().PassingTo) return false;
    TControl* c = FGuard.Get();
    if (c == nullptr) return false;
    switch (E->type()) {
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
      case QEvent::Wheel:
      case QEvent::FocusIn:
      case QEvent::Enter:
      case QEvent::Leave:
      case QEvent::ContextMenu: {
        TDispatchScope scope;
        return TranslateEvent(c, static_cast<QWidget*>(Obj), E, true);
      }
      default:
        return false;
    }
  }

 private:
  TControlGuard FGuard;
};

int QtKeyOfVk(int vk) {
  if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + (vk - 'A');
  if (vk >= '0' && vk <= '9') return Qt::Key_0 + (vk - '0');
  if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return Qt::Key_0 + (vk - VK_NUMPAD0);
  if (vk >= VK_F1 && vk <= VK_F24) return Qt::Key_F1 + (vk - VK_F1);
  switch (vk) {
    case VK_RETURN: return Qt::Key_Return;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_TAB: return Qt::Key_Tab;
    case VK_BACK: return Qt::Key_Backspace;
    case VK_SPACE: return Qt::Key_Space;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    case VK_HOME: return Qt::Key_Home;
    case VK_END: return Qt::Key_End;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_SHIFT: return Qt::Key_Shift;
    case VK_CONTROL: return Qt::Key_Control;
    case VK_MENU: return Qt::Key_Alt;
    default: return Qt::Key_unknown;
  }
}

}  // namespace

void TWinControl::SetNativeWidget(QWidget* Native) {
  if (FNative == Native) return;
  delete FNative;
  FNative = Native;
  if (Native == nullptr) {
    FView->setFocusProxy(nullptr);
    return;
  }
  Native->setParent(FView);
  auto* filter = new TNativeFilter(this, Native);
  Native->installEventFilter(filter);
  for (QWidget* child : Native->findChildren<QWidget*>()) child->installEventFilter(filter);
  Native->setMouseTracking(true);
  FView->setFocusProxy(Native);
  UpdateViewGeometry();
  Native->show();
}

bool TWinControl::PassToNative(TMessage& Message) {
  TTranslatedEvent* te = CurrentTranslatedEvent();
  if (FNative == nullptr || te == nullptr || te->Target != this || te->Msg != Message.Msg) return false;
  QWidget* dest = te->Native != nullptr ? te->Native : FNative;
  const QScopedValueRollback passing(UiState().PassingTo, dest);

  QEvent* e = te->Event;
  switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      auto* ke = static_cast<QKeyEvent*>(e);
      const bool down = Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN;
      const int key = QtKeyOfVk(static_cast<int>(Message.WParam));
      const int qtKey = key == Qt::Key_unknown ? ke->key() : key;
      // The characters follow as WM_CHAR; the key itself carries none.
      QKeyEvent copy(down ? QEvent::KeyPress : QEvent::KeyRelease, qtKey, ke->modifiers(), QString(),
                     ke->isAutoRepeat());
      QCoreApplication::sendEvent(dest, &copy);
      return true;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
      auto* ke = static_cast<QKeyEvent*>(e);
      const QChar ch(static_cast<char16_t>(Message.WParam));
      QKeyEvent copy(QEvent::KeyPress, Qt::Key_unknown, ke->modifiers() & ~Qt::ControlModifier,
                     QString(ch), ke->isAutoRepeat());
      QCoreApplication::sendEvent(dest, &copy);
      return true;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE: {
      std::unique_ptr<QEvent> copy(e->clone());
      QCoreApplication::sendEvent(dest, copy.get());
      return true;
    }
    default:
      return false;
  }
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

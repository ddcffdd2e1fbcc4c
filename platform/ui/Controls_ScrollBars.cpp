// Controls: the window scroll bars (WS_HSCROLL / WS_VSCROLL) as Qt scroll bars
// laid out in the window frame, SetScrollInfo and the WM_HSCROLL / WM_VSCROLL road.
#include <QScrollBar>

#include "platform/ui/ControlWidget_p.h"
#include "platform/ui/Forms.h"

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

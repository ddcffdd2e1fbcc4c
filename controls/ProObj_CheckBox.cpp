// The grid's owner-drawn check box control.
#include "controls/ProObj.h"
#include "controls/ProStyleIF.h"
#include "controls/ProXPVS.h"
#include "platform/ui/Forms.h"

TProCheckBox::TProCheckBox(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(Left(), Top(), 98, 20);
  TControl::SetText(QStringLiteral("TProCheckBox"));
  // The control fires Click itself, on a release inside it or the space key.
  TControlStyle style = ControlStyle();
  style.Exclude(csClickEvents);
  SetControlStyle(style);
  FIsWinXP = IsWinXPOrLater();
  FBackground = std::make_unique<TBitmap>();
}

TProCheckBox::~TProCheckBox() = default;

void TProCheckBox::Toggle() {
  if (!FReadOnly) SetChecked(!Checked());
}

void TProCheckBox::SetState(TCheckBoxState Value) {
  if (FState == Value) return;
  FState = Value;
  // Only the strip with the box changes.
  const int w = ClientWidth();
  if (FAlignment == taRightJustify)
    InvalidateRect(TRect(w - 20, 0, w, ClientHeight()), true);
  else
    InvalidateRect(TRect(0, 0, 20, ClientHeight()), true);
}

void TProCheckBox::SetChecked(bool Value) {
  FState = Value ? cbChecked : cbUnchecked;
  Invalidate();
}

void TProCheckBox::SetText(const QString& Value) {
  TCustomControl::SetText(Value);
  Invalidate();
}

void TProCheckBox::SetAlignment(TLeftRight Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TProCheckBox::SetButtonVertAlign(TTextLayout Value) {
  if (FButtonVertAlign == Value) return;
  FButtonVertAlign = Value;
  Invalidate();
}

void TProCheckBox::SetEllipsis(bool Value) {
  if (FEllipsis == Value) return;
  FEllipsis = Value;
  Invalidate();
}

void TProCheckBox::SetTransparent(bool Value) {
  if (FTransparent != Value) {
    FTransparent = Value;
    FCacheValid = false;
  }
  Invalidate();
}

void TProCheckBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FTransparent) {
    FCacheValid = false;
    Invalidate();
  }
}

void TProCheckBox::InvalidateCorner(bool Erase) {
  const int x = FAlignment == taRightJustify ? ClientWidth() - 16 : 0;
  InvalidateRect(TRect(x, 0, x + 16, 16), Erase);
}

// ---------------------------------------------------------------------------
// Painting

void TProCheckBox::PaintParentBackground(TCanvas* ACanvas) {
  if (Parent() == nullptr) return;
  HDC dc = ACanvas->Handle();
  const int saved = SaveDC(dc);
  MoveWindowOrg(dc, -Left(), -Top());
  const TRect pr = Parent()->ClientRect();
  IntersectClipRect(dc, pr.Left, pr.Top, pr.Right, pr.Bottom);
  Parent()->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc));
  Parent()->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  RestoreDC(dc, saved);
  ACanvas->Refresh();
}

void TProCheckBox::Paint() {
  TCanvas* c = Canvas();
  c->SetFont(Font());
  const int w = ClientWidth(), h = ClientHeight();
  if (FTransparent) {
    if (!FTransparentChaching) {
      PaintParentBackground(c);
    } else {
      if (!FCacheValid) {
        FBackground->SetSize(w, h);
        PaintParentBackground(FBackground->Canvas());
        FCacheValid = true;
      }
      c->Draw(0, 0, FBackground.get());
    }
  }

  const bool enabled = Enabled();
  bool drawn = false;
  if (IsThemedXP()) {
    const int left = FAlignment == taRightJustify ? w - 15 : 0;
    const int top = FButtonVertAlign == tlCenter ? h / 2 - 6 : FButtonVertAlign == tlBottom ? h - 14 : 4;
    int base = FState == cbChecked ? 5 : FState == cbGrayed ? 9 : 1;
    int offset = 0;
    if (!enabled) offset = 3;
    else if (FDown) offset = 2;
    else if (FHot) offset = 1;
    drawn = DrawThemedPart(Handle(), QStringLiteral("button"), c->Handle(), 3, base + offset,
                           TRect(left, top, left + 14, top + 14));
  }
  if (!drawn) {
    const int left = FAlignment == taRightJustify ? w - 13 : 0;
    const int top = FButtonVertAlign == tlCenter ? h / 2 - 6 : FButtonVertAlign == tlBottom ? h - 17 : 4;
    UINT st = DFCS_BUTTONCHECK;
    if (FState == cbGrayed || !enabled) st |= DFCS_INACTIVE;
    if (FState == cbChecked) st |= DFCS_CHECKED;
    DrawFrameControl(c->Handle(), TRect(left, top, left + 13, top + 13), DFC_BUTTON, st);
  }

  TRect r = ClientRect();
  if (FAlignment == taRightJustify) {
    r.Left = 0;
    r.Right -= 9;
  } else {
    r.Left += 9;
  }
  r.Top += 4;
  r.Left += 6;
  UINT flags = DT_LEFT | DT_TOP | DT_SINGLELINE;
  if (FEllipsis) flags |= DT_END_ELLIPSIS;
  const QString caption = Caption();
  c->Brush()->SetStyle(bsClear);
  if (!enabled) {
    TRect shadow(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
    c->Font()->SetColor(clWhite);
    DrawText(c->Handle(), caption, -1, shadow, flags);
    c->Font()->SetColor(clGray);
  }
  DrawText(c->Handle(), caption, -1, r, flags);
  c->Brush()->SetStyle(bsSolid);
  if (FFocused) {
    TRect m(0, 0, 0, 0);
    DrawText(c->Handle(), caption, -1, m, DT_CALCRECT | DT_SINGLELINE);
    c->DrawFocusRect(TRect(r.Left - 2, r.Top, r.Left + m.Width() + 1, r.Top + m.Height() + 1));
  }
}

void TProCheckBox::WMEraseBkgnd(TWMEraseBkgnd& Message) {
  if (FTransparent) {
    Message.Result = 1;
    return;
  }
  TCustomControl::WMEraseBkgnd(Message);
}

// ---------------------------------------------------------------------------
// Mouse and keys

void TProCheckBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FMouseDown = true;
  if (!Focused() && CanFocus()) SetFocus();
  TCustomControl::MouseDown(Button, Shift, X, Y);
  SetMouseCapture(true);
  FDown = true;
  if (FIsWinXP) InvalidateCorner(false);
}

void TProCheckBox::MouseMove(TShiftState Shift, int X, int Y) {
  if (MouseCapture()) {
    const bool inside = X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
    if (inside != FDown) {
      FDown = inside;
      InvalidateCorner(false);
    }
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TProCheckBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  SetMouseCapture(false);
  FDown = false;
  const bool inside = X >= 0 && X <= Width() && Y >= 0 && Y <= Height();
  if (inside && Focused() && FMouseDown) {
    Toggle();
    Click();
  }
  FMouseDown = false;
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (FIsWinXP) InvalidateCorner(true);
}

void TProCheckBox::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_SPACE) {
    FDown = true;
    InvalidateCorner(false);
  }
  TCustomControl::KeyDown(Key, Shift);
}

void TProCheckBox::KeyUp(Word& Key, TShiftState) {
  if (Key != VK_SPACE) return;
  FDown = false;
  Toggle();
  Click();
}

void TProCheckBox::CMDialogKey(TWMKey& Message) {
  // Enter acts as Tab: the focus moves on to the next control.
  if (FReturnIsTab && Message.CharCode() == VK_RETURN && Focused()) {
    if (TCustomForm* form = GetParentForm())
      form->SelectNext(this, !GetShiftState().contains(ssShift), true);
    Message.Result = 1;
    return;
  }
  TCustomControl::CMDialogKey(Message);
}

void TProCheckBox::CMDialogChar(TWMKey& Message) {
  if (IsAccel(Message.CharCode(), Caption()) && CanFocus()) {
    Toggle();
    if (TabStop()) SetFocus();
    Message.Result = 1;
    return;
  }
  TCustomControl::CMDialogChar(Message);
}

void TProCheckBox::CMMouseEnter(TCMMouseEnterLeave& Message) {
  TCustomControl::CMMouseEnter(Message);
  FHot = true;
  InvalidateCorner(true);
}

void TProCheckBox::CMMouseLeave(TCMMouseEnterLeave& Message) {
  TCustomControl::CMMouseLeave(Message);
  FHot = false;
  InvalidateCorner(true);
}

void TProCheckBox::CMEnabledChanged(TMessageView& Message) {
  TCustomControl::CMEnabledChanged(Message);
  Invalidate();
}

void TProCheckBox::DoEnter() {
  FFocused = true;
  Invalidate();
  TCustomControl::DoEnter();
}

void TProCheckBox::DoExit() {
  FFocused = false;
  Invalidate();
  TCustomControl::DoExit();
}

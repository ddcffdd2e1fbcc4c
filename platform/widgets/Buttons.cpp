// TSpeedButton: face, glyph and caption, clicks and groups.
#include "platform/widgets/Buttons.h"

#include <QImage>

#include "platform/ui/ControlWidget_p.h"
#include "platform/gdi/DeviceContext_p.h"
#include "platform/widgets/StdCtrls_p.h"

using namespace StdCtrlsPrivate;

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks, csOpaque};
  FView->setObjectName(QStringLiteral("TSpeedButton"));
  FGlyph = std::make_unique<TBitmap>();
  FGlyph->OnChange = [this](TObject*) { Invalidate(); };
  SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() { FGlyph->OnChange = nullptr; }

void TSpeedButton::SetAllowAllUp(bool Value) {
  if (FAllowAllUp == Value) return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  UpdateExclusive();
}

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  FState = Value ? bsExclusive : bsUp;
  Invalidate();
  if (Value) UpdateExclusive();
}

void TSpeedButton::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  if (Value) FControlStyle.Exclude(csOpaque);
  else FControlStyle.Include(csOpaque);
  Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* Value) {
  if (Value == nullptr) FGlyph->SetSize(0, 0);
  else FGlyph->Assign(Value);
  if (Value != nullptr && Value->Height() > 0 && Value->Width() % Value->Height() == 0) {
    const int n = Value->Width() / Value->Height();
    if (n >= 1 && n <= 4) FNumGlyphs = n;
  }
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs Value) {
  FNumGlyphs = std::clamp(Value, 1, 4);
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value) {
  FLayout = Value;
  Invalidate();
}

void TSpeedButton::SetMargin(int Value) {
  FMargin = std::max(-1, Value);
  Invalidate();
}

void TSpeedButton::SetSpacing(int Value) {
  FSpacing = Value;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool Value) {
  FTransparent = Value;
  Invalidate();
}

void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || FParent == nullptr) return;
  TMessage m;
  m.Msg = CM_BUTTONPRESSED;
  m.WParam = static_cast<WPARAM>(FGroupIndex);
  m.LParam = reinterpret_cast<LPARAM>(this);
  FParent->Broadcast(m);
}

void TSpeedButton::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_BUTTONPRESSED) {
    CMButtonPressed(Message);
    return;
  }
  TGraphicControl::Dispatch(Message);
}

void TSpeedButton::CMButtonPressed(TMessage& Message) {
  if (static_cast<int>(Message.WParam) != FGroupIndex) return;
  auto* sender = reinterpret_cast<TSpeedButton*>(Message.LParam);
  if (sender == this || sender == nullptr) return;
  if (sender->Down() && FDown) {
    FDown = false;
    FState = bsUp;
    Invalidate();
  }
  FAllowAllUp = sender->AllowAllUp();
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging) return;
  TButtonState s = FDown ? bsExclusive : bsUp;
  if (X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight()) s = FDown ? bsExclusive : bsDown;
  if (s != FState) {
    FState = s;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging) return;
  FDragging = false;
  const bool doClick = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
  if (FGroupIndex == 0) {
    FState = bsUp;
    Invalidate();
  } else if (doClick) {
    SetDown(!FDown);
    FState = FDown ? bsExclusive : bsUp;
    Invalidate();
  } else {
    FState = FDown ? bsExclusive : bsUp;
    Invalidate();
  }
  if (doClick) Click();
}

void TSpeedButton::CMMouseEnter(TCMMouseEnterLeave& Message) {
  TGraphicControl::CMMouseEnter(Message);
  if (Message.LParam == 0 && Enabled() && !FMouseInControl) {
    FMouseInControl = true;
    if (FFlat) Invalidate();
  }
}

void TSpeedButton::CMMouseLeave(TCMMouseEnterLeave& Message) {
  TGraphicControl::CMMouseLeave(Message);
  if (Message.LParam == 0 && FMouseInControl) {
    FMouseInControl = false;
    if (FFlat) Invalidate();
  }
}

void TSpeedButton::CMEnabledChanged(TMessageView& Message) {
  TGraphicControl::CMEnabledChanged(Message);
  if (!Enabled()) FMouseInControl = false;
  Invalidate();
}

void TSpeedButton::CMTextChanged(TMessageView& Message) {
  Invalidate();
  TGraphicControl::CMTextChanged(Message);
}

void TSpeedButton::CMDialogChar(TWMKey& Message) {
  if (IsAccel(Message.CharCode(), Caption()) && Enabled() && Visible() && FParent != nullptr &&
      FParent->Showing()) {
    Click();
    Message.Result = 1;
    return;
  }
  TGraphicControl::CMDialogChar(Message);
}

void TSpeedButton::Paint() {
  TButtonState s = FState;
  if (!Enabled()) s = bsDisabled;
  else if (s == bsDisabled) s = bsUp;
  DrawButton(Canvas(), s);
}

void TSpeedButton::DrawButton(TCanvas* C, TButtonState State) {
  HDC dc = C->Handle();
  TRect r = ClientRect();
  const bool pressed = State == bsDown || State == bsExclusive;
  if (!FFlat) {
    UINT st = DFCS_BUTTONPUSH;
    if (pressed) st |= DFCS_PUSHED;
    DrawFrameControl(dc, r, DFC_BUTTON, st);
    InflateRect(r, -1, -1);
  } else {
    if (!FTransparent || pressed) FillColor(dc, r, Color());
    if (pressed || (FMouseInControl && State != bsDisabled)) {
      TRect e = r;
      DrawEdge(dc, e, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }
    InflateRect(r, -1, -1);
  }
  if (State == bsExclusive && !FFlat) {
    // A button held down shows a lighter face.
    TRect e = r;
    InflateRect(e, -1, -1);
    FillColor(dc, e, cl3DLight);
  }
  // The glyph of the state.
  QImage glyph;
  if (!FGlyph->Empty() && FNumGlyphs > 0) {
    const QImage all = FGlyph->ToImage().convertToFormat(QImage::Format_ARGB32);
    const int gw = all.width() / FNumGlyphs;
    int idx = 0;
    if (State == bsDisabled && FNumGlyphs > 1) idx = 1;
    else if (State == bsDown && FNumGlyphs > 2) idx = 2;
    else if (State == bsExclusive && FNumGlyphs > 3) idx = 3;
    glyph = all.copy(idx * gw, 0, gw, all.height());
    const QRgb key = glyph.pixel(0, glyph.height() - 1);
    for (int y = 0; y < glyph.height(); ++y)
      for (int x = 0; x < glyph.width(); ++x)
        if ((glyph.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF)) glyph.setPixel(x, y, 0);
    if (State == bsDisabled && FNumGlyphs == 1) {
      for (int y = 0; y < glyph.height(); ++y)
        for (int x = 0; x < glyph.width(); ++x) {
          const QRgb p = glyph.pixel(x, y);
          if (qAlpha(p) != 0) glyph.setPixel(x, y, qRgba(128, 128, 128, 255));
        }
    }
  }
  const QString caption = Caption();
  C->SetFont(Font());
  TRect textR(0, 0, r.Width(), 0);
  if (!caption.isEmpty()) ::DrawText(dc, caption, -1, textR, DT_CALCRECT | DT_SINGLELINE);
  const int gw = glyph.isNull() ? 0 : glyph.width();
  const int gh = glyph.isNull() ? 0 : glyph.height();
  const int tw = caption.isEmpty() ? 0 : textR.Width();
  const int th = caption.isEmpty() ? 0 : textR.Height();
  const int spacing = (gw > 0 && tw > 0) ? FSpacing : 0;
  const bool horz = FLayout == blGlyphLeft || FLayout == blGlyphRight;
  const int total = horz ? gw + spacing + tw : gh + spacing + th;
  const int room = horz ? r.Width() : r.Height();
  const int start = FMargin < 0 ? (room - total) / 2 : FMargin;
  int gx = 0, gy = 0, tx = 0, ty = 0;
  if (horz) {
    gy = r.Top + (r.Height() - gh) / 2;
    ty = r.Top + (r.Height() - th) / 2;
    if (FLayout == blGlyphLeft) {
      gx = r.Left + start;
      tx = gx + gw + spacing;
    } else {
      tx = r.Left + start;
      gx = tx + tw + spacing;
    }
  } else {
    gx = r.Left + (r.Width() - gw) / 2;
    tx = r.Left + (r.Width() - tw) / 2;
    if (FLayout == blGlyphTop) {
      gy = r.Top + start;
      ty = gy + gh + spacing;
    } else {
      ty = r.Top + start;
      gy = ty + th + spacing;
    }
  }
  const int shift = pressed ? 1 : 0;
  if (!glyph.isNull()) DrawImageOver(dc, Bounds(gx + shift, gy + shift, gw, gh), glyph);
  if (!caption.isEmpty()) {
    TRect t = Bounds(tx + shift, ty + shift, tw, th);
    DrawTextLook(dc, caption, t, DT_SINGLELINE | DT_CENTER | DT_VCENTER, State != bsDisabled, Font()->Color());
  }
}

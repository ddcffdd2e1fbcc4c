// The grid's flat button, the arrow windows shown while a column or row is
// moved, and the picture known by its file name.
#include <cmath>

#include "controls/ProObj.h"
#include "controls/ProStyleIF.h"
#include "controls/ProXPVS.h"
#include "platform/ui/WinLayered.h"

bool IsThemedXP() { return IsWinXPOrLater() && IsThemeActive() && IsComCtl6(); }

// ---------------------------------------------------------------------------
// TProGridButton: properties

TProGridButton::TProGridButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(Left(), Top(), 22, 23);
  SetControlStyle(TControlStyle{csCaptureMouse, csDoubleClicks});
  SetColor(clBtnFace);
  SetParentColor(false);
  FGlyph = std::make_unique<TBitmap>();
  FGlyph->OnChange = [this](TObject*) { Invalidate(); };
  FGlyphHot = std::make_unique<TBitmap>();
  FGlyphDown = std::make_unique<TBitmap>();
  FGlyphDisabled = std::make_unique<TBitmap>();
  FGlyphShade = std::make_unique<TBitmap>();
  FIsComCtl6 = IsComCtl6();
}

TProGridButton::~TProGridButton() = default;

void TProGridButton::SetDown(bool Value) {
  // Only a grouped or a check button can stay down.
  if (FGroupIndex == 0 && FStyle != tasCheck) Value = false;
  if (FStyle == tasCheck) {
    FDown = Value;
    Invalidate();
    return;
  }
  if (Value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  if (Value) {
    if (FState == 0) Invalidate();
    FState = 3;
    UpdateExclusive();
  } else {
    FState = 0;
    Invalidate();
  }
}

void TProGridButton::SetGroupIndex(int Value) {
  FGroupIndex = Value;
  UpdateExclusive();
}

void TProGridButton::SetAllowAllUp(bool Value) {
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TProGridButton::SetStyle(TProGridButtonStyle Value) {
  FStyle = Value;
  Invalidate();
}

void TProGridButton::SetFlat(bool Value) {
  if (FFlat == Value) return;
  FFlat = Value;
  Invalidate();
}

void TProGridButton::SetLayout(TButtonLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TProGridButton::SetMargin(int Value) {
  if (Value < -1 || Value == FMargin) return;
  FMargin = Value;
  Invalidate();
}

void TProGridButton::SetSpacing(int Value) {
  if (FSpacing == Value) return;
  FSpacing = Value;
  Invalidate();
}

void TProGridButton::SetShowCaption(bool Value) {
  if (FShowCaption == Value) return;
  FShowCaption = Value;
  Invalidate();
}

void TProGridButton::SetRounded(bool Value) {
  FRounded = Value;
  Invalidate();
}

void TProGridButton::SetShaded(bool Value) {
  FShaded = Value;
  if (Value && !ComponentState().contains(csLoading)) BuildShade();
}

void TProGridButton::SetDropDownButton(bool Value) {
  FDropDownButton = Value;
  Invalidate();
}

void TProGridButton::SetAutoThemeAdapt(bool Value) {
  FAutoThemeAdapt = Value;
  if (Value) ThemeAdapt();
}

void TProGridButton::SetBorderColor(TColor Value) {
  FBorderColor = Value;
  Invalidate();
}

void TProGridButton::SetColorTo(TColor Value) {
  FColorTo = Value;
  Invalidate();
}

void TProGridButton::SetColorChecked(TColor Value) {
  FColorChecked = Value;
  Invalidate();
}

void TProGridButton::SetColorCheckedTo(TColor Value) {
  FColorCheckedTo = Value;
  Invalidate();
}

void TProGridButton::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  if (FGlyphDisabled->Empty() && !FGlyph->Empty()) {
    // The disabled glyph: each pixel's grey level halved and lifted by 96.
    FGlyphDisabled->Assign(FGlyph.get());
    FGlyphDisabled->SetPixelFormat(pf24bit);
    for (int y = 0; y < FGlyphDisabled->Height(); ++y) {
      Byte* row = FGlyphDisabled->ScanLine(y);
      for (int x = 0; x < FGlyphDisabled->Width(); ++x) {
        Byte* px = row + 3 * x;
        const Byte g = static_cast<Byte>((px[0] + px[1] + px[2]) / 3 / 2 + 96);
        px[0] = px[1] = px[2] = g;
      }
    }
  }
  if (FShaded) BuildShade();
  Invalidate();
}

void TProGridButton::SetGlyphHot(TBitmap* Value) { FGlyphHot->Assign(Value); }
void TProGridButton::SetGlyphDown(TBitmap* Value) { FGlyphDown->Assign(Value); }
void TProGridButton::SetGlyphDisabled(TBitmap* Value) { FGlyphDisabled->Assign(Value); }

void TProGridButton::SetLook(int Value) {
  struct TLookColors {
    TColor Color, ColorTo, Hot, HotTo, Down, DownTo, Checked, CheckedTo, BorderDown, BorderHot;
  };
  static const TLookColors kBlue{0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE,
                                 0x8ED3FF, 0x8ED3FF, 0x55ADFF, 0x000000, 0x000000};
  static const TLookColors kLooks[7] = {
      {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, clNone, 0xAF987A,
       0xC3CECE},
      {clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31,
       0xC56A31},
      kBlue,
      {0xCFF0EA, 0x8CC0B1, kBlue.Hot, kBlue.HotTo, kBlue.Down, kBlue.DownTo, kBlue.Checked,
       kBlue.CheckedTo, kBlue.BorderDown, kBlue.BorderHot},
      {0xECE2E1, 0xB39698, kBlue.Hot, kBlue.HotTo, kBlue.Down, kBlue.DownTo, kBlue.Checked,
       kBlue.CheckedTo, kBlue.BorderDown, kBlue.BorderHot},
      {clBtnFace, clNone, clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone},
      {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, 0x808080,
       0x808080},
  };
  if (Value < 0 || Value > 6) return;
  FLook = Value;
  const TLookColors& l = kLooks[Value];
  SetColor(l.Color);
  FColorTo = l.ColorTo;
  FColorHot = l.Hot;
  FColorHotTo = l.HotTo;
  FColorDown = l.Down;
  FColorDownTo = l.DownTo;
  FColorChecked = l.Checked;
  FColorCheckedTo = l.CheckedTo;
  FBorderDownColor = l.BorderDown;
  FBorderHotColor = l.BorderHot;
  FBorderColor = clNone;
  FFlat = true;
  FRounded = Value == 0;
  Invalidate();
}

void TProGridButton::ThemeAdapt() {
  int look = 1;
  if (IsWinXPOrLater() && IsThemeActive()) {
    switch (DetectXPTheme()) {
      case 1: look = 2; break;
      case 2: look = 3; break;
      case 3: look = 4; break;
      default: break;
    }
  }
  SetLook(look);
}

void TProGridButton::Loaded() {
  TGraphicControl::Loaded();
  if (FShaded) BuildShade();
  if (FAutoThemeAdapt) ThemeAdapt();
}

void TProGridButton::BuildShade() {
  if (FGlyph->Empty()) {
    FGlyphShade = std::make_unique<TBitmap>();
    return;
  }
  // The glyph's silhouette (every pixel unlike its bottom-left one) in grey on
  // black; drawn transparently it is the glyph's shadow.
  TBitmap g;
  g.Assign(FGlyph.get());
  g.SetPixelFormat(pf24bit);
  FGlyphShade = std::make_unique<TBitmap>(g.Width(), g.Height());
  FGlyphShade->SetPixelFormat(pf24bit);
  const Byte* keyRow = g.ScanLine(g.Height() - 1);
  const Byte key[3] = {keyRow[0], keyRow[1], keyRow[2]};
  for (int y = 0; y < g.Height(); ++y) {
    const Byte* src = g.ScanLine(y);
    Byte* dst = FGlyphShade->ScanLine(y);
    for (int x = 0; x < g.Width(); ++x) {
      const bool isKey = src[3 * x] == key[0] && src[3 * x + 1] == key[1] && src[3 * x + 2] == key[2];
      dst[3 * x] = dst[3 * x + 1] = dst[3 * x + 2] = isKey ? 0 : 0x80;
    }
  }
  FGlyphShade->SetTransparent(true);
}

// ---------------------------------------------------------------------------
// TProGridButton: groups, mouse and messages

void TProGridButton::UpdateExclusive() {
  if (FGroupIndex == 0 || Parent() == nullptr) return;
  TMessage m;
  m.Msg = CM_BUTTONPRESSED;
  m.WParam = static_cast<WPARAM>(FGroupIndex);
  m.LParam = reinterpret_cast<LPARAM>(static_cast<TControl*>(this));
  Parent()->Broadcast(m);
}

void TProGridButton::ButtonPressed(int Group, TProGridButton* Sender) {
  if (Group != FGroupIndex || Sender == nullptr || Sender == this) return;
  if (Sender->Down() && FDown) {
    FDown = false;
    FState = 0;
    Invalidate();
  }
  FAllowAllUp = Sender->AllowAllUp();
}

void TProGridButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_BUTTONPRESSED:
      ButtonPressed(static_cast<int>(Message.WParam),
                    dynamic_cast<TProGridButton*>(reinterpret_cast<TControl*>(Message.LParam)));
      return;
    case WM_THEMECHANGED:
    case WM_OFFICETHEMECHANGE:
      if (FAutoThemeAdapt) ThemeAdapt();
      break;
    default:
      break;
  }
  TGraphicControl::Dispatch(Message);
}

void TProGridButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  if (FDropDownButton && X >= Width() - 12) {
    FState = 0;
    if (OnDropDown) OnDropDown(this);
    if (FDropDownMenu != nullptr) {
      const TPoint p = ClientToScreen(TPoint(0, Height()));
      FDropDownMenu->Popup(p.X, p.Y);
    }
    return;
  }
  if (!FDown) {
    FState = 2;
    Invalidate();
  }
  if (FStyle == tasCheck) {
    FState = 2;
    Repaint();
  }
  FDragging = true;
}

void TProGridButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (FDragging) {
    const bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
    int state = inside ? (FDown ? 3 : 2) : (FDown ? 3 : 0);
    if (FStyle == tasCheck && FDown) state = 2;
    if (state != FState) {
      FState = state;
      Invalidate();
    }
  } else if (!FMouseInControl) {
    UpdateTracking();
  }
}

void TProGridButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging) return;
  FDragging = false;
  const bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
  if (FGroupIndex == 0) {
    FState = 0;
    // A check button toggles on a click, not on a release outside.
    if (FStyle == tasCheck && inside) {
      SetDown(!FDown);
      FState = 0;
    }
    if (inside && !FDown) Invalidate();
  } else if (inside) {
    SetDown(!FDown);
    if (FDown) Invalidate();
  } else {
    if (FDown) FState = 3;
    Invalidate();
  }
  if (inside) Click();
  UpdateTracking();
}

void TProGridButton::DblClick() {
  if (FDown) TGraphicControl::DblClick();
}

void TProGridButton::UpdateTracking() {
  if (!FFlat || !Enabled()) return;
  TPoint p;
  GetCursorPos(&p);
  const bool in = FindDragTarget(p, false) == this;
  if (in != FMouseInControl) Perform(in ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
}

void TProGridButton::CMMouseEnter(TCMMouseEnterLeave& Message) {
  if (Enabled() && GetCaptureControl() == nullptr && !FMouseInControl) {
    FMouseInControl = true;
    Invalidate();
  }
  TGraphicControl::CMMouseEnter(Message);
}

void TProGridButton::CMMouseLeave(TCMMouseEnterLeave& Message) {
  if (Enabled() && !FDragging && FMouseInControl) {
    FMouseInControl = false;
    Invalidate();
  }
  TGraphicControl::CMMouseLeave(Message);
}

void TProGridButton::CMEnabledChanged(TMessageView& Message) {
  TGraphicControl::CMEnabledChanged(Message);
  if (!Enabled()) FMouseInControl = false;
  UpdateTracking();
  Invalidate();
}

void TProGridButton::CMDialogChar(TWMKey& Message) {
  if (IsAccel(Message.CharCode(), Caption()) && Enabled() && Visible() && Parent() != nullptr &&
      Parent()->Showing()) {
    Click();
    Message.Result = 1;
    return;
  }
  TGraphicControl::CMDialogChar(Message);
}

// ---------------------------------------------------------------------------
// TProGridButton: painting

void TProGridButton::FillFace(TCanvas* C, TRect R, TColor From, TColor To, TColor Frame) {
  C->Brush()->SetStyle(bsSolid);
  if (To == clNone) {
    C->Brush()->SetColor(From);
    C->Pen()->SetColor(Frame == clNone ? From : Frame);
    C->Rectangle(R);
    return;
  }
  // Sixteen bands from top to bottom, then the frame.
  const TColor f = ColorToRGB(From), t = ColorToRGB(To);
  auto ch = [](TColor c, int s) { return (c >> s) & 0xFF; };
  for (int n = 0; n < 16; ++n) {
    auto mix = [&](int s) {
      return ch(f, s) + static_cast<int>(std::nearbyint((ch(t, s) - ch(f, s)) * n / 16.0));
    };
    const TColor c = TColor(mix(0) | (mix(8) << 8) | (mix(16) << 16));
    C->Brush()->SetColor(c);
    C->Pen()->SetColor(c);
    const int top = R.Top + R.Height() * n / 16, bottom = R.Top + R.Height() * (n + 1) / 16;
    if (bottom > top) C->Rectangle(R.Left, top, R.Right, bottom);
  }
  if (Frame != clNone) {
    C->Brush()->SetColor(Frame);
    C->FrameRect(R);
  }
}

void TProGridButton::Paint() {
  if (!Enabled()) {
    FState = 1;
    FDragging = false;
  } else if (FState == 1) {
    FState = (FDown && FGroupIndex != 0) ? 3 : 0;
  }
  if (FStyle == tasCheck && FDown) FState = 2;
  TCanvas* c = Canvas();
  c->SetFont(Font());
  TRect r = ClientRect();
  const bool designing = ComponentState().contains(csDesigning);
  const bool hot = FMouseInControl && Enabled() && !designing;
  const bool pressed = FState == 2;
  auto shrink = [](TRect x, int d) { return TRect(x.Left + d, x.Top + d, x.Right - d, x.Bottom - d); };
  auto roundFrame = [&](const TRect& x, TColor Color) {
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(Color);
    c->RoundRect(x.Left, x.Top, x.Right, x.Bottom, 8, 8);
    c->Brush()->SetStyle(bsSolid);
  };
  if (FFlat) {
    if (FBorderDownColor == clNone || FRounded) r = shrink(r, 1);
    if (!hot) {
      if (FStyle == tasCheck && FDown) {
        FillFace(c, r, FColorChecked, FColorCheckedTo, FBorderDownColor);
      } else {
        const TColor pen = FRounded ? clNone : (FDown ? FBorderDownColor : FBorderColor);
        FillFace(c, r, Color(), FColorTo, pen);
        if (FBorderColor != clNone) {
          if (FRounded) {
            roundFrame(shrink(r, -1), FBorderColor);
          } else {
            c->Brush()->SetColor(FBorderColor);
            c->FrameRect(r);
          }
        }
      }
    } else {
      TColor from = FColorHot, to = FColorHotTo, border = FBorderHotColor;
      if (pressed) {
        from = FColorDown;
        to = FColorDownTo;
        border = FBorderDownColor;
      }
      if (FStyle == tasCheck && FDown && !pressed) {
        from = FColorChecked;
        to = FColorCheckedTo;
        border = FBorderDownColor;
      }
      FillFace(c, r, from, to, FRounded ? clNone : border);
      if (FRounded && border != clNone) roundFrame(r, border);
      if (FDropDownButton && border != clNone) {
        c->Pen()->SetColor(border);
        c->MoveTo(r.Right - 12, r.Top);
        c->LineTo(r.Right - 12, r.Bottom);
      }
    }
    r = shrink(r, 1);
  } else {
    const int themeState = (FDown || pressed) ? 3 : (FMouseInControl ? 2 : 1);
    const bool themed = IsWinXPOrLater() && FAutoXPStyle && FIsComCtl6 && IsThemeActive() &&
                        Parent() != nullptr &&
                        DrawThemedPart(Parent()->Handle(), QStringLiteral("button"), c->Handle(), 1,
                                       themeState, r);
    // The classic frame leaves r at the area inside its edge.
    if (!themed)
      DrawFrameControl(c->Handle(), r, DFC_BUTTON,
                       DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | ((FDown || pressed) ? UINT(DFCS_PUSHED) : 0u));
  }
  if ((FDown || pressed) && FState == 3 && !(FFlat && hot))
    FillFace(c, shrink(r, -1), FColorChecked, FColorCheckedTo, clNone);
  if (FDropDownButton) {
    const int mid = r.Top + r.Height() / 2;
    c->Brush()->SetColor(Font()->Color());
    c->Pen()->SetColor(Font()->Color());
    c->Polygon({TPoint(r.Right - 8, mid), TPoint(r.Right - 4, mid), TPoint(r.Right - 6, mid + 2)});
    r.Right -= 12;
  }
  DrawGlyphAndCaption(c, r, FDown || pressed, hot);
}

void TProGridButton::DrawGlyphAndCaption(TCanvas* C, TRect R, bool Pressed, bool Hot) {
  const bool designing = ComponentState().contains(csDesigning);
  TBitmap* glyph = FGlyph.get();
  if (Pressed && !FGlyphDown->Empty()) glyph = FGlyphDown.get();
  else if (FMouseInControl && !designing && !FGlyphHot->Empty()) glyph = FGlyphHot.get();
  if (!Enabled() && !FGlyphDisabled->Empty()) glyph = FGlyphDisabled.get();
  const QString caption = FShowCaption ? Caption() : QString();
  const bool hasGlyph = !glyph->Empty();
  const int gw = hasGlyph ? glyph->Width() : 0, gh = hasGlyph ? glyph->Height() : 0;
  TRect tr(0, 0, R.Width(), 0);
  if (!caption.isEmpty()) DrawText(C->Handle(), caption, -1, tr, DT_CALCRECT | DT_SINGLELINE);
  const int tw = caption.isEmpty() ? 0 : tr.Width(), th = caption.isEmpty() ? 0 : tr.Height();
  const bool horz = FLayout == blGlyphLeft || FLayout == blGlyphRight;
  const int room = horz ? R.Width() : R.Height();
  const int parts = horz ? gw + tw : gh + th;
  int spacing = (gw > 0 && tw > 0) ? FSpacing : 0;
  int margin = FMargin;
  if (margin < 0 && spacing < 0) {
    margin = (room - parts) / 3;
    spacing = margin;
  } else if (spacing < 0) {
    spacing = (room - parts - margin) / 2;
  }
  const int total = parts + spacing;
  const int start = margin < 0 ? (room - total) / 2 : margin;
  int gx, gy, tx, ty;
  if (horz) {
    gy = R.Top + (R.Height() - gh) / 2;
    ty = R.Top + (R.Height() - th) / 2;
    if (FLayout == blGlyphLeft) {
      gx = R.Left + start;
      tx = gx + gw + spacing;
    } else {
      tx = R.Left + start;
      gx = tx + tw + spacing;
    }
  } else {
    gx = R.Left + (R.Width() - gw) / 2;
    tx = R.Left + (R.Width() - tw) / 2;
    if (FLayout == blGlyphTop) {
      gy = R.Top + start;
      ty = gy + gh + spacing;
    } else {
      ty = R.Top + start;
      gy = ty + th + spacing;
    }
  }
  if (caption.isEmpty()) gx = gy = 0;
  int gdx = 0, gdy = 0, tdx = 0, tdy = 0;
  if (!FFlat && Pressed) gdx = gdy = tdx = tdy = 1;
  const bool shaded = Hot && FFlat && FShaded && FState != 2 && !designing;
  if (shaded) gdx = gdy = -1;
  if (hasGlyph) {
    if (FMouseInControl && FShaded && Enabled() && FState != 2 && !FGlyphShade->Empty())
      C->Draw(gx + (caption.isEmpty() ? 0 : 2), gy + (caption.isEmpty() ? 0 : 2), FGlyphShade.get());
    glyph->SetTransparent(true);
    C->Draw(gx + gdx, gy + gdy, glyph);
  }
  if (!caption.isEmpty()) {
    TRect t(tx + tdx, ty + tdy, tx + tdx + tw, ty + tdy + th);
    C->Brush()->SetStyle(bsClear);
    const UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (FState == 1) {
      TRect t1(t.Left + 1, t.Top + 1, t.Right + 1, t.Bottom + 1);
      C->Font()->SetColor(clBtnHighlight);
      DrawText(C->Handle(), caption, -1, t1, flags);
      C->Font()->SetColor(clBtnShadow);
    }
    DrawText(C->Handle(), caption, -1, t, flags);
    C->Brush()->SetStyle(bsSolid);
  }
}

// ---------------------------------------------------------------------------
// TArrowWindow

void TArrowWindow::Init(TWinControl* AOwner, TArrowDirection Direction) {
  FDir = Direction;
  switch (Direction) {
    case arrUp: FArrow = {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}}; break;
    case arrDown: FArrow = {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}}; break;
    case arrLeft: FArrow = {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}}; break;
    case arrRight: FArrow = {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}}; break;
  }
  int w = 0, h = 0;
  for (const TPoint& p : FArrow) {
    w = std::max(w, p.X + 1);
    h = std::max(h, p.Y + 1);
  }
  SetBounds(Left(), Top(), w, h);
  SetColor(clLime);
  SetParentColor(false);
  SetBevelOuter(bvNone);
  SetParent(AOwner);
  Hide();
}

void TArrowWindow::CreateParams(TCreateParams& Params) {
  TPanel::CreateParams(Params);
  Params.Style = WS_POPUP;
  Params.ExStyle = 0;
}

void TArrowWindow::CreateWnd() {
  TPanel::CreateWnd();
  MakePopupWindow(this, false);
  if (!FArrow.empty())
    SetWindowRgn(Handle(), CreatePolygonRgn(FArrow.data(), static_cast<int>(FArrow.size()), WINDING),
                 true);
}

void TArrowWindow::Paint() {
  Canvas()->Brush()->SetStyle(bsSolid);
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(ClientRect());
}

// ---------------------------------------------------------------------------
// TFilePicture

void TFilePicture::SetFilename(const QString& Value) {
  FFilename = Value;
  FWidth = 0;
  FHeight = 0;
  if (Value.isEmpty()) return;
  TPicture pic;
  pic.LoadFromFile(Value);
  FWidth = pic.Width();
  FHeight = pic.Height();
}

void TFilePicture::DrawPicture(TCanvas* Canvas, const TRect& R) {
  if (FFilename.isEmpty()) return;
  TPicture pic;
  try {
    pic.LoadFromFile(FFilename);
  } catch (const Exception&) {
    return;  // a file gone since it was named draws nothing
  }
  if (pic.Graphic() != nullptr) Canvas->StretchDraw(R, pic.Graphic());
}

void TFilePicture::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TFilePicture*>(Source)) {
    FFilename = src->FFilename;
    FWidth = src->FWidth;
    FHeight = src->FHeight;
    return;
  }
  TPersistent::Assign(Source);
}

// The owner-drawn button: properties, mouse, keys, focus, the click with its
// modal result and popup menu, and the fading hot colour.
#include "controls/LbButton.h"

#include "platform/widgets/ExtCtrls.h"
#include "platform/ui/Menus.h"

namespace {

struct TKindEntry {
  const char* Resource;
  const char* Caption;
  TModalResult Result;
};

// Indexed by TLbButtonKind; bkCustom has no entry of its own.
const TKindEntry KindEntries[] = {
    {"", "", mrNone},
    {"LBOK", "OK", 1},
    {"LBCANCEL", "Abbrechen", 2},
    {"LBHELP", "Hilfe", 0},
    {"LBYES", "Ja", 6},
    {"LBNO", "Nein", 7},
    {"LBCLOSE", "Schlie\u00dfen", 0},
    {"LBABORT", "Abbrechen", 3},
    {"LBRETRY", "Wiederholen", 4},
    {"LBIGNORE", "Ignorieren", 5},
    {"LBALL", "Alle", 12},
};

}  // namespace

TLbButton::TLbButton(TComponent* AOwner)
    : TCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>()), FHTFont(std::make_unique<TFont>()) {
  SetBounds(Left(), Top(), 100, 23);
  SetControlStyle(TControlStyle{csCaptureMouse, csSetCaption});
  SetTabStop(true);
  SetColor(clBtnFace);
  // The fade ticker exists from the start, stopped.
  FThread = std::make_unique<TTimer>(nullptr);
  FThread->SetEnabled(false);
  FThread->SetInterval(30);
  FThread->OnTimer = [this](TObject* Sender) { HotTrackTick(Sender); };
  if (auto* form = dynamic_cast<TCustomForm*>(AOwner)) FHTFont->Assign(form->Font());
}

TLbButton::~TLbButton() {
  *FAlive = false;
  StopFade();
}

void TLbButton::StopFade() {
  if (!FThread) return;
  FThread->SetEnabled(false);
  FThread->OnTimer = nullptr;
  FThread.reset();
}

// ------------------------------------------------------------------ properties

void TLbButton::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Paint();
}

void TLbButton::SetFlat(bool Value) {
  FFlat = Value;
  Paint();
}

void TLbButton::SetLayout(TLbButtonLayout Value) {
  FLayout = Value;
  Paint();
}

void TLbButton::SetLightColor(TColor Value) {
  FLightColor = Value;
  Paint();
}

void TLbButton::SetShadowColor(TColor Value) {
  FShadowColor = Value;
  Paint();
}

void TLbButton::SetWordWrap(bool Value) {
  FWordWrap = Value;
  Paint();
}

void TLbButton::SetEnabled(bool Value) {
  TCustomControl::SetEnabled(Value);
  FEnabled = Value;
  bDown = false;
  Paint();
}

void TLbButton::SetGlyph(TBitmap* Value) {
  if (Value) {
    FGlyph->Assign(Value);
    FNumGlyphs = FGlyph->Height() > 0 ? FGlyph->Width() / FGlyph->Height() : 0;
  } else {
    FGlyph->SetHeight(0);
    FNumGlyphs = 0;
  }
  FKind = bkCustom;
  Invalidate();
}

void TLbButton::SetNumGlyphs(int Value) {
  FNumGlyphs = Value;
  Invalidate();
}

void TLbButton::SetModalResult(TModalResult Value) {
  FModalResult = Value;
  FKind = bkCustom;
}

void TLbButton::SetStyle(TLbButtonStyle Value) {
  FStyle = Value;
  // The shaped styles let what lies below show around their shape.
  const bool transparent = Value == bsModern || Value == bsShape || Value == bsQuicken;
  SetWindowStyle(WindowStyle(), transparent ? WS_EX_TRANSPARENT : 0);
  Invalidate();
}

void TLbButton::SetKind(TLbButtonKind Value) {
  if (Value != bkCustom && Value >= bkOK && Value <= bkAll) {
    const TKindEntry& e = KindEntries[Value];
    FNumGlyphs = 2;
    SetModalResult(e.Result);
    LoadLbButtonBitmap(FGlyph.get(), QString::fromLatin1(e.Resource));
    SetCaption(QString::fromUtf8(e.Caption));
  }
  FKind = Value;
  Invalidate();
}

void TLbButton::SetColorStyle(TLbColorStyle Value) {
  if (Value == lcsCustom) return;
  const TLbColorPreset p = LbColorStylePreset(Value);
  SetColor(p.Color);
  Font()->SetColor(p.FontColor);
  FLightColor = p.LightColor;
  FShadowColor = p.ShadowColor;
  FColorWhenDown = p.ColorWhenDown;
  FHotTrackColor = p.HotTrackColor;
  FFlat = p.Flat;
  // The style only: the window keeps its extended style.
  const TLbButtonStyle old = FStyle;
  FStyle = p.Style();
  Paint();
  // A new shape leaves parts of the old face outside it: those go with a full repaint.
  if (FStyle != old) Invalidate();
}

void TLbButton::SetSlowDecease(bool Value) {
  FSlowDecease = Value;
  if (Value) {
    if (!FThread) {
      FThread = std::make_unique<TTimer>(nullptr);
      FThread->SetEnabled(false);
      FThread->SetInterval(30);
      FThread->OnTimer = [this](TObject* Sender) { HotTrackTick(Sender); };
    }
  } else if (FThread) {
    FHotTrackStep = 0;
    StopFade();
  }
  Invalidate();
}

// ---------------------------------------------------------------------- click

void TLbButton::Click() {
  bDown = true;
  FireClick();
  // A click that could not fire (hidden or disabled button) leaves no pressed
  // state behind that would show once the button is shown or enabled again.
  bDown = false;
}

void TLbButton::FireClick() {
  if (!Visible() || !Enabled() || !bDown) return;
  bDown = false;
  const auto self = FAlive;
  if (OnClick) OnClick(this);
  if (!*self) return;
  if (FModalResult != mrNone) {
    if (TCustomForm* form = GetParentForm()) form->SetModalResult(FModalResult);
  }
  if (!*self) return;
  if (TPopupMenu* menu = PopupMenu()) {
    const TPoint at = ClientToScreen(Point(0, Height()));
    menu->SetPopupComponent(this);
    menu->Popup(at.X, at.Y);
  }
}

void TLbButton::HotTrackTick(TObject*) {
  if (ComponentState().contains(csDestroying)) return;
  --FHotTrackStep;
  if (FHotTrackStep <= 0) {
    if (FThread) FThread->SetEnabled(false);
    FHotTrackStep = 0;
  }
  Paint();
}

// ---------------------------------------------------------------------- mouse

void TLbButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const auto self = FAlive;
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (!*self) return;
  if (Enabled() && Button == mbLeft) {
    bDown = true;
    if (CanFocus()) SetFocus();
    Paint();
  }
}

void TLbButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const auto self = FAlive;
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (!*self) return;
  // The mouse is captured from the press: a release anywhere clicks.
  if (bDown) Click();
  if (!*self) return;
  bDown = false;
  Paint();
}

bool TLbButton::ParentShowing() const { return Parent() != nullptr && Parent()->Showing(); }

void TLbButton::CMMouseEnter(TCMMouseEnterLeave& Message) {
  if (Message.LParam != 0) {
    TCustomControl::CMMouseEnter(Message);
    return;
  }
  if (Parent() != nullptr) Parent()->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
  if (Enabled() && Visible() && ParentShowing()) {
    bCursorOnButton = true;
    FHotTrackStep = 8;
    Paint();
    if (OnMouseEnter) OnMouseEnter(this);
  }
}

void TLbButton::CMMouseLeave(TCMMouseEnterLeave& Message) {
  if (Message.LParam != 0) {
    TCustomControl::CMMouseLeave(Message);
    return;
  }
  if (Parent() != nullptr) Parent()->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
  bCursorOnButton = false;
  if (FSlowDecease) {
    // The face fades back in eight ticks.
    if (FThread && !FThread->Enabled()) FThread->SetEnabled(true);
  } else {
    FHotTrackStep = 0;
    Paint();
  }
  if (Enabled() && Visible() && ParentShowing() && OnMouseExit) OnMouseExit(this);
}

void TLbButton::CMFocusChanged(TCMFocusChanged& Message) {
  TCustomControl::CMFocusChanged(Message);
  Paint();
}

void TLbButton::CMTextChanged(TMessageView& Message) {
  TCustomControl::CMTextChanged(Message);
  Invalidate();
}

// ------------------------------------------------------------------------ keys

void TLbButton::CNKeyDown(TWMKey& Message) {
  const auto self = FAlive;
  TCustomControl::CNKeyDown(Message);
  if (!*self) return;
  if (Enabled() && (Message.CharCode() == VK_RETURN || Message.CharCode() == VK_SPACE)) {
    bDown = true;
    Paint();
  }
}

void TLbButton::CNKeyUp(TWMKey& Message) {
  const auto self = FAlive;
  TCustomControl::CNKeyUp(Message);
  if (!*self) return;
  if (Message.CharCode() == VK_RETURN || Message.CharCode() == VK_SPACE) Click();
  if (!*self) return;
  Paint();
}

void TLbButton::CMDialogChar(TWMKey& Message) {
  if (IsAccel(Message.CharCode(), Caption()) && Visible() && Enabled() && ParentShowing()) {
    bDown = true;
    Click();
    Message.Result = 1;
    return;
  }
  TCustomControl::CMDialogChar(Message);
}

TCustomForm* TLbButton::FindOwnerForm() const {
  for (TComponent* c = Owner(); c != nullptr; c = c->Owner())
    if (auto* form = dynamic_cast<TCustomForm*>(c)) return form;
  return nullptr;
}

void TLbButton::CMDialogKey(TWMKey& Message) {
  const Word key = Message.CharCode();
  const bool takes = (key == VK_RETURN && FDefault) ||
                     (key == VK_ESCAPE && FCancel && KeyDataToShiftState(Message.KeyData()).empty() &&
                      Visible() && Enabled());
  if (takes) {
    // A focused push button handles Enter itself. Without a form or an active
    // control the focus is on no other button. No button handles Escape
    // itself, so Escape goes to the Cancel button wherever the focus is.
    TCustomForm* form = FindOwnerForm();
    TWinControl* active = form ? form->ActiveControl() : nullptr;
    if (active && key == VK_RETURN) {
      const QString name = active->ClassName().toUpper();
      if (name.contains(QLatin1String("BUTTON")) && !name.contains(QLatin1String("RADIOBUTTON"))) {
        TCustomControl::CMDialogKey(Message);
        return;
      }
    }
    bDown = true;
    Click();
    Message.Result = 1;
    return;
  }
  TCustomControl::CMDialogKey(Message);
}

// ------------------------------------------------------------------- painting

bool TLbButton::Shaped() const { return FStyle == bsModern || FStyle == bsShape || FStyle == bsQuicken; }

void TLbButton::WMEraseBkgnd(TWMEraseBkgnd& Message) {
  // Around the shaped faces the parent shows; the other faces cover everything.
  if (Shaped()) {
    Message.Result = 1;
    return;
  }
  TCustomControl::WMEraseBkgnd(Message);
}

bool TLbButton::HotForDrawing() { return bCursorOnButton || Focused(); }

void TLbButton::Paint() {
  if (!Visible() || ComponentState().contains(csLoading) || ComponentState().contains(csDestroying)) return;
  // Without a window there is nothing to draw on yet; the first paint draws it all.
  if (!HandleAllocated()) return;
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;
  const bool hot = HotForDrawing();
  const bool focused = Focused();
  TBitmap face(w, h);
  TFont font;
  font.Assign(hot && FUseHTFont ? FHTFont.get() : Font());
  if (Shaped()) {
    // Magenta is left out when the face is copied onto the control.
    face.Canvas()->Brush()->SetColor(clFuchsia);
    face.Canvas()->FillRect(Rect(0, 0, w, h));
    face.SetTransparentColor(clFuchsia);
    face.SetTransparent(true);
  }
  const bool popup = PopupMenu() != nullptr;
  if (FStyle == bsOld && focused) {
    // The focused classic button: the face inset by one pixel in a black frame.
    DrawLbButtonFace(face.Canvas(), w - 2, h - 2, FHotTrackStep, FNumGlyphs, FGlyph.get(), bDown, hot, Enabled(),
                     FFlat, FWordWrap, popup, FStyle, Color(), FColorWhenDown, FHotTrackColor,
                     bDown ? FShadowColor : FLightColor, FShadowColor, &font, FLayout, Caption(), FAlignment);
    face.Canvas()->Draw(1, 1, &face);
    TCanvas* c = face.Canvas();
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(0, 0, w, h);
  } else {
    DrawLbButtonFace(face.Canvas(), w, h, FHotTrackStep, FNumGlyphs, FGlyph.get(), bDown, hot, Enabled(), FFlat,
                     FWordWrap, popup, FStyle, Color(), FColorWhenDown, FHotTrackColor, FLightColor, FShadowColor,
                     &font, FLayout, Caption(), FAlignment);
  }
  TCanvas* canvas = Canvas();
  canvas->Draw(0, 0, &face);
  if (focused && Enabled() && FStyle != bsShape) canvas->DrawFocusRect(Rect(4, 4, w - 4, h - 4));
}

// Controls: TControl (placement, alignment, constraints, messages and their
// default handling) and the helpers of the unit. TWinControl is in
// Controls_WinControl.cpp.
#include "platform/ui/Controls.h"

#include <QApplication>
#include <algorithm>

#include "platform/ui/ControlWidget_p.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/UiState_p.h"

// ------------------------------------------------------------------ helpers

TShiftState KeyDataToShiftState(int32_t KeyData) {
  TShiftState r;
  if (GetKeyState(VK_SHIFT) < 0) r.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) r.Include(ssCtrl);
  if ((static_cast<uint32_t>(KeyData) & 0x20000000u) != 0) r.Include(ssAlt);
  return r;
}

TShiftState KeysToShiftState(WPARAM Keys) {
  TShiftState r;
  if (Keys & MK_SHIFT) r.Include(ssShift);
  if (Keys & MK_CONTROL) r.Include(ssCtrl);
  if (Keys & MK_LBUTTON) r.Include(ssLeft);
  if (Keys & MK_RBUTTON) r.Include(ssRight);
  if (Keys & MK_MBUTTON) r.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) r.Include(ssAlt);
  return r;
}

TShiftState GetShiftState() {
  TShiftState r;
  if (GetKeyState(VK_SHIFT) < 0) r.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) r.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) r.Include(ssAlt);
  if (GetKeyState(VK_LBUTTON) < 0) r.Include(ssLeft);
  if (GetKeyState(VK_RBUTTON) < 0) r.Include(ssRight);
  if (GetKeyState(VK_MBUTTON) < 0) r.Include(ssMiddle);
  return r;
}

bool IsAccel(Word Ch, const QString& Caption) {
  // The accelerator is the character after a single "&"; "&&" stands for "&".
  for (int i = 0; i < Caption.size(); ++i) {
    if (Caption.at(i) != QLatin1Char('&')) continue;
    if (i + 1 >= Caption.size()) return false;
    if (Caption.at(i + 1) == QLatin1Char('&')) {
      ++i;
      continue;
    }
    const QChar c = Caption.at(i + 1);
    return c.toUpper() == QChar(Ch).toUpper();
  }
  return false;
}

QString GetShortHint(const QString& Hint) {
  const int i = Hint.indexOf(QLatin1Char('|'));
  return i < 0 ? Hint : Hint.left(i);
}

QString GetLongHint(const QString& Hint) {
  const int i = Hint.indexOf(QLatin1Char('|'));
  return i < 0 ? Hint : Hint.mid(i + 1);
}

const TAnchors kAnchorAlign[] = {
    TAnchors{akLeft, akTop},                           // alNone
    TAnchors{akLeft, akTop, akRight},                  // alTop
    TAnchors{akLeft, akRight, akBottom},               // alBottom
    TAnchors{akLeft, akTop, akBottom},                 // alLeft
    TAnchors{akRight, akTop, akBottom},                // alRight
    TAnchors{akLeft, akTop, akRight, akBottom},        // alClient
    TAnchors{akLeft, akTop},                           // alCustom
};

[[noreturn]] void RaiseNoParent(const TControl* c) {
  throw EInvalidOperation(QStringLiteral("Control '%1' has no parent window").arg(c->Name()));
}

void ConstrainSize(int MinW, int MinH, int MaxW, int MaxH, int& Width, int& Height) {
  if (MaxW > 0 && Width > MaxW) Width = MaxW;
  if (MinW > 0 && Width < MinW) Width = MinW;
  if (MaxH > 0 && Height > MaxH) Height = MaxH;
  if (MinH > 0 && Height < MinH) Height = MinH;
  if (Width < 0) Width = 0;
  if (Height < 0) Height = 0;
}

namespace {

// Stores a maximum of the constraints (0 = none); a maximum below the minimum
// pulls the minimum down with it. False when nothing changed.
bool StoreMaxLimit(int Value, int& Max, int& Min) {
  if (Value < 0) Value = 0;
  if (Value == Max) return false;
  Max = Value;
  if (Max > 0 && Max < Min) Min = Max;
  return true;
}

// Stores a minimum; a minimum above the maximum pushes the maximum up with it.
bool StoreMinLimit(int Value, int& Min, int& Max) {
  if (Value < 0) Value = 0;
  if (Value == Min) return false;
  Min = Value;
  if (Max > 0 && Min > Max) Max = Min;
  return true;
}

// Moves Control to the front (end) or the back (start) of its parent's z-order list.
void MoveInZOrder(std::vector<TControl*>& List, TControl* Control, bool ToFront) {
  auto it = std::find(List.begin(), List.end(), Control);
  if (it == List.end()) return;
  List.erase(it);
  List.insert(ToFront ? List.end() : List.begin(), Control);
}

}  // namespace

// ---------------------------------------------------------- TSizeConstraints

void TSizeConstraints::SetMaxHeight(int Value) {
  if (StoreMaxLimit(Value, FMaxHeight, FMinHeight)) Changed();
}
void TSizeConstraints::SetMaxWidth(int Value) {
  if (StoreMaxLimit(Value, FMaxWidth, FMinWidth)) Changed();
}
void TSizeConstraints::SetMinHeight(int Value) {
  if (StoreMinLimit(Value, FMinHeight, FMaxHeight)) Changed();
}
void TSizeConstraints::SetMinWidth(int Value) {
  if (StoreMinLimit(Value, FMinWidth, FMaxWidth)) Changed();
}
void TSizeConstraints::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TSizeConstraints*>(Source)) {
    FMinHeight = s->FMinHeight;
    FMaxHeight = s->FMaxHeight;
    FMinWidth = s->FMinWidth;
    FMaxWidth = s->FMaxWidth;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}
void TSizeConstraints::Changed() {
  if (FControl != nullptr)
    FControl->SetBounds(FControl->Left(), FControl->Top(), FControl->Width(), FControl->Height());
  if (OnChange) OnChange(this);
}

// ------------------------------------------------------------------ TControl

TControl::TControl(TComponent* AOwner) : TComponent(AOwner) {
  FConstraints = std::make_unique<TSizeConstraints>(this);
  FFont = std::make_unique<TFont>();
  FFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
  FView = new TControlWidget(this);
  FView->setObjectName(QStringLiteral("TControl"));
  WindowProc = [this](TMessage& m) { WndProc(m); };
}

TControl::~TControl() {
  Destroying();
  if (FFont) FFont->OnChange = nullptr;
  if (GetCaptureControl() == this) SetCaptureControl(nullptr);
  InputState::ForgetControl(this);
  if (FParent != nullptr) FParent->RemoveControl(this);
  TControlWidget* view = FView;
  FView = nullptr;
  if (view != nullptr) {
    view->Detach();
    if (DispatchDepth() > 0) {
      // Events are being handled (possibly by this widget or a child of it):
      // let the event loop delete the widget once they are done.
      view->hide();
      view->deleteLater();
    } else {
      delete view;
    }
  }
}

QWidget* TControl::View() const { return FView; }

void TControl::SetName(const QString& NewName) {
  const bool changeText = FControlStyle.contains(csSetCaption) &&
                          !ComponentState().contains(csLoading) && Name() == GetText();
  TComponent::SetName(NewName);
  if (changeText) SetText(NewName);
}

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  if (AParent == this) throw EInvalidOperation(QStringLiteral("A control cannot have itself as its parent"));
  if (FParent != nullptr) FParent->RemoveControl(this);
  if (AParent != nullptr) AParent->InsertControl(this);
}

void TControl::ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight) {
  MinWidth = FConstraints->MinWidth();
  MinHeight = FConstraints->MinHeight();
  MaxWidth = FConstraints->MaxWidth();
  MaxHeight = FConstraints->MaxHeight();
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  int minW = 0, minH = 0, maxW = 0, maxH = 0;
  ConstrainedResize(minW, minH, maxW, maxH);
  ConstrainSize(minW, minH, maxW, maxH, AWidth, AHeight);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool sized = AWidth != FWidth || AHeight != FHeight;
  DoSetBounds(ALeft, ATop, AWidth, AHeight);
  UpdateAnchorRules();
  Invalidate();
  RequestAlign();
  if (sized && !ComponentState().contains(csLoading)) Resize();
}

void TControl::DoSetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  UpdateViewGeometry();
}

void TControl::UpdateViewGeometry() {
  if (FView == nullptr) return;
  TPoint off;
  if (FParent != nullptr) {
    const TRect ins = FParent->NonClientInsets();
    off = TPoint(ins.Left, ins.Top);
  }
  FView->setGeometry(FLeft + off.X, FTop + off.Y, FWidth, FHeight);
}

void TControl::UpdateViewVisible() {
  if (FView == nullptr) return;
  if (FParent == nullptr) {
    FView->hide();
    return;
  }
  FView->setVisible(FVisible);
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign == Value) return;
  const TAlign old = FAlign;
  FAlign = Value;
  FAnchors = kAnchorAlign[Value];
  if (old == alNone || Value == alNone || FAnchors != kAnchorAlign[old]) UpdateAnchorRules();
  RequestAlign();
}

void TControl::SetAnchors(TAnchors Value) {
  if (FAnchors == Value) return;
  FAnchors = Value;
  UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
  if (FAnchorMove || ComponentState().contains(csLoading)) return;
  const TAnchors anchors = FAnchors;
  if (anchors == TAnchors{akLeft, akTop}) {
    FOriginalParentSize = TPoint();
    return;
  }
  if (anchors.contains(akRight)) {
    FAnchorRules.X = anchors.contains(akLeft) ? FWidth : FLeft;
  } else {
    FAnchorRules.X = FLeft + FWidth / 2;
  }
  if (anchors.contains(akBottom)) {
    FAnchorRules.Y = anchors.contains(akTop) ? FHeight : FTop;
  } else {
    FAnchorRules.Y = FTop + FHeight / 2;
  }
  if (FParent != nullptr) {
    const TRect cr = FParent->ClientRect();
    FOriginalParentSize = TPoint(cr.Right, cr.Bottom);
  }
}

void TControl::RequestAlign() {
  if (FParent != nullptr) FParent->AlignControl(this);
}

TRect TControl::ClientRect() const { return TRect(0, 0, FWidth, FHeight); }

void TControl::SetClientWidth(int Value) { SetWidth(Value + (FWidth - ClientWidth())); }
void TControl::SetClientHeight(int Value) { SetHeight(Value + (FHeight - ClientHeight())); }

TPoint TControl::ClientOrigin() const {
  if (FParent == nullptr) return TPoint(FLeft, FTop);
  const TPoint p = FParent->ClientOrigin();
  return TPoint(p.X + FLeft, p.Y + FTop);
}

TPoint TControl::ClientToScreen(const TPoint& Point) const {
  const TPoint o = ClientOrigin();
  return TPoint(Point.X + o.X, Point.Y + o.Y);
}

TPoint TControl::ScreenToClient(const TPoint& Point) const {
  const TPoint o = ClientOrigin();
  return TPoint(Point.X - o.X, Point.Y - o.Y);
}

TPoint TControl::ClientToParent(const TPoint& Point, TWinControl* AParent) const {
  TPoint p = Point;
  const TControl* c = this;
  if (AParent == nullptr) AParent = FParent;
  while (c != nullptr && c != AParent) {
    p.X += c->FLeft;
    p.Y += c->FTop;
    c = c->FParent;
  }
  if (c == nullptr) throw EInvalidOperation(QStringLiteral("Control '%1' has no parent window").arg(Name()));
  return p;
}

TPoint TControl::ParentToClient(const TPoint& Point, TWinControl* AParent) const {
  const TPoint origin = ClientToParent(TPoint(0, 0), AParent);
  return TPoint(Point.X - origin.X, Point.Y - origin.Y);
}

void TControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  VisibleChanging();
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value ? 1 : 0, 0);
  RequestAlign();
}

void TControl::Show() { SetVisible(true); }

void TControl::Hide() { SetVisible(false); }

bool TControl::Showing() const {
  if (!FVisible) return false;
  if (FParent == nullptr) return false;
  return FParent->Showing();
}

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor Value) {
  if (FColor == Value && !FParentColor) return;
  FColor = Value;
  FParentColor = false;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool Value) {
  if (FParentColor == Value) return;
  FParentColor = Value;
  if (FParent != nullptr && Value) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::FontChanged(TObject*) {
  FParentFont = false;
  Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  if (FParent != nullptr && Value) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetText(const QString& Value) {
  if (GetText() == Value) return;
  FText = Value;
  Perform(CM_TEXTCHANGED);
}

void TControl::SetShowHint(bool Value) {
  if (FShowHint == Value && !FParentShowHint) return;
  FShowHint = Value;
  FParentShowHint = false;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool Value) {
  if (FParentShowHint == Value) return;
  FParentShowHint = Value;
  if (FParent != nullptr && Value) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (FPopupMenu != nullptr) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent != nullptr && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

bool TControl::MouseCapture() const { return GetCaptureControl() == this; }

void TControl::SetMouseCapture(bool Value) {
  if (MouseCapture() == Value) return;
  if (Value) {
    SetCaptureControl(this);
  } else {
    SetCaptureControl(nullptr);
  }
}

void TControl::Invalidate() {
  if (FView != nullptr) FView->update();
}

void TControl::Update() {
  if (FView != nullptr && FView->isVisible()) FView->repaint();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  if (FParent != nullptr) MoveInZOrder(FParent->FControls, this, true);
  if (FView != nullptr && !(FView->isWindow() && OffscreenPlatform())) FView->raise();
}

void TControl::SendToBack() {
  if (FParent != nullptr) MoveInZOrder(FParent->FControls, this, false);
  if (FView != nullptr) FView->lower();
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m;
  m.Msg = Msg;
  m.WParam = WParam;
  m.LParam = LParam;
  m.Result = 0;
  // The thread's call-window-procedure hooks see the message first.
  if (CallWndProcHooksInstalled()) {
    auto* w = dynamic_cast<TWinControl*>(this);
    RunCallWndProcHooks(w != nullptr && w->HandleAllocated() ? w->Handle() : nullptr, Msg, WParam,
                        LParam);
  }
  WindowProc(m);
  return m.Result;
}

TCustomForm* TControl::GetParentForm() const { return ::GetParentForm(this); }

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool result = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, result);
  if (!result) {
    FWheelAccumulator += WheelDelta;
    while (std::abs(FWheelAccumulator) >= WHEEL_DELTA) {
      const bool isNeg = FWheelAccumulator < 0;
      FWheelAccumulator = std::abs(FWheelAccumulator) - WHEEL_DELTA;
      if (isNeg) {
        if (FWheelAccumulator != 0) FWheelAccumulator = -FWheelAccumulator;
        result = DoMouseWheelDown(Shift, MousePos);
      } else {
        result = DoMouseWheelUp(Shift, MousePos);
      }
    }
  }
  return result;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool result = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, result);
  return result;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool result = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, result);
  return result;
}

void TControl::MouseWheelHandler(TMessage& Message) {
  TCustomForm* form = ::GetParentForm(this);
  if (form != nullptr && static_cast<TControl*>(form) != this) {
    form->MouseWheelHandler(Message);
  } else {
    Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
  }
}

void TControl::DoContextPopup(TPoint MousePos, bool& Handled) {
  if (OnContextPopup) OnContextPopup(this, MousePos, Handled);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::Changed() { Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this)); }

void TControl::SendCancelMode(TControl* Sender) {
  TControl* c = GetCaptureControl();
  if (c != nullptr && c != Sender) c->Perform(WM_CANCELMODE);
}

void TControl::DoMouseDownMsg(TWMMouse& Message, TMouseButton Button, TShiftState Shift) {
  if (FControlStyle.contains(csNoStdEvents)) return;
  MouseDown(Button, KeysToShiftState(Message.Keys()) + Shift, Message.XPos(), Message.YPos());
}

void TControl::DoMouseUpMsg(TWMMouse& Message, TMouseButton Button) {
  if (FControlStyle.contains(csNoStdEvents)) return;
  MouseUp(Button, KeysToShiftState(Message.Keys()), Message.XPos(), Message.YPos());
}

void TControl::UpdateShowHintFromParent() {
  if (FParentShowHint && FParent != nullptr) FShowHint = FParent->ShowHint();
}

// --- the message road ---

void TControl::WndProc(TMessage& Message) {
  if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
    switch (Message.Msg) {
      case WM_MOUSEMOVE:
        if (Application != nullptr) Application->HintMouseMessage(this, Message);
        break;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        FControlState.Include(csLButtonDown);
        break;
      case WM_LBUTTONUP:
        FControlState.Exclude(csLButtonDown);
        break;
      default:
        break;
    }
  }
  Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LBUTTONDOWN: { TWMMouse m(Message); WMLButtonDown(m); return; }
    case WM_LBUTTONUP: { TWMMouse m(Message); WMLButtonUp(m); return; }
    case WM_LBUTTONDBLCLK: { TWMMouse m(Message); WMLButtonDblClk(m); return; }
    case WM_RBUTTONDOWN: { TWMMouse m(Message); WMRButtonDown(m); return; }
    case WM_RBUTTONUP: { TWMMouse m(Message); WMRButtonUp(m); return; }
    case WM_RBUTTONDBLCLK: { TWMMouse m(Message); WMRButtonDblClk(m); return; }
    case WM_MBUTTONDOWN: { TWMMouse m(Message); WMMButtonDown(m); return; }
    case WM_MBUTTONUP: { TWMMouse m(Message); WMMButtonUp(m); return; }
    case WM_MBUTTONDBLCLK: { TWMMouse m(Message); WMMButtonDblClk(m); return; }
    case WM_MOUSEMOVE: { TWMMouse m(Message); WMMouseMove(m); return; }
    case WM_MOUSEWHEEL: { TWMMouseWheel m(Message); WMMouseWheel(m); return; }
    case WM_CONTEXTMENU: { TWMContextMenu m(Message); WMContextMenu(m); return; }
    case WM_CANCELMODE: { TMessageView m(Message); WMCancelMode(m); return; }
    case WM_CAPTURECHANGED: { TWMCaptureChanged m(Message); WMCaptureChanged(m); return; }
    case WM_KEYDOWN: { TWMKey m(Message); WMKeyDown(m); return; }
    case WM_KEYUP: { TWMKey m(Message); WMKeyUp(m); return; }
    case WM_CHAR: { TWMKey m(Message); WMChar(m); return; }
    case WM_SYSKEYDOWN: { TWMKey m(Message); WMSysKeyDown(m); return; }
    case WM_SYSKEYUP: { TWMKey m(Message); WMSysKeyUp(m); return; }
    case WM_SYSCHAR: { TWMKey m(Message); WMSysChar(m); return; }
    case WM_SETFOCUS: { TWMSetFocus m(Message); WMSetFocus(m); return; }
    case WM_KILLFOCUS: { TWMKillFocus m(Message); WMKillFocus(m); return; }
    case WM_PAINT: { TWMPaint m(Message); WMPaint(m); return; }
    case WM_ERASEBKGND: { TWMPaint m(Message); WMEraseBkgnd(m); return; }
    case WM_NCPAINT: { TMessageView m(Message); WMNCPaint(m); return; }
    case WM_SIZE: { TWMSize m(Message); WMSize(m); return; }
    case WM_MOVE: { TWMMove m(Message); WMMove(m); return; }
    case WM_TIMER: { TWMTimer m(Message); WMTimer(m); return; }
    case WM_HSCROLL: { TWMScroll m(Message); WMHScroll(m); return; }
    case WM_VSCROLL: { TWMScroll m(Message); WMVScroll(m); return; }
    case WM_GETDLGCODE: { TMessageView m(Message); WMGetDlgCode(m); return; }
    case WM_SETCURSOR: { TWMSetCursor m(Message); WMSetCursor(m); return; }
    case WM_NCHITTEST: { TWMNCHitTest m(Message); WMNCHitTest(m); return; }
    case WM_COMMAND: { TWMCommand m(Message); WMCommand(m); return; }
    case WM_NOTIFY: { TMessageView m(Message); WMNotify(m); return; }
    case WM_CLOSE: { TMessageView m(Message); WMClose(m); return; }
    case WM_ACTIVATE: { TMessageView m(Message); WMActivate(m); return; }
    case CM_MOUSEENTER: { TCMMouseEnterLeave m(Message); CMMouseEnter(m); return; }
    case CM_MOUSELEAVE: { TCMMouseEnterLeave m(Message); CMMouseLeave(m); return; }
    case CM_ENABLEDCHANGED: { TMessageView m(Message); CMEnabledChanged(m); return; }
    case CM_VISIBLECHANGED: { TMessageView m(Message); CMVisibleChanged(m); return; }
    case CM_SHOWINGCHANGED: { TMessageView m(Message); CMShowingChanged(m); return; }
    case CM_FONTCHANGED: { TMessageView m(Message); CMFontChanged(m); return; }
    case CM_COLORCHANGED: { TMessageView m(Message); CMColorChanged(m); return; }
    case CM_TEXTCHANGED: { TMessageView m(Message); CMTextChanged(m); return; }
    case CM_PARENTFONTCHANGED: { TMessageView m(Message); CMParentFontChanged(m); return; }
    case CM_PARENTCOLORCHANGED: { TMessageView m(Message); CMParentColorChanged(m); return; }
    case CM_CTL3DCHANGED: { TMessageView m(Message); CMCtl3DChanged(m); return; }
    case CM_PARENTCTL3DCHANGED: { TMessageView m(Message); CMParentCtl3DChanged(m); return; }
    case CM_PARENTSHOWHINTCHANGED: { TMessageView m(Message); CMParentShowHintChanged(m); return; }
    case CM_SHOWHINTCHANGED: { TMessageView m(Message); CMShowHintChanged(m); return; }
    case CM_CURSORCHANGED: { TMessageView m(Message); CMCursorChanged(m); return; }
    case CM_HINTSHOW: { TCMHintShow m(Message); CMHintShow(m); return; }
    case CM_HINTSHOWPAUSE: { TMessageView m(Message); CMHintShowPause(m); return; }
    case CM_MOUSEWHEEL: { TCMMouseWheel m(Message); CMMouseWheel(m); return; }
    case CM_HITTEST: { TCMHitTest m(Message); CMHitTest(m); return; }
    case CM_DESIGNHITTEST: { TCMHitTest m(Message); CMDesignHitTest(m); return; }
    case CM_ENTER: { TMessageView m(Message); CMEnter(m); return; }
    case CM_EXIT: { TMessageView m(Message); CMExit(m); return; }
    case CM_FOCUSCHANGED: { TCMFocusChanged m(Message); CMFocusChanged(m); return; }
    case CM_DIALOGKEY: { TWMKey m(Message); CMDialogKey(m); return; }
    case CM_DIALOGCHAR: { TWMKey m(Message); CMDialogChar(m); return; }
    case CM_WANTSPECIALKEY: { TWMKey m(Message); CMWantSpecialKey(m); return; }
    case CM_CHILDKEY: { TWMKey m(Message); CMChildKey(m); return; }
    case CM_TABSTOPCHANGED: { TMessageView m(Message); CMTabStopChanged(m); return; }
    case CM_CANCELMODE: { TMessageView m(Message); CMCancelMode(m); return; }
    case CM_RELEASE: { TMessageView m(Message); CMRelease(m); return; }
    case CM_ACTIVATE: { TMessageView m(Message); CMActivate(m); return; }
    case CM_DEACTIVATE: { TMessageView m(Message); CMDeactivate(m); return; }
    case CN_KEYDOWN: { TWMKey m(Message); CNKeyDown(m); return; }
    case CN_KEYUP: { TWMKey m(Message); CNKeyUp(m); return; }
    case CN_CHAR: { TWMKey m(Message); CNChar(m); return; }
    case CN_SYSKEYDOWN: { TWMKey m(Message); CNSysKeyDown(m); return; }
    case CN_SYSCHAR: { TWMKey m(Message); CNSysChar(m); return; }
    case CN_COMMAND: { TWMCommand m(Message); CNCommand(m); return; }
    case CN_NOTIFY: { TMessageView m(Message); CNNotify(m); return; }
    default:
      DefaultHandler(Message);
      return;
  }
}

void TControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_RBUTTONUP: {
      // The window system asks for a context menu after the right button's release.
      const TPoint p = ClientToScreen(TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)));
      Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(View()), MAKELPARAM(p.X, p.Y));
      break;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (Message.WParam == VK_APPS || (Message.WParam == VK_F10 && GetKeyState(VK_SHIFT) < 0))
        Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(View()), MAKELPARAM(-1, -1));
      break;
    case WM_CONTEXTMENU:
      // Not handled here: the parent window is asked.
      if (FParent != nullptr) Message.Result = FParent->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
      break;
    case WM_SETCURSOR:
      if (static_cast<int16_t>(LoWord(static_cast<uintptr_t>(Message.LParam))) == HTCLIENT) {
        ::SetCursor(CursorOf(crArrow));
        Message.Result = 1;
      }
      break;
    case WM_NCHITTEST:
      Message.Result = HTCLIENT;
      break;
    case WM_CLOSE:
      break;
    default:
      break;
  }
}

// --- handlers ---

void TControl::WMLButtonDown(TWMMouse& Message) {
  SendCancelMode(this);
  DefaultHandler(Message);
  if (FControlStyle.contains(csCaptureMouse)) SetMouseCapture(true);
  if (FControlStyle.contains(csClickEvents)) FControlState.Include(csClicked);
  DoMouseDownMsg(Message, mbLeft, TShiftState());
}

void TControl::WMLButtonDblClk(TWMMouse& Message) {
  SendCancelMode(this);
  DefaultHandler(Message);
  if (FControlStyle.contains(csCaptureMouse)) SetMouseCapture(true);
  if (FControlStyle.contains(csClickEvents)) DblClick();
  DoMouseDownMsg(Message, mbLeft, TShiftState{ssDouble});
}

void TControl::WMLButtonUp(TWMMouse& Message) {
  TControlGuard self(this);
  DefaultHandler(Message);
  if (FControlStyle.contains(csCaptureMouse)) SetMouseCapture(false);
  if (FControlState.contains(csClicked)) {
    FControlState.Exclude(csClicked);
    if (PtInRect(ClientRect(), Message.Pos())) Click();
  }
  // The click handler may have freed the control (a form released, a list rebuilt).
  if (!self.Alive()) return;
  DoMouseUpMsg(Message, mbLeft);
}

void TControl::WMRButtonDown(TWMMouse& Message) {
  DefaultHandler(Message);
  DoMouseDownMsg(Message, mbRight, TShiftState());
}

void TControl::WMRButtonUp(TWMMouse& Message) {
  TControlGuard self(this);
  DefaultHandler(Message);
  if (!self.Alive()) return;
  DoMouseUpMsg(Message, mbRight);
}

void TControl::WMRButtonDblClk(TWMMouse& Message) {
  DefaultHandler(Message);
  DoMouseDownMsg(Message, mbRight, TShiftState{ssDouble});
}

void TControl::WMMButtonDown(TWMMouse& Message) {
  DefaultHandler(Message);
  DoMouseDownMsg(Message, mbMiddle, TShiftState());
}

void TControl::WMMButtonUp(TWMMouse& Message) {
  DefaultHandler(Message);
  DoMouseUpMsg(Message, mbMiddle);
}

void TControl::WMMButtonDblClk(TWMMouse& Message) {
  DefaultHandler(Message);
  DoMouseDownMsg(Message, mbMiddle, TShiftState{ssDouble});
}

void TControl::WMMouseMove(TWMMouse& Message) {
  DefaultHandler(Message);
  if (!FControlStyle.contains(csNoStdEvents))
    MouseMove(KeysToShiftState(Message.Keys()), Message.XPos(), Message.YPos());
}

void TControl::WMMouseWheel(TWMMouseWheel& Message) {
  MouseWheelHandler(Message);
  if (Message.Result == 0) DefaultHandler(Message);
}

void TControl::WMContextMenu(TWMContextMenu& Message) {
  if (Message.Result != 0) return;
  TPoint pt = Message.Pos();
  const bool invalid = pt.X == -1 && pt.Y == -1;
  const TPoint local = invalid ? TPoint(-1, -1) : ScreenToClient(pt);
  bool handled = false;
  TControlGuard self(this);
  DoContextPopup(local, handled);
  if (!self.Alive()) return;
  Message.Result = handled ? 1 : 0;
  if (handled) return;
  TPopupMenu* menu = FPopupMenu;
  if (menu != nullptr && menu->AutoPopup()) {
    SendCancelMode(nullptr);
    menu->SetPopupComponent(this);
    if (invalid) pt = ClientToScreen(TPoint(0, 0));
    menu->Popup(pt.X, pt.Y);
    Message.Result = 1;
  }
  if (Message.Result == 0) DefaultHandler(Message);
}

void TControl::WMCancelMode(TMessageView& Message) {
  DefaultHandler(Message);
  if (MouseCapture()) {
    SetMouseCapture(false);
    if (FControlState.contains(csLButtonDown)) Perform(WM_LBUTTONUP, 0, MAKELPARAM(-1, -1));
  }
}

void TControl::WMCaptureChanged(TWMCaptureChanged& Message) { DefaultHandler(Message); }
void TControl::WMKeyDown(TWMKey& Message) { DefaultHandler(Message); }
void TControl::WMKeyUp(TWMKey& Message) { DefaultHandler(Message); }
void TControl::WMChar(TWMKey& Message) { DefaultHandler(Message); }
void TControl::WMSysKeyDown(TWMKey& Message) { DefaultHandler(Message); }
void TControl::WMSysKeyUp(TWMKey& Message) { DefaultHandler(Message); }
void TControl::WMSysChar(TWMKey& Message) { DefaultHandler(Message); }
void TControl::WMSetFocus(TWMSetFocus& Message) { DefaultHandler(Message); }
void TControl::WMKillFocus(TWMKillFocus& Message) { DefaultHandler(Message); }
void TControl::WMPaint(TWMPaint& Message) { DefaultHandler(Message); }
void TControl::WMEraseBkgnd(TWMEraseBkgnd& Message) { DefaultHandler(Message); }
void TControl::WMNCPaint(TMessageView& Message) { DefaultHandler(Message); }
void TControl::WMSize(TWMSize& Message) { DefaultHandler(Message); }
void TControl::WMMove(TWMMove& Message) { DefaultHandler(Message); }
void TControl::WMTimer(TWMTimer& Message) { DefaultHandler(Message); }
void TControl::WMHScroll(TWMScroll& Message) { DefaultHandler(Message); }
void TControl::WMVScroll(TWMScroll& Message) { DefaultHandler(Message); }
void TControl::WMGetDlgCode(TMessageView& Message) { DefaultHandler(Message); }
void TControl::WMSetCursor(TWMSetCursor& Message) { DefaultHandler(Message); }
void TControl::WMNCHitTest(TWMNCHitTest& Message) { DefaultHandler(Message); }
void TControl::WMCommand(TWMCommand& Message) { DefaultHandler(Message); }
void TControl::WMNotify(TMessageView& Message) { DefaultHandler(Message); }
void TControl::WMClose(TMessageView& Message) { DefaultHandler(Message); }
void TControl::WMActivate(TMessageView& Message) { DefaultHandler(Message); }

void TControl::CMMouseEnter(TCMMouseEnterLeave& Message) {
  if (FParent != nullptr) FParent->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(this));
  if (Message.LParam == 0 && OnMouseEnter) OnMouseEnter(this);
}

void TControl::CMMouseLeave(TCMMouseEnterLeave& Message) {
  if (FParent != nullptr) FParent->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(this));
  if (Message.LParam == 0 && OnMouseLeave) OnMouseLeave(this);
}

void TControl::CMEnabledChanged(TMessageView& Message) {
  if (FView != nullptr) FView->setEnabled(FEnabled);
  Invalidate();
  DefaultHandler(Message);
}

void TControl::CMVisibleChanged(TMessageView& Message) {
  UpdateViewVisible();
  DefaultHandler(Message);
}

void TControl::CMShowingChanged(TMessageView& Message) { DefaultHandler(Message); }

void TControl::CMFontChanged(TMessageView& Message) {
  Invalidate();
  DefaultHandler(Message);
}

void TControl::CMColorChanged(TMessageView& Message) {
  Invalidate();
  DefaultHandler(Message);
}

void TControl::CMTextChanged(TMessageView& Message) { DefaultHandler(Message); }

void TControl::CMParentFontChanged(TMessageView& Message) {
  if (FParentFont && FParent != nullptr) {
    FFont->OnChange = nullptr;
    FFont->Assign(FParent->Font());
    FFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
    Perform(CM_FONTCHANGED);
  }
  DefaultHandler(Message);
}

void TControl::CMParentColorChanged(TMessageView& Message) {
  if (FParentColor && FParent != nullptr) {
    if (FColor != FParent->Color()) {
      FColor = FParent->Color();
      Perform(CM_COLORCHANGED);
    }
  }
  DefaultHandler(Message);
}

void TControl::CMCtl3DChanged(TMessageView& Message) { DefaultHandler(Message); }
void TControl::CMParentCtl3DChanged(TMessageView& Message) { DefaultHandler(Message); }

void TControl::CMParentShowHintChanged(TMessageView& Message) {
  if (FParentShowHint && FParent != nullptr && FShowHint != FParent->ShowHint()) {
    FShowHint = FParent->ShowHint();
    Perform(CM_SHOWHINTCHANGED);
  }
  DefaultHandler(Message);
}

void TControl::CMShowHintChanged(TMessageView& Message) { DefaultHandler(Message); }

void TControl::CMCursorChanged(TMessageView& Message) {
  // Shows the new cursor at once when the pointer is over the control.
  if (InputState::MouseControl() == this && GetCaptureControl() == nullptr) {
    TWinControl* w = IsWindowed() ? static_cast<TWinControl*>(this) : FParent;
    if (w != nullptr) w->Perform(WM_SETCURSOR, reinterpret_cast<WPARAM>(w->View()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  }
  DefaultHandler(Message);
}

void TControl::CMHintShow(TCMHintShow& Message) { DefaultHandler(Message); }
void TControl::CMHintShowPause(TMessageView& Message) { DefaultHandler(Message); }

void TControl::CMMouseWheel(TCMMouseWheel& Message) {
  Message.Result = 0;
  const TShiftState shift = KeysToShiftState(Message.Keys());
  if (DoMouseWheel(shift, Message.WheelDelta(), Message.Pos())) {
    Message.Result = 1;
  } else if (FParent != nullptr) {
    Message.Result = FParent->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
  }
}

void TControl::CMHitTest(TCMHitTest& Message) { Message.Result = HTCLIENT; }
void TControl::CMDesignHitTest(TCMHitTest& Message) { DefaultHandler(Message); }
void TControl::CMEnter(TMessageView& Message) { DefaultHandler(Message); }
void TControl::CMExit(TMessageView& Message) { DefaultHandler(Message); }
void TControl::CMFocusChanged(TCMFocusChanged& Message) { DefaultHandler(Message); }
void TControl::CMDialogKey(TWMKey& Message) { DefaultHandler(Message); }
void TControl::CMDialogChar(TWMKey& Message) { DefaultHandler(Message); }
void TControl::CMWantSpecialKey(TWMKey& Message) { DefaultHandler(Message); }
void TControl::CMChildKey(TWMKey& Message) { DefaultHandler(Message); }
void TControl::CMTabStopChanged(TMessageView& Message) { DefaultHandler(Message); }
void TControl::CMCancelMode(TMessageView& Message) { DefaultHandler(Message); }
void TControl::CMRelease(TMessageView& Message) { DefaultHandler(Message); }
void TControl::CMActivate(TMessageView& Message) { DefaultHandler(Message); }
void TControl::CMDeactivate(TMessageView& Message) { DefaultHandler(Message); }
void TControl::CNKeyDown(TWMKey& Message) { DefaultHandler(Message); }
void TControl::CNKeyUp(TWMKey& Message) { DefaultHandler(Message); }
void TControl::CNChar(TWMKey& Message) { DefaultHandler(Message); }
void TControl::CNSysKeyDown(TWMKey& Message) { DefaultHandler(Message); }
void TControl::CNSysChar(TWMKey& Message) { DefaultHandler(Message); }
void TControl::CNCommand(TWMCommand& Message) { DefaultHandler(Message); }
void TControl::CNNotify(TMessageView& Message) { DefaultHandler(Message); }

// ------------------------------------------------------------------ helpers

TWinControl* FindControl(HWND Handle) {
  if (Handle == nullptr) return nullptr;
  auto* w = dynamic_cast<TControlWidget*>(Handle);
  if (w == nullptr || w->Control() == nullptr || !w->Control()->IsWindowed()) return nullptr;
  return static_cast<TWinControl*>(w->Control());
}

TControl* FindControlOfView(QWidget* Widget) {
  while (Widget != nullptr) {
    if (auto* w = dynamic_cast<TControlWidget*>(Widget)) return w->Control();
    Widget = Widget->parentWidget();
  }
  return nullptr;
}

TControl* GetCaptureControl() {
  if (UiState().CaptureView.isNull()) return nullptr;
  return static_cast<TControlWidget*>(UiState().CaptureView.data())->Control();
}

void SetCaptureControl(TControl* Control) {
  TControl* old = GetCaptureControl();
  if (old == Control) return;
  QWidget* oldView = UiState().CaptureView.data();
  UiState().CaptureView = Control != nullptr ? TControlAccess::ViewOf(Control) : nullptr;
  if (oldView != nullptr && !OffscreenPlatform() && QWidget::mouseGrabber() == oldView) oldView->releaseMouse();
  if (Control != nullptr && !OffscreenPlatform()) {
    QWidget* v = TControlAccess::ViewOf(Control);
    if (v != nullptr && v->isVisible()) v->grabMouse();
  }
  if (old != nullptr)
    old->Perform(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(Control != nullptr ? Control->View() : nullptr));
}

TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled) {
  QWidget* top = QApplication::topLevelAt(QPoint(Pos.X, Pos.Y));
  if (top == nullptr) {
    // Offscreen and hidden-window cases: look through our visible windows.
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->isVisible()) continue;
      if (w->frameGeometry().contains(QPoint(Pos.X, Pos.Y)) ||
          QRect(w->mapToGlobal(QPoint(0, 0)), w->size()).contains(QPoint(Pos.X, Pos.Y))) {
        top = w;
        break;
      }
    }
  }
  if (top == nullptr) return nullptr;
  auto* tw = dynamic_cast<TControlWidget*>(top);
  if (tw == nullptr || tw->Control() == nullptr) return nullptr;
  TControl* c = tw->Control();
  while (c->IsWindowed()) {
    auto* w = static_cast<TWinControl*>(c);
    const TPoint local = w->ScreenToClient(Pos);
    TControl* child = w->ControlAtPos(local, AllowDisabled, true);
    if (child == nullptr) break;
    c = child;
  }
  return c;
}

TCustomForm* GetParentForm(const TControl* Control, bool TopForm) {
  if (Control == nullptr) return nullptr;
  const TControl* c = Control;
  if (TopForm) {
    while (c->Parent() != nullptr) c = c->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
  }
  while (c != nullptr) {
    if (auto* f = dynamic_cast<const TCustomForm*>(c)) return const_cast<TCustomForm*>(f);
    c = c->Parent();
  }
  return nullptr;
}

TCustomForm* ValidParentForm(const TControl* Control, bool TopForm) {
  TCustomForm* f = GetParentForm(Control, TopForm);
  if (f == nullptr) RaiseNoParent(Control);
  return f;
}

bool TControlAccess::IsTopLevel(const TControl* C) {
  if (C == nullptr) return false;
  if (dynamic_cast<const TCustomForm*>(C) != nullptr) return C->Parent() == nullptr;
  if (dynamic_cast<const THintWindow*>(C) != nullptr) return true;
  return false;
}

void TControlAccess::SyncFromView(TControl* C) {
  // A top-level window was resized by the window system: the control follows.
  auto* form = dynamic_cast<TCustomForm*>(C);
  if (form == nullptr || C->FView == nullptr) return;
  const TRect fw = form->FrameWidths();
  const int w = C->FView->width() + fw.Left + fw.Right;
  const int h = C->FView->height() + fw.Top + fw.Bottom;
  if (w == C->FWidth && h == C->FHeight) return;
  C->FWidth = w;
  C->FHeight = h;
  auto* win = static_cast<TWinControl*>(C);
  if (win->FPaint) win->FPaint->FrameNeeded = true;
  const TRect cr = win->ClientRect();
  DeliverMessage(C, WM_SIZE, SIZE_RESTORED, MAKELPARAM(cr.Right, cr.Bottom));
  win->Invalidate();
}

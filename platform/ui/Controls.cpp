// Controls: TControl and TWinControl (placement, alignment, messages and their
// default handling, focus and keys), and the helpers of the unit.
#include "platform/ui/Controls.h"

#include <QApplication>
#include <QCursor>
#include <QPointer>
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

namespace {
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

// Brings a size within the limits asked for by ConstrainedResize (0 = no limit;
// the minimum wins over the maximum) and never below zero.
void ConstrainSize(int MinW, int MinH, int MaxW, int MaxH, int& Width, int& Height) {
  if (MaxW > 0 && Width > MaxW) Width = MaxW;
  if (MinW > 0 && Width < MinW) Width = MinW;
  if (MaxH > 0 && Height > MaxH) Height = MaxH;
  if (MinH > 0 && Height < MinH) Height = MinH;
  if (Width < 0) Width = 0;
  if (Height < 0) Height = 0;
}

// Moves Control to the front (end) or the back (start) of its parent's z-order list.
void MoveInZOrder(std::vector<TControl*>& List, TControl* Control, bool ToFront) {
  auto it = std::find(List.begin(), List.end(), Control);
  if (it == List.end()) return;
  List.erase(it);
  List.insert(ToFront ? List.end() : List.begin(), Control);
}

// A notification from a child window goes back to that control as the CN_
// message CnMsg. False when Child is no other control of ours.
bool ReflectToChild(const TWinControl* Self, HWND Child, UINT CnMsg, TMessageView& Message) {
  TWinControl* c = FindControl(Child);
  if (c == nullptr || c == Self) return false;
  Message.Result = c->Perform(CnMsg, Message.WParam, Message.LParam);
  return true;
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

// --------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
  FBrush = std::make_unique<TBrush>();
  FBrush->SetColor(FColor);
  FView->setObjectName(QStringLiteral("TWinControl"));
}

TWinControl::~TWinControl() {
  Destroying();
  // The window going away hears nothing more; the form moves the focus on.
  ForgetFocusIn(FView);
  if (TCustomForm* form = ::GetParentForm(this, false)) {
    if (static_cast<TControl*>(form) != this) form->DefocusControl(this, true);
  }
  // A windowed control frees its child controls, whoever owns them.
  while (!FControls.empty()) {
    TControl* c = FControls.back();
    Remove(c);
    c->FParent = nullptr;
    delete c;
  }
  if (FHandleCreated) FHandleCreated = false;
  FPaint.reset();
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return FView;
}

void TWinControl::HandleNeeded() {
  if (FHandleCreated) return;
  if (FParent != nullptr) FParent->HandleNeeded();
  CreateHandle();
}

void TWinControl::CreateHandle() {
  if (FHandleCreated) return;
  CreateWnd();
}

void TWinControl::DestroyHandle() {
  if (!FHandleCreated) return;
  for (TControl* c : FControls)
    if (c->IsWindowed()) static_cast<TWinControl*>(c)->DestroyHandle();
  DestroyWnd();
}

void TWinControl::CreateParams(TCreateParams& Params) {
  Params.Caption = FText;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle.contains(csAcceptsControls)) Params.Style |= WS_CLIPCHILDREN;
  if (!FEnabled) Params.Style |= WS_DISABLED;
  if (FTabStop) Params.Style |= WS_TABSTOP;
  Params.ExStyle = 0;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  Params.WndParent = FParent != nullptr ? FParent->Handle() : nullptr;
  Params.WindowClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  if (!FControlStyle.contains(csDoubleClicks)) Params.WindowClassStyle &= ~CS_DBLCLKS;
  Params.WinClassName = ClassName();
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if ((params.Style & WS_CHILD) != 0 && params.WndParent == nullptr) RaiseNoParent(this);
  CreateWindowHandle(params);
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  FStyle = Params.Style;
  FExStyle = Params.ExStyle;
  FClassStyle = Params.WindowClassStyle;
  FHandleCreated = true;
  ApplyStyleToView();
  UpdateViewGeometry();
  UpdateViewVisible();
  // The new window hears of its size, as windows do when they are created.
  const TRect cr = ClientRect();
  Perform(WM_SIZE, SIZE_RESTORED, MAKELPARAM(cr.Right, cr.Bottom));
}

void TWinControl::DestroyWnd() {
  FHandleCreated = false;
}

void TWinControl::RecreateWnd() {
  if (!FHandleCreated) return;
  const bool wasFocused = Focused();
  DestroyHandle();
  HandleNeeded();
  std::function<void(TWinControl*)> recreate = [&](TWinControl* w) {
    for (TControl* c : w->FControls)
      if (c->IsWindowed() && c->Visible()) {
        auto* cw = static_cast<TWinControl*>(c);
        cw->CreateHandle();
        recreate(cw);
      }
  };
  recreate(this);
  if (wasFocused && CanFocus()) ::SetFocus(FView);
}

void TWinControl::SetWindowStyle(DWORD Style, DWORD ExStyle) {
  // The style belongs to the window: it exists first.
  if (!FHandleCreated && (FParent != nullptr || TControlAccess::IsTopLevel(this))) HandleNeeded();
  FStyle = Style;
  FExStyle = ExStyle;
  ApplyStyleToView();
  Realign();
  Invalidate();
}

TControl* TWinControl::Controls(int Index) const {
  if (Index < 0 || Index >= ControlCount())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FControls[static_cast<size_t>(Index)];
}

void TWinControl::Insert(TControl* AControl) {
  FControls.push_back(AControl);
  if (AControl->IsWindowed()) FTabList.push_back(static_cast<TWinControl*>(AControl));
  AControl->FParent = this;
}

void TWinControl::Remove(TControl* AControl) {
  auto it = std::find(FControls.begin(), FControls.end(), AControl);
  if (it != FControls.end()) FControls.erase(it);
  auto t = std::find(FTabList.begin(), FTabList.end(), AControl);
  if (t != FTabList.end()) FTabList.erase(t);
}

void TWinControl::InsertControl(TControl* AControl) {
  if (AControl == nullptr) return;
  if (AControl->IsWindowed() && static_cast<TWinControl*>(AControl)->ContainsControl(this))
    throw EInvalidOperation(QStringLiteral("A control cannot have itself as its parent"));
  Insert(AControl);
  if (AControl->FView != nullptr) {
    AControl->FView->setParent(FView);
    AControl->UpdateViewGeometry();
    AControl->FView->setEnabled(AControl->FEnabled);
  }
  AControl->Perform(CM_PARENTCOLORCHANGED);
  AControl->Perform(CM_PARENTFONTCHANGED);
  AControl->Perform(CM_PARENTSHOWHINTCHANGED);
  AControl->UpdateAnchorRules();
  AControl->UpdateViewVisible();
  if (AControl->IsWindowed() && AControl->Showing()) {
    // A control placed on a showing window gets its window at once.
    std::function<void(TWinControl*)> create = [&](TWinControl* w) {
      w->CreateHandle();
      for (TControl* c : w->FControls)
        if (c->IsWindowed() && c->Visible()) create(static_cast<TWinControl*>(c));
    };
    create(static_cast<TWinControl*>(AControl));
  }
  AlignControl(AControl);
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl) {
  if (AControl == nullptr || AControl->FParent != this) return;
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
  if (AControl->IsWindowed()) static_cast<TWinControl*>(AControl)->RemoveFocus(true);
  if (GetCaptureControl() == AControl) SetCaptureControl(nullptr);
  Remove(AControl);
  AControl->FParent = nullptr;
  if (AControl->FView != nullptr && !ComponentState().contains(csDestroying)) {
    AControl->FView->hide();
    AControl->FView->setParent(nullptr);
  }
  if (!ComponentState().contains(csDestroying)) Realign();
}

bool TWinControl::ContainsControl(const TControl* Control) const {
  while (Control != nullptr && Control != this) Control = Control->Parent();
  return Control != nullptr;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls,
                                    bool AllLevel) const {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (!AllowWinControls && c->IsWindowed() && !AllLevel) continue;
    if (!c->Visible() || (!AllowDisabled && !c->Enabled())) continue;
    if (!PtInRect(c->BoundsRect(), Pos)) continue;
    const TPoint local(Pos.X - c->Left(), Pos.Y - c->Top());
    if (c->Perform(CM_HITTEST, 0, MAKELPARAM(local.X, local.Y)) == 0) continue;
    if (AllLevel && c->IsWindowed()) {
      auto* w = static_cast<TWinControl*>(c);
      const TRect ins = w->NonClientInsets();
      TControl* inner = w->ControlAtPos(TPoint(local.X - ins.Left, local.Y - ins.Top), AllowDisabled,
                                        AllowWinControls, true);
      if (inner != nullptr) return inner;
      if (!AllowWinControls) continue;
    }
    return c;
  }
  return nullptr;
}

TControl* TWinControl::FindChildControl(const QString& ControlName) const {
  for (TControl* c : FControls)
    if (c->Name().compare(ControlName, Qt::CaseInsensitive) == 0) return c;
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  // The list may change while the children handle the message.
  const std::vector<TControl*> list = FControls;
  for (TControl* c : list) {
    if (std::find(FControls.begin(), FControls.end(), c) == FControls.end()) continue;
    c->WindowProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT Msg) {
  TMessage m;
  m.Msg = Msg;
  const std::vector<TControl*> list = FControls;
  for (TControl* c : list) {
    if (std::find(FControls.begin(), FControls.end(), c) == FControls.end()) continue;
    m.Result = 0;
    c->WindowProc(m);
  }
}

void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0) --FAlignLevel;
  if (FAlignLevel == 0 && FControlState.contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* AControl) {
  if (ComponentState().contains(csDestroying)) return;
  if (FAlignLevel > 0 || ComponentState().contains(csLoading)) {
    FControlState.Include(csAlignmentNeeded);
    return;
  }
  FControlState.Exclude(csAlignmentNeeded);
  DisableAlign();
  try {
    TRect r = ClientRect();
    AdjustClientRect(r);
    AlignControls(AControl, r);
  } catch (...) {
    FControlState.Exclude(csAlignmentNeeded);
    if (FAlignLevel > 0) --FAlignLevel;
    throw;
  }
  FControlState.Exclude(csAlignmentNeeded);
  if (FAlignLevel > 0) --FAlignLevel;
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  FControlState.Include(csAligning);
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient, alCustom, alNone}) DoAlign(a, AControl, Rect);
  FControlState.Exclude(csAligning);
}

void TWinControl::DoAlign(TAlign AAlign, TControl* AControl, TRect& Rect) {
  auto insertBefore = [AAlign](TControl* c1, TControl* c2) {
    switch (AAlign) {
      case alTop: return c1->Top() < c2->Top();
      case alBottom: return c1->Top() + c1->Height() > c2->Top() + c2->Height();
      case alLeft: return c1->Left() < c2->Left();
      case alRight: return c1->Left() + c1->Width() > c2->Left() + c2->Width();
      default: return false;
    }
  };
  // Places a child for the alignment; its anchor rules stay as they are meanwhile.
  auto place = [](TControl* c, int l, int t, int w, int h) {
    c->FAnchorMove = true;
    try {
      c->SetBounds(l, t, w, h);
    } catch (...) {
      c->FAnchorMove = false;
      throw;
    }
    c->FAnchorMove = false;
  };
  std::vector<TControl*> list;
  if (AControl != nullptr && AControl->FParent == this && AControl->Align() == AAlign &&
      (AAlign == alNone || AControl->Visible()))
    list.push_back(AControl);
  for (TControl* c : FControls) {
    if (c->Align() != AAlign || (AAlign != alNone && !c->Visible())) continue;
    if (c == AControl) continue;
    size_t j = 0;
    while (j < list.size() && !insertBefore(c, list[j])) ++j;
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), c);
  }
  const TRect cr = ClientRect();
  for (TControl* c : list) {
    if (AAlign == alNone || c->Anchors() != kAnchorAlign[AAlign]) {
      if (c->FOriginalParentSize.X != 0 && c->FOriginalParentSize.Y != 0) {
        int nl = c->Left(), nt = c->Top(), nw = c->Width(), nh = c->Height();
        const TPoint ps(cr.Right, cr.Bottom);
        const TAnchors a = c->Anchors();
        if (a.contains(akRight)) {
          if (a.contains(akLeft)) nw = ps.X - (c->FOriginalParentSize.X - c->FAnchorRules.X);
          else nl = c->FAnchorRules.X + (ps.X - c->FOriginalParentSize.X);
        } else if (!a.contains(akLeft)) {
          nl = MulDiv(c->FAnchorRules.X, ps.X, c->FOriginalParentSize.X) - nw / 2;
        }
        if (a.contains(akBottom)) {
          if (a.contains(akTop)) nh = ps.Y - (c->FOriginalParentSize.Y - c->FAnchorRules.Y);
          else nt = c->FAnchorRules.Y + (ps.Y - c->FOriginalParentSize.Y);
        } else if (!a.contains(akTop)) {
          nt = MulDiv(c->FAnchorRules.Y, ps.Y, c->FOriginalParentSize.Y) - nh / 2;
        }
        place(c, nl, nt, nw, nh);
      }
      if (AAlign == alNone) continue;
    }
    int nw = Rect.Right - Rect.Left;
    if (nw < 0 || AAlign == alLeft || AAlign == alRight || AAlign == alCustom) nw = c->Width();
    int nh = Rect.Bottom - Rect.Top;
    if (nh < 0 || AAlign == alTop || AAlign == alBottom || AAlign == alCustom) nh = c->Height();
    int nl = Rect.Left, nt = Rect.Top;
    switch (AAlign) {
      case alTop: Rect.Top += nh; break;
      case alBottom: Rect.Bottom -= nh; nt = Rect.Bottom; break;
      case alLeft: Rect.Left += nw; break;
      case alRight: Rect.Right -= nw; nl = Rect.Right; break;
      case alCustom: nl = c->Left(); nt = c->Top(); break;
      default: break;
    }
    place(c, nl, nt, nw, nh);
    // The control may not have taken the size asked for (constraints).
    if (c->Width() != nw || c->Height() != nh) {
      switch (AAlign) {
        case alTop: Rect.Top -= nh - c->Height(); break;
        case alBottom: Rect.Bottom += nh - c->Height(); break;
        case alLeft: Rect.Left -= nw - c->Width(); break;
        case alRight: Rect.Right += nw - c->Width(); break;
        case alClient:
          Rect.Right += c->Width() - nw;
          Rect.Bottom += c->Height() - nh;
          break;
        default: break;
      }
    }
  }
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  int minW = 0, minH = 0, maxW = 0, maxH = 0;
  ConstrainedResize(minW, minH, maxW, maxH);
  ConstrainSize(minW, minH, maxW, maxH, AWidth, AHeight);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const bool sized = AWidth != FWidth || AHeight != FHeight;
  const bool moved = ALeft != FLeft || ATop != FTop;
  DoSetBounds(ALeft, ATop, AWidth, AHeight);
  if (sized) {
    if (FPaint) {
      FPaint->FrameNeeded = true;
      TControlAccess::LayoutScrollBars(this);
    }
    if (FHandleCreated) {
      const TRect cr = ClientRect();
      Perform(WM_SIZE, SIZE_RESTORED, MAKELPARAM(cr.Right, cr.Bottom));
    } else {
      Realign();
    }
    Invalidate();
  }
  if (moved && FHandleCreated) Perform(WM_MOVE, 0, MAKELPARAM(FLeft, FTop));
  UpdateAnchorRules();
  RequestAlign();
}

void TWinControl::UpdateViewGeometry() {
  TControl::UpdateViewGeometry();
  if (FNative != nullptr) {
    const TRect ins = NonClientInsets();
    const TRect cr = ClientRect();
    FNative->setGeometry(ins.Left, ins.Top, cr.Right, cr.Bottom);
  }
}

void TWinControl::UpdateViewVisible() { TControl::UpdateViewVisible(); }

TRect TWinControl::NonClientInsets() const {
  int border = 0;
  if (FExStyle & WS_EX_CLIENTEDGE) border += 2;
  if (FExStyle & WS_EX_STATICEDGE) border += 1;
  if ((FStyle & WS_BORDER) && !TControlAccess::IsTopLevel(this)) border += 1;
  const TRect extra = NonClientExtra();
  TRect r(border + extra.Left, border + extra.Top, border + extra.Right, border + extra.Bottom);
  if (FStyle & WS_VSCROLL) r.Right += GetSystemMetrics(SM_CXVSCROLL);
  if (FStyle & WS_HSCROLL) r.Bottom += GetSystemMetrics(SM_CYHSCROLL);
  return r;
}

TRect TWinControl::ClientRect() const {
  const TRect ins = NonClientInsets();
  return TRect(0, 0, std::max(0, FWidth - ins.Left - ins.Right), std::max(0, FHeight - ins.Top - ins.Bottom));
}

TPoint TWinControl::ClientOrigin() const {
  const TRect ins = NonClientInsets();
  if (TControlAccess::IsTopLevel(this)) {
    if (FView != nullptr) {
      const QPoint g = FView->mapToGlobal(QPoint(0, 0));
      return TPoint(g.x(), g.y());
    }
    return TPoint(FLeft, FTop);
  }
  if (FParent == nullptr) return TPoint(FLeft + ins.Left, FTop + ins.Top);
  const TPoint p = FParent->ClientOrigin();
  return TPoint(p.X + FLeft + ins.Left, p.Y + FTop + ins.Top);
}

void TWinControl::Notification(TComponent* AComponent, TOperation Operation) {
  TControl::Notification(AComponent, Operation);
}

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}

// --- tab order and focus ---

TTabOrder TWinControl::TabOrder() const {
  if (FParent == nullptr) return -1;
  const auto& list = FParent->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(TTabOrder Value) {
  if (FParent == nullptr) return;
  auto& list = FParent->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  if (Value < 0 || Value >= static_cast<int>(list.size() + 1)) Value = static_cast<int>(list.size());
  list.insert(list.begin() + Value, this);
}

void TWinControl::SetTabStop(bool Value) {
  if (FTabStop == Value) return;
  FTabStop = Value;
  if (Value) FStyle |= WS_TABSTOP;
  else FStyle &= ~WS_TABSTOP;
  Perform(CM_TABSTOPCHANGED);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
  for (TWinControl* c : FTabList) {
    List.push_back(c);
    c->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int count = static_cast<int>(list.size());
  int start = -1;
  for (int i = 0; i < count; ++i)
    if (list[static_cast<size_t>(i)] == CurControl) start = i;
  if (start == -1) start = GoForward ? count - 1 : 0;
  int i = start;
  do {
    if (GoForward) {
      ++i;
      if (i == count) i = 0;
    } else {
      if (i == 0) i = count;
      --i;
    }
    TWinControl* c = list[static_cast<size_t>(i)];
    if (c != CurControl && c->CanFocus() && (!CheckTabStop || c->TabStop()) &&
        (!CheckParent || c->Parent() == this))
      return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  TWinControl* c = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
  if (c != nullptr) c->SetFocus();
}

bool TWinControl::CanFocus() const {
  TCustomForm* form = ::GetParentForm(this);
  if (form == nullptr) return false;
  if (!(form->Visible() && form->Enabled())) return false;
  const TWinControl* c = this;
  while (c != nullptr && static_cast<const TControl*>(c) != form) {
    if (!(c->Visible() && c->Enabled())) return false;
    c = c->Parent();
  }
  return true;
}

bool TWinControl::Focused() const { return FView != nullptr && GetFocus() == FView; }

void TWinControl::SetFocus() {
  TCustomForm* form = ::GetParentForm(this);
  if (form != nullptr) {
    form->FocusControl(this);
  } else if (FHandleCreated && TControlAccess::IsTopLevel(this)) {
    ::SetFocus(FView);
  } else {
    ValidParentForm(this);
  }
}

void TWinControl::RemoveFocus(bool Removing) {
  TCustomForm* form = ::GetParentForm(this);
  if (form != nullptr && static_cast<TControl*>(form) != this) form->DefocusControl(this, Removing);
}

void TWinControl::SetParentBackground(bool Value) {
  if (Value) FControlStyle.Include(csParentBackground);
  else FControlStyle.Exclude(csParentBackground);
  Invalidate();
}

// --- keys ---

bool TWinControl::FormPreviewsKey(bool (TWinControl::*FormStep)(TWMKey&), TWMKey& Message) {
  TCustomForm* form = ::GetParentForm(this);
  return form != nullptr && static_cast<TControl*>(form) != this && form->KeyPreview() &&
         (static_cast<TWinControl*>(form)->*FormStep)(Message);
}

bool TWinControl::DoKeyDownUp(void (TWinControl::*Handler)(Word&, TShiftState), TWMKey& Message) {
  if (FControlStyle.contains(csNoStdEvents)) return false;
  Word key = Message.CharCode();
  (this->*Handler)(key, KeyDataToShiftState(Message.KeyData()));
  Message.SetCharCode(key);
  return key == 0;
}

bool TWinControl::DoKeyDown(TWMKey& Message) {
  return FormPreviewsKey(&TWinControl::DoKeyDown, Message) || DoKeyDownUp(&TWinControl::KeyDown, Message);
}

bool TWinControl::DoKeyPress(TWMKey& Message) {
  if (FormPreviewsKey(&TWinControl::DoKeyPress, Message)) return true;
  if (!FControlStyle.contains(csNoStdEvents)) {
    QChar ch(Message.CharCode());
    KeyPress(ch);
    Message.SetCharCode(ch.unicode());
    if (ch.unicode() == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(TWMKey& Message) {
  return FormPreviewsKey(&TWinControl::DoKeyUp, Message) || DoKeyDownUp(&TWinControl::KeyUp, Message);
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(QChar& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::WMKeyDown(TWMKey& Message) {
  if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysKeyDown(TWMKey& Message) {
  if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TWMKey& Message) {
  if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMSysKeyUp(TWMKey& Message) {
  if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMChar(TWMKey& Message) {
  if (!DoKeyPress(Message)) DefaultHandler(Message);
}

void TWinControl::CNKeyDown(TWMKey& Message) {
  Message.Result = 1;
  TControlGuard self(this);
  if (Perform(CM_CHILDKEY, Message.CharCode(), reinterpret_cast<LPARAM>(this)) != 0) return;
  if (!self.Alive()) return;
  LRESULT mask = 0;
  switch (Message.CharCode()) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN:
    case VK_EXECUTE:
    case VK_ESCAPE:
    case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
  }
  if (mask != 0 && Perform(CM_WANTSPECIALKEY, Message.CharCode(), Message.LParam) == 0 &&
      (Perform(WM_GETDLGCODE) & mask) == 0) {
    TCustomForm* form = ::GetParentForm(this);
    if (form != nullptr && form->Perform(CM_DIALOGKEY, Message.CharCode(), Message.LParam) != 0) return;
  }
  if (!self.Alive()) return;
  Message.Result = 0;
}

void TWinControl::CNSysKeyDown(TWMKey& Message) {
  // Menu shortcuts would be looked for here; a form without menus has none.
  Message.Result = 0;
}

void TWinControl::CNChar(TWMKey& Message) {
  Message.Result = 1;
  if ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0) {
    TCustomForm* form = ::GetParentForm(this);
    if (form != nullptr && form->Perform(CM_DIALOGCHAR, Message.CharCode(), Message.LParam) != 0) return;
  }
  Message.Result = 0;
}

void TWinControl::CNSysChar(TWMKey& Message) {
  if (Message.CharCode() != VK_SPACE) {
    TCustomForm* form = ::GetParentForm(this);
    if (form != nullptr) Message.Result = form->Perform(CM_DIALOGCHAR, Message.CharCode(), Message.LParam);
  }
}

void TWinControl::CMDialogKey(TWMKey& Message) { Broadcast(Message); }
void TWinControl::CMDialogChar(TWMKey& Message) { Broadcast(Message); }

void TWinControl::CMChildKey(TWMKey& Message) {
  if (FParent != nullptr) Message.Result = FParent->Perform(CM_CHILDKEY, Message.WParam, Message.LParam);
}

void TWinControl::CMEnter(TMessageView&) { DoEnter(); }
void TWinControl::CMExit(TMessageView&) { DoExit(); }

void TWinControl::CMFocusChanged(TCMFocusChanged& Message) { Broadcast(Message); }

// --- other notifications ---

void TWinControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFOCUS: {
      TCustomForm* form = ::GetParentForm(this);
      if (form != nullptr && !form->SetFocusedControl(this)) return;
      break;
    }
    case WM_KILLFOCUS:
      if (FControlState.contains(csFocusing)) return;
      break;
    case WM_CANCELMODE: {
      TControl* cap = GetCaptureControl();
      if (cap != nullptr && cap != this && cap->Parent() == this) cap->Perform(WM_CANCELMODE);
      break;
    }
    default:
      break;
  }
  TControl::WndProc(Message);
}

void TWinControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETREDRAW:
      if (FPaint) FPaint->Redraw = Message.WParam != 0;
      return;
    case WM_GETDLGCODE:
      Message.Result = 0;
      break;
    default:
      break;
  }
  if (FNative != nullptr && PassToNative(Message)) {
    // The window system still asks for the context menu after the native handling.
    if (Message.Msg == WM_RBUTTONUP || Message.Msg == WM_KEYUP || Message.Msg == WM_SYSKEYUP)
      TControl::DefaultHandler(Message);
    return;
  }
  TControl::DefaultHandler(Message);
}

void TWinControl::WMSize(TWMSize& Message) {
  Realign();
  DefaultHandler(Message);
  if (!ComponentState().contains(csLoading)) Resize();
}

void TWinControl::WMSetCursor(TWMSetCursor& Message) {
  if (Message.CursorWnd() == FView && Message.HitTest() == HTCLIENT) {
    TCursor cursor = Screen != nullptr ? Screen->Cursor() : crDefault;
    if (cursor == crDefault) {
      TPoint p;
      GetCursorPos(&p);
      TControl* c = ControlAtPos(ScreenToClient(p), false);
      if (c != nullptr) cursor = c->Cursor();
      if (cursor == crDefault) cursor = FCursor;
    }
    if (cursor != crDefault) {
      ::SetCursor(CursorOf(cursor));
      Message.Result = 1;
      return;
    }
  }
  DefaultHandler(Message);
}

void TWinControl::WMCommand(TWMCommand& Message) {
  if (!ReflectToChild(this, Message.Ctl(), CN_COMMAND, Message)) DefaultHandler(Message);
}

void TWinControl::WMNotify(TMessageView& Message) {
  if (Message.LParam != 0 &&
      ReflectToChild(this, reinterpret_cast<NMHDR*>(Message.LParam)->hwndFrom, CN_NOTIFY, Message))
    return;
  DefaultHandler(Message);
}

void TWinControl::WMHScroll(TWMScroll& Message) {
  if (!ReflectToChild(this, Message.ScrollBar(), CN_HSCROLL, Message)) DefaultHandler(Message);
}

void TWinControl::WMVScroll(TWMScroll& Message) {
  if (!ReflectToChild(this, Message.ScrollBar(), CN_VSCROLL, Message)) DefaultHandler(Message);
}

void TWinControl::CMEnabledChanged(TMessageView& Message) {
  if (!FEnabled && FParent != nullptr) RemoveFocus(false);
  TControl::CMEnabledChanged(Message);
}

void TWinControl::CMVisibleChanged(TMessageView& Message) {
  if (!FVisible && FParent != nullptr) RemoveFocus(false);
  UpdateViewVisible();
  if (FVisible && Showing()) {
    std::function<void(TWinControl*)> create = [&](TWinControl* w) {
      w->CreateHandle();
      for (TControl* c : w->FControls)
        if (c->IsWindowed() && c->Visible()) create(static_cast<TWinControl*>(c));
    };
    create(this);
  }
  if (TControlAccess::IsTopLevel(this)) Perform(CM_SHOWINGCHANGED);
  DefaultHandler(Message);
}

void TWinControl::CMShowingChanged(TMessageView& Message) { DefaultHandler(Message); }

void TWinControl::CMFontChanged(TMessageView& Message) {
  TControl::CMFontChanged(Message);
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessageView& Message) {
  FBrush->SetColor(FColor);
  TControl::CMColorChanged(Message);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMShowHintChanged(TMessageView& Message) {
  TControl::CMShowHintChanged(Message);
  NotifyControls(CM_PARENTSHOWHINTCHANGED);
}

void TWinControl::CMCursorChanged(TMessageView& Message) { TControl::CMCursorChanged(Message); }

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

// Controls: TWinControl (windows and their children, alignment of the
// children, tab order and focus, keys, notifications).
#include <algorithm>

#include "platform/ui/ControlWidget_p.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Menus.h"
#include "platform/ui/UiState_p.h"

namespace {

// A notification from a child window goes back to that control as the CN_
// message CnMsg. False when Child is no other control of ours.
bool ReflectToChild(const TWinControl* Self, HWND Child, UINT CnMsg, TMessageView& Message) {
  TWinControl* c = FindControl(Child);
  if (c == nullptr || c == Self) return false;
  Message.Result = c->Perform(CnMsg, Message.WParam, Message.LParam);
  return true;
}

}  // namespace

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

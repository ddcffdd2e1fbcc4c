// Labels, group boxes, push buttons, check boxes and radio buttons, and the
// helpers the standard controls share.
#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include "platform/ui/ControlWidget_p.h"
#include "platform/gdi/DeviceContext_p.h"
#include "platform/widgets/StdCtrls.h"
#include "platform/widgets/StdCtrls_p.h"

// ------------------------------------------------------------ helpers

namespace StdCtrlsPrivate {

HDC MeasureDC() {
  static QImage image(8, 8, QImage::Format_ARGB32_Premultiplied);
  static HDC dc = CreateDeviceContext(&image);
  return dc;
}

void NotifyParent(TWinControl* Control, WORD Code) {
  if (Control == nullptr || !Control->HandleAllocated() || Control->Parent() == nullptr) return;
  Control->Parent()->Perform(WM_COMMAND, MAKEWPARAM(0, Code), reinterpret_cast<LPARAM>(Control->View()));
}

LRESULT NotifyParentHeader(TWinControl* Control, void* Header) {
  if (Control == nullptr || !Control->HandleAllocated() || Control->Parent() == nullptr) return 0;
  return Control->Parent()->Perform(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(Header));
}

void FillColor(HDC DC, const TRect& R, TColor Color) {
  HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color)));
  ::FillRect(DC, R, b);
  DeleteObject(b);
}

void DrawTextLook(HDC DC, const QString& Text, TRect R, UINT Format, bool Enabled, TColor Color) {
  SetBkMode(DC, TRANSPARENT);
  if (Enabled) {
    SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(Color)));
    ::DrawText(DC, Text, -1, R, Format);
    return;
  }
  TRect r = R;
  OffsetRect(r, 1, 1);
  SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
  ::DrawText(DC, Text, -1, r, Format);
  SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
  ::DrawText(DC, Text, -1, R, Format);
}

int FontHeight(TFont* Font) { return ResolveFont(Font->ToLogFont())->Tm.tmHeight; }

namespace {
class TPopupCloser : public QObject {
 public:
  TPopupCloser(std::function<bool(const QPoint&)> Inside, std::function<void()> Close)
      : FInside(std::move(Inside)), FClose(std::move(Close)) {}

 protected:
  bool eventFilter(QObject*, QEvent* E) override {
    switch (E->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick: {
        auto* me = static_cast<QMouseEvent*>(E);
        if (FInside(me->globalPosition().toPoint())) return false;
        FEatRelease = true;
        FClose();
        return true;
      }
      case QEvent::MouseButtonRelease:
        if (FEatRelease) {
          FEatRelease = false;
          return true;
        }
        return false;
      default:
        return false;
    }
  }

 private:
  std::function<bool(const QPoint&)> FInside;
  std::function<void()> FClose;
  bool FEatRelease = false;
};
}  // namespace

QObject* InstallPopupCloser(std::function<bool(const QPoint&)> Inside, std::function<void()> Close) {
  auto* f = new TPopupCloser(std::move(Inside), std::move(Close));
  qApp->installEventFilter(f);
  return f;
}

void RemovePopupCloser(QObject* Closer) {
  if (Closer == nullptr) return;
  qApp->removeEventFilter(Closer);
  // The filter may be running (it closed the pop-up): it goes once it is done.
  Closer->deleteLater();
}

bool ShiftDown() { return GetKeyState(VK_SHIFT) < 0; }
bool CtrlDown() { return GetKeyState(VK_CONTROL) < 0; }

}  // namespace StdCtrlsPrivate

using namespace StdCtrlsPrivate;

// ------------------------------------------------------------ TCustomLabel

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  // Transparent by default, as with the visual styles on: the parent shows behind the text.
  FControlStyle.Exclude(csOpaque);
  FControlStyle.Include(csReplicatable);
  FView->setObjectName(QStringLiteral("TCustomLabel"));
  SetBounds(0, 0, 65, 17);
}

TCustomLabel::~TCustomLabel() {
  if (FFocusControl != nullptr) FFocusControl->RemoveFreeNotification(this);
}

QString TCustomLabel::GetLabelText() { return Caption(); }

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags) {
  QString text = GetLabelText();
  if ((Flags & DT_CALCRECT) != 0 &&
      (text.isEmpty() || (FShowAccelChar && text == QStringLiteral("&"))))
    text += QLatin1Char(' ');
  if (!FShowAccelChar) Flags |= DT_NOPREFIX;
  TCanvas* c = Canvas();
  c->SetFont(Font());
  if (FEllipsisPosition != epNone && !FAutoSize) {
    Flags &= ~DT_EXPANDTABS;
    if (FEllipsisPosition == epPathEllipsis) Flags |= DT_PATH_ELLIPSIS;
    else if (FEllipsisPosition == epEndEllipsis) Flags |= DT_END_ELLIPSIS;
    else Flags |= DT_WORD_ELLIPSIS;
  }
  HDC dc = c->Handle();
  if ((Flags & DT_CALCRECT) != 0) {
    ::DrawText(dc, text, -1, Rect, Flags);
    return;
  }
  SetBkMode(dc, TRANSPARENT);
  if (!Enabled()) {
    TRect r = Rect;
    OffsetRect(r, 1, 1);
    c->Font()->SetColor(clBtnHighlight);
    ::DrawText(c->Handle(), text, -1, r, Flags);
    c->Font()->SetColor(clBtnShadow);
    ::DrawText(c->Handle(), text, -1, Rect, Flags);
  } else {
    ::DrawText(dc, text, -1, Rect, Flags);
  }
}

void TCustomLabel::Paint() {
  TCanvas* c = Canvas();
  const TRect cr = ClientRect();
  if (!Transparent()) {
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(cr);
  }
  c->Brush()->SetStyle(bsClear);
  TRect r = cr;
  UINT flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0u);
  if (FAlignment == taRightJustify) flags |= DT_RIGHT;
  else if (FAlignment == taCenter) flags |= DT_CENTER;
  if (FLayout != tlTop) {
    TRect calc = r;
    DoDrawText(calc, flags | DT_CALCRECT);
    if (FLayout == tlBottom) OffsetRect(r, 0, Height() - calc.Bottom);
    else OffsetRect(r, 0, (Height() - calc.Bottom) / 2);
  }
  DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || ComponentState().contains(csReading) || ComponentState().contains(csLoading)) return;
  TRect r = ClientRect();
  TCanvas* c = Canvas();
  c->SetHandle(MeasureDC());
  DoDrawText(r, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0u));
  c->SetHandle(nullptr);
  int x = Left();
  if (FAlignment == taRightJustify) x += Width() - r.Right;
  SetBounds(x, Top(), r.Right, r.Bottom);
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (Transparent() == Value) return;
  if (Value) FControlStyle.Exclude(csOpaque);
  else FControlStyle.Include(csOpaque);
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (FShowAccelChar == Value) return;
  FShowAccelChar = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetEllipsisPosition(TEllipsisPosition Value) {
  if (FEllipsisPosition == Value) return;
  FEllipsisPosition = Value;
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (FFocusControl != nullptr) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value != nullptr) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::CMTextChanged(TMessageView& Message) {
  Invalidate();
  AdjustBounds();
  TGraphicControl::CMTextChanged(Message);
}

void TCustomLabel::CMFontChanged(TMessageView& Message) {
  TGraphicControl::CMFontChanged(Message);
  AdjustBounds();
}

void TCustomLabel::CMEnabledChanged(TMessageView& Message) {
  TGraphicControl::CMEnabledChanged(Message);
  Invalidate();
}

void TCustomLabel::CMDialogChar(TWMKey& Message) {
  if (FFocusControl != nullptr && Enabled() && FShowAccelChar && IsAccel(Message.CharCode(), GetLabelText()) &&
      FFocusControl->CanFocus()) {
    FFocusControl->SetFocus();
    Message.Result = 1;
    return;
  }
  TGraphicControl::CMDialogChar(Message);
}

// ------------------------------------------------------------ TCustomGroupBox

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                                csDoubleClicks, csReplicatable, csParentBackground};
  FView->setObjectName(QStringLiteral("TCustomGroupBox"));
  SetBounds(0, 0, 185, 105);
}

TCustomGroupBox::~TCustomGroupBox() = default;

void TCustomGroupBox::AdjustClientRect(TRect& Rect) {
  TWinControl::AdjustClientRect(Rect);
  const int h = FontHeight(Font());
  Rect.Top += h;
  InflateRect(Rect, -2, -2);
}

void TCustomGroupBox::Paint() {
  TCanvas* c = Canvas();
  c->SetFont(Font());
  const int h = FontHeight(Font());
  TRect r(0, h / 2 - 1, Width(), Height());
  HDC dc = c->Handle();
  DrawEdge(dc, r, EDGE_ETCHED, BF_RECT);
  const QString text = Caption();
  if (!text.isEmpty()) {
    TRect t(0, 0, 0, h);
    ::DrawText(dc, text, -1, t, DT_CALCRECT | DT_SINGLELINE | DT_LEFT);
    t = TRect(8, 0, 8 + t.Right + 2, h);
    FillColor(dc, t, Color());
    TRect tt = t;
    tt.Left += 1;
    DrawTextLook(dc, text, tt, DT_LEFT | DT_SINGLELINE, Enabled(), Font()->Color());
  }
}

void TCustomGroupBox::CMDialogChar(TWMKey& Message) {
  if (IsAccel(Message.CharCode(), Caption()) && CanFocus()) {
    TWinControl* first = FindNextControl(nullptr, true, true, false);
    if (first == nullptr) first = FindNextControl(nullptr, true, false, false);
    if (first != nullptr) first->SetFocus();
    Message.Result = 1;
    return;
  }
  TCustomControl::CMDialogChar(Message);
}

void TCustomGroupBox::CMTextChanged(TMessageView& Message) {
  Invalidate();
  TCustomControl::CMTextChanged(Message);
}

void TCustomGroupBox::CMFontChanged(TMessageView& Message) {
  TCustomControl::CMFontChanged(Message);
  Realign();
}

// ------------------------------------------------------------ TButtonControl

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
}

TButtonControl::~TButtonControl() = default;

void TButtonControl::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  Invalidate();
}

void TButtonControl::NotifyClicked() { NotifyParent(this, BN_CLICKED); }

void TButtonControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      if (Message.WParam != 0) PaintButton(reinterpret_cast<HDC>(Message.WParam));
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!Focused() && CanFocus()) SetFocus();
      FMouseHeld = true;
      FPushed = true;
      SetMouseCapture(true);
      Invalidate();
      return;
    case WM_MOUSEMOVE:
      if (FMouseHeld) {
        const bool in = PtInRect(ClientRect(), TPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)));
        if (in != FPushed) {
          FPushed = in;
          Invalidate();
        }
      }
      break;
    case WM_LBUTTONUP:
      if (FMouseHeld) {
        FMouseHeld = false;
        SetMouseCapture(false);
        const bool click = FPushed;
        FPushed = false;
        Invalidate();
        if (click) NotifyClicked();
      }
      return;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
      if (FMouseHeld) {
        FMouseHeld = false;
        FPushed = false;
        Invalidate();
      }
      break;
    case WM_KEYDOWN:
      if (Message.WParam == VK_SPACE && (Message.LParam & KF_REPEAT_BIT) == 0) {
        FSpaceHeld = true;
        FPushed = true;
        Invalidate();
        return;
      }
      break;
    case WM_KEYUP:
      if (Message.WParam == VK_SPACE && FSpaceHeld) {
        FSpaceHeld = false;
        FPushed = false;
        Invalidate();
        NotifyClicked();
        return;
      }
      break;
    case BM_CLICK:
      NotifyClicked();
      return;
    case BM_GETSTATE:
      Message.Result = (GetChecked() ? BST_CHECKED : BST_UNCHECKED) | (FPushed ? BST_PUSHED : 0) |
                       (Focused() ? BST_FOCUS : 0);
      return;
    case BM_SETSTATE:
      FPushed = Message.WParam != 0;
      Invalidate();
      return;
    default:
      break;
  }
  TWinControl::DefaultHandler(Message);
}

void TButtonControl::WMKillFocus(TWMKillFocus& Message) {
  if (FSpaceHeld) {
    FSpaceHeld = false;
    FPushed = false;
  }
  Invalidate();
  TWinControl::WMKillFocus(Message);
}

void TButtonControl::CMEnabledChanged(TMessageView& Message) {
  TWinControl::CMEnabledChanged(Message);
  Invalidate();
}

void TButtonControl::CMTextChanged(TMessageView& Message) {
  Invalidate();
  TWinControl::CMTextChanged(Message);
}

void TButtonControl::CMFontChanged(TMessageView& Message) {
  TWinControl::CMFontChanged(Message);
  Invalidate();
}

// ------------------------------------------------------------ TButton

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FView->setObjectName(QStringLiteral("TButton"));
  FColor = clBtnFace;
  FParentColor = false;
  FBrush->SetColor(clBtnFace);
  SetTabStop(true);
  SetBounds(0, 0, 75, 25);
}

TButton::~TButton() = default;

void TButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool Value) {
  FDefault = Value;
  if (HandleAllocated()) {
    if (TCustomForm* f = ::GetParentForm(this))
      f->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(f->ActiveControl()));
  } else {
    FActive = Value;
  }
  Invalidate();
}

void TButton::Click() {
  if (TCustomForm* f = ::GetParentForm(this)) f->SetModalResult(FModalResult);
  TButtonControl::Click();
}

void TButton::PaintButton(HDC DC) {
  TRect r = ClientRect();
  const bool focused = Focused();
  if (FActive || focused) {
    HBRUSH b = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(clWindowFrame)));
    ::FrameRect(DC, r, b);
    DeleteObject(b);
    InflateRect(r, -1, -1);
  }
  UINT state = DFCS_BUTTONPUSH;
  if (FPushed) state |= DFCS_PUSHED;
  if (!Enabled()) state |= DFCS_INACTIVE;
  DrawFrameControl(DC, r, DFC_BUTTON, state);
  SelectObject(DC, Font()->Handle());
  TRect t = r;
  InflateRect(t, -2, -2);
  if (FPushed) OffsetRect(t, 1, 1);
  UINT fmt = DT_CENTER | (FWordWrap ? DT_WORDBREAK : (DT_SINGLELINE | DT_VCENTER));
  if (FWordWrap) {
    TRect calc = t;
    ::DrawText(DC, Caption(), -1, calc, fmt | DT_CALCRECT);
    OffsetRect(t, 0, (t.Height() - calc.Height()) / 2);
  }
  DrawTextLook(DC, Caption(), t, fmt, Enabled(), Font()->Color());
  if (focused) {
    TRect f = r;
    InflateRect(f, -3, -3);
    SetTextColor(DC, 0);
    SetBkColor(DC, 0xFFFFFF);
    ::DrawFocusRect(DC, f);
  }
}

void TButton::WMGetDlgCode(TMessageView& Message) {
  Message.Result = DLGC_BUTTON | (FActive ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

void TButton::CNCommand(TWMCommand& Message) {
  if (Message.NotifyCode() == BN_CLICKED) Click();
}

void TButton::CMDialogKey(TWMKey& Message) {
  const WORD k = Message.CharCode();
  if (((k == VK_RETURN && FActive) || (k == VK_ESCAPE && FCancel)) &&
      KeyDataToShiftState(Message.KeyData()).empty() && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  TButtonControl::CMDialogKey(Message);
}

void TButton::CMDialogChar(TWMKey& Message) {
  if (IsAccel(Message.CharCode(), Caption()) && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(Message);
}

void TButton::CMFocusChanged(TCMFocusChanged& Message) {
  TWinControl* s = Message.Sender();
  const bool active = dynamic_cast<TButton*>(s) != nullptr ? s == this : FDefault;
  if (active != FActive) {
    FActive = active;
    Invalidate();
  }
  TButtonControl::CMFocusChanged(Message);
}

// ------------------------------------------------------------ check boxes

namespace {

// The box, 13 x 13, and the caption's rectangle of a check or radio box.
void CheckLayout(const TRect& Client, TLeftRight Alignment, TRect& Box, TRect& Text) {
  const int s = 13;
  const int y = (Client.Height() - s) / 2;
  if (Alignment == taLeftJustify) {
    Box = Bounds(Client.Right - s, y, s, s);
    Text = TRect(Client.Left, Client.Top, Client.Right - s - 4, Client.Bottom);
  } else {
    Box = Bounds(Client.Left, y, s, s);
    Text = TRect(Client.Left + s + 4, Client.Top, Client.Right, Client.Bottom);
  }
}

void PaintCheckLike(TButtonControl* C, HDC DC, UINT State, TLeftRight Alignment, bool WordWrap) {
  TRect box, text;
  CheckLayout(C->ClientRect(), Alignment, box, text);
  if (!C->Enabled()) State |= DFCS_INACTIVE;
  DrawFrameControl(DC, box, DFC_BUTTON, State);
  SelectObject(DC, C->Font()->Handle());
  UINT fmt = (Alignment == taLeftJustify ? DT_RIGHT : DT_LEFT) |
             (WordWrap ? DT_WORDBREAK : (DT_SINGLELINE | DT_VCENTER));
  TRect t = text;
  if (WordWrap) {
    TRect calc = t;
    ::DrawText(DC, C->Caption(), -1, calc, fmt | DT_CALCRECT);
    OffsetRect(t, 0, (t.Height() - calc.Height()) / 2);
  }
  DrawTextLook(DC, C->Caption(), t, fmt, C->Enabled(), C->Font()->Color());
  if (C->Focused() && !C->Caption().isEmpty()) {
    TRect calc = text;
    ::DrawText(DC, C->Caption(), -1, calc, (fmt & ~DT_VCENTER) | DT_CALCRECT);
    TRect f;
    const int h = calc.Height();
    f.Top = WordWrap ? t.Top : text.Top + (text.Height() - h) / 2;
    f.Bottom = f.Top + h;
    if (Alignment == taLeftJustify) {
      f.Right = text.Right + 1;
      f.Left = f.Right - calc.Width() - 2;
    } else {
      f.Left = text.Left - 1;
      f.Right = f.Left + calc.Width() + 2;
    }
    IntersectRect(f, f, C->ClientRect());
    SetTextColor(DC, 0);
    SetBkColor(DC, 0xFFFFFF);
    ::DrawFocusRect(DC, f);
  }
}

}  // namespace

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  FView->setObjectName(QStringLiteral("TCustomCheckBox"));
  SetTabStop(true);
  SetBounds(0, 0, 97, 17);
}

TCustomCheckBox::~TCustomCheckBox() = default;

void TCustomCheckBox::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= BS_3STATE;
  if (FAlignment == taLeftJustify) Params.Style |= BS_LEFTTEXT;
  if (FWordWrap) Params.Style |= BS_MULTILINE;
}

void TCustomCheckBox::SetAlignment(TLeftRight Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (FState == Value) return;
  FState = Value;
  Invalidate();
  if (!ClicksDisabled()) Click();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCustomCheckBox::PaintButton(HDC DC) {
  UINT state = DFCS_BUTTONCHECK;
  if (FState == cbChecked) state |= DFCS_CHECKED;
  if (FState == cbGrayed) state = DFCS_BUTTON3STATE | DFCS_CHECKED;
  if (FPushed) state |= DFCS_PUSHED;
  PaintCheckLike(this, DC, state, FAlignment, FWordWrap);
}

void TCustomCheckBox::CNCommand(TWMCommand& Message) {
  if (Message.NotifyCode() == BN_CLICKED) Toggle();
}

void TCustomCheckBox::CMDialogChar(TWMKey& Message) {
  if (IsAccel(Message.CharCode(), Caption()) && CanFocus()) {
    SetFocus();
    if (Focused()) Toggle();
    Message.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(Message);
}

void TCustomCheckBox::WMGetDlgCode(TMessageView& Message) { Message.Result = DLGC_BUTTON; }

// ------------------------------------------------------------ TRadioButton

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FView->setObjectName(QStringLiteral("TRadioButton"));
  SetBounds(0, 0, 113, 17);
}

TRadioButton::~TRadioButton() = default;

void TRadioButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  Params.Style |= BS_RADIOBUTTON;
  if (FAlignment == taLeftJustify) Params.Style |= BS_LEFTTEXT;
}

void TRadioButton::SetAlignment(TLeftRight Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TRadioButton::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  SetTabStop(Value);
  Invalidate();
  if (Value) {
    // The other radio buttons of the same parent go off.
    if (FParent != nullptr) {
      for (int i = 0; i < FParent->ControlCount(); ++i) {
        auto* r = dynamic_cast<TRadioButton*>(FParent->Controls(i));
        if (r != nullptr && r != this) r->SetChecked(false);
      }
    }
    TControl::Changed();
    if (!ClicksDisabled()) Click();
  }
}

void TRadioButton::PaintButton(HDC DC) {
  UINT state = DFCS_BUTTONRADIO;
  if (FChecked) state |= DFCS_CHECKED;
  if (FPushed) state |= DFCS_PUSHED;
  PaintCheckLike(this, DC, state, FAlignment, FWordWrap);
}

void TRadioButton::CNCommand(TWMCommand& Message) {
  if (Message.NotifyCode() == BN_CLICKED) SetChecked(true);
  else if (Message.NotifyCode() == BN_DOUBLECLICKED) DblClick();
}

void TRadioButton::CMDialogChar(TWMKey& Message) {
  if (IsAccel(Message.CharCode(), Caption()) && CanFocus()) {
    SetFocus();
    Message.Result = 1;
    return;
  }
  TButtonControl::CMDialogChar(Message);
}

void TRadioButton::WMGetDlgCode(TMessageView& Message) { Message.Result = DLGC_BUTTON | DLGC_RADIOBUTTON; }

void TRadioButton::WMSetFocus(TWMSetFocus& Message) {
  TButtonControl::WMSetFocus(Message);
  // Moving onto a radio button with the arrow keys checks it.
  if (!FChecked && (GetKeyState(VK_LEFT) < 0 || GetKeyState(VK_RIGHT) < 0 || GetKeyState(VK_UP) < 0 ||
                    GetKeyState(VK_DOWN) < 0))
    NotifyClicked();
}

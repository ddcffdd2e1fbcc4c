// Edits with a button: the button, its container, the edit and the unit edit.
#include "controls/PSGEdit.h"

#include <QScopeGuard>
#include <algorithm>

#include "platform/gdi/WinGdi.h"
#include "platform/ui/Menus.h"
#include "platform/ui/UxTheme.h"
#include "platform/ui/WinApi.h"

// ============================================================ TProSpeedButton

TProSpeedButton::TProSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}

void TProSpeedButton::CMMouseEnter(TCMMouseEnterLeave& Message) {
  TSpeedButton::CMMouseEnter(Message);
  FHot = true;
  Invalidate();
}

void TProSpeedButton::CMMouseLeave(TCMMouseEnterLeave& Message) {
  TSpeedButton::CMMouseLeave(Message);
  FHot = false;
  Invalidate();
}

void TProSpeedButton::Paint() {
  TCanvas* c = Canvas();
  c->SetFont(Font());
  auto* owner = dynamic_cast<TPsgEditButton*>(Owner());
  TRect r = ClientRect();
  const bool down = FState == bsDown;
  bool flat = FFlat;
  bool drawn = false;
  if (owner != nullptr && owner->ButtonColor() != clNone) {
    flat = true;
    TColor fill = owner->ButtonColor();
    if (FHot) fill = owner->ButtonColorHot();
    if (down) fill = owner->ButtonColorDown();
    c->Brush()->SetColor(fill);
    c->FillRect(r);
    drawn = true;
  }
  if (!drawn && FIsWinXP && VisualStyles().IsThemeActive() && Parent() != nullptr) {
    if (HTHEME theme = VisualStyles().OpenThemeData(Parent()->Handle(), QStringLiteral("button"))) {
      auto closeTheme = qScopeGuard([theme] { VisualStyles().CloseThemeData(theme); });
      VisualStyles().DrawThemeBackground(theme, c->Handle(), 1, down ? 3 : (FHot ? 2 : 1), r, nullptr);
      drawn = true;
    }
  }
  if (!drawn && flat) {
    DrawEdge(c->Handle(), r, down ? (BDR_RAISEDINNER | BDR_SUNKENOUTER) : BDR_RAISEDINNER,
             BF_RECT | BF_MIDDLE);
    InflateRect(r, -1, -1);
  } else if (!drawn) {
    DrawFrameControl(c->Handle(), r, DFC_BUTTON,
                     DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (down ? UINT(DFCS_PUSHED) : 0u));
  }
  const int shift = down ? 1 : 0;
  if (Glyph() != nullptr && !Glyph()->Empty()) {
    TBitmap* g = Glyph();
    g->SetTransparent(true);
    const int w = g->Width(), h = g->Height();
    int x = 0, y = 0;
    if (w < Width()) x = (Width() - w) / 2;
    if (h < Height()) y = (Height() - h) / 2;
    c->Draw(x + shift, y + shift, g);
  }
  if (!Caption().isEmpty()) {
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    TRect t = r;
    OffsetRect(t, shift, shift);
    DrawText(c->Handle(), Caption(), -1, t, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  }
}

// ============================================================ TPsgEditButton

TPsgEditButton::TPsgEditButton(TComponent* AOwner) : TPsgButtonHost(AOwner) {
  FButton = new TProSpeedButton(this);
  FButton->SetVisible(true);
  FButton->SetEnabled(true);
  FButton->SetCaption(QString());
  FButton->OnMouseUp = [this](TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
    BtnMouseUp(Sender, Button, Shift, X, Y);
  };
  FButton->SetParent(this);
  SetBounds(0, 0, 20, 25);
}

void TPsgEditButton::AdjustButtonBounds(int& AWidth, int& AHeight) {
  if (FButton == nullptr || ComponentState().contains(csLoading)) return;
  FButton->SetBounds(0, 0, AWidth, AHeight);
}

void TPsgEditButton::SetFlat(bool Value) {
  FFlat = Value;
  FButton->SetFlat(Value);
}

void TPsgEditButton::BtnMouseUp(TObject*, TMouseButton Button, TShiftState, int, int) {
  if (Button != mbLeft) return;
  if (OnClick) OnClick(this);
  FocusAfterPress();
}

// ============================================================ TPsgEditBtn

TPsgEditBtn::TPsgEditBtn(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
  FButton = new TPsgEditButton(this);
  FButton->SetBounds(0, 0, 18, 18);
  FButton->SetVisible(true);
  FButton->SetParent(this);
  FButton->SetFocusControl(this);
  FButton->OnClick = [this](TObject*) { DoClickBtn(); };
  SetText(QStringLiteral("0"));
  FControlStyle.Exclude(csSetCaption);
}

TPsgEditBtn::~TPsgEditBtn() { FButton = nullptr; }

void TPsgEditBtn::CreateParams(TCreateParams& Params) {
  TCustomMaskEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE | WS_CLIPCHILDREN;
  if (FRightAlign) Params.Style |= ES_RIGHT;
}

void TPsgEditBtn::CreateWnd() {
  TCustomMaskEdit::CreateWnd();
  SetEditRect();
}

void TPsgEditBtn::SetRightAlign(bool Value) {
  if (FRightAlign == Value) return;
  FRightAlign = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TPsgEditBtn::SetButtonWidth(int Value) {
  FButtonWidth = Value;
  FButton->SetWidth(Value);
}

void TPsgEditBtn::SetIsWinXP(bool Value) {
  FIsWinXP = Value;
  FButton->SpeedButton()->SetIsWinXP(Value);
}

void TPsgEditBtn::SetEditRect() {
  if (FButton == nullptr || !HandleAllocated()) return;
  const int m = BorderStyle() == bsNone ? 3 : 1;
  int right = ClientWidth() - (FButton->Width() + FUnitSize + 5);
  if (FUnitSize > 0) right -= 3;
  TRect r(m, m, right, ClientHeight() + 1);
  Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

int TPsgEditBtn::GetMinHeight() { return EditTextHeight(Font()); }

void TPsgEditBtn::WMSize(TWMSize& Message) {
  TCustomMaskEdit::WMSize(Message);
  const int minHeight = GetMinHeight();
  if (Height() < minHeight) {
    SetHeight(minHeight);
  } else if (FButton != nullptr) {
    PlaceEditButton(this, FButton);
    SetEditRect();
  }
}

void TPsgEditBtn::DoClickBtn() {
  if (OnClickBtn) OnClickBtn(this);
}

void TPsgEditBtn::KeyDown(Word& Key, TShiftState Shift) {
  TCustomMaskEdit::KeyDown(Key, Shift);
  if (Key == VK_F4 && !Shift.contains(ssCtrl) && !Shift.contains(ssAlt)) DoClickBtn();
}

void TPsgEditBtn::WMChar(TWMKey& Message) {
  if (FEditorEnabled) TCustomMaskEdit::WMChar(Message);
}

void TPsgEditBtn::DefaultHandler(TMessage& Message) {
  if ((Message.Msg == WM_PASTE || Message.Msg == WM_CUT) && (!FEditorEnabled || ReadOnly())) return;
  TCustomMaskEdit::DefaultHandler(Message);
}

void TPsgEditBtn::CMEnter(TMessageView& Message) {
  if (AutoSelect() && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
  TCustomMaskEdit::CMEnter(Message);
}

// ============================================================ TPsgUnitEditBtn

TPsgUnitEditBtn::TPsgUnitEditBtn(TComponent* AOwner)
    : TPsgEditBtn(AOwner), FUnits(std::make_unique<TStringList>()) {
  FUnitSize = 20;
  SetRightAlign(true);
}

TPsgUnitEditBtn::~TPsgUnitEditBtn() = default;

void TPsgUnitEditBtn::SetUnits(TStringList* Value) {
  if (Value != nullptr) FUnits->Assign(Value);
}

void TPsgUnitEditBtn::SetUnitID(const QString& Value) {
  FUnitID = Value;
  Invalidate();
}

void TPsgUnitEditBtn::SetUnitSpace(int Value) {
  FUnitSize = Value;
  SetEditRect();
  Invalidate();
}

QString TPsgUnitEditBtn::TextAndUnit() const { return Text() + FUnitID; }

void TPsgUnitEditBtn::SetTextAndUnit(const QString& Value) {
  for (int i = 0; i < FUnits->Count(); ++i) {
    const QString u = FUnits->Strings(i);
    if (u.isEmpty()) continue;
    const qsizetype at = Value.indexOf(u);
    if (at >= 0 && at + u.size() == Value.size()) {
      SetText(Value.left(at));
      SetUnitID(u);
      return;
    }
  }
}

TRect TPsgUnitEditBtn::UnitRect() const {
  const int right = ClientWidth() - Button()->Width() - 3;
  return TRect(right - FUnitSize, 2, right, ClientHeight());
}

void TPsgUnitEditBtn::DoClickBtn() {
  TPsgEditBtn::DoClickBtn();
  auto menu = std::make_unique<TPopupMenu>(nullptr);
  for (int i = 0; i < FUnits->Count(); ++i) {
    auto* item = new TMenuItem(menu.get());
    item->SetCaption(FUnits->Strings(i));
    const WPARAM id = static_cast<WPARAM>(i + 1);
    // The chosen unit comes back as the command of its item.
    item->OnClick = [this, id](TObject*) { Perform(WM_COMMAND, id, 0); };
    menu->Items()->Add(item);
  }
  const TPoint at = ClientToScreen(TPoint(ClientWidth() - 15, ClientHeight()));
  menu->Popup(at.X, at.Y);
}

void TPsgUnitEditBtn::WMCommand(TWMCommand& Message) {
  if (Message.NotifyCode() != 768) {
    const int id = Message.ItemID();
    if (id >= 1 && id <= FUnits->Count()) {
      const QString previous = FUnitID;
      SetUnitID(FUnits->Strings(id - 1));
      if (FUnitID != previous && OnUnitChanged) OnUnitChanged(this, FUnitID);
      return;
    }
  }
  TPsgEditBtn::WMCommand(Message);
}

void TPsgUnitEditBtn::WMPaint(TWMPaint& Message) {
  TPsgEditBtn::WMPaint(Message);
  HDC dc = Message.DC() != nullptr ? Message.DC() : GetDC(Handle());
  const auto release = qScopeGuard([&] {
    if (Message.DC() == nullptr) ReleaseDC(Handle(), dc);
  });
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Font()->Color()));
  DrawText(dc, FUnitID, -1, UnitRect(), DT_EDITCONTROL);
  SelectObject(dc, old);
}

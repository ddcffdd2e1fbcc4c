// The category panel group and its collapsible panels.
#include <algorithm>

#include "platform/ui/ControlWidget_p.h"
#include "platform/widgets/ExtCtrls.h"
#include "platform/widgets/StdCtrls_p.h"

using namespace StdCtrlsPrivate;

namespace {

TColor Blend(TColor A, TColor B, int Step, int Steps) {
  const auto a = static_cast<uint32_t>(ColorToRGB(A));
  const auto b = static_cast<uint32_t>(ColorToRGB(B));
  auto mix = [&](int shift) {
    const int ca = static_cast<int>((a >> shift) & 0xFF);
    const int cb = static_cast<int>((b >> shift) & 0xFF);
    return static_cast<uint32_t>(ca + (cb - ca) * Step / std::max(1, Steps)) << shift;
  };
  return static_cast<TColor>(mix(0) | mix(8) | mix(16));
}

// A double chevron (two V shapes) centred on (CX, CY), pointing up or down.
void DrawChevron(TCanvas* C, int CX, int CY, bool Up, TColor Color) {
  C->Pen()->SetColor(Color);
  C->Pen()->SetWidth(1);
  C->Pen()->SetStyle(psSolid);
  for (int k = 0; k < 2; ++k) {
    const int y0 = CY - 3 + k * 4;
    for (int t = 0; t < 2; ++t) {
      // Each V is two pixels thick.
      const int y = y0 + t;
      if (Up) {
        C->MoveTo(CX - 3, y + 3);
        C->LineTo(CX, y);
        C->LineTo(CX + 4, y + 4);
      } else {
        C->MoveTo(CX - 3, y);
        C->LineTo(CX, y + 3);
        C->LineTo(CX + 4, y - 1);
      }
    }
  }
}

}  // namespace

// ------------------------------------------------------------ TCustomCategoryPanel

TCustomCategoryPanel::TCustomCategoryPanel(TComponent* AOwner) : TCustomPanel(AOwner) {
  FView->setObjectName(QStringLiteral("TCustomCategoryPanel"));
  FBevelOuter = bvNone;
  FShowCaption = false;
  FParentColor = true;
  SetParentBackground(false);
  SetBounds(0, 0, 185, 200);
  FExpandedHeight = 200;
}

TCustomCategoryPanel::~TCustomCategoryPanel() {
  if (FPanelGroup != nullptr) {
    auto& l = FPanelGroup->FPanels;
    l.erase(std::remove(l.begin(), l.end(), this), l.end());
  }
}

int TCustomCategoryPanel::HeaderHeight() const { return FPanelGroup != nullptr ? FPanelGroup->HeaderHeight() : 24; }

TRect TCustomCategoryPanel::HeaderRect() const { return TRect(0, 0, Width(), HeaderHeight()); }

TRect TCustomCategoryPanel::NonClientExtra() const { return TRect(0, HeaderHeight(), 0, 0); }

void TCustomCategoryPanel::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (FPanelGroup != nullptr) {
    auto& l = FPanelGroup->FPanels;
    l.erase(std::remove(l.begin(), l.end(), this), l.end());
    FPanelGroup = nullptr;
  }
  TCustomPanel::SetParent(AParent);
  FPanelGroup = dynamic_cast<TCustomCategoryPanelGroup*>(AParent);
  if (FPanelGroup != nullptr) {
    FPanelGroup->FPanels.push_back(this);
    SetAlign(alTop);
  }
  HeaderChanged();
}

void TCustomCategoryPanel::SetPanelGroup(TCustomCategoryPanelGroup* Value) { SetParent(Value); }

void TCustomCategoryPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FCollapsed) {
    // A collapsed panel keeps the height it will have when expanded.
    if (!FAnchorMove && AHeight != HeaderHeight()) FExpandedHeight = AHeight;
    AHeight = HeaderHeight();
  } else {
    FExpandedHeight = AHeight;
  }
  TCustomPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomCategoryPanel::SetCollapsed(bool Value) {
  if (FCollapsed == Value) return;
  const int expanded = FExpandedHeight;
  FCollapsed = Value;
  if (Value) {
    TCustomPanel::SetBounds(Left(), Top(), Width(), HeaderHeight());
  } else {
    TCustomPanel::SetBounds(Left(), Top(), Width(), expanded);
  }
  FExpandedHeight = expanded;
  InvalidateHeader();
  TControlGuard self(this);
  if (Value) {
    if (OnCollapse) OnCollapse(this);
  } else {
    if (OnExpand) OnExpand(this);
  }
}

void TCustomCategoryPanel::SetCollapsedImageIndex(int Value) {
  FCollapsedImageIndex = Value;
  InvalidateHeader();
}

void TCustomCategoryPanel::SetExpandedImageIndex(int Value) {
  FExpandedImageIndex = Value;
  InvalidateHeader();
}

void TCustomCategoryPanel::InvalidateHeader() {
  if (HandleAllocated()) RedrawWindow(View(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TCustomCategoryPanel::HeaderChanged() {
  if (FCollapsed) TCustomPanel::SetBounds(Left(), Top(), Width(), HeaderHeight());
  if (HandleAllocated()) SetWindowStyle(WindowStyle(), WindowExStyle());
  InvalidateHeader();
}

void TCustomCategoryPanel::SetHot(bool Value) {
  if (FHeaderHot == Value) return;
  FHeaderHot = Value;
  InvalidateHeader();
}

void TCustomCategoryPanel::AdjustClientRect(TRect& Rect) { TCustomPanel::AdjustClientRect(Rect); }

void TCustomCategoryPanel::Paint() { TCustomPanel::Paint(); }

void TCustomCategoryPanel::PaintNonClient(HDC WindowDC) {
  TCustomPanel::PaintNonClient(WindowDC);
  TCustomCategoryPanelGroup* g = FPanelGroup;
  const TRect r = HeaderRect();
  TCanvas c;
  c.SetHandle(WindowDC);
  const TColor base = g != nullptr ? g->GradientBaseColor() : TColor(0x00F0F0F0);
  const TColor to = g != nullptr ? g->GradientColor() : TColor(0x00E3E3E3);
  const bool vertical = g == nullptr || g->GradientDirection() == gdVertical;
  const int steps = vertical ? r.Height() : r.Width();
  for (int i = 0; i < steps; ++i) {
    c.Brush()->SetColor(Blend(base, to, i, std::max(1, steps - 1)));
    if (vertical) c.FillRect(TRect(r.Left, r.Top + i, r.Right, r.Top + i + 1));
    else c.FillRect(TRect(r.Left + i, r.Top, r.Left + i + 1, r.Bottom));
  }
  int textLeft = r.Left + 6;
  TImageList* images = g != nullptr ? g->Images() : nullptr;
  if (images != nullptr) {
    int idx = FCollapsed ? FCollapsedImageIndex : FExpandedImageIndex;
    const int hot = FCollapsed ? FCollapsedHotImageIndex : FExpandedHotImageIndex;
    if (FHeaderHot && hot >= 0) idx = hot;
    if (idx >= 0 && idx < images->Count()) {
      images->Draw(&c, r.Left + 4, r.Top + (r.Height() - images->Height()) / 2, idx, Enabled());
      textLeft = r.Left + 4 + images->Width() + 4;
    }
  }
  const bool chevronRight = g == nullptr || g->ChevronAlignment() != taLeftJustify;
  const int chevronX = chevronRight ? r.Right - 14 : r.Left + 10;
  if (!chevronRight) textLeft += 18;
  TRect t(textLeft, r.Top, chevronRight ? r.Right - 24 : r.Right - 4, r.Bottom);
  c.SetFont(g != nullptr ? g->HeaderFont() : Font());
  c.Brush()->SetStyle(bsClear);
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
  const TAlignment a = g != nullptr ? g->HeaderAlignment() : taLeftJustify;
  flags |= a == taRightJustify ? DT_RIGHT : (a == taCenter ? DT_CENTER : DT_LEFT);
  DrawTextLook(c.Handle(), Caption(), t, flags, Enabled(), c.Font()->Color());
  c.Brush()->SetStyle(bsSolid);
  const TColor chevron = g == nullptr ? clBlack : (FHeaderHot ? g->ChevronHotColor() : g->ChevronColor());
  DrawChevron(&c, chevronX, r.Top + r.Height() / 2, !FCollapsed, chevron);
  c.SetHandle(nullptr);
}

void TCustomCategoryPanel::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEMOVE: {
      const int y = GET_Y_LPARAM(Message.LParam);
      SetHot(y < 0 && y >= -HeaderHeight());
      break;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      const int y = GET_Y_LPARAM(Message.LParam);
      if (y < 0 && y >= -HeaderHeight()) {
        FHeaderPressed = true;
        return;
      }
      break;
    }
    case WM_LBUTTONUP: {
      const int y = GET_Y_LPARAM(Message.LParam);
      const int x = GET_X_LPARAM(Message.LParam);
      const bool pressed = FHeaderPressed;
      FHeaderPressed = false;
      if (pressed && y < 0 && y >= -HeaderHeight() && x >= 0 && x < Width()) {
        SetCollapsed(!FCollapsed);
        return;
      }
      break;
    }
    default:
      break;
  }
  TCustomPanel::DefaultHandler(Message);
}

void TCustomCategoryPanel::CMMouseLeave(TCMMouseEnterLeave& Message) {
  if (Message.LParam == 0) SetHot(false);
  TCustomPanel::CMMouseLeave(Message);
}

void TCustomCategoryPanel::CMTextChanged(TMessageView& Message) {
  InvalidateHeader();
  TCustomPanel::CMTextChanged(Message);
}

// ------------------------------------------------------------ TCustomCategoryPanelGroup

TCustomCategoryPanelGroup::TCustomCategoryPanelGroup(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FView->setObjectName(QStringLiteral("TCustomCategoryPanelGroup"));
  FHeaderFont = std::make_unique<TFont>();
  FHeaderFont->SetName(QStringLiteral("Tahoma"));
  FHeaderFont->SetSize(8);
  FHeaderFont->OnChange = [this](TObject*) { HeadersChanged(); };
  FBorderStyle = bsNone;
  HorzScrollBar()->SetVisible(false);
  SetBounds(0, 0, 200, 400);
}

TCustomCategoryPanelGroup::~TCustomCategoryPanelGroup() {
  FHeaderFont->OnChange = nullptr;
  for (TCustomCategoryPanel* p : FPanels) p->FPanelGroup = nullptr;
  FPanels.clear();
  if (FImages != nullptr) FImages->RemoveFreeNotification(this);
}

void TCustomCategoryPanelGroup::CreateParams(TCreateParams& Params) {
  TScrollingWinControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomCategoryPanelGroup::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  SetClientEdge(this, Value == bsSingle);
}

TCustomCategoryPanel* TCustomCategoryPanelGroup::Panels(int Index) const {
  if (Index < 0 || Index >= PanelCount()) throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FPanels[static_cast<size_t>(Index)];
}

void TCustomCategoryPanelGroup::HeadersChanged() {
  for (TCustomCategoryPanel* p : FPanels) p->HeaderChanged();
  Realign();
}

void TCustomCategoryPanelGroup::SetHeaderHeight(int Value) {
  Value = std::max(1, Value);
  if (FHeaderHeight == Value) return;
  FHeaderHeight = Value;
  HeadersChanged();
}

void TCustomCategoryPanelGroup::SetGradientBaseColor(TColor Value) {
  FGradientBaseColor = Value;
  HeadersChanged();
}

void TCustomCategoryPanelGroup::SetGradientColor(TColor Value) {
  FGradientColor = Value;
  HeadersChanged();
}

void TCustomCategoryPanelGroup::SetGradientDirection(TGradientDirection Value) {
  FGradientDirection = Value;
  HeadersChanged();
}

void TCustomCategoryPanelGroup::SetHeaderStyle(THeaderStyle Value) {
  FHeaderStyle = Value;
  HeadersChanged();
}

void TCustomCategoryPanelGroup::SetHeaderAlignment(TAlignment Value) {
  FHeaderAlignment = Value;
  HeadersChanged();
}

void TCustomCategoryPanelGroup::SetChevronColor(TColor Value) {
  FChevronColor = Value;
  HeadersChanged();
}

void TCustomCategoryPanelGroup::SetChevronAlignment(TAlignment Value) {
  FChevronAlignment = Value;
  HeadersChanged();
}

void TCustomCategoryPanelGroup::SetImages(TImageList* Value) {
  if (FImages != nullptr) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value != nullptr) Value->FreeNotification(this);
  HeadersChanged();
}

void TCustomCategoryPanelGroup::Notification(TComponent* AComponent, TOperation Operation) {
  TScrollingWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TCustomCategoryPanelGroup::CollapseAll() {
  for (TCustomCategoryPanel* p : std::vector<TCustomCategoryPanel*>(FPanels)) p->SetCollapsed(true);
}

void TCustomCategoryPanelGroup::ExpandAll() {
  for (TCustomCategoryPanel* p : std::vector<TCustomCategoryPanel*>(FPanels)) p->SetCollapsed(false);
}

TCustomCategoryPanel* TCustomCategoryPanelGroup::CreatePanel(TComponent* AOwner) {
  auto* p = new TCategoryPanel(AOwner);
  int top = 0;
  for (TCustomCategoryPanel* q : FPanels) top = std::max(top, q->Top() + q->Height());
  p->SetTop(top);
  p->SetPanelGroup(this);
  return p;
}

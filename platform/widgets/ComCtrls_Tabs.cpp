// Page control and tab sheets.
#include <algorithm>

#include "platform/widgets/ComCtrls.h"
#include "platform/ui/ControlWidget_p.h"
#include "platform/widgets/StdCtrls_p.h"

using namespace StdCtrlsPrivate;

// ------------------------------------------------------------ TTabSheet

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csNoDesignVisible, csParentBackground};
  FView->setObjectName(QStringLiteral("TTabSheet"));
  SetAlign(alClient);
  FVisible = false;
}

TTabSheet::~TTabSheet() {
  if (FPageControl != nullptr) FPageControl->RemovePage(this);
}

void TTabSheet::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  if (FPageControl != nullptr) {
    FPageControl->RemovePage(this);
    FPageControl = nullptr;
  }
  TWinControl::SetParent(AParent);
  if (auto* pc = dynamic_cast<TPageControl*>(AParent)) {
    FPageControl = pc;
    pc->InsertPage(this);
  }
}

void TTabSheet::SetPageControl(TPageControl* Value) { SetParent(Value); }

int TTabSheet::PageIndex() const {
  if (FPageControl == nullptr) return -1;
  const auto& p = FPageControl->FPages;
  return static_cast<int>(std::find(p.begin(), p.end(), this) - p.begin());
}

void TTabSheet::SetPageIndex(int Value) {
  if (FPageControl == nullptr) return;
  auto& p = FPageControl->FPages;
  const int cur = PageIndex();
  Value = std::clamp(Value, 0, static_cast<int>(p.size()) - 1);
  if (cur == Value) return;
  p.erase(p.begin() + cur);
  p.insert(p.begin() + Value, this);
  FPageControl->UpdateTabs();
}

int TTabSheet::TabIndex() const {
  if (FPageControl == nullptr || !FTabVisible) return -1;
  const auto tabs = FPageControl->VisibleTabs();
  return static_cast<int>(std::find(tabs.begin(), tabs.end(), this) - tabs.begin());
}

void TTabSheet::SetTabVisible(bool Value) {
  if (FTabVisible == Value) return;
  FTabVisible = Value;
  if (FPageControl != nullptr) {
    if (!Value && FPageControl->FActivePage == this)
      FPageControl->ChangeActivePage(FPageControl->FindNextPage(this, true, true));
    FPageControl->UpdateTabs();
  }
}

void TTabSheet::SetImageIndex(int Value) {
  FImageIndex = Value;
  if (FPageControl != nullptr) FPageControl->UpdateTabs();
}

void TTabSheet::SetHighlighted(bool Value) {
  FHighlighted = Value;
  if (FPageControl != nullptr) FPageControl->Invalidate();
}

void TTabSheet::CMTextChanged(TMessageView& Message) {
  if (FPageControl != nullptr) FPageControl->UpdateTabs();
  TWinControl::CMTextChanged(Message);
}

void TTabSheet::CMShowingChanged(TMessageView& Message) {
  TWinControl::CMShowingChanged(Message);
}

void TTabSheet::WMEraseBkgnd(TWMEraseBkgnd& Message) {
  if (Message.DC() != nullptr) FillColor(Message.DC(), ClientRect(), Color());
  Message.Result = 1;
}

void TTabSheet::DoShow() {
  if (OnShow) OnShow(this);
}

void TTabSheet::DoHide() {
  if (OnHide) OnHide(this);
}

// ------------------------------------------------------------ TPageControl

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csDoubleClicks, csOpaque, csAcceptsControls};
  FView->setObjectName(QStringLiteral("TPageControl"));
  SetTabStop(true);
  SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() {
  for (TTabSheet* p : FPages) p->FPageControl = nullptr;
  FPages.clear();
  if (FImages != nullptr) FImages->RemoveFreeNotification(this);
}

TTabSheet* TPageControl::Pages(int Index) const {
  if (Index < 0 || Index >= PageCount()) throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FPages[static_cast<size_t>(Index)];
}

std::vector<TTabSheet*> TPageControl::VisibleTabs() const {
  std::vector<TTabSheet*> r;
  for (TTabSheet* p : FPages)
    if (p->TabVisible()) r.push_back(p);
  return r;
}

int TPageControl::ActivePageIndex() const { return FActivePage != nullptr ? FActivePage->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int Value) {
  SetActivePage(Value >= 0 && Value < PageCount() ? FPages[static_cast<size_t>(Value)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* Value) {
  if (Value != nullptr && Value->FPageControl != this) return;
  ChangeActivePage(Value);
}

int TPageControl::TabIndex() const { return FActivePage != nullptr ? FActivePage->TabIndex() : -1; }

void TPageControl::SetTabIndex(int Value) {
  const auto tabs = VisibleTabs();
  if (Value >= 0 && Value < static_cast<int>(tabs.size())) ChangeActivePage(tabs[static_cast<size_t>(Value)]);
}

void TPageControl::SetTabPosition(TTabPosition Value) {
  FTabPosition = Value;
  UpdateTabs();
}

void TPageControl::SetTabHeight(int Value) {
  FTabHeight = std::max(0, Value);
  UpdateTabs();
}

void TPageControl::SetTabWidth(int Value) {
  FTabWidth = std::max(0, Value);
  UpdateTabs();
}

void TPageControl::SetImages(TImageList* Value) {
  if (FImages != nullptr) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value != nullptr) Value->FreeNotification(this);
  UpdateTabs();
}

void TPageControl::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) FImages = nullptr;
}

void TPageControl::InsertPage(TTabSheet* Page) {
  FPages.push_back(Page);
  if (FActivePage == nullptr && Page->TabVisible()) ChangeActivePage(Page);
  else Page->SetVisible(false);
  UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet* Page) {
  TTabSheet* next = FActivePage == Page ? FindNextPage(Page, true, true) : FActivePage;
  FPages.erase(std::remove(FPages.begin(), FPages.end(), Page), FPages.end());
  if (next == Page) next = nullptr;
  if (FActivePage == Page) {
    FActivePage = nullptr;
    ChangeActivePage(next);
  }
  UpdateTabs();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const {
  const int n = PageCount();
  if (n == 0) return nullptr;
  int start = -1;
  for (int i = 0; i < n; ++i)
    if (FPages[static_cast<size_t>(i)] == CurPage) start = i;
  if (start < 0) start = GoForward ? n - 1 : 0;
  int i = start;
  do {
    i = GoForward ? (i + 1) % n : (i + n - 1) % n;
    TTabSheet* p = FPages[static_cast<size_t>(i)];
    if (!CheckTabVisible || p->TabVisible()) return p;
  } while (i != start);
  return nullptr;
}

bool TPageControl::CanChange() {
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  return allow;
}

void TPageControl::Change() {
  if (OnChange) OnChange(this);
}

void TPageControl::SelectNextPage(bool GoForward, bool CheckTabVisible) {
  TTabSheet* p = FindNextPage(FActivePage, GoForward, CheckTabVisible);
  if (p != nullptr && p != FActivePage && CanChange()) {
    ChangeActivePage(p);
    Change();
  }
}

void TPageControl::ChangeActivePage(TTabSheet* Page) {
  if (FActivePage == Page) return;
  TCustomForm* form = ::GetParentForm(this);
  if (form != nullptr && FActivePage != nullptr && FActivePage->ContainsControl(form->ActiveControl()) &&
      CanFocus())
    form->SetActiveControl(this);
  TTabSheet* old = FActivePage;
  FActivePage = Page;
  if (Page != nullptr) {
    Page->BringToFront();
    Page->SetVisible(true);
    Page->DoShow();
  }
  if (old != nullptr) {
    old->SetVisible(false);
    old->DoHide();
  }
  Invalidate();
}

void TPageControl::UpdateTabs() {
  FTabRects.clear();
  Realign();
  Invalidate();
}

int TPageControl::RowHeight() {
  return FTabHeight > 0 ? FTabHeight : FontHeight(Font()) + 7;
}

void TPageControl::LayoutTabs() {
  FTabRects.clear();
  HDC dc = MeasureDC();
  SelectObject(dc, Font()->Handle());
  const int rh = RowHeight();
  int x = 2;
  for (TTabSheet* p : VisibleTabs()) {
    int w = FTabWidth;
    if (w <= 0) {
      TRect t(0, 0, 1000, rh);
      ::DrawText(dc, p->Caption(), -1, t, DT_CALCRECT | DT_SINGLELINE);
      w = t.Width() + 12;
      if (FImages != nullptr && p->ImageIndex() >= 0) w += FImages->Width() + 3;
    }
    FTabRects.push_back(TRect(x, 2, x + w, 2 + rh));
    x += w;
  }
}

TRect TPageControl::TabRect(int TabIndex) {
  LayoutTabs();
  if (TabIndex < 0 || TabIndex >= static_cast<int>(FTabRects.size())) return TRect();
  return FTabRects[static_cast<size_t>(TabIndex)];
}

int TPageControl::IndexOfTabAt(int X, int Y) {
  LayoutTabs();
  const int sel = TabIndex();
  // The selected tab stands out over its neighbours.
  if (sel >= 0 && sel < static_cast<int>(FTabRects.size())) {
    TRect r = FTabRects[static_cast<size_t>(sel)];
    InflateRect(r, 2, 0);
    r.Top -= 2;
    if (PtInRect(r, TPoint(X, Y))) return sel;
  }
  for (size_t i = 0; i < FTabRects.size(); ++i)
    if (PtInRect(FTabRects[i], TPoint(X, Y))) return static_cast<int>(i);
  return -1;
}

TRect TPageControl::DisplayRect() {
  const TRect cr = ClientRect();
  const int top = 2 + RowHeight();
  return TRect(cr.Left + 4, top + 4, std::max(cr.Left + 4, cr.Right - 4), std::max(top + 4, cr.Bottom - 4));
}

void TPageControl::AdjustClientRect(TRect& Rect) { Rect = DisplayRect(); }

void TPageControl::PaintTabs(HDC DC) {
  LayoutTabs();
  const TRect cr = ClientRect();
  const int rowBottom = 2 + RowHeight();
  TRect frame(cr.Left, rowBottom, cr.Right, cr.Bottom);
  FillColor(DC, frame, Color());
  DrawEdge(DC, frame, EDGE_RAISED, BF_RECT | BF_SOFT);
  const auto tabs = VisibleTabs();
  const int sel = TabIndex();
  auto line = [&](int x1, int y1, int x2, int y2, TColor c) {
    HPEN pen = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(ColorToRGB(c)));
    HGDIOBJ old = SelectObject(DC, pen);
    MoveToEx(DC, x1, y1, nullptr);
    LineTo(DC, x2, y2);
    SelectObject(DC, old);
    DeleteObject(pen);
  };
  SelectObject(DC, Font()->Handle());
  auto drawTab = [&](int i) {
    TRect r = FTabRects[static_cast<size_t>(i)];
    const bool selected = i == sel;
    if (selected) {
      InflateRect(r, 2, 0);
      r.Top -= 2;
      r.Bottom += 1;
    } else {
      r.Top += 2;
    }
    FillColor(DC, TRect(r.Left, r.Top + 1, r.Right, r.Bottom), Color());
    line(r.Left, r.Bottom - 1, r.Left, r.Top + 2, clBtnHighlight);
    line(r.Left, r.Top + 2, r.Left + 2, r.Top, clBtnHighlight);
    line(r.Left + 2, r.Top, r.Right - 2, r.Top, clBtnHighlight);
    line(r.Right - 2, r.Top + 1, r.Right - 2, r.Bottom, clBtnShadow);
    line(r.Right - 2, r.Top + 1, r.Right - 1, r.Top + 2, cl3DDkShadow);
    line(r.Right - 1, r.Top + 2, r.Right - 1, r.Bottom, cl3DDkShadow);
    TTabSheet* p = tabs[static_cast<size_t>(i)];
    TRect t = r;
    if (selected) t.Top -= 1;
    int textLeft = t.Left;
    if (FImages != nullptr && p->ImageIndex() >= 0) {
      TCanvas c;
      c.SetHandle(DC);
      FImages->Draw(&c, t.Left + 6, t.Top + (t.Height() - FImages->Height()) / 2, p->ImageIndex(), Enabled());
      c.SetHandle(nullptr);
      textLeft += FImages->Width() + 3;
    }
    TRect tt(textLeft, t.Top, t.Right, t.Bottom);
    DrawTextLook(DC, p->Caption(), tt, DT_CENTER | DT_VCENTER | DT_SINGLELINE, Enabled(),
                 p->Highlighted() ? clHighlight : Font()->Color());
    if (selected && Focused()) {
      TRect f = r;
      InflateRect(f, -3, -3);
      f.Bottom -= 1;
      SetTextColor(DC, 0);
      SetBkColor(DC, 0xFFFFFF);
      ::DrawFocusRect(DC, f);
    }
  };
  for (int i = 0; i < static_cast<int>(tabs.size()); ++i)
    if (i != sel) drawTab(i);
  if (sel >= 0 && sel < static_cast<int>(tabs.size())) drawTab(sel);
}

void TPageControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      if (Message.WParam != 0) PaintTabs(reinterpret_cast<HDC>(Message.WParam));
      return;
    case WM_LBUTTONDOWN: {
      const int i = IndexOfTabAt(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
      const auto tabs = VisibleTabs();
      if (i >= 0 && i < static_cast<int>(tabs.size()) && tabs[static_cast<size_t>(i)] != FActivePage) {
        TControlGuard self(this);
        if (CanChange() && self.Alive()) {
          ChangeActivePage(tabs[static_cast<size_t>(i)]);
          Change();
        }
      }
      return;
    }
    case WM_KEYDOWN:
      if (Message.WParam == VK_LEFT || Message.WParam == VK_RIGHT) {
        SelectNextPage(Message.WParam == VK_RIGHT);
        return;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      break;
    default:
      break;
  }
  TWinControl::DefaultHandler(Message);
}

void TPageControl::WMGetDlgCode(TMessageView& Message) { Message.Result = DLGC_WANTARROWS; }

void TPageControl::CMDialogKey(TWMKey& Message) {
  if (Message.CharCode() == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
    TWinControl* focus = FindControl(GetFocus());
    if (focus == this || (focus != nullptr && ContainsControl(focus))) {
      SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
      Message.Result = 1;
      return;
    }
  }
  TWinControl::CMDialogKey(Message);
}

void TPageControl::CMFontChanged(TMessageView& Message) {
  TWinControl::CMFontChanged(Message);
  UpdateTabs();
}

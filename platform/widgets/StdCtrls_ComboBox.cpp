// Combo boxes: TCustomComboBox with its selection field, edit, drop-down button
// and drop-down list (a list box in a pop-up window of its own, TComboListWindow).
#include <algorithm>

#include "platform/ui/ControlWidget_p.h"
#include "platform/gdi/DeviceContext_p.h"
#include "platform/widgets/EditCore_p.h"
#include "platform/widgets/StdCtrls.h"
#include "platform/widgets/StdCtrls_p.h"

using namespace StdCtrlsPrivate;

// ------------------------------------------------------------ TComboListWindow


// The drop-down list of a combo box: a list box in a pop-up window (or, for
// csSimple, a child window below the edit). It never takes the focus; the
// combo box keeps it and moves the list's selection with the keys.
class TComboListWindow : public TCustomListBox {
 public:
  TComboListWindow(TCustomComboBox* Combo, bool Simple)
      : TCustomListBox(nullptr), FCombo(Combo), FSimple(Simple) {
    FInDropDown = true;
    SetTabStop(false);
    FView->setObjectName(QStringLiteral("TComboListWindow"));
    if (!Simple) {
      FVisible = false;
      FView->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
      FView->setAttribute(Qt::WA_ShowWithoutActivating);
    }
  }
  ~TComboListWindow() override { RemoveFilter(); }

  bool Dropped() const { return FSimple || (FView != nullptr && FView->isVisible()); }

  void Fill() {
    FUpdating++;
    ClearEntries();
    for (size_t i = 0; i < FCombo->FTexts.size(); ++i) {
      TEntry e;
      e.Text = FCombo->FTexts[i];
      e.Object = FCombo->FObjects[i];
      FEntries.push_back(e);
    }
    FUpdating--;
    FItemHeight = FCombo->ItemHeight();
    GetFont()->Assign(FCombo->Font());
    Select(FCombo->FItemIndex);
  }

  void Select(int Index) {
    for (auto& e : FEntries) e.Selected = false;
    if (Index >= 0 && Index < Count()) FEntries[static_cast<size_t>(Index)].Selected = true;
    FCaretIndex = Index;
    if (Index >= 0) EnsureVisible(Index);
    Invalidate();
  }

  int Hot() const { return ItemIndex(); }

  void DropDown(bool PressHeld) {
    Fill();
    const int n = std::clamp(Count(), 1, FCombo->DropDownCount());
    const int h = n * std::max(1, ItemHeight()) + 2;
    const int w = std::max(FCombo->Width(), FCombo->FDropWidth);
    const TRect ins = FCombo->NonClientInsets();
    const TPoint org = FCombo->ClientToScreen(TPoint(-ins.Left, -ins.Top));
    int y = org.Y + FCombo->Height();
    if (Screen != nullptr) {
      const TRect wa = Screen->WorkAreaRect();
      if (y + h > wa.Bottom && org.Y - h >= wa.Top) y = org.Y - h;
    }
    HandleNeeded();
    SetBounds(org.X, y, w, h);
    UpdateScrollBar();
    if (FCombo->FItemIndex >= 0) EnsureVisible(FCombo->FItemIndex);
    FPressHeld = PressHeld;
    SetVisible(true);
    FView->show();
    if (!OffscreenPlatform()) FView->raise();
    InstallFilter();
  }

  void CloseUp() {
    RemoveFilter();
    FPressHeld = false;
    if (FView != nullptr && FView->isVisible()) {
      SetVisible(false);
      FView->hide();
    }
  }

 protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomListBox::CreateParams(Params);
    if (!FSimple) {
      Params.Style = (Params.Style & ~(WS_CHILD | WS_TABSTOP)) | WS_POPUP | WS_BORDER;
      Params.ExStyle = (Params.ExStyle & ~WS_EX_CLIENTEDGE) | WS_EX_TOOLWINDOW;
      Params.WndParent = nullptr;
    }
  }

  void UpdateViewVisible() override {
    if (FSimple) {
      TCustomListBox::UpdateViewVisible();
      return;
    }
    if (FView != nullptr) FView->setVisible(FVisible);
  }

  void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override {
    TCanvas* c = FCombo->Canvas();
    c->SetHandle(FCanvas->Handle());
    c->SetFont(FCombo->Font());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FCombo->Color());
    if (State.contains(odSelected)) {
      c->Brush()->SetColor(clHighlight);
      c->Font()->SetColor(clHighlightText);
    }
    FCombo->DrawItem(Index, Rect, State);
    c->SetHandle(nullptr);
  }

  void DefaultHandler(TMessage& Message) override {
    switch (Message.Msg) {
      case WM_MOUSEMOVE: {
        const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        if (FSimple) {
          if ((Message.WParam & MK_LBUTTON) != 0 && FTracking) {
            const int i = ItemAtPos(p, true);
            if (i >= 0 && i != FCombo->FItemIndex) FCombo->ListPicked(i, false);
          }
          return;
        }
        const int i = ItemAtPos(p, true);
        if (i >= 0 && i != ItemIndex()) Select(i);
        return;
      }
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK: {
        const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        if (FSimple) {
          if (!FCombo->Focused() && FCombo->CanFocus()) FCombo->SetFocus();
          const int i = ItemAtPos(p, true);
          if (i >= 0) FCombo->ListPicked(i, false);
          if (Message.Msg == WM_LBUTTONDBLCLK) FCombo->Notify(CBN_DBLCLK);
          FTracking = true;
          SetMouseCapture(true);
          return;
        }
        FPressHeld = true;
        const int i = ItemAtPos(p, true);
        if (i >= 0) Select(i);
        return;
      }
      case WM_LBUTTONUP: {
        const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        if (FSimple) {
          FTracking = false;
          SetMouseCapture(false);
          return;
        }
        const int i = ItemAtPos(p, true);
        if (i >= 0) {
          FCombo->ListPicked(i, true);
          return;
        }
        FPressHeld = false;
        return;
      }
      case WM_SETCURSOR:
        ::SetCursor(CursorOf(crArrow));
        Message.Result = 1;
        return;
      default:
        break;
    }
    TCustomListBox::DefaultHandler(Message);
  }

 private:
  TFont* GetFont() { return Font(); }

  void InstallFilter() {
    if (FFilter != nullptr) return;
    TControlGuard self(this);
    TControlGuard combo(FCombo);
    FFilter = InstallPopupCloser(
        [this, self](const QPoint& g) {
          if (!self.Alive()) return true;
          const QRect r(FView->mapToGlobal(QPoint(0, 0)), FView->size());
          return r.contains(g);
        },
        [this, combo] {
          if (!combo.Alive()) return;
          RunGuarded(FCombo, [this] { FCombo->ShowList(false, true); });
        });
  }

  void RemoveFilter() {
    RemovePopupCloser(FFilter);
    FFilter = nullptr;
  }

  friend class TCustomComboBox;
  TCustomComboBox* FCombo;
  bool FSimple;
  bool FPressHeld = false;
  QObject* FFilter = nullptr;
};

// ------------------------------------------------------------ TComboBoxStrings

int TComboBoxStrings::Add(const QString& S) {
  int i = static_cast<int>(FComboBox->FTexts.size());
  if (FComboBox->FSorted) {
    int lo = 0, hi = i;
    while (lo < hi) {
      const int mid = (lo + hi) / 2;
      if (AnsiCompareText(FComboBox->FTexts[static_cast<size_t>(mid)], S) <= 0) lo = mid + 1;
      else hi = mid;
    }
    i = lo;
  }
  FComboBox->FTexts.insert(FComboBox->FTexts.begin() + i, S);
  FComboBox->FObjects.insert(FComboBox->FObjects.begin() + i, nullptr);
  if (FComboBox->FItemIndex >= i) ++FComboBox->FItemIndex;
  FComboBox->Invalidate();
  return i;
}

void TComboBoxStrings::Clear() {
  FComboBox->FTexts.clear();
  FComboBox->FObjects.clear();
  FComboBox->FItemIndex = -1;
  if (!FComboBox->HasEdit()) FComboBox->Invalidate();
  if (FComboBox->FList != nullptr && FComboBox->FList->Dropped()) FComboBox->FList->Fill();
  FComboBox->Invalidate();
}

void TComboBoxStrings::Delete(int Index) {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
  FComboBox->FTexts.erase(FComboBox->FTexts.begin() + Index);
  FComboBox->FObjects.erase(FComboBox->FObjects.begin() + Index);
  if (FComboBox->FItemIndex == Index) FComboBox->FItemIndex = -1;
  else if (FComboBox->FItemIndex > Index) --FComboBox->FItemIndex;
  if (FComboBox->FList != nullptr && FComboBox->FList->Dropped()) FComboBox->FList->Fill();
  FComboBox->Invalidate();
}

void TComboBoxStrings::Insert(int Index, const QString& S) {
  if (FComboBox->FSorted) throw EListError(QStringLiteral("Operation not allowed on sorted list"));
  if (Index < 0 || Index > GetCount()) ListIndexError(Index);
  FComboBox->FTexts.insert(FComboBox->FTexts.begin() + Index, S);
  FComboBox->FObjects.insert(FComboBox->FObjects.begin() + Index, nullptr);
  if (FComboBox->FItemIndex >= Index) ++FComboBox->FItemIndex;
  FComboBox->Invalidate();
}

int TComboBoxStrings::IndexOf(const QString& S) const {
  for (size_t i = 0; i < FComboBox->FTexts.size(); ++i)
    if (AnsiCompareText(FComboBox->FTexts[i], S) == 0) return static_cast<int>(i);
  return -1;
}

QString TComboBoxStrings::Get(int Index) const {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
  return FComboBox->FTexts[static_cast<size_t>(Index)];
}

int TComboBoxStrings::GetCount() const { return static_cast<int>(FComboBox->FTexts.size()); }

TObject* TComboBoxStrings::GetObject(int Index) const {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
  return FComboBox->FObjects[static_cast<size_t>(Index)];
}

void TComboBoxStrings::PutObject(int Index, TObject* AObject) {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
  FComboBox->FObjects[static_cast<size_t>(Index)] = AObject;
}

void TComboBoxStrings::Put(int Index, const QString& S) {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
  FComboBox->FTexts[static_cast<size_t>(Index)] = S;
  if (Index == FComboBox->FItemIndex && FComboBox->HasEdit()) FComboBox->FEdit->SetText(S, false);
  FComboBox->Invalidate();
}

// ------------------------------------------------------------ TCustomComboBox

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csFixedHeight};
  FView->setObjectName(QStringLiteral("TCustomComboBox"));
  FItems = std::make_unique<TComboBoxStrings>(this);
  FCanvas = std::make_unique<TCanvas>();
  FEdit = std::make_unique<TEditCore>(this);
  FEdit->Area = [this] { return EditRect(); };
  FEdit->Notify = [this](WORD Code) {
    if (Code == EN_CHANGE) Notify(CBN_EDITCHANGE);
  };
  FParentColor = false;
  FColor = clWindow;
  FBrush->SetColor(clWindow);
  SetTabStop(true);
  FList = new TComboListWindow(this, false);
  SetBounds(0, 0, 145, ClosedHeight());
}

TCustomComboBox::~TCustomComboBox() {
  FEdit->Notify = nullptr;
  if (FList != nullptr) {
    FList->CloseUp();
    TComboListWindow* l = FList;
    FList = nullptr;
    if (l->Parent() == nullptr) delete l;
  }
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  switch (FComboStyle) {
    case csDropDown: Params.Style |= CBS_DROPDOWN; break;
    case csSimple: Params.Style |= CBS_SIMPLE; break;
    case csDropDownList: Params.Style |= CBS_DROPDOWNLIST; break;
    case csOwnerDrawFixed: Params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED; break;
    case csOwnerDrawVariable: Params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE; break;
  }
  Params.Style |= CBS_AUTOHSCROLL | CBS_HASSTRINGS;
  if (FSorted) Params.Style |= CBS_SORT;
  if (FCharCase == ecUpperCase) Params.Style |= CBS_UPPERCASE;
  if (FCharCase == ecLowerCase) Params.Style |= CBS_LOWERCASE;
  if (FComboStyle != csSimple) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomComboBox::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyEditStyle();
  LayoutSimpleList();
}

void TCustomComboBox::ApplyEditStyle() {
  FEdit->CharCase = FCharCase == ecUpperCase ? 1 : (FCharCase == ecLowerCase ? 2 : 0);
  FEdit->Limit = FMaxLength;
  FEdit->AreaChanged();
}

int TCustomComboBox::ItemHeight() const {
  if ((FComboStyle == csOwnerDrawFixed || FComboStyle == csOwnerDrawVariable) && FItemHeight > 0)
    return FItemHeight;
  return FItemHeight > 0 ? FItemHeight : FontHeight(Font());
}

void TCustomComboBox::SetItemHeight(int Value) {
  if (Value <= 0) return;
  FItemHeight = Value;
  if (FComboStyle == csOwnerDrawFixed || FComboStyle == csOwnerDrawVariable) FFieldHeight = Value;
  SetBounds(Left(), Top(), Width(), Height());
  Invalidate();
}

int TCustomComboBox::FieldHeight() const { return FFieldHeight > 0 ? FFieldHeight : FontHeight(Font()) + 2; }
int TCustomComboBox::ClosedHeight() const { return FieldHeight() + 6; }

void TCustomComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (FComboStyle == csSimple) {
    FRequestedHeight = AHeight;
  } else {
    AHeight = ClosedHeight();
  }
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  LayoutSimpleList();
}

TRect TCustomComboBox::ButtonRect() const {
  if (FComboStyle == csSimple) return TRect();
  const TRect cr = ClientRect();
  const int w = GetSystemMetrics(SM_CXVSCROLL);
  return TRect(cr.Right - w, cr.Top, cr.Right, cr.Bottom);
}

TRect TCustomComboBox::EditRect() const {
  const TRect cr = ClientRect();
  if (FComboStyle == csSimple) {
    const int h = ClosedHeight();
    const int th = FontHeight(Font());
    const int top = (h - th) / 2;
    return TRect(3, top, cr.Right - 3, top + th);
  }
  const TRect b = ButtonRect();
  const int th = FontHeight(Font());
  const int top = std::max(0, (cr.Height() - th) / 2);
  return TRect(cr.Left + 2, top, b.Left - 1, top + th);
}

void TCustomComboBox::LayoutSimpleList() {
  if (FComboStyle != csSimple || FList == nullptr || FList->Parent() == nullptr) return;
  const int top = ClosedHeight() + 1;
  FList->SetBounds(0, top, Width(), std::max(0, Height() - top));
  FList->Fill();
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (FComboStyle == Value) return;
  ShowList(false, false);
  const bool wasSimple = FComboStyle == csSimple;
  FComboStyle = Value;
  if (wasSimple != (Value == csSimple)) {
    // The list becomes a child below the edit, or a pop-up again.
    delete FList;
    FList = new TComboListWindow(this, Value == csSimple);
    if (Value == csSimple) {
      FList->SetParent(this);
      FList->SetBorderStyle(bsSingle);
    }
  }
  SetClientEdge(this, Value != csSimple);
  if (!HasEdit()) FEdit->SetText(FItemIndex >= 0 ? FTexts[static_cast<size_t>(FItemIndex)] : QString(), false);
  SetBounds(Left(), Top(), Width(), Value == csSimple ? std::max(Height(), 145) : Height());
  Invalidate();
}

bool TCustomComboBox::DroppedDown() const { return FComboStyle != csSimple && FList != nullptr && FList->Dropped(); }

void TCustomComboBox::SetDroppedDown(bool Value) {
  if (Value == DroppedDown()) return;
  ShowList(Value, true);
}

void TCustomComboBox::Notify(WORD Code) { NotifyParent(this, Code); }

void TCustomComboBox::ShowList(bool Show, bool NotifyIt) {
  if (FComboStyle == csSimple || FList == nullptr) return;
  if (Show) {
    if (DroppedDown() || !HandleAllocated()) return;
    TControlGuard self(this);
    if (NotifyIt) Notify(CBN_DROPDOWN);
    if (!self.Alive() || FList == nullptr) return;
    FList->DropDown(FDroppedByMouse);
    FButtonDown = FDroppedByMouse;
    Invalidate();
  } else {
    if (!DroppedDown()) return;
    FList->CloseUp();
    FButtonDown = false;
    Invalidate();
    if (NotifyIt) Notify(CBN_CLOSEUP);
  }
}

void TCustomComboBox::SelectIndex(int Index, bool FromUser) {
  if (Index < -1 || Index >= static_cast<int>(FTexts.size())) return;
  const bool changed = Index != FItemIndex;
  FItemIndex = Index;
  if (HasEdit()) {
    FEdit->SetText(Index >= 0 ? FTexts[static_cast<size_t>(Index)] : QString(), false);
    if (Focused()) FEdit->SelectAll();
  }
  if (FList != nullptr && (FList->Dropped())) FList->Select(Index);
  Invalidate();
  if (FromUser && (changed || Index >= 0)) Notify(CBN_SELCHANGE);
}

void TCustomComboBox::ListPicked(int Index, bool CloseList) {
  TControlGuard self(this);
  if (CloseList && FList != nullptr) {
    FList->CloseUp();
    FButtonDown = false;
  }
  SelectIndex(Index, true);
  if (!self.Alive()) return;
  if (CloseList) Notify(CBN_CLOSEUP);
}

void TCustomComboBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= static_cast<int>(FTexts.size())) Value = -1;
  if (Value == FItemIndex && (Value >= 0 || !HasEdit())) return;
  SelectIndex(Value, false);
}

void TCustomComboBox::SetSorted(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  if (!Value) return;
  const QString sel = FItemIndex >= 0 ? FTexts[static_cast<size_t>(FItemIndex)] : QString();
  std::vector<std::pair<QString, TObject*>> items;
  for (size_t i = 0; i < FTexts.size(); ++i) items.emplace_back(FTexts[i], FObjects[i]);
  std::stable_sort(items.begin(), items.end(),
                   [](const auto& a, const auto& b) { return AnsiCompareText(a.first, b.first) < 0; });
  for (size_t i = 0; i < items.size(); ++i) {
    FTexts[i] = items[i].first;
    FObjects[i] = items[i].second;
  }
  if (FItemIndex >= 0) FItemIndex = FItems->IndexOf(sel);
  Invalidate();
}

void TCustomComboBox::SetMaxLength(int Value) {
  FMaxLength = std::max(0, Value);
  FEdit->Limit = FMaxLength;
}

void TCustomComboBox::SetCharCase(TEditCharCase Value) {
  if (FCharCase == Value) return;
  FCharCase = Value;
  ApplyEditStyle();
}

QString TCustomComboBox::GetText() const {
  if (HasEdit()) return FEdit->Text();
  return FItemIndex >= 0 ? FTexts[static_cast<size_t>(FItemIndex)] : QString();
}

void TCustomComboBox::CMTextChanged(TMessageView& Message) {
  const QString t = FText;
  FText.clear();
  if (HasEdit()) {
    if (FEdit->Text() != t) FEdit->SetText(t, false);
    FItemIndex = FItems->IndexOf(t);
    if (FItemIndex >= 0 && FTexts[static_cast<size_t>(FItemIndex)] != t) FItemIndex = -1;
  } else {
    FItemIndex = FItems->IndexOf(t);
  }
  Invalidate();
  TWinControl::CMTextChanged(Message);
}

int TCustomComboBox::SelStart() const { return HasEdit() ? FEdit->SelStart() : 0; }
void TCustomComboBox::SetSelStart(int Value) {
  if (HasEdit()) FEdit->SetSel(Value, Value);
}
int TCustomComboBox::SelLength() const { return HasEdit() ? FEdit->SelLength() : 0; }
void TCustomComboBox::SetSelLength(int Value) {
  if (HasEdit()) FEdit->SetSel(FEdit->SelStart(), FEdit->SelStart() + Value);
}
QString TCustomComboBox::SelText() const { return HasEdit() ? FEdit->SelText() : QString(); }
void TCustomComboBox::SetSelText(const QString& Value) {
  if (HasEdit()) FEdit->ReplaceSel(Value, false);
}
void TCustomComboBox::SelectAll() {
  if (HasEdit()) FEdit->SelectAll();
}

void TCustomComboBox::Clear() {
  FItems->Clear();
  SetText(QString());
  if (HasEdit()) FEdit->SetText(QString(), false);
}

void TCustomComboBox::AddItem(const QString& Item, TObject* AObject) { FItems->AddObject(Item, AObject); }

int TCustomComboBox::FindPrefix(const QString& Prefix, int After) const {
  const int n = static_cast<int>(FTexts.size());
  for (int k = 1; k <= n; ++k) {
    const int i = (After + k + n) % n;
    if (FTexts[static_cast<size_t>(i)].startsWith(Prefix, Qt::CaseInsensitive)) return i;
  }
  return -1;
}

void TCustomComboBox::Change() {
  TControl::Changed();
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect) OnSelect(this);
  else Change();
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomComboBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
  const bool ownerDraw = FComboStyle == csOwnerDrawFixed || FComboStyle == csOwnerDrawVariable;
  if (ownerDraw && OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  FCanvas->FillRect(Rect);
  if (Index >= 0 && Index < static_cast<int>(FTexts.size())) {
    TRect r = Rect;
    r.Left += 2;
    ::DrawText(FCanvas->Handle(), FTexts[static_cast<size_t>(Index)], -1, r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
}

void TCustomComboBox::CNCommand(TWMCommand& Message) {
  switch (Message.NotifyCode()) {
    case CBN_DBLCLK: DblClick(); break;
    case CBN_EDITCHANGE: Change(); break;
    case CBN_DROPDOWN: DropDown(); break;
    case CBN_SELCHANGE: {
      TControlGuard self(this);
      Click();
      if (self.Alive()) Select();
      break;
    }
    case CBN_CLOSEUP: CloseUp(); break;
    default: break;
  }
}

void TCustomComboBox::WMGetDlgCode(TMessageView& Message) {
  Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (HasEdit()) Message.Result |= DLGC_HASSETSEL;
  if (DroppedDown()) Message.Result |= DLGC_WANTALLKEYS;
}

void TCustomComboBox::CMFontChanged(TMessageView& Message) {
  TWinControl::CMFontChanged(Message);
  FEdit->FontChanged();
  SetBounds(Left(), Top(), Width(), Height());
}

void TCustomComboBox::CMEnabledChanged(TMessageView& Message) {
  if (!Enabled()) ShowList(false, true);
  TWinControl::CMEnabledChanged(Message);
}

void TCustomComboBox::CMExit(TMessageView& Message) {
  ShowList(false, true);
  TWinControl::CMExit(Message);
}

void TCustomComboBox::WMSize(TWMSize& Message) {
  TWinControl::WMSize(Message);
  FEdit->AreaChanged();
  LayoutSimpleList();
}

void TCustomComboBox::PaintCombo(HDC DC) {
  const TRect cr = ClientRect();
  if (FComboStyle == csSimple) {
    TRect e(0, 0, cr.Right, ClosedHeight());
    FillColor(DC, e, Color());
    DrawEdge(DC, e, EDGE_SUNKEN, BF_RECT);
    FEdit->Paint(DC);
    return;
  }
  const TRect b = ButtonRect();
  if (HasEdit()) {
    FEdit->Paint(DC);
  } else {
    TRect f(cr.Left, cr.Top, b.Left, cr.Bottom);
    InflateRect(f, -1, -1);
    const bool focused = Focused() && !DroppedDown();
    TOwnerDrawState st;
    st.Include(odComboBoxEdit);
    if (focused) {
      st.Include(odSelected);
      st.Include(odFocused);
    }
    if (!Enabled()) st.Include(odDisabled);
    FCanvas->SetHandle(DC);
    FCanvas->SetFont(Font());
    FCanvas->Brush()->SetStyle(bsSolid);
    FCanvas->Brush()->SetColor(Color());
    if (focused) {
      FCanvas->Brush()->SetColor(clHighlight);
      FCanvas->Font()->SetColor(clHighlightText);
    } else if (!Enabled()) {
      FCanvas->Font()->SetColor(clGrayText);
    }
    DrawItem(FItemIndex, f, st);
    FCanvas->SetHandle(nullptr);
    if (focused) {
      SetTextColor(DC, 0);
      SetBkColor(DC, 0xFFFFFF);
      ::DrawFocusRect(DC, f);
    }
  }
  UINT state = DFCS_SCROLLCOMBOBOX;
  if (FButtonDown) state |= DFCS_PUSHED | DFCS_FLAT;
  if (!Enabled()) state |= DFCS_INACTIVE;
  DrawFrameControl(DC, b, DFC_SCROLL, state);
}

void TCustomComboBox::DefaultHandler(TMessage& Message) {
  const int count = static_cast<int>(FTexts.size());
  switch (Message.Msg) {
    case WM_PAINT:
      if (Message.WParam != 0) PaintCombo(reinterpret_cast<HDC>(Message.WParam));
      return;
    case WM_SETCURSOR:
      if (HasEdit() && static_cast<int16_t>(LoWord(static_cast<uintptr_t>(Message.LParam))) == HTCLIENT) {
        TPoint p;
        GetCursorPos(&p);
        p = ScreenToClient(p);
        if (!PtInRect(ButtonRect(), p)) {
          ::SetCursor(CursorOf(crIBeam));
          Message.Result = 1;
          return;
        }
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (!Focused() && CanFocus()) SetFocus();
      const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
      if (FComboStyle == csSimple || (HasEdit() && !PtInRect(ButtonRect(), p))) {
        FEdit->HandleMessage(Message);
        SetMouseCapture(true);
        return;
      }
      if (DroppedDown()) {
        ShowList(false, true);
      } else {
        FDroppedByMouse = true;
        ShowList(true, true);
        FDroppedByMouse = false;
      }
      return;
    }
    case WM_MOUSEMOVE:
      if (HasEdit()) FEdit->HandleMessage(Message);
      break;
    case WM_LBUTTONUP:
      if (HasEdit()) FEdit->HandleMessage(Message);
      if (MouseCapture()) SetMouseCapture(false);
      if (FButtonDown) {
        FButtonDown = false;
        Invalidate();
      }
      return;
    case WM_MOUSEWHEEL: {
      const int delta = static_cast<int16_t>(HiWord(Message.WParam));
      if (DroppedDown()) {
        FList->Perform(WM_MOUSEWHEEL, Message.WParam, Message.LParam);
      } else if (count > 0 && delta != 0) {
        const int step = delta > 0 ? -1 : 1;
        const int to = std::clamp(FItemIndex + step, 0, count - 1);
        if (to != FItemIndex) SelectIndex(to, true);
      }
      Message.Result = 1;
      return;
    }
    case WM_SYSKEYDOWN:
      if (FComboStyle != csSimple && (Message.WParam == VK_DOWN || Message.WParam == VK_UP)) {
        ShowList(!DroppedDown(), true);
        return;
      }
      break;
    case WM_KEYDOWN: {
      const WORD k = static_cast<WORD>(Message.WParam);
      if (k == VK_F4 && FComboStyle != csSimple) {
        ShowList(!DroppedDown(), true);
        return;
      }
      const bool dropped = DroppedDown();
      if (dropped && (k == VK_RETURN || k == VK_ESCAPE)) {
        ShowList(false, true);
        return;
      }
      const bool listKeys = !HasEdit() || dropped || FComboStyle == csSimple;
      int to = -2;
      const int page = std::max(1, FDropDownCount - 1);
      switch (k) {
        case VK_UP: to = FItemIndex <= 0 ? 0 : FItemIndex - 1; break;
        case VK_DOWN: to = FItemIndex < 0 ? 0 : FItemIndex + 1; break;
        case VK_LEFT: if (!HasEdit()) to = FItemIndex <= 0 ? 0 : FItemIndex - 1; break;
        case VK_RIGHT: if (!HasEdit()) to = FItemIndex < 0 ? 0 : FItemIndex + 1; break;
        case VK_PRIOR: if (listKeys) to = std::max(0, FItemIndex - page); break;
        case VK_NEXT: if (listKeys) to = FItemIndex + page; break;
        case VK_HOME: if (!HasEdit()) to = 0; break;
        case VK_END: if (!HasEdit()) to = count - 1; break;
        default: break;
      }
      if (to != -2) {
        if (count > 0) {
          to = std::clamp(to, 0, count - 1);
          if (to != FItemIndex) SelectIndex(to, true);
        }
        return;
      }
      if (HasEdit() && FEdit->HandleMessage(Message)) return;
      break;
    }
    case WM_CHAR: {
      const QChar c(static_cast<char16_t>(Message.WParam));
      if (c.unicode() == 13 || c.unicode() == 27) return;
      if (HasEdit()) {
        if (FAutoComplete && c.unicode() >= 32 && FComboStyle == csDropDown) {
          // The typed text is completed with the first item that starts with it.
          const QString typed = FEdit->Text().left(FEdit->SelStart()) + c;
          int found = -1;
          for (int i = 0; i < count; ++i)
            if (FTexts[static_cast<size_t>(i)].startsWith(typed, Qt::CaseInsensitive)) {
              found = i;
              break;
            }
          if (found >= 0 && FEdit->SelEnd() == FEdit->Text().size()) {
            const QString item = FTexts[static_cast<size_t>(found)];
            const bool changed = found != FItemIndex;
            FItemIndex = found;
            FEdit->SetText(typed + item.mid(typed.size()), false);
            FEdit->SetSel(typed.size(), -1);
            Invalidate();
            if (changed) Notify(CBN_SELCHANGE);
            return;
          }
        }
        FEdit->HandleMessage(Message);
        return;
      }
      if (c.unicode() < 32 || count == 0) return;
      // A drop-down list finds the next item starting with the characters typed.
      const int64_t now = GetTickCount64();
      if (now - FSearchTime > 1000) FSearch.clear();
      FSearchTime = now;
      FSearch += c;
      const int i = FindPrefix(FSearch, FSearch.size() == 1 ? FItemIndex : FItemIndex - 1);
      if (i >= 0 && i != FItemIndex) SelectIndex(i, true);
      return;
    }
    case WM_SETFOCUS:
      if (HasEdit()) FEdit->SelectAll();
      Invalidate();
      Notify(CBN_SETFOCUS);
      break;
    case WM_KILLFOCUS:
      ShowList(false, true);
      if (HasEdit()) FEdit->SetSel(-1, 0);
      Invalidate();
      Notify(CBN_KILLFOCUS);
      break;
    case WM_COPY:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
      if (HasEdit()) FEdit->HandleMessage(Message);
      return;
    case CB_GETCOUNT: Message.Result = count; return;
    case CB_GETCURSEL: Message.Result = FItemIndex; return;
    case CB_SETCURSEL:
      SetItemIndex(static_cast<int>(static_cast<intptr_t>(Message.WParam)));
      Message.Result = FItemIndex;
      return;
    case CB_SHOWDROPDOWN: ShowList(Message.WParam != 0, true); Message.Result = 1; return;
    case CB_GETDROPPEDSTATE: Message.Result = DroppedDown() ? 1 : 0; return;
    case CB_SETITEMHEIGHT:
      if (static_cast<intptr_t>(Message.WParam) == -1 || static_cast<int>(Message.WParam) == -1) {
        FFieldHeight = std::max(1, static_cast<int>(Message.LParam));
        SetBounds(Left(), Top(), Width(), Height());
      } else {
        FItemHeight = std::max(1, static_cast<int>(Message.LParam));
      }
      Invalidate();
      return;
    case CB_GETITEMHEIGHT:
      Message.Result = static_cast<int>(Message.WParam) == -1 ? FieldHeight() : ItemHeight();
      return;
    case CB_SETDROPPEDWIDTH: FDropWidth = static_cast<int>(Message.WParam); Message.Result = FDropWidth; return;
    case CB_GETDROPPEDWIDTH: Message.Result = std::max(FDropWidth, Width()); return;
    case CB_GETDROPPEDCONTROLRECT:
      if (Message.LParam != 0) {
        const TRect ins = NonClientInsets();
        const TPoint o = ClientToScreen(TPoint(-ins.Left, -ins.Top));
        *reinterpret_cast<TRect*>(Message.LParam) =
            TRect(o.X, o.Y, o.X + std::max(Width(), FDropWidth),
                  o.Y + Height() + std::clamp(count, 1, FDropDownCount) * ItemHeight() + 2);
      }
      Message.Result = 1;
      return;
    case CB_SETEDITSEL:
      if (HasEdit()) FEdit->SetSel(static_cast<int16_t>(LoWord(static_cast<uintptr_t>(Message.LParam))),
                                   static_cast<int16_t>(HiWord(static_cast<uintptr_t>(Message.LParam))));
      Message.Result = 1;
      return;
    case CB_GETEDITSEL:
      if (Message.WParam != 0) *reinterpret_cast<int*>(Message.WParam) = SelStart();
      if (Message.LParam != 0) *reinterpret_cast<int*>(Message.LParam) = SelStart() + SelLength();
      Message.Result = MAKELPARAM(SelStart(), SelStart() + SelLength());
      return;
    case CB_LIMITTEXT: SetMaxLength(static_cast<int>(Message.WParam)); Message.Result = 1; return;
    case CB_ADDSTRING:
      Message.Result = Message.LParam != 0 ? FItems->Add(*reinterpret_cast<const QString*>(Message.LParam)) : CB_ERR;
      return;
    case CB_INSERTSTRING: {
      int i = static_cast<int>(static_cast<intptr_t>(Message.WParam));
      if (i < 0 || i > count) i = count;
      const QString s = Message.LParam != 0 ? *reinterpret_cast<const QString*>(Message.LParam) : QString();
      FTexts.insert(FTexts.begin() + i, s);
      FObjects.insert(FObjects.begin() + i, nullptr);
      if (FItemIndex >= i) ++FItemIndex;
      Message.Result = i;
      return;
    }
    case CB_DELETESTRING: {
      const int i = static_cast<int>(Message.WParam);
      if (i >= 0 && i < count) FItems->Delete(i);
      Message.Result = static_cast<LRESULT>(FTexts.size());
      return;
    }
    case CB_RESETCONTENT: FItems->Clear(); return;
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
    case CB_SELECTSTRING: {
      if (Message.LParam == 0 || count == 0) {
        Message.Result = CB_ERR;
        return;
      }
      const QString s = *reinterpret_cast<const QString*>(Message.LParam);
      const int after = static_cast<int>(static_cast<intptr_t>(Message.WParam));
      int found = CB_ERR;
      for (int k = 1; k <= count; ++k) {
        const int i = (after + k + count) % count;
        const QString& t = FTexts[static_cast<size_t>(i)];
        const bool hit = Message.Msg == CB_FINDSTRINGEXACT ? AnsiCompareText(t, s) == 0
                                                            : t.startsWith(s, Qt::CaseInsensitive);
        if (hit) {
          found = i;
          break;
        }
      }
      if (Message.Msg == CB_SELECTSTRING && found >= 0) SetItemIndex(found);
      Message.Result = found;
      return;
    }
    case CB_GETLBTEXT: {
      const int i = static_cast<int>(Message.WParam);
      if (i < 0 || i >= count || Message.LParam == 0) {
        Message.Result = CB_ERR;
        return;
      }
      *reinterpret_cast<QString*>(Message.LParam) = FTexts[static_cast<size_t>(i)];
      Message.Result = FTexts[static_cast<size_t>(i)].size();
      return;
    }
    case CB_GETITEMDATA: {
      const int i = static_cast<int>(Message.WParam);
      Message.Result = (i >= 0 && i < count) ? reinterpret_cast<LRESULT>(FObjects[static_cast<size_t>(i)]) : CB_ERR;
      return;
    }
    case CB_SETITEMDATA: {
      const int i = static_cast<int>(Message.WParam);
      if (i >= 0 && i < count) FObjects[static_cast<size_t>(i)] = reinterpret_cast<TObject*>(Message.LParam);
      return;
    }
    default:
      if (HasEdit() && Message.Msg >= EM_GETSEL && Message.Msg <= EM_CHARFROMPOS && FEdit->HandleMessage(Message))
        return;
      break;
  }
  TWinControl::DefaultHandler(Message);
}

TCustomListBox* TCustomComboBox::DropDownList() const { return FList; }

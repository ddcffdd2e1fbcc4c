// List boxes and combo boxes: TCustomListBox with its items, TCustomComboBox
// with its selection field, edit, drop-down button and drop-down list (a list
// box in a pop-up window of its own, TComboListWindow).
#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <algorithm>

#include "platform/ui/ControlWidget_p.h"
#include "platform/gdi/DeviceContext_p.h"
#include "platform/widgets/EditCore_p.h"
#include "platform/widgets/StdCtrls.h"
#include "platform/widgets/StdCtrls_p.h"

using namespace StdCtrlsPrivate;

namespace {
[[noreturn]] void IndexError(int Index) {
  throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}
}  // namespace

// ------------------------------------------------------------ TListBoxStrings

int TListBoxStrings::Add(const QString& S) {
  const int i = FListBox->FSorted ? FListBox->SortedPosition(S) : FListBox->Count();
  return FListBox->InsertEntry(i, S, nullptr);
}

void TListBoxStrings::Clear() { FListBox->ClearEntries(); }

void TListBoxStrings::Delete(int Index) {
  if (Index < 0 || Index >= FListBox->Count()) IndexError(Index);
  FListBox->RemoveEntry(Index);
}

void TListBoxStrings::Insert(int Index, const QString& S) {
  if (FListBox->FSorted) throw EListError(QStringLiteral("Operation not allowed on sorted list"));
  if (Index < 0 || Index > FListBox->Count()) IndexError(Index);
  FListBox->InsertEntry(Index, S, nullptr);
}

void TListBoxStrings::Exchange(int Index1, int Index2) {
  auto& e = FListBox->FEntries;
  if (Index1 < 0 || Index1 >= FListBox->Count()) IndexError(Index1);
  if (Index2 < 0 || Index2 >= FListBox->Count()) IndexError(Index2);
  std::swap(e[static_cast<size_t>(Index1)].Text, e[static_cast<size_t>(Index2)].Text);
  std::swap(e[static_cast<size_t>(Index1)].Object, e[static_cast<size_t>(Index2)].Object);
  FListBox->ItemsChanged();
}

void TListBoxStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  auto& e = FListBox->FEntries;
  if (CurIndex < 0 || CurIndex >= FListBox->Count()) IndexError(CurIndex);
  if (NewIndex < 0 || NewIndex >= FListBox->Count()) IndexError(NewIndex);
  auto item = e[static_cast<size_t>(CurIndex)];
  e.erase(e.begin() + CurIndex);
  e.insert(e.begin() + NewIndex, item);
  FListBox->ItemsChanged();
}

QString TListBoxStrings::Get(int Index) const {
  if (Index < 0 || Index >= FListBox->Count()) IndexError(Index);
  return FListBox->FEntries[static_cast<size_t>(Index)].Text;
}

int TListBoxStrings::GetCount() const { return FListBox->Count(); }

TObject* TListBoxStrings::GetObject(int Index) const {
  if (Index < 0 || Index >= FListBox->Count()) IndexError(Index);
  return FListBox->FEntries[static_cast<size_t>(Index)].Object;
}

void TListBoxStrings::Put(int Index, const QString& S) {
  if (Index < 0 || Index >= FListBox->Count()) IndexError(Index);
  // The item is replaced (deleted and inserted again), keeping its object and selection.
  auto e = FListBox->FEntries[static_cast<size_t>(Index)];
  e.Text = S;
  FListBox->FEntries[static_cast<size_t>(Index)] = e;
  FListBox->ItemsChanged();
}

void TListBoxStrings::PutObject(int Index, TObject* AObject) {
  if (Index < 0 || Index >= FListBox->Count()) IndexError(Index);
  FListBox->FEntries[static_cast<size_t>(Index)].Object = AObject;
}

void TListBoxStrings::SetUpdateState(bool Updating) {
  if (Updating) {
    ++FListBox->FUpdating;
  } else {
    if (FListBox->FUpdating > 0) --FListBox->FUpdating;
    if (FListBox->FUpdating == 0) FListBox->ItemsChanged();
  }
}

// ------------------------------------------------------------ TCustomListBox

TCustomListBox::TCustomListBox(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csOpaque};
  FView->setObjectName(QStringLiteral("TCustomListBox"));
  FItems = std::make_unique<TListBoxStrings>(this);
  FCanvas = std::make_unique<TCanvas>();
  FParentColor = false;
  FColor = clWindow;
  FBrush->SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 121, 97);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.Style |= LBS_NOTIFY | LBS_HASSTRINGS;
  if (FSorted) Params.Style |= LBS_SORT;
  if (FMultiSelect) Params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (FListStyle == lbOwnerDrawFixed) Params.Style |= LBS_OWNERDRAWFIXED;
  if (FListStyle == lbOwnerDrawVariable) Params.Style |= LBS_OWNERDRAWVARIABLE;
  if (!FIntegralHeight) Params.Style |= LBS_NOINTEGRALHEIGHT;
  if (FBorderStyle == bsSingle) Params.ExStyle |= WS_EX_CLIENTEDGE;
}

int TCustomListBox::ItemHeight() const {
  if ((FListStyle == lbOwnerDrawFixed || FListStyle == lbOwnerDrawVariable || FListStyle == lbVirtualOwnerDraw) &&
      FItemHeight > 0)
    return FItemHeight;
  if (FItemHeight > 0 && FInDropDown) return FItemHeight;
  return FontHeight(Font());
}

void TCustomListBox::SetItemHeight(int Value) {
  if (Value <= 0 || Value == FItemHeight) return;
  FItemHeight = Value;
  UpdateScrollBar();
  Invalidate();
}

int TCustomListBox::EntryHeight(int Index) const {
  if (FListStyle == lbOwnerDrawVariable && Index >= 0 && Index < Count()) {
    const int h = FEntries[static_cast<size_t>(Index)].Height;
    if (h > 0) return h;
  }
  return std::max(1, ItemHeight());
}

int TCustomListBox::InsertEntry(int Index, const QString& S, TObject* O) {
  TEntry e;
  e.Text = S;
  e.Object = O;
  FEntries.insert(FEntries.begin() + Index, e);
  if (FListStyle == lbOwnerDrawVariable) {
    int h = ItemHeight();
    MeasureItem(Index, h);
    FEntries[static_cast<size_t>(Index)].Height = h;
  }
  if (FCaretIndex >= Index) ++FCaretIndex;
  if (FAnchorIndex >= Index) ++FAnchorIndex;
  ItemsChanged();
  return Index;
}

void TCustomListBox::RemoveEntry(int Index) {
  DeleteEntry(Index);
  FEntries.erase(FEntries.begin() + Index);
  if (FCaretIndex == Index) FCaretIndex = -1;
  else if (FCaretIndex > Index) --FCaretIndex;
  if (FAnchorIndex >= Index) FAnchorIndex = std::max(-1, FAnchorIndex - 1);
  ItemsChanged();
}

void TCustomListBox::ClearEntries() {
  for (int i = Count() - 1; i >= 0; --i) DeleteEntry(i);
  FEntries.clear();
  FCaretIndex = -1;
  FAnchorIndex = -1;
  FTopIndex = 0;
  ItemsChanged();
}

void TCustomListBox::ItemsChanged() {
  if (FUpdating > 0) return;
  FTopIndex = std::clamp(FTopIndex, 0, std::max(0, Count() - 1));
  UpdateScrollBar();
  Invalidate();
}

int TCustomListBox::SortedPosition(const QString& S) const {
  int lo = 0, hi = Count();
  while (lo < hi) {
    const int mid = (lo + hi) / 2;
    if (AnsiCompareText(FEntries[static_cast<size_t>(mid)].Text, S) <= 0) lo = mid + 1;
    else hi = mid;
  }
  return lo;
}

void TCustomListBox::SetSorted(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  if (Value) {
    std::stable_sort(FEntries.begin(), FEntries.end(),
                     [](const TEntry& a, const TEntry& b) { return AnsiCompareText(a.Text, b.Text) < 0; });
    ItemsChanged();
  }
}

int TCustomListBox::ItemIndex() const {
  if (FMultiSelect) return FCaretIndex;
  for (int i = 0; i < Count(); ++i)
    if (FEntries[static_cast<size_t>(i)].Selected) return i;
  return -1;
}

void TCustomListBox::SetItemIndex(int Value) {
  if (ItemIndex() == Value) return;
  if (Value < -1 || Value >= Count()) Value = -1;
  if (FMultiSelect) {
    FCaretIndex = Value;
  } else {
    for (auto& e : FEntries) e.Selected = false;
    if (Value >= 0) FEntries[static_cast<size_t>(Value)].Selected = true;
    FCaretIndex = Value;
  }
  FAnchorIndex = Value;
  if (Value >= 0) EnsureVisible(Value);
  Invalidate();
}

void TCustomListBox::SetMultiSelect(bool Value) {
  if (FMultiSelect == Value) return;
  const int keep = ItemIndex();
  FMultiSelect = Value;
  if (!Value) {
    for (auto& e : FEntries) e.Selected = false;
    if (keep >= 0) FEntries[static_cast<size_t>(keep)].Selected = true;
  }
  Invalidate();
}

bool TCustomListBox::Selected(int Index) const {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  return FEntries[static_cast<size_t>(Index)].Selected;
}

void TCustomListBox::SetSelected(int Index, bool Value) {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  if (!FMultiSelect) {
    if (Value) SetItemIndex(Index);
    else if (ItemIndex() == Index) SetItemIndex(-1);
    return;
  }
  FEntries[static_cast<size_t>(Index)].Selected = Value;
  Invalidate();
}

int TCustomListBox::SelCount() const {
  if (!FMultiSelect) return -1;
  int n = 0;
  for (const auto& e : FEntries)
    if (e.Selected) ++n;
  return n;
}

void TCustomListBox::SetTopIndex(int Value) {
  const int maxTop = std::max(0, Count() - VisibleCount());
  Value = std::clamp(Value, 0, std::max(0, std::max(maxTop, 0)));
  if (Value == FTopIndex) return;
  FTopIndex = Value;
  UpdateScrollBar();
  Invalidate();
}

void TCustomListBox::SetStyle(TListBoxStyle Value) {
  if (FListStyle == Value) return;
  FListStyle = Value;
  if (Value == lbOwnerDrawVariable)
    for (int i = 0; i < Count(); ++i) {
      int h = ItemHeight();
      MeasureItem(i, h);
      FEntries[static_cast<size_t>(i)].Height = h;
    }
  ItemsChanged();
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  SetClientEdge(this, Value == bsSingle);
}

int TCustomListBox::VisibleCount() const {
  const int h = ClientHeight();
  if (FListStyle != lbOwnerDrawVariable) return std::max(1, h / std::max(1, ItemHeight()));
  int n = 0, y = 0;
  for (int i = FTopIndex; i < Count(); ++i) {
    y += EntryHeight(i);
    if (y > h) break;
    ++n;
  }
  return std::max(1, n);
}

int TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing) const {
  const TRect cr = ClientRect();
  if (Existing && !PtInRect(cr, Pos)) return -1;
  int y = 0;
  int i = FTopIndex;
  if (Pos.Y < 0) return Existing ? -1 : FTopIndex;
  for (; i < Count(); ++i) {
    const int h = EntryHeight(i);
    if (Pos.Y < y + h) return i;
    y += h;
  }
  return Existing ? -1 : Count();
}

TRect TCustomListBox::ItemRect(int Index) const {
  const int w = ClientWidth();
  if (Index < FTopIndex) {
    int y = 0;
    for (int i = Index; i < FTopIndex; ++i) y -= EntryHeight(i);
    return TRect(0, y, w, y + EntryHeight(Index));
  }
  int y = 0;
  for (int i = FTopIndex; i < Index && i < Count(); ++i) y += EntryHeight(i);
  return TRect(0, y, w, y + EntryHeight(Index));
}

void TCustomListBox::EnsureVisible(int Index) {
  if (Index < 0 || Index >= Count()) return;
  if (Index < FTopIndex) {
    SetTopIndex(Index);
    return;
  }
  const int h = ClientHeight();
  int top = FTopIndex;
  auto bottomOf = [&](int t) {
    int y = 0;
    for (int i = t; i <= Index; ++i) y += EntryHeight(i);
    return y;
  };
  while (top < Index && bottomOf(top) > h) ++top;
  SetTopIndex(top);
}

void TCustomListBox::UpdateScrollBar() {
  if (!HandleAllocated()) return;
  SCROLLINFO si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = std::max(0, Count() - 1);
  si.nPage = static_cast<UINT>(VisibleCount());
  si.nPos = FTopIndex;
  SetScrollInfo(View(), SB_VERT, si, true);
}

void TCustomListBox::Clear() { FItems->Clear(); }

void TCustomListBox::ClearSelection() {
  if (FMultiSelect) {
    for (auto& e : FEntries) e.Selected = false;
    Invalidate();
  } else {
    SetItemIndex(-1);
  }
}

void TCustomListBox::SelectAll() {
  if (!FMultiSelect) return;
  for (auto& e : FEntries) e.Selected = true;
  Invalidate();
}

void TCustomListBox::DeleteSelected() {
  if (FMultiSelect) {
    for (int i = Count() - 1; i >= 0; --i)
      if (FEntries[static_cast<size_t>(i)].Selected) FItems->Delete(i);
  } else if (ItemIndex() >= 0) {
    FItems->Delete(ItemIndex());
  }
}

void TCustomListBox::AddItem(const QString& Item, TObject* AObject) { FItems->AddObject(Item, AObject); }

void TCustomListBox::MeasureItem(int Index, int& Height) {
  if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

void TCustomListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
  const bool ownerDraw = FListStyle == lbOwnerDrawFixed || FListStyle == lbOwnerDrawVariable || FListStyle == lbVirtualOwnerDraw;
  if (ownerDraw && OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  FCanvas->FillRect(Rect);
  if (Index < Count()) {
    Rect.Left += 2 + ItemTextOffset();
    ::DrawText(FCanvas->Handle(), FEntries[static_cast<size_t>(Index)].Text, -1, Rect,
               DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
}

void TCustomListBox::PaintList(HDC DC) {
  const TRect cr = ClientRect();
  const bool focused = Focused() || FInDropDown;
  FCanvas->SetHandle(DC);
  int y = 0;
  for (int i = FTopIndex; i < Count() && y < cr.Bottom; ++i) {
    const int h = EntryHeight(i);
    const TRect r(0, y, cr.Right, y + h);
    TOwnerDrawState st;
    const TEntry& e = FEntries[static_cast<size_t>(i)];
    if (e.Selected) st.Include(odSelected);
    if (!Enabled() || !e.Enabled) st.Include(odDisabled);
    const bool caret = i == FCaretIndex && focused && !FInDropDown;
    if (caret) st.Include(odFocused);
    FCanvas->SetFont(Font());
    FCanvas->Brush()->SetStyle(bsSolid);
    FCanvas->Brush()->SetColor(Color());
    if (e.Selected) {
      FCanvas->Brush()->SetColor(clHighlight);
      FCanvas->Font()->SetColor(clHighlightText);
    } else if (!Enabled() || !e.Enabled) {
      FCanvas->Font()->SetColor(clGrayText);
    }
    DrawItem(i, r, st);
    if (caret) {
      SetTextColor(DC, 0);
      SetBkColor(DC, 0xFFFFFF);
      ::DrawFocusRect(DC, r);
    }
    y += h;
  }
  // An empty focused list shows the focus rectangle on its first line.
  if (Count() == 0 && Focused() && !FInDropDown) {
    SetTextColor(DC, 0);
    SetBkColor(DC, 0xFFFFFF);
    ::DrawFocusRect(DC, TRect(0, 0, cr.Right, EntryHeight(0)));
  }
  FCanvas->SetHandle(nullptr);
}

void TCustomListBox::NotifySelChange() { NotifyParent(this, LBN_SELCHANGE); }

void TCustomListBox::SelectFromUser(int Index, bool Shift, bool Ctrl, bool Toggle) {
  if (Index < 0 || Index >= Count()) return;
  std::vector<bool> before;
  before.reserve(FEntries.size());
  for (const auto& e : FEntries) before.push_back(e.Selected);
  const int oldCaret = FCaretIndex;
  if (!FMultiSelect) {
    for (auto& e : FEntries) e.Selected = false;
    FEntries[static_cast<size_t>(Index)].Selected = true;
    FAnchorIndex = Index;
  } else if (!FExtendedSelect || Toggle) {
    if (Toggle || !FExtendedSelect) {
      FEntries[static_cast<size_t>(Index)].Selected = !FEntries[static_cast<size_t>(Index)].Selected;
      FAnchorIndex = Index;
    }
  } else if (Shift) {
    const int a = FAnchorIndex >= 0 ? FAnchorIndex : Index;
    if (!Ctrl)
      for (auto& e : FEntries) e.Selected = false;
    for (int i = std::min(a, Index); i <= std::max(a, Index); ++i) FEntries[static_cast<size_t>(i)].Selected = true;
  } else if (Ctrl) {
    FEntries[static_cast<size_t>(Index)].Selected = !FEntries[static_cast<size_t>(Index)].Selected;
    FAnchorIndex = Index;
  } else {
    for (auto& e : FEntries) e.Selected = false;
    FEntries[static_cast<size_t>(Index)].Selected = true;
    FAnchorIndex = Index;
  }
  FCaretIndex = Index;
  EnsureVisible(Index);
  Invalidate();
  bool changed = oldCaret != FCaretIndex && FMultiSelect;
  for (size_t i = 0; i < FEntries.size() && !changed; ++i) changed = before[i] != FEntries[i].Selected;
  if (changed) NotifySelChange();
}

void TCustomListBox::MoveCaretBy(int Delta, TShiftState Shift) {
  if (Count() == 0) return;
  int from = FCaretIndex;
  if (from < 0) from = Delta > 0 ? -1 : Count();
  const int to = std::clamp(from + Delta, 0, Count() - 1);
  if (FMultiSelect && !FExtendedSelect) {
    FCaretIndex = to;
    EnsureVisible(to);
    Invalidate();
    return;
  }
  if (FMultiSelect && Shift.contains(ssCtrl) && !Shift.contains(ssShift)) {
    FCaretIndex = to;
    EnsureVisible(to);
    Invalidate();
    return;
  }
  SelectFromUser(to, Shift.contains(ssShift), false, false);
}

void TCustomListBox::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT:
      if (Message.WParam != 0) PaintList(reinterpret_cast<HDC>(Message.WParam));
      return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (!Focused() && CanFocus()) SetFocus();
      const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
      const int i = ItemAtPos(p, true);
      if (Message.Msg == WM_LBUTTONDBLCLK && i >= 0) {
        NotifyParent(this, LBN_DBLCLK);
        return;
      }
      if (i >= 0 && !ItemClicked(i, p))
        SelectFromUser(i, (Message.WParam & MK_SHIFT) != 0, (Message.WParam & MK_CONTROL) != 0, false);
      FTracking = true;
      SetMouseCapture(true);
      return;
    }
    case WM_MOUSEMOVE:
      if (FTracking && (Message.WParam & MK_LBUTTON) != 0 && (!FMultiSelect || FExtendedSelect)) {
        const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        int i = ItemAtPos(p, false);
        if (i >= Count()) i = Count() - 1;
        if (i >= 0 && i != FCaretIndex) SelectFromUser(i, FMultiSelect, FMultiSelect, false);
      }
      break;
    case WM_LBUTTONUP:
      if (FTracking) {
        FTracking = false;
        SetMouseCapture(false);
      }
      return;
    case WM_CAPTURECHANGED:
      FTracking = false;
      break;
    case WM_KEYDOWN: {
      const TShiftState shift = KeyDataToShiftState(static_cast<int32_t>(Message.LParam));
      switch (Message.WParam) {
        case VK_UP: MoveCaretBy(-1, shift); return;
        case VK_DOWN: MoveCaretBy(1, shift); return;
        case VK_PRIOR: MoveCaretBy(-std::max(1, VisibleCount() - 1), shift); return;
        case VK_NEXT: MoveCaretBy(std::max(1, VisibleCount() - 1), shift); return;
        case VK_HOME: MoveCaretBy(-Count(), shift); return;
        case VK_END: MoveCaretBy(Count(), shift); return;
        case VK_LEFT: MoveCaretBy(-1, shift); return;
        case VK_RIGHT: MoveCaretBy(1, shift); return;
        case VK_SPACE:
          if (FCaretIndex >= 0 && ItemSpace(FCaretIndex)) return;
          if (FMultiSelect && FCaretIndex >= 0) SelectFromUser(FCaretIndex, false, true, true);
          return;
        default: break;
      }
      break;
    }
    case WM_CHAR: {
      const QChar c(static_cast<char16_t>(Message.WParam));
      if (c.unicode() < 32 || Count() == 0) return;
      // Typing finds the next item starting with the characters typed in quick succession.
      static uint32_t lastTick = 0;
      const uint32_t now = GetTickCount();
      if (now - lastTick > 1000) FSearch.clear();
      lastTick = now;
      FSearch += c;
      const int start = FSearch.size() == 1 ? FCaretIndex + 1 : std::max(0, FCaretIndex);
      for (int k = 0; k < Count(); ++k) {
        const int i = (start + k) % Count();
        if (FEntries[static_cast<size_t>(i)].Text.startsWith(FSearch, Qt::CaseInsensitive)) {
          if (FMultiSelect && FExtendedSelect) SelectFromUser(i, false, false, false);
          else if (FMultiSelect) {
            FCaretIndex = i;
            EnsureVisible(i);
            Invalidate();
          } else {
            SelectFromUser(i, false, false, false);
          }
          break;
        }
      }
      return;
    }
    case WM_VSCROLL: {
      int top = FTopIndex;
      const int page = std::max(1, VisibleCount() - 1);
      switch (LoWord(Message.WParam)) {
        case SB_LINEUP: --top; break;
        case SB_LINEDOWN: ++top; break;
        case SB_PAGEUP: top -= page; break;
        case SB_PAGEDOWN: top += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: top = static_cast<int16_t>(HiWord(Message.WParam)); break;
        case SB_TOP: top = 0; break;
        case SB_BOTTOM: top = Count(); break;
        default: return;
      }
      SetTopIndex(top);
      return;
    }
    case WM_MOUSEWHEEL: {
      const int delta = static_cast<int16_t>(HiWord(Message.WParam));
      SetTopIndex(FTopIndex - (delta / WHEEL_DELTA) * 3);
      Message.Result = 1;
      return;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      Invalidate();
      break;
    case LB_GETCOUNT: Message.Result = Count(); return;
    case LB_GETCURSEL: Message.Result = FMultiSelect ? LB_ERR : ItemIndex(); return;
    case LB_SETCURSEL: SetItemIndex(static_cast<int>(static_cast<intptr_t>(Message.WParam))); Message.Result = ItemIndex(); return;
    case LB_GETCARETINDEX: Message.Result = FCaretIndex; return;
    case LB_SETCARETINDEX:
      FCaretIndex = std::clamp(static_cast<int>(Message.WParam), -1, Count() - 1);
      EnsureVisible(FCaretIndex);
      Invalidate();
      return;
    case LB_GETTOPINDEX: Message.Result = FTopIndex; return;
    case LB_SETTOPINDEX: SetTopIndex(static_cast<int>(Message.WParam)); return;
    case LB_GETSEL: {
      const int i = static_cast<int>(Message.WParam);
      Message.Result = (i >= 0 && i < Count()) ? (FEntries[static_cast<size_t>(i)].Selected ? 1 : 0) : LB_ERR;
      return;
    }
    case LB_SETSEL: {
      const int i = static_cast<int>(Message.LParam);
      if (i == -1) {
        for (auto& e : FEntries) e.Selected = Message.WParam != 0;
      } else if (i >= 0 && i < Count()) {
        FEntries[static_cast<size_t>(i)].Selected = Message.WParam != 0;
      }
      Invalidate();
      return;
    }
    case LB_GETSELCOUNT: Message.Result = SelCount(); return;
    case LB_GETITEMHEIGHT: Message.Result = EntryHeight(static_cast<int>(Message.WParam)); return;
    case LB_SETITEMHEIGHT: SetItemHeight(static_cast<int>(Message.LParam)); return;
    case LB_GETITEMRECT:
      if (Message.LParam != 0) *reinterpret_cast<TRect*>(Message.LParam) = ItemRect(static_cast<int>(Message.WParam));
      Message.Result = 1;
      return;
    case LB_ITEMFROMPOINT: {
      const TPoint p(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
      const int i = ItemAtPos(p, true);
      Message.Result = i >= 0 ? i : MAKELPARAM(std::max(0, Count() - 1), 1);
      return;
    }
    case LB_ADDSTRING:
      Message.Result = Message.LParam != 0 ? FItems->Add(*reinterpret_cast<const QString*>(Message.LParam)) : LB_ERR;
      return;
    case LB_INSERTSTRING: {
      int i = static_cast<int>(static_cast<intptr_t>(Message.WParam));
      if (i < 0 || i > Count()) i = Count();
      Message.Result = InsertEntry(i, Message.LParam != 0 ? *reinterpret_cast<const QString*>(Message.LParam) : QString(), nullptr);
      return;
    }
    case LB_DELETESTRING: {
      const int i = static_cast<int>(Message.WParam);
      if (i >= 0 && i < Count()) RemoveEntry(i);
      Message.Result = Count();
      return;
    }
    case LB_RESETCONTENT: ClearEntries(); return;
    case LB_GETTEXT: {
      const int i = static_cast<int>(Message.WParam);
      if (i < 0 || i >= Count() || Message.LParam == 0) {
        Message.Result = LB_ERR;
        return;
      }
      *reinterpret_cast<QString*>(Message.LParam) = FEntries[static_cast<size_t>(i)].Text;
      Message.Result = FEntries[static_cast<size_t>(i)].Text.size();
      return;
    }
    case LB_GETTEXTLEN: {
      const int i = static_cast<int>(Message.WParam);
      Message.Result = (i >= 0 && i < Count()) ? FEntries[static_cast<size_t>(i)].Text.size() : LB_ERR;
      return;
    }
    case LB_GETITEMDATA: {
      const int i = static_cast<int>(Message.WParam);
      Message.Result = (i >= 0 && i < Count()) ? reinterpret_cast<LRESULT>(FEntries[static_cast<size_t>(i)].Object) : LB_ERR;
      return;
    }
    case LB_SETITEMDATA: {
      const int i = static_cast<int>(Message.WParam);
      if (i >= 0 && i < Count()) FEntries[static_cast<size_t>(i)].Object = reinterpret_cast<TObject*>(Message.LParam);
      return;
    }
    default:
      break;
  }
  TWinControl::DefaultHandler(Message);
}

void TCustomListBox::WMGetDlgCode(TMessageView& Message) { Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; }

void TCustomListBox::CNCommand(TWMCommand& Message) {
  switch (Message.NotifyCode()) {
    case LBN_SELCHANGE:
      TControl::Changed();
      Click();
      break;
    case LBN_DBLCLK:
      DblClick();
      break;
    default:
      break;
  }
}

void TCustomListBox::WMSize(TWMSize& Message) {
  TWinControl::WMSize(Message);
  UpdateScrollBar();
}

void TCustomListBox::CMFontChanged(TMessageView& Message) {
  TWinControl::CMFontChanged(Message);
  UpdateScrollBar();
}

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
  if (Index < 0 || Index >= GetCount()) IndexError(Index);
  FComboBox->FTexts.erase(FComboBox->FTexts.begin() + Index);
  FComboBox->FObjects.erase(FComboBox->FObjects.begin() + Index);
  if (FComboBox->FItemIndex == Index) FComboBox->FItemIndex = -1;
  else if (FComboBox->FItemIndex > Index) --FComboBox->FItemIndex;
  if (FComboBox->FList != nullptr && FComboBox->FList->Dropped()) FComboBox->FList->Fill();
  FComboBox->Invalidate();
}

void TComboBoxStrings::Insert(int Index, const QString& S) {
  if (FComboBox->FSorted) throw EListError(QStringLiteral("Operation not allowed on sorted list"));
  if (Index < 0 || Index > GetCount()) IndexError(Index);
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
  if (Index < 0 || Index >= GetCount()) IndexError(Index);
  return FComboBox->FTexts[static_cast<size_t>(Index)];
}

int TComboBoxStrings::GetCount() const { return static_cast<int>(FComboBox->FTexts.size()); }

TObject* TComboBoxStrings::GetObject(int Index) const {
  if (Index < 0 || Index >= GetCount()) IndexError(Index);
  return FComboBox->FObjects[static_cast<size_t>(Index)];
}

void TComboBoxStrings::PutObject(int Index, TObject* AObject) {
  if (Index < 0 || Index >= GetCount()) IndexError(Index);
  FComboBox->FObjects[static_cast<size_t>(Index)] = AObject;
}

void TComboBoxStrings::Put(int Index, const QString& S) {
  if (Index < 0 || Index >= GetCount()) IndexError(Index);
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

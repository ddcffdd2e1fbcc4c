// List boxes: TCustomListBox with its items. The combo box is in
// StdCtrls_ComboBox.cpp.
#include <algorithm>

#include "platform/ui/ControlWidget_p.h"
#include "platform/gdi/DeviceContext_p.h"
#include "platform/widgets/EditCore_p.h"
#include "platform/widgets/StdCtrls.h"
#include "platform/widgets/StdCtrls_p.h"

using namespace StdCtrlsPrivate;

namespace StdCtrlsPrivate {
void ListIndexError(int Index) {
  throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}
}  // namespace StdCtrlsPrivate

// ------------------------------------------------------------ TListBoxStrings

int TListBoxStrings::Add(const QString& S) {
  const int i = FListBox->FSorted ? FListBox->SortedPosition(S) : FListBox->Count();
  return FListBox->InsertEntry(i, S, nullptr);
}

void TListBoxStrings::Clear() { FListBox->ClearEntries(); }

void TListBoxStrings::Delete(int Index) {
  if (Index < 0 || Index >= FListBox->Count()) ListIndexError(Index);
  FListBox->RemoveEntry(Index);
}

void TListBoxStrings::Insert(int Index, const QString& S) {
  if (FListBox->FSorted) throw EListError(QStringLiteral("Operation not allowed on sorted list"));
  if (Index < 0 || Index > FListBox->Count()) ListIndexError(Index);
  FListBox->InsertEntry(Index, S, nullptr);
}

void TListBoxStrings::Exchange(int Index1, int Index2) {
  auto& e = FListBox->FEntries;
  if (Index1 < 0 || Index1 >= FListBox->Count()) ListIndexError(Index1);
  if (Index2 < 0 || Index2 >= FListBox->Count()) ListIndexError(Index2);
  std::swap(e[static_cast<size_t>(Index1)].Text, e[static_cast<size_t>(Index2)].Text);
  std::swap(e[static_cast<size_t>(Index1)].Object, e[static_cast<size_t>(Index2)].Object);
  FListBox->ItemsChanged();
}

void TListBoxStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  auto& e = FListBox->FEntries;
  if (CurIndex < 0 || CurIndex >= FListBox->Count()) ListIndexError(CurIndex);
  if (NewIndex < 0 || NewIndex >= FListBox->Count()) ListIndexError(NewIndex);
  auto item = e[static_cast<size_t>(CurIndex)];
  e.erase(e.begin() + CurIndex);
  e.insert(e.begin() + NewIndex, item);
  FListBox->ItemsChanged();
}

QString TListBoxStrings::Get(int Index) const {
  if (Index < 0 || Index >= FListBox->Count()) ListIndexError(Index);
  return FListBox->FEntries[static_cast<size_t>(Index)].Text;
}

int TListBoxStrings::GetCount() const { return FListBox->Count(); }

TObject* TListBoxStrings::GetObject(int Index) const {
  if (Index < 0 || Index >= FListBox->Count()) ListIndexError(Index);
  return FListBox->FEntries[static_cast<size_t>(Index)].Object;
}

void TListBoxStrings::Put(int Index, const QString& S) {
  if (Index < 0 || Index >= FListBox->Count()) ListIndexError(Index);
  // The item is replaced (deleted and inserted again), keeping its object and selection.
  auto e = FListBox->FEntries[static_cast<size_t>(Index)];
  e.Text = S;
  FListBox->FEntries[static_cast<size_t>(Index)] = e;
  FListBox->ItemsChanged();
}

void TListBoxStrings::PutObject(int Index, TObject* AObject) {
  if (Index < 0 || Index >= FListBox->Count()) ListIndexError(Index);
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
  if (Index < 0 || Index >= Count()) ListIndexError(Index);
  return FEntries[static_cast<size_t>(Index)].Selected;
}

void TCustomListBox::SetSelected(int Index, bool Value) {
  if (Index < 0 || Index >= Count()) ListIndexError(Index);
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

// The grid's editor controls (ProGrid_Editors.h).
#include <QScopedValueRollback>

#include "controls/ProUtil.h"
#include "grid/ProGrid.h"
#include "grid/ProGrid_EditText_p.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/WinApi.h"

namespace {

bool CtrlDown() { return GetKeyState(VK_CONTROL) < 0; }
bool ShiftDown() { return GetKeyState(VK_SHIFT) < 0; }

}  // namespace

// ------------------------------------------------------------ TProInplaceEdit

TProInplaceEdit::TProInplaceEdit(TComponent* AOwner)
    : TInplaceEdit(AOwner), FProGrid(dynamic_cast<TProStringGrid*>(AOwner)) {}

void TProInplaceEdit::SetVAlign(bool Value) {
  if (FValign == Value) return;
  FValign = Value;
  SetAlignment(Value ? taRightJustify : taLeftJustify);
}

void TProInplaceEdit::SetWordWrap(bool Value) { FWordWrap = Value; }

void TProInplaceEdit::CreateParams(TCreateParams& Params) {
  TInplaceEdit::CreateParams(Params);
  if (FValign) Params.Style |= ES_RIGHT;
  FWordWrap = FProGrid->WordWrap();
  if (FWordWrap) Params.Style &= ~DWORD(ES_AUTOHSCROLL);
  Params.Style |= ES_WANTRETURN;
}

void TProInplaceEdit::UpdateContents() {
  TProStringGrid* g = FProGrid;
  g->FNoEditChange = true;
  TInplaceEdit::UpdateContents();
  g->FNoEditChange = false;
  SetPasswordChar(g->FEditControl == edPassword ? g->PasswordChar() : QChar());
  // The cell's colour and font as painted.
  const int c = g->RealColIndex(g->Col());
  TFont font;
  SetColor(g->PaintedCellLook(c, g->Row(), &font));
  Font()->Assign(&font);
  FColE = g->Col();
  FRowE = g->Row();
  g->DoGetEditorProp(c, g->Row(), nullptr);
}

void TProInplaceEdit::BoundsChanged() {
  // Over the whole block of a merged cell.
  const TRect r = FProGrid->CellRect(FProGrid->Col(), FProGrid->Row());
  const TRect want(r.Left, r.Top, r.Right - 1, r.Bottom - 1);
  if (BoundsRect() != want) SetBoundsRect(want);
  const TRect fr(3, 3, Width() - 2, Height());
  Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&fr));
}

void TProInplaceEdit::ShowRejected(const QString& OldCellText) {
  SetText(FProGrid->FNewCellText);
  if (FProGrid->Navigation()->EditSelectAll())
    SelectAll();
  else
    SetSelStart(int(Text().size()));
  FProGrid->FOldCellText = OldCellText;
  FDropReturn = true;
}

void TProInplaceEdit::WMKeyDown(TWMKey& Message) {
  TProStringGrid* g = FProGrid;
  FDropReturn = false;
  g->EditWMKeyDownHook(Message);
  FOldSelStart = SelStart();
  const Word key = Message.CharCode();
  const bool ctrl = CtrlDown();
  const QString T = Text();
  const QString O = g->FOldCellText;
  switch (key) {
    case VK_ESCAPE:
      SetText(g->FCellCache);
      g->HideInplaceEdit();
      break;
    case 'A':
      if (ctrl) {
        SelectAll();
        return;
      }
      break;
    case VK_TAB:
      if (g->EditorWantsTab()) {
        if (g->ValidateCell(T)) {
          SetText(g->FNewCellText);
          g->HideInplaceEdit();
          if (g->Options().contains(goTabs))
            g->TabAdvance(ShiftDown());
          else if (g->HandleAllocated())
            PostMessage(g->Handle(), WM_KEYDOWN, VK_TAB, 0);
        } else {
          ShowRejected(O);
        }
        return;
      }
      break;
    case VK_UP:
    case VK_DOWN: {
      // Only from the first line up, or from the last line down, the key
      // leaves the text and the value is committed.
      const bool leaves = key == VK_UP ? !T.left(SelStart()).contains(u'\n')
                                       : !T.mid(SelStart()).contains(u'\n');
      if (!leaves) break;
      {
        QScopedValueRollback<bool> validating(g->FValidating, true);
        g->SetCurrentCell(T);
      }
      if (!g->ValidateCell(T)) {
        ShowRejected(O);
        return;
      }
      SetText(g->FNewCellText);
      break;
    }
    case VK_RETURN:
      if (!g->Navigation()->LineFeedOnEnter() && !ctrl) {
        if (!g->ValidateCell(T)) {
          ShowRejected(O);
          return;
        }
        SetText(g->FNewCellText);
      } else if (ctrl && !(g->Navigation()->AllowCtrlEnter() && g->WordWrap())) {
        return;
      }
      break;
    case VK_HOME:
    case VK_END:
      if (!ctrl && !ShiftDown()) {
        SetSelStart(key == VK_HOME ? 0 : int(Text().size()));
        SetSelLength(0);
        return;
      }
      break;
    default:
      break;
  }
  TInplaceEdit::WMKeyDown(Message);
}

void TProInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
  FSelKeyDown = SelStart();
  if (Key == VK_BACK || Key == VK_DELETE)
    Workmode = false;
  else if (Key != VK_RETURN && Key != VK_UP && Key != VK_DOWN)
    Workmode = true;
  FProGrid->EditKeyDownHook(Key, Shift);
  if (Key == 0) return;
  // Up and Down inside a text of several lines move the caret only.
  const QString t = Text();
  if ((Key == VK_UP && t.left(SelStart()).contains(u'\n')) ||
      (Key == VK_DOWN && t.mid(SelStart()).contains(u'\n'))) {
    TCustomMaskEdit::KeyDown(Key, Shift);
    return;
  }
  TInplaceEdit::KeyDown(Key, Shift);
}

void TProInplaceEdit::KeyUp(Word& Key, TShiftState Shift) {
  TInplaceEdit::KeyUp(Key, Shift);
  DoChange();
}

bool TProInplaceEdit::AcceptChar(QChar& Ch, bool Ctrl, bool& Silent) {
  TProStringGrid* g = FProGrid;
  return AcceptTypedChar(g->FEditControl, Ch, Text(), SelStart(), SelText(), Ctrl, g->ValidChars(), Silent);
}

void TProInplaceEdit::WMChar(TWMKey& Message) {
  TProStringGrid* g = FProGrid;
  QChar ch(Message.CharCode());
  const bool ctrl = CtrlDown();
  if (ch == u'.' && g->ExcelStyleDecimalSeparator() && (Message.KeyData() & (1 << 22)) != 0)
    ch = GetDecimalSeparator();
  if (ch.unicode() == 1) return;
  if (ch.unicode() == 10 && ctrl && !(g->Navigation()->AllowCtrlEnter() && g->WordWrap())) return;
  const ushort u = ch.unicode();
  if (FLengthLimit > 0 && Text().size() >= FLengthLimit && SelLength() == 0 && u != 8 && u != 27 &&
      u != 13)
    return;
  const TEditorType kind = g->FEditControl;
  bool silent = false;
  if (!AcceptChar(ch, ctrl, silent)) {
    if (!silent) MessageBeep(0);
    return;
  }
  Message.SetCharCode(ch.unicode());
  TInplaceEdit::WMChar(Message);
  if (kind == edMixedCase && u >= 32) {
    const int p = SelStart();
    SetText(MakeMixedCase(Text()));
    SetSelStart(p);
  }
}

void TProInplaceEdit::KeyPress(QChar& Key) {
  TProStringGrid* g = FProGrid;
  if (Key == u'\r' && FDropReturn) {
    // The Enter of a refused value stays in the editor.
    FDropReturn = false;
    Key = QChar(0);
    return;
  }
  if (Key == u'\r' && !g->Navigation()->LineFeedOnEnter() && !g->ValidateCell(Text())) {
    SetText(g->CurrentCell());
    Key = QChar(0);
    return;
  }
  TInplaceEdit::KeyPress(Key);
}

void TProInplaceEdit::Change() {
  TInplaceEdit::Change();
  TProStringGrid* g = FProGrid;
  if (!g->FNoEditChange && g->OnEditChange) g->OnEditChange(g, g->Col(), g->Row(), Text());
}

void TProInplaceEdit::DoChange() {
  if (CompleteFromLookup(this, FProGrid, Workmode)) GotKey = false;
}

void TProInplaceEdit::WMSetFocus(TWMSetFocus& Message) {
  TProStringGrid* g = FProGrid;
  FGotFocus = true;
  g->FNoEditChange = false;
  FLengthLimit = g->GetEditLimit();
  SetMaxLength(FLengthLimit);
  TInplaceEdit::WMSetFocus(Message);
  if (!g->Navigation()->EditSelectAll()) SetSelStart(int(Text().size()));
}

void TProInplaceEdit::WMKillFocus(TWMKillFocus& Message) {
  TProStringGrid* g = FProGrid;
  if (g->ComponentState().contains(csDestroying)) {
    TInplaceEdit::WMKillFocus(Message);
    return;
  }
  g->FStartEditChar = QChar();
  if (g->LookupHistory() && !Text().isEmpty() && g->LookupItems()->IndexOf(Text()) == -1)
    g->LookupItems()->Add(Text());
  g->EditFormulaMode(false);
  TInplaceEdit::WMKillFocus(Message);
  if (FAltBack) return;
  if (Message.FocusedWnd() != g->View()) {
    // The focus leaves the grid: the value is validated as it stands.
    g->ValidateCell(Text());
    SetText(g->CurrentCell());
    g->HideInplaceEdit();
    g->FEditing = false;
    g->FEditMode = false;
    if (FColE >= 0 && FRowE >= 0) g->SelectCell(FColE, FRowE);
  }
  {
    QScopedValueRollback<bool> noChange(g->FNoEditChange, true);
    SetText(g->CurrentCell());
  }
  g->EditCaretMoved(Text(), TPoint(-1, -1), -1);
  if (FGotFocus) {
    FGotFocus = false;
    g->PostEditDone(g->RealColIndex(FColE), FRowE);
  }
}

void TProInplaceEdit::WMGetDlgCode(TMessageView& Message) {
  TInplaceEdit::WMGetDlgCode(Message);
  if (FProGrid->EditorWantsTab()) Message.Result |= DLGC_WANTTAB;
}

void TProInplaceEdit::WndProc(TMessage& Message) {
  if ((Message.Msg == WM_SYSKEYDOWN || Message.Msg == WM_SYSKEYUP) && Message.WParam == VK_BACK)
    FAltBack = Message.Msg == WM_SYSKEYDOWN;
  TProStringGrid* g = FProGrid;
  switch (Message.Msg) {
    case WM_PASTE:
      WMPaste();
      return;
    case WM_CUT: {
      bool allow = true;
      if (g->OnClipboardCut) g->OnClipboardCut(this, allow);
      if (!allow) return;
      break;
    }
    case WM_COPY: {
      bool allow = true;
      if (g->OnClipboardCopy) g->OnClipboardCopy(this, allow);
      if (!allow) return;
      break;
    }
    case WM_LBUTTONDBLCLK:
      TInplaceEdit::WndProc(Message);
      if (g->OnDblClickCell) g->OnDblClickCell(g, g->Row(), g->Col());
      return;
    default:
      break;
  }
  TInplaceEdit::WndProc(Message);
}

QString TProInplaceEdit::InsertPastedText(const QString& Pasted, int& SelFrom, int& SelLen) const {
  return ::InsertPastedText(Text(), SelStart(), SelLength(), Pasted, SelFrom, SelLen);
}

void TProInplaceEdit::WMPaste() {
  TProStringGrid* g = FProGrid;
  bool allow = Clipboard()->HasFormat(CF_TEXT);
  QString v = allow ? Clipboard()->AsText() : QString();
  if (g->OnClipboardPaste) g->OnClipboardPaste(this, allow);
  const int c = g->RealColIndex(g->Col());
  if (allow && g->OnClipboardBeforePasteCell) g->OnClipboardBeforePasteCell(g, c, g->Row(), v, allow);
  if (!allow || (FLengthLimit >= 1 && v.size() > FLengthLimit)) return;
  // A single line that ends in a line break pastes without it.
  DropSoleTrailingBreak(v);
  int selFrom = SelStart(), selLen = SelLength();
  QString n = InsertPastedText(v, selFrom, selLen);
  bool take = FLengthLimit < 1 || n.size() <= FLengthLimit;
  if (take) {
    switch (g->FEditControl) {
      case edNumeric:
      case edPositiveNumeric:
        take = ClassifyNumberText(n) == ntkInteger &&
               (g->FEditControl == edNumeric || !n.contains(u'-'));
        break;
      case edFloat:
      case edPositiveFloat: {
        const TNumberTextKind k = ClassifyNumberText(n);
        take = (k == ntkInteger || k == ntkFloat) &&
               (g->FEditControl == edFloat || !n.contains(u'-'));
        break;
      }
      case edMixedCase: n = MakeMixedCase(n); break;
      case edLowerCase: n = n.toLower(); break;
      case edUpperCase: n = n.toUpper(); break;
      case edValidChars:
        for (QChar ch : n)
          if (!g->ValidChars().contains(ch)) take = false;
        break;
      default:
        break;
    }
  }
  if (take) {
    SetText(n);
    g->UpdateEditText(n);
    SetSelStart(selFrom);
    SetSelLength(selLen);
  }
  if (g->OnClipboardAfterPasteCell) g->OnClipboardAfterPasteCell(g, c, g->Row(), Text());
}

// ----------------------------------------------------------------- TGridCombo

TGridCombo::TGridCombo(TComponent* AOwner)
    : TPsgComboBox(AOwner), FGrid(dynamic_cast<TProStringGrid*>(AOwner)) {
  SetButtonWidth(16);
}

void TGridCombo::SizeDropDownWidth() {
  int d = Width();
  TCanvas* cv = FGrid->Canvas();
  const bool scroll = Items()->Count() > DropDownCount();
  for (int i = 0; i < Items()->Count(); ++i) {
    const int t = cv->TextWidth(Items()->Strings(i));
    if (scroll) {
      if (d - 25 < t) d = t + 25;
    } else if (d - 5 < t) {
      d = t + 8;
    }
  }
  Perform(CB_SETDROPPEDWIDTH, WPARAM(d), 0);
}

void TGridCombo::KeyDown(Word& Key, TShiftState Shift) {
  TProStringGrid* g = FGrid;
  Forced = false;
  WorkMode = Key != VK_BACK && Key != VK_DELETE;
  const bool listOnly = Style() == csDropDownList || DroppedDown();
  if ((Key == VK_UP || Key == VK_DOWN) && !DroppedDown() && !g->Navigation()->ComboGetUpDown() &&
      !Shift.contains(ssAlt)) {
    g->HideInplaceEdit();
    const bool alwaysEdit = g->Navigation()->AlwaysEdit();
    g->Navigation()->SetAlwaysEdit(false);
    if (g->CanFocus()) g->SetFocus();
    g->Navigation()->SetAlwaysEdit(alwaysEdit);
    Word k = Key;
    g->KeyDown(k, Shift);
    Key = 0;
    return;
  }
  bool special;
  if (Shift.contains(ssAlt) && Key == VK_DOWN)
    special = false;
  else if (listOnly)
    special = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_LEFT || Key == VK_RIGHT;
  else
    special = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR ||
              Key == VK_NEXT || Key == VK_END || Key == VK_UP || Key == VK_DOWN;
  if (!special) {
    TPsgComboBox::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_ESCAPE) {
    const QString t = g->CurrentCell();
    SetText(t);
    SelectItem(t);
    g->HideInplaceEdit();
    if (g->CanFocus()) g->SetFocus();
    Key = 0;
    return;
  }
  if (Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
    const int i = ItemIndex();
    const QString t = Style() == csDropDownList && i >= 0 ? Items()->Strings(i) : Text();
    g->SetCurrentCell(t);
    if (!g->ValidateCell(t)) {
      if (Style() == csDropDownList) {
        SelectItem(g->FNewCellText);
      } else {
        SetText(g->FNewCellText);
        SelectAll();
      }
      Invalidate();
      g->FNoAutoAdvance = true;
      Key = 0;
      return;
    }
    const QString now = g->CurrentCell();
    if (Style() == csDropDownList)
      SelectItem(now);
    else
      SetText(now);
  }
  if (Key == VK_TAB && g->EditorWantsTab()) {
    const QString t = Text();
    if (!g->ValidateCell(t)) {
      SetText(g->FNewCellText);
      SetSelStart(int(Text().size()));
      Key = 0;
      return;
    }
    if (g->Options().contains(goTabs)) {
      g->HideInplaceEdit();
      if (g->CanFocus()) g->SetFocus();
      g->TabAdvance(Shift.contains(ssShift));
      Key = 0;
      return;
    }
  }
  if (listOnly) {
    const bool directClose = g->MouseActions()->DirectComboClose();
    g->MouseActions()->SetDirectComboClose(false);
    g->HideInplaceEdit();
    g->MouseActions()->SetDirectComboClose(directClose);
    if (Key == VK_LEFT || Key == VK_RIGHT) {
      Word k = Key;
      g->KeyDown(k, Shift);
    }
    if (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN || Key == VK_LEFT ||
        Key == VK_RIGHT) {
      Key = 0;
      return;
    }
  } else if (Key == VK_END) {
    TPsgComboBox::KeyDown(Key, Shift);
    return;
  }
  const Word k = Key;
  Key = 0;
  g->DoneInplaceEdit(k, Shift);
}

void TGridCombo::KeyUp(Word& Key, TShiftState Shift) {
  FGrid->FNoAutoAdvance = false;
  if (Key != VK_RETURN) TPsgComboBox::KeyUp(Key, Shift);
  DoChange();
}

void TGridCombo::KeyPress(QChar& Key) {
  TProStringGrid* g = FGrid;
  const int before = ItemIndex();
  if (g->OnKeyPress) g->OnKeyPress(this, Key);
  if (Key == QChar(27)) Key = QChar(0);
  if (Key == u'\r' && OnReturnKey) OnReturnKey(this);
  if (Key == u'\r' || Key == u'\t') Key = QChar(0);
  if (Key.unicode() == 0) return;
  TPsgComboBox::KeyPress(Key);
  const int now = ItemIndex();
  if (now != before) g->FireComboChange(g->RealColIndex(g->Col()), now, Text());
}

void TGridCombo::Change() {
  TPsgComboBox::Change();
  TProStringGrid* g = FGrid;
  if (g->OnEditChange) g->OnEditChange(g, g->Col(), g->Row(), Text());
}

void TGridCombo::DoChange() {
  TProStringGrid* g = FGrid;
  if (!WorkMode || !g->Lookup() || Style() == csDropDownList) return;
  const QString prefix = Text().left(SelStart());
  int index = -1;
  QString entry = CompleteFromList(prefix, ListOf(Items()), g->LookupCaseSensitive(), index);
  const bool fromItems = index >= 0;
  if (!fromItems) entry = CompleteFromList(prefix, ListOf(g->LookupItems()), g->LookupCaseSensitive(), index);
  if (index < 0) return;
  const int n = int(prefix.size());
  SetText(Text().left(n) + entry.mid(n, 255));
  if (fromItems) {
    SetItemIndex(index);
    ItemIdx = index;
    ItemChange = true;
  }
  SetSelStart(n);
  SetSelLength(int(Text().size()) - n);
}

void TGridCombo::DoExit() {
  TProStringGrid* g = FGrid;
  if (g->ComponentState().contains(csDestroying)) return TPsgComboBox::DoExit();
  if (g->LookupHistory() && !Text().isEmpty() && Items()->IndexOf(Text()) == -1) Items()->Add(Text());
  g->HideInplaceEdit();
  TPsgComboBox::DoExit();
}

void TGridCombo::WMSetFocus(TWMSetFocus& Message) {
  TPsgComboBox::WMSetFocus(Message);
  if (!FGrid->Navigation()->EditSelectAll() && Style() != csDropDownList) {
    SetSelStart(int(Text().size()));
    SetSelLength(0);
  }
}

void TGridCombo::CMWantSpecialKey(TWMKey& Message) {
  const Word k = Message.CharCode();
  if (k == VK_RETURN || k == VK_ESCAPE || (k == VK_TAB && FGrid->EditorWantsTab())) {
    Message.Result = 1;
    return;
  }
  TPsgComboBox::CMWantSpecialKey(Message);
}

void TGridCombo::WMGetDlgCode(TMessageView& Message) {
  TPsgComboBox::WMGetDlgCode(Message);
  Message.Result |= DLGC_WANTALLKEYS;
}

// -------------------------------------------------------------- TGridCheckBox

TGridCheckBox::TGridCheckBox(TComponent* AOwner)
    : TCheckBox(AOwner), FGrid(dynamic_cast<TProStringGrid*>(AOwner)) {}

void TGridCheckBox::KeyDown(Word& Key, TShiftState Shift) {
  TProStringGrid* g = FGrid;
  switch (Key) {
    case VK_RETURN: case VK_PRIOR: case VK_NEXT: case VK_END:
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN: case VK_ESCAPE: {
      const Word k = Key;
      Key = 0;
      // Escape takes the toggles back: the cell keeps its text.
      if (k == VK_ESCAPE) SetChecked(g->FCheckStart);
      g->HideInplaceEdit();
      if (g->CanFocus()) g->SetFocus();
      if (k == VK_RETURN && g->Navigation()->AdvanceOnEnter())
        g->AdvanceToNextCell(g->Col(), g->Row(), false, true, true, false, false);
      if (k == VK_UP || k == VK_DOWN) {
        Word kk = k;
        g->KeyDown(kk, Shift);
      }
      return;
    }
    default:
      TCheckBox::KeyDown(Key, Shift);
  }
}

void TGridCheckBox::DoExit() {
  if (!FGrid->ComponentState().contains(csDestroying)) FGrid->HideInplaceEdit();
  TCheckBox::DoExit();
}

void TGridCheckBox::WMGetDlgCode(TMessageView& Message) {
  TCheckBox::WMGetDlgCode(Message);
  Message.Result |= DLGC_WANTARROWS | DLGC_WANTALLKEYS;
}

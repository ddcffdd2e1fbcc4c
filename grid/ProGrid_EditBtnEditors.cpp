// The edit-with-button editors: their keys, characters, paste, lookup and
// button, their set-up over a cell and what they write back.
#include "grid/ProGrid_EditBtnEditors.h"

#include <QScopeGuard>

#include "grid/ProGrid.h"
#include "grid/ProGrid_EditText_p.h"
#include "platform/ui/Clipbrd.h"
#include "platform/ui/WinApi.h"

namespace {

// The keys that end or leave an edit-with-button editor.
bool IsLeavingKey(Word Key) {
  switch (Key) {
    case VK_TAB: case VK_RETURN: case VK_ESCAPE: case VK_PRIOR: case VK_NEXT: case VK_UP: case VK_DOWN:
      return true;
    default:
      return false;
  }
}

// The text kind whose character filter an edit-with-button kind uses
// (edNormal: every character).
TEditorType FilterKind(TEditorType Kind) {
  switch (Kind) {
    case edNumericEditBtn: case edNumericUnitEditBtn: return edNumeric;
    case edFloatEditBtn: case edFloatUnitEditBtn: return edFloat;
    default: return edNormal;
  }
}

// Refuses Enter and Tab, and (with a beep, unless the filter drops it
// silently) a character the cell's kind does not take; true when the
// character may be typed.
bool FilterChar(TEditorType Kind, TCustomEdit* Edit, TWMKey& Message) {
  if (Message.CharCode() == VK_RETURN || Message.CharCode() == VK_TAB) return false;
  const TEditorType filter = FilterKind(Kind);
  if (filter == edNormal) return true;
  QChar ch(Message.CharCode());
  bool silent = false;
  if (AcceptTypedChar(filter, ch, Edit->Text(), Edit->SelStart(), Edit->SelText(), GetKeyState(VK_CONTROL) < 0,
                      QString(), silent))
    return true;
  if (!silent) MessageBeep(0);
  return false;
}

// What an edit-with-button editor answers to WM_GETDLGCODE and
// CM_WANTSPECIALKEY: the arrows, Enter and Escape always, Tab when Tab is
// the editor's.
void WantKeys(TMessageView& Message, bool Tab) {
  Message.Result |= DLGC_WANTARROWS | DLGC_WANTALLKEYS;
  if (Tab) Message.Result |= DLGC_WANTTAB;
}
bool ClaimsSpecialKey(Word Key, bool Tab) { return Key == VK_RETURN || Key == VK_ESCAPE || (Key == VK_TAB && Tab); }

}  // namespace

// ================================================================ TGridEditBtn

TGridEditBtn::TGridEditBtn(TComponent* AOwner)
    : TPsgEditBtn(AOwner), FGrid(dynamic_cast<TProStringGrid*>(AOwner)) {
  OnClickBtn = [this](TObject*) { ButtonClick(); };
}

void TGridEditBtn::ButtonClick() {
  TProStringGrid* g = FGrid;
  SetText(g->DoEllipsClick(Text()));
  SelectAll();
  Invalidate();
  if (FStopEditAfterClick) {
    g->HideInplaceEdit();
    if (g->CanFocus()) g->SetFocus();
  }
}

void TGridEditBtn::DoLookup() { CompleteFromLookup(this, FGrid, WorkMode); }

void TGridEditBtn::KeyDown(Word& Key, TShiftState Shift) {
  TProStringGrid* g = FGrid;
  const bool special = IsLeavingKey(Key);
  if (!special && g->OnKeyDown) g->OnKeyDown(g, Key, Shift);
  WorkMode = Key != VK_BACK && Key != VK_DELETE;
  FSelKeyDown = SelStart();
  if (Shift.contains(ssCtrl) || !special) {
    TPsgEditBtn::KeyDown(Key, Shift);
    return;
  }
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
  if (Key == 0) return;
  if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
    g->SetCurrentCell(Text());
    const bool valid = g->ValidateCell(Text());
    SetText(g->FNewCellText);
    if (!valid) {
      // A refused value: the editor stays, its text selected.
      SelectAll();
      Invalidate();
      g->FNoAutoAdvance = true;
      Key = 0;
      return;
    }
  }
  const Word k = Key;
  Key = 0;
  if (k == VK_TAB && g->EditorWantsTab() && g->Options().contains(goTabs)) {
    g->HideInplaceEdit();
    if (g->CanFocus()) g->SetFocus();
    g->TabAdvance(Shift.contains(ssShift));
    return;
  }
  if (k == VK_ESCAPE) SetText(g->FCellCache);
  g->DoneInplaceEdit(k, Shift);
}

bool TGridEditBtn::WalkToNeighbour(bool Right) {
  TProStringGrid* g = FGrid;
  const int c = g->Col(), r = g->Row();
  const int target = Right ? c + g->CellExt(c, r).X + 1 : c - 1;
  if (Right ? target >= g->ColCount() - g->FixedRightCols() : target < g->FixedCols()) return false;
  if (g->IsControlCell(g->RealColIndex(target), r)) {
    if (!g->ValidateCell(Text())) return true;
    g->HideInplaceEdit();
    g->SetCol(target);
    return true;
  }
  g->HideInplaceEdit();
  const bool alwaysEdit = g->Navigation()->AlwaysEdit();
  g->Navigation()->SetAlwaysEdit(false);
  if (g->CanFocus()) g->SetFocus();
  g->Navigation()->SetAlwaysEdit(alwaysEdit);
  const TAdvanceDirection dir = g->Navigation()->AdvanceDirection();
  g->Navigation()->SetAdvanceDirection(adLeftRight);
  auto restore = qScopeGuard([g, dir] { g->Navigation()->SetAdvanceDirection(dir); });
  g->AdvanceToNextCell(c, r, true, true, Right, false, g->Navigation()->CursorWalkAlwaysEdit());
  return true;
}

void TGridEditBtn::KeyUp(Word& Key, TShiftState Shift) {
  TProStringGrid* g = FGrid;
  if (g->OnKeyUp) g->OnKeyUp(g, Key, Shift);
  const bool plain = !Shift.contains(ssShift) && !Shift.contains(ssCtrl) && !Shift.contains(ssAlt);
  if (g->Navigation()->CursorWalkEditor() && plain && SelLength() == 0) {
    // Right at the end, or Left at the start, as the key found the caret.
    const int end = int(Text().size());
    const bool right = Key == VK_RIGHT && FSelKeyDown == end && SelStart() == end;
    const bool left = Key == VK_LEFT && FSelKeyDown == 0 && SelStart() == 0;
    if ((right || left) && WalkToNeighbour(right)) {
      Key = 0;
      return;
    }
  }
  if (Key != VK_RETURN) TPsgEditBtn::KeyUp(Key, Shift);
  DoLookup();
}

void TGridEditBtn::KeyPress(QChar& Key) {
  TProStringGrid* g = FGrid;
  if (g->OnKeyPress) g->OnKeyPress(g, Key);
  if (Key == u'\t') Key = QChar(0);
  if (Key.unicode() == 0) return;
  TPsgEditBtn::KeyPress(Key);
}

void TGridEditBtn::Change() {
  TPsgEditBtn::Change();
  // Only what the user changes while the editor is up is reported.
  TProStringGrid* g = FGrid;
  if (Visible() && g->OnEditChange) g->OnEditChange(g, g->Col(), g->Row(), Text());
}

void TGridEditBtn::DoExit() {
  if (!FGrid->ComponentState().contains(csDestroying)) FGrid->HideInplaceEdit();
  TPsgEditBtn::DoExit();
}

void TGridEditBtn::WMChar(TWMKey& Message) {
  if (FilterChar(FGrid->FEditControl, this, Message)) TPsgEditBtn::WMChar(Message);
}

void TGridEditBtn::WMLButtonDblClk(TWMMouse& Message) {
  TPsgEditBtn::WMLButtonDblClk(Message);
  TProStringGrid* g = FGrid;
  if (g->OnDblClickCell) g->OnDblClickCell(g, g->Row(), g->Col());
}

void TGridEditBtn::WMGetDlgCode(TMessageView& Message) {
  TPsgEditBtn::WMGetDlgCode(Message);
  WantKeys(Message, FGrid->EditorWantsTab());
}

void TGridEditBtn::CMWantSpecialKey(TWMKey& Message) {
  if (ClaimsSpecialKey(Message.CharCode(), FGrid->EditorWantsTab()))
    Message.Result = 1;
  else
    TPsgEditBtn::CMWantSpecialKey(Message);
}

void TGridEditBtn::WndProc(TMessage& Message) {
  if (Message.Msg == WM_PASTE) {
    if (EditorEnabled() && !ReadOnly()) WMPaste();
    return;
  }
  TPsgEditBtn::WndProc(Message);
}

void TGridEditBtn::WMPaste() {
  TProStringGrid* g = FGrid;
  bool allow = Clipboard()->HasFormat(CF_TEXT);
  QString v = allow ? Clipboard()->AsText() : QString();
  if (g->OnClipboardPaste) g->OnClipboardPaste(this, allow);
  if (allow && g->OnClipboardBeforePasteCell)
    g->OnClipboardBeforePasteCell(g, g->RealColIndex(g->Col()), g->Row(), v, allow);
  if (!allow) return;
  DropSoleTrailingBreak(v);
  int selFrom = 0, selLen = 0;
  const QString n = InsertPastedText(Text(), SelStart(), SelLength(), v, selFrom, selLen);
  SetText(n);
  g->UpdateEditText(Text());
  SetSelStart(selFrom);
  SetSelLength(selLen);
}

// ============================================================ TGridUnitEditBtn

TGridUnitEditBtn::TGridUnitEditBtn(TComponent* AOwner)
    : TPsgUnitEditBtn(AOwner), FGrid(dynamic_cast<TProStringGrid*>(AOwner)) {
  OnClickBtn = [this](TObject*) { ButtonClick(); };
}

void TGridUnitEditBtn::ButtonClick() {
  SetText(FGrid->DoEllipsClick(Text()));
  SelectAll();
  Invalidate();
}

void TGridUnitEditBtn::ShowCellText(const QString& Value) {
  // A text that no unit ends is kept whole: it is the value as it stands.
  SetUnitID(QString());
  SetText(Value);
  SetTextAndUnit(Value);
}

void TGridUnitEditBtn::KeyDown(Word& Key, TShiftState Shift) {
  TProStringGrid* g = FGrid;
  if (!IsLeavingKey(Key)) {
    TPsgUnitEditBtn::KeyDown(Key, Shift);
    return;
  }
  if (Key == VK_TAB || Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN) {
    g->SetCurrentCell(TextAndUnit());
    const bool valid = g->ValidateCell(TextAndUnit());
    ShowCellText(g->CurrentCell());
    if (!valid) {
      g->FNoAutoAdvance = true;
      Key = 0;
      return;
    }
  }
  const Word k = Key;
  Key = 0;
  if (k == VK_RETURN && g->Navigation()->AdvanceOnEnter()) {
    g->HideInplaceEdit();
    if (g->CanFocus()) g->SetFocus();
    g->AdvanceToNextCell(g->Col(), g->Row(), false, true, true, false, true);
    return;
  }
  if (k == VK_TAB && g->Options().contains(goTabs)) {
    g->HideInplaceEdit();
    if (g->CanFocus()) g->SetFocus();
    g->TabAdvance(Shift.contains(ssShift));
    return;
  }
  if (k == VK_ESCAPE) {
    SetUnitID(QString());
    SetText(g->FCellCache);
  }
  g->DoneInplaceEdit(k, Shift);
}

void TGridUnitEditBtn::DoExit() {
  if (!FGrid->ComponentState().contains(csDestroying)) FGrid->HideInplaceEdit();
  TPsgUnitEditBtn::DoExit();
}

void TGridUnitEditBtn::WMChar(TWMKey& Message) {
  if (FilterChar(FGrid->FEditControl, this, Message)) TPsgUnitEditBtn::WMChar(Message);
}

void TGridUnitEditBtn::WMGetDlgCode(TMessageView& Message) {
  TPsgUnitEditBtn::WMGetDlgCode(Message);
  WantKeys(Message, FGrid->Options().contains(goTabs));
}

void TGridUnitEditBtn::CMWantSpecialKey(TWMKey& Message) {
  if (ClaimsSpecialKey(Message.CharCode(), FGrid->Options().contains(goTabs)))
    Message.Result = 1;
  else
    TPsgUnitEditBtn::CMWantSpecialKey(Message);
}

// ---------------------------------------------------------------- the grid's side

void TProStringGrid::CreateEditBtnControls() {
  FEditBtn = new TGridEditBtn(this);
  FUnitEditBtn = new TGridUnitEditBtn(this);
  for (TPsgEditBtn* e : {static_cast<TPsgEditBtn*>(FEditBtn), static_cast<TPsgEditBtn*>(FUnitEditBtn)}) {
    e->SetParent(this);
    e->SetVisible(false);
    e->SetEnabled(false);
    e->SetButtonCaption(QStringLiteral("..."));
    e->SetBorderStyle(bsNone);
  }
  FUnitEditBtn->OnUnitChanged = [this](TObject*, const QString& NewUnit) {
    if (OnUnitChanged) OnUnitChanged(this, Col(), Row(), NewUnit);
  };
}

void TProStringGrid::SetUpEditBtn(int ACol, int ARow, const TRect& R, int W, int H, TColor BG) {
  TGridEditBtn* e = FEditBtn;
  FEditMode = true;
  e->SetBounds(R.Left, R.Top, W, H);
  // The mask first: a text set under the mask of an earlier cell would be
  // cut to that mask.
  e->SetEditMask(FEditControl == edMaskEditBtn ? GetEditMask(ACol, ARow) : QString());
  e->SetText(GetEditText(ACol, ARow));
  e->SetMaxLength(GetEditLimit());
  e->SetVisible(true);
  e->SetEnabled(true);
  e->SetColor(BG);
  if (e->CanFocus()) e->SetFocus();
  e->SetHeight(H);
  if (!FStartEditChar.isNull() && e->HandleAllocated())
    PostMessage(e->Handle(), WM_CHAR, FStartEditChar.unicode(), 0);
  FEditCtrl = e;
}

void TProStringGrid::SetUpUnitEditBtn(int ACol, int ARow, const TRect& R, int W, int H, TColor BG) {
  TGridUnitEditBtn* e = FUnitEditBtn;
  FEditMode = true;
  e->SetBounds(R.Left, R.Top, W, H);
  e->SetMaxLength(GetEditLimit());
  // The application may give the cell its units here, before they split it.
  DoGetEditorProp(RealColIndex(ACol), ARow, nullptr);
  e->ShowCellText(GetEditText(ACol, ARow));
  e->SetVisible(true);
  e->SetEnabled(true);
  e->SetColor(BG);
  if (e->CanFocus()) e->SetFocus();
  e->SetHeight(H);
  if (!FStartEditChar.isNull() && e->HandleAllocated())
    PostMessage(e->Handle(), WM_CHAR, FStartEditChar.unicode(), 0);
  FEditCtrl = e;
}

void TProStringGrid::StoreEditBtn(int ACol, int ARow) {
  const bool unit = FEditControl == edUnitEditBtn || FEditControl == edNumericUnitEditBtn ||
                    FEditControl == edFloatUnitEditBtn;
  TPsgEditBtn* e = unit ? static_cast<TPsgEditBtn*>(FUnitEditBtn) : FEditBtn;
  if (unit)
    SetEditCellText(ACol, ARow, FUnitEditBtn->TextAndUnit());
  else if (FEditMode)
    SetEditCellText(ACol, ARow, FEditBtn->Text());
  // Put away before it is hidden: hiding moves the focus, and its exit must
  // not store the text a second time.
  FEditMode = false;
  e->SetVisible(false);
  e->SetEnabled(false);
}

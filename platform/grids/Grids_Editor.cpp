// The grid's in-place editor: when it shows, what it is loaded with, where it
// stands, which keys it keeps, and how its text goes back to the cell (Grids.h).
#include "platform/grids/Grids.h"

#include "platform/ui/WinApi.h"

// ------------------------------------------------------ the grid's editor part

bool TCustomGrid::CanEditShow() {
  return FOptions.contains(goEditing) && !FOptions.contains(goRowSelect) && FEditorMode &&
         !ComponentState().contains(csDesigning) && HandleAllocated() &&
         (FOptions.contains(goAlwaysShowEditor) || IsActiveControl());
}

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

bool TCustomGrid::IsActiveControl() {
  return Focused() || (FInplaceEdit != nullptr && FInplaceEdit->Focused());
}

bool TCustomGrid::IsEditorWindow(HWND Wnd) const {
  return FInplaceEdit != nullptr && Wnd != nullptr && FInplaceEdit->View() == Wnd;
}

void TCustomGrid::SetEditorMode(bool Value) {
  if (!Value) {
    HideEditor();
    return;
  }
  ShowEditor();
  if (FInplaceEdit != nullptr) FInplaceEdit->Deselect();
}

void TCustomGrid::ShowEditor() {
  FEditorMode = true;
  UpdateEdit();
}

void TCustomGrid::ShowEditorChar(QChar Ch) {
  ShowEditor();
  // The character replaces the text the editor selected when it was loaded.
  if (FInplaceEdit != nullptr && FInplaceEdit->Visible())
    PostMessage(FInplaceEdit->Handle(), WM_CHAR, Ch.unicode(), 0);
}

void TCustomGrid::HideEditor() {
  FEditorMode = false;
  HideEdit();
}

void TCustomGrid::HideEdit() {
  if (FInplaceEdit == nullptr) return;
  struct TFinish {
    TCustomGrid* G;
    ~TFinish() {
      G->FInplaceCol = -1;
      G->FInplaceRow = -1;
      if (G->FInplaceEdit != nullptr) G->FInplaceEdit->Hide();
    }
  } finish{this};
  UpdateText();
}

void TCustomGrid::UpdateText() {
  if (FInplaceEdit != nullptr && FInplaceCol != -1 && FInplaceRow != -1)
    SetEditText(FInplaceCol, FInplaceRow, FInplaceEdit->Text());
}

void TCustomGrid::UpdateEditor() {
  FInplaceCol = Col();
  FInplaceRow = Row();
  FInplaceEdit->UpdateContents();
  FCanEditModify = FInplaceEdit->MaxLength() != -1;
  FInplaceEdit->SelectAll();
}

void TCustomGrid::UpdateEdit() {
  if (!CanEditShow()) return;
  if (FInplaceEdit == nullptr) {
    FInplaceEdit = CreateEditor();
    if (FInplaceEdit == nullptr) return;
    FInplaceEdit->FGrid = this;
    FInplaceEdit->SetParent(this);
    UpdateEditor();
  } else if (Col() != FInplaceCol || Row() != FInplaceRow) {
    HideEdit();
    UpdateEditor();
  }
  if (CanEditShow()) FInplaceEdit->Move(CellRect(Col(), Row()));
}

void TCustomGrid::InvalidateEditor() {
  FInplaceCol = -1;
  FInplaceRow = -1;
  UpdateEdit();
}

// --------------------------------------------------------------- TInplaceEdit

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
  FGrid = dynamic_cast<TCustomGrid*>(AOwner);
  SetVisible(false);
  SetTabStop(false);
  SetBorderStyle(bsNone);
  SetAutoSize(false);
  SetDoubleBuffered(false);
}

void TInplaceEdit::CreateParams(TCreateParams& Params) {
  TCustomMaskEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE;
}

void TInplaceEdit::UpdateContents() {
  SetText(QString());
  SetEditMask(FGrid->GetEditMask(FGrid->Col(), FGrid->Row()));
  FLoadedText = FGrid->GetEditText(FGrid->Col(), FGrid->Row());
  SetText(FLoadedText);
  SetMaxLength(FGrid->GetEditLimit());
}

void TInplaceEdit::BoundsChanged() {
  const TRect r(2, 2, Width() - 2, Height());
  Perform(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
  Perform(EM_SCROLLCARET, 0, 0);
}

bool TInplaceEdit::EditCanModify() { return FGrid->CanEditModify(); }

void TInplaceEdit::Deselect() {
  const int end = static_cast<int>(Text().size());
  Perform(EM_SETSEL, static_cast<WPARAM>(end), end);
}

void TInplaceEdit::Hide() {
  if (!Visible()) return;
  if (Focused() && FGrid->CanFocus()) FGrid->SetFocus();
  SetVisible(false);
}

void TInplaceEdit::InternalMove(const TRect& Loc, bool Redraw) {
  if (IsRectEmpty(Loc)) {
    Hide();
    return;
  }
  SetBoundsRect(Loc);
  if (!Visible()) SetVisible(true);
  BoundsChanged();
  if (Redraw) Invalidate();
  if (FGrid->Focused() && CanFocus()) SetFocus();
}

void TInplaceEdit::Move(const TRect& Loc) { InternalMove(Loc, true); }

void TInplaceEdit::UpdateLoc(const TRect& Loc) { InternalMove(Loc, false); }

void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
  const bool forward = FGrid->Options().contains(goAlwaysShowEditor);
  const bool ctrl = Shift.contains(ssCtrl);
  const int len = static_cast<int>(Text().size());
  const int selStart = SelStart();
  const int selEnd = selStart + SelLength();
  // The caret at the start or at the end, with nothing or everything selected.
  const bool leftSide = selStart == 0 && (selEnd == 0 || selEnd == len);
  const bool rightSide = selEnd == len && (selStart == 0 || selStart == selEnd);
  auto sendToGrid = [&] {
    FGrid->KeyDown(Key, Shift);
    Key = 0;
  };
  switch (Key) {
    case VK_ESCAPE:
      // The text the editor came with goes back, and the editor closes.
      if (FGrid->EditorMode()) {
        SetText(FLoadedText);
        if (forward)
          SelectAll();
        else
          FGrid->HideEditor();
      }
      sendToGrid();
      break;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
      sendToGrid();
      break;
    case VK_INSERT:
      if (Shift.empty())
        sendToGrid();
      else if (Shift == TShiftState{ssShift} && !EditCanModify())
        Key = 0;
      break;
    case VK_LEFT:
    case VK_HOME:
      if (forward && (ctrl || leftSide)) sendToGrid();
      break;
    case VK_RIGHT:
    case VK_END:
      if (forward && (ctrl || rightSide)) sendToGrid();
      break;
    case VK_F2:
      if (FGrid->OnKeyDown) FGrid->OnKeyDown(FGrid, Key, Shift);
      if (Key == VK_F2) {
        Deselect();
        return;
      }
      break;
    case VK_DELETE:
      if (ctrl)
        sendToGrid();
      else if (!EditCanModify())
        Key = 0;
      break;
    default:
      break;
  }
  if (Key == 0) return;
  // The grid hears of every key its editor keeps.
  if (FGrid->OnKeyDown) FGrid->OnKeyDown(FGrid, Key, Shift);
  if (Key != 0) TCustomMaskEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(QChar& Key) {
  FGrid->KeyPress(Key);
  const ushort c = Key.unicode();
  if (c >= 32 && !FGrid->CanEditAcceptKey(Key)) {
    Key = QChar(0);
    MessageBeep(0);
  }
  switch (Key.unicode()) {
    case 9:
    case 27:
      Key = QChar(0);
      break;
    case 13: {
      // Enter with the editor kept open toggles between all and nothing selected.
      const int len = static_cast<int>(Text().size());
      if (SelStart() == 0 && SelLength() == len)
        Deselect();
      else
        SelectAll();
      Key = QChar(0);
      break;
    }
    case 8:
    case 22:
    case 24:
      if (!EditCanModify()) Key = QChar(0);
      break;
    default:
      if (Key.unicode() >= 32 && !EditCanModify()) Key = QChar(0);
      break;
  }
  if (Key.unicode() != 0) TCustomMaskEdit::KeyPress(Key);
}

void TInplaceEdit::KeyUp(Word& Key, TShiftState Shift) { FGrid->KeyUp(Key, Shift); }

void TInplaceEdit::DblClick() { FGrid->DblClick(); }

bool TInplaceEdit::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  return FGrid->DoMouseWheel(Shift, WheelDelta, MousePos);
}

void TInplaceEdit::WMGetDlgCode(TMessageView& Message) {
  TCustomMaskEdit::WMGetDlgCode(Message);
  if (FGrid->Options().contains(goTabs)) Message.Result |= DLGC_WANTTAB;
}

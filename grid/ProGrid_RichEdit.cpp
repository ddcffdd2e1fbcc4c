// The grid's rich edit: character offsets, its keys and focus as the in-place
// editor, resize requests, and the grid's side of edRichEdit cells.
#include "grid/ProGrid_RichEdit.h"

#include "grid/ProGrid.h"
#include "platform/ui/WinApi.h"

namespace {
constexpr int kScriptOffset = 40;  // twips
}

TProRichEdit::TProRichEdit(TComponent* AOwner)
    : TRichEdit(AOwner), FGrid(dynamic_cast<TProStringGrid*>(AOwner)) {}

void TProRichEdit::ReCreate() {
  FReqHeight = 0;
  FReqWidth = 0;
  FLocked = false;
}

void TProRichEdit::SetSelectionOffset(int Offset) {
  CHARFORMAT2 cf;
  cf.dwMask = CFM_OFFSET;
  cf.yOffset = Offset;
  Perform(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
}

int TProRichEdit::SelectionOffset() {
  CHARFORMAT2 cf;
  Perform(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  return cf.yOffset;
}

void TProRichEdit::SelNormal() { SetSelectionOffset(0); }
void TProRichEdit::SelSubscript() { SetSelectionOffset(-kScriptOffset); }
void TProRichEdit::SelSuperscript() { SetSelectionOffset(kScriptOffset); }
bool TProRichEdit::IsSelNormal() { return SelectionOffset() == 0; }
bool TProRichEdit::IsSelSubscript() { return SelectionOffset() == -kScriptOffset; }
bool TProRichEdit::IsSelSuperscript() { return SelectionOffset() == kScriptOffset; }

void TProRichEdit::WMGetDlgCode(TMessageView& Message) {
  TRichEdit::WMGetDlgCode(Message);
  Message.Result |= DLGC_WANTTAB;
}

void TProRichEdit::KeyDown(Word& Key, TShiftState Shift) {
  TRichEdit::KeyDown(Key, Shift);
  TProStringGrid* g = FGrid;
  if (g == nullptr || this != g->FInplaceRichEdit) return;
  if (Key == VK_ESCAPE && g->EditMode()) {
    // Escape cancels: the cell keeps its text.
    Key = 0;
    g->FEditCancelled = true;
    if (g->CanFocus()) g->SetFocus();
    g->HideInplaceEdit();
    return;
  }
  if (Key == VK_TAB && g->Options().contains(goTabs)) {
    Word k = Key;
    Key = 0;
    if (g->CanFocus()) g->SetFocus();
    g->KeyDown(k, Shift);
    g->ShowInplaceEdit();
    return;
  }
  if ((Key == VK_UP || Key == VK_DOWN) && !g->WordWrap() && !g->Multilinecells()) {
    Word k = Key;
    Key = 0;
    if (g->CanFocus()) g->SetFocus();
    g->KeyDown(k, Shift);
  }
}

void TProRichEdit::KeyPress(QChar& Key) {
  if (Key == QChar(u'\t') && FGrid != nullptr && this == FGrid->FInplaceRichEdit &&
      FGrid->Options().contains(goTabs)) {
    Key = QChar();
    return;
  }
  TRichEdit::KeyPress(Key);
}

void TProRichEdit::WMKillFocus(TWMKillFocus& Message) {
  TProStringGrid* g = FGrid;
  if (g != nullptr && this == g->FInplaceRichEdit) {
    if (g->FInvokedFocusChange) return;
    if (g->HandleAllocated() && Message.FocusedWnd() == g->Handle()) g->HideInplaceEdit();
  }
  TRichEdit::WMKillFocus(Message);
}

void TProRichEdit::RequestSize(const TRect& Rect) {
  TRichEdit::RequestSize(Rect);
  TProStringGrid* g = FGrid;
  if (g == nullptr || ComponentState().contains(csDesigning)) return;
  if (this != g->FInplaceRichEdit) {
    FReqWidth = Rect.Right - Rect.Left;
    FReqHeight = Rect.Bottom - Rect.Top;
    return;
  }
  if (!g->SizeWhileTyping()->Height() || FLocked) return;
  const int N = Rect.Bottom - Rect.Top;
  const int r = g->Row();
  const TRect cell = g->CellRect(g->Col(), r);
  if (g->RowHeights(r) < N + 5 && cell.Top + N + 5 < g->ClientHeight()) {
    SetHeight(N + 9);
    g->SetRowHeights(r, N + 10);
    if (g->OnEndRowSize) g->OnEndRowSize(g, r);
  }
}

// ---------------------------------------------------------------- the grid's side

TProRichEdit* TProStringGrid::RichEdit() {
  if (FRichEdit == nullptr) {
    FRichEdit = new TProRichEdit(this);
    FRichEdit->SetParent(this);
    FRichEdit->SetVisible(false);
    FRichEdit->SetBounds(0, 0, 0, 0);
    FRichEdit->SetBorderStyle(bsNone);
  }
  return FRichEdit;
}

TProRichEdit* TProStringGrid::InplaceRichEdit() {
  if (FInplaceRichEdit == nullptr) {
    FInplaceRichEdit = new TProRichEdit(this);
    FInplaceRichEdit->SetParent(this);
    FInplaceRichEdit->SetVisible(false);
    FInplaceRichEdit->OnSelectionChange = [this](TObject*) {
      if (OnRichEditSelectionChange) OnRichEditSelectionChange(this);
    };
  }
  return FInplaceRichEdit;
}

void TProStringGrid::SetUpRichEdit(int ACol, int ARow, const TRect& R, int W, int H, TColor BG) {
  TProRichEdit* re = InplaceRichEdit();
  const int c = RealColIndex(ACol);
  FEditMode = true;
  FEditCancelled = false;
  FInvokedFocusChange = false;
  re->ReCreate();
  re->SetParent(this);
  re->SetBorderStyle(bsNone);
  re->SetHideSelection(false);
  re->SetBounds(R.Left, R.Top, W, H);
  DoGetEditorProp(c, ARow, FEditLink);
  re->Lock();
  CellToRich(c, ARow, re);
  if (Navigation()->EditSelectAll()) re->SelectAll();
  re->SetVisible(true);
  re->SetEnabled(true);
  TRect fr(2, 2, R.Right - R.Left - 2, R.Bottom - R.Top - 2);
  re->Perform(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&fr));
  re->SetColor(BG);
  if (re->CanFocus()) re->SetFocus();
  if (!FStartEditChar.isNull() && re->HandleAllocated())
    PostMessage(re->Handle(), WM_CHAR, FStartEditChar.unicode(), 0);
  re->Unlock();
  FEditCtrl = re;
}

void TProStringGrid::StoreRichEdit(int ACol, int ARow) {
  TProRichEdit* re = InplaceRichEdit();
  if (FEditMode && !FEditCancelled) SetEditCellText(ACol, ARow, RichToString(re));
  FEditCancelled = false;
  re->SetEnabled(false);
  re->SetVisible(false);
  FEditMode = false;
}

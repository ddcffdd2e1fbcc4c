// The push-button editor: its keys, its release, and its set-up over a cell.
#include "grid/ProGrid_ButtonEditor.h"

#include "grid/ProGrid.h"
#include "platform/ui/WinApi.h"

TGridButton::TGridButton(TComponent* AOwner)
    : TButton(AOwner), FGrid(dynamic_cast<TProStringGrid*>(AOwner)) {
  OnClick = [this](TObject*) { FGrid->DoButtonClick(FGrid->RealColIndex(FGrid->Col()), FGrid->Row()); };
}

void TGridButton::TakeCaption() {
  SetCaption(FGrid->DoEllipsClick(Caption()));
  FGrid->SetCurrentCell(Caption());
}

void TGridButton::Leave() {
  SetVisible(false);
  SetEnabled(false);
  FGrid->FEditMode = false;
  if (FGrid->CanFocus()) FGrid->SetFocus();
}

void TGridButton::KeyDown(Word& Key, TShiftState Shift) {
  TProStringGrid* g = FGrid;
  switch (Key) {
    case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN: {
      Word k = Key;
      Key = 0;
      g->KeyDown(k, Shift);
      Leave();
      g->KeyUp(k, Shift);
      return;
    }
    case VK_ESCAPE: {
      Key = 0;
      // Restored first: hiding the button puts the editor away, which takes
      // the cell's present text as the cached one.
      g->RestoreCellCache();
      Leave();
      Word k = VK_ESCAPE;
      g->KeyDown(k, Shift);
      return;
    }
    default:
      TButton::KeyDown(Key, Shift);
  }
}

void TGridButton::KeyUp(Word& Key, TShiftState Shift) {
  if (Key == VK_SPACE) {
    // The button keeps the focus after Space.
    TakeCaption();
    Invalidate();
  }
  TButton::KeyUp(Key, Shift);
}

void TGridButton::WMLButtonUp(TWMMouse& Message) {
  TakeCaption();
  TButton::WMLButtonUp(Message);
}

void TGridButton::DoExit() {
  if (!FGrid->ComponentState().contains(csDestroying)) FGrid->HideInplaceEdit();
  TButton::DoExit();
}

void TGridButton::WMGetDlgCode(TMessageView& Message) {
  TButton::WMGetDlgCode(Message);
  Message.Result |= DLGC_WANTARROWS;
}

// ---------------------------------------------------------------- the grid's side

void TProStringGrid::SetUpButton(int ACol, int ARow, const TRect& R, int W, int H) {
  TGridButton* b = FGridButton;
  FEditMode = true;
  // The button covers the cell's lines too.
  b->SetBounds(R.Left - 1, R.Top - 1, W + 2, H + 2);
  b->SetCaption(GetEditText(ACol, ARow));
  b->SetVisible(true);
  b->SetEnabled(true);
  if (b->CanFocus()) b->SetFocus();
  FEditCtrl = b;
}

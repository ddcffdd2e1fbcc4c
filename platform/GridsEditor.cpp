// The grid's in-place editor: when it shows, what it is loaded with, where it
// stands, and how its text goes back to the cell (Grids.h).
#include "platform/Grids.h"

bool TCustomGrid::CanEditShow() {
  return FOptions.contains(goEditing) && !FOptions.contains(goRowSelect) && FEditorMode &&
         !ComponentState().contains(csDesigning) && HandleAllocated() &&
         (FOptions.contains(goAlwaysShowEditor) || IsActiveControl());
}

TInplaceEdit* TCustomGrid::CreateEditor() { return nullptr; }

bool TCustomGrid::IsActiveControl() { return Focused(); }

bool TCustomGrid::IsEditorWindow(HWND) const { return false; }

void TCustomGrid::SetEditorMode(bool Value) {
  if (!Value)
    HideEditor();
  else
    ShowEditor();
}

void TCustomGrid::ShowEditor() {
  FEditorMode = true;
  UpdateEdit();
}

void TCustomGrid::ShowEditorChar(QChar) { ShowEditor(); }

void TCustomGrid::HideEditor() {
  FEditorMode = false;
  HideEdit();
}

void TCustomGrid::HideEdit() {
  UpdateText();
  FInplaceCol = -1;
  FInplaceRow = -1;
}

void TCustomGrid::UpdateText() {}

void TCustomGrid::UpdateEdit() {}

void TCustomGrid::InvalidateEditor() {
  FInplaceCol = -1;
  FInplaceRow = -1;
  UpdateEdit();
}

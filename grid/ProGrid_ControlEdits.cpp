// The editors of the in-cell controls: Enter and Tab end the editing.
#include "grid/ProGrid_ControlEdits.h"

#include "grid/ProGrid.h"
#include "platform/ui/Messages.h"

namespace {

// Enter or Tab typed into an in-cell control editor whose parent is a grid:
// the key is swallowed, the control's exit handling runs and the grid takes
// the focus; Tab also advances the cursor with AdvanceAuto. True when taken.
bool EndControlEditing(TWinControl* Editor, QChar& Key, const std::function<void()>& Exit) {
  auto* grid = dynamic_cast<TProStringGrid*>(Editor->Parent());
  if (!grid || (Key != QChar(u'\r') && Key != QChar(u'\t'))) return false;
  const bool tab = Key == QChar(u'\t');
  Key = QChar();
  Exit();
  grid->SetFocus();
  if (tab && grid->Navigation()->AdvanceAuto())
    grid->AdvanceToNextCell(grid->Col(), grid->Row(), false, false, true, false, false);
  else if (tab)  // the next control of the cell whose control was edited
    grid->EditNextCellControl(grid->DisplColIndex(grid->CtrlXY().X), grid->CtrlXY().Y, grid->CtrlID());
  return true;
}

}  // namespace

TControlEdit::TControlEdit(TComponent* AOwner) : TMaskEdit(AOwner) {}

void TControlEdit::WMGetDlgCode(TMessageView& Message) {
  TMaskEdit::WMGetDlgCode(Message);
  Message.Result |= DLGC_WANTTAB;
}

void TControlEdit::KeyPress(QChar& Key) {
  if (!EndControlEditing(this, Key, [this] { DoExit(); })) TMaskEdit::KeyPress(Key);
}

TControlCombo::TControlCombo(TComponent* AOwner) : TPsgComboBox(AOwner) {}

void TControlCombo::WMGetDlgCode(TMessageView& Message) {
  TPsgComboBox::WMGetDlgCode(Message);
  Message.Result |= DLGC_WANTTAB;
}

void TControlCombo::KeyPress(QChar& Key) {
  if (!EndControlEditing(this, Key, [this] { DoExit(); })) TPsgComboBox::KeyPress(Key);
}

// Inline controls of mini-HTML cells (<CONTROL TYPE=... ID=... VALUE=...>):
// their values, presses on them, the edit box and combo box that edit them;
// the picture container and the reading order of HTML cells.
#include "controls/PictureContainer.h"
#include "controls/ProUtil.h"
#include "controls/PsgHTMLE.h"
#include "grid/ProGrid.h"
#include "grid/ProGrid_Anchors_p.h"
#include "grid/ProGrid_ControlEdits.h"
#include "platform/gdi/WinGdi.h"

namespace {

bool IsEditBoxType(const QString& Type) {
  return Type == QLatin1String("EDIT") || Type == QLatin1String("PASSWORD") || Type == QLatin1String("MASK");
}

}  // namespace

// ------------------------------------------------------------------ values

QString TProStringGrid::GetCtrlVal(int ACol, int ARow, const QString& ID) {
  QString value;
  return GetControlValue(Cells(ACol, ARow), ID, value) ? value : QString();
}

void TProStringGrid::SetCtrlVal(int ACol, int ARow, const QString& ID, const QString& Value) {
  QString text = Cells(ACol, ARow);
  if (SetControlValue(text, ID, Value)) SetCells(ACol, ARow, text);
}

// ------------------------------------------------------------------ presses

bool TProStringGrid::HTMLCellPress(int C, int R, TRect CR, int X, int Y) {
  const int RC = RealColIndex(C);
  const QString text = Cells(RC, R);
  THTMLCellHit hit;
  const int checkOffset = HasCheckBox(RC, R) ? ControlLook()->CheckSize() : 0;
  if (HTMLCellHitTest(*this, text, CR, X, Y, hit, QString(), checkOffset)) {
    if (hit.OnControl()) {
      HTMLControlPress(C, R, hit.ControlID, hit.ControlType, hit.ControlValue, hit.ControlRect);
      return true;
    }
    if (hit.Link > 0) {
      DoAnchorClick(C, R, hit.Anchor);
      return true;
    }
  }
  // The body of a cell with controls selects the cell and edits nothing.
  if (!HasControlTag(text)) return false;
  if (OnClickCell) OnClickCell(this, R, C);
  HideInplaceEdit();
  SetSelection(TGridRect{C, R, C, R});
  return true;
}

void TProStringGrid::HTMLControlPress(int C, int R, const QString& ID, const QString& Type,
                                      const QString& Value, TRect CtrlRect) {
  const int RC = RealColIndex(C);
  bool editable = (Options().contains(goEditing) || FEditDisable) && !ReadOnly(RC, R);
  DoCanEditCell(RC, R, editable);
  if (!editable) {
    DoAnchorClick(C, R, QStringLiteral("ctrl"));
    return;
  }
  if (FCtrlEditing) EndCellControlEdit(this);
  QString text = Cells(RC, R);
  if (Type == QLatin1String("BUTTON")) {
    FCtrlXY = TPoint(RC, R);
    FHTMLControlDown = true;
    RepaintCell(C, R);
  } else if (Type == QLatin1String("CHECK")) {
    // Checked is "TRUE" in any letter case, as the box is drawn.
    const bool checked = Value.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0;
    if (SetControlValue(text, ID, checked ? QStringLiteral("FALSE") : QStringLiteral("TRUE")))
      SetCells(RC, R, text);
  } else if (Type == QLatin1String("RADIO")) {
    text = ClearRadioControls(text);
    SetControlValue(text, ID, QStringLiteral("TRUE"));
    SetCells(RC, R, text);
  }
  if (OnControlClick) OnControlClick(this, R, RC, ID, Type, Value);
  EditCellControl(text, Type, R, RC, CtrlRect, Value, ID);
}

void TProStringGrid::ReleaseHTMLControlButton() {
  if (!FHTMLControlDown) return;
  FHTMLControlDown = false;
  if (FCtrlXY.X >= 0 && FCtrlXY.Y >= 0 && FCtrlXY.Y < RowCount())
    RepaintCell(DisplColIndex(FCtrlXY.X), FCtrlXY.Y);
}

// ------------------------------------------------------------------ editing

TControlEdit* TProStringGrid::ControlEditBox() {
  if (FControlEdit == nullptr) {
    FControlEdit = new TControlEdit(this);
    FControlEdit->SetAutoSize(false);
    FControlEdit->SetVisible(false);
    FControlEdit->SetParent(this);
  }
  return FControlEdit;
}

TControlCombo* TProStringGrid::ControlComboBox() {
  if (FControlCombo == nullptr) {
    FControlCombo = new TControlCombo(this);
    FControlCombo->SetVisible(false);
    FControlCombo->SetParent(this);
  }
  return FControlCombo;
}

void TProStringGrid::EditCellControl(const QString& CellText, const QString& CtrlType, int ARow, int ACol,
                                     TRect CtrlRect, const QString& CtrlValue, const QString& CtrlID) {
  const bool box = IsEditBoxType(CtrlType), combo = CtrlType == QLatin1String("COMBO");
  if (!box && !combo) return;
  FCtrlXY = TPoint(ACol, ARow);
  FCtrlID = CtrlID;
  FCtrlType = CtrlType;
  FCtrlEditing = true;
  const int maxLen = std::max(0, GetControlMaxLen(CellText, CtrlID));
  if (box) {
    TControlEdit* e = ControlEditBox();
    e->SetWidth(0);
    e->SetPasswordChar(CtrlType == QLatin1String("PASSWORD") ? QChar(u'*') : QChar());
    e->SetEditMask(CtrlType == QLatin1String("MASK") ? GetControlProp(CellText, CtrlID) : QString());
    e->OnExit = [this](TObject* Sender) { EndCellControlEdit(Sender); };
    e->SetText(CtrlValue);
    e->SetBorderStyle(bsNone);
    e->SetBounds(CtrlRect.Left + 1, CtrlRect.Top + 8, std::max(0, CtrlRect.Right - CtrlRect.Left - 4), 14);
    e->SetMaxLength(maxLen);
    e->Show();
    e->BringToFront();
    e->SetFocus();
    return;
  }
  TControlCombo* cb = ControlComboBox();
  cb->SetFlat(false);
  cb->SetLeft(CtrlRect.Left - 1);
  cb->SetWidth(CtrlRect.Right - CtrlRect.Left);
  cb->SetTop(CtrlRect.Top + 4);
  cb->OnSelect = [this](TObject* Sender) { ControlComboSelect(Sender); };
  bool edit = true;
  int dropCount = 8;
  cb->Items()->Clear();
  if (OnControlComboList)
    OnControlComboList(this, ARow, ACol, CtrlID, CtrlType, CtrlValue, cb->Items(), edit, dropCount);
  cb->SetStyle(edit ? csDropDown : csDropDownList);
  cb->SetItemIndex(cb->Items()->IndexOf(CtrlValue));
  if (edit) cb->SetText(CtrlValue);
  cb->SetDropDownCount(dropCount);
  cb->OnExit = [this](TObject* Sender) { EndCellControlEdit(Sender); };
  cb->SetMaxLength(maxLen);
  cb->Show();
  cb->SetFocus();
  cb->SetDroppedDown(true);
}

void TProStringGrid::EndCellControlEdit(TObject*) {
  if (!FCtrlEditing) return;
  FCtrlEditing = false;
  QString value;
  if (IsEditBoxType(FCtrlType) && FControlEdit != nullptr) {
    value = FControlEdit->Text();
    FControlEdit->Hide();
  } else if (FCtrlType == QLatin1String("COMBO") && FControlCombo != nullptr) {
    value = FControlCombo->Text();
    FControlCombo->Hide();
  }
  // The cell may have gone meanwhile (rows or columns removed).
  if (FCtrlXY.X >= 0 && FCtrlXY.X < TotalColCount() && FCtrlXY.Y >= 0 && FCtrlXY.Y < RowCount())
    SetCtrlVal(FCtrlXY.X, FCtrlXY.Y, FCtrlID, value);
  if (OnControlEditDone) OnControlEditDone(this, FCtrlXY.Y, FCtrlXY.X, FCtrlID, FCtrlType, value);
  FCtrlType.clear();
}

void TProStringGrid::ControlComboSelect(TObject*) {
  if (!OnControlComboSelect || FControlCombo == nullptr) return;
  const int i = FControlCombo->ItemIndex();
  const QString item = i >= 0 && i < FControlCombo->Items()->Count() ? FControlCombo->Items()->Strings(i)
                                                                     : QString();
  OnControlComboSelect(this, FCtrlXY.Y, FCtrlXY.X, i, FCtrlID, item);
}

void TProStringGrid::EditNextCellControl(int ACol, int ARow, const QString& ControlID) {
  const int RC = RealColIndex(ACol);
  const QString text = Cells(RC, ARow);
  const QString next = GetNextControlID(text, ControlID);
  if (next.isEmpty()) {
    if (CanFocus()) SetFocus();
    return;
  }
  THTMLCellHit hit;
  const int checkOffset = HasCheckBox(RC, ARow) ? ControlLook()->CheckSize() : 0;
  HTMLCellHitTest(*this, text, CellRect(ACol, ARow), -1, -1, hit, next, checkOffset);
  if (hit.OnControl()) EditCellControl(text, hit.ControlType, ARow, RC, hit.ControlRect, hit.ControlValue, next);
}

void TProStringGrid::EditFirstCellControl() {
  StoreOldCellText(Col(), Row());
  EditNextCellControl(Col(), Row(), QString());
}

// ------------------------------------------------------ pictures and reading order

void TProStringGrid::SetPictureContainer(TPictureContainer* Value) {
  if (Value == FPictureContainer) return;
  if (FPictureContainer) FPictureContainer->RemoveFreeNotification(this);
  FPictureContainer = Value;
  if (Value) Value->FreeNotification(this);
  Invalidate();
}

void TProStringGrid::SetBiDiMode(TBiDiMode Value) {
  if (Value == FBiDiMode) return;
  FBiDiMode = Value;
  Invalidate();
}

UINT TProStringGrid::DrawTextBiDiModeFlags(UINT Flags) const {
  if (UseRightToLeftAlignment()) {
    if ((Flags & DT_RIGHT) == DT_RIGHT)
      Flags &= ~UINT(DT_RIGHT);
    else if ((Flags & DT_CENTER) != DT_CENTER)
      Flags |= DT_RIGHT;
  }
  if (UseRightToLeftReading()) Flags |= DT_RTLREADING;
  return Flags;
}

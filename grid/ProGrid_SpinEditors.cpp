// The grid's spin editor: setting it up over a cell, its keys, and what it
// writes back when put away.
#include "grid/ProGrid_SpinEditors.h"

#include "controls/ProUtil.h"
#include "grid/ProGrid.h"
#include "platform/ui/WinApi.h"

TGridSpin::TGridSpin(TComponent* AOwner)
    : TPsgSpinEdit(AOwner), FGrid(dynamic_cast<TProStringGrid*>(AOwner)) {
  SetMaxValue(100);
  SetMinValue(0);
  SetIncrement(1);
}

void TGridSpin::DoSpinClick(bool UpDown) {
  TProStringGrid* g = FGrid;
  const int c = g->Col(), r = g->Row();
  switch (SpinType()) {
    case sptFloat:
      if (g->OnFloatSpinClick) g->OnFloatSpinClick(g, c, r, FloatValue(), UpDown);
      break;
    case sptDate:
      if (g->OnDateSpinClick) g->OnDateSpinClick(g, c, r, DateValue(), UpDown);
      break;
    case sptTime:
      if (g->OnTimeSpinClick) g->OnTimeSpinClick(g, c, r, TimeValue(), UpDown);
      break;
    default:
      if (g->OnSpinClick) g->OnSpinClick(g, c, r, Value(), UpDown);
  }
}

void TGridSpin::UpClick(TObject* Sender) {
  TPsgSpinEdit::UpClick(Sender);
  DoSpinClick(true);
}

void TGridSpin::DownClick(TObject* Sender) {
  TPsgSpinEdit::DownClick(Sender);
  DoSpinClick(false);
}

void TGridSpin::ClampValue() {
  if (!Text().trimmed().isEmpty()) ClampToBounds();
}

void TGridSpin::KeyDown(Word& Key, TShiftState Shift) {
  TProStringGrid* g = FGrid;
  const bool isFloat = SpinType() == sptFloat;
  switch (Key) {
    case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END: {
      // A page step that would leave the bounds is not taken.
      const bool up = Key == VK_PRIOR || Key == VK_HOME;
      if (isFloat) {
        const double v = FloatValue();
        if (Key == VK_PRIOR && v + IncrementFloat() <= MaxFloatValue()) SetFloatValue(v + IncrementFloat());
        if (Key == VK_NEXT && v - IncrementFloat() >= MinFloatValue()) SetFloatValue(v - IncrementFloat());
        if (Key == VK_HOME) SetFloatValue(MaxFloatValue());
        if (Key == VK_END) SetFloatValue(MinFloatValue());
      } else if (SpinType() == sptNormal) {
        const int v = Value();
        if (Key == VK_PRIOR && v + Increment() <= MaxValue()) SetValue(v + Increment());
        if (Key == VK_NEXT && v - Increment() >= MinValue()) SetValue(v - Increment());
        if (Key == VK_HOME) SetValue(MaxValue());
        if (Key == VK_END) SetValue(MinValue());
      }
      if (g->OnSpinClick) g->OnSpinClick(g, g->Col(), g->Row(), Value(), up);
      Key = 0;
      return;
    }
    case VK_ESCAPE:
    case VK_TAB:
    case VK_RETURN:
    case VK_UP:
    case VK_DOWN: {
      if (Key == VK_ESCAPE) {
        SetText(g->FCellCache);
        FEscaped = true;
      } else {
        ClampValue();
        g->SetCurrentCell(Text());
        if (!g->ValidateCell(Text())) {
          // A refused value: the editor stays on the cell's text.
          SetText(g->CurrentCell());
          SetSelStart(Text().size());
          Key = 0;
          g->FNoAutoAdvance = true;
          Invalidate();
          return;
        }
        SetText(g->CurrentCell());
      }
      const Word k = Key;
      Key = 0;
      if (k == VK_TAB && g->Options().contains(goTabs)) {
        g->HideInplaceEdit();
        if (g->CanFocus()) g->SetFocus();
        g->TabAdvance(Shift.contains(ssShift));
        return;
      }
      g->DoneInplaceEdit(k, Shift);
      return;
    }
    default:
      TPsgSpinEdit::KeyDown(Key, Shift);
  }
}

void TGridSpin::KeyPress(QChar& Key) {
  if (Key == QChar(VK_ESCAPE) || Key == QChar(VK_RETURN)) {
    Key = QChar();
    return;
  }
  TPsgSpinEdit::KeyPress(Key);
}

void TGridSpin::WMChar(TWMKey& Message) {
  if (Message.CharCode() == VK_TAB || Message.CharCode() == VK_RETURN) return;
  TPsgSpinEdit::WMChar(Message);
}

void TGridSpin::WMKeyDown(TWMKey& Message) {
  switch (Message.CharCode()) {
    case VK_PRIOR: case VK_NEXT: case VK_UP: case VK_DOWN:
      TCustomMaskEdit::WMKeyDown(Message);
      return;
    default:
      TPsgSpinEdit::WMKeyDown(Message);
  }
}

void TGridSpin::Change() {
  TPsgSpinEdit::Change();
  TProStringGrid* g = FGrid;
  if (g->OnEditChange) g->OnEditChange(g, g->Col(), g->Row(), Text());
}

void TGridSpin::DoExit() {
  if (!FGrid->ComponentState().contains(csDestroying)) FGrid->HideInplaceEdit();
  TPsgSpinEdit::DoExit();
}

void TGridSpin::WMGetDlgCode(TMessageView& Message) {
  TPsgSpinEdit::WMGetDlgCode(Message);
  Message.Result |= DLGC_WANTARROWS | DLGC_WANTALLKEYS;
  if (FGrid->Options().contains(goTabs)) Message.Result |= DLGC_WANTTAB;
}

// ---------------------------------------------------------------- the grid's side

TGridSpin* TProStringGrid::SpinEdit() {
  if (FSpinEdit == nullptr) {
    FSpinEdit = new TGridSpin(this);
    FSpinEdit->SetParent(this);
    FSpinEdit->SetEnabled(false);
    FSpinEdit->SetVisible(false);
    FSpinEdit->SetBorderStyle(bsNone);
  }
  return FSpinEdit;
}

void TProStringGrid::SetUpSpin(int ACol, int ARow, const TRect& R, int W, int H, TColor BG) {
  TGridSpin* sp = SpinEdit();
  const int c = RealColIndex(ACol);
  FEditMode = true;
  sp->SetBounds(R.Left, R.Top, W, H);
  sp->SetVisible(true);
  sp->SetEnabled(true);
  sp->SetColor(BG);
  sp->SetExcelStyleDecimalSeparator(FExcelStyleDecimalSeparator);
  DoGetEditorProp(c, ARow, nullptr);
  const QString s = GetEditText(ACol, ARow);
  if (FEditControl == edFloatSpinEdit) {
    sp->SetSpinType(sptFloat);
    // The plain number text has a decimal point whatever the locale's separator.
    TFormatSettings point = FormatSettings;
    point.DecimalSeparator = u'.';
    point.ThousandSeparator = u',';
    double v = 0;
    sp->SetFloatValue(TryStrToFloat(NormalizeNumberText(s), v, point) ? v : 0.0);
  } else if (FEditControl == edTimeSpinEdit) {
    sp->SetSpinType(sptTime);
    sp->SetText(s);
  } else if (FEditControl == edDateSpinEdit) {
    sp->SetSpinType(sptDate);
    // An empty cell, or one holding no date, opens on today.
    TDateTime d = 0;
    sp->SetDateValue(TryStrToDate(s, d) ? d : Now());
  } else {
    sp->SetSpinType(sptNormal);
    int v = 0;
    sp->SetValue(TryStrToInt(s.trimmed(), v) ? v : 0);
  }
  if (sp->CanFocus()) sp->SetFocus();
  sp->SelectAll();
  // A press on the cell's own spin button opened the editor: it takes that
  // step, as a step of the cell rather than of the editor (no spin click).
  if (FSpinUpClick) sp->TPsgSpinEdit::UpClick(sp);
  if (FSpinDnClick) sp->TPsgSpinEdit::DownClick(sp);
  FSpinUpClick = FSpinDnClick = false;
  if (!FStartEditChar.isNull() && sp->HandleAllocated())
    PostMessage(sp->Handle(), WM_CHAR, FStartEditChar.unicode(), 0);
  FEditCtrl = sp;
}

void TProStringGrid::StoreSpin(int ACol, int ARow) {
  TGridSpin* sp = SpinEdit();
  if (FEditMode && sp->FEscaped) {
    // Escape gives the cell back the text it had, as it was written.
    SetEditCellText(ACol, ARow, FCellCache);
  } else if (FEditMode) {
    sp->ClampValue();
    if (sp->AllowEmptyValue() && sp->Text().trimmed().isEmpty())
      SetEditCellText(ACol, ARow, QString());
    else if (FEditControl == edFloatSpinEdit)
      SetFloats(ACol, ARow, sp->FloatValue());
    else if (FEditControl == edTimeSpinEdit)
      SetEditCellText(ACol, ARow, sp->Text());
    else if (FEditControl == edDateSpinEdit)
      SetDates(ACol, ARow, sp->DateValue());
    else
      SetInts(ACol, ARow, sp->Value());
  }
  // Put away before it is hidden: hiding moves the focus, and its exit must
  // not store the value a second time.
  FEditMode = false;
  sp->FEscaped = false;
  sp->SetVisible(false);
  sp->SetEnabled(false);
}

void TProStringGrid::SpinButtonPress(int C, int R, const TRect& CR, int X, int Y) {
  if (IsDesigning() || !FControlLook->SpinButtonsAlwaysVisible() || !HasSpinEdit(RealColIndex(C), R)) return;
  if (X <= CR.Right - 18) return;
  if (Y > CR.Top + (CR.Bottom - CR.Top) / 2)
    FSpinDnClick = true;
  else
    FSpinUpClick = true;
}

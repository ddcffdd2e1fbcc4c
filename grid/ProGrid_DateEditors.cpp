// The grid's date editor: setting it up over a cell, walking its fields as
// digits are typed, its keys, the calendar's drop-down and close-up, and what
// it writes back when put away.
#include "grid/ProGrid_DateEditors.h"

#include <QScopeGuard>
#include <cmath>

#include "grid/ProGrid.h"
#include "platform/gdi/WinGdi.h"
#include "platform/ui/WinApi.h"

namespace {

// A date as a cell's text may hold it: a date and time, a date or a time.
bool TryTextToDate(const QString& S, TDateTime& D) {
  return TryStrToDateTime(S, D) || TryStrToDate(S, D) || TryStrToTime(S, D);
}

}  // namespace

// ------------------------------------------------------------ TGridDatePicker

TGridDatePicker::TGridDatePicker(TComponent* AOwner)
    : TPsgDateTimePicker(AOwner), FGrid(dynamic_cast<TProStringGrid*>(AOwner)) {}

void TGridDatePicker::ReCreate() {
  if (DroppedDown()) SetDroppedDown(false);
  FOldDropped = false;
  FDigitField = -1;
  FTyped = 0;
}

void TGridDatePicker::WndProc(TMessage& Message) {
  if (Message.Msg == DTPShiftFocusMessage() && Message.Msg != 0) {
    ShiftFieldFocus();
    return;
  }
  TPsgDateTimePicker::WndProc(Message);
  if (Message.Msg == WM_NCPAINT) HideBorder();
}

void TGridDatePicker::HideBorder() {
  if (!HandleAllocated()) return;
  HDC dc = GetWindowDC(Handle());
  if (dc == nullptr) return;
  const auto release = qScopeGuard([&] { ReleaseDC(Handle(), dc); });
  HBRUSH br = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(clWindow)));
  TRect r(0, 0, Width(), Height());
  ::FrameRect(dc, r, br);
  InflateRect(r, -1, -1);
  ::FrameRect(dc, r, br);
  DeleteObject(br);
}

void TGridDatePicker::ShiftFieldFocus() {
  // The picker moves on by itself after a full field; a second move would
  // skip the next field.
  const bool movedOn = FCurField != FDigitField;
  FDigitField = -1;
  if (movedOn || !HandleAllocated()) return;
  Word y, m, d, th, tm, ts, tms;
  DecodeDate(DateTime(), y, m, d);
  DecodeTime(DateTime(), th, tm, ts, tms);
  bool next = false;
  if (Kind() == dtkTime) {
    next = th != Fth || tm != Ftm || ts != Fts;
  } else if (!Format().isEmpty()) {
    const QChar last = Format().back().toLower();
    const bool lastTyped = (d != Fd && last == u'd') || (m != Fm && last == u'm') || (y != Fy && last == u'y');
    next = !lastTyped && (d != Fd || m != Fm || y != Fy);
  } else {
    next = d != Fd || m != Fm;
  }
  // Already on the posted message: the move is made at once, so that the
  // next digit typed goes to the next field.
  if (next) SendMessage(Handle(), WM_KEYDOWN, VK_RIGHT, 0);
}

void TGridDatePicker::KeyPress(QChar& Key) {
  if (Key.isDigit()) {
    DecodeDate(DateTime(), Fy, Fm, Fd);
    DecodeTime(DateTime(), Fth, Ftm, Fts, Ftms);
    FDigitField = FCurField;
    if (HandleAllocated()) PostMessage(Handle(), DTPShiftFocusMessage(), 0, 0);
  }
  if (FGrid != nullptr && FGrid->OnKeyPress) FGrid->OnKeyPress(FGrid, Key);
  TPsgDateTimePicker::KeyPress(Key);
}

void TGridDatePicker::ShowText(const QString& Text) {
  TDateTime v = 0;
  const bool ok = Kind() == dtkTime ? TryStrToTime(Text, v) : TryTextToDate(Text, v);
  if (!ok) return;
  try {
    if (Kind() == dtkTime) SetTime(v);
    else SetDate(v);
  } catch (const EDateTimeError&) {
    // A text beyond MinDate..MaxDate leaves the picker as it is.
  }
}

bool TGridDatePicker::ValidateText(Word& Key) {
  TProStringGrid* g = FGrid;
  const QString t = g->DateEditorText();
  g->SetCurrentCell(t);
  if (!g->ValidateCell(t)) {
    ShowText(g->NewCellText());
    Invalidate();
    Key = 0;
    g->FNoAutoAdvance = true;
    return false;
  }
  ShowText(g->CurrentCell());
  return true;
}

void TGridDatePicker::KeyDown(Word& Key, TShiftState Shift) {
  TProStringGrid* g = FGrid;
  if (g == nullptr) {
    TPsgDateTimePicker::KeyDown(Key, Shift);
    return;
  }
  const Word k = Key;
  switch (k) {
    case VK_ESCAPE:
      // Escape cancels: the cell keeps the text it had when the editor
      // opened, and nothing of the picker is stored.
      g->FEditCancelled = true;
      ShowText(g->FCellCache);
      if (FOldDropped) {
        // The calendar takes the key and closes; an editor that stays up
        // after that may still store its value (see CloseUp).
        TPsgDateTimePicker::KeyDown(Key, Shift);
        return;
      }
      break;
    case VK_RETURN:
      if (!ValidateText(Key)) return;
      // The editor stays while the calendar is open: what it holds when it
      // goes is validated again.
      if (FOldDropped) g->FEditing = true;
      break;
    case VK_TAB:
      if (!g->EditorWantsTab()) break;
      if (!ValidateText(Key)) return;
      if (g->Options().contains(goTabs)) {
        Key = 0;
        g->HideInplaceEdit();
        if (g->CanFocus()) g->SetFocus();
        g->TabAdvance(Shift.contains(ssShift));
        return;
      }
      if (g->HandleAllocated()) PostMessage(g->Handle(), WM_KEYDOWN, VK_TAB, 0);
      break;
    default:
      break;
  }
  switch (k) {
    case VK_TAB: case VK_RETURN: case VK_ESCAPE: case VK_PRIOR: case VK_NEXT: case VK_END:
      if (!FOldDropped) {
        Key = 0;
        g->DoneInplaceEdit(k, Shift);
        return;
      }
      break;
    default:
      break;
  }
  TPsgDateTimePicker::KeyDown(Key, Shift);
}

void TGridDatePicker::DoExit() {
  if (FGrid != nullptr && !FGrid->ComponentState().contains(csDestroying)) FGrid->HideInplaceEdit();
  TPsgDateTimePicker::DoExit();
}

void TGridDatePicker::CMWantSpecialKey(TWMKey& Message) {
  const Word k = Message.CharCode();
  if (k == VK_RETURN || k == VK_ESCAPE || (k == VK_TAB && FGrid != nullptr && FGrid->EditorWantsTab())) {
    Message.Result = 1;
    return;
  }
  TPsgDateTimePicker::CMWantSpecialKey(Message);
}

void TGridDatePicker::WMGetDlgCode(TMessageView& Message) {
  TPsgDateTimePicker::WMGetDlgCode(Message);
  if (FGrid != nullptr && FGrid->EditorWantsTab()) Message.Result |= DLGC_WANTTAB;
}

void TGridDatePicker::DropDown() {
  FOldDropped = true;
  if (HandleAllocated()) {
    HWND cal = reinterpret_cast<HWND>(SendMessage(Handle(), DTM_GETMONTHCAL, 0, 0));
    if (cal != nullptr) {
      LONG style = GetWindowLong(cal, GWL_STYLE);
      style = FWeekNumbers ? style | LONG(MCS_WEEKNUMBERS) : style & ~LONG(MCS_WEEKNUMBERS);
      style = FShowToday ? style & ~LONG(MCS_NOTODAY) : style | LONG(MCS_NOTODAY);
      style = FShowTodayCircle ? style & ~LONG(MCS_NOTODAYCIRCLE) : style | LONG(MCS_NOTODAYCIRCLE);
      SetWindowLong(cal, GWL_STYLE, style);
      TRect r;
      SendMessage(cal, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&r));
      SetWindowPos(cal, nullptr, 0, 0, r.Right - r.Left + 2, r.Bottom - r.Top + 2, SWP_NOMOVE | SWP_NOZORDER);
    }
  }
  TPsgDateTimePicker::DropDown();
  if (FGrid != nullptr && FGrid->OnDatePickerDropDown) FGrid->OnDatePickerDropDown(FGrid, FGrid->Row(), FGrid->Col());
}

void TGridDatePicker::CloseUp() {
  FOldDropped = false;
  TPsgDateTimePicker::CloseUp();
  TProStringGrid* g = FGrid;
  if (g == nullptr) return;
  if (g->OnDatePickerCloseUp) g->OnDatePickerCloseUp(g, g->Row(), g->Col());
  if (g->MouseActions()->DirectDateClose() && g->EditMode() && g->EditCtrl() == this) {
    g->HideInplaceEdit();
    // The keys go on to the grid.
    if (g->CanFocus()) g->SetFocus();
  }
  // Escape closed only the calendar: the editor goes on.
  if (g->EditMode() && g->EditCtrl() == this) g->FEditCancelled = false;
}

void TGridDatePicker::Change() {
  TPsgDateTimePicker::Change();
  TProStringGrid* g = FGrid;
  if (g != nullptr && g->OnEditChange)
    g->OnEditChange(g, g->Col(), g->Row(), Kind() == dtkTime ? TimeToStr(Time()) : DateToStr(Date()));
}

// ---------------------------------------------------------------- the grid's side

TGridDatePicker* TProStringGrid::DateEditor() {
  if (FDateEditor == nullptr) {
    FDateEditor = new TGridDatePicker(this);
    FDateEditor->SetParent(this);
    FDateEditor->SetEnabled(false);
    FDateEditor->SetVisible(false);
  }
  return FDateEditor;
}

TDateTime TProStringGrid::DateEditorNow() const { return DateEditorClock ? DateEditorClock() : Now(); }

QString TProStringGrid::DateEditorText() {
  TGridDatePicker* dp = DateEditor();
  if (FEditControl != edTimeEdit) return dp->DisplayText();
  // The time is read in the picker's own format: the process-wide long time
  // format stands in for it meanwhile and comes back on every path.
  QString saved = FormatSettings.LongTimeFormat;
  const auto restore = qScopeGuard([&] { FormatSettings.LongTimeFormat = saved; });
  if (!dp->Format().isEmpty()) FormatSettings.LongTimeFormat = dp->Format();
  return dp->DisplayText();
}

void TProStringGrid::SetUpDatePicker(int ACol, int ARow, const TRect& R, int W, int H, TColor BG) {
  TGridDatePicker* dp = DateEditor();
  const int c = RealColIndex(ACol);
  const bool time = FEditControl == edTimeEdit;
  FEditMode = true;
  FEditCancelled = false;
  dp->SetParent(this);
  dp->ReCreate();
  const QString S = GetEditText(ACol, ARow);
  const TDateTime now = DateEditorNow();
  TDateTime D = now;
  if (time) {
    if (S.isEmpty() || !TryStrToTime(S, D)) D = now;
  } else if (!S.isEmpty()) {
    if (OnCustomStrToDate) {
      OnCustomStrToDate(this, S, D);
    } else if (!TryTextToDate(S, D)) {
      D = now;
    }
  }
  if (!std::isfinite(D)) D = now;
  if (!time) {
    // The date is kept one day inside the picker's bounds.
    if (dp->MaxDate() != 0 && D > dp->MaxDate()) D = dp->MaxDate() - 1;
    if (dp->MinDate() != 0 && D <= dp->MinDate()) D = dp->MinDate() + 1;
  }
  try {
    if (time) dp->SetTime(D);
    else dp->SetDate(D);
  } catch (const EDateTimeError&) {
    // Bounds closer than two days: the nearest day the picker takes.
    const double lo = dp->MinDate(), hi = dp->MaxDate();
    dp->SetDate(lo != 0 ? lo : hi);
  }
  dp->SetKind(time ? dtkTime : dtkDate);
  dp->SetDateMode(FEditControl == edDateEditUpDown ? dmUpDown : dmComboBox);
  if (!time) DoGetEditorProp(c, ARow, FEditLink);
  dp->SetTop(R.Top);
  dp->SetLeft(R.Left);
  dp->SetWidth(W);
  if (time || dp->Height() != H) dp->SetHeight(H);
  dp->SetEnabled(true);
  dp->SetVisible(true);
  dp->SetColor(BG);
  if (time) DoGetEditorProp(c, ARow, FEditLink);
  if (dp->CanFocus()) dp->SetFocus();
  if (!time && MouseActions()->DirectDateDrop() && dp->HandleAllocated())
    SendMessage(dp->Handle(), WM_KEYDOWN, VK_F4, 0);
  if (!time && !FStartEditChar.isNull() && dp->HandleAllocated())
    PostMessage(dp->Handle(), WM_CHAR, FStartEditChar.unicode(), 0);
  FEditCtrl = dp;
}

void TProStringGrid::StoreDatePicker(int ACol, int ARow) {
  TGridDatePicker* dp = DateEditor();
  if (FEditMode) {
    if (FEditCancelled) {
      // Escape: the text the cell had when the editor opened, nothing else.
      if (Cells(ACol, ARow) != FCellCache) SetEditCellText(ACol, ARow, FCellCache);
    } else if (FEditControl == edTimeEdit) {
      SetEditCellText(ACol, ARow, DateEditorText());
    } else {
      SetEditCellText(ACol, ARow, dp->Checked() ? DateEditorText() : QString());
    }
  }
  FEditCancelled = false;
  FEditMode = false;
  dp->SetEnabled(false);
  dp->SetVisible(false);
}

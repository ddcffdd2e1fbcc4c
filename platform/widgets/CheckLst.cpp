// TCheckListBox: check boxes before the items of a list box.
#include "platform/widgets/CheckLst.h"

#include "platform/ui/ControlWidget_p.h"
#include "platform/widgets/StdCtrls_p.h"

using namespace StdCtrlsPrivate;

namespace {
[[noreturn]] void IndexError(int Index) {
  throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}
}  // namespace

TCheckListBox::TCheckListBox(TComponent* AOwner) : TCustomListBox(AOwner) {
  FView->setObjectName(QStringLiteral("TCheckListBox"));
}

TCheckListBox::~TCheckListBox() = default;

bool TCheckListBox::Checked(int Index) const { return State(Index) == cbChecked; }

void TCheckListBox::SetChecked(int Index, bool Value) { SetState(Index, Value ? cbChecked : cbUnchecked); }

TCheckBoxState TCheckListBox::State(int Index) const {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  return static_cast<TCheckBoxState>(FEntries[static_cast<size_t>(Index)].State);
}

void TCheckListBox::SetState(int Index, TCheckBoxState Value) {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  if (FEntries[static_cast<size_t>(Index)].State == Value) return;
  FEntries[static_cast<size_t>(Index)].State = Value;
  Invalidate();
}

bool TCheckListBox::ItemEnabled(int Index) const {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  return FEntries[static_cast<size_t>(Index)].Enabled;
}

void TCheckListBox::SetItemEnabled(int Index, bool Value) {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  FEntries[static_cast<size_t>(Index)].Enabled = Value;
  Invalidate();
}

void TCheckListBox::SetFlat(bool Value) {
  FFlat = Value;
  Invalidate();
}

void TCheckListBox::CheckAll(TCheckBoxState AState, bool AllowGrayed, bool AllowDisabled) {
  for (auto& e : FEntries) {
    if (!AllowDisabled && !e.Enabled) continue;
    if (!AllowGrayed && e.State == cbGrayed) continue;
    e.State = AState;
  }
  Invalidate();
}

void TCheckListBox::ClickCheck() {
  if (OnClickCheck) OnClickCheck(this);
}

void TCheckListBox::ToggleClickCheck(int Index) {
  if (Index < 0 || Index >= Count() || !ItemEnabled(Index)) return;
  TCheckBoxState s = State(Index);
  switch (s) {
    case cbUnchecked: s = FAllowGrayed ? cbGrayed : cbChecked; break;
    case cbChecked: s = cbUnchecked; break;
    case cbGrayed: s = cbChecked; break;
  }
  SetState(Index, s);
  ClickCheck();
}

void TCheckListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
  TCanvas* c = Canvas();
  const TRect box(Rect.Left, Rect.Top, Rect.Left + CheckWidth(), Rect.Bottom);
  if (Index >= 0 && Index < Count()) {
    // The check box column keeps the list's colour.
    FillColor(c->Handle(), box, Color());
    const TEntry& e = FEntries[static_cast<size_t>(Index)];
    const int s = 13;
    const TRect b = Bounds(box.Left + (box.Width() - s) / 2, box.Top + (box.Height() - s) / 2, s, s);
    UINT st = e.State == cbGrayed ? (DFCS_BUTTON3STATE | DFCS_CHECKED)
                                  : (DFCS_BUTTONCHECK | (e.State == cbChecked ? DFCS_CHECKED : 0u));
    if (FFlat) st |= DFCS_FLAT;
    if (!Enabled() || !e.Enabled) st |= DFCS_INACTIVE;
    DrawFrameControl(c->Handle(), b, DFC_BUTTON, st);
  }
  Rect.Left += CheckWidth();
  TCustomListBox::DrawItem(Index, Rect, State);
}

void TCheckListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomListBox::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  const int i = ItemAtPos(TPoint(X, Y), true);
  if (i >= 0 && X - ItemRect(i).Left < CheckWidth()) ToggleClickCheck(i);
}

void TCheckListBox::KeyPress(QChar& Key) {
  if (Key == QLatin1Char(' ')) ToggleClickCheck(ItemIndex());
  TCustomListBox::KeyPress(Key);
}

// Edit links: the link's default operations, the keys that end its edit, its
// pop-up form, and the grid's side: showing a link over a cell and storing
// its value.
#include "grid/ProGrid_EditLink.h"

#include <QScopedValueRollback>

#include "grid/ProGrid.h"
#include "platform/ui/Forms.h"
#include "platform/ui/WinApi.h"

// ------------------------------------------------------------------ TEditLink

TEditLink::TEditLink(TComponent* AOwner) : TComponent(AOwner) {}

TEditLink::~TEditLink() {
  // The control may outlive the link: it gets its own window procedure back.
  if (FSubClassedControl != nullptr) {
    FSubClassedControl->WindowProc = FOldWndProc;
    FSubClassedControl->RemoveFreeNotification(this);
  }
}

void TEditLink::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FOwner) FOwner = nullptr;
  if (AComponent == FSubClassedControl) {
    FSubClassedControl = nullptr;
    FOldWndProc = nullptr;
    FSubClassed = false;
  }
}

void TEditLink::CreateEditor(TWinControl*) {}
void TEditLink::DestroyEditor() {}
void TEditLink::SetProperties() {}
void TEditLink::SetCellProps(TColor, TFont*) {}
QString TEditLink::GetEditorValue() { return QString(); }
void TEditLink::SetEditorValue(const QString&) {}

void TEditLink::SetRect(TRect R) {
  TWinControl* c = GetEditControl();
  if (c == nullptr) return;
  const int line = FOwner != nullptr ? FOwner->GridLineWidth() : 0;
  c->SetBounds(R.Left, R.Top, R.Right - R.Left - line, R.Bottom - R.Top - line);
}

void TEditLink::SetVisible(bool Value) {
  if (TWinControl* c = GetEditControl()) c->SetVisible(Value);
}

void TEditLink::SubClassWndProc(TMessage& Message) {
  // With goTabs the control is asked for every key, Tab, Enter and Escape
  // included, and still gets its characters.
  if (Message.Msg == WM_GETDLGCODE && FOwner != nullptr && FOwner->Options().contains(goTabs)) {
    Message.Result = DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    return;
  }
  if (FOldWndProc) FOldWndProc(Message);
}

void TEditLink::SetFocus(bool Value) {
  if (!Value) {
    if (FOwner != nullptr && FOwner->CanFocus()) FOwner->SetFocus();
    return;
  }
  TWinControl* c = GetEditControl();
  if (c == nullptr) return;
  c->SetVisible(true);
  c->SetEnabled(true);
  if (FEditStyle == esInplace && !FSubClassed) {
    FOldWndProc = c->WindowProc;
    FSubClassedControl = c;
    c->FreeNotification(this);
    c->WindowProc = [this](TMessage& M) { SubClassWndProc(M); };
    FSubClassed = true;
  }
  if (c->CanFocus()) c->SetFocus();
}

void TEditLink::RestoreWinProc() {
  if (FEditStyle != esInplace) return;
  TWinControl* c = GetEditControl();
  if (c == nullptr) return;
  if (FSubClassed && c == FSubClassedControl) {
    c->WindowProc = FOldWndProc;
    c->RemoveFreeNotification(this);
    FSubClassedControl = nullptr;
    FOldWndProc = nullptr;
  }
  FSubClassed = false;
  if (c->HandleAllocated()) c->SetVisible(false);
}

TWinControl* TEditLink::GetParent() {
  if (FEditStyle == esPopup) return FPopupForm.get();
  return FOwner;
}

QString TEditLink::GetCellValue() {
  if (FOwner == nullptr) return QString();
  return FOwner->Cells(FOwner->RealColIndex(FOwner->Col()), FOwner->Row());
}

void TEditLink::SetCellValue(const QString& S) {
  if (FOwner == nullptr) return;
  FOwner->SetEditCellText(FOwner->RealColIndex(FOwner->Col()), FOwner->Row(), S);
}

void TEditLink::HideEditor() {
  if (FOwner == nullptr) return;
  SetCellValue(GetEditorValue());
  FOwner->HideInplaceEdit();
  RestoreWinProc();
}

void TEditLink::EditExit(TObject*) {
  // The grid is taking the focus back to store the value itself.
  if (FForcedExit) return;
  HideEditor();
  if (FEditStyle == esPopup && FPopupForm != nullptr) {
    DestroyEditor();
    FPopupForm->Hide();
  }
}

void TEditLink::FormExit(TObject* Sender) {
  if (FOwner == nullptr) return;
  if (TProInplaceEdit* ed = FOwner->NormalEdit()) ed->SetText(GetEditorValue());
  if (FForcedExit) {
    SetCellValue(GetEditorValue());
    return;
  }
  EditExit(Sender);
  FOwner->FInvokedFocusChange = true;
}

void TEditLink::ShowPopupForm(TPoint P) {
  if (FPopupForm == nullptr) {
    // Each link has a form of its own, never shared with another link.
    FPopupForm = std::make_unique<TForm>(nullptr);
    FPopupForm->SetBorderStyle(bsNone);
    FPopupForm->SetFormStyle(fsStayOnTop);
    FPopupForm->OnDeactivate = [this](TObject* S) { FormExit(S); };
  }
  TForm* f = FPopupForm.get();
  f->SetLeft(P.X);
  f->SetTop(P.Y);
  f->SetWidth(0);
  f->SetHeight(0);
  f->Show();
  f->SetLeft(P.X);
  f->SetTop(P.Y);
  f->SetWidth(FPopupWidth);
  f->SetHeight(FPopupHeight);
}

void TEditLink::EditKeyDown(TObject*, Word& Key, TShiftState Shift) {
  TProStringGrid* g = FOwner;
  if (g == nullptr) return;
  bool ends = false;
  switch (Key) {
    case VK_TAB: ends = !FWantTabs; break;
    case VK_RETURN: ends = !FWantKeyReturn; break;
    case VK_ESCAPE: ends = !FWantKeyEscape; break;
    case VK_PRIOR: case VK_NEXT: ends = !FWantKeyPriorNext; break;
    case VK_END: ends = !FWantKeyHomeEnd; break;
    case VK_LEFT: case VK_RIGHT: ends = !FWantKeyLeftRight; break;
    case VK_UP: case VK_DOWN: ends = !FWantKeyUpDown; break;
    default: ends = Shift.contains(ssAlt); break;
  }
  if (!ends) return;
  const Word k = Key;
  // The control's exit, as it is hidden, does not store a second time.
  auto store = [&] {
    QScopedValueRollback<bool> forced(FForcedExit, true);
    if (g->CanFocus()) g->SetFocus();
    g->StoreEditorValue(g->Col(), g->Row());
  };
  if (k == VK_TAB) {
    Key = 0;
    if (g->Navigation()->TabToNextAtEnd()) {
      store();
      if (FEditStyle == esPopup) EditExit(this);
      const TPoint from(g->Col(), g->Row());
      g->TabAdvance(Shift.contains(ssShift));
      if (TPoint(g->Col(), g->Row()) != from && !g->IsControlCell(g->RealColIndex(g->Col()), g->Row())) {
        g->FEditMode = false;
        if (g->HandleAllocated()) PostMessage(g->Handle(), WM_KEYDOWN, VK_F2, 0);
        return;
      }
    }
  }
  // A refused value brings the editor back on the same cell, either while the
  // value is stored (the control's exit) or when the cell is selected again.
  auto reopened = [g] { return g->FEditMode && g->FEditControl == edCustom && g->FEditActive; };
  if (k == VK_ESCAPE) {
    SetEditorValue(g->FCellCache);
  } else if (g->FEditActive) {
    // The value is validated before it is stored: refused, the editor stays
    // on the cell with the text validation settled on.
    const QString v = GetEditorValue();
    g->SetCurrentCell(v);
    if (!g->ValidateCell(v)) {
      SetEditorValue(g->NewCellText());
      g->FLastValidation = true;
      g->FNoAutoAdvance = true;
      Key = 0;
      if (TWinControl* c = GetEditControl(); c != nullptr && c->CanFocus()) c->SetFocus();
      return;
    }
  }
  if (g->FEditActive) store();
  if (reopened()) {
    Key = 0;
    return;
  }
  if (FEditStyle == esPopup) EditExit(this);
  g->FEditMode = false;
  g->SelectCell(g->Col(), g->Row());
  if (!g->FLastValidation || reopened()) {
    g->FLastValidation = true;
    Key = 0;
    if (!g->FEditMode) {
      g->FEditControl = edCustom;
      g->FEditMode = true;
      g->PrepareCellEditor(g->Col(), g->Row());
    }
    return;
  }
  if (k == VK_RETURN) {
    Key = 0;
    if (g->Navigation()->AdvanceOnEnter())
      g->AdvanceToNextCell(g->Col(), g->Row(), false, false, !Shift.contains(ssShift), false, false);
    return;
  }
  if (k == VK_ESCAPE || k == VK_TAB) Key = 0;
  TWinControl* c = GetEditControl();
  if (k == VK_LEFT || k == VK_RIGHT || k == VK_UP || k == VK_DOWN || k == VK_PRIOR || k == VK_NEXT ||
      k == VK_END) {
    Word gk = k;
    Key = 0;
    g->KeyDown(gk, Shift);
  }
  if (c != nullptr && FEditStyle == esInplace) c->SetEnabled(false);
  QScopedValueRollback<bool> forced(FForcedExit, true);
  if (g->CanFocus()) g->SetFocus();
}

// ---------------------------------------------------------------- the grid's side

void TProStringGrid::SetEditLink(TEditLink* Value) {
  if (FEditLink == Value) return;
  if (FEditLink != nullptr) FEditLink->RemoveFreeNotification(this);
  FEditLink = Value;
  if (FEditLink != nullptr) FEditLink->FreeNotification(this);
}

void TProStringGrid::SetUpEditLink(int ACol, int ARow, const TRect& R) {
  TEditLink* L = FEditLink;
  const int c = RealColIndex(ACol);
  FEditMode = true;
  if (L->FOwner != this) {
    if (L->FOwner != nullptr) L->FOwner->RemoveFreeNotification(L);
    FreeNotification(L);
    L->FOwner = this;
  }
  L->FEditCell = TPoint(c, ARow);
  FInvokedFocusChange = false;
  const bool popup = L->EditStyle() == esPopup;
  if (popup) {
    if (L->AutoPopupWidth()) L->SetPopupWidth(R.Right - R.Left);
    const TPoint P = L->PopupLeft() == -1 || L->PopupTop() == -1 ? ClientToScreen(TPoint(R.Left, R.Top))
                                                                 : TPoint(L->PopupLeft(), L->PopupTop());
    L->ShowPopupForm(P);
    L->CreateEditor(L->PopupForm());
  } else {
    L->CreateEditor(this);
  }
  TWinControl* ctl = L->GetEditControl();
  if (ctl == nullptr) {
    // Nothing to edit with: the cell and the editing state stay as they were.
    if (popup && L->PopupForm() != nullptr) L->PopupForm()->Hide();
    FEditMode = FEditing = FSpecialEditor = FEditActive = false;
    FStartEditChar = QChar();
    return;
  }
  L->SetRect(popup ? TRect(0, 0, L->PopupWidth(), L->PopupHeight()) : R);
  L->SetVisible(true);
  TFont font;
  const TColor bg = PaintedCellLook(c, ARow, &font);
  L->SetCellProps(bg, &font);
  L->SetProperties();
  DoGetEditorProp(c, ARow, L);
  L->SetEditorValue(GetEditText(ACol, ARow));
  const QChar start = FStartEditChar;
  L->SetFocus(true);
  FEditActive = true;
  if (!start.isNull() && ctl->HandleAllocated()) PostMessage(ctl->Handle(), WM_CHAR, start.unicode(), 0);
  FEditCtrl = ctl;
}

void TProStringGrid::StoreEditLink(int ACol, int ARow) {
  TEditLink* L = FEditLink;
  if (L != nullptr && FEditMode) {
    SetEditCellText(ACol, ARow, L->GetEditorValue());
    if (L->EditStyle() == esInplace) L->RestoreWinProc();
  }
  FEditMode = false;
}

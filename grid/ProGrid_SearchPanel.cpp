// The grid's search bar and its edit box.
#include "grid/ProGrid_SearchPanel.h"

#include "controls/ProUtil.h"
#include "grid/ProGrid.h"
#include "platform/ui/WinApi.h"

// ------------------------------------------------------------------ the edit box

TRetEdit::TRetEdit(TComponent* AOwner) : TEdit(AOwner) {}

void TRetEdit::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_RETURN) {
    const TNotifyEvent& event = Shift.contains(ssCtrl) ? OnCtrlReturn : OnReturn;
    Key = 0;
    if (event) event(this);
    return;
  }
  TEdit::KeyDown(Key, Shift);
}

void TRetEdit::KeyPress(QChar& Key) {
  if (Key == QChar(u'\r') || Key == QChar(u'\n')) {
    if (OnKeyPress) OnKeyPress(this, Key);
    Key = QChar();
    return;
  }
  TEdit::KeyPress(Key);
}

// --------------------------------------------------------------------- the panel

TSearchPanel::TSearchPanel(TComponent* AOwner) : TPanel(AOwner) {
  FGrid = dynamic_cast<TProStringGrid*>(AOwner);
  if (!FGrid) throw EProGridError(QStringLiteral("The search panel needs a string grid as owner"));
  SetAlign(alBottom);
  SetHeight(0);
  SetBorderWidth(0);
  FEdit = new TRetEdit(this);
  FForwardButton = new TProGridButton(this);
  FBackwardButton = new TProGridButton(this);
  FExitButton = new TProGridButton(this);
  FHiliteButton = new TProGridButton(this);
  FMatchCase = new TProCheckBox(this);
}

TSearchPanel::~TSearchPanel() = default;

void TSearchPanel::SetColorTo(TColor Value) {
  if (FColorTo == Value) return;
  FColorTo = Value;
  Invalidate();
}

void TSearchPanel::CreateWnd() {
  TPanel::CreateWnd();
  auto place = [this](TControl* C, int Left, int Top, int Width, int Height) {
    C->SetParent(this);
    C->SetBounds(Left, Top, Width, Height);
  };
  // A click on a button fires the panel's event of that button.
  auto button = [&, this](TProGridButton* B, int Left, int Top, int Size, const QString& Caption,
                          const QString& Hint, TNotifyEvent TSearchPanel::*Event) {
    place(B, Left, Top, Size == 0 ? 90 : Size, Size == 0 ? 23 : Size);
    B->SetCaption(Caption);
    B->SetHint(Hint);
    B->SetShowHint(!Hint.isEmpty());
    B->OnClick = [this, Event](TObject*) {
      if (this->*Event) (this->*Event)(this);
    };
  };
  place(FEdit, 25, 6, 110, FEdit->Height());
  FEdit->OnChange = [this](TObject* S) { EditChange(S); };
  FEdit->OnReturn = [this](TObject*) {
    if (OnForwardClick) OnForwardClick(this);
  };
  FEdit->OnCtrlReturn = [this](TObject*) {
    if (OnBackwardClick) OnBackwardClick(this);
  };
  button(FForwardButton, 140, 5, 0, FindNextCaption, HintFindNext, &TSearchPanel::OnForwardClick);
  button(FBackwardButton, 235, 5, 0, FindPrevCaption, HintFindPrev, &TSearchPanel::OnBackwardClick);
  button(FExitButton, 5, 7, 14, QString(), HintClose, &TSearchPanel::OnExitClick);
  button(FHiliteButton, 330, 5, 0, HighLightCaption, HintHighlight, &TSearchPanel::OnHighlightClick);
  for (TProGridButton* b : {FForwardButton, FBackwardButton, FHiliteButton}) b->SetEnabled(false);
  FForwardButton->SetParentFont(true);
  FBackwardButton->SetParentFont(true);
  FHiliteButton->Font()->SetStyle(TFontStyles());
  FHiliteButton->SetStyle(tasCheck);
  place(FMatchCase, FHiliteButton->Visible() ? 425 : 330, 8, FMatchCase->Width(), FMatchCase->Height());
  FMatchCase->SetCaption(MatchCaseCaption);
}

void TSearchPanel::EditChange(TObject*) {
  const bool any = !FEdit->Text().isEmpty();
  FForwardButton->SetEnabled(any);
  FBackwardButton->SetEnabled(any);
  FHiliteButton->SetEnabled(any);
  if (OnEditChange) OnEditChange(this);
}

void TSearchPanel::Paint() {
  TPanel::Paint();
  TCanvas* c = Canvas();
  const TRect r = ClientRect();
  if (FColorTo == clNone) {
    c->Brush()->SetColor(Color());
    c->FillRect(r);
  } else {
    FillGradient(c, Color(), FColorTo, 32, r, false);
  }
  // The line along the top edge has the colour of the grid's lines.
  c->Pen()->SetColor(clSilver);
  c->MoveTo(r.Left, r.Top);
  c->LineTo(r.Right, r.Top);
}

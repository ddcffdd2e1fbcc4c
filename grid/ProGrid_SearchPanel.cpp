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
  auto button = [](TProGridButton* B, const QString& Caption, const QString& Hint) {
    B->SetCaption(Caption);
    B->SetHint(Hint);
    B->SetShowHint(!Hint.isEmpty());
  };
  place(FEdit, 25, 6, 110, FEdit->Height());
  FEdit->OnChange = [this](TObject* S) { EditChange(S); };
  FEdit->OnReturn = [this](TObject*) {
    if (OnForwardClick) OnForwardClick(this);
  };
  FEdit->OnCtrlReturn = [this](TObject*) {
    if (OnBackwardClick) OnBackwardClick(this);
  };

  place(FForwardButton, 140, 5, 90, 23);
  button(FForwardButton, FindNextCaption, HintFindNext);
  FForwardButton->SetParentFont(true);
  FForwardButton->SetEnabled(false);
  FForwardButton->OnClick = [this](TObject*) {
    if (OnForwardClick) OnForwardClick(this);
  };

  place(FBackwardButton, 235, 5, 90, 23);
  button(FBackwardButton, FindPrevCaption, HintFindPrev);
  FBackwardButton->SetParentFont(true);
  FBackwardButton->SetEnabled(false);
  FBackwardButton->OnClick = [this](TObject*) {
    if (OnBackwardClick) OnBackwardClick(this);
  };

  place(FExitButton, 5, 7, 14, 14);
  button(FExitButton, QString(), HintClose);
  FExitButton->OnClick = [this](TObject*) {
    if (OnExitClick) OnExitClick(this);
  };

  place(FHiliteButton, 330, 5, 90, 23);
  button(FHiliteButton, HighLightCaption, HintHighlight);
  FHiliteButton->Font()->SetStyle(TFontStyles());
  FHiliteButton->SetStyle(tasCheck);
  FHiliteButton->SetEnabled(false);
  FHiliteButton->OnClick = [this](TObject*) {
    if (OnHighlightClick) OnHighlightClick(this);
  };

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
  c->Pen()->SetColor(clSilver);
  c->MoveTo(r.Left, r.Top);
  c->LineTo(r.Right, r.Top);
}

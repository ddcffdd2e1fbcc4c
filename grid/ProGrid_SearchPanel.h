// The search bar docked under a string grid: an edit box that turns Return
// into events, find-next, find-previous, close and highlight buttons and a
// match-case box. The grid fills in its captions and hints and answers its
// events; the panel only lays out its parts and keeps their enabled states.
#pragma once

#include <memory>

#include "controls/ProObj.h"
#include "platform/widgets/ExtCtrls.h"
#include "platform/widgets/StdCtrls.h"

class TProStringGrid;

// The search bar's edit: Return fires OnReturn, Ctrl+Return OnCtrlReturn, and
// neither reaches the edit; a typed carriage return or line feed only goes to
// OnKeyPress.
class TRetEdit : public TEdit {
 public:
  explicit TRetEdit(TComponent* AOwner);

  TNotifyEvent OnReturn;
  TNotifyEvent OnCtrlReturn;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(QChar& Key) override;
};

class TSearchPanel : public TPanel {
 public:
  // AOwner must be the grid the panel searches.
  explicit TSearchPanel(TComponent* AOwner);
  ~TSearchPanel() override;

  TProStringGrid* Grid() const { return FGrid; }
  TRetEdit* Edit() const { return FEdit; }
  TProGridButton* ForwardButton() const { return FForwardButton; }
  TProGridButton* BackwardButton() const { return FBackwardButton; }
  TProGridButton* ExitButton() const { return FExitButton; }
  TProGridButton* HiliteButton() const { return FHiliteButton; }
  TProCheckBox* MatchCase() const { return FMatchCase; }

  // End colour of the vertical gradient behind the parts; clNone paints the
  // panel colour only. Setting it repaints.
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);

  // Captions and hints the grid copies in before the parts are laid out.
  QString FindNextCaption, FindPrevCaption, MatchCaseCaption, HighLightCaption;
  QString HintFindNext, HintFindPrev, HintHighlight, HintClose;

  // The edit's text changed (after the buttons followed it).
  TNotifyEvent OnEditChange;
  TNotifyEvent OnForwardClick, OnBackwardClick, OnExitClick, OnHighlightClick;

 protected:
  // Places the parts and gives them their captions and hints.
  void CreateWnd() override;
  void Paint() override;

 private:
  void EditChange(TObject* Sender);

  TProStringGrid* FGrid = nullptr;
  // The parts are owned by the panel as components.
  TRetEdit* FEdit = nullptr;
  TProGridButton* FForwardButton = nullptr;
  TProGridButton* FBackwardButton = nullptr;
  TProGridButton* FExitButton = nullptr;
  TProGridButton* FHiliteButton = nullptr;
  TProCheckBox* FMatchCase = nullptr;
  TColor FColorTo = clNone;
};

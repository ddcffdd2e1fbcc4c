#include "grid/ProGrid_Options.h"

#include "grid/ProGrid.h"

// ----------------------------------------------------------- search footer

TSearchFooter::TSearchFooter(TProStringGrid* AOwner, bool InitDesign)
    : FOwner(AOwner), FFont(std::make_unique<TFont>()) {
  if (InitDesign) {
    F.FindNextCaption = QStringLiteral("Find &next");
    F.FindPrevCaption = QStringLiteral("Find &previous");
    F.MatchCaseCaption = QStringLiteral("Match case");
    F.HighLightCaption = QStringLiteral("Highlight");
    F.HintClose = QStringLiteral("Close");
    F.HintFindNext = QStringLiteral("Find next occurrence");
    F.HintFindPrev = QStringLiteral("Find previous occurrence");
    F.HintHighlight = QStringLiteral("Highlight occurrences");
  }
}

TSearchFooter::~TSearchFooter() = default;

TPersistent* TSearchFooter::GetOwner() { return FOwner; }

void TSearchFooter::Changed() {
  if (OnChange) OnChange(this);
}

void TSearchFooter::SetOnChange(bool& Field, bool Value) {
  if (Field == Value) return;
  Field = Value;
  Changed();
}

void TSearchFooter::SetVisible(bool Value) { SetOnChange(F.Visible, Value); }
void TSearchFooter::SetShowClose(bool Value) { SetOnChange(F.ShowClose, Value); }
void TSearchFooter::SetShowFindNext(bool Value) { SetOnChange(F.ShowFindNext, Value); }
void TSearchFooter::SetShowFindPrev(bool Value) { SetOnChange(F.ShowFindPrev, Value); }
void TSearchFooter::SetShowHighLight(bool Value) { SetOnChange(F.ShowHighLight, Value); }
void TSearchFooter::SetShowMatchCase(bool Value) { SetOnChange(F.ShowMatchCase, Value); }

void TSearchFooter::SetFont(TFont* Value) {
  FFont->Assign(Value);
  Changed();
}

// The remaining setters store and always notify.
#define SEARCHFOOTER_SETTER(Type, Name)       \
  void TSearchFooter::Set##Name(Type Value) { \
    F.Name = Value;                           \
    Changed();                                \
  }
SEARCHFOOTER_SETTER(TColor, Color)
SEARCHFOOTER_SETTER(TColor, ColorTo)
SEARCHFOOTER_SETTER(QString, FindNextCaption)
SEARCHFOOTER_SETTER(QString, FindPrevCaption)
SEARCHFOOTER_SETTER(QString, MatchCaseCaption)
SEARCHFOOTER_SETTER(QString, HighLightCaption)
SEARCHFOOTER_SETTER(QString, HintClose)
SEARCHFOOTER_SETTER(QString, HintFindNext)
SEARCHFOOTER_SETTER(QString, HintFindPrev)
SEARCHFOOTER_SETTER(QString, HintHighlight)
SEARCHFOOTER_SETTER(bool, AutoSearch)
SEARCHFOOTER_SETTER(bool, AlwaysHighLight)
SEARCHFOOTER_SETTER(int, SearchColumn)
SEARCHFOOTER_SETTER(bool, SearchActiveColumnOnly)
SEARCHFOOTER_SETTER(bool, SearchMatchStart)
SEARCHFOOTER_SETTER(bool, SearchFixedCells)
SEARCHFOOTER_SETTER(bool, SearchHiddenRows)
SEARCHFOOTER_SETTER(TSearchDirection, SearchDirection)
SEARCHFOOTER_SETTER(bool, AutoThemeAdapt)
#undef SEARCHFOOTER_SETTER

void TSearchFooter::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TSearchFooter*>(Source);
  if (!src) return;
  // What is not copied stays as it is.
  Data keep = F;
  F = src->F;
  F.AutoSearch = keep.AutoSearch;
  F.SearchFixedCells = keep.SearchFixedCells;
  F.AutoThemeAdapt = keep.AutoThemeAdapt;
  F.LastSearch = keep.LastSearch;
  FFont->Assign(src->FFont.get());
}

// -------------------------------------------------------------- navigation

void TNavigation::Changed() {
  if (OnChange) OnChange(this);
}

void TNavigation::SetAdvanceInsert(bool Value) {
  if (F.AdvanceInsert == Value) return;
  F.AdvanceInsert = Value;
  Changed();
}

void TNavigation::SetAdvanceDirection(TAdvanceDirection Value) {
  if (F.AdvanceDirection == Value) return;
  F.AdvanceDirection = Value;
  Changed();
}

void TNavigation::SetAdvanceAuto(bool Value) {
  F.AdvanceAuto = Value;
  if (Value) F.AdvanceOnEnter = true;
}

void TNavigation::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TNavigation*>(Source);
  if (!src) return;
  const bool keepScroll = F.KeepScrollOnSort;
  const bool directionChanged = F.AdvanceDirection != src->F.AdvanceDirection;
  const bool insertChanged = F.AdvanceInsert != src->F.AdvanceInsert;
  F = src->F;
  F.KeepScrollOnSort = keepScroll;
  if (directionChanged) Changed();
  if (insertChanged) Changed();
}

// ----------------------------------------------------------- mouse actions

TMouseActions::TMouseActions(TProStringGrid* AOwner)
    : FOwner(AOwner), FFixedComboValues(std::make_unique<TStringList>()) {}

TMouseActions::~TMouseActions() = default;

TPersistent* TMouseActions::GetOwner() { return FOwner; }

bool TMouseActions::Designing() { return OnIsDesigning && OnIsDesigning(this); }

void TMouseActions::SetDisjunct(bool& Field, bool Value, bool& Other1, bool& Other2) {
  Field = Value;
  if (Value && Designing()) {
    Other1 = false;
    Other2 = false;
  }
}

void TMouseActions::SetDisjunctRowSelect(bool Value) {
  SetDisjunct(F.DisjunctRowSelect, Value, F.DisjunctColSelect, F.DisjunctCellSelect);
}
void TMouseActions::SetDisjunctColSelect(bool Value) {
  SetDisjunct(F.DisjunctColSelect, Value, F.DisjunctRowSelect, F.DisjunctCellSelect);
}
void TMouseActions::SetDisjunctCellSelect(bool Value) {
  SetDisjunct(F.DisjunctCellSelect, Value, F.DisjunctRowSelect, F.DisjunctColSelect);
}

void TMouseActions::SetHotmailRowSelect(bool Value) {
  F.HotmailRowSelect = Value;
  if (Value) {
    SetDisjunctRowSelect(true);
    F.CheckAllCheck = true;
  }
  if (OnInvalidate) OnInvalidate(this);
}

void TMouseActions::SetEditOnDblClickOnly(bool Value) {
  F.EditOnDblClickOnly = Value;
  if (Value && OnDisableEdit) OnDisableEdit(this);
}

void TMouseActions::SetWheelAction(TWheelAction Value) {
  if (F.WheelAction == Value) return;
  F.WheelAction = Value;
  if (OnChange) OnChange(this);
}

void TMouseActions::SetFixedComboValues(TStrings* Value) { FFixedComboValues->Assign(Value); }

void TMouseActions::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TMouseActions*>(Source);
  if (!src) return;
  const Data keep = F;
  F = src->F;
  F.EditOnDblClickOnly = keep.EditOnDblClickOnly;
  F.HotmailRowSelect = keep.HotmailRowSelect;
  F.SizeFixedRow = keep.SizeFixedRow;
  if (keep.WheelAction != F.WheelAction && OnChange) OnChange(this);
}

// ----------------------------------------------------------- synchronised grid

TPersistent* TSyncGrid::GetOwner() { return FOwner; }

void TSyncGrid::SetGrid(TStringGrid* Value) {
  if (FOwner && Value == static_cast<TStringGrid*>(FOwner)) return;
  FGrid = Value;
}

void TSyncGrid::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TSyncGrid*>(Source);
  if (!src) return;
  SetGrid(src->FGrid);
  F = src->F;
}

// ------------------------------------------------------------------- bands

void TBands::Changed() {
  if (OnChange) OnChange(this);
}

void TBands::SetActive(bool Value) {
  if (F.Active == Value) return;
  F.Active = Value;
  Changed();
}

void TBands::SetPrimaryColor(TColor Value) {
  if (F.PrimaryColor == Value) return;
  F.PrimaryColor = Value;
  if (F.Active) Changed();
}

void TBands::SetSecondaryColor(TColor Value) {
  if (F.SecondaryColor == Value) return;
  F.SecondaryColor = Value;
  if (F.Active) Changed();
}

void TBands::SetPrimaryLength(int Value) {
  if (F.PrimaryLength == Value) return;
  F.PrimaryLength = Value;
  FTotalLength = F.PrimaryLength + F.SecondaryLength;
  if (F.Active) Changed();
}

void TBands::SetSecondaryLength(int Value) {
  if (F.SecondaryLength == Value) return;
  F.SecondaryLength = Value;
  FTotalLength = F.PrimaryLength + F.SecondaryLength;
  if (F.Active) Changed();
}

void TBands::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TBands*>(Source);
  if (!src) return;
  F = src->F;
  // The band painting divides by the total: it must follow the copied lengths.
  FTotalLength = F.PrimaryLength + F.SecondaryLength;
}

// ------------------------------------------------------------ focus helper

TPersistent* TFocusHelper::GetOwner() { return FOwner; }

void TFocusHelper::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TFocusHelper*>(Source)) FEnabled = src->FEnabled;
}

#include "grid/ProGrid_Look.h"

#include "dropdowns/ProDropDown.h"
#include "dropdowns/psgdd.h"
#include "grid/ProGrid.h"

// ------------------------------------------------------------- control look

TControlLook::TControlLook(TProStringGrid* AOwner)
    : FOwner(AOwner),
      FCheckedGlyph(std::make_unique<TBitmap>()),
      FUnCheckedGlyph(std::make_unique<TBitmap>()),
      FRadioOnGlyph(std::make_unique<TBitmap>()),
      FRadioOffGlyph(std::make_unique<TBitmap>()) {
  Init();
  FDropDownHeader = std::make_unique<THeaderAppearance>(AOwner);
  FDropDownFooter = std::make_unique<TFooterAppearance>(AOwner);
}

TControlLook::~TControlLook() = default;

TPersistent* TControlLook::GetOwner() { return FOwner; }

void TControlLook::Repaint() {
  if (FOwner) FOwner->Invalidate();
}

void TControlLook::Init() {
  FColor = 0;
  FCommentColor = TColor(0x0000FF);
  FProgressBorderColor = TColor(0x808080);
  FFixedGradientFrom = clNone;
  FFixedGradientTo = clNone;
  FFixedGradientMirrorFrom = clNone;
  FFixedGradientMirrorTo = clNone;
  FFixedGradientHoverFrom = TColor(0xFFFFFF);
  FFixedGradientHoverTo = TColor(0x808080);
  FFixedGradientHoverBorder = TColor(0xC0C0C0);
  FFixedGradientDownFrom = TColor(0xC0C0C0);
  FFixedGradientDownTo = TColor(0x808080);
  FFixedGradientDownBorder = TColor(0x808080);
  SetFixedGradientHoverMirrorFrom(clNone);
  SetFixedGradientHoverMirrorTo(clNone);
  SetFixedGradientDownMirrorFrom(clNone);
  SetFixedGradientDownMirrorTo(clNone);
}

void TControlLook::SetCheckSize(int Value) { SetAndRepaint(FCheckSize, Value); }
void TControlLook::SetRadioSize(int Value) { SetAndRepaint(FRadioSize, Value); }
void TControlLook::SetControlStyle(TGridControlStyle Value) { SetAndRepaint(FControlStyle, Value); }
void TControlLook::SetColor(TColor Value) { SetAndRepaint(FColor, Value); }
void TControlLook::SetCommentColor(TColor Value) { SetAndRepaint(FCommentColor, Value); }
void TControlLook::SetFlatButton(bool Value) { SetAndRepaint(FFlatButton, Value); }
void TControlLook::SetProgressXP(bool Value) { SetAndRepaint(FProgressXP, Value); }
void TControlLook::SetProgressMarginX(int Value) { SetAndRepaint(FProgressMarginX, Value); }
void TControlLook::SetProgressMarginY(int Value) { SetAndRepaint(FProgressMarginY, Value); }
void TControlLook::SetDropDownAlwaysVisible(bool Value) {
  SetAndRepaint(FDropDownAlwaysVisible, Value);
}
void TControlLook::SetSpinButtonsAlwaysVisible(bool Value) {
  SetAndRepaint(FSpinButtonsAlwaysVisible, Value);
}
void TControlLook::SetNoDisabledCheckRadioLook(bool Value) {
  SetAndRepaint(FNoDisabledCheckRadioLook, Value);
}
void TControlLook::SetNoDisabledButtonLook(bool Value) {
  SetAndRepaint(FNoDisabledButtonLook, Value);
}

void TControlLook::SetCheckedGlyph(TBitmap* Value) {
  FCheckedGlyph->Assign(Value);
  Repaint();
}
void TControlLook::SetUnCheckedGlyph(TBitmap* Value) {
  FUnCheckedGlyph->Assign(Value);
  Repaint();
}
void TControlLook::SetRadioOnGlyph(TBitmap* Value) {
  FRadioOnGlyph->Assign(Value);
  Repaint();
}
void TControlLook::SetRadioOffGlyph(TBitmap* Value) {
  FRadioOffGlyph->Assign(Value);
  Repaint();
}

void TControlLook::SetDropDownHeader(THeaderAppearance* Value) { FDropDownHeader->Assign(Value); }
void TControlLook::SetDropDownFooter(TFooterAppearance* Value) { FDropDownFooter->Assign(Value); }

void TControlLook::SetFixedGradientFrom(TColor Value) {
  FFixedGradientFrom = Value;
  if (Value != clNone && FOwner) FOwner->SetREZGradientFrom(Value);
}
void TControlLook::SetFixedGradientTo(TColor Value) {
  FFixedGradientTo = Value;
  if (Value != clNone && FOwner) FOwner->SetREZGradientTo(Value);
}
void TControlLook::SetFixedGradientMirrorFrom(TColor Value) {
  FFixedGradientMirrorFrom = Value;
  if (FOwner) FOwner->SetREZGradientMirrorFrom(Value);
}
void TControlLook::SetFixedGradientMirrorTo(TColor Value) {
  FFixedGradientMirrorTo = Value;
  if (FOwner) FOwner->SetREZGradientMirrorTo(Value);
}

// The hover and pressed colours are written to the grid's plain fields.
#define FIXED_GRADIENT_SETTER(Name, GridField, Always)                      \
  void TControlLook::SetFixedGradient##Name(TColor Value) {                 \
    FFixedGradient##Name = Value;                                           \
    if (FOwner && ((Always) || Value != clNone)) FOwner->GridField = Value; \
  }
FIXED_GRADIENT_SETTER(HoverFrom, REZGradientHoverFrom, false)
FIXED_GRADIENT_SETTER(HoverTo, REZGradientHoverTo, false)
FIXED_GRADIENT_SETTER(HoverBorder, REZGradientHoverBorder, false)
FIXED_GRADIENT_SETTER(HoverMirrorFrom, REZGradientHoverMirrorFrom, true)
FIXED_GRADIENT_SETTER(HoverMirrorTo, REZGradientHoverMirrorTo, true)
FIXED_GRADIENT_SETTER(DownFrom, REZGradientDownFrom, false)
FIXED_GRADIENT_SETTER(DownTo, REZGradientDownTo, false)
FIXED_GRADIENT_SETTER(DownBorder, REZGradientDownBorder, false)
FIXED_GRADIENT_SETTER(DownMirrorFrom, REZGradientDownMirrorFrom, true)
FIXED_GRADIENT_SETTER(DownMirrorTo, REZGradientDownMirrorTo, true)
#undef FIXED_GRADIENT_SETTER

void TControlLook::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TControlLook*>(Source);
  if (!src) return;
  FCheckSize = src->FCheckSize;
  FRadioSize = src->FRadioSize;
  FControlStyle = src->FControlStyle;
  FCheckedGlyph->Assign(src->FCheckedGlyph.get());
  FUnCheckedGlyph->Assign(src->FUnCheckedGlyph.get());
  FRadioOnGlyph->Assign(src->FRadioOnGlyph.get());
  FRadioOffGlyph->Assign(src->FRadioOffGlyph.get());
  FProgressMarginX = src->FProgressMarginX;
  FProgressMarginY = src->FProgressMarginY;
  FCommentColor = src->FCommentColor;
  FColor = src->FColor;
  FProgressBorderColor = src->FProgressBorderColor;
  FCheckAlwaysActive = src->FCheckAlwaysActive;
  FRadioAlwaysActive = src->FRadioAlwaysActive;
  FFixedGradientFrom = src->FFixedGradientFrom;
  FFixedGradientTo = src->FFixedGradientTo;
  FFixedGradientMirrorFrom = src->FFixedGradientMirrorFrom;
  FFixedGradientMirrorTo = src->FFixedGradientMirrorTo;
  FFixedGradientHoverFrom = src->FFixedGradientHoverFrom;
  FFixedGradientHoverTo = src->FFixedGradientHoverTo;
  FFixedGradientHoverMirrorFrom = src->FFixedGradientHoverMirrorFrom;
  FFixedGradientHoverMirrorTo = src->FFixedGradientHoverMirrorTo;
  FFixedGradientHoverBorder = src->FFixedGradientHoverBorder;
  FFixedGradientDownFrom = src->FFixedGradientDownFrom;
  FFixedGradientDownTo = src->FFixedGradientDownTo;
  FFixedGradientDownMirrorFrom = src->FFixedGradientDownMirrorFrom;
  FFixedGradientDownMirrorTo = src->FFixedGradientDownMirrorTo;
  FFixedGradientDownBorder = src->FFixedGradientDownBorder;
  FDropDownAlwaysVisible = src->FDropDownAlwaysVisible;
  FSpinButtonsAlwaysVisible = src->FSpinButtonsAlwaysVisible;
  FDropDownCount = src->FDropDownCount;
  FDropDownFooter->Assign(src->FDropDownFooter.get());
  FDropDownHeader->Assign(src->FDropDownHeader.get());
  FHintMaxWidth = src->FHintMaxWidth;
}

// ------------------------------------------------------- progress appearance

#define PROGRESS_SETTER(Type, Name) \
  void TGridProgressAppearance::Set##Name(Type Value) { Store(F.Name, Value); }
PROGRESS_SETTER(TColor, CompleteColor)
PROGRESS_SETTER(TColor, CompleteFontColor)
PROGRESS_SETTER(TColor, UnCompleteColor)
PROGRESS_SETTER(TColor, UnCompleteFontColor)
PROGRESS_SETTER(TColor, Level0Color)
PROGRESS_SETTER(TColor, Level0ColorTo)
PROGRESS_SETTER(TColor, Level1Color)
PROGRESS_SETTER(TColor, Level1ColorTo)
PROGRESS_SETTER(TColor, Level2Color)
PROGRESS_SETTER(TColor, Level2ColorTo)
PROGRESS_SETTER(TColor, Level3Color)
PROGRESS_SETTER(TColor, Level3ColorTo)
PROGRESS_SETTER(int, Level1Perc)
PROGRESS_SETTER(int, Level2Perc)
PROGRESS_SETTER(TColor, BorderColor)
PROGRESS_SETTER(bool, ShowBorder)
PROGRESS_SETTER(bool, Stacked)
PROGRESS_SETTER(bool, ShowPercentage)
PROGRESS_SETTER(bool, CompletionSmooth)
PROGRESS_SETTER(bool, ShowGradient)
PROGRESS_SETTER(int, Steps)
PROGRESS_SETTER(TProgressStyle, Style)
#undef PROGRESS_SETTER

void TGridProgressAppearance::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TGridProgressAppearance*>(Source);
  if (!src) return;
  F = src->F;
  if (OnChange) OnChange(this);
}

// ------------------------------------------------------------ show modified

void TShowModified::SetColor(TColor Value) {
  FColor = Value;
  if (OnChange) OnChange(this);
}

void TShowModified::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TShowModified*>(Source);
  if (!src) return;
  FColor = src->FColor;
  FEnabled = src->FEnabled;
}

// ---------------------------------------------------------- balloon tooltips

void TBalloonSettings::SetEnable(bool Value) {
  FEnable = Value;
  if (OnEnableChange) OnEnableChange(this);
}

void TBalloonSettings::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TBalloonSettings*>(Source);
  if (!src) return;
  const Byte transparency = F.Transparency;
  F = src->F;
  F.Transparency = transparency;
  FEnable = src->FEnable;
}

// ------------------------------------------------------ OLE drag and drop

TDragDropSettings::TDragDropSettings(TProStringGrid* AOwner) : FOwner(AOwner) {}

TDragDropSettings::~TDragDropSettings() = default;

TPersistent* TDragDropSettings::GetOwner() { return FOwner; }

void TDragDropSettings::SetOleDropTarget(bool Value) {
  F.OleDropTarget = Value;
  if (!Value || !FOwner || FOwner->IsDesigning()) return;
  // Dropping onto the grid needs its drop target, which this build does not have.
  throw EProGridError(QStringLiteral(
      "TDragDropSettings.OleDropTarget: the grid's OLE drop target is not available"));
}

void TDragDropSettings::SetOleDropRTF(bool Value) {
  F.OleDropRTF = Value;
  SetRTFDragDrop(Value);
}

void TDragDropSettings::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TDragDropSettings*>(Source)) F = src->F;
}

// ---------------------------------------------------------------- grouping

void TGrouping::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TGrouping*>(Source);
  if (!src) return;
  const Data keep = F;
  F = src->F;
  F.Summary = keep.Summary;
  F.HeaderLineColor = keep.HeaderLineColor;
  F.SummaryLineColor = keep.SummaryLineColor;
  F.HeaderLineWidth = keep.HeaderLineWidth;
  F.SummaryLineWidth = keep.SummaryLineWidth;
}

// ---------------------------------------------------- scrolling while dragging

void TDragScrollDelays::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TDragScrollDelays*>(Source)) F = src->F;
}

void TDragScrollMargins::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TDragScrollMargins*>(Source)) F = src->F;
}

TDragScrollOptions::TDragScrollOptions()
    : FDelays(std::make_unique<TDragScrollDelays>()),
      FMargins(std::make_unique<TDragScrollMargins>()) {}

TDragScrollOptions::~TDragScrollOptions() = default;

void TDragScrollOptions::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TDragScrollOptions*>(Source);
  if (!src) return;
  FActive = src->FActive;
  FDelays->Assign(src->FDelays.get());
  FMargins->Assign(src->FMargins.get());
}

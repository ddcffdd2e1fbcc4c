// Appearance settings objects of the string grid: the control look of check
// boxes, radio buttons, progress bars, in-cell buttons and fixed-cell gradients,
// the progress-bar appearance, the modified-row marker, balloon tooltips, OLE
// drag and drop, grouping and scrolling while dragging. Each copies itself from
// an object of its own class only; another source is ignored.
#pragma once

#include <memory>

#include "grid/ProGrid_Options.h"

class THeaderAppearance;
class TFooterAppearance;
class TBitmap;

// The look of the grid's check boxes, radio buttons and in-cell controls. The
// framework's TControlStyle is the control-style set of every control, so the
// grid's own enumeration carries the grid's prefix.
enum TGridControlStyle { csClassic, csFlat, csWinXP, csBorland, csREZ, csGlyph, csTheme };

// ------------------------------------------------------------- control look

// Look settings read by every drawing routine of the grid. Unless a setter says
// otherwise it stores the value and repaints the grid.
class TControlLook : public TPersistent {
 public:
  explicit TControlLook(TProStringGrid* AOwner);
  ~TControlLook() override;

  int CheckSize() const { return FCheckSize; }
  void SetCheckSize(int Value);
  int RadioSize() const { return FRadioSize; }
  void SetRadioSize(int Value);
  TBitmap* CheckedGlyph() const { return FCheckedGlyph.get(); }
  void SetCheckedGlyph(TBitmap* Value);
  TBitmap* UnCheckedGlyph() const { return FUnCheckedGlyph.get(); }
  void SetUnCheckedGlyph(TBitmap* Value);
  TBitmap* RadioOnGlyph() const { return FRadioOnGlyph.get(); }
  void SetRadioOnGlyph(TBitmap* Value);
  TBitmap* RadioOffGlyph() const { return FRadioOffGlyph.get(); }
  void SetRadioOffGlyph(TBitmap* Value);
  TGridControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TGridControlStyle Value);
  // Mark colour of csBorland glyphs.
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // Colour of the comment markers; clNone hides them.
  TColor CommentColor() const { return FCommentColor; }
  void SetCommentColor(TColor Value);
  bool FlatButton() const { return FFlatButton; }
  void SetFlatButton(bool Value);
  bool ProgressXP() const { return FProgressXP; }
  void SetProgressXP(bool Value);
  int ProgressMarginX() const { return FProgressMarginX; }
  void SetProgressMarginX(int Value);
  int ProgressMarginY() const { return FProgressMarginY; }
  void SetProgressMarginY(int Value);
  // Plain store.
  TColor ProgressBorderColor() const { return FProgressBorderColor; }
  void SetProgressBorderColor(TColor Value) { FProgressBorderColor = Value; }
  bool DropDownAlwaysVisible() const { return FDropDownAlwaysVisible; }
  void SetDropDownAlwaysVisible(bool Value);
  bool SpinButtonsAlwaysVisible() const { return FSpinButtonsAlwaysVisible; }
  void SetSpinButtonsAlwaysVisible(bool Value);
  bool NoDisabledCheckRadioLook() const { return FNoDisabledCheckRadioLook; }
  void SetNoDisabledCheckRadioLook(bool Value);
  bool NoDisabledButtonLook() const { return FNoDisabledButtonLook; }
  void SetNoDisabledButtonLook(bool Value);
  // Plain stores.
  bool CheckAlwaysActive() const { return FCheckAlwaysActive; }
  void SetCheckAlwaysActive(bool Value) { FCheckAlwaysActive = Value; }
  bool RadioAlwaysActive() const { return FRadioAlwaysActive; }
  void SetRadioAlwaysActive(bool Value) { FRadioAlwaysActive = Value; }
  bool FixedDropDownButton() const { return FFixedDropDownButton; }
  void SetFixedDropDownButton(bool Value) { FFixedDropDownButton = Value; }
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value) { FDropDownCount = Value; }
  int HintMaxWidth() const { return FHintMaxWidth; }
  void SetHintMaxWidth(int Value) { FHintMaxWidth = Value; }
  // The look of the grid's drop-down editors' pop-ups (copied with Assign).
  THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
  void SetDropDownHeader(THeaderAppearance* Value);
  TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
  void SetDropDownFooter(TFooterAppearance* Value);

  // Fixed-cell gradients. From/To: a colour other than clNone is also given to
  // the grid's REZGradientFrom/To (which repaint); the mirror pair is always
  // given to REZGradientMirrorFrom/To.
  TColor FixedGradientFrom() const { return FFixedGradientFrom; }
  void SetFixedGradientFrom(TColor Value);
  TColor FixedGradientTo() const { return FFixedGradientTo; }
  void SetFixedGradientTo(TColor Value);
  TColor FixedGradientMirrorFrom() const { return FFixedGradientMirrorFrom; }
  void SetFixedGradientMirrorFrom(TColor Value);
  TColor FixedGradientMirrorTo() const { return FFixedGradientMirrorTo; }
  void SetFixedGradientMirrorTo(TColor Value);
  // Hover and pressed colours: a colour other than clNone is also written to
  // the grid's REZGradientHover.../REZGradientDown... colour (no repaint); the
  // mirror colours always are.
  TColor FixedGradientHoverFrom() const { return FFixedGradientHoverFrom; }
  void SetFixedGradientHoverFrom(TColor Value);
  TColor FixedGradientHoverTo() const { return FFixedGradientHoverTo; }
  void SetFixedGradientHoverTo(TColor Value);
  TColor FixedGradientHoverMirrorFrom() const { return FFixedGradientHoverMirrorFrom; }
  void SetFixedGradientHoverMirrorFrom(TColor Value);
  TColor FixedGradientHoverMirrorTo() const { return FFixedGradientHoverMirrorTo; }
  void SetFixedGradientHoverMirrorTo(TColor Value);
  TColor FixedGradientHoverBorder() const { return FFixedGradientHoverBorder; }
  void SetFixedGradientHoverBorder(TColor Value);
  TColor FixedGradientDownFrom() const { return FFixedGradientDownFrom; }
  void SetFixedGradientDownFrom(TColor Value);
  TColor FixedGradientDownTo() const { return FFixedGradientDownTo; }
  void SetFixedGradientDownTo(TColor Value);
  TColor FixedGradientDownMirrorFrom() const { return FFixedGradientDownMirrorFrom; }
  void SetFixedGradientDownMirrorFrom(TColor Value);
  TColor FixedGradientDownMirrorTo() const { return FFixedGradientDownMirrorTo; }
  void SetFixedGradientDownMirrorTo(TColor Value);
  TColor FixedGradientDownBorder() const { return FFixedGradientDownBorder; }
  void SetFixedGradientDownBorder(TColor Value);

  // Back to the default colours (the hover and pressed mirror colours through
  // their setters, so the grid's mirror colours become clNone).
  void Init();
  // Copies the sizes, style, glyphs, margins, colours (fixed-gradient colours
  // stored only, not given to the grid), the drop-down switches, DropDownCount,
  // the header and footer appearances and HintMaxWidth; not FlatButton,
  // ProgressXP, NoDisabledCheckRadioLook, NoDisabledButtonLook or
  // FixedDropDownButton.
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

 private:
  void Repaint();
  template <typename T>
  void SetAndRepaint(T& Field, T Value) {
    Field = Value;
    Repaint();
  }

  TProStringGrid* FOwner;
  int FCheckSize = 15;
  int FRadioSize = 10;
  std::unique_ptr<TBitmap> FCheckedGlyph, FUnCheckedGlyph, FRadioOnGlyph, FRadioOffGlyph;
  TGridControlStyle FControlStyle = csTheme;
  TColor FColor = 0;
  TColor FCommentColor = TColor(0x0000FF);
  bool FFlatButton = false;
  bool FProgressXP = false;
  int FProgressMarginX = 2;
  int FProgressMarginY = 2;
  TColor FProgressBorderColor = TColor(0x808080);
  bool FDropDownAlwaysVisible = false;
  bool FSpinButtonsAlwaysVisible = false;
  bool FNoDisabledCheckRadioLook = false;
  bool FNoDisabledButtonLook = false;
  bool FCheckAlwaysActive = false;
  bool FRadioAlwaysActive = false;
  bool FFixedDropDownButton = false;
  int FDropDownCount = 8;
  int FHintMaxWidth = 0;
  std::unique_ptr<THeaderAppearance> FDropDownHeader;
  std::unique_ptr<TFooterAppearance> FDropDownFooter;
  TColor FFixedGradientFrom = clNone, FFixedGradientTo = clNone;
  TColor FFixedGradientMirrorFrom = clNone, FFixedGradientMirrorTo = clNone;
  TColor FFixedGradientHoverFrom = TColor(0xFFFFFF), FFixedGradientHoverTo = TColor(0x808080);
  TColor FFixedGradientHoverMirrorFrom = clNone, FFixedGradientHoverMirrorTo = clNone;
  TColor FFixedGradientHoverBorder = TColor(0xC0C0C0);
  TColor FFixedGradientDownFrom = TColor(0xC0C0C0), FFixedGradientDownTo = TColor(0x808080);
  TColor FFixedGradientDownMirrorFrom = clNone, FFixedGradientDownMirrorTo = clNone;
  TColor FFixedGradientDownBorder = TColor(0x808080);
};

// ------------------------------------------------------- progress appearance

enum TProgressStyle { psXP, psClassic };

// Look of ctXPProgress cells. Every setter stores a changed value and fires
// OnChange; an unchanged value fires nothing.
class TGridProgressAppearance : public TPersistent {
 public:
  TGridProgressAppearance() = default;

  PROGRID_FIELD_SET(TColor, CompleteColor)
  PROGRID_FIELD_SET(TColor, CompleteFontColor)
  // clNone: the cell's brush.
  PROGRID_FIELD_SET(TColor, UnCompleteColor)
  PROGRID_FIELD_SET(TColor, UnCompleteFontColor)
  PROGRID_FIELD_SET(TColor, Level0Color)
  PROGRID_FIELD_SET(TColor, Level0ColorTo)
  PROGRID_FIELD_SET(TColor, Level1Color)
  PROGRID_FIELD_SET(TColor, Level1ColorTo)
  PROGRID_FIELD_SET(TColor, Level2Color)
  PROGRID_FIELD_SET(TColor, Level2ColorTo)
  PROGRID_FIELD_SET(TColor, Level3Color)
  PROGRID_FIELD_SET(TColor, Level3ColorTo)
  PROGRID_FIELD_SET(int, Level1Perc)
  PROGRID_FIELD_SET(int, Level2Perc)
  PROGRID_FIELD_SET(TColor, BorderColor)
  PROGRID_FIELD_SET(bool, ShowBorder)
  PROGRID_FIELD_SET(bool, Stacked)
  PROGRID_FIELD_SET(bool, ShowPercentage)
  PROGRID_FIELD_SET(bool, CompletionSmooth)
  PROGRID_FIELD_SET(bool, ShowGradient)
  PROGRID_FIELD_SET(int, Steps)
  PROGRID_FIELD_SET(TProgressStyle, Style)

  // Copies every value, Style included, and fires OnChange once.
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

 private:
  template <typename T>
  void Store(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    if (OnChange) OnChange(this);
  }
  struct Data {
    TColor CompleteColor = TColor(0x0000FF), CompleteFontColor = TColor(0xFF0000);
    TColor UnCompleteColor = clNone, UnCompleteFontColor = clWindowText;
    TColor Level0Color = TColor(0x00FF00), Level0ColorTo = TColor(0xE1FFE1);
    TColor Level1Color = TColor(0x00FFFF), Level1ColorTo = TColor(0xCAFFFF);
    TColor Level2Color = TColor(0x53A9FF), Level2ColorTo = TColor(0xA8D3FF);
    TColor Level3Color = TColor(0x0000FF), Level3ColorTo = TColor(0xCACAFF);
    int Level1Perc = 70, Level2Perc = 90;
    TColor BorderColor = 0;
    bool ShowBorder = false, Stacked = false, ShowPercentage = true, CompletionSmooth = true,
         ShowGradient = true;
    int Steps = 11;
    TProgressStyle Style = psXP;
  } F;
};

// ------------------------------------------------------------ show modified

// The marker of modified rows. The Color setter fires OnChange.
class TShowModified : public TPersistent {
 public:
  TShowModified() = default;
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // Copies Color and Enabled.
  void Assign(TPersistent* Source) override;
  TNotifyEvent OnChange;

 private:
  bool FEnabled = false;
  TColor FColor = TColor(0x00FFFF);
};

// ---------------------------------------------------------- balloon tooltips

// Balloon tooltips of the cells. The Enable setter fires OnEnableChange.
class TBalloonSettings : public TPersistent {
 public:
  TBalloonSettings() = default;
  bool Enable() const { return FEnable; }
  void SetEnable(bool Value);
  // Milliseconds; -1: the system's default.
  PROGRID_FIELD(int, AutoHideDelay)
  PROGRID_FIELD(int, InitialDelay)
  PROGRID_FIELD(int, ReshowDelay)
  // clNone: the system's colours.
  PROGRID_FIELD(TColor, BackgroundColor)
  PROGRID_FIELD(TColor, TextColor)
  PROGRID_FIELD(Byte, Transparency)
  // Copies the colours, the delays and Enable (without the event); not
  // Transparency.
  void Assign(TPersistent* Source) override;
  TNotifyEvent OnEnableChange;

 private:
  bool FEnable = false;
  struct Data {
    int AutoHideDelay = -1, InitialDelay = -1, ReshowDelay = -1;
    TColor BackgroundColor = clNone, TextColor = clNone;
    Byte Transparency = 0;
  } F;
};

// ------------------------------------------------------ OLE drag and drop

// OLE drag and drop of the grid. OleDropRTF also sets the process-wide
// rich-text switch of drag and drop; OleDropTarget registers the grid as a drop
// target (not in the designer).
class TDragDropSettings : public TPersistent {
 public:
  explicit TDragDropSettings(TProStringGrid* AOwner);
  ~TDragDropSettings() override;

  bool OleDropTarget() const { return F.OleDropTarget; }
  void SetOleDropTarget(bool Value);
  PROGRID_FIELD(bool, OleDropSource)
  PROGRID_FIELD(bool, OleAcceptFiles)
  PROGRID_FIELD(bool, OleAcceptText)
  PROGRID_FIELD(bool, OleAcceptURLs)
  PROGRID_FIELD(bool, OleAppendRows)
  PROGRID_FIELD(bool, OleInsertRows)
  PROGRID_FIELD(bool, OleRemoveRows)
  PROGRID_FIELD(bool, OleEntireRows)
  PROGRID_FIELD(bool, OleCopyAlways)
  PROGRID_FIELD(bool, OleColumnDragDrop)
  PROGRID_FIELD(bool, OleColumnReorder)
  PROGRID_FIELD(bool, OleColumnsOnly)
  bool OleDropRTF() const { return F.OleDropRTF; }
  void SetOleDropRTF(bool Value);
  PROGRID_FIELD(bool, ShowCells)

  // Copies all fifteen switches (OleDropTarget as a value, registering nothing).
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

 private:
  TProStringGrid* FOwner;
  struct Data {
    bool OleDropTarget = false, OleDropSource = false, OleAcceptFiles = true,
         OleAcceptText = true, OleAcceptURLs = true, OleAppendRows = false,
         OleInsertRows = false, OleRemoveRows = false, OleEntireRows = false,
         OleCopyAlways = false, OleColumnDragDrop = false, OleColumnReorder = false,
         OleColumnsOnly = false, OleDropRTF = false, ShowCells = true;
  } F;
};

// ---------------------------------------------------------------- grouping

// Settings of grouped rows; plain stores.
class TGrouping : public TPersistent {
 public:
  TGrouping() = default;
  PROGRID_FIELD(bool, MergeHeader)
  PROGRID_FIELD(bool, MergeSummary)
  PROGRID_FIELD(bool, Summary)
  PROGRID_FIELD(bool, HeaderUnderline)
  PROGRID_FIELD(bool, SummaryLine)
  PROGRID_FIELD(bool, ShowGroupCount)
  PROGRID_FIELD(bool, AutoSelectGroup)
  PROGRID_FIELD(bool, AutoCheckGroup)
  PROGRID_FIELD(TColor, HeaderColor)
  PROGRID_FIELD(TColor, HeaderColorTo)
  PROGRID_FIELD(TColor, HeaderTextColor)
  PROGRID_FIELD(TColor, SummaryColor)
  PROGRID_FIELD(TColor, SummaryColorTo)
  PROGRID_FIELD(TColor, SummaryTextColor)
  PROGRID_FIELD(TColor, HeaderLineColor)
  PROGRID_FIELD(TColor, SummaryLineColor)
  PROGRID_FIELD(int, HeaderLineWidth)
  PROGRID_FIELD(int, SummaryLineWidth)
  PROGRID_FIELD(QString, GroupCountFormat)
  // Copies all but Summary and the two line colours and widths.
  void Assign(TPersistent* Source) override;

 private:
  struct Data {
    bool MergeHeader = false, MergeSummary = false, Summary = false, HeaderUnderline = false,
         SummaryLine = false, ShowGroupCount = false, AutoSelectGroup = false,
         AutoCheckGroup = false;
    TColor HeaderColor = clNone, HeaderColorTo = clNone, HeaderTextColor = clNone,
           SummaryColor = clNone, SummaryColorTo = clNone, SummaryTextColor = clNone;
    TColor HeaderLineColor = TColor(0xFF0000), SummaryLineColor = TColor(0xFF0000);
    int HeaderLineWidth = 2, SummaryLineWidth = 2;
    QString GroupCountFormat;
  } F;
};

// ---------------------------------------------------- scrolling while dragging

// Delays of the automatic scrolling, in milliseconds.
class TDragScrollDelays : public TPersistent {
 public:
  PROGRID_FIELD(int, InitialDelay)
  PROGRID_FIELD(int, RepeatDelay)
  void Assign(TPersistent* Source) override;

 private:
  struct Data {
    int InitialDelay = 1000, RepeatDelay = 250;
  } F;
};

// Distances from the grid's edges, in pixels, at which dragging scrolls.
class TDragScrollMargins : public TPersistent {
 public:
  PROGRID_FIELD(int, TopMargin)
  PROGRID_FIELD(int, BottomMargin)
  PROGRID_FIELD(int, LeftMargin)
  PROGRID_FIELD(int, RightMargin)
  void Assign(TPersistent* Source) override;

 private:
  struct Data {
    int TopMargin = 50, BottomMargin = 50, LeftMargin = 50, RightMargin = 50;
  } F;
};

class TDragScrollOptions : public TPersistent {
 public:
  TDragScrollOptions();
  ~TDragScrollOptions() override;
  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  TDragScrollDelays* Delays() const { return FDelays.get(); }
  void SetDelays(TDragScrollDelays* Value) { FDelays->Assign(Value); }
  TDragScrollMargins* Margins() const { return FMargins.get(); }
  void SetMargins(TDragScrollMargins* Value) { FMargins->Assign(Value); }
  // Copies Active, the delays and the margins.
  void Assign(TPersistent* Source) override;

 private:
  bool FActive = false;
  std::unique_ptr<TDragScrollDelays> FDelays;
  std::unique_ptr<TDragScrollMargins> FMargins;
};

// The bottom of the grid class chain: TObjStringGrid and TBaseGrid on the
// framework's string grid, with per-cell property objects, merged cells and the
// undo/redo component that records cell changes.
//
// Cells are addressed column first, both 0-based. A merged block is recorded in
// the property objects of its cells: its top-left (base) cell holds the block's
// text and properties, the covered cells only point back to it, and every
// merge-aware operation resolves a cell to its base cell first.
//
// Implementation by family: BaseGrid.cpp (cell model, property objects),
// BaseGrid_Merge.cpp (merged cells, cell rectangles, scrolling), BaseGrid_Paint.cpp
// (the cell painter, keys and wheel on merged cells), BaseGrid_Undo.cpp (undo and
// redo).
//
// Painting: the grid paints every cell itself (the framework's lines are 0 wide
// and its default drawing is off). The cell painter draws the background (plain,
// gradient or two-part gradient, hover and active row colours, the rounded boxes
// of the selection styles), the grid lines inside the cell, and hands the inner
// rectangle to DrawCellContent. A merged block is painted over its whole
// rectangle from its base cell; its covered cells paint it at most once per paint
// pass between them.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <unordered_set>

#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"
#include "platform/gdi/Graphics.h"
#include "platform/grids/Grids.h"
#include "platform/rtl/Types.h"

class TBaseGrid;
class TProGridUndoRedo;

enum TVAlignment { vtaTop, vtaCenter, vtaBottom };
enum TCellGradientDirection { GradientVertical, GradientHorizontal };
// Calculation of a footer cell.
enum TColumnCalcType {
  acNONE, acSUM, acAVG, acCOUNT, acMIN, acMAX, acSPREAD, acCUSTOM, acDISTINCT, acSTDDEV
};
// The editor kinds of a cell; which control edits it and how its value returns.
enum TEditorType {
  edNormal, edSpinEdit, edComboEdit, edComboList, edEditBtn, edCheckBox, edDateEdit,
  edDateEditUpDown, edTimeEdit, edButton, edDataCheckBox, edNumeric, edPositiveNumeric,
  edFloat, edCapital, edMixedCase, edPassword, edUnitEditBtn, edLowerCase, edUpperCase,
  edFloatSpinEdit, edTimeSpinEdit, edDateSpinEdit, edNumericEditBtn, edFloatEditBtn,
  edCustom, edRichEdit, edNone, edDateTimeEdit, edValidChars, edTrackbarDropDown,
  edMemoDropDown, edCalculatorDropDown, edTimePickerDropDown, edDetailDropDown,
  edGridDropDown, edColorPickerDropDown, edImagePickerDropDown, edProGridDropDown,
  edPositiveFloat, edNumericUnitEditBtn, edFloatUnitEditBtn, edMaskEditBtn
};
enum TGridSelectionStyle { ssDefault, ssVista, ssWin7, ssOffice2007 };
enum THoverRowCell { hcNormal, hcFixed, hcSelected };
using THoverRowCells = TSet<THoverRowCell, 8>;

using TGetDisplTextEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;
using TGetDisplWideTextEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;

// ---------------------------------------------------------------------------
// TCellProperties

// The property object of one cell, owned by its grid and kept in the cell's
// object slot. A new object is unmerged and carries the "not set" values (clNone,
// size 0, empty font name); one made by TBaseGrid::GetCellProperties carries the
// cell's defaults. Freeing it frees neither its graphic, its user object nor its
// control (the grid frees a graphic of class TCellGraphic with the cell).
class TCellProperties : public TPersistent {
 public:
  TCellProperties(TBaseGrid* AOwner, int ACol, int ARow);
  ~TCellProperties() override;

  // Copies everything but the graphic, the gradient end colour and direction,
  // the calculation, the paint mark and the owner grid; nothing is repainted.
  void Assign(TPersistent* Source) override;
  // The merge's base cell of the cell (c, r) that holds this object.
  TPoint GetBaseCell(int c, int r) const;

  TBaseGrid* OwnerGrid() const { return FOwnerGrid; }
  int OwnerCol() const { return FOwnerCol; }
  void SetOwnerCol(int Value) { FOwnerCol = Value; }
  int OwnerRow() const { return FOwnerRow; }
  void SetOwnerRow(int Value) { FOwnerRow = Value; }
  // The cell's user object (the grid's Objects[c, r]); never freed by the grid.
  TObject* CellObject() const { return FObject; }
  void SetCellObject(TObject* Value) { FObject = Value; }
  TObject* GraphicObject() const { return FGraphicObject; }
  void SetGraphicObject(TObject* Value) { FGraphicObject = Value; }
  TBrushStyle BrushStyle() const { return FBrushStyle; }
  void SetBrushStyle(TBrushStyle Value) { FBrushStyle = Value; }
  TColor BrushColor() const { return FBrushColor; }
  void SetBrushColor(TColor Value);  // repaints the cell
  TColor BrushColorTo() const { return FBrushColorTo; }
  void SetBrushColorTo(TColor Value);  // repaints the cell
  int FontSize() const { return FFontSize; }
  void SetFontSize(int Value) { FFontSize = Value; }
  TColor FontColor() const { return FFontColor; }
  void SetFontColor(TColor Value) { FFontColor = Value; }
  TFontStyles FontStyle() const { return FFontStyle; }
  void SetFontStyle(TFontStyles Value) { FFontStyle = Value; }
  // Merge information: -1 unmerged; in a base cell the extra rows (columns) of
  // the block; in a covered cell the offset from the base cell.
  int CellSpanY() const { return FCellSpanY; }
  void SetCellSpanY(int Value) { FCellSpanY = Value; }
  int CellSpanX() const { return FCellSpanX; }
  void SetCellSpanX(int Value) { FCellSpanX = Value; }
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value) { FBorderWidth = Value; }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { FBorderColor = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; }
  TVAlignment VAlignment() const { return FVAlignment; }
  void SetVAlignment(TVAlignment Value);  // repaints the cell
  int PaintID() const { return FPaintID; }
  void SetPaintID(int Value) { FPaintID = Value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);  // repaints the cell
  bool IsBaseCell() const { return FIsBaseCell; }
  void SetIsBaseCell(bool Value) { FIsBaseCell = Value; }
  TColumnCalcType CalcType() const { return FCalcType; }
  void SetCalcType(TColumnCalcType Value) { FCalcType = Value; }
  TObject* CalcObject() const { return FCalcObject; }
  void SetCalcObject(TObject* Value) { FCalcObject = Value; }
  int NodeLevel() const { return FNodeLevel; }
  void SetNodeLevel(int Value) { FNodeLevel = Value; }
  TEditorType Editor() const { return FEditor; }
  void SetEditor(TEditorType Value) { FEditor = Value; }
  const QString& FontName() const { return FFontName; }
  void SetFontName(const QString& Value) { FFontName = Value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  TCellGradientDirection GradientDirection() const { return FGradientDirection; }
  void SetGradientDirection(TCellGradientDirection Value) { FGradientDirection = Value; }
  // A control embedded in the cell; not owned.
  TControl* Control() const { return FControl; }
  void SetControl(TControl* Value) { FControl = Value; }

 private:
  friend class TBaseGrid;
  void RepaintOwnerCell();

  TBaseGrid* FOwnerGrid;
  int FOwnerCol;
  int FOwnerRow;
  TObject* FObject = nullptr;
  TObject* FGraphicObject = nullptr;
  TBrushStyle FBrushStyle = bsSolid;
  TColor FBrushColor = clNone;
  TColor FBrushColorTo = clNone;
  int FFontSize = 0;
  TColor FFontColor = clNone;
  TFontStyles FFontStyle;
  int FCellSpanY = -1;
  int FCellSpanX = -1;
  int FBorderWidth = 0;
  TColor FBorderColor = 0;
  TAlignment FAlignment = taLeftJustify;
  TVAlignment FVAlignment = vtaTop;
  int FPaintID = 0;
  bool FWordWrap = true;
  bool FIsBaseCell = true;
  TColumnCalcType FCalcType = acNONE;
  TObject* FCalcObject = nullptr;
  int FNodeLevel = 0;
  TEditorType FEditor = edNormal;
  QString FFontName;
  bool FReadOnly = false;
  TCellGradientDirection FGradientDirection = GradientVertical;
  TControl* FControl = nullptr;
};

// ---------------------------------------------------------------------------
// TObjStringGrid, TBaseGrid

// The framework's string grid as the grid chain starts from it.
class TObjStringGrid : public TStringGrid {
 public:
  explicit TObjStringGrid(TComponent* AOwner) : TStringGrid(AOwner) {}
};

class TBaseGrid : public TObjStringGrid {
 public:
  explicit TBaseGrid(TComponent* AOwner);
  ~TBaseGrid() override;

  // --- cell access (column first) -------------------------------------------

  // The merge-resolved text after the display hooks (rows below
  // FNormalRowCount); with OnGetDisplWideText assigned the answer is always in
  // the wide-encoded form. Reading never changes what is stored.
  QString GetCellEx(int ACol, int ARow);
  // Writes the merge's base cell, tells CellChanged and repaints the block.
  void SetCellEx(int ACol, int ARow, const QString& Value);
  QString Cells(int ACol, int ARow) { return GetCellEx(ACol, ARow); }
  void SetCells(int ACol, int ARow, const QString& Value) { SetCellEx(ACol, ARow, Value); }
  // The stored text: no merge resolution, no hooks.
  QString GetGridCell(int ACol, int ARow) { return TStringGrid::Cells(ACol, ARow); }
  void SetGridCell(int ACol, int ARow, const QString& Value);
  QString GridCells(int ACol, int ARow) { return GetGridCell(ACol, ARow); }
  void SetGridCells(int ACol, int ARow, const QString& Value) { SetGridCell(ACol, ARow, Value); }
  // The cell's user object (nullptr without a property object); storing one
  // creates the property object and leaves the cell's text as it was.
  TObject* GetObjectEx(int ACol, int ARow);
  void SetObjectEx(int ACol, int ARow, TObject* Value);
  TObject* Objects(int ACol, int ARow) { return GetObjectEx(ACol, ARow); }
  void SetObjects(int ACol, int ARow, TObject* Value) { SetObjectEx(ACol, ARow, Value); }
  // The raw object slot: nullptr or the cell's TCellProperties.
  TObject* GetGridObject(int ACol, int ARow);
  void SetGridObject(int ACol, int ARow, TObject* Value);
  TObject* GridObjects(int ACol, int ARow) { return GetGridObject(ACol, ARow); }
  void SetGridObjects(int ACol, int ARow, TObject* Value) { SetGridObject(ACol, ARow, Value); }
  // The cell's graphic object (nullptr when none).
  TObject* GetGraphicObjectEx(int ACol, int ARow);
  void SetGraphicObjectEx(int ACol, int ARow, TObject* Value);
  TObject* GraphicObjects(int ACol, int ARow) { return GetGraphicObjectEx(ACol, ARow); }
  void SetGraphicObjects(int ACol, int ARow, TObject* Value) { SetGraphicObjectEx(ACol, ARow, Value); }
  // The cell's property object, created with the cell's defaults on first use.
  TCellProperties* GetCellProperties(int ACol, int ARow);
  TCellProperties* CellProperties(int ACol, int ARow) { return GetCellProperties(ACol, ARow); }
  // Frees the cell's property object (and a TCellGraphic it holds) and stores
  // Value; storing the object that is there already changes nothing.
  void SetCellProperties(int ACol, int ARow, TCellProperties* Value);
  // Whether the cell lies inside the grid and has a property object.
  bool HasCellProperties(int ACol, int ARow) { return PropertiesAt(ACol, ARow) != nullptr; }
  // The cell's property object; nullptr outside the grid or without one.
  TCellProperties* PropertiesAt(int ACol, int ARow) {
    // Most cells have no object: asked first (inline), it answers for them at once.
    TObject* o = ACol < 0 || ARow < 0 ? nullptr : TStringGrid::Objects(ACol, ARow);
    return o == nullptr ? nullptr : PropertiesOf(o, ACol, ARow);
  }

  // --- freeing and resetting ------------------------------------------------

  // Frees the property objects of the block (and the graphics of class
  // TCellGraphic they hold) and clears their slots.
  void FreeCellPropsRange(int FromCol, int FromRow, int ToCol, int ToRow);
  void FreeCellProps(int ACol, int ARow);
  // Frees the property objects of every cell the grid stores, hidden columns
  // (beyond ColCount) included.
  void FreeAllCellProps();
  // Detach (without freeing) the property objects of a column, a row or a cell
  // and empty their texts; for callers that have moved the objects elsewhere.
  void ResetColumnCells(int ACol);
  void ResetRowCells(int ARow);
  void ResetCell(int ACol, int ARow);

  // Invalidates the cell's rectangle (the whole block of a merged cell) when the
  // grid has a window.
  void RepaintCell(int c, int r);

  // --- painting ---------------------------------------------------------------

  // Paints a cell, look and content, on any canvas (a merged cell over its block).
  void PaintCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
  // Paints the look of a cell only, in ARect as given.
  void PaintCellExt(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);

  // --- merged cells -----------------------------------------------------------

  // Merges the block of spanx columns and spany rows whose top-left cell is
  // (c, r). A block that does not lie inside the grid, or is empty, is refused.
  virtual void MergeCells(int c, int r, int spanx, int spany);
  // Undoes the merge that holds (c, r); the covered cells show their own texts
  // again.
  virtual void SplitCells(int c, int r);
  TPoint BaseCell(int ACol, int ARow);
  bool IsBaseCell(int ACol, int ARow);
  // (W - 1, H - 1) of the block holding the cell; (0, 0) when unmerged.
  TPoint CellSpan(int ACol, int ARow);
  // How many further columns and rows the block reaches right of and below the cell.
  TPoint CellExt(int ACol, int ARow);
  // The block's first and last column and row (all inclusive).
  TRect FullCell(int c, int r);
  bool IsMergedCell(int ACol, int ARow);
  bool IsMergedNonBaseCell(int ACol, int ARow);
  bool IsXMergedCell(int ACol, int ARow);
  bool IsYMergedCell(int ACol, int ARow);
  // The client rectangle of the cell, of the whole block for a merged cell, also
  // when parts of it are scrolled out of view.
  TRect CellRect(int c, int r);
  TPoint CellSize(int c, int r);
  int MinRowSpan(int ARow);
  int MaxRowSpan(int ARow);
  // Whether two rows lie in the same vertical merges (and share at least one).
  bool RowSpanIdentical(int ARow1, int ARow2);
  // Whether two columns lie in the same horizontal merges (and share at least one).
  bool ColSpanIdentical(int ACol1, int ACol2);
  int MergeCount() const { return FMergeCount; }

  // --- overridable questions and hooks, in slot order -----------------------

  virtual bool IsFixed(int ACol, int ARow);
  virtual int GetNodeIndent(int ARow);
  virtual bool HasNodes();
  // Draws the cell's text on one line, centred both ways.
  virtual void DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect,
                               TGridDrawState AState);
  virtual void LastRowChanged();
  virtual void DoGetDisplText(int ACol, int ARow, QString& Value) {
    if (OnGetDisplText) OnGetDisplText(this, ACol, ARow, Value);
  }
  virtual void DoGetDisplWideText(int ACol, int ARow, QString& Value);
  // The defaults of a cell: the grid's font and colour, no gradient, left and top
  // alignment, the grid's word wrap.
  virtual void GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                               TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA,
                               TVAlignment& VA, bool& WW, TCellGradientDirection& GD);
  virtual void CellChanged(int ACol, int ARow);
  virtual bool HasCellBorderEvent();
  virtual bool UsesVCLStyles();
  virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print,
                                   bool Select, bool Remap, TBrush* ABrush, TColor& AColorTo,
                                   TColor& AMirrorColor, TColor& AMirrorColorTo, TFont* AFont,
                                   TAlignment& HA, TVAlignment& VA, bool& WW,
                                   TCellGradientDirection& GD);
  virtual int DisplColIndex(int ACol);
  virtual int TotalColCount();

  // --- properties ---------------------------------------------------------------

  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value);
  TColor GridLineColor() const { return FGridLineColor; }
  void SetGridLineColor(TColor Value);
  TColor GridFixedLineColor() const { return FGridFixedLineColor; }
  void SetGridFixedLineColor(TColor Value);
  bool ActiveRowShow() const { return FActiveRowShow; }
  void SetActiveRowShow(bool Value);
  TColor ActiveRowColor() const { return FActiveRowColor; }
  void SetActiveRowColor(TColor Value);
  TColor ActiveRowColorTo() const { return FActiveRowColorTo; }
  void SetActiveRowColorTo(TColor Value);
  TColor ActiveRowMirrorColor() const { return FActiveRowMirrorColor; }
  void SetActiveRowMirrorColor(TColor Value);
  TColor ActiveRowMirrorColorTo() const { return FActiveRowMirrorColorTo; }
  void SetActiveRowMirrorColorTo(TColor Value);
  TGridSelectionStyle SelectionStyle() const { return FSelectionStyle; }
  void SetSelectionStyle(TGridSelectionStyle Value);
  bool HoverRow() const { return FHoverRow; }
  void SetHoverRow(bool Value) { FHoverRow = Value; }
  TColor HoverRowColor() const { return FHoverRowColor; }
  void SetHoverRowColor(TColor Value) { FHoverRowColor = Value; }
  TColor HoverRowColorTo() const { return FHoverRowColorTo; }
  void SetHoverRowColorTo(TColor Value) { FHoverRowColorTo = Value; }
  THoverRowCells HoverRowCells() const { return FHoverRowCells; }
  void SetHoverRowCells(THoverRowCells Value) { FHoverRowCells = Value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { FWordWrap = Value; }
  TProGridUndoRedo* UndoRedo() const { return FUndoRedo; }
  // Links the undo component, which then records for this grid.
  void SetUndoRedo(TProGridUndoRedo* Value);

  TGetDisplTextEvent OnGetDisplText;
  TGetDisplWideTextEvent OnGetDisplWideText;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void TopLeftChanged() override;
  // The framework's painting, then the next paint pass.
  void Paint() override;
  void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
  // Every cell is filled by the cell painter (a merged block over all its
  // cells), so a paint needs no erasing first; with the system's styles the
  // fixed and selected cells are left to the style, and the erase stays.
  bool PaintsWholeClient() override { return !UsesVCLStyles(); }
  // Keys step over merged blocks and land on base cells; the hidden last row is
  // never reached by Page Down.
  void KeyDown(Word& Key, TShiftState Shift) override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  // Repaints the old and the new current cell (whole blocks).
  bool SelectCell(int ACol, int ARow) override;
  // Column widths and row heights keep their sizes when the control is scaled.
  void ChangeScale(int M, int D) override;
  QString GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const QString& Value) override;

  // Sets the out values to the base cell; true when the cell is its own base.
  bool ResolveBaseCell(int ACol, int ARow, int& BaseCol, int& BaseRow);
  // The client rectangle of a single cell, also when it is scrolled out of view.
  TRect UnclippedCellRect(int c, int r);
  // Moves the current cell to the base cell of its merge.
  void SnapToBaseCell();
  // The cell painter: the look, and with DrawContent the merge rectangle and the
  // content. OwnRect: ARect is the cell's own rectangle in the paint pass.
  void DoPaintCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState,
                   bool DrawContent, bool OwnRect = false);

  // Band backgrounds: before the scrolling cells are painted, their band is
  // filled row by row in each row's plain colour (BandRowColor) with the grid
  // lines over it, and a single cell whose look is that plain colour is not
  // filled again. Only while the cells painted so far kept inside their
  // rectangles (a cell reaching into the next ones is painted over by their
  // fills when each cell fills itself).
  TColor PaintBandBackground(const TGridDrawInfo& Info, const TGridBand& Band, const TRect& Clip) override;
  // The colour a plain scrolling cell of the row has (Color; the bands' colours).
  virtual TColor BandRowColor(int ARow);
  // Whether band backgrounds may be used this paint (off: every cell fills itself).
  virtual bool BandBackgrounds();
  // Plain cells: on a band background, a scrolling cell that looks as the
  // row's plain colour and shows nothing but its text is painted by
  // PaintPlainCell, which answers false, having drawn nothing, where the cell
  // needs the whole cell painter. PlainCellsPossible is asked once per band:
  // whether anything set on the grid as a whole rules plain cells out.
  virtual bool PaintPlainCell(TCanvas* ACanvas, int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
  virtual bool PlainCellsPossible();
  // Set by DrawCellContent when what it painted stayed inside the cell's
  // rectangle (it starts false for each cell).
  bool FContentInside = false;

  // The look the cell painter resolved (selection included) for the cell it
  // hands to DrawCellContent, with IsFixed's answer and the drawing state
  // before and after; valid while DrawCellContent runs.
  struct TResolvedLook {
    bool Valid = false;
    int Col = -1, Row = -1;
    bool Fixed = false;
    TGridDrawState StateIn, StateOut;
    TColor Brush = clNone, ColorTo = clNone, Mirror = clNone, MirrorTo = clNone;
    TBrushStyle BrushStyle = bsSolid;
    TAlignment HA = taLeftJustify;
    TVAlignment VA = vtaTop;
    bool WW = false;
    TCellGradientDirection GD = GradientVertical;
  };
  TResolvedLook FResolvedLook;

  bool FDefaultDrawing = false;
  int FGridLineWidth = 1;
  TColor FGridLineColor = 0xC0C0C0;
  TColor FGridFixedLineColor = 0x808080;
  int FPaintID = 1;
  // The band of scrolling cells filled by PaintBandBackground this paint, and
  // whether a cell painted since may have reached beyond its rectangle.
  TRect FFilledBand;
  bool FDrawnBeyond = false;
  // Whether the band filled this paint may have plain cells.
  bool FPlainBand = false;
  // Whether a cell's rectangle starts on the band filled this paint.
  bool OnFilledBand(const TRect& R) const {
    return FFilledBand.Left <= R.Left && FFilledBand.Top <= R.Top && R.Left < FFilledBand.Right &&
           R.Top < FFilledBand.Bottom;
  }
  bool FCustomSelect = true;
  bool FHideLastRow = false;
  // Rows below this index get the display hooks; the string grid keeps it equal to
  // its row count, a sort excludes its scratch rows with it.
  int FNormalRowCount = 0;
  TProGridUndoRedo* FUndoRedo = nullptr;
  bool FWordWrap = true;
  bool FActiveRowShow = false;
  TColor FActiveRowColor = clInfoBk;
  TColor FActiveRowColorTo = clNone;
  TColor FActiveRowMirrorColor = clNone;
  TColor FActiveRowMirrorColorTo = clNone;
  TGridSelectionStyle FSelectionStyle = ssDefault;
  int FHoverRowIdx = -1;
  bool FHoverRow = false;
  THoverRowCells FHoverRowCells{hcNormal, hcSelected};
  TColor FHoverRowColor = clInfoBk;
  TColor FHoverRowColorTo = clNone;
  bool FShowSel = true;
  bool FHasCellProps = false;
  int FMergeCount = 0;

 private:
  friend class TCellProperties;
  // Frees the graphic of a property object when its class is exactly TCellGraphic.
  static void FreeCellGraphic(TCellProperties* Props);
  void FreeOwnedProps(TCellProperties* Props);
  // O, the object of cell (ACol, ARow), as a property object; nullptr outside
  // the grid or for another kind of object.
  TCellProperties* PropertiesOf(TObject* O, int ACol, int ARow);

  // Every property object made for this grid that still exists, wherever it is
  // kept (a cell slot, a hidden column, a row kept aside); the destructor frees
  // those that are left.
  std::unordered_set<TCellProperties*> FOwnedProps;
  bool FDestroyingProps = false;
};

// ---------------------------------------------------------------------------
// Undo and redo of cell changes

// One recorded change of a cell's text, or a marker opening or closing a
// sequence (column and row -1).
class TUndoRedoItem : public TCollectionItem {
 public:
  explicit TUndoRedoItem(TCollection* Collection) : TCollectionItem(Collection) {}
  void Assign(TPersistent* Source) override;

  int Row() const { return FRow; }
  void SetRow(int Value) { FRow = Value; }
  int Col() const { return FCol; }
  void SetCol(int Value) { FCol = Value; }
  const QString& Value() const { return FValue; }
  void SetValue(const QString& V) { FValue = V; }
  const QString& OrigValue() const { return FOrigValue; }
  void SetOrigValue(const QString& V) { FOrigValue = V; }
  bool SequenceStart() const { return FSequenceStart; }
  void SetSequenceStart(bool Value) { FSequenceStart = Value; }
  bool SequenceStop() const { return FSequenceStop; }
  void SetSequenceStop(bool Value) { FSequenceStop = Value; }
  bool IsMarker() const { return FSequenceStart || FSequenceStop; }

 private:
  int FRow = 0;
  int FCol = 0;
  QString FValue;
  QString FOrigValue;
  bool FSequenceStart = false;
  bool FSequenceStop = false;
};

class TUndoRedoCollection : public TCollection {
 public:
  TUndoRedoCollection() : TCollection(CollectionItemClass<TUndoRedoItem>()) {}
  TUndoRedoItem* Items(int Index) const { return static_cast<TUndoRedoItem*>(TCollection::Items(Index)); }
  TUndoRedoItem* Add() { return static_cast<TUndoRedoItem*>(TCollection::Add()); }
};

using TProGridUndoRedoEvent =
    std::function<void(TObject* Sender, TBaseGrid* Grid, int Col, int Row,
                       const QString& OrigValue, const QString& NewValue)>;

// Records the text changes a linked grid makes on the user's behalf and undoes
// and redoes them one step (a change or a whole sequence) at a time. Level is the
// number of entries applied; entries from Level on can be redone. Level stays
// between 0 and the number of entries, and a marker is never applied as a change.
class TProGridUndoRedo : public TComponent {
 public:
  explicit TProGridUndoRedo(TComponent* AOwner);
  ~TProGridUndoRedo() override;

  virtual void RegisterChange(int ACol, int ARow, const QString& OldValue, const QString& NewValue);
  virtual void StartSequence();
  virtual void StopSequence();
  void Undo();
  void Redo();
  bool CanUndo() const { return FLevel > 0; }
  bool CanRedo() const { return FLevel < FItems->Count(); }
  void Reset();

  TUndoRedoCollection* Items() const { return FItems.get(); }
  TBaseGrid* Grid() const { return FGrid; }
  void SetGrid(TBaseGrid* Value);
  int Level() const { return FLevel; }
  // The most entries kept; 0 or less keeps all.
  int MaxLevel() const { return FMaxLevel; }
  void SetMaxLevel(int Value) { FMaxLevel = Value; }

  TProGridUndoRedoEvent OnUndo;
  TProGridUndoRedoEvent OnRedo;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  void Append(int ACol, int ARow, const QString& Value, const QString& OrigValue, bool Start,
              bool Stop);
  void Restore(TUndoRedoItem* Item, const QString& V, const TProGridUndoRedoEvent& Event);

  std::unique_ptr<TUndoRedoCollection> FItems;
  TBaseGrid* FGrid = nullptr;
  int FLevel = 0;
  int FMaxLevel = 0;
};

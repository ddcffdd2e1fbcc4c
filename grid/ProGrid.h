// The string grid: TProStringGrid on the base grid, with the settings objects it
// owns. The grid's own behaviour is split by feature family over the
// ProGrid_*.cpp files; the objects it owns are declared in ProGrid_*.h.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "controls/BaseGrid.h"
#include "controls/ProObj.h"
#include "grid/ProGrid_CellGraphic.h"
#include "grid/ProGrid_ColumnSize.h"
#include "grid/ProGrid_Filter.h"
#include "grid/ProGrid_Footer.h"
#include "grid/ProGrid_HTML.h"
#include "grid/ProGrid_Look.h"
#include "grid/ProGrid_Options.h"
#include "grid/ProGrid_Print.h"
#include "grid/ProGrid_Sort.h"

class THTMLPictureCache;

// A hidden row: its real index (for a filter level the display index it had),
// its height, the filter level that hid it (0 for HideRows) and its cells with
// their objects, hidden columns included.
class TGridItem : public TCollectionItem {
 public:
  explicit TGridItem(TCollection* Collection);
  ~TGridItem() override;
  int Idx() const { return FIdx; }
  void SetIdx(int Value) { FIdx = Value; }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  int Level() const { return FLevel; }
  void SetLevel(int Value) { FLevel = Value; }
  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }

 private:
  int FIdx = 0;
  int FHeight = 0;
  int FLevel = 0;
  std::unique_ptr<TStringList> FItems;
};

class TGridItems : public TCollection {
 public:
  TGridItems() : TCollection(CollectionItemClass<TGridItem>()) {}
  TGridItem* Add() { return static_cast<TGridItem*>(TCollection::Add()); }
  TGridItem* Insert(int Index) { return static_cast<TGridItem*>(TCollection::Insert(Index)); }
  TGridItem* Items(int Index) const { return static_cast<TGridItem*>(TCollection::Items(Index)); }
};

// Errors of the grid's operations ("Invalid row accessed", ...).
ZIDI_DECLARE_EXCEPTION(EProGridError, Exception);

// The grid's looks (the presets of colours and styles).
enum TGridLook {
  glStandard, glSoft, glClassic, glREZ, glXP, glListView, glVista, glWin7, glOffice2007, glCustom
};
enum TInvalidEntryIcon { ieNone, ieInfo, ieWarning, ieError };
enum TScrollType { ssNormal, ssFlat, ssEncarta, ssMetro };
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };
enum TFilterDropDownColumns { fdNormal, fdAll };

// --- stand-ins until per-cell queries land ---------------------------------------

// The sides of a cell that get a border line.
enum TCellBorder { cbTop, cbLeft, cbRight, cbBottom };
using TCellBorders = TSet<TCellBorder, 8>;

class TProStringGrid : public TBaseGrid {
 public:
  explicit TProStringGrid(TComponent* AOwner);
  ~TProStringGrid() override;

  // --- version ------------------------------------------------------------------

  // Major, minor, release and build, one byte each, highest first.
  virtual int GetVersionNr() const;
  // "6.2.1.3"; writing it does nothing.
  QString Version() const;
  void SetVersion(const QString&) {}
  // The version followed by its date.
  QString GetVersionString() const;

  // --- dimensions ------------------------------------------------------------------

  int RowCount() const { return TBaseGrid::RowCount(); }
  // Sets the row count; with FixedRowAlways the requested fixed rows come back
  // once normal rows exist again. A visible floating footer keeps its row last.
  void SetRowCount(int Value);
  int ColCount() const { return TBaseGrid::ColCount(); }
  void SetColCount(int Value);
  // The framework's fixed rows, but 1 when none is left and FixedRowAlways is on.
  int FixedRows() const;
  // With FixedRowAlways a value not below RowCount leaves one normal row.
  void SetFixedRows(int Value);
  int FixedCols() const;
  void SetFixedCols(int Value);
  // The fixed rows (columns) stay even when only they are left.
  bool FixedRowAlways() const { return FFixedRowAlways; }
  void SetFixedRowAlways(bool Value) { FFixedRowAlways = Value; }
  bool FixedColAlways() const { return FFixedColAlways; }
  void SetFixedColAlways(bool Value) { FFixedColAlways = Value; }
  int DefaultRowHeight() const { return TBaseGrid::DefaultRowHeight(); }
  // Gives every row that height (at design time the fixed rows too) and sizes
  // the floating footer to it.
  void SetDefaultRowHeight(int Value);
  int FixedRowHeight() const { return FFixedRowHeight; }
  // The height of the fixed rows; equal to DefaultRowHeight it resets every row.
  void SetFixedRowHeight(int Value);
  // The width of column 0; setting it sizes every fixed column (unless it equals
  // DefaultColWidth).
  int FixedColWidth() const { return ColWidths(0); }
  void SetFixedColWidth(int Value);
  int FixedRightCols() const { return FFixedRightCols; }
  void SetFixedRightCols(int Value);
  TAlignment DefaultAlignment() const { return FDefaultAlignment; }
  void SetDefaultAlignment(TAlignment Value);
  TVAlignment VAlignment() const { return FVAlignment; }
  void SetVAlignment(TVAlignment Value);
  bool WordWrap() const { return FWordWrapEx; }
  void SetWordWrap(bool Value);
  // The height is trimmed to whole rows (SetBounds).
  bool IntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool Value) { FIntegralHeight = Value; }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // Largest row and column counts ever set.
  int MaxRowCount() const { return FMaxRowCount; }
  int MaxColCount() const { return FMaxColCount; }
  // Loaded has run.
  bool IsLoaded() const { return FLoaded; }

  // --- current cell and selection -------------------------------------------------

  int Col() const { return TBaseGrid::Col(); }
  // Also moves the synchronised grid's column with SyncGrid.SelectionColumn.
  void SetCol(int Value);
  // --- hidden columns (real indexes 0..511 take part) ----------------------------

  // Hides the visible real columns of the range; their cells stay stored. The
  // last visible column is never hidden.
  void HideColumn(int ColIndex) { HideColumns(ColIndex, ColIndex); }
  void HideColumns(int FromCol, int ToCol);
  // Shows the hidden real columns of the range again with their widths.
  void UnHideColumn(int ColIndex) { UnHideColumns(ColIndex, ColIndex); }
  void UnHideColumns(int FromCol, int ToCol);
  void UnHideColumnsAll() { UnHideColumns(0, ColCount() + NumHiddenColumns()); }
  // False for an index outside 0..511.
  bool IsHiddenColumn(int ColIndex) const;
  int NumHiddenColumns() const { return FNumHidden; }
  // Display column to real column and back.
  int RealColIndex(int ACol) const;
  int DisplColIndex(int ACol) override;
  int RealCol() const { return RealColIndex(Col()); }
  // ColCount + NumHiddenColumns.
  int TotalColCount() override { return ColCount() + FNumHidden; }
  int AllColCount() { return TotalColCount(); }

  // --- hidden rows --------------------------------------------------------------------

  // Hides the real rows of the range; their cells (with their objects) and
  // heights are kept aside.
  void HideRow(int RowIndex) { HideRows(RowIndex, RowIndex); }
  void HideRows(int FromRow, int ToRow);
  // Hides the display rows listed (ascending) as one new filter level.
  void HideRowList(TIntList* RowList);
  // Shows a hidden real row, a run of hidden real rows, every hidden row, or the
  // rows of the top filter level again.
  void UnHideRow(int RowIndex);
  void UnHideRows(int FromRow, int ToRow);
  void UnHideRowsAll();
  void UnHideRowList();
  bool IsHiddenRow(int RowIndex) const;
  int NumHiddenRows() const { return FGridItems ? FGridItems->Count() : 0; }
  int TotalRowCount() const { return RowCount() + NumHiddenRows(); }
  int AllRowCount() const { return TotalRowCount(); }
  // Display row to real row and back.
  int RealRowIndex(int ARow) const;
  int DisplRowIndex(int ARow) const;
  int RealRow() const { return RealRowIndex(Row()); }
  // Filter levels (row-list hidings) in force.
  int FilterLevel() const { return FFilterLevel; }
  // The hidden rows, in ascending Idx order (a row list appends its own).
  TGridItems* GridItems() const { return FGridItems.get(); }

  int Row() const { return TBaseGrid::Row(); }
  // Moves the current row; OnRowUpdate reports a change; the synchronised grid
  // follows with SyncGrid.SelectionRow.
  void SetRow(int Value);
  int TopRow() const { return TBaseGrid::TopRow(); }
  // Ignored outside FixedRows .. RowCount - 1.
  void SetTopRow(int Value);
  std::function<void(TObject* Sender, int OldRow, int NewRow)> OnRowUpdate;

  // --- row insertion and removal -------------------------------------------------------

  // Opens RCount empty rows at display row RowIndex; the rows below move down
  // with their cells (hidden columns included) and heights.
  void DoInsertRows(int RowIndex, int RCount, bool Adjust);
  // Removes RCount display rows at RowIndex with their cells; the rows below
  // move up. With Adjust the hidden rows behind the range get lower indexes.
  void DoRemoveRows(int RowIndex, int RCount, bool Adjust);

  // Whether a row is selected: a row of the selection rectangle, or with
  // MouseActions.DisjunctRowSelect a row flagged on its own. Reading a row
  // outside the grid raises EProGridError "Invalid row <n> accessed" (not with
  // RowSelectPersistent), writing one "Invalid row accessed".
  bool RowSelect(int ARow);
  void SetRowSelect(int ARow, bool Value);
  // Whether a column is flagged selected (always the flags, in both modes);
  // EProGridError "Invalid column accessed" outside the grid.
  bool ColSelect(int ACol);
  void SetColSelect(int ACol, bool Value);
  int RowSelectCount();
  int ColSelectCount();
  // Selects RCount rows from RowIndex: the rectangle over the normal columns,
  // or the row flags in disjunct mode.
  void SelectRows(int RowIndex, int RCount);
  // Clears the row flags (disjunct mode only).
  void UnSelectRows(int RowIndex, int RCount);
  void SelectCols(int ColIndex, int CCount);
  void UnSelectCols(int ColIndex, int CCount);
  // Current cell (ToCol, ToRow), then the rectangle between the corners.
  void SelectRange(int FromCol, int ToCol, int FromRow, int ToRow);
  void ClearRowSelect();
  void ClearColSelect();
  // The rows (columns) of the selection rectangle become the flagged ones.
  void SelectionToRowSelect(bool AllRows);
  void SelectionToColSelect(bool AllCols);
  // The rows selected one by one, in the order they were selected.
  TIntList* SelectedRows() const { return FSelectedRows.get(); }
  // The selection becomes the single cell.
  void FocusCell(int ACol, int ARow);
  // The current row, then the current column.
  void GotoCell(int ACol, int ARow);
  // Exchanges the stored texts and objects of two cells; repaints nothing.
  void SwapCells(const TGridCoord& FromCell, const TGridCoord& ToCell);
  // Moves the current cell with the anchor and scrolls it into view.
  void MoveToColRow(int ACol, int ARow);
  // Shown left of the selected rows in column 0.
  TBitmap* RowIndicator() const { return FRowIndicator.get(); }
  void SetRowIndicator(TBitmap* Value) { FRowIndicator->Assign(Value); }

  // Rows marked modified (ShowModified).
  bool RowModified(int ARow) const;
  void SetRowModified(int ARow, bool Value);
  int ModifiedRowCount() const;
  // Rows are enabled unless disabled here; disabling the current row moves the
  // cursor to the first other enabled row.
  bool RowEnabled(int ARow) const;
  void SetRowEnabled(int ARow, bool Value);

  // --- repainting ---------------------------------------------------------------------

  // The row from column 0 to the column after the last one fully in view.
  void RepaintRow(int ARow);
  // The scrolling rows in view of a column (not the fixed rows).
  void RepaintCol(int ACol);
  // The cells between two corners (cell coordinates); the whole grid when a
  // corner is out of view; nothing for a negative coordinate.
  void RepaintRect(const TRect& R);

  // A row's disjunct selection is about to change; Allow false keeps it.
  std::function<void(TObject* Sender, int ARow, bool State, bool& Allow)> OnRowDisjunctSelect;
  // A row's disjunct selection was written.
  std::function<void(TObject* Sender, int ARow)> OnRowDisjunctSelected;

  // --- settings with their defaults ---------------------------------------------------

  // Texts of a checked and an unchecked check-box cell.
  PROGRID_FIELD(QString, CheckTrue)
  PROGRID_FIELD(QString, CheckFalse)
  // Format of floating-point cell values.
  PROGRID_FIELD(QString, FloatFormat)
  PROGRID_FIELD(QChar, PasswordChar)
  // First entry of a filter drop-down list, standing for no condition.
  PROGRID_FIELD(QString, FilterDropDownClear)
  PROGRID_FIELD(bool, FilterDropDownAuto)
  PROGRID_FIELD(bool, FilterDropDownCheck)
  PROGRID_FIELD(TFilterDropDownColumns, FilterDropDownColumns)
  PROGRID_FIELD(int, FilterDropDownRow)
  PROGRID_FIELD(bool, FilterNormalCellsOnly)
  PROGRID_FIELD(bool, AutoFilterUpdate)
  PROGRID_FIELD(QString, XMLEncoding)
  TFont* FixedFont() const { return FFixedFont.get(); }
  void SetFixedFont(TFont* Value) { FFixedFont->Assign(Value); }
  TFont* ActiveCellFont() const { return FActiveCellFont.get(); }
  void SetActiveCellFont(TFont* Value) { FActiveCellFont->Assign(Value); }
  PROGRID_FIELD(bool, ActiveCellShow)
  PROGRID_FIELD(TColor, ActiveCellColor)
  PROGRID_FIELD(TColor, ActiveCellColorTo)
  PROGRID_FIELD(TColor, SelectionColor)
  PROGRID_FIELD(TColor, SelectionColorTo)
  PROGRID_FIELD(TColor, SelectionMirrorColor)
  PROGRID_FIELD(TColor, SelectionMirrorColorTo)
  PROGRID_FIELD(TColor, SelectionTextColor)
  PROGRID_FIELD(int, SelectionColorMixerFactor)
  PROGRID_FIELD(TColor, HintColor)
  PROGRID_FIELD(TColor, HighlightColor)
  PROGRID_FIELD(TColor, HighlightTextColor)
  PROGRID_FIELD(TColor, URLColor)
  PROGRID_FIELD(bool, URLShow)
  PROGRID_FIELD(bool, URLShowInText)
  PROGRID_FIELD(TColor, DisabledFontColor)
  TColor BorderColor() const { return F.BorderColor; }
  // Stores the colour and repaints the border when the parent has a window.
  void SetBorderColor(TColor Value);
  PROGRID_FIELD(TGridLook, Look)
  PROGRID_FIELD(TScrollType, ScrollType)
  PROGRID_FIELD(TColor, ScrollColor)
  PROGRID_FIELD(int, ScrollWidth)
  PROGRID_FIELD(TScrollHintType, ScrollHints)
  PROGRID_FIELD(TScrollBarAlways, ScrollBarAlways)
  PROGRID_FIELD(bool, EnableHTML)
  PROGRID_FIELD(bool, EnableWheel)
  PROGRID_FIELD(bool, ShowSelection)
  PROGRID_FIELD(bool, ShowDesignHelper)
  PROGRID_FIELD(bool, EnhRowColMove)
  PROGRID_FIELD(bool, UseInternalHintClass)
  PROGRID_FIELD(bool, IntelliZoom)
  PROGRID_FIELD(bool, HintShowCells)
  PROGRID_FIELD(bool, HintShowLargeText)
  PROGRID_FIELD(bool, HintShowSizing)
  PROGRID_FIELD(bool, HTMLHint)
  PROGRID_FIELD(bool, AutoSize)
  PROGRID_FIELD(bool, AutoThemeAdapt)
  PROGRID_FIELD(TInvalidEntryIcon, InvalidEntryIcon)
  // Text offset inside a cell.
  PROGRID_FIELD(TPoint, XYOffset)
  PROGRID_FIELD(bool, SaveFixedCells)
  PROGRID_FIELD(bool, SaveFixedRows)
  PROGRID_FIELD(bool, SaveFixedCols)
  PROGRID_FIELD(bool, SaveHiddenCells)
  PROGRID_FIELD(bool, SaveVirtCells)
  PROGRID_FIELD(bool, SaveWithHTML)
  PROGRID_FIELD(bool, QuoteEmptyCells)
  PROGRID_FIELD(bool, AlwaysQuotes)
  // CSV delimiter; a null character: none (detected).
  PROGRID_FIELD(QChar, Delimiter)
  PROGRID_FIELD(bool, JavaCSV)
  PROGRID_FIELD(int, PrintPageFrom)
  PROGRID_FIELD(int, PrintPageTo)

  // --- owned settings objects (a setter copies with Assign) ------------------

  TSearchFooter* SearchFooter() const { return FSearchFooter.get(); }
  void SetSearchFooter(TSearchFooter* Value) { FSearchFooter->Assign(Value); }
  TNavigation* Navigation() const { return FNavigation.get(); }
  void SetNavigation(TNavigation* Value) { FNavigation->Assign(Value); }
  TMouseActions* MouseActions() const { return FMouseActions.get(); }
  void SetMouseActions(TMouseActions* Value) { FMouseActions->Assign(Value); }
  TSyncGrid* SyncGrid() const { return FSyncGrid.get(); }
  void SetSyncGrid(TSyncGrid* Value) { FSyncGrid->Assign(Value); }
  TBands* Bands() const { return FBands.get(); }
  void SetBands(TBands* Value) { FBands->Assign(Value); }
  TFocusHelper* FocusHelper() const { return FFocusHelper.get(); }
  void SetFocusHelper(TFocusHelper* Value) { FFocusHelper->Assign(Value); }
  TControlLook* ControlLook() const { return FControlLook.get(); }
  void SetControlLook(TControlLook* Value) { FControlLook->Assign(Value); }
  TGridProgressAppearance* ProgressAppearance() const { return FProgressAppearance.get(); }
  void SetProgressAppearance(TGridProgressAppearance* Value) { FProgressAppearance->Assign(Value); }
  TShowModified* ShowModified() const { return FShowModified.get(); }
  void SetShowModified(TShowModified* Value) { FShowModified->Assign(Value); }
  TBalloonSettings* Balloon() const { return FBalloonSettings.get(); }
  void SetBalloon(TBalloonSettings* Value) { FBalloonSettings->Assign(Value); }
  TDragDropSettings* DragDropSettings() const { return FDragDropSettings.get(); }
  void SetDragDropSettings(TDragDropSettings* Value) { FDragDropSettings->Assign(Value); }
  TGrouping* Grouping() const { return FGrouping.get(); }
  void SetGrouping(TGrouping* Value) { FGrouping->Assign(Value); }
  TDragScrollOptions* DragScrollOptions() const { return FDragScrollOptions.get(); }
  void SetDragScrollOptions(TDragScrollOptions* Value) { FDragScrollOptions->Assign(Value); }
  TSortSettings* SortSettings() const { return FSortSettings.get(); }
  void SetSortSettings(TSortSettings* Value) { FSortSettings->Assign(Value); }
  TFilter* Filter() const { return FFilter.get(); }
  void SetFilter(TFilter* Value) { FFilter->Assign(Value); }
  TFilterDropDown* FilterDropDown() const { return FFilterDropDown.get(); }
  void SetFilterDropDown(TFilterDropDown* Value) { FFilterDropDown->Assign(Value); }
  TFloatingFooter* FloatingFooter() const { return FFloatingFooter.get(); }
  void SetFloatingFooter(TFloatingFooter* Value) { FFloatingFooter->Assign(Value); }
  TColumnSize* ColumnSize() const { return FColumnSize.get(); }
  void SetColumnSize(TColumnSize* Value) { FColumnSize->Assign(Value); }
  THTMLSettings* HTMLSettings() const { return FHTMLSettings.get(); }
  void SetHTMLSettings(THTMLSettings* Value) { FHTMLSettings->Assign(Value); }
  TPrintSettings* PrintSettings() const { return FPrintSettings.get(); }
  void SetPrintSettings(TPrintSettings* Value) { FPrintSettings->Assign(Value); }
  // Pictures of HTML cell text loaded from addresses.
  THTMLPictureCache* ImageCache() const { return FImageCache.get(); }
  // The panel under the grid that shows the floating footer.
  TFooterPanel* FooterPanel() const { return FFooterPanel; }
  TDropList* DropList() const { return FDropList; }
  TDropCheckList* DropCheckList() const { return FDropCheckList; }
  // The sort columns of an index sort.
  TSortIndexList* SortIndexes() const { return FSortIndexes.get(); }

  // --- fixed-cell gradient colours of the REZ looks ---------------------------

  // Each setter stores the colour resolved to RGB and repaints the grid.
  TColor REZGradientFrom() const { return FREZGradientFrom; }
  void SetREZGradientFrom(TColor Value);
  TColor REZGradientTo() const { return FREZGradientTo; }
  void SetREZGradientTo(TColor Value);
  TColor REZGradientMirrorFrom() const { return FREZGradientMirrorFrom; }
  void SetREZGradientMirrorFrom(TColor Value);
  TColor REZGradientMirrorTo() const { return FREZGradientMirrorTo; }
  void SetREZGradientMirrorTo(TColor Value);
  // Hover and pressed colours of fixed cells: plain fields.
  TColor REZGradientHoverFrom = clNone, REZGradientHoverTo = clNone,
         REZGradientHoverMirrorFrom = clNone, REZGradientHoverMirrorTo = clNone,
         REZGradientHoverBorder = clNone;
  TColor REZGradientDownFrom = clNone, REZGradientDownTo = clNone,
         REZGradientDownMirrorFrom = clNone, REZGradientDownMirrorTo = clNone,
         REZGradientDownBorder = clNone;

  // --- footer rows --------------------------------------------------------------

  // Rows at the bottom that stay fixed (the floating footer's row).
  int FixedFooters() const { return FFixedFooters; }
  void SetFixedFooters(int Value);
  // The last row is not drawn in the grid because the floating footer shows it.
  bool HideLastRow() const { return FHideLastRow; }
  void SetHideLastRow(bool Value) { FHideLastRow = Value; }
  // Recomputes the floating footer's calculated cells of column ACol (-1: all).
  void CalcFooter(int ACol);

  // --- column sizes ---------------------------------------------------------------

  // Widens column ACol (-1: the last) so that the columns fill the client
  // width; nothing while ColumnSize.Stretch is off.
  void StretchColumn(int ACol);

  // --- sorting ------------------------------------------------------------------

  // Sorts the normal rows on SortSettings.Column in SortSettings.Direction.
  virtual void QSort();
  // Sorts the normal rows on the sort index list.
  virtual void QSortIndexed();

  // --- print settings in an INI file --------------------------------------------

  // Writes PrintSettings into Section of the INI file Key.
  void SavePrintSettings(const QString& Key, const QString& Section);
  // Reads PrintSettings from Section of the INI file Key.
  void LoadPrintSettings(const QString& Key, const QString& Section);

  // Repaints the last fixed row (the header of a sorted column).
  void RepaintLastFixedRow() {
    if (FixedRows() > 0) InvalidateRow(FixedRows() - 1);
  }

  // Whether the grid is being designed (in the form designer).
  bool IsDesigning() const { return ComponentState().contains(csDesigning); }

  // --- cell graphics and check boxes ---------------------------------------------

  // The cell's graphic, or in column 0 with MouseActions.HotmailRowSelect the
  // grid's shared row check box; nullptr when none.
  virtual TCellGraphic* GetCellGraphic(int ACol, int ARow);
  TCellGraphic* CellGraphics(int ACol, int ARow) { return GetCellGraphic(ACol, ARow); }
  // The kind of the cell's graphic: ctEmpty without one (or for negative
  // coordinates), ctRowCheckBox for column 0 with HotmailRowSelect.
  virtual TCellType GetCellType(int ACol, int ARow);
  TCellType CellTypes(int ACol, int ARow) { return GetCellType(ACol, ARow); }
  // The size the graphic claims in the cell's layout; (0, 0) without one.
  virtual TPoint GetCellGraphicSize(int ACol, int ARow);
  TPoint CellGraphicSize(int ACol, int ARow) { return GetCellGraphicSize(ACol, ARow); }
  virtual TPoint CalcCellGraphicSize(int ACol, int ARow, int Extra);
  // The size the print engine reserves for the graphic in a cw x rh cell.
  virtual TPoint CalcPrintGraphicSize(int ACol, int ARow, int cw, int rh, double Scale);
  // Replaces the cell's own graphic by a new one of kind ctNone; an empty cell
  // stays empty.
  TCellGraphic* CreateCellGraphic(int ACol, int ARow);
  // Removes and frees the cell's graphic (the shared ones are never freed).
  bool RemoveCellGraphic(int ACol, int ARow);
  bool RemoveCellGraphicOfType(int ACol, int ARow, TCellType ACellType);
  // Whether the merge base cell's graphic is one of Kinds.
  bool HasGraphicType(int ACol, int ARow, TCellTypes Kinds);
  // The index list of a ctImages cell; nullptr for other cells.
  TIntList* GetCellImages(int ACol, int ARow);
  TIntList* CellImages(int ACol, int ARow) { return GetCellImages(ACol, ARow); }
  // The sort key of an image cell; -1 for other cells.
  int GetCellImageValue(int ACol, int ARow);
  // The image list of image cells (GridImages).
  virtual TImageList* GetCellImageList();
  // Not owned; forgotten when the list is destroyed.
  TImageList* GridImages() const { return FGridImages; }
  void SetGridImages(TImageList* Value);

  // Check boxes. AddCheckBox raises EProGridError "Invalid cell" outside the
  // grid; a data check box keeps a text equal to CheckTrue or CheckFalse and
  // otherwise gets the one for State.
  void AddCheckBox(int ACol, int ARow, bool State, bool Data);
  void AddCheckBox(int ACol, int ARow, TCheckBoxState State);
  // From the first row (0 with MouseActions.CheckAllCheck, else FixedRows) to
  // the last; summary rows are skipped, node rows get a three-state box.
  void AddCheckBoxColumn(int ACol, bool DefaultState = false, bool DataCheckBox = false);
  void AddTriStateCheckBoxColumn(int ACol, TCheckBoxState state);
  void RemoveCheckBox(int ACol, int ARow);
  void RemoveCheckBoxColumn(int ACol);
  bool HasCheckBox(int ACol, int ARow);
  bool HasDataCheckBox(int ACol, int ARow);
  bool IsChecked(int ACol, int ARow);
  // Reads the state at a real row; false (state untouched) without a check box
  // of a kind the overload reads.
  bool GetCheckBoxState(int ACol, int ARow, bool& State);
  bool GetCheckBoxState(int ACol, int ARow, TCheckBoxState& State);
  // Writes the state at a real row; fires no event.
  bool SetCheckBoxState(int ACol, int ARow, bool State);
  // Only for a three-state box.
  bool SetCheckBoxState(int ACol, int ARow, TCheckBoxState State);
  bool ToggleCheckBox(int ACol, int ARow) { return DoToggleCheckBox(ACol, ARow, false); }
  // Sets every box of the column from FixedRows on, with OnCheckBoxChange per
  // box that really changes.
  void CheckAll(int ACol);
  void UnCheckAll(int ACol);
  static TCheckBoxState BoolToCheckBoxState(bool bChecked) { return bChecked ? cbChecked : cbUnchecked; }
  // Hit test of a check box or radio button in client coordinates.
  bool IsInCheckBox(int ACol, int ARow, int XPos, int YPos);

  // Radio buttons (one per cell, exclusive within a column) and radio groups
  // (all options in one cell). AddRadioButton raises "Invalid cell" as AddCheckBox.
  void AddRadioButton(int ACol, int ARow, bool State = false);
  void RemoveRadioButton(int ACol, int ARow);
  bool HasRadioButton(int ACol, int ARow);
  void AddRadioButtonColumn(int ACol);
  void RemoveRadioButtonColumn(int ACol);
  bool IsRadioButtonChecked(int ACol, int ARow);
  // Sets one button; no other button is touched.
  bool SetRadioButtonState(int ACol, int ARow, bool State);
  void SetRadioButtonColumnIndex(int ACol, int Index);
  int GetRadioButtonColumnIndex(int ACol);
  // A group over the caller's strings (not owned); DirRadio not 0: side by side.
  void AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStrings* sl);
  // A group over a new list owned by the graphic, returned to be filled.
  TStrings* CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio);
  bool GetRadioIdx(int ACol, int ARow, int& IdxRadio);
  bool SetRadioIdx(int ACol, int ARow, int IdxRadio);
  TStrings* GetRadioStrings(int ACol, int ARow);
  bool IsRadio(int ACol, int ARow);
  void RemoveRadio(int ACol, int ARow);

  // The user's toggle of a check box (FromUser: CanEditCell may refuse it).
  virtual bool DoToggleCheckBox(int ACol, int ARow, bool FromUser);
  // The user's choice of a radio button; the column's other buttons go off.
  virtual bool DoToggleRadioButton(int ACol, int ARow, bool FromUser);
  // Fires OnCheckBoxChange.
  virtual void DoCheckBoxChange(int ACol, int ARow, bool State);
  // SetCheckBoxState at a display row, with OnCheckBoxChange when the state changes.
  bool ChangeCheckBoxState(int ACol, int ARow, bool State);
  // Whether the cell holds a control-like graphic (no text editor on it).
  bool IsControlCell(int ACol, int ARow);
  // Whether the cell's graphic shows its data (no text is printed).
  bool IsDataGraphicCell(int ACol, int ARow);
  // Moves a radio group to its next option and writes it into the cell.
  bool CycleRadio(int ACol, int ARow, bool FromUser);

  // A check box changed its state through the user or ChangeCheckBoxState.
  std::function<void(TObject* Sender, int ACol, int ARow, bool State)> OnCheckBoxChange;

 private:
  // The layout size of a cell's graphic; FullRule applies haFull/vaFull last.
  TPoint GraphicLayoutSize(int ACol, int ARow, int Extra, bool FullRule);
  // Finds the graphic for a state query at a real row (hidden rows looked up).
  TCellGraphic* CheckBoxGraphic(int ACol, int ARow);
  // Check texts of a cell through GetCheckTrue / GetCheckFalse.
  QString CellCheckTrue(int ACol, int ARow);
  QString CellCheckFalse(int ACol, int ARow);
  // Repaints a cell given by real column at its display position.
  void RepaintRealCell(int ACol, int ARow);
  // Raises "Invalid cell" outside the grid.
  void CheckCellIndex(int ACol, int ARow);
  // Whether a user's change of the cell's control may go ahead (CanEditCell
  // is asked unless the control is always active).
  bool UserMayChange(int ACol, int ARow, bool FromUser, bool AlwaysActive);
  // The first row of the column-wide check-box operations.
  int FirstCheckRow();
  std::unique_ptr<TCellGraphic> FRowCheckBox;
  TImageList* FGridImages = nullptr;
  // Hears of the destruction of GridImages.
  std::unique_ptr<TComponent> FGridImagesLink;

 public:
  // --- stand-ins until per-cell queries land ---------------------------------------

  virtual void GetCheckTrue(int ACol, int ARow, QString& Value);
  virtual void GetCheckFalse(int ACol, int ARow, QString& Value);
  virtual void CanEditCell(int ACol, int ARow, bool& CanEdit);
  virtual void GetCellEditor(int ACol, int ARow, TEditorType& AEditor);
  virtual void IsFixedCell(int ACol, int ARow, bool& IsFixed);
  virtual void IsPasswordCell(int ACol, int ARow, bool& IsPassword);
  virtual bool HasComboBox(int ACol, int ARow);
  virtual void GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
  virtual void GetCellFormat(int ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix);
  virtual void DoCanEditCell(int ACol, int ARow, bool& CanEdit);
  virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
  virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                                 TFont* AFont);
  virtual void GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
  virtual void GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
  virtual void UpdateColumnSize(int ACol, int& AWidth);
  virtual void UpdateAutoColumnSize(int ACol, int& AWidth);
  virtual void CellsLoaded();
  std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)> OnGetCheckTrue;
  std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)> OnGetCheckFalse;
  std::function<void(TObject* Sender, int ARow, int ACol, bool& CanEdit)> OnCanEditCell;
  std::function<void(TObject* Sender, int ACol, int ARow, TEditorType& AEditor)> OnGetEditorType;

  // The text offset applies at the top-left only (not set: doubled).
  bool XYOffsetTopLeftOnly() const { return false; }

  // --- stand-ins until typed access lands ---------------------------------------------

  virtual QString GetCellFloatFormat(int ACol, int ARow);
  double Floats(int ACol, int ARow);

  // --- stand-ins until cell text painting lands ---------------------------------------

  virtual QString GetFormattedCell(int ACol, int ARow);
  std::function<void(TObject* Sender, int ACol, int ARow, bool& IsFloat, QString& FloatFormat)>
      OnGetFloatFormat;

  // --- stand-ins until hidden columns and column moves land ---------------------------

  // The width of a real column (the kept width of a hidden one).
  int AllColWidths(int ACol);
  void SetAllColWidths(int ACol, int Value);
  // Shows every hidden column; the column order list is not kept yet.
  void ResetColumnOrder();
  virtual void SaveColPositions();
  virtual void LoadColPositions();

  // --- stand-ins until nodes land ----------------------------------------------------

  // A node of Span rows at ARow: a ctNode graphic in column 0 (span in
  // CellIndex, collapsed in CellBoolean) and the rows' node level raised.
  void AddNode(int ARow, int Span);
  bool IsNode(int ARow);
  bool IsSummary(int ARow);
  bool GetNodeState(int ARow);
  int GetNodeSpan(int ARow);
  int GetParentRow(int ARow);
  int FNumNodes = 0;

  // --- stand-ins until cell combo lists, mouse and hints, and auto-sizing land ---

  // Empties the item list of the grid's combo editor (nothing to empty yet).
  void ClearComboString();
  // Appends S to the item list of the grid's combo editor (not kept yet).
  void AddComboString(const QString& S);
  // Fits a column to its longest text; raises EProGridError until it lands.
  void AutoSizeCol(int ACol, int Padding);
  // After the user picks an item of a combo editor.
  std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection)>
      OnComboChange;
  // Before a cell's tool tip shows (row first); the handler may set the text.
  std::function<void(TObject* Sender, int ARow, int ACol, QString& HintStr)> OnGridHint;
  // After a click or a double click on a cell (row first).
  std::function<void(TObject* Sender, int ARow, int ACol)> OnClickCell;
  std::function<void(TObject* Sender, int ARow, int ACol)> OnDblClickCell;

 protected:
  // After a window definition was read: records the fixed counts and the row
  // count as the minima and largest, takes goAlwaysShowEditor over as
  // Navigation.AlwaysEdit and gives the search footer the theme switch.
  void Loaded() override;

  // Raises EProGridError naming an operation of the grid that this build does
  // not provide yet, so that a caller never mistakes it for a success.
  [[noreturn]] static void NotAvailable(const char* Operation);

 private:
  struct Data {
    QString CheckTrue = QStringLiteral("Y"), CheckFalse = QStringLiteral("N");
    QString FloatFormat = QStringLiteral("%.2f");
    QChar PasswordChar = u'*';
    QString FilterDropDownClear = QStringLiteral("(All)");
    bool FilterDropDownAuto = false, FilterDropDownCheck = false;
    TFilterDropDownColumns FilterDropDownColumns = fdNormal;
    int FilterDropDownRow = 0;
    bool FilterNormalCellsOnly = true, AutoFilterUpdate = true;
    QString XMLEncoding = QStringLiteral("ISO-8859-1");
    bool ActiveCellShow = false;
    TColor ActiveCellColor = TColor(0x808080), ActiveCellColorTo = clNone;
    TColor SelectionColor = TColor(0xEACAB6), SelectionColorTo = clNone,
           SelectionMirrorColor = clNone, SelectionMirrorColorTo = clNone;
    TColor SelectionTextColor = 0;
    int SelectionColorMixerFactor = 50;
    TColor HintColor = clInfoBk, HighlightColor = clHighlight, HighlightTextColor = clHighlightText;
    TColor URLColor = TColor(0xFF0000);
    bool URLShow = false, URLShowInText = false;
    TColor DisabledFontColor = TColor(0xC0C0C0);
    TColor BorderColor = TColor(0xB99D7F);
    TGridLook Look = glXP;
    TScrollType ScrollType = ssNormal;
    TColor ScrollColor = clNone;
    int ScrollWidth = 17;
    TScrollHintType ScrollHints = shNone;
    TScrollBarAlways ScrollBarAlways = saNone;
    bool EnableHTML = true, EnableWheel = true, ShowSelection = true, ShowDesignHelper = true,
         EnhRowColMove = true, UseInternalHintClass = true, IntelliZoom = true;
    bool HintShowCells = false, HintShowLargeText = false, HintShowSizing = false,
         HTMLHint = false;
    bool AutoSize = false, AutoThemeAdapt = false;
    TInvalidEntryIcon InvalidEntryIcon = ieWarning;
    TPoint XYOffset{2, 2};
    bool SaveFixedCells = true, SaveFixedRows = false, SaveFixedCols = false,
         SaveHiddenCells = false, SaveVirtCells = true, SaveWithHTML = true;
    bool QuoteEmptyCells = true, AlwaysQuotes = false;
    QChar Delimiter;
    bool JavaCSV = false;
    int PrintPageFrom = 1, PrintPageTo = 1;
  } F;

  bool FFixedRowAlways = false, FFixedColAlways = false;
  int FFixedRowsMin = 1, FFixedColsMin = 1;
  int FMaxRowCount = 0, FMaxColCount = 0;
  int FFixedRowHeight = 22;
  int FFixedRightCols = 0;
  TAlignment FDefaultAlignment = taLeftJustify;
  TVAlignment FVAlignment = vtaTop;
  bool FWordWrapEx = true;
  bool FIntegralHeight = false;
  bool FLoaded = false;
  int FMinRowHeight = 0, FMinColWidth = 0;
  std::unique_ptr<TFont> FFixedFont;
  std::unique_ptr<TFont> FActiveCellFont;
  std::vector<bool> FRowSelect, FColSelect;
  std::unique_ptr<TIntList> FSelectedRows, FModifiedRows, FEnabledRows;
  bool FUseEnabledRows = false;
  bool FSelChange = false;
  std::unique_ptr<TBitmap> FRowIndicator;
  static constexpr int kColumnTable = 513;
  std::vector<bool> FVisibleCol = std::vector<bool>(kColumnTable, true);
  std::vector<int16_t> FAllColWidths = std::vector<int16_t>(kColumnTable, 0);
  int FNumHidden = 0;
  std::unique_ptr<TGridItems> FGridItems;
  int FFilterLevel = 0;
  int FLastRowUpdate = -1;
  // Moves the cells of a display row (all stored columns) into a hidden-row
  // item, or back; the cell objects go along, the row is left empty.
  void RowToItem(int ARow, TGridItem* Item);
  void ItemToRow(TGridItem* Item, int ARow);
  int StoredColCount() const { return ColCount() + FNumHidden; }

  TFooterPanel* FFooterPanel = nullptr;  // owned as a component
  std::unique_ptr<TFocusHelper> FFocusHelper;
  std::unique_ptr<TSearchFooter> FSearchFooter;
  std::unique_ptr<TFloatingFooter> FFloatingFooter;
  std::unique_ptr<TPrintSettings> FPrintSettings;
  std::unique_ptr<THTMLSettings> FHTMLSettings;
  std::unique_ptr<TSortSettings> FSortSettings;
  std::unique_ptr<TDragDropSettings> FDragDropSettings;
  std::unique_ptr<TDragScrollOptions> FDragScrollOptions;
  std::unique_ptr<TControlLook> FControlLook;
  std::unique_ptr<TNavigation> FNavigation;
  std::unique_ptr<TColumnSize> FColumnSize;
  std::unique_ptr<TBands> FBands;
  std::unique_ptr<TMouseActions> FMouseActions;
  std::unique_ptr<TGrouping> FGrouping;
  std::unique_ptr<THTMLPictureCache> FImageCache;
  std::unique_ptr<TSortIndexList> FSortIndexes;
  std::unique_ptr<TGridProgressAppearance> FProgressAppearance;
  std::unique_ptr<TSyncGrid> FSyncGrid;
  std::unique_ptr<TFilter> FFilter;
  std::unique_ptr<TBalloonSettings> FBalloonSettings;
  std::unique_ptr<TShowModified> FShowModified;
  std::unique_ptr<TFilterDropDown> FFilterDropDown;
  TDropList* FDropList = nullptr;            // owned as a component
  TDropCheckList* FDropCheckList = nullptr;  // owned as a component

  TColor FREZGradientFrom = clNone, FREZGradientTo = clNone;
  TColor FREZGradientMirrorFrom = clNone, FREZGradientMirrorTo = clNone;
  int FFixedFooters = 0;
};

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
#include "grid/ProGrid_ColumnSize.h"
#include "grid/ProGrid_Editors.h"
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

  // --- editing in place: editor choice, editors, combo lists, validation ---

  // The editor kind assumed before OnGetEditorType is asked.
  TEditorType DefaultEditor() const { return FDefaultEditor; }
  void SetDefaultEditor(TEditorType Value) { FDefaultEditor = Value; }
  // Longest text of the text editor (0: no limit) and of a free-text combo.
  int MaxEditLength() const { return FMaxEditLength; }
  void SetMaxEditLength(int Value) { FMaxEditLength = Value; }
  int MaxComboLength() const { return FMaxComboLength; }
  void SetMaxComboLength(int Value) { FMaxComboLength = Value; }
  // The edit mask of the text editor.
  const QString& EditMask() const { return FEditMask; }
  void SetEditMask(const QString& Value) { FEditMask = Value; }
  // Cells are edited with their mini-HTML tags instead of the plain text.
  bool EditWithTags() const { return FEditWithTags; }
  void SetEditWithTags(bool Value) { FEditWithTags = Value; }
  // The characters an edValidChars cell takes (empty: the grid's set).
  const QString& ValidChars() const { return FValidChars; }
  void SetValidChars(const QString& Value) { FValidChars = Value; }
  bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
  void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
  // Completion of typed text from LookupItems.
  bool Lookup() const { return FLookup; }
  void SetLookup(bool Value) { FLookup = Value; }
  bool LookupCaseSensitive() const { return FLookupCaseSensitive; }
  void SetLookupCaseSensitive(bool Value) { FLookupCaseSensitive = Value; }
  bool LookupHistory() const { return FLookupHistory; }
  void SetLookupHistory(bool Value) { FLookupHistory = Value; }
  TStrings* LookupItems() const { return FLookupItems.get(); }
  void SetLookupItems(TStrings* Value) { FLookupItems->Assign(Value); }
  TSizeWhileTyping* SizeWhileTyping() const { return FSizeWhileTyping.get(); }
  void SetSizeWhileTyping(TSizeWhileTyping* Value) { FSizeWhileTyping->Assign(Value); }
  // Validate also when the text did not change.
  bool AlwaysValidate() const { return FAlwaysValidate; }
  void SetAlwaysValidate(bool Value) { FAlwaysValidate = Value; }
  // Title and text of the balloon shown on a refused value (both empty: none).
  const QString& InvalidEntryTitle() const { return FInvalidEntryTitle; }
  void SetInvalidEntryTitle(const QString& Value) { FInvalidEntryTitle = Value; }
  const QString& InvalidEntryText() const { return FInvalidEntryText; }
  void SetInvalidEntryText(const QString& Value) { FInvalidEntryText = Value; }
  // Set when a validated value changed a cell.
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }

  // An editor (text or special) is up for the current cell.
  bool EditMode() const { return FEditMode; }
  // The kind of the editor that is up or being prepared.
  TEditorType CurrentEditor() const { return FEditControl; }
  // The text editor (created on the first edit), the combo and check-box editors.
  TProInplaceEdit* NormalEdit() const { return dynamic_cast<TProInplaceEdit*>(InplaceEditor()); }
  TGridCombo* EditCombo() const { return FEditCombo; }
  TGridCheckBox* EditCheck() const { return FEditCheck; }
  // The special editor control that is up, or nullptr.
  TWinControl* EditCtrl() const { return FEditCtrl; }
  // The text validation settled on (the editors show it after a call).
  const QString& NewCellText() const { return FNewCellText; }
  // The last validation passed.
  bool LastValidation() const { return FLastValidation; }
  // The window that shows InvalidEntryTitle and InvalidEntryText under the
  // editor after a refused value (nullptr until first needed).
  THintWindow* InvalidEntryHint() const { return FInvalidEntryHint; }

  // Whether the cell may be edited now.
  bool IsEditable(int ACol, int ARow);
  // Stores the special editor's value into the current cell.
  void HideCellEdit();
  // Fixed footer rows and fixed right columns, then the fixed-cell query of
  // the cell (the base cell of a merge).
  bool IsFixed(int ACol, int ARow) override;
  // Starts editing the current cell as F2 does.
  void ShowCellEdit();
  // Scrolls the current cell into view and shows its editor (not on a control cell).
  void ShowInplaceEdit();
  // Puts the editor away: its value reaches the cell, the cursor's hook runs again.
  void HideInplaceEdit();
  // Ends editing by a key: the editor goes away, the key moves the cursor.
  void DoneInplaceEdit(Word Key, TShiftState Shift);

  // The combo editor's items (filled per cell before the combo shows).
  void ClearComboString();
  void AddComboString(const QString& S);
  void AddComboStringObject(const QString& S, TObject* AObject);
  bool RemoveComboString(const QString& S);
  // The item a combo selects when the cell text matches none (-1: none).
  bool SetComboSelectionString(const QString& S);
  void SetComboSelection(int Index);
  int GetComboCount();
  void SetComboIndex(int ACol, int ARow, int Index);
  int GetComboIndex(int ACol, int ARow);

  // Takes (or refuses) the edited value of the entered cell; true when taken.
  virtual bool ValidateCell(const QString& NewValue);
  virtual bool ValidateCellWide(const QString& NewValue);

  std::function<void(TObject* Sender, int ACol, int ARow, TObject* AEditLink)> OnGetEditorProp;
  std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)> OnGetEditMask;
  TNotifyEvent OnEditingDone;
  std::function<void(TObject* Sender, int ACol, int ARow)> OnEditCellDone;
  std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)> OnEditChange;
  std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection)>
      OnComboChange;
  std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection,
                     TObject* AObject)>
      OnComboObjectChange;
  std::function<void(TObject* Sender, int ARow, int ACol)> OnComboCloseUp;
  std::function<void(TObject* Sender, int ARow, int ACol)> OnComboDropDown;
  std::function<void(TObject* Sender, int ACol, int ARow, QString& Value, bool& Valid)> OnCellValidate;
  std::function<void(TObject* Sender, int ACol, int ARow, QString& Value, bool& Valid)> OnCellValidateWide;
  std::function<void(TObject* Sender, TRect R)> OnCellsChanged;
  std::function<void(TObject* Sender, int OldRow, int NewRow, bool& Allow)> OnRowChanging;
  std::function<void(TObject* Sender, int OldCol, int NewCol, bool& Allow)> OnColChanging;
  std::function<void(TObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)>
      OnCellChanging;
  std::function<void(TObject* Sender, int ACol, int ARow, QString& S)> OnEllipsClick;
  std::function<void(TObject* Sender, int ARow, int ACol)> OnDblClickCell;
  std::function<void(TObject* Sender, bool& Allow)> OnClipboardPaste;
  std::function<void(TObject* Sender, bool& Allow)> OnClipboardCut;
  std::function<void(TObject* Sender, bool& Allow)> OnClipboardCopy;
  std::function<void(TObject* Sender, int ACol, int ARow, QString& Value, bool& Allow)>
      OnClipboardBeforePasteCell;
  std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)> OnClipboardAfterPasteCell;

  // --- stand-ins until the per-cell queries, cell types, typed access and cursor families land ---

  // Per-cell queries and their events (each asks only its event here).
  std::function<void(TObject* Sender, int ACol, int ARow, TEditorType& AEditor)> OnGetEditorType;
  std::function<void(TObject* Sender, int ARow, int ACol, bool& CanEdit)> OnCanEditCell;
  std::function<void(TObject* Sender, int ARow, int ACol, bool& IsFixed)> OnIsFixedCell;
  std::function<void(TObject* Sender, int ARow, int ACol, bool& IsPassword)> OnIsPasswordCell;
  std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)> OnGetCheckTrue;
  std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)> OnGetCheckFalse;
  virtual void GetCellEditorType(int ACol, int ARow, TEditorType& AEditor);
  virtual void GetCellEditor(int ACol, int ARow, TEditorType& AEditor);
  virtual bool HasNoEditor(int ACol, int ARow);
  virtual void IsFixedCell(int ACol, int ARow, bool& IsFixed);
  virtual void CanEditCell(int ACol, int ARow, bool& CanEdit);
  virtual void IsPasswordCell(int ACol, int ARow, bool& IsPassword);
  virtual void GetCheckTrue(int ACol, int ARow, QString& Value);
  virtual void GetCheckFalse(int ACol, int ARow, QString& Value);
  // Cell types: no cell is a check-box, radio or button cell yet.
  virtual bool IsControlCell(int ACol, int ARow);
  // Typed access: the current cell's text, read and stored as edit text.
  virtual QString GetCurrentCell();
  virtual void SetCurrentCell(const QString& AValue);
  // Focus and cursor: remembers the entered cell and its text for validation.
  virtual void StoreOldCellText(int ACol, int ARow);
  // Cell text: the grid's default alignment.
  virtual TAlignment CalcCellAlignment(int ACol, int ARow);
  // Keyboard: no advance without AdvanceOnEnter; with it, and for TabAdvance,
  // EProGridError names the missing operation.
  virtual void AdvanceToNextCell(bool Force, bool AutoEdit, bool Forward, bool Recursing,
                                 bool ShowEditor);
  virtual void TabAdvance(bool Backward);

 protected:
  // --- editing in place (protected) ---
  // Picks the cell's editor kind; shows a special editor itself and answers
  // false for it, true when the text editor may show.
  bool CanEditShow() override;
  // The grid's text editor, TProInplaceEdit.
  TInplaceEdit* CreateEditor() override;
  QString GetEditMask(int ACol, int ARow) override;
  int GetEditLimit() override;
  QString GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const QString& Value) override;
  // Switches goEditing to the target cell's editability, puts an open editor
  // away, validates a special editor's value and lets the application veto.
  bool SelectCell(int ACol, int ARow) override;
  // The edit-done message, the text editor's changes and the combo's reports.
  void WndProc(TMessage& Message) override;
  // Places, fills and shows a special editor over a cell (display column).
  virtual void PrepareCellEditor(int ACol, int ARow);
  // Writes a special editor's value into the cell and puts the editor away.
  virtual void StoreEditorValue(int ACol, int ARow);
  // Hands an editor's value to the cell (real column).
  virtual void SetEditCellText(int ACol, int ARow, const QString& Value);
  virtual void RestoreCellCache();
  virtual bool CheckCellEditable(int ACol, int ARow);
  virtual bool CellIsPassword(int ACol, int ARow);
  // OnEditingDone now, OnEditCellDone once the posted "GridEditDone" returns.
  virtual void PostEditDone(int ACol, int ARow);
  // OnRowChanging, OnColChanging, OnCellChanging.
  virtual void CanChangeCell(int ACol, int ARow, bool& Allow);
  virtual void DoGetEditorProp(int ACol, int ARow, TObject* AEditLink);
  virtual void UpdateEditText(const QString& AText);
  virtual void CellValueChanged(int ACol, int ARow);
  virtual void DoCellsChanged(TRect R);
  virtual void CellsLoaded();
  virtual QString DoEllipsClick(const QString& S);
  // Whether an editor keeps Tab (goTabs or a validation event assigned).
  virtual bool EditorWantsTab();
  virtual void EditWMKeyDownHook(TWMKey&) {}
  virtual void EditKeyDownHook(Word&, TShiftState) {}
  virtual void EditCaretMoved(const QString&, TPoint, int) {}
  virtual void EditFormulaMode(bool) {}

 private:
  friend class TProInplaceEdit;
  friend class TGridCombo;
  friend class TGridCheckBox;
  // Creates the combo and check-box editors (in the constructor).
  void CreateEditControls();
  // Places and fills the combo editor over a cell.
  void SetUpCombo(int ACol, int ARow, const TRect& R, int H, TColor BG, bool ListOnly);
  void FireComboChange(int ACol, int ItemIndex, const QString& Text);
  // The colour (and font) the painter gives a cell (real column).
  TColor PaintedCellLook(int ACol, int ARow, TFont* AFont);
  void ShowInvalidEntry();
  void HideInvalidEntry();
  // After a refused value: the cell gets Put, the cursor goes back to the
  // entered cell and its editor opens again.
  void ReopenRejected(int C, int R, const QString& Put, bool Unchanged);

  TEditorType FDefaultEditor = edNormal;
  TEditorType FEditControl = edNormal;
  int FMaxEditLength = 0;
  int FMaxComboLength = 0;
  QString FEditMask;
  bool FEditWithTags = false;
  QString FValidChars;
  bool FExcelStyleDecimalSeparator = false;
  bool FLookup = false, FLookupCaseSensitive = false, FLookupHistory = false;
  std::unique_ptr<TStringList> FLookupItems = std::make_unique<TStringList>();
  std::unique_ptr<TSizeWhileTyping> FSizeWhileTyping = std::make_unique<TSizeWhileTyping>();
  bool FAlwaysValidate = false;
  QString FInvalidEntryTitle, FInvalidEntryText;
  bool FModified = false;
  bool FEditMode = false, FEditing = false, FSpecialEditor = false, FEditActive = false;
  bool FValidating = false, FEntered = false, FShowEditProcess = false, FNoEditChange = false;
  bool FBlockKill = false, FLastValidation = true, FEditDisable = false, FEditChange = false;
  bool FBlockFocus = false, FNoAutoAdvance = false;
  QString FCellCache, FEditText;
  QChar FStartEditChar;
  int FComboIdx = -1;
  TWinControl* FEditCtrl = nullptr;
  TGridCombo* FEditCombo = nullptr;      // owned as a component
  TGridCheckBox* FEditCheck = nullptr;   // owned as a component
  THintWindow* FInvalidEntryHint = nullptr;  // owned as a component
  int FOldCol = -1, FOldRow = -1;
  QString FOldCellText, FOldCellTextWide, FNewCellText;
  UINT FEditDoneMsg = 0;
  bool FCheckStart = false;

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

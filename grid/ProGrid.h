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
#include "platform/rtl/SysLocale.h"
#include "platform/ui/WinApi.h"

#include "grid/ProGrid_Background.h"
#include "grid/ProGrid_CellGraphic.h"
#include "grid/ProGrid_ColumnSize.h"
#include "grid/ProGrid_DateEditors.h"
#include "grid/ProGrid_EditLink.h"
#include "grid/ProGrid_RichEdit.h"
#include "grid/ProGrid_TransEdits.h"
#include "grid/ProGrid_Editors.h"
#include "grid/ProGrid_ButtonEditor.h"
#include "grid/ProGrid_SpinEditors.h"
#include "grid/ProGrid_EditBtnEditors.h"
#include "grid/ProGrid_Filter.h"
#include "grid/ProGrid_Footer.h"
#include "grid/ProGrid_HTML.h"
#include "grid/ProGrid_Look.h"
#include "grid/ProGrid_Nodes.h"
#include "grid/ProGrid_Options.h"
#include "grid/ProGrid_Paint.h"
#include "grid/ProGrid_Print.h"
#include "grid/ProGrid_Scroll.h"
#include "grid/ProGrid_Sort.h"
#include "grid/ProGrid_Styles.h"

class THTMLPictureCache;
class TScrollControl;
class TPictureContainer;
class TProStringGridCheck;
class TControlEdit;
class TControlCombo;

// A hidden row: its real index (for a filter level the display index it had),
// its height, the filter level that hid it (counted from 1; 0 for rows hidden
// one by one) and its cells with their objects, hidden columns included.
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

// The sides of a cell that get a border line.
enum TCellBorder { cbTop, cbLeft, cbRight, cbBottom };
using TCellBorders = TSet<TCellBorder, 8>;
enum TSearchAction { saFindFirst, saFindPrevious, saFindNext };
enum TGridExportState {
  esExportStart, esExportNewRow, esExportDone, esExportSelRow, esExportFail, esExportNextRow
};
enum TGridImportState { isImportStart, isImportNewRow, isImportDone, isImportSelRow };

class TCustomForm;

// Follows the cell selection of a grid (one listener per grid).
class ITProStringGridSelect {
 public:
  virtual ~ITProStringGridSelect() = default;
  // The selected cell changed to (ACol, ARow).
  virtual void SelectionChanged(int ACol, int ARow) = 0;
};

// Follows the cell changes of the grids it is registered with.
class TGridChangeNotifier : public TComponent {
 public:
  explicit TGridChangeNotifier(TComponent* AOwner) : TComponent(AOwner) {}
  // The cells of R (column and row coordinates) changed; nothing by default.
  virtual void CellsChanged(const TRect& R) {}
};

// --- the grid unit's process-wide values (set up once, before the first grid) ---

// Runs the grid unit's set-up once; every grid's constructor calls it. The
// message and format numbers are the platform's for these names, so other
// units registering the same names get the same numbers.
void ProGridUnitStartup();
// The clipboard format "TProStringGrid Cells" of the grid's own cell format.
Word GridClipboardFormat();
// The message "GridEditDone" an editor posts to its grid when editing ends.
UINT GridEditDoneMessage();
// The message "DTPShiftFocus" the date editor posts to itself.
UINT DTPShiftFocusMessage();
// Whether the date and time picker editors may be used.
bool GridCommonControlsFlag();

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

class TProStringGrid : public TBaseGrid, public IProStyle, public IProTones {
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
  int FixedRows() const {
    const int n = TBaseGrid::FixedRows();
    return n == 0 && FFixedRowAlways ? 1 : n;
  }
  // With FixedRowAlways a value not below RowCount leaves one normal row.
  void SetFixedRows(int Value);
  // The framework's fixed columns, but 1 when none is left and FixedColAlways is on.
  int FixedCols() const {
    const int n = TBaseGrid::FixedCols();
    return n == 0 && FFixedColAlways ? 1 : n;
  }
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
  // Removes RCount display rows at RowIndex; the rows below move up with their
  // cells and heights. The removed cells' objects are the caller's to free.
  // With Adjust the hidden rows behind the range get lower indexes.
  void DoRemoveRows(int RowIndex, int RCount, bool Adjust);
  // Frees the rows' cell properties, then removes them (adjusting hidden rows).
  virtual void FreeAndRemoveRows(int ARow, int ACount);
  // The public removal: the rows with their cells; the view stays filled.
  virtual void RemoveRows(int RowIndex, int RCount);
  // Appends a row (before a visible floating footer's row).
  void AddRow();
  // Removes the selected (not selected) normal rows with their cells.
  void RemoveSelectedRows();
  void RemoveUnSelectedRows();
  // Hides the selected (not selected) rows.
  void HideSelectedRows();
  void HideUnSelectedRows();
  // Removes every later row whose text in ACol repeats an earlier one (letter
  // case ignored unless DoCase).
  void RemoveDuplicates(int ACol, bool DoCase);
  // Inserts CCount empty columns at ColIndex (default width, visible).
  virtual void InsertCols(int ColIndex, int CCount);
  void AddColumn() { InsertCols(ColCount(), 1); }
  // Removes CCount columns at ColIndex with their cells, widths and visibility.
  virtual void RemoveCols(int ColIndex, int CCount);
  void RemoveSelectedCols();
  void RemoveUnSelectedCols();
  // Appends column 2's texts to column 1's with the separator, then removes column 2.
  void MergeCols(int ColIndex1, int ColIndex2, const QString& Separator);
  // Exchange two rows (texts, objects, heights) or two columns (texts, objects,
  // widths; the sort column follows).
  void SwapRows(int ARow1, int ARow2);
  void SwapColumns(int ACol1, int ACol2);
  // The first cell (row by row) whose stored text equals SubStr.
  bool IsCell(const QString& SubStr, int& ACol, int& ARow);
  // The first column whose row-0 text equals AValue, -1 when none.
  int ColumnByHeader(const QString& AValue);
  // The position of a real column in the recorded order, and back.
  int ColumnPosition(int ACol);
  int ColumnAtPosition(int ACol);
  // The cell text starts with the wide-text marker "|\".
  bool IsWideCell(int ACol, int ARow) { return Cells(ACol, ARow).startsWith(QLatin1String("|\\")); }
  QString GetWideCells(int ACol, int ARow) { return GetCellEx(ACol, ARow); }
  void SetWideCells(int ACol, int ARow, const QString& Value) { SetCellEx(ACol, ARow, Value); }

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

  // --- per-cell questions (each starts from the grid's answer, then its event) -------

  // Screen colours and font: the active-cell headers, the cell's own
  // properties, then OnGetCellColor.
  virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                            TFont* AFont);
  virtual void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                                 TFont* AFont);
  virtual void GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
  virtual void GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders);
  virtual void GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign);
  virtual void GetCellFormat(int ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix);
  // The editor kind as a plain question, and just before an editor shows.
  virtual void GetCellEditorType(int ACol, int ARow, TEditorType& AEditor);
  virtual void GetCellEditor(int ACol, int ARow, TEditorType& AEditor);
  // Whether the application answers edNone.
  virtual bool HasNoEditor(int ACol, int ARow);
  // Fixed rows and columns (and the header kept by FixedRowAlways) are fixed
  // without asking; otherwise OnIsFixedCell decides.
  virtual void IsFixedCell(int ACol, int ARow, bool& IsFixed);
  // Asks about the base cell of a merge: its read-only flag, the grid's
  // editing switch, then OnCanEditCell.
  virtual void CanEditCell(int ACol, int ARow, bool& CanEdit);
  virtual void IsPasswordCell(int ACol, int ARow, bool& IsPassword);
  virtual void GetCellWordWrap(int ACol, int ARow, bool& WordWrap);
  virtual bool HasComboBox(int ACol, int ARow);
  virtual bool HasSpinEdit(int ACol, int ARow);
  // CheckTrue / CheckFalse, then their events.
  virtual void GetCheckTrue(int ACol, int ARow, QString& Value);
  virtual void GetCheckFalse(int ACol, int ARow, QString& Value);
  // Fills FilterList with the values of a column's filter drop-down; true when
  // it holds any.
  virtual bool GetColumnFilter(int Column);
  TStringList* FilterList() const { return FFilterList.get(); }
  // Whether filtering narrows down while typing (the hidden rows' values stay out).
  bool FilterIncremental() const { return FFilterIncremental; }
  void SetFilterIncremental(bool Value) { FFilterIncremental = Value; }
  // The font of a cell: its own (in a shared scratch font) or the grid's.
  TFont* GetCellFont(int ACol, int ARow);
  TFont* Fonts(int ACol, int ARow) { return GetCellFont(ACol, ARow); }
  // The editor kind the grid starts from.
  TEditorType DefaultEditor() const { return FDefaultEditor; }
  void SetDefaultEditor(TEditorType Value) { FDefaultEditor = Value; }
  // The text file export writes for a cell, and the storing of a read text.
  virtual QString GetSaveCellText(int ACol, int ARow);
  virtual void SetLoadCellText(int ACol, int ARow, const QString& Value);
  virtual QString GetSearchCellText(int ACol, int ARow) { return Cells(ACol, ARow); }
  // The current cell's text (of its merge's base cell).
  virtual QString GetCurrentCellText();

  // --- reports ---------------------------------------------------------------------------

  virtual void DoCanEditCell(int ACol, int ARow, bool& CanEdit);
  virtual void DoSearchFooterAction(const QString& Value, int ACol, int ARow,
                                    TSearchAction SearchAction);
  virtual void DoButtonClick(int ACol, int ARow);
  virtual void DoComboCloseUp(int ARow, int ACol);
  virtual void DoComboDropDown(int ARow, int ACol);
  // Repaints the selection for the newer looks, then OnSelectionChanged.
  virtual void DoSelectionChanged(int ALeft, int ATop, int ARight, int ABottom);
  // Inserts a row at a real row (key handling).
  virtual void DoInsertRow(int ARow);
  // Removes a row; the only normal row is emptied instead (unless
  // FixedRowAlways); then OnAutoDeleteRow.
  virtual void DoDeleteRow(int ARow);
  virtual void DoFilterDone();
  virtual void DoFixedEdit(int ACol, int ARow, TGridFixedCellEditor& AEditor, TStrings* Values);
  virtual void ExportNotification(TGridExportState, int) {}
  virtual void ImportNotification(TGridImportState, int) {}
  virtual void MouseActionsChanged() {}
  virtual void NavigationChanged() {}
  // Repaints the whole grid (asked by MouseActions in the designer).
  virtual void DesignInvalidate() { Invalidate(); }
  // Removes goEditing from Options.
  virtual void DisableEditing();
  // Navigation.AllowFmtClipboard.
  virtual bool AllowFormattedClipboard() { return FNavigation->AllowFmtClipboard(); }

  // --- selection hiding, moves and listeners --------------------------------------------

  TGridRect Selection() const { return TBaseGrid::Selection(); }
  // Also repaints the active-cell headers and the active row.
  void SetSelection(const TGridRect& Value);
  // Moves the selection outside the grid (nothing is drawn selected), and back.
  void HideSelection();
  void UnHideSelection();
  bool SelectionHidden() const { return FSelHidden; }
  // Moves a display column (cells, widths and visibility go along) or rows.
  void MoveColumn(int FromIndex, int ToIndex);
  void MoveRow(int FromIndex, int ToIndex);
  // Moves Count rows from FromIndex so that they stand at ToIndex as counted
  // before the move (rows after them are counted without them). Heights stay.
  void MoveRows(int FromIndex, int ToIndex, int Count);
  virtual void AppendRow() { SetRowCount(RowCount() + 1); }
  // The nearest form holding Control (Control itself when it is one).
  static TCustomForm* FindParentForm(TControl* Control);
  // The column order recorded for column moves (empty until recorded).
  TIntList* ColumnOrder() const { return FColumnOrder.get(); }
  // Records the identity order 0, 1, ..., ColCount - 1.
  void SetColumnOrder();
  void RegisterSelListener(std::shared_ptr<ITProStringGridSelect> AListener) {
    FSelListener = std::move(AListener);
  }
  void UnRegisterSelListener(const std::shared_ptr<ITProStringGridSelect>&) {
    FSelListener.reset();
  }
  ITProStringGridSelect* SelListener() const { return FSelListener.get(); }
  // Change notifiers (not owned), each registered once.
  void RegisterNotifier(TGridChangeNotifier* ANotifier);
  void UnRegisterNotifier(TGridChangeNotifier* ANotifier);
  // The cells of R changed: OnCellsChanged, the notifiers, the footer values.
  virtual void DoCellsChanged(const TRect& R);
  virtual void DoCanAddRow(bool& CanAdd);
  virtual void DoCanInsertRow(int ARow, bool& CanInsert);
  std::function<void(TObject*, const TRect&)> OnCellsChanged;
  std::function<void(TObject*, bool&)> OnCanAddRow;
  std::function<void(TObject*, int ARow, bool&)> OnCanInsertRow;

  // --- rows and cells (structure) ------------------------------------------------------

  // Inserts RCount empty rows at RowIndex.
  virtual void InsertRows(int RowIndex, int RCount, bool UpdateCellControls);
  // Unmerges the range, then removes Count display rows at ARow.
  virtual void RemoveRowRange(int ARow, int Count);
  // Clears the cells of a rectangle: texts and property objects.
  virtual void ClearRect(int ACol1, int ARow1, int ACol2, int ARow2);
  // Clears RCount rows from RowIndex, hidden columns included.
  void ClearRows(int RowIndex, int RCount);
  void ClearCols(int ColIndex, int CCount);
  // Only the normal cells of the rows (columns).
  void ClearNormalRows(int RowIndex, int RCount);
  void ClearNormalCols(int ColIndex, int CCount);
  // Every normal cell (fixed cells and footers stay).
  void ClearNormalCells();
  // Every cell, hidden columns included; empties the type-ahead text.
  void Clear();
  // Clear, and the kept texts of the hidden rows too.
  void ClearAll();
  // Clears the selected rows, the selected columns or the selection rectangle.
  void ClearSelection();
  // Removes leading and trailing blanks from the texts of a rectangle.
  virtual void TrimRect(int ACol1, int ARow1, int ACol2, int ARow2);
  void TrimColumn(int ACol) { TrimRect(ACol, 0, ACol, RowCount() - 1); }
  void TrimRow(int ARow) { TrimRect(0, ARow, ColCount() - 1, ARow); }
  void TrimAll() { TrimRect(0, 0, ColCount() - 1, RowCount() - 1); }
  // Gives every cell of the rectangle the background colour.
  void ColorRect(int ACol1, int ARow1, int ACol2, int ARow2, TColor AColor);
  // Merges runs of equal neighbouring cells along a column (row); without
  // MainMerge only inside merges that already exist the other way.
  void MergeColumnCells(int ColIndex, bool MainMerge);
  void MergeRowCells(int RowIndex, bool MainMerge);
  // Splits the merges met along a column (row), or every merge.
  void SplitColumnCells(int ColIndex);
  void SplitRowCells(int RowIndex);
  void SplitAllCells();
  // Clearing leaves cell properties alone / detaches them without freeing;
  // cleared cells report no change.
  bool ClearTextOnly() const { return FClearTextOnly; }
  void SetClearTextOnly(bool Value) { FClearTextOnly = Value; }
  bool NilObjects() const { return FNilObjects; }
  void SetNilObjects(bool Value) { FNilObjects = Value; }
  // The type-ahead text of the incremental search.
  const QString& SearchInc() const { return FSearchInc; }
  void SetSearchInc(const QString& Value) { FSearchInc = Value; }
  // Removes RCount display rows: the rows below move up with their cells and
  // objects (heights stay with their positions); cells changed are reported.
  virtual void RemoveRowsEx(int RowIndex, int RCount);

  // --- events of the per-cell questions and reports (fired only when assigned) ----------

  std::function<void(TObject*, int ARow, int ACol, TGridDrawState, TBrush*, TFont*)> OnGetCellColor,
      OnGetCellPrintColor;
  std::function<void(TObject*, int ARow, int ACol, TPen*, TCellBorders&)> OnGetCellBorder,
      OnGetCellPrintBorder;
  std::function<void(TObject*, int ARow, int ACol, TAlignment&, TVAlignment&)> OnGetAlignment;
  std::function<void(TObject*, int ACol, TSortStyle&, QString&, QString&)> OnGetFormat;
  std::function<void(TObject*, int ACol, int ARow, bool&)> OnHasComboBox, OnHasSpinEdit;
  std::function<void(TObject*, int ACol, int ARow, TEditorType&)> OnGetEditorType;
  std::function<void(TObject*, int ARow, int ACol, bool&)> OnIsFixedCell, OnCanEditCell,
      OnIsPasswordCell;
  std::function<void(TObject*, int ACol, int ARow, bool&)> OnGetWordWrap;
  std::function<void(TObject*, int ACol, int ARow, QString&)> OnGetCheckTrue, OnGetCheckFalse;
  std::function<void(TObject*, int Column, TStrings* Filter)> OnGetColumnFilter;
  std::function<void(TObject*, const QString&, int ACol, int ARow, TSearchAction)>
      OnSearchFooterAction;
  std::function<void(TObject*, int ACol, int ARow)> OnButtonClick;
  std::function<void(TObject*, int ARow, int ACol)> OnComboCloseUp, OnComboDropDown;
  std::function<void(TObject*, int ALeft, int ATop, int ARight, int ABottom)> OnSelectionChanged;
  std::function<void(TObject*, int ACol, int ARow, TGridFixedCellEditor&, TStrings*)> OnFixedEdit;
  std::function<void(TObject*, int ARow)> OnAutoDeleteRow;
  std::function<void(TObject*, int ACol, int ARow, QString&)> OnLoadCell, OnSaveCell;
  TNotifyEvent OnFilterDone;

  // --- column and row headers ---------------------------------------------------------

  // The column headers changed (the column grid copies them into its columns).
  virtual void ColumnHeadersChanged() {}

  // --- switches that set other options --------------------------------------------------

  // The longest text the inline editor takes (0: no limit).
  int MaxEditLength() const { return FMaxEditLength; }
  void SetMaxEditLength(int Value) { FMaxEditLength = Value; }
  // Spreadsheet behaviour: switching it on also switches on the selection
  // rectangle and resizer, smart clipboard pasting, range selection with
  // editing; switching it off changes nothing else.
  bool SpreadSheet() const { return FSpreadSheet; }
  void SetSpreadSheet(bool Value);

  // --- following the form -------------------------------------------------------------

  // The grid grows and shrinks with its form (owner) by the form's change of size.
  bool SizeWithForm() const { return FSizeWithForm; }
  void SetSizeWithForm(bool Value) { FSizeWithForm = Value; }

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
  // The active-cell settings repaint the grid.
  PROGRID_FIELD_SET(bool, ActiveCellShow)
  PROGRID_FIELD_SET(TColor, ActiveCellColor)
  PROGRID_FIELD_SET(TColor, ActiveCellColorTo)
  PROGRID_FIELD(TColor, SelectionColor)
  PROGRID_FIELD(TColor, SelectionColorTo)
  PROGRID_FIELD(TColor, SelectionMirrorColor)
  PROGRID_FIELD(TColor, SelectionMirrorColorTo)
  PROGRID_FIELD(TColor, SelectionTextColor)
  // Clamped to 0..100.
  PROGRID_FIELD_SET(int, SelectionColorMixerFactor)
  PROGRID_FIELD(TColor, HintColor)
  // The colours of <HI> text: a change reaches the HTML renderer and repaints.
  PROGRID_FIELD_SET(TColor, HighlightColor)
  PROGRID_FIELD_SET(TColor, HighlightTextColor)
  // Repaints only while URLShow is on.
  PROGRID_FIELD_SET(TColor, URLColor)
  PROGRID_FIELD_SET(bool, URLShow)
  PROGRID_FIELD_SET(bool, URLShowInText)
  PROGRID_FIELD(TColor, DisabledFontColor)
  TColor BorderColor() const { return F.BorderColor; }
  // Stores the colour and repaints the border when the parent has a window.
  void SetBorderColor(TColor Value);
  // The look preset: rewrites the colours and styles of the look (see SetLook).
  PROGRID_FIELD_SET(TGridLook, Look)
  // The scroll-bar settings; their setters are with the scroll bars below.
  PROGRID_FIELD_SET(TScrollType, ScrollType)
  PROGRID_FIELD_SET(TColor, ScrollColor)
  PROGRID_FIELD_SET(int, ScrollWidth)
  PROGRID_FIELD(TScrollHintType, ScrollHints)
  PROGRID_FIELD(TScrollBarAlways, ScrollBarAlways)
  PROGRID_FIELD(bool, EnableHTML)
  PROGRID_FIELD(bool, EnableWheel)
  // Also sets the base grid's selection-show flag; repaints.
  PROGRID_FIELD_SET(bool, ShowSelection)
  PROGRID_FIELD_SET(bool, ShowDesignHelper)
  PROGRID_FIELD(bool, EnhRowColMove)
  PROGRID_FIELD(bool, UseInternalHintClass)
  PROGRID_FIELD(bool, IntelliZoom)
  PROGRID_FIELD(bool, HintShowCells)
  PROGRID_FIELD(bool, HintShowLargeText)
  PROGRID_FIELD(bool, HintShowSizing)
  PROGRID_FIELD(bool, HTMLHint)
  bool AutoSize() const { return F.AutoSize; }
  // On (not while loading) the columns are sized to their contents.
  void SetAutoSize(bool Value);
  // Follows the Office colour scheme through the theme notifier.
  PROGRID_FIELD_SET(bool, AutoThemeAdapt)
  PROGRID_FIELD(TInvalidEntryIcon, InvalidEntryIcon)
  // Text offset inside a cell.
  PROGRID_FIELD_SET(TPoint, XYOffset)
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
  // width; nothing while ColumnSize.Stretch is off. With stretching on, an
  // index at or beyond ColCount raises EProGridError "Stretch column index out
  // of range" and changes nothing.
  void StretchColumn(int ACol);

  // --- filtering --------------------------------------------------------------------

  // Whether a row passes the Filter conditions (then OnCustomFilter).
  virtual bool MatchFilter(int ARow);
  // Hides every normal row that fails the conditions, as one new filter level.
  void ApplyFilter();
  // On: applies the conditions; off: shows the rows of the last level again.
  bool FilterActive() const { return FFilterActive; }
  void SetFilterActive(bool Value);
  // Takes the last filter level back; false when none is applied.
  bool RemoveLastFilter();
  // Takes every level back, or clears the conditions when none is applied.
  void RemoveAllFilters();
  // Filtering while typing: a condition one character longer than the last
  // narrows down, one character shorter takes the last level back.
  void NarrowDown(const QString& ACondition, int AColumn);
  // The column whose filter list is open (-1: none).
  int FilterCol() const { return FFilterCol; }
  void SetFilterCol(int Value) { FFilterCol = Value; }
  // Applies the value picked at Index of the open column's filter list.
  virtual void FilterDropListSelect(int Index);
  // Applies the values ticked in the filter check list (either of them matches).
  virtual void FilterDropCheckListSelect();
  std::function<void(TObject*, int Column, int ItemIndex, const QString& FriendlyName,
                     QString& FilterCondition)>
      OnFilterSelect;
  std::function<void(TObject*, int Column, int ItemIndex, const QString& FriendlyName,
                     QString& FilterCondition, TDropCheckList* CheckList)>
      OnFilterCheck;
  std::function<void(TObject*, int ARow, bool& AcceptRow)> OnCustomFilter;
  std::function<void(TObject*, int Progress)> OnFilterProgress;

  // --- sorting ------------------------------------------------------------------

  // Sorts the normal rows on SortSettings.Column in SortSettings.Direction
  // (nothing while Column is -1); equal rows are ordered by the following
  // columns with SortSettings.Full. Fixed rows and footer rows stay in place.
  virtual void QSort();
  // Sorts the normal rows on the sort index list; an empty list raises
  // EProGridError "No indexes specified for indexed sort".
  virtual void QSortIndexed();
  // Puts the rows back into the order they had before the sorts since the
  // row-origin list was last reset.
  virtual void QUnSort();
  // Exchanges two rows with their texts, objects, heights and flags (only the
  // sort column's cells with SortSettings.SingleColumn).
  virtual void SortSwapRows(int ARow1, int ARow2);
  // Sets the sort column and direction, then sorts.
  void Sort(int Column, TSortDirection Direction);
  void SortByColumn(int Col);
  // The row-origin list: entry i is the row the row now at i had before sorting.
  void InitSortXRef();
  TIntList* SortRowXRef() const { return FSortRowXRef.get(); }
  // -1, 0 or 1 as row ARow1 sorts before, with or after ARow2 on column ACol.
  int CompareRowCells(int ACol, int ARow1, int ARow2, bool ADescending);
  int CompareRowsFromCol(int ACol, int ARow1, int ARow2);
  int CompareRowsIndexed(int Index, int ARow1, int ARow2);
  // Columns that searching and sorting skip.
  TIntList* IgnoreColumns() const { return FIgnoreColumns.get(); }
  bool IsIgnoredColumn(int ACol) const { return FIgnoreColumns->HasValue(ACol); }
  int Compares() const { return FCompares; }
  int Swaps() const { return FSwaps; }
  std::function<void(TObject*, const QString& Str1, const QString& Str2, int& Res)> OnCustomCompare;
  std::function<void(TObject*, int ACol, int Row1, int Row2, int& Res)> OnRawCompare;

  // --- export range ---------------------------------------------------------------------

  // The cells that file and clipboard writers take: without SaveFixedCells
  // (or the matching SaveFixedCols / SaveFixedRows) the fixed cells stay out.
  int SaveStartCol() const;
  int SaveStartRow() const;
  int SaveEndCol() const;
  int SaveEndRow() const;
  int SaveColCount() const;
  int SaveRowCount() const;

  // --- grid text stream -----------------------------------------------------------------

  // Writes the grid text stream at the stream's position: a size line, a width
  // line per column and a line per non-empty cell of the save range (UTF-16,
  // lines ended by CR LF, line breaks in texts packed into control characters).
  void SaveToStream(TStream* Stream);
  // Reads a grid text stream from the stream's position; stops, with the
  // position at its start, at the first line that is neither a width nor a
  // cell line.
  void LoadFromStream(TStream* Stream);
  // Copies settings, dimensions and then the cells of another string grid;
  // another source is ignored.
  void Assign(TPersistent* Source) override;
  // Copies the cells of another string grid through the grid text stream.
  virtual void AssignCells(TPersistent* Source);
  // Cells hold several lines.
  bool Multilinecells() const { return FMultilinecells; }
  void SetMultilinecells(bool Value) { FMultilinecells = Value; }

  // --- typed cell values and calculations -----------------------------------------------

  // Statistics over the column's numbers of rows FromRow..ToRow (-1 for either:
  // the normal rows); a ToRow beyond the display rows takes real rows, hidden
  // ones included. Merged-over cells and cells without a number are skipped.
  double ColumnSum(int ACol, int FromRow, int ToRow);
  double ColumnAvg(int ACol, int FromRow, int ToRow);
  double ColumnMin(int ACol, int FromRow, int ToRow);
  double ColumnMax(int ACol, int FromRow, int ToRow);
  double ColumnStdDev(int ACol, int FromRow, int ToRow);
  // The number of distinct texts (letter case ignored).
  double ColumnDistinct(int ACol, int FromRow, int ToRow);
  // OnColumnCalc's result, starting from 0.
  double ColumnCustomCalc(int ACol, int FromRow, int ToRow);
  double RowSum(int ARow, int FromCol, int ToCol);
  double RowAvg(int ARow, int FromCol, int ToCol);
  double RowMin(int ARow, int FromCol, int ToCol);
  double RowMax(int ARow, int FromCol, int ToCol);
  std::function<void(TObject*, int ACol, int FromRow, int ToRow, double& Res)> OnColumnCalc;
  std::function<void(TObject*, int ACol, int ARow, QString& Value)> OnFooterCalc;

  // --- column layout persistence ------------------------------------------------------

  // The width of every column under "Col<i>" in ColumnSize.Section of the INI
  // file or registry key ColumnSize.Key (nothing without key, section, or in
  // the designer).
  void SaveColSizes();
  // Reads them back; a missing key keeps the width.
  void LoadColSizes();
  // The recorded column order under "Pos<i>", and back (columns move there).
  virtual void SaveColPositions();
  virtual void LoadColPositions();
  // "count#widths#order#visibility", e.g. "3#64,80,100#0,1,2#1,1,1".
  QString ColumnStatesToString();
  // Restores a column-state text. A text without "#" does nothing; a text that
  // does not cover every column or holds a non-number raises EConvertError
  // before anything changes.
  void StringToColumnStates(const QString& Value);
  // Shows all columns and moves each to the position recorded for it.
  void ResetColumnOrder();

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
  // --- column sizing ------------------------------------------------------------------

  // A column's width after the user sized it: fires OnUpdateColumnSize, which
  // may change AWidth.
  virtual void UpdateColumnSize(int ACol, int& AWidth);




  // --- painting: cell looks, cell text, glyphs, header looks ------------------

  // Paints the grid, then the hooks of the background picture and the design
  // helper, then fires OnPainted.
  void Paint() override;
  // The single query that decides a cell's look: brush, gradient colours, font,
  // alignments, word wrap and gradient direction. ACol is a display column;
  // Remap maps it to the real column for what is stored by real column.
  void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                           bool Remap, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                           TColor& AMirrorColorTo, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                           bool& WW, TCellGradientDirection& GD) override;
  // The defaults of a new cell-property object: the cell's look as painted,
  // except that a fixed, band, background-gradient or selection colour is not
  // frozen into the cell's own brush colour (clNone instead).
  void GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                       TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA,
                       bool& WW, TCellGradientDirection& GD) override;
  // The font part of GetVisualProperties alone (used to measure text).
  void GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& AState, TFont* AFont,
                         TBrush* ABrush, bool Remap);
  // The horizontal and vertical alignment of a cell (real column).
  void CalcCellAlignment(int ACol, int ARow, TAlignment& HA, TVAlignment& VA);
  // Color weighted Percent against Color2 per RGB channel.
  static TColor BlendColorProGrid(TColor Color, TColor Color2, int Percent);
  // The selection colour, blended with the cell's own when Mixer is on.
  static TColor MixSelectionColor(TColor Selection, TColor CellColor, bool Mixer, int Factor);
  // The content painter: every step of one cell's content in order.
  void DrawCellContent(TCanvas* ACanvas, int ACol, int ARow, TRect ARect,
                       TGridDrawState AState) override;
  // The borders a cell asks for (GetCellBorder, OnGetCellBorderProp); ACol real.
  // Answers whether it drew any.
  bool DrawCellBorders(TCanvas* ACanvas, int ACol, int ARow, TRect ARect);
  // The bands' colour of a scrolling row, else Color.
  TColor BandRowColor(int ARow) override;
  // A plain scrolling cell: the cell's questions answered as for the whole
  // painter (fixed, selected, graphic, colours, alignment, word wrap, text,
  // password, borders), its text drawn on the band background.
  bool PaintPlainCell(TCanvas* ACanvas, int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
  // (Also lays out the places of the cells in view for the band.)
  bool PlainCellsPossible() override;
  // What the cells in view drew last, by their place in view: the first
  // FPlainPlaceFixedCols fixed columns, then the scrolling ones from the left
  // one in view (a row of FPlainPlaceCols places), and the same for the rows.
  std::vector<TTextPlace> FPlainPlaces;
  int FPlainPlaceCols = 0, FPlainPlaceLeft = 0, FPlainPlaceTop = 0;
  int FPlainPlaceFixedCols = 0, FPlainPlaceFixedRows = 0;
  // The place of the cell at display column ACol, row ARow in FPlainPlaces
  // (nullptr for a cell without one: out of view, or a fixed one further in).
  TTextPlace* TextPlaceOf(int ACol, int ARow);
  // The frame of the framed looks in BorderColor, on the window's frame; the
  // canvas variant draws it on ACanvas (the window's whole area).
  void PaintNCBorder();
  void PaintNCBorder(TCanvas* ACanvas);
  // The dotted XOR lines shown while a column or row is dragged.
  void DrawVertMoveLine(int X);
  void DrawHorzMoveLine(int Y);
  // The display text of a cell (DisplCells): the text, formatted by
  // OnGetFloatFormat when it is a number.
  virtual QString GetFormattedCell(int ACol, int ARow);
  QString DisplCells(int ACol, int ARow) { return GetFormattedCell(ACol, ARow); }
  // The size the text of a cell needs (ACol real); VS measures with word wrap in
  // the cell's width, SB leaves room for a scroll bar.
  TSize GetCellTextSize(int ACol, int ARow, bool VS, bool SB);
  TSize CalcCellTextSize(int ACol, int DCol, int ARow, bool VS, bool SB);
  // A check box in ARect on the grid's canvas, in the given style.
  void DrawCheckBoxGlyph(TRect ARect, bool Checked, bool Enabled, bool Grayed,
                         TGridControlStyle Style, bool TriState, TCheckBoxState State);
  void DrawCheckBoxGlyph(TCanvas* ACanvas, TRect ARect, bool Checked, bool Enabled, bool Grayed,
                         TGridControlStyle Style, bool TriState, TCheckBoxState State);
  // Count radio options in ARect; Index -1 chooses the option whose text equals
  // the cell text of (ACol, ARow).
  void DrawRadioGroup(TCanvas* ACanvas, TRect ARect, int Count, int Index, bool Horizontal,
                      bool Disabled, TStrings* Strings, bool Selected, int ACol, int ARow,
                      TGridControlStyle Style, double Scale, bool Upward);
  // Whether a fixed cell reacts to the mouse hovering over it (HoverFixedCells).
  bool IsHoverFixedCell(int ACol, int ARow);
  // The sort indicator centred at (X, Y).
  void DrawSortGlyph(TCanvas* ACanvas, int ACol, int X, int Y);
  // Whether a header shows the drop-down part (OnCanShowFixedDropDown).
  virtual bool CanShowFixedDropDown(int ACol);
  // Text offsets inside a cell taken by XYOffset (both sides unless
  // XYOffsetTopLeftOnly).
  int GetTotalXOffset() const;
  int GetTotalYOffset() const;
  // The length of the longest text line of a column (as saved to text files).
  int GetMaxColTextLen(int ACol);
  // The largest number of text lines among a row's cells (1 without Multilinecells).
  int MaxLinesInRow(int ARow);
  // Moves R's top-left to the output point of Text rotated by Angle degrees.
  void CalcRotatedTextPos(TRect& R, int Angle, const QString& Text, TAlignment HA, TVAlignment VA);
  // Repaints the cells of a range (merge-aware corners).
  void InvalidateCellRange(const TGridRect& Range);

  // Painting settings; each setter repaints the grid when the value changed.
#define PROGRID_PAINT_FIELD(Type, Name)  \
  Type Name() const { return FP.Name; } \
  void Set##Name(Type Value) {           \
    if (FP.Name == Value) return;        \
    FP.Name = Value;                     \
    Invalidate();                        \
  }
  // Selected cells with a colour of their own blend it with SelectionColor.
  PROGRID_PAINT_FIELD(bool, SelectionColorMixer)
  // The selection's outline, its resize handle and their colour.
  PROGRID_PAINT_FIELD(bool, SelectionRectangle)
  PROGRID_PAINT_FIELD(bool, SelectionResizer)
  PROGRID_PAINT_FIELD(TColor, SelectionRectangleColor)
  // No 3-D fixed-cell look: no gradients, hover or raised edges.
  PROGRID_PAINT_FIELD(bool, Flat)
  // Numeric texts are right-aligned.
  PROGRID_PAINT_FIELD(bool, AutoNumAlign)
  // Added to the font size of every painted cell.
  PROGRID_PAINT_FIELD(int, ZoomFactor)
  PROGRID_PAINT_FIELD(bool, HideFocusRect)
  // With OnDrawCell or OnCustomCellDraw assigned, no default content.
  PROGRID_PAINT_FIELD(bool, NoDefaultDraw)
  // A cell with a graphic draws no text.
  PROGRID_PAINT_FIELD(bool, NoImageAndText)
  // Disabled rows and a disabled grid show DisabledFontColor.
  PROGRID_PAINT_FIELD(bool, UseDisabledFont)
  // Clipped text ends in an ellipsis.
  PROGRID_PAINT_FIELD(bool, EnhTextSize)
  // URLs show with their protocol; underlined only under the mouse.
  PROGRID_PAINT_FIELD(bool, URLFull)
  PROGRID_PAINT_FIELD(bool, URLUnderlineOnHover)
  // XYOffset insets the text at the top and left only.
  PROGRID_PAINT_FIELD(bool, XYOffsetTopLeftOnly)
  // Selected rich-text cells keep their own colours.
  PROGRID_PAINT_FIELD(bool, SelectionRTFKeep)
  // Right-to-left text keeps the left-to-right canvas orientation.
  PROGRID_PAINT_FIELD(bool, NoRTLOrientation)
  // Which fixed cells react to the mouse hovering over them.
  PROGRID_PAINT_FIELD(THoverFixedCells, HoverFixedCells)
  // The cells fill the grid exactly; the frame is drawn one pixel in.
  PROGRID_PAINT_FIELD(bool, FitCellsInGrid)
  // Multi-line cells of the selected text are written in the spreadsheet form.
  PROGRID_PAINT_FIELD(bool, ExcelClipboardFormat)
#undef PROGRID_PAINT_FIELD

  TNotifyEvent OnPainted;
  std::function<void(TObject* Sender, int ARow, int ACol, TColor& Color, TColor& ColorTo,
                     TColor& ColorMirror, TColor& ColorMirrorTo, TCellGradientDirection& GD)>
      OnGetCellGradient;
  std::function<void(TObject* Sender, TCanvas* Canvas, int ACol, int ARow, TGridDrawState AState,
                     TRect ARect, bool Printing)>
      OnCustomCellDraw;
  std::function<void(TObject* Sender, TCanvas* Canvas, int ACol, int ARow, TGridDrawState AState,
                     TRect ARect, bool Printing)>
      OnCustomCellBkgDraw;
  std::function<void(TObject* Sender, int ARow, int ACol, TPen* LeftPen, TPen* TopPen,
                     TPen* RightPen, TPen* BottomPen)>
      OnGetCellBorderProp;
  std::function<void(TObject* Sender, int ACol, int ARow, bool& IsFloat, QString& FloatFormat)>
      OnGetFloatFormat;
  std::function<void(TObject* Sender, int ACol, bool& CanShow)> OnCanShowFixedDropDown;

  // --- typed cell access --------------------------------------------------------

  // Integers, floats, dates and times read from and written to cell text (real
  // column, display row). Reads raise EProGridError on text that is no number.
  int Ints(int ACol, int ARow);
  void SetInts(int ACol, int ARow, int Value);
  // The same on real rows (hidden rows included), tags kept in the text read.
  int AllInts(int ACol, int ARow);
  void SetAllInts(int ACol, int ARow, int Value);
  double Floats(int ACol, int ARow);
  void SetFloats(int ACol, int ARow, double Value);
  double AllFloats(int ACol, int ARow);
  void SetAllFloats(int ACol, int ARow, double Value);
  TDateTime Dates(int ACol, int ARow);
  void SetDates(int ACol, int ARow, TDateTime Value);
  TDateTime Times(int ACol, int ARow);
  void SetTimes(int ACol, int ARow, TDateTime Value);
  // A cell by real column and real row; a hidden row reads its kept cells.
  QString AllCells(int ACol, int ARow) { return GetCellsEx(ACol, ARow); }
  void SetAllCells(int ACol, int ARow, const QString& Value) { SetCellsEx(ACol, ARow, Value); }
  QString GetCellsEx(int ACol, int ARow);
  void SetCellsEx(int ACol, int ARow, const QString& Value);
  // The same without merge resolution, display hooks or repaint; a hidden row's
  // column must exist among its kept cells.
  QString AllGridCells(int ACol, int ARow) { return GetGridCellsEx(ACol, ARow); }
  void SetAllGridCells(int ACol, int ARow, const QString& Value) { SetGridCellsEx(ACol, ARow, Value); }
  QString GetGridCellsEx(int ACol, int ARow);
  void SetGridCellsEx(int ACol, int ARow, const QString& Value);
  // AllCells for 16-bit text (the same QString here).
  QString AllWideCells(int ACol, int ARow) { return GetCellsEx(ACol, ARow); }
  void SetAllWideCells(int ACol, int ARow, const QString& Value) { SetCellsEx(ACol, ARow, Value); }
  // The user object of a cell by real column and real row.
  TObject* AllObjects(int ACol, int ARow);
  void SetAllObjects(int ACol, int ARow, TObject* Value);
  // The raw object slot of a cell by real row (a hidden row's kept object).
  TObject* GetRealCellObject(int ACol, int ARow);
  // The cell of column i in the row that stood at position j before sorting.
  QString UnSortedCells(int ACol, int ARow);
  void SetUnSortedCells(int ACol, int ARow, const QString& Value);
  // The cell of column i in the column order before columns were moved.
  QString OriginalCells(int ACol, int ARow);
  void SetOriginalCells(int ACol, int ARow, const QString& Value);
  // A display row's real row before sorting, and the row now standing where
  // ARow stood.
  int SortedRowIndex(int ARow);
  int UnSortedRowIndex(int ARow);
  // Kept by sorting: entry i is the position the row now at i had before.
  TIntList* SortCrossReference() const { return FSortRowXRef.get(); }
  // Texts of row 0 of each column and of column 0 of each row; "\n" stands
  // for a line break.
  TStringList* ColumnHeaders() const { return FColumnHeaders.get(); }
  void SetColumnHeaders(TStrings* Value);
  TStringList* RowHeaders() const { return FRowHeaders.get(); }
  void SetRowHeaders(TStrings* Value);
  void ClearColumnHeaders();
  void ShowColumnHeaders();
  void ClearRowHeaders();
  void ShowRowHeaders();
  // The cell text with its mini-HTML tags removed (<BR> and <HR> break lines).
  QString StrippedCells(int ACol, int ARow);
  // 1 plus the number of line breaks in the cell text.
  int LinesInCell(int ACol, int ARow);
  // The printed width and offset of a column (0..511).
  int PrintColWidth(int ACol);
  int PrintColOffset(int ACol);
  // The print engine's column tables.
  std::vector<int>& PrintColWidths() { return FPrintColWidths; }
  std::vector<int>& PrintColOffsets() { return FPrintColOffsets; }
  // The raw text of the current base cell; writing stores it.
  QString CurrentCell();
  void SetCurrentCell(const QString& Value);
  // The float format of a cell (FloatFormat here).
  virtual QString GetCellFloatFormat(int ACol, int ARow);
  // Whether a date of zero or below is still written as a date.
  bool ShowNullDates() const { return FShowNullDates; }
  void SetShowNullDates(bool Value) { FShowNullDates = Value; }
  // Fill every cell (DoFixed) or the normal ones with a text, a format of the
  // column and row, a random integer below Rnd, or "column:row".
  void TextFill(bool DoFixed, const QString& Txt);
  void FormatFill(bool DoFixed, const QString& Fmt);
  void RandomFill(bool DoFixed, int Rnd);
  void LinearFill(bool DoFixed);

  // --- selection membership and counts --------------------------------------------

  // Selection := (FromCol, FromRow, ToCol, ToRow) as given.
  void SelectCells(int FromCol, int FromRow, int ToCol, int ToRow);
  // Whether a cell is selected in the grid's selection mode; fixed cells never.
  bool IsSelected(int ACol, int ARow);
  // The selected cells as text: TAB between cells, CR LF between rows.
  QString SelectedText();
  // The disjunct cells selected (each (row and $FFFF) shl 16 or (col and $FFFF)).
  int SelectedCellsCount();
  TGridCoord SelectedCell(int i);
  bool SelectedCells(int i, int j);
  void SetSelectedCells(int i, int j, bool Value);
  int SelectedColCount();
  int SelectedRowCount();
  int SelectedRow(int i);
  void ClearSelectedCells();
  void ClearModifiedRows();

  // Whether an explicit cell colour stands with the cell's graphic: no graphic,
  // a rotated text or an empty graphic.
  bool CellGraphicKeepsColor(int ACol, int ARow);

  // --- editing in place: editor choice, editors, combo lists, validation ---

  // Longest text of a free-text combo (0: no limit).
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
  // The spin editor of the four spin kinds (created on first use).
  TGridSpin* SpinEdit();
  // The push-button editor of edButton cells.
  TGridButton* GridButton() const { return FGridButton; }
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

  // OnEditingDone now, OnEditCellDone once the posted "GridEditDone" returns.
  virtual void PostEditDone(int ACol, int ARow);
  // Takes (or refuses) the edited value of the entered cell; true when taken.
  virtual bool ValidateCell(const QString& NewValue);
  virtual bool ValidateCellWide(const QString& NewValue);

  std::function<void(TObject* Sender, int ACol, int ARow, TObject* AEditLink)> OnGetEditorProp;
  std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)> OnGetEditMask;
  TNotifyEvent OnEditingDone;
  std::function<void(TObject* Sender, int ACol, int ARow)> OnEditCellDone;
  std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)> OnEditChange;

  // --- mouse, hints and window procedure ---------------------------------------

  // What a press selects, as the pointer's place offers it.
  enum TMouseSelectMode { msNormal, msColumn, msRow, msAll, msURL, msResize };
  TMouseSelectMode MouseSelectMode() const { return FMouseSelectMode; }
  // The hint that shows the width or height while sizing (HintShowSizing).
  THintWindow* SizingHint() const { return FSizingHint; }

  // Cell events of the mouse (row first, as the handlers receive them).
  std::function<void(TObject* Sender, int ARow, int ACol, bool& Allow)> OnCanClickCell;
  std::function<void(TObject* Sender, int ARow, int ACol)> OnClickCell, OnDblClickCell,
      OnRightClickCell;
  // Sizing of columns and rows by the mouse.
  std::function<void(TObject* Sender, int ACol, bool& Allow)> OnColumnSize;
  std::function<void(TObject* Sender, int ARow, bool& Allow)> OnRowSize;
  std::function<void(TObject* Sender, int ACol)> OnEndColumnSize;
  std::function<void(TObject* Sender, int ARow)> OnEndRowSize;
  std::function<void(TObject* Sender, int ACol, int ColumnSize)> OnColumnSizing;
  std::function<void(TObject* Sender, int ARow, int RowSize)> OnRowSizing;
  std::function<void(TObject* Sender, int ACol, int& AWidth)> OnUpdateColumnSize;
  // Sets the grid's cursor; temporary cursors (the hand over links) give way to it.
  void SetCursor(TCursor Value);
  // The program's hints use the HTML hint window (False: the plain one).
  bool UseHTMLHints() const { return FUseHTMLHints; }
  void SetUseHTMLHints(bool Value);
  // Panning with the middle button: the grid scrolls (or moves the current
  // cell) towards where the pointer stands from the press point.
  enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };
  TIntelliPan IntelliPan() const { return FIntelliPan; }
  void SetIntelliPan(TIntelliPan Value) { FIntelliPan = Value; }
  bool Panning() const { return FPanning; }
  // A right click on a link cell edits the link (with URLShow).
  bool URLEdit() const { return FURLEdit; }
  void SetURLEdit(bool Value) { FURLEdit = Value; }
  // Moving columns and rows by their headers: OnColumnMove may refuse the
  // move when it starts, OnColumnMoving a drop place while it runs.
  std::function<void(TObject* Sender, int ACol, bool& Allow)> OnColumnMove, OnColumnMoving;
  std::function<void(TObject* Sender, int ARow, bool& Allow)> OnRowMove, OnRowMoving;
  // Sorting by a click on the sort row's header cell.
  std::function<void(TObject* Sender, int ACol, bool& DoSort)> OnCanSort;
  std::function<void(TObject* Sender, int ACol)> OnClickSort;
  // Check boxes under the mouse.
  std::function<void(TObject* Sender, int ACol, int ARow, bool State)> OnCheckBoxClick,
      OnCheckBoxMouseUp;
  // Links in cells: AutoHandle left True opens the link (web and mail addresses
  // and files) or, for "CELL://R<row>C<col>", moves to that cell.
  std::function<void(TObject* Sender, int ARow, int ACol, const QString& Anchor, bool& AutoHandle)>
      OnAnchorClick;
  // A drag of cells starts (after the pointer moved 4 pixels with the button down).
  std::function<void(TObject* Sender, int ARow, int ACol, const QString& Data, bool& Allow)> OnOleDrag;
  std::function<void(TObject* Sender, int ARow, int ACol)> OnOleDragStart;
  // The balloon of a cell (title, text and icon may be changed).
  std::function<void(TObject* Sender, int ACol, int ARow, QString& ATitle, QString& AText, int& AIcon)>
      OnCellBalloon;

  // Fires OnCheckBoxClick.
  virtual void DoCheckBoxClick(int ACol, int ARow, bool State);
  // Fires OnClickSort.
  virtual void DoClickSort(int ACol);
  // Fills the hint of the cell under HintInfo.CursorPos: a comment, the cell's
  // text (HintShowCells), OnGridHint; position, colour and window class.
  void GetHintInfo(QString& HintStr, THintInfo& HintInfo);
  // How long the last click sort took (milliseconds).
  int SortTime() const { return FSortTime; }
  // Widens every column and heightens every row by x pixels (ZoomFactor stays
  // within -10..10).
  void Zoom(int x);
  // The balloon tooltip (Balloon.Enable): created once, destroyed by BalloonDone.
  void BalloonInit();
  void BalloonDone();
  bool BalloonActive() const { return FBalloonInitialised; }
  // The balloon text of the cell under the pointer as the tooltip asks for it:
  // title, text (at most 2045 characters and "..."), icon and the colours sent.
  struct TBalloonText {
    QString Title, Text;
    int Icon = 1;
    TColor TipBkColor = clNone, TipTextColor = clNone;
  };
  TBalloonText BalloonTextAt(int X, int Y);

  // Per-cell settings (ACol a real column): a getter creates no property object.
  TColor Colors(int ACol, int ARow);
  void SetColors(int ACol, int ARow, TColor Value);
  TColor ColorsTo(int ACol, int ARow);
  void SetColorsTo(int ACol, int ARow, TColor Value);
  TColor FontColors(int ACol, int ARow);
  void SetFontColors(int ACol, int ARow, TColor Value);
  TFontStyles FontStyles(int ACol, int ARow);
  void SetFontStyles(int ACol, int ARow, TFontStyles Value);
  int FontSizes(int ACol, int ARow);
  void SetFontSizes(int ACol, int ARow, int Value);
  QString FontNames(int ACol, int ARow);
  void SetFontNames(int ACol, int ARow, const QString& Value);
  TAlignment Alignments(int ACol, int ARow);
  void SetAlignments(int ACol, int ARow, TAlignment Value);
  bool ReadOnly(int ACol, int ARow);
  void SetReadOnly(int ACol, int ARow, bool Value);
  TCellGradientDirection Gradients(int ACol, int ARow);
  void SetGradients(int ACol, int ARow, TCellGradientDirection Value);
  // Reading creates the property object (the grid's defaults apply).
  bool WordWraps(int ACol, int ARow) { return GetCellProperties(ACol, ARow)->WordWrap(); }
  void SetWordWraps(int ACol, int ARow, bool Value);
  // Copies the font's name, size, style and colour into the cell.
  void SetFonts(int ACol, int ARow, TFont* Value);
  // Colours of a whole row (ARow a display row; hidden columns included).
  // clNone clears them: a cell without a graphic loses all its settings.
  void SetRowColor(int ARow, TColor Value);
  void SetRowColorTo(int ARow, TColor Value);
  void SetRowFontColor(int ARow, TColor Value);
  // The width of a real column, hidden or not; written to a hidden column it
  // is used when the column shows again.
  int AllColWidths(int ACol);
  void SetAllColWidths(int ACol, int Value);
  // RTF text between a cell and a rich edit: RTF is 7-bit text both ways.
  void CellToRich(int ACol, int ARow, class TRichEdit* Richeditor);
  QString RichToString(class TRichEdit* Richeditor);
  void RichToCell(int ACol, int ARow, class TRichEdit* Richeditor);

  // Controls laid over cells (ACol a real column): they follow the scroll.
  TControl* CellControls(int ACol, int ARow);
  void SetCellControls(int ACol, int ARow, TControl* Value);
  // Places the cell controls (rebuildlist: collect them from the cells first).
  void CellControlsUpdate(bool rebuildlist);

  // --- cell graphics painting: check boxes ---
  // Whether the cell's graphic, if any, leaves the cell text out.
  bool CellGraphicHidesText(int ACol, int ARow);

  // --- cell events: hints, combo changes, validation, cell changing ---
  std::function<void(TObject* Sender, int ARow, int ACol, QString& HintStr)> OnGridHint;
  std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection)>
      OnComboChange;
  std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection,
                     TObject* AObject)>
      OnComboObjectChange;
  std::function<void(TObject* Sender, int ACol, int ARow, QString& Value, bool& Valid)> OnCellValidate;
  std::function<void(TObject* Sender, int ACol, int ARow, QString& Value, bool& Valid)> OnCellValidateWide;
  std::function<void(TObject* Sender, int OldRow, int NewRow, bool& Allow)> OnRowChanging;
  std::function<void(TObject* Sender, int OldCol, int NewCol, bool& Allow)> OnColChanging;
  std::function<void(TObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)>
      OnCellChanging;
  std::function<void(TObject* Sender, int ACol, int ARow, QString& S)> OnEllipsClick;
  // A step of the spin editor: its value and whether it went up.
  std::function<void(TObject* Sender, int ACol, int ARow, int AValue, bool UpDown)> OnSpinClick;
  std::function<void(TObject* Sender, int ACol, int ARow, double AValue, bool UpDown)> OnFloatSpinClick;
  std::function<void(TObject* Sender, bool& Allow)> OnClipboardPaste;
  std::function<void(TObject* Sender, bool& Allow)> OnClipboardCut;
  std::function<void(TObject* Sender, bool& Allow)> OnClipboardCopy;
  std::function<void(TObject* Sender, int ACol, int ARow, QString& Value, bool& Allow)>
      OnClipboardBeforePasteCell;
  std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)> OnClipboardAfterPasteCell;


   // --- nodes -------------------------------------------------------------------------

  // A node of Span real rows (0: up to the next node row) at real row ARow: a
  // ctNode graphic in column 0 and the spanned rows' node level raised by one.
  // Raises "Invalid cell" for a row outside the grid.
  void AddNode(int ARow, int Span);
  // Expands the node at real row ARow and takes it away, lowering its rows' level.
  void RemoveNode(int ARow);
  void RemoveAllNodes();
  // Whether display row ARow holds a node / a summary graphic.
  bool IsNode(int ARow);
  bool IsSummary(int ARow);
  // Collapsed flag of the node at display row ARow; setting collapses or expands.
  bool GetNodeState(int ARow);
  void SetNodeState(int ARow, bool Value);
  // Level of a node row, -1 for other rows.
  int GetNodeLevel(int ARow);
  // Span of a node row (-1 for other rows); set it or add to it.
  int GetNodeSpan(int ARow);
  void SetNodeSpan(int ARow, int Span);
  void UpdateNodeSpan(int ARow, int Delta);
  // Sub-node count of a node row (0 for other rows); add to it.
  int GetSubNodeCount(int ARow);
  void UpdateSubNodeCount(int ARow, int Delta);
  // Shows / hides the rows of the node at real row ARow.
  void ExpandNode(int ARow);
  void ContractNode(int ARow);
  void ExpandAll();
  // Collapses every top-level node (one filter level).
  void ContractAll();
  // Whether a click at client x X on node row ARow hits the glyph.
  bool IsNodeGlyphHit(int ARow, int X);
  // A row inserted under the node that holds real row ARow, InsertAt rows below
  // it (a node row with InsertAt 0: its content moves into the new row); the
  // enclosing nodes widen. Raises "Invalid cell" for a row outside the grid.
  void InsertChildRow(int ARow, int InsertAt);
  // Removes real row ARow, narrowing the enclosing nodes.
  void RemoveChildRow(int ARow);
  // A row inserted at real row ARow without touching the nodes; removing display row ARow.
  void InsertNormalRow(int ARow);
  void RemoveNormalRow(int ARow);
  // Nearest enclosing node row of display row ARow (a top-level node: itself), or -1.
  int GetParentRow(int ARow);
  // 0 for a node row; else 2 when the tree line continues below the row, 1 when it ends.
  int GetNodeSpanType(int ARow);
  // Whether any node exists; the indent of a row's text by its node level.
  bool HasNodes() override { return FNumNodes > 0; }
  int GetNodeIndent(int ARow) override;
  // Fired around a click on a node glyph (display row, real row); Allow false refuses.
  std::function<void(TObject* Sender, int ARow, int ARowReal, bool& Allow)> OnBeforeExpandNode,
      OnBeforeContractNode;
  std::function<void(TObject* Sender, int ARow, int ARowReal)> OnExpandNode, OnContractNode;
  // The node settings: glyph kind, indent, tree lines, ExpandOne.
  TCellNode* CellNode() { return FCellNode.get(); }
  // The display text; with Grouping.ShowGroupCount a node row's column-1 text
  // gets the count of its rows (span - sub-node count - 1) appended.
  void DoGetDisplText(int ACol, int ARow, QString& Value) override;
  int FNumNodes = 0;

 private:
  std::unique_ptr<TCellNode> FCellNode = std::make_unique<TCellNode>(this);
  // Shows the rows under the collapsed node at real row ARow.
  void ExpandNodeRows(int ARow);
  // Raises "Invalid cell" unless real row ARow exists.
  void CheckNodeRow(int ARow);
  // A left press at X on the node glyph of row R (column 0): true when handled
  // and the press is finished.
  bool NodeGlyphPress(int R, int X, TShiftState Shift, int Y);

 public:
  // --- HTML cell text ---
  // The cell whose anchor is under the mouse (-1, -1 none) and that anchor, 1-based.
  TPoint HTMLHoverCell() const { return FHTMLHoverCell; }
  int HTMLHoverLink() const { return FHTMLHoverLink; }
  void SetHTMLHover(TPoint Cell, int Link) {
    FHTMLHoverCell = Cell;
    FHTMLHoverLink = Link;
  }
  // The mouse came onto / left an anchor of an HTML cell.
  std::function<void(TObject* Sender, int ARow, int ACol, const QString& Anchor)> OnAnchorEnter;
  std::function<void(TObject* Sender, int ARow, int ACol, const QString& Anchor)> OnAnchorExit;
  // The hint of an anchor; Anchor comes in empty.
  std::function<void(TObject* Sender, int ARow, int ACol, QString& Anchor)> OnAnchorHint;
  // The anchor under the mouse ("" none) and the hint of the last anchor.
  QString CurrentAnchor() const { return FCurrentAnchor; }
  QString AnchorHintText() const { return FLastAnchorHint; }
  // Follows the mouse over the cell C, R: the anchor under it (OnAnchor) with
  // its hint and 1-based index fires OnAnchorEnter / OnAnchorExit.
  void TrackHTMLAnchor(int C, int R, bool OnAnchor, const QString& Anchor, const QString& Hint, int Link);

  // --- highlighting, marking and checking cell text ---
  // Every occurrence of HiText in the cells wrapped in <hi>..</hi> (DoCase:
  // case-sensitive; DoFixed: fixed cells too). A cell without a match is left
  // exactly as it was. Col is a real column index. HilightInGrid and every
  // removal also reach the cells of hidden columns; HilightInRow and the mark
  // operations of rows and the grid reach the shown columns only.
  void HilightInCell(bool DoCase, int Col, int Row, const QString& HiText);
  void HilightInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText);
  void HilightInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText);
  void HilightInGrid(bool DoFixed, bool DoCase, const QString& HiText);
  // The <hi> tags removed again; the exact inverse of the highlight.
  void UnHilightInCell(int Col, int Row);
  void UnHilightInCol(bool DoFixed, int Col);
  void UnHilightInRow(bool DoFixed, int Row);
  void UnHilightInGrid(bool DoFixed);
  // The same with the error tag <e>.
  void MarkInCell(bool DoCase, int Col, int Row, const QString& HiText);
  void MarkInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText);
  void MarkInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText);
  void MarkInGrid(bool DoFixed, bool DoCase, const QString& HiText);
  void UnMarkInCell(int Col, int Row);
  void UnMarkInCol(bool DoFixed, int Col);
  void UnMarkInRow(bool DoFixed, int Row);
  void UnMarkInGrid(bool DoFixed);
  // Runs the CellChecker over cells; true when no cell text changed (always
  // true without a checker).
  bool CheckCell(int Col, int Row);
  bool CheckCells(int FromCol, int FromRow, int ToCol, int ToRow);
  bool CheckCol(bool DoFixed, int Col);
  bool CheckRow(bool DoFixed, int Row);
  bool CheckGrid(bool DoFixed);
  // The cell checker; not owned.
  TProStringGridCheck* CellChecker() const { return FCellChecker; }
  void SetCellChecker(TProStringGridCheck* Value) { FCellChecker = Value; }
  // The workers of the operations above, over real column indexes.
  void InsertTagsInRange(const QString& HiText, const QString& Tag, bool DoCase, int FromCol,
                         int FromRow, int ToCol, int ToRow);
  void RemoveTagsInRange(const QString& Tag, int FromCol, int FromRow, int ToCol, int ToRow);

 private:
  QString TagCellText(int ACol, int ARow);
  TProStringGridCheck* FCellChecker = nullptr;
  TPoint FHTMLHoverCell{-1, -1};
  int FHTMLHoverLink = -1;
  QString FCurrentAnchor, FLastAnchorHint;
  bool FHTMLControlDown = false;

 public:
  // --- edit-with-button, unit, time and date spin editors ---
  // The edit-with-button editor of edEditBtn, edNumericEditBtn, edFloatEditBtn
  // and edMaskEditBtn cells, and the unit editor of the three unit kinds.
  TGridEditBtn* EditBtn() const { return FEditBtn; }
  TGridUnitEditBtn* UnitEditBtn() const { return FUnitEditBtn; }
  // The unit of the current cell's unit editor was changed from its menu.
  std::function<void(TObject* Sender, int ACol, int ARow, const QString& NewUnit)> OnUnitChanged;
  // A step of a date or time spin editor: its value and whether it went up.
  std::function<void(TObject* Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)> OnDateSpinClick;
  std::function<void(TObject* Sender, int ACol, int ARow, TDateTime AValue, bool UpDown)> OnTimeSpinClick;

 private:
  friend class TGridEditBtn;
  friend class TGridUnitEditBtn;
  // Creates the two edit-with-button editors (in the constructor).
  void CreateEditBtnControls();
  // Place and fill the edit-with-button and unit editors over a cell.
  void SetUpEditBtn(int ACol, int ARow, const TRect& R, int W, int H, TColor BG);
  void SetUpUnitEditBtn(int ACol, int ARow, const TRect& R, int W, int H, TColor BG);
  // Writes the edit-with-button or unit editor's text to the cell (real column) and hides it.
  void StoreEditBtn(int ACol, int ARow);
  // A press on the always-visible spin button of cell (C, R), rectangle CR:
  // which half it hit, for the spin editor to step once when it opens.
  void SpinButtonPress(int C, int R, const TRect& CR, int X, int Y);
  TGridEditBtn* FEditBtn = nullptr;          // owned as a component
  TGridUnitEditBtn* FUnitEditBtn = nullptr;  // owned as a component
  bool FSpinUpClick = false, FSpinDnClick = false;

 public:
  // --- edit links, rich-text and fixed-cell editors ---
  // The link whose control edits edCustom cells (not owned; forgotten when it
  // is freed). Without one those cells show no editor.
  TEditLink* EditLink() const { return FEditLink; }
  void SetEditLink(TEditLink* Value);
  // The fixed-cell editors (created with the grid, hidden).
  TGridTransEdit* EditTrans() const { return FEditTrans; }
  TGridTransCombo* ComboTrans() const { return FComboTrans; }
  // The in-place editor of edRichEdit cells and the hidden measuring rich
  // edit (each created on first use).
  TProRichEdit* InplaceRichEdit();
  TProRichEdit* RichEdit();
  // The in-place rich editor's selection changed.
  TNotifyEvent OnRichEditSelectionChange;

 private:
  friend class TEditLink;
  friend class TProRichEdit;
  void SetUpEditLink(int ACol, int ARow, const TRect& R);
  void StoreEditLink(int ACol, int ARow);
  void SetUpRichEdit(int ACol, int ARow, const TRect& R, int W, int H, TColor BG);
  void StoreRichEdit(int ACol, int ARow);
  TEditLink* FEditLink = nullptr;
  TGridTransEdit* FEditTrans = nullptr;    // owned as a component
  TGridTransCombo* FComboTrans = nullptr;  // owned as a component
  TProRichEdit* FRichEdit = nullptr;         // owned as a component
  TProRichEdit* FInplaceRichEdit = nullptr;  // owned as a component
  // An editor is giving the grid the focus itself: the rich editor's focus
  // loss then puts nothing away.
  bool FInvokedFocusChange = false;

 public:
  // --- date and time editors ---
  // The date editor of edDateEdit, edDateEditUpDown and edTimeEdit cells
  // (created on first use); its colours and metro look are set on it.
  TGridDatePicker* DateEditor();
  // The "now" of the date editors, opening on a cell without a date; the
  // local time when not assigned.
  std::function<TDateTime()> DateEditorClock;
  // Reads a date cell's text into ADate (which comes in as now).
  std::function<void(TObject* Sender, const QString& Value, TDateTime& ADate)> OnCustomStrToDate;
  // The date editor's calendar dropped down / closed up (row first).
  std::function<void(TObject* Sender, int ARow, int ACol)> OnDatePickerDropDown, OnDatePickerCloseUp;

 private:
  friend class TGridDatePicker;
  TDateTime DateEditorNow() const;
  // The date editor's text as the cell receives it.
  QString DateEditorText();
  void SetUpDatePicker(int ACol, int ARow, const TRect& R, int W, int H, TColor BG);
  void StoreDatePicker(int ACol, int ARow);
  TGridDatePicker* FDateEditor = nullptr;  // owned as a component
  // Escape put the date or rich editor away: nothing of it is stored.
  bool FEditCancelled = false;

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
  // Places, fills and shows a special editor over a cell (display column).
  virtual void PrepareCellEditor(int ACol, int ARow);
  // Writes a special editor's value into the cell and puts the editor away.
  virtual void StoreEditorValue(int ACol, int ARow);
  // Hands an editor's value to the cell (real column).
  virtual void SetEditCellText(int ACol, int ARow, const QString& Value);
  virtual void RestoreCellCache();
  virtual bool CheckCellEditable(int ACol, int ARow);
  virtual bool CellIsPassword(int ACol, int ARow);
  // OnRowChanging, OnColChanging, OnCellChanging.
  virtual void CanChangeCell(int ACol, int ARow, bool& Allow);
  virtual void DoGetEditorProp(int ACol, int ARow, TObject* AEditLink);
  virtual void UpdateEditText(const QString& AText);
  virtual void CellValueChanged(int ACol, int ARow);
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
  friend class TGridSpin;
  friend class TGridButton;
  // Creates the combo and check-box editors (in the constructor).
  void CreateEditControls();
  // Places and fills the combo editor over a cell.
  void SetUpCombo(int ACol, int ARow, const TRect& R, int H, TColor BG, bool ListOnly);
  void FireComboChange(int ACol, int ItemIndex, const QString& Text);
  // Places and fills the spin editor over a cell (W, H: its size).
  void SetUpSpin(int ACol, int ARow, const TRect& R, int W, int H, TColor BG);
  // Writes the spin editor's value to the cell (real column) and hides it.
  void StoreSpin(int ACol, int ARow);
  // Places the push-button editor over a cell (W, H: the cell's inner size).
  void SetUpButton(int ACol, int ARow, const TRect& R, int W, int H);
  // The colour (and font) the painter gives a cell (real column).
  TColor PaintedCellLook(int ACol, int ARow, TFont* AFont);
  void ShowInvalidEntry();
  void HideInvalidEntry();
  // After a refused value: the cell gets Put, the cursor goes back to the
  // entered cell and its editor opens again.
  void ReopenRejected(int C, int R, const QString& Put, bool Unchanged);

  TEditorType FEditControl = edNormal;
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
  TGridSpin* FSpinEdit = nullptr;        // owned as a component
  TGridButton* FGridButton = nullptr;    // owned as a component
  THintWindow* FInvalidEntryHint = nullptr;  // owned as a component
  int FOldCol = -1, FOldRow = -1;
  QString FOldCellText, FOldCellTextWide, FNewCellText;
  UINT FEditDoneMsg = 0;
  bool FCheckStart = false;

 public:
  // --- keyboard, update lock, auto-size and timer ---

  // Switches redrawing off until the matching EndUpdate; locks nest. The lock
  // counts whether or not the grid is visible, so a grid shown or hidden inside
  // a lock still comes out of it painting.
  void BeginUpdate();
  // Ends one lock; the last one switches redrawing on and repaints the grid once.
  void EndUpdate();
  // Raises the lock count only (no redraw switch); ResetUpdate drops it to 0.
  void StartUpdate() { ++FUpdateCount; }
  void ResetUpdate() { FUpdateCount = 0; }
  bool LockUpdate() const { return FUpdateCount != 0; }
  void SetLockUpdate(bool Value) { Value ? BeginUpdate() : EndUpdate(); }
  // Remembers the cell entered and its text (for change detection).
  virtual void StoreOldCellText(int ACol, int ARow);

  // The first column the keyboard cursor may enter.
  int FirstNormalCol();
  // The fixed right columns that are not hidden.
  int VisibleFixedRightCols();
  // The current row is the last row above the footers.
  bool IsLastNormalRow();
  // Appends an empty row at the end (asks OnCanAddRow, fires OnAutoAddRow).
  void AutoAppendRow();
  virtual void GotoFirstRow() { SetRow(FixedRows()); }
  // Moves the current cell as Tab (Shift+Tab with Backward) does; false when
  // the Tab was handed on to the parent window.
  bool TabAdvance(bool Backward);
  // Whether Tab may stop at a display cell (OnSelectCell has the last word).
  bool CanTabToCell(int ACol, int ARow);
  // The first and last columns of a row Tab may stop at; -1 when none.
  int FirstTabCol(int ARow);
  int LastTabCol(int ARow);
  // Moves to the next cell in Navigation.AdvanceDirection (Enter, editors).
  void AdvanceToNextCell(int ACol, int ARow, bool Force, bool AutoEdit, bool Forward, bool Recursing,
                         bool ShowEditor);

  // Fits a column's width to its widest cell (plus Padding).
  void AutoSizeCol(int ACol, int Padding = 0);
  void AutoSizeColumns(bool DoFixedCols, int Padding = 0);
  // Stretches the columns over the control's width.
  void AutoFitColumns(bool DoFixedCells);
  // Fits a row's height to its highest cell (plus Padding), every row, or
  // both sizes of every cell.
  void AutoSizeRow(int ARow, int Padding = 0);
  void AutoSizeRows(bool DoFixedRows, int Padding = 0);
  void AutoSizeCells(bool DoFixedCells, int PaddingX, int PaddingY);
  // Sizes the control's client area to the sum of the widths, the heights, or both.
  void SizeToCols();
  void SizeToRows();
  void SizeToCells();
  // Numbers the normal rows of a column (the normal columns of a row).
  void AutoNumberCol(int ACol);
  void AutoNumberRow(int ARow);
  // Auto-sizing only widens.
  bool SizeGrowOnly() const { return FSizeGrowOnly; }
  void SetSizeGrowOnly(bool Value) { FSizeGrowOnly = Value; }
  // Bounds of auto-sized widths; 0 or less: none.
  int MinColWidth() const { return FMinColWidth; }
  void SetMinColWidth(int Value) { FMinColWidth = Value; }
  int MaxColWidth() const { return FMaxColWidth; }
  void SetMaxColWidth(int Value) { FMaxColWidth = Value; }
  int MinRowHeight() const { return FMinRowHeight; }
  void SetMinRowHeight(int Value) { FMinRowHeight = Value; }
  int MaxRowHeight() const { return FMaxRowHeight; }
  void SetMaxRowHeight(int Value) { FMaxRowHeight = Value; }
  int AutoNumberStart() const { return FAutoNumberStart; }
  void SetAutoNumberStart(int Value) { FAutoNumberStart = Value; }
  int AutoNumberOffset() const { return FAutoNumberOffset; }
  void SetAutoNumberOffset(int Value) { FAutoNumberOffset = Value; }
  TSortDirection AutoNumberDirection() const { return FAutoNumberDirection; }
  void SetAutoNumberDirection(TSortDirection Value) { FAutoNumberDirection = Value; }
  // Text marked <BLINK> blinks; the current cell follows the mouse.
  bool EnableBlink() const { return FEnableBlink; }
  void SetEnableBlink(bool Value) { FEnableBlink = Value; }
  bool Hovering() const { return FHovering; }
  void SetHovering(bool Value) { FHovering = Value; }
  // Clicks a cell programmatically through the framework grid's own press and
  // release (OnMouseDown and OnMouseUp stay silent).
  friend void SimulateCellClick(TProStringGrid* Grid, int ACol, int ARow);
  // The identifier of the grid's periodic timer (every 500 ms).
  static constexpr UINT_PTR GridTimerId = 111;

  std::function<void(TObject*, int ARow)> OnAutoAddRow, OnAutoInsertRow;
  std::function<void(TObject*, int ACol)> OnAutoInsertCol;
  std::function<void(TObject*, int ARow, bool& CanDelete)> OnCanDeleteRow;
  std::function<void(TObject*, int OldRow, int OldCol, int& NewRow, int& NewCol, bool& Allow)>
      OnAutoAdvance;

  // --- graphic-cell families ---
  // Every Add/Create/Set operation raises EProGridError "Invalid cell" for a
  // negative cell or one beyond the real columns and rows, and changes nothing.
  // Add... stores the caller's object (not owned), Create... a new object the
  // graphic owns. Queries on cells of another kind answer nil, empty, false, -1.
  void AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
  TBitmap* CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val);
  TBitmap* GetBitmap(int ACol, int ARow);
  bool HasBitmap(int ACol, int ARow) { return GetBitmap(ACol, ARow) != nullptr; }
  void RemoveBitmap(int ACol, int ARow);
  void AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode,
                  int Padding, TCellHAlign hal, TCellVAlign val);
  TPicture* CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                          TCellHAlign hal, TCellVAlign val);
  TPicture* GetPicture(int ACol, int ARow);
  bool HasPicture(int ACol, int ARow) { return GetPicture(ACol, ARow) != nullptr; }
  void RemovePicture(int ACol, int ARow);
  void AddFilePicture(int ACol, int ARow, TFilePicture* APicture, bool Transparent,
                      TStretchMode StretchMode, int Padding, TCellHAlign hal, TCellVAlign val);
  TFilePicture* CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                  int Padding, TCellHAlign hal, TCellVAlign val);
  TFilePicture* GetFilePicture(int ACol, int ARow);
  void RemoveFilePicture(int ACol, int ARow);
  void AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val);
  TIcon* CreateIcon(int ACol, int ARow, TCellHAlign hal, TCellVAlign val);
  void RemoveIcon(int ACol, int ARow);
  // Image Aidx of GridImages; nothing without GridImages.
  void AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
  void RemoveImageIdx(int ACol, int ARow);
  bool GetImageIdx(int ACol, int ARow, int& Idx);
  void SetImageIdx(int ACol, int ARow, int Idx);
  // The image whose index is the cell's integer value (+ Aidx); an empty cell's
  // text becomes Aidx. Nothing without GridImages.
  void AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val);
  // Removes the data image and empties the cell text.
  void RemoveDataImage(int ACol, int ARow);
  bool HasDataImage(int ACol, int ARow);
  // Images of GridImages listed in CellImages; Dir 0 side by side, else stacked.
  void AddMultiImage(int ACol, int ARow, int Dir, TCellHAlign hal, TCellVAlign val);
  void RemoveMultiImage(int ACol, int ARow);
  // An object that draws itself through ICellInterface (not owned).
  void AddInterfacedCell(int ACol, int ARow, TPersistent* AObject);
  TPersistent* GetInterfacedCell(int ACol, int ARow);
  void RemoveInterfacedCell(int ACol, int ARow);
  // The text s at angle AAngle (brought into 0..360).
  void AddRotated(int ACol, int ARow, int16_t AAngle, const QString& s);
  // Turns the cell's graphic (what it owned is freed first) or a new one into
  // rotated text.
  void SetRotated(int ACol, int ARow, int16_t AAngle);
  bool IsRotated(int ACol, int ARow, int& aAngle);
  void RemoveRotated(int ACol, int ARow);

  // Progress bars over the cell's value, range 0..100 unless given.
  void AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor);
  void AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                     TColor BKTextColor);
  void AddProgressFormatted(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                            TColor BKTextColor, const QString& Fmt, int Min, int Max);
  bool HasProgress(int ACol, int ARow);
  void RemoveProgress(int ACol, int ARow);
  void AddProProgress(int ACol, int ARow, int Min, int Max);
  void RemoveProProgress(int ACol, int ARow);
  void AddProgressPie(int ACol, int ARow, TColor Color, int Value);
  void SetProgressPie(int ACol, int ARow, int Value);
  void RemoveProgressPie(int ACol, int ARow);
  void AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor, bool ShowValue);
  void RemoveRangeIndicator(int ACol, int ARow);
  // Scale stars over the cell's value (Floats), in half steps.
  void AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor);
  bool HasRating(int ACol, int ARow);
  void RemoveRating(int ACol, int ARow);
  void AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor,
                TCellHAlign hal, TCellVAlign val);
  void RemoveShape(int ACol, int ARow);
  void SetShapeColor(int ACol, int ARow, TColor FillColor);
  // clNone for a cell without a shape.
  TColor GetShapeColor(int ACol, int ARow);
  // Fires OnRatingChange; false when refused.
  virtual bool DoRatingChange(int ACol, int ARow, double& NewRate);
  std::function<void(TObject* Sender, int ACol, int ARow, double& NewRate, bool& Allow)> OnRatingChange;

  // Comments (a triangle at the top-right corner, the text as the hint).
  void AddComment(int ACol, int ARow, const QString& Comment);
  void AddColorComment(int ACol, int ARow, const QString& Comment, TColor Color);
  QString GetComment(int ACol, int ARow);
  // A cell without graphic gets a comment, a comment cell the new text; others stay.
  void SetComment(int ACol, int ARow, const QString& Value);
  QString CellComment(int ACol, int ARow) { return GetComment(ACol, ARow); }
  void SetCellComment(int ACol, int ARow, const QString& Value) { SetComment(ACol, ARow, Value); }
  bool IsComment(int ACol, int ARow, QString& Comment);
  void RemoveComment(int ACol, int ARow);
  void RemoveAllComments();
  // Marks ErrLen characters from ErrPos of the cell text on the cell's graphic
  // of any kind (or a new ctEmpty one).
  void AddMarker(int ACol, int ARow, int ErrPos, int ErrLen);
  void GetMarker(int ACol, int ARow, int& ErrPos, int& ErrLen);
  // A ctEmpty graphic goes; any other keeps its kind with marker (0, 0).
  void RemoveMarker(int ACol, int ARow);
  void RemoveAllMarkers();
  // A balloon on a cell without graphic, or attached to a check box, data check
  // box or radio button; on any other graphic nothing.
  void AddBalloon(int ACol, int ARow, const QString& Title, const QString& Text, TBalloonIcon Icon);
  void RemoveBalloon(int ACol, int ARow);
  // Only a ctBalloon graphic (not one attached to a check box).
  bool HasBalloon(int ACol, int ARow);
  bool IsBalloon(int ACol, int ARow, QString& Title, QString& Text, TBalloonIcon& Icon);

  // In-cell buttons. The operations marked D take a display column.
  void AddButton(int ACol, int ARow, int bw, int bh, const QString& Caption, TCellHAlign hal,
                 TCellVAlign val);
  void AddBitButton(int ACol, int ARow, int bw, int bh, const QString& Caption, TBitmap* Glyph,
                    TCellHAlign hal, TCellVAlign val);
  TBitmap* CreateBitButton(int ACol, int ARow, int bw, int bh, const QString& Caption,
                           TCellHAlign hal, TCellVAlign val);
  void SetButtonText(int ACol, int ARow, const QString& Caption);  // D
  QString GetButtonText(int ACol, int ARow);                       // D
  void PushButton(int ACol, int ARow, bool Push);                  // D
  bool HasButton(int ACol, int ARow);
  void RemoveButton(int ACol, int ARow);
  void RemoveBitButton(int ACol, int ARow);
  void RemoveAllButtons();
  // Where the button was last drawn (D); (0, 0, 0, 0) without a graphic.
  TRect GetCellControlRect(int ACol, int ARow);

  // In-cell scroll bars.
  void AddScrollBar(int ACol, int ARow, bool AutoRange);
  bool HasScrollBar(int ACol, int ARow);
  bool HasAutoRangeScrollBar(int ACol, int ARow);
  void SetScrollPosition(int ACol, int ARow, int Pos);
  // -1 without a scroll bar.
  int GetScrollPosition(int ACol, int ARow);
  void SetScrollProp(int ACol, int ARow, TScrollProp Prop);
  // (-1, -1) without a scroll bar.
  TScrollProp GetScrollProp(int ACol, int ARow);
  void RemoveScrollBar(int ACol, int ARow);

  // Expandable rows: a hot spot toggling the row between two heights.
  void AddExpand(int ACol, int ARow, int ExpandedHeight);
  bool HasExpand(int ACol, int ARow);
  void RemoveExpand(int ACol, int ARow);
  bool ToggleExpand(int ACol, int ARow);
  bool GetExpandState(int ACol, int ARow);
  // DefaultRowHeight for a cell without graphic.
  int GetExpandHeight(int ACol, int ARow, bool Expanded);
  // The 11 x 11 hot spot at the cell's top-right corner; empty for other kinds.
  TRect GetExpandRect(int ACol, int ARow);
  // Fires OnExpandClick and gives the row the height of the new state.
  virtual void DoExpandClick(int ACol, int ARow, bool Expanded);
  std::function<void(TObject* Sender, int ACol, int ARow, bool Expanded)> OnExpandClick;

 private:
  // The cell's own graphic after the cell was checked: Invalid cell outside.
  TCellGraphic* NewCellGraphic(int ACol, int ARow);
  // The cell's own graphic if it is of kind Kind (merge base cell), else nullptr.
  TCellGraphic* GraphicOfKind(int ACol, int ARow, TCellType Kind);
  // Whether (ACol, ARow) is a cell of the grid's real columns and rows.
  bool IsRealCell(int ACol, int ARow);
  // The in-cell button pressed by the mouse, (-1, -1) when none.
  TPoint FPushedCellButton{-1, -1};

 public:
  // --- cell graphics painting ---
  // The graphic of the cell and its layout: size, whether the text is drawn,
  // its placements (without a graphic: 0 x 0, text, haLeft, vaTop).
  TCellGraphic* GetCellGraphicGeometry(int ACol, int ARow, int& Width, int& Height, bool& TextShown,
                                       TCellHAlign& HAlign, TCellVAlign& VAlign);
  // Draws graphic G of cell (RC, ARow) in R, placed by the text width TW and the
  // text alignments; R is left as the drawing leaves it.
  void DrawCellGraphic(TCanvas* ACanvas, TRect& R, TCellGraphic* G, int RC, int ARow, int TW,
                       TAlignment HA, TVAlignment VA, TGridDrawState AState);

 private:
  // The layout of the cell being painted, read by the text step.
  struct TCellLayout {
    TCellGraphic* G = nullptr;
    int GW = 0, GH = 0;
    bool TextShown = true;
    TCellHAlign GHA = haLeft;
    TCellVAlign GVA = vaTop;
    // Scroll offset of the text of a cell with an in-cell scroll bar.
    int ScrollPos = 0;
    // Set by the text step when it drew beyond the cell's rectangle (HTML text,
    // the sort glyph, the selection rectangle).
    bool DrawnBeyond = false;
  };
  TCellLayout FCellLayout;
  // The node glyph of a node row in column 0 (R: the content rectangle).
  void DrawNodeGlyph(TCanvas* ACanvas, TRect R, TCellGraphic* G, int RC, int ARow,
                     TGridDrawState AState, bool Fixed);
  // The tree lines of a normal row in column 0.
  void DrawNodeTreeLines(TCanvas* ACanvas, TRect R, int ARow);
  // The always-visible combo and spin buttons; each takes 16 pixels off R.Right.
  void DrawAlwaysVisibleButtons(TCanvas* ACanvas, TRect& R, int RC, int ARow);
  // The in-cell scroll bar at R's right edge; R.Right moves left by its width.
  void DrawInCellScrollBar(TCanvas* ACanvas, TRect& R, int RC, int ARow);
  // The look of in-cell buttons.
  TCellButtonLook CellButtonLook();
  // A left press on a rating, in-cell button or expand button of base cell
  // (C, R): true when handled and the press is finished.
  bool GraphicCellPress(int C, int R, int X, int Y);
  // The release of a pushed in-cell button; true when the release was on a
  // button or expand hot spot of the released cell.
  bool GraphicCellRelease(int C, int R, int X, int Y);

 public:

  // --- stand-ins until the clipboard services land ---
  void CopySelectionToClipboard();
  void CutSelectionToClipboard();
  void PasteSelectionFromClipboard();

  // --- looks, styles, colour tones, themes, focus glow and design panel ---

  // The look's name in visual-property files ("glXP") and its caption in the
  // design panel's menu ("Windows XP"); for glCustom S is left as it is.
  static void LookToString(TGridLook ALook, QString& S);
  static void LookToCaption(TGridLook ALook, QString& S);
  // Stores the offset without repainting.
  void UpdateXYOffset(int X, int Y);
  // One of the sixteen colour presets on top of its look.
  virtual void SetStyle(TProGridStyle AStyle);
  // SetStyle through the library's style interface; also restyles the
  // drop-down editors and leaves metro scroll bars except for tsCustom.
  void SetComponentStyle(TProStyle AStyle) override;
  TProStyle ComponentStyle() const { return FComponentStyle; }
  // A flat look in the five tones, for the grid and its editors.
  void SetColorTones(const TColorTones& ATones) override;
  const TColorTones& ColorTones() const { return FTones; }
  // The fixed-cell and active-cell colours of an XP colour scheme.
  void SetTheme(TXPColorScheme Scheme);
  // Applies the Office colour scheme of the system once per change of it.
  void AdaptToTheme();
  // Gives the drop-down editors created so far the component style.
  void StyleDropDownEditors(TProStyle AStyle);
  // Gives the inline editors that exist the colour tones.
  void ApplyEditorColorTones(const TColorTones& ATones);

  // The glow window around the cell being edited (FocusHelper.Enabled); R in
  // client coordinates. Hiding forgets the grid as the one whose glow follows
  // moving windows.
  void ShowFocusGlow(const TRect& R);
  void HideFocusGlow();
  // The glow window, nullptr before the first glow.
  TGridFocusWindow* FocusWindow() const { return FFocusWindow; }
  // The picture the glow window shows, nullptr before the first glow.
  TGridAlphaMask* FocusGlowPicture() const { return FGlowPicture.get(); }
  // The grid whose glow follows moving windows, nullptr when none shows.
  static TProStringGrid* FocusGlowGrid();

  // The design panel's item at a client point: 1 "Allow edit", 2 "Column
  // numbers", 3 the look, 4 the close box; -1 for none.
  int DesignHelperHitTest(int X, int Y);
  // Acts on a click on the design panel.
  virtual void DesignHelperClick(int X, int Y);
  // The panel's rectangle in client coordinates.
  TRect DesignHelperRect();
  // Column numbers are drawn in row 0 at design time.
  bool ShowColNrs() const { return FShowColNrs; }

 protected:
  void CMDesignHitTest(TCMHitTest& Message) override;
  // The design panel's line height and the widths of its three items' texts,
  // measured in the panel's font (Tahoma 8); the panel's layout and its hit
  // areas follow from them.
  struct TDesignHelperMetrics {
    int LineHeight = 0;
    int EditWidth = 0;    // "Allow edit"
    int ColNrsWidth = 0;  // "Column numbers"
    int LookWidth = 0;    // "Set look: " and the look's caption
  };
  virtual TDesignHelperMetrics DesignHelperMetrics();

 private:
  // After loading: the REZ preset once more, the Office theme followed.
  void LoadedLooks();
  // Moves the glow window over the current cell (windows of the thread moved).
  void FollowFocusGlow();
  // The thread hook that sees windows move.
  static LRESULT FocusGlowHook(int Code, WPARAM WParam, LPARAM LParam);
  std::unique_ptr<TGridAlphaMask> FGlowPicture;
  void DrawDesignColumnNumber(TCanvas* ACanvas, int RC, int ARow, const TRect& ARect);
  TProStyle FComponentStyle = tsCustom;
  TColorTones FTones;
  TOfficeTheme FLastOfficeTheme = otUnknown;
  TGridFocusWindow* FFocusWindow = nullptr;  // owned as a component
  int FLastDesignChoice = -1;
  bool FShowColNrs = true;

 public:
  // --- scroll bars and scrolling ---

  // ScrollType: ssMetro hides the window's bars (ScrollBars ssNone) and shows
  // two 6-pixel bars of the grid's own; another type frees them and brings back
  // ssBoth. ssFlat and ssEncarta use the common controls' flat bars where they
  // exist. A value outside TScrollType raises EProGridError and changes nothing.
  // ScrollColor and ScrollWidth go to the flat bars; a negative ScrollWidth
  // raises EProGridError and changes nothing.
  // Thumb sizes in proportion to the rows and columns in view.
  bool ScrollProportional() const { return FScrollProportional; }
  void SetScrollProportional(bool Value);
  // The grid follows the thumb while it is dragged.
  bool ScrollSynch() const { return FScrollSynch; }
  void SetScrollSynch(bool Value) { FScrollSynch = Value; }
  // The grid's own thin bars of ssMetro (nullptr otherwise).
  TScrollControl* MetroScrollBar(bool Vertical) const { return Vertical ? FVScrollControl : FHScrollControl; }
  // Whether the common controls' flat bars serve the grid.
  bool FlatScrollBarsActive() const { return FFlatScrollInit; }
  // The hint that shows the row or column the dragged thumb points to (nullptr
  // before the first one) and whether it shows.
  THintWindow* ScrollHintWindow() const { return FScrollHintWnd; }
  bool ScrollHintShown() const { return FScrollHintShow; }
  // The timer of scrolling while something is dragged over the grid's edges
  // (nullptr while no edge is reached).
  TTimer* DragScrollTimer() const { return FDragScrollTimer.get(); }
  // The scroll bar that serves the current cell's in-cell scroll bar (made on
  // first use, hidden, vertical).
  TScrollBar* CellScrollBar();
  // Brings a display cell into view: a cell outside the view becomes current and
  // is centred; a visible one stays where it is. Out of range: nothing.
  void ScrollInView(int ColIndex, int RowIndex);
  // The display cell under a screen point (-1 outside the cells).
  void ScreenToCell(TPoint pt, int& ACol, int& ARow);
  // Something is dragged over the grid: with DragScrollOptions.Active a point
  // within the margins starts the drag-scroll timer.
  virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
  // Scrolls until the last row lies above the search footer.
  void ScrollAboveSearchFooter();
  // Whether the last row lies fully above the search footer.
  bool LastRowAboveSearchFooter();

  TScrollHintEvent OnScrollHint;
  TDragScrollEvent OnDragScroll;
  TScrollCellEvent OnScrollCell;

 protected:
  // The framework's answer, plus typed characters when goEditing is off (the
  // grid handles typing itself) or Navigation.AutoGotoWhenSorted is on.
  void WMGetDlgCode(TMessageView& Message) override;
  void WMHScroll(TWMScroll& Message) override;
  void WMVScroll(TWMScroll& Message) override;
  void SizeChanged(int OldColCount, int OldRowCount) override;
  // Fires OnScrollCell.
  virtual void DoScrollCell(int ACol, int ARow, int ScrollPosition, int ScrollMin, int ScrollMax);

 private:
  // The window exists: the metro bars of ssMetro, the flat bars of ssFlat and
  // ssEncarta (a type set before the window came keeps its bars for it).
  void ScrollWindowCreated();
  void CreateScrollControls();
  void FreeScrollControls();
  void InitFlatScrollBars();
  void DoneFlatScrollBars();
  void FlatSetScrollProp(int Index, int NewValue);
  void ApplyFlatScrollStyle();
  void ApplyFlatScrollColor();
  void ApplyFlatScrollWidth();
  void FlatShowScrollBar(int Bar, bool Show);
  void SyncFlatVertScroll();
  void SyncFlatHorzScroll();
  void UpdateFlatScrollBars();
  void UpdateVScrollProportional();
  void UpdateHScrollProportional();
  // Shows the scroll hint with Text near the mouse pointer.
  void ShowScrollHint(const QString& Text);
  void ReleaseScrollHint();
  // The hint's part of a scroll message: shown on a thumb drag with Prefix and
  // the column or row Number (OnScrollHint may change it), released at the end.
  void ScrollHintStep(int Code, const QString& Prefix, int Number);
  void DragScrollTick();
  // The in-cell scroll bar (when shown) along the right edge of the current
  // cell while the cell is fully in view; 0 pixels high otherwise.
  void PlaceCellScrollBar();
  // After LeftCol or TopRow changed: the flat bars, the footer and the metro
  // bars follow.
  void ScrolledFollowUp();
  // The cells a bdFixed background picture covers (empty rectangle: none).
  TGridRect FixedBackgroundCells();
  int SearchPanelHeight() const;
  bool FScrollProportional = false, FScrollSynch = false;
  bool FFlatScrollInit = false;
  TScrollControl* FVScrollControl = nullptr;  // owned as a component
  TScrollControl* FHScrollControl = nullptr;  // owned as a component
  THintWindow* FScrollHintWnd = nullptr;      // owned as a component
  bool FScrollHintShow = false;
  std::unique_ptr<TTimer> FDragScrollTimer;
  TDragScrollDirection FDragScrollDir;
  TScrollBar* FCellScrollBar = nullptr;  // owned as a component

  // --- footer calculation and column and row sizing ---
 public:
  // StretchColumn(ColCount - 1).
  void StretchRightColumn();
  // Whether (X, Y) lies within 3 pixels of a border that sizes a column (in the
  // fixed rows and the first normal row, goColSizing) or a row (in the fixed
  // columns and the first normal column, goRowSizing).
  bool IsOnSizingEdge(int X, int Y);
  // Repaints the floating footer's panel.
  void UpdateFooter();

 protected:
  // Refits the stretch column; after the user sized a column, the others follow
  // with MouseActions.AllColumnSize, then OnEndColumnSize and OnUpdateColumnSize.
  void ColWidthsChanged() override;
  // After the user sized a row, the others follow with MouseActions.AllRowSize,
  // then OnEndRowSize.
  void RowHeightsChanged() override;
  void LastRowChanged() override;

 private:
  // The mouse started sizing a column or row (called while the framework sizes).
  void NoteUserSizing();
  void ForgetUserSizing(bool Sized);
  // After the user sized column (row) Index from Start pixels: every other
  // scrolling column (row) in the same proportion.
  void ScaleOthers(bool Cols, int Index, int Start);
  bool FStretching = false;  // a stretch pass runs (column-width changes do not refit)
  bool FColSized = false, FRowSized = false;
  int FSizedCol = -1, FSizedRow = -1, FSizedColStart = 0, FSizedRowStart = 0;

  // --- background picture and gradient ---
 public:
  TBackGround* BackGround() const { return FBackGround.get(); }
  void SetBackGround(TBackGround* Value) { FBackGround->Assign(Value); }

 private:
  // The part of the picture at (Left, Top) that overlaps R, on the canvas.
  void DrawBackgroundBitmapAt(TCanvas* ACanvas, const TRect& R);
  // A cell's share of the picture or gradient under its text rectangle T.
  void DrawCellBackground(TCanvas* ACanvas, int DC, int RC, int ARow, const TRect& T,
                          TGridDrawState AState);
  std::unique_ptr<TBackGround> FBackGround = std::make_unique<TBackGround>(this);

 public:
  // --- inline controls, anchor hints, pictures and reading order of HTML cells ---
  // The VALUE of the <CONTROL> with this ID in the mini-HTML of cell ACol (a
  // real column), ARow; "" when the cell has no such control.
  QString ControlValues(int ACol, int ARow, const QString& ID) { return GetCtrlVal(ACol, ARow, ID); }
  void SetControlValues(int ACol, int ARow, const QString& ID, const QString& Value) {
    SetCtrlVal(ACol, ARow, ID, Value);
  }
  QString GetCtrlVal(int ACol, int ARow, const QString& ID);
  // Rewrites the control's tag with the value; the cell is stored only when
  // it holds that control.
  void SetCtrlVal(int ACol, int ARow, const QString& ID, const QString& Value);
  // Opens the edit box (EDIT, PASSWORD, MASK) or the combo box (COMBO) over the
  // control of cell ACol (real), ARow at CtrlRect (client pixels); other types
  // open nothing.
  void EditCellControl(const QString& CellText, const QString& CtrlType, int ARow, int ACol,
                       TRect CtrlRect, const QString& CtrlValue, const QString& CtrlID);
  // Ends the editing of a control: the box's text becomes the control's VALUE
  // and OnControlEditDone fires. Also the exit handler of both boxes.
  void EndCellControlEdit(TObject* Sender);
  // The combo box's select handler: fires OnControlComboSelect.
  void ControlComboSelect(TObject* Sender);
  // Edits the first editable control after ControlID ("": the first one) of
  // cell ACol (display), ARow; without one the grid takes the focus.
  void EditNextCellControl(int ACol, int ARow, const QString& ControlID);
  // A control is being edited, its cell (real column, row), ID and type.
  bool CtrlEditing() const { return FCtrlEditing; }
  TPoint CtrlXY() const { return FCtrlXY; }
  QString CtrlID() const { return FCtrlID; }
  // The edit box and the combo box of the controls (made on first use).
  TControlEdit* ControlEditBox();
  TControlCombo* ControlComboBox();
  // A click on a control (VALUE as it was before the click); an edit ended.
  std::function<void(TObject* Sender, int ARow, int ACol, const QString& CtrlID, const QString& CtrlType,
                     const QString& CtrlVal)>
      OnControlClick, OnControlEditDone;
  // Fills the items of a COMBO control's list; Edit False opens a list to pick
  // from only; DropCount is the number of items shown.
  std::function<void(TObject* Sender, int ARow, int ACol, const QString& CtrlID, const QString& CtrlType,
                     const QString& CtrlVal, TStrings* Values, bool& Edit, int& DropCount)>
      OnControlComboList;
  std::function<void(TObject* Sender, int ARow, int ACol, int ItemIndex, const QString& CtrlID,
                     const QString& CtrlVal)>
      OnControlComboSelect;
  // The hint over an anchor of an HTML cell is its TITLE (its HREF without one).
  bool AnchorHint() const { return FAnchorHint; }
  void SetAnchorHint(bool Value) { FAnchorHint = Value; }
  // Pictures named in <IMG SRC="name"> of HTML cells; not owned.
  TPictureContainer* PictureContainer() const { return FPictureContainer; }
  void SetPictureContainer(TPictureContainer* Value);
  // The reading order of the cells' text; with a Middle-Eastern system locale,
  // bdRightToLeft swaps left and right alignment and reads right to left.
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  // Right-to-left alignment and reading are in force (the mode and the locale).
  bool UseRightToLeftAlignment() const { return SysLocale.MiddleEast && FBiDiMode == bdRightToLeft; }
  bool UseRightToLeftReading() const { return SysLocale.MiddleEast && FBiDiMode != bdLeftToRight; }
  // DrawText flags for the reading order: left and right alignment swapped
  // (centring kept) and DT_RTLREADING added as the mode asks.
  UINT DrawTextBiDiModeFlags(UINT Flags) const;

 private:
  // A left press at X, Y on HTML cell C (display), R with rectangle CR: an
  // inline control, an anchor, or a control cell's body. True when handled.
  bool HTMLCellPress(int C, int R, TRect CR, int X, int Y);
  // A press on an inline control that the hit test found.
  void HTMLControlPress(int C, int R, const QString& ID, const QString& Type, const QString& Value,
                        TRect CtrlRect);
  // Releases a pressed inline button and repaints its cell.
  void ReleaseHTMLControlButton();
  // Enter or F2 on an HTML cell with controls: its first control is edited.
  void EditFirstCellControl();
  bool FCtrlEditing = false;
  TPoint FCtrlXY{-1, -1};
  QString FCtrlID, FCtrlType;
  TControlEdit* FControlEdit = nullptr;    // owned as a component
  TControlCombo* FControlCombo = nullptr;  // owned as a component
  bool FAnchorHint = false;
  TPictureContainer* FPictureContainer = nullptr;
  TBiDiMode FBiDiMode = bdLeftToRight;

 protected:
  // Forgets the picture container and the edit link when they are destroyed.
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  // Parents the footer and search panels and reads the column widths (ColumnSize.Save).
  void CreateWnd() override;

  // After a window definition was read: records the fixed counts and the row
  // count as the minima and largest, takes goAlwaysShowEditor over as
  // Navigation.AlwaysEdit and gives the search footer the theme switch.
  void Loaded() override;

  // Raises EProGridError naming an operation of the grid that this build does
  // not provide yet, so that a caller never mistakes it for a success.
  [[noreturn]] static void NotAvailable(const char* Operation);

  // --- painting, typed access and selection: state -------------------------
 private:
  struct PaintData {
    bool SelectionColorMixer = false, SelectionRectangle = false, SelectionResizer = false;
    TColor SelectionRectangleColor = clHighlight;
    bool Flat = false, AutoNumAlign = false;
    int ZoomFactor = 0;
    bool HideFocusRect = false, NoDefaultDraw = false, NoImageAndText = false,
         UseDisabledFont = false, EnhTextSize = false, URLFull = false,
         URLUnderlineOnHover = false, XYOffsetTopLeftOnly = false, SelectionRTFKeep = false,
         NoRTLOrientation = false, ExcelClipboardFormat = false, FitCellsInGrid = false;
    THoverFixedCells HoverFixedCells = hfNone;
  } FP;
  // The mouse button is down in the grid (kept by the mouse handling); painting
  // of the disjunct selections reads it.
  bool FMouseDown = false;
  // The hovered fixed cell the mouse handling records; (-1, -1) for none.
  TPoint FHoverFixedCell{-1, -1};
  // A button went down on a fixed cell, and on its drop-down part.
  bool FMouseDownOnFixed = false, FFixedDropDownDown = false;
  // The vertical DrawText flag of the last plain text drawn.
  UINT FVAlignFlag = 0;
  bool FShowNullDates = true;
  std::vector<int> FPrintColWidths = std::vector<int>(512, 0),
                   FPrintColOffsets = std::vector<int>(512, 0);
  std::unique_ptr<TIntList> FSelectedCells = std::make_unique<TIntList>(0, 0);
  // The header lists, made with their change notification.
  std::unique_ptr<TStringList> MakeHeaderList(bool Columns);
  std::unique_ptr<TStringList> FColumnHeaders = MakeHeaderList(true);
  std::unique_ptr<TStringList> FRowHeaders = MakeHeaderList(false);
  // The kept cells of a hidden real row, or nullptr.
  TGridItem* HiddenRowItem(int ARow) const;
  // The row of the unsorted order that position j stands for.
  int UnSortedRow(int ARow);
  // The canvas DrawCellContent paints on, for the steps that draw on "the canvas".
  TCanvas* FPaintCanvas = nullptr;
  // The pen a cell's borders are asked for on, reused cell after cell while
  // no other asking is under way (a paint from within the question makes its own).
  std::unique_ptr<TPen> FBorderPen = std::make_unique<TPen>();
  bool FBorderPenAsked = false;
  // Adds the zoom factor to AFont's point size; without zoom the font stays as
  // it is (a height in pixels that is no whole point size keeps its pixels).
  void ApplyZoom(TFont* AFont);
  // The text rectangle within a cell's content rectangle (the grid's text offsets).
  void OffsetTextRect(TRect& R);
  // The DrawText flags of a plain cell text in the given alignments and word
  // wrap; a text shown on one line keeps only its first line.
  UINT PlainTextFlags(QString& Text, TAlignment HA, TVAlignment VA, bool WW);
  // The cell text step of DrawCellContent; returns the width of the text drawn.
  int DrawCellText(TCanvas* ACanvas, int ACol, int RC, int ARow, TRect ARect,
                   TGridDrawState AState, TAlignment HA, TVAlignment VA, bool WW,
                   TColor KeptBrush, TColor KeptFont, bool FilterGlyph, bool Fixed);
  // The fixed-cell steps before and after the content.
  void DrawFixedCellBackground(TCanvas* ACanvas, int DC, int RC, int ARow, TRect& R,
                               TColor Brush, TColor ColorTo, TColor Mirror, TColor MirrorTo);
  void DrawFixedCellEdges(TCanvas* ACanvas, int DC, int ARow, TRect R);
  // A fixed cell of the list-view look: the themed header item, or a flat face.
  void DrawListViewHeader(TCanvas* ACanvas, TRect R);
  bool HasSortIndicator(int RC, int ARow);
  // Hook points of the steps that later pieces fill in (HTML cell text, rich
  // text, cell graphics, background pictures, the design helper).
  int DrawHTMLCellText(TCanvas* ACanvas, int RC, int ARow, const QString& Text, TRect R,
                       TColor URLColor);
  void DrawRichTextCell(int ACol, int ARow, TRect ARect, TCanvas* ACanvas);
  void PaintBackground();
  void PaintDesignHelper();
  // The text of a number as Ints/Floats read it; false when it is none.
  bool ParseIntText(const QString& Text, int& Value) const;
  bool ParseFloatText(const QString& Text, double& Value) const;
  void FillCells(bool DoFixed, const std::function<void(int C, int R)>& Fill);
  // The selected-cells key of a cell.
  static int CellKey(int ACol, int ARow) {
    return int((uint32_t(ARow & 0xFFFF) << 16) | uint32_t(ACol & 0xFFFF));
  }
  // The key keeps 16 bits of column and row: a cell beyond them would stand for
  // another cell, so it is never listed.
  static bool FitsCellKey(int ACol, int ARow) {
    return ACol >= 0 && ACol <= 0xFFFF && ARow >= 0 && ARow <= 0xFFFF;
  }

 protected:
  // --- keyboard, update lock, auto-size and timer ---
  void WMKeyDown(TWMKey& Message) override;
  void WMChar(TWMKey& Message) override;
  void WMPaint(TWMPaint& Message) override;
  void WMTimer(TWMTimer& Message) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(QChar& Key) override;
  // Focus: Navigation.AlwaysEdit re-opens the editor; the entered cell's text
  // is recorded; leaving takes a changed selection over as selected rows.
  void WMSetFocus(TWMSetFocus& Message) override;
  void DoEnter() override;
  void DoExit() override;
  void Click() override;
  // One tick of the grid's timer: typing timeout, hover focus, blinking.
  void GridTimerTick();
  void DoAutoSizeCol(int ACol, bool GrowOnly);
  void DoAutoSizeRow(int ARow, bool GrowOnly, int Padding);
  // Gives a row the height of Lines lines of its text font, plus Extra.
  void SizeRowToLines(int ARow, int Lines, int Extra);
  virtual void UpdateAutoColumnSize(int ACol, int& AWidth);

  // --- mouse, hints and window procedure ---------------------------------------
  void WndProc(TMessage& Message) override;
  void WMLButtonDown(TWMMouse& Message) override;
  void WMLButtonUp(TWMMouse& Message) override;
  void WMLButtonDblClk(TWMMouse& Message) override;
  void WMRButtonDown(TWMMouse& Message) override;
  void WMRButtonUp(TWMMouse& Message) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs,
                       TGridDrawInfo& FixedInfo) override;
  void TopLeftChanged() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseLeave(TCMMouseEnterLeave& Message) override;
  // The wheel through the framework (from the in-place editor): with waScroll
  // or the wheel off only the events; otherwise the base grid's move.
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;

 private:
  // What a left-button press left for the moves and the release.
  struct TPressState {
    bool DoOnClick = false, MouseDownMove = false, MouseKeepDown = false;
    int Colclicked = -1, Rowclicked = -1, Colclickedsize = 0, Rowclickedsize = 0;
    int Clickposx = 0, Clickposy = 0, Clickposdx = 0, Clickposdy = 0;
    int Movecell = -1, MoveOfsX = 0, MoveOfsY = 0;
    bool SelectionClick = false;
    bool ColSizeFlg = false, ColMoveFlg = false;
    bool DblClk = false;
    bool DeselectState = false;  // a Ctrl press on a selected row: the release deselects it
  } FPress;
  TMouseSelectMode FMouseSelectMode = msNormal;
  int FMouseSelectStart = -1;  // row or column where a header selection started
  int FHoverRowIndex = -1;
  // Sizing of fixed columns and rows by their borders.
  bool FSizeFixed = false, FSizeFixedR = false, FSizingFixed = false, FSizingFixedR = false;
  int FSizeFixedX = 0, FSizeFixedY = 0, FSizingFixedCol = -1, FSizingFixedRow = -1;
  THintWindow* FSizingHint = nullptr;  // owned as a component
  bool FMoveRefused = false, FDropRefused = false;
  bool FURLEdit = false;
  bool FUseHTMLHints = false;
  TCursor FGridCursor = crDefault;  // the cursor set by the program
  bool FTempCursor = false;         // a temporary cursor (the hand) shows
  TIntelliPan FIntelliPan = ipVertical;
  bool FPanning = false, FPanHints = true;
  TPoint FPanOrigin;
  TCursor FPanOldCursor = crDefault;
  void StopPanning();
  void PanStep();
  // Opens the filter list of a real column below the header's filter glyph.
  void ShowFilterList(int RC, const TRect& CellR);
  void ShowSizingHint(const QString& Text, TPoint ClientCorner);
  // Whether (X, Y) lies on a column or row sizing border.
  bool OnSizingBorder(int X, int Y);
  int FSortTime = 0;
  bool FBalloonInitialised = false;
  TPoint FLastBalloonPos{-1, -1};
  TPoint FLastHintCell{-1, -1};
  int FCellControlCount = 0;
  struct TCellControlEntry {
    int X, Y;
    TControl* Control;
  };
  std::vector<TCellControlEntry> FControlList;
  // Whether a press in the header lies within 3 pixels of a side border (a column resize).
  bool IsColumnSizingPress(int X, int Y);
  void ClickSort(int C, int R, int X);
  void DoAnchorClick(int C, int R, const QString& Anchor);
  void CheckBoxClick(int C, int R);
  bool ComboFromGrid(HWND Sender);
  bool WheelThroughFramework(bool Down, TShiftState Shift, TPoint MousePos);
  // A cell's text as plain text: tags stripped (kept with KeepHTML), wide text decoded.
  QString PlainCellText(int ACol, int ARow, bool KeepHTML);
  // The balloon follows Balloon.Enable (not while loading).
  void BalloonEnableChanged();
  // After a column moved: the sort column and indexes follow, the release is
  // not a click, a synchronised grid repeats the move once.
  void ColumnMovedFollowUp(int From, int To, int RF, int RT);
  bool FSyncedMove = false;

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
  bool FMultilinecells = false;
  bool FSizeWithForm = false;
  int FMaxEditLength = 0;
  bool FFilterActive = false;
  bool FClearTextOnly = false, FNilObjects = false, FBlockCellChange = false;
  QString FSearchInc;
  int FFilterCol = -1;
  int FFilterFixedRows = 0;
  QString FLastFilter;
  std::unique_ptr<TIntList> FSortRowXRef, FIgnoreColumns;
  int FCompares = 0, FSwaps = 0;
  int FSortDir = 1;
  int FSortRow = -1;  // the row followed through the exchanges of a sort
  // Sorts rows From..To with Less, moving rows through SortSwapRows.
  void SortRowRange(int From, int To, const std::function<bool(int, int)>& Less);
  // The bounds of the rows a sort moves.
  int FirstSortRow() const { return FixedRows(); }
  int LastSortRow() const;
  void RunSort(const std::function<bool(int, int)>& Less, bool FireRowUpdate);
  bool FSpreadSheet = false;
  TCustomForm* FSizeForm = nullptr;  // the owner form whose size the grid follows
  int FFormWidth = 0, FFormHeight = 0;
  // The form changed its size (told by the grid's own size probe on the form).
  void FormResized();
  TGridRect FSavedSelection;
  bool FSelHidden = false;
  std::unique_ptr<TIntList> FColumnOrder;
  std::shared_ptr<ITProStringGridSelect> FSelListener;
  std::vector<TGridChangeNotifier*> FNotifierList;
  bool FFilterIncremental = false;
  TEditorType FDefaultEditor = edNormal;
  std::unique_ptr<TStringList> FFilterList;
  std::unique_ptr<TFont> FCellFont;  // scratch font of GetCellFont
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

  // --- keyboard, update lock, auto-size and timer ---
  int FUpdateCount = 0;
  TGridRect FMoveSelection{};
  int FLastTabCol = -1, FLastTabRow = -1;
  // Tab moves running (a move started from an event handler during another
  // one does not tell OnKeyDown again).
  int FTabDepth = 0;
  bool FForceSel = false, FDisableChange = false;
  int FAECol = -1, FAERow = -1;
  int FSearchTics = 0, FTimerTicks = 0;
  bool FGridBlink = false, FEnableBlink = false, FHovering = false;
  int FLastKeyCol = -1, FLastKeyRow = -1;
  bool FSizeGrowOnly = false;
  int FMaxColWidth = 0, FMaxRowHeight = 0;
  int FAutoNumberStart = 0, FAutoNumberOffset = 0;
  TSortDirection FAutoNumberDirection = sdAscending;

  TColor FREZGradientFrom = clNone, FREZGradientTo = clNone;
  TColor FREZGradientMirrorFrom = clNone, FREZGradientMirrorTo = clNone;
  int FFixedFooters = 0;
};

// Clicks a cell of the grid programmatically (keyboard navigation uses it to
// start editing as a click on the cell would).
void SimulateCellClick(TProStringGrid* Grid, int ACol, int ARow);


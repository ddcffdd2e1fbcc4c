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
#include "platform/ui/WinApi.h"
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
  virtual void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont);
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
  // Fixed footers, fixed right columns, then IsFixedCell.
  bool IsFixed(int ACol, int ARow) override;
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
  virtual void DoSearchFooterAction(const QString& Value, int ACol, int ARow, TSearchAction SearchAction);
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
  void RegisterSelListener(std::shared_ptr<ITProStringGridSelect> AListener) { FSelListener = std::move(AListener); }
  void UnRegisterSelListener(const std::shared_ptr<ITProStringGridSelect>&) { FSelListener.reset(); }
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
  std::function<void(TObject*, const QString&, int ACol, int ARow, TSearchAction)> OnSearchFooterAction;
  std::function<void(TObject*, int ACol, int ARow)> OnButtonClick;
  std::function<void(TObject*, int ARow, int ACol)> OnComboCloseUp, OnComboDropDown;
  std::function<void(TObject*, int ALeft, int ATop, int ARight, int ABottom)> OnSelectionChanged;
  std::function<void(TObject*, int ACol, int ARow, TGridFixedCellEditor&, TStrings*)> OnFixedEdit;
  std::function<void(TObject*, int ARow)> OnAutoDeleteRow;
  std::function<void(TObject*, int ACol, int ARow, QString&)> OnLoadCell, OnSaveCell;
  TNotifyEvent OnFilterDone;

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

  // The cell's number (currency signs, thousands separators and brackets
  // allowed; empty counts as 0); EProGridError "Cell does not contain a float
  // value" for a text that is no number. The row is a display row.
  double GetFloats(int ACol, int ARow);
  double Floats(int ACol, int ARow) { return GetFloats(ACol, ARow); }
  // Writes the value in the cell's float format.
  void SetFloats(int ACol, int ARow, double Value);
  // The same by real row (hidden rows included).
  double GetAllFloats(int ACol, int ARow);
  double AllFloats(int ACol, int ARow) { return GetAllFloats(ACol, ARow); }
  // The text of a cell by real row: a hidden row's kept text.
  QString AllCells(int ACol, int ARow);
  // The float format of a cell (FloatFormat in the string grid).
  virtual QString GetCellFloatFormat(int ACol, int ARow) { return F.FloatFormat; }
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
  // Editing finished: arrives through the posted "GridEditDone" message.
  std::function<void(TObject* Sender, int ACol, int ARow)> OnEditCellDone;
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
  int ZoomFactor() const { return FZoomFactor; }
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
  // Clicks a cell as the mouse would (left button at 2 pixels inside its
  // top-left corner), without OnMouseDown and OnMouseUp.
  void SimulateCellClick(int ACol, int ARow);
  // Places the cell controls (rebuildlist: collect them from the cells first).
  void CellControlsUpdate(bool rebuildlist);

  // --- stand-ins until check boxes land ---
  bool HasCheckBox(int ACol, int ARow);
  bool HasRadioButton(int ACol, int ARow);
  bool IsInCheckBox(int ACol, int ARow, int XPos, int YPos);
  bool GetCheckBoxState(int ACol, int ARow, bool& State);
  void AddCheckBox(int ACol, int ARow, bool State, bool Data);
  virtual bool DoToggleCheckBox(int ACol, int ARow, bool FromUser);
  virtual void DoToggleRadioButton(int ACol, int ARow);

  // --- stand-ins until editor selection lands ---
  std::function<void(TObject* Sender, int OldRow, int NewRow, bool& Allow)> OnRowChanging;
  std::function<void(TObject* Sender, int OldCol, int NewCol, bool& Allow)> OnColChanging;
  std::function<void(TObject* Sender, int OldRow, int OldCol, int NewRow, int NewCol, bool& Allow)>
      OnCellChanging;
  TNotifyEvent OnEditingDone;
  bool IsEditable(int ACol, int ARow);
  void HideInplaceEdit();
  void PostEditDone(WPARAM wParam, LPARAM lParam);

  // --- stand-ins until per-cell queries land ---
  std::function<void(TObject* Sender, int ARow, int ACol, QString& HintStr)> OnGridHint;

  // --- stand-ins until cell graphics land ---
  bool IsComment(int ACol, int ARow, QString& Comment);

  // --- stand-ins until cell combo lists land ---
  std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection)>
      OnComboChange;
  std::function<void(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection,
                     TObject* AObject)>
      OnComboObjectChange;
  class TCustomComboBox* EditCombo();

  // --- stand-ins until the keyboard lands ---
  void AutoSizeCol(int ACol, int Padding);

  // --- stand-ins until sorting lands ---
  virtual void QUnSort();

 protected:
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
  int FFilterCol = -1;  // the real column whose filter list is open
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
  int FZoomFactor = 0;
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
  bool FEditDisable = false;
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

  TColor FREZGradientFrom = clNone, FREZGradientTo = clNone;
  TColor FREZGradientMirrorFrom = clNone, FREZGradientMirrorTo = clNone;
  int FFixedFooters = 0;
};

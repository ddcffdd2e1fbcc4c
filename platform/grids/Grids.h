// The framework's grid controls: TCustomGrid (columns and rows with fixed
// headers, scrolling, the current cell and the selection, keyboard and mouse
// handling, sizing and moving columns and rows, the in-place editor),
// TCustomDrawGrid / TDrawGrid (cells drawn by OnDrawCell) and TStringGrid (a
// text and an object per cell).
//
// The current cell and the selection: the selection is the rectangle between
// the current cell (Col, Row) and the anchor; keys and clicks move the current
// cell and, unless Shift extends a range (goRangeSelect), the anchor with it.
// In row-select mode (goRowSelect) the current column is FixedCols and the
// anchor's column ColCount - 1, so whole rows are selected. Every move of the
// current cell is first offered to SelectCell.
//
// Painting asks DrawCell once for each cell in view, the fixed cells first
// (the top-left corner, the fixed rows, the fixed columns), then the scrolling
// cells, row by row; the area beyond the last column and row is filled with
// Color. With DefaultDrawing the grid fills each cell's background (FixedColor,
// Color, or the highlight colours for selected cells), draws the grid lines,
// raised edges around fixed cells and the focus rectangle; TStringGrid then
// writes the cell text.
//
// Editing (goEditing): F2, Enter, a typed character or a click on the current
// cell open the in-place editor (EditorMode). The grid asks CanEditShow, creates
// the editor once through CreateEditor, loads it with GetEditText and places it
// over CellRect(Col, Row); the editor's text goes back through SetEditText when
// the editor closes (Enter, a move to another cell, the focus leaving the grid)
// and before the current cell moves. Escape puts the loaded text back and closes.
//
// Scroll bars (ScrollBars) follow LeftCol and TopRow; their thumbs move over
// 0..127 (GridsModel.h) and send WM_HSCROLL / WM_VSCROLL with the SB_ codes.
// The mouse wheel moves the current row by one row per notch.
#pragma once

#include <QAnyStringView>
#include <QString>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"
#include "platform/grids/GridsModel.h"
#include "platform/widgets/Mask.h"

ZIDI_DECLARE_EXCEPTION(EInvalidGridOperation, Exception);

class TInplaceEdit;

using TDrawCellEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TRect Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const QString& Value)>;
using TMovedEvent = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

// ---------------------------------------------------------------- TCustomGrid

class TCustomGrid : public TCustomControl {
 public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;

  // --- dimensions ---
  int ColCount() const { return FHorz.Count(); }
  void SetColCount(int Value);
  int RowCount() const { return FVert.Count(); }
  void SetRowCount(int Value);
  // Fixed columns and rows; raise EInvalidGridOperation when not below the count.
  int FixedCols() const { return FHorz.FixedCount(); }
  void SetFixedCols(int Value);
  int FixedRows() const { return FVert.FixedCount(); }
  void SetFixedRows(int Value);
  // Setting a default size gives every column (row) that size.
  int DefaultColWidth() const { return FHorz.DefaultExtent(); }
  void SetDefaultColWidth(int Value);
  int DefaultRowHeight() const { return FVert.DefaultExtent(); }
  void SetDefaultRowHeight(int Value);
  // Widths and heights; a negative size hides the column or row.
  int ColWidths(int Index) const { return FHorz.Extent(Index); }
  void SetColWidths(int Index, int Value);
  int RowHeights(int Index) const { return FVert.Extent(Index); }
  void SetRowHeights(int Index, int Value);
  // Whether Tab stops at a column (goTabs); all columns by default.
  bool TabStops(int Index) const;
  void SetTabStops(int Index, bool Value);
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value);
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor Value);
  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);

  // --- scrolling ---
  // The first scrolling column and row in view (from FixedCols / FixedRows to
  // the last column / row; not limited to the furthest scroll position).
  int LeftCol() const { return FTopLeft.X; }
  void SetLeftCol(int Value);
  int TopRow() const { return FTopLeft.Y; }
  void SetTopRow(int Value);
  // Scrolling columns and rows fully in view (at least 1).
  int VisibleColCount();
  int VisibleRowCount();

  // --- current cell and selection ---
  int Col() const { return FCurrent.X; }
  void SetCol(int Value);
  int Row() const { return FCurrent.Y; }
  void SetRow(int Value);
  // The rectangle between the current cell and the anchor. Setting it puts the
  // anchor on its top-left and the current cell on its bottom-right corner.
  TGridRect Selection() const;
  void SetSelection(const TGridRect& Value);

  // --- editing ---
  bool EditorMode() const { return FEditorMode; }
  void SetEditorMode(bool Value);
  TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

  // --- geometry ---
  // The client rectangle of a cell (without its lines, cut at the client edges),
  // empty when the cell is scrolled out of view.
  TRect CellRect(int ACol, int ARow);
  // The cell under a client point; -1 for a coordinate outside the cells.
  void MouseToCell(int X, int Y, int& ACol, int& ARow);
  TGridCoord MouseCoord(int X, int Y);
  // The layout for the current scroll position and client size.
  void CalcDrawInfo(TGridDrawInfo& DrawInfo);
  // The layout of the fixed cells only (as if nothing scrolled).
  void CalcFixedInfo(TGridDrawInfo& DrawInfo);

  // The grid's state while the mouse selects, sizes or moves.
  TGridState GridState() const { return FGridState; }

  // Scales sizes by M / D (the form's scaling).
  virtual void ChangeScale(int M, int D);
  // A grid that paints every pixel of its client area (PaintsWholeClient) is
  // neither cleared nor erased before a paint (nor by WM_ERASEBKGND).
  void Invalidate() override;

 protected:
  // --- overridable behaviour ---
  // Paints one cell; the framework's own cells are drawn by the descendants.
  virtual void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) = 0;
  // Whether DrawCell paints only inside the cell's rectangle, so that the grid
  // may fill the background of a whole band of cells at once with
  // DefaultDrawing (else each cell is filled just before it is drawn, over
  // whatever the cells before it drew). True unless OnDrawCell is assigned; a
  // descendant whose cells draw beyond their rectangles answers false.
  virtual bool CellsDrawnInside() { return true; }
  // One band of cells being painted: its columns and rows, whether they are
  // fixed cells, and the rectangle they cover in the client area.
  struct TGridBand {
    int ColFirst = 0, ColLast = -1, RowFirst = 0, RowLast = -1;
    bool Fixed = false;
    TRect Rect;
  };
  // Paints what lies under a band's cells before they are painted: with
  // DefaultDrawing the band's colour, and the lines between the cells. Answers
  // the colour the band was filled with (clNone: none); cells of that colour
  // are not filled again.
  virtual TColor PaintBandBackground(const TGridDrawInfo& Info, const TGridBand& Band, const TRect& Clip);
  // Whether each paint covers every pixel of the client area, so that nothing
  // needs erasing first: with DefaultDrawing the grid fills every cell itself;
  // a descendant whose DrawCell always fills its cell answers true as well.
  virtual bool PaintsWholeClient() { return FDefaultDrawing; }
  // Whether the current cell may move to (ACol, ARow).
  virtual bool SelectCell(int ACol, int ARow);
  // Whether the in-place editor may show now: goEditing without goRowSelect,
  // editor mode on, a window, and goAlwaysShowEditor or the grid focused.
  virtual bool CanEditShow();
  virtual bool CanEditAcceptKey(QChar Key);
  virtual bool CanEditModify();
  virtual bool CanGridAcceptKey(Word Key, TShiftState Shift);
  // Creates the in-place editor (once per grid).
  virtual TInplaceEdit* CreateEditor();
  virtual QString GetEditText(int ACol, int ARow);
  virtual void SetEditText(int ACol, int ARow, const QString& Value);
  virtual QString GetEditMask(int ACol, int ARow);
  // The longest text the editor takes (0: no limit).
  virtual int GetEditLimit();
  // Decides whether a press at (X, Y) starts sizing a column or row: in the
  // fixed rows near the edge of a scrolling column (goColSizing), or in the
  // fixed columns near the edge of a scrolling row (goRowSizing).
  virtual void CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos,
                               int& SizingOfs, TGridDrawInfo& FixedInfo);
  // Changes both counts; keeps the current cell, the anchor and the scroll
  // position inside the new counts, then SizeChanged.
  virtual void ChangeSize(int NewColCount, int NewRowCount);
  virtual void SizeChanged(int OldColCount, int OldRowCount);
  // After a column or row moved (MoveColumn, MoveRow, a header drag).
  virtual void ColumnMoved(int FromIndex, int ToIndex);
  virtual void RowMoved(int FromIndex, int ToIndex);
  virtual void ColWidthsChanged();
  virtual void RowHeightsChanged();
  // After LeftCol or TopRow changed.
  virtual void TopLeftChanged();
  // Removes a column or row: it moves to the end, then the count falls.
  virtual void DeleteColumn(int ACol);
  virtual void DeleteRow(int ARow);

  // --- moving the cursor ---
  // Moves the current cell (SelectCell first); with MoveAnchor the anchor
  // follows; with Show the cell is scrolled into view.
  void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
  // MoveColRow with Show, then the editor follows and OnClick fires.
  void FocusCell(int ACol, int ARow, bool MoveAnchor);
  // Extends the selection to a cell (or moves the current cell without goRangeSelect).
  void MoveAnchor(const TGridCoord& NewAnchor);
  // Scrolls so that the cell is fully in view.
  void ClampInView(const TGridCoord& Coord);
  void MoveTopLeft(int ALeft, int ATop);
  // Moves a column or row with its size and tab stop; the current cell, the
  // anchor and the editor follow; then ColumnMoved / RowMoved.
  void MoveColumn(int FromIndex, int ToIndex);
  void MoveRow(int FromIndex, int ToIndex);

  // --- repainting ---
  void InvalidateCell(int ACol, int ARow);
  void InvalidateCol(int ACol);
  void InvalidateRow(int ARow);
  void InvalidateGrid() { Invalidate(); }
  // Loads the editor again from the current cell.
  void InvalidateEditor();
  // True when the cell can be seen: a fixed cell, or a scrolling cell from the
  // first in view to the last at least partly in view. Takes no copy of the
  // layout; false while the window does not exist or redrawing is off.
  bool CellInView(int ACol, int ARow);
  // Repaints the cells of a rectangle (those in view).
  void InvalidateGridRect(const TGridRect& ARect);

  // Writes a cell's text at (X, Y) clipped to ARect, looking as Canvas()->TextRect
  // writes it, but without filling ARect again when the grid has just filled it
  // in that colour, and from an image of the text kept for a cell in view once
  // it has been painted before.
  void DrawCellText(int ACol, int ARow, const TRect& ARect, int X, int Y, QAnyStringView Text);

  // --- the editor ---
  void ShowEditor();
  // Opens the editor and types Ch into it (replacing the selected text).
  void ShowEditorChar(QChar Ch);
  void HideEditor();
  // Shows, moves or reloads the editor as the current cell and CanEditShow say.
  void UpdateEdit();
  // Hands the editor's text to its cell through SetEditText.
  void UpdateText();
  // Hides the editor after handing its text back.
  void HideEdit();
  // The grid or its editor has the keyboard focus.
  bool IsActiveControl();
  // Loads the editor with the current cell (UpdateEdit's first step for a cell).
  void UpdateEditor();

  // --- control behaviour ---
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;
  void WMEraseBkgnd(TWMEraseBkgnd& Message) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(QChar& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
  void DoExit() override;

  void WMChar(TWMKey& Message) override;
  void WMGetDlgCode(TMessageView& Message) override;
  void WMHScroll(TWMScroll& Message) override;
  void WMVScroll(TWMScroll& Message) override;
  void WMSize(TWMSize& Message) override;
  void WMSetCursor(TWMSetCursor& Message) override;
  void WMSetFocus(TWMSetFocus& Message) override;
  void WMKillFocus(TWMKillFocus& Message) override;
  void WMTimer(TWMTimer& Message) override;
  void WMCancelMode(TMessageView& Message) override;
  void CMCancelMode(TMessageView& Message) override;

  // --- state the descendants read ---
  friend class TInplaceEdit;
  TGridState FGridState = gsNormal;
  TGridCoord FCurrent;
  TGridCoord FAnchor;
  TGridCoord FTopLeft;
  // Sizing: the column or row, the sizing line's position and its offset from the pointer.
  int FSizingIndex = -1;
  int FSizingPos = 0;
  int FSizingOfs = 0;
  // Moving: the column or row dragged and where it would go.
  int FMoveIndex = -1;
  int FMovePos = -1;
  bool FEditorMode = false;
  TInplaceEdit* FInplaceEdit = nullptr;
  int FInplaceCol = -1;
  int FInplaceRow = -1;
  bool FCanEditModify = true;

 private:
  void Initialize();
  void SelectionMoved(const TGridRect& OldSel);
  void UpdateScrollRange();
  void UpdateScrollPos();
  void ModifyScrollBar(int Bar, int ScrollCode, int Pos);
  void CancelMode();
  void DrawSizingLine(const TGridDrawInfo& DrawInfo);
  void DrawMove();
  void ScrollWhileMoving(int X, int Y);
  void LayoutChanged();
  // The layout for the current scroll position and client size, taken again
  // only when one of them changed.
  const TGridDrawInfo& Layout();
  // Paints the cells of one band of the grid.
  void PaintBand(const TGridDrawInfo& Info, bool FixedCols, bool FixedRows, const TRect& Clip);
  // Filled: the colour the band around the cell was filled with already
  // (clNone: none).
  void PaintCell(int ACol, int ARow, const TRect& Where, TGridDrawState State, const TRect& Clip, TColor Filled);
  // The client rectangle of a block of cells in view, with their lines.
  TRect GridRectToScreenRect(const TGridRect& ARect);
  // True when Wnd is the in-place editor's window.
  bool IsEditorWindow(HWND Wnd) const;

  // What the layout was last taken for.
  struct TLayoutKey {
    int Width, Height, Left, Top, LineH, LineV;
    unsigned VersionH, VersionV;
    bool operator==(const TLayoutKey&) const = default;
  };
  TGridDrawInfo FLayout;
  TLayoutKey FLayoutKey{};
  bool FLayoutValid = false;

  // The colour the cell being painted was filled with (FCellFilled), so that
  // its text need not fill it again.
  TColor FCellFill = clNone;
  bool FCellFilled = false;
  // The texts of the cells in view and their images (Grids.cpp).
  struct TTextCache;
  std::unique_ptr<TTextCache> FTextCache;

  TGridAxis FHorz{5, 1, 64};
  TGridAxis FVert{5, 1, 24};
  std::vector<bool> FTabStops;
  int FGridLineWidth = 1;
  TColor FFixedColor = clBtnFace;
  TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  TScrollStyle FScrollBars = ssBoth;
  TBorderStyle FBorderStyle = bsSingle;
  bool FDefaultDrawing = true;
  bool FMoveDrawn = false;
  bool FSizingLineDrawn = false;
  bool FTimerActive = false;
  bool FInScrollUpdate = false;
  TPoint FLastMouse;
};

// --------------------------------------------------------------- TInplaceEdit

// The grid's in-place editor: a masked edit without border that the grid
// places over the current cell. Up, Down, Page Up, Page Down and Escape go to
// the grid's key handling (and so do Left, Right, Home and End at the ends of
// the text with goAlwaysShowEditor, or with Ctrl); Escape first puts back the
// text the editor was loaded with and closes it. Typed characters pass the
// grid's KeyPress first (Enter there closes the editor). The other keys fire
// the grid's OnKeyDown before the edit handles them; key-ups go to the grid.
// Text changes reach the grid as WM_COMMAND / EN_CHANGE.
class TInplaceEdit : public TCustomMaskEdit {
 public:
  explicit TInplaceEdit(TComponent* AOwner);

  TCustomGrid* Grid() const { return FGrid; }
  // The caret to the end of the text, nothing selected.
  void Deselect();
  // Hides the editor; when it had the focus, the grid takes it.
  void Hide();
  // Places the editor at Loc (client coordinates of the grid) and shows it,
  // with the focus when the grid has it; an empty Loc hides it.
  void Move(const TRect& Loc);
  // Moves the editor without repainting at once.
  void UpdateLoc(const TRect& Loc);
  bool PosEqual(const TRect& Rect) const { return BoundsRect() == Rect; }

 protected:
  // Loads the current cell: mask, text, length limit.
  virtual void UpdateContents();
  // After the editor was placed: the text's rectangle inside the window.
  virtual void BoundsChanged();
  // Whether the text may be changed (the grid's CanEditModify).
  virtual bool EditCanModify();
  void CreateParams(TCreateParams& Params) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(QChar& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void DblClick() override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  void WMGetDlgCode(TMessageView& Message) override;

  TCustomGrid* FGrid = nullptr;
  // The text the editor was loaded with (Escape puts it back).
  QString FLoadedText;

 private:
  friend class TCustomGrid;
  void InternalMove(const TRect& Loc, bool Redraw);
};

// ------------------------------------------------------------ TCustomDrawGrid

// A grid whose cells are drawn by OnDrawCell; its hooks fire their events.
class TCustomDrawGrid : public TCustomGrid {
 public:
  explicit TCustomDrawGrid(TComponent* AOwner);

  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;
  TGetEditEvent OnGetEditMask;
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;
  TNotifyEvent OnTopLeftChanged;
  TMovedEvent OnColumnMoved;
  TMovedEvent OnRowMoved;

 protected:
  void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
  bool CellsDrawnInside() override { return !OnDrawCell; }
  bool SelectCell(int ACol, int ARow) override;
  QString GetEditMask(int ACol, int ARow) override;
  QString GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const QString& Value) override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
  void TopLeftChanged() override;
};

class TDrawGrid : public TCustomDrawGrid {
 public:
  explicit TDrawGrid(TComponent* AOwner) : TCustomDrawGrid(AOwner) {}
};

// ---------------------------------------------------------------- TStringGrid

class TStringGrid;

// A row or column of a string grid as a string list: one string with its object
// per cell (Count = ColCount for a row, RowCount for a column). Reading and
// writing go to the cells (a write repaints the cell); Clear empties them; Add
// fills the first empty cell; Assign copies a list cell by cell and empties the
// cells beyond its end. Insert and Delete raise EInvalidGridOperation.
class TStringGridStrings : public TStrings {
 public:
  TStringGridStrings(TStringGrid* AGrid, bool IsRow, int AIndex);
  void Assign(TPersistent* Source) override;
  int Add(const QString& S) override;
  int AddObject(const QString& S, TObject* AObject) override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const QString& S) override;

 protected:
  QString Get(int Index) const override;
  int GetCount() const override;
  TObject* GetObject(int Index) const override;
  void Put(int Index, const QString& S) override;
  void PutObject(int Index, TObject* AObject) override;

 private:
  TStringGrid* FGrid;
  bool FIsRow;
  int FIndex;
};

// A grid with a text and an object per cell. Nothing is stored for a cell that
// was never written; writing a cell repaints it (and reloads the editor when it
// is the cell being edited). Cells outside ColCount x RowCount keep their
// content when the counts shrink, except what DeleteColumn / DeleteRow remove.
class TStringGrid : public TDrawGrid {
 public:
  explicit TStringGrid(TComponent* AOwner);
  ~TStringGrid() override;

  QString Cells(int ACol, int ARow) const { return FData.Text(ACol, ARow); }
  // The text of a cell without a copy, for a caller that only looks at it; valid
  // until the cells next change.
  QAnyStringView CellsView(int ACol, int ARow) const { return FData.TextView(ACol, ARow); }
  void SetCells(int ACol, int ARow, const QString& Value);
  // The object stored with a cell; the grid never frees it.
  TObject* Objects(int ACol, int ARow) const { return FData.Object(ACol, ARow); }
  void SetObjects(int ACol, int ARow, TObject* Value);
  // The cells of a row or column as a string list, owned by the grid.
  TStrings* Rows(int Index);
  void SetRows(int Index, TStrings* Value);
  TStrings* Cols(int Index);
  void SetCols(int Index, TStrings* Value);
  // The store behind the cells.
  const TGridCellStore& CellStore() const { return FData; }

 protected:
  void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
  QString GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const QString& Value) override;
  void SizeChanged(int OldColCount, int OldRowCount) override;
  void ColumnMoved(int FromIndex, int ToIndex) override;
  void RowMoved(int FromIndex, int ToIndex) override;
  void DeleteColumn(int ACol) override;
  void DeleteRow(int ARow) override;

 private:
  friend class TStringGridStrings;
  // A cell's content changed: repaint it, reload the editor on it.
  void CellChanged(int ACol, int ARow);
  TGridCellStore FData;
  int FEditUpdate = 0;
  std::unordered_map<int, std::unique_ptr<TStringGridStrings>> FRowStrings;
  std::unordered_map<int, std::unique_ptr<TStringGridStrings>> FColStrings;
};

// The computations behind the grid controls of Grids.h, kept apart from any
// window so that they can be used and tested on their own: the sparse cell
// store of the string grid, the sizes of columns and rows, the layout of the
// visible cells (TGridDrawInfo: cell rectangles, the cell under a point, how
// far the grid can scroll, sizing edges), the standard cursor moves of the
// keyboard and the 0..127 scroll-bar thumb model.
//
// Layout of one axis (columns across, rows down): the fixed cells come first,
// then the scrolling cells from the first visible one (LeftCol / TopRow) on.
// Every cell is followed by a grid line of EffectiveLineWidth pixels; a cell's
// rectangle leaves its line out. A cell with a negative extent is hidden: it
// takes no room and has no line. A cell counts as fully visible when its
// extent (not its line) ends inside the client extent.
#pragma once

#include <QAnyStringView>
#include <QString>
#include <algorithm>
#include <climits>
#include <memory>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/rtl/Types.h"

// ------------------------------------------------------------------ options

enum TGridOption {
  goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected,
  goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect,
  goAlwaysShowEditor, goThumbTracking
};
using TGridOptions = TSet<TGridOption, 32>;

enum TGridState { gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving };

// State of a cell handed to the cell painter (bit values 1, 2, 4, 8, 16, 32).
enum TGridDrawStateItem { gdSelected, gdFocused, gdFixed, gdRowSelected, gdHotTrack, gdPressed };
using TGridDrawState = TSet<TGridDrawStateItem, 8>;

// The normalised rectangle of cells between two corners.
TGridRect GridRect(const TGridCoord& Coord1, const TGridCoord& Coord2);
bool PointInGridRect(int Col, int Row, const TGridRect& Rect);

// ----------------------------------------------------------------- one axis

// Count, fixed count and cell extents of one axis. Extents that were never set
// take the default; the table of set extents exists only once one differs.
class TGridAxis {
 public:
  explicit TGridAxis(int Count = 5, int FixedCount = 1, int DefaultExtent = 64);

  int Count() const { return FCount; }
  // Changes the number of cells; new cells take the default extent.
  void SetCount(int Value);
  int FixedCount() const { return FFixedCount; }
  void SetFixedCount(int Value) {
    FFixedCount = Value;
    ++FVersion;
  }
  int DefaultExtent() const { return FDefaultExtent; }
  // Sets the default and gives every cell that extent.
  void SetDefaultExtent(int Value);
  int Extent(int Index) const;
  void SetExtent(int Index, int Value);
  // True once any cell has an extent of its own.
  bool HasExtents() const { return !FExtents.empty(); }
  // Moves the extent of cell From to To, the cells between shifting by one.
  void MoveExtent(int From, int To);
  // Scales the default and every set extent by M / D.
  void Scale(int M, int D);
  // Counts every change of the axis (for layouts kept between uses).
  unsigned Version() const { return FVersion; }
  // Pixels the cell takes with its line (0 for a hidden cell).
  int Advance(int Index, int LineWidth) const {
    const int e = Extent(Index);
    return e < 0 ? 0 : e + LineWidth;
  }

 private:
  int FCount;
  int FFixedCount;
  int FDefaultExtent;
  std::vector<int> FExtents;
  unsigned FVersion = 0;
};

// ------------------------------------------------------------------- layout

// Layout of one axis for a given first scrolling cell and client extent.
struct TGridAxisDrawInfo {
  int EffectiveLineWidth = 0;
  int FixedBoundary = 0;        // end of the fixed cells and their lines
  int GridBoundary = 0;         // end of the last visible cell, at most GridExtent
  int GridExtent = 0;           // client width or height
  int LastFullVisibleCell = 0;  // last scrolling cell that is fully visible (at least FirstGridCell)
  int FullVisBoundary = 0;      // end of that cell and its line
  int FixedCellCount = 0;
  int FirstGridCell = 0;        // LeftCol or TopRow
  int GridCellCount = 0;
  int LastVisible = -1;         // last scrolling cell at least partly visible
  const TGridAxis* Axis = nullptr;

  int GetExtent(int Index) const { return Axis->Extent(Index); }
  int Advance(int Index) const { return Axis->Advance(Index, EffectiveLineWidth); }
  // Fills in the boundaries from Axis, FirstGridCell, GridExtent and EffectiveLineWidth.
  void Calc();
  // The number of fully visible scrolling cells (at least 1).
  int VisibleCount() const { return LastFullVisibleCell - FirstGridCell + 1; }
  // The last scrolling cell that is at least partly visible.
  int LastVisibleCell() const { return LastVisible; }
  // True when the cell can be seen (fixed, or scrolling and in view); Start is
  // then where it begins.
  bool CellStart(int Index, int& Start) const;
  // The cell at a client position, -1 outside every cell.
  int CellAt(int Pos) const;
  // The smallest first scrolling cell with which the cells up to Last are all
  // fully visible (Last itself when not even it fits).
  int FirstForLast(int Last) const;
  // How far the axis can scroll: FirstForLast of the last cell.
  int MaxFirst() const { return FirstForLast(GridCellCount - 1); }
};

struct TGridDrawInfo {
  TGridAxisDrawInfo Horz;
  TGridAxisDrawInfo Vert;
};

// The client rectangle of a cell (without its lines, cut at the client edges),
// or the empty rectangle when the cell is scrolled out of view.
TRect GridCellRect(const TGridDrawInfo& Info, int ACol, int ARow);
// The cell under a client point; each coordinate -1 outside the cells.
TGridCoord GridCellAt(const TGridDrawInfo& Info, int X, int Y);

// Where a column (or row) edge lies near Pos on the sizing axis: the edges of
// the scrolling cells in view can be dragged from 3 pixels before to 3 pixels
// after their line. Index is the cell whose edge it is, SizingPos the edge
// (where the cell ends), SizingOfs its distance from Pos.
bool GridSizingEdgeAt(const TGridAxisDrawInfo& Axis, int Pos, int& Index, int& SizingPos,
                      int& SizingOfs);

// ------------------------------------------------------------ cursor moves

// The keys of the standard cursor moves.
enum TGridNavKey { gnkUp, gnkDown, gnkLeft, gnkRight, gnkPageUp, gnkPageDown, gnkHome, gnkEnd, gnkTab };

// What a cursor move starts from.
struct TGridMoveContext {
  int ColCount = 5;
  int RowCount = 5;
  int FixedCols = 1;
  int FixedRows = 1;
  TGridCoord Current;     // the current cell
  TGridCoord TopLeft;     // LeftCol, TopRow
  TGridCoord MaxTopLeft;  // the furthest scroll position
  int PageWidth = 1;      // fully visible scrolling columns
  int PageHeight = 1;     // fully visible scrolling rows
  bool RowSelect = false;
  // Columns that Tab stops at (empty: all).
  std::vector<bool> TabStops;
};

// Where a move leads: the new current cell (kept inside the scrolling cells),
// the new scroll position (kept inside FixedCols/FixedRows .. MaxTopLeft) and
// whether the selection anchor follows the current cell.
struct TGridMoveResult {
  TGridCoord Current;
  TGridCoord TopLeft;
  bool MoveAnchor = true;
};

// The framework grid's standard moves. Without Ctrl: Up/Down one row, Left/Right
// one column (one row up/down in row-select mode), Page Up/Down the current row
// and the top row by one page, Home/End the first/last column (first/last row
// in row-select mode). With Ctrl: Home (FixedCols, FixedRows), End the last
// cell, Page Up the top visible row, Page Down the last fully visible row,
// Up/Down scroll the top row by one, Left/Right move the current and the left
// column by one page (not in row-select mode). Tab (Shift+Tab backwards) steps
// to the next tab-stop column, wrapping into the next (previous) row and from
// the last row to the first. The anchor stays with Shift (but not for Tab).
TGridMoveResult GridKeyMove(const TGridMoveContext& Context, TGridNavKey Key, bool Ctrl, bool Shift);

// ------------------------------------------------------------- scroll bars

// The scroll range of the grid's bars: the thumb moves over 0..127.
constexpr int GridScrollRange = 127;
// The thumb position for a first scrolling cell: 0..127 over the cells
// FixedCount .. Count - VisibleCount.
int GridScrollPos(int First, int FixedCount, int Count, int VisibleCount);
// The first scrolling cell for a thumb position:
// MulDiv(Pos, Count - VisibleCount - FixedCount, 127) + FixedCount.
int GridScrollFirst(int Pos, int FixedCount, int Count, int VisibleCount);
// The first scrolling cell after a scroll-bar action (SB_LINEUP ... SB_ENDSCROLL
// with the thumb position Pos), kept inside FixedCount .. MaxFirst. The thumb
// moves the grid on SB_THUMBPOSITION, and on SB_THUMBTRACK only with ThumbTracking.
int GridScrollAction(int Code, int Pos, const TGridAxisDrawInfo& Axis, bool ThumbTracking);

// ---------------------------------------------------------------- cell store

// The texts and objects of a string grid's cells. Nothing is stored for a cell
// that holds the empty text and no object. The store does not know the grid's
// counts: cells outside them keep their content.
//
// Layout: each row with texts is one block holding its column/offset table and
// then the texts themselves, one byte per character (Latin-1) while every text
// of the row allows it, else two (UTF-16). Objects live in a side table that
// exists only for rows that have one. A row filled cell by cell from the left
// appends to its block, which is sized for the grid's column count at once.
class TGridCellStore {
 public:
  TGridCellStore() = default;
  ~TGridCellStore();
  TGridCellStore(const TGridCellStore&) = delete;
  TGridCellStore& operator=(const TGridCellStore&) = delete;

  QString Text(int ACol, int ARow) const;
  // The text of a cell without a copy; valid until the store next changes.
  QAnyStringView TextView(int ACol, int ARow) const;
  TObject* Object(int ACol, int ARow) const {
    // Inline: most rows have no objects, and a painter asks for every cell.
    const TObjectRow* o = ObjectRow(ARow);
    return o == nullptr ? nullptr : ObjectIn(*o, ACol);
  }
  void SetText(int ACol, int ARow, const QString& Value);
  void SetObject(int ACol, int ARow, TObject* Value);
  // Moves the cells of column From to To in every row, the columns between
  // shifting by one; MoveRow does the same with whole rows.
  void MoveColumn(int From, int To);
  void MoveRow(int From, int To);
  // Empties every cell of a row or column.
  void ClearRow(int ARow);
  void ClearColumn(int ACol);
  void Clear();
  // The number of cells that hold something (for tests of sparseness).
  int StoredCells() const;
  // Room taken for a row when its first cell is written (the grid's column
  // count, up to 16), so that a row filled cell by cell grows only once.
  void SetRowReserve(int Cells) { FRowReserve = Cells < 1 ? 1 : (Cells > 16 ? 16 : Cells); }
  // Calls Fn(Col, Row, Text, Object) for each stored cell, row by row.
  template <typename F>
  void ForEach(F Fn) const {
    const int rows = static_cast<int>(std::max(FRows.size(), FObjects.size()));
    for (int r = 0; r < rows; ++r) {
      const TRowBlock* b = RowBlock(r);
      const TObjectRow* o = ObjectRow(r);
      const int nt = b != nullptr ? CellCount(b) : 0;
      const int no = o != nullptr ? static_cast<int>(o->size()) : 0;
      int i = 0, j = 0;
      while (i < nt || j < no) {
        const int ct = i < nt ? CellCol(b, i) : INT_MAX;
        const int co = j < no ? (*o)[static_cast<size_t>(j)].Col : INT_MAX;
        const int c = std::min(ct, co);
        Fn(c, r, ct == c ? CellText(b, i++) : QString(), co == c ? (*o)[static_cast<size_t>(j++)].Obj : nullptr);
      }
    }
  }

 private:
  struct TRowBlock;
  struct TBlockFree {
    void operator()(TRowBlock* Block) const noexcept;
  };
  using TRowPtr = std::unique_ptr<TRowBlock, TBlockFree>;
  struct TObjectCell {
    int Col;
    TObject* Obj;
  };
  using TObjectRow = std::vector<TObjectCell>;

  const TRowBlock* RowBlock(int ARow) const {
    return ARow >= 0 && ARow < static_cast<int>(FRows.size()) ? FRows[static_cast<size_t>(ARow)].get() : nullptr;
  }
  const TObjectRow* ObjectRow(int ARow) const {
    return ARow >= 0 && ARow < static_cast<int>(FObjects.size()) && !FObjects[static_cast<size_t>(ARow)].empty()
               ? &FObjects[static_cast<size_t>(ARow)]
               : nullptr;
  }
  // The object of column ACol in a row's objects, or nullptr.
  static TObject* ObjectIn(const TObjectRow& Row, int ACol);
  static int CellCount(const TRowBlock* Block);
  static int CellCol(const TRowBlock* Block, int Index);
  static QString CellText(const TRowBlock* Block, int Index);
  void Trim();

  std::vector<TRowPtr> FRows;
  std::vector<TObjectRow> FObjects;
  int FRowReserve = 4;
};

// Sort settings of the string grid and the sort styles. The sorting itself
// belongs to the grid (QSort, QSortIndexed ...).
#pragma once

#include <QString>
#include <memory>

#include "grid/ProGrid_Options.h"

class TBitmap;

enum TSortDirection { sdAscending, sdDescending };
enum TIndexSortKey { ikShift, ikCtrl };
enum TSortBlankPosition { blFirst, blLast };
// How two cells of a column compare.
enum TSortStyle {
  ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU,
  ssShortDateUS, ssCustom, ssFinancial, ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssRaw, ssHTML,
  ssImages, ssCheckBox, ssDateTime, ssTime, ssAlphaNumeric, ssAlphaNumericNoCase
};

// Every option of the grid's sorting, and the sort state as a short text:
// "u3" (ascending on column 3), "d3" (descending), or "i;" followed by the
// index list's text ("i;u1;d4").
class TSortSettings : public TPersistent {
 public:
  explicit TSortSettings(TProStringGrid* AOwner);
  ~TSortSettings() override;

  // Sort column; -1: not sorted.
  PROGRID_FIELD(int, Column)
  PROGRID_FIELD(TSortDirection, Direction)
  // Sort glyphs in the header and sorting by header clicks; repaints the grid.
  PROGRID_FIELD_SET(bool, Show)
  PROGRID_FIELD(bool, IndexShow)
  PROGRID_FIELD(TColor, IndexColor)
  PROGRID_FIELD(TIndexSortKey, IndexSortKey)
  PROGRID_FIELD(bool, Full)
  PROGRID_FIELD(bool, SingleColumn)
  PROGRID_FIELD(bool, IgnoreBlanks)
  PROGRID_FIELD(TSortBlankPosition, BlankPos)
  PROGRID_FIELD(bool, AutoFormat)
  PROGRID_FIELD(bool, IgnoreCase)
  TBitmap* UpGlyph() const { return FUpGlyph.get(); }
  void SetUpGlyph(TBitmap* Value);
  TBitmap* DownGlyph() const { return FDownGlyph.get(); }
  void SetDownGlyph(TBitmap* Value);
  TBitmap* IndexUpGlyph() const { return FIndexUpGlyph.get(); }
  void SetIndexUpGlyph(TBitmap* Value);
  TBitmap* IndexDownGlyph() const { return FIndexDownGlyph.get(); }
  void SetIndexDownGlyph(TBitmap* Value);
  PROGRID_FIELD(TSortDirection, InitSortDirection)
  PROGRID_FIELD(bool, FixedCols)
  PROGRID_FIELD(bool, NormalCellsOnly)
  // The header row that takes sort clicks; must be below the grid's FixedRows
  // (else Exception "Sort row should be smaller than number of fixed rows").
  PROGRID_FIELD_SET(int, Row)
  PROGRID_FIELD(bool, UndoSort)
  PROGRID_FIELD(bool, SortOnVirtualCells)
  PROGRID_FIELD(bool, AutoSortForGrouping)
  PROGRID_FIELD(bool, AutoColumnMerge)
  // Colours of the sorted column's header; a change repaints the last fixed row.
  PROGRID_FIELD_SET(TColor, HeaderColor)
  PROGRID_FIELD_SET(TColor, HeaderColorTo)
  PROGRID_FIELD_SET(TColor, HeaderMirrorColor)
  PROGRID_FIELD_SET(TColor, HeaderMirrorColorTo)

  // The sort state as text.
  QString SaveToString() const;
  // Restores a sort state and sorts the grid by it. An empty Value does
  // nothing; otherwise Show goes on and a value shorter than 2 characters
  // raises Exception "Invalid sort settings specifier".
  void LoadFromString(const QString& Value);
  // No sort column, no index columns; repaints the last fixed row.
  void Remove();
  // Flips Direction without sorting.
  void ToggleDirection();

  // Copies every setting except IgnoreCase and SortOnVirtualCells (Show as a
  // value, the glyphs as bitmap copies).
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

 private:
  void SetHeaderColour(TColor& Field, TColor Value);
  void RepaintHeader();

  TProStringGrid* FOwner;
  struct Data {
    int Column = -1;
    TSortDirection Direction = sdAscending;
    bool Show = false, IndexShow = false;
    TColor IndexColor = TColor(0x0000FFFF);
    TIndexSortKey IndexSortKey = ikShift;
    bool Full = true, SingleColumn = false, IgnoreBlanks = false;
    TSortBlankPosition BlankPos = blFirst;
    bool AutoFormat = true, IgnoreCase = false;
    TSortDirection InitSortDirection = sdAscending;
    bool FixedCols = false, NormalCellsOnly = false;
    int Row = 0;
    bool UndoSort = false, SortOnVirtualCells = true, AutoSortForGrouping = true,
         AutoColumnMerge = false;
    TColor HeaderColor = clNone, HeaderColorTo = clNone, HeaderMirrorColor = clNone,
           HeaderMirrorColorTo = clNone;
  } F;
  std::unique_ptr<TBitmap> FUpGlyph, FDownGlyph, FIndexUpGlyph, FIndexDownGlyph;
};

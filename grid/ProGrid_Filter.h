// Filter conditions of the string grid, the look of its filter drop-down and
// the two lists that drop down from a header's filter button.
#pragma once

#include <QString>
#include <memory>

#include "grid/ProGrid_Options.h"
#include "platform/widgets/CheckLst.h"
#include "platform/widgets/StdCtrls.h"

class TBitmap;

// Which text of a row a condition matches.
enum TFilterCells { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
// How a condition combines with the result of those before it.
enum TFilterOperation { foSHORT, foNONE, foAND, foXOR, foOR };
enum TFilterMethod { fmExpression, fmLiteral };

// One filter condition.
class TFilterData : public TCollectionItem {
 public:
  explicit TFilterData(TCollection* Collection) : TCollectionItem(Collection) {}

  // The real column matched (ignored for fcRow).
  int Column() const { return FColumn; }
  void SetColumn(int Value) { FColumn = SmallInt(Value); }
  // An empty condition always matches.
  const QString& Condition() const { return FCondition; }
  void SetCondition(const QString& Value) { FCondition = Value; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
  TFilterCells Data() const { return FData; }
  void SetData(TFilterCells Value) { FData = Value; }
  // Stripped from the cell text before matching.
  const QString& Prefix() const { return FPrefix; }
  void SetPrefix(const QString& Value) { FPrefix = Value; }
  const QString& Suffix() const { return FSuffix; }
  void SetSuffix(const QString& Value) { FSuffix = Value; }
  TFilterOperation Operation() const { return FOperation; }
  void SetOperation(TFilterOperation Value) { FOperation = Value; }
  TFilterMethod Method() const { return FMethod; }
  void SetMethod(TFilterMethod Value) { FMethod = Value; }

  // Copies everything but Method from another condition.
  void Assign(TPersistent* Source) override;

 private:
  SmallInt FColumn = 0;
  QString FCondition;
  bool FCaseSensitive = true;
  TFilterCells FData = fcVirtual;
  QString FPrefix, FSuffix;
  TFilterOperation FOperation = foSHORT;
  TFilterMethod FMethod = fmExpression;
};

// The grid's filter conditions, in the order they are evaluated.
class TFilter : public TOwnedCollection {
 public:
  explicit TFilter(TProStringGrid* AOwner);

  // A new condition: foNONE when it is the only one, else foAND.
  TFilterData* Add();
  // A new condition at Index (0..Count) with Operation foSHORT.
  TFilterData* Insert(int Index);
  TFilterData* Items(int Index) const {
    return static_cast<TFilterData*>(TCollection::Items(Index));
  }
  TFilterData* GetItem(int Index) const { return Items(Index); }
  void SetItem(int Index, TFilterData* Value) { SetItems(Index, Value); }
  // The first condition of column Col, or a new one (Add) for that column.
  TFilterData* GetColFilter(int Col);
  // Whether any condition is for column Col.
  bool HasFilter(int Col) const;
  // Deletes every condition of column Col and repaints that column's header.
  void RemoveColumnFilter(int Col);
  TProStringGrid* Grid() const { return FGrid; }

 private:
  TProStringGrid* FGrid;
};

// The look of the filter drop-down lists. Changing either glyph bitmap (or
// setting it) fires OnChange.
class TFilterDropDown : public TPersistent {
 public:
  TFilterDropDown();
  ~TFilterDropDown() override;

  // The list is sized to its items.
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  // The list takes the column's left and width.
  bool ColumnWidth() const { return FColumnWidth; }
  void SetColumnWidth(bool Value) { FColumnWidth = Value; }
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  // Glyph of a column without a condition, GlyphActive of one with.
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  TBitmap* GlyphActive() const { return FGlyphActive.get(); }
  void SetGlyphActive(TBitmap* Value);

  // Copies Color, ColumnWidth, Font, Height, Width and both glyphs (not AutoSize).
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

 private:
  void GlyphChanged(TObject* Sender);

  bool FAutoSize = false;
  TColor FColor = clWindow;
  bool FColumnWidth = false;
  std::unique_ptr<TFont> FFont;
  int FHeight = 150;
  int FWidth = 150;
  std::unique_ptr<TBitmap> FGlyph, FGlyphActive;
};

// Reports the item picked in a filter list (-1 from the check list).
using TDropListSelectEvent = std::function<void(TObject* Sender, int ItemIndex)>;

// The filter list of a column: a release of the mouse button or Enter hides the
// list and reports the item picked.
class TDropList : public TListBox {
 public:
  explicit TDropList(TComponent* AOwner) : TListBox(AOwner) {}
  TDropListSelectEvent OnSelect;

 protected:
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;

 private:
  void Pick();
};

// The filter check list of a column: every tick or untick reports -1 (in place
// of the check list's own tick event); the list stays open.
class TDropCheckList : public TCheckListBox {
 public:
  explicit TDropCheckList(TComponent* AOwner) : TCheckListBox(AOwner) {}
  TDropListSelectEvent OnSelect;

 protected:
  void ClickCheck() override;
};

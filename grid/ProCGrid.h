// The column grid: TProColumnGrid, a string grid whose cells take their editor
// kind, combo items, check texts, colours, alignment and read-only state from
// one column object per real column (TGridColumnItem in TGridColumnCollection).
// Persistence of the column definitions and of the user's column order is in
// ProCGrid_Persist.cpp.
#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "grid/ProGrid.h"

class TProColumnGrid;
class TPopupMenu;
class TEditLink;

// Which click opens a column's popup menu.
enum TColumnPopupType {
  cpFixedCellsRClick, cpFixedCellsLClick, cpNormalCellsRClick, cpNormalCellsLClick,
  cpAllCellsRClick, cpAllCellsLClick
};

// The settings of one column. Made inside a column collection it takes the
// grid's font and colour; made without one (the grid's saved copy) it keeps the
// framework's default font and black.
class TGridColumnItem : public TCollectionItem {
 public:
  explicit TGridColumnItem(TCollection* Collection);
  ~TGridColumnItem() override;

  // Copies the visual settings and Color, Font, ComboItems, DropDownCount,
  // HeaderFont, Header, Name, Tag, ColumnPopupType, PrintBorderCustom and
  // PrintFontCustom; nothing unless Source is a column item.
  void Assign(TPersistent* Source) override;
  // Copies the visual settings (not Header, HeaderFont, Name, ComboItems,
  // DropDownCount, Tag); colour and font become the grid's.
  void AssignVisuals(TPersistent* Source);

  // The grid's width of this item's real column (0 outside a collection);
  // writing sets that width.
  int Width() const;
  void SetWidth(int Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  // Shown in row 0 when the grid has fixed rows.
  const QString& Header() const { return FColumnHeader; }
  void SetHeader(const QString& Value);
  TSortStyle SortStyle() const { return FSortStyle; }
  void SetSortStyle(TSortStyle Value) { FSortStyle = Value; }
  const QString& SortPrefix() const { return FSortPrefix; }
  void SetSortPrefix(const QString& Value) { FSortPrefix = Value; }
  const QString& SortSuffix() const { return FSortSuffix; }
  void SetSortSuffix(const QString& Value) { FSortSuffix = Value; }
  const QString& EditMask() const { return FEditMask; }
  void SetEditMask(const QString& Value) { FEditMask = Value; }
  int EditLength() const { return FEditLength; }
  void SetEditLength(int Value) { FEditLength = Value; }
  // A custom editor link; not owned.
  TEditLink* EditLink() const { return FEditLink; }
  void SetEditLink(TEditLink* Value) { FEditLink = Value; }
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TEditorType Editor() const { return FEditorType; }
  // A change from or to edDataCheckBox repaints the grid.
  void SetEditor(TEditorType Value);
  bool Fixed() const { return FFixed; }
  void SetFixed(bool Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  TStringList* ComboItems() const { return FComboItems.get(); }
  void SetComboItems(TStrings* Value) { FComboItems->Assign(Value); }
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value) { FDropDownCount = Value; }
  int SpinMin() const { return FSpinMin; }
  void SetSpinMin(int Value) { FSpinMin = Value; }
  int SpinMax() const { return FSpinMax; }
  void SetSpinMax(int Value) { FSpinMax = Value; }
  int SpinStep() const { return FSpinStep; }
  void SetSpinStep(int Value) { FSpinStep = Value; }
  bool Password() const { return FPassword; }
  void SetPassword(bool Value);
  TFont* PrintFont() const { return FPrintFont.get(); }
  void SetPrintFont(TFont* Value) { FPrintFont->Assign(Value); }
  TColor PrintColor() const { return FPrintColor; }
  void SetPrintColor(TColor Value) { FPrintColor = Value; }
  TCellBorders Borders() const { return FBorders; }
  void SetBorders(TCellBorders Value);
  TPen* BorderPen() const { return FBorderPen.get(); }
  // Copies the pen's settings into the item's own pen.
  void SetBorderPen(TPen* Value);
  TCellBorders PrintBorders() const { return FPrintBorders; }
  void SetPrintBorders(TCellBorders Value) { FPrintBorders = Value; }
  TPen* PrintBorderPen() const { return FPrintBorderPen.get(); }
  void SetPrintBorderPen(TPen* Value) { FPrintBorderPen->Assign(Value); }
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  // The column's index in its defined order.
  int DefIdx() const { return FDefIdx; }
  void SetDefIdx(int Value) { FDefIdx = Value; }
  const QString& Name() const { return FName; }
  void SetName(const QString& Value) { FName = Value; }
  const QString& CheckFalse() const { return FCheckFalse; }
  void SetCheckFalse(const QString& Value) { FCheckFalse = Value; }
  const QString& CheckTrue() const { return FCheckTrue; }
  void SetCheckTrue(const QString& Value) { FCheckTrue = Value; }
  bool ShowBands() const { return FShowBands; }
  void SetShowBands(bool Value);
  // Fixed filter choices: a text, or a text, "=" and a condition.
  TStringList* Filter() const { return FFilter.get(); }
  void SetFilter(TStrings* Value) { FFilter->Assign(Value); }
  int MaxSize() const { return FMaxSize; }
  void SetMaxSize(int Value) { FMaxSize = Value; }
  int MinSize() const { return FMinSize; }
  void SetMinSize(int Value) { FMinSize = Value; }
  int AutoMinSize() const { return FAutoMinSize; }
  void SetAutoMinSize(int Value) { FAutoMinSize = Value; }
  int AutoMaxSize() const { return FAutoMaxSize; }
  void SetAutoMaxSize(int Value) { FAutoMaxSize = Value; }
  TColumnPopupType ColumnPopupType() const { return FColumnPopupType; }
  void SetColumnPopupType(TColumnPopupType Value) { FColumnPopupType = Value; }
  // The column's popup menu; not owned (forgotten when it is destroyed).
  TPopupMenu* ColumnPopup() const { return FColumnPopup; }
  void SetColumnPopup(TPopupMenu* Value);
  bool FilterCaseSensitive() const { return FFilterCaseSensitive; }
  void SetFilterCaseSensitive(bool Value) { FFilterCaseSensitive = Value; }
  // Number format of the column; empty: the grid's.
  const QString& FloatFormat() const { return FFloatFormat; }
  void SetFloatFormat(const QString& Value);
  TAlignment HeaderAlignment() const { return FHeaderAlignment; }
  void SetHeaderAlignment(TAlignment Value);
  TFont* HeaderFont() const { return FHeaderFont.get(); }
  void SetHeaderFont(TFont* Value);
  bool PrintBorderCustom() const { return FPrintBorderCustom; }
  void SetPrintBorderCustom(bool Value) { FPrintBorderCustom = Value; }
  bool PrintFontCustom() const { return FPrintFontCustom; }
  void SetPrintFontCustom(bool Value) { FPrintFontCustom = Value; }

  // The cells of the item's column, by row.
  QString Rows(int ARow) const;
  void SetRows(int ARow, const QString& Value);

  // The grid of the collection holding the item; nullptr without one.
  TProColumnGrid* Grid() const;

 protected:
  QString GetDisplayName() const override;

 private:
  friend class TProColumnGrid;
  friend class TGridColumnCollection;
  void Repaint();

  int FWidth = 50;
  TAlignment FAlignment = taLeftJustify;
  QString FColumnHeader;
  TSortStyle FSortStyle = ssAutomatic;
  QString FSortPrefix, FSortSuffix;
  QString FEditMask;
  int FEditLength = 0;
  TEditLink* FEditLink = nullptr;
  std::unique_ptr<TFont> FFont;
  TColor FColor = 0;
  TEditorType FEditorType = edNormal;
  bool FFixed = false;
  bool FReadOnly = false;
  std::unique_ptr<TStringList> FComboItems;
  int FDropDownCount = 8;
  int FSpinMin = 0, FSpinMax = 0, FSpinStep = 1;
  bool FPassword = false;
  std::unique_ptr<TFont> FPrintFont;
  TColor FPrintColor = TColor(0xFFFFFF);
  TCellBorders FBorders;
  std::unique_ptr<TPen> FBorderPen;
  TCellBorders FPrintBorders{cbTop, cbLeft, cbRight, cbBottom};
  std::unique_ptr<TPen> FPrintBorderPen;
  int FTag = 0;
  int FDefIdx = 0;
  QString FName;
  QString FCheckFalse = QStringLiteral("N");
  QString FCheckTrue = QStringLiteral("Y");
  bool FShowBands = false;
  std::unique_ptr<TStringList> FFilter;
  int FMaxSize = 0, FMinSize = 0;
  int FAutoMinSize = 0, FAutoMaxSize = 0;
  TColumnPopupType FColumnPopupType = cpFixedCellsRClick;
  TPopupMenu* FColumnPopup = nullptr;
  bool FFilterCaseSensitive = false;
  QString FFloatFormat;
  TAlignment FHeaderAlignment = taLeftJustify;
  std::unique_ptr<TFont> FHeaderFont;
  bool FPrintBorderCustom = true;
  bool FPrintFontCustom = true;
};

// The columns of a column grid, one item per real column (hidden ones too).
class TGridColumnCollection : public TCollection {
 public:
  explicit TGridColumnCollection(TProColumnGrid* AOwner);

  // A new last item; from the second item on it copies the look of the one before.
  TGridColumnItem* Add();
  TGridColumnItem* Insert(int Index);
  TGridColumnItem* Items(int Index) const { return static_cast<TGridColumnItem*>(TCollection::Items(Index)); }
  TGridColumnItem* GetItem(int Index) const { return Items(Index); }
  void SetItem(int Index, TGridColumnItem* Value) { SetItems(Index, Value); }
  TPersistent* GetOwner() override;
  TProColumnGrid* Grid() const { return FOwner; }

  // Brings the item count in step with the columns and numbers every item's
  // DefIdx by its position: the current order becomes the defined one.
  void SetOrganization();
  // Moves the columns until the column whose DefIdx is j stands at position j.
  void ResetOrganization();

  // While set, a change of the items leaves the grid's column count alone.
  bool NoRecursiveUpdate() const { return FNoRecursiveUpdate; }
  void SetNoRecursiveUpdate(bool Value) { FNoRecursiveUpdate = Value; }

 protected:
  // Follows an item change: the grid's column count and header row.
  void Update(TCollectionItem* Item) override;

 private:
  friend class TProColumnGrid;
  TProColumnGrid* FOwner;
  bool FNoRecursiveUpdate = false;
};

// The carrier of the column definitions in a stream.
class TProColumnGridIO : public TComponent {
 public:
  // AOwner must be a TProColumnGrid.
  explicit TProColumnGridIO(TComponent* AOwner);
  ~TProColumnGridIO() override;
  TGridColumnCollection* Items() const { return FItems.get(); }
  void SetItems(TGridColumnCollection* Value) { FItems->Assign(Value); }

 private:
  std::unique_ptr<TGridColumnCollection> FItems;
};

using TColumnPopupEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TPopupMenu* PopupMenu)>;
using TAfterColumnMoved = std::function<void(TObject* Sender, int FromIndex, int ToIndex)>;

class TProColumnGrid : public TProStringGrid {
 public:
  explicit TProColumnGrid(TComponent* AOwner);
  ~TProColumnGrid() override;

  // "3.1.3.1"; with its date " Aug, 2012".
  int GetVersionNr() const override;
  QString GetVersionString() const { return Version() + QStringLiteral(" Aug, 2012"); }

  TGridColumnCollection* Columns() const { return FColumnCollection.get(); }
  // Copies the given collection's items.
  void SetColumns(TGridColumnCollection* Value) { FColumnCollection->Assign(Value); }
  int ColCount() const { return TProStringGrid::ColCount(); }
  // The string grid's setter, then one item per real column.
  void SetColCount(int Value);
  // The first item whose Name is AValue (case-sensitive); nullptr when none.
  TGridColumnItem* ColumnByName(const QString& AValue) const;
  bool AutoFilterDisplay() const { return FAutoFilterDisplay; }
  void SetAutoFilterDisplay(bool Value) { FAutoFilterDisplay = Value; }

  // Per-cell answers from the column items.
  TCellType GetCellType(int ACol, int ARow) override;
  TCellGraphic* GetCellGraphic(int ACol, int ARow) override;
  void GetCheckTrue(int ACol, int ARow, QString& Value) override;
  void GetCheckFalse(int ACol, int ARow, QString& Value) override;
  // Editable unless loading, outside the normal columns and rows, in a
  // ReadOnly or Fixed column, or a read-only cell; then OnCanEditCell.
  void CanEditCell(int ACol, int ARow, bool& CanEdit) override;
  // Loads the column's editor settings; OnGetEditorType sees the column's
  // number format as the grid's, which is restored afterwards.
  void GetCellEditor(int ACol, int ARow, TEditorType& AEditor) override;
  void IsFixedCell(int ACol, int ARow, bool& IsFixed) override;
  void IsPasswordCell(int ACol, int ARow, bool& IsPassword) override;
  bool HasComboBox(int ACol, int ARow) override;
  void GetCellAlignment(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign) override;
  void GetCellFormat(int ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix) override;
  QString GetCellFloatFormat(int ACol, int ARow) override;
  // Colours and font of the column, then a cell's own colours, then the string grid's.
  void GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont) override;
  void GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush,
                         TFont* AFont) override;
  // The column's borders and pen for its normal cells, then the string grid's.
  void GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) override;
  // The column's print borders when PrintBorderCustom, then the string grid's.
  void GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders) override;
  // A width is held between the column's MinSize and MaxSize (0: no limit).
  void UpdateColumnSize(int ACol, int& AWidth) override;
  // The same with AutoMinSize and AutoMaxSize.
  void UpdateAutoColumnSize(int ACol, int& AWidth) override;
  void CellsLoaded() override;
  // A number in a column with a FloatFormat is shown in that format.
  QString GetFormattedCell(int ACol, int ARow) override;
  void GetCellDefaults(int ACol, int ARow, TFont* AFont, TBrush* ABrush, TColor& AColorTo,
                       TColor& AMirrorColor, TColor& AMirrorColorTo, TAlignment& HA,
                       TVAlignment& VA, bool& WW, TCellGradientDirection& GD) override;

  // The column definitions as a stream and back. Loading replaces the items
  // but leaves ColCount and the header row; a stream that holds no column
  // definitions raises EReadError and changes nothing.
  void SaveColumnsToStream(TStream* st);
  void LoadColumnsFromStream(TStream* st);
  // The column order as "CP<i>" = DefIdx entries in Section of the settings
  // file Key. Loading ignores a file that lacks an entry, names a column
  // outside the grid or names a column twice.
  void SaveColumnPositions(const QString& Key, const QString& Section);
  void LoadColumnPositions(const QString& Key, const QString& Section);
  // The settings-file form with ColumnSize.Location clIniFile, else the string grid's.
  void SaveColPositions() override;
  void LoadColPositions() override;

  // Makes the column collection; descendants may return their own.
  virtual TGridColumnCollection* CreateColumns();
  // One item per real column: items are added or freed at the end.
  void UpdateColumnItems();
  // A column move is being carried out (no header writes into row 0).
  bool ColMoving() const { return FColMoving; }

  TColumnPopupEvent OnColumnPopup;
  TAfterColumnMoved OnAfterColumnMoved;

 protected:
  // After a window definition was read: items in step, defined order numbered.
  void Loaded() override;
  // Moves the item with its column.
  void ColumnMoved(int FromIndex, int ToIndex) override;
  // Stores the visible columns' widths into their items.
  void ColWidthsChanged() override;
  QString GetEditMask(int ACol, int ARow) override;
  int GetEditLimit() override;
  // Scales the columns' fonts with the grid.
  void ChangeScale(int M, int D) override;
  // The framework's handling, then a column's popup menu for the clicks its
  // ColumnPopupType names (OnColumnPopup first), below the cell clicked.
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // A column's popup menu that goes away is forgotten.
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TGridColumnItem;
  friend class TGridColumnCollection;
  // Whether (ACol, ARow) is a normal cell of item ACol.
  bool IsNormalItemCell(int ACol, int ARow) const;
  // Item ACol, or nullptr past the items (asked several times per painted cell).
  TGridColumnItem* ItemOf(int ACol) const {
    return ACol >= 0 && ACol < FColumnCollection->Count() ? FColumnCollection->Items(ACol) : nullptr;
  }

  std::unique_ptr<TGridColumnCollection> FColumnCollection;
  std::unique_ptr<TGridColumnItem> FSaveCol;
  bool FColMoving = false;
  std::unique_ptr<TCellGraphic> FCellGraphic;
  bool FAutoFilterDisplay = false;
};

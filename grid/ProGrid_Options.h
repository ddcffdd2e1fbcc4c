// The string grid's option objects: the search bar settings, keyboard
// navigation, mouse actions, the synchronised grid, row bands and the focus
// helper. They hold data; the behaviour each switch steers lives with the grid.
// Each copies itself from an object of its own class only (Assign) and tells
// its grid of changes through its OnChange-style events.
#pragma once

#include <QString>
#include <memory>

#include "platform/rtl/Classes.h"
#include "platform/gdi/Graphics.h"

class TProStringGrid;
class TStringGrid;

// A property kept in the member struct F: getter Name() and a plain setter.
#define PROGRID_FIELD(Type, Name)                \
  Type Name() const { return F.Name; }           \
  void Set##Name(Type Value) { F.Name = Value; }

// A property kept in F whose setter is written out in the .cpp file.
#define PROGRID_FIELD_SET(Type, Name)  \
  Type Name() const { return F.Name; } \
  void Set##Name(Type Value);

// ----------------------------------------------------------- search footer

enum TSearchDirection { sdTopBottom, sdLeftRight };

// Settings of the search bar under the grid. Every setter fires OnChange; the
// Visible and Show... setters only when the value changes.
class TSearchFooter : public TPersistent {
 public:
  // InitDesign (a grid newly placed in the designer) fills the default English
  // captions and hints; otherwise they start empty.
  TSearchFooter(TProStringGrid* AOwner, bool InitDesign);
  ~TSearchFooter() override;

  PROGRID_FIELD_SET(bool, Visible)
  PROGRID_FIELD_SET(TColor, Color)
  PROGRID_FIELD_SET(TColor, ColorTo)
  TFont* Font() const { return FFont.get(); }
  // Copies Value into the owned font and fires OnChange.
  void SetFont(TFont* Value);
  PROGRID_FIELD_SET(QString, FindNextCaption)
  PROGRID_FIELD_SET(QString, FindPrevCaption)
  PROGRID_FIELD_SET(QString, MatchCaseCaption)
  PROGRID_FIELD_SET(QString, HighLightCaption)
  PROGRID_FIELD_SET(QString, HintClose)
  PROGRID_FIELD_SET(QString, HintFindNext)
  PROGRID_FIELD_SET(QString, HintFindPrev)
  PROGRID_FIELD_SET(QString, HintHighlight)
  PROGRID_FIELD_SET(bool, ShowClose)
  PROGRID_FIELD_SET(bool, ShowFindNext)
  PROGRID_FIELD_SET(bool, ShowFindPrev)
  PROGRID_FIELD_SET(bool, ShowHighLight)
  PROGRID_FIELD_SET(bool, ShowMatchCase)
  PROGRID_FIELD_SET(bool, AutoSearch)
  PROGRID_FIELD_SET(bool, AlwaysHighLight)
  // Column searched; -1 for all.
  PROGRID_FIELD_SET(int, SearchColumn)
  PROGRID_FIELD_SET(bool, SearchActiveColumnOnly)
  PROGRID_FIELD_SET(bool, SearchMatchStart)
  PROGRID_FIELD_SET(bool, SearchFixedCells)
  PROGRID_FIELD_SET(bool, SearchHiddenRows)
  PROGRID_FIELD_SET(TSearchDirection, SearchDirection)
  // The bar's buttons follow the system theme.
  PROGRID_FIELD_SET(bool, AutoThemeAdapt)
  // The last text searched.
  PROGRID_FIELD(QString, LastSearch)

  // Copies everything except AutoSearch, SearchFixedCells, AutoThemeAdapt and
  // LastSearch from another search footer; fires nothing.
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

  TNotifyEvent OnChange;

 private:
  void Changed();
  void SetOnChange(bool& Field, bool Value);

  struct Data {
    bool Visible = false;
    TColor Color = clWhite;
    TColor ColorTo = clBtnFace;
    QString FindNextCaption, FindPrevCaption, MatchCaseCaption, HighLightCaption;
    QString HintClose, HintFindNext, HintFindPrev, HintHighlight;
    bool ShowClose = true, ShowFindNext = true, ShowFindPrev = true, ShowHighLight = true,
         ShowMatchCase = true;
    bool AutoSearch = true;
    bool AlwaysHighLight = false;
    int SearchColumn = -1;
    bool SearchActiveColumnOnly = false, SearchMatchStart = false, SearchFixedCells = false,
         SearchHiddenRows = false;
    TSearchDirection SearchDirection = sdTopBottom;
    bool AutoThemeAdapt = false;
    QString LastSearch;
  } F;
  TProStringGrid* FOwner;
  std::unique_ptr<TFont> FFont;
};

// -------------------------------------------------------------- navigation

enum TAdvanceDirection { adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol };
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum TClipboardPasteAction { paReplace, paInsert };
enum TCursorAdvance { caDefault, caSnake, caLoop };
enum THomeEndAction { heFirstLastColumn, heFirstLastRow, heFirstLastCell };

// Keyboard navigation, advancing after edits and clipboard switches.
// AdvanceDirection and AdvanceInsert fire OnChange when they change; setting
// AdvanceAuto also switches AdvanceOnEnter on.
class TNavigation : public TPersistent {
 public:
  TNavigation() = default;

  PROGRID_FIELD(bool, AllowInsertRow)
  PROGRID_FIELD(bool, AllowDeleteRow)
  PROGRID_FIELD(bool, AlwaysEdit)
  PROGRID_FIELD(bool, AdvanceOnEnter)
  PROGRID_FIELD(bool, AdvanceOnEnterLoop)
  PROGRID_FIELD_SET(bool, AdvanceInsert)
  PROGRID_FIELD(bool, AdvanceAutoEdit)
  PROGRID_FIELD(bool, AdvanceSkipReadOnlyCells)
  PROGRID_FIELD_SET(TAdvanceDirection, AdvanceDirection)
  PROGRID_FIELD(TAdvanceDirection, TabAdvanceDirection)
  PROGRID_FIELD_SET(bool, AdvanceAuto)
  PROGRID_FIELD(bool, AutoGotoWhenSorted)
  PROGRID_FIELD(bool, AutoGotoIncremental)
  PROGRID_FIELD(bool, AutoComboDropSize)
  PROGRID_FIELD(bool, AllowClipboardShortCuts)
  PROGRID_FIELD(bool, AllowCtrlEnter)
  PROGRID_FIELD(bool, AllowSmartClipboard)
  PROGRID_FIELD(bool, AllowRTFClipboard)
  PROGRID_FIELD(bool, AllowFmtClipboard)
  PROGRID_FIELD(bool, AllowClipboardAlways)
  PROGRID_FIELD(bool, AllowClipboardRowGrow)
  PROGRID_FIELD(bool, AllowClipboardColGrow)
  PROGRID_FIELD(bool, AppendOnArrowDown)
  PROGRID_FIELD(bool, EditSelectAll)
  PROGRID_FIELD(TInsertPosition, InsertPosition)
  PROGRID_FIELD(TClipboardPasteAction, ClipboardPasteAction)
  PROGRID_FIELD(bool, ComboGetUpDown)
  PROGRID_FIELD(TCursorAdvance, CursorAdvance)
  PROGRID_FIELD(bool, CursorWalkEditor)
  PROGRID_FIELD(bool, CursorWalkAlwaysEdit)
  PROGRID_FIELD(bool, CursorMoveRows)
  PROGRID_FIELD(bool, MoveRowOnSort)
  PROGRID_FIELD(bool, KeepScrollOnSort)
  PROGRID_FIELD(bool, MoveScrollOnly)
  PROGRID_FIELD(bool, ImproveMaskSel)
  PROGRID_FIELD(bool, LeftRightRowSelect)
  PROGRID_FIELD(bool, CopyHTMLTagsToClipboard)
  PROGRID_FIELD(bool, KeepHorizScroll)
  PROGRID_FIELD(bool, LineFeedOnEnter)
  PROGRID_FIELD(THomeEndAction, HomeEndKey)
  PROGRID_FIELD(bool, SkipFixedCells)
  PROGRID_FIELD(bool, SkipDisabledRows)
  PROGRID_FIELD(bool, TabToNextAtEnd)

  // Copies every property except KeepScrollOnSort; a change of AdvanceDirection
  // or AdvanceInsert fires OnChange as their setters do.
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

 private:
  void Changed();

  struct Data {
    bool AllowInsertRow = false, AllowDeleteRow = false, AlwaysEdit = false,
         AdvanceOnEnter = false, AdvanceOnEnterLoop = true, AdvanceInsert = false,
         AdvanceAutoEdit = true, AdvanceSkipReadOnlyCells = true;
    TAdvanceDirection AdvanceDirection = adLeftRight;
    TAdvanceDirection TabAdvanceDirection = adLeftRight;
    bool AdvanceAuto = false, AutoGotoWhenSorted = false, AutoGotoIncremental = false,
         AutoComboDropSize = false, AllowClipboardShortCuts = false, AllowCtrlEnter = true,
         AllowSmartClipboard = false, AllowRTFClipboard = false, AllowFmtClipboard = false,
         AllowClipboardAlways = false, AllowClipboardRowGrow = true,
         AllowClipboardColGrow = true, AppendOnArrowDown = false, EditSelectAll = true;
    TInsertPosition InsertPosition = pInsertBefore;
    TClipboardPasteAction ClipboardPasteAction = paReplace;
    bool ComboGetUpDown = true;
    TCursorAdvance CursorAdvance = caDefault;
    bool CursorWalkEditor = false, CursorWalkAlwaysEdit = true, CursorMoveRows = false,
         MoveRowOnSort = false, KeepScrollOnSort = false, MoveScrollOnly = false,
         ImproveMaskSel = false, LeftRightRowSelect = true, CopyHTMLTagsToClipboard = true,
         KeepHorizScroll = false, LineFeedOnEnter = false;
    THomeEndAction HomeEndKey = heFirstLastColumn;
    bool SkipFixedCells = true, SkipDisabledRows = true, TabToNextAtEnd = false;
  } F;
};

// ----------------------------------------------------------- mouse actions

enum TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TGridFixedCellEditor { fceEdit, fceComboEdit, fceComboList };
enum TWheelAction { waMoveSelection, waScroll };

// Answers whether the owning grid is in the form designer.
using TIsDesigningEvent = std::function<bool(TObject* Sender)>;

// Mouse selection, editing and wheel behaviour.
class TMouseActions : public TPersistent {
 public:
  explicit TMouseActions(TProStringGrid* AOwner);
  ~TMouseActions() override;

  PROGRID_FIELD(bool, RowSelect)
  PROGRID_FIELD(bool, ColSelect)
  PROGRID_FIELD(bool, AllSelect)
  PROGRID_FIELD(bool, SizeFixedCol)
  PROGRID_FIELD(bool, SizeFixedRow)
  PROGRID_FIELD(bool, AllColumnSize)
  PROGRID_FIELD(bool, AllRowSize)
  PROGRID_FIELD(bool, AutoSizeColOnDblClick)
  PROGRID_FIELD(bool, CheckAllCheck)
  PROGRID_FIELD(bool, DirectComboDrop)
  PROGRID_FIELD(bool, DirectDateDrop)
  PROGRID_FIELD(bool, DirectComboClose)
  PROGRID_FIELD(bool, DirectDateClose)
  PROGRID_FIELD(bool, DirectEdit)
  // In the designer, switching one disjunct selection on clears the other two;
  // at run time the three may be on together.
  PROGRID_FIELD_SET(bool, DisjunctRowSelect)
  PROGRID_FIELD_SET(bool, DisjunctColSelect)
  PROGRID_FIELD_SET(bool, DisjunctCellSelect)
  PROGRID_FIELD(bool, DisjunctRowSelectNoCtrl)
  // True fires OnDisableEdit.
  PROGRID_FIELD_SET(bool, EditOnDblClickOnly)
  PROGRID_FIELD(TGridFixedCellEdit, FixedRowsEdit)
  PROGRID_FIELD(TGridFixedCellEdit, FixedColsEdit)
  PROGRID_FIELD(TGridFixedCellEditor, FixedRowsEditor)
  PROGRID_FIELD(TGridFixedCellEditor, FixedColsEditor)
  TStringList* FixedComboValues() const { return FFixedComboValues.get(); }
  // Copies Value's lines.
  void SetFixedComboValues(TStrings* Value);
  // True also switches DisjunctRowSelect and CheckAllCheck on; fires OnInvalidate.
  PROGRID_FIELD_SET(bool, HotmailRowSelect)
  PROGRID_FIELD(bool, MoveRowOnNodeClick)
  PROGRID_FIELD(bool, NoScrollOnPartialRow)
  PROGRID_FIELD(bool, PreciseCheckBoxCheck)
  PROGRID_FIELD(bool, PreciseNodeClick)
  PROGRID_FIELD(bool, RangeSelectAndEdit)
  PROGRID_FIELD(bool, RowSelectPersistent)
  PROGRID_FIELD(bool, SelectOnRightClick)
  // Fires OnChange when it changes.
  PROGRID_FIELD_SET(TWheelAction, WheelAction)
  PROGRID_FIELD(int, WheelIncrement)
  PROGRID_FIELD(bool, CaretPositioning)
  PROGRID_FIELD(bool, NoAutoRangeScroll)
  PROGRID_FIELD(bool, NodeAllExpandContract)
  PROGRID_FIELD(bool, DisjunctRowSelectDirect)

  // Copies every property except EditOnDblClickOnly, FixedComboValues,
  // HotmailRowSelect and SizeFixedRow; a change of WheelAction fires OnChange.
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

  TNotifyEvent OnChange;
  TIsDesigningEvent OnIsDesigning;
  TNotifyEvent OnInvalidate;
  TNotifyEvent OnDisableEdit;

 private:
  bool Designing();
  void SetDisjunct(bool& Field, bool Value, bool& Other1, bool& Other2);

  struct Data {
    bool RowSelect = false, ColSelect = false, AllSelect = false, SizeFixedCol = false,
         SizeFixedRow = false, AllColumnSize = false, AllRowSize = false,
         AutoSizeColOnDblClick = true, CheckAllCheck = false, DirectComboDrop = false,
         DirectDateDrop = false, DirectComboClose = false, DirectDateClose = false,
         DirectEdit = false, DisjunctRowSelect = false, DisjunctColSelect = false,
         DisjunctCellSelect = false, DisjunctRowSelectNoCtrl = false,
         EditOnDblClickOnly = false;
    TGridFixedCellEdit FixedRowsEdit = fceNone, FixedColsEdit = fceNone;
    TGridFixedCellEditor FixedRowsEditor = fceEdit, FixedColsEditor = fceEdit;
    bool HotmailRowSelect = false, MoveRowOnNodeClick = false, NoScrollOnPartialRow = false,
         PreciseCheckBoxCheck = false, PreciseNodeClick = true, RangeSelectAndEdit = false,
         RowSelectPersistent = false, SelectOnRightClick = false;
    TWheelAction WheelAction = waMoveSelection;
    int WheelIncrement = 0;
    bool CaretPositioning = false, NoAutoRangeScroll = false, NodeAllExpandContract = false,
         DisjunctRowSelectDirect = false;
  } F;
  TProStringGrid* FOwner;
  std::unique_ptr<TStringList> FFixedComboValues;
};

// ----------------------------------------------------------- synchronised grid

// A second grid that follows this one's scrolling, selection and moves.
class TSyncGrid : public TPersistent {
 public:
  explicit TSyncGrid(TProStringGrid* AOwner) : FOwner(AOwner) {}

  TStringGrid* Grid() const { return FGrid; }
  // Ignored when Value is the owning grid itself.
  void SetGrid(TStringGrid* Value);
  PROGRID_FIELD(bool, ScrollVertical)
  PROGRID_FIELD(bool, ScrollHorizontal)
  PROGRID_FIELD(bool, SelectionColumn)
  PROGRID_FIELD(bool, SelectionRow)
  PROGRID_FIELD(bool, MoveColumn)
  PROGRID_FIELD(bool, MoveRow)

  // Copies all seven settings (Grid through its setter).
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

 private:
  struct Data {
    bool ScrollVertical = false, ScrollHorizontal = false, SelectionColumn = false,
         SelectionRow = false, MoveColumn = false, MoveRow = false;
  } F;
  TProStringGrid* FOwner;
  TStringGrid* FGrid = nullptr;
};

// ------------------------------------------------------------------- bands

// Alternating colours of the normal rows: PrimaryLength rows in PrimaryColor,
// then SecondaryLength rows in SecondaryColor.
class TBands : public TPersistent {
 public:
  TBands() = default;

  // Fires OnChange when it changes.
  PROGRID_FIELD_SET(bool, Active)
  // The colour and length setters fire OnChange on a change while Active.
  PROGRID_FIELD_SET(TColor, PrimaryColor)
  PROGRID_FIELD_SET(int, PrimaryLength)
  PROGRID_FIELD_SET(TColor, SecondaryColor)
  PROGRID_FIELD_SET(int, SecondaryLength)
  // The bands also apply when printing.
  PROGRID_FIELD(bool, Print)
  // PrimaryLength + SecondaryLength.
  int TotalLength() const { return FTotalLength; }

  // Copies Active, both colours, both lengths and Print; TotalLength follows
  // the copied lengths. Fires nothing.
  void Assign(TPersistent* Source) override;

  TNotifyEvent OnChange;

 private:
  void Changed();
  struct Data {
    bool Active = false;
    TColor PrimaryColor = clInfoBk;
    int PrimaryLength = 1;
    TColor SecondaryColor = clWindow;
    int SecondaryLength = 1;
    bool Print = false;
  } F;
  int FTotalLength = 2;
};

// ------------------------------------------------------------ focus helper

// Whether the grid shows its focus glow around the focused cell.
class TFocusHelper : public TPersistent {
 public:
  explicit TFocusHelper(TProStringGrid* AOwner) : FOwner(AOwner) {}
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override;

 private:
  TProStringGrid* FOwner;
  bool FEnabled = false;
};

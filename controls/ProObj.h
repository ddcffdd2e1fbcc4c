// The grid's auxiliary objects: small lists that the grid keeps inside its own
// objects (integer lists that know their cell, the list of sort columns, the
// controls placed in cells, a string list read and written line by line), the
// grid's small controls (the flat button of its search bar, the arrows shown
// while a column or row is moved, the "Match case" check box), a picture known by
// its file name, and the pieces of the focus glow (the glow window, the alpha
// mask, the rounded-rectangle mask and its blur).
//
// Implementation by family: ProObj.cpp (lists), ProObj_Button.cpp (grid button,
// arrow window, file picture), ProObj_CheckBox.cpp (check box control),
// ProObj_Glow.cpp (focus window, alpha mask, blur).
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/widgets/Buttons.h"
#include "platform/ui/Controls.h"
#include "platform/widgets/ExtCtrls.h"
#include "platform/gdi/Graphics.h"
#include "platform/ui/Menus.h"
#include "platform/widgets/StdCtrls.h"

// Reports a change of a list that belongs to the cell (Acol, Arow).
using TImageChangeEvent = std::function<void(TObject* Sender, int Acol, int Arow)>;

// A list of 32-bit integers that remembers the cell it belongs to and reports
// Add, Delete and item changes through OnChange with that cell. Insert and Clear
// are silent. An index outside the list raises EListError
// "List index out of bounds (<index>)".
class TIntList : public TObject {
 public:
  TIntList(int Col, int Row) : FCol(Col), FRow(Row) {}

  int Add(int Value);
  void Insert(int Index, int Value);
  void Delete(int Index);
  // Deletes the first entry equal to Value; nothing when it is absent.
  void DeleteValue(int Value);
  bool HasValue(int Value) const { return IndexOf(Value) >= 0; }
  int IndexOf(int Value) const;
  void Clear() { FList.clear(); }
  void Exchange(int Index1, int Index2);
  void Move(int CurIndex, int NewIndex);
  // Orders the entries by Compare (negative, zero or positive); silent.
  void Sort(const std::function<int(int Item1, int Item2)>& Compare);
  int Count() const { return static_cast<int>(FList.size()); }

  int GetInteger(int Index) const;
  void SetInteger(int Index, int Value);
  int Items(int Index) const { return GetInteger(Index); }
  void SetItems(int Index, int Value) { SetInteger(Index, Value); }

  // The entries as decimal numbers joined by "," ("3,-1,20"); "" when empty.
  QString StrValue() const;
  // Clears the list and adds each item of the comma text (commas or blanks
  // separate, double quotes group). An item that is no integer raises
  // EConvertError; the items before it stay added.
  void SetStrValue(const QString& Value);

  int Col() const { return FCol; }
  int Row() const { return FRow; }

  TImageChangeEvent OnChange;

 protected:
  void Changed();
  void CheckIndex(int Index) const;

 private:
  int FCol;
  int FRow;
  std::vector<int> FList;
};

// The grid's sort columns, in sort order: each entry is a column number in bits
// 0-30 with bit 31 set (the entry negative) for a descending column.
class TSortIndexList : public TIntList {
 public:
  TSortIndexList() : TIntList(0, 0) {}

  void AddIndex(int ColumnIndex, bool Ascending);
  // Position of the first entry for the column, -1 when none.
  int FindIndex(int ColumnIndex) const;
  // Flips the direction of the column's entry; nothing when it is not listed.
  void ToggleIndex(int ColumnIndex);

  int SortColumns(int Index) const;
  void SetSortColumns(int Index, int Value);
  // True for ascending.
  bool SortDirections(int Index) const;
  void SetSortDirections(int Index, bool Value);

  // "u2;d5": "u" or "d" and the low 16 bits of the column per entry, joined by ";".
  QString SaveToString() const;
  // Clears the list and reads the form above. Pieces shorter than two characters
  // are skipped; the column is the number at the piece's second character (0 when
  // it has no digits there); exactly "u" means ascending, anything else descending.
  void LoadFromString(const QString& S);
};

// A control placed in the cell (X, Y); the control is not owned.
class TControlItem : public TObject {
 public:
  TControlItem(int AX, int AY, TControl* AControl) : FX(AX), FY(AY), FObject(AControl) {}
  int X() const { return FX; }
  void SetX(int Value) { FX = Value; }
  int Y() const { return FY; }
  void SetY(int Value) { FY = Value; }
  TControl* Control() const { return FObject; }
  void SetControl(TControl* Value) { FObject = Value; }

 private:
  int FX;
  int FY;
  TControl* FObject;
};

// The controls that the grid places in cells; owns its items, not their controls.
class TControlList : public TObject {
 public:
  TControlList() = default;
  ~TControlList() override;

  void AddControl(int X, int Y, TControl* AObject);
  // Position of the first item for the cell, -1 when none.
  int ControlIndex(int X, int Y) const;
  TControlItem* GetControl(int Index) const;
  // Whether an item's control is a windowed control whose window is Handle.
  bool HasHandle(HWND Handle) const;
  // Frees the item at Index (not its control) and removes it.
  void RemoveControl(int Index);
  int Count() const { return static_cast<int>(FItems.size()); }

 private:
  std::vector<std::unique_ptr<TControlItem>> FItems;
};

// A string list walked line by line, as the grid's text-file import and export
// read and write a file.
class TFileStringList : public TStringList {
 public:
  // Read position 0, nothing pending.
  void Reset();
  bool Eof() const { return fp >= Count(); }
  // The line at the read position, which moves on; past the end raises
  // EStringListError.
  void ReadLn(QString& S);
  // Appends S to the text of the line being written.
  void Write(const QString& S);
  // Ends the line being written with S and adds it.
  void WriteLn(const QString& S);

 private:
  int fp = 0;
  QString cache;
};

// ---------------------------------------------------------------------------
// Grid button

// Whether controls are drawn by the system's visual styles: Windows XP or later,
// an active theme and version-6 common controls.
bool IsThemedXP();

enum TProGridButtonStyle { tasButton, tasCheck };

// A windowless flat button with glyphs per state, Office-like colour looks,
// gradients, rounded corners, an optional drop-down part and grouping. With a
// GroupIndex it stays down after a click and raises the other buttons of its
// group on the same parent; with tasCheck every click toggles Down.
class TProGridButton : public TGraphicControl {
 public:
  explicit TProGridButton(TComponent* AOwner);
  ~TProGridButton() override;

  // 0 up, 1 disabled, 2 pressed, 3 held down.
  int State() const { return FState; }
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value);
  TProGridButtonStyle Style() const { return FStyle; }
  void SetStyle(TProGridButtonStyle Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  // -1 centres glyph and caption.
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool Value);
  bool Rounded() const { return FRounded; }
  void SetRounded(bool Value);
  bool Shaded() const { return FShaded; }
  void SetShaded(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value) { FTransparent = Value; }
  bool DropDownButton() const { return FDropDownButton; }
  void SetDropDownButton(bool Value);
  TPopupMenu* DropDownMenu() const { return FDropDownMenu; }
  void SetDropDownMenu(TPopupMenu* Value) { FDropDownMenu = Value; }
  bool AutoThemeAdapt() const { return FAutoThemeAdapt; }
  void SetAutoThemeAdapt(bool Value);
  bool AutoXPStyle() const { return FAutoXPStyle; }
  void SetAutoXPStyle(bool Value) { FAutoXPStyle = Value; }

  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value);
  TColor BorderDownColor() const { return FBorderDownColor; }
  void SetBorderDownColor(TColor Value) { FBorderDownColor = Value; }
  TColor BorderHotColor() const { return FBorderHotColor; }
  void SetBorderHotColor(TColor Value) { FBorderHotColor = Value; }
  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor Value);
  TColor ColorDown() const { return FColorDown; }
  void SetColorDown(TColor Value) { FColorDown = Value; }
  TColor ColorDownTo() const { return FColorDownTo; }
  void SetColorDownTo(TColor Value) { FColorDownTo = Value; }
  TColor ColorHot() const { return FColorHot; }
  void SetColorHot(TColor Value) { FColorHot = Value; }
  TColor ColorHotTo() const { return FColorHotTo; }
  void SetColorHotTo(TColor Value) { FColorHotTo = Value; }
  TColor ColorChecked() const { return FColorChecked; }
  void SetColorChecked(TColor Value);
  TColor ColorCheckedTo() const { return FColorCheckedTo; }
  void SetColorCheckedTo(TColor Value);

  // The glyphs (copied when set). Setting Glyph also makes GlyphDisabled a grey
  // version of it when that is empty.
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* Value);
  TBitmap* GlyphHot() const { return FGlyphHot.get(); }
  void SetGlyphHot(TBitmap* Value);
  TBitmap* GlyphDown() const { return FGlyphDown.get(); }
  void SetGlyphDown(TBitmap* Value);
  TBitmap* GlyphDisabled() const { return FGlyphDisabled.get(); }
  void SetGlyphDisabled(TBitmap* Value);

  // Applies colour look 0..6 (table of looks in ProObj_Button.cpp).
  int Look() const { return FLook; }
  void SetLook(int Value);
  bool MouseInControl() const { return FMouseInControl; }

  TNotifyEvent OnDropDown;

  void Dispatch(TMessage& Message) override;

 protected:
  void Paint() override;
  void Loaded() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void CMMouseEnter(TCMMouseEnterLeave& Message) override;
  void CMMouseLeave(TCMMouseEnterLeave& Message) override;
  void CMEnabledChanged(TMessageView& Message) override;
  void CMDialogChar(TWMKey& Message) override;

 private:
  void UpdateExclusive();
  void ButtonPressed(int Group, TProGridButton* Sender);
  void UpdateTracking();
  void ThemeAdapt();
  void BuildShade();
  void FillFace(TCanvas* C, TRect R, TColor From, TColor To, TColor Frame);
  void DrawGlyphAndCaption(TCanvas* C, TRect R, bool Pressed, bool Hot);

  int FState = 0;
  bool FDown = false;
  int FGroupIndex = 0;
  bool FAllowAllUp = false;
  TProGridButtonStyle FStyle = tasButton;
  bool FFlat = true;
  TButtonLayout FLayout = blGlyphLeft;
  int FMargin = -1;
  int FSpacing = 4;
  bool FShowCaption = true;
  bool FRounded = false;
  bool FShaded = true;
  bool FTransparent = true;
  bool FDropDownButton = false;
  TPopupMenu* FDropDownMenu = nullptr;
  bool FAutoThemeAdapt = false;
  bool FAutoXPStyle = false;
  bool FIsComCtl6 = false;
  bool FDragging = false;
  bool FMouseInControl = false;
  int FLook = -1;
  TColor FBorderColor = clNone;
  TColor FBorderDownColor = clNone;
  TColor FBorderHotColor = clNone;
  TColor FColorTo = clNone;
  TColor FColorDown = 0xD8D3D2;
  TColor FColorDownTo = clNone;
  TColor FColorHot = 0xCAC7C7;
  TColor FColorHotTo = clNone;
  TColor FColorChecked = 0x808080;
  TColor FColorCheckedTo = clNone;
  std::unique_ptr<TBitmap> FGlyph;
  std::unique_ptr<TBitmap> FGlyphHot;
  std::unique_ptr<TBitmap> FGlyphDown;
  std::unique_ptr<TBitmap> FGlyphDisabled;
  std::unique_ptr<TBitmap> FGlyphShade;
};

// ---------------------------------------------------------------------------
// Arrow window

enum TArrowDirection { arrUp, arrDown, arrLeft, arrRight };

// A tiny arrow-shaped pop-up window in one colour (the grid shows four of them
// around the drop place while a column or row is moved).
class TArrowWindow : public TPanel {
 public:
  explicit TArrowWindow(TComponent* AOwner) : TPanel(AOwner) {}
  // Stores the direction, colours the arrow lime, parents it to AOwner and hides it.
  void Init(TWinControl* AOwner, TArrowDirection Direction);
  TArrowDirection Dir() const { return FDir; }
  // The arrow's seven corners in window coordinates.
  const std::vector<TPoint>& Arrow() const { return FArrow; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;

 private:
  TArrowDirection FDir = arrUp;
  std::vector<TPoint> FArrow;
};

// ---------------------------------------------------------------------------
// File picture

// A picture known by its file name; the file is read only to learn its size and
// to draw it.
class TFilePicture : public TPersistent {
 public:
  const QString& Filename() const { return FFilename; }
  // Stores the name and reads the picture's size (0 x 0 when it cannot be read).
  void SetFilename(const QString& Value);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Reads the file and draws it stretched into R; nothing without a name.
  void DrawPicture(TCanvas* Canvas, const TRect& R);
  void Assign(TPersistent* Source) override;

 private:
  QString FFilename;
  int FWidth = 0;
  int FHeight = 0;
};

// ---------------------------------------------------------------------------
// Check box control

// A small owner-drawn check box with a caption, three states and optional
// transparency over its parent. A click (press and release inside), the space
// key (on release) or the caption's accelerator toggle it; ReadOnly keeps the
// state.
class TProCheckBox : public TCustomControl {
 public:
  explicit TProCheckBox(TComponent* AOwner);
  ~TProCheckBox() override;

  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState Value);
  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool Value);
  void SetText(const QString& Value) override;
  TLeftRight Alignment() const { return FAlignment; }
  void SetAlignment(TLeftRight Value);
  TTextLayout ButtonVertAlign() const { return FButtonVertAlign; }
  void SetButtonVertAlign(TTextLayout Value);
  bool Ellipsis() const { return FEllipsis; }
  void SetEllipsis(bool Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool ReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  // Drawn pressed while the mouse button or the space key is held.
  bool Down() const { return FDown; }
  void SetDown(bool Value) { FDown = Value; }
  // Keep the parent's background in a cached picture instead of painting it anew.
  bool TransparentChaching() const { return FTransparentChaching; }
  void SetTransparentChaching(bool Value) { FTransparentChaching = Value; }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // Toggles Checked unless ReadOnly.
  virtual void Toggle();

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;
  void WMEraseBkgnd(TWMEraseBkgnd& Message) override;
  void CMEnabledChanged(TMessageView& Message) override;
  void CMDialogChar(TWMKey& Message) override;
  void CMMouseEnter(TCMMouseEnterLeave& Message) override;
  void CMMouseLeave(TCMMouseEnterLeave& Message) override;
  void CMDialogKey(TWMKey& Message) override;

 private:
  void InvalidateCorner(bool Erase);
  void PaintParentBackground(TCanvas* ACanvas);

  TCheckBoxState FState = cbUnchecked;
  TLeftRight FAlignment = taLeftJustify;
  TTextLayout FButtonVertAlign = tlTop;
  bool FEllipsis = false;
  bool FReadOnly = false;
  bool FReturnIsTab = false;
  bool FTransparent = false;
  bool FDown = false;
  bool FTransparentChaching = false;
  bool FHot = false;
  bool FFocused = false;
  bool FMouseDown = false;
  bool FIsWinXP = false;
  bool FCacheValid = false;
  std::unique_ptr<TBitmap> FBackground;
};

// ---------------------------------------------------------------------------
// Focus glow

// The borderless window laid over the focused cell to show its glow: a disabled
// pop-up that never takes the focus and stays out of the task bar.
class TGridFocusWindow : public TCustomControl {
 public:
  explicit TGridFocusWindow(TComponent* AOwner);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
};

// A 32-bit picture with alpha whose colour channels are premultiplied by it.
class TGridAlphaMask : public TBitmap {
 public:
  TGridAlphaMask();
  Byte Opacity() const { return FOpacity; }
  void SetOpacity(Byte Value) { FOpacity = Value; }
  // From another mask: the opacity and the pixels of the rows both share; from
  // anything else the bitmap's assignment. The result is 32-bit.
  void Assign(TPersistent* Source) override;
  // Fills the mask from a 24-bit picture (Bitmap) and a mask picture whose red
  // channel is the alpha: alpha a, colours Bitmap * a / 255. Nothing happens
  // unless Bitmap is 24-bit. Color has no effect.
  void MergeMask(TBitmap* Mask, TBitmap* Bitmap, TColor Color);

 private:
  Byte FOpacity = 255;
};

// Draws a white rounded rectangle (an outline of PenWidth, or filled when
// PenWidth < 1) on black in a 24-bit Bitmap of Width x Height, blurred with
// Radius when that is above 0.
void CreateRoundRectGlowMask(TBitmap* Bitmap, int Width, int Height, int PenWidth,
                             int CornerSize, int Radius);
// Blurs a 24-bit bitmap in place with a Gaussian kernel of Radius. Rows and
// columns more than 20 pixels from the edges copy row (column) 15: the picture
// must be alike there, as the glow masks are. Another pixel format raises
// Exception "Blur only works for 24-bit bitmaps".
void GaussianBlur24(TBitmap* Bitmap, double Radius);

// Standard controls of the desktop framework: label, edit, memo, group box,
// push button, check box, radio button, list box, combo box and scroll bar.
//
// These controls are drawn by the platform in the classic look and behave as
// the window system's standard controls do. Everything they do goes through
// the message model of Controls.h: input arrives as messages, a class handles
// them in its handlers and whatever reaches DefaultHandler is the "system"
// behaviour of the control (an edit inserting a typed character, a list box
// moving its selection, a button clicking on the space bar's release). So a
// handler, an OnKeyDown/OnKeyPress event or a replaced WindowProc sees every
// key and click first and may change or swallow it, and a derived class that
// paints after the default WM_PAINT draws over the control's own picture.
//
// The controls report to their parent window with WM_COMMAND and the
// notification codes below (EN_CHANGE, BN_CLICKED, LBN_SELCHANGE,
// CBN_DROPDOWN ...); the parent hands them back to the control as CN_COMMAND,
// where the framework's classes turn them into events. As in the framework a
// control reports nothing before its window exists (HandleAllocated).
//
// Text-carrying messages of this layer (EM_REPLACESEL, EM_GETLINE, LB_ADDSTRING,
// CB_ADDSTRING ...) take a QString* in LParam.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "platform/gdi/Graphics.h"

class TEditCore;
class TComboListWindow;

// ------------------------------------------------ styles and messages

// Edit styles.
constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_UPPERCASE = 0x0008;
constexpr DWORD ES_LOWERCASE = 0x0010;
constexpr DWORD ES_PASSWORD = 0x0020;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_NOHIDESEL = 0x0100;
constexpr DWORD ES_OEMCONVERT = 0x0400;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_WANTRETURN = 0x1000;
constexpr DWORD ES_NUMBER = 0x2000;

// Edit messages.
constexpr UINT EM_GETSEL = 0x00B0;           // WParam/LParam: int* start, end; result MAKELONG(start, end)
constexpr UINT EM_SETSEL = 0x00B1;           // WParam start (-1: none), LParam end (-1: text end)
constexpr UINT EM_GETRECT = 0x00B2;          // LParam: TRect*
constexpr UINT EM_SETRECT = 0x00B3;          // LParam: const TRect* (nullptr: the default)
constexpr UINT EM_SETRECTNP = 0x00B4;
constexpr UINT EM_SCROLL = 0x00B5;
constexpr UINT EM_LINESCROLL = 0x00B6;       // LParam: lines
constexpr UINT EM_SCROLLCARET = 0x00B7;
constexpr UINT EM_GETMODIFY = 0x00B8;
constexpr UINT EM_SETMODIFY = 0x00B9;
constexpr UINT EM_GETLINECOUNT = 0x00BA;
constexpr UINT EM_LINEINDEX = 0x00BB;        // WParam: line (-1: the caret's)
constexpr UINT EM_LINELENGTH = 0x00C1;       // WParam: character index
constexpr UINT EM_REPLACESEL = 0x00C2;       // WParam: can undo; LParam: const QString*
constexpr UINT EM_GETLINE = 0x00C4;          // WParam: line; LParam: QString*
constexpr UINT EM_LIMITTEXT = 0x00C5;        // WParam: limit (0: none)
constexpr UINT EM_SETLIMITTEXT = EM_LIMITTEXT;
constexpr UINT EM_CANUNDO = 0x00C6;
constexpr UINT EM_UNDO = 0x00C7;
constexpr UINT EM_LINEFROMCHAR = 0x00C9;     // WParam: character index (-1: the caret's line)
constexpr UINT EM_SETPASSWORDCHAR = 0x00CC;  // WParam: the character (0: none)
constexpr UINT EM_EMPTYUNDOBUFFER = 0x00CD;
constexpr UINT EM_GETFIRSTVISIBLELINE = 0x00CE;
constexpr UINT EM_SETREADONLY = 0x00CF;
constexpr UINT EM_GETPASSWORDCHAR = 0x00D2;
constexpr UINT EM_GETLIMITTEXT = 0x00D5;
constexpr UINT EM_POSFROMCHAR = 0x00D6;      // WParam: index; result MAKELONG(x, y)
constexpr UINT EM_CHARFROMPOS = 0x00D7;      // LParam: MAKELPARAM(x, y); result MAKELONG(index, line)

// Edit notifications (high word of WM_COMMAND's WParam).
constexpr WORD EN_SETFOCUS = 0x0100;
constexpr WORD EN_KILLFOCUS = 0x0200;
constexpr WORD EN_CHANGE = 0x0300;
constexpr WORD EN_UPDATE = 0x0400;
constexpr WORD EN_MAXTEXT = 0x0501;
constexpr WORD EN_HSCROLL = 0x0601;
constexpr WORD EN_VSCROLL = 0x0602;

// Button styles, messages, notifications and states.
constexpr DWORD BS_PUSHBUTTON = 0x0000;
constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
constexpr DWORD BS_CHECKBOX = 0x0002;
constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
constexpr DWORD BS_RADIOBUTTON = 0x0004;
constexpr DWORD BS_3STATE = 0x0005;
constexpr DWORD BS_AUTO3STATE = 0x0006;
constexpr DWORD BS_GROUPBOX = 0x0007;
constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
constexpr DWORD BS_TYPEMASK = 0x000F;
constexpr DWORD BS_LEFTTEXT = 0x0020;
constexpr DWORD BS_MULTILINE = 0x2000;
constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr UINT BM_GETSTATE = 0x00F2;
constexpr UINT BM_SETSTATE = 0x00F3;
constexpr UINT BM_SETSTYLE = 0x00F4;
constexpr UINT BM_CLICK = 0x00F5;
constexpr WORD BN_CLICKED = 0;
constexpr WORD BN_DOUBLECLICKED = 5;
constexpr WPARAM BST_UNCHECKED = 0;
constexpr WPARAM BST_CHECKED = 1;
constexpr WPARAM BST_INDETERMINATE = 2;
constexpr WPARAM BST_PUSHED = 4;
constexpr WPARAM BST_FOCUS = 8;

// List box styles, messages and notifications.
constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_SORT = 0x0002;
constexpr DWORD LBS_OWNERDRAWFIXED = 0x0010;
constexpr DWORD LBS_OWNERDRAWVARIABLE = 0x0020;
constexpr DWORD LBS_HASSTRINGS = 0x0040;
constexpr DWORD LBS_MULTIPLESEL = 0x0008;
constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;
constexpr DWORD LBS_EXTENDEDSEL = 0x0800;
constexpr DWORD LBS_DISABLENOSCROLL = 0x1000;
constexpr UINT LB_ADDSTRING = 0x0180;        // LParam: const QString*
constexpr UINT LB_INSERTSTRING = 0x0181;     // WParam: index; LParam: const QString*
constexpr UINT LB_DELETESTRING = 0x0182;
constexpr UINT LB_RESETCONTENT = 0x0184;
constexpr UINT LB_SETSEL = 0x0185;           // WParam: select; LParam: index (-1: all)
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_GETSEL = 0x0187;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETTEXT = 0x0189;          // WParam: index; LParam: QString*
constexpr UINT LB_GETTEXTLEN = 0x018A;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr UINT LB_GETTOPINDEX = 0x018E;
constexpr UINT LB_GETSELCOUNT = 0x0190;
constexpr UINT LB_SETTOPINDEX = 0x0197;
constexpr UINT LB_GETITEMRECT = 0x0198;      // WParam: index; LParam: TRect*
constexpr UINT LB_GETITEMDATA = 0x0199;
constexpr UINT LB_SETITEMDATA = 0x019A;
constexpr UINT LB_SETCARETINDEX = 0x019E;
constexpr UINT LB_GETCARETINDEX = 0x019F;
constexpr UINT LB_SETITEMHEIGHT = 0x01A0;
constexpr UINT LB_GETITEMHEIGHT = 0x01A1;
constexpr UINT LB_ITEMFROMPOINT = 0x01A9;    // LParam: MAKELPARAM(x, y); result index, high word 1 outside
constexpr LRESULT LB_ERR = -1;
constexpr WORD LBN_SELCHANGE = 1;
constexpr WORD LBN_DBLCLK = 2;
constexpr WORD LBN_SELCANCEL = 3;
constexpr WORD LBN_SETFOCUS = 4;
constexpr WORD LBN_KILLFOCUS = 5;

// Combo box styles, messages and notifications.
constexpr DWORD CBS_SIMPLE = 0x0001;
constexpr DWORD CBS_DROPDOWN = 0x0002;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD CBS_OWNERDRAWFIXED = 0x0010;
constexpr DWORD CBS_OWNERDRAWVARIABLE = 0x0020;
constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
constexpr DWORD CBS_SORT = 0x0100;
constexpr DWORD CBS_HASSTRINGS = 0x0200;
constexpr DWORD CBS_UPPERCASE = 0x2000;
constexpr DWORD CBS_LOWERCASE = 0x4000;
constexpr UINT CB_GETEDITSEL = 0x0140;
constexpr UINT CB_LIMITTEXT = 0x0141;
constexpr UINT CB_SETEDITSEL = 0x0142;       // LParam: MAKELPARAM(start, end)
constexpr UINT CB_ADDSTRING = 0x0143;        // LParam: const QString*
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;        // WParam: index; LParam: QString*
constexpr UINT CB_INSERTSTRING = 0x014A;     // WParam: index; LParam: const QString*
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_FINDSTRING = 0x014C;       // WParam: start after; LParam: const QString*
constexpr UINT CB_SELECTSTRING = 0x014D;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT CB_SHOWDROPDOWN = 0x014F;     // WParam: show
constexpr UINT CB_GETITEMDATA = 0x0150;
constexpr UINT CB_SETITEMDATA = 0x0151;
constexpr UINT CB_GETDROPPEDCONTROLRECT = 0x0152;  // LParam: TRect* (screen)
constexpr UINT CB_SETITEMHEIGHT = 0x0153;    // WParam: -1 the selection field, else the items
constexpr UINT CB_GETITEMHEIGHT = 0x0154;
constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
constexpr UINT CB_FINDSTRINGEXACT = 0x0158;
constexpr UINT CB_GETDROPPEDWIDTH = 0x015F;
constexpr UINT CB_SETDROPPEDWIDTH = 0x0160;
constexpr LRESULT CB_ERR = -1;
constexpr WORD CBN_SELCHANGE = 1;
constexpr WORD CBN_DBLCLK = 2;
constexpr WORD CBN_SETFOCUS = 3;
constexpr WORD CBN_KILLFOCUS = 4;
constexpr WORD CBN_EDITCHANGE = 5;
constexpr WORD CBN_EDITUPDATE = 6;
constexpr WORD CBN_DROPDOWN = 7;
constexpr WORD CBN_CLOSEUP = 8;
constexpr WORD CBN_SELENDOK = 9;
constexpr WORD CBN_SELENDCANCEL = 10;

// Scroll bar styles and messages.
constexpr DWORD SBS_HORZ = 0x0000;
constexpr DWORD SBS_VERT = 0x0001;
constexpr UINT SBM_SETPOS = 0x00E0;
constexpr UINT SBM_GETPOS = 0x00E1;
constexpr UINT SBM_SETRANGE = 0x00E2;
constexpr UINT SBM_GETRANGE = 0x00E3;
constexpr UINT SBM_SETSCROLLINFO = 0x00E9;   // LParam: const SCROLLINFO*
constexpr UINT SBM_GETSCROLLINFO = 0x00EA;   // LParam: SCROLLINFO*

// Owner drawing.
constexpr UINT ODA_DRAWENTIRE = 1;
constexpr UINT ODA_SELECT = 2;
constexpr UINT ODA_FOCUS = 4;
constexpr UINT ODS_SELECTED = 0x0001;
constexpr UINT ODS_GRAYED = 0x0002;
constexpr UINT ODS_DISABLED = 0x0004;
constexpr UINT ODS_CHECKED = 0x0008;
constexpr UINT ODS_FOCUS = 0x0010;
constexpr UINT ODS_DEFAULT = 0x0020;
constexpr UINT ODS_COMBOBOXEDIT = 0x1000;
constexpr UINT ODS_NOFOCUSRECT = 0x0200;

// ------------------------------------------------------------ enumerations

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TEllipsisPosition { epNone, epPathEllipsis, epEndEllipsis, epWordEllipsis };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
using TLeftRight = TAlignment;
enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable, lbVirtual, lbVirtualOwnerDraw };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TOwnerDrawStateItem {
  odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive,
  odNoAccel, odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit
};
using TOwnerDrawState = TSet<TOwnerDrawStateItem, 16>;
enum TScrollCode {
  scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll
};

using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

// ---------------------------------------------------------------- TLabel

// A caption on its parent (no window). "&" marks the accelerator that moves
// the focus to FocusControl (ShowAccelChar); AutoSize fits the label to its
// text (keeping the right edge for right-aligned text
// when not word-wrapped); Transparent (the default) lets the parent show behind
// the text, otherwise the label fills its rectangle with Color.
class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* AOwner);
  ~TCustomLabel() override;

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool Transparent() const { return !FControlStyle.contains(csOpaque); }
  void SetTransparent(bool Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  TEllipsisPosition EllipsisPosition() const { return FEllipsisPosition; }
  void SetEllipsisPosition(TEllipsisPosition Value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);

 protected:
  // The text as drawn (the caption; the framework's GetLabelText).
  virtual QString GetLabelText();
  // Draws the caption with the DT_ flags (DT_CALCRECT measures it).
  virtual void DoDrawText(TRect& Rect, UINT Flags);
  void Paint() override;
  virtual void AdjustBounds();
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CMTextChanged(TMessageView& Message) override;
  void CMFontChanged(TMessageView& Message) override;
  void CMDialogChar(TWMKey& Message) override;
  void CMEnabledChanged(TMessageView& Message) override;

  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
  TTextLayout FLayout = tlTop;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  TEllipsisPosition FEllipsisPosition = epNone;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
};

// ------------------------------------------------------------- TCustomEdit

// A one-line (or, with ES_MULTILINE, multi-line) text field. The text lives in
// the edit itself: Text reads it, typing changes it and fires OnChange
// (EN_CHANGE -> CN_COMMAND -> Change), as does setting Text in code once the
// window exists.
class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* AOwner);
  ~TCustomEdit() override;

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  bool Modified() const;
  void SetModified(bool Value);
  bool NumbersOnly() const { return FNumbersOnly; }
  void SetNumbersOnly(bool Value);
  QChar PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(QChar Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  // Selection: 0-based start and length of the selected characters.
  int SelStart() const;
  virtual void SetSelStart(int Value);
  int SelLength() const;
  virtual void SetSelLength(int Value);
  QString SelText() const;
  void SetSelText(const QString& Value);
  bool CanUndo() const;

  void Clear();
  void ClearSelection();
  void ClearUndo();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Undo();
  void SelectAll();

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void CreateWnd() override;
  QString GetText() const override;
  void DefaultHandler(TMessage& Message) override;
  // Fires OnChange (the framework's Change: the text was changed).
  virtual void Change();
  // The edit's height from its font when AutoSize is on.
  void AdjustHeight();
  // Applies the window style's ES_ flags to the edit.
  void ApplyEditStyle();
  TEditCore* Core() const { return FCore.get(); }

  void WMGetDlgCode(TMessageView& Message) override;
  void CNCommand(TWMCommand& Message) override;
  void CMEnter(TMessageView& Message) override;
  void CMTextChanged(TMessageView& Message) override;
  void CMFontChanged(TMessageView& Message) override;
  void WMSize(TWMSize& Message) override;

  TAlignment FAlignment = taLeftJustify;
  bool FAutoSelect = true;
  bool FAutoSize = true;
  TBorderStyle FBorderStyle = bsSingle;
  TEditCharCase FCharCase = ecNormal;
  bool FHideSelection = true;
  int FMaxLength = 0;
  bool FNumbersOnly = false;
  QChar FPasswordChar;
  bool FReadOnly = false;
  bool FCreating = false;
  std::unique_ptr<TEditCore> FCore;
};

class TEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
};

// ------------------------------------------------------------- TCustomMemo

class TCustomMemo;

// The lines of a memo: each line of its text (a line break ends a line; a
// wrapped line is one line here).
class TMemoStrings : public TStrings {
 public:
  explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const QString& S) override;

 protected:
  QString Get(int Index) const override;
  int GetCount() const override;
  void Put(int Index, const QString& S) override;
  QString GetTextStr() const override;
  void SetTextStr(const QString& Value) override;
  void SetUpdateState(bool Updating) override;

 private:
  QStringList Split() const;
  void Join(const QStringList& Lines, bool TrailingBreak);
  TCustomMemo* FMemo;
};

// A multi-line edit: Lines, scroll bars, word wrap, Enter and Tab typed into the text.
class TCustomMemo : public TCustomEdit {
 public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;

  TStrings* Lines() const { return FLines.get(); }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  // The caret as (column, line), both 0-based over the text's lines.
  TPoint CaretPos() const;
  void SetCaretPos(const TPoint& Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WMGetDlgCode(TMessageView& Message) override;
  void KeyPress(QChar& Key) override;

  std::unique_ptr<TMemoStrings> FLines;
  TScrollStyle FScrollBars = ssNone;
  bool FWantReturns = true;
  bool FWantTabs = false;
  bool FWordWrap = true;

 private:
  friend class TMemoStrings;
};

class TMemo : public TCustomMemo {
 public:
  using TCustomMemo::TCustomMemo;
};

// ---------------------------------------------------------------- group box

// A frame with a caption around other controls.
class TCustomGroupBox : public TCustomControl {
 public:
  explicit TCustomGroupBox(TComponent* AOwner);
  ~TCustomGroupBox() override;

 protected:
  void AdjustClientRect(TRect& Rect) override;
  void Paint() override;
  void CMDialogChar(TWMKey& Message) override;
  void CMTextChanged(TMessageView& Message) override;
  void CMFontChanged(TMessageView& Message) override;
};

class TGroupBox : public TCustomGroupBox {
 public:
  using TCustomGroupBox::TCustomGroupBox;
};

// ------------------------------------------------------------------ buttons

// The base of push buttons, check boxes and radio buttons.
class TButtonControl : public TWinControl {
 public:
  explicit TButtonControl(TComponent* AOwner);
  ~TButtonControl() override;
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

 protected:
  // Checked state of check and radio boxes.
  virtual bool GetChecked() const { return false; }
  virtual void SetChecked(bool) {}
  // True while setting the state from code must not fire OnClick.
  bool ClicksDisabled() const { return FClicksDisabled; }
  void SetClicksDisabled(bool Value) { FClicksDisabled = Value; }
  void DefaultHandler(TMessage& Message) override;
  // Draws the face of the button (default WM_PAINT).
  virtual void PaintButton(HDC DC) = 0;
  // What the space bar and a click do once released over the button.
  void NotifyClicked();
  void WMKillFocus(TWMKillFocus& Message) override;
  void CMEnabledChanged(TMessageView& Message) override;
  void CMTextChanged(TMessageView& Message) override;
  void CMFontChanged(TMessageView& Message) override;

  bool FWordWrap = false;
  bool FClicksDisabled = false;
  bool FPushed = false;      // drawn pushed (mouse held over it or space held)
  bool FMouseHeld = false;   // the left button went down on it
  bool FSpaceHeld = false;
};

// A push button. A click (mouse released over it, space bar released, Enter
// when it is the active default button, Escape for a Cancel button, its
// accelerator) sets the form's ModalResult to the button's (closing a modal
// form after OnClick has run) and then fires OnClick.
class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* AOwner);
  ~TButton() override;

  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  void Click() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void PaintButton(HDC DC) override;
  void WMGetDlgCode(TMessageView& Message) override;
  void CNCommand(TWMCommand& Message) override;
  void CMDialogKey(TWMKey& Message) override;
  void CMDialogChar(TWMKey& Message) override;
  void CMFocusChanged(TCMFocusChanged& Message) override;

  bool FDefault = false;
  bool FCancel = false;
  bool FActive = false;  // the button Enter clicks (focused, or the default one)
  TModalResult FModalResult = 0;
};

// A check box. Toggling by click, space or accelerator, and setting Checked or
// State in code, fire OnClick (the framework's behaviour).
class TCustomCheckBox : public TButtonControl {
 public:
  explicit TCustomCheckBox(TComponent* AOwner);
  ~TCustomCheckBox() override;

  TLeftRight Alignment() const { return FAlignment; }
  void SetAlignment(TLeftRight Value);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState Value);
  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }

 protected:
  bool GetChecked() const override { return Checked(); }
  // Unchecked -> grayed (AllowGrayed) or checked -> unchecked; grayed -> checked.
  virtual void Toggle();
  void CreateParams(TCreateParams& Params) override;
  void PaintButton(HDC DC) override;
  void CNCommand(TWMCommand& Message) override;
  void CMDialogChar(TWMKey& Message) override;
  void WMGetDlgCode(TMessageView& Message) override;

  TLeftRight FAlignment = taRightJustify;
  bool FAllowGrayed = false;
  TCheckBoxState FState = cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
 public:
  using TCustomCheckBox::TCustomCheckBox;
};

// A radio button: checking it unchecks the other radio buttons of its parent
// and fires OnClick; moving onto it with the arrow keys checks it.
class TRadioButton : public TButtonControl {
 public:
  explicit TRadioButton(TComponent* AOwner);
  ~TRadioButton() override;

  TLeftRight Alignment() const { return FAlignment; }
  void SetAlignment(TLeftRight Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value) override;

 protected:
  bool GetChecked() const override { return FChecked; }
  void CreateParams(TCreateParams& Params) override;
  void PaintButton(HDC DC) override;
  void CNCommand(TWMCommand& Message) override;
  void CMDialogChar(TWMKey& Message) override;
  void WMGetDlgCode(TMessageView& Message) override;
  void WMSetFocus(TWMSetFocus& Message) override;

  TLeftRight FAlignment = taRightJustify;
  bool FChecked = false;
};

// ---------------------------------------------------------------- list box

class TCustomListBox;

// The items of a list box.
class TListBoxStrings : public TStrings {
 public:
  explicit TListBoxStrings(TCustomListBox* ListBox) : FListBox(ListBox) {}
  int Add(const QString& S) override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const QString& S) override;
  void Exchange(int Index1, int Index2) override;
  void Move(int CurIndex, int NewIndex) override;

 protected:
  QString Get(int Index) const override;
  int GetCount() const override;
  TObject* GetObject(int Index) const override;
  void Put(int Index, const QString& S) override;
  void PutObject(int Index, TObject* AObject) override;
  void SetUpdateState(bool Updating) override;

 private:
  TCustomListBox* FListBox;
};

// A list of items, one or several selected. A selection made by the user fires
// OnClick (LBN_SELCHANGE), a double click OnDblClick (LBN_DBLCLK); setting
// ItemIndex or Selected in code fires nothing.
class TCustomListBox : public TWinControl {
 public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  int Count() const { return static_cast<int>(FEntries.size()); }
  int ItemIndex() const;
  void SetItemIndex(int Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool ExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool Value) { FExtendedSelect = Value; }
  bool Selected(int Index) const;
  void SetSelected(int Index, bool Value);
  int SelCount() const;
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  int TopIndex() const { return FTopIndex; }
  void SetTopIndex(int Value);
  int ItemHeight() const;
  void SetItemHeight(int Value);
  TListBoxStyle Style() const { return FListStyle; }
  void SetStyle(TListBoxStyle Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  bool IntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool Value) { FIntegralHeight = Value; }
  TCanvas* Canvas() const { return FCanvas.get(); }

  // The item at a client point, -1 when none (with Existing) or the nearest
  // position past the last item (without).
  int ItemAtPos(const TPoint& Pos, bool Existing) const;
  TRect ItemRect(int Index) const;
  void Clear();
  void ClearSelection();
  void SelectAll();
  void DeleteSelected();
  void AddItem(const QString& Item, TObject* AObject);

  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

 protected:
  struct TEntry {
    QString Text;
    TObject* Object = nullptr;
    bool Selected = false;
    int Height = 0;  // owner-draw variable
    bool Enabled = true;
    int State = 0;   // check-list state
  };
  friend class TListBoxStrings;
  friend class TComboListWindow;

  void CreateParams(TCreateParams& Params) override;
  void DefaultHandler(TMessage& Message) override;
  void WMGetDlgCode(TMessageView& Message) override;
  void CNCommand(TWMCommand& Message) override;
  void WMSize(TWMSize& Message) override;
  void CMFontChanged(TMessageView& Message) override;
  // Draws one item (owner-draw styles: OnDrawItem; standard: its text).
  virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);
  // Where the item's text starts (room for a check box in a check list).
  virtual int ItemTextOffset() const { return 0; }
  // A click on an item at the client point (before the selection follows it);
  // true when the click is taken (check lists toggle their boxes here).
  virtual bool ItemClicked(int Index, const TPoint& Pos) { (void)Index; (void)Pos; return false; }
  // The space bar on the caret item; true when taken.
  virtual bool ItemSpace(int Index) { (void)Index; return false; }
  virtual void DeleteEntry(int Index) { (void)Index; }

  int InsertEntry(int Index, const QString& S, TObject* O);
  void RemoveEntry(int Index);
  void ClearEntries();
  void ItemsChanged();
  int SortedPosition(const QString& S) const;
  int EntryHeight(int Index) const;
  int VisibleCount() const;
  void EnsureVisible(int Index);
  void UpdateScrollBar();
  void SelectFromUser(int Index, bool Shift, bool Ctrl, bool Toggle);
  void NotifySelChange();
  void PaintList(HDC DC);
  void MoveCaretBy(int Delta, TShiftState Shift);

  std::unique_ptr<TListBoxStrings> FItems;
  std::vector<TEntry> FEntries;
  std::unique_ptr<TCanvas> FCanvas;
  int FCaretIndex = -1;   // the focused item (the selected one in single selection)
  int FAnchorIndex = -1;  // start of a Shift range
  int FTopIndex = 0;
  int FItemHeight = 0;    // 0: from the font
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
  bool FSorted = false;
  bool FIntegralHeight = false;
  TListBoxStyle FListStyle = lbStandard;
  TBorderStyle FBorderStyle = bsSingle;
  bool FTracking = false;
  int FUpdating = 0;
  bool FInDropDown = false;  // the list of a combo box
  QString FSearch;           // typed prefix
};

class TListBox : public TCustomListBox {
 public:
  using TCustomListBox::TCustomListBox;
};

// ---------------------------------------------------------------- combo box

class TCustomComboBox;

// The items of a combo box.
class TComboBoxStrings : public TStrings {
 public:
  explicit TComboBoxStrings(TCustomComboBox* ComboBox) : FComboBox(ComboBox) {}
  int Add(const QString& S) override;
  void Clear() override;
  void Delete(int Index) override;
  void Insert(int Index, const QString& S) override;
  int IndexOf(const QString& S) const override;

 protected:
  QString Get(int Index) const override;
  int GetCount() const override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void Put(int Index, const QString& S) override;

 private:
  TCustomComboBox* FComboBox;
};

// A combo box: a selection field (an edit for csDropDown and csSimple) with a
// button that drops down the list of Items (always shown for csSimple).
// Picking an item from the list fires, in this order: OnClick, OnSelect (or,
// when OnSelect is not set, OnChange), then OnCloseUp when the list closes;
// typing into the edit fires OnChange. Opening the list fires OnDropDown.
// Setting ItemIndex or Text in code fires nothing.
class TCustomComboBox : public TWinControl {
 public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  TComboBoxStyle Style() const { return FComboStyle; }
  void SetStyle(TComboBoxStyle Value);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value) { FDropDownCount = std::max(1, Value); }
  bool DroppedDown() const;
  void SetDroppedDown(bool Value);
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  bool AutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(bool Value) { FAutoComplete = Value; }
  bool AutoDropDown() const { return FAutoDropDown; }
  void SetAutoDropDown(bool Value) { FAutoDropDown = Value; }
  bool AutoCloseUp() const { return FAutoCloseUp; }
  void SetAutoCloseUp(bool Value) { FAutoCloseUp = Value; }
  // Height of the items of the list (owner-draw styles use it for the field too).
  int ItemHeight() const;
  void SetItemHeight(int Value);
  int SelStart() const;
  void SetSelStart(int Value);
  int SelLength() const;
  void SetSelLength(int Value);
  QString SelText() const;
  void SetSelText(const QString& Value);
  void SelectAll();
  void Clear();
  void AddItem(const QString& Item, TObject* AObject);
  TCanvas* Canvas() const { return FCanvas.get(); }
  // The list's width (0: the combo's).
  int DropDownWidth() const { return FDropWidth; }
  // The drop-down list (a list box in a pop-up window), for owners and tests.
  TCustomListBox* DropDownList() const;

  TNotifyEvent OnChange;
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

 protected:
  friend class TComboBoxStrings;
  friend class TComboListWindow;

  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  QString GetText() const override;
  void DefaultHandler(TMessage& Message) override;
  void WMGetDlgCode(TMessageView& Message) override;
  void CNCommand(TWMCommand& Message) override;
  void CMTextChanged(TMessageView& Message) override;
  void CMFontChanged(TMessageView& Message) override;
  void CMEnabledChanged(TMessageView& Message) override;
  void CMExit(TMessageView& Message) override;
  void WMSize(TWMSize& Message) override;

  // The framework's overridable steps.
  virtual void Change();
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();
  virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);

  // The selection field's height (CB_SETITEMHEIGHT -1) and the whole closed height.
  int FieldHeight() const;
  int ClosedHeight() const;
  TRect ButtonRect() const;
  TRect EditRect() const;
  bool HasEdit() const { return FComboStyle == csDropDown || FComboStyle == csSimple; }
  void Notify(WORD Code);
  void ShowList(bool Show, bool Notify);
  void ListPicked(int Index, bool CloseList);
  void SelectIndex(int Index, bool FromUser);
  void PaintCombo(HDC DC);
  void LayoutSimpleList();
  int FindPrefix(const QString& Prefix, int After) const;
  void ApplyEditStyle();

  std::unique_ptr<TComboBoxStrings> FItems;
  std::vector<QString> FTexts;
  std::vector<TObject*> FObjects;
  std::unique_ptr<TCanvas> FCanvas;
  std::unique_ptr<TEditCore> FEdit;
  TComboListWindow* FList = nullptr;
  int FItemIndex = -1;
  TComboBoxStyle FComboStyle = csDropDown;
  int FDropDownCount = 8;
  bool FSorted = false;
  int FMaxLength = 0;
  TEditCharCase FCharCase = ecNormal;
  bool FAutoComplete = true;
  bool FAutoDropDown = false;
  bool FAutoCloseUp = false;
  int FItemHeight = 0;       // 0: from the font
  int FFieldHeight = 0;      // 0: from the font
  int FDropWidth = 0;
  int FRequestedHeight = 0;  // csSimple: the whole height
  bool FButtonDown = false;  // the button drawn pressed
  bool FDroppedByMouse = false;
  QString FSearch;
  int64_t FSearchTime = 0;
};

class TComboBox : public TCustomComboBox {
 public:
  using TCustomComboBox::TCustomComboBox;
};

// --------------------------------------------------------------- scroll bar

// A scroll bar control. Using it sends WM_HSCROLL / WM_VSCROLL to its parent,
// which hands it back as CN_HSCROLL / CN_VSCROLL: OnScroll sees the code and the
// new position (and may change it), then Position follows, within Min .. Max.
// A change of Position, by the user or in code, fires OnChange.
class TScrollBar : public TWinControl {
 public:
  explicit TScrollBar(TComponent* AOwner);
  ~TScrollBar() override;

  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  int Min() const { return FMin; }
  void SetMin(int Value) { SetParams(FPosition, Value, FMax); }
  int Max() const { return FMax; }
  void SetMax(int Value) { SetParams(FPosition, FMin, Value); }
  int Position() const { return FPosition; }
  void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
  int PageSize() const { return FPageSize; }
  void SetPageSize(int Value);
  int SmallChange() const { return FSmallChange; }
  void SetSmallChange(int Value) { FSmallChange = Value; }
  int LargeChange() const { return FLargeChange; }
  void SetLargeChange(int Value) { FLargeChange = Value; }
  // Sets position and range together; EInvalidOperation "Scroll bar property
  // out of range" when Max < Min.
  void SetParams(int APosition, int AMin, int AMax);

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void DefaultHandler(TMessage& Message) override;
  void CNHScroll(TWMScroll& Message);
  void CNVScroll(TWMScroll& Message);
  void Dispatch(TMessage& Message) override;
  virtual void Change();
  virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);
  void DoScroll(TWMScroll& Message);

  // Parts of the bar: 0 none, 1 first arrow, 2 track before the thumb, 3 thumb,
  // 4 track after, 5 second arrow.
  int HitPart(const TPoint& P) const;
  void PartRects(TRect& First, TRect& Before, TRect& Thumb, TRect& After, TRect& Second) const;
  void SendScroll(int Code, int Pos);
  void PaintBar(HDC DC);
  int MaxPos() const;

  TScrollBarKind FKind = sbHorizontal;
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FPageSize = 0;
  int FSmallChange = 1;
  int FLargeChange = 1;
  int FPressedPart = 0;
  bool FPressedIn = false;
  int FTrackPos = 0;
  int FDragOffset = 0;
};

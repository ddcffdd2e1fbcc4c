// Common controls of the desktop framework: the page control with its tab
// sheets, the track bar, the date/time picker (with its month calendar) and the
// rich edit (plain text with sub- and superscript runs; RTF in and out).
//
// Like the standard controls (StdCtrls.h) they are drawn by the platform and
// driven by their messages. They notify their parent with WM_NOTIFY (the date
// picker's DTN_ codes, the rich edit's EN_SELCHANGE and EN_REQUESTRESIZE) or
// WM_HSCROLL / WM_VSCROLL (the track bar); the parent hands these back as
// CN_NOTIFY, CN_HSCROLL, CN_VSCROLL, where the classes fire their events.
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/ui/Controls.h"
#include "platform/widgets/StdCtrls.h"
#include "platform/rtl/SysUtils.h"

class TMonthCalendarWindow;
class TImageList;

// A date set in code outside MinDate .. MaxDate.
class EDateTimeError : public Exception {
 public:
  using Exception::Exception;
};

// ------------------------------------------------------------ page control

class TPageControl;
using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;
enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle { tsTabs, tsButtons, tsFlatButtons };

// One page of a page control: a container shown while its tab is selected.
class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  void SetParent(TWinControl* AParent) override;

  TPageControl* PageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* Value);
  // Position among the pages of its page control.
  int PageIndex() const;
  void SetPageIndex(int Value);
  // Position among the visible tabs, -1 when its tab is hidden.
  int TabIndex() const;
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  bool Highlighted() const { return FHighlighted; }
  void SetHighlighted(bool Value);

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

 protected:
  friend class TPageControl;
  void CMTextChanged(TMessageView& Message) override;
  void CMShowingChanged(TMessageView& Message) override;
  void WMEraseBkgnd(TWMEraseBkgnd& Message) override;
  virtual void DoShow();
  virtual void DoHide();

  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  int FImageIndex = -1;
  bool FHighlighted = false;
};

// Pages behind a row of tabs. A tab clicked (or Ctrl+Tab, or the arrow keys
// while the control has the focus) asks OnChanging, then shows its page and
// fires OnChange; setting ActivePage in code fires neither.
class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;

  TTabSheet* ActivePage() const { return FActivePage; }
  void SetActivePage(TTabSheet* Value);
  int ActivePageIndex() const;
  void SetActivePageIndex(int Value);
  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int Index) const;
  // Index of the selected tab among the visible ones (-1 none).
  int TabIndex() const;
  void SetTabIndex(int Value);
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value) { FMultiLine = Value; Invalidate(); }
  TTabPosition TabPosition() const { return FTabPosition; }
  void SetTabPosition(TTabPosition Value);
  TTabStyle Style() const { return FTabStyle; }
  void SetStyle(TTabStyle Value) { FTabStyle = Value; Invalidate(); }
  int TabHeight() const { return FTabHeight; }
  void SetTabHeight(int Value);
  int TabWidth() const { return FTabWidth; }
  void SetTabWidth(int Value);
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value) { FHotTrack = Value; }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  // The page after (or before) CurPage, wrapping around.
  TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;
  // Selects the next page as the user would (OnChanging, OnChange).
  void SelectNextPage(bool GoForward, bool CheckTabVisible = true);
  // The rectangle of a visible tab (client coordinates).
  TRect TabRect(int TabIndex);
  // The tab at a client point, -1 when none.
  int IndexOfTabAt(int X, int Y);
  // The area the pages take.
  TRect DisplayRect();

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

 protected:
  friend class TTabSheet;
  void AdjustClientRect(TRect& Rect) override;
  void DefaultHandler(TMessage& Message) override;
  void WMGetDlgCode(TMessageView& Message) override;
  void CMDialogKey(TWMKey& Message) override;
  void CMFontChanged(TMessageView& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual bool CanChange();
  virtual void Change();
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  void ChangeActivePage(TTabSheet* Page);
  void UpdateTabs();
  std::vector<TTabSheet*> VisibleTabs() const;
  void LayoutTabs();
  void PaintTabs(HDC DC);
  int RowHeight();

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  bool FMultiLine = false;
  TTabPosition FTabPosition = tpTop;
  TTabStyle FTabStyle = tsTabs;
  int FTabHeight = 0;
  int FTabWidth = 0;
  bool FHotTrack = false;
  TImageList* FImages = nullptr;
  std::vector<TRect> FTabRects;  // per visible tab
  int FFirstTab = 0;             // first tab shown when they do not fit
};

// ------------------------------------------------------------ track bar

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickStyle { tsNone, tsAuto, tsManual };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };

constexpr WORD TB_LINEUP = 0;
constexpr WORD TB_LINEDOWN = 1;
constexpr WORD TB_PAGEUP = 2;
constexpr WORD TB_PAGEDOWN = 3;
constexpr WORD TB_THUMBPOSITION = 4;
constexpr WORD TB_THUMBTRACK = 5;
constexpr WORD TB_TOP = 6;
constexpr WORD TB_BOTTOM = 7;
constexpr WORD TB_ENDTRACK = 8;
constexpr UINT TBM_GETPOS = WM_USER;
constexpr UINT TBM_SETPOS = WM_USER + 5;     // WParam: redraw; LParam: position

// A slider. The user moves it with the mouse and the keys (the parent hears
// WM_HSCROLL / WM_VSCROLL with the TB_ codes), which fires OnChange; setting
// Position in code fires nothing.
class TTrackBar : public TWinControl {
 public:
  explicit TTrackBar(TComponent* AOwner);
  ~TTrackBar() override;

  TTrackBarOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TTrackBarOrientation Value);
  int Min() const { return FMin; }
  void SetMin(int Value);
  int Max() const { return FMax; }
  void SetMax(int Value);
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  int Frequency() const { return FFrequency; }
  void SetFrequency(int Value);
  int LineSize() const { return FLineSize; }
  void SetLineSize(int Value) { FLineSize = std::max(1, Value); }
  int PageSize() const { return FPageSize; }
  void SetPageSize(int Value) { FPageSize = std::max(1, Value); }
  TTickStyle TickStyle() const { return FTickStyle; }
  void SetTickStyle(TTickStyle Value);
  TTickMark TickMarks() const { return FTickMarks; }
  void SetTickMarks(TTickMark Value);
  int SelStart() const { return FSelStart; }
  void SetSelStart(int Value);
  int SelEnd() const { return FSelEnd; }
  void SetSelEnd(int Value);
  int ThumbLength() const { return FThumbLength; }
  void SetThumbLength(int Value);
  bool SliderVisible() const { return FSliderVisible; }
  void SetSliderVisible(bool Value);
  bool ShowSelRange() const { return FShowSelRange; }
  void SetShowSelRange(bool Value);
  // Ticks of tsManual.
  void SetTick(int Value);
  void ClearTicks();

  TNotifyEvent OnChange;

 protected:
  void DefaultHandler(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void WMGetDlgCode(TMessageView& Message) override;
  virtual void Changed();
  TRect ChannelRect() const;
  TRect ThumbRect() const;
  int PosFromPoint(const TPoint& P) const;
  int Coord(int Pos) const;
  void UserMove(int NewPos, WORD Code);
  void Notify(WORD Code);
  void PaintTrack(HDC DC);

  TTrackBarOrientation FOrientation = trHorizontal;
  int FMin = 0;
  int FMax = 10;
  int FPosition = 0;
  int FFrequency = 1;
  int FLineSize = 1;
  int FPageSize = 2;
  TTickStyle FTickStyle = tsAuto;
  TTickMark FTickMarks = tmBottomRight;
  int FSelStart = 0;
  int FSelEnd = 0;
  int FThumbLength = 20;
  bool FSliderVisible = true;
  bool FShowSelRange = true;
  std::vector<int> FTicks;
  bool FDragging = false;
  int FDragOffset = 0;
  int FPageDir = 0;  // repeating page step while the mouse is held on the channel
};

// ------------------------------------------------------------ date/time picker

struct SYSTEMTIME {
  WORD wYear = 0;
  WORD wMonth = 0;
  WORD wDayOfWeek = 0;
  WORD wDay = 0;
  WORD wHour = 0;
  WORD wMinute = 0;
  WORD wSecond = 0;
  WORD wMilliseconds = 0;
};
using TSystemTime = SYSTEMTIME;
void DateTimeToSystemTime(double DateTime, SYSTEMTIME& SystemTime);
double SystemTimeToDateTime(const SYSTEMTIME& SystemTime);

// Notifications of the date picker (NMHDR codes of WM_NOTIFY).
constexpr UINT DTN_CLOSEUP = static_cast<UINT>(-753);
constexpr UINT DTN_DROPDOWN = static_cast<UINT>(-754);
constexpr UINT DTN_DATETIMECHANGE = static_cast<UINT>(-759);
constexpr DWORD GDT_ERROR = static_cast<DWORD>(-1);
constexpr DWORD GDT_VALID = 0;
constexpr DWORD GDT_NONE = 1;
constexpr UINT DTM_GETSYSTEMTIME = 0x1001;    // LParam: SYSTEMTIME*; result GDT_
constexpr UINT DTM_SETSYSTEMTIME = 0x1002;    // WParam: GDT_; LParam: const SYSTEMTIME*
constexpr UINT DTM_GETMONTHCAL = 0x1008;     // result: the month calendar's window while dropped down
constexpr UINT DTM_CLOSEMONTHCAL = 0x100D;
// The month calendar: its minimum client rectangle for one month with its
// present styles, without the one-pixel border (LParam: TRect*), and the
// styles that change what it shows (GWL_STYLE; reset at every drop-down).
constexpr UINT MCM_GETMINREQRECT = 0x1009;
constexpr DWORD MCS_WEEKNUMBERS = 0x0004;     // a column of week numbers
constexpr DWORD MCS_NOTODAYCIRCLE = 0x0008;   // no red mark on today's date
constexpr DWORD MCS_NOTODAY = 0x0010;         // no "Today:" line below the days
// WM_NOTIFY of DTN_DATETIMECHANGE.
struct NMDATETIMECHANGE {
  NMHDR nmhdr;
  DWORD dwFlags = GDT_VALID;
  SYSTEMTIME st;
};

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };
enum TDTDateFormat { dfShort, dfLong };
enum TDTCalAlignment { dtaLeft, dtaRight };

// A date or a time shown in fields: a click or Left/Right picks a field, digits
// type into it, Up/Down step it; in dmComboBox a button (Alt+Down, F4) drops
// down a month calendar (OnDropDown; a day clicked or Enter picks it and closes
// it: OnChange, then OnCloseUp). The calendar exists, placed but not yet shown,
// while DTN_DROPDOWN is handled (DroppedDown is true then): DTM_GETMONTHCAL gives
// its window, whose MCS_ styles and size the handler may change. With
// ShowCheckbox a box before the text turns the value on or off (Checked). Every change the user makes fires OnChange;
// setting the value in code fires nothing. Values stay within MinDate..MaxDate
// (0: no limit).
class TDateTimePicker : public TWinControl {
 public:
  explicit TDateTimePicker(TComponent* AOwner);
  ~TDateTimePicker() override;

  // The date part (whole days) and the time part (fraction) of DateTime.
  double Date() const;
  void SetDate(double Value);
  double Time() const;
  void SetTime(double Value);
  double DateTime() const { return FDateTime; }
  void SetDateTime(double Value);
  TDateTimeKind Kind() const { return FKind; }
  void SetKind(TDateTimeKind Value);
  TDTDateMode DateMode() const { return FDateMode; }
  void SetDateMode(TDTDateMode Value);
  TDTDateFormat DateFormat() const { return FDateFormat; }
  void SetDateFormat(TDTDateFormat Value);
  // The window system's format: d dd ddd dddd, M MM MMM MMMM, y yy yyyy, h hh
  // H HH, m mm, s ss, t tt, 'text'. Empty: the locale's short or long date, or time.
  const QString& Format() const { return FFormat; }
  void SetFormat(const QString& Value);
  bool ShowCheckbox() const { return FShowCheckbox; }
  void SetShowCheckbox(bool Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  double MinDate() const { return FMinDate; }
  void SetMinDate(double Value);
  double MaxDate() const { return FMaxDate; }
  void SetMaxDate(double Value);
  TDTCalAlignment CalAlignment() const { return FCalAlignment; }
  void SetCalAlignment(TDTCalAlignment Value) { FCalAlignment = Value; }
  bool DroppedDown() const;
  void SetDroppedDown(bool Value);
  // The text as shown.
  QString DisplayText() const;
  // The month calendar while dropped down (for tests), else nullptr.
  TCustomControl* CalendarWindow() const;

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

 protected:
  friend class TMonthCalendarWindow;
  struct TField {
    QString Code;   // "dd", "MMMM", "'text'" ...
    bool Literal = false;
    TRect Bounds;
  };
  void CreateParams(TCreateParams& Params) override;
  void DefaultHandler(TMessage& Message) override;
  void WMGetDlgCode(TMessageView& Message) override;
  void CNNotify(TMessageView& Message) override;
  void CMFontChanged(TMessageView& Message) override;
  void CMExit(TMessageView& Message) override;
  virtual void Change();
  virtual void DropDown();
  virtual void CloseUp();

  QString EffectiveFormat() const;
  void ParseFormat();
  QString FieldText(const TField& F) const;
  void LayoutFields(HDC DC);
  TRect ButtonRect() const;
  TRect CheckRect() const;
  void UserChange(double Value);
  void StepField(int Field, int Delta);
  void TypeDigit(int Field, int Digit);
  int NextField(int From, int Dir) const;
  void ShowCalendar(bool Show);
  void CalendarPicked(double Day);
  void NotifyParent(UINT Code);
  void PaintPicker(HDC DC);
  double Clamp(double Value) const;

  double FDateTime = 0;
  TDateTimeKind FKind = dtkDate;
  TDTDateMode FDateMode = dmComboBox;
  TDTDateFormat FDateFormat = dfShort;
  QString FFormat;
  bool FShowCheckbox = false;
  bool FChecked = true;
  double FMinDate = 0;
  double FMaxDate = 0;
  TDTCalAlignment FCalAlignment = dtaLeft;
  std::vector<TField> FFields;
  int FCurField = -1;
  int FTyped = 0;        // digits typed into the current field
  int FTypedValue = 0;
  bool FButtonDown = false;
  int FSpinDown = 0;     // 1 up, -1 down while the spin button is held
  TMonthCalendarWindow* FCalendar = nullptr;
  bool FDropping = false;  // DTN_DROPDOWN is being handled
};

// ------------------------------------------------------------ rich edit

// Rich edit messages and notifications (the subset this platform carries).
constexpr UINT EM_EXGETSEL = WM_USER + 52;      // LParam: CHARRANGE*
constexpr UINT EM_EXSETSEL = WM_USER + 55;      // LParam: const CHARRANGE*
constexpr UINT EM_FORMATRANGE = WM_USER + 57;   // WParam: draw; LParam: FORMATRANGE* (nullptr frees)
constexpr UINT EM_GETCHARFORMAT = WM_USER + 58; // WParam: SCF_SELECTION or 0; LParam: CHARFORMAT2*
constexpr UINT EM_GETEVENTMASK = WM_USER + 59;
constexpr UINT EM_REQUESTRESIZE = WM_USER + 65;
constexpr UINT EM_SETBKGNDCOLOR = WM_USER + 67;
constexpr UINT EM_SETCHARFORMAT = WM_USER + 68; // WParam: SCF_ flags; LParam: const CHARFORMAT2*
constexpr UINT EM_SETEVENTMASK = WM_USER + 69;
constexpr UINT EM_GETTEXTRANGE = WM_USER + 75;  // LParam: TEXTRANGE*
constexpr UINT EN_REQUESTRESIZE = 0x0701;       // WM_NOTIFY code (REQRESIZE)
constexpr UINT EN_SELCHANGE = 0x0702;           // WM_NOTIFY code (SELCHANGE)
constexpr DWORD ENM_CHANGE = 0x00000001;
constexpr DWORD ENM_UPDATE = 0x00000002;
constexpr DWORD ENM_SCROLL = 0x00000004;
constexpr DWORD ENM_REQUESTRESIZE = 0x00040000;
constexpr DWORD ENM_SELCHANGE = 0x00080000;
constexpr WPARAM SCF_DEFAULT = 0x0000;
constexpr WPARAM SCF_SELECTION = 0x0001;
constexpr WPARAM SCF_ALL = 0x0004;
constexpr DWORD CFM_BOLD = 0x00000001;
constexpr DWORD CFM_ITALIC = 0x00000002;
constexpr DWORD CFM_UNDERLINE = 0x00000004;
constexpr DWORD CFM_STRIKEOUT = 0x00000008;
constexpr DWORD CFM_SIZE = 0x80000000;
constexpr DWORD CFM_COLOR = 0x40000000;
constexpr DWORD CFM_FACE = 0x20000000;
constexpr DWORD CFM_OFFSET = 0x10000000;
constexpr DWORD CFE_BOLD = 0x0001;
constexpr DWORD CFE_ITALIC = 0x0002;
constexpr DWORD CFE_UNDERLINE = 0x0004;
constexpr DWORD CFE_STRIKEOUT = 0x0008;
constexpr DWORD CFE_AUTOCOLOR = 0x40000000;

struct CHARRANGE {
  int32_t cpMin = 0;
  int32_t cpMax = 0;
};
// The character format record (sizes and offsets in twips).
struct CHARFORMAT2 {
  UINT cbSize = sizeof(CHARFORMAT2);
  DWORD dwMask = 0;
  DWORD dwEffects = 0;
  int32_t yHeight = 0;
  int32_t yOffset = 0;
  COLORREF crTextColor = 0;
  Byte bCharSet = 0;
  Byte bPitchAndFamily = 0;
  QString szFaceName;
};
using CHARFORMAT = CHARFORMAT2;
struct FORMATRANGE {
  HDC hdc = nullptr;
  HDC hdcTarget = nullptr;
  TRect rc;      // twips
  TRect rcPage;  // twips
  CHARRANGE chrg;
};
struct REQRESIZE {
  NMHDR nmhdr;
  TRect rc;
};
struct SELCHANGE {
  NMHDR nmhdr;
  CHARRANGE chrg;
  WORD seltyp = 0;
};
struct TEXTRANGE {
  CHARRANGE chrg;
  QString* lpstrText = nullptr;
};

class TCustomRichEdit;

// Character attributes of a rich edit. This platform keeps one font for the
// whole text (so name, size, style and colour apply to all of it) and, per
// character, the vertical offset of sub- and superscript.
class TTextAttributes : public TPersistent {
 public:
  TTextAttributes(TCustomRichEdit* RichEdit, bool Selection);
  QString Name() const;
  void SetName(const QString& Value);
  int Size() const;
  void SetSize(int Value);
  int Height() const;
  void SetHeight(int Value);
  TFontStyles Style() const;
  void SetStyle(TFontStyles Value);
  TColor Color() const;
  void SetColor(TColor Value);
  // Vertical offset of the characters in twips (+ up, - down).
  int Offset() const;
  void SetOffset(int Value);
  void Assign(TPersistent* Source) override;

 private:
  TCustomRichEdit* FRichEdit;
  bool FSelection;
};

// The lines of a rich edit; streams read and write RTF unless PlainText.
class TRichEditStrings : public TMemoStrings {
 public:
  explicit TRichEditStrings(TCustomRichEdit* RichEdit);
  void LoadFromStream(TStream* Stream, TEncoding* Encoding = nullptr) override;
  void SaveToStream(TStream* Stream, TEncoding* Encoding = nullptr) override;

 private:
  TCustomRichEdit* FRichEdit;
};

using TRichEditResizeEvent = std::function<void(TObject* Sender, TRect Rect)>;

// A multi-line edit whose characters may be raised or lowered (sub- and
// superscript); Lines streams RTF.
class TCustomRichEdit : public TCustomMemo {
 public:
  explicit TCustomRichEdit(TComponent* AOwner);
  ~TCustomRichEdit() override;

  // Lines (of TCustomMemo) are TRichEditStrings here: their streams carry RTF.
  bool PlainText() const { return FPlainText; }
  void SetPlainText(bool Value) { FPlainText = Value; }
  TTextAttributes* SelAttributes() const { return FSelAttributes.get(); }
  TTextAttributes* DefAttributes() const { return FDefAttributes.get(); }
  // The text as RTF, and the text of RTF (plain text for text without "{\rtf").
  QString RichText() const;
  void SetRichText(const QString& Rtf);
  // The characters of a range (0-based start, length).
  QString GetTextRange(int Start, int Length) const;

  TNotifyEvent OnSelectionChange;
  TRichEditResizeEvent OnResizeRequest;

 protected:
  friend class TRichEditStrings;
  friend class TTextAttributes;
  void CreateWnd() override;
  void DefaultHandler(TMessage& Message) override;
  void CNNotify(TMessageView& Message) override;
  virtual void SelectionChange();
  virtual void RequestSize(const TRect& Rect);
  void SendNotify(UINT Code);

  std::unique_ptr<TTextAttributes> FSelAttributes;
  std::unique_ptr<TTextAttributes> FDefAttributes;
  bool FPlainText = false;
  DWORD FEventMask = 0;
};

class TRichEdit : public TCustomRichEdit {
 public:
  using TCustomRichEdit::TCustomRichEdit;
};

// Reads RTF into plain text and per-character offsets (twips); text that is
// not RTF comes back unchanged.
void ParseRtf(const QString& Rtf, QString& Text, std::vector<int16_t>& Offsets);
// Writes text with offsets as RTF in the given font.
QString MakeRtf(const QString& Text, const std::vector<int16_t>& Offsets, const QString& FontName, int FontSize);

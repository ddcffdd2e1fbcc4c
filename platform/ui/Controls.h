// Controls of the desktop framework: TControl (anything placed on a form),
// TWinControl (a control with a window: focus, keys, child controls),
// TCustomControl (a windowed control that paints itself on its Canvas) and
// TGraphicControl (a light control without a window of its own).
//
// The road of a message. Every control has one widget (its window; for a
// TWinControl that widget is the Handle). Qt's input and window events reach
// the control at ONE place, the translator of the control's widget, which turns
// them into the window messages of Messages.h (WM_KEYDOWN, WM_LBUTTONDOWN,
// WM_SETFOCUS ...). A message is handed to the control's WindowProc (by default
// WndProc), which passes it to Dispatch, which calls the control's handler
// method for that message (WMKeyDown, CMMouseEnter ...; virtual, so a class
// overrides it and calls the base class's handler where the framework calls
// "inherited"); a handler that has nothing of its own, and Dispatch for a
// message without handler, end in DefaultHandler. Perform sends a message the
// same way, synchronously; PostMessage (WinApi.h) queues it in Qt's event queue.
// An exception thrown while a message from the event loop is handled is shown
// by Application->HandleException and never reaches Qt.
//
// Keys: WM_KEYDOWN first goes as CN_KEYDOWN to the focused control, which may
// claim it (result non-zero); a dialog key (Tab, arrows, Enter, Escape) the
// control does not want (CM_WANTSPECIALKEY, WM_GETDLGCODE) is offered to its
// form as CM_DIALOGKEY (the form moves the focus on Tab and arrows, then offers
// the key to every child control). Only then WM_KEYDOWN reaches the control:
// KeyDown (the form's first when its KeyPreview is on) fires OnKeyDown, whose
// Key the handler may change or clear (0: the key goes no further). Typed
// characters follow as CN_CHAR (offered to the form as CM_DIALOGCHAR, which
// finds "&" accelerators, unless the control wants characters) and WM_CHAR
// (KeyPress, OnKeyPress). Alt combinations come as WM_SYSKEYDOWN / WM_SYSCHAR.
//
// Mouse: WM_LBUTTONDOWN (the control captures the mouse when csCaptureMouse is
// in its ControlStyle) fires OnMouseDown; WM_LBUTTONUP releases the capture,
// fires OnClick when released over the control, then OnMouseUp. Double clicks
// come as WM_LBUTTONDBLCLK for controls with csDoubleClicks. CM_MOUSEENTER and
// CM_MOUSELEAVE follow the control under the pointer.
//
// Painting: a TWinControl paints into an off-screen image of its window size
// (its back buffer) which its widget then shows. WM_NCPAINT draws the frame,
// WM_ERASEBKGND fills the client area with the control's Color, WM_PAINT runs
// Paint. A TCustomControl's Canvas draws into the back buffer both during Paint
// and at any other time; the widget shows what was drawn. Tests read the pixels
// through BackBuffer().
#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "platform/rtl/Classes.h"
#include "platform/gdi/Graphics.h"
#include "platform/ui/Messages.h"
#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Types.h"
#include "platform/ui/WinApi.h"

class QImage;
class QWidget;
class QEvent;
class TControl;
class TWinControl;
class TCustomForm;
class TPopupMenu;
class TControlWidget;
struct TPaintState;

// ------------------------------------------------------------- enumerations

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
using TAlignSet = TSet<TAlign, 8>;

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind, 8>;

enum TShiftStateItem {
  ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble, ssTouch, ssPen, ssCommand
};
using TShiftState = TSet<TShiftStateItem, 16>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TControlStyleItem {
  csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed,
  csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible,
  csReplicatable, csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents,
  csNeedsBorderPaint, csParentBackground, csPannable, csAlignWithMargins, csGestures,
  csPaintBlackOpaqueOnGlass, csOverrideStylePaint
};
using TControlStyle = TSet<TControlStyleItem, 32>;

enum TControlStateItem {
  csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing,
  csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking, csDesignerHide,
  csPanning, csRecreating, csAligning, csGlassPaint, csPrintClient
};
using TControlState = TSet<TControlStateItem, 32>;

enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
// The stages of a drag over a control, as a DragOver handler hears them.
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// The framework's control text type.
using TCaption = QString;

// ------------------------------------------------------------------ cursors

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSize = -22;
constexpr TCursor crSizeAll = -22;

// ------------------------------------------------------------------- events

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, QChar& Key)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TWndMethod = std::function<void(TMessage& Message)>;

// The shift state of key data (Shift and Ctrl from the key state at handling
// time, Alt from the key data's flag).
TShiftState KeyDataToShiftState(int32_t KeyData);
// The shift state of mouse-message key flags (MK_ ...; Alt from the key state).
TShiftState KeysToShiftState(WPARAM Keys);
// The shift state now (keys and mouse buttons).
TShiftState GetShiftState();
// True when Ch is the accelerator of Caption: the character after a single "&"
// (case-insensitive; "&&" is a literal ampersand).
bool IsAccel(Word Ch, const QString& Caption);
// The text of a hint before "|" (short) or after it (long; the whole hint without "|").
QString GetShortHint(const QString& Hint);
QString GetLongHint(const QString& Hint);

// -------------------------------------------------------------- constraints

// Minimum and maximum width and height of a control (0: no limit).
class TSizeConstraints : public TPersistent {
 public:
  explicit TSizeConstraints(TControl* Control) : FControl(Control) {}
  int MaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(int Value);
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int Value);
  int MinHeight() const { return FMinHeight; }
  void SetMinHeight(int Value);
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int Value);
  void Assign(TPersistent* Source) override;
  TNotifyEvent OnChange;

 private:
  void Changed();
  TControl* FControl;
  int FMaxHeight = 0;
  int FMaxWidth = 0;
  int FMinHeight = 0;
  int FMinWidth = 0;
};

// ------------------------------------------------------------- hint info

class THintWindow;
using THintWindowClass = std::function<THintWindow*(TComponent* AOwner)>;

// What CM_HINTSHOW hands to the control about to show its hint (LParam points
// to it); the control may change the text, place, colour and timeouts.
struct THintInfo {
  TControl* HintControl = nullptr;
  THintWindowClass HintWindowClass;
  TPoint HintPos;       // screen position of the hint window's top-left corner
  int HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  TRect CursorRect;     // client rectangle; the hint goes when the pointer leaves it
  TPoint CursorPos;     // client position of the pointer
  int ReshowTimeout = 0;
  int HideTimeout = 0;  // ms; 0: the application's HintHidePause
  QString HintStr;
  void* HintData = nullptr;
};

class TCMHintShow : public TMessageView {
 public:
  using TMessageView::TMessageView;
  THintInfo* HintInfo() const { return reinterpret_cast<THintInfo*>(LParam); }
};

// -------------------------------------------------------------- TControl

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // --- placement ---
  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  int Left() const { return FLeft; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  int Top() const { return FTop; }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  int Width() const { return FWidth; }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  // Moves and sizes the control in its parent's client coordinates (constraints
  // applied); the control's parent realigns its children.
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value);
  TSizeConstraints* Constraints() const { return FConstraints.get(); }
  void SetConstraints(TSizeConstraints* Value) { FConstraints->Assign(Value); }

  // --- client area ---
  virtual TRect ClientRect() const;
  int ClientWidth() const { return ClientRect().Right; }
  void SetClientWidth(int Value);
  int ClientHeight() const { return ClientRect().Bottom; }
  void SetClientHeight(int Value);
  TSize ClientSize() const { return {ClientWidth(), ClientHeight()}; }
  // Screen position of the client area's top-left corner.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(const TPoint& Point) const;
  TPoint ScreenToClient(const TPoint& Point) const;
  TPoint ClientToParent(const TPoint& Point, TWinControl* AParent = nullptr) const;
  TPoint ParentToClient(const TPoint& Point, TWinControl* AParent = nullptr) const;

  // --- state ---
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show();
  void Hide();
  // Visible here and in every parent up to a shown form.
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  // The control text: its caption (labels, buttons, forms) or its text (edits).
  QString Caption() const { return GetText(); }
  void SetCaption(const QString& Value) { SetText(Value); }
  QString Text() const { return GetText(); }
  // Stores the text and sends CM_TEXTCHANGED; a control whose text lives in a
  // native widget overrides it together with GetText.
  virtual void SetText(const QString& Value);
  const QString& Hint() const { return FHint; }
  void SetHint(const QString& Value) { FHint = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState Value) { FControlState = Value; }
  bool MouseCapture() const;
  void SetMouseCapture(bool Value);
  // Sets the name; a control whose caption equals its old name (and that has
  // csSetCaption) takes the new name as caption too.
  void SetName(const QString& NewName) override;

  // --- repainting and stacking ---
  // Marks the whole control for repainting from the event loop.
  virtual void Invalidate();
  // Paints what is marked for repainting now.
  virtual void Update();
  // Invalidate and Update.
  virtual void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  // --- messages ---
  // Sends a message to the control's WindowProc now and returns its result.
  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  // The entry of every message; starts as WndProc. A class or a caller may
  // replace it (keeping the old one to call), as the framework allows.
  TWndMethod WindowProc;
  // Finds the handler of the message (the virtual WM.../CM.../CN... methods
  // below) and calls it; DefaultHandler for messages without one.
  virtual void Dispatch(TMessage& Message);
  // What happens to a message nobody handled: the window system's own handling.
  virtual void DefaultHandler(TMessage& Message);

  // The form the control stands on (its top-level parent form), or nullptr.
  TCustomForm* GetParentForm() const;
  // The widget of this control (its window; the Handle of a TWinControl).
  QWidget* View() const;
  // True when this control is, or contains, Control.
  virtual bool IsWindowed() const { return false; }

  // --- events ---
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TContextPopupEvent OnContextPopup;
  TNotifyEvent OnResize;

  // Runs the click behaviour (OnClick), as a click with the mouse would.
  virtual void Click();

 protected:
  virtual void WndProc(TMessage& Message);
  virtual QString GetText() const { return FText; }
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Overridable behaviour of the framework's control.
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  virtual void MouseWheelHandler(TMessage& Message);
  virtual void DoContextPopup(TPoint MousePos, bool& Handled);
  virtual void Resize();
  virtual void Changed();
  // Called by SetBounds with the proposed size; applies Constraints.
  virtual void ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight);
  // Asks the parent to lay its children out again.
  virtual void RequestAlign();
  // Records where an anchored control stands, for later parent resizes.
  void UpdateAnchorRules();
  virtual void VisibleChanging() {}
  // Sends WM_CANCELMODE to the control that has the mouse captured, unless it is Sender.
  void SendCancelMode(TControl* Sender);
  void DoMouseDownMsg(TWMMouse& Message, TMouseButton Button, TShiftState Shift);
  void DoMouseUpMsg(TWMMouse& Message, TMouseButton Button);
  void FontChanged(TObject* Sender);
  // Applies the position to the widget (after a change of Left/Top/Width/Height).
  virtual void UpdateViewGeometry();
  virtual void UpdateViewVisible();

  // Message handlers (the framework's message methods). Each may be overridden;
  // an override calls the base class's handler where the framework says "inherited".
  virtual void WMLButtonDown(TWMMouse& Message);
  virtual void WMLButtonUp(TWMMouse& Message);
  virtual void WMLButtonDblClk(TWMMouse& Message);
  virtual void WMRButtonDown(TWMMouse& Message);
  virtual void WMRButtonUp(TWMMouse& Message);
  virtual void WMRButtonDblClk(TWMMouse& Message);
  virtual void WMMButtonDown(TWMMouse& Message);
  virtual void WMMButtonUp(TWMMouse& Message);
  virtual void WMMButtonDblClk(TWMMouse& Message);
  virtual void WMMouseMove(TWMMouse& Message);
  virtual void WMMouseWheel(TWMMouseWheel& Message);
  virtual void WMContextMenu(TWMContextMenu& Message);
  virtual void WMCancelMode(TMessageView& Message);
  virtual void WMCaptureChanged(TWMCaptureChanged& Message);
  virtual void WMKeyDown(TWMKey& Message);
  virtual void WMKeyUp(TWMKey& Message);
  virtual void WMChar(TWMKey& Message);
  virtual void WMSysKeyDown(TWMKey& Message);
  virtual void WMSysKeyUp(TWMKey& Message);
  virtual void WMSysChar(TWMKey& Message);
  virtual void WMSetFocus(TWMSetFocus& Message);
  virtual void WMKillFocus(TWMKillFocus& Message);
  virtual void WMPaint(TWMPaint& Message);
  virtual void WMEraseBkgnd(TWMEraseBkgnd& Message);
  virtual void WMNCPaint(TMessageView& Message);
  virtual void WMSize(TWMSize& Message);
  virtual void WMMove(TWMMove& Message);
  virtual void WMTimer(TWMTimer& Message);
  virtual void WMHScroll(TWMScroll& Message);
  virtual void WMVScroll(TWMScroll& Message);
  virtual void WMGetDlgCode(TMessageView& Message);
  virtual void WMSetCursor(TWMSetCursor& Message);
  virtual void WMNCHitTest(TWMNCHitTest& Message);
  virtual void WMCommand(TWMCommand& Message);
  virtual void WMNotify(TMessageView& Message);
  virtual void WMClose(TMessageView& Message);
  virtual void WMActivate(TMessageView& Message);
  virtual void CMMouseEnter(TCMMouseEnterLeave& Message);
  virtual void CMMouseLeave(TCMMouseEnterLeave& Message);
  virtual void CMEnabledChanged(TMessageView& Message);
  virtual void CMVisibleChanged(TMessageView& Message);
  virtual void CMShowingChanged(TMessageView& Message);
  virtual void CMFontChanged(TMessageView& Message);
  virtual void CMColorChanged(TMessageView& Message);
  virtual void CMTextChanged(TMessageView& Message);
  virtual void CMParentFontChanged(TMessageView& Message);
  virtual void CMParentColorChanged(TMessageView& Message);
  virtual void CMCtl3DChanged(TMessageView& Message);
  virtual void CMParentCtl3DChanged(TMessageView& Message);
  virtual void CMParentShowHintChanged(TMessageView& Message);
  virtual void CMShowHintChanged(TMessageView& Message);
  virtual void CMCursorChanged(TMessageView& Message);
  virtual void CMHintShow(TCMHintShow& Message);
  virtual void CMHintShowPause(TMessageView& Message);
  virtual void CMMouseWheel(TCMMouseWheel& Message);
  virtual void CMHitTest(TCMHitTest& Message);
  virtual void CMDesignHitTest(TCMHitTest& Message);
  virtual void CMEnter(TMessageView& Message);
  virtual void CMExit(TMessageView& Message);
  virtual void CMFocusChanged(TCMFocusChanged& Message);
  virtual void CMDialogKey(TWMKey& Message);
  virtual void CMDialogChar(TWMKey& Message);
  virtual void CMWantSpecialKey(TWMKey& Message);
  virtual void CMChildKey(TWMKey& Message);
  virtual void CMTabStopChanged(TMessageView& Message);
  virtual void CMCancelMode(TMessageView& Message);
  virtual void CMRelease(TMessageView& Message);
  virtual void CMActivate(TMessageView& Message);
  virtual void CMDeactivate(TMessageView& Message);
  virtual void CNKeyDown(TWMKey& Message);
  virtual void CNKeyUp(TWMKey& Message);
  virtual void CNChar(TWMKey& Message);
  virtual void CNSysKeyDown(TWMKey& Message);
  virtual void CNSysChar(TWMKey& Message);
  virtual void CNCommand(TWMCommand& Message);
  virtual void CNNotify(TMessageView& Message);

  TWinControl* FParent = nullptr;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  TPoint FAnchorRules;
  TPoint FOriginalParentSize;
  std::unique_ptr<TSizeConstraints> FConstraints;
  bool FVisible = true;
  bool FEnabled = true;
  TColor FColor = clWindow;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  QString FText;
  QString FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TCursor FCursor = crDefault;
  TPopupMenu* FPopupMenu = nullptr;
  TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState FControlState;
  int FWheelAccumulator = 0;
  bool FAnchorMove = false;  // set while the parent moves the control for alignment
  TControlWidget* FView = nullptr;

 private:
  friend class TWinControl;
  friend class TCustomForm;
  friend class TControlWidget;
  friend class TSizeConstraints;
  friend struct TControlAccess;
  void DoSetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  void UpdateShowHintFromParent();
};

// ------------------------------------------------------------ TWinControl

// What CreateParams may set before the control's window is created.
struct TCreateParams {
  QString Caption;
  DWORD Style = 0;      // WS_ flags
  DWORD ExStyle = 0;    // WS_EX_ flags
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  HWND WndParent = nullptr;
  DWORD WindowClassStyle = 0;  // CS_ flags
  QString WinClassName;
};

// BeginPaint fills this in.
struct PAINTSTRUCT {
  HDC hdc = nullptr;
  BOOL fErase = false;
  TRect rcPaint;
};
using TPaintStruct = PAINTSTRUCT;
HDC BeginPaint(HWND Wnd, PAINTSTRUCT* Paint);
BOOL EndPaint(HWND Wnd, const PAINTSTRUCT* Paint);

using TTabOrder = int;

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  bool IsWindowed() const override { return true; }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // --- window ---
  // The window (widget) of the control; creates it first in the framework's
  // sense (CreateWnd runs once; the parents' windows first). A control that has
  // no parent form cannot get a window: EInvalidOperation "Control '<name>' has
  // no parent window".
  HWND Handle();
  bool HandleAllocated() const { return FHandleCreated; }
  void HandleNeeded();
  // Destroys and creates the window again (CreateParams and CreateWnd run again).
  void RecreateWnd();
  // Style and extended style of the window (from CreateParams, changed by SetWindowLong).
  DWORD WindowStyle() const { return FStyle; }
  DWORD WindowExStyle() const { return FExStyle; }
  void SetWindowStyle(DWORD Style, DWORD ExStyle);

  // --- children ---
  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int Index) const;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(const TControl* Control) const;
  // The child control at a client position: visible ones only; disabled ones
  // when AllowDisabled; windowed ones unless AllowWinControls is false; the
  // topmost (last in the list) first. With AllLevel, searches down the children.
  TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false,
                         bool AllLevel = false) const;
  TControl* FindChildControl(const QString& ControlName) const;
  // Sends the message to every child control until one gives a non-zero result.
  void Broadcast(TMessage& Message);
  // Sends Msg to every child control.
  void NotifyControls(UINT Msg);
  // Lays the children out again (alignment and anchors).
  void Realign();
  void DisableAlign();
  void EnableAlign();
  bool AlignDisabled() const { return FAlignLevel > 0; }

  // --- focus and tab order ---
  TTabOrder TabOrder() const;
  void SetTabOrder(TTabOrder Value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  // The windowed children in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& List) const;
  // The next (or previous) control after CurControl in tab order that is a tab
  // stop (when CheckTabStop) and can take the focus; children of children included.
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                               bool CheckParent) const;
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  virtual bool CanFocus() const;
  virtual bool Focused() const;
  // Gives the control the keyboard focus; EInvalidOperation "Cannot focus a
  // disabled or invisible window" when it cannot have it.
  virtual void SetFocus();

  // --- look ---
  TBrush* Brush() const { return FBrush.get(); }
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
  bool ParentBackground() const { return FControlStyle.contains(csParentBackground); }
  void SetParentBackground(bool Value);
  bool ParentDoubleBuffered() const { return FParentDoubleBuffered; }
  void SetParentDoubleBuffered(bool Value) { FParentDoubleBuffered = Value; }
  // The three-dimensional look; a change sends CM_CTL3DCHANGED. Setting it
  // switches ParentCtl3D off; with ParentCtl3D the parent's value is followed.
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  bool ParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool Value);
  TRect ClientRect() const override;
  TPoint ClientOrigin() const override;
  // Offset of the client area inside the window (frame width), and the frame
  // widths on the right and bottom (frame plus scroll bars).
  TRect NonClientInsets() const;
  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  // Marks a client rectangle for repainting.
  void InvalidateRect(const TRect& R, bool Erase = true);
  // The window's back buffer (its size; nullptr before the first paint).
  QImage* BackBuffer() const;
  // Paints the whole control (frame, background, Paint) into its back buffer now.
  void PaintNow();
  // Draws the control and its children onto a canvas at (X, Y).
  void PaintTo(TCanvas* Canvas, int X, int Y);

  // --- keys ---
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

 protected:
  void WndProc(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;

  // Window creation: CreateParams fills in the window's description, CreateWnd
  // creates it (CreateWindowHandle applies the description to the widget), and
  // DestroyWnd takes it down. Overrides call the base first.
  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  virtual void CreateHandle();
  virtual void DestroyHandle();

  // Alignment: lays the children out in Rect (the client rectangle after
  // AdjustClientRect). Control is the child whose change started it, or nullptr.
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  virtual void AdjustClientRect(TRect& Rect);
  void AlignControl(TControl* AControl);

  virtual bool DoKeyDown(TWMKey& Message);
  virtual bool DoKeyPress(TWMKey& Message);
  virtual bool DoKeyUp(TWMKey& Message);
  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyPress(QChar& Key);
  virtual void KeyUp(Word& Key, TShiftState Shift);
  virtual void DoEnter();
  virtual void DoExit();
  // Gives up the focus of the form (when hidden, disabled or removed).
  void RemoveFocus(bool Removing);

  // Painting: PaintHandler runs PaintWindow with the paint's device context.
  virtual void PaintHandler(TWMPaint& Message);
  virtual void PaintWindow(HDC DC);
  // Draws the window's frame (border edges and the scroll-bar corner).
  virtual void PaintNonClient(HDC WindowDC);
  // Whether the window has a back buffer.
  virtual bool PaintsOwnBackground() const { return false; }
  // Frame the control draws itself around its client area (a header, say), in
  // PaintNonClient, beyond the frame of its window styles; it is part of
  // NonClientInsets. A control that changes it calls SetWindowStyle with its
  // styles unchanged to lay itself out again.
  virtual TRect NonClientExtra() const { return TRect(); }

  // Wrapping a Qt widget: the native widget fills the client area and gets the
  // keyboard focus with the control. Its key and mouse events go through this
  // control's messages first; what reaches DefaultHandler (unchanged or with the
  // key the handlers changed) is then handed to the native widget. The control
  // owns the widget.
  void SetNativeWidget(QWidget* Native);
  QWidget* NativeWidget() const { return FNative; }
  // Hands the Qt event behind the message being handled to the native widget
  // (rebuilt when the handlers changed the key). True when there was one.
  virtual bool PassToNative(TMessage& Message);

  void UpdateViewGeometry() override;
  void UpdateViewVisible() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;

  void WMKeyDown(TWMKey& Message) override;
  void WMKeyUp(TWMKey& Message) override;
  void WMChar(TWMKey& Message) override;
  void WMSysKeyDown(TWMKey& Message) override;
  void WMSysKeyUp(TWMKey& Message) override;
  void WMPaint(TWMPaint& Message) override;
  void WMEraseBkgnd(TWMEraseBkgnd& Message) override;
  void WMNCPaint(TMessageView& Message) override;
  void WMSize(TWMSize& Message) override;
  void WMSetCursor(TWMSetCursor& Message) override;
  void WMCommand(TWMCommand& Message) override;
  // Notifications of child windows (WM_NOTIFY from NMHDR::hwndFrom, the scroll
  // messages of scroll-bar controls) go back to them as CN_NOTIFY, CN_HSCROLL, CN_VSCROLL.
  void WMNotify(TMessageView& Message) override;
  void WMHScroll(TWMScroll& Message) override;
  void WMVScroll(TWMScroll& Message) override;
  void CMEnabledChanged(TMessageView& Message) override;
  void CMVisibleChanged(TMessageView& Message) override;
  void CMShowingChanged(TMessageView& Message) override;
  void CMFontChanged(TMessageView& Message) override;
  void CMColorChanged(TMessageView& Message) override;
  void CMCtl3DChanged(TMessageView& Message) override;
  void CMParentCtl3DChanged(TMessageView& Message) override;
  void CMShowHintChanged(TMessageView& Message) override;
  void CMCursorChanged(TMessageView& Message) override;
  void CMEnter(TMessageView& Message) override;
  void CMExit(TMessageView& Message) override;
  void CMFocusChanged(TCMFocusChanged& Message) override;
  void CMDialogKey(TWMKey& Message) override;
  void CMDialogChar(TWMKey& Message) override;
  void CMChildKey(TWMKey& Message) override;
  void CNKeyDown(TWMKey& Message) override;
  void CNChar(TWMKey& Message) override;
  void CNSysKeyDown(TWMKey& Message) override;
  void CNSysChar(TWMKey& Message) override;

  std::vector<TControl*> FControls;     // every child, windowed or not, in z-order
  std::vector<TWinControl*> FTabList;   // windowed children in tab order
  std::unique_ptr<TBrush> FBrush;
  bool FTabStop = false;
  bool FDoubleBuffered = false;
  bool FParentDoubleBuffered = true;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  bool FHandleCreated = false;
  int FAlignLevel = 0;
  DWORD FStyle = 0;
  DWORD FExStyle = 0;
  DWORD FClassStyle = 0;
  QWidget* FNative = nullptr;

 private:
  friend class TControl;
  friend class TCustomForm;
  friend class TControlWidget;
  friend struct TControlAccess;
  friend struct TPaintState;
  friend HDC BeginPaint(HWND, PAINTSTRUCT*);
  friend BOOL EndPaint(HWND, const PAINTSTRUCT*);
  void Insert(TControl* AControl);
  void Remove(TControl* AControl);
  void DoAlign(TAlign AAlign, TControl* AControl, TRect& Rect);
  // True when the parent form, with KeyPreview on, takes the key in its own
  // FormStep (DoKeyDown, DoKeyPress or DoKeyUp) before this control sees it.
  bool FormPreviewsKey(bool (TWinControl::*FormStep)(TWMKey&), TWMKey& Message);
  // Hands the key of the message to Handler (KeyDown or KeyUp) and stores what
  // it leaves; true when the handler cleared the key.
  bool DoKeyDownUp(void (TWinControl::*Handler)(Word&, TShiftState), TWMKey& Message);
  void ApplyStyleToView();
  std::unique_ptr<TPaintState> FPaint;
};

// ---------------------------------------------------------- TCustomControl

// A windowed control that draws itself: Paint draws on Canvas.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  // The canvas of the control: during Paint it draws the paint, at any other
  // time it draws into the back buffer at once (shown with the next refresh of
  // the widget, which follows by itself).
  TCanvas* Canvas();

 protected:
  virtual void Paint();
  void PaintWindow(HDC DC) override;
  bool PaintsOwnBackground() const override { return true; }

  std::unique_ptr<TCanvas> FCanvas;

 private:
  bool FCanvasInPaint = false;
  bool FCanvasOnClient = false;
  HDC FCanvasDC = nullptr;
};

// ---------------------------------------------------------- TGraphicControl

// A light control without a window of its own, painted on its parent. It takes
// no focus and no keys; the mouse reaches it as it does a windowed control.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  // The canvas of the control; it draws only during Paint.
  TCanvas* Canvas() const { return FCanvas.get(); }

 protected:
  virtual void Paint();
  void WMPaint(TWMPaint& Message) override;

  std::unique_ptr<TCanvas> FCanvas;
};

// ---------------------------------------------------------------- helpers

// The control whose window is Handle, or nullptr.
TWinControl* FindControl(HWND Handle);
// The control of any widget of ours (windowed or not), or nullptr.
TControl* FindControlOfView(QWidget* Widget);
// The control that has the mouse captured, or nullptr.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
// The innermost control of ours under the screen point (visible ones), or nullptr.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);
// The form Control stands on, or nullptr (GetParentForm of the framework).
TCustomForm* GetParentForm(const TControl* Control, bool TopForm = true);
// As GetParentForm, but EInvalidOperation "Control '<name>' has no parent window" without one.
TCustomForm* ValidParentForm(const TControl* Control, bool TopForm = true);

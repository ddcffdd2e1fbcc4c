// Forms and the application of the desktop framework: TCustomForm / TForm
// (windows, modal windows and their results, activation and focus),
// TApplication (the global Application: start, message loop, exception box,
// hints), TScreen (the global Screen) and TMouse (the global Mouse), and the
// hint window.
//
// Creating a form. A form class builds its components in its constructor.
// OnCreate must run after that, so whoever creates a form runs its
// AfterConstruction() once the constructor is done; Application->CreateForm(F)
// and NewForm<T>(Owner) do so:
//
//   class TFMain : public TForm {
//    public:
//     explicit TFMain(TComponent* AOwner) : TForm(AOwner) {
//       Btn_Close = new TLbButton(this); ...          // the form's components
//       OnCreate = [this](TObject* Sender) { FormCreate(Sender); };
//     }
//   };
//   Application->Initialize(argc, argv);
//   Application->CreateForm(FMain);   // FMain is set, then OnCreate runs
//   Application->Run();
//   Application->Finalize();
//
// An exception raised by OnCreate shows the default exception box and the
// creation goes on, as the framework does.
#pragma once

#include <QString>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/ui/Controls.h"

class TApplicationPrivate;
class QApplication;

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon, 8>;
using TFormBorderStyle = TBorderStyle;
enum TPosition {
  poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
  poMainFormCenter, poOwnerFormCenter
};
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStateItem { fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated };
using TFormState = TSet<TFormStateItem, 8>;

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;
constexpr TModalResult mrClose = 11;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// ------------------------------------------------------------ TCustomForm

class TCustomForm : public TWinControl {
 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  // Runs OnCreate (once); see the top of this file.
  virtual void AfterConstruction();
  // Runs OnDestroy (once); Application->Finalize and a released form call it
  // before the form is destroyed.
  virtual void BeforeDestruction();
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  // --- look ---
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState Value);
  bool Scaled() const { return FScaled; }
  void SetScaled(bool Value) { FScaled = Value; }
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  TCanvas* Canvas();
  TRect ClientRect() const override;

  // --- state ---
  TWinControl* ActiveControl() const { return FActiveControl; }
  // EInvalidOperation "Cannot focus a disabled or invisible window" for a
  // control of another form or one that cannot take the focus.
  void SetActiveControl(TWinControl* Control);
  bool Active() const { return FActive; }
  TFormState FormState() const { return FFormState; }
  TModalResult ModalResult() const { return FModalResult; }
  // A non-zero result ends the modal loop of a modally shown form.
  void SetModalResult(TModalResult Value);
  bool Showing() const override;

  // --- showing and closing ---
  void Show();
  void Hide();
  // Shows the form modally: the other forms take no input and ShowModal runs
  // its own event loop until ModalResult is set (or the form closes); returns
  // the result. In a test process the modal hook acts on the form (TestHooks.h).
  virtual int ShowModal();
  // Closes the form: OnCloseQuery may refuse, OnClose chooses the action
  // (hide by default); closing the main form ends the program; a modal form's
  // ModalResult becomes mrCancel.
  void Close();
  // Frees the form from the event loop, after the message being handled.
  void Release();
  virtual bool CloseQuery();
  void FocusControl(TWinControl* Control);
  virtual bool SetFocusedControl(TWinControl* Control);
  void DefocusControl(TWinControl* Control, bool Removing);
  void SetFocus() override;
  bool CanFocus() const override;
  // The wheel goes to the focused control first (then up its parents).
  void MouseWheelHandler(TMessage& Message) override;

  // --- events ---
  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

 protected:
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  virtual void Activate();
  virtual void Deactivate();
  virtual void Paint();
  void CloseModal();
  void SetActive(bool Value);
  void SetWindowFocus();
  void ApplyPosition();

  void CreateParams(TCreateParams& Params) override;
  void PaintWindow(HDC DC) override;
  bool PaintsOwnBackground() const override { return true; }
  void UpdateViewGeometry() override;
  void UpdateViewVisible() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  void WMClose(TMessageView& Message) override;
  void WMActivate(TMessageView& Message) override;
  void CMActivate(TMessageView& Message) override;
  void CMDeactivate(TMessageView& Message) override;
  void CMDialogKey(TWMKey& Message) override;
  void CMShowingChanged(TMessageView& Message) override;
  void CMRelease(TMessageView& Message) override;
  void CMTextChanged(TMessageView& Message) override;

  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TPosition FPosition = poDefaultPosOnly;
  TFormStyle FFormStyle = fsNormal;
  TWindowState FWindowState = wsNormal;
  bool FScaled = true;
  int FPixelsPerInch = 96;
  bool FKeyPreview = false;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  bool FActive = false;
  TFormState FFormState;
  TModalResult FModalResult = mrNone;
  std::unique_ptr<TCanvas> FCanvas;
  int FFocusCount = 0;
  bool FCreated = false;
  bool FDestroyed = false;
  bool FInPaint = false;
  void* FModalLoop = nullptr;  // the QEventLoop of ShowModal while it runs

 private:
  friend class TApplication;
  friend struct TControlAccess;
  friend void ActivateForm(TCustomForm* Form);
  // The frame around the client area: left, caption+top, right, bottom widths.
  TRect FrameWidths() const;
  bool SendFocusMessage(TWinControl* Control, UINT Msg);
};

class TForm : public TCustomForm {
 public:
  using TCustomForm::TCustomForm;
};

// Constructs a form and runs its AfterConstruction (OnCreate).
template <typename T, typename... Args>
T* NewForm(Args&&... args) {
  T* form = new T(std::forward<Args>(args)...);
  form->AfterConstruction();
  return form;
}

// The form Control stands on (GetParentForm of the framework), in Controls.h.

// ------------------------------------------------------------ hint window

// The small window that shows a control's hint.
class THintWindow : public TCustomControl {
 public:
  explicit THintWindow(TComponent* AOwner);
  ~THintWindow() override;
  // Shows the hint text in Rect (screen coordinates).
  virtual void ActivateHint(TRect Rect, const QString& AHint);
  virtual void ActivateHintData(TRect Rect, const QString& AHint, void* AData);
  // The size the hint needs (0-based rectangle), at most MaxWidth wide.
  virtual TRect CalcHintRect(int MaxWidth, const QString& AHint, void* AData);
  // Hides the window.
  void ReleaseHandle();
  bool IsHintMsg(const TMessage& Msg) const;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void UpdateViewVisible() override;
  bool FActive = false;
};

// ------------------------------------------------------------ scrolling windows

class TScrollingWinControl;

enum TScrollBarKind { sbHorizontal, sbVertical };

// One scroll bar of a scrolling window (its own window scroll bar): Range is
// the size of the content, Position the part scrolled out of view (0 .. Range
// - the client size); Increment is one line; with Tracking the content follows
// the thumb while it is dragged, otherwise when it is released.
class TControlScrollBar : public TPersistent {
 public:
  TControlScrollBar(TScrollingWinControl* Control, TScrollBarKind Kind);
  TScrollBarKind Kind() const { return FKind; }
  int Range() const { return FRange; }
  void SetRange(int Value);
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  int Increment() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = std::max(1, Value); }
  int Margin() const { return FMargin; }
  void SetMargin(int Value) { FMargin = Value; }
  bool Tracking() const { return FTracking; }
  void SetTracking(bool Value) { FTracking = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool Smooth() const { return FSmooth; }
  void SetSmooth(bool Value) { FSmooth = Value; }
  // The scroll bar is shown (the content does not fit).
  bool IsScrollBarVisible() const;
  // The largest Position.
  int MaxPosition() const;
  // Handles a WM_HSCROLL / WM_VSCROLL of the window's own bar.
  void ScrollMessage(TWMScroll& Message);
  void Assign(TPersistent* Source) override;

 private:
  friend class TScrollingWinControl;
  int ClientSize() const;
  void Update();
  TScrollingWinControl* FControl;
  TScrollBarKind FKind;
  int FRange = 0;
  int FPosition = 0;
  int FIncrement = 8;
  int FMargin = 0;
  bool FTracking = false;
  bool FVisible = true;
  bool FSmooth = false;
  bool FAutoRange = true;
};

// A windowed control whose children may lie beyond its client area: its scroll
// bars move them (AutoScroll sets each bar's Range from the children).
class TScrollingWinControl : public TWinControl {
 public:
  explicit TScrollingWinControl(TComponent* AOwner);
  ~TScrollingWinControl() override;
  TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
  TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value);
  // Moves the children by the offsets (positive: down and right).
  void ScrollBy(int DeltaX, int DeltaY);
  // Scrolls so that the child is in view.
  void ScrollInView(TControl* AControl);

 protected:
  friend class TControlScrollBar;
  void AdjustClientRect(TRect& Rect) override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void WMHScroll(TWMScroll& Message) override;
  void WMVScroll(TWMScroll& Message) override;
  void WMSize(TWMSize& Message) override;
  void CreateWnd() override;
  virtual void CalcAutoRange();
  void UpdateScrollBars();

  std::unique_ptr<TControlScrollBar> FHorzScrollBar;
  std::unique_ptr<TControlScrollBar> FVertScrollBar;
  bool FAutoScroll = true;
  int FUpdatingBars = 0;
};

// A scrolling panel for other controls.
class TScrollBox : public TScrollingWinControl {
 public:
  explicit TScrollBox(TComponent* AOwner);
  ~TScrollBox() override;
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

 protected:
  void CreateParams(TCreateParams& Params) override;
  TBorderStyle FBorderStyle = bsSingle;
};

// -------------------------------------------------------------- TApplication

using TExceptionEvent = std::function<void(TObject* Sender, Exception& E)>;
using TShowHintEvent =
    std::function<void(QString& HintStr, bool& CanShow, THintInfo& HintInfo)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;

class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // Creates the Qt application object (with the program's arguments) unless one
  // exists already (tests create their own).
  void Initialize(int& argc, char** argv);
  void Initialize();
  // Constructs a form owned by the application, sets Reference, runs OnCreate;
  // the first form created becomes the main form.
  template <typename T>
  void CreateForm(T*& Reference) {
    T* form = new T(this);
    Reference = form;
    FormCreated(form);
  }
  // Shows the main form and runs the event loop until the main form closes
  // (or Terminate).
  void Run();
  // Destroys the forms and components the application owns (OnDestroy first)
  // and, when Initialize created it, the Qt application object.
  void Finalize();
  // Handles the events that are waiting, then returns.
  void ProcessMessages();
  // Waits for events and handles them (one round).
  void HandleMessage();
  // Ends Run and every modal loop.
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Handles the exception being caught: EAbort is silent; OnException when
  // assigned; otherwise the default exception box: an error box with the
  // exception's message (a final "." added) and the application's title.
  // Call from inside a catch block.
  void HandleException(TObject* Sender);
  void ShowException(const Exception& E);
  // Message box with MB_ flags (through the dialog responder in tests).
  int MessageBox(const QString& Text, const QString& Caption, UINT Flags = MB_OK);

  TCustomForm* MainForm() const { return FMainForm; }
  bool MainFormOnTaskBar() const { return FMainFormOnTaskBar; }
  void SetMainFormOnTaskBar(bool Value) { FMainFormOnTaskBar = Value; }
  bool ShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool Value) { FShowMainForm = Value; }
  const QString& Title() const { return FTitle; }
  void SetTitle(const QString& Value);
  // The program file's path.
  QString ExeName() const;
  int ModalLevel() const { return FModalLevel; }
  // The running modal form (innermost), or nullptr.
  TCustomForm* ModalForm() const;

  // --- hints ---
  const QString& Hint() const { return FHint; }
  void SetHint(const QString& Value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  int HintPause() const { return FHintPause; }
  void SetHintPause(int Value) { FHintPause = Value; }
  int HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int Value) { FHintShortPause = Value; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int Value) { FHintHidePause = Value; }
  TColor HintColor() const { return FHintColor; }
  void SetHintColor(TColor Value) { FHintColor = Value; }
  // Hides the hint being shown and forgets the control under the pointer.
  void CancelHint();
  // Shows the hint of the control under CursorPos (screen) now.
  void ActivateHint(const TPoint& CursorPos);
  // Follows the pointer for the hints (called by the controls for WM_MOUSEMOVE).
  void HintMouseMessage(TControl* Control, TMessage& Message);
  // The hint window being shown, or nullptr.
  THintWindow* HintWindow() const;
  // Makes hint windows of another class (nullptr: the plain THintWindow).
  THintWindowClass HintWindowClass;

  TExceptionEvent OnException;
  TNotifyEvent OnHint;
  TShowHintEvent OnShowHint;
  TIdleEvent OnIdle;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TCustomForm;
  friend class TApplicationPrivate;
  void FormCreated(TCustomForm* Form);
  std::vector<TCustomForm*>& D_ModalForms();
  TCustomForm* FMainForm = nullptr;
  bool FMainFormOnTaskBar = false;
  bool FShowMainForm = true;
  bool FTerminated = false;
  QString FTitle;
  int FModalLevel = 0;
  QString FHint;
  bool FShowHint = true;
  int FHintPause = 500;
  int FHintShortPause = 50;
  int FHintHidePause = 2500;
  TColor FHintColor = clInfoBk;
  std::unique_ptr<TApplicationPrivate> D;
};

// ------------------------------------------------------------------ TScreen

class TScreen : public TComponent {
 public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  int Width() const;
  int Height() const;
  TRect DesktopRect() const;
  TRect WorkAreaRect() const;
  int WorkAreaLeft() const { return WorkAreaRect().Left; }
  int WorkAreaTop() const { return WorkAreaRect().Top; }
  int WorkAreaWidth() const { return WorkAreaRect().Width(); }
  int WorkAreaHeight() const { return WorkAreaRect().Height(); }
  int PixelsPerInch() const { return 96; }
  // The installed font families.
  QStringList Fonts() const;

  // The cursor of the whole program (crDefault: each control's own).
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  // Cursor shapes by number: the framework's (crArrow ... crHandPoint, negative)
  // and the program's own (positive numbers, set by the program).
  HCURSOR Cursors(int Index) const;
  void SetCursors(int Index, HCURSOR Handle);

  TCustomForm* ActiveForm() const;
  TCustomForm* ActiveCustomForm() const { return ActiveForm(); }
  TWinControl* ActiveControl() const { return FActiveControl; }
  TCustomForm* FocusedForm() const { return FFocusedForm; }
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int Index) const;
  int CustomFormCount() const { return FormCount(); }
  TCustomForm* CustomForms(int Index) const { return Forms(Index); }
  // The font of hints (Tahoma 8 by default).
  TFont* HintFont() const;

  TNotifyEvent OnActiveControlChange;
  TNotifyEvent OnActiveFormChange;

 private:
  friend class TCustomForm;
  friend class TWinControl;
  friend void ActivateForm(TCustomForm* Form);
  friend void FormHidden(TCustomForm* Form);
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  void SetFocusedState(TCustomForm* Form, TWinControl* Control);
  TCursor FCursor = crDefault;
  std::vector<TCustomForm*> FForms;   // most recently active first
  TWinControl* FActiveControl = nullptr;
  TCustomForm* FActiveForm = nullptr;
  TCustomForm* FFocusedForm = nullptr;
  std::map<int, HCURSOR> FCursors;
  mutable std::unique_ptr<TFont> FHintFont;
};

// -------------------------------------------------------------------- TMouse

class TMouse {
 public:
  TPoint CursorPos() const;
  void SetCursorPos(const TPoint& Value);
  HWND Capture() const;
  void SetCapture(HWND Value);
  bool MousePresent() const { return true; }
  bool WheelPresent() const { return true; }
  // Lines scrolled by one notch of the wheel (the system's setting: 3).
  int WheelScrollLines() const { return 3; }
  int DragThreshold() const { return 5; }
};

extern TApplication* Application;
extern TScreen* Screen;
extern TMouse* Mouse;

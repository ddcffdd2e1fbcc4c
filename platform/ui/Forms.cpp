// Forms: TCustomForm (showing, modal loop, closing, activation, focus) and
// THintWindow. TApplication, TScreen and TMouse are in Forms_Application.cpp.
#include "platform/ui/Forms.h"

#include <QEventLoop>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QTimer>
#include <algorithm>

#include "platform/ui/ControlWidget_p.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/TestHooks.h"
#include "platform/ui/UiState_p.h"

TApplication* Application = new TApplication(nullptr);
TScreen* Screen = new TScreen(nullptr);
TMouse* Mouse = new TMouse();

namespace {

const QString kCannotFocus = QStringLiteral("Cannot focus a disabled or invisible window");

TCustomForm* ActiveModelForm() {
  if (UiState().ActiveView.isNull()) return nullptr;
  auto* w = static_cast<TControlWidget*>(UiState().ActiveView.data());
  return w->Control() == UiState().ActiveForm ? UiState().ActiveForm : nullptr;
}

void SetActiveModelForm(TCustomForm* f) {
  UiState().ActiveForm = f;
  UiState().ActiveView = f != nullptr ? f->View() : nullptr;
}

}  // namespace

TCustomForm* ActiveFormOfModel() { return ActiveModelForm(); }

void ActivateForm(TCustomForm* Form) {
  TCustomForm* old = ActiveModelForm();
  if (Form == old) return;
  SetActiveModelForm(Form);
  if (old != nullptr)
    DeliverMessage(old, WM_ACTIVATE, 0 /* WA_INACTIVE */, reinterpret_cast<LPARAM>(Form != nullptr ? Form->View() : nullptr));
  if (Form != nullptr && ActiveModelForm() == Form) {
    QWidget* v = Form->View();
    if (v != nullptr && v->isVisible() && !v->isActiveWindow()) {
      UiState().PendingQtActivation = v;
      UiState().PendingSince.start();
      if (!OffscreenPlatform()) v->raise();
      v->activateWindow();
    }
    DeliverMessage(Form, WM_ACTIVATE, 1 /* WA_ACTIVE */, reinterpret_cast<LPARAM>(old != nullptr ? old->View() : nullptr));
  }
}

void QtActivatedForm(TCustomForm* Form) {
  if (!UiState().PendingQtActivation.isNull() && UiState().PendingSince.elapsed() < 2000) {
    // Qt is still catching up with activations we asked for: not the user's doing.
    if (UiState().PendingQtActivation.data() == Form->View()) UiState().PendingQtActivation = nullptr;
    return;
  }
  UiState().PendingQtActivation = nullptr;
  if (!Form->Visible() || !Form->Enabled()) return;
  if (Application != nullptr) {
    TCustomForm* modal = Application->ModalForm();
    if (modal != nullptr && modal != Form) return;
  }
  ActivateForm(Form);
}

void FormHidden(TCustomForm* Form) {
  if (ActiveModelForm() != Form) return;
  TCustomForm* next = nullptr;
  if (Screen != nullptr) {
    for (int i = 0; i < Screen->FormCount(); ++i) {
      TCustomForm* f = Screen->Forms(i);
      if (f != Form && f->Visible() && f->Enabled() && f->Parent() == nullptr) {
        next = f;
        break;
      }
    }
  }
  if (next != nullptr) {
    ActivateForm(next);
  } else {
    SetActiveModelForm(nullptr);
    DeliverMessage(Form, WM_ACTIVATE, 0, 0);
    HWND focus = GetFocus();
    if (focus != nullptr && Form->View() != nullptr &&
        (focus == Form->View() || Form->View()->isAncestorOf(focus)))
      ::SetFocus(nullptr);
  }
}

// ------------------------------------------------------------ TCustomForm

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
  FVisible = false;
  FParentColor = false;
  FParentFont = false;
  FParentShowHint = false;
  FColor = clBtnFace;
  FBrush->SetColor(clBtnFace);
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FCanvas = std::make_unique<TCanvas>();
  FView->setObjectName(QStringLiteral("TForm"));
  FView->setWindowFlags(Qt::Window);
  FWidth = 320;
  FHeight = 240;
  UpdateViewGeometry();
  if (Screen != nullptr) Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  if (FModalLoop != nullptr) static_cast<QEventLoop*>(FModalLoop)->quit();
  if (ActiveModelForm() == this) SetActiveModelForm(nullptr);
  if (Screen != nullptr) Screen->RemoveForm(this);
  if (Application != nullptr && Application->FMainForm == this) Application->FMainForm = nullptr;
  if (FView != nullptr) FView->hide();
}

void TCustomForm::AfterConstruction() {
  if (FCreated) return;
  FCreated = true;
  DoCreate();
}

void TCustomForm::BeforeDestruction() {
  if (FDestroyed) return;
  FDestroyed = true;
  Destroying();
  DoDestroy();
}

void TCustomForm::DoCreate() {
  if (!OnCreate) return;
  try {
    OnCreate(this);
  } catch (...) {
    // The framework shows the error and goes on creating the form.
    if (Application != nullptr) Application->HandleException(this);
  }
}

void TCustomForm::DoDestroy() {
  if (!OnDestroy) return;
  try {
    OnDestroy(this);
  } catch (...) {
    if (Application != nullptr) Application->HandleException(this);
  }
}

void TCustomForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

TCanvas* TCustomForm::Canvas() {
  if (!FInPaint) {
    TDeviceContext* dc = TControlAccess::ClientDC(this);
    FCanvas->SetHandle(dc);
  }
  return FCanvas.get();
}

void TCustomForm::PaintWindow(HDC DC) {
  FCanvas->Lock();
  const auto unlock = qScopeGuard([this] { FCanvas->Unlock(); });
  FCanvas->SetHandle(DC);
  const QScopedValueRollback inPaint(FInPaint, true);
  Paint();
}

TRect TCustomForm::FrameWidths() const {
  if (FParent != nullptr) return TRect();
  switch (FBorderStyle) {
    case bsNone: return TRect();
    case bsSingle:
    case bsDialog: return TRect(3, 3 + GetSystemMetrics(SM_CYCAPTION), 3, 3);
    case bsSizeable: return TRect(4, 4 + GetSystemMetrics(SM_CYCAPTION), 4, 4);
    case bsToolWindow: return TRect(3, 3 + GetSystemMetrics(SM_CYSMCAPTION), 3, 3);
    case bsSizeToolWin: return TRect(4, 4 + GetSystemMetrics(SM_CYSMCAPTION), 4, 4);
  }
  return TRect();
}

TRect TCustomForm::ClientRect() const {
  if (FParent != nullptr) return TWinControl::ClientRect();
  const TRect f = FrameWidths();
  return TRect(0, 0, std::max(0, FWidth - f.Left - f.Right), std::max(0, FHeight - f.Top - f.Bottom));
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  if (FParent == nullptr) {
    Params.Style &= ~(WS_CHILD | WS_GROUP | WS_TABSTOP);
    Params.WndParent = nullptr;
    switch (FBorderStyle) {
      case bsNone: Params.Style |= WS_POPUP; break;
      case bsSingle: Params.Style |= WS_CAPTION | WS_BORDER; break;
      case bsSizeable: Params.Style |= WS_CAPTION | WS_THICKFRAME; break;
      case bsDialog:
        Params.Style |= WS_POPUP | WS_CAPTION;
        Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
      case bsToolWindow:
        Params.Style |= WS_CAPTION;
        Params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
      case bsSizeToolWin:
        Params.Style |= WS_CAPTION | WS_THICKFRAME;
        Params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (FBorderIcons.contains(biSystemMenu)) Params.Style |= WS_SYSMENU;
    if (FBorderIcons.contains(biMinimize)) Params.Style |= WS_MINIMIZEBOX;
    if (FBorderIcons.contains(biMaximize)) Params.Style |= WS_MAXIMIZEBOX;
    if (FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
  }
}

void TCustomForm::UpdateViewGeometry() {
  if (FView == nullptr) return;
  if (FParent != nullptr) {
    TWinControl::UpdateViewGeometry();
    return;
  }
  Qt::WindowFlags flags = Qt::Window;
  switch (FBorderStyle) {
    case bsNone: flags |= Qt::FramelessWindowHint; break;
    case bsDialog: flags = Qt::Dialog; break;
    case bsToolWindow:
    case bsSizeToolWin: flags = Qt::Tool; break;
    default: break;
  }
  flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (FBorderIcons.contains(biSystemMenu)) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (FBorderIcons.contains(biMinimize) && FBorderStyle != bsDialog) flags |= Qt::WindowMinimizeButtonHint;
  if (FBorderIcons.contains(biMaximize) && (FBorderStyle == bsSizeable)) flags |= Qt::WindowMaximizeButtonHint;
  if (FFormStyle == fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
  if (FView->windowFlags() != flags) {
    const bool vis = FView->isVisible();
    FView->setWindowFlags(flags);
    if (vis) FView->show();
  }
  const TRect cr = ClientRect();
  FView->move(FLeft, FTop);
  if (FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin || FBorderStyle == bsNone) {
    FView->setMinimumSize(0, 0);
    FView->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    FView->resize(cr.Right, cr.Bottom);
  } else {
    FView->setFixedSize(cr.Right, cr.Bottom);
  }
  FView->setWindowTitle(FText);
}

void TCustomForm::UpdateViewVisible() {
  if (FParent != nullptr) TWinControl::UpdateViewVisible();
}

void TCustomForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (FBorderStyle == Value) return;
  // The client area keeps its size; the frame around it changes.
  const TRect cr = ClientRect();
  FBorderStyle = Value;
  const TRect f = FrameWidths();
  FWidth = cr.Right + f.Left + f.Right;
  FHeight = cr.Bottom + f.Top + f.Bottom;
  UpdateViewGeometry();
  if (FHandleCreated) RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (FBorderIcons == Value) return;
  FBorderIcons = Value;
  UpdateViewGeometry();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (FFormStyle == Value) return;
  FFormStyle = Value;
  UpdateViewGeometry();
}

void TCustomForm::SetWindowState(TWindowState Value) {
  if (FWindowState == Value) return;
  FWindowState = Value;
  if (FView == nullptr || !FView->isVisible()) return;
  switch (Value) {
    case wsNormal: FView->showNormal(); break;
    case wsMinimized: FView->showMinimized(); break;
    case wsMaximized: FView->showMaximized(); break;
  }
}

void TCustomForm::CMTextChanged(TMessageView& Message) {
  if (FView != nullptr && FParent == nullptr) FView->setWindowTitle(FText);
  TWinControl::CMTextChanged(Message);
}

bool TCustomForm::Showing() const {
  if (FParent != nullptr) return TWinControl::Showing();
  return FVisible;
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (FActiveControl == Control) return;
  if (!(Control == nullptr ||
        (static_cast<TControl*>(Control) != this && ::GetParentForm(Control) == this &&
         (ComponentState().contains(csLoading) || Control->CanFocus()))))
    throw EInvalidOperation(kCannotFocus);
  FActiveControl = Control;
  if (!ComponentState().contains(csLoading) && FActive) SetWindowFocus();
}

void TCustomForm::SetModalResult(TModalResult Value) {
  FModalResult = Value;
  if (Value != mrNone && FModalLoop != nullptr) static_cast<QEventLoop*>(FModalLoop)->quit();
}

void TCustomForm::Show() {
  SetVisible(true);
  if (FView != nullptr && !OffscreenPlatform()) FView->raise();
}

void TCustomForm::Hide() { SetVisible(false); }

void TCustomForm::ApplyPosition() {
  if (FParent != nullptr || Screen == nullptr) return;
  auto centerOn = [this](const TRect& r) {
    SetBounds(r.Left + (r.Width() - FWidth) / 2, r.Top + (r.Height() - FHeight) / 2, FWidth, FHeight);
  };
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
      centerOn(TRect(0, 0, Screen->Width(), Screen->Height()));
      break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TCustomForm* ref = nullptr;
      if (FPosition == poOwnerFormCenter) ref = dynamic_cast<TCustomForm*>(Owner());
      if (ref == nullptr && Application != nullptr) ref = Application->MainForm();
      if (ref != nullptr && ref != this && ref->Visible()) centerOn(ref->BoundsRect());
      else centerOn(TRect(0, 0, Screen->Width(), Screen->Height()));
      break;
    }
    default:
      break;
  }
}

void TCustomForm::CMShowingChanged(TMessageView& Message) {
  if (FParent != nullptr) {
    TWinControl::CMShowingChanged(Message);
    return;
  }
  if (FFormState.contains(fsShowing))
    throw EInvalidOperation(QStringLiteral("Cannot change Visible in OnShow or OnHide"));
  FFormState.Include(fsShowing);
  struct Done {
    TCustomForm* f;
    TControlGuard g;
    ~Done() {
      if (g.Alive()) f->FFormState.Exclude(fsShowing);
    }
  } done{this, TControlGuard(this)};
  TControlGuard self(this);
  if (FVisible) {
    RunGuarded(this, [this] { DoShow(); });
    if (!self.Alive()) return;
    // The form and its visible windowed children get their windows.
    std::function<void(TWinControl*)> create = [&](TWinControl* w) {
      w->CreateHandle();
      for (int i = 0; i < w->ControlCount(); ++i) {
        TControl* c = w->Controls(i);
        if (c->IsWindowed() && c->Visible()) create(static_cast<TWinControl*>(c));
      }
    };
    create(this);
    ApplyPosition();
    UpdateViewGeometry();
    if (FView != nullptr) {
      FView->show();
      if (!OffscreenPlatform()) FView->raise();
    }
    ActivateForm(this);
  } else {
    RunGuarded(this, [this] { DoHide(); });
    if (!self.Alive()) return;
    if (FView != nullptr) FView->hide();
    FormHidden(this);
  }
}

int TCustomForm::ShowModal() {
  if (FVisible || !FEnabled || FFormState.contains(fsModal) || FFormStyle == fsMDIChild)
    throw EInvalidOperation(QStringLiteral("Cannot make a visible window modal"));
  if (TControl* cap = GetCaptureControl()) cap->Perform(WM_CANCELMODE);
  ReleaseCapture();
  if (TestHooks::TestMode() && !TestHooks::ModalHook()) {
    TestHooks::ReportFailure(QStringLiteral("Form \"%1\" (%2) was shown modally, but no modal hook is installed")
                                 .arg(Caption(), ClassName()));
    return mrCancel;
  }
  QEventLoop loop;
  TControlGuard self(this);
  ++Application->FModalLevel;
  Application->D_ModalForms().push_back(this);
  FFormState.Include(fsModal);
  FModalLoop = &loop;
  TCustomForm* savedActive = ActiveModelForm();
  TControlGuard savedActiveGuard(savedActive);
  TCustomForm* savedFocused = Screen->FFocusedForm;
  TControlGuard savedFocusedGuard(savedFocused);
  Screen->FFocusedForm = this;
  const TCursor savedCursor = Screen->Cursor();
  Screen->SetCursor(crDefault);
  if (FView != nullptr) FView->setWindowModality(Qt::ApplicationModal);
  int result = mrCancel;
  // Whatever way the loop ends (a result, the form freed, an exception), the
  // modal state, the cursor and the focused and active forms are restored.
  const auto restore = qScopeGuard([&] {
    Screen->SetCursor(savedCursor);
    if (self.Alive()) {
      if (FView != nullptr) FView->setWindowModality(Qt::NonModal);
      FModalLoop = nullptr;
      FFormState.Exclude(fsModal);
    }
    Screen->FFocusedForm = savedFocusedGuard.Alive() ? savedFocused : nullptr;
    if (savedActiveGuard.Alive() && savedActive->Visible()) ActivateForm(savedActive);
    auto& modal = Application->D_ModalForms();
    auto it = std::find(modal.begin(), modal.end(), this);
    if (it != modal.end()) modal.erase(it);
    --Application->FModalLevel;
  });
  Show();
  {
    // A shown modal form is hidden again however the loop ends.
    const auto hide = qScopeGuard([&] {
      if (self.Alive()) Hide();
    });
    DeliverMessage(this, CM_ACTIVATE, 0, 0);
    FModalResult = mrNone;
    if (TestHooks::TestMode()) {
      // The test acts on the form once the modal loop runs.
      QTimer::singleShot(0, &loop, [this, self] {
        if (self.Alive() && FFormState.contains(fsModal))
          RunGuarded(this, [this] { TestHooks::ModalHook()(this); });
      });
    }
    for (;;) {
      if (FModalResult == mrNone && !Application->Terminated()) loop.exec();
      if (!self.Alive()) break;
      if (Application->Terminated()) {
        FModalResult = mrCancel;
      } else if (FModalResult != mrNone) {
        CloseModal();
      }
      if (FModalResult != mrNone) break;
    }
    if (self.Alive()) {
      result = FModalResult;
      DeliverMessage(this, CM_DEACTIVATE, 0, 0);
    }
  }
  return result;
}

void TCustomForm::CloseModal() {
  try {
    TCloseAction action = caNone;
    if (CloseQuery()) {
      action = caHide;
      DoClose(action);
    }
    switch (action) {
      case caNone: FModalResult = mrNone; break;
      case caFree: Release(); break;
      default: break;
    }
  } catch (...) {
    FModalResult = mrNone;
    Application->HandleException(this);
  }
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (FFormState.contains(fsModal)) {
    SetModalResult(mrCancel);
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  TControlGuard self(this);
  DoClose(action);
  if (!self.Alive() || action == caNone) return;
  if (Application->MainForm() == this) {
    Application->Terminate();
  } else if (action == caHide) {
    Hide();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Release();
  }
}

void TCustomForm::Release() { PostMessage(Handle(), CM_RELEASE, 0, 0); }

void TCustomForm::CMRelease(TMessageView&) {
  BeforeDestruction();
  delete this;
}

void TCustomForm::WMClose(TMessageView&) { Close(); }

void TCustomForm::WMActivate(TMessageView& Message) { SetActive(LoWord(Message.WParam) != 0); }

void TCustomForm::SetActive(bool Value) {
  FActive = Value;
  if (Value) {
    if (FActiveControl == nullptr) FActiveControl = FindNextControl(nullptr, true, true, false);
    SetWindowFocus();
  }
}

void TCustomForm::SetWindowFocus() {
  HWND h = nullptr;
  if (FActiveControl != nullptr && FActiveControl->CanFocus()) h = FActiveControl->Handle();
  else h = Handle();
  if (h != nullptr) ::SetFocus(h);
}

void TCustomForm::CMActivate(TMessageView&) {
  if (ComponentState().contains(csReading)) {
    FFormState.Include(fsActivated);
    return;
  }
  Activate();
}

void TCustomForm::CMDeactivate(TMessageView&) {
  if (ComponentState().contains(csReading)) {
    FFormState.Exclude(fsActivated);
    return;
  }
  Deactivate();
}

void TCustomForm::CMDialogKey(TWMKey& Message) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (Message.CharCode()) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
          Message.Result = 1;
          return;
        }
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        if (FActiveControl != nullptr && FActiveControl->Parent() != nullptr) {
          FActiveControl->Parent()->SelectNext(
              FActiveControl, Message.CharCode() == VK_RIGHT || Message.CharCode() == VK_DOWN, false);
          Message.Result = 1;
        }
        return;
      default:
        break;
    }
  }
  TWinControl::CMDialogKey(Message);
}

void TCustomForm::FocusControl(TWinControl* Control) {
  const bool wasActive = FActive;
  SetActiveControl(Control);
  if (!wasActive) SetFocus();
}

void TCustomForm::SetFocus() {
  if (!FActive) {
    if (!(Visible() && Enabled())) throw EInvalidOperation(kCannotFocus);
    SetWindowFocus();
  }
}

bool TCustomForm::CanFocus() const { return TWinControl::CanFocus(); }

bool TCustomForm::SendFocusMessage(TWinControl* Control, UINT Msg) {
  const int count = FFocusCount;
  DeliverMessage(Control, Msg, 0, 0);
  return FFocusCount == count;
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  ++FFocusCount;
  FActiveControl = static_cast<TControl*>(Control) != this ? Control : nullptr;
  if (Screen != nullptr) Screen->SetFocusedState(this, Control);
  if (Control->FControlState.contains(csFocusing)) return false;
  Control->FControlState.Include(csFocusing);
  TControlGuard guard(Control);
  struct Unmark {
    TWinControl* c;
    TControlGuard& g;
    ~Unmark() {
      if (g.Alive()) c->FControlState.Exclude(csFocusing);
    }
  } unmark{Control, guard};
  if (Screen->FFocusedForm != this) {
    if (Screen->FFocusedForm != nullptr) {
      TCustomForm* old = Screen->FFocusedForm;
      Screen->FFocusedForm = nullptr;
      if (!SendFocusMessage(old, CM_DEACTIVATE)) return false;
    }
    Screen->FFocusedForm = this;
    if (!SendFocusMessage(this, CM_ACTIVATE)) return false;
  }
  if (FFocusedControl == nullptr) FFocusedControl = this;
  if (FFocusedControl != Control) {
    while (FFocusedControl != nullptr && !FFocusedControl->ContainsControl(Control)) {
      TWinControl* leaving = FFocusedControl;
      FFocusedControl = FFocusedControl->Parent();
      if (!SendFocusMessage(leaving, CM_EXIT)) return false;
    }
    while (FFocusedControl != Control) {
      TWinControl* temp = Control;
      while (temp->Parent() != FFocusedControl) temp = temp->Parent();
      FFocusedControl = temp;
      if (!SendFocusMessage(temp, CM_ENTER)) return false;
    }
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
  }
  return true;
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
  if (Removing && FFocusedControl != nullptr && Control->ContainsControl(FFocusedControl))
    FFocusedControl = Control->Parent();
  if (FActiveControl != nullptr && Control->ContainsControl(FActiveControl)) {
    FActiveControl = nullptr;
    if (FActive && !ComponentState().contains(csDestroying)) {
      SetWindowFocus();
    } else if (FView != nullptr && GetFocus() != nullptr && Control->View() != nullptr &&
               (GetFocus() == Control->View() || Control->View()->isAncestorOf(GetFocus()))) {
      ::SetFocus(nullptr);
    }
  }
}

void TCustomForm::MouseWheelHandler(TMessage& Message) {
  if (FFocusedControl != nullptr && static_cast<TControl*>(FFocusedControl) != this) {
    Message.Result = FFocusedControl->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
  } else {
    Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
  }
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove) {
    if (AComponent == FActiveControl) FActiveControl = nullptr;
    if (AComponent == FFocusedControl) FFocusedControl = nullptr;
  }
}

// ------------------------------------------------------------ THintWindow

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  FColor = clInfoBk;
  FParentColor = false;
  FBrush->SetColor(clInfoBk);
  FVisible = false;
  FView->setObjectName(QStringLiteral("THintWindow"));
  FView->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
  FView->setAttribute(Qt::WA_ShowWithoutActivating);
  if (Screen != nullptr) Font()->Assign(Screen->HintFont());
}

THintWindow::~THintWindow() = default;

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = WS_POPUP | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW;
  Params.WndParent = nullptr;
}

void THintWindow::UpdateViewVisible() {}

TRect THintWindow::CalcHintRect(int MaxWidth, const QString& AHint, void*) {
  TRect r(0, 0, MaxWidth, 0);
  TCanvas* c = Canvas();
  c->SetFont(Font());
  ::DrawText(c->Handle(), AHint, -1, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  r.Right += 6;
  r.Bottom += 2;
  return r;
}

void THintWindow::ActivateHint(TRect Rect, const QString& AHint) { ActivateHintData(Rect, AHint, nullptr); }

void THintWindow::ActivateHintData(TRect Rect, const QString& AHint, void*) {
  FActive = true;
  SetCaption(AHint);
  HandleNeeded();
  SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
  FView->move(Rect.Left, Rect.Top);
  FView->resize(Rect.Width(), Rect.Height());
  FVisible = true;
  Invalidate();
  FView->show();
  if (!OffscreenPlatform()) FView->raise();
}

void THintWindow::ReleaseHandle() {
  FActive = false;
  FVisible = false;
  if (FView != nullptr) FView->hide();
}

bool THintWindow::IsHintMsg(const TMessage& Msg) const {
  return (Msg.Msg >= WM_KEYFIRST && Msg.Msg <= WM_KEYLAST) ||
         (Msg.Msg >= WM_MOUSEFIRST + 1 && Msg.Msg <= WM_MOUSELAST) || Msg.Msg == CM_ACTIVATE ||
         Msg.Msg == CM_DEACTIVATE || Msg.Msg == WM_ACTIVATE;
}

void THintWindow::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  c->Brush()->SetColor(clWindowFrame);
  c->FrameRect(r);
  c->SetFont(Font());
  c->Font()->SetColor(clInfoText);
  c->Brush()->SetStyle(bsClear);
  TRect t(r.Left + 2, r.Top + 1, r.Right - 2, r.Bottom - 1);
  ::DrawText(c->Handle(), Caption(), -1, t, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
  c->Brush()->SetStyle(bsSolid);
}

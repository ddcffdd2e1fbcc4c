// Forms: TApplication (the program's forms, message loop, exceptions, hints),
// TScreen (forms, cursor, fonts, monitors) and TMouse.
#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QFileInfo>
#include <QFontDatabase>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "platform/ui/ControlWidget_p.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/TestHooks.h"

// ------------------------------------------------------------ TApplication

class TApplicationPrivate {
 public:
  std::unique_ptr<QApplication> OwnedApp;
  std::vector<QEventLoop*> Loops;
  std::vector<TCustomForm*> ModalForms;
  std::unique_ptr<QTimer> HintTimer;
  std::unique_ptr<QTimer> HideTimer;
  TControlGuard HintControl{nullptr};
  THintWindow* HintWindow = nullptr;
  bool HintActive = false;
  TRect HintCursorRect;  // screen coordinates
  bool HintShown = false;
  int ArgcStore = 1;
  char* ArgvStore[2] = {const_cast<char*>("zidi"), nullptr};

  void EnsureTimers(TApplication* app) {
    if (HintTimer) return;
    HintTimer = std::make_unique<QTimer>();
    HintTimer->setSingleShot(true);
    QObject::connect(HintTimer.get(), &QTimer::timeout, [app] {
      RunGuarded(app, [app] { app->ActivateHint(TPoint(QCursor::pos().x(), QCursor::pos().y())); });
    });
    HideTimer = std::make_unique<QTimer>();
    HideTimer->setSingleShot(true);
    QObject::connect(HideTimer.get(), &QTimer::timeout, [this] { HideHint(); });
  }

  void HideHint() {
    if (HideTimer) HideTimer->stop();
    if (HintWindow != nullptr) HintWindow->ReleaseHandle();
    HintShown = false;
  }
};

std::vector<TCustomForm*>& TApplication::D_ModalForms() { return D->ModalForms; }

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), D(std::make_unique<TApplicationPrivate>()) {}

TApplication::~TApplication() = default;

void TApplication::Initialize() {
  if (QCoreApplication::instance() == nullptr) {
    D->OwnedApp = std::make_unique<QApplication>(D->ArgcStore, D->ArgvStore);
  }
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) app->setQuitOnLastWindowClosed(false);
  if (FTitle.isEmpty()) FTitle = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void TApplication::Initialize(int& argc, char** argv) {
  if (QCoreApplication::instance() == nullptr) D->OwnedApp = std::make_unique<QApplication>(argc, argv);
  Initialize();
}

void TApplication::FormCreated(TCustomForm* Form) {
  Form->AfterConstruction();
  if (FMainForm == nullptr) {
    FMainForm = Form;
    Form->HandleNeeded();
  }
}

void TApplication::SetTitle(const QString& Value) { FTitle = Value; }

QString TApplication::ExeName() const { return QCoreApplication::applicationFilePath(); }

TCustomForm* TApplication::ModalForm() const {
  return D->ModalForms.empty() ? nullptr : D->ModalForms.back();
}

void TApplication::Run() {
  if (FMainForm == nullptr) return;
  if (FShowMainForm && !FTerminated) RunGuarded(this, [this] { FMainForm->SetVisible(true); });
  while (!FTerminated) {
    QEventLoop loop;
    D->Loops.push_back(&loop);
    loop.exec();
    D->Loops.pop_back();
    bool done = false;
    if (OnIdle) RunGuarded(this, [this, &done] { OnIdle(this, done); });
  }
}

void TApplication::Finalize() {
  CancelHint();
  // Each form hears OnDestroy while all of them still exist, then they go.
  std::vector<TCustomForm*> forms;
  for (int i = ComponentCount() - 1; i >= 0; --i)
    if (auto* f = dynamic_cast<TCustomForm*>(Components(i))) forms.push_back(f);
  for (TCustomForm* f : forms) f->BeforeDestruction();
  DestroyComponents();
  D->HintWindow = nullptr;
  FMainForm = nullptr;
  FTerminated = false;
  D->HintTimer.reset();
  D->HideTimer.reset();
  if (QCoreApplication::instance() != nullptr) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  D->OwnedApp.reset();
}

void TApplication::ProcessMessages() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::HandleMessage() {
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void TApplication::Terminate() {
  FTerminated = true;
  for (QEventLoop* l : D->Loops) l->quit();
  for (TCustomForm* f : D->ModalForms)
    if (f->FModalLoop != nullptr) static_cast<QEventLoop*>(f->FModalLoop)->quit();
}

void TApplication::HandleException(TObject* Sender) {
  std::exception_ptr ex = std::current_exception();
  if (!ex) return;
  if (TControl* cap = GetCaptureControl()) cap->Perform(WM_CANCELMODE);
  try {
    std::rethrow_exception(ex);
  } catch (EAbort&) {
    // The silent exception ends an operation without a message.
  } catch (Exception& e) {
    if (OnException) OnException(Sender, e);
    else ShowException(e);
  } catch (std::exception& e) {
    Exception wrapped(QString::fromUtf8(e.what()));
    if (OnException) OnException(Sender, wrapped);
    else ShowException(wrapped);
  } catch (...) {
    Exception wrapped(QStringLiteral("Unknown exception"));
    if (OnException) OnException(Sender, wrapped);
    else ShowException(wrapped);
  }
}

void TApplication::ShowException(const Exception& E) {
  QString msg = E.Message();
  if (!msg.isEmpty() && msg.back() > QLatin1Char('.')) msg += QLatin1Char('.');
  MessageBox(msg, FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const QString& Text, const QString& Caption, UINT Flags) {
  HWND owner = FMainForm != nullptr ? FMainForm->View() : nullptr;
  return ::MessageBox(owner, Text, Caption, Flags);
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove) {
    if (AComponent == FMainForm) FMainForm = nullptr;
    if (AComponent == D->HintWindow) D->HintWindow = nullptr;
  }
}

// --- hints ---

void TApplication::SetHint(const QString& Value) {
  if (FHint == Value) return;
  FHint = Value;
  if (OnHint) OnHint(this);
}

void TApplication::SetShowHint(bool Value) {
  FShowHint = Value;
  if (!Value) CancelHint();
}

THintWindow* TApplication::HintWindow() const { return D->HintShown ? D->HintWindow : nullptr; }

void TApplication::CancelHint() {
  if (D->HintTimer) D->HintTimer->stop();
  D->HideHint();
  D->HintControl = TControlGuard(nullptr);
  D->HintActive = false;
}

namespace {
QString HintOf(TControl* c) {
  while (c != nullptr && c->Hint().isEmpty()) c = c->Parent();
  return c != nullptr ? c->Hint() : QString();
}
}  // namespace

void TApplication::HintMouseMessage(TControl* Control, TMessage& Message) {
  const TPoint client(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
  const TPoint screen = Control->ClientToScreen(client);
  TControl* c = FindDragTarget(screen, true);
  D->EnsureTimers(this);
  TControl* current = D->HintControl.Get();
  SetHint(c != nullptr ? GetLongHint(HintOf(c)) : QString());
  if (c == current && c != nullptr) {
    if (D->HintShown && !PtInRect(D->HintCursorRect, screen)) {
      // The pointer left the part of the control the hint was for.
      D->HideHint();
      D->HintTimer->start(FHintShortPause);
    }
    return;
  }
  const bool wasShown = D->HintShown;
  D->HideHint();
  D->HintControl = TControlGuard(c);
  D->HintTimer->stop();
  if (c == nullptr || !FShowHint || !c->ShowHint() || HintOf(c).isEmpty()) return;
  int pause = wasShown ? FHintShortPause : FHintPause;
  if (!wasShown) {
    TMessage m;
    m.Msg = CM_HINTSHOWPAUSE;
    m.WParam = 0;
    m.LParam = reinterpret_cast<LPARAM>(&pause);
    c->WindowProc(m);
  }
  D->HintTimer->start(std::max(0, pause));
}

void TApplication::ActivateHint(const TPoint& CursorPos) {
  D->EnsureTimers(this);
  TControl* c = FindDragTarget(CursorPos, true);
  if (c == nullptr) {
    CancelHint();
    return;
  }
  D->HintControl = TControlGuard(c);
  if (!FShowHint || !c->ShowHint()) return;
  THintInfo info;
  info.HintControl = c;
  info.HintWindowClass = HintWindowClass;
  info.HintPos = TPoint(CursorPos.X, CursorPos.Y + 20);
  info.HintMaxWidth = Screen != nullptr ? Screen->Width() : 800;
  info.HintColor = FHintColor;
  info.CursorRect = c->ClientRect();
  info.CursorPos = c->ScreenToClient(CursorPos);
  info.HideTimeout = FHintHidePause;
  info.HintStr = GetShortHint(HintOf(c));
  TControlGuard guard(c);
  bool canShow = c->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
  if (!guard.Alive()) return;
  if (canShow && OnShowHint) OnShowHint(info.HintStr, canShow, info);
  if (!canShow || info.HintStr.isEmpty()) return;
  if (D->HintWindow == nullptr) {
    THintWindowClass factory = info.HintWindowClass ? info.HintWindowClass : HintWindowClass;
    D->HintWindow = factory ? factory(this) : new THintWindow(this);
  }
  THintWindow* w = D->HintWindow;
  w->SetColor(info.HintColor);
  TRect r = w->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
  OffsetRect(r, info.HintPos.X, info.HintPos.Y);
  w->ActivateHintData(r, info.HintStr, info.HintData);
  D->HintShown = true;
  D->HintActive = true;
  const TPoint tl = c->ClientToScreen(info.CursorRect.TopLeft());
  D->HintCursorRect = TRect(tl.X, tl.Y, tl.X + info.CursorRect.Width(), tl.Y + info.CursorRect.Height());
  if (info.HideTimeout > 0) D->HideTimer->start(info.HideTimeout);
}


void HintCancelForInput() {
  if (Application != nullptr && Application->HintWindow() != nullptr) Application->CancelHint();
}

// ------------------------------------------------------------------ TScreen

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}
TScreen::~TScreen() = default;

int TScreen::Width() const {
  QScreen* s = QGuiApplication::primaryScreen();
  return s != nullptr ? s->geometry().width() : 800;
}

int TScreen::Height() const {
  QScreen* s = QGuiApplication::primaryScreen();
  return s != nullptr ? s->geometry().height() : 600;
}

TRect TScreen::DesktopRect() const { return TRect(0, 0, Width(), Height()); }

TRect TScreen::WorkAreaRect() const {
  QScreen* s = QGuiApplication::primaryScreen();
  if (s == nullptr) return DesktopRect();
  const QRect r = s->availableGeometry();
  return TRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

QStringList TScreen::Fonts() const {
  QStringList families = QFontDatabase::families();
  families.sort(Qt::CaseInsensitive);
  return families;
}

void TScreen::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  const bool had = FCursor != crDefault;
  FCursor = Value;
  if (QGuiApplication::instance() == nullptr) return;
  if (Value == crDefault) {
    if (had) QApplication::restoreOverrideCursor();
  } else {
    HCURSOR h = Cursors(Value);
    if (h == nullptr) h = CursorOf(crArrow);
    if (had) QApplication::changeOverrideCursor(QCursorOf(h));
    else QApplication::setOverrideCursor(QCursorOf(h));
  }
}

HCURSOR TScreen::Cursors(int Index) const {
  auto it = FCursors.find(Index);
  if (it != FCursors.end()) return it->second;
  if (Index <= 0) return CursorOf(Index);
  return nullptr;
}

void TScreen::SetCursors(int Index, HCURSOR Handle) {
  if (Handle == nullptr) FCursors.erase(Index);
  else FCursors[Index] = Handle;
}

TCustomForm* TScreen::ActiveForm() const { return FActiveForm; }

TCustomForm* TScreen::Forms(int Index) const {
  if (Index < 0 || Index >= FormCount())
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
  return FForms[static_cast<size_t>(Index)];
}

TFont* TScreen::HintFont() const {
  if (!FHintFont) FHintFont = std::make_unique<TFont>();
  return FHintFont.get();
}

void TScreen::AddForm(TCustomForm* Form) { FForms.push_back(Form); }

void TScreen::RemoveForm(TCustomForm* Form) {
  auto it = std::find(FForms.begin(), FForms.end(), Form);
  if (it != FForms.end()) FForms.erase(it);
  if (FActiveForm == Form) FActiveForm = nullptr;
  if (FFocusedForm == Form) FFocusedForm = nullptr;
  if (FActiveControl != nullptr && Form->ContainsControl(FActiveControl)) FActiveControl = nullptr;
}

void TScreen::SetFocusedState(TCustomForm* Form, TWinControl* Control) {
  const bool formChanged = FActiveForm != Form;
  const bool controlChanged = FActiveControl != Control;
  FActiveControl = Control;
  FActiveForm = Form;
  auto it = std::find(FForms.begin(), FForms.end(), Form);
  if (it != FForms.end()) {
    FForms.erase(it);
    FForms.insert(FForms.begin(), Form);
  }
  if (controlChanged && OnActiveControlChange) OnActiveControlChange(this);
  if (formChanged && OnActiveFormChange) OnActiveFormChange(this);
}

// ------------------------------------------------------------------- TMouse

TPoint TMouse::CursorPos() const {
  TPoint p;
  GetCursorPos(&p);
  return p;
}

void TMouse::SetCursorPos(const TPoint& Value) { ::SetCursorPos(Value.X, Value.Y); }
HWND TMouse::Capture() const { return GetCapture(); }
void TMouse::SetCapture(HWND Value) {
  if (Value == nullptr) ReleaseCapture();
  else ::SetCapture(Value);
}

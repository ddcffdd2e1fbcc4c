// Test hooks: the dialog responder, the modal hook, the pop-up menu hook and
// the failure handler of test mode.
#include "platform/ui/TestHooks.h"

#include <QPaintDevice>

#include "platform/gdi/DeviceContext_p.h"
#include "platform/ui/Forms.h"
#include "platform/ui/UiState_p.h"

namespace {
bool g_testMode = false;
TFailureHandler g_failure;
TDialogResponder g_responder;
TModalHook g_modalHook;
TPopupMenuHook g_popupHook;

QString Describe(const TDialogRequest& r) {
  switch (r.Kind) {
    case dkOpenFile: return QStringLiteral("open dialog \"%1\" (filter \"%2\")").arg(r.Title, r.Filter);
    case dkSaveFile: return QStringLiteral("save dialog \"%1\" (filter \"%2\")").arg(r.Title, r.Filter);
    default: return QStringLiteral("message \"%1\": \"%2\"").arg(r.Caption, r.Text);
  }
}
}  // namespace

namespace TestHooks {

void SetTestMode(bool On, TFailureHandler Handler) {
  g_testMode = On;
  g_failure = std::move(Handler);
}

bool TestMode() { return g_testMode; }

void ReportFailure(const QString& Message) {
  if (g_failure) g_failure(Message);
}

void SetDialogResponder(TDialogResponder Responder) { g_responder = std::move(Responder); }
const TDialogResponder& DialogResponder() { return g_responder; }
void SetModalHook(TModalHook Hook) { g_modalHook = std::move(Hook); }
const TModalHook& ModalHook() { return g_modalHook; }
void SetPopupMenuHook(TPopupMenuHook Hook) { g_popupHook = std::move(Hook); }
const TPopupMenuHook& PopupMenuHook() { return g_popupHook; }

TDialogAnswer Answer(const TDialogRequest& Request, const std::function<TDialogAnswer()>& Real) {
  if (g_responder) {
    // The responder may be replaced while it answers; it runs from a copy.
    TDialogResponder responder = g_responder;
    return responder(Request);
  }
  if (g_testMode) {
    ReportFailure(QStringLiteral("Unexpected %1 with no dialog responder installed").arg(Describe(Request)));
    return TDialogAnswer::Button(Request.CancelResult);
  }
  return Real();
}

}  // namespace TestHooks

TScopedDialogResponder::TScopedDialogResponder(TDialogResponder Responder)
    : FPrevious(TestHooks::DialogResponder()) {
  TestHooks::SetDialogResponder(std::move(Responder));
}

TScopedDialogResponder::~TScopedDialogResponder() { TestHooks::SetDialogResponder(FPrevious); }

TScopedModalHook::TScopedModalHook(TModalHook Hook) : FPrevious(TestHooks::ModalHook()) {
  TestHooks::SetModalHook(std::move(Hook));
}

TScopedModalHook::~TScopedModalHook() { TestHooks::SetModalHook(FPrevious); }

TDialogRecorder::TDialogRecorder() : FPrevious(TestHooks::DialogResponder()) {
  TestHooks::SetDialogResponder([this](const TDialogRequest& r) {
    FRequests.push_back(r);
    if (FAnswers.empty()) {
      TestHooks::ReportFailure(QStringLiteral("Unexpected %1: no answer was prepared").arg(Describe(r)));
      return TDialogAnswer::Button(r.CancelResult);
    }
    TDialogAnswer a = FAnswers.front();
    FAnswers.pop_front();
    return a;
  });
}

TDialogRecorder::~TDialogRecorder() { TestHooks::SetDialogResponder(FPrevious); }

// ------------------------------------------------------------ state left behind

namespace TestHooks {

QStringList StateLeftBehind() {
  QStringList left;
  TUiState& s = UiState();
  if (TControl* c = GetCaptureControl())
    left << QStringLiteral("the mouse is captured by %1 (%2)").arg(c->Name(), c->ClassName());
  if (Application != nullptr && Application->ModalLevel() > 0)
    left << QStringLiteral("%1 modal loop(s) still run").arg(Application->ModalLevel());
  for (const auto& [device, dc] : s.PainterOwners)
    if (device->devType() == QInternal::Widget)
      left << QStringLiteral("a painter is still open on a window");
  if (!s.WindowDcs.empty())
    left << QStringLiteral("%1 window device context(s) not released").arg(s.WindowDcs.size());
  return left;
}

void ClearStateLeftBehind() {
  TUiState& s = UiState();
  if (GetCaptureControl() != nullptr) SetCaptureControl(nullptr);
  std::vector<TDeviceContext*> open;
  for (const auto& [device, dc] : s.PainterOwners)
    if (device->devType() == QInternal::Widget) open.push_back(dc);
  for (TDeviceContext* dc : open) dc->ReleasePainter();
  const std::vector<HDC> dcs = [&] {
    std::vector<HDC> v;
    for (const auto& [dc, view] : s.WindowDcs) v.push_back(dc);
    return v;
  }();
  for (HDC dc : dcs) ReleaseDC(nullptr, dc);
}

}  // namespace TestHooks

// TTimer on a Qt timer.
#include "platform/widgets/ExtCtrls.h"

#include <QTimer>

#include "platform/ui/ControlWidget_p.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FTimer(std::make_unique<QTimer>()) {
  FTimer->setTimerType(Qt::PreciseTimer);
  QObject::connect(FTimer.get(), &QTimer::timeout, [this] {
    TDispatchScope scope;
    RunGuarded(this, [this] { Timer(); });
  });
  UpdateTimer();
}

TTimer::~TTimer() {
  FTimer->stop();
  OnTimer = nullptr;
}

void TTimer::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
  if (FInterval == Value) return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  FTimer->stop();
  if (FEnabled && FInterval > 0) FTimer->start(static_cast<int>(FInterval));
}

void TTimer::Timer() {
  if (OnTimer) OnTimer(this);
}

// Extra controls of the desktop framework. Here: TTimer. The panels, shapes,
// images and the other controls of this unit join it with the standard controls.
#pragma once

#include <memory>

#include "platform/Classes.h"

class QTimer;

// Fires OnTimer every Interval ms from the event loop while Enabled (and an
// Interval above 0). Setting Enabled to true on a running timer changes
// nothing (the interval does not start again); a new Interval restarts it.
// An exception in OnTimer shows the default exception box.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned Value);
  TNotifyEvent OnTimer;

 protected:
  virtual void Timer();

 private:
  void UpdateTimer();
  bool FEnabled = true;
  unsigned FInterval = 1000;
  std::unique_ptr<QTimer> FTimer;
};

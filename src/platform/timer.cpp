#include "platform/timer.h"

namespace platform {

void Timer::SetEnabled(bool on) {
  if (on == enabled_) return;
  enabled_ = on;
  if (on) ++generation_;
  Notify();
}

void Timer::SetInterval(int ms) {
  if (ms == interval_) return;
  interval_ = ms;
  if (enabled_) ++generation_;
  Notify();
}

void Timer::Fire() {
  if (enabled_ && handler_) handler_();
}

void Timer::Notify() {
  if (host_ != nullptr) host_->TimerChanged(*this);
}

}  // namespace platform

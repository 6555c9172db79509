#pragma once
// A timer of the table client: interval, enabled flag and one handler, fired by the host.
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

class Timer;

// The host's side of a timer: told whenever a timer starts, stops or changes its interval.
class TimerHost {
 public:
  virtual ~TimerHost() = default;
  virtual void TimerChanged(Timer& timer) = 0;
};

class Timer {
 public:
  Timer(std::string name, int intervalMs) : name_(std::move(name)), interval_(intervalMs) {}
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  const std::string& Name() const { return name_; }
  bool Enabled() const { return enabled_; }
  int Interval() const { return interval_; }

  // Enabling a stopped timer starts a fresh period; enabling a running one changes nothing.
  void SetEnabled(bool on);
  // A new interval restarts the period of a running timer.
  void SetInterval(int ms);
  void SetHandler(std::function<void()> handler) { handler_ = std::move(handler); }
  void Attach(TimerHost* host) { host_ = host; }

  // Bumped at every (re)start, so a host can tell a restarted period from a running one.
  std::uint64_t Generation() const { return generation_; }

  // Called by the host when a period has elapsed.
  void Fire();

 private:
  void Notify();

  std::string name_;
  int interval_;
  bool enabled_ = false;
  std::uint64_t generation_ = 0;
  std::function<void()> handler_;
  TimerHost* host_ = nullptr;
};

}  // namespace platform

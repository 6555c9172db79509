// The virtual clock's timers behave as the client's timers do: a period starts when a stopped
// timer is enabled, a timer that stops and restarts itself in its handler gets a fresh period.
#include <gtest/gtest.h>

#include <vector>

#include "platform/virtual/virtual_host.h"

namespace vhost {
namespace {

class VirtualTimers : public ::testing::Test {
 protected:
  VirtualTimers() {
    timer.Attach(&host);
    timer.SetHandler([this] {
      fired.push_back(host.Now());
      if (onFire) onFire();
    });
  }
  ~VirtualTimers() override {
    timer.SetEnabled(false);
    timer.Attach(nullptr);
  }

  VirtualHost host;
  platform::Timer timer{"T", 100};
  std::vector<std::int64_t> fired;
  std::function<void()> onFire;
};

TEST_F(VirtualTimers, ARunningTimerKeepsItsPeriod) {
  timer.SetEnabled(true);
  host.Advance(350);
  EXPECT_EQ(fired, (std::vector<std::int64_t>{100, 200, 300}));
  timer.SetEnabled(true);  // already running: changes nothing
  host.Advance(100);
  EXPECT_EQ(fired.back(), 400);
}

TEST_F(VirtualTimers, EnablingAStoppedTimerStartsAFreshPeriod) {
  timer.SetEnabled(true);
  host.Advance(60);
  timer.SetEnabled(false);
  host.Advance(20);
  timer.SetEnabled(true);  // at 80
  host.Advance(99);
  EXPECT_TRUE(fired.empty()) << "not at 100, where the first period would have ended";
  host.Advance(1);
  EXPECT_EQ(fired, std::vector<std::int64_t>{180});
}

TEST_F(VirtualTimers, AHandlerThatWaitsSeesItsOwnTimerAgainOnePeriodLater) {
  // The first run waits 250 ms handling events, its timer left running: inside the wait the
  // timer fires at 200 and 300, once a period, never again at 100.
  bool waited = false;
  onFire = [&] {
    if (waited) return;
    waited = true;
    host.WaitProcessingEvents(250);
  };
  timer.SetEnabled(true);
  host.Advance(420);
  EXPECT_EQ(fired, (std::vector<std::int64_t>{100, 200, 300, 400}));
}

TEST_F(VirtualTimers, RestartedInsideItsOwnHandlerAfterAWait) {
  // The handler stops its timer, waits 30 ms handling events, and starts it again: the next
  // period counts from the restart.
  onFire = [this] {
    timer.SetEnabled(false);
    host.WaitProcessingEvents(30);
    timer.SetEnabled(true);
  };
  timer.SetEnabled(true);
  host.Advance(400);
  EXPECT_EQ(fired, (std::vector<std::int64_t>{100, 230, 360}));
}

TEST_F(VirtualTimers, StoppedInsideItsHandlerStaysStopped) {
  onFire = [this] { timer.SetEnabled(false); };
  timer.SetEnabled(true);
  host.Advance(1000);
  EXPECT_EQ(fired, std::vector<std::int64_t>{100});
}

TEST_F(VirtualTimers, ANewIntervalRestartsTheRunningPeriod) {
  timer.SetEnabled(true);
  host.Advance(50);
  timer.SetInterval(200);
  host.Advance(199);
  EXPECT_TRUE(fired.empty());
  host.Advance(1);
  EXPECT_EQ(fired, std::vector<std::int64_t>{250});
}

TEST_F(VirtualTimers, APauseFiresNothingButAWaitDoes) {
  timer.SetEnabled(true);
  host.Pause(250);
  EXPECT_TRUE(fired.empty());
  host.WaitProcessingEvents(100);
  EXPECT_FALSE(fired.empty());
}

}  // namespace
}  // namespace vhost

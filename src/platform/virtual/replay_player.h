#pragma once
// Plays a hand replay into a client on the offline host: start-up as the recorded player, then
// every recorded frame at its time. The clock moves only when the driver says so, so a window
// can pause and step.
#include <cstdint>
#include <string>

#include "app/replay.h"
#include "platform/virtual/offline_host.h"
#include "session/client.h"

namespace vhost {

class ReplayPlayer {
 public:
  ReplayPlayer(OfflineHost& host, Client& client, app::Replay replay);

  // Start-up with the recorded account; frames follow once the login has gone out.
  void Start();
  // Moves the clock on by ms, delivering the frames that fall due.
  void Advance(std::int64_t ms);
  // Moves the clock to the next frame and delivers it (and the tick that dispatches it).
  void Step();
  bool Done() const { return next_ >= replay_.frames.size(); }
  std::size_t FramesDelivered() const { return next_; }
  std::size_t FrameCount() const { return replay_.frames.size(); }

 private:
  void DeliverDue();

  OfflineHost& host_;
  Client& client_;
  app::Replay replay_;
  std::size_t next_ = 0;
  std::int64_t origin_ = 0;  // virtual time of replay time 0
};

}  // namespace vhost

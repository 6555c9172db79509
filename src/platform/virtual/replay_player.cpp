#include "platform/virtual/replay_player.h"

#include <utility>

#include "session/program.h"

namespace vhost {

namespace {

// Login goes out 200 ms after start-up; the recorded frames start after it.
constexpr std::int64_t kLoginMs = 400;
// One receive run every other tick: a frame is dispatched within this time of arriving.
constexpr std::int64_t kDispatchMs = 110;

}  // namespace

ReplayPlayer::ReplayPlayer(OfflineHost& host, Client& client, app::Replay replay)
    : host_(host), client_(client), replay_(std::move(replay)) {}

void ReplayPlayer::Start() {
  host_.lobby.windows.insert("VorelLodge");
  // The recorded player's own command line, to a server that is not there.
  const std::string line = replay_.account + "$replay$127.0.0.1$1$回放$0$$0$$$0$$$1$0$";
  host_.Run([&] { session::Form_Load(client_, line); });
  host_.Advance(kLoginMs);
  origin_ = host_.Now();
  DeliverDue();
}

void ReplayPlayer::DeliverDue() {
  while (!Done() && origin_ + replay_.frames[next_].ms <= host_.Now()) {
    host_.socket.Deliver(replay_.frames[next_].frame);
    ++next_;
  }
}

void ReplayPlayer::Advance(std::int64_t ms) {
  // Frame by frame, so each arrives at its own time.
  const std::int64_t until = host_.Now() + ms;
  while (!Done() && origin_ + replay_.frames[next_].ms <= until) {
    const std::int64_t due = origin_ + replay_.frames[next_].ms;
    if (due > host_.Now()) host_.Advance(due - host_.Now());
    DeliverDue();
  }
  if (until > host_.Now()) host_.Advance(until - host_.Now());
}

void ReplayPlayer::Step() {
  if (Done()) return;
  const std::int64_t due = origin_ + replay_.frames[next_].ms;
  if (due > host_.Now()) host_.Advance(due - host_.Now());
  DeliverDue();
  host_.Advance(kDispatchMs);
  // Later frames now keep their distance from this one.
  if (!Done()) {
    const std::int64_t nextDue = origin_ + replay_.frames[next_].ms;
    if (nextDue < host_.Now()) origin_ += host_.Now() - nextDue;
  }
}

}  // namespace vhost

#pragma once
// Hand replays: every hand the client sees is kept as the frames it received, with their times,
// in a small text file of its own (see docs/replay.md), one file per hand in the per-user data
// folder. A replay is played back by feeding the same frames to a client on a virtual clock.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "wire/frame.h"

namespace platform {
class Files;
class Host;
}  // namespace platform

namespace app {

struct ReplayFrame {
  std::int64_t ms = 0;  // since the start of the replay
  wire::Frame frame{};
};

struct Replay {
  std::string account;  // whose client received the frames
  std::vector<ReplayFrame> frames;
};

// A replay holds at most this many frames; a longer hand is not kept.
inline constexpr std::size_t kMaxReplayFrames = 4096;

std::string EncodeReplay(const Replay& replay);
// Fails (with a reason) on anything that is not a replay file, without trusting any of it.
std::optional<Replay> DecodeReplay(std::string_view text, std::string* error = nullptr);

// The hand replay being recorded: the login result and seating frames it needs as context, and
// the frames of the hand since it was set up.
struct ReplayRecorder {
  std::vector<wire::Frame> Context;
  bool Seating = false;
  bool Recording = false;
  std::int64_t HandStart = 0;
  std::vector<ReplayFrame> Hand;
};

// The recorder, fed with every frame the client dispatches; now is the host's tick count.
void RecordFrame(ReplayRecorder& r, std::int64_t now, const wire::Frame& frame);
// The hand's result is on screen: its replay file, received by account, is written into the
// host's replay folder and the diagnostics log names it.
void SaveHandReplay(ReplayRecorder& r, const std::string& account, platform::Host& host);
// Where the replays go.
std::string ReplayFolder(platform::Files& files);

}  // namespace app

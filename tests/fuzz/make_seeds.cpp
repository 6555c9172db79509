// Writes the fuzz seed corpus: hands played by the development server's bots, as the frames
// seat 0 receives, one whole frame and two ticks per piece (see fuzz_client.h).
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "fuzz_client.h"
#include "game.h"

namespace {

class SeatZero : public devserver::GameSink {
 public:
  void Send(int seat, const wire::Frame& f) override {
    if (seat == 0) frames.push_back(f);
  }
  void Note(const std::string& /*line*/) override {}
  std::vector<wire::Frame> frames;
};

std::vector<wire::Frame> PlayHand(std::uint32_t seed) {
  SeatZero sink;
  devserver::GameOptions opt;
  opt.botDelayMs = 0;
  opt.maxHands = 1;
  devserver::Game game(opt, sink, seed);
  std::int64_t now = 0;
  for (int steps = 0; game.HandsPlayed() < 1 && steps < 5000; ++steps) {
    const auto due = game.NextDue();
    if (!due) break;
    now = std::max(now, *due);
    game.Advance(now);
  }
  return sink.frames;
}

bool Write(const std::string& path, const std::vector<wire::Frame>& frames, std::size_t from,
           std::size_t count) {
  std::ofstream out(path, std::ios::binary);
  out.put(static_cast<char>(qfuzz::kModeSeated));
  for (std::size_t i = from; i < frames.size() && i < from + count; ++i) {
    out.put(static_cast<char>(qfuzz::kWholeFrameTwoTicks));
    out.write(reinterpret_cast<const char*>(frames[i].data()),
              static_cast<std::streamsize>(frames[i].size()));
  }
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: qintara-fuzz-seeds DIR\n";
    return 2;
  }
  const std::string dir = argv[1];
  int files = 0;
  for (std::uint32_t seed = 1; seed <= 6; ++seed) {
    const auto frames = PlayHand(seed);
    if (frames.empty()) continue;
    const std::string base = dir + "/hand" + std::to_string(seed);
    // A whole hand, and the opening and closing stretches on their own: short inputs mutate
    // faster.
    bool ok = Write(base + "-whole", frames, 0, frames.size());
    ok = ok && Write(base + "-deal", frames, 0, 24);
    if (frames.size() > 24) ok = ok && Write(base + "-end", frames, frames.size() - 24, 24);
    if (!ok) {
      std::cerr << "cannot write " << base << "\n";
      return 1;
    }
    files += 3;
  }
  std::cout << files << " seeds in " << dir << "\n";
  return files > 0 ? 0 : 1;
}

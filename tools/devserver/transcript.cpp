#include "transcript.h"

#include <algorithm>
#include <ostream>

#include "game.h"

namespace devserver {
namespace {

class TranscriptSink : public GameSink {
 public:
  TranscriptSink(int seat, std::ostream& out) : seat_(seat), out_(out) {}
  void Send(int seat, const wire::Frame& f) override {
    if (seat != seat_) return;
    const auto last = std::find_if(f.rbegin(), f.rend(), [](std::uint8_t b) { return b != 0; });
    const auto n = static_cast<std::size_t>(f.rend() - last);
    constexpr char kHex[] = "0123456789abcdef";
    std::string line;
    for (std::size_t i = 0; i < n; ++i) {
      line += kHex[f.at(i) >> 4];
      line += kHex[f.at(i) & 15];
    }
    out_ << line << '\n';
  }
  void Note(const std::string& line) override { out_ << "# " << line << '\n'; }

 private:
  int seat_;
  std::ostream& out_;
};

}  // namespace

bool WriteTranscript(int hands, std::uint32_t seed, int seat, std::ostream& out) {
  TranscriptSink sink(seat & 3, out);
  GameOptions opt;
  opt.botDelayMs = 700;
  opt.maxHands = hands;
  Game game(opt, sink, seed);
  out << "# qintara-devserver --transcript " << hands << " --seed " << seed << " --seat "
      << (seat & 3) << '\n';
  std::int64_t now = 0;
  for (long long steps = 0; game.HandsPlayed() < hands && steps < 4000LL * hands; ++steps) {
    const auto due = game.NextDue();
    if (!due) break;
    now = std::max(now, *due);
    game.Advance(now);
  }
  return game.HandsPlayed() >= hands;
}

}  // namespace devserver

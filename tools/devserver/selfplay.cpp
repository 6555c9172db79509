#include "selfplay.h"

#include <ostream>

namespace devserver {
namespace {

class CountingSink : public GameSink {
 public:
  explicit CountingSink(std::ostream* log) : log_(log) {}
  void Send(int /*seat*/, const wire::Frame& /*f*/) override { ++frames; }
  void Note(const std::string& line) override {
    if (log_ != nullptr) *log_ << line << '\n';
  }
  long long frames = 0;

 private:
  std::ostream* log_;
};

}  // namespace

SelfPlayResult RunSelfPlay(int hands, std::uint32_t seed, std::ostream* log) {
  CountingSink sink(log);
  GameOptions opt;
  opt.botDelayMs = 0;
  opt.checks = true;
  opt.maxHands = hands;
  Game game(opt, sink, seed);
  std::int64_t now = 0;
  // Each hand takes a few hundred moves; a stuck table stops the loop.
  const long long limit = static_cast<long long>(hands) * 2000 + 1000;
  long long steps = 0;
  while (game.HandsPlayed() < hands && steps < limit) {
    const auto due = game.NextDue();
    if (!due) break;
    now = std::max(now, *due);
    game.Advance(now);
    ++steps;
  }
  SelfPlayResult r;
  r.stats = game.Stats();
  r.frames = sink.frames;
  r.ok = game.HandsPlayed() >= hands && r.stats.checkFailures == 0 && r.stats.rejected == 0;
  return r;
}

void PrintSelfPlay(const SelfPlayResult& r, double seconds, std::ostream& out) {
  const auto& s = r.stats;
  out << "hands " << s.hands << ", wins " << s.wins << " (self-drawn " << s.selfDrawn
      << "), draw games " << s.drawGames << '\n'
      << "claims: chi " << s.chi << ", peng " << s.peng << ", gang " << s.gang
      << ", concealed gang " << s.concealedGang << ", single tile " << s.single << ", ting "
      << s.ting << '\n'
      << "frames " << r.frames << ", refused moves " << s.rejected << ", failed checks "
      << s.checkFailures << '\n';
  if (!s.firstFailure.empty()) out << "first failure: " << s.firstFailure << '\n';
  if (seconds > 0) out << "hands per second " << static_cast<double>(s.hands) / seconds << '\n';
  out << (r.ok ? "self-play: all checks held" : "self-play: FAILED") << '\n';
}

}  // namespace devserver

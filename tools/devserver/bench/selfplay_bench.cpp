// Hands per second of four-bot self-play with every check on.
#include <benchmark/benchmark.h>

#include "selfplay.h"

namespace {

void BM_SelfPlay(benchmark::State& state) {
  const int hands = static_cast<int>(state.range(0));
  std::uint32_t seed = 1;
  long long played = 0;
  for (auto _ : state) {
    const auto r = devserver::RunSelfPlay(hands, seed++, nullptr);
    if (!r.ok) state.SkipWithError("self-play check failed");
    played += r.stats.hands;
  }
  state.counters["hands/s"] =
      benchmark::Counter(static_cast<double>(played), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SelfPlay)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

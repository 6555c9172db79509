#include "effects.h"

#include <array>
#include <cmath>
#include <random>

namespace soundgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

std::size_t Samples(double seconds) {
  return static_cast<std::size_t>(seconds * kRate);
}

// A struck hard object: a few decaying partials over a burst of noise.
struct Strike {
  double base = 2000;   // Hz of the lowest partial
  double decay = 0.03;  // seconds to fall to 1/e
  double noise = 0.4;   // share of the noise burst
  double thump = 0.0;   // a low body knock under it
};

void AddStrike(Signal& s, double at, const Strike& k, float gain, std::mt19937& rng) {
  constexpr std::array<double, 4> kRatios{1.0, 1.47, 2.09, 2.71};
  constexpr std::array<double, 4> kWeights{1.0, 0.6, 0.35, 0.2};
  std::uniform_real_distribution<double> noise(-1.0, 1.0);
  const std::size_t start = Samples(at);
  const std::size_t len = Samples(k.decay * 7 + 0.01);
  double lowpass = 0;
  for (std::size_t i = 0; i < len && start + i < s.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    double v = 0;
    for (std::size_t p = 0; p < kRatios.size(); ++p) {
      const double d = k.decay / (1.0 + 0.6 * static_cast<double>(p));
      v += kWeights[p] * std::sin(2 * kPi * k.base * kRatios[p] * t) * std::exp(-t / d);
    }
    lowpass += 0.5 * (noise(rng) - lowpass);
    v += k.noise * 2.5 * lowpass * std::exp(-t / 0.004);
    v += k.thump * std::sin(2 * kPi * 160 * t) * std::exp(-t / 0.025);
    s[start + i] += gain * static_cast<float>(v * 0.4);
  }
}

// Karplus-Strong: a plucked string, warm and short.
void AddPluck(Signal& s, double at, double freq, double seconds, float gain, std::mt19937& rng,
              double damping = 0.996) {
  std::uniform_real_distribution<double> noise(-1.0, 1.0);
  const auto period = static_cast<std::size_t>(kRate / freq);
  if (period < 2) return;
  std::vector<double> line(period);
  for (auto& x : line) x = noise(rng);
  // Soften the excitation: the attack of a finger, not of a pick.
  for (std::size_t i = 1; i < line.size(); ++i) line[i] = 0.5 * (line[i] + line[i - 1]);
  const std::size_t start = Samples(at);
  const std::size_t len = Samples(seconds);
  std::size_t pos = 0;
  for (std::size_t i = 0; i < len; ++i) {
    const std::size_t next = (pos + 1) % period;
    const double out = line[pos];
    line[pos] = damping * 0.5 * (line[pos] + line[next]);
    pos = next;
    const double release = i + 400 > len ? static_cast<double>(len - i) / 400.0 : 1.0;
    const std::size_t k = (start + i) % s.size();  // wraps round: the loop has no seam
    s[k] += gain * static_cast<float>(out * release);
  }
}

double NoteHz(int midi) {
  return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

}  // namespace

Signal DiscardClack() {
  std::mt19937 rng(2);
  Signal s(Samples(0.32));
  AddStrike(s, 0.005, {.base = 1750, .decay = 0.022, .noise = 0.5, .thump = 0.9}, 1.0F, rng);
  AddStrike(s, 0.048, {.base = 2100, .decay = 0.012, .noise = 0.3}, 0.25F, rng);
  Normalise(s, 0.85F);
  FadeEdges(s, 40);
  return s;
}

Signal TakeTiles() {
  std::mt19937 rng(3);
  Signal s(Samples(0.3));
  AddStrike(s, 0.005, {.base = 2300, .decay = 0.012, .noise = 0.6, .thump = 0.2}, 0.8F, rng);
  AddStrike(s, 0.085, {.base = 2500, .decay = 0.014, .noise = 0.6, .thump = 0.3}, 1.0F, rng);
  Normalise(s, 0.7F);
  FadeEdges(s, 40);
  return s;
}

Signal Shuffle() {
  std::mt19937 rng(4);
  const double seconds = 1.8;
  Signal s(Samples(seconds));
  std::exponential_distribution<double> gap(38.0);
  std::uniform_real_distribution<double> pitch(1600, 3200);
  std::uniform_real_distribution<double> level(0.25, 1.0);
  for (double t = 0.01; t < seconds - 0.25; t += gap(rng)) {
    // Busiest in the middle, like hands sweeping the tiles round.
    const double swell = std::sin(kPi * t / (seconds - 0.2));
    AddStrike(s, t, {.base = pitch(rng), .decay = 0.008, .noise = 0.7, .thump = 0.15},
              static_cast<float>(level(rng) * (0.3 + 0.7 * swell)), rng);
  }
  // The rumble of tiles sliding on cloth.
  std::uniform_real_distribution<double> noise(-1.0, 1.0);
  double lp = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double t = static_cast<double>(i) / kRate;
    lp += 0.05 * (noise(rng) - lp);
    s[i] += static_cast<float>(0.5 * lp * std::sin(kPi * t / seconds));
  }
  Normalise(s, 0.8F);
  FadeEdges(s, 600);
  return s;
}

Signal Dice() {
  std::mt19937 rng(5);
  Signal s(Samples(1.1));
  // Two dice bouncing in a porcelain bowl, each bounce sooner and softer than the last.
  for (int die = 0; die < 2; ++die) {
    double t = 0.01 + 0.035 * die;
    double interval = 0.16 + 0.02 * die;
    float gain = 1.0F;
    while (t < 0.85 && gain > 0.05F) {
      AddStrike(s, t, {.base = 3100.0 + 400.0 * die, .decay = 0.05, .noise = 0.35, .thump = 0.1},
                gain, rng);
      t += interval;
      interval *= 0.72;
      gain *= 0.7F;
    }
    // The last roll: a quick rattle.
    for (int k = 0; k < 6; ++k) {
      AddStrike(s, t + 0.018 * k, {.base = 3300, .decay = 0.01, .noise = 0.5}, 0.12F, rng);
    }
  }
  Normalise(s, 0.8F);
  FadeEdges(s, 200);
  return s;
}

Signal Warning() {
  Signal s(Samples(0.28));
  constexpr std::array<double, 2> kTones{1318.5, 1760.0};
  for (std::size_t n = 0; n < kTones.size(); ++n) {
    const std::size_t start = Samples(0.12 * static_cast<double>(n));
    const std::size_t len = Samples(0.1);
    for (std::size_t i = 0; i < len; ++i) {
      const double t = static_cast<double>(i) / kRate;
      const double env = std::min(1.0, t / 0.005) * std::exp(-t / 0.05);
      s[start + i] += static_cast<float>(
          env * (std::sin(2 * kPi * kTones[n] * t) + 0.2 * std::sin(4 * kPi * kTones[n] * t)));
    }
  }
  Normalise(s, 0.6F);
  FadeEdges(s, 40);
  return s;
}

Signal BackgroundLoop() {
  std::mt19937 rng(6);
  constexpr double kBeat = 60.0 / 84;  // seconds per beat
  // A pentatonic tune on D: MIDI note and length in beats, eight bars of four beats.
  struct Note {
    int midi;
    double beats;
  };
  constexpr std::array<Note, 34> kTune{{
      {69, 1},   {71, 0.5}, {69, 0.5}, {66, 1},   {64, 1},               // 1
      {62, 1},   {64, 0.5}, {66, 0.5}, {69, 2},                          // 2
      {71, 1},   {74, 1},   {71, 0.5}, {69, 0.5}, {66, 1},               // 3
      {64, 1.5}, {66, 0.5}, {64, 2},                                     // 4
      {69, 1},   {71, 0.5}, {74, 0.5}, {76, 1},   {74, 1},               // 5
      {71, 1},   {69, 0.5}, {71, 0.5}, {66, 2},                          // 6
      {64, 1},   {66, 0.5}, {69, 0.5}, {71, 1},   {69, 0.5}, {66, 0.5},  // 7
      {64, 1},   {62, 3},                                                // 8
  }};
  constexpr std::array<int, 8> kBass{50, 50, 55, 45, 50, 47, 45, 50};
  const double bars = 8;
  Signal s(Samples(bars * 4 * kBeat));
  double t = 0;
  for (const Note& n : kTune) {
    if (n.beats <= 0) continue;
    AddPluck(s, t, NoteHz(n.midi), std::max(1.2, n.beats * kBeat + 0.6), 0.5F, rng, 0.997);
    // A soft echo an octave up on the long notes.
    if (n.beats >= 2) AddPluck(s, t + kBeat, NoteHz(n.midi + 12), 1.0, 0.12F, rng, 0.995);
    t += n.beats * kBeat;
  }
  for (std::size_t bar = 0; bar < kBass.size(); ++bar) {
    const double at = static_cast<double>(bar) * 4 * kBeat;
    AddPluck(s, at, NoteHz(kBass[bar]), 4 * kBeat, 0.35F, rng, 0.998);
    AddPluck(s, at + 2 * kBeat, NoteHz(kBass[bar] + 7), 2 * kBeat, 0.2F, rng, 0.998);
  }
  // A quiet drone on D and A under everything, steady so the loop joins smoothly.
  for (std::size_t i = 0; i < s.size(); ++i) {
    const double x = static_cast<double>(i) / static_cast<double>(s.size());
    const double breathe = 0.8 + 0.2 * std::sin(2 * kPi * 4 * x);
    // Whole numbers of cycles over the loop keep the drone continuous across the join.
    const double cycles = std::round(NoteHz(38) * static_cast<double>(s.size()) / kRate);
    const double fifth = std::round(NoteHz(45) * static_cast<double>(s.size()) / kRate);
    s[i] += static_cast<float>(
        0.05 * breathe * (std::sin(2 * kPi * cycles * x) + 0.6 * std::sin(2 * kPi * fifth * x)));
  }
  Normalise(s, 0.5F);
  return s;
}

}  // namespace soundgen

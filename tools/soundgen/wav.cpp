#include "wav.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>

namespace soundgen {

namespace {

void Put16(std::ofstream& out, std::uint16_t v) {
  const std::array<char, 2> b{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
  out.write(b.data(), 2);
}

void Put32(std::ofstream& out, std::uint32_t v) {
  Put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
  Put16(out, static_cast<std::uint16_t>(v >> 16));
}

}  // namespace

bool WriteWav(const std::string& path, const Signal& s, int rate) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  const auto dataBytes = static_cast<std::uint32_t>(s.size() * 2);
  out.write("RIFF", 4);
  Put32(out, 36 + dataBytes);
  out.write("WAVEfmt ", 8);
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, 1);  // mono
  Put32(out, static_cast<std::uint32_t>(rate));
  Put32(out, static_cast<std::uint32_t>(rate * 2));
  Put16(out, 2);
  Put16(out, 16);
  out.write("data", 4);
  Put32(out, dataBytes);
  for (float x : s) {
    const float c = std::clamp(x, -1.0F, 1.0F);
    Put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(c * 32767.0F))));
  }
  return static_cast<bool>(out);
}

void Normalise(Signal& s, float peak) {
  float top = 0;
  for (float x : s) top = std::max(top, std::fabs(x));
  if (top <= 0) return;
  const float k = peak / top;
  for (float& x : s) x *= k;
}

void FadeEdges(Signal& s, int samples) {
  const auto n = std::min<std::size_t>(static_cast<std::size_t>(samples), s.size() / 2);
  for (std::size_t i = 0; i < n; ++i) {
    const float g = static_cast<float>(i) / static_cast<float>(n);
    s[i] *= g;
    s[s.size() - 1 - i] *= g;
  }
}

void TrimSilence(Signal& s, float threshold, int margin) {
  auto loud = [threshold](float x) { return std::fabs(x) >= threshold; };
  const auto first = std::find_if(s.begin(), s.end(), loud);
  if (first == s.end()) return;
  const auto last = std::find_if(s.rbegin(), s.rend(), loud).base();
  const auto m = static_cast<std::ptrdiff_t>(margin);
  const auto from = std::max<std::ptrdiff_t>(0, (first - s.begin()) - m);
  const auto to =
      std::min<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(s.size()), (last - s.begin()) + m);
  s = Signal(s.begin() + from, s.begin() + to);
}

Signal Resample(const Signal& s, int from, int to) {
  if (from == to || s.empty()) return s;
  const double step = static_cast<double>(from) / to;
  const auto n = static_cast<std::size_t>(static_cast<double>(s.size()) / step);
  Signal out(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double pos = static_cast<double>(i) * step;
    const auto j = static_cast<std::size_t>(pos);
    const double f = pos - static_cast<double>(j);
    const float a = s[j];
    const float b = j + 1 < s.size() ? s[j + 1] : a;
    out[i] = static_cast<float>(a + (b - a) * f);
  }
  return out;
}

}  // namespace soundgen

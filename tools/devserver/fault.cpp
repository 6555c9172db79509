#include "fault.h"

#include <charconv>
#include <string_view>
#include <vector>

namespace devserver {

namespace {

std::optional<int> Number(std::string_view s) {
  int v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size() || v < 1) return std::nullopt;
  return v;
}

}  // namespace

std::optional<FaultPlan> FaultPlan::Parse(const std::string& text, std::uint32_t seed) {
  std::vector<std::string_view> parts;
  std::string_view rest(text);
  for (;;) {
    const auto colon = rest.find(':');
    parts.push_back(rest.substr(0, colon));
    if (colon == std::string_view::npos) break;
    rest = rest.substr(colon + 1);
  }
  if (parts.size() == 2 && parts[0] == "after") {
    if (auto n = Number(parts[1])) return FaultPlan(*n, *n, seed);
  } else if (parts.size() == 3 && parts[0] == "random") {
    const auto lo = Number(parts[1]);
    const auto hi = Number(parts[2]);
    if (lo && hi && *lo <= *hi) return FaultPlan(*lo, *hi, seed);
  }
  return std::nullopt;
}

void FaultPlan::Rearm() {
  left_ = std::uniform_int_distribution<int>(min_, max_)(rng_);
}

bool FaultPlan::FrameSent() {
  if (left_ < 0) return false;
  if (--left_ > 0) return false;
  left_ = -1;
  ++drops_;
  return true;
}

std::string FaultPlan::Describe() const {
  return min_ == max_ ? "after " + std::to_string(min_) + " frames"
                      : "after " + std::to_string(min_) + " to " + std::to_string(max_) + " frames";
}

}  // namespace devserver

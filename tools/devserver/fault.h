#pragma once
// Drops the person's connection on purpose, for trying reconnection: after N frames sent to it,
// or after a random number of frames in a range, counted again on every new connection.
#include <cstdint>
#include <optional>
#include <random>
#include <string>

namespace devserver {

class FaultPlan {
 public:
  // "after:N" or "random:MIN:MAX"; empty on anything else.
  static std::optional<FaultPlan> Parse(const std::string& text, std::uint32_t seed);

  // A new connection of the person: the count starts again.
  void Rearm();
  // One more frame went to the person; true when the connection is to drop after it.
  bool FrameSent();
  int Drops() const { return drops_; }
  std::string Describe() const;

 private:
  FaultPlan(int min, int max, std::uint32_t seed) : min_(min), max_(max), rng_(seed) {}

  int min_;
  int max_;
  std::mt19937 rng_;
  int left_ = -1;  // frames before the drop; -1 while not armed
  int drops_ = 0;
};

}  // namespace devserver

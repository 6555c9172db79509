#pragma once
// Scripted mode: a plain-text list of frames to send and frames to expect (format in
// README.md). Integration tests of the client drive it.
#include <array>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "wire/frame.h"

namespace devserver {

class Listener;
class Logger;

// One field of a frame: where it sits and what it holds.
struct FieldRule {
  enum class Kind { Value16, ValueLow, Bytes, KeyLast } kind = Kind::Bytes;
  int offset = 0;  // frame offset, or value index for Value16/ValueLow
  std::vector<std::uint8_t> bytes;
  int number = 0;
};

struct Step {
  enum class Kind { Accept, Send, Expect, ExpectNo, ExpectClose, Wait, Close } kind = Kind::Wait;
  int line = 0;
  std::string text;
  int cmd = 0;
  int ms = 0;  // within / wait
  std::vector<FieldRule> fields;
};

struct Scenario {
  std::vector<Step> steps;
};

// Throws std::runtime_error naming the line on a bad scenario.
Scenario ParseScenario(const std::string& text);
Scenario LoadScenario(const std::string& path);

// Builds the frame of a send step (key bytes as given, else 0, 0).
wire::Frame BuildFrame(const Step& s);
// Whether a received frame satisfies an expect step; lastKey is the key of the frame the
// server sent last. On a mismatch, why says which field differed.
bool Matches(const Step& s, const wire::Frame& f, std::array<std::uint8_t, 2> lastKey,
             std::string* why);

// Runs the steps against whoever connects to the listener. Returns the exit status: 0 when
// every step held; the report goes to out.
int RunScenario(const Scenario& sc, Listener& listener, Logger& log, std::ostream& out);

}  // namespace devserver

#pragma once
// Records what one seat's client receives while four bots play, as a replayable transcript.
#include <cstdint>
#include <iosfwd>

namespace devserver {

// Plays hands (with seed) and writes every frame sent to seat, one line per frame: the bytes
// in hexadecimal up to the last non-zero byte. Lines starting with '#' are comments. Returns
// false when the hands did not finish.
bool WriteTranscript(int hands, std::uint32_t seed, int seat, std::ostream& out);

}  // namespace devserver

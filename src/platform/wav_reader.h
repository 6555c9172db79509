#pragma once
// Reads the sample format and the sample bytes of a PCM WAV file, for sound devices that take
// raw samples. Every chunk length is checked against the bytes there are.
#include <cstdint>
#include <optional>
#include <span>

namespace platform {

struct WavSound {
  std::uint16_t Channels = 0;
  std::uint32_t SampleRate = 0;
  std::uint16_t BitsPerSample = 0;
  std::uint16_t BlockAlign = 0;
  std::uint32_t ByteRate = 0;
  // Points into the file's bytes: valid while they are.
  std::span<const std::uint8_t> Samples;
};

// Nothing when the bytes are not a RIFF WAVE file of 8- or 16-bit integer PCM with one or two
// channels, a format chunk before the data chunk and at least one whole sample frame.
std::optional<WavSound> ReadWav(std::span<const std::uint8_t> file);

}  // namespace platform

#include "platform/wav_reader.h"

#include <cstddef>

namespace platform {

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::size_t kChunkHeader = 8;
constexpr std::size_t kMinFormatChunk = 16;

std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

bool Tag(std::span<const std::uint8_t> b, std::size_t at, const char (&tag)[5]) {
  for (std::size_t i = 0; i < 4; ++i) {
    if (b[at + i] != static_cast<std::uint8_t>(tag[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<WavSound> ReadWav(std::span<const std::uint8_t> file) {
  if (file.size() < 12 || !Tag(file, 0, "RIFF") || !Tag(file, 8, "WAVE")) return std::nullopt;
  // The RIFF length may claim more than the file holds (a cut download): trust the bytes.
  std::size_t end = file.size();
  const std::uint64_t riffEnd = std::uint64_t{U32(file, 4)} + kChunkHeader;
  if (riffEnd < end) end = static_cast<std::size_t>(riffEnd);
  std::optional<WavSound> out;
  bool haveFormat = false;
  std::size_t at = 12;
  while (at + kChunkHeader <= end) {
    const std::uint32_t length = U32(file, at + 4);
    const std::size_t body = at + kChunkHeader;
    if (length > end - body) {
      // Only the data chunk may run short: it is played as far as it goes.
      if (!Tag(file, at, "data")) return std::nullopt;
    }
    const std::size_t size = length > end - body ? end - body : length;
    if (Tag(file, at, "fmt ")) {
      if (size < kMinFormatChunk) return std::nullopt;
      WavSound w;
      if (U16(file, body) != kFormatPcm) return std::nullopt;
      w.Channels = U16(file, body + 2);
      w.SampleRate = U32(file, body + 4);
      w.ByteRate = U32(file, body + 8);
      w.BlockAlign = U16(file, body + 12);
      w.BitsPerSample = U16(file, body + 14);
      if (w.Channels < 1 || w.Channels > 2) return std::nullopt;
      if (w.BitsPerSample != 8 && w.BitsPerSample != 16) return std::nullopt;
      if (w.SampleRate == 0 || w.BlockAlign != w.Channels * w.BitsPerSample / 8) {
        return std::nullopt;
      }
      if (w.ByteRate != w.SampleRate * w.BlockAlign) return std::nullopt;
      out = w;
      haveFormat = true;
    } else if (Tag(file, at, "data")) {
      if (!haveFormat) return std::nullopt;
      // Whole sample frames only.
      const std::size_t usable = size - size % out->BlockAlign;
      if (usable == 0) return std::nullopt;
      out->Samples = file.subspan(body, usable);
      return out;
    }
    // Chunks are padded to an even length.
    const std::size_t next = body + size + (size & 1U);
    if (next <= at) return std::nullopt;
    at = next;
  }
  return std::nullopt;
}

}  // namespace platform

// WAV files as the sound devices read them: the format, the samples, and files that lie.
#include "platform/wav_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, unsigned v) {
  b.push_back(static_cast<std::uint8_t>(v & 0xFF));
  b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void Put32(Bytes& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

void PutTag(Bytes& b, const char* t) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(t[i]));
}

struct Format {
  unsigned tag = 1, channels = 1, rate = 22050, bits = 16;
};

Bytes FmtChunk(const Format& f) {
  Bytes b;
  PutTag(b, "fmt ");
  Put32(b, 16);
  Put16(b, f.tag);
  Put16(b, f.channels);
  Put32(b, f.rate);
  const unsigned align = f.channels * f.bits / 8;
  Put32(b, f.rate * align);
  Put16(b, align);
  Put16(b, f.bits);
  return b;
}

Bytes Chunk(const char* tag, const Bytes& body, std::uint32_t claimed) {
  Bytes b;
  PutTag(b, tag);
  Put32(b, claimed);
  b.insert(b.end(), body.begin(), body.end());
  return b;
}

Bytes Riff(const std::vector<Bytes>& chunks) {
  Bytes body;
  PutTag(body, "WAVE");
  for (const auto& c : chunks) body.insert(body.end(), c.begin(), c.end());
  Bytes b;
  PutTag(b, "RIFF");
  Put32(b, static_cast<std::uint32_t>(body.size()));
  for (auto v : body) b.push_back(v);
  return b;
}

const Bytes kFour{1, 2, 3, 4};

TEST(WavReader, ReadsFormatAndSamplesOfGoodFiles) {
  struct Case {
    std::string name;
    Bytes file;
    unsigned channels, rate, bits;
    std::size_t samples;
    std::uint8_t first;
  };
  const Bytes odd{9, 9, 9};
  const Case cases[] = {
      {"mono 16", Riff({FmtChunk({}), Chunk("data", kFour, 4)}), 1, 22050, 16, 4, 1},
      {"stereo 8", Riff({FmtChunk({1, 2, 44100, 8}), Chunk("data", kFour, 4)}), 2, 44100, 8, 4, 1},
      // A list chunk of odd length before the data is skipped with its pad byte.
      {"odd chunk first",
       Riff({FmtChunk({}), Chunk("LIST", {7, 7, 7, 0}, 3), Chunk("data", kFour, 4)}), 1, 22050, 16,
       4, 1},
      // A data chunk cut short plays the whole sample frames there are.
      {"cut data", Riff({FmtChunk({}), Chunk("data", odd, 100)}), 1, 22050, 16, 2, 9},
  };
  for (const auto& k : cases) {
    const auto w = platform::ReadWav(k.file);
    ASSERT_TRUE(w.has_value()) << k.name;
    EXPECT_EQ(w->Channels, k.channels) << k.name;
    EXPECT_EQ(w->SampleRate, k.rate) << k.name;
    EXPECT_EQ(w->BitsPerSample, k.bits) << k.name;
    EXPECT_EQ(w->Samples.size(), k.samples) << k.name;
    EXPECT_EQ(w->Samples.front(), k.first) << k.name;
  }
}

TEST(WavReader, RefusesWhatIsNotPlayablePcm) {
  Bytes badFmtLength = Riff({Chunk("fmt ", {1, 0, 1, 0}, 4), Chunk("data", kFour, 4)});
  Bytes claimsPastEnd = Riff({FmtChunk({}), Chunk("LIST", {1, 2}, 0x7FFFFFF0)});
  Bytes notRiff = Riff({FmtChunk({}), Chunk("data", kFour, 4)});
  notRiff[0] = 'X';
  const std::pair<const char*, Bytes> cases[] = {
      {"empty", {}},
      {"not riff", notRiff},
      {"data before fmt", Riff({Chunk("data", kFour, 4), FmtChunk({})})},
      {"no data", Riff({FmtChunk({})})},
      {"float", Riff({FmtChunk({3, 1, 22050, 16}), Chunk("data", kFour, 4)})},
      {"24 bit", Riff({FmtChunk({1, 1, 22050, 24}), Chunk("data", {1, 2, 3, 4, 5, 6}, 6)})},
      {"six channels", Riff({FmtChunk({1, 6, 22050, 16}), Chunk("data", kFour, 4)})},
      {"zero rate", Riff({FmtChunk({1, 1, 0, 16}), Chunk("data", kFour, 4)})},
      {"short fmt", badFmtLength},
      {"chunk past the end", claimsPastEnd},
      {"less than a frame", Riff({FmtChunk({1, 2, 22050, 16}), Chunk("data", {1, 2}, 2)})},
  };
  for (const auto& [name, file] : cases) {
    EXPECT_FALSE(platform::ReadWav(file).has_value()) << name;
  }
}

}  // namespace

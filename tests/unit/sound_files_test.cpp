// The generated sounds: valid WAV files in the folders the client looks in, effects of sensible
// length, and every voice clip a sound of speech length, not silence.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "assets/sound_cues.h"
#include "table/tiles.h"
#include "text/gbk.h"
#include "ui/sound.h"

namespace {

struct Wav {
  int channels = 0;
  int rate = 0;
  int bits = 0;
  std::vector<std::int16_t> samples;
  double Seconds() const { return rate > 0 ? static_cast<double>(samples.size()) / rate : 0; }
  double Rms() const {
    double sum = 0;
    for (auto s : samples) sum += static_cast<double>(s) * s;
    return samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size())) / 32768.0;
  }
};

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b.at(at + static_cast<std::size_t>(i));
  return v;
}

// Reads a PCM WAV file chunk by chunk; empty with why set when it is not one.
std::optional<Wav> ReadWav(const std::string& path, std::string& why) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> b((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
  auto tag = [&](std::size_t at) { return std::string(b.begin() + at, b.begin() + at + 4); };
  if (b.size() < 12 || tag(0) != "RIFF" || tag(8) != "WAVE") {
    why = "no RIFF/WAVE header";
    return std::nullopt;
  }
  if (Le(b, 4, 4) + 8 != b.size()) {
    why = "RIFF size does not match the file";
    return std::nullopt;
  }
  Wav w;
  bool fmt = false;
  for (std::size_t at = 12; at + 8 <= b.size();) {
    const std::uint32_t size = Le(b, at + 4, 4);
    if (at + 8 + size > b.size()) {
      why = "chunk " + tag(at) + " runs past the end";
      return std::nullopt;
    }
    if (tag(at) == "fmt ") {
      if (Le(b, at + 8, 2) != 1) {
        why = "not PCM";
        return std::nullopt;
      }
      w.channels = static_cast<int>(Le(b, at + 10, 2));
      w.rate = static_cast<int>(Le(b, at + 12, 4));
      w.bits = static_cast<int>(Le(b, at + 22, 2));
      fmt = true;
    } else if (tag(at) == "data" && fmt && w.bits == 16) {
      for (std::size_t i = 0; i + 1 < size; i += 2) {
        w.samples.push_back(static_cast<std::int16_t>(Le(b, at + 8 + i, 2)));
      }
    }
    at += 8 + size + (size & 1);
  }
  if (!fmt) {
    why = "no fmt chunk";
    return std::nullopt;
  }
  return w;
}

#ifdef QINTARA_COMMON_DIR
const std::string kCommon = QINTARA_COMMON_DIR;

Wav Load(const std::string& path) {
  std::string why;
  auto w = ReadWav(path, why);
  EXPECT_TRUE(w.has_value()) << path << ": " << why;
  if (!w) return {};
  EXPECT_EQ(w->channels, 1) << path;
  EXPECT_EQ(w->bits, 16) << path;
  EXPECT_GE(w->rate, 8000) << path;
  return *w;
}

TEST(SoundFilesTest, EffectsAreShortSoundsAndTheLoopIsLongAndSeamless) {
  struct Case {
    const char* name;
    double minSeconds;
    double maxSeconds;
  };
  // The countdown warning sounds every second, so it must end within one.
  for (const Case& k :
       {Case{"dapai.wav", 0.1, 1.0}, Case{"qupai.wav", 0.1, 1.0}, Case{"xipai.wav", 0.8, 3.0},
        Case{"zhise.wav", 0.5, 2.0}, Case{"tishi.wav", 0.1, 0.9}, Case{"majiang.wav", 10, 60}}) {
    const Wav w = Load(kCommon + "/music/" + k.name);
    EXPECT_GE(w.Seconds(), k.minSeconds) << k.name;
    EXPECT_LE(w.Seconds(), k.maxSeconds) << k.name;
    EXPECT_GT(w.Rms(), 0.02) << k.name;
  }
  // Looping jumps from the last sample to the first: no click there.
  const Wav loop = Load(kCommon + "/music/majiang.wav");
  ASSERT_GT(loop.samples.size(), 2U);
  const double jump = std::abs(loop.samples.back() - loop.samples.front()) / 32768.0;
  const double step = std::abs(loop.samples[1] - loop.samples[0]) / 32768.0;
  EXPECT_LT(jump, 0.02 + 4 * step);
}

TEST(SoundFilesTest, EveryVoiceSetSaysEveryTileAndMove) {
  std::vector<std::string> suffixes;
  for (int suit : {table::kHonours, table::kBamboo, table::kCharacters, table::kDots}) {
    for (int rank = 1; rank <= (suit == table::kHonours ? 7 : 9); ++rank) {
      suffixes.push_back(ui::TileVoiceSuffix(suit * 16 + rank));
    }
  }
  for (auto s : {assets::kVoiceChi, assets::kVoicePeng, assets::kVoiceGang, assets::kVoiceTing,
                 assets::kVoiceWildGang, assets::kVoiceConcealedGang, assets::kVoiceHu}) {
    suffixes.emplace_back(s);
  }
  int files = 0;
  double shortest = 1e9;
  double longest = 0;
  for (const auto& [dialect, folder] : {std::pair{"27", "qntr"}, std::pair{"00", "mj"}}) {
    for (const char* code : {"10", "20", "30", "40"}) {
      for (const char* sex : {"13", "02"}) {
        for (const auto& suffix : suffixes) {
          const std::string name = std::string("v") + dialect + code + sex + suffix + ".wav";
          const Wav w = Load(kCommon + "/" + folder + "/" + name);
          // A spoken word or two: not a click, not a sentence, not silence.
          EXPECT_GE(w.Seconds(), 0.15) << name;
          EXPECT_LE(w.Seconds(), 3.0) << name;
          EXPECT_GT(w.Rms(), 0.03) << name;
          shortest = std::min(shortest, w.Seconds());
          longest = std::max(longest, w.Seconds());
          ++files;
        }
      }
    }
  }
  EXPECT_EQ(files, 2 * 4 * 2 * 41);
  RecordProperty("shortest_voice_ms", static_cast<int>(shortest * 1000));
  RecordProperty("longest_voice_ms", static_cast<int>(longest * 1000));
}

TEST(SoundFilesTest, ChatClipsFollowTheVoicePhrases) {
  // a1, a2, ... exist for as many phrases as were spoken, and each is longer than a tile name.
  int n = 0;
  for (; n < 50; ++n) {
    std::ifstream probe(kCommon + "/qntr/v271013a" + std::to_string(n + 1) + ".wav");
    if (!probe) break;
    const Wav w = Load(kCommon + "/qntr/v271013a" + std::to_string(n + 1) + ".wav");
    EXPECT_GE(w.Seconds(), 0.6) << n + 1;
    EXPECT_LE(w.Seconds(), 8.0) << n + 1;
    EXPECT_GT(w.Rms(), 0.03) << n + 1;
  }
  RecordProperty("chat_clips", n);
}
#endif

#ifdef QINTARA_RULES_FILE
std::vector<std::uint8_t> Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(RulesFileTest, TheShippedRulesTextIsItsSourceInGbk) {
  const auto gbk = Bytes(QINTARA_RULES_FILE);
  const auto source = Bytes(QINTARA_RULES_SOURCE);
  ASSERT_FALSE(gbk.empty());
  EXPECT_NE(gbk, source) << "not converted";
  EXPECT_EQ(text::FromGbk(gbk), std::string(source.begin(), source.end()));
  EXPECT_NE(text::FromGbk(gbk).find("癞子"), std::string::npos);
}
#endif

TEST(SoundFilesTest, TheReaderRefusesWhatIsNotAWavFile) {
  const std::string path = ::testing::TempDir() + "/not_a.wav";
  struct Case {
    std::string bytes;
    const char* why;
  };
  std::string header("RIFF\x24\x00\x00\x00WAVEfmt \x10\x00\x00\x00", 20);
  for (const Case& k :
       {Case{"", "no RIFF/WAVE header"}, Case{"RIFF1234WAVX", "no RIFF/WAVE header"},
        Case{header, "RIFF size does not match the file"}}) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << k.bytes;
    std::string why;
    EXPECT_FALSE(ReadWav(path, why).has_value());
    EXPECT_EQ(why, k.why);
  }
}

}  // namespace

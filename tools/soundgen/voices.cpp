#include "voices.h"

#include <array>
#include <cmath>
#include <fstream>
#include <map>

#ifdef QINTARA_HAVE_ESPEAK
#include <espeak-ng/speak_lib.h>
#endif

namespace soundgen {

namespace {

constexpr std::array<const char*, 9> kNumerals{"一", "二", "三", "四", "五",
                                               "六", "七", "八", "九"};
constexpr std::array<const char*, 7> kHonours{"东风", "南风", "西风", "北风",
                                              "红中", "发财", "白板"};

std::string Trim(const std::string& s) {
  const auto a = s.find_first_not_of(" \t\r\n");
  if (a == std::string::npos) return {};
  const auto b = s.find_last_not_of(" \t\r\n");
  return s.substr(a, b - a + 1);
}

// Characters of a UTF-8 text, for the tone stand-in's syllables.
std::size_t CharCount(const std::string& s) {
  std::size_t n = 0;
  for (unsigned char ch : s) n += (ch & 0xC0) != 0x80 ? 1 : 0;
  return n;
}

// Stands in for speech when no synthesiser is installed: a tone per syllable, pitched by the
// voice, so each clip is still a distinct, audible sound of about the right length.
class ToneSpeaker final : public Speaker {
 public:
  Signal Say(const VoiceSet& voice, const std::string& text) override {
    constexpr double kPi = 3.14159265358979323846;
    constexpr double kSyllable = 0.16;
    const double base = (voice.male ? 180.0 : 300.0) + 10.0 * std::stoi(voice.code) / 10.0;
    const std::size_t n = std::max<std::size_t>(1, CharCount(text));
    Signal s(static_cast<std::size_t>(kSyllable * kRate * static_cast<double>(n)));
    unsigned hash = 0;
    for (unsigned char ch : text) hash = hash * 31 + ch;
    for (std::size_t k = 0; k < n; ++k) {
      const double f = base * (1.0 + 0.12 * ((hash >> (k % 24)) & 3));
      const auto start = static_cast<std::size_t>(kSyllable * kRate * static_cast<double>(k));
      const auto len = static_cast<std::size_t>(kSyllable * kRate * 0.8);
      for (std::size_t i = 0; i < len && start + i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double env = std::sin(kPi * static_cast<double>(i) / static_cast<double>(len));
        s[start + i] = static_cast<float>(0.5 * env * std::sin(2 * kPi * f * t));
      }
    }
    return s;
  }
};

#ifdef QINTARA_HAVE_ESPEAK
struct Capture {
  std::vector<short> samples;
};

int Collect(short* wav, int count, espeak_EVENT* events) {
  if (wav != nullptr && count > 0 && events != nullptr && events->user_data != nullptr) {
    auto* cap = static_cast<Capture*>(events->user_data);
    cap->samples.insert(cap->samples.end(), wav, wav + count);
  }
  return 0;
}

class EspeakSpeaker final : public Speaker {
 public:
  explicit EspeakSpeaker(int rate) : rate_(rate) {}
  ~EspeakSpeaker() override { espeak_Terminate(); }
  EspeakSpeaker(const EspeakSpeaker&) = delete;
  EspeakSpeaker& operator=(const EspeakSpeaker&) = delete;

  Signal Say(const VoiceSet& voice, const std::string& text) override {
    Use(voice);
    Capture cap;
    espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                 &cap);
    espeak_Synchronize();
    Signal s;
    s.reserve(cap.samples.size());
    for (short v : cap.samples) s.push_back(static_cast<float>(v) / 32768.0F);
    return Resample(s, rate_, kRate);
  }

 private:
  void Use(const VoiceSet& v) {
    const std::string key = v.Prefix();
    if (key == current_) return;
    current_ = key;
    // Four men and four women per set, told apart by timbre and pitch; the dialect set speaks a
    // little quicker and livelier than the plain one.
    constexpr std::array<const char*, 4> kMen{"cmn+m1", "cmn+m3", "cmn+m7", "cmn+m6"};
    constexpr std::array<const char*, 4> kWomen{"cmn+f1", "cmn+f2", "cmn+f4", "cmn+f3"};
    constexpr std::array<int, 4> kMenPitch{38, 50, 44, 30};
    constexpr std::array<int, 4> kWomenPitch{62, 72, 56, 80};
    const auto i = static_cast<std::size_t>(std::stoi(v.code) / 10 - 1) % 4;
    espeak_SetVoiceByName(v.male ? kMen.at(i) : kWomen.at(i));
    const bool dialect = v.dialect == "27";
    espeak_SetParameter(espeakRATE, dialect ? 165 : 140, 0);
    espeak_SetParameter(espeakPITCH, v.male ? kMenPitch.at(i) : kWomenPitch.at(i), 0);
    espeak_SetParameter(espeakRANGE, dialect ? 75 : 50, 0);
  }

  int rate_;
  std::string current_;
};
#endif

}  // namespace

std::vector<Clip> VoiceClips(const std::vector<std::string>& voicePhrases) {
  std::vector<Clip> clips;
  for (std::size_t r = 0; r < kHonours.size(); ++r) {
    clips.push_back({"1" + std::to_string(r + 1), kHonours[r]});
  }
  // Suit digits of the file names: 2 bamboo, 8 characters, 4 dots.
  const std::array<std::pair<const char*, const char*>, 3> suits{
      {{"2", "条"}, {"8", "万"}, {"4", "筒"}}};
  for (const auto& [digit, word] : suits) {
    for (std::size_t r = 0; r < kNumerals.size(); ++r) {
      clips.push_back({digit + std::to_string(r + 1), std::string(kNumerals[r]) + word});
    }
  }
  clips.push_back({"01", "吃"});
  clips.push_back({"02", "碰"});
  clips.push_back({"03", "杠"});
  clips.push_back({"04", "听"});
  clips.push_back({"05", "癞子杠"});
  clips.push_back({"06", "暗杠"});
  clips.push_back({"09", "胡了"});
  for (std::size_t i = 0; i < voicePhrases.size(); ++i) {
    clips.push_back({"a" + std::to_string(i + 1), voicePhrases[i]});
  }
  return clips;
}

std::vector<std::string> ReadVoicePhrases(const std::string& iniPath) {
  std::ifstream in(iniPath);
  std::string line;
  bool inSection = false;
  std::map<int, std::string> byKey;
  int num = 0;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[') {
      inSection = line == "[Phrase2]";
      continue;
    }
    const auto eq = line.find('=');
    if (!inSection || eq == std::string::npos) continue;
    const std::string key = Trim(line.substr(0, eq));
    const std::string value = Trim(line.substr(eq + 1));
    if (key == "num") {
      num = std::atoi(value.c_str());
    } else if (!key.empty() && key.find_first_not_of("0123456789") == std::string::npos) {
      byKey[std::atoi(key.c_str())] = value;
    }
  }
  std::vector<std::string> out;
  for (int k = 1; k <= num; ++k) {
    auto it = byKey.find(k);
    out.push_back(it != byKey.end() ? it->second : std::string());
  }
  return out;
}

std::string VoiceSet::Prefix() const {
  return "v" + dialect + code + (male ? "13" : "02");
}

std::vector<VoiceSet> VoiceSets() {
  std::vector<VoiceSet> sets;
  for (const char* dialect : {"27", "00"}) {
    for (const char* code : {"10", "20", "30", "40"}) {
      for (bool male : {true, false}) sets.push_back({dialect, code, male});
    }
  }
  return sets;
}

std::unique_ptr<Speaker> Speaker::Make(std::string& why) {
#ifdef QINTARA_HAVE_ESPEAK
  const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
  if (rate > 0 && espeak_SetVoiceByName("cmn") == EE_OK) {
    espeak_SetSynthCallback(Collect);
    why = "voices spoken by espeak-ng in Mandarin";
    return std::make_unique<EspeakSpeaker>(rate);
  }
  if (rate > 0) espeak_Terminate();
  why = "espeak-ng has no Mandarin voice: voices are short tones";
#else
  why = "espeak-ng was not found when building: voices are short tones";
#endif
  return std::make_unique<ToneSpeaker>();
}

}  // namespace soundgen

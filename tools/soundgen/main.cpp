// qintara-soundgen --out DIR [--phrases FILE]: writes the table's sounds as WAV files:
// DIR/music (effects and the background loop), DIR/qntr and DIR/mj (the two voice sets).
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "effects.h"
#include "voices.h"

namespace {

namespace fs = std::filesystem;
using soundgen::Signal;

bool Write(const fs::path& path, const Signal& s, int& written) {
  if (!soundgen::WriteWav(path.string(), s)) {
    std::fprintf(stderr, "qintara-soundgen: cannot write %s\n", path.string().c_str());
    return false;
  }
  ++written;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out;
  std::string phrases;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string flag = argv[i];
    if (flag == "--out") out = argv[i + 1];
    if (flag == "--phrases") phrases = argv[i + 1];
  }
  if (out.empty()) {
    std::fprintf(stderr, "usage: qintara-soundgen --out DIR [--phrases chat.ini]\n");
    return 2;
  }
  const fs::path root(out);
  std::error_code ec;
  for (const char* dir : {"music", "qntr", "mj"}) fs::create_directories(root / dir, ec);
  if (ec) {
    std::fprintf(stderr, "qintara-soundgen: cannot create %s: %s\n", out.c_str(),
                 ec.message().c_str());
    return 1;
  }

  int written = 0;
  bool ok = true;
  const std::vector<std::pair<const char*, Signal>> effects{
      {"majiang.wav", soundgen::BackgroundLoop()},
      {"dapai.wav", soundgen::DiscardClack()},
      {"qupai.wav", soundgen::TakeTiles()},
      {"xipai.wav", soundgen::Shuffle()},
      {"zhise.wav", soundgen::Dice()},
      {"tishi.wav", soundgen::Warning()}};
  for (const auto& [name, signal] : effects)
    ok = Write(root / "music" / name, signal, written) && ok;

  std::string why;
  auto speaker = soundgen::Speaker::Make(why);
  std::printf("qintara-soundgen: %s\n", why.c_str());
  const auto clips = soundgen::VoiceClips(phrases.empty() ? std::vector<std::string>{}
                                                          : soundgen::ReadVoicePhrases(phrases));
  for (const auto& voice : soundgen::VoiceSets()) {
    const fs::path folder = root / (voice.dialect == "27" ? "qntr" : "mj");
    for (const auto& clip : clips) {
      Signal s = speaker->Say(voice, clip.text);
      soundgen::TrimSilence(s, 0.01F, soundgen::kRate / 30);
      soundgen::FadeEdges(s, soundgen::kRate / 200);
      soundgen::Normalise(s, 0.8F);
      ok = Write(folder / (voice.Prefix() + clip.suffix + ".wav"), s, written) && ok;
    }
  }
  std::printf("qintara-soundgen: %d sounds in %s\n", written, out.c_str());
  return ok ? 0 : 1;
}

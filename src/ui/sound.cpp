#include "ui/sound.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "assets/sound_cues.h"
#include "platform/host.h"
#include "table/tiles.h"
#include "ui/ui_state.h"

namespace ui {

namespace {

constexpr std::array<const char*, 6> kEffectNames{"majiang.wav", "dapai.wav", "qupai.wav",
                                                  "xipai.wav",   "zhise.wav", "tishi.wav"};
constexpr int kMinVolume = 0;

}  // namespace

void BuildSoundList(SoundPlayer& s) {
  s.ui.ProgramFolder = s.host.Disk().ProgramFolder();
  const std::string music = s.ui.ProgramFolder + "/../common/music/";
  for (std::size_t i = 0; i < kEffectNames.size(); ++i) {
    s.ui.SoundFile.at(i + 1) = music + kEffectNames.at(i);
  }
  s.ui.VoiceDir = VoiceFolder(s.ui, true);
}

std::string VoiceFolder(const UiState& u, bool dialect) {
  return u.ProgramFolder + (dialect ? "/../common/qntr/" : "/../common/mj/");
}

void InitSound(SoundPlayer& s) {
  if (s.host.Sound().Open()) return;
  s.ui.SoundOn = false;
  s.host.Log("sound", "no sound device: sound off");
}

void StartMusic(SoundPlayer& s) {
  InitSound(s);
  if (!s.ui.SoundOn) return;
  StopSound(s);
  PlaySound(s, SoundFile(s.ui, assets::kSoundLoop), true);
  SetSoundVolume(s, kFullVolume);
}

void PlaySound(SoundPlayer& s, const std::string& path, bool looping) {
  if (s.host.LogVerbose()) s.host.Log("sound", (looping ? "loop " : "play ") + path);
  if (!s.host.Sound().Play(path, looping)) SoundFailed(s, path);
}

void StopSound(SoundPlayer& s) {
  s.host.Sound().Stop();
}

void SetSoundVolume(SoundPlayer& s, int v) {
  if (v < kMinVolume || v > kFullVolume) return;
  s.host.Sound().SetAttenuation(v - kFullVolume);
}

const std::string& SoundFile(const UiState& u, int n) {
  if (n < 1) throw std::out_of_range("sound file " + std::to_string(n));
  return u.SoundFile.at(static_cast<std::size_t>(n));
}

std::string VoicePath(const SoundPlayer& s, int pos, std::string_view suffix) {
  const auto& pl = s.Player.at(static_cast<std::size_t>(pos));
  std::string name = "v" + pl.VoiceA + pl.VoiceB + std::to_string(pl.Sex) +
                     std::to_string(pl.VoiceSex) + std::string(suffix) + ".wav";
  // The voice fields may come from the server as they stand: they name a file in VoiceDir and
  // never a path out of it.
  std::replace(name.begin(), name.end(), '/', '_');
  std::replace(name.begin(), name.end(), '\0', '_');
  return s.ui.VoiceDir + name;
}

std::string TileVoiceSuffix(int tileCode) {
  return std::to_string(table::VoiceSuitNo(tileCode)) + std::to_string(table::Rank(tileCode));
}

void SetVoiceStyle(UiState& u, int pos, const std::string& style, int /*voiceSex*/) {
  u.VoiceStyle.at(static_cast<std::size_t>(pos)) = style;
}

void PlayEffect(SoundPlayer& s, int n) {
  if (!s.ui.SoundOn) return;
  PlaySound(s, SoundFile(s.ui, n), false);
  SetSoundVolume(s, kFullVolume);
}

void PlayVoice(SoundPlayer& s, int pos, std::string_view suffix) {
  if (!s.ui.SoundOn) return;
  PlaySound(s, VoicePath(s, pos, suffix), false);
  SetSoundVolume(s, kFullVolume);
}

void SoundFailed(SoundPlayer& s, const std::string& path) {
  if (s.ui.SoundOn) s.host.Log("sound", "cannot play " + path + ": sound off");
  s.ui.SoundOn = false;
}

}  // namespace ui

#include "ui/sound.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "assets/sound_cues.h"
#include "session/client.h"
#include "table/tiles.h"

namespace ui {

namespace {

constexpr std::array<const char*, 6> kEffectNames{"majiang.wav", "dapai.wav", "qupai.wav",
                                                  "xipai.wav",   "zhise.wav", "tishi.wav"};
constexpr int kMinVolume = 0;

}  // namespace

void BuildSoundList(Client& c) {
  c.ui.ProgramFolder = c.host.Disk().ProgramFolder();
  const std::string music = c.ui.ProgramFolder + "/../common/music/";
  for (std::size_t i = 0; i < kEffectNames.size(); ++i) {
    c.ui.SoundFile.at(i + 1) = music + kEffectNames.at(i);
  }
  c.ui.VoiceDir = VoiceFolder(c, true);
}

std::string VoiceFolder(const Client& c, bool dialect) {
  return c.ui.ProgramFolder + (dialect ? "/../common/qntr/" : "/../common/mj/");
}

void InitSound(Client& c) {
  if (c.host.Sound().Open()) return;
  c.ui.SoundOn = false;
  c.host.Log("sound", "no sound device: sound off");
}

void StartMusic(Client& c) {
  InitSound(c);
  if (!c.ui.SoundOn) return;
  StopSound(c);
  PlaySound(c, SoundFile(c, assets::kSoundLoop), true);
  SetSoundVolume(c, kFullVolume);
}

void PlaySound(Client& c, const std::string& path, bool looping) {
  if (c.host.LogVerbose()) c.host.Log("sound", (looping ? "loop " : "play ") + path);
  if (!c.host.Sound().Play(path, looping)) SoundFailed(c, path);
}

void StopSound(Client& c) {
  c.host.Sound().Stop();
}

void SetSoundVolume(Client& c, int v) {
  if (v < kMinVolume || v > kFullVolume) return;
  c.host.Sound().SetAttenuation(v - kFullVolume);
}

const std::string& SoundFile(const Client& c, int n) {
  if (n < 1) throw std::out_of_range("sound file " + std::to_string(n));
  return c.ui.SoundFile.at(static_cast<std::size_t>(n));
}

std::string VoicePath(const Client& c, int pos, std::string_view suffix) {
  const auto& pl = c.table.Player.at(static_cast<std::size_t>(pos));
  std::string name = "v" + pl.VoiceA + pl.VoiceB + std::to_string(pl.Sex) +
                     std::to_string(pl.VoiceSex) + std::string(suffix) + ".wav";
  // The voice fields may come from the server as they stand: they name a file in VoiceDir and
  // never a path out of it.
  std::replace(name.begin(), name.end(), '/', '_');
  std::replace(name.begin(), name.end(), '\0', '_');
  return c.ui.VoiceDir + name;
}

std::string TileVoiceSuffix(int tileCode) {
  return std::to_string(table::VoiceSuitNo(tileCode)) + std::to_string(table::Rank(tileCode));
}

void SetVoiceStyle(Client& c, int pos, const std::string& style, int /*voiceSex*/) {
  c.ui.VoiceStyle.at(static_cast<std::size_t>(pos)) = style;
}

void PlayEffect(Client& c, int n) {
  if (!c.ui.SoundOn) return;
  PlaySound(c, SoundFile(c, n), false);
  SetSoundVolume(c, kFullVolume);
}

void PlayVoice(Client& c, int pos, std::string_view suffix) {
  if (!c.ui.SoundOn) return;
  PlaySound(c, VoicePath(c, pos, suffix), false);
  SetSoundVolume(c, kFullVolume);
}

void SoundFailed(Client& c, const std::string& path) {
  if (c.ui.SoundOn) c.host.Log("sound", "cannot play " + path + ": sound off");
  c.ui.SoundOn = false;
}

}  // namespace ui

#pragma once
// Effects, the background loop and the seats' voices, all through the one sound channel: a new
// sound stops the one playing.
#include <string>
#include <string_view>

#include "ui/context.h"

namespace ui {

constexpr int kFullVolume = 3000;

// Builds SoundFile(1..6) and VoiceDir from the program's folder.
void BuildSoundList(SoundPlayer& s);
// The folder of the dialect voices or of the plain ones, with its trailing separator.
std::string VoiceFolder(const UiState& u, bool dialect);
// Opens the device; a failure turns SoundOn off.
void InitSound(SoundPlayer& s);
// Start-up: opens the device and starts the background loop at full volume.
void StartMusic(SoundPlayer& s);

// Stops and releases the sound playing, then plays path once or looping from the start. Any
// failure turns SoundOn off.
void PlaySound(SoundPlayer& s, const std::string& path, bool looping);
// Stops the sound playing and rewinds it.
void StopSound(SoundPlayer& s);
// 0..3000: 3000 is full volume, 0 is 30 dB down; other values are ignored.
void SetSoundVolume(SoundPlayer& s, int v);
// Full path of entry n (1..6) of the effect files; throws std::out_of_range for another n.
const std::string& SoundFile(const UiState& u, int n);
// The voice file of the player at position pos (0..3) with a suffix such as "01" or "a3":
// VoiceDir, "v", dialect code, voice code, sex digit, voice kind digit, suffix, ".wav".
std::string VoicePath(const SoundPlayer& s, int pos, std::string_view suffix);
// VoiceSuitNo digit and rank digit of a tile code: "85" for the five of characters.
std::string TileVoiceSuffix(int tileCode);

// Seating gave the player at pos this voice code; the settings dialog's voice switch brings it
// back.
void SetVoiceStyle(UiState& u, int pos, const std::string& style, int voiceSex);

// When SoundOn: entry n of SoundFile once, at full volume.
void PlayEffect(SoundPlayer& s, int n);
// When SoundOn: the voice clip of position pos once, at full volume.
void PlayVoice(SoundPlayer& s, int pos, std::string_view suffix);

// A sound the device accepted failed later: sound is off.
void SoundFailed(SoundPlayer& s, const std::string& path);

}  // namespace ui

#pragma once
// Effects, the background loop and the seats' voices, all through the one sound channel: a new
// sound stops the one playing.
#include <string>
#include <string_view>

class Client;

namespace ui {

// Entries of SoundFile.
constexpr int kSoundLoop = 1;     // background loop
constexpr int kSoundDiscard = 2;  // a discard is shown
constexpr int kSoundTake = 3;     // tiles are taken
constexpr int kSoundWall = 4;     // the wall is built
constexpr int kSoundDice = 5;     // the dice are thrown
constexpr int kSoundWarning = 6;  // each second of a running-out action countdown

constexpr int kFullVolume = 3000;

// Voice suffixes of the moves; a discarded tile's is TileVoiceSuffix.
constexpr std::string_view kVoiceChi = "01";
constexpr std::string_view kVoicePeng = "02";
constexpr std::string_view kVoiceGang = "03";
constexpr std::string_view kVoiceTing = "04";  // also the gang of the red dragon
constexpr std::string_view kVoiceWildGang = "05";
constexpr std::string_view kVoiceConcealedGang = "06";
constexpr std::string_view kVoiceHu = "09";

// Voice sets: dialect code and the folder it lives in.
constexpr std::string_view kDialectVoices = "27";
constexpr std::string_view kPlainVoices = "00";

// Builds SoundFile(1..6) and VoiceDir from the program's folder.
void BuildSoundList(Client& c);
// The folder of the dialect voices or of the plain ones, with its trailing separator.
std::string VoiceFolder(const Client& c, bool dialect);
// Opens the device; a failure turns SoundOn off.
void InitSound(Client& c);
// Start-up: opens the device and starts the background loop at full volume.
void StartMusic(Client& c);

// Stops and releases the sound playing, then plays path once or looping from the start. Any
// failure turns SoundOn off.
void PlaySound(Client& c, const std::string& path, bool looping);
// Stops the sound playing and rewinds it.
void StopSound(Client& c);
// 0..3000: 3000 is full volume, 0 is 30 dB down; other values are ignored.
void SetSoundVolume(Client& c, int v);
// Full path of entry n (1..6) of the effect files; throws std::out_of_range for another n.
const std::string& SoundFile(const Client& c, int n);
// The voice file of the player at position pos (0..3) with a suffix such as "01" or "a3":
// VoiceDir, "v", dialect code, voice code, sex digit, voice kind digit, suffix, ".wav".
std::string VoicePath(const Client& c, int pos, std::string_view suffix);
// VoiceSuitNo digit and rank digit of a tile code: "85" for the five of characters.
std::string TileVoiceSuffix(int tileCode);

// Seating gave the player at pos this voice code; the settings dialog's voice switch brings it
// back.
void SetVoiceStyle(Client& c, int pos, const std::string& style, int voiceSex);

// When SoundOn: entry n of SoundFile once, at full volume.
void PlayEffect(Client& c, int n);
// When SoundOn: the voice clip of position pos once, at full volume.
void PlayVoice(Client& c, int pos, std::string_view suffix);

// A sound the device accepted failed later: sound is off.
void SoundFailed(Client& c, const std::string& path);

}  // namespace ui

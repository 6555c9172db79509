#pragma once
// The sounds the table plays: the effect entries of the sound list and the voice clips' codes.
#include <string_view>

namespace assets {

// Entries of SoundFile.
constexpr int kSoundLoop = 1;     // background loop
constexpr int kSoundDiscard = 2;  // a discard is shown
constexpr int kSoundTake = 3;     // tiles are taken
constexpr int kSoundWall = 4;     // the wall is built
constexpr int kSoundDice = 5;     // the dice are thrown
constexpr int kSoundWarning = 6;  // each second of a running-out action countdown

// Voice suffixes of the moves; a discarded tile's is ui::TileVoiceSuffix.
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

}  // namespace assets

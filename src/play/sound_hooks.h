#pragma once
// The own seat's voice clips for its moves. Until sound playback lands, each request is logged.
#include <string>

class Client;

namespace play {

// Plays the own seat's clip with this file suffix ("01" chi, "02" peng, ...) when sound is on.
void PlayOwnVoice(Client& c, const std::string& suffix);

}  // namespace play

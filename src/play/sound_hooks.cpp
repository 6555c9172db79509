#include "play/sound_hooks.h"

#include "app/client.h"

namespace play {

void PlayOwnVoice(Client& c, const std::string& suffix) {
  if (!c.ui.SoundOn) return;
  c.host.Log("hook", "PlayOwnVoice " + suffix);
}

}  // namespace play

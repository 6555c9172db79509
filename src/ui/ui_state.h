#pragma once
// Control bar and sound switches.
#include <array>

namespace ui {

struct UiState {
  std::array<int, 9> ButtonState{};  // 0 armed, -1 used
  std::array<int, 9> ButtonLit{};
  bool StartPending = true;
  bool SoundOn = true;
  bool MusicOn = true;
  bool VoiceOn = true;
  // Both title buttons show their normal pictures.
  bool ChromeNormal = true;
};

}  // namespace ui

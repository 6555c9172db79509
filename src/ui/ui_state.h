#pragma once
// Control bar and sound switches.
#include <array>
#include <string>

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
  // The advertisement page the logo pane links to; empty when there is none.
  std::string AdLink;
};

}  // namespace ui

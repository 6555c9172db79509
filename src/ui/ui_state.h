#pragma once
// Control bar and sound switches.
#include <array>
#include <cstdint>
#include <string>

namespace ui {

struct UiState {
  std::array<int, 9> ButtonState{};  // 0 armed, -1 used
  std::array<int, 9> ButtonLit{};
  bool StartPending = true;
  // Effects and voices; the background loop.
  bool SoundOn = true;
  bool MusicOn = true;
  bool VoiceOn = true;
  // Full paths of the effect files, entries 1..6 (entry 0 unused).
  std::array<std::string, 7> SoundFile;
  // Folder of the voice files, with its trailing separator.
  std::string VoiceDir;
  // The voice code each position got at seating.
  std::array<std::string, 4> VoiceStyle;
  // The folder the program runs from: the sounds and the rules file are found from it.
  std::string ProgramFolder;
  // VosSet: loaded once; which switches were clicked (an odd number of times) since it opened.
  bool VosSetLoaded = false;
  std::array<bool, 5> Changed{};
  // The rules page has been loaded (its text is read once per run).
  bool RuleLoaded = false;
  // Both title buttons show their normal pictures.
  bool ChromeNormal = true;
  // The advertisement page the logo pane links to; empty when there is none.
  std::string AdLink;
  // The seat-change caption shown next, and whether the server announced a seat change that
  // has not been set up yet.
  int ShufflePos = 0;
  bool SeatChangePending = false;
  // What the connection indicator shows, as one number; -1 before it is first drawn.
  std::int64_t LinkShown = -1;
};

}  // namespace ui

#pragma once
// Playing from the keyboard: the arrow keys raise one own tile after another, Enter throws the
// raised tile, and letters press the offered buttons (C chi, P peng, G gang, T ting, H hu,
// Space or Backspace pass); the digits pick a shown chi or gang choice.
namespace platform {
class Control;
}
class Client;

namespace play {

constexpr int kKeyBackspace = 8;
constexpr int kKeyTab = 9;
constexpr int kKeySpace = 32;
constexpr int kKeyLeft = 37;
constexpr int kKeyRight = 39;

// A key reaching the main window; focus is the text box holding the keyboard, or null for the
// table. True when the key was used for play (nothing else should act on it). While the chat
// box has the keyboard, keys type; Tab in an empty chat box hands the keyboard to the table.
bool KeyPlay(Client& c, platform::Control* focus, int keyCode, int shift);

}  // namespace play

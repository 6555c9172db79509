#pragma once
#include <string>

namespace chat {

struct ChatState {
  // Closed for one period of TimerChat after a line was sent with Enter.
  bool ChatGate = true;
  // "你对" + name + "说: " at the start of the chat box while whispering, else empty.
  std::string WhisperPrefix;
  int WhisperTarget = 0;  // seat bit of the whispered player, 0 when not whispering
  // The box's text (without a prefix) when the prefix was set.
  std::string ChatSavedText;
  // Blink steps left of the chat button, set by a line from another seat.
  int ChatBlink = 0;
  // Backspace hit the prefix: the next change of the box drops the whole prefix. The text after
  // the prefix as it stood then.
  bool PrefixErasePending = false;
  std::string TextAfterPrefix;
  // The chat history window closes on Alt then C; Alt arms it.
  bool TalkAltArmed = false;
  // The phrase window has read the phrase file (it does so once, when first shown).
  bool PhrasesLoaded = false;
};

}  // namespace chat

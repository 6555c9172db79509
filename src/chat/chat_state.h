#pragma once
#include <string>

namespace chat {

struct ChatState {
  int ChatBlinkLeft = 0;  // steps left of the chat button's blink
};

}  // namespace chat

#include "chat/chat.h"
#include "app/client.h"

namespace chat {

void ShowChatLine(Client& c, const std::string& line, int pos, int /*v0*/, int /*v2*/, int /*v3*/) {
  c.host.Log("chat", std::to_string(pos) + " " + line);
}

void BlinkStep(Client& c) {
  if (c.chat.ChatBlinkLeft > 0) --c.chat.ChatBlinkLeft;
}

void ClearChatList(Client& /*c*/) {}

}  // namespace chat

namespace chat {

void Chat_KeyPress(Client& c, int keyAscii) {
  // Sending with the rate gate belongs to the chat lines; until then Enter is only noted.
  if (keyAscii == 13) c.host.Log("hook", "Chat_KeyPress Enter " + c.MainForm.Chat.Text());
}

}  // namespace chat

#pragma once
#include <string>

class Client;

namespace chat {

// A chat line from the table: the text, the sender's screen position and the frame's values.
void ShowChatLine(Client& c, const std::string& line, int pos, int v0, int v2, int v3);
void BlinkStep(Client& c);
void ClearChatList(Client& c);

}  // namespace chat

namespace chat {

// A character typed into the chat box Chat (13 for Enter).
void Chat_KeyPress(Client& c, int keyAscii);

}  // namespace chat

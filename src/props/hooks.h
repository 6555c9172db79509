#pragma once
// What the prop bridge asks of the chat, the player card and the result windows.
#include <string>

class Client;

namespace props::hooks {

// A line for the chat history and the ticker, wrapped at width characters.
void ShowMessageLine(Client& c, const std::string& text, int width);
// Addresses the next chat line to the player at a position (1..3).
void SetWhisper(Client& c, int pos);
// The player card of a position (0..3).
void ShowPlayerCard(Client& c, int pos);
// The result windows of a won hand, and of a hand nobody won (with its prop lines).
void ShowScoreSheet(Client& c);
void ShowDrawSheetWithProps(Client& c);

}  // namespace props::hooks

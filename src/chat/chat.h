#pragma once
// Table chat: lines and whispers, the word filter, quick phrases, voice clips and the history.
#include <cstddef>
#include <string>
#include <string_view>

namespace chat {

struct Ctx;
class TalkT;
class HuifuT;

// Wrap widths of the history, in columns (a double-byte character takes two).
inline constexpr int kChatWrap = 46;
inline constexpr int kPluginWrap = 44;
// The ticker shows at most this many characters of a line.
inline constexpr std::size_t kTickerChars = 45;
// A sent line holds at most this many characters, the sender's name included.
inline constexpr std::size_t kLineChars = 100;
// Typing past this many history lines clears the history.
inline constexpr int kHistoryKeep = 100;
// A player who never types keeps the history; past this many lines the oldest go, so that a
// night of chatter stays bounded.
inline constexpr std::size_t kHistoryMax = 5000;

inline constexpr std::string_view kTooFast = "（发送消息太快！）";

// ---- Lines ----
// A chat line from the table (the decoder's half of command 19): the text, the sender's screen
// position and the frame's values 0, 2 and 3.
void ShowChatLine(Ctx& c, const std::string& line, int pos, int v0, int v2, int v3);
// Appends text to the history wrapped at width columns, and to the two-line ticker.
void ShowMessageLine(Ctx& c, const std::string& text, int width);
// The fixed word filter of received lines.
std::string FiltChat(std::string_view text);
// Sends the chat box's line (the send button; Enter goes through the rate gate first).
void SendChatLine(Ctx& c);
// Queues message as a line of the own seat with the frame's values 0, 2 and 3: a whisper while
// boxText holds the whisper prefix (which the message loses), else a public line. The whisper
// ends and the box empties. False, with a word to the player, when GBK cannot carry the line.
bool SendLine(Ctx& c, const std::string& boxText, const std::string& message, int v0, int v2,
              int v3);
// Starts a whisper to the player at position pos (an avatar click, or the plug-in).
void SetWhisper(Ctx& c, int pos);
void BlinkStep(Ctx& c);
void ClearChatList(TalkT& talk);
void TimerChat_Timer(Ctx& c);

// ---- The chat box ----
// A character typed into the chat box Chat (13 for Enter).
void Chat_KeyPress(Ctx& c, int keyAscii);
// Any key pressed in the chat box, before the box acts on it.
void Chat_KeyTouched(Ctx& c, int keyCode);
// The user changed the box's text (typing, input method, paste, cut).
void Chat_Change(Ctx& c);
// An avatar of the table was clicked.
void Tou_Click(Ctx& c, int pos);

// ---- Phrases and the windows ----
// Fills the phrase lists from the phrase file (the phrase window's load).
void LoadPhrases(Ctx& c);
// list 1 text phrases, 2 voice phrases; row 0-based.
void SendPhrase(Ctx& c, int list, int row);
void ShowPhraseList(Ctx& c, int list);
void ToggleHistory(Ctx& c);
// Opens the history over the chat corner (again, when it is open already).
void ShowTalk(Ctx& c);
void HideTalk(TalkT& talk);
void HidePhrases(HuifuT& huifu);

}  // namespace chat

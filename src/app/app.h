#pragma once
// Start-up, the lobby link, messages to the player and the end of the program.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "net/frame.h"
#include "platform/controls.h"

class Client;

namespace app {

// Messages to the player, each also written to the diagnostics log.
void SysmsgClear(Client& c, int list);
void SysmsgAdd(Client& c, int list, const std::string& text);
// A seat's gold label on the table; each change is logged ("gold: pos caption"), so a run's
// money can be followed from its log.
void ShowCash(Client& c, int pos, const std::string& caption);
void ShowMessage(Client& c, const std::string& text, const std::string& title);
[[noreturn]] void EndProgram(Client& c, const std::string& reason);
// The orderly end (the main window unloads): the lobby link stops listening, sound stops, the
// other windows unload and the plug-in is told to exit; then the program ends.
[[noreturn]] void Form_Unload(Client& c, const std::string& reason);
// Logs a frame's command number, and its bytes when the log is verbose.
void LogFrame(Client& c, std::string_view kind, const net::Frame& frame);

// The lobby window, looked up by title at every use.
bool LobbyExists(Client& c);
void RestoreLobby(Client& c);
// Gives the screen back to the lobby and ends the program; the end names reason even when the
// lobby window is gone as well.
[[noreturn]] void RestoreLobbyAndEnd(Client& c, const std::string& reason);
void MinimizeLobby(Client& c);
void PostToLobby(Client& c, std::uint32_t msg);
void BackToLobby(Client& c);
std::int32_t GameWndProc(Client& c, std::uint32_t msg, std::int32_t wParam, std::int32_t lParam);
// One of the lobby's four messages, handled outside any tick.
void LobbyMessage(Client& c, std::uint32_t msg);
void Form_KeyDown(Client& c, int keyCode);
// The same boss key on another form (the other-player-left dialog): that form is minimised.
void Form_KeyDown(Client& c, platform::Form& received, int keyCode);
void Form_Resize(Client& c);
// Keys of the chat input box other than Enter.
void Chat_KeyDown(Client& c, int keyCode);
// The table's boss key (F1 on the table or in the chat box): boss mode, every clock at one
// second, the side windows hidden, both windows minimised. tellPlugin: also pass F1 to the
// plug-in (the chat box has done so already).
void TableBossKey(Client& c, bool tellPlugin);

// The lobby's command line, field by field.
struct CommandLine {
  std::vector<std::string> fields;  // the fields ended by "$", at most fifteen
  bool watchMode = false;
  double watchedUserId = 0;  // watch mode: the number after the fifth "$"
};
CommandLine SplitCommandLine(std::string_view line);
// Ordinary integer conversion of a numeric field; throws std::invalid_argument when the text is
// not a number and std::out_of_range when it does not fit.
int ParseIntField(std::string_view field, int min, int max);
// The leading numeric part of a text, 0 when it has none.
double LeadingNumber(std::string_view text);

// Form_Load of the main window. args is the command line as the lobby gave it.
void Form_Load(Client& c, const std::string& commandLine);
// Fails (std::invalid_argument) when a name has a character without a single-byte code or runs
// past the frame.
net::Frame BuildLoginFrame(const std::string& loginName, const std::string& loginKey);

}  // namespace app

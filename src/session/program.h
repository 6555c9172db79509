#pragma once
// Start-up, the lobby link, the main form's keys and the orderly end of the program.
#include <cstdint>
#include <string>

#include "platform/controls.h"
#include "wire/frame.h"

class Client;

namespace session {

// The orderly end (the main window unloads): the lobby link stops listening, sound stops, the
// other windows unload and the plug-in is told to exit; then the program ends.
[[noreturn]] void Form_Unload(Client& c, const std::string& reason);
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

// Form_Load of the main window. args is the command line as the lobby gave it.
void Form_Load(Client& c, const std::string& commandLine);
// Fails (std::invalid_argument) when a name has a character without a single-byte code or runs
// past the frame.
wire::Frame BuildLoginFrame(const std::string& loginName, const std::string& loginKey);

}  // namespace session

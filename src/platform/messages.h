#pragma once
// A message box for the player and the end of the program, each also written to the
// diagnostics log.
#include <string>

namespace platform {

class Host;

void ShowMessage(Host& host, const std::string& text, const std::string& title);
// Ends at once: nothing more is sent and no unload step runs.
[[noreturn]] void EndProgram(Host& host, const std::string& reason);

}  // namespace platform

#pragma once
// The per-user runtime folder shared by the client, its lobby channel and its log.
#include <optional>
#include <string>

namespace host {

// The folder path as the environment names it (QINTARA_RUNTIME_DIR, XDG_RUNTIME_DIR/qintara,
// or /tmp/qintara-<uid>).
std::string RuntimeDirPath();
// Creates the folder (mode 0700) when missing and checks that only this user can reach it.
// Empty, with why in reason, when it must not be used.
std::optional<std::string> UsableRuntimeDir(std::string* reason = nullptr);

}  // namespace host

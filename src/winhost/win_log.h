#pragma once
// Where the diagnostics log goes on Windows when QINTARA_LOG does not say.
#include <string>

namespace winhost {

// QINTARA_RUNTIME_DIR when set, else %LOCALAPPDATA%\qintara (else the temporary folder's
// qintara), created when missing.
std::string RuntimeFolder();
// qintara.log in RuntimeFolder(); empty when that folder cannot be made.
std::string DefaultLogPath();

}  // namespace winhost

#pragma once
// Where the client's own files live. As designed they sit beside the program; an installed
// client cannot write there, so its writable files go to the per-user data folder instead,
// and a file it only reads may be overridden by a copy in that folder.
#include <string>
#include <string_view>

#include "platform/files.h"

namespace app {

inline constexpr std::string_view kPhraseFile = "chat.ini";
inline constexpr std::string_view kRecordFile = "info.vr";
inline constexpr std::string_view kRulesFile = "rule.ini";

// A file the client writes: beside the program when that folder takes new files, else in the
// per-user data folder.
std::string WritableFilePath(platform::Files& files, std::string_view name);
// A file the client only reads: the per-user copy when there is one, else the program's own.
std::string ReadOnlyFilePath(platform::Files& files, std::string_view name);

}  // namespace app

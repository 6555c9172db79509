#include "app/client_files.h"

namespace app {

std::string WritableFilePath(platform::Files& files, std::string_view name) {
  const std::string program = files.ProgramFolder();
  if (!program.empty() && files.FolderWritable(program)) return platform::JoinPath(program, name);
  return platform::JoinPath(files.UserDataFolder(), name);
}

std::string ReadOnlyFilePath(platform::Files& files, std::string_view name) {
  std::string own = platform::JoinPath(files.UserDataFolder(), name);
  if (files.FileExists(own)) return own;
  return platform::JoinPath(files.ProgramFolder(), name);
}

}  // namespace app

#pragma once
// Files on the real disk, with std::filesystem and the system's own calls (disk_files_posix.cpp,
// disk_files_win32.cpp); no Qt, so the tests and the tools can use it too. Paths are UTF-8 on
// every system: on Windows they reach the wide-character calls, never the ANSI code page.
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#include "platform/files.h"

namespace platform {

class DiskFiles final : public Files {
 public:
  DiskFiles(std::string programFolder, std::string userDataFolder)
      : programFolder_(std::move(programFolder)), userDataFolder_(std::move(userDataFolder)) {}

  std::string ProgramFolder() const override { return programFolder_; }
  std::string UserDataFolder() const override { return userDataFolder_; }
  std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path,
                                                    std::size_t maxBytes) override;
  bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) override;
  bool RemoveFile(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  bool FolderWritable(const std::string& folder) override;
  std::vector<std::string> ListFolder(const std::string& folder) override;

 private:
  std::string programFolder_;
  std::string userDataFolder_;
};

// $XDG_DATA_HOME/qintara, or ~/.local/share/qintara when it is unset or not absolute.
std::string DefaultUserDataFolder(const char* xdgDataHome, const char* home);

// This user's data folder: DefaultUserDataFolder from the environment on POSIX systems,
// %APPDATA%\qintara on Windows.
std::string UserDataFolderOfThisUser();
// The folder of the running program, or "" when the system does not tell.
std::string ProgramFolderOfThisProcess();

// An environment variable's value in UTF-8; empty when it is not set.
std::string EnvironmentVariable(const char* name);
// Opens a file for appending by its UTF-8 path; null when it cannot.
std::FILE* OpenForAppend(const std::string& path);

// A UTF-8 path as the system's path type, and back.
std::filesystem::path NativePath(std::string_view utf8);
std::string Utf8Path(const std::filesystem::path& path);

}  // namespace platform

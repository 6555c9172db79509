#pragma once
// Files on the real disk, with plain POSIX/std::filesystem calls (no Qt, so the tests and the
// tools can use it too).
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

}  // namespace platform

#pragma once
// The client's few files on disk (the INI files, the record file, the rules text, replays).
// The core reaches them only through this interface, so tests can hold them in memory.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class Files {
 public:
  virtual ~Files() = default;

  // The folder that holds the program, and the per-user data folder (which may not exist yet).
  virtual std::string ProgramFolder() const = 0;
  virtual std::string UserDataFolder() const = 0;

  // The whole file, or nothing when it is missing, unreadable or longer than maxBytes.
  virtual std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path,
                                                            std::size_t maxBytes) = 0;
  // Replaces the file as a whole: a failed write leaves the old file as it was.
  virtual bool WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) = 0;
  virtual bool RemoveFile(const std::string& path) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  // Whether new files can be made in the folder (creating the folder when missing).
  virtual bool FolderWritable(const std::string& folder) = 0;
  // Names (not paths) of the plain files in a folder, sorted; empty when there is no folder.
  virtual std::vector<std::string> ListFolder(const std::string& folder) = 0;
};

// Joins a folder and a file name with one slash.
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace platform

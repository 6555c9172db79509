#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "platform/disk_files.h"

namespace platform {

namespace fs = std::filesystem;

bool DiskFiles::WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  // Write a sibling and rename it over the file, so a crash or a full disk never leaves half
  // a file behind.
  const fs::path target(path);
  std::error_code ec;
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  const std::string temp = path + ".tmp" + std::to_string(getpid());
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  std::size_t done = 0;
  bool ok = true;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) {
      ok = false;
      break;
    }
    done += static_cast<std::size_t>(n);
  }
  if (close(fd) != 0) ok = false;
  if (ok) {
    fs::rename(temp, target, ec);
    ok = !ec;
  }
  if (!ok) fs::remove(temp, ec);
  return ok;
}

bool DiskFiles::FolderWritable(const std::string& folder) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!fs::is_directory(folder, ec)) return false;
  // Permission bits do not tell (read-only mounts, root, ACLs): try it.
  const std::string probe = JoinPath(folder, ".qintara-probe" + std::to_string(getpid()));
  const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  close(fd);
  unlink(probe.c_str());
  return true;
}

std::string UserDataFolderOfThisUser() {
  return DefaultUserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::string ProgramFolderOfThisProcess() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : Utf8Path(exe.parent_path());
}

std::string EnvironmentVariable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

std::FILE* OpenForAppend(const std::string& path) {
  return std::fopen(path.c_str(), "a");
}

}  // namespace platform

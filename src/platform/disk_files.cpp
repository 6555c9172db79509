#include "platform/disk_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace platform {

namespace fs = std::filesystem;

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
  return path;
}

std::string DefaultUserDataFolder(const char* xdgDataHome, const char* home) {
  // The base directory rules ignore a relative XDG_DATA_HOME.
  if (xdgDataHome != nullptr && xdgDataHome[0] == '/') return JoinPath(xdgDataHome, "qintara");
  std::string base = home != nullptr && home[0] != '\0' ? home : "/tmp";
  return JoinPath(JoinPath(base, ".local/share"), "qintara");
}

std::optional<std::vector<std::uint8_t>> DiskFiles::ReadFile(const std::string& path,
                                                             std::size_t maxBytes) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  // Read in pieces rather than trusting the size: the file may change under us.
  std::array<char, 65536> chunk{};
  while (in) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (bytes.size() + got > maxBytes) return std::nullopt;
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
  }
  if (in.bad()) return std::nullopt;
  return bytes;
}

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

bool DiskFiles::RemoveFile(const std::string& path) {
  std::error_code ec;
  return fs::remove(path, ec) && !ec;
}

bool DiskFiles::FileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
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

std::vector<std::string> DiskFiles::ListFolder(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_regular_file(ec)) names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace platform

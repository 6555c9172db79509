#include "platform/disk_files.h"

#include <algorithm>
#include <array>
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

std::filesystem::path NativePath(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8Path(const std::filesystem::path& path) {
  const std::u8string u8 = path.u8string();
  return {u8.begin(), u8.end()};
}

std::string DefaultUserDataFolder(const char* xdgDataHome, const char* home) {
  // The base directory rules ignore a relative XDG_DATA_HOME.
  if (xdgDataHome != nullptr && xdgDataHome[0] == '/') return JoinPath(xdgDataHome, "qintara");
  std::string base = home != nullptr && home[0] != '\0' ? home : "/tmp";
  return JoinPath(JoinPath(base, ".local/share"), "qintara");
}

std::optional<std::vector<std::uint8_t>> DiskFiles::ReadFile(const std::string& path,
                                                             std::size_t maxBytes) {
  const fs::path native = NativePath(path);
  std::error_code ec;
  if (!fs::is_regular_file(native, ec)) return std::nullopt;
  std::ifstream in(native, std::ios::binary);
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

bool DiskFiles::RemoveFile(const std::string& path) {
  std::error_code ec;
  return fs::remove(NativePath(path), ec) && !ec;
}

bool DiskFiles::FileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(NativePath(path), ec);
}

std::vector<std::string> DiskFiles::ListFolder(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(NativePath(folder), ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_regular_file(ec)) names.push_back(Utf8Path(it->path().filename()));
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace platform

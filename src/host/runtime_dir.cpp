#include "host/runtime_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace host {

std::string RuntimeDirPath() {
  const char* own = std::getenv("QINTARA_RUNTIME_DIR");
  if (own != nullptr && *own != '\0') return own;
  const char* xdg = std::getenv("XDG_RUNTIME_DIR");
  if (xdg != nullptr) return std::string(xdg) + "/qintara";
  return "/tmp/qintara-" + std::to_string(getuid());
}

std::optional<std::string> UsableRuntimeDir(std::string* reason) {
  const std::string dir = RuntimeDirPath();
  if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) {
    if (reason != nullptr) *reason = dir + ": " + std::strerror(errno);
    return std::nullopt;
  }
  struct stat st {};
  if (lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    if (reason != nullptr) *reason = dir + " is not a folder";
    return std::nullopt;
  }
  if (st.st_uid != getuid()) {
    if (reason != nullptr) *reason = dir + " belongs to another user";
    return std::nullopt;
  }
  if ((st.st_mode & 077) != 0) {
    if (reason != nullptr) *reason = dir + " can be reached by other users";
    return std::nullopt;
  }
  return dir;
}

}  // namespace host

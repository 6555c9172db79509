#include "winhost/win_log.h"

#include "winhost/win32.h"

#include <filesystem>
#include <system_error>

#include "platform/disk_files.h"

namespace winhost {

std::string RuntimeFolder() {
  std::string folder = platform::EnvironmentVariable("QINTARA_RUNTIME_DIR");
  if (folder.empty()) {
    const std::string local = platform::EnvironmentVariable("LOCALAPPDATA");
    if (!local.empty()) {
      folder = platform::JoinPath(local, "qintara");
    } else {
      wchar_t temp[MAX_PATH + 1] = {};
      const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
      if (n == 0 || n > MAX_PATH) return {};
      folder = platform::JoinPath(platform::Utf8Path(std::filesystem::path(temp)), "qintara");
    }
  }
  std::error_code ec;
  std::filesystem::create_directories(platform::NativePath(folder), ec);
  return folder;
}

std::string DefaultLogPath() {
  const std::string folder = RuntimeFolder();
  std::error_code ec;
  if (folder.empty() || !std::filesystem::is_directory(platform::NativePath(folder), ec)) return {};
  return platform::JoinPath(folder, "qintara.log");
}

}  // namespace winhost

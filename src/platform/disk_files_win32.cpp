#include <windows.h>

#include <algorithm>
#include <string>
#include <system_error>

#include "platform/disk_files.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

// Closes a Win32 file handle when it goes out of scope.
class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  ~Handle() {
    if (valid()) CloseHandle(h_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }
  bool Close() {
    const bool ok = CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE h_;
};

std::string ProcessSuffix() {
  return std::to_string(GetCurrentProcessId());
}

}  // namespace

bool DiskFiles::WriteFile(const std::string& path, std::span<const std::uint8_t> bytes) {
  // Write a sibling and move it over the file, so a crash or a full disk never leaves half a
  // file behind.
  const fs::path target = NativePath(path);
  std::error_code ec;
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  const std::wstring temp = target.wstring() + L".tmp" + NativePath(ProcessSuffix()).wstring();
  bool ok = true;
  {
    Handle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
      const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
      DWORD written = 0;
      if (::WriteFile(file.get(), bytes.data() + done, piece, &written, nullptr) == 0 ||
          written == 0) {
        ok = false;
        break;
      }
      done += written;
    }
    if (!file.Close()) ok = false;
  }
  if (ok) {
    ok = MoveFileExW(temp.c_str(), target.wstring().c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  }
  if (!ok) DeleteFileW(temp.c_str());
  return ok;
}

bool DiskFiles::FolderWritable(const std::string& folder) {
  const fs::path native = NativePath(folder);
  std::error_code ec;
  fs::create_directories(native, ec);
  if (!fs::is_directory(native, ec)) return false;
  // Attributes do not tell (read-only shares, access lists, a protected Program Files): try it.
  const std::wstring probe =
      (native / (L".qintara-probe" + NativePath(ProcessSuffix()).wstring())).wstring();
  Handle file(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  return file.valid();
}

namespace {

// Read wide: values such as the user's folders often hold Chinese names.
std::wstring WideEnvironment(const wchar_t* name) {
  std::wstring value(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    if (n < value.size()) {
      value.resize(n);
      return value;
    }
    value.resize(n);
  }
}

}  // namespace

std::string EnvironmentVariable(const char* name) {
  const std::wstring value = WideEnvironment(NativePath(name).wstring().c_str());
  return value.empty() ? std::string() : Utf8Path(fs::path(value));
}

std::FILE* OpenForAppend(const std::string& path) {
  return _wfopen(NativePath(path).wstring().c_str(), L"ab");
}

std::string UserDataFolderOfThisUser() {
  // The roaming application data folder.
  std::wstring folder = WideEnvironment(L"APPDATA");
  if (folder.empty()) {
    folder.resize(MAX_PATH + 1);
    folder.resize(GetTempPathW(static_cast<DWORD>(folder.size()), folder.data()));
  }
  while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  return Utf8Path(fs::path(folder + L"\\qintara"));
}

std::string ProgramFolderOfThisProcess() {
  std::wstring exe(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
    if (n == 0) return {};
    if (n < exe.size()) {
      exe.resize(n);
      break;
    }
    exe.resize(exe.size() * 2);  // cut off: try again with room for a long path
  }
  return Utf8Path(fs::path(exe).parent_path());
}

}  // namespace platform

#include "winhost/win_plugin.h"

#include "winhost/win32.h"

#include <cstring>

#include "platform/disk_files.h"
#include "props/prop_library.h"

namespace winhost {

std::string PropDllPath(const std::string& programFolder) {
  return platform::JoinPath(programFolder, "plugin/tools/PropDll.dll");
}

std::unique_ptr<platform::PropPlugin> LoadPropDll(const std::string& path, const PluginLog& log) {
  // The library's own folder first for what it needs, never the current folder.
  const std::wstring wide = platform::NativePath(path).make_preferred().wstring();
  HMODULE module = LoadLibraryExW(
      wide.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  if (module == nullptr) {
    log("plugin", "no plug-in: " + path + " (error " + std::to_string(GetLastError()) + ")");
    return nullptr;
  }
  std::shared_ptr<void> library(module, [](void* m) { FreeLibrary(static_cast<HMODULE>(m)); });
  return props::MakeLibraryPlugin(
      library,
      [module](const char* name) -> void* {
        const FARPROC entry = GetProcAddress(module, name);
        void* address = nullptr;
        static_assert(sizeof entry == sizeof address);
        std::memcpy(&address, &entry, sizeof address);
        return address;
      },
      path, log);
}

}  // namespace winhost

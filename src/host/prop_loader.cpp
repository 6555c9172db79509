#include "host/prop_loader.h"

#include <dlfcn.h>

#include "props/prop_library.h"

namespace host {

std::string PropPluginPath(const std::string& programDir) {
  return programDir + "/plugin/tools/PropDll.so";
}

std::unique_ptr<platform::PropPlugin> LoadPropPlugin(const std::string& path, const PropLog& log) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = dlerror();
    log("plugin", "no plug-in: " + std::string(why != nullptr ? why : path));
    return nullptr;
  }
  std::shared_ptr<void> library(handle, [](void* h) { dlclose(h); });
  return props::MakeLibraryPlugin(
      library, [handle](const char* name) { return dlsym(handle, name); }, path, log);
}

}  // namespace host

#pragma once
// The prop plug-in as PropDll.dll beside the program (plugin\tools), opened with LoadLibrary;
// the same C entries as on every system.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/prop_plugin.h"

namespace winhost {

using PluginLog = std::function<void(std::string_view kind, std::string_view detail)>;

// plugin/tools/PropDll.dll in the program's folder.
std::string PropDllPath(const std::string& programFolder);
// Null when the library is missing or unusable; log then gets one line saying why.
std::unique_ptr<platform::PropPlugin> LoadPropDll(const std::string& path, const PluginLog& log);

}  // namespace winhost

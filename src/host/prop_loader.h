#pragma once
// Loads the prop plug-in library with dlopen and puts it behind the core's plug-in interface.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/prop_plugin.h"

namespace host {

using PropLog = std::function<void(std::string_view kind, std::string_view detail)>;

// Where the plug-in lies: plugin/tools/PropDll.so in the program's folder.
std::string PropPluginPath(const std::string& programDir);

// Opens the library, checks its version and every entry, and creates the object. Null when any
// of that fails; log then gets one line saying why.
std::unique_ptr<platform::PropPlugin> LoadPropPlugin(const std::string& path, const PropLog& log);

}  // namespace host

#pragma once
// The prop plug-in behind the core's interface, from a library already opened: each host opens
// it its own way (dlopen, LoadLibrary) and hands over how to look its entries up.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/prop_plugin.h"

namespace props {

using PropLog = std::function<void(std::string_view kind, std::string_view detail)>;
// The address of an exported entry, or null when the library has none of that name.
using SymbolLookup = std::function<void*(const char* name)>;

// Checks the library's version and every entry, and creates the object. Null when any of that
// fails; log then gets one line saying why. library keeps the library open while the plug-in
// lives; path only names it in the log.
std::unique_ptr<platform::PropPlugin> MakeLibraryPlugin(std::shared_ptr<void> library,
                                                        const SymbolLookup& lookup,
                                                        const std::string& path,
                                                        const PropLog& log);

}  // namespace props

#pragma once
// The core's text is UTF-8; the Windows calls take UTF-16.
#include <string>
#include <string_view>

namespace winhost {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace winhost

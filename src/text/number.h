#pragma once
// Numbers read from the start of a text, as the lobby's command line, the INI files and the prop
// plug-in's lines give them.
#include <string_view>

namespace text {

// The leading numeric part of a text (blanks skipped, a sign, digits, a decimal part), 0 when
// it has none.
double LeadingNumber(std::string_view text);

}  // namespace text

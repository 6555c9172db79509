#pragma once
// The lobby's command line.
#include <string>
#include <string_view>
#include <vector>

namespace app {

// The lobby's command line, field by field.
struct CommandLine {
  std::vector<std::string> fields;  // the fields ended by "$", at most fifteen
  bool watchMode = false;
  double watchedUserId = 0;  // watch mode: the number after the fifth "$"
};
CommandLine SplitCommandLine(std::string_view line);
// Ordinary integer conversion of a numeric field; throws std::invalid_argument when the text is
// not a number and std::out_of_range when it does not fit.
int ParseIntField(std::string_view field, int min, int max);

}  // namespace app

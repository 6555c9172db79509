#include <cctype>
#include <charconv>
#include <cmath>
#include <stdexcept>

#include "app/cmdline.h"
#include "text/number.h"

namespace app {

namespace {

constexpr std::size_t kMaxFields = 15;

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

CommandLine SplitCommandLine(std::string_view line) {
  CommandLine cl;
  line = TrimBlanks(line);
  cl.watchMode = !line.empty() && line.back() != '$';
  std::size_t start = 0;
  int dollars = 0;
  while (start <= line.size()) {
    const std::size_t end = line.find('$', start);
    if (end == std::string_view::npos) break;
    ++dollars;
    if (cl.fields.size() < kMaxFields) cl.fields.emplace_back(line.substr(start, end - start));
    start = end + 1;
    if (cl.watchMode && dollars == 5) {
      cl.watchedUserId = text::LeadingNumber(line.substr(start));
    }
  }
  return cl;
}

int ParseIntField(std::string_view field, int min, int max) {
  field = TrimBlanks(field);
  if (field.empty()) throw std::invalid_argument("empty number");
  // A whole number, or a decimal one rounded to the nearest integer.
  double value = 0;
  const char* first = field.data();
  const char* last = field.data() + field.size();
  if (*first == '+') ++first;
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last) {
    throw std::invalid_argument("not a number: " + std::string(field));
  }
  const double rounded = std::nearbyint(value);
  // Written so that "nan" fails too: converting it to int would be undefined.
  if (!(rounded >= min && rounded <= max)) {
    throw std::out_of_range("number out of range: " + std::string(field));
  }
  return static_cast<int>(rounded);
}

}  // namespace app

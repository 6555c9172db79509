#include "text/number.h"

#include <cctype>
#include <charconv>

namespace text {

double LeadingNumber(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  const auto digits = [&](std::size_t n) {
    while (n < text.size() && std::isdigit(static_cast<unsigned char>(text[n])) != 0) ++n;
    return n;
  };
  std::size_t n = 0;
  if (n < text.size() && (text[n] == '-' || text[n] == '+')) ++n;
  n = digits(n);
  if (n < text.size() && text[n] == '.') n = digits(n + 1);
  double value = 0;
  const char* first = text.data();
  if (n > 0 && *first == '+') ++first;
  std::from_chars(first, text.data() + n, value);
  return value;
}

}  // namespace text

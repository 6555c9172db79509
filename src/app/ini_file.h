#pragma once
// The client's INI files (the phrase list, the hand records): GBK text, section and key names
// matched without regard to letter case. Nothing is kept between calls; every operation reads
// or rewrites the file, so a file changed or removed meanwhile is simply seen as it is now.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/files.h"

namespace app {

class classIniFile {
 public:
  // A value reads back as at most this many bytes (GBK), cut at a character boundary.
  static constexpr std::size_t kMaxValueBytes = 1023;
  // A larger file is treated as unreadable: reads give "" and writes leave it alone.
  static constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;

  explicit classIniFile(platform::Files& files) : files_(files) {}

  const std::string& INIFileName() const { return INIFileName_; }
  void INIFileName(std::string path) { INIFileName_ = std::move(path); }

  // The value without its leading and trailing blanks, or "" when the file, the section or the
  // key is missing.
  std::string GetIniKey(std::string_view section, std::string_view key) const;
  // Sets key = value, creating the file, the section or the key as needed; an existing value
  // is replaced in place. Line breaks in the value become blanks, so a value can never add
  // lines of its own; a name that cannot be written (empty, or holding a line break, '=' in a
  // key or ']' in a section) writes nothing. Failures are not reported.
  void WriteIniKey(std::string_view section, std::string_view key, std::string_view value);
  // Many keys of one section in one rewrite of the file, as if written one by one.
  void WriteIniKeys(std::string_view section,
                    std::span<const std::pair<std::string, std::string>> keys);
  // Every key of a section with its value (as GetIniKey reads it), in file order.
  std::vector<std::pair<std::string, std::string>> GetIniSection(std::string_view section) const;
  void DelIniKey(std::string_view section, std::string_view key);
  void DelIniSec(std::string_view section);

 private:
  platform::Files& files_;
  std::string INIFileName_;
};

}  // namespace app

#pragma once
// The diagnostics log: one line per event, "<ms since start> <kind>: <detail>".
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace platform {

class LogFile {
 public:
  // Reads QINTARA_LOG and QINTARA_LOG_LEVEL; without QINTARA_LOG the log goes to defaultPath
  // (the host's runtime folder; nowhere when empty). A log file, named or not, is kept small by
  // rotating.
  explicit LogFile(const std::string& defaultPath);
  // A log written to path ("-" for standard error); for tests.
  LogFile(const std::string& path, bool verbose, long maxBytes);
  ~LogFile();
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;

  void Write(std::string_view kind, std::string_view detail);
  bool Verbose() const { return verbose_; }
  void Flush();

 private:
  void Open(const std::string& path);
  void WriteLine(std::string_view kind, std::string_view detail);
  // Writes how often the last line came again since it was last said.
  void WriteRepeats();
  void RotateIfLarge();

  std::FILE* out_ = nullptr;
  bool ownsFile_ = false;
  std::string path_;
  bool verbose_ = false;
  long maxBytes_ = 0;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  // The last line, and how often it came again without being written.
  std::string lastKind_;
  std::string lastDetail_;
  std::int64_t repeats_ = 0;
  std::int64_t repeatsTotal_ = 0;
};

}  // namespace platform

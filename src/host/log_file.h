#pragma once
// The diagnostics log: one line per event, "<ms since start> <kind>: <detail>".
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace host {

class LogFile {
 public:
  // Reads QINTARA_LOG and QINTARA_LOG_LEVEL; without QINTARA_LOG the log goes to qintara.log in
  // the runtime folder, kept small by rotating.
  LogFile();
  ~LogFile();
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;

  void Write(std::string_view kind, std::string_view detail);
  bool Verbose() const { return verbose_; }
  void Flush();

 private:
  void RotateIfLarge();

  std::FILE* out_ = nullptr;
  bool ownsFile_ = false;
  bool capped_ = false;
  std::string path_;
  bool verbose_ = false;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace host

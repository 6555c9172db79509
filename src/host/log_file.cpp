#include "host/log_file.h"

#include <cstdlib>
#include <string>

#include "host/runtime_dir.h"

namespace host {

namespace {
constexpr long kMaxLogBytes = 1 << 20;
}

LogFile::LogFile() {
  const char* level = std::getenv("QINTARA_LOG_LEVEL");
  verbose_ = level != nullptr && std::string(level) == "debug";
  const char* path = std::getenv("QINTARA_LOG");
  if (path != nullptr && std::string(path) == "-") {
    out_ = stderr;
    return;
  }
  if (path != nullptr && *path != '\0') {
    path_ = path;
  } else if (auto dir = UsableRuntimeDir()) {
    path_ = *dir + "/qintara.log";
    capped_ = true;
  } else {
    return;
  }
  out_ = std::fopen(path_.c_str(), "a");
  ownsFile_ = out_ != nullptr;
  if (capped_) RotateIfLarge();
}

LogFile::~LogFile() {
  if (ownsFile_) std::fclose(out_);
}

void LogFile::Write(std::string_view kind, std::string_view detail) {
  if (out_ == nullptr) return;
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - start_)
                      .count();
  std::fprintf(out_, "%lld %.*s: ", static_cast<long long>(ms), static_cast<int>(kind.size()),
               kind.data());
  // One event, one line.
  for (char ch : detail) std::fputc(ch == '\n' || ch == '\r' ? ' ' : ch, out_);
  std::fputc('\n', out_);
  std::fflush(out_);
  if (capped_) RotateIfLarge();
}

void LogFile::Flush() {
  if (out_ != nullptr) std::fflush(out_);
}

void LogFile::RotateIfLarge() {
  if (!ownsFile_ || std::ftell(out_) < kMaxLogBytes) return;
  std::fclose(out_);
  std::rename(path_.c_str(), (path_ + ".1").c_str());
  out_ = std::fopen(path_.c_str(), "a");
  ownsFile_ = out_ != nullptr;
}

}  // namespace host

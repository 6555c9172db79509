#include "platform/log_file.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "platform/disk_files.h"

namespace platform {

namespace {

constexpr long kMaxLogBytes = 4L << 20;

// Each of these lines stands for one frame: they are never folded into a count.
bool OneLinePerEvent(std::string_view kind) {
  return kind == "send" || kind == "recv";
}

bool PowerOfTen(std::int64_t n) {
  while (n >= 10 && n % 10 == 0) n /= 10;
  return n == 1;
}

}  // namespace

LogFile::LogFile(const std::string& defaultPath) : maxBytes_(kMaxLogBytes) {
  verbose_ = EnvironmentVariable("QINTARA_LOG_LEVEL") == "debug";
  const std::string path = EnvironmentVariable("QINTARA_LOG");
  if (!path.empty()) {
    Open(path);
  } else if (!defaultPath.empty()) {
    Open(defaultPath);
  }
}

LogFile::LogFile(const std::string& path, bool verbose, long maxBytes)
    : verbose_(verbose), maxBytes_(maxBytes) {
  Open(path);
}

LogFile::~LogFile() {
  WriteRepeats();
  if (ownsFile_) std::fclose(out_);
}

void LogFile::Open(const std::string& path) {
  if (path == "-") {
    out_ = stderr;
    return;
  }
  path_ = path;
  out_ = OpenForAppend(path_);
  ownsFile_ = out_ != nullptr;
  RotateIfLarge();
}

void LogFile::Write(std::string_view kind, std::string_view detail) {
  if (out_ == nullptr) return;
  if (!OneLinePerEvent(kind) && kind == lastKind_ && detail == lastDetail_) {
    // A line that keeps coming is counted, and the count shown now and then, never the line.
    ++repeats_;
    ++repeatsTotal_;
    if (PowerOfTen(repeatsTotal_)) WriteRepeats();
    return;
  }
  WriteRepeats();
  repeatsTotal_ = 0;
  lastKind_ = kind;
  lastDetail_ = detail;
  WriteLine(kind, detail);
}

void LogFile::WriteRepeats() {
  if (repeats_ == 0 || out_ == nullptr) return;
  const std::int64_t n = repeats_;
  repeats_ = 0;
  WriteLine("repeat", "the line before came " + std::to_string(n) + " more time" +
                          (n == 1 ? "" : "s") + " (" + std::to_string(repeatsTotal_) + " in all)");
}

void LogFile::WriteLine(std::string_view kind, std::string_view detail) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - start_)
                      .count();
  std::fprintf(out_, "%lld %.*s: ", static_cast<long long>(ms), static_cast<int>(kind.size()),
               kind.data());
  // One event, one line.
  for (char ch : detail) std::fputc(ch == '\n' || ch == '\r' ? ' ' : ch, out_);
  std::fputc('\n', out_);
  std::fflush(out_);
  RotateIfLarge();
}

void LogFile::Flush() {
  WriteRepeats();
  if (out_ != nullptr) std::fflush(out_);
}

void LogFile::RotateIfLarge() {
  if (!ownsFile_ || std::ftell(out_) < maxBytes_) return;
  std::fclose(out_);
  std::error_code ec;
  std::filesystem::rename(NativePath(path_), NativePath(path_ + ".1"), ec);
  out_ = OpenForAppend(path_);
  ownsFile_ = out_ != nullptr;
}

}  // namespace platform

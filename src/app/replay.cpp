#include "app/replay.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string_view>

#include "platform/files.h"
#include "platform/host.h"

namespace app {

namespace {

constexpr std::string_view kMagic = "qintara-replay 1";
constexpr std::size_t kMaxContextFrames = 16;
// The seating context is replayed at once; the hand starts a second later.
constexpr std::int64_t kHandOffsetMs = 1000;
constexpr std::size_t kMaxReplayFiles = 100000;

int Cmd(const wire::Frame& f) {
  return f[wire::kOffCmd];
}

// Command 16 with value 4 = 2: the hand is being set up.
bool HandSetUp(const wire::Frame& f) {
  return Cmd(f) == 16 && f[wire::kOffValues + 7] == 2;
}

int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  return -1;
}

std::optional<Replay> Fail(std::string* error, std::string why) {
  if (error != nullptr) *error = std::move(why);
  return std::nullopt;
}

}  // namespace

std::string EncodeReplay(const Replay& replay) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out(kMagic);
  out += "\naccount " + replay.account + "\n";
  for (const auto& f : replay.frames) {
    out += std::to_string(f.ms);
    out += ' ';
    for (std::uint8_t b : f.frame) {
      out += kHex[b >> 4];
      out += kHex[b & 0x0F];
    }
    out += '\n';
  }
  return out;
}

std::optional<Replay> DecodeReplay(std::string_view text, std::string* error) {
  Replay r;
  std::size_t lineNo = 0;
  std::int64_t lastMs = 0;
  while (!text.empty()) {
    const auto nl = text.find('\n');
    std::string_view line = text.substr(0, nl);
    text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string where = "line " + std::to_string(lineNo);
    if (lineNo == 1) {
      if (line != kMagic) return Fail(error, "not a replay file");
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    if (line.starts_with("account ")) {
      r.account = std::string(line.substr(8, 64));
      continue;
    }
    const auto space = line.find(' ');
    if (space == std::string_view::npos || space == 0 || space > 12) {
      return Fail(error, where + ": expected a time and a frame");
    }
    std::int64_t ms = 0;
    for (char ch : line.substr(0, space)) {
      if (ch < '0' || ch > '9') return Fail(error, where + ": bad time");
      ms = ms * 10 + (ch - '0');
    }
    if (ms < lastMs) return Fail(error, where + ": time goes backwards");
    lastMs = ms;
    const std::string_view hex = line.substr(space + 1);
    if (hex.size() != 2 * wire::kFrameSize) return Fail(error, where + ": a frame is 272 bytes");
    if (r.frames.size() >= kMaxReplayFrames) return Fail(error, where + ": too many frames");
    ReplayFrame f;
    f.ms = ms;
    for (std::size_t i = 0; i < wire::kFrameSize; ++i) {
      const int hi = HexDigit(hex[2 * i]);
      const int lo = HexDigit(hex[2 * i + 1]);
      if (hi < 0 || lo < 0) return Fail(error, where + ": bad hex digit");
      f.frame.at(i) = static_cast<std::uint8_t>(hi * 16 + lo);
    }
    r.frames.push_back(f);
  }
  if (lineNo == 0) return Fail(error, "not a replay file");
  if (r.account.empty()) return Fail(error, "no account line");
  return r;
}

std::string ReplayFolder(platform::Files& files) {
  return platform::JoinPath(files.UserDataFolder(), "replays");
}

void RecordFrame(ReplayRecorder& rec, std::int64_t now, const wire::Frame& frame) {
  const int cmd = Cmd(frame);
  if (cmd == 18) {
    rec.Context.clear();
    rec.Seating = false;
  }
  if (cmd == 18 || cmd == 3 || cmd == 20) {
    // A new seating sequence replaces the last one; the login result stays.
    if (cmd == 3 && !rec.Seating) {
      std::erase_if(rec.Context, [](const wire::Frame& f) { return Cmd(f) != 18; });
    }
    rec.Seating = cmd == 3 || (cmd == 20 && rec.Seating);
    if (rec.Context.size() < kMaxContextFrames) rec.Context.push_back(frame);
  }
  if (!rec.Recording && (HandSetUp(frame) || cmd == 4)) {
    rec.Recording = true;
    rec.HandStart = now;
    rec.Hand.clear();
  }
  if (!rec.Recording) return;
  if (rec.Hand.size() >= kMaxReplayFrames - kMaxContextFrames) {
    rec.Recording = false;  // not a hand any more; keep nothing
    rec.Hand.clear();
    return;
  }
  rec.Hand.push_back({now - rec.HandStart, frame});
}

void SaveHandReplay(ReplayRecorder& rec, const std::string& account, platform::Host& host) {
  if (!rec.Recording) return;
  rec.Recording = false;
  Replay r;
  r.account = account;
  for (const auto& f : rec.Context) r.frames.push_back({0, f});
  for (const auto& f : rec.Hand) r.frames.push_back({kHandOffsetMs + f.ms, f.frame});
  rec.Hand.clear();

  platform::Files& files = host.Disk();
  const std::string folder = ReplayFolder(files);
  // The next number after the highest one there: files are never overwritten.
  long next = 1;
  for (const auto& name : files.ListFolder(folder)) {
    // Only numbers this program writes count; a stray huge one is no number of ours.
    constexpr std::string_view kPrefix = "hand-";
    if (name.rfind(kPrefix, 0) != 0) continue;
    long n = 0;
    const char* first = name.data() + kPrefix.size();
    const auto [end, ec] = std::from_chars(first, name.data() + name.size(), n);
    if (ec != std::errc{} || std::string_view(end) != ".qreplay") continue;
    if (n >= next && n < static_cast<long>(kMaxReplayFiles)) next = n + 1;
  }
  if (static_cast<std::size_t>(next) > kMaxReplayFiles) return;
  char name[32];
  std::snprintf(name, sizeof name, "hand-%06ld.qreplay", next);
  const std::string text = EncodeReplay(r);
  const std::string path = platform::JoinPath(folder, name);
  if (files.WriteFile(path,
                      std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()))) {
    host.Log("replay", path);
  } else {
    host.Log("error", "cannot write the replay " + path);
  }
}

}  // namespace app

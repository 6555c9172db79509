#include "table_chat.h"

#include <algorithm>
#include <charconv>

#include "protocol.h"
#include "shipped_phrases.h"

namespace devserver {

namespace {

std::string_view Trim(std::string_view s) {
  const auto b = s.find_first_not_of(" \t\r");
  if (b == std::string_view::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

// Values of the client's frames are read in full (high and low byte).
int Value(const wire::Frame& f, int i) {
  const auto at = static_cast<std::size_t>(wire::kOffValues + 2 * i);
  return f.at(at) * 256 + f.at(at + 1);
}

void SetValue(wire::Frame& f, int i, int v) {
  const auto at = static_cast<std::size_t>(wire::kOffValues + 2 * i);
  f.at(at) = static_cast<std::uint8_t>((v >> 8) & 0xFF);
  f.at(at + 1) = static_cast<std::uint8_t>(v & 0xFF);
}

}  // namespace

Phrases ParsePhrases(std::string_view ini) {
  Phrases out;
  std::vector<std::string>* list = nullptr;
  std::vector<std::pair<int, std::string>> rows;
  auto flush = [&] {
    if (list == nullptr) return;
    std::sort(rows.begin(), rows.end());
    for (auto& r : rows) list->push_back(std::move(r.second));
    rows.clear();
  };
  while (!ini.empty()) {
    const auto nl = ini.find('\n');
    const std::string_view line = Trim(ini.substr(0, nl));
    ini = nl == std::string_view::npos ? std::string_view{} : ini.substr(nl + 1);
    if (line.starts_with('[')) {
      flush();
      list = line == "[Phrase1]" ? &out.text : line == "[Phrase2]" ? &out.voice : nullptr;
      continue;
    }
    const auto eq = line.find('=');
    if (list == nullptr || eq == std::string_view::npos) continue;
    const std::string_view key = Trim(line.substr(0, eq));
    int n = 0;
    const auto [end, ec] = std::from_chars(key.data(), key.data() + key.size(), n);
    if (ec != std::errc() || end != key.data() + key.size() || n < 1) continue;  // "num" too
    const std::string_view value = Trim(line.substr(eq + 1));
    if (!value.empty()) rows.emplace_back(n, std::string(value));
  }
  flush();
  return out;
}

Phrases ShippedPhrases() {
  return ParsePhrases(kShippedPhrases);
}

wire::Frame RelayedChat(const wire::Frame& in, int senderSeat) {
  wire::Frame f = in;
  f.at(wire::kOffSeat) = static_cast<std::uint8_t>(proto::SeatBit(senderSeat));
  wire::WriteU32BE(std::span<std::uint8_t>(f), wire::kOffChatLen, 0);
  const int kind = Value(in, 0);
  if (kind == 2) {
    SetValue(f, 0, 1);
  } else if (kind == 1 && Value(in, 2) == 0) {
    SetValue(f, 0, 0);
  }
  return f;
}

std::optional<int> WhisperSeat(const wire::Frame& f) {
  switch (Value(f, 1)) {
    case 1:
      return 0;
    case 2:
      return 1;
    case 4:
      return 2;
    case 8:
      return 3;
    default:
      return std::nullopt;
  }
}

wire::Frame BotPhrase(int seat, const std::string& nick, const std::string& phrase, int clip,
                      std::optional<std::pair<int, std::string>> whisperTo) {
  const bool voice = clip > 0;
  wire::Frame f = proto::Header(proto::kChat, proto::SeatBit(seat),
                                {voice ? 1 : 0, whisperTo ? proto::SeatBit(whisperTo->first) : 0,
                                 voice ? 'a' : 0, voice ? clip : 0});
  const std::string line =
      whisperTo ? nick + "对" + whisperTo->second + "说: " + phrase : nick + "说道: " + phrase;
  proto::PutDouble(f, wire::kOffPayload, line, 200);
  return f;
}

BotChatter::BotChatter(std::uint32_t seed, Phrases phrases, int firstAfterMs)
    : rng_(seed), phrases_(std::move(phrases)), next_(firstAfterMs) {}

void BotChatter::Whispered(std::int64_t nowMs, int botSeat, int personSeat,
                           std::string personNick) {
  std::uniform_int_distribution<int> think(1200, 2500);
  replies_.push_back({nowMs + think(rng_), botSeat, personSeat, std::move(personNick)});
}

BotChatter::Line BotChatter::Speak(int seat, const std::string& nick,
                                   std::optional<std::pair<int, std::string>> to) {
  // Voice clips and text phrases about equally often.
  const bool voice = !phrases_.voice.empty() && (phrases_.text.empty() || (rng_() & 1) != 0);
  const auto& list = voice ? phrases_.voice : phrases_.text;
  std::uniform_int_distribution<std::size_t> pick(0, list.size() - 1);
  const std::size_t row = pick(rng_);
  return {seat, BotPhrase(seat, nick, list.at(row), voice ? static_cast<int>(row) + 1 : 0, to)};
}

std::vector<BotChatter::Line> BotChatter::Due(std::int64_t nowMs,
                                              const std::array<std::string, 4>& nicks,
                                              int personSeat) {
  std::vector<Line> out;
  if (phrases_.text.empty() && phrases_.voice.empty()) return out;
  for (auto it = replies_.begin(); it != replies_.end();) {
    if (it->at > nowMs) {
      ++it;
      continue;
    }
    out.push_back(Speak(it->botSeat, nicks.at(static_cast<std::size_t>(it->botSeat)),
                        std::make_pair(it->personSeat, it->personNick)));
    it = replies_.erase(it);
  }
  if (nowMs >= next_) {
    std::uniform_int_distribution<int> bot(1, 3);
    const int seat = (personSeat + bot(rng_)) & 3;
    out.push_back(Speak(seat, nicks.at(static_cast<std::size_t>(seat)), std::nullopt));
    std::uniform_int_distribution<int> pause(20000, 45000);
    next_ = nowMs + pause(rng_);
  }
  return out;
}

std::int64_t BotChatter::NextDue() const {
  std::int64_t due = next_;
  for (const auto& r : replies_) due = std::min(due, r.at);
  return due;
}

}  // namespace devserver

#include "props.h"

#include <algorithm>
#include <cstring>

#include "protocol.h"

namespace devserver::props {

namespace {

constexpr std::uint32_t kPluginLength = 272;
constexpr std::uint32_t kPluginShortLength = 260;
constexpr int kTextAt = 16;
constexpr std::size_t kTextMax = 200;

wire::Frame Bare(int cmd) {
  wire::Frame f{};
  f[wire::kOffCmd] = static_cast<std::uint8_t>(cmd);
  return f;
}

}  // namespace

bool IsPluginChat(const wire::Frame& f) {
  const std::uint32_t len = wire::ReadU32BE(std::span<const std::uint8_t>(f), wire::kOffChatLen);
  return len == kPluginLength || len == kPluginShortLength;
}

wire::Frame Notice(const std::string& utf8, int how) {
  wire::Frame f = Bare(kNotice);
  f[wire::kOffValues] = 0;
  f[wire::kOffValues + 1] = static_cast<std::uint8_t>(how);
  const std::size_t n = std::min(utf8.size(), kTextMax);
  std::memcpy(f.data() + kTextAt, utf8.data(), n);
  return f;
}

std::array<std::int32_t, 4> HandPrizes(int hand) {
  std::array<std::int32_t, 4> prizes{};
  // Two different seats a hand, amounts 20..200: varied, and the same for the same hand.
  const int a = (hand * 3 + 1) % 4;
  const int b = (a + 1 + hand % 3) % 4;
  prizes.at(static_cast<std::size_t>(a)) = 20 + 10 * ((hand * 7) % 19);
  prizes.at(static_cast<std::size_t>(b)) = 20 + 10 * ((hand * 11 + 5) % 19);
  return prizes;
}

wire::Frame Scores(const std::array<std::int32_t, 4>& prizes) {
  wire::Frame f = Bare(kScores);
  for (std::size_t s = 0; s < prizes.size(); ++s) {
    const int at = kTextAt + 8 * static_cast<int>(s);
    wire::WriteU32LE(std::span<std::uint8_t>(f), at, static_cast<std::uint32_t>(prizes.at(s)));
    f.at(static_cast<std::size_t>(at + 4)) = prizes.at(s) > 0 ? 1 : 0;
  }
  return f;
}

BankAnswer Bank(const wire::Frame& request, double& savings, double cash) {
  BankAnswer a;
  const int op = request[16];
  const auto amount = wire::ReadU64LEAsDouble(std::span<const std::uint8_t>(request), 17);
  bool ok = true;
  if (op == kDeposit) {
    ok = amount > 0 && amount <= cash;
    if (ok) {
      savings += amount;
      a.goldDelta = -amount;
    }
  } else if (op == kWithdraw) {
    ok = amount > 0 && amount <= savings;
    if (ok) {
      savings -= amount;
      a.goldDelta = amount;
    }
  }
  a.reply = Bare(kBank);
  a.reply[16] = static_cast<std::uint8_t>(op);
  a.reply[17] = ok ? 1 : 0;
  proto::PutU64(a.reply, 24, static_cast<std::uint64_t>(savings));
  proto::PutU64(a.reply, 32, static_cast<std::uint64_t>(cash + a.goldDelta));
  proto::PutU64(a.reply, 40, static_cast<std::uint64_t>(amount));
  return a;
}

}  // namespace devserver::props

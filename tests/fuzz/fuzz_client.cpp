#include "fuzz_client.h"

#include <algorithm>
#include <memory>
#include <string>

#include "app/cmdline.h"
#include "platform/virtual/virtual_host.h"
#include "session/client.h"
#include "session/program.h"
#include "support/frame_builder.h"

namespace qfuzz {
namespace {

using qtest::FrameBuilder;

constexpr std::int64_t kTickMs = 50;

std::string CommandLine(bool watching) {
  // A command line whose last field lacks its "$" asks to watch the named player.
  const std::string fields = "alice$key123$127.0.0.1$7000$一号桌$0$$0$$$0$$$1$0";
  return watching ? fields + "$4" : fields + "$";
}

void Deliver(vhost::VirtualHost& host, const wire::Frame& f) {
  host.socket.Deliver(f);
  host.Advance(2 * kTickMs);
}

// Login result, the four accounts and the four players, as a server seats a full table.
void Seat(vhost::VirtualHost& host) {
  struct P {
    int bit;
    const char* account;
    const char* nick;
    const char* face;
  };
  constexpr P players[] = {{1, "alice", "爱丽丝", "w2"},
                           {2, "carol", "Carol", "w3"},
                           {4, "bob", "Bob", "m10"},
                           {8, "dave", "Dave", "m12"}};
  for (const auto& p : players) Deliver(host, FrameBuilder(3).seat(p.bit).text(16, p.account));
  for (const auto& p : players) {
    Deliver(host, FrameBuilder(20)
                      .seat(p.bit)
                      .text(16, p.nick)
                      .text(48, p.face)
                      .byte(64, 1)
                      .u64le(96, 1000)
                      .text(112, "一组")
                      .text(168, p.account)
                      .text(184, "新手")
                      .byte(208, 1));
  }
}

}  // namespace

Outcome RunInput(std::span<const std::uint8_t> data) {
  Outcome out;
  if (data.empty()) return out;
  const std::uint8_t mode = data[0] % 3;
  vhost::VirtualHost host;
  host.lobby.windows.insert("VorelLodge");
  auto client = std::make_unique<Client>(host);
  host.Run([&] { session::Form_Load(*client, CommandLine(mode == kModeWatching)); });
  const auto finish = [&] {
    out.ended = host.Ended();
    if (out.ended) out.endReason = host.EndReason();
    return out;
  };
  if (host.Ended()) return finish();
  host.Advance(5 * kTickMs);
  Deliver(host, FrameBuilder(18).v(3, 1).v(1, 8).key(0x12, 0x34));
  if (mode != kModeLoggedIn && !host.Ended()) Seat(host);
  const std::size_t before = host.LogDetails("recv").size();

  std::size_t at = 1;
  while (at < data.size() && !host.Ended()) {
    const std::uint8_t ctl = data[at++];
    const std::size_t want = static_cast<std::size_t>(ctl & 0x1f) * 17;
    const std::size_t take = std::min(want, data.size() - at);
    if (take > 0) host.socket.Deliver(data.subspan(at, take));
    at += take;
    host.Advance((ctl >> 5) * kTickMs);
  }
  // Let whatever is still queued be dispatched and answered.
  if (!host.Ended()) host.Advance(40 * kTickMs);
  out.received = host.LogDetails("recv").size() - before;
  return finish();
}

}  // namespace qfuzz

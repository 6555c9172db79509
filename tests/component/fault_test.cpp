// The development server's table and fault plan drop the client's connection at random points
// of many hands, on the virtual clock: every drop must be followed by a reconnection that
// resumes the same seat and hand, and every frame the client queued must reach the server once,
// in order. QINTARA_FAULT_HANDS=N plays N hands instead of 20 (for the long run).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fault.h"
#include "game.h"
#include "moves.h"
#include "net/net.h"
#include "protocol.h"
#include "session/program.h"
#include "support/client_fixture.h"
#include "text/gbk.h"

namespace qtest {
namespace {

constexpr int kHuman = 2;  // the client's seat

// The table server's login, seating and rejoin around the game engine, speaking to the client
// through the virtual socket.
class VirtualTable : public devserver::GameSink {
 public:
  VirtualTable(vhost::VirtualHost& host, std::uint32_t seed)
      : host_(host), fault_(*devserver::FaultPlan::Parse("random:20:160", seed)), seed_(seed) {
    Pump();
  }

  void Send(int seat, const wire::Frame& f) override {
    // Like the server, the game reaches the person only once logged in or taken back.
    if (seat == kHuman && joined_) outbox_.push_back(f);
  }
  void Note(const std::string& /*line*/) override {}
  void StopDropping() { dropping_ = false; }

  struct Counts {
    int drops = 0;
    int accepted = 0;
    int refused = 0;
    int resumedInHand = 0;              // the hand of the drop went on and was resumed
    int resumedBetween = 0;             // dropped between hands, or the hand ended meanwhile
    std::vector<wire::Frame> fromRing;  // frames received that went through the send ring
  } counts;
  std::optional<devserver::Game> game;
  // After a reconnection into a running hand: the wild tile the client must show by then.
  struct WildCheck {
    std::int64_t at;
    int wild;
    std::uint32_t ticket;
  };
  std::optional<WildCheck> wildDue;
  std::vector<std::pair<std::int64_t, std::int64_t>> downtimes;  // when the client was away

 private:
  void Pump() {
    ReadClient();
    if (game) game->Advance(host_.Now());
    Deliver();
    host_.Schedule(10, [this] { Pump(); });
  }

  void ReadClient() {
    auto& sock = host_.socket;
    if (!connected_ && sock.State() == platform::kSockConnected && sock.connects != lastConnect_) {
      lastConnect_ = sock.connects;
      connected_ = true;
      read_ = sock.sent.size();
      key_ = {static_cast<std::uint8_t>(1 + (seed_ + sock.connects) % 250),
              static_cast<std::uint8_t>(7 + sock.connects % 200)};
      if (!downtimes.empty()) downtimes.back().second = host_.Now();
    }
    if (!connected_) return;
    while (sock.sent.size() - read_ >= wire::kFrameSize) {
      wire::Frame f{};
      std::copy_n(sock.sent.begin() + static_cast<std::ptrdiff_t>(read_), wire::kFrameSize,
                  f.begin());
      read_ += wire::kFrameSize;
      OnFrame(f);
    }
  }

  void SendNow(const wire::Frame& f) { outbox_.push_back(f); }

  // Like the server, a drop comes after the frames already on their way: the burst the frame
  // that triggers it belongs to still goes out.
  void Deliver() {
    std::vector<wire::Frame> out;
    out.swap(outbox_);
    bool drop = false;
    for (auto& f : out) {
      if (f[wire::kOffCmd] != devserver::proto::kReconnectResult) devserver::proto::PutKey(f, key_);
      host_.socket.Deliver(f);
      if (fault_.FrameSent() && dropping_) drop = true;
    }
    if (drop && connected_) Drop();
  }

  void Drop() {
    ++counts.drops;
    droppedTicket_ = game->Ticket();
    droppedInHand_ = game->InHand();
    connected_ = false;
    joined_ = false;
    outbox_.clear();
    game->SetConnected(kHuman, false);
    game->SetDealing(false);
    downtimes.emplace_back(host_.Now(), -1);
    host_.socket.PeerClose();
  }

  void OnFrame(const wire::Frame& f) {
    using namespace devserver;
    const auto m = proto::ReadClient(f);
    if (m.cmd == proto::kLogin) return Login(f);
    if (m.cmd == proto::kReconnect) return Rejoin(f);
    counts.fromRing.push_back(f);
    if (!game) return;
    switch (m.cmd) {
      case proto::kDiscard:
      case proto::kClaim:
        if (const auto a = proto::MoveOf(m, game->OnOffer())) game->Act(kHuman, *a);
        break;
      case proto::kTableStatus:
        if (m.v[3] == 1) {
          game->SetDealing(true);
          game->Ready(kHuman);
        }
        break;
      default:
        break;
    }
  }

  void Login(const wire::Frame& /*f*/) {
    using namespace devserver;
    SendNow(proto::LoginResult(1, 3, 0, ""));
    joined_ = true;
    GameOptions g;
    g.countdown = 3;
    g.graceMs = 500;
    g.botDelayMs = 300;
    g.readyWaitMs = 3000;
    g.human.at(kHuman) = true;
    game.emplace(g, *this, seed_);
    const char* names[] = {"bot_a", "bot_b", "alice", "bot_c"};
    for (int s = 0; s < 4; ++s) {
      proto::PlayerCard card;
      card.account = names[s];
      card.nick = names[s];
      card.gold = 100000;
      card.ready = s != kHuman;
      card.userId = 1000 + static_cast<std::uint64_t>(s);
      game->SetPlayer(s, card);
    }
    for (int s = 0; s < 4; ++s) SendNow(proto::SeatName(s, game->Player(s).account));
    SendNow(proto::PlayerInfo(proto::SeatBit(kHuman), game->Player(kHuman)));
    for (int p = 1; p < 4; ++p) SendNow(proto::PlayerInfo(0, game->Player((kHuman - p) & 3)));
    fault_.Rearm();
  }

  void Rejoin(const wire::Frame& f) {
    using namespace devserver;
    const auto ticket = wire::ReadU32LE(std::span<const std::uint8_t>(f), 268);
    const std::string account =
        text::DecodeSingleByte(std::span<const std::uint8_t>(f).subspan(16, 16), 16);
    const bool ok = game && account == "alice" && (!game->InHand() || ticket == game->Ticket());
    if (!ok) {
      ++counts.refused;
      SendNow(proto::ReconnectResult(0));
      return;
    }
    ++counts.accepted;
    if (droppedInHand_ && game->InHand() && game->Ticket() == droppedTicket_) {
      ++counts.resumedInHand;
    } else {
      ++counts.resumedBetween;
    }
    if (game->InHand()) wildDue = WildCheck{host_.Now() + 2000, game->WildTile(), game->Ticket()};
    game->SetConnected(kHuman, true);
    game->SetDealing(true);
    SendNow(proto::ReconnectResult(1));
    joined_ = true;
    for (const auto& r : game->ResumeFrames(kHuman)) SendNow(r);
    fault_.Rearm();
  }

  vhost::VirtualHost& host_;
  devserver::FaultPlan fault_;
  std::uint32_t seed_;
  bool connected_ = false;
  bool joined_ = false;
  bool dropping_ = true;
  int lastConnect_ = 0;
  std::size_t read_ = 0;
  std::array<std::uint8_t, 2> key_{};
  std::vector<wire::Frame> outbox_;
  std::uint32_t droppedTicket_ = 0;
  bool droppedInHand_ = false;
};

// Frames the client put into its send ring, read back from its verbose log.
std::vector<wire::Frame> QueuedFrames(const vhost::VirtualHost& host) {
  std::vector<wire::Frame> out;
  for (const auto& l : host.log) {
    if (l.kind != "queue") continue;
    const auto space = l.detail.find(' ');
    if (space == std::string::npos || l.detail.size() - space - 1 != 2 * wire::kFrameSize) continue;
    wire::Frame f{};
    for (std::size_t i = 0; i < f.size(); ++i) {
      f[i] =
          static_cast<std::uint8_t>(std::stoi(l.detail.substr(space + 1 + 2 * i, 2), nullptr, 16));
    }
    out.push_back(f);
  }
  return out;
}

TEST(FaultDrops, EveryDropIsResumedAndNoQueuedFrameIsLostOrSentTwice) {
  const char* env = std::getenv("QINTARA_FAULT_HANDS");
  const int hands = env != nullptr ? std::max(1, std::atoi(env)) : 20;
  vhost::VirtualHost host;
  host.verbose = true;
  host.lobby.windows.insert("VorelLodge");
  Client c(host);
  VirtualTable table(host, 4242);
  host.Run([&] { session::Form_Load(c, CommandLine()); });
  int said = 0;
  std::int64_t nextWord = 3500;
  int resumedChecked = 0;
  while (!host.Ended() && (!table.game || table.game->HandsPlayed() < hands)) {
    host.Advance(500);
    ASSERT_LT(host.Now(), std::int64_t{hands} * 400'000) << "the table stopped moving";
    // The player says something now and then, connected or not: frames for the send ring.
    if (host.Now() >= nextWord) {
      nextWord = host.Now() + 3500;
      c.net.ChatOut = "第" + std::to_string(++said) + "句";
      host.Run([&] { net::SendFrame(c.netCtx, wire::NetMsg{.Cmd = 19}); });
    }
    // A resumed hand shows the server's wild tile, at the seat the server gave.
    // (Unless that hand has ended since: the table is cleared for the next one.)
    if (table.wildDue && host.Now() >= table.wildDue->at) {
      if (table.game->InHand() && table.game->Ticket() == table.wildDue->ticket) {
        EXPECT_EQ(c.table.WildTile, table.wildDue->wild) << "at " << host.Now();
        EXPECT_EQ(c.table.Hand[0].SeatBit, 1 << kHuman);
        ++resumedChecked;
      }
      table.wildDue.reset();
    }
  }
  ASSERT_FALSE(host.Ended()) << host.EndReason();
  table.StopDropping();
  host.Advance(12'000);  // the last drop's reconnection, if one is under way

  const auto& k = table.counts;
  const auto queued = QueuedFrames(host);
  int queuedAway = 0;
  for (const auto& l : host.log) {
    if (l.kind != "queue") continue;
    for (const auto& [from, to] : table.downtimes) {
      if (l.ms >= from && (to < 0 || l.ms < to)) ++queuedAway;
    }
  }
  std::printf(
      "[ fault    ] %d hands, %d drops, %d reconnections (%d inside the same hand, %d between "
      "hands), %d refused; %zu frames through the send ring, %d of them queued while "
      "disconnected; virtual time %lld s\n",
      table.game->HandsPlayed(), k.drops, k.accepted, k.resumedInHand, k.resumedBetween, k.refused,
      queued.size(), queuedAway, static_cast<long long>(host.Now() / 1000));
  EXPECT_GE(k.drops, hands / 2);
  EXPECT_EQ(k.accepted, k.drops) << "every drop is followed by a reconnection\n"
                                 << testing::PrintToString(table.downtimes);
  EXPECT_EQ(k.refused, 0);
  EXPECT_GT(k.resumedInHand, 0);
  EXPECT_GE(resumedChecked, k.resumedInHand / 2) << "most resumed hands were checked";
  // The server received exactly the queued frames, in order, each once; what it has not yet
  // received still waits in the ring.
  ASSERT_LE(k.fromRing.size(), queued.size());
  for (std::size_t i = 0; i < k.fromRing.size(); ++i) {
    ASSERT_EQ(k.fromRing[i], queued[i]) << "frame " << i << " of the send ring";
  }
  EXPECT_EQ(queued.size() - k.fromRing.size(),
            static_cast<std::size_t>(c.net.SendRing.Waiting() / wire::kFrameSize));
  EXPECT_EQ(c.net.RingQueued, queued.size());
}

}  // namespace
}  // namespace qtest

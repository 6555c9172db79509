#include "server.h"

#include <poll.h>

#include <algorithm>

#include "moves.h"
#include "props.h"
#include "protocol.h"
#include "text/gbk.h"

namespace devserver {
namespace {

struct BotCard {
  const char* account;
  const char* nick;
  const char* face;
  int sex;
};
constexpr std::array<BotCard, 3> kBots{{
    {"bot_ahu", "阿虎", "m3", 1},
    {"bot_xiaomei", "小美", "w2", 0},
    {"bot_laoli", "老李", "m5", 1},
}};

}  // namespace

TableServer::TableServer(ServerOptions opt, Listener& listener, Logger& log)
    : opt_(opt), listener_(listener), log_(log), rng_(opt.seed) {
  start_ = MonotonicMs();
}

std::int64_t TableServer::GameTime() const {
  return MonotonicMs() - gameStart_;
}

void TableServer::NewGame() {
  GameOptions g;
  g.countdown = opt_.countdown;
  g.botDelayMs = opt_.botDelayMs;
  g.readyWaitMs = opt_.readyWaitMs;
  g.demoDeal = opt_.demoDeal;
  g.tingDeal = opt_.tingDeal;
  g.graceMs = opt_.graceMs;
  g.human.at(static_cast<std::size_t>(opt_.humanSeat)) = true;
  game_.emplace(g, *this, static_cast<std::uint32_t>(rng_()));
  gameStart_ = MonotonicMs();
  chatter_.emplace(static_cast<std::uint32_t>(rng_()), ShippedPhrases());
  int b = 0;
  for (int s = 0; s < 4; ++s) {
    proto::PlayerCard card;
    if (s == opt_.humanSeat) {
      card.account = account_;
      card.nick = account_;
      card.face = "m1";
      card.gold = opt_.humanGold;
      card.group = "新手";
      card.caption = "玩家";
    } else {
      const auto& bot = kBots.at(static_cast<std::size_t>(b++));
      card.account = bot.account;
      card.nick = bot.nick;
      card.face = bot.face;
      card.sex = bot.sex;
      card.gold = 100000;
      card.group = "电脑";
      card.caption = "机器人";
      card.ready = true;
    }
    card.userId = 1000 + static_cast<std::uint64_t>(s);
    // Wealth multiples of the seats: the table shows the smallest.
    card.wealth = static_cast<std::uint32_t>(2 + s);
    game_->SetPlayer(s, card);
  }
}

TableServer::Client* TableServer::AtSeat(int seat) {
  for (auto& c : clients_) {
    if (c->seat == seat && c->conn.Open()) return c.get();
  }
  return nullptr;
}

void TableServer::SendTo(Client& c, wire::Frame f) {
  if (f.at(wire::kOffCmd) != proto::kReconnectResult) proto::PutKey(f, c.key);
  log_.SetClock(MonotonicMs() - start_);
  log_.Frame("-> conn " + std::to_string(c.conn.Id()) + " seat " + std::to_string(c.seat), f);
  c.conn.Queue(f);
  if (opt_.fault && c.seat == opt_.humanSeat && opt_.fault->FrameSent()) dropping_ = c.conn.Id();
}

void TableServer::Send(int seat, const wire::Frame& f) {
  if (auto* c = AtSeat(seat)) SendTo(*c, f);
  for (auto& w : clients_) {
    if (w->watching == seat && w->conn.Open()) SendTo(*w, f);
  }
}

void TableServer::Note(const std::string& line) {
  log_.SetClock(MonotonicMs() - start_);
  log_.Line("game: " + line);
}

void TableServer::Run() {
  for (;;) {
    const auto now = MonotonicMs();
    if (opt_.runForMs > 0 && now - start_ >= opt_.runForMs) return;
    int timeout = 1000;
    if (game_) {
      if (auto due = game_->NextDue()) {
        timeout = static_cast<int>(std::clamp<std::int64_t>(*due - GameTime(), 0, 1000));
      }
      if (chatter_) {
        timeout = std::min(timeout, static_cast<int>(std::clamp<std::int64_t>(
                                        chatter_->NextDue() - GameTime(), 0, 1000)));
      }
    }
    std::vector<pollfd> fds;
    fds.push_back({listener_.FdNum(), POLLIN, 0});
    for (auto& c : clients_) {
      short ev = POLLIN;
      if (c->conn.WantsWrite()) ev = static_cast<short>(ev | POLLOUT);
      fds.push_back({c->conn.FdNum(), ev, 0});
    }
    ::poll(fds.data(), fds.size(), timeout);
    while (auto fd = listener_.Accept()) {
      auto c = std::make_unique<Client>(Client{Conn(std::move(*fd), ++ids_), -1, {}});
      std::uniform_int_distribution<int> byte(1, 255);
      c->key = {static_cast<std::uint8_t>(byte(rng_)), static_cast<std::uint8_t>(byte(rng_))};
      log_.SetClock(MonotonicMs() - start_);
      log_.Line("connection " + std::to_string(c->conn.Id()) + " opened");
      clients_.push_back(std::move(c));
    }
    for (std::size_t i = 0; i < clients_.size(); ++i) {
      auto& c = *clients_[i];
      const bool alive = c.conn.ReadSome();
      while (auto f = c.conn.NextFrame()) OnFrame(c, *f);
      if (!alive) Gone(c);
    }
    if (game_) game_->Advance(GameTime());
    BotsChat();
    for (auto& c : clients_) {
      if (!c->conn.Flush() && c->seat >= 0) Gone(*c);
    }
    if (dropping_ >= 0) {
      for (auto& c : clients_) {
        if (c->conn.Id() != dropping_ || !c->conn.Open()) continue;
        log_.Line("fault: dropping connection " + std::to_string(dropping_) + " (drop " +
                  std::to_string(opt_.fault->Drops()) + ")");
        Gone(*c);
      }
      dropping_ = -1;
    }
    std::erase_if(clients_, [](const std::unique_ptr<Client>& c) { return !c->conn.Open(); });
  }
}

void TableServer::Gone(Client& c) {
  if (!c.conn.Open() && c.seat == -2) return;
  log_.SetClock(MonotonicMs() - start_);
  if (c.conn.Partial() > 0) {
    log_.Line("connection " + std::to_string(c.conn.Id()) + " left " +
              std::to_string(c.conn.Partial()) + " bytes of an unfinished frame");
  }
  log_.Line("connection " + std::to_string(c.conn.Id()) + " closed");
  if (c.seat >= 0 && game_) {
    game_->SetConnected(c.seat, false);
    game_->SetDealing(false);  // the hand plays out; no new one starts without the person
  }
  c.conn.Close();
  c.seat = -2;
}

void TableServer::OnFrame(Client& c, const wire::Frame& f) {
  log_.SetClock(MonotonicMs() - start_);
  log_.Frame("<- conn " + std::to_string(c.conn.Id()) + " seat " + std::to_string(c.seat), f);
  const auto m = proto::ReadClient(f);
  if (m.cmd == proto::kLogin) return Login(c, f);
  if (m.cmd == proto::kReconnect) return Rejoin(c, f);
  if (c.watching >= 0) return;  // a watcher only keeps its connection alive
  if (c.seat < 0 || !game_) {
    log_.Line("command " + std::to_string(m.cmd) + " before login; ignored");
    return;
  }
  const int seat = c.seat;
  switch (m.cmd) {
    case proto::kDiscard:
    case proto::kClaim:
      if (const auto a = proto::MoveOf(m, game_->OnOffer())) {
        game_->Act(seat, *a);
      } else {
        log_.Line("claim kind " + std::to_string(m.v[0]) + " unknown; ignored");
      }
      break;
    case proto::kTableStatus:
      if (m.v[3] == 1) {
        game_->SetDealing(true);
        game_->Ready(seat);
      } else {
        log_.Line("seat " + std::to_string(seat) + " leaves the table");
        game_->SetConnected(seat, false);
        game_->SetDealing(false);
        c.conn.Close();
        c.seat = -2;
      }
      break;
    case proto::kChat:
      if (props::IsPluginChat(f)) {
        // A plug-in frame (a gift) keeps its length so every plug-in at the table sees it.
        wire::Frame relay = f;
        relay.at(wire::kOffSeat) = static_cast<std::uint8_t>(proto::SeatBit(c.seat));
        for (auto& other : clients_) {
          if (other->seat >= 0 && other->conn.Open()) SendTo(*other, relay);
        }
      } else {
        RelayChat(c, f);
      }
      break;
    case props::kBank:
      PropFrame(c, f);
      break;
    case proto::kKeepAlive:
      if (m.key != c.key) {
        log_.Line("keep-alive carries key " + std::to_string(m.key[0]) + "," +
                  std::to_string(m.key[1]) + ", not the key last sent");
      }
      break;
    default:
      log_.Line("command " + std::to_string(m.cmd) + " not handled; ignored");
      break;
  }
}

void TableServer::RelayChat(Client& from, const wire::Frame& f) {
  const wire::Frame relay = RelayedChat(f, from.seat);
  const auto to = WhisperSeat(f);
  // A whisper reaches its target and comes back to its sender; a public line reaches everybody.
  for (auto& other : clients_) {
    if (other->seat < 0 || !other->conn.Open()) continue;
    if (to && other->seat != *to && other.get() != &from) continue;
    SendTo(*other, relay);
  }
  if (to && *to != from.seat && chatter_ && game_ && !AtSeat(*to)) {
    chatter_->Whispered(GameTime(), *to, from.seat, game_->Player(from.seat).nick);
  }
}

void TableServer::BotsChat() {
  if (!chatter_ || !game_) return;
  std::array<std::string, 4> nicks;
  for (int s = 0; s < 4; ++s) nicks.at(static_cast<std::size_t>(s)) = game_->Player(s).nick;
  for (const auto& line : chatter_->Due(GameTime(), nicks, opt_.humanSeat)) {
    Note("seat " + std::to_string(line.seat) + " chats");
    for (auto& c : clients_) {
      if (c->seat >= 0 && c->conn.Open()) SendTo(*c, line.frame);
    }
  }
}

void TableServer::Login(Client& c, const wire::Frame& f) {
  const std::string account =
      text::DecodeSingleByte(std::span<const std::uint8_t>(f).subspan(16, 16), 16);
  if (account.empty()) {
    log_.Line("login without an account refused");
    SendTo(c, proto::LoginResult(3, opt_.countdown, opt_.timeoutLimit, ""));
    return;
  }
  if (game_ && !account_.empty() && account != account_ && AtSeat(opt_.humanSeat) != nullptr) {
    Watch(c);
    return;
  }
  // A new login takes the table over: an earlier connection of the seat is dropped.
  if (auto* old = AtSeat(opt_.humanSeat); old != nullptr && old != &c) {
    log_.Line("connection " + std::to_string(old->conn.Id()) + " replaced by a new login");
    old->conn.Close();
    old->seat = -2;
  }
  account_ = account;
  c.seat = opt_.humanSeat;
  SendTo(c, proto::LoginResult(1, opt_.countdown, opt_.timeoutLimit, ""));
  if (opt_.fault) opt_.fault->Rearm();
  NewGame();
  game_->SetDealing(true);
  Seating(c);
}

void TableServer::Seating(Client& c) {
  for (int s = 0; s < 4; ++s) SendTo(c, proto::SeatName(s, game_->Player(s).account));
  SendTo(c, proto::PlayerInfo(proto::SeatBit(c.seat), game_->Player(c.seat)));
  // The others by place: left, opposite, right, each into the next free place.
  for (int p = 1; p < 4; ++p) SendTo(c, proto::PlayerInfo(0, game_->Player((c.seat - p) & 3)));
  SendTo(c, props::Notice("欢迎来到道具商城：每局结束都有宝箱可开", 1));
}

void TableServer::PropFrame(Client& c, const wire::Frame& f) {
  const int value0 = f[wire::kOffValues] * 256 + f[wire::kOffValues + 1];
  if (f[16] == 0) {
    // The plug-in's "ready for the next hand" frames need no answer.
    log_.Line("prop ready frame " + std::to_string(value0) + " from seat " +
              std::to_string(c.seat));
    return;
  }
  const double cash = game_->Player(c.seat).gold;
  const auto answer = props::Bank(f, savings_, cash);
  if (answer.goldDelta != 0) {
    game_->AddGold(c.seat, answer.goldDelta);
    SendTo(c, proto::OwnGold(static_cast<std::int64_t>(answer.goldDelta)));
  }
  SendTo(c, answer.reply);
}

void TableServer::Watch(Client& c) {
  log_.Line("connection " + std::to_string(c.conn.Id()) + " watches seat " +
            std::to_string(opt_.humanSeat));
  c.watching = opt_.humanSeat;
  SendTo(c, proto::LoginResult(1, opt_.countdown, opt_.timeoutLimit, ""));
  // A watcher collects the four players by their seat bits and finds the watched one by its
  // user id (the person's is 1000 + seat).
  for (int s = 0; s < 4; ++s) SendTo(c, proto::PlayerInfo(proto::SeatBit(s), game_->Player(s)));
  if (game_->InHand()) {
    for (const auto& frame : game_->ResumeFrames(opt_.humanSeat)) SendTo(c, frame);
  }
}

void TableServer::Rejoin(Client& c, const wire::Frame& f) {
  const std::string account =
      text::DecodeSingleByte(std::span<const std::uint8_t>(f).subspan(16, 16), 16);
  const auto ticket = wire::ReadU32LE(std::span<const std::uint8_t>(f), 268);
  const bool ok = game_ && account == account_ && (!game_->InHand() || ticket == game_->Ticket());
  if (!ok) {
    log_.Line("reconnection of '" + account + "' with ticket " + std::to_string(ticket) +
              " refused");
    SendTo(c, proto::ReconnectResult(0));
    return;
  }
  if (auto* old = AtSeat(opt_.humanSeat); old != nullptr && old != &c) {
    old->conn.Close();
    old->seat = -2;
  }
  c.seat = opt_.humanSeat;
  game_->SetConnected(c.seat, true);
  game_->SetDealing(true);
  SendTo(c, proto::ReconnectResult(1));
  if (opt_.fault) opt_.fault->Rearm();
  for (const auto& frame : game_->ResumeFrames(c.seat)) SendTo(c, frame);
}

}  // namespace devserver

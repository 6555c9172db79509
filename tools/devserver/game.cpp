#include "game.h"

#include "text/gbk.h"

#include <algorithm>
#include <numeric>

#include "props.h"
#include "rig.h"

namespace devserver {
namespace {

int Priority(ActKind k) {
  switch (k) {
    case ActKind::Hu:
      return 3;
    case ActKind::Gang:
    case ActKind::Peng:
      return 2;
    case ActKind::Chi:
      return 1;
    default:
      return 0;
  }
}

int BestPossible(int options) {
  if ((options & kOptHu) != 0) return 3;
  if ((options & (kOptGang | kOptPeng)) != 0) return 2;
  if ((options & kOptChi) != 0) return 1;
  return 0;
}

int CountOf(const std::vector<std::uint8_t>& v, std::uint8_t c) {
  return static_cast<int>(std::count(v.begin(), v.end(), c));
}

}  // namespace

Game::Game(GameOptions opt, GameSink& sink, std::uint32_t seed)
    : opt_(opt), sink_(sink), rng_(seed) {
  for (int s = 0; s < 4; ++s) {
    auto& seat = seats_.at(Idx(s));
    seat.card.account = "seat" + std::to_string(s);
    seat.card.nick = seat.card.account;
    seat.card.gold = opt_.startGold;
  }
  phase_ = Phase::Between;
  for (int s = 0; s < 4; ++s) {
    if (!opt_.human.at(Idx(s))) due_.at(Idx(s)) = now_ + opt_.botDelayMs;
  }
}

void Game::SetPlayer(int seat, const proto::PlayerCard& card) {
  seats_.at(Idx(seat)).card = card;
}

void Game::SetConnected(int seat, bool connected) {
  seats_.at(Idx(seat)).connected = connected;
}

void Game::Broadcast(const wire::Frame& f) {
  for (int s = 0; s < 4; ++s) sink_.Send(s, f);
}

std::optional<std::int64_t> Game::NextDue() const {
  std::optional<std::int64_t> next;
  for (const auto& d : due_) {
    if (d && (!next || *d < *next)) next = d;
  }
  if (phase_ == Phase::Between && dealing_) {
    for (int s = 0; s < 4; ++s) {
      const auto& seat = seats_.at(Idx(s));
      if (opt_.human.at(Idx(s)) && !seat.ready && seat.connected) {
        const auto t = readySince_ + opt_.readyWaitMs;
        if (!next || t < *next) next = t;
      }
    }
  }
  return next;
}

void Game::Advance(std::int64_t nowMs) {
  now_ = std::max(now_, nowMs);
  for (int guard = 0; guard < 10000; ++guard) {
    int who = -1;
    for (int s = 0; s < 4; ++s) {
      const auto& d = due_.at(Idx(s));
      if (d && *d <= now_ && (who < 0 || *d < *due_.at(Idx(who)))) who = s;
    }
    if (who < 0) break;
    due_.at(Idx(who)).reset();
    MoveFor(who);
  }
  if (phase_ == Phase::Between && dealing_) {
    for (int s = 0; s < 4; ++s) {
      auto& seat = seats_.at(Idx(s));
      if (opt_.human.at(Idx(s)) && !seat.ready && seat.connected &&
          now_ >= readySince_ + opt_.readyWaitMs) {
        sink_.Note("seat " + std::to_string(s) + " did not get ready in time; starting anyway");
        Ready(s);
      }
    }
  }
}

void Game::Ready(int seat) {
  auto& s = seats_.at(Idx(seat));
  if (phase_ != Phase::Between) return;
  if (!s.ready) {
    s.ready = true;
    Broadcast(proto::ReadyMark(seat, s.card.account));
  }
  const bool all = std::all_of(seats_.begin(), seats_.end(), [](const Seat& x) { return x.ready; });
  if (all && dealing_) StartHand();
}

void Game::StartHand() {
  phase_ = Phase::Idle;
  for (auto& s : seats_) {
    s.hand.clear();
    s.melds.clear();
    s.river.clear();
    s.aside.clear();
    s.ting = 0;
    s.tingAsked = 0;
    s.claimedMelds = 0;
    s.ready = false;
  }
  options_.fill(0);
  due_.fill(std::nullopt);
  answers_.fill(std::nullopt);
  std::uniform_int_distribution<int> die(1, 6);
  for (auto& d : dice_) d = die(rng_);
  ticket_ = static_cast<std::uint32_t>(rng_()) & 0x7FFFFFFFu;
  wall_.emplace(rng_);
  wall_->Break(dealer_, dice_);
  firstDiscards_ = {};
  if ((opt_.demoDeal || opt_.tingDeal) && stats_.hands == 0) {
    const auto person = std::find(opt_.human.begin(), opt_.human.end(), true) - opt_.human.begin();
    const int p = static_cast<int>(person & 3);
    auto rigged = opt_.tingDeal ? RigTingHand(*wall_, dealer_, dice_, p)
                                : RigDemoHand(*wall_, dealer_, dice_, p);
    wall_.emplace(rigged.wall);
    firstDiscards_ = rigged.firstDiscards;
  }
  sink_.Note("hand " + std::to_string(stats_.hands + 1) + ": dealer seat " +
             std::to_string(dealer_) + ", dice " + std::to_string(dice_[0]) + " " +
             std::to_string(dice_[1]) + " " + std::to_string(dice_[2]) + " " +
             std::to_string(dice_[3]) + ", wall head " + std::to_string(wall_->Head()));
  Broadcast(proto::HandSetup(dealer_, ticket_));
  // Every other hand the last two dice multiply the stakes (shown only; payments stay as they are).
  Broadcast(proto::HandStart(dealer_, dice_, stats_.hands % 2 == 0));
  // Three rounds of four tiles, then one each and the dealer's fourteenth.
  for (int round = 0; round < 3; ++round) {
    for (int k = 0; k < 4; ++k) {
      const int s = (dealer_ + k) & 3;
      std::array<std::uint8_t, 4> tiles{};
      for (auto& t : tiles) {
        t = wall_->DrawHead().value_or(0);
        seats_.at(Idx(s)).hand.push_back(t);
      }
      for (int to = 0; to < 4; ++to) {
        sink_.Send(to, proto::Deal(s, to == s ? tiles : std::array<std::uint8_t, 4>{}));
      }
    }
  }
  std::uint8_t last = 0;
  for (int k = 0; k < 5; ++k) {
    const int s = (dealer_ + k) & 3;
    last = wall_->DrawHead().value_or(0);
    seats_.at(Idx(s)).hand.push_back(last);
    for (int to = 0; to < 4; ++to) sink_.Send(to, proto::Draw(s, to == s ? last : 0));
  }
  indicator_ = wall_->TurnIndicator();
  wild_ = WildFromIndicator(indicator_);
  Broadcast(proto::Wild(wild_, indicator_));
  sink_.Note("indicator " + ShortName(indicator_) + ", wild tile " + ShortName(wild_));
  BeginTurn(dealer_, last, false, false);
}

int Game::TurnOptions(int seat, bool afterClaim) const {
  const auto& s = seats_.at(Idx(seat));
  const int melds = static_cast<int>(s.melds.size());
  int o = 0;
  if (!afterClaim && IsWin(Split(s.hand, wild_), melds)) o |= kOptHu;
  const bool canReplace = wall_ && wall_->CanDrawTail();
  if (canReplace) {
    for (auto c : s.hand) {
      if (c != wild_ && CountOf(s.hand, c) == 4) o |= kOptConcealedGang;
      for (const auto& m : s.melds) {
        if (m.kind == kOptPeng && m.tiles.front() == c) o |= kOptSingle;
      }
      // People set tiles aside only onto their pengs; bots also put red dragons aside.
      if (!opt_.human.at(Idx(seat)) && (c == kRedDragon || c == wild_)) o |= kOptSingle;
    }
  }
  if (o != 0) o |= kOptPass;
  return o;
}

int Game::ClaimOptions(int seat) const {
  if (seat == discarder_) return 0;
  const auto& s = seats_.at(Idx(seat));
  const int melds = static_cast<int>(s.melds.size());
  const auto d = discardTile_;
  int o = 0;
  auto with = s.hand;
  with.push_back(d);
  if (IsWin(Split(with, wild_), melds)) o |= kOptHu;
  if (s.ting == 0) {
    const int n = CountOf(s.hand, d);
    if (n == 3 && wall_->CanDrawTail()) o |= kOptGang;
    if (n >= 2) o |= kOptPeng;
    if (seat == ((discarder_ + 1) & 3) && FindChi(s.hand, d)[0] != 0) o |= kOptChi;
  }
  if (o != 0) o |= kOptPass;
  return o;
}

void Game::BeginTurn(int seat, std::uint8_t drawn, bool afterGang, bool afterClaim) {
  phase_ = Phase::Turn;
  turn_ = seat;
  drawn_ = drawn;
  afterGang_ = afterGang;
  options_.fill(0);
  due_.fill(std::nullopt);
  answers_.fill(std::nullopt);
  options_.at(Idx(seat)) = TurnOptions(seat, afterClaim);
  Check("turn");
  SendPrompt(seat);
}

void Game::SendPrompt(int seat) {
  const auto& s = seats_.at(Idx(seat));
  const bool person = opt_.human.at(Idx(seat));
  proto::PromptInfo p;
  p.options = options_.at(Idx(seat));
  p.clock = opt_.countdown;
  if (person && phase_ == Phase::Turn && s.ting == 0) {
    p.tingCandidates = TingDiscards(s.hand, wild_, static_cast<int>(s.melds.size()));
    p.ting = !p.tingCandidates.empty();
    p.tingDialog = p.ting;
  }
  // A seat that declared ting only waits when it can gang or win.
  if (s.ting != 0 && (p.options & (kOptHu | kOptConcealedGang | kOptSingle | kOptGang)) == 0) {
    p.clock = 0;
  }
  proto::PromptInfo others;
  others.clock = p.clock;
  for (int to = 0; to < 4; ++to) sink_.Send(to, proto::Prompt(seat, to == seat ? p : others));
  // The client starts its clock again when ting is pressed and when the ting window is
  // answered: a person offered ting may take up to three clocks.
  const int clocks = p.ting ? 3 : 1;
  due_.at(Idx(seat)) =
      person ? now_ + clocks * p.clock * 1000 + opt_.graceMs : now_ + opt_.botDelayMs;
}

bool Game::TakeFromHand(int seat, std::uint8_t code, int n) {
  auto& hand = seats_.at(Idx(seat)).hand;
  if (CountOf(hand, code) < n) return false;
  for (int i = 0; i < n; ++i) hand.erase(std::find(hand.begin(), hand.end(), code));
  return true;
}

void Game::DrawFor(int seat, bool fromTail) {
  const auto tile = fromTail ? wall_->DrawTail() : wall_->DrawHead();
  if (!tile) {
    DrawGame();
    return;
  }
  seats_.at(Idx(seat)).hand.push_back(*tile);
  for (int to = 0; to < 4; ++to) sink_.Send(to, proto::Draw(seat, to == seat ? *tile : 0));
  BeginTurn(seat, *tile, fromTail, false);
}

bool Game::Act(int seat, const Action& a) {
  if (seat < 0 || seat > 3) return false;
  auto& s = seats_.at(Idx(seat));
  const int opts = options_.at(Idx(seat));
  auto refuse = [&](const char* why) {
    ++stats_.rejected;
    sink_.Note("refused from seat " + std::to_string(seat) + ": " + why);
    return false;
  };
  const auto t0 = a.tiles[0];
  if (phase_ == Phase::Turn && seat == turn_) {
    switch (a.kind) {
      case ActKind::Pass:
        options_.at(Idx(seat)) = 0;  // offers declined; the discard still follows
        if ((a.ting == 2 || a.ting == 3) && s.ting == 0) {
          s.tingAsked = a.ting;
          // The client declares ting with the pass when its clock has run out: the tile is
          // the server's to throw once the grace has passed.
          if (opt_.human.at(Idx(seat))) due_.at(Idx(seat)) = now_ + opt_.graceMs;
        }
        return true;
      case ActKind::Discard:
        if (CountOf(s.hand, t0) == 0) return refuse("discard of a tile not in hand");
        DoDiscard(seat, t0, a.ting);
        return true;
      case ActKind::Hu:
        if ((opts & kOptHu) == 0) return refuse("hu not offered");
        Win(seat, -1);
        return true;
      case ActKind::ConcealedGang: {
        if ((opts & kOptConcealedGang) == 0) return refuse("concealed gang not offered");
        if (t0 == wild_ || !TakeFromHand(seat, t0, 4)) return refuse("no four tiles for the gang");
        s.melds.push_back({kOptConcealedGang, {t0, t0, t0, t0}});
        ++stats_.concealedGang;
        Broadcast(proto::Claim(seat, kOptConcealedGang, {t0, t0, t0}, 0, {}));
        DrawFor(seat, true);
        return true;
      }
      case ActKind::Single: {
        if ((opts & kOptSingle) == 0) return refuse("single tile not offered");
        auto peng = std::find_if(s.melds.begin(), s.melds.end(), [&](const Meld& m) {
          return m.kind == kOptPeng && m.tiles.front() == t0;
        });
        const bool aside = t0 == kRedDragon || t0 == wild_;
        if (peng == s.melds.end() && !aside) return refuse("no peng for the added tile");
        if (!TakeFromHand(seat, t0, 1)) return refuse("added tile not in hand");
        if (peng != s.melds.end()) {
          peng->kind = kOptSingle;
          peng->tiles.push_back(t0);
        } else {
          s.aside.push_back(t0);
        }
        ++stats_.single;
        Broadcast(proto::Claim(seat, kOptSingle, {0, 0, t0}, 0, {}));
        DrawFor(seat, true);
        return true;
      }
      default:
        return refuse("not a move for the own turn");
    }
  }
  if (phase_ == Phase::Claims && opts != 0 && !answers_.at(Idx(seat))) {
    const auto d = discardTile_;
    bool ok = false;
    switch (a.kind) {
      case ActKind::Pass:
        ok = true;
        break;
      case ActKind::Hu:
        ok = (opts & kOptHu) != 0;
        break;
      case ActKind::Gang:
        ok = (opts & kOptGang) != 0 && CountOf(s.hand, d) >= 3;
        break;
      case ActKind::Peng:
        ok = (opts & kOptPeng) != 0 && CountOf(s.hand, d) >= 2;
        break;
      case ActKind::Chi: {
        const auto x = a.tiles[0];
        const auto y = a.tiles[1];
        const int need = x == y ? 2 : 1;
        ok = (opts & kOptChi) != 0 && CountOf(s.hand, x) >= need && CountOf(s.hand, y) >= need &&
             IsChiShape(x, y, d);
        break;
      }
      default:
        break;
    }
    if (!ok) return refuse("claim not allowed");
    answers_.at(Idx(seat)) = a;
    due_.at(Idx(seat)).reset();
    ResolveClaims(false);
    return true;
  }
  if (a.kind == ActKind::Pass) {
    sink_.Note("pass from seat " + std::to_string(seat) + " with nothing open; ignored");
    return true;
  }
  return refuse("no decision open for this seat");
}

void Game::DoDiscard(int seat, std::uint8_t tile, int ting) {
  auto& s = seats_.at(Idx(seat));
  if (ting == 0) ting = s.tingAsked;
  s.tingAsked = 0;
  TakeFromHand(seat, tile, 1);
  s.river.push_back(tile);
  int mark = 0;
  if ((ting == 2 || ting == 3) && s.ting == 0) {
    if (IsReady(Split(s.hand, wild_), static_cast<int>(s.melds.size()))) {
      s.ting = ting;
      mark = ting;
      ++stats_.ting;
    } else {
      ++stats_.rejected;
      sink_.Note("ting from seat " + std::to_string(seat) + " refused: hand not ready");
    }
  }
  auto shown = s.hand;
  SortCodes(shown);
  Broadcast(proto::Discard(seat, tile, mark, shown));
  discarder_ = seat;
  discardTile_ = tile;
  OpenClaims();
}

void Game::OpenClaims() {
  phase_ = Phase::Claims;
  options_.fill(0);
  due_.fill(std::nullopt);
  answers_.fill(std::nullopt);
  for (int k = 1; k < 4; ++k) options_.at(Idx(discarder_ + k)) = ClaimOptions((discarder_ + k) & 3);
  Check("discard");
  for (int k = 1; k < 4; ++k) {
    const int s = (discarder_ + k) & 3;
    if (options_.at(Idx(s)) != 0) SendPrompt(s);
  }
  ResolveClaims(false);
}

void Game::ResolveClaims(bool force) {
  int best = -1;
  int bestPri = 0;
  for (int k = 1; k < 4; ++k) {
    const int s = (discarder_ + k) & 3;
    const auto& ans = answers_.at(Idx(s));
    if (ans) {
      const int p = Priority(ans->kind);
      if (p > bestPri) {
        bestPri = p;
        best = s;
      }
    } else if (!force && options_.at(Idx(s)) != 0) {
      // Someone who has not answered could still take the tile first.
      if (BestPossible(options_.at(Idx(s))) > bestPri) return;
    }
  }
  const auto d = discardTile_;
  options_.fill(0);
  due_.fill(std::nullopt);
  if (best < 0) {
    DrawFor((discarder_ + 1) & 3, false);
    return;
  }
  const Action a = *answers_.at(Idx(best));
  auto& s = seats_.at(Idx(best));
  auto& river = seats_.at(Idx(discarder_)).river;
  if (a.kind == ActKind::Hu) {
    Win(best, discarder_);
    return;
  }
  river.pop_back();
  ++s.claimedMelds;
  if (a.kind == ActKind::Peng) {
    TakeFromHand(best, d, 2);
    s.melds.push_back({kOptPeng, {d, d, d}});
    ++stats_.peng;
    Broadcast(proto::Claim(best, kOptPeng, {d, d, d}, 0, {}));
    BeginTurn(best, 0, false, true);
  } else if (a.kind == ActKind::Chi) {
    TakeFromHand(best, a.tiles[0], 1);
    TakeFromHand(best, a.tiles[1], 1);
    s.melds.push_back({kOptChi, {a.tiles[0], a.tiles[1], d}});
    ++stats_.chi;
    Broadcast(proto::Claim(best, kOptChi, {a.tiles[0], a.tiles[1], d}, 0, {}));
    BeginTurn(best, 0, false, true);
  } else {
    TakeFromHand(best, d, 3);
    s.melds.push_back({kOptGang, {d, d, d, d}});
    ++stats_.gang;
    Broadcast(proto::Claim(best, kOptGang, {d, d, d}, 0, {}));
    DrawFor(best, true);
  }
}

void Game::Win(int winner, int feeder) {
  auto& w = seats_.at(Idx(winner));
  WinFacts f;
  f.winner = winner;
  f.feeder = feeder;
  f.dealer = dealer_;
  f.gangDraw = feeder < 0 && afterGang_;
  f.hand = w.hand;
  f.wild = wild_;
  f.melds = static_cast<int>(w.melds.size());
  f.handOpen = w.claimedMelds > 0;
  f.base = opt_.base;
  for (const auto& m : w.melds)
    f.meldTiles.insert(f.meldTiles.end(), m.tiles.begin(), m.tiles.end());
  for (int s = 0; s < 4; ++s) f.openDoor.at(Idx(s)) = seats_.at(Idx(s)).claimedMelds;
  std::uint8_t tile = drawn_;
  fedTile_ = 0;
  if (feeder >= 0) {
    tile = discardTile_;
    fedTile_ = tile;
    f.hand.push_back(tile);
    seats_.at(Idx(feeder)).river.pop_back();
    w.hand.push_back(tile);
  }
  Broadcast(proto::Claim(winner, kOptHu, {0, 0, tile}, 0, {}));
  sink_.Note("seat " + std::to_string(winner) + " wins " +
             (feeder < 0 ? std::string("by self-draw")
                         : "on the discard of seat " + std::to_string(feeder)) +
             ": " + ShortNames(f.hand));
  ++stats_.wins;
  if (feeder < 0) ++stats_.selfDrawn;
  Settlement st = SettleWin(f);
  // Nobody pays more than they hold.
  std::array<std::int64_t, 4> pay{};
  if (feeder >= 0) {
    const auto owed = -st.pay.at(Idx(feeder));
    const auto paid =
        std::min<std::int64_t>(owed, static_cast<std::int64_t>(seats_.at(Idx(feeder)).card.gold));
    pay.at(Idx(feeder)) = -paid;
    pay.at(Idx(winner)) = paid;
  } else {
    for (int s = 0; s < 4; ++s) {
      if (s == winner) continue;
      const auto owed = -st.pay.at(Idx(s));
      const auto paid =
          std::min<std::int64_t>(owed, static_cast<std::int64_t>(seats_.at(Idx(s)).card.gold));
      pay.at(Idx(s)) = -paid;
      pay.at(Idx(winner)) += paid;
    }
  }
  for (int s = 0; s < 4; ++s) st.rows.at(Idx(s)).amount = pay.at(Idx(s));
  lastWinner_ = winner;
  EndHand(pay, &st);
}

void Game::DrawGame() {
  ++stats_.drawGames;
  lastWinner_ = -1;
  fedTile_ = 0;
  sink_.Note("wall exhausted: draw game");
  EndHand({0, 0, 0, 0}, nullptr);
}

void Game::EndHand(const std::array<std::int64_t, 4>& pay, const Settlement* detail) {
  phase_ = Phase::Between;
  options_.fill(0);
  due_.fill(std::nullopt);
  answers_.fill(std::nullopt);
  ++stats_.hands;
  CheckTiles("hand end");
  // A win turns bonus tiles of the wall over: the next two tail tiles, and for a self-drawn win
  // the next head tile too. They ride on the first reveal frame.
  std::vector<std::uint8_t> bonus;
  if (detail != nullptr && wall_) {
    const int tail = wall_->Tail();
    const int next = (tail % 2 == 1) ? (tail + 133) % 136 : (tail + 1) % 136;
    bonus = {wall_->At(tail), wall_->At(next)};
    if (fedTile_ == 0) bonus.push_back(wall_->At(wall_->Head()));
  }
  for (int s = 0; s < 4; ++s) {
    auto hand = seats_.at(Idx(s)).hand;
    // A fed winner's hand is revealed as it stood; the claim already showed the winning tile.
    if (s == lastWinner_ && fedTile_ != 0)
      hand.erase(std::find(hand.begin(), hand.end(), fedTile_));
    for (std::size_t i = 0; i < hand.size(); i += 4) {
      const auto from = hand.begin() + static_cast<std::ptrdiff_t>(i);
      const auto to = hand.begin() + static_cast<std::ptrdiff_t>(std::min(i + 4, hand.size()));
      auto f = proto::Reveal(s, std::vector<std::uint8_t>(from, to));
      for (std::size_t k = 0; k < bonus.size(); ++k) f.at(16 + k) = bonus.at(k);
      bonus.clear();
      Broadcast(f);
    }
  }
  // The prop service announces this hand's prizes before the results complete.
  const auto prizes = props::HandPrizes(stats_.hands);
  Broadcast(props::Scores(prizes));
  for (int s = 0; s < 4; ++s) Broadcast(proto::SeatResult(s, pay.at(Idx(s))));
  if (detail != nullptr) {
    for (int s = 0; s < 4; ++s) {
      const auto& r = detail->rows.at(Idx(s));
      proto::DetailRow row;
      row.base = opt_.base;
      auto b = [&](int frameOffset) -> std::uint8_t& {
        return row.bytes.at(static_cast<std::size_t>(frameOffset - 16));
      };
      b(17) = static_cast<std::uint8_t>(r.sevenPairsBits);
      b(18) = static_cast<std::uint8_t>(r.patternBits);
      b(20) = static_cast<std::uint8_t>(r.how);
      b(23) = static_cast<std::uint8_t>(r.gangDraw);
      b(25) = static_cast<std::uint8_t>(r.dry);
      b(26) = static_cast<std::uint8_t>(r.openDoor);
      b(27) = static_cast<std::uint8_t>(r.dealer);
      const auto mag = static_cast<std::uint64_t>(r.amount < 0 ? -r.amount : r.amount);
      for (int k = 0; k < 8; ++k) b(36 + k) = static_cast<std::uint8_t>((mag >> (8 * k)) & 0xFF);
      b(44) = r.amount < 0 ? 2 : 0;
      b(61) = static_cast<std::uint8_t>(r.fanExp);
      // The seat's level title, as its table label shows it, in whole characters.
      const auto title = text::EncodeDoubleByte(seats_.at(Idx(s)).card.group);
      for (std::size_t k = 0; k < title.size() && k < 16; ++k) {
        b(45 + static_cast<int>(k)) = title.at(k);
      }
      row.text = "恭喜发财";
      Broadcast(proto::WinDetail(s, row));
    }
  }
  const auto sum = std::accumulate(pay.begin(), pay.end(), std::int64_t{0});
  if (sum != 0)
    Fail("payments of hand " + std::to_string(stats_.hands) + " sum to " + std::to_string(sum));
  for (int s = 0; s < 4; ++s) {
    auto& seat = seats_.at(Idx(s));
    seat.card.gold += static_cast<double>(pay.at(Idx(s)));
    if (seat.card.gold < 0) Fail("seat " + std::to_string(s) + " gold below zero");
  }
  // Prizes come from the house, outside the hand's payments.
  for (int s = 0; s < 4; ++s) AddGold(s, prizes.at(Idx(s)));
  auto sendGold = [&](int s, std::int64_t delta) {
    for (int to = 0; to < 4; ++to) {
      sink_.Send(to, to == s ? proto::OwnGold(delta)
                             : proto::OtherGold(delta, seats_.at(Idx(s)).card.account));
    }
  };
  // The hand's payments reach the table's gold through the score sheet alone; gold changes
  // (91, 92) are only for gold that moves outside a hand's result.
  // Bots are topped up by the house so a long session never runs dry.
  for (int s = 0; s < 4; ++s) {
    auto& seat = seats_.at(Idx(s));
    if (!opt_.human.at(Idx(s)) && seat.card.gold < opt_.base * 2048.0) {
      const auto delta = static_cast<std::int64_t>(opt_.startGold - seat.card.gold);
      seat.card.gold = opt_.startGold;
      sendGold(s, delta);
    }
  }
  if (lastWinner_ >= 0 && lastWinner_ != dealer_) dealer_ = (dealer_ + 1) & 3;
  int broke = 0;
  for (int s = 0; s < 4; ++s) {
    if (opt_.human.at(Idx(s)) && seats_.at(Idx(s)).card.gold < opt_.base) broke |= 1 << s;
  }
  if (opt_.maxHands > 0 && stats_.hands >= opt_.maxHands) dealing_ = false;
  if (broke != 0) {
    Broadcast(proto::LackGold(15 & ~broke, 0));
    dealing_ = false;
    sink_.Note("a person ran out of gold; no more hands");
  } else {
    std::uint32_t wealth = 0;
    for (const auto& seat : seats_) {
      if (seat.card.wealth != 0 && (wealth == 0 || seat.card.wealth < wealth))
        wealth = seat.card.wealth;
    }
    Broadcast(proto::Continue(wealth));
  }
  readySince_ = now_;
  for (int s = 0; s < 4; ++s) {
    seats_.at(Idx(s)).ready = false;
    if (!opt_.human.at(Idx(s))) due_.at(Idx(s)) = now_ + 2 * opt_.botDelayMs;
  }
}

BotView Game::ViewOf(int seat) const {
  const auto& s = seats_.at(Idx(seat));
  BotView v;
  v.hand = s.hand;
  for (const auto& m : s.melds) {
    if (m.kind == kOptPeng) v.pengs.push_back(m.tiles.front());
  }
  v.melds = static_cast<int>(s.melds.size());
  v.wild = wild_;
  v.drawn = (phase_ == Phase::Turn && turn_ == seat) ? drawn_ : 0;
  v.ting = s.ting != 0;
  v.options = options_.at(Idx(seat));
  v.discard = phase_ == Phase::Claims ? discardTile_ : 0;
  return v;
}

void Game::MoveFor(int seat) {
  const bool person = opt_.human.at(Idx(seat));
  if (phase_ == Phase::Between) {
    if (!person) Ready(seat);
    return;
  }
  const auto& s = seats_.at(Idx(seat));
  Action a;
  if (phase_ == Phase::Turn && seat == turn_) {
    if (person) {
      sink_.Note("seat " + std::to_string(seat) + " ran out of time; discarding for it");
      a.kind = ActKind::Discard;
      a.tiles[0] = CountOf(s.hand, drawn_) > 0 ? drawn_ : s.hand.back();
      if (s.tingAsked != 0) {
        // The player declared ting and let the clock run out choosing the tile: throw one
        // that keeps the hand ready, the drawn tile when it does.
        const auto ready = TingDiscards(s.hand, wild_, static_cast<int>(s.melds.size()));
        if (!ready.empty() && std::find(ready.begin(), ready.end(), a.tiles[0]) == ready.end())
          a.tiles[0] = ready.front();
      }
    } else {
      a = BotTurn(ViewOf(seat));
      auto& wish = firstDiscards_.at(Idx(seat));
      if (!wish.empty()) {
        if (CountOf(s.hand, wish.front()) > 0) {
          a = Action{};
          a.kind = ActKind::Discard;
          a.tiles[0] = wish.front();
        }
        wish.clear();
      }
    }
    if (!Act(seat, a)) {
      Action fallback;
      fallback.kind = ActKind::Discard;
      fallback.tiles[0] = seats_.at(Idx(seat)).hand.back();
      Act(seat, fallback);
    }
    return;
  }
  if (phase_ == Phase::Claims && options_.at(Idx(seat)) != 0 && !answers_.at(Idx(seat))) {
    if (!person) a = BotClaim(ViewOf(seat));
    if (!Act(seat, a)) Act(seat, Action{});
  }
}

std::vector<wire::Frame> Game::ResumeFrames(int seat) const {
  std::vector<wire::Frame> out;
  if (!InHand() || !wall_) return out;
  out.push_back(proto::Resume(dealer_, dice_, wild_, indicator_));
  for (int s = 0; s < 4; ++s) {
    const auto& x = seats_.at(Idx(s));
    proto::SnapshotSeat snap;
    snap.exposed = x.aside;
    for (const auto& m : x.melds)
      snap.exposed.insert(snap.exposed.end(), m.tiles.begin(), m.tiles.end());
    snap.concealed = s == seat ? x.hand : std::vector<std::uint8_t>(x.hand.size(), 0);
    snap.discards = static_cast<int>(x.river.size());
    out.push_back(proto::Snapshot(s, snap, wall_->HeadUsed(), wall_->TailUsed()));
  }
  if (options_.at(Idx(seat)) != 0 || (phase_ == Phase::Turn && turn_ == seat)) {
    proto::PromptInfo p;
    p.options = options_.at(Idx(seat));
    p.clock = opt_.countdown;
    out.push_back(proto::Prompt(seat, p));
  }
  return out;
}

void Game::CheckTiles(const char* where) {
  if (!opt_.checks || !wall_) return;
  Counts all = wall_->InWall();
  for (int i = 0; i < 4; ++i) {
    const auto& s = seats_.at(Idx(i));
    auto add = [&](std::uint8_t c) {
      const int k = KindOf(c);
      if (k < 0) {
        Fail(std::string(where) + ": seat " + std::to_string(i) + " holds a byte that is no tile");
        return;
      }
      ++all.at(static_cast<std::size_t>(k));
    };
    for (auto c : s.hand) add(c);
    for (auto c : s.river) add(c);
    for (auto c : s.aside) add(c);
    for (const auto& m : s.melds) {
      for (auto c : m.tiles) add(c);
    }
  }
  for (int k = 0; k < kKinds; ++k) {
    if (all.at(static_cast<std::size_t>(k)) != 4) {
      Fail(std::string(where) + ": " + std::to_string(all.at(static_cast<std::size_t>(k))) +
           " tiles of " + ShortName(CodeOf(k)) + " on the table");
      break;
    }
  }
}

void Game::Check(const char* where) {
  if (!opt_.checks || !wall_) return;
  CheckTiles(where);
  for (int i = 0; i < 4; ++i) {
    const auto& s = seats_.at(Idx(i));
    const int expect = (phase_ == Phase::Turn && i == turn_) ? 14 : 13;
    const int held = static_cast<int>(s.hand.size() + 3 * s.melds.size());
    if (held != expect) {
      Fail(std::string(where) + ": seat " + std::to_string(i) + " holds " + std::to_string(held) +
           " tiles, expected " + std::to_string(expect) + ": " + Line(i));
    }
  }
}

void Game::Fail(const std::string& why) {
  ++stats_.checkFailures;
  if (stats_.firstFailure.empty()) stats_.firstFailure = why;
  sink_.Note("CHECK FAILED: " + why);
}

std::string Game::Line(int seat) const {
  const auto& s = seats_.at(Idx(seat));
  std::string out = "hand [" + ShortNames(s.hand) + "]";
  for (const auto& m : s.melds) out += " meld [" + ShortNames(m.tiles) + "]";
  if (!s.aside.empty()) out += " aside [" + ShortNames(s.aside) + "]";
  return out;
}

}  // namespace devserver

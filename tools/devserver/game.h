#pragma once
// One table of four seats playing hands: the server's whole game, without sockets. Frames go
// out through a sink; moves come in as actions; time is whatever the caller says it is, so
// the same engine runs behind real sockets and in fast self-play.
#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "bots.h"
#include "protocol.h"
#include "rules.h"
#include "wall.h"
#include "wire/frame.h"

namespace devserver {

class GameSink {
 public:
  virtual ~GameSink() = default;
  // A frame for the client at this seat (seats without a client drop it).
  virtual void Send(int seat, const wire::Frame& f) = 0;
  // A line for the server log.
  virtual void Note(const std::string& line) = 0;
};

inline constexpr int kReadyWaitMs = 15000;

struct GameOptions {
  int countdown = 10;    // decision clock, seconds
  int base = 10;         // gold per doubling
  int botDelayMs = 700;  // how long a bot thinks
  // Beyond a person's clock before the server moves for them. The client's clock starts only
  // once it has played the frames before the prompt (the deal shows its backs for a second)
  // and runs out a second after showing 0; its own move must come first.
  int graceMs = 5000;
  // Longest wait for a person to get ready. The client tells the player that the game starts
  // within 15 seconds once the table is full, and sends its own ready when its 15 s run out.
  int readyWaitMs = kReadyWaitMs;
  double startGold = 100000;
  bool checks = true;  // verify tiles and payments after every step
  int maxHands = 0;    // stop dealing after this many hands (0: never)
  std::array<bool, 4> human{};
  bool demoDeal = false;  // the first hand is dealt for the demo (rig.h)
  bool tingDeal = false;  // the first hand leaves the person ready (rig.h)
};

struct GameStats {
  int hands = 0;
  int wins = 0;
  int selfDrawn = 0;
  int drawGames = 0;
  int chi = 0, peng = 0, gang = 0, concealedGang = 0, single = 0, ting = 0;
  int rejected = 0;       // moves refused as illegal
  int checkFailures = 0;  // broken invariants (tiles, payments)
  std::string firstFailure;
};

class Game {
 public:
  Game(GameOptions opt, GameSink& sink, std::uint32_t seed);

  void SetPlayer(int seat, const proto::PlayerCard& card);
  const proto::PlayerCard& Player(int seat) const { return seats_.at(Idx(seat)).card; }
  // Gold that moves outside the game (the bank, prop prizes).
  void AddGold(int seat, double delta) { seats_.at(Idx(seat)).card.gold += delta; }
  void SetConnected(int seat, bool connected);

  // Time moves on to nowMs: bots move and late people are moved for.
  void Advance(std::int64_t nowMs);
  // The next moment something is due, or nothing while the table waits for people only.
  std::optional<std::int64_t> NextDue() const;
  std::int64_t Now() const { return now_; }

  // A person is ready for the next hand (the first hand starts when every seat is ready).
  void Ready(int seat);
  // A move from a seat; false when it is refused.
  bool Act(int seat, const Action& a);
  // The frames that rebuild the running hand for a seat that came back, and its open prompt.
  std::vector<wire::Frame> ResumeFrames(int seat) const;

  bool InHand() const { return phase_ == Phase::Turn || phase_ == Phase::Claims; }
  int HandsPlayed() const { return stats_.hands; }
  const GameStats& Stats() const { return stats_; }
  std::uint32_t Ticket() const { return ticket_; }
  // Hands are dealt only while this is on (a table without its person pauses between hands).
  void SetDealing(bool on) { dealing_ = on; }

  // For tests: the tiles a seat holds and the tile on offer.
  const std::vector<std::uint8_t>& Hand(int seat) const { return seats_.at(Idx(seat)).hand; }
  int TurnSeat() const { return turn_; }
  bool WaitingClaims() const { return phase_ == Phase::Claims; }
  std::uint8_t OnOffer() const { return discardTile_; }
  int Options(int seat) const { return options_.at(Idx(seat)); }
  std::uint8_t WildTile() const { return wild_; }

 private:
  enum class Phase { Idle, Turn, Claims, Between };
  struct Meld {
    int kind = 0;  // kOptChi, kOptPeng, kOptGang, kOptConcealedGang, kOptSingle (added gang)
    std::vector<std::uint8_t> tiles;
  };
  struct Seat {
    proto::PlayerCard card;
    bool connected = true;
    bool ready = false;
    std::vector<std::uint8_t> hand;
    std::vector<Meld> melds;
    std::vector<std::uint8_t> river;
    std::vector<std::uint8_t> aside;
    int ting = 0;
    // Ting (2 open, 3 closed) declared with a pass on the own turn: the discard that follows,
    // the player's or the one the server makes when the clock has run out, carries it.
    int tingAsked = 0;
    int claimedMelds = 0;
  };
  static std::size_t Idx(int seat) { return static_cast<std::size_t>(seat & 3); }

  void Broadcast(const wire::Frame& f);
  void StartHand();
  void BeginTurn(int seat, std::uint8_t drawn, bool afterGang, bool afterClaim);
  void DrawFor(int seat, bool fromTail);
  void SendPrompt(int seat);
  void DoDiscard(int seat, std::uint8_t tile, int ting);
  void OpenClaims();
  void ResolveClaims(bool force);
  void Win(int winner, int feeder);
  void DrawGame();
  void EndHand(const std::array<std::int64_t, 4>& pay, const Settlement* detail);
  void MoveFor(int seat);  // a late person or a bot
  BotView ViewOf(int seat) const;
  int TurnOptions(int seat, bool afterClaim) const;
  int ClaimOptions(int seat) const;
  bool TakeFromHand(int seat, std::uint8_t code, int n);
  void Check(const char* where);
  void CheckTiles(const char* where);
  void Fail(const std::string& why);
  std::string Line(int seat) const;

  GameOptions opt_;
  GameSink& sink_;
  std::mt19937 rng_;
  std::array<Seat, 4> seats_{};
  std::optional<Wall> wall_;
  Phase phase_ = Phase::Idle;
  bool dealing_ = true;
  std::int64_t now_ = 0;
  std::int64_t readySince_ = 0;
  int dealer_ = 0;
  std::array<int, 4> dice_{};
  std::uint8_t wild_ = 0;
  std::uint8_t indicator_ = 0;
  std::uint32_t ticket_ = 0;
  // Turn.
  int turn_ = 0;
  std::uint8_t drawn_ = 0;
  bool afterGang_ = false;
  // Decisions open: option bits per seat and when each is due.
  std::array<int, 4> options_{};
  std::array<std::optional<std::int64_t>, 4> due_{};
  std::array<std::optional<Action>, 4> answers_{};
  // Claims.
  int discarder_ = -1;
  std::uint8_t discardTile_ = 0;
  int lastWinner_ = -1;
  std::uint8_t fedTile_ = 0;
  GameStats stats_;
  // Tiles bots throw first in a demo hand.
  std::array<std::vector<std::uint8_t>, 4> firstDiscards_{};
};

}  // namespace devserver

#pragma once
// Computer players: keep pairs and runs, claim what shortens the hand, win when they can.
#include <array>
#include <cstdint>
#include <vector>

namespace devserver {

enum class ActKind { Discard, Pass, Chi, Peng, Gang, ConcealedGang, Single, Hu };

struct Action {
  ActKind kind = ActKind::Pass;
  std::array<std::uint8_t, 3> tiles{};  // Discard/Single/gangs: tiles[0]; Chi: the two hand tiles
  int ting = 0;                         // 2 open, 3 closed, with a discard or an own-turn pass
};

// What a bot may look at: its own tiles and the table's public facts.
struct BotView {
  std::vector<std::uint8_t> hand;
  std::vector<std::uint8_t> pengs;  // kinds of its own pengs, by code
  int melds = 0;
  std::uint8_t wild = 0;
  std::uint8_t drawn = 0;  // last tile drawn, 0 after a claim
  bool ting = false;
  int options = 0;           // prompt option bits
  std::uint8_t discard = 0;  // claim prompts: the tile on offer
};

// The move on the bot's own turn: a win, a gang or set-aside, else a discard (with a ting
// declaration when the discard leaves the hand ready).
Action BotTurn(const BotView& v);
// The answer to a claim prompt.
Action BotClaim(const BotView& v);
// Which tile to let go of: the one that helps the hand least.
std::uint8_t BotDiscardChoice(const std::vector<std::uint8_t>& hand, std::uint8_t wild);

}  // namespace devserver

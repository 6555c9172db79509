#pragma once
// The client's whole picture of the table. Every per-seat array is indexed by screen position.
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "table/tiles.h"

namespace table {

// How a tile came into its slot.
enum SlotState : int {
  kSlotEmpty = 0,
  kSlotDrawn = 1,
  kSlotPeng = 3,
  kSlotExposedGang = 4,
  kSlotConcealedGang = 5,
  kSlotAddedAlone = 6,
};

struct SlotRec {
  int State = kSlotEmpty;
  int Code = 0;  // 0 when unknown (another seat's concealed tile)
  int Ctl = -1;  // MJ_Image index showing this physical tile
};

struct HandRec {
  std::string Account;
  std::int32_t HandResult = 0;
  int SeatBit = 0;
  bool IsDealer = false;
  int DiscLeft = 0, DiscTop = 0;
  int DiscLeft0 = 0, DiscTop0 = 0;
  int RowLeft = 0, RowTop = 0;
  std::array<SlotRec, 18> Slot{};
  int MeldEnd = 3;
  int HiddenFirst = 4;
  int HiddenCount = 0;
  int WildCount = 0;
  int RedAside = 0;
  int WildAside = 0;
};

struct HiddenGangEntry {
  int Ctl = -1;
  int Code = 0;
  int Pos = 0;
};

// Decision-prompt buttons, by Operation index.
enum OperationButton : int {
  kOpChi = 0,
  kOpPeng = 1,
  kOpGang = 2,
  kOpTing = 3,
  kOpHu = 4,
  kOpPass = 5
};

// A player's record from the player information message.
struct PlayerRec {
  std::string NickName;
  std::string Face;
  int Sex = 0;
  std::string Title;
  double Num1 = 0, Num2 = 0, Gold = 0, Num4 = 0;
  std::string Group;
  double Num5 = 0, Num6 = 0, Num7 = 0;
  std::array<std::int32_t, 4> Stat{};
  std::string Account;
  std::string Caption;
  std::string VoiceA;
  std::string VoiceB;
  int VoiceSex = 0;
  double UserId = 0;
};

// What the result windows show of a position: nickname and portrait.
struct NameCardRec {
  std::string NickName;
  int Face = 0;
};

struct TableState {
  // Who sits where, by screen position.
  std::array<PlayerRec, 4> Player;
  std::array<NameCardRec, 4> NameCard{};
  // Each position's gold when the hand started, for the score sheet.
  std::array<double, 4> GoldAtStart{};
  int HandNumber = 0;

  std::array<HandRec, 4> Hand{};

  // Tile picture sizes of the next placement, per position.
  std::array<int, 4> TileW{};
  std::array<int, 4> TileH{};
  // Layout scales: 1.0, or 0.78125 on small screens.
  float ScaleX = 1.0F;
  float ScaleY = 1.0F;

  // Wall.
  int WallHead = 0;
  int WallTail = 0;
  bool DrawFromHead = true;
  std::array<int, 2> Dice{};
  int IndicatorCtl = -1;

  // Wild tile.
  int WildTile = -1;
  int IndicatorTile = 0;

  // Last discard.
  int LastDiscard = 0;
  int LastDiscardCtl = -1;
  int LastDiscardPos = 0;
  bool KeepLastDiscard = false;

  // Decision prompt and clock.
  std::array<int, 6> OptionState{};
  int GangOptions = 0;
  int DecisionState = 0;
  bool ActionSent = false;
  bool CanDiscard = false;
  int Countdown = 0;
  int DefaultCountdown = 8;
  bool ClockIsOwn = false;
  int TimeoutCount = 0;
  int TimeoutLimit = 0;
  bool BossMode = false;
  std::array<int, 6> ChiPick{};
  std::array<int, 10> GangPick{};

  // Ting.
  bool TingDialog = false;
  std::array<int, 14> TingCandidates{};
  bool TingSelecting = false;
  int TingChoice = 0;  // 0 none, 2 open, 3 closed
  bool TingDeclared = false;
  std::array<int, 4> TingShown{};

  // Per-hand logs and flags.
  bool HandOpen = false;
  std::array<std::array<int, 16>, 4> GangType{};
  std::array<int, 16> GangTile{};
  int GangCount = 0;
  std::array<HiddenGangEntry, 16> HiddenGangLog{};
  int HiddenGangCount = 0;
  int WinnerPos = -1;
  bool BubbleOn = false;
  int BubblePos = 0;

  bool WatchMode = false;
};

// An index for .at() on the table's arrays; a negative one comes from bad input.
inline std::size_t Ix(int i) {
  if (i < 0) throw std::out_of_range("negative index " + std::to_string(i));
  return static_cast<std::size_t>(i);
}

// Wall pointer steps.
constexpr int NextWallHead(int head) {
  return (head + 1) % kTileCount;
}
constexpr int NextWallTail(int tail) {
  return (tail % 2 != 0) ? (tail + 133) % kTileCount : (tail + 1) % kTileCount;
}

}  // namespace table

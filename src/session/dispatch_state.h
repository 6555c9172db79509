#pragma once
// Who sits where: the player records and the seating bookkeeping of the login and table
// commands.
#include <array>
#include <cstdint>
#include <string>

#include "wire/messages.h"

namespace session {

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

struct DispatchState {
  std::array<PlayerRec, 4> Player;
  int HandNumber = 0;
  int SeatNameCount = 0;
  bool Reseating = false;
  int SeatedOthers = 0;
  int PlayedHand = 0;
  std::string AdPage;
  std::string AdPage2;
  bool AdFailed = false;
  bool GameOver = false;
  bool RestartPending = false;
  bool PropRefresh = false;

  // Voice styles already handed out in the current seating sequence.
  std::array<bool, 6> MaleVoiceUsed{};
  std::array<bool, 6> FemaleVoiceUsed{};
  // Watch mode: the four player messages of a sequence, collected before any is shown
  // (command 0 marks an empty slot).
  std::array<wire::PlayerInfo, 4> WatchSlots{};
  // The resumed hand's dealer seat bit and dice, from the hand-state command.
  int ResumeDealerSeat = 0;
  std::array<int, 2> ResumeDice{};
  // Each position's gold when the hand started, for the score sheet.
  std::array<double, 4> GoldAtStart{};
  // Accounts of positions 1 to 3 as the hand was set up.
  std::array<std::string, 3> OtherNames;
  // The next ready countdown is the short one (10 s instead of 15 s).
  bool ShortReady = false;
  // What the result windows show of each position: nickname and portrait.
  struct NameCardRec {
    std::string NickName;
    int Face = 0;
  };
  std::array<NameCardRec, 4> NameCard{};
};

}  // namespace session

#pragma once
// The seating bookkeeping of the login and table commands.
#include <array>
#include <cstdint>
#include <string>

#include "wire/messages.h"

namespace session {

struct DispatchState {
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
  // The table has been cleared since it last changed (session/table_reset.cpp writes it).
  bool TableResetDone = false;

  // Voice styles already handed out in the current seating sequence.
  std::array<bool, 6> MaleVoiceUsed{};
  std::array<bool, 6> FemaleVoiceUsed{};
  // Watch mode: the four player messages of a sequence, collected before any is shown
  // (command 0 marks an empty slot).
  std::array<wire::PlayerInfo, 4> WatchSlots{};
  // The resumed hand's dealer seat bit and dice, from the hand-state command.
  int ResumeDealerSeat = 0;
  std::array<int, 2> ResumeDice{};
  // Accounts of positions 1 to 3 as the hand was set up.
  std::array<std::string, 3> OtherNames;
  // The next ready countdown is the short one (10 s instead of 15 s).
  bool ShortReady = false;
};

}  // namespace session

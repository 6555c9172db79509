#pragma once
// Who sits where: the player records and the seating bookkeeping of the login and table
// commands.
#include <array>
#include <cstdint>
#include <string>

namespace dispatch {

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
};

}  // namespace dispatch

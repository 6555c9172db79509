#pragma once
// What start-up takes from the lobby's command line, the lobby link's own state and the hand
// replay being recorded.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/replay.h"

namespace app {

struct AppState {
  std::string LoginName;
  std::string LoginKey;
  std::string ServerHost;
  int ServerPort = 0;
  int ProxyKind = 0;  // 0 direct, 5 through the proxy
  std::string ProxyHost;
  int ProxyPort = 0;
  std::string ProxyUser;
  std::string ProxyPass;
  bool CustomCaption = false;
  std::string LobbyTitle;
  std::string CaptionText;
  int Prop_swicth = 0;
  int PropParam = 0;

  bool ChatFocused = false;
  // The lobby link is listening for the lobby's messages.
  bool Hooked = false;
  std::array<std::string, 4> SeatChangeText;

  ReplayRecorder Replay;
};

}  // namespace app

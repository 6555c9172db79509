#pragma once
// The reconnect window: kept hidden, its two timers count down and retry while the player
// follows the progress in the system-message lines.
#include "platform/forms.h"

class Client;

namespace session {

constexpr int kReconnectAttempts = 21;

class FrmReconnectT : public platform::Form {
 public:
  FrmReconnectT();
  platform::Control& lbTime;
  platform::Control& pbReconnect;
  platform::Control& pbCancel;
  // Loaded: its timers belong to a reconnection in progress.
  bool Loaded = false;
};

class FrmReconnectEvents final : public platform::DialogEvents {
 public:
  explicit FrmReconnectEvents(Client& c) : c_(c) {}
  void OnClick(platform::Control* control) override;

 private:
  Client& c_;
};

void LoadReconnect(Client& c);
void UnloadReconnect(Client& c);
void TimerReconnect_Timer(Client& c);
void TimerCount_Timer(Client& c);
void pbReconnect_Click(Client& c);
void pbCancel_Click(Client& c);
// Builds the reconnection request and reopens the connection.
void Reconnect(Client& c);

}  // namespace session

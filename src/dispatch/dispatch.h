#pragma once
// The dispatcher and the handlers of the login, seating and table commands.
#include <functional>

#include "wire/frame.h"

class Client;

namespace dispatch {

void Dispatch(Client& c, wire::NetMsg& msg);
// Runs one step of handling a received frame: a run-time error in it gives the player back to
// the lobby and ends the program.
void RunGuarded(Client& c, int cmd, const std::function<void()>& step);

// Login and seating.
void OnLoginResult(Client& c);  // 18
void OnSeatNames(Client& c);    // 3
void OnPlayerInfo(Client& c);   // 20
void OnPlayerLeft(Client& c);   // 21

// Hand start, table status, leaving and gold.
void OnHandStart(Client& c);    // 4
void OnTableStatus(Client& c);  // 16
void OnTableClosed(Client& c);  // 22
void OnPlayerReady(Client& c);  // 23
void OnHandResume(Client& c);   // 41
// The bar's send, history and start buttons, disabled while a resumed hand is replayed, work
// again once that hand is over.
void EnableBarAfterResume(Client& c);
void OnOwnGold(Client& c);    // 91
void OnOtherGold(Client& c);  // 92

}  // namespace dispatch

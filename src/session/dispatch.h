#pragma once
// The dispatcher and the handlers of the login, seating and table commands.
#include <functional>

#include "wire/frame.h"
#include "wire/messages.h"

class Client;

namespace session {

void Dispatch(Client& c, wire::NetMsg& msg);
// Runs one step of handling a received frame: a run-time error in it gives the player back to
// the lobby and ends the program.
void RunGuarded(Client& c, int cmd, const std::function<void()>& step);

// Login and seating.
void OnLoginResult(Client& c, const wire::LoginResult& m);
// The seat names joined so far: the fourth places the table.
void OnSeatNames(Client& c);
void OnPlayerInfo(Client& c, const wire::PlayerInfo& m);
void OnPlayerLeft(Client& c, const wire::PlayerLeft& m);

// Hand start, table status, leaving and gold.
void OnHandStart(Client& c, const wire::HandStart& m);
// The wall goes up for a new hand: its animation, the lobby told, the last hand's marks cleared.
void BuildWall(Client& c);
void OnTableStatus(Client& c, const wire::TableStatus& m);
void OnTableClosed(Client& c, const wire::TableClosed& m);
void OnPlayerReady(Client& c, const wire::PlayerReady& m);
void OnHandResume(Client& c, const wire::HandResume& m);
// The bar's send, history and start buttons, disabled while a resumed hand is replayed, work
// again once that hand is over.
void EnableBarAfterResume(Client& c);
void OnOwnGold(Client& c, const wire::Gold& m);
void OnOtherGold(Client& c, const wire::Gold& m);

}  // namespace session

#pragma once
// Plug-in and wealth calls made by the seating and table commands.
#include <string>

#include "dispatch/dispatch_state.h"

class Client;

namespace props {

// The plug-in object has been created (it may still be switched off).
bool ObjectExists(const Client& c);
// Starts the plug-in for the own seat; without a usable plug-in it stays switched off (-1).
void StartProps(Client& c);
// Registers the player at a position; false means the plug-in refused and must be switched off.
bool SetUserinfo(Client& c, const dispatch::PlayerRec& player, const std::string& account,
                 int seatBit, int pos, bool own);
void ClearUser(Client& c, int pos);
// rec_state with a position (seat taken or left).
void RecState(Client& c, int kind, bool on, int pos);
void Ainit(Client& c, const std::string& file);
// InitShowNext: true when a hand starts.
void InitShowNext(Client& c, bool on);
// The score sheet has been shown: the plug-in's exit when a player left meanwhile, and the prop
// display state.
void AfterScoreSheet(Client& c);

// Wealth multiplier display.
void WealthFromPlayerInfo(Client& c, int pos);  // a player's information arrived
void WealthPlayerLeft(Client& c, int pos, bool byTableStatus);
void WealthAtHandStart(Client& c);
void WealthMultiplierUpdate(Client& c);  // the table status's new multiplier

}  // namespace props

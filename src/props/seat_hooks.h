#pragma once
// Plug-in and wealth calls made by the seating and table commands. Until the plug-in bridge and
// the wealth display take them over, each one records that it was asked for.
#include <string>

#include "dispatch/dispatch_state.h"

class Client;

namespace props {

// The plug-in object has been created (it may still be switched off).
bool ObjectExists(const Client& c);
// Starts the plug-in for the own seat; without an object it stays switched off (-1).
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
// UpdataMyProp: the player is about to leave the table.
void UpdataMyProp(Client& c, bool on);
// setbankstate: 2 when a window of the control bar or the exit dialog opens.
void SetBankState(Client& c, int state);

// The hand ended: the plug-in collects its prop scores for the result sheet.
void InitShowEnd(Client& c);
// The score sheet has been shown: the plug-in's exit when a player left meanwhile, and the prop
// display state.
void AfterScoreSheet(Client& c);

// Wealth multiplier display.
void WealthFromPlayerInfo(Client& c, int pos);  // a player's information arrived
void WealthPlayerLeft(Client& c, int pos, bool byTableStatus);
void WealthAtHandStart(Client& c);
void WealthMultiplierUpdate(Client& c);  // the table status's new multiplier

}  // namespace props

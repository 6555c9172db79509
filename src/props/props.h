#pragma once
// The bridge to the platform's prop plug-in: start, forwarding, polling and shut-down, the chest
// game and prop scores after a hand, the multipliers and the bank. Without a running plug-in
// every forwarding call is a no-op.
#include <string>

#include "props/actions.h"
#include "wire/frame.h"
#include "wire/messages.h"

class Client;
namespace platform {
class Control;
}
namespace table {
struct PlayerRec;
}

namespace props {

struct PropState;

bool Active(const Client& c);

// ---- Forwarding ----
// A frame that belongs to the plug-in: commands 44 to 46, commands without a handler and the
// plug-in frames of command 19. Ignored unless the plug-in runs.
void RecMsg(Client& c, wire::Frame& frame);
// rec_state without a position (1 sound switch, 3 connected or lost).
void RecState(Client& c, int kind, bool on);
void SetKeyDown(Client& c, int keyCode);
void FixBuffPos(Client& c);
// setbankstate: 0 opens the bank (its button), 2 tells the bank another window opens.
void SetBankState(Client& c, int state);
// The player leaves the table (exit dialog).
void UpdataMyProp(Client& c);
// Command 46: the plug-in will have prop scores for the waiting result.
void MarkScorePending(Client& c);

// ---- Seating and table commands ----
// The plug-in object has been created (it may still be switched off).
bool ObjectExists(const Client& c);
// Starts the plug-in for the own seat; without a usable plug-in it stays switched off (-1).
void StartProps(Client& c);
// Registers the player at a position; false means the plug-in refused and must be switched off.
bool SetUserinfo(Client& c, const table::PlayerRec& player, const std::string& account, int seatBit,
                 int pos, bool own);
void ClearUser(Client& c, int pos);
// rec_state with a position (seat taken or left).
void RecState(Client& c, int kind, bool on, int pos);
void Ainit(Client& c, const std::string& file);
// InitShowNext: true when a hand starts.
void InitShowNext(Client& c, bool on);
// Wealth multiplier display.
void WealthFromPlayerInfo(Client& c, int pos, const wire::PlayerInfo& m);
void WealthPlayerLeft(Client& c, int pos, bool byTableStatus);
void WealthAtHandStart(Client& c, const wire::HandStart& m);
void WealthMultiplierUpdate(Client& c, const wire::TableStatus& m);

// ---- Life cycle ----
// ShutDownProps: mode 1 when the program ends, 0 everywhere else. Only while active.
void Shutdown(Client& c, int mode = 0);
// After the program's orderly end has shut the plug-in down.
void ReleasePlugin(Client& c);

// ---- The tick ----
// The prop task of the tick: the plug-in's pending items, then the prop step of a waiting result
// (PropStep), then the chest countdown (ChestCountdownTick).
// How many pending items this tick serves (none unless the plug-in is ready).
int ItemsDue(Client& c);
// Takes the plug-in's next pending item, carries out what of it is the bridge's own (a label, a
// frame to send, a refusal) and adds the rest to out; false when there was none. Items are taken
// one at a time and each is carried out before the next: one may shut the plug-in down, and then
// ServesItems is false.
bool TakeItem(Client& c, Actions& out);
bool ServesItems(const PropState& s);
// While a result waits: its sheet, or the start of the chest game once the scores are in.
Actions PropStep(Client& c);
// Every 20 ticks while the chest countdown runs.
void ChestCountdownTick(Client& c);

// What a tick of TimerProp came to.
enum class PropTimerEvent { None, PrizesCounted };
// TimerProp: the prize animation, or hiding a label the plug-in showed for a while.
PropTimerEvent TimerProp_Timer(Client& c);
// Once the prizes are counted: the final label, and its lines for the chat history.
Actions PrizeLines(Client& c);
// Then the prizes fly to their owners and the sheet follows (unless shut down meanwhile).
Actions LandPrizes(Client& c);
// After the sheet of a ShowSheet action has been shown.
void SheetShown(Client& c, bool holdLabel);

// ---- Hand end ----
// The table is reset under a result still waiting for the prop step: the result is forgotten.
void ForgetWaitingResult(PropState& s);
// The hand's result is complete while the plug-in runs: the sheet waits for the prop step.
void ResultComplete(Client& c, bool draw);
// The next hand is dealt while a result still waits for the prop step (its scores or its
// chests): the chests go and the sheet is written now, with what the plug-in has delivered.
Actions FinishResultNow(Client& c);
// Adds the prop lines of position p to a score-sheet column and clears them; with colour the
// last 8 characters of each line choose the column's colour and are cut off. Returns the prop
// score of p (0 when there is none), cleared as well.
double TakePropLines(Client& c, int p, platform::Control& column, bool withColour);

// ---- Controls ----
void ImgProp_Click(Client& c, int index);
void Bank_Click(Client& c);
void Bank_MouseMove(Client& c);
// The pointer is back over the table.
void RestoreBank(Client& c);

}  // namespace props

#pragma once
// Laying out a claim of a seat whose concealed tiles the client does not know: another seat at
// the table, or any seat, the watched one included, for a watcher.
#include <array>

class Client;

namespace play {

enum class ClaimView { Seated, Watching };

// Claim kinds of command 7.
constexpr int kClaimChi = 4;
constexpr int kClaimPeng = 8;
constexpr int kClaimGang = 16;
constexpr int kClaimConcealedGang = 32;
constexpr int kClaimSingle = 64;
constexpr int kClaimHu = 128;

// Slot changes, meld layout, gang log and flags of a claim by position pos.
void LayOutHiddenHandClaim(Client& c, int pos, int kind, const std::array<int, 3>& tiles,
                           ClaimView view);
// The first hu of the hand names the winner.
void MarkWinner(Client& c, int pos);

}  // namespace play

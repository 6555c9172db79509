#pragma once
// Tile pictures and geometry, the decision prompt and snapshot, and the table reset.
#include <array>

#include "assets/picture_ids.h"
#include "ui/scale.h"
#include "view/context.h"
#include "wire/messages.h"

class Client;
namespace platform {
class Control;
}
namespace table {
struct SortedHand;
}

namespace view {

constexpr int kTileGifBase = assets::pic::kTileBase;
constexpr int kTilePictures = 180;

// Picture number of a tile code in picture set 0..4.
int TilePic(int code, int set);
// Shows tile picture pic on MJ_Image(ctl); out-of-range numbers change nothing.
void SetTilePicture(ui::MainFormT& f, int ctl, int pic);
// Pictures again the concealed tiles a sort changed (table::HandSort and its kin).
void ShowSortedHand(ui::MainFormT& f, const table::SortedHand& sorted);

// ---- Scale ----
// round(ScaleX * v) and round(ScaleY * v), ties to even; outside 16 bits throws.
using ui::Sx;
using ui::Sy;

// ---- Tile sizes: every placement first loads the sizes of its context ----
enum class TileSizes { WallAndDiscards, OwnDiscard, Concealed, Melds };
void LoadTileSizes(table::TableState& t, TileSizes context);
// One position only (the discard move reloads the concealed sizes of its position).
void LoadTileSizes(table::TableState& t, TileSizes context, int pos);

// Offsets of meld and set-aside placement: the snapshot uses them as they stand, the claim
// displays scale them.
enum class Offsets { Unscaled, Scaled };

struct Place {
  int left = 0;
  int top = 0;
  friend bool operator==(const Place&, const Place&) = default;
};

// Sends a table control to the back, still in front of the table picture.
void ToBack(ui::MainFormT& f, platform::Control& ctl);

// ---- Wall ----
// Row and discard anchors of the four positions.
void StoreAnchors(table::TableState& t);
// Sizes, places and stacking of the 136 tiles as an empty wall (pictures untouched).
void LayoutWall(Ctx& c);
// The wall build animation at a hand's start (the tiles go up face down, stack by stack).
void BuildWall(Ctx& c);
// Where wall image ctl stands in the empty wall.
Place WallPlace(const table::TableState& t, int ctl);
// Lays wall image ctl face down in its place again, with the back of its wall.
void ShowWallTile(Ctx& c, int ctl);

// ---- Concealed rows (concealed sizes loaded) ----
// Where slot k of position pos stands; snapshot rows step sideways by 5 unscaled.
Place ConcealedPlace(const table::TableState& t, int pos, int k, bool snapshot = false);
// Picture number of a concealed tile of pos: the own face (set 4) or the position's back.
int ConcealedPicture(int pos, int code);
// Moves, sizes and pictures the image of slot k of pos.
void PlaceConcealed(Ctx& c, int pos, int k, bool snapshot = false);
// A drawn tile stands apart from its row.
void StandApart(Ctx& c, int pos, int ctl);

// ---- Discards ----
// The tile just discarded, in the middle of the table with the discard size of pos.
void ShowCurrentDiscard(Ctx& c, int pos, int ctl, int code);
// Moves a discard into its owner's rows at the cursor and advances the cursor.
void PlaceDiscard(Ctx& c, int pos, int ctl);

// ---- Melds and set-aside tiles (meld sizes loaded) ----
Place MeldPlace(const table::TableState& t, int pos, int step, Offsets offsets);
void PlaceMeldTile(Ctx& c, int pos, int step, int ctl, int code, Offsets offsets);
// A gang's fourth tile (or a tile added to a peng) lies on the meld's middle tile.
void PlaceOnMiddle(Ctx& c, int pos, int middleCtl, int ctl, int code);
// After another position's chi or peng: its displaced concealed tile moves to the row's end.
void CloseRowAfterClaim(Ctx& c, int pos);
Place AsidePlace(const table::TableState& t, int pos, bool redDragon, Offsets offsets);
// Sets a red dragon (or a wild tile) of pos aside onto its pile.
void SetAside(Ctx& c, int pos, int ctl, int code, bool redDragon, Offsets offsets);

// ---- Animations and small pictures ----
void RollDice(Ctx& c, int rounds, const std::array<int, 4>& dice);
void DrawSeatWind(Ctx& c, int ownIndex);
void ShowCompass(Ctx& c);
// Raised own tile: 10 pixels above its row.
void SetRaised(Ctx& c, int ctl, bool raised);
bool IsRaised(const Ctx& c, int ctl);
// While choosing the tile for ting, the candidate the arrow keys point at stands this much
// above the other raised candidates.
inline constexpr int kTingMarkLift = 10;
// A ting candidate: raised, or raised and marked by the arrow keys.
bool IsCandidateUp(const Ctx& c, int ctl);
enum class OpLook { Disabled = 0, Offered = 1, Hover = 2 };
int OperationPicture(int button, OpLook look);
void SetOperationLook(ui::MainFormT& f, int button, OpLook look);

void OnDecisionPrompt(Client& c, const wire::Prompt& m);
void OnSnapshot(Client& c, const wire::Snapshot& m);
// The face-down discard rows of a rebuilt hand.
void RestoreDiscards(Client& c);
// Resource id of speech bubble kind k for position pos (BubbleGif(pos + 4k)).
int BubblePicture(int pos, int kind);

// ---- The own tiles ----
// True when ctl shows one of the own concealed tiles; the slot, or -1.
bool InOwnHand(const Client& c, int ctl);
int OwnSlotOf(const Client& c, int ctl);
// Discards the own tile of image ctl: centre of the table, row closed up, hand re-sorted. The
// frame goes out when send is true and the hand is due to discard.
void DiscardOwnTile(Client& c, int ctl, bool send);
// Answers the open prompt with a pass (hides the buttons; the clock stops unless a discard is
// still due).
void PassDecision(Client& c);

// ---- Watch mode ----
// The claim display of command 7 for a watcher.
void ShowClaim(Client& c, int kind, int seatBit, const std::array<int, 3>& codes);

// The view's part of the table's reset (session/table_reset.cpp runs the whole sequence): the
// hand's tiles, claims and ting marks; the table's empty look; the hands' records and rows.
void ClearHandState(Ctx& c);
void ResetTableDisplay(Ctx& c);
void ResetHands(Ctx& c);

}  // namespace view

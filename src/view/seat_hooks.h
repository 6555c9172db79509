#pragma once
// Table drawing the seating and hand-start commands call on: the seat-wind draw, the compass,
// the wall build and the seen-tile counts.
class Client;

namespace view {

constexpr int kCompassGifBase = 126;

void DrawSeatWind(Client& c, int ownIndex);
// Shows the compass for the own seat; a missing own seat bit becomes seat 1 first.
void ShowCompass(Client& c);
// The wall build animation of a new hand.
void BuildWall(Client& c);
void ClearSeenCounts(Client& c);

}  // namespace view

#include "view/seat_hooks.h"

#include "app/app.h"
#include "app/client.h"
#include "table/tiles.h"

namespace view {

void DrawSeatWind(Client& c, int ownIndex) {
  c.host.Log("hook", "DrawSeatWind " + std::to_string(ownIndex));
}

void ShowCompass(Client& c) {
  auto& own = c.table.Hand[0];
  if (own.SeatBit == 0) own.SeatBit = 1;
  c.MainForm.ZhiNan.SetPicture(kCompassGifBase + table::BitIndex(own.SeatBit));
  c.MainForm.ZhiNan.SetVisible(true);
}

void BuildWall(Client& c) {
  c.host.Log("hook", "BuildWall");
  // The wall stands: the lobby learns that a hand has begun.
  app::PostToLobby(c, 1127);
  // A new wall starts a new hand's logs.
  c.table.HandOpen = false;
  c.table.GangCount = 0;
  c.table.HiddenGangCount = 0;
  c.table.TingShown.fill(0);
}

void ClearSeenCounts(Client& c) {
  c.host.Log("hook", "ClearSeenCounts");
}

}  // namespace view

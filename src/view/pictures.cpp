#include "assets/picture_ids.h"
#include "session/client.h"
#include "table/hand_sort.h"
#include "table/tiles.h"
#include "view/view.h"

namespace view {

int TilePic(int code, int set) {
  return 36 * set + 9 * table::SuitIndex(code) + table::Rank(code) - 1;
}

void SetTilePicture(Client& c, int ctl, int pic) {
  if (ctl < 0 || ctl >= table::kTileCount || pic < 0 || pic >= kTilePictures) return;
  auto& img = c.MainForm.MJ_Image(ctl);
  img.SetVisible(false);
  img.SetPicture(kTileGifBase + pic);
  img.SetVisible(true);
}

void ShowSortedHand(Client& c, const table::SortedHand& sorted) {
  for (const auto& tile : sorted.Tiles) SetTilePicture(c, tile.Ctl, TilePic(tile.Code, sorted.Set));
}

void BuildPictureTables(Client& /*c*/) {}

}  // namespace view

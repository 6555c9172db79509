#include "assets/picture_ids.h"
#include "table/hand_sort.h"
#include "table/table_state.h"
#include "table/tiles.h"
#include "ui/main_form.h"
#include "view/view.h"

namespace view {

int TilePic(int code, int set) {
  return 36 * set + 9 * table::SuitIndex(code) + table::Rank(code) - 1;
}

void SetTilePicture(ui::MainFormT& f, int ctl, int pic) {
  if (ctl < 0 || ctl >= table::kTileCount || pic < 0 || pic >= kTilePictures) return;
  auto& img = f.MJ_Image(ctl);
  img.SetVisible(false);
  img.SetPicture(kTileGifBase + pic);
  img.SetVisible(true);
}

void ShowSortedHand(ui::MainFormT& f, const table::SortedHand& sorted) {
  for (const auto& tile : sorted.Tiles) SetTilePicture(f, tile.Ctl, TilePic(tile.Code, sorted.Set));
}

}  // namespace view

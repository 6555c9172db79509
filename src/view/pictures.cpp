#include "assets/picture_ids.h"
#include "session/client.h"
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

int ButtonPicture(Client& c, int i) {
  if (c.table.ScaleX >= 1.0F || i < 2) return 101 + i;
  return 381 + (i - 2);
}

int DisabledButtonPicture(Client& c, int entry) {
  const int k = entry / 2;  // 0 send, 1 history, 2 start, 3 continue
  if (c.table.ScaleX >= 1.0F || k == 0) return assets::pic::kBarDisabled + k;
  return assets::pic::kSmallBarDisabled + k - 1;
}

void BuildPictureTables(Client& /*c*/) {}

}  // namespace view

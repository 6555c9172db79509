// Where every tile of the table goes, at either layout scale.
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "assets/picture_ids.h"
#include "assets/sound_cues.h"
#include "platform/host.h"
#include "table/tiles.h"
#include "ui/main_form.h"
#include "ui/scale.h"
#include "ui/sound.h"
#include "ui/ui.h"
#include "ui/ui_state.h"
#include "view/context.h"
#include "view/view.h"
#include "view/view_state.h"

namespace view {

namespace {

using ui::Round16;

// Sound effects of the table (indexes of the sound file list).
using assets::kSoundDice;

std::size_t P(int pos) {
  if (pos < 0 || pos > 3) throw std::out_of_range("screen position " + std::to_string(pos));
  return static_cast<std::size_t>(pos);
}

platform::Control& Img(Ctx& c, int ctl) {
  return c.MainForm.MJ_Image(ctl);
}
const platform::Control& Img(const Ctx& c, int ctl) {
  return c.MainForm.MJ_Image(ctl);
}

int W(const table::TableState& t, int pos) {
  return t.TileW.at(P(pos));
}
int H(const table::TableState& t, int pos) {
  return t.TileH.at(P(pos));
}

// Moves, sizes and shows picture pic of tile image ctl.
void Put(Ctx& c, int ctl, Place at, int pos, int pic) {
  Img(c, ctl).Move(at.left, at.top, W(c.table, pos), H(c.table, pos));
  SetTilePicture(c.MainForm, ctl, pic);
}

struct Design {
  std::array<int, 4> w, h;
};
constexpr Design kWall{{36, 48, 30, 48}, {50, 35, 36, 35}};
constexpr Design kConcealed{{48, 35, 36, 35}, {78, 66, 50, 66}};
constexpr Design kMeld{{45, 45, 34, 45}, {56, 35, 40, 35}};

const Design& DesignOf(TileSizes context) {
  switch (context) {
    case TileSizes::Concealed:
      return kConcealed;
    case TileSizes::Melds:
      return kMeld;
    default:
      return kWall;  // the own discard after a click has the wall size of position 0
  }
}

}  // namespace

void LoadTileSizes(table::TableState& t, TileSizes context, int pos) {
  const Design& d = DesignOf(context);
  t.TileW.at(P(pos)) = Sx(t, d.w.at(P(pos)));
  t.TileH.at(P(pos)) = Sy(t, d.h.at(P(pos)));
}

void LoadTileSizes(table::TableState& t, TileSizes context) {
  if (context == TileSizes::OwnDiscard) {
    LoadTileSizes(t, context, 0);
    return;
  }
  for (int p = 0; p < 4; ++p) LoadTileSizes(t, context, p);
}

void ToBack(ui::MainFormT& f, platform::Control& ctl) {
  ctl.ZOrder(1);
  f.Pic1.ZOrder(1);
}

// ---- Wall ----

void StoreAnchors(table::TableState& t) {
  struct Anchor {
    int rowLeft, rowTop, discLeft, discTop;
  };
  constexpr std::array<Anchor, 4> kAnchors{
      {{19, 564, 358, 438}, {163, 192, 287, 238}, {842, 122, 635, 238}, {942, 560, 758, 438}}};
  for (int p = 0; p < 4; ++p) {
    const Anchor& a = kAnchors.at(P(p));
    auto& h = t.Hand.at(P(p));
    h.RowLeft = Sx(t, a.rowLeft);
    h.RowTop = Sy(t, a.rowTop);
    h.DiscLeft = h.DiscLeft0 = Sx(t, a.discLeft);
    h.DiscTop = h.DiscTop0 = Sy(t, a.discTop);
  }
}

void LayoutWall(Ctx& c) {
  LoadTileSizes(c.table, TileSizes::WallAndDiscards);
  for (int w = 0; w < 4; ++w) {
    for (int j = 0; j < 34; ++j) Img(c, 34 * w + j).Move(0, 0, W(c.table, w), H(c.table, w));
  }
  const int w0 = W(c.table, 0), w2 = W(c.table, 2);
  for (int k = 0; k < 17; ++k) {
    // Bottom, right to left: top layer in front, lower layer behind.
    {
      auto& top = Img(c, 2 * k);
      auto& low = Img(c, 2 * k + 1);
      top.Move(Sx(c.table, 809) - k * w0, Sy(c.table, 476));
      low.Move(top.Left(), top.Top() + Sy(c.table, 22));
      top.ZOrder(0);
      ToBack(c.MainForm, low);
    }
    // Left, upwards: stacked in placement order.
    {
      auto& top = Img(c, 34 + 2 * k);
      auto& low = Img(c, 35 + 2 * k);
      top.Move(Sx(c.table, 164) + k * Sx(c.table, 4), Sy(c.table, 476) - k * Sy(c.table, 15));
      low.Move(top.Left(), top.Top() + Sy(c.table, 20));
      top.ZOrder(0);
      low.ZOrder(0);
    }
    // Top, left to right.
    {
      auto& top = Img(c, 68 + 2 * k);
      auto& low = Img(c, 69 + 2 * k);
      top.Move(Sx(c.table, 236) + k * w2, Sy(c.table, 192));
      low.Move(top.Left(), top.Top() + Sy(c.table, 16));
      top.ZOrder(0);
      ToBack(c.MainForm, low);
    }
    // Right, downwards: later stacks cover earlier ones.
    {
      auto& top = Img(c, 102 + 2 * k);
      auto& low = Img(c, 103 + 2 * k);
      top.Move(Sx(c.table, 748) + k * Sx(c.table, 4), Sy(c.table, 192) + k * Sy(c.table, 15));
      low.Move(top.Left(), top.Top() + Sy(c.table, 20));
      low.ZOrder(0);
      top.ZOrder(0);
    }
  }
  Img(c, 0).ZOrder(0);
  Img(c, 2).ZOrder(0);
  // The left wall again, from its far end down, so nearer stacks cover farther ones.
  for (int i = 0; i <= 16; ++i) {
    Img(c, 67 - 2 * i).ZOrder(0);
    Img(c, 66 - 2 * i).ZOrder(0);
  }
  ToBack(c.MainForm, Img(c, 69));
  ToBack(c.MainForm, Img(c, 71));
}

void BuildWall(Ctx& c) {
  constexpr std::array<std::array<int, 3>, 8> kFirst{{{1, 0, 8},
                                                      {0, 0, 8},
                                                      {35, 1, 44},
                                                      {34, 1, 44},
                                                      {69, 2, 80},
                                                      {68, 2, 80},
                                                      {102, 3, 116},
                                                      {103, 3, 116}}};
  for (const auto& f : kFirst) SetTilePicture(c.MainForm, f[0], f[2]);
  for (int k = 1; k <= 16; ++k) {
    const std::array<std::pair<int, int>, 8> copies{{{2 * k + 1, 1},
                                                     {2 * k, 0},
                                                     {2 * k + 35, 35},
                                                     {2 * k + 34, 34},
                                                     {2 * k + 69, 69},
                                                     {2 * k + 68, 68},
                                                     {2 * k + 102, 102},
                                                     {2 * k + 103, 103}}};
    for (const auto& [to, from] : copies) {
      Img(c, to).SetPicture(Img(c, from).Picture());
      Img(c, to).SetVisible(true);
    }
    c.host.WaitProcessingEvents(10);
  }
}

Place WallPlace(const table::TableState& t, int ctl) {
  if (ctl < 0 || ctl >= table::kTileCount) throw std::out_of_range("wall image");
  const int w = ctl / 34, k = (ctl % 34) / 2;
  const bool low = ctl % 2 != 0;
  switch (w) {
    case 0:
      return {Sx(t, 809) - k * Sx(t, kWall.w[0]), Sy(t, 476) + (low ? Sy(t, 22) : 0)};
    case 1:
      return {Sx(t, 164) + k * Sx(t, 4), Sy(t, 476) - k * Sy(t, 15) + (low ? Sy(t, 20) : 0)};
    case 2:
      return {Sx(t, 236) + k * Sx(t, kWall.w[2]), Sy(t, 192) + (low ? Sy(t, 16) : 0)};
    default:
      return {Sx(t, 748) + k * Sx(t, 4), Sy(t, 192) + k * Sy(t, 15) + (low ? Sy(t, 20) : 0)};
  }
}

void ShowWallTile(Ctx& c, int ctl) {
  const int w = ctl / 34;
  const Place at = WallPlace(c.table, ctl);
  Img(c, ctl).Move(at.left, at.top, Sx(c.table, kWall.w.at(P(w))), Sy(c.table, kWall.h.at(P(w))));
  SetTilePicture(c.MainForm, ctl, 36 * w + 8);
}

// ---- Concealed rows ----

Place ConcealedPlace(const table::TableState& t, int pos, int k, bool snapshot) {
  const auto& h = t.Hand.at(P(pos));
  const auto side = [&](int n) { return snapshot ? 5 * n : Sx(t, 5.0 * n); };
  switch (pos) {
    case 0:
      return {h.RowLeft + k * W(t, 0), h.RowTop};
    case 1:
      return {h.RowLeft - side(k), h.RowTop + Round16(k * W(t, 1) / 2.0)};
    case 2:
      return {h.RowLeft - k * W(t, 2), h.RowTop};
    default:
      return {h.RowLeft - side(k + 1), h.RowTop - Round16((k + 1) * W(t, 3) / 2.0)};
  }
}

int ConcealedPicture(int pos, int code) {
  if (pos == 0) return TilePic(code, 4);
  return 36 * pos + 7;
}

void PlaceConcealed(Ctx& c, int pos, int k, bool snapshot) {
  const auto& s = c.table.Hand.at(P(pos)).Slot.at(static_cast<std::size_t>(k));
  Put(c, s.Ctl, ConcealedPlace(c.table, pos, k, snapshot), pos, ConcealedPicture(pos, s.Code));
}

void StandApart(Ctx& c, int pos, int ctl) {
  auto& img = Img(c, ctl);
  switch (P(pos)) {
    case 0:
      img.SetLeft(img.Left() + Round16(W(c.table, 0) / 2.0));
      break;
    case 1:
      img.SetTop(img.Top() + Sy(c.table, 10));
      break;
    case 2:
      img.SetLeft(img.Left() - Sx(c.table, 10));
      break;
    default:
      img.SetTop(img.Top() - (c.table.TingShown[3] == 1 ? Sy(c.table, 35) : Sy(c.table, 10)));
  }
}

// ---- Discards ----

void ShowCurrentDiscard(Ctx& c, int pos, int ctl, int code) {
  LoadTileSizes(c.table, TileSizes::WallAndDiscards, pos);
  const auto& pic1 = c.MainForm.Pic1;
  const Place at{Round16((pic1.Width() - W(c.table, pos)) / 2.0),
                 Round16((pic1.Height() - H(c.table, pos)) / 2.0)};
  Put(c, ctl, at, pos, TilePic(code, pos));
  Img(c, ctl).ZOrder(0);
}

void PlaceDiscard(Ctx& c, int pos, int ctl) {
  auto& h = c.table.Hand.at(P(pos));
  auto& img = Img(c, ctl);
  const int w = W(c.table, pos), ht = H(c.table, pos);
  img.Move(h.DiscLeft, h.DiscTop, w, ht);
  c.display.LastDiscLeft = h.DiscLeft;
  c.display.LastDiscTop = h.DiscTop;
  switch (pos) {
    case 0:
      ToBack(c.MainForm, img);
      h.DiscLeft += w;
      if ((h.DiscLeft - h.DiscLeft0) / w == 8) {
        h.DiscLeft = h.DiscLeft0;
        h.DiscTop = h.DiscTop - ht + Sy(c.table, 18);
      }
      break;
    case 1: {
      img.ZOrder(0);
      const int step = ht - Sy(c.table, 17);
      h.DiscTop += step;
      h.DiscLeft -= 5;
      if ((h.DiscTop - h.DiscTop0) / step == 8) {
        h.DiscTop = h.DiscTop0;
        h.DiscLeft = h.DiscLeft + w + 40 - Sx(c.table, 5);
      }
      break;
    }
    case 2:
      img.ZOrder(0);
      h.DiscLeft -= w;
      if ((h.DiscLeft0 - h.DiscLeft) / w == 8) {
        h.DiscLeft = h.DiscLeft0;
        h.DiscTop = h.DiscTop + ht - Sy(c.table, 14);
      }
      break;
    default: {
      ToBack(c.MainForm, img);
      const int step = ht - Sy(c.table, 17);
      h.DiscTop -= step;
      h.DiscLeft -= 5;
      if ((h.DiscTop0 - h.DiscTop) / step == 8) {
        h.DiscTop = h.DiscTop0;
        h.DiscLeft = h.DiscLeft + 40 - w + Sx(c.table, 5);
      }
      // Restack so each later tile covers the one before and each row the row before. The list
      // holds three rows; a position that discards more keeps its later tiles in front.
      auto& v = c.display;
      if (v.RightDiscCount >= static_cast<int>(v.RightDiscCtl.size())) {
        img.ZOrder(0);
        break;
      }
      v.RightDiscCtl.at(static_cast<std::size_t>(v.RightDiscCount++)) = ctl;
      const int n = v.RightDiscCount;
      const auto front = [&](int from, int to) {
        for (int i = from; i < to; ++i)
          Img(c, v.RightDiscCtl.at(static_cast<std::size_t>(i))).ZOrder(0);
      };
      if (n <= 8) {
        front(0, n);
      } else if (n <= 16) {
        front(8, n);
      } else {
        front(8, 16);
        front(16, n);
      }
    }
  }
}

// ---- Melds and set-aside tiles ----

Place MeldPlace(const table::TableState& t, int pos, int step, Offsets offsets) {
  const bool sc = offsets == Offsets::Scaled;
  const auto ox = [&](double v) { return sc ? Sx(t, v) : Round16(v); };
  const auto oy = [&](double v) { return sc ? Sy(t, v) : Round16(v); };
  const auto& h = t.Hand.at(P(pos));
  const int s = step;
  switch (pos) {
    case 0:
      return {h.RowLeft + s * (W(t, 0) - ox(2)), h.RowTop};
    case 1:
      return {h.RowLeft - ox(5.0 * s), h.RowTop + s * (H(t, 1) - oy(17))};
    case 2:
      return {h.RowLeft - s * W(t, 2), h.RowTop};
    default:
      return {h.RowLeft - ox(5.0 * s) - ox(10), h.RowTop - s * (H(t, 3) - oy(17))};
  }
}

void PlaceMeldTile(Ctx& c, int pos, int step, int ctl, int code, Offsets offsets) {
  Put(c, ctl, MeldPlace(c.table, pos, step, offsets), pos, TilePic(code, pos));
}

void PlaceOnMiddle(Ctx& c, int pos, int middleCtl, int ctl, int code) {
  const auto& mid = Img(c, middleCtl);
  Put(c, ctl, {mid.Left(), mid.Top() - Sy(c.table, 18)}, pos, TilePic(code, pos));
  Img(c, ctl).ZOrder(0);
}

void CloseRowAfterClaim(Ctx& c, int pos) {
  if (pos < 1 || pos > 3) return;
  const auto& h = c.table.Hand.at(P(pos));
  const int n = h.HiddenFirst + h.HiddenCount - 1;
  auto& img = Img(c, h.Slot.at(static_cast<std::size_t>(n)).Ctl);
  if (pos == 2) {
    img.SetLeft(h.RowLeft - Round16((n + 1.3) * W(c.table, 2)));
    return;
  }
  const auto& before = Img(c, h.Slot.at(static_cast<std::size_t>(n - 1)).Ctl);
  const double drop = 0.65 * W(c.table, pos);
  img.Move(before.Left() - Sx(c.table, 5), before.Top() + Round16(pos == 1 ? drop : -drop));
}

Place AsidePlace(const table::TableState& t, int pos, bool redDragon, Offsets offsets) {
  const bool sc = offsets == Offsets::Scaled;
  const auto ox = [&](int v) { return sc ? Sx(t, v) : v; };
  const auto& h = t.Hand.at(P(pos));
  const int rise = (sc ? Sy(t, 18) : 18) * (redDragon ? h.RedAside : h.WildAside);
  if (redDragon) {
    const int left = pos == 3 ? h.RowLeft - (sc ? ox(10) : 0) : h.RowLeft;
    return {left, h.RowTop - rise};
  }
  switch (pos) {
    case 0:
      return {h.RowLeft + W(t, 0) - 2, h.RowTop - rise};
    case 1:
      return {h.RowLeft - ox(5), h.RowTop + (H(t, 1) - 17) - rise};
    case 2:
      return {h.RowLeft - W(t, 2), h.RowTop - rise};
    default:
      return {h.RowLeft - ox(15), h.RowTop - (H(t, 3) - 17) - rise};
  }
}

void SetAside(Ctx& c, int pos, int ctl, int code, bool redDragon, Offsets offsets) {
  auto& h = c.table.Hand.at(P(pos));
  int& count = redDragon ? h.RedAside : h.WildAside;
  // Four of a kind at most: a fifth would be bad input.
  const std::size_t k = static_cast<std::size_t>(count + (redDragon ? 0 : 4));
  if (count < 0 || count >= 4) throw std::out_of_range("set-aside pile is full");
  Put(c, ctl, AsidePlace(c.table, pos, redDragon, offsets), pos, TilePic(code, pos));
  Img(c, ctl).ZOrder(0);
  ++count;
  c.display.AsideCtl.at(k).at(P(pos)) = ctl;
}

// ---- Animations and small pictures ----

void RollDice(Ctx& c, int rounds, const std::array<int, 4>& dice) {
  auto& f = c.MainForm;
  const auto face = [&](int v) { return f.SZ_Image(std::max(v, 1) - 1).Picture(); };
  const auto roll = [&](int a, int b) {
    if (c.ui.SoundOn) ui::PlayEffect(c.sound, kSoundDice);
    f.Sai_Image(0).Move(Sx(c.table, 400), Sy(c.table, 344));
    f.Sai_Image(1).Move(Sx(c.table, 560), Sy(c.table, 344));
    f.Sai_Image(0).SetVisible(true);
    f.Sai_Image(1).SetVisible(true);
    f.Sai_Image(0).ZOrder(0);
    f.Sai_Image(1).ZOrder(0);
    c.host.Randomize(c.host.SecondsSinceMidnight());
    const int n = static_cast<int>(c.host.Rnd() * 5) + 20;
    for (int j = 0; j <= n; ++j) {
      for (int d = 0; d < 2; ++d) {
        const int pic = j == n ? face(d == 0 ? a : b)
                               : f.SZ_Image(6 + static_cast<int>(c.host.Rnd() * 10)).Picture();
        f.Sai_Image(d).SetPicture(pic);
      }
      c.host.WaitProcessingEvents(2);
    }
    c.host.Pause(600);
    f.Sai_Image(0).SetVisible(false);
    f.Sai_Image(1).SetVisible(false);
  };
  roll(dice[0], dice[1]);
  if (rounds >= 4) {
    c.host.Pause(600);
    roll(dice[2], dice[3]);
  }
}

void DrawSeatWind(Ctx& c, int ownIndex) {
  const auto& pic1 = c.MainForm.Pic1;
  const int w = W(c.table, 0), h = H(c.table, 0);
  for (int i = 0; i < 4; ++i) {
    Img(c, i).Move(Round16(pic1.Width() / 2.0 - 2 * w + i * w), Round16(pic1.Height() / 2.0 - h), w,
                   h);
    SetTilePicture(c.MainForm, i, 7);
    Img(c, i).ZOrder(0);
  }
  c.host.Pause(500);
  c.host.Randomize(c.host.SecondsSinceMidnight());
  const int i = static_cast<int>(c.host.Rnd() * 4);
  SetTilePicture(c.MainForm, i, 147 - ownIndex);
  c.host.Pause(500);
  for (int j = 0; j < 4; ++j) Img(c, j).SetVisible(false);
}

void ShowCompass(Ctx& c) {
  auto& own = c.table.Hand[0];
  if (own.SeatBit == 0) own.SeatBit = 1;
  c.MainForm.ZhiNan.SetPicture(assets::pic::kCompassBase + table::BitIndex(own.SeatBit));
  c.MainForm.ZhiNan.SetVisible(true);
}

void SetRaised(Ctx& c, int ctl, bool raised) {
  const int row = c.table.Hand[0].RowTop;
  Img(c, ctl).SetTop(raised ? row - 10 : row);
}

bool IsRaised(const Ctx& c, int ctl) {
  return Img(c, ctl).Top() == c.table.Hand[0].RowTop - 10;
}

bool IsCandidateUp(const Ctx& c, int ctl) {
  return IsRaised(c, ctl) || Img(c, ctl).Top() == c.table.Hand[0].RowTop - 10 - kTingMarkLift;
}

int OperationPicture(int button, OpLook look) {
  return assets::pic::kOpBase + 3 * button + static_cast<int>(look);
}

void SetOperationLook(ui::MainFormT& f, int button, OpLook look) {
  f.Operation(button).SetPicture(OperationPicture(button, look));
}

}  // namespace view

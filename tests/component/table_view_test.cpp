// Where the table puts its tiles and controls, at both layout scales.
#include <algorithm>
#include <cstddef>
#include <stdexcept>

#include "assets/picture_ids.h"
#include "session/control_bar.h"
#include "session/dispatch.h"
#include "session/table_reset.h"
#include "support/client_fixture.h"
#include "ui/ui.h"
#include "view/view.h"

namespace {

using view::Offsets;
using view::Place;
using view::TileSizes;

class TableView : public qtest::ClientTest {
 protected:
  void StartAt(int w, int h) {
    host.screen = {w, h};
    Start();
    ASSERT_FALSE(host.Ended()) << host.EndReason();
    session::ResetTable(c);
  }
  platform::Control& Tile(int i) { return c.MainForm.MJ_Image(i); }
  Place At(int i) { return {Tile(i).Left(), Tile(i).Top()}; }
  // Position in the back-to-front stacking list.
  std::ptrdiff_t Depth(int i) {
    const auto& s = c.MainForm.Stacking();
    return std::find(s.begin(), s.end(), &Tile(i)) - s.begin();
  }
  // Discards n tiles of pos, using images from first on.
  void Discard(int pos, int n, int first) {
    view::LoadTileSizes(c.table, TileSizes::WallAndDiscards);
    for (int i = 0; i < n; ++i) view::PlaceDiscard(c.viewCtx, pos, first + i);
  }
};

TEST_F(TableView, AnchorsAndTingMarksFollowTheScale) {
  StartAt(1280, 1024);
  EXPECT_EQ(c.table.Hand[0].RowLeft, 19);
  EXPECT_EQ(c.table.Hand[0].RowTop, 564);
  EXPECT_EQ(c.table.Hand[0].DiscLeft, 358);
  EXPECT_EQ(c.table.Hand[3].DiscTop0, 438);
  EXPECT_EQ(c.MainForm.imgTing(1).Left(), 95);
}

TEST_F(TableView, SmallScreenScalesAnchorsAndMarks) {
  StartAt(800, 600);
  EXPECT_FLOAT_EQ(c.table.ScaleX, 0.78125F);
  EXPECT_EQ((Place{c.table.Hand[0].RowLeft, c.table.Hand[0].RowTop}), (Place{15, 441}));
  EXPECT_EQ((Place{c.table.Hand[0].DiscLeft, c.table.Hand[0].DiscTop}), (Place{280, 342}));
  EXPECT_EQ(c.MainForm.imgTing(1).Left(), 55);
  // Wall sizes: 36 x 50 becomes 28 x 39 (28.125 and 39.0625 rounded).
  EXPECT_EQ(c.table.TileW[0], 28);
  EXPECT_EQ(c.table.TileH[0], 39);
}

TEST_F(TableView, ScaleRoundsHalfToEven) {
  StartAt(800, 600);
  // 0.78125 * 2 = 1.5625, * 16 = 12.5 -> 12, * 48 = 37.5 -> 38.
  EXPECT_EQ(view::Sx(c.table, 16), 12);
  EXPECT_EQ(view::Sx(c.table, 48), 38);
  EXPECT_THROW(view::Sx(c.table, 1e6), std::out_of_range);
}

TEST_F(TableView, WallRunsAroundTheTableWithItsStacking) {
  StartAt(1280, 1024);
  EXPECT_EQ(At(0), (Place{809, 476}));
  EXPECT_EQ(At(1), (Place{809, 498}));
  EXPECT_EQ(At(2), (Place{773, 476}));
  EXPECT_EQ(Tile(0).Width(), 36);
  EXPECT_EQ(At(34), (Place{164, 476}));
  EXPECT_EQ(At(36), (Place{168, 461}));
  EXPECT_EQ(At(35), (Place{164, 496}));
  EXPECT_EQ(Tile(34).Width(), 48);
  EXPECT_EQ(At(70), (Place{266, 192}));
  EXPECT_EQ(At(69), (Place{236, 208}));
  EXPECT_EQ(At(104), (Place{752, 207}));
  EXPECT_EQ(At(135), (Place{812, 452}));
  // Top layers cover their lower layers; on the left wall nearer stacks cover farther ones;
  // on the right wall later stacks cover earlier ones.
  EXPECT_GT(Depth(0), Depth(1));
  EXPECT_GT(Depth(34), Depth(35));
  EXPECT_GT(Depth(34), Depth(36));
  EXPECT_GT(Depth(104), Depth(102));
  // Everything stays in front of the table picture.
  EXPECT_EQ(c.MainForm.Stacking().front(), &c.MainForm.Pic1);
}

TEST_F(TableView, BuildWallShowsFaceDownWallsAndTellsTheLobby) {
  StartAt(1280, 1024);
  host.Run([&] { session::BuildWall(c); });
  for (int i = 0; i < 136; ++i) {
    ASSERT_TRUE(Tile(i).Visible()) << i;
    EXPECT_EQ(Tile(i).Picture(), view::kTileGifBase + 36 * (i / 34) + 8) << i;
  }
  const auto posted = host.lobby.PostedNumbers();
  EXPECT_NE(std::find(posted.begin(), posted.end(), 1127u), posted.end());
}

TEST_F(TableView, ConcealedRowsStepPerPosition) {
  StartAt(1280, 1024);
  view::LoadTileSizes(c.table, TileSizes::Concealed);
  EXPECT_EQ(view::ConcealedPlace(c.table, 0, 4), (Place{19 + 4 * 48, 564}));
  EXPECT_EQ(view::ConcealedPlace(c.table, 1, 3), (Place{163 - 15, 192 + 52}));  // 3 * 35 / 2 = 52.5
  EXPECT_EQ(view::ConcealedPlace(c.table, 2, 2), (Place{842 - 72, 122}));
  EXPECT_EQ(view::ConcealedPlace(c.table, 3, 0), (Place{937, 560 - 18}));  // 17.5 rounds to 18
  EXPECT_EQ(view::ConcealedPicture(0, 0x43), 144 + 9 * 2 + 2);
  EXPECT_EQ(view::ConcealedPicture(2, 0), 79);
  // The snapshot steps sideways by 5 unscaled.
  session::ResetTable(c);
  EXPECT_EQ(view::ConcealedPlace(c.table, 1, 2, true).left, 163 - 10);
}

TEST_F(TableView, OwnDiscardsWrapIntoARowAboveBehindTheFirst) {
  StartAt(1280, 1024);
  Discard(0, 9, 10);
  EXPECT_EQ(At(10), (Place{358, 438}));
  EXPECT_EQ(At(17), (Place{358 + 7 * 36, 438}));
  EXPECT_EQ(At(18), (Place{358, 438 - 32}));
  EXPECT_LT(Depth(18), Depth(10));
  EXPECT_EQ((Place{c.display.LastDiscLeft, c.display.LastDiscTop}), (Place{358, 406}));
}

TEST_F(TableView, SideAndTopDiscardRowsBreakAfterEight) {
  StartAt(1280, 1024);
  Discard(1, 9, 10);
  EXPECT_EQ(At(17), (Place{287 - 35, 238 + 7 * 18}));
  EXPECT_EQ(At(18), (Place{287 + 48 - 5, 238}));
  Discard(2, 9, 30);
  EXPECT_EQ(At(37), (Place{635 - 7 * 30, 238}));
  EXPECT_EQ(At(38), (Place{635, 238 + 22}));
}

TEST_F(TableView, RightDiscardsAreRestackedRowByRow) {
  StartAt(1280, 1024);
  Discard(3, 10, 50);
  EXPECT_EQ(At(50), (Place{758, 438}));
  EXPECT_EQ(At(51), (Place{753, 420}));
  EXPECT_EQ(At(58), (Place{758 - 40 + 40 - 48 + 5, 438}));
  EXPECT_EQ(c.display.RightDiscCount, 10);
  // Each later tile of a row covers the one before; the second row covers the first.
  EXPECT_GT(Depth(51), Depth(50));
  EXPECT_GT(Depth(59), Depth(58));
  EXPECT_GT(Depth(58), Depth(57));
}

TEST_F(TableView, RightDiscardsBeyondTheListStillShowInFront) {
  StartAt(1280, 1024);
  Discard(3, 26, 0);
  EXPECT_EQ(c.display.RightDiscCount, 24);
  EXPECT_EQ(Depth(25), static_cast<long>(c.MainForm.Stacking().size()) - 1);
}

TEST_F(TableView, CurrentDiscardSitsInTheMiddle) {
  StartAt(1280, 1024);
  view::ShowCurrentDiscard(c.viewCtx, 2, 5, 0x15);
  EXPECT_EQ(At(5), (Place{(1024 - 30) / 2, (768 - 36) / 2}));
  EXPECT_EQ(Tile(5).Picture(), view::kTileGifBase + 72 + 4);
  EXPECT_EQ(c.MainForm.Stacking().back(), &Tile(5));
}

TEST_F(TableView, MeldsUnscaledInTheSnapshotScaledInClaimDisplays) {
  StartAt(800, 600);
  view::LoadTileSizes(c.table, TileSizes::Melds);
  const auto& h1 = c.table.Hand[1];
  // Position 1 meld sizes at the small scale: 35 x 27.
  EXPECT_EQ(view::MeldPlace(c.table, 1, 2, Offsets::Unscaled),
            (Place{h1.RowLeft - 10, h1.RowTop + 2 * (27 - 17)}));
  EXPECT_EQ(view::MeldPlace(c.table, 1, 2, Offsets::Scaled),
            (Place{h1.RowLeft - 8, h1.RowTop + 2 * (27 - 13)}));
  const auto& h0 = c.table.Hand[0];
  EXPECT_EQ(view::MeldPlace(c.table, 0, 1, Offsets::Unscaled),
            (Place{h0.RowLeft + 35 - 2, h0.RowTop}));
  const auto& h3 = c.table.Hand[3];
  EXPECT_EQ(view::MeldPlace(c.table, 3, 2, Offsets::Unscaled),
            (Place{h3.RowLeft - 20, h3.RowTop - 2 * (27 - 17)}));
}

TEST_F(TableView, GangFourthTileLiesOnTheMiddleTile) {
  StartAt(1280, 1024);
  view::LoadTileSizes(c.table, TileSizes::Melds);
  for (int s = 1; s <= 3; ++s)
    view::PlaceMeldTile(c.viewCtx, 0, s, 20 + s, 0x47, Offsets::Unscaled);
  view::PlaceOnMiddle(c.viewCtx, 0, 22, 24, 0x47);
  EXPECT_EQ(At(24), (Place{Tile(22).Left(), Tile(22).Top() - 18}));
  EXPECT_GT(Depth(24), Depth(22));
  EXPECT_EQ(Tile(24).Picture(), view::kTileGifBase + 9 * 2 + 6);
}

TEST_F(TableView, SetAsidePilesRiseAndRememberTheirTiles) {
  StartAt(1280, 1024);
  view::LoadTileSizes(c.table, TileSizes::Melds);
  const auto& h = c.table.Hand[3];
  view::SetAside(c.viewCtx, 3, 40, 0x15, true, Offsets::Unscaled);
  view::SetAside(c.viewCtx, 3, 41, 0x15, true, Offsets::Unscaled);
  EXPECT_EQ(At(40), (Place{h.RowLeft, h.RowTop}));
  EXPECT_EQ(At(41), (Place{h.RowLeft, h.RowTop - 18}));
  EXPECT_EQ(Tile(41).Picture(), view::kTileGifBase + 112);
  view::SetAside(c.viewCtx, 3, 42, 0x23, false, Offsets::Scaled);
  EXPECT_EQ(At(42), (Place{h.RowLeft - 15, h.RowTop - (35 - 17)}));
  EXPECT_EQ(c.display.AsideCtl[1][3], 41);
  EXPECT_EQ(c.display.AsideCtl[4][3], 42);
  EXPECT_EQ(h.RedAside, 2);
  // A claim display places the red pile of the right position 10 further left.
  EXPECT_EQ(view::AsidePlace(c.table, 3, true, Offsets::Scaled).left, h.RowLeft - 10);
  view::SetAside(c.viewCtx, 3, 43, 0x15, true, Offsets::Unscaled);
  view::SetAside(c.viewCtx, 3, 44, 0x15, true, Offsets::Unscaled);
  EXPECT_THROW(view::SetAside(c.viewCtx, 3, 45, 0x15, true, Offsets::Unscaled), std::out_of_range);
}

TEST_F(TableView, ClosingTheRowMovesTheDisplacedTileToTheEnd) {
  StartAt(1280, 1024);
  view::LoadTileSizes(c.table, TileSizes::Concealed);
  auto& h = c.table.Hand[2];
  h.HiddenFirst = 7;
  h.HiddenCount = 11;
  for (int k = 7; k < 18; ++k) {
    h.Slot[static_cast<std::size_t>(k)].Ctl = 60 + k;
    view::PlaceConcealed(c.viewCtx, 2, k);
  }
  view::LoadTileSizes(c.table, TileSizes::Melds);
  view::CloseRowAfterClaim(c.viewCtx, 2);
  EXPECT_EQ(Tile(77).Left(), 842 - 622);  // (17 + 1.3) * 34 = 622.2
  auto& h1 = c.table.Hand[1];
  h1.HiddenFirst = 7;
  h1.HiddenCount = 2;
  h1.Slot[7].Ctl = 90;
  h1.Slot[8].Ctl = 91;
  Tile(90).Move(100, 200);
  view::CloseRowAfterClaim(c.viewCtx, 1);
  EXPECT_EQ(At(91), (Place{95, 229}));  // 0.65 * 45 = 29.25
}

TEST_F(TableView, TilePicturesIgnoreOutOfRangeNumbers) {
  StartAt(1280, 1024);
  view::SetTilePicture(c.MainForm, 3, 10);
  view::SetTilePicture(c.MainForm, 3, 180);
  view::SetTilePicture(c.MainForm, 136, 10);
  EXPECT_EQ(Tile(3).Picture(), view::kTileGifBase + 10);
  EXPECT_EQ(view::TilePic(0x89, 3), 3 * 36 + 27 + 8);
}

TEST_F(TableView, SeatWindAndCompassForOwnSeatTwo) {
  StartAt(1280, 1024);
  view::LoadTileSizes(c.table, TileSizes::WallAndDiscards);
  host.Run([&] { view::DrawSeatWind(c.viewCtx, 2); });
  int south = 0;
  for (int i = 0; i < 4; ++i) {
    EXPECT_FALSE(Tile(i).Visible());
    if (Tile(i).Picture() == view::kTileGifBase + 145) ++south;
  }
  EXPECT_EQ(south, 1);
  EXPECT_EQ(At(0), (Place{512 - 72, 384 - 50}));
  c.table.Hand[0].SeatBit = 4;
  view::ShowCompass(c.viewCtx);
  EXPECT_EQ(c.MainForm.ZhiNan.Picture(), 128);
  c.table.Hand[0].SeatBit = 0;
  view::ShowCompass(c.viewCtx);
  EXPECT_EQ(c.MainForm.ZhiNan.Picture(), 126);
  EXPECT_EQ(c.table.Hand[0].SeatBit, 1);
}

TEST_F(TableView, DiceEndOnTheirFacesAndHide) {
  StartAt(1280, 1024);
  host.Run([&] { view::RollDice(c.viewCtx, 4, {0, 6, 3, 2}); });
  EXPECT_FALSE(c.MainForm.Sai_Image(0).Visible());
  EXPECT_EQ(c.MainForm.Sai_Image(0).Picture(), 161 + 2);
  EXPECT_EQ(c.MainForm.Sai_Image(1).Picture(), 161 + 1);
  EXPECT_EQ(c.MainForm.Sai_Image(1).Left(), 560);
}

TEST_F(TableView, RaisedOwnTileIsTenPixelsUp) {
  StartAt(800, 600);
  Tile(7).Move(50, 441);
  view::SetRaised(c.viewCtx, 7, true);
  EXPECT_EQ(Tile(7).Top(), 431);
  EXPECT_TRUE(view::IsRaised(c.viewCtx, 7));
  view::SetRaised(c.viewCtx, 7, false);
  EXPECT_FALSE(view::IsRaised(c.viewCtx, 7));
}

TEST_F(TableView, OperationAndControlBarPicturesByState) {
  StartAt(1280, 1024);
  EXPECT_EQ(c.MainForm.Operation(4).Picture(), 141 + 12);
  view::SetOperationLook(c.MainForm, 4, view::OpLook::Hover);
  EXPECT_EQ(c.MainForm.Operation(4).Picture(), 141 + 14);
  EXPECT_EQ(c.MainForm.Operation(5).Left(), 358 + 5 * 50);
  // The start button shows "start" until the first hand, "continue" afterwards.
  EXPECT_EQ(c.MainForm.AnNiu(2).Picture(), 105);
  EXPECT_EQ(ui::AnNiuPicture(c.uiCtx, 2, true), 106);
  c.ui.StartPending = false;
  EXPECT_EQ(ui::AnNiuPicture(c.uiCtx, 2, false), 107);
  EXPECT_EQ(c.MainForm.AnNiu(8).Picture(), 101 + 18);
  EXPECT_EQ(c.MainForm.AnNiu(5).Left(), 648);
  EXPECT_EQ(c.MainForm.AnNiu(5).Top(), 731);
  EXPECT_EQ(c.MainForm.AnNiu(4).Left(), 648 + 3 * 70);
}

TEST_F(TableView, SmallControlBarUsesItsOwnPictures) {
  StartAt(800, 600);
  EXPECT_EQ(c.MainForm.AnNiu(0).Picture(), 101);
  EXPECT_EQ(c.MainForm.AnNiu(1).Picture(), 381 + 0);
  EXPECT_EQ(c.MainForm.AnNiu(8).Picture(), 381 + 16);
  EXPECT_EQ(c.MainForm.AnNiu(1).Width(), 47);
  EXPECT_EQ(c.MainForm.Sysmsg(0).Top(), 542);
}

TEST_F(TableView, StartButtonActsOnlyWhileArmed) {
  StartAt(1280, 1024);
  auto& start = c.MainForm.AnNiu(2);
  c.disp.TableResetDone = false;
  Tile(12).SetVisible(true);
  // Not armed yet (before seating): the click changes nothing.
  session::AnNiu_Click(c, 2);
  EXPECT_TRUE(c.ui.StartPending);
  EXPECT_EQ(start.Picture(), 105);
  EXPECT_TRUE(Tile(12).Visible());
  EXPECT_FALSE(c.disp.TableResetDone);
  // Armed: the player is ready, the table is cleared, "start" becomes "continue".
  c.ui.ButtonState[2] = 0;
  c.MainForm.Time_Img.SetVisible(true);
  session::AnNiu_Click(c, 2);
  EXPECT_FALSE(c.ui.StartPending);
  EXPECT_EQ(start.Picture(), 107);
  EXPECT_EQ(c.ui.ButtonState[2], -1);
  EXPECT_TRUE(c.MainForm.OK(0).Visible());
  EXPECT_FALSE(c.MainForm.Time_Img.Visible());
  EXPECT_FALSE(Tile(12).Visible());
  EXPECT_TRUE(c.disp.TableResetDone);
  // A second press in the same pause is ignored.
  c.disp.TableResetDone = false;
  Tile(12).SetVisible(true);
  session::AnNiu_Click(c, 2);
  EXPECT_TRUE(Tile(12).Visible());
}

TEST_F(TableView, HoverHighlightsOnceAndTheTableRestoresAll) {
  StartAt(1280, 1024);
  ui::AnNiu_MouseMove(c.uiCtx, 3);
  ui::AnNiu_MouseMove(c.uiCtx, 3);
  ui::AnNiu_MouseMove(c.uiCtx, 7);
  EXPECT_EQ(c.MainForm.AnNiu(3).Picture(), 110);
  EXPECT_EQ(c.MainForm.AnNiu(7).ToolTipText(), "点击这里了解游戏规则");
  ui::RestoreButtons(c.uiCtx);
  EXPECT_EQ(c.MainForm.AnNiu(3).Picture(), 109);
  EXPECT_EQ(c.MainForm.AnNiu(7).Picture(), 117);
  EXPECT_EQ(c.ui.ButtonLit[3], 0);
}

TEST_F(TableView, TitleButtonsShareOneHighlight) {
  StartAt(1280, 1024);
  auto& close = c.MainForm.ImgClose(0);
  auto& min = c.MainForm.ImgMin(0);
  EXPECT_TRUE(close.Visible());
  EXPECT_EQ(close.Left(), 1007);  // (15600 - 420 - 70) / 15
  EXPECT_EQ(min.Left(), 1007 - 28 - 2);
  ui::TitleButton_MouseMove(c.uiCtx, 0);
  ui::TitleButton_MouseMove(c.uiCtx, 1);
  EXPECT_EQ(close.Picture(), assets::pic::kCloseLit);
  EXPECT_EQ(min.Picture(), assets::pic::kMinNormal);
  ui::LbMove_MouseMove(c.uiCtx);
  EXPECT_EQ(close.Picture(), assets::pic::kCloseNormal);
  ui::TitleButton_MouseDown(c.MainForm, 1);
  EXPECT_EQ(min.Picture(), assets::pic::kMinPressed);
  EXPECT_FALSE(session::LbMove_MouseDown(c, 2));
  EXPECT_TRUE(session::LbMove_MouseDown(c, 1));
  session::TitleButton_Click(c, 1);
  EXPECT_EQ(c.MainForm.State(), platform::WindowState::Minimized);
}

TEST_F(TableView, SmallScreenControlsLieAtTheirScaledPlacesWithTheirAdjustments) {
  StartAt(800, 600);
  auto& f = c.MainForm;
  struct Case {
    const platform::Control& ctl;
    Place at;
  };
  const Case cases[] = {
      {f.OK(1), {47, 219}},
      {f.OK(3), {703, 219}},
      {f.Nid(2), {398, 12}},
      {f.Level(3), {666, 50}},
      {f.Speak(3), {594, 281}},
      {f.Bank, {546, 514}},
      {f.lblDifen, {44 + 8, 458}},    // 56 * 0.78125 = 43.75, then 8 further right
      {f.imgsezi(1), {38 + 3, 432}},  // 37.5 rounds to 38; both dice at 553 * 0.78125
      {f.lbfont(2), {331 - 10, 269}},
      {f.Time_Img, {728, 72 + 119 + 16}},  // at the box's left, below the box
  };
  for (const Case& k : cases)
    EXPECT_EQ((Place{k.ctl.Left(), k.ctl.Top()}), k.at) << k.ctl.Name() << k.ctl.Index();
}

TEST_F(TableView, SmallScreensHaveNoFrame) {
  StartAt(800, 600);
  EXPECT_FALSE(c.MainForm.ImgClose(0).Visible());
  EXPECT_EQ(c.MainForm.Pic1.Picture(), assets::pic::kTableFeltSmall);
}

TEST_F(TableView, ResetsLeaveEmptyPositionsAndKeepRecordsWhenAsked) {
  StartAt(1280, 1024);
  c.table.Hand[2].Slot[5] = {1, 0x33, 12};
  c.table.Hand[2].MeldEnd = 10;
  Tile(12).SetVisible(true);
  view::ResetTableDisplay(c.viewCtx);
  EXPECT_FALSE(Tile(12).Visible());
  EXPECT_EQ(c.table.Hand[2].Slot[5].Ctl, 12);  // a lobby table message keeps the records
  session::ResetTable(c);
  EXPECT_EQ(c.table.Hand[0].MeldEnd, 3);
  EXPECT_EQ(c.table.Hand[2].MeldEnd, 4);
  EXPECT_EQ(c.table.Hand[2].HiddenFirst, 4);
  EXPECT_EQ(c.table.Hand[2].Slot[5].Code, 0);
  EXPECT_EQ(c.table.Hand[2].Slot[5].Ctl, -1);
  EXPECT_EQ(c.table.WildTile, -1);
  EXPECT_EQ(c.display.BlinkCtl, -1);
}

}  // namespace

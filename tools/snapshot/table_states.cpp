#include "table_states.h"
#include "session/table_reset.h"

#include <array>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "net/net.h"
#include "session/connection.h"

#include "assets/picture_ids.h"
#include "score/score.h"
#include "session/hand_end.h"
#include "session/program.h"
#include "table/table_state.h"
#include "table/tiles.h"
#include "text/gbk.h"
#include "ui/messages.h"
#include "view/view.h"

namespace snapshot {

namespace {

using view::Offsets;
using view::TileSizes;

void Seat(Client& c) {
  auto& f = c.MainForm;
  const char* names[4] = {"alice", "小龙", "bob", "翠花"};
  const char* gold[4] = {"金币: 12800", "金币: 5600", "金币: 30210", "金币: 980"};
  const char* level[4] = {"等级: 雀圣", "等级: 雀士", "等级: 雀王", "等级: 新手"};
  for (int p = 0; p < 4; ++p) {
    f.Nid(p).SetCaption(names[p]);
    f.Cash(p).SetCaption(gold[p]);
    f.Level(p).SetCaption(level[p]);
    f.Tou(p).SetPicture(assets::pic::FaceId(5 * p + 1));
    f.Tou(p).SetVisible(true);
  }
  f.Host.SetVisible(true);
  f.Zhuang.SetCaption("bob");
  f.Zhuang.SetVisible(true);
  ui::SysmsgAdd(c.MainForm, c.host, 0, "欢迎来到一号桌，祝您游戏愉快！");
  ui::SysmsgAdd(c.MainForm, c.host, 1, "bob: 快点出牌啊");
}

int Take(Client& c) {
  const int k = c.table.WallHead;
  c.table.WallHead = table::NextWallHead(k);
  return k;
}

void Meld(Client& c, int pos, int first, const std::vector<int>& codes, int state) {
  for (std::size_t i = 0; i < codes.size(); ++i) {
    const int s = first + static_cast<int>(i);
    const int ctl = Take(c);
    c.table.Hand.at(static_cast<std::size_t>(pos)).Slot.at(static_cast<std::size_t>(s)) = {
        state, codes[i], ctl};
    view::PlaceMeldTile(c.viewCtx, pos, s, ctl, codes[i], Offsets::Scaled);
  }
}

void Concealed(Client& c, int pos, int first, std::vector<int> codes) {
  auto& h = c.table.Hand.at(static_cast<std::size_t>(pos));
  if (pos == 0) table::SortTiles(codes);
  h.HiddenFirst = first;
  h.HiddenCount = static_cast<int>(codes.size());
  for (std::size_t i = 0; i < codes.size(); ++i) {
    const int k = first + static_cast<int>(i);
    h.Slot.at(static_cast<std::size_t>(k)) = {table::kSlotDrawn, codes[i], Take(c)};
    view::PlaceConcealed(c.viewCtx, pos, k);
  }
}

void Discards(Client& c, int pos, const std::vector<int>& codes) {
  for (int code : codes) {
    const int ctl = Take(c);
    view::LoadTileSizes(c.table, TileSizes::WallAndDiscards, pos);
    view::PlaceDiscard(c.viewCtx, pos, ctl);
    view::SetTilePicture(c.MainForm, ctl, view::TilePic(code, pos));
  }
}

void MidHand(Client& c) {
  auto& f = c.MainForm;
  c.table.Hand[0].SeatBit = 1;
  view::ShowCompass(c.viewCtx);
  c.table.WallHead = 40;
  c.table.WildTile = 0x26;
  view::LoadTileSizes(c.table, TileSizes::Melds);
  Meld(c, 0, 1, {0x85, 0x85, 0x85}, table::kSlotPeng);
  view::SetAside(c.viewCtx, 0, Take(c), 0x15, true, Offsets::Scaled);
  view::SetAside(c.viewCtx, 0, Take(c), 0x15, true, Offsets::Scaled);
  Meld(c, 1, 2, {0x43, 0x44, 0x45}, table::kSlotPeng);
  view::SetAside(c.viewCtx, 1, Take(c), 0x15, true, Offsets::Scaled);
  view::SetAside(c.viewCtx, 1, Take(c), 0x26, false, Offsets::Scaled);
  Meld(c, 2, 2, {0x11, 0x11, 0x11}, table::kSlotExposedGang);
  view::PlaceOnMiddle(c.viewCtx, 2, c.table.Hand[2].Slot[3].Ctl, Take(c), 0x11);
  view::SetAside(c.viewCtx, 3, Take(c), 0x26, false, Offsets::Scaled);
  view::SetAside(c.viewCtx, 3, Take(c), 0x26, false, Offsets::Scaled);
  view::LoadTileSizes(c.table, TileSizes::Concealed);
  Concealed(c, 0, 7, {0x41, 0x42, 0x43, 0x27, 0x28, 0x29, 0x84, 0x84, 0x86, 0x87});
  Concealed(c, 1, 7, std::vector<int>(10, 0));
  Concealed(c, 2, 7, std::vector<int>(10, 0));
  Concealed(c, 3, 4, std::vector<int>(13, 0));
  Discards(c, 0, {0x17, 0x14, 0x21, 0x89, 0x12, 0x46, 0x49, 0x16, 0x13, 0x22});
  Discards(c, 1, {0x11, 0x29, 0x81, 0x17, 0x48, 0x23, 0x88, 0x14, 0x16});
  Discards(c, 2, {0x13, 0x82, 0x47, 0x25, 0x12, 0x89, 0x24});
  Discards(c, 3, {0x14, 0x17, 0x83, 0x21, 0x46, 0x12, 0x29, 0x41, 0x86});
  view::LoadTileSizes(c.table, TileSizes::Concealed);
  view::ShowCurrentDiscard(c.viewCtx, 1, Take(c), 0x85);
  // Wild tile, clock and the offered actions.
  f.VR_Image.SetPicture(view::kTileGifBase + view::TilePic(0x26, 0));
  f.VR_Image.SetVisible(true);
  f.VR_Image.ZOrder(0);
  f.Number.SetCaption("7");
  for (platform::Control* ctl : {&f.Time_Img, &f.Number}) {
    ctl->SetVisible(true);
    ctl->ZOrder(0);
  }
  const view::OpLook looks[6] = {view::OpLook::Disabled, view::OpLook::Offered,
                                 view::OpLook::Hover,    view::OpLook::Disabled,
                                 view::OpLook::Disabled, view::OpLook::Offered};
  for (int b = 0; b < 6; ++b) {
    view::SetOperationLook(c.MainForm, b, looks[b]);
    f.Operation(b).SetEnabled(looks[b] != view::OpLook::Disabled);
    f.Operation(b).SetVisible(true);
    f.Operation(b).ZOrder(0);
  }
}

// Plays frames from a transcript of the development server (one hexadecimal line per frame, as
// seen from seat bit 4) through the client, up to and including frame n (0: all of them).
void Replay(Table& t, const std::string& file, int n) {
  Client& c = *t.client;
  auto& f = c.MainForm;
  constexpr std::array<int, 4> kSeats{4, 2, 1, 8};
  for (int p = 0; p < 4; ++p)
    c.table.Hand.at(static_cast<std::size_t>(p)).SeatBit = kSeats.at(static_cast<std::size_t>(p));
  view::ShowCompass(c.viewCtx);
  f.Zhuang.SetCaption("南");
  c.net.Online = true;
  c.ui.ButtonState[2] = -1;
  c.ui.SoundOn = false;
  c.TimerBong.SetEnabled(true);
  std::ifstream in(file);
  if (!in) throw std::runtime_error("cannot read " + file);
  std::string line;
  int count = 0;
  while (std::getline(in, line) && (n == 0 || count < n)) {
    if (line.empty() || line[0] == '#') continue;
    wire::Frame fr{};
    for (std::size_t i = 0; i + 1 < line.size() && i / 2 < fr.size(); i += 2)
      fr.at(i / 2) = static_cast<std::uint8_t>(std::stoi(line.substr(i, 2), nullptr, 16));
    // Results and the score sheet are not part of the table picture.
    if (fr[3] == 9 || fr[3] == 17 || fr[3] == 91 || fr[3] == 92 || fr[3] == 16) continue;
    ++count;
    session::Winsock1_DataArrival(c, fr);
    for (int i = 0; i < 100 && c.net.RecvRing.Waiting() > 0; ++i) t.host.Advance(50);
    if (t.host.Ended()) return;
  }
  // Let a bubble or blink settle the way a person would see the table a moment later.
  t.host.Advance(400);
  c.TimerBong.SetEnabled(false);
}

}  // namespace

namespace {

// A won hand: alice (own seat) wins by self-draw with a pure suit, carol opened the door.
void WinHand(Client& c, int hand) {
  c.table.HandNumber = hand;
  const std::array<std::int32_t, 4> results = {480, -160, -160, -160};
  for (int p = 0; p < 4; ++p) {
    auto& row = c.score.WinDetail.at(static_cast<std::size_t>(p));
    row = {};
    row[0] = 10;  // base gold
    row[1] = 1;   // gold coins
    c.table.Hand.at(static_cast<std::size_t>(p)).HandResult =
        results.at(static_cast<std::size_t>(p));
    const auto mag = static_cast<std::uint32_t>(std::abs(results.at(static_cast<std::size_t>(p))));
    for (int k = 0; k < 4; ++k)
      row.at(static_cast<std::size_t>(22 + k)) = static_cast<std::int16_t>((mag >> (8 * k)) & 0xFF);
    row[30] = results.at(static_cast<std::size_t>(p)) < 0 ? 2 : 0;
    const auto title = text::EncodeDoubleByte(p == 0 ? "雀圣" : "雀士");
    for (std::size_t k = 0; k < title.size(); ++k) row.at(31 + k) = title.at(k);
  }
  auto& w = c.score.WinDetail[0];
  w[4] = 8;   // 清一色
  w[6] = 2;   // self-drawn
  w[13] = 1;  // dealer
  w[17] = 1;  // 单吊
  w[47] = 2;
  c.score.WinDetail[1][12] = 1;  // carol opened the door
  c.table.GangCount = 1;
  c.table.GangTile[0] = 0x45;
  c.table.GangType[2][0] = 3;
  c.table.WinnerPos = -1;
  c.score.WinText = "恭喜发财";
  for (int j = 0; j < 8; ++j) c.Score.State(j).Clear();
  session::ShowScoreSheet(c);
}

void DrawHand(Client& c, int hand) {
  c.table.HandNumber = hand;
  for (auto& h : c.table.Hand) h.HandResult = 0;
  for (int j = 0; j < 8; ++j) c.Score.State(j).Clear();
  score::SetSheetPlayers(c.scoreCtx);
  session::ShowDrawSheet(c, false);
}

void Sheets(Client& c, const std::string& state) {
  const char* names[4] = {"alice", "小龙", "bob", "翠花"};
  for (int p = 0; p < 4; ++p) {
    c.table.NameCard.at(static_cast<std::size_t>(p)) = {names[p], 5 * p + 1};
    c.table.Player.at(static_cast<std::size_t>(p)).Gold = 10000;
    c.table.GoldAtStart.at(static_cast<std::size_t>(p)) = 10000;
    score::SetRecordPlayer(c.Hero, p, names[p], 5 * p + 1);
  }
  if (state == "drawsheet") {
    DrawHand(c, 3);
  } else if (state == "winsheet") {
    WinHand(c, 2);
  } else {
    WinHand(c, 1);
    DrawHand(c, 2);
    WinHand(c, 3);
    WinHand(c, 4);
    c.Score.SetVisible(false);
    score::ShowHistory(c.scoreCtx);
    score::SelectHistoryRow(c.Hero, 1);
  }
  c.net.TaskOn.fill(false);
}

}  // namespace

std::unique_ptr<Table> BuildTable(const std::string& state, bool small) {
  const bool replay = state.rfind("replay:", 0) == 0;
  const bool sheet = state == "drawsheet" || state == "winsheet" || state == "history";
  if (state != "empty" && state != "wall" && state != "midhand" && !sheet && !replay)
    throw std::invalid_argument("unknown state " + state +
                                " (empty, wall, midhand, drawsheet, winsheet, history, "
                                "replay:FILE[:FRAMES])");
  auto t = std::make_unique<Table>();
  t->host.screen = small ? platform::ScreenSize{800, 600} : platform::ScreenSize{1280, 1024};
  t->host.lobby.windows.insert("VorelLodge");
  t->client = std::make_unique<Client>(t->host);
  Client& c = *t->client;
  t->host.Run([&] {
    session::Form_Load(c, "alice$key$127.0.0.1$7000$一号桌 · 欢乐场$0$$0$$$0$$$1$0$");
    c.TimerBong.SetEnabled(false);
    Seat(c);
    session::ResetTable(c);
    if (state == "empty" || replay) return;
    view::BuildWall(c.viewCtx);
    if (state == "wall") return;
    MidHand(c);
    if (sheet) Sheets(c, state);
  });
  if (replay && !t->host.Ended()) {
    const std::string rest = state.substr(7);
    const auto colon = rest.rfind(':');
    const bool counted = colon != std::string::npos && colon + 1 < rest.size() &&
                         rest.find_first_not_of("0123456789", colon + 1) == std::string::npos;
    Replay(*t, counted ? rest.substr(0, colon) : rest,
           counted ? std::stoi(rest.substr(colon + 1)) : 0);
  }
  if (t->host.Ended()) throw std::runtime_error("the client ended: " + t->host.EndReason());
  return t;
}

}  // namespace snapshot
